// The item selector: layout (sizes, columns, colour boxes, scaled captions), selection and hot
// tracking by index, mouse and the Select* operations, the two-pass lookup, scrolling an item into
// view, the appearance presets, and golden pictures of the four layouts in the three presets.
#include "lib/dropdown/NeoItemSelector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Math.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class ItemSelector : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Headless::SetDpi(96);
    Form = NewForm(420, 320);
    Form->SetColor(clWhite);
  }
  void TearDown() override {
    Headless::SetDpi(96);
    UiTest::TearDown();
  }
  TNeoCustomItemSelector* NewSelector(Integer X = 10, Integer Y = 10, Integer W = 160, Integer H = 120) {
    auto* s = new TNeoCustomItemSelector(Form);
    s->SetParent(Form);
    s->SetBounds(X, Y, W, H);
    s->OnItemSelect = [this](TObject*) { ++Selects; };
    return s;
  }
  static void AddItems(TNeoCustomItemSelector* S, std::vector<const char*> Captions) {
    for (const char* c : Captions) S->GetItems()->Add()->SetCaption(UTF8ToString(c));
    S->UpdateSelectorPanel();
  }
  static void FixedItemSize(TNeoCustomItemSelector* S, Integer W, Integer H) {
    S->OnItemSize = [W, H](TObject*, TSize& Size) { Size = TSize{W, H}; };
  }
  void MoveTo(TControl* C, Integer X, Integer Y) {
    TPoint p = ScreenPoint(C, X, Y);
    Headless::MouseMove(p.x, p.y);
    Pump();
  }
  static TPoint CentreOf(TRect R) { return TPoint{(R.left + R.right) / 2, (R.top + R.bottom) / 2}; }

  TForm* Form = nullptr;
  Integer Selects = 0;
};

}  // namespace

TEST_F(ItemSelector, LayoutByCountAndColumns) {
  struct TCase {
    Integer Count, Columns;
    TSize Panel;
    TRect Last;
  };
  // Items of 30 x 20 inside margins of 2.
  const TCase cases[] = {
      {0, 1, {100, 50}, {}},
      {1, 1, {34, 24}, {2, 2, 32, 22}},
      {3, 1, {34, 64}, {2, 42, 32, 62}},
      {7, 3, {94, 64}, {2, 42, 32, 62}},
      {6, 3, {94, 44}, {62, 22, 92, 42}},
      {2, 4, {64, 24}, {32, 2, 62, 22}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Count << " items in " << c.Columns << " columns");
    TNeoCustomItemSelector* s = NewSelector();
    FixedItemSize(s, 30, 20);
    s->SetColumns(c.Columns);
    for (Integer i = 0; i < c.Count; ++i) s->GetItems()->Add()->SetCaption(u"x");
    s->UpdateSelectorPanel();
    EXPECT_EQ(s->GetPanelSize().cx, c.Panel.cx);
    EXPECT_EQ(s->GetPanelSize().cy, c.Panel.cy);
    if (c.Count > 0) {
      EXPECT_EQ(s->GetItemSelectorPanel()->GetItemRect(c.Count - 1), c.Last);
    }
    delete s;
  }
  // Rows of 3, 3 and 1: the third row starts again at the left margin.
  TNeoCustomItemSelector* s = NewSelector();
  FixedItemSize(s, 30, 20);
  s->SetColumns(3);
  AddItems(s, {"a", "b", "c", "d", "e", "f", "g"});
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  EXPECT_EQ(p->GetItemRect(2), (TRect{62, 2, 92, 22}));
  EXPECT_EQ(p->GetItemRect(3), (TRect{2, 22, 32, 42}));
  EXPECT_EQ(p->GetItemRect(7), (TRect{-1, -1, -1, -1}));
  // Columns below 1 are refused.
  s->SetColumns(0);
  EXPECT_EQ(s->GetColumns(), 3);
}

