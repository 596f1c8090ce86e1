// Messages: sending (with the WH_CALLWNDPROC hooks and across threads), posting, retrieval in the
// platform's order (sent, posted, input, quit, paint, timers), translation and dispatch, and
// registered message ids.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"

#include "platform/rtl/Threads.h"

#include <algorithm>
#include <atomic>

using namespace wincore;

namespace {

std::vector<THook>& Hooks() {
  static std::vector<THook> hooks;   // guarded by Lock()
  return hooks;
}
std::atomic<int> gHookCount{0};
std::uintptr_t gNextHook = 0x40000;

// The hooks of a kind that apply to the calling thread, newest first.
std::vector<THook> HookChain(int kind) {
  std::vector<THook> chain;
  if (gHookCount.load() == 0) return chain;
  DWORD me = GetCurrentThreadId();
  std::lock_guard<std::mutex> lock(Lock());
  for (auto it = Hooks().rbegin(); it != Hooks().rend(); ++it)
    if (it->Kind == kind && !it->Removed && (it->ThreadId == 0 || it->ThreadId == me)) chain.push_back(*it);
  return chain;
}

LRESULT CallHooks(int kind, WPARAM wParam, LPARAM lParam) {
  std::vector<THook> chain = HookChain(kind);
  if (chain.empty()) return 0;
  return chain.front().Proc(HC_ACTION, wParam, lParam);
}

bool IsChildLocked(HWND parent, HWND child) {
  TWindow* p = FromHandleLocked(parent);
  TWindow* w = FromHandleLocked(child);
  if (!p || !w) return false;
  for (; w && (w->Style & WS_CHILD); w = w->Parent)
    if (w->Parent == p) return true;
  return false;
}

bool InRange(UINT msg, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (msg >= lo && msg <= hi); }

bool MatchesLocked(const MSG& m, HWND filter, UINT lo, UINT hi) {
  if (!InRange(m.message, lo, hi)) return false;
  if (filter == reinterpret_cast<HWND>(-1)) return m.hwnd == nullptr;
  if (filter) return m.hwnd == filter || IsChildLocked(filter, m.hwnd);
  return true;
}

// Handles the messages other threads sent to this one.
void ServeIncoming(TThreadQueue& q) {
  std::unique_lock<std::mutex> lock(Lock());
  while (!q.Incoming.empty()) {
    TSentMessage* s = q.Incoming.front();
    q.Incoming.pop_front();
    lock.unlock();
    q.SendDepth++;
    LRESULT r = 0;
    try {
      r = SendTo(s->Hwnd, s->Message, s->WParam, s->LParam);
    } catch (...) {
      q.SendDepth--;
      lock.lock();
      s->Done = true;
      if (s->Sender) Wake(*s->Sender);
      throw;
    }
    q.SendDepth--;
    lock.lock();
    s->Result = r;
    s->Done = true;
    if (s->Sender) Wake(*s->Sender);
  }
}

MSG MakeMsg(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m;
  m.hwnd = h;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = static_cast<DWORD>(BackendStarted() ? Backend().NowMs() : 0);
  m.pt = CursorPos();
  return m;
}

bool PeekOnce(TThreadQueue& q, MSG* out, HWND filter, UINT lo, UINT hi, UINT flags) {
  bool remove = (flags & PM_REMOVE) != 0;
  ServeIncoming(q);
  CheckHover(q);
  CheckCaretBlink();
  {
    std::lock_guard<std::mutex> lock(Lock());
    // Posted messages; those for windows destroyed since are dropped.
    for (auto it = q.Posted.begin(); it != q.Posted.end();) {
      if (it->hwnd && !FromHandleLocked(it->hwnd)) {
        it = q.Posted.erase(it);
        continue;
      }
      if (MatchesLocked(*it, filter, lo, hi)) {
        *out = *it;
        if (remove) q.Posted.erase(it);
        return true;
      }
      ++it;
    }
  }
  // Input: device events become messages one at a time, so that each finds its target with the
  // focus and capture of the moment.
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(Lock());
      for (auto it = q.Cooked.begin(); it != q.Cooked.end(); ++it) {
        if (it->hwnd && !FromHandleLocked(it->hwnd)) continue;
        if (MatchesLocked(*it, filter, lo, hi)) {
          *out = *it;
          if (remove) q.Cooked.erase(it);
          return true;
        }
      }
      q.Cooked.erase(std::remove_if(q.Cooked.begin(), q.Cooked.end(),
                                    [](const MSG& m) { return m.hwnd && !FromHandleLocked(m.hwnd); }),
                     q.Cooked.end());
      if (!q.Cooked.empty() || q.Input.empty()) break;
    }
    TRawInput raw;
    {
      std::lock_guard<std::mutex> lock(Lock());
      raw = q.Input.front();
      q.Input.pop_front();
    }
    std::vector<MSG> produced;
    ProcessRawInput(q, raw, produced);
    ServeIncoming(q);
    std::lock_guard<std::mutex> lock(Lock());
    q.Cooked.insert(q.Cooked.end(), produced.begin(), produced.end());
  }
  {
    std::lock_guard<std::mutex> lock(Lock());
    if (q.QuitPosted && (filter == nullptr || filter == reinterpret_cast<HWND>(-1)) && InRange(WM_QUIT, lo, hi)) {
      *out = MakeMsg(nullptr, WM_QUIT, static_cast<WPARAM>(q.QuitCode), 0);
      if (remove) q.QuitPosted = false;
      return true;
    }
  }
  if (InRange(WM_PAINT, lo, hi) && filter != reinterpret_cast<HWND>(-1)) {
    if (TWindow* w = FindPaintWindow(q.ThreadId, filter)) {
      *out = MakeMsg(w->Handle, WM_PAINT, 0, 0);
      return true;   // WM_PAINT stays until the update region is validated
    }
  }
  if (TakeTimerMessage(q, filter, lo, hi, remove, out)) return true;
  return false;
}

}  // namespace

