// The canvas drawing back end through the facade: GDI pixel rules, arcs, text placement, clips.
#include <cmath>
#include <tuple>

#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoGraphicsGeneral.h"

namespace {

class NeoGraphicsCanvasContext : public GraphicsUnitsSuite {
protected:
  void New(Integer W = 60, Integer H = 60) { G = TNeoGraphics::CreateBitmapCanvas(W, H); }
  TColor Px(Integer X, Integer Y) { return G->GetCanvas()->GetPixels(X, Y) & 0xFFFFFF; }
  // The smallest rectangle of pixels that are not white (empty when none).
  TRect Ink() {
    TBitmap* b = G->GetBitmap();
    TRect box{b->GetWidth(), b->GetHeight(), 0, 0};
    for (Integer y = 0; y < b->GetHeight(); ++y)
      for (Integer x = 0; x < b->GetWidth(); ++x)
        if (Px(x, y) != clWhite) {
          box.left = std::min(box.left, x);
          box.top = std::min(box.top, y);
          box.right = std::max(box.right, x + 1);
          box.bottom = std::max(box.bottom, y + 1);
        }
    return box.right > box.left ? box : TRect{};
  }
  bool InkNear(Integer X, Integer Y) {
    for (Integer dy = -1; dy <= 1; ++dy)
      for (Integer dx = -1; dx <= 1; ++dx)
        if (Px(X + dx, Y + dy) != clWhite) return true;
    return false;
  }
  void OutlineOnly(TColor AStroke = clBlack) {
    G->SetFillKind(gfkNone);
    G->SetStrokeColor(AStroke);
  }
  void FillOnly(TColor AFill) {
    G->SetFillColor(AFill);
    G->SetStrokeKind(gskNone);
  }

