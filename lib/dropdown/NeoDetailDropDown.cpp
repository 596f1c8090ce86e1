#include "lib/dropdown/NeoDetailDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

namespace {

bool IsNavigationKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Items

TDetailItem::TDetailItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TDetailItem::~TDetailItem() = default;

void TDetailItem::Changed() {
  if (auto* items = dynamic_cast<TDetailItems*>(GetCollection())) items->DoChange();
}

void TDetailItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void TDetailItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TDetailItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDetailItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FTag = s->FTag;
  FItemObject = s->FItemObject;
}

Integer TDetailItems::IndexOf(const String& Value) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetItems(i)->GetCaption() == Value) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Construction

TNeoDetailDropDown::TNeoDetailDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner),
      FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FSearch(this),
      FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()) {
  RegisterNeoDetailDropDownRtti();
  FItems->OnChange = [](TObject*) {};
  FCaptionFont->Assign(GetFont());
  FNotesFont->Assign(GetFont());
  SetAutoSize(false);
  SetEditorEnabled(true);
  SetDropDownEnabled(true);
  // The base constructor built the popup before this class existed: add the list now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TNeoDetailDropDown::~TNeoDetailDropDown() {
  if (FItemSelector) {
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->OnDrawItem = nullptr;
    FItemSelector->OnItemSize = nullptr;
    FItemSelector->OnResize = nullptr;
  }
}

void TNeoDetailDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (!FItems) return;   // the base constructor's call
  if (!FItemSelector) {
    FItemSelector = new TNeoCustomItemSelector(this);
    if (FDropDownForm) FItemSelector->SetParent(FDropDownForm);
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetLeft(0);
    FItemSelector->SetTop(0);
    FItemSelector->SetHeight(150);
    FItemSelector->SetDoubleBuffered(true);
    FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
      DrawDetailItem(Canvas, R, Index);
    };
    FItemSelector->OnItemSize = [this](TObject*, TSize& Size) { GetDetailItemSize(Size); };
    FItemSelector->UpdateSelectorPanel();
    FItemSelector->OnResize = [this](TObject*) { FItemSelector->UpdateSelectorPanel(); };
  }
  FItemSelector->SetColor(GetDropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TNeoDetailDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FItemSelector) FItemSelector = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Selection

void TNeoDetailDropDown::SetItemIndex(Integer Value) {
  if (Value == FItemIndex) return;
  if (Value >= 0 && Value < FItems->GetCount()) {
    FItemIndex = Value;
    const String caption = FItems->GetItems(Value)->GetCaption();
    SetText(caption);
    Perform(EM_SETSEL, 0, static_cast<LPARAM>(caption.size()));
    Invalidate();
    if (FItemSelector) FItemSelector->Invalidate();
    if (OnSelect) OnSelect(this);
  } else if (Value == -1) {
    FItemIndex = -1;
    SetText(String());
  }
}

void TNeoDetailDropDown::SelectStep(TSelectStep Step) {
  const Integer target = SelectStepTarget(Step, FItemIndex, FItems->GetCount());
  if (target >= 0) SetItemIndex(target);
}

bool TNeoDetailDropDown::PopupOpen() const {
  return FDroppedDown && FDropDownForm && FDropDownForm->GetVisible();
}

void TNeoDetailDropDown::SelectorItemSelect() {
  const Integer index = FItemSelector->GetItemIndex();
  if (index < 0 || index >= FItems->GetCount()) return;
  SetItemIndex(index);
  const String caption = FItems->GetItems(index)->GetCaption();
  SetText(caption);
  Perform(EM_SETSEL, 0, static_cast<LPARAM>(caption.size()));
  if (!FInternalCall) DoHideDropDown(false);
}

void TNeoDetailDropDown::SelectorStep(Integer Delta) {
  const Integer current = FItemSelector->GetItemIndex();
  const Integer index = current < 0 ? 0 : current + Delta;
  if (index >= 0) SelectInSelector(FItemSelector, index, FInternalCall);
  Invalidate();
}

void TNeoDetailDropDown::WheelStep(bool Down) {
  if (!PopupOpen() || !FItemSelector) {
    SelectStep(Down ? TSelectStep::Next : TSelectStep::Previous);
    return;
  }
  SelectorStep(Down ? 1 : -1);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoDetailDropDown::FillSelector() {
  TSelectorItems* items = FItemSelector->GetItems();
  items->BeginUpdate();
  items->Clear();
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    TDetailItem* d = FItems->GetItems(i);
    TSelectorItem* s = items->Add();
    s->SetCaption(d->GetCaption());
    s->SetImage(d->GetImage());
    s->SetImageIndex(d->GetImageIndex());
  }
  items->EndUpdate();
  FItemSelector->UpdateSelectorPanel();
}

