#include "lib/base/NeoJSONReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "lib/base/NeoJSONScope.h"
#include "lib/base/NeoUtils.h"
#include "platform/rtl/Math.h"

using namespace NeoJSONScope;

namespace {

constexpr std::size_t CopyBlockSize = 1048576;

bool IsDigit(Char C) noexcept { return C >= u'0' && C <= u'9'; }

// The characters that may follow a number or a keyword: "/\\;#{}[]:,' " CR LF FF TAB.
bool IsSeparator(Char C) noexcept {
  static constexpr auto Table = [] {
    std::array<bool, 128> t{};
    for (const char c : std::string_view("/\\;#{}[]:,' \r\n\f\t")) t[static_cast<unsigned char>(c)] = true;
    return t;
  }();
  return C < 128 && Table[C];
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

// Copies a run of ASCII bytes from P (at most N) to Out, widening each; returns how many.
std::size_t WidenAscii(const unsigned char* P, std::size_t N, Char* Out) noexcept {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  while (i + 16 <= N) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + i));
    if (_mm_movemask_epi8(bytes) != 0) break;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + i), _mm_unpacklo_epi8(bytes, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + i + 8), _mm_unpackhi_epi8(bytes, zero));
    i += 16;
  }
#endif
  while (i < N && P[i] < 0x80) {
    Out[i] = P[i];
    ++i;
  }
  return i;
}

// UTF-8 to UTF-16 of N bytes at P into Out (room for N characters); a byte outside a
// well-formed sequence is its Windows-1252 character. Returns the characters written.
std::size_t DecodeUtf8(const unsigned char* P, std::size_t N, Char* Out) noexcept {
  Char* o = Out;
  std::size_t i = 0;
  while (i < N) {
    const std::size_t run = WidenAscii(P + i, N - i, o);
    o += run;
    i += run;
    if (i >= N) break;
    char32_t code = 0;
    const int len = Utf8Sequence(P + i, N - i, code);
    if (len == 0) {
      *o++ = Cp1252High()[P[i] - 0x80];
      ++i;
    } else if (code >= 0x10000) {
      code -= 0x10000;
      *o++ = static_cast<Char>(0xD800 + (code >> 10));
      *o++ = static_cast<Char>(0xDC00 + (code & 0x3FF));
      i += static_cast<std::size_t>(len);
    } else {
      *o++ = static_cast<Char>(code);
      i += static_cast<std::size_t>(len);
    }
  }
  return static_cast<std::size_t>(o - Out);
}

String Unescaped(std::string_view ARaw, bool AEscaped) {
  String text = TNeoJSONStreamReader::DecodeText(ARaw);
  return AEscaped ? TNeoUtils::UnescapeString(text) : text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoJSONStreamReader

TNeoJSONStreamReader::EEndOfInputReached::EEndOfInputReached()
    : Exception(u"End of JSON input reached.") {}

TNeoJSONStreamReader::TNeoJSONStreamReader(TStream* AStream) : FStream(AStream) {
  // Size bytes from the current position, in blocks; fewer when the stream ends before. The copy
  // is left uninitialised beyond what is read.
  const std::size_t size = static_cast<std::size_t>(std::max<Int64>(FStream->GetSize(), 0));
  FText.reset(new unsigned char[size]);
  if (auto* memory = dynamic_cast<TCustomMemoryStream*>(FStream)) {
    // The bytes are in memory already: one copy, and the position moves past them.
    const Int64 position = memory->GetPosition();
    FSize = std::min(size, static_cast<std::size_t>(std::max<Int64>(memory->GetSize() - position, 0)));
    if (FSize > 0) std::memcpy(FText.get(), static_cast<const unsigned char*>(memory->GetMemory()) + position, FSize);
    memory->Seek(static_cast<Int64>(FSize), soCurrent);
  } else {
    while (FSize < size) {
      const std::size_t want = std::min(size - FSize, CopyBlockSize);
      const Int64 got = FStream->Read(FText.get() + FSize, static_cast<Int64>(want));
      if (got <= 0) break;
      FSize += static_cast<std::size_t>(got);
    }
  }
  if (FSize >= 3 && FText[0] == 0xEF && FText[1] == 0xBB && FText[2] == 0xBF) FStart = FPosition = 3;
}

TNeoJSONStreamReader::~TNeoJSONStreamReader() = default;

void TNeoJSONStreamReader::RaiseEndOfInput() { throw EEndOfInputReached(); }

std::string_view TNeoJSONStreamReader::PeekQuoted(bool& AEscaped) const noexcept {
  // Quote and backslash bytes never occur inside a UTF-8 sequence: the raw bytes are scanned.
  const std::size_t n = FSize;
  const unsigned char* data = FText.get();
  std::size_t p = FPosition;
  AEscaped = false;
  while (p < n) {
#ifdef __SSE2__
    // Sixteen bytes at a time up to the first quote or backslash.
    const __m128i quote = _mm_set1_epi8('"'), backslash = _mm_set1_epi8('\\');
    while (p + 16 <= n) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
      const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)));
      if (hits != 0) {
        p += static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
        break;
      }
      p += 16;
    }
    if (p >= n) break;
