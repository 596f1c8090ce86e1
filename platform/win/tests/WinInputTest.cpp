// Input: focus, activation and capture sequences, key messages with their scan codes and flags,
// character translation, key state, mouse clicks, double clicks on the virtual clock, the wheel,
// mouse leave and hit testing.
#include "WinTestSupport.h"

using ::testing::ElementsAre;

namespace {
constexpr std::uint32_t XK_period = 0x2E, XK_KP_Decimal = 0xFFAE, XK_KP_Delete = 0xFF9F, XK_Control_R = 0xFFE4,
                        XK_Return = 0xFF0D, XK_KP_Enter = 0xFF8D, XK_adiaeresis = 0xE4, XK_KP_7 = 0xFFB7;

std::vector<UINT> Msgs(const std::vector<TLogged>& v) {
  std::vector<UINT> r;
  for (auto& e : v) r.push_back(e.Msg);
  return r;
}
UINT ScanOf(LPARAM l) { return (static_cast<std::uint32_t>(l) >> 16) & 0xFF; }
bool Bit(LPARAM l, int b) { return (static_cast<std::uint32_t>(l) >> b) & 1; }
}  // namespace

TEST_F(WinTest, FocusMovesWithBothWindowsNamedWhateverKillFocusReturns) {
  HWND w = TopLevel(0, 0, 300, 300);
  HWND a = Child(w, 0, 0, 50, 50);
  HWND b = Child(w, 60, 0, 50, 50);
  Headless::RunUntilIdle();
  SetFocus(a);
  Handlers()[{a, WM_KILLFOCUS}] = [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{1}; };
  Log().clear();
  EXPECT_EQ(SetFocus(b), a);
  auto seq = Only({WM_KILLFOCUS, WM_SETFOCUS});
  ASSERT_EQ(seq.size(), 2u);
  EXPECT_EQ(seq[0].Hwnd, a);
  EXPECT_EQ(seq[0].Msg, WM_KILLFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(seq[0].WParam), b);
  EXPECT_EQ(seq[1].Hwnd, b);
  EXPECT_EQ(seq[1].Msg, WM_SETFOCUS);
  EXPECT_EQ(reinterpret_cast<HWND>(seq[1].WParam), a);
  EXPECT_EQ(GetFocus(), b);

  // A hidden or destroyed focus window passes the focus on.
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetFocus(), w);
  SetFocus(a);
  DestroyWindow(a);
  EXPECT_EQ(GetFocus(), w);
  DestroyWindow(w);
}

