// The control classes: message dispatch with inherited chaining, replaceable WindowProc, parent
// font, alignment and anchors, windowless controls under the mouse, cursors, timers.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"

namespace {

// A button that notes the messages it handles and then chains to its parent class.
class TLoggingButton : public TButton {
  ZELK_CLASS(TLoggingButton, TButton)
public:
  explicit TLoggingButton(TComponent* AOwner) : TButton(AOwner) {}
  std::vector<String> Log;
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
      case CM_ENABLEDCHANGED: Log.push_back(u"enabled"); break;
      case CM_FONTCHANGED: Log.push_back(u"font"); break;
      case CM_TEXTCHANGED: Log.push_back(u"text"); break;
      case WM_GETDLGCODE:
        inherited::Dispatch(Message);
        Message.Result |= DLGC_WANTARROWS;
        return;
    }
    inherited::Dispatch(Message);
  }
};

}  // namespace

class ControlsTest : public UiTest {};

TEST_F(ControlsTest, HandlersChainToTheParentClassAndWindowProcCanBeReplaced) {
  TForm* f = NewForm();
  auto* b = Add<TLoggingButton>(f, 10, 10, 75, 25);
  f->Show();
  b->Log.clear();
  b->SetEnabled(false);
  b->SetCaption(u"Größe");
  f->GetFont()->SetHeight(-15);   // reaches the child as its parent font
  EXPECT_EQ(b->Log, (std::vector<String>{u"enabled", u"text", u"font"}));
  EXPECT_FALSE(IsWindowEnabled(b->GetHandle()));   // the inherited handler still ran
  EXPECT_EQ(b->GetFont()->GetHeight(), -15);
  // The focused button is the one Enter presses, so it answers as the default push button.
  EXPECT_EQ(SendMessage(b->GetHandle(), WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_WANTARROWS);
  auto old = b->WindowProc;
  int seen = 0;
  b->WindowProc = [&](TMessage& M) {
    if (M.Msg == CM_TEXTCHANGED) ++seen;
    old(M);
  };
  b->SetCaption(u"Übernehmen");
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(b->Log.back(), u"text");
  b->WindowProc = old;
}

TEST_F(ControlsTest, AlignedAndAnchoredControlsFollowTheirParent) {
  TForm* f = NewForm(300, 200);
  auto* top = Add<TPanel>(f, 0, 0, 50, 30);
  top->SetAlign(alTop);
  auto* client = Add<TPanel>(f, 0, 0, 50, 50);
  client->SetAlign(alClient);
  auto* corner = Add<TButton>(client, 200, 140, 80, 25);
  corner->SetAnchors(TAnchors{akRight, akBottom});
  auto* wide = Add<TEdit>(client, 10, 10, 280, 22);
  wide->SetAnchors(TAnchors{akLeft, akTop, akRight});
  f->Show();
  EXPECT_EQ(top->GetBoundsRect(), (TRect{0, 0, 300, 30}));
  EXPECT_EQ(client->GetBoundsRect(), (TRect{0, 30, 300, 200}));
  f->SetClientWidth(400);
  f->SetClientHeight(250);
  Pump();
  EXPECT_EQ(client->GetBoundsRect(), (TRect{0, 30, 400, 250}));
  EXPECT_EQ(corner->GetBoundsRect(), (TRect{300, 190, 380, 215}));
  EXPECT_EQ(wide->GetWidth(), 380);
}

TEST_F(ControlsTest, RecreatingTheWindowKeepsTextSelectionAndFocusWithoutExitOrEnter) {
  TForm* f = NewForm();
  auto* e = Add<TEdit>(f, 10, 10, 150, 22);
  int enters = 0, exits = 0;
  e->OnEnter = [&](TObject*) { ++enters; };
  e->OnExit = [&](TObject*) { ++exits; };
  f->Show();
  Pump();
  Type(u"geheim");
  e->SetSelStart(2);
  e->SetSelLength(3);
  HWND before = e->GetHandle();
  e->SetPasswordChar(u'*');
  EXPECT_NE(e->GetHandle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_TRUE(e->Focused());
  EXPECT_EQ(e->GetText(), u"geheim");
  EXPECT_EQ(e->GetSelStart(), 2);
  EXPECT_EQ(e->GetSelLength(), 3);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 0);
  EXPECT_NE(GetWindowLong(e->GetHandle(), GWL_STYLE) & static_cast<LONG>(ES_PASSWORD), 0);
}

TEST_F(ControlsTest, WindowlessControlsGetTheMouseAndGroupedSpeedButtonsStayDownOneAtATime) {
  TForm* f = NewForm();
  auto* a = Add<TSpeedButton>(f, 10, 10, 40, 25);
  auto* b = Add<TSpeedButton>(f, 60, 10, 40, 25);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetCaption(u"A");
  b->SetCaption(u"B");
  std::vector<String> clicks;
  a->OnClick = [&](TObject*) { clicks.push_back(u"A"); };
  b->OnClick = [&](TObject*) { clicks.push_back(u"B"); };
  f->Show();
  Pump();
  ClickAt(a, 5, 5);
  EXPECT_TRUE(a->GetDown());
  Headless::AdvanceClock(1000);
  ClickAt(b, 5, 5);
  EXPECT_FALSE(a->GetDown());
  EXPECT_TRUE(b->GetDown());
  // Pressed on the button, released outside: no click.
  TPoint in = ScreenPoint(a, 5, 5), out = ScreenPoint(a, 5, 100);
  Headless::ButtonDown(1, in.x, in.y);
  Headless::MouseMove(out.x, out.y);
  Headless::ButtonUp(1, out.x, out.y);
  Pump();
  EXPECT_EQ(clicks, (std::vector<String>{u"A", u"B"}));
}

TEST_F(ControlsTest, ScreenCursorOverridesEveryControlsCursor) {
  TForm* f = NewForm();
  auto* b = Add<TButton>(f, 10, 10, 75, 25);
  b->SetCursor(crHandPoint);
  f->Show();
  Pump();
  TPoint p = ScreenPoint(b, 5, 5);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  Headless::MouseMove(p.x + 1, p.y);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(ControlsTest, TimerPeriodRestartsWhenEnabledOrIntervalIsSet) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(100);
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  Headless::AdvanceClock(60);
  Pump();
  timer.SetInterval(100);   // restarts: 60 more ms are not enough
  Headless::AdvanceClock(60);
  Pump();
  EXPECT_EQ(ticks, 0);
  Headless::AdvanceClock(40);
  Pump();
  EXPECT_EQ(ticks, 1);
  timer.SetEnabled(false);
  Headless::AdvanceClock(500);
  Pump();
  EXPECT_EQ(ticks, 1);
}

TEST_F(ControlsTest, HintsShowAfterThePauseAndCM_HINTSHOWCanChangeThem) {
  TForm* f = NewForm();
  auto* b = Add<TButton>(f, 10, 10, 75, 25);
  b->SetHint(u"Kurz|Lange Erklärung");
  b->SetShowHint(true);
  f->Show();
  Pump();
  TPoint p = ScreenPoint(b, 5, 5);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(Application->GetHint(), u"Lange Erklärung");
  Headless::AdvanceClock(600);
  Pump();
  THintWindow* hint = Application->GetHintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->IsHintShown());
  EXPECT_EQ(hint->GetCaption(), u"Kurz");
  Headless::KeyPress(VK_SHIFT);
  Pump();
  EXPECT_FALSE(hint->IsHintShown());
}
