#include "lib/dropdown/NeoButtonPanel.h"

#include <algorithm>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/ui/ImgList.h"

// ---------------------------------------------------------------------------------------------
// Keys

TCalcButtonItem::TCalcButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TCalcButtonItem::~TCalcButtonItem() = default;

void TCalcButtonItem::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
}

bool TCalcButtonItem::HasPicture() const {
  TGraphic* g = FImage->GetGraphic();
  return g && !g->GetEmpty();
}

void TCalcButtonItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCalcButtonItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  FCaption = s->FCaption;
  FCaptionColor = s->FCaptionColor;
  FTag = s->FTag;
  FImageIndex = s->FImageIndex;
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FName = s->FName;
}

void TCalcButtonItems::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// Appearance

TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>()) {
  RegisterNeoButtonPanelRtti();
  FFont->SetSize(10);
  FFont->SetStyle(TFontStyles{fsBold});
  FFont->OnChange = [this](TObject*) { Changed(); };
}

TButtonAppearance::~TButtonAppearance() { FFont->OnChange = nullptr; }

void TButtonAppearance::Changed() {
  if (OnChange) OnChange(this);
}

void TButtonAppearance::SetColorField(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TButtonAppearance::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TButtonAppearance*>(Source);
  if (!s) {
    TPersistent::Assign(Source);
    return;
  }
  FColor = s->FColor;
  FColorTo = s->FColorTo;
  FShineColor = s->FShineColor;
  FColorHot = s->FColorHot;
  FColorHotTo = s->FColorHotTo;
  FGlowColorHot = s->FGlowColorHot;
  FColorDown = s->FColorDown;
  FColorDownTo = s->FColorDownTo;
  FGlowColorDown = s->FGlowColorDown;
  FColorChecked = s->FColorChecked;
  FColorCheckedTo = s->FColorCheckedTo;
  FColorDisabled = s->FColorDisabled;
  FColorDisabledTo = s->FColorDisabledTo;
  FBorderColor = s->FBorderColor;
  FBorderColorHot = s->FBorderColorHot;
  FBorderColorDown = s->FBorderColorDown;
  FBorderColorChecked = s->FBorderColorChecked;
  FFont->Assign(s->FFont.get());
  FTextColor = s->FTextColor;
  FSpecialTextColor = s->FSpecialTextColor;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// The glossy key

namespace {

using namespace NeoGDIP;

// Alpha with the colour's three low bytes (red, green, blue of a TColor); clNone counts as white.
ARGB Translucent(TColor Color, Byte Alpha) {
  auto c = static_cast<Cardinal>(Color);
  return PackARGB(Alpha, static_cast<Byte>(c), static_cast<Byte>(c >> 8), static_cast<Byte>(c >> 16));
}

TGPRectF RectF(Integer X, Integer Y, Integer W, Integer H) {
  return TGPRectF{static_cast<Single>(X), static_cast<Single>(Y), static_cast<Single>(W), static_cast<Single>(H)};
}

// Fills Fill with a linear gradient laid over Area. GDI+ refuses a gradient over an empty area.
void FillGradient(TGPGraphics& G, TGPRectF Area, TGPRectF Fill, ARGB From, ARGB To, LinearGradientMode Mode) {
  if (Area.Width <= 0 || Area.Height <= 0 || Fill.Width <= 0 || Fill.Height <= 0) return;
  TGPLinearGradientBrush brush(Area, From, To, Mode);
  G.FillRectangle(&brush, Fill);
}

// One area of the glow: a rectangle path from (L, T) to (R, B) filled with its own gradient.
void FillGlowArea(TGPGraphics& G, TRect A, TColor Glow, LinearGradientMode Mode, Byte From, Byte To) {
  TGPRectF area = RectF(A.left, A.top, A.right - A.left, A.bottom - A.top);
  if (area.Width <= 0 || area.Height <= 0) return;
  TGPLinearGradientBrush brush(area, Translucent(Glow, From), Translucent(Glow, To), Mode);
  TGPGraphicsPath path;
  path.AddRectangle(area);
  G.FillPath(&brush, &path);
}

}  // namespace

void DrawGlossyButton(TCanvas* Canvas, TRect R, TColor BorderColor, TColor InnerBorderColor, TColor Color,
                      TColor ColorTo, TColor GlowColor, TColor ShineColor) {
  if (!Canvas) return;
  TGPGraphics g(Canvas->GetHandle());
  g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
  const Integer l = R.left, t = R.top, r = R.right, b = R.bottom;
  const Integer mid = t + (b - t) / 2, w = r - l;
  // Lower half, then the upper half in Color under a fading shine.
  FillGradient(g, RectF(l, mid, w - 1, b - mid), RectF(l, mid, w - 1, b - mid - 1), ColorToOpaqueARGB(Color),
               ColorToOpaqueARGB(ColorTo), LinearGradientModeVertical);
  TGPRectF upper = RectF(l, t, w - 1, mid - t);
  FillGradient(g, upper, upper, ColorToOpaqueARGB(Color), ColorToOpaqueARGB(Color), LinearGradientModeVertical);
  FillGradient(g, upper, upper, Translucent(ShineColor, 160), Translucent(ShineColor, 90),
               LinearGradientModeVertical);
  TGPPen white(ColorToOpaqueARGB(clWhite));
  g.DrawLine(&white, static_cast<Single>(l), static_cast<Single>(t + 1), static_cast<Single>(r),
             static_cast<Single>(t + 1));
  TGPPen inner(ColorToOpaqueARGB(InnerBorderColor));
  const TGPPointF frame[] = {{static_cast<Single>(l + 1), static_cast<Single>(t + 2)},
                             {static_cast<Single>(l + 1), static_cast<Single>(b - 2)},
                             {static_cast<Single>(r - 1), static_cast<Single>(b - 2)},
                             {static_cast<Single>(r - 1), static_cast<Single>(t + 1)}};
  for (int i = 0; i < 3; ++i) g.DrawLine(&inner, frame[i].X, frame[i].Y, frame[i + 1].X, frame[i + 1].Y);
  TGPPen border(ColorToOpaqueARGB(BorderColor));
  g.DrawRectangle(&border, RectF(l, t, w, b - t - 1));
  if (GlowColor == clNone) return;
  TGPPen glowBorder(Translucent(GlowColor, 100));
  g.DrawRectangle(&glowBorder, RectF(l, t, w, b - t - 1));
  FillGlowArea(g, TRect{l - 8, t, l, b}, GlowColor, LinearGradientModeHorizontal, 0, 130);
  FillGlowArea(g, TRect{r - 1, t, r + 8, b}, GlowColor, LinearGradientModeHorizontal, 130, 0);
  FillGlowArea(g, TRect{l, t - 8, r, t}, GlowColor, LinearGradientModeVertical, 0, 130);
  FillGlowArea(g, TRect{l, b - 1, r, b + 7}, GlowColor, LinearGradientModeVertical, 130, 0);
  FillGlowArea(g, TRect{l - 6, b - 1, l, b + 5}, GlowColor, LinearGradientModeBackwardDiagonal, 130, 0);
  FillGlowArea(g, TRect{r, b, r + 5, b + 5}, GlowColor, LinearGradientModeForwardDiagonal, 130, 0);
  FillGlowArea(g, TRect{l - 6, t - 6, l, t}, GlowColor, LinearGradientModeForwardDiagonal, 0, 130);
  FillGlowArea(g, TRect{r, t - 6, r + 5, t}, GlowColor, LinearGradientModeBackwardDiagonal, 0, 130);
}

// ---------------------------------------------------------------------------------------------
// Panel

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner),
      FButtons(std::make_unique<TCalcButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
  FButtons->OnChange = [this](TObject* Sender) { Changed(Sender); };
  FButtonAppearance->OnChange = [this](TObject* Sender) { Changed(Sender); };
  SetDoubleBuffered(true);
}

