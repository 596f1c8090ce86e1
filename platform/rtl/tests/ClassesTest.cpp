// Class references, the class registry, TSet, TPersistent.Assign and the pointer lists.
#include <gtest/gtest.h>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Contnrs.h"

namespace {

class TShape : public TPersistent {
  ZELK_CLASS(TShape, TPersistent)
public:
  Integer Size = 1;
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TShape*>(Source)) Size = s->Size;
    else TPersistent::Assign(Source);
  }
};

class TCircle : public TShape {
  ZELK_CLASS(TCircle, TShape)
public:
  TCircle() { Size = 7; }
};

class TAbstractShape : public TShape {
  ZELK_CLASS(TAbstractShape, TShape)
public:
  virtual void Draw() = 0;
};

class TProtectedShape : public TShape {
  ZELK_CLASS(TProtectedShape, TShape)
protected:
  TProtectedShape() = default;
};

class TUndeclared : public TCircle {};

namespace Inner {
class TNested : public TObject {};
}  // namespace Inner

// Counts its own destruction, for ownership tests.
class TCounted : public TObject {
  ZELK_CLASS(TCounted, TObject)
public:
  explicit TCounted(int* Counter = nullptr) : FCounter(Counter) {}
  ~TCounted() override {
    if (FCounter) ++*FCounter;
  }

private:
  int* FCounter;
};

}  // namespace

TEST(ClassReference, NamesParentsAndInheritance) {
  TCircle c;
  EXPECT_EQ(c.ClassName(), u"TCircle");
  EXPECT_EQ(c.ClassType(), TCircle::StaticClass());
  EXPECT_EQ(c.ClassParent(), TShape::StaticClass());
  EXPECT_EQ(TShape::StaticClass()->Parent, TPersistent::StaticClass());
  EXPECT_EQ(TPersistent::StaticClass()->Parent, TObject::StaticClass());
  EXPECT_EQ(TObject::StaticClass()->Parent, nullptr);
  EXPECT_TRUE(c.InheritsFrom(TPersistent::StaticClass()));
  EXPECT_TRUE(c.InheritsFrom(TCircle::StaticClass()));
  EXPECT_FALSE(TShape().InheritsFrom(TCircle::StaticClass()));
  EXPECT_TRUE(c.ClassNameIs(u"tcircle"));

  // Through a base pointer the dynamic class answers.
  TObject* o = &c;
  EXPECT_EQ(o->ClassName(), u"TCircle");
  EXPECT_EQ(TObject().ClassName(), u"TObject");
}

TEST(ClassReference, ClassWithoutDeclarationStillAnswersItsName) {
  TUndeclared u;
  EXPECT_EQ(u.ClassName(), u"TUndeclared");
  EXPECT_EQ(u.ClassType(), TCircle::StaticClass());   // the nearest declared class
  EXPECT_EQ(Inner::TNested().ClassName(), u"TNested");
}

TEST(ClassReference, CreatesInstancesByReference) {
  TClass cls = TCircle::StaticClass();
  std::unique_ptr<TObject> o(cls->Create());
  ASSERT_NE(dynamic_cast<TCircle*>(o.get()), nullptr);
  EXPECT_EQ(static_cast<TCircle*>(o.get())->Size, 7);

  EXPECT_EQ(TAbstractShape::StaticClass()->NewInstance, nullptr);
  EXPECT_THROW(TAbstractShape::StaticClass()->Create(), EAbstractError);
  // A protected constructor is reachable from the class's own declaration.
  std::unique_ptr<TObject> p(TProtectedShape::StaticClass()->Create());
  EXPECT_EQ(p->ClassName(), u"TProtectedShape");
  // A component class reference refuses a non-component.
  EXPECT_THROW(TCircle::StaticClass()->Create(static_cast<TComponent*>(nullptr)), EInvalidCast);
}

