// The edit mask and the masked edit. The masked edit keeps its EditText as the edit's own text
// and works in overwrite mode: every edit replaces characters in place, so positions never move.
#include "platform/ui/Mask.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/UnicodeCase.h"
#include "platform/win/WinBase.h"

namespace {

bool IsDigitChar(Char C) { return C >= u'0' && C <= u'9'; }

bool IsLetterChar(Char C) {
  if ((C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z')) return true;
  if (C < 0xC0 || C == 0xD7 || C == 0xF7 || (C >= 0xD800 && C <= 0xDFFF)) return false;
  return UnicodeToUpper(C) != UnicodeToLower(C) || C == 0xDF || C >= 0x3040;
}

const Char* const kMaskErrorText = u"Invalid input value.  Use escape key to abandon changes";

}  // namespace

// ---------------------------------------------------------------------------------------------
// TEditMask

TEditMask::TEditMask(const String& Mask) {
  // The mask field ends at the first ';' not escaped; the save and blank fields follow.
  std::size_t end = 0;
  while (end < Mask.size() && Mask[end] != u';') end += Mask[end] == u'\\' ? 2 : 1;
  if (end < Mask.size()) {
    std::size_t second = end + 1;
    std::size_t third = Mask.find(u';', second);
    String save = Mask.substr(second, third == String::npos ? String::npos : third - second);
    if (!save.empty()) FSaveLiterals = save[0] != u'0';
    if (third != String::npos && third + 1 < Mask.size()) FBlank = Mask[third + 1];
  }
  TCase casing = mcNone;
  for (std::size_t i = 0; i < end && i < Mask.size(); ++i) {
    Char c = Mask[i];
    TItem item;
    item.Case = casing;
    switch (c) {
      case u'!': FLeadingBlanks = true; continue;
      case u'>': casing = mcUpper; continue;
      case u'<':
        if (i + 1 < end && Mask[i + 1] == u'>') {
          casing = mcNone;
          ++i;
        } else {
          casing = mcLower;
        }
        continue;
      case u'\\':
        if (++i >= Mask.size()) continue;
        item.Literal = Mask[i];
        break;
      case u'L': case u'l': item.Kind = mkLetter; break;
      case u'A': case u'a': item.Kind = mkAlnum; break;
      case u'C': case u'c': item.Kind = mkAny; break;
      case u'0': case u'9': item.Kind = mkDigit; break;
      case u'#': item.Kind = mkDigitOrSign; break;
      case u':': item.Literal = FormatSettings.TimeSeparator; break;
      case u'/': item.Literal = FormatSettings.DateSeparator; break;
      case u'_': item.Literal = u' '; break;
      default: item.Literal = c; break;
    }
    if (item.Kind != mkLiteral) item.Required = c == u'L' || c == u'A' || c == u'C' || c == u'0';
    FItems.push_back(item);
  }
}

bool TEditMask::IsLiteral(Integer Pos) const {
  return Pos >= 0 && Pos < Length() && FItems[static_cast<std::size_t>(Pos)].Kind == mkLiteral;
}

bool TEditMask::IsRequired(Integer Pos) const {
  return Pos >= 0 && Pos < Length() && FItems[static_cast<std::size_t>(Pos)].Required;
}

bool TEditMask::Accepts(Integer Pos, Char& C) const {
  if (Pos < 0 || Pos >= Length() || C < 0x20) return false;
  const TItem& item = FItems[static_cast<std::size_t>(Pos)];
  bool fits = false;
  switch (item.Kind) {
    case mkLiteral: return false;
    case mkLetter: fits = IsLetterChar(C); break;
    case mkAlnum: fits = IsLetterChar(C) || IsDigitChar(C); break;
    case mkAny: fits = true; break;
    case mkDigit: fits = IsDigitChar(C); break;
    case mkDigitOrSign: fits = IsDigitChar(C) || C == u'+' || C == u'-'; break;
  }
  if (!fits) return false;
  if (item.Case == mcUpper) C = static_cast<Char>(UnicodeToUpper(C));
  else if (item.Case == mcLower) C = static_cast<Char>(UnicodeToLower(C));
  return true;
}

Integer TEditMask::NextInput(Integer Pos) const {
  Pos = std::max(0, Pos);
  while (Pos < Length() && IsLiteral(Pos)) ++Pos;
  return std::min(Pos, Length());
}

Integer TEditMask::PrevInput(Integer Pos) const {
  Pos = std::min(Pos, Length()) - 1;
  while (Pos >= 0 && IsLiteral(Pos)) --Pos;
  return Pos;
}

String TEditMask::BlankText() const {
  String s;
  s.reserve(FItems.size());
  for (const TItem& item : FItems) s += item.Kind == mkLiteral ? item.Literal : FBlank;
  return s;
}

String TEditMask::Normalize(const String& AEditText) const {
  String s = BlankText();
  for (Integer i = 0; i < Length() && static_cast<std::size_t>(i) < AEditText.size(); ++i) {
    Char c = AEditText[static_cast<std::size_t>(i)];
    if (!IsLiteral(i) && c != FBlank && Accepts(i, c)) s[static_cast<std::size_t>(i)] = c;
  }
  return s;
}

String TEditMask::ToText(const String& AEditText) const {
  String edit = Normalize(AEditText);
  String s;
  for (Integer i = 0; i < Length(); ++i) {
    Char c = edit[static_cast<std::size_t>(i)];
    if (IsLiteral(i)) {
      if (FSaveLiterals) s += c;
    } else {
      s += c == FBlank ? u' ' : c;
    }
  }
  if (FLeadingBlanks) s.erase(0, std::min(s.find_first_not_of(u' '), s.size()));
  else s.erase(s.find_last_not_of(u' ') + 1);
  return s;
}

String TEditMask::FromText(const String& AText) const {
  // Text holds one character per mask position (literals saved) or per input position; what
  // trimming took away is put back on the side the blanks were taken from.
  Integer slots = 0;
  for (Integer i = 0; i < Length(); ++i)
    if (FSaveLiterals || !IsLiteral(i)) ++slots;
  String text = AText.substr(0, static_cast<std::size_t>(slots));
  String padding(static_cast<std::size_t>(slots) - text.size(), u' ');
  text = FLeadingBlanks ? padding + text : text + padding;
  String edit = BlankText();
  std::size_t k = 0;
  for (Integer i = 0; i < Length(); ++i) {
    if (IsLiteral(i)) {
      if (FSaveLiterals) ++k;
      continue;
    }
    Char c = text[k++];
    if (c != u' ' && Accepts(i, c)) edit[static_cast<std::size_t>(i)] = c;
  }
  return edit;
}

Integer TEditMask::FirstMissing(const String& AEditText) const {
  String edit = Normalize(AEditText);
  for (Integer i = 0; i < Length(); ++i)
    if (IsRequired(i) && edit[static_cast<std::size_t>(i)] == FBlank) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// TCustomMaskEdit

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const String& Value) {
  String text = GetText();
  FEditMask = Value;
  bool wasMasked = IsMasked();
  FMask = TEditMask(Value);
  if (IsMasked()) {
    if (!wasMasked) FUnmaskedMaxLength = FMaxLength;
    FMaxLength = FMask.Length();
  } else if (wasMasked) {
    FMaxLength = FUnmaskedMaxLength;
  }
  SetText(text);
}

String TCustomMaskEdit::GetEditText() { return TCustomEdit::GetText(); }

void TCustomMaskEdit::SetEditText(const String& Value) {
  TCustomEdit::SetText(IsMasked() ? FMask.Normalize(Value) : Value);
}

String TCustomMaskEdit::GetText() {
  return IsMasked() ? FMask.ToText(TCustomEdit::GetText()) : TCustomEdit::GetText();
}

void TCustomMaskEdit::SetText(const String& Value) {
  TCustomEdit::SetText(IsMasked() ? FMask.FromText(Value) : Value);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked() || !GetModified()) return;
  Integer missing = FMask.FirstMissing(FText);
  if (missing < 0) return;
  SetSelection(missing, missing);
  throw EDBEditError(kMaskErrorText);
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_EXIT && IsMasked()) {
    // An edit that does not satisfy its mask keeps the focus.
    try {
      ValidateEdit();
    } catch (...) {
      if (CanFocus()) SetFocus();
      // Back in the edit, the caret waits at what is missing.
      if (Integer missing = FMask.FirstMissing(FText); missing >= 0) SetSelection(missing, missing);
      throw;
    }
  }
  inherited::Dispatch(Message);
}

