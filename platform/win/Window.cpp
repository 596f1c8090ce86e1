// Window classes and windows: creation and destruction, the window tree and z-order, styles and
// window data, position and size, visibility, text, regions and hit testing.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

#include "platform/rtl/Threads.h"

#include <algorithm>
#include <cstring>

#include "platform/win/ToolTips.h"

using namespace wincore;

namespace {

std::mutex gClassMutex;
std::vector<std::unique_ptr<TWindowClass>> gClasses;
ATOM gNextAtom = 0xC100;

TWindowClass* FindClass(LPCWSTR name) {
  if (!name) return nullptr;
  std::lock_guard<std::mutex> lock(gClassMutex);
  if (IS_INTRESOURCE(name)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (auto& c : gClasses)
      if (c->Atom == atom) return c.get();
    return nullptr;
  }
  String key = ToLower(name);
  for (auto& c : gClasses)
    if (ToLower(c->Name) == key) return c.get();
  return nullptr;
}

TWindow* Checked(HWND h) {
  TWindow* w = FromHandle(h);
  return w == Desktop() ? nullptr : w;
}

// Inserts w among its siblings: HWND_TOP, HWND_BOTTOM, HWND_TOPMOST, HWND_NOTOPMOST or after a
// sibling. Top-level windows keep the topmost band above the others and owned windows above their
// owners. Returns whether the order changed.
bool Restack(TWindow* w, HWND after, bool moveOwned) {
  auto& sib = w->Parent->Children;
  std::vector<TWindow*> before = sib;
  bool top = w->IsTopLevel();
  if (top && after == HWND_TOPMOST) w->ExStyle |= WS_EX_TOPMOST;
  if (top && after == HWND_NOTOPMOST) {
    if (!(w->ExStyle & WS_EX_TOPMOST)) return false;
    w->ExStyle &= ~WS_EX_TOPMOST;
  }
  if (top && after == HWND_BOTTOM) w->ExStyle &= ~WS_EX_TOPMOST;
  sib.erase(std::find(sib.begin(), sib.end(), w));
  auto bandStart = [&]() -> std::size_t {
    if (!top || (w->ExStyle & WS_EX_TOPMOST)) return 0;
    std::size_t i = 0;
    while (i < sib.size() && (sib[i]->ExStyle & WS_EX_TOPMOST)) ++i;
    return i;
  };
  std::size_t index;
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    index = bandStart();
  } else if (after == HWND_BOTTOM) {
    index = sib.size();
  } else {
    auto it = std::find_if(sib.begin(), sib.end(), [&](TWindow* s) { return s->Handle == after; });
    index = it == sib.end() ? bandStart() : static_cast<std::size_t>(it - sib.begin()) + 1;
    if (top) index = std::max(index, bandStart());
    if (top && (w->ExStyle & WS_EX_TOPMOST)) {
      std::size_t end = 0;
      while (end < sib.size() && (sib[end]->ExStyle & WS_EX_TOPMOST)) ++end;
      index = std::min(index, end);
    }
  }
  sib.insert(sib.begin() + static_cast<std::ptrdiff_t>(index), w);
  if (top && moveOwned) {
    // Windows owned by w go right above it, in their order, when they are in the same band.
    std::vector<TWindow*> owned;
    for (TWindow* s : sib)
      if (s != w && s->Owner == w && ((s->ExStyle ^ w->ExStyle) & WS_EX_TOPMOST) == 0) owned.push_back(s);
    for (TWindow* o : owned) sib.erase(std::find(sib.begin(), sib.end(), o));
    auto pos = std::find(sib.begin(), sib.end(), w);
    sib.insert(pos, owned.begin(), owned.end());
  }
  return sib != before;
}

void DestroyTree(HWND h);

}  // namespace

