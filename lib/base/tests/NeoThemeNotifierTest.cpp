// The theme change notifier: its monitor thread watching the Office key of a real registry store,
// changed by a second process, the windows that hear of it, and stopping and exiting cleanly.
#include <atomic>
#include <memory>
#include <vector>

#include "lib/base/NeoThemeNotifier.h"
#include "lib/base/tests/StyleTestSupport.h"

using namespace styletest;

namespace {

const String Office16 = u"Software\\Microsoft\\Office\\16.0\\Common";

// ---- The second process ----
// "write|<key>|<value name>|<number>" writes a DWORD; "notifier-exit" makes a form and the
// notifier singleton with its running thread, registers the form and leaves the process through
// exit() while the thread waits.
int RunChildJob(const std::string& AJob) {
  try {
    if (AJob.rfind("write|", 0) == 0) {
      std::string rest = AJob.substr(6);
      std::size_t a = rest.find('|'), b = rest.find('|', a + 1);
      TRegistry reg;
      if (!reg.OpenKey(UTF8ToString(rest.substr(0, a)), true)) return 2;
      reg.WriteInteger(UTF8ToString(rest.substr(a + 1, b - a - 1)), std::stoi(rest.substr(b + 1)));
      return 0;
    }
    if (AJob == "notifier-exit") {
      Headless::Use();
      auto* form = new TForm(Application);
      form->HandleNeeded();
      TThemeNotifier* notifier = ThemeNotifierInstance(form);
      if (!notifier->GetRegMonitorThread()) return 4;
      notifier->RegisterWindow(form->GetHandle());
      for (int i = 0; i < 5000 && !notifier->GetRegMonitorThread()->GetWatching(); ++i) Sleep(1);
      if (!notifier->GetRegMonitorThread()->GetWatching()) return 6;
      Sleep(10);   // the thread is in its wait now
      return notifier->GetRegMonitorThread()->GetFinished() ? 5 : 0;
    }
  } catch (...) {
    return 3;
  }
  return 1;
}

class TStylesChild : public testing::Environment {
public:
  void SetUp() override { std::exit(RunChildJob(std::getenv("ZELK_STYLES_CHILD"))); }
};

[[maybe_unused]] const bool gChildRegistered = [] {
  if (std::getenv("ZELK_STYLES_CHILD")) testing::AddGlobalTestEnvironment(new TStylesChild);
  return true;
}();

// A window that counts WM_OFFICETHEMECHANGE and keeps the key it names.
class TListener : public TWinControl {
public:
  explicit TListener(TWinControl* AParent) : TWinControl(AParent) {
    SetParent(AParent);
    HandleNeeded();
  }
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_OFFICETHEMECHANGE) {
      ++Count;
      Root = static_cast<HKEY>(Message.WParam);
      Key = reinterpret_cast<const Char*>(Message.LParam);
    }
    TWinControl::WndProc(Message);
  }
  std::atomic<int> Count{0};
  HKEY Root = 0;
  String Key;
};

class NeoThemeNotifier : public StyleTest {
protected:
  static bool Watching(TThemeNotifier& N) {
    return PumpUntil([&] { return N.GetRegMonitorThread()->GetWatching(); });
  }
  // Until the monitor thread waits in a send to this thread (not served yet).
  static bool SendPending() {
    for (int i = 0; i < 5000; ++i) {
      if (GetQueueStatus(QS_SENDMESSAGE) & (QS_SENDMESSAGE | (QS_SENDMESSAGE << 16))) return true;
      Sleep(1);
    }
    return false;
  }
  void SetUp() override {
    StyleTest::SetUp();
    ResetThemeNotifierInstance();
    Form = new TForm(Application);
    Form->HandleNeeded();
  }
  void TearDown() override {
    delete Form;
    ResetThemeNotifierInstance();
    StyleTest::TearDown();
  }
  TForm* Form = nullptr;
};

}  // namespace

TEST_F(NeoThemeNotifier, NoThreadWithoutOffice) {
  TThemeNotifier notifier(Form);
  EXPECT_EQ(notifier.GetRegMonitorThread(), nullptr);
  EXPECT_EQ(notifier.GetNotifier(), nullptr);
  notifier.RegisterWindow(Form->GetHandle());   // nothing to register with: no effect, no crash
  notifier.UnRegisterWindow(Form->GetHandle());
}

