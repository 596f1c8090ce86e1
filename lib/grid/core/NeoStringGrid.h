#pragma once
// TNeoStringGrid: the grid control of the library, a TBaseGrid with option groups, inplace
// editors, nodes, filtering, sorting, searching, import, export and printing. Its members are
// spread over the folders of lib/grid; this header declares the class as one type.
//
// Sections: vocabulary; TGridFocusWindow; TNeoStringGrid (life cycle, option groups, sizes and
// scroll bars, cells, the focus frame, members of later folders, fields); unit routines.
//
// Notes on the design
// - Option groups that other folders build are held as pointers that stay nullptr until their
//   class exists (their getters say so); the life cycle reads them only through the small
//   queries below (FloatingFooterVisible, ...), which answer as for a default group meanwhile.
// - Members of later folders that the life cycle calls are virtual. Queries answer for every state
//   this build can reach (no hidden column: the column maps are the identity); actions do the
//   platform grid's equivalent where there is one, else nothing.
// - Largest counts. FMaxRowCount / FMaxColCount remember the largest counts the grid ever had, so
//   that the destructor can reach every cell the platform store still keeps past the counts and
//   free its properties object (cut rows keep their cells in the store).
#include <memory>

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoBaseGrid.h"
#include "lib/grid/core/NeoColumnSize.h"
#include "lib/grid/core/NeoGridLists.h"
#include "lib/grid/core/NeoBalloonSettings.h"
#include "lib/grid/core/NeoGridOptions.h"
#include "lib/grid/core/NeoHintInfo.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/WinScroll.h"

// ---------------------------------------------------------------------------------------------
// Vocabulary
// ---------------------------------------------------------------------------------------------
enum TGridLook { glStandard, glSoft, glClassic, glOffice2003, glWinXP, glListView, glVista, glWin7, glOffice2007,
                 glTMS, glCustom, glXP, glNeo };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TScrollPosition { spMiddle, spTrailing, spLeading };
// The phases of a drag over a control. The class library's drag and drop does not exist yet:
// until it does, the grid's drag-over handler is called by whoever drives the drag.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragScrollDirection { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirections = TSet<TDragScrollDirection>;
enum TFilterDropDownColumns { fdNormal, fdAll };
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum THintLargeTextPos { hpCell, hpMouse };
enum TGridEncoding { geAnsi, geUTF8, geUnicode };
// The directions a middle-button pan may take.
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

// The grid's own exception class.
ZELK_DECLARE_EXCEPTION(ENeoGridError, Exception)

class TNeoStringGrid;
class TGridAlphaMask;
// Classes of the option groups, panels and editors that later folders build (nullptr until then).
class TAutoColor;
class TFloatingFooter;
class TPrintSettings;
class THTMLSettings;
class TSortSettings;
class TDragDropSettings;
class TDragScrollOptions;
class TControlLook;
class TCellNode;
class TSizeWhileTyping;
class TGrouping;
class TBackGround;
class TGridProgressAppearance;
class TFilter;
class TBalloonSettings;
class TShowModified;
class TFilterDropDown;
class TFilterEdit;
class THoverButtons;
class TNeoHintInfo;
class TScrollControl;

// The kind of the one graphic a cell may carry (ordinals are stored: never reorder).
enum TCellType {
  ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
  ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton,
  ctVirtCheckBox, ctRowCheckBox, ctProgressPie, ctSummary, ctRangeIndicator, ctXPProgress, ctInterface,
  ctScrollbar, ctRadioButton, ctBalloon, ctShape, ctRating, ctTriStateCheckBox, ctExpand, ctDataPicture,
  ctVirtButton
};
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

using TCellsChangedEvent = std::function<void(TObject* Sender, TRect R)>;
// Events in their own parameter order: many take (ARow, ACol), the relays (ACol, ARow).
using TGridColorEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders)>;
using TGridAlignEvent =
    std::function<void(TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TRowColBoolEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, bool& Value)>;
using TColRowBoolEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& Value)>;
using TColRowEditorEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TEditorType& AEditor)>;
using TColRowTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TColRowEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow)>;
using TRowColEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol)>;
using TRowEvent = std::function<void(TObject* Sender, Integer ARow)>;
using TFixedEditEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow,
                                           TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TTextEvent = std::function<void(TObject* Sender, String& Value)>;
using TColBoolEvent = std::function<void(TObject* Sender, Integer ACol, bool& Value)>;
using TColWidthEvent = std::function<void(TObject* Sender, Integer ACol, Integer& AWidth)>;
enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
using TColEvent = std::function<void(TObject* Sender, Integer ACol)>;
using TBoolEvent = std::function<void(TObject* Sender, bool& Value)>;
using TXYBoolEvent = std::function<void(TObject* Sender, Integer X, Integer Y, bool& Allow)>;
using TSearchFooterActionEvent =
    std::function<void(TObject* Sender, const String& Value, Integer ACol, Integer ARow, TSearchAction SearchAction)>;
using TRowColTextEvent = std::function<void(TObject* Sender, Integer ARow, Integer ACol, String& Value)>;
using TOfficeHintEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, TNeoHintInfo* OfficeHint)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer X, Integer Y, TCursor& ACursor)>;
using TRowColCheckEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& Value)>;
using TExpandClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool Expanded)>;
using TButtonIndexEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ButtonIndex)>;
using TRowCountChangeEvent = std::function<void(TObject* Sender, Integer FromCount, Integer ToCount)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, Integer OldRow, Integer NewRow)>;
using TDisjunctSelectEvent = std::function<void(TObject* Sender, Integer AIndex, bool AState, bool& Allow)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)>;
using TAutoAdvanceEvent = std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer& NewRow,
                                             Integer& NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, Integer OldRow, Integer OldCol, Integer NewRow, Integer NewCol, bool& Allow)>;
using TIndexChangingEvent = std::function<void(TObject* Sender, Integer OldIndex, Integer NewIndex, bool& Allow)>;
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };
using TCalcFooterEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex, const String& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AItemIndex,
                                                   const String& ASelection, TObject* AObject)>;
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };
using TScrollHintEvent = std::function<void(TObject* Sender, Integer ARow, String& HintStr)>;
using TDragScrollEvent = std::function<void(TObject* Sender, Integer TopRow, Integer LeftCol,
                                            TDragScrollDirections& DragScrollDir, bool& CanScroll)>;
using TScrollCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer ScrollPosition,
                                            Integer ScrollMin, Integer ScrollMax)>;

// The one selection listener of a grid: told of every cell the grid's cell-selection query lets
// the current cell move to. Held by a counted reference.
class ITNeoStringGridSelect {
public:
  virtual ~ITNeoStringGridSelect() = default;
  virtual void SelectionChange(Integer ACol, Integer ARow) = 0;
};

// A component that hears about changed blocks of cells of the grids it is registered with
// (RegisterNotifier). The grid does not own it and does not forget it by itself.
class TGridChangeNotifier : public TComponent {
  ZELK_CLASS(TGridChangeNotifier, TComponent)
public:
  explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void CellsChanged(TRect R) { (void)R; }
};

// ---------------------------------------------------------------------------------------------
// TGridFocusWindow: the top-level window that carries the glow frame around the current cell.
// ---------------------------------------------------------------------------------------------
class TGridFocusWindow : public TCustomControl {
  ZELK_CLASS(TGridFocusWindow, TCustomControl)
public:
  // Width 0, Height 0, Color $0000FF.
  explicit TGridFocusWindow(TComponent* AOwner);

protected:
  // A disabled pop-up (WS_POPUP | WS_DISABLED), topmost tool window (WS_EX_TOPMOST | WS_EX_TOOLWINDOW).
  void CreateParams(TCreateParams& Params) override;
};

// ---------------------------------------------------------------------------------------------
// THoverButtonForm: the borderless form of the hover buttons, never activated when shown.
// ---------------------------------------------------------------------------------------------
class THoverButtonForm : public TForm {
  ZELK_CLASS(THoverButtonForm, TForm)
public:
  explicit THoverButtonForm(TComponent* AOwner);

protected:
  void CreateParams(TCreateParams& Params) override;
};

// ---------------------------------------------------------------------------------------------
// TNeoStringGrid
// ---------------------------------------------------------------------------------------------
class TNeoStringGrid : public TBaseGrid {
  ZELK_CLASS(TNeoStringGrid, TBaseGrid)
public:
  // ===== life cycle =====
  explicit TNeoStringGrid(TComponent* AOwner);
  ~TNeoStringGrid() override;
  // From another grid: the option groups by their own Assign, the sizes, widths, heights, headers
  // and settings, then the cells (AssignCells). Any other source: nothing.
  void Assign(TPersistent* Source) override;
  void Invalidate() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  // ===== new virtual operations (slot order) =====
  virtual void SetDefaultRowHeight(Integer Value);
  virtual Integer GetSearchFooterHeight();
  virtual TPanel* CreateFooterPanel();
  virtual void InitWheelScrollLines(bool UseOldMouse);
  virtual void DoCellsChanged(TRect R);
  // Places the controls embedded in cells over their cells (and the in-cell scroll bar at the
  // current cell's right edge); RebuildList first collects them again from every cell.
  virtual void CellControlsUpdate(bool RebuildList = false);
  // The other grid writes its cells into a memory stream in the text-cell stream format and this
  // grid reads them back.
  virtual void AssignCells(TPersistent* Source);
  // Empties the cells of an inclusive range (display indexes): objects of owning grids freed,
  // properties objects freed unless ClearTextOnly, texts emptied unless the grid is destroyed.
  virtual void ClearRect(Integer ACol1, Integer ARow1, Integer ACol2, Integer ARow2);
  // The grid's text-cell stream format, written and read by the import and export folder (nothing
  // is written or read until it exists).
  virtual void SaveToStream(TStream* Stream);
  virtual void LoadFromStream(TStream* Stream);

