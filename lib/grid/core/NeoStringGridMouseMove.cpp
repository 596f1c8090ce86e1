// TNeoStringGrid and the moving mouse: touch scrolling, the hover states (hover row, hovered
// fixed cell, hot cell, cell buttons, anchors, the hover-button strip), whole-row and whole-column
// drag selection, the arming of fixed-cell sizing, drags of cells and columns, the feedback while
// columns and rows are moved (picture, header button, arrows), the pending selection mode of the
// next press, the sizing hint, the pop-up tool bar; mouse enter and leave; and the hint text of a
// cell.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "lib/base/NeoUtils.h"
#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoHoverButtons.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "lib/render/NeoHTMLEngine.h"
#include "platform/ui/Buttons.h"
#include "platform/win/ObjIdl.h"
#include "platform/win/ToolTips.h"
#include "platform/win/WinUser.h"

namespace {

constexpr Integer ArwU = 0, ArwD = 1, ArwL = 2, ArwR = 3;
constexpr Integer SizingArmReach = 3;   // a fixed border arms sizing when closer than this
constexpr Integer DragThreshold = 3;    // a drag starts when the mouse moved more than this

bool Valid(TPoint P) { return P.x >= 0 && P.y >= 0; }
bool operator!=(TPoint A, TPoint B) { return A.x != B.x || A.y != B.y; }

Integer Scaled(Integer Value, Double Scale) { return static_cast<Integer>(std::lround(Value * Scale)); }

// The primary button as the system maps the buttons is down.
bool PrimaryButtonDown() {
  int vk = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  return (GetKeyState(vk) & 0x8000) != 0;
}

// Shows a window top-most at its place without taking the activation (or the focus). Forms other
// than the no-activate form would activate through their Visible property: their window is shown
// directly.
void ShowTopmostNoActivate(TWinControl* Control) {
  if (auto* form = dynamic_cast<TNoActiveForm*>(Control)) {
    form->SetVisible(true);
    return;
  }
  Control->HandleNeeded();
  HWND h = Control->GetHandle();
  SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (dynamic_cast<TCustomForm*>(Control))
    ShowWindow(h, SW_SHOWNOACTIVATE);
  else
    Control->SetVisible(true);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// MouseMove, in its order
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TGridRect startSelection = GetSelection();
  if (FMouseDownMove && FMouseActions->GetRangeSelectAndEdit() && GetOptions().Contains(goEditing) && !EditorOpen()) {
    TGridOptions o = GetOptions();
    o.Exclude(goEditing);
    SetOptions(o);
  }
  if (FScrollStart) MoveTouchScroll(X, Y);
  if (FSelectionRectangle && FGridState == gsSelecting && !(GetSelection() == FSizeSelection))
    FSizeSelection = GetSelection();

  Integer ACol = -1, ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  bool validCell = ACol >= 0 && ARow >= 0;
  MovePopupToolBar(ACol, ARow);

  if (!FDesignTime && validCell) {
    MoveHoverRow(ARow);
    MoveCellScrollBar(ACol, ARow);
    MoveHoverButtons(ACol, ARow, X, Y);
  } else if (FHoverButtons && FHoverButtons->GetEnabled()) {
    HideHoverButtons();
  }
  MoveFixedHover(ACol, ARow);
  if (FLook == glListView) MoveHotFixedCell(ACol, ARow);
  MoveCellButtonHover(ACol, ARow, X, Y);
  MoveRowColSelect(ACol, ARow, Y);
  MoveFixedSizingArm(ACol, ARow, X, Y);
  bool overHandle = OverResizeHandle(ACol, ARow, X, Y);
  // A drag runs to its end in here: whatever follows reads the grid's state afresh.
  MoveOleDragStart(ACol, ARow, X, Y, overHandle);
  if (!FDesignTime) MoveSizingMovingStates(ARow);
  MoveFeedback(ACol, ARow, X, Y);

  bool modeSet = MoveSelectMode(ACol, ARow, X, Y, overHandle);
  if (MoveLinks(ACol, ARow, X, Y)) modeSet = true;
  if (!modeSet && GetCursor() != FOldCursor) SetGridCursor(FOldCursor);
  MoveHintCancel(ACol, ARow);
  if (FGridState == gsSelecting && FSelectionRectangle && !(GetSelection() == FMoveSelection)) {
    TGridRect sel = GetSelection();
    if (FMoveSelection.Left >= 0)
      RepaintRect(TRect{FMoveSelection.Left, FMoveSelection.Top, FMoveSelection.Right, FMoveSelection.Bottom});
    RepaintRect(TRect{sel.Left, sel.Top, sel.Right, sel.Bottom});
    FMoveSelection = sel;
  }

  TBaseGrid::MouseMove(Shift, X, Y);

  if (FNavigation->GetKeepHorizScroll() && FMouseKeepDown && FGridState != gsColMoving &&
      FOldKeepLeftCol >= GetFixedCols() && FOldKeepLeftCol < GetColCount() && GetLeftCol() != FOldKeepLeftCol) {
    StartUpdate();
    SetLeftCol(FOldKeepLeftCol);
    ResetUpdate();
  }
  MoveSizingEvents(X, Y, ARow);
  MoveSizingHint(X, Y);
  if (FEnhRowColMove && HandleAllocated()) UpdateWindow(GetHandle());
  TGridRect sel = GetSelection();
  if (!(sel == startSelection)) SelectionChanged(sel.Left, sel.Top, sel.Right, sel.Bottom);
}

// Touch scrolling: the view follows the drag from the press, one row (column) per default row
// height (column width) of distance, the division truncating toward zero.
void TNeoStringGrid::MoveTouchScroll(Integer X, Integer Y) {
  Integer dy = ptdown.y - Y, dx = ptdown.x - X;
  if (std::abs(dy) >= std::abs(dx)) {
    if (GetVisibleRowCount() + GetFixedRows() < GetRowCount() && GetDefaultRowHeight() > 0)
      SetTopRowEx(FTopDown + dy / GetDefaultRowHeight());
  } else if (GetVisibleColCount() + GetFixedCols() < GetColCount() && GetDefaultColWidth() > 0) {
    Integer left = std::max(GetFixedCols(), FLeftRight + dx / GetDefaultColWidth());
    SetLeftCol(std::min(left, GetColCount() - 1));
  }
}

// ---------------------------------------------------------------------------------------------
// The pop-up tool bar
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SetPopupToolBar(TNeoGridPopup* Value) {
  if (FToolBarPopup == Value) return;
  if (FToolBarPopup) FToolBarPopup->RemoveFreeNotification(this);
  FToolBarPopup = Value;
  if (Value) Value->FreeNotification(this);
}

void TNeoStringGrid::ForgetToolBarPopup(TComponent* AComponent) {
  if (AComponent && AComponent == FToolBarPopup) FToolBarPopup = nullptr;
}

// Pops the tool bar up over the cell the mode picks and hides it over any other place. In the
// hover modes a tool bar that was visible hides first; the next move pops it up at the new cell.
void TNeoStringGrid::MovePopupToolBar(Integer ACol, Integer ARow) {
  if (!FToolBarPopup || FPopupToolBarMode == tbNone || FDesignTime) return;
  TGridCoord cell{ACol, ARow};
  bool valid = ACol >= 0 && ARow >= 0;
  bool visible = FToolBarPopup->GetVisible();
  if (FPopupToolBarMode == tbActiveCell) {
    bool current = valid && ACol == GetCol() && ARow == GetRow();
    if (current && !visible)
      PopupToolBarAt(cell);
    else if (!current && visible)
      FToolBarPopup->Hide();
    return;
  }
  bool other = !(cell == FToolBarPopupCell);
  bool eligible = valid && (FPopupToolBarMode == tbHoverCell || !IsFixed(ACol, ARow));
  if (other && eligible && !visible)
    PopupToolBarAt(cell);
  else if (other && visible)
    FToolBarPopup->Hide();
}

void TNeoStringGrid::PopupToolBarAt(TGridCoord Cell) {
  FToolBarPopupCell = Cell;
  FToolBarPopup->SetGrid(this);
  FToolBarPopup->SetGridCell(Cell);
  TRect r = CellRect(Cell.X, Cell.Y);
  FToolBarPopup->Show(ClientToScreen(TPoint{r.left, r.top - 44}));
}

void TNeoStringGrid::MoveHoverRow(Integer ARow) {
  if (!GetHoverRow() || ARow == FHoverRowIdx) return;
  Integer old = FHoverRowIdx;
  FHoverRowIdx = ARow;
  RepaintRow(ARow);
  if (old >= 0 && old < GetRowCount()) RepaintRow(old);
}

// The shared in-cell scroll bar sits inside the right edge of a cell that holds a scroll bar whose
// page is smaller than its range.
void TNeoStringGrid::MoveCellScrollBar(Integer ACol, Integer ARow) {
  if (!FScrollBar) return;
  Integer realCol = DisplToRealCol(ACol), range = 0, page = 0, position = 0;
  if (!GetCellScrollBar(realCol, ARow, range, page, position)) {
    FScrollBar->SetVisible(false);
    return;
  }
  FScrollCol = realCol;
  FScrollRow = ARow;
  if (page >= range) return;
  TRect r = CellRect(ACol, ARow);
  Integer line = GetGridLineWidth();
  TRect place{r.right - 17 - line, r.top + line, r.right - line, r.bottom - line};
  if (FScrollBar->GetParent() != this) FScrollBar->SetParent(this);
  bool elsewhere = FScrollBar->GetLeft() != place.left || FScrollBar->GetTop() != place.top;
  FScrollBar->SetBounds(place.left, place.top, 17, place.bottom - place.top);
  FScrollBar->SetPageSize(page);
  FScrollBar->SetMin(0);
  FScrollBar->SetMax(range);
  FScrollBar->SetPosition(position);
  if (!FScrollBar->GetVisible() || elsewhere) FScrollBar->SetVisible(true);
}

// ---------------------------------------------------------------------------------------------
// The hover-button strip
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveHoverButtons(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!FHoverButtons) return;
  THoverButtons* hb = FHoverButtons.get();
  bool allow = hb->GetRows() == hrAll || (ARow >= GetFixedRows() && Focused());
  THoverButtonsCollection* items = hb->GetButtons();
  items->SetUpdated(false);
  if (!hb->GetEnabled()) return;
  if (items->GetCount() == 0 || !allow) {
    HideHoverButtons();
    return;
  }
  DoHoverButtonsShow(X, Y, allow);
  if (!allow) {
    HideHoverButtons();
    return;
  }
  FHoverButtonRow = ARow;
  if (hb->GetMoveActiveRow() && ARow >= GetFixedRows() && ACol >= 0) {
    if (!GetOptions().Contains(goRowSelect) && ACol >= GetFixedCols() && ACol != GetCol()) SetCol(ACol);
    if (ARow != GetRow()) SetRowEx(ARow);
  }
  if (items->GetUpdated())
    while (FButtonForm->GetControlCount() > 0) delete FButtonForm->GetControls(0);
  if (FButtonForm->GetControlCount() == 0) BuildHoverButtons();
  PlaceHoverButtons(ARow);
}

