#include "lib/dropdown/NeoTimePickerDropDown.h"

#include <algorithm>

#include "lib/base/NeoStyleIF.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/dropdown/NeoWatch.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ExtCtrls.h"

namespace {

// The popup's clock face is this square; the time picker goes below it.
constexpr Integer ClockSize = 170;
constexpr Integer PanelHeight = 180;

// Keys the clock steps by itself while it is open: the edit does not get them unless Alt is held.
bool IsClockStepKey(Word Key) { return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN; }

bool ForwardsKey(Word Key, TShiftState Shift) { return !IsClockStepKey(Key) || Shift.Contains(ssAlt); }

// 1-based position of C in S, 0 when it is not there.
std::size_t PosOf(Char C, const String& S) {
  const std::size_t p = S.find(C);
  return p == String::npos ? 0 : p + 1;
}

// What follows the 1-based position P.
String After(const String& S, std::size_t P) { return P < S.size() ? S.substr(P) : String(); }

// The Office 2019 rows of the face colours and the edit colours that go with them.
struct TOffice2019Row {
  TWatchStyleColors Face;
  TColor EditColor;   // clNone: clWindow
  TColor EditFont;
};

const TOffice2019Row Office2019Rows[] = {
    {{tsOffice2019White, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xC4C6C8, 0xE3BDA3, 0xE3BDA3, 0xB0784A, 0x444648,
      clNone, 0xE3BDA3, clNone, 0xF2E1D5, 0xFAECE3, 0x444648},
     clNone, 0x444648},
    {{tsOffice2019Gray, 0xB8BBBE, 0xB8BBBE, 0xB8BBBE, 0xB8BBBE, 0x666666, 0x666666, 0x666666, 0x86888A, 0x232425,
      clNone, 0x666666, clNone, 0x969696, 0x939597, 0x232425},
     0xD4D4D4, 0x232425},
    {{tsOffice2019Black, 0x303132, 0x303132, 0x303132, 0x303132, 0xADB0B3, 0x828282, 0x828282, 0xFFFFFF, 0xFFFFFF,
      clNone, 0x828282, clNone, 0x686868, 0x444648, 0xFFFFFF},
     0x444444, 0xFFFFFF},
};

struct TTimeOfDay {
  Word H = 0, M = 0, S = 0, MS = 0;
};

TTimeOfDay Decode(TDateTime T) {
  TTimeOfDay d;
  DecodeTime(T, d.H, d.M, d.S, d.MS);
  return d;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Unit routines

Char TimeSeparatorChar() { return FormatSettings.TimeSeparator; }

String TwoDigits(Integer V) {
  String s = IntToStr(V);
  if (s.empty()) return u"00";
  if (s.size() == 1) s.insert(s.begin(), u'0');
  return s;
}

bool IsNumericPart(const String& S) {
  const auto digit = [](Char C) { return C >= u'0' && C <= u'9'; };
  if (S.empty()) return true;
  return digit(S[0]) && (S.size() < 2 || digit(S[1]));
}

String SpacesToZeros(const String& S) {
  String t = S;
  std::replace(t.begin(), t.end(), u' ', u'0');
  return t;
}

// ---------------------------------------------------------------------------------------------
// Construction

TNeoTimePickerDropDown::TNeoTimePickerDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()) {
  FWatchAppearance->OnChange = [](TObject*) {};
  FShowTimePicker = false;
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FShowSeconds = true;
  {
    FInternalCall = true;
    const auto clear = ScopeExit([this] { FInternalCall = false; });
    UpdateEditMask();
    const String sep(1, TimeSeparatorChar());
    SetEditText(u"00" + sep + u"00" + sep + u"00");
  }
  FWatchSettings = std::make_unique<TWatchSettings>();
  FShowWatchAMPM = FShowWatchNumbers = FAnimation = true;
  FAnimationFactor = 10;
  GetDropDownHeader()->SetVisible(false);
  GetDropDownFooter()->SetVisible(false);
  if (IsDesignTime()) {
    const TNeoStyle style = FormStylerStyle(this, tsOffice2019White);
    SetComponentStyle(style);
    if (StyleHasLightFace(style)) SetParentFont(true);
  }
  SetComponentStyle(tsCustom);
  // The base constructor built the popup before this class existed: add the clock now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
  RegisterNeoTimePickerDropDownRtti();
}

TNeoTimePickerDropDown::~TNeoTimePickerDropDown() {
  // The clock, the panel and the picker are owned components freed after this body: nothing of
  // theirs may call back into this half-destroyed edit.
  if (FNeoWatch) {
    FNeoWatch->OnChange = nullptr;
    FNeoWatch->OnKeyDown = nullptr;
    FNeoWatch->OnKeyUp = nullptr;
    FNeoWatch->OnKeyPress = nullptr;
  }
  if (FDateTimePicker) {
    FDateTimePicker->OnChange = nullptr;
    FDateTimePicker->OnKeyDown = nullptr;
    FDateTimePicker->OnKeyUp = nullptr;
    FDateTimePicker->OnKeyPress = nullptr;
  }
  if (FPanelCtrl) {
    FPanelCtrl->OnKeyDown = nullptr;
    FPanelCtrl->OnKeyUp = nullptr;
    FPanelCtrl->OnKeyPress = nullptr;
  }
}

void TNeoTimePickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FNeoWatch) FNeoWatch = nullptr;
  if (AComponent == FPanelCtrl) FPanelCtrl = nullptr;
  if (AComponent == FDateTimePicker) FDateTimePicker = nullptr;
}

