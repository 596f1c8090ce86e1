// The multi-column dropdown through the headless window system: item index and text, the keys of
// the closed edit and of the open popup, type-ahead and completion from the lookup column, items
// with missing strings and items changed at run time, the column fit, choosing by Enter, mouse and
// wheel, the style presets and a screen picture of the open popup.
#include "lib/dropdown/NeoMultiColumnDropDown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownForm.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace NeoMultiColumnDropDown {

namespace {

// Every case runs under both decimal separators (the names hold numbers with the separator).
class MultiColumnDropDown : public UiTest, public testing::WithParamInterface<Char> {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    FormatSettings.DecimalSeparator = GetParam();
    FormatSettings.ThousandSeparator = GetParam() == u'.' ? u',' : u'.';
    Headless::SetScreenSize(1024, 768);
    Headless::SetWorkArea(RECT{0, 0, 1024, 728});
    Form = NewForm(400, 300);
    Edit = new TNeoMultiColumnDropDown(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 160, 21);
    for (const char16_t* header : {u"Name", u"Code", u"Country"}) Edit->GetColumns()->Add()->SetHeader(header);
    Edit->OnSelect = [this](TObject*) { ++Selects; };
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  // Items of "name;code;country" lines; fewer fields give fewer strings.
  void SetItems(std::initializer_list<const char16_t*> Lines) {
    Edit->BeginUpdate();
    Edit->GetItems()->Clear();
    for (const char16_t* line : Lines) {
      TDropDownItem* item = Edit->GetItems()->Add();
      item->GetText()->SetStrictDelimiter(true);
      item->GetText()->SetDelimiter(u';');
      item->GetText()->SetDelimitedText(line);
    }
    Edit->EndUpdate();
  }
  void Countries() {
    SetItems({u"Austria;AT;Europe", u"Belgium;BE;Europe", u"Brazil;BR;America", u"Canada;CA;America",
              u"Chile;CL;America", u"Denmark;DK;Europe"});
  }
  bool IsOpen() const { return Edit->GetDroppedDown() && IsWindowVisible(Edit->GetDropDownForm()->GetHandle()); }
  void Open() {
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen());
  }
  std::vector<Integer> ColWidths() {
    std::vector<Integer> w;
    for (Integer i = 0; i < Edit->GetGrid()->GetColCount(); ++i) w.push_back(Edit->GetGrid()->GetColWidths(i));
    return w;
  }

  void TearDown() override {
    FormatSettings = Saved;
    UiTest::TearDown();
  }

  TFormatSettings Saved;
  TForm* Form = nullptr;
  TNeoMultiColumnDropDown* Edit = nullptr;
  int Selects = 0;
};

}  // namespace

TEST_P(MultiColumnDropDown, ItemIndexSetsTheLookupText) {
  Countries();
  Edit->SetItemIndex(2);
  EXPECT_EQ(Edit->GetText(), u"Brazil");
  Edit->SetItemIndex(6);   // not below the count: ignored
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  EXPECT_EQ(Edit->GetText(), u"Brazil");
  Edit->SetLookupColumn(1);
  Edit->SetItemIndex(3);
  EXPECT_EQ(Edit->GetText(), u"CA");
  EXPECT_EQ(Edit->GetItemIndex(u"DK"), 5);
  EXPECT_EQ(Edit->GetItemIndex(u"dk"), -1);
  Edit->SetItemIndex(-1);
  EXPECT_EQ(Edit->GetText(), u"");
  EXPECT_EQ(Edit->GetItems()->IndexInColumn(2, u"America"), 2);
  EXPECT_EQ(Edit->GetItems()->IndexInColumn(3, u""), -1);
}

// The keys of the closed edit walk the items and fire OnSelect after each change.
TEST_P(MultiColumnDropDown, ClosedEditKeysWalkTheItems) {
  std::vector<String> names;
  for (int i = 0; i < 25; ++i) names.push_back(u"Item " + IntToStr(i));
  Edit->BeginUpdate();
  for (const String& n : names) Edit->GetItems()->Add()->GetText()->Add(n);
  Edit->EndUpdate();
  struct TStep {
    UINT Key;
    Integer Index;
    int Selects;   // OnSelect count after the key
  };
  const TStep pickOnly[] = {
      {VK_UP, 0, 1},     {VK_UP, 0, 1},      {VK_DOWN, 1, 2},   {VK_NEXT, 11, 3}, {VK_NEXT, 21, 4},
      {VK_NEXT, 24, 5},  {VK_NEXT, 24, 5},   {VK_DOWN, 24, 5},  {VK_PRIOR, 14, 6}, {VK_HOME, 0, 7},
      {VK_HOME, 0, 7},   {VK_END, 24, 8},    {VK_END, 24, 8},   {VK_PRIOR, 14, 9},
  };
  Edit->SetEditorEnabled(false);
  for (const TStep& s : pickOnly) {
    SCOPED_TRACE(s.Key);
    Press(s.Key);
    EXPECT_EQ(Edit->GetItemIndex(), s.Index);
    EXPECT_EQ(Edit->GetText(), names[static_cast<std::size_t>(s.Index)]);
    EXPECT_EQ(Selects, s.Selects);
    EXPECT_FALSE(IsOpen());
  }
  // An editable edit keeps Home and End for its caret.
  Edit->SetEditorEnabled(true);
  Press(VK_HOME);
  Press(VK_END);
  EXPECT_EQ(Edit->GetItemIndex(), 14);
  // Alt+Down opens the popup instead of stepping.
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 14);
}

