// The signals that end the show from outside (SIGINT, SIGTERM, SIGHUP, SIGQUIT): the first sets
// the quit request; after a second one a watchdog ends the process through std::quick_exit, so
// the at_quick_exit handlers (finishing the open render files, removing the extracted clips) run.
#pragma once

// Installs the handlers and starts the watchdog; does nothing the second time. A signal that
// is ignored when the process starts (nohup) stays ignored.
void Sys_CatchQuitSignals();
// Whether Sys_CatchQuitSignals has run, so other handlers leave these signals to it.
bool Sys_AreQuitSignalsCaught();
