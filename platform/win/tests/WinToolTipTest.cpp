// The tooltip control: a watched tool window keeps getting its own messages, the tip shows after
// the initial delay with the text its owner gives, topmost and without taking activation, pops
// after the auto-pop delay, on a press, on TTM_POP and when the pointer leaves; a balloon has a
// stem at the pointer and paints its colours and title.
#include "WinTestSupport.h"

#include "platform/win/RichEdit.h"
#include "platform/win/ToolTips.h"
#include "platform/win/WinGdi.h"

#include <string>

namespace {

class WinToolTip : public WinTest {
protected:
  HWND Host = nullptr;
  HWND Tip = nullptr;
  String Text = u"Cell text";
  String Title;
  std::vector<UINT> Notes;   // notification codes the host got, in order

  void SetUp() override {
    WinTest::SetUp();
    Host = TopLevel(100, 100, 300, 200);
    Headless::Activate(Host);
    Handlers()[{Host, WM_NOTIFY}] = [this](HWND, UINT, WPARAM, LPARAM l) -> LRESULT {
      auto* hdr = reinterpret_cast<NMHDR*>(l);
      Notes.push_back(hdr->code);
      if (hdr->code == TTN_NEEDTEXTW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
        EXPECT_EQ(hdr->hwndFrom, Tip);
        EXPECT_EQ(hdr->idFrom, reinterpret_cast<UINT_PTR>(Host));
        info->lpszText = const_cast<Char*>(Text.c_str());
        if (!Title.empty()) SendMessage(Tip, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(Title.c_str()));
      }
      return 0;
    };
    Tip = CreateWindowEx(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Host, nullptr, nullptr, nullptr);
    ASSERT_NE(Tip, nullptr);
    TOOLINFOW ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = Host;
    ti.uId = reinterpret_cast<UINT_PTR>(Host);
    GetClientRect(Host, &ti.rect);
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    ASSERT_TRUE(SendMessage(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
    SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 300);
    SendMessage(Tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2000);
  }

  bool Shown() const { return IsWindowVisible(Tip) != FALSE; }
  void Wait(std::uint64_t Ms) {
    Headless::AdvanceClock(Ms);
    Headless::RunUntilIdle();
  }
  void Hover(int X, int Y) {
    Headless::MouseMove(X, Y);
    Headless::RunUntilIdle();
  }
  static COLORREF At(const TSurface& Screen, int x, int y) {
    std::uint32_t p = Screen.Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

TEST_F(WinToolTip, ShowsAfterTheInitialDelayWithTheOwnersTextAndPopsAfterTheAutoPopDelay) {
  Hover(150, 150);
  EXPECT_FALSE(Only({WM_MOUSEMOVE}, Host).empty());   // the watched window still gets its messages
  Wait(299);
  EXPECT_FALSE(Shown());
  Wait(1);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(Notes, (std::vector<UINT>{TTN_NEEDTEXTW, TTN_SHOW}));
  EXPECT_EQ(GetActiveWindow(), Host);
  EXPECT_TRUE(GetWindowLong(Tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r;
  GetWindowRect(Tip, &r);
  EXPECT_EQ(r.top, 150);        // the stem's tip at the pointer
  EXPECT_EQ(r.left, 150 - 16);
  Wait(1999);
  EXPECT_TRUE(Shown());
  Wait(1);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(Notes.back(), TTN_POP);
}

TEST_F(WinToolTip, PressPopAndLeavingHideTheTipAndEmptyTextShowsNone) {
  Hover(150, 150);
  Wait(300);
  ASSERT_TRUE(Shown());
  Headless::ButtonDown(1, 150, 150);
  Headless::RunUntilIdle();
  EXPECT_FALSE(Shown());
  Headless::ButtonUp(1, 150, 150);
  Hover(160, 150);
  Wait(300);
  ASSERT_TRUE(Shown());
  SendMessage(Tip, TTM_POP, 0, 0);
  EXPECT_FALSE(Shown());
  // The pointer leaves before the delay is over: nothing shows.
  Hover(170, 150);
  Headless::MouseMove(600, 600);
  Wait(300);
  EXPECT_FALSE(Shown());
  Text.clear();
  Hover(180, 150);
  Wait(300);
  EXPECT_FALSE(Shown());
}

TEST_F(WinToolTip, DelaysDefaultFromTheDoubleClickTimeAndComeBackWithMinusOne) {
  UINT click = GetDoubleClickTime();
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 300);
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), static_cast<LRESULT>(click / 5));
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(-1));
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), static_cast<LRESULT>(click));
  SendMessage(Tip, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 100);
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 100);
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 20);
  EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 1000);
  EXPECT_EQ(SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, 300), -1);
  EXPECT_EQ(SendMessage(Tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
}

TEST_F(WinToolTip, BalloonPaintsItsColoursInsideItsShapeWithTheTitle) {
  Title = u"ToolTipText";
  SendMessage(Tip, TTM_SETTIPBKCOLOR, RGB(255, 255, 0), 0);
  SendMessage(Tip, TTM_SETTIPTEXTCOLOR, RGB(0, 0, 160), 0);
  SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, 300);
  Text = u"A longer text that the maximum width of three hundred pixels wraps onto a second line of the balloon";
  Hover(150, 150);
  Wait(300);
  ASSERT_TRUE(Shown());
  RECT r;
  GetWindowRect(Tip, &r);
  EXPECT_LE(r.right - r.left, 300 + 2 * 8 + 1);
  EXPECT_GT(r.bottom - r.top, 12 + 3 * 13);   // stem, title and two lines of text
  Headless::SaveWindowPng(Tip, std::string(ZELK_TEST_OUTPUT) + "/tooltip_balloon.png");
  TSurface screen;
  Headless::ScreenPixels(screen);
  // Inside the body: the background colour; the rounded corner and beside the stem: the host.
  EXPECT_EQ(At(screen, r.right - 4, r.bottom - 12), RGB(255, 255, 0));
  EXPECT_NE(At(screen, r.left, r.top + 12), RGB(255, 255, 0));
  EXPECT_NE(At(screen, r.right - 2, r.top + 2), RGB(255, 255, 0));
  // Inside the margins: ink of the title, the text and the title's information icon.
  int inked = 0, icon = 0;
  for (int y = r.top + 12 + 8; y < r.bottom - 8; ++y)
    for (int x = r.left + 8; x < r.right - 8; ++x) {
      COLORREF c = At(screen, x, y);
      inked += c != RGB(255, 255, 0);
      icon += c == RGB(30, 90, 200);
    }
  EXPECT_GT(inked, 500);
  EXPECT_GT(icon, 50);
}

TEST_F(WinToolTip, WatchingEndsWithEitherWindow) {
  const auto own = reinterpret_cast<LONG_PTR>(&WinTest::RecordingProc);
  EXPECT_EQ(SendMessage(Tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_NE(GetWindowLongPtr(Host, GWLP_WNDPROC), own);
  DestroyWindow(Tip);
  EXPECT_EQ(GetWindowLongPtr(Host, GWLP_WNDPROC), own);
  Hover(150, 150);   // the host's own procedure works alone again
  EXPECT_FALSE(Only({WM_MOUSEMOVE}, Host).empty());

  // A tooltip outliving its tool window forgets the tool.
  HWND other = TopLevel(0, 0, 50, 50);
  HWND tip = CreateWindowEx(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  TOOLINFOW ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = other;
  ti.uId = reinterpret_cast<UINT_PTR>(other);
  ti.lpszText = const_cast<Char*>(u"x");
  SendMessage(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  DestroyWindow(other);
  EXPECT_EQ(SendMessage(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
  DestroyWindow(tip);
}

}  // namespace
