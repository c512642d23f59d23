#pragma once
// The break reminder's main routine: creates the window (whose creation reads the settings),
// shows it once at zero size and runs the message loop until the window is closed. An error
// that escapes the window's creation, that first show or the loop is shown in the error box,
// and then the program ends.

#include <windows.h>

#include <string>

namespace pausarium::reminder {

// `modulePath` is the running program's own path; returns the program's exit code, 0.
int runMainRoutine(HINSTANCE instance, const std::string& modulePath);

}  // namespace pausarium::reminder
