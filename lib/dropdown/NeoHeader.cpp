#include "lib/dropdown/NeoHeader.h"

#include <algorithm>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

// ---------------------------------------------------------------------------------------------
// TNeoPopupStrip

TNeoPopupStrip::TNeoPopupStrip(TComponent* AOwner)
    : TCustomControl(AOwner), FButtonList(std::make_unique<TDbgList>()) {
  SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks});
  SetDoubleBuffered(true);
  SetTabStop(false);
}

TNeoPopupStrip::~TNeoPopupStrip() = default;

void TNeoPopupStrip::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TNeoPopupStrip::SetNeoDropDown(TNeoCustomDropDown* Value) {
  FNeoDropDown = Value;
  if (!Value) {
    FImages = nullptr;
    return;
  }
  Value->FreeNotification(this);
  SetImages(Value->GetImages());
  StripAppearance()->Assign(DropDownAppearance());
}

void TNeoPopupStrip::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FNeoDropDown) FNeoDropDown = nullptr;
  FButtonList->Remove(AComponent);
}

void TNeoPopupStrip::AppearanceChanged(TObject*) {
  SetVisible(StripAppearance()->GetVisible());
  SetHeight(StripAppearance()->GetHeight());
}

void TNeoPopupStrip::InitButtons() {
  if (FNeoDropDown) CreateButtons();
}

TRect TNeoPopupStrip::GetButtonArea() {
  TRect r = GetClientRect();
  return TRect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 3};
}

TRect TNeoPopupStrip::GetCaptionRect() {
  TRect r = GetClientRect();
  if (FButtonList->GetCount() > 0) r.right = GetButton(FButtonList->GetCount() - 1)->GetLeft() - 2;
  return r;
}

void TNeoPopupStrip::ClearButtons() {
  for (Integer i = FButtonList->GetCount() - 1; i >= 0; --i) {
    auto* button = static_cast<TNeoButton*>(FButtonList->GetItems(i));
    FButtonList->Delete(i);
    delete button;
  }
  FButtonList->Clear();
}

void TNeoPopupStrip::CreateButtons() {
  if (!FNeoDropDown) return;
  TNeoButtonCollection* definitions = DropDownAppearance()->GetButtonCollection();
  if (!definitions) return;
  ClearButtons();
  const TRect area = GetButtonArea();
  const Integer h = area.bottom - area.top;
  for (Integer i = 0; i < definitions->GetCount(); ++i) {
    auto* definition = static_cast<THeaderButton*>(definitions->GetItem(i));
    auto* button = new TNeoButton(this);
    button->SetParent(this);
    ConfigureButton(button, definition);
    button->SetAppearance(FNeoDropDown->GetButtonAppearance());
    button->SetCaption(definition->GetCaption());
    button->SetImages(FNeoDropDown->GetImages());
    button->SetImageIndex(definition->GetImageIndex());
    button->SetEnabled(definition->GetEnabled());
    button->AdjustToContent();
    if (definition->GetWidth() > 0) button->SetWidth(definition->GetWidth());
    if (definition->GetHeight() > 0) button->SetHeight(definition->GetHeight());
    if (button->GetHeight() > h) button->SetHeight(h);
    button->SetTag(i);
    button->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
    FButtonList->Add(button);
  }
  ArrangeButtons();
}

void TNeoPopupStrip::ArrangeButtons() {
  if (FButtonList->GetCount() == 0) return;
  const TRect area = GetButtonArea();
  const bool right = StripAppearance()->GetButtonAlignment() == baRight;
  Integer x = right ? area.right : area.left;
  for (Integer i = 0; i < FButtonList->GetCount(); ++i) {
    TNeoButton* button = GetButton(i);
    const Integer top = std::max<Integer>(area.top, (area.bottom - button->GetHeight()) / 2);
    if (right) {
      x -= button->GetWidth();
      button->SetBounds(x, top, button->GetWidth(), button->GetHeight());
    } else {
      button->SetBounds(x, top, button->GetWidth(), button->GetHeight());
      x += button->GetWidth();
    }
  }
}

void TNeoPopupStrip::UpdateButtons() {
  if (!FNeoDropDown) return;
  TNeoButtonCollection* definitions = DropDownAppearance()->GetButtonCollection();
  if (!definitions) return;
  for (Integer i = 0; i < FButtonList->GetCount(); ++i) {
    TNeoButton* button = GetButton(i);
    button->SetAppearance(FNeoDropDown->GetButtonAppearance());
    button->SetImages(FImages);
    if (i < definitions->GetCount()) {
      auto* definition = static_cast<THeaderButton*>(definitions->GetItem(i));
      button->SetCaption(definition->GetCaption());
      button->SetImageIndex(definition->GetImageIndex());
      button->SetImages(FNeoDropDown->GetImages());
      button->SetEnabled(definition->GetEnabled());
    }
    button->SetAutoSize(true);
  }
  ArrangeButtons();
}

