// The grid's companion windows, headless through the message queue: the markup hint window's
// rectangles on one and two monitors and its picture, the overview scroll control's thumb,
// paging, dragging and transparency, and the non-activating popup form.
#include <cmath>
#include <cstdio>
#include <vector>

#include "lib/grid/core/NeoGridCompanions.h"
#include "lib/grid/core/NeoHTMLHintWindow.h"
#include "lib/gridutil/NeoGridUtilText.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/WinUser.h"

namespace {

// ---------------------------------------------------------------------------------------------
// THTMLHintWindow
// ---------------------------------------------------------------------------------------------
class HTMLHintWindowTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    HintFontName = u"DejaVu Sans";
    Hint = new THTMLHintWindow(Application);
  }
  void TearDown() override {
    delete Hint;
    HintFontName.clear();
    UiTest::TearDown();
  }
  // The width of Text on one line in the hint font family, measured apart from the window.
  static Integer PlainWidth(const String& Text) {
    TFont font;
    font.SetName(HintFontName);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.GetHandle());
    RECT r{0, 0, 2000, 100};
    DrawText(dc, Text.c_str(), static_cast<int>(Text.size()), &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.right - r.left;
  }
  THTMLHintWindow* Hint = nullptr;
};

TEST_F(HTMLHintWindowTest, RectanglesFollowTheTextKindAndStayOnTheMonitor) {
  Headless::SetMonitors({{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}},
                         {RECT{1920, 0, 3200, 1024}, RECT{1920, 0, 3200, 1024}}});
  String longText;
  for (int i = 0; i < 40; ++i) longText += u"word <b>bold</b> ";
  struct TextCase {
    const char* Name;
    String Text;
    Integer Extra;
  };
  const std::vector<TextCase> texts = {
      {"pair-encoded", EncodePairEncodedText(u"Unicode \u00E4\u4E2D hint"), 8},
      {"markup", u"<b>Bold</b> and <i>italic</i>", 16},
      {"long markup", longText, 16},
  };
  struct PlaceCase {
    const char* Name;
    TPoint At;
    // The monitor the hint starts on.
    RECT Monitor;
  };
  const std::vector<PlaceCase> places = {
      {"fits", {100, 100}, {0, 0, 1920, 1080}},
      {"crosses the right edge", {1900, 300}, {0, 0, 1920, 1080}},
      {"crosses the bottom", {300, 1075}, {0, 0, 1920, 1080}},
      {"second monitor, both edges", {3150, 1010}, {1920, 0, 3200, 1024}},
  };
  for (const TextCase& t : texts)
    for (const PlaceCase& p : places) {
      SCOPED_TRACE(std::string(t.Name) + ", " + p.Name);
      const TRect measured = Hint->CalcHintRect(1008, t.Text, nullptr);
      const Integer w = measured.right + t.Extra, h = measured.bottom + 4;
      Hint->ActivateHint(TRect{p.At.x, p.At.y, p.At.x + 10, p.At.y + 10}, t.Text);
      Pump();
      TRect got = Hint->GetBoundsRect();
      EXPECT_EQ(got.right - got.left, w) << "never shrunk";
      EXPECT_EQ(got.bottom - got.top, h);
      const Integer left = p.At.x + w > p.Monitor.right ? p.Monitor.right - w - 2 : p.At.x;
      const Integer top = p.At.y + h > p.Monitor.bottom ? p.Monitor.bottom - 2 - h : p.At.y;
      EXPECT_EQ(got.left, left);
      EXPECT_EQ(got.top, top);
      EXPECT_TRUE(IsWindowVisible(Hint->GetHandle()));
    }
  // The pair-encoded hint is one line of the decoded text in the hint font; markup wraps at 1008.
  const String decoded = u"Unicode \u00E4\u4E2D hint";
  EXPECT_EQ(Hint->CalcHintRect(1008, EncodePairEncodedText(decoded), nullptr).right, PlainWidth(decoded));
  const TRect longRect = Hint->CalcHintRect(1008, longText, nullptr);
  EXPECT_LE(longRect.right, 1008);
  EXPECT_GT(longRect.bottom, 2 * Hint->CalcHintRect(1008, u"word", nullptr).bottom);
}

