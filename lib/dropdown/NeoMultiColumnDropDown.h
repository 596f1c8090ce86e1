#pragma once
// The multi-column dropdown: a dropdown edit whose popup is a small string grid listing items in
// columns under a header row. The edit shows the chosen item's string of the lookup column. An
// item is chosen with the mouse, Enter or the keys of the closed edit; the wheel scrolls the popup
// without choosing. Typing completes the edit text from the lookup column (in the edit) or jumps to
// the first item beginning with the typed text (in the open popup).
//
// The lookup list (the lookup column's string of every item) follows every change of Items and of
// LookupColumn; inside BeginUpdate/EndUpdate it is built once, at EndUpdate. An item with fewer
// strings than the lookup column counts as having an empty string there.
//
// The unit's column, item and grid classes live in the namespace NeoMultiColumnDropDown: the grid
// dropdown declares classes of the same names.
#include <functional>
#include <memory>
#include <vector>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/ui/Grids.h"

class TNeoMultiColumnDropDown;

namespace NeoMultiColumnDropDown {

using TDrawCellEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, TCanvas* ACanvas, TRect ARect)>;
using TGetCellPropEvent =
    std::function<void(TObject* Sender, Integer Column, Integer Row, TFont* Font, TColor& AColor, TColor& AColorTo)>;
using TGetCellTextEvent = std::function<void(TObject* Sender, Integer Column, Integer Row, String& Text)>;
using TDropDownCellClickEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, const String& AValue)>;
enum TColumnType { ctText, ctImage };

class TDropDownColumn : public TCollectionItem {
  ZELK_CLASS(TDropDownColumn, TCollectionItem)
public:
  explicit TDropDownColumn(TCollection* ACollection);
  ~TDropDownColumn() override;

  bool GetWordwrap() const { return FWordwrap; }
  void SetWordwrap(bool Value) { FWordwrap = Value; }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  const String& GetHeader() const { return FHeader; }
  void SetHeader(const String& Value) { FHeader = Value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColumnType GetColumnType() const { return FColumnType; }
  void SetColumnType(TColumnType Value) { FColumnType = Value; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetEllipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value) { FEllipsis = Value; }

  void Assign(TPersistent* Source) override;

private:
  bool FWordwrap = false;
  Integer FWidth = 80;
  bool FAutoSize = false;
  String FHeader;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = static_cast<TColor>(0xFFFFFF);
  TColumnType FColumnType = ctText;
  std::unique_ptr<TFont> FFont;
  bool FEllipsis = false;
};

class TDropDownColumns : public TOwnedCollection {
  ZELK_CLASS(TDropDownColumns, TOwnedCollection)
public:
  explicit TDropDownColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, TDropDownColumn::StaticClass()) {}
  TDropDownColumn* Add() { return static_cast<TDropDownColumn*>(TCollection::Add()); }
  TDropDownColumn* Insert(Integer Index) { return static_cast<TDropDownColumn*>(TCollection::Insert(Index)); }
  TDropDownColumn* GetItems(Integer Index) const { return static_cast<TDropDownColumn*>(GetItem(Index)); }
  void SetItems(Integer Index, TDropDownColumn* Value) { SetItem(Index, Value); }
  // Declared for the form designer; nothing fires it.
  TNotifyEvent OnChange;
};

class TDropDownItem : public TCollectionItem {
  ZELK_CLASS(TDropDownItem, TCollectionItem)
public:
  explicit TDropDownItem(TCollection* ACollection);
  ~TDropDownItem() override;

  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  // One string per column; every change of it is a change of the item.
  TStringList* GetText() const { return FText.get(); }
  void SetText(TStringList* Value) { FText->Assign(Value); }
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // The string of Column; empty when the item has fewer strings.
  String ColumnText(Integer Column) const;

  void Assign(TPersistent* Source) override;

private:
  Integer FImageIndex = -1;
  std::unique_ptr<TStringList> FText;
  Integer FTag = 0;
};

class TDropDownItems : public TOwnedCollection {
  ZELK_CLASS(TDropDownItems, TOwnedCollection)
public:
  explicit TDropDownItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TDropDownItem::StaticClass()) {}
  TDropDownItem* Add() { return static_cast<TDropDownItem*>(TCollection::Add()); }
  TDropDownItem* Insert(Integer Index) { return static_cast<TDropDownItem*>(TCollection::Insert(Index)); }
  TDropDownItem* GetItems(Integer Index) const { return static_cast<TDropDownItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TDropDownItem* Value) { SetItem(Index, Value); }
  // The first item that has more than Column strings and whose string at Column is Value; -1.
  Integer IndexInColumn(Integer Column, const String& Value) const;
  // Declared for the form designer; nothing fires it.
  TNotifyEvent OnChange;

protected:
  // Tells the owning dropdown that its items changed (once at the end of an update bracket).
  void Update(TCollectionItem* Item) override;
};

// The popup's grid: a copy of the dropdown's columns, the items as rows under one header row,
// painted by the dropdown's colours and events.
class TNeoColGrid : public TStringGrid {
  ZELK_CLASS(TNeoColGrid, TStringGrid)
public:
  explicit TNeoColGrid(TComponent* AOwner);
  ~TNeoColGrid() override;

