// The grid's focus glow: the frame window's styles, and the glow shown through it as a layered
// window over a form, blended by the mask's alpha times the opacity and kept off the cell itself.
#include "lib/grid/core/NeoGridAlphaMask.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/Modules.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinGdi.h"

#include <cmath>
#include <cstring>

namespace {

constexpr TColor GlowColor = 0xFDD397;

Integer W(const TRect& R) { return R.right - R.left; }
Integer H(const TRect& R) { return R.bottom - R.top; }

class NeoGridFocusWindowTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(200, 120);
    Form->SetColor(clWhite);
    Form->Show();
    Pump();
    Cell = TRect{40, 30, 100, 50};
    TPoint origin = Form->ClientToScreen(TPoint{Cell.left, Cell.top});
    Cell = TRect{origin.x, origin.y, origin.x + 60, origin.y + 20};
    Frame = TRect{Cell.left - 4, Cell.top - 4, Cell.right + 5, Cell.bottom + 5};
    Window = new TGridFocusWindow(Form);
    Window->HandleNeeded();
    HWND h = Window->GetHandle();
    SetWindowLongPtr(h, GWL_EXSTYLE, GetWindowLongPtr(h, GWL_EXSTYLE) | WS_EX_LAYERED);
    // The glow as the grid makes it: a blurred round rectangle merged with the glow colour.
    MakeRoundRectMask(&Shape, W(Frame), H(Frame), 4, 5, 3.0);
    TBitmap colour;
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(W(Frame), H(Frame));
    colour.GetCanvas()->GetBrush()->SetColor(GlowColor);
    colour.GetCanvas()->FillRect(TRect{0, 0, W(Frame), H(Frame)});
    Mask.MergeMask(&Shape, &colour, GlowColor);
    Mask.SetOpacity(230);
  }
  void TearDown() override {
    SetExportMissing(u"user32.dll", "UpdateLayeredWindow", false);
    UiTest::TearDown();
  }
  // Shows the mask through the window over the frame, the cell cut out of its region.
  bool ShowGlow() {
    HWND h = Window->GetHandle();
    POINT at{Frame.left, Frame.top};
    SIZE size{W(Frame), H(Frame)};
    POINT from{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, Mask.GetOpacity(), AC_SRC_ALPHA};
    if (!DynUpdateLayeredWindow(h, nullptr, &at, &size, Mask.GetCanvas()->GetHandle(), &from, 0, &blend, ULW_ALPHA))
      return false;
    HRGN region = CreateRectRgn(0, 0, W(Frame), H(Frame));
    HRGN cell = CreateRectRgn(4, 4, 4 + W(Cell), 4 + H(Cell));
    CombineRgn(region, region, cell, RGN_DIFF);
    DeleteObject(cell);
    SetWindowRgn(h, region, TRUE);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    Pump();
    return true;
  }
  std::uint32_t ScreenAt(Integer X, Integer Y) {
    if (Screen.Empty()) Headless::ScreenPixels(Screen);
    return Screen.Pixel(X, Y) & 0xFFFFFF;
  }
  // The mask's alpha at a screen point of the frame.
  Byte MaskAlpha(Integer X, Integer Y) {
    return static_cast<Byte*>(Shape.GetScanLine(Y - Frame.top))[3 * (X - Frame.left) + 2];
  }
  // White beneath, the glow colour premultiplied by Alpha over it at the opacity 230.
  static std::uint32_t Expected(Byte Alpha) {
    auto scale = [](std::uint32_t x, std::uint32_t a) { return (x * a + 127) / 255; };
    std::uint32_t sa = scale(Alpha, 230), result = 0;
    const std::uint32_t rgb[3] = {GlowColor & 0xFF, (GlowColor >> 8) & 0xFF, (GlowColor >> 16) & 0xFF};
    for (int i = 0; i < 3; ++i) {
      std::uint32_t pre = static_cast<std::uint32_t>(std::nearbyint(Alpha / 255.0 * rgb[i]));
      result = (result << 8) | (scale(pre, 230) + scale(255, 255 - sa));
    }
    return result;
  }

  TForm* Form = nullptr;
  TGridFocusWindow* Window = nullptr;
  TBitmap Shape;
  TGridAlphaMask Mask;
  TSurface Screen;
  TRect Cell, Frame;
};

TEST_F(NeoGridFocusWindowTest, ADisabledTopmostToolPopupOfNoSize) {
  HWND h = Window->GetHandle();
  EXPECT_EQ(Window->GetWidth(), 0);
  EXPECT_EQ(Window->GetHeight(), 0);
  EXPECT_EQ(Window->GetColor(), clRed);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(h, GWL_STYLE)) & ~WS_CLIPSIBLINGS, WS_POPUP | WS_DISABLED);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(h, GWL_EXSTYLE)) & ~WS_EX_LAYERED, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(NeoGridFocusWindowTest, GlowBlendsOverTheFormAndLeavesTheCellAlone) {
  ASSERT_TRUE(ShowGlow());
  // Along the middle row from the cell's left edge outward the glow fades, each pixel the mask's
  // alpha times 230 over white.
  Integer y = (Cell.top + Cell.bottom) / 2;
  Byte previous = 255;
  for (Integer x = Cell.left - 1; x >= Frame.left; --x) {
    Byte a = MaskAlpha(x, y);
    EXPECT_LE(a, previous) << x;
    previous = a;
    std::uint32_t got = ScreenAt(x, y), want = Expected(a);
    for (int shift = 0; shift < 24; shift += 8)
      EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 1) << x;
  }
  EXPECT_GT(MaskAlpha(Cell.left - 1, y), 100);
  EXPECT_LT(MaskAlpha(Frame.left, y), MaskAlpha(Cell.left - 1, y));
  // The cell shows the form untouched, though the mask covers it too; outside the frame as well.
  EXPECT_GT(MaskAlpha(Cell.left, y), 0);
  EXPECT_EQ(ScreenAt(Cell.left, y), 0xFFFFFFu);
  EXPECT_EQ(ScreenAt(Cell.left + 30, y), 0xFFFFFFu);
  EXPECT_EQ(ScreenAt(Frame.left - 1, y), 0xFFFFFFu);
}

TEST_F(NeoGridFocusWindowTest, WithoutTheLayeredCallsNothingIsShown) {
  SetExportMissing(u"user32.dll", "UpdateLayeredWindow", true);
  EXPECT_FALSE(ShowGlow());
  EXPECT_FALSE(IsWindowVisible(Window->GetHandle()));
  EXPECT_EQ(ScreenAt(Cell.left - 1, (Cell.top + Cell.bottom) / 2), 0xFFFFFFu);
  SetExportMissing(u"user32.dll", "SetLayeredWindowAttributes", true);
  EXPECT_FALSE(DynSetLayeredWindowAttributes(Window->GetHandle(), 0, 128, LWA_ALPHA));
  SetExportMissing(u"user32.dll", "SetLayeredWindowAttributes", false);
  EXPECT_TRUE(DynSetLayeredWindowAttributes(Window->GetHandle(), 0, 128, LWA_ALPHA));
  EXPECT_FALSE(DynSetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
}

}  // namespace
