#include "Scoped.h"

namespace pausarium::win32 {

std::string windowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string modulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {  // a cut path fills the whole buffer
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace pausarium::win32
