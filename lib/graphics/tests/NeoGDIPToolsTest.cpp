// The NeoGDIP drawing tools: matrix, string format, pens, brushes, regions, fonts, paths and image
// attributes.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "lib/graphics/tests/NeoGDIPTestSupport.h"
#include "lib/graphics/tests/TestColors.h"

namespace NeoGDIP {
namespace {

TGPPointF Mapped(TGPMatrix& AMatrix, TGPPointF APoint) {
  EXPECT_EQ(AMatrix.TransformPoints(&APoint), Ok);
  return APoint;
}

void ExpectNear(TGPPointF AGot, TGPPointF AWant) {
  EXPECT_NEAR(AGot.X, AWant.X, 1e-4) << "x";
  EXPECT_NEAR(AGot.Y, AWant.Y, 1e-4) << "y";
}

TEST_F(NeoGDIPTest, MatrixElementsOffsetsAndReset) {
  std::unique_ptr<TGPMatrix> m(new TGPMatrix(1, 0, 0, 1, 5, 7));
  EXPECT_EQ(m->OffsetX(), 5.0f);
  EXPECT_EQ(m->OffsetY(), 7.0f);
  EXPECT_FALSE(m->IsIdentity());
  ASSERT_EQ(m->Scale(2, 3), Ok);
  TMatrixArray e{};
  ASSERT_EQ(m->GetElements(e), Ok);
  EXPECT_EQ(e, (TMatrixArray{2, 0, 0, 3, 5, 7}));
  TGPPoint p{1, 1};
  ASSERT_EQ(m->TransformPoints(&p), Ok);
  EXPECT_EQ(p.X, 7);
  EXPECT_EQ(p.Y, 10);
  TGPPointF v{1, 1};
  ASSERT_EQ(m->TransformVectors(&v), Ok);
  ExpectNear(v, {2, 3});
  EXPECT_TRUE(m->IsInvertible());
  ASSERT_EQ(m->Reset(), Ok);
  EXPECT_TRUE(m->IsIdentity());
  EXPECT_EQ(m->OffsetX(), 0.0f);

  // The rectangle (0, 0, 10, 10) onto the parallelogram (0, 0), (20, 0), (0, 10).
  const TGPPointF plg[] = {{0, 0}, {20, 0}, {0, 10}};
  std::unique_ptr<TGPMatrix> fit(new TGPMatrix(TGPRectF{0, 0, 10, 10}, plg));
  ExpectNear(Mapped(*fit, {10, 10}), {20, 10});

  std::unique_ptr<TGPMatrix> flat(new TGPMatrix(0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(flat->IsInvertible());
  EXPECT_NE(flat->Invert(), Ok);
}

TEST_F(NeoGDIPTest, MatrixRotateAtAppendsAndPrepends) {
  std::unique_ptr<TGPMatrix> m(new TGPMatrix);
  ASSERT_EQ(m->RotateAt(90, TGPPointF{10, 0}, MatrixOrderAppend), Ok);
  ExpectNear(Mapped(*m, {10, 0}), {10, 0});
  ExpectNear(Mapped(*m, {20, 0}), {10, 10});

  // Over a translation by (5, 0): appended, the rotation follows it; prepended, it comes first.
  std::unique_ptr<TGPMatrix> append(new TGPMatrix(1, 0, 0, 1, 5, 0));
  ASSERT_EQ(append->RotateAt(90, TGPPointF{10, 0}, MatrixOrderAppend), Ok);
  ExpectNear(Mapped(*append, {20, 0}), {10, 15});
  std::unique_ptr<TGPMatrix> prepend(new TGPMatrix(1, 0, 0, 1, 5, 0));
  ASSERT_EQ(prepend->RotateAt(90, TGPPointF{10, 0}, MatrixOrderPrepend), Ok);
  ExpectNear(Mapped(*prepend, {20, 0}), {15, 10});
}

// Matrices freed through the unit's import, counted on the way to GDI+.
int gMatricesDeleted = 0;
gdip::TGdipDeleteMatrix gDeleteMatrix = nullptr;
Status CountedDeleteMatrix(gdip::GpMatrix* AMatrix) {
  ++gMatricesDeleted;
  return gDeleteMatrix(AMatrix);
}

TEST_F(NeoGDIPTest, MatrixCloneAndCloneAfterAnUnreadFailure) {
  std::unique_ptr<TGPMatrix> m(new TGPMatrix(1, 2, 3, 4, 5, 6));
  std::unique_ptr<TGPMatrix> copy(m->Clone());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->nativeMatrix, m->nativeMatrix);
  EXPECT_EQ(copy->lastResult, Ok);
  EXPECT_EQ(copy->OffsetY(), 6.0f);

  EXPECT_EQ(m->Multiply(nullptr), InvalidParameter);
  // GDI+ makes the copy, but the failure still unread answers nil; the copy is freed.
  gDeleteMatrix = std::exchange(Imports.GdipDeleteMatrix, &CountedDeleteMatrix);
  gMatricesDeleted = 0;
  EXPECT_EQ(m->Clone(), nullptr);
  Imports.GdipDeleteMatrix = gDeleteMatrix;
  EXPECT_EQ(gMatricesDeleted, 1);
  EXPECT_EQ(m->GetLastStatus(), InvalidParameter);
  EXPECT_EQ(m->GetLastStatus(), Ok);
  std::unique_ptr<TGPMatrix> again(m->Clone());
  EXPECT_NE(again, nullptr);
}

TEST_F(NeoGDIPTest, StringFormatSettingsAndClone) {
  std::unique_ptr<TGPStringFormat> f(new TGPStringFormat(gdip::StringFormatFlagsNoWrap));
  ASSERT_EQ(f->lastError, Ok);
  EXPECT_EQ(f->GetFormatFlags(), gdip::StringFormatFlagsNoWrap);
  EXPECT_EQ(f->SetAlignment(StringAlignmentCenter), Ok);
  EXPECT_EQ(f->SetLineAlignment(StringAlignmentFar), Ok);
  EXPECT_EQ(f->SetTrimming(StringTrimmingEllipsisCharacter), Ok);
  EXPECT_EQ(f->SetHotkeyPrefix(HotkeyPrefixShow), Ok);
  EXPECT_EQ(f->SetFormatFlags(0), Ok);
  std::unique_ptr<TGPStringFormat> copy(new TGPStringFormat(f.get()));
  for (TGPStringFormat* format : {f.get(), copy.get()}) {
    EXPECT_EQ(format->GetAlignment(), StringAlignmentCenter);
    EXPECT_EQ(format->GetLineAlignment(), StringAlignmentFar);
    EXPECT_EQ(format->GetTrimming(), StringTrimmingEllipsisCharacter);
    EXPECT_EQ(format->GetHotkeyPrefix(), HotkeyPrefixShow);
    EXPECT_EQ(format->GetFormatFlags(), 0);
  }
  std::unique_ptr<TGPStringFormat> none(new TGPStringFormat(static_cast<TGPStringFormat*>(nullptr)));
  EXPECT_EQ(none->lastError, InvalidParameter);
  EXPECT_EQ(none->nativeFormat, nullptr);
}

// A 10 x 10 white bitmap, a rectangle filled with the brush over it, and the pixel at (X, Y).
ARGB FilledPixel(TGPBrush* ABrush, Integer X, Integer Y) {
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(10, 10));
  {
    std::unique_ptr<TGPGraphics> g(TGPGraphics::FromImage(bitmap.get()));
    g->Clear(White);
    EXPECT_EQ(g->FillRectangle(ABrush, 0, 0, 10, 10), Ok);
  }
  ARGB color = 0;
  bitmap->GetPixel(X, Y, color);
  return color;
}

TEST_F(NeoGDIPTest, PenBrushesByFillType) {
  std::unique_ptr<TGPPen> colour(new TGPPen(Red, 2));
  EXPECT_EQ(colour->GetPenType(), gdip::PenTypeSolidColor);
  std::unique_ptr<TGPBrush> solid(colour->GetBrush());
  ASSERT_NE(dynamic_cast<TGPSolidBrush*>(solid.get()), nullptr);
  EXPECT_EQ(solid->lastResult, Ok);
  ASSERT_NE(solid->nativeBrush, nullptr);
  EXPECT_EQ(FilledPixel(solid.get(), 5, 5), Red);

  // A linear-gradient pen: the base's parameterless construction, so NotImplemented, with the
  // pen's gradient brush filled in.
  TGPLinearGradientBrush gradient(TGPPointF{0, 0}, TGPPointF{10, 0}, Red, Blue);
  std::unique_ptr<TGPPen> graded(new TGPPen(&gradient, 3));
  EXPECT_EQ(graded->GetPenType(), gdip::PenTypeLinearGradient);
  std::unique_ptr<TGPBrush> brush(graded->GetBrush());
  ASSERT_NE(dynamic_cast<TGPLinearGradientBrush*>(brush.get()), nullptr);
  EXPECT_EQ(brush->lastResult, NotImplemented);
  EXPECT_NE(brush->nativeBrush, nullptr);
  EXPECT_EQ(graded->lastResult, Ok);

  TGPHatchBrush hatch(HatchStyleCross, Blue, White);
  ASSERT_EQ(graded->SetBrush(&hatch), Ok);
  std::unique_ptr<TGPBrush> hatched(graded->GetBrush());
  EXPECT_NE(dynamic_cast<TGPHatchBrush*>(hatched.get()), nullptr);
  EXPECT_EQ(hatched->lastResult, Ok);

  EXPECT_EQ(colour->SetDashStyle(DashStyleDot), Ok);
  EXPECT_EQ(colour->GetDashStyle(), DashStyleDot);
  EXPECT_EQ(colour->SetEndCap(gdip::LineCapRound), Ok);

  std::unique_ptr<TGPBrush> nothing(new TGPBrush);
  EXPECT_EQ(nothing->lastResult, NotImplemented);
  EXPECT_EQ(nothing->nativeBrush, nullptr);
}

TEST_F(NeoGDIPTest, SolidHatchTextureAndGradientBrushes) {
  TGPHatchBrush hatch(HatchStyleVertical, Blue, Red);
  EXPECT_EQ(hatch.GetHatchStyle(), HatchStyleVertical);
  ARGB fore = 0, back = 0;
  EXPECT_EQ(hatch.GetForegroundColor(fore), Ok);
  EXPECT_EQ(hatch.GetBackgroundColor(back), Ok);
  EXPECT_EQ(fore, Blue);
  EXPECT_EQ(back, Red);

  std::unique_ptr<TGPBitmap> tile(new TGPBitmap(2, 2));
  for (int i = 0; i < 4; ++i) tile->SetPixel(i % 2, i / 2, i % 2 ? Blue : Red);
  TGPTextureBrush texture(tile.get(), WrapModeTile);
  ASSERT_EQ(texture.lastResult, Ok);
  EXPECT_EQ(FilledPixel(&texture, 4, 3), Red);
  EXPECT_EQ(FilledPixel(&texture, 5, 3), Blue);
  EXPECT_EQ(texture.SetWrapMode(WrapModeTileFlipX), Ok);
  EXPECT_EQ(texture.GetWrapMode(), WrapModeTileFlipX);
  EXPECT_EQ(texture.TranslateTransform(1, 0), Ok);
  EXPECT_EQ(texture.ResetTransform(), Ok);
  std::unique_ptr<TGPImage> image(texture.GetImage());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetWidth(), 2u);
  TGPTextureBrush part(tile.get(), WrapModeTile, TGPRect{1, 0, 1, 2});
  EXPECT_EQ(FilledPixel(&part, 4, 4), Blue);

