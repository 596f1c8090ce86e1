#include "platform/rtl/TextFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

class TextFile : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("zelk-textfile-" + std::to_string(getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override { fs::remove_all(Dir); }
  String Path(const std::string& Name) const { return UTF8ToString((Dir / Name).string()); }
  std::string Bytes(const std::string& Name) const {
    std::ifstream in(Dir / Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Put(const std::string& Name, const std::string& Content) const {
    std::ofstream(Dir / Name, std::ios::binary) << Content;
  }
  // Every line ReadLn gives until Eof.
  std::vector<String> Lines(const std::string& Name) const {
    TTextFile f;
    AssignFile(f, Path(Name));
    Reset(f);
    std::vector<String> lines;
    while (!Eof(f)) {
      String line;
      ReadLn(f, line);
      lines.push_back(line);
    }
    CloseFile(f);
    return lines;
  }
  fs::path Dir;
};

TEST_F(TextFile, WritesAnsiLinesEndedByCrLfAndReadsThemBack) {
  TTextFile f;
  AssignFile(f, Path("out.txt"));
  Rewrite(f);
  Write(f, u"Grüße ");
  WriteLn(f, u"€5");
  WriteLn(f);
  WriteLn(f, u"\u4E00 not in the code page");
  CloseFile(f);
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(Bytes("out.txt"), "Gr\xFC\xDF" "e \x80" "5\r\n\r\n? not in the code page\r\n");
  EXPECT_EQ(Lines("out.txt"), (std::vector<String>{u"Grüße €5", u"", u"? not in the code page"}));
  // Rewrite empties a file that exists.
  Rewrite(f);
  WriteLn(f, u"new");
  CloseFile(f);
  EXPECT_EQ(Bytes("out.txt"), "new\r\n");
}

TEST_F(TextFile, ReadLnTakesEveryLineEnd) {
  struct TCase {
    const char* Content;
    std::vector<String> Lines;
  } cases[] = {
      {"a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
      {"a\r\r\nb\n\n", {u"a", u"", u"b", u""}},
      {"last\r", {u"last"}},
      {"", {}},
      {"\xE9t\xE9", {u"été"}},
  };
  for (const TCase& c : cases) {
    Put("in.txt", c.Content);
    EXPECT_EQ(Lines("in.txt"), c.Lines) << c.Content;
  }
  // At the end ReadLn gives empty lines.
  TTextFile f;
  AssignFile(f, Path("in.txt"));
  Reset(f);
  String line = u"x";
  ReadLn(f, line);
  ReadLn(f, line);
  EXPECT_EQ(line, u"");
  EXPECT_TRUE(Eof(f));
}

// Lines longer than what is read at once, and a CR LF split between two reads.
TEST_F(TextFile, LongLinesAndLineEndsAcrossReads) {
  const std::string first(65535, 'a');
  const std::string second(200000, 'b');
  Put("long.txt", first + "\r\n" + second + "\r\nend");
  std::vector<String> lines = Lines("long.txt");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], String(first.begin(), first.end()));
  EXPECT_EQ(lines[1], String(second.begin(), second.end()));
  EXPECT_EQ(lines[2], u"end");
  TTextFile f;
  AssignFile(f, Path("copy.txt"));
  Rewrite(f);
  for (const String& l : lines) WriteLn(f, l);
  CloseFile(f);
  EXPECT_EQ(Bytes("copy.txt"), first + "\r\n" + second + "\r\nend\r\n");
}

// What is written reaches the file when the text file goes without CloseFile, and when Reset
// closes the file to read it.
TEST_F(TextFile, PendingTextIsWrittenOnEveryClose) {
  {
    TTextFile f;
    AssignFile(f, Path("gone.txt"));
    Rewrite(f);
    WriteLn(f, u"kept");
  }
  EXPECT_EQ(Bytes("gone.txt"), "kept\r\n");
  TTextFile f;
  AssignFile(f, Path("reopened.txt"));
  Rewrite(f);
  WriteLn(f, u"one");
  Reset(f);
  String line;
  ReadLn(f, line);
  EXPECT_EQ(line, u"one");
}

void ExpectInOutError(const std::function<void()>& Action, Integer Code, const String& Message, const char* What) {
  try {
    Action();
    ADD_FAILURE() << What << ": no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode, Code) << What;
    EXPECT_EQ(e.GetMessage(), Message) << What;
  }
}

TEST_F(TextFile, FailuresRaiseTheRuntimesInOutErrors) {
  TTextFile missing, noFolder, folder, output, input, unnamed;
  AssignFile(missing, Path("missing.txt"));
  AssignFile(noFolder, Path("no/file.txt"));
  AssignFile(folder, UTF8ToString(Dir.string()));
  AssignFile(output, Path("out.txt"));
  Rewrite(output);
  Put("in.txt", "x");
  AssignFile(input, Path("in.txt"));
  Reset(input);
  String line;
  struct TCase {
    const char* What;
    std::function<void()> Action;
    Integer Code;
    const Char* Message;
  } cases[] = {
      {"reset a missing file", [&] { Reset(missing); }, 2, u"File not found"},
      {"reset in a missing folder", [&] { Reset(noFolder); }, 3, u"Invalid filename"},
      {"rewrite in a missing folder", [&] { Rewrite(noFolder); }, 3, u"Invalid filename"},
      {"reset a folder", [&] { Reset(folder); }, 5, u"File access denied"},
      {"rewrite a folder", [&] { Rewrite(folder); }, 5, u"File access denied"},
      {"rewrite an unnamed file", [&] { Rewrite(unnamed); }, 102, u"I/O error 102"},
      {"write a closed file", [&] { WriteLn(missing, u"x"); }, 103, u"I/O error 103"},
      {"read a closed file", [&] { ReadLn(missing, line); }, 103, u"I/O error 103"},
      {"close a closed file", [&] { CloseFile(unnamed); }, 103, u"I/O error 103"},
      {"read an output file", [&] { ReadLn(output, line); }, 104, u"I/O error 104"},
      {"ask an output file for its end", [&] { Eof(output); }, 104, u"I/O error 104"},
      {"write an input file", [&] { WriteLn(input, u"x"); }, 105, u"I/O error 105"},
  };
  for (const TCase& c : cases) ExpectInOutError(c.Action, c.Code, c.Message, c.What);
  EXPECT_FALSE(fs::exists(Dir / "missing.txt"));
  EXPECT_TRUE(output.IsOpen());   // a refused call leaves an open file open
  EXPECT_TRUE(input.IsOpen());
}

// Text that cannot be written raises at the flush and still closes the file.
TEST_F(TextFile, DiskFullIsReportedWhenTheTextIsWritten) {
  TTextFile f;
  AssignFile(f, u"/dev/full");
  Rewrite(f);
  WriteLn(f, u"no room");
  ExpectInOutError([&] { CloseFile(f); }, 101, u"Disk full", "close");
  EXPECT_FALSE(f.IsOpen());
  Rewrite(f);
  ExpectInOutError([&] { Write(f, std::u16string(70000, u'x')); }, 101, u"Disk full", "a write past the buffer");
}

}  // namespace
