#pragma once
// The header and footer strips of a dropdown's popup: a gradient background with a border and a
// light outline, an image, a markup caption and a row of push buttons built from the drop-down's
// button definitions. The footer adds a size grip in its bottom-right corner that hands a press to
// the popup window's own sizing (WM_NCLBUTTONDOWN with HTBOTTOMRIGHT).
//
// TNeoPopupStrip holds what both strips do; the two classes differ in which border line is always
// drawn, the button area, the grip and the click event they report to.
#include <memory>

#include "lib/dropdown/NeoButton.h"
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoPopupAppearance.h"

class TNeoPopupStrip : public TCustomControl {
  ZELK_CLASS(TNeoPopupStrip, TCustomControl)
public:
  ~TNeoPopupStrip() override;

  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TNeoCustomDropDown* GetNeoDropDown() const { return FNeoDropDown; }
  // Links the drop-down: its Images, and its appearance copied into the strip's own.
  void SetNeoDropDown(TNeoCustomDropDown* Value);
  // The created buttons, in the order of their definitions.
  TDbgList* GetButtonList() const { return FButtonList.get(); }
  TNeoButton* GetButton(Integer Index) const { return static_cast<TNeoButton*>(FButtonList->GetItemsEx(Index)); }
  void InitButtons();
  // The area the buttons are laid out in.
  virtual TRect GetButtonArea();
  // Where the caption may go: up to 2 pixels before the last button of the list.
  TRect GetCaptionRect();

  TDrawBackGroundEvent OnDrawBackGround;
  TGetTextEvent OnGetText;

  void Dispatch(TMessage& Message) override;

protected:
  explicit TNeoPopupStrip(TComponent* AOwner);
  virtual void CreateButtons();
  virtual void ClearButtons();
  virtual void ArrangeButtons();
  virtual void UpdateButtons();

  // The strip's own appearance, and the drop-down's of the same kind.
  virtual TPopupStripAppearance* StripAppearance() const = 0;
  virtual TPopupStripAppearance* DropDownAppearance() const = 0;
  // The header's bottom line or the footer's top line (always), and the other three sides (only
  // when the popup draws no border of its own).
  virtual void DrawBorderLines(TCanvas* Canvas, TRect R, bool AllSides) = 0;
  virtual TRect LightOutline(TRect R, Integer BorderWidth) = 0;
  virtual void ConfigureButton(TNeoButton* Button, TCollectionItem* Definition) { (void)Button, (void)Definition; }
  virtual void ButtonClick(TObject* Sender) = 0;
  void Paint() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AppearanceChanged(TObject* Sender);

  TCustomImageList* FImages = nullptr;
  TNeoCustomDropDown* FNeoDropDown = nullptr;
  std::unique_ptr<TDbgList> FButtonList;
};

class TNeoHeader : public TNeoPopupStrip {
  ZELK_CLASS(TNeoHeader, TNeoPopupStrip)
public:
  explicit TNeoHeader(TComponent* AOwner);
  THeaderAppearance* GetAppearance() const { return FAppearance.get(); }
  void SetAppearance(THeaderAppearance* Value) { FAppearance->Assign(Value); }
  // The linked drop-down's header buttons (nullptr without one).
  THeaderButtons* GetButtons() const;

protected:
  TPopupStripAppearance* StripAppearance() const override { return FAppearance.get(); }
  TPopupStripAppearance* DropDownAppearance() const override;
  void DrawBorderLines(TCanvas* Canvas, TRect R, bool AllSides) override;
  TRect LightOutline(TRect R, Integer BorderWidth) override;
  void ButtonClick(TObject* Sender) override;

private:
  std::unique_ptr<THeaderAppearance> FAppearance;
};

class TNeoFooter : public TNeoPopupStrip {
  ZELK_CLASS(TNeoFooter, TNeoPopupStrip)
public:
  explicit TNeoFooter(TComponent* AOwner);
  TFooterAppearance* GetAppearance() const { return FAppearance.get(); }
  void SetAppearance(TFooterAppearance* Value) { FAppearance->Assign(Value); }
  TFooterButtons* GetButtons() const;
  // The grip shows with SizeGrip and a linked drop-down whose popup is sizeable.
  bool HasSizeGrip() const;
  TRect GetButtonArea() override;

protected:
  TPopupStripAppearance* StripAppearance() const override { return FAppearance.get(); }
  TPopupStripAppearance* DropDownAppearance() const override;
  void DrawBorderLines(TCanvas* Canvas, TRect R, bool AllSides) override;
  TRect LightOutline(TRect R, Integer BorderWidth) override;
  void ConfigureButton(TNeoButton* Button, TCollectionItem* Definition) override;
  void ButtonClick(TObject* Sender) override;
  void Paint() override;
  void DrawSizeGrip(TRect G);
  bool InGripCorner(Integer X, Integer Y);
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void RestoreCursor();

public:
  void Dispatch(TMessage& Message) override;

private:
  std::unique_ptr<TFooterAppearance> FAppearance;
  TCursor FOldCursor = crDefault;
};