namespace wincore {

RECT WindowRectOnScreen(const TWindow* w) {
  if (w == Desktop()) return w->Rect;
  POINT o = ClientOriginOnScreen(w->Parent);
  return Offset(w->Rect, o.x, o.y);
}

POINT ClientOriginOnScreen(const TWindow* w) {
  if (w == Desktop()) return POINT{0, 0};
  RECT r = WindowRectOnScreen(w);
  return POINT{r.left + w->Client.left, r.top + w->Client.top};
}

RECT ClientRectOnScreen(const TWindow* w) {
  RECT r = WindowRectOnScreen(w);
  return Offset(w->Client, r.left, r.top);
}

TWindow* TopLevelOf(TWindow* w) {
  while (w && w->Parent && w->Parent != Desktop()) w = w->Parent;
  return w == Desktop() ? nullptr : w;
}

bool IsVisibleDeep(const TWindow* w) {
  for (; w && w != Desktop(); w = w->Parent)
    if (!(w->Style & WS_VISIBLE)) return false;
  return w != nullptr;
}

bool IsAncestor(const TWindow* ancestor, const TWindow* w) {
  for (; w; w = w->Parent)
    if (w == ancestor) return true;
  return false;
}

RECT ComputeClientRect(TWindow* w, const RECT& windowRect) {
  RECT r = windowRect;
  SendToWindow(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return Offset(r, -windowRect.left, -windowRect.top);
}

namespace {

// Whether screen point pt lies inside w's window rectangle and window region.
bool HitsWindow(const TWindow* w, POINT pt) {
  RECT r = WindowRectOnScreen(w);
  if (!Contains(r, pt)) return false;
  if (w->Region) return PtInRegion(w->Region, pt.x - r.left, pt.y - r.top) != FALSE;
  return true;
}

TWindow* DeepestAt(TWindow* w, POINT pt, const std::vector<TWindow*>& excluded) {
  if (!Contains(ClientRectOnScreen(w), pt)) return w;
  for (TWindow* c : w->Children) {
    if (!(c->Style & WS_VISIBLE) || (c->Style & WS_DISABLED)) continue;
    if (std::find(excluded.begin(), excluded.end(), c) != excluded.end()) continue;
    if (HitsWindow(c, pt)) return DeepestAt(c, pt, excluded);
  }
  return w;
}

}  // namespace

TWindow* WindowAt(POINT pt, bool sendHitTest, LRESULT* hit) {
  std::vector<TWindow*> excluded;
  for (int attempt = 0; attempt < 64; ++attempt) {
    TWindow* top = nullptr;
    for (TWindow* t : Desktop()->Children) {
      if (!(t->Style & WS_VISIBLE) || t->Minimized) continue;
      if (std::find(excluded.begin(), excluded.end(), t) != excluded.end()) continue;
      if (HitsWindow(t, pt)) { top = t; break; }
    }
    if (!top) {
      if (hit) *hit = HTNOWHERE;
      return nullptr;
    }
    if (top->Style & WS_DISABLED) {
      if (hit) *hit = HTERROR;
      return top;
    }
    TWindow* w = DeepestAt(top, pt, excluded);
    if (!sendHitTest) {
      if (hit) *hit = Contains(ClientRectOnScreen(w), pt) ? HTCLIENT : HTNOWHERE;
      return w;
    }
    if (w->ThreadId != GetCurrentThreadId()) {
      if (hit) *hit = HTCLIENT;
      return w;
    }
    HWND h = w->Handle;
    LRESULT ht = SendToWindow(w, WM_NCHITTEST, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    w = FromHandle(h);
    if (!w) continue;
    if (ht != HTTRANSPARENT) {
      if (hit) *hit = ht;
      return w;
    }
    excluded.push_back(w);
  }
  if (hit) *hit = HTNOWHERE;
  return nullptr;
}

}  // namespace wincore

// ---------------------------------------------------------------------------------------------
// Classes

ATOM RegisterClassEx(const WNDCLASSEX* c) {
  if (!c || !c->lpszClassName || !c->lpfnWndProc || c->cbWndExtra < 0 || c->cbClsExtra < 0) return 0;
  if (FindClass(c->lpszClassName)) return 0;   // already registered
  auto cls = std::make_unique<TWindowClass>();
  cls->Name = IS_INTRESOURCE(c->lpszClassName) ? String() : String(c->lpszClassName);
  cls->Style = c->style;
  cls->Proc = c->lpfnWndProc;
  cls->WndExtra = c->cbWndExtra;
  cls->ClassExtra.assign(static_cast<std::size_t>(c->cbClsExtra), 0);
  cls->Instance = c->hInstance;
  cls->Icon = c->hIcon;
  cls->IconSm = c->hIconSm;
  cls->Cursor = c->hCursor;
  cls->Background = c->hbrBackground;
  std::lock_guard<std::mutex> lock(gClassMutex);
  cls->Atom = gNextAtom++;
  ATOM atom = cls->Atom;
  gClasses.push_back(std::move(cls));
  return atom;
}

ATOM RegisterClass(const WNDCLASS* c) {
  if (!c) return 0;
  WNDCLASSEX x;
  x.style = c->style;
  x.lpfnWndProc = c->lpfnWndProc;
  x.cbClsExtra = c->cbClsExtra;
  x.cbWndExtra = c->cbWndExtra;
  x.hInstance = c->hInstance;
  x.hIcon = c->hIcon;
  x.hCursor = c->hCursor;
  x.hbrBackground = c->hbrBackground;
  x.lpszMenuName = c->lpszMenuName;
  x.lpszClassName = c->lpszClassName;
  return RegisterClassEx(&x);
}

BOOL UnregisterClass(LPCWSTR name, HINSTANCE) {
  TWindowClass* cls = FindClass(name);
  if (!cls || cls->Windows > 0) return FALSE;
  std::lock_guard<std::mutex> lock(gClassMutex);
  gClasses.erase(std::find_if(gClasses.begin(), gClasses.end(), [&](auto& c) { return c.get() == cls; }));
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCWSTR name, WNDCLASSEX* out) {
  TWindowClass* cls = FindClass(name);
  if (!cls || !out) return FALSE;
  out->style = cls->Style;
  out->lpfnWndProc = cls->Proc;
  out->cbClsExtra = static_cast<int>(cls->ClassExtra.size());
  out->cbWndExtra = cls->WndExtra;
  out->hInstance = cls->Instance;
  out->hIcon = cls->Icon;
  out->hIconSm = cls->IconSm;
  out->hCursor = cls->Cursor;
  out->hbrBackground = cls->Background;
  out->lpszMenuName = nullptr;
  out->lpszClassName = cls->Name.c_str();
  return TRUE;
}

namespace {

int CopyOut(const String& s, LPWSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  int n = std::min(static_cast<int>(s.size()), max - 1);
  std::copy_n(s.data(), n, buf);
  buf[n] = 0;
  return n;
}

}  // namespace

int GetClassName(HWND h, LPWSTR buf, int max) {
  TWindow* w = FromHandle(h);
  return w ? CopyOut(w->Class->Name, buf, max) : 0;
}

ULONG_PTR GetClassLongPtr(HWND h, int index) {
  TWindow* w = FromHandle(h);
  if (!w) return 0;
  TWindowClass* c = w->Class;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c->Background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c->Cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c->Icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c->IconSm);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c->Instance);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c->Proc);
    case GCL_STYLE: return c->Style;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c->WndExtra);
    case GCL_CBCLSEXTRA: return c->ClassExtra.size();
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(ULONG_PTR) <= c->ClassExtra.size()) {
        ULONG_PTR v;
        std::memcpy(&v, c->ClassExtra.data() + index, sizeof v);
        return v;
      }
      return 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND h, int index, LONG_PTR value) {
  TWindow* w = FromHandle(h);
  if (!w) return 0;
  TWindowClass* c = w->Class;
  ULONG_PTR old = GetClassLongPtr(h, index);
  switch (index) {
    case GCLP_HBRBACKGROUND: c->Background = reinterpret_cast<HBRUSH>(value); break;
    case GCLP_HCURSOR: c->Cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HICON: c->Icon = reinterpret_cast<HICON>(value); break;
    case GCLP_HICONSM: c->IconSm = reinterpret_cast<HICON>(value); break;
    case GCLP_WNDPROC: c->Proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_STYLE: c->Style = static_cast<UINT>(value); break;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= c->ClassExtra.size())
        std::memcpy(c->ClassExtra.data() + index, &value, sizeof value);
      else
        return 0;
  }
  return old;
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

