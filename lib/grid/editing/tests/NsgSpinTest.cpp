// The spin button: auto-repeat on the virtual clock, the two layouts, keys and the focus mark,
// the glyph setters and the painting cases.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "lib/grid/editing/NsgSpin.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0), White = RGB(255, 255, 255), Lime = RGB(0, 255, 0),
                   Blue = RGB(0, 0, 255);

class NsgSpinTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(200, 120);
    Spin = Add<TNsgSpinButton>(Form, 10, 10, 15, 25);
    Spin->OnUpClick = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Spin);
      Clicks.push_back({true, Headless::ClockMs() - Start});
    };
    Spin->OnDownClick = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Spin);
      Clicks.push_back({false, Headless::ClockMs() - Start});
    };
    Form->Show();
    Pump();
    Start = Headless::ClockMs();
  }

  void Press(TControl* AButton) {
    TPoint p = ScreenPoint(AButton, 3, 3);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
  }
  void Release(TControl* AButton) {
    TPoint p = ScreenPoint(AButton, 3, 3);
    Headless::ButtonUp(1, p.x, p.y);
    Pump();
  }
  // Moves the clock forward in steps of ten milliseconds, handling the messages after each.
  void Hold(std::uint64_t AMs) {
    for (std::uint64_t t = 0; t < AMs; t += 10) {
      Headless::AdvanceClock(10);
      Pump();
    }
  }
  COLORREF Pixel(Integer X, Integer Y) { return Headless::ClientPixel(Form->GetHandle(), X, Y); }
  static TRect Bounds(TControl* C) { return C->GetBoundsRect(); }

  struct TClick {
    bool Up;
    std::uint64_t At;
  };
  TForm* Form = nullptr;
  TNsgSpinButton* Spin = nullptr;
  std::vector<TClick> Clicks;
  std::uint64_t Start = 0;
};

TEST_F(NsgSpinTest, HoldingRepeatsAfter400ThenEvery100AndReleaseClicksOnce) {
  Press(Spin->GetUpButton());
  EXPECT_TRUE(Clicks.empty());
  Hold(1000);
  std::vector<std::uint64_t> at;
  for (const TClick& c : Clicks) {
    EXPECT_TRUE(c.Up);
    at.push_back(c.At);
  }
  EXPECT_EQ(at, (std::vector<std::uint64_t>{400, 500, 600, 700, 800, 900, 1000}));
  Release(Spin->GetUpButton());
  EXPECT_EQ(Clicks.size(), 8u);
  EXPECT_FALSE(Spin->GetUpButton()->GetRepeatTimer()->GetEnabled());
  Hold(500);   // released: no more repeats
  EXPECT_EQ(Clicks.size(), 8u);

  // A second press starts again at 400 ms; the down button fires the down event.
  Clicks.clear();
  Start = Headless::ClockMs();
  Press(Spin->GetDownButton());
  Hold(450);
  Release(Spin->GetDownButton());
  ASSERT_EQ(Clicks.size(), 2u);
  EXPECT_FALSE(Clicks[0].Up);
  EXPECT_EQ(Clicks[0].At, 400u);
}

TEST_F(NsgSpinTest, RepeatStopsWhenTheButtonLosesTheMouseOrTheClickRaises) {
  // Without the capture the timer keeps running but does not click.
  Press(Spin->GetUpButton());
  Spin->GetUpButton()->SetMouseCapture(false);
  Hold(600);
  EXPECT_TRUE(Clicks.empty());
  Release(Spin->GetUpButton());
  Clicks.clear();

  int raised = 0;
  Application->OnException = [&](TObject*, Exception&) { ++raised; };
  Spin->OnUpClick = [this](TObject*) {
    Clicks.push_back({true, Headless::ClockMs() - Start});
    throw Exception(u"refused");
  };
  Start = Headless::ClockMs();
  Press(Spin->GetUpButton());
  Hold(1000);
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(raised, 1);
  EXPECT_FALSE(Spin->GetUpButton()->GetRepeatTimer()->GetEnabled());
}

