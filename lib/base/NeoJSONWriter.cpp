#include "lib/base/NeoJSONWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "lib/base/NeoJSONScope.h"
#include "lib/base/NeoUtils.h"

using namespace NeoJSONScope;

namespace {

constexpr std::size_t CopyBlockSize = 1048576;

// A character that EscapeString leaves as it is.
bool IsPlainChar(Char C) noexcept {
  return C < 0x80 && C != u'"' && C != u'\\' && (C > 13 || C < 8 || C == 11);
}

bool IsAscii(StringView AText) noexcept {
  bool high = false;
  for (const Char c : AText) high |= c >= 0x80;
  return !high;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TNeoJSONStreamWriter

TNeoJSONStreamWriter::TNeoJSONStreamWriter(TStream* AStream) : FStream(AStream) {}

TNeoJSONStreamWriter::~TNeoJSONStreamWriter() = default;

void TNeoJSONStreamWriter::Flush() {
  // Every block is full up to its size except the last, which is full up to FLength.
  for (std::size_t i = 0; i < FBlocks.size(); ++i) {
    const std::size_t used = i + 1 < FBlocks.size() ? FBlocks[i].Size : FLength;
    if (used > 0) FStream->WriteBuffer(FBlocks[i].Data.get(), static_cast<Int64>(used));
  }
  FBlocks.clear();
  FCurrent = nullptr;
  FLength = 0;
  FCapacity = 0;
}

char* TNeoJSONStreamWriter::NewBlock(std::size_t ACount) {
  // The block in use ends where its text ends; the new one holds at least ACount bytes and is
  // left uninitialised.
  if (!FBlocks.empty()) FBlocks.back().Size = FLength;
  const std::size_t size = std::max(ACount + 1, CopyBlockSize);
  FBlocks.push_back(TBlock{std::unique_ptr<char[]>(new char[size]), size});
  FCurrent = FBlocks.back().Data.get();
  FLength = 0;
  FCapacity = size;
  return FCurrent;
}

void TNeoJSONStreamWriter::WriteNarrow(StringView AText) {
  char* out = Room(AText.size());
  for (const Char c : AText) *out++ = static_cast<char>(c);
  FLength += AText.size();
}

std::size_t TNeoJSONStreamWriter::WritePlain(StringView AText) {
  const std::size_t n = AText.size();
  char* out = Room(n);
  std::size_t i = 0;
#ifdef __SSE2__
  // Eight characters at a time while none of them needs an escape.
  const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80)), quote = _mm_set1_epi16(u'"'),
                backslash = _mm_set1_epi16(u'\\'), seven = _mm_set1_epi16(7), fourteen = _mm_set1_epi16(14),
                eleven = _mm_set1_epi16(11), zero = _mm_setzero_si128();
  for (; i + 8 <= n; i += 8) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(AText.data() + i));
    const __m128i wide = _mm_xor_si128(_mm_cmpeq_epi16(_mm_and_si128(chars, high), zero), _mm_set1_epi16(-1));
    const __m128i control = _mm_andnot_si128(_mm_cmpeq_epi16(chars, eleven),
                                             _mm_and_si128(_mm_cmpgt_epi16(chars, seven), _mm_cmplt_epi16(chars, fourteen)));
    const __m128i escaped = _mm_or_si128(_mm_or_si128(wide, control),
                                         _mm_or_si128(_mm_cmpeq_epi16(chars, quote), _mm_cmpeq_epi16(chars, backslash)));
    if (_mm_movemask_epi8(escaped) != 0) break;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(chars, chars));
  }
#endif
  for (; i < n && IsPlainChar(AText[i]); ++i) out[i] = static_cast<char>(AText[i]);
  FLength += i;
  return i;
}

void TNeoJSONStreamWriter::Write(StringView AText) {
  if (IsAscii(AText))
    WriteNarrow(AText);
  else
    WriteAscii(StringToAnsi(AText));
}

