#pragma once
// An in-memory registry for tests: two roots, keys and typed values, case-insensitive names as
// in Windows, subkeys enumerated in creation order, and keys that can refuse full access, refuse
// to be opened at all or refuse writes; a key opened to read only refuses writes through that
// handle, as Windows does. It has one view: a key opened in the 64-bit view is the same key.

#include <cstdint>
#include <map>
#include <set>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "RegistryBackend.h"

namespace pausarium::testing {

class MemoryRegistry : public RegistryBackend {
public:
    struct Value {
        std::uint32_t type;
        std::vector<unsigned char> data;
    };

    MemoryRegistry();

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

    // Arranging and inspecting, by root and full path.
    void createKey(layout::RootKey root, const std::string& path);
    void setDword(layout::RootKey root, const std::string& path, const std::string& name, std::uint32_t value);
    void setString(layout::RootKey root, const std::string& path, const std::string& name, const std::string& value);
    void setRaw(layout::RootKey root, const std::string& path, const std::string& name, Value value);
    bool hasKey(layout::RootKey root, const std::string& path) const;
    std::optional<Value> value(layout::RootKey root, const std::string& path, const std::string& name) const;
    std::optional<std::uint32_t> dword(layout::RootKey root, const std::string& path, const std::string& name) const;
    std::optional<std::string> string(layout::RootKey root, const std::string& path, const std::string& name) const;
    std::vector<std::string> subkeys(layout::RootKey root, const std::string& path) const;
    // The key (created if missing) can no longer be opened with full access, nor created below.
    void denyFullAccess(layout::RootKey root, const std::string& path);
    // The key (created if missing) cannot be opened at all, not even to read.
    void denyReading(layout::RootKey root, const std::string& path);
    // The key (created if missing) opens, but every value write to it fails.
    void refuseWrites(layout::RootKey root, const std::string& path);
    std::size_t openKeyCount() const { return handles_.size(); }

private:
    struct Node {
        std::string name;
        bool denyFullAccess = false;
        bool denyReading = false;
        bool refuseWrites = false;
        bool deleted = false;
        std::vector<std::shared_ptr<Node>> children;  // creation order
        std::map<std::string, std::pair<std::string, Value>> values;  // upper-cased name -> (name, value)
    };

    std::shared_ptr<Node> rootNode(layout::RootKey root) const;
    std::shared_ptr<Node> nodeFor(RegKey key) const;
    static std::shared_ptr<Node> child(const Node& parent, const std::string& name);
    std::shared_ptr<Node> find(layout::RootKey root, const std::string& path) const;
    std::shared_ptr<Node> make(layout::RootKey root, const std::string& path);

    std::shared_ptr<Node> currentUser_, localMachine_;
    std::map<RegKey, std::shared_ptr<Node>> handles_;
    std::set<RegKey> readOnlyHandles_;  // opened to read only: writes through them are refused
    RegKey nextHandle_ = 0x100;
};

}  // namespace pausarium::testing
