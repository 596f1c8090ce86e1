// Pixel surfaces; the drawing library's image surface is created over the same memory on demand.
#include "platform/win/Surface.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>

TSurface::TSurface() = default;

TSurface::TSurface(int AWidth, int AHeight) { Allocate(AWidth, AHeight); }

TSurface::TSurface(std::uint32_t* ABits, int AWidth, int AHeight, int AStride)
    : FWidth(std::max(0, AWidth)), FHeight(std::max(0, AHeight)), FStride(AStride), FOwned(false), FBits(ABits) {
  ++FGeneration;
}

TSurface::~TSurface() { ReleaseNative(); }

void TSurface::Allocate(int AWidth, int AHeight) {
  ReleaseNative();
  FWidth = std::max(0, AWidth);
  FHeight = std::max(0, AHeight);
  FStride = FWidth * 4;
  FOwned = true;
  FStorage.assign(static_cast<std::size_t>(FWidth) * FHeight, 0u);
  FBits = FStorage.empty() ? nullptr : FStorage.data();
  ++FGeneration;
}

void TSurface::ReleaseNative() const {
  if (FNative) {
    cairo_surface_finish(static_cast<cairo_surface_t*>(FNative));
    cairo_surface_destroy(static_cast<cairo_surface_t*>(FNative));
    FNative = nullptr;
  }
}

void* TSurface::NativeSurface() const {
  if (!FNative && FBits && FWidth > 0 && FHeight > 0) {
    FNative = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(FBits), CAIRO_FORMAT_ARGB32,
                                                  FWidth, FHeight, FStride);
  }
  return FNative;
}

void TSurface::MarkDirty() const {
  if (FNative) cairo_surface_mark_dirty(static_cast<cairo_surface_t*>(FNative));
}

std::uint32_t* TSurface::Pixels() {
  if (FNative) cairo_surface_flush(static_cast<cairo_surface_t*>(FNative));
  return FBits;
}

const std::uint32_t* TSurface::Pixels() const {
  if (FNative) cairo_surface_flush(static_cast<cairo_surface_t*>(FNative));
  return FBits;
}

std::uint32_t TSurface::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0;
  Pixels();
  return Row(Y)[X];
}

void TSurface::SetPixel(int X, int Y, std::uint32_t AArgb) {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
  Pixels();
  Row(Y)[X] = AArgb;
  MarkDirty();
}

void TSurface::Resize(int AWidth, int AHeight, bool AKeepContent, std::uint32_t AFill) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  if (AWidth == FWidth && AHeight == FHeight && FOwned) return;
  std::vector<std::uint32_t> old;
  int oldW = FWidth, oldH = FHeight, oldStride = FStride;
  const std::uint32_t* oldBits = Pixels();
  if (AKeepContent && oldBits) {
    old.resize(static_cast<std::size_t>(oldW) * oldH);
    for (int y = 0; y < oldH; ++y)
      std::memcpy(old.data() + static_cast<std::size_t>(y) * oldW,
                  reinterpret_cast<const std::uint8_t*>(oldBits) + static_cast<std::ptrdiff_t>(y) * oldStride,
                  static_cast<std::size_t>(oldW) * 4);
  }
  Allocate(AWidth, AHeight);
  if (AFill) std::fill(FStorage.begin(), FStorage.end(), AFill);
  if (AKeepContent && !old.empty()) {
    int w = std::min(oldW, FWidth), h = std::min(oldH, FHeight);
    for (int y = 0; y < h; ++y)
      std::memcpy(Row(y), old.data() + static_cast<std::size_t>(y) * oldW, static_cast<std::size_t>(w) * 4);
  }
}

void TSurface::Clear(std::uint32_t AArgb) { Fill(RECT{0, 0, FWidth, FHeight}, AArgb); }

void TSurface::Fill(const RECT& ARect, std::uint32_t AArgb) {
  int x0 = std::max<int>(0, ARect.left), x1 = std::min<int>(FWidth, ARect.right);
  int y0 = std::max<int>(0, ARect.top), y1 = std::min<int>(FHeight, ARect.bottom);
  if (x0 >= x1 || y0 >= y1) return;
  Pixels();
  for (int y = y0; y < y1; ++y) std::fill(Row(y) + x0, Row(y) + x1, AArgb);
  MarkDirty();
}

void TSurface::CopyFrom(const TSurface& ASource, const RECT& ASrcRect, POINT ADest) {
  int sx = ASrcRect.left, sy = ASrcRect.top, w = ASrcRect.right - ASrcRect.left, h = ASrcRect.bottom - ASrcRect.top;
  int dx = ADest.x, dy = ADest.y;
  // clip against the source
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  w = std::min(w, ASource.FWidth - sx);
  h = std::min(h, ASource.FHeight - sy);
  // and the destination
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min(w, FWidth - dx);
  h = std::min(h, FHeight - dy);
  if (w <= 0 || h <= 0) return;
  ASource.Pixels();
  Pixels();
  bool up = &ASource == this && dy > sy;
  for (int i = 0; i < h; ++i) {
    int r = up ? h - 1 - i : i;
    std::memmove(Row(dy + r) + dx, ASource.Row(sy + r) + sx, static_cast<std::size_t>(w) * 4);
  }
  MarkDirty();
}

void TSurface::LoadPixels(const std::uint32_t* ASrc, int AWidth, int AHeight, int ASrcStride) {
  Allocate(AWidth, AHeight);
  if (!ASrc) return;
  for (int y = 0; y < FHeight; ++y)
    std::memcpy(Row(y), reinterpret_cast<const std::uint8_t*>(ASrc) + static_cast<std::ptrdiff_t>(y) * ASrcStride,
                static_cast<std::size_t>(FWidth) * 4);
}

bool TSurface::SaveToPng(const std::string& AFileName) const {
  if (Empty()) return false;
  auto* s = static_cast<cairo_surface_t*>(NativeSurface());
  if (!s) return false;
  cairo_surface_flush(s);
  return cairo_surface_write_to_png(s, AFileName.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool TSurface::LoadFromPng(const std::string& AFileName) {
  cairo_surface_t* png = cairo_image_surface_create_from_png(AFileName.c_str());
  bool ok = cairo_surface_status(png) == CAIRO_STATUS_SUCCESS;
  if (ok) {
    int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    Allocate(w, h);
    cairo_t* cr = cairo_create(static_cast<cairo_surface_t*>(NativeSurface()));
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, png, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(static_cast<cairo_surface_t*>(NativeSurface()));
  }
  cairo_surface_destroy(png);
  return ok;
}

COLORREF PixelToColorRef(std::uint32_t APixel) {
  std::uint32_t a = APixel >> 24;
  std::uint32_t r = (APixel >> 16) & 0xFF, g = (APixel >> 8) & 0xFF, b = APixel & 0xFF;
  if (a != 0 && a != 255) {
    r = std::min<std::uint32_t>(255, (r * 255 + a / 2) / a);
    g = std::min<std::uint32_t>(255, (g * 255 + a / 2) / a);
    b = std::min<std::uint32_t>(255, (b * 255 + a / 2) / a);
  }
  return RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b));
}
