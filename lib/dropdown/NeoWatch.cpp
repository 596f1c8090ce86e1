// The analog clock's geometry, time setting, animation, keys and timers. Its painting is in
// NeoWatchPaint.cpp, its style presets in NeoWatchStyles.cpp.
#include "lib/dropdown/NeoWatch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"

namespace {

constexpr Cardinal WatchVersion = 0x01030200;
constexpr double MinutesPerDay = 1440.0;

struct TTimeParts {
  Word Hour = 0, Minute = 0, Second = 0, MSec = 0;
};

TTimeParts Decode(TDateTime Value) {
  TTimeParts t;
  DecodeTime(Value, t.Hour, t.Minute, t.Second, t.MSec);
  return t;
}

// A time of day moved by Minutes; a result before the start of day 0 wraps into that day instead
// of reading as a time after midnight.
TDateTime ShiftMinutes(TDateTime Value, Integer Minutes) {
  TDateTime t = Value + Minutes / MinutesPerDay;
  if (t < 0) t -= std::floor(t);
  return t;
}

}  // namespace

TNeoWatch::TNeoWatch(TComponent* AOwner)
    : TCustomControl(AOwner),
      FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()),
      FBKGCache(std::make_unique<TBitmap>()),
      FWatchTimer(std::make_unique<TTimer>(nullptr)),
      FAnimationTimer(std::make_unique<TTimer>(nullptr)) {
  FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
  FSettings->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
  FWatchTimer->SetInterval(100);
  FWatchTimer->SetEnabled(FSettings->GetAuto());
  FWatchTimer->SetOnTimer([this](TObject* Sender) { WatchTimerTick(Sender); });
  FAnimationTimer->SetEnabled(false);
  FAnimationTimer->SetInterval(1);
  FAnimationTimer->SetOnTimer([this](TObject* Sender) { AnimationTimerTick(Sender); });
  SetWidth(180);
  SetHeight(180);
  FBKGCache->SetSize(180, 180);
}

TNeoWatch::~TNeoWatch() {
  FAnimationTimer.reset();
  FWatchTimer.reset();
}

Cardinal TNeoWatch::GetVersionNr() { return WatchVersion; }

String TNeoWatch::GetVersion() {
  const Cardinal v = GetVersionNr();
  return IntToStr(static_cast<Integer>(v >> 24)) + u"." + IntToStr(static_cast<Integer>((v >> 16) & 0xFF)) + u"." +
         IntToStr(static_cast<Integer>((v >> 8) & 0xFF)) + u"." + IntToStr(static_cast<Integer>(v & 0xFF));
}

bool TNeoWatch::DesigningOrLoading() const {
  return GetComponentState().Contains(csDesigning) || GetComponentState().Contains(csLoading);
}

bool TNeoWatch::IsAnimating() const { return FAnimationTimer->GetEnabled(); }
bool TNeoWatch::IsFollowingClock() const { return FWatchTimer->GetEnabled(); }

void TNeoWatch::DoChange() {
  if (OnChange) OnChange(this);
}

void TNeoWatch::SetResolution(Integer Value) {
  if (Value > 30) return;
  FResolution = Value;
}

void TNeoWatch::SetShowAMPM(bool Value) {
  if (FShowAMPM == Value) return;
  FShowAMPM = Value;
  Invalidate();
}

