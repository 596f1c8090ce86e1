#include "lib/base/NeoPersistence.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <limits>
#include <memory>

#include "lib/base/NeoObjectJSON.h"
#include "lib/base/NeoUtils.h"
#include "platform/rtl/Contnrs.h"
#include "platform/rtl/Generics.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Units.h"
#include "platform/ui/Graphics.h"
#include "platform/win/WinUser.h"

using Generics::Collections::doOwnsValues;
using Generics::Collections::TDictionaryOwnerships;
using Generics::Collections::TObjectDictionary;
template <class T> using TGObjectList = Generics::Collections::TObjectList<T>;
template <class T> using TGList = Generics::Collections::TList<T>;

namespace {

enum TDemoMood { dmCalm, dmBusy, dmGone };
using TDemoMoods = TSet<TDemoMood>;

struct TDemoSpot {
  Integer X = 0, Y = 0;
};

// Items of the object lists and dictionaries.
class TDemoGadget : public TPersistent {
  ZELK_CLASS(TDemoGadget, TPersistent)
public:
  Integer FSize = 0;
  String FLabel;
};

class TDemoItem : public TCollectionItem {
  ZELK_CLASS(TDemoItem, TCollectionItem)
public:
  explicit TDemoItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String FCaption;
  Integer FWidth = 0;
};

// A component with a published property of every kind the persistence handles. It creates the
// objects of its lists itself when it is the IO reference (as FromJSON makes it).
class TDemoAll : public TComponent, public IPersistObjectFactory {
  ZELK_CLASS(TDemoAll, TComponent)
public:
  explicit TDemoAll(TComponent* AOwner) : TComponent(AOwner) { FLines->Add(u"untouched"); }

  TObject* CreateObject(const String& AClassName, TClass ABaseClass) override {
    return TNeoPersistence::CreateObject(AClassName, ABaseClass);
  }

  bool FActive = false;
  Double FAmount = 0;
  Int64 FBig = 0;
  String FCaption;
  TColor FColor = clBlack;
  TColor FBackColor = clWhite;
  Integer FCounter = 0;
  Cardinal FMask = 0;
  Char FInitial = u'-';
  TDemoMood FMood = dmCalm;
  TDemoMoods FMoods;
  TComponent* FPartner = nullptr;
  TMethodEvent<void(TObject*)> FOnPing;
  TDemoSpot FSpot;
  String FWide;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TDemoGadget> FGadget = std::make_unique<TDemoGadget>();
  std::unique_ptr<TGList<String>> FNames = std::make_unique<TGList<String>>();
  std::unique_ptr<TGList<Integer>> FNumbers = std::make_unique<TGList<Integer>>();
  std::unique_ptr<TGList<Double>> FRatios = std::make_unique<TGList<Double>>();
  std::unique_ptr<TGObjectList<TDemoGadget>> FGadgets = std::make_unique<TGObjectList<TDemoGadget>>();
  std::unique_ptr<TObjectDictionary<String, TDemoGadget*>> FGadgetMap =
      std::make_unique<TObjectDictionary<String, TDemoGadget*>>(TDictionaryOwnerships{doOwnsValues});
  std::unique_ptr<TOwnedCollection> FItems = std::make_unique<TOwnedCollection>(this, TDemoItem::StaticClass());
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();

  TFont* GetFont() const { return FFont.get(); }
  TDemoGadget* GetGadget() const { return FGadget.get(); }
  TGList<String>* GetNames() const { return FNames.get(); }
  TGList<Integer>* GetNumbers() const { return FNumbers.get(); }
  TGList<Double>* GetRatios() const { return FRatios.get(); }
  TGObjectList<TDemoGadget>* GetGadgets() const { return FGadgets.get(); }
  TObjectDictionary<String, TDemoGadget*>* GetGadgetMap() const { return FGadgetMap.get(); }
  TOwnedCollection* GetItems() const { return FItems.get(); }
  TStrings* GetLines() const { return FLines.get(); }
  TPicture* GetPicture() const { return FPicture.get(); }
};

// The root component: owns the demo objects and publishes the handler they bind to.
class TDemoForm : public TComponent {
  ZELK_CLASS(TDemoForm, TComponent)
public:
  TDemoForm() : TComponent(nullptr) {}
  Integer Pings = 0;
  void Ping(TObject*) { ++Pings; }
};

// Items of a plain pointer list; counts the living ones to show what a reload frees.
class TDemoBox : public TPersistent {
  ZELK_CLASS(TDemoBox, TPersistent)
public:
  TDemoBox() { ++Alive; }
  ~TDemoBox() override { --Alive; }
  static inline Integer Alive = 0;
  Integer FSize = 0;
};

// A component whose plain list property holds the objects it owns.
class TDemoShelf : public TComponent, public IPersistObjectFactory {
  ZELK_CLASS(TDemoShelf, TComponent)
public:
  explicit TDemoShelf(TComponent* AOwner) : TComponent(AOwner) {}
  ~TDemoShelf() override {
    for (Pointer box : *FBoxes) delete static_cast<TObject*>(box);
  }
  TObject* CreateObject(const String& AClassName, TClass ABaseClass) override {
    return TNeoPersistence::CreateObject(AClassName, ABaseClass);
  }
  void AddBox(Integer ASize) {
    auto* box = new TDemoBox();
    box->FSize = ASize;
    FBoxes->Add(box);
  }
  Integer BoxSize(Integer AIndex) const { return static_cast<TDemoBox*>(FBoxes->GetItems(AIndex))->FSize; }
  std::unique_ptr<TList> FBoxes = std::make_unique<TList>();
  std::unique_ptr<TObjectList> FCrates = std::make_unique<TObjectList>(true);
  TList* GetBoxes() const { return FBoxes.get(); }
  TObjectList* GetCrates() const { return FCrates.get(); }
};

// The smallest document: a caption and a colour.
class TDemo : public TPersistent {
  ZELK_CLASS(TDemo, TPersistent)
public:
  String FCaption;
  TColor FColor = clBlack;
};

}  // namespace

ZELK_ENUM_INFO(TDemoMood, dmCalm, dmBusy, dmGone)

