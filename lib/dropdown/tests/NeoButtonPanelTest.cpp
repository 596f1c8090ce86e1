// The calculator keypad: the default keys, the fixed keypad geometry, hot and pressed tracking with
// clicks on release over the pressed key, custom keypads, painting through the GDI+ wrapper set
// on libgdiplus, and golden pictures of the idle, hot and pressed keypad.
#include "lib/dropdown/NeoButtonPanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "lib/graphics/NeoGDIP.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

// Counts the calls of three GDI+ functions that go through the wrapper set's imports.
struct TGdipCallCounter {
  static inline int CreateFromHDC = 0, LineBrushes = 0, PathFills = 0;
  static inline gdip::TGdipCreateFromHDC RealCreateFromHDC = nullptr;
  static inline gdip::TGdipCreateLineBrushFromRect RealLineBrush = nullptr;
  static inline gdip::TGdipFillPath RealFillPath = nullptr;

  static gdip::Status CountCreateFromHDC(HDC DC, gdip::GpGraphics** Graphics) {
    ++CreateFromHDC;
    return RealCreateFromHDC(DC, Graphics);
  }
  static gdip::Status CountLineBrush(const gdip::GpRectF* Rect, gdip::ARGB C1, gdip::ARGB C2,
                                     gdip::LinearGradientMode Mode, gdip::WrapMode Wrap, gdip::GpLineGradient** Brush) {
    ++LineBrushes;
    return RealLineBrush(Rect, C1, C2, Mode, Wrap, Brush);
  }
  static gdip::Status CountFillPath(gdip::GpGraphics* Graphics, gdip::GpBrush* Brush, gdip::GpPath* Path) {
    ++PathFills;
    return RealFillPath(Graphics, Brush, Path);
  }

  TGdipCallCounter() {
    CreateFromHDC = LineBrushes = PathFills = 0;
    RealCreateFromHDC = std::exchange(NeoGDIP::Imports.GdipCreateFromHDC, &CountCreateFromHDC);
    RealLineBrush = std::exchange(NeoGDIP::Imports.GdipCreateLineBrushFromRect, &CountLineBrush);
    RealFillPath = std::exchange(NeoGDIP::Imports.GdipFillPath, &CountFillPath);
  }
  ~TGdipCallCounter() {
    NeoGDIP::Imports.GdipCreateFromHDC = RealCreateFromHDC;
    NeoGDIP::Imports.GdipCreateLineBrushFromRect = RealLineBrush;
    NeoGDIP::Imports.GdipFillPath = RealFillPath;
  }
};

class Keypad : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Units().Clear();
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    InitializeUnits();
    Form = NewForm(240, 170);
    Form->SetColor(clWhite);
  }
  void TearDown() override {
    UiTest::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  // A keypad with a client area of W x H and the default keys.
  TCustomButtonPanel* NewKeypad(Integer W = 214, Integer H = 150) {
    auto* p = new TCustomButtonPanel(Form);
    p->SetParent(Form);
    p->SetBounds(10, 10, W, H);
    p->CreateDefaultButtons();
    p->OnButtonClick = [this](TObject*, Integer Index) { Clicks.push_back(Index); };
    return p;
  }
  static TPoint CentreOf(TRect R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }
  void MoveTo(TControl* C, TPoint P) {
    TPoint s = ScreenPoint(C, P.x, P.y);
    Headless::MouseMove(s.x, s.y);
    Pump();
  }
  void Down(TControl* C, TPoint P) {
    TPoint s = ScreenPoint(C, P.x, P.y);
    Headless::ButtonDown(1, s.x, s.y);
    Pump();
  }
  void Up(TControl* C, TPoint P) {
    TPoint s = ScreenPoint(C, P.x, P.y);
    Headless::ButtonUp(1, s.x, s.y);
    Pump();
  }
  // The window as a bitmap.
  static void Capture(TWinControl* C, TBitmap& Into, const char* Name) {
    Pump();
    std::string path = OutputPath(Name);
    ASSERT_TRUE(Headless::SaveWindowPng(C->GetHandle(), path));
    TPngImage png;
    png.LoadFromFile(UTF8ToString(path));
    Into.Assign(&png);
  }
  static TColor PixelOf(TBitmap& B, Integer X, Integer Y) { return ColorToRGB(B.GetCanvas()->GetPixels(X, Y)); }

  TForm* Form = nullptr;
  std::vector<Integer> Clicks;
};

}  // namespace

