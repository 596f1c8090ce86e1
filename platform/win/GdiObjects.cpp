// Drawing objects: the handle registry, stock objects, pens, brushes, fonts, selection and deletion.
#include "platform/win/GdiInternal.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace gdi {

namespace {

std::unordered_set<HGDIOBJ__*>& Objects() {
  static auto* s = new std::unordered_set<HGDIOBJ__*>();
  return *s;
}

void Destroy(HGDIOBJ__* O) {
  Objects().erase(O);
  delete O;
}

HGDIOBJ MakeStockBrush(UINT AStyle, COLORREF AColor) {
  auto* b = new TBrush();
  b->Style = AStyle;
  b->Color = AColor;
  b->Permanent = true;
  Register(b);
  return b;
}

HGDIOBJ MakeStockPen(UINT AStyle, COLORREF AColor) {
  auto* p = new TPen();
  p->Style = AStyle;
  p->Color = AColor;
  p->Width = 0;
  p->Permanent = true;
  Register(p);
  return p;
}

HGDIOBJ MakeStockFont(int AHeight, int AWeight, const char16_t* AFace, BYTE APitch) {
  auto* f = new TFontObj();
  f->Log.lfHeight = AHeight;
  f->Log.lfWeight = AWeight;
  f->Log.lfPitchAndFamily = APitch;
  for (int i = 0; AFace[i] && i < LF_FACESIZE - 1; ++i) f->Log.lfFaceName[i] = AFace[i];
  f->Permanent = true;
  Register(f);
  return f;
}

}  // namespace

std::recursive_mutex& Lock() {
  static auto* m = new std::recursive_mutex();
  return *m;
}

void Register(HGDIOBJ O) {
  std::lock_guard lock(Lock());
  Objects().insert(O);
}

HGDIOBJ__* AnyObj(HGDIOBJ H) {
  if (!H) return nullptr;
  std::lock_guard lock(Lock());
  return Objects().count(H) ? H : nullptr;
}

namespace {
template <class T>
T* Typed(HGDIOBJ H, TObjKind AKind) {
  HGDIOBJ__* o = AnyObj(H);
  return o && o->Kind == AKind ? static_cast<T*>(o) : nullptr;
}
}  // namespace

TPen* PenOf(HGDIOBJ H) { return Typed<TPen>(H, okPen); }
TBrush* BrushOf(HGDIOBJ H) { return Typed<TBrush>(H, okBrush); }
TFontObj* FontOf(HGDIOBJ H) { return Typed<TFontObj>(H, okFont); }
TBitmapObj* BitmapOf(HGDIOBJ H) { return Typed<TBitmapObj>(H, okBitmap); }
TRegionObj* RegionOf(HGDIOBJ H) { return Typed<TRegionObj>(H, okRegion); }

HRGN NewRegion(TRgnSet ASet) {
  auto* r = new TRegionObj();
  r->Set = std::move(ASet);
  Register(r);
  return r;
}

void AddRef(HGDIOBJ O) {
  if (O) ++O->References;
}

void Release(HGDIOBJ O) {
  if (!O) return;
  std::lock_guard lock(Lock());
  if (--O->References > 0) return;
  O->References = 0;
  if (O->Kind == okBitmap) static_cast<TBitmapObj*>(O)->SelectedIn = nullptr;
  if (O->DeletePending && !O->Permanent) Destroy(O);
}