TEST_F(ItemSelector, ItemSizeByLayoutAndScale) {
  // Colour boxes without captions: the box enters the size unscaled at any scale.
  for (Integer dpi : {96, 144}) {
    Headless::SetDpi(dpi);
    for (TItemLayout layout : {ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom}) {
      SCOPED_TRACE(testing::Message() << dpi << " dpi, layout " << layout);
      TNeoCustomItemSelector* s = NewSelector();
      s->SetSelectorType(stColor);
      s->SetItemLayout(layout);
      s->GetItems()->Add()->SetColor(clRed);
      s->UpdateSelectorPanel();
      EXPECT_EQ(s->GetItemSelectorPanel()->GetItemRect(0), (TRect{2, 2, 24, 24}));
      delete s;
    }
  }
  Headless::SetDpi(96);
  // A caption of width TW: left/right items are 4 + box 14 + gap 4 + (TW + 4) + 4 wide; top/bottom
  // items are as high as 4 + box 14 + gap 4 + TH + 4.
  TNeoCustomItemSelector* s = NewSelector();
  s->SetSelectorType(stColor);
  AddItems(s, {"Blue"});
  TBitmap b;
  b.GetCanvas()->GetFont()->Assign(s->GetItemAppearance()->GetFont());
  TSize text = GetTextSize(b.GetCanvas(), u"Blue");
  TRect r = s->GetItemSelectorPanel()->GetItemRect(0);
  EXPECT_EQ(r.right - r.left, 4 + 14 + 4 + text.cx + 4 + 4);
  EXPECT_EQ(r.bottom - r.top, std::max(14, text.cy) + 8);
  s->SetItemLayout(ilCaptionBottom);
  s->UpdateSelectorPanel();
  r = s->GetItemSelectorPanel()->GetItemRect(0);
  EXPECT_EQ(r.right - r.left, std::max(14, text.cx + 4) + 8);
  EXPECT_EQ(r.bottom - r.top, 4 + 14 + 4 + text.cy + 4);
}

TEST_F(ItemSelector, CaptionWidthIsScaledOnce) {
  Headless::SetDpi(144);
  TNeoCustomItemSelector* s = NewSelector();
  AddItems(s, {"A rather long caption"});
  Single scale = DropDownDPIScale(s->GetItemSelectorPanel());
  ASSERT_GT(scale, 1.3F);
  TFont* font = s->GetItemAppearance()->GetFont();
  TBitmap b;
  b.GetCanvas()->GetFont()->Assign(font);
  b.GetCanvas()->GetFont()->SetHeight(static_cast<Integer>(Round(font->GetHeight() * scale)));
  TSize text = GetTextSize(b.GetCanvas(), u"A rather long caption");
  TRect r = s->GetItemSelectorPanel()->GetItemRect(0);
  // No image: 2 x 4 of padding and the caption's width with its allowance of 4.
  EXPECT_EQ(r.right - r.left, 8 + text.cx + 4);
  EXPECT_EQ(r.bottom - r.top, 8 + text.cy);
}

