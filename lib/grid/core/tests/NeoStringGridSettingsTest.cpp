// Column widths and positions in an INI file and in the registry, the DPI scale on both ways, the
// column-state string, and the visual-properties file.
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <fstream>
#include <iterator>

#include "lib/grid/core/NeoBalloonSettings.h"
#include "lib/grid/core/NeoGridLookSettings.h"
#include "lib/grid/core/NeoSortSettings.h"
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

std::vector<Integer> Widths(TNeoStringGrid* g) {
  std::vector<Integer> w;
  for (Integer c = 0; c < g->GetColCount(); ++c) w.push_back(g->GetColWidths(c));
  return w;
}

// A grid read from a form description: its properties are set while it is loading, then Loaded
// runs.
class TLoadingGrid : public TNeoStringGrid {
public:
  using TNeoStringGrid::TNeoStringGrid;
  void Load(TColumnSizeLocation Location, const String& Key, bool Save) {
    FComponentState.Include(csLoading);
    SetColCount(2);
    GetColumnSize()->SetLocation(Location);
    GetColumnSize()->SetKey(Key);
    GetColumnSize()->SetSection(u"Grid");
    GetColumnSize()->SetSave(Save);
    Loaded();
  }
};

// Loading picks up the stored widths at the screen's scale, from an INI file or the registry, with
// no window made yet; without Save the grid keeps its own.
TEST_F(NeoStringGridSettings, LoadedGridTakesItsStoredWidths) {
  TStringList ini;
  ini.SetText(u"[Grid]\r\nCol0=50\r\nCol1=80\r\n");
  ini.SaveToFile(IniPath());
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(u"Software\\ZelkTest\\Grid", true));
    reg.WriteInteger(u"Col0", 50);
    reg.WriteInteger(u"Col1", 80);
  }
  struct TCase {
    const char* Name;
    TColumnSizeLocation Location;
    String Key;
    bool Save;
    Integer Dpi;
    std::vector<Integer> Widths;
  } cases[] = {{"INI file", clIniFile, IniPath(), true, 96, {50, 80}},
               {"registry", clRegistry, u"Software\\ZelkTest", true, 96, {50, 80}},
               {"INI file at 1.5", clIniFile, IniPath(), true, 144, {75, 120}},
               {"registry at 1.5", clRegistry, u"Software\\ZelkTest", true, 144, {75, 120}},
               {"not saved", clIniFile, IniPath(), false, 96, {64, 64}}};
  Form = NewForm(500, 300);
  for (const TCase& c : cases) {
    Headless::SetDpi(c.Dpi);
    auto* g = new TLoadingGrid(Form);
    g->Load(c.Location, c.Key, c.Save);
    EXPECT_FALSE(g->HandleAllocated()) << c.Name;
    EXPECT_FALSE(g->GetComponentState().Contains(csLoading)) << c.Name;
    EXPECT_EQ(Widths(g), c.Widths) << c.Name;
  }
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

String Headers(TNeoStringGrid* g) {
  String s;
  for (Integer c = 0; c < g->GetColCount(); ++c) s += g->GetCells(c, 0);
  return s;
}

void Label(TNeoStringGrid* g, Integer Count) {
  g->SetColCount(Count);
  for (Integer c = 0; c < Count; ++c) g->SetCells(c, 0, String(1, static_cast<Char>(u'A' + c)));
}

// Positions saved after moves lay a fresh grid out the same way; entries that are no full
// permutation of the columns keep the layout.
TEST_F(NeoStringGridSettings, ColumnPositionsRoundTrip) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  Label(g, 4);
  g->SaveColPositions();   // no order recorded: nothing saved
  EXPECT_EQ(FileLines(IniPath()), (std::vector<String>{}));
  g->MoveColumn(0, 2);
  g->MoveColumn(3, 1);
  ASSERT_EQ(Headers(g), u"BDCA");
  g->SaveColPositions();
  EXPECT_EQ(FileLines(IniPath()), (std::vector<String>{u"[Grid]", u"Pos0=1", u"Pos1=3", u"Pos2=2", u"Pos3=0", u""}));
  auto* fresh = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  Label(fresh, 4);
  fresh->GetColumnSize()->SetLocation(clIniFile);
  fresh->GetColumnSize()->SetKey(IniPath());
  fresh->GetColumnSize()->SetSection(u"Grid");
  fresh->LoadColPositions();
  EXPECT_EQ(Headers(fresh), u"BDCA");
  EXPECT_EQ(fresh->GetColumnOrder()->GetStrValue(), u"1,3,2,0");
  struct TCase {
    const char* Name;
    std::vector<String> Lines;
  } bad[] = {{"repeated", {u"[Grid]", u"Pos0=1", u"Pos1=1", u"Pos2=2", u"Pos3=0"}},
             {"out of range", {u"[Grid]", u"Pos0=1", u"Pos1=7", u"Pos2=2", u"Pos3=0"}},
             {"negative", {u"[Grid]", u"Pos0=1", u"Pos1=-5", u"Pos2=2", u"Pos3=0"}},
             {"too few", {u"[Grid]", u"Pos0=1", u"Pos1=0"}},
             {"no Pos0", {u"[Grid]", u"Pos1=0", u"Pos2=1", u"Pos3=2"}}};
  for (const TCase& c : bad) {
    TStringList file;
    for (const String& l : c.Lines) file.Add(l);
    file.SaveToFile(IniPath());
    auto* grid = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
    Label(grid, 4);
    grid->GetColumnSize()->SetLocation(clIniFile);
    grid->GetColumnSize()->SetKey(IniPath());
    grid->GetColumnSize()->SetSection(u"Grid");
    grid->LoadColPositions();
    EXPECT_EQ(Headers(grid), u"ABCD") << c.Name;
  }
}

