#pragma once
// What the style tests share: a registry store of their own per test, seeding Office and
// Windows theme values, the headless window system, and the test program started again as a
// second process.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "platform/rtl/Registry.h"
#include "platform/rtl/SysInfo.h"
#include "platform/ui/Forms.h"
#include "platform/win/Headless.h"

extern char** environ;

namespace styletest {

// Sets environment variables for the scope and restores them afterwards.
class TEnvScope {
public:
  TEnvScope() = default;
  TEnvScope(const TEnvScope&) = delete;
  TEnvScope& operator=(const TEnvScope&) = delete;
  ~TEnvScope() {
    for (const auto& [name, value] : FSaved) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  void Set(const std::string& Name, const std::string& Value) {
    if (!FSaved.count(Name)) {
      const char* v = std::getenv(Name.c_str());
      FSaved[Name] = v ? std::optional<std::string>(v) : std::nullopt;
    }
    setenv(Name.c_str(), Value.c_str(), 1);
  }

private:
  std::map<std::string, std::optional<std::string>> FSaved;
};

inline const String OfficeRoot = u"Software\\Microsoft\\Office\\";
inline const String Personalize = u"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// Creates the key and writes a DWORD or a string value.
inline void WriteDword(const String& Key, const String& Name, Integer Value) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key, true));
  reg.WriteInteger(Name, Value);
}
inline void WriteText(const String& Key, const String& Name, const String& Value) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key, true));
  reg.WriteString(Name, Value);
}
inline void CreateKey(const String& Key) {
  TRegistry reg;
  ASSERT_TRUE(reg.CreateKey(Key));
}
// Marks an Office version ("16.0") as installed.
inline void InstallOffice(const String& Version) { CreateKey(OfficeRoot + Version + u"\\Common\\General"); }

// Every test gets an empty store of its own and the headless window system.
class StyleTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/zelk-styles-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    Dir = tmpl;
    Env.Set("ZELK_REGISTRY", Dir + "/registry");
    Headless::Use();
    ResetVersionFacts();
  }
  void TearDown() override {
    ResetVersionFacts();
    Headless::Reset();
    std::string cmd = "rm -rf '" + Dir + "'";
    (void)std::system(cmd.c_str());
  }
  // Handles messages (those other threads send included) until Done or about five seconds.
  template <class F> static bool PumpUntil(F Done) {
    for (int i = 0; i < 1000; ++i) {
      Application->ProcessMessages();
      if (Done()) return true;
      Sleep(5);
    }
    return Done();
  }
  TEnvScope Env;
  std::string Dir;
};

// The test program started again with ZELK_STYLES_CHILD=<job>; the child runs the job from a test
// environment (before any test) and exits with its result. Returns the exit code, -1 when the
// child did not exit normally.
inline int RunChild(const std::string& Job) {
  TEnvScope env;
  env.Set("ZELK_STYLES_CHILD", Job);
  char self[] = "/proc/self/exe";
  char* argv[] = {self, nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int spawned = posix_spawn(&pid, self, &quiet, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&quiet);
  if (spawned != 0) return -2;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace styletest
