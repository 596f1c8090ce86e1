// The headless back end: windows live in memory only, time is a virtual clock that tests advance,
// input is injected by tests through the same path device events take. Also the Headless test API.
#include "platform/win/Backend.h"
#include "platform/win/Headless.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinSystem.h"

#include "platform/rtl/Shell.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Threads.h"

#include <atomic>

using namespace wincore;

namespace {

constexpr std::uint64_t kClockStart = 1000000;      // GetTickCount at start: well away from 0
constexpr TDateTime kDateAtStart = 45292.5;         // 2024-01-01 12:00

std::atomic<std::uint64_t> gClock{kClockStart};

std::mutex gShellMutex;
std::vector<std::vector<std::string>>& ShellLog() {
  static auto* log = new std::vector<std::vector<std::string>>();
  return *log;
}

TDateTime VirtualNow() { return kDateAtStart + static_cast<double>(gClock.load() - kClockStart) / 86400000.0; }

class THeadlessBackend : public TBackend {
public:
  THeadlessBackend() {
    SetTickSource([] { return static_cast<UInt64>(gClock.load()); });
    SetNowSource(VirtualNow);
    // Nothing leaves a headless run: programs the shell would start are recorded instead.
    SetShellLauncher([](const std::vector<std::string>& argv) {
      std::lock_guard<std::mutex> lock(gShellMutex);
      ShellLog().push_back(argv);
      return true;
    });
  }

  const char* Name() const override { return "headless"; }
  bool IsHeadless() const override { return true; }
  std::uint64_t NowMs() override { return gClock.load(); }
  void Wait(std::unique_lock<std::mutex>& lock, TThreadQueue& q, std::optional<std::uint64_t>) override {
    // Time stands still until a test advances it, which wakes every queue.
    q.Signal.wait(lock);
  }
  void Wake() override {}
  void Pump() override {}
  void CreateNative(TWindow*) override {}
  void DestroyNative(TWindow*) override {}
  void ShowNative(TWindow*, bool, bool) override {}
  void MoveNative(TWindow*) override {}
  void RestackNative() override {}
  void SetTitle(TWindow*) override {}
  void SetShape(TWindow*) override {}
  void Present(TWindow*, const RECT&) override {}
  void Activate(TWindow*) override {}
  void SetCursorShape(HCURSOR) override {}
  void WarpPointer(POINT p) override {
    // The pointer jumps: windows hear of it as of any move.
    TRawInput in;
    in.Kind = TRawInput::riMouseMove;
    in.Pt = p;
    PushInput(in);
  }
  void Beep(UINT type) override { RecordBeep(type); }
  SIZE ScreenSize() override { return HeadlessScreenSize(); }
  RECT WorkArea() override { return HeadlessWorkArea(); }
  void ClipboardOwned(bool) override {}
  bool ForeignClipboard() override { return false; }
  std::optional<String> ForeignClipboardText() override { return std::nullopt; }
  bool Screenshot(TSurface& out) override {
    ComposeScreen(out);
    return true;
  }
};

// Injected input goes to the thread that reads the device.
void Inject(const TRawInput& in) {
  Backend();
  PushInput(in);
}

void InjectKey(UINT vk, UINT scan, bool extended, bool down, const String* text) {
  TRawInput in;
  in.Kind = TRawInput::riKey;
  in.Vk = vk;
  in.Scan = scan;
  in.Extended = extended;
  in.Down = down;
  in.Repeat = down && (GetAsyncKeyState(static_cast<int>(vk)) & 0x8000);
  if (text) {
    in.Text = *text;
    in.HasText = true;
  }
  RecordAsyncKey(vk, down);
  Inject(in);
}

void VkKey(UINT vk, bool down) {
  bool ext = false;
  UINT scan = ScanFromVk(vk, &ext);
  InjectKey(vk, scan, ext, down, nullptr);
}

void KeysymKey(std::uint32_t keysym, bool down) {
  TKeyInfo k = KeyFromKeysym(keysym, -1);
  if (!k.Vk) return;
  // Characters the layout types itself come from it (Ctrl and Shift apply); others travel along.
  bool own = k.Vk == VK_PACKET || (!k.Text.empty() && k.Text[0] >= 0x80);
  InjectKey(k.Vk, k.Scan, k.Extended, down, own ? &k.Text : nullptr);
}

void MoveTo(int x, int y) {
  POINT now = CursorPos();
  if (now.x == x && now.y == y) return;
  Headless::MouseMove(x, y);
}

}  // namespace

namespace wincore {

std::unique_ptr<TBackend> CreateHeadlessBackend() { return std::make_unique<THeadlessBackend>(); }

}  // namespace wincore

namespace Headless {

void Use() {
  SelectHeadless();
  if (!Backend().IsHeadless()) throw EWindowSystem(u"the window system already runs on another back end");
  Reset();
}

void Reset() {
  Backend();
  for (HWND h : AllWindowsOfThread(GetCurrentThreadId()))
    if (IsWindow(h) && !(GetWindowLong(h, GWL_STYLE) & WS_CHILD)) DestroyWindow(h);
  TThreadQueue& q = CurrentQueue();
  {
    std::lock_guard<std::mutex> lock(Lock());
    q.Posted.clear();
    q.Input.clear();
    q.Cooked.clear();
    q.QuitPosted = false;
  }
  q.Timers.clear();
  q.LastKey = TKeyTranslation();
  ResetHooks();
  DestroyCaret();
  ResetInputState();
  ClipboardReset();
  ResetSystemValues();
  ClearShellRequests();
}

std::vector<std::vector<std::string>> ShellRequests() {
  std::lock_guard<std::mutex> lock(gShellMutex);
  return ShellLog();
}

void ClearShellRequests() {
  std::lock_guard<std::mutex> lock(gShellMutex);
  ShellLog().clear();
}

void AdvanceClock(std::uint64_t ms) {
  gClock += ms;
  std::lock_guard<std::mutex> lock(Lock());
  for (TThreadQueue* q : AllQueues()) Wake(*q);
}

std::uint64_t ClockMs() { return gClock.load(); }

int RunUntilIdle(int maxMessages) {
  int handled = 0;
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));   // left for the loop that owns it
      break;
    }
    if (++handled > maxMessages)
      throw EWindowSystem(u"messages keep coming: more than " + IntToStr(maxMessages) + u" without the queue running dry");
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  return handled;
}

