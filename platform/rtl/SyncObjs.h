#pragma once
// Locks and events. Events are kernel objects behind HANDLE values (CreateEventW, SetEvent,
// WaitForSingleObject, CloseHandle) and wrapped by TEvent; a handle stays valid for waiters that
// are blocked on it while another thread closes it.
#include <memory>
#include <mutex>

#include "platform/rtl/System.h"

using BOOL = std::int32_t;
using HANDLE = void*;
using LPCWSTR = const Char*;

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_ABANDONED = 0x00000080;
constexpr DWORD WAIT_TIMEOUT = 0x00000102;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// Handle-based events. A named event is shared by every CreateEventW of the same name in this
// process while one handle to it is open. Invalid handles make the calls fail (FALSE, WAIT_FAILED).
HANDLE CreateEventW(void* EventAttributes, BOOL ManualReset, BOOL InitialState, LPCWSTR Name);
BOOL SetEvent(HANDLE Event);
BOOL ResetEvent(HANDLE Event);
BOOL CloseHandle(HANDLE Object);
DWORD WaitForSingleObject(HANDLE Handle, DWORD Milliseconds);
// Waits for one (WaitAll false: the result is WAIT_OBJECT_0 + index of the first signalled) or all
// of the handles. An auto-reset event is reset by the wait that it satisfies.
DWORD WaitForMultipleObjects(DWORD Count, const HANDLE* Handles, BOOL WaitAll, DWORD Milliseconds);

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion };

class TSynchroObject : public TObject {
public:
  virtual void Acquire() {}
  virtual void Release() {}
};

// A recursive lock: the owning thread may enter again.
class TCriticalSection : public TSynchroObject {
public:
  void Acquire() override { Enter(); }
  void Release() override { Leave(); }
  void Enter() { FLock.lock(); }
  void Leave() { FLock.unlock(); }
  bool TryEnter() { return FLock.try_lock(); }

private:
  std::recursive_mutex FLock;
};

// Manual-reset (stays signalled until ResetEvent) or auto-reset (one released waiter resets it).
class TEvent : public TSynchroObject {
public:
  explicit TEvent(bool ManualReset = true, bool InitialState = false, const String& Name = String());
  ~TEvent() override;
  TEvent(const TEvent&) = delete;
  TEvent& operator=(const TEvent&) = delete;

  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(Cardinal Timeout = INFINITE);
  void Acquire() override { WaitFor(INFINITE); }
  void Release() override { SetEvent(); }
  HANDLE Handle() const { return FHandle; }

private:
  HANDLE FHandle;
};

// A manual-reset event, initially not signalled.
class TSimpleEvent : public TEvent {
public:
  TSimpleEvent() : TEvent(true, false) {}
};

// Signalled object behind a handle; shared so that registrations (e.g. registry notifications)
// can keep signalling an event whose handle the owner closed.
namespace zelk_detail {
struct TKernelEvent;
std::shared_ptr<TKernelEvent> EventFromHandle(HANDLE Handle);
void SignalEvent(const std::shared_ptr<TKernelEvent>& Event);
}  // namespace zelk_detail
