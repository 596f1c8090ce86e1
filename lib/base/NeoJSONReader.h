#pragma once
// Pull reader of JSON text: the caller asks what comes next (Peek, HasNext) and takes one token at
// a time (ReadBeginObject, ReadName, ReadString ...). Every syntax error is its own exception class
// with a fixed English message.
#include <cstddef>
#include <memory>
#include <string_view>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/System.h"

// The character source: a private copy of the whole source stream, read as UTF-8. Positions
// count bytes; ReadChar and its kin give an ASCII character as it is and any other byte as its
// value (the structure of JSON is ASCII). The text of strings and names is decoded when it is
// taken (DecodeText): UTF-8, with a byte that does not belong to a valid UTF-8 sequence taken as
// its Windows-1252 character (ASCII text, which the JSON writer produces, reads the same either
// way). A leading byte order mark is skipped.
class TNeoJSONStreamReader : public TObject {
  ZELK_CLASS(TNeoJSONStreamReader, TObject)
public:
  class EEndOfInputReached : public Exception {
  public:
    EEndOfInputReached();
  };

  // Copies the source from its current position to its end (the caller positions it at its start).
  explicit TNeoJSONStreamReader(TStream* AStream);
  ~TNeoJSONStreamReader() override;

  // The character at the position, advancing by one; 0 at the end (no advance).
  Char ReadChar() noexcept { return FPosition < FSize ? Char(FText[FPosition++]) : Char(0); }
  // ReadChar without moving.
  Char PeekChar() const noexcept { return FPosition < FSize ? Char(FText[FPosition]) : Char(0); }
  // ReadChar, raising EEndOfInputReached at the end.
  Char NextChar() {
    if (FPosition >= FSize) RaiseEndOfInput();
    return Char(FText[FPosition++]);
  }
  void Backup() noexcept {
    if (FPosition > FStart) --FPosition;
  }
  void MoveNext(std::size_t ACount) noexcept { FPosition = ACount < FSize - FPosition ? FPosition + ACount : FSize; }
  bool Eof() const noexcept { return FPosition >= FSize; }

  // Skips TAB, LF, FF, CR and space.
  void SkipWhitespace() noexcept {
    while (FPosition < FSize && IsWhitespace(FText[FPosition])) ++FPosition;
  }
  // Takes the bytes of a string or name whose opening quote was taken, up to the closing quote (a
  // backslash protects the character after it), and takes that quote too. The result is the raw
  // text between the quotes, for DecodeText; AEscaped tells whether it holds a backslash. An
  // unterminated text ends at the end of the input.
  std::string_view ReadQuoted(bool& AEscaped) noexcept;
  // The same without moving.
  std::string_view PeekQuoted(bool& AEscaped) const noexcept;
  // The bytes from the position to the end, for a caller that scans them itself (and then moves
  // by MoveNext).
  std::string_view Rest() const noexcept {
    return std::string_view(reinterpret_cast<const char*>(FText.get()) + FPosition, FSize - FPosition);
  }
  // The bytes of a text as UTF-16 (see the class comment).
  static String DecodeText(std::string_view ABytes);
  [[noreturn]] static void RaiseEndOfInput();

  static bool IsWhitespace(unsigned char C) noexcept {
    constexpr UInt64 Mask = (UInt64(1) << 9) | (UInt64(1) << 10) | (UInt64(1) << 12) | (UInt64(1) << 13) |
                            (UInt64(1) << 32);
    return C <= 32 && ((Mask >> C) & 1) != 0;
  }

private:
  TStream* FStream;                          // not owned
  std::unique_ptr<unsigned char[]> FText;    // the copy: its first FSize bytes
  std::size_t FSize = 0;
  std::size_t FStart = 0;                    // past a byte order mark
  std::size_t FPosition = 0;
};

// Public tokens.
enum TNeoJSONToken {
  jstoBeginObject,
  jstoEndObject,
  jstoBeginArray,
  jstoEndArray,
  jstoName,
  jstoBoolean,
  jstoNull,
  jstoText,
  jstoNumber,
  jstoEOF
};