TEST_F(ItemSelector, SelectionByIndexMouseAndSteps) {
  Form->Show();
  TNeoCustomItemSelector* s = NewSelector();
  FixedItemSize(s, 100, 20);
  AddItems(s, {"one", "two", "three", "four"});
  s->GetItems()->GetItems(2)->SetEnabled(false);
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  Pump();
  struct TStep {
    const char* What;
    std::function<void()> Act;
    Integer Index, Selects;
  };
  const TStep steps[] = {
      {"select 1", [&] { s->SetItemIndex(1); }, 1, 1},
      {"the same index fires again", [&] { s->SetItemIndex(1); }, 1, 2},
      {"a disabled item by index", [&] { s->SetItemIndex(2); }, 1, 2},
      {"an index at Count", [&] { s->SetItemIndex(4); }, 1, 2},
      {"an index past Count", [&] { s->SetItemIndex(40); }, 1, 2},
      {"SelectNext stops before a disabled item", [&] { s->SelectNext(); }, 1, 2},
      {"a click on the disabled item", [&] { ClickAt(p, 10, CentreOf(p->GetItemRect(2)).y); }, 1, 2},
      {"a click on item 3", [&] { ClickAt(p, 10, CentreOf(p->GetItemRect(3)).y); }, 3, 3},
      {"SelectNext at the last item", [&] { s->SelectNext(); }, 3, 3},
      {"SelectPrevious onto a disabled item", [&] { s->SelectPrevious(); }, 3, 3},
      {"SelectFirst", [&] { s->SelectFirst(); }, 0, 4},
      {"SelectPrevious at item 0 selects it again", [&] { s->SelectPrevious(); }, 0, 4},
      {"SelectLast", [&] { s->SelectLast(); }, 3, 5},
      {"-1 clears", [&] { s->SetItemIndex(-1); }, -1, 5},
      {"SelectNext with nothing selected", [&] { s->SelectNext(); }, 0, 6},
  };
  for (const TStep& step : steps) {
    step.Act();
    EXPECT_EQ(s->GetItemIndex(), step.Index) << step.What;
    EXPECT_EQ(Selects, step.Selects) << step.What;
  }
}

TEST_F(ItemSelector, EmptySelectorDoesNothing) {
  TNeoCustomItemSelector* s = NewSelector();
  s->SelectFirst();
  s->SelectLast();
  s->SelectNext();
  s->SelectPrevious();
  s->HotNext();
  s->HotPrevious();
  EXPECT_FALSE(s->LookupItem(u"A"));
  EXPECT_EQ(s->GetItemIndex(), -1);
  EXPECT_EQ(s->GetItemHot(), -1);
  EXPECT_EQ(s->GetVisibleItemCount(), 0);
  EXPECT_EQ(Selects, 0);
  EXPECT_THROW({ TCustomItemSelector panel(Form); }, Exception);
}

TEST_F(ItemSelector, HotTrackingHintsAndLeaving) {
  Form->Show();
  TNeoCustomItemSelector* s = NewSelector();
  FixedItemSize(s, 100, 20);
  AddItems(s, {"one", "two", "three"});
  s->GetItems()->GetItems(0)->SetHint(u"first");
  s->GetItems()->GetItems(1)->SetHint(u"second");
  s->GetItems()->GetItems(2)->SetEnabled(false);
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  Pump();
  MoveTo(p, 10, 10);
  EXPECT_EQ(s->GetItemHot(), 0);
  EXPECT_EQ(p->GetHint(), u"first");
  MoveTo(p, 10, 30);
  EXPECT_EQ(s->GetItemHot(), 1);
  EXPECT_EQ(p->GetHint(), u"second");
  MoveTo(p, 10, 50);   // disabled: no hot item
  EXPECT_EQ(s->GetItemHot(), -1);
  MoveTo(p, 10, 30);
  EXPECT_EQ(s->GetItemHot(), 1);
  MoveTo(p, 90, 63);   // the bottom margin: no item
  EXPECT_EQ(s->GetItemHot(), -1);
  MoveTo(p, 10, 10);
  MoveTo(Form, 400, 300);   // leaving the panel
  EXPECT_EQ(s->GetItemHot(), -1);
  // HotNext and HotPrevious: no wrap, no hot disabled item, no selection event.
  s->HotNext();
  EXPECT_EQ(s->GetItemHot(), 0);
  s->HotNext();
  s->HotNext();
  EXPECT_EQ(s->GetItemHot(), 1);
  s->HotPrevious();
  s->HotPrevious();
  EXPECT_EQ(s->GetItemHot(), 0);
  EXPECT_EQ(Selects, 0);
  // A relayout clears the hot item.
  s->UpdateSelectorPanel();
  EXPECT_EQ(s->GetItemHot(), -1);
}

