// The combo box control: defaults and setters, the look cases probed on headless pictures, the
// label's thirteen places, mouse and focus through the message queue, and the drop notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NsgCombo.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace NsgCombo {
namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Lime = RGB(0, 255, 0), Blue = RGB(0, 0, 255), Yellow = RGB(255, 255, 0);

class NsgComboTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Form = NewForm(320, 220);
  }
  void TearDown() override {
    SetThemeActive(true);
    NeoXPVS::FreeThemeApi();   // as the other suites expect to find it
    UiTest::TearDown();
  }
  TNsgComboBox* Combo(Integer X, Integer Y, Integer W = 120) {
    auto* c = Add<TNsgComboBox>(Form, X, Y, W, 21);
    for (const char16_t* s : {u"Apple", u"Banana", u"Cherry"}) c->GetItems()->Add(s);
    return c;
  }
  void ShowForm() {
    Form->Show();
    Headless::Activate(Form->GetHandle());
    Pump();
  }
  // A pixel of the combo box's window (non-client border included), read on the form.
  COLORREF WindowPixel(TControl* C, Integer X, Integer Y) {
    Pump();
    return Headless::ClientPixel(Form->GetHandle(), C->GetLeft() + X, C->GetTop() + Y);
  }
  // The form-client pixel at a screen-independent point.
  void MoveTo(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  TForm* Form = nullptr;
};

