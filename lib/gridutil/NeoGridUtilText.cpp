#include "lib/gridutil/NeoGridUtilText.h"

#include <algorithm>
#include <vector>

#include "lib/gridutil/NeoGridUtilInternal.h"
#include "lib/gridutil/NeoGridUtilNumbers.h"
#include "platform/rtl/UnicodeCase.h"
#include "platform/rtl/WinNls.h"
#include "platform/ui/Graphics.h"

namespace {

constexpr Char CR = 13;
constexpr Char LF = 10;

bool Holds(StringView Text, StringView Sub) { return Text.find(Sub) != StringView::npos; }

Char AsciiUpper(Char C) { return C >= u'a' && C <= u'z' ? static_cast<Char>(C - 32) : C; }

// Text with each character handed to Map, which appends what the character becomes.
template <class TMap>
String MapChars(StringView Text, TMap Map) {
  String result;
  result.reserve(Text.size());
  for (Char c : Text) Map(c, result);
  return result;
}

// Every occurrence of From replaced by To.
String ReplaceAll(StringView Text, StringView From, StringView To) {
  return StringReplace(Text, From, To, {rfReplaceAll});
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Searching and splitting

Integer FindSubText(StringView Sub, StringView Text, Integer& Pos) {
  Pos = ::Pos(Sub, Text);
  return Pos;
}

Integer FindSubTextUpper(StringView Sub, StringView Text) { return Pos(Sub, AnsiUpperCase(Text)); }
Integer FindWideSubText(StringView Sub, StringView Text) { return Pos(Sub, Text); }
Integer FindCharPos(Char C, StringView Text) { return Pos(C, Text); }

Integer FindCharPosEx(Char C, StringView Text, Integer& Pos) {
  Pos = FindCharPos(C, Text);
  return Pos;
}

Integer CharOccurrences(Char C, StringView Text) {
  return static_cast<Integer>(std::count(Text.begin(), Text.end(), C));
}

Integer CharOccurrencesInLine(Char C, Char Ignored, StringView Text) {
  (void)Ignored;
  return CharOccurrences(C, Text);
}

Integer CountCharOutsideQuotes(Char C, StringView Text) {
  Integer outside = 0;
  Integer inside = 0;   // in the part quoted at present
  Char quote = 0;
  for (Char c : Text) {
    if (quote == 0 && (c == u'"' || c == u'\'')) {
      quote = c;
      inside = 0;
    } else if (quote != 0 && c == quote) {
      quote = 0;
    } else if (c == C) {
      ++(quote == 0 ? outside : inside);
    }
  }
  return quote == 0 ? outside : outside + inside;
}

Integer FindClosingQuote(Char Q, StringView Text, Integer& Pos) {
  Pos = 0;
  std::size_t i = 0;
  while (i < Text.size()) {
    if (Text[i] != Q) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < Text.size() && Text[end] == Q) ++end;
    if ((end - i) % 2 == 1) {
      Pos = static_cast<Integer>(end);   // the run's last character, 1-based
      break;
    }
    i = end;
  }
  return Pos;
}

String CutToken(String& Source, StringView Delimiter) {
  const Integer p = Pos(Delimiter, Source);
  if (p == 0) return String();
  String token = Source.substr(0, static_cast<std::size_t>(p - 1));
  Source.erase(0, static_cast<std::size_t>(p - 1) + Delimiter.size());
  return token;
}

void SplitQuotedToList(Char Delimiter, StringView Text, TStrings* List) {
  auto add = [List](StringView Item) {
    List->Add(Item.find(u' ') == StringView::npos ? String(Item) : u"\"" + String(Item) + u"\"");
  };
  std::size_t start = 0;
  for (std::size_t i = Text.find(Delimiter); i != StringView::npos; i = Text.find(Delimiter, start)) {
    add(Text.substr(start, i - start));
    start = i + 1;
  }
  add(Text.substr(start));
}

String StripEnclosingQuotes(StringView Text) {
  if (Text.size() > 2 && Text.front() == u'"' && Text.back() == u'"') return String(Text.substr(1, Text.size() - 2));
  return String(Text);
}

String DoubleQuoteChars(StringView Text) { return ReplaceAll(Text, u"\"", u"\"\""); }

String UndoubleChar(Char C, StringView Text) {
  String result;
  result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size(); ++i) {
    result += Text[i];
    if (Text[i] == C && i + 1 < Text.size() && Text[i + 1] == C) ++i;
  }
  return result;
}

