// The single-line edit driven by keys, mouse and clipboard through the message queue.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <vector>

class EditTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 100);
    Edit = Add<TEdit>(Form, 10, 10, 200, 22);
    Other = Add<TEdit>(Form, 10, 50, 200, 22);
    Edit->OnChange = [this](TObject*) { Changes.push_back(Edit->GetText()); };
    Form->Show();
    Pump();
  }
  TForm* Form = nullptr;
  TEdit* Edit = nullptr;
  TEdit* Other = nullptr;
  std::vector<String> Changes;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndEveryChangeReachesOnChange) {
  Type(u"Grüße");
  EXPECT_EQ(Edit->GetText(), u"Grüße");
  EXPECT_EQ(Edit->GetSelStart(), 5);
  EXPECT_EQ(Changes, (std::vector<String>{u"G", u"Gr", u"Grü", u"Grüß", u"Grüße"}));
  Press(VK_HOME);
  Type(u">");
  Press(VK_END);
  Press(VK_BACK);
  EXPECT_EQ(Edit->GetText(), u">Grüß");
  Changes.clear();
  Edit->SetText(u"neu");   // programmatic changes too, synchronously
  EXPECT_EQ(Changes, (std::vector<String>{u"neu"}));
  Edit->SetText(u"neu");   // no change, no event
  EXPECT_EQ(Changes.size(), 1u);
  EXPECT_FALSE(Edit->GetModified());
}

TEST_F(EditTest, KeysMoveAndExtendTheSelection) {
  Type(u"eins zwei drei");
  struct TCase {
    std::vector<std::pair<UINT, UINT>> Keys;   // modifier (0: none), key
    Integer SelStart, SelLength;
  };
  const TCase cases[] = {
      {{{0, VK_HOME}, {VK_SHIFT, VK_RIGHT}, {VK_SHIFT, VK_RIGHT}}, 0, 2},
      {{{0, VK_END}, {VK_SHIFT, VK_HOME}}, 0, 14},
      {{{0, VK_HOME}, {VK_CONTROL, VK_RIGHT}}, 5, 0},
      {{{0, VK_END}, {VK_CONTROL, VK_LEFT}, {VK_CONTROL, VK_LEFT}}, 5, 0},
      {{{0, VK_HOME}, {VK_CONTROL, VK_RIGHT}, {VK_SHIFT, VK_END}}, 5, 9},
      {{{0, VK_END}, {VK_SHIFT, VK_LEFT}, {0, VK_LEFT}}, 13, 0},
  };
  for (const TCase& c : cases) {
    for (auto [mod, key] : c.Keys) {
      if (mod) Chord(mod, key);
      else Press(key);
    }
    EXPECT_EQ(Edit->GetSelStart(), c.SelStart);
    EXPECT_EQ(Edit->GetSelLength(), c.SelLength);
  }
  Chord(VK_CONTROL, 'A');
  Type(u"x");
  EXPECT_EQ(Edit->GetText(), u"x");
}

TEST_F(EditTest, ClipboardKeysAndMessages) {
  Type(u"Datenbank öffnen");
  Press(VK_HOME);
  for (int i = 0; i < 9; ++i) Chord(VK_SHIFT, VK_RIGHT);
  Chord(VK_CONTROL, 'C');
  Press(VK_END);
  Type(u" ");
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Edit->GetText(), u"Datenbank öffnen Datenbank");
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'X');
  EXPECT_EQ(Edit->GetText(), u"");
  Other->SetFocus();
  Other->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(Other->GetText(), u"Datenbank öffnen Datenbank");
  Chord(VK_CONTROL, 'Z');   // undo the paste
  EXPECT_EQ(Other->GetText(), u"");
  // A password edit gives nothing to the clipboard.
  Edit->SetPasswordChar(u'*');
  Edit->SetText(u"geheim");
  Edit->SelectAll();
  Edit->CopyToClipboard();
  Other->PasteFromClipboard();
  EXPECT_EQ(Other->GetText(), u"Datenbank öffnen Datenbank");
}

