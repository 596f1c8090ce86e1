// The picture pages of render-demo: container pictures in markup text (a PNG, an SVG in an IMG,
// an animated GIF), and the animated GIF's frames 1 to 3 each on a page of its own, drawn through
// markup after the picture stepped to that frame. The boxes name the pictures.
#include <memory>

#include "lib/render/NeoHTMLEngine.h"
#include "lib/render/PictureContainer.h"
#include "lib/render/demo/RenderDemo.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/GifEncoder.h"

namespace {

using namespace GifFixture;

constexpr Integer FrameSize = 96;

// 24 x 24: red over green, a blue band at the bottom.
void LoadLogo(TGraphic* APicture) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(24, 24);
  TCanvas* c = bitmap.GetCanvas();
  c->GetBrush()->SetColor(Red);
  c->FillRect(TRect{0, 0, 24, 10});
  c->GetBrush()->SetColor(Green);
  c->FillRect(TRect{0, 10, 24, 18});
  c->GetBrush()->SetColor(Blue);
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

// 8 x 8: red (20); a green 4 x 4 at (2, 2), then cleared to the background (50); a blue 4 x 2 at
// (4, 0) (10).
void LoadAnimation(TGraphic* APicture) {
  const std::vector<Byte> bytes =
      EncodeGif(8, 8,
                {{0, 0, 8, 8, 20, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 0; }},
                 {2, 2, 4, 4, 50, DISPOSE_BACKGROUND, -1, [](int, int) -> GifPixelType { return 1; }},
                 {4, 0, 4, 2, 10, DISPOSE_DO_NOT, -1, [](int, int) -> GifPixelType { return 2; }}});
  TMemoryStream s;
  s.WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
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