// With no items the popup shows one empty row under the header and the selectors do nothing.
TEST_P(MultiColumnDropDown, NoItems) {
  for (UINT key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR}) Press(key);
  EXPECT_EQ(Edit->GetItemIndex(), -1);
  EXPECT_EQ(Selects, 0);
  Open();
  EXPECT_EQ(Edit->GetGrid()->GetRowCount(), 2);
  EXPECT_EQ(Edit->GetGrid()->GetFixedRows(), 1);
  EXPECT_EQ(Edit->GetGrid()->GetRow(), 1);
}

TEST_P(MultiColumnDropDown, DisabledOrReadOnlyDoesNotOpen) {
  Countries();
  Edit->SetReadOnly(true);
  Edit->ShowDropDown();
  Pump();
  EXPECT_FALSE(IsOpen());
  Edit->SetReadOnly(false);
  Edit->SetEnabled(false);
  Edit->ShowDropDown();
  Pump();
  EXPECT_FALSE(IsOpen());
}

// In the popup the arrows move the row (and the item with it); Esc restores the opening item,
// Enter keeps the row, a wheel-scrolled row is not taken.
TEST_P(MultiColumnDropDown, PopupChoosesByEnterAndCancelsByEsc) {
  Countries();
  Edit->SetItemIndex(1);
  Open();
  TNeoColGrid* grid = Edit->GetGrid();
  EXPECT_EQ(grid->GetRow(), 2);
  EXPECT_EQ(GetFocus(), grid->GetHandle());
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(Edit->GetItemIndex(), 3);
  EXPECT_EQ(Edit->GetText(), u"Canada");
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 1);
  EXPECT_EQ(Edit->GetText(), u"Belgium");

  Open();
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  EXPECT_EQ(Edit->GetText(), u"Brazil");
  EXPECT_EQ(Selects, 1);

  Open();
  const TPoint p = ScreenPoint(grid, 20, grid->GetClientHeight() - 10);
  Headless::Wheel(p.x, p.y, -2);
  Pump();
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  EXPECT_EQ(Edit->GetText(), u"Brazil");
}

// A click on a row chooses it and closes the popup.
TEST_P(MultiColumnDropDown, ClickChoosesARow) {
  Countries();
  Open();
  TNeoColGrid* grid = Edit->GetGrid();
  const TRect r = grid->CellRect(1, 4);
  ClickAt(grid, r.left + 5, (r.top + r.bottom) / 2);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 3);
  EXPECT_EQ(Edit->GetText(), u"Canada");
  EXPECT_EQ(Selects, 1);
}

// With HoverSelect the row follows the pointer; a cell click reports its column, row and string.
TEST_P(MultiColumnDropDown, HoverSelectAndCellClick) {
  Countries();
  Edit->SetHoverSelect(true);
  std::vector<std::string> clicks;
  Edit->OnDropDownCellClick = [&clicks](TObject*, Integer ACol, Integer ARow, const String& AValue) {
    clicks.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "," + UTF8Encode(AValue));
  };
  Open();
  TNeoColGrid* grid = Edit->GetGrid();
  const TRect r = grid->CellRect(2, 3);
  const TPoint p = ScreenPoint(grid, r.left + 5, (r.top + r.bottom) / 2);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(grid->GetRow(), 3);
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  ASSERT_FALSE(clicks.empty());
  EXPECT_EQ(clicks.back(), "2,3,America");
}

// Esc in an edit whose popup never opened keeps the item.
TEST_P(MultiColumnDropDown, EscBeforeAnyOpeningKeepsTheItem) {
  Countries();
  Edit->SetItemIndex(4);
  Press(VK_ESCAPE);
  EXPECT_EQ(Edit->GetItemIndex(), 4);
  EXPECT_EQ(Edit->GetText(), u"Chile");
}

