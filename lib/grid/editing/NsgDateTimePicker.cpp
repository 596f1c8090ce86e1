// The flat look shared by the date pickers, and the inplace date picker's own gates.
#include "lib/grid/editing/NsgDateTimePicker.h"

#include <mutex>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NsgGdiScopeInternal.h"
#include "lib/gridutil/NeoGridUtilUnit.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/win/Messages.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

using namespace NsgDateTimePicker;

// ---------------------------------------------------------------------------------------------
// Environment tests

bool NsgDateTimePicker::IsVistaOrLater() {
  HMODULE kernel = LoadLibraryW(u"kernel32");
  if (!kernel) return false;
  const bool found = GetProcAddress(kernel, "GetLocaleInfoEx") != nullptr;
  FreeLibrary(kernel);
  return found;
}

Integer NsgDateTimePicker::GetModuleFileVersion(const String& FileName) { return GetFileVersion(FileName); }

bool NsgDateTimePicker::IsComCtl6() {
  const Integer version = GetModuleFileVersion(u"COMCTL32.DLL");
  return version != -1 && ((static_cast<Cardinal>(version) >> 16) & 0xFF) > 5;
}

bool NsgDateTimePicker::IsMouseButtonDown() {
  return (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

String NsgDateTimePicker::VersionNrText(Cardinal Value) {
  return IntToStr(Value >> 24) + u"." + IntToStr((Value >> 16) & 0xFF) + u"." + IntToStr((Value >> 8) & 0xFF) + u"." +
         IntToStr(Value & 0xFF);
}

namespace {

bool WindowsXPOrLater() {
  const TOSVersion v = GetVersionFacts().Reported;
  return v.Major > 5 || (v.Major == 5 && v.Minor >= 1);
}

TColor Either(TColor AColor, TColor AFallback) { return AColor != clNone ? AColor : AFallback; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TMetroDateTimePicker

TMetroDateTimePicker::TMetroDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
  FIsThemed = IsComCtl6();
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  FIsWinXP = WindowsXPOrLater();
  SetDoubleBuffered(true);
}

void TMetroDateTimePicker::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RepaintWithFrame();
}

void TMetroDateTimePicker::RepaintWithFrame() {
  // The borders lie on the non-client band as well: both are painted again.
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TMetroDateTimePicker::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  RepaintWithFrame();
}

void TMetroDateTimePicker::SetMetroStyle(bool Value) {
  if (FMetroStyle == Value) return;
  FMetroStyle = Value;
  RepaintWithFrame();
}

bool TMetroDateTimePicker::IsThemed() const {
  return FIsThemed && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive();
}

bool TMetroDateTimePicker::IsHotOrFocused() const {
  if (Designing()) return GetEnabled();
  return FMouseInControl || (Screen && Screen->GetActiveControl() == this);
}

bool TMetroDateTimePicker::ShowFocusBorder() const {
  return !Designing() && (FMouseInControl || (Screen && Screen->GetActiveControl() == this)) && FFocusBorder;
}

// ---- painting

void TMetroDateTimePicker::WMPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (GetCtl3D() && !IsMetro()) return;
  if (!IsVistaOrLater() || !HandleAllocated()) return;
  {
    TWindowDC dc(GetHandle());
    if (!dc.Get()) return;
    if (IsMetro() && GetKind() != dtkTime) {
      if (IsComCtl6()) CoverNativeButton(dc.Get(), CoverCut());
      DrawDropButton(dc.Get());
    }
    PaintOverNative(dc.Get());
  }
  DrawBorders();
}

void TMetroDateTimePicker::CoverNativeButton(HDC DC, Integer ThemedCut) {
  const Integer right = GetClientWidth(), bw = FButtonWidth, h = GetHeight();
  const TRect r = IsThemed() ? TRect{right - bw - ThemedCut, 1, right, h} : TRect{right - bw - 2, 4, right - 2, h - 4};
  FillRect(DC, &r, GetBrush()->GetHandle());
}

void TMetroDateTimePicker::DrawDropButton(HDC DC) {
  const Integer cw = GetClientWidth(), ch = GetClientHeight();
  TRect r{cw - FButtonWidth + 2, 0, GetWidth(), GetHeight()};
  InflateRect(&r, -1, -1);
  const bool down = IsMouseButtonDown();
  if (FButtonColor != clNone) {
    TColor back = FButtonColor;
    if (FButtonHover) back = down ? Either(FButtonColorDown, FButtonColor) : Either(FButtonColorHot, FButtonColor);
    {
      TSolidFill fill(DC, back);
      Rectangle(DC, r.left + 2, r.top, r.right, r.bottom);
    }
    if (FButtonBorderColor != clNone) {
      TSolidFill line(DC, FButtonBorderColor);
      MoveToEx(DC, r.left, r.top, nullptr);
      LineTo(DC, r.left, r.bottom);
    }
    TSolidFill arrow(DC, Either(down ? Either(FButtonTextColorDown, FButtonTextColor) : FButtonTextColor, clBtnText));
    POINT points[3] = {{r.left + 5, r.top + 7}, {r.left + 11, r.top + 7}, {r.left + 8, r.top + 10}};
    Polygon(DC, points, 3);
  } else {
    bool drawn = false;
    if (IsThemed() && NeoXPVS::OpenThemeData && NeoXPVS::DrawThemeBackground && NeoXPVS::CloseThemeData) {
      if (HTHEME theme = NeoXPVS::OpenThemeData(GetHandle(), u"combobox")) {
        const bool dropped = GetDroppedDown();
        int state = 1;
        if (!GetEnabled()) state = 4;
        else if (down && dropped) state = 3;
        else if (!down && FButtonHover && !dropped) state = 2;
        NeoXPVS::DrawThemeBackground(theme, DC, CP_DROPDOWNBUTTON, state, &r, nullptr);
        NeoXPVS::CloseThemeData(theme);
        drawn = true;
      }
    }
    if (!drawn)
      DrawFrameControl(DC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (GetEnabled() ? DFCS_FLAT : DFCS_INACTIVE));
  }
  ExcludeClipRect(DC, cw - FButtonWidth - 4, 0, cw + 2, ch);
}

void TMetroDateTimePicker::DrawBorderCases(HDC DC, TRect R, bool Focused, TColor Color) {
  if (!GetEnabled() && FIsThemed && !FDisabledBorder) {
    TSolidBrush frame(DisabledFrameColor);
    FrameRect(DC, &R, frame.Get());
    return;
  }
  if (Color != clNone && !(Focused && FFocusBorderColor != clNone)) {
    TSolidBrush frame(Color);
    FrameRect(DC, &R, frame.Get());
    return;
  }
  if (FFocusBorderColor != clNone) {
    if (!Focused) return;
    TSolidBrush frame(FFocusBorderColor);
    FrameRect(DC, &R, frame.Get());
    return;
  }
  const bool focusBorder = ShowFocusBorder();
  const TColor parentColor = GetParent() ? GetParent()->GetBrush()->GetColor() : clBtnFace;
  TSolidBrush outer(focusBorder ? clBtnFace : parentColor), inner(GetColor());
  if (focusBorder) {
    DrawEdge(DC, &R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FrameRect(DC, &R, outer.Get());
    InflateRect(&R, -1, -1);
    FrameRect(DC, &R, inner.Get());
  } else {
    FrameRect(DC, &R, outer.Get());
    InflateRect(&R, -1, -1);
    R.right -= FButtonWidth;
    FrameRect(DC, &R, outer.Get());
    InflateRect(&R, -1, -1);
    FrameRect(DC, &R, inner.Get());
  }
}

TColor TMetroDateTimePicker::FlatBorderPenColor() const {
  if (FBorderStyle == bsNone && GetParent()) return GetParent()->GetBrush()->GetColor();
  if (FIsThemed) return DisabledFrameColor;
  return FBorderColor;
}

void TMetroDateTimePicker::DrawOutline(HDC DC, TColor Color) {
  const Integer w = GetWidth(), h = GetHeight();
  TSolidFill pen(DC, Color);
  MoveToEx(DC, 0, h, nullptr);
  LineTo(DC, 0, 0);
  LineTo(DC, w - 1, 0);
  LineTo(DC, w - 1, h - 1);
  LineTo(DC, 0, h - 1);
}

void TMetroDateTimePicker::DrawFlatBorder() {
  if (GetCtl3D() || !FlatBorderWanted() || !HandleAllocated()) return;
  TWindowDC dc(GetHandle());
  if (!dc.Get()) return;
  DrawOutline(dc.Get(), FlatBorderPenColor());
  if (!GetParent()) return;
  const TColor second = FBorderStyle == bsSingle ? GetParent()->GetBrush()->GetColor() : FlatBorderPenColor();
  const Integer w = GetWidth(), h = GetHeight();
  TSolidFill pen(dc.Get(), second);
  MoveToEx(dc.Get(), 1, h - 2, nullptr);
  LineTo(dc.Get(), 1, 1);
  LineTo(dc.Get(), w - 1, 1);
}

void TMetroDateTimePicker::ConditionalDrawBorders() {
  if (!HandleAllocated()) return;
  if (!GetEnabled() && IsThemed() && !FDisabledBorder) DrawBorders();
  if ((FFocusBorderColor != clNone && GetFocus() == GetHandle()) || FBorderColor != clNone) DrawBorders();
}

void TMetroDateTimePicker::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  DrawFlatBorder();
  ConditionalDrawBorders();
  NCPaintTail();
  Message.Result = 0;
}

// ---- mouse and focus

void TMetroDateTimePicker::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  inherited::MouseMove(Shift, X, Y);
  const bool hover = GetWidth() - FButtonWidth < X && X < GetWidth();
  if (hover == FButtonHover) return;
  FButtonHover = hover;
  Invalidate();
}

