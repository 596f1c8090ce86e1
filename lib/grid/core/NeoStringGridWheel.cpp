// TNeoStringGrid: the mouse wheel, IntelliPan and zoom. A wheel notch either scrolls the view or
// moves the current row (over rows of height 0 and in steps of its own size past rows that refuse
// the selection); Ctrl+wheel zooms every column width and row height; a middle press starts a pan
// whose direction and cursor follow the pointer's offset from the anchor drawn at the press.
//
// All of it runs in the window procedure (WheelWndProc), ahead of the message handlers of the
// other input folders: a press or key that stops panning is then handled as usual.
#include <algorithm>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/win/WinUser.h"

namespace {

constexpr UINT_PTR PanTimerId = 999;
constexpr UINT PanTimerMs = 10;
constexpr Integer MaxZoom = 20;
constexpr Integer PanDeadZone = 5;
constexpr Integer AnchorSize = 32;

// The pan cursors by direction: H = -1 left, +1 right; V = -1 up, +1 down.
WORD PanCursorId(Integer H, Integer V) {
  static const WORD ids[3][3] = {
      // H:  -1    0     +1
      {8006, 8004, 8005},   // V = -1 (up)
      {8002, 8000, 8003},   // V = 0
      {8008, 8001, 8007},   // V = +1 (down)
  };
  return ids[V + 1][H + 1];
}

const Char* AnchorBitmapName(TIntelliPan Pan) {
  switch (Pan) {
    case ipVertical: return u"INTLI3";
    case ipHorizontal: return u"INTLI2";
    case ipBoth: return u"INTLI1";
    default: return nullptr;
  }
}

bool IsSpinEditor(TEditorType Kind) {
  return Kind == edSpinEdit || Kind == edFloatSpinEdit || Kind == edTimeSpinEdit || Kind == edDateSpinEdit;
}

bool SameRect(const TGridRect& A, const TGridRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Zoom
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::Zoom(Integer Delta) {
  Integer z = FZoomFactor + Delta;
  if (z > MaxZoom || z < -MaxZoom) return;
  FScrollLock = true;
  FZoomFactor = z;
  BeginUpdate();
  {
    TScopeGuard done([this] {
      FScrollLock = false;
      EndUpdate();
    });
    for (Integer c = 0; c < GetColCount(); ++c) {
      Integer w = GetColWidths(c);
      if (w > 0 && w + Delta > 0) SetColWidths(c, w + Delta);
    }
    for (Integer r = 0; r < GetRowCount(); ++r) {
      Integer h = GetRowHeights(r);
      if (h > 0 && h + Delta > 0) SetRowHeights(r, h + Delta);
    }
  }
  if (FScrollProportional && FScrollType != ssMetro) {
    UpdateProportionalVertScroll();
    UpdateProportionalHorzScroll();
  }
}

void TNeoStringGrid::ZoomReset() { Zoom(-FZoomFactor); }

// ---------------------------------------------------------------------------------------------
// The window procedure's steps
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::WheelWndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
      if (FWheelPan) {
        StopIntelliPan();
        // The press that stopped the pan is handled as usual, a middle press too.
        return false;
      }
      if (Message.Msg == WM_MBUTTONDOWN) StartIntelliPan(Message);
      return false;
    case WM_TIMER:
      if (!FWheelPan || FIntelliPan == ipNone || Message.WParam != PanTimerId) return false;
      PanStep();
      return true;
    default:
      break;
  }
  if (FWheelMsg == 0 || Message.Msg != FWheelMsg || FWheelPan || FDesignTime) return false;
  TGridRect before = GetSelection();
  WheelNotch(Message);
  if (Message.Result == -1) {
    // The grid handed the notch to the class library's wheel handling.
    Message.Result = 0;
    return false;
  }
  TGridRect after = GetSelection();
  if (!SameRect(before, after)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
  return true;
}

// ---------------------------------------------------------------------------------------------
// IntelliPan
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::StartIntelliPan(TMessage& Message) {
  if (FWheelMsg == 0 || FWheelPan || FIntelliPan == ipNone || GetRowCount() <= GetFixedRows()) return;
  FICursor = LoadCursor(nullptr, MAKEINTRESOURCE(8000));
  FPrevCursor = ::SetCursor(FICursor);
  FWheelPan = true;
  SetTimer(GetHandle(), PanTimerId, PanTimerMs, nullptr);
  FWheelPanPos = TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  SetCapture(GetHandle());
  SetShowHint(false);
  DrawPanAnchor();
}

void TNeoStringGrid::StopIntelliPan() {
  ReleaseCapture();
  KillTimer(GetHandle(), PanTimerId);
  ::SetCursor(FPrevCursor);
  SetShowHint(true);
  FWheelPan = false;
  ErasePanAnchor();
}

void TNeoStringGrid::PanStep() {
  TGridRect before = GetSelection();
  POINT sp{};
  GetCursorPos(&sp);
  TPoint p = ScreenToClient(TPoint{sp.x, sp.y});
  TPoint a = FWheelPanPos;
  Integer v = p.y < a.y - PanDeadZone ? -1 : p.y > a.y + PanDeadZone ? 1 : 0;
  if (FIntelliPan == ipHorizontal) v = 0;
  Integer h = 0;
  if (FIntelliPan != ipVertical) h = p.x > a.x + PanDeadZone ? 1 : p.x < a.x - PanDeadZone ? -1 : 0;
  WORD cursorId = PanCursorId(h, v);

  // The current cell back inside the normal area first.
  Integer lastRow = GetRowCount() - GetFixedFooters() - 1;
  Integer lastCol = GetColCount() - FFixedRightCols - 1;
  if (GetRow() > lastRow) SetRow(lastRow);
  if (GetRow() < GetFixedRows()) SetRow(GetFixedRows());
  if (GetCol() > lastCol) SetCol(lastCol);
  if (GetCol() < GetFixedCols()) SetCol(GetFixedCols());

  if (FMouseActions->GetWheelAction() == waScroll) {
    Integer maxLeft = GetColCount() - GetVisibleColCount();
    Integer maxTop = GetRowCount() - GetVisibleRowCount();
    if (h == -1 && GetLeftCol() > GetFixedCols()) {
      ErasePanAnchor();
      SetLeftCol(std::max(GetLeftCol() - 1, GetFixedCols()));
    } else if (h == 1 && GetLeftCol() < maxLeft) {
      ErasePanAnchor();
      SetLeftCol(std::min(GetLeftCol() + 1, maxLeft));
    }
    if (v == -1 && GetTopRow() > GetFixedRows()) {
      ErasePanAnchor();
      SetTopRow(std::max(GetTopRow() - 1, GetFixedRows()));
    } else if (v == 1 && GetTopRow() < maxTop) {
      ErasePanAnchor();
      SetTopRow(std::min(GetTopRow() + 1, maxTop));
    }
  } else {
    PanMoveSelection(h, v);
  }

  ::SetCursor(cursorId == 8000 ? FICursor : LoadCursor(nullptr, MAKEINTRESOURCE(cursorId)));
  DrawPanAnchor();
  TGridRect after = GetSelection();
  if (!SameRect(before, after)) SelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
}

// One cell in each panned direction; the anchor is erased when the view must scroll to the cell.
void TNeoStringGrid::PanMoveSelection(Integer H, Integer V) {
  auto colInView = [this](Integer C) { return C >= GetLeftCol() && C < GetLeftCol() + GetVisibleColCount(); };
  auto rowInView = [this](Integer R) { return R >= GetTopRow() && R < GetTopRow() + GetVisibleRowCount(); };
  if (H == -1 && GetCol() > GetFixedCols()) {
    if (!colInView(GetCol() - 1)) ErasePanAnchor();
    if (GetCol() - 1 >= GetFixedCols()) SetCol(GetCol() - 1);
  } else if (H == 1 && GetCol() < GetColCount() - FFixedRightCols - 1) {
    if (!colInView(GetCol() + 1)) ErasePanAnchor();
    if (GetCol() + 1 <= GetColCount() - 1) SetCol(GetCol() + 1);
  }
  if (V == -1 && GetRow() > GetFixedRows()) {
    if (!rowInView(GetRow() - 1)) ErasePanAnchor();
    if (GetRow() - 1 >= 0) SetRow(GetRow() - 1);
  } else if (V == 1 && GetRow() < GetRowCount() - GetFixedFooters() - 1) {
    if (!rowInView(GetRow() + 1)) ErasePanAnchor();
    if (GetRow() + 1 <= GetRowCount() - 1) SetRow(GetRow() + 1);
  }
}

void TNeoStringGrid::DrawPanAnchor() {
  const Char* name = AnchorBitmapName(FIntelliPan);
  if (!name || !HandleAllocated()) return;
  TBitmap loaded;
  try {
    loaded.LoadFromResourceName(nullptr, name);
  } catch (const Exception&) {
    return;   // a program without the anchor pictures pans without an anchor
  }
  Integer w = loaded.GetWidth(), h = loaded.GetHeight();
  if (w <= 0 || h <= 0) return;
  // The colour of the top-left pixel counts as transparent: white in the copy.
  TBitmap shown;
  shown.SetPixelFormat(pf24bit);
  shown.SetSize(w, h);
  TColor key = loaded.GetCanvas()->GetPixels(0, 0);
  for (Integer y = 0; y < h; ++y)
    for (Integer x = 0; x < w; ++x) {
      TColor c = loaded.GetCanvas()->GetPixels(x, y);
      shown.GetCanvas()->SetPixels(x, y, c == key ? clWhite : c);
    }
  GetCanvas()->Draw(FWheelPanPos.x, FWheelPanPos.y, &shown);
}

void TNeoStringGrid::ErasePanAnchor() {
  if (!HandleAllocated()) return;
  RECT r{FWheelPanPos.x, FWheelPanPos.y, FWheelPanPos.x + AnchorSize, FWheelPanPos.y + AnchorSize};
  InvalidateRect(GetHandle(), &r, FALSE);
}

// ---------------------------------------------------------------------------------------------
// The wheel notch
// ---------------------------------------------------------------------------------------------
// Result -1 hands the message to the inherited window procedure.
void TNeoStringGrid::WheelNotch(TMessage& Message) {
  Message.Result = 0;
  if (FScrollBar && FScrollBar->GetVisible()) FScrollBar->SetVisible(false);
  TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
  if (FMouseActions->GetWheelActive() == waMouseOver) {
    TPoint c = ScreenToClient(screen);
    TRect client = GetClientRect();
    if (c.x < client.left || c.x >= client.right || c.y < client.top || c.y >= client.bottom) return;
  }
  if (GetParent() && !Focused() && GetParent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) return;
  bool down = static_cast<SHORT>(HIWORD(Message.WParam)) < 0;
  if ((LOWORD(Message.WParam) & MK_CONTROL) && FIntelliZoom) {
    Zoom(down ? -FWheelScrollLines : FWheelScrollLines);
    DoIntelliZoom();
    return;
  }
  if (!FEnableWheel) {
    Message.Result = -1;
    return;
  }
  if (FFixedRowAlways && GetRowCount() == 1) return;
  bool handled = false;
  TShiftState shift = KeyboardStateToShiftState();
  TPoint mousePos = ScreenToClient(screen);
  if (down && OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
  if (!down && OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
  if (handled) {
    Message.Result = 1;
    return;
  }

  Integer r = GetRow();
  Integer f = FMouseActions->GetWheelIncrement();
  if (f < 1) f = FWheelScrollLines;
  if (EditorOpen() && (FEditControl == edCustom || IsSpinEditor(FEditControl)) && CanFocus()) SetFocus();

  bool moveSelection = FMouseActions->GetWheelAction() == waMoveSelection;
  if (!moveSelection) {
    // The last page's top row: scrolling never leaves blank space below the last row.
    Integer maxTop = std::max(MaxTopRow(), GetFixedRows());
    Integer top = GetTopRow();
    if (down) {
      if (top < GetRowCount() - GetVisibleRowCount() && top + f >= GetFixedRows())
        SetTopRow(std::min(top + f, std::max(maxTop, top)));
    } else {
      f = std::min(f, top - GetFixedRows());
      if (top > GetFixedRows() && top - f >= GetFixedRows()) SetTopRow(top - f);
    }
  } else if (down) {
    r = GetRow() + f;
    while (r < GetRowCount() && IsSuppressedRow(r)) ++r;
  } else {
    r = GetRow() - f;
    while (r > GetFixedRows() && IsSuppressedRow(r)) --r;
  }

  r = std::clamp(r, GetFixedRows(), std::max(GetFixedRows(), GetRowCount() - GetFixedFooters() - 1));
  if (GetCol() > GetColCount() - 1 && GetRow() > GetRowCount() - 1) FocusCell(GetColCount() - 1, GetRowCount() - 1);
  if (GetCol() > GetColCount() - 1) SetCol(GetColCount() - 1);
  if (GetCol() < GetFixedCols()) SetCol(GetFixedCols());

  Integer x = GetLeftCol();
  Integer delta = 0;
  if (r >= 0 && r < GetRowCount()) {
    bool keepLeft = GetOptions().Contains(goRowSelect) && FNavigation->GetKeepHorizScroll();
    if (keepLeft)
      BeginUpdate();
    else
      StartUpdate();
    delta = r - GetRow();
    if (FMouseActions->GetDisjunctRowSelect() && moveSelection && delta != 0) ClearRowSelect();
    if (moveSelection) WheelMoveSelection(r, down);
    if (keepLeft) {
      SetLeftCol(x);
      EndUpdate();
    } else {
      ResetUpdate();
    }
  }

  handled = false;
  DoWheelScrolled(delta, handled);
  if (!handled) return;
  Message.Result = 1;
  if (FUseScrollStyles) {
    Integer row = GetRow();
    TBaseGrid::WndProc(Message);
    if (FMouseActions->GetWheelIncrement() > 0) {
      if (FMouseActions->GetDisjunctRowSelect()) ClearRowSelect();
      SetRow(row);
    }
  }
}

// Makes R current; a row that refuses is passed in steps of the same size, and when none takes
// the selection the row halfway does, with the view one row further in the notch's direction.
void TNeoStringGrid::WheelMoveSelection(Integer& R, bool Down) {
  SetRow(R);
  if (GetRow() != R) {
    Integer step = R - GetRow();
    auto inside = [&](Integer Row) { return Down ? Row < GetRowCount() : Row >= GetFixedRows(); };
    while (GetRow() != R) {
      R += step;
      if (!inside(R)) break;
      SetRow(R);
    }
  }
  if (GetRow() == R) return;
  Integer half = GetRow() + static_cast<Integer>(Round((R - GetRow()) / 2.0));
  if (half >= GetFixedRows() && half < GetRowCount()) SetRow(half);
  if (Down) {
    if (GetTopRow() + GetVisibleRowCount() < GetRowCount()) SetTopRow(GetTopRow() + 1);
  } else if (GetTopRow() > GetFixedRows()) {
    SetTopRow(GetTopRow() - 1);
  }
}

void TNeoStringGrid::DoWheelScrolled(Integer RowDelta, bool& Handled) {
  (void)RowDelta;
  Handled = true;
}

// ---------------------------------------------------------------------------------------------
// The class library's wheel methods (reached when EnableWheel is off)
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) { return DoWheelStep(true, Shift, MousePos); }

bool TNeoStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) { return DoWheelStep(false, Shift, MousePos); }

bool TNeoStringGrid::DoWheelStep(bool Down, TShiftState Shift, TPoint MousePos) {
  // The filter drop-down's lists, which take the wheel while they show, belong to the filter
  // folder: none shows yet.
  if (FMouseActions->GetWheelAction() == waScroll || !FEnableWheel) {
    bool handled = false;
    const TMouseWheelUpDownEvent& event = Down ? OnMouseWheelDown : OnMouseWheelUp;
    if (event) event(this, Shift, MousePos, handled);
    return handled;
  }
  auto base = [&] {
    return Down ? TBaseGrid::DoMouseWheelDown(Shift, MousePos) : TBaseGrid::DoMouseWheelUp(Shift, MousePos);
  };
  bool directEdit = FMouseActions->GetDirectEdit();
  FMouseActions->SetDirectEdit(false);
  TScopeGuard restore([&] { FMouseActions->SetDirectEdit(directEdit); });
  if (GetOptions().Contains(goRowSelect) && FNavigation->GetKeepHorizScroll()) {
    StartUpdate();
    Integer left = GetLeftCol();
    bool result = base();
    SetLeftCol(left);
    ResetUpdate();
    return result;
  }
  bool editorOpen = EditorOpen();
  if (editorOpen && IsSpinEditor(FEditControl)) HideInplaceEdit();
  bool result = true;
  if (Down || (GetCol() < GetColCount() && GetRow() < GetRowCount())) result = base();
  if (editorOpen && CanFocus()) SetFocus();
  return result;
}
