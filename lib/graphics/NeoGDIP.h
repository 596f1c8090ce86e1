#pragma once
// NeoGDIP: the GDI+ wrapper set over functions imported from "gdiplus.dll" when the program
// registers the unit (the picture container, pictures, pickers and tooltips draw with it). It
// shares only the GDI+ types with NeoGDIPlusClasses: its own imports, start-up token and objects.
//
// RegisterNeoGDIPUnit imports every function at once, before any unit initialises; a library that
// cannot be loaded or lacks one of the functions stops the program there with an exception naming
// the library or the function and the loader's message. The unit's initialisation starts GDI+
// with its own token; its finalisation (skipped in a dynamic library) shuts it down.
#include <cstddef>

#include "lib/graphics/NeoGDIPlusApi.h"   // the shared GDI+ types and makers
#include "platform/rtl/System.h"
#include "platform/ui/Graphics.h"

namespace NeoGDIP {

using namespace NeoGDIPlusApi;

// The imported functions, in the order they are resolved.
#define ZELK_NEOGDIP_IMPORTS(X)                                                                     \
  X(GdiplusStartup) X(GdiplusShutdown) X(GdipAlloc) X(GdipFree) X(GdipCreateFromHDC)                \
  X(GdipGetImageGraphicsContext) X(GdipDeleteGraphics) X(GdipGraphicsClear) X(GdipSetSmoothingMode) \
  X(GdipGetSmoothingMode) X(GdipDrawImageI) X(GdipDrawImageRect) X(GdipLoadImageFromStream)         \
  X(GdipLoadImageFromStreamICM) X(GdipDisposeImage) X(GdipGetImageWidth) X(GdipGetImageHeight)      \
  X(GdipGetImagePixelFormat) X(GdipGetImageRawFormat) X(GdipSaveAddImage)                           \
  X(GdipCreateBitmapFromStream) X(GdipCreateBitmapFromStreamICM) X(GdipCreateBitmapFromScan0)       \
  X(GdipBitmapGetPixel) X(GdipBitmapSetPixel)

struct TGdipImports {
#define ZELK_NEOGDIP_ENTRY(Name) gdip::T##Name Name = nullptr;
  ZELK_NEOGDIP_IMPORTS(ZELK_NEOGDIP_ENTRY)
#undef ZELK_NEOGDIP_ENTRY
};
extern TGdipImports Imports;

// The imports are resolved for the life of the process once the unit is registered.
struct TImportBinding {
  static bool Loaded();
};
using TProtocol = TGPProtocol<TImportBinding>;

// Module state of the start-up.
extern gdip::GdiplusStartupInput StartupInput;
extern gdip::GdiplusStartupOutput StartupOutput;
extern gdip::ULONG_PTR GdiplusToken;
extern gdip::ULONG_PTR NotificationHookToken;

// True when the operating system's major version is 6 or more.
bool IsWindows6OrLater();

// Allocation base: storage from GdipAlloc (after one more start-up of GDI+ when it fails once),
// zero-filled; when GDI+ still gives none, zero-filled storage from ::operator new. Each block is
// tagged so that it goes back where it came from.
class TGdiplusBase : public TObject {
  ZELK_CLASS(TGdiplusBase, TObject)
public:
  static void* operator new(std::size_t ASize);
  static void operator delete(void* AStorage);
};

// ---- Colour and geometry conversions ----
ARGB ColorToARGB(Byte AAlpha, TColor AColor);
ARGB ColorToOpaqueARGB(TColor AColor);
constexpr ARGB RGBToOpaqueARGB(Byte R, Byte G, Byte B) { return PackARGB(255, R, G, B); }
constexpr Byte ARGBRed(ARGB AColor) { return static_cast<Byte>(AColor >> 16); }
constexpr Byte ARGBGreen(ARGB AColor) { return static_cast<Byte>(AColor >> 8); }
constexpr Byte ARGBBlue(ARGB AColor) { return static_cast<Byte>(AColor); }
inline TGPPoint GPPointOf(Integer X, Integer Y) { return TGPPoint{X, Y}; }

enum TGPImageFormat {
  ifUndefined, ifMemoryBMP, ifBMP, ifEMF, ifWMF, ifJPEG, ifPNG, ifGIF, ifTIFF, ifEXIF, ifIcon
};

class TGPImage : public TGdiplusBase {
  ZELK_CLASS(TGPImage, TGdiplusBase)
public:
  TGPImage(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPImage(gdip::GpImage* ANativeImage, Status AStatus);
  ~TGPImage() override;
  TGPImage(const TGPImage&) = delete;
  TGPImage& operator=(const TGPImage&) = delete;

  UINT GetWidth();
  UINT GetHeight();
  gdip::PixelFormat GetPixelFormat();
  UINT GetPixelDepth() { return (static_cast<UINT>(GetPixelFormat()) >> 8) & 0xFF; }
  bool HasPalette() { return (GetPixelFormat() & 0x10000) != 0; }
  bool HasAlphaChannel() { return (GetPixelFormat() & 0x40000) != 0; }
  TGPImageFormat GetFormat();
  Status SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams);

  gdip::GpImage* nativeImage;
  Status lastResult;
  Status loadStatus;

protected:
  TGPImage() = default;
};

class TGPBitmap : public TGPImage {
  ZELK_CLASS(TGPBitmap, TGPImage)
public:
  TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPBitmap(Integer AWidth, Integer AHeight, gdip::PixelFormat AFormat = gdip::PixelFormat32bppARGB);
  explicit TGPBitmap(gdip::GpBitmap* ANativeBitmap);
  static TGPBitmap* FromStream(IStream* AStream, bool AUseEmbeddedColorManagement = false);

  Status GetPixel(Integer X, Integer Y, ARGB& AColor);
  Status SetPixel(Integer X, Integer Y, ARGB AColor);

private:
  gdip::GpBitmap* Native() { return static_cast<gdip::GpBitmap*>(nativeImage); }
};

class TGPGraphics : public TGdiplusBase {
  ZELK_CLASS(TGPGraphics, TGdiplusBase)
public:
  explicit TGPGraphics(HDC ADC);
  explicit TGPGraphics(TGPImage* AImage);
  static TGPGraphics* FromImage(TGPImage* AImage);
  ~TGPGraphics() override;
  TGPGraphics(const TGPGraphics&) = delete;
  TGPGraphics& operator=(const TGPGraphics&) = delete;

  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }
  Status Clear(ARGB AColor);
  Status SetSmoothingMode(gdip::SmoothingMode ASmoothingMode);
  gdip::SmoothingMode GetSmoothingMode();
  Status DrawImage(TGPImage* AImage, Integer X, Integer Y);
  Status DrawImage(TGPImage* AImage, Single X, Single Y, Single AWidth, Single AHeight);
  Status DrawImageRect(TGPImage* AImage, Integer X, Integer Y, Integer AWidth, Integer AHeight);
  // Each float taken to the nearest integer, halves to even.
  Status DrawImageRect(TGPImage* AImage, const TGPRectF& ARect);

  gdip::GpGraphics* nativeGraphics;
  Status lastResult;
};

}  // namespace NeoGDIP

// Imports the unit's functions from the registered "gdiplus.dll" module (raising Exception when
// that fails) and adds the unit NeoGDIP to the program's units.
void RegisterNeoGDIPUnit();