namespace wincore {

LRESULT SendToWindow(TWindow* w, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = w->Handle;
  if (gHookCount.load() != 0) {
    CWPSTRUCT cwp;
    cwp.lParam = lParam;
    cwp.wParam = wParam;
    cwp.message = msg;
    cwp.hwnd = h;
    CallHooks(WH_CALLWNDPROC, 1, reinterpret_cast<LPARAM>(&cwp));
    if (!(w = FromHandle(h))) return 0;
  }
  LRESULT r = CallWindowProc(w->Proc, h, msg, wParam, lParam);
  if (gHookCount.load() != 0) {
    CWPRETSTRUCT ret;
    ret.lResult = r;
    ret.lParam = lParam;
    ret.wParam = wParam;
    ret.message = msg;
    ret.hwnd = h;
    CallHooks(WH_CALLWNDPROCRET, 1, reinterpret_cast<LPARAM>(&ret));
  }
  return r;
}

LRESULT SendTo(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = FromHandle(h);
  return w ? SendToWindow(w, msg, wParam, lParam) : 0;
}

}  // namespace wincore

LRESULT SendMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  DWORD me = GetCurrentThreadId();
  TThreadQueue* target = nullptr;
  TSentMessage sent;
  {
    std::lock_guard<std::mutex> lock(Lock());
    TWindow* w = FromHandleLocked(h);
    if (!w) return 0;
    if (w->ThreadId == me) {
      // fall through to the direct call below, outside the lock
    } else {
      target = QueueOf(w->ThreadId);
      if (!target) return 0;
    }
  }
  if (!target) return SendTo(h, msg, wParam, lParam);
  // Another thread's window: queue the message there and wait, handling what is sent to us meanwhile.
  TThreadQueue& mine = CurrentQueue();
  sent.Hwnd = h;
  sent.Message = msg;
  sent.WParam = wParam;
  sent.LParam = lParam;
  sent.Sender = &mine;
  std::unique_lock<std::mutex> lock(Lock());
  target = QueueOf(FromHandleLocked(h) ? FromHandleLocked(h)->ThreadId : 0);
  if (!target) return 0;
  target->Incoming.push_back(&sent);
  Wake(*target);
  while (!sent.Done) {
    if (!mine.Incoming.empty()) {
      lock.unlock();
      ServeIncoming(mine);
      lock.lock();
      continue;
    }
    mine.Signal.wait(lock);
  }
  return sent.Result;
}

BOOL PostMessage(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m = MakeMsg(h, msg, wParam, lParam);
  std::lock_guard<std::mutex> lock(Lock());
  TThreadQueue* q;
  if (h) {
    TWindow* w = FromHandleLocked(h);
    if (!w || w == Desktop()) return FALSE;
    q = QueueOf(w->ThreadId);
  } else {
    q = QueueOf(GetCurrentThreadId());
  }
  if (!q) return FALSE;
  q->Posted.push_back(m);
  Wake(*q);
  return TRUE;
}

