// libFuzzer target: the text conversions over arbitrary input (see README.md beside this file).
//
// The first byte picks the route (low two bits) and the settings (bit 2: German, else US
// English); the rest, read as UTF-8, is the text. Numbers: StrToFloat and StrToInt64 agree with
// their Try forms, and an accepted value comes back exactly from FloatToStr / IntToStr. Dates:
// StrToDateTime, StrToDate and StrToTime agree with their Try forms, and the text an accepted
// value is written as reads back to a value written the same way. Format: the input is the
// format over a fixed set of arguments and may be refused only with EConvertError; the same call
// gives the same text, and the input with every "%" doubled formats to itself. FormatFloat and
// FormatDateTime: the input is the format; the same call gives the same text, and a quoted
// literal formats to its text.
#include <cmath>
#include <cstdint>
#include <functional>

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/fuzz/FuzzSupport.h"

namespace {

using fuzz::Finding;

// The result of a call that may be refused with EConvertError, and whether it was.
template <class T>
bool Converted(const std::function<T()>& ACall, T& AResult) {
  try {
    AResult = ACall();
    return true;
  } catch (EConvertError&) {
    return false;
  }
}

void Numbers(const String& AText, const TFormatSettings& AFs) {
  Double value = 0;
  const bool accepted = TryStrToFloat(AText, value, AFs);
  Double raised = 0;
  if (Converted<Double>([&] { return StrToFloat(AText, AFs); }, raised) != accepted)
    Finding("StrToFloat and TryStrToFloat disagree", AText);
  if (accepted) {
    if (!std::isfinite(value)) Finding("an accepted number is not finite", AText);
    if (raised != value) Finding("StrToFloat and TryStrToFloat read different values", AText);
    const String written = FloatToStr(value, AFs);
    Double back = 0;
    if (!TryStrToFloat(written, back, AFs) || back != value) Finding("FloatToStr does not read back", AText, written);
  }
  Int64 number = 0;
  if (TryStrToInt64(AText, number)) {
    const String written = IntToStr(number);
    Int64 back = 0;
    if (!TryStrToInt64(written, back) || back != number) Finding("IntToStr does not read back", AText, written);
  }
}

// One of the date readers with its Try form and the writer of what it reads.
struct TDateRoute {
  bool (*Try)(StringView, TDateTime&, const TFormatSettings&);
  TDateTime (*Raise)(StringView);
  String (*Write)(TDateTime, const TFormatSettings&);
};

void Dates(const String& AText, const TFormatSettings& AFs) {
  static const TDateRoute routes[] = {
      {TryStrToDateTime, StrToDateTime, DateTimeToStr},
      {TryStrToDate, StrToDate, DateToStr},
      {TryStrToTime, StrToTime, TimeToStr},
  };
  // The raising forms read with the global settings.
  FormatSettings = AFs;
  for (const TDateRoute& r : routes) {
    TDateTime value = 0;
    const bool accepted = r.Try(AText, value, AFs);
    TDateTime raised = 0;
    if (Converted<TDateTime>([&] { return r.Raise(AText); }, raised) != accepted)
      Finding("a date reader and its Try form disagree", AText);
    if (!accepted) continue;
    if (raised != value) Finding("a date reader and its Try form read different values", AText);
    const String written = r.Write(value, AFs);
    TDateTime back = 0;
    if (!r.Try(written, back, AFs)) Finding("a written date does not read back", AText, written);
    if (r.Write(back, AFs) != written) Finding("a written date reads back as another", written, r.Write(back, AFs));
  }
}

const TVarRec Arguments[] = {TVarRec(-7), TVarRec(static_cast<Int64>(-1234567890123LL)), TVarRec(2.5),
                             TVarRec(u"text"), TVarRec(static_cast<const void*>(&Arguments)), TVarRec(u'c')};

void Formats(const String& AText, const TFormatSettings& AFs) {
  auto format = [&](StringView AFormat) {
    return Format(AFormat, Arguments, std::size(Arguments), AFs);
  };
  String first;
  if (Converted<String>([&] { return format(AText); }, first) && format(AText) != first)
    Finding("Format gives two texts for one call", AText);
  String escaped;
  if (!Converted<String>([&] { return format(ReplaceStr(AText, u"%", u"%%")); }, escaped) || escaped != AText)
    Finding("a text with its percent signs doubled does not format to itself", AText, escaped);
}

void FloatFormats(const String& AText, const TFormatSettings& AFs) {
  static const Double values[] = {0.0, 1234.5678, -0.00125, 1e20, -9.87654321e-20, 123456789012345678.0};
  for (Double value : values) {
    String first;
    if (Converted<String>([&] { return FormatFloat(AText, value, AFs); }, first) &&
        FormatFloat(AText, value, AFs) != first)
      Finding("FormatFloat gives two texts for one call", AText);
  }
  String first;
  const TDateTime when = 45678.5432;
  if (Converted<String>([&] { return FormatDateTime(AText, when, AFs); }, first) &&
      FormatDateTime(AText, when, AFs) != first)
    Finding("FormatDateTime gives two texts for one call", AText);
  // A quoted literal is its text, in both languages.
  const String literal = ReplaceStr(AText, u"\"", u"");
  const String quoted = u"\"" + literal + u"\"";
  String out;
  if (!Converted<String>([&] { return FormatFloat(quoted, 1.0, AFs); }, out) || out != literal)
    Finding("FormatFloat changes a quoted literal", quoted, out);
  if (!Converted<String>([&] { return FormatDateTime(quoted, when, AFs); }, out) || out != literal)
    Finding("FormatDateTime changes a quoted literal", quoted, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  if (Size == 0) return 0;
  const TFormatSettings settings = (Data[0] & 4) ? TFormatSettings::German() : TFormatSettings::USEnglish();
  const String text = fuzz::Utf8(Data + 1, Size - 1);
  try {
    switch (Data[0] % 4) {
      case 0: Numbers(text, settings); break;
      case 1: Dates(text, settings); break;
      case 2: Formats(text, settings); break;
      default: FloatFormats(text, settings); break;
    }
  } catch (Exception&) {
    // a refusal; anything else leaving a call is a finding
  }
  return 0;
}
