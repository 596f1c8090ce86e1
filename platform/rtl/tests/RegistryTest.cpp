#include "platform/rtl/Registry.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <thread>

#include "platform/rtl/Threads.h"
#include "platform/rtl/testsupport/ScopedEnv.h"
#include "platform/rtl/testsupport/StringLines.h"

extern char** environ;

namespace {

// The second process of the cross-process tests: this test program started again with
// ZELK_REGISTRY_CHILD="key|name|first|count" writes the values name<first> .. name<first+count-1>
// (each its own number) into the store and ends before any test runs. It does so from a test
// environment, so that the whole runtime is initialised.
int RunChildJob(const String& job) {
  std::vector<String> parts;
  String part;
  for (Char c : job + u"|") {
    if (c == u'|') {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  try {
    TRegistry reg;
    if (parts.size() != 4 || !reg.OpenKey(parts[0], true)) return 2;
    const Integer first = StrToInt(parts[2]);
    for (Integer i = first; i < first + StrToInt(parts[3]); ++i) reg.WriteInteger(parts[1] + IntToStr(i), i);
    return 0;
  } catch (...) {
    return 3;
  }
}

class TRegistryChild : public testing::Environment {
public:
  void SetUp() override { _exit(RunChildJob(UTF8ToString(std::getenv("ZELK_REGISTRY_CHILD")))); }
};

[[maybe_unused]] const bool gChildRegistered = [] {
  if (std::getenv("ZELK_REGISTRY_CHILD")) testing::AddGlobalTestEnvironment(new TRegistryChild);
  return true;
}();

// Starts the child on the current store; returns its process id.
pid_t SpawnWriter(const std::string& key, const std::string& name, int first, int count) {
  TScopedEnv env;
  env.Set("ZELK_REGISTRY_CHILD", key + "|" + name + "|" + std::to_string(first) + "|" + std::to_string(count));
  char self[] = "/proc/self/exe";
  char* argv[] = {self, nullptr};
  posix_spawn_file_actions_t quiet;
  posix_spawn_file_actions_init(&quiet);
  posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  EXPECT_EQ(posix_spawn(&pid, self, &quiet, nullptr, argv, environ), 0);
  posix_spawn_file_actions_destroy(&quiet);
  return pid;
}

int WaitChild(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

using Strings = std::vector<String>;

constexpr const Char* OfficeKey = u"Software\\Microsoft\\Office\\16.0\\Common";

// Each test has its own store file.
class Registry : public testing::Test {
protected:
  void SetUp() override {
    Dir = TestScratchFolder();
    Env.Set("ZELK_REGISTRY", Dir + "/registry");
  }
  std::string StoreText() const {
    std::string bytes;
    ReadFileBytes(UTF8ToString(Dir + "/registry"), bytes);
    return bytes;
  }
  TScopedEnv Env;
  std::string Dir;
};

}  // namespace

TEST_F(Registry, StoreFileFollowsTheEnvironment) {
  TScopedEnv env;
  EXPECT_EQ(RegistryStoreFileName(), UTF8ToString(Dir + "/registry"));
  env.Unset("ZELK_REGISTRY");
  env.Set("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(RegistryStoreFileName(), u"/cfg/zelk/registry");
  env.Unset("XDG_CONFIG_HOME");
  env.Set("HOME", "/home/someone");
  EXPECT_EQ(RegistryStoreFileName(), u"/home/someone/.config/zelk/registry");
}

TEST_F(Registry, KeysAndPaths) {
  TRegistry reg;
  EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(u"Software\\Zelk", false));
  EXPECT_FALSE(reg.KeyExists(u"Software"));
  ASSERT_TRUE(reg.OpenKey(u"Software\\Zelk", true));
  EXPECT_EQ(reg.GetCurrentPath(), u"Software\\Zelk");
  EXPECT_NE(reg.GetCurrentKey(), 0u);
  ASSERT_TRUE(reg.OpenKey(u"Grid\\Layout", true));   // relative to the current key
  EXPECT_EQ(reg.GetCurrentPath(), u"Software\\Zelk\\Grid\\Layout");
  ASSERT_TRUE(reg.OpenKey(u"\\Software\\Other", true));   // absolute
  EXPECT_EQ(reg.GetCurrentPath(), u"Software\\Other");
  EXPECT_TRUE(reg.KeyExists(u"\\SOFTWARE\\zelk\\grid"));
  EXPECT_FALSE(reg.KeyExists(u"Grid")) << "relative to Software\\Other";
  EXPECT_TRUE(reg.CreateKey(u"\\Software\\Zelk\\Alpha"));

  ASSERT_TRUE(reg.OpenKey(u"\\software\\ZELK", false));
  EXPECT_EQ(reg.GetCurrentPath(), u"software\\ZELK");
  TStringList names;
  reg.GetKeyNames(&names);
  EXPECT_EQ(Lines(names), (Strings{u"Alpha", u"Grid"})) << "names keep the case they were created with";
  EXPECT_TRUE(reg.HasSubKeys());

  EXPECT_TRUE(reg.DeleteKey(u"Grid"));   // with everything below it
  EXPECT_FALSE(reg.KeyExists(u"\\Software\\Zelk\\Grid\\Layout"));
  EXPECT_FALSE(reg.DeleteKey(u"Grid"));
  reg.CloseKey();
  EXPECT_EQ(reg.GetCurrentKey(), 0u);
  EXPECT_EQ(reg.GetCurrentPath(), u"");
  EXPECT_FALSE(reg.OpenKey(u"Bad\x01Name", true));
}

TEST_F(Registry, ValuesAndTheirTypes) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(OfficeKey, true));
  reg.WriteInteger(u"UI Theme", 3);
  reg.WriteString(u"Name", u"Gr\u00fc\u00dfe \"quoted\" back\\slash\nnext line");
  reg.WriteBool(u"Flag", true);
  reg.WriteExpandString(u"Path", u"%HOME%\\x");
  reg.WriteInteger(u"Negative", -1);

  EXPECT_EQ(reg.ReadInteger(u"ui theme"), 3);
  EXPECT_EQ(reg.ReadString(u"UI Theme"), u"3") << "a DWORD reads as its decimal text";
  EXPECT_EQ(reg.ReadString(u"Negative"), u"4294967295");
  EXPECT_EQ(reg.ReadInteger(u"Negative"), -1);
  EXPECT_EQ(reg.ReadString(u"name"), u"Gr\u00fc\u00dfe \"quoted\" back\\slash\nnext line");
  EXPECT_TRUE(reg.ReadBool(u"Flag"));
  EXPECT_EQ(reg.ReadString(u"Path"), u"%HOME%\\x");
  EXPECT_EQ(reg.ReadString(u"Absent"), u"");

  EXPECT_EQ(reg.GetDataType(u"UI Theme"), rdInteger);
  EXPECT_EQ(reg.GetDataType(u"Name"), rdString);
  EXPECT_EQ(reg.GetDataType(u"Path"), rdExpandString);
  EXPECT_EQ(reg.GetDataType(u"Absent"), rdUnknown);
  EXPECT_EQ(reg.GetDataSize(u"UI Theme"), 4);
  EXPECT_EQ(reg.GetDataSize(u"Path"), 18);
  EXPECT_EQ(reg.GetDataSize(u"Absent"), -1);

  auto expectError = [&](auto call, const String& message) {
    try {
      call();
      ADD_FAILURE() << "no exception for " << UTF8Encode(message);
    } catch (ERegistryException& e) {
      EXPECT_EQ(e.Message, message);
    }
  };
  expectError([&] { reg.ReadInteger(u"Name"); }, u"Invalid data type for 'Name'");
  expectError([&] { reg.ReadInteger(u"Absent"); }, u"Failed to get data for 'Absent'");

  reg.WriteString(u"UI THEME", u"4");   // replaces the DWORD, keeps the stored spelling
  EXPECT_EQ(reg.GetDataType(u"UI Theme"), rdString);
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Lines(names), (Strings{u"UI Theme", u"Name", u"Flag", u"Path", u"Negative"}));
  EXPECT_TRUE(reg.DeleteValue(u"flag"));
  EXPECT_FALSE(reg.ValueExists(u"Flag"));
  EXPECT_FALSE(reg.DeleteValue(u"Flag"));

