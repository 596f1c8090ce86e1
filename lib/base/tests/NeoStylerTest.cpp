// The form and application stylers pushing styles and tones into the components of a form and of
// the frames inside it, in order, and following theme changes.
#include <memory>
#include <string>
#include <vector>

#include "lib/base/NeoAppStyler.h"
#include "lib/base/NeoPersistence.h"
#include "lib/base/tests/StyleTestSupport.h"
#include "platform/ui/StdCtrls.h"
#include "platform/win/UxTheme.h"

using namespace styletest;

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

std::string NameOf(const TComponent* C) { return UTF8Encode(C->GetName()); }

// Components taking a style, the application colour or tones; each call is logged.
class TPlain : public TComponent, public INeoStyle {
public:
  using TComponent::TComponent;
  void SetComponentStyle(TNeoStyle AStyle) override { Log().push_back(NameOf(this) + ":" + std::to_string(AStyle)); }
};

class TEx : public TComponent, public INeoStyleEx {
public:
  using TComponent::TComponent;
  void SetComponentStyle(TNeoStyle AStyle) override { Log().push_back(NameOf(this) + ":plain:" + std::to_string(AStyle)); }
  void SetComponentStyleAndAppColor(TNeoStyle AStyle, TColor AppColor) override {
    Log().push_back(NameOf(this) + ":" + std::to_string(AStyle) + ":" + std::to_string(AppColor));
  }
};

class TToned : public TComponent, public INeoTones {
public:
  using TComponent::TComponent;
  void SetColorTones(TColorTones ATones) override {
    Tones = ATones;
    Log().push_back(NameOf(this) + ":tones");
  }
  TColorTones Tones;
};

class TStyledFrame : public TFrame, public INeoStyle, public INeoTones {
public:
  using TFrame::TFrame;
  void SetComponentStyle(TNeoStyle AStyle) override { Log().push_back(NameOf(this) + ":" + std::to_string(AStyle)); }
  void SetColorTones(TColorTones) override { Log().push_back(NameOf(this) + ":tones"); }
};

class TStyledForm : public TForm, public INeoStyleEx, public INeoTones {
public:
  using TForm::TForm;
  void SetComponentStyle(TNeoStyle AStyle) override { Log().push_back("Form:plain:" + std::to_string(AStyle)); }
  void SetComponentStyleAndAppColor(TNeoStyle AStyle, TColor AppColor) override {
    Log().push_back("Form:" + std::to_string(AStyle) + ":" + std::to_string(AppColor));
  }
  void SetColorTones(TColorTones) override { Log().push_back("Form:tones"); }
};

template <class T> T* Make(TComponent* AOwner, const Char* AName) {
  T* c = new T(AOwner);
  c->SetName(AName);
  return c;
}

std::string S(TNeoStyle AStyle) { return std::to_string(AStyle); }

// A form holding: A (style), F1 (frame: B (style and colour), T1 (tones), F2 (frame: C (style),
// T2 (tones))), D (tones), E (style and colour), and the form styler.
class NeoStyler : public StyleTest {
protected:
  void SetUp() override {
    StyleTest::SetUp();
    RegisterThemeLibrary();
    SetThemeActive(true);
    Log().clear();
    Form = new TStyledForm(Application);
    Form->SetName(u"Form");
    Make<TPlain>(Form, u"A");
    F1 = Make<TStyledFrame>(Form, u"F1");
    Make<TEx>(F1, u"B");
    Make<TToned>(F1, u"T1");
    F2 = Make<TStyledFrame>(F1, u"F2");
    Make<TPlain>(F2, u"C");
    T2 = Make<TToned>(F2, u"T2");
    D = Make<TToned>(Form, u"D");
    Make<TEx>(Form, u"E");
    Styler = Make<TNeoFormStyler>(Form, u"Styler");
  }
  void TearDown() override {
    while (Screen->GetFormCount() > 0) delete Screen->GetForms(0);
    SetThemeActive(true);
    StyleTest::TearDown();
  }
  std::vector<std::string> TakeLog() {
    std::vector<std::string> l;
    l.swap(Log());
    return l;
  }
  TStyledForm* Form = nullptr;
  TStyledFrame *F1 = nullptr, *F2 = nullptr;
  TToned *T2 = nullptr, *D = nullptr;
  TNeoFormStyler* Styler = nullptr;
};

using Lines = std::vector<std::string>;

}  // namespace

