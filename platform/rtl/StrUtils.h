#pragma once
// String helpers beyond SysUtils: search from an offset, prefix and suffix tests, parts of strings,
// and the shell's natural ("logical") order.
#include "platform/rtl/SysUtils.h"

// Pos from a 1-based Offset; 0 when absent, when SubStr is empty or Offset is outside S.
Integer PosEx(StringView SubStr, StringView S, Integer Offset = 1);

bool StartsStr(StringView SubText, StringView Text);
bool EndsStr(StringView SubText, StringView Text);
bool ContainsStr(StringView Text, StringView SubText);
bool StartsText(StringView SubText, StringView Text);    // ignoring case (Unicode)
bool EndsText(StringView SubText, StringView Text);
bool ContainsText(StringView Text, StringView SubText);

String LeftStr(StringView Text, Integer Count);
String RightStr(StringView Text, Integer Count);
String MidStr(StringView Text, Integer Start, Integer Count);   // as Copy
String DupeString(StringView Text, Integer Count);
String ReverseString(StringView Text);                          // by code point
String ReplaceStr(StringView Text, StringView From, StringView To);    // every match
String ReplaceText(StringView Text, StringView From, StringView To);   // every match, ignoring case
String IfThen(bool Value, StringView True, StringView False = StringView());

// Natural order: runs of digits compare by numeric value, everything else ignoring case (and, as a
// tie-break, accents, then the run with more leading zeros first). Negative, 0 or positive.
int StrCmpLogicalW(const Char* S1, const Char* S2);
int StrCmpLogicalW(StringView S1, StringView S2);
