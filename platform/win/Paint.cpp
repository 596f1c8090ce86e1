// The painting protocol: update regions, WM_PAINT generation, BeginPaint/EndPaint, window DCs over
// the top-level window's backing store, the default frame and background, and presentation.
#include "platform/win/Backend.h"
#include "platform/win/WinCore.h"
#include "platform/win/WinGdi.h"

#include <algorithm>

using namespace wincore;

namespace {

RECT ClientBounds(const TWindow* w) {
  return RECT{0, 0, w->Client.right - w->Client.left, w->Client.bottom - w->Client.top};
}

bool RedrawAllowed(const TWindow* w) {
  for (; w; w = w->Parent)
    if (!w->Redraw) return false;
  return true;
}

// The window rectangle of w in its top-level window's surface coordinates.
RECT RectOnSurface(const TWindow* w, const TWindow* top) {
  RECT t = WindowRectOnScreen(top);
  return Offset(WindowRectOnScreen(w), -t.left, -t.top);
}

TRgnSet RegionOf(const TWindow* w, const RECT& onSurface) {
  TRgnSet r(onSurface);
  if (w->Region) {
    if (gdi::TRegionObj* obj = gdi::RegionOf(w->Region)) {
      TRgnSet shape = obj->Set;
      shape.Offset(onSurface.left, onSurface.top);
      r = TRgnSet::Combine(r, shape, RGN_AND);
    }
  }
  return r;
}

// Where w may draw in its top-level window's surface: its client area (or whole window), inside
// every ancestor's client area and window region, less the children (WS_CLIPCHILDREN) and the
// higher siblings of w and its ancestors (WS_CLIPSIBLINGS).
TRgnSet VisibleRegion(TWindow* w, bool wholeWindow) {
  TWindow* top = TopLevelOf(w);
  RECT wr = RectOnSurface(w, top);
  RECT area = wholeWindow ? wr : Offset(w->Client, wr.left, wr.top);
  TRgnSet vis = TRgnSet::Combine(TRgnSet(area), RegionOf(w, wr), RGN_AND);
  for (TWindow* a = w; a != top; a = a->Parent) {
    TWindow* p = a->Parent;
    RECT pr = RectOnSurface(p, top);
    vis = vis.Intersect(Offset(p->Client, pr.left, pr.top));
    vis = TRgnSet::Combine(vis, RegionOf(p, pr), RGN_AND);
    if (a->Style & WS_CLIPSIBLINGS) {
      for (TWindow* s : p->Children) {
        if (s == a) break;
        if (s->Style & WS_VISIBLE) vis = TRgnSet::Combine(vis, RegionOf(s, RectOnSurface(s, top)), RGN_DIFF);
      }
    }
  }
  if (w->Style & WS_CLIPCHILDREN)
    for (TWindow* c : w->Children)
      if (c->Style & WS_VISIBLE) vis = TRgnSet::Combine(vis, RegionOf(c, RectOnSurface(c, top)), RGN_DIFF);
  TSurface* s = top->Surface.get();
  return vis.Intersect(RECT{0, 0, s->Width(), s->Height()});
}

struct TWindowDC {
  HWND Window = nullptr;   // the top-level window whose surface it draws on; nullptr for the screen
  RECT Bounds{};           // surface area it may change
};

std::map<HDC, TWindowDC>& WindowDCs() {
  static std::map<HDC, TWindowDC> dcs;
  return dcs;
}

TSurface& ScreenSurface() {
  static TSurface s(1, 1);
  return s;
}

HDC MakeWindowDC(TWindow* w, bool wholeWindow, const TRgnSet* clientClip) {
  TWindow* top = TopLevelOf(w);
  if (!top || !top->Surface) return nullptr;
  TRgnSet vis = VisibleRegion(w, wholeWindow);
  RECT wr = RectOnSurface(w, top);
  POINT origin = wholeWindow ? POINT{wr.left, wr.top} : POINT{wr.left + w->Client.left, wr.top + w->Client.top};
  if (clientClip) {
    TRgnSet c = *clientClip;
    c.Offset(origin.x, origin.y);
    vis = TRgnSet::Combine(vis, c, RGN_AND);
  }
  if (!IsVisibleDeep(w)) vis = TRgnSet();
  HRGN rgn = gdi::NewRegion(vis);
  HDC dc = CreateSurfaceDCRgn(*top->Surface, origin, rgn);
  DeleteObject(rgn);
  if (dc) WindowDCs()[dc] = TWindowDC{top->Handle, vis.Box()};
  return dc;
}

void ReleaseWindowDC(HDC dc) {
  auto it = WindowDCs().find(dc);
  if (it == WindowDCs().end()) return;
  if (TWindow* top = FromHandle(it->second.Window)) top->Dirty = Union(top->Dirty, it->second.Bounds);
  WindowDCs().erase(it);
  DeleteDC(dc);
}

bool NeedsPaint(const TWindow* w) { return !w->Update.Empty() || w->FramePending || w->InternalPaint; }

// Parents before children, lower siblings before higher ones: what is painted later lies on top.
TWindow* FirstToPaint(TWindow* w, DWORD thread, HWND filter, bool inFilter) {
  if (!(w->Style & WS_VISIBLE) && w != Desktop()) return nullptr;
  bool here = inFilter || !filter || w->Handle == filter;
  if (w != Desktop() && here && w->ThreadId == thread && NeedsPaint(w) && RedrawAllowed(w)) return w;
  for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it) {
    if (w == Desktop() && (*it)->Minimized) continue;
    if (TWindow* found = FirstToPaint(*it, thread, filter, here && w != Desktop())) return found;
  }
  return nullptr;
}

