#include "SettingsInForce.h"

#include <cstring>
#include <string>

#include "RegistryLayout.h"

namespace pausarium {
namespace {

struct Range {
    const char* name;
    std::int32_t low, high;
};
constexpr Range kRanges[] = {
    {layout::kRegimeTypeValue, 0, 2},
    {layout::kProtectionLevelValue, 0, 1},
    {layout::kIdleBreakValue, 0, 1},
};

// A REG_DWORD of exactly four bytes, or none.
std::optional<std::int32_t> dwordOf(RegistryBackend& backend, RegKey key, const std::string& name) {
    unsigned char bytes[4] = {};
    std::uint32_t type = 0, size = sizeof bytes;
    if (backend.queryValue(key, name, type, bytes, size) != kRegOk) return std::nullopt;
    if (type != kRegDword || size != sizeof bytes) return std::nullopt;
    const std::uint32_t value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> validPolicyValue(RegistryBackend& backend, layout::RootKey root, const char* name) {
    RegKey key = 0;
    const bool view64 = root == layout::RootKey::LocalMachine;
    if (backend.openKeyToRead(backend.root(root), layout::kPolicyKey, view64, key) != kRegOk) return std::nullopt;
    const auto value = dwordOf(backend, key, name);
    backend.closeKey(key);
    if (!value) return std::nullopt;
    for (const Range& range : kRanges)
        if (std::strcmp(range.name, name) == 0 && (*value < range.low || *value > range.high)) return std::nullopt;
    return value;
}

}  // namespace

SettingsInForce::SettingsInForce(RegistryBackend& backend) : backend_(backend), user_(backend) {}

std::optional<std::int32_t> SettingsInForce::policy(const char* name) const {
    if (auto value = validPolicyValue(backend_, layout::RootKey::LocalMachine, name)) return value;
    return validPolicyValue(backend_, layout::RootKey::CurrentUser, name);
}

bool SettingsInForce::userKeyOpen() {
    if (!userKeyOpened_) userKeyOpened_ = user_.openKey(layout::kSettingsKey, false);
    return *userKeyOpened_;
}

SettingInForce SettingsInForce::fromPolicyOrUser(const char* name) {
    if (auto value = policy(name)) return {value, true};
    if (!userKeyOpen() || !user_.valueExists(name)) return {};
    return {user_.readInteger(name), false};
}

SettingInForce SettingsInForce::regimeType() { return fromPolicyOrUser(layout::kRegimeTypeValue); }

SettingInForce SettingsInForce::protectionLevel() { return fromPolicyOrUser(layout::kProtectionLevelValue); }

SettingInForce SettingsInForce::idleBreak() {
    if (auto value = policy(layout::kIdleBreakValue)) return {value, true};
    // The settings key with full access, as the accessor opens it, but read without its errors.
    std::optional<std::int32_t> own;
    RegKey key = 0;
    if (backend_.openKey(backend_.root(layout::RootKey::CurrentUser), layout::kSettingsKey, false, key) == kRegOk) {
        own = dwordOf(backend_, key, layout::kIdleBreakValue);
        backend_.closeKey(key);
    }
    return {own == 1 ? 1 : 0, false};
}

}  // namespace pausarium
