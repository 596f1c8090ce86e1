#include "lib/dropdown/NeoCalculatorDropDown.h"

#include <cfloat>
#include <cmath>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Character.h"
#include "platform/rtl/SysUtils.h"

namespace {

// The pending operations.
enum : Integer { opNone = -1, opAdd = 0, opMultiply = 1, opSubtract = 2, opDivide = 3 };

const char16_t* const ErrorText = u"Error";

bool IsDigitKey(Char Key) { return Key >= u'0' && Key <= u'9'; }

}  // namespace

TNeoCalculatorDropdown::TNeoCalculatorDropdown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {
  SetDropDownColor(static_cast<TColor>(0xFFFFFF));
  SetDropDownWidth(230);
  GetDropDownHeader()->SetVisible(false);
  GetDropDownFooter()->SetVisible(false);
  SetEditType(etValidChars);
  SetValidChars(u"0123456789,.C+-*/=");
  SetPrecision(2);
  SetSigned(true);
  // The base constructor built the popup before this class existed: add the keypad now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TNeoCalculatorDropdown::~TNeoCalculatorDropdown() = default;

// ---------------------------------------------------------------------------------------------
// The display

void TNeoCalculatorDropdown::ResetErrorDisplay() {
  String text = Display();
  if (text.empty() || text == ErrorText) SetDisplay(u"0");
}

long double TNeoCalculatorDropdown::DisplayedNumber() {
  String text = Display();
  if (GetEditType() == etMoney && !text.empty() && text.back() == LocaleDecimalSeparator()) text.pop_back();
  if (text.empty() || text == ErrorText || text == u"-") return 0;
  Double value = 0;
  return TryStrToFloat(StripThousandSeparators(text), value) ? value : 0;
}

long double TNeoCalculatorDropdown::PlainNumber() {
  Double value = 0;
  // A display that is no number (a lone "-") would raise from a keystroke: it counts as 0.
  return TryStrToFloat(StripThousandSeparators(Display()), value) ? value : 0;
}

void TNeoCalculatorDropdown::Modified() {
  if (!GetComponentState().Contains(csLoading) && GetEditorEnabled() && !GetReadOnly()) {
    SetModified(true);
    FIsModified = true;
  }
}

void TNeoCalculatorDropdown::ShowValue(long double Value) {
  // Shown in double precision: beyond it the result is no number the display can hold.
  if (!std::isfinite(Value) || std::fabs(Value) > DBL_MAX) {
    SetDisplay(ErrorText);
    return;
  }
  const auto shown = static_cast<Double>(Value);
  const SmallInt precision = GetPrecision();
  if (precision < 0) SetDisplay(Format(u"%g", {shown}));
  else if (GetEditType() == etMoney) SetDisplay(Format(u"%." + IntToStr(Integer(precision)) + u"n", {shown}));
  else SetDisplay(Format(u"%." + IntToStr(Integer(precision)) + u"f", {shown}));
  Modified();
}

void TNeoCalculatorDropdown::ShowGeneral(long double Value) {
  if (!std::isfinite(Value) || std::fabs(Value) > DBL_MAX) SetDisplay(ErrorText);
  else SetDisplay(Format(u"%g", {static_cast<Double>(Value)}));
}

long double TNeoCalculatorDropdown::GetValue() {
  if (Display().empty()) SetDisplay(u"0");
  return PlainNumber();
}

void TNeoCalculatorDropdown::SetValue(long double Value) { ShowGeneral(Value); }

void TNeoCalculatorDropdown::SetShowThousandSeparator(bool Value) {
  if (FShowThousandSeparator == Value) return;
  long double shown = DisplayedNumber();
  FShowThousandSeparator = Value;
  SetEditType(Value ? etMoney : etFloat);
  ShowValue(shown);
}

// ---------------------------------------------------------------------------------------------
// The operations

void TNeoCalculatorDropdown::Calculate() {
  ResetErrorDisplay();
  const long double x = PlainNumber();
  long double result = FPrevval;
  switch (FPrevop) {
    case opAdd: result = x + FPrevval; break;
    case opMultiply: result = FPrevval * x; break;
    case opSubtract: result = FPrevval - x; break;
    case opDivide:
      if (x == 0) {
        FPrevval = 0;
        SetDisplay(ErrorText);
        return;
      }
      result = FPrevval / x;
      break;
    default: result = x; break;
  }
  // An overflow or an invalid operation resets the running value and shows "Error".
  if (!std::isfinite(result) || std::fabs(result) > DBL_MAX) {
    FPrevval = 0;
    SetDisplay(ErrorText);
    FNewval = true;
    return;
  }
  FPrevval = result;
  ShowValue(FPrevval);
  FNewval = true;
}

void TNeoCalculatorDropdown::Operate(Integer NextOp) {
  Calculate();
  FPrevop = NextOp;
}

void TNeoCalculatorDropdown::DoAdd() { Operate(opAdd); }
void TNeoCalculatorDropdown::DoSubtract() { Operate(opSubtract); }
void TNeoCalculatorDropdown::DoMultiply() { Operate(opMultiply); }
void TNeoCalculatorDropdown::DoDivide() { Operate(opDivide); }

void TNeoCalculatorDropdown::DoEquals() {
  Calculate();
  if (Display().empty()) SetDisplay(u"0");
  FPrevop = opNone;
  if (Display() != ErrorText) FPrevval = PlainNumber();
}

void TNeoCalculatorDropdown::DoPercent() {
  ResetErrorDisplay();
  ShowGeneral(FPrevval * PlainNumber() / 100);
}

void TNeoCalculatorDropdown::Digit(Integer D) {
  if (FNewval || (DisplayedNumber() == 0 && FDecim == 0)) {
    SetDisplay(IntToStr(D));
    FNewval = false;
    return;
  }
  long double v = DisplayedNumber();
  // On a negative number a digit extends the magnitude.
  const long double d = v < 0 ? -D : D;
  if (FDecim > 0) {
    v += d / FDecim;
    FDecim *= 10;
  } else {
    v = v * 10 + d;
  }
  ShowValue(v);
}

void TNeoCalculatorDropdown::ClearAll() {
  SetDisplay(u"0");
  FPrevval = 0;
  FPrevop = opNone;
}

void TNeoCalculatorDropdown::ButtonClick(TObject*, Integer Index) {
  if (!FNeoButtonPanel || Index < 0 || Index >= FNeoButtonPanel->GetButtons()->GetCount()) return;
  CalcInputHook();
  const Integer tag = FNeoButtonPanel->GetButtons()->GetItems(Index)->GetTag();
  if ((tag >= 10 && tag <= 14) || (tag >= 16 && tag <= 18)) FDecim = 0;
  const bool grows = tag <= 9 || tag == 14 || tag == 15;
  if (grows && GetMaxLength() > 0 && static_cast<Integer>(Display().size()) == GetMaxLength()) return;
  switch (tag) {
    case 10: DoAdd(); break;
    case 11: DoSubtract(); break;
    case 12: DoMultiply(); break;
    case 13: DoDivide(); break;
    case 14: {
      String text = Display();
      if (text.find(u'-') != String::npos) text.erase(0, 1);
      else text = u"-" + text;
      SetDisplay(text);
      break;
    }
    case 15: {
      String text = Display();
      if (text.find(LocaleDecimalSeparator()) == String::npos) SetDisplay(text + LocaleDecimalSeparator());
      FDecim = 10;
      if (FNewval) SetDisplay(u"0");
      FNewval = false;
      break;
    }
    case 16: case 30: case 32: ClearAll(); break;
    case 17: DoEquals(); break;
    case 18: DoPercent(); break;
    case 31:
      if (FPrevop < 0) {
        String text = FloatToStr(static_cast<Double>(DisplayedNumber()));
        SetDisplay(text.substr(0, text.empty() ? 0 : text.size() - 1));
      }
      break;
    case 33: FMVal = 0; break;
    case 34: ShowValue(FMVal); break;
    case 35: FMVal = PlainNumber(); break;
    case 36: FMVal = PlainNumber() + FMVal; break;
    case 37: {
      long double v = DisplayedNumber();
      if (v < 0 || std::isnan(v)) SetDisplay(ErrorText);
      else ShowValue(std::sqrt(v));
      break;
    }
    case 38: {
      long double v = DisplayedNumber();
      if (v == 0) SetDisplay(ErrorText);
      else ShowValue(1 / v);
      break;
    }
    default:
      if (tag >= 0 && tag <= 9) Digit(tag);
      break;
  }
  Modified();
}

// ---------------------------------------------------------------------------------------------
// Keys

void TNeoCalculatorDropdown::KeyPress(Char& Key) {
  FKeyPressReached = true;
  switch (Key) {
    case 13: case u'=': DoEquals(); break;
    case u'%': DoPercent(); break;
    case u'*': DoMultiply(); break;
    case u'+': DoAdd(); break;
    case u'-':
      if (GetSelStart() != 0) {
        DoSubtract();
        Key = 0;
      }
      break;
    case u'/': DoDivide(); break;
    case u'C': case u'c':
      SetDisplay(u"0");
      FNewval = true;
      FPrevop = opNone;
      break;
  }
  const Char ds = LocaleDecimalSeparator();
  if (!IsNumber(Key) && Key != ds && Key != 8 && Key != u'-') {
    Key = 0;
    return;
  }
  const String text = Display();
  const auto caretBehindPrefix = [this] {
    SetSelStart(static_cast<Integer>(GetPrefix().size()) + 1);
    SetSelLength(0);
  };
  // "Error" is replaced by a typed digit as by a keypad digit.
  if ((text == u"0" || text == ErrorText || FNewval) && text != u"-" && IsDigitKey(Key)) {
    SetDisplay(String(1, Key));
    Key = 0;
    caretBehindPrefix();
    FNewval = false;
    return;
  }
  if (text.size() == 1 && Key == 8) {
    SetDisplay(u"0");
    Key = 0;
    caretBehindPrefix();
    return;
  }
  if (Key == LocaleThousandSeparator()) Key = 0;
  if (Key == ds && text.find(ds) != String::npos) Key = 0;
  if (Key == 0) return;
  inherited::KeyPress(Key);
}

void TNeoCalculatorDropdown::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_DELETE) ResetErrorDisplay();
}

