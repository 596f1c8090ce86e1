// Column widths and positions in an INI file and in the registry, the DPI scale on both ways, and
// the column-state string.
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "lib/grid/core/NeoStringGrid.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/StringLists.h"
#include "platform/ui/testsupport/UiTestSupport.h"

namespace {

class NeoStringGridSettings : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Folder = std::filesystem::temp_directory_path() / ("neogrid_settings_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Folder);
    setenv("ZELK_REGISTRY", (Folder / "registry").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ZELK_REGISTRY");
    Headless::SetDpi(96);
    UiTest::TearDown();
    std::filesystem::remove_all(Folder);
  }
  TNeoStringGrid* NewGrid(TColumnSizeLocation Location, const String& Key) {
    Form = NewForm(500, 300);
    auto* g = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
    g->SetColCount(2);
    g->GetColumnSize()->SetLocation(Location);
    g->GetColumnSize()->SetKey(Key);
    g->GetColumnSize()->SetSection(u"Grid");
    Form->Show();
    Pump();
    return g;
  }
  String IniPath() { return UTF8ToString((Folder / "grid.ini").string()); }
  std::vector<String> FileLines(const String& Path) {
    TStringList lines;
    lines.LoadFromFile(Path);
    std::vector<String> out;
    for (Integer i = 0; i < lines.GetCount(); ++i) out.push_back(lines.GetStrings(i));
    return out;
  }
  std::filesystem::path Folder;
  TForm* Form = nullptr;
};

TEST_F(NeoStringGridSettings, ColumnWidthsAndPositionsInAnIniFile) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  g->SetColWidths(1, 120);
  g->SaveColSizes();
  EXPECT_EQ(FileLines(IniPath()), (std::vector<String>{u"[Grid]", u"Col0=64", u"Col1=120", u""}));   // a blank line ends a section
  g->SetColWidths(0, 10);
  g->SetColWidths(1, 20);
  g->LoadColSizes();
  EXPECT_EQ(g->GetColWidths(0), 64);
  EXPECT_EQ(g->GetColWidths(1), 120);
  // No key or no section: nothing is written or read.
  g->GetColumnSize()->SetSection(u"");
  g->SetColWidths(1, 20);
  g->LoadColSizes();
  EXPECT_EQ(g->GetColWidths(1), 20);
}

// Widths are stored at 96 dpi: a 120-pixel column at 1.5 stores 80 and comes back as 120.
TEST_F(NeoStringGridSettings, WidthsAreStoredUnscaled) {
  Headless::SetDpi(144);
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  ASSERT_DOUBLE_EQ(g->GetDPIScale(), 1.5);
  g->SetColWidths(1, 120);
  g->SaveColSizes();
  EXPECT_EQ(FileLines(IniPath())[2], u"Col1=80");
  g->SetColWidths(1, 50);
  g->LoadColSizes();
  EXPECT_EQ(g->GetColWidths(1), 120);
}

// In the registry widths are DWORD values, except one that is a string already.
TEST_F(NeoStringGridSettings, RegistryKeepsStringValuesStrings) {
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(u"Software\\ZelkTest\\Grid", true));
    reg.WriteString(u"Col1", u"7");
  }
  TNeoStringGrid* g = NewGrid(clRegistry, u"Software\\ZelkTest");
  g->SetColWidths(1, 120);
  g->SaveColSizes();
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(u"Software\\ZelkTest\\Grid", false));
  EXPECT_EQ(reg.GetDataType(u"Col0"), rdInteger);
  EXPECT_EQ(reg.GetDataType(u"Col1"), rdString);
  EXPECT_EQ(reg.ReadString(u"Col1"), u"120");
  g->SetColWidths(0, 1);
  g->SetColWidths(1, 2);
  g->LoadColSizes();
  EXPECT_EQ(g->GetColWidths(0), 64);
  EXPECT_EQ(g->GetColWidths(1), 120);
}

// With ColumnSize.Save the grid keeps its widths between runs: saved when it goes, loaded when its
// window is made.
TEST_F(NeoStringGridSettings, SaveKeepsWidthsBetweenRuns) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  g->GetColumnSize()->SetSave(true);
  g->SetColWidths(1, 99);
  delete Form;
  EXPECT_EQ(FileLines(IniPath())[2], u"Col1=99");
  Form = NewForm(500, 300);
  auto* next = new TNeoStringGrid(Form);
  next->SetColCount(2);
  next->GetColumnSize()->SetLocation(clIniFile);
  next->GetColumnSize()->SetKey(IniPath());
  next->GetColumnSize()->SetSection(u"Grid");
  next->GetColumnSize()->SetSave(true);
  next->SetParent(Form);
  Form->Show();
  Pump();
  EXPECT_EQ(next->GetColWidths(1), 99);
}

TEST_F(NeoStringGridSettings, ColumnStateString) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  g->SetColCount(3);
  EXPECT_EQ(g->ColumnStatesToString(), u"3#64,64,64#0,1,2#1,1,1");
  g->SetColCount(4);
  g->SetColWidths(3, 90);
  g->HideColumn(1);
  EXPECT_EQ(g->ColumnStatesToString(), u"4#64,64,90,64#0,1,2,3#1,0,1,1");
}

}  // namespace
