// The SVG renderer: the view mapping of TNeoGraphicsSVGImport's Draw operations, the walk over the
// element tree with style resolution, clips, shapes, paths, pictures, text and gradients, and
// GenerateBitmap.
//
// Matrices use row vectors: a point is multiplied from the left, so A × B applies A first. An
// element's shapes are mapped with M := own transform × enclosing transforms × view mapping;
// polylines, polygons and paths hold their own transform in their outline already and are mapped
// with the enclosing transforms and the view mapping only.
#include <cmath>
#include <numbers>

#include "lib/graphics/NeoGDIPlusGraphics.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/render/NeoGraphicsSVGDrawInternal.h"
#include "lib/render/NeoGraphicsSVGEngine.h"
#include "lib/render/NeoGraphicsSVGInternal.h"

namespace {

constexpr StringView DefaultValue = u"default";
constexpr Double DegreesPerRadian = 57.29577951308232;
// The native graphics' modes while a document is drawn: pixel centres at half pixels, high quality
// compositing.
constexpr Integer PixelOffsetModeHalf = 4;
constexpr Integer CompositingQualityHighQuality = 2;
// The largest bitmap GenerateBitmap makes, in pixels.
constexpr Double MaxBitmapPixels = 64.0 * 1024 * 1024;

bool HasOwnOutlineTransform(TNeoGraphicsSVGElementType AType) {
  return AType == etPolyline || AType == etPolygon || AType == etPath;
}

// The element from AStyle up through its parents while the value is "default" (the root keeps
// "default").
template <class TGetter>
const TNeoGraphicsSVGElement& ResolveStyle(const TNeoGraphicsSVGElement& AStyle, TGetter AValue) {
  const TNeoGraphicsSVGElement* e = &AStyle;
  while (e->GetParent() && (e->*AValue)() == DefaultValue) e = e->GetParent();
  return *e;
}

TColor GrayColor(TColor AColor) {
  const Integer r = AColor & 0xFF, g = (AColor >> 8) & 0xFF, b = (AColor >> 16) & 0xFF;
  const auto grey = static_cast<Byte>(std::nearbyint(0.3 * r + 0.6 * g + 0.1 * b));
  return RGBToGraphicsColor(grey, grey, grey);
}

// The outline of a shape element (rectangle, line, circle, ellipse; the combined path of a
// polyline, polygon or path) in its own coordinates; other kinds give an empty path.
void AddShapeOutline(TNeoGraphicsSVGElement& AElement, TNeoGraphicsPath& APath) {
  const Single x = AElement.GetX(), y = AElement.GetY();
  switch (AElement.GetType()) {
    case etRect:
      APath.AddRectangle(TRectF{x, y, x + AElement.GetWidth(), y + AElement.GetHeight()}, AElement.GetRx(),
                         AElement.GetRy());
      break;
    case etLine:
      APath.MoveTo(TPointF{x, y});
      APath.LineTo(TPointF{AElement.GetWidth(), AElement.GetHeight()});
      break;
    case etCircle:
    case etEllipse:
      APath.AddEllipse(TRectF{x - AElement.GetRx(), y - AElement.GetRy(), x + AElement.GetRx(), y + AElement.GetRy()});
      break;
    case etPolyline:
    case etPolygon:
    case etPath:
      if (AElement.HasPaths()) APath.AddPath(AElement.GetCombinedPath());
      break;
    default:
      break;
  }
}

class TSVGRenderer {
public:
  TSVGRenderer(TNeoSVGDrawSurface& ASurface, const TNeoGraphicsMatrix& AViewMatrix,
               const TNeoGraphicsMatrix& ATextMatrix, Single AScaleX, bool AGrayScale)
      : FSurface(ASurface), FViewMatrix(AViewMatrix), FTextMatrix(ATextMatrix), FScaleX(AScaleX),
        FGrayScale(AGrayScale) {}