void TNeoTimePickerDropDown::CreateWnd() {
  inherited::CreateWnd();
  if (IsDesignTime()) FNeoStyle = tsCustom;
}

// ---------------------------------------------------------------------------------------------
// Text and time

void TNeoTimePickerDropDown::UpdateEditMask() {
  const String sep(1, TimeSeparatorChar());
  SetEditMask(FShowSeconds ? u"!90" + sep + u"00" + sep + u"00;1; " : u"!90" + sep + u"00;1; ");
}

void TNeoTimePickerDropDown::SetText(const String& Value) {
  if (FInternalCall) {
    if (!Value.empty()) UpdateEditMask();
    else SetEditMask(String());
  }
  FInternalCall = false;
  inherited::SetText(Value);
}

void TNeoTimePickerDropDown::WriteText(const String& Value) {
  // The control's own rewrite is no text for a cancelled popup to return to.
  const String restore = FOldText;
  FInternalCall = true;
  SetText(Value);
  FOldText = restore;
}

String TNeoTimePickerDropDown::FormatTime(Word H, Word M, Word S) const {
  const String sep(1, TimeSeparatorChar());
  String text = TwoDigits(H) + sep + TwoDigits(M);
  if (FShowSeconds) text += sep + TwoDigits(S);
  return text;
}

void TNeoTimePickerDropDown::SetTime(TDateTime X) {
  if (X == FTime) return;
  if (GetEditorEnabled() && X != 0 && GetEditMask().empty()) {
    FInternalCall = true;
    const auto clear = ScopeExit([this] { FInternalCall = false; });
    UpdateEditMask();
  }
  FTime = X;
  {
    // The control writes its own text: it is not parsed back (that would drop the date and the
    // milliseconds, and the seconds without ShowSeconds).
    FInternalCall = true;
    const auto clear = ScopeExit([this] { FInternalCall = false; });
    const TTimeOfDay t = Decode(X);
    SetEditText(FormatTime(t.H, t.M, t.S));
  }
  if (!GetDroppedDown()) return;
  if (FNeoWatch) FNeoWatch->SetTime(X);
  if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(X);
}

void TNeoTimePickerDropDown::SetShowSeconds(bool Value) {
  if (FShowSeconds == Value) return;
  FShowSeconds = Value;
  const TDateTime remembered = FTime;
  WriteText(String());
  UpdateEditMask();
  FTime = FTime + 1;
  SetTime(remembered);
}

void TNeoTimePickerDropDown::SetResolution(Integer Value) {
  if (Value > 30) return;
  FResolution = Value;
}

bool TNeoTimePickerDropDown::IsTimeShaped(const String& Text) const {
  const Char sep = TimeSeparatorChar();
  const std::size_t p = PosOf(sep, Text);
  if (p == 0) return false;
  String rest = Trim(After(Text, p));
  if (const std::size_t q = PosOf(sep, rest); q != 0) {
    if (!FShowSeconds) return false;
    rest = Trim(After(rest, q));
  } else if (FShowSeconds) {
    return false;
  }
  return PosOf(sep, rest) == 0;
}