HWND CreateWindowEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parentHandle, HMENU menu, HINSTANCE instance, void* param) {
  TWindowClass* cls = FindClass(className);
  if (!cls) {
    // The common controls' classes are there from the first window that asks for one.
    RegisterToolTipClass();
    cls = FindClass(className);
  }
  if (!cls) return nullptr;
  Backend();   // the back end starts with the first window
  TWindow* parent = Desktop();
  TWindow* owner = nullptr;
  if (style & WS_CHILD) {
    parent = FromHandle(parentHandle);
    if (!parent) return nullptr;
  } else if (parentHandle) {
    TWindow* given = FromHandle(parentHandle);
    if (!given) return nullptr;
    owner = TopLevelOf(given);
  }
  bool topLevel = parent == Desktop();
  if (topLevel) {
    if (x == CW_USEDEFAULT) { x = 100; y = 100; }
    if (cx == CW_USEDEFAULT) { cx = 800; cy = 600; }
  } else {
    if (x == CW_USEDEFAULT) { x = 0; y = 0; }
    if (cx == CW_USEDEFAULT) { cx = 0; cy = 0; }
  }
  cx = std::max(cx, 0);
  cy = std::max(cy, 0);
  // A window with a caption or a frame of its own has WS_CLIPSIBLINGS, as on the platform.
  if (!(style & WS_CHILD)) style |= WS_CLIPSIBLINGS;
  if ((style & WS_CAPTION) == WS_CAPTION && !(style & WS_CHILD)) exStyle |= WS_EX_WINDOWEDGE;

  auto obj = std::make_unique<TWindow>();
  obj->Class = cls;
  obj->ThreadId = GetCurrentThreadId();
  obj->Parent = parent;
  obj->Owner = owner;
  obj->Style = style & ~WS_VISIBLE;
  obj->ExStyle = exStyle;
  obj->Proc = cls->Proc;
  obj->Id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
  obj->Instance = instance;
  obj->Extra.assign(static_cast<std::size_t>(cls->WndExtra), 0);
  obj->Rect = RECT{x, y, x + cx, y + cy};
  obj->Client = RECT{0, 0, cx, cy};
  TWindow* w = obj.get();
  HWND h = RegisterWindow(std::move(obj));
  cls->Windows++;
  CurrentQueue();
  if (topLevel) {
    parent->Children.insert(parent->Children.begin(), w);
    Restack(w, (exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP, false);
    w->Surface = std::make_unique<TSurface>(std::max(cx, 1), std::max(cy, 1));
    Backend().CreateNative(w);
  } else {
    parent->Children.insert(parent->Children.begin(), w);
  }

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parentHandle;
  cs.cx = cx;
  cs.cy = cy;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  if (!SendTo(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    DestroyTree(h);
    return nullptr;
  }
  if (!(w = FromHandle(h))) return nullptr;
  if (topLevel) Backend().SetTitle(w);   // the window manager learns the name WM_NCCREATE stored
  w->Client = ComputeClientRect(w, w->Rect);
  if (SendTo(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyTree(h);
    return nullptr;
  }
  if (!(w = FromHandle(h))) return nullptr;
  SendTo(h, WM_SIZE, SIZE_RESTORED,
         MAKELPARAM(static_cast<WORD>(w->Client.right - w->Client.left), static_cast<WORD>(w->Client.bottom - w->Client.top)));
  if (!(w = FromHandle(h))) return nullptr;
  SendTo(h, WM_MOVE, 0,
         MAKELPARAM(static_cast<WORD>(w->Rect.left + w->Client.left), static_cast<WORD>(w->Rect.top + w->Client.top)));
  if (!(w = FromHandle(h))) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(h, SW_SHOW);
  return IsWindow(h) ? h : nullptr;
}

namespace {

// WM_DESTROY to the window, then the same for its children, then WM_NCDESTROY children first.
void DestroyTree(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w) return;
  w->Destroying = true;
  SendTo(h, WM_DESTROY, 0, 0);
  if (!(w = FromHandle(h))) return;
  std::vector<HWND> children;
  for (TWindow* c : w->Children) children.push_back(c->Handle);
  for (HWND c : children) DestroyTree(c);
  if (!(w = FromHandle(h))) return;
  SendTo(h, WM_NCDESTROY, 0, 0);
  if (!(w = FromHandle(h))) return;
  OnWindowDestroyed(w);
  RemoveWindowTimers(w);
  for (TWindow* c : std::vector<TWindow*>(w->Children)) c->Parent = Desktop();   // not reached normally
  auto& sib = w->Parent->Children;
  sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
  for (TWindow* t : Desktop()->Children)
    if (t->Owner == w) t->Owner = nullptr;
  if (w->IsTopLevel() || w->Native) Backend().DestroyNative(w);
  if (w->Region) DeleteObject(w->Region);
  w->Class->Windows--;
  UnregisterWindow(h);
}

}  // namespace

BOOL DestroyWindow(HWND h) {
  TWindow* w = Checked(h);
  if (!w || w->ThreadId != GetCurrentThreadId()) return FALSE;
  if (w->Destroying) return TRUE;
  w->Destroying = true;
  // Owned windows go first.
  std::vector<HWND> owned;
  for (TWindow* t : Desktop()->Children)
    if (t->Owner == w) owned.push_back(t->Handle);
  for (HWND o : owned) DestroyWindow(o);
  if (!(w = FromHandle(h))) return TRUE;
  if (w->Style & WS_VISIBLE)
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  else if ((w = FromHandle(h)))
    OnWindowHidden(w);
  DestroyTree(h);
  return TRUE;
}

BOOL IsWindow(HWND h) {
  TWindow* w = FromHandle(h);
  return w != nullptr;
}

BOOL IsChild(HWND parentHandle, HWND h) {
  TWindow* p = FromHandle(parentHandle);
  TWindow* w = FromHandle(h);
  if (!p || !w || p == w) return FALSE;
  for (; w && (w->Style & WS_CHILD); w = w->Parent)
    if (w->Parent == p) return TRUE;
  return FALSE;
}

HWND GetParent(HWND h) {
  TWindow* w = Checked(h);
  if (!w) return nullptr;
  if (w->Style & WS_CHILD) return w->Parent->Handle;
  return w->Owner ? w->Owner->Handle : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  TWindow* w = Checked(child);
  if (!w) return nullptr;
  TWindow* p = newParent ? FromHandle(newParent) : Desktop();
  if (!p || IsAncestor(w, p)) return nullptr;
  TWindow* old = w->Parent;
  if (old == p) return old->Handle;
  bool visible = (w->Style & WS_VISIBLE) != 0;
  if (visible) ShowWindow(child, SW_HIDE);
  if (!(w = FromHandle(child))) return nullptr;
  bool wasTop = w->IsTopLevel();
  // Keep the screen position.
  RECT screen = WindowRectOnScreen(w);
  auto& sib = old->Children;
  sib.erase(std::remove(sib.begin(), sib.end(), w), sib.end());
  w->Parent = p;
  p->Children.insert(p->Children.begin(), w);
  POINT o = ClientOriginOnScreen(p);
  w->Rect = Offset(screen, -o.x, -o.y);
  bool nowTop = w->IsTopLevel();
  if (nowTop && !wasTop) {
    Restack(w, HWND_TOP, false);
    w->Surface = std::make_unique<TSurface>(std::max<int>(screen.right - screen.left, 1),
                                            std::max<int>(screen.bottom - screen.top, 1));
    Backend().CreateNative(w);
  } else if (!nowTop && wasTop) {
    Backend().DestroyNative(w);
    w->Surface.reset();
  }
  if (visible) ShowWindow(child, SW_SHOWNA);
  return old == Desktop() ? nullptr : old->Handle;
}

HWND GetAncestor(HWND h, UINT flags) {
  TWindow* w = Checked(h);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->Parent ? w->Parent->Handle : nullptr;
    case GA_ROOT: return TopLevelOf(w)->Handle;
    case GA_ROOTOWNER: {
      TWindow* t = TopLevelOf(w);
      while (t->Owner) t = t->Owner;
      return t->Handle;
    }
    default: return nullptr;
  }
}

HWND GetWindow(HWND h, UINT cmd) {
  TWindow* w = FromHandle(h);
  if (!w) return nullptr;
  if (cmd == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.front()->Handle;
  if (cmd == GW_OWNER) return w->Owner ? w->Owner->Handle : nullptr;
  if (cmd == GW_ENABLEDPOPUP) {
    for (TWindow* t : Desktop()->Children)
      if (t->Owner == w && (t->Style & WS_VISIBLE) && !(t->Style & WS_DISABLED)) return t->Handle;
    return nullptr;
  }
  if (!w->Parent) return nullptr;
  auto& sib = w->Parent->Children;
  auto it = std::find(sib.begin(), sib.end(), w);
  switch (cmd) {
    case GW_HWNDFIRST: return sib.front()->Handle;
    case GW_HWNDLAST: return sib.back()->Handle;
    case GW_HWNDNEXT: return (it + 1) == sib.end() ? nullptr : (*(it + 1))->Handle;
    case GW_HWNDPREV: return it == sib.begin() ? nullptr : (*(it - 1))->Handle;
    default: return nullptr;
  }
}

HWND GetTopWindow(HWND h) { return GetWindow(h ? h : Desktop()->Handle, GW_CHILD); }

HWND GetDesktopWindow() { return Desktop()->Handle; }

namespace {

bool EnumTree(TWindow* w, WNDENUMPROC fn, LPARAM lp) {
  std::vector<HWND> kids;
  for (TWindow* c : w->Children) kids.push_back(c->Handle);
  for (HWND k : kids) {
    if (!IsWindow(k)) continue;
    if (!fn(k, lp)) return false;
    TWindow* c = FromHandle(k);
    if (c && !EnumTree(c, fn, lp)) return false;
  }
  return true;
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM lp) {
  TWindow* w = parent ? FromHandle(parent) : Desktop();
  if (!w || !fn) return FALSE;
  return EnumTree(w, fn, lp) ? TRUE : FALSE;
}

BOOL EnumWindows(WNDENUMPROC fn, LPARAM lp) {
  std::vector<HWND> tops;
  for (TWindow* t : Desktop()->Children) tops.push_back(t->Handle);
  for (HWND t : tops)
    if (IsWindow(t) && !fn(t, lp)) return FALSE;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD thread, WNDENUMPROC fn, LPARAM lp) {
  std::vector<HWND> tops;
  for (TWindow* t : Desktop()->Children)
    if (t->ThreadId == thread) tops.push_back(t->Handle);
  for (HWND t : tops)
    if (IsWindow(t) && !fn(t, lp)) return FALSE;
  return TRUE;
}

DWORD GetWindowThreadProcessId(HWND h, DWORD* process) {
  TWindow* w = FromHandle(h);
  if (process) *process = w ? 1 : 0;
  return w ? w->ThreadId : 0;
}

// ---------------------------------------------------------------------------------------------
// Window data

LONG_PTR GetWindowLongPtr(HWND h, int index) {
  TWindow* w = FromHandle(h);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(h));
    case GWL_STYLE: return static_cast<LONG>(w->Style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->ExStyle);
    case GWLP_USERDATA: return w->UserData;
    case GWLP_ID: return w->Id;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->Extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, w->Extra.data() + index, sizeof v);
        return v;
      }
      return 0;
  }
}

