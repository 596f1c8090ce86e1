#include "platform/rtl/TypInfo.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Generics.h"

namespace Collections = Generics::Collections;
using Generics::Collections::TObjectDictionary;
using Generics::Collections::TObjectList;
using Generics::Collections::doOwnsValues;

namespace {

enum TShade { shLight, shMedium, shDark };
using TShades = TSet<TShade>;

struct TSpot {
  Integer X = 0, Y = 0;
};

class TGadget : public TObject {
  ZELK_CLASS(TGadget, TObject)
public:
  Integer FValue = 0;
};

// Inherits its ancestor's class reference instead of declaring its own.
class TBare : public TGadget {};

// A component publishing one property of each kind the facility distinguishes by C++ type.
class TWidget : public TComponent {
  ZELK_CLASS(TWidget, TComponent)
public:
  explicit TWidget(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { FWidth = Value; }
  Integer GetArea() const { return FWidth * 2; }

  Integer FWidth = 0;
  bool FVisible = false;
  TShade FShade = shLight;
  TShades FShades;
  Double FRatio = 0;
  Int64 FBig = 0;
  String FCaption;
  AnsiString FLegacy;
  Char FLetter = 0;
  TGadget* FGadget = nullptr;
  TMethodEvent<void(TObject*)> FOnPing;
  TNotifyEvent FOnPlain;
  TClass FKind = nullptr;
  Pointer FData = nullptr;
  std::vector<Integer> FCells;
  TSpot FSpot;

  Integer Pings = 0;
  void Ping(TObject* Sender) { Pings += Sender == this ? 1 : 100; }
  void Count(Integer N) { Pings += N; }
};

}  // namespace

ZELK_ENUM_INFO(TShade, shLight, shMedium, shDark)

namespace {

struct TRttiFixture : ::testing::Test {
  static void SetUpTestSuite() {
    static bool once = [] {
      Publish<TWidget>()
          .Property(u"Width", &TWidget::GetWidth, &TWidget::SetWidth).Default(0)
          .Property(u"Area", &TWidget::GetArea, nullptr)
          .Property(u"Visible", &TWidget::FVisible).Stored(false)
          .Property(u"Shade", &TWidget::FShade).Default(shMedium)
          .Property(u"Shades", &TWidget::FShades).Type(u"TShades")
          .Property(u"Ratio", &TWidget::FRatio)
          .Property(u"Big", &TWidget::FBig)
          .Property(u"Caption", &TWidget::FCaption).Stored([](TWidget* w) { return !w->FCaption.empty(); })
          .Property(u"Legacy", &TWidget::FLegacy)
          .Property(u"Letter", &TWidget::FLetter)
          .Property(u"Gadget", &TWidget::FGadget)
          .Property(u"OnPing", &TWidget::FOnPing)
          .Property(u"OnPlain", &TWidget::FOnPlain)
          .Property(u"Kind", &TWidget::FKind)
          .Property(u"Data", &TWidget::FData)
          .Property(u"Cells", &TWidget::FCells)
          .Property(u"Spot", &TWidget::FSpot)
          .Method(u"Ping", &TWidget::Ping)
          .Method(u"Count", &TWidget::Count);
      return true;
    }();
    (void)once;
  }
};

TEST_F(TRttiFixture, PropertyListHasAncestorsFirstWithKindsAndTypeNames) {
  struct TCase {
    const char16_t* Name;
    TTypeKind Kind;
    const char16_t* TypeName;
  };
  const TCase cases[] = {
      {u"Name", tkUString, u"TComponentName"}, {u"Tag", tkInt64, u"NativeInt"},
      {u"Width", tkInteger, u"Integer"},       {u"Area", tkInteger, u"Integer"},
      {u"Visible", tkEnumeration, u"Boolean"}, {u"Shade", tkEnumeration, u"TShade"},
      {u"Shades", tkSet, u"TShades"},          {u"Ratio", tkFloat, u"Double"},
      {u"Big", tkInt64, u"Int64"},             {u"Caption", tkUString, u"string"},
      {u"Legacy", tkLString, u"AnsiString"},   {u"Letter", tkWChar, u"Char"},
      {u"Gadget", tkClass, u"TGadget"},        {u"OnPing", tkMethod, u"TNotifyEvent"},
      {u"OnPlain", tkMethod, u"TNotifyEvent"}, {u"Kind", tkClassRef, u"TClass"},
      {u"Data", tkPointer, nullptr},           {u"Cells", tkDynArray, nullptr},
      {u"Spot", tkRecord, nullptr},
  };
  const TPropList list = GetPropList(TWidget::StaticClass());
  ASSERT_EQ(list.size(), std::size(cases));
  for (std::size_t i = 0; i < list.size(); ++i) {
    SCOPED_TRACE(UTF8Encode(cases[i].Name));
    EXPECT_EQ(list[i]->Name, cases[i].Name);
    EXPECT_EQ(list[i]->Kind, cases[i].Kind);
    if (cases[i].TypeName) {
      EXPECT_EQ(list[i]->TypeName, cases[i].TypeName);
    }
  }
  EXPECT_EQ(GetPropList(TWidget::StaticClass(), TTypeKinds{tkMethod}).size(), 2u);
  EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), u"sHaDeS"), list[6]);
  EXPECT_TRUE(IsPublishedProp(TWidget::StaticClass(), u"tag"));
  EXPECT_FALSE(IsPublishedProp(TWidget::StaticClass(), u"Pings"));
  EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), u"Width", TTypeKinds{tkFloat}), nullptr);
  // The ancestor does not see its descendant's properties.
  EXPECT_EQ(GetPropList(TComponent::StaticClass()).size(), 2u);
}

