// The edit with a button and the unit edit: the formatting rectangle, keys and clipboard with the
// editor switched off, the button's click rules, the unit popup through the message queue, text
// and unit, and the speed buttons' painting cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/base/NeoXPVS.h"
#include "lib/grid/editing/NsgEditBtn.h"
#include "platform/ui/Menus.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/UxTheme.h"

namespace {

// The edit with a unit strip of a chosen width, as the unit edit reserves one.
class TProbeEditBtn : public TNsgEditBtn {
public:
  using TNsgEditBtn::TNsgEditBtn;
  void SetUnitSize(Integer Value) {
    FUnitSize = Value;
    SetEditRect();
  }
};

class NsgEditBtnTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    NeoXPVS::LoadThemeApi();
    Form = NewForm(360, 240);
  }
  void TearDown() override {
    SetThemeActive(true);
    NeoXPVS::FreeThemeApi();   // as the other suites expect to find it
    UiTest::TearDown();
  }
  void ShowForm() {
    Form->Show();
    Headless::Activate(Form->GetHandle());
    Pump();
  }
  static RECT EditRect(TWinControl* E) {
    RECT r{};
    SendMessage(E->GetHandle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  TForm* Form = nullptr;
};

TEST_F(NsgEditBtnTest, ConstructionDefaults) {
  auto* e = Add<TNsgEditBtn>(Form, 10, 10, 120, 24);
  EXPECT_EQ(e->GetText(), u"0");
  EXPECT_TRUE(e->GetEditorEnabled());
  EXPECT_FALSE(e->GetRightAlign());
  EXPECT_EQ(e->GetButtonAlign(), btnRight);
  TNsgEditButton* b = e->GetButton();
  EXPECT_EQ(b->GetParent(), e);
  EXPECT_EQ(b->GetOwner(), e);
  EXPECT_EQ(b->GetFocusControl(), e);
  EXPECT_EQ(b->GetWidth(), 18);
  EXPECT_EQ(b->GetButton()->GetBoundsRect(), (TRect{0, 0, b->GetWidth(), b->GetHeight()}));
  auto* container = Add<TNsgEditButton>(Form, 200, 10, 20, 25);
  EXPECT_EQ(container->GetNumGlyphs(), 1);
  EXPECT_FALSE(container->GetControlStyle().Contains(csAcceptsControls));
  EXPECT_TRUE(container->GetControlStyle().Contains(csOpaque));
  container->SetBounds(200, 10, 30, 40);
  EXPECT_EQ(container->GetButton()->GetBoundsRect(), (TRect{0, 0, 30, 40}));
  auto* units = Add<TNsgUnitEditBtn>(Form, 10, 50, 120, 24);
  EXPECT_TRUE(units->GetRightAlign());
  EXPECT_EQ(units->GetUnitSpace(), 20);
  ShowForm();
  EXPECT_NE(GetWindowLong(units->GetHandle(), GWL_STYLE) & ES_RIGHT, 0);
  EXPECT_NE(GetWindowLong(e->GetHandle(), GWL_STYLE) & ES_MULTILINE, 0);
  EXPECT_EQ(GetWindowLong(e->GetHandle(), GWL_STYLE) & ES_RIGHT, 0);
}

TEST_F(NsgEditBtnTest, FormattingRectangleTableAndHitTesting) {
  struct TCase {
    bool Border;
    TButtonAlign Align;
    Integer Unit, Width;
    RECT Expected;   // for a 24-pixel-high edit
  };
  // Client sizes: with a border 4 less each way (the sunken edge), 20 high; without, 24 high.
  const TCase cases[] = {
      {true, btnRight, 0, 120, {1, 1, 116 - 18 - 5, 21}},        {true, btnRight, 0, 200, {1, 1, 196 - 18 - 5, 21}},
      {true, btnRight, 20, 120, {1, 1, 116 - 18 - 20 - 8, 21}},  {true, btnRight, 20, 200, {1, 1, 196 - 18 - 20 - 8, 21}},
      {true, btnLeft, 0, 120, {19, 1, 116 - 3, 21}},             {true, btnLeft, 0, 200, {19, 1, 196 - 3, 21}},
      {true, btnLeft, 20, 120, {19, 1, 116 - 20 - 6, 21}},       {true, btnLeft, 20, 200, {19, 1, 196 - 20 - 6, 21}},
      {false, btnRight, 0, 120, {3, 3, 120 - 18 - 5, 25}},       {false, btnRight, 0, 200, {3, 3, 200 - 18 - 5, 25}},
      {false, btnRight, 20, 120, {3, 3, 120 - 18 - 20 - 8, 25}}, {false, btnRight, 20, 200, {3, 3, 200 - 18 - 20 - 8, 25}},
      {false, btnLeft, 0, 120, {21, 3, 120 - 3, 25}},            {false, btnLeft, 0, 200, {21, 3, 200 - 3, 25}},
      {false, btnLeft, 20, 120, {21, 3, 120 - 20 - 6, 25}},      {false, btnLeft, 20, 200, {21, 3, 200 - 20 - 6, 25}},
  };
  ShowForm();
  for (const TCase& k : cases) {
    auto* e = Add<TProbeEditBtn>(Form, 10, 10, k.Width, 24);
    e->SetBorderStyle(k.Border ? bsSingle : bsNone);
    e->SetButtonAlign(k.Align);
    e->SetText(u"12345");
    e->HandleNeeded();
    e->SetUnitSize(k.Unit);
    const std::string name = std::string(k.Border ? "border " : "plain ") + (k.Align == btnLeft ? "left " : "right ") +
                             std::to_string(k.Unit) + " " + std::to_string(k.Width);
    EXPECT_EQ(EditRect(e), k.Expected) << name;
    // The button lies outside the text rectangle.
    TRect button = e->GetButton()->GetBoundsRect();
    if (k.Align == btnRight) EXPECT_LE(k.Expected.right, button.left) << name;
    else EXPECT_GE(k.Expected.left, button.right) << name;
    // A click at the first character puts the caret before it.
    e->SetFocus();
    e->SetSelStart(3);
    ClickAt(e, k.Expected.left + 1, (k.Expected.top + std::min<Integer>(k.Expected.bottom, e->GetClientHeight())) / 2);
    EXPECT_EQ(e->GetSelStart(), 0) << name;
    delete e;
  }
}

TEST_F(NsgEditBtnTest, TextAndUnit) {
  auto* e = Add<TNsgUnitEditBtn>(Form, 10, 10, 140, 24);
  struct TCase {
    std::vector<String> Units;
    String Value, Text, Unit;
  };
  const TCase cases[] = {
      {{u"kg", u"g"}, u"10 kg", u"10 ", u"kg"},
      {{u"g", u"kg"}, u"10 kg", u"10 k", u"g"},   // the first unit in list order that ends the value wins
      {{u"EUR", u"USD"}, u"12,50EUR", u"12,50", u"EUR"},
      {{u"EUR", u"USD"}, u"12,50 GBP", u"12,50", u"EUR"},   // no unit ends it: nothing changes
      {{u"m"}, u"m", u"", u"m"},
      {{u"kg", u"g"}, u"kg kg", u"", u"m"},   // each unit's first occurrence is not at the end: unchanged
  };
  for (const TCase& k : cases) {
    e->GetUnits()->Clear();
    for (const String& u : k.Units) e->GetUnits()->Add(u);
    e->SetTextAndUnit(k.Value);
    EXPECT_EQ(e->GetText(), k.Text) << UTF8Encode(k.Value);
    EXPECT_EQ(e->GetUnitID(), k.Unit) << UTF8Encode(k.Value);
  }
  EXPECT_EQ(e->GetTextAndUnit(), e->GetText() + e->GetUnitID());
  e->SetUnits(nullptr);   // ignored
  EXPECT_EQ(e->GetUnits()->GetCount(), 2);
}

TEST_F(NsgEditBtnTest, EditorSwitchedOffLeavesOnlyTheButton) {
  auto* source = Add<TEdit>(Form, 10, 100, 80, 22);
  auto* e = Add<TNsgEditBtn>(Form, 10, 10, 140, 24);
  std::vector<TObject*> clicks;
  e->OnClickBtn = [&](TObject* Sender) { clicks.push_back(Sender); };
  ShowForm();
  source->SetText(u"99");
  source->SelectAll();
  source->CopyToClipboard();

  e->SetEditorEnabled(false);
  e->SetFocus();
  Pump();
  e->SetSelStart(1);
  Chord(VK_CONTROL, 'V');
  Type(u"5");
  Chord(VK_SHIFT, VK_INSERT);
  e->SelectAll();
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(e->GetText(), u"0");
  Press(VK_F4);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], e->GetButton());
  ClickAt(e->GetButton()->GetButton(), 4, 4);
  EXPECT_EQ(clicks.size(), 2u);
  EXPECT_TRUE(e->Focused());

  // Read-only stops paste and cut too; the editor on again types and pastes.
  e->SetEditorEnabled(true);
  e->SetReadOnly(true);
  e->SetSelStart(1);
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(e->GetText(), u"0");
  e->SetReadOnly(false);
  e->SetSelStart(1);
  Chord(VK_CONTROL, 'V');
  Type(u"5");
  EXPECT_EQ(e->GetText(), u"0995");
}

