// TNeoStringGrid: a mouse button going down. The left-button handler decides, in a fixed order,
// which object under the pointer takes the press: the selection-resize handle, touch scrolling, a
// refused click, fixed sizing, fixed cells drawn as buttons, spin halves, node glyphs, radio groups,
// ratings, cell buttons, expand glyphs, disjunct rows and columns, anchors and form controls in
// markup, select all / row / column from fixed cells, check boxes, always-visible edit buttons and
// leaving the open editor; everything else goes to the base grid, which selects, sizes and moves.
// The MouseDown override (every button) handles fixed drop-down buttons, filter glyphs, fixed-cell
// editors and the synchronised grid.
#include <algorithm>

#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "lib/render/NeoHTMLControls.h"
#include "lib/render/NeoHTMLEngine.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/Shell.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

// What one left press has found out so far; the steps read and refine it.
struct TNeoStringGrid::TPress {
  explicit TPress(TMessage& AMsg) : Msg(AMsg) {}
  TMessage& Msg;
  Integer X = 0;
  Integer Y = 0;
  Integer ACol = -1;   // display cell; the base cell of its merged block from the merge mapping on
  Integer ARow = -1;
  Integer RealCol = -1;   // real column of the clicked cell
  Integer ClickCol = -1;  // the clicked cell before the merge mapping
  Integer ClickRow = -1;
  // The one shift flag: Alt if down, else Shift, else Ctrl.
  TShiftState Shift;
  bool CanFocusEdit = true;
  bool InFixed = false;
  bool CanEdit = false;
  bool HasCombo = false;
  Integer OldTop = 0;
  Integer OldLeft = 0;

  bool Has(TShiftStateItem S) const { return Shift.Contains(S); }
};

namespace {

bool KeyDown(int Vk) { return GetKeyState(Vk) < 0; }

TShiftState PressShiftFlag() {
  TShiftState s;
  if (KeyDown(VK_MENU))
    s.Include(ssAlt);
  else if (KeyDown(VK_SHIFT))
    s.Include(ssShift);
  else if (KeyDown(VK_CONTROL))
    s.Include(ssCtrl);
  return s;
}

// The full keyboard state (the check-box path reads it instead of the one flag).
TShiftState KeyboardShift() {
  TShiftState s;
  if (KeyDown(VK_SHIFT)) s.Include(ssShift);
  if (KeyDown(VK_CONTROL)) s.Include(ssCtrl);
  if (KeyDown(VK_MENU)) s.Include(ssAlt);
  s.Include(ssLeft);
  return s;
}

bool Inside(const TRect& R, Integer X, Integer Y) { return X >= R.left && X < R.right && Y >= R.top && Y < R.bottom; }

bool HasOption(TCustomGrid* G, TGridOption O) { return G->GetOptions().Contains(O); }

void SetOption(TCustomGrid* G, TGridOption O, bool On) {
  TGridOptions o = G->GetOptions();
  if (On)
    o.Include(O);
  else
    o.Exclude(O);
  G->SetOptions(o);
}

bool StartsWithNoCase(const String& Text, StringView Prefix) {
  return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), String(Prefix));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Relays and queries
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoClickCell(Integer ARow, Integer ACol) {
  if (OnClickCell) OnClickCell(this, ARow, ACol);
}

void TNeoStringGrid::DoCheckBoxClick(Integer ACol, Integer ARow, bool State) {
  if (OnCheckBoxClick) OnCheckBoxClick(this, ACol, ARow, State);
}

void TNeoStringGrid::DoRatingChange(Integer ACol, Integer ARow, Double& NewRate, bool& Allow) {
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, Allow);
}

bool TNeoStringGrid::DoCanShowFixedDropDown(Integer ACol) {
  bool can = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, can);
  return can;
}

bool TNeoStringGrid::IsInCheckBox(Integer ACol, Integer ARow, Integer X, Integer Y) {
  (void)ACol;
  (void)ARow;
  (void)X;
  (void)Y;
  return !FMouseActions->GetPreciseCheckBoxCheck();
}

bool TNeoStringGrid::IsInNodeGlyph(Integer ARow, Integer X) {
  (void)ARow;
  (void)X;
  return !FMouseActions->GetPreciseNodeClick();
}

void TNeoStringGrid::SetRating(Integer ACol, Integer ARow, Double Value) { SetCells(ACol, ARow, FloatToStr(Value)); }

bool TNeoStringGrid::IsSelected(Integer ACol, Integer ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount()) return false;
  if (FMouseActions->GetDisjunctCellSelect()) return FSelectedCells.Has(ACol, ARow);
  if (FMouseActions->GetDisjunctRowSelect()) return GetRowSelect(ARow);
  if (FMouseActions->GetDisjunctColSelect()) return GetColSelect(DisplToRealCol(ACol));
  return GetSelection().Contains(ACol, ARow);
}

bool TNeoStringGrid::IsOpenableAnchor(const String& Anchor) {
  return StartsWithNoCase(Anchor, u"http://") || StartsWithNoCase(Anchor, u"https://") ||
         StartsWithNoCase(Anchor, u"mailto:");
}