TEST_F(TRttiFixture, ValuesGoThroughGettersAndSettersOfEveryCategory) {
  TWidget w;
  SetOrdProp(&w, u"Width", 42);
  EXPECT_EQ(w.FWidth, 42);
  EXPECT_EQ(GetOrdProp(&w, u"Area"), 84);
  SetEnumProp(&w, u"Visible", u"true");
  EXPECT_TRUE(w.FVisible);
  EXPECT_EQ(GetEnumProp(&w, u"Visible"), u"True");
  SetEnumProp(&w, u"Shade", u"shDark");
  EXPECT_EQ(w.FShade, shDark);
  SetSetProp(&w, u"Shades", u"[ shLight , shDark ]");
  EXPECT_EQ(w.FShades, (TShades{shLight, shDark}));
  EXPECT_EQ(GetSetProp(&w, u"Shades"), u"[shLight,shDark]");
  EXPECT_EQ(GetSetProp(&w, u"Shades", false), u"shLight,shDark");
  EXPECT_EQ(GetOrdProp(&w, u"Shades"), 5);
  SetFloatProp(&w, u"Ratio", 2.5);
  EXPECT_EQ(GetFloatProp(&w, u"Ratio"), 2.5);
  SetInt64Prop(&w, u"Big", Int64(1) << 40);
  EXPECT_EQ(GetInt64Prop(&w, u"Big"), Int64(1) << 40);
  SetStrProp(&w, u"Caption", u"Grüße");
  EXPECT_EQ(GetStrProp(&w, u"caption"), u"Grüße");
  SetStrProp(&w, u"Legacy", u"Café");
  EXPECT_EQ(w.FLegacy, "Caf\xE9");
  EXPECT_EQ(GetStrProp(&w, u"Legacy"), u"Café");
  SetStrProp(&w, u"Letter", u"Zed");
  EXPECT_EQ(w.FLetter, u'Z');
  EXPECT_EQ(GetStrProp(&w, u"Letter"), u"Z");
  SetStrProp(&w, u"Name", u"Widget1");
  EXPECT_EQ(w.GetName(), u"Widget1");
  SetOrdProp(&w, u"Tag", -7);
  EXPECT_EQ(w.GetTag(), -7);

  TGadget g;
  SetObjectProp(&w, u"Gadget", &g);
  EXPECT_EQ(GetObjectProp(&w, u"Gadget"), &g);
  TComponent other(nullptr);
  EXPECT_THROW(SetObjectProp(&w, u"Gadget", &other), EInvalidCast);
  EXPECT_EQ(w.FGadget, &g);
  SetObjectProp(&w, u"Gadget", nullptr);
  EXPECT_EQ(w.FGadget, nullptr);
}

