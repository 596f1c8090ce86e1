// The dropdown edit's style colours: one constant row per visual style for the edit, the popup
// with its header and footer, the header and footer buttons and the drop button, applied by one
// routine. Keep marks a colour a style leaves as it is (which is not clNone, "no colour").
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownEditButton.h"
#include "lib/dropdown/NeoItemSelector.h"

namespace {

constexpr TColor Keep = static_cast<TColor>(0x2FFFFFFF);
constexpr TColor C(Cardinal V) { return static_cast<TColor>(V); }

struct TBarColors {
  TColor Color, ColorTo, Font, Border;
};

struct TPopupColors {
  TColor Color, ColorTo, Border;
  TBarColors Header, Footer;
};

// In the order Color, ColorTo, BorderColor, then Hot, Down, Disabled and Checked likewise; then the
// font colour.
struct TButtonColors {
  TColor Color, ColorTo, BorderColor, ColorHot, ColorHotTo, BorderColorHot, ColorDown, ColorDownTo, BorderColorDown,
      ColorDisabled, ColorDisabledTo, BorderColorDisabled, ColorChecked, ColorCheckedTo, BorderColorChecked, Font;
};

// ButtonColor, ButtonColorHot, ButtonColorDown, ButtonTextColor, ButtonTextColorHot, ButtonTextColorDown.
struct TDropButtonColors {
  TColor Color, Hot, Down, Text, TextHot, TextDown;
};

TPopupColors PopupColors(TNeoStyle S) {
  auto same = [](TColor Color, TColor ColorTo, TColor Font, TColor Border) {
    return TBarColors{Color, ColorTo, Font, Border};
  };
  switch (S) {
    case tsOffice2003Blue:
      return {C(0xFFFFFF), clNone, Keep, same(C(0xFCE1CB), C(0xE0A57D), 0, 0), same(C(0xFCE1CB), C(0xE0A57D), 0, C(0x962D00))};
    case tsOffice2003Silver: {
      const TBarColors b = same(C(0xECE2E1), C(0xB39698), 0, C(0x947C7C));
      return {C(0xFFFFFF), clNone, Keep, b, b};
    }
    case tsOffice2003Olive: {
      const TBarColors b = same(C(0xCFF0EA), C(0x8CC0B1), 0, C(0x588060));
      return {C(0xFFFFFF), clNone, clNone, b, b};
    }
    case tsOffice2003Classic: {
      const TBarColors b = same(C(0x808080), C(0x808080), C(0xFFFFFF), C(0x808080));
      return {C(0xF2F2F2), C(0xF2F2F2), clNone, b, b};
    }
    case tsOffice2007Luna: {
      const TBarColors b = same(C(0xFFEFE3), C(0xFFD2AF), C(0x723708), C(0xFFD2AF));
      return {C(0xF3E5DA), C(0xF0DED0), clNone, b, b};
    }
    case tsOffice2007Obsidian: {
      const TBarColors b = same(C(0xF2F1F0), C(0xC9C2BD), C(0x433C37), C(0x5C534C));
      return {C(0xFFFFFF), clNone, clNone, b, b};
    }
    case tsWindowsXP: {
      const TBarColors b = same(C(0xFFFFFF), clBtnFace, 0, C(0x808080));
      return {C(0xFFFFFF), clNone, Keep, b, b};
    }
    case tsWhidbey: {
      const TBarColors b = same(C(0xEBEEEF), C(0x7E9898), C(0xFFFFFF), C(0x962D00));
      return {C(0xF5F9FA), C(0xF5F9FA), clNone, b, b};
    }
    case tsOffice2007Silver: {
      const TBarColors b = same(C(0xF8F7F6), C(0xE8E0DB), C(0x8B4215), C(0x74706F));
      return {C(0xF8F4F1), C(0xF0E8E3), clNone, b, b};
    }
    case tsWindowsVista:
      return {C(0xFFFFFF), C(0xFFFFFF), C(0x979797), same(C(0xFFFDF9), C(0xFFFAF0), 0, C(0xFCF2DA)),
              same(C(0xFFFAF0), C(0xFFFDF9), 0, C(0xFCF2DA))};
    case tsWindows7: {
      const TBarColors b = same(C(0xFDFBFA), C(0xFDF3EB), 0, C(0xFBD6B8));
      return {C(0xFFFFFF), C(0xFFFFFF), C(0x979797), b, b};
    }
    case tsTerminal: {
      const TBarColors b = same(clBtnFace, clBtnFace, 0, clNone);
      return {C(0xFFFFFF), C(0xFFFFFF), C(0x808080), b, b};
    }
    case tsOffice2010Blue: {
      const TBarColors b = same(C(0xFDF6EF), C(0xF0DAC7), C(0x5B391E), C(0xC7B29F));
      return {C(0xFFFFFF), C(0xF1EFED), C(0xEDEDEC), b, b};
    }
    case tsOffice2010Silver: {
      const TBarColors b = same(C(0xFFFFFF), C(0xEDE5E0), C(0x5B391E), C(0xD2CDC8));
      return {C(0xFFFFFF), C(0xF1EFED), C(0xEDEDEC), b, b};
    }
    case tsOffice2010Black: {
      const TBarColors b = same(C(0xBFBFBF), C(0x919191), C(0xD7D7D6), C(0x6D6D6D));
      return {C(0xFFFFFF), C(0xF1EFED), C(0xEDEDEC), b, b};
    }
    case tsWindows8: case tsWindows10: {
      const TBarColors b = same(C(0xF7F6F5), C(0xF7F6F5), 0, C(0xE4E3E2));
      return {C(0xFFFFFF), C(0xFFFFFF), C(0xE4E3E2), b, b};
    }
    case tsOffice2013White: {
      const TBarColors b = same(C(0xFFFFFF), clNone, 0, C(0xD4D4D4));
      return {C(0xFFFFFF), clNone, C(0xD4D4D4), b, b};
    }
    case tsOffice2013LightGray: {
      const TBarColors b = same(C(0xF6F6F6), clNone, 0, C(0xC6C6C6));
      return {C(0xFFFFFF), clNone, C(0xD4D4D4), b, b};
    }
    case tsOffice2013Gray: {
      const TBarColors b = same(C(0xE5E5E5), clNone, 0, C(0xABABAB));
      return {C(0xFFFFFF), clNone, C(0xD4D4D4), b, b};
    }
    case tsOffice2016White: {
      const TBarColors b = same(C(0xFFFFFF), clNone, C(0x505050), C(0xD4D4D4));
      return {C(0xFFFFFF), clNone, C(0xD4D4D4), b, b};
    }
    case tsOffice2016Gray: {
      const TBarColors b = same(C(0x444444), clNone, C(0xF0F0F0), C(0x444444));
      return {C(0xB2B2B2), clNone, C(0x444444), b, b};
    }
    case tsOffice2016Black: {
      const TBarColors b = same(C(0x444444), clNone, C(0xF0F0F0), C(0x444444));
      return {C(0x363636), clNone, C(0x444444), b, b};
    }
    case tsOffice2019White: {
      const TBarColors b = same(C(0xFFFFFF), clNone, C(0x5E5E5E), C(0xABABAB));
      return {C(0xFFFFFF), clNone, C(0xC4C6C8), b, b};
    }
    case tsOffice2019Gray: {
      const TBarColors b = same(C(0xB8BBBE), clNone, C(0x232425), C(0x808080));
      return {C(0xB8BBBE), clNone, C(0x666666), b, b};
    }
    case tsOffice2019Black: {
      const TBarColors b = same(C(0x444444), clNone, C(0xFFFFFF), C(0x444648));
      return {C(0x444444), clNone, C(0xADB0B3), b, b};
    }
    case tsCustom: break;
  }
  const TBarColors keep{Keep, Keep, Keep, Keep};
  return {Keep, Keep, Keep, keep, keep};
}

TButtonColors ButtonColors(TNeoStyle S) {
  const TColor none = clNone, text = clWindowText;
  // The Office 2003 / 2007 / Whidbey family: its own Color and ColorTo, the rest shared.
  auto office = [&](TColor Color, TColor ColorTo) {
    return TButtonColors{Color,       ColorTo,     none,        C(0xEBFDFF), C(0xACECFF), C(0x99CEDB),
                         C(0xAAD9FF), C(0x6EBBFF), C(0x42AEFE), C(0xF2F2F2), C(0xB6B6B6), Keep,
                         C(0x76AFF1), C(0x4190F3), C(0x45667B), text};
  };
  auto office2010 = [&](TColor Color, TColor ColorTo, TColor Border) {
    return TButtonColors{Color,       ColorTo, Border,      C(0x8AE3FD), none, C(0x58CAF1), C(0x6CD0FF), none,
                         C(0x308AC2), C(0xF2F2F2), C(0xB6B6B6), Keep, C(0x45E1FE), none, C(0x4FA0CE), text};
  };
  auto office2013 = [&](TColor Color, TColor Border) {
    return TButtonColors{Color, none, Border, C(0xFCF0E4), none, C(0xEAB47E), C(0xFCE2C8), none, C(0xE59D56),
                         C(0xEEEEEE), none, C(0xACACAC), C(0xFF9933), none, C(0xFF9933), text};
  };
  auto office2016 = [&](TColor Color, TColor Border) {
    return TButtonColors{Color, none, Border, C(0xF2E1D5), none, C(0xF2E1D5), C(0xE3BDA3), none, C(0xE3BDA3),
                         Color, none, Border, C(0xF2D5C2), none, C(0xF2D5C2), text};
  };
  switch (S) {
    case tsOffice2003Blue: return office(C(0xFCE1CB), C(0xE0A57D));
    case tsOffice2003Silver: return office(C(0xECE2E1), C(0xB39698));
    case tsOffice2003Olive: return office(C(0xCFF0EA), C(0x8CC0B1));
    case tsOffice2007Luna: return office(C(0xFFEFE3), C(0xFFDDC4));
    case tsOffice2007Obsidian: return office(C(0xF2F1F0), C(0xC9C2BD));
    case tsWhidbey: return office(C(0xFFFFFF), C(0xDFEDF0));
    case tsOffice2007Silver: return office(C(0xF9F8F8), C(0xE4E2DF));
    case tsOffice2003Classic:
      return {C(0xFFFFFF), C(0xC9D1D5), none,        C(0xD2BDB6), C(0xD2BDB6), C(0x808080), C(0xB59285), C(0xB59285),
              C(0x808080), C(0xD8D5D4), C(0xD8D5D4), Keep,        C(0xD8D5D4), C(0xD8D5D4), C(0x808080), text};
    case tsWindowsXP:
      return {C(0xFFFFFF), clBtnFace,   none, C(0xEFD3C6), C(0xEFD3C6), clHighlight, clInactiveCaption, clInactiveCaption,
              clHighlight, C(0xB6B6B6), C(0xB6B6B6), Keep, C(0xB9D8DC), C(0xB9D8DC), C(0x000000), text};
    case tsWindowsVista:
      return {C(0xFFFDF9), C(0xFFFAF0), C(0xFCF2DA), C(0xFEF9F0), C(0xFFFAF0), C(0xFCF2DA), C(0xFEF9F0), C(0xFDF0D7),
              C(0xFEDF9A), C(0xFFFFFF), C(0xFFFFFF), Keep,        C(0xFEF9F0), C(0xFDF0D7), C(0xFEDF9A), text};
    case tsWindows7:
      return {C(0xFDFBFA), C(0xFDF3EB), C(0xFBD6B8), C(0xFDFBFA), C(0xFDF3EB), C(0xFBD6B8), C(0xFCEBDC), C(0xFCDBC1),
              C(0xCEA27D), C(0xFFFFFF), C(0xFFFFFF), Keep,        C(0xFEF9F0), C(0xFCDBC1), C(0xCEA27D), text};
    case tsTerminal:
      return {clBtnFace, clBtnFace, none, C(0xC0C0C0), C(0xC0C0C0), C(0x808080), clHighlight, clHighlight, C(0x808080),
              clBtnFace, clBtnFace, Keep, clBtnFace,   clBtnFace,   clHighlight, text};
    case tsOffice2010Blue: return office2010(C(0xFDF6EF), C(0xF0DAC7), C(0xC7B29F));
    case tsOffice2010Silver: return office2010(C(0xFFFFFF), C(0xEDE5E0), C(0xD2CDC8));
    case tsOffice2010Black: return office2010(C(0xBFBFBF), C(0x919191), C(0xD7D7D6));
    case tsWindows8: case tsWindows10:
      return {C(0xF7F6F5), none, C(0xE4E3E2), C(0xF7EFE8), none, C(0xF9CEA4), C(0xF7E0C9), none, C(0xE4A262),
              C(0xF7F7F7), none, C(0xF7F6F5), C(0xDAA026), none, C(0xDAA026), text};
    case tsOffice2013White: return office2013(C(0xFFFFFF), C(0xD4D4D4));
    case tsOffice2013LightGray: return office2013(C(0xF6F6F6), C(0xC6C6C6));
    case tsOffice2013Gray: return office2013(C(0xE5E5E5), C(0xABABAB));
    case tsOffice2016White: return office2016(C(0xFFFFFF), C(0xD4D4D4));
    case tsOffice2016Gray: return office2016(C(0xB2B2B2), C(0x444444));
    case tsOffice2016Black:
      return {C(0x363636), C(0x363636), C(0x444444), C(0x6A6A6A), C(0x6A6A6A), C(0x6A6A6A), C(0x444444), C(0x444444),
              C(0x444444), C(0x363636), none,        C(0x444444), C(0x575757), C(0x575757), C(0x575757), C(0xA6A6A6)};
    case tsOffice2019White:
      return {C(0xFFFFFF), none, C(0xABABAB), C(0xF2E1D5), none, C(0xE3BDA3), C(0xE3BDA3), none, C(0xE3BDA3),
              C(0xFFFFFF), none, C(0x787775), C(0xE3BDA3), none, C(0xE3BDA3), C(0x444648)};
    case tsOffice2019Gray:
      return {C(0xB8BBBE), none, C(0x808080), C(0x969696), none, C(0x505050), C(0x666666), none, C(0x666666),
              C(0xD4D4D4), none, C(0x303030), C(0x969696), none, C(0x666666), C(0x232425)};
    case tsOffice2019Black:
      return {C(0x444444), C(0x444444), C(0x686868), C(0x686868), C(0x686868), C(0xB5B5B5), C(0x828282), C(0x828282),
              C(0x828282), C(0x444444), none,        C(0xC4C4C4), C(0x686868), C(0x686868), C(0x828282), C(0xFFFFFF)};
    case tsCustom: break;
  }
  return {Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep};
}

// The three Office 2019 styles paint the drop button in explicit colours; every other style
// clears them (and the button's border colour), which selects the themed or classic look.
bool DropButtonColors(TNeoStyle S, TDropButtonColors& Colors) {
  switch (S) {
    case tsOffice2019White: Colors = {C(0xFFFFFF), C(0xF2E1D5), C(0xE3BDA3), C(0x444648), C(0x232425), C(0x232425)}; return true;
    case tsOffice2019Gray: Colors = {C(0xB8BBBE), C(0x969696), C(0x666666), C(0x232425), C(0x232425), C(0x232425)}; return true;
    case tsOffice2019Black: Colors = {C(0x444444), C(0x686868), C(0x828282), C(0xFFFFFF), C(0xFFFFFF), C(0xFFFFFF)}; return true;
    default: return false;
  }
}

// The item colours of the list variants; every colour a style does not name is Keep.
struct TItemColors {
  TColor ColorHot = Keep, ColorHotTo = Keep, ColorMirrorHot = Keep, ColorMirrorHotTo = Keep;
  TColor ColorSelected = Keep, ColorSelectedTo = Keep, ColorMirrorSelected = Keep, ColorMirrorSelectedTo = Keep;
  TColor BorderColor = Keep, BorderColorTop = Keep, BorderColorBottom = Keep, EdgeColor = Keep;
  TColor BorderColorHot = Keep, BorderColorSelected = Keep, ColorSelectedText = Keep, Font = Keep;
};

TItemColors ItemColors(TNeoStyle S) {
  const TColor none = clNone;
  auto office = [&](bool Office2007) {
    TItemColors c{C(0xEBFDFF), C(0xACECFF), C(0x59DAFF), C(0xA4E9FF), C(0xAAD9FF), C(0x6EBBFF), C(0x42AEFE), C(0x7AE1FE),
                  C(0x42AEFE), none, none, none};
    if (Office2007) {
      c.BorderColorTop = C(0xF4FEFF);
      c.BorderColorBottom = C(0xCAF8FF);
      c.EdgeColor = C(0xC3D9DF);
    }
    return c;
  };
  // Flat selected and hot fills with their own borders (Windows 8 and the Office 2013 to 2019 looks).
  auto flat = [&](TColor Selected, TColor BorderSelected, TColor Hot, TColor HotTo, TColor BorderHot) {
    TItemColors c;
    c.ColorSelected = Selected;
    c.ColorSelectedTo = c.ColorMirrorSelected = c.ColorMirrorSelectedTo = none;
    c.BorderColorSelected = BorderSelected;
    c.ColorHot = Hot;
    c.ColorHotTo = HotTo;
    c.ColorMirrorHot = c.ColorMirrorHotTo = none;
    c.BorderColorHot = BorderHot;
    return c;
  };
  const TItemColors office2010{C(0xD9F9FD), C(0x8AE3FD), C(0x8AE3FD), C(0xD9F9FD), C(0x7BEEFF), C(0x6CD0FF), C(0x6CD0FF),
                               C(0x7BEEFF), C(0x308AC2), none, none, none};
  switch (S) {
    case tsOffice2003Blue: case tsOffice2003Silver: case tsOffice2003Olive: case tsWhidbey: return office(false);
    case tsOffice2007Luna: case tsOffice2007Obsidian: case tsOffice2007Silver: return office(true);
    case tsOffice2003Classic:
      return {C(0xD2BDB6), C(0xD2BDB6), none, none, C(0xB59285), C(0xB59285), none, none, C(0x808080), none, none, none};
    case tsWindowsXP: {
      TItemColors c{C(0xEFD3C6), C(0xEFD3C6), none, none, clHighlight, none, none, none, clHighlight, none, none, none};
      c.ColorSelectedText = clHighlightText;
      return c;
    }
    case tsWindowsVista:
      return {C(0xFFFDF9), C(0xFFFAF0), none, none, C(0xFEF9F0), C(0xFDF0D7), none, none,
              C(0xFEDF9A), C(0xFDFBF6), C(0xFDF5E7), C(0xFCEDCB)};
    case tsWindows7:
      return {C(0xFDFBFA), C(0xFDF3EB), none, none, C(0xFCEBDC), C(0xFCDBC1), none, none,
              C(0xCEA27D), C(0xFDF4EB), C(0xFDEADB), C(0xE0C5AE)};
    case tsTerminal: {
      TItemColors c{C(0xC0C0C0), C(0xC0C0C0), none, none, clHighlight, none, none, none, C(0x808080), none, none, none};
      c.ColorSelectedText = clHighlightText;
      return c;
    }
    case tsOffice2010Blue: case tsOffice2010Silver: return office2010;
    case tsOffice2010Black: {
      TItemColors c = office2010;
      c.BorderColor = Keep;
      c.BorderColorHot = C(0x58CAF1);
      c.BorderColorSelected = C(0x308AC2);
      return c;
    }
    case tsWindows8: case tsWindows10: {
      TItemColors c = flat(C(0xF7E0C9), C(0xE4A262), C(0xF7EFE8), C(0xF7EFE8), C(0xF9CEA4));
      c.ColorMirrorHot = c.ColorMirrorHotTo = C(0xF7EFE8);
      return c;
    }
    case tsOffice2013White: case tsOffice2013LightGray: case tsOffice2013Gray:
      return flat(C(0xFCE2C8), C(0xE59D56), C(0xFCF0E4), C(0xFCF0E4), C(0xEAB47E));
    case tsOffice2016White: case tsOffice2019White: return flat(C(0xE3BDA3), C(0xE3BDA3), C(0xF2E1D5), none, C(0xF2E1D5));
    case tsOffice2016Gray: return flat(C(0xE3BDA3), C(0xE3BDA3), C(0xF2E1D5), C(0xF2E1D5), C(0xF2E1D5));
    case tsOffice2016Black: {
      TItemColors c = flat(C(0x444444), C(0x444444), C(0x6A6A6A), C(0x6A6A6A), C(0x6A6A6A));
      c.Font = C(0xFFFFFF);
      return c;
    }
    case tsOffice2019Gray: return flat(C(0x656565), C(0x656565), C(0x969696), none, C(0xB8BBBE));
    case tsOffice2019Black: {
      TItemColors c = flat(C(0x828282), C(0x828282), C(0x505050), C(0x505050), C(0x505050));
      c.Font = C(0xF0F0F0);
      return c;
    }
    case tsCustom: break;
  }
  return {};
}

template <class TSetter> void Apply(TColor Value, TSetter Set) {
  if (Value != Keep) Set(Value);
}

void ApplyBar(TPopupStripAppearance* Bar, const TBarColors& B) {
  Apply(B.Color, [&](TColor V) { Bar->SetColor(V); });
  Apply(B.ColorTo, [&](TColor V) { Bar->SetColorTo(V); });
  Apply(B.Font, [&](TColor V) { Bar->GetFont()->SetColor(V); });
  Apply(B.Border, [&](TColor V) { Bar->SetBorderColor(V); });
}

void ApplyButtons(TNeoButtonAppearance* A, const TButtonColors& B) {
  using TSet = void (TNeoButtonAppearance::*)(TColor);
  const std::pair<TColor, TSet> values[] = {
      {B.Color, &TNeoButtonAppearance::SetColor},
      {B.ColorTo, &TNeoButtonAppearance::SetColorTo},
      {B.BorderColor, &TNeoButtonAppearance::SetBorderColor},
      {B.ColorHot, &TNeoButtonAppearance::SetColorHot},
      {B.ColorHotTo, &TNeoButtonAppearance::SetColorHotTo},
      {B.BorderColorHot, &TNeoButtonAppearance::SetBorderColorHot},
      {B.ColorDown, &TNeoButtonAppearance::SetColorDown},
      {B.ColorDownTo, &TNeoButtonAppearance::SetColorDownTo},
      {B.BorderColorDown, &TNeoButtonAppearance::SetBorderColorDown},
      {B.ColorDisabled, &TNeoButtonAppearance::SetColorDisabled},
      {B.ColorDisabledTo, &TNeoButtonAppearance::SetColorDisabledTo},
      {B.BorderColorDisabled, &TNeoButtonAppearance::SetBorderColorDisabled},
      {B.ColorChecked, &TNeoButtonAppearance::SetColorChecked},
      {B.ColorCheckedTo, &TNeoButtonAppearance::SetColorCheckedTo},
      {B.BorderColorChecked, &TNeoButtonAppearance::SetBorderColorChecked},
  };
  for (const auto& [value, set] : values) Apply(value, [&, set = set](TColor V) { (A->*set)(V); });
  Apply(B.Font, [&](TColor V) { A->GetFont()->SetColor(V); });
}

}  // namespace