  void DrawElements(TNeoGraphicsSVGElementList& AList) {
    for (TNeoGraphicsSVGElement* e : AList) {
      FSurface.SaveState();
      struct TRestore {
        TNeoSVGDrawSurface& Surface;
        ~TRestore() { Surface.RestoreState(); }
      } restore{FSurface};
      DrawElement(*e);
    }
  }

private:
  void DrawElement(TNeoGraphicsSVGElement& AElement) {
    const TNeoGraphicsSVGElementType type = AElement.GetType();
    const TNeoGraphicsMatrix enclosing = NeoSVG::ContainerMatrix(AElement) * FViewMatrix;
    const TNeoGraphicsMatrix m =
        IsMatrixEmpty(AElement.GetMatrix()) ? enclosing : AElement.GetMatrix() * enclosing;
    // The matrix the element's own outline is drawn with.
    const TNeoGraphicsMatrix& outline = HasOwnOutlineTransform(type) ? enclosing : m;
    const TNeoGraphicsSVGElement& style = AElement.GetClassRef() ? *AElement.GetClassRef() : AElement;
    if (style.GetDisplayValue() == u"none") return;
    ApplyFill(AElement, style, outline);
    ApplyStroke(style);
    ApplyStrokeWidth(style);
    ApplyOpacity(style);
    if (TNeoGraphicsSVGElement* clip = AElement.GetClipPathRef()) {
      TNeoGraphicsPath path;
      AddShapeOutline(*clip, path);
      path.ApplyMatrix(m);
      FSurface.ClipPath(path);
    }
    switch (type) {
      case etContainer:
        if (AElement.HasElements()) DrawElements(*AElement.GetElements());
        break;
      case etRect:
      case etLine:
      case etCircle:
      case etEllipse:
      case etPolyline:
      case etPolygon:
      case etPath:
        DrawShape(AElement, outline);
        break;
      case etImage:
        DrawImage(AElement, m);
        break;
      case etText:
      case etTextSpan:
      case etTextSpanChild:
      case etTextPath:
        DrawText(AElement, m);
        break;
      default:   // switch, defs, use, clip paths, gradients, style rules, stops, patterns
        break;
    }
  }

  void DrawShape(TNeoGraphicsSVGElement& AElement, const TNeoGraphicsMatrix& AMatrix) {
    TNeoGraphicsPath path;
    AddShapeOutline(AElement, path);
    if (path.GetCount() == 0) return;
    path.ApplyMatrix(AMatrix);
    FSurface.DrawPath(path);
  }

  void DrawImage(TNeoGraphicsSVGElement& AElement, const TNeoGraphicsMatrix& AMatrix) {
    if (!AElement.HasBitmap()) return;
    const TNeoGraphicsMatrix saved = FSurface.GetMatrix();
    FSurface.SetMatrix(AMatrix);
    struct TRestore {
      TNeoSVGDrawSurface& Surface;
      const TNeoGraphicsMatrix& Matrix;
      ~TRestore() { Surface.SetMatrix(Matrix); }
    } restore{FSurface, saved};
    const Single x = AElement.GetX(), y = AElement.GetY();
    const TRectF r{x, y, x + AElement.GetWidth(), y + AElement.GetHeight()};
    const bool stretch = AElement.GetPreserveAspectRatio() == parNone;
    FSurface.DrawBitmap(r, AElement.GetBitmap(), !stretch, stretch, true, false);
  }

