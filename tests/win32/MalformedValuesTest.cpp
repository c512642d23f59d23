// Every value the programs read, malformed every way, through advapi32: the same table as the
// native run over the in-memory registry. Values are stored with RegSetValueExA, so the programs'
// ANSI reads see exactly the bytes stored, and the keys this run touches are emptied afterwards.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "MalformedValues.h"
#include "Win32Registry.h"

namespace {

using namespace pausarium::testing::malformed;

HKEY rootOf(RootKey root) { return root == RootKey::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// An open key, closed with its owner.
struct OpenKey {
    HKEY key = nullptr;
    ~OpenKey() { if (key) RegCloseKey(key); }
};

class AdvapiStore : public ValueStore {
public:
    ~AdvapiStore() override { clear(); }
    pausarium::RegistryBackend& backend() override { return backend_; }

    void clear() override {
        for (auto& [place, security] : saved_) {
            OpenKey k;
            if (RegOpenKeyExA(rootOf(place.first), place.second.c_str(), 0, WRITE_DAC, &k.key) == ERROR_SUCCESS)
                RegSetKeySecurity(k.key, DACL_SECURITY_INFORMATION, security.data());
        }
        saved_.clear();
        RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey.c_str());
        OpenKey run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey.c_str(), 0, KEY_SET_VALUE, &run.key) == ERROR_SUCCESS)
            RegDeleteValueA(run.key, pausarium::layout::kRunValue);
    }

    void put(RootKey root, const std::string& key, const std::string& name, const StoredValue& value) override {
        OpenKey k;
        ASSERT_EQ(RegCreateKeyExA(rootOf(root), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k.key, nullptr),
                  ERROR_SUCCESS);
        const BYTE none = 0;
        ASSERT_EQ(RegSetValueExA(k.key, name.c_str(), 0, value.type, value.data.empty() ? &none : value.data.data(),
                                 static_cast<DWORD>(value.data.size())),
                  ERROR_SUCCESS);
    }

    std::optional<StoredValue> get(RootKey root, const std::string& key, const std::string& name) override {
        OpenKey k;
        if (RegOpenKeyExA(rootOf(root), key.c_str(), 0, KEY_QUERY_VALUE, &k.key) != ERROR_SUCCESS) return std::nullopt;
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(k.key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
        std::vector<unsigned char> data(size + 1);
        if (RegQueryValueExA(k.key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return std::nullopt;
        data.resize(size);
        return StoredValue{type, std::move(data)};
    }

    // Everyone may read the key and change its permissions back, nothing more.
    void makeReadOnly(RootKey root, const std::string& key) override {
        OpenKey k;
        ASSERT_EQ(RegCreateKeyExA(rootOf(root), key.c_str(), 0, nullptr, 0, KEY_READ | READ_CONTROL | WRITE_DAC,
                                  nullptr, &k.key, nullptr),
                  ERROR_SUCCESS);
        DWORD size = 0;
        RegGetKeySecurity(k.key, DACL_SECURITY_INFORMATION, nullptr, &size);
        std::vector<unsigned char> original(size);
        ASSERT_EQ(RegGetKeySecurity(k.key, DACL_SECURITY_INFORMATION, original.data(), &size), ERROR_SUCCESS);
        saved_.emplace(std::make_pair(root, key), std::move(original));

        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        PSID everyone = nullptr;
        ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone));
        std::vector<unsigned char> aclBytes(256);
        auto* acl = reinterpret_cast<ACL*>(aclBytes.data());
        InitializeAcl(acl, static_cast<DWORD>(aclBytes.size()), ACL_REVISION);
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone);
        SECURITY_DESCRIPTOR descriptor;
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
        const LONG status = RegSetKeySecurity(k.key, DACL_SECURITY_INFORMATION, &descriptor);
        FreeSid(everyone);
        ASSERT_EQ(status, ERROR_SUCCESS);
        // The table relies on the key refusing full access from now on.
        OpenKey full;
        ASSERT_EQ(RegOpenKeyExA(rootOf(root), key.c_str(), 0, KEY_ALL_ACCESS, &full.key), ERROR_ACCESS_DENIED);
    }

private:
    pausarium::win32::Win32Registry backend_;
    std::map<std::pair<RootKey, std::string>, std::vector<unsigned char>> saved_;
};

}  // namespace

TEST(MalformedValues, RegimeTypeOfEveryTypeAndSize) {
    AdvapiStore store;
    checkReminderValue(store, "RegimeType");
}

TEST(MalformedValues, ProtectionLevelOfEveryTypeAndSize) {
    AdvapiStore store;
    checkReminderValue(store, "ProtectionLevel");
}

TEST(MalformedValues, AutorunValueOfEveryTypeAndSize) {
    AdvapiStore store;
    checkAutorunValue(store);
}

TEST(MalformedValues, KeysThatMayBeReadButNotWritten) {
    AdvapiStore store;
    checkReadOnlyKeys(store);
}
