// The self-drawn check box: its three looks against golden pictures, the transparent mode over a
// parent, and mouse and keys through the message queue.
#include "lib/base/NeoXPVS.h"
#include "lib/grid/core/NeoCheckBox.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Themes.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace {

class NeoCheckBoxTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Form = NewForm(420, 200);
  }
  void TearDown() override {
    SetActiveStyleName(u"Windows");
    SetThemeActive(true);
    UiTest::TearDown();
  }
  TNeoCheckBox* Box(Integer X, Integer Y, const String& Caption, TWinControl* Parent = nullptr) {
    auto* b = Add<TNeoCheckBox>(Parent ? Parent : Form, X, Y, 130, 22);
    b->SetCaption(Caption);
    return b;
  }
  // Every state enabled and disabled, a right-justified box and one placed at the bottom.
  void BuildSheet() {
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    const char16_t* names[] = {u"Unchecked", u"Checked", u"Grayed"};
    for (Integer i = 0; i < 3; ++i)
      for (Integer disabled = 0; disabled < 2; ++disabled) {
        TNeoCheckBox* b = Box(10 + disabled * 140, 10 + i * 28, names[i]);
        b->SetState(states[i]);
        b->SetEnabled(disabled == 0);
      }
    TNeoCheckBox* right = Box(10, 100, u"Right");
    right->SetAlignment(taRightJustify);
    right->SetChecked(true);
    TNeoCheckBox* bottom = Box(150, 100, u"Bottom");
    bottom->SetHeight(34);
    bottom->SetButtonVertAlign(tlBottom);
    bottom->SetChecked(true);
    Headless::MouseMove(1900, 1000);   // no box hot
    Form->Show();
    Pump();
  }
  COLORREF Pixel(TWinControl* C, Integer X, Integer Y) { return Headless::ClientPixel(C->GetHandle(), X, Y); }
  void Golden(const char* Name) {
    ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/widgets/" + Name, Name);
  }

  TForm* Form = nullptr;
};

TEST_F(NeoCheckBoxTest, DefaultsOfANewBox) {
  TNeoCheckBox b(nullptr);
  EXPECT_EQ(b.GetWidth(), 98);
  EXPECT_EQ(b.GetHeight(), 20);
  EXPECT_EQ(b.GetCaption(), u"TNeoCheckBox");
  EXPECT_EQ(b.GetButtonVertAlign(), tlTop);
  EXPECT_EQ(b.GetAlignment(), taLeftJustify);
  EXPECT_FALSE(b.GetTabStop());
  EXPECT_FALSE(b.GetControlStyle().Contains(csClickEvents));
  EXPECT_FALSE(b.GetTransparentChaching());
}

TEST_F(NeoCheckBoxTest, ThemedLookMatchesGolden) {
  ASSERT_TRUE(IsThemedWinXP());
  BuildSheet();
  Golden("checkbox-themed.png");
}

TEST_F(NeoCheckBoxTest, ClassicLookMatchesGolden) {
  SetThemeActive(false);
  ASSERT_FALSE(IsThemedWinXP());
  BuildSheet();
  Golden("checkbox-classic.png");
}

TEST_F(NeoCheckBoxTest, CustomStyleLookAndTextColourMatchGolden) {
  ASSERT_TRUE(SetActiveStyleName(u"Carbon"));
  Form->SetColor(0x202020);
  BuildSheet();
  Golden("checkbox-style.png");
}

TEST_F(NeoCheckBoxTest, ClassicAndThemedBoxesStandApartAtTheRightAndBottom) {
  // Themed: the right-justified box ends one pixel before the edge; classic: it starts one pixel
  // later, so the classic frame's right column lies at the client edge.
  TNeoCheckBox* right = Box(10, 10, u"R");
  right->SetAlignment(taRightJustify);
  Form->Show();
  Pump();
  Integer w = right->GetClientWidth();
  EXPECT_NE(Pixel(right, w - 2, 10), Pixel(right, w - 30, 10));   // inside the themed box
  SetThemeActive(false);
  right->Invalidate();
  Pump();
  // The classic box is 12 x 12 from Right - 13 + 1: its outer frame column is at Right - 12.
  EXPECT_NE(Pixel(right, w - 12, 10), Pixel(right, w - 30, 10));
  EXPECT_EQ(Pixel(right, w - 14, 10), Pixel(right, w - 30, 10));
}

