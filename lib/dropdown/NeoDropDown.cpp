#include "lib/dropdown/NeoDropDown.h"

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/gridutil/NeoGridUtilPaint.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Filer.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

namespace {

// Text-metrics height of the font selected into the screen's device context (the DC's default
// font when Font is nullptr).
Integer ScreenLineHeight(TFont* Font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = Font ? SelectObject(dc, Font->GetHandle()) : nullptr;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  if (old) SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

Integer ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  Integer ppi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  return ppi;
}

Integer RoundTo(Double Value) { return static_cast<Integer>(Round(Value)); }

bool RectContains(const TRect& R, TPoint P) { return P.x >= R.left && P.x < R.right && P.y >= R.top && P.y < R.bottom; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction

TNeoCustomDropDown::TNeoCustomDropDown(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FDPIScale = 1.0F;
  FBorderColor = clNone;
  FFocusBorderColor = clNone;
  FDisabledBorder = true;
  FDropDownBorderColor = 0;
  FDropDownGradient = gdHorizontal;
  FDropDownColor = static_cast<TColor>(0xFFFFFF);
  FDropDownColorTo = clNone;
  FDropDownHeight = 0;
  FDropDownWidth = 0;
  FDropDownBorderWidth = 1;
  FDropDownSizeable = FDropDownShadow = FEditorEnabled = FDropDownEnabled = true;
  FEditType = etString;
  SetBounds(GetLeft(), GetTop(), 200, 21);
  FButtonWidth = 17;
  if (!GetComponentState().Contains(csDesigning)) CreateDropDownForm();
  CreateDropDownButton();
  TControlStyle style = GetControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
  SetReadOnly(false);
  FDropPosition = dpAuto;
  SetText(String());
  FOldText.clear();
  FUserDropDownWidth = FUserDropDownHeight = -1;
  FDropDownHeader = std::make_unique<THeaderAppearance>(this);
  FDropDownHeader->OnChange = [this](TObject* Sender) { HeaderChanged(Sender); };
  FDropDownHeader->OnButtonsChanged = [this](TObject* Sender) { HeaderChanged(Sender); };
  FDropDownFooter = std::make_unique<TFooterAppearance>(this);
  FDropDownFooter->OnChange = [this](TObject* Sender) { FooterChanged(Sender); };
  FDropDownFooter->OnButtonsChanged = [this](TObject* Sender) { FooterChanged(Sender); };
  FButtonAppearance = std::make_unique<TNeoButtonAppearance>();
  FDefaultHandling = true;
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  GetVersionExW(&version);
  FIsWinXP = version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion > 0);
  FIsThemed = ComCtlV6Available();
  FCanUndo = FAutoThousandSeparator = FFocusDraw = true;
  TComponent* owner = GetOwner();
  FDesignTime = GetComponentState().Contains(csDesigning) &&
                !(owner && (owner->GetComponentState().Contains(csReading) ||
                            owner->GetComponentState().Contains(csLoading)));
  if (FDesignTime) SetSelectionColorStyle(scWindows7);
  FNeoStyle = tsCustom;
  FLabelFont = std::make_unique<TFont>();
  FLabelFont->SetHeight(-11);
  FLblFntHeight = FLabelFont->GetHeight();
  FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
  RegisterNeoDropDownRtti();
}

TNeoCustomDropDown::~TNeoCustomDropDown() {
  // The label and the drop button are owned components; the owner frees them after this body.
  // The popup goes first, with its events unbound, so that hiding it calls nothing of a
  // half-destroyed edit.
  if (FDropDownForm) {
    TDropDownForm* form = FDropDownForm;
    FDropDownForm = nullptr;
    form->OnHide = nullptr;
    form->OnDestroy = nullptr;
    form->OnSize = form->OnSizing = nullptr;
    form->SetNeoDropDown(nullptr);
    delete form;
  }
  FLabelFont->OnChange = nullptr;
  FDropDownHeader->OnChange = nullptr;
  FDropDownHeader->OnButtonsChanged = nullptr;
  FDropDownFooter->OnChange = nullptr;
  FDropDownFooter->OnButtonsChanged = nullptr;
}

TNeoDropDown::TNeoDropDown(TComponent* AOwner) : TNeoCustomDropDown(AOwner) {}

Integer TNeoCustomDropDown::GetVersionNr() { return 0x01050506; }

String TNeoCustomDropDown::GetVersion() {
  auto nr = static_cast<Cardinal>(GetVersionNr());
  return IntToStr(static_cast<Integer>(nr >> 24)) + u"." + IntToStr(static_cast<Integer>((nr >> 16) & 0xFF)) + u"." +
         IntToStr(static_cast<Integer>((nr >> 8) & 0xFF)) + u"." + IntToStr(static_cast<Integer>(nr & 0xFF));
}

void TNeoCustomDropDown::CreateDropDownButton() {
  if (FButton) return;
  FButton = new TDropDownEditButton(this);
  FButton->SetParent(this);
  FButton->OnClick = [this](TObject* Sender) { ButtonClick(Sender); };
  UpdateDropDownButton();
  if (GetComponentState().Contains(csDesigning)) FButton->SetColor(clBtnFace);
}

void TNeoCustomDropDown::UpdateDropDownButton() {
  if (!FButton) return;
  FButton->SetWidth(FButtonWidth);
  FButton->SetHeight(17);
  FButton->SetVisible(true);
  FButton->SetFocusControl(this);
}

// ---------------------------------------------------------------------------------------------
// The operations the popup's life cycle, input and painting complete

void TNeoCustomDropDown::DoLabelClick() {
  if (OnLabelClick) OnLabelClick(this);
}

void TNeoCustomDropDown::DoLabelDblClick() {
  if (OnLabelDblClick) OnLabelDblClick(this);
}

void TNeoCustomDropDown::DoBeforeDropDown() {
  if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TNeoCustomDropDown::ConstrainDropDownHeight(Integer&) {}

// The highlight of a focused pick-only edit: a black-framed clHighlight bar left of the drop button
// with the text on it, on the whole window.
void TNeoCustomDropDown::DrawFocusRect() {
  if (FEditorEnabled || !HandleAllocated() || !Focused() || GetComponentState().Contains(csDesigning) || !FFocusDraw)
    return;
  HDC dc = GetWindowDC(GetHandle());
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect r{2, 2, GetWidth() - RoundTo(FButtonWidth * static_cast<Double>(FDPIScale)) - 1, GetHeight() - 2};
    canvas.GetPen()->SetColor(clBlack);
    canvas.GetBrush()->SetColor(clHighlight);
    canvas.Rectangle(r);
    r.left += 2;
    r.right -= 3;
    canvas.GetFont()->Assign(GetFont());
    canvas.GetFont()->SetColor(clHighlightText);
    canvas.GetBrush()->SetStyle(bsClear);
    const String text = GetText();
    DrawTextW(canvas.GetHandle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

// The grey hint of an empty edit, over the client area after the edit painted itself.
void TNeoCustomDropDown::DrawEmptyText() {
  if (!HandleAllocated() || FEmptyText.empty() || !GetText().empty() || (Focused() && !FEmptyTextFocused)) return;
  HDC dc = GetDC(GetHandle());
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (HasLocaleInfoEx()) {
      canvas.GetBrush()->SetColor(GetColor());
    } else {
      canvas.GetBrush()->SetStyle(bsClear);
    }
    canvas.GetFont()->Assign(GetFont());
    canvas.GetFont()->SetStyle(FEmptyTextStyle);
    canvas.GetFont()->SetColor(static_cast<TColor>(0x808080));
    canvas.TextOut(FCtl3D ? 3 : 6, 2, FEmptyText);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

// ---------------------------------------------------------------------------------------------
// Style colours

void TNeoCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Value) {
  FSelectionColorStyle = Value;
  switch (Value) {
    case scOffice2007:
      FSelectionColor = static_cast<TColor>(0xD7FFFD);
      FSelectionColorTo = static_cast<TColor>(0x58D4FC);
      break;
    case scWindowsVista:
      FSelectionColor = static_cast<TColor>(0xFDF8F1);
      FSelectionColorTo = static_cast<TColor>(0xFCEFD5);
      break;
    case scWindows7:
      FSelectionColor = static_cast<TColor>(0xFCEBDC);
      FSelectionColorTo = static_cast<TColor>(0xFCDBC1);
      break;
    case scCustom: break;
  }
}

void TNeoCustomDropDown::SetSelectionColor(TColor Value) {
  FSelectionColor = Value;
  FSelectionColorStyle = scCustom;
}

void TNeoCustomDropDown::DrawSelection(TCanvas* Canvas, TRect R, Integer ShapeKind, Integer Extra) {
  (void)Extra;
  struct TOutline { TColor InnerLower, Corner, Outer, InnerUpper, Border, MirrorTo; };
  auto c = [](Cardinal V) { return static_cast<TColor>(V); };
  TOutline o{};
  switch (FSelectionColorStyle) {
    case scCustom:
      Canvas->GetBrush()->SetColor(FSelectionColor);
      Canvas->GetPen()->SetColor(FSelectionColor);
      Canvas->FillRect(R);
      return;
    case scOffice2007: o = {c(0xC3D9DF), c(0x8DD7D3), c(0xCAF8FF), c(0xF4FEFF), c(0xB3F1FC), c(0x58D4FC)}; break;
    case scWindowsVista: o = {c(0xFCEDCB), c(0xFDDE99), c(0xFDF5E7), c(0xFDFBF6), clNone, clNone}; break;
    case scWindows7: o = {c(0xE0C5AE), c(0xCEA27D), c(0xFDEADB), c(0xFDF4EB), clNone, clNone}; break;
  }
  PaintTabShape(Canvas, FSelectionColor, FSelectionColorTo, ShapeKind, R, o.InnerLower, o.Corner, o.Outer,
                o.InnerUpper, o.Border, o.MirrorTo, clNone);
}

void TNeoCustomDropDown::DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TGradientDirection Direction,
                                      TRect R, Integer Steps) {
  PaintDropDownGradient(Canvas, FromColor, ToColor, Direction == gdHorizontal, R, Steps);
}

// ---------------------------------------------------------------------------------------------
// Properties

void TNeoCustomDropDown::SetBorderColor(TColor Value) {
  if (FBorderColor == Value) return;
  FBorderColor = Value;
  Invalidate();
  if (Value == clNone) {
    // Makes the window system repaint the non-client frame.
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
  }
  if (FButton) FButton->Invalidate();
}

void TNeoCustomDropDown::SetEmptyText(const String& Value) {
  FEmptyText = Value;
  Invalidate();
}

void TNeoCustomDropDown::SetEmptyTextStyle(TFontStyles Value) {
  FEmptyTextStyle = Value;
  Invalidate();
}

void TNeoCustomDropDown::SetDisabledBorder(bool Value) {
  if (FDisabledBorder == Value) return;
  FDisabledBorder = Value;
  Invalidate();
}

void TNeoCustomDropDown::SetDropDownWidth(Integer Value) {
  if (FDropDownWidth == Value) return;
  FDropDownWidth = Value;
  FUserDropDownWidth = -1;
}

void TNeoCustomDropDown::SetDropDownHeight(Integer Value) {
  if (Value < 0 || FDropDownHeight == Value) return;
  FDropDownHeight = Value;
  FUserDropDownHeight = -1;
}

void TNeoCustomDropDown::ResetDropDownSize() { FUserDropDownWidth = FUserDropDownHeight = -1; }

TSize TNeoCustomDropDown::GetDropDownSize() {
  if (FDropDownForm && FDropDownSizeable) return TSize{FDropDownForm->GetWidth(), FDropDownForm->GetHeight()};
  if (FDropDownWidth != 0 && FDropDownHeight != 0) return TSize{FDropDownWidth, FDropDownHeight};
  if (FControl) return TSize{FControl->GetWidth(), FControl->GetHeight()};
  return TSize{0, 0};
}

void TNeoCustomDropDown::SetDropDownEnabled(bool Value) {
  FDropDownEnabled = Value;
  if (FButton) FButton->SetEnabled(Value);
}

void TNeoCustomDropDown::SetDropDownButtonWidth(Integer Value) {
  if (!FButton || FButtonWidth == Value) return;
  FButtonWidth = Value;
  FButton->SetBWidth(RoundTo(Value * static_cast<Double>(FDPIScale)));
  FButton->SetWidth(FButton->GetBWidth());
  if (FButton->HandleAllocated()) ResizeEdit();
}

void TNeoCustomDropDown::SetDropDownButtonHint(const String& Value) {
  FButtonHint = Value;
  if (!FButton) return;
  FButton->SetHint(Value);
  FButton->SetShowHint(!Value.empty());
}

TBitmap* TNeoCustomDropDown::GetDropDownButtonGlyph() const { return FButton->GetGlyph(); }
void TNeoCustomDropDown::SetDropDownButtonGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
String TNeoCustomDropDown::GetDropDownButtonCaption() const { return FButton->GetButtonCaption(); }
void TNeoCustomDropDown::SetDropDownButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }

void TNeoCustomDropDown::SetEditorEnabled(bool Value) {
  FEditorEnabled = Value;
  TControlStyle style = GetControlStyle();
  if (Value) style.Include(csDoubleClicks);
  else style.Exclude(csDoubleClicks);
  SetControlStyle(style);
}

void TNeoCustomDropDown::SetImages(TCustomImageList* Value) {
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TNeoCustomDropDown::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TNeoCustomDropDown::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  if (HandleAllocated()) ResizeEdit();
}

// ---------------------------------------------------------------------------------------------
// Frames

bool TNeoCustomDropDown::OwnBordersWanted() const {
  return FBorderColor != clNone || FFocusBorderColor != clNone || FFlat || (!GetEnabled() && FDisabledBorder);
}

bool TNeoCustomDropDown::IsActive() const {
  if (GetComponentState().Contains(csDesigning)) return false;
  return FMouseInControl || (Screen && Screen->GetActiveControl() == this);
}

bool TNeoCustomDropDown::GetButtonFocused() const {
  if (GetComponentState().Contains(csDesigning)) return GetEnabled();
  return IsActive();
}

void TNeoCustomDropDown::UpdateButtonFocus() {
  if (FButton) FButton->GetButton()->SetFocused(GetButtonFocused());
}

void TNeoCustomDropDown::PaintBorders() {
  if (GetEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return;
  DrawBorders();
  UpdateButtonFocus();
}

void TNeoCustomDropDown::DrawBorders() {
  if (!HandleAllocated() || GetComponentState().Contains(csDesigning)) return;
  HDC dc = GetWindowDC(GetHandle());
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    TRect r{0, 0, GetWidth(), GetHeight()};
    auto frame = [&canvas, &r](TColor Color) {
      canvas.GetBrush()->SetColor(Color);
      canvas.FrameRect(r);
    };
    const bool focused = Focused();
    if (!GetEnabled() && FIsThemed && FDisabledBorder) {
      frame(static_cast<TColor>(0xC0C0C0));
    } else if (FBorderColor != clNone && (!focused || FFocusBorderColor == clNone)) {
      frame(FBorderColor);
    } else if (FFocusBorderColor != clNone) {
      if (focused) frame(FFocusBorderColor);
    } else {
      const bool active = IsActive();
      const TColor c = active || !GetParent() ? clBtnFace : GetParent()->GetBrush()->GetColor();
      if (active) {
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        frame(c);
        InflateRect(&r, -1, -1);
      } else {
        for (int i = 0; i < 2; ++i) {
          frame(c);
          InflateRect(&r, -1, -1);
        }
      }
    }
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(GetHandle(), dc);
}

void TNeoCustomDropDown::CMMouseEnter(TMessage& Message) {
  const bool was = FMouseInControl;
  inherited::Dispatch(Message);
  FMouseInControl = was;
  if (was || !GetEnabled()) return;
  DrawFocusRect();
  DrawEmptyText();
  FMouseInControl = true;
  PaintBorders();
}

void TNeoCustomDropDown::CMMouseLeave(TMessage& Message) {
  const bool was = FMouseInControl;
  inherited::Dispatch(Message);
  FMouseInControl = was;
  if (!was || !GetEnabled()) return;
  FMouseInControl = false;
  PaintBorders();
}

void TNeoCustomDropDown::RepaintFrame() {
  if (HandleAllocated()) RedrawWindow(GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

bool TNeoCustomDropDown::HasBorderOrBevel() const { return GetBorderStyle() != bsNone || FBevelKind != bkNone; }

void TNeoCustomDropDown::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  if (HandleAllocated()) {
    RecreateWnd();
    ResizeEdit();
  }
}

void TNeoCustomDropDown::SetBevelKind(TBevelKind Value) {
  if (FBevelKind == Value) return;
  FBevelKind = Value;
  if (HandleAllocated()) ResizeEdit();
}

void TNeoCustomDropDown::SetControl(TControl* Value) {
  if (Value == FControl || Value == this) return;
  if (FControl) {
    FControl->SetAlign(alNone);
    FControl->Hide();
  }
  FControl = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  const Double scale = FDPIScale;
  FOrigCtrlW = RoundTo(Value->GetWidth() / scale);
  FOrigCtrlH = RoundTo(Value->GetHeight() / scale);
  if (FDropDownWidth == 0 && FOrigCtrlW < GetWidth()) {
    TCustomForm* form = GetParentForm(this);
    TMonitor* monitor = form ? form->GetMonitor() : nullptr;
    Integer ppi = monitor ? monitor->GetPixelsPerInch() : ScreenPixelsPerInch();
    FOrigCtrlW = RoundTo((GetWidth() - GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(ppi))) / scale);
  }
  if (!FDesignTime) Value->Hide();
}

// ---------------------------------------------------------------------------------------------
// The label

String TNeoCustomDropDown::GetLabelCaption() const { return FLabel ? FLabel->GetCaption() : String(); }

void TNeoCustomDropDown::SetLabelCaption(const String& Value) {
  if (!FLabel) {
    FLabel = new TLabel(this);
    FLabel->SetParent(GetParent());
    FLabel->SetFocusControl(this);
    FLabel->GetFont()->Assign(FLabelFont.get());
    FLabel->OnClick = [this](TObject*) { DoLabelClick(); };
    FLabel->OnDblClick = [this](TObject*) { DoLabelDblClick(); };
    FLabel->SetParentFont(GetParentFont());
  }
  FLabel->SetCaption(Value);
  UpdateLabel();
}

void TNeoCustomDropDown::SetLabelPosition(TLabelPosition Value) {
  FLabelPosition = Value;
  UpdateLabel();
}

void TNeoCustomDropDown::SetLabelMargin(Integer Value) {
  FLabelMargin = Value;
  UpdateLabel();
}

void TNeoCustomDropDown::SetLabelTransparent(bool Value) {
  FLabelTransparent = Value;
  UpdateLabel();
}

void TNeoCustomDropDown::SetLabelFont(TFont* Value) {
  if (!GetParentFont()) FLabelFont->Assign(Value);
}

void TNeoCustomDropDown::LabelFontChanged(TObject*) {
  UpdateLabel();
  if (FDesignTime && !GetComponentState().Contains(csLoading)) SetParentFont(false);
  if (!FLblUpdate) FLblFntHeight = FLabelFont->GetHeight();
}

void TNeoCustomDropDown::UpdateLabel() {
  if (!FLabel) return;
  FLabel->SetTransparent(FLabelTransparent);
  FLabel->GetFont()->Assign(FParentFnt ? GetFont() : FLabelFont.get());
  Integer w = 0;
  if (FLabel->GetParent() && FLabel->GetParent()->HandleAllocated()) {
    TCanvas* canvas = FLabel->GetCanvas();
    canvas->GetFont()->Assign(FLabel->GetFont());
    TRect r{0, 0, 1000, 255};
    String caption = FLabel->GetCaption();
    DrawTextW(canvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &r, DT_CALCRECT | DT_HIDEPREFIX);
    w = r.right - r.left;
  }
  const Integer l = GetLeft(), t = GetTop(), wd = GetWidth(), h = GetHeight();
  const Integer lh = FLabel->GetHeight(), lw = FLabel->GetWidth(), m = FLabelMargin;
  const Integer centre = lh < h ? t + (h - lh) / 2 : t - (lh - h) / 2;
  const Integer centredLeft = wd > lw ? l + (wd - lw) / 2 : l - (lw - wd) / 2;
  const Integer above = t - lh - m, below = t + h + m, bottomAligned = t + h - lh;
  struct TPlace { Integer Top, Left; };
  TPlace p{t, l};
  switch (FLabelPosition) {
    case lpLeftTop: p = {t, l - w - m}; break;
    case lpLeftCenter: p = {centre, l - w - m}; break;
    case lpLeftBottom: p = {bottomAligned, l - w - m}; break;
    case lpTopLeft: p = {above, l}; break;
    case lpBottomLeft: p = {below, l}; break;
    case lpLeftTopLeft: p = {t, l - m}; break;
    case lpLeftCenterLeft: p = {centre, l - m}; break;
    case lpLeftBottomLeft: p = {bottomAligned, l - m}; break;
    case lpTopCenter: p = {above, centredLeft}; break;
    case lpBottomCenter: p = {below, centredLeft}; break;
    case lpRightTop: p = {t, l + wd + m}; break;
    case lpRightCenter: p = {centre, l + wd + m}; break;
    case lpRighBottom: p = {bottomAligned, l + wd + m}; break;
    case lpTopRight: p = {above, l + wd - lw}; break;
    case lpBottomRight: p = {below, l + wd - lw}; break;
  }
  FLabel->SetTop(p.Top);
  FLabel->SetLeft(p.Left);
  FLabel->SetVisible(GetVisible());
}

// ---------------------------------------------------------------------------------------------
// Sizing

Integer TNeoCustomDropDown::GetMinHeight() {
  const Integer fh = ScreenLineHeight(GetFont());
  const Integer sh = ScreenLineHeight(nullptr);
  return fh + std::min(fh, sh) / 4;
}

void TNeoCustomDropDown::ResizeEdit() {
  const Integer b = HasBorderOrBevel() ? 4 : 2;
  const Integer minHeight = GetMinHeight();
  if (GetHeight() < minHeight) {
    SetHeight(minHeight);
  } else if (FButton) {
    const Integer bw = FButton->GetBWidth(), w = GetWidth(), h = GetHeight();
    if (FCtl3D && HasBorderOrBevel())
      FButton->SetBounds(w - bw - (FFlat ? 3 : b), FFlat ? 2 : 0, bw, h - (FFlat ? 3 : b));
    else
      FButton->SetBounds(w - bw - (FCtl3D ? 0 : 2), 1, bw, h - 2);
    SetEditRect();
  }
  Invalidate();
}

void TNeoCustomDropDown::SetEditRect() {
  if (!HandleAllocated()) return;
  TRect r{};
  Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  FDPIScale = DropDownDPIScale(this);
  const Double s = FDPIScale;
  r.bottom = GetClientHeight() + 1;
  // The holder's width is already scaled (FBWidth): it is subtracted as it stands.
  r.right = GetClientWidth() - (FButton ? FButton->GetWidth() : 0) - 3;
  if (HasBorderOrBevel()) {
    r.left = r.top = RoundTo(s);
  } else {
    r.left = RoundTo(2 * s);
    r.top = RoundTo(3 * s);
  }
  FEditRect = r;
  if (!FCtl3D) r.left += RoundTo(s);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TNeoCustomDropDown::ChangeScale(Integer M, Integer D) {
  inherited::ChangeScale(M, D);
  FDPIScale = ControlScaleFactor(this, FLabel ? FLabel->GetCanvas() : nullptr);
  if (FButton) {
    FButton->SetBWidth(RoundTo(FButtonWidth * static_cast<Double>(FDPIScale)));
    ResizeEdit();
  }
  FLblUpdate = true;
  FLabelFont->SetHeight(RoundTo(FLblFntHeight * static_cast<Double>(FDPIScale)));
  FLblUpdate = false;
}

// ---------------------------------------------------------------------------------------------
// Life cycle

void TNeoCustomDropDown::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN | ES_MULTILINE;
  if (!FCtl3D && (Params.ExStyle & WS_EX_CLIENTEDGE)) {
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    Params.Style |= WS_BORDER;
  }
}

void TNeoCustomDropDown::CreateWnd() {
  inherited::CreateWnd();
  if (FDesignTime) SetComponentStyle(FormStylerStyle(GetOwner(), tsCustom));
  SetEditRect();
  UpdateLabel();
}

void TNeoCustomDropDown::Loaded() {
  inherited::Loaded();
  FParentFnt = GetParentFont();
  SetEditRect();
  ResizeEdit();
  if (FButton) FButton->SetEnabled(GetEnabled());
  if (FLabel && !FLabelAlwaysEnabled) FLabel->SetEnabled(GetEnabled());
  UpdateLabel();
  if (GetParentFont()) FLabelFont->Assign(GetFont());
  FLblFntHeight = FLabelFont->GetHeight();
}

void TNeoCustomDropDown::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  // The popup may go first (a program freeing every form): the edit then has none.
  if (Operation == opRemove && AComponent == FDropDownForm) FDropDownForm = nullptr;
  if (Operation != opRemove || GetComponentState().Contains(csDestroying)) return;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
  if (AComponent == FControl) FControl = nullptr;
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FLabel) FLabel = nullptr;
}

void TNeoCustomDropDown::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  auto ordinal = [](TReader* Reader, Integer Last) {
    const Int64 value = Reader->ReadInteger();
    if (value < 0 || value > Last) throw EReadError(u"Invalid property value");
    return static_cast<Integer>(value);
  };
  Filer->DefineProperty(
      u"SelectionColorStyle",
      [this, ordinal](TReader* Reader) { FSelectionColorStyle = static_cast<TSelectionColorStyle>(ordinal(Reader, scWindows7)); },
      [this](TWriter* Writer) { Writer->WriteInteger(FSelectionColorStyle); }, true);
  Filer->DefineProperty(
      u"NeoStyle",
      [this, ordinal](TReader* Reader) {
        FNeoStyle = static_cast<TNeoStyle>(ordinal(Reader, EnumTypeInfo<TNeoStyle>()->MaxValue()));
      },
      [this](TWriter* Writer) { Writer->WriteInteger(FNeoStyle); }, true);
}