// One speed button per item, left to right, Tag the item's index.
void TNeoStringGrid::BuildHoverButtons() {
  THoverButtonsCollection* items = FHoverButtons->GetButtons();
  Integer left = 0, height = Scaled(22, FDPIScale);
  for (Integer i = 0; i < items->GetCount(); ++i) {
    THoverButtonsCollectionItem* item = items->GetItems(i);
    auto* button = new TSpeedButton(FButtonForm);
    if (FGridImages && item->GetImageIndex() >= 0) FGridImages->GetBitmap(item->GetImageIndex(), button->GetGlyph());
    TGraphic* picture = item->GetPicture()->GetGraphic();
    if (picture && !picture->GetEmpty()) {
      button->GetGlyph()->SetSize(picture->GetWidth(), picture->GetHeight());
      button->GetGlyph()->GetCanvas()->Draw(0, 0, picture);
    }
    button->SetHint(item->GetHint());
    button->SetShowHint(!item->GetHint().empty());
    button->SetFlat(item->GetFlat());
    button->SetEnabled(item->GetEnabled());
    button->SetCaption(item->GetCaption());
    Integer width = item->GetWidth() > 0 ? Scaled(item->GetWidth(), FDPIScale) : button->GetWidth();
    button->SetBounds(left, 0, width, height);
    button->SetTag(i);
    button->OnClick = [this](TObject* Sender) { DoHoverButtonClick(Sender); };
    button->SetParent(FButtonForm);
    left += width;
  }
  if (left > 0) FButtonForm->SetWidth(left);
  FButtonForm->SetHeight(height);
}

