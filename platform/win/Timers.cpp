// Timers: SetTimer/KillTimer on the back end's clock. An expired timer has one WM_TIMER pending;
// it is generated when the queue has nothing else, and the next period starts when it is taken.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"

#include "platform/rtl/Threads.h"

#include <algorithm>
#include <atomic>
#include <chrono>

using namespace wincore;

namespace wincore {

std::uint64_t ClockMs() {
  if (BackendStarted()) return Backend().NowMs();
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

bool TakeTimerMessage(TThreadQueue& q, HWND filter, UINT lo, UINT hi, bool remove, MSG* out) {
  if (q.Timers.empty()) return false;
  if (!((lo == 0 && hi == 0) || (WM_TIMER >= lo && WM_TIMER <= hi))) return false;
  std::uint64_t now = ClockMs();
  TTimer* best = nullptr;
  for (TTimer& t : q.Timers) {
    if (t.Due > now) continue;
    if (filter == reinterpret_cast<HWND>(-1) && t.Hwnd) continue;
    if (filter && filter != reinterpret_cast<HWND>(-1) && t.Hwnd != filter && !IsChild(filter, t.Hwnd)) continue;
    if (t.Hwnd && !IsWindow(t.Hwnd)) continue;
    if (!best || t.Due < best->Due) best = &t;
  }
  if (!best) return false;
  out->hwnd = best->Hwnd;
  out->message = WM_TIMER;
  out->wParam = best->Id;
  out->lParam = reinterpret_cast<LPARAM>(best->Proc);
  out->time = static_cast<DWORD>(now);
  out->pt = CursorPos();
  if (remove) best->Due = now + best->Interval;
  return true;
}

std::optional<std::uint64_t> NextTimerDue(TThreadQueue& q) {
  std::optional<std::uint64_t> due = HoverDue();
  if (std::optional<std::uint64_t> caret = CaretDue(); caret && (!due || *caret < *due)) due = caret;
  for (const TTimer& t : q.Timers)
    if (!due || t.Due < *due) due = t.Due;
  return due;
}

void RemoveWindowTimers(TWindow* w) {
  TThreadQueue& q = CurrentQueue();
  q.Timers.erase(std::remove_if(q.Timers.begin(), q.Timers.end(), [&](const TTimer& t) { return t.Hwnd == w->Handle; }),
                 q.Timers.end());
}

}  // namespace wincore

UINT_PTR SetTimer(HWND h, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (h) {
    TWindow* w = FromHandle(h);
    if (!w || w->ThreadId != GetCurrentThreadId()) return 0;
  }
  TThreadQueue& q = CurrentQueue();
  if (elapse < USER_TIMER_MINIMUM) elapse = USER_TIMER_MINIMUM;
  if (elapse > USER_TIMER_MAXIMUM) elapse = USER_TIMER_MAXIMUM;
  if (!h) {
    // A thread timer: a new id unless an existing one of this thread is named.
    auto it = std::find_if(q.Timers.begin(), q.Timers.end(), [&](const TTimer& t) { return !t.Hwnd && t.Id == id; });
    if (id == 0 || it == q.Timers.end()) {
      static std::atomic<UINT_PTR> next{0x7F00};   // shared by the threads' queues
      id = ++next;
    }
  }
  auto it = std::find_if(q.Timers.begin(), q.Timers.end(), [&](const TTimer& t) { return t.Hwnd == h && t.Id == id; });
  TTimer t;
  t.Hwnd = h;
  t.Id = id;
  t.Interval = elapse;
  t.Proc = proc;
  t.Due = ClockMs() + elapse;
  if (it != q.Timers.end())
    *it = t;   // setting a timer again restarts it
  else
    q.Timers.push_back(t);
  return h ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND h, UINT_PTR id) {
  TThreadQueue& q = CurrentQueue();
  auto it = std::find_if(q.Timers.begin(), q.Timers.end(), [&](const TTimer& t) { return t.Hwnd == h && t.Id == id; });
  if (it == q.Timers.end()) return FALSE;
  q.Timers.erase(it);
  // A WM_TIMER already taken from the queue may still be dispatched; a pending one is gone with it.
  return TRUE;
}
