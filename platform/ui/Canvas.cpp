// TCanvas: pen, brush and font selected into a DC on demand, and the drawing operations over it.
#include "platform/ui/Graphics.h"
#include "platform/win/WinGdi.h"

namespace {

const TCanvasState PenBrush{csHandleValid, csPenValid, csBrushValid};
const TCanvasState FontBrush{csHandleValid, csFontValid, csBrushValid};
const TCanvasState AllValid{csHandleValid, csFontValid, csPenValid, csBrushValid};

}  // namespace

UINT TextFormatToDrawTextFlags(TTextFormat Format) {
  static constexpr UINT flags[] = {
      DT_BOTTOM,       DT_CALCRECT,   DT_CENTER,     DT_EDITCONTROL,       DT_END_ELLIPSIS,
      DT_PATH_ELLIPSIS, DT_EXPANDTABS, DT_EXTERNALLEADING, DT_LEFT,        DT_MODIFYSTRING,
      DT_NOCLIP,       DT_NOPREFIX,   DT_RIGHT,      DT_RTLREADING,        DT_SINGLELINE,
      DT_TOP,          DT_VCENTER,    DT_WORDBREAK,  DT_HIDEPREFIX,        DT_NOFULLWIDTHCHARBREAK,
      DT_PREFIXONLY,   DT_TABSTOP,    DT_WORD_ELLIPSIS, 0 /* tfComposited: no DrawText flag */};
  static_assert(sizeof flags / sizeof flags[0] == tfComposited + 1);
  UINT result = 0;
  for (TTextFormats f : Format) result |= flags[f];
  return result;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  FPen->OnChange = [this](TObject* Sender) { PenChanged(Sender); };
  FBrush->OnChange = [this](TObject* Sender) { BrushChanged(Sender); };
}

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  FFont->OnChange = nullptr;
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

HDC TCanvas::GetHandle() {
  Changing();
  RequiredState(AllValid);
  return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
  if (FHandle == Value) return;
  if (FHandle) {
    DeselectHandles();
    GetCurrentPositionEx(FHandle, &FPenPos);
    FHandle = nullptr;
    FState.Exclude(csHandleValid);
  }
  if (Value) {
    FState.Include(csHandleValid);
    FHandle = Value;
    MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
  }
}

void TCanvas::RequiredState(TCanvasState ReqState) {
  Accessing();
  const TCanvasState needed = ReqState - FState;
  if (needed.Empty()) return;
  if (needed.Contains(csHandleValid)) {
    CreateHandle();
    if (!FHandle) throw EInvalidOperation(u"Canvas does not allow drawing");
  }
  if (needed.Contains(csFontValid)) SelectFont();
  if (needed.Contains(csPenValid)) SelectPen();
  if (needed.Contains(csBrushValid)) SelectBrush();
  FState += needed;
}

void TCanvas::SelectFont() {
  SelectObject(FHandle, FFont->GetHandle());
  SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
}

void TCanvas::SelectPen() {
  SelectObject(FHandle, FPen->GetHandle());
  SetROP2(FHandle, PenModeToRop2(FPen->GetMode()));
}

void TCanvas::SelectBrush() {
  SelectObject(FHandle, FBrush->GetHandle());
  const COLORREF color = ColorToRGB(FBrush->GetColor());
  if (FBrush->GetStyle() == bsSolid) {
    SetBkColor(FHandle, color);
    SetBkMode(FHandle, OPAQUE);
  } else {
    // Hatches and clear brushes leave the background alone.
    SetBkColor(FHandle, ~color & 0xFFFFFF);
    SetBkMode(FHandle, TRANSPARENT);
  }
}

void TCanvas::DeselectHandles() {
  if (!FHandle) return;
  const TCanvasState objects{csPenValid, csBrushValid, csFontValid};
  if ((FState * objects).Empty()) return;
  SelectObject(FHandle, GetStockObject(BLACK_PEN));
  SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
  SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
  FState -= objects;
}