void TNeoStringGrid::PlaceHoverButtons(Integer ARow) {
  THoverButtonPosition position = FHoverButtons->GetPosition();
  TRect cell = CellRect(std::clamp(FHoverButtons->GetColumn(), 0, GetColCount() - 1), ARow);
  bool atLeft = position == hbLeftFromColumnLeft || position == hbRightFromColumnLeft;
  TPoint p = ClientToScreen(TPoint{atLeft ? cell.left : cell.right, cell.top});
  if (position == hbLeftFromColumnLeft || position == hbLeftFromColumnRight) p.x -= FButtonForm->GetWidth();
  FButtonForm->SetBounds(p.x, p.y, FButtonForm->GetWidth(), FButtonForm->GetHeight());
  ShowTopmostNoActivate(FButtonForm);
}

void TNeoStringGrid::HideHoverButtons() {
  if (FButtonForm->HandleAllocated() && IsWindowVisible(FButtonForm->GetHandle()))
    ShowWindow(FButtonForm->GetHandle(), SW_HIDE);
}

void TNeoStringGrid::DoHoverButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TControl*>(Sender);
  if (!button || !FHoverButtons || !OnHoverButtonClick) return;
  THoverButtonsCollection* items = FHoverButtons->GetButtons();
  Integer index = button->GetTag();
  if (index >= 0 && index < items->GetCount()) OnHoverButtonClick(this, FHoverButtonRow, items->GetItems(index));
}

// ---------------------------------------------------------------------------------------------
// Hover states of fixed cells and cell buttons
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveFixedHover(Integer ACol, Integer ARow) {
  if (FHoverFixedCells == hfNone || FNoMouseLeave) return;
  if (ACol == FHoverFixedX && ARow == FHoverFixedY) return;
  TPoint old{FHoverFixedX, FHoverFixedY};
  FHoverFixedX = ACol;
  FHoverFixedY = ARow;
  auto repaintFixed = [this](TPoint P) {
    if (Valid(P) && (P.y <= GetFixedRows() || P.x <= GetFixedCols())) RepaintCell(P.x, P.y);
  };
  repaintFixed(old);
  repaintFixed(TPoint{ACol, ARow});
}

void TNeoStringGrid::MoveHotFixedCell(Integer ACol, Integer ARow) {
  TPoint cell{ACol, ARow};
  if (!(cell != FHotFixedCell)) return;
  auto isFixed = [this](TPoint P) { return Valid(P) && (P.x < GetFixedCols() || P.y < GetFixedRows()); };
  if (isFixed(FHotFixedCell)) RepaintCell(FHotFixedCell.x, FHotFixedCell.y);
  FHotFixedCell = cell;
  if (isFixed(cell)) RepaintCell(cell.x, cell.y);
}

void TNeoStringGrid::RepaintPoint(TPoint Cell) {
  if (Valid(Cell)) RepaintCell(Cell.x, Cell.y);
}

void TNeoStringGrid::MoveCellButtonHover(Integer ACol, Integer ARow, Integer X, Integer Y) {
  TPoint pt{X, Y};
  bool onButton = false;
  if (ACol >= 0 && ARow >= 0) {
    TRect button = GetCellButtonRect(ACol, ARow), glyph = GetExpandGlyphRect(ACol, ARow);
    onButton = PtInRect(&button, pt) || PtInRect(&glyph, pt);
  }
  TPoint cell{ACol, ARow};
  if (onButton) {
    if (cell != FHoverButton) {
      RepaintPoint(FHoverButton);
      FHoverButton = cell;
      RepaintPoint(cell);
    }
  } else if (Valid(FHoverButton)) {
    RepaintPoint(FHoverButton);
    FHoverButton = TPoint{-1, -1};
  }
}

// ---------------------------------------------------------------------------------------------
// Whole-row and whole-column drag selection
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::SelectRangeRect(const TGridRect& R) {
  TGridRect old = GetSelection();
  if (old == R) return;
  SetSelection(R);
  if (FSelectionRectangle) {
    RepaintRect(TRect{old.Left, old.Top, old.Right, old.Bottom});
    RepaintRect(TRect{R.Left, R.Top, R.Right, R.Bottom});
    FSizeSelection = R;
  }
}

void TNeoStringGrid::MoveRowColSelect(Integer ACol, Integer ARow, Integer Y) {
  if (FMouseSelectStart == -1) return;
  Integer lastCol = GetColCount() - 1, lastRow = GetRowCount() - 1;
  if (FMouseActions->GetRowSelect() && FMouseSelectMode == msRow) {
    if (ARow >= GetFixedRows() && ARow <= GetRowCount() - FFixedFooters) {
      Integer r = std::max(GetFixedRows(), ARow);
      SelectRangeRect(GridRectOf(GetFixedCols(), std::min(FMouseSelectStart, r), lastCol,
                                 std::min(std::max(FMouseSelectStart, r), lastRow)));
    }
    FSelectScrolledUp = false;
    if (Y > GetClientHeight() - 4) {
      if (GetTopRow() + GetVisibleRowCount() < GetRowCount()) SetTopRow(GetTopRow() + 1);
    } else if (GetFixedRows() > 0 && Y < GetRowHeights(0) && GetTopRow() > GetFixedRows()) {
      SetTopRow(GetTopRow() - 1);
      FSelectScrolledUp = true;
    }
  }
  if (FMouseActions->GetColSelect() && FMouseSelectMode == msColumn && ACol >= 0) {
    Integer c = std::max(GetFixedCols(), ACol);
    SelectRangeRect(GridRectOf(std::min(FMouseSelectStart, c), GetFixedRows(), std::max(FMouseSelectStart, c), lastRow));
  }
}

