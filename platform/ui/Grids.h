#pragma once
// The grid controls of the class library: TCustomGrid (rows and columns, painting, the current cell,
// the selection, keys, wheel and scroll bars), TDrawGrid (cells drawn by OnDrawCell) and TStringGrid
// (a text and an object per cell).
//
// Sections of this header: vocabulary types; the cell store; the axis geometry; TCustomGrid;
// TCustomDrawGrid / TDrawGrid; TStringGrid.
//
// Notes on the design
// - Cell store. Cells are addressed by (column >= 0, row >= 0) whatever ColCount and RowCount say:
//   lowering a count drops nothing and raising it shows again what was there; cells past the counts
//   can be read and written. A row's storage is made on its first write and given back when its last
//   cell becomes empty, so memory follows the filled cells, not RowCount x ColCount. Objects are
//   never owned.
// - Geometry. Each axis keeps its sizes as a default plus, once any size differs, an array with a
//   prefix-sum (Fenwick) index, so the offset of row n and the row at a pixel offset cost O(log n)
//   with a million rows. Offsets count each cell's size and the grid line after it.
// - Scrolling. TopRow / LeftCol change through one routine that moves the pixels already painted
//   (ScrollWindowEx) when the step is smaller than the view, and calls TopLeftChanged after every
//   change. The window scroll bars run on 0..127 whatever the counts.
// - Updating. While SetUpdating(true) is in force nothing is painted and the scroll bars stay;
//   SetUpdating(false) repaints once.
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rtl/StringLists.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Mask.h"

// ---------------------------------------------------------------------------------------------
// Vocabulary
// ---------------------------------------------------------------------------------------------
ZELK_DECLARE_EXCEPTION(EInvalidGridOperation, Exception)

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected, goRowSizing,
  goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor, goThumbTracking,
  goFixedColClick, goFixedRowClick, goFixedHotTrack
};
using TGridOptions = TSet<TGridOption>;

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
  Integer X = 0;
  Integer Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// A block of cells, inclusive on every side.
struct TGridRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  TGridCoord TopLeft() const { return TGridCoord{Left, Top}; }
  TGridCoord BottomRight() const { return TGridCoord{Right, Bottom}; }
  bool Contains(Integer ACol, Integer ARow) const { return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom; }
  bool operator==(const TGridRect&) const = default;
};

class TCustomGrid;
class TInplaceEdit;
using TSelectCellEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect)>;
using TDrawCellEvent =
    std::function<void(TObject* Sender, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State)>;
using TMovedEvent = std::function<void(TObject* Sender, Integer FromIndex, Integer ToIndex)>;

// ---------------------------------------------------------------------------------------------
// The cell store
// ---------------------------------------------------------------------------------------------
namespace grids {

// One cell's text: up to InlineChars UTF-16 units in place, longer texts on the heap.
class TCellText {
public:
  static constexpr std::uint32_t InlineChars = 10;
  TCellText() = default;
  TCellText(const TCellText&) = delete;
  TCellText& operator=(const TCellText&) = delete;
  TCellText(TCellText&& Other) noexcept;
  TCellText& operator=(TCellText&& Other) noexcept;
  ~TCellText() { Free(); }

  bool Empty() const { return FLength == 0; }
  StringView View() const { return StringView(Data(), FLength); }
  void Assign(StringView Text);

private:
  const Char* Data() const { return FLength <= InlineChars ? FInline : FHeap; }
  void Free();
  std::uint32_t FLength = 0;
  union {
    Char FInline[InlineChars];
    Char* FHeap;
  };
};

class TCellStore {
public:
  TCellStore();
  ~TCellStore();
  TCellStore(const TCellStore&) = delete;
  TCellStore& operator=(const TCellStore&) = delete;