  std::unique_ptr<TNeoGraphics> G;
};

TEST_F(NeoGraphicsCanvasContext, RectangleSidesEndOnTheLastInsidePixel) {
  struct Case {
    TNeoGraphicsSides Sides;
    TPoint Black[4];
    TPoint White[3];
  };
  // Rectangle (2, 2, 10, 8): the last pixel inside is (9, 7).
  const Case cases[] = {
      {TNeoGraphics::AllSides(), {{2, 2}, {9, 2}, {2, 7}, {9, 7}}, {{10, 2}, {2, 8}, {5, 5}}},
      // A side alone ends one pixel before its end point, as every line does.
      {{gsTop}, {{2, 2}, {8, 2}, {5, 2}, {3, 2}}, {{9, 2}, {2, 3}, {9, 7}}},
      {{gsLeft, gsBottom}, {{2, 2}, {2, 7}, {8, 7}, {5, 7}}, {{9, 7}, {9, 2}, {2, 8}}},
      {{gsRight}, {{9, 2}, {9, 7}, {9, 5}, {9, 3}}, {{8, 2}, {9, 8}, {10, 5}}},
  };
  for (const Case& c : cases) {
    New(20, 20);
    OutlineOnly();
    G->DrawRectangle(2, 2, 10, 8, c.Sides);
    for (TPoint p : c.Black) EXPECT_EQ(Px(p.x, p.y), clBlack) << p.x << "," << p.y;
    for (TPoint p : c.White) EXPECT_EQ(Px(p.x, p.y), clWhite) << p.x << "," << p.y;
  }
}

TEST_F(NeoGraphicsCanvasContext, FocusRectangleAlternatesPixelsAndKeepsTheStrokeColour) {
  New(30, 30);
  OutlineOnly(clBlue);
  G->DrawFocusRectangle(2, 2, 20, 20, clRed);
  for (Integer x = 2; x < 18; x += 2) {
    EXPECT_NE(Px(x, 2), Px(x + 1, 2)) << x;
    EXPECT_EQ(Px(x, 2), Px(x + 2, 2)) << x;
  }
  EXPECT_TRUE(Px(2, 2) == clRed || Px(3, 2) == clRed);
  EXPECT_EQ(Px(10, 10), clWhite);
  // The next outline is drawn in the stroke's colour again, with a solid pen.
  G->DrawRectangle(22, 22, 28, 28);
  EXPECT_EQ(Px(22, 22), clBlue);
  EXPECT_EQ(Px(23, 22), clBlue);
}

TEST_F(NeoGraphicsCanvasContext, GradientFillPaintsOnePixelStripes) {
  for (TNeoGraphicsFillOrientation orientation : {gfoVertical, gfoHorizontal}) {
    New(40, 40);
    G->SetStrokeKind(gskNone);
    G->GetFill()->BeginUpdate();
    G->GetFill()->SetKind(gfkGradient);
    G->GetFill()->SetColor(0x000000);
    G->GetFill()->SetColorTo(0xFF00FF);
    G->GetFill()->SetOrientation(orientation);
    G->GetFill()->EndUpdate();
    G->DrawRectangle(0, 0, 32, 32);
    const bool vertical = orientation == gfoVertical;
    auto at = [&](Integer Along, Integer Across) { return vertical ? Px(Across, Along) : Px(Along, Across); };
    EXPECT_EQ(at(0, 5), 0x000000);
    for (Integer i = 1; i < 32; ++i) {
      EXPECT_GT(at(i, 5) & 0xFF, at(i - 1, 5) & 0xFF) << i;   // one step per stripe
      EXPECT_EQ(at(i, 5), at(i, 20)) << i;                    // the stripe is one colour across
    }
    EXPECT_EQ(at(32, 5), clWhite);
  }
}

TEST_F(NeoGraphicsCanvasContext, MirrorGradientsPaintTwoHalvesAndCustomIsVertical) {
  for (TNeoGraphicsFillOrientation orientation : {gfoVertical, gfoCustom}) {
    New(40, 40);
    G->SetStrokeKind(gskNone);
    TNeoGraphicsFill* fill = G->GetFill();
    fill->BeginUpdate();
    fill->SetKind(gfkGradient);
    fill->SetColor(0x0000FF);
    fill->SetColorTo(0x0000FF);
    fill->SetColorMirror(0xFF0000);
    fill->SetColorMirrorTo(0xFF0000);
    fill->SetOrientation(orientation);
    fill->EndUpdate();
    G->DrawRectangle(0, 0, 20, 20);
    EXPECT_EQ(Px(10, 5), 0x0000FF) << orientation;
    EXPECT_EQ(Px(10, 15), 0xFF0000) << orientation;
  }
}

TEST_F(NeoGraphicsCanvasContext, WrappedTextIsPlacedByItsMeasuredHeight) {
  const String text = u"one two three four five six";
  const TRectF box{10, 50, 110, 150};
  for (TNeoGraphicsTextAlign align : {gtaTrailing, gtaCenter}) {
    New(120, 160);
    G->SetFontColor(clBlack);
    const Integer h = static_cast<Integer>(std::nearbyint(G->GetContext()->CalculateText(text, box, true).Height()));
    ASSERT_GT(h, 15);
    ASSERT_LT(h, 100);
    G->DrawText(box, text, true, gtaLeading, align);
    const TRect ink = Ink();
    const Integer top = align == gtaTrailing ? 150 - h : 50 + (100 - h) / 2;
    EXPECT_GE(ink.top, top) << align;
    EXPECT_LE(ink.top, top + 6) << align;
    EXPECT_LE(ink.bottom, top + h) << align;
    EXPECT_GE(ink.bottom, top + h - 6) << align;
  }
}

TEST_F(NeoGraphicsCanvasContext, ArcTurnsClockwiseFromItsStartAngle) {
  New(60, 60);
  OutlineOnly();
  G->DrawArc(TPointF{30, 30}, TPointF{20, 20}, 0, 90);
  const TRect ink = Ink();
  // The lower-right quarter: from the right end (50, 30) to the bottom end (30, 50).
  EXPECT_GE(ink.left, 29);
  EXPECT_GE(ink.top, 29);
  EXPECT_GE(ink.right, 49);
  EXPECT_GE(ink.bottom, 49);
  EXPECT_TRUE(InkNear(44, 44));
}

TEST_F(NeoGraphicsCanvasContext, FilledArcPaintsItsChord) {
  New(60, 60);
  FillOnly(clRed);
  G->DrawArc(TPointF{30, 30}, TPointF{20, 20}, 0, 90);
  EXPECT_EQ(Px(42, 42), clRed);     // between the chord and the curve
  EXPECT_EQ(Px(34, 34), clWhite);   // between the centre and the chord
  EXPECT_EQ(Px(20, 20), clWhite);
  const TRect ink = Ink();
  EXPECT_GE(ink.left, 29);
  EXPECT_GE(ink.top, 29);
}

TEST_F(NeoGraphicsCanvasContext, RotatedTextIsAnchoredByTheSignOfItsAngle) {
  const String text = u"Rotated";
  struct Case {
    Single Angle;
    bool Downwards;
  };
  for (const Case& c : {Case{90, true}, Case{-90, false}}) {
    New(80, 200);
    G->SetFontColor(clBlack);
    const TSize extent = G->GetCanvas()->TextExtent(text);
    G->DrawText(TRectF{10, 10, 60, 150}, text, false, gtaLeading, gtaLeading, gttNone, c.Angle);
    const TRect ink = Ink();
    ASSERT_FALSE(ink.right <= ink.left) << c.Angle;
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left) << c.Angle;   // upright strip
    if (c.Downwards) {
      // From (60, 10) downwards, the letters to the left of x = 60.
      EXPECT_LE(ink.right, 62);
      EXPECT_GE(ink.left, 60 - extent.cy - 2);
      EXPECT_GE(ink.top, 8);
      EXPECT_LE(ink.bottom, 10 + extent.cx + 2);
    } else {
      // From (10, 150) upwards, the letters to the right of x = 10.
      EXPECT_GE(ink.left, 8);
      EXPECT_LE(ink.right, 10 + extent.cy + 2);
      EXPECT_LE(ink.bottom, 152);
      EXPECT_GE(ink.top, 150 - extent.cx - 2);
    }
  }
}