  // ===== event relays: the grid's default first, then the event when a handler is set =====
  virtual TFont* GetCellBaseFont(TFont* AFont, bool IsFixed, bool Unscale);
  // The kind the handler leaves in AEditor comes back.
  virtual TGridFixedCellEditor DoFixedEdit(Integer ACol, Integer ARow, TGridFixedCellEditor AEditor, TStrings* Values);
  virtual bool DoBeforeEdit(Integer ACol, Integer ARow);
  virtual void DoAutoInsertRow(Integer ARow);
  virtual void DoAutoDeleteRow(Integer ARow);
  virtual void DoColumnSized(Integer ACol, Integer& AWidth);
  virtual void DoUpdateColumnSize(Integer ACol, Integer& AWidth);
  virtual String DoEllipsClick(const String& Value);
  virtual void GetDisplayCellText(Integer ACol, Integer ARow, String& Text);
  virtual void DoLoadCell(Integer ACol, Integer ARow, const String& Value);
  virtual void DoCanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
  virtual void DoCanSort(Integer ACol, bool& DoSort);
  virtual String DoSearchFooterSearch(const String& Value);
  virtual void DoButtonClick(Integer ACol, Integer ARow);
  virtual void DoComboCloseUp(Integer ARow, Integer ACol);
  // ACol is a data column.
  virtual void DoGetCellColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void DoGetCellBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
  virtual void DoGetAlignment(Integer ACol, Integer ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void DoGetEditorTypeEx(Integer ACol, Integer ARow, TEditorType& AEditor);
  virtual void DoGetEditorType(Integer ACol, Integer ARow, TEditorType& AEditor);
  // False without a handler (AEditor unchanged); with one, whether it answered edNone.
  virtual bool DoGetEditorTypeOnShow(Integer ACol, Integer ARow, TEditorType& AEditor);
  virtual void DoIsFixedCell(Integer ACol, Integer ARow, bool& IsFixed);
  virtual void CanEditCell(Integer ACol, Integer ARow, bool& CanEdit);
  virtual void DoIsPasswordCell(Integer ACol, Integer ARow, bool& IsPassword);
  virtual void DoGetWordWrap(Integer ACol, Integer ARow, bool& WordWrap);
  virtual void DoGetCheckTrue(Integer ACol, Integer ARow, String& Value);
  virtual void DoGetCheckFalse(Integer ACol, Integer ARow, String& Value);
  virtual void GetCheckTrue(String& Value) { Value = FCheckTrue; }
  virtual void GetCheckFalse(String& Value) { Value = FCheckFalse; }
  virtual void GrowRowCount() { SetRowCount(GetRowCount() + 1); }
  // Empty hooks for descendants.
  virtual void EmptyFooterHook() {}
  virtual Integer ZeroHook() { return 0; }
  virtual void InplaceEditValueHook() {}
  virtual void ColumnHeadersChangedHook() {}
  // The cell's font: the grid's without a properties object, else the one scratch font holding
  // the cell's settings (every call overwrites it).
  TFont* GetCellFont(Integer ACol, Integer ARow);
  // The cell's read-only flag.
  bool GetReadOnly(Integer ACol, Integer ARow);
  // The kind of the cell's graphic: ctEmpty while cells carry none.
  virtual TCellType GetCellType(Integer ACol, Integer ARow);
  // Row removals and clearing of the data folder (nothing is removed until it exists).
  virtual void DeleteRowRange(Integer RowIndex, Integer RCount);
  virtual void ClearRows(Integer RowIndex, Integer RCount);
  virtual void InsertRows(Integer RowIndex, Integer RCount);

  virtual void DoGetCellPrintColor(Integer ACol, Integer ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void DoGetCellPrintBorder(Integer ACol, Integer ARow, TPen* APen, TCellBorders& Borders);
  virtual void DoFilterDone();
  virtual void DoFilterShow(Integer ACol, bool& Allow);
  virtual void DoFilterClose(Integer ACol);
  virtual void DoBeforeFilter();
  virtual void DoSearchFooterAction(const String& Value, Integer ACol, Integer ARow, TSearchAction SearchAction);
  virtual void DoSearchFooterSearchEnd(bool& ContinueFromStart);
  virtual void DoHoverButtonsShow(Integer X, Integer Y, bool& Allow);
  virtual void DoIntelliZoom();
  // The hint texts of a cell; the hint text also becomes OfficeHint's notes.
  virtual void DoGridHint(Integer ACol, Integer ARow, String& Hint, String& WideHint);
  // Only with a handler: the cursor it picks is set at once when it differs from the grid's.
  virtual void DoGetCellCursor(Integer ACol, Integer ARow, Integer X, Integer Y);
  // Whether the cell shows its drop-down, ellipsis or spin button before it is edited. Without a
  // handler only when the control look asks for always-visible buttons (never while that option
  // group does not exist); AEditor edNone asks DefaultEditor through the editor-kind relays.
  virtual bool DoHasComboBox(Integer ACol, Integer ARow, TEditorType AEditor);
  virtual bool DoHasEditBtn(Integer ACol, Integer ARow, TEditorType AEditor);
  virtual bool DoHasSpinEdit(Integer ACol, Integer ARow, TEditorType AEditor);
  // The control look's always-visible drop-down and spin buttons (False until that option group
  // exists).
  virtual bool DropDownAlwaysVisible() { return false; }
  virtual bool SpinButtonsAlwaysVisible() { return false; }
  // The filter edit row (never while the filter edit group does not exist).
  virtual bool DoHasFilterEdit(Integer ACol, Integer ARow);
  // The event, then the row's height for the expanded or contracted content.
  virtual void DoExpandClick(Integer ACol, Integer ARow, bool Expanded);
  // The height an expandable cell asks for (the cell-graphics folder's work: the row's height).
  virtual Integer GetExpandHeight(Integer ACol, Integer ARow, bool Expanded);
  virtual void DoComboDropDown(Integer ARow, Integer ACol);
  // Snapshot of a cell before it is edited.
  virtual void StoreOldCellValue(Integer ACol, Integer ARow);
  virtual void InplaceEditKeyDownHook() {}
  virtual void InplaceEditWMKeyDownHook() {}
  void EmptyHook() {}
  void DoCurrentButtonClick();
  void DoDropDownHeaderButtonClick(Integer ButtonIndex);
  void DoDropDownFooterButtonClick(Integer ButtonIndex);
  // RowCount without the suppressed rows (height 0) when a filter type is set; rows are not
  // filtered until the data folder exists.
  Integer FilteredRows();
  bool UsesPlatformStyles() override { return FUsePlatformStyles; }
  bool GetUsePlatformStyles() const { return FUsePlatformStyles; }
  void SetUsePlatformStyles(bool Value) { SetAndRepaint(FUsePlatformStyles, Value); }
  // The visual properties with the disabled font off; fixed, banded, gradient-backed and selected
  // cells get no colour, so that new cells never store one.
  void GetCellPropertyDefaults(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                               TColor& ColorMirror, TColor& ColorMirrorTo, TAlignment& HAlign, TVAlignment& VAlign,
                               bool& WordWrap, TCellGradientDirection& GradientDirection) override;
  const String& GetOldCellText() const { return FOldCellText; }
  Integer GetOldCol() const { return FOldCol; }
  Integer GetOldRow() const { return FOldRow; }

  TGridColorEvent OnGetCellColor;
  TGridColorEvent OnGetCellPrintColor;
  TGridBorderEvent OnGetCellPrintBorder;
  TNotifyEvent OnFilterDone;
  TColBoolEvent OnFilterShow;
  TColEvent OnFilterClose;
  TNotifyEvent OnBeforeFilter;
  TSearchFooterActionEvent OnSearchFooterAction;
  TBoolEvent OnSearchFooterSearchEnd;
  TXYBoolEvent OnHoverButtonsShow;
  TNotifyEvent OnIntelliZoom;
  TRowColTextEvent OnGridHint;
  TRowColTextEvent OnGridWideHint;
  TOfficeHintEvent OnOfficeHint;
  TCellCursorEvent OnGetCellCursor;
  TRowColCheckEvent OnHasComboBox;
  TRowColCheckEvent OnHasEditBtn;
  TRowColCheckEvent OnHasSpinEdit;
  TColBoolEvent OnHasFilterEdit;
  TExpandClickEvent OnExpandClick;
  TRowColEvent OnComboDropDown;
  TButtonIndexEvent OnDropDownHeaderButtonClick;
  TButtonIndexEvent OnDropDownFooterButtonClick;
  TGridBorderEvent OnGetCellBorder;
  TGridAlignEvent OnGetAlignment;
  TRowColBoolEvent OnIsFixedCell;
  TRowColBoolEvent OnCanEditCell;
  TRowColBoolEvent OnIsPasswordCell;
  TColRowBoolEvent OnGetWordWrap;
  TColRowEditorEvent OnGetEditorType;
  TColRowTextEvent OnGetCheckTrue;
  TColRowTextEvent OnGetCheckFalse;
  TColRowTextEvent OnLoadCell;
  TColRowTextEvent OnEllipsClick;
  TColRowEvent OnButtonClick;
  TRowColEvent OnComboCloseUp;
  TRowEvent OnAutoDeleteRow;
  TFixedEditEvent OnFixedEdit;
  TRowColBoolEvent OnBeforeEdit;
  TTextEvent OnSearchFooterSearch;
  TColBoolEvent OnCanSort;
  TColWidthEvent OnUpdateColumnSize;

  // ===== overrides of the base grid's operations =====
  Double GetDPIScale() override { return FDPIScale; }
  bool IsFixed(Integer ACol, Integer ARow) override;
  bool IsNode(Integer ARow) override;
  bool IsSummary(Integer ARow) override;
  bool CellHasCheckBox(Integer ACol, Integer ARow) override;
  void SetCheckBoxFromText(Integer ACol, Integer ARow, const String& Value) override;

  // ===== the update bracket and repainting (display indexes) =====
  // One update level: the base grid stops painting and laying out at the first, the window's
  // redraw is switched off at every level. Counted whether the grid is visible or not.
  void BeginUpdate();
  // Closes one level (never below 0); at 0 the redraw comes back on and the grid, its border and
  // its cell controls are repainted. While destroying only the count is lowered.
  void EndUpdate();
  // The count alone, for the grid's own short operations.
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate() { FUpdateCount = 0; }
  bool GetLockUpdate() const { return FUpdateCount != 0; }
  void SetLockUpdate(bool Value);
  Integer GetUpdateCount() const { return FUpdateCount; }
  // Invalidate one cell, the visible extent of a row or column, or a range of cells; rows and
  // columns one past the last fully visible one still count (a partly visible last line).
  void RepaintCell(Integer ACol, Integer ARow);
  void RepaintRow(Integer ARow);
  void RepaintCol(Integer ACol);
  void RepaintRect(TRect R);

  // ===== dimensions =====
  // Fires OnRowCountChange, keeps the current cell inside, sets the inherited count, grows the
  // row-size list, brings the requested fixed rows back, keeps the largest count and the normal
  // row count, and moves a visible floating footer's row to the new last row.
  void SetRowCount(Integer Value);
  // ColCount counts the shown columns; hidden ones come on top. Grows the visibility map and the
  // column-size list, brings the requested fixed columns back, keeps the largest count.
  void SetColCount(Integer Value);
  // 1 when the inherited count is 0 and FixedRowAlways (FixedColAlways) is set.
  Integer GetFixedRows() const;
  Integer GetFixedCols() const;
  // With FixedRowAlways (FixedColAlways) a count at or past RowCount (ColCount) leaves one row
  // (column) below: the base grid gets the count - 1. The requested value is remembered as the
  // minimum, except while loading.
  void SetFixedRows(Integer Value);
  void SetFixedCols(Integer Value);
  Integer GetFixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(Integer Value) { SetAndRepaint(FFixedRightCols, Value); }
  Integer GetFixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(Integer Value) { SetAndRepaint(FFixedFooters, Value); }
  Integer GetMaxRowCount() const { return FMaxRowCount; }
  Integer GetMaxColCount() const { return FMaxColCount; }
  Integer GetFixedRowHeight() const { return FFixedRowHeight; }
  // Not while loading: every fixed row takes the height.
  void SetFixedRowHeight(Integer Value);
  Integer GetFixedColWidth() const { return GetColWidths(0); }
  // Not while loading: every fixed column takes the width, unless column 0 already has it.
  void SetFixedColWidth(Integer Value);
  bool GetWordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  TVAlignment GetVAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  // The text-drawing flag of VAlignment: DT_TOP, DT_VCENTER or DT_BOTTOM.
  UINT GetVAlign() const { return FVAlign; }

  // ===== columns and rows: hidden columns and the real/display maps =====
  // Real column of a display column. Unchanged when no column is hidden, for a negative index
  // and for one at or past the shown columns.
  Integer DisplToRealCol(Integer ACol);
  // Display column of a real column; a hidden column maps to the next shown one.
  Integer RealToDisplCol(Integer ACol);
  Integer RealColIndex(Integer ACol) override { return DisplToRealCol(ACol); }
  Integer DisplColIndex(Integer ACol) override { return RealToDisplCol(ACol); }
  Integer TotalColCount() override { return GetColCount() + FNumHidden; }
  // Rows are hidden by the data folder: until then no row is hidden and the row maps are the
  // identity.
  virtual Integer DisplToRealRow(Integer ARow) { return ARow; }
  virtual Integer RealToDisplRow(Integer ARow) { return ARow; }
  virtual bool IsHiddenRow(Integer RowIndex) { (void)RowIndex; return false; }
  virtual Integer NumHiddenRows() { return 0; }
  Integer NumHiddenColumns() const { return FNumHidden; }
  Integer GetAllColCount() { return TotalColCount(); }
  Integer GetAllRowCount() { return GetRowCount() + NumHiddenRows(); }
  Integer GetRealRow() { return DisplToRealRow(GetRowEx()); }
  Integer GetRealCol() { return DisplToRealCol(GetCol()); }
  // False for an index outside the real columns.
  bool IsHiddenColumn(Integer ColIndex) const;
  // Width by real column: the saved width of a hidden column.
  Integer GetAllColWidths(Integer Index);
  void SetAllColWidths(Integer Index, Integer Value);
  // True, and ignored, outside the map.
  bool GetVisibleCol(Integer Pos) const;
  void SetVisibleCol(Integer Pos, bool Value);
  // Real indexes, inclusive. The last shown column is never hidden; no cell moves.
  void HideColumn(Integer ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(Integer FromCol, Integer ToCol);
  void UnHideColumn(Integer ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(Integer FromCol, Integer ToCol);
  void UnHideColumnsAll() { UnHideColumns(0, GetColCount() + FNumHidden - 1); }
  // Current and top row in display rows.
  Integer GetRowEx() const { return GetRow(); }
  virtual void SetRowEx(Integer Value);
  Integer GetTopRowEx() const { return GetTopRow(); }
  // Only FixedRows .. RowCount - 1 are taken.
  void SetTopRowEx(Integer Value);
  // Takes the inplace editor away (the editing folder's work: the platform grid's HideEditor).
  virtual void HideInplaceEdit();

  // ===== selection =====
  // (ColCount, RowCount) at both corners while the selection is parked.
  TGridRect GetSelection() const;
  // With ActiveCellShow the highlighted fixed row and column are repainted, with ActiveRowShow
  // the row Value.Bottom.
  void SetSelection(const TGridRect& Value);
  void FocusCell(Integer ACol, Integer ARow);
  // Parks the selection just outside the grid until UnHideSelection.
  void HideSelection();
  // The parked selection comes back; when it no longer lies inside, the first normal cell.
  void UnHideSelection();
  bool IsSelectionHidden() const;
  // Shows, hides, enables or disables the window scroll bars by whether all rows and columns fit.
  void UpdateScrollBars(bool Force);
  TColor GetBorderColor() const { return FBorderColor; }
  // On a change, repaints the non-client border (when the parent's window exists).
  void SetBorderColor(TColor Value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  Integer GetWheelScrollLines() const { return FWheelScrollLines; }
  UINT GetWheelMsg() const { return FWheelMsg; }
  bool IsUpdating() const { return FUpdateCount > 0; }
  TScrollBar* GetScrollBarControl() const { return FScrollBar; }
  TScrollBar* GetPaintScrollBar() const { return FPaintScrollBar; }
  TPanel* GetFooterPanel() const { return FFooterPanel; }
  TPanel* GetSearchPanel() const { return FSearchPanel; }
  TForm* GetButtonForm() const { return FButtonForm; }

  // ===== option groups =====
  TSearchFooter* GetSearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TNavigation* GetNavigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  TMouseActions* GetMouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TBands* GetBands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  TSyncGrid* GetSyncGrid() const { return FSyncGrid.get(); }
  void SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }
  TFocusHelper* GetFocusHelper() const { return FFocusHelper.get(); }
  void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
  TColumnSize* GetColumnSize() const { return FColumnSize.get(); }
  void SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
  // Groups of later folders: nullptr until their class is built.
  TDragDropSettings* GetDragDropSettings() const { return nullptr; }
  // The groups of looks (NeoGridLookSettings.h), made on first use.
  TFloatingFooter* GetFloatingFooter();
  TControlLook* GetControlLook();
  TBackGround* GetBackGround();
  TGrouping* GetGrouping();

  // ===== fonts, headers, lists =====
  TFont* GetFixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
  TFont* GetActiveCellFont() const { return FActiveCellFont.get(); }
  void SetActiveCellFont(TFont* Value) { FActiveCellFont->Assign(Value); }
  TStringList* GetColumnHeaders() const { return FColumnHeaders.get(); }
  void SetColumnHeaders(TStrings* Value) { FColumnHeaders->Assign(Value); }
  TStringList* GetRowHeaders() const { return FRowHeaders.get(); }
  void SetRowHeaders(TStrings* Value) { FRowHeaders->Assign(Value); }
  TStringList* GetLookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  TNeoControlList* GetControlList() const { return FControlList.get(); }
  TIntList* GetCacheRowHeights() const { return FCacheRowHeights.get(); }
  // The nine filter-condition glyphs, in the order of NeoGridFilterGlyphs.
  TImageList* GetFilterImages() const { return FFltrList.get(); }

  // ===== simple properties of the life cycle =====
  const String& GetFloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const String& Value) { FFloatFormat = Value; }
  const String& GetCheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const String& Value) { FCheckTrue = Value; }
  const String& GetCheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const String& Value) { FCheckFalse = Value; }
  TGridLook GetLook() const { return FLook; }
  // Setters that store a new value and repaint.
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { SetAndRepaint(FSelectionColor, Value); }
  TColor GetSelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { SetAndRepaint(FSelectionColorTo, Value); }
  TColor GetSelectionMirrorColor() const { return FSelectionMirrorColor; }
  void SetSelectionMirrorColor(TColor Value) { SetAndRepaint(FSelectionMirrorColor, Value); }
  TColor GetSelectionMirrorColorTo() const { return FSelectionMirrorColorTo; }
  void SetSelectionMirrorColorTo(TColor Value) { SetAndRepaint(FSelectionMirrorColorTo, Value); }
  TColor GetSelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { SetAndRepaint(FSelectionTextColor, Value); }
  bool GetSelectionColorMixer() const { return FSelectionColorMixer; }
  void SetSelectionColorMixer(bool Value) { SetAndRepaint(FSelectionColorMixer, Value); }
  Integer GetSelectionColorMixerFactor() const { return FSelectionColorMixerFactor; }
  // Clamped to 0 .. 100.
  void SetSelectionColorMixerFactor(Integer Value);
  bool GetSelectionRectangle() const { return FSelectionRectangle; }
  void SetSelectionRectangle(bool Value) { SetAndRepaint(FSelectionRectangle, Value); }
  bool GetSelectionResizer() const { return FSelectionResizer; }
  void SetSelectionResizer(bool Value) { SetAndRepaint(FSelectionResizer, Value); }
  bool GetShowFocusedSelectionColor() const { return FShowFocusedSelectionColor; }
  void SetShowFocusedSelectionColor(bool Value) { SetAndRepaint(FShowFocusedSelectionColor, Value); }
  bool GetShowDesignHelper() const { return FShowDesignHelper; }
  void SetShowDesignHelper(bool Value) { SetAndRepaint(FShowDesignHelper, Value); }
  // Also the base grid's show-selection flag.
  bool GetShowSelection() const { return FShowSelection; }
  void SetShowSelection(bool Value);
  TColor GetActiveCellColor() const { return FActiveCellColor; }
  void SetActiveCellColor(TColor Value) { SetAndRepaint(FActiveCellColor, Value); }
  TColor GetActiveCellColorTo() const { return FActiveCellColorTo; }
  void SetActiveCellColorTo(TColor Value) { SetAndRepaint(FActiveCellColorTo, Value); }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  // Both also set the markup engine's highlight colours.
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value);
  TColor GetHighlightTextColor() const { return FHighLightTextColor; }
  void SetHighlightTextColor(TColor Value);
  // Also the markup engine's keep-line-breaks flag, which every grid shares.
  bool GetHTMLKeepLineBreak() const { return FHTMLKeepLinebreak; }
  void SetHTMLKeepLineBreak(bool Value);
  bool GetFlat() const { return FFlat; }
  // Repaints unless loading.
  void SetFlat(bool Value);
  bool GetHovering() const { return FHovering; }
  void SetHovering(bool Value) { FHovering = Value; }
  Integer GetMaxEditLength() const { return FMaxEditLength; }
  // Also the open inplace editor's maximum length.
  void SetMaxEditLength(Integer Value);
  bool GetSizeWithForm() const { return FSizeWithForm; }
  // True anchors the grid on all four sides, False on the left and top.
  void SetSizeWithForm(bool Value);
  bool GetSpreadSheet() const { return FSpreadSheet; }
  // True switches on range selection and editing, the selection rectangle and resizer and the
  // smart clipboard; False only stores.
  void SetSpreadSheet(bool Value);
  // True, when not loading, sizes every normal column to its content with 10 pixels of padding.
  bool GetAutoSize() const { return FAutoSizeEx; }
  void SetAutoSize(bool Value) override;
  void SetXYOffset(TPoint Value);
  void UpdateXYOffset(Integer X, Integer Y) { FXYOffset = TPoint{X, Y}; }
  TPoint GetXYRTFOffset() const { return FXYRTFOffset; }
  void SetXYRTFOffset(TPoint Value);
  TBitmap* GetRowIndicator() const { return FRowIndicator.get(); }
  // Repaints cell (0, current row).
  void SetRowIndicator(TBitmap* Value);
  TNeoHintInfo* GetOfficeHint() const { return FOfficeHint.get(); }
  void SetOfficeHint(TNeoHintInfo* Value);
  // Component references, forgotten when the component goes.
  TCustomImageList* GetGridImages() const { return FGridImages; }
  void SetGridImages(TCustomImageList* Value) { SetReference(FGridImages, Value); }
  TComponent* GetCellChecker() const { return FCellChecker; }
  void SetCellChecker(TComponent* Value) { SetReference(FCellChecker, Value); }
  TPopupMenu* GetFixedDropDownMenu() const { return FFixedDropDownMenu; }
  void SetFixedDropDownMenu(TPopupMenu* Value) { SetReference(FFixedDropDownMenu, Value); }
  // The packed version: major, minor, release, build from the highest byte.
  virtual Integer GetVersionNr();
  // "major.minor.release.build" and the release date.
  virtual String GetVersionString();
  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }
  bool GetClearTextOnly() const { return FClearTextOnly; }
  void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
  bool GetSaveHiddenCells() const { return FSaveHiddenCells; }
  void SetSaveHiddenCells(bool Value) { FSaveHiddenCells = Value; }
  bool GetFixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  bool GetActiveCellShow() const { return FActiveCellShow; }
  void SetActiveCellShow(bool Value) { SetAndRepaint(FActiveCellShow, Value); }
  bool GetUseFixedFont() const { return FUseFixedFont; }
  void SetUseFixedFont(bool Value) { SetAndRepaint(FUseFixedFont, Value); }
  bool GetEditDisable() const { return FEditDisable; }
  void SetEditDisable(bool Value) { FEditDisable = Value; }
  TAlignment GetDefaultAlignment() override { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value) { SetAndRepaint(FDefaultAlignment, Value); }
  bool GetFixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  // On a change: True applies the current Office theme and repaints; at run time with a window
  // (in a program) the window is registered with the theme notifier, or unregistered.
  void SetAutoThemeAdapt(bool Value);
  Integer GetFixedRowsMin() const { return FFixedRowsMin; }
  Integer GetFixedColsMin() const { return FFixedColsMin; }
  Integer GetMinRowHeight() const { return FMinRowHeight; }
  Integer GetMinColWidth() const { return FMinColWidth; }
  bool GetIsLoaded() const { return FLoaded; }
  bool GetDesignTime() const { return FDesignTime; }
  bool GetIsComCtl6() const { return FIsComCtl6; }
  bool GetIsWinXP() const { return FIsWinXP; }
  bool GetIsWin7() const { return FIsWin7; }
  bool GetIsWinVista() const { return FIsWinVista; }
  TPoint GetXYOffset() const { return FXYOffset; }

  // ===== the focus frame =====
  TGridFocusWindow* GetFocusWindow() const { return FFocusWindow; }
  // Shows the focus glow around the cell rectangle R (client coordinates): a window 9 pixels wider
  // and higher placed 4 up and left of the cell, showing the blurred glow mask at opacity 230 in a
  // frame-shaped region (4 pixels left and top, 5 right and bottom), without activation; this grid
  // becomes the one the unit's window hook re-places.
  void ShowFocusWindow(TRect R);
  void HideFocusWindow();
  // Places the focus window over the current cell again (nothing while it is hidden).
  void PlaceFocusWindow();
  // The grid whose focus window is shown (nullptr when none).
  static TNeoStringGrid* FocusWindowGrid();

  TNotifyEvent OnGridResize;
  TCellsChangedEvent OnCellsChanged;
  TRowCountChangeEvent OnRowCountChange;
  TRowUpdateEvent OnRowUpdate;

  // ===== selection models (display rows unless said otherwise) =====
  // Disjunct row flags. Reading outside RowCount + hidden rows raises ENeoGridError
  // "Invalid row N accessed" (with RowSelectPersistent it reads False, a negative row too).
  // Without DisjunctRowSelect a read tells whether the row lies in the range selection.
  bool GetRowSelect(Integer ARow);
  // Raises "Invalid row accessed" for a negative row or one past RowCount + hidden rows (while
  // FixedRows < RowCount). A change asks OnRowDisjunctSelect, which may veto it, and then
  // reports OnRowDisjunctSelected.
  void SetRowSelect(Integer ARow, bool State);
  // Column flags: read for any real column (hidden ones too), written only for shown columns;
  // otherwise "Invalid column accessed".
  bool GetColSelect(Integer ACol);
  void SetColSelect(Integer ACol, bool State);
  // Runs of rows or columns, cut at the end of the grid: the range selection, or the disjunct
  // flags in their modes.
  void SelectRows(Integer RowIndex, Integer RCount);
  void UnSelectRows(Integer RowIndex, Integer RCount);
  void SelectCols(Integer ColIndex, Integer CCount);
  void UnSelectCols(Integer ColIndex, Integer CCount);
  void SelectAll();
  // The current cell moves to (ToCol, ToRow), then the selection spans the range.
  void SelectRange(Integer FromCol, Integer ToCol, Integer FromRow, Integer ToRow);
  // Clears every set row flag (repainting the row, OnRowDisjunctSelected) and the row list.
  virtual void ResetRowSelect();
  // ResetRowSelect; without DisjunctRowSelect the range selection is parked too.
  void ClearRowSelect();
  void ClearColSelect();
  // Copies the range selection's rows (columns) into the disjunct flags: rows inside set, the
  // others of the selection cleared; All visits every normal row. Unchanged when the selection's
  // top did not move since the last copy. True when a flag changed.
  virtual bool SelectionToRowSelect(bool All);
  virtual void SelectionToColSelect(bool All);
  Integer GetRowSelectCount();
  Integer GetColSelectCount();
  // The selected rows in the order they were selected (rows from FixedRows on).
  Integer GetSelectedRowListCount() const { return FSelectedRows->GetCount(); }
  Integer GetSelectedRowListItem(Integer Index) const { return FSelectedRows->GetInteger(Index); }
  // Modified flags by real row; writing repaints the row's fixed cell.
  bool GetRowModified(Integer ARow) const;
  void SetRowModified(Integer ARow, bool Value);
  Integer ModifiedRowCount() const;
  // Disabled rows are skipped by navigation. Changing the current row's flag moves the current
  // row to the first enabled normal row.
  bool GetRowEnabled(Integer ARow) const;
  void SetRowEnabled(Integer ARow, bool Value);
  // The disjunct cell selection, as (column, row) pairs in the order they were selected.
  // Reading without DisjunctCellSelect tells whether the cell lies in the range selection.
  bool GetSelectedCells(Integer ACol, Integer ARow);
  void SetSelectedCells(Integer ACol, Integer ARow, bool Value);
  TGridCoord GetSelectedCell(Integer Index) const { return FSelectedCells.Item(Index); }
  // Without DisjunctCellSelect the list is rebuilt from the range selection first.
  Integer GetSelectedCellsCount();
  // The selection collapses to (FixedCols, FixedRows) and the cell list empties.
  void ClearSelectedCells();
  // Relay of every change of the range selection.
  virtual void SelectionChanged(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom);
  void RegisterSelListener(std::shared_ptr<ITNeoStringGridSelect> AListener) { FISelect = std::move(AListener); }
  void UnRegisterSelListener(const std::shared_ptr<ITNeoStringGridSelect>& AListener) {
    (void)AListener;
    FISelect.reset();
  }
  void RegisterNotifier(TGridChangeNotifier* Item);
  void UnRegisterNotifier(TGridChangeNotifier* Item);
  Integer NotifierCount() const { return static_cast<Integer>(FNotifierList.size()); }

  // ===== cell navigation (display indexes) =====
  // The current column; a synchronised grid (SyncGrid.SelectionColumn) follows without its
  // OnClick firing. Ends an advance sequence.
  void SetCol(Integer Value);
  void GotoCell(Integer ACol, Integer ARow);
  // Focuses the grid, goes to the cell and opens the inplace editor.
  void EditCell(Integer ACol, Integer ARow);
  // The platform move with the anchor along and the cell scrolled into view.
  void MoveToCell(Integer ACol, Integer ARow);
  // Ask the cell-selection query for the current cell again.
  void Select() { SelectCell(GetCol(), GetRowEx()); }
  void UpdateEditMode() { Select(); }
  // A left press (and release with Release) at the cell's top-left + (2, 2) through the grid's
  // mouse handling, with OnMouseDown / OnMouseUp detached and every cell-selection query agreed.
  virtual void SimulateCellClick(Integer ACol, Integer ARow, bool Release);
  // FixedCols, or 1 past the node column.
  Integer FirstNormalCol();
  // The fixed right columns that are not hidden.
  Integer VisibleFixedRightCols();
  // Whether navigation may stop at the cell: editable now while editing is on, else not fixed;
  // OnSelectCell has the last word.
  bool CanGotoCell(Integer ACol, Integer ARow);
  // The first (last) column of the row where navigation may stop; -1 when none.
  Integer FirstCellInRow(Integer ARow);
  Integer LastCellInRow(Integer ARow);
  Integer GotoFirstVisibleRow();
  Integer GotoFirstVisibleCol();
  Integer GotoLastVisibleRow();
  Integer GotoLastVisibleCol();
  virtual void GotoFirstRow() { SetRowEx(GetFixedRows()); }
  // The next row (column) of non-zero size from ARow (ACol) in the direction away from the
  // current row (column), past a merged block.
  Integer NextVisibleRow(Integer ARow);
  Integer NextVisibleCol(Integer ACol);
  Integer SkipHiddenCol(Integer ACol, bool Forward);
  // The next cell after (ACol, ARow) in AdvanceDirection order where navigation may stop; (-1, -1)
  // when none is found before the end.
  void FindNextStopCell(Integer ACol, Integer ARow, TPoint& Cell);
  // Moves to the next (previous) cell after Enter per Navigation.AdvanceDirection.
  void AdvanceOnEnterKey(Integer ACol, Integer ARow, bool Force, bool FromEditor, bool Forward, bool Continue,
                         bool ShowEditor);
  // Editable at all (goEditing, RangeSelectAndEdit or the grid's own switch-off) and the cell
  // itself now (real column).
  bool IsEditable(Integer ACol, Integer ARow);
  bool IsCellEditable(Integer ACol, Integer ARow);
  // Check boxes, radio buttons, buttons and the like (no cell carries one yet).
  virtual bool IsControlCell(Integer ACol, Integer ARow) {
    (void)ACol;
    (void)ARow;
    return false;
  }
  // The control embedded in a cell (real column), nullptr when none.
  virtual TControl* GetCellControls(Integer ACol, Integer ARow);
  virtual void DoCanAddRow(bool& CanAdd);
  virtual void DoCanAddCol(bool& CanAdd);
  // OnColChanging, OnRowChanging and OnCellChanging for a move of the current cell, on one flag.
  virtual void DoCellChanging(Integer ACol, Integer ARow, bool& Allow);
  // Appends a row at the end (the data folder's AddRow).
  virtual void AddRow() { SetRowCount(GetRowCount() + 1); }
  // Opens the inplace editor on the current cell (the editing folder's work: the platform
  // editor meanwhile).
  virtual void ShowInplaceEdit() { ShowEditor(); }
  // Validates a cell's new text before the cell is left (True while no edit is in progress).
  virtual bool ValidateCell(const String& NewValue) {
    (void)NewValue;
    return true;
  }
  // The editors' state: an editor is shown, an edit is in progress.
  bool GetEditMode() const { return FEditMode; }
  // The kind of the editor in use.
  TEditorType GetEditControl() const { return FEditControl; }
  void SetEditControl(TEditorType Value) { FEditControl = Value; }
  void SetEditMode(bool Value) { FEditMode = Value; }
  bool GetEditing() const { return FEditing; }
  void SetEditing(bool Value) { FEditing = Value; }
  bool GetEditChange() const { return FEditChange; }
  bool GetForceSel() const { return FForceSel; }
  bool GetBlockCellChanging() const { return FBlockCellChanging; }
  void SetBlockCellChanging(bool Value) { FBlockCellChanging = Value; }
  bool GetDisableChange() const { return FDisableChange; }
  bool GetInvalidSel() const { return FInvalidSel; }
  bool GetIsDBVersion() const { return FIsDBVersion; }
  Integer GetAECol() const { return FAECol; }
  Integer GetAERow() const { return FAERow; }
  const String& GetCellCache() const { return FCellCache; }

  TDisjunctSelectEvent OnRowDisjunctSelect;
  TRowEvent OnRowDisjunctSelected;
  TDisjunctSelectEvent OnColDisjunctSelect;
  TColEvent OnColDisjunctSelected;
  TSelectionChangedEvent OnSelectionChanged;
  TAutoAdvanceEvent OnAutoAdvance;
  TCellChangingEvent OnCellChanging;
  TIndexChangingEvent OnRowChanging;
  TIndexChangingEvent OnColChanging;
  TRowEvent OnAutoAddRow;
  TColEvent OnAutoInsertCol;
  TBoolEvent OnCanAddRow;
  TBoolEvent OnCanAddCol;

  // ===== window procedure, registered messages and timers =====
  // Ticks of the grid's 500 ms timer since its window was made.
  Integer GetTimerTicks() const { return FTimerTicks; }
  // Toggled every tick while EnableBlink: blinking text shows while set.
  bool GetGridBlink() const { return FGridBlink; }
  bool GetEnableBlink() const { return FEnableBlink; }
  void SetEnableBlink(bool Value) { FEnableBlink = Value; }
  // The text typed for the incremental search; it lives for three more ticks of the grid timer.
  const String& GetSearchInc() const { return FSearchInc; }
  void SetSearchInc(const String& Value) {
    FSearchInc = Value;
    FSearchTics = 0;
  }
  // Copy the edited text into the cell while typing (set by the editors).
  bool GetShowEditProcess() const { return FShowEditProcess; }
  void SetShowEditProcess(bool Value) { FShowEditProcess = Value; }
  bool GetEditStart() const { return FEditStart; }
  void SetEditStart(bool Value) { FEditStart = Value; }
  // A refused entry with a title posts "GridEditInvalid" so that the user returns to it.
  const String& GetInvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const String& Value) { FInvalidEntryTitle = Value; }
  // The combo editor (the editing folder creates it; none meanwhile).
  virtual TCustomComboBox* GetEditCombo() { return nullptr; }
  TColRowEvent OnEditCellDone;
  TComboChangeEvent OnComboChange;
  TComboObjectChangeEvent OnComboObjectChange;

  // ===== focus, cursor and hover =====
  bool GetBlockKill() const { return FBlockKill; }
  void SetBlockKill(bool Value) { FBlockKill = Value; }
  bool GetBlockFocus() const { return FBlockFocus; }
  void SetBlockFocus(bool Value) { FBlockFocus = Value; }
  bool GetInvokedFocusChange() const { return FInvokedFocusChange; }
  void SetInvokedFocusChange(bool Value) { FInvokedFocusChange = Value; }
  THoverFixedCells GetHoverFixedCells() const { return FHoverFixedCells; }
  void SetHoverFixedCells(THoverFixedCells Value) { FHoverFixedCells = Value; }
  // Whether the fixed cell shows a hover highlight (OnIsFixedHoverCell has the last word).
  bool IsFixedHoverCell(Integer ACol, Integer ARow);
  // Ends fixed sizing and the hover highlight of a fixed cell.
  void ResetFixedCellHighlight();
  TRowColBoolEvent OnIsFixedHoverCell;

  // ===== scrolling and scroll bars =====
  // The grid's own copy of the bars, handed on to the base grid.
  TScrollStyle GetScrollBars() const { return FScrollBarsCopy; }
  void SetScrollBars(TScrollStyle Value);
  TScrollType GetScrollType() const { return FScrollType; }
  // ssFlat and ssEncarta bring the common controls' flat bars, ssNormal and ssMetro give them up;
  // ssMetro (with a window) replaces the window's bars by overlay scroll controls.
  void SetScrollType(TScrollType Value);
  TColor GetScrollColor() const { return FScrollColor; }
  void SetScrollColor(TColor Value);
  Integer GetScrollWidth() const { return FScrollWidth; }
  void SetScrollWidth(Integer Value);
  TScrollHintType GetScrollHints() const { return FScrollHints; }
  void SetScrollHints(TScrollHintType Value);
  bool GetScrollProportional() const { return FScrollProportional; }
  void SetScrollProportional(bool Value);
  // The bars that stay shown when everything fits.
  TScrollBarAlways GetScrollBarAlways() const { return FScrollBarAlways; }
  void SetScrollBarAlways(TScrollBarAlways Value);
  bool GetScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool Value) { FScrollSynch = Value; }
  // While set (zooming) the proportional bars are left alone.
  bool GetScrollLock() const { return FScrollLock; }
  void SetScrollLock(bool Value) { FScrollLock = Value; }
  // The common controls' flat bars are initialised on the window.
  bool GetIsFlat() const { return FIsFlat; }
  THintWindow* GetScrollHintWindow() const { return FScrollHintWnd; }
  bool GetScrollHintShow() const { return FScrollHintShow; }
  Integer GetLastScrollCode() const { return FLastScrollCode; }
  // Brings a cell (display column, display row) into view.
  void ScrollInView(Integer ACol, Integer ARow, TScrollPosition Position = spMiddle);
  // Range, page and position of the window bars so that the thumb shows the visible fraction
  // while positions stay 0 .. 127. Sums over the columns (rows) run only on the events that
  // change them, never per scroll step; the row sums come from the base grid's offset index.
  virtual void UpdateProportionalHorzScroll();
  virtual void UpdateProportionalVertScroll();
  // The common controls' flat scroll bars, looked up by name in "comctl32.dll" at each call
  // (nothing when the module or the function is missing).
  void InitFlatScrollBars();
  void DoneFlatScrollBars();
  void UpdateFlatScrollBars();
  void ApplyFlatScrollStyle();
  void ApplyFlatScrollColor();
  void ApplyFlatScrollWidth();
  void SyncFlatVertScrollInfo();
  void SyncFlatHorzScrollInfo();
  void FlatShowScrollBar(Integer Bar, bool Show);
  void FlatSetScrollInfo(Integer Bar, const SCROLLINFO& Info, bool Redraw);
  void FlatSetScrollProp(Integer Index, Integer Value, bool Redraw);
  // A drag moving over the grid: inside a margin of DragScrollOptions the drag timer scrolls
  // towards that edge (InitialDelay first, RepeatDelay then); leaving the margins or the grid
  // frees the timer.
  virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  // One tick of the drag timer: OnDragScroll may change the directions or veto this step.
  void DragScrollTimer(TObject* Sender);
  TTimer* GetDragTimer() const { return FDragTmr; }
  TDragScrollDirections GetDragScrollDirection() const { return FDragScrollDirection; }
  // One tick of the flick scroll; the button-up handler sets it up (StartFlickScroll).
  void FlickScrollTimer(TObject* Sender);
  // Ten steps of Delta rows (columns), one every 10 ms, as after a fast touch swipe.
  void StartFlickScroll(bool Vertical, Integer Delta);
  TTimer* GetFlickTimer() const { return FScrollTimer; }
  Integer GetFlickSteps() const { return FScrollSteps; }
  // The stored position of a ctScrollbar cell (the cell-graphics folder's work: nothing yet).
  virtual void SetScrollPosition(Integer ACol, Integer ARow, Integer Pos);
  // Fires OnScrollCell with the in-cell scroll bar's range.
  virtual void DoScrollCell(Integer ACol, Integer ARow, Integer AMax, Integer AMin, Integer APosition);
  // The metro kind's overlay scroll controls: one per bar of ScrollBars, made once, 6 pixels
  // thick along the right (bottom) edge.
  virtual void CreateScrollControls();
  TScrollControl* GetVertScrollControl() const { return vscrlctrl; }
  TScrollControl* GetHorzScrollControl() const { return hscrlctrl; }
  // The cell whose in-cell scroll bar shows (real column, row); -1 when none.
  Integer GetScrollCol() const { return FScrollCol; }
  Integer GetScrollRow() const { return FScrollRow; }
  TScrollHintEvent OnScrollHint;
  TDragScrollEvent OnDragScroll;
  TScrollCellEvent OnScrollCell;

  // ===== column and row sizing =====
  // StretchAll and Stretch on, then every normal column shares the client width.
  void StretchColumns();
  void StretchRightColumn() { DoStretchColumn(GetColCount() - 1, -1); }
  // Stretches column Index (-1 the last) to Width (-1 the client width), or all normal columns
  // with StretchAll.
  void DoStretchColumn(Integer Index, Integer Width);
  // Records the widths (and the grid width) that SynchWithGrid scales from.
  void InitOrigColSizes();
  // Widths of the fixed columns and of the fixed right columns.
  Integer FixedColumnsWidth();
  // Ends at the search panel while the search footer shows.
  TRect GetClientRect() override;
  // The mouse sizing state that the sizing notifications consume (the mouse handlers set it).
  void SetColumnSizing(Integer ACol, Integer StartWidth);
  void SetRowSizing(Integer ARow, Integer StartHeight);
  bool GetColSized() const { return FColSized; }
  bool GetRowSized() const { return FRowSized; }
  void SetColSized(bool Value) { FColSized = Value; }
  void SetRowSized(bool Value) { FRowSized = Value; }
  TColEvent OnEndColumnSize;

  // ===== used cells, the save range, cell helpers =====
  // The bounding box of the cells with display text, fixed cells included; (0, 0, 0, 0) when none.
  virtual TRect GetUsedCells();
  TRect UsedCells() { return GetUsedCells(); }
  // The rows and columns exports write: the fixed ones only with SaveFixedCells / SaveFixedRows /
  // SaveFixedCols.
  bool GetSaveFixedCells() const { return FSaveFixedCells; }
  void SetSaveFixedCells(bool Value) { FSaveFixedCells = Value; }
  bool GetSaveFixedRows() const { return FSaveFixedRows; }
  void SetSaveFixedRows(bool Value) { FSaveFixedRows = Value; }
  bool GetSaveFixedCols() const { return FSaveFixedCols; }
  void SetSaveFixedCols(bool Value) { FSaveFixedCols = Value; }
  Integer SaveStartCol();
  Integer SaveStartRow();
  Integer SaveEndCol();
  Integer SaveEndRow();
  Integer SaveColCount();
  Integer SaveRowCount();
  // The cell under a screen point; -1 for a coordinate outside the cells.
  void ScreenToCell(TPoint Point, Integer& ACol, Integer& ARow);
  // Within 4 pixels of a sizable border: a column border in the fixed rows (and the row below
  // them) with goColSizing, or a row border in the fixed columns (and the column after them) with
  // goRowSizing.
  bool IsNearSizingEdge(Integer X, Integer Y);
  // The cell's display text as a date and time with the global format settings; 0 when empty or
  // not a date.
  Double GetDateTimes(Integer ACol, Integer ARow);
  // Exchanges the raw texts and the objects of two cells (real indexes): no events, no repaint.
  void SwapCells(TGridCoord FromCell, TGridCoord ToCell);
  // Each distinct text of a column once (sorted; the first form met when case is ignored), from the
  // saved texts of the normal rows and the rows held aside by filtering.
  std::unique_ptr<TStringList> DistinctValues(Integer ACol, bool CaseSensitive);
  // The text a cell is saved with (the import and export folder's work: the cell's text).
  virtual String SaveCell(Integer ACol, Integer ARow) { return GetCells(ACol, ARow); }
  // A column dragged to a list box.
  void OleColumnDragStart(Integer ACol, Integer AIndex, TCustomListBox* AList);
  Integer GetOleDragCol() const { return FOleDragCol; }
  Integer GetOleDragIndex() const { return FOleDragIndex; }
  TCustomListBox* GetOleDragList() const { return FOleDragList; }
  void LastRowChanged() override;

  // ===== settings: column widths and positions, the column-state string =====
  // Widths as Col<i> (display columns, divided by the DPI scale, halves to even) and positions as
  // Pos<i> (the column order) in ColumnSize.Key / Section: an INI file or a registry key under
  // HKEY_CURRENT_USER by ColumnSize.Location. Nothing without Key or Section, or while designing.
  void SaveColSizes();
  // Each Col<i> times the control's scale now (halves to even); missing entries keep the width.
  void LoadColSizes();
  virtual void SaveColPositions();
  // Lays the columns out in the saved order when the Pos<i> entries are a full permutation of
  // the columns (hidden ones included); any other set of entries keeps the current layout. Assumes
  // the columns are in their initial order.
  virtual void LoadColPositions();
  // "N#widths#order#visible": N columns with the hidden ones, lists joined by ",".
  String ColumnStatesToString();
  // Applies a column-state string; nothing without "#". The whole string is checked first: a count
  // of 1 .. 65535, N widths of 0 .. 65535, an order whose first N entries are a permutation of
  // 0 .. N - 1 (or none), N flags "0" / "1". Anything else raises ENeoGridError and changes nothing.
  // A width of 0 suppresses its column.
  void StringToColumnStates(const String& Value);

  // ===== cell controls =====
  // Embeds a control in a cell (real column): the grid becomes its parent and keeps it over the
  // cell; nullptr takes the cell's control out (the control is neither hidden nor freed).
  void SetCellControls(Integer ACol, Integer ARow, TControl* AControl);
  Integer GetNumCellControls() const { return FNumCellControls; }
  // Placement allowed (bulk row operations switch it off around their work).
  bool GetCellControlsActive() const { return FCcuCall; }
  void SetCellControlsActive(bool Value) { FCcuCall = Value; }

  // ===== companion controls: fixed-cell and form-control editors, rich edits, hover buttons =====
  // Opens the editor over a fixed cell (AFilter: the filter row's edit), closing any open one.
  void StartFixedCellEdit(Integer ACol, Integer ARow, bool AFilter);
  // Stops a visible fixed-cell edit; when none was shown or it closed, a visible fixed-cell combo.
  void StopFixedCellEdit();
  Integer GetFixedColEdit() const { return FFixedColEdit; }
  Integer GetFixedRowEdit() const { return FFixedRowEdit; }
  // The editors and option objects of the companion controls, made on first use.
  class TGridTransEdit* GetEditTrans();
  class TGridTransCombo* GetComboTrans();
  class TControlEdit* GetControlEdit();
  class TControlCombo* GetControlCombo();
  class TNeoRichEdit* GetRichEdit();
  TNeoRichEdit* GetInplaceRichEdit();
  class TSizeWhileTyping* GetSizeWhileTyping();
  THoverButtons* GetHoverButtons();
  void SetHoverButtons(THoverButtons* Value);
  TDragScrollOptions* GetDragScrollOptions();
  void SetDragScrollOptions(TDragScrollOptions* Value);
  bool GetMultilineCells() const { return FMultilineCells; }
  void SetMultilineCells(bool Value) { SetAndRepaint(FMultilineCells, Value); }
  const String& GetInvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const String& Value) { FInvalidEntryText = Value; }
  TInvalidEntryIcon GetInvalidEntryIcon() const { return FInvalidEntryIcon; }
  void SetInvalidEntryIcon(TInvalidEntryIcon Value) { FInvalidEntryIcon = Value; }
  // Applies the filter-edit row's text of a column as its filter (the data folder's work).
  virtual void ApplyFilterEdit(Integer ACol) { (void)ACol; }
  // Opens the editor of the first editable form control after CurrentID (the first one when
  // empty) in the markup of a cell (real column); focuses the grid when there is none.
  void FocusNextFormControl(Integer ACol, Integer ARow, const String& CurrentID);
  Integer GetCurrentControlID() const { return FCurrentControlID; }
  // The fixed-cell editors' OnChange: OnEditChange with the fixed cell and the edit's text; the
  // combo's OnSelect: OnComboChange with its item index and the selected item's text.
  void FixedEditChange(TObject* Sender);
  void FixedComboSelect(TObject* Sender);
  // Sender, ACol, ARow, var Value, var Valid.
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value, bool& Valid)> OnCellValidate;
  TNotifyEvent OnEditingDone;
  TRowEvent OnEndRowSize;
  TColRowTextEvent OnEditChange;
  std::function<void(TObject* Sender, Integer ARow, class THoverButtonsCollectionItem* AButton)> OnHoverButtonClick;

