// Forms, focus, the dialog-key path, modal loops and the application's exception handling,
// driven through the message queue.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

namespace {

struct TKeyForm {
  TForm* Form;
  TEdit* Edit;
  TButton* Ok;
  TButton* Other;
  TButton* Cancel;
  std::vector<String> Clicks;
};

}  // namespace

class FormsTest : public UiTest {
protected:
  TKeyForm Build() {
    TKeyForm k;
    k.Form = NewForm(320, 120);
    k.Edit = Add<TEdit>(k.Form, 10, 10, 200, 22);
    k.Ok = Add<TButton>(k.Form, 10, 50, 75, 25);
    k.Other = Add<TButton>(k.Form, 95, 50, 75, 25);
    k.Cancel = Add<TButton>(k.Form, 180, 50, 75, 25);
    k.Ok->SetCaption(u"OK");
    k.Other->SetCaption(u"Ü&bernehmen");
    k.Cancel->SetCaption(u"Abbrechen");
    k.Ok->SetDefault(true);
    k.Cancel->SetCancel(true);
    for (TButton* b : {k.Ok, k.Other, k.Cancel})
      b->OnClick = [clicks = &k.Clicks](TObject* S) { clicks->push_back(static_cast<TButton*>(S)->GetCaption()); };
    return k;
  }
};

TEST_F(FormsTest, WindowsAreMadeWhenTheFormIsFirstShown) {
  TForm* f = NewForm();
  auto* e = Add<TEdit>(f, 10, 10, 100, 22);
  e->SetText(u"früh");
  EXPECT_FALSE(f->HandleAllocated());
  EXPECT_FALSE(e->HandleAllocated());
  f->Show();
  ASSERT_TRUE(e->HandleAllocated());
  EXPECT_TRUE(IsChild(f->GetHandle(), e->GetHandle()));
  Char buf[32];
  GetWindowText(e->GetHandle(), buf, 32);
  EXPECT_EQ(String(buf), u"früh");
  EXPECT_EQ(f->GetClientWidth(), 300);
}

TEST_F(FormsTest, TabAndShiftTabFollowTheTabOrder) {
  TKeyForm k = Build();
  k.Cancel->SetTabOrder(1);   // edit, cancel, ok, other
  k.Form->Show();
  Pump();
  EXPECT_TRUE(k.Edit->Focused());
  std::vector<TWinControl*> seen;
  for (int i = 0; i < 4; ++i) {
    Press(VK_TAB);
    seen.push_back(k.Form->GetActiveControl());
  }
  EXPECT_EQ(seen, (std::vector<TWinControl*>{k.Cancel, k.Ok, k.Other, k.Edit}));
  Chord(VK_SHIFT, VK_TAB);
  EXPECT_TRUE(k.Other->Focused());
  EXPECT_EQ(Screen->GetActiveControl(), k.Other);
}

TEST_F(FormsTest, NextDlgCtlMovesTheFocusLikeTabOrToAGivenWindow) {
  TKeyForm k = Build();
  k.Cancel->SetTabOrder(1);   // edit, cancel, ok, other
  k.Form->Show();
  Pump();
  ASSERT_TRUE(k.Edit->Focused());
  k.Form->Perform(WM_NEXTDLGCTL, 0, 0);
  EXPECT_TRUE(k.Cancel->Focused());
  k.Form->Perform(WM_NEXTDLGCTL, 1, 0);   // the previous one
  EXPECT_TRUE(k.Edit->Focused());
  k.Form->Perform(WM_NEXTDLGCTL, 1, 0);   // wraps to the last
  EXPECT_TRUE(k.Other->Focused());
  k.Form->Perform(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(k.Ok->GetHandle()), 1);
  EXPECT_TRUE(k.Ok->Focused());
  k.Form->Perform(WM_NEXTDLGCTL, 0, 1);   // no window given: the focus stays
  EXPECT_TRUE(k.Ok->Focused());
}

TEST_F(FormsTest, EnterEscSpaceAndAcceleratorsPressTheRightButton) {
  TKeyForm k = Build();
  k.Form->Show();
  Pump();
  Press(VK_RETURN);   // in the edit: the default button
  Press(VK_ESCAPE);   // the cancel button
  Chord(VK_MENU, 'B');   // "Ü&bernehmen" by its accelerator
  k.Other->SetFocus();
  Press(VK_RETURN);   // a focused button takes Enter itself
  Press(VK_SPACE);
  EXPECT_EQ(k.Clicks, (std::vector<String>{u"OK", u"Abbrechen", u"Ü&bernehmen", u"Ü&bernehmen", u"Ü&bernehmen"}));
  EXPECT_EQ(k.Edit->GetText(), u"");
}

