// The drawing surface against libgdiplus: pre-set values on a failing object, argument orders
// proved by pixels or by a recording module, and one drawing compared with its golden picture,
// over a 32-bit bitmap and over a headless form.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "lib/graphics/tests/GDIPlusClassesTestSupport.h"
#include "lib/graphics/tests/TestColors.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Graphics.h"
#include "platform/win/Headless.h"
#include "platform/win/Surface.h"

namespace {

using GraphicsTest = GDIPlusClassesTest;

constexpr ARGB Green = PackARGB(255, 0, 160, 0);

constexpr int SceneWidth = 360, SceneHeight = 260;
// The areas that hold text: compared by their ink's bounding box, as fonts may differ.
constexpr TGPRect TextZones[2] = {{176, 156, 180, 44}, {180, 205, 170, 45}};

std::string OutputPath(const char* AName) { return std::string(ZELK_TEST_OUTPUT) + "/" + AName; }
std::string DataPath(const char* AName) { return std::string(ZELK_TEST_DATA) + "/" + AName; }

// The scene: a dashed pen with custom caps, linear and path gradients with interpolation
// colours, a hatch and a texture brush, a path of Béziers, an arc and a string, a clip made of
// two combined regions, an image through a grey-scale colour matrix and centred text.
void DrawScene(TGPGraphics& G) {
  EXPECT_EQ(G.Clear(White), Ok);
  EXPECT_EQ(G.SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
  EXPECT_EQ(G.SetTextRenderingHint(TextRenderingHintAntiAlias), Ok);

  TGPLinearGradientBrush linear(TGPRectF{10, 10, 150, 50}, Red, Blue, LinearGradientModeHorizontal);
  const ARGB linearColors[3] = {Red, Green, Blue};
  const Single positions[3] = {0, 0.5f, 1};
  EXPECT_EQ(linear.SetInterpolationColors(linearColors, positions, 3), Ok);
  EXPECT_EQ(G.FillRectangle(&linear, TGPRectF{10, 10, 150, 50}), Ok);

  TGPGraphicsPath ellipse;
  ellipse.AddEllipse(180, 10, 160, 90);
  TGPPathGradientBrush radial(&ellipse);
  const ARGB radialColors[3] = {Blue, Green, PackARGB(255, 255, 255, 0)};
  EXPECT_EQ(radial.SetInterpolationColors(radialColors, positions, 3), Ok);
  EXPECT_EQ(G.FillPath(&radial, &ellipse), Ok);

  TGPHatchBrush hatch(HatchStyleDiagonalCross, Black, PackARGB(255, 255, 220, 180));
  EXPECT_EQ(G.FillRectangle(&hatch, 10, 70, 70, 50), Ok);
  TGPBitmap tile(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) tile.SetPixel(x, y, ((x / 4) + (y / 4)) % 2 ? Red : White);
  TGPTextureBrush texture(&tile);
  EXPECT_EQ(G.FillRectangle(&texture, TGPRect{90, 70, 70, 50}), Ok);

  TGPGraphicsPath arrow;
  arrow.AddLine(-2.0f, -2.0f, 0.0f, 0.0f);
  arrow.AddLine(0.0f, 0.0f, 2.0f, -2.0f);
  TGPCustomLineCap cap(nullptr, &arrow);
  TGPPen dashed(PackARGB(255, 120, 0, 120), 3);
  EXPECT_EQ(dashed.SetDashStyle(DashStyleDash), Ok);
  EXPECT_EQ(dashed.SetCustomStartCap(&cap), Ok);
  EXPECT_EQ(dashed.SetCustomEndCap(&cap), Ok);
  EXPECT_EQ(G.DrawLine(&dashed, 25, 138, 150, 138), Ok);

  TGPGraphicsPath figure;
  figure.AddBezier(180.0f, 120.0f, 220.0f, 150.0f, 260.0f, 90.0f, 295.0f, 125.0f);
  figure.AddArc(TGPRectF{295, 105, 40, 40}, 180, 180);
  figure.StartFigure();
  TGPFontFamily sans(u"DejaVu Sans");
  EXPECT_EQ(figure.AddString(u"GDI+", 4, &sans, gdip::FontStyleBold, 26, TGPPointF{180, 160}, nullptr), Ok);
  TGPSolidBrush navy(PackARGB(255, 20, 40, 120));
  TGPPen outline(PackARGB(255, 200, 80, 0), 2);
  EXPECT_EQ(G.FillPath(&navy, &figure), Ok);
  EXPECT_EQ(G.DrawPath(&outline, &figure), Ok);

  TGPRegion clip(TGPRect{10, 150, 60, 60});
  TGPGraphicsPath round;
  round.AddEllipse(40, 180, 70, 60);
  TGPRegion roundRegion(&round);
  EXPECT_EQ(clip.Union(&roundRegion), Ok);
  EXPECT_EQ(G.SetClip(&clip), Ok);
  TGPSolidBrush orange(PackARGB(255, 255, 140, 0));
  EXPECT_EQ(G.FillRectangle(&orange, 0, 140, 130, 120), Ok);
  EXPECT_EQ(G.ResetClip(), Ok);

  TGPBitmap colourful(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) colourful.SetPixel(x, y, x < 10 ? (y < 10 ? Red : Green) : (y < 10 ? Blue : White));
  ColorMatrix grey{};
  for (int i = 0; i < 3; ++i) {
    grey.m[i][0] = 0.3f;
    grey.m[i][1] = 0.3f;
    grey.m[i][2] = 0.3f;
  }
  grey.m[3][3] = grey.m[4][4] = 1;
  TGPImageAttributes attributes;
  EXPECT_EQ(attributes.SetColorMatrix(grey), Ok);
  EXPECT_EQ(G.DrawImage(&colourful, TGPRectF{125, 160, 45, 45}, 0, 0, 20, 20, UnitPixel, &attributes), Ok);

  TGPStringFormat centred;
  centred.SetAlignment(StringAlignmentCenter);
  centred.SetLineAlignment(StringAlignmentCenter);
  TGPFont font(u"DejaVu Sans", 14, gdip::FontStyleRegular, UnitPixel);
  TGPSolidBrush ink(Black);
  const TGPRect& z = TextZones[1];
  EXPECT_EQ(G.DrawString(String(u"Centred text"), &font,
                         TGPRectF{Single(z.X), Single(z.Y), Single(z.Width), Single(z.Height)}, &centred, &ink),
            Ok);
}

// The scene's pixels (0xAARRGGBB) of a 32-bit bitmap.
std::unique_ptr<TSurface> SurfaceOf(TBitmap& ABitmap) {
  auto surface = std::make_unique<TSurface>(ABitmap.GetWidth(), ABitmap.GetHeight());
  for (int y = 0; y < ABitmap.GetHeight(); ++y) {
    auto* row = static_cast<const std::uint32_t*>(ABitmap.GetScanLine(y));
    for (int x = 0; x < ABitmap.GetWidth(); ++x) surface->SetPixel(x, y, row[x] | 0xFF000000u);
  }
  return surface;
}

bool InZone(int X, int Y, const TGPRect& Z) { return X >= Z.X && X < Z.X + Z.Width && Y >= Z.Y && Y < Z.Y + Z.Height; }

int Channel(std::uint32_t P, int AShift) { return static_cast<int>((P >> AShift) & 0xFF); }

// The bounding box of the pixels in the zone that differ clearly from white.
TGPRect InkBox(const TSurface& S, const TGPRect& Z) {
  int left = Z.X + Z.Width, top = Z.Y + Z.Height, right = Z.X - 1, bottom = Z.Y - 1;
  for (int y = Z.Y; y < Z.Y + Z.Height; ++y)
    for (int x = Z.X; x < Z.X + Z.Width; ++x) {
      const std::uint32_t p = S.Pixel(x, y);
      if (255 - std::min({Channel(p, 0), Channel(p, 8), Channel(p, 16)}) > 60) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
      }
    }
  return TGPRect{left, top, right - left + 1, bottom - top + 1};
}

// Per channel within 8, at most 0.5% of the pixels beyond; text by its ink box within 2 pixels.
void ExpectMatchesGolden(const TSurface& AGot, const char* AName) {
  const std::string out = OutputPath(AName);
  ASSERT_TRUE(AGot.SaveToPng(out));
  TSurface golden(1, 1);
  ASSERT_TRUE(golden.LoadFromPng(DataPath("gdiplus-classes-scene.png"))) << "no golden picture; this run's is " << out;
  ASSERT_EQ(golden.Width(), AGot.Width());
  ASSERT_EQ(golden.Height(), AGot.Height());
  int off = 0, compared = 0;
  for (int y = 0; y < AGot.Height(); ++y)
    for (int x = 0; x < AGot.Width(); ++x) {
      if (InZone(x, y, TextZones[0]) || InZone(x, y, TextZones[1])) continue;
      ++compared;
      const std::uint32_t a = AGot.Pixel(x, y), b = golden.Pixel(x, y);
      for (int shift : {0, 8, 16})
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > 8) {
          ++off;
          break;
        }
    }
  EXPECT_LE(off * 200, compared) << off << " pixels differ from the golden picture; see " << out;
  for (const TGPRect& zone : TextZones) {
    const TGPRect got = InkBox(AGot, zone), want = InkBox(golden, zone);
    EXPECT_GT(got.Width, 10) << "no text in its zone; see " << out;
    EXPECT_NEAR(got.X, want.X, 2);
    EXPECT_NEAR(got.Y, want.Y, 2);
    EXPECT_NEAR(got.X + got.Width, want.X + want.Width, 2);
    EXPECT_NEAR(got.Y + got.Height, want.Y + want.Height, 2);
  }
}