  TGPLinearGradientBrush ramp(TGPRectF{0, 0, 10, 10}, Red, Blue, LinearGradientModeHorizontal);
  ASSERT_EQ(ramp.lastResult, Ok);
  EXPECT_EQ(ramp.SetInterpolationColors(nullptr, nullptr, 0), InvalidParameter);
  EXPECT_EQ(ramp.lastResult, InvalidParameter);
  const ARGB colours[] = {Red, Red};
  const Single positions[] = {0, 1};
  EXPECT_EQ(ramp.SetInterpolationColors(colours, positions, 2), Ok);
  EXPECT_EQ(FilledPixel(&ramp, 9, 5), Red);
  TGPLinearGradientBrush angled(TGPRect{0, 0, 10, 10}, Red, Blue, 90.0f);
  EXPECT_EQ(angled.lastResult, Ok);
}

TEST_F(NeoGDIPTest, PathGradientSurroundColourCounts) {
  std::unique_ptr<TGPGraphicsPath> square(new TGPGraphicsPath);
  ASSERT_EQ(square->AddRectangle(TGPRectF{0, 0, 10, 10}), Ok);
  TGPPathGradientBrush brush(square.get());
  ASSERT_EQ(brush.lastResult, Ok);
  EXPECT_EQ(brush.GetPointCount(), 4);

  const ARGB colours[5] = {Red, Blue, Red, Blue, Red};
  Integer count = 3;
  EXPECT_EQ(brush.SetSurroundColors(colours, count), Ok);
  EXPECT_EQ(count, 3);
  count = 5;
  EXPECT_EQ(brush.SetSurroundColors(colours, count), InvalidParameter);
  EXPECT_EQ(count, 5);
  EXPECT_EQ(brush.SetSurroundColors(nullptr, count), InvalidParameter);

  brush.lastResult = Ok;
  ARGB read[4] = {};
  Integer room = 0;
  EXPECT_EQ(brush.GetSurroundColors(read, room), InsufficientBuffer);
  EXPECT_EQ(brush.GetSurroundColors(nullptr, room), InvalidParameter);
  brush.lastResult = Ok;
  room = 4;
  ASSERT_EQ(brush.GetSurroundColors(read, room), Ok);
  EXPECT_GE(room, 1);
  EXPECT_EQ(read[0], Red);

  // Centre colour: the status field answers, an earlier unread failure included.
  EXPECT_EQ(brush.SetCenterColor(Blue), Ok);
  ARGB centre = 0;
  EXPECT_EQ(brush.GetCenterColor(centre), Ok);
  EXPECT_EQ(centre, Blue);
  EXPECT_EQ(brush.SetInterpolationColors(nullptr, nullptr, 2), InvalidParameter);
  EXPECT_EQ(brush.GetCenterColor(centre), InvalidParameter);
  EXPECT_EQ(brush.SetCenterPoint(TGPPointF{3, 4}), Ok);
  TGPPointF point{};
  brush.GetCenterPoint(point);
  ExpectNear(point, {3, 4});
}

TEST_F(NeoGDIPTest, RegionsClipTheSurface) {
  std::unique_ptr<TGPGraphicsPath> hole(new TGPGraphicsPath);
  hole->AddRectangle(TGPRect{4, 4, 2, 2});
  std::unique_ptr<TGPRegion> region(new TGPRegion(TGPRectF{0, 0, 5, 10}));
  std::unique_ptr<TGPRegion> right(new TGPRegion(TGPRectF{8, 0, 2, 10}));
  ASSERT_EQ(region->Union(right.get()), Ok);
  ASSERT_EQ(region->Exclude(hole.get()), Ok);
  std::unique_ptr<TGPBitmap> bitmap(new TGPBitmap(10, 10));
  {
    std::unique_ptr<TGPGraphics> g(TGPGraphics::FromImage(bitmap.get()));
    g->Clear(White);
    ASSERT_EQ(g->SetClip(region.get()), Ok);
    TGPSolidBrush red(Red);
    g->FillRectangle(&red, 0, 0, 10, 10);
  }
  const struct {
    Integer X, Y;
    ARGB Color;
  } probes[] = {{1, 1, Red}, {4, 4, White}, {6, 1, White}, {9, 9, Red}};
  for (const auto& p : probes) {
    ARGB color = 0;
    bitmap->GetPixel(p.X, p.Y, color);
    EXPECT_EQ(color, p.Color) << p.X << "," << p.Y;
  }
}

TEST_F(NeoGDIPTest, FontsFamiliesAndTheGenericFallback) {
  std::unique_ptr<TGPFontFamily> missing(new TGPFontFamily(u"Zelk No Such Family"));
  EXPECT_EQ(missing->lastResult, FontFamilyNotFound);
  EXPECT_EQ(missing->nativeFamily, nullptr);

  TGPFontFamily* sans = TGPFontFamily::GenericSansSerif();
  EXPECT_EQ(sans, TGPFontFamily::GenericSansSerif());
  EXPECT_NE(sans->nativeFamily, nullptr);
  EXPECT_NE(TGPFontFamily::GenericSerif()->nativeFamily, nullptr);
  EXPECT_NE(TGPFontFamily::GenericMonospace()->nativeFamily, nullptr);

  std::unique_ptr<TGPFont> generic(new TGPFont(sans, 10));
  std::unique_ptr<TGPFont> fallback(new TGPFont(u"Zelk No Such Family", 10, gdip::FontStyleBold));
  ASSERT_EQ(fallback->lastResult, Ok);
  EXPECT_EQ(FactsOf(fallback.get()).Family, FactsOf(generic.get()).Family);
  EXPECT_EQ(FactsOf(fallback.get()).Style, gdip::FontStyleBold);

  std::unique_ptr<TGPFontCollection> installed(new TGPFontCollection);
  std::unique_ptr<TGPFont> named(new TGPFont(u"DejaVu Serif", 8, 0, UnitPixel, installed.get()));
  EXPECT_EQ(FactsOf(named.get()).Family, u"DejaVu Serif");
  std::unique_ptr<TGPFont> none(new TGPFont(static_cast<TGPFontFamily*>(nullptr), 10));
  EXPECT_NE(none->lastResult, Ok);
}

TEST_F(NeoGDIPTest, PathFiguresPointsAndBounds) {
  std::unique_ptr<TGPGraphicsPath> path(new TGPGraphicsPath(FillModeWinding));
  ASSERT_EQ(path->AddRectangle(TGPRectF{1, 2, 3, 4}), Ok);
  EXPECT_EQ(path->GetPointCount(), 4);
  TGPRectF bounds{};
  ASSERT_EQ(path->GetBounds(bounds), Ok);
  EXPECT_EQ(bounds.X, 1.0f);
  EXPECT_EQ(bounds.Width, 3.0f);
  EXPECT_EQ(path->AddLine(10, 10, 20, 10), Ok);
  const TGPPoint lines[] = {{20, 20}, {30, 20}, {30, 30}};
  EXPECT_EQ(path->AddLines(lines, 3), Ok);
  EXPECT_EQ(path->CloseFigure(), Ok);
  EXPECT_EQ(path->AddBezier(TGPPoint{0, 0}, TGPPoint{1, 1}, TGPPoint{2, 1}, TGPPoint{3, 0}), Ok);
  EXPECT_EQ(path->AddEllipse(0, 0, 8, 8), Ok);
  EXPECT_EQ(path->AddPie(TGPRectF{0, 0, 8, 8}, 0, 90), Ok);
  EXPECT_EQ(path->AddArc(0, 0, 8, 8, 90, 90), Ok);
  const TGPPoint curve[] = {{0, 0}, {5, 5}, {10, 0}};
  EXPECT_EQ(path->AddCurve(curve, 3, 0.5f), Ok);
  const Integer count = path->GetPointCount();
  ASSERT_GT(count, 20);
  std::vector<TGPPointF> points(count);
  std::vector<Byte> types(count);
  ASSERT_EQ(path->GetPathPoints(points.data(), count), Ok);
  ASSERT_EQ(path->GetPathTypes(types.data(), count), Ok);
  ExpectNear(points[0], {1, 2});
  EXPECT_EQ(types[0], gdip::PathPointTypeStart);
  ASSERT_EQ(path->GetBounds(bounds), Ok);
  EXPECT_EQ(bounds.X + bounds.Width, 30.0f);

  std::unique_ptr<TGPGraphicsPath> text(new TGPGraphicsPath);
  EXPECT_EQ(text->AddString(u"Hi", 40, TGPFontFamily::GenericSansSerif(), 0, 20, TGPPointF{0, 0}, nullptr), Ok);
  EXPECT_GT(text->GetPointCount(), 8);
  ASSERT_EQ(text->Reset(), Ok);
  EXPECT_EQ(text->GetPointCount(), 0);

  const TGPPointF corner[] = {{0, 0}, {4, 0}, {4, 4}};
  const Byte kinds[] = {gdip::PathPointTypeStart, gdip::PathPointTypeLine, gdip::PathPointTypeLine};
  std::unique_ptr<TGPGraphicsPath> made(new TGPGraphicsPath(corner, kinds, 3));
  EXPECT_EQ(made->GetPointCount(), 3);
}

TEST_F(NeoGDIPTest, ImageAttributesRecolourAPicture) {
  std::unique_ptr<TGPBitmap> source(new TGPBitmap(2, 2));
  for (int i = 0; i < 4; ++i) source->SetPixel(i % 2, i / 2, i == 0 ? White : Red);
  // Red becomes blue: the red row of the colour matrix feeds blue.
  ColorMatrix swap{};
  swap.m[0][2] = 1;
  swap.m[3][3] = 1;
  swap.m[4][3] = 0;
  std::unique_ptr<TGPImageAttributes> attributes(new TGPImageAttributes);
  ASSERT_EQ(attributes->SetColorMatrix(swap), Ok);
  ASSERT_EQ(attributes->SetColorKey(White, White), Ok);
  std::unique_ptr<TGPImageAttributes> copy(attributes->Clone());
  ASSERT_NE(copy, nullptr);
  std::unique_ptr<TGPBitmap> target(new TGPBitmap(2, 2));
  {
    std::unique_ptr<TGPGraphics> g(TGPGraphics::FromImage(target.get()));
    g->Clear(0xFF00FF00u);
    ASSERT_EQ(g->DrawImage(source.get(), TGPRectF{0, 0, 2, 2}, 0, 0, 2, 2, UnitPixel, copy.get()), Ok);
  }
  ARGB keyed = 0, recoloured = 0;
  target->GetPixel(0, 0, keyed);
  target->GetPixel(1, 1, recoloured);
  EXPECT_EQ(keyed, 0xFF00FF00u);
  EXPECT_EQ(recoloured, Blue);

  EXPECT_EQ(attributes->ClearColorKey(), Ok);
  EXPECT_EQ(attributes->ClearColorMatrix(), Ok);
  EXPECT_EQ(attributes->SetGamma(2.2f), Ok);
  EXPECT_EQ(attributes->ClearGamma(), Ok);
  EXPECT_EQ(attributes->SetThreshold(0.5f), Ok);
  EXPECT_EQ(attributes->ClearThreshold(), Ok);
  EXPECT_EQ(attributes->SetNoOp(), Ok);
  EXPECT_EQ(attributes->ClearNoOp(), Ok);
  const ColorMap map{Red, Blue};
  EXPECT_EQ(attributes->SetBrushRemapTable(1, &map), Ok);
  EXPECT_EQ(attributes->ClearBrushRemapTable(), Ok);
  EXPECT_EQ(attributes->SetWrapMode(WrapModeClamp), Ok);
  EXPECT_EQ(attributes->Reset(), Ok);
  EXPECT_EQ(attributes->GetLastStatus(), Ok);
}

}  // namespace

}  // namespace NeoGDIP
