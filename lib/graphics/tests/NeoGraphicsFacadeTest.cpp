// The graphics facade on the canvas back end: creation, the fill and stroke rules over every shape,
// state, picture placement, text rules, bad inputs and the registration points.
#include <cmath>
#include <limits>

#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"

namespace {

constexpr TColor FillRed = 0x0000FF;
constexpr TColor StrokeBlue = 0xFF0000;
constexpr TColor TextureGreen = 0x00FF00;

class NeoGraphicsFacade : public GraphicsUnitsSuite {
protected:
  void TearDown() override {
    NeoGraphicsRegistry::RegisterDrawSVGPicture(nullptr);
    NeoGraphicsRegistry::RegisterFindContainerPicture(nullptr);
    NeoGraphicsRegistry::RegisterDrawGraphicsHtmlText(nullptr);
  }
  void New(Integer W = 60, Integer H = 60) { G = TNeoGraphics::CreateBitmapCanvas(W, H); }
  TColor Px(Integer X, Integer Y) { return G->GetCanvas()->GetPixels(X, Y) & 0xFFFFFF; }
  // Whether some pixel has the colour, and whether every pixel is white.
  bool Has(TColor AColor) {
    for (Integer y = 0; y < G->GetBitmap()->GetHeight(); ++y)
      for (Integer x = 0; x < G->GetBitmap()->GetWidth(); ++x)
        if (Px(x, y) == AColor) return true;
    return false;
  }
  bool Blank() {
    for (Integer y = 0; y < G->GetBitmap()->GetHeight(); ++y)
      for (Integer x = 0; x < G->GetBitmap()->GetWidth(); ++x)
        if (Px(x, y) != clWhite) return false;
    return true;
  }
  // Rows that hold ink, as runs [top, bottom).
  std::vector<std::pair<Integer, Integer>> InkBands() {
    std::vector<std::pair<Integer, Integer>> bands;
    bool inBand = false;
    for (Integer y = 0; y < G->GetBitmap()->GetHeight(); ++y) {
      bool ink = false;
      for (Integer x = 0; x < G->GetBitmap()->GetWidth() && !ink; ++x) ink = Px(x, y) != clWhite;
      if (ink && !inBand) bands.push_back({y, y + 1});
      if (ink) bands.back().second = y + 1;
      inBand = ink;
    }
    return bands;
  }
  static std::unique_ptr<TNeoBitmap> SolidPicture(Integer W, Integer H, TColor AColor) {
    TBitmap bitmap(W, H);
    bitmap.GetCanvas()->GetBrush()->SetColor(AColor);
    bitmap.GetCanvas()->FillRect(TRect{0, 0, W, H});
    auto picture = std::make_unique<TNeoBitmap>();
    picture->SetGraphic(&bitmap);
    return picture;
  }