  TRegistry readOnly;
  ASSERT_TRUE(readOnly.OpenKeyReadOnly(OfficeKey));
  EXPECT_EQ(readOnly.GetAccess(), KEY_READ);
  EXPECT_EQ(readOnly.ReadString(u"UI Theme"), u"4");
  expectError([&] { readOnly.WriteInteger(u"UI Theme", 1); }, u"Failed to set data for 'UI Theme'");
  readOnly.CloseKey();
  expectError([&] { readOnly.WriteString(u"X", u"y"); }, u"Failed to set data for 'X'");
}

TEST_F(Registry, TheStoreIsReadableTextAndReadAgainWhenChanged) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(OfficeKey, true));
    reg.WriteInteger(u"UI Theme", 42);
    reg.WriteString(u"Text", u"a \"b\" c\\d\te\n\u00e4");
    reg.WriteString(u"", u"default");
  }
  const std::string text = StoreText();
  EXPECT_NE(text.find("[Software\\Microsoft\\Office\\16.0\\Common]\n"
                      "\"UI Theme\"=dword:0000002a\n"
                      "\"Text\"=sz:\"a \\\"b\\\" c\\\\d\\te\\n\xc3\xa4\"\n"
                      "@=sz:\"default\"\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("[Software]\n"), std::string::npos) << "every key has its section";

  // Edited by hand: the next read sees the new file.
  ASSERT_TRUE(WriteFileAtomically(UTF8ToString(Dir + "/registry"),
                                  "; edited\r\n[Software\\Microsoft\\Office\\16.0\\Common]\r\n\"UI Theme\"=dword:00000001\r\n"
                                  "garbage line\r\n\"Text\"=sz:\"\\x41\\\\\"\r\n[Software\\New Key]\r\n"));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(OfficeKey));
  EXPECT_EQ(reg.ReadInteger(u"UI Theme"), 1);
  EXPECT_EQ(reg.ReadString(u"Text"), u"A\\");
  EXPECT_FALSE(reg.ValueExists(u""));
  EXPECT_TRUE(reg.KeyExists(u"\\Software\\New Key"));
}

