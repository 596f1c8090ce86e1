// The grid of colour boxes: layout by rows with gaps after stand-alone rows, borders by position in
// a run of shades, the hot and selected boxes, and key navigation.
#include <algorithm>

#include "lib/dropdown/NeoColorSelector.h"

namespace {

struct TDefaultRow {
  TItemPos Pos;
  TColor Colors[10];
};

constexpr TDefaultRow DefaultRows[] = {
    {ipStandAlone, {0xFFFFFF, 0x000000, 0xE1ECEE, 0x7D491F, 0xBD814F, 0x4D50C0, 0x59BB9B, 0xA26480, 0xC6AC4B, 0x4696F7}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xC3D9DD, 0xDACEC2, 0xF1E5DB, 0xDBDCF2, 0xDDF1EB, 0xECE0E5, 0xF3EEDB, 0xDAEAFD}},
    {ipMiddle, {0xD8D8D8, 0x595959, 0x97BDC4, 0xE2B38D, 0xE4CCB8, 0xB7B9E5, 0xBCE3D7, 0xD9C1CC, 0xE8DDB7, 0xB5D5FB}},
    {ipMiddle, {0xBFBFBF, 0x3F3F3F, 0x538993, 0xD48D54, 0xD7B395, 0x9496D9, 0x9BD6C3, 0xC7A2B2, 0xDCCD92, 0x8FC0FA}},
    {ipMiddle, {0xA5A5A5, 0x262626, 0x294449, 0x5D3617, 0x926036, 0x343795, 0x3C9276, 0x7A495F, 0x9B8531, 0x096CE3}},
    {ipBottom, {0x7F7F7F, 0x0C0C0C, 0x101B1D, 0x3E240F, 0x614024, 0x232463, 0x28614F, 0x51313F, 0x675820, 0x064897}},
};


}  // namespace

// ---------------------------------------------------------------------------------------------
// Appearance and items

void TColorBoxAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorBoxAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FBorderColor = s->FBorderColor;
  FOuterBorderColorHot = s->FOuterBorderColorHot;
  FInnerBorderColorHot = s->FInnerBorderColorHot;
  FOuterBorderColorSelected = s->FOuterBorderColorSelected;
  FInnerBorderColorSelected = s->FInnerBorderColorSelected;
}

void TColorBoxItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (auto* items = dynamic_cast<TColorBoxItems*>(GetCollection())) items->DoChange();
}

void TColorBoxItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorBoxItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetColor(s->FColor);
  FEnabled = s->FEnabled;
}

// ---------------------------------------------------------------------------------------------
// The selector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TNeoCustomColorSelectorPanel(AOwner),
      FColorBoxAppearance(std::make_unique<TColorBoxAppearance>()),
      FItems(std::make_unique<TColorBoxItems>(this)) {
  SetItemColorStyle(scOffice2007);
  SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle Value) {
  if (FItemColorStyle == Value) return;
  FItemColorStyle = Value;
  if (Value == scCustom) return;
  TColorBoxAppearance* a = FColorBoxAppearance.get();
  a->SetOuterBorderColorSelected(0x0000FF);
  a->SetInnerBorderColorSelected(0x94E2FF);
  a->SetOuterBorderColorHot(0x3694F2);
  a->SetInnerBorderColorHot(0x94E2FF);
  a->SetBorderColor(0xC5C5C5);
}

void TCustomColorSelector::SetLayoutValue(Integer& Field, Integer Value) {
  if (Field == Value) return;
  Field = Value;
  ArrangeItems();
}

void TCustomColorSelector::InitDefaultColorBoxes() {
  FItems->Clear();
  for (const TDefaultRow& row : DefaultRows)
    for (TColor color : row.Colors) {
      TColorBoxItem* item = FItems->Add();
      item->SetColor(color);
      item->SetColorBoxPos(row.Pos);
    }
}

TRect TCustomColorSelector::GetContentRect() {
  TRect r = GetClientRect();
  const Integer x = Scaled(FOffSetX), y = Scaled(FOffSetY);
  return TRect{r.left + x, r.top + y, r.right - x, r.bottom - y};
}

