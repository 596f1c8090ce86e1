// The graphics facade: creation, state, setters, shapes, hit tests and colour conversions.
#include <cmath>

#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoGraphicsGeneral.h"
#include "platform/rtl/ScopeGuard.h"

namespace {

constexpr Double D(Integer V) { return V; }

NeoGraphicsRegistry::TDrawSVGPictureProc SVGProc = nullptr;
NeoGraphicsRegistry::TFindContainerPictureProc ContainerProc = nullptr;
NeoGraphicsRegistry::TDrawGraphicsHtmlTextProc HtmlProc = nullptr;
NeoGraphicsRegistry::TApplyHilightProc HilightProc = nullptr;

bool Finite(TPointF P) { return std::isfinite(P.X) && std::isfinite(P.Y); }

// Finite, with no negative size.
bool Drawable(const TRectF& R) {
  return Finite({R.Left, R.Top}) && Finite({R.Right, R.Bottom}) && R.Right >= R.Left && R.Bottom >= R.Top;
}

bool Drawable(const TNeoGraphicsPathPolygon& APolygon) {
  if (APolygon.empty()) return false;
  for (const TPointF& p : APolygon)
    if (!Finite(p)) return false;
  return true;
}

TRectF ToRectF(Double ALeft, Double ATop, Double ARight, Double ABottom) {
  return {static_cast<Single>(ALeft), static_cast<Single>(ATop), static_cast<Single>(ARight),
          static_cast<Single>(ABottom)};
}

TPointF ToPointF(TPoint P) { return {static_cast<Single>(P.x), static_cast<Single>(P.y)}; }

}  // namespace

// ---- Registration points ----

namespace NeoGraphicsRegistry {
void RegisterDrawSVGPicture(TDrawSVGPictureProc AProc) { SVGProc = AProc; }
void RegisterFindContainerPicture(TFindContainerPictureProc AProc) { ContainerProc = AProc; }
void RegisterDrawGraphicsHtmlText(TDrawGraphicsHtmlTextProc AProc) { HtmlProc = AProc; }
TDrawSVGPictureProc DrawSVGPictureProc() { return SVGProc; }
TFindContainerPictureProc FindContainerPictureProc() { return ContainerProc; }
TDrawGraphicsHtmlTextProc DrawGraphicsHtmlTextProc() { return HtmlProc; }
void RegisterApplyHilight(TApplyHilightProc AProc) { HilightProc = AProc; }
TApplyHilightProc ApplyHilightProc() { return HilightProc; }
}  // namespace NeoGraphicsRegistry

// The context's canvas is the facade's.
TCanvas* TNeoGraphicsContext::GetCanvas() const { return FGraphics ? FGraphics->GetCanvas() : nullptr; }

// ---- Creation ----

TNeoGraphics::TNeoGraphics(TCanvas* ACanvas, bool ANative) : FActiveCanvas(ACanvas), FNative(ANative) {
  CreateContext(1, 1);
  FHighlightColor = 0xFF0000;
  FHighlightTextColor = 0xFFFFFF;
  InitializeDefaults();
}

TNeoGraphics::TNeoGraphics(TBitmapCanvasTag, Integer AWidth, Integer AHeight, bool ANative, bool ATransparent)
    : FNative(ANative), FBitmap(std::make_unique<TBitmap>()) {
  if (ATransparent) {
    FBitmap->SetPixelFormat(pf32bit);
    FBitmap->SetAlphaFormat(afDefined);
  }
  FBitmap->SetSize(std::max(0, AWidth), std::max(0, AHeight));
  FActiveCanvas = FBitmap->GetCanvas();
  CreateContext(static_cast<Single>(AWidth), static_cast<Single>(AHeight));
  InitializeDefaults();
}

std::unique_ptr<TNeoGraphics> TNeoGraphics::CreateNative(TCanvas* ACanvas) {
  return std::make_unique<TNeoGraphics>(ACanvas, true);
}

std::unique_ptr<TNeoGraphics> TNeoGraphics::CreateBitmapCanvas(Integer AWidth, Integer AHeight, bool ANative, bool) {
  return std::unique_ptr<TNeoGraphics>(new TNeoGraphics(TBitmapCanvasTag{}, AWidth, AHeight, ANative, false));
}

std::unique_ptr<TNeoGraphics> TNeoGraphics::CreateNativeBitmapCanvas(Integer AWidth, Integer AHeight) {
  return CreateBitmapCanvas(AWidth, AHeight, true, true);
}

