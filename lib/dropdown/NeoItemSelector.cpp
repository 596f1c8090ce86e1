#include "lib/dropdown/NeoItemSelector.h"

#include <algorithm>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "lib/render/NeoHTMLText.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

// ---------------------------------------------------------------------------------------------
// Items

TSelectorItem::TSelectorItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TSelectorItem::~TSelectorItem() = default;

void TSelectorItems::DoChange() {
  if (GetUpdateCount() > 0) {
    FChangePending = true;
    return;
  }
  if (OnChange) OnChange(this);
}

void TSelectorItems::EndUpdate() {
  TOwnedCollection::EndUpdate();
  if (GetUpdateCount() > 0 || !FChangePending) return;
  FChangePending = false;
  DoChange();
}

void TSelectorItem::Changed() {
  if (auto* items = dynamic_cast<TSelectorItems*>(GetCollection())) items->DoChange();
}

void TSelectorItem::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  FCaptionFont = 0;
  Changed();
}

bool TSelectorItem::KnownCaptionSize(Integer AFont, TPoint& ASize) const {
  if (FCaptionFont == 0 || FCaptionFont != AFont) return false;
  ASize = FCaptionSize;
  return true;
}

void TSelectorItem::KeepCaptionSize(Integer AFont, TPoint ASize) {
  FCaptionFont = AFont;
  FCaptionSize = ASize;
}

void TSelectorItem::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TSelectorItem::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

bool TSelectorItem::HasPicture() const {
  TGraphic* g = FImage->GetGraphic();
  return g && !g->GetEmpty();
}

void TSelectorItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TSelectorItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetColor(s->FColor);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---------------------------------------------------------------------------------------------
// Appearance

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetName(u"Tahoma");
  FFont->OnChange = [this](TObject*) { Changed(); };
  SetColorStyle(scOffice2007);
  FColorSelectedText = 0x000000;
  FColorHotText = 0x000000;
  FBorderColorHot = clNone;
  FBorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() {
  FFont->OnChange = nullptr;
}

void TItemAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TItemAppearance::SetColorField(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

namespace {

// The twelve colours a named selection style sets, in the order of the preset table.
struct TItemPreset {
  TColor Hot, HotTo, MirrorHot, MirrorHotTo, BorderTop, BorderBottom, Border, Edge, Selected, SelectedTo,
      MirrorSelected, MirrorSelectedTo;
};

const TItemPreset* PresetOf(TSelectionColorStyle Style) {
  static const TItemPreset office2007{0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF,
                                      0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9};
  static const TItemPreset vista{0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7,
                                 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone};
  static const TItemPreset windows7{0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB,
                                    0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone};
  switch (Style) {
    case scOffice2007: return &office2007;
    case scWindowsVista: return &vista;
    case scWindows7: return &windows7;
    case scCustom: break;
  }
  return nullptr;
}

}  // namespace

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value) {
  if (FColorStyle == Value) return;
  FColorStyle = Value;
  const TItemPreset* p = PresetOf(Value);
  if (!p) return;
  FColorHot = p->Hot;
  FColorHotTo = p->HotTo;
  FColorMirrorHot = p->MirrorHot;
  FColorMirrorHotTo = p->MirrorHotTo;
  FBorderColorTop = p->BorderTop;
  FBorderColorBottom = p->BorderBottom;
  FBorderColor = p->Border;
  FEdgeColor = p->Edge;
  FColorSelected = p->Selected;
  FColorSelectedTo = p->SelectedTo;
  FColorMirrorSelected = p->MirrorSelected;
  FColorMirrorSelectedTo = p->MirrorSelectedTo;
}

void TItemAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TItemAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FColorMirrorHot = s->FColorMirrorHot;
  FColorMirrorHotTo = s->FColorMirrorHotTo;
  FBorderColorTop = s->FBorderColorTop;
  FBorderColorBottom = s->FBorderColorBottom;
  FBorderColor = s->FBorderColor;
  FEdgeColor = s->FEdgeColor;
  FColorSelected = s->FColorSelected;
  FColorSelectedTo = s->FColorSelectedTo;
  FColorMirrorSelected = s->FColorMirrorSelected;
  FColorMirrorSelectedTo = s->FColorMirrorSelectedTo;
  FFont->Assign(s->FFont.get());
  SetColorStyle(s->FColorStyle);
  FColorSelectedText = s->FColorSelectedText;
  FColorHotText = s->FColorHotText;
  FBorderColorHot = s->FBorderColorHot;
  FBorderColorSelected = s->FBorderColorSelected;
}

