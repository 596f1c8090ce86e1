#include "lib/dropdown/NeoDropDownUtils.h"

#include <algorithm>
#include <cstdint>

#include "lib/render/NeoHTMLEngine.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Modules.h"
#include "platform/rtl/ScopeGuard.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ImgList.h"

namespace {

constexpr TColor kNotSet = static_cast<TColor>(0x1FFFFFFF);

// A canvas over the screen's device context for the scope of the object.
class TScreenCanvas {
public:
  TScreenCanvas() : FDC(GetDC(nullptr)) { FCanvas.SetHandle(FDC); }
  ~TScreenCanvas() {
    FCanvas.SetHandle(nullptr);
    ReleaseDC(nullptr, FDC);
  }
  TScreenCanvas(const TScreenCanvas&) = delete;
  TScreenCanvas& operator=(const TScreenCanvas&) = delete;
  TCanvas& Canvas() { return FCanvas; }
  HDC DC() const { return FDC; }

private:
  HDC FDC;
  TCanvas FCanvas;
};

Byte Channel(Double V) { return static_cast<Byte>(std::clamp<Int64>(Round(V), 0, 255)); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Scale and version

Integer TextHeightAtDpi(Integer PixelsPerInch, Integer PointSize) {
  TScreenCanvas screen;
  TFont* font = screen.Canvas().GetFont();
  font->SetPixelsPerInch(PixelsPerInch);
  font->SetSize(PointSize);
  return screen.Canvas().TextHeight(u"0");
}

Single DropDownDPIScale(TControl* Control) {
  TCustomForm* form = Control ? GetParentForm(Control) : nullptr;
  Integer ppi = 0;
  if (form && form->InheritsFrom(TForm::StaticClass()) && form->GetScaled())
    if (TMonitor* monitor = form->GetMonitor()) ppi = monitor->GetPixelsPerInch();
  if (ppi == 0) {
    TScreenCanvas screen;
    ppi = GetDeviceCaps(screen.DC(), LOGPIXELSX);
  }
  if (ppi == 96) return 1.0F;
  Integer base = TextHeightAtDpi(96, 9);
  return base > 0 ? static_cast<Single>(TextHeightAtDpi(ppi, 9)) / static_cast<Single>(base) : 1.0F;
}

void GetWindowsVersion(Integer& Major, Integer& Minor) {
  Major = 0;
  Minor = 0;
  HMODULE ntdll = GetModuleHandleW(u"ntdll.dll");
  if (!ntdll) return;
  using TRtlGetVersion = NTSTATUS (*)(OSVERSIONINFOW*);
  auto proc = reinterpret_cast<TRtlGetVersion>(GetProcAddress(ntdll, "RtlGetVersion"));
  if (!proc) return;
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
  if (proc(reinterpret_cast<OSVERSIONINFOW*>(&info)) != STATUS_SUCCESS) return;
  Major = static_cast<Integer>(info.dwMajorVersion);
  Minor = static_cast<Integer>(info.dwMinorVersion);
}

bool IsWindows10() {
  Integer major, minor;
  GetWindowsVersion(major, minor);
  return major == 10;
}

bool IsWindows6x() {
  Integer major, minor;
  GetWindowsVersion(major, minor);
  return major == 6;
}

// ---------------------------------------------------------------------------------------------
// Colours and gradients

void PaintDropDownGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, bool Horizontal, TRect R,
                           Integer Steps) {
  if (!Canvas) return;
  Steps = std::max(1, Steps);
  COLORREF from = static_cast<COLORREF>(ColorToRGB(FromColor)), to = static_cast<COLORREF>(ColorToRGB(ToColor));
  Double d = static_cast<Double>(Horizontal ? R.right - 1 - R.left : R.bottom - 1 - R.top) / Steps;
  auto mix = [Steps](Integer A, Integer B, Integer I) { return A + static_cast<Integer>(Round(static_cast<Double>(I) * (B - A) / Steps)); };
  Integer size = static_cast<Integer>(Round(d));
  for (Integer i = 0; i < Steps; ++i) {
    TColor c = static_cast<TColor>(RGB(mix(GetRValue(from), GetRValue(to), i), mix(GetGValue(from), GetGValue(to), i),
                                       mix(GetBValue(from), GetBValue(to), i)));
    Canvas->GetPen()->SetColor(c);
    Canvas->GetBrush()->SetColor(c);
    auto m = static_cast<Integer>(Round(i * d));
    if (Horizontal) Canvas->Rectangle(R.left + m, R.top, R.left + m + size + 1, R.bottom);
    else Canvas->Rectangle(R.left, R.top + m, R.right, R.top + m + size + 1);
  }
}

TColor BlendColor(TColor ColorA, TColor ColorB, Integer Percent) {
  if (Percent >= 100) return ColorA;
  if (Percent <= 0) return ColorB;
  Double x = Percent / 100.0;
  auto a = static_cast<COLORREF>(ColorToRGB(ColorA)), b = static_cast<COLORREF>(ColorToRGB(ColorB));
  auto mix = [x](Byte A, Byte B) { return Channel(x * A + (1 - x) * B); };
  return static_cast<TColor>(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b))));
}