// What the recording module received.
struct TRecorded {
  UINT CommentSize = 0;
  std::vector<Byte> Comment;
  void* WarpMatrix = nullptr;
  std::vector<TGPPointF> WarpPoints;
  TGPRectF WarpSource{};
  WarpMode WarpMode_ = WarpModePerspective;
  Single Flatness = 0;
};
TRecorded gRecorded;

Status RecordComment(gdip::GpGraphics*, UINT ASize, const Byte* AData) {
  gRecorded.CommentSize = ASize;
  gRecorded.Comment.assign(AData, AData + ASize);
  return Ok;
}

Status RecordWarp(gdip::GpPath*, gdip::GpMatrix* AMatrix, const TGPPointF* APoints, Integer ACount, Single X, Single Y,
                  Single W, Single H, WarpMode AMode, Single AFlatness) {
  gRecorded.WarpMatrix = AMatrix;
  gRecorded.WarpPoints.assign(APoints, APoints + ACount);
  gRecorded.WarpSource = TGPRectF{X, Y, W, H};
  gRecorded.WarpMode_ = AMode;
  gRecorded.Flatness = AFlatness;
  return Ok;
}

// The text a DrawString call received.
struct TDrawnString {
  std::u16string Text;
  Integer Length = -1;
  bool Terminated = false;
};
TDrawnString gDrawn;
gdip::TGdipDrawString gRealDrawString = nullptr;
Status RecordDrawString(gdip::GpGraphics* AG, const Char* AString, Integer ALength, const gdip::GpFont* AFont,
                        const TGPRectF* ARect, const gdip::GpStringFormat* AFormat, const gdip::GpBrush* ABrush) {
  gDrawn.Length = ALength;
  gDrawn.Text.assign(AString, ALength);
  gDrawn.Terminated = AString[ALength] == 0;
  return gRealDrawString(AG, AString, ALength, AFont, ARect, AFormat, ABrush);
}

