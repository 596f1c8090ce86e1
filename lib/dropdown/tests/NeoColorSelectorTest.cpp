// The colour selector panels: the cube's honeycomb and hit test, its hint and frames; the spectrum
// picture and its mouse script; the colour boxes' layout, keys, hot and selected boxes; the
// appearance's presets and streaming; golden pictures of the three panels idle, hot and selected.
#include "lib/dropdown/NeoColorSelector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "lib/dropdown/testsupport/DropDownGolden.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Filer.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class ColorPanels : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Form = NewForm(420, 220);
    Form->SetColor(clWhite);
  }
  template <class T> T* AddPanel(Integer X, Integer Y) {
    auto* p = new T(Form);
    p->SetParent(Form);
    p->SetLeft(X);
    p->SetTop(Y);
    return p;
  }
  void MoveTo(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  void Press(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::ButtonDown(1, p.x, p.y);
    Pump();
  }
  void Release(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::ButtonUp(1, p.x, p.y);
    Pump();
  }
  // What the window shows at the control's client point (its backing store).
  static TColor Shown(TWinControl* C, Integer X, Integer Y) {
    return static_cast<TColor>(Headless::ClientPixel(C->GetHandle(), X, Y));
  }
  // The control painted afresh into a bitmap of its size.
  static void Snapshot(TWinControl* C, TBitmap& Out) {
    Out.SetPixelFormat(pf24bit);
    Out.SetSize(C->GetWidth(), C->GetHeight());
    C->PaintTo(Out.GetCanvas()->GetHandle(), 0, 0);
  }
  static void ExpectGolden(TWinControl* C, const char* Name) {
    TBitmap bmp;
    Snapshot(C, bmp);
    ExpectBitmapMatchesGolden(bmp, Name, 0);
  }
  // Every pixel the window shows equals the control painted afresh.
  static void ExpectShownEqualsRepaint(TWinControl* C) {
    TBitmap bmp;
    Snapshot(C, bmp);
    int off = 0;
    for (Integer y = 0; y < C->GetHeight(); ++y)
      for (Integer x = 0; x < C->GetWidth(); ++x)
        if (ColorToRGB(bmp.GetCanvas()->GetPixels(x, y)) != static_cast<COLORREF>(Shown(C, x, y))) ++off;
    EXPECT_EQ(off, 0);
  }

  TForm* Form = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Cube

TEST_F(ColorPanels, CubeLayoutAndHitTable) {
  auto* cube = AddPanel<TNeoColorCubePanel>(0, 0);
  // Rows: first cell, count and centre Y as laid out.
  struct Row { Integer First, Count, X, Y; };
  const Row rows[] = {{1, 7, 55, 20},    {8, 8, 49, 30},    {16, 9, 43, 40},    {25, 10, 37, 50},  {35, 11, 31, 60},
                      {46, 12, 25, 70},  {58, 13, 19, 80},  {71, 12, 25, 90},   {83, 11, 31, 100}, {94, 10, 37, 110},
                      {104, 9, 43, 120}, {113, 8, 49, 130}, {121, 7, 55, 140}};
  for (const Row& r : rows)
    for (Integer i = 0; i < r.Count; ++i) {
      const Integer cell = r.First + i;
      EXPECT_EQ(cube->GetCubeCellCenter(cell), (TPoint{r.X + 12 * i, r.Y})) << cell;
      EXPECT_EQ(cube->CellAtPoint(r.X + 12 * i, r.Y), cell);
    }
  EXPECT_EQ(cube->GetCubeCellColor(1), static_cast<TColor>(0x663300));
  EXPECT_EQ(cube->GetCubeCellColor(64), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(cube->GetCubeCellColor(127), static_cast<TColor>(0x2100A5));
  EXPECT_EQ(cube->GetCubeCellColor(0), clNone);
  EXPECT_EQ(cube->GetCubeCellColor(128), clNone);

  struct Hit { Integer X, Y, Cell; const char* What; };
  const Hit hits[] = {
      {55, 14, 1, "6 px above cell 1"},        {55, 13, -1, "7 px above cell 1"},
      {49, 20, 1, "6 px left of cell 1"},      {48, 20, -1, "7 px left of cell 1"},
      {61, 20, 1, "as far from 1 as from 2"},  {61, 23, -1, "the gap between 1, 2 and 9"},
      {91, 80, 64, "the centre cell"},        {0, 0, -1, "the corner"},
      {181, 159, -1, "the far corner"},        {55, 146, 121, "6 px below cell 121"},
      {55, 147, -1, "7 px below cell 121"},
  };
  for (const Hit& h : hits) EXPECT_EQ(cube->CellAtPoint(h.X, h.Y), h.Cell) << h.What;
}

TEST_F(ColorPanels, CubeSelectedColorFramesTheFirstCellOfIt) {
  auto* cube = AddPanel<TNeoColorCubePanel>(0, 0);
  EXPECT_EQ(cube->GetSelectedColor(), clNone);
  EXPECT_EQ(cube->GetSelectedIndex(), -1);
  cube->SetSelectedColor(0xFFFFFF);
  EXPECT_EQ(cube->GetSelectedIndex(), 64);
  cube->SetSelectedColor(0x123456);   // no cell has it
  EXPECT_EQ(cube->GetSelectedIndex(), -1);
  EXPECT_EQ(cube->GetSelectedColor(), static_cast<TColor>(0x123456));
  cube->SetCubeCellColor(90, 0x00FF00);   // now twice: cells 48 and 90
  cube->SetSelectedColor(0x00FF00);
  EXPECT_EQ(cube->GetSelectedIndex(), 48);
}

TEST(CubeHint, RgbOfTheLowMiddleAndHighByte) {
  struct Case { TColor Color; const char16_t* Hint; };
  const Case cases[] = {{0xFFFFFF, u"Red: 255,  Green: 255,  Blue: 255"},
                        {0x000000, u"Red: 0,  Green: 0,  Blue: 0"},
                        {0x0080FF, u"Red: 255,  Green: 128,  Blue: 0"}};
  for (const Case& c : cases) EXPECT_EQ(CubeCellHint(c.Color), String(c.Hint));
}

TEST_F(ColorPanels, CubeMouseHotHintSelectAndHide) {
  auto* cube = AddPanel<TNeoColorCubePanel>(10, 10);
  cube->ResetHot();
  EXPECT_EQ(cube->GetWidth(), 182);
  EXPECT_EQ(cube->GetHeight(), 160);
  EXPECT_TRUE(cube->GetShowRGBHint());
  EXPECT_TRUE(cube->GetShowHint());
  int selects = 0, hides = 0;
  cube->OnSelect = [&](TObject*) { ++selects; };
  cube->OnShouldHide = [&](TObject*) { ++hides; };
  Form->Show();
  Pump();

  MoveTo(cube, 91, 80);
  EXPECT_EQ(cube->GetHotIndex(), 64);
  EXPECT_EQ(cube->GetHint(), u"Red: 255,  Green: 255,  Blue: 255");
  // The hot frame is drawn at once: red outer hexagon 5 px left of the centre, white inner one
  // 4 px left of it.
  EXPECT_EQ(Shown(cube, 86, 80), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(Shown(cube, 87, 80), static_cast<TColor>(0xFFFFFF));
  // Off every cell: the hint is emptied, the hot frame stays.
  MoveTo(cube, 61, 23);
  EXPECT_EQ(cube->GetHint(), u"");
  EXPECT_EQ(cube->GetHotIndex(), 64);
  MoveTo(cube, 103, 80);
  EXPECT_EQ(cube->GetHotIndex(), 65);
  EXPECT_EQ(Shown(cube, 86, 80), static_cast<TColor>(0xFFFFFF)) << "the old hot cell drawn plain";
  EXPECT_EQ(cube->GetHint(), CubeCellHint(0xFFCCFF));

  // A click in a gap selects nothing, but the release still asks to hide.
  ClickAt(cube, 61, 23);
  EXPECT_EQ(selects, 0);
  EXPECT_EQ(hides, 1);
  EXPECT_EQ(cube->GetSelectedIndex(), -1);
  ClickAt(cube, 91, 80);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(hides, 2);
  EXPECT_EQ(cube->GetSelectedIndex(), 64);
  EXPECT_EQ(cube->GetSelectedColor(), static_cast<TColor>(0xFFFFFF));
  Headless::AdvanceClock(1000);
  ClickAt(cube, 55, 20);
  EXPECT_EQ(cube->GetSelectedIndex(), 1);
  EXPECT_EQ(cube->GetSelectedColor(), static_cast<TColor>(0x663300));
  EXPECT_EQ(selects, 2);
  EXPECT_EQ(Shown(cube, 50, 20), static_cast<TColor>(0x000000)) << "selected frame of cell 1";
  EXPECT_EQ(Shown(cube, 86, 80), static_cast<TColor>(0xFFFFFF)) << "cell 64 no longer framed";
  // Leaving the control keeps the hot cell.
  MoveTo(cube, 300, 190);
  EXPECT_EQ(cube->GetHotIndex(), 1);
}

TEST_F(ColorPanels, CubeGoldenIdleHotSelected) {
  auto* cube = AddPanel<TNeoColorCubePanel>(10, 10);
  cube->ResetHot();
  Form->Show();
  Pump();
  ExpectGolden(cube, "color-cube-idle.png");
  MoveTo(cube, 91, 80);
  ExpectGolden(cube, "color-cube-hot.png");
  ClickAt(cube, 91, 60);
  MoveTo(cube, 300, 190);
  ExpectGolden(cube, "color-cube-selected.png");
}

// ---------------------------------------------------------------------------------------------
// Spectrum

TEST(SpectrumImage, GeneratedPixelsFollowHueAndLightness) {
  NeoColorSelectorResources();
  TBitmap bmp;
  bmp.LoadFromResourceName(nullptr, u"NEO_SPECTRUM");
  ASSERT_EQ(bmp.GetWidth(), 128);
  ASSERT_EQ(bmp.GetHeight(), 128);
  struct Pixel { Integer X, Y; int R, G, B; const char* What; };
  const Pixel table[] = {
      {0, 0, 255, 255, 255, "top left white"},      {127, 0, 255, 255, 255, "top right white"},
      {0, 127, 0, 0, 0, "bottom left black"},       {127, 127, 0, 0, 0, "bottom right black"},
      {0, 64, 255, 0, 0, "middle row: red"},        {127, 64, 255, 0, 0, "middle row: red again"},
      {21, 64, 255, 253, 0, "near yellow"},         {42, 64, 4, 255, 0, "past green"},
      {64, 64, 0, 249, 255, "past cyan"},           {85, 64, 4, 0, 255, "past blue"},
      {106, 64, 255, 0, 253, "past magenta"},       {0, 32, 255, 128, 128, "red half way to white"},
      {0, 96, 125, 0, 0, "red half way to black"},  {64, 32, 128, 252, 255, "cyan half way to white"},
      {64, 96, 0, 123, 125, "cyan half way to black"},
  };
  for (const Pixel& p : table) {
    const COLORREF c = ColorToRGB(bmp.GetCanvas()->GetPixels(p.X, p.Y));
    EXPECT_NEAR(GetRValue(c), p.R, 1) << p.What;
    EXPECT_NEAR(GetGValue(c), p.G, 1) << p.What;
    EXPECT_NEAR(GetBValue(c), p.B, 1) << p.What;
    EXPECT_EQ(bmp.GetCanvas()->GetPixels(p.X, p.Y), SpectrumColorAt(p.X, p.Y)) << p.What;
  }
  // 24 bits per pixel as stored.
  std::span<const Byte> data;
  ASSERT_TRUE(FindResourceData(u"NEO_SPECTRUM", RT_BITMAP, data));
  EXPECT_EQ(data[28], 24);
}

TEST_F(ColorPanels, SpectrumMouseScriptHotSelectedAndCursor) {
  auto* spectrum = AddPanel<TNeoColorSpectrumPanel>(20, 20);
  spectrum->LayoutPanel();
  EXPECT_EQ(spectrum->GetWidth(), 150);
  EXPECT_EQ(spectrum->GetHeight(), 174);
  TImage* image = spectrum->GetSpectrumImage();
  EXPECT_EQ(image->GetBoundsRect(), (TRect{11, 10, 139, 138}));
  EXPECT_EQ(spectrum->GetSelectedRect(), (TRect{10, 146, 73, 166}));
  EXPECT_EQ(spectrum->GetHotRect(), (TRect{77, 146, 140, 166}));
  EXPECT_EQ(spectrum->GetSelectedColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(spectrum->GetHotColor(), clNone);
  int selects = 0, hides = 0;
  spectrum->OnSelect = [&](TObject*) { ++selects; };
  spectrum->OnShouldHide = [&](TObject*) { ++hides; };
  Form->Show();
  Pump();
  ASSERT_NE(Screen->GetCursors(crNeoPointer), nullptr);

  // Over the image: the hot colour is the picture's pixel, the hot swatch shows it, the pointer
  // cursor is on.
  MoveTo(spectrum, 11 + 64, 10 + 64);
  EXPECT_EQ(spectrum->GetHotColor(), SpectrumColorAt(64, 64));
  EXPECT_EQ(Shown(spectrum, 100, 156), SpectrumColorAt(64, 64));
  EXPECT_EQ(GetCursor(), Screen->GetCursors(crNeoPointer));
  MoveTo(spectrum, 11 + 10, 10 + 100);
  EXPECT_EQ(spectrum->GetHotColor(), SpectrumColorAt(10, 100));
  EXPECT_EQ(selects, 0);
  // Down selects the hot colour, shown in the selected swatch; up asks to hide.
  Press(spectrum, 11 + 10, 10 + 100);
  EXPECT_EQ(spectrum->GetSelectedColor(), SpectrumColorAt(10, 100));
  EXPECT_EQ(Shown(spectrum, 40, 156), SpectrumColorAt(10, 100));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(hides, 0);
  Release(spectrum, 11 + 10, 10 + 100);
  EXPECT_EQ(hides, 1);
  ExpectShownEqualsRepaint(spectrum);
  // Off the image, on the panel: the normal cursor; a release there asks to hide too.
  MoveTo(spectrum, 5, 170);
  EXPECT_NE(GetCursor(), Screen->GetCursors(crNeoPointer));
  ClickAt(spectrum, 5, 170);
  EXPECT_EQ(hides, 2);
  EXPECT_EQ(selects, 1);
  // SelectedColor is stored without a repaint; LayoutPanel clears the hot colour.
  spectrum->SetSelectedColor(0x00FF00);
  EXPECT_EQ(spectrum->GetSelectedColor(), static_cast<TColor>(0x00FF00));
  spectrum->LayoutPanel();
  EXPECT_EQ(spectrum->GetHotColor(), clNone);
}

TEST_F(ColorPanels, SpectrumGoldenIdleHotSelected) {
  auto* spectrum = AddPanel<TNeoColorSpectrumPanel>(20, 20);
  spectrum->LayoutPanel();
  Form->Show();
  Pump();
  ExpectGolden(spectrum, "color-spectrum-idle.png");
  MoveTo(spectrum, 11 + 30, 10 + 40);
  ExpectGolden(spectrum, "color-spectrum-hot.png");
  ClickAt(spectrum, 11 + 100, 10 + 70);
  ExpectGolden(spectrum, "color-spectrum-selected.png");
}

// ---------------------------------------------------------------------------------------------
// Colour boxes

class ColorBoxes : public ColorPanels {
protected:
  void SetUp() override {
    ColorPanels::SetUp();
    Boxes = AddPanel<TCustomColorSelector>(10, 10);
    Boxes->InitDefaultColorBoxes();
    Boxes->ArrangeItems();
    Boxes->OnItemSelect = [this](TObject*) { ++Selects; };
  }
  TCustomColorSelector* Boxes = nullptr;
  int Selects = 0;
};

TEST_F(ColorBoxes, DefaultPaletteLayout) {
  ASSERT_EQ(Boxes->GetItems()->GetCount(), 60);
  EXPECT_EQ(Boxes->GetWidth(), 165);
  EXPECT_EQ(Boxes->GetHeight(), 84);
  EXPECT_TRUE(Boxes->GetParentColor());
  struct Box { Integer Index; TRect Rect; TItemPos Pos; TColor Color; };
  const Box boxes[] = {
      {0, {4, 4, 16, 16}, ipStandAlone, 0xFFFFFF},     {9, {148, 4, 160, 16}, ipStandAlone, 0x4696F7},
      {10, {4, 20, 16, 32}, ipTop, 0xF2F2F2},          {21, {20, 32, 32, 44}, ipMiddle, 0x595959},
      {59, {148, 68, 160, 80}, ipBottom, 0x064897},
  };
  for (const Box& b : boxes) {
    TColorBoxItem* item = Boxes->GetItems()->GetItems(b.Index);
    EXPECT_EQ(item->GetRect(), b.Rect) << b.Index;
    EXPECT_EQ(item->GetColorBoxPos(), b.Pos) << b.Index;
    EXPECT_EQ(item->GetColor(), b.Color) << b.Index;
  }
  // Hit test: right and bottom excluded, the gap after the first row belongs to no box.
  EXPECT_EQ(Boxes->ItemAtPoint(4, 4), 0);
  EXPECT_EQ(Boxes->ItemAtPoint(15, 15), 0);
  EXPECT_EQ(Boxes->ItemAtPoint(16, 4), -1);
  EXPECT_EQ(Boxes->ItemAtPoint(5, 17), -1);
  EXPECT_EQ(Boxes->ItemAtPoint(5, 31), 10);
  EXPECT_EQ(Boxes->ItemAtPoint(5, 32), 20);

  // A new box size, gap or column count lays out again; no boxes at all: 100 x 50.
  Boxes->SetColumns(5);
  EXPECT_EQ(Boxes->GetWidth(), 4 + 4 * 16 + 12 + 4 + 1);
  Boxes->SetColorBoxWidth(20);
  EXPECT_EQ(Boxes->GetWidth(), 4 + 4 * 24 + 20 + 4 + 1);
  Boxes->GetItems()->Clear();
  Boxes->ArrangeItems();
  EXPECT_EQ(Boxes->GetWidth(), 100);
  EXPECT_EQ(Boxes->GetHeight(), 50);
}

TEST_F(ColorBoxes, KeyTable) {
  constexpr WORD PgUp = 33, PgDn = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40;
  struct Case { Integer From; WORD Key; bool Editor, Dropped; Integer To; const char* What; };
  const Case cases[] = {
      {-1, Home, false, true, 0, "Home"},                      {30, PgUp, false, true, 0, "PageUp"},
      {-1, End, false, true, 59, "End"},                       {5, PgDn, true, false, 59, "PageDown"},
      {5, Left, false, true, 4, "Left"},                       {0, Left, false, true, 0, "Left at the first"},
      {5, Right, false, true, 6, "Right"},                     {59, Right, false, true, 59, "Right at the last"},
      {5, Left, true, false, 5, "Left in the editor"},         {5, Right, true, false, 5, "Right in the editor"},
      {5, Left, true, true, 4, "Left, editor, popup open"},    {25, Up, false, true, 15, "Up a row"},
      {5, Up, false, true, 5, "Up in the first row"},          {-1, Up, false, true, 0, "Up with none: box 0"},
      {25, Down, false, true, 35, "Down a row"},               {55, Down, false, true, 55, "Down in the last row"},
      {-1, Down, false, true, 0, "Down with none: box 0"},     {25, Up, false, false, 24, "Up, popup closed"},
      {25, Down, true, false, 26, "Down, popup closed"},       {25, 41, false, true, 25, "a key outside 33..40"},
  };
  for (const Case& c : cases) {
    Boxes->SetItemIndex(c.From);
    Boxes->HandleKey(c.Key, c.Editor, c.Dropped);
    EXPECT_EQ(Boxes->GetItemIndex(), c.To) << c.What;
  }
  Boxes->SetItemIndex(3);
  Boxes->SetEnabled(false);
  Boxes->HandleKey(Home, false, true);
  EXPECT_EQ(Boxes->GetItemIndex(), 3) << "disabled";
}

TEST_F(ColorBoxes, SelectionColourAndDisabledBoxes) {
  Boxes->SetSelectedColor(0x595959);
  EXPECT_EQ(Boxes->GetItemIndex(), 21);
  EXPECT_EQ(Selects, 1);
  Boxes->SetSelectedColor(0x7F7F7F);   // twice in the palette: the first
  EXPECT_EQ(Boxes->GetItemIndex(), 11);
  Boxes->SetSelectedColor(0x123456);
  EXPECT_EQ(Boxes->GetItemIndex(), -1);
  EXPECT_EQ(Boxes->GetSelectedColor(), static_cast<TColor>(0x123456));
  Boxes->SetSelectedColor(clNone);
  EXPECT_EQ(Boxes->GetItemIndex(), -1);
  Boxes->SetItemIndex(7);
  EXPECT_EQ(Boxes->GetSelectedColor(), static_cast<TColor>(0xA26480));
  Boxes->GetItems()->GetItems(8)->SetEnabled(false);
  Boxes->SetItemIndex(8);
  EXPECT_EQ(Boxes->GetItemIndex(), 7);
  EXPECT_THROW(Boxes->SetItemIndex(60), EListError);
  // A colour change of a box is reported by the collection.
  int changes = 0;
  Boxes->GetItems()->OnChange = [&](TObject*) { ++changes; };
  Boxes->GetItems()->GetItems(0)->SetColor(0xFFFFFF);
  Boxes->GetItems()->GetItems(0)->SetColor(0xEEEEEE);
  EXPECT_EQ(changes, 1);
}

TEST_F(ColorBoxes, MouseHotLeaveAndClick) {
  Form->Show();
  Pump();
  MoveTo(Boxes, 25, 40);   // box 21
  EXPECT_EQ(Boxes->GetItemHot(), 21);
  EXPECT_EQ(Shown(Boxes, 20, 32), static_cast<TColor>(0x3694F2));   // hot outer frame, drawn at once
  EXPECT_EQ(Shown(Boxes, 21, 33), static_cast<TColor>(0x94E2FF));
  MoveTo(Boxes, 25, 18);   // the gap
  EXPECT_EQ(Boxes->GetItemHot(), -1);
  Boxes->GetItems()->GetItems(3)->SetEnabled(false);
  MoveTo(Boxes, 55, 8);
  EXPECT_EQ(Boxes->GetItemHot(), -1) << "a disabled box is never hot";
  ClickAt(Boxes, 55, 8);
  EXPECT_EQ(Boxes->GetItemIndex(), -1);
  MoveTo(Boxes, 40, 8);
  EXPECT_EQ(Boxes->GetItemHot(), 2);
  MoveTo(Boxes, 300, 190);   // leaving the control
  EXPECT_EQ(Boxes->GetItemHot(), -1);
  ClickAt(Boxes, 150, 75);
  EXPECT_EQ(Boxes->GetItemIndex(), 59);
  EXPECT_EQ(Selects, 1);
  EXPECT_EQ(Shown(Boxes, 148, 68), static_cast<TColor>(0x0000FF));
  ExpectShownEqualsRepaint(Boxes);
}

TEST_F(ColorBoxes, GoldenIdleHotSelected) {
  Form->Show();
  Pump();
  ExpectGolden(Boxes, "color-boxes-idle.png");
  MoveTo(Boxes, 41, 57);
  ExpectGolden(Boxes, "color-boxes-hot.png");
  ClickAt(Boxes, 57, 8);
  MoveTo(Boxes, 300, 190);
  ExpectGolden(Boxes, "color-boxes-selected.png");
}

TEST_F(ColorBoxes, ItemColorStylePresets) {
  TColorBoxAppearance* a = Boxes->GetColorBoxAppearance();
  EXPECT_EQ(Boxes->GetItemColorStyle(), scOffice2007);
  EXPECT_EQ(a->GetBorderColor(), static_cast<TColor>(0xC5C5C5));
  a->SetBorderColor(clRed);
  a->SetOuterBorderColorHot(clLime);
  Boxes->SetItemColorStyle(scCustom);
  EXPECT_EQ(a->GetBorderColor(), clRed) << "scCustom changes no colour";
  for (TSelectionColorStyle style : {scWindowsVista, scWindows7, scOffice2007}) {
    a->SetBorderColor(clRed);
    a->SetInnerBorderColorSelected(clRed);
    Boxes->SetItemColorStyle(scCustom);
    Boxes->SetItemColorStyle(style);
    EXPECT_EQ(a->GetOuterBorderColorSelected(), static_cast<TColor>(0x0000FF));
    EXPECT_EQ(a->GetInnerBorderColorSelected(), static_cast<TColor>(0x94E2FF));
    EXPECT_EQ(a->GetOuterBorderColorHot(), static_cast<TColor>(0x3694F2));
    EXPECT_EQ(a->GetInnerBorderColorHot(), static_cast<TColor>(0x94E2FF));
    EXPECT_EQ(a->GetBorderColor(), static_cast<TColor>(0xC5C5C5));
  }
  // The same style again applies nothing.
  a->SetBorderColor(clRed);
  Boxes->SetItemColorStyle(scOffice2007);
  EXPECT_EQ(a->GetBorderColor(), clRed);
}

TEST(ColorBoxAppearance, AssignAndStreamingRoundTrip) {
  RegisterNeoColorSelectorRtti();
  TColorBoxAppearance source;
  source.SetOuterBorderColorHot(0x010203);
  TColorBoxAppearance copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.GetOuterBorderColorHot(), static_cast<TColor>(0x010203));
  EXPECT_EQ(copy.GetBorderColor(), static_cast<TColor>(0xC5C5C5));

  struct Case { TColor Written; bool Stored; TColor ReadBack; };
  const Case cases[] = {{0xC5C5C5, true, 0xC5C5C5}, {0xC0C0C0, false, 0xC5C5C5}, {0x123456, true, 0x123456}};
  for (const Case& c : cases) {
    TColorBoxAppearance a;
    a.SetBorderColor(c.Written);
    TWriter writer;
    writer.WriteProperties(&a);
    const String text = writer.GetText();
    EXPECT_EQ(text.find(u"BorderColor =") != String::npos, c.Stored) << UTF8Encode(text);
    EXPECT_EQ(text.find(u"OuterBorderColorHot"), String::npos) << "defaults are left out";
    TColorBoxAppearance back;
    TReader reader(text);
    reader.ReadProperties(&back);
    EXPECT_EQ(back.GetBorderColor(), c.ReadBack);
  }
}

}  // namespace
