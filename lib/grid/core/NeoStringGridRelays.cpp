// TNeoStringGrid: the event relays. Each computes the grid's own answer first and hands it to the
// event as the initial value of its var parameter, so a handler that does nothing keeps it.
#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"

// ---------------------------------------------------------------------------------------------
// Queries on state that later folders create
// ---------------------------------------------------------------------------------------------
TCellType TNeoStringGrid::GetCellType(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return ctEmpty;
}

bool TNeoStringGrid::GetReadOnly(Integer ACol, Integer ARow) {
  TCellProperties* p = HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow) : nullptr;
  return p && p->GetReadOnly();
}

void TNeoStringGrid::DeleteRowRange(Integer RowIndex, Integer RCount) {
  (void)RowIndex;
  (void)RCount;
}

void TNeoStringGrid::ClearRows(Integer RowIndex, Integer RCount) {
  if (RCount <= 0 || GetRowCount() == 0 || GetColCount() == 0) return;
  ClearRect(0, RowIndex, GetColCount() - 1, RowIndex + RCount - 1);
}

void TNeoStringGrid::InsertRows(Integer RowIndex, Integer RCount) {
  (void)RowIndex;
  (void)RCount;
}

Integer TNeoStringGrid::GetParentRow(Integer ARow) {
  (void)ARow;
  return -1;
}

void TNeoStringGrid::InsertNormalRow(Integer ARow) { (void)ARow; }

void TNeoStringGrid::InsertChildRow(Integer ARow, Integer InsertAt) {
  (void)ARow;
  (void)InsertAt;
}

void TNeoStringGrid::RemoveNormalRow(Integer ARow) { (void)ARow; }

void TNeoStringGrid::RemoveChildRow(Integer ARow) { (void)ARow; }

bool TNeoStringGrid::FloatingFooterVisible() { return FFloatingFooter && FFloatingFooter->GetVisible(); }

TFooterStyle TNeoStringGrid::FloatingFooterStyle() {
  return FFloatingFooter ? FFloatingFooter->GetFooterStyle() : fsFixedLastRow;
}

bool TNeoStringGrid::BackGroundIsGradient() const {
  return FBackGround && (FBackGround->GetDisplay() == bdGradientHorz || FBackGround->GetDisplay() == bdGradientVert);
}

