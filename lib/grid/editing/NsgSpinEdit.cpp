// TNsgSpinEdit: the text is the value; the getters parse it, the setters clamp and format it, and
// the spin button and the arrow and page keys step it by the field under the caret.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "lib/grid/editing/NsgGdiScopeInternal.h"
#include "lib/grid/editing/NsgSpin.h"
#include "lib/gridutil/NeoGridUtilNumbers.h"
#include "platform/rtl/TypInfo.h"
#include "platform/win/Messages.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

ZELK_ENUM_INFO(TNsgSpinType, sptNormal, sptFloat, sptDate, sptTime)
ZELK_ENUM_INFO(TSpinDirection, spVertical, spHorizontal)
ZELK_ENUM_INFO(TEditAlign, eaLeft, eaRight, eaCenter)

namespace {

// The 1-based positions of the first separator in Text and of the next one after it (0: none).
std::pair<Integer, Integer> SeparatorPositions(Char Separator, const String& Text) {
  const Integer p1 = Pos(Separator, Text);
  const Integer p2 = p1 > 0 ? Pos(Separator, Text, p1 + 1) : 0;
  return {p1, p2};
}

Integer CountOf(Char C, const String& Text) { return static_cast<Integer>(std::count(Text.begin(), Text.end(), C)); }

bool OneOf(Char C, std::initializer_list<Char> Set) { return std::find(Set.begin(), Set.end(), C) != Set.end(); }

}  // namespace

void RegisterNsgSpinRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using E = TNsgSpinEdit;
    Publish<E>()
        .Property(u"AllowEmptyValue", &E::GetAllowEmptyValue, &E::SetAllowEmptyValue).Default(false)
        .Property(u"DateValue", &E::GetDateValue, &E::SetDateValue).Type(u"TDateTime")
        .Property(u"Direction", &E::GetDirection, &E::SetDirection).Default(spVertical)
        .Property(u"EditAlign", &E::GetEditAlign, &E::SetEditAlign).Default(eaLeft)
        .Property(u"EditorEnabled", &E::GetEditorEnabled, &E::SetEditorEnabled).Default(true)
        .Property(u"ExcelStyleDecimalSeparator", &E::GetExcelStyleDecimalSeparator, &E::SetExcelStyleDecimalSeparator)
        .Default(false)
        .Property(u"FloatValue", &E::GetFloatValue, &E::SetFloatValue)
        .Property(u"Increment", &E::GetIncrement, &E::SetIncrement).Default(1)
        .Property(u"IncrementFloat", &E::GetIncrementFloat, &E::SetIncrementFloat)
        .Property(u"IncrementFloatPage", &E::GetIncrementFloatPage, &E::SetIncrementFloatPage)
        .Property(u"IncrementHours", &E::GetIncrementHours, &E::SetIncrementHours).Default(1)
        .Property(u"IncrementMinutes", &E::GetIncrementMinutes, &E::SetIncrementMinutes).Default(1)
        .Property(u"IncrementSeconds", &E::GetIncrementSeconds, &E::SetIncrementSeconds).Default(1)
        .Property(u"MaxDateValue", &E::GetMaxDateValue, &E::SetMaxDateValue).Type(u"TDateTime")
        .Property(u"MaxFloatValue", &E::GetMaxFloatValue, &E::SetMaxFloatValue)
        .Property(u"MaxValue", &E::GetMaxValue, &E::SetMaxValue).Default(100)
        .Property(u"MinDateValue", &E::GetMinDateValue, &E::SetMinDateValue).Type(u"TDateTime")
        .Property(u"MinFloatValue", &E::GetMinFloatValue, &E::SetMinFloatValue)
        .Property(u"MinValue", &E::GetMinValue, &E::SetMinValue).Default(0)
        .Property(u"Precision", &E::GetPrecision, &E::SetPrecision).Default(0)
        .Property(u"ReturnIsTab", &E::GetReturnIsTab, &E::SetReturnIsTab).Default(false)
        .Property(u"ShowSeconds", &E::GetShowSeconds, &E::SetShowSeconds).Default(true)
        .Property(u"SpinFlat", &E::GetSpinFlat, &E::SetSpinFlat).Default(false)
        .Property(u"SpinTransparent", &E::GetSpinTransparent, &E::SetSpinTransparent).Default(false)
        .Property(u"SpinType", &E::GetSpinType, &E::SetSpinType).Default(sptNormal)
        .Property(u"TimeValue", &E::GetTimeValue, &E::SetTimeValue).Type(u"TDateTime")
        .Property(u"Value", &E::GetValue, &E::SetValue);
    RegisterClasses({TNsgSpinEdit::StaticClass()});
  });
}

