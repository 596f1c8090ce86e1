#pragma once
// The analog clock: a face with hour and minute pointers (and a second pointer while it follows
// the system time), tick marks, the hour numbers and an AM/PM box. Clicks inside the face set the
// hour, clicks in the margin around it the minute, a click on the AM/PM box flips the half of the
// day; arrow, page and digit keys move the time. With Animation the pointers glide to a new hour or
// minute on a 1 ms timer; with Settings.Auto a 100 ms timer redraws the pointers from the clock.
//
// Painting (NeoWatchPaint.cpp) draws with GDI+: the face without pointers is kept in a cache
// bitmap built over the parent's pixels, so that a time change repaints the pointers alone.
#include <memory>

#include "lib/base/NeoStyleIF.h"
#include "lib/dropdown/NeoWatchAppearance.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"

namespace NeoGDIP {
class TGPGraphics;
}

class TNeoWatch : public TCustomControl, public INeoStyle {
  ZELK_CLASS(TNeoWatch, TCustomControl)
public:
  explicit TNeoWatch(TComponent* AOwner);
  ~TNeoWatch() override;

  // $01030200, shown as "1.3.2.0".
  virtual Cardinal GetVersionNr();
  String GetVersion();
  void SetVersion(const String&) {}

  TWatchAppearance* GetAppearance() const { return FAppearance.get(); }
  void SetAppearance(TWatchAppearance* Value) { FAppearance->Assign(Value); }
  TWatchSettings* GetSettings() const { return FSettings.get(); }
  void SetSettings(TWatchSettings* Value) { FSettings->Assign(Value); }
  bool GetAnimation() const { return FAnimation; }
  void SetAnimation(bool Value) { FAnimation = Value; }
  Integer GetAnimationFactor() const { return FAnimationFactor; }
  void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  Integer GetResolution() const { return FResolution; }
  // Values above 30 are ignored; 0 and below are kept and act as 1.
  void SetResolution(Integer Value);
  TDateTime GetTime() const { return FTime; }
  // A different time is stored (the AM flag follows it) and the pointers redrawn; no event.
  void SetTime(TDateTime Value);
  bool GetShowAMPM() const { return FShowAMPM; }
  void SetShowAMPM(bool Value);
  bool GetShowNumbers() const { return FShowNumbers; }
  void SetShowNumbers(bool Value);
  TWatchStyle GetStyle() const { return FStyle; }
  // A different style is stored; every style but wsCustom resets the appearance to its defaults
  // and then sets the values of its preset.
  void SetStyle(TWatchStyle Value);
  bool GetAM() const { return FAM; }
  bool IsAnimating() const;
  bool IsFollowingClock() const;

  // The minute and the hour a point of the control designates.
  Integer XYToMinute(Integer X, Integer Y);
  Integer XYToHour(Integer X, Integer Y);
  // Change one part of the time; from the user (not an internal call) with Animation on, the
  // pointer glides there on the animation timer. SetMinute raises "Invalid time" for 60 and more.
  void SetHour(Byte Value);
  void SetMinute(Byte Value);
  // The face colours of a style.
  void SetComponentStyle(TNeoStyle AStyle) override;
  // Keys of a hosting drop-down's popup (A, P, page, Home, End, Left, Right).
  void HandleDropDownKey(WORD Key);

  // Geometry used by the painter: the face square, its centre and radius, the AM/PM box.
  TRect GetFaceRect();
  TPoint GetCenter();
  double GetRadius();
  Integer GetBorderWidth() const { return FAppearance->GetBorderWidth(); }
  TRect GetAMPMRect();
  // The system time shifted by Settings.TimeOffset while Auto, else Time.
  TDateTime GetDisplayTime();

  TNotifyEvent OnChange;

protected:
  void Paint() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Dispatch(TMessage& Message) override;