TEST_F(ItemSelector, LookupTwoPasses) {
  struct TCase {
    const char* What;
    std::vector<const char*> Captions;
    std::vector<Integer> Disabled;
    Integer Start;
    const char* Search;
    bool Found;
    Integer Index;
  };
  const TCase cases[] = {
      {"nothing selected: the first match", {"Blue", "Black"}, {}, -1, "B", true, 0},
      {"from the selection on", {"Blue", "Black"}, {}, 0, "B", true, 1},
      {"wraps to the start", {"Blue", "Black"}, {}, 1, "B", true, 0},
      {"markup is matched as plain text", {"Green", "<b>Red</b> wine"}, {}, -1, "RE", true, 1},
      {"leading spaces trimmed", {"  red"}, {}, -1, "RED", true, 0},
      {"S compared as passed", {"Red"}, {}, -1, "re", false, -1},
      {"begins with, not contains", {"Dark red"}, {}, -1, "RED", false, -1},
      {"empty S matches nothing", {"Red"}, {}, -1, "", false, -1},
      {"one item, already selected", {"Red"}, {}, 0, "R", false, 0},
      {"disabled items are not selected", {"Blue", "Black"}, {0}, -1, "BL", true, 1},
      {"a disabled only match", {"Blue", "Red"}, {0}, -1, "BL", false, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    TNeoCustomItemSelector* s = NewSelector();
    AddItems(s, c.Captions);
    if (c.Start >= 0) s->SetItemIndex(c.Start);
    for (Integer d : c.Disabled) s->GetItems()->GetItems(d)->SetEnabled(false);
    EXPECT_EQ(s->LookupItem(UTF8ToString(c.Search)), c.Found);
    EXPECT_EQ(s->GetItemIndex(), c.Index);
    delete s;
  }
  // The cycle of three calls.
  TNeoCustomItemSelector* s = NewSelector();
  AddItems(s, {"Blue", "Black"});
  std::vector<Integer> seen;
  for (int i = 0; i < 3; ++i) {
    s->LookupItem(u"B");
    seen.push_back(s->GetItemIndex());
  }
  EXPECT_EQ(seen, (std::vector<Integer>{0, 1, 0}));
}

TEST_F(ItemSelector, AppearancePresetsAndAssign) {
  TItemAppearance a(nullptr);
  EXPECT_EQ(a.GetColorStyle(), scOffice2007);
  EXPECT_EQ(a.GetColorHot(), static_cast<TColor>(0xD7FFFD));
  EXPECT_EQ(a.GetColorMirrorSelectedTo(), static_cast<TColor>(0x68E3F9));
  EXPECT_EQ(a.GetFont()->GetName(), u"Tahoma");
  EXPECT_EQ(a.GetBorderColorHot(), clNone);
  EXPECT_EQ(a.GetColorHotText(), static_cast<TColor>(0));
  a.SetColorStyle(scWindows7);
  EXPECT_EQ(a.GetBorderColor(), static_cast<TColor>(0xCEA27D));
  EXPECT_EQ(a.GetColorMirrorHot(), clNone);
  a.SetColorHot(clRed);
  a.SetColorStyle(scCustom);   // keeps the colours
  EXPECT_EQ(a.GetColorHot(), clRed);
  EXPECT_EQ(a.GetColorSelected(), static_cast<TColor>(0xF9D8B9));
  // Assign copies the colours, then the source's style replaces them when the styles differ.
  TItemAppearance vista(nullptr);
  vista.SetColorStyle(scWindowsVista);
  vista.SetColorHotText(clBlue);
  a.Assign(&vista);
  EXPECT_EQ(a.GetColorStyle(), scWindowsVista);
  EXPECT_EQ(a.GetColorHot(), static_cast<TColor>(0xFDF8F1));
  EXPECT_EQ(a.GetColorHotText(), clBlue);
  TItemAppearance custom(nullptr);
  custom.SetColorStyle(scCustom);
  custom.SetColorHot(clLime);
  a.Assign(&custom);
  EXPECT_EQ(a.GetColorHot(), clLime);
  Integer changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetEdgeColor(clGreen);
  a.SetEdgeColor(clGreen);
  a.GetFont()->SetSize(12);
  EXPECT_EQ(changes, 2);
}

// A caption's size is kept from one layout to the next only while its font stays: a bigger font,
// another style or another resolution measures it again.
TEST_F(ItemSelector, KeptCaptionSizesFollowTheFont) {
  TNeoCustomItemSelector* s = NewSelector();
  AddItems(s, {"A caption of some length", "<B>Bold</B> markup"});
  const TSize plain = s->GetPanelSize();
  s->UpdateSelectorPanel();
  EXPECT_EQ(s->GetPanelSize().cx, plain.cx);
  TFont* font = s->GetItemAppearance()->GetFont();
  font->SetSize(font->GetSize() + 4);
  s->UpdateSelectorPanel();
  const TSize bigger = s->GetPanelSize();
  EXPECT_GT(bigger.cx, plain.cx);
  EXPECT_GT(bigger.cy, plain.cy);
  font->SetStyle(TFontStyles{fsBold});
  s->UpdateSelectorPanel();
  EXPECT_GT(s->GetPanelSize().cx, bigger.cx);
  // The same font again gives the first sizes back.
  font->SetStyle(TFontStyles{});
  font->SetSize(font->GetSize() - 4);
  s->UpdateSelectorPanel();
  EXPECT_EQ(s->GetPanelSize().cx, plain.cx);
  EXPECT_EQ(s->GetPanelSize().cy, plain.cy);
}

TEST_F(ItemSelector, ItemChangesRelayoutAndAssign) {
  TNeoCustomItemSelector* s = NewSelector();
  AddItems(s, {"a"});
  Integer narrow = s->GetPanelSize().cx;
  s->GetItems()->GetItems(0)->SetCaption(u"a much longer caption");
  Integer wide = s->GetPanelSize().cx;
  EXPECT_GT(wide, narrow);
  // Inside an update the layout waits for its end.
  s->GetItems()->BeginUpdate();
  s->GetItems()->GetItems(0)->SetCaption(u"an even much longer caption than before");
  EXPECT_EQ(s->GetPanelSize().cx, wide);
  s->GetItems()->EndUpdate();
  EXPECT_GT(s->GetPanelSize().cx, wide);
  TSelectorItems copy(nullptr);
  TSelectorItem* src = copy.Add();
  src->SetCaption(u"c");
  src->SetColor(clRed);
  src->SetEnabled(false);
  src->SetHint(u"h");
  TSelectorItem* dst = s->GetItems()->GetItems(0);
  dst->Assign(src);
  EXPECT_EQ(dst->GetCaption(), u"c");
  EXPECT_EQ(dst->GetColor(), clRed);
  EXPECT_FALSE(dst->GetEnabled());
  EXPECT_EQ(dst->GetHint(), u"h");
}

TEST_F(ItemSelector, ScrollsItemsIntoView) {
  Form->Show();
  TNeoCustomItemSelector* s = NewSelector(10, 10, 160, 100);
  FixedItemSize(s, 100, 20);
  for (Integer i = 0; i < 50; ++i) s->GetItems()->Add()->SetCaption(u"item");
  s->UpdateSelectorPanel();
  Pump();
  TControlScrollBar* bar = s->GetVertScrollBar();
  ASSERT_TRUE(bar->IsScrollBarVisible());
  EXPECT_EQ(s->GetVisibleItemCount(), 5);
  s->SetItemIndex(20);
  // Item 20 spans 402..422 on the panel: its bottom lands on the client's bottom.
  Integer clientHeight = s->GetClientHeight();
  EXPECT_EQ(bar->GetPosition(), 422 - clientHeight);
  s->SetItemIndex(3);
  EXPECT_EQ(bar->GetPosition(), 62);
  // The last item's bottom (1002) at the client's bottom; the panel's margin below stays hidden.
  s->SelectLast();
  EXPECT_EQ(bar->GetPosition(), 1002 - clientHeight);
  EXPECT_EQ(bar->GetMaxPosition(), 1004 - clientHeight);
  // Item 0's top (2) at the client's top.
  s->SelectFirst();
  EXPECT_EQ(bar->GetPosition(), 2);
  // The thumb dragged: the panel follows at once.
  SendMessage(s->GetHandle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 200), 0);
  EXPECT_EQ(bar->GetPosition(), 200);
  EXPECT_EQ(s->GetItemSelectorPanel()->GetTop(), -200);
  // The wheel scrolls through the class library's handling.
  TPoint c = ScreenPoint(s, 50, 50);
  Headless::Wheel(c.x, c.y, -1);
  Pump();
  EXPECT_GT(bar->GetPosition(), 200);
  EXPECT_EQ(SendMessage(s->GetHandle(), WM_GETDLGCODE, 0, 0), 5);
}

