// The grid's small lists: integer lists and their events, sort index lists and their text, the
// control list, pictures by file name and the line-by-line string list.
#include "lib/grid/core/NeoGridLists.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "lib/grid/core/NeoGridUnits.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Forms.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/Headless.h"

namespace fs = std::filesystem;

namespace {

std::vector<Integer> Items(const TIntList& List) {
  std::vector<Integer> items;
  for (Integer i = 0; i < List.GetCount(); ++i) items.push_back(List.GetInteger(i));
  return items;
}

// A fresh folder under the test output for the files a test writes.
fs::path ScratchFolder(const char* Name) {
  const fs::path dir = fs::path(ZELK_TEST_OUTPUT) / "grid-lists" / Name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

String PathText(const fs::path& Path) { return UTF8ToString(Path.string()); }

// ---------------------------------------------------------------------------------------------
// TIntList

struct TChangeLog {
  std::vector<std::pair<Integer, Integer>> Cells;
  TObject* Sender = nullptr;
  TImageChangeEvent Handler() {
    return [this](TObject* ASender, Integer ACol, Integer ARow) {
      Sender = ASender;
      Cells.emplace_back(ACol, ARow);
    };
  }
};

TEST(GridIntList, ChangesFireTheCellEvent) {
  TIntList list(3, 7);
  TChangeLog log;
  list.OnChange = log.Handler();
  list.Add(10);
  list.Add(-20);
  list.SetInteger(0, 11);
  list.Delete(1);
  EXPECT_EQ(log.Cells.size(), 4u);
  EXPECT_EQ(log.Cells.front(), std::make_pair(3, 7));
  EXPECT_EQ(log.Sender, &list);

  list.Insert(0, 5);   // plain insert: silent
  list.DeleteValue(99);   // absent: silent
  EXPECT_EQ(log.Cells.size(), 4u);
  list.DeleteValue(11);
  EXPECT_EQ(log.Cells.size(), 5u);
  EXPECT_EQ(Items(list), std::vector<Integer>{5});
  EXPECT_TRUE(list.HasValue(5));
  EXPECT_FALSE(list.HasValue(11));

  list.SetInteger(0, -2147483647 - 1);
  EXPECT_EQ(list.GetInteger(0), -2147483647 - 1);
  EXPECT_THROW(list.SetInteger(1, 0), EListError);
}

TEST(GridIntList, SortedInsertAndSearch) {
  TIntList list(0, 0);
  TChangeLog log;
  list.OnChange = log.Handler();
  EXPECT_EQ(list.SortedPosOf(4), 0);
  EXPECT_EQ(list.SortedIndexOf(4), -1);
  list.Insert(3);   // an empty list gets Add, which fires
  EXPECT_EQ(log.Cells.size(), 1u);
  list.Insert(1);
  list.Insert(5);
  list.Insert(4);
  list.Insert(4);
  list.Insert(0);
  list.Insert(9);
  EXPECT_EQ(log.Cells.size(), 1u);   // sorted inserts into a list are silent
  EXPECT_EQ(Items(list), (std::vector<Integer>{0, 1, 3, 4, 4, 5, 9}));
  EXPECT_EQ(list.SortedIndexOf(9), 6);
  EXPECT_EQ(list.SortedIndexOf(0), 0);
  EXPECT_EQ(list.GetInteger(list.SortedIndexOf(4)), 4);
  EXPECT_EQ(list.SortedIndexOf(2), -1);
  EXPECT_EQ(list.SortedPosOf(2), 2);
  EXPECT_EQ(list.SortedPosOf(10), 7);
  EXPECT_EQ(list.SortedPosOf(-1), 0);

  TIntList small(0, 0);
  for (Integer v : {1, 3, 5}) small.Add(v);
  small.Insert(4);
  EXPECT_EQ(Items(small), (std::vector<Integer>{1, 3, 4, 5}));
  EXPECT_EQ(small.SortedIndexOf(4), 2);
  EXPECT_EQ(small.SortedIndexOf(2), -1);
}

TEST(GridIntList, StrValueReadsAndWritesCommaText) {
  TIntList list(1, 2);
  for (Integer v : {1, 2, 3}) list.Add(v);
  EXPECT_EQ(list.GetStrValue(), u"1,2,3");
  TChangeLog log;
  list.OnChange = log.Handler();
  list.SetStrValue(u"4,5");
  EXPECT_EQ(Items(list), (std::vector<Integer>{4, 5}));
  EXPECT_EQ(log.Cells.size(), 2u);
  list.SetStrValue(u" -6 7,\"8\"");   // blanks separate too, quotes are comma text's
  EXPECT_EQ(Items(list), (std::vector<Integer>{-6, 7, 8}));
  list.SetStrValue(u"");
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetStrValue(), u"");

  try {
    list.SetStrValue(u"1,x,3");
    FAIL() << "no conversion error";
  } catch (EConvertError& e) {
    EXPECT_NE(e.Message.find(u"'x'"), String::npos) << e.what();
  }
  EXPECT_EQ(Items(list), std::vector<Integer>{1});   // what came before the bad item stays
}

class GridListsUnit : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Units().Clear();
  }
  void TearDown() override {
    if (Units().Initialized()) FinalizeUnits();
    Units().Clear();
  }
};

