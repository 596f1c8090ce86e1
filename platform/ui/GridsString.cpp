// TCustomDrawGrid (events for drawing and selecting cells) and TStringGrid (its cell store, the
// rows and columns as string lists, and the default drawing of the texts).
#include <algorithm>

#include "platform/ui/Grids.h"

// ---------------------------------------------------------------------------------------------
// TCustomDrawGrid

void TCustomDrawGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(Integer ACol, Integer ARow) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, canSelect);
  return canSelect;
}

void TCustomDrawGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::FixedCellClick(Integer ACol, Integer ARow) {
  if (OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
}

String TCustomDrawGrid::GetEditText(Integer ACol, Integer ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TCustomDrawGrid::GetEditMask(Integer ACol, Integer ARow) {
  String value;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
  return value;
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

// ---------------------------------------------------------------------------------------------
// TStringGridStrings

namespace {
constexpr std::size_t LineCacheSize = 64;
}

void TStringGridStrings::Cell(Integer Index, Integer& ACol, Integer& ARow) const {
  ACol = FIsRow ? Index : FIndex;
  ARow = FIsRow ? FIndex : Index;
}

Integer TStringGridStrings::GetCount() const { return FIsRow ? FGrid->GetColCount() : FGrid->GetRowCount(); }

String TStringGridStrings::Get(Integer Index) const {
  Integer c, r;
  Cell(Index, c, r);
  return FGrid->GetCells(c, r);
}

void TStringGridStrings::Put(Integer Index, const String& S) {
  Integer c, r;
  Cell(Index, c, r);
  FGrid->SetCells(c, r, S);
}

TObject* TStringGridStrings::GetObject(Integer Index) const {
  Integer c, r;
  Cell(Index, c, r);
  return FGrid->GetObjects(c, r);
}

void TStringGridStrings::PutObject(Integer Index, TObject* AObject) {
  Integer c, r;
  Cell(Index, c, r);
  FGrid->SetObjects(c, r, AObject);
}

void TStringGridStrings::Clear() {
  for (Integer i = 0, n = GetCount(); i < n; ++i) {
    Put(i, String());
    PutObject(i, nullptr);
  }
}

void TStringGridStrings::Delete(Integer) {
  throw EInvalidGridOperation(u"Grid line cannot grow or shrink");
}

void TStringGridStrings::Insert(Integer, const String&) {
  throw EInvalidGridOperation(u"Grid line cannot grow or shrink");
}

void TStringGridStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    TStrings::Assign(Source);
    return;
  }
  if (source == this) return;
  // Copied first: the source may be another line of the same grid crossing this one.
  Integer n = GetCount(), m = source->GetCount();
  std::vector<std::pair<String, TObject*>> items;
  items.reserve(static_cast<std::size_t>(std::min(n, m)));
  for (Integer i = 0; i < std::min(n, m); ++i) items.emplace_back(source->GetStrings(i), source->GetObjects(i));
  for (Integer i = 0; i < n; ++i) {
    bool has = i < static_cast<Integer>(items.size());
    Put(i, has ? items[static_cast<std::size_t>(i)].first : String());
    PutObject(i, has ? items[static_cast<std::size_t>(i)].second : nullptr);
  }
}

// ---------------------------------------------------------------------------------------------
// TStringGrid

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) { FStore.SetWidthHint(GetColCount()); }

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(Integer ACol, Integer ARow, const String& Value) {
  FStore.SetText(ACol, ARow, Value);
  InvalidateCell(ACol, ARow);
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value) { FStore.SetObject(ACol, ARow, Value); }

TStrings* TStringGrid::Line(TLineCache& Cache, bool IsRow, Integer Index) {
  if (auto it = Cache.Lines.find(Index); it != Cache.Lines.end()) return it->second.get();
  if (Cache.Order.size() >= LineCacheSize) {
    Cache.Lines.erase(Cache.Order.front());
    Cache.Order.erase(Cache.Order.begin());
  }
  auto line = std::make_unique<TStringGridStrings>(this, IsRow, Index);
  TStrings* result = line.get();
  Cache.Lines.emplace(Index, std::move(line));
  Cache.Order.push_back(Index);
  return result;
}

TStrings* TStringGrid::GetRows(Integer Index) { return Line(FRowLines, true, Index); }
TStrings* TStringGrid::GetCols(Integer Index) { return Line(FColLines, false, Index); }

void TStringGrid::SizeChanged(Integer OldColCount, Integer OldRowCount) {
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
  FStore.SetWidthHint(GetColCount());
}

// Texts and objects move with their column (row), past the counts too.
void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex) {
  FStore.MoveColumn(FromIndex, ToIndex);
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex) {
  FStore.MoveRow(FromIndex, ToIndex);
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}

String TStringGrid::GetEditText(Integer ACol, Integer ARow) {
  String value = GetCells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const String& Value) {
  if (CellView(ACol, ARow) != Value) SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, const TRect& ARect, TGridDrawState AState) {
  if (GetDefaultDrawing()) {
    StringView text = FStore.Text(ACol, ARow);
    if (!text.empty()) {
      TCanvas* c = GetCanvas();
      String s(text);
      Integer x = ARect.left + 2;
      if (UseRightToLeftAlignment()) x = ARect.right - 2 - c->TextWidth(s);
      c->TextRect(ARect, x, ARect.top + 2, s);
    }
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}
