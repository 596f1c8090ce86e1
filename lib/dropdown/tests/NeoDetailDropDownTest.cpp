// The detail drop-down through the headless window system: autocompletion while typing, the keys
// on the closed and open popup, type-ahead on the virtual clock, the wheel, cancelling, the items'
// own painting and a golden picture of the open popup with images and markup notes.
#include "lib/dropdown/NeoDetailDropDown.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "lib/dropdown/testsupport/PickerFixture.h"

namespace {

class DetailDropDown : public PickerTest {
protected:
  TNeoDetailDropDown* NewDetail(std::initializer_list<const char16_t*> Captions) {
    auto* d = NewPicker<TNeoDetailDropDown>();
    for (const char16_t* c : Captions) d->GetItems()->Add()->SetCaption(c);
    d->OnSelect = [this](TObject*) { ++Selects; };
    return d;
  }
  TNeoDetailDropDown* NewNumbered(Integer Count) {
    auto* d = NewPicker<TNeoDetailDropDown>();
    for (Integer i = 0; i < Count; ++i) d->GetItems()->Add()->SetCaption(u"Item " + IntToStr(i));
    d->OnSelect = [this](TObject*) { ++Selects; };
    return d;
  }
  static void Caret(TNeoDetailDropDown* D, Integer Anchor, Integer Pos) {
    SendMessage(D->GetHandle(), EM_SETSEL, static_cast<WPARAM>(Anchor), Pos);
  }
  Integer Selects = 0;
};

// The text, its selection and the index after a script of keys on Apple, Apricot, Banana.
TEST_F(DetailDropDown, TypingCompletesAndKeysSelect) {
  struct TCase {
    const char* Name;
    std::function<void(TNeoDetailDropDown*)> Script;
    String Text;
    Integer SelStart, SelLength, ItemIndex, Selects;
  };
  const TCase cases[] = {
      {"a then p completes with the typed case", [](auto*) { Type(u"ap"); }, u"apple", 2, 3, 0, 0},
      {"apr goes on to Apricot", [](auto*) { Type(u"apr"); }, u"apricot", 3, 4, 1, 0},
      {"upper case typed stays", [](auto*) { Type(u"BA"); }, u"BAnana", 2, 4, 2, 0},
      {"no match keeps the typed text", [](auto*) { Type(u"x"); }, u"x", 1, 0, -1, 0},
      {"no match drops the text after the caret",
       [](auto* D) {
         D->SetText(u"qwerty");
         Caret(D, 2, 2);
         Type(u"z");
       },
       u"qwz", 3, 0, -1, 0},
      {"Backspace removes the tail without completing again",
       [](auto*) {
         Type(u"a");
         Press(VK_BACK);
       },
       u"a", 1, 0, 0, 0},
      {"typing after Backspace completes again",
       [](auto*) {
         Type(u"a");
         Press(VK_BACK);
         Type(u"p");
       },
       u"apple", 2, 3, 0, 0},
      {"Enter on a caption selects it",
       [](auto* D) {
         D->SetText(u"Banana");
         Press(VK_RETURN);
       },
       u"Banana", 0, 6, 2, 1},
      {"Enter on a caption in another case selects nothing",
       [](auto* D) {
         D->SetText(u"banana");
         Press(VK_RETURN);
       },
       u"banana", 0, 0, -1, 0},
      {"Down on the closed edit selects the next item",
       [](auto*) {
         Press(VK_DOWN);
         Press(VK_DOWN);
       },
       u"Apricot", 0, 7, 1, 2},
      {"Up from none selects item 0", [](auto*) { Press(VK_UP); }, u"Apple", 0, 5, 0, 1},
      {"Up at item 0 stays",
       [](auto* D) {
         D->SetItemIndex(0);
         Press(VK_UP);
       },
       u"Apple", 0, 5, 0, 1},
      {"Down at the last item stays",
       [](auto* D) {
         D->SetItemIndex(2);
         Press(VK_DOWN);
       },
       u"Banana", 0, 6, 2, 1},
      {"End on an editable closed edit moves the caret only",
       [](auto* D) {
         D->SetItemIndex(0);
         Press(VK_END);
       },
       u"Apple", 5, 0, 0, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Selects = 0;
    TNeoDetailDropDown* d = NewDetail({u"Apple", u"Apricot", u"Banana"});
    c.Script(d);
    EXPECT_EQ(d->GetText(), c.Text);
    EXPECT_EQ(d->GetSelStart(), c.SelStart);
    EXPECT_EQ(d->GetSelLength(), c.SelLength);
    EXPECT_EQ(d->GetItemIndex(), c.ItemIndex);
    EXPECT_EQ(Selects, c.Selects);
    delete d;
    Pump();
  }
}

TEST_F(DetailDropDown, MatchCaseAndItemIndexRules) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"apricot"});
  d->SetMatchCase(true);
  Type(u"ap");
  EXPECT_EQ(d->GetText(), u"apricot") << "with MatchCase only the lower-case caption begins with ap";
  EXPECT_EQ(d->GetItemIndex(), 1);
  // SetItemIndex: an item selects and fires; -1 clears without an event; others are ignored.
  Selects = 0;
  d->SetItemIndex(0);
  EXPECT_EQ(d->GetText(), u"Apple");
  EXPECT_EQ(Selects, 1);
  d->SetItemIndex(0);
  d->SetItemIndex(2);
  d->SetItemIndex(-2);
  EXPECT_EQ(d->GetItemIndex(), 0);
  EXPECT_EQ(Selects, 1);
  d->SetItemIndex(-1);
  EXPECT_EQ(d->GetText(), u"");
  EXPECT_EQ(Selects, 1);
  EXPECT_EQ(d->GetItems()->IndexOf(u"apricot"), 1);
  EXPECT_EQ(d->GetItems()->IndexOf(u"APPLE"), -1);
  EXPECT_EQ(d->GetItems()->IndexOf(u""), -1);
}