  TNeoMultiColumnDropDown* GetNeoDropDown() const { return FNeoDropDown; }
  void SetNeoDropDown(TNeoMultiColumnDropDown* Value) { FNeoDropDown = Value; }
  // Columns, rows, widths, colours and heights from the dropdown.
  void LoadFromDropDown();
  void AutoSizeColumns();
  void AutoSizeColumn(Integer Index);
  void AutoSizeRows();
  // Twice the border width plus every column width, plus a vertical scroll bar when not all rows
  // show.
  Integer GetGridWidth();
  TRect CellBounds(Integer ACol, Integer ARow) { return CellRect(ACol, ARow); }

  TDropDownColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor GetLineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor GetFixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  TColor GetHeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor GetHeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  Integer GetHeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
  TFont* GetHeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  // The width of the grid's own lines (the class library's lines stay 0 wide).
  Integer GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value) { FImages = Value; }
  bool GetHoverSelect() const { return FHoverSelect; }
  void SetHoverSelect(bool Value) { FHoverSelect = Value; }
  // Set by a key or a mouse press in the grid, cleared around a wheel turn: whether the current
  // row was chosen by the user.
  bool GetConfirmSelection() const { return FConfirmSelection; }
  bool GetMouseWheelSelection() const { return FMouseWheelSelection; }

  TGetCellTextEvent OnGetCellText;
  TDrawCellEvent OnDrawCell;
  TGetCellPropEvent OnGetCellProp;
  TNotifyEvent OnSelect;

  void Dispatch(TMessage& Message) override;

protected:
  virtual void DoSelect();
  void DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

private:
  bool OnPopupForm() const;
  // The grid lines of a cell as the dropdown's colours draw them.
  void DrawCellLines(TCanvas* Canvas, const TRect& R, bool Fixed);

  TNeoMultiColumnDropDown* FNeoDropDown = nullptr;
  std::unique_ptr<TDropDownColumns> FColumns;
  TColor FHeaderColor = static_cast<TColor>(0xFFFFFF);
  TColor FHeaderColorTo = static_cast<TColor>(0x808080);
  TColor FLineColor = static_cast<TColor>(0x808080);
  TCustomImageList* FImages = nullptr;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TColor FFixedLineColor = 0;
  Integer FGridLineWidth = 1;
  Integer FOldRow = 0;
  bool FMouseWheelSelection = false;
  bool FConfirmSelection = false;
  bool FHoverSelect = false;
};

}  // namespace NeoMultiColumnDropDown

class TNeoMultiColumnDropDown : public TNeoCustomDropDown {
  ZELK_CLASS(TNeoMultiColumnDropDown, TNeoCustomDropDown)
public:
  using TDropDownColumns = NeoMultiColumnDropDown::TDropDownColumns;
  using TDropDownItems = NeoMultiColumnDropDown::TDropDownItems;
  using TNeoColGrid = NeoMultiColumnDropDown::TNeoColGrid;

  explicit TNeoMultiColumnDropDown(TComponent* AOwner);
  ~TNeoMultiColumnDropDown() override;

  // The first item whose lookup-column string is Value exactly; -1 when none.
  Integer GetItemIndex(const String& Value);
  Integer GetItemIndex() const { return FItemIndex; }
  // A value not below the item count is ignored; the text becomes the item's lookup string, or
  // empty for -1 and for an item without one.
  void SetItemIndex(Integer Value);
  // Brackets changes of Items: the lookup list is built once, at EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  Integer GetRowCount() const { return FItems->GetCount(); }
  TNeoColGrid* GetGrid() const { return FNeoColGrid; }

