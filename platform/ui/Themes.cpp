#include "platform/ui/Themes.h"

#include <memory>

#include "platform/rtl/Modules.h"
#include "platform/win/UxTheme.h"

TThemedElementDetails TCustomStyleServices::GetElementDetails(TThemedButton Detail) const {
  TThemedElementDetails d;
  if (Detail >= tbPushButtonNormal && Detail <= tbPushButtonDefaulted) {
    d.Part = BP_PUSHBUTTON;
    d.State = PBS_NORMAL + (Detail - tbPushButtonNormal);
  } else if (Detail >= tbCheckBoxUncheckedNormal && Detail <= tbCheckBoxMixedDisabled) {
    d.Part = BP_CHECKBOX;
    d.State = CBS_UNCHECKEDNORMAL + (Detail - tbCheckBoxUncheckedNormal);
  }
  return d;
}

TThemedElementDetails TCustomStyleServices::GetElementDetails(TThemedTrackBar Detail) const {
  TThemedElementDetails d;
  d.Element = teTrackBar;
  if (Detail == ttbTrack || Detail == ttbTrackVert) {
    d.Part = Detail == ttbTrack ? TKP_TRACK : TKP_TRACKVERT;
    d.State = TRS_NORMAL;
  } else if (Detail >= ttbThumbNormal && Detail <= ttbThumbRightDisabled) {
    Integer i = Detail - ttbThumbNormal;
    d.Part = TKP_THUMB + i / 5;
    d.State = TUS_NORMAL + i % 5;
  } else if (Detail == ttbThumbTics || Detail == ttbThumbTicsVert) {
    d.Part = Detail == ttbThumbTics ? TKP_TICS : TKP_TICSVERT;
    d.State = TSS_NORMAL;
  }
  return d;
}

namespace {

// The visual-styles functions the platform style draws with, resolved by name once.
class TThemeLibrary {
public:
  TThemeLibrary() : FModule(LoadLibraryW(u"UXTHEME.DLL")) {
    if (!FModule) return;
    IsThemeActive = reinterpret_cast<TIsThemeActiveProc>(GetProcAddress(FModule, "IsThemeActive"));
    OpenThemeData = reinterpret_cast<TOpenThemeDataProc>(GetProcAddress(FModule, "OpenThemeData"));
    CloseThemeData = reinterpret_cast<TCloseThemeDataProc>(GetProcAddress(FModule, "CloseThemeData"));
    DrawThemeBackground = reinterpret_cast<TDrawThemeBackgroundProc>(GetProcAddress(FModule, "DrawThemeBackground"));
  }
  ~TThemeLibrary() {
    if (FModule) FreeLibrary(FModule);
  }
  TThemeLibrary(const TThemeLibrary&) = delete;
  TThemeLibrary& operator=(const TThemeLibrary&) = delete;

  bool Active() const { return IsThemeActive && OpenThemeData && CloseThemeData && DrawThemeBackground && IsThemeActive(); }

  TIsThemeActiveProc IsThemeActive = nullptr;
  TOpenThemeDataProc OpenThemeData = nullptr;
  TCloseThemeDataProc CloseThemeData = nullptr;
  TDrawThemeBackgroundProc DrawThemeBackground = nullptr;

private:
  HMODULE FModule;
};

TThemeLibrary& ThemeLibrary() {
  static TThemeLibrary library;
  return library;
}

// The frame-control flags of a button element (the classic look).
UINT FrameControlState(const TThemedElementDetails& D) {
  if (D.Part == BP_PUSHBUTTON) {
    UINT s = DFCS_BUTTONPUSH;
    if (D.State == PBS_PRESSED) s |= DFCS_PUSHED;
    if (D.State == PBS_DISABLED) s |= DFCS_INACTIVE;
    if (D.State == PBS_HOT) s |= DFCS_HOT;
    return s;
  }
  Integer group = (D.State - 1) / 4, inGroup = (D.State - 1) % 4;
  UINT s = DFCS_BUTTONCHECK;
  if (group == 1) s |= DFCS_CHECKED;
  if (group == 2) s |= DFCS_CHECKED | DFCS_INACTIVE;
  if (inGroup == 2) s |= DFCS_PUSHED;
  if (inGroup == 3) s |= DFCS_INACTIVE;
  return s;
}

class TWindowsStyle : public TCustomStyleServices {
public:
  TWindowsStyle() : TCustomStyleServices(u"Windows") {}
  bool GetEnabled() const override { return ThemeLibrary().Active(); }
  bool DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R, const TRect* ClipRect) override {
    if (Details.Part == 0) return false;
    TThemeLibrary& lib = ThemeLibrary();
    if (lib.Active()) {
      if (HTHEME theme = lib.OpenThemeData(nullptr, Details.Element == teTrackBar ? u"trackbar" : u"button")) {
        RECT r = R;
        lib.DrawThemeBackground(theme, DC, Details.Part, Details.State, &r, ClipRect);
        lib.CloseThemeData(theme);
        return true;
      }
    }
    if (Details.Element != teButton) return false;   // the control draws its classic look itself
    RECT r = R;
    return DrawFrameControl(DC, &r, DFC_BUTTON, FrameControlState(Details)) != FALSE;
  }
  bool GetElementColor(const TThemedElementDetails&, TElementColor, TColor&) override { return false; }
};