private:
  TGridTransEdit* FEditTrans = nullptr;
  TGridTransCombo* FComboTrans = nullptr;
  TControlEdit* FControlEdit = nullptr;
  TControlCombo* FControlCombo = nullptr;
  TNeoRichEdit* FRichEdit = nullptr;
  TNeoRichEdit* FInplaceRichEdit = nullptr;
  // Shared owners: the option classes stay incomplete where the grid is destroyed.
  std::shared_ptr<TSizeWhileTyping> FSizeWhileTyping;
  std::shared_ptr<THoverButtons> FHoverButtons;
  std::shared_ptr<TDragScrollOptions> FDragScrollOptions;
  Integer FFixedColEdit = -1;
  Integer FFixedRowEdit = -1;
  Integer FCurrentControlID = 0;
  bool FMultilineCells = false;
  String FInvalidEntryText;
  // ===== end of the companion controls =====

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;
  void Resize() override;
  void CreateHandle() override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void TopLeftChanged() override;
  void Dispatch(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void Click() override;
  void DoEnter() override;
  void DoExit() override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
  // Places the search panel at the bottom: above the horizontal bar when columns overflow.
  virtual void UpdateSearchPanel();
  // The cell whose in-cell scroll bar shows (real column, row), set by the cell that shows it.
  Integer FScrollCol = -1;
  Integer FScrollRow = -1;

  // ===== keyboard and character input (NeoStringGridKeys.cpp) =====
public:
  // The grouping of single radio buttons.
  enum TRadioButtonGroup { rgNone, rgCol, rgRow };
  // The numeric keypad's decimal key types the locale's decimal separator.
  bool GetExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  // Appends a row at the end (before a visible floating footer) unless OnCanAddRow refuses; the
  // inplace editors call it too.
  void AutoAppendRow();
  // The current row is the last one above the fixed footers, or the last before a visible
  // floating footer.
  bool IsLastDataRow();
  // Keyboard navigation steps over the cell: a fixed cell with SkipFixedCells, a cell that
  // CanEditCell refuses with SkipReadOnly.
  bool MustSkip(Integer ACol, Integer ARow);
  // Fires OnCanInsertRow; the caller sets CanInsert first.
  virtual void DoCanInsertRow(Integer ARow, bool& CanInsert);
  // Puts the text cached when editing began back into the current cell.
  virtual void RestoreCellFromCache();
  // The clipboard folder's work on the selection (nothing is copied until it exists).
  virtual void CopySelectionToClipboard() {}
  virtual void CutSelectionToClipboard() {}
  virtual void PasteSelectionFromClipboard() {}
  // The first row whose text in the sorted column starts with the upper-cased S (the search
  // folder's work: -1, nothing found, until it exists).
  virtual Integer Search(const String& S);
  // The Tab step after an edit (the editing folder's work: the platform grid's Tab meanwhile).
  // False when the Tab went on to the parent.
  virtual bool AdvanceAfterEdit(bool Backward);
  // Moves Count rows from FromIndex so that they start at ToIndex, counted after their removal
  // (display rows; the data folder's work: the platform grid's row moves meanwhile).
  virtual void MoveRows(Integer FromIndex, Integer ToIndex, Integer Count);
  // Radio cells of the cells folder: no cell holds radio buttons yet.
  virtual bool CycleRadioGroup(Integer ACol, Integer ARow, bool FromUser);
  virtual bool HasRadioButtonGroup(Integer ACol, Integer ARow, TRadioButtonGroup Group);
  virtual void SetRadioButtonRowIndex(Integer ARow, Integer Index);
  virtual void SetRadioButtonColumnIndex(Integer ACol, Integer Index);
  // Called by Ctrl+A with the rectangle it is about to select.
  virtual void SelectAllKeyHook(TGridRect& R) { (void)R; }
  std::function<void(TObject* Sender, Integer ARow, bool& CanInsert)> OnCanInsertRow;
  TRowEvent OnAutoInsertRow;
  std::function<void(TObject* Sender, Integer ARow, bool& CanDelete)> OnCanDeleteRow;
  std::function<void(TObject* Sender, const String& Value, bool& Allow)> OnClipboardCut;
  std::function<void(TObject* Sender, const String& Value, bool& Allow)> OnClipboardCopy;
  std::function<void(TObject* Sender, const String& Value, bool& Allow)> OnClipboardPaste;
  std::function<void(TObject* Sender, TGridRect CellRect)> OnClipboardCutDone;
  std::function<void(TObject* Sender, TGridRect CellRect)> OnClipboardCopyDone;

protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  // The window procedure's key messages.
  void WMGetDlgCode(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);

private:
  using TClipboardEvent = std::function<void(TObject* Sender, const String& Value, bool& Allow)>;
  using TCellRectEvent = std::function<void(TObject* Sender, TGridRect CellRect)>;
  struct TKeyDownState;
  bool EnterKeyPress(Char& Key);
  void IncrementalSearch(Char Key);
  void AddSelectionToCells(TGridCoord Skip);
  void ToggleDisjunctCell(bool Ctrl);
  void FireKeyDown(Word& Key, TShiftState Shift);
  // Selection changed since the key went down: SelectionChanged (not with disjunct rows).
  void NotifyKeySelection();
  void MoveByKey(Integer ACol, Integer ARow);
  void FocusSearchEdit();
  bool ScrollOnlyKey(Word Key);
  bool EnterOrF2Rules(TKeyDownState& K);
  void ControlCellKey(TKeyDownState& K);
  bool HomeEndMove(TKeyDownState& K);
  void RowChangeByKey(TKeyDownState& K, Integer ARow);
  bool NodeRowKey(TKeyDownState& K);
  bool RowSelectScrollKey(TKeyDownState& K);
  void TabOrSkipKey(TKeyDownState& K);
  bool PassKeyDownOn(TKeyDownState& K);
  void KeyCommands(TKeyDownState& K);
  Integer KeyRowIndex();
  void ClipboardKey(const TClipboardEvent& Ask, void (TNeoStringGrid::*Action)(), const TCellRectEvent* Done);
  void InsertRowByKey();
  void DeleteRowByKey();
  void SelectAllByKey();
  void DisjunctNavigation(bool Shift, bool Ctrl);
  void TabWrap(TKeyDownState& K);
  void MoveRowsByKey(Word Key);
  void CursorAdvanceByKey(Word Key);
  void SkipDisabledRow(bool Down);

protected:
  // ===== end of keyboard and character input =====

  // ===== mouse wheel, IntelliPan and zoom (NeoStringGridWheel.cpp) =====
public:
  // Adds Delta pixels to every column width and row height that stays positive (zero-sized ones
  // stay hidden). Nothing when the accumulated factor would leave -20 .. 20.
  virtual void Zoom(Integer Delta);
  virtual void ZoomReset();
  Integer GetZoomFactor() const { return FZoomFactor; }
  // Stores the factor and repaints (no size changes).
  void SetZoomFactor(Integer Value) { SetAndRepaint(FZoomFactor, Value); }
  bool GetEnableWheel() const { return FEnableWheel; }
  void SetEnableWheel(bool Value) { FEnableWheel = Value; }
  bool GetIntelliZoom() const { return FIntelliZoom; }
  void SetIntelliZoom(bool Value) { FIntelliZoom = Value; }
  TIntelliPan GetIntelliPan() const { return FIntelliPan; }
  void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
  bool GetUseScrollStyles() const { return FUseScrollStyles; }
  void SetUseScrollStyles(bool Value) { FUseScrollStyles = Value; }
  // A row of height 0 (filtered out or hidden by size).
  bool IsSuppressedRow(Integer RowIndex) { return GetRowHeights(RowIndex) == 0; }
  // Panning is active, from the middle press at the anchor (client coordinates).
  bool GetWheelPan() const { return FWheelPan; }
  TPoint GetWheelPanPos() const { return FWheelPanPos; }
  // The anchor bitmap of the pan direction, its top-left pixel's colour shown white, at the anchor.
  void DrawPanAnchor();
  // Invalidates the 32 x 32 square at the anchor.
  void ErasePanAnchor();

protected:
  // After a wheel step moved the current row by RowDelta: Handled (set by default) ends the message.
  virtual void DoWheelScrolled(Integer RowDelta, bool& Handled);
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // The window procedure's pan and wheel steps; true when the message is done with.
  bool WheelWndProc(TMessage& Message);

private:
  void StartIntelliPan(TMessage& Message);
  void StopIntelliPan();
  void PanStep();
  void PanMoveSelection(Integer H, Integer V);
  void WheelNotch(TMessage& Message);
  void WheelMoveSelection(Integer& R, bool Down);
  bool DoWheelStep(bool Down, TShiftState Shift, TPoint MousePos);

protected:
  // ===== end of mouse wheel, IntelliPan and zoom =====

  // ===== mouse button down and form controls in cells (NeoStringGridMouseDown.cpp) =====
public:
  // The pending selection mode under the mouse (stored order).
  enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
  // The export and search notifications (stored order).
  enum TGridExportState { esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow,
                          esExportFindRow };
  // Picks the item of the radio group in a cell (ACol real) at (DX, DY) from the cell's top-left.
  void RadioClick(Integer ACol, Integer ARow, Integer DX, Integer DY);
  bool HasCellBorderEvent() override { return static_cast<bool>(OnGetCellBorder); }
  // A cell lies in the selection of the current mode: the disjunct cells, the disjunct rows or
  // columns, else the range selection.
  virtual bool IsSelected(Integer ACol, Integer ARow);
  // Hooks for descendants, empty here.
  virtual void CellSelectorClick(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; }
  virtual void SelectAllHook(TGridRect& R) { (void)R; }
  virtual void ExportNotification(TGridExportState State, Integer ARow) { (void)State; (void)ARow; }
  // Event relays of the press (OnClickCell, OnCheckBoxClick, OnRatingChange, OnCanShowFixedDropDown).
  virtual void DoClickCell(Integer ARow, Integer ACol);
  virtual void DoCheckBoxClick(Integer ACol, Integer ARow, bool State);
  virtual void DoRatingChange(Integer ACol, Integer ARow, Double& NewRate, bool& Allow);
  virtual bool DoCanShowFixedDropDown(Integer ACol);
  // Cell graphics the press hit-tests (real column where named ACol). Until the cell-graphics and
  // node folders exist no cell carries one: no radio group, no node, empty button rectangles; the
  // check-box glyph test answers the whole cell without PreciseCheckBoxCheck.
  virtual bool IsInCheckBox(Integer ACol, Integer ARow, Integer X, Integer Y);
  virtual bool IsRadio(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; return false; }
  virtual TRect GetCellButtonRect(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; return TRect{}; }
  virtual TRect GetExpandGlyphRect(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; return TRect{}; }
  // True when X lies on the node glyph of the node column; always without PreciseNodeClick.
  virtual bool IsInNodeGlyph(Integer ARow, Integer X);
  // True when the node of the row is contracted.
  virtual bool GetNodeState(Integer ARow) { (void)ARow; return false; }
  // The node state of a fixed row's node cell (NodeAllExpandContract), and its inversion.
  virtual bool GetHeaderNodeState(Integer ARow) { (void)ARow; return false; }
  virtual void SetHeaderNodeState(Integer ARow, bool Contracted) { (void)ARow; (void)Contracted; }
  // The real column of the node glyphs.
  virtual Integer GetNodeColumn() { return 0; }
  // The check state of a check-box cell; False when the cell has none.
  virtual bool GetCheckBoxState(Integer ACol, Integer ARow, bool& State) { (void)ACol; (void)ARow; State = false; return false; }
  virtual void SetCheckBoxState(Integer ACol, Integer ARow, bool State) { (void)ACol; (void)ARow; (void)State; }
  // The value and the texts of a radio group (the item texts; Horizontal the layout; an index of
  // -1 keeps the selection as text). False when the cell has none.
  virtual bool GetRadioGroup(Integer ACol, Integer ARow, TStrings*& Items, bool& Horizontal, Integer*& Index) {
    (void)ACol; (void)ARow; Items = nullptr; Horizontal = false; Index = nullptr; return false;
  }
  // Actions of the cell-graphics, node and data folders: nothing happens while no cell carries
  // the graphic. ToggleCellCheck answers whether the check box changed.
  virtual bool ToggleCellCheck(Integer ACol, Integer ARow, bool FromEdit) { (void)ACol; (void)ARow; (void)FromEdit; return false; }
  virtual void ToggleRadioButton(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; }
  virtual void SetRadioIdx(Integer ACol, Integer ARow, Integer Idx) { (void)ACol; (void)ARow; (void)Idx; }
  virtual void PushButton(Integer ACol, Integer ARow, bool Down) { (void)ACol; (void)ARow; (void)Down; }
  virtual void ExpandNode(Integer ARow) { (void)ARow; }
  virtual void ContractNode(Integer ARow) { (void)ARow; }
  virtual void ExpandAll() {}
  virtual void ContractAll() {}
  // A rating cell's value (the cell-graphics folder stores it: the cell text meanwhile).
  virtual void SetRating(Integer ACol, Integer ARow, Double Value);
  // Groups of later folders, answered as by a default group: ShowModified off; ControlLook's
  // CheckAlwaysActive, RadioAlwaysActive, FixedDropDownButton off, DropDownButtonWidth 16,
  // CheckSize 15, the radio gap of the themed style (16), FixedGradientDownTo $808080.
  virtual bool ShowModifiedEnabled() { return false; }
  virtual bool CheckAlwaysActive() { return false; }
  virtual bool RadioAlwaysActive() { return false; }
  virtual bool FixedDropDownButton() { return false; }
  virtual Integer DropDownButtonWidth() { return 16; }
  virtual Integer ControlCheckSize() { return 15; }
  virtual Integer RadioGap() { return 16; }
  virtual TColor FixedGradientDownTo() { return 0x808080; }
  // DragDropSettings.OleDropSource (off until the drag-and-drop folder exists).
  virtual bool OleDropSource() { return false; }
  // Hides the active typed editor and writes its value back (the editing folder's work: the
  // platform editor's text is already in the cell).
  virtual void HideSpecialEditor(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; }
  // Anchors the grid opens itself: http, https and mailto only.
  static bool IsOpenableAnchor(const String& Anchor);

  bool GetURLShow() const { return FURLShow; }
  void SetURLShow(bool Value) { SetAndRepaint(FURLShow, Value); }
  bool GetCellSelectorMode() const { return FCellSelectorMode; }
  void SetCellSelectorMode(bool Value) { FCellSelectorMode = Value; }
  TMouseSelectMode GetMouseSelectMode() const { return FMouseSelectMode; }
  void SetMouseSelectMode(TMouseSelectMode Value) { FMouseSelectMode = Value; }
  // Fixed sizing armed by the mouse move.
  void SetSizeFixed(bool Value) { FSizeFixed = Value; }
  void SetSizeFixedR(bool Value) { FSizeFixedR = Value; }
  // What the last press left for the move and the release.
  bool GetDeselectState() const { return FDeselectState; }
  bool GetMouseDownState() const { return FMouseDown; }
  bool GetMouseResize() const { return FMouseResize; }
  TGridRect GetDropSelection() const { return FDropSelection; }
  TGridRect GetOrigSelection() const { return FOrigSelection; }
  bool GetSelectionClick() const { return FSelectionClick; }
  bool GetAnchorClick() const { return FAnchorClick; }
  bool GetSizingFixed() const { return FSizingFixed; }
  Integer GetSizingFixedCol() const { return FSizingFixedCol; }
  bool GetSizingFixedR() const { return FSizingFixedR; }
  Integer GetSizingFixedRow() const { return FSizingFixedRow; }
  TPoint GetPushedCellButton() const { return FPushedCellButton; }
  bool GetSpinUpClick() const { return FSpinUpClick; }
  bool GetSpinDnClick() const { return FSpinDnClick; }
  bool GetCtrlDown() const { return FCtrlDown; }
  TPoint GetCtrlXY() const { return FCtrlXY; }
  const String& GetCtrlDownId() const { return FCtrlDownId; }
  bool GetScrollStart() const { return FScrollStart; }
  Integer GetMouseSelectStart() const { return FMouseSelectStart; }
  Integer GetFltrPopPressCol() const { return FFltrPopPressCol; }
  TPoint GetMouseDownPt() const { return FMouseDownPt; }

  // Form controls in markup cells (NeoStringGridFormControls.cpp). Text is the cell's markup, R
  // the control's rectangle (client coordinates), ARow/RealCol the cell, ACol its display column.
  void StartCellControlEdit(const String& Text, const String& CtrlType, Integer ARow, Integer RealCol, Integer ACol,
                            TRect R, const String& CtrlVal, const String& CtrlID);
  // Writes the open control editor's value into the cell's markup and hides it.
  void HideCellControlEditor(TObject* Sender = nullptr);
  void DoControlComboSelect(TObject* Sender);
  bool GetCtrlEditing() const { return FCtrlEditing; }
  const String& GetCtrlType() const { return FCtrlType; }
  const String& GetCtrlID() const { return FCtrlID; }

  TRowColBoolEvent OnCanClickCell;
  TRowColEvent OnClickCell;
  TColRowEvent OnRadioButtonClick;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)> OnRadioClick;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)> OnCheckBoxClick;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)> OnCheckBoxChange;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, Double& NewRate, bool& Allow)> OnRatingChange;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID, const String& CtrlType,
                     const String& CtrlVal)> OnControlClick;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor, bool& AutoHandle)> OnAnchorClick;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, TPopupMenu*& AMenu, bool& KeepFixedCellHighlighted)>
      OnFixedDropDownClick;
  TColBoolEvent OnCanShowFixedDropDown;
  std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)> OnBeforeExpandNode;
  std::function<void(TObject* Sender, Integer ARow, Integer ARowReal, bool& Allow)> OnBeforeContractNode;
  std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)> OnExpandNode;
  std::function<void(TObject* Sender, Integer ARow, Integer ARowReal)> OnContractNode;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID, const String& CtrlType,
                     const String& CtrlVal, TStrings* Values, bool& Edit, Integer& DropCount)> OnControlComboList;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, Integer ItemIndex, const String& CtrlID,
                     const String& CtrlValue)> OnControlComboSelect;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& CtrlID, const String& CtrlType,
                     const String& CtrlVal)> OnControlEditDone;

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  // The left-button press, step by step (each part answers whether the press ends there).
  void WMLButtonDown(TMessage& Message);
  struct TPress;
  bool PressResizeHandle(TPress& P);
  bool PressTouchScroll(TPress& P);
  void GrabSelection(TPress& P);
  bool PressFixedSizing(TPress& P);
  void PressFixedButton(TPress& P);
  bool PressNode(TPress& P);
  bool PressCellGraphic(TPress& P);
  bool PressDisjunct(TPress& P, bool Repeat);
  bool PressAnchor(TPress& P);
  void PressFormControl(TPress& P, const String& CtrlID, const String& CtrlType, String CtrlVal, TRect CtrlRect);
  void FollowAnchor(const String& Anchor);
  bool PressFixedSelect(TPress& P);
  bool PressCheckBox(TPress& P);
  bool PressEditButton(TPress& P);
  bool PressLeaveEditor(TPress& P);
  void PressFinal(TPress& P);
  bool FixedMouseDown(TMouseButton Button, Integer X, Integer Y);
  bool FixedDropDownPress(Integer X, Integer Y);
  void InheritedLButtonDown(TMessage& Message) { TBaseGrid::WndProc(Message); }
  void FireMouseDown(TShiftState Shift, Integer X, Integer Y) {
    if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
  }
  // ===== end of mouse button down and form controls in cells =====

  // ===== mouse move, hover and cell hints (NeoStringGridMouseMove.cpp) =====
