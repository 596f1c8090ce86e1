// The dropdown edit's input through its window: typed characters by edit type, the prefix and
// suffix fences, the sign, the decimals and thousand separators, change notifications and the
// modified flag, under two sets of separators and once with a German C locale; keys, the
// clipboard with its events, the numbers and hostile input.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDown.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Opens the protected members a test drives.
class TInputDropDown : public TNeoDropDown {
public:
  using TNeoDropDown::TNeoDropDown;
  using TNeoCustomDropDown::SetEditType;
};

// Separators swapped for a second locale: rows are written with DS ',' and TS '.'.
String Localized(const String& S, bool Swap) {
  if (!Swap) return S;
  String out = S;
  for (Char& c : out) c = c == u',' ? u'.' : c == u'.' ? u',' : c;
  return out;
}

std::string Narrow(const String& S) { return std::string(S.begin(), S.end()); }

void PutClipboardText(HWND Owner, const String& Text) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(Char));
  std::memcpy(GlobalLock(mem), Text.c_str(), (Text.size() + 1) * sizeof(Char));
  GlobalUnlock(mem);
  ASSERT_TRUE(OpenClipboard(Owner));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
}

String ClipboardString(HWND Owner) {
  String text;
  if (!OpenClipboard(Owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const Char*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class DropDownInputBase : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    FSaved = FormatSettings;
    Form = NewForm(300, 120);
    Edit = Add<TInputDropDown>(Form, 10, 10, 150, 21);
    Other = Add<TEdit>(Form, 10, 50, 100, 21);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Form->Show();
    Pump();
    Edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    FormatSettings = FSaved;
    UiTest::TearDown();
  }
  void Char(::Char C, LPARAM KeyData = 0x00000001) { SendMessage(Edit->GetHandle(), WM_CHAR, C, KeyData); }
  void Chars(const String& S) {
    for (::Char c : S) Char(c);
  }
  void Key(WPARAM Vk) { SendMessage(Edit->GetHandle(), WM_KEYDOWN, Vk, 0x00000001); }
  void Paste(const String& S) {
    PutClipboardText(Form->GetHandle(), S);
    SendMessage(Edit->GetHandle(), WM_PASTE, 0, 0);
  }
  void Select(Integer Start, Integer Length) {
    Edit->SetSelStart(Start);
    Edit->SetSelLength(Length);
  }

  TForm* Form = nullptr;
  TInputDropDown* Edit = nullptr;
  TEdit* Other = nullptr;
  Integer Changes = 0;

private:
  TFormatSettings FSaved;
};

// ---------------------------------------------------------------------------------------------
// The typing table

enum TStepKind { skChars, skKeypadChars, skKey, skPaste, skLeave };

struct TStep {
  TStepKind Kind;
  String Input;   // characters, or the clipboard text
  WPARAM Vk;
  // After the step (DS ',' TS '.' notation):
  String Text, Raw;
  Integer SelStart, SelLength;
  bool Modified;
  Integer Changes;   // since the row's start
};

struct TRow {
  const char* Name;
  TDropDownEditType Type;
  SmallInt Precision;
  bool Signed;
  String Prefix, Suffix;
  SmallInt LengthLimit;
  bool Excel, EditorEnabled;
  String Initial;   // through the Text setter
  Integer SelStart, SelLength;
  std::vector<TStep> Steps;
};

TStep Type(const String& In, const String& Text, const String& Raw, Integer S, Integer L, bool M, Integer C) {
  return {skChars, In, 0, Text, Raw, S, L, M, C};
}
TStep Keypad(const String& In, const String& Text, Integer S, bool M, Integer C) {
  return {skKeypadChars, In, 0, Text, Text, S, 0, M, C};
}
TStep Press(WPARAM Vk, const String& Text, const String& Raw, Integer S, Integer L, bool M, Integer C) {
  return {skKey, String(), Vk, Text, Raw, S, L, M, C};
}
TStep PasteStep(const String& Clip, const String& Text, Integer S, Integer L, bool M, Integer C) {
  return {skPaste, Clip, 0, Text, Text, S, L, M, C};
}
TStep Leave(const String& Text, bool M, Integer C) { return {skLeave, String(), 0, Text, Text, -1, -1, M, C}; }

const String BS(1, 8);

std::vector<TRow> TypingRows() {
  return {
      {"numeric unsigned: '-' refused, 12 pasted into 34, -5 refused", etNumeric, 0, false, u"", u"", 0, false, true,
       u"34", 1, 0,
       {Type(u"-", u"34", u"34", 1, 0, false, 0), PasteStep(u"12", u"3124", 3, 0, true, 1),
        PasteStep(u"-5", u"3124", 3, 0, true, 1), Type(u"x", u"3124", u"3124", 3, 0, true, 1)}},
      {"numeric signed: '-' toggles the sign", etNumeric, 0, true, u"", u"", 0, false, true, u"12", 2, 0,
       {Type(u"-", u"-12", u"-12", 3, 0, true, 1), Type(u"-", u"12", u"12", 2, 0, true, 2)}},
      {"numeric signed: '-' over the whole text", etNumeric, 0, true, u"", u"", 0, false, true, u"12", 0, 2,
       {Type(u"-", u"-", u"-", 1, 0, true, 1), Type(u"7", u"-7", u"-7", 2, 0, true, 2)}},
      {"float precision 2: the digit after full decimals is dropped, one among them overwrites", etFloat, 2, false,
       u"", u"", 0, false, true, u"1,5", 4, 0,
       {Type(u"7", u"1,50", u"1,50", 4, 0, false, 0), Type(u",", u"1,50", u"1,50", 2, 0, false, 0),
        Type(u"7", u"1,70", u"1,70", 3, 0, true, 1)}},
      {"float: DS into an empty text gives 0 and DS", etFloat, 2, false, u"", u"", 0, false, true, u"0", 0, 4,
       {Type(BS, u"", u"", 0, 0, true, 1), Type(u",", u"0,", u"0,", 2, 0, true, 2),
        Type(u"5", u"0,5", u"0,5", 3, 0, true, 3), Leave(u"0,50", true, 4)}},
      {"float: DS only three places from a thousand separator", etFloat, 2, false, u"", u"", 0, false, true, u"0", 0,
       4,
       {Type(BS + u"1.23", u"1.23", u"1.23", 4, 0, true, 5), Type(u",", u"1.23", u"1.23", 4, 0, true, 5),
        Type(u"4,", u"1.234,", u"1.234,", 6, 0, true, 7), Type(u".", u"1.234,", u"1.234,", 6, 0, true, 7)}},
      {"float signed with a prefix keeps the prefix when the sign toggles", etFloat, 2, true, u"$", u"", 0, false,
       true, u"5", 5, 0,
       {Type(u"-", u"-5,00", u"$-5,00", 6, 0, true, 1), Type(u"-", u"5,00", u"$5,00", 5, 0, true, 2)}},
      {"money: 1234 shows 1.234, leaving adds the decimals", etMoney, 2, false, u"", u"", 0, false, true, u"0", 0, 4,
       {Type(BS, u"", u"", 0, 0, true, 1), Type(u"123", u"123", u"123", 3, 0, true, 4),
        Type(u"4", u"1.234", u"1.234", 5, 0, true, 5), Type(u"5", u"12.345", u"12.345", 6, 0, true, 6),
        Type(u",", u"12.345,", u"12.345,", 7, 0, true, 7), Type(u"6", u"12.345,6", u"12.345,6", 8, 0, true, 8),
        Leave(u"12.345,60", true, 9)}},
      {"money: a second DS moves behind the separator", etMoney, 2, false, u"", u"", 0, false, true, u"1234", 1, 0,
       {Type(u",", u"1.234,00", u"1.234,00", 6, 0, false, 0), Type(u"x", u"1.234,00", u"1.234,00", 6, 0, false, 0)}},
      {"range: a separator never follows another", etRange, 0, false, u"", u"", 0, false, true, u"", 0, 0,
       {Type(u";", u"", u"", 0, 0, true, 0), Type(u"1-", u"1-", u"1-", 2, 0, true, 2),
        Type(u";", u"1-", u"1-", 2, 0, true, 2), Type(u"5;7", u"1-5;7", u"1-5;7", 5, 0, true, 5)}},
      {"hex: letters upper-cased by the setter, 'g' dropped", etHex, 0, false, u"", u"", 0, false, true, u"ff", 2, 0,
       {Type(u"g", u"FF", u"FF", 2, 0, false, 0), Type(u"a", u"FFa", u"FFa", 3, 0, true, 1)}},
      {"pick-only: every character is ignored", etString, 0, false, u"", u"", 0, false, false, u"ab", 2, 0,
       {Type(u"xy" + BS, u"ab", u"ab", 2, 0, false, 0)}},
      {"prefix: Left and Backspace stop right after $", etNumeric, 0, false, u"$", u"", 0, false, true, u"12", 1, 0,
       {Press(VK_LEFT, u"12", u"$12", 1, 0, false, 0), Type(BS, u"12", u"$12", 1, 0, false, 0),
        Press(VK_HOME, u"12", u"$12", 1, 0, false, 0), Type(u"9", u"912", u"$912", 2, 0, true, 1)}},
      {"suffix: Right, End and Delete stop before the suffix", etNumeric, 0, false, u"", u" kg", 0, false, true, u"12",
       1, 0,
       {Press(VK_END, u"12", u"12 kg", 2, 0, false, 0), Press(VK_RIGHT, u"12", u"12 kg", 2, 0, false, 0),
        Press(VK_DELETE, u"12", u"12 kg", 2, 0, false, 0), Type(BS, u"1", u"1 kg", 1, 0, true, 1)}},
      {"a refused character over the whole text swallows no later change", etNumeric, 0, false, u"", u"", 0, false,
       true, u"12", 0, 2,
       {Type(u"x", u"12", u"12", 0, 2, false, 0), Press(VK_END, u"12", u"12", 2, 0, false, 0),
        Type(u"3", u"123", u"123", 3, 0, true, 1)}},
      {"typing over the whole text notifies once", etString, 0, false, u"", u"", 0, false, true, u"abc", 0, 3,
       {Type(u"x", u"x", u"x", 1, 0, true, 1)}},
      {"length limit: the integer part takes no more digits", etFloat, 2, false, u"", u"", 3, false, true, u"123", 3,
       0, {Type(u"4", u"123,00", u"123,00", 3, 0, false, 0), Type(BS + u"9", u"129,00", u"129,00", 3, 0, true, 2)}},
      {"keypad decimal key types the locale's DS", etString, 0, false, u"", u"", 0, true, true, u"1", 1, 0,
       {Keypad(u".", u"1,", 2, true, 1), Type(u".", u"1,.", u"1,.", 3, 0, true, 2)}},
      {"case types", etUppercase, 0, false, u"", u"", 0, false, true, u"", 0, 0,
       {Type(u"aé", u"AÉ", u"AÉ", 2, 0, true, 2)}},
      {"mixed case", etMixedCase, 0, false, u"", u"", 0, false, true, u"", 0, 0,
       {Type(u"john smith", u"John Smith", u"John Smith", 10, 0, true, 10)}},
      {"alphanumeric", etAlphaNumeric, 0, false, u"", u"", 0, false, true, u"", 0, 0,
       {Type(u"a-1 é", u"a1", u"a1", 2, 0, true, 2)}},
  };
}

struct TLocaleCase {
  const char* Name;
  bool Swap;         // DS '.' TS ',' instead of DS ',' TS '.'
  bool GermanC;      // the C library's locale set to de_DE.UTF-8 meanwhile
};

class DropDownTyping : public DropDownInputBase, public ::testing::WithParamInterface<TLocaleCase> {
protected:
  void SetUp() override {
    DropDownInputBase::SetUp();
    FormatSettings.DecimalSeparator = GetParam().Swap ? u'.' : u',';
    FormatSettings.ThousandSeparator = GetParam().Swap ? u',' : u'.';
    if (GetParam().GermanC) UseGermanCLocale();
  }
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    DropDownInputBase::TearDown();
  }
  // Builds the German locale from the system's locale sources into the test output folder.
  static void UseGermanCLocale() {
    const std::string dir = OutputPath("locale");
    const std::string build = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir + "/de_DE.UTF-8' 2>/dev/null";
    (void)std::system(build.c_str());
    setenv("LOCPATH", dir.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "no de_DE locale could be built";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void RunRow(const TRow& Row) {
    const bool swap = GetParam().Swap;
    Edit->SetEditType(Row.Type);
    Edit->SetSigned(Row.Signed);
    Edit->SetPrefix(Row.Prefix);
    Edit->SetSuffix(Row.Suffix);
    Edit->SetLengthLimit(Row.LengthLimit);
    Edit->SetExcelStyleDecimalSeparator(Row.Excel);
    Edit->SetPrecision(Row.Precision);
    Edit->SetText(Localized(Row.Initial, swap));
    Edit->SetEditorEnabled(Row.EditorEnabled);
    Select(Row.SelStart, Row.SelLength);
    Changes = 0;
    ASSERT_FALSE(Edit->GetModified());
    for (std::size_t i = 0; i < Row.Steps.size(); ++i) {
      const TStep& s = Row.Steps[i];
      const String input = Localized(s.Input, swap);
      switch (s.Kind) {
        case skChars: Chars(input); break;
        case skKeypadChars:
          for (::Char c : input) Char(c, 0x00530001);
          break;
        case skKey: Key(s.Vk); break;
        case skPaste: Paste(input); break;
        case skLeave:
          Other->SetFocus();
          Pump();
          break;
      }
      SCOPED_TRACE(std::string(Row.Name) + ", step " + std::to_string(i + 1));
      EXPECT_EQ(Narrow(Edit->GetText()), Narrow(Localized(s.Text, swap)));
      EXPECT_EQ(Narrow(Edit->GetEditText()), Narrow(Localized(s.Raw, swap)));
      if (s.SelStart >= 0) {
        EXPECT_EQ(Edit->GetSelStart(), s.SelStart);
        EXPECT_EQ(Edit->GetSelLength(), s.SelLength);
      }
      EXPECT_EQ(Edit->GetModified(), s.Modified);
      EXPECT_EQ(Changes, s.Changes);
    }
  }
};

}  // namespace

TEST_P(DropDownTyping, EveryRowOfTheTable) {
  for (const TRow& row : TypingRows()) {
    // A fresh edit per row, so that no state leaks from one row to the next.
    delete Edit;
    Edit = Add<TInputDropDown>(Form, 10, 10, 150, 21);
    Edit->OnChange = [this](TObject*) { ++Changes; };
    Edit->SetFocus();
    Pump();
    RunRow(row);
    if (HasFatalFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Separators, DropDownTyping,
                         ::testing::Values(TLocaleCase{"CommaDecimal", false, false},
                                           TLocaleCase{"PointDecimal", true, false},
                                           TLocaleCase{"PointDecimalUnderGermanCLocale", true, true}),
                         [](const ::testing::TestParamInfo<TLocaleCase>& I) { return std::string(I.param.Name); });

// ---------------------------------------------------------------------------------------------
// Clipboard

namespace {

class DropDownClipboard : public DropDownInputBase {
protected:
  void SetUp() override {
    DropDownInputBase::SetUp();
    Edit->SetPrefix(u"$");
    Edit->SetText(u"hello");
    Select(1, 3);   // "hel"
    PutClipboardText(Form->GetHandle(), u"old");
    Changes = 0;
  }
  String Clipboard() { return ClipboardString(Form->GetHandle()); }
};

}  // namespace

// Each event sees the selected part of the value and can veto; a cut never reports a copy.
TEST_F(DropDownClipboard, CutCopyAndPasteWithTheirEventsAllowingAndVetoing) {
  struct TCase {
    UINT Message;
    bool Allow;
    const char16_t* Text;      // afterwards
    const char16_t* Clip;      // the clipboard afterwards
    const char16_t* Seen;      // what the event was given
    Integer SelStart, SelLength;
  };
  const TCase cases[] = {
      {WM_CUT, true, u"lo", u"hel", u"hel", 1, 0},     {WM_CUT, false, u"hello", u"old", u"hel", 1, 3},
      {WM_COPY, true, u"hello", u"hel", u"hel", 1, 3}, {WM_COPY, false, u"hello", u"old", u"hel", 1, 3},
      {WM_PASTE, true, u"oldlo", u"old", u"oldlo", 1, 3}, {WM_PASTE, false, u"hello", u"old", u"oldlo", 1, 3},
  };
  for (const TCase& c : cases) {
    SetUp();
    String seen;
    Integer copies = 0;
    auto handler = [&](TObject*, const String& Value, bool& Allow) {
      seen = Value;
      Allow = c.Allow;
    };
    Edit->OnClipboardCut = Edit->OnClipboardPaste = nullptr;
    Edit->OnClipboardCopy = [&](TObject*, const String&, bool&) { ++copies; };
    if (c.Message == WM_CUT) Edit->OnClipboardCut = handler;
    if (c.Message == WM_COPY) Edit->OnClipboardCopy = [&](TObject* S, const String& V, bool& A) { ++copies; handler(S, V, A); };
    if (c.Message == WM_PASTE) Edit->OnClipboardPaste = handler;
    SendMessage(Edit->GetHandle(), c.Message, 0, 0);
    SCOPED_TRACE(std::to_string(c.Message) + (c.Allow ? " allowed" : " vetoed"));
    EXPECT_EQ(Narrow(Edit->GetText()), Narrow(c.Text));
    EXPECT_EQ(Narrow(Clipboard()), Narrow(c.Clip));
    EXPECT_EQ(Narrow(seen), Narrow(c.Seen));
    EXPECT_EQ(Edit->GetSelStart(), c.SelStart);
    EXPECT_EQ(Edit->GetSelLength(), c.SelLength);
    EXPECT_EQ(copies, c.Message == WM_COPY ? 1 : 0) << "a cut reports no copy";
    EXPECT_EQ(Changes, c.Allow && c.Message != WM_COPY ? 1 : 0);
  }
}

// A paste over MaxLength and one the edit type refuses leave text and selection as they were; a
// read-only edit and an empty clipboard take no paste.
TEST_F(DropDownClipboard, RefusedPastesLeaveTextAndSelection) {
  struct TCase {
    const char* Name;
    TDropDownEditType Type;
    Integer MaxLength;
    bool ReadOnly;
    const char16_t* Clip;   // nullptr: an empty clipboard
  };
  const TCase cases[] = {
      {"over MaxLength", etString, 5, false, u"ab"},  {"no integer", etNumeric, 0, false, u"x"},
      {"no number", etFloat, 0, false, u"1x"},         {"range takes no paste", etRange, 0, false, u"1"},
      {"hex takes no paste", etHex, 0, false, u"A"},  {"not alphanumeric", etAlphaNumeric, 0, false, u"a b"},
      {"read-only", etString, 0, true, u"ab"},         {"empty clipboard", etString, 0, false, nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetUp();
    Edit->SetEditType(c.Type);
    Edit->SetMaxLength(c.MaxLength);
    Edit->SetText(c.Type == etString || c.Type == etAlphaNumeric ? u"hello" : u"12345");
    Edit->SetReadOnly(c.ReadOnly);
    Select(2, 1);
    const String before = Edit->GetEditText();
    if (c.Clip) {
      PutClipboardText(Form->GetHandle(), c.Clip);
    } else {
      ASSERT_TRUE(OpenClipboard(Form->GetHandle()));
      EmptyClipboard();
      CloseClipboard();
    }
    Changes = 0;
    SendMessage(Edit->GetHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Narrow(Edit->GetEditText()), Narrow(before));
    EXPECT_EQ(Edit->GetSelStart(), 2);
    EXPECT_EQ(Edit->GetSelLength(), 1);
    EXPECT_EQ(Changes, 0);
  }
}

// Pasted numbers are formatted; a money text longer than three characters ends selected.
TEST_F(DropDownClipboard, PastedNumbersFollowTheirType) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Edit->SetPrefix(String());
  Edit->SetEditType(etMoney);
  Edit->SetPrecision(2);
  Edit->SetText(u"0");
  Select(0, 4);
  Paste(u"1234,5");
  EXPECT_EQ(Narrow(Edit->GetText()), "1.234,50");
  EXPECT_EQ(Edit->GetSelStart(), 0);
  EXPECT_EQ(Edit->GetSelLength(), 8);
  EXPECT_TRUE(Edit->GetModified());

  Edit->SetEditType(etMixedCase);
  Edit->SetText(String());
  Paste(u"anna smith");
  EXPECT_EQ(Narrow(Edit->GetText()), "Anna Smith");
  EXPECT_EQ(Edit->GetSelStart(), 10);
  EXPECT_TRUE(Edit->GetModified());
}

// ---------------------------------------------------------------------------------------------
// Numbers

// What the grid's editors rely on: Text keeps the thousand separators, GetFloatValue strips them.
TEST_F(DropDownInputBase, MoneyTextKeepsSeparatorsAndReadsAsNumber) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Edit->SetEditType(etMoney);
  Edit->SetPrecision(2);
  Edit->SetText(u"1234");
  EXPECT_EQ(Narrow(Edit->GetText()), "1.234,00");
  EXPECT_DOUBLE_EQ(Edit->GetFloatValue(), 1234);
}

TEST_F(DropDownInputBase, NumbersAreWrittenAndReadByEditType) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  struct TCase {
    const char* Name;
    TDropDownEditType Type;
    SmallInt Precision;
    const char16_t* Set;   // through the Text setter
    const char16_t* Text;
    Double Value;
  };
  const TCase cases[] = {
      {"empty float, no decimals", etFloat, 0, u"", u"0", 0},
      {"empty float, two decimals", etFloat, 2, u"", u"0,00", 0},
      {"float with separators", etFloat, 2, u"1.234,567", u"1234,57", 1234.57},
      {"float reads Error as 0", etFloat, 0, u"Error", u"Error", 0},
      {"float reads a lone sign as 0", etFloat, 0, u"-", u"-", 0},
      {"float reads an unreadable text as 0", etFloat, 0, u"1,2,3", u"1,2,3", 0},
      {"money drops a trailing DS", etMoney, 0, u"1.234,", u"1.234,", 1234},
      {"money, two decimals", etMoney, 2, u"-1234567,891", u"-1.234.567,89", -1234567.89},
      {"numeric", etNumeric, 0, u"", u"0", 0},
      {"hex upper-cased", etHex, 0, u"-ff", u"-FF", -255},
      {"hex beyond 32 bits", etHex, 0, u"FFFFFFFFF", u"FFFFFFFFF", 0},
      {"string reads the leading number", etString, 0, u"12abc", u"12abc", 12},
      {"string keeps an empty text", etString, 2, u"", u"", 0},
      {"other types read 0", etUppercase, 0, u"12", u"12", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetEditType(c.Type);
    Edit->SetPrecision(c.Precision);
    Edit->SetText(c.Set);
    EXPECT_EQ(Narrow(Edit->GetText()), Narrow(c.Text));
    EXPECT_NEAR(Edit->GetFloatValue(), c.Value, 1e-9);
    EXPECT_FALSE(Edit->GetModified());
  }
}

TEST_F(DropDownInputBase, ValuesSetAsNumbersAndTypeChanges) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Edit->SetEditType(etHex);
  Edit->SetIntValue(255);
  EXPECT_EQ(Narrow(Edit->GetText()), "FF");
  EXPECT_TRUE(Edit->GetModified());
  Edit->SetFloatValue(-31.9);
  EXPECT_EQ(Narrow(Edit->GetText()), "FFFFFFFFFFFFFFE1") << "IntToHex of Trunc, 64 bits";

  Edit->SetEditType(etMoney);
  EXPECT_EQ(Narrow(Edit->GetText()), "0") << "a hexadecimal text is no money value";
  Edit->SetIntValue(-1234567);
  EXPECT_EQ(Narrow(Edit->GetText()), "-1.234.567");
  Edit->SetPrecision(2);
  EXPECT_EQ(Narrow(Edit->GetText()), "-1.234.567,00");

  Edit->SetEditType(etFloat);
  Edit->SetPrecision(-1);
  Edit->SetFloatValue(0.5);
  EXPECT_EQ(Narrow(Edit->GetText()), "0,5") << "%g";
  Edit->SetText(u"abc");
  Edit->SetEditType(etNumeric);
  EXPECT_EQ(Narrow(Edit->GetText()), "0");
  Edit->SetPrecision(3);
  EXPECT_EQ(Edit->GetPrecision(), -1) << "a numeric edit keeps its precision";

  Edit->SetEditType(etPassword);
  EXPECT_EQ(Edit->GetPasswordChar(), u'*');
  EXPECT_FALSE(Edit->GetCanUndo());
  Edit->SetEditType(etString);
  EXPECT_EQ(Edit->GetPasswordChar(), 0);
}

// Leaving the edit formats it, keeping the modified flag; an empty number becomes the minimum,
// or 0 (a new value), unless empty is allowed.
TEST_F(DropDownInputBase, LeavingFormatsTheNumber) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  struct TCase {
    TDropDownEditType Type;
    SmallInt Precision;
    bool AllowNull;
    const char16_t* Raw;
    const char16_t* After;
    bool Modified;
  };
  const TCase cases[] = {
      {etFloat, 2, false, u"1,5", u"1,50", false}, {etFloat, 2, true, u"", u"", false},
      {etFloat, 2, false, u"", u"0,00", false},    {etFloat, 0, false, u"", u"0", true},
      {etNumeric, 0, false, u"", u"0", false},     {etNumeric, 0, true, u"", u"", false},
      {etMoney, 2, false, u"1234", u"1.234,00", false},
  };
  for (const TCase& c : cases) {
    Edit->SetEditType(c.Type);
    Edit->SetPrecision(c.Precision);
    Edit->SetAllowNumericNullValue(c.AllowNull);
    Edit->SetFocus();
    Pump();
    Edit->SetEditText(c.Raw);
    Edit->SetModified(false);
    Other->SetFocus();
    Pump();
    EXPECT_EQ(Narrow(Edit->GetText()), Narrow(c.After)) << Narrow(c.Raw);
    EXPECT_EQ(Edit->GetModified(), c.Modified) << Narrow(c.Raw);
  }
}