TEST_F(Keypad, DefaultKeys) {
  TCustomButtonPanel* p = NewKeypad();
  TCalcButtonItems* keys = p->GetButtons();
  ASSERT_EQ(keys->GetCount(), 28);
  struct TKey {
    Integer Index;
    const char16_t* Caption;
    const char16_t* Name;
    Integer Tag;
    bool Special;
  };
  const TKey some[] = {{0, u"", u"BTN_ON", 30, false},   {1, u"Back", u"BTN_BACK", 31, true},
                       {3, u"C", u"BTN_C", 16, true},    {8, u"0", u"BTN_0", 0, false},
                       {15, u"+/-", u"BTN_+/-", 14, false}, {16, u".", u"BTN_.", 15, false},
                       {24, u"=", u"BTN_=", 17, true},   {27, u"sqrt", u"BTN_sqrt", 37, true}};
  for (const TKey& k : some) {
    TCalcButtonItem* key = keys->GetItems(k.Index);
    EXPECT_EQ(key->GetCaption(), k.Caption) << k.Index;
    EXPECT_EQ(key->GetName(), k.Name) << k.Index;
    EXPECT_EQ(key->GetTag(), k.Tag) << k.Index;
    EXPECT_EQ(key->GetSpecial(), k.Special) << k.Index;
    EXPECT_EQ(key->GetCaptionColor(), k.Special ? static_cast<TColor>(0x000080) : static_cast<TColor>(0xFFFFFF));
  }
  // Every tag from 0 to 18 and 30 to 38 once.
  std::vector<Integer> tags;
  for (TCollectionItem* item : *keys) tags.push_back(static_cast<TCalcButtonItem*>(item)->GetTag());
  std::sort(tags.begin(), tags.end());
  std::vector<Integer> want;
  for (Integer t = 0; t <= 18; ++t) want.push_back(t);
  for (Integer t = 30; t <= 38; ++t) want.push_back(t);
  EXPECT_EQ(tags, want);
  // Created only once; ResetButtons starts over.
  keys->GetItems(9)->SetCaption(u"one");
  p->CreateDefaultButtons();
  EXPECT_EQ(keys->GetCount(), 28);
  EXPECT_EQ(keys->GetItems(9)->GetCaption(), u"one");
  p->ResetButtons();
  EXPECT_EQ(keys->GetItems(9)->GetCaption(), u"1");
  // Assign copies all but Special.
  TCalcButtonItems copy(nullptr);
  TCalcButtonItem* key = copy.Add();
  key->Assign(keys->GetItems(1));
  EXPECT_EQ(key->GetCaption(), u"Back");
  EXPECT_EQ(key->GetName(), u"BTN_BACK");
  EXPECT_EQ(key->GetCaptionColor(), static_cast<TColor>(0x000080));
  EXPECT_FALSE(key->GetSpecial());
}

TEST_F(Keypad, GeometryByClientSize) {
  struct TCase {
    Integer Width, Height;
    Integer W, H;
    TRect Back, C, Seven, Equals;
  };
  const TCase cases[] = {
      // Area 198 x 134 from (8, 8): rows at 8, 38, 63, 88, 113; columns at 8, 43, 73, 103, 138, 168.
      {214, 150, 31, 26, {43, 8, 92, 34}, {149, 8, 199, 34}, {43, 38, 74, 64}, {168, 113, 199, 139}},
      // The drop-down's 230 wide popup.
      {230, 150, 34, 26, {46, 8, 100, 34}, {162, 8, 217, 34}, {46, 38, 80, 64}, {183, 113, 217, 139}},
      // Odd sizes round the key size down.
      {215, 151, 31, 26, {43, 8, 92, 34}, {149, 8, 199, 34}, {43, 38, 74, 64}, {168, 113, 199, 139}},
      // The smallest keypad whose keys are a pixel each.
      {30, 25, 1, 1, {13, 8, 13, 9}, {21, 8, 19, 9}, {13, 13, 14, 14}, {18, 13, 19, 14}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height);
    TCustomButtonPanel* p = NewKeypad(c.Width, c.Height);
    for (Integer i = 4; i < 28; ++i) {
      TRect r = p->GetButtonRect(i);
      EXPECT_EQ(r.right - r.left, c.W) << i;
      EXPECT_EQ(r.bottom - r.top, c.H) << i;
    }
    EXPECT_EQ(p->GetButtonRect(1), c.Back);
    EXPECT_EQ(p->GetButtonRect(3), c.C);
    EXPECT_EQ(p->GetButtonRect(11), c.Seven);
    EXPECT_EQ(p->GetButtonRect(24), c.Equals);
    // The blank key's row, then the four overlapping rows; keys of one row overlap by a pixel
    // except across the gaps after the first and fourth columns.
    EXPECT_EQ(p->GetButtonRect(0), (TRect{8, 8, 8 + c.W, 8 + c.H}));
    EXPECT_EQ(p->GetButtonRect(5).top, p->GetButtonRect(4).bottom - 1);   // MR under MC
    EXPECT_EQ(p->GetButtonRect(12).left, p->GetButtonRect(11).right - 1);   // 8 beside 7
    EXPECT_EQ(p->GetButtonRect(11).left, p->GetButtonRect(4).right + 4);   // 7 after the gap
    EXPECT_EQ(p->GetButtonRect(20).left, p->GetButtonRect(19).right + 4);   // / after the gap
    delete p;
  }
  Form->Show();
  TCustomButtonPanel* p = NewKeypad();
  EXPECT_EQ(p->GetButtonRect(28), (TRect{-1, -1, -1, -1}));
  EXPECT_EQ(p->GetButtonRect(-1), (TRect{-1, -1, -1, -1}));
  // A resize lays the keys out again.
  p->SetBounds(10, 10, 230, 150);
  EXPECT_EQ(p->GetButtonRect(1), (TRect{46, 8, 100, 34}));
  EXPECT_EQ(p->ButtonAtPos(50, 20), 1);
  EXPECT_EQ(p->ButtonAtPos(2, 2), -1);
}

