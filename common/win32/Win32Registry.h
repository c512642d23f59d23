#pragma once
// The registry backend over advapi32's ANSI calls.

#include "RegistryBackend.h"

namespace pausarium::win32 {

class Win32Registry : public RegistryBackend {
public:
    RegKey root(layout::RootKey root) override;
    RegStatus openKey(RegKey parent, const std::string& path, bool create, RegKey& opened) override;
    RegStatus openKeyToRead(RegKey parent, const std::string& path, bool view64, RegKey& opened) override;
    void closeKey(RegKey key) override;
    RegStatus queryValue(RegKey key, const std::string& name, std::uint32_t& type, void* data,
                         std::uint32_t& size) override;
    RegStatus setValue(RegKey key, const std::string& name, std::uint32_t type, const void* data,
                       std::uint32_t size) override;
    RegStatus deleteValue(RegKey key, const std::string& name) override;
    RegStatus deleteKey(RegKey parent, const std::string& subkey) override;
    RegStatus subkeyNames(RegKey key, std::vector<std::string>& names) override;
};

}  // namespace pausarium::win32
