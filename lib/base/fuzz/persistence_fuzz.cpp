// libFuzzer target: object persistence over arbitrary JSON text (see README.md beside this file).
//
// The input, read as UTF-8, goes through FromJSON into a component with a published property of
// every kind the persistence handles (ordinals, enumerations, sets, floats, texts, colours, a
// component reference, an event, a record, a font, a nested object, generic and plain lists,
// object lists, a dictionary, a collection, strings and a picture). The reader may refuse it only
// with an exception. Whatever the component then holds, accepted in whole or in part, must
// survive a save and a load: ToJSON of a second component loaded from the first one's ToJSON
// must give the same text.
#include <cstdint>
#include <memory>

#include "lib/base/NeoObjectJSON.h"
#include "lib/base/NeoPersistence.h"
#include "platform/rtl/Contnrs.h"
#include "platform/rtl/Generics.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/fuzz/FuzzSupport.h"
#include "platform/ui/Graphics.h"

namespace {

template <class T> using TGObjectList = Generics::Collections::TObjectList<T>;
template <class T> using TGList = Generics::Collections::TList<T>;
using Generics::Collections::doOwnsValues;
using Generics::Collections::TDictionaryOwnerships;
using Generics::Collections::TObjectDictionary;

enum TFuzzShade { fsLight, fsMiddle, fsDark, fsBlack };
using TFuzzShades = TSet<TFuzzShade>;

struct TFuzzPoint {
  Integer X = 0, Y = 0;
};

// Items of the lists, the dictionary and the collection.
class TFuzzPart : public TPersistent {
  ZELK_CLASS(TFuzzPart, TPersistent)
public:
  Integer FSize = 0;
  String FLabel;
  Double FWeight = 0;
};

class TFuzzRow : public TCollectionItem {
  ZELK_CLASS(TFuzzRow, TCollectionItem)
public:
  explicit TFuzzRow(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String FCaption;
  Integer FWidth = 0;
};

// The component every document is read into. It creates the objects of its lists itself, as the
// IO reference FromJSON makes it, and frees what its plain list holds.
class TFuzzAll : public TComponent, public IPersistObjectFactory {
  ZELK_CLASS(TFuzzAll, TComponent)
public:
  explicit TFuzzAll(TComponent* AOwner) : TComponent(AOwner) {}
  ~TFuzzAll() override {
    for (Pointer item : *FLoose) delete static_cast<TObject*>(item);
  }
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
  TFuzzShade FShade = fsLight;
  TFuzzShades FShades;
  TComponent* FPartner = nullptr;
  TMethodEvent<void(TObject*)> FOnPing;
  TFuzzPoint FPoint;
  String FWide;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TFuzzPart> FPart = std::make_unique<TFuzzPart>();
  std::unique_ptr<TGList<String>> FNames = std::make_unique<TGList<String>>();
  std::unique_ptr<TGList<Integer>> FNumbers = std::make_unique<TGList<Integer>>();
  std::unique_ptr<TGList<Double>> FRatios = std::make_unique<TGList<Double>>();
  std::unique_ptr<TGObjectList<TFuzzPart>> FParts = std::make_unique<TGObjectList<TFuzzPart>>();
  std::unique_ptr<TObjectDictionary<String, TFuzzPart*>> FPartMap =
      std::make_unique<TObjectDictionary<String, TFuzzPart*>>(TDictionaryOwnerships{doOwnsValues});
  std::unique_ptr<TOwnedCollection> FRows = std::make_unique<TOwnedCollection>(this, TFuzzRow::StaticClass());
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TPicture> FPicture = std::make_unique<TPicture>();
  std::unique_ptr<TList> FLoose = std::make_unique<TList>();
  std::unique_ptr<TObjectList> FOwned = std::make_unique<TObjectList>(true);

