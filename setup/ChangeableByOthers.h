#pragma once
// Whether a file or folder may be changed by anyone but the machine's administrators, read from
// its security descriptor. The setup tool asks this before it registers a program that Windows
// starts for every user.

#include <windows.h>

#include <string>

namespace pausarium::setup {

// True when the descriptor lets anyone other than Administrators, SYSTEM, TrustedInstaller and
// `trustedUser` (may be null) write, create, delete, change permissions or take ownership: an
// allowing ACE that applies to the object itself, a missing DACL, or an owner outside them (an
// owner may always rewrite the DACL). Deny ACEs are not weighed, so the answer errs on "yes".
bool changeableByOthers(PSECURITY_DESCRIPTOR descriptor, PSID trustedUser);

// The same for the file or folder at `path`, trusting the person running this program when that
// person is an administrator. A descriptor that cannot be read counts as changeable.
bool changeableByOthers(const std::string& path);

}  // namespace pausarium::setup
