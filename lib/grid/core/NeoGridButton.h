#pragma once
// TNeoGridButton: the grid's windowless push button (the search footer's buttons). It paints flat
// (colour faces with 16-band gradients, optional round corners), themed (the visual-styles push
// button or the classic frame control) or through the active custom style; keeps a Down state that
// is exclusive among the buttons of one group under the same parent; offers a check style, a
// drop-down part with a popup menu, glyphs per state with derived disabled and shadow glyphs, seven
// colour looks and an action link.
#include <memory>

#include "platform/ui/ActnList.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Menus.h"

enum TNeoGridButtonStyle { tasButton, tasCheck };

class TNeoGridButton : public TGraphicControl {
  ZELK_CLASS(TNeoGridButton, TGraphicControl)
public:
  explicit TNeoGridButton(TComponent* AOwner);
  ~TNeoGridButton() override;

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool GetAutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool GetAutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor GetBorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor GetBorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value);
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetDropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  // Copies the glyph; an empty disabled glyph is derived from it (greyed).
  void SetGlyph(TBitmap* Value);
  TBitmap* GetGlyphHot() const { return FGlyphHot.get(); }
  void SetGlyphHot(TBitmap* Value) { FGlyphHot->Assign(Value); }
  TBitmap* GetGlyphDown() const { return FGlyphDown.get(); }
  void SetGlyphDown(TBitmap* Value) { FGlyphDown->Assign(Value); }
  TBitmap* GetGlyphDisabled() const { return FGlyphDisabled.get(); }
  void SetGlyphDisabled(TBitmap* Value) { FGlyphDisabled->Assign(Value); }
  // The grey silhouette drawn under a hovered glyph.
  TBitmap* GetGlyphShade() const { return FGlyphShade.get(); }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  Integer GetMargin() const { return FMargin; }
  // Values below -1 are ignored; -1 centres.
  void SetMargin(Integer Value);
  bool GetRounded() const { return FRounded; }
  void SetRounded(bool Value);
  bool GetShaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool GetShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  Integer GetSpacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TNeoGridButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TNeoGridButtonStyle Value);
  // The colour look 0..6 last applied (0 before any); other values change nothing.
  Integer GetLook() const { return FLook; }
  void SetLook(Integer Value);
  TButtonState GetState() const { return FState; }
  bool GetMouseInControl() const { return FMouseInControl; }

  TNotifyEvent OnDropDown;

  void Click() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  TControlActionLink* CreateActionLink() override;

private:
  bool Designing() const { return GetComponentState().Contains(csDesigning); }
  bool Hovering() { return FMouseInControl && GetEnabled() && !Designing(); }
  bool PressedOrHeld() const { return FState == bsDown || FState == bsExclusive; }
  bool Inside(Integer X, Integer Y) { return X >= 0 && X < GetClientWidth() && Y >= 0 && Y <= GetClientHeight(); }
  void PaintFlatFace(TRect& R);
  void PaintStyledFace(TRect& R, bool& Emboss);
  void PaintHeldFace(TRect& R);
  void PaintDropDownArrow(TRect& R);
  void PaintContent(const TRect& R, TButtonState State, UINT BiDiFlags, bool Emboss, Integer Offset);
  void LayoutContent(const TRect& Client, UINT BiDiFlags, Integer Offset, TPoint& GlyphPos, TRect& TextBounds);
  void PaintGlyph(TPoint Pos);
  void PaintCaption(TRect TextBounds, TButtonState State, UINT BiDiFlags, bool Emboss);
  void RefreshHover();
  void NotifyGroup();
  void BuildShadeGlyph();
  void AdaptToTheme();
  void GlyphChanged(TObject* Sender);
  void CMButtonPressed(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  bool FIsComCtl6 = false;
  Integer FGroupIndex = 0;
  std::unique_ptr<TBitmap> FGlyph;
  bool FDown = false;
  bool FDragging = false;
  bool FAllowAllUp = false;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FSpacing = 4;
  bool FTransparent = true;   // stored; the drawing does not consult it
  Integer FMargin = -1;
  bool FFlat = true;
  // The button's own hover flag (set by its enter and leave handling only).
  bool FMouseInControl = false;
  TColor FColorTo = clNone, FColorHot = 0xCAC7C7, FColorHotTo = clNone, FColorDown = 0xD8D3D2, FColorDownTo = clNone;
  TColor FBorderColor = clNone, FBorderDownColor = clNone, FBorderHotColor = clNone;
  std::unique_ptr<TBitmap> FGlyphDisabled, FGlyphHot, FGlyphDown, FGlyphShade;
  bool FShaded = true;
  TColor FColorChecked = 0x808080, FColorCheckedTo = clNone;
  TNeoGridButtonStyle FStyle = tasButton;
  Integer FLook = 0;
  bool FRounded = false;
  bool FDropDownButton = false;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FShowCaption = true;
  TButtonState FState = bsUp;
};

class TNeoGridButtonActionLink : public TControlActionLink {
  ZELK_CLASS(TNeoGridButtonActionLink, TControlActionLink)
public:
  // Raises EInvalidCast for a client that is not a TNeoGridButton.
  void AssignClient(TObject* AClient) override;
  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsGroupIndexLinked() override;
  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetGroupIndex(Integer Value) override;

protected:
  TNeoGridButton* FClient = nullptr;
};

// 1, 2 or 3 for the Windows XP colour schemes "NormalColor", "HomeStead", "Metallic" (whole,
// case-sensitive names), 0 otherwise or without active visual styles.
Integer DetectXPColorScheme();

// Steps bands from FromColor towards ToColor over Rect (top to bottom, or left to right when
// Horizontal), each Round(band size) + 1 long; the last band stops one step short of ToColor. A
// Border other than clNone outlines Rect.
void PaintGradientBands(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, Integer Steps,
                        TRect Rect, bool Horizontal);