  void InvalidateWatch() { Invalidate(); }
  // The face into the cache (over what the control shows now), the cache to the control, then the
  // pointers on top.
  void DrawWatch();
  // The cache with the pointers drawn on it, copied to the control in one piece.
  void DrawPointersOnly();
  void DrawBackground(NeoGDIP::TGPGraphics* Graphics, const TRect& ClientRect);
  void DrawMarks(NeoGDIP::TGPGraphics* Graphics, TCanvas* Canvas);
  void DrawTickMarks(NeoGDIP::TGPGraphics* Graphics);
  void DrawNumbers(NeoGDIP::TGPGraphics* Graphics, TCanvas* Canvas);
  void DrawAMPM(NeoGDIP::TGPGraphics* Graphics, TCanvas* Canvas);
  void DrawPointers(NeoGDIP::TGPGraphics* Graphics, TCanvas* Canvas);
  // The flip of the AM/PM box to the new label, one pixel a step, 10 ms apart (blocking).
  void AnimateAMPMFlip();

private:
  void SetAM(bool Value);
  // SetAM as the time's own half of the day: never the flip animation.
  void FollowAM(bool Value);
  void InternalSetTime(TDateTime Value);
  // SetHour / SetMinute flagged as internal calls (never animated).
  void InternalSetHour(Byte Value);
  void InternalSetMinute(Byte Value);
  bool IsPointInEllipse(Integer X, Integer Y);
  bool DesigningOrLoading() const;
  void DoChange();
  void AnimationTimerTick(TObject* Sender);
  void WatchTimerTick(TObject* Sender);
  void AppearanceChanged(TObject* Sender);
  void SettingsChanged(TObject* Sender);

  std::unique_ptr<TWatchAppearance> FAppearance;
  std::unique_ptr<TWatchSettings> FSettings;
  TDateTime FTime = 0;
  std::unique_ptr<TBitmap> FBKGCache;
  Word FOldHour = 0;
  Word FOldMinute = 0;
  Word FOldSecond = 0;
  std::unique_ptr<TTimer> FWatchTimer;
  bool FAnimation = true;
  Integer FAnimationFactor = 10;
  std::unique_ptr<TTimer> FAnimationTimer;
  Byte FCurrentHourTo = 0;
  Byte FCurrentMinuteTo = 0;
  Byte FMinuteFrom = 0;
  bool FHourAnimating = false;
  bool FInternalCall = false;
  bool FAM = true;
  bool FShowAMPM = true;
  bool FShowNumbers = true;
  bool FInternalSet = false;
  bool FCacheValid = false;   // the cache holds a face painted at the current size
  TWatchStyle FStyle = wsClassic;
  bool FReadOnly = false;
  Integer FResolution = 1;
};

// A style's face colours, in the order of the clock's style table.
struct TWatchStyleColors {
  TNeoStyle Style;
  TColor AMPMBorderColor, AMPMColor, BackgroundColor, BackgroundColorTo, BorderColor, CenterPointBorderColor,
      CenterPointColor, HourColor, MinuteColor, HourPointerShadow, HourPointer, MinutePointerShadow, MinutePointer,
      SecondPointer;
  TColor FontColor = clNone;   // both fonts, when not clNone
};
// The clock's row for a style; nullptr for the styles its table has none for.
const TWatchStyleColors* FindWatchStyleColors(TNeoStyle Style);
// The part every style sets (a black centre border and black fonts), then the colours of Row when
// there is one.
void ApplyWatchStyleColors(TWatchAppearance* Appearance, const TWatchStyleColors* Row);

// One step of an animated value toward Target (hours); false, with Cur set to Target, once within
// Tolerance of it.
bool AnimateHourStep(Byte& Cur, Byte Target, Byte Step, Byte Tolerance);
// As AnimateHourStep for minutes: forward over the top when Target is 0 and Cur is past 30.
bool AnimateMinuteStep(Byte& Cur, Byte Target, Byte Step, Byte Tolerance);

// Publishes the clock, its appearance and settings to the runtime's type information (once).
void RegisterNeoWatchRtti();
