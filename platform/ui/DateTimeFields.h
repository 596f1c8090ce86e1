#pragma once
// The field model of the date-time picker: its format split into fields, the value as parts, the
// focused field, stepping and typing.
//
// Format language (case matters): d dd (day), ddd dddd (short and long day name, shown only),
// M MM (month), MMM MMMM (short and long month name), y (one-digit year), yy (two-digit year),
// yyy yyyy (full year), h hh (hour 1-12), H HH (hour 0-23), m mm (minute), s ss (second), t tt (the
// first letter of / the whole AM or PM string), 'text' (a literal; '' is a quote). Every other
// character is a literal. Names come from FormatSettings as it is at each call.
//
// Typing: digits go into the focused field. A digit that completes the field (as many digits as
// the field has, or one that no further digit could follow, such as "4" in a month) is applied at
// once; an incomplete entry is applied when the entry ends (another field, a non-digit key, the
// focus leaving) and also whenever the value is read (Commit(false)), in which case a following
// digit still continues the same entry. A partial full year (fewer than four digits) is no year
// yet: only the end of the entry applies it, one or two digits through the century window of
// FormatSettings.
#include <vector>

#include "platform/rtl/DateUtils.h"
#include "platform/win/WinTypes.h"

enum TDateTimeFieldKind {
  dtfLiteral, dtfDay, dtfDayName, dtfMonth, dtfYear, dtfHour12, dtfHour24, dtfMinute, dtfSecond, dtfAmPm
};

struct TDateTimeField {
  TDateTimeFieldKind Kind = dtfLiteral;
  Integer Letters = 0;   // how many letters the format wrote (d: 1, dd: 2, ddd: 3 ...)
  String Literal;        // the text of a literal
  bool Editable() const { return Kind != dtfLiteral && Kind != dtfDayName; }
};

// The fields of a format in the picker's language.
std::vector<TDateTimeField> ParseDateTimeFormat(StringView Format);
// A format of the runtime's language (FormatSettings.ShortDateFormat, LongTimeFormat: m after h
// is the minute, "AMPM" the AM/PM string, / and : the separators) in the picker's language.
String PickerFormatFromLocale(StringView LocaleFormat, const TFormatSettings& Settings);

// A moment as its parts; always a valid date between 1601-01-01 and 9999-12-31.
struct TDateTimeParts {
  Word Year = 1899, Month = 12, Day = 30, Hour = 0, Minute = 0, Second = 0, MSec = 0;
  TDateTime ToDateTime() const;
  SYSTEMTIME ToSystemTime() const;
  // Any finite value, clamped into the supported years.
  static TDateTimeParts FromDateTime(TDateTime Value);
  // False (Parts untouched) for an invalid record (month 13, day 32, year 0 ...).
  static bool FromSystemTime(const SYSTEMTIME& ST, TDateTimeParts& Parts);
  // Compares the dates only (year, month, day).
  static int CompareDates(const TDateTimeParts& A, const TDateTimeParts& B);
};

constexpr Word MinPickerYear = 1601;
constexpr Word MaxPickerYear = 9999;

// The text of one field for a moment.
String DateTimeFieldText(const TDateTimeField& Field, const TDateTimeParts& Parts, const TFormatSettings& Settings);

class TDateTimeFieldEditor {
public:
  TDateTimeFieldEditor();

  // A format in the picker's language; the focus goes to the field of the same kind when there
  // is one, else to the first editable field.
  void SetFormat(StringView Format);
  const std::vector<TDateTimeField>& Fields() const { return FFields; }

  const TDateTimeParts& Parts() const { return FParts; }
  TDateTime Value() const { return FParts.ToDateTime(); }
  // Ends any entry; the value is clamped into the range.
  void SetValue(TDateTime Value);
  void SetParts(const TDateTimeParts& Parts);

  // The range by dates (time of day kept when clamping); a missing bound is nullptr-like: HasMin
  // false. Min above Max: Max follows Min (the bound set last wins), see SetMin / SetMax.
  void SetMin(bool Has, const TDateTimeParts& Min);
  void SetMax(bool Has, const TDateTimeParts& Max);
  bool HasMin() const { return FHasMin; }
  bool HasMax() const { return FHasMax; }
  const TDateTimeParts& Min() const { return FMin; }
  const TDateTimeParts& Max() const { return FMax; }

  // The focused field (an index into Fields), -1 when the format has no editable field.
  Integer Focused() const { return FFocused; }
  // Ends the entry and focuses the editable field nearest to Index.
  void Focus(Integer Index);

  // Left, Right, Home, End, Up, Down, PgUp, PgDn; other keys end the entry. True when the value
  // changed.
  bool KeyDown(UINT Key);
  // A character for the focused field: digits, and for an AM/PM field the first letter of the AM
  // or PM string. False when the field does not take it (the value is then untouched).
  bool TypeChar(Char C, bool& Changed);
  // Applies a pending entry. EndEntry: the entry is over (the next digit starts a new one).
  // True when the value changed.
  bool Commit(bool EndEntry);
  bool Typing() const { return !FTyped.empty(); }
  // Steps the focused field by Delta (wrapping inside its range, no carry). True when changed.
  bool Step(Integer Delta);

  // The shown text of a field (the typed digits while an entry is not applied yet) and of all.
  String FieldDisplay(Integer Index) const;
  String Text() const;

private:
  struct TLimits {
    Integer Low, High, Digits;
  };
  TLimits Limits(const TDateTimeField& Field) const;
  // Puts the typed number into the focused field; false when it is no value of the field.
  bool Apply(Integer Number, Integer Digits, bool EndEntry);
  bool ClampToRange();
  Integer NextEditable(Integer From, Integer Direction) const;

  std::vector<TDateTimeField> FFields;
  TDateTimeParts FParts;
  bool FHasMin = false, FHasMax = false;
  TDateTimeParts FMin, FMax;
  Integer FFocused = -1;
  String FTyped;            // digits typed into the focused field in this entry
  bool FTypedApplied = false;
};
