// The canvas drawing into bitmaps, probed pixel by pixel; bitmaps' scan lines and transparency.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/ui/Graphics.h"
#include "platform/ui/PngImage.h"
#include "platform/win/WinGdi.h"
#include "platform/ui/tests/GraphicsTestUtil.h"

TEST(GraphicsCanvas, ShapesFollowTheGdiPixelRules) {
  TBitmap bmp;
  WhiteBitmap(bmp, 40, 30);
  TCanvas* c = bmp.GetCanvas();
  c->GetPen()->SetColor(clBlack);
  c->GetBrush()->SetColor(clRed);
  c->Rectangle(5, 5, 15, 12);
  EXPECT_EQ(PixelOf(bmp, 5, 5), clBlack);
  EXPECT_EQ(PixelOf(bmp, 14, 11), clBlack);
  EXPECT_EQ(PixelOf(bmp, 15, 5), clWhite);   // right and bottom edges are left out
  EXPECT_EQ(PixelOf(bmp, 5, 12), clWhite);
  EXPECT_EQ(PixelOf(bmp, 8, 8), clRed);

  c->MoveTo(0, 20);
  c->LineTo(10, 20);   // the end pixel is left out
  EXPECT_EQ(PixelOf(bmp, 0, 20), clBlack);
  EXPECT_EQ(PixelOf(bmp, 9, 20), clBlack);
  EXPECT_EQ(PixelOf(bmp, 10, 20), clWhite);
  EXPECT_EQ(c->GetPenPos(), (TPoint{10, 20}));

  c->SetPixels(30, 2, clLime);
  EXPECT_EQ(c->GetPixels(30, 2), clLime);

  c->GetBrush()->SetColor(clBlue);
  c->FrameRect(TRect{20, 18, 30, 26});
  EXPECT_EQ(PixelOf(bmp, 20, 18), clBlue);
  EXPECT_EQ(PixelOf(bmp, 29, 25), clBlue);
  EXPECT_EQ(PixelOf(bmp, 24, 22), clWhite);

  c->GetBrush()->SetColor(clGreen);
  c->Polygon({{31, 5}, {39, 5}, {35, 13}});
  c->Polyline({{0, 28}, {6, 28}, {6, 22}});
  EXPECT_EQ(PixelOf(bmp, 3, 28), clBlack);
  EXPECT_EQ(PixelOf(bmp, 6, 25), clBlack);
  EXPECT_EQ(PixelOf(bmp, 6, 22), clWhite);
  EXPECT_EQ(PixelOf(bmp, 35, 8), clGreen);
  c->Ellipse(30, 15, 40, 25);
  EXPECT_EQ(PixelOf(bmp, 35, 20), clGreen);
  EXPECT_EQ(PixelOf(bmp, 30, 15), clWhite);   // a corner outside the ellipse
}

TEST(GraphicsCanvas, XorPenTwiceRestoresAndFloodFillStopsAtTheBorder) {
  TBitmap bmp;
  WhiteBitmap(bmp, 30, 20);
  TCanvas* c = bmp.GetCanvas();
  c->GetBrush()->SetColor(clRed);
  c->FillRect(TRect{0, 0, 15, 20});
  c->GetPen()->SetColor(clWhite);
  c->GetPen()->SetMode(pmXor);
  c->MoveTo(0, 10);
  c->LineTo(30, 10);
  EXPECT_EQ(PixelOf(bmp, 5, 10), static_cast<TColor>(0xFFFF00));   // red xor white
  EXPECT_EQ(PixelOf(bmp, 20, 10), clBlack);
  c->MoveTo(0, 10);
  c->LineTo(30, 10);
  EXPECT_EQ(PixelOf(bmp, 5, 10), clRed);
  EXPECT_EQ(PixelOf(bmp, 20, 10), clWhite);

  c->GetPen()->SetMode(pmCopy);
  c->GetPen()->SetColor(clBlack);
  c->GetBrush()->SetStyle(bsClear);
  c->Rectangle(17, 2, 28, 8);
  c->GetBrush()->SetColor(clLime);
  c->FloodFill(20, 5, clBlack, fsBorder);
  EXPECT_EQ(PixelOf(bmp, 20, 5), clLime);
  EXPECT_EQ(PixelOf(bmp, 17, 2), clBlack);
  EXPECT_EQ(PixelOf(bmp, 29, 5), clWhite);   // outside the border
}

