#include <gtest/gtest.h>

#include <functional>

#include "Error.h"
#include "MemoryRegistry.h"
#include "Registry.h"

using pausarium::Error;
using pausarium::Registry;
using pausarium::layout::RootKey;
using pausarium::testing::MemoryRegistry;

namespace {

constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKLM = RootKey::LocalMachine;

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(RegistryAccessor, OpensWithoutCreatingAndReportsMissingKeys) {
    MemoryRegistry tree;
    Registry reg(tree);
    EXPECT_FALSE(reg.openKey("SOFTWARE\\Pausarium", false));
    EXPECT_FALSE(reg.hasOpenKey());
    EXPECT_FALSE(tree.hasKey(HKCU, "SOFTWARE\\Pausarium"));
    EXPECT_TRUE(reg.openKey("SOFTWARE\\Pausarium", true));
    EXPECT_TRUE(tree.hasKey(HKCU, "SOFTWARE\\Pausarium"));
}

TEST(RegistryAccessor, UsesTheRootItWasGiven) {
    MemoryRegistry tree;
    tree.createKey(HKLM, "SOFTWARE\\Run");
    Registry machine(tree, HKLM);
    Registry user(tree);
    EXPECT_TRUE(machine.keyExists("SOFTWARE\\Run"));
    EXPECT_FALSE(user.keyExists("SOFTWARE\\Run"));
}

TEST(RegistryAccessor, AReadOnlyKeyCountsAsMissing) {
    MemoryRegistry tree;
    tree.setDword(HKCU, "SOFTWARE\\Pausarium", "RegimeType", 1);
    tree.denyFullAccess(HKCU, "SOFTWARE\\Pausarium");
    Registry reg(tree);
    EXPECT_FALSE(reg.openKey("SOFTWARE\\Pausarium", false));
    EXPECT_FALSE(reg.keyExists("SOFTWARE\\Pausarium"));
    EXPECT_EQ(errorOf([&] { reg.createKey("SOFTWARE\\Pausarium\\Sub"); }),
              "Failed to create key SOFTWARE\\Pausarium\\Sub");
}

TEST(RegistryAccessor, RelativePathsFollowTheOpenKey) {
    MemoryRegistry tree;
    Registry reg(tree);
    ASSERT_TRUE(reg.openKey("SOFTWARE", true));
    EXPECT_FALSE(reg.keyExists("Pausarium"));
    reg.createKey("Pausarium");
    EXPECT_TRUE(reg.keyExists("Pausarium"));
    EXPECT_TRUE(tree.hasKey(HKCU, "SOFTWARE\\Pausarium"));
    EXPECT_TRUE(reg.openKey("\\SOFTWARE\\Pausarium", false));  // a leading "\" starts at the root
    reg.writeInteger("RegimeType", 2);
    EXPECT_EQ(tree.dword(HKCU, "SOFTWARE\\Pausarium", "RegimeType"), 2u);
}

TEST(RegistryAccessor, HoldsAtMostOneOpenKeyAndClosesItWhenReleased) {
    MemoryRegistry tree;
    {
        Registry reg(tree);
        ASSERT_TRUE(reg.openKey("A", true));
        ASSERT_TRUE(reg.openKey("\\B", true));
        EXPECT_EQ(tree.openKeyCount(), 1u);
    }
    EXPECT_EQ(tree.openKeyCount(), 0u);
}

TEST(RegistryAccessor, ReadsAndWritesIntegersAsDwords) {
    MemoryRegistry tree;
    Registry reg(tree);
    ASSERT_TRUE(reg.openKey("SOFTWARE\\Pausarium", true));
    reg.writeInteger("ProtectionLevel", -1);
    const auto stored = tree.value(HKCU, "SOFTWARE\\Pausarium", "ProtectionLevel");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, pausarium::kRegDword);
    EXPECT_EQ(stored->data.size(), 4u);
    EXPECT_EQ(reg.readInteger("ProtectionLevel"), -1);
    EXPECT_TRUE(reg.valueExists("protectionlevel"));  // names are case-insensitive
}

TEST(RegistryAccessor, WritesStringsWithTheirTerminatingZero) {
    MemoryRegistry tree;
    Registry reg(tree, HKLM);
    ASSERT_TRUE(reg.openKey("Run", true));
    reg.writeString("Pausarium", "C:\\P\\Pausarium.exe");
    const auto stored = tree.value(HKLM, "Run", "Pausarium");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, pausarium::kRegSz);
    EXPECT_EQ(stored->data.size(), 19u);
    EXPECT_EQ(stored->data.back(), 0);
    EXPECT_EQ(reg.readString("Pausarium"), "C:\\P\\Pausarium.exe");
}