HGDIOBJ Stock(int AIndex) {
  static HGDIOBJ table[22] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    table[WHITE_BRUSH] = MakeStockBrush(BS_SOLID, RGB(255, 255, 255));
    table[LTGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(192, 192, 192));
    table[GRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(128, 128, 128));
    table[DKGRAY_BRUSH] = MakeStockBrush(BS_SOLID, RGB(64, 64, 64));
    table[BLACK_BRUSH] = MakeStockBrush(BS_SOLID, RGB(0, 0, 0));
    table[NULL_BRUSH] = MakeStockBrush(BS_NULL, 0);
    table[WHITE_PEN] = MakeStockPen(PS_SOLID, RGB(255, 255, 255));
    table[BLACK_PEN] = MakeStockPen(PS_SOLID, RGB(0, 0, 0));
    table[NULL_PEN] = MakeStockPen(PS_NULL, 0);
    table[OEM_FIXED_FONT] = MakeStockFont(12, FW_NORMAL, u"Terminal", FIXED_PITCH | FF_MODERN);
    table[ANSI_FIXED_FONT] = MakeStockFont(12, FW_NORMAL, u"Courier", FIXED_PITCH | FF_MODERN);
    table[ANSI_VAR_FONT] = MakeStockFont(12, FW_NORMAL, u"MS Sans Serif", VARIABLE_PITCH | FF_SWISS);
    table[SYSTEM_FONT] = MakeStockFont(16, FW_BOLD, u"System", VARIABLE_PITCH | FF_SWISS);
    table[DEVICE_DEFAULT_FONT] = MakeStockFont(16, FW_BOLD, u"System", VARIABLE_PITCH | FF_SWISS);
    table[SYSTEM_FIXED_FONT] = MakeStockFont(15, FW_NORMAL, u"Fixedsys", FIXED_PITCH | FF_MODERN);
    table[DEFAULT_GUI_FONT] = MakeStockFont(-11, FW_NORMAL, u"MS Shell Dlg", VARIABLE_PITCH | FF_SWISS);
    auto* pal = new TPaletteObj();
    pal->Permanent = true;
    Register(pal);
    table[DEFAULT_PALETTE] = pal;
    auto* dcb = static_cast<TBrush*>(MakeStockBrush(BS_SOLID, RGB(255, 255, 255)));
    dcb->DCBrush = true;
    table[DC_BRUSH] = dcb;
    table[DC_PEN] = MakeStockPen(PS_SOLID, 0);
    auto* bmp = new TBitmapObj();
    bmp->Surface = std::make_unique<TSurface>(1, 1);
    bmp->Surface->Clear(0xFF000000);
    bmp->BitsPixel = 1;
    bmp->Permanent = true;
    Register(bmp);
    table[STOCK_DEFAULT_BITMAP] = bmp;
  });
  return AIndex >= 0 && AIndex < 22 ? table[AIndex] : nullptr;
}

bool IsDCPen(HGDIOBJ H) { return H && H == Stock(DC_PEN); }

}  // namespace gdi

using namespace gdi;

void GdiMakePermanent(HGDIOBJ AObject) {
  if (HGDIOBJ__* o = AnyObj(AObject)) o->Permanent = true;
}

HGDIOBJ GetStockObject(int AIndex) {
  if (AIndex == 9 || AIndex == 20) return nullptr;
  return Stock(AIndex);
}

int GetObjectType(HGDIOBJ AObject) {
  if (HGDIOBJ__* o = AnyObj(AObject)) {
    if (o->Kind == okPen && static_cast<TPen*>(o)->Extended) return OBJ_EXTPEN;
    return o->Kind;
  }
  std::lock_guard lock(Lock());
  if (HDC__* d = DCOf(reinterpret_cast<HDC>(AObject))) return d->Kind == dkMemory ? OBJ_MEMDC : OBJ_DC;
  return 0;
}

HPEN CreatePen(int AStyle, int AWidth, COLORREF AColor) {
  auto* p = new TPen();
  UINT style = static_cast<UINT>(AStyle) & PS_STYLE_MASK;
  if (style > PS_INSIDEFRAME) style = PS_SOLID;
  p->Style = style;
  p->Width = std::abs(AWidth);
  p->Color = AColor & 0xFFFFFF;
  Register(p);
  return p;
}

