#pragma once
// What the setup window takes from comctl32: the track bar's class and the subclassing helpers.
// comctl32 is no KnownDLL, so the program does not import it (Windows would look for it in the
// program's folder first) but loads it from the system directory before its window is made.
// The manifest names no Common Controls assembly: these are the classic controls.

#include <windows.h>
#include <commctrl.h>

namespace pausarium::setup::commonControls {

// Loads comctl32 and registers the track bar's class; called before any control is made.
// Without comctl32 the track bar, and with it the window, cannot be made.
void initialise();

// SetWindowSubclass, RemoveWindowSubclass and DefSubclassProc of the loaded comctl32. Without
// it no subclass is installed, and the others are not called.
BOOL setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT defSubclassProc(HWND window, UINT message, WPARAM wp, LPARAM lp);

}  // namespace pausarium::setup::commonControls
