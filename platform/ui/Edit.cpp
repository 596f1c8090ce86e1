// TCustomEdit: a single-line edit drawn by the class library. Its default handler is the edit's
// own behaviour (keys, characters, mouse, clipboard, EM_* messages); the class library's key and
// mouse events run before it and can swallow or change what reaches it.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/EditBalloonInternal.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/WinBase.h"

namespace {

constexpr Integer kMargin = 2;

bool IsWordChar(Char C) {
  return (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_' || C >= 0xC0;
}
bool IsSpace(Char C) { return C == u' ' || C == u'\t'; }

}  // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FTabStop = true;
  FWidth = 121;
  FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FAlignment == taRightJustify) Params.Style |= ES_RIGHT;
  if (FAlignment == taCenter) Params.Style |= ES_CENTER;
}

void TCustomEdit::CreateWnd() {
  {
    FCreating = true;
    const auto undo = ScopeExit([&] { FCreating = false; });
    TWinControl::CreateWnd();
  }
  FMeasured = false;
}

// ---- properties

Integer TCustomEdit::GetSelStart() { return std::min(FAnchor, FCaret); }
Integer TCustomEdit::GetSelLength() { return std::abs(FCaret - FAnchor); }
String TCustomEdit::GetSelText() { return FText.substr(static_cast<std::size_t>(GetSelStart()), static_cast<std::size_t>(GetSelLength())); }

void TCustomEdit::SetSelStart(Integer Value) { Perform(EM_SETSEL, static_cast<WPARAM>(Value), Value); }

void TCustomEdit::SetSelLength(Integer Value) {
  Integer start = GetSelStart();
  Perform(EM_SETSEL, static_cast<WPARAM>(start), start + std::max(0, Value));
}

void TCustomEdit::SetSelText(const String& Value) {
  Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { Perform(EM_SETSEL, 0, -1); }
void TCustomEdit::ClearSelection() { Perform(WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }

void TCustomEdit::SetMaxLength(Integer Value) {
  FMaxLength = std::max(0, Value);
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value) { Perform(EM_SETREADONLY, Value ? 1 : 0, 0); }

void TCustomEdit::SetPasswordChar(Char Value) {
  if (FPasswordChar == Value) return;
  Perform(EM_SETPASSWORDCHAR, Value, 0);
  // The style follows with a new window.
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  SetText(CaseText(GetText()));
  if (FHandle) {
    LONG s = GetWindowLong(FHandle, GWL_STYLE) & ~static_cast<LONG>(ES_UPPERCASE | ES_LOWERCASE);
    if (Value == ecUpperCase) s |= static_cast<LONG>(ES_UPPERCASE);
    if (Value == ecLowerCase) s |= static_cast<LONG>(ES_LOWERCASE);
    SetWindowLong(FHandle, GWL_STYLE, s);
  }
}

void TCustomEdit::SetHideSelection(bool Value) {
  FHideSelection = Value;
  Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

String TCustomEdit::CaseText(const String& Text) const {
  switch (FCharCase) {
    case ecUpperCase: return AnsiUpperCase(Text);
    case ecLowerCase: return AnsiLowerCase(Text);
    default: return Text;
  }
}

// ---- change notification

void TCustomEdit::NotifyChange() {
  if (FHandle && FParent && FParent->HandleAllocated()) {
    SendNotify(EN_CHANGE);
    return;
  }
  if (!FComponentState.Contains(csLoading) && !FCreating) Change();
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown)) SelectAll();
  TWinControl::DoEnter();
}

// ---- text and selection

void TCustomEdit::SetContent(const String& Text) {
  FText = Text;
  FMeasured = false;
  // The window's own text stays the same as the edit's.
  if (FHandle) DefWindowProc(FHandle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FText.c_str()));
}

void TCustomEdit::SetSelection(Integer Anchor, Integer Caret) {
  auto len = static_cast<Integer>(FText.size());
  FAnchor = std::clamp(Anchor, 0, len);
  FCaret = std::clamp(Caret, 0, len);
  ScrollToCaret();
  Invalidate();
}

