// The grid's balloon tooltip window: made when balloons are switched on with a window, or with the
// window when they are on; one callback tool over the grid; delays and transparency from the
// settings; gone when switched off, with the grid's window and with the grid.
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/RichEdit.h"
#include "platform/win/ToolTips.h"
#include "platform/win/WinUser.h"

namespace {

// Records the tooltip's requests for text.
class TBalloonProbe : public TNeoStringGrid {
public:
  explicit TBalloonProbe(TComponent* AOwner) : TNeoStringGrid(AOwner) {}
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(Message.LParam)->code == TTN_NEEDTEXTW)
      Asked.push_back(reinterpret_cast<NMHDR*>(Message.LParam)->idFrom);
    TNeoStringGrid::WndProc(Message);
  }
  std::vector<UINT_PTR> Asked;
};

class NeoStringGridBalloon : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 300);
    G = Add<TBalloonProbe>(Form, 0, 0, 400, 260);
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TBalloonProbe* G = nullptr;
};

TEST_F(NeoStringGridBalloon, SwitchingOnMakesOneTopmostCallbackToolWithTheSettingsDelaysAndAlpha) {
  EXPECT_EQ(G->GetHToolTip(), nullptr);
  G->GetBalloon()->SetInitialDelay(250);
  G->GetBalloon()->SetAutoHideDelay(4000);
  G->GetBalloon()->SetTransparency(55);
  G->GetBalloon()->SetEnable(true);
  HWND tip = G->GetHToolTip();
  ASSERT_NE(tip, nullptr);
  Char cls[64] = {};
  GetClassName(tip, cls, 64);
  EXPECT_EQ(String(cls), u"Tooltips_Class32");
  EXPECT_EQ(GetWindowLong(tip, GWL_STYLE) & 0x43, 0x43);
  EXPECT_TRUE(GetWindowLong(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), Form->GetHandle());   // owned through the grid's top-level window
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 250);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 4000);
  EXPECT_EQ(SendMessage(tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), static_cast<LRESULT>(GetDoubleClickTime() / 5));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(tip, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

  // Resting the pointer over the grid asks the grid for the text, with the grid's window as the tool.
  POINT p{50, 50};
  ClientToScreen(G->GetHandle(), &p);
  Headless::MouseMove(p.x, p.y);
  Pump();
  Headless::AdvanceClock(250);
  Pump();
  EXPECT_EQ(G->Asked, std::vector<UINT_PTR>{reinterpret_cast<UINT_PTR>(G->GetHandle())});
}

TEST_F(NeoStringGridBalloon, OffDestroysOnMakesANewWindowAndTheGridsWindowTakesItAlong) {
  G->GetBalloon()->SetEnable(true);
  HWND first = G->GetHToolTip();
  G->GetBalloon()->SetEnable(false);
  EXPECT_EQ(G->GetHToolTip(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  G->GetBalloon()->SetEnable(true);
  HWND second = G->GetHToolTip();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(IsWindow(second));
  // The grid's window goes and comes back: the balloon window with it.
  G->SetParent(nullptr);
  EXPECT_FALSE(IsWindow(second));
  EXPECT_EQ(G->GetHToolTip(), nullptr);
  G->SetParent(Form);
  Pump();
  G->HandleNeeded();
  ASSERT_NE(G->GetHToolTip(), nullptr);
  EXPECT_EQ(SendMessage(G->GetHToolTip(), TTM_GETTOOLCOUNT, 0, 0), 1);
  HWND third = G->GetHToolTip();
  delete G;
  EXPECT_FALSE(IsWindow(third));
}

TEST_F(NeoStringGridBalloon, OnBeforeTheWindowWaitsForItAndAssignCopiesTheSettings) {
  auto* grid = new TNeoStringGrid(Form);
  grid->GetBalloon()->SetEnable(true);
  EXPECT_EQ(grid->GetHToolTip(), nullptr);
  grid->SetParent(Form);
  grid->HandleNeeded();
  EXPECT_NE(grid->GetHToolTip(), nullptr);

  TBalloonSettings source;
  source.SetBackgroundColor(clYellow);
  source.SetTextColor(clNavy);
  source.SetReshowDelay(10);
  source.SetInitialDelay(20);
  source.SetAutoHideDelay(30);
  source.SetTransparency(40);
  source.SetShowCell(false);
  int fired = 0;
  TBalloonSettings target;
  target.OnEnableChange = [&](TObject*) { ++fired; };
  source.SetEnable(true);
  target.Assign(&source);
  EXPECT_EQ(target.GetBackgroundColor(), clYellow);
  EXPECT_EQ(target.GetTextColor(), clNavy);
  EXPECT_EQ(target.GetReshowDelay(), 10);
  EXPECT_EQ(target.GetInitialDelay(), 20);
  EXPECT_EQ(target.GetAutoHideDelay(), 30);
  EXPECT_EQ(target.GetTransparency(), 40);
  EXPECT_FALSE(target.GetShowCell());
  EXPECT_TRUE(target.GetEnable());
  EXPECT_EQ(fired, 1);
  TFont other;
  target.Assign(&other);   // another kind of source: ignored
  EXPECT_EQ(target.GetInitialDelay(), 20);
}

}  // namespace
