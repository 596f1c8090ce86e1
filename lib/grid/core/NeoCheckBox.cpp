#include "lib/grid/core/NeoCheckBox.h"

#include <memory>

#include "lib/base/NeoStyleIF.h"
#include "lib/base/NeoXPVS.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/Themes.h"

namespace {

constexpr Integer CaptionGap = 5;
constexpr Integer BoxStrip = 20;

// The file version of a module as the class library reads it: major in the high word;
// 0xFFFFFFFF when it cannot be read.
DWORD FileVersionOf(const Char* FileName) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(FileName, &handle);
  if (size == 0) return 0xFFFFFFFF;
  std::unique_ptr<Byte[]> data(new Byte[size]);
  void* info = nullptr;
  UINT len = 0;
  if (!GetFileVersionInfoW(FileName, handle, size, data.get()) || !VerQueryValueW(data.get(), u"\\", &info, &len) || !info)
    return 0xFFFFFFFF;
  return static_cast<VS_FIXEDFILEINFO*>(info)->dwFileVersionMS;
}

// Row: unchecked, checked, mixed; column: disabled, pressed, hot, normal.
constexpr TThemedButton CheckElements[3][4] = {
    {tbCheckBoxUncheckedDisabled, tbCheckBoxUncheckedPressed, tbCheckBoxUncheckedHot, tbCheckBoxUncheckedNormal},
    {tbCheckBoxCheckedDisabled, tbCheckBoxCheckedPressed, tbCheckBoxCheckedHot, tbCheckBoxCheckedNormal},
    {tbCheckBoxMixedDisabled, tbCheckBoxMixedPressed, tbCheckBoxMixedHot, tbCheckBoxMixedNormal}};
constexpr Integer CheckStates[3][4] = {{4, 3, 2, 1}, {8, 7, 6, 5}, {12, 11, 10, 9}};

}  // namespace

bool IsThemedWinXP() {
  bool themed = IsWindowsXPOrNewer() && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive() != 0;
  bool comctl = ((FileVersionOf(u"COMCTL32.DLL") >> 16) & 0xFF) > 5;
  return themed && comctl;
}

void DrawParentImage(TControl* Control, TCanvas* Canvas) {
  TWinControl* parent = Control ? Control->GetParent() : nullptr;
  if (!parent || !Canvas) return;
  HDC dc = Canvas->GetHandle();
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, -Control->GetLeft(), -Control->GetTop(), nullptr);
  IntersectClipRect(dc, 0, 0, parent->GetClientWidth(), parent->GetClientHeight());
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  Canvas->Refresh();
}

TNeoCheckBox::TNeoCheckBox(TComponent* AOwner) : TCustomControl(AOwner), FBkgBmp(std::make_unique<TBitmap>()) {
  SetParentColor(true);   // as every control of the class library starts
  SetBounds(FLeft, FTop, 98, 20);
  FCaption = ClassName();
  FIsWinXP = IsWindowsXPOrNewer();
  FControlStyle.Exclude(csClickEvents);
}

TNeoCheckBox::~TNeoCheckBox() = default;

void TNeoCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (!HandleAllocated()) return;
  TRect r = GetClientRect();
  if (FAlignment == taRightJustify) r.left = r.right - BoxStrip;
  else r.right = r.left + BoxStrip;
  InvalidateRect(FHandle, &r, TRUE);
}

void TNeoCheckBox::SetChecked(bool Value) {
  SetState(Value ? cbChecked : cbUnchecked);
  Invalidate();
}

void TNeoCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!GetChecked());
}

void TNeoCheckBox::SetDown(bool Value) { FDown = Value; }

void TNeoCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TNeoCheckBox::SetButtonVertAlign(TTextLayout Value) {
  if (FBtnVAlign == Value) return;
  FBtnVAlign = Value;
  Invalidate();
}

void TNeoCheckBox::SetEllipsis(bool Value) {
  if (FEllipsis == Value) return;
  FEllipsis = Value;
  Invalidate();
}

void TNeoCheckBox::SetCaption(const String& Value) {
  if (HandleAllocated()) TControl::SetText(Value);
  FCaption = Value;
  Invalidate();
}

void TNeoCheckBox::SetTransparent(bool Value) {
  if (FTransparent != Value) {
    FTransparent = Value;
    FBkgCache = false;
  }
  Invalidate();
}

void TNeoCheckBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FTransparent) {
    FBkgCache = false;
    Invalidate();
  }
}

void TNeoCheckBox::DoEnter() {
  TCustomControl::DoEnter();
  FFocused = true;
  Invalidate();
}

void TNeoCheckBox::DoExit() {
  TCustomControl::DoExit();
  FFocused = false;
  Invalidate();
}

void TNeoCheckBox::InvalidateHotSquare(bool Erase) {
  if (!HandleAllocated()) return;
  RECT r{0, 0, 16, 16};
  InvalidateRect(FHandle, &r, Erase ? TRUE : FALSE);
}

void TNeoCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FMouseDown = true;
  if (!FFocused) {
    SetFocus();
    FFocused = true;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetCapture(GetHandle());
  SetDown(true);
  if (FIsWinXP) InvalidateHotSquare(false);
}

void TNeoCheckBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (HandleAllocated() && GetCapture() == FHandle) SetDown(InsideClient(X, Y));
  TCustomControl::MouseMove(Shift, X, Y);
}

void TNeoCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  ReleaseCapture();
  SetDown(false);
  if (InsideClient(X, Y) && FFocused && FMouseDown) {
    FClicksDisabled = true;
    Toggle();
    FClicksDisabled = false;
    Click();
  }
  FMouseDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FIsWinXP) InvalidateHotSquare(true);
}

void TNeoCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN && FReturnIsTab) {
    Key = VK_TAB;
    PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
  }
  if (Key == VK_SPACE) SetDown(true);
  TCustomControl::KeyDown(Key, Shift);
}

void TNeoCheckBox::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    SetDown(false);
    Toggle();
    Click();
  }
  TCustomControl::KeyUp(Key, Shift);
}

void TNeoCheckBox::WMEraseBkgnd(TMessage& Message) {
  if (FTransparent) {
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TNeoCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<Word>(Message.WParam), FCaption) && CanFocus()) {
    Toggle();
    if (FTabStop) SetFocus();
    Message.Result = 1;
    return;
  }
  inherited::Dispatch(Message);
}

void TNeoCheckBox::CMMouseEnterLeave(TMessage&, bool Hot) {
  FHot = Hot;
  InvalidateHotSquare(true);
}

void TNeoCheckBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: WMEraseBkgnd(Message); return;
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      Invalidate();
      return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_MOUSEENTER: CMMouseEnterLeave(Message, true); return;
    case CM_MOUSELEAVE: CMMouseEnterLeave(Message, false); return;
    default: inherited::Dispatch(Message); return;
  }
}

void TNeoCheckBox::PaintBackground() {
  if (!FTransparent) return;
  TCanvas* canvas = GetCanvas();
  if (!FTransparentCaching) {
    DrawParentImage(this, canvas);
    return;
  }
  if (!FBkgCache) {
    FBkgBmp->SetSize(GetWidth(), GetHeight());
    DrawParentImage(this, FBkgBmp->GetCanvas());
    FBkgCache = true;
  }
  canvas->Draw(0, 0, FBkgBmp.get());
}

TRect TNeoCheckBox::StyledBoxRect(Integer S) {
  TRect client = GetClientRect();
  Integer t = 4;
  if (FBtnVAlign == tlCenter) t = (client.bottom - client.top) / 2 - 6;
  else if (FBtnVAlign == tlBottom) t = client.bottom - S;
  Integer l = FAlignment == taRightJustify ? client.right - S - 1 : 0;
  return TRect{l, t, l + S, t + S};
}

TRect TNeoCheckBox::ClassicBoxRect(Integer S) {
  TRect client = GetClientRect();
  Integer t = 4;
  if (FBtnVAlign == tlCenter) t = (client.bottom - client.top) / 2 - 6;
  else if (FBtnVAlign == tlBottom) t = client.bottom - S - 3;
  Integer l = FAlignment == taRightJustify ? client.right - S + 1 : 0;
  return TRect{l, t, l + S - 1, t + S - 1};
}

void TNeoCheckBox::PaintCaption(TColor Color) {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  if (FAlignment == taRightJustify) {
    r.left = 0;
    r.right = r.right - 4 - CaptionGap;
  } else {
    r.left += 4 + CaptionGap;
  }
  r.top += 4;
  r.left += Round(10 * FDPIScale);
  canvas->GetBrush()->SetStyle(bsClear);
  TTextFormat format;
  if (FEllipsis) format.Include(tfEndEllipsis);
  if (GetEnabled()) {
    canvas->GetFont()->SetColor(Color);
    TRect t = r;
    canvas->TextRect(t, FCaption, format);
  } else {
    TRect shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    canvas->GetFont()->SetColor(0xFFFFFF);
    canvas->TextRect(shifted, FCaption, format);
    canvas->GetFont()->SetColor(0x808080);
    TRect t = r;
    canvas->TextRect(t, FCaption, format);
  }
  if (FFocused) {
    canvas->GetBrush()->SetStyle(bsSolid);
    TSize size = canvas->TextExtent(FCaption);
    r.right = r.left + size.cx + 1;
    r.bottom = r.top + size.cy + 1;
    r.left -= 2;
    canvas->DrawFocusRect(r);
  }
}

void TNeoCheckBox::Paint() {
  FDPIScale = ControlDpiScale(this);
  Integer s = Round(13 * FDPIScale);
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  TColor captionColor = GetFont()->GetColor();
  PaintBackground();
  TControl::SetText(FCaption);

  Integer column = !GetEnabled() ? 0 : FDown ? 1 : FHot ? 2 : 3;
  TCustomStyleServices* style = StyleServices();
  if (IsCustomVclStyleActive(style, false)) {
    HDC dc = canvas->GetHandle();
    int saved = SaveDC(dc);
    TThemedElementDetails details = style->GetElementDetails(CheckElements[FState][column]);
    style->DrawElement(dc, details, StyledBoxRect(s));
    TColor c = clNone;
    if (style->GetElementColor(details, ecTextColor, c) && c != clNone) captionColor = c;
    RestoreDC(dc, saved);
  } else if (IsThemedWinXP()) {
    if (HTHEME theme = NeoXPVS::OpenThemeData(GetHandle(), u"button")) {
      RECT r = StyledBoxRect(s);
      NeoXPVS::DrawThemeBackground(theme, canvas->GetHandle(), BP_CHECKBOX, CheckStates[FState][column], &r, nullptr);
      NeoXPVS::CloseThemeData(theme);
    }
  } else {
    UINT flags = DFCS_BUTTONCHECK;
    if (!GetEnabled() || FState == cbGrayed) flags |= DFCS_INACTIVE;
    if (FState == cbChecked) flags |= DFCS_CHECKED;
    RECT r = ClassicBoxRect(s);
    DrawFrameControl(canvas->GetHandle(), &r, DFC_BUTTON, flags);
  }
  canvas->Refresh();
  PaintCaption(captionColor);
}
