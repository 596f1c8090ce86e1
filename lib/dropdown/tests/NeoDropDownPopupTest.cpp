// The dropdown popup through the headless window system: where it opens, its sizes at two
// resolutions, closing by key, button and deactivation, the order of the events, the control
// dropdown, the popup's own messages and its background, and a screen picture of an open popup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/dropdown/NeoControlDropDown.h"
#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoHeader.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace {

class TPopupDropDown : public TNeoControlDropDown {
public:
  using TNeoControlDropDown::TNeoControlDropDown;
  using TNeoCustomDropDown::DoHideDropDown;
  using TNeoControlDropDown::Loaded;
  TDropDownForm* Popup() const { return GetDropDownForm(); }
};

// A borderless form: its client area starts at its window's corner.
TForm* NewPlainForm(Integer X, Integer Y, Integer W = 300, Integer H = 200) {
  auto* f = new TForm(Application);
  f->SetBorderStyle(bsNone);
  f->SetBounds(X, Y, W, H);
  return f;
}

TRect WindowRect(TWinControl* C) {
  RECT r{};
  GetWindowRect(C->GetHandle(), &r);
  return r;
}

class DropDownPopup : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Headless::SetScreenSize(1024, 768);
    Headless::SetWorkArea(RECT{0, 0, 1024, 728});
  }
  void TearDown() override {
    Headless::SetDpi(96);
    UiTest::TearDown();
  }
  // A shown form at (X, Y) with a dropdown at (10, 10) in it, 120 pixels wide.
  static TPopupDropDown* ShownDropDown(Integer X, Integer Y) {
    TForm* f = NewPlainForm(X, Y);
    auto* d = new TPopupDropDown(f);
    d->SetParent(f);
    d->SetBounds(10, 10, 120, 21);
    f->Show();
    Pump();
    d->SetFocus();
    Pump();
    return d;
  }
  static bool IsOpen(TPopupDropDown* D) { return D->GetDroppedDown() && IsWindowVisible(D->Popup()->GetHandle()); }
};

}  // namespace