public:
  // The drag-and-drop settings the move and the release read, as by a default group while the
  // drag-and-drop option group does not exist (OleDropSource as OleDropSource() answers).
  struct TMoveDragSettings {
    bool OleDropSource = false;
    bool OleColumnsOnly = false;
    bool OleColumnDragDrop = false;
    bool OleColumnPicker = false;
    bool OleEntireRows = false;
    bool OleCopyAlways = false;
    bool OleRemoveRows = false;
    bool ShowCells = true;
  };
  // Fills the hint of the cell under HintInfo.CursorPos (client coordinates): text, position
  // (screen), maximum width, window class and colour.
  void FillCellHint(String& HintStr, THintInfo& HintInfo);
  // Hover state of the last move.
  TPoint GetHoverButton() const { return FHoverButton; }
  TPoint GetHoverCell() const { return FHoverCell; }
  Integer GetHoverLink() const { return FHoverlink; }
  const String& GetAnchor() const { return FAnchor; }
  const String& GetLastAnchorHint() const { return FLastAnchorHint; }
  Integer GetHoverButtonRow() const { return FHoverButtonRow; }
  TPoint GetHotFixedCell() const { return FHotFixedCell; }
  Integer GetHoverFixedX() const { return FHoverFixedX; }
  Integer GetHoverFixedY() const { return FHoverFixedY; }
  bool GetSizeFixed() const { return FSizeFixed; }
  bool GetSizeFixedR() const { return FSizeFixedR; }
  TPoint GetLastHintPos() const { return FLastHintPos; }
  TPoint GetLastBalloonPos() const { return FLastBalloonPos; }
  bool GetInvokedchange() const { return Invokedchange; }
  // The moving feedback windows (nullptr until first shown).
  TForm* GetMoveForm() const { return MoveForm; }
  class THeaderDragButton* GetMoveButton() const { return MoveButton; }
  class TArrowWindow* GetArrow(Integer Index) const { return Arrows[Index]; }
  // The hover-button strip's window.
  TForm* GetHoverButtonForm() const { return FButtonForm; }
  // The pop-up tool bar: a popup the grid shows 44 pixels above the current cell
  // (tbActiveCell), the hovered cell (tbHoverCell) or the hovered cell outside the fixed cells
  // (tbHoverNormalCell). The grid does not own it; a freed popup is forgotten.
  enum TPopupToolBarMode { tbNone, tbActiveCell, tbHoverCell, tbHoverNormalCell };
  class TNeoGridPopup* GetPopupToolBar() const { return FToolBarPopup; }
  void SetPopupToolBar(TNeoGridPopup* Value);
  TPopupToolBarMode GetPopupToolBarMode() const { return FPopupToolBarMode; }
  void SetPopupToolBarMode(TPopupToolBarMode Value) { FPopupToolBarMode = Value; }
  TGridCoord GetToolBarPopupCell() const { return FToolBarPopupCell; }
  bool GetURLUnderlineOnHover() const { return FURLUnderlineOnHover; }
  void SetURLUnderlineOnHover(bool Value) { FURLUnderlineOnHover = Value; }
  bool GetAnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  bool GetHintShowCells() const { return FHintShowCells; }
  void SetHintShowCells(bool Value) { FHintShowCells = Value; }
  bool GetHintShowLargeText() const { return FHintShowLargeText; }
  void SetHintShowLargeText(bool Value) { FHintShowLargeText = Value; }
  THintLargeTextPos GetHintShowLargeTextPos() const { return FHintShowLargeTextPos; }
  void SetHintShowLargeTextPos(THintLargeTextPos Value) { FHintShowLargeTextPos = Value; }
  bool GetHTMLHint() const { return FHTMLHint; }
  void SetHTMLHint(bool Value) { FHTMLHint = Value; }
  bool GetHintShowSizing() const { return FHintShowSizing; }
  void SetHintShowSizing(bool Value) { FHintShowSizing = Value; }
  bool GetUseInternalHintClass() const { return FUseInternalHintClass; }
  void SetUseInternalHintClass(bool Value) { FUseInternalHintClass = Value; }
  // The hover-button strip's buttons fire OnHoverButtonClick with the hovered row and their item.
  void DoHoverButtonClick(TObject* Sender);
  virtual void DoStartBlockFocus();
  // Paints the control into a bitmap and makes a borderless, top-most, 192-alpha form (owned by
  // the grid, the caller frees it) showing the cells of ARect.
  TForm* SelectionToForm(TGridRect ARect);
  // Comment cells, cell scroll bars and text measuring of the cell-graphics and looks folders:
  // no cell carries a comment or a scroll bar until they exist, and measuring answers (0, 0).
  virtual bool IsComment(Integer ACol, Integer ARow, String& Comment) { (void)ACol; (void)ARow; Comment.clear(); return false; }
  virtual bool GetCellScrollBar(Integer ACol, Integer ARow, Integer& Range, Integer& Page, Integer& Position) {
    (void)ACol; (void)ARow; Range = Page = Position = 0; return false;
  }
  virtual void MeasureCellText(Integer ACol, Integer RCol, Integer ARow, bool Unbounded, bool VS, bool SB, TPoint& Size) {
    (void)ACol; (void)RCol; (void)ARow; (void)Unbounded; (void)VS; (void)SB; Size = TPoint{0, 0};
  }
  // The cell text without markup (rich text stays as it is until the rich-text folder exists),
  // and the decoded text of a pair-encoded cell.
  virtual String GetStrippedCell(Integer ACol, Integer ARow);
  virtual String GetWideCells(Integer ACol, Integer ARow);
  // The control look's hint width (0: no limit) and the style colours (the looks folder's work).
  virtual Integer ControlLookHintMaxWidth() { return 0; }
  virtual void AdaptStyleServicesColors(bool Force) { (void)Force; }
  // The drag-and-drop group's settings, and the drags of the drag-and-drop folder: until it
  // exists a drag ends cancelled at once.
  virtual TMoveDragSettings MoveDragSettings() {
    TMoveDragSettings s;
    s.OleDropSource = OleDropSource();
    return s;
  }
  virtual Integer DragCellText(const String& Text, const String& RichText, TStream* Cells, DWORD Effects);
  virtual Integer DragGridColumn(DWORD Effects);
  // The effect of the last drag that did not end cancelled (DROPEFFECT_NONE when none).
  virtual Integer DragLastEffect() { return 0; }
  // Removing or clearing the source cells after a move drag (the data folder's work).
  virtual void RemoveSelectedRows() {}
  virtual void ClearSelection() {}
  // The markup engine's hit test of the cell at the client point: anchor, its hint text and the
  // link index (-1 when the point is on no link). False when the point is on no anchor.
  bool HitTestCellAnchor(Integer ACol, Integer ARow, Integer X, Integer Y, String& Anchor, String& AnchorHint,
                         Integer& Link);

  std::function<void(TObject* Sender, Integer ACol, Integer ColumnSize)> OnColumnSizing;
  std::function<void(TObject* Sender, Integer ARow, Integer RowSize)> OnRowSizing;
  TColBoolEvent OnColumnSize;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Data, bool& Allow)> OnOleDrag;
  TRowColEvent OnOleDragStart;
  std::function<void(TObject* Sender, Integer OLEEffect)> OnOleDragStop;
  TNotifyEvent OnStartBlockFocus;
  TColBoolEvent OnColumnMove;
  TColBoolEvent OnColumnMoving;
  TColBoolEvent OnRowMove;
  TColBoolEvent OnRowMoving;
  TRowColTextEvent OnAnchorHint;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor)> OnAnchorEnter;
  std::function<void(TObject* Sender, Integer ARow, Integer ACol, const String& Anchor)> OnAnchorExit;

