// The registry accessor's rules hold over the real advapi32 calls too.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Error.h"
#include "Registry.h"
#include "SettingsInForce.h"
#include "Win32Registry.h"

using pausarium::Error;
using pausarium::Registry;
using pausarium::win32::Win32Registry;

namespace {

struct RealRegistry : ::testing::Test {
    Win32Registry backend;
    const std::string key = "SOFTWARE\\PausariumTest" + std::to_string(GetCurrentProcessId());

    void TearDown() override {
        Registry cleanup(backend);
        cleanup.deleteKey(key);
    }
    std::string errorOf(void (*action)(Registry&), Registry& reg) {
        try {
            action(reg);
        } catch (const Error& e) {
            return e.what();
        }
        return "(no error)";
    }
};

}  // namespace

TEST_F(RealRegistry, WritesAndReadsBackDwordsAndStrings) {
    Registry reg(backend);
    ASSERT_FALSE(reg.openKey(key, false));
    ASSERT_TRUE(reg.openKey(key, true));
    reg.writeInteger("RegimeType", 2);
    reg.writeInteger("ProtectionLevel", -1);
    reg.writeString("Path", "C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\Pausarium.exe");  // Cyrillic in 1251
    EXPECT_EQ(reg.readInteger("RegimeType"), 2);
    EXPECT_EQ(reg.readInteger("ProtectionLevel"), -1);
    EXPECT_EQ(reg.readString("Path"), "C:\\\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB\\Pausarium.exe");

    // The stored string carries its terminating zero, as RegQueryValueExA reports it.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &raw), ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExA(raw, "Path", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 27u);  // 26 characters and the zero
    RegCloseKey(raw);
}

TEST_F(RealRegistry, RaisesTheNamedErrorsForValuesOfAnotherTypeOrSize) {
    Registry reg(backend);
    ASSERT_TRUE(reg.openKey(key, true));
    reg.writeString("Short", "1");
    reg.writeString("Long", "12345");
    EXPECT_EQ(errorOf([](Registry& r) { r.readInteger("Short"); }, reg), "Invalid data type for 'Short'");
    EXPECT_EQ(errorOf([](Registry& r) { r.readInteger("Long"); }, reg), "Failed to get data for 'Long'");
    EXPECT_EQ(errorOf([](Registry& r) { r.readInteger("Missing"); }, reg), "Failed to get data for 'Missing'");
    reg.writeInteger("Number", 1);
    EXPECT_EQ(errorOf([](Registry& r) { r.readString("Number"); }, reg), "Invalid data type for 'Number'");
}

TEST_F(RealRegistry, DeletesAWholeSubtreeAndReportsWhatWasThere) {
    {
        Registry reg(backend);
        ASSERT_TRUE(reg.openKey(key + "\\A\\Deep", true));
        reg.writeInteger("X", 1);
        ASSERT_TRUE(reg.openKey("\\" + key + "\\B", true));
    }
    Registry reg(backend);
    ASSERT_TRUE(reg.openKey("SOFTWARE", false));
    const std::string name = key.substr(key.find('\\') + 1);
    EXPECT_TRUE(reg.keyExists(name));
    EXPECT_TRUE(reg.deleteKey(name));
    EXPECT_FALSE(reg.keyExists(name));
    EXPECT_FALSE(reg.deleteKey(name));
}

TEST_F(RealRegistry, DeletingValuesAnswersWhetherOneExisted) {
    Registry reg(backend);
    ASSERT_TRUE(reg.openKey(key, true));
    reg.writeString("Pausarium", "x");
    EXPECT_TRUE(reg.valueExists("Pausarium"));
    EXPECT_TRUE(reg.deleteValue("Pausarium"));
    EXPECT_FALSE(reg.deleteValue("Pausarium"));
    EXPECT_FALSE(reg.valueExists("Pausarium"));
}

// The policy keys: opened to read only, the computer's in the 64-bit view. A 32-bit program on
// 64-bit Windows does not read that view by itself below most of SOFTWARE (SOFTWARE\Policies is
// shared by both views since Windows 7).
TEST_F(RealRegistry, OpensToReadOnlyAndInThe64BitView) {
    using pausarium::RegKey;
    {
        Registry reg(backend);
        ASSERT_TRUE(reg.openKey(key, true));
        reg.writeInteger("RegimeType", 2);
    }
    RegKey opened = 0;
    ASSERT_EQ(backend.openKeyToRead(backend.root(pausarium::layout::RootKey::CurrentUser), key, false, opened), 0);
    std::uint32_t type = 0, size = 4;
    unsigned char data[4] = {};
    EXPECT_EQ(backend.queryValue(opened, "RegimeType", type, data, size), 0);
    EXPECT_EQ(data[0], 2);
    EXPECT_EQ(backend.setValue(opened, "RegimeType", REG_DWORD, data, 4), ERROR_ACCESS_DENIED);
    backend.closeKey(opened);
    EXPECT_EQ(backend.openKeyToRead(backend.root(pausarium::layout::RootKey::CurrentUser), key + "\\Missing", false,
                                    opened),
              ERROR_FILE_NOT_FOUND);

    // Written in the 64-bit view of the local machine, as Group Policy writes the computer's policy:
    // a key below SOFTWARE that 64-bit Windows keeps apart for 32-bit programs, to show that the
    // view is the 64-bit one, and the policy key.
    const std::string machineKey = key;
    const std::string policyKey = "SOFTWARE\\Policies\\Pausarium";
    struct Removed {  // also when an assertion ends the test: the end-to-end run shares the prefix
        std::vector<std::string> paths;
        ~Removed() {
            for (const auto& path : paths) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0);
        }
    } removed{{machineKey, policyKey}};
    for (const auto& path : removed.paths) {
        HKEY raw = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                                  nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        const DWORD two = 2;
        RegSetValueExA(raw, "RegimeType", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), sizeof two);
        RegCloseKey(raw);
    }
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    const RegKey machine = backend.root(pausarium::layout::RootKey::LocalMachine);
    EXPECT_EQ(backend.openKeyToRead(machine, machineKey, true, opened), 0);
    backend.closeKey(opened);
    const LONG defaultView = backend.openKeyToRead(machine, machineKey, false, opened);
    if (defaultView == 0) backend.closeKey(opened);
    EXPECT_EQ(defaultView == 0, !wow64) << "a 32-bit program sees the 32-bit view by default";
    EXPECT_EQ(pausarium::policyValue(backend, pausarium::Setting::RegimeType), 2);
}