TEST_F(NsgEditBtnTest, OnlyPlainF4AndTheLeftButtonClick) {
  auto* e = Add<TNsgEditBtn>(Form, 10, 10, 140, 24);
  int clicks = 0;
  e->OnClickBtn = [&](TObject*) { ++clicks; };
  Form->OnCloseQuery = [](TObject*, bool& CanClose) { CanClose = false; };   // Alt+F4 closes forms
  ShowForm();
  e->SetFocus();
  Pump();
  Chord(VK_CONTROL, VK_F4);
  EXPECT_EQ(clicks, 0) << "Ctrl+F4";
  Headless::KeyDown(VK_CONTROL);
  Headless::KeyDown(VK_RMENU);   // AltGr
  Headless::KeyPress(VK_F4);
  Headless::KeyUp(VK_RMENU);
  Headless::KeyUp(VK_CONTROL);
  Pump();
  EXPECT_EQ(clicks, 0) << "AltGr+F4";
  Headless::KeyDown(VK_LMENU);
  Headless::KeyPress(VK_F4);
  Headless::KeyUp(VK_LMENU);
  Pump();
  EXPECT_EQ(clicks, 0) << "Alt+F4";
  Press(VK_F4);
  EXPECT_EQ(clicks, 1);

  // The right button fires nothing.
  TPoint p = ScreenPoint(e->GetButton()->GetButton(), 4, 4);
  Headless::Click(p.x, p.y, 3);
  Pump();
  EXPECT_EQ(clicks, 1);
  ClickAt(e->GetButton()->GetButton(), 4, 4);
  EXPECT_EQ(clicks, 2);
}

