// The popup's push buttons (state machine, modal results, keys, groups, check style, the unhot
// timer), the checked button list, and the header and footer strips: button layout, clicks
// reported to the drop-down, the size grip, and golden pictures.
#include "lib/dropdown/NeoHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A drop-down that records the popup's hide requests.
class THideProbe : public TNeoDropDown {
public:
  using TNeoDropDown::TNeoDropDown;
  std::vector<bool> Hides;

protected:
  void DoHideDropDown(bool Cancel) override { Hides.push_back(Cancel); }
};

class PopupStrips : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(300, 120);
    Form->SetColor(clWhite);
    DropDown = new THideProbe(Form);
    DropDown->SetParent(Form);
    DropDown->SetBounds(5, 90, 150, 21);
  }
  TNeoButton* AddButton(Integer X, Integer Y, const char* Caption = "Ok") {
    auto* b = new TNeoButton(Form);
    b->SetParent(Form);
    b->SetAppearance(DropDown->GetButtonAppearance());
    b->SetCaption(UTF8ToString(Caption));
    b->SetBounds(X, Y, 60, 22);
    b->OnClick = [this](TObject*) { ++Clicks; };
    return b;
  }
  using UiTest::Press;
  // A click that is not the second half of a double click.
  static void SingleClickAt(TControl* C, Integer X, Integer Y) {
    Headless::AdvanceClock(1000);
    ClickAt(C, X, Y);
  }
  void Press(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
  }
  void MoveTo(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  void Release(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::ButtonUp(1, p.x, p.y);
    Pump();
  }
  TForm* Form = nullptr;
  THideProbe* DropDown = nullptr;
  Integer Clicks = 0;
};

}  // namespace

TEST(DbgList, CheckedAccessAndAssign) {
  TDbgList list;
  int a = 1, b = 2;
  list.Add(&a);
  EXPECT_EQ(list.GetItemsEx(0), &a);
  list.SetItemsEx(0, &b);
  EXPECT_EQ(list.GetItemsEx(0), &b);
  try {
    list.GetItemsEx(1);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Index out of bounds in list read access");
  }
  try {
    list.SetItemsEx(1, &a);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Index out of bounds in list write access");
  }
  EXPECT_THROW(list.GetItemsEx(-1), EListError);
  TDbgList other;
  other.Add(&a);
  other.Add(&a);
  list.AssignList(&other);
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.GetItemsEx(1), &a);
}

TEST_F(PopupStrips, MouseScriptsDriveStateDownAndClicks) {
  Form->Show();
  TNeoButton* b = AddButton(10, 10);
  Pump();
  // Press inside: down while inside, up when dragged out, down again back in; release inside clicks.
  Press(b, 5, 5);
  EXPECT_EQ(b->GetState(), absDown);
  MoveTo(b, 100, 5);
  EXPECT_EQ(b->GetState(), absUp);
  MoveTo(b, 10, 5);
  EXPECT_EQ(b->GetState(), absDown);
  Release(b, 10, 5);
  EXPECT_EQ(b->GetState(), absUp);
  EXPECT_FALSE(b->GetDown());
  EXPECT_EQ(Clicks, 1);
  // Released outside: no click.
  Press(b, 5, 5);
  MoveTo(b, 100, 50);
  Release(b, 100, 50);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(b->GetState(), absUp);
  // Disabled: nothing happens.
  b->SetEnabled(false);
  SingleClickAt(b, 5, 5);
  EXPECT_EQ(Clicks, 1);
  b->Repaint();
  EXPECT_EQ(b->GetState(), absDisabled);
  b->SetEnabled(true);
  b->Repaint();
  EXPECT_EQ(b->GetState(), absUp);
  // A plain button cannot be held down.
  b->SetDown(true);
  EXPECT_FALSE(b->GetDown());
}

TEST_F(PopupStrips, GroupsAndCheckStyle) {
  Form->Show();
  TNeoButton* a = AddButton(10, 10, "A");
  TNeoButton* b = AddButton(80, 10, "B");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  SingleClickAt(a, 5, 5);
  EXPECT_TRUE(a->GetDown());
  EXPECT_EQ(a->GetState(), absExclusive);
  SingleClickAt(b, 5, 5);
  EXPECT_TRUE(b->GetDown());
  EXPECT_FALSE(a->GetDown());
  EXPECT_EQ(a->GetState(), absUp);
  SingleClickAt(b, 5, 5);   // without AllowAllUp the down button stays down
  EXPECT_TRUE(b->GetDown());
  b->SetAllowAllUp(true);
  SingleClickAt(b, 5, 5);
  EXPECT_FALSE(b->GetDown());
  EXPECT_EQ(Clicks, 4);
  // Check style toggles with each click.
  TNeoButton* c = AddButton(150, 10, "C");
  c->SetStyle(tasCheck);
  c->SetAllowAllUp(true);
  SingleClickAt(c, 5, 5);
  EXPECT_TRUE(c->GetDown());
  c->Repaint();
  EXPECT_EQ(c->GetState(), absDown);
  SingleClickAt(c, 5, 5);
  EXPECT_FALSE(c->GetDown());
  EXPECT_EQ(c->GetState(), absUp);
}

