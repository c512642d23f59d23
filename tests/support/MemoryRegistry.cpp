#include "MemoryRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace pausarium::testing {
namespace {

constexpr RegKey kCurrentUserHandle = 1;
constexpr RegKey kLocalMachineHandle = 2;

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

}  // namespace

MemoryRegistry::MemoryRegistry()
    : currentUser_(std::make_shared<Node>()), localMachine_(std::make_shared<Node>()) {}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::rootNode(layout::RootKey root) const {
    return root == layout::RootKey::CurrentUser ? currentUser_ : localMachine_;
}

RegKey MemoryRegistry::root(layout::RootKey root) {
    return root == layout::RootKey::CurrentUser ? kCurrentUserHandle : kLocalMachineHandle;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::nodeFor(RegKey key) const {
    if (key == kCurrentUserHandle) return currentUser_;
    if (key == kLocalMachineHandle) return localMachine_;
    const auto it = handles_.find(key);
    if (it == handles_.end() || it->second->deleted) return nullptr;
    return it->second;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::child(const Node& parent, const std::string& name) {
    for (const auto& c : parent.children)
        if (upper(c->name) == upper(name)) return c;
    return nullptr;
}

RegStatus MemoryRegistry::openKey(RegKey parent, const std::string& path, bool create, RegKey& opened) {
    auto node = nodeFor(parent);
    if (!node) return 6;  // ERROR_INVALID_HANDLE
    for (const auto& part : split(path)) {
        auto next = child(*node, part);
        if (!next) {
            if (!create) return kRegNotFound;
            if (node->denyFullAccess) return kRegAccessDenied;
            next = std::make_shared<Node>();
            next->name = part;
            node->children.push_back(next);
        }
        node = next;
    }
    if (node->denyFullAccess || node->denyReading) return kRegAccessDenied;
    opened = nextHandle_++;
    handles_[opened] = node;
    return kRegOk;
}

RegStatus MemoryRegistry::openKeyToRead(RegKey parent, const std::string& path, bool, RegKey& opened) {
    auto node = nodeFor(parent);
    if (!node) return 6;
    for (const auto& part : split(path)) {
        node = child(*node, part);
        if (!node) return kRegNotFound;
    }
    if (node->denyReading) return kRegAccessDenied;
    opened = nextHandle_++;
    handles_[opened] = node;
    readOnlyHandles_.insert(opened);
    return kRegOk;
}

void MemoryRegistry::closeKey(RegKey key) {
    handles_.erase(key);
    readOnlyHandles_.erase(key);
}

RegStatus MemoryRegistry::queryValue(RegKey key, const std::string& name, std::uint32_t& type,
                                     void* data, std::uint32_t& size) {
    const auto node = nodeFor(key);
    if (!node) return 6;
    const auto it = node->values.find(upper(name));
    if (it == node->values.end()) return kRegNotFound;
    const Value& value = it->second.second;
    type = value.type;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data == nullptr) {
        size = needed;
        return kRegOk;
    }
    if (needed > size) {
        size = needed;
        return kRegMoreData;
    }
    if (needed > 0) std::memcpy(data, value.data.data(), needed);
    size = needed;
    return kRegOk;
}

RegStatus MemoryRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                                   const void* data, std::uint32_t size) {
    const auto node = nodeFor(key);
    if (!node) return 6;
    if (node->refuseWrites || readOnlyHandles_.count(key)) return kRegAccessDenied;
    const auto* bytes = static_cast<const unsigned char*>(data);
    node->values[upper(name)] = {name, Value{type, std::vector<unsigned char>(bytes, bytes + size)}};
    return kRegOk;
}

RegStatus MemoryRegistry::deleteValue(RegKey key, const std::string& name) {
    const auto node = nodeFor(key);
    if (!node) return 6;
    if (node->refuseWrites || readOnlyHandles_.count(key)) return kRegAccessDenied;
    return node->values.erase(upper(name)) ? kRegOk : kRegNotFound;
}

