// TCustomDateTimePicker: the flat look's second variant, auto tab for times, Tab for the grid,
// and the resolution routines the date-time picker control scales with.
#include "lib/grid/editing/NeoDateTimePicker.h"

#include <mutex>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NeoToolTip.h"
#include "lib/grid/editing/NsgGdiScopeInternal.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/win/Messages.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

using namespace NsgDateTimePicker;

template <> const TEnumInfo* EnumTypeInfo<NeoDateTimePicker::TLabelPosition>() {
  static const TEnumInfo info(u"TLabelPosition",
                              "lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, "
                              "lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, "
                              "lpRightCenter, lpRighBottom, lpTopRight, lpBottomRight");
  return &info;
}

template <> const TEnumInfo* EnumTypeInfo<TNeoDateTimeKind>() {
  static const TEnumInfo info(u"TNeoDateTimeKind", "dkDate, dkTime, dkDateTime");
  return &info;
}

// ---------------------------------------------------------------------------------------------
// Shared routines

UINT NeoDateTimePicker::DTPShiftFocusMessage() {
  static const UINT message = RegisterWindowMessage(u"DTPShiftFocus");
  return message;
}

Integer NeoDateTimePicker::TextHeightAtPpi(Integer PixelsPerInch) {
  TFont font;
  font.SetPixelsPerInch(PixelsPerInch);
  font.SetSize(9);
  HDC dc = GetDC(nullptr);
  SIZE size{};
  {
    ControlPaint::TSelectFont selected(dc, &font);
    GetTextExtentPoint32(dc, u"0", 1, &size);
  }
  ReleaseDC(nullptr, dc);
  return size.cy;
}

String NeoDateTimePicker::TwoDigitText(Word Value) {
  const String text = IntToStr(Value);
  return text.size() == 1 ? u"0" + text : text;
}

