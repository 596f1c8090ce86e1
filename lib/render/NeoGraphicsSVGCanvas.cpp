// The SVG drawing surface over a plain canvas: GDI calls on the canvas's device context, the
// drawing rules of the library's canvas graphics back end (rounded coordinates, no transforms,
// no opacity, clips by bounding rectangle).
#include <algorithm>
#include <cmath>
#include <vector>

#include "lib/base/NeoUtils.h"
#include "lib/render/NeoGraphicsSVGDrawInternal.h"

namespace {

// Coordinates beyond this are drawn at this: the device context rasterises every row a figure
// spans, so an outline 1e30 units away must not reach it as it is.
constexpr Single CoordinateLimit = 1 << 16;

// To the nearest integer, halves to even; NaN gives 0.
Integer RoundCoordinate(Single AValue) {
  if (std::isnan(AValue)) return 0;
  return static_cast<Integer>(std::nearbyint(std::clamp(AValue, -CoordinateLimit, CoordinateLimit)));
}

TRect RoundRect(const TRectF& ARect) {
  return TRect{RoundCoordinate(ARect.Left), RoundCoordinate(ARect.Top), RoundCoordinate(ARect.Right),
               RoundCoordinate(ARect.Bottom)};
}

// The picture's size fitted into ABox with its aspect ratio kept, centred.
TRectF FitCentered(const TRectF& ABox, Single AWidth, Single AHeight) {
  const Single boxWidth = ABox.Right - ABox.Left, boxHeight = ABox.Bottom - ABox.Top;
  if (AWidth <= 0 || AHeight <= 0) return ABox;
  const Single scale = std::min(boxWidth / AWidth, boxHeight / AHeight);
  const Single w = AWidth * scale, h = AHeight * scale;
  const Single dx = std::nearbyint((boxWidth - w) / 2), dy = std::nearbyint((boxHeight - h) / 2);
  return TRectF{ABox.Left + dx, ABox.Top + dy, ABox.Left + dx + w, ABox.Top + dy + h};
}

class TSVGCanvasSurface final : public TNeoSVGDrawSurface {
public:
  explicit TSVGCanvasSurface(TCanvas* ACanvas) : FCanvas(ACanvas) {}

  TNeoGraphicsFill& Fill() override { return FFill; }
  TNeoGraphicsStroke& Stroke() override { return FStroke; }

  void SaveState() override {
    auto state = std::make_unique<TState>();
    state->Fill.Assign(&FFill);
    state->Stroke.Assign(&FStroke);
    state->Font.Assign(FCanvas->GetFont());
    state->Pen.Assign(FCanvas->GetPen());
    state->Brush.Assign(FCanvas->GetBrush());
    FCanvas->Refresh();
    state->SavedDC = ::SaveDC(FCanvas->GetHandle());
    FStates.push_back(std::move(state));
  }

  void RestoreState() override {
    if (FStates.empty()) return;
    std::unique_ptr<TState> state = std::move(FStates.back());
    FStates.pop_back();
    FFill.Assign(&state->Fill);
    FStroke.Assign(&state->Stroke);
    ::RestoreDC(FCanvas->GetHandle(), state->SavedDC);
    FCanvas->GetFont()->Assign(&state->Font);
    FCanvas->GetPen()->Assign(&state->Pen);
    FCanvas->GetBrush()->Assign(&state->Brush);
    FCanvas->Refresh();
  }

  void SetFont(const String& AName, Single ASize, TFontStyles AStyle, TColor AColor) override {
    TFont* font = FCanvas->GetFont();
    font->SetName(AName);
    TNeoUtils::SetFontSize(font, ASize);
    font->SetStyle(AStyle);
    font->SetColor(AColor);
  }

  void ClipPath(const TNeoGraphicsPath& APath) override {
    const TRect r = RoundRect(APath.GetBounds());
    ::IntersectClipRect(FCanvas->GetHandle(), r.left, r.top, r.right, r.bottom);
  }