TEST_F(PopupStrips, ModalResultsCloseThePopup) {
  Form->Show();
  TNeoButton* b = AddButton(10, 10);
  b->SetNeoDropDown(DropDown);
  struct TCase { TModalResult Result; bool Closes, Cancel; };
  const TCase cases[] = {
      {mrNone, false, false},   {mrOk, true, false},     {mrCancel, true, true},     {mrAbort, true, true},
      {mrRetry, false, false},  {mrIgnore, true, true},  {mrYes, true, false},       {mrNo, true, true},
      {mrClose, false, false},  {mrHelp, false, false},  {mrTryAgain, false, false}, {mrContinue, false, false},
      {mrAll, true, false},     {mrNoToAll, true, true}, {mrYesToAll, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Result);
    DropDown->Hides.clear();
    Form->SetModalResult(99);
    Clicks = 0;
    b->SetModalResult(c.Result);
    SingleClickAt(b, 5, 5);
    EXPECT_EQ(Form->GetModalResult(), c.Result);
    EXPECT_EQ(Clicks, 1);
    ASSERT_EQ(DropDown->Hides.size(), c.Closes ? 1u : 0u);
    if (c.Closes) {
      EXPECT_EQ(DropDown->Hides[0], c.Cancel);
    }
    Form->SetModalResult(mrNone);
  }
  // Enter and Space close without the button's event.
  for (UINT key : {VK_RETURN, VK_SPACE}) {
    DropDown->Hides.clear();
    Clicks = 0;
    b->SetModalResult(mrCancel);
    b->SetFocus();
    Pump();
    UiTest::Press(key);
    Form->SetModalResult(mrNone);
    EXPECT_EQ(Clicks, 0) << key;
    ASSERT_EQ(DropDown->Hides.size(), 1u) << key;
    EXPECT_TRUE(DropDown->Hides[0]);
  }
}

TEST_F(PopupStrips, UnhotTimerNoticesACursorThatLeftUnannounced) {
  Form->Show();
  TNeoButton* b = AddButton(10, 10);
  MoveTo(b, 5, 5);
  EXPECT_TRUE(b->GetMouseInControl());
  EXPECT_TRUE(b->GetHot());
  EXPECT_TRUE(b->GetUnHotTimer()->GetEnabled());
  EXPECT_EQ(b->GetUnHotTimer()->GetInterval(), 1u);
  // The cursor jumps away without a message; the next 1 ms tick repaints the button normal.
  TPoint away = ScreenPoint(b, 200, 80);
  SetCursorPos(away.x, away.y);
  EXPECT_TRUE(b->GetHot());
  Headless::AdvanceClock(1);
  Pump();
  EXPECT_FALSE(b->GetHot());
  EXPECT_FALSE(b->GetMouseInControl());
  EXPECT_FALSE(b->GetUnHotTimer()->GetEnabled());
}

TEST_F(PopupStrips, AdjustToContentAndAccelerators) {
  TNeoButton* b = AddButton(10, 10, "&Übernehmen");
  b->AdjustToContent();
  TCanvas* c = b->GetCanvas();
  c->GetFont()->Assign(DropDown->GetButtonAppearance()->GetFont());
  TSize text = GetTextSize(c, u"&Übernehmen");
  EXPECT_EQ(b->GetWidth(), text.cx + 8);
  EXPECT_EQ(b->GetHeight(), text.cy + 4);
  TImageList images(nullptr);
  images.SetWidth(48);
  images.SetHeight(40);
  b->SetImages(&images);
  b->SetImageIndex(0);
  b->AdjustToContent();
  EXPECT_EQ(b->GetWidth(), std::max<Integer>(text.cx, 48) + 8);
  EXPECT_EQ(b->GetHeight(), 44);
  b->SetImages(nullptr);
  Form->Show();
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, u'Ü', 0), 1);
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(b->Perform(CM_DIALOGCHAR, u'x', 0), 0);
  EXPECT_EQ(Clicks, 1);
}