void TNeoGraphics::CreateContext(Single AWidth, Single AHeight) {
  if (FNative) {
    const TNeoGraphicsContextClass nativeClass = GetNativeContextClass();
    if (!nativeClass) throw EInvalidOperation(u"No GDI+ graphics context");
    FContextNative.reset(static_cast<TNeoGraphicsContext*>(nativeClass->CreateWith(this)));
  } else {
    FContextGeneral = std::make_unique<TNeoGraphicsContextGeneral>(this);
  }
  GetContext()->SetSize(AWidth, AHeight);
  FFill = std::make_unique<TNeoGraphicsFill>(gfkSolid, 0xFFFFFF);
  FStroke = std::make_unique<TNeoGraphicsStroke>(gskSolid, 0xC0C0C0);
  FFont = std::make_unique<TNeoGraphicsFont>();
  FFont->OnChanged = [this](TObject*) { SetFont(FFont.get()); };
  FStroke->OnChanged = [this](TObject*) { SetStroke(FStroke.get()); };
  FFill->OnChanged = [this](TObject*) { SetFill(FFill.get()); };
}

void TNeoGraphics::InitializeDefaults() {
  FURLColor = 0xFF0000;
  FURLUnderline = true;
  SetFill(FFill.get());
  SetStroke(FStroke.get());
  SetFont(FFont.get());
}

TNeoGraphics::~TNeoGraphics() {
  // The contexts go first: they may still draw on the canvas, which can be the own bitmap's.
  FContextNative.reset();
  FContextGeneral.reset();
  FFont->OnChanged = nullptr;
  FFill->OnChanged = nullptr;
  FStroke->OnChanged = nullptr;
  FFont.reset();
  FFill.reset();
  FStroke.reset();
  FPictureContainer = nullptr;
  FImageList = nullptr;
  FBitmap.reset();
}

// ---- Scene and state ----

TNeoGraphicsMatrix TNeoGraphics::GetMatrix() { return GetContext()->GetMatrix(); }
void TNeoGraphics::SetMatrix(const TNeoGraphicsMatrix& AMatrix) { GetContext()->SetMatrix(AMatrix); }
void TNeoGraphics::BeginScene() { GetContext()->BeginScene(); }
void TNeoGraphics::EndScene() { GetContext()->EndScene(); }
void TNeoGraphics::StartSpecialPen() { GetContext()->StartSpecialPen(); }
void TNeoGraphics::StopSpecialPen() { GetContext()->StopSpecialPen(); }

void TNeoGraphics::ClipRect(const TRectF& ARect) {
  if (Finite({ARect.Left, ARect.Top}) && Finite({ARect.Right, ARect.Bottom})) GetContext()->ClipRect(ARect);
}

void TNeoGraphics::ClipRect(const TRect& ARect) { ClipRect(RectToRectF(ARect)); }

TNeoGraphicsSaveState* TNeoGraphics::SaveState(bool ACanvasOnly) {
  auto state = std::make_unique<TNeoGraphicsSaveState>();
  if (!ACanvasOnly) {
    state->GetFill()->Assign(FFill.get());
    state->GetStroke()->Assign(FStroke.get());
    state->GetFont()->AssignSource(FFont.get());
  }
  GetContext()->SaveState(state.get());
  return state.release();
}

// The context's state goes back before fill, stroke and font: the canvas context lets go of the
// objects its DC held then, before the font of the state makes the canvas's font anew.
void TNeoGraphics::RestoreState(TNeoGraphicsSaveState* AState, bool ACanvasOnly) {
  if (!AState) return;
  std::unique_ptr<TNeoGraphicsSaveState> state(AState);
  GetContext()->RestoreState(state.get());
  if (!ACanvasOnly) {
    SetFill(state->GetFill());
    SetStroke(state->GetStroke());
    SetFont(state->GetFont());
  }
}

void TNeoGraphics::Assign(TNeoGraphics* Source) {
  if (!Source || Source == this) return;
  FFill->BeginUpdate();
  FFill->Assign(Source->GetFill());
  FFill->EndUpdate();
  FStroke->BeginUpdate();
  FStroke->Assign(Source->GetStroke());
  FStroke->EndUpdate();
  FFont->BeginUpdate();
  FFont->AssignSource(Source->GetFont());
  FFont->EndUpdate();
}

// ---- Setters ----

template <class F> void TNeoGraphics::Forward(F&& AForward) {
  if (FBlockUpdate > 0) return;
  ++FBlockUpdate;
  const auto unblock = ScopeExit([this] { --FBlockUpdate; });
  AForward();
}