namespace {

void PublishDemoClasses() {
  static bool done = [] {
    Publish<TDemoGadget>().Property(u"Size", &TDemoGadget::FSize).Property(u"Label", &TDemoGadget::FLabel);
    Publish<TDemoItem>().Property(u"Caption", &TDemoItem::FCaption).Property(u"Width", &TDemoItem::FWidth);
    Publish<TDemo>().Property(u"Caption", &TDemo::FCaption).Property(u"Color", &TDemo::FColor).Type(u"TColor");
    Publish<TDemoForm>().Method(u"Ping", &TDemoForm::Ping);
    Publish<TDemoBox>().Property(u"Size", &TDemoBox::FSize);
    Publish<TDemoShelf>()
        .Property(u"Boxes", &TDemoShelf::GetBoxes, nullptr)
        .Property(u"Crates", &TDemoShelf::GetCrates, nullptr);
    Publish<TDemoAll>()
        .Property(u"Active", &TDemoAll::FActive)
        .Property(u"Amount", &TDemoAll::FAmount)
        .Property(u"Big", &TDemoAll::FBig)
        .Property(u"Caption", &TDemoAll::FCaption)
        .Property(u"Color", &TDemoAll::FColor).Type(u"TColor")
        .Property(u"BackColor", &TDemoAll::FBackColor).Type(u"TGraphicsColor")
        .Property(u"Counter", &TDemoAll::FCounter)
        .Property(u"Initial", &TDemoAll::FInitial)
        .Property(u"Mask", &TDemoAll::FMask)
        .Property(u"Mood", &TDemoAll::FMood)
        .Property(u"Moods", &TDemoAll::FMoods).Type(u"TDemoMoods")
        .Property(u"Partner", &TDemoAll::FPartner)
        .Property(u"OnPing", &TDemoAll::FOnPing)
        .Property(u"Spot", &TDemoAll::FSpot)
        .Property(u"Wide", &TDemoAll::FWide).Kind(tkWString)
        .Property(u"Font", &TDemoAll::GetFont, nullptr)
        .Property(u"Gadget", &TDemoAll::GetGadget, nullptr)
        .Property(u"Names", &TDemoAll::GetNames, nullptr)
        .Property(u"Numbers", &TDemoAll::GetNumbers, nullptr)
        .Property(u"Ratios", &TDemoAll::GetRatios, nullptr)
        .Property(u"Gadgets", &TDemoAll::GetGadgets, nullptr)
        .Property(u"GadgetMap", &TDemoAll::GetGadgetMap, nullptr)
        .Property(u"Items", &TDemoAll::GetItems, nullptr)
        .Property(u"Lines", &TDemoAll::GetLines, nullptr)
        .Property(u"Picture", &TDemoAll::GetPicture, nullptr);
    RegisterClasses({TDemoGadget::StaticClass(), TDemoItem::StaticClass(), TDemoAll::StaticClass(),
                     TDemoBox::StaticClass(), TDemoShelf::StaticClass()});
    return true;
  }();
  (void)done;
}

// Each test starts from the start-up settings and leaves them so.
struct NeoPersistenceFixture : ::testing::Test {
  void SetUp() override {
    PublishDemoClasses();
    TNeoPersistence::TypeKey = u"$type";
    TNeoPersistence::ExcludeProperties.clear();
    TNeoPersistence::IOReference = nullptr;
    TNeoPersistence::RootObject = nullptr;
    FormatSettings = TFormatSettings::USEnglish();
  }
  void TearDown() override {
    TNeoPersistence::RootObject = nullptr;
    TNeoPersistence::IOReference = nullptr;
    FormatSettings = TFormatSettings::USEnglish();
  }

  // A demo object holding a value in every property, owned by Form beside its partner.
  TDemoAll* MakeFilled() {
    auto* partner = new TComponent(&Form);
    partner->SetName(u"Partner1");
    auto* a = new TDemoAll(&Form);
    a->FActive = true;
    a->FAmount = 1234.5;
    a->FBig = Int64(1) << 53;
    a->FCaption = u"Grüße \"quoted\"";
    a->FColor = clRed;
    a->FBackColor = clNone;
    a->FCounter = -42;
    a->FInitial = u'Z';
    a->FMask = 0xFFFFFFF0u;
    a->FMood = dmGone;
    a->FMoods = TDemoMoods{dmCalm, dmGone};
    a->FPartner = partner;
    a->FOnPing = nullptr;
    SetMethodProp(a, u"OnPing", TMethod{u"Ping", &Form, true});
    a->FSpot = {3, 4};
    a->FWide = u"not persisted";
    a->FFont->SetName(u"Courier New");
    a->FFont->SetSize(11);
    a->FFont->SetStyle(TFontStyles{fsBold, fsItalic});
    a->FFont->SetColor(clBlue);
    a->FGadget->FSize = 7;
    a->FGadget->FLabel = u"inner";
    a->FNames->AddRange({u"one", u"two"});
    a->FNumbers->AddRange({1, -2, 300});
    a->FRatios->AddRange({0.25, -1e-7});
    for (Integer i = 1; i <= 2; ++i) {
      auto* g = new TDemoGadget();
      g->FSize = i * 10;
      g->FLabel = u"g" + IntToStr(i);
      a->FGadgets->Add(g);
    }
    auto* mapped = new TDemoGadget();
    mapped->FSize = 99;
    a->FGadgetMap->Add(u"key one", mapped);
    auto* item = static_cast<TDemoItem*>(a->FItems->Add());
    item->FCaption = u"first";
    item->FWidth = 80;
    a->FLines->Clear();
    a->FLines->Add(u"line 1");
    a->FLines->Add(u"");
    TBitmap bitmap(3, 2);
    bitmap.GetCanvas()->SetPixels(1, 1, clRed);
    a->FPicture->SetGraphic(&bitmap);
    return a;
  }

