// The grid unit's start-up: what every grid of the process shares. The focus-window hook, the
// classes that stored forms may name, the common-controls flag, the clipboard format of the
// grid's cell stream and the six registered window messages. It runs once however often it is
// reached.
#include <vector>

#include "lib/grid/core/NeoArrowWindow.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/SysInfo.h"
#include "platform/win/WinUser.h"

namespace {

Integer GStartUpCount = 0;
TNeoGridShared GShared;

}  // namespace

Integer GetFileVersionNumber(const String& FileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(FileName.c_str(), &handle);
  if (size == 0) return -1;
  std::vector<Byte> block(size);
  if (!GetFileVersionInfoW(FileName.c_str(), handle, size, block.data())) return -1;
  void* fixed = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(block.data(), u"\\", &fixed, &len) || !fixed || len < sizeof(VS_FIXEDFILEINFO)) return -1;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  if (info->dwSignature != VS_FFI_SIGNATURE) return -1;
  return static_cast<Integer>(info->dwFileVersionMS);
}

Integer RegisterNeoGridClasses() {
  // The classes of the grid that exist in this build, in the fixed order; the first that fails
  // ends the registrations.
  const TClass classes[] = {TNeoStringGrid::StaticClass(), TArrowWindow::StaticClass(), TScrollBar::StaticClass()};
  Integer done = 0;
  try {
    for (TClass c : classes) {
      RegisterClass(c);
      ++done;
    }
  } catch (const Exception&) {
  }
  return done;
}

void NeoGridStartUp() {
  if (GStartUpCount++ > 0) return;
  // OLE needs no initialisation on this platform; no focus window is shown yet.
  InstallNeoGridHook();
  RegisterNeoGridClasses();
  GShared.ComCtl6 = GetFileVersionNumber(u"comctl32.dll") > 0x00040045;
  RegisterNeoGridShared();
}

void NeoGridShutDown() {
  if (GStartUpCount == 0 || --GStartUpCount > 0) return;
  RemoveNeoGridHook();
  HintFontName.clear();
}

Integer NeoGridStartUpCount() { return GStartUpCount; }

void RegisterNeoGridShared() {
  if (GShared.EditDone != 0) return;
  GShared.ClipboardFormat = RegisterClipboardFormat(u"TNeoStringGrid Cells");
  GShared.EditDone = RegisterWindowMessage(u"GridEditDone");
  GShared.EditShow = RegisterWindowMessage(u"GridEditShow");
  GShared.EditInvalid = RegisterWindowMessage(u"GridEditInvalid");
  GShared.EditProp = RegisterWindowMessage(u"GridEditProp");
  GShared.DTPShiftFocus = RegisterWindowMessage(u"DTPShiftFocus");
  GShared.FilterEditUpdate = RegisterWindowMessage(u"FilterEditUpdate");
}

const TNeoGridShared& NeoGridShared() { return GShared; }
