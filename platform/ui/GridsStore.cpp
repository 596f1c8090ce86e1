// The string grid's cell store: texts and objects by (column, row), independent of the counts.
//
// Rows live in pages of PageRows row slots, made on the first write into the page. A row keeps its
// low columns in a dense array and any far column (a write far beyond the dense part) in a sorted
// list, so one write at column 10^9 costs one cell. Objects sit in a sorted list of their own,
// since most grids have none. A row whose cells are all empty is freed, and so is an empty page.
#include <algorithm>
#include <cstring>

#include "platform/ui/Grids.h"

namespace grids {

// ---------------------------------------------------------------------------------------------
// TCellText

TCellText::TCellText(TCellText&& Other) noexcept : FLength(Other.FLength) {
  if (FLength <= InlineChars)
    std::memcpy(FInline, Other.FInline, sizeof(Char) * FLength);
  else
    FHeap = Other.FHeap;
  Other.FLength = 0;
}

TCellText& TCellText::operator=(TCellText&& Other) noexcept {
  if (this == &Other) return *this;
  Free();
  FLength = Other.FLength;
  if (FLength <= InlineChars)
    std::memcpy(FInline, Other.FInline, sizeof(Char) * FLength);
  else
    FHeap = Other.FHeap;
  Other.FLength = 0;
  return *this;
}

void TCellText::Free() {
  if (FLength > InlineChars) delete[] FHeap;
  FLength = 0;
}

void TCellText::Assign(StringView Text) {
  auto length = static_cast<std::uint32_t>(Text.size());
  if (length <= InlineChars) {
    Free();
    std::memcpy(FInline, Text.data(), sizeof(Char) * length);
    FLength = length;
    return;
  }
  Char* heap = new Char[length];
  std::memcpy(heap, Text.data(), sizeof(Char) * length);
  Free();
  FHeap = heap;
  FLength = length;
}

// ---------------------------------------------------------------------------------------------
// Rows and pages

namespace {
constexpr Integer PageBits = 12;
constexpr Integer PageRows = 1 << PageBits;
// A write this far beyond the dense columns goes to the far list instead of growing them.
constexpr Integer DenseReach = 64;
}  // namespace

struct TCellStore::TRow {
  std::vector<TCellText> Dense;                        // columns 0 .. Dense.size()-1
  std::vector<std::pair<Integer, TCellText>> Far;      // by column
  std::vector<std::pair<Integer, TObject*>> Objects;   // by column, never nullptr
  Integer Texts = 0;                                   // non-empty texts

  bool Empty() const { return Texts == 0 && Objects.empty(); }

  const TCellText* Find(Integer ACol) const {
    if (ACol < static_cast<Integer>(Dense.size())) return &Dense[static_cast<std::size_t>(ACol)];
    auto it = std::lower_bound(Far.begin(), Far.end(), ACol, [](const auto& e, Integer c) { return e.first < c; });
    return it != Far.end() && it->first == ACol ? &it->second : nullptr;
  }

  // The cell to write, made when missing.
  TCellText& Slot(Integer ACol, Integer WidthHint) {
    auto dense = static_cast<Integer>(Dense.size());
    if (ACol < dense) return Dense[static_cast<std::size_t>(ACol)];
    if (ACol < dense + DenseReach) {
      Integer want = std::max(ACol + 1, ACol < WidthHint ? WidthHint : std::max(ACol + 1, dense * 2));
      if (Dense.capacity() < static_cast<std::size_t>(want)) Dense.reserve(static_cast<std::size_t>(want));
      Dense.resize(static_cast<std::size_t>(ACol + 1));
      // Far cells now within the dense part move over.
      while (!Far.empty() && Far.front().first < static_cast<Integer>(Dense.size())) {
        Dense[static_cast<std::size_t>(Far.front().first)] = std::move(Far.front().second);
        Far.erase(Far.begin());
      }
      return Dense[static_cast<std::size_t>(ACol)];
    }
    auto it = std::lower_bound(Far.begin(), Far.end(), ACol, [](const auto& e, Integer c) { return e.first < c; });
    if (it == Far.end() || it->first != ACol) it = Far.emplace(it, ACol, TCellText());
    return it->second;
  }

