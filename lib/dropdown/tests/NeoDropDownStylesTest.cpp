// The dropdown edit's style colours on the styles with special cases: the edit, the popup with its
// header and footer, the header and footer buttons and the drop button; colour tones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

#include "lib/dropdown/NeoDropDown.h"
#include "lib/dropdown/NeoItemSelector.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace {

constexpr TColor Marker = static_cast<TColor>(0x123456);   // a colour no style sets
constexpr TColor C(Cardinal V) { return static_cast<TColor>(V); }

class DropDownStyles : public UiTest {
protected:
  // Opens the routine the list variants call from their own SetComponentStyle.
  class TListDropDown : public TNeoDropDown {
  public:
    using TNeoDropDown::TNeoDropDown;
    using TNeoCustomDropDown::SetItemAppearanceStyle;
  };
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(200, 80);
    Edit = Add<TListDropDown>(Form, 10, 10, 150, 21);
  }
  // Every colour a style may leave alone set to the marker.
  void MarkAll() {
    Edit->SetDropDownColor(Marker);
    Edit->SetDropDownColorTo(Marker);
    Edit->SetDropDownBorderColor(Marker);
    Edit->GetDropDownHeader()->SetBorderColor(Marker);
    Edit->GetButtonAppearance()->SetBorderColorDisabled(Marker);
    Edit->GetButton()->SetButtonBorderColor(Marker);
    Edit->SetColor(Marker);
  }
  TForm* Form = nullptr;
  TListDropDown* Edit = nullptr;
};

}  // namespace

TEST_F(DropDownStyles, SpecialRowsColourEveryPart) {
  struct TCase {
    TNeoStyle Style;
    TColor EditColor, EditFont;
    TColor Popup, PopupTo, PopupBorder;
    TColor Header, HeaderTo, HeaderFont, HeaderBorder, FooterBorder;
    TColor Button, ButtonTo, ButtonBorder, ButtonHot, ButtonBorderDisabled, ButtonFont;
    TColor Drop, DropHot, DropDown, DropText, DropBorder;
  };
  const TColor none = clNone;
  const TCase cases[] = {
      {tsOffice2003Blue, clWindow, clWindowText, C(0xFFFFFF), none, Marker, C(0xFCE1CB), C(0xE0A57D), 0, 0, C(0x962D00),
       C(0xFCE1CB), C(0xE0A57D), none, C(0xEBFDFF), Marker, clWindowText, none, none, none, none, none},
      {tsOffice2003Olive, clWindow, clWindowText, C(0xFFFFFF), none, none, C(0xCFF0EA), C(0x8CC0B1), 0, C(0x588060),
       C(0x588060), C(0xCFF0EA), C(0x8CC0B1), none, C(0xEBFDFF), Marker, clWindowText, none, none, none, none, none},
      {tsTerminal, clWindow, clWindowText, C(0xFFFFFF), C(0xFFFFFF), C(0x808080), clBtnFace, clBtnFace, 0, none, none,
       clBtnFace, clBtnFace, none, C(0xC0C0C0), Marker, clWindowText, none, none, none, none, none},
      {tsWindows10, clWindow, clWindowText, C(0xFFFFFF), C(0xFFFFFF), C(0xE4E3E2), C(0xF7F6F5), C(0xF7F6F5), 0,
       C(0xE4E3E2), C(0xE4E3E2), C(0xF7F6F5), none, C(0xE4E3E2), C(0xF7EFE8), C(0xF7F6F5), clWindowText, none, none,
       none, none, none},
      {tsOffice2019White, C(0xFFFFFF), C(0x444648), C(0xFFFFFF), none, C(0xC4C6C8), C(0xFFFFFF), none, C(0x5E5E5E),
       C(0xABABAB), C(0xABABAB), C(0xFFFFFF), none, C(0xABABAB), C(0xF2E1D5), C(0x787775), C(0x444648), C(0xFFFFFF),
       C(0xF2E1D5), C(0xE3BDA3), C(0x444648), Marker},
      {tsOffice2019Black, C(0x444444), C(0xFFFFFF), C(0x444444), none, C(0xADB0B3), C(0x444444), none, C(0xFFFFFF),
       C(0x444648), C(0x444648), C(0x444444), C(0x444444), C(0x686868), C(0x686868), C(0xC4C4C4), C(0xFFFFFF),
       C(0x444444), C(0x686868), C(0x828282), C(0xFFFFFF), Marker},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    MarkAll();
    Edit->SetComponentStyle(c.Style);
    EXPECT_EQ(Edit->GetComponentStyle(), c.Style);
    EXPECT_EQ(Edit->GetColor(), c.EditColor);
    EXPECT_EQ(Edit->GetFont()->GetColor(), c.EditFont);
    EXPECT_EQ(Edit->GetDropDownColor(), c.Popup);
    EXPECT_EQ(Edit->GetDropDownColorTo(), c.PopupTo);
    EXPECT_EQ(Edit->GetDropDownBorderColor(), c.PopupBorder);
    THeaderAppearance* h = Edit->GetDropDownHeader();
    EXPECT_EQ(h->GetColor(), c.Header);
    EXPECT_EQ(h->GetColorTo(), c.HeaderTo);
    EXPECT_EQ(h->GetFont()->GetColor(), c.HeaderFont);
    EXPECT_EQ(h->GetBorderColor(), c.HeaderBorder);
    EXPECT_EQ(Edit->GetDropDownFooter()->GetBorderColor(), c.FooterBorder);
    TNeoButtonAppearance* b = Edit->GetButtonAppearance();
    EXPECT_EQ(b->GetColor(), c.Button);
    EXPECT_EQ(b->GetColorTo(), c.ButtonTo);
    EXPECT_EQ(b->GetBorderColor(), c.ButtonBorder);
    EXPECT_EQ(b->GetColorHot(), c.ButtonHot);
    EXPECT_EQ(b->GetBorderColorDisabled(), c.ButtonBorderDisabled);
    EXPECT_EQ(b->GetFont()->GetColor(), c.ButtonFont);
    TDropDownEditButton* d = Edit->GetButton();
    EXPECT_EQ(d->GetButtonColor(), c.Drop);
    EXPECT_EQ(d->GetButtonColorHot(), c.DropHot);
    EXPECT_EQ(d->GetButtonColorDown(), c.DropDown);
    EXPECT_EQ(d->GetButtonTextColor(), c.DropText);
    EXPECT_EQ(d->GetButtonBorderColor(), c.DropBorder) << "only the Office 2019 styles leave the border colour";
  }
}