TSize TCustomColorSelector::GetColorBoxSize() { return TSize{Scaled(FColorBoxWidth), Scaled(FColorBoxHeight)}; }

void TCustomColorSelector::ArrangeItems() {
  TakeDisplayScale();
  const Integer count = FItems->GetCount();
  if (count == 0) {
    SetWidth(Scaled(100));
    SetHeight(Scaled(50));
    return;
  }
  const Integer gap = Scaled(FColumnGap);
  FItemHot = -1;
  const TSize size = GetColorBoxSize();
  const TRect content = GetContentRect();
  const Integer x0 = content.left, y0 = content.top;
  Integer x = x0, y = y0, column = 0, widest = 0;
  bool gapPending = false;
  for (Integer i = 0; i < count; ++i) {
    TColorBoxItem* item = FItems->GetItems(i);
    item->SetRect(TRect{x, y, x + size.cx, y + size.cy});
    ++column;
    if (i == count - 1) break;
    if (item->GetColorBoxPos() == ipStandAlone) gapPending = true;
    if (column < FColumns) {
      x += size.cx + gap;
      continue;
    }
    if (gapPending) {
      y += gap;
      gapPending = false;
    }
    y += size.cy;
    widest = std::max(widest, x);
    x = x0;
    column = 0;
  }
  SetHeight(y + size.cy + y0);
  SetWidth(std::max(x, widest) + size.cx + x0 + 1);
}

Integer TCustomColorSelector::ItemAtPoint(Integer X, Integer Y) const {
  for (Integer i = 0; i < FItems->GetCount(); ++i) {
    const TRect& r = FItems->GetItems(i)->GetRect();
    if (X >= r.left && X < r.right && Y >= r.top && Y < r.bottom) return i;
  }
  return -1;
}

void TCustomColorSelector::DrawItem(Integer Index, TCanvas* ACanvas) {
  if (!ACanvas || Index < 0 || Index >= FItems->GetCount()) return;
  TColorBoxItem* item = FItems->GetItems(Index);
  TRect r = item->GetRect();
  if (r.left < 0 && r.right < 0) return;
  if (item->GetColor() != clNone) {
    ACanvas->GetPen()->SetColor(item->GetColor());
    ACanvas->GetBrush()->SetStyle(bsSolid);
    ACanvas->GetBrush()->SetColor(item->GetColor());
    ACanvas->Rectangle(r);
  }
  const TColorBoxAppearance* a = FColorBoxAppearance.get();
  const bool hot = Index == FItemHot, selected = Index == FItemIndex;
  if (hot || selected) {
    const TColor outer = selected ? a->GetOuterBorderColorSelected() : a->GetOuterBorderColorHot();
    const TColor inner = selected ? a->GetInnerBorderColorSelected() : a->GetInnerBorderColorHot();
    ACanvas->GetBrush()->SetStyle(bsClear);
    if (outer != clNone) {
      ACanvas->GetPen()->SetColor(outer);
      ACanvas->Rectangle(r);
    }
    r = TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (inner != clNone) {
      ACanvas->GetPen()->SetColor(inner);
      ACanvas->Rectangle(r);
    }
    return;
  }
  ACanvas->GetPen()->SetColor(a->GetBorderColor());
  const Integer right = r.right - 1, bottom = r.bottom - 1;
  switch (item->GetColorBoxPos()) {
    case ipStandAlone:
      ACanvas->GetBrush()->SetStyle(bsClear);
      ACanvas->Rectangle(r);
      break;
    case ipTop:
      ACanvas->MoveTo(r.left, r.bottom);
      ACanvas->LineTo(r.left, r.top);
      ACanvas->LineTo(right, r.top);
      ACanvas->LineTo(right, r.bottom);
      break;
    case ipMiddle:
      ACanvas->MoveTo(r.left, r.top);
      ACanvas->LineTo(r.left, r.bottom);
      ACanvas->MoveTo(right, r.top);
      ACanvas->LineTo(right, r.bottom);
      break;
    case ipBottom:
      ACanvas->MoveTo(r.left, r.top);
      ACanvas->LineTo(r.left, bottom);
      ACanvas->LineTo(right, bottom);
      ACanvas->LineTo(right, r.top - 1);
      break;
  }
}