// Typing into the edit completes from the first lookup entry beginning with the typed text; the
// completed tail is selected.
TEST_P(MultiColumnDropDown, TypingCompletesFromTheLookupColumn) {
  SetItems({u"Xylo", u"Abc;1", u"Abd;2"});
  Edit->SelectAll();
  Type(u"ab");
  EXPECT_EQ(Edit->GetText(), u"abc");
  EXPECT_EQ(Edit->GetSelStart(), 2);
  EXPECT_EQ(Edit->GetSelLength(), 1);
  EXPECT_EQ(Edit->GetItemIndex(), 1);
  Type(u"d");
  EXPECT_EQ(Edit->GetText(), u"abd");
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  // Backspace takes the selected tail away and completes nothing.
  Edit->SetSelStart(2);
  Edit->SetSelLength(1);
  Press(VK_BACK);
  EXPECT_EQ(Edit->GetText(), u"ab");
  EXPECT_EQ(Edit->GetSelLength(), 0);
  // Incremental lookup: the typed characters themselves are searched (through the keyboard's
  // characters of the keys).
  Edit->SetLookupIncr(true);
  Edit->SelectAll();
  Press(VK_DELETE);
  Type(u"xy");
  EXPECT_EQ(Edit->GetText(), u"xylo");
  EXPECT_EQ(Edit->GetItemIndex(), 0);
  Edit->SetLookupIncr(false);
  // Entries with the decimal separator complete like any text.
  const String ds(1, FormatSettings.DecimalSeparator);
  SetItems({u"Xylo"});
  Edit->GetItems()->Add()->GetText()->Add(u"1" + ds + u"25 kg");
  Edit->SelectAll();
  Type(u"1" + ds + u"2");
  EXPECT_EQ(Edit->GetText(), u"1" + ds + u"25 kg");
  EXPECT_EQ(Edit->GetItemIndex(), 1);
  SetItems({u"Xylo", u"Abc;1", u"Abd;2"});
  // Case-sensitive lookup: "ab" begins no entry; the typed text stays.
  Edit->SetCaseSensitive(true);
  Edit->SelectAll();
  Type(u"ab");
  EXPECT_EQ(Edit->GetText(), u"ab");
  EXPECT_EQ(Edit->GetSelLength(), 0);
}

// Items without a string in the lookup column, and items changed at run time: typing never raises
// and never offers an entry that is gone.
TEST_P(MultiColumnDropDown, LookupFollowsTheItems) {
  SetItems({u"Alpha;1", u"Beta;2", u"Gamma;3"});
  Edit->SetLookupColumn(1);
  SetItems({u"Alpha;1", u"Beta", u"Gamma;3"});   // Beta has no string at column 1
  EXPECT_EQ(Edit->GetItemIndex(u""), 1);
  Edit->SelectAll();
  EXPECT_NO_THROW(Type(u"3"));
  EXPECT_EQ(Edit->GetItemIndex(), 2);
  Edit->SetLookupColumn(0);
  Edit->GetItems()->Delete(0);   // without a bracket: the list follows at once
  Edit->GetItems()->GetItems(0)->GetText()->SetStrings(0, u"Delta");
  ASSERT_EQ(Edit->GetLookupList()->GetCount(), 2);
  Edit->SelectAll();
  Type(u"a");
  EXPECT_EQ(Edit->GetText(), u"a");   // "Alpha" is gone
  Edit->SelectAll();
  Type(u"de");
  EXPECT_EQ(Edit->GetText(), u"delta");
  EXPECT_EQ(Edit->GetItemIndex(), 0);
  Open();
  Type(u"g");   // type-ahead in the popup
  EXPECT_EQ(Edit->GetGrid()->GetRow(), 2);
  EXPECT_EQ(Edit->GetText(), u"Gamma");
  Edit->HideDropDown(true);
  // Several characters typed into the popup narrow the search.
  SetItems({u"Aaa", u"Abb", u"Abc", u"Bab"});
  Open();
  Type(u"ab");
  EXPECT_EQ(Edit->GetGrid()->GetRow(), 2);
  EXPECT_EQ(Edit->GetText(), u"Abb");
  Type(u"c");
  EXPECT_EQ(Edit->GetText(), u"Abc");
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetItemIndex(), 2);
}