// ---------------------------------------------------------------------------------------------
// TNeoJSONWriter exceptions

TNeoJSONWriter::ECannotWriteName::ECannotWriteName()
    : Exception(u"Cannot write name in current Json scope") {}
TNeoJSONWriter::EMultipleRootNotAllowed::EMultipleRootNotAllowed()
    : Exception(u"Multiple root values not allowed") {}
TNeoJSONWriter::EObjectOrArrayExpected::EObjectOrArrayExpected()
    : Exception(u"Object or array expected as top-level value") {}
TNeoJSONWriter::EInvalidNesting::EInvalidNesting()
    : Exception(u"Invalid nesting. Not all arrays/objects were properly closed.") {}
TNeoJSONWriter::EMissingValue::EMissingValue() : Exception(u"Json value missing") {}
TNeoJSONWriter::ETooManyDepthLevels::ETooManyDepthLevels()
    : Exception(u"Maximum level of nested structured reached.") {}
TNeoJSONWriter::EEmptyJson::EEmptyJson()
    : Exception(u"Json is still empty. Cannot perform operation.") {}
TNeoJSONWriter::EEmptyName::EEmptyName() : Exception(u"Cannot write empty name") {}
TNeoJSONWriter::EInvalidNumber::EInvalidNumber()
    : Exception(u"Json cannot hold a number that is not finite (NaN or infinity)") {}

// ---------------------------------------------------------------------------------------------
// TNeoJSONWriter

TNeoJSONWriter::TNeoJSONWriter(TStream* AStream)
    : FWriter(std::make_unique<TNeoJSONStreamWriter>(AStream)),
      FStack{scEmptyDocument},
      FStackSize(1),
      FSeparator(u":") {}

TNeoJSONWriter::~TNeoJSONWriter() = default;

void TNeoJSONWriter::SetIndentLength(Integer AValue) {
  static const String CompactSeparator(u":"), IndentedSeparator(u": ");
  if (AValue > 0) {
    FIndent.assign(static_cast<std::size_t>(AValue), u' ');
    FSeparator = IndentedSeparator;
  } else {
    FIndent.clear();
    FSeparator = CompactSeparator;
  }
}

void TNeoJSONWriter::RaiseEmptyJson() { throw EEmptyJson(); }

void TNeoJSONWriter::Push(Byte AScope) {
  if (FStackSize >= MaxStackSize) throw ETooManyDepthLevels();
  FStack[FStackSize++] = AScope;
}

void TNeoJSONWriter::NewLine() {
  if (FIndent.empty()) return;
  FWriter->WriteAscii("\r\n");
  for (Integer i = 1; i < FStackSize; ++i) FWriter->Write(FIndent);
}

void TNeoJSONWriter::WriteEscaped(StringView AText) {
  // Runs of plain characters go out as they are; each other character as EscapeString writes
  // it, a backslash-u escape of its code unit.
  FWriter->WriteAscii("\"");
  for (std::size_t i = FWriter->WritePlain(AText); i < AText.size(); i += FWriter->WritePlain(AText.substr(i))) {
    FWriter->WriteHexEscape(AText[i]);
    ++i;
  }
  FWriter->WriteAscii("\"");
}

void TNeoJSONWriter::WritePendingName() {
  if (FDeferredName.empty()) return;
  Byte& top = Top();
  if (top == scNonEmptyObject)
    FWriter->WriteAscii(",");
  else if (top != scEmptyObject)
    throw ECannotWriteName();
  NewLine();
  WriteEscaped(FDeferredName);
  top = scDanglingName;
  FDeferredName.clear();
}

