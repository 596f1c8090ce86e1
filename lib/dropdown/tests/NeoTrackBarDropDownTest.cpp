// The track-bar dropdown through the headless window system: its defaults and popup, the arrow
// keys at the ends of the range, text written or typed into the edit, and mouse drags over the
// closed edit with several page sizes.
#include "lib/dropdown/NeoTrackBarDropDown.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownForm.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class TProbeTrackBarDropDown : public TNeoTrackBarDropDown {
public:
  using TNeoTrackBarDropDown::TNeoTrackBarDropDown;
  using TNeoCustomDropDown::SetEditText;
};

class TrackBarDropDown : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 200);
    Edit = new TProbeTrackBarDropDown(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 120, 21);
    Edit->OnTrackChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Edit);
      ++TrackChanges;
    };
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  bool IsOpen() const { return Edit->GetDroppedDown() && IsWindowVisible(Edit->GetDropDownForm()->GetHandle()); }

  TForm* Form = nullptr;
  TProbeTrackBarDropDown* Edit = nullptr;
  int TrackChanges = 0;
};

}  // namespace

TEST_F(TrackBarDropDown, StartsAsAPickOnlyNumericEditWithATrackBar) {
  EXPECT_EQ(Edit->GetMin(), 0);
  EXPECT_EQ(Edit->GetMax(), 10);
  EXPECT_EQ(Edit->GetPosition(), 0);
  EXPECT_EQ(Edit->GetPageSize(), 2);
  EXPECT_EQ(Edit->GetFrequency(), 1);
  EXPECT_FALSE(Edit->GetEditorEnabled());
  EXPECT_TRUE(Edit->GetDropDownEnabled());
  EXPECT_EQ(Edit->GetEditType(), etNumeric);
  EXPECT_FALSE(Edit->GetDropDownHeader()->GetVisible());
  EXPECT_FALSE(Edit->GetDropDownFooter()->GetVisible());
  EXPECT_TRUE(Edit->GetForceShadow());
  ASSERT_NE(Edit->GetTrackBar(), nullptr);
  EXPECT_EQ(Edit->GetTrackBar()->GetHeight(), 40);
  EXPECT_EQ(Edit->GetTrackBar()->GetParent(), Edit->GetDropDownForm());
  PPropInfo editor = GetPropInfo(Edit, u"EditorEnabled");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->HasDefault);
  EXPECT_EQ(editor->Default, 0);
  EXPECT_FALSE(IsPublishedProp(Edit, u"DropDownColor"));
  EXPECT_FALSE(IsPublishedProp(Edit, u"EmptyText"));
  EXPECT_TRUE(IsPublishedProp(Edit, u"PageSize"));
  EXPECT_TRUE(IsPublishedProp(Edit, u"LabelCaption"));
}

// The setters go through the track bar, which keeps the position inside the range.
TEST_F(TrackBarDropDown, SettersReadBackWhatTheTrackBarKept) {
  Edit->SetPosition(20);
  EXPECT_EQ(Edit->GetPosition(), 10);
  EXPECT_EQ(Edit->GetText(), u"10");
  Edit->SetMax(6);
  EXPECT_EQ(Edit->GetMax(), 6);
  EXPECT_EQ(Edit->GetPosition(), 6);
  Edit->SetMin(8);   // above Max: refused
  EXPECT_EQ(Edit->GetMin(), 0);
  Edit->SetMin(-4);
  Edit->SetPosition(-9);
  EXPECT_EQ(Edit->GetPosition(), -4);
  EXPECT_EQ(Edit->GetText(), u"-4");
  EXPECT_EQ(TrackChanges, 3);
}

// The popup takes the range, the page size, the frequency and the edit's width; moving its track
// bar writes the edit and fires OnTrackChange; losing the activation keeps the popup's value.
TEST_F(TrackBarDropDown, PopupTrackBarMovesTheValue) {
  Edit->SetMin(-5);
  Edit->SetMax(20);
  Edit->SetPosition(3);
  Edit->SetPageSize(4);
  Edit->SetFrequency(5);
  TrackChanges = 0;
  Edit->ShowDropDown();
  Pump();
  ASSERT_TRUE(IsOpen());
  TTrackBar* bar = Edit->GetTrackBar();
  EXPECT_EQ(Edit->GetControl(), bar);
  EXPECT_FALSE(Edit->GetDropDownForm()->GetCancelOnDeActivate());
  EXPECT_EQ(bar->GetMin(), -5);
  EXPECT_EQ(bar->GetMax(), 20);
  EXPECT_EQ(bar->GetPosition(), 3);
  EXPECT_EQ(bar->GetPageSize(), 4);
  EXPECT_EQ(bar->GetFrequency(), 5);
  // As wide as the edit; the track bar fills the popup inside its border.
  EXPECT_EQ(Edit->GetDropDownForm()->GetWidth(), Edit->GetWidth());
  EXPECT_EQ(bar->GetWidth(), Edit->GetWidth() - 2);
  // PageDown on the focused track bar: one page up the range.
  Press(VK_NEXT);
  EXPECT_EQ(Edit->GetPosition(), 7);
  EXPECT_EQ(Edit->GetText(), u"7");
  EXPECT_EQ(TrackChanges, 1);
  // The thumb dragged to the far right end.
  TRect thumb = bar->ThumbRect();
  TPoint from = ScreenPoint(bar, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
  TPoint to = ScreenPoint(bar, bar->GetWidth() + 40, (thumb.top + thumb.bottom) / 2);
  Headless::ButtonDown(1, from.x, from.y);
  Headless::MouseMove(to.x, to.y);
  Headless::ButtonUp(1, to.x, to.y);
  Pump();
  EXPECT_EQ(Edit->GetPosition(), 20);
  EXPECT_EQ(Edit->GetText(), u"20");
  Headless::DeactivateApp();
  Pump();
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Edit->GetText(), u"20");
  EXPECT_EQ(Edit->GetPosition(), 20);
}

