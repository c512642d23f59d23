// A stranger's DLL, planted beside the programs under the name of a system DLL. Each time a
// process loads it, it adds a line to "planted-loaded.txt" beside itself: the name it was
// loaded as and the program that loaded it. Only kernel32 is called, as DllMain allows.

#include <windows.h>

#include <cstring>

namespace {

void noteLoad(HINSTANCE self) {
    char dll[MAX_PATH] = {}, program[MAX_PATH] = {}, marker[MAX_PATH + 32] = {};
    if (GetModuleFileNameA(self, dll, MAX_PATH) == 0) return;
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::strcpy(marker, dll);
    char* slash = std::strrchr(marker, '\\');
    std::strcpy(slash != nullptr ? slash + 1 : marker, "planted-loaded.txt");

    const HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char line[2 * MAX_PATH + 16];
    std::strcpy(line, dll);
    std::strcat(line, " in ");
    std::strcat(line, program);
    std::strcat(line, "\r\n");
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) noteLoad(self);
    return TRUE;
}
