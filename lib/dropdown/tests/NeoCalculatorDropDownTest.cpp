// The calculator drop-down: scripts of keypad keys and of typed keys under both decimal
// separators (immediate execution, pending operator, decimal entry, memory, sqrt, 1/x, %, sign,
// Back, clear, MaxLength, "Error"), the popup's keys, the keypad it creates and the style table.
#include "lib/dropdown/NeoCalculatorDropDown.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A calculator whose popup closings are recorded (the popup window itself is not needed here).
class TProbeCalculator : public TNeoCalculatorDropdown {
public:
  using TNeoCalculatorDropdown::TNeoCalculatorDropdown;
  using TNeoCalculatorDropdown::DoBeforeDropDown;
  using TNeoCalculatorDropdown::DropDownFormKeyDown;
  using TNeoCalculatorDropdown::DropDownFormKeyPress;
  std::vector<bool> Hides;

protected:
  void DoHideDropDown(bool Cancel) override {
    Hides.push_back(Cancel);
    TNeoCalculatorDropdown::DoHideDropDown(Cancel);
  }
};

class Calculator : public UiTest, public testing::WithParamInterface<Char> {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    Saved = FormatSettings;
    FormatSettings.DecimalSeparator = GetParam();
    FormatSettings.ThousandSeparator = GetParam() == u'.' ? u',' : u'.';
    Form = NewForm(300, 120);
    Calc = new TProbeCalculator(Form);
    Calc->SetParent(Form);
    Calc->SetBounds(10, 10, 150, 21);
    Form->Show();
    Pump();
  }
  void TearDown() override {
    FormatSettings = Saved;
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  // The expected display with '.' standing for the decimal separator.
  static String Local(const char* Text) {
    String s = UTF8ToString(Text);
    for (Char& c : s)
      if (c == u'.') c = FormatSettings.DecimalSeparator;
    return s;
  }
  // Keys of the keypad by a letter each: digits, + - * / = %, '.' the decimal point, 'n' +/-,
  // 'q' sqrt, 'r' 1/x, 'B' Back, 'C' C, 'E' CE, 'm' MC, 'R' MR, 'S' MS, 'P' M+.
  void Keys(const char* Script) {
    static const std::map<char, const char16_t*> names = {
        {'+', u"BTN_+"}, {'-', u"BTN_-"}, {'*', u"BTN_*"}, {'/', u"BTN_/"}, {'=', u"BTN_="},  {'%', u"BTN_%"},
        {'.', u"BTN_."}, {'n', u"BTN_+/-"}, {'q', u"BTN_sqrt"}, {'r', u"BTN_1/x"}, {'B', u"BTN_BACK"},
        {'C', u"BTN_C"}, {'E', u"BTN_CE"}, {'m', u"BTN_MC"}, {'R', u"BTN_MR"}, {'S', u"BTN_MS"}, {'P', u"BTN_M+"}};
    TCustomButtonPanel* keypad = Calc->GetButtonPanel();
    for (const char* c = Script; *c; ++c) {
      String name = *c >= '0' && *c <= '9' ? u"BTN_" + String(1, Char(*c)) : String(names.at(*c));
      Integer index = -1;
      for (Integer i = 0; i < keypad->GetButtons()->GetCount(); ++i)
        if (keypad->GetButtons()->GetItems(i)->GetName() == name) index = i;
      ASSERT_GE(index, 0) << *c;
      keypad->DoButtonClick(index);
    }
  }
  // Characters typed into the focused edit; '.' is the decimal separator, 'b' Backspace.
  void Typed(const char* Script) {
    Calc->SetFocus();
    Pump();
    for (const char* c = Script; *c; ++c) {
      Char ch = *c == '.' ? FormatSettings.DecimalSeparator : *c == 'b' ? Char(8) : Char(*c);
      SendMessage(Calc->GetHandle(), WM_CHAR, ch, 0);
    }
    Pump();
  }

  TFormatSettings Saved;
  TForm* Form = nullptr;
  TProbeCalculator* Calc = nullptr;
};

struct TScript {
  const char* What;
  const char* Keys;
  const char* Display;
  bool Typable;   // the same characters typed give the same display
};

