#pragma once
// A DLL of Windows loaded on first use rather than at the program's start, and freed with its
// owner. A program that calls a DLL's function late or never (a sound, a browser) then does not
// carry that DLL and the DLLs it loads in turn while the user simply works. Only the system
// directory is searched, so that no DLL of the same name beside the program is loaded instead.
// A missing DLL or function gives a null function, never an error.

#include <windows.h>

namespace pausarium::win32 {

class SystemLibrary {
public:
    explicit SystemLibrary(const char* fileName) : fileName_(fileName) {}
    ~SystemLibrary();
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