// The popup's width shared out in proportion to the column widths, the rounding error carried.
TEST_P(MultiColumnDropDown, ColumnFit) {
  struct TCase {
    std::vector<Integer> Widths;
    Integer PopupWidth;
    Integer Items;   // many items show a vertical scroll bar
    std::vector<Integer> Want;
  };
  const Integer bar = GetSystemMetrics(SM_CXVSCROLL);
  const TCase cases[] = {
      {{80, 80, 80}, 200, 3, {66, 66, 67}},
      {{80, 80, 80}, 241, 3, {80, 80, 80}},
      {{50, 100}, 300, 3, {99, 199}},
      {{80, 80, 80}, 200 + bar, 40, {66, 66, 67}},
      {{10, 10, 10, 10}, 100, 3, {24, 24, 25, 24}},
  };
  Edit->SetDropDownAutoWidth(false);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.PopupWidth);
    Edit->GetColumns()->Clear();
    for (Integer w : c.Widths) Edit->GetColumns()->Add()->SetWidth(w);
    Edit->BeginUpdate();
    Edit->GetItems()->Clear();
    for (Integer i = 0; i < c.Items; ++i) Edit->GetItems()->Add()->GetText()->Add(u"x" + IntToStr(i));
    Edit->EndUpdate();
    Edit->SetDropDownWidth(c.PopupWidth);
    Edit->ResetDropDownSize();
    Open();
    EXPECT_EQ(Edit->GetDropDownForm()->GetWidth(), c.PopupWidth);
    EXPECT_EQ(ColWidths(), c.Want);
    Edit->HideDropDown(true);
    Pump();
  }
}

// A resized popup fits its columns again; a popup the user cannot size is as high as whole rows
// under the header row (plus 2), with the popup's header and footer above and below.
TEST_P(MultiColumnDropDown, ResizeAndHeight) {
  SetItems({u"Austria;AT;Europe", u"Brazil;BR;America"});
  Open();
  TDropDownForm* popup = Edit->GetDropDownForm();
  popup->SetWidth(341);   // 341 / 241 of 80 each: 113.2, the carry stays below 1
  Pump();
  EXPECT_EQ(ColWidths(), (std::vector<Integer>{113, 113, 113}));
  popup->SetWidth(230);   // 76.3 each: the carry passes 1 at the third column
  Pump();
  EXPECT_EQ(ColWidths(), (std::vector<Integer>{76, 76, 77}));
  Edit->HideDropDown(true);
  Pump();
  Edit->SetDropDownSizeable(false);
  Edit->SetDropDownHeight(200);
  Open();
  Integer chrome = 0;
  if (Edit->GetDropDownHeader()->GetVisible()) chrome += Edit->GetDropDownHeader()->GetHeight();
  if (Edit->GetDropDownFooter()->GetVisible()) chrome += Edit->GetDropDownFooter()->GetHeight();
  const Integer rows = (200 - chrome - 25 - 2) / 22;
  EXPECT_EQ(popup->GetHeight(), chrome + 25 + rows * 22 + 2);
}

// The style presets: the rows of the table for a few styles, and tsCustom changing nothing.
TEST_P(MultiColumnDropDown, StylePresets) {
  struct TCase {
    TNeoStyle Style;
    TColor Header, HeaderTo, Font, Line, FixedLine, Selection, SelectionText;
  };
  auto c = [](Cardinal V) { return static_cast<TColor>(V); };
  const TCase cases[] = {
      {tsOffice2019White, c(0xFFFFFF), clNone, c(0x444648), c(0xD4D4D4), c(0xABABAB), c(0xF2E1D5), c(0x3B3B3B)},
      {tsOffice2019Gray, c(0x232425), clNone, c(0xF0F0F0), c(0xD4D4D4), c(0x999999), c(0x969696), c(0x232425)},
      {tsOffice2019Black, c(0x303132), clNone, c(0xFFFFFF), c(0xD4D4D4), c(0x999999), c(0x505050), c(0xFFFFFF)},
      {tsOffice2003Blue, c(0xD68759), c(0x933803), c(0xFFFFFF), c(0x962D00), c(0x962D00), c(0x5EC1F1), c(0)},
      {tsWindowsXP, clBtnFace, clBtnFace, c(0), c(0xC0C0C0), c(0), clHighlight, clHighlightText},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(static_cast<int>(t.Style));
    Edit->SetComponentStyle(t.Style);
    EXPECT_EQ(Edit->GetHeaderColor(), t.Header);
    EXPECT_EQ(Edit->GetHeaderColorTo(), t.HeaderTo);
    EXPECT_EQ(Edit->GetHeaderFont()->GetColor(), t.Font);
    EXPECT_EQ(Edit->GetLineColor(), t.Line);
    EXPECT_EQ(Edit->GetFixedLineColor(), t.FixedLine);
    EXPECT_EQ(Edit->GetSelectionColor(), t.Selection);
    EXPECT_EQ(Edit->GetSelectionTextColor(), t.SelectionText);
  }
  // tsCustom keeps what the style before left.
  Edit->SetComponentStyle(tsCustom);
  EXPECT_EQ(Edit->GetHeaderColor(), clBtnFace);
  EXPECT_EQ(Edit->GetLineColor(), c(0xC0C0C0));
  EXPECT_EQ(Edit->GetSelectionTextColor(), clHighlightText);
}

