// TWinControl: the window, its children, tab order and focus, painting, alignment and the key
// path (CN_KEYDOWN, the form's dialog keys, KeyDown / KeyPress / KeyUp).
#include <algorithm>
#include <set>

#include "platform/rtl/ScopeGuard.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

extern Integer gRecreatingWindows;

namespace {

const Char kControlProp[] = u"ZelkControl";

// Every control window has this procedure; the object is found through the window's property.
std::set<String>& RegisteredClasses() {
  static std::set<String> names;
  return names;
}

void RegisterControlClass(const TCreateParams& Params, WNDPROC Proc) {
  if (RegisteredClasses().count(Params.WinClassName)) return;
  WNDCLASSEX wc;
  wc.style = Params.WindowClassStyle;
  wc.lpfnWndProc = Proc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = Params.WinClassName.c_str();
  RegisterClassEx(&wc);
  RegisteredClasses().insert(Params.WinClassName);
}

void HandleWndProcException(TObject* Sender) {
  try {
    throw;
  } catch (Exception& E) {
    if (Application) Application->HandleException(Sender, E);
  } catch (std::exception& e) {
    Exception E(UTF8ToString(e.what()));
    if (Application) Application->HandleException(Sender, E);
  }
}

}  // namespace

LRESULT ControlWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = static_cast<TWinControl*>(GetProp(h, kControlProp));
  if (!control) {
    if (msg != WM_NCCREATE) return DefWindowProc(h, msg, wParam, lParam);
    auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
    control = static_cast<TWinControl*>(cs->lpCreateParams);
    if (!control) return DefWindowProc(h, msg, wParam, lParam);
    control->FHandle = h;
    SetProp(h, kControlProp, control);
  }
  TMessage m{msg, wParam, lParam, 0};
  try {
    if (control->WindowProc) control->WindowProc(m);
    else control->WndProc(m);
  } catch (...) {
    HandleWndProcException(control);
  }
  if (msg == WM_NCDESTROY) {
    RemoveProp(h, kControlProp);
    if (control->FHandle == h) control->FHandle = nullptr;
  }
  return m.Result;
}

TWinControl* FindControl(HWND Handle) {
  if (!Handle) return nullptr;
  return static_cast<TWinControl*>(GetProp(Handle, kControlProp));
}

// ---------------------------------------------------------------------------------------------
// Utility windows

namespace {

const Char kUtilProp[] = u"ZelkUtilWindow";

LRESULT UtilWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* method = static_cast<std::function<void(TMessage&)>*>(GetProp(h, kUtilProp));
  if (!method) return DefWindowProc(h, msg, wParam, lParam);
  TMessage m{msg, wParam, lParam, 0};
  try {
    (*method)(m);
  } catch (...) {
    HandleWndProcException(nullptr);
  }
  return m.Result;
}

}  // namespace

HWND AllocateHWnd(std::function<void(TMessage&)> Method) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEX wc;
    wc.lpfnWndProc = UtilWndProc;
    wc.lpszClassName = u"TPUtilWindow";
    RegisterClassEx(&wc);
    registered = true;
  }
  HWND h = CreateWindowEx(WS_EX_TOOLWINDOW, u"TPUtilWindow", u"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                          nullptr);
  SetProp(h, kUtilProp, new std::function<void(TMessage&)>(std::move(Method)));
  return h;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  auto* method = static_cast<std::function<void(TMessage&)>*>(RemoveProp(Wnd, kUtilProp));
  DestroyWindow(Wnd);
  delete method;
}