  void DrawText(TNeoGraphicsSVGElement& AElement, const TNeoGraphicsMatrix& AMatrix) {
    if (AElement.GetType() == etText) {
      const bool sized = AElement.GetFontSize() != 0 && AElement.HasFontSize();
      FSurface.SetFont(AElement.GetFontFamily().empty() ? String(u"Arial") : AElement.GetFontFamily(),
                       sized ? AElement.GetFontSize() : 12, AElement.GetFontStyle(), AElement.GetFillColor());
    }
    if (!AElement.GetText().empty()) {
      const TNeoGraphicsMatrix saved = FSurface.GetMatrix();
      FSurface.SetMatrix(AMatrix * FTextMatrix);
      struct TRestore {
        TNeoSVGDrawSurface& Surface;
        const TNeoGraphicsMatrix& Matrix;
        ~TRestore() { Surface.SetMatrix(Matrix); }
      } restore{FSurface, saved};
      // A text node has no position of its own: it anchors at its text or tspan element.
      const TNeoGraphicsSVGElement* parent = AElement.GetParent();
      const bool inText = AElement.GetType() == etTextSpanChild && parent &&
                          (parent->GetType() == etTextSpan || parent->GetType() == etText);
      const TNeoGraphicsSVGElement& anchor = inText ? *parent : AElement;
      const Single y = anchor.GetY() - FSurface.CalculateTextHeight(AElement.GetText());
      FSurface.DrawText(TPointF{anchor.GetX(), y}, AElement.GetText());
    }
    if (AElement.HasElements()) DrawElements(*AElement.GetElements());
  }

  void ApplyFill(TNeoGraphicsSVGElement& AElement, const TNeoGraphicsSVGElement& AStyle,
                 const TNeoGraphicsMatrix& AOutlineMatrix) {
    TNeoGraphicsFill& fill = FSurface.Fill();
    if (AElement.GetPatternRef()) {
      ApplyGradient(AElement, AOutlineMatrix);
      return;
    }
    const TNeoGraphicsSVGElement& e = ResolveStyle(AStyle, &TNeoGraphicsSVGElement::GetFillColorValue);
    if (e.HasFillColor()) {
      fill.SetKind(gfkSolid);
      fill.SetColor(FGrayScale ? GrayColor(e.GetFillColor()) : e.GetFillColor());
    } else if (e.GetFillColorValue() == DefaultValue) {
      fill.SetKind(gfkSolid);
      fill.SetColor(0);
    } else {
      fill.SetKind(gfkNone);
    }
  }

  void ApplyGradient(TNeoGraphicsSVGElement& AElement, const TNeoGraphicsMatrix& AOutlineMatrix) {
    TNeoGraphicsSVGElement* g = AElement.GetPatternRef();
    if (g->GetHRefRef()) g = g->GetHRefRef();
    TNeoGraphicsFill& fill = FSurface.Fill();
    fill.BeginUpdate();
    struct TEndUpdate {
      TNeoGraphicsFill& Fill;
      ~TEndUpdate() { Fill.EndUpdate(); }
    } endUpdate{fill};
    fill.SetKind(gfkGradient);
    fill.SetGradientMode(gfgmCollection);
    fill.ClearGradientItems();
    if (g->GetType() == etLinearGradient) {
      fill.SetGradientType(gfgtLinear);
      fill.SetOrientation(gfoCustom);
      Double angle = std::atan2(Double(g->GetHeight()) - g->GetY(), Double(g->GetWidth()) - g->GetX()) * DegreesPerRadian;
      if (angle < 0) angle += 360;
      fill.SetGradientAngle(static_cast<Single>(angle));
    } else if (g->GetType() == etRadialGradient) {
      fill.SetGradientType(gfgtRadial);
      TNeoGraphicsPath shape;
      AddShapeOutline(AElement, shape);
      shape.ApplyMatrix(AOutlineMatrix);
      const TRectF bounds = shape.GetBounds();
      const Single cx = g->GetHasCX() ? g->GetCX() : 50, cy = g->GetHasCY() ? g->GetCY() : 50;
      fill.SetGradientCenterPoint(TPointF{bounds.Left + (bounds.Right - bounds.Left) * cx / 100,
                                          bounds.Top + (bounds.Bottom - bounds.Top) * cy / 100});
    }
    if (g->HasElements())
      for (TNeoGraphicsSVGElement* stop : *g->GetElements())
        if (stop->GetType() == etStop) fill.AddGradientItem(stop->GetStopColor(), stop->GetOffset(), stop->GetStopOpacity());
  }

