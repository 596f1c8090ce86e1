// Layered windows and the composition of the screen: SetLayeredWindowAttributes and
// UpdateLayeredWindow with the "user32.dll" module that exports them, and the top-level windows
// painted over one another, each clipped to its window region and layered ones blended.
#include <algorithm>
#include <mutex>

#include "platform/rtl/Modules.h"
#include "platform/win/Backend.h"
#include "platform/win/GdiInternal.h"
#include "platform/win/SurfaceAccess.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

using namespace wincore;

const TSurface* TWindow::ShownSurface() const { return LayeredPicture ? LayeredPicture.get() : Surface.get(); }

namespace {

// A top-level window with WS_EX_LAYERED, else nullptr with ERROR_INVALID_PARAMETER.
TWindow* LayeredTopLevel(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w || !w->IsTopLevel() || !(w->ExStyle & WS_EX_LAYERED) || !w->Surface) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return w;
}

void ShowLayeredChange(TWindow* w) {
  Backend().SetLayered(w);
  const TSurface* s = w->ShownSurface();
  if (s) Backend().Present(w, RECT{0, 0, s->Width(), s->Height()});
}

// (x * a + 127) / 255 for bytes: a channel scaled by an alpha.
constexpr std::uint32_t Scale(std::uint32_t x, std::uint32_t a) { return (x * a + 127) / 255; }

// The premultiplied pixel Src, faded by the constant alpha Alpha, over Dst.
std::uint32_t Over(std::uint32_t Dst, std::uint32_t Src, std::uint32_t Alpha) {
  std::uint32_t sa = Scale(Src >> 24, Alpha);
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    std::uint32_t s = Scale((Src >> shift) & 0xFF, Alpha);
    std::uint32_t d = Scale((Dst >> shift) & 0xFF, 255 - sa);
    result |= std::min<std::uint32_t>(s + d, 255) << shift;
  }
  return result;
}

bool MatchesKey(std::uint32_t Pixel, COLORREF Key) {
  return ((Pixel >> 16) & 0xFF) == (Key & 0xFF) && ((Pixel >> 8) & 0xFF) == ((Key >> 8) & 0xFF) &&
         (Pixel & 0xFF) == ((Key >> 16) & 0xFF);
}

// How a window's pixels reach the screen.
struct TBlend {
  bool Plain = true;          // copied as they are
  bool PerPixel = false;      // premultiplied alpha of the pixels counts
  std::uint32_t Alpha = 255;  // constant alpha
  bool Keyed = false;
  COLORREF Key = 0;
};

TBlend BlendOf(const TWindow* t) {
  TBlend b;
  if (!(t->ExStyle & WS_EX_LAYERED)) return b;
  if (t->LayeredPicture) {
    b.PerPixel = (t->LayeredFlags & ULW_ALPHA) != 0;
    b.Alpha = b.PerPixel ? t->LayeredAlpha : 255;
    b.Keyed = (t->LayeredFlags & ULW_COLORKEY) != 0 && !(t->LayeredFlags & ULW_ALPHA);
  } else {
    b.Alpha = (t->LayeredFlags & LWA_ALPHA) ? t->LayeredAlpha : 255;
    b.Keyed = (t->LayeredFlags & LWA_COLORKEY) != 0;
  }
  b.Key = t->LayeredKey;
  b.Plain = !b.PerPixel && !b.Keyed && b.Alpha == 255;
  return b;
}

// The part of the window's surface that shows: its window region, or all of it.
gdi::TRgnSet ShownArea(const TWindow* t, const TSurface& s) {
  RECT all{0, 0, s.Width(), s.Height()};
  if (!t->Region) return gdi::TRgnSet(all);
  std::lock_guard<std::recursive_mutex> guard(gdi::Lock());
  gdi::TRegionObj* rgn = gdi::RegionOf(t->Region);
  return rgn ? rgn->Set.Intersect(all) : gdi::TRgnSet(all);
}

void ComposeWindow(TSurface& out, const TWindow* t) {
  const TSurface* s = t->ShownSurface();
  if (!s || s->Empty()) return;
  TBlend blend = BlendOf(t);
  const POINT at{t->Rect.left, t->Rect.top};
  const gdi::TRgnSet area = ShownArea(t, *s);
  for (const RECT& r : area.Rects()) {
    if (blend.Plain) {
      out.CopyFrom(*s, r, POINT{at.x + r.left, at.y + r.top});
      continue;
    }
    for (int y = std::max<int>(r.top, -at.y); y < r.bottom && at.y + y < out.Height(); ++y) {
      const std::uint32_t* src = s->Row(y);
      std::uint32_t* dst = out.Row(at.y + y);
      for (int x = std::max<int>(r.left, -at.x); x < r.right && at.x + x < out.Width(); ++x) {
        std::uint32_t p = src[x];
        if (blend.Keyed && MatchesKey(p, blend.Key)) continue;
        if (!blend.PerPixel) p |= 0xFF000000u;
        dst[at.x + x] = Over(dst[at.x + x], p, blend.Alpha);
      }
    }
  }
}

