#include "platform/rtl/SyncObjs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

TEST(SyncObjs, ManualResetEventStaysSignalledUntilReset) {
  TEvent e(true, false);
  EXPECT_EQ(e.WaitFor(0), wrTimeout);
  e.SetEvent();
  EXPECT_EQ(e.WaitFor(0), wrSignaled);
  EXPECT_EQ(e.WaitFor(0), wrSignaled);
  e.ResetEvent();
  EXPECT_EQ(e.WaitFor(0), wrTimeout);
  TEvent initiallySet(true, true);
  EXPECT_EQ(initiallySet.WaitFor(0), wrSignaled);
}

TEST(SyncObjs, AutoResetEventReleasesExactlyOneWaiter) {
  TEvent e(false, false);
  e.SetEvent();
  EXPECT_EQ(e.WaitFor(0), wrSignaled);
  EXPECT_EQ(e.WaitFor(0), wrTimeout);

  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (e.WaitFor(300) == wrSignaled) ++released;
    });
  e.SetEvent();
  for (auto& t : waiters) t.join();
  EXPECT_EQ(released.load(), 1);
}

TEST(SyncObjs, WaitTimesOutAfterTheGivenTime) {
  TSimpleEvent e;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(e.WaitFor(60), wrTimeout);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}

TEST(SyncObjs, SetEventWakesAThreadWaitingWithoutTimeout) {
  TEvent e;
  std::atomic<TWaitResult> result{wrError};
  std::thread waiter([&] { result = e.WaitFor(INFINITE); });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  e.SetEvent();
  waiter.join();
  EXPECT_EQ(result.load(), wrSignaled);
}

TEST(SyncObjs, HandleCallsAndWaitForMultipleObjects) {
  HANDLE a = CreateEventW(nullptr, 1, 0, nullptr);
  HANDLE b = CreateEventW(nullptr, 0, 0, nullptr);
  ASSERT_NE(a, nullptr);
  HANDLE both[] = {a, b};
  EXPECT_EQ(WaitForMultipleObjects(2, both, 0, 0), WAIT_TIMEOUT);
  ASSERT_TRUE(SetEvent(b));
  EXPECT_EQ(WaitForMultipleObjects(2, both, 0, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT) << "the wait consumed the auto-reset event";
  SetEvent(b);
  EXPECT_EQ(WaitForMultipleObjects(2, both, 1, 0), WAIT_TIMEOUT) << "wait-all needs both";
  SetEvent(a);
  EXPECT_EQ(WaitForMultipleObjects(2, both, 1, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(b, 0), WAIT_TIMEOUT);
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_OBJECT_0);

  EXPECT_TRUE(CloseHandle(a));
  EXPECT_FALSE(CloseHandle(a));
  EXPECT_FALSE(SetEvent(a));
  EXPECT_EQ(WaitForSingleObject(a, 0), WAIT_FAILED);
  CloseHandle(b);
}

TEST(SyncObjs, NamedEventsAreSharedWithinTheProcess) {
  HANDLE first = CreateEventW(nullptr, 1, 0, u"ZelkTestShared");
  HANDLE second = CreateEventW(nullptr, 1, 0, u"ZelkTestShared");
  HANDLE other = CreateEventW(nullptr, 1, 0, nullptr);
  ASSERT_NE(first, second);
  SetEvent(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(other, 0), WAIT_TIMEOUT);
  CloseHandle(first);
  CloseHandle(second);
  CloseHandle(other);
  HANDLE fresh = CreateEventW(nullptr, 1, 0, u"ZelkTestShared");
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT) << "the name was released with its last handle";
  CloseHandle(fresh);
}

TEST(SyncObjs, CriticalSectionIsRecursiveAndExcludesOtherThreads) {
  TCriticalSection lock;
  lock.Enter();
  EXPECT_TRUE(lock.TryEnter());
  lock.Leave();
  std::atomic<bool> otherGotIt{true};
  std::thread([&] { otherGotIt = lock.TryEnter(); }).join();
  EXPECT_FALSE(otherGotIt.load());
  lock.Leave();

  long counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 10000; ++i) {
        lock.Acquire();
        ++counter;
        lock.Release();
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 40000);
}
