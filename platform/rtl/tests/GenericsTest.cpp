// Generic lists and dictionaries.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/rtl/Generics.h"

// In the collections' namespace: its TList is the one meant, not the untyped list of Classes.
namespace Generics::Collections {

namespace {

class TItem : public TObject {
  ZELK_CLASS(TItem, TObject)
public:
  explicit TItem(int* Freed = nullptr) : FFreed(Freed) {}
  ~TItem() override {
    if (FFreed) ++*FFreed;
  }

private:
  int* FFreed;
};

}  // namespace

TEST(GenericList, ClassNamesShowTheTypeArgument) {
  EXPECT_EQ(TList<String>().ClassName(), u"TList<System.string>");
  EXPECT_EQ(TList<Integer>().ClassName(), u"TList<System.Integer>");
  EXPECT_EQ(TList<Double>().ClassName(), u"TList<System.Double>");
  EXPECT_EQ(TObjectList<TItem>().ClassName(), u"TObjectList<TItem>");
  EXPECT_EQ((TDictionary<String, Integer>().ClassName()), u"TDictionary<System.string,System.Integer>");
  EXPECT_EQ((TObjectDictionary<String, TItem*>({doOwnsValues}).ClassName()),
            u"TObjectDictionary<System.string,TItem>");
  EXPECT_TRUE(TObjectList<TItem>().InheritsFrom(TList<TItem*>::StaticClass()));
  EXPECT_NE(TList<String>::StaticClass(), TList<Integer>::StaticClass());
}

TEST(GenericList, EditsSearchesAndSorts) {
  TList<Integer> l{5, 1, 4};
  l.Add(2);
  l.Insert(0, 9);   // 9 5 1 4 2
  EXPECT_EQ(l.IndexOf(4), 3);
  EXPECT_TRUE(l.Contains(2));
  EXPECT_EQ(l.Remove(1), 2);   // 9 5 4 2
  l.Move(0, 3);                // 5 4 2 9
  l.Exchange(0, 1);            // 4 5 2 9
  EXPECT_EQ(l.ToArray(), (std::vector<Integer>{4, 5, 2, 9}));
  l.Sort();
  EXPECT_EQ(l.ToArray(), (std::vector<Integer>{2, 4, 5, 9}));
  Integer index;
  EXPECT_TRUE(l.BinarySearch(5, index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(l.BinarySearch(3, index));
  EXPECT_EQ(index, 1);
  l.Sort([](const Integer& a, const Integer& b) { return b - a; });
  EXPECT_EQ(l.First(), 9);
  EXPECT_EQ(l.Last(), 2);
  l.SetItem(0, 7);
  EXPECT_EQ(l[0], 7);
  l.DeleteRange(1, 2);
  EXPECT_EQ(l.ToArray(), (std::vector<Integer>{7, 2}));
  EXPECT_THROW(l.GetItem(2), EArgumentOutOfRangeException);
  EXPECT_THROW(l.Delete(-1), EArgumentOutOfRangeException);
  EXPECT_THROW(l.Insert(3, 0), EArgumentOutOfRangeException);

  TList<String> s;
  s.AddRange({u"b", u"a"});
  s.Sort();
  Integer sum = 0;
  for (const String& x : s) sum += static_cast<Integer>(x[0]);
  EXPECT_EQ(sum, 'a' + 'b');
  EXPECT_EQ(s.Extract(u"a"), u"a");
  EXPECT_EQ(s.Extract(u"zz"), u"");
  EXPECT_EQ(s.GetCount(), 1);
}

TEST(GenericList, NotificationsReportEveryChange) {
  TList<Integer> l;
  std::vector<std::pair<Integer, TCollectionNotification>> seen;
  l.OnNotify = [&](TObject* Sender, const Integer& Item, TCollectionNotification Action) {
    EXPECT_EQ(Sender, &l);
    seen.emplace_back(Item, Action);
  };
  l.Add(1);
  l.Add(2);
  l.SetItem(0, 3);
  l.Extract(2);
  l.Clear();
  EXPECT_EQ(seen, (std::vector<std::pair<Integer, TCollectionNotification>>{
                      {1, cnAdded}, {2, cnAdded}, {1, cnRemoved}, {3, cnAdded}, {2, cnExtracted}, {3, cnRemoved}}));
}

TEST(GenericObjectList, FreesWhatItOwns) {
  int freed = 0;
  {
    TObjectList<TItem> l;
    auto* a = new TItem(&freed);
    l.Add(a);
    l.Add(new TItem(&freed));
    l.Add(new TItem(&freed));
    l.Delete(1);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(l.Extract(a), a);
    EXPECT_EQ(freed, 1);
    delete a;
    l.SetItem(0, new TItem(&freed));   // replaced: freed
    EXPECT_EQ(freed, 3);
    l.SetOwnsObjects(false);
    TItem* kept = l[0];
    l.Remove(kept);
    EXPECT_EQ(freed, 3);
    delete kept;
    l.SetOwnsObjects(true);
    l.Add(new TItem(&freed));
  }
  EXPECT_EQ(freed, 5);
}

TEST(Dictionary, AddLookupRemoveAndEnumerate) {
  TDictionary<String, Integer> d;
  d.Add(u"one", 1);
  d.Add(u"two", 2);
  try {
    d.Add(u"one", 11);
    FAIL();
  } catch (EListError& e) {
    EXPECT_EQ(e.Message, u"Duplicates not allowed");
  }
  d.AddOrSetValue(u"one", 10);
  d.AddOrSetValue(u"three", 3);
  EXPECT_EQ(d[u"one"], 10);
  EXPECT_EQ(d.GetCount(), 3);
  Integer v = 0;
  EXPECT_TRUE(d.TryGetValue(u"three", v));
  EXPECT_EQ(v, 3);
  EXPECT_FALSE(d.TryGetValue(u"four", v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(d.ContainsKey(u"two"));
  EXPECT_TRUE(d.ContainsValue(2));
  try {
    d.GetItem(u"four");
    FAIL();
  } catch (EListError& e) {
    EXPECT_EQ(e.Message, u"Item not found");
  }
  EXPECT_THROW(d.SetItem(u"four", 4), EListError);
  d.SetItem(u"two", 20);

  std::vector<String> keys = d.Keys().ToArray();
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<String>{u"one", u"three", u"two"}));
  Integer sum = 0;
  for (Integer x : d.Values()) sum += x;
  EXPECT_EQ(sum, 33);
  Integer pairs = 0;
  for (const auto& [k, val] : d) pairs += static_cast<Integer>(k.size()) * 0 + 1 + val * 0;
  EXPECT_EQ(pairs, 3);

  d.Remove(u"one");
  d.Remove(u"absent");
  EXPECT_FALSE(d.ContainsKey(u"one"));
  auto pair = d.ExtractPair(u"two");
  EXPECT_EQ(pair.Key, u"two");
  EXPECT_EQ(pair.Value, 20);
  d.Clear();
  EXPECT_EQ(d.GetCount(), 0);
}

TEST(Dictionary, ObjectDictionaryFreesOwnedValues) {
  int freed = 0;
  {
    TObjectDictionary<String, TItem*> d({doOwnsValues});
    d.Add(u"a", new TItem(&freed));
    d.Add(u"b", new TItem(&freed));
    d.AddOrSetValue(u"a", new TItem(&freed));   // the old value goes
    EXPECT_EQ(freed, 1);
    d.Remove(u"b");
    EXPECT_EQ(freed, 2);
    auto kept = d.ExtractPair(u"a");
    EXPECT_EQ(freed, 2);
    delete kept.Value;
    d.Add(u"c", new TItem(&freed));
  }
  EXPECT_EQ(freed, 4);
}

}  // namespace Generics::Collections
