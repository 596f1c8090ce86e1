// Panels, timers and images.
#include <algorithm>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

// ---------------------------------------------------------------------------------------------
// TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(Integer Value) {
  FBevelWidth = std::max(1, Value);
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(Integer Value) {
  FBorderWidth = std::max(0, Value);
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  Integer inset = FBorderWidth;
  if (FBevelOuter != bvNone) inset += FBevelWidth;
  if (FBevelInner != bvNone) inset += FBevelWidth;
  InflateRect(&Rect, -inset, -inset);
}

namespace {

// One bevel ring of Width pixels: raised shows light top-left and dark bottom-right edges.
void Bevel(HDC DC, TRect& Rect, TBevelCut Cut, Integer Width) {
  if (Cut == bvNone) return;
  for (Integer i = 0; i < Width; ++i) {
    if (Cut != bvSpace) DrawEdge(DC, &Rect, Cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&Rect, -1, -1);
  }
}

}  // namespace

void TCustomPanel::Paint() {
  HDC dc = GetCanvas()->GetHandle();
  TRect r = GetClientRect();
  ControlPaint::FillColor(dc, r, GetColor());
  Bevel(dc, r, FBevelOuter, FBevelWidth);
  InflateRect(&r, -FBorderWidth, -FBorderWidth);
  Bevel(dc, r, FBevelInner, FBevelWidth);
  String caption = GetText();
  if (caption.empty()) return;
  UINT flags = DT_SINGLELINE | DT_VCENTER | (FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
  ControlPaint::DrawCaption(dc, GetFont(), caption, r, flags, GetEnabled());
}

void TCustomPanel::Dispatch(TMessage& Message) { inherited::Dispatch(Message); }

// ---------------------------------------------------------------------------------------------
// TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle = AllocateHWnd([this](TMessage& M) { WndProc(M); });
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::UpdateTimer() {
  if (!FWindowHandle) return;
  KillTimer(FWindowHandle, 1);
  if (FEnabled && FInterval != 0 && FOnTimer) SetTimer(FWindowHandle, 1, FInterval, nullptr);
}

void TTimer::SetEnabled(bool Value) {
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}

void TTimer::WndProc(TMessage& Message) {
  if (Message.Msg == WM_TIMER) {
    try {
      Timer();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
    return;
  }
  Message.Result = DefWindowProc(FWindowHandle, Message.Msg, Message.WParam, Message.LParam);
}

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FWidth = 105;
  FHeight = 105;
  FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
}

TImage::~TImage() = default;

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  FTransparent = Value;
  if (TGraphic* g = FPicture->GetGraphic()) g->SetTransparent(Value);
  Invalidate();
}

void TImage::PictureChanged(TObject*) {
  if (TGraphic* g = FPicture->GetGraphic(); g && FTransparent != g->GetTransparent() && FTransparent)
    g->SetTransparent(true);
  if (FAutoSize) AdjustSize();
  Invalidate();
}

bool TImage::CanAutoSize(Integer& NewWidth, Integer& NewHeight) {
  if (FPicture->GetWidth() <= 0 || FPicture->GetHeight() <= 0) return false;
  NewWidth = FPicture->GetWidth();
  NewHeight = FPicture->GetHeight();
  return true;
}

TRect TImage::DestRect() {
  Integer w = FPicture->GetWidth(), h = FPicture->GetHeight();
  Integer cw = FWidth, ch = FHeight;
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      // The largest size of the picture's proportions that fits.
      if (static_cast<Int64>(cw) * h > static_cast<Int64>(ch) * w) {
        w = static_cast<Integer>(static_cast<Int64>(ch) * w / h);
        h = ch;
      } else {
        h = static_cast<Integer>(static_cast<Int64>(cw) * h / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r{0, 0, w, h};
  if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = FPicture->GetGraphic();
  if (!g || g->GetEmpty()) return;
  TRect r = DestRect();
  GetCanvas()->StretchDraw(r, g);
}
