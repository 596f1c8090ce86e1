// The image picker through the headless window system: its selection rules, the keys with four
// columns, Enter and the wheel on the open and the closed popup, cancelling, items from an image
// list and from a folder of picture files, and golden pictures of the closed edit and the popup.
#include "lib/dropdown/NeoImagePickerDropDown.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "lib/dropdown/testsupport/PickerFixture.h"
#include "lib/graphics/NeoGDIP.h"
#include "lib/render/NeoSVGBitmap.h"
#include "platform/gdiplus/GdiPlusBridge.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Jpeg.h"
#include "platform/ui/PngImage.h"

namespace fs = std::filesystem;

namespace {

const std::vector<TColor> Colours = {clRed,    clGreen, clBlue, clYellow, clFuchsia,
                                     clAqua,   clNavy,  clTeal, clMaroon, clOlive};

class ImagePicker : public PickerTest {
protected:
  // A picker with one item per image of a list of Count coloured squares.
  TNeoImagePickerDropDown* NewListPicker(Integer Count, Integer Columns = 1) {
    auto* d = NewPicker<TNeoImagePickerDropDown>();
    d->SetImages(ColourList(std::vector<TColor>(Colours.begin(), Colours.begin() + Count), 24));
    d->AddImagesFromImageList();
    d->SetColumns(Columns);
    d->OnSelect = [this](TObject*) { ++Selects; };
    d->OnChange = [this](TObject*) { ++Changes; };
    return d;
  }
  void WheelOver(TControl* C, Integer Notches) {
    const TPoint p = ScreenPoint(C, 5, 5);
    Headless::Wheel(p.x, p.y, Notches);
    Pump();
  }
  Integer Selects = 0;
  Integer Changes = 0;
};

// Picture files are read through the picture formats, SVG included.
class ImagePickerFiles : public ImagePicker {
protected:
  void SetUp() override {
    ImagePicker::SetUp();
    Units().Clear();
    // SVG pictures draw through GDI+.
    RegisterGdiplusModule();
    RegisterNeoGDIPUnit();
    RegisterNeoSVGUnit();
    InitializeUnits();
    Dir = fs::temp_directory_path() / ("zelk-imagepicker-" + std::to_string(getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir / "more.png");
  }
  void TearDown() override {
    fs::remove_all(Dir);
    ImagePicker::TearDown();
    FinalizeUnits();
    Units().Clear();
  }
  static void Square(TBitmap& B, Integer Size, TColor Outer, TColor Inner) {
    B.SetPixelFormat(pf24bit);
    B.SetSize(Size, Size);
    B.GetCanvas()->GetBrush()->SetColor(Outer);
    B.GetCanvas()->FillRect(TRect{0, 0, Size, Size});
    B.GetCanvas()->GetBrush()->SetColor(Inner);
    B.GetCanvas()->FillRect(TRect{Size / 4, Size / 4, Size - Size / 4, Size - Size / 4});
  }
  String Path(const std::string& Name) const { return UTF8ToString((Dir / Name).string()); }
  void WriteFiles() {
    TBitmap b;
    Square(b, 16, clRed, clWhite);
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(Path("a.png"));
    Square(b, 20, clBlue, clBlue);
    TJPEGImage jpg;
    jpg.Assign(&b);
    jpg.SaveToFile(Path("b.jpg"));
    Square(b, 12, clGreen, clBlack);
    b.SaveToFile(Path("c.bmp"));
    std::ofstream(Dir / "d.svg") << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30\" height=\"18\">"
                                    "<rect width=\"30\" height=\"18\" fill=\"#00ff00\"/></svg>";
    std::ofstream(Dir / "broken.png", std::ios::binary) << "\x89PNG\r\n\x1a\n broken beyond the signature";
    std::ofstream(Dir / "notes.txt") << "not a picture";
  }
  fs::path Dir;
};

}  // namespace

TEST_F(ImagePicker, SelectionRules) {
  TNeoImagePickerDropDown* d = NewListPicker(4);
  ASSERT_EQ(d->GetItems()->GetCount(), 4);
  d->GetItems()->GetItems(2)->SetImageIndex(7);
  EXPECT_EQ(d->GetImageIndex(), -1);
  d->SetItemIndex(2);
  EXPECT_EQ(d->GetImageIndex(), 7);
  EXPECT_EQ(Selects, 1);
  EXPECT_EQ(Changes, 1);
  d->SetItemIndex(2);
  d->SetItemIndex(4);
  EXPECT_EQ(Selects, 1) << "the same index and one beyond the items are ignored";
  // Any negative index is "none".
  d->SetItemIndex(-5);
  EXPECT_EQ(d->GetItemIndex(), -1);
  EXPECT_EQ(Selects, 2);
  d->SetItemIndex(-3);
  EXPECT_EQ(Selects, 2);
  // SetImageIndex: the first item showing the image, else none (with events only when something
  // was selected).
  d->SetImageIndex(3);
  EXPECT_EQ(d->GetItemIndex(), 3);
  d->SetImageIndex(2);
  EXPECT_EQ(d->GetItemIndex(), -1) << "image 2 is shown by no item any more";
  EXPECT_EQ(Selects, 4);
  EXPECT_EQ(Changes, 4);
  d->SetImageIndex(9);
  EXPECT_EQ(Selects, 4);
  // The list's images are appended after the items there are; no list adds nothing.
  d->AddImagesFromImageList();
  EXPECT_EQ(d->GetItems()->GetCount(), 8);
  EXPECT_EQ(d->GetItems()->GetItems(5)->GetImageIndex(), 1);
  d->SetImages(nullptr);
  d->AddImagesFromImageList();
  EXPECT_EQ(d->GetItems()->GetCount(), 8);
}

// Four columns of ten items: Up and Down move by a row, Left and Right by an item.
TEST_F(ImagePicker, KeysWithFourColumns) {
  TNeoImagePickerDropDown* d = NewListPicker(10, 4);
  d->SetItemIndex(1);
  Open(d);
  ASSERT_TRUE(IsOpen(d));
  EXPECT_EQ(d->GetItemSelector()->GetColumns(), 4);
  struct TStep {
    UINT Key;
    Integer Want;
  };
  const TStep steps[] = {{VK_DOWN, 5},  {VK_DOWN, 9}, {VK_DOWN, 9},  {VK_UP, 5},    {VK_UP, 1},
                         {VK_UP, 1},    {VK_RIGHT, 2}, {VK_LEFT, 1}, {VK_LEFT, 0},  {VK_LEFT, 0},
                         {VK_END, 9},   {VK_HOME, 0}, {VK_DOWN, 4}, {VK_DOWN, 8}, {VK_DOWN, 8}};
  for (const TStep& s : steps) {
    Press(s.Key);
    EXPECT_EQ(d->GetItemIndex(), s.Want) << "after key " << s.Key;
    EXPECT_EQ(d->GetItemSelector()->GetItemIndex(), s.Want);
  }
  EXPECT_TRUE(IsOpen(d)) << "keys keep the popup open";
  // Closed: Up and Down step by one item, End and Home go to the ends.
  Press(VK_RETURN);
  ASSERT_FALSE(IsOpen(d));
  const TStep closed[] = {{VK_UP, 7}, {VK_DOWN, 8}, {VK_END, 9}, {VK_DOWN, 9}, {VK_HOME, 0}, {VK_UP, 0}};
  for (const TStep& s : closed) {
    Press(s.Key);
    EXPECT_EQ(d->GetItemIndex(), s.Want) << "closed, after key " << s.Key;
  }
  EXPECT_FALSE(IsOpen(d));
}

TEST_F(ImagePicker, EnterTakesTheHotItemAndTheWheelMovesIt) {
  TNeoImagePickerDropDown* d = NewListPicker(6, 3);
  // Before the first opening the list is empty: the wheel on the closed edit does nothing.
  WheelOver(d, -1);
  EXPECT_EQ(d->GetItemIndex(), -1);
  d->SetItemIndex(0);
  Selects = 0;
  Open(d);
  TNeoCustomItemSelector* s = d->GetItemSelector();
  // The pointer rests on item 0, which becomes hot; each notch moves the hot item on.
  const TPoint over = ScreenPoint(s, 5, 5);
  Headless::MouseMove(over.x, over.y);
  Pump();
  ASSERT_EQ(s->GetItemHot(), 0);
  WheelOver(s, -1);
  WheelOver(s, -1);
  EXPECT_EQ(s->GetItemHot(), 2) << "the wheel moves the hot item";
  EXPECT_EQ(d->GetItemIndex(), 0) << "and leaves the selection";
  WheelOver(s, -1);
  WheelOver(s, 1);
  EXPECT_EQ(s->GetItemHot(), 2);
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 2);
  EXPECT_EQ(Selects, 1) << "the hot item's selection fires once; the key adds none";
  Press(VK_RETURN);
  EXPECT_EQ(Selects, 2) << "Enter on the closed edit fires OnSelect";
  EXPECT_EQ(d->GetItemIndex(), 2);
  // The wheel on the closed edit steps the selection without opening.
  WheelOver(d, -1);
  EXPECT_EQ(d->GetItemIndex(), 3);
  for (int i = 0; i < 4; ++i) WheelOver(d, 1);
  EXPECT_EQ(d->GetItemIndex(), 0);
  EXPECT_FALSE(IsOpen(d));
  // Enter on an open popup without a hot item closes it and fires OnSelect.
  Open(d);
  ASSERT_EQ(s->GetItemHot(), -1);
  Selects = 0;
  Press(VK_RETURN);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(Selects, 1);
  // A disabled picker ignores the wheel.
  d->SetEnabled(false);
  SendMessage(d->GetHandle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(d->GetItemIndex(), 0);
}

TEST_F(ImagePicker, CancelRestoresTheOpeningsIndex) {
  TNeoImagePickerDropDown* d = NewListPicker(5);
  for (Integer start : {-1, 2}) {
    SCOPED_TRACE(start);
    d->SetItemIndex(start);
    Open(d);
    Press(VK_DOWN);
    EXPECT_NE(d->GetItemIndex(), start);
    Press(VK_ESCAPE);
    EXPECT_FALSE(IsOpen(d));
    EXPECT_EQ(d->GetItemIndex(), start);
  }
  // Esc on the closed edit keeps a selection made without the popup.
  d->SetItemIndex(4);
  Press(VK_ESCAPE);
  EXPECT_EQ(d->GetItemIndex(), 4);
  // A click on an item chooses it and closes the popup.
  Open(d);
  TCustomItemSelector* panel = d->GetItemSelector()->GetItemSelectorPanel();
  const TRect r = panel->GetItemRect(1);
  ClickAt(panel, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  EXPECT_FALSE(IsOpen(d));
  EXPECT_EQ(d->GetItemIndex(), 1);
}

TEST_F(ImagePicker, TypeAheadOnCaptions) {
  TNeoImagePickerDropDown* d = NewListPicker(3);
  const char16_t* captions[] = {u"Red", u"Green", u"Blue"};
  for (Integer i = 0; i < 3; ++i) d->GetItems()->GetItems(i)->SetCaption(captions[i]);
  Open(d);
  Chord(VK_SHIFT, 'G');
  EXPECT_EQ(d->GetSearchText(), u"G");
  EXPECT_EQ(d->GetItemIndex(), 1);
  Press(VK_F5);
  Press(VK_BACK);
  Press('R');
  EXPECT_EQ(d->GetSearchText(), u"GR");
  EXPECT_TRUE(IsOpen(d));
  Headless::AdvanceClock(500);
  Pump();
  EXPECT_EQ(d->GetSearchText(), u"");
  Press('B');
  EXPECT_EQ(d->GetItemIndex(), 2);
}

TEST_F(ImagePickerFiles, AddImagesFromFolder) {
  WriteFiles();
  TNeoImagePickerDropDown* d = NewPicker<TNeoImagePickerDropDown>();
  struct TWant {
    String Caption;
    Integer Width;   // 0: no picture
  };
  struct TCase {
    const char* Mask;
    bool Captions;
    std::vector<TWant> Want;
  };
  const TCase cases[] = {
      {"*.png", true, {{u"a.png", 16}, {u"", 0}, {u"", 0}}},   // a, broken, the folder more.png
      {"*", true,
       {{u"", 0}, {u"", 0}, {u"a.png", 16}, {u"b.jpg", 20}, {u"", 0}, {u"c.bmp", 12}, {u"d.svg", 30}, {u"", 0},
        {u"", 0}}},   // ".", "..", a, b, broken, c, d, more.png, notes.txt
      {"?.*", false, {{u"", 0}, {u"", 16}, {u"", 20}, {u"", 12}, {u"", 30}}},   // "..", a, b, c, d
      {"nowhere/*.png", true, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    d->GetItems()->Clear();
    d->GetItems()->Add()->SetCaption(u"kept");
    EXPECT_NO_THROW(d->AddImagesFromFolder(Path(c.Mask), c.Captions));
    ASSERT_EQ(d->GetItems()->GetCount(), static_cast<Integer>(c.Want.size()) + 1);
    EXPECT_EQ(d->GetItems()->GetItems(0)->GetCaption(), u"kept");
    for (std::size_t i = 0; i < c.Want.size(); ++i) {
      TImageItem* it = d->GetItems()->GetItems(static_cast<Integer>(i) + 1);
      EXPECT_EQ(it->GetCaption(), c.Want[i].Caption) << "item " << i;
      EXPECT_EQ(it->GetImage()->GetWidth(), c.Want[i].Width) << "item " << i;
    }
  }
}

// The closed edits show the chosen picture centred: a PNG and a JPEG.
TEST_F(ImagePickerFiles, GoldenClosedEditsCentreThePicture) {
  WriteFiles();
  TNeoImagePickerDropDown* png = NewPicker<TNeoImagePickerDropDown>(10, 10, 120, 26);
  TNeoImagePickerDropDown* jpg = NewPicker<TNeoImagePickerDropDown>(10, 50, 120, 26);
  TNeoImagePickerDropDown* svg = NewPicker<TNeoImagePickerDropDown>(140, 10, 120, 26);
  png->AddImageFile(Path("a.png"), true);
  jpg->AddImageFile(Path("b.jpg"), true);
  svg->AddImageFile(Path("d.svg"), true);
  png->SetItemIndex(0);
  jpg->SetItemIndex(0);
  svg->SetItemIndex(0);
  // The focus elsewhere: a focused edit would show its caret.
  auto* other = Add<TButton>(Form, 10, 100, 80, 25);
  other->SetFocus();
  Form->Invalidate();
  Pump();
  // Blue and red within the loss of JPEG compression.
  auto near = [](COLORREF A, COLORREF B) {
    return std::abs(GetRValue(A) - GetRValue(B)) < 24 && std::abs(GetGValue(A) - GetGValue(B)) < 24 &&
           std::abs(GetBValue(A) - GetBValue(B)) < 24;
  };
  for (TNeoImagePickerDropDown* d : {png, jpg, svg}) {
    const TRect r = d->GetEditRect();
    const TPoint mid{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const COLORREF edge = d == png ? RGB(255, 0, 0) : d == jpg ? RGB(0, 0, 255) : RGB(0, 255, 0);
    EXPECT_TRUE(near(Headless::ClientPixel(d->GetHandle(), mid.x, mid.y), d == png ? RGB(255, 255, 255) : edge));
    // A picture's left edge lies where centring puts it.
    TGraphic* g = d->GetItems()->GetItems(0)->GetImage()->GetGraphic();
    const Integer left = r.left + (r.right - r.left - g->GetWidth()) / 2;
    EXPECT_TRUE(near(Headless::ClientPixel(d->GetHandle(), left, mid.y), edge)) << "left edge at " << left;
    EXPECT_FALSE(near(Headless::ClientPixel(d->GetHandle(), left - 1, mid.y), edge));
  }
  ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/image-picker-closed.png",
                            "image-picker-closed.png");
}

// The open popup in four columns, item 5 selected and item 2 hot.
TEST_F(ImagePicker, GoldenOpenFourColumnPopup) {
  TNeoImagePickerDropDown* d = NewListPicker(10, 4);
  d->GetDropDownHeader()->SetVisible(false);
  d->GetDropDownFooter()->SetVisible(false);
  d->GetItemAppearance()->SetColorStyle(scWindows7);
  d->SetItemIndex(5);
  Open(d);
  TCustomItemSelector* panel = d->GetItemSelector()->GetItemSelectorPanel();
  const TRect hot = panel->GetItemRect(2);
  const TPoint p = ScreenPoint(panel, (hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
  Headless::MouseMove(p.x, p.y);
  Pump();
  ASSERT_EQ(d->GetItemSelector()->GetItemHot(), 2);
  ExpectWindowMatchesGolden(d->GetDropDownForm()->GetHandle(), std::string(ZELK_TEST_DATA) + "/image-picker-popup.png",
                            "image-picker-popup.png");
}

// A visual style colours the items; the popup's grid takes the picker's looks when it opens.
TEST_F(ImagePicker, StyleReachesTheOpenedGrid) {
  TNeoImagePickerDropDown* d = NewListPicker(3);
  const TColor before = d->GetItemAppearance()->GetColorHot();
  d->SetComponentStyle(tsOffice2019White);
  const TColor styled = d->GetItemAppearance()->GetColorHot();
  EXPECT_NE(styled, before);
  Open(d);
  EXPECT_EQ(d->GetItemSelector()->GetItemAppearance()->GetColorHot(), styled);
}
