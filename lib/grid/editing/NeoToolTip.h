#pragma once
// NeoToolTip: a balloon beside a control showing a short text (the date-time picker's validation
// text). TNeoToolTip holds the settings; TNeoToolTipWindow measures, shapes, places and paints
// the balloon through the imported GDI+ wrappers and, while shown, lends its border colour to the
// control. There is no timer: the owner frees the window to remove the balloon.
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"
#include "platform/ui/ImgList.h"

enum TNeoToolTipPosition {
  ttTopRight, ttTopLeft, ttTopCenter, ttRight, ttBottomLeft, ttBottomCenter, ttBottomRight, ttCustom
};
enum TNeoToolTipShape { tsBalloon, tsRectangle };

class TNeoToolTip : public TComponent {
  ZELK_CLASS(TNeoToolTip, TComponent)
public:
  explicit TNeoToolTip(TComponent* AOwner);
  ~TNeoToolTip() override;

  // Copies every setting from another TNeoToolTip; any other source is ignored.
  void Assign(TPersistent* Source) override;
  static Cardinal GetVersionNr() { return 0x01000001; }
  String GetVersion() const;

  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value) { FMaxWidth = Value; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor GetControlBorderColor() const { return FControlBorderColor; }
  void SetControlBorderColor(TColor Value) { FControlBorderColor = Value; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  Integer GetX() const { return FX; }
  void SetX(Integer Value) { FX = Value; }
  Integer GetY() const { return FY; }
  void SetY(Integer Value) { FY = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  TNeoToolTipPosition GetPosition() const { return FPosition; }
  void SetPosition(TNeoToolTipPosition Value) { FPosition = Value; }
  Integer GetRounding() const { return FRounding; }
  void SetRounding(Integer Value) { FRounding = Value; }
  TNeoToolTipShape GetShape() const { return FShape; }
  void SetShape(TNeoToolTipShape Value) { FShape = Value; }
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer Value) { FMargin = Value; }

  // With ImageIndex 0 or more and an image list.
  bool HasImage() const { return FImageIndex >= 0 && FImages; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TColor FBorderColor = static_cast<TColor>(0x0000FF);
  TCustomImageList* FImages = nullptr;
  Integer FMaxWidth = 0;
  TColor FColor = static_cast<TColor>(0x0000FF);
  TColor FControlBorderColor = static_cast<TColor>(0x0000FF);
  std::unique_ptr<TFont> FFont;
  Integer FX = 0;
  Integer FY = 0;
  Integer FImageIndex = -1;
  TNeoToolTipPosition FPosition = ttRight;
  Integer FRounding = 2;
  TNeoToolTipShape FShape = tsBalloon;
  Integer FMargin = 0;
};

class TNeoToolTipWindow : public TCustomControl {
  ZELK_CLASS(TNeoToolTipWindow, TCustomControl)
public:
  explicit TNeoToolTipWindow(TComponent* AOwner);
  ~TNeoToolTipWindow() override;

  // Shows the balloon beside AControl with AToolTip's settings (the window's own defaults when
  // nil); the control's published "BorderColor" takes the settings' border colour meanwhile.
  void Show(TControl* AControl, TNeoToolTip* AToolTip);
  // Does nothing: the owner frees the window to remove the balloon.
  void Hide() {}

  // The settings in use: those passed to Show while they live, else the window's own.
  TNeoToolTip* GetToolTip() const { return FToolTip ? FToolTip : FInternalToolTip.get(); }
  TControl* GetControl() const { return FControl; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  const String& GetText() const { return FText; }
  void SetText(const String& Value);

  virtual void UpdateSize();
  virtual void UpdatePosition();
  void UpdateRegion();

protected:
  void CreateWnd() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  // The pointer's x in window pixels (d), for the balloon shape's positions above and below.
  Integer PointerX() const;
  // Paints the parent into ADC shifted to line up with the window.
  void PaintParentInto(HDC ADC);

  std::unique_ptr<TNeoToolTip> FInternalToolTip;
  TControl* FControl = nullptr;
  TColor FColor = static_cast<TColor>(0x0000FF);
  String FText = u"1";
  TNeoToolTip* FToolTip = nullptr;
  bool FBorderSet = false;
  TColor FOldBorderColor = clNone;
};

// Publishes the two classes' properties (once).
void RegisterNeoToolTipRtti();
