// Pausarium.exe: the main routine, run with the program's own path (from which the program
// directory and the sound paths are built).

#include <windows.h>

#include <string>

#include "MainRoutine.h"
#include "Scoped.h"
#include "SystemLibrary.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    pausarium::win32::restrictDllSearch();
    return pausarium::reminder::runMainRoutine(instance, pausarium::win32::modulePath());
}