void TNeoCustomDropDown::SetParent(TWinControl* AParent) {
  inherited::SetParent(AParent);
  if (FLabel) {
    FLabel->SetParent(AParent);
    UpdateLabel();
  }
}

void TNeoCustomDropDown::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FLabel && FLabel->GetParent()) UpdateLabel();
}

void TNeoCustomDropDown::DoEnter() {
  inherited::DoEnter();
  SetEditRect();
}

bool TNeoCustomDropDown::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool result = inherited::DoMouseWheelDown(Shift, MousePos);
  if (FDroppedDown || RectContains(GetClientRect(), ScreenToClient(MousePos))) DoDropDownWheelDown();
  return result;
}

bool TNeoCustomDropDown::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = inherited::DoMouseWheelUp(Shift, MousePos);
  if (FDroppedDown || RectContains(GetClientRect(), ScreenToClient(MousePos))) DoDropDownWheelUp();
  return result;
}

void TNeoCustomDropDown::WndProc(TMessage& Message) {
  inherited::WndProc(Message);
  if (Message.Msg == EM_SETREADONLY && FButton) FButton->Invalidate();
}

void TNeoCustomDropDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SIZE:
      inherited::Dispatch(Message);
      ResizeEdit();
      return;
    case WM_PAINT:
      inherited::Dispatch(Message);
      DrawFocusRect();
      DrawEmptyText();
      if (OwnBordersWanted()) PaintBorders();
      return;
    case WM_NCPAINT:
      inherited::Dispatch(Message);
      if (OwnBordersWanted()) PaintBorders();
      return;
    case CM_MOUSEENTER: CMMouseEnter(Message); return;
    case CM_MOUSELEAVE: CMMouseLeave(Message); return;
    case CM_ENABLEDCHANGED:
      inherited::Dispatch(Message);
      if (FButton) FButton->SetEnabled(GetEnabled());
      return;
    case CM_VISIBLECHANGED:
      inherited::Dispatch(Message);
      if (FLabel && !FLabel->GetCaption().empty()) FLabel->SetVisible(GetVisible());
      return;
    case CM_FONTCHANGED:
      inherited::Dispatch(Message);
      if (HandleAllocated()) SetEditRect();
      return;
    case CM_PARENTFONTCHANGED:
      inherited::Dispatch(Message);
      if (FLabel && GetParentFont()) {
        FLabel->GetFont()->Assign(GetFont());
        UpdateLabel();
      }
      return;
    case WM_SETCURSOR:
      if (FEditorEnabled) break;
      ::SetCursor(Screen->GetCursors(GetCursor()));
      Message.Result = 1;
      return;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); return;
    case WM_LBUTTONUP: WMLButtonUp(Message); return;
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); return;
    case WM_CUT: WMCut(Message); return;
    case WM_COPY: WMCopy(Message); return;
    case WM_PASTE: WMPaste(Message); return;
    case WM_SETFOCUS: WMSetFocus(Message); return;
    case WM_KILLFOCUS: WMKillFocus(Message); return;
    case CN_COMMAND:
      // The rewrite the input rules made themselves reports no change of its own.
      if (HIWORD(Message.WParam) == EN_CHANGE && FBlockChange) {
        FBlockChange = false;
        return;
      }
      break;
    case CM_ENTER:
      if (GetAutoSelect() && !GetControlState().Contains(csLButtonDown)) SelectAll();
      inherited::Dispatch(Message);
      RepaintFrame();
      PaintBorders();
      return;
    case CM_EXIT:
      inherited::Dispatch(Message);
      RepaintFrame();
      PaintBorders();
      return;
    default: break;
  }
  inherited::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Assignment

