// Pausarium.exe: the main routine, run with the program's own path (from which the program
// directory and the sound paths are built).

#include <windows.h>

#include <string>

#include "MainRoutine.h"

namespace {

std::string modulePath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return pausarium::reminder::runMainRoutine(instance, modulePath());
}