TEST_F(NeoCheckBoxTest, TransparentBoxShowsItsParentAndCachesItOnRequest) {
  auto* panel = Add<TPanel>(Form, 10, 10, 300, 120);
  panel->SetColor(clRed);
  TNeoCheckBox* b = Box(20, 20, u"Over red", panel);
  b->SetTransparent(true);
  Form->Show();
  Pump();
  EXPECT_EQ(Pixel(b, 120, 18), RGB(255, 0, 0));   // behind the caption, off its letters
  b->SetTransparentChaching(true);
  b->Invalidate();
  Pump();
  panel->SetColor(clBlue);
  Pump();
  b->Invalidate();
  Pump();
  EXPECT_EQ(Pixel(panel, 5, 5), RGB(0, 0, 255));
  EXPECT_EQ(Pixel(b, 120, 18), RGB(255, 0, 0)) << "the cached image stays until the bounds change";
  b->SetWidth(131);
  Pump();
  EXPECT_EQ(Pixel(b, 120, 18), RGB(0, 0, 255));
}

TEST_F(NeoCheckBoxTest, MouseClicksToggleAndFireOnClick) {
  TNeoCheckBox* b = Box(10, 10, u"Mouse");
  Integer clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  Pump();
  ClickAt(b, 5, 8);
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(clicks, 1);
  b->SetState(cbGrayed);
  ClickAt(b, 5, 8);
  EXPECT_EQ(b->GetState(), cbChecked) << "a grayed box toggles to checked";
  ClickAt(b, 5, 8);
  EXPECT_EQ(b->GetState(), cbUnchecked);
  // Released on the last row and column: inside. Released outside: no toggle, no click.
  TPoint in = ScreenPoint(b, 3, 3);
  TPoint edge = ScreenPoint(b, b->GetWidth(), b->GetHeight());
  Headless::ButtonDown(1, in.x, in.y);
  Headless::ButtonUp(1, edge.x, edge.y);
  Pump();
  EXPECT_TRUE(b->GetChecked());
  TPoint out = ScreenPoint(b, b->GetWidth() + 1, 3);
  Headless::ButtonDown(1, in.x, in.y);
  Headless::MouseMove(out.x, out.y);
  Pump();
  EXPECT_FALSE(b->GetDown());
  Headless::ButtonUp(1, out.x, out.y);
  Pump();
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(clicks, 4);
  b->SetReadOnly(true);
  ClickAt(b, 5, 8);
  EXPECT_TRUE(b->GetChecked()) << "read-only refuses";
  EXPECT_EQ(clicks, 5) << "but still clicks";
}

TEST_F(NeoCheckBoxTest, SpaceTogglesEnterActsAsTabAndTheAcceleratorTogglesSilently) {
  TNeoCheckBox* b = Box(10, 10, u"&Match case");
  b->SetTabStop(true);
  auto* next = Add<TEdit>(Form, 10, 60, 100, 22);
  Integer clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  Form->Show();
  Pump();
  b->SetFocus();
  Pump();
  Press(VK_SPACE);
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(clicks, 1);
  b->SetReadOnly(true);
  Press(VK_SPACE);
  EXPECT_TRUE(b->GetChecked());
  EXPECT_EQ(clicks, 2);
  b->SetReadOnly(false);
  Press(VK_RETURN);
  EXPECT_TRUE(b->Focused()) << "Enter is only a key while ReturnIsTab is off";
  b->SetReturnIsTab(true);
  Press(VK_RETURN);
  EXPECT_TRUE(next->Focused());
  Chord(VK_MENU, 'M');
  EXPECT_FALSE(b->GetChecked());
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(b->Focused());
}

}  // namespace