void TNeoGraphics::SetFill(TNeoGraphicsFill* AFill) {
  if (!AFill) return;
  Forward([&] {
    GetContext()->SetFill(AFill);
    if (AFill != FFill.get()) FFill->Assign(AFill);
  });
}

void TNeoGraphics::SetFillKind(TNeoGraphicsFillKind AKind) {
  Forward([&] {
    GetContext()->SetFillKind(AKind);
    FFill->SetKind(AKind);
  });
}

void TNeoGraphics::SetFillColor(TColor AColor) {
  Forward([&] {
    GetContext()->SetFillColor(AColor);
    FFill->SetColor(AColor);
  });
}

void TNeoGraphics::SetStroke(TNeoGraphicsStroke* AStroke) {
  if (!AStroke) return;
  Forward([&] {
    GetContext()->SetStroke(AStroke);
    if (AStroke != FStroke.get()) FStroke->Assign(AStroke);
  });
}

void TNeoGraphics::SetStrokeKind(TNeoGraphicsStrokeKind AKind) {
  Forward([&] {
    GetContext()->SetStrokeKind(AKind);
    FStroke->SetKind(AKind);
  });
}

void TNeoGraphics::SetStrokeColor(TColor AColor) {
  Forward([&] {
    GetContext()->SetStrokeColor(AColor);
    FStroke->SetColor(AColor);
  });
}

void TNeoGraphics::SetStrokeWidth(Single AWidth) {
  Forward([&] {
    GetContext()->SetStrokeWidth(AWidth);
    FStroke->SetWidth(AWidth);
  });
}

void TNeoGraphics::SetFont(TNeoGraphicsFont* AFont) {
  if (!AFont) return;
  Forward([&] {
    GetContext()->SetFont(AFont);
    if (AFont != FFont.get()) FFont->AssignSource(AFont);
  });
}

void TNeoGraphics::SetFontColor(TColor AColor) {
  Forward([&] {
    GetContext()->SetFontColor(AColor);
    FFont->SetColor(AColor);
  });
}

void TNeoGraphics::SetFontName(const String& AName) {
  Forward([&] {
    GetContext()->SetFontName(AName);
    FFont->SetName(AName);
  });
}

void TNeoGraphics::SetFontSize(Integer ASize) {
  Forward([&] {
    GetContext()->SetFontSize(ASize);
    FFont->SetSize(ASize);
  });
}

void TNeoGraphics::SetFontStyles(TFontStyles AStyles) {
  Forward([&] {
    GetContext()->SetFontStyles(AStyles);
    FFont->SetStyle(AStyles);
  });
}

// ---- Fill and stroke rules ----

bool TNeoGraphics::FillRuleHolds() const {
  return (FFill->GetColor() != gcNull && FFill->GetKind() != gfkNone) || FFill->GetKind() == gfkTexture;
}

bool TNeoGraphics::ArcFillRuleHolds() const { return FFill->GetColor() != gcNull && FFill->GetKind() != gfkNone; }

bool TNeoGraphics::StrokeRuleHolds() const { return FStroke->GetColor() != gcNull && FStroke->GetKind() != gskNone; }

template <class F> void TNeoGraphics::FillShape(const TRectF& ABounds, F&& AContextFill) {
  if (FFill->GetKind() == gfkTexture) DrawTexture(ABounds, FFill->GetTexture(), FFill->GetTextureMode());
  else AContextFill();
}

// ---- Shapes ----

void TNeoGraphics::DrawLine(TPoint AFromPoint, TPoint AToPoint, TNeoGraphicsModifyPointMode AModifyPointModeFrom,
                            TNeoGraphicsModifyPointMode AModifyPointModeTo) {
  DrawLine(ToPointF(AFromPoint), ToPointF(AToPoint), AModifyPointModeFrom, AModifyPointModeTo);
}

void TNeoGraphics::DrawLine(TPointF AFromPoint, TPointF AToPoint, TNeoGraphicsModifyPointMode AModifyPointModeFrom,
                            TNeoGraphicsModifyPointMode AModifyPointModeTo) {
  if (!Finite(AFromPoint) || !Finite(AToPoint) || !StrokeRuleHolds()) return;
  GetContext()->DrawLine(FStroke.get(), AFromPoint, AToPoint, AModifyPointModeFrom, AModifyPointModeTo);
}

void TNeoGraphics::DrawFocusRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TColor AColor,
                                      TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawFocusRectangle(D(ALeft), D(ATop), D(ARight), D(ABottom), AColor, AModifyRectMode);
}