void TCustomEdit::MoveCaret(Integer Pos, bool Extend) { SetSelection(Extend ? FAnchor : Pos, Pos); }

String TCustomEdit::AcceptedText(const String& Text) const {
  if (FMultiLine) return CaseText(AdjustLineBreaks(Text));
  String text = CaseText(Text);
  std::size_t lineEnd = text.find_first_of(u"\r\n");
  if (lineEnd != String::npos) text.resize(lineEnd);
  return text;
}

bool TCustomEdit::ReplaceSelection(const String& Text, bool Notify) {
  String insert = AcceptedText(Text);
  Integer start = GetSelStart(), length = GetSelLength();
  if (FMaxLength > 0) {
    Integer room = FMaxLength - (static_cast<Integer>(FText.size()) - length);
    if (room < static_cast<Integer>(insert.size())) {
      insert.resize(static_cast<std::size_t>(std::max(0, room)));
      // A line break is not cut in two.
      if (!insert.empty() && insert.back() == u'\r') insert.pop_back();
      if (FHandle) SendNotify(EN_MAXTEXT);
    }
  }
  if (length == 0 && insert.empty()) return false;
  String text = FText;
  text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), insert);
  bool changed = text != FText;
  SetContent(text);
  Integer caret = start + static_cast<Integer>(insert.size());
  SetSelection(caret, caret);
  if (changed && Notify) NotifyChange();
  return changed;
}

bool TCustomEdit::UserReplace(const String& Text) {
  if (FReadOnly) {
    MessageBeep(MB_OK);
    return false;
  }
  String before = FText;
  Integer anchor = FAnchor, caret = FCaret;
  FModified = true;
  if (!ReplaceSelection(Text, false)) return false;
  FUndoText = before;
  FUndoAnchor = anchor;
  FUndoCaret = caret;
  FCanUndo = true;
  NotifyChange();
  return true;
}

void TCustomEdit::Undo() {
  if (!FCanUndo || FReadOnly) return;
  String text = FText;
  Integer anchor = FAnchor, caret = FCaret;
  SetContent(FUndoText);
  SetSelection(FUndoAnchor, FUndoCaret);
  FUndoText = text;
  FUndoAnchor = anchor;
  FUndoCaret = caret;
  NotifyChange();
}

Integer TCustomEdit::WordStart(Integer Pos) const {
  while (Pos > 0 && IsWordChar(FText[static_cast<std::size_t>(Pos - 1)])) --Pos;
  return Pos;
}

Integer TCustomEdit::WordEnd(Integer Pos) const {
  auto len = static_cast<Integer>(FText.size());
  while (Pos < len && IsWordChar(FText[static_cast<std::size_t>(Pos)])) ++Pos;
  return Pos;
}

Integer TCustomEdit::NextWordPos(Integer Pos) const {
  auto len = static_cast<Integer>(FText.size());
  if (Pos < len && IsWordChar(FText[static_cast<std::size_t>(Pos)])) Pos = WordEnd(Pos);
  else if (Pos < len && !IsSpace(FText[static_cast<std::size_t>(Pos)])) ++Pos;
  while (Pos < len && IsSpace(FText[static_cast<std::size_t>(Pos)])) ++Pos;
  return Pos;
}

Integer TCustomEdit::PrevWordPos(Integer Pos) const {
  while (Pos > 0 && IsSpace(FText[static_cast<std::size_t>(Pos - 1)])) --Pos;
  if (Pos > 0 && IsWordChar(FText[static_cast<std::size_t>(Pos - 1)])) return WordStart(Pos);
  return Pos > 0 ? Pos - 1 : 0;
}

// ---- layout

String TCustomEdit::DisplayText() const {
  return FPasswordChar ? String(FText.size(), FPasswordChar) : FText;
}

