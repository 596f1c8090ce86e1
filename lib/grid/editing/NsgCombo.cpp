// TNsgCustomCombo: look selection, button and border painting, mouse and focus tracking, the flat
// look, and the attached label.
#include "lib/grid/editing/NsgCombo.h"

#include <mutex>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NsgGdiScopeInternal.h"
#include "lib/gridutil/NeoGridUtilUnit.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/GraphicsRtti.h"
#include "platform/win/Messages.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

template <> const TEnumInfo* EnumTypeInfo<NsgCombo::TLabelPosition>() {
  static const TEnumInfo info(u"TLabelPosition",
                              "lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft, lpLeftTopLeft, "
                              "lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter, lpBottomCenter, lpRightTop, "
                              "lpRightCenter, lpRighBottom");
  return &info;
}

namespace {

// The frame of a disabled, themed combo box without DisabledBorder.
constexpr TColor DisabledFrameColor = static_cast<TColor>(0xB99D7F);

// AColor, or AFallback when AColor is not set.
TColor Either(TColor AColor, TColor AFallback) { return AColor != clNone ? AColor : AFallback; }

}  // namespace

// The combo box's label: tells the combo box first when it is freed, as freeing it re-aligns its
// parent's controls, the combo box among them, while it is half destroyed.
class TNsgComboLabel : public TLabel {
  ZELK_CLASS(TNsgComboLabel, TLabel)
public:
  explicit TNsgComboLabel(TNsgCustomCombo* ACombo) : TLabel(ACombo), FCombo(ACombo) {}
  ~TNsgComboLabel() override { FCombo->LabelDestroying(); }

private:
  TNsgCustomCombo* FCombo;
};

namespace {

void RegisterNsgComboRtti() {
  static std::once_flag once;
  std::call_once(once, [] {
    using C = TNsgCustomCombo;
    Publish<TNsgComboBox>()
        .Property(u"AutoFocus", &C::GetAutoFocus, &C::SetAutoFocus).Default(false)
        .Property(u"BorderColor", &C::GetBorderColor, &C::SetBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"ButtonWidth", &C::GetButtonWidth, &C::SetButtonWidth).Default(19)
        .Property(u"Color", &C::GetColor, &C::SetColor).Type(u"TColor").Default(clWindow)
        .Property(u"DisabledBorder", &C::GetDisabledBorder, &C::SetDisabledBorder).Default(true)
        .Property(u"DropWidth", &C::GetDropWidth, &C::SetDropWidth).Default(0)
        .Property(u"Etched", &C::GetEtched, &C::SetEtched).Default(false)
        .Property(u"Flat", &C::GetFlat, &C::SetFlat).Default(false)
        .Property(u"FlatLineColor", &C::GetFlatLineColor, &C::SetFlatLineColor).Type(u"TColor").Default(clNone)
        .Property(u"FlatParentColor", &C::GetFlatParentColor, &C::SetFlatParentColor).Default(true)
        .Property(u"FocusBorder", &C::GetFocusBorder, &C::SetFocusBorder).Default(false)
        .Property(u"FocusBorderColor", &C::GetFocusBorderColor, &C::SetFocusBorderColor).Type(u"TColor").Default(clNone)
        .Property(u"FocusColor", &C::GetFocusColor, &C::SetFocusColor).Type(u"TColor").Default(clNone)
        .Property(u"FocusLabel", &C::GetFocusLabel, &C::SetFocusLabel).Default(false)
        .Property(u"LabelAlwaysEnabled", &C::GetLabelAlwaysEnabled, &C::SetLabelAlwaysEnabled).Default(false)
        .Property(u"LabelCaption", &C::GetLabelCaption, &C::SetLabelCaption)
        .Property(u"LabelFont", &C::GetLabelFont, &C::SetLabelFont)
        .Property(u"LabelMargin", &C::GetLabelMargin, &C::SetLabelMargin).Default(4)
        .Property(u"LabelPosition", &C::GetLabelPosition, &C::SetLabelPosition).Default(NsgCombo::lpLeftTop)
        .Property(u"LabelTransparent", &C::GetLabelTransparent, &C::SetLabelTransparent).Default(false)
        .Property(u"DropDownCount", &C::GetDropDownCount, &C::SetDropDownCount).Default(8)
        .Property(u"ItemIndex", &C::GetItemIndex, &C::SetItemIndex).Default(-1)
        .Property(u"Items", &C::GetItems, &C::SetItems)
        .Property(u"Sorted", &C::GetSorted, &C::SetSorted).Default(false);
    RegisterClasses({TNsgComboBox::StaticClass()});
  });
}

}  // namespace

