// Who besides the administrators may change a file or folder, decided from descriptors written
// as SDDL and from a path that cannot be read.

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>

#include "ChangeableByOthers.h"

using pausarium::setup::changeableByOthers;

namespace {

constexpr char kTrustedInstaller[] =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr char kPerson[] = "S-1-5-21-1-2-3-1000";

struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};

bool changeable(const std::string& sddl, PSID trustedUser = nullptr) {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1, &raw,
                                                              nullptr)) {
        ADD_FAILURE() << "not a descriptor: " << sddl;
        return false;
    }
    const std::unique_ptr<void, LocalFreeDeleter> descriptor(raw);
    return changeableByOthers(descriptor.get(), trustedUser);
}

}  // namespace

TEST(ChangeableByOthers, DescriptorTable) {
    const std::string admins = "(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
    const struct {
        std::string sddl;
        bool changeable;
    } table[] = {
        // what Program Files gives: users read and run
        {"O:BAD:" + admins + "(A;OICI;0x1200a9;;;BU)(A;OICI;0x1200a9;;;WD)", false},
        {std::string("O:") + kTrustedInstaller + "D:(A;;FA;;;" + kTrustedInstaller + ")" + admins, false},
        {"O:SYD:" + admins + "(A;OICIIO;GA;;;CO)", false},  // inherit-only: not the object's
        {"O:BAD:", false},                                    // empty DACL: nobody
        {"O:BAD:" + admins + "(D;;FA;;;BU)", false},          // a denial grants nothing
        // a folder made under C:\ (Authenticated Users: Modify), and Wine's o+w (Everyone: Modify)
        {"O:BAD:" + admins + "(A;ID;0x1301bf;;;AU)", true},
        {"O:BAD:" + admins + "(A;;0x1301ff;;;WD)", true},
        // each changing right on its own
        {"O:BAD:(A;;0x2;;;BU)", true},      // write data, add a file
        {"O:BAD:(A;;0x4;;;BU)", true},      // append, add a subfolder
        {"O:BAD:(A;;0x40;;;BU)", true},     // delete a child
        {"O:BAD:(A;;SD;;;BU)", true},       // delete
        {"O:BAD:(A;;WD;;;BU)", true},       // change permissions
        {"O:BAD:(A;;WO;;;BU)", true},       // take ownership
        {"O:BAD:(A;;GW;;;BU)", true},
        {"O:BAD:(A;;GA;;;BU)", true},
        {"O:BAD:(A;OICI;0x1200a9;;;BU)(A;;0x100;;;BU)", false},  // attributes only
        // the owner may always rewrite the DACL
        {"O:BUD:" + admins, true},
        {"O:BA", true},  // no DACL: everyone, everything
    };
    for (const auto& row : table) EXPECT_EQ(changeable(row.sddl), row.changeable) << row.sddl;
}

TEST(ChangeableByOthers, ThePersonRunningCountsOnlyWhenTrusted) {
    PSID person = nullptr;
    ASSERT_TRUE(ConvertStringSidToSidA(kPerson, &person));
    const std::unique_ptr<void, LocalFreeDeleter> owned(person);
    const std::string own = std::string("O:") + kPerson + "D:(A;;FA;;;" + kPerson + ")(A;;FA;;;BA)";
    EXPECT_FALSE(changeable(own, person));
    EXPECT_TRUE(changeable(own));
}

TEST(ChangeableByOthers, UnreadableDescriptorCountsAsChangeable) {
    EXPECT_TRUE(changeableByOthers(std::string("C:\\no such folder\\Pausarium.exe")));
}
