#pragma once
// Internals of the GDI+ bridge: the library's own functions and the bridge's replacements.
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/gdiplus/GdiPlusFlat.h"

namespace gdip::bridge {

// libgdiplus's stream access through callbacks in place of IStream.
using GetHeaderDelegate = int (*)(BYTE* Buffer, int Size);
using GetBytesDelegate = int (*)(BYTE* Buffer, int Size, BOOL Peek);
using PutBytesDelegate = int (*)(BYTE* Buffer, int Size);
using SeekDelegate = long (*)(int Offset, int Whence);
using CloseDelegate = void (*)();
using SizeDelegate = long (*)();
using TGdipLoadImageFromDelegate = Status (*)(GetHeaderDelegate, GetBytesDelegate, PutBytesDelegate, SeekDelegate,
                                             CloseDelegate, SizeDelegate, GpImage** Image);
using TGdipSaveImageToDelegate = Status (*)(GpImage* Image, GetBytesDelegate, PutBytesDelegate, SeekDelegate,
                                           CloseDelegate, SizeDelegate, const CLSID* Encoder,
                                           const EncoderParameters* Params);

// The library's own functions (nullptr for those it lacks), filled when the module loads.
struct TLibrary {
#define ZELK_GDIPLUS_FIELD(Result, Name, Params) T##Name Name = nullptr;
  ZELK_GDIPLUS_FLAT(ZELK_GDIPLUS_FIELD)
#undef ZELK_GDIPLUS_FIELD
  TGdipLoadImageFromDelegate LoadImageFromDelegate = nullptr;
  TGdipSaveImageToDelegate SaveImageToDelegate = nullptr;
};
const TLibrary& Lib();

// A replacement export of the module.
struct TOverride {
  const char* Name;
  void* Address;
};
template <class F>
TOverride Override(const char* AName, F* AFunction) {
  return TOverride{AName, reinterpret_cast<void*>(AFunction)};
}

std::vector<TOverride> StartupOverrides();
std::vector<TOverride> GraphicsOverrides();
std::vector<TOverride> StreamOverrides();
std::vector<TOverride> HandleOverrides();
std::vector<TOverride> EmulatedOverrides();

// Whether the exports serve callers (between the first start-up and the last shutdown); while
// not, every export with a status answers GdiplusNotInitialized.
void SetStarted(bool AStarted);

// A font family by name: an installed family, or a face the platform's font table substitutes;
// FontFamilyNotFound for any other name (libgdiplus would give some font for every name).
Status FamilyFromName(const WCHAR* AName, GpFontCollection* ACollection, GpFontFamily** AFamily);

// A bitmap decoded from the stream's bytes (an image of another kind is refused).
Status BitmapFromStream(IStream* AStream, GpBitmap** ABitmap);

// A bitmap owned by the library made from premultiplied 0xAARRGGBB pixels (AStride bytes a row),
// in AFormat (32bppRGB drops the alpha, 32bppARGB and 32bppPARGB keep it).
Status NewBitmapFromPixels(int AWidth, int AHeight, const std::uint32_t* APixels, int AStride, PixelFormat AFormat,
                           GpBitmap** ABitmap);
// The bitmap's pixels as premultiplied 0xAARRGGBB, top row first.
Status ReadBitmapPixels(GpBitmap* ABitmap, int& AWidth, int& AHeight, std::vector<std::uint32_t>& APixels);

}  // namespace gdip::bridge
