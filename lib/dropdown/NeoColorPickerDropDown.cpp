#include "lib/dropdown/NeoColorPickerDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/dropdown/NeoHeader.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Themes.h"
#include "platform/ui/WebColors.h"

namespace {

bool IsListMoveKey(Word Key) {
  return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || Key == VK_UP || Key == VK_DOWN;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colour items

void TColorItem::Changed() {
  if (auto* items = dynamic_cast<TColorItems*>(GetCollection())) items->DoChange();
}

void TColorItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Changed();
}

void TColorItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TColorItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetColor(s->FColor);
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---------------------------------------------------------------------------------------------
// Construction

TNeoColorPickerDropDown::TNeoColorPickerDropDown(TComponent* AOwner)
    : TNeoCustomDropDown(AOwner),
      FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FSearch(this) {
  RegisterNeoColorPickerDropDownRtti();
  FColors->OnChange = [](TObject*) {};
  SetAutoSize(false);
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetDropDownHeight(200);
  GetDropDownHeader()->SetVisible(false);
  GetDropDownFooter()->SetVisible(false);
  SetCursor(crArrow);
  // The base constructor built the popup before this class existed: add the content now.
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
}

TNeoColorPickerDropDown::~TNeoColorPickerDropDown() {
  if (FItemSelector) {
    FItemSelector->OnItemSelect = nullptr;
    FItemSelector->OnDrawItem = nullptr;
  }
  if (FColorSelector) FColorSelector->OnItemSelect = nullptr;
  if (FColorCubePanel) FColorCubePanel->OnSelect = nullptr;
  if (FSpectrumPanel) FSpectrumPanel->OnSelect = nullptr;
}

void TNeoColorPickerDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FItemSelector) FItemSelector = nullptr;
  if (AComponent == FColorSelector) FColorSelector = nullptr;
  if (AComponent == FColorCubePanel) FColorCubePanel = nullptr;
  if (AComponent == FSpectrumPanel) FSpectrumPanel = nullptr;
}

void TNeoColorPickerDropDown::CreateDropDownForm() {
  inherited::CreateDropDownForm();
  if (!FColors) return;   // the base constructor's call
  CreateContentOfStyle();
}

void TNeoColorPickerDropDown::CreateContentOfStyle() {
  switch (FColorSelectionStyle) {
    case csList: CreateItemSelector(); break;
    case csDiscrete: CreateColorSelector(); break;
    case csColorCube: CreateColorCube(); break;
    case csSpectrum: CreateSpectrumPanel(); break;
  }
}

// Each content is made once, owned by the drop-down, on the popup at (0, 0).
template <class T> static T* NewContent(TNeoColorPickerDropDown* Owner, TWinControl* Popup, TColor Color) {
  auto* c = new T(Owner);
  if (Popup) c->SetParent(Popup);
  c->SetLeft(0);
  c->SetTop(0);
  c->SetColor(Color);
  return c;
}

void TNeoColorPickerDropDown::CreateItemSelector() {
  if (!FItemSelector) {
    FItemSelector = NewContent<TNeoCustomItemSelector>(this, FDropDownForm, GetDropDownColor());
    FItemSelector->SetSelectorType(stColor);
    FItemSelector->SetHeight(150);
    FItemSelector->UpdateSelectorPanel();
  }
  SetControl(FItemSelector);
}

void TNeoColorPickerDropDown::CreateColorSelector() {
  if (!FColorSelector) {
    FColorSelector = NewContent<TCustomColorSelector>(this, FDropDownForm, GetDropDownColor());
    FColorSelector->InitDefaultColorBoxes();
    FColorSelector->ArrangeItems();
  }
  SetControl(FColorSelector);
}

void TNeoColorPickerDropDown::CreateColorCube() {
  if (!FColorCubePanel) {
    FColorCubePanel = NewContent<TNeoColorCubePanel>(this, FDropDownForm, GetDropDownColor());
    FColorCubePanel->SetHeight(160);
  }
  SetControl(FColorCubePanel);
}

void TNeoColorPickerDropDown::CreateSpectrumPanel() {
  if (!FSpectrumPanel) FSpectrumPanel = NewContent<TNeoColorSpectrumPanel>(this, FDropDownForm, GetDropDownColor());
  SetControl(FSpectrumPanel);
}

