// The grid button: its faces against golden pictures, the banded gradient and derived glyphs by
// exact pixels, groups, the drop-down part with its menu and actions through scripted input.
#include "lib/base/NeoXPVS.h"
#include "lib/grid/core/NeoGridButton.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Themes.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace {

constexpr TColor kGlyphBack = 0xFF00FF;

// 16 x 16: a blue square with a yellow centre on the transparent colour (bottom-left pixel).
void MakeGlyph(TBitmap& B) {
  B.SetPixelFormat(pf24bit);
  B.SetSize(16, 16);
  TCanvas* c = B.GetCanvas();
  c->GetBrush()->SetColor(kGlyphBack);
  c->FillRect(TRect{0, 0, 16, 16});
  c->GetBrush()->SetColor(0x5A3C1E);   // RGB(30, 60, 90)
  c->FillRect(TRect{3, 3, 13, 13});
  c->GetBrush()->SetColor(clYellow);
  c->FillRect(TRect{6, 6, 10, 10});
}

class NeoGridButtonTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    MakeGlyph(Glyph);
  }
  void TearDown() override {
    SetActiveStyleName(u"Windows");
    SetThemeActive(true);
    UiTest::TearDown();
  }
  TNeoGridButton* Button(TWinControl* Parent, Integer X, Integer Y, Integer W, Integer H, const String& Caption) {
    auto* b = Add<TNeoGridButton>(Parent, X, Y, W, H);
    b->SetCaption(Caption);
    return b;
  }
  // One row of a look: normal, hot, down (held in a group) and disabled.
  void Row(TWinControl* Parent, Integer Y, Integer Look, bool Flat, bool WithGlyph) {
    const char16_t* names[] = {u"Normal", u"Hot", u"Down", u"Off"};
    for (Integer i = 0; i < 4; ++i) {
      TNeoGridButton* b = Button(Parent, 6 + i * 86, Y, 80, 24, names[i]);
      if (Look >= 0) b->SetLook(Look);
      b->SetFlat(Flat);
      b->SetAutoXPStyle(true);
      if (WithGlyph) b->SetGlyph(&Glyph);
      if (i == 1) Hot.push_back(b);
      if (i == 2) {
        b->SetGroupIndex(100 + Y);
        b->SetDown(true);
      }
      if (i == 3) b->SetEnabled(false);
    }
  }
  void ShowSheet(TForm* F) {
    Headless::MouseMove(1900, 1000);   // away from every button: only the chosen ones are hot
    F->Show();
    Pump();
    for (TNeoGridButton* b : Hot) b->Perform(CM_MOUSEENTER, 0, 0);
    Pump();
  }
  void Golden(TForm* F, const char* Name) {
    ExpectWindowMatchesGolden(F->GetHandle(), std::string(ZELK_TEST_DATA) + "/widgets/" + Name, Name);
  }
  // The non-flat manner in every state, with and without glyph, and the drop-down part.
  void StyledSheet(const char* Name) {
    TForm* f = NewForm(356, 130);
    Row(f, 6, -1, false, true);
    Row(f, 36, -1, false, false);
    TNeoGridButton* glyphOnly = Button(f, 6, 66, 30, 24, u"");
    glyphOnly->SetFlat(false);
    glyphOnly->SetGlyph(&Glyph);
    TNeoGridButton* drop = Button(f, 92, 66, 80, 24, u"Menu");
    drop->SetFlat(false);
    drop->SetDropDownButton(true);
    ShowSheet(f);
    Golden(f, Name);
  }

  TBitmap Glyph;
  std::vector<TNeoGridButton*> Hot;
};

TEST_F(NeoGridButtonTest, DefaultsOfANewButton) {
  TNeoGridButton b(nullptr);
  EXPECT_EQ(b.GetWidth(), 23);
  EXPECT_EQ(b.GetHeight(), 22);
  EXPECT_EQ(b.GetControlStyle(), (TControlStyle{csCaptureMouse, csDoubleClicks}));
  EXPECT_EQ(b.GetColor(), clBtnFace);
  EXPECT_EQ(b.GetColorHot(), 0xCAC7C7);
  EXPECT_EQ(b.GetColorDown(), 0xD8D3D2);
  EXPECT_EQ(b.GetColorChecked(), 0x808080);
  EXPECT_EQ(b.GetColorTo(), clNone);
  EXPECT_EQ(b.GetBorderColor(), clNone);
  EXPECT_EQ(b.GetSpacing(), 4);
  EXPECT_EQ(b.GetMargin(), -1);
  EXPECT_TRUE(b.GetFlat());
  EXPECT_TRUE(b.GetShaded());
  EXPECT_TRUE(b.GetShowCaption());
  EXPECT_EQ(b.GetLook(), 0);
  b.SetMargin(-2);
  EXPECT_EQ(b.GetMargin(), -1);
  b.SetMargin(3);
  EXPECT_EQ(b.GetMargin(), 3);
}