TEST_F(WinTest, ActivationNamesTheOtherWindowAndClicksActivateUnlessRefused) {
  HWND one = TopLevel(0, 0, 100, 100);
  HWND two = TopLevel(200, 0, 100, 100);
  EXPECT_EQ(GetActiveWindow(), two);
  Log().clear();
  SetActiveWindow(one);
  auto act = Only({WM_ACTIVATE, WM_NCACTIVATE});
  ASSERT_EQ(act.size(), 4u);
  EXPECT_EQ(act[0].Hwnd, two);   // WM_NCACTIVATE FALSE
  EXPECT_EQ(act[1].Hwnd, two);
  EXPECT_EQ(LOWORD(act[1].WParam), WA_INACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(act[1].LParam), one);
  EXPECT_EQ(act[3].Hwnd, one);
  EXPECT_EQ(LOWORD(act[3].WParam), WA_ACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(act[3].LParam), two);
  EXPECT_EQ(GetFocus(), one);   // DefWindowProc focuses the window it activates

  // A click into the inactive window: WM_MOUSEACTIVATE, activation by click, then the button.
  Log().clear();
  Headless::Click(250, 50);
  Headless::RunUntilIdle();
  EXPECT_EQ(GetActiveWindow(), two);
  auto click = Only({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}, two);
  ASSERT_EQ(click.size(), 3u);
  EXPECT_EQ(click[0].Msg, WM_MOUSEACTIVATE);
  EXPECT_EQ(reinterpret_cast<HWND>(click[0].WParam), two);
  EXPECT_EQ(LOWORD(click[0].LParam), HTCLIENT);
  EXPECT_EQ(HIWORD(click[0].LParam), WM_LBUTTONDOWN);
  EXPECT_EQ(LOWORD(click[1].WParam), WA_CLICKACTIVE);
  EXPECT_EQ(click[2].Msg, WM_LBUTTONDOWN);

  // A popup answering MA_NOACTIVATE gets its click and leaves activation alone.
  HWND popup = TopLevel(500, 0, 100, 100, WS_POPUP, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  ShowWindow(popup, SW_SHOWNA);
  Handlers()[{popup, WM_MOUSEACTIVATE}] = [](HWND, UINT, WPARAM, LPARAM) { return MA_NOACTIVATE; };
  Log().clear();
  Headless::Click(550, 50);
  Headless::RunUntilIdle();
  EXPECT_EQ(GetActiveWindow(), two);
  EXPECT_EQ(Count(WM_LBUTTONDOWN, popup), 1);
  EXPECT_EQ(Count(WM_ACTIVATE), 0);

  // The window manager gives activation to another program: no window takes over.
  Log().clear();
  Headless::DeactivateApp();
  EXPECT_EQ(GetActiveWindow(), nullptr);
  auto off = Only({WM_ACTIVATE}, two);
  ASSERT_EQ(off.size(), 1u);
  EXPECT_EQ(off[0].LParam, 0);
  DestroyWindow(popup);
  DestroyWindow(one);
  DestroyWindow(two);
}

TEST_F(WinTest, CaptureGetsTheMouseOutsideWithSignedCoordinatesAndHearsOfLosingIt) {
  HWND w = TopLevel(100, 100, 200, 200);
  HWND a = Child(w, 10, 10, 50, 50);
  HWND b = Child(w, 100, 10, 50, 50);
  Headless::RunUntilIdle();
  SetCapture(a);
  Log().clear();
  Headless::MouseMove(50, 60);   // left of and above the window
  Headless::RunUntilIdle();
  auto moves = Only({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].Hwnd, a);
  EXPECT_EQ(GET_X_LPARAM(moves[0].LParam), 50 - 110);
  EXPECT_EQ(GET_Y_LPARAM(moves[0].LParam), 60 - 110);

  Log().clear();
  EXPECT_EQ(SetCapture(b), a);
  auto changed = Only({WM_CAPTURECHANGED});
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0].Hwnd, a);
  EXPECT_EQ(reinterpret_cast<HWND>(changed[0].LParam), b);
  Log().clear();
  EnableWindow(b, FALSE);   // WM_CANCELMODE ends the capture
  EXPECT_EQ(Count(WM_CANCELMODE, b), 1);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Only({WM_CAPTURECHANGED}).at(0).LParam, 0);
  DestroyWindow(w);
}

