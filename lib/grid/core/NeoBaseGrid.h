#pragma once
// TBaseGrid: the string grid that every grid of the library derives from. The text of a cell stays
// in the inherited cell store; everything else about a cell lives in one TCellProperties object in
// the cell's object slot, made the first time anyone asks for it.
//
// Sections: vocabulary; TCellProperties; TBaseGrid (cell storage, merged cells, geometry, painting,
// keys).
//
// Notes on the design
// - Merge encoding. A merged block of W columns and H rows has its base cell at the top left:
//   IsBaseCell True, spans (W-1, H-1). Every other cell (c+i, r+j) of the block has IsBaseCell False
//   and spans (i, j): its offset back to the base cell. An unmerged cell has no properties object or
//   one with IsBaseCell True and spans (-1, -1); a 1 x 1 merge has spans (0, 0): it belongs to a merge
//   (geometry treats it as a block) without being merged. While MergeCollaps is set on a cell its
//   vertical span reads 0. The text of a block lives in its base cell.
// - Real and display columns. Columns are data columns unless a member says display column;
//   RealColIndex and DisplColIndex map between them (identity here, hidden columns in descendants).
//   Painting, CellRect and the current cell speak display columns; storage speaks data columns.
// - Geometry costs O(log n) per cell: VirtualCellRect takes its offsets from the platform grid's
//   prefix-sum index, so a merged block a million rows down is placed without a walk.
// - Objects in the slots are not owned by the inherited store: the grid frees properties objects in
//   FreeCellPropertiesRect (and so in its destructor), and a graphic object only when its class is
//   exactly TCellGraphic (the others are shared).
#include <functional>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/Grids.h"

// ---------------------------------------------------------------------------------------------
// Vocabulary
// ---------------------------------------------------------------------------------------------
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected, hcGroupHeader, hcGroupSummary };
using THoverRowCells = TSet<THoverRowCell>;
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TColumnCalcType { acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV };
enum TEditorType {
  edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown, edTimeEdit,
  edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase, edPassword,
  edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn,
  edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars, edTrackbarDropDown, edMemoDropDown,
  edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown, edGridDropDown, edColorPickerDropDown,
  edImagePickerDropDown, edNeoGridDropDown, edControlDropDown, edPositiveFloat, edNumericUnitEditBtn,
  edFloatUnitEditBtn, edMaskEditBtn
};

class TBaseGrid;
class TNeoGridUndoRedo;
using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TGetDisplWideTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;

// ---------------------------------------------------------------------------------------------
// TCellProperties: everything about one cell except its text.
// ---------------------------------------------------------------------------------------------
class TCellProperties : public TPersistent {
  ZELK_CLASS(TCellProperties, TPersistent)
public:
  // Sets the grid's FHasCellProps.
  TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow);

  // Copies the cell's settings from another TCellProperties; any other source is ignored.
  void Assign(TPersistent* Source) override;

  TBaseGrid* GetOwnerGrid() const { return FOwnerGrid; }
  Integer GetOwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(Integer Value) { FOwnerCol = Value; }
  Integer GetOwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(Integer Value) { FOwnerRow = Value; }
  NativeUInt GetCellObject() const { return FObject; }
  void SetCellObject(NativeUInt Value) { FObject = Value; }
  TObject* GetGraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
  TBrushStyle GetBrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  TColor GetBrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);
  TColor GetBrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);
  Integer GetFontSize() const { return FFontHeight; }
  void SetFontSize(Integer Value) { FFontHeight = Value; }
  TColor GetFontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles GetFontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  // 0 while MergeCollaps is set.
  Integer GetCellSpanY() const { return FMergeCollaps ? 0 : FCellSpanY; }
  void SetCellSpanY(Integer Value) { FCellSpanY = Value; }
  Integer GetCellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(Integer Value) { FCellSpanX = Value; }
  Integer GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  Integer GetPaintID() const { return FPaintID; }
  void SetPaintID(Integer Value) { FPaintID = Value; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetIsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  TColumnCalcType GetCalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject* GetCalcObject() const { return FCalcObject; }
  void SetCalcObject(TObject* Value) { FCalcObject = Value; }
  Integer GetNodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(Integer Value) { FNodeLevel = Value; }
  TEditorType GetEditor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  const String& GetFontName() const { return FFontName; }
  void SetFontName(const String& Value) { FFontName = Value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GetGradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }
  bool GetMergeCollaps() const { return FMergeCollaps; }
  void SetMergeCollaps(bool Value) { FMergeCollaps = Value; }

  // The base cell of (ACol, ARow) when these are its properties: (ACol - span X, ARow - span Y)
  // for a non-base cell of a block, else the cell itself.
  TPoint BaseOf(Integer ACol, Integer ARow) const;
  // Part of a merge for geometry and span queries (a 1 x 1 merge included).
  bool InMerge() const { return FCellSpanX != -1 || GetCellSpanY() > 0; }

private:
  friend class TBaseGrid;   // sets new cells' defaults without repainting
  void RepaintOwner();

  TBaseGrid* FOwnerGrid;
  Integer FOwnerCol;
  Integer FOwnerRow;
  NativeUInt FObject = 0;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  Integer FFontHeight = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle;
  Integer FCellSpanY = -1;
  Integer FCellSpanX = -1;
  Integer FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  Integer FPaintID = 0;
  bool FWordWrap;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;
  Integer FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  String FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
  bool FMergeCollaps = false;
};

