#include "SystemLibrary.h"

#include <string>

namespace pausarium::win32 {
namespace {

// "<system directory>\<file name>", or empty when Windows does not say where that is.
std::string systemPath(const char* fileName) {
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(directory, length) + '\\' + fileName;
}

// SetDefaultDllDirectories, looked up rather than imported: Windows 7 has it, and with it the
// LOAD_LIBRARY_SEARCH_* flags of LoadLibraryEx, only with update KB2533623. Null without.
using SetDefaultDllDirectoriesFunction = decltype(&SetDefaultDllDirectories);
SetDefaultDllDirectoriesFunction setDefaultDllDirectories() {
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
}

}  // namespace

void restrictDllSearch() {
    const auto setDefault = setDefaultDllDirectories();
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    SetDllDirectoryA("");
}

// By full path, and so are the DLLs it loads in turn: with LOAD_LIBRARY_SEARCH_SYSTEM32 they
// are searched in the system directory only; without the flag, LOAD_WITH_ALTERED_SEARCH_PATH
// searches the loaded DLL's own directory first rather than the program's.
FARPROC SystemLibrary::lookUp(const char* name) {
    if (!loadTried_) {
        loadTried_ = true;
        const std::string path = systemPath(fileName_);
        const DWORD flags =
            setDefaultDllDirectories() != nullptr ? LOAD_LIBRARY_SEARCH_SYSTEM32 : LOAD_WITH_ALTERED_SEARCH_PATH;
        if (!path.empty()) module_ = LoadLibraryExA(path.c_str(), nullptr, flags);
    }
    return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

}  // namespace pausarium::win32