TEST_F(NeoStyler, StyleReachesFormAndFramesInOrder) {
  Styler->SetStyle(tsOffice2019Gray);
  const std::string g = S(tsOffice2019Gray);
  // The form first; frames are walked before they are styled themselves; only the colour-taking
  // interface is called where a component has both.
  EXPECT_EQ(TakeLog(), (Lines{"Form:" + g + ":0", "A:" + g, "B:" + g + ":0", "F2:" + g, "C:" + g, "F1:" + g,
                              "E:" + g + ":0"}));
  EXPECT_EQ(Form->GetColor(), 0x666666);
  Styler->SetStyle(tsOffice2019Gray);   // unchanged: nothing
  EXPECT_TRUE(TakeLog().empty());
  Styler->SetStyle(tsCustom);           // custom: nothing applied
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_EQ(Styler->GetStyle(), tsCustom);

  struct TCase { TNeoStyle Style; TColor Color; } colours[] = {
      {tsOffice2013White, 0xFFFFFF}, {tsOffice2016White, 0xFFFFFF}, {tsOffice2019White, 0xFFFFFF},
      {tsOffice2013LightGray, 0xC0C0C0}, {tsOffice2013Gray, 0x808080}, {tsOffice2016Gray, 0x808080},
      {tsOffice2019Gray, 0x666666}, {tsOffice2016Black, 0}, {tsOffice2019Black, 0}, {tsWindows10, clBtnFace},
      {tsOffice2007Luna, clBtnFace},
  };
  for (const TCase& c : colours) {
    Styler->SetStyle(c.Style);
    EXPECT_EQ(Form->GetColor(), c.Color) << int(c.Style);
  }
}

TEST_F(NeoStyler, EventsMayHoldBackAComponent) {
  Lines events;
  Styler->OnApplyStyle = [&](TObject* Sender, TComponent* C, bool& Allow) {
    EXPECT_EQ(Sender, Styler);
    events.push_back("apply " + NameOf(C));
    Allow = NameOf(C) != "B";
  };
  Styler->OnAppliedStyle = [&](TObject*, TComponent* C) { events.push_back("applied " + NameOf(C)); };
  int changes = 0;
  Styler->OnChange = [&](TObject*) { ++changes; };
  Styler->SetAppColor(0x123456);   // still custom: stored only
  EXPECT_TRUE(TakeLog().empty());
  Styler->SetStyle(tsWindows10);
  const std::string w = S(tsWindows10), color = std::to_string(0x123456);
  EXPECT_EQ(TakeLog(), (Lines{"Form:" + w + ":" + color, "A:" + w, "F2:" + w, "C:" + w, "F1:" + w,
                              "E:" + w + ":" + color}));
  EXPECT_EQ(events, (Lines{"apply Form", "applied Form", "apply A", "applied A", "apply B", "apply F2", "applied F2",
                           "apply C", "applied C", "apply F1", "applied F1", "apply E", "applied E"}));
  EXPECT_EQ(changes, 1);

  // Disabled: nothing; enabled again: applied at once.
  Styler->SetEnabled(false);
  Styler->SetStyle(tsWindows8);
  EXPECT_TRUE(TakeLog().empty());
  Styler->SetEnabled(true);
  EXPECT_EQ(TakeLog().size(), 6u);
}

TEST_F(NeoStyler, TonesReachTheToneTakersInOrder) {
  Lines events;
  Styler->OnApplyColorTones = [&](TObject*, TComponent* C, bool& Allow) { Allow = NameOf(C) != "T1"; };
  Styler->OnAppliedColorTones = [&](TObject*, TComponent* C) { events.push_back(NameOf(C)); };
  Styler->SetStyle(tsWindows10);
  TakeLog();
  TColorTones tones = MetroColorTones(false, 0x00FF00);
  Styler->SetColorTones(tones);
  // In a form frames are walked before they take the tones, in a frame after; T1 is held back.
  EXPECT_EQ(TakeLog(), (Lines{"Form:tones", "F2:tones", "T2:tones", "F1:tones", "D:tones"}));
  EXPECT_EQ(events, (Lines{"Form", "F2", "T2", "F1", "D"}));
  EXPECT_EQ(T2->Tones, tones);
  EXPECT_TRUE(Styler->GetMetro());
  EXPECT_EQ(Styler->GetStyle(), tsCustom);
}