void TCanvas::FontChanged(TObject*) {
  if (!FState.Contains(csFontValid)) return;
  FState.Exclude(csFontValid);
  SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
}

void TCanvas::PenChanged(TObject*) {
  if (!FState.Contains(csPenValid)) return;
  FState.Exclude(csPenValid);
  SelectObject(FHandle, GetStockObject(BLACK_PEN));
}

void TCanvas::BrushChanged(TObject*) {
  if (!FState.Contains(csBrushValid)) return;
  FState.Exclude(csBrushValid);
  SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
}

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

template <class F> void TCanvas::Paint(TCanvasState Req, F&& Op) {
  Changing();
  RequiredState(Req);
  Op();
  Changed();
}

// ---- Properties ----

TPoint TCanvas::GetPenPos() {
  RequiredState({csHandleValid});
  TPoint p;
  GetCurrentPositionEx(FHandle, &p);
  return p;
}

void TCanvas::SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }

TRect TCanvas::GetClipRect() {
  RequiredState({csHandleValid});
  TRect r;
  GetClipBox(FHandle, &r);
  return r;
}

TColor TCanvas::GetPixels(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
  Paint({csHandleValid, csPenValid}, [&] { SetPixel(FHandle, X, Y, ColorToRGB(Value)); });
}

TCanvasOrientation TCanvas::GetCanvasOrientation() {
  if (!(FTextFlags & ETO_RTLREADING)) return coLeftToRight;
  RequiredState({csHandleValid});
  POINT org;
  GetWindowOrgEx(FHandle, &org);
  return org.x != 0 ? coRightToLeft : coLeftToRight;
}

// ---- Lines and shapes ----

void TCanvas::MoveTo(Integer X, Integer Y) {
  RequiredState({csHandleValid});
  MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(Integer X, Integer Y) {
  Paint(PenBrush, [&] { ::LineTo(FHandle, X, Y); });
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Paint(PenBrush, [&] { ::Rectangle(FHandle, X1, Y1, X2, Y2); });
}

void TCanvas::FillRect(const TRect& Rect) {
  Paint({csHandleValid, csBrushValid}, [&] { ::FillRect(FHandle, &Rect, FBrush->GetHandle()); });
}

void TCanvas::FrameRect(const TRect& Rect) {
  Paint({csHandleValid, csBrushValid}, [&] { ::FrameRect(FHandle, &Rect, FBrush->GetHandle()); });
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
  Paint(PenBrush, [&] { ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3); });
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
  Paint(PenBrush, [&] { ::Ellipse(FHandle, X1, Y1, X2, Y2); });
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Paint(PenBrush, [&] { ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size())); });
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Paint(PenBrush, [&] { ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size())); });
}

