#include "lib/gridutil/NeoGridUtilUnit.h"

#include <gtest/gtest.h>

#include "platform/rtl/Modules.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/Units.h"
#include "platform/win/Headless.h"

namespace {

class GridUtilUnit : public ::testing::Test {
protected:
  void SetUp() override {
    Headless::Use();
    Units().Clear();
  }
  void TearDown() override {
    if (Units().Initialized()) FinalizeUnits();
    Units().Clear();
    SetModuleMissing(u"shlwapi.dll", false);
    ResetFileVersionFacts();
  }
};

TEST_F(GridUtilUnit, StartUpFindsStrCmpLogicalWOfTheLoadedShell) {
  RegisterGridUtilUnits();
  ASSERT_GE(Units().Count(), 3);
  EXPECT_EQ(Units().Names(0), u"NeoXPVS");
  EXPECT_EQ(Units().Names(1), u"NeoGridUtil");
  EXPECT_TRUE(Units().Contains(u"NeoUtils"));
  EXPECT_EQ(GridUtilStrCmpLogicalW(), nullptr);
  InitializeUnits();
  const auto expected = reinterpret_cast<TStrCmpLogicalWFunc>(
      GetProcAddress(GetModuleHandleW(u"shlwapi.dll"), "StrCmpLogicalW"));
  ASSERT_NE(expected, nullptr);
  EXPECT_EQ(GridUtilStrCmpLogicalW(), expected);
  FinalizeUnits();
  EXPECT_EQ(GridUtilStrCmpLogicalW(), nullptr);
}

TEST_F(GridUtilUnit, NoShellModuleMeansNoAddressButTheComparisonStillWorks) {
  SetModuleMissing(u"shlwapi.dll", true);
  InitializeGridUtilUnit();
  EXPECT_EQ(GridUtilStrCmpLogicalW(), nullptr);
  EXPECT_LT(CompareTextNatural(u"item9", u"Item10"), 0);
  FinalizeGridUtilUnit();
}

TEST_F(GridUtilUnit, CompareTextNaturalOrdersDigitRunsByValue) {
  InitializeGridUtilUnit();
  ASSERT_NE(GridUtilStrCmpLogicalW(), nullptr);
  EXPECT_LT(CompareTextNatural(u"file2", u"file10"), 0);
  EXPECT_GT(CompareTextNatural(u"File10", u"file9"), 0);
  EXPECT_EQ(CompareTextNatural(u"ABC", u"abc"), 0);
  EXPECT_LT(CompareTextNatural(u"", u"a"), 0);
  FinalizeGridUtilUnit();
}

TEST_F(GridUtilUnit, GetFileVersionReadsTheFixedVersionBlock) {
  EXPECT_EQ(GetFileVersion(u"COMCTL32.DLL"), (6 << 16) | 10);
  EXPECT_EQ(GetFileVersion(u"C:\\Windows\\System32\\comctl32.dll"), (6 << 16) | 10);
  SetFileVersionFact(u"comctl32.dll", 4, 70, 1, 2);
  EXPECT_EQ(GetFileVersion(u"comctl32.dll"), 262214);   // above 4.69, that is 262213
  RemoveFileVersionFact(u"comctl32.dll");
  EXPECT_EQ(GetFileVersion(u"comctl32.dll"), -1);
  EXPECT_EQ(GetFileVersion(u"/no/such/file.dll"), -1);
  EXPECT_EQ(GetFileVersion(u""), -1);
  // Only the first 259 characters of the name are used.
  EXPECT_EQ(GetFileVersion(String(300, u'x')), -1);
}

}  // namespace