String TCustomMaskEdit::BlankedRange(Integer From, Integer To) const {
  String part = FText.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
  for (Integer i = From; i < To; ++i)
    if (!FMask.IsLiteral(i)) part[static_cast<std::size_t>(i - From)] = FMask.Blank();
  return part;
}

void TCustomMaskEdit::MaskReplace(Integer From, const String& Part, Integer Caret) {
  FAnchor = From;
  FCaret = From + static_cast<Integer>(Part.size());
  if (Part != FText.substr(static_cast<std::size_t>(From), Part.size())) UserReplace(Part);
  SetSelection(Caret, Caret);
}

void TCustomMaskEdit::MaskChar(Char Key) {
  if (FReadOnly) {
    MessageBeep(MB_OK);
    return;
  }
  Integer s = GetSelStart(), e = s + GetSelLength();
  Integer pos = s;
  // Typing a literal where it stands steps over it.
  if (FMask.IsLiteral(pos) && FText[static_cast<std::size_t>(pos)] == Key && e == s) {
    SetSelection(pos + 1, pos + 1);
    return;
  }
  pos = FMask.NextInput(pos);
  Char c = Key;
  if (pos >= FMask.Length() || !FMask.Accepts(pos, c)) {
    // The literals the caret has just stepped over may be typed as well.
    for (Integer i = s - 1; e == s && FMask.IsLiteral(i); --i)
      if (FText[static_cast<std::size_t>(i)] == Key) return;
    MessageBeep(MB_OK);
    return;
  }
  Integer to = std::max(e, pos + 1);
  String part = BlankedRange(s, to);
  part[static_cast<std::size_t>(pos - s)] = c;
  MaskReplace(s, part, FMask.NextInput(pos + 1));
}

