// THintWindow: a top-most popup with a thin frame that shows a hint text and never takes the
// focus or the mouse.
#include "platform/ui/Forms.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FBrush->SetColor(FColor);
  FVisible = false;
  FParentFont = false;
  GetFont()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(Integer MaxWidth, const String& AHint, void*) {
  TRect r{0, 0, MaxWidth, 0};
  HDC dc = GetDC(nullptr);
  {
    ControlPaint::TSelectFont sel(dc, GetFont());
    DrawText(dc, AHint.c_str(), static_cast<int>(AHint.size()), &r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  }
  ReleaseDC(nullptr, dc);
  r.right += 6 + 2 * GetSystemMetrics(SM_CXBORDER);
  r.bottom += 2 + 2 * GetSystemMetrics(SM_CYBORDER);
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  // Kept on the screen.
  Integer sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  Integer w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  if (Rect.right > sw) Rect.left = std::max(0, sw - w);
  if (Rect.bottom > sh) Rect.top = std::max(0, sh - h);
  SetBounds(Rect.left, Rect.top, w, h);
  HandleNeeded();
  SetWindowPos(FHandle, HWND_TOPMOST, Rect.left, Rect.top, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
  Update();
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void*) { ActivateHint(Rect, AHint); }

void THintWindow::ReleaseHandle() {
  FVisible = false;
  DestroyHandle();
}

void THintWindow::Paint() {
  TCanvas* c = GetCanvas();
  TRect r = GetClientRect();
  c->GetBrush()->SetColor(GetColor());
  c->FillRect(r);
  InflateRect(&r, -2, -1);
  String text = GetText();
  ControlPaint::DrawCaption(c->GetHandle(), GetFont(), text, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX, true);
}

void THintWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
    default: inherited::Dispatch(Message); return;
  }
}