TEST_F(NsgSpinTest, VerticalAndHorizontalLayouts) {
  struct TCase {
    TSpinDirection Direction;
    Integer Width, Height;
    TRect Whole, Up, Down;
  };
  const TCase cases[] = {
      {spVertical, 15, 25, {10, 10, 25, 35}, {0, 0, 15, 12}, {0, 11, 15, 25}},
      {spVertical, 8, 40, {10, 10, 25, 50}, {0, 0, 15, 20}, {0, 19, 15, 40}},
      {spVertical, 21, 9, {10, 10, 31, 19}, {0, 0, 21, 4}, {0, 3, 21, 9}},
      {spHorizontal, 15, 16, {10, 10, 30, 26}, {11, 0, 21, 16}, {0, 0, 10, 16}},
      {spHorizontal, 31, 16, {10, 10, 41, 26}, {16, 0, 31, 16}, {0, 0, 15, 16}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Direction << " " << c.Width << "x" << c.Height);
    Spin->SetDirection(c.Direction);
    Spin->SetBounds(10, 10, c.Width, c.Height);
    EXPECT_EQ(Bounds(Spin), c.Whole);
    EXPECT_EQ(Bounds(Spin->GetUpButton()), c.Up);
    EXPECT_EQ(Bounds(Spin->GetDownButton()), c.Down);
    const bool horizontal = c.Direction == spHorizontal;
    EXPECT_EQ(Spin->GetUpButton()->GetButtonDirection(), horizontal ? bdRight : bdUp);
    EXPECT_EQ(Spin->GetDownButton()->GetButtonDirection(), horizontal ? bdLeft : bdDown);
  }
  // Switching the direction sets the width of the direction.
  Spin->SetDirection(spVertical);
  EXPECT_EQ(Spin->GetWidth(), 15);
  Spin->SetDirection(spHorizontal);
  EXPECT_EQ(Spin->GetWidth(), 20);
}