protected:
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMStyleChanged(TMessage& Message);
  // Focus-side handlers: the cell hint request, the cursor by the pending selection mode and
  // fixed sizing, and the cursor-changed notification that forgets the pending mode unless the
  // grid changed the cursor itself.
  void CMHintShow(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void CMCursorChanged(TMessage& Message);

private:
  // The parts of MouseMove in their order (each named after what it looks after).
  void MoveTouchScroll(Integer X, Integer Y);
  void MovePopupToolBar(Integer ACol, Integer ARow);
  void PopupToolBarAt(TGridCoord Cell);
  // Called on the removal of AComponent: a removed tool bar is forgotten.
  void ForgetToolBarPopup(TComponent* AComponent);
  void MoveHoverRow(Integer ARow);
  void MoveCellScrollBar(Integer ACol, Integer ARow);
  void MoveHoverButtons(Integer ACol, Integer ARow, Integer X, Integer Y);
  void BuildHoverButtons();
  void PlaceHoverButtons(Integer ARow);
  void HideHoverButtons();
  void MoveFixedHover(Integer ACol, Integer ARow);
  void MoveHotFixedCell(Integer ACol, Integer ARow);
  void MoveCellButtonHover(Integer ACol, Integer ARow, Integer X, Integer Y);
  void MoveRowColSelect(Integer ACol, Integer ARow, Integer Y);
  void SelectRangeRect(const TGridRect& R);
  void MoveFixedSizingArm(Integer ACol, Integer ARow, Integer X, Integer Y);
  bool OverResizeHandle(Integer ACol, Integer ARow, Integer X, Integer Y);
  bool MoveOleDragStart(Integer ACol, Integer ARow, Integer X, Integer Y, bool OverHandle);
  void ShowDragPicture(TGridRect R, TPoint P);
  void PlaceDragPicture(TPoint P);
  void MoveSizingMovingStates(Integer ARow);
  void MoveFeedback(Integer ACol, Integer ARow, Integer X, Integer Y);
  void ShowHeaderDragButton(const String& Caption, Integer AWidth, Integer AHeight);
  TArrowWindow* ArrowWindow(Integer Index);
  void MoveAutoScroll(Integer X, Integer Y);
  bool MoveSelectMode(Integer ACol, Integer ARow, Integer X, Integer Y, bool OverHandle);
  bool MoveLinks(Integer ACol, Integer ARow, Integer X, Integer Y);
  void SetGridCursor(TCursor Value);
  void MoveHintCancel(Integer ACol, Integer ARow);
  void MoveSizingEvents(Integer X, Integer Y, Integer ARow);
  void MoveSizingHint(Integer X, Integer Y);
  TPoint BaseCellOf(Integer ACol, Integer ARow);
  void RepaintPoint(TPoint Cell);

protected:
  // ===== end of mouse move, hover and cell hints =====

  // ===== mouse button up, sorting, double and right clicks (NeoStringGridMouseUp.cpp) =====
public:
  // The sort options (made on first use) and the multi-column sort list: each entry a column in
  // the low 16 bits with the top bit set for a descending column.
  TSortSettings* GetSortSettings();
  void SetSortSettings(TSortSettings* Value);
  TSortIndexList* GetSortIndexes() const { return FSortIndexes.get(); }
  // Columns (real) that a click on the sort row never sorts.
  TIntList* GetIgnoreColumns() const { return FIgnoreColumns.get(); }
  // Per-column entries that a width of 0 keeps (the column before is sized instead).
  TIntList* GetSuppressColSizes() const { return FSuppressColSizes.get(); }
  // Milliseconds the last click sort took.
  Cardinal GetSortTime() const { return FSortTime; }
  // A double click on a header border sized a column: the next button up does not sort.
  bool GetDblClk() const { return FDblClk; }
  // The release ended a column or row move.
  bool GetMovedNow() const { return MovedNow; }
  // The header row whose cells open the filter list (below FixedRows; a change repaints).
  Integer GetFilterDropDownRow() const { return FFilterDropDownRow; }
  void SetFilterDropDownRow(Integer Value);
  Integer GetFilterCol() const { return FFilterCol; }
  bool GetURLEdit() const { return FURLEdit; }
  void SetURLEdit(bool Value) { FURLEdit = Value; }
  // The menu of filter types a filter glyph opens (nullptr until first shown).
  TPopupMenu* GetFilterPopup() const { return FFltrPopup; }
  // Sorting (the data folder's work: rows keep their order until it exists). QSort sorts by
  // SortSettings.Column and Direction, QSortIndexed by the sort list, the group variants within
  // the child rows of nodes, QUnSort restores the order from before the first sort.
  virtual void QSort() {}
  virtual void QSortIndexed() {}
  virtual void QSortGroup() {}
  virtual void QSortGroupIndexed() {}
  virtual void QUnSort() {}
  // Records the current row order as the unsorted one.
  virtual void InitSortXRef();
  // Merged cells of every column split before a click sort, and the MergedColumns merged after
  // it (the data folder's work).
  virtual void SplitAllColumnCells() {}
  virtual void ApplyMergedColumns() {}
  // Sizes a column to its content plus Padding (the data folder's work: the width stays).
  virtual void AutoSizeCol(Integer ACol, Integer Padding) { (void)ACol; (void)Padding; }
  // The check box of a cell toggled from the user (the cell-graphics folder's ToggleCellCheck).
  virtual bool ToggleCheckBox(Integer ACol, Integer ARow) { return ToggleCellCheck(ACol, ARow, false); }
  // Inverts an expandable cell's state and answers the new one (no cell is expandable yet).
  virtual bool ToggleExpand(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; return false; }

  TNotifyEvent OnEndBlockFocus;
  std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)> OnSelectionResize;
  std::function<void(TObject* Sender, TGridRect OrigSelection, TGridRect NewSelection)> OnSelectionResized;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool State)> OnCheckBoxMouseUp;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, Integer AIdx)> OnRadioMouseUp;
  TColEvent OnClickSort;
  std::function<void(TObject* Sender, Integer ACol, Integer AIndex, bool& DoShow)> OnShowFilterEdit;
  TRowColEvent OnDblClickCell;
  TRowColEvent OnRightClickCell;

protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void WMLButtonUp(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  virtual void DoClickSort(Integer ACol);
  virtual void DoEndBlockFocus();
  // Fills FilterList for a real column; True when it has entries (no column has a filter list
  // until the filter folder exists). The drop-down under a header cell, the filter type picked
  // from the glyph menu, and hiding a shown list (True when one was shown) are its work too.
  virtual bool BuildFilterList(Integer ACol, bool StopAtFirst, bool IncludeHidden);
  virtual void FillFilterDropDown(Integer ACol, Integer ARow) { (void)ACol; (void)ARow; }
  virtual void FilterPopupClick(TObject* Sender) { (void)Sender; }
  virtual bool HideFilterList() { return false; }
  // FilterEdit.TypeNames (nullptr while the filter edit group does not exist).
  virtual TStrings* FilterTypeNames() { return nullptr; }
  // The grown selection filled from the cells of Source, as a smart paste from memory (the
  // clipboard folder's work: nothing is written until it exists). The clipboard is not touched.
  virtual void SmartFillSelection(const TGridRect& Source, const TGridRect& Target) { (void)Source; (void)Target; }
  // The design-time quick configuration (the designer's work).
  virtual void DesignHelperClick(Integer X, Integer Y) { (void)X; (void)Y; }
  // ControlLook.NoDisabledButtonLook (off while the group does not exist).
  virtual bool NoDisabledButtonLook() { return false; }
  // Grouping.AutoSelectGroup (off while the group does not exist) and the rows a node spans.
  virtual bool AutoSelectGroup() { return false; }
  virtual Integer GetNodeSpan(Integer ARow) { (void)ARow; return 1; }

private:
  struct TRelease;
  bool ReleaseTouchScroll(TRelease& R);
  void TouchTap(TRelease& R, Integer ACol, Integer ARow);
  void ReleaseFixedSizing(TRelease& R);
  void ReleaseCellButton(TRelease& R);
  bool OnButtonOrGlyph(Integer ACol, Integer ARow, Integer X, Integer Y);
  bool ReleaseSelectionClick(TRelease& R);
  void ReleaseDisjunctRows(TRelease& R);
  void ReleaseGroupSelect(TRelease& R);
  void ReleaseDisjunctCols(TRelease& R);
  void ReleaseMoving(TRelease& R);
  void ReleaseSelectionResize();
  void ReleaseCellEvents(TRelease& R);
  void ReleaseSort(TRelease& R);
  bool SortAllowed(TRelease& R);
  void SortByIndex(Integer ACol, TShiftState Shift);
  void SortByColumn(Integer ACol);
  bool FilterGlyphUp(Integer ACol, Integer ARow, Integer X, Integer Y);
  void ShowFilterPopup(Integer ACol, const TRect& CellR);
  bool FilterDropDownUp(Integer ACol, Integer ARow, Integer X, Integer Y, bool SizingCols);
  bool DisjunctCellUp(Integer ACol, Integer ARow, TShiftState Shift);
  bool DblClickAutoSize(TMessage& Message, Integer ACol, Integer ARow, Integer X);
  void DblClickEdit(Integer ACol, Integer ARow);
  bool RightClickSelect(Integer ACol, Integer ARow, Integer X, Integer Y, TShiftState Shift);
  // The left column kept over Action with Navigation.KeepHorizScroll in row-select mode.
  template <class F> void KeepingLeftCol(F Action);

protected:
  // ===== end of mouse button up, sorting, double and right clicks =====

  // ===== moved columns and rows, visual settings (NeoStringGridMoved.cpp) =====
public:
  // Moves a column (display indexes) with everything kept per column: cells, width, suppression
  // record, visibility, saved width, order entry, sort column and sort list, current column and
  // cell controls. Records the column order first when none is recorded.
  void MoveColumn(Integer FromIndex, Integer ToIndex);
  // Moves a row (display indexes) with its height and cell controls; nothing onto the row of a
  // visible floating footer.
  void MoveRow(Integer FromIndex, Integer ToIndex);
  // The order list becomes 0 .. ColCount - 1; the suppression records take every current width.
  void SetColumnOrder();
  // Shows every hidden column and moves the columns back into the recorded order.
  void ResetColumnOrder();
  // At each display position, the index the column there had when the order was recorded.
  TIntList* GetColumnOrder() const { return FColumnOrder.get(); }
  // Width 0 for a column (display index) whose width is above 0, the width kept to come back.
  void SuppressColumn(Integer Index);
  bool GetEnhRowColMove() const { return FEnhRowColMove; }
  void SetEnhRowColMove(bool Value) { FEnhRowColMove = Value; }
  // An enhanced move adjusted widths or heights (the button-up handler then leaves the cells alone).
  bool GetColMoveFlg() const { return ColMoveFlg; }
  void SetColMoveFlg(bool Value) { ColMoveFlg = Value; }

  // The visual properties as a text file of 74 Key=Value lines (CR LF, the ANSI code page).
  // "Cannot Create <name>" when the file cannot be made.
  void SaveVisualProps(const String& FileName);
  // The whole file is read and checked before anything is applied: "Cannot open file <name>" when
  // it cannot be opened; a value that cannot be read raises EConvertError naming the key and the
  // value, with nothing applied. A missing integer key gives the property's default. Look ends as
  // glCustom.
  void LoadVisualProps(const String& FileName);
  // The fixed-cell gradient.
  TColor GetNeoGradientFrom() const { return FNeoGradFrom; }
  void SetNeoGradientFrom(TColor Value) { SetAndRepaint(FNeoGradFrom, Value); }
  TColor GetNeoGradientTo() const { return FNeoGradTo; }
  void SetNeoGradientTo(TColor Value) { SetAndRepaint(FNeoGradTo, Value); }
  TColor GetNeoGradientMirrorFrom() const { return FNeoGradMirrorFrom; }
  void SetNeoGradientMirrorFrom(TColor Value) { SetAndRepaint(FNeoGradMirrorFrom, Value); }
  TColor GetNeoGradientMirrorTo() const { return FNeoGradMirrorTo; }
  void SetNeoGradientMirrorTo(TColor Value) { SetAndRepaint(FNeoGradMirrorTo, Value); }
  // Stores the look and repaints (applying a look's colours comes with the looks).
  void SetLook(TGridLook Value) { SetAndRepaint(FLook, Value); }
  TColor GetURLColor() const { return FURLColor; }
  void SetURLColor(TColor Value) { SetAndRepaint(FURLColor, Value); }
  bool GetURLShowInText() const { return FURLShowInText; }
  void SetURLShowInText(bool Value) { SetAndRepaint(FURLShowInText, Value); }

  // The floating footer's values of a column (-1: every real column), by the calculation type of
  // each last-row cell, while the footer shows the last row and calculation is enabled.
  virtual void CalcFooter(Integer ACol);
  // The integer as decimal text, the float in FloatFormat (real column); a hidden-columns grid
  // repaints the cell.
  void SetInts(Integer ACol, Integer ARow, Integer Value);
  void SetFloats(Integer ACol, Integer ARow, Double Value);
  // The grid's own footer handler: asked before FloatingFooter.OnCalcFooter for acCUSTOM cells.
  TCalcFooterEvent FOnCalcFooter;
  // Column aggregates over rows FromRow .. ToRow (the data folder's column calculations; until
  // they exist nothing is aggregated: 0).
  virtual Double ColumnSum(Integer ACol, Integer FromRow, Integer ToRow);
  virtual Double ColumnAvg(Integer ACol, Integer FromRow, Integer ToRow);
  virtual Double ColumnMin(Integer ACol, Integer FromRow, Integer ToRow);
  virtual Double ColumnMax(Integer ACol, Integer FromRow, Integer ToRow);
  virtual Integer ColumnDistinct(Integer ACol, Integer FromRow, Integer ToRow);
  virtual Double ColumnStdDev(Integer ACol, Integer FromRow, Integer ToRow);

protected:
  virtual void DoCalcFooter(Integer ACol);
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;

private:
  // The sort column and the sort list follow a column moved from real RFrom to RTo.
  void MoveSortState(Integer RFrom, Integer RTo);
  // Cell controls re-indexed for a column (row) move.
  void MoveCellControls(bool Columns, Integer FromIndex, Integer ToIndex);

protected:
  // ===== end of moved columns and rows, visual settings =====

  // ===== balloon tooltip window (NeoStringGridBalloon.cpp) =====
public:
  TBalloonSettings* GetBalloon() const { return FBalloon.get(); }
  void SetBalloon(TBalloonSettings* Value) { FBalloon->Assign(Value); }
  // The balloon tooltip window while balloons are on and the grid's window exists.
  HWND GetHToolTip() const { return FHToolTip; }

protected:
  // Makes the tooltip window with its one tool over the grid (once), and ends it.
  void BalloonInit();
  void BalloonDone();
  virtual void BalloonEnableChanged(TObject* Sender);
  virtual void BalloonCreateWindow();
  virtual void BalloonDestroyWindow();
  virtual void BalloonAddTool(Integer Icon, const String& Title);
  void BalloonInitSettings(HWND HToolTip);
  // ===== end of balloon tooltip window =====

  // ===== relays and dimensions (late members) =====
public:
  // The pictures markup text names (not owned; forgotten when the container goes).
  class TPictureContainer* GetPictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* Value);
  // The colour of the four arrows that show where a moved column or row lands: read from the up
  // arrow, set on all four.
  TColor GetArrowColor();
  void SetArrowColor(TColor Value);
  // The canvas of the floating footer's panel.
  TCanvas* GetFooterCanvas() const;
  // The unit edit-button editor's unit change, reported with the current cell.
  void DoUnitChanged(TObject* Button, const String& NewUnit);
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& NewUnit)> OnUnitChanged;
  // The node row holding display row ARow; -1 while the grid has no nodes.
  virtual Integer GetParentRow(Integer ARow);
  // Row insertion and removal beside nodes (real rows; the data folder's work: nothing meanwhile).
  virtual void InsertNormalRow(Integer ARow);
  virtual void InsertChildRow(Integer ARow, Integer InsertAt = 0);
  virtual void RemoveNormalRow(Integer ARow);
  virtual void RemoveChildRow(Integer ARow);