TEST_F(NeoGraphicsCanvasContext, AmpersandIsShownUnlessAcceleratorsAreOn) {
  Integer widths[2];
  for (bool accelerators : {false, true}) {
    New(200, 40);
    G->SetFontColor(clBlack);
    G->GetContext()->SetShowAcceleratorChar(accelerators);
    G->DrawText(TRectF{0, 0, 200, 40}, u"&&&&&&W", false, gtaLeading, gtaLeading);
    const TRect ink = Ink();
    widths[accelerators] = ink.right - ink.left;
  }
  EXPECT_GT(widths[false], widths[true] + 10);
}

TEST_F(NeoGraphicsCanvasContext, ClipEndsWithRestoreStateAndResetClipDoesNothing) {
  New(40, 40);
  FillOnly(clRed);
  TNeoGraphicsSaveState* state = G->SaveState();
  G->ClipRect(TRectF{0, 0, 10, 10});
  G->GetContext()->ResetClip();
  G->DrawRectangle(0, 0, 40, 40);
  EXPECT_EQ(Px(5, 5), clRed);
  EXPECT_EQ(Px(20, 20), clWhite);
  G->RestoreState(state);
  G->DrawRectangle(15, 15, 40, 40);
  EXPECT_EQ(Px(20, 20), clRed);
}

