// libFuzzer target: DrawHtmlText on arbitrary markup into a 200 x 100 bitmap (see README.md beside
// this file).
//
// The first input byte chooses the call: bit 0 word wrap, bit 1 hit-test only, bit 2 measure only,
// bit 3 printing at factor 2, bits 4-7 the hit-test point (on a 4 x 4 grid over the bitmap). The
// rest is read as little-endian UTF-16 code units. Each input is drawn with wrapping as chosen and
// then with the other wrapping. Pictures: a container with "P" (16 x 12) and a URL cache emptied
// after each input. Besides crashes, leaks, hangs (a line that consumes nothing loops
// for ever) and undefined behaviour, it checks that the canvas's pen, brush and font come back as
// they were and that the outputs are within their ranges.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/PictureContainer.h"
#include "platform/rtl/Units.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/ImgList.h"

namespace {

void Fail(const char* AWhat, const String& AText) {
  std::fprintf(stderr, "%s: %s\n", AWhat, UTF8Encode(AText).c_str());
  std::abort();
}

struct TFixture {
  TBitmap Bitmap;
  TImageList Images{nullptr};
  TPictureContainer Container{nullptr};
  THTMLPictureCache Cache;
  TFixture() {
    RegisterPictureContainerUnit();   // with GDI+, which decodes the container's picture
    InitializeUnits();
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(200, 100);
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(32, 16);
    strip.GetCanvas()->GetBrush()->SetColor(clRed);
    strip.GetCanvas()->FillRect(TRect{0, 0, 32, 16});
    Images.Add(&strip, nullptr);   // two pictures, IDX:0 and IDX:1
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(16, 12);
    picture.GetCanvas()->GetBrush()->SetColor(clBlue);
    picture.GetCanvas()->FillRect(TRect{0, 0, 16, 12});
    TPngImage png;
    png.Assign(&picture);
    TMemoryStream bytes;
    png.SaveToStream(&bytes);
    bytes.SetPosition(0);
    TPictureItem* item = Container.GetItems()->Add();
    item->SetName(u"P");
    item->GetPicture()->LoadFromStream(&bytes);
  }
};

TFixture& Fixture() {
  static auto* f = new TFixture();
  return *f;
}

void DrawOnce(const String& AText, std::uint8_t AFlags, bool AWrap) {
  TFixture& f = Fixture();
  TCanvas* canvas = f.Bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, 200, 100});
  canvas->GetPen()->SetColor(clGreen);
  canvas->GetPen()->SetWidth(2);
  canvas->GetBrush()->SetColor(clYellow);
  canvas->GetFont()->SetName(u"DejaVu Sans");
  canvas->GetFont()->SetSize(9);
  canvas->GetFont()->SetStyle(TFontStyles{});
  THtmlDrawParams p;
  p.ACanvas = canvas;
  p.AText = AText;
  p.ARect = TRect{0, 0, 200, 100};
  p.AImages = &f.Images;
  p.APictureContainer = &f.Container;
  p.APictureCache = &f.Cache;
  p.AWordWrap = AWrap;
  p.ACheckHotSpot = AFlags & 2;
  p.ACheckHeight = AFlags & 4;
  p.APrint = AFlags & 8;
  p.AResFactor = p.APrint ? 2.0 : 1.0;
  p.AX = 25 + 50 * ((AFlags >> 4) & 3);
  p.AY = 12 + 25 * ((AFlags >> 6) & 3);
  p.AFocusLink = 0;
  p.AHoverLink = 1;
  p.AHoverColor = clAqua;
  p.AControlID = u"c";
  (void)DrawHtmlText(p);
  if (canvas->GetPen()->GetColor() != clGreen || canvas->GetPen()->GetWidth() != 2) Fail("pen not restored", AText);
  if (canvas->GetBrush()->GetColor() != clYellow) Fail("brush not restored", AText);
  TFont* font = canvas->GetFont();
  if (font->GetName() != u"DejaVu Sans" || font->GetSize() != 9 || !font->GetStyle().Empty())
    Fail("font not restored", AText);
  if (p.AXSize < 0 || p.AYSize <= 0) Fail("negative size", AText);
  if (p.AHyperLinks < 0 || p.AMouseLink < -1 || p.AMouseLink > p.AHyperLinks) Fail("link numbers out of range", AText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
  if (ASize < 1) return 0;
  const std::uint8_t flags = AData[0];
  String text;
  text.reserve((ASize - 1) / 2);
  for (std::size_t i = 1; i + 1 < ASize; i += 2) text.push_back(static_cast<Char>(AData[i] | (AData[i + 1] << 8)));
  DrawOnce(text, flags, flags & 1);
  DrawOnce(text, flags, !(flags & 1));
  Fixture().Cache.ClearPictures();
  return 0;
}
