// The scope guard runs its action on every way out of the scope, unless dismissed.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/rtl/ScopeGuard.h"

TEST(ScopeGuard, RunsOnReturnAndOnExceptionButNotWhenDismissed) {
  int undone = 0;
  {
    const auto guard = ScopeExit([&] { ++undone; });
  }
  EXPECT_EQ(undone, 1);
  EXPECT_THROW(
      {
        const auto guard = ScopeExit([&] { ++undone; });
        throw std::runtime_error("step failed");
      },
      std::runtime_error);
  EXPECT_EQ(undone, 2);
  {
    auto guard = ScopeExit([&] { ++undone; });
    guard.Dismiss();
  }
  EXPECT_EQ(undone, 2);
}