TEST_F(HTMLHintWindowTest, ShowingLeavesTheActivationAndPaintsFrameAndMarkup) {
  TForm* form = NewForm(200, 100);
  form->Show();
  Pump();
  HWND active = GetActiveWindow();
  Hint->SetColor(clInfoBk);
  Hint->ActivateHint(TRect{200, 200, 210, 210}, u"<font color=\"clRed\"><b>Red</b></font> hint");
  Pump();
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_EQ(GetWindowLong(Hint->GetHandle(), GWL_STYLE) & WS_BORDER, 0);
  ASSERT_TRUE(Headless::SaveWindowPng(Hint->GetHandle(), OutputPath("html_hint_window.png")));
  HWND h = Hint->GetHandle();
  const TRect r = Hint->GetClientRect();
  EXPECT_EQ(Headless::ClientPixel(h, 0, 0), static_cast<COLORREF>(ColorToRGB(cl3DLight)));
  EXPECT_EQ(Headless::ClientPixel(h, r.right - 1, r.bottom - 1), static_cast<COLORREF>(ColorToRGB(cl3DDkShadow)));
  EXPECT_EQ(Headless::ClientPixel(h, r.right - 3, r.bottom / 2), static_cast<COLORREF>(ColorToRGB(clInfoBk)));
  Integer red = 0;
  for (Integer x = 0; x < r.right; ++x)
    for (Integer y = 0; y < r.bottom; ++y) {
      COLORREF c = Headless::ClientPixel(h, x, y);
      if (GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80) ++red;
    }
  EXPECT_GT(red, 10) << "the red bold word is drawn";
  // A new caption repaints the window.
  Hint->SetCaption(u"plain");
  Pump();
  red = 0;
  for (Integer x = 0; x < r.right; ++x)
    for (Integer y = 0; y < r.bottom; ++y) {
      COLORREF c = Headless::ClientPixel(h, x, y);
      if (GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80) ++red;
    }
  EXPECT_EQ(red, 0);
}

TEST_F(HTMLHintWindowTest, GridDataLendsItsImages) {
  TForm* form = NewForm(200, 100);
  auto* grid = Add<TNeoStringGrid>(form, 0, 0, 200, 100);
  auto* images = new TImageList(form);
  grid->SetGridImages(images);
  Hint->ActivateHintData(TRect{10, 10, 20, 20}, u"<b>x</b>", grid);
  EXPECT_EQ(Hint->GetImages(), images);
  Hint->ActivateHintData(TRect{10, 10, 20, 20}, u"<b>x</b>", form);
  EXPECT_EQ(Hint->GetImages(), images) << "other data leaves the images";
}

