#include "platform/rtl/Shell.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

extern char** environ;

namespace {

std::mutex& LauncherLock() {
  static std::mutex lock;
  return lock;
}

TShellLauncher& CurrentLauncher() {
  static TShellLauncher launcher;
  return launcher;
}

// The executable a command name stands for: a name with "/" as it is, else the first executable
// file of that name on PATH; empty when none.
std::string FindExecutable(const std::string& Name) {
  if (Name.find('/') != std::string::npos) return access(Name.c_str(), X_OK) == 0 ? Name : std::string();
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end > start ? dirs.substr(start, end - start) : std::string(".");
    const std::string candidate = dir + "/" + Name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::string();
}

void WriteErrno(int Fd, int Error) {
  // Only async-signal-safe calls between fork and exec; a short write changes nothing here.
  [[maybe_unused]] const ssize_t n = write(Fd, &Error, sizeof Error);
}

}  // namespace

bool SpawnDetached(const std::vector<std::string>& Argv) {
  if (Argv.empty() || Argv[0].empty()) return false;
  const std::string program = FindExecutable(Argv[0]);
  if (program.empty()) return false;
  std::vector<char*> args;
  args.reserve(Argv.size() + 1);
  for (const std::string& a : Argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  // The pipe reports an exec failure; it closes unread when exec succeeds (O_CLOEXEC).
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return false;
  }
  if (child == 0) {
    // The intermediate process forks the program and leaves at once, so the program is adopted
    // by init and never becomes our zombie.
    close(fds[0]);
    const pid_t grandchild = fork();
    if (grandchild < 0) {
      WriteErrno(fds[1], errno);
      _exit(1);
    }
    if (grandchild == 0) {
      setsid();
      execve(program.c_str(), args.data(), environ);
      WriteErrno(fds[1], errno);
      _exit(127);
    }
    _exit(0);
  }
  close(fds[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t n = 0;
  do {
    n = read(fds[0], &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  close(fds[0]);
  return n == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TShellLauncher SetShellLauncher(TShellLauncher Launcher) {
  std::lock_guard guard(LauncherLock());
  TShellLauncher previous = std::move(CurrentLauncher());
  CurrentLauncher() = std::move(Launcher);
  return previous;
}

bool ShellOpen(const String& Target) {
  if (Target.empty()) return false;
  std::string target = UTF8Encode(Target);
  if (target[0] == '-') target = "./" + target;
  const std::vector<std::string> argv{"xdg-open", target};
  TShellLauncher launcher;
  {
    std::lock_guard guard(LauncherLock());
    launcher = CurrentLauncher();
  }
  return launcher ? launcher(argv) : SpawnDetached(argv);
}
