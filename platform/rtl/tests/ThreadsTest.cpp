#include "platform/rtl/Threads.h"

#include <gtest/gtest.h>

#include "platform/rtl/SyncObjs.h"

namespace {

class TProbeThread : public TThread {
public:
  explicit TProbeThread(bool suspended, std::function<void(TProbeThread&)> body, TEvent* destroyed = nullptr)
      : TThread(suspended), FBody(std::move(body)), FDestroyed(destroyed) {}
  ~TProbeThread() override {
    if (FDestroyed) FDestroyed->SetEvent();
  }
  using TThread::SetReturnValue;
  using TThread::Synchronize;
  using TThread::Terminated;
  std::atomic<bool> Ran{false};
  std::atomic<TThreadID> RanOn{0};

protected:
  void Execute() override {
    Ran = true;
    RanOn = GetCurrentThreadId();
    FBody(*this);
  }

private:
  std::function<void(TProbeThread&)> FBody;
  TEvent* FDestroyed;
};

}  // namespace

TEST(Threads, SuspendedThreadRunsOnlyAfterStart) {
  TProbeThread t(true, [](TProbeThread& self) { self.SetReturnValue(42); });
  EXPECT_FALSE(t.GetStarted());
  EXPECT_FALSE(t.Ran.load());
  t.Start();
  EXPECT_EQ(t.WaitFor(), 42);
  EXPECT_TRUE(t.Ran.load());
  EXPECT_TRUE(t.GetFinished());
  EXPECT_NE(t.RanOn.load(), MainThreadID());
  EXPECT_EQ(t.GetThreadID(), t.RanOn.load());
  EXPECT_THROW(t.Start(), EThread);
}

TEST(Threads, CreatedRunningStartsOnceConstructed) {
  std::unique_ptr<TProbeThread> t(TThread::Create<TProbeThread>(false, [](TProbeThread& self) { self.SetReturnValue(7); }));
  EXPECT_TRUE(t->GetStarted());
  EXPECT_EQ(t->WaitFor(), 7);
}

TEST(Threads, TerminateEndsALoopingExecuteAndDestructionWaits) {
  TEvent looping;
  auto* t = new TProbeThread(false, [&](TProbeThread& self) {
    looping.SetEvent();
    while (!self.Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  t->Start();
  ASSERT_EQ(looping.WaitFor(5000), wrSignaled);
  EXPECT_FALSE(t->GetFinished());
  delete t;   // terminates and waits; the sanitizer build sees no use after free
}

TEST(Threads, SelfFreeingThreadIsGoneOnceExecuteReturnsEvenByException) {
  for (bool throws : {false, true}) {
    TEvent destroyed;
    auto* t = new TProbeThread(true, [throws](TProbeThread&) {
      if (throws) throw Exception(u"failure in the thread");
    }, &destroyed);
    t->SetFreeOnTerminate(true);
    EXPECT_THROW(t->WaitFor(), EThread);
    t->Start();
    EXPECT_EQ(destroyed.WaitFor(5000), wrSignaled) << "throws=" << throws;
  }
}

TEST(Threads, ExceptionLeavingExecuteIsKeptAsFatalException) {
  TProbeThread t(true, [](TProbeThread&) { throw EConvertError(u"'x' is not a valid integer value"); });
  t.Start();
  t.WaitFor();
  ASSERT_TRUE(t.GetFatalException());
  try {
    std::rethrow_exception(t.GetFatalException());
  } catch (EConvertError& e) {
    EXPECT_EQ(e.Message, u"'x' is not a valid integer value");
  }
}

TEST(Threads, SynchronizeRunsOnTheMainThreadWhileItWaits) {
  ASSERT_EQ(GetCurrentThreadId(), MainThreadID());
  TThreadID ranOn = 0;
  TProbeThread t(true, [&](TProbeThread& self) {
    self.Synchronize([&] { ranOn = GetCurrentThreadId(); });
    self.SetReturnValue(1);
  });
  std::atomic<int> terminated{0};
  t.OnTerminate = [&](TObject* sender) {
    EXPECT_EQ(sender, &t);
    EXPECT_EQ(GetCurrentThreadId(), MainThreadID());
    ++terminated;
  };
  t.Start();
  EXPECT_EQ(t.WaitFor(), 1);   // WaitFor serves the synchronized calls, else this would deadlock
  EXPECT_EQ(ranOn, MainThreadID());
  EXPECT_EQ(terminated.load(), 1);
}

TEST(Threads, CheckSynchronizeServesTheQueueAndWakesTheLoop) {
  std::atomic<int> wakes{0};
  auto previous = SetWakeMainThread([&] { ++wakes; });
  std::vector<int> order;
  TProbeThread t(true, [&](TProbeThread& self) {
    TThread::Queue(&self, [&] { order.push_back(1); });
    self.Synchronize([&] { order.push_back(2); });
    try {
      self.Synchronize([] { throw Exception(u"raised on the main thread"); });
    } catch (Exception& e) {
      self.SetReturnValue(e.Message == u"raised on the main thread" ? 3 : -1);
    }
  });
  t.Start();
  while (!t.GetFinished()) CheckSynchronize(10);
  EXPECT_EQ(t.WaitFor(), 3);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_GE(wakes.load(), 3);
  SetWakeMainThread(previous);
  EXPECT_FALSE(CheckSynchronize(0));
}