// ---------------------------------------------------------------------------------------------
// Panel

TCustomItemSelector::TCustomItemSelector(TComponent* AOwner) : TCustomControl(AOwner) {
  FNeoItemSelector = dynamic_cast<TNeoCustomItemSelector*>(AOwner);
  if (!FNeoItemSelector) throw Exception(u"Invalid parent");
  SetParentColor(true);
}

Integer TCustomItemSelector::GetColumns() const { return FNeoItemSelector->GetColumns(); }
TSelectorItems* TCustomItemSelector::GetItems() const { return FNeoItemSelector->GetItems(); }
TSelectorType TCustomItemSelector::GetSelectorType() const { return FNeoItemSelector->GetSelectorType(); }
TItemLayout TCustomItemSelector::GetItemLayout() const { return FNeoItemSelector->GetItemLayout(); }
TCustomImageList* TCustomItemSelector::GetImages() const { return FNeoItemSelector->GetImages(); }
Integer TCustomItemSelector::GetColorBoxWidth() const { return FNeoItemSelector->GetColorBoxWidth(); }
Integer TCustomItemSelector::GetColorBoxHeight() const { return FNeoItemSelector->GetColorBoxHeight(); }
TSelectionColorStyle TCustomItemSelector::GetItemColorStyle() const {
  return FNeoItemSelector->GetItemAppearance()->GetColorStyle();
}
TColor TCustomItemSelector::GetItemColorHot() const { return FNeoItemSelector->GetItemAppearance()->GetColorHot(); }
TColor TCustomItemSelector::GetItemColorHotTo() const {
  return FNeoItemSelector->GetItemAppearance()->GetColorHotTo();
}
TColor TCustomItemSelector::GetItemColorSelected() const {
  return FNeoItemSelector->GetItemAppearance()->GetColorSelected();
}
TColor TCustomItemSelector::GetItemColorSelectedTo() const {
  return FNeoItemSelector->GetItemAppearance()->GetColorSelectedTo();
}

bool TCustomItemSelector::IsValidIndex(Integer Index) const {
  return Index >= 0 && Index < GetItems()->GetCount();
}

bool TCustomItemSelector::IsEnabledItem(Integer Index) const {
  return IsValidIndex(Index) && Item(Index)->GetEnabled();
}

TSelectorItem* TCustomItemSelector::Item(Integer Index) const { return GetItems()->GetItems(Index); }

Single TCustomItemSelector::Scale() { return DropDownDPIScale(this); }

void TCustomItemSelector::SetScaledFont(TCanvas* Canvas) {
  TFont* font = FNeoItemSelector->GetItemAppearance()->GetFont();
  Canvas->GetFont()->Assign(font);
  Canvas->GetFont()->SetHeight(static_cast<Integer>(Round(font->GetHeight() * Scale())));
}

TSize TCustomItemSelector::ImageSizeOf(TSelectorItem* It) const {
  if (It->HasPicture()) return TSize{It->GetImage()->GetWidth(), It->GetImage()->GetHeight()};
  TCustomImageList* images = GetImages();
  if (images && It->GetImageIndex() >= 0) return TSize{images->GetWidth(), images->GetHeight()};
  return TSize{0, 0};
}

void TCustomItemSelector::SetItemIndex(Integer Value) {
  if (IsValidIndex(Value) && !Item(Value)->GetEnabled()) return;
  // An index past the last item would reach OnItemSelect and the pickers' lookups of that item.
  if (Value >= GetItems()->GetCount()) return;
  if (FItemIndex >= 0 && Value != FItemIndex) {
    Integer old = FItemIndex;
    FItemIndex = -1;
    InvalidateItem(old);
  }
  FItemIndex = Value;
  if (Value < 0) return;
  if (HandleAllocated()) DrawItem(Value, GetCanvas());
  if (OnItemSelect) OnItemSelect(this);
}

void TCustomItemSelector::SetItemHot(Integer Index) {
  if (Index == FItemHot) return;
  if (IsValidIndex(Index) && !Item(Index)->GetEnabled()) return;
  if (FItemHot >= 0) {
    Integer old = FItemHot;
    FItemHot = -1;
    InvalidateItem(old);
  }
  FItemHot = Index;
  if (Index >= 0 && HandleAllocated()) DrawItem(Index, GetCanvas());
}