  // "" / nullptr for a cell never written or out of range.
  StringView Text(Integer ACol, Integer ARow) const;
  TObject* Object(Integer ACol, Integer ARow) const;
  // EInvalidGridOperation for a negative index (nothing changes).
  void SetText(Integer ACol, Integer ARow, StringView Value);
  void SetObject(Integer ACol, Integer ARow, TObject* Value);
  // How many columns a new row reserves at once (the grid's ColCount).
  void SetWidthHint(Integer Value) { FWidthHint = Value; }
  // Rows holding at least one text or object.
  Integer FilledRows() const { return FFilledRows; }
  // Takes a row / column out at From and puts it back at To, the ones between moving up by one
  // (or down); every stored row or column takes part, within the counts or not.
  void MoveRow(Integer From, Integer To);
  void MoveColumn(Integer From, Integer To);

private:
  struct TRow;
  struct TPage;
  TRow* FindRow(Integer ARow) const;
  TRow& RowForWrite(Integer ARow);
  std::unique_ptr<TRow> TakeRow(Integer ARow);
  void PutRow(Integer ARow, std::unique_ptr<TRow> Row);
  void ReleaseIfEmpty(Integer ARow, TRow& Row);
  std::vector<std::unique_ptr<TPage>> FPages;
  Integer FWidthHint = 5;
  Integer FFilledRows = 0;
};

// The sizes of the columns or the rows of a grid, with their offsets.
class TGridAxis {
public:
  Integer Count() const { return FCount; }
  void SetCount(Integer Value);
  Integer DefaultSize() const { return FDefault; }
  // Drops every custom size.
  void SetDefaultSize(Integer Value);
  Integer Size(Integer Index) const;
  void SetSize(Integer Index, Integer Value);
  bool HasCustomSizes() const { return !FSizes.empty(); }
  // The size at From taken out and put back at To.
  void Move(Integer From, Integer To);
  // The grid line after each fixed and each scrolling cell.
  void SetLines(Integer Fixed, Integer FixedLine, Integer Line);
  // Pixels from the start of cell 0 to the start of cell N (sizes and lines of cells 0 .. N-1).
  Int64 Offset(Integer N) const;
  // The cell whose extent (size and line) holds the offset; Count() past the end, -1 before 0.
  Integer CellAt(Int64 Offset) const;
  // The smallest First >= From such that the cells First .. Last end within Extent pixels.
  Integer FirstToShow(Integer Last, Int64 Extent, Integer From) const;

private:
  Int64 SizeSum(Integer N) const;   // sizes of cells 0 .. N-1
  void Rebuild();
  Integer FCount = 0;
  Integer FDefault = 0;
  Integer FFixed = 0;
  Integer FFixedLine = 0;
  Integer FLine = 0;
  std::vector<Integer> FSizes;   // empty while every size is the default
  std::vector<Int64> FTree;      // Fenwick tree over max(size, 0), 1-based
};

}  // namespace grids

// ---------------------------------------------------------------------------------------------
// TCustomGrid
// ---------------------------------------------------------------------------------------------
class TCustomGrid : public TCustomControl {
  ZELK_CLASS(TCustomGrid, TCustomControl)
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // ---- sizes
  Integer GetColCount() const { return FCols.Count(); }
  void SetColCount(Integer Value);
  Integer GetRowCount() const { return FRows.Count(); }
  void SetRowCount(Integer Value);
  Integer GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer Value);
  Integer GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer Value);
  Integer GetDefaultColWidth() const { return FCols.DefaultSize(); }
  void SetDefaultColWidth(Integer Value);
  Integer GetDefaultRowHeight() const { return FRows.DefaultSize(); }
  void SetDefaultRowHeight(Integer Value);
  // Out of range: the default size is read and a write is ignored.
  Integer GetColWidths(Integer Index) const;
  void SetColWidths(Integer Index, Integer Value);
  Integer GetRowHeights(Integer Index) const;
  void SetRowHeights(Integer Index, Integer Value);
  Integer GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  // Pixels from the start of column / row 0 to the start of column / row N, grid lines included.
  Int64 ColOffset(Integer N) const { return FCols.Offset(N); }
  Int64 RowOffset(Integer N) const { return FRows.Offset(N); }

  // ---- view
  Integer GetLeftCol() const { return FTopLeft.X; }
  void SetLeftCol(Integer Value);
  Integer GetTopRow() const { return FTopLeft.Y; }
  void SetTopRow(Integer Value);
  // Non-fixed columns / rows fully in view.
  Integer GetVisibleColCount();
  Integer GetVisibleRowCount();
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  // With default drawing, fixed cells stand out with a raised edge on the sides that have fixed
  // lines; off, they are flat.
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  TGridState GetGridState() const { return FGridState; }
  // gsNormal ends selecting, sizing or moving as a cancel does (line erased, timer stopped); other
  // states are taken as they are.
  void SetGridState(TGridState Value);
  // While set nothing is painted and the scroll bars are left alone; clearing it repaints once.
  void SetUpdating(bool Value);
  bool GetUpdating() const { return FUpdating; }

  // ---- current cell and selection
  Integer GetCol() const { return FCurrent.X; }
  void SetCol(Integer Value);
  Integer GetRow() const { return FCurrent.Y; }
  void SetRow(Integer Value);
  TGridRect GetSelection() const;
  // The anchor goes to the top-left corner, the current cell to the bottom-right one. Unlike the
  // moves by keys, mouse, Col and Row, it does not ask SelectCell: callers that want the question
  // ask it first. (ColCount, RowCount) as a corner parks the selection outside the cells.
  void SetSelection(const TGridRect& Value);

  // ---- the inplace editor: a child edit over the current cell while EditorMode is on
  bool GetEditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* GetInplaceEditor() const { return FInplaceEdit; }

  // ---- cells on screen
  // The cell's rectangle in client coordinates; empty when the cell is out of view.
  virtual TRect CellRect(Integer ACol, Integer ARow);
  // The cell at a client point; -1 for a coordinate outside the cells.
  virtual void MouseToCell(Integer X, Integer Y, Integer& ACol, Integer& ARow);
  TGridCoord MouseCoord(Integer X, Integer Y);
  void InvalidateCell(Integer ACol, Integer ARow);
  void InvalidateCol(Integer ACol);
  void InvalidateRow(Integer ARow);
  void InvalidateGrid() { Invalidate(); }

  // Takes column (row) From out and puts it back at To with its size; the ones between shift by
  // one. EInvalidGridOperation for an index outside the columns (rows); nothing moves then.
  void MoveColumn(Integer FromIndex, Integer ToIndex);
  void MoveRow(Integer FromIndex, Integer ToIndex);
  // Moves the column (row) to the end and lowers the count: its cells stay past the count.
  void DeleteColumn(Integer ACol);
  void DeleteRow(Integer ARow);