// A line the store cannot read is skipped; the rest of the file and every call still work.
TEST_F(Registry, BadEscapesSkipOnlyTheirLine) {
  ASSERT_TRUE(WriteFileAtomically(UTF8ToString(Dir + "/registry"),
                                  "[Software\\Zelk]\n\"a\"=sz:\"\\xZZ\"\n\"b\"=sz:\"\\x4\"\n"
                                  "\"c\"=sz:\"\\x\"\n\"d\"=sz:\"ok\\x21\"\n"));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Zelk", false));
  EXPECT_FALSE(reg.ValueExists(u"a"));
  EXPECT_FALSE(reg.ValueExists(u"b"));
  EXPECT_FALSE(reg.ValueExists(u"c"));
  EXPECT_EQ(reg.ReadString(u"d"), u"ok!");
  reg.WriteInteger(u"e", 5);
  EXPECT_EQ(reg.ReadInteger(u"e"), 5);
}

// Bytes that are no UTF-8 (in a value's data or name, or in a key name) read as U+FFFD; a change
// of another value writes the store again but leaves those lines and names byte for byte.
TEST_F(Registry, ValuesNobodyChangedKeepTheirBytes) {
  const std::string before =
      "; zelk registry store 1\n\n[Software]\n\n"
      "[Software\\Zelk]\n\"bad\"=sz:\"caf\xe9 \\x41\"\n\"n\xff\"=expand_sz:\"x\"\n\"other\"=dword:00000001\n\n"
      "[Software\\Zelk\\K\xfe]\n\"v\"=sz:\"y\"\n\n";
  ASSERT_TRUE(WriteFileAtomically(UTF8ToString(Dir + "/registry"), before));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Zelk", false));
  EXPECT_EQ(reg.ReadString(u"bad"), u"caf\uFFFD A");
  EXPECT_EQ(reg.ReadString(u"n\uFFFD"), u"x");
  EXPECT_TRUE(reg.KeyExists(u"K\uFFFD"));
  reg.WriteInteger(u"other", 2);
  std::string expected = before;
  expected.replace(expected.find("dword:00000001"), 14, "dword:00000002");
  EXPECT_EQ(StoreText(), expected);

  // A value written through the registry is stored as its text, in UTF-8.
  reg.WriteString(u"bad", u"caf\u00e9");
  const std::string oldText = "caf\xe9 \\x41";
  expected.replace(expected.find(oldText), oldText.size(), "caf\xc3\xa9");
  EXPECT_EQ(StoreText(), expected);
}

// Many values in one key: each write costs time linear in the key, not quadratic.
TEST_F(Registry, ManyValuesInOneKey) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Many", true));
  for (Integer i = 0; i < 3000; ++i) reg.WriteInteger(u"Value" + IntToStr(i), i);
  EXPECT_EQ(reg.ReadInteger(u"value2999"), 2999);
  EXPECT_TRUE(reg.DeleteValue(u"VALUE0"));
  EXPECT_EQ(reg.ReadInteger(u"Value1500"), 1500);
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.GetCount(), 2999);
}