// ---------------------------------------------------------------------------------------------
// TWinControl: life cycle and the window

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
  // Leaves the parent while still a window control, so that the parent's tab list forgets it too
  // (TControl's destructor can no longer tell that it was one).
  if (FParent) FParent->RemoveControl(this);
  DestroyHandle();
  // The children go with their parent.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    RemoveControl(c);
    delete c;
  }
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  if (!FHandle) CreateHandle();
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParentWindow == Value) return;
  FParentWindow = Value;
  if (!FParent && FHandle) RecreateWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  if (FVisible) Params.Style |= WS_VISIBLE;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->FHandle : FParentWindow;
  Params.Param = this;
  Params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent) throw EInvalidOperation(u"Control '%s' has no parent window", {GetName()});
  RegisterControlClass(p, ControlWndProc);
  CreateWindowHandle(p);
  if (!FHandle) throw EInvalidOperation(u"Error creating window");
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  HWND h = CreateWindowEx(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style, Params.X,
                          Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr, nullptr, Params.Param);
  if (h) FHandle = h;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  {
    FControlState.Include(csCreating);
    const auto undo = ScopeExit([&] { FControlState.Exclude(csCreating); });
    CreateWnd();
  }
  // The children's windows follow, in z-order.
  for (TControl* c : std::vector<TControl*>(FControls))
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FVisible && !w->FHandle) w->CreateHandle();
  AlignChildren();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  HWND h = FHandle;
  if (!h) return;
  FControlState.Include(csDestroyingHandle);
  DestroyWindow(h);
  FControlState.Exclude(csDestroyingHandle);
  FHandle = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  bool focused = Focused();
  FControlState.Include(csRecreating);
  ++gRecreatingWindows;
  struct TGuard {
    TWinControl* C;
    ~TGuard() {
      --gRecreatingWindows;
      C->FControlState.Exclude(csRecreating);
    }
  } guard{this};
  DestroyHandle();
  UpdateShowing();
  if (!FHandle && FParent && FParent->FHandle) CreateHandle();
  if (focused && FHandle && CanFocus()) ::SetFocus(FHandle);
}

void TWinControl::UpdateShowing() {
  // A popup without parent control shows and hides the window it has.
  bool canCreate = FParent ? FParent->FHandle != nullptr : FParentWindow != nullptr;
  bool show = FVisible && (canCreate || (!FParent && FHandle));
  if (show && !FHandle) CreateHandle();
  if (!FHandle) return;
  bool visible = (GetWindowLong(FHandle, GWL_STYLE) & WS_VISIBLE) != 0;
  if (show == visible) return;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

bool TWinControl::GetShowing() const { return FHandle && IsWindowVisible(FHandle); }

// ---------------------------------------------------------------------------------------------
// Children

void TWinControl::InsertControl(TControl* AControl) {
  AControl->FParent = this;
  FControls.push_back(AControl);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(w);
  if (AControl->FParentFont) AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
  if (AControl->FParentColor) AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (AControl->FParentShowHint) AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (FHandle) w->UpdateShowing();
  } else {
    AControl->Invalidate();
  }
  AlignChildren();
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl->FParent != this) return;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
    if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(w);
    w->DestroyHandle();
    FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), w), FTabList.end());
  } else {
    AControl->Invalidate();
  }
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  AControl->FParent = nullptr;
  if (!FComponentState.Contains(csDestroying)) AlignChildren();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control && Control != this) Control = Control->GetParent();
  return Control == this;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    bool isWin = dynamic_cast<TWinControl*>(c) != nullptr;
    if (isWin && !AllowWinControls) continue;
    if (!c->FVisible || (!AllowDisabled && !c->GetEnabled())) continue;
    TRect r = c->GetBoundsRect();
    if (PtInRect(&r, Pos)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (TControl* c : std::vector<TControl*>(FControls)) {
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  for (TControl* c : std::vector<TControl*>(FControls)) c->WindowProc(m);
}

// ---------------------------------------------------------------------------------------------
// Tab order and focus

Integer TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto& v = FParent->FTabList;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<Integer>(it - v.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
  if (!FParent) return;
  auto& v = FParent->FTabList;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  std::size_t at = Value < 0 ? v.size() : std::min<std::size_t>(static_cast<std::size_t>(Value), v.size());
  v.insert(v.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    LONG s = GetWindowLong(FHandle, GWL_STYLE);
    SetWindowLong(FHandle, GWL_STYLE, Value ? (s | static_cast<LONG>(WS_TABSTOP)) : (s & ~static_cast<LONG>(WS_TABSTOP)));
  }
}

bool TWinControl::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* c = this; c && c != form; c = c->FParent)
    if (!c->FVisible || !c->GetEnabled()) return false;
  return form->GetVisible() && form->GetEnabled();
}

bool TWinControl::Focused() { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (TCustomForm* f = GetParentForm(this)) {
    f->FocusControl(this);
  } else if (FParentWindow) {
    ::SetFocus(GetHandle());
  } else {
    ValidParentForm(this);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  auto n = static_cast<std::ptrdiff_t>(list.size());
  auto found = std::find(list.begin(), list.end(), CurControl);
  std::ptrdiff_t start = found == list.end() ? (GoForward ? n - 1 : 0) : found - list.begin();
  std::ptrdiff_t i = start;
  do {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->FTabStop) && (!CheckParent || c->FParent == this)) return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next) next->SetFocus();
}

