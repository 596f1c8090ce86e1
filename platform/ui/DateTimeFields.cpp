// The date-time picker's field model: format parsing, the locale's formats in the picker's
// language, field texts, stepping and typing.
#include "platform/ui/DateTimeFields.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win/WinUser.h"

namespace {

bool IsLetter(Char C) { return (C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z'); }
Char Lower(Char C) { return (C >= u'A' && C <= u'Z') ? static_cast<Char>(C + 32) : C; }

// Appends a literal to the fields, joining it with a literal before it.
void AddLiteral(std::vector<TDateTimeField>& Fields, StringView Text) {
  if (Text.empty()) return;
  if (!Fields.empty() && Fields.back().Kind == dtfLiteral) {
    Fields.back().Literal += Text;
    return;
  }
  TDateTimeField f;
  f.Literal = String(Text);
  Fields.push_back(f);
}

// The text of a quoted section starting at I (the quote); I moves past the closing quote.
String Quoted(StringView F, std::size_t& I) {
  String out;
  Char q = F[I++];
  while (I < F.size()) {
    if (F[I] == q) {
      if (I + 1 < F.size() && F[I + 1] == q) {   // a doubled quote stands for itself
        out += q;
        I += 2;
        continue;
      }
      ++I;
      return out;
    }
    out += F[I++];
  }
  return out;
}

String Padded(Integer Value, Integer Digits) {
  String s = IntToStr(Value);
  if (static_cast<Integer>(s.size()) < Digits) s.insert(0, static_cast<std::size_t>(Digits) - s.size(), u'0');
  return s;
}

// A literal in the picker's language: quoted when it holds letters or quotes.
String QuoteLiteral(StringView Text) {
  if (std::none_of(Text.begin(), Text.end(), [](Char c) { return IsLetter(c) || c == u'\''; })) return String(Text);
  String out = u"'";
  for (Char c : Text) {
    if (c == u'\'') out += u'\'';
    out += c;
  }
  return out + u"'";
}

bool MatchesAt(StringView S, std::size_t I, StringView Token) {
  if (I + Token.size() > S.size()) return false;
  for (std::size_t k = 0; k < Token.size(); ++k)
    if (Lower(S[I + k]) != Token[k]) return false;
  return true;
}

bool HasAmPmToken(StringView F) {
  for (std::size_t i = 0; i < F.size(); ++i)
    if (MatchesAt(F, i, u"am/pm") || MatchesAt(F, i, u"a/p") || MatchesAt(F, i, u"ampm")) return true;
  return false;
}

// One or two typed digits of a full year: the year ending so within the century window.
Word ExpandShortYear(Integer Short) {
  Word now = YearOf(Now());
  Word window = FormatSettings.TwoDigitYearCenturyWindow;
  if (window == 0) return static_cast<Word>(now / 100 * 100 + Short);
  Integer last = now + window;   // the window is the 100 years ending here
  Integer year = last / 100 * 100 + Short;
  if (year > last) year -= 100;
  return static_cast<Word>(std::clamp<Integer>(year, MinPickerYear, MaxPickerYear));
}

void ConvertLocale(String& Out, StringView F, const TFormatSettings& S, int Depth) {
  if (Depth > 2) return;
  const bool hour12 = HasAmPmToken(F);
  bool afterHour = false;
  for (std::size_t i = 0; i < F.size();) {
    Char c = F[i];
    if (c == u'\'' || c == u'"') {
      Out += QuoteLiteral(Quoted(F, i));
      continue;
    }
    if (MatchesAt(F, i, u"am/pm") || MatchesAt(F, i, u"ampm")) {
      Out += u"tt";
      i += MatchesAt(F, i, u"ampm") ? 4 : 5;
      continue;
    }
    if (MatchesAt(F, i, u"a/p")) {
      Out += u"t";
      i += 3;
      continue;
    }
    Char l = Lower(c);
    std::size_t n = 1;
    while (i + n < F.size() && Lower(F[i + n]) == l) ++n;
    bool hour = false;
    auto letters = [&](Char Letter, std::size_t Count) { Out.append(Count, Letter); };
    switch (l) {
      case u'd':
        if (n <= 4) letters(u'd', n);
        else ConvertLocale(Out, n == 5 ? S.ShortDateFormat : S.LongDateFormat, S, Depth + 1);
        break;
      case u'm':
        if (afterHour && n <= 2) letters(u'm', n);
        else letters(u'M', std::min<std::size_t>(n, 4));
        break;
      case u'n': letters(u'm', std::min<std::size_t>(n, 2)); break;
      case u'y': letters(u'y', n <= 2 ? 2 : 4); break;
      case u'h':
        letters(hour12 ? u'h' : u'H', std::min<std::size_t>(n, 2));
        hour = true;
        break;
      case u's': letters(u's', std::min<std::size_t>(n, 2)); break;
      case u'z': break;   // the picker has no millisecond field
      case u't':
        ConvertLocale(Out, n == 1 ? S.ShortTimeFormat : S.LongTimeFormat, S, Depth + 1);
        break;
      case u'c':
        ConvertLocale(Out, S.ShortDateFormat, S, Depth + 1);
        Out += u' ';
        ConvertLocale(Out, S.LongTimeFormat, S, Depth + 1);
        break;
      case u'/': Out += QuoteLiteral(String(1, S.DateSeparator)); n = 1; break;
      case u':': Out += QuoteLiteral(String(1, S.TimeSeparator)); n = 1; break;
      default:
        if (IsLetter(c)) Out += QuoteLiteral(F.substr(i, n));
        else Out.append(F.substr(i, n));
        break;
    }
    if (hour) afterHour = true;
    else if (IsLetter(c)) afterHour = false;
    i += n;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Formats

std::vector<TDateTimeField> ParseDateTimeFormat(StringView F) {
  std::vector<TDateTimeField> fields;
  for (std::size_t i = 0; i < F.size();) {
    Char c = F[i];
    if (c == u'\'') {
      AddLiteral(fields, Quoted(F, i));
      continue;
    }
    std::size_t n = 1;
    while (i + n < F.size() && F[i + n] == c) ++n;
    TDateTimeField f;
    auto take = [&](TDateTimeFieldKind Kind, std::size_t Max) {
      f.Kind = Kind;
      n = std::min(n, Max);
      f.Letters = static_cast<Integer>(n);
    };
    switch (c) {
      case u'd':
        if (n >= 3) take(dtfDayName, 4);
        else take(dtfDay, 2);
        break;
      case u'M': take(dtfMonth, 4); break;
      case u'y': take(dtfYear, 4); break;
      case u'h': take(dtfHour12, 2); break;
      case u'H': take(dtfHour24, 2); break;
      case u'm': take(dtfMinute, 2); break;
      case u's': take(dtfSecond, 2); break;
      case u't': take(dtfAmPm, 2); break;
      default: AddLiteral(fields, F.substr(i, n)); i += n; continue;
    }
    fields.push_back(f);
    i += n;
  }
  return fields;
}

String PickerFormatFromLocale(StringView LocaleFormat, const TFormatSettings& Settings) {
  String out;
  ConvertLocale(out, LocaleFormat, Settings, 0);
  return out;
}

// ---------------------------------------------------------------------------------------------
// Parts

TDateTime TDateTimeParts::ToDateTime() const {
  TDateTime v = 0;
  TryEncodeDateTime(Year, Month, Day, Hour, Minute, Second, MSec, v);
  return v;
}

SYSTEMTIME TDateTimeParts::ToSystemTime() const {
  SYSTEMTIME st{};
  st.wYear = Year;
  st.wMonth = Month;
  st.wDay = Day;
  st.wHour = Hour;
  st.wMinute = Minute;
  st.wSecond = Second;
  st.wMilliseconds = MSec;
  st.wDayOfWeek = static_cast<Word>(DayOfWeek(ToDateTime()) - 1);
  return st;
}

TDateTimeParts TDateTimeParts::FromDateTime(TDateTime Value) {
  TDateTimeParts p;
  if (!std::isfinite(Value)) return p;
  static const TDateTime low = EncodeDate(MinPickerYear, 1, 1);
  static const TDateTime high = EncodeDateTime(MaxPickerYear, 12, 31, 23, 59, 59, 999);
  if (Value < low) Value = low;
  if (Value > high) Value = high;
  DecodeDateTime(Value, p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, p.MSec);
  return p;
}

bool TDateTimeParts::FromSystemTime(const SYSTEMTIME& ST, TDateTimeParts& Parts) {
  TDateTime v;
  if (ST.wYear < MinPickerYear || !TryEncodeDateTime(ST.wYear, ST.wMonth, ST.wDay, ST.wHour, ST.wMinute, ST.wSecond,
                                                       ST.wMilliseconds, v))
    return false;
  Parts = TDateTimeParts{ST.wYear, ST.wMonth, ST.wDay, ST.wHour, ST.wMinute, ST.wSecond, ST.wMilliseconds};
  return true;
}

int TDateTimeParts::CompareDates(const TDateTimeParts& A, const TDateTimeParts& B) {
  auto key = [](const TDateTimeParts& P) { return (P.Year * 13 + P.Month) * 32 + P.Day; };
  return key(A) < key(B) ? -1 : key(A) > key(B) ? 1 : 0;
}

String DateTimeFieldText(const TDateTimeField& Field, const TDateTimeParts& P, const TFormatSettings& S) {
  bool two = Field.Letters >= 2;
  switch (Field.Kind) {
    case dtfLiteral: return Field.Literal;
    case dtfDay: return Padded(P.Day, two ? 2 : 1);
    case dtfDayName: {
      Word dow = DayOfWeek(P.ToDateTime());   // 1 = Sunday
      return (Field.Letters == 3 ? S.ShortDayNames : S.LongDayNames)[dow - 1];
    }
    case dtfMonth:
      if (Field.Letters >= 3) return (Field.Letters == 3 ? S.ShortMonthNames : S.LongMonthNames)[P.Month - 1];
      return Padded(P.Month, two ? 2 : 1);
    case dtfYear:
      if (Field.Letters == 1) return IntToStr(P.Year % 10);
      if (Field.Letters == 2) return Padded(P.Year % 100, 2);
      return Padded(P.Year, 4);
    case dtfHour12: return Padded(P.Hour % 12 == 0 ? 12 : P.Hour % 12, two ? 2 : 1);
    case dtfHour24: return Padded(P.Hour, two ? 2 : 1);
    case dtfMinute: return Padded(P.Minute, two ? 2 : 1);
    case dtfSecond: return Padded(P.Second, two ? 2 : 1);
    case dtfAmPm: {
      const String& s = P.Hour >= 12 ? S.TimePMString : S.TimeAMString;
      return two || s.empty() ? s : s.substr(0, 1);
    }
  }
  return String();
}

// ---------------------------------------------------------------------------------------------
// The editor

TDateTimeFieldEditor::TDateTimeFieldEditor() = default;

void TDateTimeFieldEditor::SetFormat(StringView Format) {
  Commit(true);
  TDateTimeFieldKind kind = FFocused >= 0 ? FFields[static_cast<std::size_t>(FFocused)].Kind : dtfLiteral;
  FFields = ParseDateTimeFormat(Format);
  FFocused = -1;
  for (std::size_t i = 0; i < FFields.size(); ++i)
    if (FFields[i].Editable() && FFields[i].Kind == kind) {
      FFocused = static_cast<Integer>(i);
      return;
    }
  FFocused = NextEditable(-1, 1);
}

void TDateTimeFieldEditor::SetValue(TDateTime Value) { SetParts(TDateTimeParts::FromDateTime(Value)); }

void TDateTimeFieldEditor::SetParts(const TDateTimeParts& Parts) {
  FTyped.clear();
  FTypedApplied = false;
  FParts = Parts;
  ClampToRange();
}

void TDateTimeFieldEditor::SetMin(bool Has, const TDateTimeParts& Min) {
  FHasMin = Has;
  FMin = Min;
  if (Has && FHasMax && TDateTimeParts::CompareDates(FMin, FMax) > 0) FMax = FMin;
  ClampToRange();
}

void TDateTimeFieldEditor::SetMax(bool Has, const TDateTimeParts& Max) {
  FHasMax = Has;
  FMax = Max;
  if (Has && FHasMin && TDateTimeParts::CompareDates(FMin, FMax) > 0) FMin = FMax;
  ClampToRange();
}

bool TDateTimeFieldEditor::ClampToRange() {
  const TDateTimeParts* bound = nullptr;
  if (FHasMin && TDateTimeParts::CompareDates(FParts, FMin) < 0) bound = &FMin;
  else if (FHasMax && TDateTimeParts::CompareDates(FParts, FMax) > 0) bound = &FMax;
  if (!bound) return false;
  FParts.Year = bound->Year;
  FParts.Month = bound->Month;
  FParts.Day = bound->Day;
  return true;
}

Integer TDateTimeFieldEditor::NextEditable(Integer From, Integer Direction) const {
  auto n = static_cast<Integer>(FFields.size());
  for (Integer i = From + Direction; i >= 0 && i < n; i += Direction)
    if (FFields[static_cast<std::size_t>(i)].Editable()) return i;
  return -1;
}

void TDateTimeFieldEditor::Focus(Integer Index) {
  Commit(true);
  auto n = static_cast<Integer>(FFields.size());
  Index = std::clamp(Index, 0, std::max(0, n - 1));
  if (n == 0) return;
  if (FFields[static_cast<std::size_t>(Index)].Editable()) {
    FFocused = Index;
    return;
  }
  Integer after = NextEditable(Index, 1), before = NextEditable(Index, -1);
  if (after >= 0 && (before < 0 || after - Index <= Index - before)) FFocused = after;
  else if (before >= 0) FFocused = before;
}

TDateTimeFieldEditor::TLimits TDateTimeFieldEditor::Limits(const TDateTimeField& Field) const {
  switch (Field.Kind) {
    case dtfDay: return {1, DaysInAMonth(FParts.Year, FParts.Month), 2};
    case dtfMonth: return {1, 12, 2};
    case dtfYear:
      if (Field.Letters == 1) return {0, 9, 1};
      if (Field.Letters == 2) return {0, 99, 2};
      return {MinPickerYear, MaxPickerYear, 4};
    case dtfHour12: return {1, 12, 2};
    case dtfHour24: return {0, 23, 2};
    case dtfMinute: case dtfSecond: return {0, 59, 2};
    default: return {0, 0, 0};
  }
}

bool TDateTimeFieldEditor::Apply(Integer Number, Integer Digits, bool EndEntry) {
  const TDateTimeField& f = FFields[static_cast<std::size_t>(FFocused)];
  TLimits lim = Limits(f);
  TDateTimeParts old = FParts;
  switch (f.Kind) {
    case dtfDay:
      if (Number < 1) return false;
      FParts.Day = static_cast<Word>(std::min(Number, lim.High));
      break;
    case dtfMonth:
      if (Number < 1) return false;
      FParts.Month = static_cast<Word>(std::min(Number, 12));
      FParts.Day = std::min(FParts.Day, DaysInAMonth(FParts.Year, FParts.Month));
      break;
    case dtfYear: {
      Integer year;
      if (f.Letters == 1) year = FParts.Year / 10 * 10 + Number;
      else if (f.Letters == 2) year = FParts.Year / 100 * 100 + Number;
      else if (Digits == 4) year = Number;
      else if (!EndEntry) return false;   // a partial full year is no year yet
      else year = Digits <= 2 ? ExpandShortYear(Number) : Number;
      FParts.Year = static_cast<Word>(std::clamp<Integer>(year, MinPickerYear, MaxPickerYear));
      FParts.Day = std::min(FParts.Day, DaysInAMonth(FParts.Year, FParts.Month));
      break;
    }
    case dtfHour12:
      if (Number < 1) return false;
      FParts.Hour = static_cast<Word>((FParts.Hour >= 12 ? 12 : 0) + std::min(Number, 12) % 12);
      break;
    case dtfHour24: FParts.Hour = static_cast<Word>(std::min(Number, lim.High)); break;
    case dtfMinute: FParts.Minute = static_cast<Word>(std::min(Number, lim.High)); break;
    case dtfSecond: FParts.Second = static_cast<Word>(std::min(Number, lim.High)); break;
    default: return false;
  }
  ClampToRange();
  return std::memcmp(&old, &FParts, sizeof old) != 0;
}

bool TDateTimeFieldEditor::Commit(bool EndEntry) {
  if (FTyped.empty()) return false;
  bool changed = false;
  if (!FTypedApplied && FFocused >= 0) {
    const TDateTimeField& f = FFields[static_cast<std::size_t>(FFocused)];
    auto digits = static_cast<Integer>(FTyped.size());
    bool partialYear = f.Kind == dtfYear && f.Letters >= 3 && digits < 4;
    if (EndEntry || !partialYear) {
      changed = Apply(StrToIntDef(FTyped, 0), digits, EndEntry);
      FTypedApplied = true;
    }
  }
  if (EndEntry) {
    FTyped.clear();
    FTypedApplied = false;
  }
  return changed;
}

bool TDateTimeFieldEditor::TypeChar(Char C, bool& Changed) {
  Changed = false;
  if (FFocused < 0) return false;
  const TDateTimeField& f = FFields[static_cast<std::size_t>(FFocused)];
  if (f.Kind == dtfAmPm) {
    auto starts = [&](const String& S) { return !S.empty() && CharUpper(S[0]) == CharUpper(C); };
    bool am = starts(FormatSettings.TimeAMString), pm = starts(FormatSettings.TimePMString);
    if (!am && !pm) return false;
    Word hour = static_cast<Word>(FParts.Hour % 12 + (pm && !am ? 12 : 0));
    Changed = hour != FParts.Hour;
    FParts.Hour = hour;
    return true;
  }
  if (C < u'0' || C > u'9' || !f.Editable()) return false;
  TLimits lim = Limits(f);
  if (static_cast<Integer>(FTyped.size()) >= lim.Digits) FTyped.clear();
  FTyped += C;
  FTypedApplied = false;
  Integer number = StrToIntDef(FTyped, 0);
  auto digits = static_cast<Integer>(FTyped.size());
  bool complete = digits >= lim.Digits || (lim.Digits < 4 && number * 10 > lim.High);
  if (complete) {
    Changed = Apply(number, digits, true);
    FTyped.clear();
  }
  return true;
}

bool TDateTimeFieldEditor::Step(Integer Delta) {
  if (FFocused < 0) return false;
  const TDateTimeField& f = FFields[static_cast<std::size_t>(FFocused)];
  TDateTimeParts old = FParts;
  auto wrap = [](Integer Value, Integer Low, Integer High) {
    Integer span = High - Low + 1;
    return static_cast<Word>(Low + ((Value - Low) % span + span) % span);
  };
  switch (f.Kind) {
    case dtfDay: FParts.Day = wrap(FParts.Day + Delta, 1, DaysInAMonth(FParts.Year, FParts.Month)); break;
    case dtfMonth:
      FParts.Month = wrap(FParts.Month + Delta, 1, 12);
      FParts.Day = std::min(FParts.Day, DaysInAMonth(FParts.Year, FParts.Month));
      break;
    case dtfYear:
      FParts.Year = static_cast<Word>(std::clamp<Integer>(FParts.Year + Delta, MinPickerYear, MaxPickerYear));
      FParts.Day = std::min(FParts.Day, DaysInAMonth(FParts.Year, FParts.Month));
      break;
    case dtfHour12: FParts.Hour = static_cast<Word>(FParts.Hour / 12 * 12 + wrap(FParts.Hour % 12 + Delta, 0, 11)); break;
    case dtfHour24: FParts.Hour = wrap(FParts.Hour + Delta, 0, 23); break;
    case dtfMinute: FParts.Minute = wrap(FParts.Minute + Delta, 0, 59); break;
    case dtfSecond: FParts.Second = wrap(FParts.Second + Delta, 0, 59); break;
    case dtfAmPm: FParts.Hour = static_cast<Word>((FParts.Hour + 12) % 24); break;
    default: return false;
  }
  ClampToRange();
  return std::memcmp(&old, &FParts, sizeof old) != 0;
}

bool TDateTimeFieldEditor::KeyDown(UINT Key) {
  bool changed = Commit(true);
  Integer last = NextEditable(static_cast<Integer>(FFields.size()), -1);
  switch (Key) {
    case VK_LEFT:
      if (Integer i = NextEditable(FFocused, -1); i >= 0) FFocused = i;
      break;
    case VK_RIGHT:
      if (Integer i = NextEditable(FFocused, 1); i >= 0) FFocused = i;
      break;
    case VK_HOME: FFocused = NextEditable(-1, 1); break;
    case VK_END: FFocused = last; break;
    case VK_UP: case VK_PRIOR: changed |= Step(1); break;
    case VK_DOWN: case VK_NEXT: changed |= Step(-1); break;
    default: break;
  }
  return changed;
}

String TDateTimeFieldEditor::FieldDisplay(Integer Index) const {
  if (Index == FFocused && !FTyped.empty() && !FTypedApplied) return FTyped;
  return DateTimeFieldText(FFields[static_cast<std::size_t>(Index)], FParts, FormatSettings);
}

String TDateTimeFieldEditor::Text() const {
  String out;
  for (std::size_t i = 0; i < FFields.size(); ++i) out += FieldDisplay(static_cast<Integer>(i));
  return out;
}