protected:
  // The inplace editor's length limit: MaxEditLength (0: none).
  Integer GetEditLimit() override { return FMaxEditLength; }
  // ===== end of relays and dimensions (late members) =====

  // ===== queries on groups of later folders, as for a default group while they do not exist =====
  // The floating footer's Visible and FooterStyle (a default footer before the group is made).
  virtual bool FloatingFooterVisible();
  virtual TFooterStyle FloatingFooterStyle();
  // Asked before a row below the view is scrolled in by the cell-selection query.
  virtual bool KeepTopRow() { return false; }
  // Invalidates the highlighted fixed cells of the old and new current cell (the looks folder
  // paints them: the fixed row and column meanwhile).
  virtual void RepaintActiveHeaders(Integer OldCol, Integer OldRow, Integer NewRow, Integer NewCol);
  // The grid's override of the platform's cell-selection query.
  bool SelectCell(Integer ACol, Integer ARow) override;
  // The background is drawn as a horizontal or vertical gradient.
  bool BackGroundIsGradient() const;
  bool BalloonEnabled() const { return FBalloon->GetEnable(); }
  bool HasHiddenRows() { return NumHiddenRows() > 0; }
  // Repaints the floating footer's panel (the footer folder's work).
  virtual void UpdateFooter() {}
  // Sizes every normal column to its content with Padding pixels (the data folder's work).
  virtual void AutoSizeColumns(bool DoFixedCols, Integer Padding) { (void)DoFixedCols; (void)Padding; }
  // Applies the current Office theme's look (the looks folder's work).
  virtual void ApplyOfficeTheme() {}
  // Draws the grid's own border over the non-client area (the looks folder's work).
  virtual void PaintBorder() {}

