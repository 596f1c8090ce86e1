// TCustomMemo: rows laid out from the edit's text, keys and mouse over rows, the line messages,
// scrolling with the window's scroll bars, and Lines.
#include "platform/ui/Memo.h"

#include <algorithm>
#include <climits>

#include "platform/win/WinScroll.h"

namespace {

constexpr Integer kMargin = 2;   // between the client edge and the text, left and right
constexpr Integer kTabChars = 8;  // tab stops every eight average characters

bool IsBlank(Char C) { return C == u' ' || C == u'\t'; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lines

class TMemoStrings : public TStrings {
  ZELK_CLASS(TMemoStrings, TStrings)
public:
  explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}
  Integer GetCount() const override { return FMemo->LineCount(); }
  void Clear() override { FMemo->SetText(String()); }
  void SetText(StringView Value) override { FMemo->SetText(String(Value)); }
  void Delete(Integer Index) override {
    if (Index < 0 || Index >= GetCount()) return;
    Integer from = FMemo->LineStart(Index), to = FMemo->LineStart(Index + 1);
    Replace(from, to < 0 ? static_cast<Integer>(FMemo->FText.size()) : to, String());
  }
  // Before line Index; past the last line, after it (a line break first when the text does not
  // end with one).
  void Insert(Integer Index, const String& S) override {
    if (Index < 0) return;
    Integer at = FMemo->LineStart(Index);
    if (at >= 0) {
      Replace(at, at, S + u"\r\n");
      return;
    }
    Integer prev = FMemo->LineStart(Index - 1);
    if (prev < 0) return;
    Integer end = FMemo->LineEnd(prev);
    if (end == prev) return;
    Replace(end, end, u"\r\n" + S);
  }

protected:
  String Get(Integer Index) const override {
    if (Index < 0 || Index >= GetCount()) return String();
    Integer from = FMemo->LineStart(Index);
    return FMemo->FText.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(FMemo->LineEnd(from) - from));
  }
  void Put(Integer Index, const String& S) override {
    if (Index < 0 || Index >= GetCount()) return;
    Integer from = FMemo->LineStart(Index);
    Replace(from, FMemo->LineEnd(from), S);
  }

private:
  void Replace(Integer From, Integer To, const String& S) {
    FMemo->Perform(EM_SETSEL, static_cast<WPARAM>(From), To);
    FMemo->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(S.c_str()));
  }
  TCustomMemo* FMemo;
};

Integer TCustomMemo::LineStart(Integer Index) const {
  if (Index < 0) return -1;
  std::size_t pos = 0;
  for (Integer i = 0; i < Index; ++i) {
    pos = FText.find(u"\r\n", pos);
    if (pos == String::npos) return -1;
    pos += 2;
  }
  return static_cast<Integer>(pos);
}

Integer TCustomMemo::LineEnd(Integer From) const {
  std::size_t end = FText.find(u"\r\n", static_cast<std::size_t>(From));
  return static_cast<Integer>(end == String::npos ? FText.size() : end);
}

Integer TCustomMemo::LineCount() const {
  if (FText.empty()) return 0;
  Integer breaks = 0;
  for (std::size_t pos = FText.find(u"\r\n"); pos != String::npos; pos = FText.find(u"\r\n", pos + 2)) ++breaks;
  // An empty last line is no line of its own.
  bool endsWithBreak = FText.size() >= 2 && FText.compare(FText.size() - 2, 2, u"\r\n") == 0;
  return endsWithBreak ? breaks : breaks + 1;
}

// ---------------------------------------------------------------------------------------------
// TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  FMultiLine = true;
  FControlStyle.Exclude(csFixedHeight);
  FWidth = 185;
  FHeight = 89;
  FAutoSelect = false;
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FWantReturns) Params.Style |= ES_WANTRETURN;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::CreateWnd() {
  TCustomEdit::CreateWnd();
  FMeasured = false;
  UpdateScrollBars();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  FMeasured = false;
  FScroll = 0;
  RecreateWnd();
  Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  FMeasured = false;
  RecreateWnd();
}

TPoint TCustomMemo::GetCaretPos() {
  Integer line = 0, from = 0;
  for (Integer next = LineStart(1); next >= 0 && next <= FCaret; next = LineStart(line + 1)) {
    ++line;
    from = next;
  }
  return TPoint{FCaret - from, line};
}

