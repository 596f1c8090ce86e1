// The analog clock: geometry and hit rules, time setting with and without animation on the virtual
// clock, following the system time, keys, the appearance and its presets, and the GDI+ face
// (golden pictures and pixel checks).
#include "lib/dropdown/NeoWatch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "lib/dropdown/NeoWatchPaint.h"
#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "lib/graphics/NeoGDIP.h"
#include "lib/render/NeoSVGBitmap.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Filer.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A clock that counts its full paints.
class TProbeWatch : public TNeoWatch {
public:
  using TNeoWatch::TNeoWatch;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TNeoWatch::Paint();
  }
};

class Watch : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    Form = NewForm(300, 240);
    Form->SetColor(clWhite);
    Clock = new TProbeWatch(Form);
    Clock->SetParent(Form);
    Clock->SetLeft(20);
    Clock->SetTop(20);
    Clock->OnChange = [this](TObject*) { ++Changes; };
  }
  void TearDown() override {
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  static TDateTime At(Word H, Word M) { return EncodeTime(H, M, 0, 0); }
  Word Hour() const {
    Word h, m, s, ms;
    DecodeTime(Clock->GetTime(), h, m, s, ms);
    return h;
  }
  Word Minute() const {
    Word h, m, s, ms;
    DecodeTime(Clock->GetTime(), h, m, s, ms);
    return m;
  }
  // One millisecond of the virtual clock and the messages it brings.
  static void Tick(int Ms = 1) {
    Headless::AdvanceClock(static_cast<std::uint64_t>(Ms));
    Pump();
  }
  void Click(Integer X, Integer Y) {
    Headless::AdvanceClock(1000);   // never the second half of a double click
    ClickAt(Clock, X, Y);
  }
  TColor Shown(Integer X, Integer Y) const { return static_cast<TColor>(Headless::ClientPixel(Clock->GetHandle(), X, Y)); }

  TForm* Form = nullptr;
  TProbeWatch* Clock = nullptr;
  int Changes = 0;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Geometry and hit rules

TEST_F(Watch, GeometryOfTheDefaultClock) {
  EXPECT_EQ(Clock->GetWidth(), 180);
  EXPECT_EQ(Clock->GetHeight(), 180);
  EXPECT_EQ(Clock->GetFaceRect(), (TRect{10, 10, 170, 170}));
  EXPECT_EQ(Clock->GetCenter(), (TPoint{90, 90}));
  EXPECT_EQ(Clock->GetRadius(), 80.0);
  Clock->GetAppearance()->SetSize(100);
  EXPECT_EQ(Clock->GetFaceRect(), (TRect{40, 40, 140, 140}));
  Clock->GetAppearance()->SetSize(500);   // lowered to the client size
  EXPECT_EQ(Clock->GetFaceRect(), (TRect{0, 0, 180, 180}));
  Clock->SetShowAMPM(false);
  EXPECT_EQ(Clock->GetAMPMRect(), (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(Clock->GetVersion(), u"1.3.2.0");
}

TEST_F(Watch, PointToMinuteAndHourTable) {
  struct Case { Integer X, Y, Resolution, Minute, HourAM, HourPM; const char* What; };
  const Case cases[] = {
      {90, 20, 1, 0, 0, 12, "above"},          {160, 90, 1, 15, 3, 15, "right"},
      {90, 160, 1, 30, 6, 18, "below"},        {20, 90, 1, 45, 9, 21, "left"},
      {90, 90, 1, 23, 5, 17, "the centre"},    {0, 0, 1, 53, 11, 23, "top-left corner"},
      {179, 0, 1, 7, 1, 13, "top-right corner"}, {179, 179, 1, 23, 5, 17, "bottom-right corner"},
      {0, 179, 1, 38, 8, 20, "bottom-left corner"}, {80, 43, 1, 58, 0, 12, "minute 58: hour 12 is the top"},
      {80, 43, 5, 0, 0, 12, "Resolution 5 wraps 60 to 0"}, {90, 90, 15, 30, 6, 18, "Resolution 15"},
      {160, 95, 5, 15, 3, 15, "Resolution 5 rounds 16 down"},
  };
  for (const Case& c : cases) {
    Clock->SetResolution(c.Resolution);
    Clock->SetTime(At(9, 0));
    EXPECT_EQ(Clock->XYToMinute(c.X, c.Y), c.Minute) << c.What;
    EXPECT_EQ(Clock->XYToHour(c.X, c.Y), c.HourAM) << c.What;
    Clock->SetTime(At(21, 0));
    EXPECT_FALSE(Clock->GetAM());
    EXPECT_EQ(Clock->XYToHour(c.X, c.Y), c.HourPM) << c.What;
  }
  Clock->SetResolution(31);   // ignored
  EXPECT_EQ(Clock->GetResolution(), 5);
}

TEST_F(Watch, ClicksWithoutAnimation) {
  Clock->SetAnimation(false);
  Form->Show();
  Pump();
  Click(140, 90);   // inside the face, right: hour 3, not the hour whose arrival is reported
  EXPECT_EQ(Hour(), 3);
  EXPECT_EQ(Changes, 0);
  Click(90, 40);    // the top: hour 0, which is FCurrentHourTo
  EXPECT_EQ(Hour(), 0);
  EXPECT_EQ(Changes, 1);
  Click(176, 90);   // the margin right: minute 15
  EXPECT_EQ(Minute(), 15);
  EXPECT_EQ(Hour(), 0);
  Click(4, 4);      // a corner of the control: minute 53
  EXPECT_EQ(Minute(), 53);
  EXPECT_EQ(Changes, 1);
  // The AM/PM box always reports: it sets the target hour first.
  const TRect box = Clock->GetAMPMRect();
  Click(box.left + 2, box.top + 2);
  EXPECT_EQ(Hour(), 12);
  EXPECT_FALSE(Clock->GetAM());
  EXPECT_EQ(Changes, 2);
  // ReadOnly and Settings.Auto: clicks change nothing.
  Clock->SetReadOnly(true);
  Click(140, 90);
  EXPECT_EQ(Hour(), 12);
  Clock->SetReadOnly(false);
  EXPECT_THROW(Clock->SetMinute(60), Exception);
  try {
    Clock->SetMinute(60);
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Invalid time");
  }
  EXPECT_EQ(Minute(), 53);
}

// ---------------------------------------------------------------------------------------------
// Animation and the clock

TEST_F(Watch, HourAnimationOnTheMillisecondTimer) {
  Form->Show();
  Pump();
  Clock->SetTime(At(3, 20));
  Clock->SetHour(9);
  EXPECT_TRUE(Clock->IsAnimating());
  EXPECT_EQ(Hour(), 3);
  std::vector<Word> hours;
  for (int i = 0; i < 50 && Clock->IsAnimating(); ++i) {
    Tick();
    if (hours.empty() || hours.back() != Hour()) hours.push_back(Hour());
  }
  EXPECT_FALSE(Clock->IsAnimating());
  EXPECT_EQ(hours, (std::vector<Word>{4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Minute(), 20) << "the minute is kept";
  EXPECT_EQ(Changes, 1) << "once, on arrival";
  // One long step of the clock gives one tick, not a burst.
  Clock->SetHour(1);
  Tick(500);
  EXPECT_EQ(Hour(), 8);
}

TEST_F(Watch, MinuteAnimationCarriesOverTheTop) {
  Form->Show();
  Pump();
  Clock->SetTime(At(10, 45));
  Clock->SetMinute(0);
  for (int i = 0; i < 100 && Clock->IsAnimating(); ++i) Tick();
  EXPECT_FALSE(Clock->IsAnimating());
  EXPECT_EQ(Hour(), 11);
  EXPECT_EQ(Minute(), 0);
  EXPECT_EQ(Changes, 1);
}

TEST_F(Watch, FollowsTheSystemClockWithTimeOffset) {
  Form->Show();
  Pump();
  for (Integer offset : {60, -60}) {
    Clock->GetSettings()->SetTimeOffset(offset);
    Clock->GetSettings()->SetAuto(true);
    EXPECT_TRUE(Clock->IsFollowingClock());
    EXPECT_NEAR(Clock->GetDisplayTime() - Now(), offset / 1440.0, 1e-9);
    const TDateTime start = Now();
    Pump();
    const int paints = Clock->Paints;
    std::vector<TColor> tip;
    for (int i = 0; i < 20; ++i) Tick(100);   // 2 s of virtual time
    EXPECT_NEAR((Now() - start) * 86400.0, 2.0, 1e-3);
    EXPECT_EQ(Clock->Paints, paints) << "the timer redraws the pointers only";
    // The pointers show the shifted time: the hour pointer's colour 0.3 R along its angle, and
    // the red second pointer 0.85 R along its own.
    Word h, m, sec, ms;
    DecodeTime(Clock->GetDisplayTime(), h, m, sec, ms);
    auto along = [this](double Degrees, double Distance) {
      return Shown(90 + static_cast<Integer>(std::lround(std::sin(Degrees * M_PI / 180) * Distance)),
                   90 - static_cast<Integer>(std::lround(std::cos(Degrees * M_PI / 180) * Distance)));
    };
    const COLORREF hourInk = static_cast<COLORREF>(along(30.0 * (h % 12) + m / 12.0 * 6.0, 24));
    EXPECT_LT(GetRValue(hourInk) + GetGValue(hourInk) + GetBValue(hourInk), 200) << h << ":" << m;
    const COLORREF secondInk = static_cast<COLORREF>(along(6.0 * sec, 68));
    EXPECT_GT(GetRValue(secondInk), 150) << sec;
    EXPECT_LT(GetGValue(secondInk), 120) << sec;
    // Clicks are ignored while following the clock.
    const TDateTime before = Clock->GetTime();
    Click(140, 90);
    EXPECT_EQ(Clock->GetTime(), before);
    Clock->GetSettings()->SetAuto(false);
    EXPECT_FALSE(Clock->IsFollowingClock());
  }
}

TEST_F(Watch, PointerOnlyRedrawAfterAMinuteChange) {
  Clock->SetAnimation(false);
  Form->Show();
  Pump();
  const int paints = Clock->Paints;
  ASSERT_GT(paints, 0);
  // Minute pointer at 0: straight up. At 15 it points right, 0.7 R = 56 px from the centre.
  EXPECT_NE(Shown(90, 50), Clock->GetAppearance()->GetBackgroundColor());
  const TColor right = Shown(135, 90);
  Clock->SetMinute(15);
  EXPECT_EQ(Clock->Paints, paints) << "no full paint";
  EXPECT_NE(Shown(135, 90), right);
  EXPECT_EQ(Shown(90, 50), static_cast<TColor>(0xFFFFFF));
  Pump();
  EXPECT_EQ(Clock->Paints, paints) << "nothing left invalid";
}

TEST_F(Watch, KeysAndDropDownKeys) {
  Clock->SetAnimation(false);
  Clock->SetTabStop(true);
  Form->Show();
  Clock->SetFocus();
  Pump();
  EXPECT_EQ(Clock->Perform(WM_GETDLGCODE, 0, 0), 5);
  struct Case { UINT Key; bool Ctrl; Word H, M; };
  Clock->SetTime(At(10, 30));
  const Case cases[] = {{VK_RIGHT, false, 10, 31}, {VK_DOWN, false, 10, 32}, {VK_LEFT, true, 9, 32},
                        {VK_UP, false, 9, 31},     {VK_NUMPAD7, false, 7, 31}, {VK_END, false, 6, 0},
                        {VK_HOME, false, 0, 0},    {VK_LEFT, false, 23, 59}};
  int expected = 0;
  for (const Case& c : cases) {
    if (c.Ctrl) Chord(VK_CONTROL, c.Key);
    else Press(c.Key);
    EXPECT_EQ(Hour(), c.H) << c.Key;
    EXPECT_EQ(Minute(), c.M) << c.Key;
    EXPECT_EQ(Changes, ++expected);
  }
  Clock->SetResolution(15);
  Press(VK_RIGHT);
  EXPECT_EQ(Minute(), 14) << "23:59 + 15 minutes";
  Clock->SetReadOnly(true);
  Press(VK_RIGHT);
  EXPECT_EQ(Minute(), 14);
  Clock->SetReadOnly(false);

  struct DropCase { Word FromH, FromM; WORD Key; Word H, M; };
  const DropCase drop[] = {{23, 59, VK_RIGHT, 0, 0}, {10, 45, VK_END, 11, 0}, {23, 10, VK_PRIOR, 0, 10},
                           {0, 10, VK_NEXT, 23, 10}, {7, 10, VK_HOME, 12, 10}, {0, 0, VK_LEFT, 23, 59},
                           {15, 5, 'A', 3, 5},       {3, 5, 'P', 15, 5},      {3, 5, 'A', 3, 5}};
  for (const DropCase& d : drop) {
    Clock->SetTime(At(d.FromH, d.FromM));
    Clock->HandleDropDownKey(d.Key);
    EXPECT_EQ(Hour(), d.H) << d.Key;
    EXPECT_EQ(Minute(), d.M) << d.Key;
  }
}

// ---------------------------------------------------------------------------------------------
// Appearance, settings, presets

TEST(WatchAppearance, DefaultsAssignAndNotification) {
  TWatchAppearance a;
  EXPECT_EQ(a.GetBorderWidth(), 4);
  EXPECT_EQ(a.GetHourFont()->GetName(), u"Tahoma");
  EXPECT_EQ(a.GetAMPMFont()->GetSize(), 10);
  EXPECT_EQ(a.GetHourPointerShadow(), clBtnShadow);
  EXPECT_EQ(a.GetTickMarks(), tmAll);
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetHourColor(0x123456);
  a.SetHourColor(0x123456);
  a.SetAMPMColor(clRed);   // a plain write
  EXPECT_EQ(changes, 1);
  a.GetHourFont()->SetColor(clRed);
  a.GetHourFont()->SetStyle(TFontStyles{fsItalic});
  a.GetHourFont()->SetName(u"Other");
  a.SetDefaults();
  EXPECT_EQ(changes, 1) << "SetDefaults fires nothing";
  EXPECT_EQ(a.GetHourColor(), static_cast<TColor>(0x000000));
  EXPECT_EQ(a.GetHourFont()->GetName(), u"Tahoma");
  EXPECT_EQ(a.GetHourFont()->GetColor(), clRed) << "font colours are kept";
  EXPECT_EQ(a.GetHourFont()->GetStyle(), TFontStyles{fsItalic});

  TWatchAppearance source;
  source.SetBorderWidth(9);
  source.SetShape(wsRoundRect);
  TWatchAppearance b;
  int bChanges = 0;
  b.OnChange = [&](TObject*) { ++bChanges; };
  b.Assign(&source);
  EXPECT_EQ(b.GetBorderWidth(), 9);
  EXPECT_EQ(b.GetShape(), wsRoundRect);
  EXPECT_EQ(bChanges, 0) << "plain copies";
  source.SetTickMarks(tmNone);
  source.SetHourMarkStyle(hmsQuartDblLine);
  source.SetCenterPointOuterBorderColor(clBlue);
  b.Assign(&source);
  EXPECT_EQ(bChanges, 3);

  TWatchSettings s, t;
  int sChanges = 0;
  t.OnChange = [&](TObject*) { ++sChanges; };
  s.SetTimeOffset(30);
  s.SetSecond(false);
  t.Assign(&s);
  EXPECT_EQ(sChanges, 0);
  EXPECT_EQ(t.GetTimeOffset(), 30);
  s.SetAuto(true);
  t.Assign(&s);
  EXPECT_EQ(sChanges, 1);
}

TEST_F(Watch, StylePresets) {
  TWatchAppearance* a = Clock->GetAppearance();
  // A new clock holds wsClassic without its preset.
  Clock->SetStyle(wsClassic);
  EXPECT_EQ(a->GetHourMarkLength(), 0);
  a->SetMinuteMarkWidth(5);
  a->GetHourFont()->SetColor(clRed);
  Clock->SetStyle(wsTower);
  EXPECT_EQ(a->GetMinuteMarkWidth(), 1) << "unlisted values reset";
  EXPECT_EQ(a->GetBackgroundColor(), static_cast<TColor>(0xB1F0FE));
  EXPECT_EQ(a->GetBackgroundColorTo(), static_cast<TColor>(0x5BCCE8));
  EXPECT_EQ(a->GetAMPMColor(), static_cast<TColor>(0xB1F0FE));
  EXPECT_EQ(a->GetShape(), wsRect);
  EXPECT_EQ(a->GetPointerStyle(), psPointer);
  EXPECT_EQ(a->GetTickMarks(), tmHours);
  EXPECT_EQ(a->GetHourFont()->GetColor(), clWindowText);
  EXPECT_EQ(a->GetHourFont()->GetName(), u"Century");
  EXPECT_FALSE(Clock->GetShowNumbers());
  a->GetHourFont()->SetColor(clRed);
  Clock->SetStyle(wsClassic);
  EXPECT_EQ(a->GetHourMarkLength(), 8);
  EXPECT_EQ(a->GetHourPointerSize(), 5);
  EXPECT_EQ(a->GetHourFont()->GetName(), u"Comic Sans MS");
  EXPECT_EQ(a->GetHourFont()->GetSize(), 10);
  EXPECT_EQ(a->GetHourFont()->GetColor(), clRed) << "wsClassic lists no font colour";
  EXPECT_EQ(a->GetShape(), wsCircle);
  EXPECT_TRUE(Clock->GetShowNumbers());

  struct Spot { TWatchStyle Style; TColor Background, SecondPointer; TTickMarks Ticks; Byte CenterSize; bool AMPM; };
  const Spot spots[] = {
      {wsFluorescent, 0x000000, 0x0000FF, tmHours, 20, false}, {wsEmerald, 0x3AE800, 0x00FFFF, tmHours, 16, false},
      {wsBlueStar, 0xFFD5D5, 0x0000FF, tmAll, 4, true},        {wsFuchsia, 0x000000, 0xDD68DD, tmQuartHours, 20, false},
      {wsBlack, 0x202020, 0x0000FF, tmAll, 4, false},          {wsBlackWhite, 0xFFFFFF, 0x000080, tmQuartHours, 8, false},
      {wsGray, 0xD1D1D1, 0x0000FF, tmAll, 4, true},            {wsSuperNova, 0xFFFFFF, 0x0000FF, tmAll, 10, false},
      {wsSports, 0x000000, 0x188BFE, tmQuartHours, 50, false}, {wsSmooth, 0xFFFFFF, 0x4A4A4A, tmQuartHours, 6, false},
  };
  for (const Spot& s : spots) {
    Clock->SetShowAMPM(!s.AMPM);
    Clock->SetStyle(s.Style);
    EXPECT_EQ(a->GetBackgroundColor(), s.Background) << s.Style;
    EXPECT_EQ(a->GetSecondPointer(), s.SecondPointer) << s.Style;
    EXPECT_EQ(a->GetTickMarks(), s.Ticks) << s.Style;
    EXPECT_EQ(a->GetCenterPointSize(), s.CenterSize) << s.Style;
    EXPECT_EQ(Clock->GetShowAMPM(), s.AMPM) << s.Style;
  }
  EXPECT_EQ(a->GetBorderWidth(), 1);   // wsSmooth
  Clock->SetStyle(wsSuperNova);
  EXPECT_EQ(a->GetHourMarkLength(), 40);   // Round(180 / 4.5)
  EXPECT_EQ(a->GetMinuteMarkLength(), 60);
  EXPECT_EQ(a->GetBorderColor(), clNone);
  // wsCustom only records the style.
  a->SetBorderWidth(7);
  Clock->SetStyle(wsCustom);
  EXPECT_EQ(a->GetBorderWidth(), 7);
  EXPECT_EQ(Clock->GetStyle(), wsCustom);
}

TEST_F(Watch, StyleFaceColours) {
  TWatchAppearance* a = Clock->GetAppearance();
  a->SetBorderColor(clLime);
  Clock->SetComponentStyle(tsCustom);
  EXPECT_EQ(a->GetBorderColor(), clLime);
  Clock->SetComponentStyle(tsWindows10);
  EXPECT_EQ(a->GetBorderColor(), clLime) << "only the centre border and the font colours";
  EXPECT_EQ(a->GetCenterPointOuterBorderColor(), static_cast<TColor>(0x000000));
  EXPECT_EQ(a->GetHourFont()->GetColor(), static_cast<TColor>(0x000000));
  Clock->SetComponentStyle(tsOffice2003Blue);
  EXPECT_EQ(a->GetAMPMBorderColor(), static_cast<TColor>(0x962D00));
  EXPECT_EQ(a->GetBackgroundColor(), static_cast<TColor>(0xFFD2AF));
  EXPECT_EQ(a->GetSecondPointer(), static_cast<TColor>(0xFFFFFF));
  Clock->SetComponentStyle(tsOffice2007Obsidian);
  EXPECT_EQ(a->GetHourFont()->GetColor(), static_cast<TColor>(0xF2F1F0));
  EXPECT_EQ(a->GetAMPMFont()->GetColor(), static_cast<TColor>(0xF2F1F0));
  EXPECT_EQ(a->GetBackgroundColor(), static_cast<TColor>(0x5C534C));
  Clock->SetComponentStyle(tsWindowsXP);
  EXPECT_EQ(a->GetAMPMColor(), clBtnFace);
  EXPECT_EQ(a->GetHourFont()->GetColor(), static_cast<TColor>(0x000000));
  Clock->SetComponentStyle(tsOffice2010Silver);
  EXPECT_EQ(a->GetHourPointerShadow(), static_cast<TColor>(0xC0C0C0));
}

// ---------------------------------------------------------------------------------------------
// The face

TEST_F(Watch, GdiplusIsLibgdiplus) {
  Form->Show();
  Pump();
  std::ifstream maps("/proc/self/maps");
  std::string all((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  EXPECT_NE(all.find("libgdiplus"), std::string::npos);
}

TEST_F(Watch, FacePixels) {
  Clock->SetAnimation(false);
  Clock->SetTime(At(0, 15));
  Form->Show();
  Pump();
  // The face's own colour away from marks, numbers and pointers.
  EXPECT_EQ(Shown(60, 75), static_cast<TColor>(0xFFFFFF));
  // The border at the left of the face, 2 px in (its middle at R - B div 2).
  EXPECT_EQ(Shown(12, 90), static_cast<TColor>(0x000000));
  // psPointer: the minute pointer points right; its shadow tip (+1, +3) is darker than the face.
  Clock->SetStyle(wsBlueStar);
  Clock->SetTime(At(0, 15));
  Pump();
  const COLORREF face = static_cast<COLORREF>(Shown(60, 75));
  const COLORREF shadow = static_cast<COLORREF>(Shown(90 + 56 + 1 - 2, 90 + 3));
  EXPECT_LT(GetRValue(shadow) + GetGValue(shadow) + GetBValue(shadow), GetRValue(face) + GetGValue(face) + GetBValue(face));
}

TEST_F(Watch, QuarterHourTicksDrawFourNumbers) {
  // Dark pixels around where each number's box is centred (61 px from the centre at 8 points).
  auto ink = [this](Integer Number) {
    const double a = 30.0 * Number * M_PI / 180.0;
    const Integer x = 91 + static_cast<Integer>(std::lround(std::sin(a) * 61)), y = 91 - static_cast<Integer>(std::lround(std::cos(a) * 61));
    int n = 0;
    for (Integer dy = -6; dy <= 6; ++dy)
      for (Integer dx = -6; dx <= 6; ++dx) {
        const COLORREF c = static_cast<COLORREF>(Shown(x + dx, y + dy));
        if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ++n;
      }
    return n;
  };
  Clock->SetShowAMPM(false);
  Clock->SetTime(At(7, 35));   // pointers away from 3, 6, 9, 12 and 1, 2
  Form->Show();
  Pump();
  for (Integer i : {1, 2, 3, 6, 9, 12}) EXPECT_GT(ink(i), 5) << i;
  Clock->GetAppearance()->SetTickMarks(tmQuartHours);
  Pump();
  for (Integer i : {3, 6, 9, 12}) EXPECT_GT(ink(i), 5) << i;
  for (Integer i : {1, 2}) EXPECT_EQ(ink(i), 0) << i;
  Clock->GetAppearance()->SetTickMarks(tmNone);
  Pump();
  for (Integer i : {1, 2, 3}) EXPECT_GT(ink(i), 5) << "tmNone still draws every number";
}

TEST_F(Watch, GoldenFaces) {
  Clock->SetAnimation(false);
  Form->SetClientHeight(300);
  Form->Show();
  struct Face { TWatchStyle Style; const char* Name; Integer Size; };
  const Face faces[] = {{wsClassic, "watch-classic.png", 180}, {wsBlueStar, "watch-bluestar.png", 180},
                        {wsTower, "watch-tower.png", 180},     {wsClassic, "watch-classic-150.png", 270},
                        {wsBlueStar, "watch-bluestar-150.png", 270}, {wsTower, "watch-tower-150.png", 270}};
  for (const Face& f : faces) {
    Clock->SetStyle(wsCustom);
    Clock->SetStyle(f.Style);
    Clock->SetBounds(10, 10, f.Size, f.Size);
    if (f.Size != 180) {
      Clock->GetAppearance()->GetHourFont()->SetSize(Clock->GetAppearance()->GetHourFont()->GetSize() * 3 / 2);
      Clock->GetAppearance()->GetAMPMFont()->SetSize(Clock->GetAppearance()->GetAMPMFont()->GetSize() * 3 / 2);
    }
    Clock->SetTime(At(10, 8));
    Clock->Invalidate();
    Pump();
    TBitmap shot;
    shot.SetPixelFormat(pf24bit);
    shot.SetSize(f.Size, f.Size);
    for (Integer y = 0; y < f.Size; ++y)
      for (Integer x = 0; x < f.Size; ++x) shot.GetCanvas()->SetPixels(x, y, Shown(x, y));
    ExpectBitmapMatchesGolden(shot, f.Name, 3);
  }
}

TEST_F(Watch, PictureFaces) {
  // A PNG at its own size at the top-left; the rest of the face shows the control's background.
  TBitmap red;
  red.SetPixelFormat(pf32bit);
  red.SetSize(40, 30);
  red.GetCanvas()->GetBrush()->SetColor(clRed);
  red.GetCanvas()->FillRect(TRect{0, 0, 40, 30});
  TPngImage png;
  png.Assign(&red);
  TPicture picture;
  picture.SetGraphic(&png);
  Clock->GetAppearance()->SetPicture(&picture);
  Clock->SetShowAMPM(false);
  Clock->SetShowNumbers(false);
  Clock->GetAppearance()->SetTickMarks(tmNone);
  Form->Show();
  Pump();
  EXPECT_EQ(Shown(5, 5), clRed);
  EXPECT_EQ(Shown(30, 20), clRed);
  EXPECT_NE(Shown(45, 35), clRed);
  // A bitmap is stretched over the client area with its top-left colour left out.
  TBitmap keyed;
  keyed.SetPixelFormat(pf32bit);
  keyed.SetSize(20, 20);
  keyed.GetCanvas()->GetBrush()->SetColor(clLime);
  keyed.GetCanvas()->FillRect(TRect{0, 0, 20, 20});
  keyed.GetCanvas()->GetBrush()->SetColor(clBlue);
  keyed.GetCanvas()->FillRect(TRect{10, 10, 20, 20});
  picture.SetBitmap(&keyed);
  Clock->GetAppearance()->SetPicture(&picture);
  Pump();
  EXPECT_EQ(Shown(170, 170), clBlue) << "stretched to the bottom-right";
  EXPECT_NE(Shown(30, 30), clLime) << "the key colour is transparent";
}

TEST_F(Watch, SvgPictureFace) {
  FinalizeUnits();
  Units().Clear();
  RegisterGdiplusModule();
  RegisterNeoGDIPUnit();
  RegisterNeoSVGUnit();
  InitializeUnits();
  const std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\"><rect width=\"10\" height=\"10\" "
      "fill=\"#00ff00\"/></svg>";
  TMemoryStream stream;
  stream.WriteBuffer(svg.data(), static_cast<Int64>(svg.size()));
  stream.SetPosition(0);
  TNeoSVGBitmap picture;
  picture.LoadFromStream(&stream);
  ASSERT_TRUE(picture.HasSVG());
  TPicture holder;
  holder.SetGraphic(&picture);
  Clock->GetAppearance()->SetPicture(&holder);
  Clock->SetShowAMPM(false);
  Clock->SetShowNumbers(false);
  Form->Show();
  Pump();
  // Drawn over the whole client area, under the border and the pointers.
  EXPECT_EQ(Shown(40, 90), clLime);
  EXPECT_EQ(Shown(2, 2), clLime);
  EXPECT_EQ(Shown(177, 177), clLime);
}

TEST_F(Watch, AMPMFlipRunsOnTheVirtualClock) {
  Clock->SetTime(At(9, 30));
  Form->Show();
  Pump();
  const TRect box = Clock->GetAMPMRect();
  const Integer inner = box.bottom - box.top - 2;
  ASSERT_GT(inner, 4);
  // The hand cursor over the box, the arrow elsewhere on the face.
  TPoint p = ScreenPoint(Clock, box.left + 3, box.top + 3);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crHandPoint));
  p = ScreenPoint(Clock, 60, 60);
  Headless::MouseMove(p.x, p.y);
  Pump();
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crDefault));
  // One step of 10 ms per pixel of the box's inner height; the hour moves by 12 at once.
  Headless::AdvanceClock(1000);
  const std::uint64_t before = Headless::ClockMs();
  ClickAt(Clock, box.left + 3, box.top + 3);
  EXPECT_EQ(Headless::ClockMs() - before, static_cast<std::uint64_t>(10 * inner));
  EXPECT_FALSE(Clock->GetAM());
  EXPECT_EQ(Hour(), 21);
  EXPECT_EQ(Changes, 1);
  // With no AM/PM colour the label changes without the flip.
  Clock->GetAppearance()->SetAMPMColor(clNone);
  Headless::AdvanceClock(1000);
  const std::uint64_t again = Headless::ClockMs();
  ClickAt(Clock, box.left + 3, box.top + 3);
  EXPECT_EQ(Headless::ClockMs(), again);
  EXPECT_TRUE(Clock->GetAM());
  EXPECT_EQ(Hour(), 9);
}

TEST_F(Watch, TextFallsBackToArial) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(200, 60);
  NeoGDIP::TGPGraphics g(bmp.GetCanvas()->GetHandle());
  TFont missing, arial;
  missing.SetName(u"No Such Family Here");
  missing.SetSize(14);
  arial.SetName(u"Arial");
  arial.SetSize(14);
  TRect a, b;
  DrawWatchText(nullptr, &g, 0, TRect{0, 0, 200, 60}, u"12 AM", &missing, true, false, 2, a);
  DrawWatchText(nullptr, &g, 0, TRect{0, 0, 200, 60}, u"12 AM", &arial, true, false, 2, b);
  EXPECT_GT(b.right - b.left, 20);
  EXPECT_EQ(a, b);
  TRect untouched{1, 2, 3, 4};
  DrawWatchText(nullptr, nullptr, 0, TRect{0, 0, 200, 60}, u"x", &arial, true, true, 2, untouched);
  DrawWatchText(nullptr, &g, 0, TRect{0, 0, 200, 60}, u"", &arial, true, true, 2, untouched);
  EXPECT_EQ(untouched, (TRect{1, 2, 3, 4}));
}

TEST_F(Watch, StreamingRoundTrip) {
  RegisterNeoWatchRtti();
  TWriter plain;
  plain.WriteProperties(Clock);
  const String defaults = plain.GetText();
  // The pointer colour and the two shadows have no stored default: always written.
  for (const char16_t* name : {u"Appearance.HourPointer =", u"Appearance.HourPointerShadow =",
                               u"Appearance.MinutePointerShadow ="})
    EXPECT_NE(defaults.find(name), String::npos) << UTF8Encode(name);
  for (const char16_t* name : {u"\nAnimation =", u"\nStyle =", u"Appearance.BorderWidth =", u"Settings.Auto ="})
    EXPECT_EQ((u"\n" + defaults).find(name), String::npos) << UTF8Encode(name) << UTF8Encode(defaults);

  Clock->SetResolution(5);
  Clock->SetShowNumbers(false);
  Clock->SetTime(At(14, 25));
  Clock->GetAppearance()->SetBorderWidth(2);
  Clock->GetAppearance()->SetTickMarks(tmQuartHours);
  Clock->GetSettings()->SetTimeOffset(-30);
  TWriter writer;
  writer.WriteProperties(Clock);
  auto* target = new TNeoWatch(Form);
  TReader reader(writer.GetText());
  reader.ReadProperties(target);
  EXPECT_EQ(target->GetResolution(), 5);
  EXPECT_FALSE(target->GetShowNumbers());
  EXPECT_EQ(target->GetTime(), At(14, 25));
  EXPECT_FALSE(target->GetAM());
  EXPECT_EQ(target->GetAppearance()->GetBorderWidth(), 2);
  EXPECT_EQ(target->GetAppearance()->GetTickMarks(), tmQuartHours);
  EXPECT_EQ(target->GetSettings()->GetTimeOffset(), -30);
}
