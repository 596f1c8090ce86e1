// The dropdown edit: defaults, the drop button holder, the edit's formatting rectangle at three
// resolutions, the minimum height, the label's fifteen positions, the content control, Assign,
// removal of referenced components, the published defaults and a screenshot.
#include "lib/dropdown/NeoDropDown.h"

#include <gtest/gtest.h>

#include <string>

#include "lib/dropdown/NeoDropDownForm.h"
#include "lib/dropdown/NeoDropDownUtils.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/TypInfo.h"
#include "platform/ui/Filer.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/testsupport/UiTestSupport.h"
#include "platform/win/Surface.h"

namespace {

// Opens the protected state the popup's life cycle would set, and records the wheel hooks.
class TProbeDropDown : public TNeoDropDown {
public:
  using TNeoDropDown::TNeoDropDown;
  using TNeoCustomDropDown::SetControl;
  using TNeoCustomDropDown::SetSelectionColorStyle;
  void SetUserSize(Integer W, Integer H) {
    FUserDropDownWidth = W;
    FUserDropDownHeight = H;
  }
  bool IsDesign() const { return IsDesignTime(); }
  Integer WheelDowns = 0, WheelUps = 0;

protected:
  void DoDropDownWheelDown() override { ++WheelDowns; }
  void DoDropDownWheelUp() override { ++WheelUps; }
};

// An owner in design mode, as a form designer holds one.
class TDesignOwner : public TComponent {
public:
  TDesignOwner() : TComponent(nullptr) { SetDesigning(true); }
};

class DropDownEdit : public UiTest {
protected:
  void TearDown() override {
    Headless::SetDpi(96);
    UiTest::TearDown();
  }
  static TProbeDropDown* AddDropDown(TWinControl* Parent, Integer X, Integer Y, Integer W = 120) {
    auto* d = new TProbeDropDown(Parent);
    d->SetParent(Parent);
    d->SetBounds(X, Y, W, 21);
    d->HandleNeeded();
    return d;
  }
  static TRect FormatRect(TNeoCustomDropDown* D) {
    TRect r{};
    D->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
};

Integer R(Double V) { return static_cast<Integer>(Round(V)); }

// Whether a writer of published properties writes the property: stored, and not at its default.
bool Written(TObject* Instance, const char* Name) {
  PPropInfo info = GetPropInfo(Instance, UTF8ToString(Name));
  if (!info || !IsStoredProp(Instance, info)) return false;
  return !(info->HasDefault && GetOrdProp(Instance, info) == info->Default);
}

}  // namespace

TEST_F(DropDownEdit, NewControlDefaults) {
  TProbeDropDown d(nullptr);
  EXPECT_EQ(d.GetWidth(), 200);
  EXPECT_EQ(d.GetHeight(), 21);
  EXPECT_EQ(d.GetText(), u"");
  EXPECT_EQ(d.GetDropDownButtonWidth(), 17);
  EXPECT_TRUE(d.GetEditorEnabled());
  EXPECT_TRUE(d.GetControlStyle().Contains(csDoubleClicks));
  EXPECT_FALSE(d.GetControlStyle().Contains(csSetCaption));
  EXPECT_EQ(d.GetVersion(), u"1.5.5.6");
  d.SetVersion(u"9.9.9.9");
  EXPECT_EQ(d.GetVersion(), u"1.5.5.6");
  EXPECT_EQ(d.GetDPIScale(), 1.0F);
  EXPECT_EQ(d.GetDropDownColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(d.GetDropDownColorTo(), clNone);
  EXPECT_EQ(d.GetDropDownBorderColor(), 0);
  EXPECT_EQ(d.GetDropDownBorderWidth(), 1);
  EXPECT_TRUE(d.GetDropDownShadow());
  EXPECT_TRUE(d.GetDropDownSizeable());
  EXPECT_TRUE(d.GetDropDownEnabled());
  EXPECT_EQ(d.GetDropPosition(), dpAuto);
  EXPECT_EQ(d.GetDropDownGradient(), gdHorizontal);
  EXPECT_EQ(d.GetBorderColor(), clNone);
  EXPECT_EQ(d.GetFocusBorderColor(), clNone);
  EXPECT_TRUE(d.GetDisabledBorder());
  EXPECT_EQ(d.GetUserDropDownWidth(), -1);
  EXPECT_EQ(d.GetUserDropDownHeight(), -1);
  EXPECT_EQ(d.GetEditType(), etString);
  EXPECT_TRUE(d.GetCanUndo());
  EXPECT_TRUE(d.GetAutoThousandSeparator());
  EXPECT_TRUE(d.GetFocusDraw());
  EXPECT_TRUE(d.GetDefaultHandling());
  EXPECT_EQ(d.GetSelectionColorStyle(), scCustom);
  EXPECT_EQ(d.GetSelectionColor(), 0);
  EXPECT_EQ(d.GetComponentStyle(), tsCustom);
  EXPECT_EQ(d.GetLabelFont()->GetHeight(), -11);
  EXPECT_EQ(d.GetLabelMargin(), 4);
  EXPECT_EQ(d.GetLabelPosition(), lpLeftTop);
  EXPECT_EQ(d.GetLabel(), nullptr);
  EXPECT_EQ(d.GetLabelCaption(), u"");
  EXPECT_FALSE(d.GetDroppedDown());
  EXPECT_FALSE(d.IsDesign());
  // The holder starts 16 wide while the property reads 17; it follows a different value.
  ASSERT_NE(d.GetButton(), nullptr);
  EXPECT_EQ(d.GetButton()->GetParent(), &d);
  EXPECT_EQ(d.GetButton()->GetWidth(), 16);
  EXPECT_EQ(d.GetButton()->GetFocusControl(), &d);
  EXPECT_EQ(d.GetButton()->GetButton()->GetButtonStyle(), bsDropDown);
  d.SetDropDownButtonWidth(17);
  EXPECT_EQ(d.GetButton()->GetWidth(), 16);
  d.SetDropDownButtonWidth(22);
  EXPECT_EQ(d.GetButton()->GetWidth(), 22);
  EXPECT_EQ(d.GetDropDownButtonWidth(), 22);
  d.SetDropDownButtonHint(u"Öffnen");
  EXPECT_EQ(d.GetButton()->GetHint(), u"Öffnen");
  EXPECT_TRUE(d.GetButton()->GetShowHint());
  d.SetDropDownEnabled(false);
  EXPECT_FALSE(d.GetButton()->GetEnabled());
  d.SetEditorEnabled(false);
  EXPECT_FALSE(d.GetControlStyle().Contains(csDoubleClicks));
  // The selection presets, and a colour set by hand returning the look to scCustom.
  d.SetSelectionColorStyle(scWindows7);
  EXPECT_EQ(d.GetSelectionColor(), static_cast<TColor>(0xFCEBDC));
  EXPECT_EQ(d.GetSelectionColorTo(), static_cast<TColor>(0xFCDBC1));
  d.SetSelectionColor(clRed);
  EXPECT_EQ(d.GetSelectionColorStyle(), scCustom);
  EXPECT_EQ(d.GetSelectionColorTo(), static_cast<TColor>(0xFCDBC1));
}

TEST_F(DropDownEdit, DesignTimeStartsWithTheWindows7Selection) {
  TDesignOwner owner;
  auto* d = new TProbeDropDown(&owner);
  EXPECT_TRUE(d->IsDesign());
  EXPECT_EQ(d->GetSelectionColorStyle(), scWindows7);
  EXPECT_EQ(d->GetSelectionColor(), static_cast<TColor>(0xFCEBDC));
  EXPECT_EQ(d->GetButton()->GetColor(), clBtnFace);
}

TEST_F(DropDownEdit, PopupSizeRequestsForgetTheUserSizeOnlyWhenChanged) {
  TProbeDropDown d(nullptr);
  d.SetUserSize(300, 200);
  d.SetDropDownWidth(0);
  d.SetDropDownHeight(0);
  EXPECT_EQ(d.GetUserDropDownWidth(), 300);
  EXPECT_EQ(d.GetUserDropDownHeight(), 200);
  d.SetDropDownHeight(-5);
  EXPECT_EQ(d.GetDropDownHeight(), 0);
  EXPECT_EQ(d.GetUserDropDownHeight(), 200);
  d.SetDropDownWidth(250);
  EXPECT_EQ(d.GetUserDropDownWidth(), -1);
  EXPECT_EQ(d.GetUserDropDownHeight(), 200);
  // A sizeable popup reports its own size; the requests count only for a fixed one.
  d.GetDropDownForm()->SetBounds(0, 0, 90, 70);
  EXPECT_EQ(d.GetDropDownSize(), (TSize{90, 70}));
  d.SetDropDownSizeable(false);
  EXPECT_EQ(d.GetDropDownSize(), (TSize{0, 0}));   // one of the two is still automatic
  d.SetDropDownHeight(120);
  EXPECT_EQ(d.GetUserDropDownHeight(), -1);
  EXPECT_EQ(d.GetDropDownSize(), (TSize{250, 120}));
  d.SetUserSize(1, 2);
  d.ResetDropDownSize();
  EXPECT_EQ(d.GetUserDropDownWidth(), -1);
  EXPECT_EQ(d.GetUserDropDownHeight(), -1);
}

TEST_F(DropDownEdit, FormattingRectangleAtThreeResolutions) {
  struct TCase { Integer Dpi; TBorderStyle Border; bool Ctl3D; };
  const TCase cases[] = {
      {96, bsSingle, true}, {96, bsNone, true}, {96, bsSingle, false}, {120, bsSingle, true}, {120, bsNone, true},
      {120, bsSingle, false}, {144, bsSingle, true}, {144, bsNone, true}, {144, bsSingle, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.Dpi) + (c.Border == bsNone ? " borderless" : " bordered") + (c.Ctl3D ? "" : " Ctl3D off"));
    Headless::SetDpi(c.Dpi);
    TForm* form = NewForm();
    TProbeDropDown* d = AddDropDown(form, 10, 10);
    d->SetBorderStyle(c.Border);
    d->SetCtl3D(c.Ctl3D);
    d->SetBounds(10, 10, 120, 30);
    const Single scale = DropDownDPIScale(d);
    EXPECT_EQ(d->GetDPIScale(), scale);
    const Double s = scale;
    const TRect want{c.Border == bsNone ? R(2 * s) : R(s), c.Border == bsNone ? R(3 * s) : R(s),
                     d->GetClientWidth() - d->GetButton()->GetWidth() - 3, d->GetClientHeight() + 1};
    EXPECT_EQ(d->GetEditRect(), want);
    // Ctl3D off moves the text right by a scaled pixel in the edit only, not in FEditRect.
    TRect applied = want;
    if (!c.Ctl3D) applied.left += R(s);
    EXPECT_EQ(FormatRect(d), applied);
    // Without Ctl3D the sunken edge becomes a flat border.
    const LONG_PTR style = GetWindowLongPtr(d->GetHandle(), GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtr(d->GetHandle(), GWL_EXSTYLE);
    EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, c.Border == bsSingle && c.Ctl3D);
    EXPECT_EQ((style & WS_BORDER) != 0, c.Border == bsSingle && !c.Ctl3D);
    EXPECT_NE(style & WS_CLIPCHILDREN, 0);
    EXPECT_NE(style & ES_MULTILINE, 0);
    delete form;
  }
  // Halves round to even: 1.5 gives 2, 2.5 gives 2.
  EXPECT_EQ(R(1.5), 2);
  EXPECT_EQ(R(2.5), 2);
}

TEST_F(DropDownEdit, ButtonPlacementAndMinimumHeight) {
  struct TCase { TBorderStyle Border; bool Flat; Integer Less; };
  const TCase cases[] = {{bsSingle, false, 4}, {bsNone, false, 2}, {bsSingle, true, 3}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Border == bsNone ? "borderless" : "bordered") + (c.Flat ? " flat" : ""));
    TForm* form = NewForm();
    TProbeDropDown* d = AddDropDown(form, 10, 10);
    d->SetBorderStyle(c.Border);
    d->SetFlat(c.Flat);
    d->GetFont()->SetSize(20);
    d->SetHeight(22);   // too low for the font: the edit grows to its minimum height
    const Integer minHeight = d->GetMinHeight();
    EXPECT_GT(minHeight, 21);
    EXPECT_EQ(d->GetHeight(), minHeight);
    TDropDownEditButton* b = d->GetButton();
    EXPECT_EQ(b->GetWidth(), 16);
    EXPECT_EQ(b->GetButton()->GetWidth(), 16);
    if (c.Border == bsNone) {
      // Without a border or bevel: one pixel in from the top, the edit's right end.
      EXPECT_EQ(b->GetHeight(), minHeight - 2);
      EXPECT_EQ(b->GetTop(), 1);
      EXPECT_EQ(b->GetLeft(), 120 - 16);
    } else {
      EXPECT_EQ(b->GetHeight(), minHeight - c.Less);
      EXPECT_EQ(b->GetTop(), c.Flat ? 2 : 0);
      EXPECT_EQ(b->GetLeft(), 120 - 16 - c.Less);
    }
    delete form;
  }
  // A bevel counts as a border.
  TForm* form = NewForm();
  TProbeDropDown* d = AddDropDown(form, 10, 10);
  d->SetBorderStyle(bsNone);
  d->SetBevelKind(bkFlat);
  d->SetHeight(40);
  EXPECT_EQ(d->GetButton()->GetHeight(), 36);
  EXPECT_EQ(d->GetEditRect().left, 1);
}