TEST_F(EditTest, CutKeepsTheTextWhenTheClipboardIsHeldElsewhere) {
  Edit->SetText(u"Entwurf");
  Edit->SelectAll();
  ASSERT_TRUE(OpenClipboard(nullptr));   // another window holds the clipboard
  Edit->CutToClipboard();
  EXPECT_EQ(Edit->GetText(), u"Entwurf");
  EXPECT_EQ(Edit->GetSelLength(), 7);
  CloseClipboard();
  Edit->CutToClipboard();
  EXPECT_EQ(Edit->GetText(), u"");
  Other->PasteFromClipboard();
  EXPECT_EQ(Other->GetText(), u"Entwurf");
}

TEST_F(EditTest, LimitsReadOnlyAndCharCase) {
  Edit->SetMaxLength(4);
  Type(u"abcdef");
  EXPECT_EQ(Edit->GetText(), u"abcd");
  Edit->SetMaxLength(0);
  Edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(Edit->GetText(), u"ABCD");
  Press(VK_END);
  Type(u"xö");
  EXPECT_EQ(Edit->GetText(), u"ABCDXÖ");
  Edit->SetReadOnly(true);
  Changes.clear();
  Type(u"z");
  Press(VK_BACK);
  EXPECT_EQ(Edit->GetText(), u"ABCDXÖ");
  EXPECT_TRUE(Changes.empty());
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(EditTest, SelectionMessagesAndCharacterPositions) {
  Edit->SetText(u"Leerlauf Status");
  Edit->Perform(EM_SETSEL, 2, 6);
  DWORD s = 0, e = 0;
  Edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  EXPECT_EQ(s, 2u);
  EXPECT_EQ(e, 6u);
  EXPECT_EQ(Edit->GetSelText(), u"erla");
  Edit->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"--"));
  EXPECT_EQ(Edit->GetText(), u"Le--uf Status");
  Edit->SetSelStart(0);
  Edit->SetSelLength(100);
  EXPECT_EQ(Edit->GetSelLength(), 13);
  // Positions and characters agree both ways.
  for (Integer i : {0, 3, 7, 13}) {
    LRESULT pos = Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
    LRESULT ch = Edit->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(pos), HIWORD(pos)));
    EXPECT_EQ(LOWORD(ch), i);
  }
  EXPECT_LT(LOWORD(Edit->Perform(EM_POSFROMCHAR, 3, 0)), LOWORD(Edit->Perform(EM_POSFROMCHAR, 7, 0)));
}

TEST_F(EditTest, MouseSetsTheCaretDragsAndDoubleClickSelectsAWord) {
  Edit->SetText(u"Update durchführen");
  Other->SetFocus();
  auto x = [&](Integer i) { return static_cast<Integer>(LOWORD(Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0))); };
  ClickAt(Edit, x(3), 10);
  EXPECT_TRUE(Edit->Focused());
  EXPECT_EQ(Edit->GetSelStart(), 3);
  EXPECT_EQ(Edit->GetSelLength(), 0);   // a click does not select all
  TPoint from = ScreenPoint(Edit, x(1), 10), to = ScreenPoint(Edit, x(5), 10);
  Headless::ButtonDown(1, from.x, from.y);
  Headless::MouseMove(to.x, to.y);
  Headless::ButtonUp(1, to.x, to.y);
  Pump();
  EXPECT_EQ(Edit->GetSelText(), u"pdat");
  Headless::AdvanceClock(1000);
  DoubleClickAt(Edit, x(10), 10);
  EXPECT_EQ(Edit->GetSelText(), u"durchführen");
  // Tabbing into an edit selects all of it.
  Other->SetFocus();
  Press(VK_TAB);
  EXPECT_EQ(Edit->GetSelLength(), 18);
}