TEST_F(FormsTest, KeyPreviewSeesKeysFirstAndKeyZeroEndsTheChain) {
  TKeyForm k = Build();
  std::vector<String> order;
  k.Form->SetKeyPreview(true);
  k.Form->OnKeyDown = [&](TObject*, Word& Key, TShiftState) {
    order.push_back(u"form");
    if (Key == VK_F2) Key = 0;
  };
  k.Edit->OnKeyDown = [&](TObject*, Word&, TShiftState) { order.push_back(u"edit"); };
  k.Edit->OnKeyPress = [&](TObject*, Char& Key) {
    if (Key == u'x') Key = u'y';
  };
  k.Form->Show();
  Pump();
  Press(VK_F3);
  Press(VK_F2);
  Type(u"x");
  EXPECT_EQ(order, (std::vector<String>{u"form", u"edit", u"form", u"form", u"edit"}));
  EXPECT_EQ(k.Edit->GetText(), u"y");
}

TEST_F(FormsTest, EnterAndExitFollowTheFocus) {
  TForm* f = NewForm();
  auto* box = Add<TGroupBox>(f, 10, 10, 200, 100);
  auto* inner = Add<TEdit>(box, 10, 20, 100, 22);
  auto* outer = Add<TEdit>(f, 10, 150, 100, 22);
  std::vector<String> log;
  box->OnEnter = [&](TObject*) { log.push_back(u"box+"); };
  box->OnExit = [&](TObject*) { log.push_back(u"box-"); };
  inner->OnEnter = [&](TObject*) { log.push_back(u"inner+"); };
  inner->OnExit = [&](TObject*) { log.push_back(u"inner-"); };
  outer->OnEnter = [&](TObject*) { log.push_back(u"outer+"); };
  f->Show();
  Pump();
  outer->SetFocus();
  log.clear();
  inner->SetFocus();
  outer->SetFocus();
  EXPECT_EQ(log, (std::vector<String>{u"box+", u"inner+", u"inner-", u"box-", u"outer+"}));
}

TEST_F(FormsTest, AModalDialogOpenedFromAClickHandlerIsAnsweredThroughTheQueue) {
  TKeyForm k = Build();
  Integer answer = -1;
  k.Ok->OnClick = [&](TObject*) { answer = MessageDlg(u"Datenbank öffnen?", mtConfirmation, mbYesNo); };
  bool ownerDisabled = false;
  TCustomForm* seen = nullptr;
  SetDialogObserver([&](TCustomForm* Dialog) {
    seen = Dialog;
    ownerDisabled = !IsWindowEnabled(k.Form->GetHandle());
    auto* no = static_cast<TButton*>(Dialog->FindComponent(u"No"));
    ASSERT_NE(no, nullptr);
    TPoint p = no->ClientToScreen(TPoint{5, 5});
    Headless::Click(p.x, p.y);
  });
  k.Form->Show();
  Pump();
  ClickAt(k.Ok, 10, 10);
  EXPECT_EQ(answer, mrNo);
  ASSERT_NE(seen, nullptr);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(k.Form->GetHandle()));
  EXPECT_EQ(Screen->GetFormCount(), 1);
  // Enter answers with the default button.
  SetDialogObserver([](TCustomForm*) { Headless::KeyPress(VK_RETURN); });
  ClickAt(k.Ok, 10, 10);
  EXPECT_EQ(answer, mrYes);
}

TEST_F(FormsTest, ModalResultOfAButtonEndsShowModal) {
  TForm* dlg = NewForm(200, 80);
  auto* b = Add<TButton>(dlg, 10, 10, 75, 25);
  b->SetModalResult(mrOk);
  std::vector<bool> closed;
  dlg->OnCloseQuery = [&](TObject*, bool& CanClose) {
    CanClose = !closed.empty();
    closed.push_back(CanClose);
  };
  SetDialogObserver([&](TCustomForm* Dialog) {
    EXPECT_EQ(Dialog, dlg);
    TPoint p = b->ClientToScreen(TPoint{5, 5});
    Headless::Click(p.x, p.y);   // refused by OnCloseQuery
    Headless::Click(p.x, p.y);
  });
  EXPECT_EQ(dlg->ShowModal(), mrOk);
  EXPECT_EQ(closed, (std::vector<bool>{false, true}));
  EXPECT_FALSE(dlg->GetVisible());
}

TEST_F(FormsTest, AnExceptionInAClickHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
  Application->SetTitle(u"Update Zelk");
  TKeyForm k = Build();
  int clicks = 0;
  k.Ok->OnClick = [&](TObject*) {
    if (++clicks == 1) throw EConvertError(u"Größe ist falsch");
  };
  String caption, message;
  SetDialogObserver([&](TCustomForm* Box) {
    caption = Box->GetCaption();
    message = static_cast<TLabel*>(Box->FindComponent(u"Message"))->GetCaption();
    Headless::KeyPress(VK_RETURN);
  });
  k.Form->Show();
  Pump();
  ClickAt(k.Ok, 10, 10);
  EXPECT_EQ(caption, u"Update Zelk");
  EXPECT_EQ(message, u"Größe ist falsch.");
  ClickAt(k.Ok, 10, 10);
  EXPECT_EQ(clicks, 2);
  // OnException replaces the box; EAbort stays silent.
  String handled;
  Application->OnException = [&](TObject*, Exception& E) { handled = E.Message; };
  k.Ok->OnClick = [](TObject*) { throw Exception(u"eigen"); };
  ClickAt(k.Ok, 10, 10);
  EXPECT_EQ(handled, u"eigen");
  Application->OnException = nullptr;
  k.Ok->OnClick = [](TObject*) { Abort(); };
  SetDialogObserver([](TCustomForm*) { ADD_FAILURE() << "EAbort showed a box"; });
  ClickAt(k.Ok, 10, 10);
}

