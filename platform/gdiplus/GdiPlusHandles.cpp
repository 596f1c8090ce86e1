// The platform's handles to and from GDI+ objects. libgdiplus takes HBITMAP, HICON and HRGN as
// objects of its own, so they convert here: bitmaps and icons by copying their pixels, regions by
// their rectangles, a DC's font by its LOGFONTW.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

#include "platform/gdiplus/GdiPlusInternal.h"
#include "platform/rtl/Streams.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinIcon.h"
#include "platform/win/WinUser.h"

namespace gdip::bridge {

namespace {

std::uint32_t Premultiply(std::uint32_t AArgb) {
  std::uint32_t a = AArgb >> 24;
  if (a == 255) return AArgb;
  auto scale = [a](std::uint32_t c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale((AArgb >> 16) & 0xFF) << 16) | (scale((AArgb >> 8) & 0xFF) << 8) | scale(AArgb & 0xFF);
}

std::uint32_t Unpremultiply(std::uint32_t APixel) {
  std::uint32_t a = APixel >> 24;
  if (a == 255) return APixel;
  if (a == 0) return 0;
  auto scale = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
  return (a << 24) | (scale((APixel >> 16) & 0xFF) << 16) | (scale((APixel >> 8) & 0xFF) << 8) | scale(APixel & 0xFF);
}

Status FromPlatformBitmap(HBITMAP ABitmap, GpBitmap** AResult) {
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  if (!ReadBitmapPixels(ABitmap, w, h, pixels)) return InvalidParameter;
  return NewBitmapFromPixels(w, h, pixels.data(), w * 4, PixelFormat32bppRGB, AResult);
}

Status CreateBitmapFromHBITMAP(HBITMAP ABitmap, HPALETTE, GpBitmap** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  return FromPlatformBitmap(ABitmap, AResult);
}

Status CreateHBITMAPFromBitmap(GpBitmap* ABitmap, HBITMAP* AResult, ARGB ABackground) {
  if (!ABitmap || !AResult) return InvalidParameter;
  *AResult = nullptr;
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  Status status = ReadBitmapPixels(ABitmap, w, h, pixels);
  if (status != Ok) return status;
  // The picture over the background colour.
  const std::uint32_t back = Premultiply(ABackground);
  for (std::uint32_t& p : pixels) {
    std::uint32_t keep = 255 - (p >> 24), out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      std::uint32_t c = ((p >> shift) & 0xFF) + (((back >> shift) & 0xFF) * keep + 127) / 255;
      out |= std::min<std::uint32_t>(c, 255) << shift;
    }
    p = out;
  }
  *AResult = CreateBitmapFromPixels(w, h, pixels.data());
  return *AResult ? Ok : OutOfMemory;
}

Status CreateBitmapFromHICON(HICON AIcon, GpBitmap** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  ICONINFO info;
  if (!AIcon || !GetIconInfo(AIcon, &info)) return InvalidParameter;
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  bool read = ReadBitmapPixels(info.hbmColor, w, h, pixels);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  if (!read) return InvalidParameter;
  return NewBitmapFromPixels(w, h, pixels.data(), w * 4, PixelFormat32bppARGB, AResult);
}

Status CreateHICONFromBitmap(GpBitmap* ABitmap, HICON* AResult) {
  if (!ABitmap || !AResult) return InvalidParameter;
  *AResult = nullptr;
  int w = 0, h = 0;
  std::vector<std::uint32_t> pixels;
  Status status = ReadBitmapPixels(ABitmap, w, h, pixels);
  if (status != Ok) return status;
  ICONINFO info;
  info.hbmColor = CreateBitmapFromPixels(w, h, pixels.data());
  if (!info.hbmColor) return OutOfMemory;
  *AResult = CreateIconIndirect(&info);
  DeleteObject(info.hbmColor);
  return *AResult ? Ok : OutOfMemory;
}

Status CreateBitmapFromGdiDib(const BITMAPINFO* AInfo, void* ABits, GpBitmap** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  if (!AInfo || !ABits) return InvalidParameter;
  HBITMAP bitmap = CreateDIBitmap(nullptr, &AInfo->bmiHeader, CBM_INIT, ABits, AInfo, DIB_RGB_COLORS);
  if (!bitmap) return InvalidParameter;
  Status status = FromPlatformBitmap(bitmap, AResult);
  DeleteObject(bitmap);
  return status;
}

// A bitmap resource as a BMP file: resources compiled from files keep their file header, those
// made otherwise get one.
std::vector<Byte> BitmapFile(std::span<const Byte> AData) {
  std::vector<Byte> file;
  if (AData.size() >= 2 && AData[0] == 'B' && AData[1] == 'M') return std::vector<Byte>(AData.begin(), AData.end());
  if (AData.size() < sizeof(BITMAPINFOHEADER)) return file;
  BITMAPINFOHEADER header;
  std::memcpy(&header, AData.data(), sizeof(header));
  DWORD colours = header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? 1u << header.biBitCount : 0);
  if (header.biCompression == BI_BITFIELDS) colours = 3;
  BITMAPFILEHEADER fileHeader;
  fileHeader.bfType = 0x4D42;
  fileHeader.bfSize = static_cast<DWORD>(sizeof(fileHeader) + AData.size());
  fileHeader.bfOffBits = static_cast<DWORD>(sizeof(fileHeader) + header.biSize + colours * 4);
  file.resize(sizeof(fileHeader));
  std::memcpy(file.data(), &fileHeader, sizeof(fileHeader));
  file.insert(file.end(), AData.begin(), AData.end());
  return file;
}

