#include "ChangeableByOthers.h"

#include <aclapi.h>

#include <memory>
#include <vector>

namespace pausarium::setup {
namespace {

// Rights that let a holder replace the file, add or remove the folder's entries, or give itself
// those rights.
constexpr ACCESS_MASK kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD |
                                        DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                        GENERIC_ALL;

struct LocalFreeDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};
using LocalDescriptor = std::unique_ptr<void, LocalFreeDeleter>;
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = std::unique_ptr<void, HandleCloser>;

// A well-known SID, kept for the program's run.
class KnownSid {
public:
    explicit KnownSid(WELL_KNOWN_SID_TYPE type) {
        DWORD size = sizeof(sid_);
        valid_ = CreateWellKnownSid(type, nullptr, sid_, &size) != FALSE;
    }
    PSID get() { return valid_ ? static_cast<PSID>(sid_) : nullptr; }

private:
    alignas(DWORD) BYTE sid_[SECURITY_MAX_SID_SIZE];
    bool valid_ = false;
};

// NT SERVICE\TrustedInstaller, S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464.
class TrustedInstallerSid {
public:
    TrustedInstallerSid() {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        AllocateAndInitializeSid(&nt, 6, SECURITY_SERVICE_ID_BASE_RID, 956008885U, 3418522649U,
                                 1831038044U, 1853292631U, 2271478464U, 0, 0, &sid_);
    }
    ~TrustedInstallerSid() {
        if (sid_) FreeSid(sid_);
    }
    TrustedInstallerSid(const TrustedInstallerSid&) = delete;
    TrustedInstallerSid& operator=(const TrustedInstallerSid&) = delete;
    PSID get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

bool sameSid(PSID a, PSID b) { return a && b && EqualSid(a, b); }

bool trusted(PSID sid, PSID trustedUser) {
    static KnownSid administrators(WinBuiltinAdministratorsSid);
    static KnownSid system(WinLocalSystemSid);
    static TrustedInstallerSid trustedInstaller;
    return sameSid(sid, administrators.get()) || sameSid(sid, system.get()) ||
           sameSid(sid, trustedInstaller.get()) || sameSid(sid, trustedUser);
}

// The running person's SID, while that person belongs to the administrators; empty otherwise.
std::vector<BYTE> administratorRunning() {
    KnownSid administrators(WinBuiltinAdministratorsSid);
    BOOL member = FALSE;
    if (!administrators.get() || !CheckTokenMembership(nullptr, administrators.get(), &member) ||
        !member)
        return {};
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return {};
    const ScopedHandle token(rawToken);
    std::vector<BYTE> user(sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE);
    DWORD size = 0;
    if (!GetTokenInformation(token.get(), TokenUser, user.data(), static_cast<DWORD>(user.size()),
                             &size))
        return {};
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    return std::vector<BYTE>(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid));
}

}  // namespace

bool changeableByOthers(PSECURITY_DESCRIPTOR descriptor, PSID trustedUser) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || !owner ||
        !trusted(owner, trustedUser))
        return true;
    BOOL present = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl)
        return true;  // no DACL: everyone has every right
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) return true;
        const auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        const PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kChangingRights) && !trusted(sid, trustedUser)) return true;
    }
    return false;
}

bool changeableByOthers(const std::string& path) {
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, nullptr, nullptr, &raw) != ERROR_SUCCESS)
        return true;
    const LocalDescriptor descriptor(raw);
    std::vector<BYTE> self = administratorRunning();
    return changeableByOthers(descriptor.get(), self.empty() ? nullptr : self.data());
}

}  // namespace pausarium::setup
