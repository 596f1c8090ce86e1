// Device contexts: creation over surfaces, state, saving, coordinate mapping and clipping.
#include "platform/win/GdiInternal.h"

#include <cairo.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <unordered_set>

namespace gdi {

namespace {

std::unordered_set<HDC__*>& DCs() {
  static auto* s = new std::unordered_set<HDC__*>();
  return *s;
}

std::atomic<int> GScreenDpi{96};
std::atomic<int> GScreenWidth{1920};
std::atomic<int> GScreenHeight{1080};

void InitState(HDC__* D) {
  D->S.Pen = Stock(BLACK_PEN);
  D->S.Brush = Stock(WHITE_BRUSH);
  D->S.Font = Stock(SYSTEM_FONT);
  AddRef(D->S.Pen);
  AddRef(D->S.Brush);
  AddRef(D->S.Font);
  if (D->Kind == dkMemory) {
    D->S.Bitmap = Stock(STOCK_DEFAULT_BITMAP);
    AddRef(D->S.Bitmap);
  }
  D->DpiX = D->DpiY = GScreenDpi.load();
}

HDC Track(HDC__* D) {
  std::lock_guard lock(Lock());
  InitState(D);
  DCs().insert(D);
  return D;
}

void RefState(const TDCState& S, bool AAdd) {
  for (HGDIOBJ h : {S.Pen, S.Brush, S.Font, S.Bitmap}) {
    if (AAdd) AddRef(h);
    else Release(h);
  }
}

// The device area a DC can reach, in device coordinates: what "no clip region" stands for.
RECT DeviceBounds(HDC__* D) {
  TSurface* s = TargetSurface(D);
  RECT r{0, 0, s ? s->Width() : 0, s ? s->Height() : 0};
  if (D->Limit) {
    RECT b = D->Limit->Box();
    r = RECT{std::max(r.left, b.left), std::max(r.top, b.top), std::min(r.right, b.right), std::min(r.bottom, b.bottom)};
  }
  r.left -= D->Origin.x;
  r.right -= D->Origin.x;
  r.top -= D->Origin.y;
  r.bottom -= D->Origin.y;
  return r;
}

// The clip region, or the whole device area where the DC has none.
TRgnSet ClipOrBounds(HDC__* D) { return D->S.Clip ? *D->S.Clip : TRgnSet(DeviceBounds(D)); }

int ClipResult(HDC__* D) {
  TRgnSet e = EffectiveClip(D);
  return e.Complexity();
}

}  // namespace

HDC__* DCOf(HDC ADC) {
  if (!ADC) return nullptr;
  std::lock_guard lock(Lock());
  return DCs().count(ADC) ? ADC : nullptr;
}

TBitmapObj* SelectedBitmap(HDC__* D) { return D->Kind == dkMemory ? BitmapOf(D->S.Bitmap) : nullptr; }

TSurface* TargetSurface(HDC__* D) {
  if (D->Kind == dkMemory) {
    TBitmapObj* b = SelectedBitmap(D);
    return b ? b->Surface.get() : nullptr;
  }
  return D->Surface;
}

TMapping MappingOf(const HDC__* D) {
  TMapping m;
  if (D->S.MapMode == MM_LOMETRIC) {
    m.SX = D->DpiX / 254.0;
    m.SY = -D->DpiY / 254.0;
  }
  m.OX = D->S.ViewportOrg.x - D->S.WindowOrg.x * m.SX;
  m.OY = D->S.ViewportOrg.y - D->S.WindowOrg.y * m.SY;
  return m;
}

static LONG RoundCoord(double V) {
  V = std::clamp(V, -1e9, 1e9);
  return static_cast<LONG>(std::floor(V + 0.5));
}

POINT LogToDev(const HDC__* D, int X, int Y) {
  TMapping m = MappingOf(D);
  return POINT{RoundCoord(m.ToDevX(X)), RoundCoord(m.ToDevY(Y))};
}

POINT LogToSurf(const HDC__* D, int X, int Y) {
  POINT p = LogToDev(D, X, Y);
  return POINT{p.x + D->Origin.x, p.y + D->Origin.y};
}

RECT LogRectToDev(const HDC__* D, const RECT& R) {
  POINT a = LogToDev(D, R.left, R.top), b = LogToDev(D, R.right, R.bottom);
  return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT LogRectToSurf(const HDC__* D, const RECT& R) {
  RECT r = LogRectToDev(D, R);
  return RECT{r.left + D->Origin.x, r.top + D->Origin.y, r.right + D->Origin.x, r.bottom + D->Origin.y};
}

int LogLengthToDevX(const HDC__* D, int ALength) {
  return RoundCoord(std::fabs(ALength * MappingOf(D).SX));
}

int LogLengthToDevY(const HDC__* D, int ALength) {
  return RoundCoord(std::fabs(ALength * MappingOf(D).SY));
}

TRgnSet EffectiveClip(HDC__* D) {
  TSurface* s = TargetSurface(D);
  if (!s || s->Empty()) return TRgnSet();
  RECT bounds{0, 0, s->Width(), s->Height()};
  TRgnSet clip = D->Limit ? D->Limit->Intersect(bounds) : TRgnSet(bounds);
  if (D->S.Clip) {
    TRgnSet c = *D->S.Clip;
    c.Offset(D->Origin.x, D->Origin.y);
    clip = TRgnSet::Combine(clip, c, RGN_AND);
  }
  return clip;
}

TDrawScope::TDrawScope(HDC__* D, bool AWrites) : FWrites(AWrites) {
  FSurface = TargetSurface(D);
  FBitmap = SelectedBitmap(D);
  if (FBitmap && !(FBitmap->Dib && !FBitmap->DibDirect)) FBitmap = nullptr;
  if (FBitmap) FBitmap->PullDib();
  if (FSurface) FSurface->Pixels();
}

TDrawScope::~TDrawScope() {
  if (!FSurface || !FWrites) return;
  FSurface->MarkDirty();
  if (FBitmap) FBitmap->PushDib();
}

bool TDrawTarget::Open(HDC ADC, bool AWrites) {
  D = DCOf(ADC);
  if (!D) return false;
  Scope.emplace(D, AWrites);
  S = Scope->Surface();
  if (S) Clip = EffectiveClip(D);
  return true;
}

}  // namespace gdi

HDC__::~HDC__() {
  if (Cairo) cairo_destroy(Cairo);
}

using namespace gdi;

// ---- Creation ----

HDC CreateSurfaceDC(TSurface& ASurface, POINT AOrigin, const RECT* AClip) {
  auto* d = new HDC__();
  d->Kind = dkSurface;
  d->Surface = &ASurface;
  d->Origin = AOrigin;
  if (AClip) d->Limit = TRgnSet(*AClip);
  return Track(d);
}

HDC CreateSurfaceDCRgn(TSurface& ASurface, POINT AOrigin, HRGN AClip) {
  HDC dc = CreateSurfaceDC(ASurface, AOrigin, nullptr);
  std::lock_guard lock(Lock());
  if (TRegionObj* r = RegionOf(AClip)) dc->Limit = r->Set;
  return dc;
}

void SetSurfaceDCLimit(HDC ADC, POINT AOrigin, const RECT* AClip) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return;
  d->Origin = AOrigin;
  if (AClip) d->Limit = TRgnSet(*AClip);
  else d->Limit.reset();
}