TEST_F(Keypad, CustomKeypadKeepsItsKeys) {
  auto* p = new TCustomButtonPanel(Form);
  p->SetParent(Form);
  p->SetButtonPanelType(plCustom);
  p->SetBounds(10, 10, 214, 150);
  TCalcButtonItem* key = p->GetButtons()->Add();
  key->SetCaption(u"Go");
  key->SetBounds(20, 30, 50, 24);
  p->CreateDefaultButtons();
  p->SetBounds(10, 10, 200, 140);
  ASSERT_EQ(p->GetButtons()->GetCount(), 1);
  EXPECT_EQ(p->GetButtonRect(0), (TRect{20, 30, 70, 54}));
  // A calculator keypad with fewer keys than the default set places the ones it has.
  p->SetButtonPanelType(plCalculator);
  EXPECT_EQ(p->GetButtonRect(0), (TRect{8, 8, 37, 32}));
}

TEST_F(Keypad, MouseTracksHotAndPressedKeys) {
  Form->Show();
  TCustomButtonPanel* p = NewKeypad();
  p->GetButtons()->GetItems(9)->SetEnabled(false);   // "1"
  Pump();
  TPoint seven = CentreOf(p->GetButtonRect(11)), eight = CentreOf(p->GetButtonRect(12));
  TPoint one = CentreOf(p->GetButtonRect(9));
  MoveTo(p, seven);
  EXPECT_EQ(p->GetButtonHot(), 11);
  // Press and release on the same key: one click.
  Down(p, seven);
  EXPECT_EQ(p->GetButtonDown(), 11);
  Up(p, seven);
  EXPECT_EQ(p->GetButtonDown(), -1);
  EXPECT_EQ(Clicks, (std::vector<Integer>{11}));
  // Press on 7, release on 8: nothing.
  Headless::AdvanceClock(1000);
  Down(p, seven);
  MoveTo(p, eight);
  EXPECT_EQ(p->GetButtonHot(), 12);
  EXPECT_EQ(p->GetButtonDown(), 11);
  Up(p, eight);
  EXPECT_EQ(Clicks.size(), 1U);
  EXPECT_EQ(p->GetButtonDown(), -1);
  // A disabled key is neither hot nor pressed.
  MoveTo(p, one);
  EXPECT_EQ(p->GetButtonHot(), -1);
  Headless::AdvanceClock(1000);
  Down(p, one);
  EXPECT_EQ(p->GetButtonDown(), -1);
  Up(p, one);
  EXPECT_EQ(Clicks.size(), 1U);
  p->SetButtonHot(9);
  p->SetButtonDown(9);
  EXPECT_EQ(p->GetButtonHot(), -1);
  EXPECT_EQ(p->GetButtonDown(), -1);
  // The margin has no key; leaving the panel clears the hot key.
  MoveTo(p, eight);
  MoveTo(p, TPoint{2, 2});
  EXPECT_EQ(p->GetButtonHot(), -1);
  MoveTo(p, eight);
  MoveTo(Form, TPoint{235, 165});
  EXPECT_EQ(p->GetButtonHot(), -1);
}