TEST_F(GridListsUnit, StartUpCountsTagsFromZeroAndPublishesThePictureName) {
  RegisterNeoGridUnits();
  ASSERT_GE(Units().Count(), 2);
  EXPECT_EQ(Units().Names(Units().Count() - 2), u"NeoGridLists");
  EXPECT_EQ(Units().Names(Units().Count() - 1), u"NeoGrid");   // the last of the grid's units
  EXPECT_TRUE(Units().Contains(u"NeoGridUtil"));
  TIntList before(0, 0);   // lists made before the start-up count on from wherever the counter is
  (void)before;
  InitializeUnits();
  TIntList first(0, 0);
  TSortIndexList second(0, 0);
  TIntList third(5, 5);
  EXPECT_EQ(first.GetTag(), 0);
  EXPECT_EQ(second.GetTag(), 1);
  EXPECT_EQ(third.GetTag(), 2);

  TFilePicture picture;
  SetStrProp(&picture, u"Filename", u"/no/such.png");
  EXPECT_EQ(picture.GetFilename(), u"/no/such.png");
  EXPECT_EQ(GetOrdProp(&picture, u"Width"), 0);
  EXPECT_THROW(SetOrdProp(&picture, u"Width", 5), EPropertyError);   // measured, never set
}

// The library's units start in the program's link order, each layer after those it builds on.
TEST_F(GridListsUnit, LibraryUnitsStartInLinkOrder) {
  RegisterNeoGridUnits();
  const Char* const order[] = {u"NeoXPVS",          u"NeoGridUtil",      u"NeoUtils",    u"NeoPersistence",
                               u"NeoGDIPlusApi",    u"NeoGDIPlusClasses", u"NeoGDIP",          u"NeoGraphicsTypes",
                               u"NeoSVG",           u"NeoGridLists",     u"NeoGrid"};
  Integer last = -1;
  for (const Char* name : order) {
    Integer at = -1;
    for (Integer i = 0; i < Units().Count(); ++i)
      if (Units().Names(i) == name) at = i;
    EXPECT_GT(at, last) << UTF8Encode(name);
    last = at;
  }
  InitializeUnits();
  EXPECT_TRUE(Units().Initialized());
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList

TEST(GridSortIndexList, TextRoundTripsColumnsAndDirections) {
  TSortIndexList list(0, 0);
  list.AddIndex(3, true);
  list.AddIndex(5, false);
  EXPECT_EQ(Items(list), (std::vector<Integer>{3, static_cast<Integer>(0x80000005u)}));
  EXPECT_EQ(list.SaveToString(), u"u3;d5");
  EXPECT_EQ(list.GetSortColumns(1), 5);
  EXPECT_TRUE(list.GetSortDirections(0));
  EXPECT_FALSE(list.GetSortDirections(1));

  for (const Char* text : {u"u3;d5", u"u3;;x;d5", u"u3;d5;", u";u3;D5"}) {
    TSortIndexList loaded(0, 0);
    loaded.AddIndex(9, true);
    loaded.LoadFromString(text);
    EXPECT_EQ(Items(loaded), Items(list)) << UTF8Encode(text);
  }
  TSortIndexList odd(0, 0);
  odd.LoadFromString(u"ux;d-4;u 7");
  EXPECT_EQ(odd.SaveToString(), u"u0;d0;u7");   // numbers that are none give column 0
  odd.LoadFromString(u"");
  EXPECT_EQ(odd.GetCount(), 0);
  EXPECT_EQ(odd.SaveToString(), u"");
}

TEST(GridSortIndexList, HighColumnsUseUnsignedBits) {
  TSortIndexList list(0, 0);
  list.AddIndex(0x7FFFFFFF, false);
  list.AddIndex(70000, true);
  EXPECT_EQ(list.GetInteger(0), -1);   // every bit set
  EXPECT_EQ(list.GetSortColumns(0), 0x7FFFFFFF);
  EXPECT_FALSE(list.GetSortDirections(0));
  EXPECT_EQ(list.FindIndex(0x7FFFFFFF), 0);
  EXPECT_EQ(list.FindIndex(70000), 1);
  EXPECT_EQ(list.FindIndex(4464), -1);
  EXPECT_EQ(list.SaveToString(), u"d65535;u4464");   // only the low 16 bits are saved

  list.ToggleIndex(0x7FFFFFFF);
  EXPECT_TRUE(list.GetSortDirections(0));
  EXPECT_EQ(list.GetSortColumns(0), 0x7FFFFFFF);
  list.ToggleIndex(12);   // absent: nothing
  list.SetSortColumns(0, 8);
  list.SetSortDirections(1, false);
  EXPECT_EQ(list.SaveToString(), u"u8;d4464");
  list.SetSortColumns(1, 2);
  EXPECT_EQ(list.SaveToString(), u"u8;d2");   // the direction stays with the entry
}

// ---------------------------------------------------------------------------------------------
// TNeoControlList

TEST(GridControlList, FindsControlsByCellAndWindow) {
  Headless::Use();
  std::unique_ptr<TForm> form(new TForm(nullptr));
  auto* edit = new TEdit(form.get());
  edit->SetParent(form.get());
  auto* other = new TEdit(form.get());
  other->SetParent(form.get());
  TLabel* label = new TLabel(form.get());

  {
    TNeoControlList list;
    list.AddControl(1, 2, edit);
    list.AddControl(3, 4, label);
    list.AddControl(1, 2, other);
    EXPECT_EQ(list.ControlIndex(1, 2), 0);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(2, 1), -1);
    EXPECT_EQ(list.GetControl(1)->GetControl(), label);

    EXPECT_TRUE(list.HasHandle(edit->GetHandle()));
    EXPECT_FALSE(list.HasHandle(form->GetHandle()));
    EXPECT_FALSE(list.HasHandle(nullptr));

    list.RemoveControl(0);   // frees the item, not the control
    EXPECT_EQ(list.ControlIndex(1, 2), 1);
    EXPECT_FALSE(list.HasHandle(edit->GetHandle()));
    list.ClearControls();
    EXPECT_EQ(list.GetCount(), 0);
    list.AddControl(5, 5, edit);   // left in the list: freed with it
  }
  EXPECT_EQ(edit->GetParent(), form.get());
  Headless::Reset();
}