void TNeoPopupStrip::Paint() {
  TCanvas* canvas = GetCanvas();
  const TRect r = GetClientRect();
  if (OnDrawBackGround) {
    OnDrawBackGround(this, canvas, r);
    return;
  }
  TPopupStripAppearance* a = StripAppearance();
  if (a->GetColorTo() == clNone) {
    if (a->GetColor() != clNone) {
      canvas->GetBrush()->SetStyle(bsSolid);
      canvas->GetBrush()->SetColor(a->GetColor());
      canvas->FillRect(r);
    }
  } else {
    PaintDropDownGradient(canvas, a->GetColor(), a->GetColorTo(), a->GetGradientDirection() == gdHorizontal, r, 80);
  }
  const Integer bw = a->GetBorderWidth();
  if (a->GetBorderColor() != clNone && bw > 0) {
    canvas->GetPen()->SetWidth(bw);
    canvas->GetPen()->SetColor(a->GetBorderColor());
    const bool allSides = !FNeoDropDown || FNeoDropDown->GetDropDownBorderWidth() <= 0 ||
                          FNeoDropDown->GetDropDownBorderColor() == clNone;
    DrawBorderLines(canvas, r, allSides);
    canvas->GetPen()->SetWidth(1);
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetPen()->SetColor(BlendColor(a->GetBorderColor(), clWhite, 20));
    canvas->Rectangle(LightOutline(r, bw));
  }
  TRect t{r.left + bw, r.top + bw, r.right - bw, r.bottom - bw};
  if (a->GetImageIndex() >= 0 && FImages) {
    FImages->Draw(canvas, t.left + 4, t.top + (t.bottom - t.top - FImages->GetHeight()) / 2, a->GetImageIndex(), true);
    t.left += FImages->GetWidth() + 8;
  }
  String text = a->GetCaption();
  if (OnGetText) OnGetText(this, text);
  if (text.empty()) return;
  if (FButtonList->GetCount() > 0) t.right = GetCaptionRect().right;
  canvas->GetFont()->Assign(a->GetFont());
  canvas->GetBrush()->SetStyle(bsClear);
  TPoint size{};
  DrawHTMLItemText(canvas, text, t, size, GetHandle(), false, FImages);
  if (size.y < t.bottom - t.top) t.top += (t.bottom - t.top - size.y) / 2;
  DrawHTMLItemText(canvas, text, t, size, GetHandle(), true, FImages);
}

void TNeoPopupStrip::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == WM_SIZE) ArrangeButtons();
}

// ---------------------------------------------------------------------------------------------
// TNeoHeader

TNeoHeader::TNeoHeader(TComponent* AOwner)
    : TNeoPopupStrip(AOwner), FAppearance(std::make_unique<THeaderAppearance>(AOwner)) {
  FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
  FAppearance->OnButtonsChanged = [](TObject*) {};
}

THeaderButtons* TNeoHeader::GetButtons() const {
  return FNeoDropDown ? FNeoDropDown->GetDropDownHeader()->GetButtons() : nullptr;
}

TPopupStripAppearance* TNeoHeader::DropDownAppearance() const {
  return FNeoDropDown ? FNeoDropDown->GetDropDownHeader() : nullptr;
}

void TNeoHeader::DrawBorderLines(TCanvas* Canvas, TRect R, bool AllSides) {
  Canvas->MoveTo(R.left, R.bottom - 1);
  Canvas->LineTo(R.right, R.bottom - 1);
  if (!AllSides) return;
  Canvas->MoveTo(R.left, R.bottom - 1);
  Canvas->LineTo(R.left, R.top);
  Canvas->LineTo(R.right, R.top);
  Canvas->LineTo(R.right, R.bottom - 1);
}

TRect TNeoHeader::LightOutline(TRect R, Integer BorderWidth) {
  return TRect{R.left, R.top, R.right, R.bottom - BorderWidth};
}

void TNeoHeader::ButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TNeoButton*>(Sender);
  if (button && FNeoDropDown && FNeoDropDown->OnDropDownHeaderButtonClick)
    FNeoDropDown->OnDropDownHeaderButtonClick(FNeoDropDown, static_cast<Integer>(button->GetTag()));
}

// ---------------------------------------------------------------------------------------------
// TNeoFooter

