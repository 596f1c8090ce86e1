// Flat functions that libgdiplus lacks or answers unlike GDI+: integer region bounds, cached
// bitmaps, point transforms between coordinate spaces, comments, and font families by name.
#include <array>
#include <cmath>
#include <memory>
#include <mutex>
#include <unordered_set>

#include "platform/gdiplus/GdiPlusInternal.h"
#include "platform/win/WinGdi.h"

namespace gdip::bridge {

namespace {

Status GetRegionBoundsI(GpRegion* ARegion, GpGraphics* AGraphics, GpRect* ARect) {
  if (!ARegion || !AGraphics || !ARect) return InvalidParameter;
  RectF bounds;
  Status status = Lib().GdipGetRegionBounds(ARegion, AGraphics, &bounds);
  if (status != Ok) return status;
  // The smallest integer rectangle that holds the float one.
  const double left = std::floor(bounds.X), top = std::floor(bounds.Y);
  ARect->X = static_cast<INT>(left);
  ARect->Y = static_cast<INT>(top);
  ARect->Width = static_cast<INT>(std::ceil(static_cast<double>(bounds.X) + bounds.Width) - left);
  ARect->Height = static_cast<INT>(std::ceil(static_cast<double>(bounds.Y) + bounds.Height) - top);
  return Ok;
}

// ---- Cached bitmaps: a premultiplied copy, drawn at whole pixels ----
struct TCachedBitmap : GpCachedBitmap {
  GpBitmap* Copy = nullptr;
};

struct TCachedTable {
  std::mutex Lock;
  std::unordered_set<TCachedBitmap*> Live;
};

TCachedTable& Cached() {
  static auto* table = new TCachedTable();
  return *table;
}

TCachedBitmap* CachedOf(GpCachedBitmap* ACached) {
  auto* cached = static_cast<TCachedBitmap*>(ACached);
  std::lock_guard guard(Cached().Lock);
  return Cached().Live.count(cached) ? cached : nullptr;
}

Status CreateCachedBitmap(GpBitmap* ABitmap, GpGraphics* AGraphics, GpCachedBitmap** AResult) {
  if (!AResult) return InvalidParameter;
  *AResult = nullptr;
  if (!ABitmap || !AGraphics) return InvalidParameter;
  UINT w = 0, h = 0;
  Status status = Lib().GdipGetImageWidth(ABitmap, &w);
  if (status == Ok) status = Lib().GdipGetImageHeight(ABitmap, &h);
  auto cached = std::make_unique<TCachedBitmap>();
  if (status == Ok)
    status = Lib().GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppPARGB, ABitmap,
                                        &cached->Copy);
  if (status != Ok) return status;
  std::lock_guard guard(Cached().Lock);
  Cached().Live.insert(cached.get());
  *AResult = cached.release();
  return Ok;
}

Status DeleteCachedBitmap(GpCachedBitmap* ACached) {
  auto* cached = static_cast<TCachedBitmap*>(ACached);
  {
    std::lock_guard guard(Cached().Lock);
    if (!cached || !Cached().Live.erase(cached)) return InvalidParameter;
  }
  Lib().GdipDisposeImage(cached->Copy);
  delete cached;
  return Ok;
}

Status DrawCachedBitmap(GpGraphics* AGraphics, GpCachedBitmap* ACached, INT X, INT Y) {
  TCachedBitmap* cached = CachedOf(ACached);
  if (!AGraphics || !cached) return InvalidParameter;
  return Lib().GdipDrawImageI(AGraphics, cached->Copy, X, Y);
}

// ---- Transforms between world, page and device space ----
// An affine transform: x' = M11 x + M21 y + DX, y' = M12 x + M22 y + DY.
using TAffine = std::array<double, 6>;

TAffine Multiply(const TAffine& A, const TAffine& B) {   // A, then B
  return {A[0] * B[0] + A[1] * B[2],        A[0] * B[1] + A[1] * B[3],
          A[2] * B[0] + A[3] * B[2],        A[2] * B[1] + A[3] * B[3],
          A[4] * B[0] + A[5] * B[2] + B[4], A[4] * B[1] + A[5] * B[3] + B[5]};
}

bool Invert(TAffine& A) {
  double det = A[0] * A[3] - A[1] * A[2];
  if (det == 0 || !std::isfinite(det)) return false;
  TAffine r{A[3] / det, -A[1] / det, -A[2] / det, A[0] / det, 0, 0};
  r[4] = -(A[4] * r[0] + A[5] * r[2]);
  r[5] = -(A[4] * r[1] + A[5] * r[3]);
  A = r;
  return true;
}

// Device pixels per page unit.
double UnitScale(Unit AUnit, double ADpi) {
  switch (AUnit) {
    case UnitPoint: return ADpi / 72.0;
    case UnitInch: return ADpi;
    case UnitDocument: return ADpi / 300.0;
    case UnitMillimeter: return ADpi / 25.4;
    default: return 1.0;   // world, display and pixel units are device pixels
  }
}

// The transform from ASpace to device space.
Status ToDevice(GpGraphics* AGraphics, CoordinateSpace ASpace, TAffine& AResult) {
  AResult = {1, 0, 0, 1, 0, 0};
  if (ASpace == CoordinateSpaceDevice) return Ok;
  Unit unit = UnitPixel;
  REAL scale = 1, dpiX = 96, dpiY = 96;
  Status status = Lib().GdipGetPageUnit(AGraphics, &unit);
  if (status == Ok) status = Lib().GdipGetPageScale(AGraphics, &scale);
  if (status == Ok) status = Lib().GdipGetDpiX(AGraphics, &dpiX);
  if (status == Ok) status = Lib().GdipGetDpiY(AGraphics, &dpiY);
  if (status != Ok) return status;
  TAffine page{scale * UnitScale(unit, dpiX), 0, 0, scale * UnitScale(unit, dpiY), 0, 0};
  if (ASpace == CoordinateSpacePage) {
    AResult = page;
    return Ok;
  }
  GpMatrix* matrix = nullptr;
  REAL e[6] = {1, 0, 0, 1, 0, 0};
  status = Lib().GdipCreateMatrix(&matrix);
  if (status == Ok) status = Lib().GdipGetWorldTransform(AGraphics, matrix);
  if (status == Ok) status = Lib().GdipGetMatrixElements(matrix, e);
  if (matrix) Lib().GdipDeleteMatrix(matrix);
  if (status != Ok) return status;
  AResult = Multiply(TAffine{e[0], e[1], e[2], e[3], e[4], e[5]}, page);
  return Ok;
}

Status Between(GpGraphics* AGraphics, CoordinateSpace ADest, CoordinateSpace ASource, TAffine& AResult) {
  if (!AGraphics || ADest < CoordinateSpaceWorld || ADest > CoordinateSpaceDevice || ASource < CoordinateSpaceWorld ||
      ASource > CoordinateSpaceDevice)
    return InvalidParameter;
  TAffine from, to;
  Status status = ToDevice(AGraphics, ASource, from);
  if (status == Ok) status = ToDevice(AGraphics, ADest, to);
  if (status != Ok) return status;
  if (!Invert(to)) return InvalidParameter;
  AResult = Multiply(from, to);
  return Ok;
}

template <class TPointType, class TRound>
Status TransformAll(GpGraphics* AGraphics, CoordinateSpace ADest, CoordinateSpace ASource, TPointType* APoints,
                    INT ACount, TRound ARound) {
  if (!APoints || ACount <= 0) return InvalidParameter;
  TAffine m;
  Status status = Between(AGraphics, ADest, ASource, m);
  if (status != Ok) return status;
  for (INT i = 0; i < ACount; ++i) {
    double x = APoints[i].X, y = APoints[i].Y;
    APoints[i].X = ARound(m[0] * x + m[2] * y + m[4]);
    APoints[i].Y = ARound(m[1] * x + m[3] * y + m[5]);
  }
  return Ok;
}

Status TransformPoints(GpGraphics* AGraphics, CoordinateSpace ADest, CoordinateSpace ASource, GpPointF* APoints,
                       INT ACount) {
  return TransformAll(AGraphics, ADest, ASource, APoints, ACount, [](double v) { return static_cast<REAL>(v); });
}

Status TransformPointsI(GpGraphics* AGraphics, CoordinateSpace ADest, CoordinateSpace ASource, GpPoint* APoints,
                        INT ACount) {
  return TransformAll(AGraphics, ADest, ASource, APoints, ACount,
                      [](double v) { return static_cast<INT>(std::floor(v + 0.5)); });
}

// Comments only mean something in metafiles, which the bridge does not record.
Status Comment(GpGraphics*, UINT, const BYTE*) { return NotImplemented; }

}  // namespace

