// The layered-window calls looked up in "user32.dll" at each call, so a platform without them
// leaves the caller to draw its window some other way.
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/Modules.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace {

// "user32.dll" loaded for one call.
class TUser32 {
public:
  TUser32() : FModule(LoadLibraryW(u"user32.dll")) {}
  ~TUser32() {
    if (FModule) FreeLibrary(FModule);
  }
  TUser32(const TUser32&) = delete;
  TUser32& operator=(const TUser32&) = delete;
  // The export's address as a function of type Proc, nullptr when the module or export is missing.
  template <class Proc> Proc Find(const char* Name) const {
    return FModule ? reinterpret_cast<Proc>(GetProcAddress(FModule, Name)) : nullptr;
  }

private:
  HMODULE FModule;
};

}  // namespace

bool DynUpdateLayeredWindow(HWND Handle, HDC DestDC, POINT* DestPoint, SIZE* Size, HDC SourceDC, POINT* SourcePoint,
                            COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags) {
  TUser32 user32;
  auto update = user32.Find<TUpdateLayeredWindowProc>("UpdateLayeredWindow");
  return update && update(Handle, DestDC, DestPoint, Size, SourceDC, SourcePoint, Key, Blend, Flags);
}

bool DynSetLayeredWindowAttributes(HWND Handle, COLORREF Key, BYTE Alpha, DWORD Flags) {
  TUser32 user32;
  auto attributes = user32.Find<TSetLayeredWindowAttributesProc>("SetLayeredWindowAttributes");
  return attributes && attributes(Handle, Key, Alpha, Flags);
}