bool TNeoTimePickerDropDown::ParseParts(const String& Text, Word& H, Word& M, Word& S) const {
  if (!IsTimeShaped(Text)) return false;
  const Char sep = TimeSeparatorChar();
  const String t = SpacesToZeros(Text);
  // A part passes IsNumericPart and reads as a number (an empty part is 0).
  const auto part = [](const String& Part, Word& Value) {
    if (!IsNumericPart(Part)) return false;
    Integer v = 0;
    if (!Part.empty() && (!TryStrToInt(Part, v) || v < 0 || v > 0xFFFF)) return false;
    Value = static_cast<Word>(v);
    return true;
  };
  const std::size_t p1 = PosOf(sep, t);
  if (!part(Trim(t.substr(0, p1 - 1)), H)) return false;
  String rest = After(t, p1);
  const std::size_t p2 = FShowSeconds ? PosOf(sep, rest) : 0;
  if (!part(Trim(p2 ? rest.substr(0, p2 - 1) : rest), M)) return false;
  S = 0;
  return !FShowSeconds || part(Trim(After(rest, p2)), S);
}

void TNeoTimePickerDropDown::Change() {
  inherited::Change();
  const String text = GetText();
  if (text.empty() || FInternalCall) return;
  Word h = 0, m = 0, s = 0;
  if (!ParseParts(text, h, m, s)) return;
  // An hour above 23 or a minute or second above 59 is no time: the text stays as typed and the
  // time as it was.
  TDateTime value = 0;
  if (!TryEncodeTime(h, m, s, 0, value)) return;
  FTime = value;
  const String formatted = FormatTime(h, m, s);
  if (formatted != text && m == 0 && s == 0) WriteText(formatted);
}

bool TNeoTimePickerDropDown::TryTextToTime(TDateTime& Value) {
  // Blanks count as zeros here as they do while typing: "12:3 :  " leaves the edit as 12:30:00.
  return TryStrToTime(SpacesToZeros(GetText()), Value);
}

void TNeoTimePickerDropDown::ValidateEdit() {
  if (IsDesignTime()) {
    inherited::ValidateEdit();
    return;
  }
  TDateTime value = 0;
  if (TryTextToTime(value)) return;
  // The current time in the edit's own form (a 12-hour TimeToStr would not fit the mask).
  const TTimeOfDay now = Decode(Now());
  SetText(FormatTime(now.H, now.M, now.S));
}

void TNeoTimePickerDropDown::DoExit() {
  if (GetText().empty()) {
    SetTime(0);
  } else {
    TDateTime value = 0;
    // A text that is still no time (the grid calls this without the validation) keeps the time.
    if (TryTextToTime(value)) SetTime(value);
  }
  inherited::DoExit();
}

// ---------------------------------------------------------------------------------------------
// Keys

void TNeoTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
  inherited::KeyDown(Key, Shift);
  if (AltDown() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
  if (Key != VK_UP && Key != VK_DOWN) return;
  const String text = GetText();
  const Integer c = GetSelStart();
  const TTimeOfDay t = Decode(FTime);
  const Char sep = TimeSeparatorChar();
  const auto p1 = static_cast<Integer>(PosOf(sep, text));
  const bool up = Key == VK_UP;
  // Up lowers the part, Down raises it, each wrapping round.
  const auto step = [up](Integer V, Integer Top) { return up ? (V == 0 ? Top : V - 1) : (V == Top ? 0 : V + 1); };
  if (c < p1) {
    SetHourPart(step(t.H, 23));
  } else {
    const auto p2 = static_cast<Integer>(PosOf(sep, After(text, static_cast<std::size_t>(p1))));
    if (c - p1 >= p2 && FShowSeconds) SetSecondPart(step(t.S, 59));
    else SetMinutePart(step(t.M, 59));
  }
  SetSelStart(c);
  SetSelLength(0);
}