// The exports of "user32.dll" go through these, so a lookup gets plain function addresses.
BOOL ExportUpdateLayeredWindow(HWND h, HDC dst, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                               BLENDFUNCTION* blend, DWORD flags) {
  return UpdateLayeredWindow(h, dst, pos, size, src, srcPos, key, blend, flags);
}

BOOL ExportSetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags) {
  return SetLayeredWindowAttributes(h, key, alpha, flags);
}

BOOL ExportGetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags) {
  return GetLayeredWindowAttributes(h, key, alpha, flags);
}

}  // namespace

namespace wincore {

void ComposeScreen(TSurface& out) {
  SIZE s = Backend().ScreenSize();
  out.Resize(s.cx, s.cy, false, ColorRefToPixel(GetSysColor(COLOR_BACKGROUND)));
  auto& tops = Desktop()->Children;
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    TWindow* t = *it;
    if (!(t->Style & WS_VISIBLE) || t->Minimized) continue;
    ComposeWindow(out, t);
  }
}

}  // namespace wincore

BOOL SetLayeredWindowAttributes(HWND h, COLORREF key, BYTE alpha, DWORD flags) {
  TWindow* w = LayeredTopLevel(h);
  if (!w) return FALSE;
  w->LayeredPicture.reset();
  w->LayeredByAttributes = true;
  w->LayeredKey = key;
  w->LayeredAlpha = alpha;
  w->LayeredFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
  ShowLayeredChange(w);
  return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND h, COLORREF* key, BYTE* alpha, DWORD* flags) {
  TWindow* w = LayeredTopLevel(h);
  if (!w || w->LayeredPicture) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (key) *key = w->LayeredKey;
  if (alpha) *alpha = w->LayeredAlpha;
  if (flags) *flags = w->LayeredFlags;
  return TRUE;
}

BOOL UpdateLayeredWindow(HWND h, HDC, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                         BLENDFUNCTION* blend, DWORD flags) {
  TWindow* w = LayeredTopLevel(h);
  if (!w) return FALSE;
  if (((flags & ULW_ALPHA) && !blend) || w->LayeredByAttributes) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pos || size) {
    UINT swp = SWP_NOZORDER | SWP_NOACTIVATE | (pos ? 0 : SWP_NOMOVE) | (size ? 0 : SWP_NOSIZE);
    SetWindowPos(h, nullptr, pos ? pos->x : 0, pos ? pos->y : 0, size ? size->cx : 0, size ? size->cy : 0, swp);
    if (!(w = FromHandle(h))) return FALSE;
  }
  int width = w->Rect.right - w->Rect.left, height = w->Rect.bottom - w->Rect.top;
  auto picture = std::make_unique<TSurface>(std::max(width, 1), std::max(height, 1));
  if (src) {
    TSurface* from = GetDCSurface(src);
    if (!from) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    BeginDCSurfaceAccess(src);
    POINT origin = GetDCOrigin(src);
    POINT at{origin.x + (srcPos ? srcPos->x : 0), origin.y + (srcPos ? srcPos->y : 0)};
    picture->CopyFrom(*from, RECT{at.x, at.y, at.x + width, at.y + height}, POINT{0, 0});
    EndDCSurfaceAccess(src, false);
  }
  w->LayeredPicture = std::move(picture);
  w->LayeredKey = key;
  w->LayeredAlpha = blend ? blend->SourceConstantAlpha : 255;
  w->LayeredFlags = flags & (ULW_ALPHA | ULW_COLORKEY | ULW_OPAQUE);
  ShowLayeredChange(w);
  return TRUE;
}

void RegisterUser32Module() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBuiltinModule(
        u"user32.dll",
        {TModuleExport{"UpdateLayeredWindow", reinterpret_cast<void*>(&ExportUpdateLayeredWindow)},
         TModuleExport{"SetLayeredWindowAttributes", reinterpret_cast<void*>(&ExportSetLayeredWindowAttributes)},
         TModuleExport{"GetLayeredWindowAttributes", reinterpret_cast<void*>(&ExportGetLayeredWindowAttributes)}},
        true);
  });
}
