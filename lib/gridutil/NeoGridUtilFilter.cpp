#include "lib/gridutil/NeoGridUtilFilter.h"

#include <vector>

#include "lib/gridutil/NeoGridUtilDates.h"
#include "lib/gridutil/NeoGridUtilNumbers.h"

namespace {

// Groups nest at most this deep; a deeper group is matched as plain text, so that no filter text
// can exhaust the stack.
constexpr int MaxGroupDepth = 64;

bool IsJoinOperator(Char C) { return C == u';' || C == u'^' || C == u'&' || C == u'|'; }

// Joins the value of the next operand to the result so far by the operator before it.
bool Combine(Char Operator, bool Result, bool Value) {
  switch (Operator) {
    case u'&': return Result && Value;
    case u';':
    case u'^':
    case u'|': return Result || Value;
    default: return Value;
  }
}

// ---- comparisons

// Both texts as numbers, with the locale's separators read as '.' decimals.
bool TryFilterNumber(StringView Text, Double& Value) {
  static const TFormatSettings dotDecimals = TFormatSettings::USEnglish();
  return TryStrToFloat(DotDecimalText(Text), Value, dotDecimals);
}

// Text against Value: numerically when both are numbers and neither a date-time, as date-times
// when both are, else as text (the first 255 characters, ordinal).
int CompareFilterValues(StringView Text, StringView Value) {
  TDateTime textDate = 0, valueDate = 0;
  const bool textIsDate = ParseDateTimeText(Text, textDate);
  const bool valueIsDate = ParseDateTimeText(Value, valueDate);
  Double a = 0, b = 0;
  if (!textIsDate && !valueIsDate && TryFilterNumber(Text, a) && TryFilterNumber(Value, b))
    return a < b ? -1 : (a > b ? 1 : 0);
  if (textIsDate && valueIsDate) return textDate < valueDate ? -1 : (textDate > valueDate ? 1 : 0);
  const Integer order = CompareStr(Text.substr(0, 255), Value.substr(0, 255));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

struct TComparison {
  bool Given = false;
  bool Holds = false;
};

// The test "Text Operator Value" that Pattern states with Operator ('>' or '<', either followed by
// '=') outside double quotes. The value follows after blanks and runs to a blank, '&', '|' or ')'
// outside quotes, or the end; a leading and a trailing quote are left out.
TComparison FindComparison(StringView Pattern, StringView Text, Char Operator) {
  TComparison result;
  const Integer at = FindCharOutsideQuotes(Pattern, Operator);
  if (at == 0) return result;
  result.Given = true;
  std::size_t k = static_cast<std::size_t>(at);
  const bool orEqual = k < Pattern.size() && Pattern[k] == u'=';
  if (orEqual) ++k;
  while (k < Pattern.size() && Pattern[k] == u' ') ++k;
  const std::size_t start = k;
  bool quoted = false;
  for (; k < Pattern.size(); ++k) {
    const Char c = Pattern[k];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && (c == u' ' || c == u'&' || c == u'|' || c == u')')) {
      break;
    }
  }
  StringView value = Pattern.substr(start, k - start);
  if (value.starts_with(u'"')) value.remove_prefix(1);
  if (value.ends_with(u'"')) value.remove_suffix(1);
  const int order = CompareFilterValues(Text, value);
  result.Holds = Operator == u'>' ? (orEqual ? order >= 0 : order > 0) : (orEqual ? order <= 0 : order < 0);
  return result;
}

// ---- wildcards

enum TWildKind { wkChar, wkAny, wkRun };
struct TWildToken {
  TWildKind Kind;
  Char C;
};

// The pattern as tokens: '*' runs (several count as one), '?' any one character, everything
// else (and everything inside a double-quoted literal, where "" is a quote character) itself;
// '!' marks negation unless the pattern starts with a quote.
std::vector<TWildToken> Tokenize(StringView Pattern, bool& Negate) {
  std::vector<TWildToken> tokens;
  const bool bangIsLiteral = Pattern.starts_with(u'"');
  bool literal = false;
  for (std::size_t i = 0; i < Pattern.size(); ++i) {
    const Char c = Pattern[i];
    if (c == u'"') {
      if (i + 1 < Pattern.size() && Pattern[i + 1] == u'"') {
        tokens.push_back({wkChar, u'"'});
        ++i;
      } else {
        literal = !literal;
      }
    } else if (literal) {
      tokens.push_back({wkChar, c});
    } else if (c == u'*') {
      if (tokens.empty() || tokens.back().Kind != wkRun) tokens.push_back({wkRun, 0});
    } else if (c == u'?') {
      tokens.push_back({wkAny, 0});
    } else if (c == u'!' && !bangIsLiteral) {
      Negate = true;
    } else {
      tokens.push_back({wkChar, c});
    }
  }
  return tokens;
}

// Whether the tokens cover all of Text. A run first takes as much as it can and gives back one
// character at a time; only the latest run ever gives back, which finds a match whenever one
// exists in O(pattern x text).
bool MatchTokens(const std::vector<TWildToken>& Tokens, StringView Text) {
  std::size_t p = 0, t = 0;
  std::size_t runToken = std::string::npos, runText = 0;
  while (t < Text.size()) {
    if (p < Tokens.size() && Tokens[p].Kind == wkRun) {
      runToken = p++;
      runText = t;
    } else if (p < Tokens.size() && (Tokens[p].Kind == wkAny || Tokens[p].C == Text[t])) {
      ++p;
      ++t;
    } else if (runToken != std::string::npos) {
      p = runToken + 1;
      t = ++runText;
    } else {
      return false;
    }
  }
  while (p < Tokens.size() && Tokens[p].Kind == wkRun) ++p;
  return p == Tokens.size();
}

// ---- expressions

// An operand against the cell text as the expression compares it: Subject is the text itself, or
// upper-cased (once for all operands) unless CaseSensitive.
bool MatchOperand(StringView Operand, StringView Subject, bool CaseSensitive) {
  if (Operand == u"\"\"") return Subject.empty();
  if (CaseSensitive) return MatchFilterPattern(Operand, Subject);
  return MatchFilterPattern(AnsiUpperCase(Operand), Subject);
}

// The length of the group at the start of S, up to and including its ')', when S starts with '('
// and its matching ')' is followed by an operator or ends S; 0 otherwise.
std::size_t LeadingGroup(StringView S, int Depth) {
  if (Depth >= MaxGroupDepth || !S.starts_with(u'(')) return 0;
  const auto close = static_cast<std::size_t>(MatchingParenPos(S));
  if (close == 0 || (close < S.size() && !IsJoinOperator(S[close]))) return 0;
  return close;
}

bool EvalPrepared(StringView S, StringView Subject, bool CaseSensitive, int Depth) {
  bool result = false;
  Char previous = 0;
  for (;;) {
    Integer at = 0;
    Char op = FindFilterOperator(u"(;^&|", S, at);
    if (op == 0) break;
    bool value;
    if (const std::size_t group = LeadingGroup(S, Depth)) {
      value = EvalPrepared(S.substr(1, group - 2), Subject, CaseSensitive, Depth + 1);
      if (group == S.size()) return Combine(previous, result, value);
      op = S[group];
      S.remove_prefix(group + 1);
    } else {
      value = MatchOperand(S.substr(0, static_cast<std::size_t>(at - 1)), Subject, CaseSensitive);
      S.remove_prefix(static_cast<std::size_t>(at));
    }
    result = Combine(previous, result, value);
    previous = op;
  }
  // The last operand; a group standing alone or last is an expression of its own.
  const std::size_t group = LeadingGroup(S, Depth);
  const bool value = group != 0 && group == S.size()
                         ? EvalPrepared(S.substr(1, group - 2), Subject, CaseSensitive, Depth + 1)
                         : MatchOperand(S, Subject, CaseSensitive);
  return Combine(previous, result, value);
}

}  // namespace