TCustomButtonPanel::~TCustomButtonPanel() {
  FButtons->OnChange = nullptr;
  FButtonAppearance->OnChange = nullptr;
}

void TCustomButtonPanel::Changed(TObject*) {
  if (!FNeoDropDown) Invalidate();
}

void TCustomButtonPanel::Loaded() {
  inherited::Loaded();
  if (!FNeoDropDown) CreateDefaultButtons();
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
  if (FButtonPanelType == Value) return;
  FButtonPanelType = Value;
  ArrangeButtons();
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TWinControl* Value) {
  FEdit = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove || GetComponentState().Contains(csDestroying)) return;
  if (AComponent == FImages) FImages = nullptr;
  if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::ClearButtons() { FButtons->Clear(); }

void TCustomButtonPanel::ResetButtons() {
  ClearButtons();
  CreateDefaultButtons();
}

void TCustomButtonPanel::CreateDefaultButtons() {
  if (FButtons->GetCount() == 0 && FButtonPanelType == plCalculator) {
    struct TKey {
      const char16_t* Caption;
      const char16_t* Name;
      Integer Tag;
      bool Special;
    };
    static const TKey keys[] = {
        {u"", u"BTN_ON", 30, false},      {u"Back", u"BTN_BACK", 31, true}, {u"CE", u"BTN_CE", 32, true},
        {u"C", u"BTN_C", 16, true},       {u"MC", u"BTN_MC", 33, true},     {u"MR", u"BTN_MR", 34, true},
        {u"MS", u"BTN_MS", 35, true},     {u"M+", u"BTN_M+", 36, true},     {u"0", u"BTN_0", 0, false},
        {u"1", u"BTN_1", 1, false},       {u"4", u"BTN_4", 4, false},       {u"7", u"BTN_7", 7, false},
        {u"8", u"BTN_8", 8, false},       {u"5", u"BTN_5", 5, false},       {u"2", u"BTN_2", 2, false},
        {u"+/-", u"BTN_+/-", 14, false},  {u".", u"BTN_.", 15, false},      {u"3", u"BTN_3", 3, false},
        {u"6", u"BTN_6", 6, false},       {u"9", u"BTN_9", 9, false},       {u"/", u"BTN_/", 13, true},
        {u"*", u"BTN_*", 12, true},       {u"-", u"BTN_-", 11, true},       {u"+", u"BTN_+", 10, true},
        {u"=", u"BTN_=", 17, true},       {u"1/x", u"BTN_1/x", 38, false},  {u"%", u"BTN_%", 18, false},
        {u"sqrt", u"BTN_sqrt", 37, true},
    };
    FButtons->BeginUpdate();
    for (const TKey& k : keys) {
      TCalcButtonItem* key = FButtons->Add();
      key->SetCaption(k.Caption);
      key->SetName(k.Name);
      key->SetTag(k.Tag);
      key->SetSpecial(k.Special);
      key->SetCaptionColor(k.Special ? static_cast<TColor>(0x000080) : static_cast<TColor>(0xFFFFFF));
    }
    FButtons->EndUpdate();
  }
  ArrangeButtons();
}

