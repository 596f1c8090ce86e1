#pragma once
// The grid's date routines: date and time text in the locale's order, the short numeric forms
// month/day/year and day/month/year, and adding calendar parts.
#include "platform/rtl/SysUtils.h"

// Date (and optional time after a blank) in the order of the first 'D', 'M' and 'Y' of the
// locale's short date format, parts cut at the locale's date separator; the year as written. False
// for a bad part or a value that does not encode; a time part without the time separator leaves
// the date in Value and gives false.
bool ParseDateTimeText(StringView Text, TDateTime& Value);
// Month, day and year (or day, month and year) separated by the first of '/', '.', '-' found; a
// year below 100 is 2000 + y below 26, else 1900 + y. 0 when a part is bad.
TDateTime ParseMDYDate(StringView Text);
TDateTime ParseDMYDate(StringView Text);
// The locale's date separator at position 2 or later, and once more at the second position or
// later of the rest.
bool LooksLikeDate(StringView Text);
// Date moved by the one non-zero part of Years, Months and Days (the time of day kept); in every
// other case Date + Offset. EConvertError when the target day does not exist.
TDateTime AddDatePart(Integer Years, Integer Months, Integer Days, TDateTime Offset, TDateTime Date);