void TCustomMemo::SetCaretPos(TPoint Value) {
  Integer from = LineStart(std::max<Integer>(0, Value.y));
  if (from < 0) from = LineStart(std::max(0, LineCount() - 1));
  if (from < 0) from = 0;
  Integer pos = std::min(from + std::max<Integer>(0, Value.x), LineEnd(from));
  Perform(EM_SETSEL, static_cast<WPARAM>(pos), pos);
}

// ---- layout

TRect TCustomMemo::FormatRect() {
  if (FEditRectSet) return FEditRect;
  TRect r = GetClientRect();
  r.left += kMargin;
  r.right = std::max(r.left, r.right - kMargin);
  return r;
}

void TCustomMemo::Layout() {
  if (FMeasured) return;
  TRect r = FormatRect();
  FLayoutWidth = std::max<Integer>(1, r.right - r.left);
  auto len = static_cast<Integer>(FText.size());
  FX.assign(FText.size() + 1, 0);
  FRows.clear();
  HDC dc = GetDC(FHandle);
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    TEXTMETRICW tm;
    GetTextMetrics(dc, &tm);
    FLineHeight = std::max<Integer>(1, tm.tmHeight);
    Integer tab = std::max<Integer>(1, kTabChars * tm.tmAveCharWidth);
    std::vector<int> dx;
    Integer start = 0;
    while (true) {
      std::size_t brk = FText.find(u"\r\n", static_cast<std::size_t>(start));
      Integer end = brk == String::npos ? len : static_cast<Integer>(brk);
      // x of every position of the line, tabs taken to the next stop.
      Integer x = 0;
      for (Integer a = start; a < end;) {
        Integer b = a;
        while (b < end && FText[static_cast<std::size_t>(b)] != u'\t') ++b;
        if (b > a) {
          dx.resize(static_cast<std::size_t>(b - a));
          int fit = 0;
          SIZE size;
          GetTextExtentExPoint(dc, FText.c_str() + a, b - a, INT_MAX, &fit, dx.data(), &size);
          for (Integer k = 0; k < b - a; ++k) FX[static_cast<std::size_t>(a + k + 1)] = x + dx[static_cast<std::size_t>(k)];
          x += dx.back();
        }
        if (b < end) {
          x = (x / tab + 1) * tab;
          FX[static_cast<std::size_t>(++b)] = x;
        }
        a = b;
      }
      // Rows: broken after the last blank that fits, or inside a word that alone is too long.
      Integer rowStart = start;
      while (FWordWrap && FX[static_cast<std::size_t>(end)] - FX[static_cast<std::size_t>(rowStart)] > FLayoutWidth) {
        Integer base = FX[static_cast<std::size_t>(rowStart)];
        Integer fits = rowStart + 1;
        while (fits < end && FX[static_cast<std::size_t>(fits + 1)] - base <= FLayoutWidth) ++fits;
        Integer cut = fits;
        if (fits < end && IsBlank(FText[static_cast<std::size_t>(fits)])) {
          cut = fits + 1;   // a blank at the edge stays on the row
        } else {
          for (Integer k = fits; k > rowStart + 1; --k)
            if (IsBlank(FText[static_cast<std::size_t>(k - 1)])) {
              cut = k;
              break;
            }
        }
        FRows.push_back(TRow{rowStart, cut});
        rowStart = cut;
      }
      FRows.push_back(TRow{rowStart, end});
      if (brk == String::npos) break;
      FX[static_cast<std::size_t>(end + 1)] = FX[static_cast<std::size_t>(end)];
      start = end + 2;
    }
  }
  ReleaseDC(FHandle, dc);
  FMeasured = true;
}

Integer TCustomMemo::RowOf(Integer Pos) {
  Layout();
  auto it = std::upper_bound(FRows.begin(), FRows.end(), Pos, [](Integer P, const TRow& R) { return P < R.Start; });
  return std::max<Integer>(0, static_cast<Integer>(it - FRows.begin()) - 1);
}

Integer TCustomMemo::RowShift(const TRow& Row) {
  Integer room = FLayoutWidth - RowWidth(Row);
  if (room <= 0) return 0;
  if (FAlignment == taRightJustify) return room - 1;
  if (FAlignment == taCenter) return room / 2;
  return 0;
}

Integer TCustomMemo::VisibleRows() {
  Layout();
  TRect r = FormatRect();
  return std::max<Integer>(1, (r.bottom - r.top) / FLineHeight);
}

