// Which value is in force: the computer's policy, the user's policy, the user's own value, for
// each of the three settings, with every kind of wrong policy value.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Error.h"
#include "MemoryRegistry.h"
#include "RegistryLayout.h"
#include "SettingsInForce.h"
#include "WrongPolicyValues.h"

namespace {

using namespace pausarium;
using layout::RootKey;
using pausarium::testing::kWrongPolicyValues;
using pausarium::testing::MemoryRegistry;

constexpr const char* kPolicy = layout::kPolicyKey;
constexpr const char* kOwn = layout::kSettingsKey;

struct Setting {
    const char* name;
    SettingInForce (SettingsInForce::*read)();
    std::uint32_t computer, user, own;  // three different valid values (own: as the user may store it)
};

void PrintTo(const Setting& s, std::ostream* out) { *out << s.name; }

std::string describe(const SettingInForce& s) {
    if (!s.value) return "none";
    return std::to_string(*s.value) + (s.byPolicy ? " by policy" : " own");
}

class Precedence : public ::testing::TestWithParam<Setting> {
protected:
    MemoryRegistry reg;
    std::string inForce() {
        SettingsInForce settings(reg);
        return describe((settings.*GetParam().read)());
    }
    void put(RootKey root, const char* key, std::uint32_t value) { reg.setDword(root, key, GetParam().name, value); }
    std::string own() const {
        return GetParam().name == std::string(layout::kIdleBreakValue) ? "0 own" : "none";
    }
};

TEST_P(Precedence, ComputerPolicyThenUserPolicyThenOwnValue) {
    const Setting& s = GetParam();
    EXPECT_EQ(inForce(), own());
    put(RootKey::CurrentUser, kOwn, s.own);
    EXPECT_EQ(inForce(), std::to_string(s.own) + " own");
    put(RootKey::CurrentUser, kPolicy, s.user);
    EXPECT_EQ(inForce(), std::to_string(s.user) + " by policy");
    put(RootKey::LocalMachine, kPolicy, s.computer);
    EXPECT_EQ(inForce(), std::to_string(s.computer) + " by policy");
    EXPECT_EQ(reg.openKeyCount(), 0u);  // every key closed again
}

TEST_P(Precedence, WrongPolicyValuesCountAsNotSetSilently) {
    const Setting& s = GetParam();
    put(RootKey::CurrentUser, kOwn, s.own);
    for (const auto& wrong : kWrongPolicyValues) {
        SCOPED_TRACE(wrong.label);
        reg.setRaw(RootKey::LocalMachine, kPolicy, s.name, wrong.value);
        put(RootKey::CurrentUser, kPolicy, s.user);
        EXPECT_EQ(inForce(), std::to_string(s.user) + " by policy");
        reg.setRaw(RootKey::CurrentUser, kPolicy, s.name, wrong.value);
        EXPECT_EQ(inForce(), std::to_string(s.own) + " own");
        EXPECT_EQ(reg.value(RootKey::LocalMachine, kPolicy, s.name)->data, wrong.value.data);
    }
}

// A policy key that is empty or cannot be opened is absent; one that users may only read (as
// everyone may read the policy keys) is read, while the user's own key counts as missing then.
TEST_P(Precedence, PolicyKeysEmptyUnopenableOrReadOnly) {
    const Setting& s = GetParam();
    put(RootKey::CurrentUser, kOwn, s.own);
    reg.createKey(RootKey::LocalMachine, kPolicy);
    reg.createKey(RootKey::CurrentUser, kPolicy);
    EXPECT_EQ(inForce(), std::to_string(s.own) + " own");
    put(RootKey::LocalMachine, kPolicy, s.computer);
    put(RootKey::CurrentUser, kPolicy, s.user);
    reg.denyFullAccess(RootKey::LocalMachine, kPolicy);
    EXPECT_EQ(inForce(), std::to_string(s.computer) + " by policy");
    reg.denyReading(RootKey::LocalMachine, kPolicy);
    EXPECT_EQ(inForce(), std::to_string(s.user) + " by policy");
    reg.denyReading(RootKey::CurrentUser, kPolicy);
    EXPECT_EQ(inForce(), std::to_string(s.own) + " own");
    reg.denyFullAccess(RootKey::CurrentUser, kOwn);
    EXPECT_EQ(inForce(), own());
}

// An own value of another type raises only where no policy overrides it.
TEST_P(Precedence, WrongOwnValueRaisesUnlessAPolicyOverridesIt) {
    const Setting& s = GetParam();
    reg.setString(RootKey::CurrentUser, kOwn, s.name, "1");
    if (s.name == std::string(layout::kIdleBreakValue)) {
        EXPECT_EQ(inForce(), "0 own");  // off, never an error
    } else {
        try {
            inForce();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Invalid data type for '") + s.name + "'");
        }
    }
    put(RootKey::CurrentUser, kPolicy, s.user);
    EXPECT_EQ(inForce(), std::to_string(s.user) + " by policy");
}

INSTANTIATE_TEST_SUITE_P(
    EachSetting, Precedence,
    ::testing::Values(Setting{layout::kRegimeTypeValue, &SettingsInForce::regimeType, 2, 0, 1},
                      Setting{layout::kProtectionLevelValue, &SettingsInForce::protectionLevel, 1, 0, 5},
                      Setting{layout::kIdleBreakValue, &SettingsInForce::idleBreak, 1, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
