#pragma once
// The filter condition grammar as one table of cases, for every matcher of filter conditions.
//
// mlPattern rows are single conditions (TNeoUtils::MatchStr: Matches after upper-casing both texts
// unless CaseSensitive); mlExpression rows are whole filter expressions (TNeoUtils::MatchStrEx).
// The rows run under the US English format settings (dates M/d/yyyy, "." as decimal separator).
//
// Grammar of a condition:
//   "!" first negates the rest;
//   ">", ">=", "<", "<=" compare with the value after them (trimmed, outer quotes left out): as
//   numbers when both sides are numbers and not dates, as dates when both are dates, else as
//   texts by code unit; comparisons join left to right, "&" with AND, "^" (or "|", ";") with OR;
//   otherwise the condition is a wildcard text: "*" any run, "?" one character, "..." a literal
//   (a doubled quote inside: one quote); only an empty wildcard text ("" or nothing) matches an
//   empty cell.
// Grammar of an expression: conditions joined by "&" (AND) or ";", "^", "|" (OR), evaluated left to
// right, with parenthesised groups; operators inside quotes do not count; blanks outside quotes
// and one leading "=" are ignored; an empty expression matches only an empty cell.
#include "platform/rtl/System.h"

enum TMatchLevel { mlPattern, mlExpression };

struct TMatchCase {
  TMatchLevel Level;
  const Char* Condition;
  const Char* Text;
  bool CaseSensitive;
  bool Expected;
};

inline constexpr TMatchCase MatchCases[] = {
    // ---- wildcards
    {mlPattern, u"abc", u"abc", true, true},
    {mlPattern, u"abc", u"abd", true, false},
    {mlPattern, u"abc", u"ab", true, false},
    {mlPattern, u"abc", u"abcd", true, false},
    {mlPattern, u"a*", u"abc", true, true},
    {mlPattern, u"a*", u"a", true, true},
    {mlPattern, u"*c", u"abc", true, true},
    {mlPattern, u"a*c", u"abxyc", true, true},
    {mlPattern, u"a*c", u"abxycd", true, false},
    {mlPattern, u"a**c", u"ac", true, true},
    {mlPattern, u"*ab*ab", u"xababab", true, true},
    {mlPattern, u"a?c", u"abc", true, true},
    {mlPattern, u"a?c", u"ac", true, false},
    {mlPattern, u"*", u"x", true, true},
    {mlPattern, u"*", u"", true, false},
    {mlPattern, u"?*", u"", true, false},
    {mlPattern, u"", u"", true, true},
    {mlPattern, u"", u"x", true, false},
    // ---- quoted literals
    {mlPattern, u"\"\"", u"", true, true},
    {mlPattern, u"\"\"", u"x", true, false},
    {mlPattern, u"\"a*\"", u"a*", true, true},
    {mlPattern, u"\"a*\"", u"ab", true, false},
    {mlPattern, u"x\"?\"y", u"x?y", true, true},
    {mlPattern, u"x\"?\"y", u"xay", true, false},
    {mlPattern, u"\"\"\"\"", u"\"", true, true},
    {mlPattern, u"\"a b\"*", u"a bc", true, true},
    // ---- letter case
    {mlPattern, u"abc", u"ABC", true, false},
    {mlPattern, u"abc", u"ABC", false, true},
    {mlPattern, u"\u00E4*", u"\u00C4pfel", false, true},
    {mlPattern, u"\u00E4*", u"\u00C4pfel", true, false},
    // ---- negation
    {mlPattern, u"!A*", u"Apple", true, false},
    {mlPattern, u"!A*", u"Pear", true, true},
    {mlPattern, u"!A*", u"", true, true},
    {mlPattern, u"!*", u"", true, true},
    {mlPattern, u"!*", u"x", true, false},
    {mlPattern, u"hi!", u"hi!", true, true},
    // ---- comparisons: numbers
    {mlPattern, u">10", u"15", true, true},
    {mlPattern, u">10", u"5", true, false},
    {mlPattern, u">10", u"10", true, false},
    {mlPattern, u">=10", u"10", true, true},
    {mlPattern, u"<10", u"9.5", true, true},
    {mlPattern, u"<10", u"10", true, false},
    {mlPattern, u"<=10", u"10", true, true},
    {mlPattern, u"> 10", u"15", true, true},
    {mlPattern, u">9", u"10", true, true},
    {mlPattern, u"!>10", u"5", true, true},
    {mlPattern, u">10&<20", u"15", true, true},
    {mlPattern, u">10&<20", u"25", true, false},
    {mlPattern, u"<5^>10", u"3", true, true},
    {mlPattern, u"<5^>10", u"12", true, true},
    {mlPattern, u"<5^>10", u"7", true, false},
    // ---- comparisons: texts and dates
    {mlPattern, u">b", u"c", true, true},
    {mlPattern, u">b", u"a", true, false},
    {mlPattern, u"<\"m n\"", u"abc", true, true},
    {mlPattern, u">B", u"a", false, false},
    {mlPattern, u">12/31/2019", u"1/1/2020", true, true},
    {mlPattern, u"<1/15/2020", u"1/2/2020", true, true},
    {mlPattern, u">=1/2/2020", u"1/15/2020", true, true},
    // ---- expressions
    {mlExpression, u"", u"", false, true},
    {mlExpression, u"", u"x", false, false},
    {mlExpression, u"*", u"", false, false},
    {mlExpression, u"*", u"x", false, true},
    {mlExpression, u"=abc", u"ABC", false, true},
    {mlExpression, u" a b c ", u"abc", true, true},
    {mlExpression, u"\"a b\"", u"a b", true, true},
    {mlExpression, u"\"a b\"", u"ab", true, false},
    {mlExpression, u"\"\"", u"", false, true},
    {mlExpression, u"\"\"", u"x", false, false},
    {mlExpression, u">10&<20", u"15", false, true},
    {mlExpression, u">10&<20", u"25", false, false},
    {mlExpression, u"> 10 & < 20", u"15", false, true},
    {mlExpression, u"A*|B*", u"B2", false, true},
    {mlExpression, u"A*;B*", u"C", false, false},
    {mlExpression, u"A*^B*", u"apple", false, true},
    {mlExpression, u"A*^B*", u"apple", true, false},
    {mlExpression, u"(A*|B*)&*2", u"B2", false, true},
    {mlExpression, u"(A*|B*)&*2", u"B3", false, false},
    {mlExpression, u"(A*|B*)&*2", u"C2", false, false},
    {mlExpression, u"*2&(A*|B*)", u"A2", false, true},
    {mlExpression, u"(a*|b*)", u"b", false, true},
    {mlExpression, u"((a*))", u"abc", false, true},
    {mlExpression, u"x|(a*&*c)", u"abc", false, true},
    {mlExpression, u"x|(a*&*c)", u"abd", false, false},
    {mlExpression, u"!A*", u"Apple", false, false},
    {mlExpression, u"!A*", u"Pear", false, true},
    {mlExpression, u"!A*&!B*", u"Cherry", false, true},
    {mlExpression, u"!A*&!B*", u"Banana", false, false},
    {mlExpression, u"\"a|b\"", u"a|b", true, true},
    {mlExpression, u"\"a|b\"", u"a", true, false},
    {mlExpression, u"\"(x)\"", u"(x)", true, true},
    {mlExpression, u"a*&", u"a", false, false},
    {mlExpression, u">1/1/2020&<2/1/2020", u"1/15/2020", false, true},
    {mlExpression, u">1/1/2020&<2/1/2020", u"2/15/2020", false, false},
};