TEST_F(TRttiFixture, MisuseRaisesPropertyErrors) {
  TWidget w;
  TGadget g;
  struct TCase {
    const char* What;
    std::function<void()> Call;
    const char16_t* Message;
  };
  const TCase cases[] = {
      {"unknown name", [&] { GetOrdProp(&w, u"Nope"); }, u"Property Nope does not exist"},
      {"read-only", [&] { SetOrdProp(&w, u"Area", 1); }, u"Property Area is read-only"},
      {"wrong category", [&] { GetStrProp(&w, u"Width"); }, u"Invalid property type: Integer"},
      {"foreign object", [&] { GetOrdProp(&g, GetPropInfo(TWidget::StaticClass(), u"Width")); },
       u"Property Width is not a property of TGadget"},
      {"unknown member", [&] { SetEnumProp(&w, u"Shade", u"shPale"); }, u"Invalid property element: shPale"},
      {"unknown set member", [&] { SetSetProp(&w, u"Shades", u"[shLight,x]"); }, u"Invalid property element: x"},
      {"unknown method", [&] { SetMethodProp(&w, u"OnPing", TMethod{u"Pong", &w, true}); },
       u"Method Pong not found in TWidget"},
      {"other signature", [&] { SetMethodProp(&w, u"OnPing", TMethod{u"Count", &w, true}); },
       u"Method Count does not match the event's parameters"},
      {"no own class reference", [] { Publish<TBare>(); }, u"TBare has no class reference of its own"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    try {
      c.Call();
      ADD_FAILURE() << "no exception";
    } catch (EPropertyError& e) {
      EXPECT_EQ(e.Message, c.Message);
    }
  }
}

TEST_F(TRttiFixture, OrdinalSettersRefuseValuesTheTypeCannotHold) {
  TWidget w;
  w.FWidth = 5;
  w.FShade = shMedium;
  w.FLetter = u'a';
  const struct {
    const char16_t* Name;
    Int64 Value;
  } refused[] = {{u"Width", 4294967396}, {u"Width", Int64(1) << 31}, {u"Width", -(Int64(1) << 31) - 1},
                 {u"Shade", 3},          {u"Shade", -1},             {u"Shade", 99},
                 {u"Letter", 0x10000},   {u"Letter", -1}};
  for (const auto& r : refused) {
    SCOPED_TRACE(std::to_string(r.Value));
    try {
      SetOrdProp(&w, r.Name, r.Value);
      ADD_FAILURE() << "no exception";
    } catch (ERangeError& e) {
      EXPECT_EQ(e.Message, u"Value " + IntToStr(r.Value) + u" out of range for property " + r.Name);
    }
  }
  EXPECT_EQ(w.FWidth, 5);
  EXPECT_EQ(w.FShade, shMedium);
  EXPECT_EQ(w.FLetter, u'a');
  // The bounds themselves are taken.
  SetOrdProp(&w, u"Width", -(Int64(1) << 31));
  EXPECT_EQ(w.FWidth, std::numeric_limits<Integer>::min());
  SetOrdProp(&w, u"Shade", 2);
  EXPECT_EQ(w.FShade, shDark);
  SetOrdProp(&w, u"Big", std::numeric_limits<Int64>::min());
  EXPECT_EQ(w.FBig, std::numeric_limits<Int64>::min());
}

TEST_F(TRttiFixture, DefaultsAndStoredFlags) {
  TWidget w;
  PPropInfo shade = GetPropInfo(&w, u"Shade");
  EXPECT_TRUE(shade->HasDefault);
  EXPECT_EQ(shade->Default, shMedium);
  EXPECT_FALSE(GetPropInfo(&w, u"Ratio")->HasDefault);
  EXPECT_FALSE(GetPropInfo(&w, u"Area")->HasSetter);
  EXPECT_TRUE(IsStoredProp(&w, u"Width"));
  EXPECT_FALSE(IsStoredProp(&w, u"Visible"));
  EXPECT_FALSE(IsStoredProp(&w, u"Name"));
  EXPECT_FALSE(IsStoredProp(&w, u"Caption"));
  w.FCaption = u"x";
  EXPECT_TRUE(IsStoredProp(&w, u"Caption"));
}

TEST_F(TRttiFixture, EventPropertiesBindPublishedMethodsByName) {
  TWidget w, v;
  ASSERT_NE(MethodAddress(TWidget::StaticClass(), u"PING"), nullptr);
  EXPECT_EQ(MethodAddress(TWidget::StaticClass(), u"Pong"), nullptr);
  EXPECT_EQ(MethodAddress(TComponent::StaticClass(), u"Ping"), nullptr);

  SetMethodProp(&w, u"OnPing", TMethod{u"ping", &v, true});
  ASSERT_TRUE(w.FOnPing);
  EXPECT_EQ(w.FOnPing.GetMethodName(), u"ping");
  w.FOnPing(&v);   // calls v.Ping
  EXPECT_EQ(v.Pings, 1);
  EXPECT_EQ(w.Pings, 0);
  const TMethod m = GetMethodProp(&w, u"OnPing");
  EXPECT_TRUE(m.Assigned);
  EXPECT_EQ(m.Data, &v);
  EXPECT_EQ(MethodName(TWidget::StaticClass(), m), u"Ping");
  EXPECT_EQ(MethodName(TComponent::StaticClass(), m), u"");

  // A plain callable forgets the binding; a plain std::function property keeps no name.
  w.FOnPing = [](TObject*) {};
  EXPECT_TRUE(GetMethodProp(&w, u"OnPing").Assigned);
  EXPECT_EQ(GetMethodProp(&w, u"OnPing").Name, u"");
  SetMethodProp(&w, u"OnPlain", TMethod{u"Ping", &w, true});
  w.FOnPlain(&w);
  EXPECT_EQ(w.Pings, 1);
  EXPECT_TRUE(GetMethodProp(&w, u"OnPlain").Assigned);
  EXPECT_EQ(GetMethodProp(&w, u"OnPlain").Name, u"");

  SetMethodProp(&w, u"OnPing", TMethod{});
  EXPECT_FALSE(w.FOnPing);
  EXPECT_FALSE(GetMethodProp(&w, u"OnPing").Assigned);
}

TEST(TypInfoEnums, NamesValuesAndSetText) {
  const TEnumInfo* shade = EnumTypeInfo<TShade>();
  EXPECT_EQ(shade->TypeName, u"TShade");
  EXPECT_EQ(shade->MaxValue(), 2);
  EXPECT_EQ(GetEnumName(shade, 1), u"shMedium");
  EXPECT_EQ(GetEnumName(shade, 3), u"");
  EXPECT_EQ(GetEnumName(shade, -1), u"");
  EXPECT_EQ(GetEnumValue(shade, u"SHDARK"), 2);
  EXPECT_EQ(GetEnumValue(shade, u"dark"), -1);
  EXPECT_EQ(GetEnumValue(BooleanTypeInfo(), u"true"), 1);
  EXPECT_EQ(SetToString(shade, 0), u"[]");
  EXPECT_EQ(SetToString(shade, 7, false), u"shLight,shMedium,shDark");
  EXPECT_EQ(StringToSet(shade, u"shMedium"), 2u);
  EXPECT_EQ(StringToSet(shade, u"[]"), 0u);
}

class TPublishedList : public TPersistent {
  ZELK_CLASS(TPublishedList, TPersistent)
public:
  Collections::TList<String>* FNames = new Collections::TList<String>();
  TObjectList<TGadget>* FGadgets = new TObjectList<TGadget>();
  TObjectDictionary<String, TGadget*>* FByKey = new TObjectDictionary<String, TGadget*>({doOwnsValues});
  ~TPublishedList() override {
    delete FNames;
    delete FGadgets;
    delete FByKey;
  }
};

TEST(TypInfoContainers, PublishedGenericListsAndDictionariesGetTypeErasedAccess) {
  Publish<TPublishedList>()
      .Property(u"Names", &TPublishedList::FNames, nullptr)
      .Property(u"Gadgets", &TPublishedList::FGadgets, nullptr)
      .Property(u"ByKey", &TPublishedList::FByKey, nullptr);
  TPublishedList o;
  EXPECT_EQ(GetPropInfo(&o, u"Names")->TypeName, u"TList<System.string>");
  EXPECT_EQ(GetPropInfo(&o, u"Gadgets")->TypeName, u"TObjectList<TGadget>");

  const TListAccess* names = FindListAccess(o.FNames->ClassType());
  ASSERT_NE(names, nullptr);
  EXPECT_EQ(names->ItemKind(), likString);
  names->AddString(o.FNames, u"a");
  EXPECT_EQ(names->GetString(o.FNames, 0), u"a");
  EXPECT_THROW(names->AddObject(o.FNames, nullptr), EPropertyError);

  // TObjectList<TGadget> finds the access of its ancestor TList<TGadget*>.
  const TListAccess* gadgets = FindListAccess(o.FGadgets->ClassType());
  ASSERT_NE(gadgets, nullptr);
  EXPECT_EQ(gadgets->ItemKind(), likObject);
  EXPECT_EQ(gadgets->ItemClass(), TGadget::StaticClass());
  auto g = std::make_unique<TGadget>();
  gadgets->AddObject(o.FGadgets, g.release());
  EXPECT_EQ(gadgets->Count(o.FGadgets), 1);
  TComponent wrong(nullptr);
  EXPECT_THROW(gadgets->AddObject(o.FGadgets, &wrong), EInvalidCast);
  EXPECT_EQ(gadgets->Count(o.FGadgets), 1);

  const TDictionaryAccess* byKey = FindDictionaryAccess(o.FByKey->ClassType());
  ASSERT_NE(byKey, nullptr);
  EXPECT_EQ(byKey->ValueClass(), TGadget::StaticClass());
  byKey->Add(o.FByKey, u"k", new TGadget());
  Integer seen = 0;
  byKey->ForEach(o.FByKey, [&](const String& k, TObject* v) {
    EXPECT_EQ(k, u"k");
    EXPECT_TRUE(Is<TGadget>(v));
    ++seen;
  });
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(FindListAccess(TStringList::StaticClass()), nullptr);
}

class TItemHolder : public TPersistent {
  ZELK_CLASS(TItemHolder, TPersistent)
public:
  TItemHolder() : FItems(std::make_unique<TOwnedCollection>(this, TCollectionItem::StaticClass())) {}
  TOwnedCollection* GetItems() const { return FItems.get(); }
  String GetNamePath() const override { return u"Holder"; }

private:
  std::unique_ptr<TOwnedCollection> FItems;
};

TEST(TypInfoCollections, NamePathUsesTheOwnersPublishedProperty) {
  TItemHolder h;
  EXPECT_EQ(h.GetItems()->GetNamePath(), u"Holder.TOwnedCollection");
  Publish<TItemHolder>().Property(u"Items", &TItemHolder::GetItems, nullptr);
  EXPECT_EQ(h.GetItems()->GetNamePath(), u"Holder.Items");
  h.GetItems()->Add();
  EXPECT_EQ(h.GetItems()->GetItems(0)->GetNamePath(), u"Holder.Items[0]");
}

class TRedeclared : public TObject {
  ZELK_CLASS(TRedeclared, TObject)
public:
  Integer A = 0, B = 0;
};

TEST(TypInfoRegistration, RedeclaringAPropertyKeepsItsPlace) {
  Publish<TRedeclared>().Property(u"A", &TRedeclared::A).Property(u"B", &TRedeclared::B);
  const TPropList before = GetPropList(TRedeclared::StaticClass());
  Publish<TRedeclared>().Property(u"a", &TRedeclared::B, nullptr);
  const TPropList after = GetPropList(TRedeclared::StaticClass());
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0]->Name, u"a");
  EXPECT_FALSE(after[0]->HasSetter);
  EXPECT_EQ(before[0]->Name, u"A");   // lists handed out before stay valid
}

}  // namespace