TEST(GraphicsCanvas, BrushBitmapPaintsItsPattern) {
  TBitmap checker;
  WhiteBitmap(checker, 2, 2);
  checker.GetCanvas()->SetPixels(0, 0, clNavy);
  checker.GetCanvas()->SetPixels(1, 1, clNavy);
  TBitmap bmp;
  WhiteBitmap(bmp, 6, 6);
  bmp.GetCanvas()->GetBrush()->SetBitmap(&checker);
  checker.GetCanvas()->SetPixels(1, 0, clRed);   // the brush keeps its own copy
  bmp.GetCanvas()->FillRect(TRect{0, 0, 6, 6});
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(PixelOf(bmp, x, y), (x + y) % 2 ? clWhite : clNavy) << x << "," << y;
    }
  bmp.GetCanvas()->GetBrush()->SetStyle(bsClear);
  EXPECT_EQ(bmp.GetCanvas()->GetBrush()->GetBitmap(), nullptr);
}

TEST(GraphicsCanvas, RefreshSelectsThePenAgainAfterRawGdiCalls) {
  TBitmap bmp;
  WhiteBitmap(bmp, 20, 10);
  TCanvas* c = bmp.GetCanvas();
  c->GetPen()->SetColor(clBlue);
  c->MoveTo(0, 2);
  c->LineTo(20, 2);
  ASSERT_EQ(PixelOf(bmp, 5, 2), clBlue);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(c->GetHandle(), red);
  EXPECT_NE(old, nullptr);
  c->Refresh();
  c->MoveTo(0, 6);
  c->LineTo(20, 6);
  EXPECT_EQ(PixelOf(bmp, 5, 6), clBlue);
  EXPECT_TRUE(DeleteObject(red));
}

TEST(GraphicsCanvas, TextOutAndExtent) {
  TBitmap bmp;
  WhiteBitmap(bmp, 200, 40);
  TCanvas* c = bmp.GetCanvas();
  c->GetFont()->SetColor(clBlack);
  c->GetFont()->SetSize(12);
  const TSize extent = c->TextExtent(u"Größe");
  EXPECT_GT(extent.cx, 20);
  EXPECT_GE(extent.cy, 14);
  EXPECT_EQ(c->TextWidth(u"Größe"), extent.cx);
  EXPECT_EQ(c->TextHeight(u"Größe"), extent.cy);
  c->GetBrush()->SetStyle(bsClear);
  c->TextOut(10, 5, u"Größe");
  EXPECT_EQ(c->GetPenPos().x, 10 + extent.cx);
  const TRect ink = InkBox(bmp, clWhite);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + extent.cx + 1);
  EXPECT_GE(ink.top, 5);
  EXPECT_LE(ink.bottom, 5 + extent.cy);
  EXPECT_GT(ink.right - ink.left, extent.cx / 2);

  // The font's size changes what is measured: a bigger font, a wider text.
  c->GetFont()->SetSize(24);
  EXPECT_GT(c->TextWidth(u"Größe"), extent.cx * 3 / 2);
}