  // Every published value of a loaded object against the original.
  static void ExpectSame(TDemoAll* a, TDemoAll* b) {
    EXPECT_EQ(b->FActive, a->FActive);
    EXPECT_EQ(b->FAmount, a->FAmount);
    EXPECT_EQ(b->FBig, a->FBig);
    EXPECT_EQ(b->FCaption, a->FCaption);
    EXPECT_EQ(b->FColor, a->FColor);
    EXPECT_EQ(b->FBackColor, a->FBackColor);
    EXPECT_EQ(b->FCounter, a->FCounter);
    EXPECT_EQ(b->FInitial, a->FInitial);
    EXPECT_EQ(b->FMask, a->FMask);
    EXPECT_EQ(b->FMood, a->FMood);
    EXPECT_EQ(b->FMoods, a->FMoods);
    EXPECT_EQ(b->FPartner, a->FPartner);
    EXPECT_EQ(b->FFont->GetName(), a->FFont->GetName());
    EXPECT_EQ(b->FFont->GetSize(), a->FFont->GetSize());
    EXPECT_EQ(b->FFont->GetStyle(), a->FFont->GetStyle());
    EXPECT_EQ(b->FFont->GetColor(), a->FFont->GetColor());
    EXPECT_EQ(b->FGadget->FSize, a->FGadget->FSize);
    EXPECT_EQ(b->FGadget->FLabel, a->FGadget->FLabel);
    EXPECT_EQ(b->FNames->ToArray(), a->FNames->ToArray());
    EXPECT_EQ(b->FNumbers->ToArray(), a->FNumbers->ToArray());
    EXPECT_EQ(b->FRatios->ToArray(), a->FRatios->ToArray());
    ASSERT_EQ(b->FGadgets->GetCount(), a->FGadgets->GetCount());
    for (Integer i = 0; i < a->FGadgets->GetCount(); ++i) {
      EXPECT_EQ(b->FGadgets->GetItem(i)->FSize, a->FGadgets->GetItem(i)->FSize);
      EXPECT_EQ(b->FGadgets->GetItem(i)->FLabel, a->FGadgets->GetItem(i)->FLabel);
    }
    ASSERT_EQ(b->FGadgetMap->GetCount(), 1);
    EXPECT_EQ(b->FGadgetMap->GetItem(u"key one")->FSize, 99);
    ASSERT_EQ(b->FItems->GetCount(), 1);
    EXPECT_EQ(static_cast<TDemoItem*>(b->FItems->GetItem(0))->FCaption, u"first");
    EXPECT_EQ(static_cast<TDemoItem*>(b->FItems->GetItem(0))->FWidth, 80);
    EXPECT_EQ(b->FLines->GetText(), a->FLines->GetText());
    ASSERT_NE(b->FPicture->GetGraphic(), nullptr);
    EXPECT_EQ(b->FPicture->GetWidth(), 3);
    EXPECT_EQ(b->FPicture->GetHeight(), 2);
    EXPECT_EQ(b->FPicture->GetBitmap()->GetCanvas()->GetPixels(1, 1), clRed);
    EXPECT_EQ(b->FPicture->GetBitmap()->GetCanvas()->GetPixels(0, 0), a->FPicture->GetBitmap()->GetCanvas()->GetPixels(0, 0));
    // The handler is bound to the root's published method.
    ASSERT_TRUE(b->FOnPing);
    EXPECT_EQ(b->FOnPing.GetMethodName(), u"Ping");
  }

  TDemoForm Form;
};

String Text(const char* S) { return UTF8ToString(S); }

TEST_F(NeoPersistenceFixture, WritesTypeMemberThenPropertiesExactly) {
  TDemo demo;
  demo.FCaption = u"Hi";
  demo.FColor = clRed;
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo), u"{\"$type\":\"TDemo\",\"Caption\":\"Hi\",\"Color\":\"#FF0000\"}");
  TNeoPersistence::TypeKey.clear();
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo), u"{\"Caption\":\"Hi\",\"Color\":\"#FF0000\"}");
}

TEST_F(NeoPersistenceFixture, EveryKindRoundTripsThroughToJSONAndFromJSON) {
  TNeoPersistence::RootObject = &Form;
  TDemoAll* a = MakeFilled();
  const String json = TObjectJSONHelper::ToJSON(a);

  // Members in case-insensitive name order, after the type member; the texts the format fixes.
  for (const char* fragment :
       {"{\"$type\":\"TDemoAll\",\"Active\":true,\"Amount\":1234.5,\"BackColor\":\"clNone\",\"Big\":9007199254740992,"
        "\"Caption\":\"Gr\\u00FC\\u00DFe \\u0022quoted\\u0022\",\"Color\":\"#FF0000\",\"Counter\":-42,",
        "\"Font\":{\"$type\":\"TFont\",\"Charset\":1,\"Color\":\"#0000FF\",\"Height\":-15,\"Name\":\"Courier New\","
        "\"Orientation\":0,\"Pitch\":0,\"Quality\":0,\"Size\":11,\"IsPixels\":false,\"Style\":3},",
        "\"Gadget\":{\"$type\":\"TDemoGadget\",\"Label\":\"inner\",\"Size\":7},",
        "\"GadgetMap\":[{\"key one\":{\"$type\":\"TDemoGadget\",\"Label\":\"\",\"Size\":99}}],",
        "\"Gadgets\":[{\"$type\":\"TDemoGadget\",\"Label\":\"g1\",\"Size\":10},",
        "\"Initial\":\"Z\",\"Items\":[{\"$type\":\"TDemoItem\",\"Caption\":\"first\",\"Width\":80}],",
        "\"Lines\":[\"line 1\",\"\"],\"Mask\":4294967280,\"Mood\":2,\"Moods\":5,\"Name\":\"\",\"Names\":[\"one\",\"two\"],"
        "\"Numbers\":[1,-2,300],\"OnPing\":\"Ping\",\"Partner\":\"Partner1\",\"Picture\":\"424D",
        "\"Ratios\":[0.25,-1E-7],\"Spot\":null,\"Tag\":0,\"Wide\":null}"}) {
    EXPECT_NE(json.find(Text(fragment)), String::npos) << fragment << "\nin " << UTF8Encode(json);
  }

  auto* b = new TDemoAll(&Form);
  TObjectJSONHelper::FromJSON(b, json);
  ExpectSame(a, b);
  EXPECT_EQ(b->FSpot.X, 0);              // null-written kinds are not restored
  EXPECT_EQ(b->FWide, u"");
  EXPECT_EQ(TObjectJSONHelper::ToJSON(b), json);
  b->FOnPing(b);
  EXPECT_EQ(Form.Pings, 1);
}

TEST_F(NeoPersistenceFixture, FromJSONTakesEveryCharacterOfItsText) {
  TDemo demo;
  // Characters outside Windows-1252, and ones Windows-1252 holds, written as they are or escaped.
  for (const String& caption : {String(u"\u0142\u00E9\u20AC\u20AC \u4E2D\U0001F600"), String(u"\u00E9\u00FC\u20AC\u2122")}) {
    TObjectJSONHelper::FromJSON(&demo, u"{\"Caption\":\"" + caption + u"\"}");
    EXPECT_EQ(demo.FCaption, caption);
    TDemo copy;
    TObjectJSONHelper::FromJSON(&copy, TObjectJSONHelper::ToJSON(&demo));
    EXPECT_EQ(copy.FCaption, caption);
  }
}