// Where the popup opens: edit positions x DropPosition x the edit's border (a borderless edit
// shifts the popup by 2 pixels), on a 1024 x 768 screen with a 40-pixel task bar, and on a second
// monitor to the left of it (1280 x 1024, fully usable).
TEST_F(DropDownPopup, OpensBelowOrAboveInsideTheNearestWorkArea) {
  Headless::SetMonitors({{RECT{0, 0, 1024, 768}, RECT{0, 0, 1024, 728}}, {RECT{-1280, 0, 0, 1024}, RECT{-1280, 0, 0, 1024}}});
  struct TCase {
    const char* Name;
    Integer FormX, FormY;
    TDropPosition Position;
    bool Borderless;
    TRect Want;   // popup 150 x 100
  };
  const TCase cases[] = {
      {"top auto", 100, 0, dpAuto, false, {110, 30, 260, 130}},
      {"top auto borderless", 100, 0, dpAuto, true, {108, 32, 258, 132}},
      {"top up", 100, 0, dpUp, false, {110, -90, 260, 10}},
      {"middle auto", 100, 350, dpAuto, false, {110, 380, 260, 480}},
      {"middle up borderless", 100, 350, dpUp, true, {108, 262, 258, 362}},
      {"bottom auto", 100, 690, dpAuto, false, {110, 600, 260, 700}},
      {"bottom auto borderless", 100, 690, dpAuto, true, {108, 602, 258, 702}},
      {"bottom down", 100, 690, dpDown, false, {110, 720, 260, 820}},
      {"right edge", 950, 300, dpAuto, false, {874, 330, 1024, 430}},
      {"starts beyond the right edge", 1020, 300, dpAuto, false, {1030, 330, 1180, 430}},
      {"left monitor right edge", -110, 300, dpAuto, false, {-150, 330, 0, 430}},
      {"left monitor low, room below", -600, 690, dpAuto, false, {-590, 720, -440, 820}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPopupDropDown* d = ShownDropDown(c.FormX, c.FormY);
    if (c.Borderless) d->SetBorderStyle(bsNone);
    d->SetDropDownWidth(150);
    d->SetDropDownHeight(100);
    d->SetDropPosition(c.Position);
    ASSERT_EQ(d->GetHeight(), 21);
    d->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen(d));
    EXPECT_EQ(WindowRect(d->Popup()), c.Want);
    EXPECT_TRUE(GetWindowLongPtr(d->Popup()->GetHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetClassLongPtr(d->Popup()->GetHandle(), GCL_STYLE) & CS_DROPSHADOW);
    delete GetParentForm(d);
  }
}

TEST_F(DropDownPopup, AutomaticSizeFollowsTheEditHeaderFooterAndControl) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  d->ShowDropDown();
  Pump();
  // No content control and DropDownWidth 0: as wide as the edit; border, header and footer high
  // (2 + 22 + 22), held at the popup's 50-pixel minimum.
  EXPECT_EQ(d->Popup()->GetWidth(), 120);
  EXPECT_EQ(d->Popup()->GetHeight(), 50);
  ASSERT_TRUE(d->Popup()->GetHeader() && d->Popup()->GetFooter());
  d->HideDropDown(false);
  d->ResetDropDownSize();
  auto* list = new TListBox(GetParentForm(d));
  list->SetBounds(0, 0, 180, 90);
  d->SetControl(list);
  d->ShowDropDown();
  Pump();
  EXPECT_EQ(d->Popup()->GetWidth(), 180);
  EXPECT_EQ(d->Popup()->GetHeight(), 2 + 22 + 22 + 90);
  EXPECT_EQ(list->GetParent(), d->Popup());
  EXPECT_EQ(list->GetTop(), 22 + 1);   // aligned below the header, inside the border
  EXPECT_EQ(GetFocus(), list->GetHandle());
}

// The size the user leaves the popup at is kept in 96-dpi pixels: 300 x 225 at 144 dpi is 200 x
// 150, and opens as 200 x 150 at 96 dpi. A new DropDownWidth forgets the user's width.
TEST_F(DropDownPopup, UserSizeIsStoredUnscaled) {
  Headless::SetDpi(144);
  TPopupDropDown* d = ShownDropDown(100, 100);
  ASSERT_FLOAT_EQ(d->GetDPIScale(), 1.5F);
  d->ShowDropDown();
  Pump();
  SetWindowPos(d->Popup()->GetHandle(), nullptr, 0, 0, 300, 225, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  d->HideDropDown(false);
  EXPECT_EQ(d->GetUserDropDownWidth(), 200);
  EXPECT_EQ(d->GetUserDropDownHeight(), 150);
  Headless::SetDpi(96);
  d->Perform(CM_FONTCHANGED, 0, 0);
  ASSERT_FLOAT_EQ(d->GetDPIScale(), 1.0F);
  d->ShowDropDown();
  Pump();
  EXPECT_EQ(WindowRect(d->Popup()).right - WindowRect(d->Popup()).left, 200);
  EXPECT_EQ(d->Popup()->GetHeight(), 150);
  EXPECT_EQ(d->GetDropDownSize().cx, 200);
  d->HideDropDown(false);
  d->SetDropDownWidth(90);
  EXPECT_EQ(d->GetUserDropDownWidth(), -1);
}

// Typing while open changes the text; Esc brings back the text of the moment it opened, Enter
// keeps the new one. Either way the focus returns to the edit.
TEST_F(DropDownPopup, EscRestoresTheTextEnterKeepsIt) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    d->SetText(u"old");
    d->ShowDropDown();
    Pump();
    ASSERT_TRUE(IsOpen(d));
    Type(u"new");   // the popup hands the keys to the edit, whose caret is at the start
    EXPECT_EQ(d->GetText(), u"newold");
    Press(key);
    EXPECT_FALSE(IsOpen(d));
    EXPECT_EQ(d->GetText(), key == VK_ESCAPE ? u"old" : u"newold");
    EXPECT_EQ(GetFocus(), d->GetHandle());
  }
  // F4 and Alt+Down open and close it from the edit.
  Press(VK_F4);
  EXPECT_TRUE(IsOpen(d));
  Press(VK_F4);
  EXPECT_FALSE(IsOpen(d));
  Chord(VK_MENU, VK_DOWN);
  EXPECT_TRUE(IsOpen(d));
  Chord(VK_MENU, VK_UP);
  EXPECT_FALSE(IsOpen(d));
}