  TFont* GetFont() const { return FFont.get(); }
  TFuzzPart* GetPart() const { return FPart.get(); }
  TGList<String>* GetNames() const { return FNames.get(); }
  TGList<Integer>* GetNumbers() const { return FNumbers.get(); }
  TGList<Double>* GetRatios() const { return FRatios.get(); }
  TGObjectList<TFuzzPart>* GetParts() const { return FParts.get(); }
  TObjectDictionary<String, TFuzzPart*>* GetPartMap() const { return FPartMap.get(); }
  TOwnedCollection* GetRows() const { return FRows.get(); }
  TStrings* GetLines() const { return FLines.get(); }
  TPicture* GetPicture() const { return FPicture.get(); }
  TList* GetLoose() const { return FLoose.get(); }
  TObjectList* GetOwned() const { return FOwned.get(); }
};

// The root: owns the component read into and its partner, and publishes the event's handler.
class TFuzzForm : public TComponent {
  ZELK_CLASS(TFuzzForm, TComponent)
public:
  TFuzzForm() : TComponent(nullptr) {
    auto* partner = new TComponent(this);
    partner->SetName(u"Partner1");
  }
  void Ping(TObject*) {}
};

}  // namespace

ZELK_ENUM_INFO(TFuzzShade, fsLight, fsMiddle, fsDark, fsBlack)

namespace {

void PublishClasses() {
  Publish<TFuzzPart>()
      .Property(u"Size", &TFuzzPart::FSize)
      .Property(u"Label", &TFuzzPart::FLabel)
      .Property(u"Weight", &TFuzzPart::FWeight);
  Publish<TFuzzRow>().Property(u"Caption", &TFuzzRow::FCaption).Property(u"Width", &TFuzzRow::FWidth);
  Publish<TFuzzForm>().Method(u"Ping", &TFuzzForm::Ping);
  Publish<TFuzzAll>()
      .Property(u"Active", &TFuzzAll::FActive)
      .Property(u"Amount", &TFuzzAll::FAmount)
      .Property(u"Big", &TFuzzAll::FBig)
      .Property(u"Caption", &TFuzzAll::FCaption)
      .Property(u"Color", &TFuzzAll::FColor).Type(u"TColor")
      .Property(u"BackColor", &TFuzzAll::FBackColor).Type(u"TGraphicsColor")
      .Property(u"Counter", &TFuzzAll::FCounter)
      .Property(u"Initial", &TFuzzAll::FInitial)
      .Property(u"Mask", &TFuzzAll::FMask)
      .Property(u"Shade", &TFuzzAll::FShade)
      .Property(u"Shades", &TFuzzAll::FShades).Type(u"TFuzzShades")
      .Property(u"Partner", &TFuzzAll::FPartner)
      .Property(u"OnPing", &TFuzzAll::FOnPing)
      .Property(u"Point", &TFuzzAll::FPoint)
      .Property(u"Wide", &TFuzzAll::FWide).Kind(tkWString)
      .Property(u"Font", &TFuzzAll::GetFont, nullptr)
      .Property(u"Part", &TFuzzAll::GetPart, nullptr)
      .Property(u"Names", &TFuzzAll::GetNames, nullptr)
      .Property(u"Numbers", &TFuzzAll::GetNumbers, nullptr)
      .Property(u"Ratios", &TFuzzAll::GetRatios, nullptr)
      .Property(u"Parts", &TFuzzAll::GetParts, nullptr)
      .Property(u"PartMap", &TFuzzAll::GetPartMap, nullptr)
      .Property(u"Rows", &TFuzzAll::GetRows, nullptr)
      .Property(u"Lines", &TFuzzAll::GetLines, nullptr)
      .Property(u"Picture", &TFuzzAll::GetPicture, nullptr)
      .Property(u"Loose", &TFuzzAll::GetLoose, nullptr)
      .Property(u"Owned", &TFuzzAll::GetOwned, nullptr);
  RegisterClasses({TFuzzPart::StaticClass(), TFuzzRow::StaticClass(), TFuzzAll::StaticClass()});
}

// ToJSON of a new component, in a form of its own, loaded from AJson.
String Reloaded(const String& AJson) {
  TFuzzForm form;
  TNeoPersistence::RootObject = &form;
  auto* copy = new TFuzzAll(&form);
  try {
    TObjectJSONHelper::FromJSON(copy, AJson);
  } catch (Exception& e) {
    fuzz::Finding("ToJSON text is refused by FromJSON", AJson, e.Message);
  }
  return TObjectJSONHelper::ToJSON(copy);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PublishClasses();
  TNeoPersistence::TypeKey = u"$type";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const String input = fuzz::Utf8(Data, Size);
  TFuzzForm form;
  TNeoPersistence::RootObject = &form;
  auto* target = new TFuzzAll(&form);
  try {
    TObjectJSONHelper::FromJSON(target, input);
  } catch (Exception&) {
    // refused; what was read before the refusal stays and must round trip too
  }
  String saved;
  try {
    saved = TObjectJSONHelper::ToJSON(target);
  } catch (Exception& e) {
    fuzz::Finding("what FromJSON accepted cannot be written", input, e.Message);
  }
  const String again = Reloaded(saved);
  if (again != saved) fuzz::Finding("save, load and save gives another text", saved, again);
  TNeoPersistence::RootObject = nullptr;
  return 0;
}