namespace {

// Four selectors in one form, one per layout, with an image list, a picture and colour boxes.
class ItemSelectorPictures : public ItemSelector {
protected:
  void SetUp() override {
    ItemSelector::SetUp();
    Images = new TImageList(Form);
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(32, 16);
    bmp.GetCanvas()->GetBrush()->SetColor(clTeal);
    bmp.GetCanvas()->FillRect(TRect{0, 0, 16, 16});
    bmp.GetCanvas()->GetBrush()->SetColor(clPurple);
    bmp.GetCanvas()->FillRect(TRect{16, 0, 32, 16});
    Images->Add(&bmp, nullptr);
  }
  TNeoCustomItemSelector* LayoutSelector(TItemLayout Layout, Integer X, Integer Y, TSelectionColorStyle Style,
                                         bool Colors) {
    TNeoCustomItemSelector* s = NewSelector(X, Y, 200, 150);
    s->SetItemLayout(Layout);
    s->GetItemAppearance()->SetColorStyle(Style);
    s->SetColumns(Layout == ilCaptionTop || Layout == ilCaptionBottom ? 3 : 1);
    if (Colors) s->SetSelectorType(stColor);
    else s->SetImages(Images);
    const char* captions[] = {"Teal", "<b>Purple</b>", "Red <i>wine</i>", "Off"};
    const TColor colors[] = {clTeal, clPurple, clRed, clGray};
    for (Integer i = 0; i < 4; ++i) {
      TSelectorItem* it = s->GetItems()->Add();
      it->SetCaption(UTF8ToString(captions[i]));
      it->SetColor(colors[i]);
      it->SetImageIndex(i % 2);
    }
    s->GetItems()->GetItems(3)->SetEnabled(false);
    s->UpdateSelectorPanel();
    return s;
  }
  void Compose(TSelectionColorStyle Style) {
    const TItemLayout layouts[] = {ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom};
    for (Integer i = 0; i < 4; ++i) {
      TNeoCustomItemSelector* s = LayoutSelector(layouts[i], 5 + (i % 2) * 205, 5 + (i / 2) * 155, Style, i % 2 == 1);
      s->SetItemIndex(0);
      s->GetItemSelectorPanel()->SetItemHot(1);
      Pump();
    }
  }
  TImageList* Images = nullptr;
};

}  // namespace

