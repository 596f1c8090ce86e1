// Converting a path into a back end's native path through the context's path operations.
#include <limits>
#include <memory>

#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"

namespace {

// A native path as a list of figures, each a list of points, plus whether it was closed.
struct RecordedFigure {
  std::vector<TPointF> Points;
  bool Closed = false;
};
struct RecordedPath {
  std::vector<RecordedFigure> Figures;
};

// A back end that records what it is asked to build; drawing does nothing.
class RecordingContext : public TNeoGraphicsContext {
public:
  RecordingContext() : TNeoGraphicsContext(nullptr) {}

  Pointer CreatePath() override { return new RecordedPath(); }
  void PathOpen(Pointer APath) override { Path(APath).Figures.emplace_back(); }
  void PathMoveTo(Pointer APath, TPointF APoint) override { Figure(APath).Points.push_back(APoint); }
  void PathLineTo(Pointer APath, TPointF APoint) override { Figure(APath).Points.push_back(APoint); }
  void PathClose(Pointer APath) override { Figure(APath).Closed = true; }

  Pointer GetNativeCanvas() override { return this; }
  TColor GetFillColor() override { return gcNull; }
  TRectF CalculateText(const String&, const TRectF& ARect, bool) override { return ARect; }
  TRectF SetTextAngle(const TRectF& ARect, Single) override { return ARect; }
  TNeoGraphicsMatrix GetMatrix() override { return MatrixIdentity(); }
  void Render() override {}
  void SetScale(Single) override {}
  void ResetClip() override {}
  void ResetTransform() override {}
  void ScaleTransform(Single, Single) override {}
  void RotateTransform(Single) override {}
  void TranslateTransform(Single, Single) override {}
  void SetTextQuality(TNeoGraphicsTextQuality) override {}
  void SetAntiAliasing(bool) override {}
  void SetShowAcceleratorChar(bool) override {}
  void SetSize(Single, Single) override {}
  void ResetTextAngle(Single) override {}
  void BeginScene() override {}
  void EndScene() override {}
  void StartSpecialPen() override {}
  void StopSpecialPen() override {}
  void RestoreState(TNeoGraphicsSaveState*) override {}
  void SaveState(TNeoGraphicsSaveState*) override {}
  void SetFontSize(Integer) override {}
  void SetFontColor(TColor) override {}
  void SetFontName(const String&) override {}
  void SetFont(TNeoGraphicsFont*) override {}
  void SetFontStyles(TFontStyles) override {}
  void SetMatrix(const TNeoGraphicsMatrix&) override {}
  void SetFill(TNeoGraphicsFill*) override {}
  void SetFillKind(TNeoGraphicsFillKind) override {}
  void SetFillColor(TColor) override {}
  void SetStroke(TNeoGraphicsStroke*) override {}
  void SetStrokeKind(TNeoGraphicsStrokeKind) override {}
  void SetStrokeColor(TColor) override {}
  void SetStrokeWidth(Single) override {}
  void DrawLine(TNeoGraphicsStroke*, TPointF, TPointF, TNeoGraphicsModifyPointMode, TNeoGraphicsModifyPointMode) override {}
  void DrawPolygon(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon&) override {}
  void FillPolygon(TNeoGraphicsFill*, const TNeoGraphicsPathPolygon&) override {}
  void DrawPolyline(TNeoGraphicsStroke*, const TNeoGraphicsPathPolygon&) override {}
  void FillPolyline(TNeoGraphicsFill*, const TNeoGraphicsPathPolygon&) override {}
  void FillArc(TNeoGraphicsFill*, TPointF, TPointF, Single, Single) override {}
  void DrawArc(TNeoGraphicsStroke*, TPointF, TPointF, Single, Single) override {}
  void FillRect(TNeoGraphicsFill*, const TRectF&, TNeoGraphicsModifyRectMode) override {}
  void DrawRect(TNeoGraphicsStroke*, const TRectF&, TNeoGraphicsSides, TNeoGraphicsModifyRectMode) override {}
  void FillRoundRect(TNeoGraphicsFill*, const TRectF&, Single, TNeoGraphicsCorners, TNeoGraphicsModifyRectMode) override {}
  void DrawRoundRect(TNeoGraphicsStroke*, const TRectF&, Single, TNeoGraphicsCorners, TNeoGraphicsModifyRectMode) override {}
  void FillEllipse(TNeoGraphicsFill*, const TRectF&, TNeoGraphicsModifyRectMode) override {}
  void DrawEllipse(TNeoGraphicsStroke*, const TRectF&, TNeoGraphicsModifyRectMode) override {}
  void DrawBitmap(TGraphic*, const TRectF&, const TRectF&, Single) override {}
  void ClipRect(const TRectF&) override {}
  void ClipPath(TNeoGraphicsPath*) override {}
  void DrawFocusPath(TNeoGraphicsStroke*, TNeoGraphicsPath*, TColor) override {}
  void DrawFocusRectangle(TNeoGraphicsStroke*, const TRectF&, TColor, TNeoGraphicsModifyRectMode) override {}
  void DrawText(const String&, const TRectF&, bool, TNeoGraphicsTextAlign, TNeoGraphicsTextAlign,
                TNeoGraphicsTextTrimming, Single) override {}
  void DrawPath(TNeoGraphicsStroke*, TNeoGraphicsPath*, TNeoGraphicsPathDrawMode) override {}
  void FillPath(TNeoGraphicsFill*, TNeoGraphicsPath*, TNeoGraphicsPathDrawMode) override {}