TPoint TCustomMemo::PointOfPos(Integer Pos) {
  Integer row = RowOf(Pos);
  const TRow& rw = FRows[static_cast<std::size_t>(row)];
  TRect r = FormatRect();
  Integer x = r.left + RowShift(rw) + FX[static_cast<std::size_t>(Pos)] - FX[static_cast<std::size_t>(rw.Start)] - FScroll;
  return TPoint{x, r.top + (row - FTopRow) * FLineHeight};
}

Integer TCustomMemo::PosInRow(Integer Row, Integer X) {
  const TRow& rw = FRows[static_cast<std::size_t>(Row)];
  // A wrapped row's end is the next row's start: the caret stays before it.
  bool wrapped = rw.End < static_cast<Integer>(FText.size()) && FText[static_cast<std::size_t>(rw.End)] != u'\r';
  Integer last = wrapped ? std::max(rw.Start, rw.End - 1) : rw.End;
  Integer base = FX[static_cast<std::size_t>(rw.Start)];
  auto first = FX.begin() + rw.Start, stop = FX.begin() + last + 1;
  auto it = std::lower_bound(first, stop, base + X);
  if (it == stop) return last;
  auto pos = static_cast<Integer>(it - FX.begin());
  if (pos > rw.Start && (base + X) - FX[static_cast<std::size_t>(pos - 1)] < *it - (base + X)) --pos;
  return pos;
}

Integer TCustomMemo::PosOfPoint(TPoint P) {
  Layout();
  TRect r = FormatRect();
  Integer dy = P.y - r.top;
  Integer row = FTopRow + (dy >= 0 ? dy / FLineHeight : -((-dy + FLineHeight - 1) / FLineHeight));
  row = std::clamp<Integer>(row, 0, static_cast<Integer>(FRows.size()) - 1);
  return PosInRow(row, P.x - r.left - RowShift(FRows[static_cast<std::size_t>(row)]) + FScroll);
}

void TCustomMemo::ScrollToCaret() {
  Layout();
  Integer row = RowOf(FCaret), visible = VisibleRows();
  if (row < FTopRow) FTopRow = row;
  else if (row >= FTopRow + visible) FTopRow = row - visible + 1;
  FTopRow = std::clamp<Integer>(FTopRow, 0, std::max<Integer>(0, static_cast<Integer>(FRows.size()) - visible));
  if (FWordWrap) {
    FScroll = 0;
  } else {
    const TRow& rw = FRows[static_cast<std::size_t>(row)];
    Integer caretX = RowShift(rw) + FX[static_cast<std::size_t>(FCaret)] - FX[static_cast<std::size_t>(rw.Start)];
    Integer room = FLayoutWidth;
    if (caretX - FScroll < 0) FScroll = std::max(0, caretX - room / 4);
    else if (caretX - FScroll > room - 1) FScroll = caretX - room + 1 + room / 4;
  }
  UpdateScrollBars();
}

void TCustomMemo::UpdateScrollBars() {
  if (!FHandle) return;
  Layout();
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    si.nMax = static_cast<int>(FRows.size()) - 1;
    si.nPage = static_cast<UINT>(VisibleRows());
    si.nPos = FTopRow;
    SetScrollInfo(FHandle, SB_VERT, &si, TRUE);
  }
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    Integer widest = 0;
    for (const TRow& rw : FRows) widest = std::max(widest, RowWidth(rw));
    si.nMax = FWordWrap ? 0 : widest;
    si.nPage = static_cast<UINT>(FLayoutWidth);
    si.nPos = FScroll;
    SetScrollInfo(FHandle, SB_HORZ, &si, TRUE);
  }
}

void TCustomMemo::ScrollRows(Integer TopRow) {
  Layout();
  FTopRow = std::clamp<Integer>(TopRow, 0, std::max<Integer>(0, static_cast<Integer>(FRows.size()) - VisibleRows()));
  UpdateScrollBars();
  Invalidate();
}