TEST_F(NeoStyler, MetroTonesFollowColourAndStyle) {
  Styler->SetMetro(true);
  EXPECT_EQ(D->Tones, MetroColorTones(true, clHighlight));
  TakeLog();
  Styler->SetMetroColor(0x0000FF);
  EXPECT_EQ(D->Tones, MetroColorTones(true, 0x0000FF));
  Styler->SetMetroStyle(msDark);
  EXPECT_EQ(D->Tones, MetroColorTones(false, 0x0000FF));
  EXPECT_EQ(Styler->GetTones(), MetroColorTones(false, 0x0000FF));
  Styler->SetMetroTextColor(0x00FF00);   // no part of the tones
  EXPECT_EQ(D->Tones, MetroColorTones(false, 0x0000FF));
  // With a style set the tones are kept but not pushed.
  Styler->SetStyle(tsOffice2013Gray);
  TakeLog();
  Styler->SetMetroColor(0xFF0000);
  EXPECT_EQ(D->Tones, MetroColorTones(false, 0x0000FF));
  EXPECT_EQ(Styler->GetTones(), MetroColorTones(false, 0xFF0000));
}

TEST_F(NeoStyler, StylerOnAFrameStylesTheFramesComponents) {
  TNeoFormStyler* frameStyler = Make<TNeoFormStyler>(F1, u"FrameStyler");
  TakeLog();
  frameStyler->SetStyle(tsOffice2016Black);
  const std::string b = S(tsOffice2016Black);
  EXPECT_EQ(TakeLog(), (Lines{"B:" + b + ":0", "F2:" + b, "C:" + b}));   // not the frame itself
  EXPECT_EQ(Form->GetColor(), clBtnFace);   // nor any form colour
  frameStyler->SetColorTones(DefaultColorTones());
  EXPECT_EQ(TakeLog(), (Lines{"T1:tones", "F2:tones", "T2:tones"}));
}

TEST_F(NeoStyler, ApplicationStylerDrivesItsFormStylers) {
  TNeoAppStyler app(nullptr);
  EXPECT_EQ(app.GetAppColor(), clNone);
  TakeLog();
  Styler->SetAppStyle(&app);
  EXPECT_EQ(app.GetFormStylerCount(), 1);
  Styler->SetAppStyle(&app);
  EXPECT_EQ(app.GetFormStylerCount(), 1);
  EXPECT_TRUE(TakeLog().empty());   // the application styler is still custom
  int changes = 0;
  app.OnChange = [&](TObject*) { ++changes; };

  app.SetStyle(tsOffice2013White);
  EXPECT_EQ(Styler->GetStyle(), tsOffice2013White);
  EXPECT_EQ(Styler->GetAppColor(), clNone);
  Lines log = TakeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "Form:" + S(tsOffice2013White) + ":" + std::to_string(clNone));
  EXPECT_EQ(changes, 1);

  app.SetAppColor(0x00AA00);
  EXPECT_EQ(Styler->GetAppColor(), 0x00AA00);
  EXPECT_EQ(TakeLog().front(), "Form:" + S(tsOffice2013White) + ":" + std::to_string(0x00AA00));

  TColorTones dark = MetroColorTones(false, 0x3366FF);
  app.SetColorTones(dark);
  EXPECT_TRUE(app.GetMetro());
  EXPECT_EQ(app.GetStyle(), tsCustom);
  EXPECT_EQ(app.GetMetroStyle(), msDark);
  EXPECT_EQ(app.GetMetroColor(), 0x3366FF);
  EXPECT_EQ(D->Tones, dark);
  TColorTones odd = dark;
  odd.Background.BrushColor = 0x123456;   // neither white nor black: the flat style stays
  app.SetColorTones(odd);
  EXPECT_EQ(app.GetMetroStyle(), msDark);
  app.SetColorTones(MetroColorTones(true, 0x3366FF));
  EXPECT_EQ(app.GetMetroStyle(), msLight);

  // A second form styler registers; the application styler going away leaves both without it.
  TNeoFormStyler* other = Make<TNeoFormStyler>(F1, u"Other");
  other->SetAppStyle(&app);
  EXPECT_EQ(app.GetFormStylerCount(), 2);
  delete other;
  EXPECT_EQ(app.GetFormStylerCount(), 1);
  app.UnRegisterFormStyler(Styler);
  app.UnRegisterFormStyler(Styler);
  EXPECT_EQ(app.GetFormStylerCount(), 0);
  app.RegisterFormStyler(Styler);
  {
    TNeoAppStyler gone(nullptr);
    Styler->SetAppStyle(&gone);
  }
  EXPECT_EQ(Styler->GetAppStyle(), nullptr);
}

