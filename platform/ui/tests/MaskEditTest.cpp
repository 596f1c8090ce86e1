// The masked edit: the mask language (typed input -> EditText, Text, validation), editing over
// the mask through the message queue, and validation when the focus leaves.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <cstring>

#include "platform/ui/Mask.h"

class MaskEditTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Saved = FormatSettings;
    Form = NewForm(300, 100);
    Edit = Add<TMaskEdit>(Form, 10, 10, 200, 22);
    Application->OnException = [this](TObject*, Exception& E) { Errors.push_back(E.Message); };
    Other = Add<TEdit>(Form, 10, 50, 200, 22);
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    FormatSettings = Saved;
    UiTest::TearDown();
  }
  static void PutClipboard(const String& Text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(Char));
    std::memcpy(GlobalLock(mem), Text.c_str(), (Text.size() + 1) * sizeof(Char));
    GlobalUnlock(mem);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  }
  // Mask, cleared, caret at the start.
  void Start(const String& Mask) {
    Edit->SetEditMask(Mask);
    Edit->SetText(String());
    Edit->SetSelStart(0);
    Headless::ClearBeeps();
  }
  TFormatSettings Saved;
  std::vector<String> Errors;   // exceptions that left a handler
  TForm* Form = nullptr;
  TMaskEdit* Edit = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(MaskEditTest, TypedInputAgainstMasks) {
  struct TCase {
    const Char* Mask;
    const Char* Typed;
    const Char* EditText;
    const Char* Text;
    Integer Missing;   // first required position left blank, -1: valid
    std::size_t Beeps;
  };
  const TCase cases[] = {
      {u"!99/99/0000;1;_", u"12052024", u"12/05/2024", u"12/05/2024", -1, 0},
      {u"(000) 000-0000;0;_", u"0301234567", u"(030) 123-4567", u"0301234567", -1, 0},
      {u"(000) 000-0000;0;_", u"030", u"(030) ___-____", u"030", 6, 0},
      {u"(000) 000-0000;1;_", u"(030) 12", u"(030) 12_-____", u"(030) 12 -", 8, 0},
      {u">LL<ll;1;*", u"abCD", u"ABcd", u"ABcd", -1, 0},
      {u">LL<ll;1;*", u"a1", u"A***", u"A", 1, 1},
      {u"#0.00;1;_", u"-512", u"-5.12", u"-5.12", -1, 0},
      {u"#0.00;1;_", u"x+7", u"+7.__", u"+7.", 3, 1},
      {u"\\A\\L-00;0;_", u"42", u"AL-42", u"42", -1, 0},
      {u"aaa;1;_", u"x y", u"xy_", u"xy", -1, 1},
      {u"AAA;1;_", u"a-b", u"ab_", u"ab", 2, 1},
      {u"CcC;1;#", u"?", u"?##", u"?", 2, 0},
      {u"!999;1; ", u"42", u"42 ", u"42 ", -1, 0},
      {u"ll_ll;1;_", u"abcd", u"ab cd", u"ab cd", -1, 0},
      {u"<>Ll;1;_", u"Xy", u"Xy", u"Xy", -1, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(String(c.Mask)) + " <- " + UTF8Encode(String(c.Typed)));
    Start(c.Mask);
    Type(c.Typed);
    EXPECT_EQ(Edit->GetEditText(), c.EditText);
    EXPECT_EQ(Edit->GetText(), c.Text);
    EXPECT_EQ(Headless::Beeps().size(), c.Beeps);
    EXPECT_EQ(Edit->IsMasked(), true);
    if (c.Missing < 0) {
      EXPECT_NO_THROW(Edit->ValidateEdit());
    } else {
      EXPECT_THROW(Edit->ValidateEdit(), EDBEditError);
      EXPECT_EQ(Edit->GetSelStart(), c.Missing);
    }
  }
}