TEST_F(PopupStrips, HeaderButtonsLayoutAndClicks) {
  THeaderButtons* defs = DropDown->GetDropDownHeader()->GetButtons();
  defs->Add()->SetCaption(u"Erster");
  THeaderButton* tall = defs->Add();
  tall->SetCaption(u"Zweiter");
  tall->SetHeight(60);   // higher than the area: shrunk to it
  THeaderButton* wide = defs->Add();
  wide->SetCaption(u"D");
  wide->SetWidth(50);
  auto* header = new TNeoHeader(Form);
  header->SetParent(Form);
  header->SetBounds(0, 0, 300, 26);
  header->SetNeoDropDown(DropDown);
  header->InitButtons();
  ASSERT_EQ(header->GetButtonList()->GetCount(), 3);
  TRect area = header->GetButtonArea();
  EXPECT_EQ(area, (TRect{2, 2, 298, 23}));
  TNeoButton* first = header->GetButton(0);
  TNeoButton* second = header->GetButton(1);
  TNeoButton* third = header->GetButton(2);
  // baRight: the first is the rightmost, the buttons touch.
  EXPECT_EQ(first->GetLeft() + first->GetWidth(), 298);
  EXPECT_EQ(second->GetLeft() + second->GetWidth(), first->GetLeft());
  EXPECT_EQ(third->GetLeft() + third->GetWidth(), second->GetLeft());
  EXPECT_EQ(second->GetHeight(), 21);
  EXPECT_EQ(third->GetWidth(), 50);
  TCanvas* c = first->GetCanvas();
  c->GetFont()->Assign(DropDown->GetButtonAppearance()->GetFont());
  EXPECT_EQ(first->GetWidth(), GetTextSize(c, u"Erster").cx + 8);
  for (Integer i = 0; i < 3; ++i) {
    TNeoButton* b = header->GetButton(i);
    EXPECT_EQ(b->GetTop(), std::max<Integer>(2, (23 - b->GetHeight()) / 2));
    EXPECT_EQ(b->GetTag(), i);
    EXPECT_EQ(b->GetAppearance(), DropDown->GetButtonAppearance());
  }
  EXPECT_EQ(header->GetCaptionRect().right, third->GetLeft() - 2);
  // baLeft: from the left, the caption still cut at the last (now rightmost) button.
  header->GetAppearance()->SetButtonAlignment(baLeft);
  header->SetWidth(299);
  EXPECT_EQ(first->GetLeft(), 2);
  EXPECT_EQ(second->GetLeft(), first->GetLeft() + first->GetWidth());
  EXPECT_EQ(header->GetCaptionRect().right, third->GetLeft() - 2);
  // A click reports the drop-down as sender and the button's index.
  Form->Show();
  std::vector<std::pair<TObject*, Integer>> got;
  DropDown->OnDropDownHeaderButtonClick = [&](TObject* Sender, Integer Index) { got.emplace_back(Sender, Index); };
  SingleClickAt(second, 3, 3);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].first, DropDown);
  EXPECT_EQ(got[0].second, 1);
  // The appearance's Visible and Height reach the strip.
  header->GetAppearance()->SetHeight(30);
  header->GetAppearance()->SetVisible(false);
  EXPECT_FALSE(header->GetVisible());
  EXPECT_EQ(header->GetHeight(), 30);
}