TEST_F(NeoStyler, FollowingTheThemeWhenAsked) {
  WriteDword(OfficeRoot + u"16.0\\Common", u"UI Theme", 4);
  TNeoAppStyler app(nullptr);   // no main form exists: its window stands alone and still hears
  ASSERT_NE(app.GetNotifier(), nullptr);
  EXPECT_TRUE(app.GetNotifier()->HandleAllocated());
  TakeLog();
  Styler->SetAutoThemeAdapt(true);   // adapts at once
  EXPECT_EQ(Styler->GetStyle(), tsOffice2019Black);
  EXPECT_FALSE(TakeLog().empty());
  app.SetAutoThemeAdapt(true);
  EXPECT_EQ(app.GetStyle(), tsOffice2019Black);

  WriteDword(OfficeRoot + u"16.0\\Common", u"UI Theme", 3);
  SetThemeActive(false);   // WM_THEMECHANGED to every window
  EXPECT_EQ(Styler->GetStyle(), tsOffice2019Gray);
  EXPECT_EQ(app.GetStyle(), tsOffice2019Gray);
  EXPECT_EQ(Form->GetColor(), 0x666666);

  // Not asked: the theme changes, the style stays.
  Styler->SetAutoThemeAdapt(false);
  app.SetAutoThemeAdapt(false);
  WriteDword(OfficeRoot + u"16.0\\Common", u"UI Theme", 0);
  SetThemeActive(true);
  EXPECT_EQ(Styler->GetStyle(), tsOffice2019Gray);
  EXPECT_EQ(app.GetStyle(), tsOffice2019Gray);
}

TEST_F(NeoStyler, StyleListComboAndVersion) {
  std::unique_ptr<TStringList> styles(TNeoFormStyler::GetStyles());
  ASSERT_EQ(styles->GetCount(), 26);
  EXPECT_EQ(styles->GetStrings(0), u"Office 2003 Blue");
  EXPECT_EQ(styles->GetStrings(5), u"Office 2007 Silver");
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(styles->GetObjects(5)), 9u);
  EXPECT_EQ(styles->GetStrings(17), u"Office 2013 Light gray");
  EXPECT_EQ(styles->GetStrings(25), u"Custom");
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(styles->GetObjects(25)), 8u);
  for (Integer i = 0; i < styles->GetCount(); ++i)
    EXPECT_NE(reinterpret_cast<std::uintptr_t>(styles->GetObjects(i)), std::uintptr_t(tsWhidbey));

  Styler->SetStyle(tsWindows10);
  auto* combo = new TComboBox(Form);
  combo->SetParent(Form);
  Styler->SetComboBox(combo);
  EXPECT_EQ(combo->GetItems()->GetCount(), 26);
  EXPECT_EQ(combo->GetStyle(), csDropDownList);
  EXPECT_EQ(combo->GetItemIndex(), 11);   // "Windows 10"
  combo->SetItemIndex(20);                // "Office 2016 Gray", then chosen
  combo->OnSelect(combo);
  EXPECT_EQ(Styler->GetStyle(), tsOffice2016Gray);
  delete combo;
  EXPECT_EQ(Styler->GetComboBox(), nullptr);

  EXPECT_EQ(Styler->GetVersion(), u"2.4.0.1");
  EXPECT_EQ(Styler->GetVersionNr(), 33816577);
  TNeoAppStyler app(nullptr);
  EXPECT_EQ(app.GetVersion(), u"2.4.0.1");
}

