#include "lib/dropdown/NeoPopupAppearance.h"

// ---------------------------------------------------------------------------------------------
// Buttons

void THeaderButton::Changed() {
  if (auto* buttons = dynamic_cast<TNeoButtonCollection*>(GetCollection())) buttons->DoChange();
}

void THeaderButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void THeaderButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed();
}

void THeaderButton::SetWidth(Integer Value) {
  if (FWidth == Value) return;
  FWidth = Value;
  Changed();
}

void THeaderButton::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<THeaderButton*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetImageIndex(s->FImageIndex);
  SetEnabled(s->FEnabled);
  SetWidth(s->FWidth);
  SetHeight(s->FHeight);
}

void TFooterButton::Assign(TPersistent* Source) {
  THeaderButton::Assign(Source);
  if (auto* s = dynamic_cast<TFooterButton*>(Source)) FModalResult = s->FModalResult;
}

// ---------------------------------------------------------------------------------------------
// Appearances

TPopupStripAppearance::TPopupStripAppearance(TPersistent* AOwner, std::unique_ptr<TNeoButtonCollection> AButtons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(AButtons)) {
  FButtons->OnChange = [this](TObject*) {
    if (OnButtonsChanged) OnButtonsChanged(this);
  };
}

TPopupStripAppearance::~TPopupStripAppearance() = default;

void TPopupStripAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TPopupStripAppearance::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}

void TPopupStripAppearance::AssignColors(TPopupStripAppearance* Source) {
  if (!Source || Source->ClassType() != ClassType()) return;
  FColorTo = Source->FColorTo;
  FColor = Source->FColor;
  FBorderColor = Source->FBorderColor;
  FFont->Assign(Source->FFont.get());
  FGradientDirection = Source->FGradientDirection;
}

void TPopupStripAppearance::AssignCommon(TPopupStripAppearance* Source) {
  AssignColors(Source);
  FCaption = Source->FCaption;
  FImageIndex = Source->FImageIndex;
  FBorderWidth = Source->FBorderWidth;
  FHeight = Source->FHeight;
  SetVisible(Source->FVisible);
  FButtonAlignment = Source->FButtonAlignment;
  FButtons->Assign(Source->FButtons.get());
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : TPopupStripAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner)) {
  GetFont()->SetName(u"Tahoma");
}

void THeaderAppearance::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<THeaderAppearance*>(Source)) AssignCommon(s);
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : TPopupStripAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner)) {}

void TFooterAppearance::SetCaption(const String& Value) {
  if (GetCaption() == Value) return;
  TPopupStripAppearance::SetCaption(Value);
  Changed();
}

void TFooterAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TFooterAppearance*>(Source);
  if (!s) return;
  AssignCommon(s);
  FSizeGrip = s->FSizeGrip;
}