TEST_F(NeoPersistenceFixture, OrdinalsOutsideThePropertysTypeRaiseAndLeaveItAsItWas) {
  TDemoAll a(nullptr);
  a.FCounter = 5;
  a.FMask = 6;
  a.FMood = dmBusy;
  const struct {
    const char16_t* Json;
  } refused[] = {{u"{\"Counter\":4294967296}"}, {u"{\"Counter\":2147483648}"}, {u"{\"Counter\":-2147483649}"},
                 {u"{\"Counter\":4294967396}"}, {u"{\"Mask\":4294967296}"},    {u"{\"Mask\":-1}"},
                 {u"{\"Mood\":3}"},             {u"{\"Mood\":99}"},            {u"{\"Mood\":-1}"}};
  for (const auto& r : refused) {
    SCOPED_TRACE(UTF8Encode(r.Json));
    try {
      TObjectJSONHelper::FromJSON(&a, r.Json);
      ADD_FAILURE() << "no exception";
    } catch (TNeoJSONReader::EInvalidStateException& e) {
      EXPECT_EQ(e.Message, u"Invalid Json parser state. Expected state: 11");
    }
  }
  EXPECT_EQ(a.FCounter, 5);
  EXPECT_EQ(a.FMask, 6u);
  EXPECT_EQ(a.FMood, dmBusy);
  // The ends of each range are taken.
  TObjectJSONHelper::FromJSON(&a, u"{\"Counter\":-2147483648,\"Mask\":4294967295,\"Mood\":2,\"Big\":-9223372036854775808}");
  EXPECT_EQ(a.FCounter, std::numeric_limits<Integer>::min());
  EXPECT_EQ(a.FMask, 4294967295u);
  EXPECT_EQ(a.FMood, dmGone);
  EXPECT_EQ(a.FBig, std::numeric_limits<Int64>::min());
}

TEST_F(NeoPersistenceFixture, AnEmptyDictionaryKeyIsRefusedSinceNoWriterCouldWriteIt) {
  TDemoAll a(nullptr);
  try {
    TObjectJSONHelper::FromJSON(&a, u"{\"GadgetMap\":[{\"\":{}}],\"Lines\":[]}");
    ADD_FAILURE() << "no exception";
  } catch (ENeoReaderException& e) {
    EXPECT_EQ(e.Message, u"Empty dictionary key");
  }
  EXPECT_EQ(a.FGadgetMap->GetCount(), 0);
  EXPECT_NO_THROW(TObjectJSONHelper::ToJSON(&a));
}