String ConcatStrings(TStrings* List) {
  String result;
  for (Integer i = 0; i < List->GetCount(); ++i) result += List->GetStrings(i);
  return result;
}

void OverwriteChars(String& Text, Char C) { std::fill(Text.begin(), Text.end(), C); }

String ProperCaseNames(StringView Text) {
  String result = AnsiLowerCase(Text);
  const std::size_t n = result.size();
  auto wordStart = [&](std::size_t i) { return i == 0 || IsWordBreakChar(result[i - 1]); };
  auto wordEnd = [&](std::size_t i) { return i >= n || IsWordBreakChar(result[i]); };
  for (std::size_t i = 0; i < n; ++i) {
    if (!wordStart(i)) continue;
    result[i] = CharUpper(result[i]);
    // "mcdonald" -> "McDonald"
    if (result[i] == u'M' && i + 2 < n && result[i + 1] == u'c' && !wordEnd(i + 2)) result[i + 2] = CharUpper(result[i + 2]);
    // Roman "II" after a blank ("Henry II"); " I" is upper case as any word start.
    if (i > 0 && result[i - 1] == u' ' && result[i] == u'I' && i + 1 < n && result[i + 1] == u'i' && wordEnd(i + 2))
      result[i + 1] = u'I';
  }
  return result;
}

String FoldToLatin1(StringView Text) {
  constexpr std::size_t MaxFolded = 2047;
  // The first 2,047 characters of a text fold to at least as many, and a character below 256 is
  // never reordered with its neighbours by the decomposition: folding more would change nothing.
  const StringView source = Text.substr(0, MaxFolded);
  if (source.empty()) return String();
  const int length = static_cast<int>(source.size());
  const int needed = FoldStringW(MAP_COMPOSITE, source.data(), length, nullptr, 0);
  if (needed <= 0) return String();
  std::vector<Char> folded(static_cast<std::size_t>(needed));
  const int written = FoldStringW(MAP_COMPOSITE, source.data(), length, folded.data(), needed);
  String result;
  for (int i = 0; i < written && static_cast<std::size_t>(i) < MaxFolded; ++i)
    if (folded[static_cast<std::size_t>(i)] < 256) result += folded[static_cast<std::size_t>(i)];
  return result;
}

bool ParseRowColRef(StringView Text, TPoint& Point) {
  const String s = AnsiUpperCase(Text);
  if (s.size() <= 3 || s[0] != u'R') return false;
  const std::size_t c = s.find(u'C');
  if (c == String::npos) return false;
  Integer row = 0, col = 0;
  const StringView view(s);
  if (!GridUtilInternal::TryWholeDecimal(view.substr(1, c - 1), row) ||
      !GridUtilInternal::TryWholeDecimal(view.substr(c + 1), col))
    return false;
  Point.x = col;
  Point.y = row;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Lines

void TakeFirstLine(String& Text, bool Keep, String& Line) {
  const std::size_t cr = Text.find(CR);
  if (cr == String::npos) {
    Line = Text;
    Text.clear();
    return;
  }
  Line = Text.substr(0, cr);
  std::size_t rest = cr + 1;
  if (rest < Text.size() && Text[rest] == LF) ++rest;
  if (Keep) {
    Text.erase(0, rest);
  } else {
    Text.clear();
  }
}

Integer TextLineCount(StringView Text, bool MultiLine) {
  if (!MultiLine) return 1;
  Integer lines = 1;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != CR) continue;
    ++i;   // its LF
    if (i + 1 < Text.size()) ++lines;
  }
  return lines;
}

