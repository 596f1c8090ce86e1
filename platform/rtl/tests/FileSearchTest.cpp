#include "platform/rtl/FileSearch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace fs = std::filesystem;

namespace {

class FileSearch : public ::testing::Test {
protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("zelk-findfirst-" + std::to_string(getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(Dir / "locked", fs::perms::owner_all, ec);
    fs::remove_all(Dir, ec);
  }
  void MakeFile(const std::string& Name, std::size_t Size = 0) {
    std::ofstream(Dir / Name, std::ios::binary) << std::string(Size, 'x');
  }
  String Mask(const std::string& M) const { return UTF8ToString((Dir / M).string()); }
  // Every name FindFirst / FindNext report, in order; the search is closed afterwards.
  static std::vector<String> Names(const String& Path, Integer Attr, Integer* First = nullptr) {
    std::vector<String> names;
    TSearchRec f;
    Integer rc = FindFirst(Path, Attr, f);
    if (First) *First = rc;
    for (; rc == 0; rc = FindNext(f)) names.push_back(f.Name);
    EXPECT_EQ(rc, rc == ERROR_FILE_NOT_FOUND || rc == ERROR_PATH_NOT_FOUND ? rc : ERROR_NO_MORE_FILES);
    FindClose(f);
    return names;
  }
  fs::path Dir;
};

}  // namespace

TEST_F(FileSearch, MasksAndAttributes) {
  MakeFile("abc.png", 10);
  MakeFile("ABD.PNG");
  MakeFile("abc");
  MakeFile("axc.txt");
  MakeFile("abcd.png");
  MakeFile(".hidden.png");
  MakeFile("two words.png");
  MakeFile("\xc3\xa4pfel.png");   // "äpfel"
  fs::create_directory(Dir / "sub.png");
  struct TCase {
    const char* Mask;
    Integer Attr;
    std::vector<String> Want;
  };
  const TCase cases[] = {
      {"*.png", 0, {u"abc.png", u"abcd.png", u"ABD.PNG", u"two words.png", u"\u00e4pfel.png"}},
      {"*.PNG", faHidden | faDirectory,
       {u".hidden.png", u"abc.png", u"abcd.png", u"ABD.PNG", u"sub.png", u"two words.png", u"\u00e4pfel.png"}},
      {"*", faAnyFile,
       {u".", u"..", u".hidden.png", u"abc", u"abc.png", u"abcd.png", u"ABD.PNG", u"axc.txt", u"sub.png",
        u"two words.png", u"\u00e4pfel.png"}},
      {"*", 0, {u"abc", u"abc.png", u"abcd.png", u"ABD.PNG", u"axc.txt", u"two words.png", u"\u00e4pfel.png"}},
      {"a?c.*", 0, {u"abc", u"abc.png", u"axc.txt"}},
      {"two words.*", 0, {u"two words.png"}},
      {"\xc3\x84PFEL.png", 0, {u"\u00e4pfel.png"}},   // case folds beyond ASCII
      {"*.*", faDirectory, {u".", u"..", u"abc", u"abc.png", u"abcd.png", u"ABD.PNG", u"axc.txt", u"sub.png",
                            u"two words.png", u"\u00e4pfel.png"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    EXPECT_EQ(Names(Mask(c.Mask), c.Attr), c.Want);
  }

  TSearchRec f;
  ASSERT_EQ(FindFirst(Mask("abc.png"), faAnyFile, f), 0);
  EXPECT_EQ(f.Size, 10);
  EXPECT_EQ(f.Attr, faArchive);
  // The packed time and the time stamp tell the same local day.
  Word y = 0, m = 0, d = 0;
  DecodeDate(f.TimeStamp, y, m, d);
  const auto packed = static_cast<unsigned>(f.Time);
  EXPECT_GE(y, 2010);
  EXPECT_EQ((packed >> 25) + 1980, y);
  EXPECT_EQ((packed >> 21) & 15, m);
  EXPECT_EQ((packed >> 16) & 31, d);
  EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES);
  FindClose(f);
  EXPECT_EQ(FindNext(f), ERROR_NO_MORE_FILES) << "a closed search reports its end";
  ASSERT_EQ(FindFirst(Mask("sub.png"), faDirectory, f), 0);
  EXPECT_EQ(f.Attr, faDirectory);
  EXPECT_EQ(f.Size, 0);
  ASSERT_EQ(FindFirst(Mask(".hidden.png"), faHidden, f), 0);
  EXPECT_EQ(f.Attr, faArchive | faHidden);
  fs::permissions(Dir / "abc", fs::perms::owner_read);
  ASSERT_EQ(FindFirst(Mask("abc"), 0, f), 0);
  EXPECT_EQ(f.Attr, faArchive | faReadOnly);
  FindClose(f);
}

TEST_F(FileSearch, MissingFolderAndNoMatch) {
  Integer rc = 0;
  EXPECT_TRUE(Names(Mask("nowhere/*.png"), faAnyFile, &rc).empty());
  EXPECT_EQ(rc, ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(Names(Mask("*.jpg"), faAnyFile, &rc).empty());
  EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
  MakeFile("x.jpg");
  EXPECT_TRUE(Names(Mask(""), faAnyFile, &rc).empty()) << "an empty mask matches nothing";
  EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
  // Found, but every match has an attribute the search did not ask for.
  fs::create_directory(Dir / "d.jpg.dir");
  EXPECT_TRUE(Names(Mask("d.*"), 0, &rc).empty());
  EXPECT_EQ(rc, ERROR_FILE_NOT_FOUND);
  // An unreadable folder cannot be listed.
  if (geteuid() != 0) {
    fs::create_directory(Dir / "locked");
    fs::permissions(Dir / "locked", fs::perms::none);
    EXPECT_TRUE(Names(Mask("locked/*"), faAnyFile, &rc).empty());
    EXPECT_EQ(rc, ERROR_PATH_NOT_FOUND);
  }
}

TEST_F(FileSearch, TenThousandFiles) {
  for (int i = 0; i < 10000; ++i) MakeFile("f" + std::to_string(100000 + i) + (i % 2 ? ".png" : ".txt"));
  std::vector<String> all = Names(Mask("*"), 0);
  ASSERT_EQ(all.size(), 10000u);
  EXPECT_EQ(all.front(), u"f100000.txt");
  EXPECT_EQ(all.back(), u"f109999.png");
  std::vector<String> png = Names(Mask("*.png"), 0);
  ASSERT_EQ(png.size(), 5000u);
  EXPECT_TRUE(std::is_sorted(png.begin(), png.end()));
}

TEST(FilePath, FolderAndNameParts) {
  EXPECT_EQ(ExtractFilePath(u"/tmp/pics/*.png"), u"/tmp/pics/");
  EXPECT_EQ(ExtractFileName(u"/tmp/pics/a b.png"), u"a b.png");
  EXPECT_EQ(ExtractFilePath(u"C:\\pics\\x.bmp"), u"C:\\pics\\");
  EXPECT_EQ(ExtractFileName(u"x.bmp"), u"x.bmp");
  EXPECT_EQ(ExtractFilePath(u"x.bmp"), u"");
}