void TNeoDetailDropDown::PrepareSelector() {
  if (!FItemSelector) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(1);
  FItemSelector->SetImages(GetImages());
  FItemSelector->SetItemLayout(FLayout);
  FItemSelector->SetColor(GetDropDownColor());
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FillSelector();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
}

void TNeoDetailDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  PrepareSelector();
  FOldItemIndex = FItemIndex;
}

void TNeoDetailDropDown::UpdateDropDownSize() {
  if (FItemSelector) {
    FItemSelector->SetAlign(alNone);
    if (GetDropDownWidth() <= 0) FItemSelector->SetWidth(GetWidth());
    if (GetDropDownHeight() <= 0) FItemSelector->SetHeight(100);
  }
  inherited::UpdateDropDownSize();
}

void TNeoDetailDropDown::DoShowDropDown() {
  inherited::DoShowDropDown();
  if (PopupOpen() && FItemSelector && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TNeoDetailDropDown::DoHideDropDown(bool Cancel) {
  // Only a popup that was open has an index to go back to; Esc in the closed edit keeps it.
  const bool wasOpen = PopupOpen();
  inherited::DoHideDropDown(Cancel);
  if (Cancel && wasOpen && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TNeoDetailDropDown::GetDetailItemSize(TSize& Size) {
  const Integer width = GetDropDownWidth() > 0 ? GetDropDownWidth() : (FDropDownForm ? FDropDownForm->GetWidth() : GetWidth());
  const UINT ppi = ControlPixelsPerInch(this);
  Integer w = width - 2 * GetSystemMetricsForDpi(SM_CXBORDER, ppi) - 4;
  if (FItemSelector && FItemSelector->GetVertScrollBar()->IsScrollBarVisible())
    w -= GetSystemMetricsForDpi(SM_CXVSCROLL, ppi);
  Size = TSize{w, FItemHeight};
}

void TNeoDetailDropDown::DrawDetailItem(TCanvas* Canvas, TRect R, Integer Index) {
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, Canvas, R);
    return;
  }
  if (Index < 0 || Index >= FItems->GetCount()) return;
  TDetailItem* item = FItems->GetItems(Index);
  const bool centred = item->GetCaption().empty();
  auto placeImage = [&](Integer W, Integer H) {
    const Integer x = centred ? R.left + (R.right - R.left - W) / 2 : R.left + 2;
    const TPoint at{x, AlignedTop(FImageVAlign, R, H)};
    R.left += W + 4;
    return at;
  };
  if (HasGraphic(item->GetImage())) {
    TGraphic* g = item->GetImage()->GetGraphic();
    if (auto* bitmap = dynamic_cast<TBitmap*>(g)) bitmap->SetTransparentMode(tmAuto);
    g->SetTransparent(true);
    const TPoint at = placeImage(g->GetWidth(), g->GetHeight());
    Canvas->Draw(at.x, at.y, g);
  } else if (TCustomImageList* images = GetImages(); images && item->GetImageIndex() >= 0) {
    const TPoint at = placeImage(images->GetWidth(), images->GetHeight());
    images->Draw(Canvas, at.x, at.y, item->GetImageIndex(), true);
  }
  auto textColour = [&](TFont* Font) {
    Canvas->GetFont()->Assign(Font);
    if (FItemSelector && Index == FItemSelector->GetItemHot())
      Canvas->GetFont()->SetColor(FItemAppearance->GetColorHotText());
    if (Index == FItemIndex) Canvas->GetFont()->SetColor(FItemAppearance->GetColorSelectedText());
  };
  textColour(FCaptionFont.get());
  Canvas->GetBrush()->SetStyle(bsClear);
  R = TRect{R.left + 4, R.top + 2, R.right - 4, R.bottom};
  RECT text = R;
  DrawText(Canvas->GetHandle(), item->GetCaption().c_str(), static_cast<int>(item->GetCaption().size()), &text,
           DT_END_ELLIPSIS);
  if (item->GetNotes().empty()) return;
  R.top += Canvas->TextHeight(u"gh");
  textColour(FNotesFont.get());
  TPoint size{};
  DrawHTMLItemText(Canvas, item->GetNotes(), R, size, FItemSelector ? FItemSelector->GetHandle() : nullptr, true,
                   GetImages());
}

// ---------------------------------------------------------------------------------------------
// Styles

void TNeoDetailDropDown::SetComponentStyle(TNeoStyle AStyle) {
  inherited::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TNeoDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  inherited::SetSelectionColorStyle(Value);
  if (FItemAppearance) FItemAppearance->SetColorStyle(Value);
}

// ---------------------------------------------------------------------------------------------
// Keys and autocompletion

bool TNeoDetailDropDown::NavigationKey(Word Key) {
  if (!GetEnabled() || AltDown()) return false;
  const bool open = PopupOpen();
  TNeoCustomItemSelector* s = FItemSelector;
  switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
      if (s) {
        if (s->GetItems()->GetCount() != FItems->GetCount()) FillSelector();
        const Integer target = PageTarget(s, Key == VK_NEXT, FItems->GetCount());
        if (target >= 0) SelectInSelector(s, target, FInternalCall);
      }
      break;
    case VK_END:
    case VK_HOME:
      if (open && s) {
        TInternalCall internal(FInternalCall);
        if (Key == VK_END) s->SelectLast();
        else s->SelectFirst();
      } else if (!open && !GetEditorEnabled()) {
        SelectStep(Key == VK_END ? TSelectStep::Last : TSelectStep::First);
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (open && s && !GetEditorEnabled()) {
        TInternalCall internal(FInternalCall);
        if (Key == VK_LEFT) s->SelectPrevious();
        else s->SelectNext();
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (open && s) SelectorStep(Key == VK_DOWN ? 1 : -1);
      else SelectStep(Key == VK_DOWN ? TSelectStep::Next : TSelectStep::Previous);
      break;
    default:
      // Type-ahead picks items of a pick-only edit; typing into an editable one completes the
      // text instead (a search would replace the text being typed with another caption).
      if (!CtrlDown() && !GetEditorEnabled() && s && FSearch.AddKey(Key)) {
        TInternalCall internal(FInternalCall);
        s->LookupItem(FSearch.GetText());
      }
      break;
  }
  return open && IsNavigationKey(Key);
}

void TNeoDetailDropDown::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN && !IsDesignTime() && NavigationKey(static_cast<Word>(Message.WParam))) {
    Message.WParam = 0;
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TNeoDetailDropDown::Change() {
  FItemChange = false;
  inherited::Change();
  if (IsDesignTime() || GetComponentState().Contains(csDesigning) || !FWorkMode) return;
  const String text = GetText();
  SetModified(text != FOldValue);
  const String typed = text.substr(0, static_cast<std::size_t>(std::max(0, GetSelStart())));
  const String key = CaseFold(typed, FMatchCase);
  // An empty text begins every caption: it completes nothing (else setting the text, which puts
  // the caret at 0, would complete to the first item).
  if (!key.empty()) {
    for (Integer i = 0; i < FItems->GetCount(); ++i) {
      const String& caption = FItems->GetItems(i)->GetCaption();
      if (!CaseFold(caption, FMatchCase).starts_with(key)) continue;
      const String completed = text.substr(0, key.size()) + Copy(caption, static_cast<Integer>(key.size()) + 1, 255);
      FItemIndex = i;
      FItemIdx = i;
      FItemSel = static_cast<Integer>(key.size());
      FItemChange = true;
      SetText(completed);
      Perform(EM_SETSEL, static_cast<WPARAM>(completed.size()), static_cast<LPARAM>(key.size()));
      return;
    }
  }
  if (typed.empty()) return;
  SetText(typed);
  Perform(EM_SETSEL, static_cast<WPARAM>(typed.size()), static_cast<LPARAM>(typed.size()));
}

void TNeoDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->GetCount() == 0) {
    inherited::KeyDown(Key, Shift);
    return;
  }
  const Word key = Key;
  switch (key) {
    case VK_BACK:
    case VK_ESCAPE:
    case VK_DELETE: FWorkMode = false; break;
    case VK_RETURN:
      if (const Integer idx = FItems->IndexOf(GetText()); idx >= 0) {
        SetText(FItems->GetItems(idx)->GetCaption());
        SetItemIndex(idx);
        Change();
      }
      break;
    default: FWorkMode = true; break;
  }
  inherited::KeyDown(Key, Shift);
  if (key == VK_ESCAPE)
    if (const Integer idx = FItems->IndexOf(GetText()); idx >= 0) SetItemIndex(idx);
}

void TNeoDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
  inherited::KeyUp(Key, Shift);
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  FItemChange = false;
}
