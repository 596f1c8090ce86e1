#pragma once
// Opening documents and URLs with the desktop's handler, as the shell's "open" verb does.
//
// ShellOpen runs `xdg-open <target>` directly (fork and exec, no shell), so no character of the
// target is interpreted: blanks, quotes, ";", "$(...)" and the like reach the handler as they
// stand. The program does not wait for the handler. A launcher hook replaces the exec, so that a
// test can look at the argument vector without starting anything.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/System.h"

// Starts Argv[0] (found on PATH) with the arguments Argv; true when it was started.
using TShellLauncher = std::function<bool(const std::vector<std::string>& Argv)>;

// Replaces the launcher; an empty function restores the exec launcher. Returns the previous one.
TShellLauncher SetShellLauncher(TShellLauncher Launcher);

// Opens the file or URL: {"xdg-open", Target in UTF-8} (a target starting with "-" is given as
// "./-..." so it cannot pass for an option). False when the target is empty or the handler could
// not be started.
bool ShellOpen(const String& Target);

// The exec launcher itself: starts the program detached from this process (no zombie is left)
// and reports whether exec succeeded.
bool SpawnDetached(const std::vector<std::string>& Argv);