// ---------------------------------------------------------------------------------------------
// TScrollControl
// ---------------------------------------------------------------------------------------------
class ScrollControlTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(320, 260);
    Grid = Add<TNeoStringGrid>(Form, 0, 0, 300, 222);
    Grid->SetDefaultRowHeight(20);
    Grid->SetColCount(3);
    Grid->SetRowCount(100);
    Grid->SetScrollBars(ssNone);
    Bar = new TScrollControl(Grid);
    Bar->SetParent(Grid);
    Bar->SetDoubleBuffered(true);
    Bar->SetBounds(Grid->GetClientWidth() - 6, 0, 6, Grid->GetClientHeight());
    Form->Show();
    Pump();
  }
  void Press(Integer Y) {
    TPoint p = ScreenPoint(Bar, 2, Y);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
  }
  void Release(Integer Y) {
    TPoint p = ScreenPoint(Bar, 2, Y);
    Headless::ButtonUp(1, p.x, p.y);
    Pump();
  }
  void MoveTo(Integer Y) {
    TPoint p = ScreenPoint(Bar, 2, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  TForm* Form = nullptr;
  TNeoStringGrid* Grid = nullptr;
  TScrollControl* Bar = nullptr;
};

TEST_F(ScrollControlTest, ThumbFollowsTheRowsAndTheTopRow) {
  const Integer h = Bar->GetHeight();
  ASSERT_EQ(h, Grid->GetClientHeight());
  struct Case {
    Integer Rows, Fixed, Footers, Top;
    bool Shown;
    // Position and length; -1: the length in proportion to the visible rows over the track,
    // which is the height less the fixed rows and the footer rows (20 pixels each).
    Integer Pos, Len;
  };
  const std::vector<Case> cases = {
      {5, 1, 0, 1, false, 20, -1},          // all rows fit: no thumb
      {30, 1, 0, 1, true, 20, -1},
      {30, 2, 0, 2, true, 40, -1},          // two fixed rows: the track starts below them
      {30, 1, 0, 16, true, -1, -1},         // halfway
      {30, 1, 2, 1, true, 20, -1},          // footer rows shorten the track
      {1000000, 1, 0, 1, true, 20, 20},     // a very long grid still gets 20 pixels
      {1000000, 1, 0, 999999, true, h - 20, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.Rows << " rows, top " << c.Top << ", fixed " << c.Fixed << ", footers "
                                      << c.Footers);
    Grid->SetRowCount(c.Rows);
    Grid->SetFixedRows(c.Fixed);
    Grid->SetFixedFooters(c.Footers);
    Grid->SetTopRowEx(c.Top);
    ASSERT_EQ(Grid->GetTopRowEx(), c.Top);
    const Integer visible = Grid->GetVisibleRowCount();
    const double track = h - 20.0 * (c.Fixed + c.Footers);
    Integer pos = 0, len = 0;
    ASSERT_TRUE(Bar->ThumbGeometry(pos, len));
    EXPECT_EQ(Bar->ThumbShown(), c.Shown);
    const Integer wantLen = c.Len >= 0 ? c.Len : static_cast<Integer>(std::nearbyint(track * visible / c.Rows));
    const Integer wantPos =
        c.Pos >= 0 ? c.Pos : 20 * c.Fixed + static_cast<Integer>(std::nearbyint(track * (c.Top - c.Fixed) / (c.Rows - c.Fixed)));
    EXPECT_EQ(len, wantLen);
    EXPECT_EQ(pos, wantPos);
  }
}

TEST_F(ScrollControlTest, PressesBesideTheThumbPageAndTheThumbDrags) {
  const Integer visible = Grid->GetVisibleRowCount();
  Grid->SetTopRowEx(3);
  Integer pos = 0, len = 0;
  Bar->ThumbGeometry(pos, len);
  Press(pos - 1);
  Release(pos - 1);
  EXPECT_EQ(Grid->GetTopRowEx(), 1) << "never above the first scrollable row";
  Bar->ThumbGeometry(pos, len);
  Press(pos + len + 2);
  Release(pos + len + 2);
  EXPECT_EQ(Grid->GetTopRowEx(), 1 + visible);
  Grid->SetTopRowEx(85);
  Bar->ThumbGeometry(pos, len);
  ASSERT_LT(pos + len + 1, Bar->GetHeight());
  Press(pos + len + 1);
  Release(pos + len + 1);
  EXPECT_EQ(Grid->GetTopRowEx(), 100 - visible) << "never past the last page";

  // Dragging: 100 rows over (height - row 0's height) pixels.
  Grid->SetTopRowEx(10);
  Bar->ThumbGeometry(pos, len);
  Press(pos + 2);
  EXPECT_TRUE(Bar->GetDownOnScroller());
  MoveTo(pos + 2 + 20);
  const Integer expected = 10 + static_cast<Integer>(std::nearbyint(20.0 / (Bar->GetHeight() - 20) * 100));
  EXPECT_EQ(Grid->GetTopRowEx(), expected);
  MoveTo(pos + 2 - 400);
  EXPECT_EQ(Grid->GetTopRowEx(), 1);
  Release(pos);
  EXPECT_FALSE(Bar->GetDownOnScroller());
  const Integer released = Grid->GetTopRowEx();
  MoveTo(pos + 100);
  EXPECT_EQ(Grid->GetTopRowEx(), released) << "no drag after the release";
}

TEST_F(ScrollControlTest, ControlAsTallAsRowZeroIgnoresTheDrag) {
  Bar->SetHeight(20);
  Grid->SetTopRowEx(10);
  Integer pos = 0, len = 0;
  Bar->ThumbGeometry(pos, len);
  ASSERT_EQ(len, 20);
  Press(pos + 5);
  ASSERT_TRUE(Bar->GetDownOnScroller());
  MoveTo(pos + 15);
  EXPECT_EQ(Grid->GetTopRowEx(), 10);
  Release(pos + 15);
}

TEST_F(ScrollControlTest, AroundTheThumbTheGridShows) {
  for (Integer r = 0; r < 100; ++r) Grid->SetCells(2, r, u"row " + IntToStr(r));
  Bar->SetVisible(false);
  Pump();
  const Integer x0 = Bar->GetLeft();
  std::vector<COLORREF> beneath;
  for (Integer y = 0; y < Bar->GetHeight(); ++y)
    for (Integer x = 0; x < 6; ++x) beneath.push_back(Headless::ClientPixel(Grid->GetHandle(), x0 + x, y));
  Bar->SetColor(clRed);
  Bar->SetVisible(true);
  Bar->Invalidate();
  Pump();
  Integer pos = 0, len = 0;
  Bar->ThumbGeometry(pos, len);
  Integer same = 0, thumb = 0, other = 0;
  for (Integer y = 0; y < Bar->GetHeight(); ++y)
    for (Integer x = 0; x < 6; ++x) {
      COLORREF c = Headless::ClientPixel(Bar->GetHandle(), x, y);
      if (y >= pos && y < pos + len && x < Bar->GetScrollWidth()) thumb += c == RGB(255, 0, 0);
      else if (c == beneath[static_cast<std::size_t>(y * 6 + x)]) ++same;
      else ++other;
    }
  EXPECT_EQ(thumb, len * Bar->GetScrollWidth());
  EXPECT_EQ(other, 0);
  EXPECT_GT(same, 0);
  ASSERT_TRUE(Headless::SaveWindowPng(Form->GetHandle(), OutputPath("scroll_control_over_grid.png")));
}

TEST_F(ScrollControlTest, ParentThatIsNoGridPaintsNothingAndIgnoresTheMouse) {
  auto* panel = Add<TPanel>(Form, 0, 230, 300, 30);
  panel->SetColor(clBlue);
  auto* bar = new TScrollControl(panel);
  bar->SetParent(panel);
  bar->SetDoubleBuffered(true);
  bar->SetBounds(10, 2, 6, 26);
  bar->SetColor(clRed);
  Pump();
  Integer pos = 0, len = 0;
  EXPECT_FALSE(bar->ThumbGeometry(pos, len));
  for (Integer y = 0; y < 26; ++y)
    for (Integer x = 0; x < 6; ++x) ASSERT_EQ(Headless::ClientPixel(bar->GetHandle(), x, y), RGB(0, 0, 255));
  ClickAt(bar, 2, 5);
  EXPECT_FALSE(bar->GetDownOnScroller());
}

// ---------------------------------------------------------------------------------------------
// TNoActiveForm
// ---------------------------------------------------------------------------------------------
class TLoggedNoActiveForm : public TNoActiveForm {
public:
  using TNoActiveForm::TNoActiveForm;
  void WndProc(TMessage& Message) override {
    TNoActiveForm::WndProc(Message);
    if (Message.Msg == WM_ACTIVATE || Message.Msg == WM_MOUSEACTIVATE)
      Log.push_back({Message.Msg, Message.Result});
  }
  std::vector<std::pair<UINT, LRESULT>> Log;
};

TEST_F(HTMLHintWindowTest, NoActiveFormLeavesFocusAndActivationWithTheGridsForm) {
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    TForm* form = NewForm(300, 200);
    auto* grid = Add<TNeoStringGrid>(form, 0, 0, 300, 200);
    form->Show();
    Pump();
    grid->SetFocus();
    Pump();
    auto* popup = new TLoggedNoActiveForm(grid);
    popup->SetEnabledForm(enabled);
    popup->SetBorderStyle(bsNone);
    popup->SetBounds(500, 500, 200, 22);
    Integer clicks = 0;
    popup->OnClick = [&](TObject*) { ++clicks; };
    popup->SetVisible(true);
    Pump();
    const DWORD style = static_cast<DWORD>(GetWindowLong(popup->GetHandle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_POPUP | WS_DISABLED | WS_BORDER),
              enabled ? WS_POPUP : static_cast<DWORD>(WS_POPUP | WS_DISABLED | WS_BORDER));
    // Owned through the grid's window by the grid's form (owners are top-level windows).
    EXPECT_EQ(GetWindow(popup->GetHandle(), GW_OWNER), form->GetHandle());
    EXPECT_TRUE(IsWindowVisible(popup->GetHandle()));
    EXPECT_EQ(GetActiveWindow(), form->GetHandle());
    ClickAt(popup, 20, 10);
    EXPECT_EQ(GetActiveWindow(), form->GetHandle());
    EXPECT_EQ(GetFocus(), grid->GetHandle());
    EXPECT_EQ(clicks, enabled ? 1 : 0);
    for (const auto& [msg, result] : popup->Log) {
      EXPECT_EQ(result, msg == WM_ACTIVATE ? 1 : MA_NOACTIVATE) << "message " << msg;
    }
    delete popup;
    delete form;
  }
}

}  // namespace