TEST_F(NeoPersistenceFixture, AFailedSaveRaisesEWriteErrorAndKeepsTheOldFile) {
  TDemo demo;
  demo.FCaption = u"Hi";
  TFileStream full(u"/dev/full", fmOpenWrite);
  EXPECT_THROW(TNeoPersistence::SaveSettingsToStream(&demo, &full), EWriteError);
  EXPECT_THROW(TObjectJSONHelper::SaveToJSONStream(&demo, &full), EWriteError);

  // A file the process may not write in full: the save raises and the good file stays whole.
  const std::string file = std::string(ZELK_TEST_OUTPUT) + "/persistence-kept.json";
  TObjectJSONHelper::SaveToJSONFile(&demo, UTF8ToString(file));
  const auto good = std::filesystem::file_size(file);
  demo.FCaption = String(4096, u'x');
  struct TFileSizeLimit {
    rlimit Saved{};
    void (*SavedHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    explicit TFileSizeLimit(rlim_t ABytes) {
      getrlimit(RLIMIT_FSIZE, &Saved);
      rlimit limit = Saved;
      limit.rlim_cur = ABytes;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit() {
      setrlimit(RLIMIT_FSIZE, &Saved);
      signal(SIGXFSZ, SavedHandler);
    }
  };
  {
    TFileSizeLimit limit(1024);
    EXPECT_THROW(TObjectJSONHelper::SaveToJSONFile(&demo, UTF8ToString(file)), EWriteError);
  }
  EXPECT_EQ(std::filesystem::file_size(file), good);
  TDemo loaded;
  TObjectJSONHelper::LoadFromJSONFile(&loaded, UTF8ToString(file));
  EXPECT_EQ(loaded.FCaption, u"Hi");
}

TEST_F(NeoPersistenceFixture, EveryKindRoundTripsThroughFilesAndStreams) {
  TNeoPersistence::RootObject = &Form;
  TDemoAll* a = MakeFilled();
  const std::string file = std::string(ZELK_TEST_OUTPUT) + "/persistence-demo.json";
  struct TWay {
    const char* Name;
    std::function<void(TObject*)> Save;
    std::function<void(TObject*)> Load;
  };
  TMemoryStream stream;
  const TWay ways[] = {
      {"file", [&](TObject* o) { TObjectJSONHelper::SaveToJSONFile(o, UTF8ToString(file)); },
       [&](TObject* o) { TObjectJSONHelper::LoadFromJSONFile(o, UTF8ToString(file)); }},
      {"stream", [&](TObject* o) { TObjectJSONHelper::SaveToJSONStream(o, &stream); },
       [&](TObject* o) { TObjectJSONHelper::LoadFromJSONStream(o, &stream); }},
      {"utils", [&](TObject* o) { TNeoUtils::SaveToJSONStream(o, &stream); },
       [&](TObject* o) { TNeoUtils::LoadFromJSONStream(o, &stream); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.Name);
    stream.Clear();
    way.Save(a);
    auto* b = new TDemoAll(&Form);
    way.Load(b);
    ExpectSame(a, b);
    EXPECT_EQ(TObjectJSONHelper::ToJSON(b), TObjectJSONHelper::ToJSON(a));
  }
  // The file holds the same text as ToJSON.
  TStringStream written(String(), TEncoding::ANSI());
  TMemoryStream fromFile;
  fromFile.LoadFromFile(UTF8ToString(file));
  written.CopyFrom(&fromFile, 0);
  EXPECT_EQ(written.DataString(), TObjectJSONHelper::ToJSON(a));
}

// An IO reference that writes gadgets as their labels and finds them again by label.
class TGadgetBook : public TObject, public IPersistObjectReference {
  ZELK_CLASS(TGadgetBook, TObject)
public:
  std::vector<std::unique_ptr<TDemoGadget>> Known;
  std::vector<TObject*> Added;
  TObject* Wrong = nullptr;

  TObject* CreateObject(const String& AClassName, TClass ABaseClass) override {
    return TNeoPersistence::CreateObject(AClassName, ABaseClass);
  }
  bool IsReference(TClass AClass) override { return AClass->InheritsFrom(TDemoGadget::StaticClass()); }
  String GetReference(TObject* AObject) override { return static_cast<TDemoGadget*>(AObject)->FLabel; }
  TObject* FindReference(const String& AId) override {
    if (AId == u"wrong") return Wrong;
    for (auto& g : Known)
      if (g->FLabel == AId) return g.get();
    return nullptr;
  }
  void ItemAdded(TObject* AItem, TObject*) override { Added.push_back(AItem); }
};

class TGadgetUser : public TPersistent {
  ZELK_CLASS(TGadgetUser, TPersistent)
public:
  TDemoGadget* FTarget = nullptr;
  TDemoGadget* FSpare = nullptr;
};

TEST_F(NeoPersistenceFixture, ReferencesAreSolvedAfterLoading) {
  Publish<TGadgetUser>().Property(u"Target", &TGadgetUser::FTarget).Property(u"Spare", &TGadgetUser::FSpare);
  TGadgetBook book;
  for (const char16_t* label : {u"alpha", u"beta"}) {
    book.Known.push_back(std::make_unique<TDemoGadget>());
    book.Known.back()->FLabel = label;
  }
  TGadgetUser user;
  user.FTarget = book.Known[1].get();
  TMemoryStream stream;
  {
    TNeoWriter writer(&stream);
    writer.SetIOReference(&book);
    writer.Write(&user);
  }
  TStringStream text(String(), TEncoding::ANSI());
  text.CopyFrom(&stream, 0);
  EXPECT_EQ(text.DataString(), u"{\"$type\":\"TGadgetUser\",\"Spare\":\"\",\"Target\":\"beta\"}");

  // The document names "beta" for Target and "wrong" (an object of another class) for Spare.
  TStringStream doc(u"{\"$type\":\"TGadgetUser\",\"Spare\":\"wrong\",\"Target\":\"beta\"}", TEncoding::ANSI());
  TComponent other(nullptr);
  book.Wrong = &other;
  TGadgetUser loaded;
  TDemoGadget keep;
  loaded.FSpare = &keep;
  TNeoReader reader(&doc);
  reader.SetIOReference(&book);
  reader.Read(&loaded);
  EXPECT_EQ(reader.GetReferenceCount(), 2);
  EXPECT_EQ(loaded.FTarget, nullptr);   // not before SolveReferences
  reader.SolveReferences();
  EXPECT_EQ(loaded.FTarget, book.Known[1].get());
  EXPECT_EQ(loaded.FSpare, &keep);      // a found object of another class is refused
}

TEST_F(NeoPersistenceFixture, ComponentNamesResolveAgainstTheRootComponent) {
  TDemoAll* a = MakeFilled();
  struct TCase {
    const char* Name;
    TObject* Root;
    const char16_t* Value;
    bool ExpectPartner;   // else nil, or unchanged without root
    bool Changed;
  };
  TComponent* partner = Form.FindComponent(u"Partner1");
  const TCase cases[] = {
      {"found", &Form, u"partner1", true, true},
      {"empty name", &Form, u"", false, true},
      {"unknown name", &Form, u"Nobody", false, true},
      {"not a component root", a->FGadget.get(), u"Partner1", false, false},
      {"no root", nullptr, u"Partner1", false, false},
  };
  TComponent marker(nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    a->FPartner = &marker;
    TNeoPersistence::RootObject = c.Root;
    TObjectJSONHelper::FromJSON(a, u"{\"Partner\":\"" + String(c.Value) + u"\"}");
    if (!c.Changed) EXPECT_EQ(a->FPartner, &marker);
    else EXPECT_EQ(a->FPartner, c.ExpectPartner ? partner : nullptr);
  }
}

TEST_F(NeoPersistenceFixture, UnknownMembersAreSkippedWithTheirWholeValue) {
  auto* a = new TDemoAll(&Form);
  TObjectJSONHelper::FromJSON(
      a, u"{\"Counter\":5,\"Bogus\":{\"a\":[1,{\"b\":null},\"x\"],\"c\":{}},\"Extra\":[[]],\"Caption\":\"after\","
         "\"$type\":\"TDemoAll\",\"IsPixels\":true}");
  EXPECT_EQ(a->FCounter, 5);
  EXPECT_EQ(a->FCaption, u"after");
}

TEST_F(NeoPersistenceFixture, TypeKeyAndCreationFailuresRaiseTheReadersMessages) {
  TDemo demo;
  struct TCase {
    const char* Name;
    std::function<void()> Call;
    const char16_t* Message;
  };
  TStringStream other(u"{\"Caption\":\"x\",\"$type\":\"TDemo\"}", TEncoding::ANSI());
  TStringStream empty(u"{}", TEncoding::ANSI());
  const TCase cases[] = {
      {"other first member", [&] { TNeoPersistence::LoadSettingsFromStream(&demo, &other); },
       u"\"$type\" property not found in Object descriptor."},
      {"no members", [&] { TNeoPersistence::LoadSettingsFromStream(&demo, &empty); },
       u"\"$type\" property not found in Object descriptor."},
      {"unregistered", [] { TNeoPersistence::CreateObject(u"TNoSuchClass", TObject::StaticClass()); },
       u"Type \"TNoSuchClass\" not found"},
      {"wrong base", [] { TNeoPersistence::CreateObject(u"TDemoGadget", TComponent::StaticClass()); },
       u"Type \"TDemoGadget\" does not inherit from TComponent"},
      {"not persistent", [] { TNeoPersistence::CreateObject(u"TStringStream", nullptr); },
       u"Type \"TStringStream\" not supported"},
  };
  RegisterClass(TStringStream::StaticClass());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      c.Call();
      ADD_FAILURE() << "no exception";
    } catch (ENeoReaderException& e) {
      EXPECT_EQ(e.Message, c.Message);
    }
  }
  // CreateObject makes components without owner, items without collection.
  std::unique_ptr<TObject> item(TNeoPersistence::CreateObject(u"TDemoItem", TCollectionItem::StaticClass()));
  EXPECT_EQ(static_cast<TDemoItem*>(item.get())->GetCollection(), nullptr);
  std::unique_ptr<TObject> component(TNeoPersistence::CreateObject(u"tdemoall", nullptr));
  EXPECT_EQ(static_cast<TComponent*>(component.get())->GetOwner(), nullptr);
}

TEST_F(NeoPersistenceFixture, ColoursAreWrittenAsDistinctTextsAndReadStrictly) {
  TDemo demo;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const String faceText = u"#" + IntToHex(Integer(face & 0xFF), 2) + IntToHex(Integer((face >> 8) & 0xFF), 2) +
                          IntToHex(Integer((face >> 16) & 0xFF), 2);
  struct TCase {
    TColor Color;
    String Written;
    TColor ReadBack;
  };
  const TCase cases[] = {
      {clRed, u"#FF0000", clRed},   {0x00123456, u"#563412", 0x00123456}, {-1, u"gcNull", -1},
      {clNone, u"clNone", clNone},  {clDefault, u"clDefault", clDefault},  {clBtnFace, faceText, TColor(face)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Written));
    demo.FColor = c.Color;
    const String json = TObjectJSONHelper::ToJSON(&demo);
    EXPECT_NE(json.find(u"\"Color\":\"" + c.Written + u"\""), String::npos) << UTF8Encode(json);
    demo.FColor = 0x0ABCDEF;
    TObjectJSONHelper::FromJSON(&demo, json);
    EXPECT_EQ(demo.FColor, c.ReadBack);
  }
  TObjectJSONHelper::FromJSON(&demo, u"{\"Color\":\"#a0b0Cf\"}");
  EXPECT_EQ(demo.FColor, 0xCFB0A0);
  for (const char16_t* bad : {u"#FF00", u"#FF00000", u"#GG0000", u"FF0000", u"red", u"", u"#12 456"}) {
    SCOPED_TRACE(UTF8Encode(bad));
    demo.FColor = clGreen;
    EXPECT_THROW(TObjectJSONHelper::FromJSON(&demo, u"{\"Color\":\"" + String(bad) + u"\"}"), ENeoReaderException);
    EXPECT_EQ(demo.FColor, clGreen);
  }
}

