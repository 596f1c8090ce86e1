// The tooltip balloon: settings, measuring, shape, placement and painting.
#include "lib/grid/editing/NeoToolTip.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "lib/graphics/NeoGDIP.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/GraphicsRtti.h"

ZELK_ENUM_INFO(TNeoToolTipPosition, ttTopRight, ttTopLeft, ttTopCenter, ttRight, ttBottomLeft, ttBottomCenter,
               ttBottomRight, ttCustom)
ZELK_ENUM_INFO(TNeoToolTipShape, tsBalloon, tsRectangle)

namespace {

bool IsTop(TNeoToolTipPosition APosition) {
  return APosition == ttTopRight || APosition == ttTopLeft || APosition == ttTopCenter;
}
bool IsBottom(TNeoToolTipPosition APosition) {
  return APosition == ttBottomLeft || APosition == ttBottomCenter || APosition == ttBottomRight;
}

// The pointer and its room take 8 pixels of the balloon shape.
constexpr Integer PointerSize = 8;

Integer Nearest(Double AValue) { return static_cast<Integer>(std::nearbyint(AValue)); }

}  // namespace

// ---- TNeoToolTip ----

TNeoToolTip::TNeoToolTip(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetColor(clWhite);
}

TNeoToolTip::~TNeoToolTip() = default;

void TNeoToolTip::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TNeoToolTip*>(Source);
  if (!source) return;
  FBorderColor = source->FBorderColor;
  SetImages(source->FImages);
  FMaxWidth = source->FMaxWidth;
  FColor = source->FColor;
  FControlBorderColor = source->FControlBorderColor;
  FFont->Assign(source->FFont.get());
  FX = source->FX;
  FY = source->FY;
  FImageIndex = source->FImageIndex;
  FPosition = source->FPosition;
  FRounding = source->FRounding;
  FShape = source->FShape;
  FMargin = source->FMargin;
}

String TNeoToolTip::GetVersion() const {
  const Cardinal v = GetVersionNr();
  return IntToStr(v >> 24) + u"." + IntToStr((v >> 16) & 0xFF) + u"." + IntToStr((v >> 8) & 0xFF) + u"." +
         IntToStr(v & 0xFF);
}

void TNeoToolTip::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
}

void TNeoToolTip::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

// ---- TNeoToolTipWindow ----

TNeoToolTipWindow::TNeoToolTipWindow(TComponent* AOwner)
    : TCustomControl(AOwner), FInternalToolTip(std::make_unique<TNeoToolTip>(nullptr)) {
  SetBounds(GetLeft(), GetTop(), 20, 20);
  GetFont()->SetColor(clWhite);
  SetDoubleBuffered(true);
  SetVisible(false);
}

TNeoToolTipWindow::~TNeoToolTipWindow() {
  if (FBorderSet && FControl && !FControl->GetComponentState().Contains(csDestroying)) {
    SetOrdProp(FControl, u"BorderColor", FOldBorderColor);
    FControl->Invalidate();
  }
}

void TNeoToolTipWindow::Show(TControl* AControl, TNeoToolTip* AToolTip) {
  // Both are watched: a control or settings freed meanwhile are forgotten (the window's own
  // settings serve then).
  if (FControl && FControl != AControl) FControl->RemoveFreeNotification(this);
  if (FToolTip && FToolTip != AToolTip) FToolTip->RemoveFreeNotification(this);
  FControl = AControl;
  FToolTip = AToolTip;
  if (FControl) FControl->FreeNotification(this);
  if (FToolTip) FToolTip->FreeNotification(this);
  if (!FControl) return;
  if (!GetParent()) SetParent(GetParentForm(FControl));
  UpdateSize();
  const TColor border = GetToolTip()->GetBorderColor();
  if (border != clNone && !FBorderSet && IsPublishedProp(FControl->ClassType(), u"BorderColor")) {
    FOldBorderColor = static_cast<TColor>(GetOrdProp(FControl, u"BorderColor"));
    FBorderSet = true;
    SetOrdProp(FControl, u"BorderColor", border);
  }
  SetVisible(true);
}

void TNeoToolTipWindow::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Invalidate();
}

void TNeoToolTipWindow::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  UpdateSize();
  Invalidate();
}

void TNeoToolTipWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateSize();
}