TNsgSpinEdit::TNsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  RegisterNsgSpinRtti();
  TControlStyle style = GetControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  FButton = new TNsgSpinButton(this);
  FButton->SetBounds(0, 0, 15, 17);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  // Virtual calls, so that a descendant's override receives every click.
  FButton->OnUpClick = [this](TObject* Sender) { UpClick(Sender); };
  FButton->OnDownClick = [this](TObject* Sender) { DownClick(Sender); };
  SetText(u"0");
}

TNsgSpinEdit::~TNsgSpinEdit() {
  // The button is an owned component, freed with the others.
  FButton = nullptr;
}

// ---- clamping

namespace {

// Equal bounds mean no limit; otherwise below the minimum gives the minimum, above the maximum the
// maximum (reversed bounds thus always give one of them).
template <class T> T Limited(T Value, T Min, T Max) {
  if (Min == Max) return Value;
  if (Value < Min) return Min;
  if (Value > Max) return Max;
  return Value;
}

}  // namespace

Integer TNsgSpinEdit::CheckValue(Integer Value) const { return Limited(Value, FMinValue, FMaxValue); }
Double TNsgSpinEdit::CheckFloatValue(Double Value) const { return Limited(Value, FMinFloatValue, FMaxFloatValue); }
TDateTime TNsgSpinEdit::CheckDateValue(TDateTime Value) const { return Limited(Value, FMinDateValue, FMaxDateValue); }

// ---- values

Integer TNsgSpinEdit::GetValue() {
  const String s = Trim(GetText());
  if (s.empty()) return 0;
  Integer v = 0;
  return TryStrToInt(s, v) ? v : FMinValue;
}

void TNsgSpinEdit::SetValue(Integer Value) {
  SetText(IntToStr(CheckValue(Value)));
  if (!FEditorEnabled) SelectAll();
}

Double TNsgSpinEdit::GetFloatValue() {
  Double v = 0;
  return TryStrToFloat(GetText(), v) ? v : static_cast<Double>(FMinValue);
}

void TNsgSpinEdit::SetFloatValue(Double Value) {
  const Double v = CheckFloatValue(Value);
  SetText(FPrecision == 0 ? FloatToStrF(v, ffGeneral, 15, 0) : FloatToStrF(v, ffFixed, 15, FPrecision));
}

TDateTime TNsgSpinEdit::GetDateValue() {
  const String s = GetText();
  if (s.empty() || s == u"0") return Now();
  TDateTime v = 0;
  return TryStrToDate(s, v) ? v : FMinDateValue;
}

void TNsgSpinEdit::SetDateValue(TDateTime Value) {
  FDateValue = Value;
  if (Loading()) return;
  ShowKeepingCaret(DateToStr(CheckDateValue(Value)));
}

TDateTime TNsgSpinEdit::GetTimeValue() {
  TDateTime v = 0;
  return TryStrToTime(GetText(), v) ? v : 0;
}

void TNsgSpinEdit::SetTimeValue(TDateTime Value) {
  FTimeValue = Value;
  if (Loading()) return;
  ShowKeepingCaret(TimeText(CheckDateValue(Value)));
}

String TNsgSpinEdit::TimeText(TDateTime Value) const {
  return FShowSeconds ? FormatDateTime(FormatSettings.LongTimeFormat, Value) : FormatDateTime(u"h:nn", Value);
}

void TNsgSpinEdit::ShowKeepingCaret(const String& AText) {
  const Integer caret = GetSelStart();
  SetText(AText);
  SetSelStart(caret);
}

void TNsgSpinEdit::ReshowValue() {
  switch (FSpinType) {
    case sptNormal: SetValue(GetValue()); break;
    case sptFloat: SetFloatValue(GetFloatValue()); break;
    case sptDate: SetDateValue(GetDateValue()); break;
    case sptTime: SetTimeValue(GetTimeValue()); break;
  }
}

void TNsgSpinEdit::SetSpinType(TNsgSpinType Value) {
  FSpinType = Value;
  ReshowValue();
}

void TNsgSpinEdit::SetPrecision(Integer Value) {
  FPrecision = std::max(0, Value);
  ReshowValue();
}

void TNsgSpinEdit::Loaded() {
  inherited::Loaded();
  if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
  if (FSpinType == sptTime) SetText(TimeText(FTimeValue));
  SetSpinType(FSpinType);
}

// ---- stepping

void TNsgSpinEdit::UpClick(TObject*) { SpinUp(false); }
void TNsgSpinEdit::DownClick(TObject*) { SpinDown(false); }
void TNsgSpinEdit::SpinUp(bool Page) { Step(true, Page); }
void TNsgSpinEdit::SpinDown(bool Page) { Step(false, Page); }