TEST_F(NsgEditBtnTest, FocusRuleAfterAClick) {
  auto* e = Add<TNsgEditBtn>(Form, 10, 10, 140, 24);
  auto* other = Add<TEdit>(Form, 10, 60, 80, 22);
  auto* container = Add<TNsgEditButton>(Form, 200, 10, 20, 25);
  container->SetTabStop(true);
  int fired = 0;
  container->OnClick = [&](TObject* Sender) {
    EXPECT_EQ(Sender, container);
    ++fired;
  };
  ShowForm();
  other->SetFocus();
  Pump();
  // The edit's container hands the focus to the edit.
  ClickAt(e->GetButton()->GetButton(), 4, 4);
  EXPECT_TRUE(e->Focused());
  // Without a focus control the container takes the focus itself.
  ClickAt(container->GetButton(), 4, 4);
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(container->Focused());
  // A freed focus control is forgotten.
  container->SetFocusControl(other);
  delete other;
  EXPECT_EQ(container->GetFocusControl(), nullptr);
}

TEST_F(NsgEditBtnTest, UnitPopupPicksWithKeys) {
  auto* e = Add<TNsgUnitEditBtn>(Form, 20, 20, 160, 24);
  for (const char16_t* u : {u"g", u"kg", u"t"}) e->GetUnits()->Add(u);
  e->SetUnitID(u"g");
  std::vector<TObject*> clickSenders;
  e->OnClickBtn = [&](TObject* Sender) { clickSenders.push_back(Sender); };
  std::vector<String> changes;
  e->OnUnitChanged = [&](TObject* Sender, const String& NewUnit) {
    EXPECT_EQ(Sender, e);
    changes.push_back(NewUnit);
  };
  ShowForm();
  e->SetFocus();
  Pump();

  // What the shown menu holds, looked at from inside its loop.
  std::vector<String> captions;
  RECT menuRect{};
  Application->OnMessage = [&](TMsg&, bool&) {
    TPopupMenu* menu = TrackedPopupMenu();
    if (!menu || !captions.empty()) return;
    for (Integer i = 0; i < menu->GetItems()->GetCount(); ++i) captions.push_back(menu->GetItems()->GetItems(i)->GetCaption());
    GetWindowRect(menu->GetPopupWindow(), &menuRect);
  };
  // The keys wait in the queue behind the click and reach the open menu.
  TPoint p = ScreenPoint(e->GetButton()->GetButton(), 4, 4);
  Headless::Click(p.x, p.y);
  Headless::KeyPress(VK_DOWN);
  Headless::KeyPress(VK_DOWN);
  Headless::KeyPress(VK_RETURN);
  Pump();
  Application->OnMessage = nullptr;
  EXPECT_EQ(captions, (std::vector<String>{u"g", u"kg", u"t"}));
  const TPoint origin = e->GetClientOrigin();
  EXPECT_EQ(menuRect.left, origin.x + e->GetClientWidth() - 15);
  EXPECT_EQ(menuRect.top, origin.y + e->GetClientHeight());
  ASSERT_EQ(clickSenders.size(), 1u);
  EXPECT_EQ(clickSenders[0], e);
  EXPECT_EQ(e->GetUnitID(), u"kg");
  EXPECT_EQ(changes, (std::vector<String>{u"kg"}));
  EXPECT_EQ(TrackedPopupMenu(), nullptr);

  // Esc picks nothing; re-picking the current unit fires nothing.
  Headless::Click(p.x, p.y);
  Headless::KeyPress(VK_DOWN);
  Headless::KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(e->GetUnitID(), u"kg");
  Headless::KeyPress(VK_F4);   // F4 pops the menu up too
  Headless::KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_EQ(clickSenders.size(), 3u);
  e->Perform(WM_COMMAND, MAKEWPARAM(2, 0), 0);
  EXPECT_EQ(changes.size(), 1u);
  // Identifiers outside the list and the notification code 0x300 are ignored.
  e->Perform(WM_COMMAND, MAKEWPARAM(4, 0), 0);
  e->Perform(WM_COMMAND, MAKEWPARAM(3, 0x300), 0);
  EXPECT_EQ(e->GetUnitID(), u"kg");
  e->Perform(WM_COMMAND, MAKEWPARAM(3, 0), 0);
  EXPECT_EQ(changes, (std::vector<String>{u"kg", u"t"}));
}