// ---------------------------------------------------------------------------------------------
// TBaseGrid
// ---------------------------------------------------------------------------------------------
// The platform string grid with nothing added.
using TObjStringGrid = TStringGrid;

class TBaseGrid : public TObjStringGrid {
  ZELK_CLASS(TBaseGrid, TObjStringGrid)
public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;

  // ---- virtual operations, in their slot order
  virtual Double GetDPIScale() { return 1.0; }
  virtual bool IsFixed(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; return false; }
  virtual Integer GetNodeIndent(Integer ARow) { (void)ARow; return 0; }
  virtual bool HasNodes() { return false; }
  virtual bool IsNode(Integer ARow) = 0;
  virtual bool IsSummary(Integer ARow) = 0;
  // Draws a cell's content into its content rectangle: the text in one centred line here.
  virtual void DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  virtual void LastRowChanged() {}
  virtual bool CellHasCheckBox(Integer ACol, Integer ARow) = 0;
  virtual void SetCheckBoxFromText(Integer ACol, Integer ARow, const String& Value) = 0;
  virtual void DoGetDisplText(Integer ACol, Integer ARow, String& Value);
  virtual void DoGetDisplWideText(Integer ACol, Integer ARow, String& Value);
  virtual void GetCellPropertyDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                       TColor& ColorMirror, TColor& ColorMirrorTo, TAlignment& HAlign,
                                       TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDirection);
  virtual TAlignment GetDefaultAlignment() { return taLeftJustify; }
  virtual void CellTextChanged(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; }
  virtual bool HasCellBorderEvent() { return false; }
  virtual bool UsesPlatformStyles() { return false; }
  virtual void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& AState, bool Printing,
                                   bool WithSelection, bool DisplayIndex, TBrush* ABrush, TColor& ColorTo,
                                   TColor& ColorMirror, TColor& ColorMirrorTo, TFont* AFont, TAlignment& HAlign,
                                   TVAlignment& VAlign, bool& WordWrap, TCellGradientDirection& GradientDirection);
  virtual Integer RealColIndex(Integer ACol) { return ACol; }
  virtual Integer DisplColIndex(Integer ACol) { return ACol; }
  virtual void MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY);
  virtual void SplitCells(Integer ACol, Integer ARow);
  virtual Integer TotalColCount() { return GetColCount(); }

  // ---- cell storage (data columns)
  TCellProperties* GetCellProperties(Integer ACol, Integer ARow);
  bool HasCellProperties(Integer ACol, Integer ARow);
  void CreateCellProperties(Integer ACol, Integer ARow);
  // Frees the slot's object unless it is Value itself, then stores Value.
  void SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value);
  void FreeCellProperties(Integer ACol, Integer ARow);
  void FreeCellPropertiesRect(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
  void FreeAllCellProperties();
  void ResetCell(Integer ACol, Integer ARow);
  void ResetColCells(Integer ACol);
  void ResetRowCells(Integer ARow);
  TObject* GetGridObject(Integer ACol, Integer ARow) const { return GetObjects(ACol, ARow); }
  void SetGridObject(Integer ACol, Integer ARow, TObject* Value) { SetObjects(ACol, ARow, Value); }
  String GetGridCell(Integer ACol, Integer ARow) const { return GetCells(ACol, ARow); }
  void SetGridCell(Integer ACol, Integer ARow, const String& Value) { SetCells(ACol, ARow, Value); }
  NativeUInt GetObjectEx(Integer ACol, Integer ARow);
  void SetObjectEx(Integer ACol, Integer ARow, NativeUInt Value);
  TObject* GetGraphicObjectEx(Integer ACol, Integer ARow);
  void SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value);
  TObject* GraphicObjectOf(TCellProperties* Props) const { return Props ? Props->GetGraphicObject() : nullptr; }
  String GetCellEx(Integer ACol, Integer ARow);
  void SetCellEx(Integer ACol, Integer ARow, const String& Value);

  // ---- merged cells (data columns)
  TPoint BaseCell(Integer ACol, Integer ARow);
  bool IsBaseCell(Integer ACol, Integer ARow);
  bool ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow);
  TPoint CellSpan(Integer ACol, Integer ARow);
  TPoint CellExt(Integer ACol, Integer ARow);
  TRect FullCell(Integer ACol, Integer ARow);
  bool IsMergedCell(Integer ACol, Integer ARow);
  bool IsMergedNonBaseCell(Integer ACol, Integer ARow);
  bool IsXMergedCell(Integer ACol, Integer ARow);
  bool IsYMergedCell(Integer ACol, Integer ARow);
  Integer MinRowSpan(Integer ARow);
  Integer MaxRowSpan(Integer ARow);
  bool RowSpanIdentical(Integer ARow1, Integer ARow2);
  bool ColSpanIdentical(Integer ACol1, Integer ACol2);

  // ---- geometry (display columns where named ACol)
  TRect CellRect(Integer ACol, Integer ARow) override;
  TPoint CellSize(Integer ACol, Integer ARow);
  TRect VirtualCellRect(Integer ACol, Integer ARow);
  void RepaintCell(Integer ACol, Integer ARow);
  Integer FixedColsWidth();
  Integer FixedRowsHeight();

  // ---- painting
  void PaintCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  void PaintCellExt(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
  void MoveToBaseCell();

  // ---- properties
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
  Integer GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TColor GetGridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value) { SetAndInvalidate(FGridLineColor, Value); }
  TColor GetGridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value) { SetAndInvalidate(FGridFixedLineColor, Value); }
  Integer GetGridFixedLineWidth() const { return FGridFixedLineWidth; }
  void SetGridFixedLineWidth(Integer Value) { SetAndInvalidate(FGridFixedLineWidth, Value); }
  bool GetActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value) { SetAndInvalidate(FActiveRowShow, Value); }
  TColor GetActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value) { SetAndInvalidate(FActiveRowColor, Value); }
  TColor GetActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value) { SetAndInvalidate(FActiveRowColorTo, Value); }
  TColor GetActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value) { SetAndInvalidate(FActiveRowMirrorColor, Value); }
  TColor GetActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value) { SetAndInvalidate(FActiveRowMirrorColorTo, Value); }
  TGridSelectionStyle GetSelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value) { SetAndInvalidate(FSelectionStyle, Value); }
  bool GetHoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { SetAndInvalidate(FHoverRow, Value); }
  TColor GetHoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { SetAndInvalidate(FHoverRowColor, Value); }
  TColor GetHoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { SetAndInvalidate(FHoverRowColorTo, Value); }
  THoverRowCells GetHoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { SetAndInvalidate(FHoverRowCells, Value); }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  bool GetHideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value) { SetAndInvalidate(FHideLastRow, Value); }
  TNeoGridUndoRedo* GetUndoRedo() const { return FUndoRedo; }
  void SetUndoRedo(TNeoGridUndoRedo* Value);

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

  // Fields the descendants read and write.
  Integer FPaintID = 1;
  bool FCustomSelect = true;
  Integer FNormalRowCount = 0;
  Integer FHoverRowIdx = -1;
  bool FShowSel = true;
  bool FHasCellProps = false;
  Integer FMergeCount = 0;
  bool FEditCellSet = false;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  void TopLeftChanged() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  // Paints a cell (ACol a display column): background, selection, lines and, WithContent, the
  // content through DrawGridCell; a merged block once per paint pass.
  void PaintCellCore(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState,
                     bool WithContent);

private:
  template <class V>
  void SetAndInvalidate(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  TCellProperties* PropsOrNull(Integer ACol, Integer ARow);
  TCellProperties* NewCellProperties(Integer ACol, Integer ARow);
  void RepaintMergedCells(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
  void PaintSelectionShape(TCanvas* Canvas, Integer ACol, TRect R);
  void PaintLinesOf(TCanvas* Canvas, const TRect& R, bool Fixed);
  // With HideLastRow the current cell leaves the last row for the one above it.
  void KeepOffHiddenRow();
  // Before a step by an arrow key: the current cell to the block's edge on the key's side.
  void StepToBlockEdge(Word Key);

  bool FDefaultDrawing = false;
  Integer FGridLineWidth = 1;
  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  Integer FGridFixedLineWidth = 1;
  bool FHideLastRow = false;
  TNeoGridUndoRedo* FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  std::unique_ptr<TFont> FDefFont;
  std::unique_ptr<TBrush> FDefBrush;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FDestroying = false;
};

// Publishes the properties of TCellProperties and TBaseGrid (once; later calls do nothing).
void RegisterBaseGridRtti();