TEST_F(NeoStringGridSettings, ColumnStateStringRoundTrip) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  Label(g, 4);
  g->SetColWidths(3, 90);
  g->MoveColumn(0, 2);   // B C A D
  g->HideColumn(1);
  String state = g->ColumnStatesToString();
  EXPECT_EQ(state, u"4#64,64,90,64#1,2,0,3#1,0,1,1");
  auto* fresh = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  Label(fresh, 4);
  fresh->StringToColumnStates(state);
  EXPECT_EQ(fresh->GetColCount(), 3);
  EXPECT_TRUE(fresh->IsHiddenColumn(1));
  EXPECT_EQ(fresh->GetCells(0, 0), u"B");
  EXPECT_EQ(fresh->GetColumnOrder()->GetStrValue(), u"1,2,0,3");
  // A width of 0 suppresses its column.
  fresh->StringToColumnStates(u"3#0,50,60#0,1,2#1,1,1");
  EXPECT_EQ(Widths(fresh), (std::vector<Integer>{0, 50, 60}));
  fresh->StringToColumnStates(u"no separator");   // nothing
  EXPECT_EQ(Widths(fresh), (std::vector<Integer>{0, 50, 60}));
}

// Every malformed string raises ENeoGridError and leaves the grid as it was.
TEST_F(NeoStringGridSettings, HostileColumnStateStrings) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  Label(g, 3);
  g->SetColWidths(1, 77);
  const String before = g->ColumnStatesToString();
  const Char* hostile[] = {
      u"#",                         u"3#64,64#0,1,2#1,1,1",          u"3#64,64,64#0,1#1,1,1",
      u"3#64,64,64#0,1,2#1,1",      u"3#64,64,64#0,0,2#1,1,1",       u"3#64,64,64#0,1,5#1,1,1",
      u"3#64,64,64#0,-1,2#1,1,1",   u"-3#64,64,64#0,1,2#1,1,1",      u"0###",
      u"99999999#1#0#1",            u"3#64,x,64#0,1,2#1,1,1",        u"3#64,64,64#0,1,2#1,2,1",
      u"3#64,-64,64#0,1,2#1,1,1",   u"3#64,64,64#0,1,2#1,1,1#extra", u"3#64,,64#0,1,2#1,1,1",
      u"65536#1#0#1",               u"3#64,64,64#0,1,2#",             u"three#1,2,3#0,1,2#1,1,1"};
  for (const Char* s : hostile) {
    EXPECT_THROW(g->StringToColumnStates(s), ENeoGridError) << UTF8Encode(s);
    EXPECT_EQ(g->ColumnStatesToString(), before) << UTF8Encode(s);
  }
  EXPECT_EQ(Headers(g), u"ABC");
}