namespace {

void ChangeStyle(HWND h, int index, DWORD value) {
  TWindow* w = FromHandle(h);
  STYLESTRUCT ss;
  ss.styleOld = index == GWL_STYLE ? w->Style : w->ExStyle;
  ss.styleNew = value;
  SendTo(h, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  if (!(w = FromHandle(h))) return;
  if (index == GWL_STYLE) {
    // WS_VISIBLE and WS_CHILD change through ShowWindow and SetParent only.
    w->Style = (ss.styleNew & ~(WS_VISIBLE)) | (w->Style & WS_VISIBLE);
  } else {
    // Clearing the layered bit forgets how the window was layered.
    if ((w->ExStyle & WS_EX_LAYERED) && !(ss.styleNew & WS_EX_LAYERED)) {
      w->LayeredByAttributes = false;
      w->LayeredPicture.reset();
    }
    w->ExStyle = ss.styleNew;
  }
  SendTo(h, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
}

}  // namespace

LONG_PTR SetWindowLongPtr(HWND h, int index, LONG_PTR value) {
  TWindow* w = FromHandle(h);
  if (!w || w == Desktop()) return 0;
  LONG_PTR old = GetWindowLongPtr(h, index);
  switch (index) {
    case GWLP_WNDPROC: w->Proc = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->Instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
      if (!(w->Style & WS_CHILD)) {
        TWindow* o = FromHandle(reinterpret_cast<HWND>(value));
        w->Owner = o ? TopLevelOf(o) : nullptr;
      }
      break;
    case GWL_STYLE: ChangeStyle(h, index, static_cast<DWORD>(value)); break;
    case GWL_EXSTYLE: ChangeStyle(h, index, static_cast<DWORD>(value)); break;
    case GWLP_USERDATA: w->UserData = value; break;
    case GWLP_ID: w->Id = value; break;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->Extra.size())
        std::memcpy(w->Extra.data() + index, &value, sizeof value);
      else
        return 0;
  }
  return old;
}

LONG GetWindowLong(HWND h, int index) { return static_cast<LONG>(GetWindowLongPtr(h, index)); }

LONG SetWindowLong(HWND h, int index, LONG value) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE)
    return static_cast<LONG>(SetWindowLongPtr(h, index, static_cast<LONG_PTR>(static_cast<DWORD>(value))));
  return static_cast<LONG>(SetWindowLongPtr(h, index, value));
}