  bool GetCaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  bool GetDropDownAutoWidth() const { return FDropDownAutoWidth; }
  void SetDropDownAutoWidth(bool Value) { FDropDownAutoWidth = Value; }
  Integer GetDropDownRowHeight() const { return FDropDownRowHeight; }
  void SetDropDownRowHeight(Integer Value) { FDropDownRowHeight = Value; }
  TColor GetLineColor() const { return FLineColor; }
  void SetLineColor(TColor Value) { FLineColor = Value; }
  TColor GetFixedLineColor() const { return FFixedLineColor; }
  void SetFixedLineColor(TColor Value) { FFixedLineColor = Value; }
  bool GetColumnSizing() const { return FColumnSizing; }
  void SetColumnSizing(bool Value) { FColumnSizing = Value; }
  bool GetColumnSizeWithDropDown() const { return FColumnSizeWithDropDown; }
  void SetColumnSizeWithDropDown(bool Value) { FColumnSizeWithDropDown = Value; }
  TDropDownColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TDropDownColumns* Value) { FColumns->Assign(Value); }
  TColor GetHeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor Value) { FHeaderColor = Value; }
  TColor GetHeaderColorTo() const { return FHeaderColorTo; }
  void SetHeaderColorTo(TColor Value) { FHeaderColorTo = Value; }
  Integer GetHeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(Integer Value) { FHeaderHeight = Value; }
  TFont* GetHeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  bool GetHoverSelect() const { return FHoverSelect; }
  void SetHoverSelect(bool Value) { FHoverSelect = Value; }
  Integer GetLookupColumn() const { return FLookupColumn; }
  void SetLookupColumn(Integer Value);
  bool GetLookupIncr() const { return FLookupIncr; }
  void SetLookupIncr(bool Value) { FLookupIncr = Value; }
  TColor GetSelectionTextColor() const { return FSelectionTextColor; }
  void SetSelectionTextColor(TColor Value) { FSelectionTextColor = Value; }
  TDropDownItems* GetItems() const { return FItems.get(); }
  void SetItems(TDropDownItems* Value) { FItems->Assign(Value); }
  bool GetMatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  bool GetMatchStart() const { return FMatchStart; }
  void SetMatchStart(bool Value) { FMatchStart = Value; }
  // The lookup column's strings by item index.
  TStringList* GetLookupList() const { return FLookupItems.get(); }

  // The keyboard selectors of the closed edit; each needs an item and fires OnSelect.
  void SelectNext();
  void SelectPrevious();
  void SelectNextPage();
  void SelectPreviousPage();
  void SelectFirst();
  void SelectLast();
  // Fits the grid's columns to the popup's width in proportion to their widths.
  void FitColumnWidths();

  void Assign(TPersistent* Source) override;
  void SetComponentStyle(TNeoStyle AStyle) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnSelect;
  NeoMultiColumnDropDown::TDropDownCellClickEvent OnDropDownCellClick;
  NeoMultiColumnDropDown::TGetCellTextEvent OnDropDownGetItemText;
  NeoMultiColumnDropDown::TDrawCellEvent OnDropDownDrawItem;
  NeoMultiColumnDropDown::TGetCellPropEvent OnDropDownGetItemProp;

  // The edit's keys (the grid's multi-column editor calls them).
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Change() override;

protected:
  void CreateDropDownForm() override;
  void ConstrainDropDownHeight(Integer& AHeight) override;
  void DoBeforeDropDown() override;
  void DoShowDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void ControlKeyDown(Word& Key, TShiftState Shift) override;
  void ControlKeyUp(Word& Key, TShiftState Shift) override;
  void ControlKeyPress(Char& Key) override;
  void DropDownFormResize() override;
  void DoDropDownWheelDown() override;
  void DoDropDownWheelUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Value) override;
  void Loaded() override;

  virtual void DoSelect();
  void BuildLookupList();
  // Type-ahead of the open popup: the found item's index, or -1.
  Integer LookupKey(Char Key);
  bool FindLookupItem(const String& Text, String& Found, Integer& Index);
  void GridSelectCell(TObject* Sender, Integer ACol, Integer ARow, bool& CanSelect);
  void GridSelect(TObject* Sender);

private:
  friend class NeoMultiColumnDropDown::TDropDownItems;
  friend class NeoMultiColumnDropDown::TNeoColGrid;
  // Sets the item index and fires OnSelect (for the keyboard selectors).
  void SelectIndex(Integer Index);
  // The first lookup entry beginning with Search (both folded unless CaseSensitive); -1.
  Integer FindEntry(const String& Search);
  // KeyUp's completion of the text typed into the edit.
  void CompleteTypedText(Word Key);

  bool FShowing = false;
  bool FColumnSizing = false;
  Integer FLookupColumn = 0;
  TColor FHeaderColorTo = static_cast<TColor>(0x808080);
  TColor FHeaderColor = static_cast<TColor>(0xFFFFFF);
  TColor FLineColor = static_cast<TColor>(0xC0C0C0);
  std::unique_ptr<TDropDownItems> FItems;
  std::unique_ptr<TDropDownColumns> FColumns;
  Integer FItemIndex = -1;
  Integer FHeaderHeight = 25;
  std::unique_ptr<TFont> FHeaderFont;
  TNeoColGrid* FNeoColGrid = nullptr;
  TColor FFixedLineColor = 0;
  bool workmode = true;
  String FLookupStr;
  String FOldValue;
  std::unique_ptr<TStringList> FLookupItems;
  bool FMatchCase = false;
  bool FMatchStart = true;
  bool FItemChange = false;
  Integer FItemIdx = -1;
  Integer FItemSel = 0;
  Integer FOldItemIndex = -1;
  bool FDropDownAutoWidth = true;
  bool FColumnSizeWithDropDown = true;
  TColor FSelectionTextColor = 0;
  Integer FDropDownRowHeight = 22;
  String FLookupEntry;
  bool FCaseSensitive = false;
  Integer FOrgIndex = -1;
  bool FHoverSelect = false;
  bool FLookupIncr = false;
  // The lookup entries as searched (upper case unless CaseSensitive).
  std::vector<String> FFoldedLookup;
  bool FFoldedStale = true;
  bool FFoldedCaseSensitive = false;
};

// Publishes the dropdown's and its column and item classes' properties (once).
void RegisterNeoMultiColumnDropDownRtti();