TRect TCustomButtonPanel::GetButtonArea() {
  TRect r = GetClientRect();
  InflateRect(&r, -FOffSetX, -FOffSetY);
  return r;
}

void TCustomButtonPanel::ArrangeButtons() {
  if (FButtonPanelType != plCalculator || FButtons->GetCount() == 0) return;
  const TRect a = GetButtonArea();
  const Integer gap = 4;
  const Integer w = (a.right - a.left - 2 * gap) / 6, h = (a.bottom - a.top - gap) / 5;
  const Integer y0 = a.top, y1 = y0 + h + gap, y2 = y1 + h - 1, y3 = y2 + h - 1, y4 = y3 + h - 1;
  const Integer x0 = a.left, x1 = x0 + w + gap, x2 = x1 + w - 1, x3 = x2 + w - 1, x4 = x3 + w + gap,
                x5 = x4 + w - 1;
  // A keypad with fewer keys than the default set places the ones it has.
  auto place = [&](Integer Index, Integer X, Integer Y, Integer W) {
    if (IsValidIndex(Index)) FButtons->GetItems(Index)->SetBounds(X, Y, W, h);
  };
  // Keys by index in the rows y1 to y4, columns x0 to x5.
  static const Integer grid[4][6] = {
      {4, 11, 12, 19, 20, 27},
      {5, 10, 13, 18, 21, 26},
      {6, 9, 14, 17, 22, 25},
      {7, 8, 15, 16, 23, 24},
  };
  const Integer xs[6] = {x0, x1, x2, x3, x4, x5}, ys[4] = {y1, y2, y3, y4};
  for (Integer row = 0; row < 4; ++row)
    for (Integer col = 0; col < 6; ++col) place(grid[row][col], xs[col], ys[row], w);
  place(0, x0, y0, w);
  const Integer right = x5 + w, x = x0 + w + gap, k = (right - x - 2 * gap) / 3;
  place(1, x, y0, k);
  place(2, x + k + gap, y0, k);
  place(3, x + 2 * k + 2 * gap, y0, right - (x + 2 * k + 2 * gap));
}