// ---------------------------------------------------------------------------------------------
// The left press
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::WMLButtonDown(TMessage& Message) {
  TPress p(Message);
  p.X = MessageXPos(Message);
  p.Y = MessageYPos(Message);
  FDoOnClick = FMouseDownMove = FMouseKeepDown = true;
  FSpinUpClick = FSpinDnClick = FAnchorClick = false;
  MouseToCell(p.X, p.Y, p.ACol, p.ARow);
  if (auto* form = dynamic_cast<TForm*>(GetParentForm(this))) p.CanFocusEdit = form->GetFormStyle() == fsNormal;
  FOrigSelection = GetSelection();
  if (FMouseActions->GetDisjunctRowSelect()) {
    Integer top = FOrigSelection.Top;
    if (top >= 0 && top < GetRowCount() && !GetRowSelect(top)) FOrigSelection = TGridRect{-1, -1, -1, -1};
  }
  if (PressResizeHandle(p)) return;
  p.Shift = PressShiftFlag();
  if (PressTouchScroll(p)) return;

  // Range select and edit: editing stays on only for a press strictly inside the selection.
  if (HasOption(this, goEditing) && FMouseActions->GetRangeSelectAndEdit()) {
    TGridRect s = GetSelection();
    bool inside = s.Left <= p.ACol && p.ACol < s.Right && s.Top <= p.ARow && p.ARow < s.Bottom;
    if (!inside) SetOption(this, goEditing, false);
  }
  FSearchInc.clear();
  FMoveColInd = FMoveRowInd = -1;
  FSelectionClick = false;
  FPushedCellButton = TPoint{-1, -1};
  p.OldTop = FOldTopRow = GetTopRow();
  p.OldLeft = FOldKeepLeftCol = GetLeftCol();

  bool allow = true;
  if (OnCanClickCell) OnCanClickCell(this, p.ARow, p.ACol, allow);
  if (!allow) return;

  p.ClickCol = p.ACol;
  p.ClickRow = p.ARow;
  if (FCellSelectorMode) {
    CellSelectorClick(p.ACol, p.ARow);
    return;
  }
  if (FMouseSelectMode == msResize) {
    GrabSelection(p);
    return;
  }
  bool valid = p.ACol >= 0 && p.ARow >= 0;
  if (FMouseActions->GetDisjunctCellSelect() && !p.Has(ssCtrl) && valid && p.ACol >= GetFixedCols() &&
      p.ARow >= GetFixedRows()) {
    FSelectedCells.Clear();
    Invalidate();
  }
  // The cell 5 pixels left and 4 up: the one whose border a press near a border belongs to.
  Integer cx = p.X - 5, cy = p.Y - 4;
  if (p.ARow == 0)
    cy = p.Y;
  else if (p.ACol == 0)
    cx = p.X;
  MouseToCell(cx, cy, FColclicked, FRowclicked);
  FColclickedsize = FColclicked >= 0 ? GetColWidths(FColclicked) : 0;
  FRowclickedsize = FRowclicked >= 0 ? GetRowHeights(FRowclicked) : 0;
  Clickposx = p.X;
  Clickposy = p.Y;
  p.InFixed = valid && (p.ARow < GetFixedRows() || p.ACol < GetFixedCols());

  if (!valid) {
    HideInplaceEdit();
    if (FFixedRowAlways) {
      FireMouseDown(p.Shift, p.X, p.Y);
      if (GetEnabled() && GetFixedRows() < GetRowCount()) InheritedLButtonDown(Message);
    } else {
      InheritedLButtonDown(Message);
    }
    return;
  }

  // Merge mapping: from here on (ACol, ARow) is the base cell of the block.
  p.RealCol = DisplToRealCol(p.ACol);
  TPoint base = BaseCell(p.RealCol, p.ARow);
  p.ACol = RealToDisplCol(base.x);
  p.ARow = base.y;
  if (FFixedColAlways && p.ACol == 0 && GetColCount() == GetFixedCols()) return;
  if (FMouseActions->GetCaretPositioning()) LButFlg = true;

  if (PressFixedSizing(p)) return;

  bool fixedCell = IsFixed(p.ACol, p.ARow);
  if (p.InFixed || fixedCell) HideInplaceEdit();
  p.InFixed = fixedCell && !p.InFixed;

  PressFixedButton(p);
  if (!FDesignTime && SpinButtonsAlwaysVisible() && DoHasSpinEdit(p.ACol, p.ARow, edNone)) {
    TRect r = CellRect(p.ACol, p.ARow);
    if (p.X >= r.right - 18) {
      if (p.Y < r.top + (r.bottom - r.top) / 2)
        FSpinUpClick = true;
      else
        FSpinDnClick = true;
    }
  }
  if (PressNode(p)) return;
  if (IsRadio(p.RealCol, p.ARow) && (IsEditable(p.RealCol, p.ARow) || RadioAlwaysActive())) {
    HideInplaceEdit();
    TRect r = CellRect(p.ACol, p.ARow);
    RadioClick(p.RealCol, p.ARow, p.X - r.left, p.Y - r.top);
    SetFocus();
    return;
  }
  if (PressCellGraphic(p)) return;

  p.HasCombo = p.ACol >= GetFixedCols() && p.ARow >= GetFixedRows() && DropDownAlwaysVisible() &&
               DoHasComboBox(p.ACol, p.ARow, edNone);
  if (IsMergedCell(p.RealCol, p.ARow) && !fixedCell && !OnMouseDown && !p.HasCombo) {
    // The base grid sees the press on the base cell.
    TRect br = CellRect(p.ACol, p.ARow);
    Integer x = br.left + 2, y = br.top + 2;
    if (UseRightToLeftAlignment()) {
      x = p.X;
      for (Integer c = p.ACol; c < p.ClickCol; ++c) x += GetColWidths(c);
    }
    p.X = x;
    p.Y = y;
    Message.LParam = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
  }
  if (p.ARow >= GetRowCount() || p.ACol >= GetColCount()) {
    InheritedLButtonDown(Message);
    return;
  }
  if (FColclicked >= 0 && FRowclicked >= 0) {
    TRect r = CellRect(FColclicked, FRowclicked);
    Clickposdx = p.X - r.right;
    Clickposdy = p.Y - r.bottom;
  } else {
    Clickposdx = p.X;
    Clickposdy = p.Y;
  }
  if (FSelHidden) UnHideSelection();

  if (PressDisjunct(p, false)) return;
  if (PressAnchor(p)) return;
  if (PressDisjunct(p, true)) return;
  Movecell = -1;
  PressFixedSelect(p);

  p.CanEdit = HasOption(this, goEditing) || FMouseActions->GetRangeSelectAndEdit() || FEditDisable;
  CanEditCell(p.RealCol, p.ARow, p.CanEdit);
  if (PressCheckBox(p)) return;
  if (PressEditButton(p)) return;
  if (PressLeaveEditor(p)) return;
  PressFinal(p);
}

// Step: the selection-resize handle at the bottom-right corner of the selection.
bool TNeoStringGrid::PressResizeHandle(TPress& P) {
  if (!FSelectionResizer || !FSelectionRectangle || P.ACol < 0 || P.ARow < 0) return false;
  TGridRect s = GetSelection();
  TRect r = CellRect(s.Right, s.Bottom);
  Integer size = Round(6 * FDPIScale);
  r.top = r.bottom - size;
  if (UseRightToLeftAlignment())
    r.right = r.left + size;
  else
    r.left = r.right - size;
  if (!Inside(r, P.X, P.Y)) return false;
  GrabSelection(P);
  return true;
}

