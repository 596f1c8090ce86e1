// The colour picker through the headless window system: the text of the selected colour, the
// selection rules, BeginUpdate / EndUpdate, keys, type-ahead and wheel on the list, the colour
// boxes, a cube click and a spectrum press, cancelling, and golden pictures of the closed edits
// and the open popups.
#include "lib/dropdown/NeoColorPickerDropDown.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/dropdown/testsupport/PickerFixture.h"

namespace {

class ColorPicker : public PickerTest {
protected:
  TNeoColorPickerDropDown* NewColorPicker(Integer X = 10, Integer Y = 10, Integer W = 200, Integer H = 22) {
    auto* d = NewPicker<TNeoColorPickerDropDown>(X, Y, W, H);
    d->OnSelect = [this](TObject*) { ++Selects; };
    return d;
  }
  // A picker with the 16 default colours copied into its list.
  TNeoColorPickerDropDown* DefaultPicker(Integer X = 10, Integer Y = 10, Integer W = 200) {
    TNeoColorPickerDropDown* d = NewColorPicker(X, Y, W);
    d->BeginUpdate();
    d->AddDefaultColors();
    d->EndUpdate();
    return d;
  }
  Integer Selects = 0;
};

}  // namespace

TEST_F(ColorPicker, SelectedColorText) {
  TNeoColorPickerDropDown* d = DefaultPicker();
  struct TCase {
    TColor Color;
    bool ClearIndex;   // ItemIndex set to -1 after choosing the colour
    TColorValueText Kind;
    String Text;
  };
  const TColor odd = static_cast<TColor>(0x123456);
  const TCase cases[] = {
      {clRed, false, cvtNone, u"Red"},
      {clRed, false, cvtHex, u"Red"},
      {clRed, true, cvtNone, u""},
      {clRed, true, cvtHex, u"0000FF"},
      {clRed, true, cvtWebName, u"Red"},
      {clRed, true, cvtRGB, u"Red:255,Green:0,Blue:0"},
      {clRed, true, cvtHTML, u"#FF0000"},
      {odd, false, cvtHTML, u"Lime"},   // not in the list: the previous item (Lime) stays
      {odd, true, cvtHex, u"123456"},
      {odd, true, cvtWebName, u"#563412"},
      {odd, true, cvtRGB, u"Red:86,Green:52,Blue:18"},
      {odd, true, cvtHTML, u"#563412"},
      {clWindow, false, cvtRGB, u"White"},   // the system colour resolves to a named colour
      {clWindow, true, cvtHex, u"FFFFFF"},
      {clWindow, true, cvtWebName, u"White"},
      {clNone, true, cvtHex, u""},
      {clNone, true, cvtRGB, u""},
      {clNone, true, cvtHTML, u""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.Color << " clear " << c.ClearIndex << " kind " << c.Kind);
    d->SetItemIndex(10);   // Lime
    d->SetSelectedColor(c.Color);
    if (c.ClearIndex) d->SetItemIndex(-1);
    d->SetColorValueText(c.Kind);
    EXPECT_EQ(d->GetSelectedColorText(), c.Text);
  }
  // The stored colour is the resolved one; another style shows the value, not the caption.
  d->SetSelectedColor(clWindow);
  EXPECT_EQ(d->GetSelectedColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(d->GetItemIndex(), 15);
  d->SetColorSelectionStyle(csDiscrete);
  d->SetColorValueText(cvtHTML);
  EXPECT_EQ(d->GetSelectedColorText(), u"#FFFFFF");
}

TEST_F(ColorPicker, SelectionRules) {
  TNeoColorPickerDropDown* d = NewColorPicker();
  EXPECT_EQ(d->GetColors()->GetCount(), 0) << "no colours at run time until AddDefaultColors";
  EXPECT_EQ(d->GetSelectedColor(), clNone);
  EXPECT_FALSE(d->GetEditorEnabled());
  EXPECT_EQ(d->GetDropDownHeight(), 200);
  EXPECT_FALSE(d->GetDropDownHeader()->GetVisible());
  d->SetSelectedColor(clRed);
  EXPECT_EQ(d->GetItemIndex(), -1);
  EXPECT_EQ(Selects, 0);
  d->AddDefaultColors();
  ASSERT_EQ(d->GetColors()->GetCount(), 16);
  EXPECT_EQ(d->GetColors()->GetItems(4)->GetCaption(), u"Navy");
  EXPECT_EQ(d->GetColors()->GetItems(4)->GetColor(), static_cast<TColor>(0x800000));
  d->SetSelectedColor(clBlue);
  EXPECT_EQ(d->GetItemIndex(), 12);
  EXPECT_EQ(Selects, 1);
  d->SetSelectedColor(clBlue);
  EXPECT_EQ(Selects, 1) << "the same colour again changes nothing";
  d->SetItemIndex(16);
  EXPECT_EQ(d->GetItemIndex(), 12) << "an index of Count is ignored";
  d->SetItemIndex(-4);
  EXPECT_EQ(d->GetItemIndex(), -1);
  EXPECT_EQ(d->GetSelectedColor(), clBlue) << "clearing the item keeps the colour";
  EXPECT_EQ(Selects, 2);
  d->SelectLast();
  EXPECT_EQ(d->GetSelectedColor(), clWhite);
  d->SelectFirst();
  d->SelectPrevious();
  EXPECT_EQ(d->GetItemIndex(), 0);
}

// Colours added inside one bracket reach the list once, at the end.
TEST_F(ColorPicker, BeginUpdateCopiesTheColoursOnce) {
  TNeoColorPickerDropDown* d = NewColorPicker();
  TSelectorItems* list = d->GetItemSelector()->GetItems();
  int relayouts = 0;
  TNotifyEvent relayout = list->OnChange;
  list->OnChange = [&](TObject* Sender) {
    ++relayouts;
    relayout(Sender);
  };
  d->BeginUpdate();
  d->BeginUpdate();
  for (Integer i = 0; i < 1000; ++i) {
    TColorItem* c = d->GetColors()->Add();
    c->SetCaption(u"Colour " + IntToStr(i));
    c->SetColor(static_cast<TColor>(i * 997));
  }
  d->EndUpdate();
  EXPECT_EQ(list->GetCount(), 0) << "the inner EndUpdate copies nothing";
  d->EndUpdate();
  EXPECT_EQ(list->GetCount(), 1000);
  EXPECT_EQ(relayouts, 1);
  d->EndUpdate();
  EXPECT_EQ(relayouts, 1) << "an EndUpdate without BeginUpdate does nothing";
}

TEST_F(ColorPicker, ListKeysWheelAndCancel) {
  TNeoColorPickerDropDown* d = DefaultPicker();
  d->SetSelectedColor(clGreen);   // item 2
  Selects = 0;
  Open(d);
  ASSERT_TRUE(IsOpen(d));
  EXPECT_TRUE(d->GetDropDownForm()->GetSizeable()) << "the list can be resized";
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(d->GetItemIndex(), 4);
  EXPECT_TRUE(IsOpen(d));
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 2) << "Esc restores the opening's item";
  EXPECT_EQ(d->GetSelectedColor(), clGreen);
  EXPECT_EQ(Selects, 3) << "two moves and the restore";
  // Enter keeps; Esc on the closed edit keeps too.
  Open(d);
  Press(VK_END);
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetSelectedColor(), clWhite);
  Press(VK_ESCAPE);
  EXPECT_EQ(d->GetItemIndex(), 15);
  // The wheel: closed it steps the selection, open it moves the hot item that Enter takes.
  const TPoint e = ScreenPoint(d, 20, 10);
  Headless::Wheel(e.x, e.y, 1);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), 14);
  EXPECT_FALSE(IsOpen(d));
  // A list that needs no scrolling leaves the wheel to the popup.
  d->SetDropDownHeight(420);
  Open(d);
  TNeoCustomItemSelector* s = d->GetItemSelector();
  ASSERT_FALSE(s->GetVertScrollBar()->IsScrollBarVisible());
  const TPoint p = ScreenPoint(s, s->GetWidth() - 4, s->GetHeight() - 4);
  Headless::Wheel(p.x, p.y, 1);
  Pump();
  const Integer hot = s->GetItemHot();
  ASSERT_GE(hot, 0);
  EXPECT_EQ(d->GetItemIndex(), 14);
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), hot);
}

