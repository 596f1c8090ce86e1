// TNoActiveForm, TScrollControl, THeaderDragButton.
#include "lib/grid/core/NeoGridCompanions.h"

#include <algorithm>

#include "lib/render/NeoHTMLEngine.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/ScopeGuard.h"

// ---------------------------------------------------------------------------------------------
// TNoActiveForm
// ---------------------------------------------------------------------------------------------
void TNoActiveForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.Style = FEnabled ? WS_POPUP : WS_POPUP | WS_DISABLED | WS_BORDER;
  Params.WindowClassStyle |= CS_SAVEBITS;
  if (auto* owner = dynamic_cast<TWinControl*>(GetOwner())) Params.WndParent = owner->GetHandle();
}

void TNoActiveForm::SetVisible(bool Value) {
  if (GetParent() || !Value || GetVisible()) {
    TForm::SetVisible(Value);
    return;
  }
  FVisible = true;
  HandleNeeded();
  DoShow();
  if (!FVisible) return;
  SetWindowPos(GetHandle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TNoActiveForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      TForm::Dispatch(Message);
      Message.Result = 1;
      return;
    case WM_MOUSEACTIVATE:
      TForm::Dispatch(Message);
      Message.Result = MA_NOACTIVATE;
      return;
    default:
      TForm::Dispatch(Message);
  }
}

// ---------------------------------------------------------------------------------------------
// TScrollControl
// ---------------------------------------------------------------------------------------------
TScrollControl::TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) { TControl::SetColor(0xC0C0C0); }

TNeoStringGrid* TScrollControl::Grid() const { return dynamic_cast<TNeoStringGrid*>(GetParent()); }

TScrollControl::TAxis TScrollControl::Axis(TNeoStringGrid* G) const {
  TAxis a;
  if (FDirection == sdVertical) {
    a = TAxis{G->GetRowCount(), G->GetFixedRows(), G->GetVisibleRowCount(), G->GetTopRowEx(), GetHeight()};
  } else {
    a = TAxis{G->GetColCount(), G->GetFixedCols(), G->GetVisibleColCount(), G->GetLeftCol(), GetWidth()};
  }
  return a;
}

void TScrollControl::SetFirst(TNeoStringGrid* G, Integer Value) {
  if (FDirection == sdVertical) G->SetTopRowEx(Value);
  else G->SetLeftCol(Value);
}

bool TScrollControl::ThumbGeometry(Integer& Position, Integer& Length) const {
  TNeoStringGrid* g = Grid();
  if (!g) return false;
  const TAxis a = Axis(g);
  const bool vert = FDirection == sdVertical;
  auto size = [&](Integer I) { return vert ? g->GetRowHeights(I) : g->GetColWidths(I); };
  Integer fixedSize = 0, endSize = 0;
  for (Integer i = 0; i < a.Fixed; ++i) fixedSize += size(i);
  const Integer endCount = vert ? g->GetFixedFooters() : g->GetFixedRightCols();
  for (Integer i = std::max(0, a.Count - endCount); i < a.Count; ++i) endSize += size(i);
  const Double track = a.Extent - fixedSize - endSize;
  const Double ratioLen = static_cast<Double>(a.Visible) / std::max(1, a.Count);
  const Double ratioPos = static_cast<Double>(a.First - a.Fixed) / std::max(1, a.Count - a.Fixed);
  Position = fixedSize + static_cast<Integer>(Round(track * ratioPos));
  Length = std::max<Integer>(20, static_cast<Integer>(Round(track * ratioLen)));
  if (Position + Length > a.Extent) Position = a.Extent - Length;
  return true;
}

bool TScrollControl::ThumbShown() const {
  TNeoStringGrid* g = Grid();
  if (!g) return false;
  const TAxis a = Axis(g);
  return a.Visible < a.Count - a.Fixed;
}

void TScrollControl::Paint() {
  Integer pos = 0, len = 0;
  if (!ThumbShown() || !ThumbGeometry(pos, len)) return;
  TCanvas* c = GetCanvas();
  c->GetPen()->SetColor(GetColor());
  c->GetBrush()->SetColor(GetColor());
  if (FDirection == sdVertical) c->Rectangle(0, pos, FScrollWidth, pos + len);
  else c->Rectangle(pos, 0, pos + len, FScrollWidth);
}

