#pragma once
// Runs shell commands from tests: what a command wrote and how it ended, whether the tools a test
// needs are installed, and the leak checker's suppressions for the programs a test starts.
#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

struct TCommandRun {
  std::string Output;  // everything the command wrote on its standard output
  int Status = -1;     // as pclose gives it; -1 when the command could not be started
  bool Succeeded() const { return Status == 0; }
  // It ended by itself (not by a signal), with a non-zero exit code.
  bool Failed() const { return Status != -1 && WIFEXITED(Status) && WEXITSTATUS(Status) != 0; }
  bool Killed() const { return Status != -1 && WIFSIGNALED(Status) && WTERMSIG(Status) == SIGKILL; }
};

// Runs Command with /bin/sh and reads its standard output to the end.
inline TCommandRun RunCommand(const std::string& Command) {
  TCommandRun run;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(Command.c_str(), "r"), pclose);
  if (!pipe) return run;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe.get())) run.Output.append(buffer, n);
  run.Status = pclose(pipe.release());
  return run;
}

// Runs Command with /bin/sh, its output going where the test's goes; the status as std::system
// gives it.
inline int Shell(const std::string& Command) { return std::system(Command.c_str()); }

// The lines of a text file a program wrote (its log); none when there is no such file.
inline std::vector<std::string> FileLines(const std::string& File) {
  std::ifstream in(File);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Whether every program of the space-separated Names is installed ("Xvfb xdotool xwininfo").
inline bool HaveCommands(const std::string& Names) {
  std::istringstream words(Names);
  std::string check;
  for (std::string name; words >> name;)
    check += (check.empty() ? "" : " && ") + std::string("command -v '") + name + "' >/dev/null 2>&1";
  return !check.empty() && std::system(check.c_str()) == 0;
}

// The environment prefix ("LSAN_OPTIONS=... ", with its trailing space) that gives a sanitizer-built
// program the project's leak suppressions (leaks inside fontconfig and the like are not ours);
// nothing when LSAN_OPTIONS is set already, for the program inherits it.
inline std::string LeakSuppressions() {
  if (std::getenv("LSAN_OPTIONS")) return {};
  return std::string("LSAN_OPTIONS=suppressions='") + ZELK_LSAN_SUPPRESSIONS + "' ";
}

// The command prefix (with its trailing space) that runs a program on an X server of its own,
// started with the server arguments given ("-screen 0 640x480x24"; none: the server's defaults).
// The server picks a free display itself, so tests that run side by side never share one or race
// for one, as they would with xvfb-run -a.
inline std::string OnXvfb(const std::string& ServerArgs = {}) {
  std::string prefix = std::string("'") + ZELK_ON_XVFB + "' ";
  if (!ServerArgs.empty()) prefix += "-s '" + ServerArgs + "' ";
  return prefix;
}