private:
  template <class V>
  void SetAndRepaint(V& Field, V Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
  }
  template <class C>
  void SetReference(C*& Field, C* Value) {
    if (Field == Value) return;
    if (Field) Field->RemoveFreeNotification(this);
    Field = Value;
    if (Field) Field->FreeNotification(this);
  }
  // Repaints the highlighted fixed row and column (ActiveCellShow) and the active row.
  void RepaintSelectionMarks(const TGridRect& Value);
  TEditorType EditorKindFor(Integer ACol, Integer ARow, TEditorType AEditor, bool Ex);
  // Ends a parked selection: the platform grid's selection is shown again.
  void EndSelectionPark();
  void CreateOptionGroups();
  void CreateLists();
  void CreateRunTimeControls();
  void SetDefaults();
  // The frame's screen rectangle around a client cell rectangle.
  TRect FocusFrameRect(TRect R);
  void RepaintBorder();
  // The window procedure's parts: the registered messages, the combo editor's notifications, the
  // live copy of edited text, and the two timers.
  bool HandleRegisteredMessage(TMessage& Message);
  void HandleComboNotification(TMessage& Message);
  bool HandleEditChange(TMessage& Message);
  void GridTimerTick();
  void WMTimer(TMessage& Message);
  // An inplace editor is open (the grid's own flag or the platform's editor mode).
  bool EditorOpen() const;
  // The synchronised grid follows the current column (row) with its OnClick detached.
  void SyncPartner(bool ByColumn);
  void AutoScrollTick(TMessage& Message);
  void RepaintBlinkingCells();
  void WMSetFocus(TMessage& Message);
  // The current cell lies in the scrolled view.
  bool CurrentCellInView();
  void WMKillFocus(TMessage& Message);
  // Advancing after Enter: one step in the advance direction (False stops the advance), and
  // whether an appended row or column has a cell to edit.
  bool AdvanceStep(Integer& ACol, Integer& ARow, bool Forward);
  bool RowHasEditableCell(Integer ARow);
  bool ColHasEditableCell(Integer ACol);
  // Copies the grid's own settings of Assign (everything but the option groups and the cells).
  void AssignSettings(TNeoStringGrid* Source);

  // ---- owned option groups
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TNeoHintInfo> FOfficeHint;
  // ---- fonts, string lists, lists
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::unique_ptr<TFont> FScratchFont;
  std::unique_ptr<TStringList> FColumnHeaders;
  std::unique_ptr<TStringList> FRowHeaders;
  std::unique_ptr<TStringList> FSortlist;
  std::unique_ptr<TStringList> FLookupItems;
  std::unique_ptr<TStringList> FFilterList;
  // Disjunct row and column flags (1 selected): they only grow.
  std::vector<Byte> FRowSelect;
  std::vector<Byte> FColSelect;
  std::vector<TGridChangeNotifier*> FNotifierList;
  std::shared_ptr<ITNeoStringGridSelect> FISelect;
  std::unique_ptr<TNeoControlList> FControlList;
  std::unique_ptr<TIntList> FCacheRowHeights;
  std::unique_ptr<TIntList> FOrigColSizes;
  std::unique_ptr<TIntList> FSuppressColSizes;
  std::unique_ptr<TIntList> FSuppressRowSizes;
  std::unique_ptr<TIntList> FIgnoreColumns;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TIntList> FSortRowXRef;
  std::unique_ptr<TIntList> FUnSortRowXRef;
  std::unique_ptr<TIntList> FMergedColumns;
  TGridCellList FSelectedCells;
  std::unique_ptr<TIntList> FSelectedRows;
  std::unique_ptr<TIntList> FModifiedRows;
  std::unique_ptr<TIntList> FEnabledRows;
  std::unique_ptr<TIntList> FColumnOrder;
  std::unique_ptr<TBitmap> FRowIndicator;
  std::unique_ptr<TImageList> FFltrList;
  // ---- child controls (owned by the grid as components)
  TPanel* FFooterPanel = nullptr;
  TPanel* FSearchPanel = nullptr;
  TGridFocusWindow* FFocusWindow = nullptr;
  TScrollBar* FScrollBar = nullptr;
  TScrollBar* FPaintScrollBar = nullptr;
  TForm* FButtonForm = nullptr;

  // ---- sizes
  Integer FMaxRowCount = 0;
  Integer FMaxColCount = 0;
  Integer FFixedRowHeight = 0;
  Integer FFixedRowsMin = 0;
  Integer FFixedColsMin = 0;
  Integer FOldLeftCol = 0;
  Double FDPIScale = 1.0;
  Integer FScrollWidth = 0;
  TPoint FXYOffset{2, 2};
  TPoint FXYRTFOffset{0, 0};
  Integer FZoomFactor = 0;
  Integer FMinRowHeight = 0;
  Integer FMaxRowHeight = 0;
  Integer FMinColWidth = 0;
  Integer FMaxColWidth = 0;
  bool FIntegralHeight = false;
  Integer FUpdateCount = 0;
  UINT FWheelMsg = 0;
  Integer FWheelScrollLines = 0;
  bool FWheelPan = false;
  // ---- look and colours
  TGridLook FLook = glXP;
  TColor FNeoGradFrom = 0xFFFFFF;
  TColor FNeoGradTo = 0;
  TColor FNeoGradMirrorFrom = clNone;
  TColor FNeoGradMirrorTo = clNone;
  TColor FBorderColor = 0x808080;
  bool FIsFlat = false;
  TScrollType FScrollType = ssNormal;
  TColor FScrollColor = clNone;
  bool FUseStyleServices = true;
  bool FUseScrollStyles = false;
  TColor FHintColor = clInfoBk;
  TColor FHighlightColor = clHighlight;
  TColor FHighLightTextColor = clHighlightText;
  TColor FSelectionColor = 0xEACAB6;
  TColor FSelectionColorTo = clNone;
  TColor FSelectionMirrorColor = clNone;
  TColor FSelectionMirrorColorTo = clNone;
  TColor FSelectionTextColor = 0;
  bool FUseSelectionTextColor = true;
  Integer FSelectionColorMixerFactor = 50;
  bool FShowFocusedSelectionColor = true;
  TColor FSelectionRectangleColor = 0;
  TColor FActiveCellColor = 0x808080;
  TColor FActiveCellColorTo = clNone;
  TColor FDisabledFontColor = 0xC0C0C0;
  bool FUseDisabledFont = true;
  TColor FURLColor = 0xFF0000;
  // ---- text and formats
  String FFloatFormat = u"%.2f";
  String FCheckTrue = u"Y";
  String FCheckFalse = u"N";
  String FXMLEncoding = u"ISO-8859-1";
  String FFilterDropDownClear = u"(All)";
  String FFilterDropDownCheckTrue;
  String FFilterDropDownCheckFalse;
  Char FPasswordChar = u'*';
  TGridEncoding FEncoding = geUTF8;
  Char FDelimiter = 0;
  bool FJavaCSV = false;
  bool FQuoteEmptyCells = true;
  bool FQuoteQuoteCells = true;
  bool FAlwaysQuotes = false;
  bool FCSVMultilineCellImport = true;
  bool FCSVTrimSpaces = true;
  bool FLoadFirstRow = true;
  bool FSaveWithHTML = true;
  bool FHTMLKeepLinebreak = true;
  bool FEnableHTML = true;
  bool FFixDecSep = true;
  // ---- saving
  bool FSaveFixedCells = true;
  bool FSaveFixedRows = false;
  bool FSaveFixedCols = false;
  bool FSaveHiddenCells = false;
  bool FSaveVirtCells = true;
  bool FSaveMergedCells = true;
  bool FInWorkbook = false;
  bool FSaveFormula = false;
  bool FExcelClipboardFormat = false;
  // ---- behaviour
  bool FUseFixedFont = true;
  bool FShowColNrs = true;
  bool FFitCellsInGrid = true;
  bool FFilterNormalCellsOnly = true;
  bool FAutoFilterUpdate = true;
  TFilterDropDownColumns FFilterDropDownColumns = fdNormal;
  bool FFilterDropDownMultiCol = true;
  bool FFilterIncremental = false;
  Integer FFilterCol = -1;
  Integer FFilterLevel = 0;
  bool FShowDesignHelper = true;
  bool FEnhRowColMove = true;
  TEditorType FDefaultEditor = edNormal;
  TAlignment FDefaultAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  bool FShowSelection = true;
  bool FHideFocusRect = false;
  bool FFixedAsButtons = false;
  bool FEnableWheel = true;
  bool FWordWrapEx = true;
  bool FIntelliZoom = true;
  bool FShowNullDates = true;
  TInvalidEntryIcon FInvalidEntryIcon = ieWarning;
  THintLargeTextPos FHintShowLargeTextPos = hpCell;
  bool FUseInternalHintClass = true;
  Integer FGroupColumn = -1;
  TOfficeTheme FOldOfficeTheme = otUnknown;
  Integer FLastScrollCode = 255;
  Integer FComboIdx = -1;
  Integer FPrintPageFrom = 1;
  Integer FPrintPageTo = 1;
  Integer FPrintPageNum = 0;
  std::vector<bool> FVisibleCol;
  Integer FNumHidden = 0;
  std::vector<Integer> FAllColWidths;
  Integer FFixedRightCols = 0;
  Integer FFixedFooters = 0;
  UINT FVAlign = 0;
  bool FSelectionColorMixer = false;
  bool FSelectionRectangle = false;
  bool FSelectionResizer = false;
  bool FHovering = false;
  Integer FMaxEditLength = 0;
  bool FSizeWithForm = false;
  bool FSpreadSheet = false;
  bool FAutoSizeEx = false;
  TCustomImageList* FGridImages = nullptr;
  TComponent* FCellChecker = nullptr;
  TPopupMenu* FFixedDropDownMenu = nullptr;
  // Parked selection and the selection copies of the selection folder.
  TGridRect FOldSelection{0, 0, 0, 0};
  bool FSelHidden = false;
  TGridRect FDisSelection{0, 0, 0, 0};
  Integer FAECol = -1;
  Integer FAERow = -1;
  Integer FOldRowSel = -1;
  // Set while a floating footer's row is moved: cell objects are not freed.
  bool FNilObjects = false;
  bool FUsePlatformStyles = false;
  Integer FOldCol = -1;
  Integer FOldRow = -1;
  String FOldCellText;
  bool FOldModifiedValue = false;
  bool FModified = false;
  bool FOwnsObjects = false;
  bool FClearTextOnly = false;
  bool FFixedRowAlways = false;
  bool FFixedColAlways = false;
  bool FActiveCellShow = false;
  bool FEditDisable = false;
  bool FAutoThemeAdapt = false;
  // ---- state
  bool FDesignTime = false;
  bool FLoaded = false;
  bool FEditChange = false;
  bool FGridDestroying = false;
  Integer FHoverCol = -1;
  Integer FHoverRowPos = -1;
  Integer FLastTabCol = -1;
  Integer FMouseSelectCol = -1;
  Integer FMouseSelectRow = -1;
  Integer FOldSize = -1;
  TRect FDisjunctRect{-1, -1, -1, -1};
  bool FIsWinXP = false;
  bool FIsWin7 = false;
  bool FIsComCtl6 = false;
  bool FIsWinVista = false;
  TCursor FOldCursor = 0;
  bool FIsColChanging = false;
  bool FFocusShown = false;
  bool FSelChange = false;
  Integer FPaintCount = 0;
  // ---- window procedure, timers, focus
  Integer FTimerTicks = 0;
  bool FGridBlink = false;
  bool FEnableBlink = false;
  String FSearchInc;
  Integer FSearchTics = 0;
  bool FShowEditProcess = false;
  bool FEditStart = false;
  bool FComboChangeReported = false;
  String FInvalidEntryTitle;
  bool FBlockKill = false;
  bool FBlockFocus = false;
  bool FInvokedFocusChange = false;
  THoverFixedCells FHoverFixedCells = hfNone;
  Integer FHoverFixedX = -1;
  Integer FHoverFixedY = -1;
  bool FNoMouseLeave = false;
  bool FSizeFixed = false;
  bool FSizeFixedR = false;
  bool FEntered = false;
  // ---- selection and navigation state
  bool FRowSelMod = false;
  bool FUseEnabledRows = false;
  bool FForceSel = false;
  bool FInvalidSel = false;
  bool FDisableChange = false;
  bool FBlockCellChanging = false;
  bool FEditing = false;
  bool FEditMode = false;
  TEditorType FEditControl = edNormal;
  bool FIsDBVersion = false;
  Char FStartEditChar = 0;
  String FCellCache;
  String FEditText;
  String FInvalidCache;
  std::vector<Integer> FInitialColSizes;
  // ---- scrolling (NeoStringGridScroll.cpp)
  TScrollStyle FScrollBarsCopy = ssBoth;
  TScrollHintType FScrollHints = shNone;
  TScrollBarAlways FScrollBarAlways = saNone;
  bool FScrollProportional = false;
  bool FScrollSynch = false;
  bool FScrollLock = false;
  bool FFlat = false;
  THintWindow* FScrollHintWnd = nullptr;
  bool FScrollHintShow = false;
  Integer FOldTopRow = 0;
  TDragScrollDirections FDragScrollDirection;
  TTimer* FDragTmr = nullptr;
  TScrollControl* vscrlctrl = nullptr;
  TScrollControl* hscrlctrl = nullptr;
  void FreeScrollControls();
  void StopDragTimer();
  TTimer* FScrollTimer = nullptr;
  Integer FScrollSteps = 0;
  Integer FScrollDelta = 0;
  bool FScrollVert = false;
  bool FScrollEnd = false;
  void WMHScroll(TMessage& Message);
  void WMVScroll(TMessage& Message);
  bool InCellScroll(TMessage& Message);
  void ShowScrollHint(const String& Prefix, Integer N);
  void HideScrollHint();
  // Cells under a fixed background picture (none until the picture exists).
  TRect BackGroundRange();
  // Places the in-cell scroll bar at the current cell's right edge (height 0 out of view).
  void PlaceCellScrollBar();
  void PlaceCellControl(TControlItem* Item);
  bool CellInView(Integer ACol, Integer ARow);
  // Sums of (line + size) over a run of columns (rows) [From, To).
  Int64 ColumnSpan(Integer From, Integer To);
  Int64 RowSpan(Integer From, Integer To);
  // ---- sizing (NeoStringGridSizing.cpp)
  bool FColchgFlg = false;
  bool FColSizeFlg = false;
  bool FColSized = false;
  bool FRowSized = false;
  Integer FColclicked = -1;
  Integer FRowclicked = -1;
  Integer FColclickedsize = 0;
  Integer FRowclickedsize = 0;
  bool FInWMSize = false;
  bool FDisableSize = false;
  void WMSize(TMessage& Message);
  void SynchColumnWidths(Integer AWidth);
  void ShowWindowBarsAfterSize();
  // ---- cell controls (NeoStringGridCellControls.cpp)
  Integer FNumCellControls = 0;
  bool FCcuCall = true;
  // ---- cell helpers (NeoStringGridCellHelpers.cpp)
  Integer FOleDragCol = -1;
  Integer FOleDragIndex = -1;
  TCustomListBox* FOleDragList = nullptr;
  // ---- balloon tooltip window (NeoStringGridBalloon.cpp)
  std::unique_ptr<TBalloonSettings> FBalloon = MakeBalloonSettings();
  HWND FHToolTip = nullptr;
  std::unique_ptr<TBalloonSettings> MakeBalloonSettings();
  // ---- end of balloon tooltip window
  // ---- relays and dimensions (late members)
  TPictureContainer* FPictureContainer = nullptr;
  // ---- end of relays and dimensions (late members)
  // ---- keyboard and character input (NeoStringGridKeys.cpp)
  bool FExcelStyleDecimalSeparator = false;
  // The selection when the key went down, and the current cell before the platform's navigation.
  TGridRect FMoveSelection{-1, -1, -1, -1};
  TGridCoord FLastKeyCell{-1, -1};
  // The selection when the last key went down, kept past the change notification.
  TGridRect FKeyDownSelection{-1, -1, -1, -1};
  bool FBlockSelChange = false;
  // ---- end of keyboard and character input
  // ---- mouse wheel, IntelliPan and zoom (NeoStringGridWheel.cpp)
  TIntelliPan FIntelliPan = ipVertical;
  TPoint FWheelPanPos{0, 0};
  HCURSOR FICursor = nullptr;
  HCURSOR FPrevCursor = nullptr;
  // ---- end of mouse wheel, IntelliPan and zoom
  // ---- mouse button down and form controls in cells (NeoStringGridMouseDown.cpp)
  bool FDoOnClick = false;
  bool FMouseDownMove = false;
  bool FMouseKeepDown = false;
  bool FSpinUpClick = false;
  bool FSpinDnClick = false;
  bool FAnchorClick = false;
  bool FSelectionClick = false;
  bool FDeselectState = false;
  bool FMouseDown = false;
  bool FMouseResize = false;
  TGridRect FOrigSelection{-1, -1, -1, -1};
  // The selection grabbed by its resize handle: the release fills the grown selection from it.
  TGridRect FDropSelection{-1, -1, -1, -1};
  Integer FMoveColInd = -1;
  Integer FMoveRowInd = -1;
  TPoint FPushedCellButton{-1, -1};
  TRect FPushedFixedCell{};
  bool FFixedCellPushed = false;
  Integer FOldKeepLeftCol = 0;
  Integer Clickposx = 0;
  Integer Clickposy = 0;
  Integer Clickposdx = 0;
  Integer Clickposdy = 0;
  Integer Movecell = -1;
  Integer MoveOfsX = 0;
  Integer MoveOfsY = 0;
  TMouseSelectMode FMouseSelectMode = msNormal;
  bool FCellSelectorMode = false;
  Integer FMouseSelectStart = -1;
  bool FSizingFixed = false;
  Integer FSizingFixedCol = -1;
  Integer FSizeFixedX = 0;
  bool FSizingFixedR = false;
  Integer FSizingFixedRow = -1;
  Integer FSizeFixedY = 0;
  bool LButFlg = false;
  TPoint FCtrlXY{-1, -1};
  bool FCtrlDown = false;
  String FCtrlDownId;
  TPoint FMouseDownPt{-1, -1};
  Integer FFltrPopPressCol = -1;
  bool FDropDownDown = false;
  bool FScrollStart = false;
  Cardinal FTimeStart = 0;
  TPoint ptdown{0, 0};
  Integer FTopDown = 0;
  Integer FLeftRight = 0;
  bool FURLShow = false;
  // Form controls in markup cells.
  String FCtrlID;
  String FCtrlType;
  bool FCtrlEditing = false;
  // ---- end of mouse button down and form controls in cells
  // ---- mouse move, hover and cell hints (NeoStringGridMouseMove.cpp)
  // Set just before the grid changes its own cursor, so that the cursor-changed notification
  // keeps the pending selection mode.
  bool Invokedchange = false;
  TPoint FHotFixedCell{-1, -1};
  TPoint FHoverButton{-1, -1};
  TPoint FHoverCell{-1, -1};
  Integer FHoverlink = -1;
  String FAnchor;
  String FLastAnchorHint;
  Integer FHoverButtonRow = -1;
  TGridRect FSizeSelection{-1, -1, -1, -1};
  TPoint FLastHintPos{-1, -1};
  TPoint FLastBalloonPos{-1, -1};
  // The row drag selection scrolled up at its last step.
  bool FSelectScrolledUp = false;
  // Moving feedback: drag picture, header drag button and the up, down, left and right arrows.
  TForm* MoveForm = nullptr;
  THeaderDragButton* MoveButton = nullptr;
  TArrowWindow* Arrows[4] = {nullptr, nullptr, nullptr, nullptr};
  bool FURLUnderlineOnHover = false;
  bool FAnchorHint = false;
  bool FHintShowCells = false;
  bool FHintShowLargeText = false;
  bool FHTMLHint = false;
  bool FHintShowSizing = false;
  TNeoGridPopup* FToolBarPopup = nullptr;
  TPopupToolBarMode FPopupToolBarMode = tbNone;
  // None until the tool bar first pops up, so that hovering any cell can show it.
  TGridCoord FToolBarPopupCell{-1, -1};
  // ---- end of mouse move, hover and cell hints
  // ---- mouse button up, sorting, double and right clicks (NeoStringGridMouseUp.cpp)
  std::shared_ptr<TSortSettings> FSortSettings;
  Cardinal FSortTime = 0;
  bool FDblClk = false;
  bool MovedNow = false;
  Integer FFilterDropDownRow = 0;
  bool FURLEdit = false;
  TPopupMenu* FFltrPopup = nullptr;
  // ---- end of mouse button up, sorting, double and right clicks
  // ---- moved columns and rows, visual settings (NeoStringGridMoved.cpp)
  bool ColMoveFlg = false;
  // Set on the partner grid while it repeats a move, so that it does not echo it back.
  bool FSyncedMove = false;
  // Set while MoveColumn / MoveRow run the move hooks: the platform grid has not moved widths,
  // heights or the current cell then.
  bool FOwnMove = false;
  // Shared owners: the groups stay incomplete where the grid is destroyed.
  std::shared_ptr<TFloatingFooter> FFloatingFooter;
  std::shared_ptr<TControlLook> FControlLook;
  std::shared_ptr<TBackGround> FBackGround;
  std::shared_ptr<TGrouping> FGrouping;
  bool FURLShowInText = false;
  // ---- end of moved columns and rows, visual settings
};

// ---------------------------------------------------------------------------------------------
// Unit routines
// ---------------------------------------------------------------------------------------------
// A grid rectangle from its four inclusive corners.
TGridRect GridRectOf(Integer Left, Integer Top, Integer Right, Integer Bottom);
// Adds WS_EX_TRANSPARENT to the window's extended style.
void SetWindowTransparentStyle(HWND Handle);
// Installs the call-window-procedure hook on the calling (GUI) thread, and removes it. The hook
// re-places the focus window of FocusWindowGrid() on every WM_WINDOWPOSCHANGING / CHANGED.
void InstallNeoGridHook();
void RemoveNeoGridHook();
// What the grids of the process share, set by the unit's start-up.
struct TNeoGridShared {
  UINT EditDone = 0;
  UINT EditShow = 0;
  UINT EditInvalid = 0;
  UINT EditProp = 0;
  UINT DTPShiftFocus = 0;
  UINT FilterEditUpdate = 0;
  // "TNeoStringGrid Cells": the grid's cell stream on the clipboard.
  UINT ClipboardFormat = 0;
  // The common controls are newer than 4.69.
  bool ComCtl6 = false;
};
const TNeoGridShared& NeoGridShared();
// The unit's start-up, counted: only the first call works (the hook, the classes, the flag, the
// clipboard format, the registered messages); the shutdown matching the first removes the hook.
void NeoGridStartUp();
void NeoGridShutDown();
Integer NeoGridStartUpCount();
// The clipboard format and the six messages, in that order, registered once (the start-up does it,
// and every grid at construction for programs that start no units).
void RegisterNeoGridShared();
// Registers the grid's stream classes in their fixed order; a failure ends the registrations.
// Returns how many were registered.
Integer RegisterNeoGridClasses();
// The most significant half of a file's fixed version (major shl 16 or minor); -1 without
// version information or with a wrong signature.
Integer GetFileVersionNumber(const String& FileName);
// Makes the window layered with the constant alpha (SetLayeredWindowAttributes looked up in
// "USER32.DLL" at the call; nothing when missing) and updates it at Rect's place and size.
void SetLayeredAlpha(HWND Window, TColor ColorKey, Byte Alpha, TRect Rect);
// Shows the premultiplied mask as the window's layered picture at the mask's size (the window made
// layered, not moved or activated), faded by the mask's Opacity; nothing for an empty mask.
void ApplyAlphaMaskToWindow(HWND Window, TGridAlphaMask* Mask);
// Adds the unit "NeoGrid" to the program's units.
void RegisterNeoStringGridUnit();