TEST_F(NsgComboTest, DefaultsAndButtonWidthRange) {
  auto* c = Combo(10, 10);
  EXPECT_EQ(c->GetButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  EXPECT_TRUE(c->GetIsThemed());   // the common controls report version 6
  EXPECT_FALSE(c->GetFlat());
  EXPECT_TRUE(c->GetCtl3D());
  EXPECT_TRUE(c->GetFlatParentColor());
  EXPECT_TRUE(c->GetDisabledBorder());
  EXPECT_EQ(c->GetDropDownCount(), 8);
  EXPECT_EQ(c->GetLabelMargin(), 4);
  EXPECT_EQ(c->GetLabelPosition(), lpLeftTop);
  EXPECT_EQ(c->GetLabelFont()->GetHeight(), -11);
  EXPECT_EQ(c->GetComboLabel(), nullptr);
  EXPECT_EQ(c->GetLabelCaption(), u"");
  for (TColor color : {c->GetBorderColor(), c->GetFocusColor(), c->GetFocusBorderColor(), c->GetFlatLineColor(),
                       c->GetButtonColor(), c->GetButtonColorHot(), c->GetButtonColorDown(), c->GetButtonTextColor(),
                       c->GetButtonTextColorHot(), c->GetButtonTextColorDown(), c->GetButtonBorderColor()})
    EXPECT_EQ(color, clNone);

  struct TCase {
    Integer Set, Expected;
  };
  const Integer start = c->GetButtonWidth();
  for (TCase k : {TCase{13, start}, TCase{14, 14}, TCase{33, 14}, TCase{32, 32}, TCase{0, 32}, TCase{-20, 32}}) {
    c->SetButtonWidth(k.Set);
    EXPECT_EQ(c->GetButtonWidth(), k.Expected) << k.Set;
  }
  // Etched and the hot text colour are stored only.
  c->SetEtched(true);
  c->SetButtonTextColorHot(clRed);
  EXPECT_TRUE(c->GetEtched());
  EXPECT_EQ(c->GetButtonTextColorHot(), clRed);
}

TEST_F(NsgComboTest, SelectItemTakesTheFirstEqualItemAndKeepsTheSelectionOtherwise) {
  auto* c = Combo(10, 10);
  c->GetItems()->Add(u"Banana");
  c->SelectItem(u"Banana");
  EXPECT_EQ(c->GetItemIndex(), 1);
  c->SelectItem(u"Durian");
  EXPECT_EQ(c->GetItemIndex(), 1);
  c->SelectItem(u"banana");   // equal means equal: case counts
  EXPECT_EQ(c->GetItemIndex(), 1);
  c->SelectItem(u"Cherry");
  EXPECT_EQ(c->GetItemIndex(), 2);
  EXPECT_EQ(c->GetText(), u"Cherry");
}

TEST_F(NsgComboTest, FrameCasesOnThePicture) {
  // Only a border colour: the native button, and a one-pixel frame in that colour.
  auto* bordered = Combo(10, 10);
  bordered->SetBorderColor(clRed);
  // Only a focus border colour: nothing custom until focused.
  auto* focusFramed = Combo(10, 40);
  focusFramed->SetFocusBorderColor(clLime);
  // Disabled and themed without DisabledBorder: $B99D7F.
  auto* disabled = Combo(10, 70);
  disabled->SetDisabledBorder(false);
  disabled->SetEnabled(false);
  auto* plainDisabled = Combo(10, 100);
  plainDisabled->SetEnabled(false);
  auto* other = Combo(150, 10);
  ShowForm();
  other->SetFocus();
  Pump();
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgcombo_frames.png"));

  const Integer w = bordered->GetWidth(), h = bordered->GetHeight();
  for (TPoint p : {TPoint{0, 0}, TPoint{w - 1, 0}, TPoint{0, h - 1}, TPoint{w - 1, h - 1}, TPoint{w / 2, 0}})
    EXPECT_EQ(WindowPixel(bordered, p.x, p.y), Red) << p.x << "," << p.y;
  // Inside the frame the native look goes on: the sunken edge's inner line and the button.
  EXPECT_EQ(WindowPixel(bordered, 1, h / 2), WindowPixel(other, 1, h / 2));
  EXPECT_NE(WindowPixel(bordered, w - 6, h / 2), Red);

  const COLORREF unfocused = WindowPixel(focusFramed, 0, 0);
  EXPECT_NE(unfocused, Lime);
  EXPECT_EQ(unfocused, WindowPixel(other, 0, 0));
  focusFramed->SetFocus();
  Pump();
  EXPECT_TRUE(focusFramed->GetHasFocus());
  EXPECT_EQ(WindowPixel(focusFramed, 0, 0), Lime);
  EXPECT_EQ(WindowPixel(focusFramed, w - 1, h - 1), Lime);
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgcombo_focusframe.png"));
  other->SetFocus();
  Pump();
  EXPECT_NE(WindowPixel(focusFramed, 0, 0), Lime);

  EXPECT_EQ(WindowPixel(disabled, 0, 0), static_cast<COLORREF>(0xB99D7F));
  EXPECT_EQ(WindowPixel(disabled, w - 1, h / 2), static_cast<COLORREF>(0xB99D7F));
  EXPECT_NE(WindowPixel(plainDisabled, 0, 0), static_cast<COLORREF>(0xB99D7F));
  // With the theme off the disabled frame stays: it asks only for a capable system.
  SetThemeActive(false);
  disabled->Invalidate();
  EXPECT_EQ(WindowPixel(disabled, 0, 0), static_cast<COLORREF>(0xB99D7F));
}

TEST_F(NsgComboTest, LabelOriginTable) {
  // A combo box at (100, 50) of 120 x 21; a label of 40 x 13 whose caption measures 38; margin 4.
  const TRect combo{100, 50, 220, 71};
  struct TCase {
    TLabelPosition Position;
    TPoint Origin;
  };
  const TCase cases[] = {
      {lpLeftTop, {58, 50}},        {lpLeftCenter, {58, 54}},      {lpLeftBottom, {58, 58}},
      {lpTopLeft, {100, 33}},       {lpBottomLeft, {100, 75}},     {lpLeftTopLeft, {96, 50}},
      {lpLeftCenterLeft, {96, 54}}, {lpLeftBottomLeft, {96, 58}},  {lpTopCenter, {140, 33}},
      {lpBottomCenter, {140, 75}},  {lpRightTop, {224, 50}},       {lpRightCenter, {224, 54}},
      {lpRighBottom, {224, 58}},
  };
  for (const TCase& k : cases) {
    TPoint p = LabelOrigin(k.Position, combo, 40, 13, 38, 4);
    EXPECT_EQ(p.x, k.Origin.x) << k.Position;
    EXPECT_EQ(p.y, k.Origin.y) << k.Position;
  }
  // Centring truncates toward zero both ways: a label taller and wider than the combo box.
  EXPECT_EQ(LabelOrigin(lpLeftCenter, combo, 40, 24, 38, 4).y, 49);   // (21 - 24) / 2 = -1
  EXPECT_EQ(LabelOrigin(lpTopCenter, combo, 125, 13, 38, 4).x, 98);   // (120 - 125) / 2 = -2
}

TEST_F(NsgComboTest, LabelFollowsTheComboBox) {
  auto* c = Combo(120, 60);
  c->SetLabelPosition(lpLeftCenter);
  c->SetLabelCaption(u"Fruit");
  TLabel* label = c->GetComboLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetParent(), Form);
  EXPECT_EQ(label->GetFocusControl(), c);
  EXPECT_EQ(c->GetLabelCaption(), u"Fruit");
  ShowForm();
  // Every position lands where the table puts it for the label's own size.
  for (int p = lpLeftTop; p <= lpRighBottom; ++p) {
    c->SetLabelPosition(static_cast<TLabelPosition>(p));
    TPoint want = LabelOrigin(static_cast<TLabelPosition>(p), c->GetBoundsRect(), label->GetWidth(),
                              label->GetHeight(), label->GetWidth(), 4);
    EXPECT_EQ((TPoint{label->GetLeft(), label->GetTop()}), want) << p;
  }
  // A 13-pixel label centred beside the 21-pixel combo box sits 4 pixels below its top.
  c->SetLabelPosition(lpLeftCenter);
  label->SetAutoSize(false);
  label->SetHeight(13);
  c->SetLabelMargin(6);
  EXPECT_EQ(label->GetTop(), c->GetTop() + 4);
  EXPECT_EQ(label->GetLeft() + label->GetWidth() + 6, c->GetLeft());
  // The label follows a move.
  c->SetBounds(130, 80, 120, 21);
  EXPECT_EQ(label->GetTop(), 84);

  // Visibility and enabling follow the combo box.
  c->Hide();
  EXPECT_FALSE(label->GetVisible());
  c->Show();
  EXPECT_TRUE(label->GetVisible());
  c->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
  c->SetEnabled(true);
  EXPECT_TRUE(label->GetEnabled());
  c->SetLabelAlwaysEnabled(true);
  c->SetEnabled(false);
  EXPECT_TRUE(label->GetEnabled());

  // The label's pixels show its caption left of the combo box.
  Pump();
  Headless::SaveWindowPng(Form->GetHandle(), OutputPath("nsgcombo_label.png"));
}