TEST(GraphicsCanvas, TextRectFormats) {
  const String text = u"Übernehmen";
  struct Case {
    const char* Name;
    TTextFormat Format;
    int CenterX, CenterY;   // expected ink centre (-1: not checked)
    int Left, Right;        // expected ink bounds (-1: not checked)
  } cases[] = {
      {"left top", {}, -1, -1, 0, -1},
      {"centred", {tfSingleLine, tfCenter, tfVerticalCenter}, 100, 30, -1, -1},
      {"right bottom", {tfSingleLine, tfRight, tfBottom}, -1, -1, -1, 200},
  };
  for (const auto& k : cases) {
    TBitmap bmp;
    WhiteBitmap(bmp, 200, 60);
    TCanvas* c = bmp.GetCanvas();
    c->GetFont()->SetColor(clBlack);
    c->GetFont()->SetSize(10);
    c->GetBrush()->SetStyle(bsClear);
    TRect r{0, 0, 200, 60};
    c->TextRect(r, text, k.Format);
    const TRect ink = InkBox(bmp, clWhite);
    ASSERT_GT(ink.right, ink.left) << k.Name;
    if (k.CenterX >= 0) {
      EXPECT_NEAR((ink.left + ink.right) / 2, k.CenterX, 3) << k.Name;
    }
    if (k.CenterY >= 0) {
      EXPECT_NEAR((ink.top + ink.bottom) / 2, k.CenterY, 4) << k.Name;
    }
    if (k.Left >= 0) {
      EXPECT_LE(ink.left, k.Left + 2) << k.Name;
    }
    if (k.Right >= 0) {
      EXPECT_GE(ink.right, k.Right - 3) << k.Name;
    }
    if (k.Format.Contains(tfBottom)) {
      EXPECT_GE(ink.bottom, 52) << k.Name;
    }
    if (k.Format.Empty()) {
      EXPECT_LE(ink.top, 6) << k.Name;
    }
  }

  TBitmap bmp;
  WhiteBitmap(bmp, 200, 60);
  TCanvas* c = bmp.GetCanvas();
  c->GetFont()->SetSize(10);
  const TSize extent = c->TextExtent(text);

  // Measuring draws nothing and gives the text's extent.
  TRect calc{10, 10, 10, 10};
  c->TextRect(calc, text, {tfCalcRect, tfSingleLine});
  EXPECT_EQ(calc.left, 10);
  EXPECT_EQ(calc.right - calc.left, extent.cx);
  EXPECT_EQ(calc.bottom - calc.top, extent.cy);
  EXPECT_EQ(InkBox(bmp, clWhite), TRect{});

  // Word breaks in a narrow rectangle make several lines.
  TRect narrow{0, 0, extent.cx, 0};
  c->TextRect(narrow, String(u"Datenbank öffnen und prüfen"), {tfCalcRect, tfWordBreak});
  EXPECT_GE(narrow.bottom, 2 * extent.cy);
  EXPECT_LE(narrow.right, extent.cx);

  // "&" marks the access key unless tfNoPrefix.
  TRect prefixed{0, 0, 0, 0}, plain{0, 0, 0, 0};
  c->TextRect(prefixed, String(u"&Datei"), {tfCalcRect, tfSingleLine});
  c->TextRect(plain, String(u"&Datei"), {tfCalcRect, tfSingleLine, tfNoPrefix});
  EXPECT_EQ(prefixed.right, c->TextWidth(u"Datei"));
  EXPECT_GT(plain.right, prefixed.right);

  // The end ellipsis shortens the text that tfModifyString hands back.
  String longText = u"Eine sehr lange Beschriftung, die nicht passt";
  TRect small{0, 0, 80, 20};
  c->TextRect(small, longText, {tfSingleLine, tfEndEllipsis, tfModifyString});
  EXPECT_NE(longText, u"Eine sehr lange Beschriftung, die nicht passt");
  EXPECT_NE(longText.find(u"..."), String::npos);
  EXPECT_LE(c->TextWidth(longText), 80);
}

