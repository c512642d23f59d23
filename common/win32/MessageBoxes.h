#pragma once
// Modal message boxes whose button texts are always "OK", "&Yes", "&No" and "Cancel", whatever
// the system's language (the stock box translates them).

#include <windows.h>

#include <string>

namespace pausarium::win32 {

// MessageBoxA with the English button texts; `style` as for MessageBoxA.
int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT style);

// The standard error box: the application title as caption, the error icon, one "OK" button,
// and the message with the full-stop rule applied.
void showStandardErrorBox(HWND owner, const std::string& applicationTitle, const std::string& message);

}  // namespace pausarium::win32