// The formatting rectangle: set without and with a repaint, text clipped and scrolled inside it,
// and presses beside it.
TEST_F(EditTest, FormattingRectangleHoldsTextCaretAndSelection) {
  RECT def{};
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&def));
  TRect client = Edit->GetClientRect();
  EXPECT_GT(def.left, client.left);
  EXPECT_LT(def.right, client.right);
  EXPECT_EQ(def.bottom, client.bottom);

  // A child on the right, as a drop button would be.
  auto* button = Add<TButton>(Edit, 150, 0, client.right - 150, client.bottom);
  Edit->SetText(u"Ein langer Text, der über den Rand des Rechtecks hinausgeht");
  Pump();
  RECT rect{2, 1, 150, client.bottom};
  RECT pending{};
  EXPECT_FALSE(GetUpdateRect(Edit->GetHandle(), &pending, FALSE));
  Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_FALSE(GetUpdateRect(Edit->GetHandle(), &pending, FALSE));   // no repaint asked for
  RECT got{};
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got, rect);
  Edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rect));
  EXPECT_TRUE(GetUpdateRect(Edit->GetHandle(), &pending, FALSE));

  // The end of the text scrolls into the rectangle, the start out of it.
  Edit->SetFocus();
  Press(VK_END);
  auto xOf = [&](Integer i) { return static_cast<SmallInt>(LOWORD(Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0))); };
  auto len = static_cast<Integer>(Edit->GetText().size());
  EXPECT_LT(xOf(0), rect.left);
  EXPECT_GE(xOf(len), rect.left);
  EXPECT_LT(xOf(len), rect.right);
  Edit->Perform(EM_SETSEL, static_cast<WPARAM>(len - 8), len);
  Pump();
  // Nothing of the text, the selection or the caret is drawn right of the rectangle.
  COLORREF back = ColorToRGB(clWindow);
  int foreign = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = rect.right; x < 150; ++x)
      if (Headless::ClientPixel(Edit->GetHandle(), x, y) != back) ++foreign;
  EXPECT_EQ(foreign, 0);
  ExpectWindowMatchesGolden(Edit->GetHandle(), std::string(ZELK_TEST_DATA) + "/edit-rect.png", "edit-rect.png");

  // Presses at the right edge and beyond give positions within the text; a press on the child
  // leaves the caret alone.
  for (Integer x : {static_cast<Integer>(rect.right - 1), static_cast<Integer>(rect.right), Integer(148)}) {
    ClickAt(Edit, x, 8);
    EXPECT_GE(Edit->GetSelStart(), 0);
    EXPECT_LE(Edit->GetSelStart(), len);
    EXPECT_LT(xOf(Edit->GetSelStart()), rect.right + 1);
  }
  Edit->Perform(EM_SETSEL, 3, 3);
  ClickAt(button, 5, 5);
  EXPECT_EQ(Edit->GetSelStart(), 3);

  // ES_MULTILINE on a single-line edit changes nothing; the rectangle survives a new window.
  SetWindowLong(Edit->GetHandle(), GWL_STYLE, GetWindowLong(Edit->GetHandle(), GWL_STYLE) | static_cast<LONG>(ES_MULTILINE));
  HWND before = Edit->GetHandle();
  Edit->SetPasswordChar(u'*');
  EXPECT_NE(Edit->GetHandle(), before);   // a new window
  EXPECT_FALSE(IsWindow(before));
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got, rect);
  Edit->Perform(EM_SETRECTNP, 0, 0);   // a null rectangle: the default again
  Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_EQ(got, def);
}

namespace {
// An edit whose handler swallows every character before the edit's own handling.
class TSwallowEdit : public TEdit {
public:
  using TEdit::TEdit;
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_CHAR) return;
    TEdit::Dispatch(Message);
  }
};
}  // namespace

