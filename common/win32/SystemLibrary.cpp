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

}  // namespace

SystemLibrary::~SystemLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
}

FARPROC SystemLibrary::lookUp(const char* name) {
    if (!loadTried_) {
        loadTried_ = true;
        const std::string path = systemPath(fileName_);
        if (!path.empty()) module_ = LoadLibraryA(path.c_str());
    }
    return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

}  // namespace pausarium::win32