void TCustomMemo::ScrollMessage(bool Vertical, WORD Code, Integer Pos) {
  Layout();
  if (Vertical) {
    Integer page = VisibleRows();
    switch (Code) {
      case SB_LINEUP: ScrollRows(FTopRow - 1); break;
      case SB_LINEDOWN: ScrollRows(FTopRow + 1); break;
      case SB_PAGEUP: ScrollRows(FTopRow - page); break;
      case SB_PAGEDOWN: ScrollRows(FTopRow + page); break;
      case SB_THUMBTRACK: case SB_THUMBPOSITION: ScrollRows(Pos); break;
      case SB_TOP: ScrollRows(0); break;
      case SB_BOTTOM: ScrollRows(static_cast<Integer>(FRows.size())); break;
      default: break;
    }
    return;
  }
  if (FWordWrap) return;
  Integer widest = 0;
  for (const TRow& rw : FRows) widest = std::max(widest, RowWidth(rw));
  Integer step = std::max<Integer>(1, FLineHeight / 2), scroll = FScroll;
  switch (Code) {
    case SB_LINEUP: scroll -= step; break;
    case SB_LINEDOWN: scroll += step; break;
    case SB_PAGEUP: scroll -= FLayoutWidth; break;
    case SB_PAGEDOWN: scroll += FLayoutWidth; break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: scroll = Pos; break;
    case SB_TOP: scroll = 0; break;
    case SB_BOTTOM: scroll = widest; break;
    default: return;
  }
  FScroll = std::clamp<Integer>(scroll, 0, std::max<Integer>(0, widest - FLayoutWidth + 1));
  UpdateScrollBars();
  Invalidate();
}

// ---- painting

void TCustomMemo::DrawRow(HDC DC, const TRow& Row, Integer X, Integer Y) {
  Integer base = FX[static_cast<std::size_t>(Row.Start)];
  for (Integer a = Row.Start; a < Row.End;) {
    Integer b = a;
    while (b < Row.End && FText[static_cast<std::size_t>(b)] != u'\t') ++b;
    if (b > a) TextOut(DC, X + FX[static_cast<std::size_t>(a)] - base, Y, FText.c_str() + a, b - a);
    a = b < Row.End ? b + 1 : b;
  }
}

void TCustomMemo::PaintWindow(HDC DC) {
  Layout();
  TRect client = GetClientRect();
  ControlPaint::FillColor(DC, client, GetColor());
  TRect r = FormatRect();
  int saved = SaveDC(DC);
  IntersectClipRect(DC, r.left, r.top, r.right, r.bottom);
  ControlPaint::TSelectFont sel(DC, GetFont());
  SetBkMode(DC, TRANSPARENT);
  COLORREF text = GetEnabled() ? ColorToRGB(GetFont()->GetColor()) : GetSysColor(COLOR_GRAYTEXT);
  bool focused = Focused();
  Integer selFrom = GetSelStart(), selTo = selFrom + GetSelLength();
  bool showSel = selTo > selFrom && (focused || !FHideSelection);
  for (auto row = static_cast<std::size_t>(FTopRow); row < FRows.size(); ++row) {
    const TRow& rw = FRows[row];
    Integer y = r.top + (static_cast<Integer>(row) - FTopRow) * FLineHeight;
    if (y >= r.bottom) break;
    Integer x = r.left + RowShift(rw) - FScroll;
    SetTextColor(DC, text);
    DrawRow(DC, rw, x, y);
    Integer s = std::max(selFrom, rw.Start), e = std::min(selTo, rw.End);
    // A selected line break shows as a little room after the row.
    bool breakSelected = selTo > rw.End && selFrom <= rw.End && rw.End < static_cast<Integer>(FText.size());
    if (showSel && (e > s || breakSelected)) {
      Integer base = FX[static_cast<std::size_t>(rw.Start)];
      TRect sr{x + FX[static_cast<std::size_t>(std::min(s, rw.End))] - base, y,
               x + FX[static_cast<std::size_t>(std::max(s, e))] - base + (breakSelected ? FLineHeight / 3 : 0), y + FLineHeight};
      int inner = SaveDC(DC);
      IntersectClipRect(DC, sr.left, sr.top, sr.right, sr.bottom);
      ControlPaint::FillColor(DC, sr, focused ? clHighlight : clBtnFace);
      SetTextColor(DC, ColorToRGB(focused ? clHighlightText : clWindowText));
      DrawRow(DC, rw, x, y);
      RestoreDC(DC, inner);
    }
  }
  if (focused) {
    TPoint p = PointOfPos(FCaret);
    ControlPaint::FillColor(DC, TRect{p.x, p.y, p.x + 1, p.y + FLineHeight}, GetFont()->GetColor());
  }
  RestoreDC(DC, saved);
}