protected:
  // ---- call sites for descendants
  void Paint() override;
  virtual void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) = 0;
  // Asked before the current cell moves; false keeps it where it is.
  virtual bool SelectCell(Integer ACol, Integer ARow);
  virtual void TopLeftChanged();
  virtual void SizeChanged(Integer OldColCount, Integer OldRowCount);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void ColumnMoved(Integer FromIndex, Integer ToIndex);
  virtual void RowMoved(Integer FromIndex, Integer ToIndex);
  // A press at (X, Y) on a border between fixed cells starts sizing with goColSizing / goRowSizing:
  // State gsColSizing / gsRowSizing, Index the cell before the border, SizingPos the border's
  // position and SizingOfs its distance from the press.
  virtual void CalcSizingState(Integer X, Integer Y, TGridState& State, Integer& Index, Integer& SizingPos,
                               Integer& SizingOfs);
  // A click on a fixed cell, with goFixedColClick (fixed rows) or goFixedRowClick (fixed columns).
  virtual void FixedCellClick(Integer ACol, Integer ARow);
  // The inplace editor. CreateEditor makes the editor (the grid owns it); CanEditShow decides
  // whether it may show now; the text comes from GetEditText when it shows and goes back through
  // SetEditText on every change; GetEditMask and GetEditLimit shape it for the cell.
  virtual TInplaceEdit* CreateEditor();
  virtual bool CanEditShow();
  virtual void ShowEditor();
  virtual void HideEditor();
  virtual String GetEditText(Integer ACol, Integer ARow);
  virtual void SetEditText(Integer ACol, Integer ARow, const String& Value);
  virtual String GetEditMask(Integer ACol, Integer ARow);
  virtual Integer GetEditLimit();
  virtual bool CanEditAcceptKey(Char Key);
  virtual bool CanEditModify();
  // Places the editor over the current cell again (hidden while the cell is out of view).
  void UpdateEdit();
  void KeyPress(Char& Key) override;
  // The grid's own work on a press, a move and a release (selecting, sizing, moving), then the
  // inherited event.
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void ChangeScale(Integer M, Integer D) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;

  // Moves the current cell (asking SelectCell); MoveAnchor false extends the selection when
  // goRangeSelect is on. Then the cell is scrolled into view and Click fires.
  void FocusCell(Integer ACol, Integer ARow, bool MoveAnchor);
  void MoveColRow(Integer ACol, Integer ARow, bool MoveAnchor, bool Show);
  // Scrolls so that the cell is in view.
  void ClampInView(const TGridCoord& Coord);
  void MoveTopLeft(Integer ALeft, Integer ATop);
  // The largest LeftCol / TopRow that still fills the view.
  Integer MaxLeftCol();
  Integer MaxTopRow();
  void UpdateScrollRange();
  void UpdateScrollPos();
  bool IsActiveControl();

  // A one-pixel dotted line across the grid at Pos, drawn by XOR (twice leaves no trace).
  void XorLine(Integer Pos, bool Vertical);

  TGridState FGridState = gsNormal;
  TColor FFixedColor = clBtnFace;