void TNeoToolTipWindow::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FToolTip) {
    FToolTip = nullptr;
    Invalidate();
  }
  if (AComponent == FControl) {
    FControl = nullptr;
    FBorderSet = false;
  }
}

void TNeoToolTipWindow::UpdateSize() {
  if (!HandleAllocated()) return;
  TNeoToolTip* tip = GetToolTip();
  std::unique_ptr<NeoGDIP::TGPGraphics> g(new NeoGDIP::TGPGraphics(GetCanvas()->GetHandle()));
  g->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
  g->SetTextRenderingHint(NeoGDIP::TextRenderingHintClearTypeGridFit);
  std::unique_ptr<NeoGDIP::TGPFont> font(g->MakeFont(tip->GetFont()));
  std::unique_ptr<NeoGDIP::TGPStringFormat> format(new NeoGDIP::TGPStringFormat(0));
  const String text = u" " + FText + u" ";
  NeoGDIP::TGPRectF box{};
  if (tip->GetMaxWidth() <= 0) {
    g->MeasureString(text, -1, font.get(), NeoGDIP::TGPPointF{0, 0}, format.get(), box);
  } else {
    Integer fitted = 0, lines = 0;
    g->MeasureString(text, -1, font.get(), NeoGDIP::TGPRectF{0, 0, static_cast<Single>(tip->GetMaxWidth()), 1000},
                     format.get(), box, fitted, lines);
  }
  g.reset();
  Integer w = Nearest(2.0 * tip->GetMargin() + box.Width);
  Integer h = Nearest(box.Height + box.Height / 5.0 + 2.0 * tip->GetMargin());
  w = std::max(w, h);
  if (tip->GetShape() == tsBalloon) {
    if (tip->GetPosition() == ttRight) w += PointerSize;
    else h += PointerSize;
  }
  if (tip->HasImage()) {
    w += tip->GetImages()->GetWidth();
    h = std::max(h, tip->GetImages()->GetHeight() + 6);
  }
  if (w != GetWidth() || h != GetHeight()) SetBounds(GetLeft(), GetTop(), w, h);
  UpdateRegion();
  UpdatePosition();
}

Integer TNeoToolTipWindow::PointerX() const {
  switch (GetToolTip()->GetPosition()) {
    case ttTopLeft:
    case ttBottomLeft: return PointerSize;
    case ttTopCenter:
    case ttBottomCenter: return GetWidth() / 2;
    case ttTopRight:
    case ttBottomRight: return GetWidth() - 16;
    default: return 0;
  }
}

void TNeoToolTipWindow::UpdateRegion() {
  if (!HandleAllocated()) return;
  const HWND handle = GetHandle();
  SetWindowRgn(handle, nullptr, FALSE);
  TNeoToolTip* tip = GetToolTip();
  const TNeoToolTipPosition position = tip->GetPosition();
  const bool balloon = tip->GetShape() == tsBalloon;
  const Integer w = GetWidth(), h = GetHeight();
  const Integer a = balloon && position == ttRight ? PointerSize : 0;
  const Integer y1 = balloon && IsBottom(position) ? PointerSize : 0;
  const Integer b = balloon && IsTop(position) ? PointerSize : 0;
  HRGN body = CreateRoundRectRgn(a, y1, w + a + 1, h + y1 - b + 1, tip->GetRounding(), tip->GetRounding());
  if (!balloon) {
    SetWindowRgn(handle, body, TRUE);
    return;
  }
  POINT triangle[3];
  if (position == ttRight) {
    triangle[0] = POINT{0, h / 2};
    triangle[1] = POINT{10, h / 2 - 5};
    triangle[2] = POINT{10, h / 2 + 5};
  } else {
    const Integer d = PointerX();
    const Integer e = IsTop(position) ? h - PointerSize : 0;
    triangle[0] = POINT{d, e};
    triangle[1] = POINT{d, e + PointerSize};
    triangle[2] = IsBottom(position) ? POINT{d + PointerSize, e + PointerSize} : POINT{d + PointerSize, e};
  }
  HRGN pointer = CreatePolygonRgn(triangle, 3, WINDING);
  CombineRgn(body, body, pointer, RGN_OR);
  DeleteObject(pointer);
  SetWindowRgn(handle, body, TRUE);
}

