// The memo driven by keys, mouse and clipboard through the message queue: lines, rows, scrolling
// and its pictures.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <cstring>
#include <vector>

#include "platform/ui/Memo.h"
#include "platform/win/WinScroll.h"

class MemoTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(400, 240);
    Memo = Add<TMemo>(Form, 10, 10, 200, 100);
    Memo->SetWordWrap(false);
    Memo->OnChange = [this](TObject*) { ++Changes; };
    Other = Add<TEdit>(Form, 220, 10, 100, 22);
    Form->Show();
    Pump();
  }
  void SetClipboardText(const String& Text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(Char));
    std::memcpy(GlobalLock(mem), Text.c_str(), (Text.size() + 1) * sizeof(Char));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
  }
  TForm* Form = nullptr;
  TMemo* Memo = nullptr;
  TEdit* Other = nullptr;
  int Changes = 0;
};

TEST_F(MemoTest, KeyScripts) {
  struct TKey { UINT Modifier, Key; };   // Key 0: type Text instead
  struct TCase {
    const char* Name;
    String Start;
    Integer Caret;
    bool WantReturns, WantTabs;
    std::vector<TKey> Keys;
    String Typed;   // typed after the keys
    String Text;
    Integer SelStart, SelLength;
  };
  const String lines3 = u"abcdef\r\nab\r\nabcdefgh";
  const TCase cases[] = {
      {"Enter types a line break", u"ab", 2, true, false, {{0, VK_RETURN}}, u"cd", u"ab\r\ncd", 6, 0},
      {"Enter without WantReturns types nothing", u"ab", 2, false, false, {{0, VK_RETURN}}, u"", u"ab", 2, 0},
      {"Tab with WantTabs", u"ab", 1, true, true, {{0, VK_TAB}}, u"", u"a\tb", 2, 0},
      {"Down to a shorter line, then to a longer one", lines3, 5, true, false, {{0, VK_DOWN}}, u"", lines3, 10, 0},
      {"Down keeps its column", lines3, 5, true, false, {{0, VK_DOWN}, {0, VK_DOWN}}, u"", lines3, 17, 0},
      {"Up and back", lines3, 17, true, false, {{0, VK_UP}, {0, VK_UP}}, u"", lines3, 5, 0},
      {"Up on the first line stays", lines3, 3, true, false, {{0, VK_UP}}, u"", lines3, 3, 0},
      {"Shift+Down selects to the next line", lines3, 0, true, false, {{VK_SHIFT, VK_DOWN}}, u"", lines3, 0, 8},
      {"Ctrl+A selects everything", lines3, 4, true, false, {{VK_CONTROL, 'A'}}, u"", lines3, 0, 20},
      {"Backspace at a line start joins the lines", u"ab\r\ncd", 4, true, false, {{0, VK_BACK}}, u"", u"abcd", 2, 0},
      {"Delete at a line end joins the lines", u"ab\r\ncd", 2, true, false, {{0, VK_DELETE}}, u"", u"abcd", 2, 0},
      {"Left and Right step over a line break", u"ab\r\ncd", 4, true, false, {{0, VK_LEFT}}, u"x", u"abx\r\ncd", 3, 0},
      {"Home and End of a line", lines3, 9, true, false, {{0, VK_HOME}, {VK_SHIFT, VK_END}}, u"", lines3, 8, 2},
      {"Ctrl+End and Ctrl+Home", lines3, 9, true, false, {{VK_CONTROL, VK_END}}, u"!", lines3 + u"!", 21, 0},
      {"Ctrl+Right moves to the next line", u"ab\r\ncd", 2, true, false, {{VK_CONTROL, VK_RIGHT}}, u"", u"ab\r\ncd", 4, 0},
  };
  Memo->SetFocus();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Memo->SetWantReturns(c.WantReturns);
    Memo->SetWantTabs(c.WantTabs);
    Memo->SetText(c.Start);
    Memo->Perform(EM_SETSEL, static_cast<WPARAM>(c.Caret), c.Caret);
    Pump();
    for (const TKey& k : c.Keys) {
      if (k.Modifier) Chord(k.Modifier, k.Key);
      else Press(k.Key);
    }
    if (!c.Typed.empty()) Type(c.Typed);
    EXPECT_EQ(Memo->GetText(), c.Text);
    EXPECT_EQ(Memo->GetSelStart(), c.SelStart);
    EXPECT_EQ(Memo->GetSelLength(), c.SelLength);
    EXPECT_TRUE(Memo->Focused());
  }
  // Without WantTabs the Tab key leaves the memo.
  Memo->SetWantTabs(false);
  Memo->SetText(u"ab");
  Press(VK_TAB);
  EXPECT_EQ(Memo->GetText(), u"ab");
  EXPECT_TRUE(Other->Focused());
}