// "Bl" typed quickly on the closed list picker, then a pause of 500 ms.
TEST_F(ColorPicker, TypeAheadOnTheClosedList) {
  TNeoColorPickerDropDown* d = DefaultPicker();
  Press('B');
  EXPECT_EQ(d->GetItemIndex(), 0) << "Black";
  Headless::AdvanceClock(300);
  Pump();
  Press('L');
  EXPECT_EQ(d->GetSearchText(), u"BL");
  EXPECT_EQ(d->GetItemIndex(), 12) << "the list's lookup goes on from Black to Blue";
  Chord(VK_SHIFT, VK_F5);
  Press(VK_BACK);
  EXPECT_EQ(d->GetSearchText(), u"BL");
  Headless::AdvanceClock(499);
  Pump();
  EXPECT_EQ(d->GetSearchText(), u"BL") << "each key restarts the 500 ms";
  Headless::AdvanceClock(1);
  Pump();
  EXPECT_EQ(d->GetSearchText(), u"");
  Press('S');
  EXPECT_EQ(d->GetItemIndex(), 8) << "Silver";
  EXPECT_FALSE(IsOpen(d));
}

TEST_F(ColorPicker, ColourBoxesKeysAndCancel) {
  TNeoColorPickerDropDown* d = DefaultPicker();
  d->SetColorSelectionStyle(csDiscrete);
  ASSERT_NE(d->GetColorPanel(), nullptr);
  const TColor fifth = d->GetColorPanel()->GetItems()->GetItems(5)->GetColor();
  d->SetSelectedColor(fifth);
  Selects = 0;
  Open(d);
  ASSERT_TRUE(IsOpen(d));
  EXPECT_FALSE(d->GetDropDownForm()->GetSizeable()) << "the boxes cannot be resized";
  TCustomColorSelector* boxes = d->GetColorPanel();
  const Integer start = boxes->GetItemIndex();
  ASSERT_EQ(start, 5);
  Press(VK_RIGHT);
  EXPECT_TRUE(IsOpen(d)) << "keys move without closing";
  EXPECT_EQ(boxes->GetItemIndex(), start + 1);
  EXPECT_EQ(d->GetSelectedColor(), boxes->GetSelectedColor());
  EXPECT_EQ(d->GetItemIndex(), -1);
  Press(VK_ESCAPE);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(boxes->GetSelectedColor(), fifth) << "Esc gives the boxes their colour of the opening";
  // A click on a box chooses it and closes.
  Open(d);
  const TRect r = boxes->GetItems()->GetItems(0)->GetRect();
  ClickAt(boxes, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetSelectedColor(), boxes->GetItems()->GetItems(0)->GetColor());
}