TEST_F(DropDownPopup, EventOrderOfAnOpenAndACancel) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  std::vector<std::string> log;
  d->OnBeforeDropDown = [&](TObject*) { log.push_back("BeforeDropDown"); };
  d->OnDropDown = [&](TObject*, bool&) { log.push_back("DropDown"); };
  d->OnGetDropDownPos = [&](TObject*, TPoint&) { log.push_back("GetDropDownPos"); };
  d->OnAfterDropDown = [&](TObject*) { log.push_back("AfterDropDown" + std::string(d->GetDroppedDown() ? " dropped" : "")); };
  d->Popup()->OnActivate = [&](TObject*) { log.push_back("popup active"); };
  d->OnBeforeDropUp = [&](TObject*) { log.push_back("BeforeDropUp"); };
  d->Popup()->OnHide = [&, hide = d->Popup()->OnHide](TObject* S) {
    log.push_back("popup hidden");
    hide(S);
  };
  d->OnDropUp = [&](TObject*, bool Cancelled) { log.push_back(Cancelled ? "DropUp cancelled" : "DropUp"); };
  d->ShowDropDown();
  Pump();
  Press(VK_ESCAPE);
  const std::vector<std::string> want = {"BeforeDropDown", "DropDown",     "GetDropDownPos", "popup active",
                                         "AfterDropDown dropped", "BeforeDropUp", "popup hidden", "DropUp cancelled"};
  EXPECT_EQ(log, want);
  // A handler that refuses keeps the popup hidden; re-entrant opening is ignored.
  log.clear();
  d->OnDropDown = [&](TObject*, bool& Accept) {
    d->ShowDropDown();
    Accept = false;
  };
  d->ShowDropDown();
  Pump();
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(log, (std::vector<std::string>{"BeforeDropDown"}));
}

// The popup keeps the owner form's caption active, closes with cancel when another window or
// program takes the activation, and does not reopen from a button click that closed it.
TEST_F(DropDownPopup, DeactivationClosesWithCancel) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  TCustomForm* owner = GetParentForm(d);
  TForm* other = NewPlainForm(600, 100);
  other->Show();
  owner->Show();
  Pump();
  d->SetFocus();
  d->SetText(u"kept");
  const TPoint button = d->GetButton()->ClientToScreen(TPoint{5, 5});
  Headless::Click(button.x, button.y);
  Pump();
  ASSERT_TRUE(IsOpen(d));
  EXPECT_EQ(GetActiveWindow(), d->Popup()->GetHandle());
  EXPECT_EQ(SendMessage(owner->GetHandle(), WM_NCACTIVATE, TRUE, 0) != 0, true);
  d->SetText(u"typed");
  // The drop button while open: the press closes it, the click that follows does not reopen it.
  Headless::Click(button.x, button.y);
  Pump();
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetText(), u"kept");
  EXPECT_FALSE(d->Popup()->GetIsDeactivating());
  Headless::AdvanceClock(251);
  Headless::Click(button.x, button.y);
  Pump();
  EXPECT_TRUE(IsOpen(d));
  // Another form of the program, another program, a press on no window at all.
  for (int how = 0; how < 3; ++how) {
    SCOPED_TRACE(how);
    if (!IsOpen(d)) {
      Headless::AdvanceClock(251);
      d->ShowDropDown();
      Pump();
    }
    ASSERT_TRUE(IsOpen(d));
    if (how == 0) ClickAt(other, 5, 5);
    else if (how == 1) Headless::DeactivateApp();
    else Headless::Click(1000, 700);
    Pump();
    EXPECT_FALSE(IsOpen(d));
  }
}