void TCustomItemSelector::SelectFirst() {
  if (GetItems()->GetCount() > 0) SetItemIndex(0);
}

void TCustomItemSelector::SelectLast() {
  if (GetItems()->GetCount() > 0) SetItemIndex(GetItems()->GetCount() - 1);
}

void TCustomItemSelector::SelectNext() {
  Integer count = GetItems()->GetCount();
  if (count == 0) return;
  if (FItemIndex < 0) SetItemIndex(0);
  else if (FItemIndex < count - 1) SetItemIndex(FItemIndex + 1);
}

void TCustomItemSelector::SelectPrevious() {
  if (GetItems()->GetCount() == 0) return;
  if (FItemIndex < 0) SetItemIndex(0);
  else if (FItemIndex > 0) SetItemIndex(FItemIndex - 1);
}

void TCustomItemSelector::HotNext() {
  Integer count = GetItems()->GetCount();
  if (count == 0) return;
  if (FItemHot < 0) SetItemHot(0);
  else if (FItemHot < count - 1) SetItemHot(FItemHot + 1);
}

void TCustomItemSelector::HotPrevious() {
  if (GetItems()->GetCount() == 0) return;
  if (FItemHot < 0) SetItemHot(0);
  else if (FItemHot > 0) SetItemHot(FItemHot - 1);
}

bool TCustomItemSelector::LookupItem(const String& S) {
  Integer count = GetItems()->GetCount();
  if (count == 0) return false;
  // "Begins with" as Pos = 1: an empty S is found nowhere. A disabled item cannot be selected, so
  // it does not match (it would report a find that selects nothing).
  auto matches = [&](Integer Index) {
    if (!Item(Index)->GetEnabled()) return false;
    String key = AnsiUpperCase(Trim(HtmlToPlainText(Item(Index)->GetCaption())));
    return Pos(S, key) == 1;
  };
  Integer start = std::max(FItemIndex, 0);
  for (Integer i = start; i < count; ++i)
    if (i != FItemIndex && matches(i)) {
      SetItemIndex(i);
      return true;
    }
  if (start == 0) return false;
  for (Integer i = 0; i < count; ++i)
    if (matches(i)) {
      SetItemIndex(i);
      return true;
    }
  return false;
}

