#pragma once
// The streaming of a component's properties as the text of a form description: one "Name = Value"
// line per property, the properties of an owned persistent object (a font, an appearance) as
// "Object.Name = Value". TWriter writes the published properties that are stored and differ from
// their declared default, then what the object's DefineProperties adds; TReader sets them again.
//
// Values: integers in decimal, enumerations and Booleans by name, sets as "[a,b]", strings in
// single quotes (a quote doubled), floating-point numbers in the shortest text that reads back
// exactly. References to other components and event bindings are not part of this text.
#include <functional>
#include <map>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/TypInfo.h"

class TFiler : public TObject {
  ZELK_CLASS(TFiler, TObject)
public:
  using TReaderProc = std::function<void(TReader* Reader)>;
  using TWriterProc = std::function<void(TWriter* Writer)>;
  // Called from DefineProperties: a property the object stores itself. The writer writes it when
  // HasData; the reader calls ReadData when the text holds it.
  virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;

protected:
  static void CallDefineProperties(TPersistent* Instance, TFiler* Filer) { Instance->DefineProperties(Filer); }
};

class TWriter : public TFiler {
  ZELK_CLASS(TWriter, TFiler)
public:
  void WriteProperties(TPersistent* Instance);
  // The lines written so far, each ended by a line break.
  String GetText() const;
  // Inside a TWriterProc: the value of the defined property.
  void WriteInteger(Int64 Value);
  void WriteString(const String& Value);
  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;

private:
  void WriteObject(TObject* Instance, const String& Prefix);
  std::vector<std::pair<String, String>> FLines;
  String FPrefix;
  String FValue;
};

class TReader : public TFiler {
  ZELK_CLASS(TReader, TFiler)
public:
  // Raises EReadError for a line without "=".
  explicit TReader(const String& Text);
  // Raises EReadError for a property the object neither publishes nor defines, or a bad value.
  void ReadProperties(TPersistent* Instance);
  // Inside a TReaderProc: the value of the defined property.
  Int64 ReadInteger();
  String ReadString();
  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;

private:
  void SetValue(TObject* Instance, const String& Path, const String& Value);
  std::vector<std::pair<String, String>> FLines;
  std::map<String, TReaderProc> FDefined;
  String FValue;
};