const TScript Scripts[] = {
    {"no precedence, pending operator", "2+3+", "5.00", true},
    {"then equals", "2+3+4=", "9.00", true},
    {"division by zero", "7/0=", "Error", true},
    {"a digit after Error starts anew", "7/0=5", "5", true},
    {"the running value is reset by Error", "7/0=5+1=", "6.00", true},
    {"sign change extends the magnitude", "5n3", "-53.00", false},
    {"sign change twice", "5nn", "5", false},
    {"square root", "9q", "3.00", false},
    {"square root of a negative number", "4nq", "Error", false},
    {"reciprocal", "4r", "0.25", false},
    {"reciprocal of 0", "0r", "Error", false},
    {"percent of the running value", "200+10%", "20", false},
    {"percent keeps the pending addition", "200+10%=", "220.00", false},
    {"equals twice repeats nothing", "6*7==", "42.00", true},
    {"decimal entry", "1.25", "1.25", false},
    {"decimal digits beyond Precision are lost", "1.257", "1.26", false},
    {"decimal point after an operator", "3+.5=", "3.50", false},
    {"Back without a pending operation", "12B", "1", false},
    {"Back with a pending operation does nothing", "12+3B", "3", false},
    {"C clears the pending operation", "5+3C2=", "2.00", true},
    {"CE clears too", "5+3E2=", "2.00", false},
    {"memory", "9SC2+R=", "11.00", false},
    {"memory add", "4SC3PR", "7.00", false},
    {"memory cleared", "4SmR", "0.00", false},
    {"subtract and multiply", "9-4*3=", "15.00", true},
    {"divide", "9/4=", "2.25", true},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Separators, Calculator, testing::Values(u'.', u','),
                         [](const testing::TestParamInfo<Char>& I) { return I.param == u'.' ? "Point" : "Comma"; });

TEST_P(Calculator, KeypadScripts) {
  for (const TScript& s : Scripts) {
    SCOPED_TRACE(s.What);
    Keys("C");
    Calc->SetText(u"");
    Keys(s.Keys);
    EXPECT_EQ(Calc->GetText(), Local(s.Display)) << s.Keys;
  }
}

TEST_P(Calculator, TypedScripts) {
  for (const TScript& s : Scripts) {
    if (!s.Typable) continue;
    SCOPED_TRACE(s.What);
    Typed("C");
    Calc->SetText(u"");
    Typed(s.Keys);
    EXPECT_EQ(Calc->GetText(), Local(s.Display)) << s.Keys;
  }
  // Typed decimals: the separator once; the thousand separator is dropped.
  Typed("C");
  Calc->SetText(u"");
  Typed("12.5.6");
  EXPECT_EQ(Calc->GetText(), Local("12.56"));
  Typed("+1=");
  EXPECT_EQ(Calc->GetText(), Local("13.56"));
  // Backspace on one character leaves "0".
  Calc->SetText(u"7");
  Calc->SetSelStart(1);
  Typed("b");
  EXPECT_EQ(Calc->GetText(), u"0");
}

TEST_P(Calculator, NoNumberDisplaysReadAsZero) {
  // A lone minus typed at the caret's start, then '+': no exception escapes the keystroke.
  Typed("C");
  Calc->SetText(u"");
  Typed("-");
  EXPECT_EQ(Calc->GetText(), u"-");
  EXPECT_NO_THROW(Typed("+"));
  EXPECT_EQ(Calc->GetText(), Local("0.00"));
  // MS and M+ on "-".
  Keys("5S");
  Calc->SetText(u"-");
  EXPECT_NO_THROW(Keys("P"));
  Keys("R");
  EXPECT_EQ(Calc->GetText(), Local("5.00"));
  Calc->SetText(u"-");
  EXPECT_NO_THROW(Keys("S"));
  Keys("R");
  EXPECT_EQ(Calc->GetText(), Local("0.00"));
  Calc->SetText(u"-");
  EXPECT_EQ(Calc->GetValue(), 0);
  Calc->SetText(u"");
  EXPECT_EQ(Calc->GetValue(), 0);
  EXPECT_EQ(Calc->GetText(), u"0");
}

TEST_P(Calculator, OverflowShowsError) {
  Keys("C");
  Calc->SetValue(1e300L);
  Keys("*");
  Calc->SetValue(1e300L);
  Keys("=");
  EXPECT_EQ(Calc->GetText(), u"Error");
  // The running value was reset: 2 + 3 starts from nothing.
  Keys("2+3=");
  EXPECT_EQ(Calc->GetText(), Local("5.00"));
  // A number too large for a double reads as 0.
  Calc->SetText(u"1e4000");
  Keys("+1=");
  EXPECT_EQ(Calc->GetText(), Local("1.00"));
}