Integer TCustomItemSelector::ItemAtPos(Integer X, Integer Y) {
  TPoint p{X, Y};
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) {
    TRect r = Item(i)->GetRect();
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

TRect TCustomItemSelector::GetItemRect(Integer Index) {
  if (!IsValidIndex(Index)) return TRect{-1, -1, -1, -1};
  return Item(Index)->GetRect();
}

void TCustomItemSelector::InvalidateItem(Integer Index) {
  if (!IsValidIndex(Index) || !HandleAllocated()) return;
  TRect r = Item(Index)->GetRect();
  InvalidateRect(GetHandle(), &r, TRUE);
}

TRect TCustomItemSelector::GetItemArea() {
  TRect r = GetClientRect();
  InflateRect(&r, -FOffSetX, -FOffSetY);
  return r;
}

TPoint TCustomItemSelector::MeasureCaption(TCanvas* Canvas, const String& Caption, TRect R) {
  TPoint size{0, 0};
  DrawHTMLItemText(Canvas, Caption, R, size, HandleAllocated() ? GetHandle() : nullptr, false, GetImages());
  return size;
}

// Keys of every panel come from one counter, so an item never takes another font's size for its own.
Integer TCustomItemSelector::CaptionFontKey(TCanvas* Canvas) {
  static Integer lastKey = 0;
  const TFont* f = Canvas->GetFont();
  const String font = f->GetName() + u'|' + IntToStr(f->GetHeight()) + u'|' + IntToStr(Integer(f->GetStyle().ToBits())) +
                      u'|' + IntToStr(f->GetCharset()) + u'|' + IntToStr(Integer(f->GetPitch())) + u'|' +
                      IntToStr(Integer(f->GetQuality())) + u'|' + IntToStr(f->GetOrientation()) + u'|' +
                      IntToStr(f->GetPixelsPerInch()) + u'|' +
                      IntToStr(GetDeviceCaps(Canvas->GetHandle(), LOGPIXELSY));
  if (FCaptionFontKey == 0 || font != FCaptionFont) {
    FCaptionFont = font;
    FCaptionFontKey = ++lastKey;
  }
  return FCaptionFontKey;
}

// Plain text measures the same in the same font every time; markup may name pictures and
// controls whose sizes can change, so it is measured at every layout.
TPoint TCustomItemSelector::CaptionSize(TCanvas* Canvas, TSelectorItem* It, Integer FontKey) {
  const String& caption = It->GetCaption();
  const bool plain = caption.find_first_of(u"<&") == String::npos;
  TPoint size;
  if (plain && It->KnownCaptionSize(FontKey, size)) return size;
  size = MeasureCaption(Canvas, caption, TRect{0, 0, 1000, 500});
  if (plain) It->KeepCaptionSize(FontKey, size);
  return size;
}

TSize TCustomItemSelector::GetItemSize() {
  TSize size{0, 0};
  if (FNeoItemSelector->OnItemSize) {
    FNeoItemSelector->OnItemSize(this, size);
    return size;
  }
  bool color = GetSelectorType() == stColor;
  Integer iw = color ? GetColorBoxWidth() : 0, ih = color ? GetColorBoxHeight() : 0;
  // Measured on the panel when it has a window, else on a memory canvas of the same resolution.
  TBitmap scratch;
  TCanvas* canvas = HandleAllocated() ? GetCanvas() : scratch.GetCanvas();
  SetScaledFont(canvas);
  const Integer fontKey = CaptionFontKey(canvas);
  Integer tw = 0, th = 0;
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) {
    TSelectorItem* it = Item(i);
    if (!color) {
      TSize image = ImageSizeOf(it);
      iw = std::max(iw, image.cx);
      ih = std::max(ih, image.cy);
    }
    // The font is already scaled: its measured width is the scaled width.
    TPoint text = CaptionSize(canvas, it, fontKey);
    tw = std::max(tw, text.x);
    th = std::max(th, text.y);
  }
  if (tw > 0) tw += 4;
  if (GetItemLayout() == ilCaptionLeft || GetItemLayout() == ilCaptionRight) {
    size.cx = 2 * FItemOffSetX + iw;
    if (tw > 0) size.cx += (iw > 0 ? FCaptionGap : 0) + tw;
    size.cy = std::max(ih, th) + 2 * FItemOffSetY;
  } else {
    size.cx = std::max(iw, tw) + 2 * FItemOffSetX;
    size.cy = 2 * FItemOffSetY + ih;
    if (th >= 1) size.cy += (ih > 0 ? FCaptionGap : 0) + th;
  }
  return size;
}

void TCustomItemSelector::UpdateItems() {
  Integer count = GetItems()->GetCount();
  if (count == 0) {
    SetWidth(100);
    SetHeight(50);
    return;
  }
  FItemHot = -1;
  TSize size = GetItemSize();
  TRect area = GetItemArea();
  Integer l = area.left, t = area.top, x = l, y = t, column = 0, maxX = 0;
  for (Integer i = 0; i < count; ++i) {
    Item(i)->SetRect(TRect{x, y, x + size.cx, y + size.cy});
    ++column;
    if (i == count - 1) break;
    if (column < GetColumns()) {
      x += size.cx;
    } else {
      maxX = std::max(maxX, x);
      x = l;
      y += size.cy;
      column = 0;
    }
  }
  SetHeight(y + size.cy + t);
  SetWidth(std::max(maxX, x) + size.cx + l);
}

namespace {

// The colours of one item's background.
struct TItemBackground {
  TColor Border, BorderTop, BorderBottom, Edge;
  TColor Fill = clNone, FillTo = clNone, Mirror = clNone, MirrorTo = clNone;
  bool Stateful = false;

  void Take(TColor AFill, TColor AFillTo, TColor AMirror, TColor AMirrorTo, TColor ABorder) {
    Fill = AFill;
    FillTo = AFillTo;
    Mirror = AMirror;
    MirrorTo = AMirrorTo;
    if (ABorder != clNone) {
      Border = ABorder;
      BorderTop = BorderBottom = Edge = clNone;
    }
    Stateful = true;
  }
};

}  // namespace