TNeoFooter::TNeoFooter(TComponent* AOwner)
    : TNeoPopupStrip(AOwner), FAppearance(std::make_unique<TFooterAppearance>(AOwner)) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks});
  FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
}

TFooterButtons* TNeoFooter::GetButtons() const {
  return FNeoDropDown ? FNeoDropDown->GetDropDownFooter()->GetButtons() : nullptr;
}

TPopupStripAppearance* TNeoFooter::DropDownAppearance() const {
  return FNeoDropDown ? FNeoDropDown->GetDropDownFooter() : nullptr;
}

bool TNeoFooter::HasSizeGrip() const {
  return FAppearance->GetSizeGrip() && FNeoDropDown && FNeoDropDown->GetDropDownSizeable();
}

TRect TNeoFooter::GetButtonArea() {
  TRect r = GetClientRect();
  TRect area{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
  if (HasSizeGrip()) area.right -= 12;
  return area;
}

void TNeoFooter::ConfigureButton(TNeoButton* Button, TCollectionItem* Definition) {
  Button->SetNeoDropDown(FNeoDropDown);
  Button->SetModalResult(static_cast<TFooterButton*>(Definition)->GetModalResult());
}

void TNeoFooter::DrawBorderLines(TCanvas* Canvas, TRect R, bool AllSides) {
  Canvas->MoveTo(R.left, R.top);
  Canvas->LineTo(R.right, R.top);
  if (!AllSides) return;
  Canvas->MoveTo(R.left, R.top);
  Canvas->LineTo(R.left, R.bottom);
  Canvas->LineTo(R.right, R.bottom);
  Canvas->LineTo(R.right, R.top);
}

TRect TNeoFooter::LightOutline(TRect R, Integer BorderWidth) {
  return TRect{R.left, R.top + BorderWidth, R.right, R.bottom};
}

void TNeoFooter::ButtonClick(TObject* Sender) {
  auto* button = dynamic_cast<TNeoButton*>(Sender);
  if (button && FNeoDropDown && FNeoDropDown->OnDropDownFooterButtonClick)
    FNeoDropDown->OnDropDownFooterButtonClick(FNeoDropDown, static_cast<Integer>(button->GetTag()));
}

void TNeoFooter::Paint() {
  TNeoPopupStrip::Paint();
  if (OnDrawBackGround || !HasSizeGrip()) return;
  const TRect r = GetClientRect();
  const Integer bw = FAppearance->GetBorderWidth();
  DrawSizeGrip(TRect{r.right - bw - 16, 1, r.right - bw - 1, r.bottom});
}

void TNeoFooter::DrawSizeGrip(TRect G) {
  TCanvas* canvas = GetCanvas();
  const Integer l = G.left, b = G.bottom;
  const TPoint dots[] = {{l + 5, b - 2}, {l + 9, b - 2}, {l + 13, b - 2}, {l + 13, b - 6}, {l + 13, b - 10}, {l + 9, b - 6}};
  canvas->GetPen()->SetWidth(1);
  canvas->GetBrush()->SetStyle(bsSolid);
  for (Integer pass = 0; pass < 2; ++pass) {
    const TColor colour = pass == 0 ? clWhite : FAppearance->GetBorderColor();
    canvas->GetPen()->SetColor(colour);
    canvas->GetBrush()->SetColor(colour);
    for (TPoint p : dots) {
      // Each square spans (x, y - 2) .. (x + 2, y); the dark pass sits one pixel up and left.
      const Integer x = p.x - pass, y = p.y - pass;
      canvas->Rectangle(x, y - 2, x + 2, y);
    }
  }
}

bool TNeoFooter::InGripCorner(Integer X, Integer Y) {
  return HasSizeGrip() && GetParent() && X > GetWidth() - 12 && Y > GetHeight() - 15;
}

void TNeoFooter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !InGripCorner(X, Y)) return;
  ReleaseCapture();
  SendMessage(GetParent()->GetHandle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTBOTTOMRIGHT), 0);
}

void TNeoFooter::RestoreCursor() {
  if (Screen->GetCursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TNeoFooter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  if (InGripCorner(X, Y)) Screen->SetCursor(crSizeNWSE);
  else RestoreCursor();
}

void TNeoFooter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  RestoreCursor();
}

void TNeoFooter::Dispatch(TMessage& Message) {
  const bool own = Message.LParam == 0;   // not a child's enter or leave passed up
  if (own && Message.Msg == CM_MOUSEENTER && Screen->GetCursor() != crSizeNWSE) FOldCursor = Screen->GetCursor();
  TNeoPopupStrip::Dispatch(Message);
  if (own && Message.Msg == CM_MOUSELEAVE) RestoreCursor();
}