void TNeoTimePickerDropDown::SetPart(Integer Index, Integer V, Integer Limit) {
  if (V > Limit) return;
  TTimeOfDay t = Decode(FTime);
  Word* part = Index == 0 ? &t.H : Index == 1 ? &t.M : &t.S;
  if (V == *part) return;
  *part = static_cast<Word>(V);
  SetTime(EncodeTime(t.H, t.M, t.S, t.MS));
  if (OnTimeChange) OnTimeChange(this);
}

void TNeoTimePickerDropDown::SetHourPart(Integer V) { SetPart(0, V, 23); }
void TNeoTimePickerDropDown::SetMinutePart(Integer V) { SetPart(1, V, 59); }
void TNeoTimePickerDropDown::SetSecondPart(Integer V) { SetPart(2, V, 59); }

void TNeoTimePickerDropDown::DropDownFormKeyDown(Word& Key, TShiftState Shift) {
  if (ForwardsKey(Key, Shift)) inherited::DropDownFormKeyDown(Key, Shift);
  if (ClockPopupVisible()) FNeoWatch->HandleDropDownKey(Key);
}

void TNeoTimePickerDropDown::DropDownFormKeyUp(Word& Key, TShiftState Shift) {
  if (ForwardsKey(Key, Shift)) inherited::DropDownFormKeyUp(Key, Shift);
}

void TNeoTimePickerDropDown::ControlKeyDown(Word& Key, TShiftState Shift) {
  if (ForwardsKey(Key, Shift)) inherited::ControlKeyDown(Key, Shift);
}

void TNeoTimePickerDropDown::ControlKeyUp(Word& Key, TShiftState Shift) {
  if (ForwardsKey(Key, Shift)) inherited::ControlKeyUp(Key, Shift);
}

void TNeoTimePickerDropDown::ControlKeyPress(Char& Key) {
  if ((Key == 33 || Key == 34 || Key == 38 || Key == 40) && !AltDown()) return;
  inherited::ControlKeyPress(Key);
}

// ---------------------------------------------------------------------------------------------
// The popup

bool TNeoTimePickerDropDown::ClockPopupVisible() const {
  return FNeoWatch && FDropDownForm && FDropDownForm->GetVisible();
}

void TNeoTimePickerDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (FPanelCtrl || !FDropDownForm) return;
  FPanelCtrl = new TPanel(this);
  FPanelCtrl->SetParent(FDropDownForm);
  FPanelCtrl->SetBorderWidth(0);
  FPanelCtrl->SetBevelInner(bvNone);
  FPanelCtrl->SetBounds(0, 0, FPanelCtrl->GetWidth(), PanelHeight);
  FNeoWatch = new TNeoWatch(this);
  FNeoWatch->SetParent(FPanelCtrl);
  FNeoWatch->SetTabStop(true);
  FNeoWatch->SetAlign(alClient);
  // The clock holds the focus inside the content: its keys reach the edit as the content's do.
  FNeoWatch->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
  FNeoWatch->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
  FNeoWatch->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  SetControl(FPanelCtrl);
}

void TNeoTimePickerDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  if (!FPanelCtrl || !FNeoWatch) return;
  FPanelCtrl->SetWidth(ClockSize);
  FPanelCtrl->SetHeight(ClockSize);
  if (FDropDownForm) {
    FDropDownForm->SetWidth(FDropDownForm->GetWidth() + 1);
    FDropDownForm->SetWidth(FDropDownForm->GetWidth() - 1);
    FDropDownForm->SetCancelOnDeActivate(false);
  }
  FPanelCtrl->SetColor(GetDropDownColor());
  TNeoWatch* clock = FNeoWatch;
  clock->SetAppearance(FWatchAppearance.get());
  clock->SetSettings(FWatchSettings.get());
  clock->SetShowAMPM(FShowWatchAMPM);
  clock->SetShowNumbers(FShowWatchNumbers);
  clock->SetAnimation(FAnimation);
  clock->SetAnimationFactor(FAnimationFactor);
  clock->SetResolution(FResolution);
  clock->OnChange = nullptr;
  if (!FWatchSettings->GetAuto()) clock->SetTime(FTime);
  // The time kept by Change, not a parse of the text: a partly typed text ("1 :  :  ") is no
  // time to parse, and the popup must open all the same.
  clock->SetTime(GetText().empty() ? 0 : FTime);
  clock->OnChange = [this](TObject* Sender) { WatchChange(Sender); };
  if (FShowTimePicker) CreateTimePicker();
  else if (FDateTimePicker) FDateTimePicker->SetVisible(false);
}