void TNeoToolTipWindow::UpdatePosition() {
  if (!FControl) return;
  // Form coordinates: the offsets of the control and its parents below the first form.
  Integer x = 0, y = 0;
  for (TControl* c = FControl; c && !dynamic_cast<TCustomForm*>(c); c = c->GetParent()) {
    x += c->GetLeft();
    y += c->GetTop();
  }
  TNeoToolTip* tip = GetToolTip();
  const Integer w = GetWidth(), h = GetHeight();
  const Integer cw = FControl->GetWidth(), ch = FControl->GetHeight();
  Integer left = x, top = y;
  switch (tip->GetPosition()) {
    case ttTopLeft: top = y - h, left = x; break;
    case ttTopCenter: top = y - h, left = x + (cw - w) / 2; break;
    case ttTopRight: top = y - h, left = x + cw - w; break;
    case ttRight: top = y + (ch - h) / 2, left = x + cw; break;
    case ttBottomLeft: top = y + ch, left = x; break;
    case ttBottomCenter: top = y + ch, left = x + (cw - w) / 2; break;
    case ttBottomRight: top = y + ch, left = x + cw - w; break;
    case ttCustom: top = y + tip->GetY(), left = x + tip->GetX(); break;
  }
  SetBounds(left, top, w, h);
}

void TNeoToolTipWindow::WndProc(TMessage& Message) {
  // The region leaves the corners to the parent: nothing to erase.
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  if (Message.Msg == WM_PAINT && Message.WParam && GetParent())
    PaintParentInto(reinterpret_cast<HDC>(Message.WParam));
  TCustomControl::WndProc(Message);
}

void TNeoToolTipWindow::PaintParentInto(HDC ADC) {
  // A context without the window's region (a copy of the window): the parent's look under the
  // window goes first, so that the corners outside the balloon show what lies beneath.
  TWinControl* parent = GetParent();
  auto* form = dynamic_cast<TCustomForm*>(parent);
  const bool buffered = form && form->GetDoubleBuffered();
  if (buffered) form->SetDoubleBuffered(false);
  const int saved = SaveDC(ADC);
  OffsetWindowOrgEx(ADC, GetLeft(), GetTop(), nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(ADC), reinterpret_cast<LPARAM>(ADC));
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(ADC), 0);
  RestoreDC(ADC, saved);
  if (buffered) form->SetDoubleBuffered(true);
}