TEST_F(DetailDropDown, OpenPopupKeysAndCancel) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"Apricot", u"Banana", u"Cherry", u"Date"});
  EXPECT_EQ(d->GetItemSelector()->GetItems()->GetCount(), 0) << "the list is filled when the popup opens";
  d->SetItemIndex(1);
  Selects = 0;
  Open(d);
  ASSERT_TRUE(IsOpen(d));
  TNeoCustomItemSelector* s = d->GetItemSelector();
  EXPECT_EQ(s->GetItems()->GetCount(), 5);
  EXPECT_EQ(s->GetItemIndex(), 1);
  EXPECT_EQ(GetFocus(), s->GetHandle());
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_TRUE(IsOpen(d)) << "keys keep the popup open";
  EXPECT_EQ(d->GetItemIndex(), 3);
  EXPECT_EQ(d->GetText(), u"Cherry");
  Press(VK_HOME);
  EXPECT_EQ(d->GetItemIndex(), 0);
  Press(VK_END);
  EXPECT_EQ(d->GetItemIndex(), 4);
  Press(VK_UP);
  EXPECT_EQ(d->GetItemIndex(), 3);
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 1) << "Esc restores the index of the opening";
  EXPECT_EQ(d->GetText(), u"Apricot");
  // Enter keeps the choice; Esc on the closed edit later changes nothing.
  Open(d);
  Press(VK_DOWN);
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 2);
  Press(VK_ESCAPE);
  EXPECT_EQ(d->GetItemIndex(), 2);
  EXPECT_EQ(d->GetText(), u"Banana");
  // A click on an item selects it and closes the popup.
  Open(d);
  const TRect r = s->GetItemSelectorPanel()->GetItemRect(4);
  ClickAt(s->GetItemSelectorPanel(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 4);
  EXPECT_EQ(d->GetText(), u"Date");
}