TControl* TNeoColorPickerDropDown::ContentOfStyle() const {
  switch (FColorSelectionStyle) {
    case csList: return FItemSelector;
    case csDiscrete: return FColorSelector;
    case csColorCube: return FColorCubePanel;
    case csSpectrum: return FSpectrumPanel;
  }
  return nullptr;
}

void TNeoColorPickerDropDown::DropDownFormDestroy() {
  inherited::DropDownFormDestroy();
  if (GetComponentState().Contains(csDestroying)) return;
  // The popup frees its children with itself.
  FItemSelector = nullptr;
  FColorCubePanel = nullptr;
  FSpectrumPanel = nullptr;
  FColorSelector = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Colours and selection

void TNeoColorPickerDropDown::AddDefaultColors() {
  struct TNamed {
    const char16_t* Caption;
    unsigned Color;
  };
  static const TNamed defaults[] = {
      {u"Black", 0x000000},  {u"Maroon", 0x000080}, {u"Green", 0x008000},  {u"Olive", 0x008080},
      {u"Navy", 0x800000},   {u"Purple", 0x800080}, {u"Teal", 0x808000},   {u"Gray", 0x808080},
      {u"Silver", 0xC0C0C0}, {u"Red", 0x0000FF},    {u"Lime", 0x00FF00},   {u"Yellow", 0x00FFFF},
      {u"Blue", 0xFF0000},   {u"Fuchsia", 0xFF00FF}, {u"Aqua", 0xFFFF00}, {u"White", 0xFFFFFF}};
  FColors->BeginUpdate();
  FColors->Clear();
  for (const TNamed& d : defaults) {
    TColorItem* item = FColors->Add();
    item->SetCaption(d.Caption);
    item->SetColor(static_cast<TColor>(d.Color));
  }
  FColors->EndUpdate();
}

void TNeoColorPickerDropDown::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) CopyColorsToSelector();
}

void TNeoColorPickerDropDown::CopyColorsToSelector() {
  if (!FItemSelector) return;
  TSelectorItems* items = FItemSelector->GetItems();
  items->BeginUpdate();
  items->Clear();
  for (Integer i = 0; i < FColors->GetCount(); ++i) {
    TColorItem* c = FColors->GetItems(i);
    TSelectorItem* s = items->Add();
    s->SetCaption(c->GetCaption());
    s->SetColor(c->GetColor());
    s->SetHint(c->GetHint());
  }
  items->EndUpdate();
}

void TNeoColorPickerDropDown::SetItemIndex(Integer Value) {
  if (Value >= FColors->GetCount()) return;
  FItemIndex = Value < 0 ? -1 : Value;
  if (FItemIndex >= 0) FSelectedColor = FColors->GetItems(FItemIndex)->GetColor();
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TNeoColorPickerDropDown::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor) return;
  FSelectedColor = Value == clNone ? clNone : static_cast<TColor>(ColorToRGB(Value));
  for (Integer i = 0; i < FColors->GetCount(); ++i) {
    const TColor c = FColors->GetItems(i)->GetColor();
    if (c != clNone && static_cast<TColor>(ColorToRGB(c)) == FSelectedColor) {
      SetItemIndex(i);
      break;
    }
  }
  Invalidate();
}

String TNeoColorPickerDropDown::GetSelectedColorText() {
  if (FColorSelectionStyle == csList && FItemIndex >= 0) return FColors->GetItems(FItemIndex)->GetCaption();
  // No colour has no value to show.
  if (FSelectedColor == clNone) return String();
  const auto value = static_cast<unsigned>(FSelectedColor);
  const auto rgb = static_cast<unsigned>(ColorToRGB(FSelectedColor));
  const Integer r = static_cast<Integer>(rgb & 0xFF), g = static_cast<Integer>((rgb >> 8) & 0xFF),
                b = static_cast<Integer>((rgb >> 16) & 0xFF);
  switch (FColorValueText) {
    case cvtNone: return String();
    case cvtHex: return Format(u"%.6X", {Integer(value)});
    case cvtWebName: return ColorToWebColorName(FSelectedColor);
    case cvtRGB: return Format(u"Red:%d,Green:%d,Blue:%d", {r, g, b});
    case cvtHTML: return Format(u"#%.2X%.2X%.2X", {r, g, b});
  }
  return String();
}

void TNeoColorPickerDropDown::SelectStep(TSelectStep Step) {
  const Integer target = SelectStepTarget(Step, FItemIndex, FColors->GetCount());
  if (target >= 0) SetItemIndex(target);
}