TEST_F(DropDownStyles, CustomChangesOnlyTheStoredStyle) {
  Edit->SetComponentStyle(tsOffice2019Black);
  MarkAll();
  Edit->SetComponentStyle(tsCustom);
  EXPECT_EQ(Edit->GetComponentStyle(), tsCustom);
  EXPECT_EQ(Edit->GetColor(), Marker);
  EXPECT_EQ(Edit->GetDropDownColor(), Marker);
  EXPECT_EQ(Edit->GetDropDownHeader()->GetBorderColor(), Marker);
  EXPECT_EQ(Edit->GetButton()->GetButtonColor(), C(0x444444));
}

TEST_F(DropDownStyles, LeavingOffice2019ClearsTheDropButtonColours) {
  Edit->SetComponentStyle(tsOffice2019Black);
  Edit->SetComponentStyle(tsWindows10);
  TDropDownEditButton* d = Edit->GetButton();
  for (TColor c : {d->GetButtonColor(), d->GetButtonColorHot(), d->GetButtonColorDown(), d->GetButtonTextColor(),
                   d->GetButtonTextColorHot(), d->GetButtonTextColorDown(), d->GetButtonBorderColor()})
    EXPECT_EQ(c, clNone);
  EXPECT_EQ(Edit->GetColor(), clWindow);
  EXPECT_EQ(Edit->GetFont()->GetColor(), clWindowText);
}

// The drop button takes the tones' fills and border, and their text colours (window text where a
// tone has none), so that its chevron always has a colour.
TEST_F(DropDownStyles, ColourTonesColourTheDropButton) {
  TColorTones tones;
  tones.Background = {C(0x101010), C(0x202020), C(0x303030)};
  tones.Hover = {C(0x404040), C(0x505050), clNone};
  tones.Selected = {C(0x707070), C(0x808080), C(0x909090)};
  Edit->SetColorTones(tones);
  TDropDownEditButton* d = Edit->GetButton();
  EXPECT_EQ(d->GetButtonColor(), tones.Background.BrushColor);
  EXPECT_EQ(d->GetButtonColorHot(), tones.Hover.BrushColor);
  EXPECT_EQ(d->GetButtonColorDown(), tones.Selected.BrushColor);
  EXPECT_EQ(d->GetButtonBorderColor(), tones.Background.BorderColor);
  EXPECT_EQ(d->GetButtonTextColor(), tones.Background.TextColor);
  EXPECT_EQ(d->GetButtonTextColorHot(), clWindowText);
  EXPECT_EQ(d->GetButtonTextColorDown(), tones.Selected.TextColor);
  EXPECT_EQ(Edit->GetBorderColor(), tones.Background.BorderColor);
}