HDC CreateScreenDC() {
  auto* d = new HDC__();
  d->Kind = dkScreen;
  d->ScreenSurface = std::make_unique<TSurface>(16, 16);
  d->Surface = d->ScreenSurface.get();
  return Track(d);
}

HDC CreateCompatibleDC(HDC ADC) {
  if (ADC && !DCOf(ADC)) return nullptr;
  auto* d = new HDC__();
  d->Kind = dkMemory;
  HDC dc = Track(d);
  if (HDC__* src = DCOf(ADC)) {
    d->DpiX = src->DpiX;
    d->DpiY = src->DpiY;
  }
  return dc;
}

BOOL DeleteDC(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return FALSE;
  DCs().erase(d);
  RefState(d->S, false);
  for (auto& s : d->Saved) RefState(s, false);
  delete d;
  return TRUE;
}

TSurface* GetDCSurface(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? TargetSurface(d) : nullptr;
}

POINT GetDCOrigin(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? d->Origin : POINT{};
}

std::vector<RECT> GetDCSurfaceClipRects(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? EffectiveClip(d).Rects() : std::vector<RECT>();
}

HRGN GetDCSurfaceClipRgn(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? NewRegion(EffectiveClip(d)) : nullptr;
}

void SetDCResolution(HDC ADC, int ADpiX, int ADpiY) {
  std::lock_guard lock(Lock());
  if (HDC__* d = DCOf(ADC)) {
    d->DpiX = std::max(1, ADpiX);
    d->DpiY = std::max(1, ADpiY);
  }
}

