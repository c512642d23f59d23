#pragma once
// The registry accessor: a root key (the current user's unless set otherwise) and at most one
// open current key. Every open or create asks for full access, also when only reading, so a key
// the user may only read counts as missing; only openKeyToRead asks for reading alone. Opening, existence tests and deletions answer with
// success or failure; failed creations, writes and reads raise Error with the key or value name.

#include <cstdint>
#include <optional>
#include <string>

#include "RegistryBackend.h"

namespace pausarium {

class Registry {
public:
    explicit Registry(RegistryBackend& backend,
                      layout::RootKey root = layout::RootKey::CurrentUser);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // A path is relative to the current key when one is open and the path does not begin with
    // "\"; otherwise it is taken from the root.
    bool openKey(const std::string& path, bool canCreate);
    // An existing key, to read its values only; with `view64`, in the 64-bit view.
    bool openKeyToRead(const std::string& path, bool view64);
    void closeKey();
    bool hasOpenKey() const { return current_ != 0; }

    bool keyExists(const std::string& path);
    void createKey(const std::string& path);   // raises "Failed to create key %s"
    bool deleteKey(const std::string& path);   // the whole subtree, subkeys last-enumerated first

    bool valueExists(const std::string& name);
    std::int32_t readInteger(const std::string& name);  // REG_DWORD only
    // The number when the value is a REG_DWORD of four bytes, else none; never raises.
    std::optional<std::int32_t> tryReadDword(const std::string& name);
    std::string readString(const std::string& name);    // REG_SZ or REG_EXPAND_SZ
    void writeInteger(const std::string& name, std::int32_t value);      // REG_DWORD
    void writeString(const std::string& name, const std::string& value); // REG_SZ, zero counted
    bool deleteValue(const std::string& name);

private:
    RegKey baseFor(const std::string& path, std::string& relative);
    bool becomeCurrent(RegStatus status, RegKey opened);
    bool deleteTree(RegKey parent, const std::string& subkey);
    void readExact(const std::string& name, std::uint32_t expectedType, void* data, std::uint32_t size);

    RegistryBackend& backend_;
    RegKey rootKey_;
    RegKey current_ = 0;
};

}  // namespace pausarium
