// The clock face painter: GDI+ (libgdiplus through the NeoGDIP wrappers) over the control's canvas
// and the face cache. Marks are placed by angles from 3 o'clock, pointers and numbers by angles
// from 12 o'clock, both clockwise.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "lib/dropdown/NeoCanvasPresent.h"
#include "lib/dropdown/NeoWatch.h"
#include "lib/dropdown/NeoWatchPaint.h"
#include "lib/graphics/NeoGDIP.h"
#include "lib/render/NeoSVGBitmap.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/PngImage.h"
#include "platform/win/Headless.h"
#include "platform/win/WinIcon.h"
#include "platform/win/WinSystem.h"

using namespace NeoGDIP;

namespace {

constexpr double Deg = M_PI / 180.0;
constexpr Integer CornerRadius = 8;
constexpr Byte ShadowAlpha = 80;

// A colour from its stored bytes with the given alpha (a system colour is not resolved).
ARGB StoredBytesARGB(Byte Alpha, TColor Color) {
  const auto c = static_cast<Cardinal>(Color);
  return PackARGB(Alpha, static_cast<Byte>(c), static_cast<Byte>(c >> 8), static_cast<Byte>(c >> 16));
}

// A point at Distance from the centre at Angle (degrees) clockwise from 12 o'clock.
TGPPointF Polar12(TPoint C, double Angle, double Distance) {
  return TGPPointF{static_cast<Single>(C.x + std::sin(Angle * Deg) * Distance),
                   static_cast<Single>(C.y - std::cos(Angle * Deg) * Distance)};
}

// A point at Distance from the centre at Angle (degrees) clockwise from 3 o'clock.
TGPPointF Polar3(TPoint C, double Angle, double Distance) {
  return TGPPointF{static_cast<Single>(C.x + std::cos(Angle * Deg) * Distance),
                   static_cast<Single>(C.y + std::sin(Angle * Deg) * Distance)};
}

void Line(TGPGraphics* G, TGPPen* Pen, TGPPointF A, TGPPointF B) { G->DrawLine(Pen, A.X, A.Y, B.X, B.Y); }

TGPRectF RectF(const TRect& R) {
  return GPRectFOf(static_cast<Single>(R.left), static_cast<Single>(R.top), static_cast<Single>(R.right - R.left),
                   static_cast<Single>(R.bottom - R.top));
}

// A GDI+ graphics object over a canvas, anti-aliased.
std::unique_ptr<TGPGraphics> GraphicsOver(TCanvas* Canvas) {
  auto g = std::make_unique<TGPGraphics>(Canvas->GetHandle());
  g->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
  return g;
}

// The headless window system runs on a virtual clock: a pause there moves the clock instead of
// waiting.
void PauseGuiThread(Cardinal Milliseconds) {
  if (std::strcmp(WindowSystemBackendName(), "headless") == 0) Headless::AdvanceClock(Milliseconds);
  else Sleep(Milliseconds);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Unit routines

void CreateRectPath(TGPGraphicsPath* Path, const TGPRectF& R) {
  Path->AddRectangle(R);
  Path->CloseFigure();
}

void CreateRoundRectPath(TGPGraphicsPath* Path, const TGPRectF& R, Single Radius) {
  const Single d = 2 * Radius;
  Path->AddArc(R.X, R.Y, d, d, 180, 90);
  Path->AddArc(R.X + R.Width - d, R.Y, d, d, 270, 90);
  Path->AddArc(R.X + R.Width - d, R.Y + R.Height - d, d, d, 0, 90);
  Path->AddArc(R.X, R.Y + R.Height - d, d, d, 90, 90);
  Path->CloseFigure();
}

void DrawRoundRectPath(TGPGraphics* Graphics, TGPPen* Pen, const TGPRectF& R, Single Radius) {
  TGPGraphicsPath path;
  CreateRoundRectPath(&path, R, Radius);
  Graphics->DrawPath(Pen, &path);
}

void FillRoundRectPath(TGPGraphics* Graphics, TGPBrush* Brush, const TGPRectF& R, Single Radius) {
  TGPGraphicsPath path;
  CreateRoundRectPath(&path, R, Radius);
  Graphics->FillPath(Brush, &path);
}

void DrawWatchText(TCanvas* Canvas, TGPGraphics* Graphics, Integer Alignment, const TRect& R, const String& Text,
                   TFont* Font, bool UseFontColor, bool Draw, Integer Rendering, TRect& Bounds) {
  if ((!Graphics && !Canvas) || Text.empty()) return;
  std::unique_ptr<TGPGraphics> own;
  if (!Graphics) {
    own = GraphicsOver(Canvas);
    Graphics = own.get();
  }
  Integer style = 0;
  if (Font->GetStyle().Contains(fsBold)) style |= gdip::FontStyleBold;
  if (Font->GetStyle().Contains(fsItalic)) style |= gdip::FontStyleItalic;
  if (Font->GetStyle().Contains(fsUnderline)) style |= gdip::FontStyleUnderline;
  auto family = std::make_unique<TGPFontFamily>(Font->GetName());
  auto font = std::make_unique<TGPFont>(family.get(), static_cast<Single>(Font->GetSize()), style, UnitPoint);
  const auto notFound = [](Status S) { return S == FontFamilyNotFound || S == FontStyleNotFound; };
  if (notFound(family->lastResult) || notFound(font->lastResult)) {
    family = std::make_unique<TGPFontFamily>(u"Arial");
    font = std::make_unique<TGPFont>(family.get(), static_cast<Single>(Font->GetSize()), style, UnitPoint);
  }
  TGPSolidBrush brush(UseFontColor ? ColorToOpaqueARGB(Font->GetColor()) : ColorToOpaqueARGB(0x808080));
  TGPStringFormat format;
  format.SetAlignment(Alignment == 1 ? StringAlignmentFar : Alignment == 2 ? StringAlignmentCenter : StringAlignmentNear);
  format.SetLineAlignment(StringAlignmentNear);
  format.SetHotkeyPrefix(HotkeyPrefixShow);
  format.SetTrimming(StringTrimmingNone);
  if (Rendering == 1) Graphics->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
  else if (Rendering == 2) Graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
  const TGPRectF layout = RectF(R);
  TGPRectF box{};
  Integer fitted = 0, lines = 0;
  Graphics->MeasureString(Text, static_cast<Integer>(Text.size()), font.get(), layout, &format, box, fitted, lines);
  Bounds = TRect{static_cast<Integer>(Round(box.X)), static_cast<Integer>(Round(box.Y)),
                 static_cast<Integer>(Round(box.X + box.Width)), static_cast<Integer>(Round(box.Y + box.Height))};
  if (Draw) Graphics->DrawString(Text, static_cast<Integer>(Text.size()), font.get(), layout, &format, &brush);
}

void DrawWatchPicture(TGPGraphics* Graphics, TCanvas* Canvas, const TRect& R, TPicture* Picture, bool ColorKey,
                      bool Stretch) {
  if (!Graphics && !Canvas) return;
  TGraphic* graphic = Picture ? Picture->GetGraphic() : nullptr;
  if (!graphic || graphic->GetEmpty()) return;
  std::unique_ptr<TGPGraphics> own;
  if (!Graphics) {
    own = GraphicsOver(Canvas);
    Graphics = own.get();
  }
  if (auto* svg = dynamic_cast<TNeoSVGBitmap*>(graphic); svg && svg->HasSVG()) {
    HDC dc = Graphics->GetHDC();
    TCanvas target;
    target.SetHandle(dc);
    svg->Draw(&target, R);
    target.SetHandle(nullptr);
    Graphics->ReleaseHDC(dc);
    return;
  }
  // Decoded by the class library into 32-bit pixels that a GDI+ bitmap is made over.
  TBitmap pixels;
  pixels.SetPixelFormat(pf32bit);
  pixels.SetSize(graphic->GetWidth(), graphic->GetHeight());
  pixels.GetCanvas()->Draw(0, 0, graphic);
  int w = 0, h = 0;
  std::vector<std::uint32_t> argb;
  if (!ReadBitmapPixels(pixels.GetHandle(), w, h, argb) || w <= 0 || h <= 0) return;
  gdip::GpBitmap* native = nullptr;
  if (Imports.GdipCreateBitmapFromScan0(w, h, w * 4, gdip::PixelFormat32bppPARGB,
                                        reinterpret_cast<Byte*>(argb.data()), &native) != Ok ||
      !native)
    return;
  TGPBitmap image(native);
  const bool png = dynamic_cast<TPngImage*>(graphic) != nullptr;
  if (ColorKey && !png) {
    ARGB key = 0;
    image.GetPixel(0, 0, key);
    TGPImageAttributes attributes;
    attributes.SetColorKey(key, key);
    const TGPRectF dest = Stretch ? RectF(R)
                                  : GPRectFOf(static_cast<Single>(R.left), static_cast<Single>(R.top),
                                              static_cast<Single>(w), static_cast<Single>(h));
    Graphics->DrawImage(&image, dest, 0, 0, static_cast<Single>(w), static_cast<Single>(h), UnitPixel, &attributes);
    return;
  }
  Graphics->DrawImage(&image, R.left, R.top);
}

// ---------------------------------------------------------------------------------------------
// The clock's painting

void TNeoWatch::Paint() {
  TCustomControl::Paint();
  DrawWatch();
}

void TNeoWatch::DrawWatch() {
  if (!HandleAllocated() || !GetShowing()) return;
  const TRect client = GetClientRect();
  TCanvas* canvas = GetCanvas();
  FBKGCache->SetPixelFormat(pf32bit);
  FBKGCache->SetSize(client.right, client.bottom);
  TCanvas* cache = FBKGCache->GetCanvas();
  // What the control shows now (its parent's background as painted) is the base of the face.
  cache->CopyRect(client, canvas, client);
  {
    auto g = GraphicsOver(cache);
    DrawBackground(g.get(), client);
    DrawTickMarks(g.get());
    DrawNumbers(g.get(), cache);
    DrawAMPM(g.get(), cache);
  }
  FCacheValid = true;
  canvas->Draw(0, 0, FBKGCache.get());
  auto g = GraphicsOver(canvas);
  DrawPointers(g.get(), canvas);
}

void TNeoWatch::DrawPointersOnly() {
  if (!HandleAllocated() || !GetShowing()) return;
  const TRect client = GetClientRect();
  if (!FCacheValid || FBKGCache->GetWidth() != client.right || FBKGCache->GetHeight() != client.bottom) {
    Invalidate();
    return;
  }
  TBitmap frame;
  frame.SetPixelFormat(pf32bit);
  frame.SetSize(client.right, client.bottom);
  frame.GetCanvas()->Draw(0, 0, FBKGCache.get());
  {
    auto g = GraphicsOver(frame.GetCanvas());
    DrawPointers(g.get(), frame.GetCanvas());
  }
  GetCanvas()->Draw(0, 0, &frame);
  ReleaseControlCanvasDC(GetCanvas(), this);
}

void TNeoWatch::DrawBackground(TGPGraphics* Graphics, const TRect& ClientRect) {
  if (!Graphics) return;
  TWatchAppearance* a = FAppearance.get();
  const TPoint c = GetCenter();
  const double r = GetRadius();
  const TWatchShape shape = a->GetShape();
  const TGPRectF client = RectF(ClientRect);
  const TGPRectF circle = GPRectFOf(static_cast<Single>(c.x - r), static_cast<Single>(c.y - r),
                                    static_cast<Single>(2 * r), static_cast<Single>(2 * r));
  const TColor to = a->GetBackgroundColorTo() != clNone ? a->GetBackgroundColorTo() : a->GetBackgroundColor();
  TGraphic* picture = a->GetPicture()->GetGraphic();
  if (picture && !picture->GetEmpty()) {
    DrawWatchPicture(Graphics, nullptr, ClientRect, a->GetPicture(), true, true);
  } else if (a->GetBackgroundGradient() == wgRadial) {
    TGPGraphicsPath path;
    if (shape == wsCircle) path.AddEllipse(circle);
    else if (shape == wsRect) CreateRectPath(&path, client);
    else CreateRoundRectPath(&path, client, CornerRadius);
    TGPPathGradientBrush brush(&path);
    brush.SetCenterColor(ColorToOpaqueARGB(a->GetBackgroundColor()));
    brush.SetCenterPoint(TGPPoint{c.x, c.y});
    const ARGB surround = StoredBytesARGB(255, to);
    Integer count = 1;
    brush.SetSurroundColors(&surround, count);
    if (shape == wsCircle) Graphics->FillEllipse(&brush, circle);
    else Graphics->FillPath(&brush, &path);
  } else {
    const LinearGradientMode mode = a->GetBackgroundGradient() == wgVertical           ? LinearGradientModeVertical
                                    : a->GetBackgroundGradient() == wgDiagonalForward ? LinearGradientModeForwardDiagonal
                                                                                       : LinearGradientModeBackwardDiagonal;
    TGPLinearGradientBrush brush(client, ColorToOpaqueARGB(a->GetBackgroundColor()), ColorToOpaqueARGB(to), mode);
    if (shape == wsCircle) Graphics->FillEllipse(&brush, circle);
    else if (shape == wsRect) Graphics->FillRectangle(&brush, client);
    else FillRoundRectPath(Graphics, &brush, client, CornerRadius);
  }
  const Integer b = a->GetBorderWidth();
  if (a->GetBorderStyle() == wbNone || b <= 0 || a->GetBorderColor() == clNone) return;
  TGPPen pen(ColorToOpaqueARGB(a->GetBorderColor()), static_cast<Single>(b));
  const double ro = r - b / 2;
  const TGPRectF frame = GPRectFOf(client.X, client.Y, client.Width - 1, client.Height - 1);
  if (shape == wsCircle)
    Graphics->DrawEllipse(&pen, static_cast<Single>(c.x - ro), static_cast<Single>(c.y - ro),
                          static_cast<Single>(2 * ro), static_cast<Single>(2 * ro));
  else if (shape == wsRect) Graphics->DrawRectangle(&pen, frame);
  else DrawRoundRectPath(Graphics, &pen, frame, CornerRadius);
}

void TNeoWatch::DrawMarks(TGPGraphics* Graphics, TCanvas* Canvas) {
  DrawTickMarks(Graphics);
  DrawNumbers(Graphics, Canvas);
}

void TNeoWatch::DrawTickMarks(TGPGraphics* Graphics) {
  TWatchAppearance* a = FAppearance.get();
  if (!Graphics || a->GetTickMarks() == tmNone) return;
  const TPoint c = GetCenter();
  const double ro = GetRadius() - GetBorderWidth() / 2;
  const double hourInner = a->GetHourMarkLength() > 0 ? ro - a->GetHourMarkLength() : ro * 0.9;
  TGPPen hourPen(ColorToOpaqueARGB(a->GetHourColor()), a->GetHourMarkWidth());
  for (Integer q = 0; q < 4; ++q) {
    const double angle = 90.0 * q;
    const TGPPointF inner = Polar3(c, angle, hourInner), outer = Polar3(c, angle, ro);
    if (a->GetHourMarkStyle() != hmsQuartDblLine) {
      Line(Graphics, &hourPen, inner, outer);
      continue;
    }
    // Two parallel lines 4 pixels apart: shifted in y at 3 and 9 o'clock, in x at 6 and 12.
    const bool horizontal = q % 2 == 0;
    for (Single shift : {-2.0F, 2.0F}) {
      const Single dx = horizontal ? 0 : shift, dy = horizontal ? shift : 0;
      Line(Graphics, &hourPen, TGPPointF{inner.X + dx, inner.Y + dy}, TGPPointF{outer.X + dx, outer.Y + dy});
    }
  }
  if (a->GetTickMarks() == tmAll || a->GetTickMarks() == tmHours)
    for (Integer i = 0; i < 12; ++i)
      if (i % 3 != 0) Line(Graphics, &hourPen, Polar3(c, 30.0 * i, hourInner), Polar3(c, 30.0 * i, ro));
  if (a->GetTickMarks() != tmAll) return;
  const double minuteInner = a->GetMinuteMarkLength() > 0 ? ro - a->GetMinuteMarkLength() : ro * 0.95;
  TGPPen minutePen(ColorToOpaqueARGB(a->GetMinuteColor()), a->GetMinuteMarkWidth());
  for (Integer i = 0; i < 60; ++i)
    if (i % 5 != 0) Line(Graphics, &minutePen, Polar3(c, 6.0 * i, minuteInner), Polar3(c, 6.0 * i, ro));
}

void TNeoWatch::DrawNumbers(TGPGraphics*, TCanvas* Canvas) {
  if (!Canvas || !FShowNumbers) return;
  TWatchAppearance* a = FAppearance.get();
  const TPoint c = GetCenter();
  const double ro = GetRadius() - GetBorderWidth() / 2;
  const Integer l = a->GetHourMarkLength() > 0 ? a->GetHourMarkLength()
                                               : static_cast<Integer>(Round(ro - ro * 0.9)) + 2;
  Canvas->SetFont(a->GetHourFont());
  Canvas->GetBrush()->SetStyle(bsClear);
  const double rn = ro - (l + 2) - l;
  for (Integer i = 1; i <= 12; ++i) {
    if (a->GetTickMarks() == tmQuartHours && i % 3 != 0) continue;
    const String text = IntToStr(i);
    const TSize extent = Canvas->TextExtent(text);
    const Integer adj = i == 10 ? static_cast<Integer>(Round(extent.cy * 0.2))
                        : i == 11 ? static_cast<Integer>(Round(extent.cy * 0.15))
                                  : 0;
    const double rho = rn - adj + l / 2;
    const Integer x = c.x + 1 + static_cast<Integer>(Round(std::sin(30.0 * i * Deg) * rho));
    const Integer y = c.y + 1 - static_cast<Integer>(Round(std::cos(30.0 * i * Deg) * rho));
    const TRect box{x - l / 2, y - l / 2, x + l / 2, y + l / 2};
    const Integer bw = box.right - box.left, bh = box.bottom - box.top;
    Canvas->TextOut(box.right - bw / 2 - extent.cx / 2 - 1, box.bottom - bh / 2 - extent.cy / 2 - 1, text);
  }
}

// The AM/PM frame over the box in the canvas's brush: a rectangle or one rounded 5 by 5.
static void DrawAMPMFrame(TCanvas* Canvas, TAMPMFrame Frame, const TRect& Box) {
  if (Frame == apRoundRect) Canvas->RoundRect(Box, 5, 5);
  else Canvas->Rectangle(Box);
}

static void SetAMPMPen(TCanvas* Canvas, TColor Border) {
  Canvas->GetPen()->SetStyle(Border == clNone ? psClear : psSolid);
  if (Border != clNone) Canvas->GetPen()->SetColor(Border);
}

void TNeoWatch::DrawAMPM(TGPGraphics* Graphics, TCanvas* Canvas) {
  if (!Canvas || !FShowAMPM) return;
  TWatchAppearance* a = FAppearance.get();
  const TRect box = GetAMPMRect();
  const TColor fill = a->GetAMPMColor(), border = a->GetAMPMBorderColor();
  if (fill != clNone || border != clNone) {
    Canvas->GetBrush()->SetStyle(fill == clNone ? bsClear : bsSolid);
    if (fill != clNone) Canvas->GetBrush()->SetColor(fill);
    SetAMPMPen(Canvas, border);
    DrawAMPMFrame(Canvas, a->GetAMPMFrame(), box);
  }
  Canvas->GetBrush()->SetStyle(bsClear);
  TRect bounds;
  DrawWatchText(Canvas, Graphics, 2, box, FAM ? u"AM" : u"PM", a->GetAMPMFont(), true, true, 2, bounds);
}

void TNeoWatch::AnimateAMPMFlip() {
  if (!HandleAllocated() || !GetShowing() || !FCacheValid) return;
  TWatchAppearance* a = FAppearance.get();
  const TRect box = GetAMPMRect();
  const TRect inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
  const Integer wi = inner.right - inner.left, hi = inner.bottom - inner.top;
  if (wi <= 0 || hi <= 0) return;
  // Both labels one above the other; a window of the inner height slides over them.
  TBitmap strip;
  strip.SetPixelFormat(pf32bit);
  strip.SetSize(wi, 2 * hi);
  TCanvas* s = strip.GetCanvas();
  s->GetBrush()->SetColor(a->GetAMPMColor());
  s->GetPen()->SetColor(a->GetAMPMColor());
  s->Rectangle(0, 0, wi, 2 * hi);
  {
    auto g = GraphicsOver(s);
    TRect bounds;
    DrawWatchText(s, g.get(), 2, TRect{0, 0, wi, hi}, u"AM", a->GetAMPMFont(), true, true, 2, bounds);
    DrawWatchText(s, g.get(), 2, TRect{0, hi, wi, 2 * hi}, u"PM", a->GetAMPMFont(), true, true, 2, bounds);
  }
  const TRect client = GetClientRect();
  Integer offset = FAM ? hi : 0;
  for (Integer step = 0; step < hi; ++step) {
    TBitmap frame;
    frame.SetPixelFormat(pf32bit);
    frame.SetSize(client.right, client.bottom);
    TCanvas* f = frame.GetCanvas();
    f->Draw(0, 0, FBKGCache.get());
    f->CopyRect(inner, s, TRect{0, offset, wi, offset + hi});
    f->GetBrush()->SetStyle(bsClear);
    SetAMPMPen(f, a->GetAMPMBorderColor());
    DrawAMPMFrame(f, a->GetAMPMFrame(), box);
    {
      auto g = GraphicsOver(f);
      DrawPointers(g.get(), f);
    }
    GetCanvas()->Draw(0, 0, &frame);
    ReleaseControlCanvasDC(GetCanvas(), this);
    offset += FAM ? -1 : 1;
    PauseGuiThread(10);
  }
}

void TNeoWatch::DrawPointers(TGPGraphics* Graphics, TCanvas*) {
  if (!Graphics) return;
  TWatchAppearance* a = FAppearance.get();
  Word hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(GetDisplayTime(), hour, minute, second, msec);
  if (FSettings->GetAuto()) {
    // The AM flag follows the clock without the flip; the box shows it at the next paint.
    if (FAM != (hour < 12)) {
      FAM = hour < 12;
      Invalidate();
    }
    FOldSecond = second;
    FOldMinute = minute;
    FOldHour = hour;
  }
  hour %= 12;
  const TPoint c = GetCenter();
  const double r = GetRadius();
  const double th = 30.0 * hour + (minute / 12.0) * 6.0, tm = 6.0 * minute, ts = 6.0 * second;
  const TPointerStyle style = a->GetPointerStyle();
  if (style == psPointer) {
    // A quadrilateral: tail behind the centre, two sides, the tip at k R; its shadow moved (+1, +3).
    auto pointer = [&](double Theta, double K, TColor Color, TColor Shadow) {
      TGPPointF pts[4] = {
          TGPPointF{static_cast<Single>(c.x - std::sin(Theta * Deg) * 0.1 * r),
                    static_cast<Single>(c.y + std::cos(Theta * Deg) * 0.1 * r)},
          TGPPointF{static_cast<Single>(c.x - std::sin((Theta + 90) * Deg) * 0.05 * r),
                    static_cast<Single>(c.y + std::cos((Theta + 90) * Deg) * 0.05 * r)},
          Polar12(c, Theta, K * r),
          TGPPointF{static_cast<Single>(c.x - std::sin((Theta - 90) * Deg) * 0.05 * r),
                    static_cast<Single>(c.y + std::cos((Theta - 90) * Deg) * 0.05 * r)},
      };
      if (Shadow != clNone) {
        TGPPointF moved[4];
        for (int i = 0; i < 4; ++i) moved[i] = TGPPointF{pts[i].X + 1, pts[i].Y + 3};
        TGPSolidBrush shadow(StoredBytesARGB(ShadowAlpha, Shadow));
        Graphics->FillPolygon(&shadow, moved, 4);
      }
      TGPSolidBrush brush(ColorToOpaqueARGB(Color));
      Graphics->FillPolygon(&brush, pts, 4);
    };
    pointer(th, 0.5, a->GetHourPointer(), a->GetHourPointerShadow());
    pointer(tm, 0.7, a->GetMinutePointer(), a->GetMinutePointerShadow());
  } else {
    const double q = style == psShortLine ? 0.0 : 0.1;
    auto lineAt = [&](double Theta, double Dx, double Dy, double Tip) {
      return std::pair<TGPPointF, TGPPointF>{
          TGPPointF{static_cast<Single>(c.x + Dx - std::sin(Theta * Deg) * q * r),
                    static_cast<Single>(c.y + Dy + std::cos(Theta * Deg) * q * r)},
          TGPPointF{static_cast<Single>(c.x + Dx + std::sin(Theta * Deg) * Tip * r),
                    static_cast<Single>(c.y + Dy - std::cos(Theta * Deg) * Tip * r)}};
    };
    auto pointer = [&](double Theta, double Tip, double ShadowTip, double ShadowDx, Byte Size, TColor Color,
                       TColor Shadow, double ArrowAngle, double ArrowAt) {
      if (Shadow != clNone) {
        TGPPen shadow(StoredBytesARGB(ShadowAlpha, Shadow), Size);
        auto [from, to] = lineAt(Theta, ShadowDx, 3, ShadowTip);
        Line(Graphics, &shadow, from, to);
      }
      TGPPen pen(ColorToOpaqueARGB(Color), Size);
      auto [tail, tip] = lineAt(Theta, 0, 0, Tip);
      Line(Graphics, &pen, tail, tip);
      if (style == psLineArrow) {
        Line(Graphics, &pen, Polar12(c, Theta + ArrowAngle, ArrowAt * r), tip);
        Line(Graphics, &pen, tip, Polar12(c, Theta - ArrowAngle, ArrowAt * r));
      }
    };
    pointer(th, 0.5, 0.46, -1, a->GetHourPointerSize(), a->GetHourPointer(), a->GetHourPointerShadow(), 10, 0.4);
    pointer(tm, 0.7, 0.65, 0, a->GetMinutePointerSize(), a->GetMinutePointer(), a->GetMinutePointerShadow(), 7, 0.6);
  }
  if (FSettings->GetAuto() && FSettings->GetSecond()) {
    TGPPen pen(ColorToOpaqueARGB(a->GetSecondPointer()), a->GetSecondPointerSize());
    Line(Graphics, &pen, Polar12(c, ts, -0.2 * r), Polar12(c, ts, 0.9 * r));
  }
  const Integer s = a->GetCenterPointSize();
  if (s <= 0) return;
  const Single half = s / 2.0F;
  if (a->GetCenterPointColor() != clNone) {
    TGPSolidBrush brush(ColorToOpaqueARGB(a->GetCenterPointColor()));
    Graphics->FillEllipse(&brush, c.x - half, c.y - half, static_cast<Single>(s), static_cast<Single>(s));
  }
  Integer u = 0;
  if (a->GetCenterPointOuterBorderColor() != clNone) {
    u = static_cast<Integer>(Round(s * 0.2));
    TGPPen pen(ColorToOpaqueARGB(a->GetCenterPointOuterBorderColor()), static_cast<Single>(u));
    Graphics->DrawEllipse(&pen, c.x - half, c.y - half, static_cast<Single>(s), static_cast<Single>(s));
  }
  if (a->GetCenterPointBorderColor() != clNone) {
    TGPPen pen(ColorToOpaqueARGB(a->GetCenterPointBorderColor()), static_cast<Single>(Round(s * 0.1)));
    const Single inner = static_cast<Single>(s - u);
    Graphics->DrawEllipse(&pen, c.x - inner / 2, c.y - inner / 2, inner, inner);
  }
}