void TNsgSpinEdit::Step(bool Up, bool Page) {
  if (GetReadOnly()) {
    MessageBeep(0);
    return;
  }
  const Integer sign = Up ? 1 : -1;
  switch (FSpinType) {
    case sptNormal: SetValue(GetValue() + sign * FIncrement); break;
    case sptFloat: SetFloatValue(GetFloatValue() + sign * (Page ? FIncrementFloatPage : FIncrementFloat)); break;
    case sptDate: SetDateValue(StepDate(GetDateValue(), sign)); break;
    case sptTime: SetTimeValue(StepTime(GetTimeValue(), Up)); break;
  }
}

TDateTime TNsgSpinEdit::StepDate(TDateTime Value, Integer Sign) {
  const String format = UpperCase(FormatSettings.ShortDateFormat);
  FUsDates = Pos(u'M', format) < Pos(u'D', format);
  const auto [p1, p2] = SeparatorPositions(FormatSettings.DateSeparator, GetText());
  const Integer c = GetSelStart();
  const Integer field = c < p1 ? 0 : c < p2 ? 1 : 2;
  const bool monthField = FUsDates ? field == 0 : field == 1;
  if (field == 2) {
    // The same month and day a year on; 29 February becomes 28 February in a common year.
    Word y, m, d;
    DecodeDate(Value, y, m, d);
    const auto year = static_cast<Word>(y + Sign);
    const Word day = std::min(d, DaysInAMonth(year, m));
    const TDateTime time = std::fabs(Value - std::trunc(Value));
    const TDateTime date = EncodeDate(year, m, day);
    return date >= 0 ? date + time : date - time;
  }
  if (monthField) return IncMonth(Value, Sign);
  return Value + Sign;
}

TDateTime TNsgSpinEdit::StepTime(TDateTime Value, bool Up) {
  const auto [p1, p2] = SeparatorPositions(FormatSettings.TimeSeparator, GetText());
  const Integer c = GetSelStart();
  TDateTime step;
  if (c < p1)
    step = EncodeTime(static_cast<Word>(FIncrementHours), 0, 0, 0);
  else if (FShowSeconds && c >= p2)
    step = EncodeTime(0, 0, static_cast<Word>(FIncrementSeconds), 0);
  else
    step = EncodeTime(0, static_cast<Word>(FIncrementMinutes), 0, 0);
  if (Up) return Value + step;
  TDateTime v = Value + 1.0 - step;
  if (v > 1.0) v -= 1.0;
  return v;
}

// ---- key filter

bool TNsgSpinEdit::IsValidChar(Char& Key) {
  if (Key == 8) return FEditorEnabled;
  const TFormatSettings& fs = FormatSettings;
  bool ok = OneOf(Key, {fs.DecimalSeparator, fs.ThousandSeparator, fs.TimeSeparator, fs.DateSeparator, u'-'}) ||
            IsNumberChar(Key) || (Key < 32 && Key != 13);
  auto collides = [&](Char Separator) {
    return OneOf(Separator, {fs.DecimalSeparator, fs.ThousandSeparator, u'-', u'+'});
  };
  if (Key == fs.TimeSeparator && FSpinType != sptTime) {
    if (!collides(fs.TimeSeparator) || FSpinType == sptDate) ok = false;
  }
  if (Key == fs.DateSeparator && FSpinType != sptDate) {
    if (!collides(fs.DateSeparator) || FSpinType == sptTime) ok = false;
  }
  const String text = GetText();
  const Integer selStart = GetSelStart();
  if (Key == u'-') {
    if (Pos(u'-', text) == 0)
      ok = ok && selStart == 0;
    else
      ok = ok && Pos(u'-', GetSelText()) > 0 && selStart == 0;
  }
  if (FSpinType == sptNormal && !IsNumberChar(Key) && Key != u'-') ok = false;
  if (FSpinType == sptFloat && Key != 27 && Key != 13 && Key != 8) {
    const Integer p = Pos(fs.DecimalSeparator, text);
    if (Key == fs.ThousandSeparator) ok = false;
    if (Key == fs.DecimalSeparator && p > 0 && Pos(fs.DecimalSeparator, GetSelText()) == 0) ok = false;
    if (FPrecision > 0 && p > 0 && selStart >= p && GetSelLength() == 0 && ok &&
        static_cast<Integer>(text.size()) >= FPrecision + p)
      ok = false;
  }
  if (FSpinType == sptTime && Key == fs.TimeSeparator && CountOf(fs.TimeSeparator, text) >= 2) ok = false;
  if (!FEditorEnabled && ok && Key >= 32) ok = false;
  return ok;
}

void TNsgSpinEdit::KeyPress(Char& Key) {
  if (!IsValidChar(Key)) {
    Key = 0;
    MessageBeep(0);
    return;
  }
  inherited::KeyPress(Key);
}

void TNsgSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
  inherited::KeyDown(Key, Shift);
}

// ---- messages

void TNsgSpinEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN:
      switch (Message.WParam) {
        case VK_PRIOR: SpinUp(true); break;
        case VK_NEXT: SpinDown(true); break;
        case VK_UP: UpClick(this); break;
        case VK_DOWN: DownClick(this); break;
        default: inherited::Dispatch(Message); return;
      }
      Message.Result = 0;
      return;
    case WM_CHAR:
      // The keypad's decimal key (scan code bit 6, key data bit 22) types the locale's separator.
      if (FExcelStyleDecimalSeparator && Message.WParam == u'.' && (Message.LParam & (1 << 22)) != 0)
        Message.WParam = FormatSettings.DecimalSeparator;
      break;
    case WM_PASTE:
    case WM_CUT:
      if (!FEditorEnabled || GetReadOnly()) return;
      break;
    case CM_ENTER:
      if (GetAutoSelect() && (GetKeyState(VK_LBUTTON) >= 0 || !FEditorEnabled)) SelectAll();
      break;
    case CM_EXIT:
      inherited::Dispatch(Message);
      ClampOnExit();
      return;
    case WM_SIZE:
      inherited::Dispatch(Message);
      WMSize(Message);
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}

void TNsgSpinEdit::ClampOnExit() {
  switch (FSpinType) {
    case sptNormal:
      if (const Integer v = GetValue(); CheckValue(v) != v) SetValue(v);
      break;
    case sptFloat:
      if (const Double v = GetFloatValue(); CheckFloatValue(v) != v) SetFloatValue(v);
      break;
    case sptDate:
      if (const TDateTime v = GetDateValue(); CheckDateValue(v) != v) SetDateValue(v);
      break;
    case sptTime:
      if (const TDateTime v = GetTimeValue(); CheckDateValue(v) != v) SetTimeValue(v);
      break;
  }
}

// ---- layout

void TNsgSpinEdit::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  // Multi-line only so that the formatting rectangle can be set; the edit stays one line.
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  Params.Style &= ~static_cast<DWORD>(ES_RIGHT | ES_CENTER);
  if (FEditAlign == eaRight) Params.Style |= ES_RIGHT;
  if (FEditAlign == eaCenter) Params.Style |= ES_CENTER;
}

void TNsgSpinEdit::CreateWnd() {
  inherited::CreateWnd();
  SetEditRect();
}

void TNsgSpinEdit::SetEditRect() {
  if (!HandleAllocated() || !FButton) return;
  const Integer edge = GetBorderStyle() == bsNone ? 3 : 0;
  const TRect client = GetClientRect();
  RECT r{edge, edge, client.right - FButton->GetWidth() - 2 - edge, client.bottom + 1};
  SendMessage(GetHandle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

Integer TNsgSpinEdit::GetMinHeight() {
  const TFontHeights heights = MeasureFontHeights(GetFont());
  Integer result = heights.Font + std::min(heights.Font, heights.System) / 4 + 2;
  if (GetBorderStyle() == bsSingle) result += GetSystemMetrics(SM_CYBORDER) * 4;
  return result;
}

void TNsgSpinEdit::WMSize(TMessage&) {
  if (!FButton) return;
  const Integer minHeight = GetMinHeight();
  if (GetHeight() < minHeight) {
    SetBounds(GetLeft(), GetTop(), GetWidth(), minHeight);
    return;
  }
  // The class library's controls are new-style and sunken (Ctl3D) here.
  const Integer m = GetBorderStyle() == bsSingle ? 5 : 1;
  FButton->SetBounds(GetWidth() - FButton->GetWidth() - m, 0, FButton->GetWidth(), GetHeight() - m);
  SetEditRect();
}

void TNsgSpinEdit::Relayout() {
  SetWidth(GetWidth() + 1);
  SetWidth(GetWidth() - 1);
}

void TNsgSpinEdit::SetDirection(TSpinDirection Value) {
  if (FDirection == Value) return;
  FDirection = Value;
  FButton->SetDirection(Value);
  Relayout();
}

void TNsgSpinEdit::SetSpinTransparent(bool Value) {
  FSpinTransparent = Value;
  FButton->GetUpButton()->SetTransparent(Value);
  FButton->GetDownButton()->SetTransparent(Value);
  Relayout();
}

void TNsgSpinEdit::SetSpinFlat(bool Value) {
  FSpinFlat = Value;
  FButton->GetUpButton()->SetFlat(Value);
  FButton->GetDownButton()->SetFlat(Value);
}

void TNsgSpinEdit::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SetIsWinXP(Value);
}

void TNsgSpinEdit::SetEditAlign(TEditAlign Value) {
  if (FEditAlign == Value) return;
  FEditAlign = Value;
  static constexpr TAlignment Alignments[] = {taLeftJustify, taRightJustify, taCenter};
  SetAlignment(Alignments[Value]);
  RecreateWnd();
}