TEST_F(Registry, OtherRootsAreEmptyAndReadOnly) {
  TRegistry reg;
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey(u"Software", false));
  EXPECT_FALSE(reg.OpenKey(u"Software", true));
  EXPECT_THROW(reg.CreateKey(u"Software"), ERegistryException);
  EXPECT_FALSE(reg.KeyExists(u"Software"));
}

TEST_F(Registry, ChangesInTheProcessSignalAtOnceAndOnlyOnce) {
  TRegistry writer;
  ASSERT_TRUE(writer.OpenKey(u"Software\\Watched\\Sub", true));
  HKEY watched = 0, sub = 0;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Watched", 0, KEY_NOTIFY, &watched), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(watched, u"sub", 0, KEY_NOTIFY, &sub), ERROR_SUCCESS);
  HKEY absent = 0;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Absent", 0, KEY_READ, &absent), ERROR_FILE_NOT_FOUND);

  TEvent subtree, keyOnly, names, subKey;
  auto arm = [&] {
    ASSERT_EQ(RegNotifyChangeKeyValue(watched, 1, REG_NOTIFY_CHANGE_LAST_SET, subtree.Handle(), 1), ERROR_SUCCESS);
    ASSERT_EQ(RegNotifyChangeKeyValue(watched, 0, REG_NOTIFY_CHANGE_LAST_SET, keyOnly.Handle(), 1), ERROR_SUCCESS);
    ASSERT_EQ(RegNotifyChangeKeyValue(watched, 0, REG_NOTIFY_CHANGE_NAME, names.Handle(), 1), ERROR_SUCCESS);
    ASSERT_EQ(RegNotifyChangeKeyValue(sub, 0, REG_NOTIFY_CHANGE_LAST_SET, subKey.Handle(), 1), ERROR_SUCCESS);
  };
  auto state = [&] {
    std::string s;
    for (TEvent* e : {&subtree, &keyOnly, &names, &subKey}) {
      s += e->WaitFor(0) == wrSignaled ? '1' : '0';
      e->ResetEvent();
    }
    return s;
  };
  arm();
  writer.WriteInteger(u"Value", 1);   // a value below the watched key
  EXPECT_EQ(state(), "1001");
  writer.WriteInteger(u"Value", 1);   // one-shot: nothing is armed for subtree and sub any more
  EXPECT_EQ(state(), "0000");

  arm();
  ASSERT_TRUE(writer.OpenKey(u"\\Software\\Watched", false));
  writer.WriteString(u"Own", u"x");
  EXPECT_EQ(state(), "1100");
  writer.CreateKey(u"NewChild");
  EXPECT_EQ(state(), "0010");
  writer.DeleteKey(u"Sub");   // a deleted key signals its watchers whatever they wait for
  EXPECT_EQ(state(), "0001");
  EXPECT_EQ(RegNotifyChangeKeyValue(sub, 0, REG_NOTIFY_CHANGE_LAST_SET, subKey.Handle(), 1), ERROR_KEY_DELETED);
  RegCloseKey(sub);
  RegCloseKey(watched);
  EXPECT_EQ(RegCloseKey(watched), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, SynchronousNotificationWaitsForTheChange) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Sync", true));
  std::atomic<LONG> result{-1};
  std::thread waiter([&] {
    result = RegNotifyChangeKeyValue(reg.GetCurrentKey(), 0, REG_NOTIFY_CHANGE_LAST_SET, nullptr, 0);
  });
  // Writes until the waiter has armed and seen one.
  TRegistry writer;
  ASSERT_TRUE(writer.OpenKey(u"Software\\Sync", false));
  for (int i = 0; result.load() == -1 && i < 500; ++i) {
    writer.WriteInteger(u"Tick", i);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  waiter.join();
  EXPECT_EQ(result.load(), ERROR_SUCCESS);
}

TEST_F(Registry, AnotherProcessChangingTheStoreSignalsTheEvent) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(OfficeKey, true));
  reg.WriteInteger(u"UI Theme", 0);
  TRegistry watcher;
  ASSERT_TRUE(watcher.OpenKeyReadOnly(u"Software\\Microsoft\\Office\\16.0"));
  TEvent changed(true, false);
  ASSERT_EQ(RegNotifyChangeKeyValue(watcher.GetCurrentKey(), 1, REG_NOTIFY_CHANGE_LAST_SET, changed.Handle(), 1),
            ERROR_SUCCESS);
  EXPECT_EQ(changed.WaitFor(0), wrTimeout);

  // The child writes "UI Theme3" .. : its write reaches this process through the watcher thread.
  ASSERT_EQ(WaitChild(SpawnWriter(UTF8Encode(OfficeKey), "UI Theme", 3, 1)), 0);
  EXPECT_EQ(changed.WaitFor(5000), wrSignaled);
  EXPECT_EQ(reg.ReadInteger(u"UI Theme3"), 3);
  EXPECT_EQ(reg.ReadInteger(u"UI Theme"), 0);

  // Armed again; a change elsewhere in the store does not signal.
  changed.ResetEvent();
  ASSERT_EQ(RegNotifyChangeKeyValue(watcher.GetCurrentKey(), 1, REG_NOTIFY_CHANGE_LAST_SET, changed.Handle(), 1),
            ERROR_SUCCESS);
  ASSERT_EQ(WaitChild(SpawnWriter("Software\\Elsewhere", "V", 0, 1)), 0);
  EXPECT_TRUE(reg.KeyExists(u"\\Software\\Elsewhere"));   // reading catches up with the file at once
  EXPECT_EQ(changed.WaitFor(0), wrTimeout);
}