// ---------------------------------------------------------------------------------------------
// TFilePicture

// A 2 x 1 PNG: red on the left, blue on the right.
fs::path WriteTwoPixelPng(const fs::path& Dir) {
  TPngImage png;
  png.SetSize(2, 1);
  png.SetPixels(0, 0, 0x0000FF);
  png.SetPixels(1, 0, 0xFF0000);
  const fs::path file = Dir / "two.png";
  png.SaveToFile(PathText(file));
  return file;
}

TEST(GridFilePicture, DrawsThePngItsNameGives) {
  Headless::Use();
  const fs::path dir = ScratchFolder("picture");
  const fs::path file = WriteTwoPixelPng(dir);

  TFilePicture picture;
  picture.SetFilename(PathText(file));
  EXPECT_EQ(picture.GetWidth(), 2);
  EXPECT_EQ(picture.GetHeight(), 1);

  TBitmap bitmap(20, 10);
  TCanvas* canvas = bitmap.GetCanvas();
  canvas->GetBrush()->SetColor(clWhite);
  canvas->FillRect(TRect{0, 0, 20, 10});
  picture.DrawPicture(canvas, TRect{2, 2, 18, 8});
  EXPECT_EQ(canvas->GetPixels(4, 5), 0x0000FF);
  EXPECT_EQ(canvas->GetPixels(15, 5), 0xFF0000);
  EXPECT_EQ(canvas->GetPixels(1, 1), clWhite);
  EXPECT_EQ(canvas->GetPixels(18, 8), clWhite);
  bitmap.SaveToFile(PathText(dir / "drawn.bmp"));

  // Another picture takes name and sizes.
  TFilePicture copy;
  copy.Assign(&picture);
  EXPECT_EQ(copy.GetFilename(), picture.GetFilename());
  EXPECT_EQ(copy.GetWidth(), 2);
  TStringList notAPicture;
  EXPECT_THROW(copy.Assign(&notAPicture), EConvertError);
}