TEST_F(ItemSelectorPictures, FourLayoutsInThreeStyles) {
  Form->SetClientWidth(415);
  Form->SetClientHeight(315);
  Form->Show();
  const struct {
    TSelectionColorStyle Style;
    const char* Name;
  } styles[] = {{scOffice2007, "item_selector_office2007.png"},
                {scWindowsVista, "item_selector_vista.png"},
                {scWindows7, "item_selector_windows7.png"}};
  for (const auto& st : styles) {
    SCOPED_TRACE(st.Name);
    while (Form->GetComponentCount() > 1) delete Form->GetComponents(Form->GetComponentCount() - 1);
    Compose(st.Style);
    ExpectWindowMatchesGolden(Form->GetHandle(), std::string(ZELK_TEST_DATA) + "/" + st.Name, st.Name);
  }
}

TEST_F(ItemSelectorPictures, CustomItemDrawingKeepsTheBackgrounds) {
  Form->Show();
  TNeoCustomItemSelector* s = LayoutSelector(ilCaptionRight, 5, 5, scWindows7, false);
  Integer drawn = 0;
  s->OnDrawItem = [&](TObject*, TCanvas*, TRect, Integer) { ++drawn; };
  s->SetItemIndex(0);
  Form->Repaint();
  Pump();
  EXPECT_GE(drawn, 4);
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  TRect r = p->GetItemRect(0);
  TPoint c = CentreOf(r);
  // The selected background is painted; no image and no caption are drawn over it.
  TColor inside = p->GetCanvas()->GetPixels(r.left + 3, c.y);
  EXPECT_NE(ColorToRGB(inside), ColorToRGB(clWindow));
  EXPECT_EQ(ColorToRGB(p->GetCanvas()->GetPixels(r.left + 8, c.y)), ColorToRGB(inside));
}