TEST_F(DropDownEdit, LabelPositions) {
  TForm* form = NewForm(400, 300);
  TProbeDropDown* d = AddDropDown(form, 150, 120, 100);
  d->SetLabelCaption(u"Lieferant");
  TLabel* label = d->GetLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->GetParent(), form);
  EXPECT_EQ(label->GetFocusControl(), d);
  EXPECT_EQ(d->GetLabelCaption(), u"Lieferant");
  const Integer m = d->GetLabelMargin();
  struct TCase { TLabelPosition Pos; const char* Name; };
  const TCase cases[] = {
      {lpLeftTop, "lpLeftTop"},           {lpLeftCenter, "lpLeftCenter"},   {lpLeftBottom, "lpLeftBottom"},
      {lpTopLeft, "lpTopLeft"},           {lpBottomLeft, "lpBottomLeft"},   {lpLeftTopLeft, "lpLeftTopLeft"},
      {lpLeftCenterLeft, "lpLeftCenterLeft"}, {lpLeftBottomLeft, "lpLeftBottomLeft"}, {lpTopCenter, "lpTopCenter"},
      {lpBottomCenter, "lpBottomCenter"}, {lpRightTop, "lpRightTop"},   {lpRightCenter, "lpRightCenter"},
      {lpRighBottom, "lpRighBottom"},     {lpTopRight, "lpTopRight"},       {lpBottomRight, "lpBottomRight"},
  };
  for (const char* caption : {"Lieferant", "Ein sehr langer Beschriftungstext"}) {
    d->SetLabelCaption(UTF8ToString(caption));
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(caption) + " " + c.Name);
      d->SetLabelPosition(c.Pos);
      const Integer lw = label->GetWidth(), lh = label->GetHeight();
      const Integer l = 150, t = 120, w = 100, h = d->GetHeight();
      const Integer centre = t + (h - lh) / 2;   // the label is lower than the edit
      const Integer centred = w > lw ? l + (w - lw) / 2 : l - (lw - w) / 2;
      const TPoint want[] = {
          {l - lw - m, t}, {l - lw - m, centre}, {l - lw - m, t + h - lh}, {l, t - lh - m}, {l, t + h + m},
          {l - m, t}, {l - m, centre}, {l - m, t + h - lh}, {centred, t - lh - m}, {centred, t + h + m},
          {l + w + m, t}, {l + w + m, centre}, {l + w + m, t + h - lh}, {l + w - lw, t - lh - m}, {l + w - lw, t + h + m},
      };
      EXPECT_EQ(label->GetLeft(), want[c.Pos].x);
      EXPECT_EQ(label->GetTop(), want[c.Pos].y);
    }
  }
  // A label wider than the edit, centred over it, sticks out on both sides.
  d->SetLabelPosition(lpTopCenter);
  EXPECT_LT(label->GetLeft(), 150);
  EXPECT_GT(label->GetLeft() + label->GetWidth(), 250);
  // The label moves with the edit and follows its visibility.
  d->SetLabelPosition(lpLeftTop);
  d->SetBounds(200, 50, 100, 21);
  EXPECT_EQ(label->GetLeft(), 200 - label->GetWidth() - m);
  EXPECT_EQ(label->GetTop(), 50);
  d->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  d->SetVisible(true);
  EXPECT_TRUE(label->GetVisible());
  // Clicks on the label reach the dropdown's events.
  form->Show();
  Integer clicks = 0;
  d->OnLabelClick = [&](TObject* Sender) { clicks += Sender == d; };
  ClickAt(label, 2, 2);
  EXPECT_EQ(clicks, 1);
}

