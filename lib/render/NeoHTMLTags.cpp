// The tag reader: the first-letter table and the attribute rules.
#include <algorithm>

#include "lib/render/NeoHTMLInternal.h"
#include "lib/render/NeoHTMLTags.h"

namespace {

bool IsAsciiLetter(Char C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z'); }

Char AsciiUpper(Char C) { return C >= u'a' && C <= u'z' ? static_cast<Char>(C - 32) : C; }

THtmlTagKind OpeningKind(const THtmlTag& ATag) {
  const bool alone = !IsAsciiLetter(ATag.Next);
  switch (ATag.Letter) {
    case u'A': return htAnchor;
    case u'B':
      if (alone) return htBold;
      switch (ATag.Next) {
        case u'R': return htLineBreak;
        case u'L': return htBlink;
        case u'O': return htBody;
        default: return htUnknown;
      }
    case u'C': return htControl;
    case u'E': return htError;
    case u'F': return htFont;
    case u'H': return ATag.Next == u'I' ? htHighlight : ATag.Next == u'R' ? htRule : htUnknown;
    case u'I':
      if (alone) return htItalic;
      return ATag.Next == u'N' ? htIndent : ATag.Next == u'M' ? htImage : htUnknown;
    case u'J': return htEmoji;
    case u'L': return htListItem;
    case u'O': return ATag.Next == u'L' ? htOrderedList : htUnknown;
    case u'P': return htParagraph;
    case u'R': return htRotate;
    case u'S':
      if (alone) return htStrike;
      switch (ATag.Next) {
        case u'T': return htStrike;
        case u'P': return htSpan;
        case u'H': return htShadow;
        case u'U':
          if (StartsWithNoCase(ATag.Text, u"<SUB>")) return htSubscript;
          if (StartsWithNoCase(ATag.Text, u"<SUP>")) return htSuperscript;
          return htUnknown;
        default: return htUnknown;
      }
    case u'U':
      if (alone) return htUnderline;
      return ATag.Next == u'L' ? htUnorderedList : htUnknown;
    case u'Z': return htHidden;
    default: return htUnknown;
  }
}

THtmlTagKind ClosingKind(const THtmlTag& ATag) {
  const bool alone = !IsAsciiLetter(ATag.Next);
  switch (ATag.Letter) {
    case u'A': return htAnchor;
    case u'B': return alone ? htBold : ATag.Next == u'L' ? htBlink : htBody;
    case u'E': return htError;
    case u'F': return htFont;
    case u'H': return htHighlight;
    case u'I': return htItalic;
    case u'L': return htListItem;
    case u'O': return alone ? htUnknown : htOrderedList;
    case u'P': return htParagraph;
    case u'R': return htRotate;
    case u'S':
      switch (ATag.Next) {
        case u'U': return htSubscript;
        case u'P': return htSpan;
        case u'H': return htShadow;
        default: return htStrike;
      }
    case u'U': return alone ? htUnderline : htUnorderedList;
    case u'Z': return htHidden;
    default: return htUnknown;
  }
}

}  // namespace

StringView THtmlTag::Attributes() const {
  std::size_t start = Closing ? 2 : 1;
  while (start < Text.size() && IsAsciiLetter(Text[start])) ++start;
  const std::size_t end = Text.empty() ? 0 : Text.size() - 1;
  return start < end ? Text.substr(start, end - start) : StringView();
}

bool ReadHtmlTag(StringView ARest, THtmlTag& ATag) {
  ATag = THtmlTag();
  if (ARest.size() < 3) return false;
  const std::size_t greater = ARest.find(u'>');
  if (greater == StringView::npos) return false;
  ATag.Text = ARest.substr(0, greater + 1);
  ATag.Closing = ATag.Text[1] == u'/' && ATag.Text.size() > 3;
  const std::size_t letter = ATag.Closing ? 2 : 1;
  ATag.Letter = AsciiUpper(ATag.Text[letter]);
  ATag.Next = letter + 1 < ATag.Text.size() ? AsciiUpper(ATag.Text[letter + 1]) : 0;
  ATag.Kind = ATag.Closing ? ClosingKind(ATag) : OpeningKind(ATag);
  return true;
}

bool StartsWithNoCase(StringView AText, StringView AUpperPrefix) {
  if (AText.size() < AUpperPrefix.size()) return false;
  for (std::size_t i = 0; i < AUpperPrefix.size(); ++i)
    if (AsciiUpper(AText[i]) != AUpperPrefix[i]) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Attributes

THtmlAttributes::THtmlAttributes(StringView AText) : FText(AText), FUpper(NeoHTMLInternal::UpperText(AText)) {}

std::size_t THtmlAttributes::EndOf(StringView AName) const {
  if (AName.empty()) return StringView::npos;
  const auto it = std::search(FUpper.begin(), FUpper.end(), AName.begin(), AName.end(),
                              [](Char A, Char B) { return A == AsciiUpper(B); });
  return it == FUpper.end() ? StringView::npos : static_cast<std::size_t>(it - FUpper.begin()) + AName.size();
}

StringView THtmlAttributes::Quoted(std::size_t AFrom, bool AAsWritten) const {
  const StringView text = AAsWritten ? FText : StringView(FUpper);
  const std::size_t open = text.find(u'"', AFrom);
  if (open == StringView::npos) return {};
  const std::size_t close = text.find(u'"', open + 1);
  if (close == StringView::npos) return {};
  return text.substr(open + 1, close - open - 1);
}

bool THtmlAttributes::Has(StringView AName) const { return EndOf(AName) != StringView::npos; }

String THtmlAttributes::Value(StringView AName) const {
  const std::size_t end = EndOf(AName);
  return end == StringView::npos ? String() : String(Quoted(end, false));
}

String THtmlAttributes::ValueAsWritten(StringView AName) const {
  const std::size_t end = EndOf(AName);
  return end == StringView::npos ? String() : String(Quoted(end, true));
}

StringView THtmlAttributes::After(StringView AName, bool AAsWritten) const {
  const std::size_t end = EndOf(AName);
  if (end == StringView::npos) return {};
  return (AAsWritten ? FText : StringView(FUpper)).substr(end);
}

String THtmlAttributes::FirstQuoted(bool AAsWritten) const { return String(Quoted(0, AAsWritten)); }