TEST_F(NeoThemeNotifier, WatchesTheInstalledVersionsKey) {
  struct TCase { const Char* Version; const Char* Key; } cases[] = {
      {u"12.0", u"Software\\Microsoft\\Office\\12.0\\Common"},
      {u"14.0", u"Software\\Microsoft\\Office\\14.0\\Common"},
      {u"15.0", u"Software\\Microsoft\\Office\\15.0\\Common"},
      {u"16.0", u"Software\\Microsoft\\Office\\16.0\\Common"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Version));
    InstallOffice(c.Version);
    TThemeNotifier notifier(Form);
    TRegMonitorThread* t = notifier.GetRegMonitorThread();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->GetStarted());
    EXPECT_EQ(t->GetKey(), c.Key);
    EXPECT_EQ(t->GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_TRUE(t->GetWatchSub());
    EXPECT_EQ(t->GetFilter(), Integer(REG_NOTIFY_CHANGE_LAST_SET));
    EXPECT_EQ(t->GetWnd(), notifier.GetNotifier()->GetHandle());
    EXPECT_EQ(GetParent(t->GetWnd()), Form->GetHandle());
    EXPECT_FALSE(IsWindowVisible(t->GetWnd()));
  }
}

TEST_F(NeoThemeNotifier, AnotherProcessChangingTheThemeReachesEveryRegisteredWindow) {
  InstallOffice(u"16.0");
  WriteDword(Office16, u"UI Theme", 0);
  TThemeNotifier notifier(Form);
  int raised = 0;
  notifier.OnOfficeThemeChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &notifier);
    ++raised;
  };
  auto* first = new TListener(Form);
  auto* second = new TListener(Form);
  auto* unregistered = new TListener(Form);
  notifier.RegisterWindow(first->GetHandle());
  notifier.RegisterWindow(second->GetHandle());
  notifier.RegisterWindow(first->GetHandle());   // listed once
  notifier.RegisterWindow(unregistered->GetHandle());
  notifier.UnRegisterWindow(unregistered->GetHandle());
  notifier.UnRegisterWindow(Form->GetHandle());   // not listed: nothing
  EXPECT_EQ(notifier.GetRegMonitorThread()->WindowList(),
            (std::vector<HWND>{first->GetHandle(), second->GetHandle()}));
  ASSERT_TRUE(Watching(notifier));

  ASSERT_EQ(RunChild("write|Software\\Microsoft\\Office\\16.0\\Common|UI Theme|4"), 0);
  EXPECT_TRUE(PumpUntil([&] { return first->Count == 1 && second->Count == 1 && raised == 1; }));
  EXPECT_EQ(first->Root, HKEY_CURRENT_USER);
  EXPECT_EQ(first->Key, Office16);
  EXPECT_EQ(unregistered->Count, 0);
  EXPECT_EQ(DetectOfficeTheme(false), tsOffice2019Black);

  // The watch is armed again: a second change is heard too, a change elsewhere is not.
  ASSERT_EQ(RunChild("write|Software\\Microsoft\\Office\\15.0\\Common|UI Theme|1"), 0);
  ASSERT_EQ(RunChild("write|Software\\Microsoft\\Office\\16.0\\Common|UI Theme|3"), 0);
  EXPECT_TRUE(PumpUntil([&] { return first->Count == 2; }));
  Sleep(100);
  Application->ProcessMessages();
  EXPECT_EQ(first->Count, 2);
  EXPECT_EQ(second->Count, 2);
  EXPECT_EQ(raised, 2);
}

TEST_F(NeoThemeNotifier, DestroyingWhileTheThreadWaitsOrSendsEndsIt) {
  InstallOffice(u"16.0");
  WriteDword(Office16, u"UI Theme", 0);
  {
    TThemeNotifier notifier(Form);
    ASSERT_TRUE(Watching(notifier));
  }   // waiting: woken, ended, joined
  // Destroyed while the thread is inside a send to this thread: the send is served, the thread
  // sends nothing more and ends before the hidden window goes.
  auto* notifier = new TThemeNotifier(Form);
  int raised = 0;
  notifier->OnOfficeThemeChange = [&](TObject*) { ++raised; };
  auto* listener = new TListener(Form);
  notifier->RegisterWindow(listener->GetHandle());
  ASSERT_TRUE(Watching(*notifier));
  WriteDword(Office16, u"UI Theme", 3);
  ASSERT_TRUE(SendPending());   // the thread now blocks in its send to the hidden window
  TRegMonitorThread* t = notifier->GetRegMonitorThread();
  EXPECT_FALSE(t->GetFinished());
  delete notifier;
  EXPECT_EQ(raised, 1);
  Application->ProcessMessages();
  EXPECT_EQ(listener->Count, 0);
}