HPEN CreatePenIndirect(const LOGPEN* APen) {
  return APen ? CreatePen(static_cast<int>(APen->lopnStyle), APen->lopnWidth.x, APen->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD AStyle, DWORD AWidth, const LOGBRUSH* ABrush, DWORD AStyleCount, const DWORD* AStyles) {
  (void)AStyles;
  if (!ABrush) return nullptr;
  bool cosmetic = (AStyle & PS_TYPE_MASK) == PS_COSMETIC;
  UINT base = AStyle & PS_STYLE_MASK;
  if (cosmetic && AWidth != 1) return nullptr;
  if (!cosmetic && base == PS_ALTERNATE) return nullptr;
  if (base == PS_USERSTYLE || AStyleCount != 0) return nullptr;   // user styles are not supported
  auto* p = new TPen();
  p->Style = AStyle;
  p->Width = static_cast<int>(std::min<DWORD>(AWidth, 1u << 16));
  p->Color = ABrush->lbStyle == BS_NULL ? 0 : ABrush->lbColor & 0xFFFFFF;
  if (ABrush->lbStyle == BS_NULL) p->Style = (AStyle & ~PS_STYLE_MASK) | PS_NULL;
  p->Extended = true;
  Register(p);
  return p;
}

HBRUSH CreateSolidBrush(COLORREF AColor) {
  auto* b = new TBrush();
  b->Color = AColor & 0xFFFFFF;
  Register(b);
  return b;
}

HBRUSH CreateHatchBrush(int AHatch, COLORREF AColor) {
  if (AHatch < HS_HORIZONTAL || AHatch > HS_DIAGCROSS) return nullptr;
  auto* b = new TBrush();
  b->Style = BS_HATCHED;
  b->Hatch = AHatch;
  b->Color = AColor & 0xFFFFFF;
  Register(b);
  return b;
}

HBRUSH CreatePatternBrush(HBITMAP ABitmap) {
  std::lock_guard lock(Lock());
  TBitmapObj* bmp = BitmapOf(ABitmap);
  if (!bmp || !bmp->Surface || bmp->Surface->Empty()) return nullptr;
  if (bmp->Dib && !bmp->DibDirect) bmp->PullDib();
  auto* b = new TBrush();
  b->Style = BS_PATTERN;
  const TSurface& s = *bmp->Surface;
  b->PatternWidth = s.Width();
  b->PatternHeight = s.Height();
  b->Monochrome = bmp->BitsPixel == 1;
  b->Pattern.resize(static_cast<std::size_t>(s.Width()) * s.Height());
  for (int y = 0; y < s.Height(); ++y)
    std::memcpy(b->Pattern.data() + static_cast<std::size_t>(y) * s.Width(), s.Row(y), static_cast<std::size_t>(s.Width()) * 4);
  Register(b);
  return b;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* ABrush) {
  if (!ABrush) return nullptr;
  switch (ABrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(ABrush->lbColor);
    case BS_NULL: return GetStockObject(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(ABrush->lbHatch), ABrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(ABrush->lbHatch));
    default: return nullptr;
  }
}

HFONT CreateFontIndirect(const LOGFONTW* AFont) {
  if (!AFont) return nullptr;
  auto* f = new TFontObj();
  f->Log = *AFont;
  f->Log.lfFaceName[LF_FACESIZE - 1] = 0;
  Register(f);
  return f;
}

HFONT CreateFontIndirectA(const LOGFONTA* AFont) {
  if (!AFont) return nullptr;
  LOGFONTW w;
  std::memcpy(static_cast<void*>(&w), AFont, offsetof(LOGFONTA, lfFaceName));
  for (int i = 0; i < LF_FACESIZE - 1 && AFont->lfFaceName[i]; ++i)
    w.lfFaceName[i] = static_cast<unsigned char>(AFont->lfFaceName[i]);
  return CreateFontIndirect(&w);
}

HFONT CreateFont(int AHeight, int AWidth, int AEscapement, int AOrientation, int AWeight, DWORD AItalic,
                 DWORD AUnderline, DWORD AStrikeOut, DWORD ACharSet, DWORD AOutPrecision, DWORD AClipPrecision,
                 DWORD AQuality, DWORD APitchAndFamily, LPCWSTR AFaceName) {
  LOGFONTW lf;
  lf.lfHeight = AHeight;
  lf.lfWidth = AWidth;
  lf.lfEscapement = AEscapement;
  lf.lfOrientation = AOrientation;
  lf.lfWeight = AWeight;
  lf.lfItalic = static_cast<BYTE>(AItalic != 0);
  lf.lfUnderline = static_cast<BYTE>(AUnderline != 0);
  lf.lfStrikeOut = static_cast<BYTE>(AStrikeOut != 0);
  lf.lfCharSet = static_cast<BYTE>(ACharSet);
  lf.lfOutPrecision = static_cast<BYTE>(AOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(AClipPrecision);
  lf.lfQuality = static_cast<BYTE>(AQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(APitchAndFamily);
  for (int i = 0; AFaceName && AFaceName[i] && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = AFaceName[i];
  return CreateFontIndirect(&lf);
}

BOOL DeleteObject(HGDIOBJ AObject) {
  std::lock_guard lock(Lock());
  HGDIOBJ__* o = AnyObj(AObject);
  if (!o) return FALSE;
  if (o->Permanent) return TRUE;
  if (o->References > 0) {
    // a bitmap selected into a DC cannot be deleted; pens, brushes and fonts go when deselected
    if (o->Kind == okBitmap) return FALSE;
    o->DeletePending = true;
    return TRUE;
  }
  Destroy(o);
  return TRUE;
}

int GetObject(HGDIOBJ AObject, int ASize, void* ABuffer) {
  std::lock_guard lock(Lock());
  HGDIOBJ__* o = AnyObj(AObject);
  if (!o || ASize < 0) return 0;
  auto put = [&](const void* AData, int ALength) {
    if (!ABuffer) return ALength;
    if (ASize < ALength) return 0;
    std::memcpy(ABuffer, AData, static_cast<std::size_t>(ALength));
    return ALength;
  };
  switch (o->Kind) {
    case okPen: {
      auto* p = static_cast<TPen*>(o);
      if (p->Extended) {
        EXTLOGPEN e;
        e.elpPenStyle = p->Style;
        e.elpWidth = static_cast<DWORD>(p->Width);
        e.elpBrushStyle = p->BaseStyle() == PS_NULL ? BS_NULL : BS_SOLID;
        e.elpColor = p->Color;
        return put(&e, sizeof(e));
      }
      LOGPEN lp;
      lp.lopnStyle = p->Style;
      lp.lopnWidth.x = p->Width;
      lp.lopnColor = p->Color;
      return put(&lp, sizeof(lp));
    }
    case okBrush: {
      auto* b = static_cast<TBrush*>(o);
      LOGBRUSH lb;
      lb.lbStyle = b->Style;
      lb.lbColor = b->Color;
      lb.lbHatch = static_cast<std::uintptr_t>(b->Hatch);
      return put(&lb, sizeof(lb));
    }
    case okFont: {
      auto* f = static_cast<TFontObj*>(o);
      if (!ABuffer || ASize >= static_cast<int>(sizeof(LOGFONTW))) return put(&f->Log, sizeof(LOGFONTW));
      if (ASize >= static_cast<int>(sizeof(LOGFONTA))) {
        LOGFONTA a;
        std::memcpy(static_cast<void*>(&a), &f->Log, offsetof(LOGFONTA, lfFaceName));
        for (int i = 0; i < LF_FACESIZE - 1 && f->Log.lfFaceName[i]; ++i)
          a.lfFaceName[i] = f->Log.lfFaceName[i] < 256 ? static_cast<char>(f->Log.lfFaceName[i]) : '?';
        return put(&a, sizeof(a));
      }
      return 0;
    }
    case okBitmap: {
      auto* b = static_cast<TBitmapObj*>(o);
      BITMAP bm;
      bm.bmType = 0;
      bm.bmWidth = b->Surface ? b->Surface->Width() : 0;
      bm.bmHeight = b->Surface ? b->Surface->Height() : 0;
      bm.bmPlanes = 1;
      bm.bmBitsPixel = static_cast<WORD>(b->Dib ? b->DibBits : b->BitsPixel);
      bm.bmWidthBytes = b->Dib ? b->DibStride : ((bm.bmWidth * bm.bmBitsPixel + 15) / 16) * 2;
      bm.bmBits = b->Dib ? b->DibData : nullptr;
      if (b->Dib && ABuffer && ASize >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds;
        ds.dsBm = bm;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = bm.bmWidth;
        ds.dsBmih.biHeight = b->DibHeight;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = static_cast<WORD>(b->DibBits);
        ds.dsBmih.biSizeImage = static_cast<DWORD>(b->DibStride) * static_cast<DWORD>(bm.bmHeight);
        return put(&ds, sizeof(ds));
      }
      return put(&bm, sizeof(bm));
    }
    case okRegion:
    case okPalette: return 0;
  }
  return 0;
}

HGDIOBJ SelectObject(HDC ADC, HGDIOBJ AObject) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  HGDIOBJ__* o = AnyObj(AObject);
  if (!d || !o || o->DeletePending) return nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->Kind) {
    case okPen: slot = &d->S.Pen; break;
    case okBrush: slot = &d->S.Brush; break;
    case okFont: slot = &d->S.Font; break;
    case okRegion: {
      int r = SelectClipRgn(ADC, o);
      return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(r));
    }
    case okBitmap: {
      auto* b = static_cast<TBitmapObj*>(o);
      if (d->Kind != dkMemory) return nullptr;
      if (b->SelectedIn && b->SelectedIn != ADC && !b->Permanent) return nullptr;
      slot = &d->S.Bitmap;
      if (*slot != AObject) {
        b->SelectedIn = ADC;
      }
      break;
    }
    case okPalette: return Stock(DEFAULT_PALETTE);
  }
  HGDIOBJ old = *slot;
  if (old == AObject) return old;
  AddRef(AObject);
  *slot = AObject;
  Release(old);
  if (o->Kind == okBitmap && d->Cairo) {
    // the DC now draws into another surface
    d->CairoSurface = nullptr;
  }
  return old;
}

HGDIOBJ GetCurrentObject(HDC ADC, UINT AType) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return nullptr;
  switch (AType) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return d->S.Pen;
    case OBJ_BRUSH: return d->S.Brush;
    case OBJ_FONT: return d->S.Font;
    case OBJ_BITMAP: return d->S.Bitmap;
    case OBJ_PAL: return Stock(DEFAULT_PALETTE);
    default: return nullptr;
  }
}

namespace {

// Sets one of the DC's colours; returns the one it had.
COLORREF SwapDCColor(HDC ADC, COLORREF TDCState::*AField, COLORREF AColor) {
  std::lock_guard lock(Lock());
  HDC__* d = DCOf(ADC);
  if (!d) return CLR_INVALID;
  COLORREF old = d->S.*AField;
  d->S.*AField = AColor & 0xFFFFFF;
  return old;
}

}  // namespace

COLORREF SetDCBrushColor(HDC ADC, COLORREF AColor) { return SwapDCColor(ADC, &TDCState::DCBrushColor, AColor); }

COLORREF SetDCPenColor(HDC ADC, COLORREF AColor) { return SwapDCColor(ADC, &TDCState::DCPenColor, AColor); }