TEST_F(NeoPersistenceFixture, FontSizeInPixelsIsConvertedToPoints) {
  TFont font;
  struct TCase {
    const char16_t* Json;
    Integer Size;
  };
  const TCase cases[] = {
      {u"{\"Size\":16,\"IsPixels\":true}", 12},
      {u"{\"Size\":15,\"IsPixels\":true}", 11},    // 11.25
      {u"{\"Size\":14,\"IsPixels\":true}", 10},    // 10.5: halves to even
      {u"{\"Size\":16,\"IsPixels\":false}", 16},
      {u"{\"Size\":16}", 16},
      {u"{\"IsPixels\":true,\"Size\":16}", 16},    // only right after Size
      {u"{\"Size\":16,\"isPixels\":true}", 16},    // exact case
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Json));
    font.SetSize(9);
    TObjectJSONHelper::FromJSON(&font, c.Json);
    EXPECT_EQ(font.GetSize(), c.Size);
  }
}

// A height between two whole point sizes comes back as it was, not as the nearest point size.
TEST_F(NeoPersistenceFixture, FontHeightsRoundTripExactly) {
  for (Integer height : {-14, -13, -11, -16, 20, -1}) {
    SCOPED_TRACE(height);
    TFont source, target;
    source.SetHeight(height);
    target.SetSize(30);
    TObjectJSONHelper::FromJSON(&target, TObjectJSONHelper::ToJSON(&source));
    EXPECT_EQ(target.GetHeight(), height);
  }
}

TEST_F(NeoPersistenceFixture, ExcludedPropertiesStayInForceAfterTheCallThatNamesThem) {
  TDemo demo;
  demo.FCaption = u"Hi";
  const String withoutCaption = u"{\"$type\":\"TDemo\",\"Color\":\"#000000\"}";
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo, {u"caption"}), withoutCaption);
  EXPECT_EQ(TNeoPersistence::ExcludeProperties, TNeoExcludePropertyListArray{u"caption"});
  // A later plain ToJSON still leaves it out, and a load does not read it.
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo), withoutCaption);
  TObjectJSONHelper::FromJSON(&demo, u"{\"Caption\":\"New\",\"Color\":\"#FFFFFF\"}");
  EXPECT_EQ(demo.FCaption, u"Hi");
  EXPECT_EQ(demo.FColor, clWhite);

  // Setting a writer's or a reader's list replaces the process-wide one as well.
  TMemoryStream stream;
  {
    TNeoWriter writer(&stream);
    writer.SetExcludeProperties({u"Color"});
    EXPECT_EQ(writer.GetExcludeProperties(), TNeoExcludePropertyListArray{u"Color"});
  }
  EXPECT_EQ(TNeoPersistence::ExcludeProperties, TNeoExcludePropertyListArray{u"Color"});
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo), u"{\"$type\":\"TDemo\",\"Caption\":\"Hi\"}");
  {
    TNeoReader reader(&stream);
    EXPECT_EQ(reader.GetExcludeProperties(), TNeoExcludePropertyListArray{u"Color"});
    reader.SetExcludeProperties({});
  }
  EXPECT_TRUE(TNeoPersistence::ExcludeProperties.empty());
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&demo), u"{\"$type\":\"TDemo\",\"Caption\":\"Hi\",\"Color\":\"#FFFFFF\"}");
}