namespace {
// The layout's state switches on the visual styles themselves, not on the control's flag.
bool StylesActive() { return NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive(); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomDateTimePicker

TCustomDateTimePicker::TCustomDateTimePicker(TComponent* AOwner) : TMetroDateTimePicker(AOwner) {
  NeoDateTimePicker::DTPShiftFocusMessage();
  FBorderColor = clBlack;
  SetCtl3D(false);
}

void TCustomDateTimePicker::SetAutoTab(bool Value) { FAutoTab = Value; }

void TCustomDateTimePicker::SetAutoTabToNext(bool Value) { FAutoTabToNext = Value; }

double TCustomDateTimePicker::GetDpiScale() {
  TCustomForm* form = GetParentForm(this);
  Integer ppi = Screen->GetPixelsPerInch();
  if (auto* scaled = dynamic_cast<TForm*>(form); scaled && scaled->GetScaled())
    if (TMonitor* monitor = scaled->GetMonitor()) ppi = monitor->GetPixelsPerInch();
  if (ppi == 96) return 1.0;
  return static_cast<double>(NeoDateTimePicker::TextHeightAtPpi(ppi)) / NeoDateTimePicker::TextHeightAtPpi(96);
}

TSize TCustomDateTimePicker::MeasureText(const String& Text, TFont* AFont) {
  HWND window = HandleAllocated() ? GetHandle() : nullptr;
  HDC dc = GetWindowDC(window);
  TRect r{0, 0, 1000, 200};
  {
    ControlPaint::TSelectFont selected(dc, AFont);
    DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  }
  ReleaseDC(window, dc);
  return TSize{r.right - r.left, r.bottom - r.top};
}

void TCustomDateTimePicker::FocusNextControl() {
  if (!HandleAllocated() || !IsWindowVisible(GetHandle())) return;
  if (TCustomForm* form = GetParentForm(this)) form->Perform(WM_NEXTDLGCTL, 0, 0);
}

void TCustomDateTimePicker::PostRightArrow() {
  if (HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TCustomDateTimePicker::KeyPress(Char& Key) {
  if (Key < u'0' || Key > u'9' || !FAutoTab) {
    inherited::KeyPress(Key);
    return;
  }
  if (TDateTimePicker::GetKind() == dtkTime) DecodeTime(TDateTimePicker::GetDateTime(), Fh, Fm, Fs, Fms);
  const Char digit = Key;
  inherited::KeyPress(Key);
  FLast2Keys += digit;
  FLast4Keys += digit;
  if (HandleAllocated()) PostMessage(GetHandle(), NeoDateTimePicker::DTPShiftFocusMessage(), 0, 0);
}

void TCustomDateTimePicker::ShiftFocus() {
  if (TDateTimePicker::GetKind() != dtkTime) return;
  Word h, m, s, ms;
  DecodeTime(TDateTimePicker::GetDateTime(), h, m, s, ms);
  if (h == Fh && m == Fm && s == Fs) return;
  if (h == Fh && m == Fm && FAutoTabToNext) FocusNextControl();
  else PostRightArrow();
}

void TCustomDateTimePicker::WndProc(TMessage& Message) {
  if (Message.Msg == NeoDateTimePicker::DTPShiftFocusMessage()) {
    ShiftFocus();
    return;
  }
  if (Message.Msg == WM_SETFOCUS && FAutoTab && HandleAllocated())
    PostMessage(GetHandle(), WM_LBUTTONDOWN, 0, MAKELPARAM(GetShowCheckbox() ? 24 : 2, 2));
  inherited::WndProc(Message);
}

void TCustomDateTimePicker::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg != WM_GETDLGCODE || !FGridTabhandling) return;
  const bool shiftDown = GetKeyState(VK_SHIFT) < 0;
  if (IsInnerPicker() != shiftDown) Message.Result |= DLGC_WANTTAB;
}

void TCustomDateTimePicker::PaintOverNative(HDC DC) {
  if (GetCtl3D()) return;
  const TColor pen = FlatBorderPenColor();
  DrawOutline(DC, pen);
  if (StylesActive()) return;
  const Integer w = GetWidth(), h = GetHeight();
  TSolidFill line(DC, pen);
  MoveToEx(DC, 1, h, nullptr);
  LineTo(DC, 1, 1);
  LineTo(DC, w - 2, 1);
  LineTo(DC, w - 2, h - 2);
  LineTo(DC, 0, h - 2);
}

void TCustomDateTimePicker::DrawBorders() {
  TWinControl* target = IsInnerPicker() ? GetParent() : this;
  if (!target || !target->HandleAllocated()) return;
  TWindowDC dc(target->GetHandle());
  if (dc.Get()) DrawBorder(dc.Get());
}

void TCustomDateTimePicker::DrawBorder(HDC DC) {
  if (!IsInnerPicker()) {
    DrawBorderCases(DC, TRect{0, 0, GetWidth(), GetHeight()}, FHasFocus, FBorderColor);
    return;
  }
  auto* parent = dynamic_cast<TCustomDateTimePicker*>(GetParent());
  if (!GetEnabled() || !parent) return;
  DrawBorderCases(DC, TRect{0, 0, parent->GetWidth(), parent->GetHeight()}, parent->FHasFocus, parent->FBorderColor);
}

// ---------------------------------------------------------------------------------------------
// Label placement and the inner picker's layout

TPoint NeoDateTimePicker::LabelOrigin(TLabelPosition Position, const TRect& Bounds, Integer LW, Integer LH, Integer TW,
                                      Integer A, Integer B) {
  const Integer l = Bounds.left, t = Bounds.top, w = Bounds.right - Bounds.left, h = Bounds.bottom - Bounds.top;
  const Integer centre = LH < h ? t + (h - B - LH) / 2 : t - (LH - h + B) / 2;
  const Integer bottom = t + h - LH, above = t - LH - A, below = t + h + A;
  const Integer beside = l - TW - A, centredLeft = l + (w - LW) / 2, right = l + w + A, rightAligned = l + w - LW;
  switch (Position) {
    case lpLeftTop: return TPoint{beside, t};
    case lpLeftCenter: return TPoint{beside, centre};
    case lpLeftBottom: return TPoint{beside, bottom};
    case lpTopLeft: return TPoint{l, above};
    case lpBottomLeft: return TPoint{l, below};
    case lpLeftTopLeft: return TPoint{l - A, t};
    case lpLeftCenterLeft: return TPoint{l - A, centre};
    case lpLeftBottomLeft: return TPoint{l - A, bottom};
    case lpTopCenter: return TPoint{centredLeft, above};
    case lpBottomCenter: return TPoint{centredLeft, below};
    case lpRightTop: return TPoint{right, t};
    case lpRightCenter: return TPoint{right, centre};
    case lpRighBottom: return TPoint{right, bottom};
    case lpTopRight: return TPoint{rightAligned, above};
    case lpBottomRight: return TPoint{rightAligned, below};
  }
  return TPoint{l, t};
}

NeoDateTimePicker::TPlatformState NeoDateTimePicker::CurrentPlatformState(bool Metro) {
  if (!IsVistaOrLater()) return psBeforeVista;
  if (!IsComCtl6() || !NeoXPVS::IsThemeActive) return psNoComCtl6;
  if (!NeoXPVS::IsThemeActive()) return psStylesInactive;
  return Metro ? psThemedMetro : psThemed;
}

TRect NeoDateTimePicker::InnerPickerBounds(TPlatformState State, Integer W, Integer H, Integer Width, Integer C,
                                           Integer B) {
  auto bounds = [Width](Integer left, Integer top, Integer height) { return TRect{left, top, left + Width, top + height}; };
  switch (State) {
    case psThemedMetro: return bounds(W - Width - C - B, 1, H - 2 - B);
    case psThemed: return bounds(W - Width - C - 13 - B, 1, H - 2 - B);
    case psStylesInactive: return bounds(W - Width - C - B, 2, H - B - 4);
    case psNoComCtl6: return bounds(W - Width - C - B - 2, -2, H - B);
    case psBeforeVista: return bounds(W - Width - C, -2, H);
  }
  return bounds(0, 0, H);
}

// ---------------------------------------------------------------------------------------------
// TNeoDateTimePicker

// The control's label: tells the control first when it is freed.
class TNeoPickerLabel : public TLabel {
  ZELK_CLASS(TNeoPickerLabel, TLabel)
public:
  explicit TNeoPickerLabel(TNeoDateTimePicker* APicker) : TLabel(APicker), FPicker(APicker) {}
  ~TNeoPickerLabel() override { FPicker->LabelDestroying(); }

private:
  TNeoDateTimePicker* FPicker;
};

TNeoDateTimePicker::TNeoDateTimePicker(TComponent* AOwner)
    : TCustomDateTimePicker(AOwner), FLabelFont(std::make_unique<TFont>()) {
  RegisterNeoDateTimePickerRtti();
  FLblFntHeight = FLabelFont->GetHeight();
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
  FOldCheck = GetChecked();
  SetBorderStyle(bsSingle);
  SetCtl3D(true);
}

TNeoDateTimePicker::~TNeoDateTimePicker() {
  Destroying();
  delete FToolTipWindow;
  FToolTipWindow = nullptr;
  if (FToolTip) FToolTip->RemoveFreeNotification(this);
  FLabelFont->OnChange = nullptr;
  delete FLabel;   // forgets itself first
  delete FTimePicker;
  FTimePicker = nullptr;
}

String TNeoDateTimePicker::GetVersion() const { return VersionNrText(GetVersionNr()); }

void TNeoDateTimePicker::DoCheckClick() {
  if (OnCheckClick) OnCheckClick(this);
}

void TNeoDateTimePicker::DoChange() {
  if (OnChange) OnChange(this);
}

void TNeoDateTimePicker::DoClick() {
  if (OnClick) OnClick(this);
}

void TNeoDateTimePicker::TimePickerKeyPress(TObject*, Char&) {}

void TNeoDateTimePicker::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomDateTimePicker::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FToolTip) FToolTip = nullptr;
  if (AComponent == FTimePicker) FTimePicker = nullptr;
  if (AComponent == FToolTipWindow) FToolTipWindow = nullptr;
  if (AComponent == FLabel) FLabel = nullptr;
}