TEST_F(DropDownEdit, ContentControlSizeAtNinetySixDpi) {
  TForm* form = NewForm();
  TProbeDropDown* d = AddDropDown(form, 10, 10, 200);
  auto* wide = new TPanel(form);
  wide->SetBounds(0, 0, 260, 140);
  d->SetControl(wide);
  EXPECT_EQ(d->GetControl(), wide);
  EXPECT_EQ(d->GetOriginalControlSize(), (TSize{260, 140}));
  EXPECT_FALSE(wide->GetVisible());   // hidden until the popup shows it
  // Narrower than the edit with an automatic popup width: the edit's width less a scroll bar.
  auto* narrow = new TPanel(form);
  narrow->SetBounds(0, 0, 80, 60);
  narrow->SetAlign(alClient);
  d->SetControl(narrow);
  EXPECT_EQ(wide->GetAlign(), alNone);
  EXPECT_EQ(d->GetOriginalControlSize(), (TSize{200 - GetSystemMetricsForDpi(SM_CXVSCROLL, 96), 60}));
  d->SetControl(d);   // the edit itself is refused
  EXPECT_EQ(d->GetControl(), narrow);
  d->SetDropDownWidth(150);
  auto* third = new TPanel(form);
  third->SetBounds(0, 0, 80, 60);
  d->SetControl(third);
  EXPECT_EQ(d->GetOriginalControlSize(), (TSize{80, 60}));
  d->SetDropDownSizeable(false);
  EXPECT_EQ(d->GetDropDownSize(), (TSize{80, 60}));
}

