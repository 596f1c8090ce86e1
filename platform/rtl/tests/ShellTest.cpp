// ShellOpen: xdg-open by exec, no shell in between.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/rtl/Shell.h"
#include "platform/rtl/SysInfo.h"
#include "platform/rtl/testsupport/ScopedEnv.h"

namespace fs = std::filesystem;

namespace {

// Names full of characters a shell would act on.
const String HostileNames[] = {
    u"plain.txt",
    u"a b.txt",
    u"x; touch PWNED1",
    u"$(touch PWNED2)",
    u"`touch PWNED3`",
    u"a|touch PWNED4",
    u"a && touch PWNED5 &",
    u"'quoted' \"double\" \\back > redirect < in",
    u"*.txt ~ $HOME ${PATH} #hash !bang",
    u"line\nbreak",
    u"Gr\u00FC\u00DFe \u20AC.pdf",
    u"https://example.com/?q=a&b=c#frag",
};

class TLauncherScope {
public:
  explicit TLauncherScope(TShellLauncher Launcher) : FPrevious(SetShellLauncher(std::move(Launcher))) {}
  ~TLauncherScope() { SetShellLauncher(FPrevious); }

private:
  TShellLauncher FPrevious;
};

TEST(Shell, LauncherGetsXdgOpenAndTheTargetAsOneArgument) {
  std::vector<std::vector<std::string>> calls;
  TLauncherScope scope([&](const std::vector<std::string>& Argv) {
    calls.push_back(Argv);
    return true;
  });
  for (const String& name : HostileNames) {
    calls.clear();
    EXPECT_TRUE(ShellOpen(name));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (std::vector<std::string>{"xdg-open", UTF8Encode(name)}));
  }
  // A target that looks like an option is passed as a path.
  calls.clear();
  ShellOpen(u"--help");
  EXPECT_EQ(calls.at(0), (std::vector<std::string>{"xdg-open", "./--help"}));
  // Nothing to open: the launcher is not asked.
  calls.clear();
  EXPECT_FALSE(ShellOpen(u""));
  EXPECT_TRUE(calls.empty());
}

TEST(Shell, LauncherResultIsReported) {
  TLauncherScope scope([](const std::vector<std::string>&) { return false; });
  EXPECT_FALSE(ShellOpen(u"file.txt"));
}

class ShellExec : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() / ("zelk-shell-" + std::to_string(getpid()));
    fs::remove_all(FDir);
    fs::create_directories(FDir / "bin");
    // A stand-in for xdg-open that records how many arguments it got and the first one.
    const fs::path script = FDir / "bin" / "xdg-open";
    std::ofstream(script) << "#!/bin/sh\n"
                          << "out='" << (FDir / "args").string() << "'\n"
                          << "printf '%s\\n%s' \"$#\" \"$1\" > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n";
    fs::permissions(script, fs::perms::owner_all);
    FEnv.Set("PATH", (FDir / "bin").string() + ":/usr/bin:/bin");
  }
  void TearDown() override { fs::remove_all(FDir); }

  // What the stand-in recorded, waiting up to five seconds for it.
  std::string RecordedArguments() {
    const fs::path args = FDir / "args";
    for (int i = 0; i < 500 && !fs::exists(args); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::string text;
    EXPECT_TRUE(ReadFileBytes(UTF8ToString(args.string()), text));
    fs::remove(args);
    return text;
  }

  fs::path FDir;
  TScopedEnv FEnv;
};

TEST_F(ShellExec, NoShellMetacharacterIsInterpreted) {
  TLauncherScope scope(nullptr);   // the real exec launcher
  ASSERT_EQ(chdir(FDir.c_str()), 0) << "the PWNED files would appear here";
  for (const String& name : HostileNames) {
    SCOPED_TRACE(UTF8Encode(name));
    ASSERT_TRUE(ShellOpen(name));
    EXPECT_EQ(RecordedArguments(), "1\n" + UTF8Encode(name));
  }
  for (int i = 1; i <= 5; ++i) EXPECT_FALSE(fs::exists(FDir / ("PWNED" + std::to_string(i)))) << i;
  ASSERT_EQ(chdir(fs::temp_directory_path().c_str()), 0);
}

TEST_F(ShellExec, MissingHandlerIsReported) {
  TLauncherScope scope(nullptr);
  FEnv.Set("PATH", (FDir / "empty").string());
  EXPECT_FALSE(ShellOpen(u"file.txt"));
  EXPECT_FALSE(SpawnDetached({}));
  EXPECT_FALSE(SpawnDetached({"/nonexistent/program"}));
}

TEST_F(ShellExec, ProgramIsNotWaitedFor) {
  // A handler that keeps running: ShellOpen comes back at once and leaves no zombie child.
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(SpawnDetached({"sleep", "3"}));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);   // no child of ours is left to reap
}

}  // namespace