// ---------------------------------------------------------------------------------------------
// Keys through the application's key routing

TEST_F(DropDownInputBase, EscapeSelectsTheValueAndClearsModified) {
  Edit->SetPrefix(u"$");
  Edit->SetText(u"ab");
  Edit->SetSelStart(3);
  Type(u"c");
  ASSERT_TRUE(Edit->GetModified());
  Press(VK_ESCAPE);
  EXPECT_EQ(Narrow(Edit->GetText()), "abc") << "the text stays; the popup's cancel restores old text";
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3);
  EXPECT_FALSE(Edit->GetModified());
}

TEST_F(DropDownInputBase, EnterWithReturnIsTabMovesTheFocusOn) {
  for (bool pickOnly : {false, true}) {
    Edit->SetEditorEnabled(!pickOnly);
    Edit->SetReturnIsTab(true);
    Edit->SetFocus();
    Pump();
    Press(VK_RETURN);
    EXPECT_TRUE(Other->Focused()) << (pickOnly ? "pick-only" : "editable");
  }
}

TEST_F(DropDownInputBase, WithoutDefaultHandlingEnterAndEscapeGoToTheParent) {
  std::vector<Word> keys;
  Form->SetKeyPreview(false);
  Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) { keys.push_back(Key); };
  Edit->SetDefaultHandling(false);
  Edit->SetCanUndo(false);
  Char(13);
  Char(27);
  Pump();
  EXPECT_EQ(keys, (std::vector<Word>{VK_RETURN, VK_ESCAPE}));
}

