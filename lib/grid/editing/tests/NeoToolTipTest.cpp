// The tooltip balloon: its settings, its size, shape and place beside a control, its painting and
// the control's border colour lent while it shows.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib/graphics/NeoGDIP.h"
#include "lib/grid/editing/NeoToolTip.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// A control with a published border colour, as the editors have.
class TBorderedBox : public TCustomControl {
  ZELK_CLASS(TBorderedBox, TCustomControl)
public:
  using TCustomControl::TCustomControl;
  TColor GetBorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }

private:
  TColor FBorderColor = clGreen;
};

constexpr COLORREF Red = RGB(255, 0, 0), White = RGB(255, 255, 255);

class NeoToolTipTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    RegisterNeoToolTipRtti();
    static const bool published = [] {
      Publish<TBorderedBox>().Property(u"BorderColor", &TBorderedBox::GetBorderColor, &TBorderedBox::SetBorderColor)
          .Type(u"TColor");
      return true;
    }();
    (void)published;
    Form = NewForm(320, 200);
    Box = Add<TBorderedBox>(Form, 100, 80, 60, 24);
    Form->Show();
    Pump();
  }
  void TearDown() override {
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }

  // A balloon with the settings (the window's own when nil) and the text, shown beside Box.
  TNeoToolTipWindow* ShowBalloon(TNeoToolTip* ASettings, const String& AText) {
    auto* window = new TNeoToolTipWindow(Form);
    window->SetText(AText);
    window->Show(Box, ASettings);
    Pump();
    return window;
  }
  // Whether the window's region holds the point (window pixels).
  static bool InRegion(TNeoToolTipWindow* AWindow, Integer X, Integer Y) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(AWindow->GetHandle(), region) != 0 && PtInRegion(region, X, Y);
    DeleteObject(region);
    return has;
  }
  static COLORREF FormPixel(TForm* AForm, Integer X, Integer Y) { return Headless::ClientPixel(AForm->GetHandle(), X, Y); }

  TForm* Form = nullptr;
  TBorderedBox* Box = nullptr;
};