TEST(RegistryAccessor, ReadsExpandableAndEmptyStrings) {
    MemoryRegistry tree;
    tree.setRaw(HKCU, "K", "Expand", {pausarium::kRegExpandSz, {'x', 0}});
    tree.setRaw(HKCU, "K", "Empty", {pausarium::kRegSz, {}});
    Registry reg(tree);
    ASSERT_TRUE(reg.openKey("K", false));
    EXPECT_EQ(reg.readString("Expand"), "x");
    EXPECT_EQ(reg.readString("Empty"), "");
}

TEST(RegistryAccessor, RaisesTheNamedErrorsForBadValues) {
    MemoryRegistry tree;
    tree.setString(HKCU, "K", "ShortText", "1");                                // 2 bytes
    tree.setString(HKCU, "K", "LongText", "12345");                             // 6 bytes
    tree.setRaw(HKCU, "K", "Qword", {11, {1, 0, 0, 0, 0, 0, 0, 0}});            // REG_QWORD
    tree.setRaw(HKCU, "K", "Binary4", {pausarium::kRegBinary, {1, 0, 0, 0}});
    tree.setDword(HKCU, "K", "Number", 7);
    Registry reg(tree);
    ASSERT_TRUE(reg.openKey("K", false));
    EXPECT_EQ(errorOf([&] { reg.readInteger("ShortText"); }), "Invalid data type for 'ShortText'");
    EXPECT_EQ(errorOf([&] { reg.readInteger("Binary4"); }), "Invalid data type for 'Binary4'");
    EXPECT_EQ(errorOf([&] { reg.readInteger("LongText"); }), "Failed to get data for 'LongText'");
    EXPECT_EQ(errorOf([&] { reg.readInteger("Qword"); }), "Failed to get data for 'Qword'");
    EXPECT_EQ(errorOf([&] { reg.readInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(errorOf([&] { reg.readString("Number"); }), "Invalid data type for 'Number'");
    EXPECT_EQ(errorOf([&] { reg.readString("Missing"); }), "Failed to get data for 'Missing'");
}

TEST(RegistryAccessor, WritesWithoutAnOpenOrWritableKeyRaise) {
    MemoryRegistry tree;
    tree.refuseWrites(HKCU, "Locked");
    Registry reg(tree);
    EXPECT_EQ(errorOf([&] { reg.writeString("Pausarium", "x"); }), "Failed to set data for 'Pausarium'");
    ASSERT_TRUE(reg.openKey("Locked", false));
    EXPECT_EQ(errorOf([&] { reg.writeInteger("RegimeType", 1); }), "Failed to set data for 'RegimeType'");
    EXPECT_FALSE(reg.valueExists("RegimeType"));
}

TEST(RegistryAccessor, DeletesValuesAndReportsWhetherOneWasThere) {
    MemoryRegistry tree;
    tree.setString(HKLM, "Run", "Pausarium", "x");
    Registry reg(tree, HKLM);
    EXPECT_FALSE(reg.deleteValue("Pausarium"));  // no key open
    ASSERT_TRUE(reg.openKey("Run", false));
    EXPECT_TRUE(reg.deleteValue("Pausarium"));
    EXPECT_FALSE(reg.deleteValue("Pausarium"));
    EXPECT_FALSE(tree.value(HKLM, "Run", "Pausarium"));
}

TEST(RegistryAccessor, DeletingAKeyRemovesItsWholeSubtree) {
    MemoryRegistry tree;
    tree.setDword(HKCU, "SOFTWARE\\Pausarium", "RegimeType", 1);
    tree.setDword(HKCU, "SOFTWARE\\Pausarium\\A\\Deep", "X", 1);
    tree.createKey(HKCU, "SOFTWARE\\Pausarium\\B");
    tree.createKey(HKCU, "SOFTWARE\\Other");
    Registry reg(tree);
    ASSERT_TRUE(reg.openKey("SOFTWARE", false));
    EXPECT_TRUE(reg.deleteKey("Pausarium"));
    EXPECT_FALSE(tree.hasKey(HKCU, "SOFTWARE\\Pausarium"));
    EXPECT_TRUE(tree.hasKey(HKCU, "SOFTWARE\\Other"));
    EXPECT_FALSE(reg.deleteKey("Pausarium"));
    EXPECT_EQ(tree.openKeyCount(), 1u);  // only the accessor's own key is left open
}