Status CreateBitmapFromResource(HINSTANCE, const WCHAR* AName, GpBitmap** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  if (!AName) return InvalidParameter;
  std::span<const Byte> data;
  bool found = IS_INTRESOURCE(AName)
                   ? FindResourceData(static_cast<Integer>(reinterpret_cast<std::uintptr_t>(AName)), RT_BITMAP, data)
                   : FindResourceData(StringView(AName), RT_BITMAP, data);
  if (!found) return InvalidParameter;
  std::vector<Byte> file = BitmapFile(data);
  if (file.empty()) return InvalidParameter;
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, file.size());
  if (!global) return OutOfMemory;
  std::memcpy(GlobalLock(global), file.data(), file.size());
  GlobalUnlock(global);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(global, TRUE, &stream))) {
    GlobalFree(global);
    return OutOfMemory;
  }
  Status status = BitmapFromStream(stream, AResult);
  stream->Release();
  return status;
}

// The rectangles of a platform region as a GDI+ region.
Status RegionOfHrgn(HRGN ARgn, GpRegion** AResult) {
  DWORD size = ARgn ? GetRegionData(ARgn, 0, nullptr) : 0;
  if (size < sizeof(RGNDATAHEADER)) return InvalidParameter;
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(ARgn, size, data) == 0) return InvalidParameter;
  Status status = Lib().GdipCreateRegion(AResult);
  if (status == Ok) status = Lib().GdipSetEmpty(*AResult);
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; status == Ok && i < data->rdh.nCount; ++i) {
    Rect r{rects[i].left, rects[i].top, rects[i].right - rects[i].left, rects[i].bottom - rects[i].top};
    status = Lib().GdipCombineRegionRectI(*AResult, &r, CombineModeUnion);
  }
  if (status != Ok && *AResult) {
    Lib().GdipDeleteRegion(*AResult);
    *AResult = nullptr;
  }
  return status;
}

Status CreateRegionHrgn(HRGN ARgn, GpRegion** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  return RegionOfHrgn(ARgn, AResult);
}

Status GetRegionHRgn(GpRegion* ARegion, GpGraphics* AGraphics, HRGN* AResult) {
  if (!ARegion || !AResult) return InvalidParameter;
  *AResult = nullptr;
  GpMatrix* matrix = nullptr;
  Status status = Lib().GdipCreateMatrix(&matrix);
  if (status == Ok && AGraphics) status = Lib().GdipGetWorldTransform(AGraphics, matrix);
  UINT count = 0;
  if (status == Ok) status = Lib().GdipGetRegionScansCount(ARegion, &count, matrix);
  std::vector<Rect> scans(count);
  INT filled = static_cast<INT>(count);
  if (status == Ok && count) status = Lib().GdipGetRegionScansI(ARegion, scans.data(), &filled, matrix);
  if (matrix) Lib().GdipDeleteMatrix(matrix);
  if (status != Ok) return status;
  scans.resize(static_cast<std::size_t>(std::clamp<INT>(filled, 0, static_cast<INT>(count))));
  // An infinite region has no handle: the caller clips nothing.
  constexpr INT Infinite = 1 << 22;
  if (scans.size() == 1 && scans[0].Width >= Infinite && scans[0].Height >= Infinite) return Ok;
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + std::max<std::size_t>(scans.size(), 1) * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(scans.size());
  auto* rects = reinterpret_cast<RECT*>(data->Buffer);
  for (std::size_t i = 0; i < scans.size(); ++i)
    rects[i] = RECT{scans[i].X, scans[i].Y, scans[i].X + scans[i].Width, scans[i].Y + scans[i].Height};
  *AResult = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
  return *AResult ? Ok : OutOfMemory;
}