// Item colours: a preamble for every style (borders of hot and selected items none, text black),
// then the style's row; what a row does not name stays.
TEST_F(DropDownStyles, ItemAppearanceByStyle) {
  struct TCase {
    TNeoStyle Style;
    TColor Hot, HotTo, MirrorHot, Selected, SelectedTo, Border, Edge, BorderHot, BorderSelected, SelectedText, Font;
  };
  const TColor none = clNone;
  const TCase cases[] = {
      {tsOffice2007Luna, C(0xEBFDFF), C(0xACECFF), C(0x59DAFF), C(0xAAD9FF), C(0x6EBBFF), C(0x42AEFE), C(0xC3D9DF), none,
       none, 0, 0},
      {tsWindowsXP, C(0xEFD3C6), C(0xEFD3C6), none, clHighlight, none, clHighlight, none, none, none, clHighlightText, 0},
      {tsOffice2010Black, C(0xD9F9FD), C(0x8AE3FD), C(0x8AE3FD), C(0x7BEEFF), C(0x6CD0FF), Marker, none, C(0x58CAF1),
       C(0x308AC2), 0, 0},
      {tsWindows10, C(0xF7EFE8), C(0xF7EFE8), C(0xF7EFE8), C(0xF7E0C9), none, Marker, Marker, C(0xF9CEA4), C(0xE4A262),
       0, 0},
      {tsOffice2016Black, C(0x6A6A6A), C(0x6A6A6A), none, C(0x444444), none, Marker, Marker, C(0x6A6A6A), C(0x444444),
       0, C(0xFFFFFF)},
      {tsCustom, Marker, Marker, Marker, Marker, Marker, Marker, Marker, Marker, Marker, Marker, Marker},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Style));
    TItemAppearance a(nullptr);
    for (auto set : {&TItemAppearance::SetColorHot, &TItemAppearance::SetColorHotTo, &TItemAppearance::SetColorMirrorHot,
                     &TItemAppearance::SetColorSelected, &TItemAppearance::SetColorSelectedTo,
                     &TItemAppearance::SetBorderColor, &TItemAppearance::SetEdgeColor, &TItemAppearance::SetBorderColorHot,
                     &TItemAppearance::SetBorderColorSelected, &TItemAppearance::SetColorSelectedText})
      (a.*set)(Marker);
    a.GetFont()->SetColor(Marker);
    Edit->SetItemAppearanceStyle(&a, c.Style);
    EXPECT_EQ(Edit->GetComponentStyle(), c.Style);
    EXPECT_EQ(a.GetColorHot(), c.Hot);
    EXPECT_EQ(a.GetColorHotTo(), c.HotTo);
    EXPECT_EQ(a.GetColorMirrorHot(), c.MirrorHot);
    EXPECT_EQ(a.GetColorSelected(), c.Selected);
    EXPECT_EQ(a.GetColorSelectedTo(), c.SelectedTo);
    EXPECT_EQ(a.GetBorderColor(), c.Border);
    EXPECT_EQ(a.GetEdgeColor(), c.Edge);
    EXPECT_EQ(a.GetBorderColorHot(), c.BorderHot);
    EXPECT_EQ(a.GetBorderColorSelected(), c.BorderSelected);
    EXPECT_EQ(a.GetColorSelectedText(), c.SelectedText);
    EXPECT_EQ(a.GetFont()->GetColor(), c.Font);
  }
  Edit->SetItemAppearanceStyle(nullptr, tsWindows7);
  EXPECT_EQ(Edit->GetComponentStyle(), tsWindows7) << "without an appearance only the style is recorded";
}

// ---------------------------------------------------------------------------------------------
// The explicit-colour drop button

