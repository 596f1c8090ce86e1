#pragma once
// Sets environment variables for one test and restores them afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include <unistd.h>

class TScopedEnv {
public:
  TScopedEnv() = default;
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;
  ~TScopedEnv() {
    for (const auto& [name, value] : FSaved) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }
  void Set(const std::string& name, const std::string& value) {
    Save(name);
    setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Save(name);
    unsetenv(name.c_str());
  }

private:
  void Save(const std::string& name) {
    if (FSaved.count(name)) return;
    const char* v = std::getenv(name.c_str());
    FSaved[name] = v ? std::optional<std::string>(v) : std::nullopt;
  }
  std::map<std::string, std::optional<std::string>> FSaved;
};

// A fresh, empty folder under the test output folder, named after the running test.
inline std::string TestScratchFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string dir = std::string(ZELK_TEST_OUTPUT) + "/rtl-" + info->test_suite_name() + "-" + info->name();
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}
