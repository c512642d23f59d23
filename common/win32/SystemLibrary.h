#pragma once
// DLLs of Windows, from the system directory only.
//
// A DLL that is not a KnownDLL is looked for in the program's own folder first, and the
// programs may be unpacked into any folder, Downloads included, and run as administrator: a
// DLL of a system DLL's name left there would run with the program's rights. So each program
// restricts the search first thing, and imports nothing but KnownDLLs; every other DLL is a
// SystemLibrary.
//
// A SystemLibrary is loaded on first use rather than at the program's start: a program that
// calls a DLL's function late or never (a sound, a browser) does not carry that DLL and the DLLs
// it loads in turn while the user simply works. Once loaded it is never freed: threads of the
// DLL's (a sound still playing) may run until the program ends, and unloading code under a
// running thread crashes. A missing DLL or function gives a null function, never an error.

#include <windows.h>

namespace pausarium::win32 {

// Makes the system directory the only place searched for the DLLs that the process loads from
// now on, its own and those that Windows' DLLs load in turn (SetDefaultDllDirectories, where
// Windows has it; else at least the current directory is left out). Called first in WinMain.
void restrictDllSearch();

class SystemLibrary {
public:
    // Constant: a static SystemLibrary needs no initialisation at run time, nor a guard for it.
    constexpr explicit SystemLibrary(const char* fileName) : fileName_(fileName) {}
    SystemLibrary(const SystemLibrary&) = delete;
    SystemLibrary& operator=(const SystemLibrary&) = delete;

    // The exported function `name`, typed as `Function` (a pointer type such as
    // decltype(&PlaySoundA)); null when the DLL or the function is missing. The first call
    // loads the DLL; a DLL that failed to load is not tried again.
    template <typename Function>
    Function function(const char* name) {
        const FARPROC address = lookUp(name);
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    }

private:
    FARPROC lookUp(const char* name);

    const char* fileName_;
    HMODULE module_ = nullptr;
    bool loadTried_ = false;
};

}  // namespace pausarium::win32
