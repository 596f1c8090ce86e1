// TNeoStringGrid: column widths and positions kept in an INI file or the registry, and the
// column-state string.
#include <algorithm>
#include <memory>
#include <vector>

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

// The store of ColumnSize: an in-memory INI file at Key or the registry key Key; nullptr when the
// settings name no place.
std::unique_ptr<TCustomIniFile> OpenStore(TColumnSize* Settings) {
  if (Settings->GetKey().empty() || Settings->GetSection().empty()) return nullptr;
  if (Settings->GetLocation() == clIniFile) return std::make_unique<TMemIniFile>(Settings->GetKey());
  return std::make_unique<TRegistryIniFile>(Settings->GetKey());
}

// The inverse of a permutation: for each index, the position that holds it.
std::vector<Integer> Inverse(const std::vector<Integer>& Order) {
  std::vector<Integer> inverse(Order.size());
  for (std::size_t j = 0; j < Order.size(); ++j) inverse[static_cast<std::size_t>(Order[j])] = static_cast<Integer>(j);
  return inverse;
}

bool IsPermutation(const std::vector<Integer>& Order) {
  std::vector<bool> seen(Order.size(), false);
  for (Integer v : Order) {
    if (v < 0 || v >= static_cast<Integer>(Order.size()) || seen[static_cast<std::size_t>(v)]) return false;
    seen[static_cast<std::size_t>(v)] = true;
  }
  return true;
}

// Lays out columns that stand in their initial order so that display position j shows the column
// Order[j]: the inverse recorded as the column order, put back by ResetColumnOrder, lays the
// columns out in Order, which then describes the layout.
void LayOutColumns(TNeoStringGrid* Grid, const std::vector<Integer>& Order) {
  TIntList* columnOrder = Grid->GetColumnOrder();
  columnOrder->Clear();
  for (Integer p : Inverse(Order)) columnOrder->Add(p);
  Grid->ResetColumnOrder();
  columnOrder->Clear();
  for (Integer p : Order) columnOrder->Add(p);
}

// A list of integers joined by ","; false when an entry is no integer (an empty text is no list).
bool ParseList(const String& Text, std::vector<Integer>& Values) {
  Values.clear();
  if (Text.empty()) return true;
  std::size_t start = 0;
  while (true) {
    std::size_t comma = Text.find(u',', start);
    Integer v = 0;
    if (!TryStrToInt(StringView(Text).substr(start, comma == String::npos ? String::npos : comma - start), v))
      return false;
    Values.push_back(v);
    if (comma == String::npos) return true;
    start = comma + 1;
  }
}

String Joined(const std::vector<Integer>& Values) {
  String s;
  for (std::size_t i = 0; i < Values.size(); ++i) {
    if (i > 0) s += u',';
    s += IntToStr(Values[i]);
  }
  return s;
}

}  // namespace

void TNeoStringGrid::SaveColSizes() {
  if (GetComponentState().Contains(csDesigning)) return;
  std::unique_ptr<TCustomIniFile> store = OpenStore(FColumnSize.get());
  if (!store) return;
  Double scale = FDPIScale == 0 ? 1.0 : FDPIScale;
  const String& section = FColumnSize->GetSection();
  for (Integer c = 0; c < GetColCount(); ++c)
    store->WriteInteger(section, u"Col" + IntToStr(c), Round(GetColWidths(c) / scale));
  store->UpdateFile();
}

void TNeoStringGrid::LoadColSizes() {
  if (GetComponentState().Contains(csDesigning)) return;
  std::unique_ptr<TCustomIniFile> store = OpenStore(FColumnSize.get());
  if (!store) return;
  Double scale = ControlScaleFactor(this, nullptr);
  const String& section = FColumnSize->GetSection();
  for (Integer c = 0; c < GetColCount(); ++c) {
    Integer w = Round(scale * store->ReadInteger(section, u"Col" + IntToStr(c), GetColWidths(c)));
    if (w != GetColWidths(c)) SetColWidths(c, w);
  }
  store->UpdateFile();
}

void TNeoStringGrid::SaveColPositions() {
  if (GetComponentState().Contains(csDesigning)) return;
  std::unique_ptr<TCustomIniFile> store = OpenStore(FColumnSize.get());
  if (!store) return;
  for (Integer i = 0; i < FColumnOrder->GetCount(); ++i)
    store->WriteInteger(FColumnSize->GetSection(), u"Pos" + IntToStr(i), FColumnOrder->GetInteger(i));
  store->UpdateFile();
}