// Up lowers and Down raises the position by Frequency, only inside the range and only without Alt.
TEST_F(TrackBarDropDown, ArrowKeysStepInsideTheRange) {
  struct TCase {
    const char* Name;
    Integer Frequency, Start;
    UINT Key;
    bool Alt;
    Integer Want;
  };
  const TCase cases[] = {
      {"Down at Max", 1, 10, VK_DOWN, false, 10},  {"Up at Max", 1, 10, VK_UP, false, 9},
      {"Up at Min", 1, 0, VK_UP, false, 0},        {"Down at Min", 1, 0, VK_DOWN, false, 1},
      {"Down past Max", 3, 8, VK_DOWN, false, 8},  {"Down onto Max", 3, 7, VK_DOWN, false, 10},
      {"Up past Min", 3, 2, VK_UP, false, 2},      {"Up with Alt", 1, 5, VK_UP, true, 5},
      {"Down with Alt", 1, 5, VK_DOWN, true, 5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetFrequency(c.Frequency);
    Edit->SetPosition(c.Start);
    Edit->SetEditText(IntToStr(c.Start));
    Edit->SetFocus();
    Pump();
    if (c.Alt) Chord(VK_MENU, c.Key);
    else Press(c.Key);
    EXPECT_EQ(Edit->GetPosition(), c.Want);
    EXPECT_EQ(Edit->GetText(), IntToStr(c.Want));
    if (Edit->GetDroppedDown()) Edit->HideDropDown(true);
    Pump();
  }
}

// Text moves the position when it is an integer: written as the raw text, or typed over the whole
// text of an editable edit (whatever the numeric filter lets through). Nothing raises.
TEST_F(TrackBarDropDown, TextThatIsNoIntegerLeavesThePosition) {
  struct TCase {
    const char16_t* Text;
    Integer Want;
  };
  const TCase cases[] = {
      {u"-", 3}, {u"", -2}, {u"12a", 3}, {u"99999999999", 3}, {u"7", 7}, {u"12", 10}, {u" 4", 4}, {u"-1", -1},
  };
  Edit->SetMin(-2);
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Text));
    Edit->SetPosition(3);
    EXPECT_NO_THROW(Edit->SetEditText(c.Text));
    EXPECT_EQ(Edit->GetPosition(), c.Want);
  }
  // Typed into an editable edit over its selected text "3". A character the numeric filter drops
  // leaves "3"; either way only an integer text moves the position.
  const TCase typed[] = {{u"-", 3}, {u"", -2}, {u"12a", 10}, {u"99999999999", 10}, {u"5", 5}};
  Edit->SetEditorEnabled(true);
  for (const TCase& c : typed) {
    SCOPED_TRACE(UTF8Encode(c.Text));
    Edit->SetPosition(3);
    Edit->SetEditText(u"3");
    Edit->SetFocus();
    Edit->SelectAll();
    Pump();
    if (String(c.Text).empty()) Press(VK_BACK);
    else Type(c.Text);
    EXPECT_EQ(Edit->GetPosition(), c.Want) << "text " << UTF8Encode(Edit->GetText());
  }
}

// A drag over the closed edit, one pixel at a time: whole page sizes of movement step the
// position, the pixels left over count towards the next step; a page size below 1 acts as 1.
TEST_F(TrackBarDropDown, MouseDragStepsByPageSize) {
  struct TCase {
    const char* Name;
    Integer PageSize, Start;
    std::vector<Integer> Xs;   // the moves after the press at x = 20
    std::vector<Integer> Want;
  };
  const TCase cases[] = {
      {"page 1", 1, 0, {21, 22, 23, 24, 25}, {1, 2, 3, 4, 5}},
      {"page 2", 2, 0, {21, 22, 23, 24, 25}, {0, 1, 1, 2, 2}},
      {"page 3", 3, 0, {21, 22, 23, 24, 25, 26, 27}, {0, 0, 1, 1, 1, 2, 2}},
      {"page 0", 0, 0, {21, 22, 23}, {1, 2, 3}},
      {"5 px at once, page 2", 2, 0, {25}, {2}},
      {"leftwards, page 2", 2, 5, {19, 18, 17, 16, 15}, {5, 4, 4, 3, 3}},
      {"held at Max", 1, 9, {21, 22, 23, 22}, {10, 10, 10, 9}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetPageSize(c.PageSize);
    Edit->SetPosition(c.Start);
    const TPoint press = ScreenPoint(Edit, 20, 10);
    Headless::ButtonDown(1, press.x, press.y);
    Pump();
    std::vector<Integer> got;
    for (Integer x : c.Xs) {
      TPoint p = ScreenPoint(Edit, x, 10);
      Headless::MouseMove(p.x, p.y);
      Pump();
      got.push_back(Edit->GetPosition());
    }
    const TPoint last = ScreenPoint(Edit, c.Xs.back(), 10);
    Headless::ButtonUp(1, last.x, last.y);
    Pump();
    EXPECT_EQ(got, c.Want);
    // Released: moving on does nothing.
    TPoint after = ScreenPoint(Edit, c.Xs.back() + 9, 10);
    Headless::MouseMove(after.x, after.y);
    Pump();
    EXPECT_EQ(Edit->GetPosition(), c.Want.back());
    if (Edit->GetDroppedDown()) Edit->HideDropDown(false);
    Pump();
  }
}