void TNeoWatch::SetShowNumbers(bool Value) {
  if (FShowNumbers == Value) return;
  FShowNumbers = Value;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Geometry

TRect TNeoWatch::GetFaceRect() {
  const TRect client = GetClientRect();
  const Integer w = client.right, h = client.bottom;
  Integer s = FAppearance->GetSize();
  if (s <= 0) {
    s = std::min(w, h) - 20;
  } else {
    if (h < s) s = h;
    if (w < s) s = w;
  }
  const Integer left = (w - s) / 2, top = (h - s) / 2;
  return TRect{left, top, left + s, top + s};
}

TPoint TNeoWatch::GetCenter() {
  const TRect r = GetFaceRect();
  return TPoint{r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
}

double TNeoWatch::GetRadius() {
  const TRect r = GetFaceRect();
  return (r.right - r.left) / 2;
}

TRect TNeoWatch::GetAMPMRect() {
  if (!FShowAMPM) return TRect{-1, -1, -1, -1};
  // "AM" measured on one line in a 200 x 200 box with the AM/PM font.
  TBitmap measure;
  measure.SetSize(1, 1);
  TCanvas* canvas = measure.GetCanvas();
  canvas->SetFont(FAppearance->GetAMPMFont());
  TRect box{0, 0, 200, 200};
  canvas->TextRect(box, String(u"AM"), TTextFormat{tfCalcRect, tfSingleLine});
  const Integer tw = box.right - box.left, th = box.bottom - box.top;
  const TPoint c = GetCenter();
  const Integer w = tw + 8;
  const Integer left = c.x - w / 2;
  const Integer top = c.y + static_cast<Integer>(Round((GetRadius() - th) / 3));
  return TRect{left, top, left + w, top + th};
}

TDateTime TNeoWatch::GetDisplayTime() {
  if (FSettings->GetAuto()) return Now() + FSettings->GetTimeOffset() / MinutesPerDay;
  return FTime;
}

Integer TNeoWatch::XYToMinute(Integer X, Integer Y) {
  const TPoint c = GetCenter();
  Integer dy = std::abs(c.y - Y), dx = std::abs(c.x - X);
  if (dy == 0) dy = 1;
  if (dx == 0) dx = 1;
  Integer m = static_cast<Integer>(Round(std::atan(static_cast<double>(dy) / dx) * 180.0 / M_PI / 6.0));
  if (X >= c.x && Y >= c.y) m = m + 15;
  else if (X <= c.x && Y >= c.y) m = 45 - m;
  else if (X <= c.x && Y <= c.y) m = m + 45;
  else m = 15 - m;
  if (m < 0 || m >= 60) m = 0;
  if (FResolution > 1) {
    m = static_cast<Integer>(Round(static_cast<double>(m) / FResolution)) * FResolution;
    if (m >= 60) m = 0;
  }
  return m;
}

Integer TNeoWatch::XYToHour(Integer X, Integer Y) {
  const Integer h = static_cast<Integer>(Round(XYToMinute(X, Y) / 5.0));
  // The top position read from either side (0, and 12 from just left of the top) is 12 o'clock.
  if (h <= 0 || h >= 12) return FAM ? 0 : 12;
  return FAM ? h : h + 12;
}

bool TNeoWatch::IsPointInEllipse(Integer X, Integer Y) {
  const TRect r = GetFaceRect();
  HRGN region = CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
  const bool inside = PtInRegion(region, X, Y) != FALSE;
  DeleteObject(region);
  return inside;
}

// ---------------------------------------------------------------------------------------------
// Setting the time

void TNeoWatch::InternalSetTime(TDateTime Value) {
  if (Value == FTime) return;
  FTime = Value;
  FollowAM(Decode(Value).Hour < 12);
}

void TNeoWatch::FollowAM(bool Value) {
  FInternalSet = true;
  const auto clear = ScopeExit([this] { FInternalSet = false; });
  SetAM(Value);
}

void TNeoWatch::SetTime(TDateTime Value) {
  if (Value == FTime) return;
  InternalSetTime(Value);
  DrawPointersOnly();
}

void TNeoWatch::SetAM(bool Value) {
  if (Value == FAM) return;
  FAM = Value;
  if (FAnimation && FShowAMPM && FAppearance->GetAMPMColor() != clNone && !FInternalSet) AnimateAMPMFlip();
  DrawWatch();
}

void TNeoWatch::SetHour(Byte Value) {
  const TTimeParts t = Decode(GetDisplayTime());
  if (Value == t.Hour) return;
  if (FAnimation && !FInternalCall && !DesigningOrLoading()) {
    FCurrentHourTo = Value;
    FHourAnimating = true;
    FAnimationTimer->SetEnabled(true);
    return;
  }
  InternalSetTime(EncodeTime(Value, t.Minute, t.Second, t.MSec));
  DrawPointersOnly();
  if (Value == FCurrentHourTo) DoChange();
}

void TNeoWatch::SetMinute(Byte Value) {
  TTimeParts t = Decode(GetDisplayTime());
  if (Value >= 60) throw Exception(u"Invalid time");
  if (Value == t.Minute) return;
  if (FAnimation && !FInternalCall && !DesigningOrLoading()) {
    FCurrentMinuteTo = Value;
    FHourAnimating = false;
    FMinuteFrom = static_cast<Byte>(t.Minute);
    FAnimationTimer->SetEnabled(true);
    return;
  }
  if (!FAnimation) FMinuteFrom = static_cast<Byte>(t.Minute);
  // A minute pointer moved forward over the top carries into the next hour.
  if (Value == 0 && FMinuteFrom > 30) {
    t.Hour = static_cast<Word>((t.Hour + 1) % 24);
    FMinuteFrom = 0;
  }
  InternalSetTime(EncodeTime(t.Hour, Value, t.Second, t.MSec));
  DrawPointersOnly();
  if (Value == FCurrentMinuteTo) DoChange();
}

void TNeoWatch::InternalSetHour(Byte Value) {
  FInternalCall = true;
  const auto clear = ScopeExit([this] { FInternalCall = false; });
  SetHour(Value);
}

void TNeoWatch::InternalSetMinute(Byte Value) {
  FInternalCall = true;
  const auto clear = ScopeExit([this] { FInternalCall = false; });
  SetMinute(Value);
}

// ---------------------------------------------------------------------------------------------
// Animation and the clock

bool AnimateHourStep(Byte& Cur, Byte Target, Byte Step, Byte Tolerance) {
  if (Target - Tolerance < Cur && Cur < Target + Tolerance) {
    Cur = Target;
    return false;
  }
  Step = std::max(Step, Tolerance);
  Cur = static_cast<Byte>(Cur < Target ? Cur + Step : Cur - Step);
  return true;
}

bool AnimateMinuteStep(Byte& Cur, Byte Target, Byte Step, Byte Tolerance) {
  if (Target - Tolerance < Cur && Cur < Target + Tolerance) {
    Cur = Target;
    return false;
  }
  Step = std::max(Step, Tolerance);
  const bool up = Cur < Target || (Target == 0 && Cur > 30);
  Integer next = up ? Cur + Step : Cur - Step;
  if (next >= 60) next = 0;
  Cur = static_cast<Byte>(next);
  return true;
}

void TNeoWatch::AnimationTimerTick(TObject*) {
  if (!FAnimation || DesigningOrLoading()) return;
  const TTimeParts t = Decode(GetDisplayTime());
  const double factor = FAnimationFactor;
  if (FHourAnimating) {
    Byte cur = static_cast<Byte>(t.Hour);
    const auto step = static_cast<Byte>(Round(std::abs(FCurrentHourTo - cur) / factor));
    if (AnimateHourStep(cur, FCurrentHourTo, step, 1)) {
      InternalSetHour(cur);
    } else {
      InternalSetHour(FCurrentHourTo);
      FAnimationTimer->SetEnabled(false);
    }
    return;
  }
  Byte cur = static_cast<Byte>(t.Minute);
  const Integer distance = FCurrentMinuteTo == 0 && cur > 30 ? 60 - cur : std::abs(FCurrentMinuteTo - cur);
  const auto step = static_cast<Byte>(Round(distance / factor));
  if (AnimateMinuteStep(cur, FCurrentMinuteTo, step, 1)) {
    InternalSetMinute(cur);
  } else {
    InternalSetMinute(FCurrentMinuteTo);
    FAnimationTimer->SetEnabled(false);
  }
}

void TNeoWatch::WatchTimerTick(TObject*) { DrawPointersOnly(); }

void TNeoWatch::AppearanceChanged(TObject*) { Invalidate(); }

void TNeoWatch::SettingsChanged(TObject*) {
  FWatchTimer->SetEnabled(FSettings->GetAuto());
  if (FSettings->GetAuto()) {
    const TDateTime now = Now();
    SetTime(now);
    FollowAM(Decode(now).Hour < 12);
  }
  InvalidateWatch();
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

void TNeoWatch::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FReadOnly || FSettings->GetAuto()) return;
  if (!IsPointInEllipse(X, Y)) {
    SetMinute(static_cast<Byte>(XYToMinute(X, Y)));
    return;
  }
  const TRect box = GetAMPMRect();
  if (X >= box.left && X < box.right && Y >= box.top && Y < box.bottom) {
    if (FAnimation) SetAM(!FAM);
    const Word hour = Decode(FTime).Hour;
    FCurrentHourTo = static_cast<Byte>(hour < 12 ? hour + 12 : hour - 12);
    InternalSetHour(FCurrentHourTo);
    return;
  }
  SetHour(static_cast<Byte>(XYToHour(X, Y)));
}

void TNeoWatch::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (FReadOnly) return;
  const Integer r = FResolution <= 0 ? 1 : FResolution;
  const Integer step = Shift.Contains(ssCtrl) ? 60 : r;
  const TDateTime before = FTime;
  if (Key == VK_LEFT || Key == VK_UP) {
    SetTime(ShiftMinutes(FTime, -step));
  } else if (Key == VK_RIGHT || Key == VK_DOWN) {
    SetTime(ShiftMinutes(FTime, step));
  } else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) {
    const TTimeParts t = Decode(FTime);
    SetTime(EncodeTime(static_cast<Word>(Key - VK_NUMPAD0), t.Minute, t.Second, t.MSec));
  } else if (Key == VK_END) {
    SetTime(EncodeTime(6, 0, 0, 0));
  } else if (Key == VK_HOME) {
    SetTime(EncodeTime(0, 0, 0, 0));
  }
  if (FTime != before) DoChange();
}

