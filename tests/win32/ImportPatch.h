#pragma once
// A Win32 function replaced for this test program only: the slots of its own import table are
// pointed elsewhere, so the product's code linked into it is built and runs exactly as shipped.

#include <windows.h>

namespace pausarium::test {

// Points every import slot of this program that holds `from` at `to`; returns how many.
inline int redirectImports(void* from, void* to) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int redirected = 0;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); module->Name;
         ++module) {
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk); slot->u1.Function; ++slot) {
            if (reinterpret_cast<void*>(slot->u1.Function) != from) continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            slot->u1.Function = reinterpret_cast<decltype(slot->u1.Function)>(to);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            ++redirected;
        }
    }
    return redirected;
}

// The address of `name` in user32, as this program's import slots hold it before redirection.
inline void* user32Function(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name));
}

}  // namespace pausarium::test