TSize TCustomButtonPanel::ImageSizeOf(TCalcButtonItem* Key) const {
  if (Key->HasPicture()) return TSize{Key->GetImage()->GetWidth(), Key->GetImage()->GetHeight()};
  if (FImages && Key->GetImageIndex() >= 0) return TSize{FImages->GetWidth(), FImages->GetHeight()};
  return TSize{0, 0};
}

TSize TCustomButtonPanel::GetButtonSize() {
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  Integer iw = 0, ih = 0, tw = 0, th = 0;
  for (TCollectionItem* item : *FButtons) {
    auto* key = static_cast<TCalcButtonItem*>(item);
    TSize image = ImageSizeOf(key);
    iw = std::max(iw, image.cx);
    ih = std::max(ih, image.cy);
    TSize text = GetTextSize(canvas, key->GetCaption());
    tw = std::max(tw, text.cx);
    th = std::max(th, text.cy);
  }
  TSize size{};
  if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
    size.cx = 2 * FButtonOffSetX + iw;
    if (tw > 0) size.cx += (iw > 0 ? FCaptionGap : 0) + tw;
    size.cy = std::max(ih, th) + 2 * FButtonOffSetY;
  } else {
    size.cx = std::max(iw, tw) + 2 * FButtonOffSetX;
    size.cy = 2 * FButtonOffSetY + ih;
    if (th >= 1) size.cy += (ih > 0 ? FCaptionGap : 0) + th;
  }
  return size;
}