TEST(ClassRegistry, RegisterFindAndGet) {
  RegisterClasses({TShape::StaticClass(), TCircle::StaticClass()});
  RegisterClass(TCircle::StaticClass());   // again: accepted
  EXPECT_EQ(GetClass(u"TCircle"), TCircle::StaticClass());
  EXPECT_EQ(FindClass(u"tcircle"), TCircle::StaticClass());
  std::unique_ptr<TObject> made(FindClass(u"TCircle")->Create());
  EXPECT_EQ(made->ClassName(), u"TCircle");

  EXPECT_EQ(GetClass(u"TSquare"), nullptr);
  try {
    FindClass(u"TSquare");
    FAIL();
  } catch (EClassNotFound& e) {
    EXPECT_EQ(e.Message, u"Class TSquare not found");
  }

  // Another class under a registered name is refused.
  struct TCircleImpostor : TShape {
    ZELK_CLASS_NAMED(TCircleImpostor, TShape, u"TCircle")
  };
  EXPECT_THROW(RegisterClass(TCircleImpostor::StaticClass()), EFilerError);

  UnRegisterClass(TCircle::StaticClass());
  EXPECT_EQ(GetClass(u"TCircle"), nullptr);
  UnRegisterClass(TShape::StaticClass());
}

TEST(ClassReference, IsAndAs) {
  TCircle c;
  TObject* o = &c;
  EXPECT_TRUE(Is<TShape>(o));
  EXPECT_FALSE(Is<TList>(o));
  EXPECT_EQ(As<TShape>(o), &c);
  EXPECT_EQ(As<TShape>(nullptr), nullptr);
  try {
    As<TList>(o);
    FAIL();
  } catch (EInvalidCast& e) {
    EXPECT_EQ(e.Message, u"Invalid class typecast");
  }
}

// ---------------------------------------------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TWide : int { wFirst = 0, wMiddle = 100, wLast = 255 };   // any int is a value, so the tests may step outside

TEST(Set, OperationsAreConstexpr) {
  constexpr TFontStyles a{fsBold, fsItalic};
  constexpr TFontStyles b{fsItalic, fsUnderline};
  static_assert((a + b) == TFontStyles{fsBold, fsItalic, fsUnderline});
  static_assert((a - b) == TFontStyles{fsBold});
  static_assert((a * b) == TFontStyles{fsItalic});
  static_assert(TFontStyles().Empty() && !a.Empty());
  static_assert(a.Contains(fsBold) && !a.Contains(fsStrikeOut));
  static_assert(TFontStyles{fsBold} <= a && !(a <= b) && a >= TFontStyles{fsItalic});
  static_assert(TFontStyles::Range(fsItalic, fsStrikeOut) == TFontStyles{fsItalic, fsUnderline, fsStrikeOut});
  static_assert(a.Count() == 2);
}

TEST(Set, IncludeExcludeAndWideMembers) {
  TFontStyles s;
  s.Include(fsUnderline).Include(fsBold);
  s = s + fsStrikeOut;
  s.Exclude(fsBold);
  EXPECT_EQ(s, (TFontStyles{fsUnderline, fsStrikeOut}));
  EXPECT_NE(s, TFontStyles{fsUnderline});
  EXPECT_EQ(s.ToBits(), (1u << fsUnderline) | (1u << fsStrikeOut));
  EXPECT_EQ(TFontStyles::FromBits(s.ToBits()), s);

  std::vector<TFontStyle> members(s.begin(), s.end());
  EXPECT_EQ(members, (std::vector<TFontStyle>{fsUnderline, fsStrikeOut}));

  TSet<TWide> w{wFirst, wMiddle, wLast};
  EXPECT_TRUE(w.Contains(wLast) && w.Contains(wMiddle));
  w.Exclude(wMiddle);
  EXPECT_EQ(w.Count(), 2);
  EXPECT_FALSE(w.Contains(static_cast<TWide>(256)));   // outside the range: never a member
  w.Include(static_cast<TWide>(300));
  EXPECT_EQ(w.Count(), 2);
}

TEST(Set, IterationVisitsMembersAcrossWordBoundaries) {
  std::vector<int> want = {0, 1, 62, 63, 64, 127, 128, 191, 192, 200, 254, 255};
  TSet<TWide> w;
  for (int i : want) w.Include(static_cast<TWide>(i));
  std::vector<int> got;
  for (TWide m : w) got.push_back(m);
  EXPECT_EQ(got, want);
  EXPECT_EQ(TSet<TWide>().begin(), TSet<TWide>().end());
  static_assert(*TSet<TWide>{wLast}.begin() == wLast);
}