TEST_F(NeoThemeNotifier, ThreadEndsOnAWaitFailureAndOnAMissingKey) {
  InstallOffice(u"16.0");
  WriteDword(Office16, u"UI Theme", 0);
  TThemeNotifier notifier(Form);
  TRegMonitorThread* t = notifier.GetRegMonitorThread();
  ASSERT_TRUE(Watching(notifier));
  // The event handle goes away under the thread: its next wait fails and it ends (instead of
  // looping at full speed).
  CloseHandle(t->GetEvent());
  WriteDword(Office16, u"UI Theme", 2);
  EXPECT_TRUE(PumpUntil([&] { return t->GetFinished(); }));

  // The key vanished between detection and the thread's start.
  TRegMonitorThread lonely;
  lonely.SetKey(u"Software\\Microsoft\\Office\\99.0\\Common");
  lonely.Start();
  lonely.WaitFor();
  ASSERT_TRUE(lonely.GetFatalException());
  try {
    std::rethrow_exception(lonely.GetFatalException());
  } catch (Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Unable to open registry key Software\\Microsoft\\Office\\99.0\\Common");
  }
}

TEST_F(NeoThemeNotifier, EveryMonitorHasItsOwnEvent) {
  InstallOffice(u"16.0");
  TThemeNotifier a(Form), b(Form);
  EXPECT_NE(a.GetRegMonitorThread()->GetEvent(), b.GetRegMonitorThread()->GetEvent());
  // Stopping one leaves the other watching.
  auto* listener = new TListener(Form);
  b.RegisterWindow(listener->GetHandle());
  a.GetRegMonitorThread()->Stop();
  EXPECT_TRUE(a.GetRegMonitorThread()->GetFinished());
  EXPECT_FALSE(b.GetRegMonitorThread()->GetFinished());
  ASSERT_TRUE(Watching(b));
  Sleep(50);   // a shared event would have woken b too, and b would have sent
  Application->ProcessMessages();
  EXPECT_EQ(listener->Count, 0);
  WriteDword(Office16, u"UI Theme", 4);
  EXPECT_TRUE(PumpUntil([&] { return listener->Count == 1; }));
}

TEST_F(NeoThemeNotifier, SingletonAndHandleList) {
  InstallOffice(u"16.0");
  TThemeNotifier* n = ThemeNotifierInstance(Form);
  EXPECT_EQ(ThemeNotifierInstance(nullptr), n);
  EXPECT_EQ(n->GetOwner(), Form);
  delete n;
  TThemeNotifier* again = ThemeNotifierInstance(Form);   // a freed notifier cleared the singleton
  EXPECT_NE(again, nullptr);
  delete again;

  THandleList list;
  HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
  list.Add(a);
  list.Insert(0, b);
  list.Add(a);
  EXPECT_EQ(list.GetInteger(0), b);
  list.DeleteValue(a);   // the first equal entry
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetInteger(1), a);
  list.DeleteValue(reinterpret_cast<HWND>(0x30));
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_TRUE(list.HasValue(b));
  list.SetInteger(0, a);
  EXPECT_FALSE(list.HasValue(b));

  TRegMonitorThread t;
  EXPECT_EQ(t.GetFilter(), 15);   // 0 reads as every kind of change
  t.SetFilter(4);
  EXPECT_EQ(t.GetFilter(), 4);
}

TEST_F(NeoThemeNotifier, AnOwnerWithoutAWindowGetsAHiddenTopLevelWindow) {
  InstallOffice(u"16.0");
  WriteDword(Office16, u"UI Theme", 0);
  TComponent plain(nullptr);
  TWinControl unplaced(nullptr);   // a control on no form: it cannot have a window
  std::unique_ptr<TThemeNotifier> notifiers[] = {std::unique_ptr<TThemeNotifier>(ThemeNotifierInstance(nullptr)),
                                                  std::make_unique<TThemeNotifier>(&plain),
                                                  std::make_unique<TThemeNotifier>(&unplaced)};
  int raised = 0;
  for (auto& n : notifiers) {
    ASSERT_NE(n->GetNotifier(), nullptr);
    const HWND wnd = n->GetNotifier()->GetHandle();
    EXPECT_EQ(n->GetRegMonitorThread()->GetWnd(), wnd);
    EXPECT_EQ(GetParent(wnd), HWND(nullptr));
    EXPECT_FALSE(IsWindowVisible(wnd));
    n->OnOfficeThemeChange = [&](TObject*) { ++raised; };
    ASSERT_TRUE(Watching(*n));
  }
  EXPECT_FALSE(unplaced.HandleAllocated());
  WriteDword(Office16, u"UI Theme", 4);
  EXPECT_TRUE(PumpUntil([&] { return raised == 3; }));
}   // the notifiers go first, leaving their owners

TEST_F(NeoThemeNotifier, ProgramExitsCleanlyWithTheThreadRunning) {
  InstallOffice(u"16.0");
  EXPECT_EQ(RunChild("notifier-exit"), 0);
}
