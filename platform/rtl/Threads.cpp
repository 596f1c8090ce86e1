#include "platform/rtl/Threads.h"

#include <unistd.h>

#include <deque>
#include <memory>

namespace {

// Methods handed to the main thread by Synchronize (waiting) and Queue (not waiting).
struct TSyncItem {
  TThreadMethod Method;
  bool Waited = false;
  bool Done = false;
  std::exception_ptr Error;
};

struct TSyncQueue {
  std::mutex Lock;
  std::condition_variable Changed;
  std::deque<std::shared_ptr<TSyncItem>> Items;
  TWakeMainThread Wake;
};

// Never destroyed: threads may still queue work while the program exits.
TSyncQueue& SyncQueue() {
  static auto* queue = new TSyncQueue;
  return *queue;
}

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID(); }

void Enqueue(const std::shared_ptr<TSyncItem>& item) {
  auto& q = SyncQueue();
  TWakeMainThread wake;
  {
    std::lock_guard guard(q.Lock);
    q.Items.push_back(item);
    wake = q.Wake;
  }
  q.Changed.notify_all();
  if (wake) wake();
}

// Wakes a main thread blocked in CheckSynchronize or WaitFor.
void NotifyMainThread() {
  auto& q = SyncQueue();
  { std::lock_guard guard(q.Lock); }
  q.Changed.notify_all();
}

}  // namespace

TThreadID GetCurrentThreadId() { return static_cast<TThreadID>(gettid()); }

// On Linux the main thread's id is the process id.
TThreadID MainThreadID() { return static_cast<TThreadID>(getpid()); }

TThread::TThread(bool CreateSuspended) : FCreateSuspended(CreateSuspended) {}

TThread::~TThread() {
  if (!FThread.joinable()) return;
  if (FThread.get_id() == std::this_thread::get_id()) {
    FThread.detach();
    return;
  }
  Terminate();
  WaitUntilFinished();
}

void TThread::Start() {
  std::lock_guard guard(FLock);
  if (FStarted) throw EThread(u"Cannot call Start on a running or terminated thread");
  FStarted = true;
  // Run takes FLock first, so it cannot finish (and free a self-freeing object) before FThread is set.
  FThread = std::thread(&TThread::Run, this);
}

void TThread::Terminate() {
  FTerminated.store(true);
  TerminatedSet();
}

Integer TThread::WaitFor() {
  if (FFreeOnTerminate.load())
    throw EThread(u"Cannot wait for a thread that frees itself on termination");
  if (!FStarted) throw EThread(u"Cannot wait for a thread that was not started");
  if (FThread.joinable() && FThread.get_id() == std::this_thread::get_id())
    throw EThread(u"A thread cannot wait for itself");
  WaitUntilFinished();
  return FReturnValue.load();
}

void TThread::WaitUntilFinished() {
  if (OnMainThread()) {
    auto& q = SyncQueue();
    for (;;) {
      {
        std::unique_lock guard(q.Lock);
        q.Changed.wait(guard, [&] { return FFinished.load() || !q.Items.empty(); });
        if (FFinished.load()) break;
      }
      CheckSynchronize(0);
    }
  } else {
    std::unique_lock guard(FLock);
    FDone.wait(guard, [&] { return FFinished.load(); });
  }
  if (FThread.joinable()) FThread.join();
}

std::exception_ptr TThread::GetFatalException() const {
  std::lock_guard guard(FLock);
  return FFatalException;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

void TThread::Run() {
  { std::lock_guard guard(FLock); }
  FThreadID.store(GetCurrentThreadId());
  std::exception_ptr fatal;
  if (!Terminated()) {
    try {
      Execute();
    } catch (...) {
      fatal = std::current_exception();
    }
  }
  {
    std::lock_guard guard(FLock);
    FFatalException = fatal;
  }
  try {
    DoTerminate();
  } catch (...) {
    std::lock_guard guard(FLock);
    if (!FFatalException) FFatalException = std::current_exception();
  }
  if (FFreeOnTerminate.load()) {
    delete this;   // the destructor detaches the running std::thread
    return;
  }
  {
    std::lock_guard guard(FLock);
    FFinished.store(true);
  }
  FDone.notify_all();
  NotifyMainThread();
}

void TThread::Synchronize(TThread*, const TThreadMethod& Method) {
  if (OnMainThread()) {
    Method();
    return;
  }
  auto item = std::make_shared<TSyncItem>();
  item->Method = Method;
  item->Waited = true;
  Enqueue(item);
  auto& q = SyncQueue();
  std::unique_lock guard(q.Lock);
  q.Changed.wait(guard, [&] { return item->Done; });
  if (item->Error) std::rethrow_exception(item->Error);
}

void TThread::Queue(TThread*, const TThreadMethod& Method) {
  if (OnMainThread()) {
    Method();
    return;
  }
  auto item = std::make_shared<TSyncItem>();
  item->Method = Method;
  Enqueue(item);
}

bool CheckSynchronize(Integer Timeout) {
  if (!OnMainThread()) return false;
  auto& q = SyncQueue();
  std::deque<std::shared_ptr<TSyncItem>> items;
  {
    std::unique_lock guard(q.Lock);
    if (q.Items.empty() && Timeout > 0)
      q.Changed.wait_for(guard, std::chrono::milliseconds(Timeout), [&] { return !q.Items.empty(); });
    items.swap(q.Items);
  }
  if (items.empty()) return false;
  std::exception_ptr queuedError;
  for (auto& item : items) {
    try {
      item->Method();
    } catch (...) {
      if (item->Waited) item->Error = std::current_exception();
      else if (!queuedError) queuedError = std::current_exception();
    }
    std::lock_guard guard(q.Lock);
    item->Done = true;
  }
  q.Changed.notify_all();
  // A queued method's exception belongs to the main thread, after the others have run.
  if (queuedError) std::rethrow_exception(queuedError);
  return true;
}

TWakeMainThread SetWakeMainThread(TWakeMainThread Hook) {
  auto& q = SyncQueue();
  std::lock_guard guard(q.Lock);
  std::swap(q.Wake, Hook);
  return Hook;
}