// The selection is grabbed to be grown: it stays as it is, its rectangle is kept as the source the
// release fills from (nothing goes to the clipboard), and the base grid selects on from here.
void TNeoStringGrid::GrabSelection(TPress& P) {
  TGridRect s = GetSelection();
  FGridState = gsSelecting;
  FDropSelection = s;
  FMouseResize = true;
  if (!HasOption(this, goEditing) && !FMouseActions->GetRangeSelectAndEdit()) InheritedLButtonDown(P.Msg);
  if (!(GetSelection() == s)) TCustomGrid::SetSelection(s);
  MouseMove(TShiftState{}, P.X, P.Y);
  P.Msg.Result = 1;
}

// Step: touch scrolling starts on a press away from the current cell in the normal area.
bool TNeoStringGrid::PressTouchScroll(TPress& P) {
  if (!FMouseActions->GetTouchScroll() || EditorOpen()) return false;
  if (P.ACol == GetCol() && P.ARow == GetRow()) return false;
  bool normal = P.ACol >= GetFixedCols() && P.ARow >= GetFixedRows();
  if (!normal || P.Has(ssShift)) return false;
  DoClickCell(P.ARow, P.ACol);
  FTimeStart = GetTickCount();
  ptdown = TPoint{P.X, P.Y};
  FTopDown = GetTopRow();
  FLeftRight = GetLeftCol();
  FScrollStart = true;
  FScrollSteps = 0;
  P.Msg.Result = 1;
  if (HasOption(this, goRowSelect)) {
    if (P.Has(ssCtrl)) {
      SetRowSelect(P.ARow, !GetRowSelect(P.ARow));
    } else {
      ClearRowSelect();
      SetRowEx(P.ARow);
    }
  }
  InheritedLButtonDown(P.Msg);
  SetMouseCapture(true);
  return true;
}

// Step: sizing of fixed columns (rows) armed by the mouse move starts here.
bool TNeoStringGrid::PressFixedSizing(TPress& P) {
  auto nearBorder = [&](bool Cols, Integer Pos) {
    Integer border = 0, count = Cols ? GetFixedCols() : GetFixedRows();
    for (Integer i = 0; i < count; ++i) {
      border += (Cols ? GetColWidths(i) : GetRowHeights(i)) + 1;
      if (std::abs(Pos - border) <= 3) return i;
    }
    return -1;
  };
  if (FSizeFixed) {
    FSizingFixed = true;
    FSizeFixedX = P.X;
    XorLine(P.X, true);
    if (!FDesignTime) FSizingFixedCol = nearBorder(true, P.X);
    return true;
  }
  if (FSizeFixedR) {
    FSizingFixedR = true;
    FSizeFixedY = P.Y;
    XorLine(P.Y, false);
    if (!FDesignTime) FSizingFixedRow = nearBorder(false, P.Y);
    return true;
  }
  return false;
}

// Step: a fixed cell drawn as a button looks pressed.
void TNeoStringGrid::PressFixedButton(TPress& P) {
  TGridOptions o = GetOptions();
  if (!FFixedAsButtons || !o.Contains(goFixedVertLine) || !o.Contains(goFixedHorzLine) || !GetCtl3D()) return;
  bool topLeft = P.ARow < GetFixedRows() || P.ACol < GetFixedCols();
  if (!topLeft && !P.InFixed) return;
  if (IsNode(P.ARow) && IsInNodeGlyph(P.ARow, P.X)) return;
  TRect r = CellRect(P.ACol, P.ARow);
  if (HDC dc = GetDC(GetHandle())) {
    RECT rr = r;
    DrawEdge(dc, &rr, BDR_SUNKENINNER, BF_RECT);
    ReleaseDC(GetHandle(), dc);
  }
  FPushedFixedCell = r;
  FPushedCellButton = TPoint{P.ACol, P.ARow};
  FFixedCellPushed = true;
}

// Step: node glyphs expand and contract (all of them from a header node cell).
bool TNeoStringGrid::PressNode(TPress& P) {
  if (P.RealCol != GetNodeColumn() || !IsNode(P.ARow) || !IsInNodeGlyph(P.ARow, P.X)) return false;
  if (P.ARow < GetFixedRows()) {
    if (FMouseActions->GetNodeAllExpandContract()) {
      bool contracted = GetHeaderNodeState(P.ARow);
      if (contracted)
        ExpandAll();
      else
        ContractAll();
      SetHeaderNodeState(P.ARow, !contracted);
    }
    return false;
  }
  FireMouseDown(P.Shift, P.X, P.Y);
  DoClickCell(P.ARow, P.ACol);
  Integer real = DisplToRealRow(P.ARow);
  bool allow = true;
  if (GetNodeState(P.ARow)) {
    if (OnBeforeExpandNode) OnBeforeExpandNode(this, P.ARow, real, allow);
    if (allow) {
      ExpandNode(P.ARow);
      if (OnExpandNode) OnExpandNode(this, P.ARow, real);
    }
  } else {
    if (OnBeforeContractNode) OnBeforeContractNode(this, P.ARow, real, allow);
    if (allow) {
      ContractNode(P.ARow);
      if (OnContractNode) OnContractNode(this, P.ARow, real);
    }
  }
  if (FMouseActions->GetMoveRowOnNodeClick()) SetRowEx(P.ARow);
  return true;
}

