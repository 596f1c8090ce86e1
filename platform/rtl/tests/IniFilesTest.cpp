#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/testsupport/ScopedEnv.h"
#include "platform/rtl/testsupport/StringLines.h"

namespace {

std::string ReadBytes(const std::string& file) {
  std::string bytes;
  ReadFileBytes(UTF8ToString(file), bytes);
  return bytes;
}

void WriteBytes(const std::string& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

using Strings = std::vector<String>;

// Text as UTF-16LE bytes behind their BOM.
std::string Utf16Le(StringView text) {
  std::string bytes = "\xff\xfe";
  for (Char c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

class IniFiles : public testing::Test {
protected:
  void SetUp() override { Dir = TestScratchFolder(); }
  std::string Path(const std::string& name) const { return Dir + "/" + name; }
  String File(const std::string& name) const { return UTF8ToString(Path(name)); }
  std::string Dir;
};

}  // namespace

TEST_F(IniFiles, ReadsAFileWrittenByHand) {
  WriteBytes(Path("app.ini"),
             "ignored=before any section\r\n"
             "; a comment\n"
             "[Grid]\n"
             "  Col0 = 64  \r\n"
             "Col1=120\r"
             "Title=a = b\n"
             "NoSeparator\n"
             "\n"
             "[ Other ]\n"
             "Key=value\n"
             "[grid]\n"
             "Col2=7\n");
  TMemIniFile ini(File("app.ini"));
  EXPECT_EQ(ini.ReadInteger(u"GRID", u"col0", -1), 64);
  EXPECT_EQ(ini.ReadString(u"Grid", u"Title", u""), u"a = b");
  EXPECT_EQ(ini.ReadString(u"Grid", u"Missing", u"def"), u"def");
  EXPECT_EQ(ini.ReadString(u"Nowhere", u"Col0", u"def"), u"def");
  EXPECT_EQ(ini.ReadString(u"other", u"key", u""), u"value");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Lines(list), (Strings{u"Grid", u"Other"}));
  ini.ReadSection(u"grid", &list);
  EXPECT_EQ(Lines(list), (Strings{u"Col0", u"Col1", u"Title", u"NoSeparator", u"Col2"}));
  ini.ReadSectionValues(u"Grid", &list);
  EXPECT_EQ(list.GetValues(u"Col1"), u"120");
  EXPECT_TRUE(ini.SectionExists(u"OTHER"));
  EXPECT_FALSE(ini.SectionExists(u"Ignored"));
  EXPECT_TRUE(ini.ValueExists(u"Grid", u"COL2"));
  EXPECT_FALSE(ini.ValueExists(u"Grid", u"ignored"));
}

TEST_F(IniFiles, TypedValues) {
  const TFormatSettings saved = FormatSettings;
  TMemIniFile ini(File("typed.ini"));
  struct Case { const Char* Text; Integer Expected; } ints[] = {
      {u"42", 42}, {u"-7", -7}, {u"$1F", 31}, {u"0x1F", 31}, {u" 12", 12}, {u"12abc", -1}, {u"", -1},
      {u"99999999999", -1}};
  for (const auto& c : ints) {
    ini.WriteString(u"S", u"I", c.Text);
    EXPECT_EQ(ini.ReadInteger(u"S", u"I", -1), c.Expected) << UTF8Encode(c.Text);
  }
  ini.WriteBool(u"S", u"On", true);
  ini.WriteBool(u"S", u"Off", false);
  EXPECT_EQ(ini.ReadString(u"S", u"On", u""), u"1");
  EXPECT_EQ(ini.ReadString(u"S", u"Off", u""), u"0");
  EXPECT_TRUE(ini.ReadBool(u"S", u"On", false));
  EXPECT_FALSE(ini.ReadBool(u"S", u"Off", true));
  EXPECT_TRUE(ini.ReadBool(u"S", u"Absent", true));
  ini.WriteString(u"S", u"Word", u"True");
  EXPECT_FALSE(ini.ReadBool(u"S", u"Word", false)) << "only numbers count";

  for (auto settings : {TFormatSettings::USEnglish(), TFormatSettings::German()}) {
    FormatSettings = settings;
    ini.WriteFloat(u"S", u"F", 2.5);
    EXPECT_EQ(ini.ReadString(u"S", u"F", u""), settings.DecimalSeparator == u',' ? u"2,5" : u"2.5");
    EXPECT_DOUBLE_EQ(ini.ReadFloat(u"S", u"F", 0), 2.5);
    ini.WriteDate(u"S", u"D", EncodeDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(ini.ReadDate(u"S", u"D", 0), EncodeDate(2024, 2, 29));
  }
  ini.WriteString(u"S", u"F", u"not a number");
  EXPECT_DOUBLE_EQ(ini.ReadFloat(u"S", u"F", -1.5), -1.5);
  FormatSettings = saved;
}

TEST_F(IniFiles, MemIniFileWritesTheWholeFileOnUpdateOnly) {
  WriteBytes(Path("mem.ini"), "; comment\n[Grid]\nCol0 = 64\n");
  TMemIniFile ini(File("mem.ini"));
  EXPECT_EQ(ini.ReadInteger(u"Grid", u"Col0", 0), 64);
  ini.UpdateFile();   // after reading only, the file is still written in full
  EXPECT_EQ(ReadBytes(Path("mem.ini")), "[Grid]\r\nCol0=64\r\n\r\n");

  ini.WriteInteger(u"Grid", u"Col1", 120);
  ini.WriteString(u"New", u"Name", u"Value");
  EXPECT_EQ(ReadBytes(Path("mem.ini")), "[Grid]\r\nCol0=64\r\n\r\n") << "nothing written before UpdateFile";
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path("mem.ini")), "[Grid]\r\nCol0=64\r\nCol1=120\r\n\r\n[New]\r\nName=Value\r\n\r\n");

  ini.DeleteKey(u"grid", u"COL0");
  ini.EraseSection(u"new");
  TStringList lines;
  ini.GetStrings(&lines);
  EXPECT_EQ(Lines(lines), (Strings{u"[Grid]", u"Col1=120", u""}));

  lines.SetText(u"[A]\r\nx=1\r\n");
  ini.SetStrings(&lines);
  EXPECT_EQ(ini.ReadString(u"A", u"X", u""), u"1");
  EXPECT_FALSE(ini.SectionExists(u"Grid"));

  ini.Rename(File("mem.ini"), true);
  EXPECT_EQ(ini.ReadInteger(u"Grid", u"Col1", 0), 120) << "reloaded from the file";
  ini.Clear();
  EXPECT_FALSE(ini.SectionExists(u"Grid"));
  int entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(Dir)) ++entries;
  EXPECT_EQ(entries, 1) << "no temporary files are left";
}