void TNeoGraphics::DrawFocusRectangle(const TRect& ARect, TColor AColor, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawFocusRectangle(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), AColor, AModifyRectMode);
}

void TNeoGraphics::DrawFocusRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TColor AColor,
                                      TNeoGraphicsModifyRectMode AModifyRectMode) {
  const TRectF r = ToRectF(ALeft, ATop, ARight, ABottom);
  if (Drawable(r)) GetContext()->DrawFocusRectangle(FStroke.get(), r, AColor, AModifyRectMode);
}

void TNeoGraphics::DrawFocusRectangle(const TRectF& ARect, TColor AColor, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawFocusRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AColor, AModifyRectMode);
}

void TNeoGraphics::DrawFocusPath(TNeoGraphicsPath* APath, TColor AColor) {
  if (APath && APath->GetCount() > 0) GetContext()->DrawFocusPath(FStroke.get(), APath, AColor);
}

void TNeoGraphics::DrawPolygon(const TNeoGraphicsPathPolygon& APolygon) {
  if (!Drawable(APolygon)) return;
  if (FillRuleHolds()) {
    TNeoGraphicsPath path;
    path.AddPolygon(APolygon);
    FillShape(path.GetBounds(), [&] { GetContext()->FillPolygon(FFill.get(), APolygon); });
  }
  if (StrokeRuleHolds()) GetContext()->DrawPolygon(FStroke.get(), APolygon);
}

void TNeoGraphics::DrawPolyline(const TNeoGraphicsPathPolygon& APolyline) {
  if (!Drawable(APolyline)) return;
  if (FillRuleHolds()) GetContext()->FillPolyline(FFill.get(), APolyline);
  if (StrokeRuleHolds()) GetContext()->DrawPolyline(FStroke.get(), APolyline);
}

void TNeoGraphics::DrawPath(TNeoGraphicsPath* APath, TNeoGraphicsPathDrawMode APathMode) {
  if (!APath || APath->GetCount() == 0 || !Drawable(APath->GetBounds())) return;
  if (FillRuleHolds()) FillShape(APath->GetBounds(), [&] { GetContext()->FillPath(FFill.get(), APath, APathMode); });
  if (StrokeRuleHolds()) GetContext()->DrawPath(FStroke.get(), APath, APathMode);
}

void TNeoGraphics::DrawArc(TPointF ACenter, TPointF ARadius, Single AStartAngle, Single ASweepAngle) {
  if (!Finite(ACenter) || !Finite(ARadius) || ARadius.X < 0 || ARadius.Y < 0 || !std::isfinite(AStartAngle) ||
      !std::isfinite(ASweepAngle))
    return;
  if (ArcFillRuleHolds()) {
    TNeoGraphicsPath path;
    path.AddArc(ACenter, ARadius, AStartAngle, ASweepAngle);
    FillShape(path.GetBounds(),
              [&] { GetContext()->FillArc(FFill.get(), ACenter, ARadius, AStartAngle, ASweepAngle); });
  }
  if (StrokeRuleHolds()) GetContext()->DrawArc(FStroke.get(), ACenter, ARadius, AStartAngle, ASweepAngle);
}

void TNeoGraphics::DrawArc(TPoint ACenter, TPoint ARadius, Integer AStartAngle, Integer ASweepAngle) {
  DrawArc(ToPointF(ACenter), ToPointF(ARadius), static_cast<Single>(AStartAngle), static_cast<Single>(ASweepAngle));
}