// ---------------------------------------------------------------------------------------------
// Fixed-cell sizing: arming and the sizing line
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveFixedSizingArm(Integer ACol, Integer ARow, Integer X, Integer Y) {
  bool validCell = ACol >= 0 && ARow >= 0 && !FDesignTime;
  FSizeFixed = false;
  Integer border = 0;
  for (Integer c = 0; c < GetFixedCols(); ++c) {
    Integer right = border + GetColWidths(c);
    if (std::abs(right - X) < SizingArmReach && validCell && GetOptions().Contains(goColSizing)) {
      bool allow = true;
      if (OnColumnSize) OnColumnSize(this, c, allow);
      FSizeFixed = FMouseActions->GetSizeFixedCol() && allow;
    }
    border = right + 1;
  }
  if (FSizingFixed) {
    XorLine(FSizeFixedX, true);
    XorLine(X, true);
    FSizeFixedX = X;
  }
  FSizeFixedR = false;
  border = 0;
  for (Integer r = 0; r < GetFixedRows(); ++r) {
    Integer bottom = border + GetRowHeights(r);
    if (std::abs(bottom - Y) < SizingArmReach && validCell) FSizeFixedR = FMouseActions->GetSizeFixedRow();
    border = bottom + 1;
  }
  if (FSizingFixedR) {
    XorLine(FSizeFixedY, false);
    XorLine(Y, false);
    FSizeFixedY = Y;
  }
}

// The selection-resize handle: the lowest and (left to right) rightmost 6 pixels of the
// selection's bottom-right cell, left of an always-visible combo button of a normal cell.
bool TNeoStringGrid::OverResizeHandle(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!FSelectionResizer || !FSelectionRectangle) return false;
  TGridRect sel = GetSelection();
  TRect r = CellRect(sel.Right, sel.Bottom);
  if (ACol >= GetFixedCols() && ARow >= GetFixedRows() && DropDownAlwaysVisible() && DoHasComboBox(ACol, ARow, edNone))
    r.right -= Scaled(DropDownButtonWidth(), FDPIScale);
  Integer six = Scaled(6, FDPIScale);
  r.top = r.bottom - six;
  if (UseRightToLeftAlignment())
    r.right = r.left + six;
  else
    r.left = r.right - six;
  TPoint pt{X, Y};
  return PtInRect(&r, pt) != 0;
}