// The dark custom style: faces and boxes in greys, light text and marks.
class TCarbonStyle : public TCustomStyleServices {
public:
  TCarbonStyle() : TCustomStyleServices(u"Carbon") {}
  bool GetEnabled() const override { return true; }
  bool DrawElement(HDC DC, const TThemedElementDetails& Details, const TRect& R, const TRect* ClipRect) override {
    if (Details.Element != teButton || (Details.Part != BP_PUSHBUTTON && Details.Part != BP_CHECKBOX)) return false;
    TCanvas canvas;
    canvas.SetHandle(DC);
    int saved = SaveDC(DC);
    if (ClipRect) IntersectClipRect(DC, ClipRect->left, ClipRect->top, ClipRect->right, ClipRect->bottom);
    if (Details.Part == BP_PUSHBUTTON) DrawPushButton(canvas, Details.State, R);
    else DrawCheckBox(canvas, Details.State, R);
    canvas.SetHandle(nullptr);
    RestoreDC(DC, saved);
    return true;
  }
  bool GetElementColor(const TThemedElementDetails& Details, TElementColor ElementColor, TColor& Color) override {
    if (Details.Part == 0 || Details.Element != teButton) return false;
    bool disabled = Details.Part == BP_PUSHBUTTON ? Details.State == PBS_DISABLED : (Details.State - 1) % 4 == 3;
    switch (ElementColor) {
      case ecTextColor: Color = disabled ? 0x808080 : 0xF0F0F0; break;
      case ecBorderColor: Color = disabled ? 0x505050 : 0x9A9A9A; break;
      case ecFillColor: Color = 0x3C3C3C; break;
    }
    return true;
  }

private:
  static void Face(TCanvas& C, const TRect& R, TColor Fill, TColor Border) {
    C.GetBrush()->SetStyle(bsSolid);
    C.GetBrush()->SetColor(Fill);
    C.GetPen()->SetStyle(psSolid);
    C.GetPen()->SetWidth(1);
    C.GetPen()->SetColor(Border);
    C.Rectangle(R);
  }
  static void DrawPushButton(TCanvas& C, Integer State, const TRect& R) {
    static const TColor fills[] = {0x3C3C3C, 0x505050, 0x282828, 0x333333, 0x3C3C3C};
    Integer i = (State >= PBS_NORMAL && State <= PBS_DEFAULTED) ? State - 1 : 0;
    Face(C, R, fills[i], State == PBS_DISABLED ? 0x444444 : 0x5A5A5A);
  }
  static void DrawCheckBox(TCanvas& C, Integer State, const TRect& R) {
    static const TColor fills[] = {0x2D2D2D, 0x404040, 0x1E1E1E, 0x333333};
    Integer group = (State - 1) / 4, inGroup = (State - 1) % 4;
    bool disabled = inGroup == 3;
    Face(C, R, fills[inGroup], disabled ? 0x555555 : 0x9A9A9A);
    TColor mark = disabled ? 0x777777 : 0xF0F0F0;
    Integer w = R.right - R.left, h = R.bottom - R.top;
    if (group == 1) {
      C.GetPen()->SetColor(mark);
      C.GetPen()->SetWidth(2);
      C.Polyline({TPoint{R.left + w / 4, R.top + h / 2}, TPoint{R.left + w * 5 / 12, R.top + h * 3 / 4},
                  TPoint{R.left + w * 3 / 4, R.top + h / 4}});
    } else if (group == 2) {
      C.GetBrush()->SetColor(mark);
      C.FillRect(TRect{R.left + w / 4, R.top + h / 4, R.right - w / 4, R.bottom - h / 4});
    }
  }
};

std::unique_ptr<TCustomStyleServices>& ActiveStyle() {
  static std::unique_ptr<TCustomStyleServices> style = std::make_unique<TWindowsStyle>();
  return style;
}

}  // namespace

TCustomStyleServices* StyleServices() { return ActiveStyle().get(); }

bool SetActiveStyleName(const String& Name) {
  if (Name == u"Windows") ActiveStyle() = std::make_unique<TWindowsStyle>();
  else if (Name == u"Carbon") ActiveStyle() = std::make_unique<TCarbonStyle>();
  else return false;
  return true;
}