void TNeoStringGrid::LoadColPositions() {
  if (GetComponentState().Contains(csDesigning)) return;
  std::unique_ptr<TCustomIniFile> store = OpenStore(FColumnSize.get());
  if (!store) return;
  const String& section = FColumnSize->GetSection();
  if (store->ReadInteger(section, u"Pos0", -1) != -1) {
    Integer all = GetAllColCount();
    std::vector<Integer> order;
    for (Integer i = 0; i < all; ++i) {
      Integer v = store->ReadInteger(section, u"Pos" + IntToStr(i), -1);
      if (v != -1) order.push_back(v);
    }
    // Entries from another layout (too few, out of range, repeated) would scramble the columns.
    if (static_cast<Integer>(order.size()) == all && IsPermutation(order)) {
      std::vector<Integer> hidden;
      for (Integer c = 0; c < all; ++c)
        if (IsHiddenColumn(c)) hidden.push_back(c);
      LayOutColumns(this, order);
      for (Integer c : hidden) HideColumn(c);
      FColumnOrder->Clear();
      for (Integer p : order) FColumnOrder->Add(p);
    }
  }
  store->UpdateFile();
}

String TNeoStringGrid::ColumnStatesToString() {
  Integer n = GetColCount() + FNumHidden;
  std::vector<Integer> widths, order, visible;
  for (Integer i = 0; i < n; ++i) widths.push_back(i < GetColCount() ? GetColWidths(i) : GetDefaultColWidth());
  Integer orderCount = std::max(n, FColumnOrder->GetCount());
  for (Integer i = 0; i < orderCount; ++i)
    order.push_back(FColumnOrder->GetCount() == 0 ? i : i < FColumnOrder->GetCount() ? FColumnOrder->GetInteger(i) : i);
  for (Integer i = 0; i < n; ++i) visible.push_back(GetVisibleCol(i) ? 1 : 0);
  return IntToStr(n) + u"#" + Joined(widths) + u"#" + Joined(order) + u"#" + Joined(visible);
}

namespace {

// The four parts of a column-state string, read and checked before anything is applied.
struct TColumnStates {
  Integer Count = 0;
  std::vector<Integer> Widths;
  std::vector<Integer> Order;   // the first Count entries; empty when the string has none
  std::vector<Integer> Visible;
};

[[noreturn]] void BadColumnStates(const String& Value, const String& Reason) {
  throw ENeoGridError(u"Invalid column state \"" + Value + u"\": " + Reason);
}

TColumnStates ParseColumnStates(const String& Value) {
  std::vector<String> parts;
  for (std::size_t start = 0;;) {
    std::size_t hash = Value.find(u'#', start);
    parts.push_back(Value.substr(start, hash == String::npos ? String::npos : hash - start));
    if (hash == String::npos) break;
    start = hash + 1;
  }
  if (parts.size() != 4) BadColumnStates(Value, u"four parts expected");
  TColumnStates states;
  if (!TryStrToInt(parts[0], states.Count) || states.Count < 1 || states.Count > 65535)
    BadColumnStates(Value, u"the column count must be 1 to 65535");
  std::size_t n = static_cast<std::size_t>(states.Count);
  if (!ParseList(parts[1], states.Widths) || states.Widths.size() != n ||
      std::any_of(states.Widths.begin(), states.Widths.end(), [](Integer w) { return w < 0 || w > 65535; }))
    BadColumnStates(Value, u"one width of 0 to 65535 per column expected");
  if (!ParseList(parts[2], states.Order) || (!states.Order.empty() && states.Order.size() < n))
    BadColumnStates(Value, u"the order must list every column");
  if (!states.Order.empty()) {
    states.Order.resize(n);
    if (!IsPermutation(states.Order)) BadColumnStates(Value, u"the order must hold every column once");
  }
  if (!ParseList(parts[3], states.Visible) || states.Visible.size() != n ||
      std::any_of(states.Visible.begin(), states.Visible.end(), [](Integer v) { return v != 0 && v != 1; }))
    BadColumnStates(Value, u"one visibility flag 0 or 1 per column expected");
  return states;
}

}  // namespace

void TNeoStringGrid::StringToColumnStates(const String& Value) {
  if (Value.find(u'#') == String::npos) return;
  TColumnStates states = ParseColumnStates(Value);
  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(states.Count);
  if (!states.Order.empty()) LayOutColumns(this, states.Order);
  for (Integer i = states.Count - 1; i >= 0; --i)
    if (states.Visible[static_cast<std::size_t>(i)] == 0) HideColumn(i);
  bool stretch = FColumnSize->GetStretch();
  FColumnSize->SetStretch(false);
  auto restoreStretch = ScopeExit([&] { FColumnSize->SetStretch(stretch); });
  if (stretch) {
    Integer column = FColumnSize->GetStretchColumn();
    SetDefaultColWidth(GetColWidths(column == -1 ? GetColCount() - 1 : column));
  }
  for (Integer i = 0; i < GetColCount(); ++i) {
    Integer w = states.Widths[static_cast<std::size_t>(i)];
    if (w != 0)
      SetColWidths(i, w);
    else
      SuppressColumn(i);
  }
}