void KeyDown(UINT vk) { VkKey(vk, true); }
void KeyUp(UINT vk) { VkKey(vk, false); }
void KeyPress(UINT vk) {
  VkKey(vk, true);
  VkKey(vk, false);
}

void KeysymDown(std::uint32_t keysym) { KeysymKey(keysym, true); }
void KeysymUp(std::uint32_t keysym) { KeysymKey(keysym, false); }
void KeysymPress(std::uint32_t keysym) {
  KeysymKey(keysym, true);
  KeysymKey(keysym, false);
}

void TypeText(StringView text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    Char c = text[i];
    UINT vk;
    bool shift;
    if (UsKeyForChar(c, &vk, &shift)) {
      if (shift) KeyDown(VK_SHIFT);
      KeyPress(vk);
      if (shift) KeyUp(VK_SHIFT);
      continue;
    }
    String unit(1, c);
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) unit += text[++i];
    std::uint32_t keysym = unit.size() == 1 && c < 0x100 ? c : 0;
    TKeyInfo k = keysym ? KeyFromKeysym(keysym, -1) : TKeyInfo{VK_PACKET, 0, false, unit};
    if (!k.Vk) k = TKeyInfo{VK_PACKET, 0, false, unit};
    k.Text = unit;
    InjectKey(k.Vk, k.Scan, k.Extended, true, &k.Text);
    InjectKey(k.Vk, k.Scan, k.Extended, false, &k.Text);
  }
}

void MouseMove(int x, int y) {
  TRawInput in;
  in.Kind = TRawInput::riMouseMove;
  in.Pt = POINT{x, y};
  SetCursorPosInternal(in.Pt);
  Inject(in);
}

namespace {

void Button(int button, int x, int y, bool down) {
  MoveTo(x, y);
  if (button >= 4 && button <= 7) {
    if (!down) return;
    TRawInput in;
    in.Kind = TRawInput::riWheel;
    in.Pt = POINT{x, y};
    in.Horizontal = button >= 6;
    in.Delta = (button == 4 || button == 7) ? WHEEL_DELTA : -WHEEL_DELTA;
    Inject(in);
    return;
  }
  TRawInput in;
  in.Kind = TRawInput::riMouseButton;
  in.Pt = POINT{x, y};
  in.Button = button;
  in.Down = down;
  RecordAsyncKey(ButtonVk(button), down);
  Inject(in);
}

}  // namespace

void ButtonDown(int button, int x, int y) { Button(button, x, y, true); }
void ButtonUp(int button, int x, int y) { Button(button, x, y, false); }

void Click(int x, int y, int button) {
  Button(button, x, y, true);
  Button(button, x, y, false);
}

void Wheel(int x, int y, int notches, bool horizontal) {
  MoveTo(x, y);
  TRawInput in;
  in.Kind = TRawInput::riWheel;
  in.Pt = POINT{x, y};
  in.Horizontal = horizontal;
  in.Delta = notches * WHEEL_DELTA;
  Inject(in);
}

void Activate(HWND h) {
  TWindow* w = FromHandle(h);
  if (w && (w = TopLevelOf(w))) SetActive(w, WA_ACTIVE);
}

void DeactivateApp() { SetActive(nullptr, WA_INACTIVE); }

TSurface* WindowSurface(HWND h) {
  TWindow* w = FromHandle(h);
  TWindow* top = w ? TopLevelOf(w) : nullptr;
  return top ? top->Surface.get() : nullptr;
}

void ScreenPixels(TSurface& out) { ComposeScreen(out); }

COLORREF ClientPixel(HWND h, int x, int y) {
  TWindow* w = FromHandle(h);
  TWindow* top = w ? TopLevelOf(w) : nullptr;
  if (!top || !top->Surface) return CLR_INVALID;
  if (x < 0 || y < 0 || x >= w->Client.right - w->Client.left || y >= w->Client.bottom - w->Client.top)
    return CLR_INVALID;
  POINT o = ClientOriginOnScreen(w);
  RECT t = WindowRectOnScreen(top);
  return PixelToColorRef(top->Surface->Pixel(o.x - t.left + x, o.y - t.top + y));
}

bool SaveWindowPng(HWND h, const std::string& file) {
  TWindow* w = FromHandle(h);
  TWindow* top = w ? TopLevelOf(w) : nullptr;
  if (!top || !top->Surface) return false;
  if (w == top) return top->Surface->SaveToPng(file);
  RECT t = WindowRectOnScreen(top);
  RECT r = Offset(WindowRectOnScreen(w), -t.left, -t.top);
  TSurface part(std::max<int>(r.right - r.left, 1), std::max<int>(r.bottom - r.top, 1));
  part.CopyFrom(*top->Surface, r, POINT{0, 0});
  return part.SaveToPng(file);
}

}  // namespace Headless