TEST_F(DetailDropDown, PageKeysByVisibleItems) {
  TNeoDetailDropDown* d = NewNumbered(20);
  d->GetDropDownHeader()->SetVisible(false);
  d->GetDropDownFooter()->SetVisible(false);
  d->SetDropDownHeight(122);   // the list is 120 pixels high: five items of 22
  d->SetItemIndex(17);
  Open(d);
  ASSERT_EQ(d->GetItemSelector()->GetVisibleItemCount(), 5);
  struct TStep {
    UINT Key;
    Integer Want;
  };
  const TStep steps[] = {{VK_NEXT, 19}, {VK_NEXT, 19}, {VK_PRIOR, 14}, {VK_PRIOR, 9}, {VK_PRIOR, 4},
                         {VK_PRIOR, 0}, {VK_NEXT, 5}};
  for (const TStep& s : steps) {
    Press(s.Key);
    EXPECT_EQ(d->GetItemIndex(), s.Want) << "after key " << s.Key;
  }
  EXPECT_TRUE(IsOpen(d));
  // From index 3 a page back (3 - 5 < 1) lands on item 0 too.
  Press(VK_RETURN);
  d->SetItemIndex(3);
  Open(d);
  Press(VK_PRIOR);
  EXPECT_EQ(d->GetItemIndex(), 0);
}

// Type-ahead on a pick-only list: only keys that produce a printable character enter the search,
// upper-cased; the search is cleared 500 ms after its first character.
TEST_F(DetailDropDown, TypeAheadTakesPrintableKeysOnly) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"Banana", u"Blueberry", u"Cherry"});
  d->SetEditorEnabled(false);
  Open(d);
  struct TStep {
    const char* Name;
    std::function<void()> Keys;
    String Search;
    Integer Index;
  };
  const TStep steps[] = {
      {"Shift+b", [] { Chord(VK_SHIFT, 'B'); }, u"B", 1},
      {"F5", [] { Press(VK_F5); }, u"B", 1},
      {"Backspace", [] { Press(VK_BACK); }, u"B", 1},
      {"Shift alone", [] { Press(VK_SHIFT); }, u"B", 1},
      {"l", [] { Press('L'); }, u"BL", 2},
      {"1", [] { Press('1'); }, u"BL1", 2},
      {"400 ms later, c", [] {
         Headless::AdvanceClock(400);
         Pump();
         Press('C');
       },
       u"BL1C", 2},
      {"100 ms more clears", [] {
         Headless::AdvanceClock(100);
         Pump();
       },
       u"", 2},
      {"c again", [] { Press('C'); }, u"C", 3},
  };
  for (const TStep& s : steps) {
    SCOPED_TRACE(s.Name);
    s.Keys();
    EXPECT_EQ(d->GetSearchText(), s.Search);
    EXPECT_EQ(d->GetItemIndex(), s.Index);
    EXPECT_TRUE(IsOpen(d));
  }
}

TEST_F(DetailDropDown, TypeAheadLeavesAnEditableTextToTheCompletion) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"Apricot"});
  Open(d);
  Press(VK_ESCAPE);   // the list now holds the items
  Type(u"ap");
  EXPECT_EQ(d->GetSearchText(), u"");
  EXPECT_EQ(d->GetText(), u"apple");
  EXPECT_EQ(d->GetItemIndex(), 0);
}

TEST_F(DetailDropDown, WheelStepsTheSelection) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"Apricot", u"Banana"});
  const TPoint c = ScreenPoint(d, 20, 10);
  Headless::Wheel(c.x, c.y, -1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 0) << "closed: SelectNext from none";
  Headless::Wheel(c.x, c.y, -1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 1);
  Open(d);
  TNeoCustomItemSelector* s = d->GetItemSelector();
  const TPoint p = ScreenPoint(s, 20, 10);
  Headless::Wheel(p.x, p.y, -1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 2) << "open: the list's next item";
  EXPECT_TRUE(IsOpen(d));
  Headless::Wheel(p.x, p.y, -1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 2) << "nothing beyond the last item";
  Headless::Wheel(p.x, p.y, 1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 1);
}