namespace {

// The columns, relative to the button's centre column, of the pixels in Arrow.
std::pair<int, int> ArrowReach(TDropDownEditButton* Button, std::uint32_t Arrow, const char* Png) {
  const std::string path = std::string(ZELK_TEST_OUTPUT) + "/" + Png;
  EXPECT_TRUE(Headless::SaveWindowPng(Button->GetHandle(), path));
  TSurface s(1, 1);
  EXPECT_TRUE(s.LoadFromPng(path));
  const int cx = Button->GetClientWidth() / 2;
  int left = 1000, right = -1000;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if ((s.Pixel(x, y) & 0xFFFFFF) == Arrow) {
        left = std::min(left, x - cx);
        right = std::max(right, x - cx);
      }
  return {left, right};
}

}  // namespace

// The chevron's outermost pixels: 3 columns each side at 100 % (Round(S) odd), 6 at 150 %
// (Round(1.5) = 2, even: Round(1.5 * 4)).
TEST_F(DropDownStyles, ChevronReachFollowsTheScale) {
  struct TCase {
    Integer Dpi;
    int Reach;
  };
  for (const TCase c : {TCase{96, 3}, TCase{144, 6}}) {
    SCOPED_TRACE(c.Dpi);
    Headless::SetDpi(c.Dpi);
    TForm* f = NewForm(200, 80);
    auto* d = Add<TNeoDropDown>(f, 10, 10, 150, 30);
    d->SetComponentStyle(tsOffice2019Black);
    f->Show();
    Pump();
    d->GetButton()->Invalidate();
    Pump();
    const auto [left, right] = ArrowReach(d->GetButton(), 0xFFFFFF, c.Dpi == 96 ? "chevron-100.png" : "chevron-150.png");
    EXPECT_EQ(left, -c.Reach);
    EXPECT_EQ(right, c.Reach);
    delete f;
  }
  Headless::SetDpi(96);
}

// Tones with and without text colours both give a visible chevron.
TEST_F(DropDownStyles, ColourTonesGiveAVisibleChevron) {
  for (TColor text : {C(0x0000FF), clNone}) {
    TColorTones tones;
    tones.Background = {C(0xEEEEEE), clNone, text};
    tones.Hover = tones.Selected = tones.Background;
    Edit->SetColorTones(tones);
    Form->Show();
    Pump();
    Edit->GetButton()->Invalidate();
    Pump();
    const std::uint32_t want = text == clNone ? static_cast<std::uint32_t>(ColorToRGB(clWindowText)) : 0xFF0000u;
    const auto [left, right] = ArrowReach(Edit->GetButton(), want, "chevron-tones.png");
    EXPECT_EQ(left, -3) << "text colour " << text;
    EXPECT_EQ(right, 3);
  }
}

// The empty-text hint: grey text while the edit is empty, hidden by the focus unless
// EmptyTextFocused, gone once there is text.
TEST_F(DropDownStyles, EmptyTextHintShowsWhileEmpty) {
  auto* other = Add<TEdit>(Form, 10, 50, 100, 21);
  Edit->SetEmptyText(u"Search");
  Form->Show();
  Pump();
  auto greyPixels = [this](const char* Png) {
    const std::string path = std::string(ZELK_TEST_OUTPUT) + "/" + Png;
    Edit->Invalidate();
    Pump();
    EXPECT_TRUE(Headless::SaveWindowPng(Edit->GetHandle(), path));
    TSurface s(1, 1);
    EXPECT_TRUE(s.LoadFromPng(path));
    // Grey ink inside the text area, away from the frame: antialiased $808080 is never darker
    // than $70; black text is.
    int grey = 0, dark = 0;
    for (int y = 4; y < s.Height() - 4; ++y)
      for (int x = 4; x < 60; ++x) {
        const int v = static_cast<int>(s.Pixel(x, y) & 0xFF);
        grey += v >= 0x70 && v < 0xE0 ? 1 : 0;
        dark += v < 0x70 ? 1 : 0;
      }
    return dark == 0 ? grey : 0;
  };
  struct TCase {
    const char* Name;
    bool Focused, EmptyTextFocused;
    const char16_t* Text;
    bool Shown;
  };
  const TCase cases[] = {
      {"unfocused", false, false, u"", true},
      {"focused", true, false, u"", false},
      {"focused, hint kept", true, true, u"", true},
      {"with text", false, false, u"x", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit->SetEmptyTextFocused(c.EmptyTextFocused);
    Edit->SetText(c.Text);
    if (c.Focused) Edit->SetFocus();
    else other->SetFocus();
    Pump();
    EXPECT_EQ(greyPixels((std::string("empty-text-") + std::to_string(&c - cases) + ".png").c_str()) > 15, c.Shown);
  }
}