// ---------------------------------------------------------------------------------------------

TEST(Persistent, AssignFallsBackToAssignError) {
  TShape a, b;
  a.Size = 5;
  b.Assign(&a);
  EXPECT_EQ(b.Size, 5);

  try {
    b.Assign(nullptr);
    FAIL();
  } catch (EConvertError& e) {
    EXPECT_EQ(e.Message, u"Cannot assign a nil to a TShape");
  }
  TCollection coll(TCollectionItem::StaticClass());
  try {
    b.Assign(&coll);
    FAIL();
  } catch (EConvertError& e) {
    EXPECT_EQ(e.Message, u"Cannot assign a TCollection to a TShape");
  }
  EXPECT_EQ(a.GetNamePath(), u"TShape");
}

// ---------------------------------------------------------------------------------------------

TEST(PointerList, EditsAndIndexErrors) {
  int v[5] = {0, 1, 2, 3, 4};
  TList l;
  for (int& x : v) l.Add(&x);
  l.Move(0, 4);   // 1 2 3 4 0
  l.Exchange(0, 1);   // 2 1 3 4 0
  l.Delete(2);   // 2 1 4 0
  l.Insert(0, nullptr);   // nil 2 1 4 0
  EXPECT_EQ(l.IndexOf(&v[4]), 3);
  EXPECT_EQ(l.Remove(&v[1]), 2);
  EXPECT_EQ(l.Extract(&v[3]), nullptr);   // already gone
  EXPECT_EQ(l.Extract(&v[0]), &v[0]);
  l.Pack();
  ASSERT_EQ(l.GetCount(), 2);
  EXPECT_EQ(l[0], &v[2]);
  EXPECT_EQ(l.Last(), &v[4]);

  try {
    l.GetItems(2);
    FAIL();
  } catch (EListError& e) {
    EXPECT_EQ(e.Message, u"List index out of bounds (2)");
  }
  EXPECT_THROW(l.Delete(-1), EListError);
  EXPECT_THROW(l.Insert(3, nullptr), EListError);
  EXPECT_THROW(l.Move(0, 5), EListError);

  l.SetCount(4);
  EXPECT_EQ(l[3], nullptr);
}

TEST(PointerList, SortIsStableAndSurvivesABadCompare) {
  std::vector<int> values = {5, 3, 9, 3, 1};
  TList l;
  for (int& x : values) l.Add(&x);
  l.Sort([](Pointer a, Pointer b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
  std::vector<int> sorted;
  for (Pointer p : l) sorted.push_back(*static_cast<int*>(p));
  EXPECT_EQ(sorted, (std::vector<int>{1, 3, 3, 5, 9}));
  EXPECT_EQ(l[1], &values[1]);   // equal items keep their order
  l.Sort([](Pointer, Pointer) { return 1; });   // inconsistent: must not crash
  EXPECT_EQ(l.GetCount(), 5);
}

TEST(ObjectList, OwnsObjectsUnlessToldOtherwise) {
  int freed = 0;
  {
    TObjectList l;
    l.Add(new TCounted(&freed));
    l.Add(new TCounted(&freed));
    TObject* kept = l.Add(new TCounted(&freed)) >= 0 ? l.Last() : nullptr;
    l.Delete(0);
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(l.Extract(kept), kept);   // extracted: not freed
    EXPECT_EQ(freed, 1);
    delete kept;
    EXPECT_EQ(freed, 2);
    l.SetItems(0, new TCounted(&freed));   // the replaced object is freed
    EXPECT_EQ(freed, 3);
    l.Add(new TCircle);
    EXPECT_EQ(l.FindInstanceOf(TCircle::StaticClass()), 1);
    EXPECT_EQ(l.FindInstanceOf(TShape::StaticClass()), -1);
    EXPECT_EQ(l.FindInstanceOf(TShape::StaticClass(), false), 1);
  }
  EXPECT_EQ(freed, 4);   // the rest went with the list

  TCounted a(&freed);
  {
    TObjectList l(false);
    l.Add(&a);
    l.Remove(&a);
    l.Add(&a);
  }
  EXPECT_EQ(freed, 4);
}