Status FamilyFromName(const WCHAR* AName, GpFontCollection* ACollection, GpFontFamily** AFamily) {
  if (!AFamily) return InvalidParameter;
  *AFamily = nullptr;
  if (!AName) return InvalidParameter;
  // A private collection knows its own families.
  if (ACollection) return Lib().GdipCreateFontFamilyFromName(AName, ACollection, AFamily);
  String name(AName);
  if (!GdiFontFamilyExists(name)) {
    name = GdiFontSubstitute(name);
    if (name.empty()) return FontFamilyNotFound;
  }
  return Lib().GdipCreateFontFamilyFromName(name.c_str(), nullptr, AFamily);
}

std::vector<TOverride> EmulatedOverrides() {
  return {Override("GdipGetRegionBoundsI", &GetRegionBoundsI),
          Override("GdipCreateCachedBitmap", &CreateCachedBitmap),
          Override("GdipDeleteCachedBitmap", &DeleteCachedBitmap),
          Override("GdipDrawCachedBitmap", &DrawCachedBitmap),
          Override("GdipTransformPoints", &TransformPoints),
          Override("GdipTransformPointsI", &TransformPointsI),
          Override("GdipComment", &Comment),
          Override("GdipCreateFontFamilyFromName", &FamilyFromName)};
}

}  // namespace gdip::bridge
