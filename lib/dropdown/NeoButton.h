#pragma once
// The push button of a popup's header and footer, and the checked list that holds those buttons.
//
// States: absUp, absDown (pressed, or a down check button), absExclusive (down in a group),
// absDisabled. A mouse press inside shows absDown while the cursor stays in; the release clicks.
// The hot look follows the cursor: CM_MOUSEENTER starts a 1 ms timer whose tick notices a cursor
// that left without a CM_MOUSELEAVE (a popup that grabbed the mouse). Click stores the modal result
// in the parent form and closes the linked drop-down for the closing results; Enter or Space only
// close, without the button's OnClick.
#include "lib/dropdown/NeoButtonAppearance.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"

class TCustomImageList;
class TNeoCustomDropDown;

enum TNeoButtonStyle { tasButton, tasCheck };
enum TNeoButtonState { absUp, absDisabled, absDown, absDropDown, absExclusive };

// A list whose checked accessors raise for an index at or past the end.
class TDbgList : public TList {
  ZELK_CLASS(TDbgList, TList)
public:
  Pointer GetItemsEx(Integer Index) const;
  void SetItemsEx(Integer Index, Pointer Value);
  void AssignList(const TList* List);
};

class TNeoButton : public TCustomControl {
  ZELK_CLASS(TNeoButton, TCustomControl)
public:
  explicit TNeoButton(TComponent* AOwner);
  ~TNeoButton() override;

  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value) { FGroupIndex = Value; }
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  TNeoButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TNeoButtonStyle Value) { FStyle = Value; }
  TNeoButtonState GetState() const { return FState; }
  TNeoButtonAppearance* GetAppearance() const { return FAppearance; }
  void SetAppearance(TNeoButtonAppearance* Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TNeoCustomDropDown* GetNeoDropDown() const { return FNeoDropDown; }
  void SetNeoDropDown(TNeoCustomDropDown* Value);
  bool GetMouseInControl() const { return FMouseInControl; }
  bool GetHot() const { return FHot; }
  TTimer* GetUnHotTimer() const { return FUnHotTimer; }

  // Width and height to the caption (and image) with a margin: caption width + 8, height + 4.
  void AdjustToContent();
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  // Paints the parent's background into this button's canvas, then the face, image and caption.
  virtual void DrawButton();
  void PaintParentBackground(HDC DC);
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void UpdateTracking();
  void NotifyGroup();
  void UnHotTimerTick(TObject* Sender);
  void Unhot();

private:
  Integer FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FHot = false;
  TNeoButtonStyle FStyle = tasButton;
  TNeoButtonState FState = absUp;
  bool FMouseDownInControl = false;
  bool FDragging = false;
  TTimer* FUnHotTimer = nullptr;
  bool FInitialDown = false;
  bool FInternalClick = false;
  TNeoButtonAppearance* FAppearance = nullptr;
  TCustomImageList* FImages = nullptr;
  Integer FImageIndex = -1;
  TModalResult FModalResult = mrNone;
  TNeoCustomDropDown* FNeoDropDown = nullptr;
};
