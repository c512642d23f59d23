#pragma once
// Where the two programs meet: the keys and values the setup tool writes and the break reminder
// reads, and the names of the files installed side by side.

namespace pausarium::layout {

enum class RootKey { CurrentUser, LocalMachine };

// Current user: the break reminder's settings.
inline constexpr const char* kSoftwareKey = "SOFTWARE";
inline constexpr const char* kSettingsSubkey = "Pausarium";            // below kSoftwareKey
inline constexpr const char* kSettingsKey = "SOFTWARE\\Pausarium";
inline constexpr const char* kRegimeTypeValue = "RegimeType";           // REG_DWORD, 0..2
inline constexpr const char* kProtectionLevelValue = "ProtectionLevel"; // REG_DWORD, 0 or 1
// REG_DWORD, optional: 1 counts a stretch without keyboard or mouse input as the break; absent,
// any other value or type: off, with no error box.
inline constexpr const char* kIdleBreakValue = "IdleBreak";

// Policies, written by administrators and Group Policy only, read-only for users: the computer's
// under the local machine (in its 64-bit view), the user's under the current user. Each holds
// the three values above, with their meanings; a valid policy value wins over the user's own.
inline constexpr const char* kPolicyKey = "SOFTWARE\\Policies\\Pausarium";

// Local machine: start at every log-on.
inline constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValue = "Pausarium";  // REG_SZ, full path of the reminder

// Install directory.
inline constexpr const char* kReminderFileName = "Pausarium.exe";
inline constexpr const char* kNoticeSound = "\\Sound\\Notice.wav";
inline constexpr const char* kLastNoticeSound = "\\Sound\\LastNotice.wav";
inline constexpr const char* kSysLockSound = "\\Sound\\SysLock.wav";
inline constexpr const char* kSysOpenSound = "\\Sound\\SysOpen.wav";

}  // namespace pausarium::layout
