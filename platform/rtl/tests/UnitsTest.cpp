#include "platform/rtl/Units.h"

#include <gtest/gtest.h>

namespace {

struct TUnitLog {
  std::vector<std::string> Entries;
  TUnitProc Init(const std::string& name, bool fails = false) {
    return [this, name, fails] {
      Entries.push_back("init " + name);
      if (fails) throw Exception(u"start-up of " + UTF8ToString(name) + u" failed");
    };
  }
  TUnitProc Fini(const std::string& name, bool fails = false) {
    return [this, name, fails] {
      Entries.push_back("fini " + name);
      if (fails) throw Exception(u"finalisation of " + UTF8ToString(name) + u" failed");
    };
  }
};

using Log = std::vector<std::string>;

}  // namespace

TEST(Units, InitialiseInTheOrderAddedAndFinaliseInReverse) {
  TUnitLog log;
  TUnitRegistry units;
  units.Add(u"System", log.Init("System"), log.Fini("System"));
  units.Add(u"Classes", log.Init("Classes"));   // no finalisation
  units.Add(u"Graphics", log.Init("Graphics"), log.Fini("Graphics"));
  units.Add(u"classes", log.Init("again"), log.Fini("again"));   // already there: keeps its place
  ASSERT_EQ(units.Count(), 3);
  EXPECT_EQ(units.Names(1), u"Classes");

  units.Initialize();
  EXPECT_TRUE(units.Initialized());
  EXPECT_THROW(units.Add(u"Late", nullptr), EUnitError);
  EXPECT_THROW(units.Initialize(), EUnitError);
  units.Finalize();
  EXPECT_EQ(log.Entries, (Log{"init System", "init Classes", "init Graphics", "fini Graphics", "fini System"}));
  EXPECT_FALSE(units.Initialized());
  units.Finalize();   // nothing left to finalise
  EXPECT_EQ(log.Entries.size(), 5u);
}

TEST(Units, FailingInitialisationFinalisesWhatRanAndReportsTheError) {
  TUnitLog log;
  TUnitRegistry units;
  units.Add(u"A", log.Init("A"), log.Fini("A"));
  units.Add(u"B", log.Init("B"), log.Fini("B"));
  units.Add(u"C", log.Init("C", true), log.Fini("C"));
  units.Add(u"D", log.Init("D"), log.Fini("D"));
  try {
    units.Initialize();
    FAIL() << "the start-up error must reach the caller";
  } catch (Exception& e) {
    EXPECT_EQ(e.Message, u"start-up of C failed");
  }
  EXPECT_EQ(log.Entries, (Log{"init A", "init B", "init C", "fini B", "fini A"}));
  EXPECT_FALSE(units.Initialized());
}

TEST(Units, FinalisationContinuesPastAnErrorAndReportsTheFirst) {
  TUnitLog log;
  TUnitRegistry units;
  units.Add(u"A", log.Init("A"), log.Fini("A", true));
  units.Add(u"B", log.Init("B"), log.Fini("B", true));
  units.Add(u"C", log.Init("C"), log.Fini("C"));
  units.Initialize();
  try {
    units.Finalize();
    FAIL();
  } catch (Exception& e) {
    EXPECT_EQ(e.Message, u"finalisation of B failed");
  }
  EXPECT_EQ(log.Entries, (Log{"init A", "init B", "init C", "fini C", "fini B", "fini A"}));
}

TEST(Units, ProgramScopeInitialisesTheProgramUnits) {
  TUnitLog log;
  Units().Clear();
  RegisterUnit(u"First", log.Init("First"), log.Fini("First"));
  RegisterUnit(u"Second", log.Init("Second"), log.Fini("Second"));
  {
    TUnitsScope scope;
    EXPECT_EQ(log.Entries, (Log{"init First", "init Second"}));
  }
  EXPECT_EQ(log.Entries, (Log{"init First", "init Second", "fini Second", "fini First"}));
  Units().Clear();
}
