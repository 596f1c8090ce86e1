// The drop button's looks and the edit's own frames, headless: golden sheets at tolerance 0 of each
// look in four states at 100 % and 150 %, of the chevron at four scales, of the frames, the flat
// edit, the pick-only focus highlight and the empty-text hint; pixel checks of the frame rules;
// the drop button's initial 16 pixels.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "lib/base/ATXPVS.h"
#include "lib/dropdown/NeoColorPickerDropDown.h"
#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr TColor C(Cardinal V) { return static_cast<TColor>(V); }
std::uint32_t Px(TColor Color) { return ColorRefToPixel(ColorToRGB(Color)); }

class DropButtonLook : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Headless::SetDpi(96);
    RegisterThemeLibrary();
    ATXPVS::LoadThemeFunctions();
  }
  void TearDown() override {
    SetThemeActive(true);
    UiTest::TearDown();
    ATXPVS::FreeThemeLibrary();
    Headless::SetDpi(96);
  }
  // A dropdown on F at (X, Y), made at 96 dpi.
  static TNeoDropDown* NewDropDown(TForm* F, Integer X, Integer Y, Integer W) {
    auto* d = Add<TNeoDropDown>(F, X, Y, W, 21);
    d->SetText(u"Text");
    return d;
  }
  // The display goes to Dpi and the shown form F, made at 96 dpi, scales as on a move there.
  static void ScaleShownForm(Integer Dpi, TWinControl* F) {
    Headless::SetDpi(Dpi);
    F->ChangeScale(Dpi, 96);
  }
  // A 7 x 4 black arrow on fuchsia (the bottom-left pixel: transparent).
  static void SetArrowGlyph(TBitmap* Glyph) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(7, 4);
    b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
    b.GetCanvas()->FillRect(TRect{0, 0, 7, 4});
    for (Integer y = 0; y < 4; ++y)
      for (Integer x = y; x < 7 - y; ++x) b.GetCanvas()->SetPixels(x, y, clBlack);
    Glyph->Assign(&b);
  }
};

enum TLookState { lsNormal, lsHot, lsDown, lsDisabled };

void SetButtonState(TNeoDropDown* D, TLookState State) {
  TNeoDropDownSpeedButton* b = D->GetButton()->GetButton();
  switch (State) {
    case lsNormal: break;
    case lsHot: b->Perform(CM_MOUSEENTER, 0, 0); break;
    case lsDown:
      b->SetGroupIndex(1);
      b->SetAllowAllUp(true);
      b->SetDown(true);
      break;
    case lsDisabled: D->SetEnabled(false); break;
  }
}

struct TLook {
  const char* Name;
  std::function<void(TNeoDropDown*)> Setup;
};

void PushButton(TNeoDropDown* D, const String& Caption, bool Flat, bool Etched) {
  TNeoDropDownSpeedButton* b = D->GetButton()->GetButton();
  b->SetButtonStyle(bsButton);
  b->SetFlat(Flat);
  b->SetEtched(Etched);
  D->SetDropDownButtonCaption(Caption);
}

}  // namespace

// Rows of looks, columns normal, hot, down, disabled; the themed looks and the classic ones, each
// at 100 % and 150 %.
TEST_F(DropButtonLook, GoldenLooksInFourStates) {
  const TLook themed[] = {
      {"glyph", [](TNeoDropDown* D) { SetArrowGlyph(D->GetDropDownButtonGlyph()); }},
      {"combo", [](TNeoDropDown*) {}},
      {"colours",
       [](TNeoDropDown* D) {
         D->SetComponentStyle(tsOffice2019White);
         D->SetBorderColor(C(0xABABAB));
       }},
      {"push, caption", [](TNeoDropDown* D) { PushButton(D, u"...", false, false); }},
      {"push, glyph",
       [](TNeoDropDown* D) {
         PushButton(D, u"", false, false);
         SetArrowGlyph(D->GetDropDownButtonGlyph());
       }},
  };
  const TLook classic[] = {
      {"classic", [](TNeoDropDown*) {}},
      {"flat", [](TNeoDropDown* D) { PushButton(D, u"...", true, false); }},
      {"flat, etched", [](TNeoDropDown* D) { PushButton(D, u"...", true, true); }},
      {"speed button", [](TNeoDropDown* D) { PushButton(D, u"...", false, false); }},
  };
  struct TSheet {
    const char* Name;
    bool Themed;
    const TLook* Looks;
    std::size_t Count;
  };
  const TSheet sheets[] = {{"drop-button-themed", true, themed, std::size(themed)},
                           {"drop-button-classic", false, classic, std::size(classic)}};
  for (const TSheet& sheet : sheets)
    for (Integer dpi : {96, 144}) {
      SCOPED_TRACE(std::string(sheet.Name) + " " + std::to_string(dpi));
      SetThemeActive(sheet.Themed);
      Headless::SetDpi(96);
      TForm* f = NewForm(400, 40 * static_cast<Integer>(sheet.Count));
      auto* focus = Add<TButton>(f, 370, 10, 20, 20);
      std::vector<TNeoDropDown*> all;
      for (std::size_t i = 0; i < sheet.Count; ++i)
        for (TLookState state : {lsNormal, lsHot, lsDown, lsDisabled}) {
          TNeoDropDown* d = NewDropDown(f, 10 + 90 * state, 10 + 40 * static_cast<Integer>(i), 80);
          sheet.Looks[i].Setup(d);
          all.push_back(d);
        }
      Headless::SetDpi(dpi);   // the form scales from 96 dpi as its window is made
      f->Show();
      focus->SetFocus();
      Pump();
      for (std::size_t k = 0; k < all.size(); ++k) SetButtonState(all[k], static_cast<TLookState>(k % 4));
      Pump();
      TGoldenSheet pictures;
      for (std::size_t k = 0; k < all.size(); ++k) {
        if (k > 0 && k % 4 == 0) pictures.NewRow();
        pictures.Add(all[k]->GetHandle());
      }
      pictures.ExpectMatches((std::string(sheet.Name) + (dpi == 96 ? "-100" : "-150") + ".png").c_str());
      delete f;
    }
}