void PaintTree(HWND h, bool children) {
  TWindow* w = FromHandle(h);
  if (!w || !IsVisibleDeep(w)) return;
  if (NeedsPaint(w) && RedrawAllowed(w)) SendTo(h, WM_PAINT, 0, 0);
  if (!children || !(w = FromHandle(h))) return;
  std::vector<HWND> kids;
  for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it) kids.push_back((*it)->Handle);
  for (HWND k : kids) PaintTree(k, true);
}

bool DefaultChildren(const TWindow* w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(w->Style & WS_CLIPCHILDREN);
}

std::optional<TRgnSet> AreaOf(const RECT* rect, HRGN rgn) {
  if (rgn) {
    gdi::TRegionObj* obj = gdi::RegionOf(rgn);
    if (obj) return obj->Set;
    return TRgnSet();
  }
  if (rect) return TRgnSet(*rect);
  return std::nullopt;
}

void ValidateArea(TWindow* w, const TRgnSet* area, bool children) {
  if (area)
    w->Update = TRgnSet::Combine(w->Update, *area, RGN_DIFF);
  else
    w->Update = TRgnSet();
  if (w->Update.Empty()) w->Erase = false;
  if (!children) return;
  for (TWindow* c : w->Children) {
    if (area) {
      TRgnSet sub = *area;
      sub.Offset(-(c->Rect.left + c->Client.left), -(c->Rect.top + c->Client.top));
      ValidateArea(c, &sub, true);
    } else {
      ValidateArea(c, nullptr, true);
    }
  }
}

}  // namespace

