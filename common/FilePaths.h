#pragma once
// Path rules shared by both programs for finding the install directory from the running
// executable's own path.

#include <string>

namespace pausarium {

// The directory part of a file path: everything before the last "\" or ":". The separator
// itself is dropped, except where it belongs to the directory: after a drive colon ("C:\"), after
// another separator, or as the path's first character. "C:\Tools\a.exe" gives "C:\Tools",
// "C:\a.exe" gives "C:\", "C:a.exe" gives "C:", a bare name gives "".
std::string directoryOf(const std::string& path);

}  // namespace pausarium