TEST_F(NeoPersistenceFixture, FiltersAndHandlersDecideWhatIsWrittenAndRead) {
  class TFiltered : public TDemo, public IPersistPropertyFilter {
  public:
    bool CanWriteProperty(TObject*, const String& AName, TTypeKind) override { return AName != u"Color"; }
    bool CanReadProperty(TObject*, const String& AName, TTypeKind) override { return AName != u"Caption"; }
  };
  TFiltered f;
  f.FCaption = u"kept";
  TNeoPersistence::ExcludeProperties = {u"Caption"};   // the filter alone decides
  EXPECT_EQ(TObjectJSONHelper::ToJSON(&f), u"{\"$type\":\"TFiltered\",\"Caption\":\"kept\"}");
  TObjectJSONHelper::FromJSON(&f, u"{\"Caption\":\"no\",\"Color\":\"#FF0000\"}");
  EXPECT_EQ(f.FCaption, u"kept");
  EXPECT_EQ(f.FColor, clRed);
  TNeoPersistence::ExcludeProperties.clear();

  // The class-level handlers reach the entry points' writers and readers.
  TDemo demo;
  TNeoPersistence::OnCustomWriteProperty = [](TObject*, const String& AName, TTypeKind AKind, TNeoJSONWriter* AWriter,
                                              bool& ACanWrite) {
    if (AName != u"Caption") return;
    EXPECT_EQ(AKind, tkUString);
    AWriter->WriteName(u"Caption").WriteString(u"custom");
    ACanWrite = false;
  };
  TNeoPersistence::OnCustomReadProperty = [](TObject*, const String& AName, TTypeKind, TNeoJSONReader*, bool& ACanRead) {
    ACanRead = AName != u"Color";
  };
  const String json = TObjectJSONHelper::ToJSON(&demo);
  TNeoPersistence::OnCustomWriteProperty = nullptr;
  EXPECT_EQ(json, u"{\"$type\":\"TDemo\",\"Caption\":\"custom\",\"Color\":\"#000000\"}");
  demo.FColor = clAqua;
  TObjectJSONHelper::FromJSON(&demo, json);
  TNeoPersistence::OnCustomReadProperty = nullptr;
  EXPECT_EQ(demo.FCaption, u"custom");
  EXPECT_EQ(demo.FColor, clAqua);
}

TEST_F(NeoPersistenceFixture, SeparatorsAreJSONsDuringTheWorkAndRestoredAfterwards) {
  FormatSettings = TFormatSettings::German();
  TNeoPersistence::RootObject = &Form;
  TDemoAll* a = MakeFilled();
  Char seenDecimal = 0, seenThousand = 0;
  TNeoPersistence::OnCustomWriteProperty = [&](TObject*, const String&, TTypeKind, TNeoJSONWriter*, bool&) {
    seenDecimal = FormatSettings.DecimalSeparator;
    seenThousand = FormatSettings.ThousandSeparator;
  };
  TMemoryStream stream;
  TNeoPersistence::SaveSettingsToStream(a, &stream);
  TNeoPersistence::OnCustomWriteProperty = nullptr;
  EXPECT_EQ(seenDecimal, u'.');
  EXPECT_EQ(seenThousand, u',');
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  EXPECT_EQ(FormatSettings.ThousandSeparator, u'.');
  const String json = TObjectJSONHelper::ToJSON(a);
  EXPECT_NE(json.find(u"\"Amount\":1234.5,"), String::npos);
  EXPECT_NE(json.find(u"\"Ratios\":[0.25,-1E-7]"), String::npos);

  auto* b = new TDemoAll(&Form);
  TNeoPersistence::LoadSettingsFromStream(b, &stream);
  EXPECT_EQ(b->FAmount, 1234.5);
  EXPECT_EQ(b->FRatios->ToArray(), a->FRatios->ToArray());
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');

  // A failing load restores them too.
  TStringStream broken(u"{\"$type\":\"TDemoAll\",\"Amount\":2.5,\"Counter\":", TEncoding::ANSI());
  EXPECT_ANY_THROW(TNeoPersistence::LoadSettingsFromStream(b, &broken));
  EXPECT_EQ(b->FAmount, 2.5);
  EXPECT_EQ(FormatSettings.DecimalSeparator, u',');
  EXPECT_EQ(FormatSettings.ThousandSeparator, u'.');
}

TEST_F(NeoPersistenceFixture, FailedFromJSONRestoresTypeKeyAndIOReference) {
  TGadgetBook book;
  TNeoPersistence::IOReference = &book;
  TDemo demo;
  for (const char16_t* bad : {u"{\"Caption\":", u"{\"Color\":\"#XYZ\"}", u"[1]"}) {
    SCOPED_TRACE(UTF8Encode(bad));
    EXPECT_ANY_THROW(TObjectJSONHelper::FromJSON(&demo, bad));
    EXPECT_EQ(TNeoPersistence::TypeKey, u"$type");
    EXPECT_EQ(TNeoPersistence::IOReference, &book);
  }
  TObjectJSONHelper::FromJSON(&demo, u"{\"Caption\":\"ok\"}");
  EXPECT_EQ(TNeoPersistence::IOReference, &book);
  EXPECT_EQ(demo.FCaption, u"ok");
}

TEST_F(NeoPersistenceFixture, APlainListOfObjectsRoundTripsAndAReloadFreesWhatItHeld) {
  const Integer aliveBefore = TDemoBox::Alive;
  {
    TDemoShelf shelf(nullptr);
    shelf.AddBox(3);
    shelf.AddBox(-8);
    const String json = TObjectJSONHelper::ToJSON(&shelf);
    EXPECT_NE(json.find(u"\"Boxes\":[{\"$type\":\"TDemoBox\",\"Size\":3},"), String::npos) << UTF8Encode(json);

    // Into a new object, and again into the one that already holds the boxes.
    TDemoShelf copy(nullptr);
    for (TDemoShelf* target : {&copy, &shelf}) {
      TObjectJSONHelper::FromJSON(target, json);
      ASSERT_EQ(target->FBoxes->GetCount(), 2);
      EXPECT_EQ(target->BoxSize(0), 3);
      EXPECT_EQ(target->BoxSize(1), -8);
      EXPECT_EQ(TObjectJSONHelper::ToJSON(target), json);
    }
    EXPECT_EQ(TDemoBox::Alive, aliveBefore + 4);

    // Loading with the type key in force replaces the boxes too; the old ones are freed.
    TStringStream doc(u"{\"$type\":\"TDemoShelf\",\"Boxes\":[{\"$type\":\"TDemoBox\",\"Size\":5}]}", TEncoding::ANSI());
    TNeoPersistence::LoadSettingsFromStream(&shelf, &doc);
    ASSERT_EQ(shelf.FBoxes->GetCount(), 1);
    EXPECT_EQ(shelf.BoxSize(0), 5);
    EXPECT_EQ(TDemoBox::Alive, aliveBefore + 3);

    // A list that owns its objects frees them itself, once.
    shelf.FCrates->Add(new TDemoBox());
    TObjectJSONHelper::FromJSON(&shelf, u"{\"Crates\":[{\"$type\":\"TDemoBox\",\"Size\":1},{\"$type\":\"TDemoBox\"}]}");
    ASSERT_EQ(shelf.FCrates->GetCount(), 2);
    EXPECT_EQ(static_cast<TDemoBox*>(shelf.FCrates->GetItems(0))->FSize, 1);
    EXPECT_EQ(TDemoBox::Alive, aliveBefore + 5);
  }
  EXPECT_EQ(TDemoBox::Alive, aliveBefore);
}