void TMetroDateTimePicker::CMMouseEnter(TMessage& Message) {
  const bool was = FMouseInControl;
  inherited::Dispatch(Message);
  // A child's entering (LParam) and design time leave the state alone.
  if (Message.LParam != 0 || (Designing() && !TracksMouseWhileDesigning())) return;
  FMouseInControl = was;
  if (was || !GetEnabled()) return;
  FMouseInControl = true;
  DrawBorders();
  if (FIsWinXP) Invalidate();
}

void TMetroDateTimePicker::CMMouseLeave(TMessage& Message) {
  const bool was = FMouseInControl;
  inherited::Dispatch(Message);
  if (Message.LParam != 0 || (Designing() && !TracksMouseWhileDesigning())) return;
  FMouseInControl = was;
  if (!was || !GetEnabled()) return;
  FMouseInControl = false;
  FButtonHover = false;
  DrawBorders();
  if (FIsWinXP) Invalidate();
}

void TMetroDateTimePicker::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_ENTER: case CM_EXIT:
      if (!Designing()) {
        FHasFocus = Message.Msg == CM_ENTER;
        DrawBorders();
      }
      inherited::Dispatch(Message);
      return;
    default: inherited::Dispatch(Message); return;
  }
}

void TMetroDateTimePicker::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg == WM_NCPAINT) ConditionalDrawBorders();
}

