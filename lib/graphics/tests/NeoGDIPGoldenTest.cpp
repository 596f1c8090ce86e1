// What NeoGDIP draws on a window: text with a background, an anti-aliased dashed path and a
// picture with alpha, compared with a golden picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "lib/graphics/tests/NeoGDIPTestSupport.h"
#include "platform/ui/Controls.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace NeoGDIP {
namespace {

// A window control that paints through a NeoGDIP surface over its canvas.
class TGdipPainted : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::function<void(TGPGraphics&)> OnDraw;

protected:
  void Paint() override {
    std::unique_ptr<TGPGraphics> g(new TGPGraphics(GetCanvas()->GetHandle()));
    ASSERT_EQ(g->lastResult, Ok);
    if (OnDraw) OnDraw(*g);
  }
};

class NeoGDIPWindowTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
  }
  void TearDown() override {
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
};

// The smallest rectangle of the pixels in AArea that pass AIs (all 0 when none does).
template <class F>
TRect BoxOf(const TSurface& ASurface, const TRect& AArea, F AIs) {
  TRect box{AArea.right, AArea.bottom, AArea.left, AArea.top};
  for (int y = AArea.top; y < AArea.bottom; ++y)
    for (int x = AArea.left; x < AArea.right; ++x)
      if (AIs(ASurface.Pixel(x, y))) {
        box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box.left < box.right ? box : TRect{};
}

int Channel(std::uint32_t APixel, int AShift) { return static_cast<int>((APixel >> AShift) & 0xFF); }

void ExpectBoxesNear(const TRect& AGot, const TRect& AWant, const char* AWhat) {
  EXPECT_NE(AWant, TRect{}) << AWhat;
  EXPECT_LE(std::abs(AGot.left - AWant.left), 2) << AWhat;
  EXPECT_LE(std::abs(AGot.top - AWant.top), 2) << AWhat;
  EXPECT_LE(std::abs(AGot.right - AWant.right), 2) << AWhat;
  EXPECT_LE(std::abs(AGot.bottom - AWant.bottom), 2) << AWhat;
}

TEST_F(NeoGDIPWindowTest, TextPathAndPictureMatchTheGolden) {
  TForm* form = NewForm(220, 130);
  auto* view = Add<TGdipPainted>(form, 0, 0, 220, 130);
  TFont font;
  font.SetName(u"DejaVu Sans");
  font.SetSize(12);
  font.SetColor(clNavy);
  const std::vector<std::uint8_t> png = FileBytes("alpha.png");
  TRect textRect{};
  view->OnDraw = [&](TGPGraphics& g) {
    g.Clear(ColorToOpaqueARGB(clWindow));
    textRect = TRect{8, 8, 200, 40};
    g.DrawText(u"Neo GDI+ wrapper", -1, textRect, &font, 0, clYellow);

    EXPECT_EQ(g.SetSmoothingMode(gdip::SmoothingModeAntiAlias), Ok);
    std::unique_ptr<TGPGraphicsPath> path(new TGPGraphicsPath);
    path->AddEllipse(12, 50, 90, 60);
    path->AddLine(12, 120, 102, 50);
    std::unique_ptr<TGPPen> pen(new TGPPen(0xFF008040u, 3));
    pen->SetDashStyle(DashStyleDash);
    EXPECT_EQ(g.DrawPath(pen.get(), path.get()), Ok);

    TStreamPtr stream = StreamOf(png);
    std::unique_ptr<TGPImage> picture(new TGPImage(stream.get()));
    EXPECT_TRUE(picture->HasAlphaChannel());
    EXPECT_EQ(g.DrawImage(picture.get(), 130, 55), Ok);
    EXPECT_EQ(g.DrawImage(picture.get(), TGPRectF{160, 55, 48, 48}), Ok);
  };
  form->Show();
  Pump();

  const std::string out = OutputPath("neogdip-window.png");
  ASSERT_TRUE(Headless::SaveWindowPng(view->GetHandle(), out));
  TSurface got(1, 1), want(1, 1);
  ASSERT_TRUE(got.LoadFromPng(out));
  const std::string golden = std::string(ZELK_TEST_DATA) + "/neogdip-window.png";
  ASSERT_TRUE(want.LoadFromPng(golden)) << "no golden picture " << golden << "; this run's is " << out;
  ASSERT_EQ(got.Width(), want.Width());
  ASSERT_EQ(got.Height(), want.Height());

  // Text by its ink and its background by their boxes (fonts may differ in detail).
  const TRect band{0, 0, got.Width(), 45};
  const auto ink = [](std::uint32_t p) { return Channel(p, 16) < 100; };
  const auto yellow = [](std::uint32_t p) { return Channel(p, 16) > 200 && Channel(p, 8) > 200 && Channel(p, 0) < 80; };
  ExpectBoxesNear(BoxOf(got, band, ink), BoxOf(want, band, ink), "text ink");
  ExpectBoxesNear(BoxOf(got, band, yellow), BoxOf(want, band, yellow), "text background");
  EXPECT_GT(textRect.right, 60);

  // The rest pixel by pixel: at most 0.5% beyond 8 per channel.
  int off = 0, total = 0;
  for (int y = band.bottom; y < got.Height(); ++y)
    for (int x = 0; x < got.Width(); ++x, ++total)
      for (int shift : {0, 8, 16, 24})
        if (std::abs(Channel(got.Pixel(x, y), shift) - Channel(want.Pixel(x, y), shift)) > 8) {
          ++off;
          break;
        }
  EXPECT_LE(off * 200, total) << off << " of " << total << " pixels differ from " << golden << "; see " << out;
}

}  // namespace

}  // namespace NeoGDIP
