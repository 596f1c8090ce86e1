#include "platform/rtl/SysInfo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/testsupport/ScopedEnv.h"

namespace fs = std::filesystem;

TEST(SysInfo, TickCountReadsTheClockSourceAndWraps) {
  UInt64 now = 0x1'0000'0000ULL + 5;
  auto previous = SetTickSource([&] { return now; });
  EXPECT_EQ(GetTickCount(), 5u);
  EXPECT_EQ(GetTickCount64(), 0x1'0000'0005ULL);
  now = 0xFFFFFFFFULL;
  const Cardinal before = GetTickCount();
  now += 10;
  EXPECT_EQ(static_cast<Cardinal>(GetTickCount() - before), 10u) << "differences survive the wrap";
  SetTickSource(previous);

  const Cardinal start = GetTickCount();
  Sleep(30);
  EXPECT_GE(GetTickCount() - start, 30u);
}

TEST(SysInfo, CommandLine) {
  const char* argv[] = {"prog", "first arg", "\xc3\xbc"};
  SetCommandLine(3, argv);
  EXPECT_EQ(ParamCount(), 2);
  EXPECT_EQ(ParamStr(1), u"first arg");
  EXPECT_EQ(ParamStr(2), u"\u00fc");
  EXPECT_EQ(ParamStr(3), u"");
  EXPECT_EQ(ParamStr(-1), u"");
  const String self = UTF8ToString(fs::canonical("/proc/self/exe").string());
  EXPECT_EQ(ParamStr(0), self) << "ParamStr(0) is the program's full path";
  EXPECT_EQ(GetProgramFolder() + UTF8ToString(fs::path(UTF8Encode(self)).filename().string()), self);
  SetCommandLine(0, nullptr);
  EXPECT_EQ(ParamCount(), 0);
}

TEST(SysInfo, TempAndHomeFolders) {
  TScopedEnv env;
  env.Set("TMPDIR", "/var/scratch");
  EXPECT_EQ(GetTempPath(), u"/var/scratch/");
  env.Set("TMPDIR", "/var/scratch/");
  EXPECT_EQ(GetTempPath(), u"/var/scratch/");
  env.Unset("TMPDIR");
  EXPECT_EQ(GetTempPath(), u"/tmp/");
  env.Set("HOME", "/home/someone");
  EXPECT_EQ(GetHomeFolder(), u"/home/someone");
  EXPECT_EQ(GetEnvironmentVariable(u"HOME"), u"/home/someone");
  EXPECT_EQ(GetEnvironmentVariable(u"ZELK_SURELY_NOT_SET"), u"");
}