TEST_F(ItemSelectorPictures, ColourBoxDrawnScaledAndCaptionBelowIt) {
  Headless::SetDpi(144);
  Form->Show();
  TNeoCustomItemSelector* s = LayoutSelector(ilCaptionBottom, 5, 5, scOffice2007, true);
  Pump();
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  Single scale = DropDownDPIScale(p);
  Integer box = static_cast<Integer>(Round(14 * scale));
  TRect r = p->GetItemRect(0);
  // The box is centred in the item's width at its top padding; teal inside, black frame.
  Integer left = r.left + 4 + (r.right - r.left - 8 - box) / 2, top = r.top + 4;
  TCanvas* c = p->GetCanvas();
  EXPECT_EQ(ColorToRGB(c->GetPixels(left, top)), ColorToRGB(clBlack));
  EXPECT_EQ(ColorToRGB(c->GetPixels(left + box - 1, top + box - 1)), ColorToRGB(clBlack));
  EXPECT_EQ(ColorToRGB(c->GetPixels(left + box / 2, top + box / 2)), ColorToRGB(clTeal));
  EXPECT_NE(ColorToRGB(c->GetPixels(left + box, top + box / 2)), ColorToRGB(clBlack));
  // No caption ink in the gap between the box and the caption.
  for (Integer x = r.left + 4; x < r.right - 4; ++x)
    for (Integer y = top + box; y < top + box + 4; ++y)
      EXPECT_EQ(ColorToRGB(c->GetPixels(x, y)), ColorToRGB(c->GetPixels(r.left + 4, top + box))) << x << "," << y;
}

TEST_F(ItemSelectorPictures, ThousandItemsScrolledTo900) {
  Form->Show();
  TNeoCustomItemSelector* s = NewSelector(10, 10, 200, 180);
  s->GetItems()->BeginUpdate();
  for (Integer i = 0; i < 1000; ++i) s->GetItems()->Add()->SetCaption(u"Item <b>" + IntToStr(i) + u"</b>");
  s->GetItems()->EndUpdate();
  s->UpdateSelectorPanel();
  s->SetItemIndex(900);
  Pump();
  TCustomItemSelector* p = s->GetItemSelectorPanel();
  TRect r = p->GetItemRect(900);
  Integer top = r.top + p->GetTop();
  EXPECT_GE(top, 0);
  EXPECT_LE(r.bottom + p->GetTop(), s->GetClientHeight());
  ExpectWindowMatchesGolden(s->GetHandle(), std::string(ZELK_TEST_DATA) + "/item_selector_900.png",
                            "item_selector_900.png");
}