// ---------------------------------------------------------------------------------------------
// Bounds, alignment, painting

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FHandle) {
    FUpdatingBounds = true;
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    FUpdatingBounds = false;
  }
  UpdateAnchorRules();
  RequestAlign();
  if (resized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateBounds() {
  if (!FHandle || FUpdatingBounds) return;
  RECT r;
  GetWindowRect(FHandle, &r);
  if (GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD) {
    HWND parent = ::GetParent(FHandle);
    POINT tl{r.left, r.top};
    ::ScreenToClient(parent, &tl);
    r = RECT{tl.x, tl.y, tl.x + (r.right - r.left), tl.y + (r.bottom - r.top)};
  }
  bool resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
  if (r.left == FLeft && r.top == FTop && !resized) return;
  FLeft = r.left;
  FTop = r.top;
  FWidth = r.right - r.left;
  FHeight = r.bottom - r.top;
  UpdateAnchorRules();
  if (resized) {
    Realign();
    Resize();
  }
}

TRect TWinControl::GetClientRect() {
  if (FHandle) {
    RECT r;
    ::GetClientRect(FHandle, &r);
    return r;
  }
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  return TRect{0, 0, std::max(0, FWidth - (frame.right - frame.left)), std::max(0, FHeight - (frame.bottom - frame.top))};
}

void TWinControl::SetClientSize(Integer AWidth, Integer AHeight) {
  // The frame of the window's styles around the wanted client area.
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, AWidth, AHeight};
  AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
  SetBounds(FLeft, FTop, r.right - r.left, r.bottom - r.top);
}

TPoint TWinControl::GetClientOrigin() {
  POINT p{0, 0};
  ::ClientToScreen(GetHandle(), &p);
  return p;
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, FControlStyle.Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  FControlState.Exclude(csAlignmentNeeded);
  AlignChildren();
}

void TWinControl::AlignChildren() {
  if (FAlignLevel > 0 || FComponentState.Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  if (FControlState.Contains(csAligning)) return;
  TRect r = GetClientRect();
  AdjustClientRect(r);
  FControlState.Include(csAligning);
  const auto undo = ScopeExit([&] { FControlState.Exclude(csAligning); });
  AlignControls(nullptr, r);
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl*, TRect& Rect) {
  Integer cw = Rect.right - Rect.left, ch = Rect.bottom - Rect.top;
  // Anchors: right and bottom edges keep their distance, both sides stretch.
  for (TControl* c : FControls) {
    if (c->FAlign != alNone || (c->FOriginalParentSize.x <= 0 && c->FOriginalParentSize.y <= 0)) continue;
    TRect e = c->FExplicit;
    Integer dx = cw - c->FOriginalParentSize.x, dy = ch - c->FOriginalParentSize.y;
    Integer l = e.left, t = e.top, w = e.right - e.left, h = e.bottom - e.top;
    if (c->FAnchors.Contains(akRight)) {
      if (c->FAnchors.Contains(akLeft)) w += dx;
      else l += dx;
    } else if (!c->FAnchors.Contains(akLeft)) {
      l += dx / 2;
    }
    if (c->FAnchors.Contains(akBottom)) {
      if (c->FAnchors.Contains(akTop)) h += dy;
      else t += dy;
    } else if (!c->FAnchors.Contains(akTop)) {
      t += dy / 2;
    }
    c->SetBounds(l, t, w, h);
  }
  // Aligned sides in the order top, bottom, left, right, client.
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->FAlign == a && c->FVisible) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->FTop < y->FTop;
        case alBottom: return x->FTop + x->FHeight > y->FTop + y->FHeight;
        case alLeft: return x->FLeft < y->FLeft;
        case alRight: return x->FLeft + x->FWidth > y->FLeft + y->FWidth;
        default: return false;
      }
    });
    for (TControl* c : list) {
      Integer w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
      switch (a) {
        case alTop:
          c->SetBounds(Rect.left, Rect.top, w, c->FHeight);
          Rect.top += c->FHeight;
          break;
        case alBottom:
          c->SetBounds(Rect.left, Rect.bottom - c->FHeight, w, c->FHeight);
          Rect.bottom -= c->FHeight;
          break;
        case alLeft:
          c->SetBounds(Rect.left, Rect.top, c->FWidth, h);
          Rect.left += c->FWidth;
          break;
        case alRight:
          c->SetBounds(Rect.right - c->FWidth, Rect.top, c->FWidth, h);
          Rect.right -= c->FWidth;
          break;
        default:
          c->SetBounds(Rect.left, Rect.top, w, h);
          break;
      }
    }
  }
}

void TWinControl::ScaleControls(Integer M, Integer D) {
  for (TControl* c : std::vector<TControl*>(FControls)) c->ChangeScale(M, D);
}