private:
  struct TAxisView {
    Int64 FixedBoundary = 0;   // pixels of the fixed cells
    Int64 Extent = 0;          // the client size
    Integer First = 0;         // LeftCol / TopRow
    Integer LastFull = 0;      // last scrolling cell wholly in view (First - 1 when none)
    Integer LastPartial = 0;   // last scrolling cell at least partly in view
    Int64 GridBoundary = 0;    // where the last cell in view ends (at most Extent)
  };
  TAxisView AxisView(const grids::TGridAxis& Axis, Integer Fixed, Integer First, Int64 Extent) const;
  TAxisView HorzView();
  TAxisView VertView();
  // Position of a cell on its axis, or false when out of view.
  bool CellSpan(const grids::TGridAxis& Axis, const TAxisView& View, Integer Fixed, Integer Index, Int64& From,
                Int64& To) const;
  Integer CellAtPixel(const grids::TGridAxis& Axis, const TAxisView& View, Integer Fixed, Int64 Pixel) const;
  TRect Mirror(TRect R);
  void UpdateLines();
  void SizeAxis(bool Columns, Integer NewCount);
  void ScrollBy(Int64 DX, Int64 DY, const TAxisView& H, const TAxisView& V);
  void ModifyScrollBar(int Bar, WORD Code, Integer Pos);
  void InvalidateSelection(const TGridRect& Old, const TGridRect& New);
  void InvalidateBox(Integer Left, Integer Top, Integer Right, Integer Bottom);
  void PaintLines(TCanvas* C, const TAxisView& H, const TAxisView& V);
  void DrawCells(TCanvas* C, const TAxisView& H, const TAxisView& V, Integer ColFrom, Integer ColTo, Integer RowFrom,
                 Integer RowTo, bool Fixed);
  TGridDrawState CellState(Integer ACol, Integer ARow, bool Fixed, bool Focused, const TGridRect& Sel) const;
  Integer PageRows();
  // Mouse states.
  void ShowSizingLine(bool Show);
  void ShowMoveLine(bool Show);
  Integer MoveLinePos();
  void EndMouseState();
  void SelectingTick();
  Integer FSizingIndex = -1;
  Integer FSizingPos = 0;
  Integer FSizingOfs = 0;
  Integer FSizingStart = 0;   // where the sized column (row) begins
  bool FLineShown = false;
  Integer FMoveIndex = -1;
  Integer FMovePos = -1;
  Integer FShownLine = 0;
  TGridCoord FFixedPress{-1, -1};
  // The inplace editor.
  void CancelEdit();
  void ValidateEditor();
  void PlaceCurrent(TGridCoord Current, TGridCoord Anchor, bool Show);
  TInplaceEdit* FInplaceEdit = nullptr;
  bool FEditorMode = false;
  String FEditText;   // what GetEditText gave when the editor showed: Esc brings it back
  friend class TInplaceEdit;

  grids::TGridAxis FCols;
  grids::TGridAxis FRows;
  Integer FFixedCols = 1;
  Integer FFixedRows = 1;
  Integer FGridLineWidth = 1;
  TGridCoord FTopLeft{1, 1};
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridOptions FOptions;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  bool FCtl3D = true;
  bool FUpdating = false;
  bool FInScrollUpdate = false;
};

// ---------------------------------------------------------------------------------------------
// TInplaceEdit
// ---------------------------------------------------------------------------------------------
// The editor of the current cell: a borderless masked edit, a child of its grid. Its changes reach
// the grid through SetEditText; keys that move between cells (arrows at the edge of the text,
// Up, Down, Page keys, Tab, Enter, Esc) go to the grid.
class TInplaceEdit : public TCustomMaskEdit {
  ZELK_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
  explicit TInplaceEdit(TComponent* AOwner);
  TCustomGrid* GetGrid() const { return FGrid; }
  // Shows the editor at Loc (client coordinates of the grid) / hides it.
  void Move(const TRect& Loc);
  void HideEdit();
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void Change() override;

private:
  TCustomGrid* FGrid = nullptr;
  friend class TCustomGrid;
};

