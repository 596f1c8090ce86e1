#pragma once
// TThread: a thread object whose Execute runs on its own thread.
//
// - Created suspended, the thread starts with Start. Created running, it starts once the object
//   is complete: C++ has no step after the most-derived constructor, so make such threads with
//   TThread::Create<T>(args...), which constructs and starts (a thread built with plain `new` and
//   CreateSuspended false waits for Start like a suspended one).
// - Terminate only sets Terminated; Execute is expected to look at it.
// - WaitFor blocks until Execute has returned (and OnTerminate has run) and gives ReturnValue. On
//   the main thread it runs Synchronize calls meanwhile, so a thread synchronizing before it ends
//   cannot deadlock the waiter.
// - With FreeOnTerminate, the object deletes itself on its own thread once Execute has returned,
//   normally or by an exception; nobody may touch it after that (WaitFor raises EThread).
// - An exception leaving Execute ends the thread and is kept in FatalException.
// - Synchronize runs a method on the main thread: queued for CheckSynchronize, which the main
//   loop calls; WakeMainThread (a hook the window system sets) tells the loop there is work.
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/rtl/SysUtils.h"

using TThreadID = Cardinal;
using TThreadMethod = std::function<void()>;

ZELK_DECLARE_EXCEPTION(EThread, Exception)

TThreadID GetCurrentThreadId();
// The thread that loaded the program (the GUI thread).
TThreadID MainThreadID();

class TThread : public TObject {
  ZELK_CLASS(TThread, TObject)
public:
  explicit TThread(bool CreateSuspended);
  // Destroying a running thread terminates it and waits for it.
  ~TThread() override;

  // Constructs a T and starts it unless it was created suspended: the platform's "created running".
  template <class T, class... A>
  static T* Create(A&&... Args) {
    T* thread = new T(std::forward<A>(Args)...);
    if (!thread->FCreateSuspended) thread->Start();
    return thread;
  }

  // Starts the thread. Raises EThread when it already started.
  void Start();
  void Terminate();
  // Waits until the thread has finished; returns ReturnValue.
  Integer WaitFor();

  bool GetTerminated() const { return FTerminated.load(); }
  bool GetFinished() const { return FFinished.load(); }
  bool GetStarted() const { return FStarted; }
  bool GetFreeOnTerminate() const { return FFreeOnTerminate.load(); }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate.store(Value); }
  Integer GetReturnValue() const { return FReturnValue.load(); }
  TThreadID GetThreadID() const { return FThreadID.load(); }
  // The exception that ended Execute, if any.
  std::exception_ptr GetFatalException() const;

  // Fired after Execute returns, on the main thread through Synchronize.
  TNotifyEvent OnTerminate;

  // Runs Method on the main thread and waits for it; on the main thread itself it runs at once.
  // An exception from Method is raised again in the calling thread.
  static void Synchronize(TThread* AThread, const TThreadMethod& Method);
  // Queues Method for the main thread without waiting.
  static void Queue(TThread* AThread, const TThreadMethod& Method);

protected:
  virtual void Execute() = 0;
  // Runs OnTerminate (synchronized) when assigned.
  virtual void DoTerminate();
  // Called by Terminate after the flag is set, on the terminating thread: wake a waiting Execute.
  virtual void TerminatedSet() {}
  bool Terminated() const { return FTerminated.load(); }
  void SetReturnValue(Integer Value) { FReturnValue.store(Value); }
  void Synchronize(const TThreadMethod& Method) { Synchronize(this, Method); }
  void Queue(const TThreadMethod& Method) { Queue(this, Method); }

private:
  void Run();
  void WaitUntilFinished();

  std::thread FThread;
  bool FCreateSuspended;
  bool FStarted = false;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<Integer> FReturnValue{0};
  std::atomic<TThreadID> FThreadID{0};
  mutable std::mutex FLock;
  std::condition_variable FDone;
  std::exception_ptr FFatalException;
};

// Runs the methods queued by Synchronize and Queue; call on the main thread (the message loop
// does). Waits up to Timeout ms for work when none is queued. Returns whether anything ran.
bool CheckSynchronize(Integer Timeout = 0);

// Called (from any thread) whenever a method is queued for the main thread; the window system
// sets it to wake its message loop. Returns the previous hook.
using TWakeMainThread = std::function<void()>;
TWakeMainThread SetWakeMainThread(TWakeMainThread Hook);
