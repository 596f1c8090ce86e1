#pragma once
// What a dropdown's popup header and footer look like and carry: their appearance objects (colours,
// caption, image, size, buttons) and the button collections. These are data: the header and footer
// controls read them when the popup is built.
//
// Change notification is deliberately narrow: of the appearances' own properties only Visible (and
// the footer's Caption) fire OnChange; a button's Caption, Enabled and Width fire its collection's
// OnChange; every other property is stored silently.
#include <memory>

#include "lib/dropdown/NeoButtonAppearance.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"

enum TButtonAlignment { baLeft, baRight };

// A push button of the header.
class THeaderButton : public TCollectionItem {
  ZELK_CLASS(THeaderButton, TCollectionItem)
public:
  explicit THeaderButton(TCollection* ACollection) : TCollectionItem(ACollection) {}
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // 0: as wide / high as the caption and image need.
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  void Assign(TPersistent* Source) override;

protected:
  // The owning collection's OnChange, with the collection as sender.
  void Changed();

private:
  String FCaption;
  Integer FImageIndex = -1;
  bool FEnabled = true;
  Integer FWidth = 0;
  Integer FHeight = 0;
};

// A push button of the footer: a header button that may also close the popup with a result.
class TFooterButton : public THeaderButton {
  ZELK_CLASS(TFooterButton, THeaderButton)
public:
  explicit TFooterButton(TCollection* ACollection) : THeaderButton(ACollection) {}
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Assign(TPersistent* Source) override;

private:
  TModalResult FModalResult = mrNone;
};

// The buttons of a header or footer, with the owner they belong to and a change event.
class TNeoButtonCollection : public TOwnedCollection {
  ZELK_CLASS(TNeoButtonCollection, TOwnedCollection)
public:
  TNeoButtonCollection(TPersistent* AOwner, TClass ItemClass) : TOwnedCollection(AOwner, ItemClass) {}
  TNotifyEvent OnChange;
  void DoChange() {
    if (OnChange) OnChange(this);
  }
};

class THeaderButtons : public TNeoButtonCollection {
  ZELK_CLASS(THeaderButtons, TNeoButtonCollection)
public:
  explicit THeaderButtons(TPersistent* AOwner) : TNeoButtonCollection(AOwner, THeaderButton::StaticClass()) {}
  THeaderButton* Add() { return static_cast<THeaderButton*>(TCollection::Add()); }
  THeaderButton* Insert(Integer Index) { return static_cast<THeaderButton*>(TCollection::Insert(Index)); }
  THeaderButton* GetItems(Integer Index) const { return static_cast<THeaderButton*>(GetItem(Index)); }
  void SetItems(Integer Index, THeaderButton* Value) { SetItem(Index, Value); }
};

class TFooterButtons : public TNeoButtonCollection {
  ZELK_CLASS(TFooterButtons, TNeoButtonCollection)
public:
  explicit TFooterButtons(TPersistent* AOwner) : TNeoButtonCollection(AOwner, TFooterButton::StaticClass()) {}
  TFooterButton* Add() { return static_cast<TFooterButton*>(TCollection::Add()); }
  TFooterButton* Insert(Integer Index) { return static_cast<TFooterButton*>(TCollection::Insert(Index)); }
  TFooterButton* GetItems(Integer Index) const { return static_cast<TFooterButton*>(GetItem(Index)); }
  void SetItems(Integer Index, TFooterButton* Value) { SetItem(Index, Value); }
};

// The properties a header and a footer share. Buttons is created by the concrete class.
class TPopupStripAppearance : public TPersistent {
  ZELK_CLASS(TPopupStripAppearance, TPersistent)
public:
  ~TPopupStripAppearance() override;
  TPersistent* GetOwner() const override { return FOwner; }

  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);   // notifies a change
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { FHeight = Value; }
  Integer GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value) { FImageIndex = Value; }
  const String& GetCaption() const { return FCaption; }
  virtual void SetCaption(const String& Value) { FCaption = Value; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  TColor GetColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value) { FColorTo = Value; }
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TGradientDirection GetGradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TGradientDirection Value) { FGradientDirection = Value; }
  TButtonAlignment GetButtonAlignment() const { return FButtonAlignment; }
  void SetButtonAlignment(TButtonAlignment Value) { FButtonAlignment = Value; }
  TNeoButtonCollection* GetButtonCollection() const { return FButtons.get(); }

  // Only the colours, the font and the gradient direction of another appearance of the same kind.
  void AssignColors(TPopupStripAppearance* Source);

  TNotifyEvent OnChange;
  TNotifyEvent OnButtonsChanged;

protected:
  TPopupStripAppearance(TPersistent* AOwner, std::unique_ptr<TNeoButtonCollection> AButtons);
  void Changed();
  // The properties both kinds copy in Assign (Visible through its setter).
  void AssignCommon(TPopupStripAppearance* Source);

private:
  TPersistent* FOwner;
  bool FVisible = true;
  Integer FHeight = 22;
  Integer FBorderWidth = 1;
  Integer FImageIndex = -1;
  String FCaption;
  TColor FColorTo = static_cast<TColor>(0xFFFFFF);
  TColor FColor = static_cast<TColor>(0xC0C0C0);
  TColor FBorderColor = 0;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TNeoButtonCollection> FButtons;
  TGradientDirection FGradientDirection = gdVertical;
  TButtonAlignment FButtonAlignment = baRight;
};

class THeaderAppearance : public TPopupStripAppearance {
  ZELK_CLASS(THeaderAppearance, TPopupStripAppearance)
public:
  explicit THeaderAppearance(TPersistent* AOwner);
  THeaderButtons* GetButtons() const { return static_cast<THeaderButtons*>(GetButtonCollection()); }
  void SetButtons(THeaderButtons* Value) { GetButtons()->Assign(Value); }
  // From another header appearance; any other source is ignored.
  void Assign(TPersistent* Source) override;
};

class TFooterAppearance : public TPopupStripAppearance {
  ZELK_CLASS(TFooterAppearance, TPopupStripAppearance)
public:
  explicit TFooterAppearance(TPersistent* AOwner);
  TFooterButtons* GetButtons() const { return static_cast<TFooterButtons*>(GetButtonCollection()); }
  void SetButtons(TFooterButtons* Value) { GetButtons()->Assign(Value); }
  void SetCaption(const String& Value) override;   // notifies a change
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  // From another footer appearance; any other source is ignored.
  void Assign(TPersistent* Source) override;

private:
  bool FSizeGrip = true;
};