TEST_F(Registry, ConcurrentWritersLoseNothing) {
  constexpr int PerWriter = 25;
  std::vector<pid_t> children;
  for (int p = 0; p < 2; ++p) children.push_back(SpawnWriter("Software\\Busy", "Value", 1000 * (p + 1), PerWriter));
  std::vector<std::thread> threads;
  for (int t = 0; t < 2; ++t)
    threads.emplace_back([t] {
      TRegistry reg;
      if (!reg.OpenKey(u"Software\\Busy", true)) return;
      for (int i = 0; i < PerWriter; ++i) reg.WriteInteger(u"Value" + IntToStr(10000 * (t + 1) + i), i);
    });
  for (auto& t : threads) t.join();
  for (pid_t c : children) EXPECT_EQ(WaitChild(c), 0);

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(u"Software\\Busy"));
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(names.GetCount(), 4 * PerWriter);
  for (int i = 0; i < PerWriter; ++i) {
    EXPECT_EQ(reg.ReadInteger(u"Value" + IntToStr(1000 + i)), 1000 + i);
    EXPECT_EQ(reg.ReadInteger(u"Value" + IntToStr(2000 + i)), 2000 + i);
    EXPECT_EQ(reg.ReadInteger(u"Value" + IntToStr(20000 + i)), i);
  }
}

TEST_F(Registry, RegistryIniFile) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\App\\Grid", true));
    reg.WriteString(u"Col0", u"64");   // stored as text by someone else
  }
  TRegistryIniFile ini(u"Software\\App");
  EXPECT_EQ(ini.ReadInteger(u"Grid", u"Col0", -1), 64);
  ini.WriteInteger(u"Grid", u"Col0", 70);   // stays text
  ini.WriteInteger(u"Grid", u"Col1", 120);  // new: a DWORD
  ini.WriteBool(u"Grid", u"Visible", true);
  ini.WriteString(u"Other", u"Name", u"x");
  EXPECT_EQ(ini.ReadInteger(u"grid", u"col1", -1), 120);
  EXPECT_EQ(ini.ReadInteger(u"Grid", u"Missing", -1), -1);
  EXPECT_TRUE(ini.ReadBool(u"Grid", u"Visible", false));
  EXPECT_EQ(ini.ReadString(u"Grid", u"Col1", u""), u"120");
  EXPECT_EQ(ini.ReadString(u"Nope", u"Col1", u"def"), u"def");

  TRegistry check;
  ASSERT_TRUE(check.OpenKeyReadOnly(u"Software\\App\\Grid"));
  EXPECT_EQ(check.GetDataType(u"Col0"), rdString);
  EXPECT_EQ(check.GetDataType(u"Col1"), rdInteger);

  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Lines(list), (Strings{u"Grid", u"Other"}));
  ini.ReadSection(u"Grid", &list);
  EXPECT_EQ(Lines(list), (Strings{u"Col0", u"Col1", u"Visible"}));
  ini.ReadSectionValues(u"Grid", &list);
  EXPECT_EQ(Lines(list), (Strings{u"Col0=70", u"Col1=120", u"Visible=1"}));
  EXPECT_TRUE(ini.SectionExists(u"Other"));
  EXPECT_TRUE(ini.ValueExists(u"Grid", u"Col1"));
  ini.DeleteKey(u"Grid", u"Col1");
  EXPECT_FALSE(ini.ValueExists(u"Grid", u"Col1"));
  ini.EraseSection(u"Other");
  EXPECT_FALSE(ini.SectionExists(u"Other"));
  ini.UpdateFile();
  EXPECT_TRUE(check.KeyExists(u"\\Software\\App\\Grid"));
}