TEST_F(DropDownEdit, RemovingReferencedComponentsClearsThem) {
  TForm* form = NewForm();
  TProbeDropDown* d = AddDropDown(form, 10, 10);
  auto* images = new TImageList(form);
  auto* content = new TPanel(form);
  auto* focus = new TEdit(form);
  d->SetImages(images);
  d->SetControl(content);
  d->SetFocusControl(focus);
  delete images;
  delete content;
  delete focus;
  EXPECT_EQ(d->GetImages(), nullptr);
  EXPECT_EQ(d->GetControl(), nullptr);
  EXPECT_EQ(d->GetFocusControl(), nullptr);
  // Also when the referenced component lives elsewhere (free notification).
  TImageList outside(nullptr);
  d->SetImages(&outside);
  auto* other = new TImageList(nullptr);
  d->SetImages(other);
  delete other;
  EXPECT_EQ(d->GetImages(), nullptr);
}

TEST_F(DropDownEdit, AssignCopiesTheListedFieldsOnly) {
  TForm* form = NewForm();
  TProbeDropDown* src = AddDropDown(form, 10, 10);
  TProbeDropDown* dst = AddDropDown(form, 10, 50);
  TImageList images(nullptr);
  src->SetText(u"Quelle");
  src->SetLabelCaption(u"Etikett");
  src->OnDropDown = [](TObject*, bool&) {};
  src->SetFocusDraw(false);
  src->SetForceShadow(true);
  src->SetDropDownEnabled(false);
  src->SetDropDownColor(clYellow);
  src->SetDropDownColorTo(clRed);
  src->SetDropDownGradient(gdVertical);
  src->SetDropDownBorderColor(clBlue);
  src->SetDropDownBorderWidth(3);
  src->SetDropDownShadow(false);
  src->SetDropDownWidth(333);
  src->SetDropDownHeight(222);
  src->SetDropDownSizeable(false);
  src->SetEditType(etMoney);
  src->SetReturnIsTab(true);
  src->SetLengthLimit(7);
  src->SetPrecision(2);
  src->SetPrefix(u"€ ");
  src->SetSuffix(u" netto");
  src->SetDefaultHandling(false);
  src->SetCanUndo(false);
  src->SetExcelStyleDecimalSeparator(true);
  src->SetValidChars(u"0123");
  src->SetSigned(true);
  src->SetAutoThousandSeparator(false);
  src->GetButtonAppearance()->SetColorHot(clLime);
  src->GetDropDownHeader()->SetCaption(u"Kopf");
  src->GetDropDownFooter()->SetCaption(u"Fuß");
  src->SetDropPosition(dpUp);
  src->SetFlat(true);
  src->SetDropDownButtonWidth(25);
  src->SetDropDownButtonHint(u"Hinweis");
  src->SetEditorEnabled(false);
  src->SetDropDownButtonCaption(u"…");
  src->SetImages(&images);
  src->SetSelectionColorStyle(scOffice2007);
  src->SetBorderColor(clGreen);
  src->SetEmptyText(u"leer");

  dst->Assign(src);
  EXPECT_FALSE(dst->GetFocusDraw());
  EXPECT_TRUE(dst->GetForceShadow());
  EXPECT_FALSE(dst->GetDropDownEnabled());
  EXPECT_EQ(dst->GetDropDownColor(), clYellow);
  EXPECT_EQ(dst->GetDropDownColorTo(), clRed);
  EXPECT_EQ(dst->GetDropDownGradient(), gdVertical);
  EXPECT_EQ(dst->GetDropDownBorderColor(), clBlue);
  EXPECT_EQ(dst->GetDropDownBorderWidth(), 3);
  EXPECT_FALSE(dst->GetDropDownShadow());
  EXPECT_EQ(dst->GetDropDownWidth(), 333);
  EXPECT_EQ(dst->GetDropDownHeight(), 222);
  EXPECT_FALSE(dst->GetDropDownSizeable());
  EXPECT_EQ(dst->GetEditType(), etMoney);
  EXPECT_TRUE(dst->GetReturnIsTab());
  EXPECT_EQ(dst->GetLengthLimit(), 7);
  EXPECT_EQ(dst->GetPrecision(), 2);
  EXPECT_EQ(dst->GetPrefix(), u"€ ");
  EXPECT_EQ(dst->GetSuffix(), u" netto");
  EXPECT_FALSE(dst->GetDefaultHandling());
  EXPECT_FALSE(dst->GetCanUndo());
  EXPECT_TRUE(dst->GetExcelStyleDecimalSeparator());
  EXPECT_EQ(dst->GetValidChars(), u"0123");
  EXPECT_TRUE(dst->GetSigned());
  EXPECT_FALSE(dst->GetAutoThousandSeparator());
  EXPECT_EQ(dst->GetButtonAppearance()->GetColorHot(), clLime);
  EXPECT_EQ(dst->GetDropDownHeader()->GetCaption(), u"Kopf");
  EXPECT_EQ(dst->GetDropDownFooter()->GetCaption(), u"Fuß");
  EXPECT_EQ(dst->GetDropPosition(), dpUp);
  EXPECT_TRUE(dst->GetFlat());
  EXPECT_EQ(dst->GetDropDownButtonWidth(), 25);
  EXPECT_EQ(dst->GetButton()->GetWidth(), 25);
  EXPECT_EQ(dst->GetDropDownButtonHint(), u"Hinweis");
  EXPECT_FALSE(dst->GetEditorEnabled());
  EXPECT_EQ(dst->GetDropDownButtonCaption(), u"…");
  EXPECT_EQ(dst->GetImages(), &images);
  EXPECT_EQ(dst->GetSelectionColorStyle(), scOffice2007);
  EXPECT_EQ(dst->GetSelectionColor(), static_cast<TColor>(0xD7FFFD));
  EXPECT_EQ(dst->GetSelectionColorTo(), static_cast<TColor>(0x58D4FC));
  // Not copied: text, label, events, and what Assign does not list.
  EXPECT_EQ(dst->GetText(), u"");
  EXPECT_EQ(dst->GetLabel(), nullptr);
  EXPECT_FALSE(dst->OnDropDown);
  EXPECT_EQ(dst->GetBorderColor(), clNone);
  EXPECT_EQ(dst->GetEmptyText(), u"");
  // Anything else is ignored without an exception.
  TFont font;
  dst->Assign(&font);
  EXPECT_EQ(dst->GetDropDownWidth(), 333);
  dst->SetImages(nullptr);
}