void TNeoCustomDropDown::SetComponentStyle(TNeoStyle AStyle) {
  FNeoStyle = AStyle;
  if (AStyle == tsCustom) return;
  switch (AStyle) {
    case tsOffice2019White: SetColor(C(0xFFFFFF)); GetFont()->SetColor(C(0x444648)); break;
    case tsOffice2019Gray: SetColor(C(0xB8BBBE)); GetFont()->SetColor(C(0x232425)); break;
    case tsOffice2019Black: SetColor(C(0x444444)); GetFont()->SetColor(C(0xFFFFFF)); break;
    default: SetColor(clWindow); GetFont()->SetColor(clWindowText); break;
  }
  const TPopupColors popup = PopupColors(AStyle);
  Apply(popup.Color, [this](TColor V) { SetDropDownColor(V); });
  Apply(popup.ColorTo, [this](TColor V) { SetDropDownColorTo(V); });
  Apply(popup.Border, [this](TColor V) { SetDropDownBorderColor(V); });
  ApplyBar(FDropDownHeader.get(), popup.Header);
  ApplyBar(FDropDownFooter.get(), popup.Footer);
  FButtonAppearance->GetFont()->SetColor(clWindowText);
  ApplyButtons(FButtonAppearance.get(), ButtonColors(AStyle));
  if (!FButton) return;
  TDropButtonColors b{};
  if (DropButtonColors(AStyle, b)) {
    FButton->SetButtonColor(b.Color);
    FButton->SetButtonColorHot(b.Hot);
    FButton->SetButtonColorDown(b.Down);
    FButton->SetButtonTextColor(b.Text);
    FButton->SetButtonTextColorHot(b.TextHot);
    FButton->SetButtonTextColorDown(b.TextDown);
  } else {
    for (auto set : {&TDropDownEditButton::SetButtonColor, &TDropDownEditButton::SetButtonColorHot,
                     &TDropDownEditButton::SetButtonColorDown, &TDropDownEditButton::SetButtonTextColor,
                     &TDropDownEditButton::SetButtonTextColorHot, &TDropDownEditButton::SetButtonTextColorDown,
                     &TDropDownEditButton::SetButtonBorderColor})
      (FButton->*set)(clNone);
  }
  FButton->Invalidate();
}