String WidestLine(TCanvas* Canvas, StringView Text) {
  String rest(Text);
  String line;
  String widest;
  Integer widestWidth = -1;
  do {
    TakeFirstLine(rest, true, line);
    const Integer width = Canvas->TextWidth(line);
    if (width > widestWidth) {
      widestWidth = width;
      widest = line;
    }
  } while (!rest.empty());
  return widest;
}

String PackLineBreaks(StringView Text) {
  if (Text.find(CR) == StringView::npos) return String(Text);
  return MapChars(Text, [](Char c, String& out) { out += c == CR ? Char(9) : c == LF ? Char(8) : c == 0 ? Char(1) : c; });
}

String UnpackLineBreaks(StringView Text, bool KeepAll) {
  String result(Text);
  if (Text.find(Char(8)) != StringView::npos)
    result = MapChars(Text, [](Char c, String& out) { out += c == 9 ? CR : c == 8 ? LF : c == 1 ? Char(0) : c; });
  if (!KeepAll) {
    String line;
    TakeFirstLine(result, false, line);
    return line;
  }
  return result;
}

String LineBreaksToHtml(StringView Text) { return ReplaceAll(Text, u"\r", u"<br>"); }

String RemoveCR(StringView Text) {
  return MapChars(Text, [](Char c, String& out) {
    if (c != CR) out += c;
  });
}

String CRToLF(StringView Text) {
  return MapChars(Text, [](Char c, String& out) { out += c == CR ? LF : c; });
}

String CRLFToLF(StringView Text) { return ReplaceAll(Text, u"\r\n", u"\n"); }
String BackslashNToCR(StringView Text) { return ReplaceAll(Text, u"\\n", u"\r"); }

String CRToBackslashN(StringView Text) {
  return MapChars(Text, [](Char c, String& out) {
    if (c == CR) {
      out += u"\\n";
    } else if (c != LF) {
      out += c;
    }
  });
}

// ---------------------------------------------------------------------------------------------
// CSV and text files

void QuoteMultiLineText(String& Text) { Text = u"\"" + ReplaceAll(Text, u"\r\n", u"\x0B") + u"\""; }

void VTToCRLF(String& Text) {
  if (Text.find(Char(11)) != String::npos) Text = ReplaceAll(Text, u"\x0B", u"\r\n");
}

void CRToTilde(String& Text) {
  Text = MapChars(Text, [](Char c, String& out) {
    if (c == CR) {
      out += u'~';
    } else if (c != LF) {
      out += c;
    }
  });
}

void TildeToCRLF(String& Text) {
  if (Text == u"^") {
    Text.clear();
    return;
  }
  Text = ReplaceAll(Text, u"~", u"\r\n");
}

void AnsiToOemText(String& Text) { (void)Text; }
void OemToAnsiText(String& Text) { (void)Text; }

// ---------------------------------------------------------------------------------------------
// Cell text kinds

bool HasUrlScheme(StringView Text) { return Holds(Text, u"://") || Holds(Text, u"mailto:"); }

void StripUrlScheme(String& Text) {
  for (StringView scheme : {StringView(u"://"), StringView(u"mailto:")}) {
    const std::size_t at = Text.find(scheme);
    if (at != String::npos) {
      Text.erase(0, at + scheme.size());
      return;
    }
  }
}

