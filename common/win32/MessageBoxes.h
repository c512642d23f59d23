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

// The main routine's error box, for an error that ends the program: the standard error box with
// no owner. A window ended by the error has already posted its quit request; that request is
// taken off the queue first, or the box's own message loop would end at once on it.
void showFatalErrorBox(const std::string& applicationTitle, const std::string& message);

}  // namespace pausarium::win32
