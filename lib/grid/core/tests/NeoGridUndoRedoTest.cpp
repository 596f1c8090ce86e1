// Undo and redo of cell changes on a real base grid.
#include "lib/grid/core/NeoGridUndoRedo.h"

#include <gtest/gtest.h>

#include <memory>

#include "BaseGridTestSupport.h"

namespace {

class UndoRedo : public ::testing::Test {
protected:
  void SetUp() override {
    Grid.SetColCount(6);
    Grid.SetRowCount(20);
    Grid.SetUndoRedo(&Undo);
  }
  // Writes the cell and registers the change, as the grid's editing does.
  void Change(Integer C, Integer R, const String& Value) {
    Undo.RegisterChange(C, R, Grid.GetCellEx(C, R), Value);
    Grid.SetCellEx(C, R, Value);
  }
  TTestGrid Grid{nullptr};
  TNeoGridUndoRedo Undo{nullptr};
};

TEST_F(UndoRedo, ASingleChangeGoesBackAndForth) {
  EXPECT_EQ(Undo.GetGrid(), &Grid);
  Grid.SetCellEx(2, 3, u"a");
  Change(2, 3, u"b");
  std::vector<String> seen;
  Undo.OnUndo = [&](TObject*, TBaseGrid* G, Integer C, Integer R, const String& Orig, const String& New) {
    EXPECT_EQ(G, &Grid);
    EXPECT_EQ(C, 2);
    EXPECT_EQ(R, 3);
    seen.push_back(Orig + u">" + New);
  };
  Undo.Undo();
  EXPECT_EQ(Grid.GetCellEx(2, 3), u"a");
  EXPECT_EQ(Undo.GetLevel(), 0);
  EXPECT_TRUE(Undo.CanRedo());
  EXPECT_FALSE(Undo.CanUndo());
  EXPECT_EQ(seen, std::vector<String>{u"b>a"});
  EXPECT_EQ(Grid.GetCol(), 2);
  EXPECT_EQ(Grid.GetRow(), 3);
  Undo.Undo();   // nothing left to undo
  EXPECT_EQ(Undo.GetLevel(), 0);
  Undo.Redo();
  EXPECT_EQ(Grid.GetCellEx(2, 3), u"b");
  EXPECT_EQ(Undo.GetLevel(), 1);
  Undo.Redo();   // nothing left to redo
  EXPECT_EQ(Undo.GetLevel(), 1);
}

TEST_F(UndoRedo, CheckBoxCellsUndoThroughTheirText) {
  Grid.CheckBoxes = {{1, 1}};
  Change(1, 1, u"1");
  Undo.Undo();
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"check:");
}

TEST_F(UndoRedo, ASequenceUndoesInReverseAndRedoesInOrder) {
  Grid.SetCellEx(1, 1, u"x");
  Undo.StartSequence();
  Change(1, 1, u"one");
  Change(2, 2, u"two");
  Change(1, 1, u"three");
  Undo.StopSequence();
  ASSERT_EQ(Undo.GetItems()->GetCount(), 5);
  const TUndoRedoItem* marker = Undo.GetItems()->Item(0);
  EXPECT_EQ(marker->GetCol(), -1);
  EXPECT_EQ(marker->GetRow(), -1);
  EXPECT_TRUE(marker->GetSequenceStart());
  std::vector<Integer> order;
  Undo.OnUndo = [&](TObject*, TBaseGrid*, Integer C, Integer R, const String&, const String&) { order.push_back(C * 10 + R); };
  Undo.Undo();
  EXPECT_EQ(order, (std::vector<Integer>{11, 22, 11}));
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"x");
  EXPECT_EQ(Grid.GetCellEx(2, 2), u"");
  EXPECT_EQ(Undo.GetLevel(), 0);
  std::vector<String> redone;
  Undo.OnRedo = [&](TObject*, TBaseGrid*, Integer, Integer, const String&, const String& New) { redone.push_back(New); };
  Undo.Redo();
  EXPECT_EQ(redone, (std::vector<String>{u"one", u"two", u"three"}));
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"three");
  EXPECT_EQ(Undo.GetLevel(), 5);
}

TEST_F(UndoRedo, MaxLevelDropsTheOldestAndNewChangesKeepUndoneOnes) {
  Undo.SetMaxLevel(2);
  Change(1, 1, u"a");
  Change(1, 2, u"b");
  Change(1, 3, u"c");
  EXPECT_EQ(Undo.GetItems()->GetCount(), 2);
  EXPECT_EQ(Undo.GetLevel(), 2);
  EXPECT_EQ(Undo.GetItems()->Item(0)->GetRow(), 2);

  Undo.SetMaxLevel(0);
  Undo.Undo();
  Undo.Undo();
  Change(4, 4, u"d");
  EXPECT_EQ(Undo.GetItems()->GetCount(), 3);
  EXPECT_EQ(Undo.GetLevel(), 3);
  EXPECT_EQ(Undo.GetItems()->Item(2)->GetCol(), 4);
}

TEST_F(UndoRedo, AStopMarkerWithoutItsStartStaysAboveLevelZero) {
  Undo.SetMaxLevel(2);
  Undo.StartSequence();
  Change(1, 1, u"a");
  Change(1, 2, u"b");
  Undo.StopSequence();   // drops the start marker
  ASSERT_FALSE(Undo.GetItems()->Item(0)->GetSequenceStart());
  Undo.Undo();
  EXPECT_EQ(Undo.GetLevel(), 0);
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"");
  EXPECT_EQ(Grid.GetCellEx(1, 2), u"");
  Undo.Redo();   // a change, not a start: one step
  EXPECT_EQ(Undo.GetLevel(), 1);
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"a");

  // A marker alone changes no cell either way.
  Undo.Reset();
  Undo.SetMaxLevel(0);
  Undo.StopSequence();
  Undo.Undo();
  EXPECT_EQ(Undo.GetLevel(), 0);
  Undo.StartSequence();
  Undo.Undo();
  Undo.Undo();
  EXPECT_EQ(Undo.GetLevel(), 0);
  Undo.Redo();
  Undo.Redo();
  EXPECT_EQ(Undo.GetLevel(), 2);
}

TEST_F(UndoRedo, TenThousandChangesInOneSequence) {
  Grid.SetRowCount(10001);
  Undo.StartSequence();
  for (Integer r = 1; r <= 10000; ++r) Change(1, r, IntToStr(r));
  Undo.StopSequence();
  Undo.Undo();
  EXPECT_EQ(Undo.GetLevel(), 0);
  EXPECT_EQ(Grid.GetCellEx(1, 1), u"");
  EXPECT_EQ(Grid.GetCellEx(1, 10000), u"");
  Undo.Redo();
  EXPECT_EQ(Undo.GetLevel(), 10002);
  EXPECT_EQ(Grid.GetCellEx(1, 5000), u"5000");
}

TEST(UndoRedoLinks, EachSideForgetsTheOtherWhenFreed) {
  auto undo = std::make_unique<TNeoGridUndoRedo>(nullptr);
  {
    TTestGrid grid(nullptr);
    grid.SetUndoRedo(undo.get());
    undo->RegisterChange(1, 1, u"", u"x");
  }
  EXPECT_EQ(undo->GetGrid(), nullptr);
  undo->Undo();   // without a grid nothing happens
  EXPECT_EQ(undo->GetLevel(), 1);
  TTestGrid grid(nullptr);
  grid.SetUndoRedo(undo.get());
  undo.reset();
  EXPECT_EQ(grid.GetUndoRedo(), nullptr);
}

}  // namespace