void TCustomEdit::Measure() {
  if (FMeasured) return;
  String shown = DisplayText();
  HDC dc = GetDC(FHandle);
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    TEXTMETRICW tm;
    GetTextMetrics(dc, &tm);
    FLineHeight = tm.tmHeight;
    FOffsets.assign(shown.size() + 1, 0);
    if (!shown.empty()) {
      std::vector<int> dx(shown.size());
      int fit = 0;
      SIZE size;
      GetTextExtentExPoint(dc, shown.c_str(), static_cast<int>(shown.size()), INT_MAX, &fit, dx.data(), &size);
      for (std::size_t i = 0; i < shown.size(); ++i) FOffsets[i + 1] = dx[i];
    }
  }
  ReleaseDC(FHandle, dc);
  FMeasured = true;
}

TRect TCustomEdit::FormatRect() {
  if (FEditRectSet) return FEditRect;
  Measure();
  TRect r = GetClientRect();
  r.left += kMargin;
  r.right = std::max(r.left, r.right - kMargin);
  r.top = std::max<Integer>(0, (r.bottom - FLineHeight) / 2);
  return r;
}

TRect TCustomEdit::TextRect() {
  Measure();
  TRect r = FormatRect();
  r.bottom = std::min<Integer>(r.bottom, r.top + FLineHeight);
  return r;
}

Integer TCustomEdit::XOfPos(Integer Pos) {
  TRect r = TextRect();
  Integer textWidth = FOffsets.back();
  Integer shift = 0;
  Integer room = r.right - r.left;
  if (textWidth < room) {
    if (FAlignment == taRightJustify) shift = room - textWidth - 1;
    else if (FAlignment == taCenter) shift = (room - textWidth) / 2;
  }
  Pos = std::clamp<Integer>(Pos, 0, static_cast<Integer>(FOffsets.size()) - 1);
  return r.left + shift + FOffsets[static_cast<std::size_t>(Pos)] - FScroll;
}

Integer TCustomEdit::PosOfX(Integer X) {
  Integer base = XOfPos(0);
  Integer x = X - base;
  // The caret position nearest to x.
  auto it = std::lower_bound(FOffsets.begin(), FOffsets.end(), x);
  if (it == FOffsets.end()) return static_cast<Integer>(FOffsets.size()) - 1;
  auto i = static_cast<Integer>(it - FOffsets.begin());
  if (i > 0 && x - FOffsets[static_cast<std::size_t>(i - 1)] < *it - x) --i;
  return i;
}

void TCustomEdit::ScrollToCaret() {
  Measure();
  TRect r = TextRect();
  Integer room = std::max<Integer>(1, r.right - r.left);
  Integer caretX = FOffsets[static_cast<std::size_t>(std::clamp<Integer>(FCaret, 0, static_cast<Integer>(FOffsets.size()) - 1))];
  Integer textWidth = FOffsets.back();
  if (caretX - FScroll < 0) FScroll = std::max(0, caretX - room / 4);
  else if (caretX - FScroll > room - 1) FScroll = caretX - room + 1 + std::min(room / 4, textWidth - caretX);
  if (textWidth - FScroll < room - 1) FScroll = std::max(0, textWidth - room + 1);
}

// ---- painting

void TCustomEdit::PaintWindow(HDC DC) {
  Measure();
  TRect client = GetClientRect();
  ControlPaint::FillColor(DC, client, GetColor());
  TRect r = TextRect();
  TRect clip = FormatRect();
  String shown = DisplayText();
  int saved = SaveDC(DC);
  IntersectClipRect(DC, clip.left, clip.top, clip.right, clip.bottom);
  ControlPaint::TSelectFont sel(DC, GetFont());
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, GetEnabled() ? ColorToRGB(GetFont()->GetColor()) : GetSysColor(COLOR_GRAYTEXT));
  Integer x0 = XOfPos(0);
  TextOut(DC, x0, r.top, shown.c_str(), static_cast<int>(shown.size()));
  bool focused = Focused();
  Integer s = GetSelStart(), e = s + GetSelLength();
  if (e > s && (focused || !FHideSelection)) {
    TRect sr{XOfPos(s), r.top, XOfPos(e), r.bottom};
    int inner = SaveDC(DC);
    IntersectClipRect(DC, sr.left, sr.top, sr.right, sr.bottom);
    ControlPaint::FillColor(DC, sr, focused ? clHighlight : clBtnFace);
    SetTextColor(DC, ColorToRGB(focused ? clHighlightText : clWindowText));
    TextOut(DC, x0, r.top, shown.c_str(), static_cast<int>(shown.size()));
    RestoreDC(DC, inner);
  }
  if (focused) {
    Integer cx = XOfPos(FCaret);
    TRect caret{cx, r.top, cx + 1, r.bottom};
    ControlPaint::FillColor(DC, caret, GetFont()->GetColor());
  }
  RestoreDC(DC, saved);
}