TColor ShadeColorChannels(TColor Color, Integer DeltaR, Integer DeltaG, Integer DeltaB) {
  auto c = static_cast<COLORREF>(ColorToRGB(Color));
  auto shade = [](Byte Value, Integer Delta) -> Byte {
    if (Value == 0) return static_cast<Byte>(std::max(Delta, 0));
    return static_cast<Byte>(Round(static_cast<Double>(Value) * std::min(100 + Delta, 100) / 100));
  };
  return static_cast<TColor>(RGB(shade(GetRValue(c), DeltaR), shade(GetGValue(c), DeltaG), shade(GetBValue(c), DeltaB)));
}

void DrawGradientRect(TCanvas* Canvas, TRect R, TColor Color, bool Vertical, Integer BorderWidth, TColor BorderColor,
                      TColor ColorTo) {
  if (!Canvas) return;
  if (ColorTo != kNotSet) {
    PaintDropDownGradient(Canvas, Color, ColorTo, !Vertical, R, 80);
  } else if (Color != kNotSet) {
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->FillRect(R);
  }
  if (BorderColor != kNotSet && BorderWidth > 0) {
    Canvas->GetBrush()->SetStyle(bsClear);
    Canvas->GetPen()->SetWidth(BorderWidth);
    Canvas->GetPen()->SetColor(BorderColor);
    Canvas->Rectangle(R);
  }
}

// ---------------------------------------------------------------------------------------------
// Text

void DrawImageText(TCanvas* Canvas, TRect R, const String& Text, Integer ImageIndex, TCustomImageList* Images) {
  if (!Canvas) return;
  bool image = ImageIndex >= 0 && Images;
  if (image) {
    Images->Draw(Canvas, R.left + 4, R.top + (R.bottom - R.top - Images->GetHeight()) / 2, ImageIndex, true);
    R.left += Images->GetWidth() + 8;
  }
  if (Text.empty()) return;
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (image ? 0 : DT_CENTER);
  DrawTextW(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &R, flags);
}

void DrawTransparentBitmap(TCanvas* Canvas, TBitmap* Bitmap, TColor BackColor, TRect R) {
  if (!Canvas || !Bitmap) return;
  TBitmap copy;
  copy.SetSize(Bitmap->GetWidth(), Bitmap->GetHeight());
  TRect all{0, 0, Bitmap->GetWidth(), Bitmap->GetHeight()};
  copy.GetCanvas()->GetBrush()->SetColor(BackColor);
  copy.GetCanvas()->BrushCopy(all, Bitmap, all, Bitmap->GetCanvas()->GetPixels(0, 0));
  Canvas->CopyRect(R, copy.GetCanvas(), TRect{0, 0, R.right - R.left, R.bottom - R.top});
}

void DrawHTMLItemText(TCanvas* Canvas, const String& Text, TRect R, TPoint& Size, HWND WindowHandle, bool Draw,
                      TCustomImageList* Images) {
  Size = TPoint{0, 0};
  if (Text.empty() || !Canvas) return;
  THtmlDrawParams p;
  p.ACanvas = Canvas;
  p.AText = Text;
  p.ARect = R;
  p.AImages = Images;
  p.ACheckHeight = !Draw;   // measuring only
  p.AShadowColor = static_cast<TColor>(0x808080);
  p.AHoverColor = clNone;
  p.AHoverFontColor = clNone;
  p.AURLColor = static_cast<TColor>(0xFF0000);
  p.AWinHandle = WindowHandle;
  DrawHtmlText(p);
  Size = TPoint{p.AXSize, p.AYSize};
}