// The chevron of explicit colours at display scales 1.0 and 1.25 (Round odd) and 1.5 and 2.0
// (even); with a one-pixel pen its outermost pixels lie Round(S * 3) from the centre column when
// odd and Round(S * 4) when even.
TEST_F(DropButtonLook, GoldenChevronAtFourScales) {
  struct TCase {
    Integer Dpi;
    int Reach;   // 0: not checked (a two-pixel pen)
  };
  TGoldenSheet pictures;
  for (const TCase c : {TCase{96, 3}, TCase{120, 4}, TCase{144, 6}, TCase{192, 0}}) {
    SCOPED_TRACE(c.Dpi);
    Headless::SetDpi(96);
    TForm* f = NewForm(200, 60);
    TNeoDropDown* d = NewDropDown(f, 10, 10, 150);
    d->SetComponentStyle(tsOffice2019Black);
    Headless::SetDpi(c.Dpi);
    f->Show();
    Pump();
    TDropDownEditButton* button = d->GetButton();
    pictures.Add(button->GetHandle());
    if (c.Reach) {
      const TSurface& s = pictures.Last();
      const int cx = button->GetClientWidth() / 2;
      int left = 1000, right = -1000;
      for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
          if (s.Pixel(x, y) == 0xFFFFFFFFu) {
            left = std::min(left, x - cx);
            right = std::max(right, x - cx);
          }
      EXPECT_EQ(left, -c.Reach);
      EXPECT_EQ(right, c.Reach);
    }
    delete f;
  }
  pictures.ExpectMatches("chevron-scales.png");
}

// A read-only edit paints the themed combo button as a disabled one would.
TEST_F(DropButtonLook, ReadOnlyPaintsTheThemedButtonDisabled) {
  TForm* f = NewForm(200, 120);
  TNeoDropDown* normal = NewDropDown(f, 10, 10, 150);
  TNeoDropDown* readOnly = NewDropDown(f, 10, 40, 150);
  TNeoDropDown* disabled = NewDropDown(f, 10, 70, 150);
  readOnly->SetReadOnly(true);
  disabled->SetEnabled(false);
  f->Show();
  Pump();
  TGoldenSheet pictures;
  const TSurface* shown[3];
  TNeoDropDown* edits[3] = {normal, readOnly, disabled};
  for (int i = 0; i < 3; ++i) {
    pictures.Add(edits[i]->GetButton()->GetHandle());
    shown[i] = &pictures.Last();
  }
  EXPECT_EQ(DifferingPixels(*shown[1], *shown[2], 0), 0);
  EXPECT_GT(DifferingPixels(*shown[0], *shown[2], 0), 0);
}

// ---------------------------------------------------------------------------------------------
// Frames

namespace {

struct TFrameCase {
  const char* Name;
  std::function<void(TNeoDropDown*)> Setup;
  bool Focused;
  TColor Outer;   // the window's pixel (0, 0); clNone: not the focus colour
  TColor Inner;   // the pixel (1, 1); clNone: not checked
};

}  // namespace

