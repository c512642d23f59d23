#include "Com.h"

#include <objbase.h>

#include "SystemLibrary.h"

namespace pausarium::win32 {
namespace {

SystemLibrary ole32("ole32.dll");
bool initialiseTried = false;

}  // namespace

void initialiseCom() {
    if (initialiseTried) return;
    initialiseTried = true;
    if (const auto initialise = ole32.function<decltype(&CoInitializeEx)>("CoInitializeEx"))
        initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

}  // namespace pausarium::win32
