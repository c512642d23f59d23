// Pausarium.exe: builds the program directory and the sound paths, creates the reminder window
// (whose creation reads the settings), shows it once at zero size and runs the message loop.

#include <windows.h>

#include <exception>
#include <string>

#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ReminderState.h"
#include "Scoped.h"
#include "Texts.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace pausarium::reminder;
    const SoundPaths paths = soundPathsFor(pausarium::win32::modulePath());
    std::string applicationTitle = texts::kApplicationTitle.str();
    try {
        TfmMainWindow window(instance, paths, applicationTitle);
        window.show();  // the first show: zero size, hidden again by HideTimer
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    } catch (const std::exception& error) {
        pausarium::win32::showStandardErrorBox(nullptr, applicationTitle, error.what());
    }
    return 0;
}