// Each frame rule as the window shows it, checked at its corner pixels and kept in one sheet with
// the flat edit, the pick-only highlight and the empty-text hint.
TEST_F(DropButtonLook, FramesFollowColoursFocusAndState) {
  const TColor red = C(0x0000FF), blue = C(0xFF0000), ground = C(0xE0FFE0);
  TForm* f = NewForm(400, 500);
  f->SetColor(ground);
  auto* other = Add<TButton>(f, 300, 10, 80, 25);
  const TFrameCase cases[] = {
      {"border colour", [&](TNeoDropDown* D) { D->SetBorderColor(red); }, false, red, clNone},
      {"both colours, unfocused",
       [&](TNeoDropDown* D) {
         D->SetBorderColor(red);
         D->SetFocusBorderColor(blue);
       },
       false, red, clNone},
      {"both colours, focused",
       [&](TNeoDropDown* D) {
         D->SetBorderColor(red);
         D->SetFocusBorderColor(blue);
       },
       true, blue, clNone},
      {"focus colour, unfocused", [&](TNeoDropDown* D) { D->SetFocusBorderColor(blue); }, false, clNone, clNone},
      {"focus colour, focused", [&](TNeoDropDown* D) { D->SetFocusBorderColor(blue); }, true, blue, clNone},
      {"disabled",
       [&](TNeoDropDown* D) {
         D->SetBorderColor(red);
         D->SetFocusBorderColor(blue);
         D->SetEnabled(false);
       },
       false, C(0xC0C0C0), clNone},
      {"disabled, no disabled border",
       [&](TNeoDropDown* D) {
         D->SetBorderColor(red);
         D->SetDisabledBorder(false);
         D->SetEnabled(false);
       },
       false, red, clNone},
      {"flat", [](TNeoDropDown* D) { D->SetFlat(true); }, false, ground, ground},
      {"flat, active", [](TNeoDropDown* D) { D->SetFlat(true); }, true, clBtnShadow, clBtnFace},
      {"pick-only, focused", [](TNeoDropDown* D) { D->SetEditorEnabled(false); }, true, clNone, clNone},
      {"empty text",
       [](TNeoDropDown* D) {
         D->SetText(u"");
         D->SetEmptyText(u"Search");
       },
       false, clNone, clNone},
      {"empty text, focused",
       [](TNeoDropDown* D) {
         D->SetText(u"");
         D->SetEmptyText(u"Search");
         D->SetEmptyTextFocused(true);
       },
       true, clNone, clNone},
  };
  f->Show();
  TGoldenSheet pictures;
  Integer y = 10;
  for (const TFrameCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TNeoDropDown* d = NewDropDown(f, 10, y, 150);
    y += 35;
    c.Setup(d);
    Pump();
    if (c.Focused) d->SetFocus();
    else other->SetFocus();
    Pump();
    pictures.Add(d->GetHandle());
    pictures.NewRow();
    const TSurface& s = pictures.Last();
    if (c.Outer == clNone) {
      EXPECT_NE(s.Pixel(0, 0), Px(blue));
    } else {
      EXPECT_EQ(s.Pixel(0, 0), Px(c.Outer));
    }
    if (c.Inner != clNone) {
      EXPECT_EQ(s.Pixel(1, 1), Px(c.Inner));
    }
  }
  pictures.ExpectMatches("dropdown-frames.png");
}