// ---- the edit's own behaviour

void TCustomEdit::EditKeyDown(UINT Key) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  auto len = static_cast<Integer>(FText.size());
  switch (Key) {
    case VK_LEFT:
      if (ctrl) MoveCaret(PrevWordPos(FCaret), shift);
      else if (!shift && GetSelLength() > 0) MoveCaret(GetSelStart(), false);
      else MoveCaret(std::max(0, FCaret - 1), shift);
      break;
    case VK_RIGHT:
      if (ctrl) MoveCaret(NextWordPos(FCaret), shift);
      else if (!shift && GetSelLength() > 0) MoveCaret(GetSelStart() + GetSelLength(), false);
      else MoveCaret(std::min(len, FCaret + 1), shift);
      break;
    case VK_HOME: MoveCaret(0, shift); break;
    case VK_END: MoveCaret(len, shift); break;
    case VK_DELETE:
      if (shift) {
        Perform(WM_CUT, 0, 0);
      } else if (GetSelLength() == 0 && FCaret < len) {
        Integer to = ctrl ? NextWordPos(FCaret) : FCaret + 1;
        if (!FReadOnly) FAnchor = to;
        UserReplace(String());
      } else {
        UserReplace(String());
      }
      break;
    case VK_INSERT:
      if (shift) Perform(WM_PASTE, 0, 0);
      else if (ctrl) Perform(WM_COPY, 0, 0);
      break;
  }
}

void TCustomEdit::EditChar(Char Key) {
  switch (Key) {
    case 0x01: SelectAll(); return;                    // Ctrl+A
    case 0x03: Perform(WM_COPY, 0, 0); return;         // Ctrl+C
    case 0x16: Perform(WM_PASTE, 0, 0); return;        // Ctrl+V
    case 0x18: Perform(WM_CUT, 0, 0); return;          // Ctrl+X
    case 0x1A: Undo(); return;                         // Ctrl+Z
    case 0x08:                                         // Backspace
      if (GetSelLength() == 0 && FCaret > 0 && !FReadOnly) FAnchor = FCaret - 1;
      UserReplace(String());
      return;
    case 0x7F:                                         // Ctrl+Backspace
      if (GetSelLength() == 0 && FCaret > 0 && !FReadOnly) FAnchor = PrevWordPos(FCaret);
      UserReplace(String());
      return;
  }
  if (Key < 0x20) return;
  UserReplace(String(1, Key));
}

void TCustomEdit::EditMouse(TMessage& Message) {
  TPoint p = MessagePos(Message);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
      if (FHandle && GetFocus() != FHandle) SetFocus();
      // A press beside the formatting rectangle takes the nearest position it shows.
      TRect r = FormatRect();
      Integer pos = PosOfX(std::clamp<Integer>(p.x, r.left, std::max(r.left, r.right - 1)));
      MoveCaret(pos, (Message.WParam & MK_SHIFT) != 0);
      FSelecting = true;
      SetCapture(FHandle);
      break;
    }
    case WM_LBUTTONDBLCLK: {
      Integer pos = PosOfX(p.x);
      Integer s = WordStart(pos), e = WordEnd(pos);
      if (s == e) e = std::min<Integer>(static_cast<Integer>(FText.size()), pos + 1);
      SetSelection(s, e);
      break;
    }
    case WM_MOUSEMOVE:
      if (FSelecting) MoveCaret(PosOfX(p.x), true);
      break;
    case WM_LBUTTONUP:
      if (FSelecting) {
        FSelecting = false;
        if (GetCapture() == FHandle) ReleaseCapture();
      }
      break;
  }
}