TEST_F(ColorPicker, CubeClickAndSpectrumPress) {
  TNeoColorPickerDropDown* d = DefaultPicker();
  d->SetColorSelectionStyle(csColorCube);
  Open(d);
  TNeoColorCubePanel* cube = d->GetCubePanel();
  ASSERT_NE(cube, nullptr);
  // The centre cell is white, which is also the named colour "White".
  Integer white = -1;
  for (Integer i = 1; i <= TNeoColorCubePanel::CellCount; ++i)
    if (cube->GetCubeCellColor(i) == clWhite) white = i;
  ASSERT_GT(white, 0);
  const TPoint c = cube->GetCubeCellCenter(white);
  Selects = 0;
  ClickAt(cube, c.x, c.y);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetSelectedColor(), clWhite);
  EXPECT_EQ(d->GetItemIndex(), -1) << "a cube cell leaves no named item selected";
  EXPECT_EQ(Selects, 2) << "White found in the list, then the index cleared";

  d->SetColorSelectionStyle(csSpectrum);
  Open(d);
  TNeoColorSpectrumPanel* spectrum = d->GetSpectrumPanel();
  ASSERT_NE(spectrum, nullptr);
  TImage* image = spectrum->GetSpectrumImage();
  const TPoint at = ScreenPoint(image, 30, 90);
  Headless::MouseMove(at.x - 5, at.y);
  Headless::MouseMove(at.x, at.y);
  Headless::ButtonDown(1, at.x, at.y);
  Pump();
  EXPECT_EQ(d->GetSelectedColor(), SpectrumColorAt(30, 90));
  EXPECT_FALSE(IsOpen(d));
  Headless::ButtonUp(1, at.x, at.y);
  Pump();
  EXPECT_EQ(d->GetItemIndex(), -1);
}

