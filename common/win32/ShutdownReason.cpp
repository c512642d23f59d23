#include "ShutdownReason.h"

namespace pausarium::win32 {
namespace {

constexpr UINT kCodePage1251 = 1251;

// A function of user32 by name, as the type the caller expects; null when absent.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");  // always loaded with a window
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

std::wstring wideFrom1251(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(kCodePage1251, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage1251, 0, text.data(), size, wide.data(), length);
    return wide;
}

ShutdownReason::ShutdownReason()
    : ShutdownReason(user32Function<Create>("ShutdownBlockReasonCreate"),
                     user32Function<Destroy>("ShutdownBlockReasonDestroy")) {}

bool ShutdownReason::give(HWND window, const std::string& text) {
    if (!available() || window == nullptr) return false;
    if (window_ != window) withdraw();
    const std::wstring reason = wideFrom1251(text);
    if (!create_(window, reason.c_str())) return false;
    window_ = window;
    return true;
}

void ShutdownReason::withdraw() {
    if (window_ == nullptr) return;
    destroy_(window_);
    window_ = nullptr;
}

}  // namespace pausarium::win32