void TCustomMaskEdit::MaskBackspace() {
  Integer s = GetSelStart(), e = s + GetSelLength();
  if (e > s) {
    MaskReplace(s, BlankedRange(s, e), s);
    return;
  }
  Integer pos = FMask.PrevInput(s);
  if (pos < 0) {
    SetSelection(0, 0);
    return;
  }
  MaskReplace(pos, BlankedRange(pos, pos + 1), pos);
}

void TCustomMaskEdit::MaskDelete() {
  Integer s = GetSelStart(), e = s + GetSelLength();
  if (e == s) {
    Integer pos = FMask.NextInput(s);
    if (pos >= FMask.Length()) return;
    MaskReplace(pos, BlankedRange(pos, pos + 1), pos);
    return;
  }
  MaskReplace(s, BlankedRange(s, e), s);
}

void TCustomMaskEdit::MaskPaste(const String& Text) {
  if (Text.empty()) return;
  if (FReadOnly) {
    MessageBeep(MB_OK);
    return;
  }
  Integer s = GetSelStart(), e = s + GetSelLength();
  String work = FText;
  for (Integer i = s; i < e; ++i)
    if (!FMask.IsLiteral(i)) work[static_cast<std::size_t>(i)] = FMask.Blank();
  Integer pos = s;
  bool refused = false;
  for (Char c : Text) {
    if (pos >= FMask.Length()) break;
    if (FMask.IsLiteral(pos)) {
      if (work[static_cast<std::size_t>(pos)] == c) {
        ++pos;
        continue;
      }
      pos = FMask.NextInput(pos);
      if (pos >= FMask.Length()) break;
    }
    if (FMask.Accepts(pos, c)) {
      work[static_cast<std::size_t>(pos++)] = c;
    } else {
      refused = true;
    }
  }
  if (refused) MessageBeep(MB_OK);
  Integer to = std::max(e, pos);
  MaskReplace(s, work.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(to - s)), pos);
}

String TCustomMaskEdit::ClipboardText() {
  String text;
  if (!OpenClipboard(FHandle)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const Char*>(GlobalLock(data))) {
      std::size_t max = GlobalSize(data) / sizeof(Char);
      text.assign(p, std::find(p, p + max, Char(0)));
    }
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void TCustomMaskEdit::DefaultHandler(TMessage& Message) {
  if (!IsMasked()) {
    inherited::DefaultHandler(Message);
    return;
  }
  switch (Message.Msg) {
    case WM_SETTEXT: {
      // The window text is the EditText: whatever arrives is fitted into the mask.
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      String edit = FMask.Normalize(s ? String(s) : String());
      Message.LParam = reinterpret_cast<LPARAM>(edit.c_str());
      inherited::DefaultHandler(Message);
      return;
    }
    case WM_CHAR: {
      auto key = static_cast<Char>(Message.WParam);
      switch (key) {
        case 0x08: MaskBackspace(); return;
        case 0x16: Perform(WM_PASTE, 0, 0); return;
        case 0x18: Perform(WM_CUT, 0, 0); return;
        case 0x7F: MaskBackspace(); return;
        default:
          if (key >= 0x20) {
            MaskChar(key);
            return;
          }
      }
      break;
    }
    case WM_KEYDOWN:
      if (Message.WParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0) {
        if (FReadOnly) MessageBeep(MB_OK);
        else MaskDelete();
        return;
      }
      break;
    case WM_CUT:
      if (FPasswordChar || GetSelLength() == 0) return;
      if (Perform(WM_COPY, 0, 0)) Perform(WM_CLEAR, 0, 0);
      return;
    case WM_CLEAR:
      if (FReadOnly) {
        MessageBeep(MB_OK);
        return;
      }
      if (GetSelLength() > 0) MaskDelete();
      return;
    case WM_PASTE: MaskPaste(ClipboardText()); return;
    default: break;
  }
  inherited::DefaultHandler(Message);
}