TEST(GraphicsCanvas, TextFormatMapsToDrawTextFlags) {
  EXPECT_EQ(TextFormatToDrawTextFlags({}), 0u);
  EXPECT_EQ(TextFormatToDrawTextFlags({tfCalcRect, tfWordBreak, tfNoPrefix}), DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  EXPECT_EQ(TextFormatToDrawTextFlags({tfCenter, tfVerticalCenter, tfSingleLine}), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(TextFormatToDrawTextFlags({tfRight, tfBottom, tfEndEllipsis, tfPathEllipsis, tfWordEllipsis}),
            DT_RIGHT | DT_BOTTOM | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
  EXPECT_EQ(TextFormatToDrawTextFlags({tfExpandTabs, tfNoClip, tfRtlReading, tfHidePrefix, tfEditControl}),
            DT_EXPANDTABS | DT_NOCLIP | DT_RTLREADING | DT_HIDEPREFIX | DT_EDITCONTROL);
}

TEST(GraphicsCanvas, TransparentBitmapTakesTheBottomLeftPixel) {
  TBitmap glyph;
  WhiteBitmap(glyph, 10, 10);
  glyph.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  glyph.GetCanvas()->FillRect(TRect{0, 0, 10, 10});
  glyph.GetCanvas()->GetBrush()->SetColor(clBlack);
  glyph.GetCanvas()->FillRect(TRect{3, 3, 7, 7});
  glyph.GetCanvas()->SetPixels(9, 0, clLime);   // top-right: not the transparent colour
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.GetTransparentMode(), tmAuto);
  EXPECT_EQ(glyph.GetTransparentColor(), clFuchsia);

  TBitmap target;
  WhiteBitmap(target, 20, 20);
  target.GetCanvas()->GetBrush()->SetColor(clRed);
  target.GetCanvas()->FillRect(TRect{0, 0, 20, 20});
  target.GetCanvas()->Draw(5, 5, &glyph);
  EXPECT_EQ(PixelOf(target, 5, 5), clRed);
  EXPECT_EQ(PixelOf(target, 9, 9), clBlack);
  EXPECT_EQ(PixelOf(target, 14, 5), clLime);

  // A fixed colour replaces the automatic one; clDefault returns to automatic.
  glyph.SetTransparentColor(clLime);
  EXPECT_EQ(glyph.GetTransparentMode(), tmFixed);
  target.GetCanvas()->FillRect(TRect{0, 0, 20, 20});
  target.GetCanvas()->Draw(5, 5, &glyph);
  EXPECT_EQ(PixelOf(target, 14, 5), clRed);
  EXPECT_EQ(PixelOf(target, 5, 5), clFuchsia);
  glyph.SetTransparentColor(clDefault);
  EXPECT_EQ(glyph.GetTransparentMode(), tmAuto);
}

TEST(GraphicsCanvas, DrawStretchCopyAndOpacity) {
  TBitmap src;
  WhiteBitmap(src, 4, 4);
  src.GetCanvas()->GetBrush()->SetColor(clBlack);
  src.GetCanvas()->FillRect(TRect{0, 0, 2, 4});

  TBitmap dest;
  WhiteBitmap(dest, 20, 20);
  dest.GetCanvas()->StretchDraw(TRect{0, 0, 8, 8}, &src);
  EXPECT_EQ(PixelOf(dest, 3, 7), clBlack);
  EXPECT_EQ(PixelOf(dest, 4, 0), clWhite);
  EXPECT_EQ(PixelOf(dest, 8, 0), clWhite);

  dest.GetCanvas()->CopyRect(TRect{10, 10, 12, 14}, src.GetCanvas(), TRect{0, 0, 2, 4});
  EXPECT_EQ(PixelOf(dest, 10, 10), clBlack);
  EXPECT_EQ(PixelOf(dest, 12, 10), clWhite);

  TBitmap black;
  WhiteBitmap(black, 4, 4);
  black.GetCanvas()->GetBrush()->SetColor(clBlack);
  black.GetCanvas()->FillRect(TRect{0, 0, 4, 4});
  dest.GetCanvas()->Draw(14, 0, &black, 128);
  const TColor half = PixelOf(dest, 15, 1);
  EXPECT_NEAR(GetRValue(half), 127, 2);
  EXPECT_EQ(GetRValue(half), GetBValue(half));

  // BrushCopy puts the brush where the bitmap has the given colour.
  dest.GetCanvas()->GetBrush()->SetColor(clYellow);
  dest.GetCanvas()->BrushCopy(TRect{0, 12, 4, 16}, &src, TRect{0, 0, 4, 4}, clWhite);
  EXPECT_EQ(PixelOf(dest, 0, 12), clBlack);
  EXPECT_EQ(PixelOf(dest, 3, 12), clYellow);
}

TEST(GraphicsBitmap, ScanLineShowsTheOwnFormatAndFollowsTheCanvas) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(5, 3);
  auto* row0 = static_cast<Byte*>(bmp.GetScanLine(0));
  auto* row1 = static_cast<Byte*>(bmp.GetScanLine(1));
  EXPECT_EQ(row1 - row0, 16);   // 15 bytes padded to 16
  EXPECT_EQ(row0[0], 0xFF);     // new bitmaps are white
  row1[3] = 0x10;               // pixel 1: B, G, R
  row1[4] = 0x20;
  row1[5] = 0x30;
  EXPECT_EQ(PixelOf(bmp, 1, 1), static_cast<TColor>(RGB(0x30, 0x20, 0x10)));

  bmp.GetCanvas()->SetPixels(4, 2, clBlue);
  auto* row2 = static_cast<Byte*>(bmp.GetScanLine(2));
  EXPECT_EQ(row2[12], 0xFF);
  EXPECT_EQ(row2[13], 0x00);
  EXPECT_EQ(row2[14], 0x00);
  row2[1] = 0x80;   // pixel 0 of row 2 becomes green, read back through the canvas's DC
  row2[0] = row2[2] = 0;
  EXPECT_EQ(PixelOf(bmp, 0, 2), clGreen);
  EXPECT_THROW(bmp.GetScanLine(3), EInvalidGraphic);
  EXPECT_EQ(TBitmap().GetPixelFormat(), pfDevice);

  // pf32bit: B, G, R, A in the pixels themselves; afDefined premultiplies them.
  TBitmap argb;
  argb.SetPixelFormat(pf32bit);
  argb.SetSize(2, 2);
  auto* p = static_cast<Byte*>(argb.GetScanLine(0));
  EXPECT_EQ(static_cast<Byte*>(argb.GetScanLine(1)) - p, 8);
  const Byte straight[4] = {200, 100, 50, 128};
  std::memcpy(p, straight, 4);
  argb.SetAlphaFormat(afDefined);
  p = static_cast<Byte*>(argb.GetScanLine(0));
  EXPECT_EQ(p[0], 100);
  EXPECT_EQ(p[1], 50);
  EXPECT_EQ(p[2], 25);
  EXPECT_EQ(p[3], 128);

  // Converting the format keeps the picture.
  bmp.SetPixelFormat(pf32bit);
  EXPECT_EQ(PixelOf(bmp, 1, 1), static_cast<TColor>(RGB(0x30, 0x20, 0x10)));
  bmp.SetPixelFormat(pf8bit);
  EXPECT_EQ(PixelOf(bmp, 4, 2), clBlue);
  bmp.SetPixelFormat(pf1bit);
  EXPECT_EQ(PixelOf(bmp, 4, 2), clBlack);
  EXPECT_EQ(PixelOf(bmp, 0, 0), clWhite);
}

TEST(GraphicsBitmap, SizeChangesKeepTheOverlapAndAlphaIgnoredDrawsOpaque) {
  TBitmap bmp;
  WhiteBitmap(bmp, 4, 4);
  bmp.GetCanvas()->SetPixels(1, 1, clRed);
  bmp.SetSize(6, 3);
  EXPECT_EQ(bmp.GetWidth(), 6);
  EXPECT_EQ(bmp.GetHeight(), 3);
  EXPECT_EQ(PixelOf(bmp, 1, 1), clRed);
  EXPECT_EQ(PixelOf(bmp, 5, 2), clWhite);

  // A pf32bit bitmap whose alpha bytes are 0 (as many BMP files have them) draws its colours.
  TBitmap argb;
  argb.SetPixelFormat(pf32bit);
  argb.SetSize(2, 1);
  auto* p = static_cast<Byte*>(argb.GetScanLine(0));
  const Byte px[8] = {0, 0, 255, 0, 255, 0, 0, 0};
  std::memcpy(p, px, 8);
  TBitmap dest;
  WhiteBitmap(dest, 2, 1);
  dest.GetCanvas()->Draw(0, 0, &argb);
  EXPECT_EQ(PixelOf(dest, 0, 0), clRed);
  EXPECT_EQ(PixelOf(dest, 1, 0), clBlue);
}

TEST(GraphicsBitmap, CanvasDrawingFiresOnChangeAndLockCounts) {
  TBitmap bmp;
  WhiteBitmap(bmp, 4, 4);
  int changes = 0;
  bmp.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &bmp);
    ++changes;
  };
  bmp.GetCanvas()->FillRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(bmp.GetModified());
  TCanvas* c = bmp.GetCanvas();
  c->Lock();
  EXPECT_EQ(c->GetLockCount(), 1);
  EXPECT_TRUE(c->TryLock());
  EXPECT_EQ(c->GetLockCount(), 2);
  c->Unlock();
  c->Unlock();
  EXPECT_EQ(c->GetLockCount(), 0);

  TCanvas bare;
  EXPECT_THROW(bare.FillRect(TRect{0, 0, 1, 1}), EInvalidOperation);

  // An empty bitmap's canvas measures text all the same.
  TBitmap empty;
  EXPECT_GT(empty.GetCanvas()->TextWidth(u"Datenbank"), 20);
  EXPECT_EQ(bmp.GetCanvas()->GetClipRect(), (TRect{0, 0, 4, 4}));
}