void TWinControl::ChangeScale(Integer M, Integer D) {
  if (M == D) return;
  DisableAlign();
  ScaleControls(M, D);
  TControl::ChangeScale(M, D);
  EnableAlign();
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = FControls.begin();
  if (First) {
    it = std::find(FControls.begin(), FControls.end(), First);
    if (it == FControls.end()) it = FControls.begin();
  }
  RECT clip;
  GetClipBox(DC, &clip);
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    TRect r = c->GetBoundsRect(), tmp;
    if (!IntersectRect(&tmp, &r, &clip)) continue;
    int saved = SaveDC(DC);
    OffsetViewportOrgEx(DC, c->FLeft, c->FTop, nullptr);
    IntersectClipRect(DC, 0, 0, c->FWidth, c->FHeight);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::PaintHandler(TMessage& Message) {
  PAINTSTRUCT ps;
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) dc = BeginPaint(FHandle, &ps);
  const auto undo = ScopeExit([&] { if (!Message.WParam) EndPaint(FHandle, &ps); });
  int saved = SaveDC(dc);
  // Windowed children keep their own pixels in the window's paint and in its double buffer (marked
  // by lParam = wParam). A DC handed in by anyone else (PaintTo, a transparent child asking for
  // what lies beneath it) gets the whole picture.
  const bool ownPaint = !Message.WParam || Message.LParam == static_cast<LPARAM>(Message.WParam);
  for (TControl* c : FControls) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (ownPaint && w && w->FVisible && w->FHandle)
      ExcludeClipRect(dc, w->FLeft, w->FTop, w->FLeft + w->FWidth, w->FTop + w->FHeight);
  }
  PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
}

void TWinControl::WMPaint(TMessage& Message) {
  if (Message.WParam || !FDoubleBuffered) {
    PaintHandler(Message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  RECT client;
  ::GetClientRect(FHandle, &client);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  HGDIOBJ old = SelectObject(mem, bmp);
  const auto undo = ScopeExit([&] {
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    EndPaint(FHandle, &ps);
  });
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem));
  TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(mem), reinterpret_cast<LPARAM>(mem), 0};
  PaintHandler(inner);
  BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (!dc) return;
  RECT r;
  ::GetClientRect(FHandle, &r);
  FillRect(dc, &r, FBrush->GetHandle());
  Message.Result = 1;
}

void TWinControl::PaintTo(HDC DC, Integer X, Integer Y) {
  if (!FHandle) return;
  int saved = SaveDC(DC);
  OffsetViewportOrgEx(DC, X, Y, nullptr);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FVisible) w->PaintTo(DC, X + w->FLeft, Y + w->FTop);
}

// ---------------------------------------------------------------------------------------------
// Messages

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS:
      if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
      break;
    case WM_KILLFOCUS:
      if (FControlState.Contains(csFocusing)) return;
      break;
    case WM_CANCELMODE:
      if (TControl* c = GetCaptureControl(); c && c != this && c->GetParent() == this) c->Perform(WM_CANCELMODE, 0, 0);
      break;
    default:
      if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
          Message.Msg != WM_MOUSEHWHEEL) {
        // Mouse messages over windowless children go to them.
        TControl* target = nullptr;
        if (FHandle && GetCapture() == FHandle) {
          TControl* cc = GetCaptureControl();
          if (cc && cc->GetParent() == this && cc != this) target = cc;
        } else {
          target = ControlAtPos(MessagePos(Message), false);
        }
        if (target) {
          TPoint p = MessagePos(Message);
          TMessage m{Message.Msg, Message.WParam, PointToLParam(TPoint{p.x - target->FLeft, p.y - target->FTop}), 0};
          target->WindowProc(m);
          Message.Result = m.Result;
          return;
        }
      }
      break;
  }
  TControl::WndProc(Message);
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case WM_COMMAND: WMCommand(Message); return;
    case WM_NOTIFY: WMNotify(Message); return;
    case WM_HSCROLL: case WM_VSCROLL: case WM_DRAWITEM: case WM_MEASUREITEM: case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC: case WM_CTLCOLORSCROLLBAR:
      WMScroll(Message);
      return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); return;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case WM_SIZE: WMSize(Message); return;
    case WM_MOVE: WMMove(Message); return;
    case WM_SETCURSOR: WMSetCursor(Message); return;
    case WM_NCDESTROY: WMNCDestroy(Message); return;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); return;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: CNKeyDown(Message); return;
    case CN_KEYUP: CNKeyUp(Message); return;
    case CN_CHAR: case CN_SYSCHAR: CNChar(Message); return;
    case CM_CHILDKEY: CMChildKey(Message); return;
    case CM_DIALOGKEY: CMDialogKey(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_ENTER: CMEnter(Message); return;
    case CM_EXIT: CMExit(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); return;
    case CM_FONTCHANGED: CMFontChanged(Message); return;
    case CM_COLORCHANGED: CMColorChanged(Message); return;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); return;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); return;
    default: inherited::Dispatch(Message); return;
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (FHandle) {
    Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TControl::DefaultHandler(Message);
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* c = FindControl(ControlHandle);
  if (!c || c == this) return false;
  Message.Result = c->Perform(Message.Msg + CN_BASE, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::SendNotify(WORD Code) {
  if (!FHandle) return;
  HWND parent = ::GetParent(FHandle);
  if (!parent || !(GetWindowLong(FHandle, GWL_STYLE) & WS_CHILD)) return;
  SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(FHandle)), Code),
              reinterpret_cast<LPARAM>(FHandle));
}

