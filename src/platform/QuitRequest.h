// The show's quit request: one process-wide flag that only goes from clear to set. Signals, the
// window's close button, Escape and the render's Cancel set it; every frame loop reads it.
#pragma once

// Sets the request. Lock-free, so signal handlers may call it.
void Sys_RequestQuit();
bool Sys_IsQuitRequested();
// Clears the request again (tests that run several loops in one process).
void Sys_ClearQuitRequest();