bool TNeoColorPickerDropDown::PopupOpen() const {
  return FDroppedDown && FDropDownForm && FDropDownForm->GetVisible();
}

void TNeoColorPickerDropDown::SelectorItemSelect() {
  SetItemIndex(FItemSelector->GetItemIndex());
  if (!FInternalCall) DoHideDropDown(false);
}

void TNeoColorPickerDropDown::ColorSelectorSelect() {
  SetSelectedColor(FColorSelector->GetSelectedColor());
  SetItemIndex(-1);
  if (!FInternalCall) DoHideDropDown(false);
}

void TNeoColorPickerDropDown::PanelSelect(TColor Color) {
  SetSelectedColor(Color);
  SetItemIndex(-1);
  DoHideDropDown(false);
}

// ---------------------------------------------------------------------------------------------
// The popup

void TNeoColorPickerDropDown::UpdateItemSelector() {
  if (!FItemSelector) return;
  TNeoCustomItemSelector* s = FItemSelector;
  s->OnItemSelect = nullptr;
  s->SetColumns(FColumns);
  s->SetImages(GetImages());
  s->SetItemLayout(FLayout);
  s->SetColor(GetDropDownColor());
  CopyColorsToSelector();
  s->SetColorBoxHeight(FColorBoxHeight);
  s->SetColorBoxWidth(FColorBoxWidth);
  s->SetItemAppearance(FItemAppearance.get());
  s->UpdateSelectorPanel();
  s->SetItemIndex(FItemIndex);
  s->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
  s->SetShowHint(GetShowHint());
}

void TNeoColorPickerDropDown::PrepareContent() {
  CreateContentOfStyle();
  for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
    if (c && c != ContentOfStyle()) c->SetVisible(false);
  switch (FColorSelectionStyle) {
    case csList:
      UpdateItemSelector();
      if (OnDrawColor)
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, Integer Index) {
          if (OnDrawColor) OnDrawColor(this, Canvas, R, Index);
        };
      else
        FItemSelector->OnDrawItem = nullptr;
      FOldItemIndex = FItemIndex;
      break;
    case csDiscrete:
      FColorSelector->SetSelectedColor(FSelectedColor);
      FColorSelector->ArrangeItems();
      FColorSelector->OnItemSelect = [this](TObject*) { ColorSelectorSelect(); };
      FColorSelector->SetItemColorStyle(GetSelectionColorStyle());
      FColorSelector->SetVisible(true);
      break;
    case csColorCube:
      FColorCubePanel->SetSelectedColor(FSelectedColor);
      FColorCubePanel->InitCubeCells();
      FColorCubePanel->ResetHot();
      FColorCubePanel->OnSelect = [this](TObject*) { PanelSelect(FColorCubePanel->GetSelectedColor()); };
      FColorCubePanel->SetVisible(true);
      break;
    case csSpectrum:
      FSpectrumPanel->SetSelectedColor(FSelectedColor);
      FSpectrumPanel->LayoutPanel();
      FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelect(FSpectrumPanel->GetSelectedColor()); };
      FSpectrumPanel->SetVisible(true);
      break;
  }
}

void TNeoColorPickerDropDown::DoBeforeDropDown() {
  inherited::DoBeforeDropDown();
  PrepareContent();
  FOldSelectedColor = FSelectedColor;
}

void TNeoColorPickerDropDown::SizeListPopup() {
  if (!FItemSelector) return;
  FItemSelector->SetAlign(alNone);
  const TSize panel = FItemSelector->GetPanelSize();
  if (GetDropDownWidth() < 1) FItemSelector->SetWidth(panel.cx);
  if (GetDropDownHeight() < 1) FItemSelector->SetHeight(panel.cy);
  inherited::UpdateDropDownSize();
  if (FDropDownForm && FItemSelector->GetVertScrollBar()->IsScrollBarVisible())
    FDropDownForm->SetWidth(FDropDownForm->GetWidth() +
                            GetSystemMetricsForDpi(SM_CXVSCROLL, ControlPixelsPerInch(this)));
}

