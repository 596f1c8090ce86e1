// The track bar: its range and position rules, keys and mouse through the message queue, the
// notifications its parent gets, and its classic and themed pictures.
#include "platform/ui/testsupport/UiTestSupport.h"

#include <utility>
#include <vector>

#include "platform/ui/TrackBar.h"
#include "platform/win/UxTheme.h"

class TrackBarTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    RegisterThemeLibrary();
    Form = NewForm(300, 160);
    Bar = Add<TTrackBar>(Form, 10, 10, 200, 45);
    Bar->OnChange = [this](TObject*) { ++Changes; };
    FormProc = Form->WindowProc;
    Form->WindowProc = [this](TMessage& M) {
      if ((M.Msg == WM_HSCROLL || M.Msg == WM_VSCROLL) && M.LParam && reinterpret_cast<HWND>(M.LParam) == Bar->GetHandle())
        Log.emplace_back(LOWORD(M.WParam), HIWORD(M.WParam));
      FormProc(M);
    };
    Form->Show();
    Pump();
  }
  void TearDown() override {
    Form->WindowProc = FormProc;
    SetThemeActive(true);
    UiTest::TearDown();
  }
  TForm* Form = nullptr;
  TTrackBar* Bar = nullptr;
  int Changes = 0;
  std::function<void(TMessage&)> FormProc;
  std::vector<std::pair<WORD, WORD>> Log;   // code, position word
};

TEST_F(TrackBarTest, RangeAndPositionRules) {
  enum TOp { opMin, opMax, opPosition, opPageSize, opFrequency };
  struct TStep { TOp Op; Integer Value; Integer Min, Max, Position, Changes; };
  const TStep steps[] = {
      {opPosition, 5, 0, 10, 5, 1},
      {opPosition, 5, 0, 10, 5, 1},      // the same value: no OnChange
      {opPosition, 20, 0, 10, 10, 2},    // clamped to Max
      {opPosition, -3, 0, 10, 0, 3},     // and to Min
      {opMax, 4, 0, 4, 0, 3},
      {opPosition, 4, 0, 4, 4, 4},
      {opMax, 2, 0, 2, 2, 5},            // a lower Max moves Position
      {opMin, 3, 0, 2, 2, 5},            // Min above Max: refused
      {opMax, -1, 0, 2, 2, 5},           // Max below Min: refused
      {opMin, 2, 2, 2, 2, 5},            // Min = Max is a range of one position
      {opMax, 100, 2, 100, 2, 5},
      {opMin, 50, 50, 100, 50, 6},       // a higher Min moves Position
      {opPageSize, 0, 50, 100, 50, 6},   // PageSize 0: kept, paging moves nothing
      {opPageSize, -4, 50, 100, 50, 6},  // negative: refused
      {opFrequency, 0, 50, 100, 50, 6},  // refused
  };
  for (const TStep& s : steps) {
    switch (s.Op) {
      case opMin: Bar->SetMin(s.Value); break;
      case opMax: Bar->SetMax(s.Value); break;
      case opPosition: Bar->SetPosition(s.Value); break;
      case opPageSize: Bar->SetPageSize(s.Value); break;
      case opFrequency: Bar->SetFrequency(s.Value); break;
    }
    SCOPED_TRACE(::testing::Message() << "op " << s.Op << " value " << s.Value);
    EXPECT_EQ(Bar->GetMin(), s.Min);
    EXPECT_EQ(Bar->GetMax(), s.Max);
    EXPECT_EQ(Bar->GetPosition(), s.Position);
    EXPECT_EQ(Changes, s.Changes);
  }
  EXPECT_EQ(Bar->GetPageSize(), 0);
  EXPECT_EQ(Bar->GetFrequency(), 1);
  Bar->SetFocus();
  Press(VK_NEXT);
  EXPECT_EQ(Bar->GetPosition(), 50);
}