TEST_F(MemoTest, LinesAndLineMessages) {
  Memo->GetLines()->SetText(u"abc\r\ndef");
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Memo->GetText(), u"abc\r\ndef");
  TStrings* lines = Memo->GetLines();
  ASSERT_EQ(lines->GetCount(), 2);
  EXPECT_EQ(lines->GetStrings(1), u"def");
  lines->Add(u"ghi");
  EXPECT_EQ(Memo->GetText(), u"abc\r\ndef\r\nghi");
  EXPECT_EQ(Changes, 2);
  lines->Insert(0, u"x");
  lines->Delete(2);
  lines->SetStrings(0, u"yy");
  EXPECT_EQ(Memo->GetText(), u"yy\r\nabc\r\nghi");
  EXPECT_EQ(Changes, 5);
  EXPECT_EQ(lines->GetText(), u"yy\r\nabc\r\nghi\r\n");
  // A text that ends with a line break has no empty last line; an empty text has no line.
  Memo->SetText(u"one\r\n");
  EXPECT_EQ(lines->GetCount(), 1);
  lines->Add(u"two");
  EXPECT_EQ(Memo->GetText(), u"one\r\ntwo\r\n");
  Memo->SetText(u"");
  EXPECT_EQ(lines->GetCount(), 0);
  // Line breaks of any kind become CR LF.
  Memo->SetText(u"a\nb\rc");
  EXPECT_EQ(Memo->GetText(), u"a\r\nb\r\nc");

  Memo->SetText(u"eins\r\n\r\nzwei drei");
  EXPECT_EQ(Memo->Perform(EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(Memo->Perform(EM_LINEINDEX, 2, 0), 8);
  EXPECT_EQ(Memo->Perform(EM_LINEINDEX, 3, 0), -1);
  EXPECT_EQ(Memo->Perform(EM_LINEFROMCHAR, 9, 0), 2);
  EXPECT_EQ(Memo->Perform(EM_LINEFROMCHAR, 6, 0), 1);
  EXPECT_EQ(Memo->Perform(EM_LINELENGTH, 9, 0), 9);
  EXPECT_EQ(Memo->Perform(EM_LINELENGTH, 6, 0), 0);
  Memo->SetCaretPos(TPoint{3, 2});
  EXPECT_EQ(Memo->GetSelStart(), 11);
  EXPECT_EQ(Memo->GetCaretPos().x, 3);
  EXPECT_EQ(Memo->GetCaretPos().y, 2);
  // Characters and points agree both ways, rows below rows.
  for (Integer i : {0, 3, 8, 12, 17}) {
    LRESULT p = Memo->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
    LRESULT c = Memo->Perform(EM_CHARFROMPOS, 0, p);
    EXPECT_EQ(LOWORD(c), i);
    EXPECT_EQ(HIWORD(c), Memo->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(i), 0));
  }
  EXPECT_GT(HIWORD(Memo->Perform(EM_POSFROMCHAR, 8, 0)), HIWORD(Memo->Perform(EM_POSFROMCHAR, 0, 0)));
  // A click on the third row puts the caret there.
  LRESULT third = Memo->Perform(EM_POSFROMCHAR, 13, 0);
  ClickAt(Memo, LOWORD(third) + 1, HIWORD(third) + 3);
  EXPECT_EQ(Memo->GetSelStart(), 13);
}