void TWinControl::WMCommand(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessage& Message) {
  // The NMHDR's first field is the sending window.
  auto* from = reinterpret_cast<HWND*>(Message.LParam);
  if (!from || !DoControlMsg(*from, Message)) DefaultHandler(Message);
}

void TWinControl::WMScroll(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::WMSize(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMMove(TMessage& Message) {
  UpdateBounds();
  DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  FHandle = nullptr;
}

void TWinControl::WMSetCursor(TMessage& Message) {
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle &&
      static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(Message.LParam))) == HTCLIENT) {
    TCursor cursor = Screen ? Screen->GetCursor() : crDefault;
    if (cursor == crDefault) {
      POINT p;
      GetCursorPos(&p);
      ::ScreenToClient(FHandle, &p);
      TControl* c = ControlAtPos(p, false);
      cursor = c ? c->FCursor : crDefault;
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault && Screen) {
      ::SetCursor(Screen->GetCursors(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMMouseWheel(TMessage& Message) {
  // OnMouseWheel first; unhandled, the control's own scrolling, else the parent window's.
  if (Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam)) {
    Message.Result = 1;
    return;
  }
  DefaultHandler(Message);
}

// ---- keys

LRESULT TWinControl::DialogCode() { return Perform(WM_GETDLGCODE, 0, 0); }

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this))) return;
  LRESULT mask = 0;
  switch (Message.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  if (mask && !Perform(CM_WANTSPECIALKEY, Message.WParam, 0) && !(DialogCode() & mask)) {
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam))
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& Message) { Message.Result = 0; }

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (Message.Msg == CN_SYSCHAR) {
    // Alt with a letter: the accelerators of the form's controls.
    if (Message.WParam != VK_SPACE)
      if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam))
        return;
    Message.Result = 0;
    return;
  }
  if (!(DialogCode() & DLGC_WANTCHARS))
    if (TCustomForm* form = GetParentForm(this); form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam))
      return;
  Message.Result = 0;
}

void TWinControl::CMChildKey(TMessage& Message) {
  if (FParent) Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }

bool TWinControl::DoKeyEvent(TMessage& Message, bool (TWinControl::*FormHandler)(TMessage&),
                             void (TWinControl::*Handler)(Word&, TShiftState)) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && (form->*FormHandler)(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    auto key = static_cast<Word>(Message.WParam);
    (this->*Handler)(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyDown(TMessage& Message) {
  return DoKeyEvent(Message, &TWinControl::DoKeyDown, &TWinControl::KeyDown);
}

bool TWinControl::DoKeyUp(TMessage& Message) { return DoKeyEvent(Message, &TWinControl::DoKeyUp, &TWinControl::KeyUp); }

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() && form->DoKeyPress(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    auto ch = static_cast<Char>(Message.WParam);
    KeyPress(ch);
    Message.WParam = ch;
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }

void TWinControl::CMExit(TMessage&) { DoExit(); }

// ---- state changes

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!GetEnabled() && FParent) {
    if (TCustomForm* f = GetParentForm(this)) f->DefocusControl(this);
  }
  if (FHandle) EnableWindow(FHandle, GetEnabled() ? TRUE : FALSE);
  Invalidate();
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible)
    if (TCustomForm* f = GetParentForm(this); f && f != this) f->DefocusControl(this);
  UpdateShowing();
}

void TWinControl::CMFontChanged(TMessage& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& Message) {
  FBrush->SetColor(FColor);
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }
