// The update killed at each of its commits in turn and run again: the database ends with the
// schema and data of a run never stopped.
#include <cstdio>
#include <filesystem>
#include <gmock/gmock.h>
#include <sstream>

#include "UpdateFixture.h"
#include "platform/rtl/testsupport/Command.h"

using namespace UpdateTest;

namespace {

struct TDriverRun : TCommandRun {
  std::vector<std::string> Commits;   // the moments printed, in order
};

// Runs the script in the driver process on Database, killed right after commit StopAt (0: never).
TDriverRun RunDriver(const String& Database, int StopAt) {
  const std::string command = std::string("exec '") + ZELK_SCRIPT_DRIVER + "' '" + UTF8Encode(Database) + "' " +
                              std::to_string(StopAt) + " 2>&1";
  TDriverRun run{RunCommand(command), {}};
  std::istringstream lines(run.Output);
  for (std::string text; std::getline(lines, text);) {
    const std::size_t colon = text.find(": ");
    if (text.rfind("commit ", 0) == 0 && colon != std::string::npos) run.Commits.push_back(text.substr(colon + 2));
  }
  return run;
}

String CopyOf(const String& Template, const std::string& Name) {
  const std::string to = DbTest::WorkFolder() + "/" + Name + ".fdb";
  std::filesystem::copy_file(UTF8Encode(Template), to, std::filesystem::copy_options::overwrite_existing);
  return UTF8ToString(to);
}

}  // namespace

TEST(UpdateInterrupt, EveryCommitIsASafeMomentToDie) {
  const String old = MakeOldDatabase({}, "_template");
  const String reference = CopyOf(old, "interrupt_reference");
  const TDriverRun whole = RunDriver(reference, 0);
  ASSERT_TRUE(whole.Succeeded()) << whole.Output;
  const std::vector<std::string> expected = Describe(reference);
  ASSERT_GT(whole.Commits.size(), 30u);

  for (std::size_t n = 1; n <= whole.Commits.size(); ++n) {
    const std::string moment = "commit " + std::to_string(n) + " (" + whole.Commits[n - 1] + ")";
    SCOPED_TRACE("killed after " + moment);
    const String db = CopyOf(old, "interrupt_" + std::to_string(n));
    const TDriverRun killed = RunDriver(db, static_cast<int>(n));
    ASSERT_TRUE(killed.Killed()) << killed.Output;
    ASSERT_EQ(killed.Commits.size(), n);
    // The commits so far are those of the whole run: an interruption is the only difference.
    EXPECT_TRUE(std::equal(killed.Commits.begin(), killed.Commits.end(), whole.Commits.begin()));

    const TDriverRun rerun = RunDriver(db, 0);
    ASSERT_TRUE(rerun.Succeeded()) << rerun.Output;
    EXPECT_EQ(Describe(db), expected);
    std::printf("killed after %s: the next run completed the update\n", moment.c_str());
    std::filesystem::remove(UTF8Encode(db));
  }
}