TEST_F(NeoGraphicsCanvasContext, PathsFillAndStrokeOnTheDeviceContext) {
  New(60, 60);
  G->SetFillColor(clRed);
  G->SetStrokeColor(clBlue);
  TNeoGraphicsPath path;
  path.MoveTo({10, 10});
  path.LineTo({50, 10});
  path.CurveTo({50, 30}, {50, 50}, {10, 50});
  path.ClosePath();
  G->DrawPath(&path);
  EXPECT_EQ(Px(30, 30), clRed);
  EXPECT_EQ(Px(30, 10), clBlue);
  EXPECT_EQ(Px(5, 5), clWhite);
  // Every mode draws the same outline.
  for (TNeoGraphicsPathDrawMode mode : {pdmPolygon, pdmPolyline}) {
    New(60, 60);
    G->SetFillColor(clRed);
    G->SetStrokeColor(clBlue);
    G->DrawPath(&path, mode);
    EXPECT_EQ(Px(30, 30), clRed) << mode;
    EXPECT_EQ(Px(30, 10), clBlue) << mode;
  }
}

TEST_F(NeoGraphicsCanvasContext, RoundRectangleWithSomeCornersRoundsOnlyThose) {
  New(40, 40);
  OutlineOnly();
  G->DrawRoundRectangle(TRectF{2, 2, 32, 32}, 8, TNeoGraphicsCorners{gcTopLeft});
  EXPECT_EQ(Px(2, 2), clWhite);     // rounded corner
  EXPECT_EQ(Px(31, 2), clBlack);    // square corners
  EXPECT_EQ(Px(31, 31), clBlack);
  EXPECT_EQ(Px(2, 31), clBlack);
  EXPECT_EQ(Px(2, 20), clBlack);    // sides
  EXPECT_EQ(Px(20, 2), clBlack);
  EXPECT_EQ(Px(20, 31), clBlack);
  EXPECT_EQ(Px(31, 20), clBlack);
}

}  // namespace

namespace {

TEST_F(NeoGraphicsCanvasContext, ShapesExcludeTheirRightAndBottomEdges) {
  New(40, 40);
  G->SetFillColor(clRed);
  G->SetStrokeColor(clBlue);
  G->DrawRectangle(10, 10, 20, 20);
  G->DrawEllipse(22, 10, 32, 20);
  EXPECT_EQ(Px(19, 19), clBlue);
  EXPECT_EQ(Px(20, 20), clWhite);
  EXPECT_EQ(Px(15, 15), clRed);
  const TRect ink = Ink();
  EXPECT_EQ(ink.right, 32);
  EXPECT_EQ(ink.bottom, 20);
}

TEST_F(NeoGraphicsCanvasContext, TrimmingEndsTheTextInsideItsBox) {
  const String text = u"A long line of text that does not fit";
  Integer rights[3];
  for (TNeoGraphicsTextTrimming trimming : {gttNone, gttCharacter, gttWord}) {
    New(200, 30);
    G->SetFontColor(clBlack);
    G->DrawText(TRectF{0, 0, 80, 30}, text, false, gtaLeading, gtaCenter, trimming);
    rights[trimming] = Ink().right;
    EXPECT_LE(rights[trimming], 80) << trimming;
  }
  // The ellipsis ends the trimmed lines; the untrimmed one is cut at the box.
  EXPECT_NE(rights[gttCharacter], rights[gttNone]);
  EXPECT_LE(rights[gttWord], rights[gttCharacter]);
}

}  // namespace

