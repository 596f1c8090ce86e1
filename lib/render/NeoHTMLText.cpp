// Markup to plain text, and search highlighting.
#include "lib/base/NeoUtils.h"
#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLMarkup.h"
#include "lib/render/NeoHTMLTags.h"
#include "lib/render/NeoHTMLText.h"
#include "platform/rtl/UnicodeCase.h"

namespace NeoHTMLInternal {

TMarkupWalker::TMarkupWalker(StringView AText, bool ADecodeEntities)
    : FText(AText), FLastGreater(AText.rfind(u'>')), FDecodeEntities(ADecodeEntities) {}

bool TMarkupWalker::Next(TMarkupPiece& APiece) {
  if (FPos >= FText.size()) return false;
  const Char c = FText[FPos];
  if (c == u'<' && FLastGreater != StringView::npos && FLastGreater > FPos) {
    const std::size_t greater = FText.find(u'>', FPos + 1);
    APiece = {TMarkupPiece::mpTag, FPos, greater + 1, 0};
    FPos = greater + 1;
    return true;
  }
  if (c == u'&' && FDecodeEntities) {
    TEntityRules rules;
    rules.Quot = rules.Amp = rules.LtGt = rules.Named = rules.Numeric = true;
    const TEntityMatch match = MatchEntity(FText, FPos, rules);
    if (match.Kind != ekNone) {
      APiece = {TMarkupPiece::mpEntity, FPos, FPos + match.Length, match.Code};
      FPos += match.Length;
      return true;
    }
  }
  const std::size_t begin = FPos;
  const char32_t code = NextCodePoint(FText, FPos);
  APiece = {TMarkupPiece::mpChar, begin, FPos, code};
  return true;
}

TTextSearcher::TTextSearcher(StringView APattern) : FPattern(APattern), FFailure(APattern.size(), 0) {
  std::size_t border = 0;
  for (std::size_t i = 1; i < FPattern.size(); ++i) {
    while (border > 0 && FPattern[i] != FPattern[border]) border = FFailure[border - 1];
    if (FPattern[i] == FPattern[border]) ++border;
    FFailure[i] = border;
  }
}

std::size_t TTextSearcher::Find(StringView AText, std::size_t AFrom) const {
  if (FPattern.empty()) return StringView::npos;
  std::size_t matched = 0;
  for (std::size_t i = AFrom; i < AText.size(); ++i) {
    while (matched > 0 && AText[i] != FPattern[matched]) matched = FFailure[matched - 1];
    if (AText[i] == FPattern[matched]) ++matched;
    if (matched == FPattern.size()) return i + 1 - matched;
  }
  return StringView::npos;
}

}  // namespace NeoHTMLInternal

using namespace NeoHTMLInternal;

namespace {

bool IsLowSurrogate(Char C) { return C >= 0xDC00 && C <= 0xDFFF; }

// AText without "<" + ATag + ">" and "</" + ATag + ">" (ATag upper-cased; the text in any case),
// into AOut; false, with AOut untouched, when there is none.
bool RemoveTagPairs(StringView AText, StringView AUpperTag, String& AOut) {
  // Length of such a tag at APos (a "<"); 0 when there is none.
  const auto tagLength = [&](std::size_t APos) -> std::size_t {
    std::size_t i = APos + 1;
    if (i < AText.size() && AText[i] == u'/') ++i;
    if (AText.size() - i < AUpperTag.size() + 1) return 0;
    for (const Char c : AUpperTag)
      if (CharUpper(AText[i++]) != c) return 0;
    return AText[i] == u'>' ? i + 1 - APos : 0;
  };
  bool removed = false;
  std::size_t copied = 0;
  for (std::size_t i = AText.find(u'<'); i != StringView::npos; i = AText.find(u'<', i + 1)) {
    const std::size_t length = tagLength(i);
    if (length == 0) continue;
    if (!removed) {
      AOut.clear();
      AOut.reserve(AText.size());
      removed = true;
    }
    AOut.append(AText.substr(copied, i - copied));
    copied = i + length;
    i = copied - 1;
  }
  if (removed) AOut.append(AText.substr(copied));
  return removed;
}

// The matches of a search text, left to right and not overlapping; a match never starts or ends
// inside a surrogate pair.
class TMatchCursor {
public:
  TMatchCursor(StringView AText, StringView ASearch) : FText(AText), FSearcher(ASearch), FLength(ASearch.size()) {
    Find(0);
  }
  bool Valid() const { return FStart != StringView::npos; }
  std::size_t Start() const { return FStart; }
  std::size_t End() const { return FStart + FLength; }
  void Advance() { Find(End()); }

private:
  void Find(std::size_t AFrom) {
    for (;;) {
      FStart = FSearcher.Find(FText, AFrom);
      if (FStart == StringView::npos) return;
      const std::size_t end = End();
      if ((FStart == 0 || !IsLowSurrogate(FText[FStart])) && (end == FText.size() || !IsLowSurrogate(FText[end])))
        return;
      AFrom = FStart + 1;
    }
  }

