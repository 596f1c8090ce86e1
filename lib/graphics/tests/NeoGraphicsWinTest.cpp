// The GDI+ drawing back end through the facade, read back by pixels of the facade's own bitmap and
// compared with the canvas back end where both should agree.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <vector>

#include "GDIPlusClassesTestSupport.h"
#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"
#include "lib/graphics/NeoGraphicsWin.h"
#include "platform/win/Surface.h"

namespace {

class NeoGraphicsWinTest : public GdiplusUnitsSuite {};

constexpr int W = 60, H = 40;

// A facade over its own W x H bitmap, painted white, fill and stroke solid.
std::unique_ptr<TNeoGraphics> Scene(bool ANative, int AWidth = W, int AHeight = H) {
  auto g = TNeoGraphics::CreateBitmapCanvas(AWidth, AHeight, ANative);
  g->BeginScene();
  g->GetStroke()->SetKind(gskNone);
  g->SetFillColor(0xFFFFFF);
  g->DrawRectangle(0, 0, AWidth, AHeight);
  g->GetStroke()->SetKind(gskSolid);
  return g;
}

TSurface& Surface(TNeoGraphics& G) {
  TSurface* surface = GetDCSurface(G.GetCanvas()->GetHandle());
  surface->Pixels();
  return *surface;
}

std::vector<std::uint32_t> Snapshot(TNeoGraphics& G) {
  TSurface& s = Surface(G);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) pixels.push_back(s.Pixel(x, y) & 0xFFFFFF);
  return pixels;
}

int Red(std::uint32_t APixel) { return static_cast<int>((APixel >> 16) & 0xFF); }

TNeoGraphicsContextWin& Win(TNeoGraphics& G) {
  auto* context = dynamic_cast<TNeoGraphicsContextWin*>(G.GetContext());
  EXPECT_NE(context, nullptr);
  return *context;
}

TEST_F(NeoGraphicsWinTest, TheFacadeCreatesTheGdiPlusContextThroughTheClassReference) {
  EXPECT_EQ(GetNativeContextClass(), TNeoGraphicsContextWin::StaticClass());
  auto g = TNeoGraphics::CreateNativeBitmapCanvas(10, 10);
  EXPECT_NE(dynamic_cast<TNeoGraphicsContextWin*>(g->GetContext()), nullptr);
  EXPECT_NE(g->GetContext()->NativeCanvas(), nullptr);
  g->EndScene();
  EXPECT_EQ(g->GetContext()->NativeCanvas(), nullptr);
}

TEST_F(NeoGraphicsWinTest, ColoursTakeTheOpacityAsAlpha) {
  EXPECT_EQ(ToGPColor(0x0000FF, 1), 0xFFFF0000u);   // BGR red
  EXPECT_EQ(ToGPColor(0x123456, 0.5f), 0x80563412u);
  EXPECT_EQ(ToGPColor(0x123456, 0) >> 24, 0u);
  EXPECT_EQ(ToGPColor(0x123456, 7) >> 24, 0xFFu);
}

TEST_F(NeoGraphicsWinTest, GradientStopsOfEachMode) {
  struct Row {
    const char* Name;
    std::function<void(TNeoGraphicsFill&)> Setup;
    std::vector<Single> Positions;
    std::vector<ARGB> Colors;
  };
  const ARGB red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00, black = 0xFF000000;
  const std::vector<Row> rows = {
      {"collection inside gets both ends",
       [](TNeoGraphicsFill& F) {
         F.SetGradientMode(gfgmCollection);
         F.AddGradientItem(0x0000FF, 0.3f, 1);
         F.AddGradientItem(0xFF0000, 0.7f, 1);
       },
       {0, 0.3f, 0.7f, 1},
       {red, red, blue, blue}},
      {"collection at both ends stays",
       [](TNeoGraphicsFill& F) {
         F.SetGradientMode(gfgmCollection);
         F.AddGradientItem(0x0000FF, 0, 1);
         F.AddGradientItem(0xFF0000, 1, 1);
       },
       {0, 1},
       {red, blue}},
      {"empty collection gives the default pair",
       [](TNeoGraphicsFill& F) { F.SetGradientMode(gfgmCollection); },
       {0, 1},
       {red, green}},
      {"default pair", [](TNeoGraphicsFill&) {}, {0, 1}, {red, green}},
      {"mirror quadruple",
       [](TNeoGraphicsFill& F) {
         F.SetColorMirror(0xFF0000);
         F.SetColorMirrorTo(0);
       },
       {0, 0.5f, 0.5f, 1},
       {red, green, blue, black}},
  };
  for (const Row& row : rows) {
    TNeoGraphicsFill fill(gfkGradient, 0x0000FF);
    fill.SetColorTo(0x00FF00);
    row.Setup(fill);
    const TGPGradientStops stops = GradientStops(&fill);
    EXPECT_EQ(stops.Positions, row.Positions) << row.Name;
    EXPECT_EQ(stops.Colors, row.Colors) << row.Name;
  }
}