namespace {

TEST_F(NeoGraphicsCanvasContext, HugeGradientPaintsOnlyWhatShows) {
  New(40, 40);
  G->SetStrokeKind(gskNone);
  G->GetFill()->BeginUpdate();
  G->GetFill()->SetKind(gfkGradient);
  G->GetFill()->SetColor(0x000000);
  G->GetFill()->SetColorTo(0xFFFFFF);
  G->GetFill()->SetOrientation(gfoHorizontal);
  G->GetFill()->EndUpdate();
  G->DrawRectangle(-1000000000.0, 0.0, 1000000000.0, 20.0);   // two thousand million stripes
  EXPECT_EQ(Px(0, 5), 0x808080);   // the middle of the gradient: 127.5 rounds to even
  EXPECT_EQ(Px(0, 25), clWhite);
}



// ---- Path fills with gradient stops, opacity and clips ----

class NeoGraphicsCanvasPathFill : public NeoGraphicsCanvasContext {
protected:
  void Gradient(TNeoGraphicsFillGradientType AType, TNeoGraphicsFillOrientation AOrientation,
                std::initializer_list<std::tuple<TColor, Single, Single>> AStops) {
    TNeoGraphicsFill* fill = G->GetFill();
    fill->BeginUpdate();
    fill->SetKind(gfkGradient);
    fill->SetGradientMode(gfgmCollection);
    fill->SetGradientType(AType);
    fill->SetOrientation(AOrientation);
    fill->ClearGradientItems();
    for (const auto& [color, position, opacity] : AStops) fill->AddGradientItem(color, position, opacity);
    fill->EndUpdate();
    G->SetStrokeKind(gskNone);
  }
  static std::unique_ptr<TNeoGraphicsPath> Rectangle(const TRectF& ARect) {
    auto path = std::make_unique<TNeoGraphicsPath>();
    path->AddRectangle(ARect);
    return path;
  }
  Integer Red(Integer X, Integer Y) { return Px(X, Y) & 0xFF; }
  Integer Blue(Integer X, Integer Y) { return (Px(X, Y) >> 16) & 0xFF; }
};

TEST_F(NeoGraphicsCanvasPathFill, LinearStopsRunAcrossThePathInItsOrientation) {
  for (TNeoGraphicsFillOrientation orientation : {gfoHorizontal, gfoVertical}) {
    New(60, 60);
    Gradient(gfgtLinear, orientation, {{clRed, 0, 1}, {clBlue, 1, 1}});
    G->DrawPath(Rectangle({10, 10, 50, 50}).get());
    const bool vertical = orientation == gfoVertical;
    auto at = [&](Integer Along) { return vertical ? TPoint{30, Along} : TPoint{Along, 30}; };
    const TPoint first = at(10), middle = at(30), last = at(48);
    EXPECT_GT(Red(first.x, first.y), 220) << orientation;
    EXPECT_LT(Blue(first.x, first.y), 35) << orientation;
    EXPECT_NEAR(Red(middle.x, middle.y), 128, 12) << orientation;
    EXPECT_NEAR(Blue(middle.x, middle.y), 128, 12) << orientation;
    EXPECT_GT(Blue(last.x, last.y), 220) << orientation;
    // Across the gradient a line is one colour; the path's outside is untouched.
    const TPoint across = vertical ? TPoint{15, 30} : TPoint{30, 15};
    EXPECT_EQ(Px(across.x, across.y), Px(middle.x, middle.y)) << orientation;
    EXPECT_EQ(Px(5, 5), clWhite);
    EXPECT_EQ(Px(55, 55), clWhite);
  }
}

TEST_F(NeoGraphicsCanvasPathFill, InnerStopsAndAnAngleAreHonoured) {
  New(60, 60);
  // Green in the middle; before the first stop and after the last their colours.
  Gradient(gfgtLinear, gfoHorizontal, {{clRed, 0.4f, 1}, {clLime, 0.45f, 1}, {clLime, 0.55f, 1}, {clBlue, 0.6f, 1}});
  G->DrawPath(Rectangle({0, 0, 60, 20}).get());
  EXPECT_EQ(Px(10, 10), clRed);
  EXPECT_EQ(Px(30, 10), clLime);
  EXPECT_EQ(Px(50, 10), clBlue);
  // 90 degrees turns the gradient downwards.
  New(60, 60);
  Gradient(gfgtLinear, gfoCustom, {{clRed, 0, 1}, {clBlue, 1, 1}});
  G->GetFill()->SetGradientAngle(90);
  G->DrawPath(Rectangle({0, 0, 60, 60}).get());
  EXPECT_EQ(Px(5, 30), Px(55, 30));
  EXPECT_GT(Red(30, 2), Red(30, 57) + 150);
}

TEST_F(NeoGraphicsCanvasPathFill, RadialStopsRunFromTheCentreToTheOutline) {
  New(60, 60);
  Gradient(gfgtRadial, gfoHorizontal, {{clBlack, 0, 1}, {clWhite, 1, 1}});
  G->GetFill()->SetGradientCenterPoint({30, 30});
  TNeoGraphicsPath path;
  path.AddEllipse({10, 10, 50, 50});
  G->SetFillColor(clRed);   // the brush colour plays no part
  G->GetFill()->SetKind(gfkGradient);
  G->DrawPath(&path);
  EXPECT_LT(Red(30, 30), 20);
  EXPECT_NEAR(Red(40, 30), 128, 16);   // half way out
  EXPECT_NEAR(Red(30, 20), 128, 16);
  EXPECT_GT(Red(11, 30), 200);
  EXPECT_EQ(Px(12, 12), clWhite);      // outside the circle
  EXPECT_EQ(Px(30, 30) & 0xFFFF00, (Px(30, 30) & 0xFF) * 0x010100);   // grey: no red brush
}

TEST_F(NeoGraphicsCanvasPathFill, OpacityLetsTheBackgroundThrough) {
  New(40, 40);
  FillOnly(clRed);
  G->DrawRectangle(0, 0, 40, 20);   // red above, white below
  G->GetFill()->SetColor(clBlue);
  G->GetFill()->SetOpacity(0.5f);
  const auto path = Rectangle({10, 10, 30, 30});
  G->DrawPath(path.get());
  EXPECT_EQ(Px(20, 5), clRed);
  EXPECT_NEAR(Red(20, 15), 128, 2);     // half red, half blue
  EXPECT_NEAR(Blue(20, 15), 128, 2);
  EXPECT_NEAR(Red(20, 25), 128, 2);     // half white, half blue
  EXPECT_EQ(Blue(20, 25), 255);
  // Stops carry their own opacity: a transparent stop paints nothing.
  New(40, 40);
  Gradient(gfgtLinear, gfoHorizontal, {{clBlue, 0, 0}, {clBlue, 1, 0}});
  G->DrawPath(path.get());
  EXPECT_EQ(Ink(), TRect{});
}

TEST_F(NeoGraphicsCanvasPathFill, ShadedFillsKeepToTheClipAndTheClipReturns) {
  New(60, 60);
  Gradient(gfgtLinear, gfoHorizontal, {{clRed, 0, 1}, {clBlue, 1, 1}});
  TNeoGraphicsSaveState* state = G->SaveState();
  G->ClipRect(TRectF{0, 0, 30, 60});
  G->DrawPath(Rectangle({10, 10, 50, 50}).get());
  EXPECT_EQ(Ink(), (TRect{10, 10, 30, 50}));
  G->RestoreState(state);
  // The path's own clip ended with the fill: a plain fill after it reaches beyond both.
  G->GetFill()->SetKind(gfkSolid);
  FillOnly(clLime);
  G->DrawRectangle(0, 0, 5, 5);
  EXPECT_EQ(Px(2, 2), clLime);
  G->DrawRectangle(52, 52, 60, 60);
  EXPECT_EQ(Px(55, 55), clLime);
}

TEST_F(NeoGraphicsCanvasPathFill, ShadedPathCoversThePixelsOfThePlainFill) {
  TNeoGraphicsPath path;
  path.MoveTo({10, 10});
  path.LineTo({50, 10});
  path.CurveTo({50, 30}, {50, 50}, {10, 50});
  path.ClosePath();
  for (TNeoGraphicsPathDrawMode mode : {pdmPath, pdmPolygon}) {
    New(60, 60);
    FillOnly(clBlack);
    G->DrawPath(&path, mode);
    const TRect plain = Ink();
    New(60, 60);
    FillOnly(clBlack);
    G->GetFill()->SetOpacity(0.99f);
    G->DrawPath(&path, mode);
    EXPECT_EQ(Ink(), plain) << mode;
  }
}

}  // namespace