// ---------------------------------------------------------------------------------------------
// TNsgDateTimePicker

TNsgDateTimePicker::TNsgDateTimePicker(TComponent* AOwner) : TMetroDateTimePicker(AOwner) {
  RegisterNsgDateTimePickerRtti();
  SetCtl3D(true);
  SetBorderStyle(bsSingle);
  FBorderStyle = bsNone;
}

TNsgDateTimePicker::~TNsgDateTimePicker() = default;

String TNsgDateTimePicker::GetVersion() const { return VersionNrText(GetVersionNr()); }

bool TNsgDateTimePicker::IsMetro() const { return FMetroStyle && !Designing(); }

bool TNsgDateTimePicker::FlatBorderWanted() const { return FBorderColor != clNone; }

void TNsgDateTimePicker::DrawBorders() {
  if (!IsMetro() || !HandleAllocated()) return;
  if (GetEnabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  TWindowDC dc(GetHandle());
  if (!dc.Get()) return;
  DrawBorder(dc.Get());
  if (!(FIsWinXP && IsThemed())) DrawButtonFrame(dc.Get());
}

void TNsgDateTimePicker::DrawBorder(HDC DC) { DrawBorderCases(DC, TRect{0, 0, GetWidth(), GetHeight()}, FHasFocus, FBorderColor); }

void TNsgDateTimePicker::DrawButtonFrame(HDC DC) {
  const Integer cw = GetClientWidth(), ch = GetClientHeight();
  ExcludeClipRect(DC, cw - FButtonWidth + 4, 4, cw - 4, ch - 4);
  TRect r{cw - FButtonWidth - 2, 0, GetWidth(), GetHeight()};
  InflateRect(&r, -2, -2);
  if (IsHotOrFocused()) {
    TRect edge = r;
    DrawEdge(DC, &edge, EDGE_RAISED, BF_RECT | (GetDroppedDown() ? BF_FLAT : 0));
  } else {
    const TRect face{r.left, r.top + 1, r.right - 1, r.bottom - 1};
    FillRect(DC, &face, GetSysColorBrush(COLOR_BTNFACE));
  }
  ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
}

void RegisterNsgDateTimePickerRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using T = TNsgDateTimePicker;
    Publish<T>().Property(u"Version", &T::GetVersion, &T::SetVersion);
    RegisterClasses({T::StaticClass()});
  });
}