class TNeoJSONReader : public TObject {
  ZELK_CLASS(TNeoJSONReader, TObject)
public:
  // Internal look-ahead states; the ordinals appear in EInvalidStateException's message.
  enum TNeoJSONState {
    jstNone,
    jstBeginObject,
    jstEndObject,
    jstBeginArray,
    jstEndArray,
    jstTrue,
    jstFalse,
    jstNull,
    jstDoubleQuoted,
    jstBuffered,
    jstDoubleQuotedName,
    jstInt64,
    jstNumber,
    jstEOF
  };

  class EInvalidStateException : public Exception {
  public:
    explicit EInvalidStateException(TNeoJSONState AExpectedState);
  };
  class EUnterminatedArray : public Exception {
  public:
    EUnterminatedArray();
  };
  class EUnterminatedObject : public Exception {
  public:
    EUnterminatedObject();
  };
  class ENameExpected : public Exception {
  public:
    ENameExpected();
  };
  class EColonExpected : public Exception {
  public:
    EColonExpected();
  };
  class EMultipleRootNotAllowed : public Exception {
  public:
    EMultipleRootNotAllowed();
  };
  class EExpectedValue : public Exception {
  public:
    EExpectedValue();
  };
  class EObjectOrArrayExpected : public Exception {
  public:
    EObjectOrArrayExpected();
  };
  class ETooManyDepthLevels : public Exception {
  public:
    ETooManyDepthLevels();
  };

  static constexpr Integer MaxStackSize = 256;

  // Copies the source stream (from its current position) into the character source.
  explicit TNeoJSONReader(TStream* AStream);
  ~TNeoJSONReader() override;

  TNeoJSONToken Peek();
  // True unless the next token closes an array or object (also true at the end of the input).
  bool HasNext();
  bool IsNull();
  bool Eof();

  void ReadBeginArray();
  void ReadEndArray();
  void ReadBeginObject();
  void ReadEndObject();
  // The pending member name, with its escapes decoded.
  String ReadName();
  // The pending member name as ReadName gives it, leaving the position and the state as they are.
  String PeekName();
  // A string, or the text of a number; escapes decoded.
  String ReadString();
  bool ReadBoolean();
  void ReadNull();
  Int64 ReadInt64();
  Integer ReadInteger();
  Double ReadDouble();
  // Skips one whole value (a pending name counts as one value by itself).
  void SkipValue();

private:
  TNeoJSONState NeedState() {
    if (FPeeked == jstNone) FPeeked = DoPeek();
    return FPeeked;
  }
  // The pending state, which must be AState (else EInvalidStateException).
  void Expect(TNeoJSONState AState) {
    if (NeedState() != AState) RaiseState(AState);
  }
  [[noreturn]] static void RaiseState(TNeoJSONState AExpected);
  // Reads the pending bracket AState: opens a scope AScope, or closes the current one.
  void EnterScope(TNeoJSONState AState, Byte AScope);
  void LeaveScope(TNeoJSONState AState);
  TNeoJSONState DoPeek();
  TNeoJSONState PeekValue(Byte AScope);
  TNeoJSONState PeekKeyword();
  TNeoJSONState PeekNumber();
  // Takes the token character and the whitespace after it.
  void Consume() noexcept {
    FReader->ReadChar();
    FReader->SkipWhitespace();
  }
  void Push(Byte AScope);
  void Pop() noexcept;
  String ReadQuotedText();
  String NumberText() const { return String(FPeekedNumber, FPeekedNumber + FPeekedNumberLength); }
  // The pending number's float value; false when its text does not convert.
  bool NumberValue(Double& AValue) const;
  // ReadInt64 (ANarrow false) and ReadInteger (ANarrow true): the pending value, through its
  // float text when it is not plain integer text.
  Int64 ReadWholeNumber(bool ANarrow);

  std::unique_ptr<TNeoJSONStreamReader> FReader;
  Byte FStack[MaxStackSize];
  Integer FStackSize;
  TNeoJSONState FPeeked;
  Int64 FPeekedInt64;
  char FPeekedNumber[256];
  std::size_t FPeekedNumberLength = 0;
  String FPeekedString;
};
