#pragma once
// Filter matching of cell text: expressions of operands joined by '&' (and) and '|', '^', ';'
// (or) with groups in parentheses; operands with the wildcards '*' and '?', the comparisons
// '>', '>=', '<', '<=' (numeric, date-time or text, whichever both sides are), '!' negation and
// double-quoted literals.
#include "platform/rtl/SysUtils.h"

// Whether Text matches the filter Expression (blanks outside double quotes and a leading '='
// are ignored).
bool EvalFilterExpression(StringView Expression, StringView Text, bool CaseSensitive);
// One operand: two double quotes match only the empty text; otherwise MatchFilterPattern, on the
// upper-cased texts unless CaseSensitive.
bool EvalFilterOperand(StringView Operand, StringView Text, bool CaseSensitive);
bool MatchFilterPattern(StringView Pattern, StringView Text);

// Every blank outside double quotes removed (each quote toggles inside and outside).
String StripBlanksOutsideQuotes(StringView Text);
// The first character of Set outside double quotes and at an even depth of parentheses, its
// position in Pos; character 0 and Pos -1 when there is none.
Char FindFilterOperator(StringView Set, StringView Text, Integer& Pos);
// The position of the first ')' that closes as many '(' as came before it; 0 when none.
Integer MatchingParenPos(StringView Text);
// The position of the first C outside double quotes; 0 when there is none.
Integer FindCharOutsideQuotes(StringView Text, Char C);
