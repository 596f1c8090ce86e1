// Component ownership and notification; collections and their update protocol.
#include <gtest/gtest.h>

#include "platform/rtl/Classes.h"

namespace {

// Records the notifications it receives and its own destruction.
class TProbe : public TComponent {
  ZELK_CLASS(TProbe, TComponent)
public:
  explicit TProbe(TComponent* AOwner) : TComponent(AOwner) {}
  ~TProbe() override {
    if (Log) Log->push_back(UTF8Encode(GetName()) + " freed");
  }
  std::vector<std::string>* Log = nullptr;
  TComponent* Partner = nullptr;
  bool WasLoaded = false;

  void CallLoaded() { Loaded(); }
  void SetLoading() { FComponentState.Include(csLoading); }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Log)
      Log->push_back(UTF8Encode(GetName()) + (Operation == opInsert ? " +" : " -") +
                     UTF8Encode(AComponent->GetName()));
    if (Operation == opRemove && AComponent == Partner) Partner = nullptr;
  }
  void Loaded() override {
    TComponent::Loaded();
    WasLoaded = true;
  }
};

}  // namespace

TEST(Component, OwnerFreesChildrenLastFirst) {
  std::vector<std::string> log;
  auto* owner = new TProbe(nullptr);
  owner->SetName(u"Owner");
  for (const Char* name : {u"A", u"B", u"C"}) {
    auto* c = new TProbe(owner);
    c->SetName(name);
  }
  for (Integer i = 0; i < owner->GetComponentCount(); ++i) static_cast<TProbe*>(owner->GetComponents(i))->Log = &log;
  EXPECT_EQ(owner->GetComponentCount(), 3);
  EXPECT_EQ(owner->GetComponents(1)->GetName(), u"B");
  EXPECT_EQ(owner->GetComponents(2)->GetOwner(), owner);
  EXPECT_EQ(owner->GetComponents(2)->GetComponentIndex(), 2);
  EXPECT_THROW(owner->GetComponents(3), EListError);
  delete owner;
  EXPECT_EQ(log, (std::vector<std::string>{"C freed", "B freed", "A freed"}));
}

TEST(Component, FreeingAChildTellsItsSiblingsAndLeavesTheOwner) {
  std::vector<std::string> log;
  TProbe owner(nullptr);
  auto* a = new TProbe(&owner);
  a->SetName(u"A");
  a->Log = &log;
  auto* b = new TProbe(&owner);
  b->SetName(u"B");
  b->Log = &log;
  log.clear();
  delete b;
  EXPECT_EQ(owner.GetComponentCount(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"B freed", "A -B"}));
  EXPECT_EQ(owner.FindComponent(u"b"), nullptr);
  EXPECT_EQ(owner.FindComponent(u"a"), a);
  EXPECT_EQ(owner.FindComponent(u""), nullptr);
}

TEST(Component, FreeNotificationAcrossOwners) {
  TProbe formA(nullptr), formB(nullptr);
  auto* watcher = new TProbe(&formA);
  auto* target = new TProbe(&formB);
  target->SetName(u"Target");
  watcher->Partner = target;
  target->FreeNotification(watcher);
  EXPECT_TRUE(target->GetComponentState().Contains(csFreeNotification));
  delete target;
  EXPECT_EQ(watcher->Partner, nullptr);

  // The link is mutual: freeing the watcher first unlinks it, so the later free is safe.
  auto* target2 = new TProbe(&formB);
  auto* watcher2 = new TProbe(&formA);
  target2->FreeNotification(watcher2);
  delete watcher2;
  delete target2;   // must not notify the freed watcher (the sanitizer would see it)

  auto* t3 = new TProbe(&formB);
  auto* w3 = new TProbe(&formA);
  w3->Partner = t3;
  t3->FreeNotification(w3);
  t3->RemoveFreeNotification(w3);
  delete t3;
  EXPECT_EQ(w3->Partner, t3);   // no longer told
}

TEST(Component, NamesAreValidatedPerOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName(u"Edit1");
  try {
    b->SetName(u"edit1");
    FAIL();
  } catch (EComponentError& e) {
    EXPECT_EQ(e.Message, u"A component named edit1 already exists");
  }
  try {
    b->SetName(u"1st");
    FAIL();
  } catch (EComponentError& e) {
    EXPECT_EQ(e.Message, u"'1st' is not a valid component name");
  }
  EXPECT_THROW(b->SetName(u"a b"), EComponentError);
  a->SetName(u"EDIT1");   // a case change of its own name is fine
  b->SetName(u"_Edit2");
  b->SetName(u"");
  EXPECT_EQ(a->GetNamePath(), u"EDIT1");
  // A free component takes any valid name.
  TComponent free1(nullptr), free2(nullptr);
  free1.SetName(u"Same");
  free2.SetName(u"Same");

  // Moving to another owner re-checks the name there.
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  c->SetName(u"EDIT1");
  EXPECT_THROW(owner.InsertComponent(c), EComponentError);
  EXPECT_EQ(c->GetOwner(), &other);
  c->SetName(u"Edit3");
  owner.InsertComponent(c);
  EXPECT_EQ(c->GetOwner(), &owner);
  EXPECT_EQ(other.GetComponentCount(), 0);
  c->SetComponentIndex(0);
  EXPECT_EQ(owner.GetComponents(0), c);
}

TEST(Component, StateDesigningLoadingAndDestroying) {
  TProbe owner(nullptr);
  owner.SetLoading();
  EXPECT_TRUE(owner.GetComponentState().Contains(csLoading));
  owner.CallLoaded();
  EXPECT_TRUE(owner.WasLoaded);
  EXPECT_FALSE(owner.GetComponentState().Contains(csLoading));

  // Children see csDestroying on their owner while it frees them.
  struct TChild : TComponent {
    explicit TChild(TComponent* AOwner, bool* Seen) : TComponent(AOwner), FSeen(Seen) {}
    ~TChild() override { *FSeen = GetOwner() == nullptr && GetComponentState().Contains(csDestroying); }
    bool* FSeen;
  };
  bool seen = false;
  auto* parent = new TComponent(nullptr);
  new TChild(parent, &seen);
  delete parent;
  EXPECT_TRUE(seen);
}

TEST(Component, ClassReferenceCreatesOwnedComponents) {
  RegisterClass(TProbe::StaticClass());
  TComponent owner(nullptr);
  TComponent* c = FindClass(u"TProbe")->Create(&owner);
  EXPECT_EQ(c->ClassName(), u"TProbe");
  EXPECT_EQ(c->GetOwner(), &owner);
  EXPECT_EQ(owner.GetComponentCount(), 1);
  UnRegisterClass(TProbe::StaticClass());
}

// ---------------------------------------------------------------------------------------------

namespace {

class TColumn : public TCollectionItem {
  ZELK_CLASS(TColumn, TCollectionItem)
public:
  explicit TColumn(TCollection* Collection) : TCollectionItem(Collection), FTitle(u"untitled") {}
  const String& GetTitle() const { return FTitle; }
  void SetTitle(const String& Value) {
    FTitle = Value;
    Changed(false);
  }
  String GetDisplayName() const override { return FTitle; }
  void Assign(TPersistent* Source) override {
    if (auto* c = dynamic_cast<TColumn*>(Source)) SetTitle(c->FTitle);
    else TCollectionItem::Assign(Source);
  }

private:
  String FTitle;
};

// Logs every Update and Notify; reads the items' titles in Update, as a repainting owner would.
class TColumns : public TOwnedCollection {
  ZELK_CLASS(TColumns, TOwnedCollection)
public:
  explicit TColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, TColumn::StaticClass()) {}
  std::vector<std::string> Log;

protected:
  void Update(TCollectionItem* Item) override {
    std::string titles;
    for (TCollectionItem* i : *this) titles += UTF8Encode(static_cast<TColumn*>(i)->GetTitle()) + ",";
    Log.push_back((Item ? "update " + UTF8Encode(static_cast<TColumn*>(Item)->GetTitle()) : std::string("update all")) +
                  " [" + titles + "]");
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    (void)Item;
    Log.push_back(Action == cnAdded ? "added" : Action == cnExtracting ? "extracting" : "deleting");
  }
};