INSTANTIATE_TEST_SUITE_P(Separators, MultiColumnDropDown, testing::Values(u'.', u','),
                         [](const testing::TestParamInfo<Char>& I) { return I.param == u'.' ? "Point" : "Comma"; });

namespace {

struct TPictureCase {
  const char* Name;
  TNeoStyle Style;
  int Dpi;
};

// The open popup: header in the style's colours, an image column, a cut and a wrapped column, the
// second row selected.
class MultiColumnPictures : public UiTest, public testing::WithParamInterface<TPictureCase> {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Headless::SetScreenSize(1024, 768);
    Headless::SetWorkArea(RECT{0, 0, 1024, 728});
    Headless::SetDpi(GetParam().Dpi);
  }
  void TearDown() override {
    Headless::SetDpi(96);
    UiTest::TearDown();
  }
};

}  // namespace

TEST_P(MultiColumnPictures, OpenPopup) {
  TForm* form = NewForm(400, 300);
  auto* images = new TImageList(form);
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(32, 16);
  bmp.GetCanvas()->GetBrush()->SetColor(clTeal);
  bmp.GetCanvas()->FillRect(TRect{0, 0, 16, 16});
  bmp.GetCanvas()->GetBrush()->SetColor(clPurple);
  bmp.GetCanvas()->FillRect(TRect{16, 0, 32, 16});
  images->Add(&bmp, nullptr);
  auto* d = new TNeoMultiColumnDropDown(form);
  d->SetParent(form);
  d->SetBounds(10, 10, 160, 21);
  d->SetImages(images);
  d->SetDropDownSizeable(false);
  d->SetComponentStyle(GetParam().Style);
  TDropDownColumn* icon = d->GetColumns()->Add();
  icon->SetColumnType(ctImage);
  icon->SetWidth(60);
  icon->SetHeader(u"Flag");
  TDropDownColumn* name = d->GetColumns()->Add();
  name->SetHeader(u"Name");
  name->SetEllipsis(true);
  name->SetWidth(70);
  TDropDownColumn* notes = d->GetColumns()->Add();
  notes->SetHeader(u"Notes");
  notes->SetWordwrap(true);
  notes->SetWidth(110);
  notes->GetFont()->SetColor(clNavy);
  d->SetLookupColumn(1);
  const char16_t* rows[][3] = {{u"at", u"Austria", u"Alpine, small"},
                               {u"br", u"Brazil", u"The largest country of South America"},
                               {u"ca", u"Canada", u"North"},
                               {u"dk", u"Kingdom of Denmark", u"Nordic"}};
  d->BeginUpdate();
  Integer index = 0;
  for (const auto& row : rows) {
    TDropDownItem* item = d->GetItems()->Add();
    for (const char16_t* s : row) item->GetText()->Add(s);
    item->SetImageIndex(index++ % 2);
  }
  d->EndUpdate();
  d->SetItemIndex(1);
  form->Show();
  Pump();
  d->ShowDropDown();
  Pump();
  HWND popup = d->GetDropDownForm()->GetHandle();
  ASSERT_TRUE(IsWindowVisible(popup));
  // The wrapped note makes its row taller than the others.
  EXPECT_GT(d->GetGrid()->GetRowHeights(2), d->GetGrid()->GetRowHeights(1));
  const std::string file = std::string("multicolumn-") + GetParam().Name + ".png";
  ExpectWindowMatchesGolden(popup, std::string(ZELK_TEST_DATA) + "/" + file, file.c_str());
}

INSTANTIATE_TEST_SUITE_P(Styles, MultiColumnPictures,
                         testing::Values(TPictureCase{"office2003blue", tsOffice2003Blue, 96},
                                         TPictureCase{"office2003blue-150", tsOffice2003Blue, 144},
                                         TPictureCase{"office2019white", tsOffice2019White, 96},
                                         TPictureCase{"office2019gray", tsOffice2019Gray, 96},
                                         TPictureCase{"office2019black", tsOffice2019Black, 96}),
                         [](const testing::TestParamInfo<TPictureCase>& I) {
                           std::string n = I.param.Name;
                           for (char& c : n)
                             if (c == '-') c = '_';
                           return n;
                         });

}  // namespace NeoMultiColumnDropDown
