#pragma once
// A table of ways to raise an exception and the message each must carry.
#include <functional>

#include <gtest/gtest.h>

#include "platform/rtl/SysUtils.h"

struct TExceptionCase {
  std::function<void()> Raise;
  const char16_t* Message;
};

template <std::size_t N>
void ExpectMessages(const TExceptionCase (&Cases)[N]) {
  for (const auto& c : Cases) {
    try {
      c.Raise();
      ADD_FAILURE() << "no exception";
    } catch (Exception& e) {
      EXPECT_EQ(e.Message, c.Message);
    }
  }
}