TEST_F(WinTest, KeyMessagesCarryScanCodesAndFlagsAsThePlatformLaysThemOut) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  SetFocus(w);
  struct TCase {
    bool ViaKeysym;
    std::uint32_t Key;
    UINT Vk;
    UINT Scan;
    bool Extended;
  } cases[] = {
      {false, VK_DECIMAL, VK_DECIMAL, 0x53, false},   {false, VK_DELETE, VK_DELETE, 0x53, true},
      {false, VK_OEM_PERIOD, VK_OEM_PERIOD, 0x34, false}, {true, XK_KP_Decimal, VK_DECIMAL, 0x53, false},
      {true, XK_period, VK_OEM_PERIOD, 0x34, false},  {true, XK_KP_Delete, VK_DELETE, 0x53, false},
      {true, XK_Control_R, VK_CONTROL, 0x1D, true},   {false, VK_RCONTROL, VK_CONTROL, 0x1D, true},
      {true, XK_Return, VK_RETURN, 0x1C, false},      {true, XK_KP_Enter, VK_RETURN, 0x1C, true},
      {true, XK_KP_7, VK_NUMPAD7, 0x47, false},       {false, VK_RIGHT, VK_RIGHT, 0x4D, true},
      {false, 'A', 'A', 0x1E, false},
  };
  for (const TCase& c : cases) {
    Log().clear();
    if (c.ViaKeysym) Headless::KeysymPress(c.Key); else Headless::KeyPress(c.Key);
    Headless::RunUntilIdle();
    auto keys = Only({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 2u) << std::hex << c.Key;
    EXPECT_EQ(keys[0].WParam, c.Vk) << std::hex << c.Key;
    EXPECT_EQ(ScanOf(keys[0].LParam), c.Scan) << std::hex << c.Key;
    EXPECT_EQ(Bit(keys[0].LParam, 24), c.Extended) << std::hex << c.Key;
    EXPECT_EQ(keys[0].LParam & 0xFFFF, 1);    // repeat count
    EXPECT_FALSE(Bit(keys[0].LParam, 30));    // was up
    EXPECT_FALSE(Bit(keys[0].LParam, 31));    // going down
    EXPECT_TRUE(Bit(keys[1].LParam, 30));
    EXPECT_TRUE(Bit(keys[1].LParam, 31));
    EXPECT_EQ(ScanOf(keys[1].LParam), c.Scan);
  }
  // An auto-repeated key reports that it was down already.
  Log().clear();
  Headless::KeyDown('B');
  Headless::KeyDown('B');
  Headless::KeyUp('B');
  Headless::RunUntilIdle();
  auto rep = Only({WM_KEYDOWN});
  ASSERT_EQ(rep.size(), 2u);
  EXPECT_FALSE(Bit(rep[0].LParam, 30));
  EXPECT_TRUE(Bit(rep[1].LParam, 30));
  DestroyWindow(w);
}

TEST_F(WinTest, TranslateMessageMakesOneCharPerUtf16UnitAndAltMakesSystemKeys) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  SetFocus(w);
  Log().clear();
  Headless::TypeText(u"aB.,ä€😀\r");
  Headless::KeysymPress(XK_KP_Decimal);
  Headless::KeysymPress(XK_adiaeresis);
  Headless::RunUntilIdle();
  String typed;
  for (const TLogged& e : Only({WM_CHAR})) typed += static_cast<Char>(e.WParam);
  EXPECT_EQ(typed, u"aB.,ä€😀\r.ä");
  // Each WM_CHAR repeats its key's lParam; the umlaut sits on the key of the German layout.
  auto umlaut = Only({WM_KEYDOWN});
  EXPECT_EQ(umlaut.back().WParam, VK_OEM_7);
  EXPECT_EQ(ScanOf(umlaut.back().LParam), 0x28u);

  Log().clear();
  Headless::KeyDown(VK_CONTROL);
  Headless::KeyPress('C');
  Headless::KeyUp(VK_CONTROL);
  Headless::KeyDown(VK_MENU);
  Headless::KeyPress('F');
  Headless::KeyUp(VK_MENU);
  Headless::RunUntilIdle();
  auto msgs = Only({WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_SYSKEYDOWN, WM_SYSKEYUP, WM_SYSCHAR});
  EXPECT_THAT(Msgs(msgs), ElementsAre(WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYDOWN,
                                      WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP));
  EXPECT_EQ(msgs[2].WParam, 3u);     // Ctrl+C
  EXPECT_EQ(msgs[7].WParam, u'f');   // Alt+F
  EXPECT_TRUE(Bit(msgs[6].LParam, 29));   // Alt held: context code
  EXPECT_FALSE(Bit(msgs[1].LParam, 29));
  DestroyWindow(w);
}

TEST_F(WinTest, KeyStateFollowsRetrievedMessagesAsyncStateTheDevice) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  SetFocus(w);
  Headless::KeyDown(VK_SHIFT);
  EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);   // not retrieved yet
  SHORT seen = 0;
  Handlers()[{w, WM_KEYDOWN}] = [&](HWND, UINT, WPARAM, LPARAM) {
    seen = GetKeyState(VK_SHIFT);
    return LRESULT{0};
  };
  Headless::RunUntilIdle();
  EXPECT_LT(seen, 0);
  EXPECT_LT(GetKeyState(VK_LSHIFT), 0);
  EXPECT_GE(GetKeyState(VK_RSHIFT), 0);
  Headless::KeyUp(VK_SHIFT);
  Headless::RunUntilIdle();
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  // Toggle keys flip their low bit on each press.
  Headless::KeyPress(VK_CAPITAL);
  Headless::RunUntilIdle();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
  Log().clear();
  Headless::KeyPress('Q');
  Headless::RunUntilIdle();
  EXPECT_EQ(Only({WM_CHAR}).at(0).WParam, u'Q');
  Headless::KeyPress(VK_CAPITAL);
  Headless::RunUntilIdle();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
  DestroyWindow(w);
}