TEST_F(NeoPersistenceFixture, ArraysOfObjectsAndNewObjects) {
  TDemoGadget g1, g2;
  g1.FLabel = u"a";
  g2.FSize = 2;
  TMemoryStream stream;
  {
    TNeoWriter writer(&stream);
    writer.WriteArray(u"Items", {&g1, nullptr, &g2});
  }
  TStringStream text(String(), TEncoding::ANSI());
  text.CopyFrom(&stream, 0);
  EXPECT_EQ(text.DataString(), u"{\"Items\":[{\"$type\":\"TDemoGadget\",\"Label\":\"a\",\"Size\":0},null,"
                               u"{\"$type\":\"TDemoGadget\",\"Label\":\"\",\"Size\":2}]}");
  TStringStream doc(u"{\"Other\":[1],\"Items\":" + text.DataString().substr(9), TEncoding::ANSI());
  TNeoReader reader(&doc);
  TNeoObjectArray items = reader.ReadArray(u"Items");
  ASSERT_EQ(items.size(), 2u);
  std::unique_ptr<TObject> first(items[0]), second(items[1]);
  EXPECT_EQ(static_cast<TDemoGadget*>(first.get())->FLabel, u"a");
  EXPECT_EQ(static_cast<TDemoGadget*>(second.get())->FSize, 2);

  // A new object of the class the type member names; a failing read frees it.
  TStringStream one(u"{\"$type\":\"TDemoGadget\",\"Size\":4}", TEncoding::ANSI());
  TNeoReader oneReader(&one);
  std::unique_ptr<TObject> made(oneReader.Read(TPersistent::StaticClass()));
  EXPECT_EQ(static_cast<TDemoGadget*>(made.get())->FSize, 4);
  TStringStream bad(u"{\"$type\":\"TDemoGadget\",\"Size\":\"x\"}", TEncoding::ANSI());
  TNeoReader badReader(&bad);
  EXPECT_ANY_THROW(badReader.Read(TPersistent::StaticClass()));
}

TEST_F(NeoPersistenceFixture, CloneCopiesPublishedPropertiesWithoutNameOrOwner) {
  TNeoPersistence::RootObject = &Form;
  TDemoAll* a = MakeFilled();
  a->SetName(u"Original");
  std::unique_ptr<TComponent> copy(TNeoUtils::Clone(a));
  auto* b = dynamic_cast<TDemoAll*>(copy.get());
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetOwner(), nullptr);
  EXPECT_EQ(b->GetName(), u"");
  EXPECT_EQ(a->GetName(), u"Original");
  ExpectSame(a, b);
}

TEST(NeoPersistenceUnit, StartUpSetsTheTypeKeyAndFinalisationClearsIt) {
  TNeoPersistence::TypeKey.clear();
  RegisterNeoPersistenceUnit();
  {
    TUnitsScope units;
    EXPECT_EQ(TNeoPersistence::TypeKey, u"$type");
    EXPECT_TRUE(IsPublishedProp(TFont::StaticClass(), u"Charset"));
  }
  EXPECT_EQ(TNeoPersistence::TypeKey, u"");
}

TEST(NeoPersistenceKinds, ClassAndTypeNameTests) {
  using P = TNeoPersistence;
  EXPECT_TRUE(P::IsGenericList(TGList<String>::StaticClass(), u"String"));
  EXPECT_FALSE(P::IsGenericList(TGList<String>::StaticClass(), u"integer"));
  EXPECT_TRUE(P::IsGenericList(TGObjectList<TDemoGadget>::StaticClass()));
  EXPECT_FALSE(P::IsGenericList(TList::StaticClass()));
  EXPECT_TRUE(P::IsGenericDictionary(TObjectDictionary<String, TDemoGadget*>::StaticClass()));
  EXPECT_TRUE(P::IsList(TList::StaticClass()));
  EXPECT_TRUE(P::IsCollection(TOwnedCollection::StaticClass()));
  EXPECT_TRUE(P::IsStrings(TStringList::StaticClass()));
  EXPECT_TRUE(P::IsComponent(TDemoAll::StaticClass()));
  EXPECT_FALSE(P::IsComponent(TDemoGadget::StaticClass()));
  EXPECT_TRUE(P::IsBitmap(TPicture::StaticClass()));
  EXPECT_TRUE(P::IsBitmap(TBitmap::StaticClass()));
  EXPECT_FALSE(P::IsBitmap(TGraphic::StaticClass()));
  EXPECT_TRUE(P::IsDescendingClass(TDemoAll::StaticClass(), {u"TPersistent"}));
  EXPECT_FALSE(P::IsDescendingClass(TDemoAll::StaticClass(), {u"tpersistent"}));
  for (const char16_t* name : {u"TAlphaColor", u"TColor", u"TGraphicsColor"}) EXPECT_TRUE(P::IsColor(name));
  EXPECT_FALSE(P::IsColor(u"Integer"));
  EXPECT_TRUE(P::IsDateTime(u"TDateTime"));
  EXPECT_EQ(P::ControlProperties().size(), 53u);

  PublishDemoClasses();
  PPropInfo moods = GetPropInfo(TDemoAll::StaticClass(), u"Moods");
  TStringList names;
  P::GetEnumValues(&names, moods);
  EXPECT_EQ(names.GetCommaText(), u"dmCalm,dmBusy,dmGone");
  EXPECT_EQ(P::GetEnumName(moods, 1), u"dmBusy");
  EXPECT_EQ(P::GetPropInfoTypeName(moods), u"TDemoMoods");
  EXPECT_TRUE(P::IsReadOnly(GetPropInfo(TDemoAll::StaticClass(), u"Font")));
}

}  // namespace