class TGrid : public TComponent {
  ZELK_CLASS(TGrid, TComponent)
public:
  explicit TGrid(TComponent* AOwner) : TComponent(AOwner), Columns(this) { Columns.SetPropName(u"Columns"); }
  TColumns Columns;
};

}  // namespace

TEST(Collection, EveryChangeReachesUpdate) {
  TGrid grid(nullptr);
  TColumns& cols = grid.Columns;
  auto* a = static_cast<TColumn*>(cols.Add());
  // Update runs after the item's constructor: the title is already set.
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"added", "update all [untitled,]"}));
  cols.Log.clear();
  a->SetTitle(u"Name");
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"update Name [Name,]"}));
  auto* b = static_cast<TColumn*>(cols.Add());
  b->SetTitle(u"City");
  cols.Log.clear();
  b->SetIndex(0);
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"update all [City,Name,]"}));
  EXPECT_EQ(a->GetIndex(), 1);
  cols.Log.clear();
  cols.Delete(0);
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"deleting", "extracting", "update all [Name,]"}));
  cols.Log.clear();
  delete a;   // freeing an item directly leaves the collection too
  EXPECT_EQ(cols.GetCount(), 0);
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"extracting", "update all []"}));
}

TEST(Collection, BeginUpdateBatchesIntoOneUpdate) {
  TGrid grid(nullptr);
  TColumns& cols = grid.Columns;
  cols.BeginUpdate();
  for (const Char* t : {u"a", u"b", u"c"}) static_cast<TColumn*>(cols.Add())->SetTitle(t);
  cols.Delete(1);
  cols.Log.clear();
  cols.EndUpdate();
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"update all [a,c,]"}));
  cols.Log.clear();
  cols.Clear();
  EXPECT_EQ(cols.Log, (std::vector<std::string>{"extracting", "extracting", "update all []"}));
}

TEST(Collection, InsertItemsIdsAssignAndNamePath) {
  TGrid grid(nullptr);
  grid.SetName(u"Grid1");
  TColumns& cols = grid.Columns;
  static_cast<TColumn*>(cols.Add())->SetTitle(u"x");
  static_cast<TColumn*>(cols.Add())->SetTitle(u"z");
  auto* y = static_cast<TColumn*>(cols.Insert(1));
  y->SetTitle(u"y");
  EXPECT_EQ(cols.GetItem(1), y);
  EXPECT_EQ(y->GetID(), 2);
  EXPECT_EQ(cols.FindItemID(2), y);
  EXPECT_EQ(cols.FindItemID(7), nullptr);
  EXPECT_EQ(y->GetCollection(), &cols);
  EXPECT_EQ(y->GetOwner(), &cols);
  EXPECT_EQ(cols.GetOwner(), &grid);
  EXPECT_EQ(y->GetNamePath(), u"Grid1.Columns[1]");
  EXPECT_EQ(y->GetDisplayName(), u"y");
  EXPECT_THROW(cols.GetItem(3), EListError);
  EXPECT_THROW(cols.Insert(4), EListError);

  TGrid copy(nullptr);
  copy.Columns.Add();
  copy.Columns.Assign(&cols);
  ASSERT_EQ(copy.Columns.GetCount(), 3);
  EXPECT_EQ(static_cast<TColumn*>(copy.Columns.GetItem(2))->GetTitle(), u"z");

  // Moving an item to another collection.
  y->SetCollection(&copy.Columns);
  EXPECT_EQ(cols.GetCount(), 2);
  EXPECT_EQ(copy.Columns.GetCount(), 4);
  EXPECT_EQ(y->GetIndex(), 3);

  // A collection only takes items of its class.
  EXPECT_THROW({ TCollection bad(TGrid::StaticClass()); }, EInvalidCast);
  TCollection plain(TCollectionItem::StaticClass());
  EXPECT_THROW(plain.Assign(&grid), EConvertError);
  EXPECT_EQ(plain.Add()->ClassName(), u"TCollectionItem");
}