TEST(GridFilePicture, MissingOrBrokenFilesKeepTheSizesAndDrawNothing) {
  Headless::Use();
  const fs::path dir = ScratchFolder("broken");
  const fs::path good = WriteTwoPixelPng(dir);
  const fs::path broken = dir / "broken.png";
  std::ofstream(broken) << "no picture at all";

  TFilePicture picture;
  picture.SetFilename(PathText(good));
  for (const fs::path& name : {broken, dir / "absent.png", fs::path()}) {
    picture.SetFilename(PathText(name));
    EXPECT_EQ(picture.GetFilename(), PathText(name));
    EXPECT_EQ(picture.GetWidth(), 2);
    EXPECT_EQ(picture.GetHeight(), 1);
    TBitmap bitmap(4, 4);
    TCanvas* canvas = bitmap.GetCanvas();
    canvas->GetBrush()->SetColor(clWhite);
    canvas->FillRect(TRect{0, 0, 4, 4});
    picture.DrawPicture(canvas, TRect{0, 0, 4, 4});
    EXPECT_EQ(canvas->GetPixels(1, 1), clWhite) << name;
  }
}

// ---------------------------------------------------------------------------------------------
// TFileStringList

TEST(GridFileStringList, ReadsLinesOfEveryBreakAndWritesInParts) {
  const fs::path dir = ScratchFolder("strings");
  const std::pair<const char*, const char*> files[] = {
      {"cr.txt", "one\rtwo\r\rfour"}, {"lf.txt", "one\ntwo\n\nfour\n"}, {"crlf.txt", "one\r\ntwo\r\n\r\nfour"}};
  for (const auto& [name, content] : files) {
    std::ofstream(dir / name, std::ios::binary) << content;
    TFileStringList list;
    list.LoadFromFile(PathText(dir / name));
    list.Reset();
    std::vector<String> lines;
    while (!list.Eof()) lines.push_back(list.ReadLn());
    EXPECT_EQ(lines, (std::vector<String>{u"one", u"two", u"", u"four"})) << name;
    EXPECT_THROW(list.ReadLn(), EStringListError);
    list.Reset();
    EXPECT_EQ(list.ReadLn(), u"one");
  }

  TFileStringList out;
  EXPECT_TRUE(out.Eof());
  out.Write(u"a");
  out.Write(u"b");
  out.WriteLn(u"c");
  out.WriteLn(u"");
  out.Write(u"dropped");
  out.Reset();
  out.WriteLn(u"d");
  EXPECT_EQ(out.GetText(), u"abc\r\n\r\nd\r\n");
}

}  // namespace
