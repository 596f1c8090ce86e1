#pragma once
// The edit with a button: a masked edit with a push button docked inside its right or left edge
// (the button or F4 fires OnClickBtn), the unit edit that draws a unit beside the button and lets
// the user pick it from a popup menu, the button container, and the two speed buttons: the one
// inside the container (painted natively, themed, flat or in the container's colours) and the one
// that draws an image-list image and a picture centred on its face.
#include <functional>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Mask.h"

class TNsgEditButton;

// The speed button inside a TNsgEditButton; it paints with its owner's colours.
class TNeoSpeedButton : public TSpeedButton {
  ZELK_CLASS(TNeoSpeedButton, TSpeedButton)
public:
  explicit TNeoSpeedButton(TComponent* AOwner);

  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  // The mouse is over the button.
  bool GetHot() const { return FHot; }

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;

private:
  TNsgEditButton* Container() const;
  bool Pressed() const;
  // The face: custom colours, visual styles, classic push button or flat edges. The rectangle
  // left for the glyph and caption.
  TRect PaintFace();
  bool PaintThemed(const TRect& R);

  bool FIsWinXP = false;
  bool FFlat = false;
  bool FHot = false;
};

// The button container docked in the edit: one speed button filling it, its colours and click.
class TNsgEditButton : public TWinControl {
  ZELK_CLASS(TNsgEditButton, TWinControl)
public:
  explicit TNsgEditButton(TComponent* AOwner);

  TNeoSpeedButton* GetButton() const { return FButton; }
  // The control that takes the focus after a click.
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  TNumGlyphs GetNumGlyphs() const { return FButton->GetNumGlyphs(); }
  void SetNumGlyphs(TNumGlyphs Value) { FButton->SetNumGlyphs(Value); }
  String GetButtonCaption() { return FButton->GetCaption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }

  TColor GetButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { SetColorAndRepaint(FButtonColorDown, Value); }
  TColor GetButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { SetColorAndRepaint(FButtonBorderColor, Value); }
  TColor GetButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { SetColorAndRepaint(FButtonTextColor, Value); }
  TColor GetButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { SetColorAndRepaint(FButtonTextColorHot, Value); }
  TColor GetButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { SetColorAndRepaint(FButtonColor, Value); }
  TColor GetButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { SetColorAndRepaint(FButtonColorHot, Value); }
  TColor GetButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { SetColorAndRepaint(FButtonTextColorDown, Value); }

  TNotifyEvent OnClick;

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Dispatch(TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void SetColorAndRepaint(TColor& AField, TColor Value);
  // The speed button fills the container (not while loading).
  void FillWithButton();
  void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y);

  TNeoSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  bool FFlat = false;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};

enum TButtonAlign { btnLeft, btnRight };

// A masked edit with the button container docked inside it.
class TNsgEditBtn : public TCustomMaskEdit {
  ZELK_CLASS(TNsgEditBtn, TCustomMaskEdit)
public:
  explicit TNsgEditBtn(TComponent* AOwner);
  ~TNsgEditBtn() override;

  TNsgEditButton* GetButton() const { return FButton; }
  bool GetRightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  Integer GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  bool GetIsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);
  TButtonAlign GetButtonAlign() const { return FButtonAlign; }
  void SetButtonAlign(TButtonAlign Value);
  TBitmap* GetGlyph() const { return FButton->GetGlyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  String GetButtonCaption() { return FButton->GetButtonCaption(); }
  void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }

  // Fires OnClickBtn with the container as Sender.
  virtual void ClickButton();

  TNotifyEvent OnClickBtn;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Sets the formatting rectangle beside the button and the unit strip.
  void SetEditRect();
  // The placement of the button and the edit rectangle for the present size.
  void ResizeButton();
  // The font's character height plus a quarter of the smaller of it and the system font's.
  Integer GetMinHeight();

  Integer FUnitSize = 0;

private:
  bool Loading() const { return GetComponentState().Contains(csLoading); }

  bool FRightAlign = false;
  TNsgEditButton* FButton = nullptr;
  bool FEditorEnabled = true;
  Integer FButtonWidth = 18;
  bool FIsWinXP = false;
  TButtonAlign FButtonAlign = btnRight;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

// An edit with a button that shows a unit beside the button and picks it from a popup menu.
class TNsgUnitEditBtn : public TNsgEditBtn {
  ZELK_CLASS(TNsgUnitEditBtn, TNsgEditBtn)
public:
  explicit TNsgUnitEditBtn(TComponent* AOwner);
  ~TNsgUnitEditBtn() override;

  const String& GetUnitID() const { return FUnitID; }
  void SetUnitID(const String& Value);
  TStrings* GetUnits() const { return FUnits.get(); }
  // Takes the given list's contents; nil is ignored.
  void SetUnits(TStrings* Value);
  Integer GetUnitSpace() const { return FUnitSize; }
  void SetUnitSpace(Integer Value);
  // The text followed by the unit. Written: the first unit in list order whose first occurrence
  // ends the value splits it into text and unit; no such unit leaves both as they were.
  String GetTextAndUnit();
  void SetTextAndUnit(const String& Value);

  // Fires OnClickBtn with the edit as Sender, then pops the unit menu up under the edit.
  void ClickButton() override;

  TUnitChangeEvent OnUnitChanged;

  void Dispatch(TMessage& Message) override;

private:
  void PaintUnit();

  String FUnitID;
  std::unique_ptr<TStringList> FUnits;
};

// A speed button that also draws an image-list image and a picture centred on its face.
class TNsgSpeedButton : public TSpeedButton {
  ZELK_CLASS(TNsgSpeedButton, TSpeedButton)
public:
  explicit TNsgSpeedButton(TComponent* AOwner);
  ~TNsgSpeedButton() override;

  TPicture* GetPicture() const { return FPicture.get(); }
  void SetPicture(TPicture* Value);
  TCustomImageList* GetImages() const { return FImages; }
  // Stored, not owned; forgotten when the image list is freed.
  void SetImages(TCustomImageList* Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

protected:
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TPicture> FPicture;
  TCustomImageList* FImages = nullptr;   // not owned
  Integer FImageIndex = -1;
};