TEST_F(NsgEditBtnTest, MenuHandles) {
  EXPECT_FALSE(AppendMenu(nullptr, MF_STRING, 1, u"x"));
  HMENU m = CreatePopupMenu();
  EXPECT_FALSE(TrackPopupMenu(m, TPM_LEFTBUTTON, 0, 0, 0, nullptr, nullptr)) << "no item";
  EXPECT_TRUE(AppendMenu(m, MF_STRING, 7, u"Seven"));
  EXPECT_TRUE(DestroyMenu(m));
  EXPECT_FALSE(DestroyMenu(m));
}

TEST_F(NsgEditBtnTest, SpeedButtonImageIndexEqualToTheCountDrawsNothing) {
  TImageList images(nullptr);
  images.SetWidth(8);
  images.SetHeight(8);
  TBitmap red;
  red.SetSize(8, 8);
  red.GetCanvas()->GetBrush()->SetColor(clRed);
  red.GetCanvas()->FillRect(TRect{0, 0, 8, 8});
  images.AddMasked(&red, clFuchsia);
  auto* b = Add<TNsgSpeedButton>(Form, 10, 10, 24, 24);
  b->SetImages(&images);
  ShowForm();
  auto centre = [&] { Pump(); return Headless::ClientPixel(Form->GetHandle(), 10 + 12, 10 + 12); };
  ASSERT_EQ(images.GetCount(), 1);
  EXPECT_NE(centre(), RGB(255, 0, 0)) << "no index";
  b->SetImageIndex(1);   // = the count
  EXPECT_NE(centre(), RGB(255, 0, 0));
  b->SetImageIndex(0);
  EXPECT_EQ(centre(), RGB(255, 0, 0));
  EXPECT_EQ(Headless::ClientPixel(Form->GetHandle(), 10 + 8, 10 + 8), RGB(255, 0, 0));   // (24 - 8) / 2
  EXPECT_NE(Headless::ClientPixel(Form->GetHandle(), 10 + 7, 10 + 8), RGB(255, 0, 0));
  b->SetImages(nullptr);   // stored only: the next painting draws no image
  b->Invalidate();
  EXPECT_NE(centre(), RGB(255, 0, 0));
}