TEST_F(IniFiles, EncodingsAreReadByBomAndKept) {
  struct Case {
    const char* Name;
    std::string Bytes;
    std::string Written;   // what UpdateFile writes back
  } cases[] = {
      {"ansi.ini", "[S]\r\nK=Gr\xfc\xdf" "e\r\n\r\n", "[S]\r\nK=Gr\xfc\xdf" "e\r\n\r\n"},
      {"utf8.ini", "\xef\xbb\xbf[S]\r\nK=Gr\xc3\xbc\xc3\x9f" "e\r\n\r\n", "\xef\xbb\xbf[S]\r\nK=Gr\xc3\xbc\xc3\x9f" "e\r\n\r\n"},
      {"utf16.ini", Utf16Le(u"[S]\r\nK=Gr\u00fc\u00dfe\r\n\r\n"), Utf16Le(u"[S]\r\nK=Gr\u00fc\u00dfe\r\n\r\n")},
  };
  for (const auto& c : cases) {
    WriteBytes(Path(c.Name), c.Bytes);
    TMemIniFile ini(File(c.Name));
    EXPECT_EQ(ini.ReadString(u"S", u"K", u""), u"Gr\u00fc\u00dfe") << c.Name;
    ini.UpdateFile();
    EXPECT_EQ(ReadBytes(Path(c.Name)), c.Written) << c.Name;
  }
}

TEST_F(IniFiles, TextAnsiCannotHoldMakesTheFileUtf8) {
  TMemIniFile ini(File("new.ini"));
  ini.WriteString(u"S", u"Plain", u"abc");
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path("new.ini")), "[S]\r\nPlain=abc\r\n\r\n");
  ini.WriteString(u"S", u"Name", u"\u041f\u0440\u0438\u0432\u0435\u0442");
  ini.UpdateFile();
  EXPECT_EQ(ReadBytes(Path("new.ini")).substr(0, 3), "\xef\xbb\xbf");
  TMemIniFile again(File("new.ini"));
  EXPECT_EQ(again.ReadString(u"S", u"Name", u""), u"\u041f\u0440\u0438\u0432\u0435\u0442");

  TMemIniFile forced(File("forced.ini"), TEncoding::UTF8());
  forced.WriteString(u"S", u"K", u"x");
  forced.UpdateFile();
  EXPECT_EQ(ReadBytes(Path("forced.ini")), "\xef\xbb\xbf[S]\r\nK=x\r\n\r\n");
}