// ---------------------------------------------------------------------------------------------
// Hostile input

TEST_F(DropDownInputBase, LongPastesControlCharactersAndLoneSurrogatesAreSafe) {
  String digits(10000, u'7');
  String junk;
  for (Integer i = 0; i < 10000; ++i) {
    const ::Char pick[] = {u'1', u',', u'.', u'-', 0xD800, 0xDFFF, u'\t', u'\r', u'\n', u'a', 0, 0xFFFF};
    junk += pick[i % 12];
  }
  for (Integer type = etString; type <= etValidChars; ++type) {
    for (Integer maxLength : {0, 40}) {
      SCOPED_TRACE(std::to_string(type) + " max " + std::to_string(maxLength));
      Edit->SetEditType(static_cast<TDropDownEditType>(type));
      Edit->SetValidChars(u"17,.-");
      Edit->SetPrecision(2);
      Edit->SetMaxLength(maxLength);
      Edit->SetText(String());
      for (const String* clip : {&digits, &junk}) {
        Paste(*clip);
        if (maxLength > 0) {
          EXPECT_LE(Edit->GetEditText().size(), 40u);
        }
        Select(1, 0);
        for (::Char c = 0; c < 0x20; ++c) Char(c);
        for (::Char c : {::Char(0xD800), ::Char(0xDC00), ::Char(0xFFFF), u'-', u',', u'.'}) Char(c);
        if (maxLength > 0) {
          EXPECT_LE(Edit->GetEditText().size(), 40u);
        }
        (void)Edit->GetFloatValue();
      }
      Other->SetFocus();
      Pump();
      Edit->SetFocus();
      Pump();
    }
  }
}