void GdiSetScreenDpi(int ADpi) { GScreenDpi = std::max(1, ADpi); }
int GdiGetScreenDpi() { return GScreenDpi; }
void GdiSetScreenSize(int AWidth, int AHeight) {
  GScreenWidth = std::max(1, AWidth);
  GScreenHeight = std::max(1, AHeight);
}

BOOL GetDCOrgEx(HDC ADC, POINT* APoint) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !APoint) return FALSE;
  *APoint = d->Origin;
  return TRUE;
}

BOOL GdiFlush() {
  return TRUE;   // drawing is complete when each call returns
}

int SaveDC(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return 0;
  RefState(d->S, true);
  d->Saved.push_back(d->S);
  return static_cast<int>(d->Saved.size());
}

BOOL RestoreDC(HDC ADC, int ASavedDC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || ASavedDC == 0) return FALSE;
  int n = static_cast<int>(d->Saved.size());
  int level = ASavedDC < 0 ? n + 1 + ASavedDC : ASavedDC;
  if (level < 1 || level > n) return FALSE;
  while (static_cast<int>(d->Saved.size()) > level) {
    RefState(d->Saved.back(), false);
    d->Saved.pop_back();
  }
  TDCState restored = std::move(d->Saved.back());
  d->Saved.pop_back();
  // the restored state already holds its references
  RefState(d->S, false);
  d->S = std::move(restored);
  if (TBitmapObj* b = SelectedBitmap(d)) b->SelectedIn = ADC;
  return TRUE;
}

int GetDeviceCaps(HDC ADC, int AIndex) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return 0;
  int w = GScreenWidth, h = GScreenHeight;
  switch (AIndex) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return static_cast<int>(std::lround(w * 25.4 / d->DpiX));
    case VERTSIZE: return static_cast<int>(std::lround(h * 25.4 / d->DpiY));
    case HORZRES:
    case DESKTOPHORZRES:
    case PHYSICALWIDTH: return w;
    case VERTRES:
    case DESKTOPVERTRES:
    case PHYSICALHEIGHT: return h;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX: return d->DpiX;
    case LOGPIXELSY: return d->DpiY;
    case SIZEPALETTE: return 0;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    case VREFRESH: return 60;
    case SHADEBLENDCAPS: return 0x3F;
    default: return 0;
  }
}

// ---- Mapping ----

int SetMapMode(HDC ADC, int AMode) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || (AMode != MM_TEXT && AMode != MM_LOMETRIC)) return 0;
  int old = d->S.MapMode;
  d->S.MapMode = AMode;
  return old;
}

int GetMapMode(HDC ADC) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? d->S.MapMode : 0;
}

namespace {
BOOL SetOrg(HDC ADC, POINT TDCState::*AMember, int X, int Y, bool ARelative, POINT* AOld) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return FALSE;
  POINT& p = d->S.*AMember;
  if (AOld) *AOld = p;
  p = ARelative ? POINT{p.x + X, p.y + Y} : POINT{X, Y};
  return TRUE;
}
BOOL GetOrg(HDC ADC, POINT TDCState::*AMember, POINT* APoint) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !APoint) return FALSE;
  *APoint = d->S.*AMember;
  return TRUE;
}
}  // namespace

