// Images, bitmaps, cached bitmaps and image attributes over the bound GDI+ table.
#include "lib/graphics/NeoGDIPlusImages.h"

#include "lib/graphics/NeoGDIPlusClassesInternal.h"

namespace NeoGDIPlusClasses {

namespace {

// Image attributes: the Set methods pass the enable flag as all bits set, the Clear methods 0.
constexpr gdip::BOOL Enable = -1;
constexpr gdip::BOOL Disable = 0;

}  // namespace

// ---- TGPImage ----

TGPImage::TGPImage(const String& AFilename, bool AUseEmbeddedColorManagement) {
  TP::Create(nativeImage, lastResult,
             AUseEmbeddedColorManagement ? Gdip().GdipLoadImageFromFileICM : Gdip().GdipLoadImageFromFile,
             AFilename.c_str());
}

TGPImage::TGPImage(IStream* AStream, bool AUseEmbeddedColorManagement) {
  TP::Create(nativeImage, lastResult,
             AUseEmbeddedColorManagement ? Gdip().GdipLoadImageFromStreamICM : Gdip().GdipLoadImageFromStream,
             AStream);
}

TGPImage::TGPImage(gdip::GpImage* ANativeImage, Status AStatus) : nativeImage(ANativeImage), lastResult(AStatus) {}

TGPImage::~TGPImage() { TP::Call(Gdip().GdipDisposeImage, nativeImage); }

TGPImage* TGPImage::FromFile(const String& AFilename, bool AUseEmbeddedColorManagement) {
  return new TGPImage(AFilename, AUseEmbeddedColorManagement);
}

TGPImage* TGPImage::FromStream(IStream* AStream, bool AUseEmbeddedColorManagement) {
  return new TGPImage(AStream, AUseEmbeddedColorManagement);
}

TGPImage* TGPImage::Clone() {
  gdip::GpImage* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneImage, nativeImage, &copy);
  return new TGPImage(copy, lastResult);
}

Status TGPImage::Save(const String& AFilename, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams) {
  return TP::Run(lastResult, Gdip().GdipSaveImageToFile, nativeImage, AFilename.c_str(), &AClsidEncoder,
                 AEncoderParams);
}

Status TGPImage::Save(IStream* AStream, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams) {
  return TP::Run(lastResult, Gdip().GdipSaveImageToStream, nativeImage, AStream, &AClsidEncoder, AEncoderParams);
}

Status TGPImage::SaveAdd(const EncoderParameters* AEncoderParams) {
  return TP::Run(lastResult, Gdip().GdipSaveAdd, nativeImage, AEncoderParams);
}

Status TGPImage::SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams) {
  if (!ANewImage) return TP::SetStatus(lastResult, InvalidParameter);
  return TP::Run(lastResult, Gdip().GdipSaveAddImage, nativeImage, ANewImage->nativeImage, AEncoderParams);
}

ImageType TGPImage::GetType() { return TP::Get(lastResult, ImageTypeUnknown, Gdip().GdipGetImageType, nativeImage); }

Status TGPImage::GetPhysicalDimension(TGPSizeF& ASize) {
  gdip::REAL width = 0, height = 0;
  const Status status = TP::Run(lastResult, Gdip().GdipGetImageDimension, nativeImage, &width, &height);
  ASize.Width = width;
  ASize.Height = height;
  return status;
}

Status TGPImage::GetBounds(TGPRectF& ASrcRect, Unit_& ASrcUnit) {
  ASrcUnit = UnitWorld;
  return TP::Run(lastResult, Gdip().GdipGetImageBounds, nativeImage, &ASrcRect, &ASrcUnit);
}

UINT TGPImage::GetWidth() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetImageWidth, nativeImage); }

UINT TGPImage::GetHeight() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetImageHeight, nativeImage); }

Single TGPImage::GetHorizontalResolution() {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetImageHorizontalResolution, nativeImage);
}

Single TGPImage::GetVerticalResolution() {
  return TP::Get<gdip::REAL>(lastResult, 0, Gdip().GdipGetImageVerticalResolution, nativeImage);
}

UINT TGPImage::GetFlags() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetImageFlags, nativeImage); }

Status TGPImage::GetRawFormat(GUID& AFormat) {
  return TP::Run(lastResult, Gdip().GdipGetImageRawFormat, nativeImage, &AFormat);
}

gdip::PixelFormat TGPImage::GetPixelFormat() {
  return TP::Get<gdip::PixelFormat>(lastResult, gdip::PixelFormatUndefined, Gdip().GdipGetImagePixelFormat,
                                    nativeImage);
}

Integer TGPImage::GetPaletteSize() {
  return TP::Get<gdip::INT>(lastResult, 0, Gdip().GdipGetImagePaletteSize, nativeImage);
}

Status TGPImage::GetPalette(PColorPalette APalette, Integer ASize) {
  return TP::Run(lastResult, Gdip().GdipGetImagePalette, nativeImage, APalette, ASize);
}

Status TGPImage::SetPalette(const ColorPalette* APalette) {
  return TP::Run(lastResult, Gdip().GdipSetImagePalette, nativeImage, APalette);
}

TGPImage* TGPImage::GetThumbnailImage(UINT AThumbWidth, UINT AThumbHeight, ImageAbort ACallback, void* ACallbackData) {
  gdip::GpImage* thumbnail = nullptr;
  TP::Run(lastResult, Gdip().GdipGetImageThumbnail, nativeImage, AThumbWidth, AThumbHeight, &thumbnail, ACallback,
          ACallbackData);
  return new TGPImage(thumbnail, lastResult);
}

UINT TGPImage::GetFrameDimensionsCount() {
  return TP::Get<UINT>(lastResult, 0, Gdip().GdipImageGetFrameDimensionsCount, nativeImage);
}

Status TGPImage::GetFrameDimensionsList(GUID* ADimensionIDs, UINT ACount) {
  return TP::Run(lastResult, Gdip().GdipImageGetFrameDimensionsList, nativeImage, ADimensionIDs, ACount);
}

UINT TGPImage::GetFrameCount(const GUID& ADimensionID) {
  return TP::Get<UINT>(lastResult, 0, Gdip().GdipImageGetFrameCount, nativeImage, &ADimensionID);
}

Status TGPImage::SelectActiveFrame(const GUID& ADimensionID, UINT AFrameIndex) {
  return TP::Run(lastResult, Gdip().GdipImageSelectActiveFrame, nativeImage, &ADimensionID, AFrameIndex);
}

Status TGPImage::RotateFlip(RotateFlipType ARotateFlipType) {
  return TP::Run(lastResult, Gdip().GdipImageRotateFlip, nativeImage, ARotateFlipType);
}

UINT TGPImage::GetPropertyCount() { return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetPropertyCount, nativeImage); }

Status TGPImage::GetPropertyIdList(UINT ANumOfProperty, gdip::PROPID* AList) {
  return TP::Run(lastResult, Gdip().GdipGetPropertyIdList, nativeImage, ANumOfProperty, AList);
}

UINT TGPImage::GetPropertyItemSize(gdip::PROPID APropId) {
  return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetPropertyItemSize, nativeImage, APropId);
}

Status TGPImage::GetPropertyItem(gdip::PROPID APropId, UINT APropSize, PPropertyItem ABuffer) {
  return TP::Run(lastResult, Gdip().GdipGetPropertyItem, nativeImage, APropId, APropSize, ABuffer);
}

Status TGPImage::GetPropertySize(UINT& ATotalBufferSize, UINT& ANumProperties) {
  ATotalBufferSize = 0;
  ANumProperties = 0;
  return TP::Run(lastResult, Gdip().GdipGetPropertySize, nativeImage, &ATotalBufferSize, &ANumProperties);
}

Status TGPImage::GetAllPropertyItems(UINT ATotalBufferSize, UINT ANumProperties, PPropertyItem AAllItems) {
  return TP::Run(lastResult, Gdip().GdipGetAllPropertyItems, nativeImage, ATotalBufferSize, ANumProperties,
                 AAllItems);
}

Status TGPImage::RemovePropertyItem(gdip::PROPID APropId) {
  return TP::Run(lastResult, Gdip().GdipRemovePropertyItem, nativeImage, APropId);
}

