// Rectangle, polygon and colour routines, the stepped gradient and pictures from resources.
#include <cmath>
#include <limits>

#include "GraphicsTestSupport.h"
#include "lib/base/NeoUtils.h"
#include "platform/ui/PngImage.h"

namespace {

void ExpectRect(const TRectF& Actual, const TRectF& Expected) {
  EXPECT_FLOAT_EQ(Actual.Left, Expected.Left);
  EXPECT_FLOAT_EQ(Actual.Top, Expected.Top);
  EXPECT_FLOAT_EQ(Actual.Right, Expected.Right);
  EXPECT_FLOAT_EQ(Actual.Bottom, Expected.Bottom);
}

}  // namespace

TEST(NeoGraphicsGeometry, RectangleRoutines) {
  ExpectRect(RectFIntersect(RectF(0, 0, 10, 10), RectF(20, 20, 30, 30)), RectF(0, 0, 0, 0));
  ExpectRect(RectFIntersect(RectF(0, 0, 10, 10), RectF(5, -5, 30, 8)), RectF(5, 0, 10, 8));
  ExpectRect(RectFOffset(RectF(1, 2, 3, 4), 10, -2), RectF(11, 0, 13, 2));
  ExpectRect(RectFInflate(RectF(1, 2, 3, 4), 1, 2), RectF(0, 0, 4, 6));
  EXPECT_TRUE(RectFIsEmpty(RectF(3, 0, 3.00001f, 10)));
  EXPECT_FALSE(RectFIsEmpty(RectF(3, 0, 4, 10)));
  EXPECT_TRUE(RectFEqual(RectF(1, 1, 2, 2), RectF(1, 1, 2, 2.00001f)));

  Single ratio = 0;
  ExpectRect(RectFFitInto(RectF(0, 0, 200, 100), RectF(0, 0, 100, 100), ratio), RectF(0, 25, 100, 75));
  EXPECT_FLOAT_EQ(ratio, 2);
  ExpectRect(RectFFitInto(RectF(0, 0, 200, 100), RectF(0, 0, 0, 100), ratio), RectF(0, 0, 200, 100));
  EXPECT_FLOAT_EQ(ratio, 1);
  // Centring moves by whole units (halves to even).
  ExpectRect(RectFCentered(RectF(7, 7, 10, 10), RectF(10, 20, 20, 30)), RectF(14, 24, 17, 27));
  ExpectRect(RectFCentered(RectF(0, 0, 5, 5), RectF(0, 0, 10, 10)), RectF(2, 2, 7, 7));
}

TEST(NeoGraphicsGeometry, SnapToPixelsTruncatesTheCornerAndRoundsTheSize) {
  struct Case {
    TRectF In;
    bool Half;
    Single Scale;
    TRectF Out;
  };
  const Single nan = std::numeric_limits<Single>::quiet_NaN();
  const Case cases[] = {
      {RectF(0.3f, 0.3f, 10.6f, 10.6f), false, 1, RectF(0, 0, 10, 10)},
      {RectF(0.3f, 0.3f, 10.6f, 10.6f), true, 1, RectF(0.5f, 0.5f, 10.5f, 10.5f)},
      {RectF(0.3f, 0.3f, 10.6f, 10.6f), false, 2, RectF(0, 0, 10.5f, 10.5f)},
      {RectF(0.3f, 0.3f, 10.6f, 10.6f), false, 0, RectF(0, 0, 10, 10)},
      {RectF(0.3f, 0.3f, 10.6f, 10.6f), false, nan, RectF(0, 0, 10, 10)},
      {RectF(1.9f, 2.2f, 4.6f, 3.0f), false, 1, RectF(1, 2, 4, 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Scale);
    ExpectRect(RectFSnapToPixels(c.In, c.Half, c.Scale), c.Out);
  }
}

TEST(NeoGraphicsGeometry, ConversionsRoundHalvesToEvenAndSurviveNaN) {
  const TRect r = RectFToRect(RectF(0.5f, 1.5f, 2.5f, -0.5f));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 2);
  EXPECT_EQ(r.bottom, 0);
  const TRect n = RectFToRect(RectF(std::numeric_limits<Single>::quiet_NaN(), 0, 1e20f, 1));
  EXPECT_EQ(n.left, 0);
  EXPECT_EQ(n.right, std::numeric_limits<Integer>::max());
  const TSize s = SizeFToSize(SizeF(3.5f, 4.4f));
  EXPECT_EQ(s.cx, 4);
  EXPECT_EQ(s.cy, 4);
  ExpectRect(RectToRectF(TRect{1, 2, 3, 4}), RectF(1, 2, 3, 4));
  EXPECT_FLOAT_EQ(VectorLength(PointF(3, 4)), 5);
  for (int mode = gcrmNone; mode <= gcrmShiftLeftAndExpandHeight; ++mode)
    ExpectRect(ModifyRectF(RectF(1, 2, 3, 4), static_cast<TNeoGraphicsModifyRectMode>(mode)), RectF(1, 2, 3, 4));
  EXPECT_EQ(GetPictureGraphic(nullptr), nullptr);
}

