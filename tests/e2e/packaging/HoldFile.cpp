// A small Windows program that the end-to-end scenarios use to hold a file as another program
// may (a media player, a virus scanner): open for reading, shared for reading and writing but not
// for deleting, so that Windows refuses to delete the file or to rename it.
//   hold-file PATH -> "held" on its output once the file is open; holds it until ended
// Exit status 1 when the file cannot be opened, 2 without a path.

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("not opened: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);  // until the scenario ends the process, and the handle with it
    CloseHandle(file);
    return 0;
}