// ---------------------------------------------------------------------------------------------
// TCustomDrawGrid, TDrawGrid
// ---------------------------------------------------------------------------------------------
class TCustomDrawGrid : public TCustomGrid {
  ZELK_CLASS(TCustomDrawGrid, TCustomGrid)
public:
  explicit TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)> OnGetEditText;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& Value)> OnSetEditText;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow, String& Value)> OnGetEditMask;
  std::function<void(TObject* Sender, Integer ACol, Integer ARow)> OnFixedCellClick;

protected:
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  void FixedCellClick(Integer ACol, Integer ARow) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;
  String GetEditMask(Integer ACol, Integer ARow) override;
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  bool SelectCell(Integer ACol, Integer ARow) override;
  void TopLeftChanged() override;
};

class TDrawGrid : public TCustomDrawGrid {
  ZELK_CLASS(TDrawGrid, TCustomDrawGrid)
public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

// ---------------------------------------------------------------------------------------------
// TStringGrid
// ---------------------------------------------------------------------------------------------
class TStringGrid;

// A row or a column of a string grid as a list: entry I is the cell in column (row) I, for the
// columns 0 .. ColCount-1 (rows 0 .. RowCount-1). Assign copies texts and object references.
class TStringGridStrings : public TStrings {
  ZELK_CLASS(TStringGridStrings, TStrings)
public:
  TStringGridStrings(TStringGrid* AGrid, bool AIsRow, Integer AIndex) : FGrid(AGrid), FIsRow(AIsRow), FIndex(AIndex) {}
  Integer GetCount() const override;
  void Clear() override;
  // A line of a grid neither grows nor shrinks: EInvalidGridOperation.
  void Delete(Integer Index) override;
  void Insert(Integer Index, const String& S) override;
  void Assign(TPersistent* Source) override;

protected:
  String Get(Integer Index) const override;
  void Put(Integer Index, const String& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;

private:
  void Cell(Integer Index, Integer& ACol, Integer& ARow) const;
  TStringGrid* FGrid;
  bool FIsRow;
  Integer FIndex;
};

class TStringGrid : public TDrawGrid {
  ZELK_CLASS(TStringGrid, TDrawGrid)
public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  // Any column and row >= 0, within the counts or not; a negative index reads "" / nullptr, and a
  // write raises EInvalidGridOperation "Grid index out of range".
  String GetCells(Integer ACol, Integer ARow) const { return String(FStore.Text(ACol, ARow)); }
  StringView CellView(Integer ACol, Integer ARow) const { return FStore.Text(ACol, ARow); }
  void SetCells(Integer ACol, Integer ARow, const String& Value);
  TObject* GetObjects(Integer ACol, Integer ARow) const { return FStore.Object(ACol, ARow); }
  void SetObjects(Integer ACol, Integer ARow, TObject* Value);
  // The line's list stays valid while the grid lives, or until 64 other lines of the same kind
  // were asked for.
  TStrings* GetRows(Integer Index);
  void SetRows(Integer Index, TStrings* Value) { GetRows(Index)->Assign(Value); }
  TStrings* GetCols(Integer Index);
  void SetCols(Integer Index, TStrings* Value) { GetCols(Index)->Assign(Value); }

protected:
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void SizeChanged(Integer OldColCount, Integer OldRowCount) override;
  void ColumnMoved(Integer FromIndex, Integer ToIndex) override;
  void RowMoved(Integer FromIndex, Integer ToIndex) override;
  String GetEditText(Integer ACol, Integer ARow) override;
  void SetEditText(Integer ACol, Integer ARow, const String& Value) override;

private:
  struct TLineCache {
    std::unordered_map<Integer, std::unique_ptr<TStringGridStrings>> Lines;
    std::vector<Integer> Order;   // oldest first
  };
  TStrings* Line(TLineCache& Cache, bool IsRow, Integer Index);
  grids::TCellStore FStore;
  TLineCache FRowLines;
  TLineCache FColLines;
};