// The grid reads the left Alt key on its own (the right one is AltGr on many layouts).
TEST_F(WinTest, KeyStateTellsTheLeftAltKeyFromTheRightOne) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  SetFocus(w);
  struct TCase {
    bool ViaKeysym;
    std::uint32_t Key;
    bool Left;
  } cases[] = {{false, VK_MENU, true}, {false, VK_LMENU, true}, {false, VK_RMENU, false},
               {true, 0xFFE9 /* Alt_L */, true}, {true, 0xFFEA /* Alt_R */, false}};
  for (const TCase& c : cases) {
    if (c.ViaKeysym) Headless::KeysymDown(c.Key); else Headless::KeyDown(c.Key);
    Headless::RunUntilIdle();
    EXPECT_LT(GetKeyState(VK_MENU), 0) << std::hex << c.Key;
    EXPECT_EQ(GetKeyState(VK_LMENU) < 0, c.Left) << std::hex << c.Key;
    EXPECT_EQ(GetKeyState(VK_RMENU) < 0, !c.Left) << std::hex << c.Key;
    if (c.ViaKeysym) Headless::KeysymUp(c.Key); else Headless::KeyUp(c.Key);
    Headless::RunUntilIdle();
    EXPECT_GE(GetKeyState(VK_LMENU), 0) << std::hex << c.Key;
    EXPECT_GE(GetKeyState(VK_RMENU), 0) << std::hex << c.Key;
  }
  DestroyWindow(w);
}

TEST_F(WinTest, DoubleClicksNeedTheClassStyleTheTimeAndTheDistance) {
  HWND dbl = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, 0, u"RecorderDbl");
  HWND plain = TopLevel(200, 0, 100, 100);
  Headless::RunUntilIdle();
  auto clicks = [&](HWND h) { return Msgs(Only({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}, h)); };
  Log().clear();
  Headless::Click(10, 10);
  Headless::AdvanceClock(GetDoubleClickTime());
  Headless::Click(11, 12);
  Headless::AdvanceClock(100);
  Headless::Click(11, 12);   // a third press starts over
  Headless::RunUntilIdle();
  EXPECT_THAT(clicks(dbl), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN));

  Log().clear();
  Headless::AdvanceClock(1000);
  Headless::Click(10, 10);
  Headless::AdvanceClock(GetDoubleClickTime() + 1);
  Headless::Click(10, 10);   // too late
  Headless::AdvanceClock(1000);
  Headless::Click(10, 10);
  Headless::Click(10 + GetSystemMetrics(SM_CXDOUBLECLK), 10);   // too far
  Headless::RunUntilIdle();
  EXPECT_THAT(clicks(dbl), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN, WM_LBUTTONDOWN));

  Log().clear();
  Headless::AdvanceClock(1000);
  Headless::Click(210, 10);
  Headless::Click(210, 10);
  Headless::RunUntilIdle();
  EXPECT_THAT(clicks(plain), ElementsAre(WM_LBUTTONDOWN, WM_LBUTTONDOWN));
  DestroyWindow(dbl);
  DestroyWindow(plain);
}