HWND TCustomEdit::BalloonWindow() const { return EditBalloonWindow(FBalloon); }

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    CNCommand(Message);
    return;
  }
  inherited::Dispatch(Message);
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXT: case WM_GETTEXTLENGTH:
      TControl::DefaultHandler(Message);
      return;
    case WM_SETTEXT: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      String text = AcceptedText(s ? String(s) : String());
      bool changed = text != FText;
      SetContent(text);
      FAnchor = FCaret = 0;
      FScroll = 0;
      FModified = false;
      FCanUndo = false;
      Invalidate();
      if (changed) NotifyChange();
      Message.Result = TRUE;
      return;
    }
    case WM_GETDLGCODE: Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL; return;
    case WM_KEYDOWN:
      HideEditBalloon(FBalloon);
      EditKeyDown(static_cast<UINT>(Message.WParam));
      return;
    case EM_SHOWBALLOONTIP:
      Message.Result = ShowEditBalloon(FBalloon, this, reinterpret_cast<const EDITBALLOONTIP*>(Message.LParam),
                                       ClientToScreen(TPoint{0, GetClientRect().bottom}));
      return;
    case EM_HIDEBALLOONTIP: Message.Result = HideEditBalloon(FBalloon) ? TRUE : FALSE; return;
    case WM_CHAR: EditChar(static_cast<Char>(Message.WParam)); return;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      EditMouse(Message);
      return;
    case WM_SETCURSOR:
      if (static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))) == HTCLIENT) {
        ::SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        Message.Result = 1;
        return;
      }
      break;
    case WM_SETFOCUS:
      Invalidate();
      SendNotify(EN_SETFOCUS);
      return;
    case WM_KILLFOCUS:
      HideEditBalloon(FBalloon);
      FSelecting = false;
      Invalidate();
      SendNotify(EN_KILLFOCUS);
      return;
    case WM_SIZE:
      FMeasured = false;
      ScrollToCaret();
      break;
    case WM_CUT:
      if (FPasswordChar || GetSelLength() == 0) return;
      // The selection goes only once it is on the clipboard (which may be held by another window).
      if (Perform(WM_COPY, 0, 0)) UserReplace(String());
      return;
    case WM_COPY: {
      // Result: TRUE when the selection reached the clipboard.
      if (FPasswordChar || GetSelLength() == 0) return;
      String sel = GetSelText();
      HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (sel.size() + 1) * sizeof(Char));
      if (!mem) return;
      std::memcpy(GlobalLock(mem), sel.c_str(), (sel.size() + 1) * sizeof(Char));
      GlobalUnlock(mem);
      bool placed = false;
      if (OpenClipboard(FHandle)) {
        EmptyClipboard();
        placed = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        CloseClipboard();
      }
      if (!placed) GlobalFree(mem);
      Message.Result = placed ? TRUE : FALSE;
      return;
    }
    case WM_PASTE: {
      if (!OpenClipboard(FHandle)) return;
      String text;
      if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const Char*>(GlobalLock(data))) {
          std::size_t max = GlobalSize(data) / sizeof(Char);
          text.assign(p, std::find(p, p + max, Char(0)));
        }
        GlobalUnlock(data);
      }
      CloseClipboard();
      if (!text.empty()) UserReplace(text);
      return;
    }
    case WM_CLEAR: UserReplace(String()); return;
    case WM_UNDO: case EM_UNDO: Undo(); Message.Result = TRUE; return;
    case EM_CANUNDO: Message.Result = FCanUndo ? 1 : 0; return;
    case EM_EMPTYUNDOBUFFER: FCanUndo = false; return;
    case EM_GETSEL: {
      auto s = static_cast<DWORD>(GetSelStart()), e = static_cast<DWORD>(GetSelStart() + GetSelLength());
      if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = s;
      if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = e;
      Message.Result = static_cast<LRESULT>(MAKELPARAM(static_cast<WORD>(std::min<DWORD>(s, 0xFFFF)),
                                                       static_cast<WORD>(std::min<DWORD>(e, 0xFFFF))));
      return;
    }
    case EM_SETSEL: {
      auto start = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      auto end = static_cast<Integer>(Message.LParam);
      auto len = static_cast<Integer>(FText.size());
      if (start < 0) {
        SetSelection(FCaret, FCaret);
        return;
      }
      if (end < 0) end = len;
      SetSelection(start, end);
      return;
    }
    case EM_REPLACESEL: {
      auto* s = reinterpret_cast<const Char*>(Message.LParam);
      String before = FText;
      Integer anchor = FAnchor, caret = FCaret;
      if (ReplaceSelection(s ? String(s) : String(), true) && Message.WParam) {
        FUndoText = before;
        FUndoAnchor = anchor;
        FUndoCaret = caret;
        FCanUndo = true;
      }
      return;
    }
    case EM_LIMITTEXT: FMaxLength = static_cast<Integer>(Message.WParam); return;
    case EM_GETLIMITTEXT: Message.Result = FMaxLength > 0 ? FMaxLength : 0x7FFFFFFE; return;
    case EM_SETREADONLY:
      FReadOnly = Message.WParam != 0;
      if (FHandle) {
        LONG s = GetWindowLong(FHandle, GWL_STYLE);
        SetWindowLong(FHandle, GWL_STYLE, FReadOnly ? (s | static_cast<LONG>(ES_READONLY)) : (s & ~static_cast<LONG>(ES_READONLY)));
      }
      Invalidate();
      Message.Result = TRUE;
      return;
    case EM_GETMODIFY: Message.Result = FModified ? 1 : 0; return;
    case EM_SETMODIFY: FModified = Message.WParam != 0; return;
    case EM_SETPASSWORDCHAR:
      FPasswordChar = static_cast<Char>(Message.WParam);
      FMeasured = false;
      Invalidate();
      return;
    case EM_GETPASSWORDCHAR: Message.Result = FPasswordChar; return;
    case EM_SCROLLCARET: ScrollToCaret(); Invalidate(); return;
    case EM_GETRECT:
      if (Message.LParam) *reinterpret_cast<RECT*>(Message.LParam) = FormatRect();
      return;
    case EM_SETRECT: case EM_SETRECTNP: {
      auto* r = reinterpret_cast<const RECT*>(Message.LParam);
      FEditRectSet = r != nullptr;
      if (r) FEditRect = *r;
      FMeasured = false;
      ScrollToCaret();
      if (Message.Msg == EM_SETRECT) Invalidate();
      return;
    }
    case EM_GETLINECOUNT: Message.Result = 1; return;
    case EM_LINEFROMCHAR: Message.Result = 0; return;
    case EM_LINEINDEX: Message.Result = static_cast<LPARAM>(Message.WParam) <= 0 ? 0 : -1; return;
    case EM_LINELENGTH: Message.Result = static_cast<LRESULT>(FText.size()); return;
    case EM_POSFROMCHAR: {
      auto index = static_cast<Integer>(Message.WParam);
      if (index < 0 || index > static_cast<Integer>(FText.size())) {
        Message.Result = -1;
        return;
      }
      TRect r = TextRect();
      Message.Result = MAKELPARAM(static_cast<WORD>(XOfPos(index)), static_cast<WORD>(r.top));
      return;
    }
    case EM_CHARFROMPOS: {
      Integer x = GET_X_LPARAM(Message.LParam);
      Message.Result = MAKELPARAM(static_cast<WORD>(PosOfX(x)), 0);
      return;
    }
    default: break;
  }
  TWinControl::DefaultHandler(Message);
}