// ---- kind and the inner picker

void TNeoDateTimePicker::SetKind(TNeoDateTimeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  TDateTimePicker::SetKind(Value == dkTime ? dtkTime : dtkDate);
  if (Value == dkDateTime) {
    const TDateTime remembered = GetDateTime();
    CreateTimePicker();
    SetDateTime(remembered);
  }
  UpdateTimePicker();
}

void TNeoDateTimePicker::CreateWnd() {
  TCustomDateTimePicker::CreateWnd();
  const TNeoDateTimeKind kind = FKind;
  FKind = dkDate;
  SetKind(kind);
  FOldCheck = GetChecked();
  if (!Designing() && !GetParentFont() && !GetLabelCaption().empty()) {
    FLblUpdate = true;
    FLabelFont->SetHeight(static_cast<Integer>(Round(GetDpiScale() * FLblFntHeight)));
    FLblUpdate = false;
  }
  // The platform sends no showing change: the window's creation is when the control starts
  // showing, and the label takes its place then.
  UpdateLabel();
}

void TNeoDateTimePicker::CreateTimePicker() {
  if (FTimePicker || FKind != dkDateTime) return;
  auto* inner = new TCustomDateTimePicker(this);
  FTimePicker = inner;
  if (!(Loading() && Designing())) inner->SetParent(this);
  inner->SetName(u"TimePicker1");
  inner->SetBounds(0, 0, 90, 17);
  inner->SetIsTimePicker(true);
  inner->SetVisible(false);
  inner->SetEnabled(GetEnabled());
  inner->TDateTimePicker::SetKind(dtkTime);
  inner->SetTabStop(GetTabStop());
  inner->OnChange = [this](TObject* Sender) { TimePickerChange(Sender); };
  inner->OnClick = [this](TObject*) { DoClick(); };
  inner->OnKeyPress = [this](TObject* Sender, Char& Key) { TimePickerKeyPress(Sender, Key); };
  inner->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { TimePickerKeyDown(Sender, Key, Shift); };
  inner->OnExit = [this](TObject*) { Invalidate(); };
  inner->SetAutoTabToNext(FAutoTabToNext);
  inner->SetGridTabhandling(FGridTabhandling);
}

