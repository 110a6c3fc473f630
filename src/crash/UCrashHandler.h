#pragma once
// The crash handler: a fatal signal (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT) or an uncaught
// exception (std::terminate) writes a report (what happened, the stack, the program version,
// the time, the platform) at the top of the crash log in the program folder, or to standard
// error when the log cannot be written, and the process then ends with the signal's usual
// status (SIGABRT for an exception). The handler never touches the data files, which a crash
// may leave half-changed in memory.
//
// Reporting from a signal allocates nothing and calls only what a signal handler may: what
// it needs (the folder, a scratch file for the stack, the platform's name, a stack of its own
// for a stack overflow) is set up at installation. A fault or a hang while reporting ends
// the process all the same.

#include <filesystem>

// Installs the handlers for the process; `folder` is the program folder. Call it once, early.
void InstallCrashHandler(const std::filesystem::path& folder);