  std::unique_ptr<TNeoGraphics> G;
};

TEST_F(NeoGraphicsFacade, CreationDefaultsOfBothConstructors) {
  New(10, 10);
  EXPECT_EQ(G->GetHighlightColor(), 0);
  EXPECT_EQ(G->GetHighlightTextColor(), 0);
  EXPECT_TRUE(G->GetHighlightFontStyle().Empty());
  TBitmap target(10, 10);
  TNeoGraphics onCanvas(target.GetCanvas());
  EXPECT_EQ(onCanvas.GetHighlightColor(), 0xFF0000);
  EXPECT_EQ(onCanvas.GetHighlightTextColor(), 0xFFFFFF);
  for (TNeoGraphics* g : {G.get(), &onCanvas}) {
    EXPECT_EQ(g->GetURLColor(), 0xFF0000);
    EXPECT_TRUE(g->GetURLUnderline());
    EXPECT_EQ(g->GetFill()->GetKind(), gfkSolid);
    EXPECT_EQ(g->GetFill()->GetColor(), 0xFFFFFF);
    EXPECT_EQ(g->GetStroke()->GetColor(), 0xC0C0C0);
    EXPECT_EQ(g->GetStroke()->GetWidth(), 1);
    // The context holds the same state: the canvas pen and brush.
    EXPECT_EQ(g->GetCanvas()->GetPen()->GetColor(), 0xC0C0C0);
    EXPECT_EQ(g->GetCanvas()->GetBrush()->GetColor(), 0xFFFFFF);
    EXPECT_EQ(g->GetContext()->NativeCanvas(), g->GetCanvas());
  }
  EXPECT_EQ(onCanvas.GetCanvas(), target.GetCanvas());
  EXPECT_EQ(onCanvas.GetBitmap(), nullptr);
  // The native kind comes from the GDI+ unit's class reference.
  TNeoGraphics native(target.GetCanvas(), true);
  ASSERT_NE(native.GetContext(), nullptr);
  EXPECT_EQ(native.GetContext()->ClassType(), GetNativeContextClass());
}

TEST_F(NeoGraphicsFacade, SettersReachTheContextAndTheOwnObjects) {
  New(10, 10);
  G->SetFillColor(FillRed);
  G->SetStrokeColor(StrokeBlue);
  G->SetStrokeWidth(3);
  G->SetFontColor(clGreen);
  G->SetFontSize(14);
  EXPECT_EQ(G->GetFill()->GetColor(), FillRed);
  EXPECT_EQ(G->GetCanvas()->GetBrush()->GetColor(), FillRed);
  EXPECT_EQ(G->GetCanvas()->GetPen()->GetColor(), StrokeBlue);
  EXPECT_EQ(G->GetCanvas()->GetPen()->GetWidth(), 3);
  EXPECT_EQ(G->GetCanvas()->GetFont()->GetColor(), clGreen);
  EXPECT_EQ(G->GetFont()->GetSize(), 14);
  // A change of the own objects reaches the context too.
  G->GetStroke()->SetKind(gskDot);
  EXPECT_EQ(G->GetCanvas()->GetPen()->GetStyle(), psDot);
  G->GetFill()->SetKind(gfkNone);
  EXPECT_EQ(G->GetCanvas()->GetBrush()->GetStyle(), bsClear);
  // Assign copies the other facade's descriptions.
  auto other = TNeoGraphics::CreateBitmapCanvas(4, 4);
  other->Assign(G.get());
  EXPECT_EQ(other->GetStroke()->GetColor(), StrokeBlue);
  EXPECT_EQ(other->GetCanvas()->GetPen()->GetColor(), StrokeBlue);
  EXPECT_EQ(other->GetFont()->GetSize(), 14);
}

TEST_F(NeoGraphicsFacade, SaveStateIsRestoredOnceWithItsDescriptions) {
  New(10, 10);
  G->SetFillColor(FillRed);
  G->SetStrokeColor(StrokeBlue);
  TNeoGraphicsSaveState* full = G->SaveState();
  EXPECT_NE(full->GetSaveDC(), 0);
  G->SetFillColor(clYellow);
  G->SetStrokeColor(clBlack);
  TNeoGraphicsSaveState* canvasOnly = G->SaveState(true);
  G->SetFillColor(clGreen);
  G->RestoreState(canvasOnly, true);
  EXPECT_EQ(G->GetFill()->GetColor(), clGreen);   // descriptions untouched
  G->RestoreState(full);
  EXPECT_EQ(G->GetFill()->GetColor(), FillRed);
  EXPECT_EQ(G->GetStroke()->GetColor(), StrokeBlue);
  EXPECT_EQ(G->GetCanvas()->GetBrush()->GetColor(), FillRed);
  EXPECT_EQ(G->GetCanvas()->GetPen()->GetColor(), StrokeBlue);
  G->RestoreState(nullptr);
}

// Each shape of the facade drawn in a 40 x 40 box at (10, 10).
enum TShape { shRectangle, shRoundRectangle, shEllipse, shPolygon, shPath, shArc, shPolyline };

void DrawShape(TNeoGraphics& G, TShape AShape) {
  const TNeoGraphicsPathPolygon polygon{{10, 10}, {50, 10}, {50, 50}, {10, 50}};
  TNeoGraphicsPath path;
  switch (AShape) {
    case shRectangle: G.DrawRectangle(10, 10, 50, 50); break;
    case shRoundRectangle: G.DrawRoundRectangle(10, 10, 50, 50, 6); break;
    case shEllipse: G.DrawEllipse(10, 10, 50, 50); break;
    case shPolygon: G.DrawPolygon(polygon); break;
    case shPath:
      path.AddPolygon(polygon);
      path.ClosePath();
      G.DrawPath(&path);
      break;
    case shArc: G.DrawArc(TPointF{30, 30}, TPointF{20, 20}, 0, 180); break;
    case shPolyline: G.DrawPolyline(polygon); break;
  }
}

TEST_F(NeoGraphicsFacade, FillAndStrokeRulesOverEveryShape) {
  auto texture = SolidPicture(8, 8, TextureGreen);
  struct Combination {
    const char* Name;
    TNeoGraphicsFillKind FillKind;
    TColor FillColor;
    TNeoGraphicsStrokeKind StrokeKind;
    TColor StrokeColor;
    bool Filled;        // red (or green for a texture) appears
    bool Stroked;       // blue appears
    bool ArcFilled;     // the same for arcs
  };
  const Combination combinations[] = {
      {"solid both", gfkSolid, FillRed, gskSolid, StrokeBlue, true, true, true},
      {"fill colour none", gfkSolid, gcNull, gskSolid, StrokeBlue, false, true, false},
      {"fill kind none", gfkNone, FillRed, gskSolid, StrokeBlue, false, true, false},
      {"stroke colour none", gfkSolid, FillRed, gskSolid, gcNull, true, false, true},
      {"stroke kind none", gfkSolid, FillRed, gskNone, StrokeBlue, true, false, true},
      {"texture without colour", gfkTexture, gcNull, gskNone, StrokeBlue, true, false, false},
      {"texture with colour", gfkTexture, FillRed, gskNone, StrokeBlue, true, false, true},
  };
  for (TShape shape : {shRectangle, shRoundRectangle, shEllipse, shPolygon, shPath, shArc, shPolyline}) {
    for (const Combination& c : combinations) {
      // A polyline passes texture fills to the context, which has no texture painting.
      if (shape == shPolyline && c.FillKind == gfkTexture) continue;
      New();
      TNeoGraphicsFill* fill = G->GetFill();
      fill->BeginUpdate();
      fill->SetKind(c.FillKind);
      fill->SetColor(c.FillColor);
      fill->SetTexture(texture.get());
      fill->SetTextureMode(gtmTile);
      fill->EndUpdate();
      G->GetStroke()->BeginUpdate();
      G->GetStroke()->SetKind(c.StrokeKind);
      G->GetStroke()->SetColor(c.StrokeColor);
      G->GetStroke()->EndUpdate();
      DrawShape(*G, shape);
      const bool filled = shape == shArc ? c.ArcFilled : c.Filled;
      const TColor fillSeen = c.FillKind == gfkTexture ? TextureGreen : FillRed;
      EXPECT_EQ(Has(fillSeen), filled) << c.Name << " shape " << shape;
      EXPECT_EQ(Has(StrokeBlue), c.Stroked) << c.Name << " shape " << shape;
      if (c.FillKind == gfkTexture) {
        EXPECT_FALSE(Has(FillRed)) << c.Name << " shape " << shape;
      }
    }
  }
}

TEST_F(NeoGraphicsFacade, TextureModesPlaceTheTexture) {
  auto texture = SolidPicture(10, 10, TextureGreen);
  struct Case {
    TNeoGraphicsTextureMode Mode;
    TPoint Green, White;
  };
  // Rectangle (5, 5, 36, 26).
  const Case cases[] = {
      {gtmOriginal, {14, 14}, {16, 16}},   // once at the top-left, cut to the rectangle
      {gtmStretch, {35, 25}, {37, 27}},
      {gtmCenter, {20, 15}, {8, 8}},       // 10 x 10 in the middle
      {gtmFit, {20, 15}, {6, 15}},         // 21 x 21 in the middle
      {gtmTile, {44, 25}, {46, 15}},       // whole tiles from the top-left, overhanging
  };
  for (const Case& c : cases) {
    New(50, 50);
    G->GetFill()->SetTexture(texture.get());
    G->GetFill()->SetTextureMode(c.Mode);
    G->SetFillKind(gfkTexture);
    G->SetStrokeKind(gskNone);
    G->DrawRectangle(5, 5, 36, 26);
    EXPECT_EQ(Px(c.Green.x, c.Green.y), TextureGreen) << c.Mode;
    EXPECT_EQ(Px(c.White.x, c.White.y), clWhite) << c.Mode;
  }
}

TEST_F(NeoGraphicsFacade, AspectSizeAndDrawRectangle) {
  struct Case {
    bool Aspect, Stretch, Center, Crop;
    TRectF Box;
    TRectF Expected;
  };
  // A 40 x 20 picture.
  const Case cases[] = {
      {true, false, false, false, {0, 0, 100, 100}, {0, 0, 40, 20}},     // fits: own size
      {true, false, true, false, {0, 0, 100, 100}, {30, 40, 70, 60}},    // centred
      {true, true, false, false, {0, 0, 100, 100}, {0, 0, 100, 50}},     // stretched, aspect kept
      {true, false, false, false, {0, 0, 20, 20}, {0, 0, 20, 10}},       // shrunk by width
      {true, false, false, false, {0, 0, 80, 10}, {0, 0, 20, 10}},       // shrunk by height
      {false, true, false, false, {5, 5, 25, 85}, {5, 5, 25, 85}},       // stretched
      {false, false, false, true, {0, 0, 20, 10}, {-10, -5, 30, 15}},    // cropped: centred own size
      {false, false, false, false, {7, 8, 9, 9}, {7, 8, 47, 28}},        // own size
      {true, false, false, false, {0, 0, 0, 10}, {0, 0, 0, 0}},          // no box
  };
  auto picture = SolidPicture(40, 20, clRed);
  New(4, 4);
  for (const Case& c : cases) {
    const TRectF r = G->GetBitmapDrawRectangle(c.Box, picture.get(), c.Aspect, c.Stretch, c.Center, c.Crop);
    EXPECT_EQ(r, c.Expected) << c.Box.Left << "," << c.Box.Top << "," << c.Box.Right << "," << c.Box.Bottom;
  }
  EXPECT_EQ(G->GetBitmapDrawRectangle(TRectF{0, 0, 10, 10}, nullptr), TRectF{});
  EXPECT_EQ(G->GetBitmapDrawRectangle(TRect{0, 0, 101, 101}, picture.get(), true, false, true, false),
            (TRect{30, 40, 70, 60}));   // (101 - 40) / 2 = 30.5 rounds to even
  Single w = -1, h = -1;
  TNeoGraphics::GetAspectSize(w, h, -4, 20, 100, 100, true, false, false);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST_F(NeoGraphicsFacade, PicturesAndParts) {
  auto picture = SolidPicture(20, 20, clRed);
  New(60, 60);
  G->DrawBitmap(5, 5, picture.get());
  EXPECT_EQ(Px(5, 5), clRed);
  EXPECT_EQ(Px(24, 24), clRed);
  EXPECT_EQ(Px(25, 25), clWhite);
  // A part: the picture's left half, stretched into the destination.
  TBitmap halves(20, 10);
  halves.GetCanvas()->GetBrush()->SetColor(clBlue);
  halves.GetCanvas()->FillRect(TRect{0, 0, 10, 10});
  halves.GetCanvas()->GetBrush()->SetColor(clLime);
  halves.GetCanvas()->FillRect(TRect{10, 0, 20, 10});
  TNeoBitmap part;
  part.SetGraphic(&halves);
  G->DrawBitmapPart(TRectF{10, 0, 20, 10}, TRectF{30, 30, 50, 50}, &part, false, true, false, false);
  EXPECT_EQ(Px(31, 31), clLime);
  EXPECT_EQ(Px(49, 49), clLime);
  // A part keeps the picture's transparency.
  TBitmap clear;
  clear.SetPixelFormat(pf32bit);
  clear.SetAlphaFormat(afDefined);
  clear.SetSize(20, 10);
  clear.GetCanvas()->GetBrush()->SetColor(clBlue);
  clear.GetCanvas()->FillRect(TRect{0, 0, 10, 10});
  TNeoBitmap halfClear;
  halfClear.SetGraphic(&clear);
  New(60, 60);
  G->SetStrokeKind(gskNone);
  G->SetFillColor(clRed);
  G->DrawRectangle(0, 0, 60, 60);
  G->DrawBitmapPart(TRectF{0, 0, 20, 10}, TRectF{10, 10, 50, 30}, &halfClear, false, true, false, false);
  EXPECT_EQ(Px(15, 20), clBlue);
  EXPECT_EQ(Px(45, 20), clRed);
  New(60, 60);
  for (const TRectF& empty : {TRectF{10, 0, 10, 10}, TRectF{0, 10, 10, 5}})
    G->DrawBitmapPart(empty, TRectF{0, 0, 50, 50}, &part), G->DrawBitmapPart(TRectF{0, 0, 10, 10}, empty, &part);
  EXPECT_TRUE(Blank());
}

TEST_F(NeoGraphicsFacade, BadInputsDrawNothingAndRaiseNothing) {
  const Single nan = std::numeric_limits<Single>::quiet_NaN();
  New(40, 40);
  G->SetFillColor(FillRed);
  G->SetStrokeColor(StrokeBlue);
  TNeoGraphicsPath empty;
  EXPECT_NO_THROW({
    G->DrawBitmap(0, 0, 30, 30, nullptr);
    G->DrawBitmap(0, 0, static_cast<TPicture*>(nullptr));
    G->DrawBitmapPart(0, 0, 10, 10, 0, 0, 10, 10, nullptr);
    G->DrawPath(nullptr);
    G->DrawPath(&empty);
    G->DrawFocusPath(nullptr);
    G->DrawPolygon({});
    G->DrawPolyline({});
    G->DrawRectangle(30, 30, 10, 10);
    G->DrawEllipse(30.0, 10.0, 10.0, 30.0);
    G->DrawRoundRectangle(TRectF{30, 30, 10, 10});
    G->DrawRectangle(TRectF{nan, 0, 30, 30});
    G->DrawEllipse(TRectF{0, 0, nan, 30});
    G->DrawLine(TPointF{nan, 0}, TPointF{30, 30});
    G->DrawArc(TPointF{20, 20}, TPointF{-5, 10}, 0, 90);
    G->DrawArc(TPointF{20, nan}, TPointF{5, 10}, 0, 90);
    G->DrawPolygon({{0, 0}, {nan, 30}, {30, 30}});
    G->DrawFocusRectangle(TRectF{nan, nan, 30, 30});
    G->DrawText(TRectF{nan, 0, 30, 30}, u"text");
    G->ClipRect(TRectF{nan, 0, 30, 30});
    G->DrawBitmapWithName(0, 0, 30, 30, u"missing");
    G->DrawScaledBitmap(TRectF{0, 0, 30, 30}, nullptr);
  });
  EXPECT_TRUE(Blank());
  // A facade over a bitmap of no size draws nothing either.
  EXPECT_NO_THROW({
    auto none = TNeoGraphics::CreateBitmapCanvas(-5, -5);
    EXPECT_EQ(none->GetBitmap()->GetWidth(), 0);
    none->DrawRectangle(0, 0, 10, 10);
    none->DrawText(TRectF{0, 0, 10, 10}, u"x");
  });
}

TEST_F(NeoGraphicsFacade, ColoursAndHitTests) {
  EXPECT_EQ(TNeoGraphics::ColorToHTML(0x302010), u"#102030");
  EXPECT_EQ(TNeoGraphics::ColorToHTML(clBlack), u"#000000");
  EXPECT_EQ(TNeoGraphics::GetColorRed(0x302010), 0x10);
  EXPECT_EQ(TNeoGraphics::GetColorGreen(0x302010), 0x20);
  EXPECT_EQ(TNeoGraphics::GetColorBlue(0x302010), 0x30);
  EXPECT_EQ(TNeoGraphics::HTMLToColor(u"#fff"), 0xFFFFFF);
  EXPECT_EQ(TNeoGraphics::HTMLToColor(TNeoGraphics::ColorToHTML(0xA1B2C3)), 0xA1B2C3);
  EXPECT_THROW(TNeoGraphics::HTMLToColor(u"#12345G"), EConvertError);
  EXPECT_EQ(TNeoGraphics::TextToColor(u"clRed"), 0x0000FF);
  EXPECT_EQ(TNeoGraphics::TextToColor(u"gcNavy"), 0x800000);
  EXPECT_EQ(TNeoGraphics::TextToColor(u"noSuchColour"), 0);
  const TNeoGraphicsPathPolygon triangle{{0, 0}, {10, 0}, {0, 10}};
  EXPECT_TRUE(TNeoGraphics::PointInPolygon(TPoint{2, 2}, triangle));
  EXPECT_FALSE(TNeoGraphics::PointInPolygon(TPoint{8, 8}, triangle));
  EXPECT_TRUE(TNeoGraphics::PointInRect(TPoint{5, 5}, TRect{0, 0, 10, 10}));
  EXPECT_FALSE(TNeoGraphics::PointInPath(TPointF{5, 5}, nullptr));
}

// ---- Text ----

TEST_F(NeoGraphicsFacade, MeasuringEdgeCases) {
  New(10, 10);
  EXPECT_EQ(G->CalculateText(u"", TRectF{5, 6, 100, 100}), (TRectF{5, 6, 5, 6}));
  const TRectF narrow = G->CalculateText(u"text", TRectF{5, 6, 5.4f, 100});
  EXPECT_EQ(narrow.Top, narrow.Bottom);
  const TRectF r = G->CalculateText(u"Text");
  EXPECT_GT(r.Width(), 10);
  const TSize extent = G->GetCanvas()->TextExtent(u"Text");
  EXPECT_EQ(r.Height(), extent.cy + 1);   // heights get one pixel more
  EXPECT_EQ(G->CalculateTextWidthInt(u"Text"), extent.cx);
}

TEST_F(NeoGraphicsFacade, DrawingEdgeCases) {
  New(100, 60);
  G->SetFontColor(clBlack);
  // A hit test of plain text draws nothing.
  EXPECT_EQ(G->DrawText(TRectF{0, 0, 100, 60}, u"plain", false, gtaLeading, gtaLeading, gttNone, 0, -1, -1, true,
                        true, 5, 5),
            u"");
  EXPECT_TRUE(Blank());
  // A minimum height moves the vertical centre; -1 changes nothing.
  auto centre = [&](Single AMinHeight) {
    New(100, 60);
    G->SetFontColor(clBlack);
    G->DrawText(TRectF{0, 0, 100, 20}, u"x", false, gtaCenter, gtaCenter, gttNone, 0, -1, AMinHeight);
    const auto bands = InkBands();
    return bands.empty() ? -100 : (bands.front().first + bands.back().second) / 2;
  };
  const Integer plain = centre(-1);
  EXPECT_EQ(centre(30) - plain, 5);
  EXPECT_EQ(centre(10), plain);
}

TEST_F(NeoGraphicsFacade, BreaksSplitTheTextWithOptimizedDrawing) {
  const String text = u"<b>one</b><BR>two<BR>three";
  New(200, 100);
  G->SetFontColor(clBlack);
  G->SetOptimizedHTMLDrawing(true);
  const Single lineHeight = G->CalculateText(u"one").Height();
  EXPECT_EQ(G->CalculateText(text, TRectF{0, 0, 200, 100}).Height(), 3 * lineHeight);
  G->DrawText(TRectF{0, 0, 200, 100}, text, false, gtaLeading, gtaLeading);
  EXPECT_EQ(InkBands().size(), 3u);
  // The separator keeps its case: a lower-case break splits where it stands.
  New(200, 100);
  G->SetFontColor(clBlack);
  G->SetOptimizedHTMLDrawing(true);
  G->DrawText(TRectF{0, 0, 200, 100}, u"a</i><br>b", false, gtaLeading, gtaLeading);
  EXPECT_EQ(InkBands().size(), 2u);
  // Without the option (and without a markup engine) the text is one plain line.
  New(200, 100);
  G->SetFontColor(clBlack);
  G->DrawText(TRectF{0, 0, 200, 100}, text, false, gtaLeading, gtaLeading);
  EXPECT_EQ(InkBands().size(), 1u);
}

// ---- Registration points ----

struct Recorder {
  static inline std::vector<String> Names;
  static inline Integer SvgCalls = 0;
  static inline TGraphicsHtmlDrawParams LastHtml;
  static TPicture* Find(TPictureContainer*, const String& AName) {
    Names.push_back(AName);
    return nullptr;
  }
  static bool Svg(TNeoGraphics*, TPicture*, const TRectF&) {
    ++SvgCalls;
    return true;
  }
  static bool Html(TGraphicsHtmlDrawParams& AParams) {
    LastHtml = AParams;
    AParams.AXSize = 42;
    AParams.AYSize = 17;
    AParams.ALineCount = 1;
    if (!AParams.ACheckHeight && AParams.ACheckHotSpot) {
      AParams.AAnchor = u"link";
      AParams.AControlID = u"id";
      return true;
    }
    return false;
  }
};

TEST_F(NeoGraphicsFacade, RegisteredRenderingLayerIsCalled) {
  New(60, 60);
  auto picture = SolidPicture(10, 10, clRed);
  // SVG pictures: the registered drawing replaces the plain one.
  EXPECT_FALSE(G->DrawSVGPicture(picture.get(), TRectF{0, 0, 10, 10}));
  NeoGraphicsRegistry::RegisterDrawSVGPicture(&Recorder::Svg);
  G->DrawBitmap(0, 0, picture.get());
  EXPECT_EQ(Recorder::SvgCalls, 1);
  EXPECT_TRUE(Blank());
  // Container pictures: the scaled name first, its scale as the format settings write it.
  auto* container = reinterpret_cast<TPictureContainer*>(&Recorder::Names);
  EXPECT_EQ(TNeoGraphics::GetBitmapFromPictureContainer(container, u"x", true, 1.5f), nullptr);
  EXPECT_TRUE(Recorder::Names.empty());   // nothing registered
  NeoGraphicsRegistry::RegisterFindContainerPicture(&Recorder::Find);
  const Char separator = FormatSettings.DecimalSeparator;
  FormatSettings.DecimalSeparator = u',';
  TNeoGraphics::GetBitmapFromPictureContainer(container, u"x", true, 1.5f);
  FormatSettings.DecimalSeparator = separator;
  EXPECT_EQ(Recorder::Names, (std::vector<String>{u"x_1,5", u"x"}));
  EXPECT_EQ(TNeoGraphics::GetBitmapFromPictureContainer(nullptr, u"x"), nullptr);
  EXPECT_EQ(TNeoGraphics::GetBitmapFromPictureContainer(container, u""), nullptr);
  // Markup: measured by the engine (+1 in height), drawn by it with the hit test.
  NeoGraphicsRegistry::RegisterDrawGraphicsHtmlText(&Recorder::Html);
  G->SetHighlightColor(clYellow);
  const TRectF m = G->CalculateText(u"<b>x</b>", TRectF{3, 4, 100, 100});
  EXPECT_EQ(m, (TRectF{3, 4, 45, 22}));
  EXPECT_TRUE(Recorder::LastHtml.ACheckHeight);
  EXPECT_EQ(Recorder::LastHtml.AHighlightColor, clYellow);
  EXPECT_EQ(Recorder::LastHtml.AGraphics, G.get());
  String id, value, type;
  EXPECT_EQ(G->DrawText(TRectF{0, 0, 100, 100}, u"<a>x</a>", id, value, type, false, gtaLeading, gtaLeading, gttNone,
                        0, -1, -1, true, true, 10.5f, 3),
            u"link");
  EXPECT_EQ(id, u"id");
  EXPECT_EQ(Recorder::LastHtml.AX, 10);   // rounded, halves to even
  EXPECT_EQ(Recorder::LastHtml.ARect, (TRectF{0, 0, 43, 18}));   // the measured width + the line inset
  // Plain text still goes to the context.
  EXPECT_EQ(G->CalculateText(u"x", TRectF{0, 0, 100, 100}).Height(), G->GetCanvas()->TextHeight(u"x") + 1);
}

}  // namespace
