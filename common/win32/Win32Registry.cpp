#include "Win32Registry.h"

#include <windows.h>

namespace pausarium::win32 {
namespace {

HKEY hkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

RegKey Win32Registry::root(layout::RootKey root) {
    return reinterpret_cast<RegKey>(root == layout::RootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE);
}

RegStatus Win32Registry::openKey(RegKey parent, const std::string& path, bool create, RegKey& opened) {
    HKEY key = nullptr;
    const LONG status =
        create ? RegCreateKeyExA(hkey(parent), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr)
               : RegOpenKeyExA(hkey(parent), path.c_str(), 0, KEY_ALL_ACCESS, &key);
    if (status == ERROR_SUCCESS) opened = reinterpret_cast<RegKey>(key);
    return status;
}

RegStatus Win32Registry::openKeyToRead(RegKey parent, const std::string& path, bool view64, RegKey& opened) {
    HKEY key = nullptr;
    const REGSAM access = KEY_QUERY_VALUE | (view64 ? KEY_WOW64_64KEY : 0);
    const LONG status = RegOpenKeyExA(hkey(parent), path.c_str(), 0, access, &key);
    if (status == ERROR_SUCCESS) opened = reinterpret_cast<RegKey>(key);
    return status;
}

void Win32Registry::closeKey(RegKey key) { RegCloseKey(hkey(key)); }

RegStatus Win32Registry::queryValue(RegKey key, const std::string& name, std::uint32_t& type,
                                    void* data, std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = data ? size : 0;
    const LONG status = RegQueryValueExA(hkey(key), name.c_str(), nullptr, &valueType,
                                         static_cast<BYTE*>(data), &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

RegStatus Win32Registry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                  const void* data, std::uint32_t size) {
    return RegSetValueExA(hkey(key), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

RegStatus Win32Registry::deleteValue(RegKey key, const std::string& name) {
    return RegDeleteValueA(hkey(key), name.c_str());
}

RegStatus Win32Registry::deleteKey(RegKey parent, const std::string& subkey) {
    return RegDeleteKeyA(hkey(parent), subkey.c_str());
}

RegStatus Win32Registry::subkeyNames(RegKey key, std::vector<std::string>& names) {
    names.clear();
    for (DWORD index = 0;; ++index) {
        char name[256];  // registry key names are at most 255 characters
        DWORD length = sizeof name;
        const LONG status = RegEnumKeyExA(hkey(key), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS) return status;
        names.emplace_back(name, length);
    }
}

}  // namespace pausarium::win32