// Each speed-button look in the normal, hot and down states, a unit edit and a left button.
TEST_F(NsgEditBtnTest, LooksMatchTheGoldens) {
  Form->SetClientHeight(150);
  struct TLook {
    const char* Name;
    bool Colored, Themed, Flat;
  };
  const TLook looks[] = {{"colored", true, false, false}, {"themed", false, true, false},
                         {"classic", false, false, false}, {"flat", false, false, true}};
  for (Integer row = 0; row < 4; ++row)
    for (Integer state = 0; state < 3; ++state) {
      auto* c = Add<TNsgEditButton>(Form, 10 + state * 40, 10 + row * 30, 30, 24);
      c->SetButtonCaption(u"...");
      const TLook& look = looks[row];
      if (look.Colored) {
        c->SetButtonColor(clNavy);
        c->SetButtonColorHot(clBlue);
        c->SetButtonColorDown(clTeal);
      }
      c->GetButton()->SetIsWinXP(look.Themed);
      c->SetFlat(look.Flat);
      if (state == 1) c->GetButton()->Perform(CM_MOUSEENTER, 0, 0);
      if (state == 2) {
        c->GetButton()->SetGroupIndex(1);
        c->GetButton()->SetDown(true);
      }
    }
  auto* money = Add<TNsgUnitEditBtn>(Form, 140, 10, 120, 24);
  money->SetText(u"12,50");
  money->SetUnitSpace(28);
  money->SetUnitID(u"EUR");
  auto* left = Add<TNsgEditBtn>(Form, 140, 50, 120, 24);
  left->SetButtonAlign(btnLeft);
  left->SetText(u"left");
  ShowForm();
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/nsgeditbtn-looks.png",
                            "nsgeditbtn-looks.png");
}

}  // namespace
