// The imported GDI+ wrapper set: imports, start-up, allocation base, conversions, images and the
// drawing surface.
#include "lib/graphics/NeoGDIP.h"

#include <cmath>
#include <cstring>
#include <new>

#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Units.h"

namespace NeoGDIP {

TGdipImports Imports;
gdip::GdiplusStartupInput StartupInput;
gdip::GdiplusStartupOutput StartupOutput;
gdip::ULONG_PTR GdiplusToken = 0;
gdip::ULONG_PTR NotificationHookToken = 0;

namespace {

bool gImported = false;

// Resolves one import; a missing one stops the program's start.
template <class F>
void Import(HMODULE AModule, const char* AName, F& AEntry) {
  AEntry = reinterpret_cast<F>(GetProcAddress(AModule, AName));
  if (!AEntry)
    throw Exception(u"The procedure entry point " + UTF8ToString(AName) +
                    u" could not be located in the library gdiplus.dll.");
}

void ImportAll() {
  HMODULE module = LoadLibraryW(u"gdiplus.dll");
  if (!module) throw Exception(u"The library gdiplus.dll could not be loaded: " + GetModuleLoadError());
  TGdipImports imports;
#define ZELK_NEOGDIP_IMPORT(Name) Import(module, #Name, imports.Name);
  ZELK_NEOGDIP_IMPORTS(ZELK_NEOGDIP_IMPORT)
#undef ZELK_NEOGDIP_IMPORT
  Imports = imports;
  // Imports stay bound for the life of the process: the module reference is never given back.
  gImported = true;
}

Status Startup() { return Imports.GdiplusStartup(&GdiplusToken, &StartupInput, &StartupOutput); }

void Initialize() {
  StartupInput = gdip::GdiplusStartupInput{};
  StartupInput.GdiplusVersion = 1;
  StartupInput.DebugEventCallback = nullptr;
  StartupInput.SuppressBackgroundThread = 1;
  StartupInput.SuppressExternalCodecs = 0;
  StartupOutput = gdip::GdiplusStartupOutput{};
  // Without the hooks (a failed start-up) there is nothing to install.
  if (Startup() == Ok && !IsWindows6OrLater() && StartupOutput.NotificationHook)
    StartupOutput.NotificationHook(&NotificationHookToken);
}

void Finalize() {
  if (IsLibrary) return;
  if (!IsWindows6OrLater() && StartupOutput.NotificationUnhook) StartupOutput.NotificationUnhook(NotificationHookToken);
  Imports.GdiplusShutdown(GdiplusToken);
}

// Storage of a wrapper: a header that says where it came from, then the instance.
struct alignas(std::max_align_t) TStorageHeader {
  bool FromGdiplus;
};

Integer Nearest(Single AValue) { return static_cast<Integer>(std::lrint(AValue)); }

}  // namespace

bool TImportBinding::Loaded() { return gImported; }

bool IsWindows6OrLater() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExW(&info) && info.dwMajorVersion >= 6;
}

void* TGdiplusBase::operator new(std::size_t ASize) {
  const std::size_t total = sizeof(TStorageHeader) + ASize;
  void* storage = Imports.GdipAlloc(total);
  if (!storage) {
    Startup();
    storage = Imports.GdipAlloc(total);
  }
  const bool fromGdiplus = storage != nullptr;
  if (!storage) storage = ::operator new(total);
  std::memset(storage, 0, total);
  static_cast<TStorageHeader*>(storage)->FromGdiplus = fromGdiplus;
  return static_cast<TStorageHeader*>(storage) + 1;
}

void TGdiplusBase::operator delete(void* AStorage) {
  if (!AStorage) return;
  auto* header = static_cast<TStorageHeader*>(AStorage) - 1;
  if (header->FromGdiplus) Imports.GdipFree(header);
  else ::operator delete(header);
}

// ---- Conversions ----