// ---------------------------------------------------------------------------------------------
// The visual-properties file
// ---------------------------------------------------------------------------------------------
std::string FileBytes(const String& Path) {
  std::ifstream in(UTF8Encode(Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const String& Path, const std::string& Bytes) {
  std::ofstream out(UTF8Encode(Path), std::ios::binary);
  out << Bytes;
}

std::string Golden(const char* Name) { return FileBytes(UTF8ToString(std::string(ZELK_TEST_DATA) + "/grid/" + Name)); }

// A grid with every kind of value set away from its default.
void SetEveryKind(TNeoStringGrid* g) {
  g->SetColor(clCream);                    // a named colour
  g->SetHintColor(static_cast<TColor>(0x00123456));   // no name: "$" form
  g->SetSelectionColor(clHighlight);       // a system colour
  g->SetSelectionTextColor(clNone);
  g->SetURLShow(true);
  g->GetFont()->SetStyle(TFontStyles{fsBold, fsStrikeOut});
  g->GetFont()->SetSize(11);
  g->GetFont()->SetName(u"DejaVu Sans");
  g->GetActiveCellFont()->SetStyle(TFontStyles{fsItalic, fsUnderline});
  g->GetBalloon()->SetTransparency(40);
  g->GetBands()->SetActive(true);
  g->GetSortSettings()->SetIndexColor(clLime);
  g->GetControlLook()->SetControlStyle(csFlat);
  g->GetControlLook()->SetCheckSize(13);
  g->GetControlLook()->SetProgressXP(true);
  g->SetLook(glOffice2007);
  g->GetGrouping()->SetHeaderLineWidth(3);
  g->GetBackGround()->SetDisplay(bdGradientVert);
  g->GetBackGround()->SetCells(bcAll);
  g->GetBackGround()->SetLeft(-7);
  // The gradient through the control look, which sets the grid's gradient too (loading copies the
  // grid's gradient into the control look).
  g->GetControlLook()->SetFixedGradientFrom(static_cast<TColor>(0x00FFEEDD));
  g->GetControlLook()->SetFixedGradientTo(clSilver);
  g->GetControlLook()->SetFixedGradientMirrorTo(clBtnFace);
  g->SetSelectionStyle(ssWin7);
}

TEST_F(NeoStringGridSettings, VisualPropsGoldenFiles) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  String path = UTF8ToString((Folder / "look.txt").string());
  g->SaveVisualProps(path);
  EXPECT_EQ(FileBytes(path), Golden("visualprops-default.txt"));
  EXPECT_EQ(FileLines(path).size(), 74u);
  SetEveryKind(g);
  g->SaveVisualProps(path);
  const std::string every = FileBytes(path);
  EXPECT_EQ(every, Golden("visualprops-every-kind.txt"));
  // Loaded into a default grid and saved again, the file comes back byte for byte, but the look
  // is a custom one now.
  auto* fresh = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  fresh->LoadVisualProps(path);
  EXPECT_EQ(fresh->GetLook(), glCustom);
  EXPECT_EQ(fresh->GetControlLook()->GetFixedGradientFrom(), static_cast<TColor>(0x00FFEEDD));
  EXPECT_EQ(fresh->GetSelectionStyle(), ssWin7);
  fresh->SetLook(glOffice2007);
  fresh->SaveVisualProps(path);
  EXPECT_EQ(FileBytes(path), every);
}

// The file's own table of 52 colour names: the class library's first 52 names in the same order,
// and none of the two it knows beside them.
TEST_F(NeoStringGridSettings, VisualPropsColourNames) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  String path = UTF8ToString((Folder / "look.txt").string());
  g->SetColor(clLtGray);   // the value of clSilver: written by that name
  g->SaveVisualProps(path);
  EXPECT_EQ(FileLines(path)[0], u"Color=clSilver");
  WriteBytes(path, "Color=clLtGray\r\n");
  EXPECT_THROW(g->LoadVisualProps(path), EConvertError);
  WriteBytes(path, "Color=CLMONEYGREEN\r\nHintColor=$1FFFFFFF\r\nScrollColor=255\r\n");
  g->LoadVisualProps(path);
  EXPECT_EQ(g->GetColor(), clMoneyGreen);
  EXPECT_EQ(g->GetHintColor(), clNone);
  EXPECT_EQ(g->GetScrollColor(), static_cast<TColor>(255));
}

// A file without the gradient block leaves the grid's gradient as it is and gives the control
// look's missing gradient keys clNone. A saved file always holds the block, and loading it gives
// the control look the block's colours: saved again, only those two lines differ.
TEST_F(NeoStringGridSettings, VisualPropsGradientBlockOverridesTheControlLook) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  String path = UTF8ToString((Folder / "look.txt").string());
  WriteBytes(path, "Color=clRed\r\nFonDFKai-SB\r\n");   // a line without "=" is no entry
  const TColor from = g->GetNeoGradientFrom(), to = g->GetNeoGradientTo();
  ASSERT_EQ(from, clWhite);
  g->LoadVisualProps(path);
  EXPECT_EQ(g->GetColor(), clRed);
  EXPECT_EQ(g->GetControlLook()->GetFixedGradientFrom(), clNone);
  EXPECT_EQ(g->GetNeoGradientFrom(), from);
  EXPECT_EQ(g->GetNeoGradientTo(), to);
  g->SaveVisualProps(path);
  const std::vector<String> saved = FileLines(path);
  auto* fresh = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  fresh->LoadVisualProps(path);
  EXPECT_EQ(fresh->GetControlLook()->GetFixedGradientFrom(), from);
  EXPECT_EQ(fresh->GetControlLook()->GetFixedGradientTo(), to);
  fresh->SaveVisualProps(path);
  const std::vector<String> again = FileLines(path);
  ASSERT_EQ(again.size(), saved.size());
  std::vector<String> changed;
  for (std::size_t i = 0; i < saved.size(); ++i)
    if (again[i] != saved[i]) changed.push_back(again[i]);
  EXPECT_EQ(changed, (std::vector<String>{u"ControlLook.FixedGradientFrom=clWhite", u"ControlLook.FixedGradientTo=$00F0F0F0"}));
}