Integer DetectCellTextKind(StringView Text, bool HtmlAware) {
  const String s = String(Text) + u' ';
  const std::size_t n = s.size();
  if (n < 2) return ctkPlain;
  if (s[0] == u'=' && !Holds(s, u"</")) return ctkFormula;
  if (s.starts_with(u"|\\")) return n >= 5 && s[3] == u'=' && s[4] == 0 ? ctkFormula : ctkPairEncoded;
  if (s.starts_with(u"{\\")) return ctkRichText;
  if (HtmlAware) {
    static constexpr StringView Tags[] = {u"IM", u"IN", u"BR", u"HR", u"CO"};
    for (std::size_t i = 0; i + 2 < n; ++i) {
      if (s[i] != u'<') continue;
      if (s[i + 1] == u'/') return ctkHtml;
      const Char pair[2] = {AsciiUpper(s[i + 1]), AsciiUpper(s[i + 2])};
      for (StringView tag : Tags)
        if (StringView(pair, 2) == tag) return ctkHtml;
    }
  }
  return HasUrlScheme(s) ? ctkLink : ctkPlain;
}

String WideCharsToEntities(StringView Text) {
  String result;
  result.reserve(Text.size());
  for (std::size_t i = 0; i < Text.size();) {
    const std::size_t start = i;
    const char32_t c = NextCodePoint(Text, i);
    if (c < 256) {
      result += Text[start];
    } else {
      result += u"&#" + IntToStr(static_cast<Integer>(c)) + u";";
    }
  }
  return result;
}

bool HtmlEscapeAndLink(StringView Text, StringView Sub, String& Result) {
  const Integer at = Pos(Sub, AnsiUpperCase(Text));
  if (at == 0) return false;
  auto inLink = [](Char c) {
    return (c >= u'0' && c <= u':') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           StringView(u"!%&()-./=?\\_{}@").find(c) != StringView::npos;
  };
  // The link is taken from the text itself, so that it ends where the text's '<' or '>' stands
  // rather than running into their escapes.
  const std::size_t start = static_cast<std::size_t>(at - 1);
  std::size_t end = start;
  while (end < Text.size() && inLink(Text[end])) ++end;
  const String link(Text.substr(start, end - start));
  auto escape = [](StringView Part) { return ReplaceAll(ReplaceAll(Part, u"<", u"&lt;"), u">", u"&gt;"); };
  Result = escape(Text.substr(0, start)) + u"<a href=\"" + link + u"\">" + link + u"</a>" + escape(Text.substr(end));
  return true;
}

// ---------------------------------------------------------------------------------------------
// Pair encoding

String EncodePairEncodedText(StringView Text) {
  String result = u"|\\";
  result.reserve(2 + 2 * Text.size());
  for (Char c : Text) {
    result += static_cast<Char>(c >> 8);
    result += static_cast<Char>(c & 0xFF);
  }
  return result;
}

String DecodePairEncodedText(StringView Text) {
  if (!Text.starts_with(u"|\\")) return String(Text);
  String result;
  result.reserve((Text.size() - 2) / 2);
  for (std::size_t i = 2; i + 1 < Text.size(); i += 2)
    result += static_cast<Char>((static_cast<unsigned>(Text[i]) << 8) + Text[i + 1]);
  return result;
}

// ---------------------------------------------------------------------------------------------
// Clipboard

void PutHtmlOnClipboard(String& Fragment) {
  // The offsets count bytes of the UTF-8 text the clipboard receives: the header is 97 bytes, the
  // document head 177, the end 32.
  const auto n = static_cast<Integer>(UTF8Encode(Fragment).size());
  String result = u"Version:1.0\r\n";
  result += Format(u"%s%.8d\r\n", {u"StartHTML:", 97});
  result += Format(u"%s%.8d\r\n", {u"EndHTML:", n + 306});
  result += Format(u"%s%.8d\r\n", {u"StartFragment:", 274});
  result += Format(u"%s%.8d\r\n", {u"EndFragment:", n + 274});
  result += u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
  result += u"<html><head><META http-equiv=Content-Type content=\"text/html; charset=iso-8859-1\"></head><body>"
            u"<!--StartFragment-->";
  result += Fragment;
  result += u"<!--EndFragment--></body></html>";
  Fragment = std::move(result);
}