  StringView FText;
  TTextSearcher FSearcher;
  std::size_t FLength;
  std::size_t FStart = StringView::npos;
};

String HighlightPlainText(StringView AText, StringView AComparison, StringView ASearch, StringView AOpen,
                          StringView AClose, bool AWholeText) {
  if (AWholeText) {
    if (AComparison != ASearch) return String(AText);
    String out(AOpen);
    AppendEncodedEntities(out, AText, true);
    out += AClose;
    return out;
  }
  TMatchCursor match(AComparison, ASearch);
  if (!match.Valid()) return String(AText);
  String out;
  out.reserve(AText.size() + AText.size() / 4);
  std::size_t copied = 0;
  for (; match.Valid(); match.Advance()) {
    AppendEncodedEntities(out, AText.substr(copied, match.Start() - copied), false);
    out += AOpen;
    AppendEncodedEntities(out, AText.substr(match.Start(), match.End() - match.Start()), false);
    out += AClose;
    copied = match.End();
  }
  AppendEncodedEntities(out, AText.substr(copied), false);
  return out;
}

// The text of the markup as HighlightHtmlText compares it: tags left out, entities decoded.
String MarkupComparisonText(StringView AText, bool ACaseSensitive) {
  String plain;
  plain.reserve(AText.size());
  TMarkupWalker walker(AText, true);
  TMarkupPiece piece;
  while (walker.Next(piece))
    if (piece.Kind != TMarkupPiece::mpTag) AppendCodePoint(plain, piece.Code);
  return ACaseSensitive ? plain : UpperText(plain);
}

bool IsClosingFontTag(StringView ATagText) {
  THtmlTag tag;
  return ReadHtmlTag(ATagText, tag) && tag.Closing && tag.Kind == htFont;
}

String HighlightMarkup(StringView AText, StringView AComparison, StringView ASearch, StringView AOpen,
                       StringView AClose, bool AWholeText) {
  if (AWholeText) return AComparison == ASearch ? String(AOpen) + String(AText) + String(AClose) : String(AText);
  TMatchCursor match(AComparison, ASearch);
  if (!match.Valid()) return String(AText);
  String out;
  out.reserve(AText.size() + AText.size() / 4);
  std::size_t copied = 0;   // markup already in out
  const auto insert = [&](std::size_t APos, StringView ATags) {
    out.append(AText.substr(copied, APos - copied));
    out += ATags;
    copied = APos;
  };
  const String reopen = String(AClose) + String(AOpen);
  TMarkupWalker walker(AText, true);
  TMarkupPiece piece;
  std::size_t plainPos = 0;   // units of the comparison text before the piece
  bool inside = false;
  while (match.Valid() && walker.Next(piece)) {
    if (piece.Kind == TMarkupPiece::mpTag) {
      if (inside && !IsClosingFontTag(AText.substr(piece.Begin, piece.End - piece.Begin))) insert(piece.End, reopen);
      continue;
    }
    if (!inside && match.Start() == plainPos) {
      insert(piece.Begin, AOpen);
      inside = true;
    }
    plainPos += piece.Code >= 0x10000 ? 2 : 1;
    if (inside && match.End() == plainPos) {
      insert(piece.End, AClose);
      inside = false;
      match.Advance();
    }
  }
  out.append(AText.substr(copied));
  return out;
}

}  // namespace

String SpacesToNbsp(StringView AText) {
  String out;
  out.reserve(AText.size());
  std::size_t copied = 0;
  for (std::size_t i = AText.find(u' '); i != StringView::npos; i = AText.find(u' ', i + 1)) {
    out.append(AText.substr(copied, i - copied));
    out += u"&nbsp;";
    copied = i + 1;
  }
  out.append(AText.substr(copied));
  return out;
}

String HtmlToPlainText(StringView AText) { return TNeoUtils::HTMLStrip(AText); }

String StripHtmlTags(StringView AText) {
  String out;
  out.reserve(AText.size());
  std::size_t copied = 0;
  for (std::size_t less = AText.find(u'<'); less != StringView::npos; less = AText.find(u'<', copied)) {
    const std::size_t greater = AText.find(u'>', less + 1);
    if (greater == StringView::npos) break;   // no tag from here on: the rest is text
    out.append(AText.substr(copied, less - copied));
    copied = greater + 1;
  }
  out.append(AText.substr(copied));
  return out;
}

String HighlightHtmlText(StringView AText, StringView ASearch, StringView ATag, bool ACaseSensitive,
                         bool AWholeText) {
  const String tag = UpperText(ATag);
  const String open = u"<" + tag + u">";
  const String close = u"</" + tag + u">";
  String withoutTags;
  const StringView text = RemoveTagPairs(AText, tag, withoutTags) ? StringView(withoutTags) : AText;
  if (ASearch.empty()) return String(text);
  const String search = ACaseSensitive ? String(ASearch) : UpperText(ASearch);
  if (text.find(u"</") == StringView::npos) {
    const String upper = ACaseSensitive ? String() : UpperText(text);
    return HighlightPlainText(text, ACaseSensitive ? text : StringView(upper), search, open, close, AWholeText);
  }
  return HighlightMarkup(text, MarkupComparisonText(text, ACaseSensitive), search, open, close, AWholeText);
}

String UnhighlightHtmlText(StringView AText, StringView ATag) {
  String text;
  if (!RemoveTagPairs(AText, UpperText(ATag), text)) return String(AText);
  // Only a text that held "</" can lose its last one here.
  if (text.find(u"</") == String::npos && AText.find(u"</") != StringView::npos) return DecodeHtmlEntities(text, false);
  return text;
}