namespace wincore {

void InvalidateWindow(TWindow* w, const TRgnSet* clientArea, bool erase, bool frame, bool children) {
  if (!w || w == Desktop() || !RedrawAllowed(w) || !IsVisibleDeep(w)) return;
  TRgnSet area = clientArea ? clientArea->Intersect(ClientBounds(w)) : TRgnSet(ClientBounds(w));
  if (!area.Empty()) {
    w->Update = TRgnSet::Combine(w->Update, area, RGN_OR);
    if (erase) w->Erase = true;
  }
  RECT whole{-w->Client.left, -w->Client.top, w->Rect.right - w->Rect.left - w->Client.left,
             w->Rect.bottom - w->Rect.top - w->Client.top};
  bool hasFrame = !(whole == ClientBounds(w));
  if (frame && hasFrame) w->FramePending = true;
  if (!children) return;
  TRgnSet reach = clientArea ? *clientArea : TRgnSet(ClientBounds(w));
  for (TWindow* c : w->Children) {
    if (!(c->Style & WS_VISIBLE) || !reach.Intersects(c->Rect)) continue;
    TRgnSet sub = reach;
    sub.Offset(-(c->Rect.left + c->Client.left), -(c->Rect.top + c->Client.top));
    InvalidateWindow(c, &sub, erase, true, true);
  }
}

void OnWindowMovedOrResized(TWindow* w, const RECT& oldOnScreen, bool resized) {
  if (!w->IsTopLevel()) {
    TWindow* p = w->Parent;
    POINT o = ClientOriginOnScreen(p);
    TRgnSet old(Offset(oldOnScreen, -o.x, -o.y));
    InvalidateWindow(p, &old, true, true, true);
    InvalidateWindow(w, nullptr, true, true, true);
  } else if (resized) {
    InvalidateWindow(w, nullptr, true, true, true);
  }
}

TWindow* FindPaintWindow(DWORD threadId, HWND filter) { return FirstToPaint(Desktop(), threadId, filter, false); }

void FlushPresent() {
  if (!BackendStarted()) return;
  for (TWindow* t : Desktop()->Children) {
    if (Empty(t->Dirty)) continue;
    RECT d = t->Dirty;
    t->Dirty = RECT{};
    if (t->Style & WS_VISIBLE) Backend().Present(t, d);
  }
}

void EraseWithClassBrush(TWindow* w, HDC dc) {
  HBRUSH b = w->Class->Background;
  auto v = reinterpret_cast<std::uintptr_t>(b);
  if (v > 0 && v <= 31) b = GetSysColorBrush(static_cast<int>(v - 1));
  RECT r = ClientBounds(w);
  FillRect(dc, &r, b);
}

void DefaultNcPaint(TWindow* w) {
  RECT whole{0, 0, w->Rect.right - w->Rect.left, w->Rect.bottom - w->Rect.top};
  if (w->Client == whole) return;
  HDC dc = GetWindowDC(w->Handle);
  if (!dc) return;
  ExcludeClipRect(dc, w->Client.left, w->Client.top, w->Client.right, w->Client.bottom);
  RECT r = whole;
  bool caption = (w->Style & WS_CAPTION) == WS_CAPTION;
  if ((w->Style & (WS_THICKFRAME | WS_DLGFRAME)) || (w->ExStyle & WS_EX_DLGMODALFRAME)) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    RECT e = r;
    DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  } else if (w->Style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
  if (caption) {
    RECT full = FrameOf(w->Style, w->ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    int capH = full.top - full.left;
    RECT cap{full.left, full.left, whole.right - full.right, full.top};
    bool active = w->ActiveCaption;
    FillRect(dc, &cap, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT text = cap;
    text.left += 6;
    if (w->Style & WS_SYSMENU) {
      // The close box: a square at the right end of the caption with a cross in it.
      int size = capH - 4;
      RECT box{cap.right - size - 2, cap.top + 2, cap.right - 2, cap.top + 2 + size};
      text.right = box.left - 2;
      DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH);
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
      HGDIOBJ old = SelectObject(dc, pen);
      int m = size / 3;
      for (int i = 0; i < 2; ++i) {
        MoveToEx(dc, box.left + m + i, box.top + m, nullptr);
        LineTo(dc, box.right - m + i, box.bottom - m);
        MoveToEx(dc, box.right - m - 1 + i, box.top + m, nullptr);
        LineTo(dc, box.left + m - 1 + i, box.bottom - m);
      }
      SelectObject(dc, old);
      DeleteObject(pen);
    }
    LOGFONTW lf;
    lf.lfHeight = -12;
    lf.lfWeight = FW_NORMAL;
    const char16_t face[] = u"Segoe UI";
    std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    HFONT font = CreateFontIndirect(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(dc, w->Text.c_str(), static_cast<int>(w->Text.size()), &text,
             DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteObject(font);
  }
  // Client edges sit just outside the client area and its scroll bars.
  RECT inner = w->Client;
  if (w->Style & WS_VSCROLL) inner.right += GetSystemMetrics(SM_CXVSCROLL);
  if (w->Style & WS_HSCROLL) inner.bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (w->Style & (WS_VSCROLL | WS_HSCROLL)) PaintWindowScrollBars(w, dc);
  if (w->ExStyle & WS_EX_CLIENTEDGE) {
    int e = GetSystemMetrics(SM_CXEDGE);
    RECT edge{inner.left - e, inner.top - e, inner.right + e, inner.bottom + e};
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    InflateRect(&inner, e, e);
  }
  if (w->ExStyle & WS_EX_STATICEDGE) {
    int e = GetSystemMetrics(SM_CXBORDER);
    RECT edge{inner.left - e, inner.top - e, inner.right + e, inner.bottom + e};
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  }
  ReleaseDC(w->Handle, dc);
}

}  // namespace wincore

// ---------------------------------------------------------------------------------------------

BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase) {
  if (!h) {
    for (TWindow* t : Desktop()->Children) InvalidateWindow(t, nullptr, erase, true, true);
    return TRUE;
  }
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  std::optional<TRgnSet> area = AreaOf(rect, nullptr);
  InvalidateWindow(w, area ? &*area : nullptr, erase != FALSE, false, !(w->Style & WS_CLIPCHILDREN));
  return TRUE;
}

BOOL InvalidateRgn(HWND h, HRGN rgn, BOOL erase) {
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  std::optional<TRgnSet> area = AreaOf(nullptr, rgn);
  InvalidateWindow(w, area ? &*area : nullptr, erase != FALSE, false, !(w->Style & WS_CLIPCHILDREN));
  return TRUE;
}

BOOL ValidateRect(HWND h, const RECT* rect) {
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  std::optional<TRgnSet> area = AreaOf(rect, nullptr);
  ValidateArea(w, area ? &*area : nullptr, false);
  if (!rect) {
    w->FramePending = false;
    w->InternalPaint = false;
  }
  return TRUE;
}

BOOL ValidateRgn(HWND h, HRGN rgn) {
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  std::optional<TRgnSet> area = AreaOf(nullptr, rgn);
  ValidateArea(w, area ? &*area : nullptr, false);
  return TRUE;
}

BOOL GetUpdateRect(HWND h, RECT* rect, BOOL erase) {
  TWindow* w = FromHandle(h);
  if (!w) return FALSE;
  TRgnSet u = w->Update;
  if (rect) *rect = u.Empty() ? RECT{} : u.Box();
  if (erase && w->Erase && !u.Empty()) {
    w->Erase = false;
    HDC dc = MakeWindowDC(w, false, &u);
    SendTo(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseWindowDC(dc);
  }
  return u.Empty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND h, HRGN rgn, BOOL) {
  TWindow* w = FromHandle(h);
  gdi::TRegionObj* obj = gdi::RegionOf(rgn);
  if (!w || !obj) return ERROR;
  obj->Set = w->Update;
  return obj->Set.Complexity();
}

BOOL UpdateWindow(HWND h) {
  if (!FromHandle(h)) return FALSE;
  PaintTree(h, true);
  FlushPresent();
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT* rect, HRGN rgn, UINT flags) {
  TWindow* w = h ? FromHandle(h) : nullptr;
  if (!h) {
    for (TWindow* t : std::vector<TWindow*>(Desktop()->Children)) RedrawWindow(t->Handle, nullptr, nullptr, flags);
    return TRUE;
  }
  if (!w) return FALSE;
  std::optional<TRgnSet> area = AreaOf(rect, rgn);
  bool children = DefaultChildren(w, flags);
  if (flags & RDW_INVALIDATE)
    InvalidateWindow(w, area ? &*area : nullptr, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0, children);
  if (flags & RDW_INTERNALPAINT) w->InternalPaint = true;
  if (flags & RDW_VALIDATE) {
    ValidateArea(w, area ? &*area : nullptr, children);
    if (flags & RDW_NOFRAME) w->FramePending = false;
    if (flags & RDW_NOERASE) w->Erase = false;
  }
  if (flags & RDW_NOINTERNALPAINT) w->InternalPaint = false;
  if (flags & RDW_UPDATENOW) {
    PaintTree(h, children);
  } else if (flags & RDW_ERASENOW) {
    if (w->FramePending) {
      w->FramePending = false;
      SendTo(h, WM_NCPAINT, 1, 0);
    }
    if ((w = FromHandle(h)) && w->Erase && !w->Update.Empty()) {
      w->Erase = false;
      TRgnSet u = w->Update;
      HDC dc = MakeWindowDC(w, false, &u);
      SendTo(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
      ReleaseWindowDC(dc);
    }
  }
  FlushPresent();
  return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* ps) {
  TWindow* w = FromHandle(h);
  if (!w || !ps) return nullptr;
  w->PaintedInDispatch = true;
  if (!w->Painting) HideCaret(h);   // shown again by EndPaint
  w->Painting = true;
  if (w->FramePending) {
    w->FramePending = false;
    SendTo(h, WM_NCPAINT, 1, 0);
    if (!(w = FromHandle(h))) return nullptr;
  }
  TRgnSet update = w->Update.Intersect(ClientBounds(w));
  bool erase = w->Erase;
  w->Update = TRgnSet();
  w->Erase = false;
  w->InternalPaint = false;
  HDC dc = MakeWindowDC(w, false, &update);
  *ps = PAINTSTRUCT();
  ps->hdc = dc;
  ps->rcPaint = update.Empty() ? RECT{} : update.Box();
  ps->fErase = FALSE;
  if (erase && dc) ps->fErase = SendTo(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* ps) {
  if (ps && ps->hdc) ReleaseWindowDC(ps->hdc);
  if (TWindow* w = FromHandle(h); w && w->Painting) {
    w->Painting = false;
    ShowCaret(h);
  }
  return TRUE;
}

HDC GetDC(HWND h) {
  if (!h) {
    HDC dc = CreateSurfaceDC(ScreenSurface(), POINT{0, 0}, nullptr);
    if (dc) WindowDCs()[dc] = TWindowDC{};
    return dc;
  }
  TWindow* w = FromHandle(h);
  if (!w) return nullptr;
  if (w == Desktop()) return GetDC(nullptr);
  return MakeWindowDC(w, false, nullptr);
}

HDC GetWindowDC(HWND h) {
  TWindow* w = FromHandle(h);
  if (!w || w == Desktop()) return GetDC(nullptr);
  return MakeWindowDC(w, true, nullptr);
}

int ReleaseDC(HWND, HDC dc) {
  if (!WindowDCs().count(dc)) return 0;
  ReleaseWindowDC(dc);
  return 1;
}

BOOL LockWindowUpdate(HWND h) {
  static HWND locked = nullptr;
  if (h && locked) return FALSE;
  if (h) {
    SendMessage(h, WM_SETREDRAW, FALSE, 0);
    locked = h;
  } else if (locked) {
    SendMessage(locked, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(locked, nullptr, TRUE);
    locked = nullptr;
  }
  return TRUE;
}