void TCustomItemSelector::PaintBackground(Integer Index, TCanvas* Canvas) {
  TItemAppearance* a = FNeoItemSelector->GetItemAppearance();
  TItemBackground b{a->GetBorderColor(), a->GetBorderColorTop(), a->GetBorderColorBottom(), a->GetEdgeColor()};
  if (Index == FItemHot)
    b.Take(a->GetColorHot(), a->GetColorHotTo(), a->GetColorMirrorHot(), a->GetColorMirrorHotTo(),
           a->GetBorderColorHot());
  if (Index == FItemIndex)
    b.Take(a->GetColorSelected(), a->GetColorSelectedTo(), a->GetColorMirrorSelected(),
           a->GetColorMirrorSelectedTo(), a->GetBorderColorSelected());
  TRect r = Item(Index)->GetRect();
  if (!b.Stateful) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->FillRect(r);
  } else if (b.BorderTop == clNone) {
    DrawGradientRect(Canvas, r, b.Fill, true, 1, b.Border, b.FillTo);
  } else {
    PaintTabShape(Canvas, b.Fill, b.FillTo, 0, r, b.BorderBottom, b.Edge, GetColor(), b.BorderTop, b.Border,
                  b.MirrorTo, b.Mirror);
  }
}

void TCustomItemSelector::DrawItemBackground(Integer Index, TCanvas* Canvas) {
  if (!IsValidIndex(Index) || !Canvas) return;
  PaintBackground(Index, Canvas);
}

bool TCustomItemSelector::DrawImage(TCanvas* Canvas, TSelectorItem* It, Integer X, Integer Y, TSize Size,
                                    TColor BoxColor) {
  if (GetSelectorType() == stColor) {
    Canvas->GetPen()->SetColor(clBlack);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(BoxColor);
    Canvas->Rectangle(X, Y, X + Size.cx, Y + Size.cy);
    return true;
  }
  if (It->HasPicture()) {
    Canvas->Draw(X, Y, It->GetImage()->GetGraphic());
    return true;
  }
  if (GetImages() && It->GetImageIndex() >= 0) {
    GetImages()->Draw(Canvas, X, Y, It->GetImageIndex(), It->GetEnabled());
    return true;
  }
  return false;
}

void TCustomItemSelector::DrawCaption(TCanvas* Canvas, const String& Caption, TRect R, bool Center) {
  if (Caption.empty()) return;
  if (Center) {
    TPoint m = MeasureCaption(Canvas, Caption, R);
    if (m.y < R.bottom - R.top) R.top += (R.bottom - R.top - m.y) / 2;
  }
  TPoint size{};
  Canvas->GetBrush()->SetStyle(bsClear);
  DrawHTMLItemText(Canvas, Caption, R, size, HandleAllocated() ? GetHandle() : nullptr, true, GetImages());
}

void TCustomItemSelector::DrawItem(Integer Index, TCanvas* Canvas) {
  if (!IsValidIndex(Index) || !Canvas) return;
  TSelectorItem* it = Item(Index);
  TRect r = it->GetRect();
  if (r.left < 0 && r.right < 0) return;
  PaintBackground(Index, Canvas);
  if (FNeoItemSelector->OnDrawItem) {
    FNeoItemSelector->OnDrawItem(this, Canvas, r, Index);
    return;
  }
  TItemAppearance* a = FNeoItemSelector->GetItemAppearance();
  Single scale = Scale();
  bool color = GetSelectorType() == stColor;
  TSize image = color ? TSize{static_cast<Integer>(Round(GetColorBoxWidth() * scale)),
                              static_cast<Integer>(Round(GetColorBoxHeight() * scale))}
                      : ImageSizeOf(it);
  TRect c = r;
  InflateRect(&c, -FItemOffSetX, -FItemOffSetY);
  TRect b = c;
  SetScaledFont(Canvas);
  TColor text = a->GetFont()->GetColor();
  if (Index == FItemHot) text = a->GetColorHotText();
  if (Index == FItemIndex) text = a->GetColorSelectedText();
  Canvas->GetFont()->SetColor(text);
  TColor box = it->GetColor() != clNone ? it->GetColor() : Canvas->GetBrush()->GetColor();
  const String& caption = it->GetCaption();
  // A colour box sits at the top of its area, pictures and list images are centred in its height.
  auto imageTop = [&](TRect B) { return color ? B.top : B.top + (B.bottom - B.top - image.cy) / 2; };
  switch (GetItemLayout()) {
    case ilCaptionLeft: {
      c.right -= image.cx;
      TPoint m = caption.empty() ? TPoint{0, 0} : MeasureCaption(Canvas, caption, c);
      DrawCaption(Canvas, caption, c, true);
      b.left = c.left + m.x + FCaptionGap;
      DrawImage(Canvas, it, b.left, imageTop(b), image, box);
      break;
    }
    case ilCaptionRight:
      if (DrawImage(Canvas, it, b.left, imageTop(b), image, box)) c.left = b.left + image.cx + FCaptionGap;
      DrawCaption(Canvas, caption, c, true);
      break;
    case ilCaptionTop:
      if (!caption.empty()) {
        c.bottom -= image.cy;
        TPoint m = MeasureCaption(Canvas, caption, c);
        DrawCaption(Canvas, caption, c, false);
        b.top = c.top + m.y + FCaptionGap;
      } else {
        b.top += (b.bottom - b.top - image.cy) / 2;
      }
      b.left += (b.right - b.left - image.cx) / 2;
      DrawImage(Canvas, it, b.left, b.top, image, box);
      break;
    case ilCaptionBottom:
      if (caption.empty()) b.top += (b.bottom - b.top - image.cy) / 2;
      b.left += (b.right - b.left - image.cx) / 2;
      if (DrawImage(Canvas, it, b.left, b.top, image, box)) c.top = b.top + image.cy + FCaptionGap;
      DrawCaption(Canvas, caption, c, false);
      break;
  }
}