void TNeoDateTimePicker::TimePickerKeyDown(TObject*, Word& Key, TShiftState Shift) { KeyDown(Key, Shift); }

void TNeoDateTimePicker::UpdateTimePicker() {
  if (!FTimePicker) return;
  TCustomDateTimePicker* inner = FTimePicker;
  if (inner->GetParent() != this && !(Loading() && Designing())) inner->SetParent(this);
  inner->SetColor(GetColor());
  inner->SetEnabled(GetEnabled() && (GetChecked() || !GetShowCheckbox()));
  const bool visible = FKind == dkDateTime;
  inner->SetVisible(visible);
  inner->TDateTimePicker::SetDateTime(Date() + Frac(TDateTimePicker::GetDateTime()));
  inner->TDateTimePicker::SetFormat(FTimeFormat);
  inner->GetFont()->Assign(GetFont());
  if (visible || (Loading() && !Designing())) {
    LayoutTimePicker();
  } else {
    FTimePicker = nullptr;
    delete inner;
  }
}

void TNeoDateTimePicker::LayoutTimePicker() {
  Integer c = 21;
  if (TCustomForm* form = GetParentForm(this); form && form->HandleAllocated()) {
    HDC dc = GetDC(form->GetHandle());
    c = static_cast<Integer>(Round(GetDeviceCaps(dc, LOGPIXELSY) * 21.0 / 96.0));
    ReleaseDC(form->GetHandle(), dc);
  }
  const Integer w = MeasureText(FTimePicker->GetText(), GetFont()).cx + c + 10;
  // The platform picker has no bevel: nothing to leave room for.
  const Integer b = 0;
  const TRect r = NeoDateTimePicker::InnerPickerBounds(NeoDateTimePicker::CurrentPlatformState(IsMetro()), GetWidth(),
                                                       GetHeight(), w, c, b);
  FTimePicker->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TNeoDateTimePicker::TimePickerChange(TObject*) {
  DoChange();
  if (FTimePicker) {
    TDateTime limited;
    if (LimitTime(FTimePicker->TDateTimePicker::GetDateTime(), limited)) FTimePicker->TDateTimePicker::SetTime(limited);
  }
  if (OnTimeChange) OnTimeChange(this);
}

bool TNeoDateTimePicker::LimitTime(TDateTime Value, TDateTime& Limited) const {
  if (FMinTime == FMaxTime) return false;
  const TDateTime t = Frac(Value), low = Frac(FMinTime), high = Frac(FMaxTime);
  if (t < low) Limited = low;
  else if (t > high) Limited = high;
  else return false;
  return true;
}

// ---- values

TDateTime TNeoDateTimePicker::GetDateTime() {
  // Setting an equal time would end an entry being typed in the date part.
  if (FTimePicker) {
    const TDateTime time = FTimePicker->TDateTimePicker::GetTime();
    if (TDateTimePicker::GetTime() != time) TDateTimePicker::SetTime(time);
  }
  return TDateTimePicker::GetDateTime();
}

TDateTime TNeoDateTimePicker::GetDate() { return static_cast<TDateTime>(Trunc(GetDateTime())); }

void TNeoDateTimePicker::SetDate(TDateTime Value) {
  Word h, m, s, ms;
  DecodeTime(GetDateTime(), h, m, s, ms);
  SetDateTime(static_cast<TDateTime>(Trunc(Value)) + EncodeTime(h, m, s, 0));
}

TDateTime TNeoDateTimePicker::GetTime() {
  if (FKind == dkDateTime && FTimePicker) return FTimePicker->TDateTimePicker::GetTime();
  return TDateTimePicker::GetTime();
}

void TNeoDateTimePicker::SetTime(TDateTime Value) {
  TDateTimePicker::SetTime(Value);
  UpdateTimePicker();
}

void TNeoDateTimePicker::SetDateTime(TDateTime Value) {
  InternalSetDateTime(Value);
  FInternalChangedFlag = false;
}

void TNeoDateTimePicker::InternalSetDateTime(TDateTime Value) {
  Word h, m, s, ms;
  DecodeTime(Value, h, m, s, ms);
  const TDateTime timeOfDay = EncodeTime(h, m, s, 0);
  CreateTimePicker();
  if (GetMinDate() != 0 && GetMinDate() > Value) Value = GetMinDate();
  if (GetMaxDate() != 0 && GetMaxDate() < Value) Value = GetMaxDate();
  const auto days = static_cast<TDateTime>(Trunc(Value));
  if (days != 0 || !FNullDateIsToday) NativeSetDateTime(days + timeOfDay);
  else NativeSetDateTime(Date() + timeOfDay);
  if (FTimePicker) FTimePicker->TDateTimePicker::SetDateTime(Date() + timeOfDay);
  ApplyNullDateFormat();
}

void TNeoDateTimePicker::NativeSetDateTime(TDateTime Value) {
  TDateTimePicker::SetDateTime(Value);
  if (GetShowCheckbox() && FTimePicker) CoupleInnerPickerToCheck();
}

void TNeoDateTimePicker::CoupleInnerPickerToCheck() {
  FTimePicker->SetEnabled(GetEnabled() && GetChecked());
  // The skip flag would take the enabled state here, to pass over the change notification a
  // programmatic value causes. The platform picker sends none for it, so a set flag would swallow
  // the user's next tick or untick instead: it stays clear.
  FIgnoreTimePickerCheck = false;
}

void TNeoDateTimePicker::Change() {
  TCustomDateTimePicker::Change();
  FInternalChangedFlag = false;
  TDateTime limited;
  if (FKind == dkTime && LimitTime(TDateTimePicker::GetDateTime(), limited)) SetDateTime(limited);
}

// ---- formats and the null date

void TNeoDateTimePicker::SetFormat(const String& Value) {
  if (Value != FNullDateFormat) FOriginalFormat = Value;
  TDateTimePicker::SetFormat(Value);
}

void TNeoDateTimePicker::SetTimeFormat(const String& Value) {
  if (Value != FNullDateFormat) FOriginalTimeFormat = Value;
  if (FTimePicker) FTimePicker->TDateTimePicker::SetFormat(Value);
  if (FKind == dkTime) SetFormat(Value);
  FTimeFormat = Value;
  UpdateTimePicker();
}

void TNeoDateTimePicker::SetNullDateFormat(const String& Value) {
  FNullDateFormat = Value;
  ApplyNullDateFormat();
}

void TNeoDateTimePicker::SetNullDateDate(TDateTime Value) {
  FNullDateDate = Value;
  ApplyNullDateFormat();
}

void TNeoDateTimePicker::ApplyNullDateFormat() {
  if (GetDateTime() == FNullDateDate && !FNullDateFormat.empty()) {
    SetFormat(FNullDateFormat);
    SetTimeFormat(FNullDateFormat);
  } else {
    RestoreFormats();
  }
}

void TNeoDateTimePicker::RestoreFormats() {
  SetFormat(FOriginalFormat);
  SetTimeFormat(FOriginalTimeFormat);
}

void TNeoDateTimePicker::DoEnter() {
  FInternalChangedFlag = false;
  if (GetDateTime() == FNullDateDate) {
    InternalSetDateTime(Date());
    FInternalChangedFlag = true;
  }
  RestoreFormats();
  TCustomDateTimePicker::DoEnter();
}

void TNeoDateTimePicker::DoExit() {
  if (FInternalChangedFlag) {
    FInternalChangedFlag = false;
    SetDateTime(FNullDateDate);
  }
  ApplyNullDateFormat();
  // A label update between the focus leaving and this exit may have made the label bold again.
  if (FFocusLabel) SetLabelBold(false);
  TCustomDateTimePicker::DoExit();
}

void TNeoDateTimePicker::Loaded() {
  TCustomDateTimePicker::Loaded();
  FOriginalFormat = GetFormat();
  FOriginalTimeFormat = FTimeFormat;
  if (!GetParentFont()) {
    FLblUpdate = true;
    FLabelFont->SetHeight(static_cast<Integer>(Round(GetDpiScale() * FLblFntHeight)));
    FLblUpdate = false;
  }
  FParentFnt = GetParentFont();
  if (Designing()) return;
  // A custom visual style of the class library would make the label transparent here; the
  // platform has none.
  CreateTimePicker();
  UpdateTimePicker();
  if (!GetChecked()) {
    SetChecked(false);
    if (FTimePicker) FTimePicker->SetEnabled(false);
  }
}

// ---- auto tab for dates

void TNeoDateTimePicker::SetAutoTab(bool Value) {
  TCustomDateTimePicker::SetAutoTab(Value);
  if (FTimePicker) FTimePicker->SetAutoTab(Value);
}

void TNeoDateTimePicker::SetAutoTabToNext(bool Value) {
  TCustomDateTimePicker::SetAutoTabToNext(Value);
  if (FTimePicker) FTimePicker->SetAutoTabToNext(Value);
}

void TNeoDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  TCustomDateTimePicker::SetBorderStyle(Value);
  UpdateTimePicker();
}