// Pixels of a 60 x 60 bitmap that differ from white.
int InkCount(TGPBitmap& ABitmap) {
  int count = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) {
      ARGB c = 0;
      ABitmap.GetPixel(x, y, c);
      if (c != White) ++count;
    }
  return count;
}

}  // namespace

TEST_F(GraphicsTest, PresetValuesOnAFailingObject) {
  std::unique_ptr<TGPGraphics> failing(TGPGraphics::FromImage(nullptr));
  EXPECT_EQ(failing->nativeGraphics, nullptr);
  EXPECT_EQ(failing->GetLastStatus(), Ok);
  TGPRegion region;
  TGPRegion* regions[1] = {&region};
  TGPFont font(u"DejaVu Sans", 10);
  RunProtocolRows<TGPGraphics>(
      *failing,
      {{"GetSmoothingMode -1", [](TGPGraphics& G) { return G.GetSmoothingMode() == -1 ? G.lastResult : Ok; },
        InvalidParameter},
       {"GetInterpolationMode -1", [](TGPGraphics& G) { return G.GetInterpolationMode() == -1 ? G.lastResult : Ok; },
        InvalidParameter},
       {"GetPixelOffsetMode -1", [](TGPGraphics& G) { return G.GetPixelOffsetMode() == -1 ? G.lastResult : Ok; },
        InvalidParameter},
       {"IsVisible rectangle true", [](TGPGraphics& G) { return G.IsVisible(TGPRect{0, 0, 1, 1}) ? G.lastResult : Ok; },
        InvalidParameter},
       {"IsVisible float rectangle true",
        [](TGPGraphics& G) { return G.IsVisible(0.0f, 0.0f, 1.0f, 1.0f) ? G.lastResult : Ok; }, InvalidParameter},
       {"IsVisible point false", [](TGPGraphics& G) { return G.IsVisible(1, 1) ? Ok : G.lastResult; },
        InvalidParameter},
       {"IsClipEmpty false", [](TGPGraphics& G) { return G.IsClipEmpty() ? Ok : G.lastResult; }, InvalidParameter},
       {"GetRenderingOrigin zeros",
        [](TGPGraphics& G) {
          Integer x = 5, y = 5;
          const Status s = G.GetRenderingOrigin(x, y);
          EXPECT_EQ(x + y, 0);
          return s;
        },
        InvalidParameter},
       {"Save 0", [](TGPGraphics& G) { return G.Save() == 0 ? G.lastResult : Ok; }, InvalidParameter},
       {"GetHDC nil", [](TGPGraphics& G) { return G.GetHDC() == nullptr ? G.lastResult : Ok; }, InvalidParameter},
       {"MeasureString keeps the size",
        [&](TGPGraphics& G) {
          TGPSizeF size{7, 7};
          const Status s = G.MeasureString(u"ab", 2, &font, TGPSizeF{100, 100}, nullptr, size);
          EXPECT_EQ(size.Width, 7.0f);
          EXPECT_EQ(size.Height, 7.0f);
          return s;
        },
        InvalidParameter},
       {"MeasureCharacterRanges count 0 unrecorded",
        [&](TGPGraphics& G) { return G.MeasureCharacterRanges(u"ab", 2, &font, TGPRectF{}, nullptr, 0, regions); },
        InvalidParameter, false},
       {"Flush records nothing", [](TGPGraphics& G) { G.Flush(); return G.lastResult; }, Ok, false},
       {"Clear", [](TGPGraphics& G) { return G.Clear(White); }, InvalidParameter}});
}