TEST_F(NsgComboTest, LabelFreedBeforeTheComboBoxIsForgotten) {
  auto* c = Combo(100, 10);
  c->SetLabelCaption(u"Name");
  ASSERT_NE(c->GetComboLabel(), nullptr);
  delete c->GetComboLabel();
  EXPECT_EQ(c->GetComboLabel(), nullptr);
  EXPECT_EQ(c->GetLabelCaption(), u"");
  c->SetBounds(110, 10, 100, 21);   // nothing to place
  c->SetLabelCaption(u"Again");     // a new label
  EXPECT_EQ(c->GetComboLabel()->GetCaption(), u"Again");
  // The label moves with the combo box to another parent.
  auto* panel = Add<TPanel>(Form, 10, 100, 200, 80);
  c->SetParent(panel);
  EXPECT_EQ(c->GetComboLabel()->GetParent(), panel);
}

TEST_F(NsgComboTest, FocusColourAndBoldLabel) {
  auto* c = Combo(100, 10);
  c->SetFocusColor(clYellow);
  c->SetFocusLabel(true);
  c->SetLabelCaption(u"Fruit");
  auto* other = Combo(100, 50);
  ShowForm();
  other->SetFocus();
  Pump();
  const Integer w = c->GetWidth();
  c->SetFocus();
  Pump();
  EXPECT_EQ(c->GetColor(), clYellow);
  EXPECT_TRUE(c->GetComboLabel()->GetFont()->GetStyle().Contains(fsBold));
  // The edit part shows the focus colour too.
  EXPECT_EQ(WindowPixel(c, w / 2, 10), Yellow);
  other->SetFocus();
  Pump();
  EXPECT_EQ(c->GetColor(), clWindow);
  EXPECT_FALSE(c->GetComboLabel()->GetFont()->GetStyle().Contains(fsBold));
  EXPECT_NE(WindowPixel(c, w / 2, 10), Yellow);

  // The focus reached by a click on the edit part and left by Tab.
  ClickAt(c->GetEditControl(), 5, 5);
  EXPECT_EQ(c->GetColor(), clYellow);
  Press(VK_TAB);
  EXPECT_EQ(c->GetColor(), clWindow);
}

TEST_F(NsgComboTest, ButtonHoverAndAutoFocus) {
  auto* c = Combo(100, 10);
  auto* other = Combo(100, 60);
  c->SetAutoFocus(true);
  ShowForm();
  other->SetFocus();
  Pump();
  const Integer cw = c->GetClientWidth();
  MoveTo(c, cw - 6, 8);
  MoveTo(c, cw - 5, 8);   // over the button strip
  EXPECT_TRUE(c->GetButtonHover()) << cw;
  EXPECT_TRUE(c->Focused()) << "AutoFocus takes the focus on entering an active form";
  MoveTo(c, 3, 3);   // the edit part covers the rest
  EXPECT_FALSE(c->GetButtonHover());
  MoveTo(other, 3, 3);
  EXPECT_FALSE(c->GetButtonHover());

  // In a form that is not the active window the mouse does not take the focus.
  other->SetFocus();
  Pump();
  Headless::DeactivateApp();
  Pump();
  MoveTo(c, cw - 5, 8);
  EXPECT_FALSE(c->Focused());
}