void TCanvas::PolyBezier(const std::vector<TPoint>& Points) {
  Paint(PenBrush, [&] { ::PolyBezier(FHandle, Points.data(), static_cast<DWORD>(Points.size())); });
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Paint(PenBrush, [&] { ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Paint(PenBrush, [&] { ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4) {
  Paint(PenBrush, [&] { ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle) {
  Paint({csHandleValid, csBrushValid}, [&] {
    ExtFloodFill(FHandle, X, Y, ColorToRGB(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  });
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
  Paint({csHandleValid, csBrushValid}, [&] { ::DrawFocusRect(FHandle, &Rect); });
}

// ---- Text ----

void TCanvas::TextOut(Integer X, Integer Y, const String& Text) {
  Paint(FontBrush, [&] {
    const Integer width = TextWidth(Text);
    if (GetCanvasOrientation() == coRightToLeft) X += width + 1;
    ExtTextOut(FHandle, X, Y, static_cast<UINT>(FTextFlags), nullptr, Text.data(), static_cast<UINT>(Text.size()),
               nullptr);
    MoveToEx(FHandle, X + width, Y, nullptr);
  });
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const String& Text) {
  Paint(FontBrush, [&] {
    UINT options = ETO_CLIPPED | static_cast<UINT>(FTextFlags);
    if (FBrush->GetStyle() != bsClear) options |= ETO_OPAQUE;
    if ((FTextFlags & ETO_RTLREADING) && GetCanvasOrientation() == coRightToLeft) X += TextWidth(Text) + 1;
    ExtTextOut(FHandle, X, Y, options, &Rect, Text.data(), static_cast<UINT>(Text.size()), nullptr);
  });
}

void TCanvas::TextRect(TRect& Rect, String& Text, TTextFormat TextFormat) {
  Paint(FontBrush, [&] {
    const UINT flags = TextFormatToDrawTextFlags(TextFormat);
    if (!TextFormat.Contains(tfModifyString)) {
      DrawText(FHandle, Text.data(), static_cast<int>(Text.size()), &Rect, flags);
      return;
    }
    // The shortened text may take up to four more characters than the original.
    String buffer = Text;
    buffer.resize(Text.size() + 5, 0);
    DrawTextEx(FHandle, buffer.data(), static_cast<int>(Text.size()), &Rect, flags, nullptr);
    Text.assign(buffer.c_str());
  });
}

void TCanvas::TextRect(TRect& Rect, const String& Text, TTextFormat TextFormat) {
  String copy = Text;
  TextRect(Rect, copy, TextFormat);
}

TSize TCanvas::TextExtent(const String& Text) {
  RequiredState({csHandleValid, csFontValid});
  TSize size;
  GetTextExtentPoint32(FHandle, Text.data(), static_cast<int>(Text.size()), &size);
  return size;
}

// ---- Pictures and blits ----

void TCanvas::DrawGraphic(const TRect& Rect, TGraphic* Graphic, int Opacity) {
  if (!Graphic || Graphic->GetEmpty()) return;
  Paint({csHandleValid}, [&] {
    SetBkColor(FHandle, ColorToRGB(FBrush->GetColor()));
    SetTextColor(FHandle, ColorToRGB(FFont->GetColor()));
    if (Opacity >= 255) Graphic->Draw(this, Rect);
    else Graphic->DrawTransparent(this, Rect, static_cast<Byte>(Opacity));
  });
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
  if (!Graphic) return;
  DrawGraphic(TRect{X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()}, Graphic, 255);
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic, Byte Opacity) {
  if (!Graphic) return;
  DrawGraphic(TRect{X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()}, Graphic, Opacity);
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) { DrawGraphic(Rect, Graphic, 255); }

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
  if (!Canvas) return;
  HDC src = Canvas->GetHandle();
  Paint(FontBrush, [&] {
    StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top, src, Source.left,
               Source.top, Source.right - Source.left, Source.bottom - Source.top, static_cast<DWORD>(FCopyMode));
  });
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
  if (!Bitmap || Bitmap->GetEmpty()) return;
  const Integer w = Source.right - Source.left, h = Source.bottom - Source.top;
  if (w <= 0 || h <= 0) return;
  // The brush first, then the bitmap over it without the pixels of Color.
  TBitmap scratch(w, h);
  TCanvas* sc = scratch.GetCanvas();
  sc->SetBrush(FBrush.get());
  sc->FillRect(TRect{0, 0, w, h});
  TransparentBlt(sc->GetHandle(), 0, 0, w, h, Bitmap->GetCanvas()->GetHandle(), Source.left, Source.top, w, h,
                 ColorToRGB(Color));
  CopyRect(Dest, sc, TRect{0, 0, w, h});
}

// ---- Locking ----

void TCanvas::Lock() {
  FLock.lock();
  ++FLockCount;
}

void TCanvas::Unlock() {
  --FLockCount;
  FLock.unlock();
}

bool TCanvas::TryLock() {
  if (!FLock.try_lock()) return false;
  ++FLockCount;
  return true;
}