TEST_F(IniFiles, IniFileWritesAtOnceAndSeesOtherWriters) {
  TIniFile first(File("shared.ini"));
  TIniFile second(File("shared.ini"));
  first.WriteInteger(u"Grid", u"Col0", 64);
  EXPECT_EQ(ReadBytes(Path("shared.ini")), "[Grid]\r\nCol0=64\r\n\r\n");
  EXPECT_EQ(second.ReadInteger(u"grid", u"col0", 0), 64) << "the second object reads the file anew";
  second.WriteBool(u"Grid", u"Visible", true);
  EXPECT_TRUE(first.ReadBool(u"Grid", u"Visible", false));
  EXPECT_EQ(first.ReadInteger(u"Grid", u"Col0", 0), 64) << "first's value survived second's write";

  WriteBytes(Path("shared.ini"), "[Grid]\nCol0=1\n");   // changed behind both objects' backs
  EXPECT_EQ(first.ReadInteger(u"Grid", u"Col0", 0), 1);
  first.DeleteKey(u"Grid", u"Col0");
  EXPECT_FALSE(second.ValueExists(u"Grid", u"Col0"));
  first.EraseSection(u"Grid");
  EXPECT_FALSE(second.SectionExists(u"Grid"));
  EXPECT_EQ(ReadBytes(Path("shared.ini")), "");
}

TEST_F(IniFiles, UnwritableFileRaises) {
  TMemIniFile ini(u"/proc/zelk-no-such-folder/x.ini");
  ini.WriteString(u"S", u"K", u"V");
  try {
    ini.UpdateFile();
    FAIL();
  } catch (EFCreateError& e) {
    EXPECT_NE(e.Message.find(u"/proc/zelk-no-such-folder/x.ini"), String::npos);
  }
}

// A name or value the file cannot hold would come back as something else (a new section, a lost
// or renamed entry): it is refused with the exception naming it, and the file keeps what it had.
TEST_F(IniFiles, RefusesWhatTheFileCannotHold) {
  struct Case {
    const Char* Section;
    const Char* Ident;
    const Char* Value;
    const Char* Named;
  };
  const Case cases[] = {
      {u"Grid", u"Title", u"line\r\n[Injected]\r\nx=1", u"Title"},
      {u"Grid", u"Title", u"cr\ronly", u"Title"},
      {u"Grid", u"a=b", u"1", u"a=b"},
      {u"Grid", u";comment", u"1", u";comment"},
      {u"Grid", u" [bracket", u"1", u" [bracket"},
      {u"Grid", u"two\nlines", u"1", u"two\nlines"},
      {u"Sec\ntion", u"Key", u"1", u"Sec\ntion"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(UTF8Encode(c.Ident));
    TIniFile ini(File("refused.ini"));
    ini.WriteString(u"Grid", u"Kept", u"yes");
    const std::string before = ReadBytes(Path("refused.ini"));
    try {
      ini.WriteString(c.Section, c.Ident, c.Value);
      ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
      EXPECT_NE(e.Message.find(c.Named), String::npos) << UTF8Encode(e.Message);
    }
    EXPECT_EQ(ReadBytes(Path("refused.ini")), before);
  }
  // What the format can hold still goes through: '=' in a value, ';' and '[' inside a name.
  TIniFile ini(File("refused.ini"));
  ini.WriteString(u"Grid", u"a;b[c", u"x=y;z");
  TMemIniFile reread(File("refused.ini"));
  EXPECT_EQ(reread.ReadString(u"Grid", u"a;b[c", u""), u"x=y;z");
}

// The file trims names, so blanks around a section or entry name name the same one: a write
// replaces the entry the file has rather than adding one that the next read shadows.
TEST_F(IniFiles, BlanksAroundNamesNameTheSameEntry) {
  WriteBytes(Path("blanks.ini"), "[Main]\r\nName=Value\r\n");
  TMemIniFile ini(File("blanks.ini"));
  ini.WriteString(u" Main\t", u"Name ", u"new");
  EXPECT_EQ(ini.ReadString(u"Main", u"Name", u""), u"new");
  ini.UpdateFile();
  TMemIniFile reread(File("blanks.ini"));
  EXPECT_EQ(reread.ReadString(u"Main", u" Name ", u""), u"new");
  TStringList names;
  reread.ReadSection(u"Main", &names);
  EXPECT_EQ(names.GetCommaText(), u"Name");
  EXPECT_EQ(ReadBytes(Path("blanks.ini")), "[Main]\r\nName=new\r\n\r\n");
}

// A lone surrogate has no UTF-8 form: the file becomes UTF-16 rather than lose it.
TEST_F(IniFiles, LoneSurrogatesSurviveAWrite) {
  const String values[] = {String(1, Char(0xD800)), u"a" + String(1, Char(0xDC01)) + u"b", u"\u20ac pair \U0001F600"};
  {
    TIniFile ini(File("surrogates.ini"));
    ini.WriteString(u"S", u"Euro", u"\u20ac");   // UTF-8 from here on
    for (std::size_t i = 0; i < std::size(values); ++i) ini.WriteString(u"S", u"V" + IntToStr(static_cast<Integer>(i)), values[i]);
  }
  TMemIniFile reread(File("surrogates.ini"));
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(reread.ReadString(u"S", u"V" + IntToStr(static_cast<Integer>(i)), u""), values[i]) << i;
  EXPECT_EQ(reread.ReadString(u"S", u"Euro", u""), u"\u20ac");
}