void TNeoTimePickerDropDown::CreateTimePicker() {
  if (!FDateTimePicker) {
    FDateTimePicker = new TDateTimePicker(this);
    FDateTimePicker->SetParent(FPanelCtrl);
    FDateTimePicker->SetKind(dtkTime);
  }
  TDateTimePicker* picker = FDateTimePicker;
  picker->OnChange = nullptr;
  picker->SetAlign(alBottom);
  picker->SetVisible(true);
  picker->SetTime(FNeoWatch->GetTime());
  picker->BringToFront();
  picker->OnChange = [this](TObject* Sender) { TimePickerChange(Sender); };
  picker->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyDown(Key, Shift); };
  picker->OnKeyUp = [this](TObject*, Word& Key, TShiftState Shift) { ControlKeyUp(Key, Shift); };
  picker->OnKeyPress = [this](TObject*, Char& Key) { ControlKeyPress(Key); };
  picker->SetFormat(FShowSeconds ? u"HH:mm:ss" : u"HH:mm");
  FPanelCtrl->SetHeight(picker->GetHeight() + ClockSize);
}

void TNeoTimePickerDropDown::DoShowDropDown() {
  inherited::DoShowDropDown();
  if (FNeoWatch && FNeoWatch->CanFocus()) FNeoWatch->SetFocus();
}

void TNeoTimePickerDropDown::WatchChange(TObject*) {
  const TDateTime before = FTime;
  const TDateTime clockTime = FNeoWatch->GetTime();
  bool changed = false;
  if (FDateTimePicker && FShowTimePicker && Frac(FDateTimePicker->GetTime()) != Frac(clockTime)) {
    FDateTimePicker->SetTime(clockTime);
    changed = true;
  }
  SetTime(clockTime);
  if ((changed || FTime != before) && OnTimeChange) OnTimeChange(this);
}

void TNeoTimePickerDropDown::TimePickerChange(TObject*) {
  if (!FNeoWatch || FWatchSettings->GetAuto()) return;
  const TDateTime picked = FDateTimePicker->GetTime();
  FNeoWatch->SetTime(picked);
  const TTimeOfDay t = Decode(picked);
  const String formatted = FormatTime(t.H, t.M, t.S);
  if (formatted == GetText()) return;
  const TDateTime before = FTime;
  WriteText(formatted);
  if (FTime != before && OnTimeChange) OnTimeChange(this);
}

void TNeoTimePickerDropDown::DropDownFormHide() {
  inherited::DropDownFormHide();
  if (FNeoWatch) SetTime(FNeoWatch->GetTime());
}

void TNeoTimePickerDropDown::DoHideDropDown(bool Cancel) {
  // Enter in the edit also lands here while the popup is closed: the clock's time is then no
  // newer than the edit's and must not replace it.
  const bool wasOpen = ClockPopupVisible();
  inherited::DoHideDropDown(Cancel);
  if (!wasOpen) return;
  if (Cancel) FNeoWatch->SetTime(FTime);
  else SetTime(FNeoWatch->GetTime());
}

// ---------------------------------------------------------------------------------------------
// Styles

void TNeoTimePickerDropDown::SetComponentStyle(TNeoStyle AStyle) {
  inherited::SetComponentStyle(AStyle);
  FNeoStyle = AStyle;
  if (AStyle == tsCustom) return;
  SetColor(clWindow);
  GetFont()->SetColor(clWindowText);
  const auto office2019 = std::find_if(std::begin(Office2019Rows), std::end(Office2019Rows),
                                       [&](const TOffice2019Row& R) { return R.Face.Style == AStyle; });
  if (office2019 == std::end(Office2019Rows)) {
    ApplyWatchStyleColors(FWatchAppearance.get(), FindWatchStyleColors(AStyle));
    return;
  }
  ApplyWatchStyleColors(FWatchAppearance.get(), &office2019->Face);
  if (office2019->EditColor != clNone) SetColor(office2019->EditColor);
  GetFont()->SetColor(office2019->EditFont);
}