void TNeoCalculatorDropdown::DoEnter() {
  if (GetAutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  inherited::DoEnter();
}

void TNeoCalculatorDropdown::CalcKey(Char& Key) {
  CalcInputHook();
  const Char ds = LocaleDecimalSeparator();
  if (Key == ds && Display().find(ds) == String::npos) SetDisplay(Display() + ds);
  if (IsDigitKey(Key) && GetMaxLength() > 0 && static_cast<Integer>(Display().size()) == GetMaxLength()) return;
  switch (Key) {
    case 13:
      DoEquals();
      DoHideDropDown(false);
      break;
    case 27: DoHideDropDown(true); break;
    case u'%': DoPercent(); break;
    case 38:
      if (GetKeyState(VK_MENU) < 0) DoHideDropDown(true);
      break;
    case u'*': DoMultiply(); break;
    case u'+': DoAdd(); break;
    case u'-':
      if (GetSelStart() != 0) {
        DoSubtract();
        FNewval = false;
      }
      break;
    case u'/': DoDivide(); break;
    case u'=': DoEquals(); break;
    case u'C': case u'c':
      ClearAll();
      FNewval = true;
      break;
    default:
      if (IsDigitKey(Key) && (Display() == u"0" || FNewval)) FNewval = false;
      break;
  }
}

void TNeoCalculatorDropdown::DropDownFormKeyDown(Word& Key, TShiftState Shift) {
  inherited::DropDownFormKeyDown(Key, Shift);
  switch (Key) {
    case VK_TAB: case VK_F4: DoHideDropDown(false); break;
    case VK_BACK: {
      String text = Display();
      if (!text.empty()) text.pop_back();
      SetDisplay(text);
      ResetErrorDisplay();
      break;
    }
  }
}

// A key typed in the popup is handed to the edit, whose KeyPress applies it once (operators,
// digits, the decimal separator, the sign); the popup itself only closes on Enter, Esc and
// Alt+&.
void TNeoCalculatorDropdown::DropDownFormKeyPress(Char& Key) {
  CalcInputHook();
  const Char typed = Key;
  FKeyPressReached = false;
  if (HandleAllocated()) SendMessage(GetHandle(), WM_CHAR, typed, 0);
  // The edit's character filter keeps some characters from KeyPress (Enter always, operators its
  // edit type does not accept): CalcKey applies those, so that each key stroke acts once.
  if (!FKeyPressReached) {
    Char key = typed;
    CalcKey(key);
    return;
  }
  switch (typed) {
    case 13: DoHideDropDown(false); break;
    case 27: DoHideDropDown(true); break;
    case 38:
      if (GetKeyState(VK_MENU) < 0) DoHideDropDown(true);
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Popup and style

void TNeoCalculatorDropdown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (FNeoButtonPanel) return;
  FNeoButtonPanel = new TCustomButtonPanel(this);
  if (FDropDownForm) FNeoButtonPanel->SetParent(FDropDownForm);
  FNeoButtonPanel->SetNeoDropDown(this);
  FNeoButtonPanel->SetBounds(0, 0, GetDropDownWidth(), 150);
  FNeoButtonPanel->CreateDefaultButtons();
  SetControl(FNeoButtonPanel);
  FNeoButtonPanel->OnButtonClick = [this](TObject* Sender, Integer Index) { ButtonClick(Sender, Index); };
}

void TNeoCalculatorDropdown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  // A click on the edit while the keypad is open must not cancel the entry.
  if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
  if (FNeoButtonPanel) {
    FNeoButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
    FNeoButtonPanel->SetColor(GetDropDownColor());
    FNeoButtonPanel->ArrangeButtons();
  }
  SetSigned(false);
  FNewval = true;
  FDecim = 0;
}

void TNeoCalculatorDropdown::DoHideDropDown(bool Cancel) {
  inherited::DoHideDropDown(Cancel);
  SetSigned(true);
}

void TNeoCalculatorDropdown::SetComponentStyle(TNeoStyle AStyle) {
  inherited::SetComponentStyle(AStyle);
  if (AStyle == tsCustom) return;
  TButtonAppearance* k = FCalcButtonAppearance.get();
  struct TKeypadStyle {
    TColor Border, BorderHot, Color, Down, Hot, GlowHot, Font, Text, Special;
  };
  const TKeypadStyle* fixed = nullptr;
  static const TKeypadStyle white{0xABABAB, 0xF2E1D5, 0xFFFFFF, 0xE3BDA3, 0xF2E1D5, 0xFFFFFF, 0x444648, 0x444648, 0xB0784A};
  static const TKeypadStyle gray{0x808080, 0x969696, 0xD4D4D4, 0x666666, 0x969696, 0xB8BBBE, 0xFFFFFF, 0x232425, 0x1E1F20};
  static const TKeypadStyle black{0x686868, 0xB5B5B5, 0x444444, 0x828282, 0x686868, 0x3B3B3B, 0xFFFFFF, 0xF1F1F1, 0xFFFFFF};
  if (AStyle == tsOffice2019White) fixed = &white;
  if (AStyle == tsOffice2019Gray) fixed = &gray;
  if (AStyle == tsOffice2019Black) fixed = &black;
  if (fixed) {
    k->SetBorderColor(fixed->Border);
    k->SetBorderColorHot(fixed->BorderHot);
    k->SetBorderColorDown(fixed->BorderHot);
    k->SetColor(fixed->Color);
    k->SetColorTo(fixed->Color);
    k->SetColorDown(fixed->Down);
    k->SetColorDownTo(fixed->Down);
    k->SetColorHot(fixed->Hot);
    k->SetColorHotTo(fixed->Hot);
    k->SetGlowColorHot(fixed->GlowHot);
    k->SetGlowColorDown(clNone);
    k->GetFont()->SetColor(fixed->Font);
    k->SetTextColor(fixed->Text);
    k->SetSpecialTextColor(fixed->Special);
    k->SetShineColor(clNone);
    return;
  }
  TNeoButtonAppearance* b = GetButtonAppearance();
  k->SetBorderColor(b->GetBorderColor());
  k->SetBorderColorHot(b->GetBorderColorHot());
  k->SetBorderColorDown(b->GetBorderColorDown());
  k->SetColor(b->GetColor());
  k->SetColorTo(b->GetColorTo());
  k->SetColorDown(b->GetColorDown());
  k->SetColorDownTo(b->GetColorDownTo());
  k->SetColorHot(b->GetColorHot());
  k->SetColorHotTo(b->GetColorHotTo());
  k->GetFont()->SetColor(clWindowText);
  k->SetTextColor(0x000000);
  k->SetSpecialTextColor(0x000080);
  k->SetShineColor(0xFFFFFF);
  const bool office2010 = AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black;
  k->SetGlowColorHot(office2010 ? b->GetColorHot() : b->GetColorDownTo());
  k->SetGlowColorDown(office2010 ? b->GetColorHot() : static_cast<TColor>(0xD5C244));
}