TEST_F(PopupStrips, FooterGripAndButtons) {
  TFooterButton* def = DropDown->GetDropDownFooter()->GetButtons()->Add();
  def->SetCaption(u"Ok");
  def->SetModalResult(mrOk);
  auto* footer = new TNeoFooter(Form);
  footer->SetParent(Form);
  footer->SetBounds(0, 40, 300, 24);
  EXPECT_FALSE(footer->HasSizeGrip());   // no drop-down
  footer->SetNeoDropDown(DropDown);
  EXPECT_TRUE(footer->HasSizeGrip());
  EXPECT_EQ(footer->GetButtonArea(), (TRect{2, 2, 298 - 12, 22}));
  DropDown->SetDropDownSizeable(false);
  EXPECT_FALSE(footer->HasSizeGrip());
  EXPECT_EQ(footer->GetButtonArea(), (TRect{2, 2, 298, 22}));
  DropDown->SetDropDownSizeable(true);
  footer->GetAppearance()->SetSizeGrip(false);
  EXPECT_FALSE(footer->HasSizeGrip());
  footer->GetAppearance()->SetSizeGrip(true);
  footer->InitButtons();
  TNeoButton* ok = footer->GetButton(0);
  EXPECT_EQ(ok->GetModalResult(), mrOk);
  EXPECT_EQ(ok->GetNeoDropDown(), DropDown);
  EXPECT_EQ(ok->GetLeft() + ok->GetWidth(), 286);
  // A footer button click: the event with the index, and the popup closed.
  Form->Show();
  Integer clicked = -1;
  DropDown->OnDropDownFooterButtonClick = [&](TObject*, Integer Index) { clicked = Index; };
  SingleClickAt(ok, 3, 3);
  EXPECT_EQ(clicked, 0);
  ASSERT_EQ(DropDown->Hides.size(), 1u);
  EXPECT_FALSE(DropDown->Hides[0]);
  // A press in the grip corner hands the parent WM_NCLBUTTONDOWN with HTBOTTOMRIGHT, and the cursor
  // over it is the diagonal sizing one.
  std::vector<WPARAM> hits;
  auto previous = Form->WindowProc;
  Form->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_NCLBUTTONDOWN) hits.push_back(M.WParam);
    else previous(M);
  };
  MoveTo(footer, 295, 20);
  EXPECT_EQ(Screen->GetCursor(), crSizeNWSE);
  MoveTo(footer, 200, 20);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  Press(footer, 295, 20);
  Release(footer, 295, 20);
  Press(footer, 280, 20);   // left of the corner: nothing
  Release(footer, 280, 20);
  Form->WindowProc = previous;
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0], static_cast<WPARAM>(HTBOTTOMRIGHT));
}

TEST_F(PopupStrips, GoldenPictures) {
  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap square;
  square.SetPixelFormat(pf24bit);
  square.SetSize(16, 16);
  square.GetCanvas()->GetBrush()->SetColor(clNavy);
  square.GetCanvas()->FillRect(TRect{0, 0, 16, 16});
  square.GetCanvas()->GetBrush()->SetColor(clYellow);
  square.GetCanvas()->FillRect(TRect{5, 5, 11, 11});
  images.Add(&square, nullptr);
  DropDown->SetImages(&images);
  THeaderAppearance* head = DropDown->GetDropDownHeader();
  head->SetCaption(u"<b>Kopf</b> mit <a href=\"x\">Verweis</a>");
  head->SetImageIndex(0);
  head->GetFont()->SetName(u"DejaVu Sans");
  for (const char16_t* caption : {u"Eins", u"Zwei", u"Drei"}) head->GetButtons()->Add()->SetCaption(caption);
  TFooterAppearance* foot = DropDown->GetDropDownFooter();
  foot->SetButtonAlignment(baLeft);
  foot->SetColor(static_cast<TColor>(0xF0E0D0));
  foot->SetColorTo(static_cast<TColor>(0xC09070));
  foot->SetGradientDirection(gdHorizontal);
  for (const char16_t* caption : {u"Ok", u"Abbrechen"}) foot->GetButtons()->Add()->SetCaption(caption);
  DropDown->GetButtonAppearance()->GetFont()->SetName(u"DejaVu Sans");
  DropDown->GetButtonAppearance()->SetColor(static_cast<TColor>(0xFFFFFF));
  DropDown->GetButtonAppearance()->SetColorTo(static_cast<TColor>(0xE0E0E0));
  DropDown->GetButtonAppearance()->SetBorderColor(clGray);
  auto strip = [&](TNeoPopupStrip* S, Integer Top) {
    S->SetParent(Form);
    S->SetBounds(0, Top, 300, 26);
    S->SetNeoDropDown(DropDown);
    S->InitButtons();
  };
  auto* header = new TNeoHeader(Form);
  strip(header, 0);
  auto* footer = new TNeoFooter(Form);
  strip(footer, 30);
  // Only what OnDrawBackGround paints.
  auto* drawn = new TNeoHeader(Form);
  DropDown->GetDropDownHeader()->GetButtons()->Clear();
  strip(drawn, 60);
  drawn->OnDrawBackGround = [](TObject*, TCanvas* C, TRect R) {
    C->GetBrush()->SetColor(clTeal);
    C->FillRect(TRect{R.left + 10, R.top + 5, R.left + 60, R.bottom - 5});
  };
  // Border 0: no border, no outline; the caption may use the whole strip.
  auto* flat = new TNeoHeader(Form);
  flat->SetParent(Form);
  flat->SetBounds(0, 90, 300, 26);
  flat->SetNeoDropDown(DropDown);
  flat->GetAppearance()->SetBorderWidth(0);
  flat->GetAppearance()->SetImageIndex(-1);
  flat->GetAppearance()->SetColorTo(clNone);
  flat->GetAppearance()->SetColor(static_cast<TColor>(0xD0F0F0));
  flat->GetAppearance()->SetCaption(u"Ohne Rand");
  DropDown->SetTop(200);
  Form->Show();
  Pump();
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/popup-header-footer.png",
                            "popup-header-footer.png");

  // The strip's pattern (painted by OnDrawBackGround) shows through a button without colours.
  TForm* second = NewForm(200, 40);
  TNeoHeader* striped = new TNeoHeader(second);
  striped->SetParent(second);
  DropDown->GetDropDownHeader()->GetButtons()->Add()->SetCaption(u"Knopf");
  DropDown->GetButtonAppearance()->SetColor(clNone);
  DropDown->GetButtonAppearance()->SetColorTo(clNone);
  DropDown->GetButtonAppearance()->SetBorderColor(clNone);
  striped->SetBounds(0, 5, 200, 30);
  striped->SetNeoDropDown(DropDown);
  striped->InitButtons();
  striped->OnDrawBackGround = [](TObject*, TCanvas* C, TRect R) {
    C->GetBrush()->SetColor(clWhite);
    C->FillRect(R);
    C->GetPen()->SetColor(clRed);
    for (Integer x = R.left - 40; x < R.right; x += 6) {
      C->MoveTo(x, R.top);
      C->LineTo(x + (R.bottom - R.top), R.bottom);
    }
  };
  second->Show();
  Pump();
  ExpectWindowMatchesGolden(second->GetHandle(), std::string(ZELK_TEST_DATA) + "/popup-header-pattern.png",
                            "popup-header-pattern.png");
  // A stripe pixel inside the button, away from its caption.
  TNeoButton* knopf = striped->GetButton(0);
  Integer red = 0;
  for (Integer y = 1; y < knopf->GetHeight() - 1; ++y)
    red += Headless::ClientPixel(knopf->GetHandle(), 1, y) == RGB(255, 0, 0);
  EXPECT_GT(red, 0);
  DropDown->SetImages(nullptr);
}

