#pragma once
// The inplace date picker: the platform's date-time picker with a flat "Metro" look painted over
// it (a one-colour border, its own drop-down button, focus and hover feedback). Everything that is
// not painting (value, kind, format, calendar) stays the platform picker's.
//
// TMetroDateTimePicker holds what this picker and the picker base with auto tab
// (NeoDateTimePicker.h) paint alike: the look's fields, the drop button, the four border cases,
// the flat outline and the mouse and focus tracking. Each of the two decides when and where the
// borders are drawn.
#include "platform/ui/Controls.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/Graphics.h"

namespace NsgDateTimePicker {
// The platform is Vista or later: module "kernel32" exports GetLocaleInfoEx.
bool IsVistaOrLater();
// The file version's most significant double word from the file's version resource; -1 without one.
Integer GetModuleFileVersion(const String& FileName);
// COMCTL32.DLL's major version is above 5.
bool IsComCtl6();
// The left or the right mouse button is down right now.
bool IsMouseButtonDown();
// "a.b.c.d" from the four bytes of a version number, the highest first.
String VersionNrText(Cardinal Value);
// The frame of a disabled picker with common controls 6.
constexpr TColor DisabledFrameColor = static_cast<TColor>(0xB99D7F);
}  // namespace NsgDateTimePicker

class TMetroDateTimePicker : public TDateTimePicker {
  ZELK_CLASS(TMetroDateTimePicker, TDateTimePicker)
public:
  explicit TMetroDateTimePicker(TComponent* AOwner);

  // The border style of the flat frame (the platform picker's own border stays as it is).
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  // Stores a changed value and repaints.
  virtual void SetBorderStyle(TBorderStyle Value);

  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool GetMetroStyle() const { return FMetroStyle; }
  void SetMetroStyle(bool Value);
  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { FButtonColor = Value; }
  TColor GetButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor GetButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  TColor GetButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  // Stored only: no painting reads it.
  TColor GetButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor GetButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }
  TColor GetButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }

  Integer GetButtonWidth() const { return FButtonWidth; }
  bool GetButtonHover() const { return FButtonHover; }
  bool GetHasFocus() const { return FHasFocus; }
  bool GetIsThemed() const { return FIsThemed; }
  bool GetIsWinXP() const { return FIsWinXP; }

  void Dispatch(TMessage& Message) override;
  void WndProc(TMessage& Message) override;

protected:
  bool Designing() const { return GetComponentState().Contains(csDesigning); }
  void RepaintWithFrame();
  bool Loading() const { return GetComponentState().Contains(csLoading); }
  // Common controls 6 and the visual styles active.
  bool IsThemed() const;
  // The Metro look is on (each class says when it applies).
  virtual bool IsMetro() const = 0;
  // Design time: enabled; otherwise the mouse is over the control or it is the active control.
  bool IsHotOrFocused() const;
  bool ShowFocusBorder() const;
  // Mouse enter and leave are ignored at design time.
  virtual bool TracksMouseWhileDesigning() const { return false; }

  // ---- painting
  void WMPaint(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  // The two borders calls that follow every non-client paint: disabled with common controls 6,
  // and a focus border colour while focused or a border colour.
  void ConditionalDrawBorders();
  virtual void DrawBorders() = 0;
  // The native button covered with the control's brush before the own drop button is drawn
  // (ThemedCut: how far left of the button the themed cover starts).
  void CoverNativeButton(HDC DC, Integer ThemedCut);
  virtual Integer CoverCut() const = 0;
  void DrawDropButton(HDC DC);
  // After the drop button, before the borders (WM_PAINT on the window DC).
  virtual void PaintOverNative(HDC) {}
  // The four border cases: R is the frame, Focused and Color the focus flag and border colour.
  void DrawBorderCases(HDC DC, TRect R, bool Focused, TColor Color);
  // The flat frame's pen colour: the parent's brush colour for no border with a parent, else
  // $B99D7F with common controls 6, else BorderColor.
  TColor FlatBorderPenColor() const;
  // The outline (0, h) up to (0, 0), to (w - 1, 0), to (w - 1, h - 1), to (0, h - 1).
  void DrawOutline(HDC DC, TColor Color);
  // The flat frame of WM_NCPAINT, when the class wants it (see FlatBorderWanted).
  void DrawFlatBorder();
  virtual bool FlatBorderWanted() const = 0;
  // After the non-client painting and its conditional borders.
  virtual void NCPaintTail() {}

  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  TBorderStyle FBorderStyle = bsNone;
  TColor FBorderColor = clNone;
  bool FIsThemed = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
  Integer FButtonWidth = 0;
  bool FButtonHover = false;
  // FMouseInControl is the control's own field.
  bool FIsWinXP = false;
  bool FMetroStyle = false;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = false;
  bool FHasFocus = false;
  bool FFocusBorder = false;
};

class TNsgDateTimePicker : public TMetroDateTimePicker {
  ZELK_CLASS(TNsgDateTimePicker, TMetroDateTimePicker)
public:
  explicit TNsgDateTimePicker(TComponent* AOwner);
  ~TNsgDateTimePicker() override;

  static Cardinal GetVersionNr() { return 0x01000000; }
  String GetVersion() const;
  void SetVersion(const String&) {}

protected:
  bool IsMetro() const override;
  void DrawBorders() override;
  Integer CoverCut() const override { return 15; }
  bool FlatBorderWanted() const override;
  void DrawBorder(HDC DC);
  void DrawButtonFrame(HDC DC);
};

void RegisterNsgDateTimePickerRtti();