int GetDlgCtrlID(HWND h) {
  TWindow* w = FromHandle(h);
  return w && (w->Style & WS_CHILD) ? static_cast<int>(w->Id) : 0;
}

HWND GetDlgItem(HWND dlg, int id) {
  TWindow* w = FromHandle(dlg);
  if (!w) return nullptr;
  for (TWindow* c : w->Children)
    if (c->Id == id) return c->Handle;
  return nullptr;
}

BOOL SetProp(HWND h, LPCWSTR name, HANDLE data) {
  TWindow* w = FromHandle(h);
  if (!w || !name) return FALSE;
  w->Props[ToLower(name)] = data;
  return TRUE;
}

HANDLE GetProp(HWND h, LPCWSTR name) {
  TWindow* w = FromHandle(h);
  if (!w || !name) return nullptr;
  auto it = w->Props.find(ToLower(name));
  return it == w->Props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND h, LPCWSTR name) {
  TWindow* w = FromHandle(h);
  if (!w || !name) return nullptr;
  auto it = w->Props.find(ToLower(name));
  if (it == w->Props.end()) return nullptr;
  HANDLE v = it->second;
  w->Props.erase(it);
  return v;
}

// ---------------------------------------------------------------------------------------------
// Position, size, z-order and visibility

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  TWindow* w = Checked(h);
  if (!w) return FALSE;
  WINDOWPOS wp;
  wp.hwnd = h;
  wp.hwndInsertAfter = after;
  wp.x = (flags & SWP_NOMOVE) ? w->Rect.left : x;
  wp.y = (flags & SWP_NOMOVE) ? w->Rect.top : y;
  wp.cx = (flags & SWP_NOSIZE) ? w->Rect.right - w->Rect.left : std::max(cx, 0);
  wp.cy = (flags & SWP_NOSIZE) ? w->Rect.bottom - w->Rect.top : std::max(cy, 0);
  wp.flags = flags;
  bool visible = (w->Style & WS_VISIBLE) != 0;
  if ((flags & SWP_SHOWWINDOW) && visible) wp.flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) && !visible) wp.flags &= ~SWP_HIDEWINDOW;
  if (!(wp.flags & SWP_NOSENDCHANGING)) {
    SendTo(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!(w = FromHandle(h))) return FALSE;
  }
  RECT newRect{wp.x, wp.y, wp.x + std::max(wp.cx, 0), wp.y + std::max(wp.cy, 0)};
  bool moved = !(wp.flags & SWP_NOMOVE) && (newRect.left != w->Rect.left || newRect.top != w->Rect.top);
  bool resized = !(wp.flags & SWP_NOSIZE) && (newRect.right - newRect.left != w->Rect.right - w->Rect.left ||
                                              newRect.bottom - newRect.top != w->Rect.bottom - w->Rect.top);
  bool frameChanged = (wp.flags & SWP_FRAMECHANGED) != 0;
  if (!moved) wp.flags |= SWP_NOMOVE;
  if (!resized) wp.flags |= SWP_NOSIZE;
  RECT oldScreen = WindowRectOnScreen(w);
  if (moved || resized || frameChanged) {
    if (!moved) newRect = Offset(newRect, w->Rect.left - newRect.left, w->Rect.top - newRect.top);
    if (!resized) {
      newRect.right = newRect.left + (w->Rect.right - w->Rect.left);
      newRect.bottom = newRect.top + (w->Rect.bottom - w->Rect.top);
    }
    w->Rect = newRect;
    RECT client = ComputeClientRect(w, newRect);
    if (!(w = FromHandle(h))) return FALSE;
    w->Client = client;
    if (w->Surface && resized) {
      w->Surface->Resize(std::max<int>(newRect.right - newRect.left, 1), std::max<int>(newRect.bottom - newRect.top, 1));
      w->Dirty = RECT{};
    }
  }
  bool restacked = false;
  if (!(wp.flags & SWP_NOZORDER)) restacked = Restack(w, wp.hwndInsertAfter, !(wp.flags & SWP_NOOWNERZORDER));
  if (!restacked) wp.flags |= SWP_NOZORDER;
  bool shown = false, hidden = false;
  if (wp.flags & SWP_SHOWWINDOW) {
    w->Style |= WS_VISIBLE;
    shown = true;
  } else if (wp.flags & SWP_HIDEWINDOW) {
    w->Style &= ~WS_VISIBLE;
    hidden = true;
  }
  bool topLevel = w->IsTopLevel();
  if (topLevel) {
    if (moved || resized) Backend().MoveNative(w);
    if (restacked) Backend().RestackNative();
  }
  if (!(wp.flags & SWP_NOREDRAW)) {
    if (moved || resized || restacked || hidden || shown || frameChanged) OnWindowMovedOrResized(w, oldScreen, resized || shown || frameChanged);
  }
  if (topLevel && (shown || hidden)) Backend().ShowNative(w, shown, shown && !(wp.flags & SWP_NOACTIVATE));
  if (hidden) {
    OnWindowHidden(w);
    if (!(w = FromHandle(h))) return TRUE;
  }
  bool activate = topLevel && !(wp.flags & SWP_NOACTIVATE) && (w->Style & WS_VISIBLE) &&
                  !(w->ExStyle & WS_EX_NOACTIVATE) && !(w->Style & WS_DISABLED);
  if (activate && GetActiveWindow() != h) {
    SetActive(w, WA_ACTIVE);
    if (!(w = FromHandle(h))) return TRUE;
  }
  bool changed = moved || resized || restacked || shown || hidden || frameChanged;
  if (changed) {
    wp.x = w->Rect.left;
    wp.y = w->Rect.top;
    wp.cx = w->Rect.right - w->Rect.left;
    wp.cy = w->Rect.bottom - w->Rect.top;
    SendTo(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
  }
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
  return SetWindowPos(h, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND h, int cmd) {
  TWindow* w = Checked(h);
  if (!w) return FALSE;
  bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  bool topLevel = w->IsTopLevel();
  UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  if (!topLevel) flags |= SWP_NOZORDER | SWP_NOACTIVATE;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      SendTo(h, WM_SHOWWINDOW, FALSE, 0);
      if (!IsWindow(h)) return TRUE;
      SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return TRUE;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
    case SW_SHOWMINNOACTIVE:
      flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_MAXIMIZE:
    case SW_MINIMIZE:
    case SW_RESTORE:
    case SW_SHOWMINIMIZED:
    case SW_SHOW:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
      break;
    default:
      return wasVisible;
  }
  if (!wasVisible) {
    SendTo(h, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = FromHandle(h))) return FALSE;
  }
  bool minimize = cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE;
  if (topLevel && (cmd == SW_MAXIMIZE || minimize || cmd == SW_RESTORE || cmd == SW_SHOWNORMAL)) {
    bool wantMax = cmd == SW_MAXIMIZE;
    if (wantMax != w->Maximized || minimize != w->Minimized) {
      w->Minimized = minimize;
      if (wantMax != w->Maximized) {
        w->Maximized = wantMax;
        if (wantMax) w->RestoreRect = w->Rect;
        RECT target = w->RestoreRect;
        if (wantMax) SystemParametersInfo(SPI_GETWORKAREA, 0, &target, 0);
        SetWindowPos(h, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top,
                     (flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        return wasVisible;
      }
      if (minimize) flags |= SWP_NOACTIVATE;
    }
  }
  SetWindowPos(h, nullptr, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
  return wasVisible;
}

BOOL IsWindowVisible(HWND h) {
  TWindow* w = FromHandle(h);
  return w && IsVisibleDeep(w) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND h) {
  TWindow* w = FromHandle(h);
  return w && !(w->Style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND h, BOOL enable) {
  TWindow* w = Checked(h);
  if (!w) return FALSE;
  bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (enable && wasDisabled) {
    w->Style &= ~WS_DISABLED;
    SendTo(h, WM_ENABLE, TRUE, 0);
  } else if (!enable && !wasDisabled) {
    SendTo(h, WM_CANCELMODE, 0, 0);
    if (!(w = FromHandle(h))) return FALSE;
    w->Style |= WS_DISABLED;
    // A disabled window loses the keyboard focus.
    HWND focus = GetFocus();
    if (focus == h || IsChild(h, focus)) SetFocus(nullptr);
    if (GetCapture() == h) ReleaseCapture();
    SendTo(h, WM_ENABLE, FALSE, 0);
  }
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsIconic(HWND h) {
  TWindow* w = FromHandle(h);
  return w && w->Minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND h) {
  TWindow* w = FromHandle(h);
  return w && w->Maximized ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND h, RECT* r) {
  TWindow* w = FromHandle(h);
  if (!w || !r) return FALSE;
  *r = WindowRectOnScreen(w);
  return TRUE;
}

BOOL GetClientRect(HWND h, RECT* r) {
  TWindow* w = FromHandle(h);
  if (!w || !r) return FALSE;
  *r = RECT{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
  return TRUE;
}

namespace wincore {

// The frame thickness of a window style on each side, as DefWindowProc's WM_NCCALCSIZE removes it.
RECT FrameOf(DWORD style, DWORD exStyle) {
  RECT f{};
  int frame = 0;
  if (style & WS_THICKFRAME)
    frame = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    frame = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    frame = GetSystemMetrics(SM_CXBORDER);
  f = RECT{frame, frame, frame, frame};
  if ((style & WS_CAPTION) == WS_CAPTION)
    f.top += GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  if (exStyle & WS_EX_CLIENTEDGE) {
    int e = GetSystemMetrics(SM_CXEDGE);
    f.left += e; f.top += e; f.right += e; f.bottom += e;
  }
  if (exStyle & WS_EX_STATICEDGE) {
    int e = GetSystemMetrics(SM_CXBORDER);
    f.left += e; f.top += e; f.right += e; f.bottom += e;
  }
  return f;
}

}  // namespace wincore

BOOL AdjustWindowRectEx(RECT* r, DWORD style, BOOL, DWORD exStyle) {
  if (!r) return FALSE;
  RECT f = FrameOf(style, exStyle);
  r->left -= f.left;
  r->top -= f.top;
  r->right += f.right;
  r->bottom += f.bottom;
  return TRUE;
}

namespace {

// Moves p by the window's client origin on the screen, ASign times.
BOOL OffsetByClientOrigin(HWND h, POINT* p, int ASign) {
  TWindow* w = FromHandle(h);
  if (!w || !p) return FALSE;
  POINT o = ClientOriginOnScreen(w);
  p->x += ASign * o.x;
  p->y += ASign * o.y;
  return TRUE;
}

}  // namespace

BOOL ClientToScreen(HWND h, POINT* p) { return OffsetByClientOrigin(h, p, 1); }

BOOL ScreenToClient(HWND h, POINT* p) { return OffsetByClientOrigin(h, p, -1); }

int MapWindowPoints(HWND from, HWND to, POINT* pts, UINT count) {
  TWindow* a = from ? FromHandle(from) : Desktop();
  TWindow* b = to ? FromHandle(to) : Desktop();
  if (!a || !b) return 0;
  POINT oa = ClientOriginOnScreen(a), ob = ClientOriginOnScreen(b);
  int dx = oa.x - ob.x, dy = oa.y - ob.y;
  for (UINT i = 0; i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  return static_cast<int>(static_cast<std::uint32_t>(static_cast<WORD>(dx)) |
                          (static_cast<std::uint32_t>(static_cast<WORD>(dy)) << 16));
}

HWND WindowFromPoint(POINT pt) {
  TWindow* w = WindowAt(pt, true, nullptr);
  return w ? w->Handle : nullptr;
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  TWindow* p = FromHandle(parent);
  if (!p) return nullptr;
  RECT client{0, 0, p->Client.right - p->Client.left, p->Client.bottom - p->Client.top};
  if (!Contains(client, pt)) return nullptr;
  POINT o = ClientOriginOnScreen(p);
  POINT screen{pt.x + o.x, pt.y + o.y};
  for (TWindow* c : p->Children) {
    if ((flags & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)) continue;
    if (HitsWindow(c, screen)) return c->Handle;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

// ---------------------------------------------------------------------------------------------
// Text and region

BOOL SetWindowText(HWND h, LPCWSTR text) {
  return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")) ? TRUE : FALSE;
}

int GetWindowText(HWND h, LPWSTR buf, int max) {
  if (!buf || max <= 0) return 0;
  buf[0] = 0;
  return static_cast<int>(SendMessage(h, WM_GETTEXT, static_cast<WPARAM>(max), reinterpret_cast<LPARAM>(buf)));
}

int GetWindowTextLength(HWND h) { return static_cast<int>(SendMessage(h, WM_GETTEXTLENGTH, 0, 0)); }

int SetWindowRgn(HWND h, HRGN rgn, BOOL redraw) {
  TWindow* w = Checked(h);
  if (!w) return 0;
  RECT oldScreen = WindowRectOnScreen(w);
  if (w->Region) DeleteObject(w->Region);
  w->Region = rgn;
  if (w->IsTopLevel()) Backend().SetShape(w);
  if (redraw) OnWindowMovedOrResized(w, oldScreen, true);
  return 1;
}

int GetWindowRgn(HWND h, HRGN rgn) {
  TWindow* w = FromHandle(h);
  if (!w || !w->Region || !rgn) return ERROR;
  return CombineRgn(rgn, w->Region, nullptr, RGN_COPY);
}

// ---------------------------------------------------------------------------------------------
// Default window procedure

namespace {

LRESULT DefNcHitTest(TWindow* w, POINT pt) {
  RECT wr = WindowRectOnScreen(w);
  if (!Contains(wr, pt)) return HTNOWHERE;
  RECT cr = ClientRectOnScreen(w);
  if (Contains(cr, pt)) return HTCLIENT;
  if (w->Style & WS_THICKFRAME) {
    int f = GetSystemMetrics(SM_CXFRAME);
    int corner = GetSystemMetrics(SM_CYCAPTION);
    bool left = pt.x < wr.left + f, right = pt.x >= wr.right - f;
    bool top = pt.y < wr.top + f, bottom = pt.y >= wr.bottom - f;
    bool nearLeft = pt.x < wr.left + corner, nearRight = pt.x >= wr.right - corner;
    bool nearTop = pt.y < wr.top + corner, nearBottom = pt.y >= wr.bottom - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  if ((w->Style & WS_CAPTION) == WS_CAPTION) {
    RECT f = FrameOf(w->Style & ~WS_CAPTION, 0);
    int capH = GetSystemMetrics((w->ExStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT cap{wr.left + f.left, wr.top + f.top, wr.right - f.right, wr.top + f.top + capH};
    if (Contains(cap, pt)) {
      if (w->Style & WS_SYSMENU) {
        RECT close{cap.right - capH - 2, cap.top, cap.right, cap.bottom};
        if (Contains(close, pt)) return HTCLOSE;
      }
      return HTCAPTION;
    }
  }
  if (w->Style & WS_VSCROLL) {
    RECT vs{cr.right, cr.top, cr.right + GetSystemMetrics(SM_CXVSCROLL), cr.bottom};
    if (Contains(vs, pt)) return HTVSCROLL;
  }
  if (w->Style & WS_HSCROLL) {
    RECT hs{cr.left, cr.bottom, cr.right, cr.bottom + GetSystemMetrics(SM_CYHSCROLL)};
    if (Contains(hs, pt)) return HTHSCROLL;
  }
  return HTBORDER;
}

}  // namespace

LRESULT CallWindowProc(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(h, msg, wParam, lParam) : 0;
}

LRESULT DefWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWindow* w = FromHandle(h);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->Text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      if (!r) return 0;
      RECT f = FrameOf(w->Style, w->ExStyle);
      if (w->Style & WS_VSCROLL) f.right += GetSystemMetrics(SM_CXVSCROLL);
      if (w->Style & WS_HSCROLL) f.bottom += GetSystemMetrics(SM_CYHSCROLL);
      r->left += f.left;
      r->top += f.top;
      r->right -= f.right;
      r->bottom -= f.bottom;
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      return 0;
    }
    case WM_NCHITTEST:
      return DefNcHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT:
      DefaultNcPaint(w);
      return 0;
    case WM_NCACTIVATE:
      w->ActiveCaption = wParam != 0;
      if ((w->Style & WS_CAPTION) == WS_CAPTION) {
        w->FramePending = true;
        DefaultNcPaint(w);
        w->FramePending = false;
      }
      return TRUE;
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (!dc || !w->Class->Background) return 0;
      EraseWithClassBrush(w, dc);
      return 1;
    }
    case WM_PAINT: {
      if (wParam) return 0;   // painting into a given DC is the window procedure's own business
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_SETREDRAW:
      w->Redraw = wParam != 0;
      return 0;
    case WM_SETTEXT: {
      auto* text = reinterpret_cast<LPCWSTR>(lParam);
      w->Text = text ? String(text) : String();
      if (w->IsTopLevel()) {
        Backend().SetTitle(w);
        if ((w->Style & WS_CAPTION) == WS_CAPTION) InvalidateWindow(w, nullptr, false, true, false);
      }
      return TRUE;
    }
    case WM_GETTEXT:
      return CopyOut(w->Text, reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->Text.size());
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(h, WM_CLOSE, 0, 0);
      else if ((wParam & 0xFFF0) == SC_MINIMIZE) ShowWindow(h, SW_MINIMIZE);
      else if ((wParam & 0xFFF0) == SC_MAXIMIZE) ShowWindow(h, SW_MAXIMIZE);
      else if ((wParam & 0xFFF0) == SC_RESTORE) ShowWindow(h, SW_RESTORE);
      else FrameDragCommand(w, wParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (HIWORD(static_cast<std::uintptr_t>(lParam)) & 0x2000)) {
        TWindow* top = TopLevelOf(w);
        if (top) SendMessage(top->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
        ScrollBarPress(w, wParam == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
      }
      if (msg == WM_NCLBUTTONDOWN && wParam == HTCLOSE) SendMessage(h, WM_SYSCOMMAND, SC_CLOSE, lParam);
      else if (WPARAM drag = msg == WM_NCLBUTTONDOWN ? FrameDragHitCommand(w, static_cast<LRESULT>(wParam)) : 0)
        SendMessage(h, WM_SYSCOMMAND, drag, lParam);
      return 0;
    case WM_SETCURSOR:
      return DefaultSetCursor(w, lParam);
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    case WM_MOUSEACTIVATE:
      return DefaultMouseActivate(w, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !w->Minimized) SetFocus(h);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!wp) return 0;
      if (!(wp->flags & SWP_NOMOVE) || (wp->flags & SWP_FRAMECHANGED))
        SendMessage(h, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(w->Rect.left + w->Client.left), static_cast<WORD>(w->Rect.top + w->Client.top)));
      if (!(w = FromHandle(h))) return 0;
      if (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED))
        SendMessage(h, WM_SIZE, w->Maximized ? SIZE_MAXIMIZED : w->Minimized ? SIZE_MINIMIZED : SIZE_RESTORED,
                    MAKELPARAM(static_cast<WORD>(w->Client.right - w->Client.left),
                               static_cast<WORD>(w->Client.bottom - w->Client.top)));
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
      if (!mm) return 0;
      RECT work;
      SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
      mm->ptMaxSize = POINT{work.right - work.left, work.bottom - work.top};
      mm->ptMaxPosition = POINT{work.left, work.top};
      mm->ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
      mm->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
      // Unhandled wheel messages go up to the parent.
      if ((w->Style & WS_CHILD) && w->Parent) return SendMessage(w->Parent->Handle, msg, wParam, lParam);
      return 0;
    case WM_RBUTTONUP: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(h, &p);
      SendMessage(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h),
                  MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
      return 0;
    }
    case WM_CONTEXTMENU:
      if ((w->Style & WS_CHILD) && w->Parent) return SendMessage(w->Parent->Handle, msg, wParam, lParam);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
      return TRUE;
    default:
      return 0;
  }
}