Status TGPImage::SetPropertyItem(const PropertyItem& AItem) {
  return TP::Run(lastResult, Gdip().GdipSetPropertyItem, nativeImage, &AItem);
}

UINT TGPImage::GetEncoderParameterListSize(const CLSID& AClsidEncoder) {
  return TP::Get<UINT>(lastResult, 0, Gdip().GdipGetEncoderParameterListSize, nativeImage, &AClsidEncoder);
}

Status TGPImage::GetEncoderParameterList(const CLSID& AClsidEncoder, UINT ASize, PEncoderParameters ABuffer) {
  return TP::Run(lastResult, Gdip().GdipGetEncoderParameterList, nativeImage, &AClsidEncoder, ASize, ABuffer);
}

// ---- TGPBitmap ----

namespace {

// A bitmap constructor: the created bitmap stored as the image handle, the status assigned.
template <class... P, class... A>
void CreateBitmap(TGPImage& AImage, Status (*AEntry)(P...), A&&... AArgs) {
  gdip::GpBitmap* bitmap = nullptr;
  TP::Create(bitmap, AImage.lastResult, AEntry, std::forward<A>(AArgs)...);
  AImage.nativeImage = bitmap;
}

}  // namespace

TGPBitmap::TGPBitmap(const String& AFilename, bool AUseEmbeddedColorManagement) {
  CreateBitmap(*this,
               AUseEmbeddedColorManagement ? Gdip().GdipCreateBitmapFromFileICM : Gdip().GdipCreateBitmapFromFile,
               AFilename.c_str());
}

TGPBitmap::TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement) {
  CreateBitmap(*this,
               AUseEmbeddedColorManagement ? Gdip().GdipCreateBitmapFromStreamICM : Gdip().GdipCreateBitmapFromStream,
               AStream);
}

TGPBitmap::TGPBitmap(Integer AWidth, Integer AHeight, Integer AStride, Integer AFormat, Byte* AScan0) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromScan0, AWidth, AHeight, AStride, AFormat, AScan0);
}

TGPBitmap::TGPBitmap(Integer AWidth, Integer AHeight, Integer AFormat) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromScan0, AWidth, AHeight, 0, AFormat, nullptr);
}

TGPBitmap::TGPBitmap(Integer AWidth, Integer AHeight, TGPGraphics* ATarget) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromGraphics, AWidth, AHeight, ATarget->nativeGraphics);
}

TGPBitmap::TGPBitmap(const BITMAPINFO* AGdiBitmapInfo, void* AGdiBitmapData) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromGdiDib, AGdiBitmapInfo, AGdiBitmapData);
}

TGPBitmap::TGPBitmap(HBITMAP AHbm, HPALETTE AHpal) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromHBITMAP, AHbm, AHpal);
}

TGPBitmap::TGPBitmap(HICON AHicon, Integer) { CreateBitmap(*this, Gdip().GdipCreateBitmapFromHICON, AHicon); }

TGPBitmap::TGPBitmap(HINSTANCE AHInstance, const String& ABitmapName) {
  CreateBitmap(*this, Gdip().GdipCreateBitmapFromResource, AHInstance, ABitmapName.c_str());
}

TGPBitmap::TGPBitmap(gdip::GpBitmap* ANativeBitmap) : TGPImage(ANativeBitmap, Ok) {}

TGPBitmap* TGPBitmap::FromFile(const String& AFilename, bool AUseEmbeddedColorManagement) {
  return new TGPBitmap(AFilename, AUseEmbeddedColorManagement);
}

TGPBitmap* TGPBitmap::FromStream(IStream* AStream, bool AUseEmbeddedColorManagement) {
  return new TGPBitmap(AStream, AUseEmbeddedColorManagement);
}

TGPBitmap* TGPBitmap::FromBITMAPINFO(const BITMAPINFO* AGdiBitmapInfo, void* AGdiBitmapData) {
  return new TGPBitmap(AGdiBitmapInfo, AGdiBitmapData);
}

TGPBitmap* TGPBitmap::FromHBITMAP(HBITMAP AHbm, HPALETTE AHpal) { return new TGPBitmap(AHbm, AHpal); }

TGPBitmap* TGPBitmap::FromHICON(HICON AHicon) { return new TGPBitmap(AHicon, 0); }