Status SetClipHrgn(GpGraphics* AGraphics, HRGN ARgn, CombineMode AMode) {
  if (!AGraphics) return InvalidParameter;
  GpRegion* region = nullptr;
  Status status = RegionOfHrgn(ARgn, &region);
  if (status != Ok) return status;
  status = Lib().GdipSetClipRegion(AGraphics, region, AMode);
  Lib().GdipDeleteRegion(region);
  return status;
}

// A font for a LOGFONTW: its face (substituted like GDI does), style and em height in pixels,
// as world units.
Status FontOfLogfont(const LOGFONTW& ALog, GpFont** AResult) {
  String face;
  for (int i = 0; i < LF_FACESIZE && ALog.lfFaceName[i]; ++i) face.push_back(ALog.lfFaceName[i]);
  GpFontFamily* family = nullptr;
  if (FamilyFromName(face.c_str(), nullptr, &family) != Ok) {
    String resolved = GdiResolveFontFamily(face);
    if (resolved.empty() || Lib().GdipCreateFontFamilyFromName(resolved.c_str(), nullptr, &family) != Ok)
      Lib().GdipGetGenericFontFamilySansSerif(&family);
  }
  if (!family) return FontFamilyNotFound;
  INT style = (ALog.lfWeight >= FW_SEMIBOLD ? FontStyleBold : 0) | (ALog.lfItalic ? FontStyleItalic : 0) |
              (ALog.lfUnderline ? FontStyleUnderline : 0) | (ALog.lfStrikeOut ? FontStyleStrikeout : 0);
  REAL size = 0;
  if (ALog.lfHeight < 0) {
    size = static_cast<REAL>(-ALog.lfHeight);
  } else {
    // A positive height is the cell height: ascent and descent together.
    UINT16 em = 0, ascent = 0, descent = 0;
    Lib().GdipGetEmHeight(family, style, &em);
    Lib().GdipGetCellAscent(family, style, &ascent);
    Lib().GdipGetCellDescent(family, style, &descent);
    REAL cell = ALog.lfHeight ? static_cast<REAL>(ALog.lfHeight) : 16.0f;
    size = em && ascent + descent ? cell * em / static_cast<REAL>(ascent + descent) : cell;
  }
  Status status = Lib().GdipCreateFont(family, size, style, UnitWorld, AResult);
  Lib().GdipDeleteFontFamily(family);
  return status;
}

Status CreateFontFromLogfontW(HDC, const LOGFONTW* ALog, GpFont** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  if (!ALog) return InvalidParameter;
  return FontOfLogfont(*ALog, AResult);
}

Status CreateFontFromLogfontA(HDC ADC, const LOGFONTA* ALog, GpFont** AResult) {
  if (!ALog) return InvalidParameter;
  LOGFONTW wide;
  wide.lfHeight = ALog->lfHeight;
  wide.lfWidth = ALog->lfWidth;
  wide.lfEscapement = ALog->lfEscapement;
  wide.lfOrientation = ALog->lfOrientation;
  wide.lfWeight = ALog->lfWeight;
  wide.lfItalic = ALog->lfItalic;
  wide.lfUnderline = ALog->lfUnderline;
  wide.lfStrikeOut = ALog->lfStrikeOut;
  wide.lfCharSet = ALog->lfCharSet;
  wide.lfOutPrecision = ALog->lfOutPrecision;
  wide.lfClipPrecision = ALog->lfClipPrecision;
  wide.lfQuality = ALog->lfQuality;
  wide.lfPitchAndFamily = ALog->lfPitchAndFamily;
  // The face is in the platform's 8-bit code page, which agrees with UTF-16 below 0x80 and is
  // Windows-1252 above; faces use the first range.
  for (int i = 0; i < LF_FACESIZE; ++i) wide.lfFaceName[i] = static_cast<unsigned char>(ALog->lfFaceName[i]);
  return CreateFontFromLogfontW(ADC, &wide, AResult);
}

