// Messages: order of sent and posted messages, hooks, timers on the virtual clock, destroyed
// handles, registered ids, cross-thread sends, window life cycle, z-order and geometry.
#include "WinTestSupport.h"

#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"

#include <atomic>
#include <chrono>
#include <thread>

using ::testing::ElementsAre;

TEST_F(WinTest, PostedRunAfterTheCurrentHandlerInPostingOrderSentAtOnce) {
  HWND w = TopLevel(0, 0, 100, 100);
  Handlers()[{w, WM_USER}] = [](HWND h, UINT, WPARAM, LPARAM) {
    PostMessage(h, WM_USER + 1, 1, 0);
    PostMessage(h, WM_USER + 1, 2, 0);
    SendMessage(h, WM_USER + 2, 0, 0);
    PostMessage(h, WM_USER + 1, 3, 0);
    return LRESULT{7};
  };
  Headless::RunUntilIdle();
  Log().clear();
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 7);
  EXPECT_THAT(Numbers(Only({WM_USER, WM_USER + 1, WM_USER + 2})), ElementsAre(WM_USER, WM_USER + 2));
  Headless::RunUntilIdle();
  auto posted = Only({WM_USER + 1});
  ASSERT_EQ(posted.size(), 3u);
  EXPECT_EQ(posted[0].WParam, 1u);
  EXPECT_EQ(posted[1].WParam, 2u);
  EXPECT_EQ(posted[2].WParam, 3u);
  DestroyWindow(w);
}

namespace {
std::vector<std::pair<int, UINT>> gHookLog;
HHOOK gHook1 = nullptr, gHook2 = nullptr;
LRESULT Hook1(int code, WPARAM w, LPARAM l) {
  gHookLog.push_back({1, reinterpret_cast<CWPSTRUCT*>(l)->message});
  return CallNextHookEx(gHook1, code, w, l);
}
LRESULT Hook2(int code, WPARAM w, LPARAM l) {
  gHookLog.push_back({2, reinterpret_cast<CWPSTRUCT*>(l)->message});
  return CallNextHookEx(gHook2, code, w, l);
}
}  // namespace

TEST_F(WinTest, CallWndProcHooksSeeSentMessagesBeforeTheWindowNewestFirst) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  gHookLog.clear();
  gHook1 = SetWindowsHookEx(WH_CALLWNDPROC, Hook1, nullptr, GetCurrentThreadId());
  gHook2 = SetWindowsHookEx(WH_CALLWNDPROC, Hook2, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(gHook1 && gHook2);
  Handlers()[{w, WM_USER}] = [](HWND, UINT, WPARAM, LPARAM) {
    gHookLog.push_back({0, WM_USER});
    return LRESULT{0};
  };
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_THAT(gHookLog, ElementsAre(std::make_pair(2, WM_USER), std::make_pair(1, WM_USER), std::make_pair(0, WM_USER)));

  // Messages the system sends, such as a move, pass the hooks too; posted ones do not.
  gHookLog.clear();
  SetWindowPos(w, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_NE(std::find(gHookLog.begin(), gHookLog.end(), std::make_pair(2, WM_WINDOWPOSCHANGING)), gHookLog.end());
  gHookLog.clear();
  PostMessage(w, WM_USER, 0, 0);
  Headless::RunUntilIdle();
  EXPECT_THAT(gHookLog, ElementsAre(std::make_pair(0, WM_USER)));

  EXPECT_TRUE(UnhookWindowsHookEx(gHook2));
  EXPECT_FALSE(UnhookWindowsHookEx(gHook2));
  gHookLog.clear();
  SendMessage(w, WM_USER, 0, 0);
  EXPECT_THAT(gHookLog, ElementsAre(std::make_pair(1, WM_USER), std::make_pair(0, WM_USER)));
  UnhookWindowsHookEx(gHook1);
  DestroyWindow(w);
}

TEST_F(WinTest, TimersRunOnTheVirtualClockWithOneTickPendingAfterALongStep) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  std::uint64_t tick0 = GetTickCount64();
  EXPECT_EQ(SetTimer(w, 5, 100, nullptr), 5u);
  Headless::AdvanceClock(99);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_TIMER), 0);
  Headless::AdvanceClock(1);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_TIMER), 1);
  EXPECT_EQ(Only({WM_TIMER})[0].WParam, 5u);
  EXPECT_EQ(GetTickCount64(), tick0 + 100);

  // A long step leaves one tick, and the next period starts when it is taken.
  Log().clear();
  Headless::AdvanceClock(1000);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_TIMER), 1);
  Headless::AdvanceClock(100);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_TIMER), 2);

  // Timers yield to posted messages.
  Log().clear();
  Headless::AdvanceClock(100);
  PostMessage(w, WM_USER, 0, 0);
  Headless::RunUntilIdle();
  EXPECT_THAT(Numbers(Only({WM_USER, WM_TIMER})), ElementsAre(WM_USER, WM_TIMER));

  EXPECT_TRUE(KillTimer(w, 5));
  EXPECT_FALSE(KillTimer(w, 5));
  Log().clear();
  Headless::AdvanceClock(500);
  Headless::RunUntilIdle();
  EXPECT_EQ(Count(WM_TIMER), 0);
  DestroyWindow(w);
}