void TCustomColorSelector::Paint() {
  TNeoCustomColorSelectorPanel::Paint();
  for (Integer i = 0; i < FItems->GetCount(); ++i) DrawItem(i, GetCanvas());
}

void TCustomColorSelector::InvalidateItem(Integer Index) {
  if (Index < 0 || Index >= FItems->GetCount() || !HandleAllocated()) return;
  RECT r = FItems->GetItems(Index)->GetRect();
  InvalidateRect(GetHandle(), &r, TRUE);
}

void TCustomColorSelector::SetItemIndex(Integer Index) {
  if (Index >= 0 && !ItemEnabled(Index)) return;
  if (FItemIndex >= 0 && FItemIndex != Index) {
    const Integer old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Index;
  if (Index < 0) return;
  FSelectedColor = FItems->GetItems(Index)->GetColor();
  DrawItem(Index, GetCanvas());
  ReleaseCanvasDC();
  if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(Integer Index) {
  if (Index == FItemHot) return;
  if (Index >= 0 && !ItemEnabled(Index)) return;
  const Integer old = FItemHot;
  FItemHot = Index;
  InvalidateItem(old);
  if (Index < 0) return;
  DrawItem(Index, GetCanvas());
  ReleaseCanvasDC();
}

void TCustomColorSelector::SetSelectedColor(TColor Value) {
  if (FSelectedColor == Value) return;
  FSelectedColor = Value;
  Integer match = -1;
  if (Value != clNone)
    for (Integer i = 0; i < FItems->GetCount() && match < 0; ++i)
      if (FItems->GetItems(i)->GetColor() == Value) match = i;
  SetItemIndex(match);
}

void TCustomColorSelector::SelectFirst() {
  if (FItems->GetCount() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast() {
  if (FItems->GetCount() > 0) SetItemIndex(FItems->GetCount() - 1);
}

void TCustomColorSelector::SelectNext() {
  if (FItemIndex + 1 < FItems->GetCount()) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious() {
  if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext() {
  if (FItemHot + 1 < FItems->GetCount()) SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious() {
  if (FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(WORD Key, bool EditorEnabled, bool DroppedDown) {
  if (!GetEnabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
  const bool editing = EditorEnabled && !DroppedDown;
  // Up and Down in the open popup move a whole row (from box 0 when none is selected).
  auto rowStep = [&](Integer Step) {
    const Integer target = FItemIndex < 0 ? 0 : FItemIndex + Step;
    if (target >= 0 && target < FItems->GetCount()) SetItemIndex(target);
  };
  switch (Key) {
    case VK_PRIOR:
    case VK_HOME: SelectFirst(); break;
    case VK_NEXT:
    case VK_END: SelectLast(); break;
    case VK_LEFT:
      if (!editing) SelectPrevious();
      break;
    case VK_RIGHT:
      if (!editing) SelectNext();
      break;
    case VK_UP:
      if (DroppedDown) rowStep(-FColumns);
      else SelectPrevious();
      break;
    case VK_DOWN:
      if (DroppedDown) rowStep(FColumns);
      else SelectNext();
      break;
    default: break;
  }
}

void TCustomColorSelector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseMove(Shift, X, Y);
  const Integer item = ItemAtPoint(X, Y);
  SetItemHot(item >= 0 && ItemEnabled(item) ? item : -1);
}

void TCustomColorSelector::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TNeoCustomColorSelectorPanel::MouseUp(Button, Shift, X, Y);
  const Integer item = ItemAtPoint(X, Y);
  if (item >= 0 && ItemEnabled(item)) SetItemIndex(item);
}

void TCustomColorSelector::Dispatch(TMessage& Message) {
  // Arrows and the other keys reach the boxes (and the picker they are forwarded to) rather than
  // moving the focus in a dialog.
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    return;
  }
  if (Message.Msg == CM_MOUSELEAVE) {
    TNeoCustomColorSelectorPanel::Dispatch(Message);
    SetItemHot(-1);
    return;
  }
  TNeoCustomColorSelectorPanel::Dispatch(Message);
}