// Steps: node grids without row selection, the OLE drag pre-check, ratings, cell buttons and
// expand glyphs.
bool TNeoStringGrid::PressCellGraphic(TPress& P) {
  TCellType type = GetCellType(P.RealCol, P.ARow);
  bool button = type == ctButton || type == ctBitButton || type == ctVirtButton;
  bool rating = type == ctRating;
  if (HasNodes() && P.ACol == 0 && P.ARow >= GetFixedRows() && !FMouseActions->GetRowSelect() &&
      !HasOption(this, goRowSizing) && !button && !rating) {
    FireMouseDown(P.Shift, P.X, P.Y);
    DoClickCell(P.ARow, P.ACol);
    return true;
  }
  TRect cell = CellRect(P.ACol, P.ARow);
  bool awayFromBorders = P.X - cell.left >= 4 && cell.right - P.X >= 4;
  bool headerSelect = FMouseActions->GetColSelect() || FMouseActions->GetAllSelect();
  if ((IsSelected(P.ACol, P.ARow) || (P.ARow < GetFixedRows() && !FEnhRowColMove)) && !button &&
      !CellHasCheckBox(P.RealCol, P.ARow) && OleDropSource() && !(headerSelect && P.ARow < GetFixedRows()) &&
      P.ACol >= GetFixedCols() && (awayFromBorders || !HasOption(this, goColSizing))) {
    SetFocus();
    FireMouseDown(P.Shift, P.X, P.Y);
    FSelectionClick = true;
    if (!HasOption(this, goEditing)) {
      DoClickCell(P.ARow, P.ACol);
      return true;
    }
  }
  if (rating && IsEditable(P.RealCol, P.ARow)) {
    HideInplaceEdit();
    Double rate = static_cast<Integer>((P.X - cell.left) / 9) / 2.0;
    bool allow = true;
    DoRatingChange(P.ACol, P.ARow, rate, allow);
    if (allow) {
      SetRating(P.RealCol, P.ARow, rate);
      RepaintCell(P.ACol, P.ARow);
    }
    return true;
  }
  if (!button && type != ctExpand) return false;
  HideInplaceEdit();
  if (!IsFixed(P.ACol, P.ARow)) {
    FForceSel = true;
    SelectCell(P.ACol, P.ARow);
    FForceSel = false;
  }
  TRect glyph = button ? GetCellButtonRect(P.RealCol, P.ARow) : GetExpandGlyphRect(P.RealCol, P.ARow);
  if (Inside(glyph, P.X, P.Y)) {
    PushButton(P.RealCol, P.ARow, true);
    FPushedCellButton = TPoint{P.ACol, P.ARow};
    if (button) SetMouseCapture(true);
    DoClickCell(P.ARow, P.ACol);
    if (!button) SetMouseCapture(true);
    return true;
  }
  if (GetDoubleBuffered() && !FMouseActions->GetDisjunctRowSelect()) {
    FocusCell(P.ACol, P.ARow);
    SetFocus();
    if (HasOption(this, goEditing)) return true;
  }
  return false;
}

// Step: disjunct rows and columns. Repeat is the second pass before the mouse selection: it acts
// on fixed columns other than column 0 and, with Shift, passes on without setting the selection.
bool TNeoStringGrid::PressDisjunct(TPress& P, bool Repeat) {
  TMouseActions* m = FMouseActions.get();
  bool colOk = Repeat ? P.ACol != 0 : P.ACol >= GetFixedCols();
  if (m->GetDisjunctRowSelect() && P.ARow >= GetFixedRows() &&
      (colOk || (!m->GetHotmailRowSelect() && !m->GetRowSelect()))) {
    if (P.Has(ssShift)) {
      TGridRect orig = FOrigSelection;
      InheritedLButtonDown(P.Msg);
      if (!Repeat && orig.Left >= 0 && orig.Top >= 0)
        SetSelection(GridRectOf(std::min(P.ACol, orig.Left), std::min(P.ARow, orig.Top), std::max(P.ACol, orig.Left),
                                std::max(P.ARow, orig.Top)));
      return true;
    }
    if (P.Has(ssCtrl) || m->GetDisjunctRowSelectNoCtrl()) {
      Integer row = m->GetRowSelectPersistent() ? DisplToRealRow(P.ARow) : P.ARow;
      if (GetRowSelect(row)) FDeselectState = true;
    } else {
      FMouseDown = true;
      if (!P.Has(ssAlt)) ResetRowSelect();
    }
  }
  if (m->GetDisjunctColSelect() && P.ACol >= GetFixedCols()) {
    if (P.Has(ssCtrl) || m->GetDisjunctColSelectNoCtrl()) {
      if (GetColSelect(P.RealCol)) FDeselectState = true;
    } else {
      FMouseDown = true;
      ClearColSelect();
    }
  }
  return false;
}

// Step: anchors and form controls of the cell's text.
bool TNeoStringGrid::PressAnchor(TPress& P) {
  String text = GetCells(P.RealCol, P.ARow);
  bool markup = DetectCellTextKind(text, FEnableHTML) == ctkHtml;
  if (!FURLShow && !markup) return false;
  String anchor, ctrlID, ctrlType, ctrlVal;
  TRect ctrlRect{};
  if (!markup) {
    if (HasUrlScheme(text)) anchor = text;
  } else {
    TRect r = CellRect(P.ACol, P.ARow);
    if (GetCellType(P.RealCol, P.ARow) == ctScrollbar) r.right -= GetSystemMetrics(SM_CXVSCROLL);
    r.left += FXYOffset.x + 1;
    r.top += FXYOffset.y + 1;
    r.right -= FXYOffset.x;
    if (CellHasCheckBox(P.RealCol, P.ARow)) r.left += Round(ControlCheckSize() * FDPIScale);
    TCanvas* canvas = GetCanvas();
    canvas->GetFont()->Assign(GetCellFont(P.RealCol, P.ARow));
    THtmlDrawParams hp;
    hp.ACanvas = canvas;
    hp.AText = text;
    hp.ARect = r;
    hp.AImages = FGridImages;
    hp.AX = P.X;
    hp.AY = P.Y;
    hp.ACheckHotSpot = true;
    hp.AURLColor = FURLColor;
    hp.AResFactor = FDPIScale;
    hp.AWinHandle = GetHandle();
    if (DrawHtmlText(hp)) {
      anchor = hp.AAnchor;
      ctrlID = hp.AControlID;
      ctrlType = hp.AControlType;
      ctrlVal = hp.AControlValue;
      ctrlRect = hp.AControlRect;
    }
  }
  if (anchor.empty() && ctrlID.empty()) {
    if (!markup || !HasHtmlControls(text)) return false;
    DoClickCell(P.ARow, P.ACol);
    HideInplaceEdit();
    FocusCell(P.ACol, P.ARow);
    return !(HasOption(this, goRowSelect) || FMouseActions->GetRowSelect() || FIsDBVersion);
  }
  bool autoHandle = true;
  bool canEditCtl = (HasOption(this, goEditing) || FEditDisable) && !GetReadOnly(P.RealCol, P.ARow);
  FCtrlDownId = ctrlID;
  FAnchorClick = true;
  if (!ctrlID.empty()) DoCanEditCell(P.ACol, P.ARow, canEditCtl);
  if (!ctrlID.empty() && canEditCtl) {
    if (FCtrlEditing) HideCellControlEditor();
    PressFormControl(P, ctrlID, ctrlType, ctrlVal, ctrlRect);
    autoHandle = false;
  } else if (OnAnchorClick) {
    OnAnchorClick(this, P.ARow, P.ACol, anchor, autoHandle);
  }
  if (autoHandle) FollowAnchor(anchor);
  return true;
}

