// DLLs loaded on first use: a missing DLL or function is a null function, never a failure; a
// loaded DLL is never freed.

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include "SystemLibrary.h"

using pausarium::win32::SystemLibrary;
using PlaySoundFunction = decltype(&PlaySoundA);

TEST(SystemLibrary, FindsAFunctionOfASystemDllAndCallsIt) {
    SystemLibrary winmm("winmm.dll");
    const auto play = winmm.function<PlaySoundFunction>("PlaySoundA");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(winmm.function<PlaySoundFunction>("PlaySoundA"), play);
    EXPECT_TRUE(play(nullptr, nullptr, 0));  // stops whatever plays: true with or without a device
}

TEST(SystemLibrary, MissingDllOrFunctionIsNull) {
    SystemLibrary missing("pausarium-no-such-library.dll");
    EXPECT_EQ(missing.function<PlaySoundFunction>("PlaySoundA"), nullptr);
    EXPECT_EQ(missing.function<PlaySoundFunction>("PlaySoundA"), nullptr);  // and stays so

    SystemLibrary winmm("winmm.dll");
    EXPECT_EQ(winmm.function<PlaySoundFunction>("NoSuchFunction"), nullptr);
    EXPECT_NE(winmm.function<PlaySoundFunction>("PlaySoundA"), nullptr);  // the DLL is still usable
}

// Threads of a system DLL's may run until the program ends: the DLL stays loaded after the
// SystemLibrary that loaded it is gone.
TEST(SystemLibrary, KeepsItsDllLoadedWhenGone) {
    constexpr char kDll[] = "cabinet.dll";  // loaded by nothing else in this process
    ASSERT_EQ(GetModuleHandleA(kDll), nullptr);
    {
        SystemLibrary cabinet(kDll);
        ASSERT_NE(cabinet.function<FARPROC>("FCICreate"), nullptr);
    }
    EXPECT_NE(GetModuleHandleA(kDll), nullptr);
}
