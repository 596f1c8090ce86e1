// The list box selected by mouse, keys and wheel; its items as a string list that reaches it.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <vector>

class ListBoxTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 200);
    List = Add<TListBox>(Form, 10, 10, 150, 100);
    for (int i = 0; i < 20; ++i) List->GetItems()->Add(u"Eintrag " + IntToStr(i));
    List->OnClick = [this](TObject*) { Clicks.push_back(List->GetItemIndex()); };
    Form->Show();
    Pump();
  }
  // The client point in the middle of item Index (as shown now).
  TPoint ItemPoint(Integer Index) {
    TRect r = List->ItemRect(Index);
    return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  TForm* Form = nullptr;
  TListBox* List = nullptr;
  std::vector<Integer> Clicks;
};

TEST_F(ListBoxTest, MouseAndKeysSelectAndClick) {
  TPoint p = ItemPoint(2);
  ClickAt(List, p.x, p.y);
  EXPECT_TRUE(List->Focused());
  EXPECT_EQ(List->GetItemIndex(), 2);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_UP);
  Press(VK_END);
  EXPECT_EQ(List->GetItemIndex(), 19);
  EXPECT_GT(List->GetTopIndex(), 0);   // scrolled to show it
  EXPECT_EQ(List->ItemAtPos(ItemPoint(19), true), 19);
  Press(VK_HOME);
  Type(u"E");   // the next item starting with the letter
  EXPECT_EQ(Clicks, (std::vector<Integer>{2, 3, 4, 3, 19, 0, 1}));
  List->SetItemIndex(5);   // by code: no click
  EXPECT_EQ(Clicks.size(), 7u);
}

TEST_F(ListBoxTest, WheelAndScrollBarScroll) {
  TPoint p = ScreenPoint(List, 20, 20);
  Headless::MouseMove(p.x, p.y);
  Headless::Wheel(p.x, p.y, -1);
  Pump();
  EXPECT_EQ(List->GetTopIndex(), 3);
  Headless::Wheel(p.x, p.y, 5);
  Pump();
  EXPECT_EQ(List->GetTopIndex(), 0);
  // The down arrow of the scroll bar at the bottom right.
  TRect c = List->GetClientRect();
  ClickAt(List, c.right - 4, c.bottom - 4);
  EXPECT_EQ(List->GetTopIndex(), 1);
  EXPECT_EQ(List->GetItemIndex(), -1);
}

TEST_F(ListBoxTest, ItemChangesReachTheControl) {
  List->SetItemIndex(5);
  List->GetItems()->Delete(0);
  EXPECT_EQ(List->GetItemIndex(), 4);
  List->GetItems()->Insert(0, u"Neu");
  EXPECT_EQ(List->GetItemIndex(), 5);
  List->GetItems()->Delete(5);
  EXPECT_EQ(List->GetItemIndex(), -1);
  List->SetSorted(true);
  EXPECT_EQ(List->GetItems()->GetStrings(List->GetCount() - 1), u"Neu");
  EXPECT_EQ(List->GetItems()->GetStrings(List->GetItems()->IndexOf(u"eintrag 3")), u"Eintrag 3");   // any case
  List->Clear();
  EXPECT_EQ(List->GetCount(), 0);
  EXPECT_EQ(List->GetItemIndex(), -1);
}

TEST_F(ListBoxTest, MultiSelectWithControlAndShift) {
  List->SetMultiSelect(true);
  auto click = [&](Integer I, UINT Modifier) {
    TPoint p = ScreenPoint(List, ItemPoint(I).x, ItemPoint(I).y);
    if (Modifier) Headless::KeyDown(Modifier);
    Headless::Click(p.x, p.y);
    if (Modifier) Headless::KeyUp(Modifier);
    Headless::AdvanceClock(1000);
    Pump();
  };
  click(1, 0);
  click(3, VK_CONTROL);
  EXPECT_EQ(List->GetSelCount(), 2);
  click(5, VK_SHIFT);
  std::vector<Integer> selected;
  for (Integer i = 0; i < List->GetCount(); ++i)
    if (List->GetSelected(i)) selected.push_back(i);
  EXPECT_EQ(selected, (std::vector<Integer>{3, 4, 5}));
}

TEST_F(ListBoxTest, OwnerDrawnItemsAreDrawnByTheEvent) {
  List->SetStyle(lbOwnerDrawFixed);
  List->SetItemHeight(20);
  List->SetItemIndex(1);
  std::vector<std::pair<Integer, bool>> drawn;
  List->OnDrawItem = [&](TWinControl*, Integer Index, TRect Rect, TOwnerDrawState State) {
    drawn.emplace_back(Index, State.Contains(odSelected));
    EXPECT_EQ(Rect.bottom - Rect.top, 20);
  };
  List->Repaint();
  ASSERT_GE(drawn.size(), 5u);
  EXPECT_EQ(drawn[0], std::make_pair(0, false));
  EXPECT_EQ(drawn[1], std::make_pair(1, true));
  EXPECT_EQ(List->ItemAtPos(TPoint{5, 45}, true), 2);
}