// ---------------------------------------------------------------------------------------------
// Drags of cells and columns
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::MoveOleDragStart(Integer ACol, Integer ARow, Integer X, Integer Y, bool OverHandle) {
  TMoveDragSettings drag = MoveDragSettings();
  if (!FSelectionClick || ACol < 0 || ARow < 0 || !PrimaryButtonDown()) return false;
  if (std::abs(X - Clickposx) <= DragThreshold && std::abs(Y - Clickposy) <= DragThreshold) return false;
  if (!drag.OleDropSource || FGridState == gsColSizing || OverHandle) return false;

  FSelectionClick = false;
  bool allow = true;
  Integer realCol = DisplToRealCol(ACol);
  if (drag.OleColumnsOnly && ARow >= GetFixedRows())
    allow = false;
  else if (OnOleDrag)
    OnOleDrag(this, ARow, realCol, GetCells(realCol, ARow), allow);
  if (!allow) {
    if (FGridState == gsNormal) FGridState = gsSelecting;
    return false;
  }

  if (OnOleDragStart) OnOleDragStart(this, ARow, ACol);
  TPoint p = ClientToScreen(TPoint{X, Y});
  DoStartBlockFocus();
  TGridRect sel = GetSelection();
  if (drag.ShowCells && !MoveForm) {
    TGridRect r;
    Integer lastVisibleRow = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount() - 1);
    Integer lastVisibleCol = std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount() - 1);
    if (drag.OleColumnPicker)
      r = GridRectOf(ACol, 0, ACol, 0);
    else if (drag.OleColumnDragDrop)
      r = GridRectOf(ACol, GetTopRow(), ACol, lastVisibleRow);
    else
      r = GridRectOf(std::max(sel.Left, GetLeftCol()), std::max(sel.Top, GetTopRow()),
                     std::min(sel.Right, lastVisibleCol), std::min(sel.Bottom, lastVisibleRow));
    ShowDragPicture(r, p);
  }

  HRESULT result;
  bool columnDrag = ARow < GetFixedRows() && drag.OleColumnDragDrop;
  if (columnDrag) {
    if (!drag.ShowCells) {
      ShowHeaderDragButton(GetCells(realCol, 0), GetColWidths(ACol), GetRowHeights(0));
      MoveButton->SetBounds(p.x, p.y, MoveButton->GetWidth(), MoveButton->GetHeight());
      ShowTopmostNoActivate(MoveButton);
    }
    result = DragGridColumn(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (result != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, DragLastEffect());
    if (MoveButton) MoveButton->SetVisible(false);
    for (Integer i : {ArwU, ArwD})
      if (Arrows[i]) Arrows[i]->SetVisible(false);
  } else {
    FDropSelection = sel;
    String text;
    for (Integer r = sel.Top; r <= sel.Bottom; ++r) {
      if (r > sel.Top) text += u"\r\n";
      for (Integer c = sel.Left; c <= sel.Right; ++c) {
        if (c > sel.Left) text += u'\t';
        text += GetCells(DisplToRealCol(c), r);
      }
    }
    result = DragCellText(text, GetCells(realCol, ARow), nullptr, DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (result != DRAGDROP_S_CANCEL) {
      Integer effect = DragLastEffect();
      if (!drag.OleCopyAlways && effect == static_cast<Integer>(DROPEFFECT_MOVE)) {
        bool disjunct = FMouseActions->GetDisjunctRowSelect();
        if (drag.OleRemoveRows && GetOptions().Contains(goRowSelect)) {
          if (disjunct)
            RemoveSelectedRows();
          else
            DeleteRowRange(FDropSelection.Top, FDropSelection.Bottom - FDropSelection.Top + 1);
        } else if (disjunct) {
          ClearSelection();
        } else {
          ClearRect(FDropSelection.Left, FDropSelection.Top, FDropSelection.Right, FDropSelection.Bottom);
        }
      }
      if (OnOleDragStop) OnOleDragStop(this, effect);
    }
  }
  // The drag has ended: its picture goes with it.
  delete MoveForm;
  MoveForm = nullptr;
  return true;
}

void TNeoStringGrid::ShowDragPicture(TGridRect R, TPoint P) {
  HideSelection();
  MoveForm = SelectionToForm(R);
  UnHideSelection();
  PlaceDragPicture(P);
  ShowTopmostNoActivate(MoveForm);
}

void TNeoStringGrid::PlaceDragPicture(TPoint P) {
  if (!MoveForm) return;
  Integer left = UseRightToLeftAlignment() ? P.x + GetColWidths(0) - MoveForm->GetWidth() : P.x;
  MoveForm->SetBounds(left, P.y, MoveForm->GetWidth(), MoveForm->GetHeight());
}

Integer TNeoStringGrid::DragCellText(const String& Text, const String& RichText, TStream* Cells, DWORD Effects) {
  (void)Text;
  (void)RichText;
  (void)Cells;
  (void)Effects;
  return DRAGDROP_S_CANCEL;
}

Integer TNeoStringGrid::DragGridColumn(DWORD Effects) {
  (void)Effects;
  return DRAGDROP_S_CANCEL;
}

void TNeoStringGrid::DoStartBlockFocus() {
  if (OnStartBlockFocus) OnStartBlockFocus(this);
}

TForm* TNeoStringGrid::SelectionToForm(TGridRect ARect) {
  TRect client = GetClientRect();
  auto whole = std::make_unique<TBitmap>();
  whole->SetPixelFormat(pf24bit);
  whole->SetSize(client.right, client.bottom);
  if (HandleAllocated()) PaintTo(whole->GetCanvas()->GetHandle(), 0, 0);
  TRect a = VirtualCellRect(ARect.Left, ARect.Top);
  TRect b = VirtualCellRect(ARect.Right, ARect.Bottom);
  if (b.left < a.left) std::swap(a, b);
  if (b.bottom < a.bottom) {
    std::swap(a.top, b.top);
    std::swap(a.bottom, b.bottom);
  }
  auto* form = new TNoActiveForm(this);
  form->SetBorderStyle(bsNone);
  form->SetFormStyle(fsStayOnTop);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetAlign(alClient);
  TBitmap* bmp = image->GetPicture()->GetBitmap();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(b.right - a.left + 1, b.bottom - a.top + 1);
  TRect src{a.left + 1, a.top + 1, b.right + 2, b.bottom + 2};
  TRect dst{0, 0, bmp->GetWidth(), bmp->GetHeight()};
  bmp->GetCanvas()->CopyRect(dst, whole->GetCanvas(), src);
  TCanvas* c = bmp->GetCanvas();
  c->GetPen()->SetColor(GetGridFixedLineColor());
  if (ARect.Left == 0 && GetFixedCols() > 0 && GetOptions().Contains(goFixedHorzLine)) {
    c->MoveTo(0, 0);
    c->LineTo(0, bmp->GetHeight());
  }
  if (ARect.Top == 0 && GetFixedRows() > 0 && GetOptions().Contains(goFixedVertLine)) {
    c->MoveTo(0, 0);
    c->LineTo(bmp->GetWidth(), 0);
  }
  form->SetBounds(0, 0, bmp->GetWidth(), bmp->GetHeight());
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(192);
  return form;
}

// ---------------------------------------------------------------------------------------------
// Sizing and moving states, and the moving feedback
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveSizingMovingStates(Integer ARow) {
  (void)ARow;   // the filter edit row, which vetoes moves over row 0, comes with its option group
  if (FGridState == gsColSizing) FColSized = true;
  if (FGridState == gsRowSizing) FRowSized = true;
  if (FGridState == gsColMoving) {
    bool allow = true;
    if (OnColumnMove) OnColumnMove(this, Movecell, allow);
    if (!allow) SetGridState(gsNormal);
  } else if (FGridState == gsRowMoving) {
    bool allow = true;
    if (OnRowMove) OnRowMove(this, Movecell, allow);
    if (!allow) SetGridState(gsNormal);
  }
}

void TNeoStringGrid::ShowHeaderDragButton(const String& Caption, Integer AWidth, Integer AHeight) {
  if (!MoveButton) {
    MoveButton = new THeaderDragButton(this);
    MoveButton->SetGrid(this);
    MoveButton->SetVisible(false);
  }
  MoveButton->SetCaption(Caption);
  MoveButton->SetBounds(MoveButton->GetLeft(), MoveButton->GetTop(), AWidth, AHeight);
  MoveButton->Invalidate();
}

TArrowWindow* TNeoStringGrid::ArrowWindow(Integer Index) {
  static constexpr TArrowDirection Directions[4] = {arrUp, arrDown, arrLeft, arrRight};
  if (!Arrows[Index]) Arrows[Index] = new TArrowWindow(this, Directions[Index]);
  return Arrows[Index];
}

void TNeoStringGrid::MoveFeedback(Integer ACol, Integer ARow, Integer X, Integer Y) {
  bool colMoving = FGridState == gsColMoving, rowMoving = FGridState == gsRowMoving;
  if (!(colMoving || rowMoving) || GetRowCount() <= 1 || (X == Clickposx && Y == Clickposy) || !FEnhRowColMove ||
      FSizingFixed || FSizingFixedR)
    return;
  TMoveDragSettings drag = MoveDragSettings();
  bool moving = true;
  DoStartBlockFocus();
  if (colMoving && Movecell >= GetFixedCols() && Movecell < GetColCount() && ARow >= 0) {
    if (drag.ShowCells && !MoveForm) {
      Integer bottom = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount() - GetFixedRows());
      ShowDragPicture(GridRectOf(Movecell, 0, Movecell, bottom), ClientToScreen(TPoint{X - MoveOfsX, Y - MoveOfsY}));
    }
    ShowHeaderDragButton(GetCells(DisplToRealCol(Movecell), 0), GetColWidths(Movecell), GetRowHeights(ARow));
  } else if (rowMoving && Movecell >= GetFixedRows() && Movecell < GetRowCount() && ACol >= 0) {
    if (drag.ShowCells && !MoveForm) {
      Integer right = std::min(GetColCount() - 1, GetVisibleColCount() + GetLeftCol() - GetFixedCols());
      ShowDragPicture(GridRectOf(0, Movecell, right, Movecell), ClientToScreen(TPoint{X - MoveOfsX, Y - MoveOfsY}));
    }
    ShowHeaderDragButton(GetCells(0, Movecell), GetColWidths(ACol), GetRowHeights(Movecell));
  }
  TPoint p = ClientToScreen(TPoint{X - MoveOfsX, Y - MoveOfsY});
  if (drag.ShowCells) {
    if (MoveForm) {
      PlaceDragPicture(p);
    } else {
      SetGridState(gsNormal);
      moving = false;
    }
  } else if (MoveButton) {
    MoveButton->SetBounds(p.x, p.y, MoveButton->GetWidth(), MoveButton->GetHeight());
  }

  bool validCell = ACol >= 0 && ARow >= 0;
  if (colMoving) {
    if (FMoveColInd >= GetFixedCols() && FMoveColInd < GetColCount() && validCell) {
      TRect header = CellRect(FMoveColInd, 0);
      Integer x = (FMoveColInd < Movecell ? header.left : header.right) - 5;
      TPoint up = ClientToScreen(TPoint{x, header.bottom}), down = ClientToScreen(TPoint{x, header.top - 8});
      ArrowWindow(ArwU)->SetBounds(up.x, up.y, ArrowWindow(ArwU)->GetWidth(), ArrowWindow(ArwU)->GetHeight());
      ArrowWindow(ArwD)->SetBounds(down.x, down.y, ArrowWindow(ArwD)->GetWidth(), ArrowWindow(ArwD)->GetHeight());
      if (FMoveColInd - GetLeftCol() < GetVisibleColCount())
        for (Integer i : {ArwU, ArwD}) ShowTopmostNoActivate(ArrowWindow(i));
    }
    FMoveColInd = ACol;
    FMoveRowInd = 0;
    if (OnColumnMoving) OnColumnMoving(this, FMoveColInd, moving);
  } else {
    bool footerRow = FloatingFooterVisible() && FloatingFooterStyle() == fsFixedLastRow &&
                     FMoveRowInd == GetRowCount() - 1;
    bool visibleRow = FMoveRowInd >= GetFixedRows() && FMoveRowInd >= GetTopRow() &&
                      FMoveRowInd - GetTopRow() < GetVisibleRowCount();
    if (!footerRow && visibleRow && validCell) {
      TRect first = CellRect(0, FMoveRowInd);
      Integer lastCol = std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount());
      TRect last = CellRect(lastCol, FMoveRowInd);
      Integer rowRight = last.right > last.left ? last.right : first.right;
      Integer top = (FMoveRowInd >= Movecell ? first.bottom : first.top) - 5;
      TPoint left = ClientToScreen(TPoint{first.left - 10, top}), right = ClientToScreen(TPoint{rowRight, top});
      ArrowWindow(ArwL)->SetBounds(left.x, left.y, ArrowWindow(ArwL)->GetWidth(), ArrowWindow(ArwL)->GetHeight());
      ArrowWindow(ArwR)->SetBounds(right.x, right.y, ArrowWindow(ArwR)->GetWidth(), ArrowWindow(ArwR)->GetHeight());
      for (Integer i : {ArwL, ArwR}) ShowTopmostNoActivate(ArrowWindow(i));
    }
    FMoveColInd = 0;
    FMoveRowInd = ARow;
    if (OnRowMoving) OnRowMoving(this, FMoveRowInd, moving);
  }
  MoveAutoScroll(X, Y);

  if (MoveButton) {
    if (!MoveButton->GetVisible() && !drag.ShowCells) ShowTopmostNoActivate(MoveButton);
    if (!MoveButton->GetEnabled()) MoveButton->SetEnabled(true);
  }
  Screen->SetCursor(moving ? crDrag : crNoDrop);
  if (!moving && FGridState == gsNormal) Screen->SetCursor(FOldCursor);
}