// A drawing of shapes and text saved as PNG for a person to look at.
TEST(GraphicsCanvas, DrawingSavedAsPng) {
  TBitmap bmp;
  WhiteBitmap(bmp, 320, 160);
  TCanvas* c = bmp.GetCanvas();
  c->GetBrush()->SetColor(clBtnFace);
  c->FillRect(TRect{0, 0, 320, 160});
  c->GetPen()->SetColor(clNavy);
  c->GetPen()->SetWidth(2);
  c->GetBrush()->SetColor(clSkyBlue);
  c->RoundRect(10, 10, 150, 70, 16, 16);
  c->GetBrush()->SetColor(clYellow);
  c->Ellipse(170, 10, 310, 70);
  c->GetBrush()->SetColor(clRed);
  c->Pie(20, 80, 80, 140, 80, 110, 50, 80);
  c->GetPen()->SetStyle(psDot);
  c->GetPen()->SetWidth(1);
  c->MoveTo(100, 90);
  c->LineTo(300, 90);
  c->GetPen()->SetStyle(psSolid);
  c->GetBrush()->SetStyle(bsDiagCross);
  c->GetBrush()->SetColor(clGreen);
  c->Rectangle(240, 100, 310, 150);
  c->GetBrush()->SetStyle(bsClear);
  c->GetFont()->SetName(u"DejaVu Sans");
  c->GetFont()->SetSize(11);
  c->GetFont()->SetColor(clBlack);
  c->TextOut(100, 100, u"Größe: 12 pt");
  TRect r{100, 120, 235, 155};
  c->TextRect(r, String(u"Übernehmen"), {tfSingleLine, tfCenter, tfVerticalCenter});
  c->DrawFocusRect(r);

  TPngImage png;
  png.Assign(&bmp);
  png.SaveToFile(TestOutput("graphics-canvas.png"));
  TPngImage back;
  back.LoadFromFile(TestOutput("graphics-canvas.png"));
  EXPECT_EQ(back.GetWidth(), 320);
  EXPECT_EQ(back.GetPixels(1, 1), clBtnFace < 0 ? static_cast<TColor>(ColorToRGB(clBtnFace)) : clBtnFace);
  EXPECT_EQ(back.GetPixels(200, 40), clYellow);
}