BOOL SetWindowOrgEx(HDC ADC, int X, int Y, POINT* AOld) { return SetOrg(ADC, &TDCState::WindowOrg, X, Y, false, AOld); }
BOOL GetWindowOrgEx(HDC ADC, POINT* APoint) { return GetOrg(ADC, &TDCState::WindowOrg, APoint); }
BOOL OffsetWindowOrgEx(HDC ADC, int DX, int DY, POINT* AOld) {
  return SetOrg(ADC, &TDCState::WindowOrg, DX, DY, true, AOld);
}
BOOL SetViewportOrgEx(HDC ADC, int X, int Y, POINT* AOld) {
  return SetOrg(ADC, &TDCState::ViewportOrg, X, Y, false, AOld);
}
BOOL GetViewportOrgEx(HDC ADC, POINT* APoint) { return GetOrg(ADC, &TDCState::ViewportOrg, APoint); }
BOOL OffsetViewportOrgEx(HDC ADC, int DX, int DY, POINT* AOld) {
  return SetOrg(ADC, &TDCState::ViewportOrg, DX, DY, true, AOld);
}
BOOL SetBrushOrgEx(HDC ADC, int X, int Y, POINT* AOld) { return SetOrg(ADC, &TDCState::BrushOrg, X, Y, false, AOld); }
BOOL GetBrushOrgEx(HDC ADC, POINT* APoint) { return GetOrg(ADC, &TDCState::BrushOrg, APoint); }

BOOL GetWindowExtEx(HDC ADC, SIZE* ASize) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !ASize) return FALSE;
  *ASize = d->S.MapMode == MM_LOMETRIC ? SIZE{254, 254} : SIZE{1, 1};
  return TRUE;
}

BOOL GetViewportExtEx(HDC ADC, SIZE* ASize) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !ASize) return FALSE;
  *ASize = d->S.MapMode == MM_LOMETRIC ? SIZE{d->DpiX, -d->DpiY} : SIZE{1, 1};
  return TRUE;
}

BOOL LPtoDP(HDC ADC, POINT* APoints, int ACount) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || (!APoints && ACount > 0)) return FALSE;
  for (int i = 0; i < ACount; ++i) APoints[i] = LogToDev(d, APoints[i].x, APoints[i].y);
  return TRUE;
}

BOOL DPtoLP(HDC ADC, POINT* APoints, int ACount) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || (!APoints && ACount > 0)) return FALSE;
  TMapping m = MappingOf(d);
  for (int i = 0; i < ACount; ++i)
    APoints[i] = POINT{RoundCoord(m.ToLogX(APoints[i].x)), RoundCoord(m.ToLogY(APoints[i].y))};
  return TRUE;
}

// ---- Attributes ----

namespace {
template <class T, class V>
T SetAttr(HDC ADC, T TDCState::*AMember, V AValue, T AError) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return AError;
  T old = d->S.*AMember;
  d->S.*AMember = static_cast<T>(AValue);
  return old;
}
template <class T>
T GetAttr(HDC ADC, T TDCState::*AMember, T AError) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  return d ? d->S.*AMember : AError;
}
}  // namespace

int SetBkMode(HDC ADC, int AMode) {
  if (AMode != OPAQUE && AMode != TRANSPARENT) return 0;
  return SetAttr(ADC, &TDCState::BkMode, AMode, 0);
}
int GetBkMode(HDC ADC) { return GetAttr(ADC, &TDCState::BkMode, 0); }
COLORREF SetBkColor(HDC ADC, COLORREF AColor) { return SetAttr(ADC, &TDCState::BkColor, AColor & 0xFFFFFF, CLR_INVALID); }
COLORREF GetBkColor(HDC ADC) { return GetAttr(ADC, &TDCState::BkColor, CLR_INVALID); }
COLORREF SetTextColor(HDC ADC, COLORREF AColor) {
  return SetAttr(ADC, &TDCState::TextColor, AColor & 0xFFFFFF, CLR_INVALID);
}
COLORREF GetTextColor(HDC ADC) { return GetAttr(ADC, &TDCState::TextColor, CLR_INVALID); }
UINT SetTextAlign(HDC ADC, UINT AAlign) { return SetAttr(ADC, &TDCState::TextAlign, AAlign, GDI_ERROR); }
UINT GetTextAlign(HDC ADC) { return GetAttr(ADC, &TDCState::TextAlign, GDI_ERROR); }
int SetROP2(HDC ADC, int ARop) {
  if (ARop < R2_BLACK || ARop > R2_WHITE) return 0;
  return SetAttr(ADC, &TDCState::Rop2, ARop, 0);
}
int GetROP2(HDC ADC) { return GetAttr(ADC, &TDCState::Rop2, 0); }
int SetStretchBltMode(HDC ADC, int AMode) {
  if (AMode < BLACKONWHITE || AMode > HALFTONE) return 0;
  return SetAttr(ADC, &TDCState::StretchMode, AMode, 0);
}
int GetStretchBltMode(HDC ADC) { return GetAttr(ADC, &TDCState::StretchMode, 0); }
int SetPolyFillMode(HDC ADC, int AMode) {
  if (AMode != ALTERNATE && AMode != WINDING) return 0;
  return SetAttr(ADC, &TDCState::PolyFillMode, AMode, 0);
}
int GetPolyFillMode(HDC ADC) { return GetAttr(ADC, &TDCState::PolyFillMode, 0); }
int SetArcDirection(HDC ADC, int ADirection) {
  if (ADirection != AD_COUNTERCLOCKWISE && ADirection != AD_CLOCKWISE) return 0;
  return SetAttr(ADC, &TDCState::ArcDirection, ADirection, 0);
}
int GetArcDirection(HDC ADC) { return GetAttr(ADC, &TDCState::ArcDirection, 0); }

