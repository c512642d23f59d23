#include "MainRoutine.h"

#include <exception>

#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ReminderState.h"
#include "Texts.h"

namespace pausarium::reminder {

int runMainRoutine(HINSTANCE instance, const std::string& modulePath) {
    const SoundPaths paths = soundPathsFor(modulePath);
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
        // The window is gone by now, its quit request posted: the box must outlive that.
        win32::showFatalErrorBox(applicationTitle, error.what());
    }
    return 0;
}

}  // namespace pausarium::reminder