TEST_F(GraphicsTest, StateTransformsClipAndContainers) {
  TGPBitmap bitmap(60, 60);
  TGPGraphics g(&bitmap);
  ASSERT_EQ(g.GetLastStatus(), Ok);
  EXPECT_EQ(g.SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
  EXPECT_EQ(g.GetSmoothingMode(), gdip::SmoothingModeAntiAlias);
  EXPECT_EQ(g.SetInterpolationMode(gdip::InterpolationModeNearestNeighbor), Ok);
  EXPECT_EQ(g.GetInterpolationMode(), gdip::InterpolationModeNearestNeighbor);
  EXPECT_EQ(g.SetPixelOffsetMode(gdip::PixelOffsetModeHalf), Ok);
  EXPECT_EQ(g.GetPixelOffsetMode(), gdip::PixelOffsetModeHalf);
  EXPECT_EQ(g.SetCompositingQuality(gdip::CompositingQualityHighQuality), Ok);
  EXPECT_EQ(g.GetCompositingQuality(), gdip::CompositingQualityHighQuality);
  EXPECT_EQ(g.SetCompositingMode(CompositingModeSourceCopy), Ok);
  EXPECT_EQ(g.GetCompositingMode(), CompositingModeSourceCopy);
  EXPECT_EQ(g.SetTextContrast(7), Ok);
  EXPECT_EQ(g.GetTextContrast(), 7u);
  EXPECT_EQ(g.SetRenderingOrigin(3, 4), Ok);
  Integer ox = 0, oy = 0;
  EXPECT_EQ(g.GetRenderingOrigin(ox, oy), Ok);
  EXPECT_EQ(ox * 10 + oy, 34);
  EXPECT_EQ(g.SetPageUnit(UnitPixel), Ok);
  EXPECT_EQ(g.GetPageUnit(), UnitPixel);
  EXPECT_EQ(g.SetPageScale(2), Ok);
  EXPECT_EQ(g.GetPageScale(), 2.0f);
  EXPECT_GT(g.GetDpiX(), 0.0f);
  EXPECT_EQ(g.SetPageScale(1), Ok);

  EXPECT_EQ(g.TranslateTransform(10, 0), Ok);
  EXPECT_EQ(g.ScaleTransform(2, 2, MatrixOrderAppend), Ok);
  TGPMatrix world;
  EXPECT_EQ(g.GetTransform(&world), Ok);
  EXPECT_EQ(world.OffsetX(), 20.0f);
  TGPPointF p{1, 1};
  EXPECT_EQ(g.TransformPoints(CoordinateSpaceDevice, CoordinateSpaceWorld, &p, 1), Ok);
  EXPECT_EQ(p.X, 22.0f);
  const gdip::GraphicsState state = g.Save();
  EXPECT_EQ(g.ResetTransform(), Ok);
  EXPECT_EQ(g.Restore(state), Ok);
  g.GetTransform(&world);
  EXPECT_EQ(world.OffsetX(), 20.0f);
  g.ResetTransform();

  EXPECT_EQ(g.SetClip(TGPRect{10, 10, 20, 20}), Ok);
  EXPECT_EQ(g.IntersectClip(TGPRectF{15, 15, 40, 40}), Ok);
  TGPRect clip{};
  EXPECT_EQ(g.GetClipBounds(clip), Ok);
  EXPECT_EQ(clip.X, 15);
  EXPECT_EQ(clip.Width, 15);
  EXPECT_TRUE(g.IsVisible(20, 20));
  EXPECT_FALSE(g.IsVisible(TGPPointF{5, 5}));
  EXPECT_FALSE(g.IsClipEmpty());
  EXPECT_EQ(g.TranslateClip(Integer{5}, Integer{5}), Ok);
  TGPRegion got;
  EXPECT_EQ(g.GetClip(&got), Ok);
  TGPRectF gotBounds{};
  got.GetBounds(gotBounds, &g);
  EXPECT_EQ(gotBounds.X, 20.0f);
  EXPECT_EQ(g.ResetClip(), Ok);
  const gdip::GraphicsContainer container = g.BeginContainer(TGPRectF{0, 0, 30, 30}, TGPRectF{0, 0, 60, 60}, UnitPixel);
  EXPECT_EQ(g.GetLastStatus(), Ok);
  EXPECT_EQ(g.EndContainer(container), Ok);
}

TEST_F(GraphicsTest, ClosedCurveTensionAndDrawImagePointCounts) {
  const TGPPoint square[4] = {{15, 15}, {45, 15}, {45, 45}, {15, 45}};
  int ink[2] = {};
  for (int tension : {0, 1}) {
    TGPBitmap bitmap(60, 60);
    TGPGraphics g(&bitmap);
    g.Clear(White);
    TGPSolidBrush brush(Black);
    // The fill mode comes before the tension in the method, after it in the flat function.
    EXPECT_EQ(g.FillClosedCurve(&brush, square, 4, FillModeWinding, Single(tension)), Ok);
    ink[tension] = InkCount(bitmap);
    ARGB outside = 0;
    bitmap.GetPixel(30, 12, outside);
    EXPECT_EQ(outside == White, tension == 0) << "tension " << tension;
  }
  EXPECT_NEAR(ink[0], 30 * 30, 40);   // tension 0: the square itself
  EXPECT_GT(ink[1], ink[0] + 100);    // tension 1 bulges beyond its sides

  TGPBitmap bitmap(60, 60);
  TGPGraphics g(&bitmap);
  g.Clear(White);
  TGPBitmap image(10, 10);
  TGPGraphics(&image).Clear(Red);
  const TGPPointF five[5] = {{0, 0}, {20, 0}, {0, 20}, {20, 20}, {5, 5}};
  RunProtocolRows<TGPGraphics>(
      g, {{"DrawImage with 2 points", [&](TGPGraphics& G) { return G.DrawImage(&image, five, 2); }, InvalidParameter},
          {"DrawImage with 5 points", [&](TGPGraphics& G) { return G.DrawImage(&image, five, 5); }, InvalidParameter},
          {"DrawImage with nil points",
           [&](TGPGraphics& G) { return G.DrawImage(&image, static_cast<const TGPPoint*>(nullptr), 3); },
           InvalidParameter}});
  EXPECT_EQ(InkCount(bitmap), 0);
  EXPECT_EQ(g.DrawImage(&image, five, 3), Ok);
  EXPECT_GT(InkCount(bitmap), 300);
  ARGB c = 0;
  bitmap.GetPixel(10, 10, c);
  EXPECT_EQ(c, Red);
}

TEST_F(GraphicsTest, DrawStringCopiesTheTextWithItsOwnLength) {
  TGPBitmap bitmap(60, 60);
  TGPGraphics g(&bitmap);
  TGPFont font(u"DejaVu Sans", 10);
  TGPSolidBrush brush(Black);
  gRealDrawString = GdiplusProcs.GdipDrawString;
  GdiplusProcs.GdipDrawString = &RecordDrawString;
  EXPECT_EQ(g.DrawString(String(u"Hello"), &font, TGPRectF{0, 0, 60, 60}, nullptr, &brush), Ok);
  EXPECT_EQ(gDrawn.Length, 5);
  EXPECT_EQ(gDrawn.Text, u"Hello");
  EXPECT_TRUE(gDrawn.Terminated);
  EXPECT_EQ(g.DrawString(String(), &font, TGPRectF{0, 0, 60, 60}, nullptr, &brush), Ok);
  EXPECT_EQ(gDrawn.Length, 0);
  EXPECT_TRUE(gDrawn.Terminated);
  // With a length: exactly those characters.
  EXPECT_EQ(g.DrawString(u"Hello", 2, &font, TGPPointF{0, 0}, &brush), Ok);
  EXPECT_EQ(gDrawn.Text, u"He");
  GdiplusProcs.GdipDrawString = gRealDrawString;

  // Measuring: a bounding box, and a size through the layout-size overload.
  TGPRectF box{};
  EXPECT_EQ(g.MeasureString(u"Hello", 5, &font, TGPPointF{0, 0}, box), Ok);
  EXPECT_GT(box.Width, 20.0f);
  TGPSizeF size{};
  Integer fitted = 0, lines = 0;
  EXPECT_EQ(g.MeasureString(u"Hello", 5, &font, TGPSizeF{200, 100}, nullptr, size, &fitted, &lines), Ok);
  EXPECT_EQ(size.Width, box.Width);
  EXPECT_EQ(fitted, 5);
  EXPECT_EQ(lines, 1);
  // Character ranges fill the regions' native objects.
  TGPStringFormat format;
  const TCharacterRange range{1, 3};
  format.SetMeasurableCharacterRanges(1, &range);
  TGPRegion region;
  TGPRegion* regions[1] = {&region};
  EXPECT_EQ(g.MeasureCharacterRanges(u"Hello", 5, &font, TGPRectF{0, 0, 200, 50}, &format, 1, regions), Ok);
  TGPRectF rangeBox{};
  region.GetBounds(rangeBox, &g);
  EXPECT_GT(rangeBox.X, 1.0f);
  EXPECT_LT(rangeBox.Width, box.Width);

  // libgdiplus has no driver strings: a clear status through the protocol.
  const UINT16 glyphs[2] = {u'H', u'i'};
  const TGPPointF at[2] = {{0, 20}, {8, 20}};
  EXPECT_EQ(g.DrawDriverString(glyphs, 2, &font, &brush, at, 1, nullptr), NotImplemented);
  EXPECT_EQ(g.MeasureDriverString(glyphs, 2, &font, at, 1, nullptr, box), NotImplemented);
  EXPECT_EQ(g.GetLastStatus(), NotImplemented);
}

TEST_F(GraphicsTest, RecordingModuleSeesCommentAndWarpArguments) {
  // libgdiplus records no comments and warps nothing: a module under the same name, made of
  // libgdiplus's exports with those two recording, shows what the wrappers pass.
  std::vector<TModuleExport> real, recording;
  for (int slot = 0; slot < GdiplusProcCount; ++slot)
    if (void* entry = GdiplusProcAt(slot)) real.push_back(TModuleExport{GdiplusProcName(slot), entry});
  for (TModuleExport e : real) {
    if (std::string(e.Name) == "GdipComment") e.Address = reinterpret_cast<void*>(&RecordComment);
    if (std::string(e.Name) == "GdipWarpPath") e.Address = reinterpret_cast<void*>(&RecordWarp);
    recording.push_back(e);
  }
  auto rebind = [](const std::vector<TModuleExport>& AExports) {
    FreeGenericSingletons();
    ShutdownGdiplus();
    UnbindGdiplus();
    // A module that something else still holds takes the new table in place.
    RegisterBuiltinModule(u"gdiplus.dll", AExports);
    BindGdiplus();
    StartupGdiplus();
  };
  rebind(recording);
  {
    TGPBitmap bitmap(4, 4);
    TGPGraphics g(&bitmap);
    const Byte data[3] = {7, 8, 9};
    EXPECT_EQ(g.AddMetafileComment(data, 3), Ok);
    EXPECT_EQ(gRecorded.CommentSize, 3u);
    EXPECT_EQ(gRecorded.Comment, (std::vector<Byte>{7, 8, 9}));

    TGPGraphicsPath path;
    TGPMatrix matrix;
    const TGPPointF dest[3] = {{1, 2}, {3, 4}, {5, 6}};
    EXPECT_EQ(path.Warp(dest, 3, TGPRectF{10, 20, 30, 40}, &matrix, WarpModeBilinear, 0.5f), Ok);
    EXPECT_EQ(gRecorded.WarpMatrix, static_cast<void*>(matrix.nativeMatrix));
    ASSERT_EQ(gRecorded.WarpPoints.size(), 3u);
    EXPECT_EQ(gRecorded.WarpPoints[2].Y, 6.0f);
    EXPECT_EQ(gRecorded.WarpSource.X, 10.0f);
    EXPECT_EQ(gRecorded.WarpSource.Y, 20.0f);
    EXPECT_EQ(gRecorded.WarpSource.Width, 30.0f);
    EXPECT_EQ(gRecorded.WarpSource.Height, 40.0f);
    EXPECT_EQ(gRecorded.WarpMode_, WarpModeBilinear);
    EXPECT_EQ(gRecorded.Flatness, 0.5f);
  }
  rebind(real);
  RegisterGdiplusModule();   // later loads build the module from libgdiplus again
  // libgdiplus itself records no comments: a clear status.
  TGPBitmap bitmap(4, 4);
  TGPGraphics g(&bitmap);
  const Byte data[1] = {1};
  EXPECT_EQ(g.AddMetafileComment(data, 1), NotImplemented);
}

TEST_F(GraphicsTest, SceneOverA32BitBitmapMatchesItsGolden) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(SceneWidth, SceneHeight);
  {
    std::unique_ptr<TGPGraphics> g(TGPGraphics::FromHDC(bitmap.GetCanvas()->GetHandle()));
    ASSERT_EQ(g->GetLastStatus(), Ok);
    DrawScene(*g);
    EXPECT_EQ(g->GetLastStatus(), Ok);
  }
  ExpectMatchesGolden(*SurfaceOf(bitmap), "gdiplus-classes-scene.png");
}