TPoint NsgCombo::LabelOrigin(TLabelPosition Position, const TRect& Combo, Integer LW, Integer LH, Integer TW,
                             Integer M) {
  const Integer l = Combo.left, t = Combo.top, w = Combo.right - Combo.left, h = Combo.bottom - Combo.top;
  const Integer centre = t + (h - LH) / 2, bottom = t + h - LH, above = t - LH - M, below = t + h + M;
  const Integer beside = l - TW - M, centredLeft = l + (w - LW) / 2, right = l + w + M;
  switch (Position) {
    case lpLeftTop: return TPoint{beside, t};
    case lpLeftCenter: return TPoint{beside, centre};
    case lpLeftBottom: return TPoint{beside, bottom};
    case lpTopLeft: return TPoint{l, above};
    case lpBottomLeft: return TPoint{l, below};
    case lpLeftTopLeft: return TPoint{l - M, t};
    case lpLeftCenterLeft: return TPoint{l - M, centre};
    case lpLeftBottomLeft: return TPoint{l - M, bottom};
    case lpTopCenter: return TPoint{centredLeft, above};
    case lpBottomCenter: return TPoint{centredLeft, below};
    case lpRightTop: return TPoint{right, t};
    case lpRightCenter: return TPoint{right, centre};
    case lpRighBottom: return TPoint{right, bottom};
  }
  return TPoint{l, t};
}

// ---------------------------------------------------------------------------------------------
// Life cycle

TNsgCustomCombo::TNsgCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
  RegisterNsgComboRtti();
  // Stored directly: the setter's range does not apply to the system's scroll-bar width.
  FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
  const Integer version = GetFileVersion(u"COMCTL32.DLL");
  FIsThemed = version >= 0 && (version >> 16) > 5;
  FLabelFont->SetHeight(-11);
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
}

TNsgCustomCombo::~TNsgCustomCombo() {
  FLabelFont->OnChange = nullptr;
  delete FLabel;   // forgets itself first
}

TNsgComboBox::TNsgComboBox(TComponent* AOwner) : TNsgCustomCombo(AOwner) {}

void TNsgCustomCombo::CreateParams(TCreateParams& Params) {
  TCustomComboBox::CreateParams(Params);
  if (!FCtl3D) Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TNsgCustomCombo::Loaded() {
  TCustomComboBox::Loaded();
  if (FDropWidth > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(FDropWidth), 0);
  FOldColor = FLoadedColor;
  if (!(FFlatParentColor && !FFlat)) SetColor(FLoadedColor);
  if (FLabel) {
    if (!FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
    if (GetParentFont()) LabelTakesComboFont();
  }
  UpdateLabel();
  Init();
}

void TNsgCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomComboBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TNsgCustomCombo::Init() { FNormalColor = GetColor(); }

void TNsgCustomCombo::SelectItem(const String& AText) {
  for (Integer i = 0; i < GetItems()->GetCount(); ++i)
    if (GetItems()->GetStrings(i) == AText) {
      SetItemIndex(i);
      return;
    }
}

// ---------------------------------------------------------------------------------------------
// Properties

void TNsgCustomCombo::SetColorAndRepaint(TColor& AField, TColor Value) {
  AField = Value;
  Invalidate();
}

void TNsgCustomCombo::SetColor(TColor Value) {
  if (Loading()) FLoadedColor = Value;
  TCustomComboBox::SetColor(Value);
}

void TNsgCustomCombo::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  RecreateWnd();
}

void TNsgCustomCombo::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  SetCtl3D(!Value);
  if (FFlat && FFlatParentColor) {
    if (GetParent()) SetColor(GetParent()->GetBrush()->GetColor());
  } else {
    SetColor(FLoadedColor);
  }
  Invalidate();
}