void TNeoJSONWriter::BeforeValue(TValueKind AKind) {
  // Every check comes before the first character, so that a refused call writes nothing.
  const Byte scope = Top();
  if (!FDeferredName.empty()) {
    if (scope != scEmptyObject && scope != scNonEmptyObject) throw ECannotWriteName();
  } else if (scope == scEmptyDocument) {
    if (AKind == vkScalar) throw EObjectOrArrayExpected();
  } else if (scope == scNonEmptyDocument) {
    throw EMultipleRootNotAllowed();
  } else if (scope == scEmptyObject || scope == scNonEmptyObject) {
    throw EInvalidNesting();
  }
  if (AKind == vkOpenBracket && FStackSize >= MaxStackSize) throw ETooManyDepthLevels();

  WritePendingName();
  Byte& top = Top();
  switch (top) {
    case scEmptyDocument:
      top = scNonEmptyDocument;
      break;
    case scEmptyArray:
      top = scNonEmptyArray;
      NewLine();
      break;
    case scNonEmptyArray:
      FWriter->WriteAscii(",");
      NewLine();
      break;
    case scDanglingName:
      FWriter->Write(FSeparator);
      top = scNonEmptyObject;
      break;
    default:
      break;
  }
}

TNeoJSONWriter& TNeoJSONWriter::WriteScalar(std::string_view AText) {
  BeforeValue(vkScalar);
  FWriter->WriteAscii(AText);
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteOpen(Byte AScope, std::string_view ABracket) {
  BeforeValue(vkOpenBracket);
  FWriter->WriteAscii(ABracket);
  Push(AScope);
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteClose(Byte AEmpty, Byte ANonEmpty, std::string_view ABracket) {
  const Byte top = Top();
  if (top != AEmpty && top != ANonEmpty) throw EInvalidNesting();
  if (!FDeferredName.empty()) throw EMissingValue();
  --FStackSize;
  if (top == ANonEmpty) NewLine();
  FWriter->WriteAscii(ABracket);
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteBeginObject() { return WriteOpen(scEmptyObject, "{"); }

TNeoJSONWriter& TNeoJSONWriter::WriteBeginArray() { return WriteOpen(scEmptyArray, "["); }

TNeoJSONWriter& TNeoJSONWriter::WriteEndObject() {
  return WriteClose(scEmptyObject, scNonEmptyObject, "}");
}

TNeoJSONWriter& TNeoJSONWriter::WriteEndArray() {
  return WriteClose(scEmptyArray, scNonEmptyArray, "]");
}

TNeoJSONWriter& TNeoJSONWriter::WriteName(const String& AName) {
  if (AName.empty()) throw EEmptyName();
  if (!FDeferredName.empty()) throw EMissingValue();
  if (FStackSize <= 0) throw EEmptyJson();
  FDeferredName = AName;
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteString(StringView AValue) {
  BeforeValue(vkScalar);
  WriteEscaped(AValue);
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteRawString(StringView AValue) {
  BeforeValue(vkScalar);
  FWriter->WriteAscii("\"");
  FWriter->Write(AValue);
  FWriter->WriteAscii("\"");
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteInteger(Int64 AValue) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, AValue);
  return WriteScalar(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

TNeoJSONWriter& TNeoJSONWriter::WriteDouble(Double AValue) {
  if (!std::isfinite(AValue)) throw EInvalidNumber();
  static const TFormatSettings PointSettings = [] {
    TFormatSettings s = TFormatSettings::USEnglish();
    s.DecimalSeparator = u'.';
    return s;
  }();
  Char text[FloatToStrBufSize];
  const Integer length = FloatToStrBuf(text, AValue, PointSettings);
  BeforeValue(vkScalar);
  FWriter->WriteNarrow(StringView(text, static_cast<std::size_t>(length)));
  return *this;
}

TNeoJSONWriter& TNeoJSONWriter::WriteBoolean(bool AValue) {
  return WriteScalar(AValue ? "true" : "false");
}

TNeoJSONWriter& TNeoJSONWriter::WriteNull() { return WriteScalar("null"); }

void TNeoJSONWriter::Close() {
  if (FStackSize != 1 || FStack[0] != scNonEmptyDocument) throw EInvalidNesting();
  FClosed = true;
}
