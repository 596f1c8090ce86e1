// The run-time binding of "gdiplus.dll", the wrappers' allocation base and the start-up units.
#include "lib/graphics/NeoGDIPlusApi.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "lib/base/NeoBaseUnits.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"

namespace NeoGDIPlusApi {

HMODULE GdiplusModule = nullptr;
TGdiplusProcs GdiplusProcs;

namespace {

constexpr const char* SlotNames[GdiplusProcCount] = {
#define ZELK_GDIPLUS_NAME(Result, Name, Params) #Name,
    ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_NAME)
#undef ZELK_GDIPLUS_NAME
};

// The entries as an array of slots (the table is 594 consecutive pointers).
void** Slots() { return reinterpret_cast<void**>(&GdiplusProcs); }

// Storage of a wrapper: a header that says where it came from, then the instance.
struct alignas(std::max_align_t) TStorageHeader {
  gdip::TGdipFree Free;   // nil: from ::operator new
};

}  // namespace

const char* GdiplusProcName(int ASlot) {
  return ASlot >= 0 && ASlot < GdiplusProcCount ? SlotNames[ASlot] : nullptr;
}

void* GdiplusProcAt(int ASlot) { return ASlot >= 0 && ASlot < GdiplusProcCount ? Slots()[ASlot] : nullptr; }

void BindGdiplus() {
  GdiplusModule = LoadLibraryW(u"gdiplus.dll");
  if (!GdiplusModule) return;
  for (int slot = 0; slot < GdiplusProcCount; ++slot) Slots()[slot] = GetProcAddress(GdiplusModule, SlotNames[slot]);
}

void UnbindGdiplus() {
  if (!GdiplusModule) return;
  FreeLibrary(GdiplusModule);
  GdiplusModule = nullptr;
  GdiplusProcs = TGdiplusProcs{};
}

void* TGdiplusBase::operator new(std::size_t ASize) {
  const std::size_t total = sizeof(TStorageHeader) + ASize;
  void* storage = nullptr;
  gdip::TGdipFree free = nullptr;
  // GdipAlloc and GdipFree belong together: storage from one goes back through the other.
  if (GdiplusModule && GdiplusProcs.GdipAlloc && GdiplusProcs.GdipFree) {
    storage = GdiplusProcs.GdipAlloc(total);
    free = GdiplusProcs.GdipFree;
  }
  if (!storage) {
    storage = ::operator new(total);
    free = nullptr;
  }
  std::memset(storage, 0, total);
  static_cast<TStorageHeader*>(storage)->Free = free;
  return static_cast<TStorageHeader*>(storage) + 1;
}

void TGdiplusBase::operator delete(void* AStorage) {
  if (!AStorage) return;
  auto* header = static_cast<TStorageHeader*>(AStorage) - 1;
  if (header->Free) header->Free(header);
  else ::operator delete(header);
}

TPathData::~TPathData() {
  if (Points) std::free(Points);
  if (Types) std::free(Types);
}

}  // namespace NeoGDIPlusApi

namespace NeoGDIPlusClasses {

using namespace NeoGDIPlusApi;

gdip::GdiplusStartupInput StartupInput;
gdip::ULONG_PTR GdiplusToken = 0;

void StartupGdiplus() {
  StartupInput = gdip::GdiplusStartupInput{};
  StartupInput.GdiplusVersion = 1;
  StartupInput.DebugEventCallback = nullptr;
  StartupInput.SuppressBackgroundThread = 0;
  StartupInput.SuppressExternalCodecs = 0;
  if (GdiplusModule) TProtocol::Call(GdiplusProcs.GdiplusStartup, &GdiplusToken, &StartupInput, nullptr);
}

void ShutdownGdiplus() {
  if (GdiplusModule && GdiplusProcs.GdiplusShutdown) GdiplusProcs.GdiplusShutdown(GdiplusToken);
}

}  // namespace NeoGDIPlusClasses

void RegisterNeoGDIPlusApiUnits() {
  RegisterNeoBaseUnits();
  RegisterGdiplusModule();
  RegisterUnit(u"NeoGDIPlusApi", &NeoGDIPlusApi::BindGdiplus, &NeoGDIPlusApi::UnbindGdiplus);
  // GDI+ is started by the program only, not by a dynamic library loaded into another process.
  RegisterUnit(
      u"NeoGDIPlusClasses",
      [] {
        if (!IsLibrary) NeoGDIPlusClasses::StartupGdiplus();
      },
      [] {
        NeoGDIPlusClasses::FreeGenericSingletons();
        if (!IsLibrary) NeoGDIPlusClasses::ShutdownGdiplus();
      });
}