BOOL PostThreadMessage(DWORD thread, UINT msg, WPARAM wParam, LPARAM lParam) {
  MSG m = MakeMsg(nullptr, msg, wParam, lParam);
  std::lock_guard<std::mutex> lock(Lock());
  TThreadQueue* q = QueueOf(thread);
  if (!q) return FALSE;
  q->Posted.push_back(m);
  Wake(*q);
  return TRUE;
}

void PostQuitMessage(int code) {
  TThreadQueue& q = CurrentQueue();
  std::lock_guard<std::mutex> lock(Lock());
  q.QuitPosted = true;
  q.QuitCode = code;
  Wake(q);
}

BOOL PeekMessage(MSG* out, HWND filter, UINT lo, UINT hi, UINT flags) {
  if (!out) return FALSE;
  TThreadQueue& q = CurrentQueue();
  if (BackendStarted() && BackendThread() == q.ThreadId) Backend().Pump();
  MSG m;
  if (!PeekOnce(q, &m, filter, lo, hi, flags)) {
    FlushPresent();
    return FALSE;
  }
  *out = m;
  if (flags & PM_REMOVE) {
    q.LastTime = m.time;
    q.LastPos = m.pt;
    if (gHookCount.load() != 0) CallHooks(WH_GETMESSAGE, PM_REMOVE, reinterpret_cast<LPARAM>(out));
  }
  return TRUE;
}

namespace {

// Blocks until something may have arrived for the calling thread.
void WaitForWork(TThreadQueue& q) {
  FlushPresent();
  CheckHover(q);
  std::optional<std::uint64_t> due = NextTimerDue(q);
  bool deviceThread = BackendStarted() && BackendThread() == q.ThreadId;
  std::unique_lock<std::mutex> lock(Lock());
  if (!q.Posted.empty() || !q.Incoming.empty() || !q.Input.empty() || !q.Cooked.empty() || q.QuitPosted) return;
  if (deviceThread) {
    Backend().Wait(lock, q, due);
    return;
  }
  if (due && BackendStarted() && !Backend().IsHeadless()) {
    std::uint64_t now = Backend().NowMs();
    if (*due <= now) return;
    q.Signal.wait_for(lock, std::chrono::milliseconds(*due - now));
  } else {
    q.Signal.wait(lock);
  }
}

}  // namespace

BOOL GetMessage(MSG* out, HWND filter, UINT lo, UINT hi) {
  if (!out) return -1;
  TThreadQueue& q = CurrentQueue();
  for (;;) {
    if (PeekMessage(out, filter, lo, hi, PM_REMOVE)) return out->message == WM_QUIT ? FALSE : TRUE;
    WaitForWork(q);
  }
}

BOOL WaitMessage() {
  TThreadQueue& q = CurrentQueue();
  if (BackendStarted() && BackendThread() == q.ThreadId) Backend().Pump();
  ServeIncoming(q);
  MSG m;
  if (PeekOnce(q, &m, nullptr, 0, 0, PM_NOREMOVE)) return TRUE;
  WaitForWork(q);
  return TRUE;
}

BOOL TranslateMessage(const MSG* m) {
  if (!m) return FALSE;
  UINT msg = m->message;
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP) return TRUE;
  if (msg != WM_KEYDOWN && msg != WM_SYSKEYDOWN) return FALSE;
  TThreadQueue& q = CurrentQueue();
  String text;
  const TKeyTranslation& k = q.LastKey;
  if (k.Valid && k.Hwnd == m->hwnd && k.Message == msg && k.WParam == m->wParam && k.LParam == m->lParam) {
    text = k.Text;
  } else {
    BYTE state[256];
    GetKeyboardState(state);
    text = CharsForKey(static_cast<UINT>(m->wParam), state);
  }
  UINT charMsg = msg == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  for (Char c : text) PostMessage(m->hwnd, charMsg, c, m->lParam);
  return TRUE;
}