TEST_F(MemoTest, WordWrapBreaksAfterBlanks) {
  Memo->SetWordWrap(true);
  Memo->SetText(u"Ein Satz, der viel zu lang ist für eine Zeile dieses Feldes\r\nkurz");
  auto rows = static_cast<Integer>(Memo->Perform(EM_GETLINECOUNT, 0, 0));
  EXPECT_GE(rows, 3);
  EXPECT_EQ(Memo->GetLines()->GetCount(), 2);   // lines stay lines
  String text = Memo->GetText();
  for (Integer row = 1; row < rows - 1; ++row) {
    auto start = static_cast<std::size_t>(Memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(row), 0));
    EXPECT_EQ(text[start - 1], u' ') << row;   // each wrapped row begins after a blank
    // and fits the formatting rectangle.
    auto len = static_cast<std::size_t>(Memo->Perform(EM_LINELENGTH, start, 0));
    RECT r;
    Memo->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    LRESULT from = Memo->Perform(EM_POSFROMCHAR, start, 0), to = Memo->Perform(EM_POSFROMCHAR, start + len - 1, 0);
    EXPECT_EQ(HIWORD(from), HIWORD(to));
    EXPECT_LE(LOWORD(to), r.right);
  }
  EXPECT_EQ(Memo->Perform(EM_LINEINDEX, static_cast<WPARAM>(rows - 1), 0), static_cast<LRESULT>(text.size() - 4));
  // A word longer than a row is broken inside it.
  Memo->SetText(String(100, u'W'));
  EXPECT_GE(Memo->Perform(EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(MemoTest, ScrollingKeepsTheCaretInViewAndFollowsTheBar) {
  Memo->SetScrollBars(ssVertical);
  String text;
  for (int i = 0; i < 40; ++i) text += u"Zeile " + IntToStr(i) + u"\r\n";
  Memo->SetText(text);
  Memo->SetFocus();
  Chord(VK_CONTROL, VK_END);
  TRect client = Memo->GetClientRect();
  LRESULT caret = Memo->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Memo->GetSelStart()), 0);
  EXPECT_LT(static_cast<SmallInt>(HIWORD(caret)), client.bottom);
  EXPECT_GE(static_cast<SmallInt>(HIWORD(caret)), 0);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Memo->GetHandle(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 40);
  EXPECT_GT(si.nPos, 0);
  auto firstVisible = [&] { return HIWORD(Memo->Perform(EM_CHARFROMPOS, 0, MAKELPARAM(5, 1))); };
  SendMessage(Memo->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
  EXPECT_EQ(firstVisible(), 10);
  SendMessage(Memo->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
  EXPECT_EQ(firstVisible(), 11);
  TPoint p = Memo->ClientToScreen(TPoint{50, 20});
  Headless::Wheel(p.x, p.y, 1);   // away from the user: three rows up
  Pump();
  EXPECT_EQ(firstVisible(), 8);
  SendMessage(Memo->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
  EXPECT_EQ(firstVisible(), 0);
  // Page Down moves the caret by a page of rows.
  Chord(VK_CONTROL, VK_HOME);
  Press(VK_NEXT);
  EXPECT_GT(Memo->Perform(EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 3);
}

TEST_F(MemoTest, BadInputIsClampedOrRefused) {
  Memo->SetMaxLength(-5);
  EXPECT_EQ(Memo->GetMaxLength(), 0);
  Memo->SetMaxLength(10);
  String big;
  big.reserve(1 << 20);
  while (big.size() < (1u << 20)) big += u"abcdef\n";
  SetClipboardText(big);
  Memo->SetFocus();
  Changes = 0;
  Chord(VK_CONTROL, 'V');
  // Line breaks become CR LF and are never cut in two.
  EXPECT_EQ(Memo->GetText(), u"abcdef\r\nab");
  EXPECT_EQ(Changes, 1);
  Chord(VK_CONTROL, 'V');
  EXPECT_EQ(Memo->GetText(), u"abcdef\r\nab");
  EXPECT_EQ(Changes, 1);
  // One step of undo.
  Chord(VK_CONTROL, 'Z');
  EXPECT_EQ(Memo->GetText(), u"");
  Memo->SetReadOnly(true);
  Type(u"x");
  Press(VK_RETURN);
  EXPECT_EQ(Memo->GetText(), u"");
}

TEST_F(MemoTest, Pictures) {
  String text = u"Der Memo bricht lange Zeilen nach Leerzeichen um.\r\nZweite Zeile\r\n\tmit Tabulator";
  for (int i = 3; i < 12; ++i) text += u"\r\nZeile " + IntToStr(i);
  Memo->SetWordWrap(true);
  Memo->SetScrollBars(ssVertical);
  Memo->SetText(text);
  auto* plain = Add<TMemo>(Form, 10, 120, 200, 100);
  plain->SetWordWrap(false);
  plain->SetScrollBars(ssBoth);
  plain->SetText(text);
  plain->SetFocus();
  plain->Perform(EM_SETSEL, 3, 20);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/memo.png", "memo.png");
}