void TNeoDateTimePicker::KeyPress(Char& Key) {
  if (Key >= u'0' && Key <= u'9' && FAutoTab) DecodeDate(GetDateTime(), Fy, Fm, Fd);
  TCustomDateTimePicker::KeyPress(Key);
}

void TNeoDateTimePicker::ShiftFocus() {
  if (FKind == dkTime) {
    TCustomDateTimePicker::ShiftFocus();
    return;
  }
  Word y, m, d;
  DecodeDate(GetDateTime(), y, m, d);
  const bool dayChanged = d != Fd, monthChanged = m != Fm, yearChanged = y != Fy;
  const String format = GetFormat();
  if (!format.empty()) {
    const Char last = format.back();
    const bool lastFieldDone = (dayChanged && (last == u'D' || last == u'd')) ||
                               (monthChanged && (last == u'M' || last == u'm')) ||
                               (yearChanged && (last == u'Y' || last == u'y'));
    if (lastFieldDone) {
      if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
    } else if (dayChanged || monthChanged || yearChanged) {
      PostRightArrow();
    }
    return;
  }
  if (dayChanged || monthChanged) {
    PostRightArrow();
  } else if (yearChanged) {
    if (FKind == dkDate) FocusNextControl();
    else if (FTimePicker && FTimePicker->CanFocus()) FTimePicker->SetFocus();
  } else {
    using NeoDateTimePicker::TwoDigitText;
    if (FLast2Keys.size() == 2 && (FLast2Keys == TwoDigitText(Fd) || FLast2Keys == TwoDigitText(Fm))) {
      FLast4Keys.clear();
      PostRightArrow();
    }
    if (FLast4Keys.size() == 4 && FLast4Keys == IntToStr(Fy) && FKind == dkDateTime) FocusNextControl();
  }
  if (FLast2Keys.size() == 2) FLast2Keys.clear();
  if (FLast4Keys.size() == 4) FLast4Keys.clear();
}

