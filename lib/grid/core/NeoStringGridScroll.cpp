// TNeoStringGrid: the scroll-bar properties, the common controls' flat bars, proportional thumbs,
// the horizontal and vertical scroll messages with their hints, ScrollInView, the reaction to a
// changed top-left cell, and the flick scroll.
//
// Scroll positions of the window bars stay 0 .. 127 whatever the counts (the base grid maps them
// onto rows and columns). Proportional thumbs only widen the range and set a page so that the
// positions still end at 127. Nothing here walks all rows: row sums come from the base grid's
// offset index in O(log n).
#include <algorithm>
#include <cmath>

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoGridEditors.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Modules.h"
#include "platform/ui/Themes.h"
#include "platform/win/ComCtl32.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinUser.h"

namespace {

constexpr Integer ScrollRange = 127;
constexpr UINT ScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;   // $17

// An export of the loaded common controls module, nullptr when the module or the name is missing.
template <class F>
F ComCtlProc(const char* Name) {
  HMODULE module = GetModuleHandleW(u"comctl32.dll");
  return module ? reinterpret_cast<F>(GetProcAddress(module, Name)) : nullptr;
}

bool HasVertBar(TScrollStyle S) { return S == ssVertical || S == ssBoth; }
bool HasHorzBar(TScrollStyle S) { return S == ssHorizontal || S == ssBoth; }

// The proportional range of a visible fraction E: positions keep running 0 .. 127
// (nMax - nPage + 1 = 127) while nPage / (nMax + 1) = E. Single precision, as the bars expect.
struct TProportion {
  Integer Max;
  Integer Page;
};
TProportion ProportionOf(Single E) {
  auto f = static_cast<Single>((static_cast<Double>(E) + ScrollRange) / (1.0 - static_cast<Double>(E)));
  auto max = static_cast<Integer>(std::trunc(f));
  return TProportion{max, max - (ScrollRange - 1)};
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetScrollBars(TScrollStyle Value) {
  FScrollBarsCopy = Value;
  TCustomGrid::SetScrollBars(Value);
}

void TNeoStringGrid::SetScrollType(TScrollType Value) {
  if (FScrollType != Value) {
    FScrollType = Value;
    if (Value == ssFlat || Value == ssEncarta) {
      InitFlatScrollBars();
      UpdateFlatScrollBars();
    } else {
      DoneFlatScrollBars();
    }
    if (HandleAllocated() && Value == ssMetro) {
      CreateScrollControls();
      SetScrollBars(ssNone);
      // The client area grew by the bars: the overlay controls go to its new edges.
      Realign();
    } else if (HandleAllocated() && (vscrlctrl || hscrlctrl)) {
      FreeScrollControls();
      SetScrollBars(ssBoth);
    }
  }
  ApplyFlatScrollStyle();
}

void TNeoStringGrid::CreateScrollControls() {
  auto make = [this](TScrollDirection Direction, TAlign Align) {
    auto* control = new TScrollControl(this);
    control->SetDirection(Direction);
    control->SetParent(this);
    control->SetDoubleBuffered(true);
    if (Direction == sdVertical)
      control->SetWidth(6);
    else
      control->SetHeight(6);
    control->SetAlign(Align);
    control->SetVisible(true);
    return control;
  };
  if (!vscrlctrl && HasVertBar(FScrollBarsCopy)) vscrlctrl = make(sdVertical, alRight);
  if (!hscrlctrl && HasHorzBar(FScrollBarsCopy)) hscrlctrl = make(sdHorizontal, alBottom);
}

void TNeoStringGrid::FreeScrollControls() {
  delete vscrlctrl;
  vscrlctrl = nullptr;
  delete hscrlctrl;
  hscrlctrl = nullptr;
}

void TNeoStringGrid::SetScrollColor(TColor Value) {
  FScrollColor = Value;
  ApplyFlatScrollColor();
}

void TNeoStringGrid::SetScrollWidth(Integer Value) {
  FScrollWidth = Value;
  ApplyFlatScrollWidth();
}

void TNeoStringGrid::SetScrollHints(TScrollHintType Value) {
  if (FScrollHints == Value) return;
  FScrollHints = Value;
  if (Value != shNone && !FScrollHintWnd && HandleAllocated()) FScrollHintWnd = new THTMLHintWindow(this);
}

// Turning the thumbs off also gives the window bars their plain page back: a page left from the
// proportional range would keep the thumb sized after the range returns to 0 .. 127.
void TNeoStringGrid::SetScrollProportional(bool Value) {
  FScrollProportional = Value;
  if (Value) {
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
    return;
  }
  if (FIsFlat && FScrollType == ssNormal) DoneFlatScrollBars();
  if (!HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = SIF_PAGE;
  si.nPage = 0;
  SetScrollInfo(GetHandle(), SB_HORZ, &si, TRUE);
  SetScrollInfo(GetHandle(), SB_VERT, &si, TRUE);
}

void TNeoStringGrid::SetScrollBarAlways(TScrollBarAlways Value) {
  FScrollBarAlways = Value;
  UpdateScrollBars(true);
}

// ---------------------------------------------------------------------------------------------
// The common controls' flat scroll bars
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::InitFlatScrollBars() {
  auto init = ComCtlProc<BOOL (*)(HWND)>("InitializeFlatSB");
  if (init && HandleAllocated()) init(GetHandle());
  FIsFlat = init != nullptr;
}

void TNeoStringGrid::DoneFlatScrollBars() {
  FIsFlat = false;
  auto done = ComCtlProc<HRESULT (*)(HWND)>("UninitializeFlatSB");
  if (done && HandleAllocated()) done(GetHandle());
}

void TNeoStringGrid::FlatSetScrollProp(Integer Index, Integer Value, bool Redraw) {
  if (!FIsFlat || !HandleAllocated()) return;
  auto set = ComCtlProc<BOOL (*)(HWND, UINT, LONG_PTR, BOOL)>("FlatSB_SetScrollProp");
  if (set) set(GetHandle(), static_cast<UINT>(Index), Value, Redraw);
}

void TNeoStringGrid::FlatShowScrollBar(Integer Bar, bool Show) {
  if (!FIsFlat || !HandleAllocated()) return;
  if (Bar == SB_HORZ && !HasHorzBar(FScrollBarsCopy)) return;
  if (Bar == SB_VERT && !HasVertBar(FScrollBarsCopy)) return;
  auto show = ComCtlProc<BOOL (*)(HWND, int, BOOL)>("FlatSB_ShowScrollBar");
  if (show) show(GetHandle(), Bar, Show);
}

void TNeoStringGrid::FlatSetScrollInfo(Integer Bar, const SCROLLINFO& Info, bool Redraw) {
  if (!HandleAllocated()) return;
  auto set = ComCtlProc<int (*)(HWND, int, LPCSCROLLINFO, BOOL)>("FlatSB_SetScrollInfo");
  if (set) set(GetHandle(), Bar, &Info, Redraw);
}

void TNeoStringGrid::ApplyFlatScrollStyle() {
  Integer mode;
  switch (FScrollType) {
    case ssNormal: mode = FSB_REGULAR_MODE; break;
    case ssFlat: mode = FSB_FLAT_MODE; break;
    case ssEncarta: mode = FSB_ENCARTA_MODE; break;
    default: return;
  }
  FlatSetScrollProp(WSB_PROP_VSTYLE, mode, true);
  FlatSetScrollProp(WSB_PROP_HSTYLE, mode, true);
}

void TNeoStringGrid::ApplyFlatScrollColor() {
  if (FScrollColor == clNone) return;
  FlatSetScrollProp(WSB_PROP_VBKGCOLOR, FScrollColor, true);
  FlatSetScrollProp(WSB_PROP_HBKGCOLOR, FScrollColor, true);
}

void TNeoStringGrid::ApplyFlatScrollWidth() {
  FlatSetScrollProp(WSB_PROP_CXVSCROLL, FScrollWidth, true);
  FlatSetScrollProp(WSB_PROP_CYHSCROLL, FScrollWidth, true);
}

void TNeoStringGrid::SyncFlatVertScrollInfo() {
  if (!HasVertBar(FScrollBarsCopy) || !FIsFlat || !HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = ScrollInfoMask;
  GetScrollInfo(GetHandle(), SB_VERT, &si);
  FlatSetScrollInfo(SB_VERT, si, true);
}

void TNeoStringGrid::SyncFlatHorzScrollInfo() {
  if (!HasHorzBar(FScrollBarsCopy) || !FIsFlat || !HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = ScrollInfoMask;
  GetScrollInfo(GetHandle(), SB_HORZ, &si);
  FlatSetScrollInfo(SB_HORZ, si, true);
}

void TNeoStringGrid::UpdateFlatScrollBars() {
  ApplyFlatScrollStyle();
  ApplyFlatScrollColor();
  ApplyFlatScrollWidth();
  bool rows = GetVisibleRowCount() + GetFixedRows() < GetRowCount();
  FlatShowScrollBar(SB_VERT, rows);
  if (rows) SyncFlatVertScrollInfo();
  bool cols = GetVisibleColCount() + GetFixedCols() < GetColCount();
  FlatShowScrollBar(SB_HORZ, cols);
  if (cols) SyncFlatHorzScrollInfo();
}

// ---------------------------------------------------------------------------------------------
// Proportional thumbs
// ---------------------------------------------------------------------------------------------
Int64 TNeoStringGrid::ColumnSpan(Integer From, Integer To) {
  Int64 sum = 0;
  Integer line = GetGridLineWidth();
  for (Integer c = From; c < To; ++c) sum += line + GetColWidths(c);
  return sum;
}

// The base grid keeps no line in its offsets (the grid draws its own lines), so the offsets are
// the heights alone.
Int64 TNeoStringGrid::RowSpan(Integer From, Integer To) {
  if (To <= From) return 0;
  return static_cast<Int64>(GetGridLineWidth()) * (To - From) + RowOffset(To) - RowOffset(From);
}

void TNeoStringGrid::UpdateProportionalHorzScroll() {
  if (HandleAllocated() && FSearchPanel && FSearchPanel->GetVisible()) UpdateSearchPanel();
  TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || state.Contains(csDesigning)) return;
  if (!HasHorzBar(FScrollBarsCopy) || !FScrollProportional || FScrollType == ssMetro || FScrollLock) return;
  if (!HandleAllocated()) return;
  HWND h = GetHandle();
  SCROLLINFO si;
  si.fMask = ScrollInfoMask;
  GetScrollInfo(h, SB_HORZ, &si);
  Integer line = GetGridLineWidth();
  Int64 w = GetWidth();
  if (GetVisibleRowCount() + GetFixedRows() < GetRowCount())
    w -= GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(h));
  Int64 b = line + ColumnSpan(0, GetFixedCols());
  Int64 c = line + ColumnSpan(GetFixedCols(), GetColCount());
  Int64 d = line + ColumnSpan(GetFixedCols(), GetLeftCol());
  // Without normal columns and without grid lines there is nothing to scroll (and nothing to
  // divide by).
  if (c == 0) return;
  auto e = static_cast<Single>(static_cast<Double>(w - b) / static_cast<Double>(c));
  if (e >= 0.99999) return;
  Single position = static_cast<Single>(si.nPos);
  if (w < c) position = static_cast<Single>(static_cast<Double>(d) / static_cast<Double>(c - w) * 128);
  if (b + c - w < 0) return;
  TProportion p = ProportionOf(e);
  if (p.Page >= 10000) return;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = p.Max;
  si.nPage = static_cast<UINT>(p.Page);
  si.nPos = std::min(static_cast<Integer>(std::trunc(position)), ScrollRange);
  SetScrollInfo(h, SB_HORZ, &si, TRUE);
  SyncFlatHorzScrollInfo();
}

void TNeoStringGrid::UpdateProportionalVertScroll() {
  TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || state.Contains(csDesigning)) return;
  if (!FScrollProportional || FScrollType == ssMetro || !HasVertBar(FScrollBarsCopy) || FScrollLock) return;
  if (!HandleAllocated() || GetVisibleRowCount() + GetFixedRows() >= GetRowCount()) return;
  HWND h = GetHandle();
  Integer line = GetGridLineWidth();
  // The horizontal bar takes its height only when the columns overflow: the visible count leaves
  // the fixed columns out, so they are added before comparing with ColCount.
  Int64 height = GetHeight();
  if (GetVisibleColCount() + GetFixedCols() < GetColCount())
    height -= GetSystemMetricsForDpi(SM_CYHSCROLL, GetDpiForWindow(h));
  Int64 b = line + RowSpan(0, GetFixedRows());
  Int64 c = line + RowSpan(GetFixedRows(), GetRowCount());
  Int64 d = line + RowSpan(GetFixedRows(), GetTopRow());
  if (c == 0) return;
  auto e = static_cast<Single>(static_cast<Double>(height - b) / static_cast<Double>(c));
  if (e >= 0.9999) return;
  Single position = ScrollRange;
  if (height < c) position = static_cast<Single>(static_cast<Double>(d) / static_cast<Double>(c - height) * 128);
  TProportion p = ProportionOf(e);
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = p.Max;
  si.nPage = static_cast<UINT>(std::max(p.Page, 0));
  si.nPos = std::min(static_cast<Integer>(std::trunc(position)), ScrollRange);
  SetScrollInfo(h, SB_VERT, &si, TRUE);
  SyncFlatVertScrollInfo();
}

// ---------------------------------------------------------------------------------------------
// Scroll messages
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ShowScrollHint(const String& Prefix, Integer N) {
  String text = Prefix + IntToStr(N);
  if (OnScrollHint) OnScrollHint(this, N, text);
  TRect r = FScrollHintWnd->CalcHintRect(100, text, nullptr);
  FScrollHintWnd->SetCaption(text);
  FScrollHintWnd->SetColor(FHintColor);
  POINT p{};
  GetCursorPos(&p);
  OffsetRect(&r, p.x + 10, p.y);
  FScrollHintWnd->ActivateHint(r, text);
  FScrollHintShow = true;
}

void TNeoStringGrid::HideScrollHint() {
  if (FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
  FScrollHintShow = false;
}

// The cells under a fixed background picture; the background picture comes with its option
// group, so no cell lies under one yet.
TRect TNeoStringGrid::BackGroundRange() { return TRect{-1, -1, -1, -1}; }

void TNeoStringGrid::WMHScroll(TMessage& Message) {
  WORD code = LOWORD(Message.WParam);
  Integer pos = HIWORD(Message.WParam);
  auto target = [this](Integer Pos) {
    return MulDiv(Pos, GetColCount() - GetVisibleColCount() - GetFixedCols(), ScrollRange) + GetFixedCols();
  };
  if ((FScrollHints == shHorizontal || FScrollHints == shBoth) && FScrollHintWnd) {
    if (code == SB_ENDSCROLL)
      HideScrollHint();
    else if (code == SB_THUMBTRACK)
      ShowScrollHint(u"Col : ", target(pos));
  }
  if (FNavigation->GetAlwaysEdit() && EditorOpen()) HideInplaceEdit();
  if (code == SB_THUMBPOSITION && FIsFlat && GetColCount() > 0) {
    // The flat bar's thumb runs over a shorter range: map it back onto 0 .. 127.
    Integer r = Round(static_cast<Double>(GetVisibleColCount()) * 128 / GetColCount());
    if (r != 128) pos = Round(static_cast<Double>(pos) * ScrollRange / (128 - r));
    Message.WParam = MAKEWPARAM(code, static_cast<WORD>(pos));
  }
  Integer n = target(pos);
  if (code == SB_THUMBTRACK && FScrollSynch && !(FUseStyleServices && IsCustomVclStyleActive(StyleServices(), false)))
    SetLeftCol(n);
  if (GetFixedCols() == 0 && n >= GetCol()) HideInplaceEdit();
  TBaseGrid::Dispatch(Message);
  if (code == SB_ENDSCROLL) {
    if (GetBiDiMode() == bdRightToLeft && FMergeCount > 0) Invalidate();
    if (GetColCount() == 1) Repaint();
  }
  SyncFlatHorzScrollInfo();
  SyncFlatVertScrollInfo();
  if (CellHasCheckBox(GetCol(), GetRow())) HideEditor();
  UpdateFooter();
}

// The in-cell scroll bar's own messages move that bar (10 a line, 100 a page) and the cell
// follows; the grid itself does not scroll. The window procedure has already passed the message
// on to the bar.
bool TNeoStringGrid::InCellScroll(TMessage& Message) {
  if (!FScrollBar || !FScrollBar->HandleAllocated() || reinterpret_cast<HWND>(Message.LParam) != FScrollBar->GetHandle())
    return false;
  Integer old = FScrollBar->GetPosition(), pos = old;
  Integer lo = FScrollBar->GetMin(), hi = FScrollBar->GetMax();
  switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos = std::max(lo, old - 10); break;
    case SB_LINEDOWN: pos = std::min(hi, old + 10); break;
    case SB_PAGEUP: pos = std::max(lo, old - 100); break;
    case SB_PAGEDOWN: pos = std::min(hi, old + 100); break;
    case SB_THUMBTRACK: pos = HIWORD(Message.WParam); break;
    default: break;
  }
  FScrollBar->SetPosition(pos);
  if (FScrollBar->GetPosition() != old) {
    Message.Result = 1;
    SetScrollPosition(FScrollCol, FScrollRow, FScrollBar->GetPosition());
    RepaintCell(RealToDisplCol(FScrollCol), FScrollRow);
    DoScrollCell(FScrollCol, FScrollRow, FScrollBar->GetMax(), FScrollBar->GetMin(), FScrollBar->GetPosition());
  }
  return true;
}

void TNeoStringGrid::WMVScroll(TMessage& Message) {
  if (FDesignTime || GetComponentState().Contains(csDesigning)) {
    TBaseGrid::Dispatch(Message);
    return;
  }
  WORD code = LOWORD(Message.WParam);
  FLastScrollCode = code;
  if (InCellScroll(Message)) return;
  Integer pos = HIWORD(Message.WParam);
  Integer n = MulDiv(pos, GetRowCount() - GetVisibleRowCount() - GetFixedRows(), ScrollRange) + GetFixedRows();
  if ((FScrollHints == shVertical || FScrollHints == shBoth) && FScrollHintWnd) {
    if (code == SB_ENDSCROLL)
      HideScrollHint();
    else if (code == SB_THUMBTRACK)
      ShowScrollHint(u"Row : ", n);
  }
  if (FNavigation->GetAlwaysEdit() && EditorOpen()) HideInplaceEdit();
  if (code == SB_THUMBTRACK && FScrollSynch) SetTopRow(n);
  TBaseGrid::Dispatch(Message);
  SyncFlatVertScrollInfo();
  SyncFlatHorzScrollInfo();
  if (CellHasCheckBox(GetCol(), GetRow())) HideEditor();
}

void TNeoStringGrid::SetScrollPosition(Integer ACol, Integer ARow, Integer Pos) {
  (void)ACol;
  (void)ARow;
  (void)Pos;
}

void TNeoStringGrid::DoScrollCell(Integer ACol, Integer ARow, Integer AMax, Integer AMin, Integer APosition) {
  if (OnScrollCell) OnScrollCell(this, ACol, ARow, APosition, AMin, AMax);
}

// ---------------------------------------------------------------------------------------------
// Bringing a cell into view
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::ScrollInView(Integer ACol, Integer ARow, TScrollPosition Position) {
  if (ACol >= GetColCount() || ARow >= GetRowCount()) return;
  Integer newLeft = GetLeftCol(), newTop = GetTopRowEx();
  Integer cols = GetVisibleColCount(), rows = GetVisibleRowCount();
  if (ACol < GetLeftCol() || ACol >= GetLeftCol() + cols) {
    if (IsSelectionHidden()) UnHideSelection();
    if (ACol >= GetFixedCols() && ACol < GetAllColCount()) SetCol(ACol);
    switch (Position) {
      case spMiddle: newLeft = ACol - cols / 2; break;
      case spTrailing: newLeft = ACol + 1 - cols; break;
      case spLeading: newLeft = ACol; break;
    }
    newLeft = std::max(newLeft, GetFixedCols());
  }
  if (ARow < GetTopRowEx() || ARow >= GetTopRowEx() + rows) {
    if (ARow >= GetFixedRows() && ARow < GetAllRowCount()) SetRowEx(ARow);
    switch (Position) {
      case spMiddle: newTop = ARow - rows / 2; break;
      case spTrailing: newTop = ARow - rows + 1; break;
      case spLeading: newTop = ARow; break;
    }
    newTop = std::max(newTop, GetFixedRows());
  }
  // The base grid keeps the view filled: a left column or top row past the last one that fills
  // it is brought back there.
  if (newLeft > GetColCount() - cols + 1) newLeft = GetColCount() + 1 - cols;
  if (GetFixedCols() + cols < GetColCount()) SetLeftCol(std::min(newLeft, std::max(MaxLeftCol(), GetFixedCols())));
  if (newTop > GetRowCount() - rows + 1) newTop = GetRowCount() + 1 - rows;
  if (GetFixedRows() + rows >= GetRowCount()) return;
  auto setTop = [this](Integer Top) { SetTopRowEx(std::min(Top, std::max(MaxTopRow(), GetFixedRows()))); };
  if (!FSearchFooter->GetVisible() || FloatingFooterVisible()) {
    setTop(newTop);
    return;
  }
  // The search panel covers the bottom: one row up, then down until the row ends above it.
  setTop(newTop - 1);
  Integer clientBottom = GetClientRect().bottom;
  auto rowBottom = [&] {
    return RowOffset(GetFixedRows()) + RowOffset(ARow + 1) - RowOffset(GetTopRowEx());
  };
  while (rowBottom() > clientBottom && GetTopRowEx() < GetRowCount() - GetFixedRows() - FFixedFooters) {
    Integer top = GetTopRowEx();
    SetTopRowEx(top + 1);
    if (GetTopRowEx() == top) break;
  }
}

// ---------------------------------------------------------------------------------------------
// The top-left cell changed
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::TopLeftChanged() {
  TRect before = BackGroundRange();
  TBaseGrid::TopLeftChanged();
  TGridRect sel = GetSelection();
  if (FSelectionRectangle && sel.Bottom > sel.Top) Invalidate();
  TRect after = BackGroundRange();
  if (before.left >= 0 && !(before == after)) {
    RepaintRect(before);
    RepaintRect(after);
  }
  if (EditorOpen()) {
    switch (FEditControl) {
      case edNormal: case edCapital: case edLowerCase: case edUpperCase: case edValidChars: break;
      default: HideInplaceEdit(); break;
    }
  }
  SyncFlatVertScrollInfo();
  SyncFlatHorzScrollInfo();
  UpdateFooter();
  CellControlsUpdate(false);
  FOldLeftCol = GetLeftCol();
  FOldTopRow = GetTopRow();
  if (GetComponentState().Contains(csDesigning)) Invalidate();
  if (TNeoStringGrid* partner = FSyncGrid->GetGrid()) {
    if (FSyncGrid->GetScrollVertical()) partner->SetTopRow(GetTopRow());
    if (FSyncGrid->GetScrollHorizontal()) partner->SetLeftCol(GetLeftCol());
  }
  if (FFocusHelper->GetEnabled() && CurrentCellInView() && GetEditorMode())
    ShowFocusWindow(CellRect(GetCol(), GetRow()));
  else
    PlaceFocusWindow();
  for (TScrollControl* overlay : {vscrlctrl, hscrlctrl})
    if (overlay) overlay->Invalidate();
  if (FNavigation->GetMoveRowOnScroll()) {
    Integer top = GetTopRow(), rows = GetVisibleRowCount(), row = GetRow();
    bool atEnd = top + rows == GetRowCount();
    Integer target = row >= top || atEnd ? (top != GetFixedRows() ? top + rows - 1 : top) : top;
    if (target != row) SetRow(target);
  }
}

// ---------------------------------------------------------------------------------------------
// Scrolling while something is dragged near an edge
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::StopDragTimer() {
  delete FDragTmr;
  FDragTmr = nullptr;
}

void TNeoStringGrid::DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) {
  (void)Source;
  (void)Accept;
  TDragScrollOptions* options = GetDragScrollOptions();
  if (!options->GetActive()) {
    StopDragTimer();
    return;
  }
  TDragScrollDirections previous = FDragScrollDirection;
  FDragScrollDirection.Clear();
  if (State == dsDragLeave) {
    StopDragTimer();
    return;
  }
  TDragScrollMargins* m = options->GetMargins();
  if (Y < m->GetTopMargin())
    FDragScrollDirection.Include(dsdUp);
  else if (Y > GetHeight() - m->GetBottomMargin())
    FDragScrollDirection.Include(dsdDown);
  if (X < m->GetLeftMargin())
    FDragScrollDirection.Include(dsdLeft);
  else if (X > GetWidth() - m->GetRightMargin())
    FDragScrollDirection.Include(dsdRight);
  if (FDragScrollDirection.Empty()) {
    StopDragTimer();
    return;
  }
  auto initial = static_cast<Cardinal>(options->GetDelays()->GetInitialDelay());
  if (!FDragTmr) {
    FDragTmr = new TTimer(GetParent());
    FDragTmr->FreeNotification(this);
    FDragTmr->SetInterval(initial);
    FDragTmr->SetOnTimer([this](TObject* Sender) { DragScrollTimer(Sender); });
    FDragTmr->SetEnabled(true);
  } else if (!previous.Empty()) {
    FDragTmr->SetInterval(initial);   // starts the wait again
  }
}

void TNeoStringGrid::DragScrollTimer(TObject* Sender) {
  (void)Sender;
  TDragScrollOptions* options = GetDragScrollOptions();
  if (!options->GetActive()) {
    StopDragTimer();
    return;
  }
  FDragTmr->SetInterval(static_cast<Cardinal>(options->GetDelays()->GetRepeatDelay()));
  TDragScrollDirections directions = FDragScrollDirection;
  if (OnDragScroll) {
    bool canScroll = true;
    OnDragScroll(this, GetTopRow(), GetLeftCol(), directions, canScroll);
    if (!canScroll) return;
  }
  if (directions.Contains(dsdUp) && GetTopRow() > GetFixedRows()) SetTopRow(GetTopRow() - 1);
  if (directions.Contains(dsdDown) && GetTopRow() + GetVisibleRowCount() < GetRowCount()) SetTopRow(GetTopRow() + 1);
  if (directions.Contains(dsdLeft) && GetLeftCol() > GetFixedCols()) SetLeftCol(GetLeftCol() - 1);
  if (directions.Contains(dsdRight) && GetVisibleColCount() + GetLeftCol() < GetColCount())
    SetLeftCol(GetLeftCol() + 1);
}

// ---------------------------------------------------------------------------------------------
// Flick scroll
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::StartFlickScroll(bool Vertical, Integer Delta) {
  FScrollDelta = Delta;
  FScrollSteps = 10;
  if (!FScrollTimer) FScrollTimer = new TTimer(this);
  FScrollVert = Vertical;
  FScrollEnd = true;
  FScrollTimer->SetInterval(10);
  FScrollTimer->SetEnabled(true);
  FScrollTimer->SetOnTimer([this](TObject* Sender) { FlickScrollTimer(Sender); });
}

void TNeoStringGrid::FlickScrollTimer(TObject* Sender) {
  (void)Sender;
  if (FScrollSteps == 0) return;
  if (FScrollVert)
    SetTopRow(std::max(GetFixedRows(), GetTopRow() + FScrollDelta));
  else
    SetLeftCol(std::max(GetFixedCols(), GetLeftCol() + FScrollDelta));
  --FScrollSteps;
  FScrollEnd = false;
  if (FScrollSteps == 0 && FScrollTimer) FScrollTimer->SetEnabled(false);
}