  std::unique_ptr<RecordedPath> Convert(const TNeoGraphicsPath& APath, Single Flatness) {
    return std::unique_ptr<RecordedPath>(static_cast<RecordedPath*>(ConvertToPath(&APath, Flatness)));
  }

private:
  static RecordedPath& Path(Pointer APath) { return *static_cast<RecordedPath*>(APath); }
  // Points before any move-to land in a figure of their own.
  static RecordedFigure& Figure(Pointer APath) {
    RecordedPath& path = Path(APath);
    if (path.Figures.empty()) path.Figures.emplace_back();
    return path.Figures.back();
  }
};

void ExpectPoint(TPointF Actual, TPointF Expected) {
  EXPECT_NEAR(Actual.X, Expected.X, 1e-4);
  EXPECT_NEAR(Actual.Y, Expected.Y, 1e-4);
}

}  // namespace

TEST(NeoGraphicsContext, MoveToOnlyPathsGiveOneFigurePerMoveTo) {
  RecordingContext context;
  TNeoGraphicsPath empty;
  std::unique_ptr<RecordedPath> none = context.Convert(empty, 0.25f);
  ASSERT_NE(none, nullptr);
  EXPECT_TRUE(none->Figures.empty());

  TNeoGraphicsPath moves;
  moves.MoveTo(PointF(1, 1));
  moves.MoveTo(PointF(2, 2));
  moves.MoveTo(PointF(3, 3));
  std::unique_ptr<RecordedPath> path = context.Convert(moves, 0.25f);
  ASSERT_EQ(path->Figures.size(), 3u);
  for (const RecordedFigure& f : path->Figures) EXPECT_EQ(f.Points.size(), 1u);
  ExpectPoint(path->Figures[2].Points[0], PointF(3, 3));
}

TEST(NeoGraphicsContext, LinesAndCloseMarkersPassThrough) {
  RecordingContext context;
  TNeoGraphicsPath rect;
  rect.AddRectangle(RectF(0, 0, 10, 5));
  std::unique_ptr<RecordedPath> path = context.Convert(rect, 1);
  ASSERT_EQ(path->Figures.size(), 1u);
  EXPECT_TRUE(path->Figures[0].Closed);
  ASSERT_EQ(path->Figures[0].Points.size(), 4u);
  ExpectPoint(path->Figures[0].Points[2], PointF(10, 5));
}

TEST(NeoGraphicsContext, CurvesBecomeSamplesStartingAtTheCurrentPoint) {
  RecordingContext context;
  TNeoGraphicsPath curve;
  curve.MoveTo(PointF(0, 0));
  curve.CurveTo(PointF(0, 10), PointF(10, 10), PointF(10, 0));
  curve.LineTo(PointF(20, 0));
  std::unique_ptr<RecordedPath> path = context.Convert(curve, 1);
  const std::vector<TPointF>& points = path->Figures.at(0).Points;
  const Integer n = TNeoGraphicsPath::CurveSampleCount({PointF(0, 0), PointF(0, 10), PointF(10, 10), PointF(10, 0)}, 1);
  EXPECT_GE(n, 2);
  ASSERT_EQ(points.size(), static_cast<std::size_t>(1 + n + 1));
  ExpectPoint(points[1], PointF(0, 0));   // the first sample repeats the current point
  ExpectPoint(points[n], PointF(10, 0));
  ExpectPoint(points.back(), PointF(20, 0));
}

TEST(NeoGraphicsContext, VeryShortCurvesBecomeOneSegmentAndTheNextCurveStartsAtTheirEnd) {
  RecordingContext context;
  TNeoGraphicsPath curves;
  curves.MoveTo(PointF(0, 0));
  curves.CurveTo(PointF(0.01f, 0), PointF(0.02f, 0), PointF(0.03f, 0));   // far below the flatness
  curves.CurveTo(PointF(0.03f, 10), PointF(10, 10), PointF(10, 0));
  std::unique_ptr<RecordedPath> path = context.Convert(curves, 1);
  const std::vector<TPointF>& points = path->Figures.at(0).Points;
  ASSERT_GE(points.size(), 4u);
  ExpectPoint(points[1], PointF(0.03f, 0));   // one straight segment to the end point
  ExpectPoint(points[2], PointF(0.03f, 0));   // the second curve's first sample
  ExpectPoint(points.back(), PointF(10, 0));
}

TEST(NeoGraphicsContext, FlatnessAtOrBelowTheMinimumCountsAsTheMinimum) {
  RecordingContext context;
  TNeoGraphicsPath curve;
  curve.MoveTo(PointF(0, 0));
  curve.CurveTo(PointF(0, 1), PointF(1, 1), PointF(1, 0));
  const std::size_t atMinimum = context.Convert(curve, TNeoGraphicsPath::MinFlatness)->Figures.at(0).Points.size();
  EXPECT_GT(atMinimum, 10u);
  for (Single flatness : {0.0f, -3.0f, std::numeric_limits<Single>::quiet_NaN()})
    EXPECT_EQ(context.Convert(curve, flatness)->Figures.at(0).Points.size(), atMinimum) << flatness;
  EXPECT_LT(context.Convert(curve, 0.5f)->Figures.at(0).Points.size(), atMinimum);
}

TEST(NeoGraphicsContext, TheContextKnowsItsFacadeAndCarriesTheJsonOperations) {
  RecordingContext context;
  EXPECT_EQ(context.GetGraphics(), nullptr);
  EXPECT_EQ(context.GetCanvas(), nullptr);
  EXPECT_EQ(context.NativeCanvas(), &context);
  EXPECT_EQ(context.ToJSON().front(), u'{');
}