void TNeoWatch::HandleDropDownKey(WORD Key) {
  if (FSettings->GetAuto()) return;
  const TTimeParts t = Decode(GetDisplayTime());
  if (Key == 'A' && t.Hour > 11) SetHour(static_cast<Byte>(t.Hour - 12));
  if (Key == 'P' && t.Hour < 12) SetHour(static_cast<Byte>(t.Hour + 12));
  switch (Key) {
    case VK_PRIOR: InternalSetHour(static_cast<Byte>(t.Hour == 23 ? 0 : t.Hour + 1)); break;
    case VK_NEXT: InternalSetHour(static_cast<Byte>(t.Hour == 0 ? 23 : t.Hour - 1)); break;
    case VK_HOME: InternalSetHour(12); break;
    case VK_END: SetMinute(0); break;
    case VK_LEFT:
      if (t.Minute == 0) SetTime(EncodeTime(t.Hour == 0 ? 23 : t.Hour - 1, 59, t.Second, t.MSec));
      else SetMinute(static_cast<Byte>(t.Minute - 1));
      break;
    case VK_RIGHT: SetMinute(static_cast<Byte>(t.Minute == 59 ? 0 : t.Minute + 1)); break;
    default: break;
  }
}

void TNeoWatch::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = GetTabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0;
      return;
    case WM_SETCURSOR: {
      if (GetComponentState().Contains(csDesigning)) return;
      TCustomControl::Dispatch(Message);
      POINT p{};
      GetCursorPos(&p);
      const TPoint c = ScreenToClient(TPoint{p.x, p.y});
      const TRect box = GetAMPMRect();
      const bool inBox = c.x >= box.left && c.x < box.right && c.y >= box.top && c.y < box.bottom;
      ::SetCursor(Screen->GetCursors(inBox ? crHandPoint : crDefault));
      Message.Result = 1;
      return;
    }
    case WM_TIMER: DefaultHandler(Message); return;
    default: TCustomControl::Dispatch(Message);
  }
}
