// A scene drawn through the facade on the canvas back end, compared with its golden picture:
// shapes with every fill kind, stepped gradients, aligned, wrapped, trimmed and rotated text, a
// path and a picture with alpha.
#include <cstdint>
#include <cstdlib>

#include "GraphicsTestSupport.h"
#include "lib/graphics/NeoGraphics.h"
#include "platform/ui/PngImage.h"
#include "platform/win/Surface.h"

namespace {

class NeoGraphicsScene : public GraphicsUnitsSuite {};

void SetFill(TNeoGraphics& G, TNeoGraphicsFillKind AKind, TColor AColor, TColor AColorTo = gcNull,
             TNeoGraphicsFillOrientation AOrientation = gfoVertical, TColor AMirror = gcNull, TColor AMirrorTo = gcNull) {
  TNeoGraphicsFill* fill = G.GetFill();
  fill->BeginUpdate();
  fill->SetKind(AKind);
  fill->SetColor(AColor);
  fill->SetColorTo(AColorTo);
  fill->SetOrientation(AOrientation);
  fill->SetColorMirror(AMirror);
  fill->SetColorMirrorTo(AMirrorTo);
  fill->EndUpdate();
}

void DrawScene(TNeoGraphics& G, TNeoBitmap* APicture) {
  G.BeginScene();
  G.SetStrokeColor(0x404040);
  // Shapes: solid, gradient, mirror gradient, texture, none.
  SetFill(G, gfkSolid, 0x3070E0);
  G.DrawRectangle(10, 10, 70, 60);
  SetFill(G, gfkGradient, 0xFFE0C0, 0x804000, gfoHorizontal);
  G.DrawRoundRectangle(80, 10, 150, 60, 8);
  SetFill(G, gfkGradient, 0xE0FFE0, 0x60C060, gfoVertical, 0x208020, 0xC0F0C0);
  G.DrawRectangle(160, 10, 230, 60);
  SetFill(G, gfkGradient, 0xF0F0FF, 0x0000A0, gfoHorizontal, 0x0000A0, 0xF0F0FF);
  G.DrawRoundRectangle(TRectF{240, 10, 310, 60}, 10, TNeoGraphicsCorners{gcTopLeft, gcBottomRight});
  G.GetFill()->SetTexture(APicture);
  G.GetFill()->SetTextureMode(gtmTile);
  SetFill(G, gfkTexture, gcNull);
  G.DrawEllipse(320, 10, 390, 60);
  SetFill(G, gfkSolid, 0x00C0FF);
  G.DrawEllipse(10, 70, 70, 120);
  G.DrawArc(TPointF{110, 95}, TPointF{30, 25}, 30, 240);
  SetFill(G, gfkNone, 0);
  G.SetStrokeWidth(3);
  G.DrawArc(TPointF{110, 95}, TPointF{20, 15}, -90, 180);
  G.SetStrokeWidth(1);
  SetFill(G, gfkSolid, 0xC080FF);
  G.DrawPolygon({{160, 120}, {195, 70}, {230, 120}, {195, 105}});
  TNeoGraphicsPath path;
  path.MoveTo({245, 115});
  path.CurveTo({260, 60}, {300, 60}, {305, 115});
  path.LineTo({275, 95});
  path.ClosePath();
  SetFill(G, gfkSolid, 0x80E0E0);
  G.DrawPath(&path);
  G.GetStroke()->SetKind(gskDash);
  G.DrawPolyline({{320, 120}, {340, 70}, {360, 120}, {380, 70}});
  G.GetStroke()->SetKind(gskSolid);
  G.DrawFocusRectangle(318, 68, 392, 122, 0x0000FF);
  // Text: the nine alignments in boxes, wrapping, trimming, rotation.
  SetFill(G, gfkNone, 0);
  G.SetFontColor(0x202020);
  G.SetFontName(u"DejaVu Sans");
  G.SetFontSize(8);
  const TNeoGraphicsTextAlign aligns[] = {gtaLeading, gtaCenter, gtaTrailing};
  for (int v = 0; v < 3; ++v)
    for (int h = 0; h < 3; ++h) {
      const TRectF box{10.0f + h * 60, 130.0f + v * 28, 68.0f + h * 60, 156.0f + v * 28};
      G.DrawRectangle(box);
      G.DrawText(box, u"Ag", false, aligns[h], aligns[v]);
    }
  G.DrawRectangle(190, 130, 290, 214);
  G.DrawText(TRectF{190, 130, 290, 214}, u"A wrapped text that runs over several lines, centred.", true, gtaCenter,
             gtaCenter);
  G.DrawRectangle(300, 130, 390, 150);
  G.DrawText(TRectF{300, 130, 390, 150}, u"Trimmed at the end of the box", false, gtaLeading, gtaCenter,
             gttCharacter);
  G.DrawRectangle(300, 155, 390, 175);
  G.DrawText(TRectF{300, 155, 390, 175}, u"Trimmed by whole words here", false, gtaLeading, gtaCenter, gttWord);
  G.SetFontStyles(TFontStyles{fsBold});
  G.DrawText(TRectF{10, 220, 60, 290}, u"Down", false, gtaLeading, gtaLeading, gttNone, 90);
  G.DrawText(TRectF{60, 220, 110, 290}, u"Up", false, gtaCenter, gtaCenter, gttNone, -90);
  G.SetFontStyles(TFontStyles{});
  // Pictures: with alpha, at its size, stretched and a part.
  G.DrawBitmap(120, 220, APicture);
  G.DrawBitmap(TRectF{160, 220, 260, 290}, APicture, true, true, true, false);
  G.DrawBitmapPart(TRectF{0, 0, 16, 16}, TRectF{270, 220, 334, 284}, APicture, false, true, false, false);
  G.EndScene();
}

TEST_F(NeoGraphicsScene, MatchesItsGoldenPicture) {
  TNeoBitmap picture;
  picture.LoadFromFile(TestData("alpha_disc.png"));
  ASSERT_EQ(picture.GetWidth(), 32);
  auto g = TNeoGraphics::CreateBitmapCanvas(400, 300);
  DrawScene(*g, &picture);
  const std::string out = std::string(ZELK_TEST_OUTPUT) + "/facade_scene.png";
  ASSERT_TRUE(GetDCSurface(g->GetCanvas()->GetHandle())->SaveToPng(out));
  TSurface got(1, 1), want(1, 1);
  ASSERT_TRUE(got.LoadFromPng(out));
  const std::string golden = std::string(ZELK_TEST_DATA) + "/facade_scene.png";
  ASSERT_TRUE(want.LoadFromPng(golden)) << "no golden picture " << golden << "; this run's is " << out;
  ASSERT_EQ(got.Width(), want.Width());
  ASSERT_EQ(got.Height(), want.Height());
  EXPECT_LE(DifferingPixels(got, want), got.Width() * got.Height() / 200) << "see " << out;
  // The text by the box of its ink (darker than the boxes around it): the aligned, wrapped and
  // trimmed texts and the rotated ones.
  const auto ink = [](std::uint32_t p) {
    return ((p >> 16) & 0xFF) < 50 && ((p >> 8) & 0xFF) < 50 && (p & 0xFF) < 50;
  };
  for (const TRect& band : {TRect{0, 128, 400, 216}, TRect{0, 218, 115, 292}}) {
    const TRect a = InkBox(got, band, ink), b = InkBox(want, band, ink);
    EXPECT_NE(b, TRect{});
    EXPECT_LE(std::abs(a.left - b.left), 2);
    EXPECT_LE(std::abs(a.top - b.top), 2);
    EXPECT_LE(std::abs(a.right - b.right), 2);
    EXPECT_LE(std::abs(a.bottom - b.bottom), 2);
  }
}

}  // namespace
