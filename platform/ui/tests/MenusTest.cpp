// The popup menu's window through scripted mouse and keys, actions and their links, the style
// services, and BrushCopy (which the grid button's shadow glyph relies on).
#include "platform/ui/ActnList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Themes.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class MenusTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Menu = std::make_unique<TPopupMenu>(nullptr);
    for (const char16_t* caption : {u"One", u"Two", u"Three"}) {
      auto* item = new TMenuItem(Menu.get());
      item->SetCaption(caption);
      item->OnClick = [this](TObject* Sender) { Chosen.push_back(static_cast<TMenuItem*>(Sender)->GetCaption()); };
      Menu->GetItems()->Add(item);
    }
    Form = NewForm();
    Edit = Add<TEdit>(Form, 10, 10, 100, 22);
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    Menu.reset();
    UiTest::TearDown();
  }
  TMenuItem* Item(Integer I) { return Menu->GetItems()->GetItems(I); }
  RECT MenuRect() {
    RECT r{};
    GetWindowRect(Menu->GetPopupWindow(), &r);
    return r;
  }

  std::unique_ptr<TPopupMenu> Menu;
  std::vector<String> Chosen;
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
};

TEST_F(MenusTest, AClickOnAnItemFiresItAndAClickElsewhereClosesTheMenu) {
  Menu->Popup(300, 300);
  Pump();
  ASSERT_NE(Menu->GetPopupWindow(), nullptr);
  EXPECT_EQ(MenuRect().left, 300);
  EXPECT_EQ(MenuRect().top, 300);
  EXPECT_TRUE(Edit->Focused()) << "the menu does not take the focus";
  Headless::Click(310, 300 + 1 + 22 * 2 + 5);
  Pump();
  EXPECT_EQ(Chosen, std::vector<String>{u"Three"});
  EXPECT_EQ(Menu->GetPopupWindow(), nullptr);
  Menu->Popup(300, 300);
  Pump();
  ClickAt(Form, 250, 150);
  EXPECT_EQ(Menu->GetPopupWindow(), nullptr);
  EXPECT_EQ(Chosen.size(), 1u);
}

TEST_F(MenusTest, KeysMoveOverEnabledVisibleItemsAndChoose) {
  Item(1)->SetEnabled(false);
  Menu->Popup(300, 300);
  Pump();
  Press(VK_DOWN);
  Press(VK_DOWN);   // past the disabled item
  Press(VK_RETURN);
  EXPECT_EQ(Chosen, std::vector<String>{u"Three"});
  EXPECT_EQ(Edit->GetText(), u"") << "the keys went to the menu only";
  Item(0)->SetVisible(false);
  Menu->Popup(300, 300);
  Pump();
  EXPECT_EQ(MenuRect().bottom - MenuRect().top, 2 + 2 * 22);
  Press(VK_UP);
  Press(VK_RETURN);
  EXPECT_EQ(Chosen.back(), u"Three");
  Menu->Popup(300, 300);
  Pump();
  Press(VK_ESCAPE);
  EXPECT_EQ(Menu->GetPopupWindow(), nullptr);
  Type(u"a");
  EXPECT_EQ(Edit->GetText(), u"a") << "keys reach the focus again once the menu is closed";
}

TEST_F(MenusTest, BadPlacesAndEmptyMenus) {
  Menu->Popup(5000, 5000);
  Pump();
  RECT work{};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(MenuRect().right, work.right);
  EXPECT_EQ(MenuRect().bottom, work.bottom);
  Menu->Popup(-50, -50);
  Pump();
  EXPECT_EQ(MenuRect().left, work.left);
  EXPECT_EQ(MenuRect().top, work.top);
  Menu->CloseMenu();
  for (Integer i = 0; i < 3; ++i) Item(i)->SetVisible(false);
  Integer popups = 0;
  Menu->OnPopup = [&](TObject*) { ++popups; };
  Menu->Popup(300, 300);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(Menu->GetPopupWindow(), nullptr);
}

TEST_F(MenusTest, AControlFollowsItsActionAndRunsIt) {
  TAction action(nullptr);
  action.SetCaption(u"Go");
  Integer runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };
  auto* label = Add<TButton>(Form, 10, 50, 80, 24);
  label->SetAction(&action);
  EXPECT_EQ(label->GetCaption(), u"Go");
  action.SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
  action.SetEnabled(true);
  ClickAt(label, 5, 5);
  EXPECT_EQ(runs, 1);
  label->SetCaption(u"Own");
  action.SetCaption(u"Other");
  EXPECT_EQ(label->GetCaption(), u"Own") << "a caption changed by hand is no longer linked";
  {
    TAction shortLived(nullptr);
    label->SetAction(&shortLived);
  }
  EXPECT_EQ(label->GetAction(), nullptr);
  TControlActionLink link;
  TStringList notAControl;
  EXPECT_THROW(link.AssignClient(&notAControl), EInvalidCast);
}

TEST_F(MenusTest, StyleServicesSwitchBetweenThePlatformAndTheCustomStyle) {
  EXPECT_EQ(StyleServices()->GetName(), u"Windows");
  EXPECT_TRUE(StyleServices()->IsSystemStyle());
  TColor c = clRed;
  auto details = StyleServices()->GetElementDetails(tbCheckBoxMixedHot);
  EXPECT_EQ(details.Part, 3);
  EXPECT_EQ(details.State, 10);
  EXPECT_FALSE(StyleServices()->GetElementColor(details, ecTextColor, c));
  EXPECT_EQ(c, clRed);
  EXPECT_FALSE(SetActiveStyleName(u"Nonexistent"));
  ASSERT_TRUE(SetActiveStyleName(u"Carbon"));
  EXPECT_TRUE(StyleServices()->GetElementColor(StyleServices()->GetElementDetails(tbPushButtonNormal), ecTextColor, c));
  EXPECT_EQ(c, 0xF0F0F0);
  TBitmap bmp(20, 20);
  EXPECT_TRUE(StyleServices()->DrawElement(bmp.GetCanvas()->GetHandle(), details, TRect{0, 0, 20, 20}));
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(10, 1), 0x404040);   // the hot box's face
  SetActiveStyleName(u"Windows");
}

TEST(CanvasBrushCopy, ReplacesOneColourOfTheBitmapByTheBrush) {
  Headless::Use();
  TBitmap src(4, 2), dest(4, 2);
  TCanvas* s = src.GetCanvas();
  s->SetPixels(0, 0, clRed);
  s->SetPixels(1, 0, clBlue);
  s->SetPixels(2, 0, clRed);
  s->SetPixels(3, 0, clBlack);
  dest.GetCanvas()->GetBrush()->SetColor(clLime);
  dest.GetCanvas()->BrushCopy(TRect{0, 0, 4, 1}, &src, TRect{0, 0, 4, 1}, clRed);
  EXPECT_EQ(dest.GetCanvas()->GetPixels(0, 0), clLime);
  EXPECT_EQ(dest.GetCanvas()->GetPixels(1, 0), clBlue);
  EXPECT_EQ(dest.GetCanvas()->GetPixels(2, 0), clLime);
  EXPECT_EQ(dest.GetCanvas()->GetPixels(3, 0), clBlack);
}

}  // namespace