// With OnDrawSelectedImage the handler paints each item; the drop-down draws no text or image.
TEST_F(DetailDropDown, OwnDrawingReplacesTheItemPainting) {
  TNeoDetailDropDown* d = NewDetail({u"Apple", u"Banana", u"Cherry"});
  d->GetItems()->GetItems(1)->SetNotes(u"<b>yellow</b>");
  d->SetImages(ColourList({clRed, clYellow}));
  d->GetItems()->GetItems(0)->SetImageIndex(0);
  auto countInk = [&] {
    Open(d);
    HWND popup = d->GetDropDownForm()->GetHandle();
    TNeoCustomItemSelector* s = d->GetItemSelector();
    int ink = 0;
    for (Integer y = 4; y < 3 * d->GetItemHeight(); ++y)
      for (Integer x = 4; x < s->GetWidth() - 30; ++x) {
        const COLORREF c = Headless::ClientPixel(s->GetHandle(), x, y);
        if (GetRValue(c) < 128 || GetBValue(c) < 128) ++ink;
      }
    (void)popup;
    Press(VK_ESCAPE);
    return ink;
  };
  EXPECT_GT(countInk(), 100) << "captions, notes and the red image";
  std::vector<TRect> drawn;
  d->OnDrawSelectedImage = [&](TObject* Sender, TCanvas*, TRect R) {
    EXPECT_EQ(Sender, d);
    drawn.push_back(R);
  };
  EXPECT_EQ(countInk(), 0);
  ASSERT_GE(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].bottom - drawn[0].top, 22);
}

// The open popup: images from a list and a picture, captions and markup notes, item 1 selected.
TEST_F(DetailDropDown, GoldenPopupWithNotesAndImages) {
  TNeoDetailDropDown* d = NewPicker<TNeoDetailDropDown>(10, 10, 240, 21);
  d->SetImages(ColourList({clRed, clGreen, clBlue}, 16));
  d->SetItemHeight(40);
  d->GetDropDownHeader()->SetVisible(false);
  d->GetDropDownFooter()->SetVisible(false);
  d->SetDropDownHeight(174);
  d->GetCaptionFont()->SetStyle(TFontStyles{fsBold});
  const char16_t* captions[] = {u"Strawberry", u"Lime", u"Blueberry", u"Picture"};
  const char16_t* notes[] = {u"Sweet and <i>red</i>", u"<font color=\"clGreen\">sour</font> citrus",
                             u"<b>Small</b> and blue", u""};
  for (Integer i = 0; i < 4; ++i) {
    TDetailItem* it = d->GetItems()->Add();
    it->SetCaption(captions[i]);
    it->SetNotes(notes[i]);
    it->SetImageIndex(i < 3 ? i : -1);
  }
  TBitmap pic;
  pic.SetPixelFormat(pf24bit);
  pic.SetSize(24, 24);
  pic.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  pic.GetCanvas()->FillRect(TRect{0, 0, 24, 24});
  pic.GetCanvas()->GetBrush()->SetColor(clNavy);
  pic.GetCanvas()->FillRect(TRect{6, 6, 18, 18});
  d->GetItems()->GetItems(3)->GetImage()->SetGraphic(&pic);
  d->SetItemIndex(1);
  Open(d);
  ExpectWindowMatchesGolden(d->GetDropDownForm()->GetHandle(), std::string(ZELK_TEST_DATA) + "/detail-popup.png",
                            "detail-popup.png");
  // The fuchsia picture's corner is made transparent: the list's background shows there.
  TNeoCustomItemSelector* s = d->GetItemSelector();
  const TRect r = s->GetItemSelectorPanel()->GetItemRect(3);
  const COLORREF corner = Headless::ClientPixel(s->GetItemSelectorPanel()->GetHandle(), r.left + 2, r.top + 8);
  EXPECT_NE(corner, RGB(255, 0, 255));
  const COLORREF middle = Headless::ClientPixel(s->GetItemSelectorPanel()->GetHandle(), r.left + 2 + 12, r.top + 20);
  EXPECT_EQ(middle, RGB(0, 0, 128));
}

}  // namespace