void TNeoToolTipWindow::Paint() {
  using namespace NeoGDIP;
  TNeoToolTip* tip = GetToolTip();
  const TNeoToolTipPosition position = tip->GetPosition();
  const bool balloon = tip->GetShape() == tsBalloon;
  const auto w = static_cast<Single>(GetWidth()), h = static_cast<Single>(GetHeight());
  const Integer a = balloon && position == ttRight ? PointerSize : 0;
  const Integer b = balloon && IsBottom(position) ? PointerSize : 0;
  const TColor border = tip->GetBorderColor();
  const bool outline = border != clNone && border != tip->GetColor();

  std::unique_ptr<TGPGraphics> g(new TGPGraphics(GetCanvas()->GetHandle()));
  g->SetSmoothingMode(gdip::SmoothingModeAntiAlias);
  g->SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
  TGPSolidBrush fill(ColorToOpaqueARGB(tip->GetColor()));
  TGPPen pen(ColorToOpaqueARGB(border), 1);

  // Body: a rounded rectangle; over the whole window for the rectangle shape and for the custom
  // place, whose region is the whole window.
  const Single x = static_cast<Single>(a + 1), y = static_cast<Single>(b + 1), bw = w - static_cast<Single>(a) - 2;
  const Single bh = balloon && position != ttCustom ? h - 10 + static_cast<Single>(a) : h - 2;
  const auto d = static_cast<Single>(2 * tip->GetRounding());
  std::unique_ptr<TGPGraphicsPath> path(new TGPGraphicsPath);
  if (d > 0) {
    path->AddArc(x, y, d, d, 180, 90);
    path->AddArc(x + bw - d, y, d, d, 270, 90);
    path->AddArc(x + bw - d, y + bh - d, d, d, 0, 90);
    path->AddArc(x, y + bh - d, d, d, 90, 90);
    path->CloseFigure();
  } else {
    path->AddRectangle(TGPRectF{x, y, bw, bh});
  }
  g->FillPath(&fill, path.get());
  if (outline) g->DrawPath(&pen, path.get());

  // Pointer: the triangle of the region over a rectangle of the fill, its edges outlined.
  TGPRectF textRect{0, 0, w, h};
  if (balloon && position != ttCustom) {
    const auto px = static_cast<Single>(PointerX());
    if (position == ttRight) {
      const auto py = static_cast<Single>((GetHeight() - 8) / 2), mid = static_cast<Single>(GetHeight() / 2);
      g->FillRectangle(&fill, 0, py, 10, 8);
      if (outline) {
        g->DrawLine(&pen, 0, mid, 9, mid - 4);
        g->DrawLine(&pen, 0, mid, 9, mid + 4);
      }
      textRect = TGPRectF{8, 0, w - 8, h};
    } else if (IsTop(position)) {
      const Single py = h - 10;
      g->FillRectangle(&fill, px, py, 8, 8);
      if (outline) {
        g->DrawLine(&pen, px, py + 1, px, py + 7);
        g->DrawLine(&pen, px + 8, py + 1, px, py + 7);
      }
      textRect = TGPRectF{0, 0, w, h - 8};
    } else {
      g->FillRectangle(&fill, px, 0, 8, 10);
      if (outline) {
        g->DrawLine(&pen, px, 0, px, 9);
        g->DrawLine(&pen, px, 0, px + 8, 9);
      }
      textRect = TGPRectF{0, 8, w, h - 8};
    }
  }

  if (tip->HasImage()) {
    const HDC dc = g->GetHDC();
    tip->GetImages()->Draw(GetCanvas(), Nearest(textRect.X + 4), Nearest(textRect.Y + 4), tip->GetImageIndex());
    g->ReleaseHDC(dc);
    const auto imageWidth = static_cast<Single>(tip->GetImages()->GetWidth());
    textRect.X += imageWidth;
    textRect.Width -= imageWidth;
  }

  std::unique_ptr<TGPFont> font(g->MakeFont(tip->GetFont()));
  std::unique_ptr<TGPStringFormat> format(new TGPStringFormat(0));
  format->SetAlignment(StringAlignmentCenter);
  format->SetLineAlignment(StringAlignmentCenter);
  TGPSolidBrush ink(ColorToOpaqueARGB(tip->GetFont()->GetColor()));
  g->DrawString(FText, -1, font.get(), textRect, format.get(), &ink);
}

void RegisterNeoToolTipRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterGraphicsRtti();
    using T = TNeoToolTip;
    Publish<T>()
        .Property(u"BorderColor", &T::GetBorderColor, &T::SetBorderColor).Type(u"TColor").Default(0x0000FF)
        .Property(u"Images", &T::GetImages, &T::SetImages)
        .Property(u"MaxWidth", &T::GetMaxWidth, &T::SetMaxWidth).Default(0)
        .Property(u"Color", &T::GetColor, &T::SetColor).Type(u"TColor").Default(0x0000FF)
        .Property(u"ControlBorderColor", &T::GetControlBorderColor, &T::SetControlBorderColor)
        .Type(u"TColor")
        .Default(0x0000FF)
        .Property(u"Font", &T::GetFont, &T::SetFont)
        .Property(u"X", &T::GetX, &T::SetX).Default(0)
        .Property(u"Y", &T::GetY, &T::SetY).Default(0)
        .Property(u"ImageIndex", &T::GetImageIndex, &T::SetImageIndex).Default(-1)
        .Property(u"Position", &T::GetPosition, &T::SetPosition).Default(ttRight)
        .Property(u"Rounding", &T::GetRounding, &T::SetRounding).Default(2)
        .Property(u"Shape", &T::GetShape, &T::SetShape).Default(tsBalloon)
        .Property(u"Margin", &T::GetMargin, &T::SetMargin).Default(0)
        .Property(u"Version", &T::GetVersion, nullptr);
    using W = TNeoToolTipWindow;
    Publish<W>()
        .Property(u"Color", &W::GetColor, &W::SetColor).Type(u"TColor").Default(0x0000FF)
        .Property(u"Text", &W::GetText, &W::SetText);
  });
}
