// The picture pages of render-demo: container pictures in markup text (a PNG, an SVG in an IMG,
// an animated GIF), and the animated GIF's frames 1 to 3 each on a page of its own, drawn through
// markup after the picture stepped to that frame. The boxes name the pictures.
#include <memory>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/PictureContainer.h"
#include "lib/render/demo/RenderDemo.h"
#include "platform/ui/PngImage.h"

namespace {

constexpr Integer FrameSize = 96;

// 24 x 24: red over green, a blue band at the bottom.
void LoadLogo(TGraphic* APicture) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(24, 24);
  TCanvas* c = bitmap.GetCanvas();
  c->GetBrush()->SetColor(clRed);
  c->FillRect(TRect{0, 0, 24, 10});
  c->GetBrush()->SetColor(clLime);
  c->FillRect(TRect{0, 10, 24, 18});
  c->GetBrush()->SetColor(clBlue);
  c->FillRect(TRect{0, 18, 24, 24});
  TPngImage png;
  png.Assign(&bitmap);
  TMemoryStream s;
  png.SaveToStream(&s);
  s.SetPosition(0);
  APicture->LoadFromStream(&s);
}

void LoadText(TGraphic* APicture, const std::string& AText) {
  TMemoryStream s;
  s.WriteBuffer(AText.data(), static_cast<Int64>(AText.size()));
  s.SetPosition(0);
  APicture->LoadFromStream(&s);
}

// 8 x 8 GIF89a (written by giflib once): red shown 20, kept; a green 4 x 4 at (2, 2) shown 50, then
// cleared to the background; a blue 4 x 2 at (4, 0) shown 10.
constexpr Byte AnimationBytes[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x08, 0x00, 0x08, 0x00, 0xF1, 0x00, 0x00, 0xFF, 0x00, 0x00,
    0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x21, 0xF9, 0x04, 0x04, 0x14, 0x00, 0xFF,
    0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x08, 0x00, 0x00, 0x02, 0x07, 0x84, 0x8F, 0xA9,
    0xCB, 0xED, 0x5D, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x08, 0x32, 0x00, 0xFF, 0x00, 0x2C, 0x02, 0x00,
    0x02, 0x00, 0x04, 0x00, 0x04, 0x00, 0x00, 0x02, 0x04, 0x8C, 0x8F, 0x19, 0x05, 0x00, 0x21, 0xF9,
    0x04, 0x04, 0x0A, 0x00, 0xFF, 0x00, 0x2C, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00,
    0x02, 0x03, 0x94, 0x6F, 0x05, 0x00, 0x3B};

void LoadAnimation(TGraphic* APicture) {
  TMemoryStream s;
  s.WriteBuffer(AnimationBytes, sizeof AnimationBytes);
  s.SetPosition(0);
  APicture->LoadFromStream(&s);
}

std::unique_ptr<TPictureContainer> DemoContainer() {
  auto container = std::make_unique<TPictureContainer>(nullptr);
  auto add = [&](const String& AName) {
    TPictureItem* item = container->GetItems()->Add();
    item->SetName(AName);
    return item->GetPicture();
  };
  LoadLogo(add(u"logo"));
  LoadText(add(u"ball"),
           "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 24 24\"><circle cx=\"12\" cy=\"12\" r=\"11\" "
           "fill=\"#0000ff\"/></svg>");
  LoadAnimation(add(u"anim"));
  return container;
}

// Draws the markup at (AX, AY) and names the box the pictures take.
void DrawMarkup(TCanvas* ACanvas, TPictureContainer* AContainer, Integer AX, Integer AY, StringView AText,
                const char* ABox, std::vector<TDemoBox>& ABoxes) {
  ACanvas->GetFont()->SetName(u"DejaVu Sans");
  ACanvas->GetFont()->SetSize(10);
  ACanvas->GetFont()->SetColor(clBlack);
  THtmlDrawParams p;
  p.ACanvas = ACanvas;
  p.AText = String(AText);
  p.ARect = TRect{AX, AY, AX + 400, AY + 200};
  p.APictureContainer = AContainer;
  DrawHtmlText(p);
  ABoxes.push_back({ABox, TRect{AX, AY, AX + p.AXSize, AY + p.AYSize}});
}

void DrawPicturesPage(TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes) {
  auto container = DemoContainer();
  DrawMarkup(ACanvas, container.get(), 10, 10, u"<IMG SRC=\"logo\" WIDTH=\"48\">", "png", ABoxes);
  DrawMarkup(ACanvas, container.get(), 80, 10, u"<IMG SRC=\"ball\" WIDTH=\"48\" HEIGHT=\"48\">", "svg", ABoxes);
  DrawMarkup(ACanvas, container.get(), 150, 10, u"<IMG SRC=\"anim\" WIDTH=\"48\">", "gif", ABoxes);
  DrawMarkup(ACanvas, container.get(), 10, 80,
             u"Pictures <IMG SRC=\"logo\"> in <B>text</B> <IMG SRC=\"ball\" HEIGHT=\"16\"> and <IMG SRC=\"anim\" ALIGN=\"MIDDLE\" "
             u"HEIGHT=\"16\">",
             "text", ABoxes);
}

// Frame n of the animation: the picture steps from frame 1 until it shows n.
template <int N>
void DrawFramePage(TCanvas* ACanvas, std::vector<TDemoBox>& ABoxes) {
  auto container = DemoContainer();
  auto* anim = static_cast<THTMLPicture*>(container->FindPicture(u"anim"));
  while (anim->GetFrame() != N) container->GetItems()->Animate();
  const String size = IntToStr(FrameSize);
  DrawMarkup(ACanvas, container.get(), 8, 8, u"<IMG SRC=\"anim\" WIDTH=\"" + size + u"\" HEIGHT=\"" + size + u"\">",
             "frame", ABoxes);
}

}  // namespace

void AddPicturePages(std::vector<TDemoPage>& APages) {
  APages.push_back({"pictures", 320, 120, DrawPicturesPage});
  APages.push_back({"gif-frame-1", FrameSize + 16, FrameSize + 16, DrawFramePage<1>});
  APages.push_back({"gif-frame-2", FrameSize + 16, FrameSize + 16, DrawFramePage<2>});
  APages.push_back({"gif-frame-3", FrameSize + 16, FrameSize + 16, DrawFramePage<3>});
}