// ---- keys and mouse

Integer TCustomMemo::StepLeft(Integer Pos) const {
  if (Pos >= 2 && FText[static_cast<std::size_t>(Pos - 1)] == u'\n' && FText[static_cast<std::size_t>(Pos - 2)] == u'\r') return Pos - 2;
  return std::max(0, Pos - 1);
}

Integer TCustomMemo::StepRight(Integer Pos) const {
  auto len = static_cast<Integer>(FText.size());
  if (Pos + 1 < len && FText[static_cast<std::size_t>(Pos)] == u'\r' && FText[static_cast<std::size_t>(Pos + 1)] == u'\n') return Pos + 2;
  return std::min(len, Pos + 1);
}

void TCustomMemo::MoveVertically(Integer Rows, bool Extend) {
  Layout();
  Integer row = RowOf(FCaret);
  const TRow& rw = FRows[static_cast<std::size_t>(row)];
  Integer goal = FGoalX >= 0 ? FGoalX
                             : RowShift(rw) + FX[static_cast<std::size_t>(FCaret)] - FX[static_cast<std::size_t>(rw.Start)];
  Integer target = std::clamp<Integer>(row + Rows, 0, static_cast<Integer>(FRows.size()) - 1);
  if (target != row)
    MoveCaret(PosInRow(target, goal - RowShift(FRows[static_cast<std::size_t>(target)])), Extend);
  FGoalX = goal;
}

bool TCustomMemo::MemoKeyDown(UINT Key) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  auto len = static_cast<Integer>(FText.size());
  // A position between CR and LF (a word step may land there) goes before the line break.
  auto snap = [&](Integer Pos) {
    return Pos > 0 && Pos < len && FText[static_cast<std::size_t>(Pos - 1)] == u'\r' ? Pos - 1 : Pos;
  };
  switch (Key) {
    case VK_UP: case VK_DOWN: MoveVertically(Key == VK_UP ? -1 : 1, shift); return true;
    case VK_PRIOR: case VK_NEXT: {
      Integer page = VisibleRows();
      MoveVertically(Key == VK_PRIOR ? -page : page, shift);
      return true;
    }
    default: break;
  }
  FGoalX = -1;
  switch (Key) {
    case VK_LEFT:
      if (ctrl) MoveCaret(snap(PrevWordPos(FCaret)), shift);
      else if (!shift && GetSelLength() > 0) MoveCaret(GetSelStart(), false);
      else MoveCaret(StepLeft(FCaret), shift);
      return true;
    case VK_RIGHT:
      if (ctrl) MoveCaret(StepRight(FCaret) == FCaret + 2 ? FCaret + 2 : snap(NextWordPos(FCaret)), shift);
      else if (!shift && GetSelLength() > 0) MoveCaret(GetSelStart() + GetSelLength(), false);
      else MoveCaret(StepRight(FCaret), shift);
      return true;
    case VK_HOME:
      MoveCaret(ctrl ? 0 : FRows[static_cast<std::size_t>(RowOf(FCaret))].Start, shift);
      return true;
    case VK_END:
      if (ctrl) MoveCaret(len, shift);
      else MoveCaret(PosInRow(RowOf(FCaret), INT_MAX / 2), shift);
      return true;
    case VK_DELETE:
      if (shift || ctrl) return false;
      if (GetSelLength() == 0 && FCaret < len && !FReadOnly) FAnchor = StepRight(FCaret);
      UserReplace(String());
      return true;
    default: return false;
  }
}

bool TCustomMemo::MemoChar(Char Key) {
  switch (Key) {
    case u'\r':
      if (FWantReturns) UserReplace(u"\r\n");
      return true;
    case u'\n':   // Ctrl+Enter
      UserReplace(u"\r\n");
      return true;
    case u'\t':
      if (FWantTabs) UserReplace(u"\t");
      return true;
    case 0x08:
      if (GetSelLength() == 0 && FCaret > 0 && !FReadOnly) FAnchor = StepLeft(FCaret);
      UserReplace(String());
      return true;
    default: return false;
  }
}