TEST_F(NeoStringGridSettings, VisualPropsMalformedFiles) {
  TNeoStringGrid* g = NewGrid(clIniFile, IniPath());
  String path = UTF8ToString((Folder / "look.txt").string());
  SetEveryKind(g);
  g->SaveVisualProps(path);
  const std::string good = FileBytes(path);
  auto replaced = [&](const std::string& From, const std::string& To) {
    std::string s = good;
    s.replace(s.find(From), From.size(), To);
    return s;
  };
  String check = UTF8ToString((Folder / "check.txt").string());
  // Values that cannot be read: the conversion error names key and value; nothing is applied.
  const std::string bad[] = {replaced("Font.Size=11", "Font.Size=eleven"),
                             replaced("Balloon.Transparency=40", "Balloon.Transparency=300"),
                             replaced("Color=clCream", "Color=clNoSuchColour"),
                             replaced("GridLineColor=clSilver", "GridLineColor=$123456789"),
                             replaced("SelectionStyle=2", "SelectionStyle=9"),
                             replaced("ControlLook.RadioSize=10", "ControlLook.RadioSize=")};
  auto* target = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  target->SaveVisualProps(check);
  const std::string untouched = FileBytes(check);
  for (const std::string& b : bad) {
    WriteBytes(path, b);
    try {
      target->LoadVisualProps(path);
      ADD_FAILURE() << "no error for a bad value";
    } catch (const EConvertError& e) {
      EXPECT_NE(e.GetMessage().find(u"is not a valid value for"), String::npos);
    }
    target->SaveVisualProps(check);
    EXPECT_EQ(FileBytes(check), untouched);
  }
  // A byte-order mark and LF-only lines read as well.
  std::string lf;
  for (char c : good)
    if (c != '\r') lf += c;
  WriteBytes(path, "\xEF\xBB\xBF" + lf);
  target->LoadVisualProps(path);
  EXPECT_EQ(target->GetColor(), clCream);
  EXPECT_EQ(target->GetFont()->GetName(), u"DejaVu Sans");
  // A truncated file: missing colours are clNone, flags False, integer keys their defaults, and
  // without NeoGradFrom the gradient block stays as it was.
  auto* fresh = Add<TNeoStringGrid>(Form, 0, 0, 400, 250);
  TColor gradient = fresh->GetNeoGradientFrom();
  WriteBytes(path, good.substr(0, good.find("Balloon.BackgroundColor")));
  fresh->LoadVisualProps(path);
  EXPECT_EQ(fresh->GetFont()->GetSize(), 11);
  EXPECT_EQ(fresh->GetBalloon()->GetBackgroundColor(), clNone);
  EXPECT_EQ(fresh->GetControlLook()->GetCheckSize(), 15);
  EXPECT_FALSE(fresh->GetBands()->GetActive());
  EXPECT_EQ(fresh->GetNeoGradientFrom(), gradient);
  EXPECT_EQ(fresh->GetSelectionStyle(), ssDefault);
  WriteBytes(path, "HintColor=clRed\r\n");
  fresh->LoadVisualProps(path);
  EXPECT_EQ(fresh->GetColor(), clNone);   // the Color key is missing
  // Unknown names leave their property as it is; the old key of the balloon colour is read.
  WriteBytes(path, "ControlLook.ControlStyle=csNothing\r\nBackGround.Display=BDFIXED\r\nBalloon.BackGroundColor=clRed\r\n");
  fresh->GetControlLook()->SetControlStyle(csGlyph);
  fresh->LoadVisualProps(path);
  EXPECT_EQ(fresh->GetControlLook()->GetControlStyle(), csGlyph);
  EXPECT_EQ(fresh->GetBackGround()->GetDisplay(), bdFixed);
  EXPECT_EQ(fresh->GetBalloon()->GetBackgroundColor(), clRed);
  // Files that cannot be opened or made.
  String missing = UTF8ToString((Folder / "none.txt").string());
  try {
    fresh->LoadVisualProps(missing);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Cannot open file " + missing);
  }
  String noFolder = UTF8ToString((Folder / "no" / "look.txt").string());
  try {
    fresh->SaveVisualProps(noFolder);
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(e.GetMessage(), u"Cannot Create " + noFolder);
  }
}

}  // namespace