// A press on a form control of an editable markup cell: buttons go down, check boxes and radio
// buttons change in the cell text, the text kinds and combos get their editor.
void TNeoStringGrid::PressFormControl(TPress& P, const String& CtrlID, const String& CtrlType, String CtrlVal,
                                      TRect CtrlRect) {
  String text = GetCells(P.RealCol, P.ARow);
  if (CtrlType == u"BUTTON") {
    FCtrlXY = TPoint{P.RealCol, P.ARow};
    FCtrlDown = true;
    RepaintCell(P.ACol, P.ARow);
  } else if (CtrlType == u"CHECK") {
    CtrlVal = CtrlVal == u"TRUE" ? u"FALSE" : u"TRUE";
    SetHtmlControlValue(text, CtrlID, CtrlVal);
    SetCells(P.RealCol, P.ARow, text);
  } else if (CtrlType == u"RADIO") {
    CtrlVal = u"TRUE";
    text = ClearHtmlRadioControls(text);
    SetHtmlControlValue(text, CtrlID, CtrlVal);
    SetCells(P.RealCol, P.ARow, text);
  }
  if (OnControlClick) OnControlClick(this, P.ARow, P.ACol, CtrlID, CtrlType, CtrlVal);
  StartCellControlEdit(text, CtrlType, P.ARow, P.RealCol, P.ACol, CtrlRect, CtrlVal, CtrlID);
}

// An anchor the grid handles itself: "CELL://RnCm" jumps to the cell; web and mail addresses go to
// the desktop's handler. Other schemes (file:// and the like, which imported cell text may carry)
// are never started: OnAnchorClick is the place for them.
void TNeoStringGrid::FollowAnchor(const String& Anchor) {
  if (AnsiUpperCase(Anchor).find(u"CELL://") != String::npos) {
    TPoint cell{};
    if (Anchor.size() <= 7 || !ParseRowColRef(StringView(Anchor).substr(7), cell)) return;
    if (cell.x < 0 || cell.y < 0 || cell.x >= GetColCount() || cell.y >= GetRowCount()) return;
    ScrollInView(cell.x, cell.y, spMiddle);
    SetCol(cell.x);
    SetRowEx(cell.y);
    return;
  }
  if (IsOpenableAnchor(Anchor)) ShellOpen(Anchor);
}

// Step: select all, a row or a column from the fixed cells.
bool TNeoStringGrid::PressFixedSelect(TPress& P) {
  TMouseActions* m = FMouseActions.get();
  Integer fc = GetFixedCols(), fr = GetFixedRows();
  bool disRows = m->GetDisjunctRowSelect();
  bool rangeSel = HasOption(this, goRangeSelect);
  TGridRect old = GetSelection();
  auto showSelection = [&](const TGridRect& R) {
    EndSelectionPark();
    SetSelection(R);
  };
  if (P.ARow < fr && (P.ACol == 0 || (P.ACol < fc && m->GetAllSelectAllFixedColumns())) && m->GetAllSelect() &&
      (rangeSel || disRows) && FMouseSelectMode == msAll) {
    SetFocus();
    ExportNotification(esExportStart, -1);
    ExportNotification(esExportNewRow, GetRowCount() - 1);
    ExportNotification(esExportFail, -1);
    HideSelection();
    TGridRect r = GridRectOf(fc, fr, GetColCount() - 1, GetRowCount() - 1);
    SelectAllHook(r);
    showSelection(r);
    if (disRows)
      for (Integer i = fr; i <= GetRowCount() - 1 - FFixedFooters; ++i) SetRowSelect(i, true);
    DoExit();
    if (FActiveCellShow) RepaintActiveHeaders(old.Left, old.Top, GetRow(), GetCol());
  } else if (P.ACol < fc && P.ARow >= fr && m->GetRowSelect() && FMouseSelectMode == msRow) {
    if (EditorOpen()) SetFocus();
    if (disRows && P.Has(ssCtrl)) {
      SetRowSelect(P.ARow, !GetRowSelect(P.ARow));
    } else {
      if (disRows) ResetRowSelect();
      if (FIsDBVersion) {
        Integer left = GetLeftCol();
        SetRowEx(P.ARow);
        SetLeftCol(left);
        SetSelection(GridRectOf(fc, P.ARow, GetColCount() - 1, P.ARow));
      } else {
        HideSelection();
        if (m->GetDisjunctCellSelect()) FSelectedCells.Clear();
        if (P.Has(ssShift)) {
          showSelection(GridRectOf(fc, std::min(P.ARow, old.Top), GetColCount() - 1, std::max(P.ARow, old.Top)));
        } else {
          bool allow = true;
          if (old.Top != P.ARow && OnRowChanging) OnRowChanging(this, old.Top, P.ARow, allow);
          EndSelectionPark();
          if (allow) {
            SetSelection(GridRectOf(fc, P.ARow, GetColCount() - 1, P.ARow));
            if (disRows) SelectionToRowSelect(false);
          }
        }
      }
      EndSelectionPark();
      DoExit();
      FMouseSelectStart = P.ARow;
      if (FActiveCellShow) RepaintActiveHeaders(old.Left, old.Top, GetRow(), GetCol());
      if (!FRowIndicator->GetEmpty()) RepaintCell(0, P.ARow);
    }
  } else if (P.ARow < fr && P.ACol >= fc && m->GetColSelect() && rangeSel && FMouseSelectMode == msColumn) {
    SetFocus();
    HideSelection();
    if (m->GetDisjunctCellSelect()) FSelectedCells.Clear();
    Integer from = P.ACol, to = P.ACol;
    if (P.Has(ssShift)) {
      if (P.ACol < old.Left)
        to = old.Right;
      else
        from = old.Left;
    }
    showSelection(GridRectOf(from, fr, to, GetRowCount() - 1));
    DoExit();
    FMouseSelectStart = P.ACol;
    if (FActiveCellShow) RepaintActiveHeaders(old.Left, old.Top, GetRow(), GetCol());
  }
  TRect r = CellRect(P.ACol, P.ARow);
  if (P.ARow < fr && P.ACol >= fc)
    Movecell = P.ACol;
  else if (P.ACol < fc && P.ARow >= fr)
    Movecell = P.ARow;
  MoveOfsX = P.X - r.left;
  MoveOfsY = P.Y - r.top;
  return false;
}