namespace {
std::vector<UINT_PTR> gTimerCalls;
void TimerCallback(HWND, UINT msg, UINT_PTR id, DWORD) {
  if (msg == WM_TIMER) gTimerCalls.push_back(id);
}
}  // namespace

TEST_F(WinTest, ThreadTimerWithACallbackAndTheClockDrivingNow) {
  gTimerCalls.clear();
  UINT_PTR id = SetTimer(nullptr, 0, 10, TimerCallback);
  ASSERT_NE(id, 0u);
  TDateTime before = Now();
  Headless::AdvanceClock(86400000 / 2);   // half a day
  Headless::RunUntilIdle();
  EXPECT_THAT(gTimerCalls, ElementsAre(id));
  EXPECT_NEAR(Now() - before, 0.5, 1e-9);
  EXPECT_TRUE(KillTimer(nullptr, id));
}

TEST_F(WinTest, SendAndPostToADestroyedWindowDoNothing) {
  HWND w = TopLevel(0, 0, 100, 100);
  PostMessage(w, WM_USER, 0, 0);
  DestroyWindow(w);
  Log().clear();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 0);
  Headless::RunUntilIdle();
  EXPECT_TRUE(Log().empty());   // the message posted before is dropped too
  EXPECT_FALSE(DestroyWindow(w));
}

TEST_F(WinTest, RegisteredMessageIdsAreStablePerNameFromC000) {
  UINT a = RegisterWindowMessage(u"GridEditDone");
  UINT b = RegisterWindowMessage(u"GridEditShow");
  EXPECT_GE(a, 0xC000u);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_NE(a, b);
  EXPECT_EQ(RegisterWindowMessage(u"GridEditDone"), a);
  EXPECT_EQ(RegisterWindowMessage(u"grideditdone"), a);   // names compare without regard to case
  EXPECT_EQ(RegisterWindowMessage(u""), 0u);
}

TEST_F(WinTest, CrossThreadSendBlocksUntilTheGuiThreadHandlesIt) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  DWORD gui = GetCurrentThreadId();
  std::atomic<DWORD> handledOn{0};
  Handlers()[{w, WM_USER}] = [&](HWND, UINT, WPARAM wp, LPARAM) {
    handledOn = GetCurrentThreadId();
    return static_cast<LRESULT>(wp * 2);
  };
  std::atomic<bool> done{false};
  std::atomic<LRESULT> result{0};
  std::thread worker([&] {
    result = SendMessage(w, WM_USER, 21, 0);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(done);   // nobody has pumped the GUI thread's queue yet
  while (!done) {
    MSG m;
    if (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
    std::this_thread::yield();
  }
  worker.join();
  EXPECT_EQ(result, 42);
  EXPECT_EQ(handledOn, gui);

  // A post from another thread wakes a GUI thread waiting in GetMessage.
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    PostMessage(w, WM_USER + 5, 0, 0);
  });
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER + 5u);
  poster.join();
  DestroyWindow(w);
}