// The death tests run in a fresh process (the window system keeps threads a fork would lose).
TEST_F(FormsTest, RunEndsWhenTheMainFormCloses) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        TForm* main = nullptr;
        Application->CreateForm(main);
        main->SetCaption(u"Hauptfenster");
        bool closed = false;
        main->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
        PostMessage(main->GetHandle(), WM_CLOSE, 0, 0);
        Application->Run();
        std::_Exit(closed && Application->GetTerminated() && Application->GetMainForm() == main ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
}

namespace {

class TFailingForm : public TForm {
  ZELK_CLASS(TFailingForm, TForm)
public:
  explicit TFailingForm(TComponent* AOwner) : TForm(AOwner) { throw Exception(u"gds32.dll fehlt"); }
};

}  // namespace

TEST_F(FormsTest, AnExceptionWhileCreatingTheMainFormEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Exit code 1 (or the leak checker's own when it finds the font library's caches at exit).
  auto failed = [](int Status) { return WIFEXITED(Status) && WEXITSTATUS(Status) != 0; };
  EXPECT_EXIT(
      {
        TFailingForm* f = nullptr;
        Application->CreateForm(f);
        std::_Exit(0);
      },
      failed, "TFailingForm|Exception: gds32.dll fehlt");
}

TEST_F(FormsTest, ToolWindowWithoutIconsIsCentredOnTheWorkArea) {
  TForm* f = NewForm(722, 240);
  f->SetBorderStyle(bsToolWindow);
  f->SetBorderIcons(TBorderIcons());
  f->SetPosition(poScreenCenter);
  f->SetClientWidth(722);
  f->SetClientHeight(240);
  f->Show();
  LONG style = GetWindowLong(f->GetHandle(), GWL_STYLE), ex = GetWindowLong(f->GetHandle(), GWL_EXSTYLE);
  EXPECT_EQ(style & static_cast<LONG>(WS_SYSMENU), 0);
  EXPECT_NE(ex & static_cast<LONG>(WS_EX_TOOLWINDOW), 0);
  EXPECT_EQ(f->GetClientWidth(), 722);
  EXPECT_EQ(f->GetClientHeight(), 240);
  TRect work = Screen->GetWorkAreaRect();
  EXPECT_NEAR(f->GetLeft() + f->GetWidth() / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR(f->GetTop() + f->GetHeight() / 2, (work.top + work.bottom) / 2, 1);
}

// AlphaBlend set before or after the window is made: the screen blends the form over the desktop;
// switched off, the form is opaque again.
TEST_F(FormsTest, AlphaBlendShowsTheFormTranslucent) {
  TSurface desktop(1, 1);
  Headless::ScreenPixels(desktop);
  auto seenAt = [&](TForm* f) {
    TSurface shown(1, 1);   // a fresh one: composing into a surface of the screen's size keeps what it held
    Headless::ScreenPixels(shown);
    TPoint p = f->ClientToScreen(TPoint{5, 5});
    return std::pair<std::uint32_t, std::uint32_t>{shown.Pixel(p.x, p.y) & 0xFFFFFF, desktop.Pixel(p.x, p.y) & 0xFFFFFF};
  };
  auto blend = [](std::uint32_t Top, std::uint32_t Below, int Alpha) {
    std::uint32_t result = 0;
    for (int shift : {0, 8, 16}) {
      int t = (Top >> shift) & 0xFF, b = (Below >> shift) & 0xFF;
      result |= static_cast<std::uint32_t>((t * Alpha + b * (255 - Alpha) + 127) / 255) << shift;
    }
    return result;
  };
  auto near = [](std::uint32_t A, std::uint32_t B) {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((A >> shift) & 0xFF) - static_cast<int>((B >> shift) & 0xFF)) > 2) return false;
    return true;
  };
  constexpr std::uint32_t White = 0xFFFFFF;
  TForm* before = NewForm(60, 40);
  before->SetColor(clWhite);
  before->SetAlphaBlend(true);
  before->SetAlphaBlendValue(128);
  before->Show();
  Pump();
  auto [seen, below] = seenAt(before);
  EXPECT_TRUE(near(seen, blend(White, below, 128))) << std::hex << seen << " over " << below;
  before->SetAlphaBlend(false);
  Pump();
  EXPECT_EQ(seenAt(before).first, White);
  before->Hide();
  TForm* after = NewForm(60, 40);
  after->SetColor(clWhite);
  after->Show();
  Pump();
  after->SetAlphaBlendValue(192);
  after->SetAlphaBlend(true);
  Pump();
  std::tie(seen, below) = seenAt(after);
  EXPECT_TRUE(near(seen, blend(White, below, 192))) << std::hex << seen << " over " << below;
}
