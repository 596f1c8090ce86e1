// The clock's style presets and the face colours of the library's styles.
#include <algorithm>
#include <optional>

#include "lib/dropdown/NeoWatch.h"
#include "platform/rtl/Math.h"

namespace {

// The parts of a font a preset sets; what it leaves empty keeps its previous value.
struct TFontPreset {
  std::optional<TColor> Color;
  std::optional<Integer> Size;
  const char16_t* Name = nullptr;
  std::optional<TFontStyles> Style;
};

void ApplyFont(TFont* Font, const TFontPreset& P) {
  if (P.Color) Font->SetColor(*P.Color);
  if (P.Size) Font->SetSize(*P.Size);
  if (P.Name) Font->SetName(P.Name);
  if (P.Style) Font->SetStyle(*P.Style);
}

const TFontStyles Regular{};
const TFontStyles Bold{fsBold};
constexpr TColor None = clNone;

}  // namespace

void TNeoWatch::SetStyle(TWatchStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (Value == wsCustom) return;
  TWatchAppearance* a = FAppearance.get();
  a->SetDefaults();
  TFont* hourFont = a->GetHourFont();
  TFont* ampmFont = a->GetAMPMFont();
  const Integer side = std::min(GetHeight(), GetWidth());
  switch (Value) {
    case wsClassic:
      ApplyFont(ampmFont, {{}, {}, u"MS Sans Serif", Regular});
      ApplyFont(hourFont, {{}, 10, u"Comic Sans MS", Bold});
      a->SetHourMarkLength(8);
      a->SetHourPointer(0x000000);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      SetAnimation(true);
      SetAnimationFactor(10);
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsTower:
      ApplyFont(ampmFont, {{}, {}, u"MS Sans Serif", Regular});
      a->SetAMPMFrame(apRect);
      a->SetBorderWidth(1);
      a->SetBackgroundColor(0xB1F0FE);
      a->SetBackgroundGradient(wgDiagonalForward);
      a->SetCenterPointColor(0x002BD5);
      a->SetCenterPointSize(6);
      ApplyFont(hourFont, {clWindowText, {}, u"Century", Bold});
      a->SetHourPointer(0x000000);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetSecondPointer(0x002BD5);
      a->SetShape(wsRect);
      a->SetPointerStyle(psPointer);
      a->SetBackgroundColorTo(0x5BCCE8);
      a->SetAMPMColor(a->GetBackgroundColor());
      SetShowNumbers(false);
      a->SetTickMarks(tmHours);
      break;
    case wsFluorescent:
      ApplyFont(ampmFont, {clWindowText, 10, u"MS Sans Serif", Regular});
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(0xFF3E3E);
      a->SetBackgroundColor(0x000000);
      a->SetBackgroundColorTo(0x000000);
      a->SetCenterPointColor(0xFF3E3E);
      a->SetCenterPointBorderColor(0x000000);
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetCenterPointSize(20);
      ApplyFont(hourFont, {clWindowText, 8, u"MS Sans Serif", Regular});
      a->SetHourColor(0xFF3E3E);
      a->SetHourMarkLength(10);
      a->SetHourPointer(0xFF3E3E);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(2);
      a->SetMinuteColor(0xFF3E3E);
      a->SetMinutePointer(0xFF3E3E);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinutePointerSize(2);
      a->SetShape(wsRoundRect);
      a->SetHourMarkWidth(2);
      a->SetHourMarkStyle(hmsQuartDblLine);
      a->SetTickMarks(tmHours);
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsEmerald:
      ApplyFont(ampmFont, {0xA00000, {}, u"MS Sans Serif", Regular});
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(0x3AE800);
      a->SetBackgroundColor(0x3AE800);
      a->SetBackgroundColorTo(0x000000);
      a->SetBackgroundGradient(wgDiagonalForward);
      a->SetCenterPointBorderColor(0x40FF00);
      a->SetCenterPointColor(0x38E100);
      a->SetCenterPointSize(16);
      ApplyFont(hourFont, {{}, {}, u"MS Sans Serif", Regular});
      a->SetHourPointer(0x40FF00);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinutePointer(0x40FF00);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetShape(wsRect);
      a->SetPointerStyle(psPointer);
      a->SetAMPMColor(None);
      hourFont->SetColor(a->GetBackgroundColor());
      a->SetHourColor(a->GetBackgroundColor());
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetHourMarkStyle(hmsQuartDblLine);
      a->SetSecondPointer(0x00FFFF);
      a->SetTickMarks(tmHours);
      SetShowNumbers(false);
      SetShowAMPM(false);
      break;
    case wsBlueStar:
      ApplyFont(ampmFont, {0xA00000, 10, u"MS Sans Serif", Regular});
      a->SetAMPMBorderColor(None);
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(0xFFD5D5);
      a->SetBackgroundColor(0xFFD5D5);
      a->SetBackgroundColorTo(0xA00000);
      a->SetBackgroundGradient(wgRadial);
      ApplyFont(hourFont, {{}, 8, u"MS Sans Serif", Regular});
      a->SetHourPointer(0xA00000);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinutePointer(0xA00000);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetShape(wsRoundRect);
      a->SetPointerStyle(psPointer);
      a->SetAMPMColor(None);
      hourFont->SetColor(a->GetBackgroundColor());
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsFuchsia:
      ApplyFont(ampmFont, {clWindowText, 10, u"MS Sans Serif", Regular});
      a->SetAMPMFrame(apRoundRect);
      a->SetBorderColor(0xFFD0FF);
      a->SetBackgroundColor(0x000000);
      a->SetBackgroundColorTo(0x000000);
      a->SetCenterPointBorderColor(0xDD68DD);
      a->SetCenterPointSize(20);
      ApplyFont(hourFont, {clWindowText, 8, u"MS Sans Serif", Regular});
      a->SetHourColor(0xFFD0FF);
      a->SetHourMarkLength(10);
      a->SetHourPointer(0xFFD0FF);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(2);
      a->SetMinuteColor(0xFFD0FF);
      a->SetMinutePointer(0xFFD0FF);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinutePointerSize(2);
      a->SetShape(wsRect);
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetHourMarkWidth(2);
      a->SetHourMarkStyle(hmsQuartDblLine);
      a->SetSecondPointer(0xDD68DD);
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsBlack:
      ApplyFont(ampmFont, {{}, {}, u"MS Sans Serif", Regular});
      a->SetBackgroundColor(0x202020);
      a->SetBackgroundColorTo(None);
      a->SetBorderColor(0x000000);
      a->SetCenterPointBorderColor(0xFFFFFF);
      a->SetCenterPointOuterBorderColor(0xFFFFFF);
      a->SetCenterPointColor(0xFFFFFF);
      a->SetHourColor(0x585858);
      ApplyFont(hourFont, {0xFFFFFF, 11, u"Century Gothic", {}});
      a->SetHourPointer(0xFFFFFF);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinuteColor(0x585858);
      a->SetMinutePointer(0xFFFFFF);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsBlackWhite:
      a->SetBackgroundColor(0xFFFFFF);
      a->SetBackgroundColorTo(None);
      a->SetBorderColor(0x000000);
      a->SetBorderWidth(8);
      a->SetCenterPointBorderColor(0x000000);
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetCenterPointColor(0x000000);
      a->SetCenterPointSize(8);
      a->SetHourColor(0x585858);
      ApplyFont(hourFont, {0x000000, 14, u"Century Gothic", Bold});
      a->SetHourPointer(0x000000);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetHourPointerSize(5);
      a->SetMinutePointer(0x000000);
      a->SetMinutePointerShadow(clBtnShadow);
      a->SetMinuteMarkLength(4);
      a->SetSecondPointer(0x000080);
      a->SetPointerStyle(psPointer);
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsGray:
      ApplyFont(ampmFont, {{}, 10, u"MS Sans Serif", {}});
      a->SetBackgroundColor(0xD1D1D1);
      a->SetBackgroundColorTo(0x6C6C6C);
      a->SetBackgroundGradient(wgRadial);
      a->SetBorderColor(0x454545);
      a->SetCenterPointBorderColor(0x454545);
      a->SetCenterPointColor(0x000000);
      a->SetCenterPointOuterBorderColor(None);
      a->SetHourColor(0x000000);
      ApplyFont(hourFont, {{}, 8, u"Comic Sans MS", Regular});
      a->SetHourPointer(0x4E4E4E);
      a->SetHourPointerShadow(None);
      a->SetHourPointerSize(1);
      a->SetMinuteColor(0x808080);
      a->SetMinutePointer(0x4E4E4E);
      a->SetMinutePointerShadow(None);
      a->SetMinutePointerSize(1);
      a->SetSecondPointer(0x0000FF);
      SetShowAMPM(true);
      SetShowNumbers(true);
      break;
    case wsSuperNova:
      a->SetBackgroundColorTo(0xD1D3D3);
      a->SetBorderColor(None);
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetCenterPointSize(10);
      // Byte-sized values keep the low 8 bits of what is computed.
      a->SetHourMarkLength(static_cast<Byte>(Round(side / 4.5)));
      a->SetHourPointer(0x000000);
      a->SetHourPointerShadow(clBtnShadow);
      a->SetMinuteColor(0x808080);
      a->SetMinuteMarkLength(static_cast<Byte>(side / 3));
      a->SetMinutePointer(0x000000);
      SetShowAMPM(false);
      SetShowNumbers(false);
      break;
    case wsSports:
      a->SetBackgroundColor(0x000000);
      a->SetBackgroundColorTo(None);
      a->SetBorderColor(0x000000);
      a->SetBorderWidth(1);
      a->SetCenterPointBorderColor(0xFF0000);
      a->SetCenterPointOuterBorderColor(0x000000);
      a->SetCenterPointColor(0x191919);
      a->SetCenterPointSize(static_cast<Byte>(Round(side / 3.6)));
      a->SetHourColor(0xABB0B1);
      ApplyFont(hourFont, {0x797979, 9, u"Times New Roman", {}});
      a->SetHourPointer(0x0000FF);
      a->SetHourPointerShadow(None);
      a->SetHourPointerSize(2);
      a->SetMinuteColor(0x808080);
      a->SetMinutePointer(0x00FFFF);
      a->SetMinutePointerSize(2);
      a->SetMinutePointerShadow(None);
      a->SetMinuteMarkLength(1);
      a->SetSecondPointer(0x188BFE);
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsSmooth:
      a->SetBackgroundColor(0xFFFFFF);
      a->SetBackgroundColorTo(0xABB0B1);
      a->SetBorderColor(0x585858);
      a->SetBorderWidth(1);
      a->SetCenterPointBorderColor(0x000000);
      a->SetCenterPointOuterBorderColor(0x4A4A4A);
      a->SetCenterPointColor(0xFFFFFF);
      a->SetCenterPointSize(6);
      a->SetHourColor(0xABB0B1);
      ApplyFont(hourFont, {0x797979, 9, u"Times New Roman", {}});
      a->SetHourPointer(0x4A4A4A);
      a->SetHourPointerShadow(0xB2B2B2);
      a->SetHourPointerSize(2);
      a->SetMinuteColor(0x808080);
      a->SetMinutePointer(0x4A4A4A);
      a->SetMinutePointerSize(2);
      a->SetMinutePointerShadow(0xB2B2B2);
      a->SetMinuteMarkLength(1);
      a->SetSecondPointer(0x4A4A4A);
      a->SetTickMarks(tmQuartHours);
      SetShowAMPM(false);
      SetShowNumbers(true);
      break;
    case wsCustom: break;
  }
}