LRESULT DispatchMessage(const MSG* m) {
  if (!m || !m->hwnd) {
    if (m && m->message == WM_TIMER && m->lParam)
      reinterpret_cast<TIMERPROC>(m->lParam)(nullptr, WM_TIMER, m->wParam, m->time);
    return 0;
  }
  TWindow* w = FromHandle(m->hwnd);
  if (!w || w->ThreadId != GetCurrentThreadId()) return 0;
  if (m->message == WM_TIMER && m->lParam) {
    reinterpret_cast<TIMERPROC>(m->lParam)(m->hwnd, WM_TIMER, m->wParam, m->time);
    return 0;
  }
  if (m->message == WM_PAINT) {
    HWND h = m->hwnd;
    w->PaintedInDispatch = false;
    LRESULT r = CallWindowProc(w->Proc, h, WM_PAINT, m->wParam, m->lParam);
    // A window procedure that does not paint must not be asked again and again.
    if ((w = FromHandle(h)) && !w->PaintedInDispatch) ValidateRect(h, nullptr);
    return r;
  }
  return CallWindowProc(w->Proc, m->hwnd, m->message, m->wParam, m->lParam);
}

DWORD GetQueueStatus(UINT flags) {
  TThreadQueue& q = CurrentQueue();
  DWORD status = 0;
  {
    std::lock_guard<std::mutex> lock(Lock());
    if (!q.Posted.empty() || q.QuitPosted) status |= QS_POSTMESSAGE;
    if (!q.Incoming.empty()) status |= QS_SENDMESSAGE;
    for (const TRawInput& in : q.Input)
      status |= in.Kind == TRawInput::riKey ? QS_KEY : in.Kind == TRawInput::riMouseMove ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
    for (const MSG& m : q.Cooked)
      status |= (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ? QS_KEY
                : m.message == WM_MOUSEMOVE                             ? QS_MOUSEMOVE
                                                                        : QS_MOUSEBUTTON;
  }
  if (FindPaintWindow(q.ThreadId, nullptr)) status |= QS_PAINT;
  MSG m;
  if (TakeTimerMessage(q, nullptr, WM_TIMER, WM_TIMER, false, &m)) status |= QS_TIMER;
  status &= flags;
  return (status << 16) | status;
}

BOOL InSendMessage() { return CurrentQueue().SendDepth > 0 ? TRUE : FALSE; }

LONG GetMessageTime() { return static_cast<LONG>(CurrentQueue().LastTime); }

DWORD GetMessagePos() {
  POINT p = CurrentQueue().LastPos;
  return static_cast<DWORD>(static_cast<WORD>(p.x)) | (static_cast<DWORD>(static_cast<WORD>(p.y)) << 16);
}

UINT RegisterWindowMessage(LPCWSTR name) {
  static std::map<String, UINT> ids;
  static UINT next = 0xC000;
  if (!name || !*name) return 0;
  std::lock_guard<std::mutex> lock(Lock());
  String key = ToLower(name);
  auto it = ids.find(key);
  if (it != ids.end()) return it->second;
  if (next > 0xFFFF) return 0;
  ids.emplace(key, next);
  return next++;
}

HHOOK SetWindowsHookEx(int kind, HOOKPROC proc, HINSTANCE, DWORD thread) {
  if (!proc || (kind != WH_CALLWNDPROC && kind != WH_CALLWNDPROCRET && kind != WH_GETMESSAGE)) return nullptr;
  std::lock_guard<std::mutex> lock(Lock());
  THook hook;
  gNextHook += 4;
  hook.Handle = reinterpret_cast<HHOOK>(gNextHook);
  hook.Kind = kind;
  hook.Proc = proc;
  hook.ThreadId = thread;
  Hooks().push_back(hook);
  gHookCount++;
  return hook.Handle;
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
  std::lock_guard<std::mutex> lock(Lock());
  auto& hooks = Hooks();
  auto it = std::find_if(hooks.begin(), hooks.end(), [&](const THook& h) { return h.Handle == hhk; });
  if (it == hooks.end()) return FALSE;
  hooks.erase(it);
  gHookCount--;
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int code, WPARAM wParam, LPARAM lParam) {
  int kind = 0;
  {
    std::lock_guard<std::mutex> lock(Lock());
    for (const THook& h : Hooks())
      if (h.Handle == hhk) kind = h.Kind;
  }
  if (!kind) return 0;
  std::vector<THook> chain = HookChain(kind);
  auto it = std::find_if(chain.begin(), chain.end(), [&](const THook& h) { return h.Handle == hhk; });
  if (it == chain.end() || ++it == chain.end()) return 0;
  return it->Proc(code, wParam, lParam);
}

namespace wincore {

void ResetHooks() {
  std::lock_guard<std::mutex> lock(Lock());
  gHookCount -= static_cast<int>(Hooks().size());
  Hooks().clear();
}

}  // namespace wincore