RegStatus MemoryRegistry::deleteKey(RegKey parent, const std::string& subkey) {
    auto node = nodeFor(parent);
    if (!node) return 6;
    const auto parts = split(subkey);
    if (parts.empty()) return kRegNotFound;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        node = child(*node, parts[i]);
        if (!node) return kRegNotFound;
    }
    const auto target = child(*node, parts.back());
    if (!target) return kRegNotFound;
    if (!target->children.empty() || target->denyFullAccess || node->denyFullAccess) return kRegAccessDenied;
    target->deleted = true;
    auto& siblings = node->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), target), siblings.end());
    return kRegOk;
}

RegStatus MemoryRegistry::subkeyNames(RegKey key, std::vector<std::string>& names) {
    const auto node = nodeFor(key);
    if (!node) return 6;
    names.clear();
    for (const auto& c : node->children) names.push_back(c->name);
    return kRegOk;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::find(layout::RootKey root, const std::string& path) const {
    auto node = rootNode(root);
    for (const auto& part : split(path)) {
        node = child(*node, part);
        if (!node) return nullptr;
    }
    return node;
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::make(layout::RootKey root, const std::string& path) {
    auto node = rootNode(root);
    for (const auto& part : split(path)) {
        auto next = child(*node, part);
        if (!next) {
            next = std::make_shared<Node>();
            next->name = part;
            node->children.push_back(next);
        }
        node = next;
    }
    return node;
}

void MemoryRegistry::createKey(layout::RootKey root, const std::string& path) { make(root, path); }

void MemoryRegistry::denyReading(layout::RootKey root, const std::string& path) { make(root, path)->denyReading = true; }

void MemoryRegistry::setRaw(layout::RootKey root, const std::string& path, const std::string& name, Value value) {
    make(root, path)->values[upper(name)] = {name, std::move(value)};
}

void MemoryRegistry::setDword(layout::RootKey root, const std::string& path, const std::string& name,
                              std::uint32_t v) {
    setRaw(root, path, name,
           Value{kRegDword, {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                             static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)}});
}

void MemoryRegistry::setString(layout::RootKey root, const std::string& path, const std::string& name,
                               const std::string& text) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    setRaw(root, path, name, Value{kRegSz, std::move(data)});
}

bool MemoryRegistry::hasKey(layout::RootKey root, const std::string& path) const {
    return find(root, path) != nullptr;
}

std::optional<MemoryRegistry::Value> MemoryRegistry::value(layout::RootKey root, const std::string& path,
                                                           const std::string& name) const {
    const auto node = find(root, path);
    if (!node) return std::nullopt;
    const auto it = node->values.find(upper(name));
    if (it == node->values.end()) return std::nullopt;
    return it->second.second;
}

std::optional<std::uint32_t> MemoryRegistry::dword(layout::RootKey root, const std::string& path,
                                                   const std::string& name) const {
    const auto v = value(root, path, name);
    if (!v || v->type != kRegDword || v->data.size() != 4) return std::nullopt;
    return v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (static_cast<std::uint32_t>(v->data[3]) << 24);
}

std::optional<std::string> MemoryRegistry::string(layout::RootKey root, const std::string& path,
                                                  const std::string& name) const {
    const auto v = value(root, path, name);
    if (!v || (v->type != kRegSz && v->type != kRegExpandSz)) return std::nullopt;
    std::string text(v->data.begin(), v->data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

std::vector<std::string> MemoryRegistry::subkeys(layout::RootKey root, const std::string& path) const {
    std::vector<std::string> names;
    if (const auto node = find(root, path))
        for (const auto& c : node->children) names.push_back(c->name);
    return names;
}

void MemoryRegistry::denyFullAccess(layout::RootKey root, const std::string& path) {
    make(root, path)->denyFullAccess = true;
}

void MemoryRegistry::refuseWrites(layout::RootKey root, const std::string& path) {
    make(root, path)->refuseWrites = true;
}

}  // namespace pausarium::testing