void TCustomItemSelector::DrawItems(TCanvas* Canvas) {
  // Items wholly outside the canvas's clip would leave no pixel: thousands of items scroll by
  // drawing only the few in view.
  HDC dc = Canvas ? Canvas->GetHandle() : nullptr;
  for (Integer i = 0; i < GetItems()->GetCount(); ++i) {
    TRect r = Item(i)->GetRect();
    if (dc && !RectVisible(dc, &r)) continue;
    DrawItem(i, Canvas);
  }
}

void TCustomItemSelector::Paint() {
  TCanvas* canvas = GetCanvas();
  if (FNeoItemSelector->OnBeforeDrawItems) FNeoItemSelector->OnBeforeDrawItems(this, canvas);
  DrawItems(canvas);
  if (FNeoItemSelector->OnAfterDrawItems) FNeoItemSelector->OnAfterDrawItems(this, canvas);
}

void TCustomItemSelector::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  Integer index = ItemAtPos(X, Y);
  if (IsEnabledItem(index)) SetItemIndex(index);
}

void TCustomItemSelector::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  Integer index = ItemAtPos(X, Y);
  if (index < 0) {
    SetItemHot(-1);
    return;
  }
  if (index == FItemHot) return;
  SetItemHot(IsEnabledItem(index) ? index : -1);
  SetHint(Item(index)->GetHint());
  Application->CancelHint();
}

void TCustomItemSelector::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  if (Message.Msg == CM_MOUSELEAVE) SetItemHot(-1);
}

// ---------------------------------------------------------------------------------------------
// Host

TNeoCustomItemSelector::TNeoCustomItemSelector(TComponent* AOwner)
    : TScrollingWinControl(AOwner),
      FItems(std::make_unique<TSelectorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  RegisterNeoItemSelectorRtti();
  FItemAppearance->OnChange = [](TObject*) {};
  SetColor(clWindow);
  SetAutoScroll(true);
  CreateSelectorPanel();
  UpdateSelectorPanel();
}

TNeoCustomItemSelector::~TNeoCustomItemSelector() {
  FItems->OnChange = nullptr;
}

void TNeoCustomItemSelector::CreateSelectorPanel() {
  if (FItemSelectorPanel) return;
  FItemSelectorPanel = new TCustomItemSelector(this);
  FItemSelectorPanel->SetParent(this);
  FItemSelectorPanel->OnItemSelect = [this](TObject* Sender) { DoItemSelect(Sender); };
}

void TNeoCustomItemSelector::UpdateSelectorPanel() {
  if (FItemSelectorPanel) FItemSelectorPanel->UpdateItems();
}

void TNeoCustomItemSelector::ItemsChanged(TObject*) { UpdateSelectorPanel(); }

void TNeoCustomItemSelector::DoItemSelect(TObject*) {
  if (OnItemSelect) OnItemSelect(this);
}

void TNeoCustomItemSelector::SetColumns(Integer Value) {
  if (Value > 0) SetAndRelayout(FColumns, Value);
}

void TNeoCustomItemSelector::SetSelectorType(TSelectorType Value) { SetAndRelayout(FSelectorType, Value); }
void TNeoCustomItemSelector::SetColorBoxWidth(Integer Value) { SetAndRelayout(FColorBoxWidth, Value); }
void TNeoCustomItemSelector::SetColorBoxHeight(Integer Value) { SetAndRelayout(FColorBoxHeight, Value); }