TEST_F(WinTest, QuitComesAfterPostedMessagesAndEndsGetMessage) {
  HWND w = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  PostQuitMessage(3);
  PostMessage(w, WM_USER, 0, 0);
  MSG m;
  ASSERT_TRUE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  DestroyWindow(w);
}

TEST_F(WinTest, PeekMessageFiltersAndKeeps) {
  HWND a = TopLevel(0, 0, 100, 100);
  HWND b = TopLevel(0, 0, 100, 100);
  Headless::RunUntilIdle();
  PostMessage(a, WM_USER + 1, 0, 0);
  PostMessage(b, WM_USER + 2, 0, 0);
  PostMessage(a, WM_USER + 3, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 3u);
  EXPECT_FALSE(PeekMessage(&m, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 1u);
  ASSERT_TRUE(PeekMessage(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 2u);
  PostThreadMessage(GetCurrentThreadId(), WM_APP, 9, 0);
  ASSERT_TRUE(PeekMessage(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_EQ(m.wParam, 9u);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(WinTest, CreationAndDestructionFollowThePlatformsOrder) {
  HWND parent = TopLevel(0, 0, 200, 200);
  EXPECT_THAT(Numbers(Only({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}, parent)),
              ElementsAre(WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE));
  HWND child = Child(parent, 10, 10, 50, 50);
  HWND grandchild = Child(child, 1, 1, 5, 5);
  Log().clear();
  DestroyWindow(parent);
  std::vector<std::pair<HWND, UINT>> seen;
  for (const TLogged& e : Only({WM_DESTROY, WM_NCDESTROY})) seen.push_back({e.Hwnd, e.Msg});
  EXPECT_THAT(seen, ElementsAre(std::make_pair(parent, WM_DESTROY), std::make_pair(child, WM_DESTROY),
                                std::make_pair(grandchild, WM_DESTROY), std::make_pair(grandchild, WM_NCDESTROY),
                                std::make_pair(child, WM_NCDESTROY), std::make_pair(parent, WM_NCDESTROY)));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WinTest, OwnedWindowsAreDestroyedWithTheirOwnerAndCreateCanBeRefused) {
  HWND owner = TopLevel(0, 0, 200, 200);
  HWND owned = CreateWindowEx(0, u"Recorder", u"", WS_POPUP, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), owner);
  EXPECT_EQ(GetParent(owned), owner);
  DestroyWindow(owner);
  EXPECT_FALSE(IsWindow(owned));

  // WM_CREATE answering -1 fails the creation; the window is gone.
  static HWND refused = nullptr;
  WNDCLASSEX wc;
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CREATE) {
      refused = h;
      return -1;
    }
    return DefWindowProc(h, m, w, l);
  };
  wc.lpszClassName = u"Refusing";
  RegisterClassEx(&wc);
  EXPECT_EQ(CreateWindowEx(0, u"Refusing", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_NE(refused, nullptr);
  EXPECT_FALSE(IsWindow(refused));
  EXPECT_EQ(CreateWindowEx(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
}

namespace {
WNDPROC gOldProc = nullptr;
LRESULT Subclass(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_USER) return 100 + CallWindowProc(gOldProc, h, msg, w, l);
  return CallWindowProc(gOldProc, h, msg, w, l);
}
}  // namespace

TEST_F(WinTest, WindowProcedureReplacedAndChainedAndWindowData) {
  HWND w = TopLevel(0, 0, 100, 100);
  Handlers()[{w, WM_USER}] = [](HWND, UINT, WPARAM, LPARAM) { return LRESULT{1}; };
  gOldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
  EXPECT_EQ(gOldProc, &WinTest::RecordingProc);
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 101);
  SetWindowLongPtr(w, GWLP_USERDATA, 1234);
  EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), 1234);
  EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VISIBLE);
  Log().clear();
  SetWindowLong(w, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLong(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, static_cast<LONG>(WS_EX_TOOLWINDOW));
  EXPECT_THAT(Numbers(Only({WM_STYLECHANGING, WM_STYLECHANGED})), ElementsAre(WM_STYLECHANGING, WM_STYLECHANGED));
  EXPECT_TRUE(SetWindowText(w, u"Datenbank öffnen"));
  Char buf[64];
  EXPECT_EQ(GetWindowText(w, buf, 64), 16);
  EXPECT_EQ(String(buf), u"Datenbank öffnen");
  EXPECT_EQ(GetWindowText(w, buf, 6), 5);   // cut to the buffer, terminated
  EXPECT_EQ(String(buf), u"Daten");
  EXPECT_EQ(GetWindowTextLength(w), 16);
  EXPECT_EQ(GetClassName(w, buf, 64), 8);
  EXPECT_EQ(String(buf), u"Recorder");
  DestroyWindow(w);
}

TEST_F(WinTest, SetWindowPosNotifiesMovesSizesAndKeepsTheTopmostBand) {
  HWND a = TopLevel(0, 0, 100, 100);
  Log().clear();
  ASSERT_TRUE(SetWindowPos(a, nullptr, 30, 40, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_THAT(Numbers(Only({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE})),
              ElementsAre(WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE));
  EXPECT_EQ(Only({WM_SIZE})[0].LParam, MAKELPARAM(200, 150));
  EXPECT_EQ(Only({WM_MOVE})[0].LParam, MAKELPARAM(30, 40));
  RECT r;
  GetWindowRect(a, &r);
  EXPECT_EQ(r, (RECT{30, 40, 230, 190}));

  HWND top = TopLevel(0, 0, 10, 10, WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
  HWND b = TopLevel(0, 0, 10, 10);
  // The topmost window stays above newer ordinary ones.
  EXPECT_EQ(GetTopWindow(nullptr), top);
  EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetTopWindow(nullptr), a);
  EXPECT_TRUE(GetWindowLong(a, GWL_EXSTYLE) & WS_EX_TOPMOST);
  SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetTopWindow(nullptr), top);
  EXPECT_EQ(GetWindow(top, GW_HWNDNEXT), a);
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);

  // A handler of WM_WINDOWPOSCHANGING can change the outcome.
  Handlers()[{b, WM_WINDOWPOSCHANGING}] = [](HWND, UINT, WPARAM, LPARAM l) {
    reinterpret_cast<WINDOWPOS*>(l)->cx = 77;
    return LRESULT{0};
  };
  MoveWindow(b, 5, 5, 50, 50, TRUE);
  GetWindowRect(b, &r);
  EXPECT_EQ(r, (RECT{5, 5, 82, 55}));
  DestroyWindow(a);
  DestroyWindow(b);
  DestroyWindow(top);
}

TEST_F(WinTest, ClientAreaExcludesTheFrameAndMapsToTheScreen) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  RECT want{0, 0, 722, 240};
  AdjustWindowRectEx(&want, style, FALSE, WS_EX_TOOLWINDOW);
  HWND w = TopLevel(100, 50, want.right - want.left, want.bottom - want.top, style, WS_EX_TOOLWINDOW);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c, (RECT{0, 0, 722, 240}));
  POINT p{0, 0};
  ClientToScreen(w, &p);
  int frame = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_EQ(p.x, 100 + frame);
  EXPECT_EQ(p.y, 50 + frame + GetSystemMetrics(SM_CYSMCAPTION));
  HWND box = Child(w, 10, 10, 700, 218);
  HWND edit = Child(box, 108, 25, 514, 22, WS_CHILD | WS_VISIBLE | WS_BORDER);
  RECT er;
  GetClientRect(edit, &er);
  EXPECT_EQ(er, (RECT{0, 0, 512, 20}));
  POINT q{1, 2};
  MapWindowPoints(edit, w, &q, 1);
  EXPECT_EQ(q, (POINT{10 + 108 + 1 + 1, 10 + 25 + 1 + 2}));
  POINT s{p.x + 10 + 108 + 5, p.y + 10 + 25 + 5};
  EXPECT_EQ(WindowFromPoint(s), edit);
  POINT inBox{200, 100};
  EXPECT_EQ(ChildWindowFromPoint(box, inBox), box);
  EXPECT_EQ(ChildWindowFromPoint(box, POINT{110, 30}), edit);
  EXPECT_EQ(GetParent(edit), box);
  EXPECT_EQ(GetAncestor(edit, GA_ROOT), w);
  EXPECT_TRUE(IsChild(w, edit));
  std::vector<HWND> found;
  EnumChildWindows(
      w, [](HWND h, LPARAM l) { reinterpret_cast<std::vector<HWND>*>(l)->push_back(h); return TRUE; },
      reinterpret_cast<LPARAM>(&found));
  EXPECT_THAT(found, ElementsAre(box, edit));
  DestroyWindow(w);
}

