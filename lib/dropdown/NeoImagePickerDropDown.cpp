#include "lib/dropdown/NeoImagePickerDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/FileSearch.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

// ---------------------------------------------------------------------------------------------
// Items

TImageItem::TImageItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::Changed() {
  if (auto* items = dynamic_cast<TImageItems*>(GetCollection())) items->DoChange();
}

void TImageItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void TImageItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TImageItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TImageItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---------------------------------------------------------------------------------------------
// Construction

TNeoImagePickerDropDown::TNeoImagePickerDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner),
      FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FSearch(this) {
  RegisterNeoImagePickerDropDownRtti();
  FItems->OnChange = [](TObject*) {};
  SetAutoSize(false);
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetCursor(crArrow);
  // The base constructor built the popup before this class existed: add the grid now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TNeoImagePickerDropDown::~TNeoImagePickerDropDown() {
  if (FItemSelector) {
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->OnDrawItem = nullptr;
  }
}

void TNeoImagePickerDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (!FItems) return;   // the base constructor's call
  if (!FItemSelector) {
    FItemSelector = new TNeoCustomItemSelector(this);
    if (FDropDownForm) FItemSelector->SetParent(FDropDownForm);
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetLeft(0);
    FItemSelector->SetTop(0);
    FItemSelector->SetHeight(150);
  }
  FItemSelector->SetColor(GetDropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TNeoImagePickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FItemSelector) FItemSelector = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Selection

void TNeoImagePickerDropDown::SetItemIndex(Integer Value) {
  // Every negative index means "none".
  if (Value < 0) Value = -1;
  if (Value == FItemIndex || Value >= FItems->GetCount()) return;
  FItemIndex = Value;
  Invalidate();
  if (OnChange) OnChange(this);
  if (OnSelect) OnSelect(this);
}

Integer TNeoImagePickerDropDown::GetImageIndex() const {
  return FItemIndex < 0 ? -1 : FItems->GetItems(FItemIndex)->GetImageIndex();
}

void TNeoImagePickerDropDown::SetImageIndex(Integer Value) {
  for (Integer i = 0; i < FItems->GetCount(); ++i)
    if (FItems->GetItems(i)->GetImageIndex() == Value) {
      SetItemIndex(i);
      return;
    }
  SetItemIndex(-1);
}

void TNeoImagePickerDropDown::SelectStep(TSelectStep Step) {
  const Integer target = SelectStepTarget(Step, FItemIndex, FItems->GetCount());
  if (target >= 0) SetItemIndex(target);
}

bool TNeoImagePickerDropDown::PopupOpen() const {
  return FDroppedDown && FDropDownForm && FDropDownForm->GetVisible();
}

void TNeoImagePickerDropDown::SelectorItemSelect() {
  SetItemIndex(FItemSelector->GetItemIndex());
  if (!FInternalCall) DoHideDropDown(false);
}

void TNeoImagePickerDropDown::WheelStep(bool Down) {
  if (!GetEnabled() || GetReadOnly() || !FItemSelector) return;
  if (PopupOpen()) {
    if (Down) FItemSelector->HotNext();
    else FItemSelector->HotPrevious();
    return;
  }
  TInternalCall internal(FInternalCall);
  if (Down) FItemSelector->SelectNext();
  else FItemSelector->SelectPrevious();
}

// ---------------------------------------------------------------------------------------------
// Adding items

void TNeoImagePickerDropDown::AddImagesFromImageList() {
  TCustomImageList* images = GetImages();
  if (!images) return;
  for (Integer i = 0; i < images->GetCount(); ++i) FItems->Add()->SetImageIndex(i);
}

void TNeoImagePickerDropDown::AddImageFile(const String& FileName, bool SetImageCaption) {
  TImageItem* item = FItems->Add();
  try {
    item->GetImage()->LoadFromFile(FileName);
    if (SetImageCaption) item->SetCaption(ExtractFileName(FileName));
  } catch (...) {
    // Whatever failed (no such file, a folder, a damaged picture), the item stays, empty.
    item->GetImage()->SetGraphic(nullptr);
  }
}

void TNeoImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
  const String folder = ExtractFilePath(AFolder);
  TSearchRec found;
  if (FindFirst(AFolder, 255, found) != 0) return;
  do AddImageFile(folder + found.Name, SetImageCaption);
  while (FindNext(found) == 0);
  FindClose(found);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoImagePickerDropDown::FillSelector() {
  TSelectorItems* items = FItemSelector->GetItems();
  items->BeginUpdate();
  items->Clear();
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    TImageItem* m = FItems->GetItems(i);
    TSelectorItem* s = items->Add();
    s->SetCaption(m->GetCaption());
    s->SetImage(m->GetImage());
    s->SetImageIndex(m->GetImageIndex());
    s->SetHint(m->GetHint());
  }
  items->EndUpdate();
  FItemSelector->UpdateSelectorPanel();
}

void TNeoImagePickerDropDown::PrepareSelector() {
  if (!FItemSelector) return;
  FItemSelector->OnItemSelect = nullptr;
  FItemSelector->SetColumns(FColumns);
  FItemSelector->SetImages(GetImages());
  FItemSelector->SetItemLayout(FLayout);
  FItemSelector->SetColor(GetDropDownColor());
  FItemSelector->SetItemAppearance(FItemAppearance.get());
  FillSelector();
  FItemSelector->SetItemIndex(FItemIndex);
  FItemSelector->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
  FItemSelector->SetShowHint(GetShowHint());
}

void TNeoImagePickerDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  PrepareSelector();
  if (FItemSelector) {
    if (OnDrawItem)
      FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
        if (OnDrawItem) OnDrawItem(this, Canvas, R, Index);
      };
    else
      FItemSelector->OnDrawItem = nullptr;
  }
  FOldItemIndex = FItemIndex;
}

void TNeoImagePickerDropDown::UpdateDropDownSize() {
  if (!FItemSelector) {
    inherited::UpdateDropDownSize();
    return;
  }
  FItemSelector->SetAlign(alNone);
  const TSize panel = FItemSelector->GetPanelSize();
  if (GetDropDownWidth() < 1) FItemSelector->SetWidth(panel.cx + 4);
  if (GetDropDownHeight() < 1) FItemSelector->SetHeight(panel.cy + 4);
  inherited::UpdateDropDownSize();
  if (FDropDownForm && FItemSelector->GetVertScrollBar()->IsScrollBarVisible())
    FDropDownForm->SetWidth(FDropDownForm->GetWidth() + GetSystemMetricsForDpi(SM_CXVSCROLL, ControlPixelsPerInch(this)));
}

void TNeoImagePickerDropDown::DoHideDropDown(bool Cancel) {
  // Only a popup that was open has an index to go back to; Esc on the closed edit keeps it.
  const bool wasOpen = PopupOpen();
  inherited::DoHideDropDown(Cancel);
  if (Cancel && wasOpen) SetItemIndex(FOldItemIndex);
}

// ---------------------------------------------------------------------------------------------
// Styles

void TNeoImagePickerDropDown::SetComponentStyle(TNeoStyle AStyle) {
  inherited::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TNeoImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  inherited::SetSelectionColorStyle(Value);
  if (FItemAppearance) FItemAppearance->SetColorStyle(Value);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TNeoImagePickerDropDown::PaintSelectedImage() {
  if (!HandleAllocated()) return;
  const bool custom = static_cast<bool>(OnDrawSelectedImage);
  if (!custom && FItemIndex < 0) return;
  HDC dc = GetDC(GetHandle());
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    const TRect r = GetEditRect();
    auto centred = [&](Integer W, Integer H) {
      return TPoint{r.left + (r.right - r.left - W) / 2, r.top + (r.bottom - r.top - H) / 2};
    };
    if (custom) {
      OnDrawSelectedImage(this, &canvas, r);
    } else if (TImageItem* item = FItems->GetItems(FItemIndex); HasGraphic(item->GetImage())) {
      TGraphic* g = item->GetImage()->GetGraphic();
      const TPoint at = centred(g->GetWidth(), g->GetHeight());
      canvas.Draw(at.x, at.y, g);
    } else if (TCustomImageList* images = GetImages(); images && item->GetImageIndex() >= 0) {
      const TPoint at = centred(images->GetWidth(), images->GetHeight());
      images->Draw(&canvas, at.x, at.y, item->GetImageIndex(), true);
    }
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TNeoImagePickerDropDown::TakeHotItem(Word Key) {
  if (Key != VK_RETURN || !GetEnabled() || !PopupOpen() || !FItemSelector) return false;
  const Integer hot = FItemSelector->GetItemHot();
  if (hot < 0) return false;
  FItemSelector->SetItemIndex(hot);
  return true;
}

void TNeoImagePickerDropDown::NavigationKey(Word Key, bool Handled) {
  if (!GetEnabled() || AltDown()) return;
  const bool open = PopupOpen() && FItemSelector;
  TNeoCustomItemSelector* s = FItemSelector;
  switch (Key) {
    case VK_RETURN:
      if (!Handled && OnSelect) OnSelect(this);
      break;
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
      if (open) {
        TInternalCall internal(FInternalCall);
        if (Key == VK_END) s->SelectLast();
        else s->SelectFirst();
      } else {
        SelectStep(Key == VK_END ? TSelectStep::Last : TSelectStep::First);
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (open && !GetEditorEnabled()) {
        TInternalCall internal(FInternalCall);
        if (Key == VK_LEFT) s->SelectPrevious();
        else s->SelectNext();
      }
      break;
    case VK_UP:
    case VK_DOWN:
      if (open) {
        const Integer current = s->GetItemIndex();
        const Integer index = current < 0 ? 0 : current + (Key == VK_DOWN ? FColumns : -FColumns);
        if (index >= 0) SelectInSelector(s, index, FInternalCall);
      } else {
        SelectStep(Key == VK_DOWN ? TSelectStep::Next : TSelectStep::Previous);
      }
      break;
    default:
      if (!CtrlDown() && s && FSearch.AddKey(Key)) {
        TInternalCall internal(FInternalCall);
        s->LookupItem(FSearch.GetText());
      }
      break;
  }
}

void TNeoImagePickerDropDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      if (IsDesignTime()) break;
      const auto key = static_cast<Word>(Message.WParam);
      const bool handled = TakeHotItem(key);
      inherited::Dispatch(Message);
      NavigationKey(key, handled);
      return;
    }
    case WM_PAINT:
      inherited::Dispatch(Message);
      PaintSelectedImage();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}