Integer TCustomButtonPanel::ButtonAtPos(Integer X, Integer Y) {
  TPoint p{X, Y};
  for (Integer i = 0; i < FButtons->GetCount(); ++i) {
    TRect r = FButtons->GetItems(i)->GetRect();
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

TRect TCustomButtonPanel::GetButtonRect(Integer Index) {
  if (!IsValidIndex(Index)) return TRect{-1, -1, -1, -1};
  return FButtons->GetItems(Index)->GetRect();
}

void TCustomButtonPanel::InvalidateButton(Integer Index) {
  if (!IsValidIndex(Index) || !HandleAllocated()) return;
  TRect r = GetButtonRect(Index);
  InflateRect(&r, 8, 8);
  // libgdiplus's anti-aliasing tints one more column and row beyond a filled area's right and
  // bottom edges: the glow reaching 8 pixels right of the key leaves its trace in the ninth.
  ++r.right;
  ++r.bottom;
  InvalidateRect(GetHandle(), &r, TRUE);
}

void TCustomButtonPanel::MoveMark(Integer& Field, Integer Index) {
  if (Index == Field || IsDisabledKey(Index)) return;
  if (Field >= 0) {
    Integer old = Field;
    Field = -1;
    InvalidateButton(old);
  }
  Field = Index;
  if (Index >= 0 && HandleAllocated()) DrawButton(Index, GetCanvas());
}

void TCustomButtonPanel::SetButtonHot(Integer Index) { MoveMark(FButtonHot, Index); }
void TCustomButtonPanel::SetButtonDown(Integer Index) { MoveMark(FButtonDown, Index); }

void TCustomButtonPanel::DoButtonClick(Integer Index) {
  if (OnButtonClick) OnButtonClick(this, Index);
}

void TCustomButtonPanel::DrawButton(Integer Index, TCanvas* Canvas) {
  if (!IsValidIndex(Index) || !Canvas) return;
  TCalcButtonItem* key = FButtons->GetItems(Index);
  TRect r = key->GetRect();
  if (r.left < 0 && r.right < 0) return;
  TButtonAppearance* a = FButtonAppearance.get();
  TColor border = a->GetBorderColor(), color = a->GetColor(), colorTo = a->GetColorTo(), glow = clNone;
  if (Index == FButtonHot) {
    border = a->GetBorderColorHot();
    color = a->GetColorHot();
    colorTo = a->GetColorHotTo();
    glow = a->GetGlowColorHot();
  }
  if (Index == FButtonDown) {
    border = a->GetBorderColorDown();
    color = a->GetColorDown();
    colorTo = a->GetColorDownTo();
    glow = a->GetGlowColorDown();
  }
  DrawGlossyButton(Canvas, r, border, static_cast<TColor>(0xE7E0C7), color, colorTo, glow, a->GetShineColor());
  DrawKeyContent(key, r, Canvas);
}

void TCustomButtonPanel::DrawKeyContent(TCalcButtonItem* Key, TRect R, TCanvas* Canvas) {
  const TSize image = ImageSizeOf(Key);
  const bool hasPicture = Key->HasPicture(), hasListImage = !hasPicture && FImages && Key->GetImageIndex() >= 0;
  const bool hasImage = hasPicture || hasListImage;
  TRect a = R;
  InflateRect(&a, -FButtonOffSetX, -FButtonOffSetY);
  Integer x = a.left, yc = a.top + (a.bottom - a.top - image.cy) / 2;
  Canvas->GetFont()->Assign(FButtonAppearance->GetFont());
  Canvas->GetFont()->SetColor(Key->GetSpecial() ? FButtonAppearance->GetSpecialTextColor()
                                                : FButtonAppearance->GetTextColor());
  Canvas->GetBrush()->SetStyle(bsClear);
  const String& caption = Key->GetCaption();
  const bool stacked = FButtonLayout == ilCaptionTop || FButtonLayout == ilCaptionBottom;
  UINT flags = DT_SINGLELINE | DT_VCENTER | (!hasImage || stacked ? DT_CENTER : 0);
  auto drawCaption = [&](TRect T) {
    if (caption.empty()) return;
    SetBkMode(Canvas->GetHandle(), TRANSPARENT);
    DrawTextW(Canvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &T, flags);
  };
  auto drawImage = [&](Integer X, Integer Y) {
    if (hasPicture) Canvas->Draw(X, Y, Key->GetImage()->GetGraphic());
    else if (hasListImage) FImages->Draw(Canvas, X, Y, Key->GetImageIndex(), Key->GetEnabled());
  };
  switch (FButtonLayout) {
    case ilCaptionLeft:
      if (!caption.empty()) {
        a.right -= image.cx;
        drawCaption(a);
        x = a.left + GetTextSize(Canvas, caption).cx + FCaptionGap;
      }
      drawImage(x, yc);
      break;
    case ilCaptionRight:
      drawImage(x, yc);
      if (hasImage) a.left = x + image.cx + FCaptionGap;
      drawCaption(a);
      break;
    case ilCaptionTop:
      if (!caption.empty()) {
        a.bottom -= image.cy;
        drawCaption(a);
        yc = a.top + GetTextSize(Canvas, caption).cy + FCaptionGap;
      }
      drawImage(x, yc);
      break;
    case ilCaptionBottom: {
      Integer y = caption.empty() ? yc : a.top;
      drawImage(x, y);
      a.top = y + image.cy + FCaptionGap;
      drawCaption(a);
      break;
    }
  }
}

void TCustomButtonPanel::DrawButtons(TCanvas* Canvas) {
  for (Integer i = 0; i < FButtons->GetCount(); ++i)
    if (i != FButtonHot) DrawButton(i, Canvas);
}

void TCustomButtonPanel::Paint() {
  TCanvas* canvas = GetCanvas();
  if (!FNeoDropDown) {
    canvas->GetBrush()->SetStyle(bsClear);
    canvas->GetPen()->SetColor(clBlack);
    canvas->Rectangle(GetClientRect());
  }
  DrawButtons(canvas);
  // The hot key last, so that its glow lies over its neighbours.
  DrawButton(FButtonHot, canvas);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseDown(Button, Shift, X, Y);
  Integer index = ButtonAtPos(X, Y);
  if (index >= 0 && !IsDisabledKey(index)) SetButtonDown(index);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  Integer index = ButtonAtPos(X, Y);
  SetButtonHot(index >= 0 && !IsDisabledKey(index) ? index : -1);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseUp(Button, Shift, X, Y);
  if (FButtonDown < 0) return;
  Integer index = ButtonAtPos(X, Y);
  bool counted = index >= 0 && index == FButtonDown;
  SetButtonDown(-1);
  if (counted) DoButtonClick(index);
}

void TCustomButtonPanel::Dispatch(TMessage& Message) {
  inherited::Dispatch(Message);
  switch (Message.Msg) {
    case WM_SIZE: ArrangeButtons(); break;
    case CM_MOUSELEAVE: SetButtonHot(-1); break;
  }
}
