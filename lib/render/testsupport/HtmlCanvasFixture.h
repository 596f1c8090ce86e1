#pragma once
// Fixture of the tests that draw markup on a real bitmap canvas: a white 24-bit bitmap with a
// 10-point DejaVu Sans, the draw parameters, and one call that draws text into a rectangle.
#include <gtest/gtest.h>

#include <memory>

#include "lib/render/NeoHTMLEngine.h"

class HtmlCanvasFixture : public ::testing::Test {
protected:
  explicit HtmlCanvasFixture(TRect ADefaultRect) : FDefaultRect(ADefaultRect) {}

  // A new white bitmap of W x H with the fixture's font.
  void Fresh(Integer W, Integer H) {
    Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(W, H);
    TCanvas* c = Bitmap->GetCanvas();
    c->GetBrush()->SetColor(clWhite);
    c->FillRect(TRect{0, 0, W, H});
    c->GetFont()->SetName(u"DejaVu Sans");
    c->GetFont()->SetSize(10);
    c->GetFont()->SetColor(clBlack);
  }

  bool Draw(StringView AText) { return Draw(AText, FDefaultRect); }
  bool Draw(StringView AText, TRect ARect) {
    P.ACanvas = Bitmap->GetCanvas();
    P.AText = String(AText);
    P.ARect = ARect;
    return DrawHtmlText(P);
  }

  TColor Pixel(Integer X, Integer Y) { return Bitmap->GetCanvas()->GetPixels(X, Y) & 0xFFFFFF; }

  std::unique_ptr<TBitmap> Bitmap;
  THtmlDrawParams P;

private:
  TRect FDefaultRect;
};