TEST_F(NeoGridButtonTest, GradientBandsStopOneStepShortOfTheEndColour) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(10, 20);
  PaintGradientBands(bmp.GetCanvas(), 0x000000, 0xF0F0F0, clNone, 16, TRect{0, 0, 10, 20}, false);
  // Band i: colour 15 x i, rows Round(i x 1.25) .. + 2, later bands over earlier ones.
  const std::pair<Integer, Integer> rows[] = {{0, 0}, {1, 15}, {2, 30}, {3, 30}, {4, 45}, {18, 210}, {19, 225}};
  for (auto [y, v] : rows) EXPECT_EQ(bmp.GetCanvas()->GetPixels(5, y), v | (v << 8) | (v << 16)) << "row " << y;
  PaintGradientBands(bmp.GetCanvas(), clRed, clRed, clBlue, 0, TRect{0, 0, 10, 20}, true);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(0, 5), clBlue);
  EXPECT_EQ(bmp.GetCanvas()->GetPixels(5, 5), clRed);
}

TEST_F(NeoGridButtonTest, DisabledAndShadowGlyphsAreDerivedFromTheGlyph) {
  TNeoGridButton b(nullptr);
  b.SetGlyph(&Glyph);
  TCanvas* d = b.GetGlyphDisabled()->GetCanvas();
  EXPECT_EQ(d->GetPixels(4, 4), 126 | (126 << 8) | (126 << 16));   // (90 + 60 + 30) / 3 / 2 + 96
  EXPECT_EQ(d->GetPixels(7, 7), 181 | (181 << 8) | (181 << 16));   // yellow: 510 / 3 / 2 + 96
  EXPECT_TRUE(b.GetGlyphShade()->GetEmpty()) << "the shadow is built when Shaded is set or loaded";
  b.SetShaded(true);
  TCanvas* s = b.GetGlyphShade()->GetCanvas();
  EXPECT_EQ(s->GetPixels(4, 4), 0x808080);
  EXPECT_EQ(s->GetPixels(7, 7), 0x808080);
  EXPECT_EQ(s->GetPixels(0, 0), kGlyphBack);
  // A second glyph keeps the disabled glyph made from the first.
  TBitmap other;
  other.SetSize(16, 16);
  b.SetGlyph(&other);
  EXPECT_EQ(b.GetGlyphDisabled()->GetCanvas()->GetPixels(4, 4), 126 | (126 << 8) | (126 << 16));
}

TEST_F(NeoGridButtonTest, LooksAndTheXPSchemeAdaptation) {
  TNeoGridButton b(nullptr);
  b.SetLook(2);
  EXPECT_EQ(b.GetLook(), 2);
  EXPECT_EQ(b.GetColor(), 0xFDEADA);
  EXPECT_EQ(b.GetColorCheckedTo(), 0x55ADFF);
  EXPECT_EQ(b.GetBorderHotColor(), 0x000000);
  EXPECT_FALSE(b.GetRounded());
  b.SetLook(0);
  EXPECT_TRUE(b.GetRounded());
  b.SetLook(7);
  b.SetLook(-1);
  EXPECT_EQ(b.GetLook(), 0);
  EXPECT_EQ(b.GetColor(), 0xEDF1F1);
  EXPECT_EQ(DetectXPColorScheme(), 1);   // the platform theme's colour name is "NormalColor"
  b.SetAutoThemeAdapt(true);
  EXPECT_EQ(b.GetLook(), 2);
  SetThemeActive(false);
  EXPECT_EQ(DetectXPColorScheme(), 0);
  b.Perform(CM_SYSFONTCHANGED, 0, 0);
  EXPECT_EQ(b.GetLook(), 1);
}

TEST_F(NeoGridButtonTest, FlatLooksMatchGolden) {
  TForm* f = NewForm(356, 7 * 30 + 36);
  for (Integer look = 0; look < 7; ++look) Row(f, 6 + look * 30, look, true, look % 2 == 0);
  TNeoGridButton* glyphOnly = Button(f, 6, 216, 30, 24, u"");
  glyphOnly->SetGlyph(&Glyph);
  TNeoGridButton* drop = Button(f, 92, 216, 80, 24, u"Menu");
  drop->SetLook(2);
  drop->SetDropDownButton(true);
  Hot.push_back(drop);
  ShowSheet(f);
  Golden(f, "gridbutton-flat.png");
}

TEST_F(NeoGridButtonTest, ThemedLookMatchesGolden) { StyledSheet("gridbutton-themed.png"); }

TEST_F(NeoGridButtonTest, ClassicLookMatchesGolden) {
  SetThemeActive(false);
  StyledSheet("gridbutton-classic.png");
}

TEST_F(NeoGridButtonTest, CustomStyleLookMatchesGolden) {
  ASSERT_TRUE(SetActiveStyleName(u"Carbon"));
  StyledSheet("gridbutton-style.png");
}