TEST_F(WinTest, MouseMessagesCarryKeysClientPointsWheelDeltasAndLeave) {
  HWND w = TopLevel(100, 100, 200, 200);
  HWND c = Child(w, 20, 30, 50, 50);
  Headless::RunUntilIdle();
  SetFocus(c);
  Log().clear();
  Headless::KeyDown(VK_SHIFT);
  Headless::ButtonDown(1, 125, 135);
  Headless::MouseMove(130, 140);
  Headless::ButtonUp(1, 130, 140);
  Headless::KeyUp(VK_SHIFT);
  Headless::RunUntilIdle();
  auto m = Only({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}, c);
  ASSERT_GE(m.size(), 3u);
  auto down = Only({WM_LBUTTONDOWN}, c).at(0);
  EXPECT_EQ(down.WParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(down.LParam, MAKELPARAM(5, 5));
  auto move = Only({WM_MOUSEMOVE}, c).back();
  EXPECT_EQ(move.WParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(move.LParam, MAKELPARAM(10, 10));
  auto up = Only({WM_LBUTTONUP}, c).at(0);
  EXPECT_EQ(up.WParam, MK_SHIFT);

  Log().clear();
  Headless::Wheel(140, 150, -2);
  Headless::ButtonDown(4, 140, 150);
  Headless::ButtonDown(7, 140, 150);
  Headless::RunUntilIdle();
  auto wheel = Only({WM_MOUSEWHEEL, WM_MOUSEHWHEEL}, c);
  ASSERT_EQ(wheel.size(), 3u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].WParam), -240);
  EXPECT_EQ(wheel[0].LParam, MAKELPARAM(140, 150));   // screen coordinates
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[1].WParam), 120);
  EXPECT_EQ(wheel[2].Msg, WM_MOUSEHWHEEL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[2].WParam), 120);
  // Unhandled, the wheel goes up to the parent.
  EXPECT_EQ(Count(WM_MOUSEWHEEL, w), 2);

  TRACKMOUSEEVENT t;
  t.dwFlags = TME_LEAVE;
  t.hwndTrack = c;
  EXPECT_TRUE(TrackMouseEvent(&t));
  Log().clear();
  Headless::MouseMove(141, 151);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_MOUSELEAVE), 0);
  Headless::MouseMove(250, 250);   // into the parent
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_MOUSELEAVE, c), 1);
  Headless::MouseMove(140, 150);
  Headless::MouseMove(20, 20);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_MOUSELEAVE, c), 1);   // tracking ended with the first leave
  DestroyWindow(w);
}

TEST_F(WinTest, HitTestingFindsFrameCornersAndPassesTransparentChildren) {
  HWND w = TopLevel(0, 0, 300, 200, WS_POPUP | WS_VISIBLE | WS_THICKFRAME);
  auto hit = [&](int x, int y) { return SendMessage(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
  EXPECT_EQ(hit(299, 199), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(0, 0), HTTOPLEFT);
  EXPECT_EQ(hit(150, 199), HTBOTTOM);
  EXPECT_EQ(hit(150, 100), HTCLIENT);
  EXPECT_EQ(hit(400, 100), HTNOWHERE);
  HWND cover = Child(w, 10, 10, 100, 100);
  Handlers()[{cover, WM_NCHITTEST}] = [](HWND, UINT, WPARAM, LPARAM) { return HTTRANSPARENT; };
  Log().clear();
  EXPECT_EQ(WindowFromPoint(POINT{50, 50}), w);
  Headless::Click(50, 50);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_LBUTTONDOWN, cover), 0);
  EXPECT_EQ(Count(WM_LBUTTONDOWN, w), 1);
  // Disabled children do not take the mouse either.
  HWND off = Child(w, 150, 10, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  EXPECT_EQ(WindowFromPoint(POINT{160, 20}), w);
  EXPECT_EQ(ChildWindowFromPoint(w, POINT{160 - 4, 20 - 4}), off);
  DestroyWindow(w);
}

TEST_F(WinTest, SetCursorFollowsTheClassCursorThroughDefWindowProc) {
  WNDCLASSEX wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
  wc.lpszClassName = u"IBeamClass";
  RegisterClassEx(&wc);
  HWND w = CreateWindowEx(0, u"IBeamClass", u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(LoadCursor(nullptr, IDC_IBEAM), LoadCursor(nullptr, IDC_ARROW));
  Headless::MouseMove(50, 50);
  Headless::RunUntilIdle();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_IBEAM));
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p, (POINT{50, 50}));
  DestroyWindow(w);
}