TEST(SysInfo, DocumentsFolderFollowsXdgUserDirs) {
  TScopedEnv env;
  const std::string dir = TestScratchFolder();
  env.Set("HOME", "/home/someone");
  env.Set("XDG_CONFIG_HOME", dir);
  env.Unset("XDG_DOCUMENTS_DIR");
  EXPECT_EQ(GetDocumentsFolder(), u"/home/someone/Documents") << "no user-dirs.dirs";

  std::ofstream(dir + "/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                            "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                            "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
  EXPECT_EQ(GetDocumentsFolder(), u"/home/someone/Dokumente");
  std::ofstream(dir + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/data/docs/\"\n";
  EXPECT_EQ(GetDocumentsFolder(), u"/data/docs");
  env.Set("XDG_DOCUMENTS_DIR", "/elsewhere");
  EXPECT_EQ(GetDocumentsFolder(), u"/elsewhere");
}

TEST(SysInfo, DebugOutputGoesToStderrOrTheHook) {
  testing::internal::CaptureStderr();
  OutputDebugStringW(u"Gr\u00fc\u00dfe");
  OutputDebugString(u"second");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Gr\xc3\xbc\xc3\x9f" "e\nsecond\n");

  std::vector<String> captured;
  auto previous = SetDebugOutputHook([&](const String& s) { captured.push_back(s); });
  testing::internal::CaptureStderr();
  OutputDebugStringW(u"to the hook");
  OutputDebugStringW(nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(captured, (std::vector<String>{u"to the hook", u""}));
  SetDebugOutputHook(previous);
}

TEST(SysInfo, VersionFactsAnswerTheVersionCalls) {
  OSVERSIONINFOEXW ex{};
  ex.dwOSVersionInfoSize = sizeof ex;
  ASSERT_TRUE(GetVersionExW(&ex));
  EXPECT_EQ(ex.dwMajorVersion, 10u);
  EXPECT_EQ(ex.dwMinorVersion, 0u);
  EXPECT_EQ(ex.dwBuildNumber, 19045u);
  EXPECT_EQ(ex.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(ex.dwOSVersionInfoSize, 284u);

  OSVERSIONINFOW bad{};
  bad.dwOSVersionInfoSize = 100;
  EXPECT_FALSE(GetVersionExW(&bad));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(RtlGetVersion(&bad), STATUS_INVALID_PARAMETER);

  // A program without a compatibility manifest is told 6.2; the true version stays with RtlGetVersion.
  TVersionFacts facts;
  facts.Reported = {6, 2, 9200};
  SetVersionFacts(facts);
  OSVERSIONINFOW plain{};
  plain.dwOSVersionInfoSize = sizeof plain;
  ASSERT_TRUE(GetVersionExW(&plain));
  EXPECT_EQ(plain.dwMajorVersion, 6u);
  EXPECT_EQ(plain.dwMinorVersion, 2u);
  OSVERSIONINFOEXW actualEx{};
  actualEx.dwOSVersionInfoSize = sizeof actualEx;
  EXPECT_EQ(RtlGetVersion(reinterpret_cast<OSVERSIONINFOW*>(&actualEx)), STATUS_SUCCESS);
  EXPECT_EQ(actualEx.dwMajorVersion, 10u);
  ResetVersionFacts();
  EXPECT_EQ(GetVersionFacts().Reported.Major, 10u);
}

namespace {

// The major.minor word pair of a module's file version, or -1 without version information.
Integer FileVersionOf(const String& name) {
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeW(name.c_str(), &handle);
  if (!size) return -1;
  std::vector<Byte> block(size);
  if (!GetFileVersionInfoW(name.c_str(), handle, size, block.data())) return -1;
  void* info = nullptr;
  UINT len = 0;
  if (!VerQueryValueW(block.data(), u"\\", &info, &len) || len < sizeof(VS_FIXEDFILEINFO)) return -1;
  auto* fixed = static_cast<VS_FIXEDFILEINFO*>(info);
  if (fixed->dwSignature != VS_FFI_SIGNATURE) return -1;
  return static_cast<Integer>(fixed->dwFileVersionMS);
}

}  // namespace

TEST(SysInfo, FileVersionsComeFromTheTable) {
  EXPECT_EQ(FileVersionOf(u"COMCTL32.DLL"), (6 << 16) | 10);
  EXPECT_EQ(FileVersionOf(u"C:\\Windows\\System32\\comctl32.dll"), (6 << 16) | 10);
  EXPECT_EQ(FileVersionOf(u"notepad.exe"), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));

  SetFileVersionFact(u"comctl32", 5, 82, 0, 0);
  EXPECT_EQ(FileVersionOf(u"comctl32.dll"), (5 << 16) | 82);
  RemoveFileVersionFact(u"comctl32.dll");
  EXPECT_EQ(FileVersionOf(u"comctl32.dll"), -1);
  ResetFileVersionFacts();
  EXPECT_EQ(FileVersionOf(u"comctl32.dll"), (6 << 16) | 10);

  std::vector<Byte> small(4);
  EXPECT_FALSE(GetFileVersionInfoW(u"comctl32.dll", 0, 4, small.data()));
}

TEST(SysInfo, LocaleSeparatorsFollowFormatSettings) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings = TFormatSettings::German();
  Char buf[8];
  EXPECT_EQ(GetLocaleInfoEx(nullptr, LOCALE_SDECIMAL, buf, 8), 2);
  EXPECT_EQ(String(buf), u",");
  EXPECT_EQ(GetLocaleInfoEx(nullptr, LOCALE_STHOUSAND, nullptr, 0), 2);
  EXPECT_EQ(GetLocaleInfoEx(u"en-US", LOCALE_SDECIMAL, buf, 8), 2);
  EXPECT_EQ(String(buf), u".");
  EXPECT_EQ(GetLocaleInfoEx(nullptr, LOCALE_SDECIMAL, buf, 1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetLocaleInfoEx(nullptr, 0x9999, buf, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  FormatSettings = saved;
}

TEST(SysInfo, WriteFileAtomicallyReplacesTheWholeFile) {
  const std::string dir = TestScratchFolder();
  const String file = UTF8ToString(dir + "/sub/folder/settings.txt");
  ASSERT_TRUE(WriteFileAtomically(file, "first version"));
  ::chmod(UTF8Encode(file).c_str(), 0600);
  const TFileStamp before = GetFileStamp(file);
  ASSERT_TRUE(WriteFileAtomically(file, "second"));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(file, bytes));
  EXPECT_EQ(bytes, "second");
  const TFileStamp after = GetFileStamp(file);
  EXPECT_NE(before.Inode, after.Inode) << "replaced by rename, not rewritten in place";
  struct stat st {};
  ::stat(UTF8Encode(file).c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "the replaced file's mode is kept";
  int entries = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir + "/sub/folder")) ++entries;
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";

  EXPECT_FALSE(WriteFileAtomically(u"/proc/zelk-no-such-folder/x", "x"));
  EXPECT_FALSE(GetFileStamp(u"/proc/zelk-no-such-folder/x").Exists);
}

TEST(SysInfo, FileExistsOnlyForFiles) {
  const std::string dir = TestScratchFolder();
  const String file = UTF8ToString(dir + "/present.txt");
  ASSERT_TRUE(WriteFileAtomically(file, "x"));
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(UTF8ToString(dir)));   // a folder is no file
  EXPECT_FALSE(FileExists(UTF8ToString(dir + "/absent.txt")));
  EXPECT_FALSE(FileExists(u""));
}