TSize GetTextSize(TCanvas* Canvas, const String& Text) {
  if (Text.empty() || !Canvas) return TSize{0, 0};
  RECT r{0, 0, 1000, 500};
  DrawTextW(Canvas->GetHandle(), Text.c_str(), static_cast<int>(Text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return TSize{r.right, r.bottom};
}

void FitTextEllipsis(TCanvas* Canvas, const String& Text, Integer MaxWidth, String& Result, bool AddEllipsis) {
  Result = Text;
  if (!Canvas || Canvas->TextWidth(Text) <= MaxWidth) return;
  for (std::size_t i = 0; i < Text.size(); ++i) {
    String candidate = Text.substr(0, Text.size() - i - 1);
    if (AddEllipsis) candidate += u"...";
    if (Canvas->TextWidth(candidate) < MaxWidth) {
      Result = candidate;
      return;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Numbers

bool IsRangeSeparator(Char C) { return C == u',' || C == u'-' || C == u';'; }

Byte NumberTextKind(const String& S) {
  if (S.empty()) return 2;
  Char ts = LocaleThousandSeparator(), ds = LocaleDecimalSeparator();
  bool hex = true, integer = true, real = true;
  Integer minus = 0, decimals = 0, lastTs = 0;
  for (std::size_t i = 0; i < S.size(); ++i) {
    Char c = S[i];
    auto pos = static_cast<Integer>(i + 1);
    bool digit = c >= u'0' && c <= u'9';
    bool hexLetter = (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    if (c == u'-') {
      ++minus;
      // A minus sign belongs in front; anywhere else it makes the text plain text.
      if (pos > 1) return 2;
    }
    if (c == ds) ++decimals;
    if (!(digit || hexLetter || c == u'-')) hex = false;
    if (!(digit || c == u'-')) integer = false;
    if (!(digit || c == u',' || c == u'-' || c == u'.')) real = false;
    if (c == ts) {
      if (pos == 1 || (lastTs > 0 && pos - lastTs <= 2)) real = false;
      lastTs = pos;
    }
  }
  if (minus > 1 || decimals > 1) return 2;
  if (integer) return 0;
  if (real) return 1;
  if (hex) return 5;
  return 2;
}

String StripThousandSeparators(const String& S) {
  String out = S;
  out.erase(std::remove(out.begin(), out.end(), LocaleThousandSeparator()), out.end());
  return out;
}

Integer HexDigitValue(Char C) {
  if (C >= u'0' && C <= u'9') return C - u'0';
  if (C >= u'A' && C <= u'F') return C - u'A' + 10;
  if (C >= u'a' && C <= u'f') return C - u'a' + 10;
  return 0;
}

Integer HexTextToInt(const String& S) {
  bool negative = !S.empty() && S[0] == u'-';
  Int64 value = 0;
  for (std::size_t i = negative ? 1 : 0; i < S.size(); ++i) {
    value = value * 16 + HexDigitValue(S[i]);
    if (value > static_cast<Int64>(INT32_MAX) + 1) return 0;
  }
  if (negative) value = -value;
  return value < INT32_MIN || value > INT32_MAX ? 0 : static_cast<Integer>(value);
}

String CaseFold(const String& S, bool CaseSensitive) { return CaseSensitive ? S : AnsiUpperCase(S); }

// ---------------------------------------------------------------------------------------------
// TWinCtrl

void TWinCtrl::PaintCtrls(TWinControl* Control, HDC DC, TControl* First) {
  if (!Control) return;
  // The protected painter reached through this class, as a member of the control's own class.
  auto paint = &TWinCtrl::PaintControls;
  (Control->*paint)(DC, First);
}

void TWinCtrl::PaintWnd(TWinControl* Control, HDC DC) {
  if (!Control) return;
  auto paint = &TWinCtrl::PaintWindow;
  (Control->*paint)(DC);
}