TEST_F(WinTest, ShowAndEnableNotify) {
  HWND w = TopLevel(0, 0, 100, 100, WS_POPUP);
  HWND c = Child(w, 0, 0, 10, 10);
  EXPECT_FALSE(IsWindowVisible(c));   // the parent is hidden
  Log().clear();
  EXPECT_FALSE(ShowWindow(w, SW_SHOWNA));
  EXPECT_TRUE(IsWindowVisible(c));
  EXPECT_EQ(Only({WM_SHOWWINDOW}, w).at(0).WParam, static_cast<WPARAM>(TRUE));
  EXPECT_TRUE(ShowWindow(w, SW_HIDE));
  EXPECT_EQ(Only({WM_SHOWWINDOW}, w).at(1).WParam, static_cast<WPARAM>(FALSE));
  Log().clear();
  EXPECT_FALSE(EnableWindow(c, FALSE));
  EXPECT_FALSE(IsWindowEnabled(c));
  EXPECT_TRUE(EnableWindow(c, TRUE));
  auto en = Only({WM_ENABLE}, c);
  ASSERT_EQ(en.size(), 2u);
  EXPECT_EQ(en[0].WParam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(en[1].WParam, static_cast<WPARAM>(TRUE));
  DestroyWindow(w);
}

TEST_F(WinTest, AThreadWaitingInItsOwnCrossThreadSendServesSendsToIt) {
  HWND gui = TopLevel(0, 0, 10, 10, WS_POPUP);
  Headless::RunUntilIdle();
  Handlers()[{gui, WM_USER + 1}] = [](HWND, UINT, WPARAM w, LPARAM) { return static_cast<LRESULT>(w + 1); };
  std::atomic<HWND> other{nullptr};
  std::thread worker([&] {
    HWND h = CreateWindowEx(0, u"Recorder", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Handlers()[{h, WM_USER}] = [gui](HWND, UINT, WPARAM w, LPARAM) {
      // Back to the GUI thread, which is blocked in its send to us.
      return SendMessage(gui, WM_USER + 1, w * 10, 0);
    };
    other = h;
    MSG m;
    while (GetMessage(&m, nullptr, 0, 0)) DispatchMessage(&m);
    DestroyWindow(h);
  });
  while (!other) std::this_thread::yield();
  EXPECT_EQ(SendMessage(other, WM_USER, 4, 0), 41);
  EXPECT_NE(GetWindowThreadProcessId(other, nullptr), GetCurrentThreadId());
  PostThreadMessage(GetWindowThreadProcessId(other, nullptr), WM_QUIT, 0, 0);
  worker.join();
  EXPECT_FALSE(IsWindow(other));
  DestroyWindow(gui);
}
