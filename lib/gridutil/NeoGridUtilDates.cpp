#include "lib/gridutil/NeoGridUtilDates.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "lib/gridutil/NeoGridUtilInternal.h"
#include "lib/gridutil/NeoGridUtilNumbers.h"

using GridUtilInternal::TryWholeDecimal;

namespace {

enum TDatePart { dpDay, dpMonth, dpYear };

// Which part (day, month, year) stands first, second and third in the locale's short date format.
std::array<TDatePart, 3> LocaleDateOrder() {
  const String format = AnsiUpperCase(LocaleShortDateFormat());
  std::array<TDatePart, 3> order{dpDay, dpMonth, dpYear};
  auto at = [&format](TDatePart Part) { return format.find(Part == dpDay ? u'D' : Part == dpMonth ? u'M' : u'Y'); };
  std::stable_sort(order.begin(), order.end(), [&at](TDatePart A, TDatePart B) { return at(A) < at(B); });
  return order;
}

// The text before the first Separator, removed from Rest with it (all of Rest when it has none).
StringView CutAt(StringView& Rest, Char Separator) {
  const std::size_t at = Rest.find(Separator);
  const StringView part = Rest.substr(0, at);
  Rest = at == StringView::npos ? StringView() : Rest.substr(at + 1);
  return part;
}

bool TryEncodeParts(Integer Year, Integer Month, Integer Day, TDateTime& Date) {
  if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31) return false;
  return TryEncodeDate(static_cast<Word>(Year), static_cast<Word>(Month), static_cast<Word>(Day), Date);
}

// "h:m" or "h:m:s" with the locale's time separator; false for a bad or out-of-range part.
bool TryParseTime(StringView Text, TDateTime& Time) {
  const Char separator = LocaleTimeSeparator();
  StringView rest = Text;
  const StringView hourText = CutAt(rest, separator);
  const bool hasSeconds = rest.find(separator) != StringView::npos;
  const StringView minuteText = CutAt(rest, separator);
  Integer hour = 0, minute = 0, second = 0;
  if (!TryWholeDecimal(hourText, hour) || !TryWholeDecimal(minuteText, minute)) return false;
  if (hasSeconds && !TryWholeDecimal(rest, second)) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
  return TryEncodeTime(static_cast<Word>(hour), static_cast<Word>(minute), static_cast<Word>(second), 0, Time);
}

TDateTime ParseShortDate(StringView Text, bool MonthFirst) {
  Char separator = 0;
  for (Char candidate : {u'/', u'.', u'-'}) {
    if (Text.find(candidate) != StringView::npos) {
      separator = candidate;
      break;
    }
  }
  if (separator == 0) return 0;
  StringView rest = Text;
  const StringView first = CutAt(rest, separator);
  const StringView second = CutAt(rest, separator);
  Integer a = 0, b = 0, year = 0;
  if (!TryWholeDecimal(first, a) || !TryWholeDecimal(second, b) || !TryWholeDecimal(rest, year)) return 0;
  // Two-digit years: 00..25 in this century, 26..99 in the last; longer years as written.
  if (year >= 0 && year < 100) year += year < 26 ? 2000 : 1900;
  TDateTime date = 0;
  return TryEncodeParts(year, MonthFirst ? a : b, MonthFirst ? b : a, date) ? date : 0;
}

// EncodeDate's own error for a year it cannot hold, so that every target date fails alike.
TDateTime EncodeTarget(Int64 Year, Int64 Month, Word Day) {
  const bool inRange = Year >= 1 && Year <= 9999;
  return EncodeDate(static_cast<Word>(inRange ? Year : 0), static_cast<Word>(Month), Day);
}

}  // namespace

bool ParseDateTimeText(StringView Text, TDateTime& Value) {
  Value = 0;
  StringView rest = Text;
  const Char separator = LocaleDateSeparator();
  const StringView first = CutAt(rest, separator);
  const StringView second = CutAt(rest, separator);
  const String tail = Trim(rest);
  const std::size_t blank = tail.find(u' ');
  const StringView third = StringView(tail).substr(0, blank);

  Integer parts[3];
  if (!TryWholeDecimal(first, parts[0]) || !TryWholeDecimal(second, parts[1]) || !TryWholeDecimal(third, parts[2]))
    return false;
  Integer value[3];   // by TDatePart
  const auto order = LocaleDateOrder();
  for (std::size_t i = 0; i < 3; ++i) value[order[i]] = parts[i];
  if (value[dpDay] >= 32 || value[dpMonth] > 12) return false;
  TDateTime date = 0;
  if (!TryEncodeParts(value[dpYear], value[dpMonth], value[dpDay], date)) return false;
  if (blank == String::npos) {
    Value = date;
    return true;
  }
  const String timeText = TrimLeft(StringView(tail).substr(blank + 1));
  if (timeText.find(LocaleTimeSeparator()) == StringView::npos) {
    Value = date;
    return false;
  }
  TDateTime time = 0;
  if (!TryParseTime(timeText, time)) return false;
  Value = date + time;
  return true;
}

TDateTime ParseMDYDate(StringView Text) { return ParseShortDate(Text, true); }
TDateTime ParseDMYDate(StringView Text) { return ParseShortDate(Text, false); }

bool LooksLikeDate(StringView Text) {
  const Char separator = LocaleDateSeparator();
  const std::size_t first = Text.find(separator);
  if (first == StringView::npos || first < 1) return false;
  const std::size_t second = Text.find(separator, first + 1);
  return second != StringView::npos && second - first >= 2;
}

TDateTime AddDatePart(Integer Years, Integer Months, Integer Days, TDateTime Offset, TDateTime Date) {
  const bool onlyDays = Days != 0 && Years == 0 && Months == 0;
  const bool onlyYears = Years != 0 && Months == 0 && Days == 0;
  const bool onlyMonths = Months != 0 && Years == 0 && Days == 0;
  if (onlyDays) return Date + Days;
  if (!onlyYears && !onlyMonths) return Date + Offset;
  Word year = 0, month = 0, day = 0;
  DecodeDate(Date, year, month, day);
  TDateTime result;
  if (onlyYears) {
    result = EncodeTarget(Int64(year) + Years, month, day);
  } else {
    // Months counted from year 0, moved, and split again by floor division: any number of months
    // lands in the right year, backwards too.
    const Int64 total = Int64(year) * 12 + (month - 1) + Months;
    const Int64 targetYear = total >= 0 ? total / 12 : (total - 11) / 12;
    result = EncodeTarget(targetYear, total - targetYear * 12 + 1, day);
  }
  ReplaceTime(result, Date);
  return result;
}
