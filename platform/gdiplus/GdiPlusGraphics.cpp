// Graphics over the platform's device contexts, and save numbers that are never reused.
//
// libgdiplus reads an HDC as one of its own objects, so a graphics over a platform DC is a
// graphics over a bitmap: a PARGB bitmap (the same bytes as the surface's premultiplied ARGB32)
// whose pixel (0, 0) is the DC's device point (0, 0).
//  - Direct: when the DC's clip is one rectangle starting at its origin, the bitmap lies on the
//    surface's own pixels and is exactly that rectangle, so GDI and GDI+ drawing meet in one
//    buffer and nothing can paint outside the clip, whatever GDI+ clip is set later.
//  - Scratch: otherwise (a clip region, a clip box away from the origin, an origin outside the
//    surface, a DC without pixels) the bitmap is a buffer of its own, loaded from the surface and
//    copied back through the clip rectangles at flush, GdipGetDC and delete (composited onto a DC
//    without pixels at delete).
// No world transform stands for the offset: the caller owns the world transform.
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/gdiplus/GdiPlusInternal.h"
#include "platform/win/Surface.h"
#include "platform/win/SurfaceAccess.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

namespace gdip::bridge {

namespace {

struct TDCGraphics {
  HDC DC = nullptr;
  HWND Window = nullptr;   // set when the graphics got the DC from GetDC(Window)
  GpBitmap* Bitmap = nullptr;
  TSurface* Surface = nullptr;
  POINT Origin;                  // surface position of device (0, 0)
  std::vector<RECT> Clip;        // surface coordinates
  bool Direct = false;
  int Width = 0, Height = 0;     // of the scratch buffer
  std::vector<std::uint32_t> Scratch;
};

// A graphics' save numbers: ours, never reused, each with the library's number at that depth.
struct TSaved {
  GraphicsState Ours;
  GraphicsState Library;
};

struct TGraphicsTable {
  std::mutex Lock;
  std::unordered_map<GpGraphics*, std::unique_ptr<TDCGraphics>> DCs;
  std::unordered_map<GpGraphics*, std::vector<TSaved>> Saved;
  GraphicsState NextState = 1;
};

TGraphicsTable& Table() {
  static auto* table = new TGraphicsTable();
  return *table;
}

TDCGraphics* Find(GpGraphics* AGraphics) {
  auto& t = Table();
  auto it = t.DCs.find(AGraphics);
  return it == t.DCs.end() ? nullptr : it->second.get();
}

bool IsDC(HDC ADC) {
  int type = ADC ? GetObjectType(reinterpret_cast<HGDIOBJ>(ADC)) : 0;
  return type == OBJ_DC || type == OBJ_MEMDC;
}

// Whether the DC still draws into the surface the graphics was made over.
bool SurfaceAlive(const TDCGraphics& G) { return G.Surface && IsDC(G.DC) && GetDCSurface(G.DC) == G.Surface; }

// Surface rectangle of the scratch pixel (0, 0)..(Width, Height), clipped to the surface.
RECT ScratchOnSurface(const TDCGraphics& G) {
  RECT r{G.Origin.x, G.Origin.y, G.Origin.x + G.Width, G.Origin.y + G.Height};
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, G.Surface->Width());
  r.bottom = std::min<LONG>(r.bottom, G.Surface->Height());
  return r;
}

// Copies the surface's pixels of ARect (surface coordinates) into the scratch buffer, or back.
void CopyScratch(TDCGraphics& G, const RECT& ARect, bool AToSurface) {
  RECT r = ScratchOnSurface(G);
  r.left = std::max(r.left, ARect.left);
  r.top = std::max(r.top, ARect.top);
  r.right = std::min(r.right, ARect.right);
  r.bottom = std::min(r.bottom, ARect.bottom);
  if (r.right <= r.left || r.bottom <= r.top) return;
  const std::size_t bytes = static_cast<std::size_t>(r.right - r.left) * 4;
  for (LONG y = r.top; y < r.bottom; ++y) {
    std::uint32_t* surface = G.Surface->Row(y) + r.left;
    std::uint32_t* scratch = G.Scratch.data() + static_cast<std::size_t>(y - G.Origin.y) * G.Width + (r.left - G.Origin.x);
    if (AToSurface) std::memcpy(surface, scratch, bytes);
    else std::memcpy(scratch, surface, bytes);
  }
}

void LoadScratch(TDCGraphics& G) {
  if (!SurfaceAlive(G)) return;
  BeginDCSurfaceAccess(G.DC);
  CopyScratch(G, RECT{0, 0, G.Surface->Width(), G.Surface->Height()}, false);
}

// Blends the scratch buffer onto a DC that has no pixels of its own.
void CompositeScratch(TDCGraphics& G) {
  if (!IsDC(G.DC)) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = G.Width;
  info.bmiHeader.biHeight = -G.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return;
  std::memcpy(bits, G.Scratch.data(), G.Scratch.size() * 4);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BLENDFUNCTION blend;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(G.DC, 0, 0, G.Width, G.Height, memory, 0, 0, G.Width, G.Height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

// Brings what GDI+ drew to the DC's pixels.
void Publish(TDCGraphics& G, bool AFinal) {
  if (!G.Surface) {
    if (AFinal) CompositeScratch(G);
    return;
  }
  if (!SurfaceAlive(G)) return;
  BeginDCSurfaceAccess(G.DC);
  if (!G.Direct)
    for (const RECT& r : G.Clip) CopyScratch(G, r, true);
  EndDCSurfaceAccess(G.DC, true);
}

Status MakeBitmap(TDCGraphics& G, HDC ADC) {
  BeginDCSurfaceAccess(ADC);
  G.DC = ADC;
  G.Surface = GetDCSurface(ADC);
  G.Origin = GetDCOrigin(ADC);
  G.Clip = GetDCSurfaceClipRects(ADC);
  BYTE* scan0 = nullptr;
  INT stride = 0;
  if (G.Surface && G.Clip.size() == 1 && G.Clip[0].left == G.Origin.x && G.Clip[0].top == G.Origin.y) {
    G.Direct = true;
    G.Width = G.Clip[0].right - G.Clip[0].left;
    G.Height = G.Clip[0].bottom - G.Clip[0].top;
    scan0 = reinterpret_cast<BYTE*>(G.Surface->Row(G.Origin.y) + G.Origin.x);
    stride = G.Surface->Stride();
  } else {
    if (G.Surface) {
      RECT box{};
      for (const RECT& r : G.Clip) {
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
      }
      G.Width = box.right - G.Origin.x;
      G.Height = box.bottom - G.Origin.y;
    } else {
      G.Width = GetDeviceCaps(ADC, HORZRES);
      G.Height = GetDeviceCaps(ADC, VERTRES);
    }
    G.Width = std::max(G.Width, 1);
    G.Height = std::max(G.Height, 1);
    G.Scratch.assign(static_cast<std::size_t>(G.Width) * G.Height, 0);
    if (G.Surface) CopyScratch(G, RECT{0, 0, G.Surface->Width(), G.Surface->Height()}, false);
    scan0 = reinterpret_cast<BYTE*>(G.Scratch.data());
    stride = G.Width * 4;
  }
  Status status = Lib().GdipCreateBitmapFromScan0(G.Width, G.Height, stride, PixelFormat32bppPARGB, scan0, &G.Bitmap);
  if (status != Ok) return status;
  Lib().GdipBitmapSetResolution(G.Bitmap, static_cast<REAL>(GetDeviceCaps(ADC, LOGPIXELSX)),
                                static_cast<REAL>(GetDeviceCaps(ADC, LOGPIXELSY)));
  return Ok;
}

Status CreateOverDC(HDC ADC, HWND AWindow, GpGraphics** AGraphics) {
  if (!AGraphics) return InvalidParameter;
  *AGraphics = nullptr;
  if (!IsDC(ADC)) return InvalidParameter;
  auto g = std::make_unique<TDCGraphics>();
  g->Window = AWindow;
  Status status = MakeBitmap(*g, ADC);
  GpGraphics* graphics = nullptr;
  if (status == Ok) status = Lib().GdipGetImageGraphicsContext(g->Bitmap, &graphics);
  if (status != Ok) {
    if (g->Bitmap) Lib().GdipDisposeImage(g->Bitmap);
    return status;
  }
  std::lock_guard guard(Table().Lock);
  Table().DCs[graphics] = std::move(g);
  *AGraphics = graphics;
  return Ok;
}

Status CreateFromHDC(HDC ADC, GpGraphics** AGraphics) { return CreateOverDC(ADC, nullptr, AGraphics); }

Status CreateFromHDC2(HDC ADC, HANDLE, GpGraphics** AGraphics) { return CreateOverDC(ADC, nullptr, AGraphics); }

Status CreateFromHWND(HWND AWindow, GpGraphics** AGraphics) {
  if (!AGraphics) return InvalidParameter;
  *AGraphics = nullptr;
  HDC dc = GetDC(AWindow);
  if (!dc) return InvalidParameter;
  Status status = CreateOverDC(dc, AWindow, AGraphics);
  if (status != Ok) ReleaseDC(AWindow, dc);
  return status;
}

Status DeleteGraphics(GpGraphics* AGraphics) {
  if (!AGraphics) return InvalidParameter;
  std::unique_ptr<TDCGraphics> g;
  {
    std::lock_guard guard(Table().Lock);
    Table().Saved.erase(AGraphics);
    if (auto it = Table().DCs.find(AGraphics); it != Table().DCs.end()) {
      g = std::move(it->second);
      Table().DCs.erase(it);
    }
  }
  if (!g) return Lib().GdipDeleteGraphics(AGraphics);
  Lib().GdipFlush(AGraphics, FlushIntentionSync);
  Publish(*g, true);
  Status status = Lib().GdipDeleteGraphics(AGraphics);
  Lib().GdipDisposeImage(g->Bitmap);
  if (g->Window) ReleaseDC(g->Window, g->DC);
  return status;
}

Status Flush(GpGraphics* AGraphics, FlushIntention AIntention) {
  Status status = Lib().GdipFlush(AGraphics, AIntention);
  std::lock_guard guard(Table().Lock);
  if (TDCGraphics* g = Find(AGraphics); g && status == Ok) Publish(*g, false);
  return status;
}

Status GetDCOfGraphics(GpGraphics* AGraphics, HDC* ADC) {
  if (!AGraphics || !ADC) return InvalidParameter;
  *ADC = nullptr;
  std::lock_guard guard(Table().Lock);
  TDCGraphics* g = Find(AGraphics);
  // A graphics over an image has no platform DC of its own.
  if (!g) return NotImplemented;
  Lib().GdipFlush(AGraphics, FlushIntentionSync);
  Publish(*g, false);
  *ADC = g->DC;
  return Ok;
}

Status ReleaseDCOfGraphics(GpGraphics* AGraphics, HDC ADC) {
  if (!AGraphics) return InvalidParameter;
  std::lock_guard guard(Table().Lock);
  TDCGraphics* g = Find(AGraphics);
  if (!g || ADC != g->DC) return InvalidParameter;
  // GDI may have drawn meanwhile: the scratch buffer starts again from the surface.
  if (!g->Direct) LoadScratch(*g);
  return Ok;
}

Status SaveGraphics(GpGraphics* AGraphics, GraphicsState* AState) {
  if (!AGraphics || !AState) return InvalidParameter;
  GraphicsState library = 0;
  Status status = Lib().GdipSaveGraphics(AGraphics, &library);
  if (status != Ok) return status;
  auto& t = Table();
  std::lock_guard guard(t.Lock);
  *AState = t.NextState++;
  t.Saved[AGraphics].push_back(TSaved{*AState, library});
  return Ok;
}

Status RestoreGraphics(GpGraphics* AGraphics, GraphicsState AState) {
  if (!AGraphics) return InvalidParameter;
  GraphicsState library = 0;
  {
    auto& t = Table();
    std::lock_guard guard(t.Lock);
    auto it = t.Saved.find(AGraphics);
    if (it == t.Saved.end()) return Ok;
    auto& list = it->second;
    auto s = std::find_if(list.begin(), list.end(), [&](const TSaved& x) { return x.Ours == AState; });
    // A state discarded by an earlier restore (or never saved) restores nothing.
    if (s == list.end()) return Ok;
    library = s->Library;
    list.erase(s, list.end());
  }
  return Lib().GdipRestoreGraphics(AGraphics, library);
}

}  // namespace

std::vector<TOverride> GraphicsOverrides() {
  return {Override("GdipCreateFromHDC", &CreateFromHDC),
          Override("GdipCreateFromHDC2", &CreateFromHDC2),
          Override("GdipCreateFromHWND", &CreateFromHWND),
          Override("GdipCreateFromHWNDICM", &CreateFromHWND),
          Override("GdipDeleteGraphics", &DeleteGraphics),
          Override("GdipFlush", &Flush),
          Override("GdipGetDC", &GetDCOfGraphics),
          Override("GdipReleaseDC", &ReleaseDCOfGraphics),
          Override("GdipSaveGraphics", &SaveGraphics),
          Override("GdipRestoreGraphics", &RestoreGraphics)};
}

}  // namespace gdip::bridge