ARGB ColorToARGB(Byte AAlpha, TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  return PackARGB(AAlpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

ARGB ColorToOpaqueARGB(TColor AColor) { return ColorToARGB(255, AColor); }

// ---- TGPImage ----

TGPImage::TGPImage(IStream* AStream, bool AUseEmbeddedColorManagement) {
  TProtocol::Create(nativeImage, lastResult,
                    AUseEmbeddedColorManagement ? Imports.GdipLoadImageFromStreamICM : Imports.GdipLoadImageFromStream,
                    AStream);
}

TGPImage::TGPImage(gdip::GpImage* ANativeImage, Status AStatus) : nativeImage(ANativeImage), lastResult(AStatus) {}

TGPImage::~TGPImage() { TProtocol::Call(Imports.GdipDisposeImage, nativeImage); }

UINT TGPImage::GetWidth() { return TProtocol::Get<UINT>(lastResult, 0, Imports.GdipGetImageWidth, nativeImage); }

UINT TGPImage::GetHeight() { return TProtocol::Get<UINT>(lastResult, 0, Imports.GdipGetImageHeight, nativeImage); }

gdip::PixelFormat TGPImage::GetPixelFormat() {
  return TProtocol::Get<gdip::PixelFormat>(lastResult, 0, Imports.GdipGetImagePixelFormat, nativeImage);
}

TGPImageFormat TGPImage::GetFormat() {
  GUID format{};
  TProtocol::Call(Imports.GdipGetImageRawFormat, nativeImage, &format);
  static constexpr std::uint8_t Tail[8] = {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E};
  if ((format.Data1 & 0xFFFFFF00u) != 0xB96B3C00u || format.Data2 != 0x0728 || format.Data3 != 0x11D3 ||
      std::memcmp(format.Data4, Tail, sizeof(Tail)) != 0)
    return ifUndefined;
  switch (format.Data1 & 0xFF) {
    case 0xAA: return ifMemoryBMP;
    case 0xAB: return ifBMP;
    case 0xAC: return ifEMF;
    case 0xAD: return ifWMF;
    case 0xAE: return ifJPEG;
    case 0xAF: return ifPNG;
    case 0xB0: return ifGIF;
    case 0xB1: return ifTIFF;
    case 0xB2: return ifEXIF;
    case 0xB5: return ifIcon;
    default: return ifUndefined;
  }
}

Status TGPImage::SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams) {
  if (!ANewImage) return TProtocol::SetStatus(lastResult, InvalidParameter);
  return TProtocol::Run(lastResult, Imports.GdipSaveAddImage, nativeImage, ANewImage->nativeImage, AEncoderParams);
}

// ---- TGPBitmap ----

TGPBitmap::TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement) {
  gdip::GpBitmap* bitmap = nullptr;
  TProtocol::Create(bitmap, lastResult,
                    AUseEmbeddedColorManagement ? Imports.GdipCreateBitmapFromStreamICM : Imports.GdipCreateBitmapFromStream,
                    AStream);
  nativeImage = bitmap;
}

TGPBitmap::TGPBitmap(Integer AWidth, Integer AHeight, gdip::PixelFormat AFormat) {
  gdip::GpBitmap* bitmap = nullptr;
  TProtocol::Create(bitmap, lastResult, Imports.GdipCreateBitmapFromScan0, AWidth, AHeight, 0, AFormat, nullptr);
  nativeImage = bitmap;
}

TGPBitmap::TGPBitmap(gdip::GpBitmap* ANativeBitmap) : TGPImage(ANativeBitmap, Ok) {}

TGPBitmap* TGPBitmap::FromStream(IStream* AStream, bool AUseEmbeddedColorManagement) {
  return new TGPBitmap(AStream, AUseEmbeddedColorManagement);
}

Status TGPBitmap::GetPixel(Integer X, Integer Y, ARGB& AColor) {
  return TProtocol::Run(lastResult, Imports.GdipBitmapGetPixel, Native(), X, Y, &AColor);
}

Status TGPBitmap::SetPixel(Integer X, Integer Y, ARGB AColor) {
  return TProtocol::Run(lastResult, Imports.GdipBitmapSetPixel, Native(), X, Y, AColor);
}

// ---- TGPGraphics ----

TGPGraphics::TGPGraphics(HDC ADC) { TProtocol::Create(nativeGraphics, lastResult, Imports.GdipCreateFromHDC, ADC); }

TGPGraphics::TGPGraphics(TGPImage* AImage) {
  nativeGraphics = nullptr;
  lastResult = Ok;
  if (AImage) TProtocol::Create(nativeGraphics, lastResult, Imports.GdipGetImageGraphicsContext, AImage->nativeImage);
}

TGPGraphics* TGPGraphics::FromImage(TGPImage* AImage) { return new TGPGraphics(AImage); }

TGPGraphics::~TGPGraphics() { TProtocol::Call(Imports.GdipDeleteGraphics, nativeGraphics); }

Status TGPGraphics::Clear(ARGB AColor) { return TProtocol::Run(lastResult, Imports.GdipGraphicsClear, nativeGraphics, AColor); }

Status TGPGraphics::SetSmoothingMode(gdip::SmoothingMode ASmoothingMode) {
  return TProtocol::Run(lastResult, Imports.GdipSetSmoothingMode, nativeGraphics, ASmoothingMode);
}

gdip::SmoothingMode TGPGraphics::GetSmoothingMode() {
  return TProtocol::Get(lastResult, gdip::SmoothingModeInvalid, Imports.GdipGetSmoothingMode, nativeGraphics);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Integer X, Integer Y) {
  return TProtocol::Run(lastResult, Imports.GdipDrawImageI, nativeGraphics, AImage ? AImage->nativeImage : nullptr, X, Y);
}

Status TGPGraphics::DrawImage(TGPImage* AImage, Single X, Single Y, Single AWidth, Single AHeight) {
  return TProtocol::Run(lastResult, Imports.GdipDrawImageRect, nativeGraphics, AImage ? AImage->nativeImage : nullptr,
                        X, Y, AWidth, AHeight);
}

Status TGPGraphics::DrawImageRect(TGPImage* AImage, Integer X, Integer Y, Integer AWidth, Integer AHeight) {
  return DrawImage(AImage, static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(AWidth),
                   static_cast<Single>(AHeight));
}

Status TGPGraphics::DrawImageRect(TGPImage* AImage, const TGPRectF& ARect) {
  return DrawImageRect(AImage, Nearest(ARect.X), Nearest(ARect.Y), Nearest(ARect.Width), Nearest(ARect.Height));
}

}  // namespace NeoGDIP

void RegisterNeoGDIPUnit() {
  NeoGDIP::ImportAll();
  RegisterUnit(u"NeoGDIP", &NeoGDIP::Initialize, &NeoGDIP::Finalize);
}
