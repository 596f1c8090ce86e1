// TNeoUtils: filter conditions (Matches, MatchStr, MatchStrEx) and date parsing.
#include <algorithm>
#include <vector>

#include "lib/base/NeoUtils.h"
#include "lib/base/NeoUtilsInternal.h"
#include "platform/rtl/DateUtils.h"

namespace {

bool IsCombinator(Char C) { return C == u'&' || C == u'^' || C == u'|' || C == u';'; }
bool IsComparison(Char C) { return C == u'<' || C == u'>'; }

// Index of the first character at or after From that satisfies Stop and stands outside double
// quotes; S.size() when none.
template <class Pred>
std::size_t FindOutsideQuotes(StringView S, std::size_t From, Pred Stop) {
  bool quoted = false;
  for (std::size_t i = From; i < S.size(); ++i) {
    if (S[i] == u'"') quoted = !quoted;
    else if (!quoted && Stop(S[i])) return i;
  }
  return S.size();
}

// ---------------------------------------------------------------------------------------------
// Wildcards: the pattern becomes tokens first, so quoted literals need no special case later.

struct TWildToken {
  enum TKind { wkLiteral, wkAny, wkRun } Kind;
  Char C;
};

std::vector<TWildToken> WildTokens(StringView P) {
  std::vector<TWildToken> tokens;
  tokens.reserve(P.size());
  for (std::size_t i = 0; i < P.size(); ++i) {
    const Char c = P[i];
    if (c == u'*') {
      if (tokens.empty() || tokens.back().Kind != TWildToken::wkRun) tokens.push_back({TWildToken::wkRun, 0});
    } else if (c == u'?') {
      tokens.push_back({TWildToken::wkAny, 0});
    } else if (c == u'"') {
      // A literal up to the closing quote; a doubled quote inside stands for one quote.
      for (++i; i < P.size(); ++i) {
        if (P[i] == u'"') {
          if (i + 1 < P.size() && P[i + 1] == u'"') ++i;
          else break;
        }
        tokens.push_back({TWildToken::wkLiteral, P[i]});
      }
    } else {
      tokens.push_back({TWildToken::wkLiteral, c});
    }
  }
  return tokens;
}

// Classic glob matching with one back-tracking point: linear in practice, O(n * m) at worst.
bool WildMatch(StringView P, StringView S) {
  const std::vector<TWildToken> t = WildTokens(P);
  // Only an empty pattern matches an empty text: "*" asks for something.
  if (S.empty()) return t.empty();
  std::size_t ti = 0, si = 0;
  std::size_t starT = std::string::npos, starS = 0;
  while (si < S.size()) {
    if (ti < t.size() && t[ti].Kind == TWildToken::wkRun) {
      starT = ti++;
      starS = si;
    } else if (ti < t.size() && (t[ti].Kind == TWildToken::wkAny || t[ti].C == S[si])) {
      ++ti;
      ++si;
    } else if (starT != std::string::npos) {
      ti = starT + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (ti < t.size() && t[ti].Kind == TWildToken::wkRun) ++ti;
  return ti == t.size();
}

// ---------------------------------------------------------------------------------------------
// Comparisons

// The value of a comparison: outer quotes left out, blanks around it trimmed.
String ComparisonValue(StringView V) {
  String v = Trim(V);
  if (!v.empty() && v.front() == u'"') v.erase(0, 1);
  if (!v.empty() && v.back() == u'"') v.pop_back();
  return v;
}

// < 0, 0, > 0 for S against Value: as numbers when both are numbers and neither is a date, as
// dates when both are dates, else as texts (the first 255 characters, by code unit).
int CompareFilterValues(StringView S, StringView Value) {
  TDateTime ds = 0, dv = 0;
  const bool sDate = TNeoUtils::IsDate(S, ds);
  const bool vDate = TNeoUtils::IsDate(Value, dv);
  Double ns = 0, nv = 0;
  if (!sDate && !vDate && TryStrToFloat(S, ns) && TryStrToFloat(Value, nv)) return ns < nv ? -1 : (ns > nv ? 1 : 0);
  if (sDate && vDate) return ds < dv ? -1 : (ds > dv ? 1 : 0);
  const Integer c = CompareStr(S.substr(0, 255), Value.substr(0, 255));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// One term of a comparison chain: "<", "<=", ">", ">=" and a value, or else a wildcard text.
bool MatchTerm(StringView Term, StringView S) {
  if (Term.empty() || !IsComparison(Term[0])) return WildMatch(Term, S);
  const bool greater = Term[0] == u'>';
  std::size_t i = 1;
  const bool orEqual = i < Term.size() && Term[i] == u'=';
  if (orEqual) ++i;
  const int c = CompareFilterValues(S, ComparisonValue(Term.substr(i)));
  if (greater) return orEqual ? c >= 0 : c > 0;
  return orEqual ? c <= 0 : c < 0;
}

// Comparisons joined by "&" (AND) or "^", "|", ";" (OR), left to right.
bool MatchComparisons(StringView P, StringView S) {
  bool result = false;
  Char op = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = FindOutsideQuotes(P, start, IsCombinator);
    const bool v = MatchTerm(P.substr(start, end - start), S);
    result = op == 0 ? v : (op == u'&' ? result && v : result || v);
    if (end >= P.size()) return result;
    op = P[end];
    start = end + 1;
  }
}

// ---------------------------------------------------------------------------------------------
// Expressions

// Groups nest at most this deep; deeper text is refused rather than overflowing the stack.
constexpr int MaxGroupDepth = 200;

bool EvalExpression(StringView E, StringView S, bool CaseSensitive, int Depth = 0) {
  if (Depth > MaxGroupDepth) throw Exception(u"Filter expression nested too deeply");
  bool result = false;
  Char op = 0;
  std::size_t pos = 0;
  while (true) {
    bool v = false;
    std::size_t end = String::npos;
    if (pos < E.size() && E[pos] == u'(') {
      // A group counts as one only when an operator or the end follows its ")".
      const Integer close = NeoUtilsInternal::BalancingParenthesis(E.substr(pos), true);
      const std::size_t after = pos + static_cast<std::size_t>(close);
      if (close > 0 && (after == E.size() || IsCombinator(E[after]))) {
        v = EvalExpression(E.substr(pos + 1, static_cast<std::size_t>(close) - 2), S, CaseSensitive, Depth + 1);
        end = after;
      }
    }
    if (end == String::npos) {
      end = FindOutsideQuotes(E, pos, IsCombinator);
      v = TNeoUtils::MatchStr(E.substr(pos, end - pos), S, CaseSensitive);
    }
    result = op == 0 ? v : (op == u'&' ? result && v : result || v);
    if (end >= E.size()) return result;
    op = E[end];
    pos = end + 1;
  }
}

// A whole decimal number of at most 9 digits; false for anything else.
bool ReadNumber(StringView S, Integer& Value) {
  if (S.empty() || S.size() > 9) return false;
  Value = 0;
  for (const Char c : S) {
    if (c < u'0' || c > u'9') return false;
    Value = Value * 10 + (c - u'0');
  }
  return true;
}

bool ParseTime(StringView T, TDateTime& Time) {
  const Char sep = FormatSettings.TimeSeparator;
  const std::size_t first = T.find(sep);
  if (first == StringView::npos) return false;
  const std::size_t second = T.find(sep, first + 1);
  Integer h = 0, n = 0, s = 0;
  if (!ReadNumber(T.substr(0, first), h)) return false;
  if (second == StringView::npos) {
    if (!ReadNumber(T.substr(first + 1), n)) return false;
  } else if (!ReadNumber(T.substr(first + 1, second - first - 1), n) || !ReadNumber(T.substr(second + 1), s)) {
    return false;
  }
  if (h > 23 || n > 59 || s > 59) return false;
  return TryEncodeTime(static_cast<Word>(h), static_cast<Word>(n), static_cast<Word>(s), 0, Time);
}

}  // namespace

bool TNeoUtils::Matches(StringView Pattern, StringView S) {
  bool negate = false;
  StringView body = Pattern;
  if (!body.empty() && body[0] == u'!') {
    negate = true;
    body.remove_prefix(1);
  }
  const bool r = !body.empty() && IsComparison(body[0]) ? MatchComparisons(body, S) : WildMatch(body, S);
  return r != negate;
}

bool TNeoUtils::MatchStr(StringView Pattern, StringView S, bool CaseSensitive) {
  if (CaseSensitive) return Matches(Pattern, S);
  return Matches(AnsiUpperCase(Pattern), AnsiUpperCase(S));
}

bool TNeoUtils::MatchStrEx(StringView Expression, StringView S, bool CaseSensitive) {
  String e = StripLogicSpaces(Trim(Expression));
  if (!e.empty() && e[0] == u'=') e.erase(0, 1);
  if (e.empty()) return S.empty();
  return EvalExpression(e, S, CaseSensitive);
}

bool TNeoUtils::IsDate(StringView S, TDateTime& Date) {
  const String fmt = AnsiUpperCase(FormatSettings.ShortDateFormat);
  const std::size_t pd = fmt.find(u'D'), pm = fmt.find(u'M'), py = fmt.find(u'Y');
  if (pd == String::npos || pm == String::npos || py == String::npos) return false;

  const String text = Trim(S);
  const Char sep = FormatSettings.DateSeparator;
  const std::size_t s1 = text.find(sep);
  if (s1 == String::npos) return false;
  const std::size_t s2 = text.find(sep, s1 + 1);
  if (s2 == String::npos) return false;
  StringView rest = StringView(text).substr(s2 + 1);
  StringView timePart;
  if (const std::size_t blank = rest.find(u' '); blank != StringView::npos) {
    timePart = rest.substr(blank + 1);
    rest = rest.substr(0, blank);
  }
  Integer parts[3];
  if (!ReadNumber(StringView(text).substr(0, s1), parts[0]) ||
      !ReadNumber(StringView(text).substr(s1 + 1, s2 - s1 - 1), parts[1]) || !ReadNumber(rest, parts[2]))
    return false;

  // The parts stand in the order of D, M and Y in the short date format.
  const std::size_t positions[3] = {pd, pm, py};
  auto rank = [&](std::size_t Which) {
    int r = 0;
    for (const std::size_t p : positions) r += p < positions[Which] ? 1 : 0;
    return r;
  };
  const Integer day = parts[rank(0)], month = parts[rank(1)], year = parts[rank(2)];
  if (day > 31 || month > 12 || year > 9999) return false;

  TDateTime d = 0, t = 0;
  if (!TryEncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day), d)) return false;
  const String timeText = Trim(timePart);
  if (!timeText.empty() && !ParseTime(timeText, t)) return false;
  Date = d < 0 ? d - t : d + t;
  return true;
}

TDateTime TNeoUtils::EpochToDateTime(StringView S) {
  Int64 seconds = 0;
  if (!TryStrToInt64(S, seconds)) return 0;
  return UnixToDateTime(seconds);
}