TEST_F(NsgSpinTest, KeysClickAndMoveTheFocusMark) {
  EXPECT_FALSE(Spin->GetTabStop());
  EXPECT_EQ(Spin->Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  Spin->SetTabStop(true);
  Spin->SetFocus();
  Pump();
  EXPECT_TRUE(Spin->GetUpButton()->GetTimeBtnState().Contains(tbFocusRect));

  UiTest::Press(VK_DOWN);
  EXPECT_EQ(Spin->GetFocusedButton(), Spin->GetDownButton());
  EXPECT_TRUE(Spin->GetDownButton()->GetTimeBtnState().Contains(tbFocusRect));
  EXPECT_FALSE(Spin->GetUpButton()->GetTimeBtnState().Contains(tbFocusRect));
  UiTest::Press(VK_SPACE);
  UiTest::Press(VK_UP);
  ASSERT_EQ(Clicks.size(), 3u);
  EXPECT_FALSE(Clicks[0].Up);
  EXPECT_FALSE(Clicks[1].Up);
  EXPECT_TRUE(Clicks[2].Up);
  EXPECT_EQ(Spin->GetFocusedButton(), Spin->GetUpButton());

  // Losing the focus takes the mark away.
  auto* other = Add<TEdit>(Form, 60, 10, 80, 24);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(Spin->GetUpButton()->GetTimeBtnState().Contains(tbFocusRect));
}

TEST_F(NsgSpinTest, PressingGivesTheFocusToTheFocusControl) {
  auto* edit = Add<TEdit>(Form, 60, 10, 80, 24);
  auto* other = Add<TEdit>(Form, 60, 50, 80, 24);
  Spin->SetFocusControl(edit);
  other->SetFocus();
  Pump();
  Press(Spin->GetDownButton());
  Release(Spin->GetDownButton());
  EXPECT_TRUE(edit->Focused());
  EXPECT_FALSE(Spin->Focused());
  // Freeing the focus control clears the reference.
  delete edit;
  EXPECT_EQ(Spin->GetFocusControl(), nullptr);
  // Without one, a tab-stop spin button takes the focus itself.
  Spin->SetTabStop(true);
  Press(Spin->GetDownButton());
  Release(Spin->GetDownButton());
  EXPECT_TRUE(Spin->Focused());
  EXPECT_EQ(Spin->GetFocusedButton(), Spin->GetDownButton());
}

TEST_F(NsgSpinTest, NilGlyphReloadsTheBuiltInGlyphOnThatButtonOnly) {
  TNeoTimerSpeedButton* down = Spin->GetDownButton();
  EXPECT_EQ(down->GetGlyph()->GetWidth(), 9);
  EXPECT_EQ(down->GetGlyph()->GetHeight(), 6);
  EXPECT_EQ(down->GetGlyph()->GetCanvas()->GetPixels(4, 4), clBlack);   // the down arrow's tip
  EXPECT_EQ(Spin->GetUpGlyph()->GetCanvas()->GetPixels(4, 1), clBlack);   // the up arrow's tip

  TBitmap custom;
  custom.SetSize(20, 8);
  Spin->SetDownGlyph(&custom);
  Spin->SetDownNumGlyphs(2);
  Spin->SetUpNumGlyphs(2);
  EXPECT_EQ(down->GetGlyph()->GetWidth(), 20);
  Spin->SetDownGlyph(nullptr);
  EXPECT_EQ(down->GetGlyph()->GetWidth(), 9);
  EXPECT_EQ(Spin->GetDownNumGlyphs(), 1);
  EXPECT_EQ(Spin->GetUpNumGlyphs(), 2);
}

TEST_F(NsgSpinTest, PaintingCasesInTheirOrder) {
  Spin->SetBounds(10, 10, 15, 30);   // up (0,0)-(15,15), down (0,14)-(15,30)
  Pump();
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgspin_classic.png"));
  const COLORREF classicFace = Pixel(10 + 1, 10 + 1);
  EXPECT_EQ(Pixel(10 + 7, 10 + 6), Black);   // the glyph in the classic up button

  // Any button colour paints both buttons flat, also when themed; the pressed one in the down colour.
  Spin->SetIsWinXP(true);
  Spin->SetButtonColor(Lime);
  Spin->SetButtonColorDown(Blue);
  Spin->SetButtonColorHot(Lime);
  Pump();
  EXPECT_EQ(Pixel(10 + 12, 10 + 12), Lime);
  EXPECT_EQ(Pixel(10 + 12, 10 + 25), Lime);
  EXPECT_EQ(Pixel(10 + 6, 10 + 3), Black);   // inside the up triangle (4,4) (8,4) (6,2)
  Press(Spin->GetDownButton());
  EXPECT_EQ(Pixel(10 + 12, 10 + 25), Blue);
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgspin_colored_down.png"));
  Release(Spin->GetDownButton());

  // High contrast wins over the colours: black with a white arrow near the right edge.
  Headless::SetHighContrast(true);
  Spin->Invalidate();
  Pump();
  EXPECT_EQ(Pixel(10 + 1, 10 + 1), Black);
  EXPECT_EQ(Pixel(10 + 15 - 7, 10 + 5), White);   // inside (Rt-10,6) (Rt-4,6) (Rt-7,3)
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgspin_highcontrast.png"));
  Headless::SetHighContrast(false);

  // Themed without colours: the visual style's spin parts differ from the classic face.
  Spin->SetButtonColor(clNone);
  Spin->Invalidate();
  Pump();
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgspin_themed.png"));
  EXPECT_NE(Pixel(10 + 1, 10 + 1), Lime);
  SetThemeActive(false);   // no theme data: painted as classic
  Spin->Invalidate();
  Pump();
  EXPECT_EQ(Pixel(10 + 1, 10 + 1), classicFace);
  SetThemeActive(true);
}

TEST_F(NsgSpinTest, HorizontalClassicDrawsScrollArrows) {
  Spin->SetDirection(spHorizontal);
  Spin->SetBounds(10, 10, 30, 16);
  Spin->SetTabStop(true);
  Spin->SetFocus();
  Pump();
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgspin_horizontal_focused.png"));
  // Each half shows a dark arrow somewhere inside.
  auto hasDark = [&](Integer X0, Integer X1) {
    for (Integer y = 3; y < 13; ++y)
      for (Integer x = X0; x < X1; ++x)
        if (Pixel(10 + x, 10 + y) == Black) return true;
    return false;
  };
  EXPECT_TRUE(hasDark(2, 13));
  EXPECT_TRUE(hasDark(18, 29));
}

// One picture per look: classic, themed, coloured, focused and disabled, vertical and horizontal
// side by side; then the same controls under high contrast.
TEST_F(NsgSpinTest, LooksMatchTheGoldens) {
  auto* form = NewForm(150, 40);
  auto make = [&](Integer X, TSpinDirection ADirection) {
    auto* s = Add<TNsgSpinButton>(form, X, 5, 15, 30);
    s->SetDirection(ADirection);
    s->SetBounds(X, 5, ADirection == spHorizontal ? 30 : 15, ADirection == spHorizontal ? 16 : 30);
    return s;
  };
  make(5, spVertical);                                    // classic
  make(25, spHorizontal);
  make(60, spVertical)->SetIsWinXP(true);                 // themed
  TNsgSpinButton* colored = make(80, spVertical);         // coloured
  colored->SetIsWinXP(true);
  colored->SetButtonColor(clYellow);
  TNsgSpinButton* focused = make(100, spHorizontal);      // focused, the mark on the up button
  focused->SetTabStop(true);
  make(135, spVertical)->SetEnabled(false);               // disabled
  form->Show();
  focused->SetFocus();
  Pump();
  ExpectWindowMatchesGolden(form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgspin-looks.png", "nsgspin-looks.png");
  Headless::SetHighContrast(true);
  for (int i = 0; i < form->GetControlCount(); ++i) form->GetControls(i)->Invalidate();
  ExpectWindowMatchesGolden(form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgspin-highcontrast.png",
                            "nsgspin-highcontrast.png");
  Headless::SetHighContrast(false);
}

}  // namespace