// ---- messages

void TNeoDateTimePicker::NCPaintTail() {
  TCustomDateTimePicker::NCPaintTail();
  if (FFocusBorderColor != clNone || FBorderColor != clNone || (!GetEnabled() && FDisabledBorder)) DrawBorders();
}

void TNeoDateTimePicker::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  const UINT code = header ? header->code : 0;
  switch (code) {
    case DTN_DATETIMECHANGE:
      inherited::Dispatch(Message);
      if (GetShowCheckbox()) {
        if (FTimePicker && !FIgnoreTimePickerCheck) {
          if (GetEnabled() && GetChecked()) FTimePicker->SetEnabled(true);
          if (reinterpret_cast<NMDATETIMECHANGE*>(Message.LParam)->dwFlags == static_cast<DWORD>(GDT_NONE))
            FTimePicker->SetEnabled(false);
        }
        FIgnoreTimePickerCheck = false;
      }
      break;
    case DTN_USERSTRINGA: case DTN_USERSTRINGW:
      // The platform parses with the locale and asks OnUserInput; text that does not parse is an
      // error and leaves the value as it is.
      inherited::Dispatch(Message);
      FIgnoreTimePickerCheck = false;
      break;
    case DTN_DROPDOWN: case DTN_CLOSEUP: inherited::Dispatch(Message); break;
    default:
      FIgnoreTimePickerCheck = false;
      inherited::Dispatch(Message);
      break;
  }
  if (GetChecked() != FOldCheck) {
    FOldCheck = GetChecked();
    DoCheckClick();
  }
}

void TNeoDateTimePicker::WndProc(TMessage& Message) {
  TCustomDateTimePicker::WndProc(Message);
  if (Message.Msg == DTM_SETSYSTEMTIME && Message.WParam == static_cast<WPARAM>(GDT_NONE) && GetShowCheckbox() &&
      !Designing() && FTimePicker)
    CoupleInnerPickerToCheck();
}

void TNeoDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); return;
    case WM_PAINT:
      if (FFirstRun) {
        FFirstRun = false;
        UpdateTimePicker();
      }
      inherited::Dispatch(Message);
      return;
    case WM_SIZE: case CM_COLORCHANGED:
      inherited::Dispatch(Message);
      UpdateTimePicker();
      return;
    case WM_KEYUP:
      if (Message.WParam == VK_DELETE && GetKeyState(VK_CONTROL) < 0 && !FNullDateFormat.empty()) SetDateTime(0);
      inherited::Dispatch(Message);
      return;
    case WM_SETFOCUS:
      if (!Loading()) {
        if (FFocusLabel) SetLabelBold(true);
        PostMessage(GetHandle(), WM_NCPAINT, 0, 0);
        FLast2Keys.clear();
        FLast4Keys.clear();
      }
      inherited::Dispatch(Message);
      return;
    case WM_KILLFOCUS:
      if (Loading()) {
        inherited::Dispatch(Message);
        return;
      }
      SetLabelBold(false);
      inherited::Dispatch(Message);
      if (HandleAllocated()) PostMessage(GetHandle(), WM_NCPAINT, 0, 0);
      return;
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
      UpdateTimePicker();
      return;
    case CM_VISIBLECHANGED: case CM_SHOWINGCHANGED:
      inherited::Dispatch(Message);
      if (FLabel) {
        FLabel->SetVisible(GetVisible());
        UpdateLabel();
      }
      return;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      if ((Designing() || Loading()) && FLabel && GetParentFont()) FLabel->GetFont()->Assign(GetFont());
      return;
    case CM_PARENTFONTCHANGED:
      inherited::Dispatch(Message);
      if (FLabel && GetParentFont()) {
        FLabel->GetFont()->Assign(GetFont());
        UpdateLabel();
      }
      return;
    default: inherited::Dispatch(Message); return;
  }
}

// ---- label

String TNeoDateTimePicker::GetLabelCaption() const { return FLabel ? FLabel->GetCaption() : String(); }

void TNeoDateTimePicker::CreateLabel() {
  FLabel = new TNeoPickerLabel(this);
  FLabel->SetParent(GetParent());
  FLabel->SetFocusControl(this);
  FLabel->GetFont()->Assign(FLabelFont.get());
  FLabel->OnClick = [this](TObject*) {
    if (OnLabelClick) OnLabelClick(this);
  };
  FLabel->OnDblClick = [this](TObject*) {
    if (OnLabelDblClick) OnLabelDblClick(this);
  };
  FLabel->SetParentFont(FParentFnt);
}

void TNeoDateTimePicker::SetLabelCaption(const String& Value) {
  if (!FLabel) CreateLabel();
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TNeoDateTimePicker::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TNeoDateTimePicker::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TNeoDateTimePicker::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TNeoDateTimePicker::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (FLabel && Value) FLabel->SetEnabled(true);
  UpdateLabel();
}

void TNeoDateTimePicker::LabelFontChanged(TObject*) {
  UpdateLabel();
  if (Designing() && !Loading()) SetParentFont(false);
  if (!FLblUpdate) FLblFntHeight = FLabelFont->GetHeight();
}

void TNeoDateTimePicker::SetLabelBold(bool Value) {
  if (!FLabel) return;
  TFontStyles style = FLabel->GetFont()->GetStyle();
  if (Value) style.Include(fsBold);
  else style.Exclude(fsBold);
  FLabel->GetFont()->SetStyle(style);
}

void TNeoDateTimePicker::UpdateLabel() {
  if (!FLabel || !FLabel->GetParent()) return;
  FLabel->SetTransparent(FLabelTransparent);
  FLabel->GetFont()->Assign(FParentFnt ? GetFont() : FLabelFont.get());
  if (FFocusLabel) SetLabelBold(FHasFocus);
  if (FLabel->GetParent()->HandleAllocated()) UpdateLabelPos();
  FLabel->Invalidate();
}

void TNeoDateTimePicker::UpdateLabelPos() {
  Integer textWidth = 0;
  if (HDC dc = CreateCompatibleDC(nullptr)) {
    {
      ControlPaint::TSelectFont font(dc, FLabel->GetFont());
      const String caption = FLabel->GetCaption();
      TRect r{0, 0, 1000, 255};
      DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
      textWidth = r.right - r.left;
    }
    DeleteDC(dc);
  }
  const auto a = static_cast<Integer>(Round(GetDpiScale() * FLabelMargin));
  const Integer b = FBorderStyle == bsSingle ? 2 : 0;
  const TPoint p = NeoDateTimePicker::LabelOrigin(FLabelPosition, GetBoundsRect(), FLabel->GetWidth(),
                                                  FLabel->GetHeight(), textWidth, a, b);
  FLabel->SetBounds(p.x, p.y, FLabel->GetWidth(), FLabel->GetHeight());
  FLabel->SetVisible(GetVisible());
}

