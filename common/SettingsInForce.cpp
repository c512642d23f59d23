#include "SettingsInForce.h"

#include "RegistryLayout.h"

namespace pausarium {
namespace {

std::optional<std::int32_t> validPolicyValue(RegistryBackend& backend, layout::RootKey root, Setting setting) {
    Registry policies(backend, root);
    if (!policies.openKeyToRead(layout::kPolicyKey, root == layout::RootKey::LocalMachine)) return std::nullopt;
    const SettingRange range = rangeOf(setting);
    const auto value = policies.tryReadDword(range.name);
    if (!value || *value < range.low || *value > range.high) return std::nullopt;
    return value;
}

}  // namespace

SettingRange rangeOf(Setting setting) {
    switch (setting) {
    case Setting::RegimeType: return {layout::kRegimeTypeValue, 0, 2};
    case Setting::ProtectionLevel: return {layout::kProtectionLevelValue, 0, 1};
    case Setting::IdleBreak: return {layout::kIdleBreakValue, 0, 1};
    }
    return {layout::kIdleBreakValue, 0, 1};
}

std::optional<std::int32_t> policyValue(RegistryBackend& backend, Setting setting) {
    if (auto value = validPolicyValue(backend, layout::RootKey::LocalMachine, setting)) return value;
    return validPolicyValue(backend, layout::RootKey::CurrentUser, setting);
}

SettingsInForce::SettingsInForce(RegistryBackend& backend) : backend_(backend), user_(backend) {}

bool SettingsInForce::userKeyOpen() {
    if (!userKeyOpened_) userKeyOpened_ = user_.openKey(layout::kSettingsKey, false);
    return *userKeyOpened_;
}

SettingInForce SettingsInForce::fromPolicyOrUser(Setting setting) {
    if (auto value = policyValue(backend_, setting)) return {value, true};
    const char* name = rangeOf(setting).name;
    if (!userKeyOpen() || !user_.valueExists(name)) return {};
    return {user_.readInteger(name), false};
}

SettingInForce SettingsInForce::regimeType() { return fromPolicyOrUser(Setting::RegimeType); }

SettingInForce SettingsInForce::protectionLevel() { return fromPolicyOrUser(Setting::ProtectionLevel); }

SettingInForce SettingsInForce::idleBreak() {
    if (auto value = policyValue(backend_, Setting::IdleBreak)) return {value, true};
    const auto own = userKeyOpen() ? user_.tryReadDword(layout::kIdleBreakValue) : std::nullopt;
    return {own == 1 ? 1 : 0, false};
}

}  // namespace pausarium