void TNeoGraphics::DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom,
                                 TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(ALeft, ATop, ARight, ABottom, AllSides(), AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, TNeoGraphicsSides ASides,
                                 TNeoGraphicsModifyRectMode AModifyRectMode) {
  const TRectF r = ToRectF(ALeft, ATop, ARight, ABottom);
  if (!Drawable(r)) return;
  if (FillRuleHolds()) FillShape(r, [&] { GetContext()->FillRect(FFill.get(), r, AModifyRectMode); });
  if (StrokeRuleHolds()) GetContext()->DrawRect(FStroke.get(), r, ASides, AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AllSides(), AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(const TRectF& ARect, TNeoGraphicsSides ASides, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ASides, AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                                 TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(D(ALeft), D(ATop), D(ARight), D(ABottom), AllSides(), AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, TNeoGraphicsSides ASides,
                                 TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(D(ALeft), D(ATop), D(ARight), D(ABottom), ASides, AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(const TRect& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), AllSides(), AModifyRectMode);
}

void TNeoGraphics::DrawRectangle(const TRect& ARect, TNeoGraphicsSides ASides, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRectangle(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), ASides, AModifyRectMode);
}

void TNeoGraphics::DrawRoundRectangle(Double ALeft, Double ATop, Double ARight, Double ABottom, Single ARounding,
                                      TNeoGraphicsCorners ACorners, TNeoGraphicsModifyRectMode AModifyRectMode) {
  const TRectF r = ToRectF(ALeft, ATop, ARight, ABottom);
  if (!Drawable(r) || !std::isfinite(ARounding)) return;
  if (FillRuleHolds())
    FillShape(r, [&] { GetContext()->FillRoundRect(FFill.get(), r, ARounding, ACorners, AModifyRectMode); });
  if (StrokeRuleHolds()) GetContext()->DrawRoundRect(FStroke.get(), r, ARounding, ACorners, AModifyRectMode);
}

void TNeoGraphics::DrawRoundRectangle(const TRectF& ARect, Single ARounding, TNeoGraphicsCorners ACorners,
                                      TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRoundRectangle(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, ARounding, ACorners, AModifyRectMode);
}

void TNeoGraphics::DrawRoundRectangle(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom, Integer ARounding,
                                      TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRoundRectangle(D(ALeft), D(ATop), D(ARight), D(ABottom), static_cast<Single>(ARounding), AllCorners(),
                     AModifyRectMode);
}

void TNeoGraphics::DrawRoundRectangle(const TRect& ARect, Integer ARounding, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawRoundRectangle(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom),
                     static_cast<Single>(ARounding), AllCorners(), AModifyRectMode);
}

void TNeoGraphics::DrawEllipse(Double ALeft, Double ATop, Double ARight, Double ABottom,
                               TNeoGraphicsModifyRectMode AModifyRectMode) {
  const TRectF r = ToRectF(ALeft, ATop, ARight, ABottom);
  if (!Drawable(r)) return;
  if (FillRuleHolds()) FillShape(r, [&] { GetContext()->FillEllipse(FFill.get(), r, AModifyRectMode); });
  if (StrokeRuleHolds()) GetContext()->DrawEllipse(FStroke.get(), r, AModifyRectMode);
}

void TNeoGraphics::DrawEllipse(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom,
                               TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawEllipse(D(ALeft), D(ATop), D(ARight), D(ABottom), AModifyRectMode);
}

void TNeoGraphics::DrawEllipse(const TRectF& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawEllipse(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, AModifyRectMode);
}

void TNeoGraphics::DrawEllipse(const TRect& ARect, TNeoGraphicsModifyRectMode AModifyRectMode) {
  DrawEllipse(D(ARect.left), D(ARect.top), D(ARect.right), D(ARect.bottom), AModifyRectMode);
}

// ---- Hit tests and colours ----

bool TNeoGraphics::PointInPath(TPointF APoint, TNeoGraphicsPath* APath) { return APath && APath->IsPointVisible(APoint); }
bool TNeoGraphics::PointInPath(TPoint APoint, TNeoGraphicsPath* APath) { return PointInPath(ToPointF(APoint), APath); }

bool TNeoGraphics::PointInPolygon(TPointF APoint, const TNeoGraphicsPathPolygon& APolygon) {
  return ::PointInPolygon(APoint, APolygon);
}

bool TNeoGraphics::PointInPolygon(TPoint APoint, const TNeoGraphicsPathPolygon& APolygon) {
  return ::PointInPolygon(ToPointF(APoint), APolygon);
}

bool TNeoGraphics::PointInRect(TPointF APoint, const TRectF& ARect) { return RectFContainsPoint(ARect, APoint); }
bool TNeoGraphics::PointInRect(TPoint APoint, const TRect& ARect) {
  return RectFContainsPoint(RectToRectF(ARect), ToPointF(APoint));
}

Byte TNeoGraphics::GetColorRed(TColor AColor) { return static_cast<Byte>(ColorToRGB(AColor)); }
Byte TNeoGraphics::GetColorGreen(TColor AColor) { return static_cast<Byte>(ColorToRGB(AColor) >> 8); }
Byte TNeoGraphics::GetColorBlue(TColor AColor) { return static_cast<Byte>(ColorToRGB(AColor) >> 16); }

String TNeoGraphics::ColorToHTML(TColor AColor) {
  return u"#" + IntToHex(GetColorRed(AColor), 2) + IntToHex(GetColorGreen(AColor), 2) + IntToHex(GetColorBlue(AColor), 2);
}