// Key strokes through the application with the prefix and suffix fences, selection keys, and
// Delete's rules.
TEST_F(DropDownInputBase, SelectionKeysKeepToTheValue) {
  Edit->SetPrefix(u"$");
  Edit->SetSuffix(u" kg");
  Edit->SetText(u"123");
  Select(2, 0);
  Chord(VK_CONTROL, 'A');
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3) << "Ctrl+A selects the value only";
  Select(2, 0);
  Chord(VK_SHIFT, VK_HOME);
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 3) << "Shift+Home selects from the prefix's end to the value's";
  Select(1, 0);
  Chord(VK_SHIFT, VK_END);
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 2) << "Length(Text) - SelStart, raw and value positions mixed as specified";
  EXPECT_EQ(Narrow(Edit->GetEditText()), "$123 kg");
}

TEST_F(DropDownInputBase, DeleteReformatsMoneyAndKeepsTheLengthLimit) {
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  Edit->SetEditType(etMoney);
  Edit->SetIntValue(1234);
  EXPECT_EQ(Narrow(Edit->GetText()), "1.234");
  Select(2, 0);
  Press(VK_DELETE);
  EXPECT_EQ(Narrow(Edit->GetText()), "134");
  EXPECT_TRUE(Edit->GetModified());

  Edit->SetEditType(etNumeric);
  Edit->SetLengthLimit(3);
  Edit->SetText(u"12345");
  Select(0, 0);
  Press(VK_DELETE);
  EXPECT_EQ(Narrow(Edit->GetText()), "12345") << "what is left would still exceed the limit";
  Edit->SetText(u"1234");
  Select(0, 0);
  Press(VK_DELETE);
  EXPECT_EQ(Narrow(Edit->GetText()), "234");
}

// A press inside the selection keeps it until the release puts the caret there; a press on the
// prefix selects the value.
TEST_F(DropDownInputBase, MouseSelectionKeepsOffThePrefix) {
  Edit->SetPrefix(u"$");
  Edit->SetText(u"hello");
  Select(1, 5);
  const LPARAM middle = Edit->Perform(EM_POSFROMCHAR, 3, 0);
  SendMessage(Edit->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
  EXPECT_EQ(Edit->GetSelLength(), 5) << "the selection survives the press";
  SendMessage(Edit->GetHandle(), WM_LBUTTONUP, 0, middle);
  EXPECT_EQ(Edit->GetSelStart(), 3);
  EXPECT_EQ(Edit->GetSelLength(), 0);
  const LPARAM start = Edit->Perform(EM_POSFROMCHAR, 0, 0);
  SendMessage(Edit->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, start);
  SendMessage(Edit->GetHandle(), WM_LBUTTONUP, 0, start);
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 5);
}
