// The memo dropdown through the headless window system: what the edit shows of the lines, the
// working copy in the open memo (kept by Tab and by losing the activation, restored by Esc and
// Alt+Up/Down), the keys the memo keeps, typing into an editable edit, AutoDrop, and a screen
// picture of a long first line cut with an ellipsis.
#include "lib/dropdown/NeoMemoDropDown.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

String Lines(TStrings* S) { return S->GetText(); }

class MemoDropDown : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 200);
    Edit = new TNeoMemoDropDown(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(10, 10, 160, 21);
    Edit->OnMemoChange = [this](TObject* Sender) {
      EXPECT_EQ(Sender, Edit);
      ++MemoChanges;
    };
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  void SetLines(const char16_t* Text) {
    TStringList s;
    s.SetText(Text);
    Edit->SetMemoText(&s);
  }
  bool IsOpen() const { return Edit->GetDroppedDown() && IsWindowVisible(Edit->GetDropDownForm()->GetHandle()); }
  void Open() {
    Edit->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen());
    ASSERT_EQ(GetFocus(), Edit->GetMemo()->GetHandle());
  }
  // Opens the popup and types three new lines over the memo's text.
  void OpenAndRetype() {
    Open();
    Chord(VK_CONTROL, 'A');
    Type(u"one\rtwo\rthree");
    EXPECT_EQ(Lines(Edit->GetMemoText()), u"one\r\ntwo\r\nthree\r\n");
  }

  TForm* Form = nullptr;
  TNeoMemoDropDown* Edit = nullptr;
  int MemoChanges = 0;
};

}  // namespace

// The first line, with "..." when more follow and it fits; an editable edit shows it plainly.
TEST_F(MemoDropDown, EditShowsTheFirstLine) {
  struct TCase {
    const char16_t* Lines;
    bool Editable;
    const char16_t* Want;
  };
  const TCase cases[] = {
      {u"abc\r\ndef", false, u"abc..."}, {u"abc", false, u"abc"},  {u"", false, u""},
      {u"abc\r\ndef", true, u"abc"},     {u"\r\ndef", false, u"..."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Lines));
    Edit->SetEditorEnabled(c.Editable);
    SetLines(c.Lines);
    EXPECT_EQ(Edit->GetText(), c.Want);
    TStringList want;
    want.SetText(c.Lines);
    EXPECT_EQ(Lines(Edit->GetMemoText()), want.GetText());
  }
}

// Esc after retyping puts back the lines the popup opened with, in the memo and in MemoText, and
// the edit shows their first line again; Alt+Down in the memo cancels the same way.
TEST_F(MemoDropDown, CancelRestoresTheOpeningLines) {
  Edit->SetEditorEnabled(false);
  for (UINT cancel : {UINT(VK_ESCAPE), UINT(VK_DOWN)}) {
    SCOPED_TRACE(cancel);
    SetLines(u"abc\r\ndef");
    MemoChanges = 0;
    OpenAndRetype();
    EXPECT_GT(MemoChanges, 3);
    EXPECT_EQ(Edit->GetText(), u"one...");   // the working copy shows at once
    if (cancel == VK_ESCAPE) Press(VK_ESCAPE);
    else Chord(VK_MENU, VK_DOWN);
    EXPECT_FALSE(IsOpen());
    EXPECT_EQ(Lines(Edit->GetMemoText()), u"abc\r\ndef\r\n");
    EXPECT_EQ(Lines(Edit->GetMemo()->GetLines()), u"abc\r\ndef\r\n");
    EXPECT_EQ(Edit->GetText(), u"abc...");
  }
}

// Tab closes, keeps the new lines and selects the edit's text; losing the activation keeps them too.
TEST_F(MemoDropDown, TabAndDeactivationKeepTheLines) {
  Edit->SetEditorEnabled(true);
  SetLines(u"abc\r\ndef");
  OpenAndRetype();
  Press(VK_TAB);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Lines(Edit->GetMemoText()), u"one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(Edit->GetText(), u"one");
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  EXPECT_EQ(Edit->GetSelStart(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 3);

  Open();
  Chord(VK_CONTROL, VK_HOME);
  Type(u"x");
  Headless::DeactivateApp();
  Pump();
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Lines(Edit->GetMemoText()), u"xone\r\ntwo\r\nthree\r\n");
}