void TNeoDateTimePicker::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  using namespace NeoDateTimePicker;
  if (FLabel && GetAlign() != alNone) {
    const Integer a = static_cast<Integer>(Round(GetDpiScale() * FLabelMargin));
    const TAlign align = GetAlign();
    const bool topBottomClient = align == alTop || align == alBottom || align == alClient;
    switch (FLabelPosition) {
      case lpLeftTop: case lpLeftCenter: case lpLeftBottom:
        if (topBottomClient) {
          ALeft += FLabel->GetWidth() + a;
          AWidth -= FLabel->GetWidth() + a;
        }
        break;
      case lpTopLeft: case lpTopCenter: case lpTopRight:
        if (align == alTop || align == alLeft || align == alRight || align == alClient) ATop += FLabel->GetHeight();
        break;
      case lpRightTop: case lpRightCenter: case lpRighBottom:
        if (topBottomClient) AWidth -= FLabel->GetWidth() + a;
        break;
      default: break;
    }
  }
  TCustomDateTimePicker::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateLabel();
}

void TNeoDateTimePicker::SetParent(TWinControl* AParent) {
  TCustomDateTimePicker::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    FLabel->SetVisible(GetVisible());
    UpdateLabel();
  }
}

void TNeoDateTimePicker::ChangeScale(Integer M, Integer D) {
  TCustomDateTimePicker::ChangeScale(M, D);
  if (Loading()) return;
  // The platform scales a form when its window is made, after loading: the size taken here is not
  // a designed one, or the label font would be scaled a second time from it.
  FLblUpdate = true;
  FLabelFont->SetSize(GetFont()->GetSize());
  FLblUpdate = false;
}

// ---- validation balloon

void TNeoDateTimePicker::SetToolTip(TNeoToolTip* Value) {
  if (FToolTip == Value) return;
  if (FToolTip) FToolTip->RemoveFreeNotification(this);
  FToolTip = Value;
  if (FToolTip) FToolTip->FreeNotification(this);
}

void TNeoDateTimePicker::ShowValidation(const String& Text) {
  if (!FToolTipWindow) FToolTipWindow = new TNeoToolTipWindow(this);
  FToolTipWindow->SetText(Text);
  FToolTipWindow->Show(this, FToolTip);
}

void TNeoDateTimePicker::HideValidation() {
  TNeoToolTipWindow* window = FToolTipWindow;
  FToolTipWindow = nullptr;
  delete window;
}

// ---------------------------------------------------------------------------------------------
// Published properties

void RegisterNeoDateTimePickerRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using C = TCustomDateTimePicker;
    using T = TNeoDateTimePicker;
    Publish<C>()
        .Property(u"AutoTab", &C::GetAutoTab, &C::SetAutoTab).Default(false)
        .Property(u"AutoTabToNext", &C::GetAutoTabToNext, &C::SetAutoTabToNext).Default(true);
    Publish<T>()
        .Property(u"BorderColor", &T::GetBorderColor, &T::SetBorderColor).Type(u"TColor").Default(clBlack)
        .Property(u"Kind", &T::GetKind, &T::SetKind).Default(dkDateTime)
        .Property(u"TimeFormat", &T::GetTimeFormat, &T::SetTimeFormat)
        .Property(u"NullDateFormat", &T::GetNullDateFormat, &T::SetNullDateFormat)
        .Property(u"LabelCaption", &T::GetLabelCaption, &T::SetLabelCaption)
        .Property(u"LabelFont", &T::GetLabelFont, &T::SetLabelFont)
        .Property(u"LabelPosition", &T::GetLabelPosition, &T::SetLabelPosition).Default(NeoDateTimePicker::lpLeftTop)
        .Property(u"LabelMargin", &T::GetLabelMargin, &T::SetLabelMargin).Default(4)
        .Property(u"LabelTransparent", &T::GetLabelTransparent, &T::SetLabelTransparent).Default(false)
        .Property(u"FocusLabel", &T::GetFocusLabel, &T::SetFocusLabel).Default(false)
        .Property(u"LabelAlwaysEnabled", &T::GetLabelAlwaysEnabled, &T::SetLabelAlwaysEnabled).Default(false)
        .Property(u"Version", &T::GetVersion, &T::SetVersion);
    RegisterClasses({T::StaticClass()});
  });
}