#endif
    const unsigned char c = data[p];
    if (c == '"') break;
    if (c == '\\') {
      AEscaped = true;
      p += 2;
    } else {
      ++p;
    }
  }
  if (p > n) p = n;   // a backslash as the last character
  return std::string_view(reinterpret_cast<const char*>(data) + FPosition, p - FPosition);
}

std::string_view TNeoJSONStreamReader::ReadQuoted(bool& AEscaped) noexcept {
  const std::string_view raw = PeekQuoted(AEscaped);
  FPosition += raw.size();
  if (FPosition < FSize) ++FPosition;   // the closing quote
  return raw;
}

String TNeoJSONStreamReader::DecodeText(std::string_view ABytes) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(ABytes.data());
  if (ABytes.size() <= 256) {   // the usual short text: decoded on the stack, then one copy
    Char chars[256];
    return String(chars, DecodeUtf8(bytes, ABytes.size(), chars));
  }
  String text;
  text.resize(ABytes.size());   // never more characters than bytes
  text.resize(DecodeUtf8(bytes, ABytes.size(), text.data()));
  return text;
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
  const std::string_view rest = FReader->Rest();
  if (rest.empty() || (rest[0] != '-' && !IsDigit(rest[0]))) return jstNone;

  // The character at k: at most 254 characters make a number, and it must end before the input.
  const auto at = [&rest](std::size_t k) -> char {
    if (k >= 255) throw EExpectedValue();
    if (k >= rest.size()) TNeoJSONStreamReader::RaiseEndOfInput();
    return rest[k];
  };
  // The integer part: an optional minus, then digits without a leading zero. The accumulated
  // value stays negative (its range is the larger); MinIncomplete is the last value that can
  // take one more digit.
  constexpr Int64 MinIncomplete = std::numeric_limits<Int64>::min() / 10;
  const bool negative = rest[0] == '-';
  std::size_t i = negative ? 1 : 0;
  char c = at(i);
  if (!IsDigit(c)) throw EExpectedValue();
  Int64 value = -(c - '0');
  bool fits = true;
  for (c = at(++i); IsDigit(c); c = at(++i)) {
    if (value == 0) throw EExpectedValue();   // a leading zero
    const int digit = c - '0';
    if (fits) {
      fits = value > MinIncomplete || (value == MinIncomplete && digit <= 8);
      if (fits) value = value * 10 - digit;
    }
  }
  bool whole = true;
  if (c == '.') {   // a fraction: at least one digit
    whole = false;
    if (!IsDigit(at(++i))) throw EExpectedValue();
    for (c = at(++i); IsDigit(c); c = at(++i)) {}
  }
  if (c == 'e' || c == 'E') {   // an exponent: an optional sign, at least one digit
    whole = false;
    c = at(++i);
    if (c == '-' || c == '+') c = at(++i);
    if (!IsDigit(c)) throw EExpectedValue();
    for (c = at(++i); IsDigit(c); c = at(++i)) {}
  }
  if (!IsSeparator(c)) throw EExpectedValue();
  // The separator stays in the input.
  std::memcpy(FPeekedNumber, rest.data(), i);
  FPeekedNumber[i] = 0;
  FPeekedNumberLength = i;
  FReader->MoveNext(i);
  if (whole && fits && (negative || value != std::numeric_limits<Int64>::min())) {
    FPeekedInt64 = negative ? value : -value;
    return jstInt64;
  }
  return jstNumber;
}

bool TNeoJSONReader::NumberValue(Double& AValue) const {
  // With "." as the decimal separator a checked number text converts straight, as TryStrToFloat
  // would convert it; otherwise (and for values beyond the float range) through TryStrToFloat.
  if (FormatSettings.DecimalSeparator == u'.') {
    const char* end = FPeekedNumber + FPeekedNumberLength;
    const auto result = std::from_chars(FPeekedNumber, end, AValue, std::chars_format::general);
    if (result.ec == std::errc() && result.ptr == end) return true;
  }
  return TryStrToFloat(NumberText(), AValue);
}

String TNeoJSONReader::ReadQuotedText() {
  bool escaped;
  const std::string_view raw = FReader->ReadQuoted(escaped);
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

void TNeoJSONReader::RaiseState(TNeoJSONState AExpected) { throw EInvalidStateException(AExpected); }

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
  const std::string_view raw = FReader->PeekQuoted(escaped);
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
      if (NumberValue(value)) {
        FPeeked = jstNone;
        return value;
      }
      FPeekedString = NumberText();
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
