#pragma once
// Push writer of JSON text: the caller opens and closes arrays and objects, names members and
// writes values; the writer inserts commas, colons, line breaks and indentation and refuses calls
// that would produce invalid structure.
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

// Collects the text (Windows-1252 bytes) and hands it to the target stream, at the target's
// current position, in Flush. Nothing reaches the target before that; destroying the writer
// only releases the text.
class TNeoJSONStreamWriter : public TObject {
  ZELK_CLASS(TNeoJSONStreamWriter, TObject)
public:
  explicit TNeoJSONStreamWriter(TStream* AStream);
  ~TNeoJSONStreamWriter() override;

  // Copies the collected text to the target and empties the collection; raises what the target
  // raises (EWriteError when it takes fewer bytes than given).
  void Flush();

  // Appends the text in the Windows-1252 code page.
  void Write(StringView AText);
  // Appends bytes (text known to be ASCII, or already encoded).
  void WriteAscii(std::string_view AText) {
    std::memcpy(Room(AText.size()), AText.data(), AText.size());
    FLength += AText.size();
  }
  // Appends text whose characters are all below 128.
  void WriteNarrow(StringView AText);

private:
  // Space for ACount more bytes at the end of the text.
  char* Room(std::size_t ACount) {
    return ACount <= FText.size() - FLength ? FText.data() + FLength : Grow(ACount);
  }
  char* Grow(std::size_t ACount);

  TStream* FStream;          // not owned
  AnsiString FText;          // the collected text: its first FLength bytes
  std::size_t FLength = 0;
};

class TNeoJSONWriter : public TObject {
  ZELK_CLASS(TNeoJSONWriter, TObject)
public:
  class ECannotWriteName : public Exception {
  public:
    ECannotWriteName();
  };
  class EMultipleRootNotAllowed : public Exception {
  public:
    EMultipleRootNotAllowed();
  };
  class EObjectOrArrayExpected : public Exception {
  public:
    EObjectOrArrayExpected();
  };
  class EInvalidNesting : public Exception {
  public:
    EInvalidNesting();
  };
  class EMissingValue : public Exception {
  public:
    EMissingValue();
  };
  class ETooManyDepthLevels : public Exception {
  public:
    ETooManyDepthLevels();
  };
  class EEmptyJson : public Exception {
  public:
    EEmptyJson();
  };
  class EEmptyName : public Exception {
  public:
    EEmptyName();
  };
  // A float JSON cannot hold (NaN or an infinity).
  class EInvalidNumber : public Exception {
  public:
    EInvalidNumber();
  };

  static constexpr Integer MaxStackSize = 256;

  explicit TNeoJSONWriter(TStream* AStream);
  // Frees the stream writer; text not flushed never reaches the target.
  ~TNeoJSONWriter() override;

  TNeoJSONWriter& WriteBeginObject();
  TNeoJSONWriter& WriteBeginArray();
  TNeoJSONWriter& WriteEndObject();
  TNeoJSONWriter& WriteEndArray();
  TNeoJSONWriter& WriteName(const String& AName);
  // The value quoted and escaped.
  TNeoJSONWriter& WriteString(StringView AValue);
  // The value between quotes, not escaped.
  TNeoJSONWriter& WriteRawString(StringView AValue);
  TNeoJSONWriter& WriteInteger(Int64 AValue);
  // The shortest general float text, always with "." as the decimal separator.
  TNeoJSONWriter& WriteDouble(Double AValue);
  TNeoJSONWriter& WriteBoolean(bool AValue);
  TNeoJSONWriter& WriteNull();
  // Checks that exactly one complete root value was written.
  void Close();
  // Hands the text written so far to the target stream (see TNeoJSONStreamWriter::Flush).
  void Flush() { FWriter->Flush(); }

  Integer GetIndentLength() const { return static_cast<Integer>(FIndent.size()); }
  void SetIndentLength(Integer AValue);

private:
  enum TValueKind { vkScalar, vkOpenBracket };
  Byte& Top();
  void Push(Byte AScope);
  void NewLine();
  void WritePendingName();
  void BeforeValue(TValueKind AKind);
  TNeoJSONWriter& WriteScalar(std::string_view AText);
  TNeoJSONWriter& WriteOpen(Byte AScope, std::string_view ABracket);
  TNeoJSONWriter& WriteClose(Byte AEmpty, Byte ANonEmpty, std::string_view ABracket);
  void WriteEscaped(StringView AText);

  std::unique_ptr<TNeoJSONStreamWriter> FWriter;
  Byte FStack[MaxStackSize];
  Integer FStackSize;
  String FIndent;
  String FSeparator;
  String FDeferredName;
  bool FClosed = false;
};
