#include "lib/grid/core/NeoGridLists.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "lib/grid/core/NeoStringGridCheck.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"

namespace {

// The tag the next integer list takes; counts on (wrapping) for the program's life.
std::atomic<std::uint32_t> gNextIntListTag{0};

Pointer ToItem(Integer Value) { return reinterpret_cast<Pointer>(static_cast<std::intptr_t>(Value)); }
Integer FromItem(Pointer Item) { return static_cast<Integer>(reinterpret_cast<std::intptr_t>(Item)); }

constexpr Cardinal DescendingBit = 0x80000000u;
constexpr Cardinal ColumnBits = 0x7FFFFFFFu;

Cardinal Bits(Integer Value) { return static_cast<Cardinal>(Value); }
Integer FromBits(Cardinal Value) { return static_cast<Integer>(Value); }

void RegisterNeoGridListsRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    Publish<TFilePicture>()
        .Property(u"Filename", &TFilePicture::GetFilename, &TFilePicture::SetFilename)
        .Property(u"Width", &TFilePicture::GetWidth, nullptr)
        .Property(u"Height", &TFilePicture::GetHeight, nullptr);
    RegisterNeoStringGridCheckRtti();
  });
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIntList

TIntList::TIntList(Integer Col, Integer Row)
    : FCol(Col), FRow(Row), FTag(static_cast<Integer>(gNextIntListTag.fetch_add(1))) {}

void TIntList::DoChange() {
  if (OnChange) OnChange(this, FCol, FRow);
}

Integer TIntList::GetInteger(Integer Index) const { return FromItem(GetItems(Index)); }

void TIntList::SetInteger(Integer Index, Integer Value) {
  SetItems(Index, ToItem(Value));
  DoChange();
}

Integer TIntList::Add(Integer Value) {
  const Integer index = TList::Add(ToItem(Value));
  DoChange();
  return index;
}

void TIntList::Delete(Integer Index) {
  TList::Delete(Index);
  DoChange();
}

void TIntList::DeleteValue(Integer Value) {
  const Integer index = IndexOf(ToItem(Value));
  if (index >= 0) Delete(index);
}

bool TIntList::HasValue(Integer Value) const { return IndexOf(ToItem(Value)) >= 0; }

void TIntList::Insert(Integer Index, Integer Value) { TList::Insert(Index, ToItem(Value)); }

void TIntList::Insert(Integer Value) {
  if (GetCount() == 0) {
    Add(Value);
    return;
  }
  TList::Insert(SortedPosOf(Value), ToItem(Value));
}

Integer TIntList::SortedIndexOf(Integer Value) const {
  Integer low = 0, high = GetCount() - 1;
  while (low <= high) {
    const Integer mid = low + (high - low) / 2;
    const Integer item = GetInteger(mid);
    if (item == Value) return mid;
    if (item < Value) {
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  return -1;
}

Integer TIntList::SortedPosOf(Integer Value) const {
  if (GetCount() == 0) return 0;
  Integer low = 0, high = GetCount() - 1, mid = 0;
  while (low <= high) {
    mid = low + (high - low) / 2;
    const Integer item = GetInteger(mid);
    if (item == Value) break;
    if (item < Value) {
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  // The search ends next to the place: on an equal item, or beside where Value belongs.
  return GetInteger(mid) < Value ? mid + 1 : mid;
}

String TIntList::GetStrValue() const {
  String result;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (i > 0) result += u',';
    result += IntToStr(GetInteger(i));
  }
  return result;
}

void TIntList::SetStrValue(const String& Value) {
  Clear();
  TStringList items;
  items.SetCommaText(Value);
  for (Integer i = 0; i < items.GetCount(); ++i) Add(StrToInt(items[i]));
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList

void TSortIndexList::AddIndex(Integer ColumnIndex, bool Ascending) {
  Add(FromBits(Ascending ? Bits(ColumnIndex) : Bits(ColumnIndex) | DescendingBit));
}

Integer TSortIndexList::FindIndex(Integer ColumnIndex) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if ((Bits(GetInteger(i)) & ColumnBits) == Bits(ColumnIndex)) return i;
  return -1;
}

Integer TSortIndexList::GetSortColumns(Integer Index) const { return FromBits(Bits(GetInteger(Index)) & ColumnBits); }

void TSortIndexList::SetSortColumns(Integer Index, Integer Value) {
  SetInteger(Index, FromBits((Bits(GetInteger(Index)) & DescendingBit) | (Bits(Value) & ColumnBits)));
}

bool TSortIndexList::GetSortDirections(Integer Index) const { return (Bits(GetInteger(Index)) & DescendingBit) == 0; }

void TSortIndexList::SetSortDirections(Integer Index, bool Ascending) {
  const Cardinal column = Bits(GetInteger(Index)) & ColumnBits;
  SetInteger(Index, FromBits(Ascending ? column : column | DescendingBit));
}

void TSortIndexList::ToggleIndex(Integer ColumnIndex) {
  const Integer index = FindIndex(ColumnIndex);
  if (index >= 0) SetInteger(index, FromBits(Bits(GetInteger(index)) ^ DescendingBit));
}

String TSortIndexList::SaveToString() const {
  String result;
  for (Integer i = 0; i < GetCount(); ++i) {
    if (i > 0) result += u';';
    result += GetSortDirections(i) ? u'u' : u'd';
    result += IntToStr(static_cast<Integer>(Bits(GetInteger(i)) & 0xFFFF));
  }
  return result;
}

void TSortIndexList::LoadFromString(const String& S) {
  Clear();
  StringView rest = S;
  while (!rest.empty()) {
    const std::size_t end = rest.find(u';');
    const StringView piece = rest.substr(0, end);
    rest = end == StringView::npos ? StringView() : rest.substr(end + 1);
    if (piece.size() < 2) continue;
    Integer column = 0;
    if (!TryStrToInt(piece.substr(1), column) || column < 0) column = 0;
    AddIndex(column, piece[0] == u'u');
  }
}

// ---------------------------------------------------------------------------------------------
// Unit

void InitializeNeoGridListsUnit() {
  gNextIntListTag.store(0);
  RegisterNeoGridListsRtti();
}

void RegisterNeoGridListsUnit() { RegisterUnit(u"NeoGridLists", &InitializeNeoGridListsUnit); }

// ---------------------------------------------------------------------------------------------
// TGridCellList
// ---------------------------------------------------------------------------------------------
bool TGridCellList::Add(Integer ACol, Integer ARow) {
  if (!FIndex.insert(Key(ACol, ARow)).second) return false;
  FCells.push_back(TGridCoord{ACol, ARow});
  return true;
}

bool TGridCellList::Remove(Integer ACol, Integer ARow) {
  if (FIndex.erase(Key(ACol, ARow)) == 0) return false;
  FCells.erase(std::find(FCells.begin(), FCells.end(), TGridCoord{ACol, ARow}));
  return true;
}

void TGridCellList::Clear() {
  FCells.clear();
  FIndex.clear();
}

TGridCoord TGridCellList::Item(Integer Index) const {
  if (Index < 0 || Index >= Count()) TList::Error(u"List index out of bounds (%d)", Index);
  return FCells[static_cast<std::size_t>(Index)];
}
