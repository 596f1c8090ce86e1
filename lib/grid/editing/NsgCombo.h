#pragma once
// The combo box control: a combo box that can trade the class library's 3-D look for a flat one
// with its own border, drop-down button and colours, highlight itself while focused, track the
// mouse over its button, and carry a caption label placed around it on its parent.
//
// Painting: the class library paints the contents (edit part, shown item) through the DC it is
// handed; this control fills the client area and paints its button first, cuts the button strip
// out of the clip so the native button stays hidden, and draws its borders afterwards on the
// window DC (also after the non-client painting).
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/StdCtrls.h"

namespace NsgCombo {
// Where the label sits around the combo box (this unit's own 13 positions; the spelling
// lpRighBottom is the published name).
enum TLabelPosition {
  lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, lpLeftCenterLeft,
  lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom
};
// The label's top-left corner for a combo box at (L, T) of W x H, a label of LW x LH whose caption
// measures TW wide, and the margin M. Centring divides the difference by 2 truncating toward zero.
TPoint LabelOrigin(TLabelPosition Position, const TRect& Combo, Integer LW, Integer LH, Integer TW, Integer M);
}  // namespace NsgCombo

class TNsgCustomCombo : public TCustomComboBox {
  ZELK_CLASS(TNsgCustomCombo, TCustomComboBox)
public:
  using TLabelPosition = NsgCombo::TLabelPosition;

  explicit TNsgCustomCombo(TComponent* AOwner);
  ~TNsgCustomCombo() override;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  // While loading, the colour is also remembered as the loaded colour.
  void SetColor(TColor Value);
  void Dispatch(TMessage& Message) override;

  // Remembers the present colour as the one restored when the focus leaves.
  void Init();
  // Selects the first item equal to AText; nothing changes when there is none.
  void SelectItem(const String& AText);

  // The class library's 3-D border (a sunken client edge); the flat look turns it off.
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);

  bool GetAutoFocus() const { return FAutoFocus; }
  void SetAutoFocus(bool Value) { FAutoFocus = Value; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  // Stored and repainted; no painting reads it.
  bool GetEtched() const { return FEtched; }
  void SetEtched(bool Value);
  // 14 to 32; other values are ignored.
  Integer GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  bool GetFocusBorder() const { return FFocusBorder; }
  void SetFocusBorder(bool Value) { FFocusBorder = Value; }
  // The drop-down list's width, applied (CB_SETDROPPEDWIDTH) when above 0.
  Integer GetDropWidth() const { return FDropWidth; }
  void SetDropWidth(Integer Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; }
  bool GetIsVista() const { return FIsVista; }
  void SetIsVista(bool Value) { FIsVista = Value; }
  // The common-controls library is version 6 or later (set at construction).
  bool GetIsThemed() const { return FIsThemed; }
  TColor GetFlatLineColor() const { return FFlatLineColor; }
  void SetFlatLineColor(TColor Value);
  bool GetFlatParentColor() const { return FFlatParentColor; }
  void SetFlatParentColor(bool Value);
  TColor GetFocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { FFocusColor = Value; }
  TColor GetFocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool GetDisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value) { FDisabledBorder = Value; }
  bool GetFocusLabel() const { return FFocusLabel; }
  void SetFocusLabel(bool Value) { FFocusLabel = Value; }

  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { SetColorAndRepaint(FButtonColor, Value); }
  TColor GetButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { SetColorAndRepaint(FButtonColorHot, Value); }
  TColor GetButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { SetColorAndRepaint(FButtonColorDown, Value); }
  TColor GetButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { SetColorAndRepaint(FButtonBorderColor, Value); }
  TColor GetButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { SetColorAndRepaint(FButtonTextColor, Value); }
  TColor GetButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { SetColorAndRepaint(FButtonTextColorDown, Value); }
  // Stored only: no painting reads it.
  TColor GetButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }

  // The label: created on the first LabelCaption, on the combo box's parent.
  TLabel* GetComboLabel() const { return FLabel; }
  String GetLabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition GetLabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer GetLabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(Integer Value);
  bool GetLabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool GetLabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value);
  TFont* GetLabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value) { FLabelFont->Assign(Value); }

  // Whether the mouse is over the button strip (Width - ButtonWidth < X < Width).
  bool GetButtonHover() const { return FButtonHover; }
  bool GetHasFocus() const { return FHasFocus; }

  TNotifyEvent OnDropUp;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;

private:
  bool Designing() const { return GetComponentState().Contains(csDesigning); }
  bool Loading() const { return GetComponentState().Contains(csLoading); }
  // Visual styles usable: the common controls are 6 or later and a theme is active.
  bool Themed() const;
  // Disabled, themed-capable and without DisabledBorder: framed in $B99D7F.
  bool DisabledFramed() const;
  // This control or its edit part is the screen's active control.
  bool IsActiveControl() const;
  // The focus window is this control or its edit part.
  bool HasWindowFocus();
  // A mouse button is down, read from the device.
  static bool MouseButtonDown();
  bool UsesCustomPainting();
  void SetColorAndRepaint(TColor& AField, TColor Value);

  void WMPaint(TMessage& Message);
  void PaintButton(HDC DC);
  void PaintColoredButton(HDC DC, TRect R);
  bool PaintThemedButton(HDC DC, const TRect& R);
  void DrawBorders();
  // The frame colour; clNone after drawing the 3-D replacement or when no frame is wanted.
  TColor FrameColor(HDC DC, const TRect& Whole);
  void Draw3DReplacement(HDC DC, TRect R);
  void FlattenButton(HDC DC);
  // The non-client border painted again (WM_NCPAINT), with the client area.
  void RepaintFrame();
  void WMNCPaint(TMessage& Message);

  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMEnter();
  void CMExit();
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void CNCommand(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void TakeFocusColor();
  void RestoreNormalColor();
  void SetLabelBold(bool Value);

  void UpdateLabel();
  // The label is going: forgotten before its destruction can reach the combo box.
  void LabelDestroying() { FLabel = nullptr; }
  friend class TNsgComboLabel;
  void LabelFontChanged(TObject* Sender);
  void LabelTakesComboFont();

  bool FAutoFocus = false;
  bool FFlat = false;
  bool FEtched = false;
  TColor FOldColor = clWindow;
  TColor FLoadedColor = clWindow;
  bool FOldParentColor = false;
  Integer FButtonWidth = 19;
  bool FFocusBorder = false;
  Integer FDropWidth = 0;
  bool FIsWinXP = false;
  bool FIsThemed = false;
  bool FButtonHover = false;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  Integer FLabelMargin = 4;
  std::unique_ptr<TFont> FLabelFont;
  TLabelPosition FLabelPosition = NsgCombo::lpLeftTop;
  TLabel* FLabel = nullptr;   // owned as a component; cleared when it is freed
  TColor FFlatLineColor = clNone;
  bool FFlatParentColor = true;
  TColor FFocusColor = clNone;
  TColor FFocusBorderColor = clNone;
  TColor FBorderColor = clNone;
  bool FDisabledBorder = true;
  TColor FNormalColor = clNone;
  bool FHasFocus = false;
  bool FFocusLabel = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
  bool FIsVista = false;
  bool FCtl3D = true;
};

// The published combo box.
class TNsgComboBox : public TNsgCustomCombo {
  ZELK_CLASS(TNsgComboBox, TNsgCustomCombo)
public:
  explicit TNsgComboBox(TComponent* AOwner);
};