TEST_F(PopupStrips, GripDragResizesTheWindowWithinItsMinimum) {
  // A sizeable window, and a borderless one like the drop-down's popup: the grip sizes both.
  for (TFormBorderStyle border : {bsSizeable, bsNone}) {
    SCOPED_TRACE(border == bsNone ? "borderless" : "sizeable");
    auto* window = new TForm(Application);
    window->SetBorderStyle(border);
    window->SetBounds(100, 100, 200, 120);
    auto* footer = new TNeoFooter(window);
    footer->SetParent(window);
    footer->SetAlign(alBottom);
    footer->SetHeight(24);
    footer->SetNeoDropDown(DropDown);
    window->Show();
    Pump();
    std::vector<UINT> order;
    auto previous = window->WindowProc;
    window->WindowProc = [&](TMessage& M) {
      if (M.Msg == WM_NCLBUTTONDOWN || M.Msg == WM_SIZING || M.Msg == WM_SIZE) order.push_back(M.Msg);
      previous(M);
      if (M.Msg == WM_GETMINMAXINFO) reinterpret_cast<MINMAXINFO*>(M.LParam)->ptMinTrackSize = POINT{80, 50};
    };
    auto drag = [&](Integer DX, Integer DY) {
      TPoint from = ScreenPoint(footer, footer->GetWidth() - 3, footer->GetHeight() - 3);
      Headless::ButtonDown(1, from.x, from.y);
      Pump();
      Headless::MouseMove(from.x + DX, from.y + DY);
      Pump();
      Headless::ButtonUp(1, from.x + DX, from.y + DY);
      Pump();
    };
    drag(40, 30);
    EXPECT_EQ(window->GetWidth(), 240);
    EXPECT_EQ(window->GetHeight(), 150);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), WM_NCLBUTTONDOWN);
    auto sizing = std::find(order.begin(), order.end(), WM_SIZING);
    ASSERT_NE(sizing, order.end());
    EXPECT_NE(std::find(sizing, order.end(), WM_SIZE), order.end());
    // Far inwards: never below the minimum tracking size.
    drag(-400, -400);
    EXPECT_EQ(window->GetWidth(), 80);
    EXPECT_EQ(window->GetHeight(), 50);
    window->WindowProc = previous;
    delete window;
  }
}