TEST_F(DropDownEdit, WheelOverTheEditReachesTheDropDownHooks) {
  TForm* form = NewForm();
  TProbeDropDown* d = AddDropDown(form, 10, 10);
  form->Show();
  d->SetFocus();
  Pump();
  TPoint p = ScreenPoint(d, 20, 5);
  Headless::Wheel(p.x, p.y, -1);
  Pump();
  Headless::Wheel(p.x, p.y, 2);
  Pump();
  EXPECT_EQ(d->WheelDowns, 1);
  EXPECT_EQ(d->WheelUps, 2);
}

TEST_F(DropDownEdit, PublishedDefaultsAreNotStored) {
  TProbeDropDown d(nullptr);
  for (const char* name : {"DropDownColor", "DropDownColorTo", "DropDownBorderColor", "DropDownBorderWidth",
                           "DropDownWidth", "DropDownHeight", "DropDownButtonWidth", "DropPosition", "LabelPosition",
                           "LabelMargin", "EditorEnabled", "DropDownSizeable", "BorderColor", "Version"})
    EXPECT_FALSE(Written(&d, name)) << name;
  d.SetDropDownColor(clAqua);
  d.SetDropDownButtonWidth(20);
  d.SetLabelPosition(lpRighBottom);
  EXPECT_TRUE(Written(&d, "DropDownColor"));
  EXPECT_TRUE(Written(&d, "DropDownButtonWidth"));
  EXPECT_TRUE(Written(&d, "LabelPosition"));
  EXPECT_EQ(GetEnumProp(&d, u"LabelPosition"), u"lpRighBottom");
  SetEnumProp(&d, u"DropPosition", u"dpDown");
  EXPECT_EQ(d.GetDropPosition(), dpDown);
  EXPECT_EQ(GetStrProp(&d, u"Version"), u"1.5.5.6");
}

