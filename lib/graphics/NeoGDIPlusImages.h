#pragma once
// NeoGDIPlusClasses images: any GDI+ image, raster bitmaps with pixel access, bitmaps cached
// for one graphics object and image attributes (colour adjustment applied when an image is
// drawn), each a wrapper of one GDI+ object called through the bound table.
#include "lib/graphics/NeoGDIPlusApi.h"
#include "platform/win/ObjIdl.h"

namespace NeoGDIPlusClasses {

using namespace NeoGDIPlusApi;

class TGPGraphics;

class TGPImage : public TGdiplusBase {
  ZELK_CLASS(TGPImage, TGdiplusBase)
public:
  TGPImage(const String& AFilename, bool AUseEmbeddedColorManagement = false);
  TGPImage(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPImage(gdip::GpImage* ANativeImage, Status AStatus);
  ~TGPImage() override;
  TGPImage(const TGPImage&) = delete;
  TGPImage& operator=(const TGPImage&) = delete;

  static TGPImage* FromFile(const String& AFilename, bool AUseEmbeddedColorManagement = false);
  static TGPImage* FromStream(IStream* AStream, bool AUseEmbeddedColorManagement = false);

  // A new image over the copy (nil handle on failure) with this image's status field.
  TGPImage* Clone();
  Status Save(const String& AFilename, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams = nullptr);
  Status Save(IStream* AStream, const CLSID& AClsidEncoder, const EncoderParameters* AEncoderParams = nullptr);
  Status SaveAdd(const EncoderParameters* AEncoderParams);
  Status SaveAdd(TGPImage* ANewImage, const EncoderParameters* AEncoderParams);
  ImageType GetType();
  // ASize is the reported size, 0 by 0 when the call fails.
  Status GetPhysicalDimension(TGPSizeF& ASize);
  Status GetBounds(TGPRectF& ASrcRect, Unit_& ASrcUnit);
  UINT GetWidth();
  UINT GetHeight();
  Single GetHorizontalResolution();
  Single GetVerticalResolution();
  UINT GetFlags();
  Status GetRawFormat(GUID& AFormat);
  gdip::PixelFormat GetPixelFormat();
  Integer GetPaletteSize();
  Status GetPalette(PColorPalette APalette, Integer ASize);
  Status SetPalette(const ColorPalette* APalette);
  TGPImage* GetThumbnailImage(UINT AThumbWidth, UINT AThumbHeight, ImageAbort ACallback = nullptr,
                              void* ACallbackData = nullptr);
  UINT GetFrameDimensionsCount();
  Status GetFrameDimensionsList(GUID* ADimensionIDs, UINT ACount);
  UINT GetFrameCount(const GUID& ADimensionID);
  Status SelectActiveFrame(const GUID& ADimensionID, UINT AFrameIndex);
  Status RotateFlip(RotateFlipType ARotateFlipType);
  UINT GetPropertyCount();
  Status GetPropertyIdList(UINT ANumOfProperty, gdip::PROPID* AList);
  UINT GetPropertyItemSize(gdip::PROPID APropId);
  Status GetPropertyItem(gdip::PROPID APropId, UINT APropSize, PPropertyItem ABuffer);
  Status GetPropertySize(UINT& ATotalBufferSize, UINT& ANumProperties);
  Status GetAllPropertyItems(UINT ATotalBufferSize, UINT ANumProperties, PPropertyItem AAllItems);
  Status RemovePropertyItem(gdip::PROPID APropId);
  Status SetPropertyItem(const PropertyItem& AItem);
  UINT GetEncoderParameterListSize(const CLSID& AClsidEncoder);
  Status GetEncoderParameterList(const CLSID& AClsidEncoder, UINT ASize, PEncoderParameters ABuffer);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpImage* nativeImage = nullptr;
  Status lastResult = Ok;
  Status loadStatus = Ok;

protected:
  TGPImage() = default;
};

class TGPBitmap : public TGPImage {
  ZELK_CLASS(TGPBitmap, TGPImage)
public:
  TGPBitmap(const String& AFilename, bool AUseEmbeddedColorManagement = false);
  TGPBitmap(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  TGPBitmap(Integer AWidth, Integer AHeight, Integer AStride, Integer AFormat, Byte* AScan0);
  TGPBitmap(Integer AWidth, Integer AHeight, Integer AFormat = gdip::PixelFormat32bppARGB);
  TGPBitmap(Integer AWidth, Integer AHeight, TGPGraphics* ATarget);
  TGPBitmap(const BITMAPINFO* AGdiBitmapInfo, void* AGdiBitmapData);
  TGPBitmap(HBITMAP AHbm, HPALETTE AHpal);
  // The integer only tells this overload from the others.
  TGPBitmap(HICON AHicon, Integer ADummy1);
  TGPBitmap(HINSTANCE AHInstance, const String& ABitmapName);
  explicit TGPBitmap(gdip::GpBitmap* ANativeBitmap);

  static TGPBitmap* FromFile(const String& AFilename, bool AUseEmbeddedColorManagement = false);
  static TGPBitmap* FromStream(IStream* AStream, bool AUseEmbeddedColorManagement = false);
  static TGPBitmap* FromBITMAPINFO(const BITMAPINFO* AGdiBitmapInfo, void* AGdiBitmapData);
  static TGPBitmap* FromHBITMAP(HBITMAP AHbm, HPALETTE AHpal);
  static TGPBitmap* FromHICON(HICON AHicon);
  static TGPBitmap* FromResource(HINSTANCE AHInstance, const String& ABitmapName);

  // Assigns its status (Ok included); nil on failure.
  TGPBitmap* Clone(const TGPRect& ARect, Integer AFormat);
  TGPBitmap* Clone(Integer x, Integer y, Integer AWidth, Integer AHeight, Integer AFormat);
  // Records by the protocol; nil whenever the status field then holds a failure (the copy is
  // deleted then).
  TGPBitmap* Clone(const TGPRectF& ARect, Integer AFormat);
  TGPBitmap* Clone(Single x, Single y, Single AWidth, Single AHeight, Integer AFormat);
  Status LockBits(const TGPRect& ARect, UINT AFlags, Integer AFormat, BitmapData& ALockedBitmapData);
  Status UnlockBits(BitmapData& ALockedBitmapData);
  Status GetPixel(Integer x, Integer y, ARGB& AColor);
  Status SetPixel(Integer x, Integer y, ARGB AColor);
  Status SetResolution(Single AXdpi, Single AYdpi);
  Status GetHBITMAP(ARGB AColorBackground, HBITMAP& AHbmReturn);
  Status GetHICON(HICON& AHicon);

private:
  gdip::GpBitmap* Native() { return static_cast<gdip::GpBitmap*>(nativeImage); }
  void Assign(gdip::GpBitmap* ABitmap) { nativeImage = ABitmap; }
};

class TGPCachedBitmap : public TGdiplusBase {
  ZELK_CLASS(TGPCachedBitmap, TGdiplusBase)
public:
  TGPCachedBitmap(TGPBitmap* ABitmap, TGPGraphics* AGraphics);
  ~TGPCachedBitmap() override;
  TGPCachedBitmap(const TGPCachedBitmap&) = delete;
  TGPCachedBitmap& operator=(const TGPCachedBitmap&) = delete;

  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpCachedBitmap* nativeCachedBitmap = nullptr;
  Status lastResult = Ok;
};

class TGPImageAttributes : public TGdiplusBase {
  ZELK_CLASS(TGPImageAttributes, TGdiplusBase)
public:
  TGPImageAttributes();
  TGPImageAttributes(gdip::GpImageAttributes* AImageAttr, Status AStatus);
  ~TGPImageAttributes() override;
  TGPImageAttributes(const TGPImageAttributes&) = delete;
  TGPImageAttributes& operator=(const TGPImageAttributes&) = delete;