TEST_F(NeoToolTipTest, SettingsDefaultsAssignAndImages) {
  std::unique_ptr<TNeoToolTip> tip(new TNeoToolTip(nullptr));
  EXPECT_EQ(tip->GetBorderColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(tip->GetColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(tip->GetControlBorderColor(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(tip->GetFont()->GetColor(), clWhite);
  EXPECT_EQ(tip->GetPosition(), ttRight);
  EXPECT_EQ(tip->GetShape(), tsBalloon);
  EXPECT_EQ(tip->GetRounding(), 2);
  EXPECT_EQ(tip->GetMargin(), 0);
  EXPECT_EQ(tip->GetMaxWidth(), 0);
  EXPECT_EQ(tip->GetImageIndex(), -1);
  EXPECT_EQ(GetStrProp(tip.get(), u"Version"), u"1.0.0.1");

  std::unique_ptr<TNeoToolTip> other(new TNeoToolTip(nullptr));
  auto* images = new TImageList(Form);
  other->SetImages(images);
  other->SetPosition(ttBottomCenter);
  other->SetMargin(3);
  other->SetX(7);
  other->GetFont()->SetSize(14);
  tip->Assign(other.get());
  EXPECT_EQ(tip->GetPosition(), ttBottomCenter);
  EXPECT_EQ(tip->GetMargin(), 3);
  EXPECT_EQ(tip->GetX(), 7);
  EXPECT_EQ(tip->GetFont()->GetSize(), 14);
  EXPECT_EQ(tip->GetImages(), images);
  TFont notATip;
  tip->Assign(&notATip);   // ignored
  EXPECT_EQ(tip->GetMargin(), 3);
  delete images;
  EXPECT_EQ(tip->GetImages(), nullptr);
  EXPECT_EQ(other->GetImages(), nullptr);
}

TEST_F(NeoToolTipTest, DefaultBalloonRightOfTheControlLendsItsBorderColour) {
  TNeoToolTipWindow* window = ShowBalloon(nullptr, u"Invalid");
  ASSERT_TRUE(Headless::SaveWindowPng(Form->GetHandle(), OutputPath("neotooltip-right.png")));
  EXPECT_EQ(window->GetParent(), Form);
  EXPECT_TRUE(window->GetVisible());
  const Integer w = window->GetWidth(), h = window->GetHeight();
  EXPECT_GE(w - 8, h);
  EXPECT_EQ(window->GetLeft(), 160);
  EXPECT_EQ(window->GetTop(), 80 + (24 - h) / 2);
  EXPECT_EQ(Box->GetBorderColor(), static_cast<TColor>(0x0000FF));

  // The region: the body from x = 8, the pointer's tip towards (0, H div 2).
  EXPECT_TRUE(InRegion(window, 2, h / 2));
  EXPECT_FALSE(InRegion(window, 0, 1));
  EXPECT_TRUE(InRegion(window, w / 2, h / 2));
  EXPECT_FALSE(InRegion(window, 4, h - 2));
  // Red balloon with white text, the pointer touching the control.
  EXPECT_EQ(FormPixel(Form, 160 + 9, window->GetTop() + h / 2), Red);
  EXPECT_EQ(FormPixel(Form, 161, window->GetTop() + h / 2), Red);
  EXPECT_EQ(FormPixel(Form, 159, window->GetTop() + h / 2), White);   // the control
  int ink = 0;   // light pixels of the text on the red body
  for (Integer x = 170; x < 160 + w - 4; ++x)
    for (Integer y = window->GetTop() + 2; y < window->GetTop() + h - 2; ++y)
      ink += GetGValue(FormPixel(Form, x, y)) > 120;
  EXPECT_GT(ink, 30);

  // Hit-testing follows the region: a corner outside the balloon belongs to the form.
  const TPoint inside = window->ClientToScreen(TPoint{w / 2, h / 2});
  const TPoint corner = window->ClientToScreen(TPoint{1, 1});
  EXPECT_EQ(WindowFromPoint(inside), window->GetHandle());
  EXPECT_EQ(WindowFromPoint(corner), Form->GetHandle());

  delete window;
  EXPECT_EQ(Box->GetBorderColor(), clGreen);
}

TEST_F(NeoToolTipTest, SizeFollowsTextWidthLimitAndShape) {
  std::unique_ptr<TNeoToolTip> tip(new TNeoToolTip(nullptr));
  tip->SetPosition(ttTopLeft);
  TNeoToolTipWindow* one = ShowBalloon(tip.get(), u"one two three four five six");
  tip->SetMaxWidth(100);
  TNeoToolTipWindow* wrapped = ShowBalloon(tip.get(), u"one two three four five six");
  EXPECT_LE(wrapped->GetWidth(), 100);
  EXPECT_GT(wrapped->GetHeight(), one->GetHeight() + 10);

  tip->SetMaxWidth(0);
  TNeoToolTipWindow* tiny = ShowBalloon(tip.get(), u"1");
  EXPECT_GE(tiny->GetWidth(), tiny->GetHeight() - 8);
  tip->SetShape(tsRectangle);
  TNeoToolTipWindow* plain = ShowBalloon(tip.get(), u"one two three four five six");
  EXPECT_EQ(plain->GetHeight(), one->GetHeight() - 8);
  EXPECT_EQ(plain->GetWidth(), one->GetWidth());
  EXPECT_EQ(plain->GetTop(), 80 - plain->GetHeight());
  EXPECT_FALSE(InRegion(plain, 1, plain->GetHeight() - 1) && !InRegion(plain, plain->GetWidth() / 2, 0));
}

TEST_F(NeoToolTipTest, CustomPlaceAndNoBorderColour) {
  std::unique_ptr<TNeoToolTip> tip(new TNeoToolTip(nullptr));
  tip->SetPosition(ttCustom);
  tip->SetX(10);
  tip->SetY(20);
  tip->SetBorderColor(clNone);
  TNeoToolTipWindow* window = ShowBalloon(tip.get(), u"Here");
  EXPECT_EQ(window->GetLeft(), 110);
  EXPECT_EQ(window->GetTop(), 100);
  EXPECT_EQ(Box->GetBorderColor(), clGreen);

  tip->SetPosition(ttBottomRight);
  TNeoToolTipWindow* below = ShowBalloon(tip.get(), u"Here");
  EXPECT_EQ(below->GetTop(), 104);
  EXPECT_EQ(below->GetLeft(), 160 - below->GetWidth());
  // The pointer at the top edge, W - 16 from the left.
  EXPECT_TRUE(InRegion(below, below->GetWidth() - 16, 1));
  EXPECT_FALSE(InRegion(below, 2, 2));
}

// The settings freed while the balloon shows: the window goes on with its own.
TEST_F(NeoToolTipTest, SettingsFreedWhileShowing) {
  auto* tip = new TNeoToolTip(nullptr);
  tip->SetColor(clBlue);
  TNeoToolTipWindow* window = ShowBalloon(tip, u"Gone");
  EXPECT_EQ(window->GetToolTip(), tip);
  delete tip;
  EXPECT_EQ(window->GetToolTip()->GetColor(), static_cast<TColor>(0x0000FF));
  window->Repaint();
  Pump();
  EXPECT_EQ(FormPixel(Form, window->GetLeft() + window->GetWidth() / 2, window->GetTop() + 2), Red);
}

// Painted into a context of its own, the balloon first paints its parent there: the corners
// outside the balloon show the form, not what the context held.
TEST_F(NeoToolTipTest, PaintIntoAContextShowsTheParentInTheCorners) {
  Form->SetColor(clYellow);
  TNeoToolTipWindow* window = ShowBalloon(nullptr, u"Copy");
  TBitmap copy;
  copy.SetPixelFormat(pf32bit);
  copy.SetSize(window->GetWidth(), window->GetHeight());
  copy.GetCanvas()->GetBrush()->SetColor(clBlack);
  copy.GetCanvas()->FillRect(TRect{0, 0, window->GetWidth(), window->GetHeight()});
  window->PaintTo(copy.GetCanvas()->GetHandle(), 0, 0);
  EXPECT_EQ(copy.GetCanvas()->GetPixels(0, 0), clYellow);
  EXPECT_EQ(copy.GetCanvas()->GetPixels(0, window->GetHeight() - 1), clYellow);
  EXPECT_EQ(copy.GetCanvas()->GetPixels(window->GetWidth() / 2, window->GetHeight() / 2 + 5), clRed);
}

// Sizes of a right-hand balloon for three texts in two fonts, measured once and pinned.
TEST_F(NeoToolTipTest, SizeTable) {
  struct TRow {
    const Char* Text;
    bool Large;
    Integer Width, Height;
  };
  // "1" is as wide as high before the pointer's 8 pixels are added.
  const TRow rows[] = {{u"1", false, 24, 16},          {u"Invalid date", false, 65, 16},
                       {u"A longer validation text", false, 117, 16}, {u"1", true, 31, 23},
                       {u"Invalid date", true, 108, 23}, {u"A longer validation text", true, 202, 23}};
  for (const TRow& r : rows) {
    std::unique_ptr<TNeoToolTip> tip(new TNeoToolTip(nullptr));
    if (r.Large) {
      tip->GetFont()->SetName(u"DejaVu Serif");
      tip->GetFont()->SetSize(12);
    }
    TNeoToolTipWindow* window = ShowBalloon(tip.get(), r.Text);
    SCOPED_TRACE(UTF8Encode(r.Text));
    EXPECT_EQ(window->GetWidth(), r.Width);
    EXPECT_EQ(window->GetHeight(), r.Height);
    delete window;
  }
}

// Every position of both shapes on one form, against golden pictures.
TEST_F(NeoToolTipTest, AllPositionsOfBothShapesMatchTheGoldens) {
  struct TPlace {
    TNeoToolTipPosition Position;
    Integer X, Y;
  };
  const TPlace places[] = {{ttTopLeft, 20, 60},     {ttTopCenter, 160, 60},    {ttTopRight, 300, 60},
                           {ttRight, 20, 140},      {ttCustom, 230, 140},      {ttBottomLeft, 20, 220},
                           {ttBottomCenter, 160, 220}, {ttBottomRight, 300, 220}};
  for (TNeoToolTipShape shape : {tsBalloon, tsRectangle}) {
    SCOPED_TRACE(shape == tsBalloon ? "balloon" : "rectangle");
    TForm* form = NewForm(420, 300);
    std::vector<std::unique_ptr<TNeoToolTip>> settings;
    for (const TPlace& p : places) {
      auto* box = Add<TBorderedBox>(form, p.X, p.Y, 90, 20);
      settings.emplace_back(new TNeoToolTip(nullptr));
      settings.back()->SetPosition(p.Position);
      settings.back()->SetShape(shape);
      settings.back()->SetX(100);
      settings.back()->SetY(-4);
      settings.back()->SetRounding(4);
      settings.back()->SetBorderColor(clNavy);
      auto* window = new TNeoToolTipWindow(form);
      window->SetText(u"Tip " + IntToStr(static_cast<Integer>(p.Position)));
      window->Show(box, settings.back().get());
    }
    form->Show();
    const std::string name = shape == tsBalloon ? "neotooltip-balloons.png" : "neotooltip-rectangles.png";
    ExpectWindowMatchesGolden(form->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name, name.c_str());
    delete form;
  }
}

}  // namespace
