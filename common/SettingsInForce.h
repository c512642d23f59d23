#pragma once
// Which value of each setting is in force. Each setting on its own: the computer's policy when it
// holds a valid value, else the user's policy, else the user's own value under the settings key.
// Policy keys are opened to read only, the computer's in the 64-bit view where Group Policy writes;
// one that cannot be opened counts as absent. A policy value of another type or size, or out of its
// setting's range, counts as not set, silently: the user cannot mend it. The user's own value keeps
// the accessor's rules (its key opened with full access, a refused key counting as missing) and
// raises its errors; it is read only where no policy sets the value, so one overridden gives no error.
// Nothing here writes: the user's own values stay as they are while a policy overrides them.

#include <cstdint>
#include <optional>

#include "Registry.h"
#include "RegistryBackend.h"

namespace pausarium {

// The three settings that a policy may set, each a REG_DWORD within its range.
enum class Setting { RegimeType, ProtectionLevel, IdleBreak };

struct SettingRange {
    const char* name;  // the value's name under the settings key and the policy keys
    std::int32_t low, high;
};
SettingRange rangeOf(Setting setting);

// The value a policy sets for `setting`, the computer's first; none when no policy sets it
// validly. Never raises.
std::optional<std::int32_t> policyValue(RegistryBackend& backend, Setting setting);

struct SettingInForce {
    std::optional<std::int32_t> value;  // none: no valid policy and no user's value
    bool byPolicy = false;
};

class SettingsInForce {
public:
    explicit SettingsInForce(RegistryBackend& backend);

    // The user's own value, when no policy sets them, is any REG_DWORD, read as the accessor reads
    // it (a wrong type or size raises); none when the key or the value is missing.
    SettingInForce regimeType();
    SettingInForce protectionLevel();
    // Always a value: 1 (on) when the one in force is 1; 0 for anything else, a user's value of any
    // type included, which never raises.
    SettingInForce idleBreak();

private:
    SettingInForce fromPolicyOrUser(Setting setting);
    bool userKeyOpen();

    RegistryBackend& backend_;
    Registry user_;
    std::optional<bool> userKeyOpened_;  // opened on first need
};

}  // namespace pausarium
