#pragma once
// The calculator keypad: a control holding a collection of keys (TCalcButtonItem) laid out in the
// fixed 6 x 5 calculator grid, each painted as a glossy GDI+ button with hot and pressed looks and
// an outer glow. A press and a release over the same key report the key's index through
// OnButtonClick; the key's Tag is its meaning, which the calculator drop-down interprets.
//
// Linked to a drop-down, the panel leaves repainting on changes to the drop-down; on its own it
// creates its keys when loaded, draws a frame and repaints itself on changes.
#include <functional>
#include <memory>

#include "lib/dropdown/NeoItemSelector.h"   // TItemLayout, TSelectionColorStyle
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

class TCustomImageList;
class TNeoCustomDropDown;

enum TButtonPanelType { plCalculator, plCustom };

using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, Integer Index)>;

class TCalcButtonItem : public TCollectionItem {
  ZELK_CLASS(TCalcButtonItem, TCollectionItem)
public:
  explicit TCalcButtonItem(TCollection* ACollection);
  ~TCalcButtonItem() override;

  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TColor GetCaptionColor() const { return FCaptionColor; }
  void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  TPicture* GetImage() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  Integer GetTag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const String& GetName() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  // The caption takes the appearance's special text colour.
  bool GetSpecial() const { return FSpecial; }
  void SetSpecial(bool Value) { FSpecial = Value; }
  Integer GetLeft() const { return FLeft; }
  Integer GetTop() const { return FTop; }
  Integer GetWidth() const { return FWidth; }
  Integer GetHeight() const { return FHeight; }
  // Where the key sits (the layout writes it; a custom keypad's application sets it).
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect GetRect() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  bool HasPicture() const;

  // Copies Caption, CaptionColor, Tag, ImageIndex, the picture, Enabled and Name (not Special).
  void Assign(TPersistent* Source) override;

private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  Integer FTag = 0;
  Integer FHeight = 0;
  Integer FLeft = 0;
  Integer FWidth = 0;
  Integer FTop = 0;
  String FName;
  TColor FCaptionColor = static_cast<TColor>(0xFFFFFF);
  bool FSpecial = false;
};

class TCalcButtonItems : public TOwnedCollection {
  ZELK_CLASS(TCalcButtonItems, TOwnedCollection)
public:
  explicit TCalcButtonItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TCalcButtonItem::StaticClass()) {}
  TCalcButtonItem* Add() { return static_cast<TCalcButtonItem*>(TCollection::Add()); }
  TCalcButtonItem* Insert(Integer Index) { return static_cast<TCalcButtonItem*>(TCollection::Insert(Index)); }
  TCalcButtonItem* GetItems(Integer Index) const { return static_cast<TCalcButtonItem*>(GetItem(Index)); }
  void SetItems(Integer Index, TCalcButtonItem* Value) { SetItem(Index, Value); }
  TNotifyEvent OnChange;

protected:
  void Update(TCollectionItem* Item) override;
};

// The keys' colours and font. The checked and disabled colours are kept and copied but not
// painted.
class TButtonAppearance : public TPersistent {
  ZELK_CLASS(TButtonAppearance, TPersistent)
public:
  TButtonAppearance();
  ~TButtonAppearance() override;

  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { SetColorField(FBorderColor, Value); }
  TColor GetBorderColorHot() const { return FBorderColorHot; }
  void SetBorderColorHot(TColor Value) { SetColorField(FBorderColorHot, Value); }
  TColor GetBorderColorDown() const { return FBorderColorDown; }
  void SetBorderColorDown(TColor Value) { SetColorField(FBorderColorDown, Value); }
  TColor GetBorderColorChecked() const { return FBorderColorChecked; }
  void SetBorderColorChecked(TColor Value) { SetColorField(FBorderColorChecked, Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorField(FColor, Value); }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { SetColorField(FColorTo, Value); }
  TColor GetColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { SetColorField(FColorDown, Value); }
  TColor GetColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { SetColorField(FColorDownTo, Value); }
  TColor GetColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { SetColorField(FColorHot, Value); }
  TColor GetColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { SetColorField(FColorHotTo, Value); }
  TColor GetColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value) { SetColorField(FColorChecked, Value); }
  TColor GetColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value) { SetColorField(FColorCheckedTo, Value); }
  TColor GetColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(TColor Value) { SetColorField(FColorDisabled, Value); }
  TColor GetColorDisabledTo() const { return FColorDisabledTo; }
  void SetColorDisabledTo(TColor Value) { SetColorField(FColorDisabledTo, Value); }
  TColor GetTextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { SetColorField(FTextColor, Value); }
  TColor GetSpecialTextColor() const { return FSpecialTextColor; }
  void SetSpecialTextColor(TColor Value) { SetColorField(FSpecialTextColor, Value); }
  // Stored without a change notification.
  TColor GetShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value) { FShineColor = Value; }
  TColor GetGlowColorHot() const { return FGlowColorHot; }
  void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
  TColor GetGlowColorDown() const { return FGlowColorDown; }
  void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  void SetColorField(TColor& Field, TColor Value);

  TColor FBorderColor = 0x000000;
  TColor FBorderColorHot = 0x000000;
  TColor FBorderColorDown = 0x000000;
  TColor FBorderColorChecked = 0xFF0000;
  TColor FColor = 0x9A915F;
  TColor FColorTo = 0xB0A170;
  TColor FColorDown = 0x4B2F08;
  TColor FColorDownTo = 0xADB514;
  TColor FColorHot = 0x9F6F1C;
  TColor FColorHotTo = 0xD5C244;
  TColor FColorCheckedTo = 0xF9BDA0;
  TColor FColorDisabled = 0xF2F2F2;
  TColor FColorDisabledTo = 0xF2F2F2;
  TColor FColorChecked = 0xF5D8CA;
  std::unique_ptr<TFont> FFont;
  TColor FShineColor = 0xFFFFFF;
  TColor FGlowColorHot = 0xD5C244;
  TColor FGlowColorDown = 0xD5C244;
  TColor FTextColor = 0x000000;
  TColor FSpecialTextColor = 0x000080;
};

