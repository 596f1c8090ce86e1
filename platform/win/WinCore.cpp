// Global state of the window manager: the lock, the handle table, the desktop window, the
// per-thread queues and the back end in use.
#include "platform/win/WinCore.h"

#include "platform/rtl/Threads.h"
#include "platform/win/Backend.h"
#include "platform/win/WinSystem.h"
#include "platform/win/WinGdi.h"

#include <cstdlib>
#include <cstring>

namespace wincore {

namespace {

struct TGlobals {
  std::mutex Mutex;
  std::unordered_map<HWND, std::unique_ptr<TWindow>> Windows;
  std::map<DWORD, TThreadQueue*> Queues;
  std::unique_ptr<TBackend> Backend;
  std::unique_ptr<TWindow> Desktop;
  std::unique_ptr<TWindowClass> DesktopClass;
  bool WantHeadless = false;
  DWORD BackendThread = 0;
};

TGlobals& G() {
  static TGlobals* g = new TGlobals();   // never destroyed: threads may outlive static destruction
  return *g;
}

// The calling thread's queue, removed from the registry when the thread ends. Senders still waiting
// on it get 0.
struct TQueueHolder {
  std::unique_ptr<TThreadQueue> Queue;
  ~TQueueHolder() {
    if (!Queue) return;
    std::lock_guard<std::mutex> lock(Lock());
    for (TSentMessage* s : Queue->Incoming) {
      s->Done = true;
      if (s->Sender) Wake(*s->Sender);
    }
    Queue->Incoming.clear();
    G().Queues.erase(Queue->ThreadId);
  }
};
thread_local TQueueHolder tQueue;

}  // namespace

bool TWindow::IsTopLevel() const { return Parent == Desktop(); }

std::mutex& Lock() { return G().Mutex; }

void SelectHeadless() { G().WantHeadless = true; }

TBackend& Backend() {
  TGlobals& g = G();
  if (!g.Backend) {
    const char* env = std::getenv("ZELK_BACKEND");
    bool headless = g.WantHeadless || (env && std::strcmp(env, "headless") == 0);
    if (!headless && env && *env && std::strcmp(env, "x11") != 0)
      throw EWindowSystem(u"unknown window system back end \"" + UTF8ToString(env) + u"\" in ZELK_BACKEND");
    g.Backend = headless ? CreateHeadlessBackend() : CreateX11Backend();
    g.BackendThread = GetCurrentThreadId();
    RegisterUser32Module();
  }
  return *g.Backend;
}

bool BackendStarted() { return G().Backend != nullptr; }

DWORD BackendThread() { return G().BackendThread; }

TWindow* Desktop() {
  TGlobals& g = G();
  if (!g.Desktop) {
    g.DesktopClass = std::make_unique<TWindowClass>();
    g.DesktopClass->Name = u"#32769";
    g.DesktopClass->Proc = DefWindowProc;
    auto d = std::make_unique<TWindow>();
    d->Handle = reinterpret_cast<HWND>(std::uintptr_t{0x10010});
    d->Class = g.DesktopClass.get();
    d->Style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    d->Proc = DefWindowProc;
    g.Desktop = std::move(d);
  }
  return g.Desktop.get();
}

TWindow* FromHandleLocked(HWND h) {
  if (!h) return nullptr;
  TGlobals& g = G();
  if (g.Desktop && h == g.Desktop->Handle) return g.Desktop.get();
  auto it = g.Windows.find(h);
  return it == g.Windows.end() ? nullptr : it->second.get();
}

TWindow* FromHandle(HWND h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(Lock());
  return FromHandleLocked(h);
}

HWND RegisterWindow(std::unique_ptr<TWindow> w) {
  static std::uintptr_t next = 0x10020;
  std::lock_guard<std::mutex> lock(Lock());
  next += 4;   // handles are never reused: a stale handle stays invalid
  HWND h = reinterpret_cast<HWND>(next);
  w->Handle = h;
  G().Windows.emplace(h, std::move(w));
  return h;
}

void UnregisterWindow(HWND h) {
  std::unique_ptr<TWindow> doomed;
  {
    std::lock_guard<std::mutex> lock(Lock());
    auto it = G().Windows.find(h);
    if (it == G().Windows.end()) return;
    doomed = std::move(it->second);
    G().Windows.erase(it);
  }
}

std::vector<HWND> AllWindowsOfThread(DWORD threadId) {
  std::lock_guard<std::mutex> lock(Lock());
  std::vector<HWND> result;
  for (auto& [h, w] : G().Windows)
    if (threadId == 0 || w->ThreadId == threadId) result.push_back(h);
  return result;
}

TThreadQueue& CurrentQueue() {
  if (!tQueue.Queue) {
    auto q = std::make_unique<TThreadQueue>();
    q->ThreadId = GetCurrentThreadId();
    std::lock_guard<std::mutex> lock(Lock());
    G().Queues[q->ThreadId] = q.get();
    tQueue.Queue = std::move(q);
  }
  return *tQueue.Queue;
}

TThreadQueue* QueueOf(DWORD threadId) {
  auto it = G().Queues.find(threadId);
  return it == G().Queues.end() ? nullptr : it->second;
}

std::vector<TThreadQueue*> AllQueues() {
  std::vector<TThreadQueue*> result;
  for (auto& [id, q] : G().Queues) result.push_back(q);
  return result;
}

void Wake(TThreadQueue& q) {
  q.Signal.notify_all();
  if (G().Backend) G().Backend->Wake();
}

String ToLower(StringView s) {
  String r(s);
  for (Char& c : r)
    if (c >= u'A' && c <= u'Z') c = static_cast<Char>(c + 32);
  return r;
}

void ThrowWindowSystemError(const std::string& message) { throw EWindowSystem(UTF8ToString(message)); }

}  // namespace wincore

void InitWindowSystem() { wincore::Backend(); }

const char* WindowSystemBackendName() { return wincore::Backend().Name(); }

bool SaveScreenshot(const std::string& file) {
  TSurface shot;
  if (!wincore::Backend().Screenshot(shot)) return false;
  return shot.SaveToPng(file);
}