TEST_F(DropDownEdit, ScreenshotShowsEditLabelAndDropButton) {
  TForm* form = NewForm(260, 60);
  form->SetColor(clBtnFace);
  TProbeDropDown* d = AddDropDown(form, 90, 20, 150);
  d->SetLabelCaption(u"Kunde");
  d->SetText(u"Müller");
  form->Show();
  Pump();
  const std::string out = OutputPath("dropdown-edit.png");
  ASSERT_TRUE(Headless::SaveWindowPng(form->GetHandle(), out));
  // The drop button's face inside the edit's right end, the edit's white text area, and the
  // label's ink to the left of the edit.
  TDropDownEditButton* b = d->GetButton();
  TPoint face = b->ClientToParent(TPoint{b->GetWidth() / 2, b->GetHeight() / 2}, form);
  EXPECT_EQ(Headless::ClientPixel(form->GetHandle(), face.x, face.y), ColorToRGB(clBtnFace));
  EXPECT_EQ(Headless::ClientPixel(form->GetHandle(), 90 + 100, 22), ColorToRGB(clWindow));
  Integer ink = 0;
  TLabel* label = d->GetLabel();
  for (Integer y = label->GetTop(); y < label->GetTop() + label->GetHeight(); ++y)
    for (Integer x = label->GetLeft(); x < label->GetLeft() + label->GetWidth(); ++x)
      ink += GetRValue(Headless::ClientPixel(form->GetHandle(), x, y)) < 100;
  EXPECT_GT(ink, 20);
  Integer text = 0;
  for (Integer y = 22; y < 38; ++y)
    for (Integer x = 92; x < 150; ++x) text += GetRValue(Headless::ClientPixel(form->GetHandle(), x, y)) < 100;
  EXPECT_GT(text, 20);
}