// A window owned by the popup (a menu of its content) takes the activation: the popup stays open
// and IsDeactivating is set. Esc then closes it through DoHideDropDown, which must not leave the
// flag set, or the popup could never open again.
TEST_F(DropDownPopup, ADescendantKeepsItOpenAndTheFlagClearsOnHide) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  d->ShowDropDown();
  Pump();
  auto* menu = new TForm(Application);
  menu->SetBorderStyle(bsNone);
  menu->SetParentWindow(d->Popup()->GetHandle());
  menu->SetBounds(500, 500, 50, 50);
  menu->Show();
  Pump();
  EXPECT_TRUE(IsOpen(d));
  EXPECT_TRUE(d->Popup()->GetIsDeactivating());
  SendMessage(d->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_FALSE(d->Popup()->GetIsDeactivating());
  delete menu;
  Headless::AdvanceClock(251);
  d->ShowDropDown();
  Pump();
  EXPECT_TRUE(IsOpen(d));
  // Coming back to the popup also ends a deactivation.
  auto* menu2 = new TForm(Application);
  menu2->SetBorderStyle(bsNone);
  menu2->SetParentWindow(d->Popup()->GetHandle());
  menu2->Show();
  Pump();
  ASSERT_TRUE(d->Popup()->GetIsDeactivating());
  SetActiveWindow(d->Popup()->GetHandle());
  EXPECT_FALSE(d->Popup()->GetIsDeactivating());
  delete menu2;
}

TEST_F(DropDownPopup, HitTestDialogCodeAndBackground) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  d->GetDropDownHeader()->SetVisible(false);
  d->GetDropDownFooter()->SetVisible(false);
  d->SetDropDownWidth(100);
  d->SetDropDownHeight(60);
  d->SetDropDownBorderWidth(3);
  d->SetDropDownBorderColor(static_cast<TColor>(0x0000FF));
  d->SetDropDownColor(static_cast<TColor>(0x00FF00));
  d->ShowDropDown();
  Pump();
  HWND h = d->Popup()->GetHandle();
  const TRect r = WindowRect(d->Popup());
  auto hit = [&](Integer X, Integer Y) { return SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(r.left + X, r.top + Y)); };
  EXPECT_EQ(hit(95, 55), HTNOWHERE);
  d->Popup()->SetSizeable(true);
  EXPECT_EQ(hit(95, 55), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(90, 55), HTNOWHERE);
  EXPECT_EQ(hit(50, 30), HTNOWHERE);
  EXPECT_EQ(SendMessage(h, WM_GETDLGCODE, 0, 0), 5);
  // A 3-pixel pen centred 1 pixel in: the border covers 0-2 on the left and top and the last two
  // pixels on the right and bottom; the fill is inside the border width on every side.
  auto pixel = [&](Integer X, Integer Y) { return Headless::ClientPixel(h, X, Y); };
  EXPECT_EQ(pixel(0, 30), RGB(255, 0, 0));
  EXPECT_EQ(pixel(2, 30), RGB(255, 0, 0));
  EXPECT_EQ(pixel(3, 30), RGB(0, 255, 0));
  EXPECT_EQ(pixel(99, 30), RGB(255, 0, 0));
  EXPECT_EQ(pixel(98, 30), RGB(255, 0, 0));
  EXPECT_EQ(pixel(96, 30), RGB(0, 255, 0));
  EXPECT_EQ(pixel(50, 0), RGB(255, 0, 0));
  EXPECT_EQ(pixel(50, 59), RGB(255, 0, 0));
  // A gradient runs from DropDownColor to DropDownColorTo across the width.
  d->HideDropDown(false);
  d->SetDropDownColorTo(static_cast<TColor>(0xFF0000));
  Headless::AdvanceClock(251);
  d->ShowDropDown();
  Pump();
  EXPECT_GT(GetGValue(pixel(4, 30)), 240);
  EXPECT_LT(GetBValue(pixel(4, 30)), 15);
  EXPECT_GT(GetBValue(pixel(95, 30)), 240);
  EXPECT_LT(GetGValue(pixel(95, 30)), 15);
}

// The control dropdown: a control named before loading is on the popup once loaded (not while
// designing); freeing it leaves Control nil and the popup with header and footer only.
TEST_F(DropDownPopup, ControlDropDownHostsAndForgetsItsControl) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  auto* tree = new TListBox(GetParentForm(d));
  tree->SetBounds(0, 0, 60, 80);
  d->SetControl(tree);
  // Narrower than the edit: widened to the edit less a scroll bar, kept unscaled.
  EXPECT_EQ(d->GetOriginalControlSize().cx, 120 - 17);
  EXPECT_FALSE(tree->GetVisible());
  d->Loaded();
  EXPECT_EQ(tree->GetParent(), d->Popup());
  delete tree;
  EXPECT_EQ(d->GetControl(), nullptr);
  d->ShowDropDown();
  Pump();
  ASSERT_TRUE(IsOpen(d));
  EXPECT_EQ(d->Popup()->GetHeight(), 50);
  EXPECT_EQ(d->Popup()->GetControlCount(), 2);
  EXPECT_TRUE(d->Popup()->GetHeader()->GetVisible());
  EXPECT_TRUE(d->Popup()->GetFooter()->GetVisible());
}

TEST(DropDownPopupDesign, ADesignedControlStaysWhereItIs) {
  class TDesignOwner : public TComponent {
  public:
    TDesignOwner() : TComponent(nullptr) { SetDesigning(true); }
  } owner;
  Headless::Use();
  TForm form(nullptr);
  TPopupDropDown d(&owner);
  TListBox list(nullptr);
  list.SetParent(&form);
  d.SetControl(&list);
  d.Loaded();
  EXPECT_EQ(d.Popup(), nullptr);
  EXPECT_EQ(list.GetParent(), &form);
  EXPECT_TRUE(list.GetVisible());
  d.SetControl(nullptr);
  list.SetParent(nullptr);
  Headless::Reset();
}

// What a person sees: the form with the edit and, below it, the open popup with header, list and
// footer, composed from every shown window (saved under the test output; looked at by hand).
TEST_F(DropDownPopup, ScreenPictureOfAnOpenPopup) {
  TPopupDropDown* d = ShownDropDown(100, 100);
  d->GetDropDownHeader()->SetCaption(u"Pick one");
  auto* list = new TListBox(GetParentForm(d));
  list->SetBounds(0, 0, 160, 80);
  for (const char16_t* s : {u"Alpha", u"Beta", u"Gamma"}) list->GetItems()->Add(s);
  d->SetControl(list);
  d->ShowDropDown();
  Pump();
  TSurface screen(1, 1);
  Headless::ScreenPixels(screen);
  const TRect r = WindowRect(d->Popup());
  ASSERT_EQ(r.top, 100 + 10 + 21 - 1);
  // The popup's black border, and the list's white inside under the header.
  EXPECT_EQ(screen.Row(r.top)[r.left + 20] & 0xFFFFFF, 0u);
  EXPECT_EQ(screen.Row(r.bottom - 1)[r.left + 20] & 0xFFFFFF, 0u);
  EXPECT_EQ(screen.Row(r.top + 22 + 40)[r.left + 120] & 0xFFFFFF, 0xFFFFFFu);
  ASSERT_TRUE(screen.SaveToPng(OutputPath("dropdown-open.png")));
}
