#include "platform/rtl/SyncObjs.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <unordered_map>
#include <vector>

namespace zelk_detail {

// One lock guards the state of every event, so that a wait on several events sees them
// consistently; each blocked waiter has its own condition variable, registered with the events
// it waits on.
struct TKernelEvent {
  bool ManualReset = true;
  bool Signaled = false;
  String Name;
  std::vector<std::condition_variable*> Waiters;
};

namespace {

// The tables live as long as the process (never destroyed), so threads still running at exit
// (registry watcher, self-freeing threads) never meet a destroyed lock.
std::mutex& WaitLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

struct THandleTable {
  std::mutex Lock;
  std::uintptr_t Next = 0x100;
  std::unordered_map<std::uintptr_t, std::shared_ptr<TKernelEvent>> Objects;
  std::unordered_map<String, std::weak_ptr<TKernelEvent>> Named;
};

THandleTable& Handles() {
  static auto* table = new THandleTable;
  return *table;
}

// Next is a multiple of 4 so that handles look like the platform's.
HANDLE AddHandle(std::shared_ptr<TKernelEvent> event) {
  auto& t = Handles();
  std::lock_guard guard(t.Lock);
  t.Next += 4;
  t.Objects.emplace(t.Next, std::move(event));
  return reinterpret_cast<HANDLE>(t.Next);
}

bool IsSignaled(const TKernelEvent& e) { return e.Signaled; }

void Consume(TKernelEvent& e) {
  if (!e.ManualReset) e.Signaled = false;
}

}  // namespace

std::shared_ptr<TKernelEvent> EventFromHandle(HANDLE Handle) {
  auto& t = Handles();
  std::lock_guard guard(t.Lock);
  auto it = t.Objects.find(reinterpret_cast<std::uintptr_t>(Handle));
  return it == t.Objects.end() ? nullptr : it->second;
}

void SignalEvent(const std::shared_ptr<TKernelEvent>& Event) {
  if (!Event) return;
  std::lock_guard guard(WaitLock());
  Event->Signaled = true;
  for (auto* cv : Event->Waiters) cv->notify_all();
}

}  // namespace zelk_detail

using zelk_detail::EventFromHandle;
using zelk_detail::TKernelEvent;

HANDLE CreateEventW(void*, BOOL ManualReset, BOOL InitialState, LPCWSTR Name) {
  using namespace zelk_detail;
  String name = Name ? String(Name) : String();
  if (!name.empty()) {
    auto& t = Handles();
    std::unique_lock guard(t.Lock);
    auto it = t.Named.find(name);
    if (it != t.Named.end()) {
      if (auto existing = it->second.lock()) {
        guard.unlock();
        return AddHandle(existing);
      }
    }
    auto e = std::make_shared<TKernelEvent>();
    e->ManualReset = ManualReset != 0;
    e->Signaled = InitialState != 0;
    e->Name = name;
    t.Named[name] = e;
    guard.unlock();
    return AddHandle(std::move(e));
  }
  auto e = std::make_shared<TKernelEvent>();
  e->ManualReset = ManualReset != 0;
  e->Signaled = InitialState != 0;
  return AddHandle(std::move(e));
}

BOOL SetEvent(HANDLE Event) {
  auto e = EventFromHandle(Event);
  if (!e) return 0;
  zelk_detail::SignalEvent(e);
  return 1;
}

BOOL ResetEvent(HANDLE Event) {
  auto e = EventFromHandle(Event);
  if (!e) return 0;
  std::lock_guard guard(zelk_detail::WaitLock());
  e->Signaled = false;
  return 1;
}

BOOL CloseHandle(HANDLE Object) {
  auto& t = zelk_detail::Handles();
  std::shared_ptr<TKernelEvent> doomed;
  {
    std::lock_guard guard(t.Lock);
    auto it = t.Objects.find(reinterpret_cast<std::uintptr_t>(Object));
    if (it == t.Objects.end()) return 0;
    doomed = std::move(it->second);
    t.Objects.erase(it);
    if (!doomed->Name.empty() && doomed.use_count() == 1) t.Named.erase(doomed->Name);
  }
  return 1;
}

DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds) {
  if (Count == 0 || Count > MAXIMUM_WAIT_OBJECTS || !Handles) return WAIT_FAILED;
  std::vector<std::shared_ptr<TKernelEvent>> events;
  events.reserve(Count);
  for (DWORD i = 0; i < Count; ++i) {
    auto e = EventFromHandle(Handles[i]);
    if (!e) return WAIT_FAILED;
    events.push_back(std::move(e));
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(Milliseconds);
  std::condition_variable cv;
  std::unique_lock guard(zelk_detail::WaitLock());
  for (auto& e : events) e->Waiters.push_back(&cv);
  auto ready = [&]() -> DWORD {
    if (WaitAll) {
      if (!std::all_of(events.begin(), events.end(), [](auto& e) { return zelk_detail::IsSignaled(*e); }))
        return WAIT_TIMEOUT;
      for (auto& e : events) zelk_detail::Consume(*e);
      return WAIT_OBJECT_0;
    }
    for (DWORD i = 0; i < Count; ++i)
      if (zelk_detail::IsSignaled(*events[i])) {
        zelk_detail::Consume(*events[i]);
        return WAIT_OBJECT_0 + i;
      }
    return WAIT_TIMEOUT;
  };
  DWORD result = ready();
  while (result == WAIT_TIMEOUT) {
    if (Milliseconds == INFINITE) {
      cv.wait(guard);
    } else if (cv.wait_until(guard, deadline) == std::cv_status::timeout) {
      result = ready();
      break;
    }
    result = ready();
  }
  for (auto& e : events) std::erase(e->Waiters, &cv);
  return result;
}

DWORD WaitForSingleObject(HANDLE Handle, DWORD Milliseconds) {
  return WaitForMultipleObjects(1, &Handle, 0, Milliseconds);
}

TEvent::TEvent(bool ManualReset, bool InitialState, const String& Name)
    : FHandle(CreateEventW(nullptr, ManualReset, InitialState, Name.empty() ? nullptr : Name.c_str())) {}

TEvent::~TEvent() { CloseHandle(FHandle); }

void TEvent::SetEvent() { ::SetEvent(FHandle); }

void TEvent::ResetEvent() { ::ResetEvent(FHandle); }

TWaitResult TEvent::WaitFor(Cardinal Timeout) {
  switch (WaitForSingleObject(FHandle, Timeout)) {
    case WAIT_OBJECT_0: return wrSignaled;
    case WAIT_TIMEOUT: return wrTimeout;
    case WAIT_ABANDONED: return wrAbandoned;
    default: return wrError;
  }
}
