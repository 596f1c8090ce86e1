// The combo box: the list drops down in a popup that never takes the focus; items are chosen by
// mouse and keys; Enter and Esc belong to the open list.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <utility>
#include <vector>

class ComboBoxTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 200);
    Combo = Add<TComboBox>(Form, 10, 10, 150, 21);
    Combo->GetItems()->AddStrings({u"Rot", u"Grün", u"Blau", u"Gelb", u"Braun"});
    Ok = Add<TButton>(Form, 200, 10, 75, 25);
    Ok->SetDefault(true);
    Ok->OnClick = [this](TObject*) { Log.push_back(u"ok"); };
    Combo->OnChange = [this](TObject*) { Log.push_back(u"change " + Combo->GetText()); };
    Combo->OnDropDown = [this](TObject*) { Log.push_back(u"drop"); };
    Combo->OnCloseUp = [this](TObject*) { Log.push_back(u"close"); };
  }
  void ShowList(TComboBoxStyle Style) {
    Combo->SetStyle(Style);
    Form->Show();
    Pump();
    Combo->SetFocus();
    Pump();
  }
  TForm* Form = nullptr;
  TComboBox* Combo = nullptr;
  TButton* Ok = nullptr;
  std::vector<String> Log;
};

TEST_F(ComboBoxTest, TheMouseDropsTheListAndChoosesAnItem) {
  ShowList(csDropDownList);
  ClickAt(Combo, 140, 10);
  ASSERT_TRUE(Combo->GetDroppedDown());
  HWND list = Combo->GetListWindow()->GetHandle();
  EXPECT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetFocus(), Combo->GetHandle());   // the list never takes the focus
  EXPECT_EQ(GetActiveWindow(), Form->GetHandle());
  auto* lb = static_cast<TCustomListBox*>(Combo->GetListWindow());
  TRect item = lb->ItemRect(2);
  ClickAt(lb, item.left + 10, item.top + 3);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  EXPECT_EQ(Combo->GetText(), u"Blau");
  EXPECT_EQ(Log, (std::vector<String>{u"drop", u"change Blau", u"close"}));
  // A press outside closes the list without choosing.
  ClickAt(Combo, 140, 10);
  ClickAt(Form, 250, 150);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Combo->GetItemIndex(), 2);
}

TEST_F(ComboBoxTest, KeysChooseAndTheOpenListKeepsEnterAndEsc) {
  ShowList(csDropDownList);
  std::vector<String> selects;
  Combo->OnSelect = [&](TObject*) { selects.push_back(Combo->GetText()); };
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Combo->GetText(), u"Grün");
  Type(u"b");   // the next item starting with "b"
  Type(u"b");
  EXPECT_EQ(Combo->GetText(), u"Braun");
  Press(VK_F4);
  EXPECT_TRUE(Combo->GetDroppedDown());
  Press(VK_UP);
  EXPECT_EQ(Combo->GetText(), u"Braun");   // moving in the open list chooses nothing yet
  Press(VK_RETURN);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Combo->GetText(), u"Gelb");
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(Combo->GetDroppedDown());
  Press(VK_HOME);
  Press(VK_ESCAPE);
  EXPECT_FALSE(Combo->GetDroppedDown());
  EXPECT_EQ(Combo->GetText(), u"Gelb");
  EXPECT_EQ(selects, (std::vector<String>{u"Rot", u"Grün", u"Blau", u"Braun", u"Gelb"}));
  EXPECT_EQ(std::count(Log.begin(), Log.end(), String(u"ok")), 0);   // Enter went to the list
  Press(VK_RETURN);   // closed: Enter is the form's again
  EXPECT_EQ(std::count(Log.begin(), Log.end(), String(u"ok")), 1);
}

TEST_F(ComboBoxTest, TheEditOfADropDownComboTypesAndSelects) {
  ShowList(csDropDown);
  ASSERT_NE(Combo->GetEditControl(), nullptr);
  EXPECT_TRUE(Combo->Focused());
  EXPECT_EQ(GetFocus(), Combo->GetEditControl()->GetHandle());
  EXPECT_EQ(GetWindow(Combo->GetHandle(), GW_CHILD), Combo->GetEditControl()->GetHandle());
  Type(u"Lila");
  EXPECT_EQ(Combo->GetText(), u"Lila");
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  EXPECT_EQ(Log.back(), u"change Lila");
  Press(VK_DOWN);
  EXPECT_EQ(Combo->GetText(), u"Rot");
  Combo->SetItemIndex(3);   // by code: no event
  EXPECT_EQ(Combo->GetText(), u"Gelb");
  EXPECT_EQ(Log.back(), u"change Rot");
}

TEST_F(ComboBoxTest, SelectionFieldHeightSizesTheBox) {
  ShowList(csDropDown);
  HWND h = Combo->GetHandle();
  EXPECT_EQ(SendMessage(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 15);   // 21 less the frame
  EXPECT_EQ(SendMessage(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30), 0);
  EXPECT_EQ(Combo->GetHeight(), 36);
  EXPECT_EQ(SendMessage(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 30);
  RECT client{};
  GetClientRect(h, &client);
  EXPECT_EQ(Combo->GetEditControl()->GetHeight(), client.bottom - 2);   // the edit fills the field
  // Invalid heights or indexes change nothing.
  for (auto [index, height] : {std::pair<Integer, Integer>{-1, 0}, {-1, 256}, {-2, 20}}) {
    EXPECT_EQ(SendMessage(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(index), height), CB_ERR) << index << " " << height;
    EXPECT_EQ(Combo->GetHeight(), 36);
  }
  // Index 0 is the list items' height.
  EXPECT_EQ(SendMessage(h, CB_SETITEMHEIGHT, 0, 24), 0);
  EXPECT_EQ(Combo->GetItemHeight(), 24);
  EXPECT_EQ(Combo->GetHeight(), 36);
}
