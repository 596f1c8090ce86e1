// TNeoStringGrid: column widths and positions kept in an INI file or the registry, and the
// column-state string.
#include <memory>

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Registry.h"

namespace {

// The store of ColumnSize: an in-memory INI file at Key or the registry key Key; nullptr when the
// settings name no place.
std::unique_ptr<TCustomIniFile> OpenStore(TColumnSize* Settings) {
  if (Settings->GetKey().empty() || Settings->GetSection().empty()) return nullptr;
  if (Settings->GetLocation() == clIniFile) return std::make_unique<TMemIniFile>(Settings->GetKey());
  return std::make_unique<TRegistryIniFile>(Settings->GetKey());
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
