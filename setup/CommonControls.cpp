#include "CommonControls.h"

#include "SystemLibrary.h"

namespace pausarium::setup::commonControls {
namespace {

win32::SystemLibrary comctl32("comctl32.dll");
// Looked up once, by initialise(): DefSubclassProc serves every message of a subclassed control.
decltype(&SetWindowSubclass) setSubclass = nullptr;
decltype(&RemoveWindowSubclass) removeSubclass = nullptr;
decltype(&DefSubclassProc) nextProcedure = nullptr;

}  // namespace

void initialise() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    if (const auto init = comctl32.function<decltype(&InitCommonControlsEx)>("InitCommonControlsEx")) init(&icc);
    setSubclass = comctl32.function<decltype(&SetWindowSubclass)>("SetWindowSubclass");
    removeSubclass = comctl32.function<decltype(&RemoveWindowSubclass)>("RemoveWindowSubclass");
    nextProcedure = comctl32.function<decltype(&DefSubclassProc)>("DefSubclassProc");
}

BOOL setWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    return setSubclass != nullptr && setSubclass(window, procedure, id, data);
}

BOOL removeWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id) {
    return removeSubclass != nullptr && removeSubclass(window, procedure, id);
}

LRESULT defSubclassProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    return nextProcedure != nullptr ? nextProcedure(window, message, wp, lp) : DefWindowProcA(window, message, wp, lp);
}

}  // namespace pausarium::setup::commonControls
