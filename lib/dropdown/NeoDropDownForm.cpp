#include "lib/dropdown/NeoDropDownForm.h"

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/dropdown/NeoHeader.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

namespace {

// The top-level window above a window: GetParent followed to the root.
HWND RootByParents(HWND Wnd) {
  HWND root = Wnd;
  while (HWND parent = GetParent(root)) root = parent;
  return root;
}

// Whether Ancestor lies on the GetParent chain above Wnd (Wnd itself not counted).
bool HasAncestor(HWND Wnd, HWND Ancestor) {
  for (HWND w = Wnd ? GetParent(Wnd) : nullptr; w; w = GetParent(w))
    if (w == Ancestor) return true;
  return false;
}

}  // namespace

TDropDownForm::TDropDownForm(TComponent* AOwner) : TForm(AOwner) {
  FShadow = true;
  FIsDeactivating = false;
  FCancelOnDeActivate = true;
}

void TDropDownForm::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, std::max(AWidth, FMinWidth), std::max(AHeight, FMinHeight));
}

void TDropDownForm::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.ExStyle |= WS_EX_TOPMOST;
  if (FNeoDropDown) {
    if (TCustomForm* form = GetParentForm(FNeoDropDown)) Params.WndParent = form->GetHandle();
  }
}

void TDropDownForm::AdjustClientRect(TRect& Rect) {
  inherited::AdjustClientRect(Rect);
  if (!FNeoDropDown) return;
  const Integer b = FNeoDropDown->GetDropDownBorderWidth();
  Rect = TRect{Rect.left + b, Rect.top + b, Rect.right - b, Rect.bottom - b};
}

void TDropDownForm::PaintWindow(HDC DC) {
  inherited::PaintWindow(DC);
  TCanvas canvas;
  canvas.SetHandle(DC);
  DrawBackground(&canvas);
  canvas.SetHandle(nullptr);
}

void TDropDownForm::DrawBackground(TCanvas* Canvas) {
  if (!FNeoDropDown) return;
  const Integer bw = FNeoDropDown->GetDropDownBorderWidth();
  const TRect client = GetClientRect();
  const TRect r{client.left + bw, client.top + bw, client.right - bw, client.bottom - bw};
  const TColor from = FNeoDropDown->GetDropDownColor(), to = FNeoDropDown->GetDropDownColorTo();
  if (from != clNone && to != clNone) {
    PaintDropDownGradient(Canvas, from, to, FNeoDropDown->GetDropDownGradient() == gdHorizontal, r, 80);
  } else if (from != clNone) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(from);
    Canvas->FillRect(r);
  }
  if (bw > 0) {
    Canvas->GetPen()->SetWidth(bw);
    Canvas->GetPen()->SetColor(FNeoDropDown->GetDropDownBorderColor());
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->Rectangle(client.left + bw / 2, client.top + bw / 2, client.right, client.bottom);
  }
}

void TDropDownForm::DoHide() {
  // A hide ends any deactivation, also one that left the popup open for a window of its own.
  FIsDeactivating = false;
  inherited::DoHide();
}

void TDropDownForm::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FHeader) FHeader = nullptr;
  if (AComponent == FFooter) FFooter = nullptr;
}

void TDropDownForm::InitializeAndUpdate() {
  if (!FNeoDropDown) return;
  InitializeHeader();
  InitializeFooter();
}

void TDropDownForm::InitializeHeader() {
  THeaderAppearance* look = FNeoDropDown->GetDropDownHeader();
  if (FHeader) {
    FHeader->SetNeoDropDown(FNeoDropDown);
    FHeader->SetHeight(look->GetHeight());
    FHeader->InitButtons();
    FHeader->SetVisible(look->GetVisible());
  } else if (look->GetVisible()) {
    FHeader = new TNeoHeader(this);
    FHeader->SetParent(this);
    FHeader->SetHeight(look->GetHeight());
    FHeader->SetNeoDropDown(FNeoDropDown);
    FHeader->InitButtons();
    FHeader->SetAlign(alTop);
  }
  if (!FHeader) return;
  FHeader->OnDrawBackGround = FNeoDropDown->OnDrawHeader;
  FHeader->OnGetText = FNeoDropDown->OnGetHeaderText;
}

void TDropDownForm::InitializeFooter() {
  TFooterAppearance* look = FNeoDropDown->GetDropDownFooter();
  if (FFooter) {
    FFooter->SetNeoDropDown(FNeoDropDown);
    FFooter->SetHeight(look->GetHeight());
    FFooter->InitButtons();
    FFooter->SetVisible(look->GetVisible());
  } else if (look->GetVisible()) {
    FFooter = new TNeoFooter(this);
    FFooter->SetParent(this);
    FFooter->SetHeight(look->GetHeight());
    FFooter->SetNeoDropDown(FNeoDropDown);
    FFooter->InitButtons();
    FFooter->SetAlign(alBottom);
  }
  if (!FFooter) return;
  FFooter->OnDrawBackGround = FNeoDropDown->OnDrawFooter;
  FFooter->OnGetText = FNeoDropDown->OnGetFooterText;
}

void TDropDownForm::WMActivate(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FBlockActivate) return;
  if (LOWORD(Message.WParam) != WA_INACTIVE) {
    FIsDeactivating = false;
    if (FNeoDropDown && FNeoDropDown->HandleAllocated())
      SendMessage(RootByParents(FNeoDropDown->GetHandle()), WM_NCACTIVATE, TRUE, 0);
    return;
  }
  if (!GetVisible()) return;
  FIsDeactivating = true;
  FDeActivate = GetTickCount();
  // A window of the popup's own (a menu of its content) leaves it open.
  if (HasAncestor(reinterpret_cast<HWND>(Message.LParam), GetHandle())) return;
  if (FNeoDropDown)
    FNeoDropDown->DoHideDropDown(FCancelOnDeActivate);
  else
    Hide();
  FIsDeactivating = false;
}

void TDropDownForm::WMNCHitTest(TMessage& Message) {
  const TPoint p = ScreenToClient(TPoint{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  Message.Result = FSizeable && p.x > GetWidth() - 10 && p.y > GetHeight() - 10 ? HTBOTTOMRIGHT : HTNOWHERE;
}

void TDropDownForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE: WMActivate(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS; return;
    case WM_SIZE:
      inherited::Dispatch(Message);
      Invalidate();
      if (OnSize) OnSize(this);
      return;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
      if (!(pos->flags & SWP_NOSIZE)) {
        pos->cx = std::max(pos->cx, FMinWidth);
        pos->cy = std::max(pos->cy, FMinHeight);
      }
      inherited::Dispatch(Message);
      return;
    }
    case WM_GETMINMAXINFO: {
      inherited::Dispatch(Message);
      auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
      info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, FMinWidth);
      info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, FMinHeight);
      return;
    }
    case WM_SIZING:
      DefaultHandler(Message);
      if (OnSizing) OnSizing(this);
      return;
    default: inherited::Dispatch(Message);
  }
}