TEST_F(EditTest, CharactersAndChangeNotifications) {
  auto* swallow = Add<TSwallowEdit>(Form, 10, 80, 100, 22);
  swallow->SetText(u"fest");
  swallow->SetFocus();
  Type(u"xyz");
  EXPECT_EQ(swallow->GetText(), u"fest");

  // EN_CHANGE reaches the parent once per change, at once.
  int changes = 0;
  auto formProc = Form->WindowProc;
  Form->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_COMMAND && HIWORD(M.WParam) == EN_CHANGE && reinterpret_cast<HWND>(M.LParam) == Edit->GetHandle()) ++changes;
    formProc(M);
  };
  Edit->SetText(u"abc");
  EXPECT_EQ(changes, 1);
  Edit->SetText(u"abc");
  EXPECT_EQ(changes, 1);
  Edit->SetFocus();
  Press(VK_END);
  Type(u"de");
  EXPECT_EQ(changes, 3);
  Chord(VK_CONTROL, 'A');
  Chord(VK_CONTROL, 'C');
  Press(VK_END);
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(Edit->GetText(), u"abcdeabcde");
  // The keypad's "." and the main one both type a "."; their scan codes tell them apart.
  std::vector<UINT> scans;
  auto editProc = Edit->WindowProc;
  Edit->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_CHAR) scans.push_back((static_cast<UINT>(M.LParam) >> 16) & 0xFF);
    editProc(M);
  };
  Press(VK_DECIMAL);
  Press(VK_OEM_PERIOD);
  Edit->WindowProc = editProc;
  Form->WindowProc = formProc;
  EXPECT_EQ(Edit->GetText(), u"abcdeabcde..");
  EXPECT_EQ(scans, (std::vector<UINT>{0x53, 0x34}));

  // A reversed selection keeps its caret at the start.
  Edit->Perform(EM_SETSEL, 6, 2);
  Chord(VK_SHIFT, VK_LEFT);
  EXPECT_EQ(Edit->GetSelStart(), 1);
  EXPECT_EQ(Edit->GetSelLength(), 5);
}

TEST_F(EditTest, BalloonTipShowsBelowWithoutTakingTheFocusUntilAKeyOrLeaving) {
  Edit->SetFocus();
  Pump();
  EDITBALLOONTIP tip;
  tip.cbStruct = sizeof tip;
  tip.pszTitle = u"Invalid entry";
  tip.pszText = u"Enter a number between 1 and 10.";
  tip.ttiIcon = TTI_WARNING;
  HWND edit = Edit->GetHandle();
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), TRUE);
  Pump();
  HWND balloon = Edit->BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(GetFocus(), edit);
  RECT r;
  GetWindowRect(balloon, &r);
  TPoint below = Edit->ClientToScreen(TPoint{0, Edit->GetClientRect().bottom});
  EXPECT_EQ(r.left, below.x);
  EXPECT_EQ(r.top, below.y);
  int yellow = 0;   // the warning icon: a yellow triangle at (8, 8)
  for (int x = 8; x < 24; ++x)
    for (int y = 8; y < 24; ++y) yellow += Headless::ClientPixel(balloon, x, y) == RGB(255, 255, 0);
  EXPECT_GT(yellow, 40);
  Press(VK_END);   // a key hides it
  EXPECT_EQ(Edit->BalloonWindow(), nullptr);
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), TRUE);
  EXPECT_EQ(SendMessage(edit, EM_HIDEBALLOONTIP, 0, 0), TRUE);
  EXPECT_EQ(SendMessage(edit, EM_HIDEBALLOONTIP, 0, 0), FALSE);
  SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip));
  Other->SetFocus();
  Pump();
  EXPECT_EQ(Edit->BalloonWindow(), nullptr);
  tip.cbStruct = 12;
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)), FALSE);
  EXPECT_EQ(SendMessage(edit, EM_SHOWBALLOONTIP, 0, 0), FALSE);
}
