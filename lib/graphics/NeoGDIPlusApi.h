#pragma once
// NeoGDIPlusApi: the GDI+ flat API bound at run time from "gdiplus.dll" into a table of 594
// entries (GdiplusProcs, in slot order: slot 0 GdipAlloc ... slot 593 GdipEmfToWmfBits), the
// allocation base of the NeoGDIPlusClasses wrappers, the path-data holder and three makers.
//
// Start-up order (the program's unit registry): the unit NeoGDIPlusApi binds the table
// (BindGdiplus) and unbinds it at exit; the unit NeoGDIPlusClasses, after it, starts GDI+ through
// the table (StartupGdiplus) and shuts it down at exit. A library missing altogether leaves every
// entry nil and starts nothing; a missing export leaves only its entry nil.
#include <cstddef>
#include <cstdint>

#include "lib/graphics/NeoGDIPlusTypes.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/System.h"

namespace NeoGDIPlusApi {

// The table: one typed entry per flat function, consecutive, in slot order.
struct TGdiplusProcs {
#define ZELK_GDIPLUS_SLOT(Result, Name, Params) gdip::T##Name Name = nullptr;
  ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_SLOT)
#undef ZELK_GDIPLUS_SLOT
};
constexpr int GdiplusProcCount = gdip::FlatFunctionCount;
static_assert(sizeof(TGdiplusProcs) == GdiplusProcCount * sizeof(void*));

extern HMODULE GdiplusModule;   // nullptr while not loaded
extern TGdiplusProcs GdiplusProcs;

// The export name of a slot (0 <= ASlot < GdiplusProcCount) and its entry (nil when unbound).
const char* GdiplusProcName(int ASlot);
void* GdiplusProcAt(int ASlot);

void BindGdiplus();
void UnbindGdiplus();

// The binding of the NeoGDIPlusClasses wrappers: loaded while GdiplusModule is set.
struct TApiBinding {
  static bool Loaded() { return GdiplusModule != nullptr; }
};
using TProtocol = TGPProtocol<TApiBinding>;

// Allocation base of the NeoGDIPlusClasses wrappers: instances live in storage from the bound
// GdipAlloc, zero-filled before construction (so a status field not set starts as Ok and a
// handle as nil), and go back through GdipFree. When GdipAlloc is not bound or fails, the storage
// comes from ::operator new, zero-filled as well, and goes back there.
class TGdiplusBase : public TObject {
  ZELK_CLASS(TGdiplusBase, TObject)
public:
  static void* operator new(std::size_t ASize);
  static void operator delete(void* AStorage);
};

// GDI+'s path data record (Count, Points, Types) as an object; GdipGetPathData fills it through
// Record(). The buffers are freed with the object.
class TPathData : public TObject {
  ZELK_CLASS(TPathData, TObject)
public:
  TPathData() = default;
  ~TPathData() override;
  TPathData(const TPathData&) = delete;
  TPathData& operator=(const TPathData&) = delete;

  Integer Count = 0;
  PGPPointF Points = nullptr;
  Byte* Types = nullptr;

  // The three fields laid out as GDI+'s record. GetPathData allocates the buffers with std::malloc
  // (the general-purpose heap the destructor frees them to).
  gdip::PathData* Record() { return reinterpret_cast<gdip::PathData*>(&Count); }
};

inline TGPPointF GPPointFOf(Single X, Single Y) { return TGPPointF{X, Y}; }
inline TGPRectF GPRectFOf(Single X, Single Y, Single Width, Single Height) { return TGPRectF{X, Y, Width, Height}; }
// An ARGB colour: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7 (the low 8 bits of each).
constexpr ARGB PackARGB(Byte A, Byte R, Byte G, Byte B) {
  return (static_cast<ARGB>(A) << 24) | (static_cast<ARGB>(R) << 16) | (static_cast<ARGB>(G) << 8) | B;
}

}  // namespace NeoGDIPlusApi

namespace NeoGDIPlusClasses {

// Module state of the start-up: the input record (filled just before start-up) and the token.
extern gdip::GdiplusStartupInput StartupInput;
extern gdip::ULONG_PTR GdiplusToken;

// Starts GDI+ through the table when the library is loaded; the status is not examined.
void StartupGdiplus();
// Shuts GDI+ down through the table when the library is loaded.
void ShutdownGdiplus();
// Frees the generic font families and string formats made on request (the unit's finalization
// does it before GDI+ shuts down).
void FreeGenericSingletons();

}  // namespace NeoGDIPlusClasses

// Adds the units NeoGDIPlusApi (binding) and NeoGDIPlusClasses (start-up, skipped in a dynamic
// library) to the program's units, after those of the library base.
void RegisterNeoGDIPlusApiUnits();