// ---- Clipping ----

int SelectClipRgn(HDC ADC, HRGN ARgn) { return ExtSelectClipRgn(ADC, ARgn, RGN_COPY); }

int ExtSelectClipRgn(HDC ADC, HRGN ARgn, int AMode) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || AMode < RGN_AND || AMode > RGN_COPY) return ERROR;
  TRegionObj* r = RegionOf(ARgn);
  if (!r) {
    if (ARgn || AMode != RGN_COPY) return ERROR;
    d->S.Clip.reset();
    return ClipResult(d);
  }
  if (AMode == RGN_COPY) {
    d->S.Clip = r->Set;
  } else {
    TRgnSet current = ClipOrBounds(d);
    d->S.Clip = TRgnSet::Combine(current, r->Set, AMode);
  }
  return ClipResult(d);
}

namespace {

// Combines the clip with a rectangle in logical units (RGN_AND or RGN_DIFF).
int CombineClipRect(HDC ADC, const RECT& ALogical, int AMode) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return ERROR;
  d->S.Clip = TRgnSet::Combine(ClipOrBounds(d), TRgnSet(LogRectToDev(d, ALogical)), AMode);
  return ClipResult(d);
}

}  // namespace

int IntersectClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom) {
  return CombineClipRect(ADC, RECT{ALeft, ATop, ARight, ABottom}, RGN_AND);
}

int ExcludeClipRect(HDC ADC, int ALeft, int ATop, int ARight, int ABottom) {
  return CombineClipRect(ADC, RECT{ALeft, ATop, ARight, ABottom}, RGN_DIFF);
}

int OffsetClipRgn(HDC ADC, int DX, int DY) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return ERROR;
  TMapping m = MappingOf(d);
  if (d->S.Clip) d->S.Clip->Offset(RoundCoord(DX * m.SX), RoundCoord(DY * m.SY));
  return ClipResult(d);
}

int GetClipBox(HDC ADC, RECT* ARect) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !ARect) return ERROR;
  TRgnSet e = EffectiveClip(d);
  if (e.Empty()) {
    *ARect = RECT{};
    return NULLREGION;
  }
  RECT b = e.Box();
  TMapping m = MappingOf(d);
  double l = b.left - d->Origin.x, t = b.top - d->Origin.y, r = b.right - d->Origin.x, bt = b.bottom - d->Origin.y;
  *ARect = RECT{RoundCoord(m.ToLogX(l)), RoundCoord(m.ToLogY(t)), RoundCoord(m.ToLogX(r)), RoundCoord(m.ToLogY(bt))};
  return e.Complexity();
}

int GetClipRgn(HDC ADC, HRGN ARgn) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  TRegionObj* r = RegionOf(ARgn);
  if (!d || !r) return -1;
  if (!d->S.Clip) return 0;
  r->Set = *d->S.Clip;
  return 1;
}

BOOL PtVisible(HDC ADC, int X, int Y) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return FALSE;
  POINT p = LogToSurf(d, X, Y);
  return EffectiveClip(d).Contains(p.x, p.y);
}

BOOL RectVisible(HDC ADC, const RECT* ARect) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d || !ARect) return FALSE;
  return EffectiveClip(d).Intersects(LogRectToSurf(d, *ARect));
}