void TNeoCustomDropDown::SetColorTones(TColorTones ATones) {
  if (FButton) {
    FButton->SetButtonColor(ATones.Background.BrushColor);
    FButton->SetButtonColorHot(ATones.Hover.BrushColor);
    FButton->SetButtonColorDown(ATones.Selected.BrushColor);
    FButton->SetButtonBorderColor(ATones.Background.BorderColor);
    // The chevron takes each tone's text colour (window text where a tone has none): left at
    // "no colour" it would not be drawn at all.
    auto text = [](TColor C) { return C == clNone ? clWindowText : C; };
    FButton->SetButtonTextColor(text(ATones.Background.TextColor));
    FButton->SetButtonTextColorHot(text(ATones.Hover.TextColor));
    FButton->SetButtonTextColorDown(text(ATones.Selected.TextColor));
    FButton->Invalidate();
  }
  SetBorderColor(ATones.Background.BorderColor);
}

void TNeoCustomDropDown::SetItemAppearanceStyle(TItemAppearance* Appearance, TNeoStyle AStyle) {
  FNeoStyle = AStyle;
  if (AStyle == tsCustom || !Appearance) return;
  Appearance->SetBorderColorHot(clNone);
  Appearance->SetBorderColorSelected(clNone);
  Appearance->SetColorSelectedText(0);
  Appearance->SetColorHotText(0);
  Appearance->GetFont()->SetColor(0);
  const TItemColors c = ItemColors(AStyle);
  using TSet = void (TItemAppearance::*)(TColor);
  const std::pair<TColor, TSet> values[] = {
      {c.ColorHot, &TItemAppearance::SetColorHot},
      {c.ColorHotTo, &TItemAppearance::SetColorHotTo},
      {c.ColorMirrorHot, &TItemAppearance::SetColorMirrorHot},
      {c.ColorMirrorHotTo, &TItemAppearance::SetColorMirrorHotTo},
      {c.ColorSelected, &TItemAppearance::SetColorSelected},
      {c.ColorSelectedTo, &TItemAppearance::SetColorSelectedTo},
      {c.ColorMirrorSelected, &TItemAppearance::SetColorMirrorSelected},
      {c.ColorMirrorSelectedTo, &TItemAppearance::SetColorMirrorSelectedTo},
      {c.BorderColor, &TItemAppearance::SetBorderColor},
      {c.BorderColorTop, &TItemAppearance::SetBorderColorTop},
      {c.BorderColorBottom, &TItemAppearance::SetBorderColorBottom},
      {c.EdgeColor, &TItemAppearance::SetEdgeColor},
      {c.BorderColorHot, &TItemAppearance::SetBorderColorHot},
      {c.BorderColorSelected, &TItemAppearance::SetBorderColorSelected},
      {c.ColorSelectedText, &TItemAppearance::SetColorSelectedText},
  };
  for (const auto& [value, set] : values) Apply(value, [&, set = set](TColor V) { (Appearance->*set)(V); });
  Apply(c.Font, [&](TColor V) { Appearance->GetFont()->SetColor(V); });
}