void TCustomMemo::MemoMouse(TMessage& Message) {
  TPoint p = MessagePos(Message);
  FGoalX = -1;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (FHandle && GetFocus() != FHandle) SetFocus();
      MoveCaret(PosOfPoint(p), (Message.WParam & MK_SHIFT) != 0);
      FSelecting = true;
      if (FHandle) SetCapture(FHandle);
      break;
    case WM_LBUTTONDBLCLK: {
      Integer pos = PosOfPoint(p);
      Integer s = WordStart(pos), e = WordEnd(pos);
      if (s == e) e = StepRight(pos);
      SetSelection(s, e);
      break;
    }
    case WM_MOUSEMOVE:
      if (FSelecting) MoveCaret(PosOfPoint(p), true);
      break;
    case WM_LBUTTONUP:
      if (FSelecting) {
        FSelecting = false;
        if (FHandle && GetCapture() == FHandle) ReleaseCapture();
      }
      break;
  }
}

bool TCustomMemo::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  if (TCustomEdit::DoMouseWheelDown(Shift, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollRows(FTopRow + static_cast<Integer>(lines));
  return true;
}

bool TCustomMemo::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  if (TCustomEdit::DoMouseWheelUp(Shift, MousePos)) return true;
  UINT lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ScrollRows(FTopRow - static_cast<Integer>(lines));
  return true;
}

// ---- messages

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_FONTCHANGED) FMeasured = false;
  inherited::Dispatch(Message);
}

void TCustomMemo::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
      if (FWantTabs) Message.Result |= DLGC_WANTTAB;
      if (FWantReturns) Message.Result |= DLGC_WANTALLKEYS;
      return;
    case WM_KEYDOWN:
      if (MemoKeyDown(static_cast<UINT>(Message.WParam))) return;
      break;
    case WM_CHAR:
      if (MemoChar(static_cast<Char>(Message.WParam))) return;
      break;
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: case WM_LBUTTONUP:
      MemoMouse(Message);
      return;
    case WM_SETTEXT:
      FTopRow = 0;
      FGoalX = -1;
      TCustomEdit::DefaultHandler(Message);
      UpdateScrollBars();
      return;
    case WM_SIZE:
      FMeasured = false;
      break;
    case WM_VSCROLL: case WM_HSCROLL:
      if (Message.LParam == 0) {
        ScrollMessage(Message.Msg == WM_VSCROLL, LOWORD(Message.WParam), static_cast<SmallInt>(HIWORD(Message.WParam)));
        return;
      }
      break;
    case EM_GETLINECOUNT: Layout(); Message.Result = static_cast<LRESULT>(FRows.size()); return;
    case EM_LINEFROMCHAR: {
      auto index = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      Message.Result = RowOf(index < 0 ? GetSelStart() : std::min<Integer>(index, static_cast<Integer>(FText.size())));
      return;
    }
    case EM_LINEINDEX: {
      Layout();
      auto row = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      if (row < 0) row = RowOf(FCaret);
      Message.Result = row < static_cast<Integer>(FRows.size()) ? FRows[static_cast<std::size_t>(row)].Start : -1;
      return;
    }
    case EM_LINELENGTH: {
      auto index = static_cast<Integer>(static_cast<LPARAM>(Message.WParam));
      if (index > static_cast<Integer>(FText.size())) {
        Message.Result = 0;
        return;
      }
      if (index < 0) {
        // The characters of the selection's rows that are not selected.
        const TRow& first = FRows[static_cast<std::size_t>(RowOf(GetSelStart()))];
        const TRow& last = FRows[static_cast<std::size_t>(RowOf(GetSelStart() + GetSelLength()))];
        Message.Result = (GetSelStart() - first.Start) + (last.End - std::min(last.End, GetSelStart() + GetSelLength()));
        return;
      }
      const TRow& rw = FRows[static_cast<std::size_t>(RowOf(index))];
      Message.Result = rw.End - rw.Start;
      return;
    }
    case EM_POSFROMCHAR: {
      auto index = static_cast<Integer>(Message.WParam);
      if (index < 0 || index > static_cast<Integer>(FText.size())) {
        Message.Result = -1;
        return;
      }
      TPoint p = PointOfPos(index);
      Message.Result = MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
      return;
    }
    case EM_CHARFROMPOS: {
      Integer pos = PosOfPoint(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
      Message.Result = MAKELPARAM(static_cast<WORD>(pos), static_cast<WORD>(RowOf(pos)));
      return;
    }
    default: break;
  }
  TCustomEdit::DefaultHandler(Message);
}