namespace {

const TWatchStyleColors StyleColors[] = {
    {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xD68759,
     0xFFFFFF, 0xD68759, 0xFFFFFF, 0xD68759, 0xFFFFFF},
    {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5,
     0xFFFFFF, 0xBDA4A5, 0xFFFFFF, 0xBDA4A5, 0xFFFFFF},
    {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF,
     0xFFFFFF, 0x82C0AF, 0xFFFFFF, 0x82C0AF, 0xFFFFFF},
    {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080,
     0xFFFFFF, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
    {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0x723708,
     0xFFFFFF, 0x723708, 0xFFFFFF, 0x723708, 0x723708},
    {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0, 0xF2F1F0,
     0xFFFFFF, 0xF2F1F0, 0xFFFFFF, 0xF2F1F0, 0xF2F1F0, 0xF2F1F0},
    {tsWindowsXP, 0x000000, clBtnFace, clBtnFace, clBtnFace, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000,
     0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0x000000},
    {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF,
     0x7E9898, 0xFFFFFF, 0x7E9898, 0x7E9898},
    {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F, 0x74706F,
     0xFFFFFF, 0x74706F, 0xFFFFFF, 0x74706F, 0x74706F},
    {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A,
     0xFFFFFF, 0xFEDF9A, 0xFFFFFF, 0xFEDF9A, 0xFEDF9A},
    {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF,
     0xFBD6B8, 0xFFFFFF, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080,
     0xFFFFFF, 0x808080, 0xFFFFFF, 0x808080, 0x808080},
    {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F,
     0xFFFFFF, 0xC7B29F, 0xFFFFFF, 0xC7B29F, 0xC7B29F},
    {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8,
     0xC0C0C0, 0xD2CDC8, 0xC0C0C0, 0xD2CDC8, 0xD2CDC8},
    {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D,
     0xFFFFFF, 0x6D6D6D, 0xFFFFFF, 0x6D6D6D, 0x6D6D6D},
};

}  // namespace

const TWatchStyleColors* FindWatchStyleColors(TNeoStyle Style) {
  const auto row =
      std::find_if(std::begin(StyleColors), std::end(StyleColors), [&](const TWatchStyleColors& R) { return R.Style == Style; });
  return row == std::end(StyleColors) ? nullptr : row;
}

void ApplyWatchStyleColors(TWatchAppearance* A, const TWatchStyleColors* Row) {
  A->SetCenterPointOuterBorderColor(0x000000);
  A->GetHourFont()->SetColor(0x000000);
  A->GetAMPMFont()->SetColor(0x000000);
  if (!Row) return;
  A->SetAMPMBorderColor(Row->AMPMBorderColor);
  A->SetAMPMColor(Row->AMPMColor);
  A->SetBackgroundColor(Row->BackgroundColor);
  A->SetBackgroundColorTo(Row->BackgroundColorTo);
  A->SetBorderColor(Row->BorderColor);
  A->SetCenterPointBorderColor(Row->CenterPointBorderColor);
  A->SetCenterPointColor(Row->CenterPointColor);
  A->SetHourColor(Row->HourColor);
  A->SetMinuteColor(Row->MinuteColor);
  A->SetHourPointerShadow(Row->HourPointerShadow);
  A->SetHourPointer(Row->HourPointer);
  A->SetMinutePointerShadow(Row->MinutePointerShadow);
  A->SetMinutePointer(Row->MinutePointer);
  A->SetSecondPointer(Row->SecondPointer);
  if (Row->FontColor != clNone) {
    A->GetAMPMFont()->SetColor(Row->FontColor);
    A->GetHourFont()->SetColor(Row->FontColor);
  }
}

void TNeoWatch::SetComponentStyle(TNeoStyle AStyle) {
  if (AStyle == tsCustom) return;
  ApplyWatchStyleColors(FAppearance.get(), FindWatchStyleColors(AStyle));
}
