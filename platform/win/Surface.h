#pragma once
// Pixel surfaces that windows and bitmaps draw into, and device contexts over them.
#include "platform/win/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// An ARGB32 pixel buffer with premultiplied alpha: one std::uint32_t 0xAARRGGBB per pixel in native
// byte order (B, G, R, A in memory), rows Stride() bytes apart, top row first. A surface either owns
// its pixels or wraps memory it is given (a DIB section's bits). Drawing goes through device contexts.
class TSurface {
public:
  TSurface();
  TSurface(int AWidth, int AHeight);
  // Wraps AWidth x AHeight pixels at ABits, AStride bytes per row (a multiple of 4); the memory stays
  // the caller's and must outlive the surface.
  TSurface(std::uint32_t* ABits, int AWidth, int AHeight, int AStride);
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Stride() const { return FStride; }
  bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
  bool OwnsPixels() const { return FOwned; }

  // The pixels: call Pixels before reading or writing pixels directly, so drawing done through the
  // drawing library is complete, and MarkDirty after writing. Row(Y) is then row Y (0 <= Y < Height).
  std::uint32_t* Pixels();
  const std::uint32_t* Pixels() const;
  std::uint32_t* Row(int Y) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<std::uint8_t*>(FBits) + static_cast<std::ptrdiff_t>(Y) * FStride);
  }
  const std::uint32_t* Row(int Y) const {
    return reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const std::uint8_t*>(FBits) +
                                                  static_cast<std::ptrdiff_t>(Y) * FStride);
  }
  // A pixel (after Pixels); 0 (transparent black) outside the surface.
  std::uint32_t Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, std::uint32_t AArgb);

  // New size; AKeepContent keeps the overlapping top-left part, new pixels are AFill. A wrapping
  // surface becomes an owning one.
  void Resize(int AWidth, int AHeight, bool AKeepContent = true, std::uint32_t AFill = 0);
  void Clear(std::uint32_t AArgb = 0);
  void Fill(const RECT& ARect, std::uint32_t AArgb);   // clipped to the surface
  // Copies ASource's pixels of ASrcRect to ADest (clipped on both sides; overlapping copies are safe).
  void CopyFrom(const TSurface& ASource, const RECT& ASrcRect, POINT ADest);
  // Replaces the content with AWidth x AHeight pixels read from ASrc (ASrcStride bytes per row).
  void LoadPixels(const std::uint32_t* ASrc, int AWidth, int AHeight, int ASrcStride);

  bool SaveToPng(const std::string& AFileName) const;    // UTF-8 path; false on failure
  bool LoadFromPng(const std::string& AFileName);

  // Bumped whenever the pixel memory moves (resize, load), so cached drawing state can follow.
  std::uint64_t Generation() const { return FGeneration; }
  // The drawing library's view of the pixels (opaque here), created on first use.
  void* NativeSurface() const;
  // Tells the drawing library that pixels were written directly.
  void MarkDirty() const;

private:
  void ReleaseNative() const;
  void Allocate(int AWidth, int AHeight);

  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  bool FOwned = true;
  std::vector<std::uint32_t> FStorage;
  std::uint32_t* FBits = nullptr;
  std::uint64_t FGeneration = 0;
  mutable void* FNative = nullptr;
};

// Premultiplied pixel of an opaque COLORREF.
constexpr std::uint32_t ColorRefToPixel(COLORREF AColor) {
  return 0xFF000000u | (static_cast<std::uint32_t>(AColor & 0xFF) << 16) | (AColor & 0xFF00) |
         ((AColor >> 16) & 0xFF);
}
// COLORREF of a pixel (alpha dropped, colours un-premultiplied).
COLORREF PixelToColorRef(std::uint32_t APixel);

// A device context over ASurface whose device point (0, 0) lies at AOrigin of the surface and whose
// drawing is limited to AClip (surface coordinates; nullptr: the whole surface). This is what a
// window's GetDC and BeginPaint hand out; free it with DeleteDC. The surface must outlive the DC.
HDC CreateSurfaceDC(TSurface& ASurface, POINT AOrigin, const RECT* AClip);
// As above with a region as the limit (surface coordinates; the region is copied).
HDC CreateSurfaceDCRgn(TSurface& ASurface, POINT AOrigin, HRGN AClip);
// Changes the limit of a DC made by CreateSurfaceDC (surface coordinates; nullptr: the surface).
void SetSurfaceDCLimit(HDC ADC, POINT AOrigin, const RECT* AClip);

// A DC over the screen (a small scratch surface; the screen's resolution and size): GetDC(nullptr).
HDC CreateScreenDC();

// What a DC draws into: its surface (the selected bitmap's for a memory DC; nullptr for none), the
// surface position of device point (0, 0), and the clip in effect in surface coordinates (the DC's
// limit intersected with its clip region and the surface bounds) as rectangles or as a new region
// the caller deletes. Before touching the surface's pixels directly call GdiFlush.
TSurface* GetDCSurface(HDC ADC);
POINT GetDCOrigin(HDC ADC);
std::vector<RECT> GetDCSurfaceClipRects(HDC ADC);
HRGN GetDCSurfaceClipRgn(HDC ADC);
// The DC's resolution in dots per inch (screen DCs: the screen's, see GdiSetScreenDpi).
void SetDCResolution(HDC ADC, int ADpiX, int ADpiY);

// Makes an object permanent like a stock object: DeleteObject leaves it alone (shared brushes).
void GdiMakePermanent(HGDIOBJ AObject);

// Screen properties reported by GetDeviceCaps on screen and memory DCs (default 96 dpi, 1920 x 1080).
void GdiSetScreenDpi(int ADpi);
int GdiGetScreenDpi();
void GdiSetScreenSize(int AWidth, int AHeight);