TEST(NeoGraphicsGeometry, PolygonHitTests) {
  const TNeoGraphicsPathPolygon square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const TNeoGraphicsPathPolygon triangle{{0, 0}, {10, 0}, {0, 10}};
  struct Case {
    const TNeoGraphicsPathPolygon* Polygon;
    TPointF P;
    bool Inside;
  };
  const Case cases[] = {
      {&square, {5, 5}, true},     {&square, {10, 5}, false},  {&square, {0, 5}, true},
      {&square, {5, 10}, false},   {&square, {11, 5}, false},  {&square, {-1, 5}, false},
      {&triangle, {2, 2}, true},   {&triangle, {6, 6}, false}, {&triangle, {9, 0.5f}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(PointInPolygon(c.P, *c.Polygon), c.Inside) << c.P.X << "," << c.P.Y;
  EXPECT_FALSE(PointInPolygon(PointF(0, 0), {}));

  EXPECT_TRUE(PolygonPointInRect(square, RectF(9, 9, 11, 11)));
  EXPECT_FALSE(PolygonPointInRect(square, RectF(2, 2, 8, 8)));   // inside, but no vertex in it
  EXPECT_FALSE(PolygonPointInRect(square, RectF(-1, -1, 0, 0)));   // (0, 0) is on the right edge
  EXPECT_FALSE(PolygonPointInRect({}, RectF(-100, -100, 100, 100)));
}

TEST(NeoGraphicsGeometry, ColourRoutines) {
  EXPECT_EQ(RGBToGraphicsColor(0x12, 0x34, 0x56), 0x563412);
  struct Case {
    TColor Color;
    Integer Percent;
    TColor Expected;
  };
  const Case cases[] = {
      {0x204080, 0, 0x204080},
      {0x204080, 100, 0xFFFFFF},
      {0x000000, 50, 0x808080},   // 127.5 rounds away from zero
      {0x0000FF, 20, 0x3333FF},
      {clBlack, 100, 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(LightenColor(c.Color, c.Percent), c.Expected) << c.Percent;
  // System colours are resolved first.
  EXPECT_EQ(LightenColor(clBtnFace, 0), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(NeoGraphicsGeometry, GradientStripesStepTowardsTheTargetColour) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(10, 4);
  TCanvas* canvas = bmp.GetCanvas();
  canvas->GetBrush()->SetColor(0x00FF00);
  canvas->GetBrush()->SetStyle(bsClear);
  canvas->GetPen()->SetColor(0x123456);
  FillGradientRect(canvas, 0x000000, 0x0000FF, true, TNeoGraphicsCorners(), 0, TRect{0, 0, 10, 4});
  const Integer reds[] = {0, 26, 51, 76, 102, 128, 153, 178, 204, 230};
  for (Integer x = 0; x < 10; ++x) {
    EXPECT_EQ(canvas->GetPixels(x, 0), reds[x]) << x;
    EXPECT_EQ(canvas->GetPixels(x, 3), reds[x]) << x;
  }
  EXPECT_EQ(canvas->GetPixels(9, 2), 0x0000E6);
  // Pen and brush come back as they were.
  EXPECT_EQ(canvas->GetBrush()->GetColor(), 0x00FF00);
  EXPECT_EQ(canvas->GetBrush()->GetStyle(), bsClear);
  EXPECT_EQ(canvas->GetPen()->GetColor(), 0x123456);
}

TEST(NeoGraphicsGeometry, GradientRoundsOnlyTheChosenCorners) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(24, 24);
  TCanvas* canvas = bmp.GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, 24, 24});
  // Vertical: stripes run across, from blue at the top to red at the bottom.
  FillGradientRect(canvas, 0xFF0000, 0x0000FF, false, {gcTopLeft, gcBottomRight}, 6, TRect{2, 2, 22, 22});
  TPngImage png;
  png.Assign(&bmp);
  png.SaveToFile(TestOutput("gradient-corners.png"));

  auto painted = [&](Integer x, Integer y) { return canvas->GetPixels(x, y) != clWhite; };
  // Top stripe (distance 0 from the edge): the left end moves in by the whole radius.
  EXPECT_FALSE(painted(2, 2));
  EXPECT_FALSE(painted(7, 2));
  EXPECT_TRUE(painted(8, 2));
  EXPECT_TRUE(painted(21, 2));   // top right is square
  // Stripe 6 spans fully.
  EXPECT_TRUE(painted(2, 8));
  // Bottom stripe (distance 1): the right end moves in by round(6 - sqrt(11)) = 3.
  EXPECT_TRUE(painted(2, 21));   // bottom left is square
  EXPECT_TRUE(painted(18, 21));
  EXPECT_FALSE(painted(19, 21));
  // Nothing outside the rectangle.
  EXPECT_FALSE(painted(1, 10));
  EXPECT_FALSE(painted(22, 10));
  EXPECT_FALSE(painted(10, 22));
  EXPECT_EQ(canvas->GetPixels(10, 2), 0xFF0000);
}

TEST(NeoGraphicsGeometry, PicturesFromResources) {
  std::unique_ptr<TNeoBitmap> bitmap = BitmapFromResource(u"QUADPNG");
  ASSERT_NE(bitmap->GetGraphic(), nullptr);
  EXPECT_EQ(bitmap->GetWidth(), 16);
  EXPECT_EQ(bitmap->GetHeight(), 12);

  // A missing resource leaves the picture as it was.
  LoadBitmapFromResource(bitmap.get(), u"NO-SUCH-RESOURCE", TNeoUtils::GetHInstance());
  EXPECT_EQ(bitmap->GetWidth(), 16);
  EXPECT_EQ(BitmapFromResource(u"NO-SUCH-RESOURCE")->GetGraphic(), nullptr);
}

TEST(NeoGraphicsGeometry, BitmapFromHexTextIsTheLibraryPicture) {
  RegisterNeoGraphicsTypesRtti();
  TNeoBitmap source;
  source.LoadFromFile(TestData("quad.png"));
  const String hex = TNeoUtils::SaveBitmapToHexStr(&source);
  std::unique_ptr<TPicture> picture = TNeoUtils::CreateBitmapFromHexStr(hex);
  EXPECT_TRUE(Is<TNeoBitmap>(picture.get()));
  EXPECT_EQ(picture->GetWidth(), 16);
  EXPECT_EQ(TNeoUtils::CreateBitmapFromHexStr(u"00")->GetGraphic(), nullptr);
}