  void DrawPath(const TNeoGraphicsPath& APath) override {
    TNeoGraphicsPath flat;
    flat.Assign(const_cast<TNeoGraphicsPath*>(&APath));
    flat.Flatten(0.25f);
    if (FFill.GetKind() != gfkNone && FFill.GetColor() != gcNull) {
      SelectFill();
      FCanvas->GetPen()->SetStyle(psClear);
      FillOrStroke(flat, true);
    }
    if (FStroke.GetKind() != gskNone && FStroke.GetColor() != gcNull) {
      SelectStroke();
      FCanvas->GetBrush()->SetStyle(bsClear);
      FillOrStroke(flat, false);
    }
  }

  TNeoGraphicsMatrix GetMatrix() override { return TNeoGraphicsMatrix::Identity(); }
  void SetMatrix(const TNeoGraphicsMatrix&) override {}

  void DrawBitmap(const TRectF& ARect, TNeoBitmap* ABitmap, bool AAspectRatio, bool, bool, bool) override {
    TGraphic* graphic = ABitmap ? ABitmap->GetGraphic() : nullptr;
    if (!graphic || graphic->GetEmpty()) return;
    const TRectF r = AAspectRatio ? FitCentered(ARect, graphic->GetWidth(), graphic->GetHeight()) : ARect;
    FCanvas->StretchDraw(RoundRect(r), graphic);
  }

  Single CalculateTextHeight(const String& AText) override {
    TRect r{0, 0, 10000, 10000};
    FCanvas->TextRect(r, AText, TTextFormat{tfCalcRect, tfSingleLine, tfNoPrefix});
    return static_cast<Single>(r.bottom - r.top + 1);
  }

  void DrawText(TPointF APoint, const String& AText) override {
    const Integer x = RoundCoordinate(APoint.X), y = RoundCoordinate(APoint.Y);
    TRect r{x, y, x + 10000, y + 10000};
    FCanvas->GetBrush()->SetStyle(bsClear);
    FCanvas->TextRect(r, AText, TTextFormat{tfSingleLine, tfLeft, tfTop, tfNoPrefix});
  }

private:
  struct TState {
    TNeoGraphicsFill Fill;
    TNeoGraphicsStroke Stroke;
    TFont Font;
    TPen Pen;
    TBrush Brush;
    Integer SavedDC = 0;
  };

  void SelectFill() {
    TBrush* brush = FCanvas->GetBrush();
    brush->SetColor(FFill.GetColor());
    brush->SetStyle(bsSolid);
  }

  void SelectStroke() {
    TPen* pen = FCanvas->GetPen();
    pen->SetColor(FStroke.GetColor());
    pen->SetWidth(std::max(1, RoundCoordinate(FStroke.GetWidth())));
    pen->SetStyle(PenStyle(FStroke.GetKind()));
  }

  static TPenStyle PenStyle(TNeoGraphicsStrokeKind AKind) {
    switch (AKind) {
      case gskNone: return psClear;
      case gskDash: return psDash;
      case gskDot: return psDot;
      case gskDashDot: return psDashDot;
      case gskDashDotDot: return psDashDotDot;
      default: return psSolid;
    }
  }

  // The flattened outline as the device context's path, then filled or stroked.
  void FillOrStroke(const TNeoGraphicsPath& AFlat, bool AFill) {
    const HDC dc = FCanvas->GetHandle();
    ::BeginPath(dc);
    for (Integer i = 0; i < AFlat.GetCount(); ++i) {
      const TNeoGraphicsPathPoint& p = AFlat.GetPoint(i);
      const Integer x = RoundCoordinate(p.Point.X), y = RoundCoordinate(p.Point.Y);
      switch (p.Kind) {
        case gppMoveTo: ::MoveToEx(dc, x, y, nullptr); break;
        case gppClose: ::CloseFigure(dc); break;
        default: ::LineTo(dc, x, y); break;
      }
    }
    ::EndPath(dc);
    if (AFill) ::FillPath(dc);
    else ::StrokePath(dc);
    ::AbortPath(dc);
  }

  TCanvas* FCanvas;
  TNeoGraphicsFill FFill{gfkSolid, 0};
  TNeoGraphicsStroke FStroke{gskNone, 0};
  std::vector<std::unique_ptr<TState>> FStates;
};

}  // namespace

std::unique_ptr<TNeoSVGDrawSurface> CreateSVGCanvasSurface(TCanvas* ACanvas) {
  return std::make_unique<TSVGCanvasSurface>(ACanvas);
}