TEST_F(Keypad, PaintsThroughGdiplusOnLibgdiplus) {
  Form->Show();
  TCustomButtonPanel* p = NewKeypad();
  p->SetButtonHot(12);
  Pump();
  {
    TGdipCallCounter counter;
    p->Repaint();
    // One graphics object per key; the glow of the hot key fills eight paths.
    EXPECT_EQ(TGdipCallCounter::CreateFromHDC, 28);
    EXPECT_GE(TGdipCallCounter::LineBrushes, 28 * 3 + 8);
    EXPECT_EQ(TGdipCallCounter::PathFills, 8);
  }
  // The GDI+ behind the wrapper set is libgdiplus, loaded into this process.
  std::ifstream maps("/proc/self/maps");
  std::string line;
  bool loaded = false;
  while (std::getline(maps, line)) loaded = loaded || line.find("libgdiplus") != std::string::npos;
  EXPECT_TRUE(loaded);
}

TEST_F(Keypad, GoldenPicturesIdleHotAndPressed) {
  Form->Show();
  TCustomButtonPanel* p = NewKeypad();
  Pump();
  TBitmap idle, hot, pressed;
  Capture(p, idle, "keypad_idle_run.png");
  ExpectBitmapMatchesGolden(idle, "keypad_idle.png", 3);
  TRect eight = p->GetButtonRect(12);
  MoveTo(p, CentreOf(eight));
  Capture(p, hot, "keypad_hot_run.png");
  ExpectBitmapMatchesGolden(hot, "keypad_hot.png", 3);
  Down(p, CentreOf(eight));
  Capture(p, pressed, "keypad_pressed_run.png");
  ExpectBitmapMatchesGolden(pressed, "keypad_pressed.png", 3);
  Up(p, CentreOf(eight));
  // The glow lies translucently over the gap above the hot key; the face of its neighbour, 7,
  // stays as it was.
  TPoint above{(eight.left + eight.right) / 2, eight.top - 3};
  EXPECT_NE(PixelOf(hot, above.x, above.y), PixelOf(idle, above.x, above.y));
  TPoint sevenFace = CentreOf(p->GetButtonRect(11));
  sevenFace.y += 6;   // below the caption
  EXPECT_EQ(PixelOf(hot, sevenFace.x, sevenFace.y), PixelOf(idle, sevenFace.x, sevenFace.y));
  // Leaving repaints the key and its surroundings: the idle picture again.
  MoveTo(Form, TPoint{235, 165});
  TBitmap after;
  Capture(p, after, "keypad_after_run.png");
  ExpectBitmapMatchesGolden(after, "keypad_idle.png", 3);
}

TEST_F(Keypad, AppearanceDefaultsAndAssign) {
  TButtonAppearance a;
  EXPECT_EQ(a.GetColor(), static_cast<TColor>(0x9A915F));
  EXPECT_EQ(a.GetColorHotTo(), static_cast<TColor>(0xD5C244));
  EXPECT_EQ(a.GetColorDown(), static_cast<TColor>(0x4B2F08));
  EXPECT_EQ(a.GetGlowColorDown(), static_cast<TColor>(0xD5C244));
  EXPECT_EQ(a.GetSpecialTextColor(), static_cast<TColor>(0x000080));
  EXPECT_EQ(a.GetColorDisabled(), static_cast<TColor>(0xF2F2F2));
  EXPECT_EQ(a.GetFont()->GetSize(), 10);
  EXPECT_TRUE(a.GetFont()->GetStyle().Contains(fsBold));
  Integer changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetColor(clRed);
  a.SetColor(clRed);
  a.SetShineColor(clBlue);   // silent
  a.SetGlowColorHot(clBlue);   // silent
  EXPECT_EQ(changes, 1);
  TButtonAppearance b;
  b.Assign(&a);
  EXPECT_EQ(b.GetColor(), clRed);
  EXPECT_EQ(b.GetShineColor(), clBlue);
  EXPECT_EQ(b.GetGlowColorHot(), clBlue);
  // Published with the defaults a new appearance has; the checked and disabled colours are not.
  for (const char16_t* name : {u"BorderColor", u"Color", u"ColorTo", u"ColorDown", u"ColorHotTo", u"GlowColorHot",
                               u"ShineColor", u"TextColor", u"SpecialTextColor"}) {
    TButtonAppearance fresh;
    PPropInfo info = GetPropInfo(&fresh, name);
    ASSERT_NE(info, nullptr) << UTF8Encode(name);
    EXPECT_EQ(info->Default, GetOrdProp(&fresh, info)) << UTF8Encode(name);
  }
  EXPECT_EQ(GetPropInfo(&b, u"ColorChecked"), nullptr);
  EXPECT_NE(GetPropInfo(&b, u"Font"), nullptr);
}