TEST_F(NeoGridButtonTest, ClicksHoverAndTheGroupKeepOneButtonDown) {
  TForm* f = NewForm();
  TNeoGridButton* a = Button(f, 10, 10, 60, 24, u"A");
  TNeoGridButton* b = Button(f, 80, 10, 60, 24, u"B");
  TNeoGridButton* solo = Button(f, 150, 10, 60, 24, u"Solo");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  Integer clicks = 0;
  a->OnClick = [&](TObject*) { ++clicks; };
  f->Show();
  Pump();
  TPoint over = ScreenPoint(a, 5, 5);
  Headless::MouseMove(over.x, over.y);
  Pump();
  EXPECT_TRUE(a->GetMouseInControl());
  ClickAt(a, 5, 5);
  EXPECT_TRUE(a->GetDown());
  EXPECT_EQ(clicks, 1);
  ClickAt(a, 5, 5);
  EXPECT_TRUE(a->GetDown()) << "without AllowAllUp the down button of a group stays down";
  ClickAt(b, 5, 5);
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  EXPECT_EQ(a->GetState(), bsUp);
  EXPECT_FALSE(a->GetMouseInControl());
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->GetAllowAllUp()) << "the group takes the sender's AllowAllUp";
  ClickAt(b, 5, 5);
  EXPECT_FALSE(b->GetDown());
  ClickAt(solo, 5, 5);
  EXPECT_FALSE(solo->GetDown()) << "a push button outside a group never stays down";
  solo->SetStyle(tasCheck);
  ClickAt(solo, 5, 5);
  EXPECT_TRUE(solo->GetDown());
  ClickAt(solo, 5, 5);
  EXPECT_FALSE(solo->GetDown());
  // Released below the last row: outside, no click.
  TPoint in = ScreenPoint(a, 5, 5), below = ScreenPoint(a, 5, a->GetHeight() + 1);
  Headless::ButtonDown(1, in.x, in.y);
  Headless::MouseMove(below.x, below.y);
  Headless::ButtonUp(1, below.x, below.y);
  Pump();
  EXPECT_EQ(clicks, 2);
}

TEST_F(NeoGridButtonTest, TheDropDownPartOpensTheMenuBelowTheButton) {
  TForm* f = NewForm();
  TNeoGridButton* b = Button(f, 20, 30, 80, 24, u"Menu");
  b->SetDropDownButton(true);
  TPopupMenu menu(nullptr);
  b->SetDropDownMenu(&menu);
  auto* first = new TMenuItem(&menu);
  first->SetCaption(u"First");
  auto* second = new TMenuItem(&menu);
  second->SetCaption(u"Second");
  menu.GetItems()->Add(first);
  menu.GetItems()->Add(second);
  Integer clicks = 0, drops = 0, chosen = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  b->OnDropDown = [&](TObject*) { ++drops; };
  second->OnClick = [&](TObject*) { ++chosen; };
  f->Show();
  Pump();
  ClickAt(b, 75, 10);
  EXPECT_EQ(drops, 1);
  EXPECT_EQ(clicks, 0);
  HWND popup = menu.GetPopupWindow();
  ASSERT_NE(popup, nullptr);
  RECT r;
  GetWindowRect(popup, &r);
  TPoint corner = ScreenPoint(b, 0, b->GetHeight());
  EXPECT_EQ(r.left, corner.x);
  EXPECT_EQ(r.top, corner.y);
  // The second row of the list.
  Headless::Click(r.left + 30, r.top + 1 + 22 + 10);
  Pump();
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(menu.GetPopupWindow(), nullptr);
  ClickAt(b, 10, 10);
  EXPECT_EQ(clicks, 1);
  b->SetDropDownMenu(nullptr);
}

TEST_F(NeoGridButtonTest, AnActionReachesTheButtonThroughItsLink) {
  TForm* f = NewForm();
  TNeoGridButton* b = Button(f, 10, 10, 80, 24, u"");
  TAction action(nullptr);
  action.SetCaption(u"Find");
  action.SetGroupIndex(3);
  Integer runs = 0;
  action.OnExecute = [&](TObject*) { ++runs; };
  b->SetAction(&action);
  EXPECT_EQ(b->GetCaption(), u"Find");
  ASSERT_NE(dynamic_cast<TNeoGridButtonActionLink*>(b->GetActionLink()), nullptr);
  action.SetCaption(u"Find next");
  EXPECT_EQ(b->GetCaption(), u"Find next");
  action.SetGroupIndex(4);
  EXPECT_EQ(b->GetGroupIndex(), 0) << "linked only while the group indexes agree";
  b->SetGroupIndex(4);
  b->SetAllowAllUp(true);
  action.SetGroupIndex(5);
  EXPECT_EQ(b->GetGroupIndex(), 5);
  action.SetChecked(true);
  EXPECT_TRUE(b->GetDown());
  f->Show();
  Pump();
  ClickAt(b, 10, 10);
  EXPECT_EQ(runs, 1);
  TNeoGridButtonActionLink link;
  TEdit edit(nullptr);
  EXPECT_THROW(link.AssignClient(&edit), EInvalidCast);
}

}  // namespace