// Step: check boxes and single radio buttons.
bool TNeoStringGrid::PressCheckBox(TPress& P) {
  TCellType type = GetCellType(P.RealCol, P.ARow);
  bool radio = type == ctRadioButton;
  bool check = CellHasCheckBox(P.RealCol, P.ARow);
  bool active = radio ? RadioAlwaysActive() : CheckAlwaysActive();
  TMouseActions* m = FMouseActions.get();
  bool hotmail = P.ACol == 0 && m->GetHotmailRowSelect();
  if (P.ACol >= GetColCount() || P.ARow >= GetRowCount()) return false;
  if (!(P.CanEdit || active || hotmail) || !(check || radio)) return false;

  bool keepScroll = HasOption(this, goRowSelect) && FNavigation->GetKeepHorizScroll();
  if (keepScroll) BeginUpdate();
  if (FEditDisable) {
    SetOption(this, goEditing, true);
    FEditDisable = false;
  }
  HideInplaceEdit();
  SetFocus();
  Integer realRow = DisplToRealRow(P.ARow);
  bool fixedRow = P.ARow < GetFixedRows();
  bool onGlyph = IsInCheckBox(P.RealCol, P.ARow, P.X, P.Y);
  bool toggled = true;
  if (onGlyph) {
    if (radio) {
      ToggleRadioButton(P.RealCol, P.ARow);
      if (OnRadioButtonClick) OnRadioButtonClick(this, P.ACol, P.ARow);
    } else {
      toggled = ToggleCellCheck(P.RealCol, P.ARow, false) || (fixedRow && m->GetCheckAllCheck());
    }
  }
  if (toggled) {
    if (ShowModifiedEnabled()) {
      SetRowModified(realRow, true);
      RepaintCell(0, P.ARow);
    }
    if (P.ACol == 0 && m->GetHotmailRowSelect()) {
      SetSelection(GridRectOf(GetFixedCols(), P.ARow, GetColCount() - 1, P.ARow));
      SetRowSelect(realRow, !GetRowSelect(realRow));
      if (realRow != P.ARow) RepaintCell(0, P.ARow);
      if (P.ARow == GetRow() && !GetRowSelect(realRow) && !P.Has(ssCtrl)) HideSelection();
      FSelHidden = false;
    }
    bool state = false;
    GetCheckBoxState(P.RealCol, realRow, state);
    if (!FNavigation->GetAlwaysEdit() && P.ACol >= GetFixedCols() && P.ARow >= GetFixedRows())
      FocusCell(P.ACol, P.ARow);
    if (onGlyph) DoCheckBoxClick(P.ACol, P.ARow, state);
    if (FHideFocusRect) RepaintCell(P.ACol, P.ARow);
    if (fixedRow && m->GetCheckAllCheck() && onGlyph) {
      if (m->GetHotmailRowSelect()) {
        for (Integer i = GetFixedRows(); i < GetRowCount(); ++i) SetRowSelect(DisplToRealRow(i), state);
      } else {
        for (Integer i = GetFixedRows(); i < GetRowCount(); ++i) {
          if (GetRowHeights(i) == 0) continue;
          Integer row = GetCellType(P.RealCol, i) == ctDataCheckBox ? i : DisplToRealRow(i);
          SetCheckBoxState(P.RealCol, row, state);
        }
        if (OnCheckBoxChange) OnCheckBoxChange(this, P.RealCol, P.ARow, state);
      }
      Invalidate();
    }
  }
  if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardShift(), P.X, P.Y);
  Click();
  if (keepScroll) {
    SetLeftCol(P.OldLeft);
    EndUpdate();
  }
  return true;
}

// Step: the always-visible edit button of a cell.
bool TNeoStringGrid::PressEditButton(TPress& P) {
  bool normal = P.ACol >= GetFixedCols() && P.ARow >= GetFixedRows();
  if (!normal || !DropDownAlwaysVisible() || !DoHasEditBtn(P.ACol, P.ARow, edNone)) return false;
  TRect r = CellRect(P.ACol, P.ARow);
  r.left = r.right - DropDownButtonWidth() - 2;
  r.right -= 2;
  if (!Inside(r, P.X, P.Y)) return false;
  HideInplaceEdit();
  SelectCell(P.ACol, P.ARow);
  SetCol(P.ACol);
  SetRowEx(P.ARow);
  FocusCell(P.ACol, P.ARow);
  ShowInplaceEdit();
  if (!OnEllipsClick) return false;
  String s = GetCells(P.RealCol, P.ARow);
  OnEllipsClick(this, P.ACol, P.ARow, s);
  TInplaceEdit* editor = GetInplaceEditor();
  if (EditorOpen() && editor && editor->GetText() != s)
    editor->SetText(s);
  else
    SetCells(P.RealCol, P.ARow, s);
  SetFocus();
  ShowInplaceEdit();
  return true;
}