void TNeoCustomDropDown::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TNeoCustomDropDown*>(Source);
  if (!s) return;
  FFocusDraw = s->FFocusDraw;
  FForceShadow = s->FForceShadow;
  FDropDownEnabled = s->FDropDownEnabled;
  FDropDownColor = s->FDropDownColor;
  FDropDownColorTo = s->FDropDownColorTo;
  FDropDownGradient = s->FDropDownGradient;
  FDropDownBorderColor = s->FDropDownBorderColor;
  FDropDownBorderWidth = s->FDropDownBorderWidth;
  FDropDownShadow = s->FDropDownShadow;
  FDropDownWidth = s->FDropDownWidth;
  FDropDownHeight = s->FDropDownHeight;
  FDropDownSizeable = s->FDropDownSizeable;
  FEditType = s->FEditType;
  FReturnIsTab = s->FReturnIsTab;
  FLengthLimit = s->FLengthLimit;
  FPrecision = s->FPrecision;
  FPrefix = s->FPrefix;
  FSuffix = s->FSuffix;
  FDefaultHandling = s->FDefaultHandling;
  FCanUndo = s->FCanUndo;
  FExcelStyleDecimalSeparator = s->FExcelStyleDecimalSeparator;
  FValidChars = s->FValidChars;
  FSigned = s->FSigned;
  FAutoThousandSeparator = s->FAutoThousandSeparator;
  FButtonAppearance->Assign(s->FButtonAppearance.get());
  FDropDownHeader->Assign(s->FDropDownHeader.get());
  FDropDownFooter->Assign(s->FDropDownFooter.get());
  FDropPosition = s->FDropPosition;
  FFlat = s->FFlat;
  SetDropDownButtonWidth(s->FButtonWidth);
  SetDropDownButtonHint(s->FButtonHint);
  FEditorEnabled = s->FEditorEnabled;
  if (FButton && s->FButton) {
    FButton->GetGlyph()->Assign(s->FButton->GetGlyph());
    FButton->SetButtonCaption(s->FButton->GetButtonCaption());
  }
  FEtched = s->FEtched;
  FImages = s->FImages;
  if (FImages) FImages->FreeNotification(this);
  FSelectionColorStyle = s->FSelectionColorStyle;
  FSelectionColor = s->FSelectionColor;
  FSelectionColorTo = s->FSelectionColorTo;
}
