// The reason given at shut-down: found in user32 at run time, registered in UTF-16 and withdrawn.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ShutdownReason.h"

using pausarium::win32::ShutdownReason;
using pausarium::win32::wideFrom1251;

TEST(ShutdownReason, TurnsWindows1251TextIntoUtf16) {
    // "Система заблокирована..." in Windows-1251
    const std::string locked = "\xD1\xE8\xF1\xF2\xE5\xEC\xE0 \xE7\xE0\xE1\xEB\xEE\xEA\xE8\xF0\xEE\xE2\xE0\xED\xE0...";
    EXPECT_EQ(wideFrom1251(locked), L"\u0421\u0438\u0441\u0442\u0435\u043C\u0430 \u0437\u0430\u0431\u043B\u043E"
                                    L"\u043A\u0438\u0440\u043E\u0432\u0430\u043D\u0430...");
    EXPECT_EQ(wideFrom1251("\xB8\xA8\x85"), L"\u0451\u0401\u2026");  // ё Ё …
    EXPECT_EQ(wideFrom1251(""), L"");
}

namespace {

// user32's pair as a log: "create <hwnd> <text length>", "destroy <hwnd>".
std::vector<std::string> calls;
std::wstring lastReason;
BOOL createAnswer = TRUE;

BOOL WINAPI fakeCreate(HWND window, LPCWSTR reason) {
    lastReason = reason;
    calls.push_back("create " + std::to_string(reinterpret_cast<std::uintptr_t>(window)));
    return createAnswer;
}
BOOL WINAPI fakeDestroy(HWND window) {
    calls.push_back("destroy " + std::to_string(reinterpret_cast<std::uintptr_t>(window)));
    return TRUE;
}

}  // namespace

TEST(ShutdownReason, IsGivenInUtf16ReplacedAndWithdrawnOnce) {
    const HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
    calls.clear();
    createAnswer = TRUE;
    {
        ShutdownReason reason(fakeCreate, fakeDestroy);
        EXPECT_TRUE(reason.give(a, "\xC1\xEB\xEE\xEA"));  // "Блок"
        EXPECT_EQ(lastReason, L"\u0411\u043B\u043E\u043A");
        reason.withdraw();
        reason.withdraw();
        reason.give(a, "x");
        reason.give(b, "y");  // another window: the first one's reason goes first
        createAnswer = FALSE;
        EXPECT_FALSE(reason.give(b, "z"));
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"create 16", "destroy 16", "create 16", "destroy 16",
                                               "create 32", "create 32", "destroy 32"}));
}

TEST(ShutdownReason, IsNothingWhereWindowsLacksTheFunctions) {
    ShutdownReason reason(nullptr, nullptr);
    EXPECT_FALSE(reason.available());
    EXPECT_FALSE(reason.give(reinterpret_cast<HWND>(0x10), "x"));
    reason.withdraw();
}

// Wine's user32 has both functions, and refuses every call.
TEST(ShutdownReason, FindsUser32sFunctionsAtRunTime) {
    EXPECT_TRUE(ShutdownReason().available());
}
