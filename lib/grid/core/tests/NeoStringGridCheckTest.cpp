#include "lib/grid/core/NeoStringGridCheck.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/TypInfo.h"

namespace {

TEST(GridCheck, TheBaseCheckerChangesNothingAndAnswersOk) {
  TNeoStringGridCheck checker(nullptr);
  EXPECT_EQ(checker.GetLastResult(), mrOk);
  EXPECT_FALSE(checker.GetGotoCell() || checker.GetAutoCorrect() || checker.GetAutoMarkError() ||
               checker.GetUseCorrect() || checker.GetUseMarkError());
  EXPECT_EQ(checker.GetGrid(), nullptr);

  checker.StartCheck();
  for (Integer row = 1; row <= 3; ++row) {
    checker.SetLastResult(mrCancel);
    EXPECT_EQ(checker.Correct(1, row, u"Tehxt <e>x</e>"), u"Tehxt <e>x</e>");
    EXPECT_EQ(checker.GetLastResult(), mrOk);
    checker.SetLastResult(mrAbort);
    EXPECT_EQ(checker.MarkError(1, row, u""), u"");
    EXPECT_EQ(checker.GetLastResult(), mrOk);
  }
  checker.StopCheck();
}

TEST(GridCheck, ForgetsTheGridWhenItIsFreed) {
  TNeoStringGridCheck checker(nullptr);
  auto grid = std::make_unique<TComponent>(nullptr);
  checker.SetGrid(grid.get());
  EXPECT_EQ(checker.GetGrid(), grid.get());
  grid.reset();
  EXPECT_EQ(checker.GetGrid(), nullptr);

  // A checker freed before its grid leaves nothing behind in the grid.
  auto other = std::make_unique<TComponent>(nullptr);
  {
    TNeoStringGridCheck shortLived(nullptr);
    shortLived.SetGrid(other.get());
  }
  other.reset();
}

TEST(GridCheck, PublishesItsSwitches) {
  RegisterNeoStringGridCheckRtti();
  TNeoStringGridCheck checker(nullptr);
  for (const Char* name : {u"GotoCell", u"AutoCorrect", u"AutoMarkError", u"UseCorrect", u"UseMarkError"}) {
    ASSERT_TRUE(IsPublishedProp(&checker, name)) << UTF8Encode(name);
    SetOrdProp(&checker, name, 1);
    EXPECT_EQ(GetOrdProp(&checker, name), 1);
  }
  EXPECT_TRUE(checker.GetUseMarkError());
  EXPECT_FALSE(IsPublishedProp(&checker, u"LastResult"));
  EXPECT_EQ(FindClass(u"TNeoStringGridCheck"), TNeoStringGridCheck::StaticClass());
}

}  // namespace