TGPBitmap* TGPBitmap::FromResource(HINSTANCE AHInstance, const String& ABitmapName) {
  return new TGPBitmap(AHInstance, ABitmapName);
}

TGPBitmap* TGPBitmap::Clone(const TGPRect& ARect, Integer AFormat) {
  return Clone(ARect.X, ARect.Y, ARect.Width, ARect.Height, AFormat);
}

TGPBitmap* TGPBitmap::Clone(Integer x, Integer y, Integer AWidth, Integer AHeight, Integer AFormat) {
  gdip::GpBitmap* copy = nullptr;
  lastResult = TP::Call(Gdip().GdipCloneBitmapAreaI, x, y, AWidth, AHeight, AFormat, Native(), &copy);
  return lastResult == Ok ? new TGPBitmap(copy) : nullptr;
}

TGPBitmap* TGPBitmap::Clone(const TGPRectF& ARect, Integer AFormat) {
  return Clone(ARect.X, ARect.Y, ARect.Width, ARect.Height, AFormat);
}

TGPBitmap* TGPBitmap::Clone(Single x, Single y, Single AWidth, Single AHeight, Integer AFormat) {
  gdip::GpBitmap* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneBitmapArea, x, y, AWidth, AHeight, AFormat, Native(), &copy);
  if (lastResult != Ok) {
    TP::Call(Gdip().GdipDisposeImage, copy);
    return nullptr;
  }
  return new TGPBitmap(copy);
}

Status TGPBitmap::LockBits(const TGPRect& ARect, UINT AFlags, Integer AFormat, BitmapData& ALockedBitmapData) {
  const TGPRect rect = ARect;
  return TP::Run(lastResult, Gdip().GdipBitmapLockBits, Native(), &rect, AFlags, AFormat, &ALockedBitmapData);
}

Status TGPBitmap::UnlockBits(BitmapData& ALockedBitmapData) {
  return TP::Run(lastResult, Gdip().GdipBitmapUnlockBits, Native(), &ALockedBitmapData);
}

Status TGPBitmap::GetPixel(Integer x, Integer y, ARGB& AColor) {
  AColor = 0;
  return TP::Run(lastResult, Gdip().GdipBitmapGetPixel, Native(), x, y, &AColor);
}

Status TGPBitmap::SetPixel(Integer x, Integer y, ARGB AColor) {
  return TP::Run(lastResult, Gdip().GdipBitmapSetPixel, Native(), x, y, AColor);
}

Status TGPBitmap::SetResolution(Single AXdpi, Single AYdpi) {
  return TP::Run(lastResult, Gdip().GdipBitmapSetResolution, Native(), AXdpi, AYdpi);
}

Status TGPBitmap::GetHBITMAP(ARGB AColorBackground, HBITMAP& AHbmReturn) {
  return TP::Run(lastResult, Gdip().GdipCreateHBITMAPFromBitmap, Native(), &AHbmReturn, AColorBackground);
}

Status TGPBitmap::GetHICON(HICON& AHicon) {
  return TP::Run(lastResult, Gdip().GdipCreateHICONFromBitmap, Native(), &AHicon);
}

// ---- TGPCachedBitmap ----

TGPCachedBitmap::TGPCachedBitmap(TGPBitmap* ABitmap, TGPGraphics* AGraphics) {
  TP::Create(nativeCachedBitmap, lastResult, Gdip().GdipCreateCachedBitmap, Handle(ABitmap),
             AGraphics->nativeGraphics);
}

TGPCachedBitmap::~TGPCachedBitmap() { TP::Call(Gdip().GdipDeleteCachedBitmap, nativeCachedBitmap); }

// ---- TGPImageAttributes ----

TGPImageAttributes::TGPImageAttributes() {
  TP::Create(nativeImageAttr, lastResult, Gdip().GdipCreateImageAttributes);
}

TGPImageAttributes::TGPImageAttributes(gdip::GpImageAttributes* AImageAttr, Status AStatus)
    : nativeImageAttr(AImageAttr), lastResult(AStatus) {}

TGPImageAttributes::~TGPImageAttributes() { TP::Call(Gdip().GdipDisposeImageAttributes, nativeImageAttr); }