// The focus highlight of a pick-only edit: a black frame from (2, 2) to the drop button, filled
// with clHighlight, only while focused and FocusDraw is on.
TEST_F(DropButtonLook, PickOnlyFocusHighlight) {
  TForm* f = NewForm(300, 100);
  auto* other = Add<TButton>(f, 200, 10, 80, 25);
  TNeoDropDown* d = NewDropDown(f, 10, 10, 150);
  d->SetEditorEnabled(false);
  f->Show();
  struct TCase {
    const char* Name;
    bool Focused, FocusDraw, EditorEnabled, Highlight;
  };
  const TCase cases[] = {{"focused", true, true, false, true},
                         {"unfocused", false, true, false, false},
                         {"FocusDraw off", true, false, false, false},
                         {"editable", true, true, true, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    d->SetFocusDraw(c.FocusDraw);
    d->SetEditorEnabled(c.EditorEnabled);
    if (c.Focused) d->SetFocus();
    else other->SetFocus();
    d->Invalidate();
    Pump();
    TGoldenSheet pictures;
    pictures.Add(d->GetHandle());
    const TSurface& s = pictures.Last();
    const int right = d->GetWidth() - d->GetDropDownButtonWidth() - 1;   // the frame's right edge, excluded
    EXPECT_EQ(s.Pixel(2, 2) == Px(clBlack), c.Highlight);
    EXPECT_EQ(s.Pixel(right - 1, 2) == Px(clBlack), c.Highlight);
    EXPECT_EQ(s.Pixel(3, d->GetHeight() - 4) == Px(clHighlight), c.Highlight);
  }
}

// Resetting BorderColor to none brings the standard border back without any other repaint.
TEST_F(DropButtonLook, ResettingTheBorderColourRepaintsTheStandardBorder) {
  TForm* f = NewForm(200, 80);
  TNeoDropDown* plain = NewDropDown(f, 10, 40, 150);
  TNeoDropDown* d = NewDropDown(f, 10, 10, 150);
  d->SetBorderColor(C(0x0000FF));
  f->Show();
  Pump();
  TGoldenSheet pictures;
  pictures.Add(d->GetHandle());
  EXPECT_EQ(pictures.Last().Pixel(0, 0), Px(C(0x0000FF)));
  d->SetBorderColor(clNone);
  Pump();
  pictures.Add(d->GetHandle());
  const std::uint32_t reset = pictures.Last().Pixel(0, 0);
  pictures.Add(plain->GetHandle());
  EXPECT_EQ(reset, pictures.Last().Pixel(0, 0));
}

// The holder starts 16 pixels wide while DropDownButtonWidth reads 17; a different width or a
// change of scale makes the button follow the property.
TEST_F(DropButtonLook, InitialButtonIsSixteenPixels) {
  struct TCase {
    const char* Name;
    std::function<void(TNeoDropDown*)> Act;
    Integer Property, Button;
  };
  const TCase cases[] = {
      {"new", [](TNeoDropDown*) {}, 17, 16},
      {"the same width again", [](TNeoDropDown* D) { D->SetDropDownButtonWidth(17); }, 17, 16},
      {"another width", [](TNeoDropDown* D) { D->SetDropDownButtonWidth(20); }, 20, 20},
      {"scaled at 96 dpi", [](TNeoDropDown* D) { D->ChangeScale(100, 100); }, 17, 17},
      {"scaled to 120 dpi", [](TNeoDropDown* D) { ScaleShownForm(120, D->GetParent()); }, 17, 21},
      {"scaled to 144 dpi", [](TNeoDropDown* D) { ScaleShownForm(144, D->GetParent()); }, 17, 26},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Headless::SetDpi(96);
    TForm* f = NewForm(200, 80);
    TNeoDropDown* d = NewDropDown(f, 10, 10, 150);
    f->Show();
    Pump();
    c.Act(d);
    Pump();
    EXPECT_EQ(d->GetDropDownButtonWidth(), c.Property);
    EXPECT_EQ(d->GetButton()->GetWidth(), c.Button);
    EXPECT_EQ(d->GetButton()->GetButton()->GetWidth(), c.Button);
    delete f;
  }
}

// Every style once: a colour picker's closed edit beside its open list popup with header and
// footer, three styles to a row.
TEST_F(DropButtonLook, GoldenSheetOfTheTwentySevenStyles) {
  Headless::SetScreenSize(1024, 768);
  Headless::SetWorkArea(RECT{0, 0, 1024, 728});
  TForm* f = NewForm(300, 260);
  auto* focus = Add<TButton>(f, 200, 10, 80, 25);
  f->Show();
  TGoldenSheet pictures;
  for (Integer i = 0; i <= tsOffice2019Black; ++i) {
    const auto style = static_cast<TNeoStyle>(i);
    SCOPED_TRACE(i);
    auto* d = Add<TNeoColorPickerDropDown>(f, 10, 10, 150, 21);
    d->BeginUpdate();
    d->AddDefaultColors();
    d->EndUpdate();
    d->SetSelectedColor(clRed);
    d->SetDropDownHeight(80);
    d->GetDropDownHeader()->SetVisible(true);
    d->GetDropDownHeader()->SetCaption(GetEnumName(EnumTypeInfo<TNeoStyle>(), style));
    d->GetDropDownFooter()->SetVisible(true);
    d->GetDropDownFooter()->GetButtons()->Add()->SetCaption(u"OK");
    d->SetComponentStyle(style);
    focus->SetFocus();
    Pump();
    d->ShowDropDown();
    Pump();
    ASSERT_TRUE(d->GetDroppedDown());
    if (i > 0 && i % 3 == 0) pictures.NewRow();
    pictures.Add(d->GetHandle());
    pictures.Add(d->GetDropDownForm()->GetHandle());
    d->HideDropDown(true);
    Pump();
    delete d;
    Pump();
  }
  pictures.ExpectMatches("dropdown-styles.png");
}
