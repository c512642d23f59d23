#include "ReminderState.h"

#include "FilePaths.h"
#include "RegistryLayout.h"

namespace pausarium::reminder {

SoundPaths soundPathsFor(const std::string& modulePath) {
    SoundPaths paths;
    paths.programDir = directoryOf(modulePath);
    paths.notice = paths.programDir + layout::kNoticeSound;
    paths.lastNotice = paths.programDir + layout::kLastNoticeSound;
    paths.sysLock = paths.programDir + layout::kSysLockSound;
    paths.sysOpen = paths.programDir + layout::kSysOpenSound;
    return paths;
}

}  // namespace pausarium::reminder