TGPImageAttributes* TGPImageAttributes::Clone() {
  gdip::GpImageAttributes* copy = nullptr;
  TP::Run(lastResult, Gdip().GdipCloneImageAttributes, nativeImageAttr, &copy);
  return new TGPImageAttributes(copy, lastResult);
}

Status TGPImageAttributes::SetToIdentity(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesToIdentity, nativeImageAttr, AType);
}

Status TGPImageAttributes::Reset(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipResetImageAttributes, nativeImageAttr, AType);
}

Status TGPImageAttributes::SetColorMatrix(const ColorMatrix& AColorMatrix, ColorMatrixFlags AMode,
                                          ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, Enable, &AColorMatrix,
                 nullptr, AMode);
}

Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, Disable, nullptr,
                 nullptr, ColorMatrixFlagsDefault);
}

Status TGPImageAttributes::SetColorMatrices(const ColorMatrix& AColorMatrix, const ColorMatrix& AGrayMatrix,
                                            ColorMatrixFlags AMode, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesColorMatrix, nativeImageAttr, AType, Enable, &AColorMatrix,
                 &AGrayMatrix, AMode);
}

Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType AType) { return ClearColorMatrix(AType); }

Status TGPImageAttributes::SetThreshold(Single AThreshold, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesThreshold, nativeImageAttr, AType, Enable, AThreshold);
}

Status TGPImageAttributes::ClearThreshold(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesThreshold, nativeImageAttr, AType, Disable, 0.0f);
}

Status TGPImageAttributes::SetGamma(Single AGamma, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesGamma, nativeImageAttr, AType, Enable, AGamma);
}

Status TGPImageAttributes::ClearGamma(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesGamma, nativeImageAttr, AType, Disable, 0.0f);
}

Status TGPImageAttributes::SetNoOp(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesNoOp, nativeImageAttr, AType, Enable);
}

Status TGPImageAttributes::ClearNoOp(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesNoOp, nativeImageAttr, AType, Disable);
}

Status TGPImageAttributes::SetColorKey(ARGB AColorLow, ARGB AColorHigh, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesColorKeys, nativeImageAttr, AType, Enable, AColorLow,
                 AColorHigh);
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesColorKeys, nativeImageAttr, AType, Disable, 0u, 0u);
}

Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags AChannelFlags, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesOutputChannel, nativeImageAttr, AType, Enable,
                 AChannelFlags);
}

Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesOutputChannel, nativeImageAttr, AType, Disable,
                 ColorChannelFlagsLast);
}

Status TGPImageAttributes::SetOutputChannelColorProfile(const String& AColorProfileFilename, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesOutputChannelColorProfile, nativeImageAttr, AType, Enable,
                 AColorProfileFilename.c_str());
}

Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesOutputChannelColorProfile, nativeImageAttr, AType, Disable,
                 nullptr);
}

Status TGPImageAttributes::SetRemapTable(UINT AMapSize, const ColorMap* AMap, ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesRemapTable, nativeImageAttr, AType, Enable, AMapSize, AMap);
}

Status TGPImageAttributes::ClearRemapTable(ColorAdjustType AType) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesRemapTable, nativeImageAttr, AType, Disable, 0u, nullptr);
}

Status TGPImageAttributes::SetBrushRemapTable(UINT AMapSize, const ColorMap* AMap) {
  return SetRemapTable(AMapSize, AMap, ColorAdjustTypeBrush);
}

Status TGPImageAttributes::ClearBrushRemapTable() { return ClearRemapTable(ColorAdjustTypeBrush); }

Status TGPImageAttributes::SetWrapMode(WrapMode AWrap, ARGB AColor, bool AClamp) {
  return TP::Run(lastResult, Gdip().GdipSetImageAttributesWrapMode, nativeImageAttr, AWrap, AColor, AClamp ? 1 : 0);
}

Status TGPImageAttributes::GetAdjustedPalette(PColorPalette AColorPalette, ColorAdjustType AColorAdjustType) {
  return TP::Run(lastResult, Gdip().GdipGetImageAttributesAdjustedPalette, nativeImageAttr, AColorPalette,
                 AColorAdjustType);
}

}  // namespace NeoGDIPlusClasses
