// The built-in "comctl32.dll" module and its flat scroll-bar exports.
#include "platform/win/ComCtl32.h"

#include <mutex>

#include "platform/rtl/Modules.h"
#include "platform/win/WinScroll.h"

namespace {

// A lookup by name gets plain function addresses with the platform's signatures.
BOOL ExportInitializeFlatSB(HWND h) { return InitializeFlatSB(h); }
HRESULT ExportUninitializeFlatSB(HWND h) { return UninitializeFlatSB(h); }
int ExportFlatSBSetScrollInfo(HWND h, int bar, LPCSCROLLINFO info, BOOL redraw) {
  return FlatSB_SetScrollInfo(h, bar, info, redraw);
}
BOOL ExportFlatSBSetScrollProp(HWND h, UINT index, LONG_PTR value, BOOL redraw) {
  return FlatSB_SetScrollProp(h, index, value, redraw);
}
BOOL ExportFlatSBShowScrollBar(HWND h, int bar, BOOL show) { return FlatSB_ShowScrollBar(h, bar, show); }

}  // namespace

void RegisterComCtl32Module() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBuiltinModule(
        u"comctl32.dll",
        {TModuleExport{"InitializeFlatSB", reinterpret_cast<void*>(&ExportInitializeFlatSB)},
         TModuleExport{"UninitializeFlatSB", reinterpret_cast<void*>(&ExportUninitializeFlatSB)},
         TModuleExport{"FlatSB_SetScrollInfo", reinterpret_cast<void*>(&ExportFlatSBSetScrollInfo)},
         TModuleExport{"FlatSB_SetScrollProp", reinterpret_cast<void*>(&ExportFlatSBSetScrollProp)},
         TModuleExport{"FlatSB_ShowScrollBar", reinterpret_cast<void*>(&ExportFlatSBShowScrollBar)}},
        true);
  });
}