TEST_F(NeoStyler, PublishedPropertiesWithDefaultsRoundTripThroughJSON) {
  const String savedTypeKey = TNeoPersistence::TypeKey;
  TNeoPersistence::TypeKey = u"$type";
  TNeoFormStyler styler(nullptr);
  for (const auto& [name, value] : {std::pair<const char16_t*, Int64>{u"AppColor", 0}, {u"AutoThemeAdapt", 0},
                                    {u"Enabled", 1}, {u"Metro", 0}, {u"MetroColor", clHighlight},
                                    {u"MetroTextColor", 0}, {u"MetroStyle", msLight}, {u"Style", tsCustom}}) {
    PPropInfo prop = GetPropInfo(&styler, name);
    ASSERT_NE(prop, nullptr) << UTF8Encode(name);
    EXPECT_TRUE(prop->HasDefault);
    EXPECT_EQ(prop->Default, value) << UTF8Encode(name);
    EXPECT_EQ(GetOrdProp(&styler, prop), value) << UTF8Encode(name);   // a new styler holds its defaults
  }
  // Version reads "2.4.0.1", ignores writes and is not stored.
  SetStrProp(&styler, u"Version", u"9.9");
  EXPECT_EQ(GetStrProp(&styler, u"Version"), u"2.4.0.1");
  EXPECT_FALSE(IsStoredProp(&styler, u"Version"));
  // A form description sets them by name; an ordinal beyond the styles is refused.
  SetEnumProp(&styler, u"Style", u"tsOffice2019Gray");
  EXPECT_EQ(styler.GetStyle(), tsOffice2019Gray);
  EXPECT_THROW(SetOrdProp(&styler, u"Style", 27), ERangeError);

  styler.SetAppColor(0x123456);
  styler.SetMetroColor(0x00AA00);
  styler.SetMetroTextColor(0x0000FF);
  styler.SetMetroStyle(msDark);
  styler.SetMetro(true);
  styler.SetStyle(tsOffice2016Black);
  const String json = styler.ToJSON();
  EXPECT_EQ(json,
            u"{\"$type\":\"TNeoFormStyler\",\"AppColor\":\"#563412\",\"AppStyle\":\"\",\"AutoThemeAdapt\":false,"
            u"\"ComboBox\":\"\",\"Enabled\":true,\"Metro\":true,\"MetroColor\":\"#00AA00\",\"MetroStyle\":1,"
            u"\"MetroTextColor\":\"#FF0000\",\"Name\":\"\",\"OnAppliedColorTones\":null,\"OnAppliedStyle\":null,"
            u"\"OnApplyColorTones\":null,\"OnApplyStyle\":null,\"OnChange\":null,\"Style\":23,\"Tag\":0,"
            u"\"Version\":\"2.4.0.1\"}");
  TNeoFormStyler copy(nullptr);
  copy.FromJSON(json);
  EXPECT_EQ(copy.GetAppColor(), 0x123456);
  EXPECT_EQ(copy.GetMetroColor(), 0x00AA00);
  EXPECT_EQ(copy.GetMetroTextColor(), 0x0000FF);
  EXPECT_EQ(copy.GetMetroStyle(), msDark);
  EXPECT_TRUE(copy.GetMetro());
  EXPECT_EQ(copy.GetStyle(), tsOffice2016Black);
  EXPECT_EQ(copy.GetJSON(), json);

  TNeoAppStyler app(nullptr);
  EXPECT_EQ(GetPropInfo(&app, u"AppColor")->Default, clNone);
  app.SetAppColor(0x336699);
  app.SetEnabled(false);
  app.SetStyle(tsWindows10);
  TNeoAppStyler appCopy(nullptr);
  appCopy.SetJSON(app.ToJSON());
  EXPECT_EQ(appCopy.GetAppColor(), 0x336699);
  EXPECT_FALSE(appCopy.GetEnabled());
  EXPECT_EQ(appCopy.GetStyle(), tsWindows10);
  EXPECT_EQ(appCopy.ToJSON(), app.ToJSON());
  TNeoPersistence::TypeKey = savedTypeKey;
}

TEST_F(NeoStyler, FormStylerStyleAndAssign) {
  auto* edit = new TWinControl(Form);
  edit->SetParent(Form);
  auto* inner = new TWinControl(Form);
  inner->SetParent(edit);
  EXPECT_EQ(FormStylerStyle(inner, tsWindows7), tsWindows7);   // the styler is custom
  Styler->SetStyle(tsOffice2010Blue);
  EXPECT_EQ(FormStylerStyle(inner, tsWindows7), tsOffice2010Blue);
  EXPECT_EQ(FormStylerStyle(Form, tsWindows7), tsOffice2010Blue);
  TComponent loose(nullptr);
  EXPECT_EQ(FormStylerStyle(&loose, tsWindows7), tsWindows7);
  Styler->SetEnabled(false);
  EXPECT_EQ(FormStylerStyle(inner, tsWindows7), tsWindows7);

  TakeLog();
  TNeoFormStyler* copy = Make<TNeoFormStyler>(Form, u"Copy");
  copy->Assign(Styler);
  EXPECT_EQ(copy->GetStyle(), tsOffice2010Blue);
  EXPECT_FALSE(TakeLog().empty());   // the copy applies its new style
}
