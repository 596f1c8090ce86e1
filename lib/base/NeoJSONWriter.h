#pragma once
// Push writer of JSON text: the caller opens and closes arrays and objects, names members and
// writes values; the writer inserts commas, colons, line breaks and indentation and refuses calls
// that would produce invalid structure.
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

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
  // Appends the longest start of AText whose characters need no JSON escape (below 128, neither a
  // quote nor a backslash, nor backspace, tab, line feed, form feed or carriage return); returns
  // its length.
  std::size_t WritePlain(StringView AText);

  // Appends the code unit as "\u" and four upper-case hexadecimal digits.
  void WriteHexEscape(Char C) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    char* out = Room(6);
    out[0] = '\\';
    out[1] = 'u';
    out[2] = Hex[(C >> 12) & 0xF];
    out[3] = Hex[(C >> 8) & 0xF];
    out[4] = Hex[(C >> 4) & 0xF];
    out[5] = Hex[C & 0xF];
    FLength += 6;
  }

private:
  // The text is collected in blocks, so that it never moves while it grows; the last block is
  // filled up to FLength.
  struct TBlock {
    std::unique_ptr<char[]> Data;
    std::size_t Size;
  };

  // Space for ACount more bytes at the end of the text (a new block when the last one has no
  // more than ACount left, so that there is always a block to point into).
  char* Room(std::size_t ACount) { return ACount < FCapacity - FLength ? FCurrent + FLength : NewBlock(ACount); }
  char* NewBlock(std::size_t ACount);

  TStream* FStream;               // not owned
  std::vector<TBlock> FBlocks;    // full blocks, then the one being filled
  char* FCurrent = nullptr;       // the last block's bytes
  std::size_t FLength = 0;        // bytes used of the last block
  std::size_t FCapacity = 0;      // size of the last block
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
  Byte& Top() {
    if (FStackSize <= 0) RaiseEmptyJson();
    return FStack[FStackSize - 1];
  }
  [[noreturn]] static void RaiseEmptyJson();
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
