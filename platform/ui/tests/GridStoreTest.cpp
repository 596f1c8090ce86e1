// The string grid's cell store: cells survive count changes, live past the counts, cost memory
// only when filled, and reject negative indexes on writes.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <vector>

#include "platform/ui/Grids.h"

namespace {

// Resident memory of the process in bytes.
long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * 4096;
}

class GridStoreTest : public ::testing::Test {
protected:
  std::unique_ptr<TStringGrid> Grid = std::make_unique<TStringGrid>(nullptr);
  std::vector<std::unique_ptr<TObject>> Objects;
  TObject* NewObject() { return Objects.emplace_back(std::make_unique<TObject>()).get(); }
};

TEST_F(GridStoreTest, CellsSurviveLoweringAndRaisingTheCounts) {
  Grid->SetColCount(10);
  Grid->SetRowCount(1000);
  std::vector<TObject*> objects;
  for (Integer r = 0; r < 1000; ++r) {
    objects.push_back(NewObject());
    for (Integer c = 0; c < 10; ++c) Grid->SetCells(c, r, IntToStr(r) + u"," + IntToStr(c));
    Grid->SetObjects(r % 10, r, objects.back());
  }
  Grid->SetRowCount(5);
  EXPECT_EQ(Grid->GetRowCount(), 5);
  EXPECT_EQ(Grid->GetCells(3, 700), u"700,3");   // past the count, still readable
  Grid->SetRowCount(1000);
  for (Integer r = 0; r < 1000; ++r) {
    ASSERT_EQ(Grid->GetCells(9, r), IntToStr(r) + u",9");
    ASSERT_EQ(Grid->GetObjects(r % 10, r), objects[static_cast<std::size_t>(r)]);
    ASSERT_EQ(Grid->GetObjects((r + 1) % 10, r), nullptr);
  }

  // A column written past ColCount is there once the count reaches it.
  Grid->SetCells(40, 2, u"hidden");
  EXPECT_EQ(Grid->GetCells(40, 2), u"hidden");
  EXPECT_EQ(Grid->GetRows(2)->GetCount(), 10);
  Grid->SetColCount(41);
  EXPECT_EQ(Grid->GetRows(2)->GetStrings(40), u"hidden");
  EXPECT_EQ(Grid->GetRows(2)->GetStrings(39), u"");
}

TEST_F(GridStoreTest, NegativeIndexesReadEmptyAndRefuseWrites) {
  Grid->SetCells(0, 0, u"a");
  EXPECT_EQ(Grid->GetCells(-1, 0), u"");
  EXPECT_EQ(Grid->GetCells(0, -1), u"");
  EXPECT_EQ(Grid->GetObjects(-1, -1), nullptr);
  for (auto [c, r] : {std::pair{-1, 0}, std::pair{0, -1}, std::pair{-5, -5}}) {
    try {
      Grid->SetCells(c, r, u"x");
      FAIL() << "no error for " << c << "," << r;
    } catch (const EInvalidGridOperation& e) {
      EXPECT_EQ(e.Message, u"Grid index out of range");
    }
    EXPECT_THROW(Grid->SetObjects(c, r, NewObject()), EInvalidGridOperation);
  }
  EXPECT_EQ(Grid->GetCells(0, 0), u"a");
}

TEST_F(GridStoreTest, ObjectsAreIndependentOfTexts) {
  TObject* o = NewObject();
  Grid->SetObjects(2, 3, o);
  EXPECT_EQ(Grid->GetCells(2, 3), u"");
  EXPECT_EQ(Grid->GetObjects(2, 3), o);
  Grid->SetCells(2, 3, u"text");
  Grid->SetCells(2, 3, u"");   // emptying the text keeps the object
  EXPECT_EQ(Grid->GetObjects(2, 3), o);
  Grid->SetObjects(2, 3, nullptr);
  EXPECT_EQ(Grid->GetObjects(2, 3), nullptr);
  // Long and short texts, replaced by each other.
  String longText(300, u'x');
  Grid->SetCells(1, 1, longText);
  Grid->SetCells(1, 1, u"short");
  EXPECT_EQ(Grid->GetCells(1, 1), u"short");
  Grid->SetCells(1, 1, longText);
  EXPECT_EQ(Grid->GetCells(1, 1), longText);
}

TEST_F(GridStoreTest, RowsAndColumnsAsStringLists) {
  TObject* o = NewObject();
  for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, 1, u"s" + IntToStr(c));
  Grid->SetObjects(4, 1, o);
  Grid->SetCells(0, 2, u"old");
  Grid->SetObjects(0, 2, NewObject());
  Grid->GetRows(2)->Assign(Grid->GetRows(1));   // Rows[2] := Rows[1]
  for (Integer c = 0; c < 5; ++c) EXPECT_EQ(Grid->GetCells(c, 2), u"s" + IntToStr(c));
  EXPECT_EQ(Grid->GetObjects(4, 2), o);
  EXPECT_EQ(Grid->GetObjects(0, 2), nullptr);

  // A column and a plain list, both ways.
  TStringList list;
  list.AddObject(u"a", o);
  list.Add(u"b");
  Grid->SetCols(3, &list);
  EXPECT_EQ(Grid->GetCells(3, 0), u"a");
  EXPECT_EQ(Grid->GetObjects(3, 0), o);
  EXPECT_EQ(Grid->GetCells(3, 1), u"b");
  EXPECT_EQ(Grid->GetCells(3, 2), u"");   // past the source: emptied
  TStringList copy;
  copy.Assign(Grid->GetCols(3));
  EXPECT_EQ(copy.GetCount(), Grid->GetRowCount());
  EXPECT_EQ(copy.GetText(), u"a\r\nb\r\n\r\n\r\n\r\n");
  EXPECT_THROW(Grid->GetRows(0)->Add(u"more"), EInvalidGridOperation);
}

TEST_F(GridStoreTest, MemoryFollowsFilledCellsNotCounts) {
  long long before = ResidentBytes();
  Grid->SetRowCount(1000000);
  Grid->SetColCount(1000000);
  Grid->SetCells(1000000000, 5, u"far away");
  Grid->SetCells(3, 999999, u"last");
  long long after = ResidentBytes();
  EXPECT_LT(after - before, 4ll << 20) << "a million empty rows and a far cell cost " << (after - before);
  EXPECT_EQ(Grid->GetCells(1000000000, 5), u"far away");
  EXPECT_EQ(Grid->GetCells(999999999, 5), u"");

  grids::TCellStore store;
  store.SetText(7, 1, u"x");
  store.SetObject(8, 1, reinterpret_cast<TObject*>(&store));
  store.SetText(2000000, 1, u"far");
  EXPECT_EQ(store.FilledRows(), 1);
  store.SetText(7, 1, u"");
  store.SetText(2000000, 1, u"");
  EXPECT_EQ(store.FilledRows(), 1);   // the object keeps the row
  store.SetObject(8, 1, nullptr);
  EXPECT_EQ(store.FilledRows(), 0);   // every cell empty: the row is given back
  EXPECT_EQ(store.Text(7, 1), u"");
}

}  // namespace