  void ApplyStroke(const TNeoGraphicsSVGElement& AStyle) {
    const TNeoGraphicsSVGElement& e = ResolveStyle(AStyle, &TNeoGraphicsSVGElement::GetStrokeColorValue);
    TNeoGraphicsStroke& stroke = FSurface.Stroke();
    if (e.HasStrokeColor()) {
      stroke.SetKind(gskSolid);
      stroke.SetColor(FGrayScale ? GrayColor(e.GetStrokeColor()) : e.GetStrokeColor());
    } else {
      stroke.SetKind(gskNone);
    }
  }

  void ApplyStrokeWidth(const TNeoGraphicsSVGElement& AStyle) {
    const TNeoGraphicsSVGElement& e = ResolveStyle(AStyle, &TNeoGraphicsSVGElement::GetStrokeWidthValue);
    FSurface.Stroke().SetWidth(e.HasStrokeWidth() ? std::max(1.0f, e.GetStrokeWidth() * FScaleX) : 1.0f);
  }

  void ApplyOpacity(const TNeoGraphicsSVGElement& AStyle) {
    const TNeoGraphicsSVGElement& e = ResolveStyle(AStyle, &TNeoGraphicsSVGElement::GetOpacityValue);
    const Single opacity = e.HasOpacity() ? e.GetOpacity() : 1.0f;
    FSurface.Fill().SetOpacity(opacity);
    FSurface.Stroke().SetOpacity(opacity);
  }

  TNeoSVGDrawSurface& FSurface;
  const TNeoGraphicsMatrix& FViewMatrix;
  const TNeoGraphicsMatrix& FTextMatrix;
  Single FScaleX;
  bool FGrayScale;
};

}  // namespace

bool TNeoGraphicsSVGImport::MapView(const TRectF& ARect, Single& AScaleX) {
  if (!HasElements()) return false;
  const TRectF& v = FViewRect;
  const Double viewWidth = Double(v.Right) - v.Left, viewHeight = Double(v.Bottom) - v.Top;
  if (!(viewWidth > 0) || !(viewHeight > 0)) return false;
  const auto sx = static_cast<Single>((Double(ARect.Right) - ARect.Left) / viewWidth);
  const auto sy = static_cast<Single>((Double(ARect.Bottom) - ARect.Top) / viewHeight);
  // A zero scale draws nothing; neither does one that is not finite (a NaN or infinite target).
  if (sx == 0 || sy == 0 || !std::isfinite(sx) || !std::isfinite(sy)) return false;
  // The document origin lands on the target's top-left corner, unrounded.
  FMatrix = TNeoGraphicsMatrix::CreateTranslation(-v.Left, -v.Top) *
            TNeoGraphicsMatrix::CreateTranslation(ARect.Left / sx, ARect.Top / sy) *
            TNeoGraphicsMatrix::CreateScaling(sx, sy);
  AScaleX = sx;
  return true;
}

void TNeoGraphicsSVGImport::DrawOnSurface(TNeoSVGDrawSurface& ASurface, const TRectF& ARect) {
  Single sx = 0;
  if (MapView(ARect, sx)) DrawElementsOn(ASurface, sx);
}

void TNeoGraphicsSVGImport::DrawElementsOn(TNeoSVGDrawSurface& ASurface, Single AScaleX) {
  TSVGRenderer(ASurface, FMatrix, FTextMatrix, AScaleX, FGrayScale).DrawElements(FElementList);
}