TEST_F(DropDownEdit, ChangeScaleFollowsTheResolution) {
  Headless::SetDpi(144);
  TForm* form = NewForm();
  TProbeDropDown* d = AddDropDown(form, 10, 10);
  d->SetLabelCaption(u"Menge");
  d->ChangeScale(3, 2);
  EXPECT_EQ(d->GetDPIScale(), 1.5F);
  EXPECT_EQ(d->GetButton()->GetBWidth(), 26);    // Round(17 * 1.5) = Round(25.5)
  EXPECT_EQ(d->GetButton()->GetWidth(), 26);
  EXPECT_EQ(d->GetLabelFont()->GetHeight(), -16);   // Round(-11 * 1.5) = Round(-16.5), halves to even
  // The unscaled height stays the base of the next rescale.
  d->ChangeScale(1, 1);
  EXPECT_EQ(d->GetLabelFont()->GetHeight(), -16);
  // A font change by hand becomes the new base.
  d->GetLabelFont()->SetHeight(-12);
  Headless::SetDpi(96);
  d->ChangeScale(2, 3);
  EXPECT_EQ(d->GetDPIScale(), 1.0F);
  EXPECT_EQ(d->GetLabelFont()->GetHeight(), -12);
  EXPECT_EQ(d->GetButton()->GetWidth(), 17);
}