  TGPImageAttributes* Clone();
  Status SetToIdentity(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status Reset(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorMatrix(const ColorMatrix& AColorMatrix, ColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                        ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorMatrix(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorMatrices(const ColorMatrix& AColorMatrix, const ColorMatrix& AGrayMatrix,
                          ColorMatrixFlags AMode = ColorMatrixFlagsDefault,
                          ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorMatrices(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetThreshold(Single AThreshold, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearThreshold(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetGamma(Single AGamma, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearGamma(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetNoOp(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearNoOp(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetColorKey(ARGB AColorLow, ARGB AColorHigh, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetOutputChannel(ColorChannelFlags AChannelFlags, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearOutputChannel(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetOutputChannelColorProfile(const String& AColorProfileFilename,
                                      ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearOutputChannelColorProfile(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetRemapTable(UINT AMapSize, const ColorMap* AMap, ColorAdjustType AType = ColorAdjustTypeDefault);
  Status ClearRemapTable(ColorAdjustType AType = ColorAdjustTypeDefault);
  Status SetBrushRemapTable(UINT AMapSize, const ColorMap* AMap);
  Status ClearBrushRemapTable();
  Status SetWrapMode(WrapMode AWrap, ARGB AColor = PackARGB(255, 0, 0, 0), bool AClamp = false);
  Status GetAdjustedPalette(PColorPalette AColorPalette, ColorAdjustType AColorAdjustType);
  Status GetLastStatus() { return TProtocol::GetLastStatus(lastResult); }

  gdip::GpImageAttributes* nativeImageAttr = nullptr;
  Status lastResult = Ok;
};

}  // namespace NeoGDIPlusClasses