// Step: the open editor is left for another cell (direct edit, always-visible combos).
bool TNeoStringGrid::PressLeaveEditor(TPress& P) {
  TMouseActions* m = FMouseActions.get();
  bool normal = P.ACol >= GetFixedCols() && P.ARow >= GetFixedRows();
  bool dblCombo = m->GetEditOnDblClickOnly() && P.HasCombo;
  if (!normal || !(P.CanEdit || dblCombo)) return false;
  if (!((m->GetDirectEdit() && !FIsDBVersion && P.CanFocusEdit) || (DropDownAlwaysVisible() && P.HasCombo))) return false;
  if (EditorOpen()) {
    if (m->GetDirectEdit()) HideSpecialEditor(GetCol(), GetRow());
    String value = GetCells(DisplToRealCol(GetCol()), GetRow());
    if (m->GetDirectEdit()) FEditMode = false;
    if (!ValidateCell(value)) return true;
  }
  if (dblCombo) FEditMode = false;
  bool allow = true;
  if (OnSelectCell) OnSelectCell(this, P.ACol, P.ARow, allow);
  if (allow) {
    Integer oldCol = GetCol(), oldRow = GetRow();
    if (OnCellChanging) OnCellChanging(this, oldRow, oldCol, P.ARow, P.ACol, allow);
    if (oldRow != P.ARow && OnRowChanging) OnRowChanging(this, oldRow, P.ARow, allow);
    if (oldCol != P.ACol && OnColChanging) OnColChanging(this, oldCol, P.ACol, allow);
  }
  if (allow) {
    TSelectCellEvent detached = std::move(OnSelectCell);
    OnSelectCell = nullptr;
    auto restore = ScopeExit([&] { OnSelectCell = std::move(detached); });
    HideInplaceEdit();
    FocusCell(P.ACol, P.ARow);
    if (GetActiveRowShow()) Invalidate();
  }
  SetFocus();
  return false;
}

// Step: the final selection by the base grid, clicks and direct edit.
void TNeoStringGrid::PressFinal(TPress& P) {
  TMouseActions* m = FMouseActions.get();
  TRect cell = CellRect(P.ACol, P.ARow);
  bool inCell = Inside(cell, P.X, P.Y);
  bool clickOnSelection = inCell && GetSelection() == GridRectOf(P.ACol, P.ARow, P.ACol, P.ARow);
  bool normal = P.ACol >= GetFixedCols() && P.ARow >= GetFixedRows();
  bool selectingAtEnd = false;
  if (!clickOnSelection && m->GetRangeSelectAndEdit() && normal && !P.CanEdit) {
    SetOption(this, goEditing, false);
    selectingAtEnd = true;
  }
  if (P.InFixed) {
    bool footerRow = P.ARow == GetRowCount() - 1 && FloatingFooterVisible() && FloatingFooterStyle() == fsFixedLastRow;
    if (!footerRow) DoClickCell(P.ARow, P.ACol);
    return;
  }
  bool atEdge = P.ClickRow == GetTopRow() + GetVisibleRowCount() ||
                P.ClickCol == GetLeftCol() + GetVisibleColCount() ||
                (P.ClickCol == GetLeftCol() && GetLeftCol() > GetFixedCols());
  bool keepScroll = HasOption(this, goRowSelect) && FNavigation->GetKeepHorizScroll();
  if (keepScroll) BeginUpdate();
  if (!FSelHidden) {
    bool alwaysEdit = FNavigation->GetAlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    auto restore = ScopeExit([&] { FNavigation->SetAlwaysEdit(alwaysEdit); });
    InheritedLButtonDown(P.Msg);
  }
  if (atEdge && FGridState == gsSelecting && m->GetNoAutoRangeScroll()) FGridState = gsNormal;
  bool partial = false;
  if (GetTopRow() != P.OldTop && m->GetNoScrollOnPartialRow()) {
    SetTopRow(P.OldTop + m->GetPartialScrollDelta());
    partial = true;
  }
  if (GetLeftCol() != P.OldLeft && m->GetNoScrollOnPartialCol()) {
    SetLeftCol(P.OldLeft + m->GetPartialScrollDelta());
    partial = true;
  }
  if (partial) SendMessage(GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(P.X), static_cast<WORD>(P.Y)));
  if (keepScroll) {
    SetLeftCol(P.OldLeft);
    EndUpdate();
  }
  bool nearBorder = P.X - cell.left < 4 || cell.right - P.X < 4;
  if (!(P.ARow < GetFixedRows() && HasOption(this, goColSizing) && nearBorder)) DoClickCell(P.ARow, P.ACol);
  if (OnCellValidate) {
    FEntered = false;
    StoreOldCellValue(GetCol(), GetRow());
  }
  if (IsMergedCell(P.RealCol, P.ARow) && normal && (clickOnSelection || m->GetDirectEdit()) && P.CanEdit)
    ShowInplaceEdit();
  if (nearBorder) return;
  bool dblCombo = m->GetEditOnDblClickOnly() && P.HasCombo;
  if (normal && (P.CanEdit || dblCombo) &&
      (m->GetDirectEdit() || (DropDownAlwaysVisible() && P.CanEdit && P.HasCombo)) &&
      !IsControlCell(P.RealCol, P.ARow)) {
    if (dblCombo) {
      SetOption(this, goEditing, true);
      SetFocus();
    }
    bool allow = true;
    Integer oldCol = GetCol(), oldRow = GetRow();
    if (oldCol != P.ACol && OnColChanging) OnColChanging(this, oldCol, P.ACol, allow);
    if (oldRow != P.ARow && OnRowChanging) OnRowChanging(this, oldRow, P.ARow, allow);
    if ((oldCol != P.ACol || oldRow != P.ARow) && OnCellChanging)
      OnCellChanging(this, oldRow, oldCol, P.ARow, P.ACol, allow);
    if (allow) {
      bool clickedIsBase = IsBaseCell(DisplToRealCol(P.ClickCol), P.ClickRow);
      Integer col = clickedIsBase ? P.ClickCol : P.ACol, row = clickedIsBase ? P.ClickRow : P.ARow;
      TCustomGrid::SetSelection(GridRectOf(col, row, col, row));
      StoreOldCellValue(col, row);
      ShowEditor();
    }
  }
  if (selectingAtEnd) FGridState = gsSelecting;
}