Status CreateFontFromDC(HDC ADC, GpFont** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  int type = ADC ? GetObjectType(reinterpret_cast<HGDIOBJ>(ADC)) : 0;
  if (type != OBJ_DC && type != OBJ_MEMDC) return InvalidParameter;
  LOGFONTW log;
  HGDIOBJ font = GetCurrentObject(ADC, OBJ_FONT);
  if (!font || GetObject(font, sizeof(log), &log) != sizeof(log)) return InvalidParameter;
  return FontOfLogfont(log, AResult);
}

}  // namespace

Status NewBitmapFromPixels(int AWidth, int AHeight, const std::uint32_t* APixels, int AStride, PixelFormat AFormat,
                           GpBitmap** ABitmap) {
  *ABitmap = nullptr;
  GpBitmap* bitmap = nullptr;
  Status status = Lib().GdipCreateBitmapFromScan0(AWidth, AHeight, 0, AFormat, nullptr, &bitmap);
  if (status != Ok) return status;
  Rect all{0, 0, AWidth, AHeight};
  BitmapData data{};
  status = Lib().GdipBitmapLockBits(bitmap, &all, ImageLockModeWrite, AFormat, &data);
  if (status != Ok) {
    Lib().GdipDisposeImage(bitmap);
    return status;
  }
  for (int y = 0; y < AHeight; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(APixels) +
                                                            static_cast<std::ptrdiff_t>(y) * AStride);
    auto* out = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(data.Scan0) +
                                                 static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (int x = 0; x < AWidth; ++x)
      out[x] = AFormat == PixelFormat32bppPARGB ? in[x]
               : AFormat == PixelFormat32bppRGB ? (in[x] | 0xFF000000u)
                                                : Unpremultiply(in[x]);
  }
  status = Lib().GdipBitmapUnlockBits(bitmap, &data);
  if (status != Ok) {
    Lib().GdipDisposeImage(bitmap);
    return status;
  }
  *ABitmap = bitmap;
  return Ok;
}

Status ReadBitmapPixels(GpBitmap* ABitmap, int& AWidth, int& AHeight, std::vector<std::uint32_t>& APixels) {
  UINT w = 0, h = 0;
  Status status = Lib().GdipGetImageWidth(ABitmap, &w);
  if (status == Ok) status = Lib().GdipGetImageHeight(ABitmap, &h);
  if (status != Ok) return status;
  AWidth = static_cast<int>(w);
  AHeight = static_cast<int>(h);
  Rect all{0, 0, AWidth, AHeight};
  BitmapData data{};
  status = Lib().GdipBitmapLockBits(ABitmap, &all, ImageLockModeRead, PixelFormat32bppARGB, &data);
  if (status != Ok) return status;
  APixels.resize(static_cast<std::size_t>(w) * h);
  for (UINT y = 0; y < h; ++y) {
    const auto* in = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.Scan0) +
                                                            static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (UINT x = 0; x < w; ++x) APixels[static_cast<std::size_t>(y) * w + x] = Premultiply(in[x]);
  }
  return Lib().GdipBitmapUnlockBits(ABitmap, &data);
}

std::vector<TOverride> HandleOverrides() {
  return {Override("GdipCreateBitmapFromHBITMAP", &CreateBitmapFromHBITMAP),
          Override("GdipCreateHBITMAPFromBitmap", &CreateHBITMAPFromBitmap),
          Override("GdipCreateBitmapFromHICON", &CreateBitmapFromHICON),
          Override("GdipCreateHICONFromBitmap", &CreateHICONFromBitmap),
          Override("GdipCreateBitmapFromGdiDib", &CreateBitmapFromGdiDib),
          Override("GdipCreateBitmapFromResource", &CreateBitmapFromResource),
          Override("GdipCreateRegionHrgn", &CreateRegionHrgn),
          Override("GdipGetRegionHRgn", &GetRegionHRgn),
          Override("GdipSetClipHrgn", &SetClipHrgn),
          Override("GdipCreateFontFromDC", &CreateFontFromDC),
          Override("GdipCreateFontFromLogfontW", &CreateFontFromLogfontW),
          Override("GdipCreateFontFromLogfontA", &CreateFontFromLogfontA)};
}

}  // namespace gdip::bridge