void TScrollControl::PaintParentInto(HDC DC) {
  TWinControl* parent = GetParent();
  auto* form = dynamic_cast<TCustomForm*>(parent);
  const bool buffered = form && form->GetDoubleBuffered();
  if (buffered) form->SetDoubleBuffered(false);
  const int saved = SaveDC(DC);
  const auto restore = ScopeExit([&] {
    RestoreDC(DC, saved);
    if (buffered) form->SetDoubleBuffered(true);
  });
  OffsetViewportOrgEx(DC, -GetLeft(), -GetTop(), nullptr);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}

void TScrollControl::WMPaint(TMessage& Message) {
  HDC given = reinterpret_cast<HDC>(Message.WParam);
  if (!given && GetDoubleBuffered()) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetHandle(), &ps);
    const Integer w = std::max(GetClientWidth(), 1), h = std::max(GetClientHeight(), 1);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    const auto release = ScopeExit([&] {
      SelectObject(mem, old);
      DeleteObject(bmp);
      DeleteDC(mem);
      EndPaint(GetHandle(), &ps);
    });
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
    TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(mem), 0, 0};
    WMPaint(inner);
    BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY);
    return;
  }
  if (given && GetParent()) PaintParentInto(given);
  TCustomControl::Dispatch(Message);
}

void TScrollControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    WMPaint(Message);
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TNeoStringGrid* g = Grid();
  Integer pos = 0, len = 0;
  if (!g || !ThumbGeometry(pos, len)) return;
  const TAxis a = Axis(g);
  const Integer at = FDirection == sdVertical ? Y : X;
  if (at < pos) {
    SetFirst(g, std::max(a.Fixed, a.First - a.Visible));
  } else if (at >= pos + len) {
    SetFirst(g, std::min(a.First + a.Visible, a.Count - a.Visible));
  } else {
    FDownOnScroller = true;
    FDownPos = at;
    FDownRow = a.First;
    return;
  }
  Invalidate();
}

void TScrollControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  TNeoStringGrid* g = Grid();
  if (!FDownOnScroller || !g) return;
  const TAxis a = Axis(g);
  const bool vert = FDirection == sdVertical;
  // Moving the thumb by the control's extent past the first row or column scrolls the whole count.
  const Integer divisor = a.Extent - (vert ? g->GetRowHeights(0) : g->GetColWidths(0));
  if (divisor <= 0) return;
  const Integer moved = (vert ? Y : X) - FDownPos;
  const Integer delta = static_cast<Integer>(Round(static_cast<Double>(moved) / divisor * a.Count));
  SetFirst(g, std::max(a.Fixed, std::min(FDownRow + delta, a.Count - a.Visible)));
  Invalidate();
}

void TScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  FDownOnScroller = false;
}

// ---------------------------------------------------------------------------------------------
// THeaderDragButton
// ---------------------------------------------------------------------------------------------
THeaderDragButton::THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner) { TControl::SetColor(clBtnFace); }

void THeaderDragButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  Invalidate();
}

void THeaderDragButton::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.WindowClassStyle |= CS_SAVEBITS;
}

void THeaderDragButton::Paint() {
  TCanvas* c = GetCanvas();
  TRect r = GetClientRect();
  if (FGrid) FGrid->PaintCellExt(c, 0, 0, r, TGridDrawState{gdFixed});
  SetBkMode(c->GetHandle(), TRANSPARENT);
  if (FCaption.find(u"</") != String::npos) {
    THtmlDrawParams p;
    p.ACanvas = c;
    p.AText = FCaption;
    p.ARect = r;
    p.AImages = FGrid ? FGrid->GetGridImages() : nullptr;
    p.AURLColor = static_cast<TColor>(0xFF0000);
    p.AHoverColor = clNone;
    p.AHoverFontColor = clNone;
    p.AShadowColor = static_cast<TColor>(0x808080);
    p.AWinHandle = GetHandle();
    DrawHtmlText(p);
    return;
  }
  String text = FCaption;
  RECT tr = r;
  DrawTextEx(c->GetHandle(), text.data(), static_cast<int>(text.size()), &tr,
             DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER, nullptr);
}