void TNeoGraphicsSVGImport::DrawScene(TNeoGraphics& AGraphics, const TRectF& ARect, bool ANative, Single AScaleX) {
  const std::unique_ptr<TNeoSVGDrawSurface> surface = CreateSVGGraphicsSurface(AGraphics);
  if (!ANative) {
    DrawElementsOn(*surface, AScaleX);
    return;
  }
  TNeoGraphicsContext* context = AGraphics.GetContext();
  context->SetSize(ARect.Right - ARect.Left, ARect.Bottom - ARect.Top);
  context->SetAntiAliasing(true);
  if (auto* native = static_cast<NeoGDIPlusClasses::TGPGraphics*>(context->GetNativeCanvas())) {
    native->SetPixelOffsetMode(PixelOffsetModeHalf);
    native->SetCompositingQuality(CompositingQualityHighQuality);
  }
  AGraphics.BeginScene();
  // The scene is rendered whether or not drawing it succeeded.
  struct TRender {
    TNeoGraphicsContext* Context;
    ~TRender() { Context->Render(); }
  } render{context};
  DrawElementsOn(*surface, AScaleX);
  AGraphics.EndScene();
}

void TNeoGraphicsSVGImport::Draw(TCanvas* ACanvas, const TRectF& ARect, bool ANative) {
  Single sx = 0;
  if (!ACanvas || !MapView(ARect, sx)) return;
  TNeoGraphics graphics(ACanvas, ANative);
  DrawScene(graphics, ARect, ANative, sx);
}

void TNeoGraphicsSVGImport::Draw(TNeoGraphics* AGraphics, const TRectF& ARect, bool ANative, bool ARecreateGraphics) {
  Single sx = 0;
  if (!AGraphics || !MapView(ARect, sx)) return;
  const bool native = ANative && ARecreateGraphics;
  if (native) FMatrix = FMatrix * AGraphics->GetContext()->GetMatrix();
  if (!ARecreateGraphics) {
    DrawScene(*AGraphics, ARect, false, sx);
    return;
  }
  TNeoGraphics graphics(AGraphics->GetCanvas(), native);
  DrawScene(graphics, ARect, native, sx);
}

TNeoBitmap* TNeoGraphicsSVGImport::GenerateBitmap(Single AWidth, Single AHeight) {
  if (!HasElements()) return nullptr;
  FCachedBitmap = std::make_unique<TNeoBitmap>();
  const TRectF& v = FViewRect;
  const bool seen = v.Left != ViewMarkerLow && v.Top != ViewMarkerLow && v.Right != ViewMarkerHigh &&
                    v.Bottom != ViewMarkerHigh;
  if (!seen || !(v.Right - v.Left > 0) || !(v.Bottom - v.Top > 0)) return FCachedBitmap.get();
  const TRectF target = AWidth > -1 && AHeight > -1 ? TRectF{0, 0, AWidth, AHeight} : v;
  const Double width = std::nearbyint(Double(target.Right)), height = std::nearbyint(Double(target.Bottom));
  // A target whose extent rounds to nothing, or beyond any sensible bitmap, gives the empty bitmap.
  if (!(width >= 1) || !(height >= 1) || width * height > MaxBitmapPixels) return FCachedBitmap.get();
  const std::unique_ptr<TNeoGraphics> graphics =
      TNeoGraphics::CreateBitmapCanvas(static_cast<Integer>(width), static_cast<Integer>(height), false, true);
  graphics->BeginScene();
  Draw(graphics.get(), target, false, true);
  FCachedBitmap->SetBitmap(graphics->GetBitmap());
  graphics->EndScene();
  return FCachedBitmap.get();
}

bool DrawSVGPictureOnGraphics(TNeoGraphics* AGraphics, TPicture* ABitmap, const TRectF& ARect) {
  auto* picture = dynamic_cast<TNeoBitmap*>(ABitmap);
  auto* svgPicture = picture ? dynamic_cast<TNeoSVGBitmap*>(picture->GetGraphic()) : nullptr;
  auto* svg = svgPicture ? dynamic_cast<TNeoGraphicsSVGImport*>(svgPicture->GetSVG()) : nullptr;
  if (!svg || !svg->HasElements()) return false;
  svg->Draw(AGraphics, ARect, true, true);
  return true;
}
