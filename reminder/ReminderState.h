#pragma once
// The break reminder's program-wide state: one set per running program, made before its window.

#include <cstdint>
#include <string>

namespace pausarium::reminder {

struct SoundPaths {
    std::string programDir;  // ProgramDir
    std::string notice;      // NoticeSoundPath
    std::string lastNotice;  // LastNoticeSoundPath
    std::string sysLock;     // SysLockSoundPath
    std::string sysOpen;     // SysOpenSoundPath
};

// ProgramDir from the running executable's path, and the four sound paths by plain
// concatenation (a program in a drive root gets "C:\" + "\Sound\...": used unchanged).
SoundPaths soundPathsFor(const std::string& modulePath);

struct CycleState {
    std::int32_t WorkMinutes = 0;
    std::int32_t NoticeMinutes = 0;
    std::int32_t BreakMinutes = 0;
    std::int32_t ProtectionLevel = 0;
    bool IdleBreak = false;  // a stretch without input counts as the break
    std::int32_t MinutesLeft = 0;
    bool BreakOver = false;
    bool FirstShow = true;
    std::int32_t BlinkCount = 0;
};

}  // namespace pausarium::reminder