TEST_P(Calculator, MaxLengthBlocksGrowingKeysOnly) {
  Calc->SetMaxLength(4);
  Keys("C");
  Calc->SetText(u"");
  Typed("1234");
  EXPECT_EQ(Calc->GetText(), u"1234");
  Calc->SetModified(false);
  Keys("5n.");
  EXPECT_EQ(Calc->GetText(), u"1234");
  EXPECT_FALSE(Calc->GetModified());
  Keys("+1=");
  EXPECT_EQ(Calc->GetText(), Local("1235.00"));
  EXPECT_TRUE(Calc->GetModified());
}

TEST_P(Calculator, ValueAndThousandSeparator) {
  Calc->SetValue(1234567.5L);
  EXPECT_EQ(Calc->GetText(), Local("1234567.5"));
  EXPECT_EQ(Calc->GetValue(), 1234567.5L);
  Calc->SetShowThousandSeparator(true);
  EXPECT_EQ(Calc->GetEditType(), etMoney);
  String grouped = u"1" + String(1, FormatSettings.ThousandSeparator) + u"234" +
                   String(1, FormatSettings.ThousandSeparator) + u"567" + Local(".50");
  EXPECT_EQ(Calc->GetText(), grouped);
  EXPECT_EQ(Calc->GetValue(), 1234567.5L);
  Calc->SetShowThousandSeparator(false);
  EXPECT_EQ(Calc->GetEditType(), etFloat);
  EXPECT_EQ(Calc->GetText(), Local("1234567.50"));
}

TEST_P(Calculator, PopupKeys) {
  Calc->DoBeforeDropDown();
  EXPECT_FALSE(Calc->GetSigned());
  // Typed in the popup: handed to the edit once.
  for (Char c : String(u"2+3*")) {
    Char k = c;
    Calc->DropDownFormKeyPress(k);
  }
  EXPECT_EQ(Calc->GetText(), Local("5.00"));
  Char two = u'2';
  Calc->DropDownFormKeyPress(two);
  Char enter = 13;
  Calc->DropDownFormKeyPress(enter);
  EXPECT_EQ(Calc->GetText(), Local("10.00"));
  EXPECT_EQ(Calc->Hides, (std::vector<bool>{false}));
  EXPECT_TRUE(Calc->GetSigned());
  Char esc = 27;
  Calc->DropDownFormKeyPress(esc);
  EXPECT_EQ(Calc->Hides, (std::vector<bool>{false, true}));
  // Backspace in the popup removes the last character; nothing left is "0".
  Calc->SetText(u"12");
  Word back = VK_BACK;
  Calc->DropDownFormKeyDown(back, TShiftState{});
  EXPECT_EQ(Calc->GetText(), u"1");
  Calc->DropDownFormKeyDown(back, TShiftState{});
  EXPECT_EQ(Calc->GetText(), u"0");
  Word tab = VK_TAB;
  Calc->DropDownFormKeyDown(tab, TShiftState{});
  EXPECT_EQ(Calc->Hides.back(), false);
  // CalcKey on its own: the decimal separator appended once, C clears.
  Calc->SetText(u"4");
  Char ds = FormatSettings.DecimalSeparator;
  Calc->CalcKey(ds);
  Calc->CalcKey(ds);
  EXPECT_EQ(Calc->GetText(), Local("4."));
  Char c = u'c';
  Calc->CalcKey(c);
  EXPECT_EQ(Calc->GetText(), u"0");
  // Delete on "Error" in the edit leaves "0".
  Calc->SetText(u"Error");
  Calc->SetFocus();
  Calc->SelectAll();
  Press(VK_DELETE);
  EXPECT_EQ(Calc->GetText(), u"0");
}