TEST_F(DropDownEdit, StreamingRoundTrip) {
  TProbeDropDown fresh(nullptr);
  TWriter plain;
  plain.WriteProperties(&fresh);
  const String defaults = plain.GetText();
  // Published properties at their defaults are left out; the two extra properties are always there.
  for (const char16_t* name : {u"DropDownColor", u"DropDownButtonWidth", u"LabelPosition", u"EditorEnabled", u"Version",
                               u"ButtonAppearance.ColorHot"})
    EXPECT_EQ(defaults.find(name), String::npos) << UTF8Encode(name);
  EXPECT_NE(defaults.find(u"SelectionColorStyle = 0\n"), String::npos);
  EXPECT_NE(defaults.find(u"NeoStyle = " + IntToStr(tsCustom) + u"\n"), String::npos);

  TProbeDropDown source(nullptr);
  source.SetSelectionColorStyle(scWindows7);
  source.SetUIStyle(tsOffice2019Gray);
  source.SetDropDownColor(clAqua);
  source.SetDropDownButtonWidth(21);
  source.SetLabelPosition(lpRighBottom);
  source.SetDropDownButtonHint(u"Öffnen 'jetzt'");
  source.GetButtonAppearance()->SetColorHot(clLime);
  TWriter writer;
  writer.WriteProperties(&source);
  const String text = writer.GetText();
  EXPECT_NE(text.find(u"SelectionColorStyle = 3\n"), String::npos);
  EXPECT_NE(text.find(u"NeoStyle = " + IntToStr(tsOffice2019Gray) + u"\n"), String::npos);
  EXPECT_NE(text.find(u"LabelPosition = lpRighBottom\n"), String::npos);
  EXPECT_NE(text.find(u"DropDownButtonHint = 'Öffnen ''jetzt'''\n"), String::npos);

  TProbeDropDown target(nullptr);
  TReader reader(text);
  reader.ReadProperties(&target);
  EXPECT_EQ(target.GetSelectionColorStyle(), scWindows7);
  EXPECT_EQ(target.GetSelectionColor(), 0);   // the field only: the preset's colours are not applied
  EXPECT_EQ(target.GetComponentStyle(), tsOffice2019Gray);
  EXPECT_EQ(target.GetDropDownColor(), clAqua);
  EXPECT_EQ(target.GetDropDownButtonWidth(), 21);
  EXPECT_EQ(target.GetLabelPosition(), lpRighBottom);
  EXPECT_EQ(target.GetDropDownButtonHint(), u"Öffnen 'jetzt'");
  EXPECT_EQ(target.GetButtonAppearance()->GetColorHot(), clLime);

  // Bad input is refused with EReadError.
  EXPECT_THROW(TReader(u"kein Gleichheitszeichen"), EReadError);
  EXPECT_THROW(TReader(u"Unbekannt = 1").ReadProperties(&target), EReadError);
  EXPECT_THROW(TReader(u"NeoStyle = 99").ReadProperties(&target), EReadError);
  EXPECT_THROW(TReader(u"DropDownWidth = zwölf").ReadProperties(&target), EReadError);
  EXPECT_THROW(TReader(u"DropDownButtonHint = offen").ReadProperties(&target), EReadError);
}
