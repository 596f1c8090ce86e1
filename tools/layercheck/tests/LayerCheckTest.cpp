// The layer rules on small trees written for each case.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "tools/layercheck/LayerCheck.h"

namespace fs = std::filesystem;
using LayerCheck::CheckTree;

namespace {

// A scratch tree under the system's temporary folder, removed afterwards.
class TTree {
public:
  TTree() {
    std::string pattern = (fs::temp_directory_path() / "zelk-layers-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    FRoot = pattern;
  }
  ~TTree() {
    std::error_code ignore;
    fs::remove_all(FRoot, ignore);
  }
  // Writes a file that includes each of the given names.
  void Add(const std::string& Path, std::initializer_list<std::string> Includes = {}) {
    fs::create_directories((FRoot / Path).parent_path());
    std::ofstream out(FRoot / Path);
    out << "#pragma once\n";
    for (const std::string& name : Includes) out << "#include \"" << name << "\"\n";
  }
  const fs::path& Root() const { return FRoot; }

private:
  fs::path FRoot;
};

// The headers every case may point to.
void AddTargets(TTree& T) {
  T.Add("platform/rtl/SysUtils.h");
  T.Add("platform/win/Windows.h");
  T.Add("platform/win/GdiInternal.h");
  T.Add("platform/db/IBDatabase.h");
  T.Add("platform/db/tests/DbHelpers.h");
  T.Add("platform/db/testsupport/DbTestSupport.h");
  T.Add("lib/base/NeoUtils.h");
  T.Add("lib/graphics/NeoGraphics.h");
  T.Add("lib/grid/core/GridInternal.h");
}

}  // namespace

TEST(LayerCheck, IncludesDownwardWithinALayerAndBesideTheFilePass) {
  TTree t;
  AddTargets(t);
  t.Add("platform/win/Window.cpp", {"platform/rtl/SysUtils.h", "platform/win/GdiInternal.h"});
  t.Add("platform/win/tests/WindowTest.cpp", {"platform/win/GdiInternal.h"});
  t.Add("platform/db/tests/IBTest.cpp", {"DbHelpers.h", "platform/db/testsupport/DbTestSupport.h"});
  t.Add("lib/graphics/NeoGraphics.cpp", {"lib/base/NeoUtils.h", "platform/win/Windows.h"});
  t.Add("lib/grid/cells/Cells.cpp", {"lib/grid/core/GridInternal.h", "lib/graphics/NeoGraphics.h"});
  t.Add("app/tests/UpdateTest.cpp", {"platform/db/testsupport/DbTestSupport.h", "lib/base/NeoUtils.h"});
  t.Add("bench/platform_db/fetch_bench.cpp", {"platform/db/testsupport/DbTestSupport.h"});
  const auto report = CheckTree(t.Root());
  for (const auto& v : report.Violations) ADD_FAILURE() << v.File << ": " << v.Include << ": " << v.Reason;
  EXPECT_EQ(report.Files, 16);
  EXPECT_EQ(report.Includes, 12);
}

TEST(LayerCheck, EachBrokenRuleIsReportedWithItsLine) {
  const struct {
    const char* File;
    const char* Include;
    const char* Reason;
  } cases[] = {
      {"platform/rtl/Up.cpp", "platform/win/Windows.h", "platform/rtl may not include platform/win"},
      {"platform/db/Sideways.cpp", "platform/win/Windows.h", "platform/db may not include platform/win"},
      {"platform/ui/IntoLib.cpp", "lib/base/NeoUtils.h", "platform/ui may not include lib/base"},
      {"lib/base/Up.cpp", "lib/graphics/NeoGraphics.h", "lib/base may not include lib/graphics"},
      {"lib/graphics/Internal.cpp", "platform/win/GdiInternal.h", "internal header of platform/win"},
      {"lib/grid/core/GridTest.cpp", "platform/db/tests/DbHelpers.h", "tests folder platform/db/tests"},
      {"app/tests/Other.cpp", "platform/db/tests/DbHelpers.h", "tests folder platform/db/tests"},
      {"app/Program.cpp", "platform/db/testsupport/DbTestSupport.h", "test code only"},
      {"app/Program.cpp", "IBDatabase.h", "not found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " -> " + c.Include);
    TTree t;
    AddTargets(t);
    t.Add(c.File, {"platform/rtl/SysUtils.h", c.Include});
    const auto report = CheckTree(t.Root());
    ASSERT_EQ(report.Violations.size(), 1u);
    const auto& v = report.Violations[0];
    EXPECT_EQ(v.File, c.File);
    EXPECT_EQ(v.Line, 3);   // after "#pragma once" and the good include
    EXPECT_EQ(v.Include, c.Include);
    EXPECT_NE(v.Reason.find(c.Reason), std::string::npos) << v.Reason;
  }
}

TEST(LayerCheck, FilesOutsideTheLayersAndMisnamedInternalHeadersAreReported) {
  TTree t;
  AddTargets(t);
  t.Add("lib/newthing/Thing.cpp", {"lib/base/NeoUtils.h"});
  t.Add("platform/win/WinPrivate.h");
  t.Add("platform/win/tests/data/Broken.h", {"lib/base/NeoUtils.h"});   // test data is no code
  const auto report = CheckTree(t.Root());
  ASSERT_EQ(report.Violations.size(), 2u);
  EXPECT_EQ(report.Violations[0].File, "lib/newthing/Thing.cpp");
  EXPECT_NE(report.Violations[0].Reason.find("no layer"), std::string::npos);
  EXPECT_EQ(report.Violations[1].File, "platform/win/WinPrivate.h");
  EXPECT_NE(report.Violations[1].Reason.find("*Internal.h"), std::string::npos);
}
