// TNeoUtils files, folders, shell and resources.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "lib/base/NeoUtils.h"
#include "platform/rtl/Shell.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/testsupport/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

TEST(NeoUtilsFiles, AddSlashes) {
  EXPECT_EQ(TNeoUtils::AddBackslash(u""), u"");
  EXPECT_EQ(TNeoUtils::AddBackslash(u"C:\\dir"), u"C:\\dir\\");
  EXPECT_EQ(TNeoUtils::AddBackslash(u"C:\\dir\\"), u"C:\\dir\\");
  EXPECT_EQ(TNeoUtils::AddForwardslash(u""), u"");
  EXPECT_EQ(TNeoUtils::AddForwardslash(u"/tmp"), u"/tmp/");
  EXPECT_EQ(TNeoUtils::AddForwardslash(u"/tmp/"), u"/tmp/");
}

TEST(NeoUtilsFiles, FoldersFollowTheEnvironment) {
  const fs::path home = fs::temp_directory_path() / ("zelk-neoutils-home-" + std::to_string(getpid()));
  fs::create_directories(home / "config");
  std::ofstream(home / "config" / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                    << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                                    << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
  {
    TScopedEnv env;
    env.Set("HOME", home.string());
    env.Set("XDG_CONFIG_HOME", (home / "config").string());
    env.Unset("XDG_DOCUMENTS_DIR");
    env.Set("TMPDIR", (home / "tmp").string());
    EXPECT_EQ(TNeoUtils::GetDocumentsPath(), UTF8ToString((home / "Dokumente").string()));
    EXPECT_EQ(TNeoUtils::GetTempPath(), UTF8ToString((home / "tmp").string() + "/"));
    env.Set("XDG_CONFIG_HOME", (home / "none").string());
    EXPECT_EQ(TNeoUtils::GetDocumentsPath(), UTF8ToString((home / "Documents").string()));
  }
  fs::remove_all(home);
  const String app = TNeoUtils::GetAppPath();
  ASSERT_FALSE(app.empty());
  EXPECT_EQ(app.back(), u'/');
  EXPECT_TRUE(fs::exists(UTF8Encode(app)));
}

TEST(NeoUtilsFiles, OpenFileAndURLGoToXdgOpen) {
  std::vector<std::vector<std::string>> calls;
  const TShellLauncher previous = SetShellLauncher([&](const std::vector<std::string>& Argv) {
    calls.push_back(Argv);
    return true;
  });
  TNeoUtils::OpenFile(u"/home/u/My Report; rm -rf ~.pdf");
  TNeoUtils::OpenURL(u"https://example.com/a b?x=$(id)");
  SetShellLauncher(previous);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0], (std::vector<std::string>{"xdg-open", "/home/u/My Report; rm -rf ~.pdf"}));
  EXPECT_EQ(calls[1], (std::vector<std::string>{"xdg-open", "https://example.com/a b?x=$(id)"}));
}

const Byte ResourceBytes[] = {'N', 'e', 'o', 0, 1};

TEST(NeoUtilsFiles, ResourceStreams) {
  EXPECT_NE(TNeoUtils::GetHInstance(), nullptr);
  EXPECT_EQ(TNeoUtils::GetHInstance(), TNeoUtils::GetHInstance());
  RegisterResource(u"NEOUTILSTEST", RT_RCDATA, ResourceBytes);
  std::unique_ptr<TResourceStream> stream = TNeoUtils::GetResourceStream(u"NeoUtilsTest");
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->GetSize(), 5);
  Byte bytes[5] = {};
  stream->ReadBuffer(bytes, 5);
  EXPECT_TRUE(std::equal(bytes, bytes + 5, ResourceBytes));
  EXPECT_NE(TNeoUtils::GetResourceStream(u"NEOUTILSTEST", TNeoUtils::GetHInstance()), nullptr);
  EXPECT_EQ(TNeoUtils::GetResourceStream(u"NoSuchResource"), nullptr);
  EXPECT_EQ(TNeoUtils::GetResourceStream(u""), nullptr);
}

}  // namespace
