// NeoGDIP images and bitmaps.
#include <cstring>

#include "lib/graphics/NeoGDIPInternal.h"

namespace NeoGDIP {

// ---- TGPImage ----

TGPImage::TGPImage(const String& AFileName, bool AUseEmbeddedColorManagement) {
  TProtocol::Create(nativeImage, lastResult,
                    AUseEmbeddedColorManagement ? Imports.GdipLoadImageFromFileICM : Imports.GdipLoadImageFromFile,
                    AFileName.c_str());
}

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

TGPImage* TGPImage::GetThumbnailImage(UINT AThumbWidth, UINT AThumbHeight, ImageAbort ACallback,
                                      void* ACallbackData) {
  gdip::GpImage* thumbnail = nullptr;
  TProtocol::Run(lastResult, Imports.GdipGetImageThumbnail, nativeImage, AThumbWidth, AThumbHeight, &thumbnail,
                 ACallback, ACallbackData);
  return Wrap<TGPImage>(thumbnail, Imports.GdipDisposeImage, lastResult);
}

Status TGPImage::Save(const String& AFileName, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams) {
  return TProtocol::Run(lastResult, Imports.GdipSaveImageToFile, nativeImage, AFileName.c_str(), &AClsidEncoder,
                        AEncoderParams);
}

Status TGPImage::Save(IStream* AStream, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams) {
  return TProtocol::Run(lastResult, Imports.GdipSaveImageToStream, nativeImage, AStream, &AClsidEncoder,
                        AEncoderParams);
}

Status TGPImage::SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams) {
  if (!ANewImage) return TProtocol::SetStatus(lastResult, InvalidParameter);
  return TProtocol::Run(lastResult, Imports.GdipSaveAddImage, nativeImage, ANewImage->nativeImage, AEncoderParams);
}

Status TGPImage::RotateFlip(RotateFlipType ARotateFlipType) {
  return TProtocol::Run(lastResult, Imports.GdipImageRotateFlip, nativeImage, ARotateFlipType);
}

// ---- TGPBitmap ----

TGPBitmap::TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement) {
  CreateAs<gdip::GpBitmap>(
      nativeImage, lastResult,
      AUseEmbeddedColorManagement ? Imports.GdipCreateBitmapFromStreamICM : Imports.GdipCreateBitmapFromStream, AStream);
}

TGPBitmap::TGPBitmap(Integer AWidth, Integer AHeight, gdip::PixelFormat AFormat) {
  CreateAs<gdip::GpBitmap>(nativeImage, lastResult, Imports.GdipCreateBitmapFromScan0, AWidth, AHeight, 0, AFormat,
                           nullptr);
}

TGPBitmap::TGPBitmap(gdip::GpBitmap* ANativeBitmap) : TGPImage(ANativeBitmap, Ok) {}

TGPBitmap* TGPBitmap::FromStream(IStream* AStream, bool AUseEmbeddedColorManagement) {
  return new TGPBitmap(AStream, AUseEmbeddedColorManagement);
}

Status TGPBitmap::GetHBITMAP(ARGB AColorBackground, HBITMAP& AHbmReturn) {
  return TProtocol::Run(lastResult, Imports.GdipCreateHBITMAPFromBitmap, Native(), &AHbmReturn, AColorBackground);
}

Status TGPBitmap::GetPixel(Integer X, Integer Y, ARGB& AColor) {
  return TProtocol::Run(lastResult, Imports.GdipBitmapGetPixel, Native(), X, Y, &AColor);
}

Status TGPBitmap::SetPixel(Integer X, Integer Y, ARGB AColor) {
  return TProtocol::Run(lastResult, Imports.GdipBitmapSetPixel, Native(), X, Y, AColor);
}

}  // namespace NeoGDIP