TEST_F(NsgComboTest, DropNotificationsInvalidateTheButtonAndFireOnDropUp) {
  auto* c = Combo(100, 10);
  std::vector<WORD> codes;
  int erases = 0;
  auto inner = c->WindowProc;
  c->WindowProc = [&, inner](TMessage& M) {
    if (M.Msg == CN_COMMAND) codes.push_back(HIWORD(M.WParam));
    if (M.Msg == WM_ERASEBKGND) ++erases;
    inner(M);
  };
  int dropUps = 0;
  c->OnDropUp = [&](TObject* Sender) {
    EXPECT_EQ(Sender, c);
    ++dropUps;
  };
  ShowForm();
  c->SetFocus();
  Pump();

  auto dropCodes = [&] {
    std::vector<WORD> out;
    for (WORD w : codes)
      if (w == CBN_DROPDOWN || w == CBN_CLOSEUP) out.push_back(w);
    return out;
  };
  const std::vector<WORD> cycle{CBN_DROPDOWN, CBN_CLOSEUP};
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(c->GetDroppedDown());
  Chord(VK_MENU, VK_UP);
  EXPECT_FALSE(c->GetDroppedDown());
  EXPECT_EQ(dropCodes(), cycle);
  EXPECT_EQ(dropUps, 1);

  codes.clear();
  dropUps = 0;
  const Integer cw = c->GetClientWidth();
  ClickAt(c, cw - 5, 8);
  EXPECT_TRUE(c->GetDroppedDown());
  ClickAt(c, cw - 5, 8);
  EXPECT_FALSE(c->GetDroppedDown());
  EXPECT_EQ(dropCodes(), cycle);
  EXPECT_EQ(dropUps, 1);

  // The notification marks the button strip, without erasing.
  Pump();
  ValidateRect(c->GetHandle(), nullptr);
  erases = 0;
  c->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_DROPDOWN), reinterpret_cast<LPARAM>(c->GetHandle()));
  RECT r{};
  ASSERT_TRUE(GetUpdateRect(c->GetHandle(), &r, FALSE));
  EXPECT_EQ(r, (TRect{cw - c->GetButtonWidth(), 0, cw, c->GetClientHeight()}));
  Pump();
  EXPECT_EQ(erases, 0);
  EXPECT_EQ(dropUps, 1);   // a drop-down notification fires no OnDropUp
}

TEST_F(NsgComboTest, FlatLookTakesTheParentColourAndKeepsItWhileDisabled) {
  auto* c = Combo(100, 10);
  ShowForm();
  const Integer windowWidth = c->GetWidth();
  const Integer framedClient = c->GetClientWidth();
  c->SetFlat(true);
  Pump();
  EXPECT_FALSE(c->GetCtl3D());
  EXPECT_EQ(c->GetClientWidth(), windowWidth) << "no client edge in the flat look";
  EXPECT_LT(framedClient, windowWidth);
  EXPECT_EQ(c->GetColor(), Form->GetColor());

  c->SetColor(clAqua);
  c->SetEnabled(false);
  EXPECT_TRUE(c->GetParentColor());
  EXPECT_EQ(c->GetColor(), Form->GetColor());
  c->SetEnabled(true);
  EXPECT_EQ(c->GetColor(), clAqua);
  EXPECT_FALSE(c->GetParentColor());

  c->SetFlat(false);
  EXPECT_TRUE(c->GetCtl3D());
  EXPECT_EQ(c->GetColor(), clWindow);   // the loaded colour
}

// Loading as the streaming system does it: csLoading while the properties are set, then Loaded.
class TLoadingCombo : public TNsgComboBox {
public:
  using TNsgComboBox::TNsgComboBox;
  void BeginLoading() { FComponentState.Include(csLoading); }
  void EndLoading() {
    Loaded();
    FComponentState.Exclude(csLoading);
  }
};