// ---------------------------------------------------------------------------------------------
// Relays with logic of their own
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (FActiveCellShow) {
    Integer d = DisplColIndex(ACol);
    bool rowHeader = ARow == GetRow() && d == GetFixedCols() - 1 && GetFixedCols() > 0;
    bool colHeader = d == GetCol() && ARow == GetFixedRows() - 1 && GetFixedRows() > 0;
    if (rowHeader || colHeader) {
      AFont->Assign(FActiveCellFont.get());
      ABrush->SetColor(FActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* p = GetCellProperties(ACol, ARow);
    switch (GetCellType(ACol, ARow)) {
      case ctIcon: case ctNone: case ctImageList: case ctCheckBox: case ctEmpty: case ctImages: case ctComment:
      case ctRadioButton:
        if (p->GetBrushColor() != clNone) ABrush->SetColor(p->GetBrushColor());
        break;
      default:
        break;
    }
    if (p->GetFontColor() != clNone) AFont->SetColor(p->GetFontColor());
    if (!p->GetFontStyle().Empty()) AFont->SetStyle(p->GetFontStyle());
    if (p->GetFontSize() != 0) AFont->SetHeight(p->GetFontSize());
    if (!p->GetFontName().empty()) AFont->SetName(p->GetFontName());
  } else {
    AFont->SetHeight(static_cast<Integer>(Round(AFont->GetHeight() * FDPIScale)));
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

// Group header rows are underlined and summary rows overlined, beyond the first column.
void TNeoStringGrid::DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  if (FGrouping && ACol > 0) {
    if (FGrouping->GetHeaderUnderline() && IsNode(ARow)) {
      Borders = TCellBorders{cbBottom};
      APen->SetColor(FGrouping->GetHeaderLineColor());
      APen->SetWidth(FGrouping->GetHeaderLineWidth());
    }
    if (FGrouping->GetSummaryLine() && IsSummary(ARow)) {
      Borders = TCellBorders{cbTop};
      APen->SetColor(FGrouping->GetSummaryLineColor());
      APen->SetWidth(FGrouping->GetSummaryLineWidth());
    }
  }
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TNeoStringGrid::DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (ACol == 0 && FMouseActions->GetHotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TNeoStringGrid::DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed) {
  IsFixed = IsFixed || (FFixedRowAlways && ARow <= FFixedRowsMin && GetRowCount() == FFixedRowsMin) ||
            (FFixedColAlways && ACol < FFixedColsMin && GetColCount() == FFixedColsMin) || ACol < GetFixedCols() ||
            ARow < GetFixedRows();
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

// A column outside the grid (at or past ColCount and the hidden columns) leaves CanEdit as it
// came: no event can speak for a cell that does not exist, and it must not turn a refusal into
// consent.
void TNeoStringGrid::CanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
  Integer bc = ACol, br = ARow;
  ResolveBaseCell(ACol, ARow, bc, br);
  bool inGrid = bc < GetColCount() + NumHiddenColumns();
  if (HasCellProperties(bc, br) && CanEdit) {
    CanEdit = !GetReadOnly(bc, br);
    if (!GetOptions().Contains(goEditing) && !FEditDisable && !FMouseActions->GetRangeSelectAndEdit()) CanEdit = false;
  }
  if (inGrid) DoCanEditCell(bc, br, CanEdit);
}

void TNeoStringGrid::DoGetEditorTypeEx(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TNeoStringGrid::DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TNeoStringGrid::DoGetEditorTypeOnShow(Integer ACol, Integer ARow, TEditorType& AEditor) {
  if (!OnGetEditorType) return false;
  AEditor = edNormal;
  OnGetEditorType(this, ACol, ARow, AEditor);
  return AEditor == edNone;
}

void TNeoStringGrid::DoGetCheckTrue(Integer ACol, Integer ARow, String& Value) {
  Value = FCheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TNeoStringGrid::DoGetCheckFalse(Integer ACol, Integer ARow, String& Value) {
  Value = FCheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

TFont* TNeoStringGrid::GetCellBaseFont(TFont* AFont, bool IsFixed, bool Unscale) {
  if (IsFixed && FUseFixedFont) {
    AFont->Assign(FFixedFont.get());
  } else {
    AFont->Assign(GetFont());
    if (Unscale && FDPIScale != 0) AFont->SetHeight(static_cast<Integer>(Round(AFont->GetHeight() / FDPIScale)));
  }
  return AFont;
}

TFont* TNeoStringGrid::GetCellFont(Integer ACol, Integer ARow) {
  if (!HasCellProperties(ACol, ARow)) return GetFont();
  TCellProperties* p = GetCellProperties(ACol, ARow);
  FScratchFont->SetName(p->GetFontName());
  FScratchFont->SetHeight(p->GetFontSize());
  FScratchFont->SetStyle(p->GetFontStyle());
  FScratchFont->SetColor(p->GetFontColor());
  return FScratchFont.get();
}

// Beside nodes a row without a parent node is a normal row, any other a child of its node.
void TNeoStringGrid::DoAutoInsertRow(Integer ARow) {
  if (!HasNodes())
    InsertRows(ARow, 1);
  else if (GetParentRow(RealToDisplRow(ARow)) == -1)
    InsertNormalRow(ARow);
  else
    InsertChildRow(ARow);
}

void TNeoStringGrid::DoAutoDeleteRow(Integer ARow) {
  if (HasNodes()) {
    if (GetParentRow(RealToDisplRow(ARow)) == -1)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(ARow);
  } else if (GetRowCount() - GetFixedRows() - FFixedFooters != 1 || FFixedRowAlways)
    DeleteRowRange(ARow, 1);
  else
    ClearRows(ARow, 1);
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TNeoStringGrid::DoLoadCell(Integer ACol, Integer ARow, const String& Value) {
  String copy = Value;
  if (OnLoadCell) OnLoadCell(this, ACol, ARow, copy);
  SetGridCell(ACol, ARow, copy);
}

// The handler's kind comes back to the caller: a kind it chose must reach the fixed-cell editor.
TGridFixedCellEditor TNeoStringGrid::DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor AEditor,
                                                 TStrings* Values) {
  if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
  return AEditor;
}

bool TNeoStringGrid::DoBeforeEdit(Integer ACol, Integer ARow) {
  bool result = true;
  if (OnBeforeEdit) OnBeforeEdit(this, ARow, ACol, result);
  return result;
}

String TNeoStringGrid::DoSearchFooterSearch(const String& Value) {
  String copy = Value;
  if (OnSearchFooterSearch) OnSearchFooterSearch(this, copy);
  return copy;
}

String TNeoStringGrid::DoEllipsClick(const String& Value) {
  if (!OnEllipsClick) return Value;
  String s = Value;
  OnEllipsClick(this, RealColIndex(GetCol()), GetRow(), s);
  return s;
}

void TNeoStringGrid::GetDisplayCellText(Integer ACol, Integer ARow, String& Text) { Text = GetCellEx(ACol, ARow); }

// ---------------------------------------------------------------------------------------------
// Plain relays
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TNeoStringGrid::DoCanSort(Integer ACol, bool& DoSort) {
  if (OnCanSort) OnCanSort(this, ACol, DoSort);
}

void TNeoStringGrid::DoButtonClick(Integer ACol, Integer ARow) {
  if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TNeoStringGrid::DoComboCloseUp(Integer ARow, Integer ACol) {
  if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TNeoStringGrid::DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TNeoStringGrid::DoGetWordWrap(Integer ACol, Integer ARow, bool& WordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

void TNeoStringGrid::DoColumnSized(Integer ACol, Integer& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TNeoStringGrid::DoUpdateColumnSize(Integer ACol, Integer& AWidth) {
  if (OnUpdateColumnSize) OnUpdateColumnSize(this, ACol, AWidth);
}

void TNeoStringGrid::DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush,
                                         TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TNeoStringGrid::DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TNeoStringGrid::DoFilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

void TNeoStringGrid::DoFilterShow(Integer ACol, bool& Allow) {
  if (OnFilterShow) OnFilterShow(this, ACol, Allow);
}

void TNeoStringGrid::DoFilterClose(Integer ACol) {
  if (OnFilterClose) OnFilterClose(this, ACol);
}

void TNeoStringGrid::DoBeforeFilter() {
  if (OnBeforeFilter) OnBeforeFilter(this);
}

void TNeoStringGrid::DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction SearchAction) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TNeoStringGrid::DoSearchFooterSearchEnd(bool& ContinueFromStart) {
  if (OnSearchFooterSearchEnd) OnSearchFooterSearchEnd(this, ContinueFromStart);
}

void TNeoStringGrid::DoHoverButtonsShow(Integer X, Integer Y, bool& Allow) {
  if (OnHoverButtonsShow) OnHoverButtonsShow(this, X, Y, Allow);
}

void TNeoStringGrid::DoIntelliZoom() {
  if (OnIntelliZoom) OnIntelliZoom(this);
}

void TNeoStringGrid::DoCurrentButtonClick() {
  if (OnButtonClick) OnButtonClick(this, GetCol(), GetRow());
}

void TNeoStringGrid::DoDropDownHeaderButtonClick(Integer ButtonIndex) {
  if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, GetCol(), GetRow(), ButtonIndex);
}

void TNeoStringGrid::DoDropDownFooterButtonClick(Integer ButtonIndex) {
  if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, GetCol(), GetRow(), ButtonIndex);
}

void TNeoStringGrid::DoUnitChanged(TObject* Button, const String& NewUnit) {
  (void)Button;
  if (OnUnitChanged) OnUnitChanged(this, GetCol(), GetRow(), NewUnit);
}

// ---------------------------------------------------------------------------------------------
// Hints, cursors, buttons in cells
// ---------------------------------------------------------------------------------------------
void TNeoStringGrid::DoGridHint(Integer ACol, Integer ARow, String& Hint, String& WideHint) {
  if (OnGridHint) {
    OnGridHint(this, ARow, ACol, Hint);
    FOfficeHint->GetNotes()->SetText(Hint);
  }
  if (OnGridWideHint) {
    OnGridWideHint(this, ARow, ACol, WideHint);
    if (!WideHint.empty()) Hint = WideHint;
  }
  if (OnOfficeHint) OnOfficeHint(this, ACol, ARow, FOfficeHint.get());
}

void TNeoStringGrid::DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y) {
  if (!OnGetCellCursor) return;
  TCursor cursor = Screen->GetCursor();
  OnGetCellCursor(this, ACol, ARow, X, Y, cursor);
  if (cursor != GetCursor()) ::SetCursor(Screen->GetCursors(cursor));
}

namespace {
bool IsComboKind(TEditorType E) {
  return E == edComboEdit || E == edComboList || E == edDetailDropDown || E == edGridDropDown ||
         E == edNeoGridDropDown;
}
bool IsSpinKind(TEditorType E) {
  return E == edSpinEdit || E == edFloatSpinEdit || E == edTimeSpinEdit || E == edDateSpinEdit;
}
}  // namespace

// The kind an undecided caller (edNone) means: the default editor as the editor-kind relay
// leaves it.
TEditorType TNeoStringGrid::EditorKindFor(Integer ACol, Integer ARow, TEditorType AEditor, bool Ex) {
  if (AEditor != edNone) return AEditor;
  TEditorType kind = FDefaultEditor;
  if (Ex)
    DoGetEditorTypeEx(ACol, ARow, kind);
  else
    DoGetEditorType(ACol, ARow, kind);
  return kind;
}

bool TNeoStringGrid::DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor) {
  bool result = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, result);
    return result;
  }
  // edCustom answers through its edit link, which comes with the editing folder.
  return DropDownAlwaysVisible() && IsComboKind(EditorKindFor(ACol, ARow, AEditor, false));
}

bool TNeoStringGrid::DoHasEditBtn(Integer ACol, Integer ARow, TEditorType AEditor) {
  bool result = false;
  if (OnHasEditBtn) {
    OnHasEditBtn(this, ACol, ARow, result);
    return result;
  }
  return DropDownAlwaysVisible() && EditorKindFor(ACol, ARow, AEditor, false) == edEditBtn;
}

bool TNeoStringGrid::DoHasSpinEdit(Integer ACol, Integer ARow, TEditorType AEditor) {
  if (ACol < GetFixedCols() || ARow < GetFixedRows()) return false;
  bool result = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, result);
    return result;
  }
  return SpinButtonsAlwaysVisible() && IsSpinKind(EditorKindFor(ACol, ARow, AEditor, true));
}

bool TNeoStringGrid::DoHasFilterEdit(Integer ACol, Integer ARow) {
  (void)ACol;
  (void)ARow;
  return false;   // no filter edit row until its option group exists
}

void TNeoStringGrid::DoExpandClick(Integer ACol, Integer ARow, bool Expanded) {
  if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
  SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}

Integer TNeoStringGrid::GetExpandHeight(Integer ACol, Integer ARow, bool Expanded) {
  (void)ACol;
  (void)Expanded;
  return GetRowHeights(ARow);
}

// The combo editor's selection field takes the cell's height less its frame.
void TNeoStringGrid::DoComboDropDown(Integer ARow, Integer ACol) {
  TCustomComboBox* combo = GetEditCombo();
  if (combo && combo->HandleAllocated())
    SendMessage(combo->GetHandle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                CellSize(RealToDisplCol(ACol), ARow).y - 6);
  if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TNeoStringGrid::StoreOldCellValue(Integer ACol, Integer ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  FOldCellText = GetCells(DisplToRealCol(ACol), ARow);
  FOldModifiedValue = FModified;
}

Integer TNeoStringGrid::FilteredRows() { return GetRowCount(); }

void TNeoStringGrid::GetCellPropertyDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush,
                                             TColor& ColorTo, TColor& ColorMirror, TColor& ColorMirrorTo,
                                             TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap,
                                             TCellGradientDirection& GradientDirection) {
  TBaseGrid::GetCellPropertyDefaults(ACol, ARow, AFont, ABrush, ColorTo, ColorMirror, ColorMirrorTo, HAlign, VAlign,
                                     WordWrap, GradientDirection);
  TGridDrawState state;
  bool keep = FUseDisabledFont;
  FUseDisabledFont = false;
  {
    TScopeGuard restore([&] { FUseDisabledFont = keep; });
    GetVisualProperties(ACol, ARow, state, false, true, false, ABrush, ColorTo, ColorMirror, ColorMirrorTo, AFont,
                        HAlign, VAlign, WordWrap, GradientDirection);
  }
  if (IsFixed(ACol, ARow) || FBands->GetActive() || BackGroundIsGradient() || state.Contains(gdSelected)) {
    ABrush->SetColor(clNone);
    ColorTo = clNone;
  }
}
