#include "FilePaths.h"

namespace pausarium {

std::string directoryOf(const std::string& path) {
    const auto cut = path.find_last_of("\\:");
    if (cut == std::string::npos) return {};
    std::string dir = path.substr(0, cut + 1);
    const bool separatorBelongsToDirectory =
        path[cut] != '\\' || cut == 0 || path[cut - 1] == ':' || path[cut - 1] == '\\';
    if (!separatorBelongsToDirectory) dir.pop_back();
    return dir;
}

}  // namespace pausarium