TEST_F(GraphicsTest, SceneThroughAHeadlessFormLandsInItsSurface) {
  Headless::Use();
  auto* form = new TForm(Application);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, SceneWidth, SceneHeight);
  form->Show();
  Application->ProcessMessages();
  {
    std::unique_ptr<TGPGraphics> g(TGPGraphics::FromHWND(form->GetHandle()));
    ASSERT_EQ(g->GetLastStatus(), Ok);
    DrawScene(*g);
  }
  TBitmap copy;
  copy.SetPixelFormat(pf32bit);
  copy.SetSize(SceneWidth, SceneHeight);
  HDC dc = GetDC(form->GetHandle());
  BitBlt(copy.GetCanvas()->GetHandle(), 0, 0, SceneWidth, SceneHeight, dc, 0, 0, SRCCOPY);
  ReleaseDC(form->GetHandle(), dc);
  ExpectMatchesGolden(*SurfaceOf(copy), "gdiplus-classes-scene-form.png");
  delete form;
  Headless::Reset();
}

TEST_F(GraphicsTest, CachedBitmapDrawsAtItsPlace) {
  TGPBitmap target(60, 60);
  TGPGraphics g(&target);
  g.Clear(White);
  TGPBitmap source(10, 10);
  TGPGraphics(&source).Clear(Blue);
  TGPCachedBitmap cached(&source, &g);
  ASSERT_EQ(cached.GetLastStatus(), Ok);
  EXPECT_EQ(g.DrawCachedBitmap(&cached, 20, 30), Ok);
  ARGB inside = 0, outside = 0;
  target.GetPixel(25, 35, inside);
  target.GetPixel(25, 25, outside);
  EXPECT_EQ(inside, Blue);
  EXPECT_EQ(outside, White);
  TGPCachedBitmap failing(&source, std::unique_ptr<TGPGraphics>(TGPGraphics::FromImage(nullptr)).get());
  EXPECT_EQ(failing.nativeCachedBitmap, nullptr);
  EXPECT_EQ(failing.GetLastStatus(), InvalidParameter);
}
