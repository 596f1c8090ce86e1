#include "lib/base/NeoJSONReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

#include "lib/base/NeoJSONScope.h"
#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"

using namespace NeoJSONScope;

namespace {

constexpr std::size_t CopyBlockSize = 1048576;

bool IsWhitespace(Char C) noexcept {
  return C == 9 || C == 10 || C == 12 || C == 13 || C == 32;
}

bool IsDigit(Char C) noexcept { return C >= u'0' && C <= u'9'; }

// The characters that may follow a number or a keyword.
bool IsSeparator(Char C) {
  static const TNeoUtilsCharSet Separators = TNeoUtils::CreateCharSet(u"/\\;#{}[]:,' \r\n\f\t");
  return TNeoUtils::CharInSet(C, Separators);
}

// The Windows-1252 characters of the bytes 0x80 .. 0xFF.
const std::array<Char, 128>& Cp1252High() {
  static const std::array<Char, 128> Table = [] {
    std::array<Char, 128> t{};
    std::string bytes(128, '\0');
    for (int i = 0; i < 128; ++i) bytes[i] = static_cast<char>(0x80 + i);
    const String chars = AnsiToString(bytes);
    for (int i = 0; i < 128; ++i) t[i] = chars[i];
    return t;
  }();
  return Table;
}

bool IsContinuation(unsigned char B) noexcept { return (B & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at P (fewer than Avail bytes remain after it), and its
// code point; 0 when the bytes there are not a well-formed sequence.
int Utf8Sequence(const unsigned char* P, std::size_t Avail, char32_t& Code) noexcept {
  const unsigned char b0 = P[0];
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    if (Avail < 2 || !IsContinuation(P[1])) return 0;
    Code = (char32_t(b0 & 0x1F) << 6) | (P[1] & 0x3F);
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (Avail < 3 || !IsContinuation(P[1]) || !IsContinuation(P[2])) return 0;
    if (b0 == 0xE0 && P[1] < 0xA0) return 0;   // overlong
    if (b0 == 0xED && P[1] > 0x9F) return 0;   // surrogate
    Code = (char32_t(b0 & 0x0F) << 12) | (char32_t(P[1] & 0x3F) << 6) | (P[2] & 0x3F);
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (Avail < 4 || !IsContinuation(P[1]) || !IsContinuation(P[2]) || !IsContinuation(P[3]))
      return 0;
    if (b0 == 0xF0 && P[1] < 0x90) return 0;   // overlong
    if (b0 == 0xF4 && P[1] > 0x8F) return 0;   // beyond U+10FFFF
    Code = (char32_t(b0 & 0x07) << 18) | (char32_t(P[1] & 0x3F) << 12) |
           (char32_t(P[2] & 0x3F) << 6) | (P[3] & 0x3F);
    return 4;
  }
  return 0;
}

// UTF-8 to UTF-16; a byte outside a well-formed sequence is its Windows-1252 character. A leading
// byte order mark is dropped.
String DecodeSource(const std::string& Bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(Bytes.data());
  std::size_t n = Bytes.size();
  if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
    p += 3;
    n -= 3;
  }
  String out(n, u'\0');   // never more units than bytes
  Char* o = out.data();
  std::size_t i = 0;
  while (i < n) {
    // Runs of ASCII, eight bytes at a time.
    while (i + 8 <= n) {
      std::uint64_t w;
      std::memcpy(&w, p + i, 8);
      if (w & 0x8080808080808080ULL) break;
      for (int k = 0; k < 8; ++k) o[k] = p[i + k];
      o += 8;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char b = p[i];
    if (b < 0x80) {
      *o++ = b;
      ++i;
      continue;
    }
    char32_t code = 0;
    const int len = Utf8Sequence(p + i, n - i, code);
    if (len == 0) {
      *o++ = Cp1252High()[b - 0x80];
      ++i;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      *o++ = static_cast<Char>(0xD800 + (code >> 10));
      *o++ = static_cast<Char>(0xDC00 + (code & 0x3FF));
      i += len;
    } else {
      *o++ = static_cast<Char>(code);
      i += len;
    }
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

String Unescaped(StringView ARaw, bool AEscaped) {
  return AEscaped ? TNeoUtils::UnescapeString(ARaw) : String(ARaw);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoJSONStreamReader

TNeoJSONStreamReader::EEndOfInputReached::EEndOfInputReached()
    : Exception(u"End of JSON input reached.") {}

TNeoJSONStreamReader::TNeoJSONStreamReader(TStream* AStream) : FStream(AStream) {
  // Size bytes from the current position, in blocks; fewer when the stream ends before.
  const Int64 size = std::max<Int64>(FStream->GetSize(), 0);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t want = std::min(bytes.size() - done, CopyBlockSize);
    const Int64 got = FStream->Read(bytes.data() + done, static_cast<Int64>(want));
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  FText = DecodeSource(bytes);
}

TNeoJSONStreamReader::~TNeoJSONStreamReader() = default;

void TNeoJSONStreamReader::RaiseEndOfInput() { throw EEndOfInputReached(); }

void TNeoJSONStreamReader::SkipWhitespace() noexcept {
  const std::size_t n = FText.size();
  while (FPosition < n && IsWhitespace(FText[FPosition])) ++FPosition;
}

StringView TNeoJSONStreamReader::PeekQuoted(bool& AEscaped) const noexcept {
  const std::size_t n = FText.size();
  const Char* data = FText.data();
  std::size_t p = FPosition;
  AEscaped = false;
  while (p < n) {
    const Char c = data[p];
    if (c == u'"') break;
    if (c == u'\\') {
      AEscaped = true;
      p += 2;
    } else {
      ++p;
    }
  }
  if (p > n) p = n;   // a backslash as the last character
  return StringView(data + FPosition, p - FPosition);
}

StringView TNeoJSONStreamReader::ReadQuoted(bool& AEscaped) noexcept {
  const StringView raw = PeekQuoted(AEscaped);
  FPosition += raw.size();
  if (FPosition < FText.size()) ++FPosition;   // the closing quote
  return raw;
}

// ---------------------------------------------------------------------------------------------
// TNeoJSONReader exceptions

TNeoJSONReader::EInvalidStateException::EInvalidStateException(TNeoJSONState AExpectedState)
    : Exception(u"Invalid Json parser state. Expected state: " +
                IntToStr(static_cast<Integer>(AExpectedState))) {}
TNeoJSONReader::EUnterminatedArray::EUnterminatedArray() : Exception(u"Unterminated array") {}
TNeoJSONReader::EUnterminatedObject::EUnterminatedObject() : Exception(u"Unterminated object") {}
TNeoJSONReader::ENameExpected::ENameExpected() : Exception(u"Name expected") {}
TNeoJSONReader::EColonExpected::EColonExpected() : Exception(u"Colon expected") {}
TNeoJSONReader::EMultipleRootNotAllowed::EMultipleRootNotAllowed()
    : Exception(u"Multiple root values not allowed") {}
TNeoJSONReader::EExpectedValue::EExpectedValue()
    : Exception(u"Value expected but invalid character found") {}
TNeoJSONReader::EObjectOrArrayExpected::EObjectOrArrayExpected()
    : Exception(u"Object or array expected as top-level value") {}
TNeoJSONReader::ETooManyDepthLevels::ETooManyDepthLevels()
    : Exception(u"Maximum level of nested structured reached.") {}

// ---------------------------------------------------------------------------------------------
// TNeoJSONReader

TNeoJSONReader::TNeoJSONReader(TStream* AStream)
    : FReader(std::make_unique<TNeoJSONStreamReader>(AStream)),
      FStack{scEmptyDocument},
      FStackSize(1),
      FPeeked(jstNone),
      FPeekedInt64(0),
      FPeekedNumber{0} {}

TNeoJSONReader::~TNeoJSONReader() = default;

void TNeoJSONReader::Push(Byte AScope) {
  if (FStackSize >= MaxStackSize) throw ETooManyDepthLevels();
  FStack[FStackSize++] = AScope;
}

void TNeoJSONReader::Pop() noexcept {
  if (FStackSize > 1) --FStackSize;
}

void TNeoJSONReader::Consume() noexcept {
  FReader->ReadChar();
  FReader->SkipWhitespace();
}

TNeoJSONReader::TNeoJSONState TNeoJSONReader::NeedState() {
  if (FPeeked == jstNone) FPeeked = DoPeek();
  return FPeeked;
}

TNeoJSONReader::TNeoJSONState TNeoJSONReader::DoPeek() {
  FReader->SkipWhitespace();
  Byte& top = FStack[FStackSize - 1];
  switch (top) {
    case scEmptyDocument:
      top = scNonEmptyDocument;
      return PeekValue(scEmptyDocument);
    case scEmptyArray:
      top = scNonEmptyArray;
      return PeekValue(scEmptyArray);
    case scNonEmptyDocument:
      if (FReader->Eof()) return jstEOF;
      throw EMultipleRootNotAllowed();
    case scNonEmptyArray: {
      const Char c = FReader->PeekChar();
      if (c == u',') {
        Consume();
        return PeekValue(scNonEmptyArray);
      }
      if (c == u']') {
        Consume();
        return jstEndArray;
      }
      throw EUnterminatedArray();
    }
    case scDanglingName:
      top = scNonEmptyObject;
      if (FReader->PeekChar() != u':') throw EColonExpected();
      Consume();
      return PeekValue(scDanglingName);
    default: {   // an object, empty or not
      const bool wasEmpty = top == scEmptyObject;
      top = scDanglingName;
      if (!wasEmpty) {
        const Char c = FReader->PeekChar();
        if (c == u',') {
          Consume();
        } else if (c == u'}') {
          Consume();
          return jstEndObject;
        } else {
          throw EUnterminatedObject();
        }
      }
      const Char c = FReader->PeekChar();
      if (c == u'"') {
        FReader->ReadChar();   // the name starts right after its quote
        return jstDoubleQuotedName;
      }
      if (c == u'}' && wasEmpty) {
        Consume();
        return jstEndObject;
      }
      throw ENameExpected();
    }
  }
}

TNeoJSONReader::TNeoJSONState TNeoJSONReader::PeekValue(Byte AScope) {
  const bool topLevel = FStackSize == 1;
  switch (FReader->PeekChar()) {
    case u'"':
      if (topLevel) throw EObjectOrArrayExpected();
      FReader->ReadChar();   // the text starts right after its quote
      return jstDoubleQuoted;
    case u'[':
      Consume();
      return jstBeginArray;
    case u'{':
      Consume();
      return jstBeginObject;
    case u']':
      if (AScope != scEmptyArray) throw EExpectedValue();
      Consume();
      return jstEndArray;
    default:
      break;
  }
  if (topLevel) throw EObjectOrArrayExpected();
  TNeoJSONState state = PeekKeyword();
  if (state == jstNone) state = PeekNumber();
  if (state == jstNone) throw EExpectedValue();
  return state;
}

TNeoJSONReader::TNeoJSONState TNeoJSONReader::PeekKeyword() {
  const char* word;
  TNeoJSONState state;
  switch (FReader->PeekChar()) {
    case u't':
    case u'T':
      word = "true";
      state = jstTrue;
      break;
    case u'f':
    case u'F':
      word = "false";
      state = jstFalse;
      break;
    case u'n':
    case u'N':
      word = "null";
      state = jstNull;
      break;
    default:
      return jstNone;
  }
  FReader->ReadChar();
  for (const char* p = word + 1; *p; ++p) {
    const Char c = FReader->NextChar();
    if (c != Char(*p) && c != Char(*p - ('a' - 'A'))) throw EExpectedValue();
  }
  if (!FReader->Eof() && !IsSeparator(FReader->PeekChar())) throw EExpectedValue();
  return state;
}

TNeoJSONReader::TNeoJSONState TNeoJSONReader::PeekNumber() {
  const Char first = FReader->PeekChar();
  if (first != u'-' && !IsDigit(first)) return jstNone;

  enum TPhase { phStart, phMinus, phDigits, phPoint, phFraction, phExpMark, phExpSign, phExpDigits };
  // The accumulated value stays negative (its range is the larger); this is the last value that
  // can take one more digit.
  constexpr Int64 MinIncomplete = std::numeric_limits<Int64>::min() / 10;
  TPhase phase = phStart;
  Int64 value = 0;
  bool negative = false;
  bool fits = true;
  for (int i = 0;; ++i) {
    if (i >= 255) throw EExpectedValue();
    const Char c = FReader->NextChar();
    FPeekedNumber[i] = c;
    if (IsDigit(c)) {
      const int digit = c - u'0';
      switch (phase) {
        case phStart:
        case phMinus:
          value = -digit;
          phase = phDigits;
          break;
        case phDigits:
          if (value == 0) throw EExpectedValue();   // a leading zero
          if (fits) {
            fits = value > MinIncomplete || (value == MinIncomplete && digit <= 8);
            if (fits) value = value * 10 - digit;
          }
          break;
        case phPoint:
          phase = phFraction;
          break;
        case phExpMark:
        case phExpSign:
          phase = phExpDigits;
          break;
        default:
          break;
      }
      continue;
    }
    switch (c) {
      case u'-':
        if (phase == phStart) {
          negative = true;
          phase = phMinus;
          continue;
        }
        if (phase == phExpMark) {
          phase = phExpSign;
          continue;
        }
        throw EExpectedValue();
      case u'+':
        if (phase == phExpMark) {
          phase = phExpSign;
          continue;
        }
        throw EExpectedValue();
      case u'.':
        if (phase == phDigits) {
          phase = phPoint;
          continue;
        }
        throw EExpectedValue();
      case u'e':
      case u'E':
        if (phase == phDigits || phase == phFraction) {
          phase = phExpMark;
          continue;
        }
        throw EExpectedValue();
      default:
        break;
    }
    if (!IsSeparator(c)) throw EExpectedValue();
    FReader->Backup();
    FPeekedNumber[i] = 0;
    if (phase == phDigits && fits && (negative || value != std::numeric_limits<Int64>::min())) {
      FPeekedInt64 = negative ? value : -value;
      return jstInt64;
    }
    if (phase == phDigits || phase == phFraction || phase == phExpDigits) return jstNumber;
    throw EExpectedValue();
  }
}

String TNeoJSONReader::NumberText() const { return String(FPeekedNumber); }

String TNeoJSONReader::ReadQuotedText() {
  bool escaped;
  const StringView raw = FReader->ReadQuoted(escaped);
  String result = Unescaped(raw, escaped);
  FReader->SkipWhitespace();
  return result;
}

TNeoJSONToken TNeoJSONReader::Peek() {
  static constexpr TNeoJSONToken Tokens[] = {
      jstoEOF,        // jstNone (never pending after a look-ahead)
      jstoBeginObject, jstoEndObject, jstoBeginArray, jstoEndArray, jstoBoolean, jstoBoolean,
      jstoNull,       jstoText,      jstoText,        jstoName,     jstoNumber,  jstoNumber,
      jstoEOF};
  return Tokens[NeedState()];
}

void TNeoJSONReader::Expect(TNeoJSONState AState) {
  if (NeedState() != AState) throw EInvalidStateException(AState);
}

bool TNeoJSONReader::HasNext() {
  const TNeoJSONState state = NeedState();
  return state != jstEndObject && state != jstEndArray;
}

bool TNeoJSONReader::IsNull() { return Peek() == jstoNull; }

bool TNeoJSONReader::Eof() { return Peek() == jstoEOF; }

void TNeoJSONReader::EnterScope(TNeoJSONState AState, Byte AScope) {
  Expect(AState);
  Push(AScope);
  FPeeked = jstNone;
}

void TNeoJSONReader::LeaveScope(TNeoJSONState AState) {
  Expect(AState);
  Pop();
  FPeeked = jstNone;
}

void TNeoJSONReader::ReadBeginArray() { EnterScope(jstBeginArray, scEmptyArray); }

void TNeoJSONReader::ReadEndArray() { LeaveScope(jstEndArray); }

void TNeoJSONReader::ReadBeginObject() { EnterScope(jstBeginObject, scEmptyObject); }

void TNeoJSONReader::ReadEndObject() { LeaveScope(jstEndObject); }

String TNeoJSONReader::ReadName() {
  Expect(jstDoubleQuotedName);
  String result = ReadQuotedText();
  FPeeked = jstNone;
  return result;
}

String TNeoJSONReader::PeekName() {
  Expect(jstDoubleQuotedName);
  bool escaped;
  const StringView raw = FReader->PeekQuoted(escaped);
  return Unescaped(raw, escaped);
}

String TNeoJSONReader::ReadString() {
  String result;
  switch (NeedState()) {
    case jstDoubleQuoted:
      result = ReadQuotedText();
      break;
    case jstBuffered:
      result = std::move(FPeekedString);
      FPeekedString.clear();
      break;
    case jstInt64:
      result = IntToStr(FPeekedInt64);
      break;
    case jstNumber:
      result = NumberText();
      break;
    default:
      throw EInvalidStateException(jstDoubleQuoted);
  }
  FPeeked = jstNone;
  return result;
}

bool TNeoJSONReader::ReadBoolean() {
  bool result;
  switch (NeedState()) {
    case jstTrue:
      result = true;
      break;
    case jstFalse:
      result = false;
      break;
    default:
      throw EInvalidStateException(jstTrue);
  }
  FPeeked = jstNone;
  return result;
}

void TNeoJSONReader::ReadNull() {
  Expect(jstNull);
  FPeeked = jstNone;
}

Int64 TNeoJSONReader::ReadWholeNumber(bool ANarrow) {
  const TNeoJSONState state = NeedState();
  switch (state) {
    case jstInt64:
      if (ANarrow && FPeekedInt64 != static_cast<Integer>(FPeekedInt64))
        throw EInvalidStateException(jstInt64);
      FPeeked = jstNone;
      return FPeekedInt64;
    case jstNumber:
      FPeekedString = NumberText();
      break;
    case jstDoubleQuoted:
      FPeekedString = ReadQuotedText();
      break;
    case jstBuffered:
      break;
    default:
      throw EInvalidStateException(jstInt64);
  }
  if (state != jstBuffered) {
    bool ok;
    Int64 value;
    if (ANarrow) {
      Integer narrow;
      ok = TryStrToInt(FPeekedString, narrow);
      value = narrow;
    } else {
      ok = TryStrToInt64(FPeekedString, value);
    }
    if (ok) {
      FPeekedString.clear();
      FPeeked = jstNone;
      return value;
    }
  }
  // Through the float text: only a whole number in range is taken.
  FPeeked = jstBuffered;
  const Double f = StrToFloat(FPeekedString);
  // Near 2^63 a float stands for a range of integers, among them values outside Int64: the
  // bounds themselves are refused.
  const bool inRange = ANarrow ? (f >= std::numeric_limits<Integer>::min() &&
                                  f <= std::numeric_limits<Integer>::max())
                               : (f > -0x1p63 && f < 0x1p63);
  if (!inRange) throw EInvalidStateException(jstInt64);
  const Int64 rounded = Round(f);   // halves to even
  if (static_cast<Double>(rounded) != f) throw EInvalidStateException(jstInt64);
  FPeekedString.clear();
  FPeeked = jstNone;
  return rounded;
}

Int64 TNeoJSONReader::ReadInt64() { return ReadWholeNumber(false); }

Integer TNeoJSONReader::ReadInteger() { return static_cast<Integer>(ReadWholeNumber(true)); }

Double TNeoJSONReader::ReadDouble() {
  switch (NeedState()) {
    case jstInt64:
      FPeeked = jstNone;
      return static_cast<Double>(FPeekedInt64);
    case jstNumber: {
      Double value;
      String text = NumberText();
      if (TryStrToFloat(text, value)) {
        FPeeked = jstNone;
        return value;
      }
      FPeekedString = std::move(text);
      break;
    }
    case jstDoubleQuoted:
      FPeekedString = ReadQuotedText();
      break;
    case jstBuffered:
      break;
    default:
      throw EInvalidStateException(jstNumber);
  }
  FPeeked = jstBuffered;
  const Double value = StrToFloat(FPeekedString);
  FPeekedString.clear();
  FPeeked = jstNone;
  return value;
}

void TNeoJSONReader::SkipValue() {
  int count = 0;
  do {
    switch (NeedState()) {
      case jstBeginObject:
        Push(scEmptyObject);
        ++count;
        break;
      case jstBeginArray:
        Push(scEmptyArray);
        ++count;
        break;
      case jstEndObject:
      case jstEndArray:
        Pop();
        --count;
        break;
      case jstDoubleQuoted:
      case jstDoubleQuotedName: {
        bool escaped;
        FReader->ReadQuoted(escaped);
        FReader->SkipWhitespace();
        break;
      }
      default:
        break;
    }
    FPeeked = jstNone;
  } while (count > 0);
}