  void DropEmptyFar(Integer ACol) {
    auto it = std::lower_bound(Far.begin(), Far.end(), ACol, [](const auto& e, Integer c) { return e.first < c; });
    if (it != Far.end() && it->first == ACol && it->second.Empty()) Far.erase(it);
  }
};

struct TCellStore::TPage {
  std::unique_ptr<TRow> Rows[PageRows];
  Integer Used = 0;
};

TCellStore::TCellStore() = default;
TCellStore::~TCellStore() = default;

TCellStore::TRow* TCellStore::FindRow(Integer ARow) const {
  if (ARow < 0) return nullptr;
  auto page = static_cast<std::size_t>(ARow >> PageBits);
  if (page >= FPages.size() || !FPages[page]) return nullptr;
  return FPages[page]->Rows[ARow & (PageRows - 1)].get();
}

TCellStore::TRow& TCellStore::RowForWrite(Integer ARow) {
  auto page = static_cast<std::size_t>(ARow >> PageBits);
  if (page >= FPages.size()) FPages.resize(page + 1);
  if (!FPages[page]) FPages[page] = std::make_unique<TPage>();
  TPage& p = *FPages[page];
  std::unique_ptr<TRow>& row = p.Rows[ARow & (PageRows - 1)];
  if (!row) {
    row = std::make_unique<TRow>();
    ++p.Used;
    ++FFilledRows;
  }
  return *row;
}

void TCellStore::ReleaseIfEmpty(Integer ARow, TRow& Row) {
  if (!Row.Empty()) return;
  auto page = static_cast<std::size_t>(ARow >> PageBits);
  TPage& p = *FPages[page];
  p.Rows[ARow & (PageRows - 1)].reset();
  --FFilledRows;
  if (--p.Used == 0) FPages[page].reset();
  while (!FPages.empty() && !FPages.back()) FPages.pop_back();
}

StringView TCellStore::Text(Integer ACol, Integer ARow) const {
  if (ACol < 0) return StringView();
  const TRow* row = FindRow(ARow);
  if (!row) return StringView();
  const TCellText* cell = row->Find(ACol);
  return cell ? cell->View() : StringView();
}

TObject* TCellStore::Object(Integer ACol, Integer ARow) const {
  if (ACol < 0) return nullptr;
  const TRow* row = FindRow(ARow);
  if (!row || row->Objects.empty()) return nullptr;
  auto it = std::lower_bound(row->Objects.begin(), row->Objects.end(), ACol,
                             [](const auto& e, Integer c) { return e.first < c; });
  return it != row->Objects.end() && it->first == ACol ? it->second : nullptr;
}

void TCellStore::SetText(Integer ACol, Integer ARow, StringView Value) {
  if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (Value.empty()) {
    TRow* row = FindRow(ARow);
    if (!row) return;
    const TCellText* cell = row->Find(ACol);
    if (!cell || cell->Empty()) return;
    const_cast<TCellText*>(cell)->Assign(Value);
    --row->Texts;
    row->DropEmptyFar(ACol);
    ReleaseIfEmpty(ARow, *row);
    return;
  }
  TRow& row = RowForWrite(ARow);
  TCellText& cell = row.Slot(ACol, FWidthHint);
  if (cell.Empty()) ++row.Texts;
  cell.Assign(Value);
}

void TCellStore::SetObject(Integer ACol, Integer ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) throw EInvalidGridOperation(u"Grid index out of range");
  TRow* row = Value ? &RowForWrite(ARow) : FindRow(ARow);
  if (!row) return;
  auto& list = row->Objects;
  auto it = std::lower_bound(list.begin(), list.end(), ACol, [](const auto& e, Integer c) { return e.first < c; });
  bool found = it != list.end() && it->first == ACol;
  if (Value) {
    if (found)
      it->second = Value;
    else
      list.emplace(it, ACol, Value);
    return;
  }
  if (found) list.erase(it);
  ReleaseIfEmpty(ARow, *row);
}

}  // namespace grids

// ---------------------------------------------------------------------------------------------
// Moving rows and columns

namespace grids {

namespace {
// Where an index between From and To (inclusive) lands when From moves to To.
Integer Moved(Integer Index, Integer From, Integer To) {
  if (Index == From) return To;
  if (From < To && Index > From && Index <= To) return Index - 1;
  if (To < From && Index >= To && Index < From) return Index + 1;
  return Index;
}
}  // namespace

std::unique_ptr<TCellStore::TRow> TCellStore::TakeRow(Integer ARow) {
  auto page = static_cast<std::size_t>(ARow >> PageBits);
  if (page >= FPages.size() || !FPages[page]) return nullptr;
  TPage& p = *FPages[page];
  std::unique_ptr<TRow> row = std::move(p.Rows[ARow & (PageRows - 1)]);
  if (row && --p.Used == 0) FPages[page].reset();
  return row;
}

void TCellStore::PutRow(Integer ARow, std::unique_ptr<TRow> Row) {
  if (!Row) return;
  auto page = static_cast<std::size_t>(ARow >> PageBits);
  if (page >= FPages.size()) FPages.resize(page + 1);
  if (!FPages[page]) FPages[page] = std::make_unique<TPage>();
  FPages[page]->Rows[ARow & (PageRows - 1)] = std::move(Row);
  ++FPages[page]->Used;
}

void TCellStore::MoveRow(Integer From, Integer To) {
  if (From < 0 || To < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (From == To) return;
  std::unique_ptr<TRow> moving = TakeRow(From);
  Integer step = From < To ? 1 : -1;
  for (Integer r = From; r != To; r += step) PutRow(r, TakeRow(r + step));
  PutRow(To, std::move(moving));
  while (!FPages.empty() && !FPages.back()) FPages.pop_back();
}

void TCellStore::MoveColumn(Integer From, Integer To) {
  if (From < 0 || To < 0) throw EInvalidGridOperation(u"Grid index out of range");
  if (From == To) return;
  Integer lo = std::min(From, To), hi = std::max(From, To);
  for (std::size_t page = 0; page < FPages.size(); ++page) {
    if (!FPages[page]) continue;
    for (Integer i = 0; i < PageRows; ++i) {
      TRow* row = FPages[page]->Rows[i].get();
      if (!row) continue;
      // Texts: the cells in lo .. hi taken out and written back at their new columns.
      std::vector<std::pair<Integer, TCellText>> texts;
      for (Integer c = lo; c <= hi; ++c) {
        const TCellText* cell = row->Find(c);
        if (cell && !cell->Empty()) texts.emplace_back(Moved(c, From, To), std::move(*const_cast<TCellText*>(cell)));
      }
      for (Integer c = lo; c <= hi; ++c) row->DropEmptyFar(c);
      for (auto& [c, text] : texts) row->Slot(c, FWidthHint) = std::move(text);
      // Objects keep their order by column.
      bool moved = false;
      for (auto& [c, object] : row->Objects)
        if (c >= lo && c <= hi) {
          c = Moved(c, From, To);
          moved = true;
        }
      if (moved)
        std::sort(row->Objects.begin(), row->Objects.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    }
  }
}

}  // namespace grids