void TNsgCustomCombo::SetEtched(bool Value) {
  FEtched = Value;
  Invalidate();
}

void TNsgCustomCombo::SetFlatLineColor(TColor Value) { SetColorAndRepaint(FFlatLineColor, Value); }

void TNsgCustomCombo::SetFlatParentColor(bool Value) {
  FFlatParentColor = Value;
  Invalidate();
}

void TNsgCustomCombo::SetButtonWidth(Integer Value) {
  if (Value < 14 || Value > 32) return;
  FButtonWidth = Value;
  Invalidate();
}

void TNsgCustomCombo::SetDropWidth(Integer Value) {
  FDropWidth = Value;
  if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value), 0);
}

void TNsgCustomCombo::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  if (HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 0, 0);
}

void TNsgCustomCombo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateLabel();
}

void TNsgCustomCombo::SetParent(TWinControl* AParent) {
  TCustomComboBox::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

void TNsgCustomCombo::SetEnabled(bool Value) {
  const bool changed = Value != GetEnabled();
  TCustomComboBox::SetEnabled(Value);
  if (!changed || Loading() || Designing()) return;
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(Value);
  UpdateLabel();
}

void TNsgCustomCombo::SetVisible(bool Value) {
  TCustomComboBox::SetVisible(Value);
  if (FLabel) FLabel->SetVisible(Value);
}

// ---------------------------------------------------------------------------------------------
// State queries

bool TNsgCustomCombo::Themed() const {
  return FIsThemed && NeoXPVS::IsThemeActive && NeoXPVS::IsThemeActive();
}

bool TNsgCustomCombo::DisabledFramed() const { return !GetEnabled() && FIsThemed && !FDisabledBorder; }

bool TNsgCustomCombo::IsActiveControl() const {
  TWinControl* active = Screen ? Screen->GetActiveControl() : nullptr;
  return active && (active == this || active == GetEditControl());
}

bool TNsgCustomCombo::HasWindowFocus() { return HandleAllocated() && Focused(); }

bool TNsgCustomCombo::MouseButtonDown() {
  return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 || (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
}

bool TNsgCustomCombo::UsesCustomPainting() {
  return FFlat || FButtonColor != clNone || FBorderColor != clNone || (FFocusBorderColor != clNone && FHasFocus) ||
         (!GetEnabled() && Themed() && !FDisabledBorder);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TNsgCustomCombo::WMPaint(TMessage& Message) {
  if ((FIsVista && FButtonColor == clNone) || !UsesCustomPainting()) {
    inherited::Dispatch(Message);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  const bool ownDC = dc == nullptr;
  if (ownDC) dc = BeginPaint(GetHandle(), &ps);
  struct TEndPaint {
    HWND Window;
    PAINTSTRUCT* Paint;
    bool Own;
    ~TEndPaint() {
      if (Own) EndPaint(Window, Paint);
    }
  } endPaint{GetHandle(), &ps, ownDC};
  const bool leftToRight = !UseRightToLeftAlignment();
  const int saved = SaveDC(dc);
  if (GetStyle() != csSimple) {
    TRect client = GetClientRect();
    FillRect(dc, &client, GetBrush()->GetHandle());
    if (leftToRight) PaintButton(dc);
  }
  TMessage contents{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  inherited::Dispatch(contents);
  RestoreDC(dc, saved);
  if (leftToRight) DrawBorders();
}

void TNsgCustomCombo::PaintButton(HDC DC) {
  const Integer cw = GetClientWidth(), ch = GetClientHeight();
  TRect r{cw - FButtonWidth + 2, 0, GetWidth(), GetHeight()};
  InflateRect(&r, -1, -1);
  if (FButtonColor != clNone) {
    PaintColoredButton(DC, r);
  } else if (!(Themed() && PaintThemedButton(DC, r))) {
    r.left -= 4;
    r.top += 1;
    r.bottom -= 1;
    DrawFrameControl(DC, &r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | (GetEnabled() ? DFCS_FLAT : DFCS_INACTIVE));
  }
  ExcludeClipRect(DC, cw - FButtonWidth - 4, 0, cw + 2, ch);
}

void TNsgCustomCombo::PaintColoredButton(HDC DC, TRect R) {
  const bool down = MouseButtonDown();
  TColor back = FButtonColor;
  if (FButtonHover) back = down ? Either(FButtonColorDown, Either(FButtonColorHot, FButtonColor)) : Either(FButtonColorHot, FButtonColor);
  {
    TSolidFill fill(DC, back);
    Rectangle(DC, R.left + 1, R.top - 1, R.right - 1, R.bottom - 1);
  }
  if (FButtonBorderColor != clNone) {
    TSolidFill line(DC, FButtonBorderColor);
    MoveToEx(DC, R.left, R.top - 1, nullptr);
    LineTo(DC, R.left, R.bottom - 1);
  }
  const TColor arrow = Either(down ? Either(FButtonTextColorDown, FButtonTextColor) : FButtonTextColor, clBtnText);
  TSolidFill fill(DC, arrow);
  POINT points[3] = {{R.left + 4, R.top + 7}, {R.left + 10, R.top + 7}, {R.left + 7, R.top + 10}};
  Polygon(DC, points, 3);
}

bool TNsgCustomCombo::PaintThemedButton(HDC DC, const TRect& R) {
  if (!NeoXPVS::OpenThemeData || !NeoXPVS::DrawThemeBackground || !NeoXPVS::CloseThemeData) return false;
  HTHEME theme = NeoXPVS::OpenThemeData(GetHandle(), u"combobox");
  if (!theme) return false;
  const bool down = MouseButtonDown(), dropped = GetDroppedDown();
  int state = 2;
  if (!GetEnabled()) state = 4;
  else if (down && dropped) state = 3;
  else if (down || !FButtonHover || dropped) state = 1;
  NeoXPVS::DrawThemeBackground(theme, DC, CP_DROPDOWNBUTTON, state, &R, nullptr);
  NeoXPVS::CloseThemeData(theme);
  return true;
}

void TNsgCustomCombo::DrawBorders() {
  if (!HandleAllocated()) return;
  if (GetEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  if (FIsVista && FBorderColor == clNone) return;
  TWindowDC dc(GetHandle());
  if (!dc.Get()) return;
  TRect whole{0, 0, GetWidth(), GetHeight()};
  const TColor frame = FrameColor(dc.Get(), whole);
  if (frame == clNone) return;
  TSolidBrush brush(frame);
  FrameRect(dc.Get(), &whole, brush.Get());
  if (GetStyle() != csSimple && !(FIsWinXP && Themed())) FlattenButton(dc.Get());
}

TColor TNsgCustomCombo::FrameColor(HDC DC, const TRect& Whole) {
  if (DisabledFramed()) return DisabledFrameColor;
  if (FBorderColor != clNone && (!FHasFocus || FFocusBorderColor == clNone)) return FBorderColor;
  if (FFocusBorderColor != clNone) return FHasFocus ? FFocusBorderColor : clNone;
  Draw3DReplacement(DC, Whole);
  return clNone;
}

void TNsgCustomCombo::Draw3DReplacement(HDC DC, TRect R) {
  const bool focusBorder = !Designing() && (FMouseInControl || IsActiveControl()) && FFocusBorder;
  const TColor parentColor = GetParent() ? GetParent()->GetColor() : clBtnFace;
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
    R.right += FButtonWidth;
  }
  if (FFlat && FFlatLineColor != clNone) {
    TSolidFill line(DC, FFlatLineColor);
    const Integer y = GetHeight() - 1;
    MoveToEx(DC, R.left - 2, y, nullptr);
    LineTo(DC, R.right - FButtonWidth - 1, y);
  }
}

void TNsgCustomCombo::FlattenButton(HDC DC) {
  // The button's numbers are client coordinates: move the window DC's origin onto the client.
  POINT client{0, 0};
  ::ClientToScreen(GetHandle(), &client);
  RECT window{};
  GetWindowRect(GetHandle(), &window);
  OffsetViewportOrgEx(DC, client.x - window.left, client.y - window.top, nullptr);
  const Integer cw = GetClientWidth(), ch = GetClientHeight();
  ExcludeClipRect(DC, cw - FButtonWidth + 4, 4, cw - 4, ch - 4);
  TRect r{cw - FButtonWidth - 2, 0, GetWidth(), GetHeight()};
  InflateRect(&r, -2, -2);
  const bool plain = Designing() ? !GetEnabled() : !(FMouseInControl || IsActiveControl());
  if (plain) {
    TRect face{r.left, r.top + 1, r.right - 1, r.bottom - 1};
    FillRect(DC, &face, GetSysColorBrush(COLOR_BTNFACE));
  }
  ExcludeClipRect(DC, r.left, r.top, r.right, r.bottom);
}

void TNsgCustomCombo::WMNCPaint(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FFlat || DisabledFramed()) DrawBorders();
  if ((FFocusBorderColor != clNone && HasWindowFocus()) || FBorderColor != clNone) DrawBorders();
}

// ---------------------------------------------------------------------------------------------
// Mouse, focus, notifications

void TNsgCustomCombo::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TCustomComboBox::MouseMove(Shift, X, Y);
  const bool hover = GetWidth() - FButtonWidth < X && X < GetWidth();
  if (hover == FButtonHover) return;
  FButtonHover = hover;
  Invalidate();
}

void TNsgCustomCombo::CMMouseEnter(TMessage& Message) {
  inherited::Dispatch(Message);
  // The edit part is a child window of its own: entering it is entering the combo box.
  const auto* from = reinterpret_cast<TControl*>(Message.LParam);
  if (from && from != GetEditControl()) return;
  FMouseInControl = true;
  if (GetEnabled()) DrawBorders();
  if (FAutoFocus && !Designing()) {
    TCustomForm* form = GetParentForm(this);
    if (!form || (form->HandleAllocated() && GetActiveWindow() == form->GetHandle()))
      if (CanFocus()) SetFocus();
  }
  if (FIsWinXP) Invalidate();
}

void TNsgCustomCombo::CMMouseLeave(TMessage& Message) {
  inherited::Dispatch(Message);
  const auto* from = reinterpret_cast<TControl*>(Message.LParam);
  if (from && from != GetEditControl()) return;
  FMouseInControl = false;
  if (GetEnabled()) DrawBorders();
  FButtonHover = false;
  if (FIsWinXP) Invalidate();
}

void TNsgCustomCombo::TakeFocusColor() {
  if (FFocusColor == clNone) return;
  // A combo box made in code has no normal colour until Init: take the present one first, or
  // the focus colour would stay after the focus leaves.
  if (FNormalColor == clNone) Init();
  SetColor(FFocusColor);
}

void TNsgCustomCombo::RestoreNormalColor() {
  if (FFocusColor != clNone && FNormalColor != clNone) SetColor(FNormalColor);
}

void TNsgCustomCombo::SetLabelBold(bool Value) {
  if (!FLabel) return;
  TFontStyles style = FLabel->GetFont()->GetStyle();
  if (Value) style.Include(fsBold);
  else style.Exclude(fsBold);
  FLabel->GetFont()->SetStyle(style);
}

void TNsgCustomCombo::CMEnter() {
  if (Designing()) return;
  FHasFocus = true;
  DrawBorders();
  TakeFocusColor();
  if (FFocusLabel) SetLabelBold(true);
}

void TNsgCustomCombo::RepaintFrame() {
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TNsgCustomCombo::CMExit() {
  if (Designing()) return;
  FHasFocus = false;
  // A focus frame lies on the window's border: the border is painted again without it.
  if (FFocusBorderColor != clNone) RepaintFrame();
  DrawBorders();
  RestoreNormalColor();
  SetLabelBold(false);
}

void TNsgCustomCombo::WMSetFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  if (FFocusBorderColor != clNone) Invalidate();
  TakeFocusColor();
  if (FFocusLabel) SetLabelBold(true);
}

void TNsgCustomCombo::WMKillFocus(TMessage& Message) {
  inherited::Dispatch(Message);
  // The combo box hands the focus on to its own edit part: the focus has not left.
  if (auto* edit = GetEditControl(); edit && edit->HandleAllocated() && reinterpret_cast<HWND>(Message.WParam) == edit->GetHandle())
    return;
  RestoreNormalColor();
  SetLabelBold(false);
  Invalidate();
}

void TNsgCustomCombo::CNCommand(TMessage& Message) {
  inherited::Dispatch(Message);
  const WORD code = HIWORD(Message.WParam);
  if (code != CBN_DROPDOWN && code != CBN_CLOSEUP) return;
  if (HandleAllocated()) {
    TRect button = GetClientRect();
    button.left = button.right - FButtonWidth;
    InvalidateRect(GetHandle(), &button, FALSE);
  }
  if (code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
}

void TNsgCustomCombo::CMEnabledChanged(TMessage& Message) {
  if (FFlat && !Loading()) {
    if (!GetEnabled()) {
      FOldParentColor = GetParentColor();
      FOldColor = GetColor();
      SetParentColor(true);
    } else {
      SetColor(FOldColor);
      SetParentColor(FOldParentColor);
    }
  }
  inherited::Dispatch(Message);
}

void TNsgCustomCombo::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); return;
    case WM_NCPAINT: WMNCPaint(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_ENTER:
      CMEnter();
      inherited::Dispatch(Message);
      return;
    case CM_EXIT:
      CMExit();
      inherited::Dispatch(Message);
      return;
    case CN_COMMAND: CNCommand(Message); return;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); return;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      if ((Designing() || Loading()) && FLabel && FLabel->GetParentFont()) LabelTakesComboFont();
      return;
    case CM_PARENTFONTCHANGED:
      inherited::Dispatch(Message);
      if (FLabel && FLabel->GetParentFont()) LabelTakesComboFont();
      return;
    default: inherited::Dispatch(Message); return;
  }
}

// ---------------------------------------------------------------------------------------------
// The label

String TNsgCustomCombo::GetLabelCaption() const { return FLabel ? FLabel->GetCaption() : String(); }

void TNsgCustomCombo::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TNsgComboLabel(this);
    FLabel->SetParent(GetParent());
    FLabel->SetFocusControl(this);
    FLabel->GetFont()->Assign(FLabelFont.get());
    FLabel->SetParentFont(GetParentFont());
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TNsgCustomCombo::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TNsgCustomCombo::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TNsgCustomCombo::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TNsgCustomCombo::SetLabelAlwaysEnabled(bool Value) {
  FLabelAlwaysEnabled = Value;
  if (FLabel) FLabel->SetEnabled(Value || GetEnabled());
  UpdateLabel();
}

void TNsgCustomCombo::LabelFontChanged(TObject*) {
  UpdateLabel();
  if (Designing() && !Loading()) SetParentFont(false);
}

void TNsgCustomCombo::LabelTakesComboFont() {
  FLabel->GetFont()->Assign(GetFont());
  UpdateLabel();
}

void TNsgCustomCombo::UpdateLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  if (!GetParentFont()) FLabel->GetFont()->Assign(FLabelFont.get());
  // The caption's width as drawn, measured on a memory DC in the label's font.
  Integer textWidth = 0;
  if (HDC dc = CreateCompatibleDC(nullptr)) {
    {
      ControlPaint::TSelectFont font(dc, FLabel->GetFont());
      const String caption = FLabel->GetCaption();
      TRect r{0, 0, 1000, 255};
      DrawText(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_HIDEPREFIX);
      textWidth = r.right - r.left;
    }
    DeleteDC(dc);
  }
  const TPoint p = NsgCombo::LabelOrigin(FLabelPosition, GetBoundsRect(), FLabel->GetWidth(), FLabel->GetHeight(),
                                         textWidth, FLabelMargin);
  FLabel->SetBounds(p.x, p.y, FLabel->GetWidth(), FLabel->GetHeight());
  FLabel->SetVisible(GetVisible());
}