void TNeoColorPickerDropDown::UpdateDropDownSize() {
  if (!FDropDownForm) return;
  if (!IsPanelStyle()) {
    if (FItemSelector) SizeListPopup();
    else inherited::UpdateDropDownSize();
    return;
  }
  const Integer border = 2 * GetDropDownBorderWidth();
  TControl* content = ContentOfStyle();
  const bool shown = content && content->GetVisible();
  // The panel at its own size for the display's scale, not the size the popup's client area (which
  // the form's own scaling may have enlarged) aligned it to.
  TSize size{0, 0};
  if (auto* panel = dynamic_cast<TNeoCustomColorSelectorPanel*>(content)) {
    const TAlign align = panel->GetAlign();
    panel->SetAlign(alNone);
    panel->LayoutAtDisplayScale();
    size = TSize{panel->GetWidth(), panel->GetHeight()};
    panel->SetAlign(align);
  } else if (content) {
    size = TSize{content->GetWidth(), content->GetHeight()};
  }
  Integer h = border;
  if (GetDropDownHeader()->GetVisible()) h += GetDropDownHeader()->GetHeight();
  if (GetDropDownFooter()->GetVisible()) h += GetDropDownFooter()->GetHeight();
  if (shown) h += size.cy;
  const Integer w = shown ? size.cx + border : GetWidth();
  FDropDownForm->SetBounds(FDropDownForm->GetLeft(), FDropDownForm->GetTop(), w, h);
}

void TNeoColorPickerDropDown::PlaceDropDownControl() {
  inherited::PlaceDropDownControl();
  if (FDropDownForm) FDropDownForm->SetSizeable(!IsPanelStyle() && GetDropDownSizeable());
}

void TNeoColorPickerDropDown::DoHideDropDown(bool Cancel) {
  // Only a popup that was open has a choice to go back to; Esc on the closed edit keeps it.
  const bool wasOpen = PopupOpen();
  inherited::DoHideDropDown(Cancel);
  if (!Cancel || !wasOpen) return;
  if (FColorSelectionStyle == csList) SetItemIndex(FOldItemIndex);
  else if (FColorSelectionStyle == csDiscrete && FColorSelector) FColorSelector->SetSelectedColor(FOldSelectedColor);
}

void TNeoColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value) {
  if (Value == FColorSelectionStyle) return;
  FColorSelectionStyle = Value;
  ResetDropDownSize();
  if (FDesignTime || !FDropDownForm) return;
  PrepareContent();
  TControl* content = ContentOfStyle();
  content->SetVisible(true);
  if (Value == csList) {
    SizeListPopup();
  } else {
    content->SetAlign(alNone);
    UpdateDropDownSize();
  }
  content->SetAlign(alClient);
  FOldSelectedColor = FSelectedColor;
  FDropDownForm->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Loading and styles

void TNeoColorPickerDropDown::Loaded() {
  inherited::Loaded();
  if (FDesignTime) AddDefaultColors();
  CopyColorsToSelector();
  if (FItemSelector) FItemSelector->UpdateSelectorPanel();
  // Builds the content of the stored style by leaving it and coming back through a valid style.
  const TColorSelectionStyle stored = FColorSelectionStyle;
  SetColorSelectionStyle(stored == csList ? csDiscrete : csList);
  SetColorSelectionStyle(stored);
}

void TNeoColorPickerDropDown::CreateWnd() {
  inherited::CreateWnd();
  if (!FDesignTime || FColors->GetCount() > 0) return;
  FDesignTime = false;
  AddDefaultColors();
  CopyColorsToSelector();
}

void TNeoColorPickerDropDown::SetComponentStyle(TNeoStyle AStyle) {
  inherited::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TNeoColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  inherited::SetSelectionColorStyle(Value);
  if (FItemAppearance) FItemAppearance->SetColorStyle(Value);
  if (FItemSelector) FItemSelector->GetItemAppearance()->SetColorStyle(Value);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TNeoColorPickerDropDown::DrawSelectedColor() {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(GetHandle());
  if (!dc) return;
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect r{1, 1, GetWidth() - GetDropDownButtonWidth() - 2, GetHeight() - 2};
    if (OnDrawSelectedColor) {
      OnDrawSelectedColor(this, &canvas, r);
    } else if (FSelectedColor != clNone) {
      const bool focusLook = Focused() && !GetEditorEnabled();
      if (focusLook) {
        canvas.GetPen()->SetColor(clHighlight);
        canvas.GetBrush()->SetColor(clHighlight);
        canvas.Rectangle(TRect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2});
      }
      const TRect swatch{r.left + 4, r.top + (GetHeight() - FColorBoxHeight) / 2, r.left + 4 + FColorBoxWidth,
                         r.top + (GetHeight() - FColorBoxHeight) / 2 + FColorBoxHeight};
      canvas.GetPen()->SetColor(FColorBoxBorderColor);
      canvas.GetBrush()->SetStyle(bsSolid);
      canvas.GetBrush()->SetColor(FSelectedColor);
      canvas.Rectangle(swatch);
      if (FShowText) {
        canvas.GetFont()->Assign(GetFont());
        TCustomStyleServices* style = StyleServices();
        if (style && style->GetEnabled() && !style->IsSystemStyle()) canvas.GetFont()->SetColor(clWindowText);
        if (focusLook) canvas.GetFont()->SetColor(clHighlightText);
        if (focusLook) {
          canvas.GetBrush()->SetColor(clHighlight);
        } else {
          canvas.GetBrush()->SetStyle(bsClear);
        }
        const String text = GetSelectedColorText();
        TRect tr{swatch.right + 4, r.top, r.right, r.bottom};
        if (text.find(u"</") != String::npos) {
          TPoint size{};
          DrawHTMLItemText(&canvas, text, tr, size, GetHandle(), true, GetImages());
        } else {
          RECT rc = tr;
          DrawText(canvas.GetHandle(), text.c_str(), static_cast<int>(text.size()), &rc,
                   DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
      }
    }
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Keys and wheel

bool TNeoColorPickerDropDown::TakeHotItem(Word Key) {
  if (Key != VK_RETURN || !GetEnabled() || !FDroppedDown) return false;
  if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->GetItemHot() >= 0) {
    FItemSelector->SetItemIndex(FItemSelector->GetItemHot());
    return true;
  }
  if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->GetItemHot() >= 0) {
    FColorSelector->SetItemIndex(FColorSelector->GetItemHot());
    return true;
  }
  return false;
}

void TNeoColorPickerDropDown::ListKey(Word Key, bool Handled) {
  TNeoCustomItemSelector* s = FItemSelector;
  const bool open = PopupOpen();
  switch (Key) {
    case VK_RETURN:
      if (!Handled && OnSelect) OnSelect(this);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      if (s->GetItems()->GetCount() != FColors->GetCount()) UpdateItemSelector();
      const Integer target = PageTarget(s, Key == VK_NEXT, FColors->GetCount());
      if (target >= 0) SelectInSelector(s, target, FInternalCall);
      break;
    }
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
      if (!GetEditorEnabled() && open) {
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
      if (!CtrlDown() && FSearch.AddKey(Key, true)) {
        TInternalCall internal(FInternalCall);
        // A found item reaches ItemIndex through the list's selection event once the popup has
        // opened; before that the list is not wired, and the index is taken here.
        if (s->LookupItem(FSearch.GetText()) && s->GetItemIndex() != FItemIndex) SetItemIndex(s->GetItemIndex());
      }
      break;
  }
}

void TNeoColorPickerDropDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: {
      if (FDesignTime) break;
      const auto key = static_cast<Word>(Message.WParam);
      const bool handled = TakeHotItem(key);
      if (!IsListMoveKey(key)) inherited::Dispatch(Message);
      if (!GetEnabled() || AltDown()) return;
      if (FColorSelectionStyle == csList && FItemSelector) {
        ListKey(key, handled);
      } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
        {
          TInternalCall internal(FInternalCall);
          FColorSelector->HandleKey(key, GetEditorEnabled(), FDroppedDown);
        }
        if (key == VK_RETURN && !handled && OnSelect) OnSelect(this);
      }
      return;
    }
    case WM_PAINT:
      inherited::Dispatch(Message);
      DrawSelectedColor();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}

void TNeoColorPickerDropDown::WheelStep(bool Down) {
  if (!GetEnabled() || GetReadOnly()) return;
  const bool open = PopupOpen();
  if (FColorSelectionStyle == csList && FItemSelector) {
    if (open) {
      if (Down) FItemSelector->HotNext();
      else FItemSelector->HotPrevious();
      return;
    }
    TInternalCall internal(FInternalCall);
    if (Down) FItemSelector->SelectNext();
    else FItemSelector->SelectPrevious();
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    if (open) {
      if (Down) FColorSelector->HotNext();
      else FColorSelector->HotPrevious();
      return;
    }
    TInternalCall internal(FInternalCall);
    if (Down) FColorSelector->SelectNext();
    else FColorSelector->SelectPrevious();
  }
}