void TNeoCustomItemSelector::SetImages(TCustomImageList* Value) {
  if (Value) Value->FreeNotification(this);
  SetAndRelayout(FImages, Value);
}

void TNeoCustomItemSelector::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages && !GetComponentState().Contains(csDestroying))
    FImages = nullptr;
}

Integer TNeoCustomItemSelector::GetItemIndex() const {
  return FItemSelectorPanel ? FItemSelectorPanel->GetItemIndex() : -1;
}

void TNeoCustomItemSelector::SetItemIndex(Integer Value) {
  if (!FItemSelectorPanel) return;
  FItemSelectorPanel->SetItemIndex(Value);
  ScrollItemInView(FItemSelectorPanel->GetItemIndex());
}

Integer TNeoCustomItemSelector::GetItemHot() const {
  return FItemSelectorPanel ? FItemSelectorPanel->GetItemHot() : -1;
}

void TNeoCustomItemSelector::SelectFirst() {
  MoveAndScroll(&TCustomItemSelector::SelectFirst, &TCustomItemSelector::GetItemIndex);
}
void TNeoCustomItemSelector::SelectLast() {
  MoveAndScroll(&TCustomItemSelector::SelectLast, &TCustomItemSelector::GetItemIndex);
}
void TNeoCustomItemSelector::SelectNext() {
  MoveAndScroll(&TCustomItemSelector::SelectNext, &TCustomItemSelector::GetItemIndex);
}
void TNeoCustomItemSelector::SelectPrevious() {
  MoveAndScroll(&TCustomItemSelector::SelectPrevious, &TCustomItemSelector::GetItemIndex);
}
void TNeoCustomItemSelector::HotNext() {
  MoveAndScroll(&TCustomItemSelector::HotNext, &TCustomItemSelector::GetItemHot);
}
void TNeoCustomItemSelector::HotPrevious() {
  MoveAndScroll(&TCustomItemSelector::HotPrevious, &TCustomItemSelector::GetItemHot);
}

bool TNeoCustomItemSelector::LookupItem(const String& S) {
  return FItemSelectorPanel && FItemSelectorPanel->LookupItem(S);
}

Integer TNeoCustomItemSelector::GetVisibleItemCount() {
  if (!FItemSelectorPanel || FItems->GetCount() == 0) return 0;
  TRect first = FItemSelectorPanel->GetItemRect(0);
  Integer itemHeight = first.bottom - first.top;
  // An OnItemSize handler may give a height of 0: no whole row fits then.
  if (itemHeight <= 0) return 0;
  Integer height = GetHeight() - (GetHorzScrollBar()->IsScrollBarVisible() ? 20 : 0);
  return height / itemHeight * FColumns;
}

TSize TNeoCustomItemSelector::GetPanelSize() {
  if (!FItemSelectorPanel) return TSize{100, 50};
  return TSize{FItemSelectorPanel->GetWidth(), FItemSelectorPanel->GetHeight()};
}

void TNeoCustomItemSelector::ScrollItemInView(Integer Index) {
  if (!FItemSelectorPanel || Index < 0 || Index >= FItems->GetCount()) return;
  TControlScrollBar* bar = GetVertScrollBar();
  if (!bar->IsScrollBarVisible()) return;
  TRect r = FItemSelectorPanel->GetItemRect(Index);
  r.top -= bar->GetMargin();
  r.bottom += bar->GetMargin();
  OffsetRect(&r, FItemSelectorPanel->GetLeft(), FItemSelectorPanel->GetTop());
  Integer clientHeight = GetClientHeight();
  if (r.top < 0) {
    bar->SetPosition(bar->GetPosition() + r.top);
  } else if (r.bottom > clientHeight) {
    if (r.bottom - r.top > clientHeight) r.bottom = r.top + clientHeight;
    bar->SetPosition(bar->GetPosition() + r.bottom - clientHeight);
  }
}

void TNeoCustomItemSelector::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_VSCROLL:
      if (LOWORD(Message.WParam) == SB_THUMBTRACK) {
        GetVertScrollBar()->SetPosition(static_cast<SmallInt>(HIWORD(Message.WParam)));
        Message.Result = 0;
        return;
      }
      break;
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS;
      return;
  }
  inherited::Dispatch(Message);
}
