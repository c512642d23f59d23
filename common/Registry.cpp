#include "Registry.h"

#include <vector>

#include "Error.h"

namespace pausarium {
namespace {

[[noreturn]] void raise(const char* format, const std::string& name) {
    std::string text = format;
    text.replace(text.find("%s"), 2, name);
    throw Error(text);
}

constexpr const char* kCreateFailed = "Failed to create key %s";
constexpr const char* kSetFailed = "Failed to set data for '%s'";
constexpr const char* kGetFailed = "Failed to get data for '%s'";
constexpr const char* kWrongType = "Invalid data type for '%s'";

// A REG_DWORD's four bytes, least significant first.
std::int32_t dwordFrom(const unsigned char (&bytes)[4]) {
    const std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

}  // namespace

Registry::Registry(RegistryBackend& backend, layout::RootKey root)
    : backend_(backend), rootKey_(backend.root(root)) {}

Registry::~Registry() { closeKey(); }

RegKey Registry::baseFor(const std::string& path, std::string& relative) {
    if (!path.empty() && path.front() == '\\') {
        relative = path.substr(1);
        return rootKey_;
    }
    relative = path;
    return current_ != 0 ? current_ : rootKey_;
}

bool Registry::openKey(const std::string& path, bool canCreate) {
    std::string relative;
    const RegKey base = baseFor(path, relative);
    RegKey opened = 0;
    const RegStatus status = backend_.openKey(base, relative, canCreate, opened);
    return becomeCurrent(status, opened);
}

bool Registry::openKeyToRead(const std::string& path, bool view64) {
    std::string relative;
    const RegKey base = baseFor(path, relative);
    RegKey opened = 0;
    const RegStatus status = backend_.openKeyToRead(base, relative, view64, opened);
    return becomeCurrent(status, opened);
}

// A key that opened replaces the current one; a refused open leaves the current key as it was.
bool Registry::becomeCurrent(RegStatus status, RegKey opened) {
    if (status != kRegOk) return false;
    closeKey();
    current_ = opened;
    return true;
}

void Registry::closeKey() {
    if (current_ != 0) backend_.closeKey(current_);
    current_ = 0;
}

bool Registry::keyExists(const std::string& path) {
    std::string relative;
    const RegKey base = baseFor(path, relative);
    RegKey opened = 0;
    if (backend_.openKey(base, relative, false, opened) != kRegOk) return false;
    backend_.closeKey(opened);
    return true;
}

void Registry::createKey(const std::string& path) {
    std::string relative;
    const RegKey base = baseFor(path, relative);
    RegKey created = 0;
    if (backend_.openKey(base, relative, true, created) != kRegOk) raise(kCreateFailed, path);
    backend_.closeKey(created);
}

bool Registry::deleteTree(RegKey parent, const std::string& subkey) {
    RegKey opened = 0;
    if (backend_.openKey(parent, subkey, false, opened) == kRegOk) {
        std::vector<std::string> names;
        if (backend_.subkeyNames(opened, names) == kRegOk)
            for (auto it = names.rbegin(); it != names.rend(); ++it) deleteTree(opened, *it);
        backend_.closeKey(opened);
    }
    return backend_.deleteKey(parent, subkey) == kRegOk;
}

bool Registry::deleteKey(const std::string& path) {
    std::string relative;
    const RegKey base = baseFor(path, relative);
    return deleteTree(base, relative);
}

bool Registry::valueExists(const std::string& name) {
    if (current_ == 0) return false;
    std::uint32_t type = 0, size = 0;
    return backend_.queryValue(current_, name, type, nullptr, size) == kRegOk;
}

// Data longer than the buffer does not fit; data shorter than it is incomplete (a REG_DWORD of
// fewer than four bytes holds no number). Both fail to give the data; the type is judged first.
void Registry::readExact(const std::string& name, std::uint32_t expectedType, void* data,
                         std::uint32_t size) {
    std::uint32_t type = 0;
    std::uint32_t received = size;
    if (current_ == 0 || backend_.queryValue(current_, name, type, data, received) != kRegOk)
        raise(kGetFailed, name);
    if (type != expectedType) raise(kWrongType, name);
    if (received != size) raise(kGetFailed, name);
}

std::int32_t Registry::readInteger(const std::string& name) {
    unsigned char bytes[4] = {};
    readExact(name, kRegDword, bytes, sizeof bytes);
    return dwordFrom(bytes);
}

std::optional<std::int32_t> Registry::tryReadDword(const std::string& name) {
    unsigned char bytes[4] = {};
    std::uint32_t type = 0, size = sizeof bytes;
    if (current_ == 0 || backend_.queryValue(current_, name, type, bytes, size) != kRegOk) return std::nullopt;
    if (type != kRegDword || size != sizeof bytes) return std::nullopt;
    return dwordFrom(bytes);
}

std::string Registry::readString(const std::string& name) {
    std::uint32_t type = 0, size = 0;
    if (current_ == 0 || backend_.queryValue(current_, name, type, nullptr, size) != kRegOk)
        raise(kGetFailed, name);
    if (type != kRegSz && type != kRegExpandSz) raise(kWrongType, name);
    // One byte more than the data, kept zero: a string stored without its terminating zero still
    // ends, and one with a zero inside ends there, as every reader of the value sees it. A value
    // grown between the two queries no longer fits and fails rather than being cut.
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    if (size > 0 && backend_.queryValue(current_, name, type, buffer.data(), size) != kRegOk)
        raise(kGetFailed, name);
    if (type != kRegSz && type != kRegExpandSz) raise(kWrongType, name);
    return std::string(buffer.data());
}

void Registry::writeInteger(const std::string& name, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    if (current_ == 0 || backend_.setValue(current_, name, kRegDword, bytes, sizeof bytes) != kRegOk)
        raise(kSetFailed, name);
}

void Registry::writeString(const std::string& name, const std::string& value) {
    const auto size = static_cast<std::uint32_t>(value.size() + 1);  // with the terminating zero
    if (current_ == 0 || backend_.setValue(current_, name, kRegSz, value.c_str(), size) != kRegOk)
        raise(kSetFailed, name);
}

bool Registry::deleteValue(const std::string& name) {
    return current_ != 0 && backend_.deleteValue(current_, name) == kRegOk;
}

}  // namespace pausarium