String StripBlanksOutsideQuotes(StringView Text) {
  String result;
  result.reserve(Text.size());
  bool quoted = false;
  for (Char c : Text) {
    if (c == u'"') quoted = !quoted;
    if (c != u' ' || quoted) result += c;
  }
  return result;
}

Char FindFilterOperator(StringView Set, StringView Text, Integer& Pos) {
  std::size_t quotes = 0;
  std::size_t depth = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c == u'"') ++quotes;
    if (c == u'(') {
      ++depth;
    } else if (c == u')' && depth > 0) {
      --depth;
    }
    if (quotes % 2 == 0 && depth % 2 == 0 && Set.find(c) != StringView::npos) {
      Pos = static_cast<Integer>(i) + 1;
      return c;
    }
  }
  Pos = -1;
  return 0;
}

Integer MatchingParenPos(StringView Text) {
  std::size_t open = 0, close = 0;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'(') ++open;
    if (Text[i] == u')' && ++close == open) return static_cast<Integer>(i) + 1;
  }
  return 0;
}

Integer FindCharOutsideQuotes(StringView Text, Char C) {
  bool quoted = false;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == u'"') {
      quoted = !quoted;
    } else if (!quoted && Text[i] == C) {
      return static_cast<Integer>(i) + 1;
    }
  }
  return 0;
}

bool MatchFilterPattern(StringView Pattern, StringView Text) {
  TComparison greater = FindComparison(Pattern, Text, u'>');
  TComparison less = FindComparison(Pattern, Text, u'<');
  const Integer bang = FindCharOutsideQuotes(Pattern, u'!');
  if (bang > 0 && static_cast<std::size_t>(bang) < Pattern.size()) {
    // A negation counts as a stated test in the range and either-or forms.
    greater.Given = true;
    less.Given = true;
  }
  if (FindCharOutsideQuotes(Pattern, u'^') > 0 && (greater.Given || less.Given)) return greater.Holds || less.Holds;
  if (FindCharOutsideQuotes(Pattern, u'&') > 0 && greater.Given && less.Given) return greater.Holds && less.Holds;
  if ((greater.Given && greater.Holds) || (less.Given && less.Holds)) return true;

  bool negate = false;
  const std::vector<TWildToken> tokens = Tokenize(Pattern, negate);
  return MatchTokens(tokens, Text) != negate;
}

bool EvalFilterOperand(StringView Operand, StringView Text, bool CaseSensitive) {
  if (CaseSensitive) return MatchOperand(Operand, Text, true);
  return MatchOperand(Operand, AnsiUpperCase(Text), false);
}

bool EvalFilterExpression(StringView Expression, StringView Text, bool CaseSensitive) {
  String s = StripBlanksOutsideQuotes(Trim(Expression));
  if (s.starts_with(u'=')) s.erase(0, 1);
  if (CaseSensitive) return EvalPrepared(s, Text, true, 0);
  return EvalPrepared(s, AnsiUpperCase(Text), false, 0);
}