TEST_F(TrackBarTest, KeysMoveByLinesPagesAndToTheEnds) {
  Bar->SetFocus();
  Pump();
  struct TKey { UINT Key; Integer Position; WORD Code; };
  const TKey keys[] = {
      {VK_RIGHT, 1, TB_LINEDOWN}, {VK_DOWN, 2, TB_LINEDOWN},  {VK_NEXT, 4, TB_PAGEDOWN}, {VK_LEFT, 3, TB_LINEUP},
      {VK_UP, 2, TB_LINEUP},      {VK_END, 10, TB_BOTTOM},    {VK_RIGHT, 10, TB_LINEDOWN}, {VK_PRIOR, 8, TB_PAGEUP},
      {VK_HOME, 0, TB_TOP},       {VK_LEFT, 0, TB_LINEUP},
  };
  int moves = 0;
  Integer last = 0;
  for (const TKey& k : keys) {
    Log.clear();
    Press(k.Key);
    EXPECT_EQ(Bar->GetPosition(), k.Position) << k.Key;
    // The move, then the end of it when the key is let go.
    EXPECT_EQ(Log, (std::vector<std::pair<WORD, WORD>>{{k.Code, 0}, {TB_ENDTRACK, 0}})) << k.Key;
    if (k.Position != last) ++moves;
    last = k.Position;
  }
  EXPECT_EQ(Changes, moves);
  Bar->SetLineSize(3);
  Press(VK_RIGHT);
  EXPECT_EQ(Bar->GetPosition(), 3);
}

TEST_F(TrackBarTest, DraggingTheThumbAndPressingBesideIt) {
  Bar->SetMax(20);
  Bar->SetPosition(5);
  Changes = 0;
  TRect thumb = Bar->ThumbRect();
  Integer y = (thumb.top + thumb.bottom) / 2, x = (thumb.left + thumb.right) / 2;
  // The channel's positions: the thumb's middle at position 15 lies where the thumb would be drawn.
  Bar->SetPosition(15);
  TRect at15 = Bar->ThumbRect();
  Bar->SetPosition(5);
  Changes = 0;
  Integer x15 = (at15.left + at15.right) / 2;
  TPoint from = ScreenPoint(Bar, x, y), to = ScreenPoint(Bar, x15, y);
  Headless::ButtonDown(1, from.x, from.y);
  Headless::MouseMove((from.x + to.x) / 2, from.y);
  Pump();   // pending moves merge into the last one
  Headless::MouseMove(to.x, to.y);
  Headless::ButtonUp(1, to.x, to.y);
  Pump();
  EXPECT_EQ(Bar->GetPosition(), 15);
  EXPECT_EQ(Changes, 2);
  ASSERT_EQ(Log.size(), 4u);
  EXPECT_EQ(Log[0], std::make_pair(TB_THUMBTRACK, WORD(10)));
  EXPECT_EQ(Log[1], std::make_pair(TB_THUMBTRACK, WORD(15)));
  EXPECT_EQ(Log[2], std::make_pair(TB_THUMBPOSITION, WORD(15)));
  EXPECT_EQ(Log[3], std::make_pair(TB_ENDTRACK, WORD(0)));
  // Dragging beyond the end stops at Max.
  thumb = Bar->ThumbRect();
  from = ScreenPoint(Bar, (thumb.left + thumb.right) / 2, y);
  Headless::ButtonDown(1, from.x, from.y);
  Headless::MouseMove(from.x + 500, from.y);
  Headless::ButtonUp(1, from.x + 500, from.y);
  Pump();
  EXPECT_EQ(Bar->GetPosition(), 20);
  // A press left of the thumb pages back; right of it, forward.
  Log.clear();
  ClickAt(Bar, 12, y);
  EXPECT_EQ(Bar->GetPosition(), 18);
  Bar->SetPosition(0);
  ClickAt(Bar, 190, y);
  EXPECT_EQ(Bar->GetPosition(), 2);
  EXPECT_EQ(Log.front(), std::make_pair(TB_PAGEUP, WORD(0)));
}

TEST_F(TrackBarTest, ClassicAndThemedPictures) {
  Bar->SetPosition(3);
  auto* both = Add<TTrackBar>(Form, 10, 60, 200, 45);
  both->SetTickMarks(tmBoth);
  both->SetMax(20);
  both->SetFrequency(5);
  both->SetPosition(12);
  auto* top = Add<TTrackBar>(Form, 10, 110, 200, 40);
  top->SetTickMarks(tmTopLeft);
  top->SetTickStyle(tsManual);
  top->SetTick(7);
  top->SetPosition(10);
  auto* vertical = Add<TTrackBar>(Form, 230, 10, 140, 45);
  vertical->SetOrientation(trVertical);
  vertical->SetPosition(7);
  EXPECT_EQ(vertical->GetWidth(), 45);
  EXPECT_EQ(vertical->GetHeight(), 140);
  // Vertical: Min at the top.
  EXPECT_GT(vertical->ThumbRect().top, vertical->ChannelRect().top + 70);
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/trackbar-themed.png", "trackbar-themed.png");
  SetThemeActive(false);   // every window hears of it and repaints
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/trackbar-classic.png", "trackbar-classic.png");
}
