// THTMLHintWindow: measuring, placing and painting markup and pair-encoded hints.
#include "lib/grid/core/NeoHTMLHintWindow.h"

#include "lib/base/NeoStyleIF.h"
#include "lib/grid/core/NeoStringGrid.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "lib/render/NeoHTMLEngine.h"

String HintFontName;

namespace {

constexpr Integer MeasureWidth = 1008;
constexpr Integer PlainExtraWidth = 8;
constexpr Integer MarkupExtraWidth = 16;
constexpr Integer ExtraHeight = 4;

bool IsPairEncodedHint(const String& AHint) { return DetectCellTextKind(AHint, true) == ctkPairEncoded; }

}  // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::CreateParams(TCreateParams& Params) {
  THintWindow::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  if (IsWindowsXPOrNewer()) Params.WindowClassStyle |= CS_DROPSHADOW;
}

TSize THTMLHintWindow::LayoutHint(const String& AHint, TRect R, bool Draw) {
  TCanvas* canvas = GetCanvas();
  if (IsPairEncodedHint(AHint)) {
    if (!HintFontName.empty()) canvas->GetFont()->SetName(HintFontName);
    String text = DecodePairEncodedText(AHint);
    UINT flags = DT_NOPREFIX | DT_SINGLELINE | (Draw ? 0u : static_cast<UINT>(DT_CALCRECT));
    RECT r = R;
    DrawTextEx(canvas->GetHandle(), text.data(), static_cast<int>(text.size()), &r, flags, nullptr);
    return TSize{r.right - r.left, r.bottom - r.top};
  }
  THtmlDrawParams p;
  p.ACanvas = canvas;
  p.AText = AHint;
  p.ARect = R;
  p.AImages = FImages;
  p.APictureContainer = FPictureContainer;
  p.ACheckHeight = !Draw;
  p.AFocusLink = -1;
  p.AURLColor = static_cast<TColor>(0xFF0000);
  p.AHoverColor = clNone;
  p.AHoverFontColor = clNone;
  p.AShadowColor = static_cast<TColor>(0x808080);
  p.ARightToLeft = GetBiDiMode();
  p.AWinHandle = HandleAllocated() ? GetHandle() : nullptr;
  DrawHtmlText(p);
  return TSize{p.AXSize, p.AYSize};
}

TRect THTMLHintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*) {
  HandleNeeded();
  GetCanvas()->GetFont()->Assign(GetFont());
  TSize size = LayoutHint(AHint, TRect{0, 0, MaxWidth, 0}, false);
  return TRect{0, 0, size.cx, size.cy};
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const String& AHint, void* AData) {
  if (auto* grid = dynamic_cast<TNeoStringGrid*>(static_cast<TObject*>(AData))) {
    // The grid has no picture container yet: markup pictures come from its images.
    FImages = grid->GetGridImages();
  }
  THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  HandleNeeded();
  GetCanvas()->GetFont()->Assign(GetFont());
  const bool pair = IsPairEncodedHint(AHint);
  TSize size = LayoutHint(AHint, TRect{Rect.left, Rect.top, Rect.left + MeasureWidth, Rect.bottom}, false);
  const Integer extra = pair ? PlainExtraWidth : MarkupExtraWidth;
  FTextWidth = size.cx;
  FTextHeight = size.cy;
  FWideCaption = pair ? DecodePairEncodedText(AHint) : String();

  TRect r{Rect.left, Rect.top, Rect.left + FTextWidth + extra, Rect.top + FTextHeight + ExtraHeight};
  if (TMonitor* m = Screen->MonitorFromPoint(TPoint{r.left, r.top})) {
    if (m->GetWidth() < r.right - m->GetLeft()) {
      r.left = m->GetLeft() + m->GetWidth() - (r.right - r.left) - 2;
      r.right = r.left + FTextWidth + extra;
    }
    if (m->GetHeight() < r.bottom - m->GetTop()) {
      r.bottom = m->GetTop() + m->GetHeight() - 2;
      r.top = r.bottom - FTextHeight - ExtraHeight;
    }
  }
  SetBoundsRect(r);
  SetWindowPos(GetHandle(), HWND_TOPMOST, r.left, r.top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  Invalidate();
}

void THTMLHintWindow::Paint() {
  TCanvas* c = GetCanvas();
  TRect client = GetClientRect();
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(client);
  c->GetPen()->SetColor(cl3DLight);
  c->Polyline({TPoint{client.left, client.bottom - 2}, TPoint{client.left, client.top},
               TPoint{client.right - 1, client.top}});
  c->GetPen()->SetColor(cl3DDkShadow);
  c->Polyline({TPoint{client.left, client.bottom - 1}, TPoint{client.right - 1, client.bottom - 1},
               TPoint{client.right - 1, client.top - 1}});

  TRect r = client;
  r.left += 4;
  r.right -= 4;
  r.top = client.top + (client.bottom - client.top - FTextHeight) / 2;
  r.bottom = r.top + FTextHeight + 8;
  c->GetBrush()->SetColor(GetColor());
  LayoutHint(GetText(), r, true);
}

void THTMLHintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_TEXTCHANGED) {
    Invalidate();
    return;
  }
  THintWindow::Dispatch(Message);
}