// ---------------------------------------------------------------------------------------------
// MouseDown: every button, from inside the base grid's press handling
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FFltrPopPressCol = -1;
  Integer col = -1, row = -1;
  MouseToCell(X, Y, col, row);
  FMouseDownPt = TPoint{col, row};
  TMouseActions* m = FMouseActions.get();
  if (m->GetRangeSelectAndEdit() && Button == mbLeft && !m->GetEditOnDblClickOnly()) {
    bool editing = HasOption(this, goEditing);
    if (col == GetCol() && row == GetRow() && !editing && IsEditable(DisplToRealCol(col), row)) {
      SetOption(this, goEditing, true);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      ShowInplaceEdit();
      return;
    }
    if (!(col == GetCol() && row == GetRow()) && Shift.Contains(ssShift) && editing) {
      SetOption(this, goEditing, false);
      TBaseGrid::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  if (FixedDropDownPress(X, Y)) return;
  bool valid = col >= 0 && row >= 0;
  if (valid && row == GetFixedRows() - 1 && IsFixedHoverCell(col, row) && FixedGradientDownTo() != clNone)
    RepaintCell(col, row);
  if (GetCol() >= GetColCount() || GetRow() >= GetRowCount()) {
    if (valid && (Button == mbLeft || m->GetSelectOnRightClick()) && OnCellChanging) {
      bool allow = true;
      DoCellChanging(col, row, allow);
      if (allow) FocusCell(col, row);
    }
  }
  FEditStart = true;
  {
    auto clear = ScopeExit([&] { FEditStart = false; });
    TBaseGrid::MouseDown(Button, Shift, X, Y);
  }
  if (Shift.Contains(ssShift) && FSelectionRectangle) Invalidate();
  if (valid && FixedMouseDown(Button, X, Y)) return;
  if (FSyncGrid->GetGrid() && !IsUpdating()) {
    if (FSyncGrid->GetSelectionColumn()) SyncPartner(true);
    if (FSyncGrid->GetSelectionRow()) SyncPartner(false);
  }
}

// The drop-down button of a hovered fixed cell: the fixed drop-down menu pops up under it.
bool TNeoStringGrid::FixedDropDownPress(Integer X, Integer Y) {
  Integer col = FMouseDownPt.x, row = FMouseDownPt.y;
  if (col < 0 || row < 0 || !FixedDropDownButton() || !IsFixedHoverCell(col, row)) return false;
  TRect r = CellRect(col, row);
  Integer right = HasOption(this, goColSizing) ? r.right - 2 : r.right;
  if (X < r.right - 16 || X > right) return false;
  (void)Y;
  FDropDownDown = true;
  if (DoCanShowFixedDropDown(col) && (FFixedDropDownMenu || OnFixedDropDownClick)) {
    FNoMouseLeave = true;
    TPopupMenu* menu = FFixedDropDownMenu;
    if (menu) menu->SetTag(col);
    bool keep = false;
    if (OnFixedDropDownClick) OnFixedDropDownClick(this, col, row, menu, keep);
    if (menu) {
      FMouseDownMove = false;
      FHoverFixedX = col;
      FHoverFixedY = row;
      RepaintCell(col, row);
      TPoint sp = ClientToScreen(TPoint{r.right - 16, r.bottom});
      menu->Popup(sp.x, sp.y);
      FHoverFixedX = FHoverFixedY = -1;
      RepaintCell(col, row);
    }
    FNoMouseLeave = keep;
  }
  return true;
}

// Fixed cells: the filter glyph and the filter-row editor, or the fixed-cell editors by click kind.
bool TNeoStringGrid::FixedMouseDown(TMouseButton Button, Integer X, Integer Y) {
  Integer col = FMouseDownPt.x, row = FMouseDownPt.y;
  bool fixedCol = col < GetFixedCols();
  bool fixedRow = row < FFixedRowsMin || row < GetFixedRows();
  if (!fixedCol && !fixedRow) return false;
  TRect r = CellRect(col, row);
  auto innerHit = [&](Integer ExtraLeft) {
    TRect in{r.left + 4 + ExtraLeft, r.top + 4, r.right - 4, r.bottom - 4};
    return Inside(in, X, Y);
  };
  if (DoHasFilterEdit(col, row)) {
    Integer glyph = Round(16 * FDPIScale);
    if (X >= r.left && X < r.left + glyph && Y >= r.top && Y < r.top + glyph) FFltrPopPressCol = col;
    if (innerHit(Round(18 * FDPIScale))) StartFixedCellEdit(col, row, true);
    return true;
  }
  TMouseActions* m = FMouseActions.get();
  auto clickOpens = [&](TGridFixedCellEdit Kind) {
    return (Kind == fceLeftClick && Button == mbLeft) || (Kind == fceRightClick && Button == mbRight);
  };
  if (fixedRow && clickOpens(m->GetFixedRowsEdit())) {
    if (!HasOption(this, goColSizing) || innerHit(0)) StartFixedCellEdit(col, row, false);
    return true;
  }
  if (fixedCol && clickOpens(m->GetFixedColsEdit())) {
    if (!HasOption(this, goRowSizing) || innerHit(0)) StartFixedCellEdit(col, row, false);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------------------------
// Radio groups
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::RadioClick(Integer ACol, Integer ARow, Integer DX, Integer DY) {
  TPoint base = BaseCell(ACol, ARow);
  ACol = base.x;
  ARow = base.y;
  TStrings* items = nullptr;
  bool horizontal = false;
  Integer* index = nullptr;
  if (!GetRadioGroup(ACol, ARow, items, horizontal, index) || !items) return;
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetCellFont(ACol, ARow));
  Integer dcol = RealToDisplCol(ACol);
  DoGetCellColor(ACol, ARow, TGridDrawState{}, canvas->GetBrush(), canvas->GetFont());
  if (!IsFixed(dcol, ARow)) FocusCell(dcol, ARow);
  Integer gap = RadioGap();
  Integer start = 0, pick = -1;
  for (Integer i = 0; i < items->GetCount(); ++i) {
    Integer span = horizontal ? canvas->TextWidth(items->GetStrings(i)) + gap : std::max(gap, canvas->TextHeight(u"gh"));
    Integer pos = horizontal ? DX : DY;
    if (pos > start && pos < start + span) {
      pick = i;
      break;
    }
    start += span;
  }
  if (pick >= 0) {
    if (index && *index != -1) *index = pick;
    SetCells(ACol, ARow, items->GetStrings(pick));
    SetRadioIdx(dcol, ARow, pick);
    if (OnRadioClick) OnRadioClick(this, dcol, ARow, pick);
  }
  RepaintCell(dcol, ARow);
}