TEST_F(NeoGraphicsWinTest, DrawingAfterEndSceneChangesNoPixel) {
  auto g = Scene(true);
  g->EndScene();
  const std::vector<std::uint32_t> before = Snapshot(*g);
  g->SetFillColor(0x0000FF);
  g->DrawRectangle(0, 0, W, H);
  g->DrawEllipse(0, 0, W, H);
  g->DrawText(TRectF{0, 0, W, H}, u"Text");
  EXPECT_EQ(Snapshot(*g), before);
}

TEST_F(NeoGraphicsWinTest, ASecondClipRectangleReplacesTheFirst) {
  auto g = Scene(true);
  g->ClipRect(TRectF{0, 0, 20, 20});
  g->ClipRect(TRectF{30, 10, 50, 30});
  g->GetStroke()->SetKind(gskNone);
  g->SetFillColor(0x0000FF);
  g->DrawRectangle(0, 0, W, H);
  g->EndScene();
  TSurface& s = Surface(*g);
  EXPECT_EQ(s.Pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(s.Pixel(40, 20) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(s.Pixel(55, 35) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(NeoGraphicsWinTest, DashedOutlinesAreNotAntiAliased) {
  struct Row {
    TNeoGraphicsStrokeKind Kind;
    bool Partial;
  };
  for (const Row row : {Row{gskSolid, true}, Row{gskDash, false}, Row{gskDot, false}}) {
    auto g = Scene(true);
    g->GetContext()->SetAntiAliasing(true);
    g->GetStroke()->SetColor(0);
    g->GetStroke()->SetKind(row.Kind);
    g->DrawLine(TPointF{2, 3}, TPointF{57, 31});
    const Integer smoothing = Win(*g).GPGraphics()->GetSmoothingMode();
    g->EndScene();
    int partial = 0, ink = 0;
    for (std::uint32_t p : Snapshot(*g)) {
      const int r = Red(p);
      if (r < 250) ++ink;
      if (r > 5 && r < 250) ++partial;
    }
    EXPECT_GT(ink, 20) << row.Kind;
    EXPECT_EQ(partial > 0, row.Partial) << row.Kind << ": " << partial << " partial pixels";
    EXPECT_EQ(smoothing, gdip::SmoothingModeAntiAlias) << "the smoothing mode comes back";
  }
}

TEST_F(NeoGraphicsWinTest, MatrixRoundTripAndTextAngleRectangles) {
  auto g = Scene(true);
  TNeoGraphicsContext* c = g->GetContext();
  TNeoGraphicsMatrix m = TNeoGraphicsMatrix::Identity();
  m.m11 = 2;
  m.m12 = 0.5f;
  m.m21 = -0.5f;
  m.m22 = 1.5f;
  m.m31 = 10;
  m.m32 = 20;
  c->SetMatrix(m);
  const TNeoGraphicsMatrix back = c->GetMatrix();
  EXPECT_EQ(back.M(), m.M());
  c->ResetTransform();
  EXPECT_EQ(c->GetMatrix().M(), TNeoGraphicsMatrix::Identity().M());

  struct Row {
    TRectF Box;
    TRectF Expected;
  };
  for (const Row& row : {Row{{10, 10, 110, 30}, {-50, -10, 50, 10}}, Row{{10, 10, 30, 110}, {-50, -10, 50, 10}}}) {
    const TRectF r = c->SetTextAngle(row.Box, 90);
    EXPECT_EQ(r.Left, row.Expected.Left);
    EXPECT_EQ(r.Top, row.Expected.Top);
    EXPECT_EQ(r.Right, row.Expected.Right);
    EXPECT_EQ(r.Bottom, row.Expected.Bottom);
    const TNeoGraphicsMatrix turned = c->GetMatrix();
    EXPECT_NEAR(turned.m31, (row.Box.Left + row.Box.Right) / 2, 1e-4);
    EXPECT_NEAR(turned.m32, (row.Box.Top + row.Box.Bottom) / 2, 1e-4);
    c->ResetTextAngle(90);
    EXPECT_EQ(c->GetMatrix().M(), TNeoGraphicsMatrix::Identity().M());
  }
  const TRectF same = c->SetTextAngle({1, 2, 3, 4}, 0);
  EXPECT_EQ(same.Right, 3);
}

TEST_F(NeoGraphicsWinTest, ASavedLevelDroppedByABaseSettingRestoresNothing) {
  auto g = Scene(true);
  TNeoGraphicsContext* c = g->GetContext();
  TNeoGraphicsSaveState* state = g->SaveState(true);
  c->TranslateTransform(10, 0);
  c->SetAntiAliasing(true);   // back to the base state: the translation and the saved level go
  EXPECT_EQ(c->GetMatrix().m31, 0);
  c->TranslateTransform(20, 0);
  g->RestoreState(state, true);
  EXPECT_EQ(c->GetMatrix().m31, 20);
  EXPECT_EQ(Win(*g).GPGraphics()->GetSmoothingMode(), gdip::SmoothingModeAntiAlias);
}

TEST_F(NeoGraphicsWinTest, GradientBoundsGrowByOnePixelOnEachSide) {
  auto g = Scene(true);
  g->GetContext()->SetAntiAliasing(true);
  TNeoGraphicsFill* fill = g->GetFill();
  fill->BeginUpdate();
  fill->SetKind(gfkGradient);
  fill->SetColor(0);
  fill->SetColorTo(0xFFFFFF);
  fill->SetOrientation(gfoHorizontal);
  fill->EndUpdate();
  g->GetStroke()->SetKind(gskNone);
  g->DrawRectangle(10, 10, 14, 20);
  g->EndScene();
  TSurface& s = Surface(*g);
  // Black to white over the box grown by a pixel on each side: the first column is already a
  // fifth of the way (about a tenth without the growth), the fourth short of the end (near
  // seven eighths without it).
  EXPECT_EQ(s.Pixel(9, 15) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_GT(Red(s.Pixel(10, 15)), 40);
  EXPECT_LT(Red(s.Pixel(10, 15)), 70);
  EXPECT_GT(Red(s.Pixel(13, 15)), 140);
  EXPECT_LT(Red(s.Pixel(13, 15)), 200);
}

TEST_F(NeoGraphicsWinTest, FillsEndAtTheirRightAndBottomEdges) {
  const std::function<void(TNeoGraphics&)> shapes[] = {
      [](TNeoGraphics& G) { G.DrawRectangle(0, 0, 20, 20); },
      [](TNeoGraphics& G) {
        TNeoGraphicsPath path;
        path.AddRectangle({0, 0, 20, 20});
        G.DrawPath(&path);
      },
      [](TNeoGraphics& G) {
        TNeoGraphicsPath path;
        path.AddRectangle({0, 0, 20, 20});
        G.DrawPath(&path, pdmPolygon);
      },
  };
  for (bool antiAliased : {false, true})
    for (size_t i = 0; i < std::size(shapes); ++i) {
      auto g = Scene(true);
      g->GetContext()->SetAntiAliasing(antiAliased);
      g->GetStroke()->SetKind(gskNone);
      g->SetFillColor(0x000000);
      shapes[i](*g);
      g->EndScene();
      TSurface& s = Surface(*g);
      EXPECT_EQ(s.Pixel(19, 19) & 0xFFFFFF, 0u) << i << " " << antiAliased;
      EXPECT_EQ(s.Pixel(0, 0) & 0xFFFFFF, 0u) << i << " " << antiAliased;
      EXPECT_EQ(s.Pixel(20, 10) & 0xFFFFFF, 0xFFFFFFu) << i << " " << antiAliased;
      EXPECT_EQ(s.Pixel(10, 20) & 0xFFFFFF, 0xFFFFFFu) << i << " " << antiAliased;
      EXPECT_EQ(s.Pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu) << i << " " << antiAliased;
    }
}

TEST_F(NeoGraphicsWinTest, APathOfSeveralFiguresKeepsItsHolesWithoutSeams) {
  auto g = Scene(true);
  g->GetContext()->SetAntiAliasing(true);
  g->GetStroke()->SetKind(gskNone);
  g->SetFillColor(0x000000);
  TNeoGraphicsPath path;
  path.AddRectangle({0, 0, 30, 30});
  path.AddRectangle({10, 10, 20, 20});
  path.AddEllipse({34, 4, 56, 26});
  g->DrawPath(&path);
  g->EndScene();
  TSurface& s = Surface(*g);
  EXPECT_EQ(s.Pixel(15, 15) & 0xFFFFFF, 0xFFFFFFu);   // the hole
  EXPECT_EQ(s.Pixel(45, 15) & 0xFFFFFF, 0u);          // the third figure
  EXPECT_EQ(s.Pixel(32, 15) & 0xFFFFFF, 0xFFFFFFu);   // between the figures
  // The ring is solid everywhere, also where the figures join.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x)
      if (x < 10 || x >= 20 || y < 10 || y >= 20) {
        EXPECT_EQ(s.Pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
      }
}

// Outlines stroked as the path's figures: a move after a move starts at the second point, a line
// after a close starts a new figure at the current point, a curve stays one smooth stroke.
TEST_F(NeoGraphicsWinTest, PathOutlinesFollowTheirFigures) {
  auto g = Scene(true);
  g->GetFill()->SetKind(gfkNone);
  g->SetStrokeColor(0x000000);
  g->SetStrokeWidth(2);
  TNeoGraphicsPath path;
  path.MoveTo({2, 2});
  path.MoveTo({2, 10});
  path.LineTo({20, 10});
  path.LineTo({20, 30});
  path.ClosePath();          // back to (2, 10)
  path.LineTo({20, 38});     // from (20, 30)
  path.MoveTo({30, 30});
  path.CurveTo({30, 5}, {55, 5}, {55, 30});
  g->DrawPath(&path);
  g->EndScene();
  TSurface& s = Surface(*g);
  const auto dark = [&](int X, int Y) { return (s.Pixel(X, Y) & 0xFF) < 0x80; };
  EXPECT_FALSE(dark(2, 5));    // no line from the first move
  EXPECT_TRUE(dark(10, 10));   // the first line
  EXPECT_TRUE(dark(11, 20));   // the closing edge from (20, 30) to (2, 10)
  EXPECT_TRUE(dark(20, 34));   // the line after the close
  EXPECT_FALSE(dark(25, 34));
  // The curve: its top near y 11, its ends at (30, 30) and (55, 30), nothing across its chord.
  EXPECT_TRUE(dark(42, 11) || dark(42, 12));
  EXPECT_TRUE(dark(30, 29));
  EXPECT_TRUE(dark(54, 29));
  EXPECT_FALSE(dark(42, 30));
  EXPECT_FALSE(dark(42, 20));
}

// Points on a straight stretch between their neighbours change no pixel, while points off it or
// folding back along it keep their shape.
TEST_F(NeoGraphicsWinTest, PolygonsKeepTheirShapeWithPointsOnStraightStretches) {
  // The corners 5,5 - 50,5 - 50,30 - 5,30, with points every quarter pixel along the top and the
  // right edges; then the same with one point of the top edge moved by AOffset (x, y).
  const auto dense = [](TPointF AOffset) {
    TNeoGraphicsPathPolygon p;
    for (Single x = 5; x < 50; x += 0.25f) p.push_back({x, 5});
    for (Single y = 5; y <= 30; y += 0.25f) p.push_back({50, y});
    p.push_back({5, 30});
    p.push_back({5, 5});
    p[80] = {p[80].X + AOffset.X, p[80].Y + AOffset.Y};
    return p;
  };
  const TNeoGraphicsPathPolygon corners{{5, 5}, {50, 5}, {50, 30}, {5, 30}, {5, 5}};
  struct TCase {
    const char* Name;
    TPointF Offset;
    bool Same;
  };
  const TCase cases[] = {{"straight", {0, 0}, true},
                         {"within a hundredth", {0, 0.01f}, true},
                         {"a bump of three pixels", {0, -3}, false},
                         {"folding back along the edge", {-30, 0}, false}};
  const auto draw = [](const TNeoGraphicsPathPolygon& APolygon) {
    auto g = Scene(true);
    g->GetContext()->SetAntiAliasing(true);
    g->SetFillColor(0x40C040);
    g->SetStrokeColor(0x000000);
    g->DrawPolygon(APolygon);
    g->EndScene();
    return Snapshot(*g);
  };
  const std::vector<std::uint32_t> expected = draw(corners);
  for (const TCase& c : cases) {
    const std::vector<std::uint32_t> actual = draw(dense(c.Offset));
    int worst = 0;
    for (std::size_t i = 0; i < actual.size(); ++i)
      for (int shift : {0, 8, 16})
        worst = std::max(worst, std::abs(static_cast<int>((actual[i] >> shift) & 0xFF) -
                                         static_cast<int>((expected[i] >> shift) & 0xFF)));
    if (c.Same) EXPECT_LE(worst, 2) << c.Name;
    else EXPECT_GT(worst, 40) << c.Name;
  }
}

TEST_F(NeoGraphicsWinTest, APictureWithAlphaMatchesTheCanvasContext) {
  TNeoBitmap picture;
  picture.LoadFromFile(TestData("alpha_disc.png"));
  ASSERT_EQ(picture.GetWidth(), 32);
  std::vector<std::uint32_t> pictures[2];
  for (bool native : {false, true}) {
    auto g = Scene(native);
    g->DrawBitmap(10, 4, &picture);
    g->EndScene();
    pictures[native] = Snapshot(*g);
  }
  int off = 0, inked = 0;
  for (std::size_t i = 0; i < pictures[0].size(); ++i) {
    const std::uint32_t a = pictures[0][i], b = pictures[1][i];
    inked += (b & 0xFFFFFF) != 0xFFFFFF;
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8) {
        ++off;
        break;
      }
  }
  EXPECT_GT(inked, 300) << "the picture is drawn";
  EXPECT_LE(off, static_cast<int>(pictures[0].size()) / 200);
}

// A graphic whose saved bytes are no picture at all.
class TUndecodableGraphic : public TGraphic {
public:
  void Draw(TCanvas*, const TRect&) override {}
  bool GetEmpty() override { return false; }
  Integer GetWidth() override { return 10; }
  Integer GetHeight() override { return 10; }
  void SetWidth(Integer) override {}
  void SetHeight(Integer) override {}
  void LoadFromStream(TStream*) override {}
  void SaveToStream(TStream* Stream) override {
    static const char bytes[] = "not a picture";
    Stream->WriteBuffer(bytes, sizeof bytes);
  }
};

TEST_F(NeoGraphicsWinTest, BadInputsDrawNothingAndRaiseNothing) {
  auto g = Scene(true);
  const std::vector<std::uint32_t> before = Snapshot(*g);
  TBitmap empty;
  TNeoGraphicsPath emptyPath;
  EXPECT_NO_THROW({
    g->GetContext()->DrawBitmap(nullptr, {}, TRectF{0, 0, W, H}, 1);
    g->GetContext()->DrawBitmap(&empty, {}, TRectF{0, 0, W, H}, 1);
    TUndecodableGraphic undecodable;
    g->GetContext()->DrawBitmap(&undecodable, {}, TRectF{0, 0, W, H}, 1);
    g->GetContext()->DrawPolygon(g->GetStroke(), {});
    g->GetContext()->FillPolygon(g->GetFill(), {});
    g->GetContext()->DrawPolyline(g->GetStroke(), {});
    g->GetContext()->DrawPath(g->GetStroke(), &emptyPath, pdmPath);
    g->GetContext()->FillPath(g->GetFill(), &emptyPath, pdmPath);
    g->GetContext()->ClipPath(nullptr);
  });
  g->EndScene();
  EXPECT_EQ(Snapshot(*g), before);
  auto zero = TNeoGraphics::CreateBitmapCanvas(0, 0, true);
  EXPECT_NO_THROW({
    zero->DrawRectangle(0, 0, 10, 10);
    zero->DrawText(TRectF{0, 0, 10, 10}, u"x");
    zero->EndScene();
  });
}

}  // namespace
