// The scroll box: ranges from its children, its window scroll bars driven through the message
// queue, the wheel and ScrollInView.
#include "platform/ui/testsupport/UiTestSupport.h"

#include "platform/ui/ScrollBox.h"
#include "platform/win/WinScroll.h"

class ScrollBoxTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 200);
    Box = Add<TScrollBox>(Form, 10, 10, 120, 100);
    Box->SetBorderStyle(bsNone);
    Box->GetVertScrollBar()->SetIncrement(10);
    // 30 rows of 20 pixels: a panel-like edit and a label take turns.
    for (int i = 0; i < 30; ++i) {
      TControl* c = nullptr;
      if (i % 2) {
        c = Add<TEdit>(Box, 0, i * 20, 80, 20);
      } else {
        auto* label = Add<TLabel>(Box, 0, i * 20, 80, 20);
        label->SetAutoSize(false);
        label->SetBounds(0, i * 20, 80, 20);
        c = label;
      }
      c->SetText(u"Zeile " + IntToStr(i));
      Rows.push_back(c);
    }
    Form->Show();
    Pump();
  }
  void Scroll(WORD Code, Integer Pos = 0) {
    SendMessage(Box->GetHandle(), WM_VSCROLL, MAKEWPARAM(Code, static_cast<WORD>(Pos)), 0);
  }
  TForm* Form = nullptr;
  TScrollBox* Box = nullptr;
  std::vector<TControl*> Rows;
};

TEST_F(ScrollBoxTest, RangeFollowsTheChildrenAndTheBarsScrollThem) {
  TControlScrollBar* v = Box->GetVertScrollBar();
  EXPECT_EQ(v->GetRange(), 600);
  EXPECT_TRUE(v->IsScrollBarVisible());
  EXPECT_FALSE(Box->GetHorzScrollBar()->IsScrollBarVisible());
  Integer client = Box->GetClientHeight();
  EXPECT_EQ(client, 100);
  EXPECT_EQ(v->GetMaxPosition(), 600 - client);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Box->GetHandle(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 599);
  EXPECT_EQ(si.nPage, static_cast<UINT>(client));

  // Without tracking the children wait for the thumb to be let go.
  Scroll(SB_THUMBTRACK, 250);
  EXPECT_EQ(v->GetPosition(), 0);
  EXPECT_EQ(Rows[0]->GetTop(), 0);
  Scroll(SB_THUMBPOSITION, 250);
  EXPECT_EQ(v->GetPosition(), 250);
  EXPECT_EQ(Rows[0]->GetTop(), -250);
  EXPECT_EQ(Rows[29]->GetTop(), 580 - 250);
  Scroll(SB_TOP);
  v->SetTracking(true);
  Scroll(SB_THUMBTRACK, 250);
  EXPECT_EQ(v->GetPosition(), 250);
  EXPECT_EQ(Rows[13]->GetTop(), 260 - 250);
  EXPECT_EQ(GetScrollPos(Box->GetHandle(), SB_VERT), 250);

  struct TStep { WORD Code; Integer Position; };
  const TStep steps[] = {{SB_LINEDOWN, 260}, {SB_LINEUP, 250}, {SB_PAGEDOWN, 350}, {SB_PAGEUP, 250},
                         {SB_BOTTOM, 500},   {SB_LINEDOWN, 500}, {SB_TOP, 0},        {SB_LINEUP, 0}};
  for (const TStep& s : steps) {
    Scroll(s.Code);
    EXPECT_EQ(v->GetPosition(), s.Position) << s.Code;
    EXPECT_EQ(Rows[0]->GetTop(), -s.Position) << s.Code;
  }
  // The window of a child moved with it.
  RECT r;
  GetWindowRect(static_cast<TWinControl*>(Rows[1])->GetHandle(), &r);
  EXPECT_EQ(Box->ScreenToClient(TPoint{r.left, r.top}).y, 20);
}

TEST_F(ScrollBoxTest, WheelAndScrollInView) {
  TControlScrollBar* v = Box->GetVertScrollBar();
  TPoint p = Box->ClientToScreen(TPoint{100, 50});
  Headless::Wheel(p.x, p.y, -1);   // one notch towards the user: down by three increments
  Pump();
  EXPECT_EQ(v->GetPosition(), 30);
  Headless::Wheel(p.x, p.y, 2);
  Pump();
  EXPECT_EQ(v->GetPosition(), 0);

  // The labels' client areas are their bounds (an edit's lies inside its border).
  Box->ScrollInView(Rows[28]);
  EXPECT_EQ(v->GetPosition(), 480);
  EXPECT_EQ(Rows[28]->GetTop() + 20, Box->GetClientHeight());
  Box->ScrollInView(Rows[29]);     // the last child, an edit: its client area ends at the box's bottom
  TPoint editBottom = Box->ScreenToClient(Rows[29]->ClientToScreen(TPoint{0, Rows[29]->GetClientHeight()}));
  EXPECT_EQ(editBottom.y, Box->GetClientHeight());
  EXPECT_GT(v->GetPosition(), 480);
  EXPECT_LE(v->GetPosition(), v->GetMaxPosition());
  v->SetMargin(5);
  Box->ScrollInView(Rows[4]);
  EXPECT_EQ(Rows[4]->GetTop(), 5);
  EXPECT_EQ(v->GetRange(), 605);   // the margin also lies after the last child
  Box->ScrollInView(nullptr);      // nothing to do
  Box->ScrollInView(Form);         // not a child: nothing to do
  EXPECT_EQ(Rows[4]->GetTop(), 5);
}

TEST_F(ScrollBoxTest, SetRangeAndAutoScroll) {
  TControlScrollBar* v = Box->GetVertScrollBar();
  v->SetRange(300);
  EXPECT_FALSE(Box->GetAutoScroll());
  Rows[29]->SetTop(900);           // a fixed range ignores the children
  EXPECT_EQ(v->GetRange(), 300);
  v->SetPosition(1000);            // clamped
  EXPECT_EQ(v->GetPosition(), 200);
  v->SetRange(-5);
  EXPECT_EQ(v->GetRange(), 0);
  EXPECT_EQ(v->GetPosition(), 0);
  EXPECT_FALSE(v->IsScrollBarVisible());
  Box->SetAutoScroll(true);
  EXPECT_EQ(v->GetRange(), 920);
  v->SetVisible(false);
  EXPECT_FALSE(v->IsScrollBarVisible());
  v->SetPosition(100);
  EXPECT_EQ(v->GetPosition(), 0);
  // A child too wide brings the horizontal bar, which narrows the client height.
  v->SetVisible(true);
  Rows[0]->SetWidth(400);
  EXPECT_TRUE(Box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_LT(Box->GetClientHeight(), 100);
  EXPECT_EQ(v->GetMaxPosition(), 920 - Box->GetClientHeight());
}

TEST_F(ScrollBoxTest, Picture) {
  Box->SetBorderStyle(bsSingle);
  Box->GetVertScrollBar()->SetPosition(45);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/scrollbox.png", "scrollbox.png");
}