TEST_P(Calculator, KeypadAndDefaults) {
  TCustomButtonPanel* keypad = Calc->GetButtonPanel();
  ASSERT_NE(keypad, nullptr);
  EXPECT_EQ(keypad->GetButtons()->GetCount(), 28);
  EXPECT_EQ(keypad->GetHeight(), 150);
  EXPECT_EQ(keypad->GetNeoDropDown(), Calc);
  EXPECT_EQ(Calc->GetControl(), keypad);
  EXPECT_EQ(Calc->GetDropDownWidth(), 230);
  EXPECT_EQ(Calc->GetPrecision(), 2);
  EXPECT_EQ(Calc->GetEditType(), etValidChars);
  EXPECT_EQ(Calc->GetValidChars(), u"0123456789,.C+-*/=");
  EXPECT_FALSE(Calc->GetDropDownHeader()->GetVisible());
  EXPECT_FALSE(Calc->GetDropDownFooter()->GetVisible());
  // Opening copies the appearance and the drop-down colour to the keypad.
  Calc->GetCalcButtonAppearance()->SetColor(clRed);
  Calc->SetDropDownColor(clYellow);
  Calc->DoBeforeDropDown();
  EXPECT_EQ(keypad->GetButtonAppearance()->GetColor(), clRed);
  EXPECT_EQ(keypad->GetColor(), clYellow);
}

TEST_P(Calculator, StyleTable) {
  TButtonAppearance* k = Calc->GetCalcButtonAppearance();
  Calc->SetComponentStyle(tsOffice2019Gray);
  EXPECT_EQ(k->GetBorderColor(), static_cast<TColor>(0x808080));
  EXPECT_EQ(k->GetColorTo(), static_cast<TColor>(0xD4D4D4));
  EXPECT_EQ(k->GetColorDownTo(), static_cast<TColor>(0x666666));
  EXPECT_EQ(k->GetGlowColorHot(), static_cast<TColor>(0xB8BBBE));
  EXPECT_EQ(k->GetGlowColorDown(), clNone);
  EXPECT_EQ(k->GetFont()->GetColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(k->GetSpecialTextColor(), static_cast<TColor>(0x1E1F20));
  EXPECT_EQ(k->GetShineColor(), clNone);
  Calc->SetComponentStyle(tsOffice2010Blue);
  TNeoButtonAppearance* b = Calc->GetButtonAppearance();
  EXPECT_EQ(k->GetColor(), b->GetColor());
  EXPECT_EQ(k->GetBorderColorDown(), b->GetBorderColorDown());
  EXPECT_EQ(k->GetGlowColorHot(), b->GetColorHot());
  EXPECT_EQ(k->GetGlowColorDown(), b->GetColorHot());
  EXPECT_EQ(k->GetShineColor(), static_cast<TColor>(0xFFFFFF));
  Calc->SetComponentStyle(tsWindows10);
  EXPECT_EQ(k->GetGlowColorHot(), b->GetColorDownTo());
  EXPECT_EQ(k->GetGlowColorDown(), static_cast<TColor>(0xD5C244));
  EXPECT_EQ(k->GetTextColor(), static_cast<TColor>(0x000000));
  // tsCustom changes nothing more.
  k->SetColor(clLime);
  Calc->SetComponentStyle(tsCustom);
  EXPECT_EQ(k->GetColor(), clLime);
}

TEST_P(Calculator, KeypadInThePopupClickedWithTheMouse) {
  Calc->ShowDropDown();
  Pump();
  TCustomButtonPanel* keypad = Calc->GetButtonPanel();
  TDropDownForm* popup = Calc->GetDropDownForm();
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(Calc->GetDroppedDown());
  EXPECT_EQ(keypad->GetParent(), popup);
  EXPECT_TRUE(keypad->GetVisible());
  EXPECT_FALSE(popup->GetCancelOnDeActivate());
  for (const char16_t* name : {u"BTN_2", u"BTN_+", u"BTN_3", u"BTN_="}) {
    for (Integer i = 0; i < keypad->GetButtons()->GetCount(); ++i)
      if (keypad->GetButtons()->GetItems(i)->GetName() == name) {
        TRect r = keypad->GetButtonRect(i);
        Headless::AdvanceClock(1000);
        ClickAt(keypad, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
      }
  }
  EXPECT_EQ(Calc->GetText(), Local("5.00"));
  EXPECT_TRUE(Calc->GetModified());
  std::string shot = OutputPath(GetParam() == u'.' ? "calculator_popup_point.png" : "calculator_popup_comma.png");
  EXPECT_TRUE(Headless::SaveWindowPng(popup->GetHandle(), shot));
}