// While moving, the view scrolls one column (row) towards a mouse over the fixed cells or past the
// control's edge.
void TNeoStringGrid::MoveAutoScroll(Integer X, Integer Y) {
  if (GetVisibleColCount() + GetFixedCols() < GetColCount()) {
    if (X < FixedColsWidth() && GetLeftCol() > GetFixedCols()) {
      SetLeftCol(GetLeftCol() - 1);
      Repaint();
    } else if (X > GetClientWidth() && GetLeftCol() + GetVisibleColCount() < GetColCount()) {
      SetLeftCol(GetLeftCol() + 1);
      Repaint();
    }
  }
  if (GetVisibleRowCount() + GetFixedRows() < GetRowCount()) {
    if (Y < FixedRowsHeight() && GetTopRow() > GetFixedRows()) {
      SetTopRow(GetTopRow() - 1);
      Repaint();
    } else if (Y > GetClientHeight() && GetTopRow() + GetVisibleRowCount() < GetRowCount()) {
      SetTopRow(GetTopRow() + 1);
      Repaint();
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The pending selection mode, links and anchors, the cursor
// ---------------------------------------------------------------------------------------------
bool TNeoStringGrid::MoveSelectMode(Integer ACol, Integer ARow, Integer X, Integer Y, bool OverHandle) {
  FMouseSelectMode = OverHandle ? msResize : msNormal;
  auto set = [this](TMouseSelectMode Mode) {
    FMouseSelectMode = Mode;
    Invokedchange = true;
    return true;
  };
  bool inFixedRow = ARow >= 0 && ARow < GetFixedRows();
  bool inFixedCol = ACol >= 0 && ACol < GetFixedCols();
  if (inFixedRow && (ACol == 0 || (inFixedCol && FMouseActions->GetAllSelectAllFixedColumns())) &&
      FMouseActions->GetAllSelect())
    return set(msAll);
  if (inFixedRow && ACol >= GetFixedCols() && FMouseActions->GetColSelect() && !IsNearSizingEdge(X, Y))
    return set(msColumn);
  Integer lastRow = GetRowCount() - 1;
  if (FloatingFooterVisible() && FloatingFooterStyle() == fsFixedLastRow) --lastRow;
  bool rowInRange = (ARow >= GetFixedRows() || (FSelectScrolledUp && ARow >= 0)) && ARow <= lastRow;
  if (inFixedCol && rowInRange && FMouseActions->GetRowSelect() && !IsNearSizingEdge(X, Y) &&
      !(IsNode(ARow) && IsInNodeGlyph(ARow, X)))
    return set(msRow);
  return false;
}

void TNeoStringGrid::SetGridCursor(TCursor Value) {
  Invokedchange = true;
  SetCursor(Value);
}

bool TNeoStringGrid::HitTestCellAnchor(Integer ACol, Integer ARow, Integer X, Integer Y, String& Anchor,
                                       String& AnchorHint, Integer& Link) {
  Integer realCol = DisplToRealCol(ACol);
  TRect r = CellRect(ACol, ARow);
  r.left += FXYOffset.x + 1;
  r.top += FXYOffset.y + 1;
  r.right -= FXYOffset.x;
  if (GetCellType(realCol, ARow) == ctCheckBox) r.left += Scaled(ControlCheckSize(), FDPIScale);
  Integer range = 0, page = 0, position = 0;
  if (GetCellScrollBar(realCol, ARow, range, page, position)) {
    r.right -= GetSystemMetrics(SM_CXVSCROLL);
    r.bottom += position;
    Y += position;
  }
  TCanvas* canvas = GetCanvas();
  GetCellBaseFont(canvas->GetFont(), IsFixed(ACol, ARow), false);
  THtmlDrawParams p;
  p.ACanvas = canvas;
  p.AText = GetCells(realCol, ARow);
  p.ARect = r;
  p.AImages = FGridImages;
  p.AX = X;
  p.AY = Y;
  p.ACheckHotSpot = true;
  p.AURLColor = FURLColor;
  p.AWinHandle = HandleAllocated() ? GetHandle() : nullptr;
  bool hit = DrawHtmlText(p);
  Anchor = hit ? p.AAnchor : String();
  AnchorHint = hit ? p.ATitle : String();
  Link = hit ? p.AMouseLink : -1;
  return hit && !Anchor.empty();
}

bool TNeoStringGrid::MoveLinks(Integer ACol, Integer ARow, Integer X, Integer Y) {
  bool modeSet = false;
  bool markup = false;
  String anchor, hint;
  Integer link = -1;
  if (ACol >= 0 && ARow >= 0) {
    String text = GetCells(DisplToRealCol(ACol), ARow);
    Integer kind = DetectCellTextKind(text, FEnableHTML);
    markup = kind == ctkHtml;
    if (FURLShow && !markup && HasUrlScheme(text)) {
      modeSet = true;
      SetGridCursor(crHandPoint);
    }
    if (markup) HitTestCellAnchor(ACol, ARow, X, Y, anchor, hint, link);
  }
  TPoint cell{ACol, ARow};
  if (markup && FURLUnderlineOnHover && (cell != FHoverCell || link != FHoverlink)) {
    RepaintPoint(FHoverCell);
    FHoverCell = cell;
    FHoverlink = link;
    RepaintPoint(cell);
  } else if (!markup && FURLUnderlineOnHover && (Valid(FHoverCell) || FHoverlink != -1)) {
    FHoverlink = -1;
    RepaintPoint(FHoverCell);
    FHoverCell = TPoint{-1, -1};
  }
  if (!anchor.empty() || !hint.empty()) {
    String shown = hint.empty() ? anchor : hint;
    if (OnAnchorHint) OnAnchorHint(this, ARow, ACol, shown);
    if (shown != FLastAnchorHint && !FLastAnchorHint.empty() && anchor != FAnchor) {
      FLastAnchorHint = shown;
      Application->CancelHint();
    }
    modeSet = true;
    SetGridCursor(crHandPoint);
    if (anchor != FAnchor) {
      if (OnAnchorEnter) OnAnchorEnter(this, ARow, ACol, anchor);
      FAnchor = anchor;
    }
  } else if (!FAnchor.empty()) {
    // Leaving an anchor for any other place (plain text or no cell included) ends it.
    if (OnAnchorExit) OnAnchorExit(this, ARow, ACol, String());
    FAnchor.clear();
  }
  return modeSet;
}

TPoint TNeoStringGrid::BaseCellOf(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0) return TPoint{-1, -1};
  TPoint base = BaseCell(DisplToRealCol(ACol), ARow);
  return TPoint{RealToDisplCol(base.x), base.y};
}

// A hint or balloon shown for another cell than the one under the mouse goes.
void TNeoStringGrid::MoveHintCancel(Integer ACol, Integer ARow) {
  TPoint base = BaseCellOf(ACol, ARow);
  if (FLastHintPos != base) {
    Application->CancelHint();
    FLastHintPos = TPoint{-1, -1};
  }
  if (BalloonEnabled() && FLastBalloonPos != base) {
    if (FHToolTip) SendMessage(FHToolTip, TTM_POP, 0, 0);
    FLastBalloonPos = TPoint{-1, -1};
  }
}

// ---------------------------------------------------------------------------------------------
// Sizing events and the sizing hint
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MoveSizingEvents(Integer X, Integer Y, Integer ARow) {
  bool colSizing = FGridState == gsColSizing || FSizingFixed;
  bool rowSizing = FGridState == gsRowSizing || FSizingFixedR;
  if (colSizing && OnColumnSizing) {
    if (FSizingFixed)
      OnColumnSizing(this, 0, FSizeFixedX);
    else if (FColclicked >= 0)
      OnColumnSizing(this, FColclicked, X - CellRect(FColclicked, std::max(ARow, 0)).left - Clickposdx);
  }
  if (rowSizing && OnRowSizing) {
    if (FSizingFixedR)
      OnRowSizing(this, 0, FSizeFixedY);
    else if (FRowclicked >= 0)
      OnRowSizing(this, FRowclicked, Y - CellRect(0, FRowclicked).top - Clickposdy);
  }
}

void TNeoStringGrid::MoveSizingHint(Integer X, Integer Y) {
  if (!FDesignTime && !FHintShowSizing) return;
  bool colSizing = FGridState == gsColSizing || FSizingFixed;
  bool rowSizing = FGridState == gsRowSizing || FSizingFixedR;
  if (!colSizing && !rowSizing) return;
  String text;
  TRect cell;
  if (FSizingFixed || FSizingFixedR) {
    cell = CellRect(0, 0);
    text = FSizingFixed ? u"cw=<b>" + IntToStr(FSizeFixedX) : u"rh=<b>" + IntToStr(FSizeFixedY);
  } else {
    Integer col = FColclicked, row = FRowclicked;
    if (colSizing) {
      if (col == -1) {
        col = GetColCount() - 1;
        row = 0;
      }
      cell = CellRect(col, std::max(row, 0));
      text = u"cw=<b>" + IntToStr(X - cell.left - Clickposdx);
    } else {
      if (row == -1) {
        row = GetRowCount() - 1;
        col = 0;
      }
      cell = CellRect(std::max(col, 0), row);
      text = u"rh=<b>" + IntToStr(Y - cell.top - Clickposdy);
    }
  }
  text += u"</b>";
  TPoint p = ClientToScreen(TPoint{cell.left, cell.top});
  if (!FScrollHintWnd) return;
  TRect r = FScrollHintWnd->CalcHintRect(200, text, nullptr);
  FScrollHintWnd->SetCaption(text);
  FScrollHintWnd->SetColor(FHintColor);
  OffsetRect(&r, p.x, p.y);
  FScrollHintWnd->ActivateHint(r, text);
  FScrollHintShow = true;
}

// ---------------------------------------------------------------------------------------------
// Mouse enter, leave, style change
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::CMMouseEnter(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  if (FMouseActions->GetAutoFocus() && !Focused() && CanFocus()) SetFocus();
}

void TNeoStringGrid::CMMouseLeave(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  if (FToolBarPopup && FToolBarPopup->GetVisible() && !EditorOpen()) {
    POINT p{};
    GetCursorPos(&p);
    if (!FToolBarPopup->MouseInPopup(TPoint{p.x, p.y})) FToolBarPopup->Hide();
  }
  FMouseSelectMode = msNormal;
  FSizeFixed = false;
  FSizeFixedR = false;
  if (!FNoMouseLeave && (FHoverFixedX >= 0 || FHoverFixedY >= 0)) {
    TPoint old{FHoverFixedX, FHoverFixedY};
    FHoverFixedX = FHoverFixedY = -1;
    RepaintPoint(old);
  }
  if (FLook == glListView && Valid(FHotFixedCell)) {
    TPoint old = FHotFixedCell;
    FHotFixedCell = TPoint{-1, -1};
    RepaintPoint(old);
  }
  if (FHoverRowIdx >= 0) {
    Integer old = FHoverRowIdx;
    FHoverRowIdx = -1;
    if (old < GetRowCount()) RepaintRow(old);
  }
  if (FHoverButtons && FHoverButtons->GetEnabled() && FButtonForm->HandleAllocated()) {
    POINT p{};
    GetCursorPos(&p);
    RECT strip{};
    GetWindowRect(FButtonForm->GetHandle(), &strip);
    if (!PtInRect(&strip, p)) HideHoverButtons();
  }
}

void TNeoStringGrid::CMStyleChanged(TMessage& Message) {
  (void)Message;
  AdaptStyleServicesColors(true);
}

// ---------------------------------------------------------------------------------------------
// Cell hints
// ---------------------------------------------------------------------------------------------
String TNeoStringGrid::GetStrippedCell(Integer ACol, Integer ARow) {
  return TNeoUtils::HTMLStrip(GetCells(ACol, ARow));
}

String TNeoStringGrid::GetWideCells(Integer ACol, Integer ARow) { return DecodePairEncodedText(GetCells(ACol, ARow)); }

void TNeoStringGrid::FillCellHint(String& HintStr, THintInfo& HintInfo) {
  if (ControlLookHintMaxWidth() > 0) HintInfo.HintMaxWidth = ControlLookHintMaxWidth();
  HintFontName = GetFont()->GetName();
  TPoint cursor = HintInfo.CursorPos;
  // Positions are worked out in client coordinates and go to the screen at the end.
  TPoint pos = ScreenToClient(HintInfo.HintPos);
  Integer ACol = -1, ARow = -1;
  MouseToCell(cursor.x, cursor.y, ACol, ARow);
  if (ACol >= 0 && ARow >= 0) {
    TPoint base = BaseCellOf(ACol, ARow);
    ACol = base.x;
    ARow = base.y;
    FLastHintPos = base;
    Integer realCol = DisplToRealCol(ACol);
    TRect r = CellRect(ACol, ARow);
    String comment;
    pos = IsComment(realCol, ARow, comment) ? TPoint{r.right, r.top} : TPoint{cursor.x, r.bottom + 6};
    String text = GetCells(realCol, ARow);
    Integer kind = DetectCellTextKind(text, FEnableHTML);
    if (kind == ctkHtml && FAnchorHint) {
      String anchor, anchorHint;
      Integer link = -1;
      if (HitTestCellAnchor(ACol, ARow, cursor.x, cursor.y, anchor, anchorHint, link)) {
        String shown = anchorHint.empty() ? anchor : anchorHint;
        if (OnAnchorHint) OnAnchorHint(this, ARow, realCol, shown);
        FLastAnchorHint = shown;
        HintStr = shown;
        pos = TPoint{cursor.x + 8, cursor.y - 16};
      }
    }
    bool normal = ACol >= GetFixedCols() && ARow >= GetFixedRows() && ACol < GetColCount() - FFixedRightCols &&
                  ARow < GetRowCount() - FFixedFooters;
    if (FHintShowCells && normal) {
      pos.y = r.top;
      if (kind == ctkPairEncoded)
        HintStr = GetWideCells(realCol, ARow);
      else
        HintStr = FHTMLHint ? text : GetStrippedCell(realCol, ARow);
    }
    if (FHintShowLargeText) {
      TPoint size{0, 0};
      MeasureCellText(ACol, realCol, ARow, true, false, false, size);
      if (size.x > r.right - r.left || size.y > r.bottom - r.top) {
        if (FHintShowLargeTextPos == hpCell) pos = TPoint{r.left, r.top};
        if (kind == ctkPairEncoded || FHTMLHint || kind != ctkHtml)
          HintStr = text;
        else
          HintStr = GetStrippedCell(realCol, ARow);
      }
    }
    if (!(ARow == GetRowCount() - 1 && FloatingFooterVisible())) {
      String wide;
      DoGridHint(ACol, ARow, HintStr, wide);
    }
  }
  Integer hintKind = DetectCellTextKind(HintStr, true);
  if ((hintKind == ctkHtml || hintKind == ctkPairEncoded) && FUseInternalHintClass) {
    HintInfo.HintWindowClass = THTMLHintWindow::StaticClass();
    HintInfo.HintData = this;
  }
  HintInfo.HintPos = ClientToScreen(pos);
  HintInfo.HintColor = FHintColor;
}