TEST_F(MaskEditTest, TextAndEditTextConvertBothWays) {
  struct TCase {
    const Char* Mask;
    const Char* Text;
    const Char* EditText;
  };
  const TCase cases[] = {
      {u"(000) 000-0000;0;_", u"0301234567", u"(030) 123-4567"},
      {u"(000) 000-0000;1;_", u"(030) 123-4567", u"(030) 123-4567"},
      {u"!999;0; ", u"42", u" 42"},
      {u"999;0;_", u"42", u"42_"},
      {u"!90:00:00;1; ", u"9:05:00", u" 9:05:00"},
      {u"00-00;0;_", u"1x34", u"1_-34"},   // a character that does not fit is left blank
      {u"", u"frei (text)", u"frei (text)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(UTF8Encode(String(c.Mask)) + " : " + UTF8Encode(String(c.Text)));
    Edit->SetEditMask(c.Mask);
    Edit->SetText(c.Text);
    EXPECT_EQ(Edit->GetEditText(), c.EditText);
    // The window text is the EditText.
    EXPECT_EQ(static_cast<TCustomEdit*>(Edit)->GetText(), c.EditText);
  }
  // Changing the mask keeps the value.
  Edit->SetEditMask(u"(000) 000-0000;0;_");
  Edit->SetText(u"0301234567");
  Edit->SetEditMask(u"000 000 0000;0;_");
  EXPECT_EQ(Edit->GetEditText(), u"030 123 4567");
  Edit->SetEditMask(String());
  EXPECT_FALSE(Edit->IsMasked());
  EXPECT_EQ(Edit->GetText(), u"0301234567");
  // EditText set directly is fitted into the mask.
  Edit->SetEditMask(u"!90:00:00;1; ");
  Edit->SetEditText(u"00:00:00");
  EXPECT_EQ(Edit->GetEditText(), u"00:00:00");
  EXPECT_EQ(Edit->GetMaxLength(), 8);
}

TEST_F(MaskEditTest, DateMaskFollowsTheDateSeparator) {
  const String mask = u"!99/99/0000;1;_";
  FormatSettings.DateSeparator = u'.';
  Start(mask);
  Type(u"24.12.2024");   // typing the separator where it stands steps over it
  EXPECT_EQ(Edit->GetEditText(), u"24.12.2024");
  EXPECT_EQ(Edit->GetText(), u"24.12.2024");
  EXPECT_TRUE(Headless::Beeps().empty());
  FormatSettings.DateSeparator = u'/';
  Start(mask);
  EXPECT_EQ(Edit->GetEditText(), u"__/__/____");
  Type(u"12242024");
  EXPECT_EQ(Edit->GetText(), u"12/24/2024");
  Type(u"9");   // past the end
  EXPECT_EQ(Headless::Beeps().size(), 1u);
}

TEST_F(MaskEditTest, EditingOverTheMask) {
  Start(u"(000) 000-0000;0;_");
  Type(u"0301234567");
  // Backspace blanks the character before the caret and steps over literals.
  Press(VK_END);
  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_EQ(Edit->GetEditText(), u"(030) 123-45__");
  Press(VK_BACK);
  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_EQ(Edit->GetEditText(), u"(030) 12_-____");
  EXPECT_EQ(Edit->GetSelStart(), 8);
  // Delete blanks the character at the caret and leaves the caret.
  Press(VK_HOME);
  Press(VK_DELETE);
  EXPECT_EQ(Edit->GetEditText(), u"(_30) 12_-____");
  EXPECT_EQ(Edit->GetSelStart(), 1);
  // Typing over a selection blanks it and puts the character at its first input position.
  Edit->SetSelStart(2);
  Edit->SetSelLength(5);
  Type(u"9");
  EXPECT_EQ(Edit->GetEditText(), u"(_9_) _2_-____");
  EXPECT_EQ(Edit->GetSelStart(), 3);
  // Undo takes back the last edit.
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Edit->GetEditText(), u"(_30) 12_-____");
  // Paste goes through the mask: literals match, what does not fit is dropped with a beep.
  Headless::ClearBeeps();
  PutClipboard(u"(089) 55x5-1");
  Edit->SelectAll();
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Edit->GetEditText(), u"(089) 555-1___");
  EXPECT_EQ(Headless::Beeps().size(), 1u);
  // Cut puts the selection on the clipboard and blanks it.
  Edit->SetSelStart(6);
  Edit->SetSelLength(3);
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(Edit->GetEditText(), u"(089) ___-1___");
  Other->PasteFromClipboard();
  EXPECT_EQ(Other->GetText(), u"555");
}

TEST_F(MaskEditTest, ReadOnlyRefusesWithABeep) {
  Start(u"000;1;_");
  Type(u"12");
  Edit->SetReadOnly(true);
  Headless::ClearBeeps();
  Type(u"3");
  Press(VK_BACK);
  Press(VK_HOME);
  Press(VK_DELETE);
  EXPECT_EQ(Edit->GetEditText(), u"12_");
  EXPECT_EQ(Headless::Beeps().size(), 3u);
  EXPECT_NE(GetWindowLong(Edit->GetHandle(), GWL_STYLE) & static_cast<LONG>(ES_READONLY), 0);
}

TEST_F(MaskEditTest, LeavingAnIncompleteEditRaisesAndKeepsTheFocus) {
  Start(u"LL-00;1;_");
  Type(u"AB1");
  Other->SetFocus();
  Pump();
  ASSERT_EQ(Errors.size(), 1u) << (Errors.size() > 1 ? UTF8Encode(Errors[1]) : "");
  EXPECT_EQ(GetFocus(), Edit->GetHandle());
  EXPECT_EQ(Edit->GetSelStart(), 4);
  Type(u"2");
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Errors.size(), 1u);
  EXPECT_EQ(GetFocus(), Other->GetHandle());
  EXPECT_EQ(Edit->GetText(), u"AB-12");
}

TEST_F(MaskEditTest, PasswordCharHidesTheEditText) {
  Start(u"0000;0;_");
  Edit->SetPasswordChar(u'*');
  Edit->SetFocus();
  Pump();
  Type(u"1234");
  EXPECT_EQ(Edit->GetText(), u"1234");
  Edit->SelectAll();
  Chord(VK_CONTROL, 'C');   // a password never reaches the clipboard
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
  CloseClipboard();
}