// A glossy key over R drawn with GDI+ on the canvas: a gradient lower half, a shine over the
// upper half, a white highlight line, an inner frame, the border and, unless GlowColor is clNone,
// a translucent glow reaching up to 8 pixels outside R.
void DrawGlossyButton(TCanvas* Canvas, TRect R, TColor BorderColor, TColor InnerBorderColor, TColor Color,
                      TColor ColorTo, TColor GlowColor, TColor ShineColor);

class TCustomButtonPanel : public TCustomControl {
  ZELK_CLASS(TCustomButtonPanel, TCustomControl)
public:
  explicit TCustomButtonPanel(TComponent* AOwner);
  ~TCustomButtonPanel() override;

  TCalcButtonItems* GetButtons() const { return FButtons.get(); }
  void SetButtons(TCalcButtonItems* Value) { FButtons->Assign(Value); }
  TButtonAppearance* GetButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  TItemLayout GetButtonLayout() const { return FButtonLayout; }
  void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
  TButtonPanelType GetButtonPanelType() const { return FButtonPanelType; }
  void SetButtonPanelType(TButtonPanelType Value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TSelectionColorStyle GetItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
  TWinControl* GetEdit() const { return FEdit; }
  void SetEdit(TWinControl* Value);
  TNeoCustomDropDown* GetNeoDropDown() const { return FNeoDropDown; }
  // Links the drop-down: a linked panel leaves repainting on changes to it.
  void SetNeoDropDown(TNeoCustomDropDown* Value) { FNeoDropDown = Value; }

  Integer GetButtonHot() const { return FButtonHot; }
  Integer GetButtonDown() const { return FButtonDown; }
  // Both ignore the current index and a disabled key; the old key is invalidated with its
  // surroundings, the new one drawn at once.
  void SetButtonHot(Integer Index);
  void SetButtonDown(Integer Index);
  Integer ButtonAtPos(Integer X, Integer Y);
  // (-1, -1, -1, -1) for an invalid index.
  TRect GetButtonRect(Integer Index);
  Integer GetOffSetX() const { return FOffSetX; }
  Integer GetOffSetY() const { return FOffSetY; }

  TCalculatorButtonClickEvent OnButtonClick;

  // The operations a keypad may override, in this order.
  virtual void DrawButton(Integer Index, TCanvas* Canvas);
  virtual TRect GetButtonArea();
  // The largest image and one-line caption over all keys, with the key padding and caption gap.
  virtual TSize GetButtonSize();
  virtual void ClearButtons();
  virtual void ResetButtons();
  // The 28 calculator keys when there are none and the type is plCalculator; then ArrangeButtons.
  virtual void CreateDefaultButtons();
  virtual void ArrangeButtons();
  // The key's rectangle grown by 8 pixels on every side (and the anti-aliased edge beyond its
  // right and bottom), for its glow.
  virtual void InvalidateButton(Integer Index);
  virtual void DoButtonClick(Integer Index);

  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DrawButtons(TCanvas* Canvas);

private:
  bool IsValidIndex(Integer Index) const { return Index >= 0 && Index < FButtons->GetCount(); }
  bool IsDisabledKey(Integer Index) const { return IsValidIndex(Index) && !FButtons->GetItems(Index)->GetEnabled(); }
  // The shared step of SetButtonHot and SetButtonDown.
  void MoveMark(Integer& Field, Integer Index);
  TSize ImageSizeOf(TCalcButtonItem* Key) const;
  void DrawKeyContent(TCalcButtonItem* Key, TRect R, TCanvas* Canvas);
  void Changed(TObject* Sender);

  std::unique_ptr<TCalcButtonItems> FButtons;
  TItemLayout FButtonLayout = ilCaptionRight;
  TSelectionColorStyle FItemColorStyle = scCustom;
  Integer FButtonHot = -1;
  Integer FOffSetX = 8;
  Integer FOffSetY = 8;
  Integer FButtonOffSetX = 4;
  Integer FButtonOffSetY = 4;
  TCustomImageList* FImages = nullptr;
  Integer FCaptionGap = 0;
  TWinControl* FEdit = nullptr;
  TButtonPanelType FButtonPanelType = plCalculator;
  std::unique_ptr<TButtonAppearance> FButtonAppearance;
  Integer FButtonDown = -1;
  TNeoCustomDropDown* FNeoDropDown = nullptr;
};

// Publishes the keys' and the appearance's properties (once).
void RegisterNeoButtonPanelRtti();