// At 150 % each panel is laid out one and a half times as large, and what a click hits is what is
// drawn there: a cube cell and a colour box show their colour at the point that chooses it, and a
// press on the stretched spectrum picks the picture's pixel under it.
TEST_F(ColorPicker, PanelsAtOneHundredFiftyPercentChooseWhatTheyShow) {
  Headless::SetDpi(144);
  TNeoColorPickerDropDown* d = DefaultPicker();
  d->ChangeScale(144, 96);
  auto shows = [](TControl* Panel, TPoint P, TColor Color) {
    return Headless::ClientPixel(static_cast<TWinControl*>(Panel)->GetHandle(), P.x, P.y) == ColorToRGB(Color);
  };

  d->SetColorSelectionStyle(csColorCube);
  Open(d);
  TNeoColorCubePanel* cube = d->GetCubePanel();
  EXPECT_EQ(cube->GetWidth(), 273);
  EXPECT_EQ(cube->GetHeight(), 240);
  const Integer cell = 100;
  const TPoint c = cube->GetCubeCellCenter(cell);
  EXPECT_TRUE(shows(cube, c, cube->GetCubeCellColor(cell)));
  EXPECT_EQ(cube->CellAtPoint(c.x + 7, c.y), cell) << "within 6 * 1.5 pixels of the centre";
  ClickAt(cube, c.x, c.y);
  EXPECT_EQ(d->GetSelectedColor(), cube->GetCubeCellColor(cell));

  d->SetColorSelectionStyle(csDiscrete);
  Open(d);
  TCustomColorSelector* boxes = d->GetColorPanel();
  const TRect r = boxes->GetItems()->GetItems(23)->GetRect();
  EXPECT_EQ(r.right - r.left, 18);
  const TPoint mid{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  EXPECT_TRUE(shows(boxes, mid, boxes->GetItems()->GetItems(23)->GetColor()));
  ClickAt(boxes, mid.x, mid.y);
  EXPECT_EQ(d->GetSelectedColor(), boxes->GetItems()->GetItems(23)->GetColor());

  d->SetColorSelectionStyle(csSpectrum);
  Open(d);
  TImage* image = d->GetSpectrumPanel()->GetSpectrumImage();
  EXPECT_EQ(image->GetWidth(), 192);
  const TPoint at = ScreenPoint(image, 150, 30);
  Headless::MouseMove(at.x - 5, at.y);
  Headless::MouseMove(at.x, at.y);
  Headless::ButtonDown(1, at.x, at.y);
  Pump();
  EXPECT_EQ(d->GetSelectedColor(), SpectrumColorAt(100, 20)) << "150 * 128 / 192, 30 * 128 / 192";
  Headless::ButtonUp(1, at.x, at.y);
  Pump();
  Headless::SetDpi(96);
}

// The closed edits: each text form, a markup caption, and no swatch without a colour.
TEST_F(ColorPicker, GoldenClosedEdits) {
  struct TRow {
    TColorValueText Kind;
    TColor Color;
    bool Named;
  };
  const TRow rows[] = {{cvtNone, clRed, true},   {cvtHex, static_cast<TColor>(0x3366CC), false},
                       {cvtWebName, static_cast<TColor>(0x3366CC), false}, {cvtRGB, clTeal, false},
                       {cvtHTML, clTeal, false}, {cvtNone, clNone, false}};
  Integer y = 8;
  TNeoColorPickerDropDown* last = nullptr;
  for (const TRow& r : rows) {
    TNeoColorPickerDropDown* d = DefaultPicker(8, y, 190);
    d->SetColorValueText(r.Kind);
    d->SetSelectedColor(r.Color);
    if (!r.Named) d->SetItemIndex(-1);
    y += 28;
    last = d;
  }
  TNeoColorPickerDropDown* markup = DefaultPicker(8, y, 190);
  markup->GetColors()->GetItems(4)->SetCaption(u"<b>Deep</b> <i>navy</i>");
  markup->SetItemIndex(4);
  auto* other = Add<TButton>(Form, 220, 8, 80, 25);
  other->SetFocus();
  Form->Invalidate();
  Pump();
  // No colour, no swatch: the edit is blank where the swatch would be.
  const Integer mid = last->GetHeight() / 2;
  EXPECT_EQ(Headless::ClientPixel(last->GetHandle(), 9, mid), RGB(255, 255, 255));
  EXPECT_EQ(Headless::ClientPixel(markup->GetHandle(), 9, mid), RGB(0, 0, 128));
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/color-picker-closed.png",
                            "color-picker-closed.png");
}

// The four popups at 100 % and at 150 %.
TEST_F(ColorPicker, GoldenOpenPopups) {
  const TColorSelectionStyle styles[] = {csList, csDiscrete, csColorCube, csSpectrum};
  const char* names[] = {"list", "boxes", "cube", "spectrum"};
  for (Integer dpi : {96, 144}) {
    for (std::size_t i = 0; i < 4u; ++i) {
      SCOPED_TRACE(names[i]);
      Headless::SetDpi(dpi);
      TNeoColorPickerDropDown* d = DefaultPicker();
      if (dpi != 96) d->ChangeScale(dpi, 96);
      d->SetColorSelectionStyle(styles[i]);
      d->SetSelectedColor(clTeal);
      Open(d);
      ASSERT_TRUE(IsOpen(d));
      const std::string name =
          std::string("color-picker-") + names[i] + (dpi == 96 ? "" : "-150") + ".png";
      ExpectWindowMatchesGolden(d->GetDropDownForm()->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + name,
                                name.c_str());
      Press(VK_ESCAPE);
      delete d;
      Pump();
    }
  }
  Headless::SetDpi(96);
}