TEST_F(NsgComboTest, LoadedAppliesTheStoredProperties) {
  auto* other = Combo(100, 60);
  auto* c = new TLoadingCombo(Form);
  c->BeginLoading();
  c->SetParent(Form);
  c->SetColor(clAqua);
  c->SetDropWidth(260);
  c->SetLabelCaption(u"Kind");
  c->SetEnabled(false);
  c->SetBounds(100, 10, 120, 21);
  for (const char16_t* s : {u"A", u"B"}) c->GetItems()->Add(s);
  c->EndLoading();
  EXPECT_EQ(c->GetColor(), clAqua);
  EXPECT_FALSE(c->GetComboLabel()->GetEnabled());
  ShowForm();
  c->SetEnabled(true);
  c->SetFocus();
  Pump();
  Chord(VK_MENU, VK_DOWN);
  ASSERT_TRUE(c->GetDroppedDown());
  EXPECT_EQ(c->GetListWindow()->GetWidth(), 260);
  Press(VK_ESCAPE);
  // Init took the loaded colour as the normal one.
  c->SetFocusColor(clYellow);
  other->SetFocus();
  c->SetFocus();
  Pump();
  EXPECT_EQ(c->GetColor(), clYellow);
  other->SetFocus();
  Pump();
  EXPECT_EQ(c->GetColor(), clAqua);
}

// The looks side by side, with the visual styles on and off.
class NsgComboLooksTest : public NsgComboTest {
protected:
  void BuildSheet() {
    Combo(10, 10)->SetItemIndex(0);                 // platform look
    auto* flat = Combo(160, 10);                    // flat
    flat->SetFlat(true);
    flat->SetItemIndex(1);
    auto* colored = Combo(10, 40);                  // coloured button
    colored->SetButtonColor(clNavy);
    colored->SetButtonColorHot(clBlue);
    colored->SetButtonColorDown(clRed);
    colored->SetButtonTextColor(clWhite);
    colored->SetButtonBorderColor(clBlack);
    Colored = colored;
    auto* focus = Combo(160, 40);                   // focus border
    focus->SetFocusBorderColor(clLime);
    Focus = focus;
    auto* line = Combo(10, 70);                     // flat with a line under the edit part
    line->SetFlat(true);
    line->SetFlatLineColor(clRed);
    auto* disabled = Combo(160, 70);                // disabled
    disabled->SetItemIndex(2);
    disabled->SetEnabled(false);
    auto* list = Combo(10, 100);                    // drop-down list with a border colour
    list->SetStyle(csDropDownList);
    list->SetItemIndex(0);
    list->SetBorderColor(clBlue);
    ShowForm();
    Focus->SetFocus();
    Pump();
  }
  TNsgComboBox* Colored = nullptr;
  TNsgComboBox* Focus = nullptr;
};

TEST_F(NsgComboLooksTest, ThemedAndClassicMatchTheGoldens) {
  Form->SetClientHeight(130);
  BuildSheet();
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgcombo-themed.png",
                            "nsgcombo-themed.png");
  SetThemeActive(false);
  for (int i = 0; i < Form->GetControlCount(); ++i) Form->GetControls(i)->Invalidate();
  Pump();
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgcombo-classic.png",
                            "nsgcombo-classic.png");
}

TEST_F(NsgComboLooksTest, ColouredButtonNormalHotAndDown) {
  Form->SetClientHeight(130);
  BuildSheet();
  const Integer cw = Colored->GetClientWidth();
  const Integer bx = cw - 3, by = 3;   // inside the button, away from the arrow
  // Client pixels: the button fill starts one pixel in from the strip's left edge.
  EXPECT_EQ(Headless::ClientPixel(Colored->GetHandle(), bx, by), RGB(0, 0, 128));
  MoveTo(Colored, bx, by);
  ASSERT_TRUE(Colored->GetButtonHover());
  EXPECT_EQ(Headless::ClientPixel(Colored->GetHandle(), bx, by), Blue);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgcombo-hot.png",
                            "nsgcombo-hot.png");
  // The right button held over it: the down colour (the list does not open).
  TPoint p = ScreenPoint(Colored, bx, by);
  Headless::ButtonDown(3, p.x, p.y);
  Colored->Invalidate();
  Pump();
  EXPECT_EQ(Headless::ClientPixel(Colored->GetHandle(), bx, by), Red);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgcombo-down.png",
                            "nsgcombo-down.png");
  Headless::ButtonUp(3, p.x, p.y);
  Pump();
  // The arrow in the text colour.
  const Integer left = cw - Colored->GetButtonWidth() + 3;
  EXPECT_EQ(Headless::ClientPixel(Colored->GetHandle(), left + 7, 1 + 8), RGB(255, 255, 255));
}

}  // namespace

}  // namespace NsgCombo
