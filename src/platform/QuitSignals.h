// The signals that end the show from outside (SIGINT, SIGTERM, SIGHUP, SIGQUIT): the first sets
// the quit request; after a second one a watchdog ends the process through std::quick_exit, so
// the at_quick_exit handlers (finishing the open render files, removing the extracted clips) run.
// Also the last-moment cleanups for signals that end the process on the spot (a crash, or a quit
// signal where the show does not catch them).
#pragma once

// Installs the handlers and starts the watchdog; does nothing the second time. A signal that
// is ignored when the process starts (nohup) stays ignored.
void Sys_CatchQuitSignals();
// Whether Sys_CatchQuitSignals has run, so other handlers leave these signals to it.
bool Sys_AreQuitSignalsCaught();
// The first quit signal that arrived (SIGINT, SIGTERM, ...), or 0 when none did.
int Sys_QuitSignalNumber();

// Runs cleanup (which must be safe inside a signal handler: unlink, rmdir and the like) before a
// signal ends the process on the spot: SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, and the quit
// signals while they are neither caught by Sys_CatchQuitSignals nor handled or ignored by anyone
// else. The signal then takes its course. At most four cleanups; adding one twice keeps one.
void Sys_AddSignalCleanup(void (*cleanup)());