// Keys in the open memo: Ctrl+A selects the memo's text, Enter and arrows edit the memo, F4
// closes keeping the lines.
TEST_F(MemoDropDown, MemoKeepsItsKeys) {
  SetLines(u"abc\r\ndef");
  Open();
  TMemo* memo = Edit->GetMemo();
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(memo->GetSelStart(), 0);
  EXPECT_EQ(memo->GetSelLength(), static_cast<Integer>(memo->GetText().size()));
  Chord(VK_CONTROL, VK_HOME);
  Press(VK_DOWN);
  Press(VK_END);
  Press(VK_RETURN);
  Type(u"ghi");
  EXPECT_TRUE(IsOpen());
  EXPECT_EQ(Lines(memo->GetLines()), u"abc\r\ndef\r\nghi\r\n");
  Press(VK_F4);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(Lines(Edit->GetMemoText()), u"abc\r\ndef\r\nghi\r\n");
}

// Closed: Esc in the edit leaves the memo text; typing into an editable edit makes the typed
// line the whole memo text.
TEST_F(MemoDropDown, ClosedEditKeys) {
  Edit->SetEditorEnabled(true);
  SetLines(u"abc\r\ndef");
  MemoChanges = 0;
  Press(VK_ESCAPE);
  EXPECT_EQ(Lines(Edit->GetMemoText()), u"abc\r\ndef\r\n");
  Edit->SelectAll();
  Type(u"xy");
  EXPECT_EQ(Edit->GetText(), u"xy");
  EXPECT_EQ(Lines(Edit->GetMemoText()), u"xy\r\n");
  EXPECT_GT(MemoChanges, 0);
  Open();
  EXPECT_EQ(Lines(Edit->GetMemo()->GetLines()), u"xy\r\n");
}

// AutoDrop opens the popup when the edit is entered, and closing it (which focuses the edit again)
// does not reopen it.
TEST_F(MemoDropDown, AutoDropOpensOnEnter) {
  auto* other = Add<TEdit>(Form, 10, 60, 100, 21);
  Edit->SetAutoDrop(true);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(IsOpen());
  Edit->SetFocus();
  Pump();
  EXPECT_TRUE(IsOpen());
  Press(VK_TAB);
  EXPECT_FALSE(IsOpen());
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  EXPECT_TRUE(Edit->GetAutoDrop());
}

// A pick-only memo dropdown whose first line is 300 characters long shows it cut with "...".
TEST_F(MemoDropDown, LongFirstLineIsCutWithAnEllipsis) {
  String line;
  while (line.size() < 300) line += u"The quick brown fox jumps over the lazy dog. ";
  line.resize(300);
  TStringList s;
  s.Add(line);
  s.Add(u"second");
  Edit->SetEditorEnabled(false);
  Edit->SetMemoText(&s);
  const String shown = Edit->GetText();
  ASSERT_GT(shown.size(), 3U);
  EXPECT_LT(shown.size(), 60U);
  EXPECT_EQ(shown.substr(shown.size() - 3), u"...");
  EXPECT_EQ(line.substr(0, shown.size() - 3), shown.substr(0, shown.size() - 3));
  Form->SetFocus();
  Pump();
  // The text area of the edit (its formatting rectangle), as the screen shows it.
  const TRect r = Edit->GetEditRect();
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  for (Integer y = r.top; y < r.bottom; ++y)
    for (Integer x = r.left; x < r.right; ++x)
      shot.GetCanvas()->SetPixels(x - r.left, y - r.top, static_cast<TColor>(Headless::ClientPixel(Edit->GetHandle(), x, y)));
  ExpectBitmapMatchesGolden(shot, "memo-dropdown-long-line.png", 2);
}
