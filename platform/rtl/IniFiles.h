#pragma once
// Settings files of sections and Name=Value entries.
//
// - TCustomIniFile: the typed reads and writes over ReadString and WriteString. Integers are
//   decimal text (reading also takes "$" and "0x" hexadecimal), Booleans "1"/"0", floats and dates
//   as FloatToStr and DateToStr give them with FormatSettings; an entry that does not convert reads
//   as the default.
// - TMemIniFile: the whole file in memory, read when created; UpdateFile writes the whole file,
//   also when nothing changed.
// - TIniFile: every write goes to the file at once; reads see the file as it is now (it is read
//   again when it changed on disk).
// Section and entry names compare case-insensitively and without the blanks around them (the file
// trims them), and keep their case. Names and values are
// trimmed when read from the file; lines starting with ';' and lines before the first section are
// ignored. Files are read as the BOM says (UTF-8, UTF-16), else as ANSI (Windows-1252), and written
// in the encoding they were read in (ANSI for a new file); text that ANSI cannot hold makes the
// file UTF-8 with a BOM instead of losing characters. Writing replaces the file as one step
// (temporary file and rename), so no reader sees half a file.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"

// Raised for a section, entry name or value that the file format cannot hold: a line break
// anywhere, or an entry name that holds '=' or starts with ';' or '['. Nothing is written then.
ZELK_DECLARE_EXCEPTION(EIniFileException, Exception)

class TCustomIniFile : public TObject {
  ZELK_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

  const String& GetFileName() const { return FFileName; }

  virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  virtual Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
  virtual void WriteInteger(const String& Section, const String& Ident, Integer Value);
  virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
  virtual void WriteBool(const String& Section, const String& Ident, bool Value);
  virtual Double ReadFloat(const String& Section, const String& Ident, Double Default);
  virtual void WriteFloat(const String& Section, const String& Ident, Double Value);
  virtual TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
  virtual void WriteDate(const String& Section, const String& Ident, TDateTime Value);
  virtual TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
  virtual void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);
  virtual TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
  virtual void WriteTime(const String& Section, const String& Ident, TDateTime Value);

  // The entry names of a section (Strings is cleared first).
  virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
  // The section names.
  virtual void ReadSections(TStrings* Strings) = 0;
  // The section's entries as Name=Value lines.
  virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
  virtual bool SectionExists(const String& Section);
  virtual bool ValueExists(const String& Section, const String& Ident);
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void UpdateFile() = 0;

protected:
  String FFileName;
};

struct TIniSections;   // the parsed sections, defined in IniFiles.cpp

class TMemIniFile : public TCustomIniFile {
  ZELK_CLASS(TMemIniFile, TCustomIniFile)
public:
  // Reads FileName when it exists; Encoding (when given) is used for reading and writing.
  explicit TMemIniFile(const String& FileName, TEncoding* Encoding = nullptr);
  ~TMemIniFile() override;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  bool SectionExists(const String& Section) override;
  bool ValueExists(const String& Section, const String& Ident) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Writes the whole file. Raises EFCreateError when it cannot.
  void UpdateFile() override;

  void Clear();
  // The file's lines: "[Section]", "Name=Value" ..., an empty line after each section.
  void GetStrings(TStrings* List);
  // Replaces the contents by the lines of List, read as a file's lines are.
  void SetStrings(TStrings* List);
  // Another file name; with Reload the contents are read from it (cleared when it is absent).
  void Rename(const String& FileName, bool Reload);

  TEncoding* GetEncoding() const { return FEncoding; }
  void SetEncoding(TEncoding* Value) { FEncoding = Value; }

protected:
  // Reads the file into the sections (empty when the file is absent).
  void LoadFile();
  // True when the file differs (by identity, size or time) from the one last read or written.
  bool FileChanged() const;

  std::unique_ptr<TIniSections> FSections;
  TEncoding* FEncoding = nullptr;   // the encoding given or found by the BOM; null: ANSI
  TFileStamp FStamp;
};

class TIniFile : public TMemIniFile {
  ZELK_CLASS(TIniFile, TMemIniFile)
public:
  explicit TIniFile(const String& FileName) : TMemIniFile(FileName) {}

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  bool SectionExists(const String& Section) override;
  bool ValueExists(const String& Section, const String& Ident) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Everything is written already.
  void UpdateFile() override {}

private:
  void Refresh();
};
