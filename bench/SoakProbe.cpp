// soak-probe: what bench/soak.sh asks of Windows (run under Wine beside the programs).
//   soak-probe reminder        -> "visible=0|1 lock=0|1" of the break reminder's window (lock: it
//                                 refuses the log-off question); exit 1 when there is none
//   soak-probe objects         -> "gdi=N user=N handles=N" of the process that owns the program's
//                                 window (GDI and USER objects, kernel handles), "n/a" where the
//                                 system does not count them
//   soak-probe drive N SEED    -> N changes in the setup window, each as the user's messages
//                                 make it: install, remove, regime or protection; then
//                                 "changes=N unexpected=K" (K: toggles not as the click should leave them)
//   soak-probe check           -> "registry consistent" or what differs from the setup window
//   soak-probe close           -> asks the program's window to close

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

// The setup window's control ids (its design) and its toggle buttons' messages.
enum : int { sbAddToAutorun = 104, sbRemoveFromAutorun = 105, rb30_5 = 108, rb50_10 = 109, rb90_15 = 110,
             tbPLevel = 123 };
constexpr UINT kToggleClicked = WM_APP + 1;

HWND programWindow() { return FindWindowA("TfmMainWindow", nullptr); }

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK noteChild(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<Search*>(p);
    if (GetDlgCtrlID(w) != search->id) return TRUE;
    search->found = w;
    return FALSE;
}

HWND child(HWND parent, int id) {
    Search search{id, nullptr};
    EnumChildWindows(parent, noteChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool down(HWND toggle) { return (GetWindowLongPtrA(toggle, GWLP_USERDATA) & 1) != 0; }

LRESULT send(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(w, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
    return static_cast<LRESULT>(result);
}

int reminder() {
    const HWND w = programWindow();
    if (w == nullptr) return 1;
    const bool lock = send(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) == 0;
    std::printf("visible=%d lock=%d\n", IsWindowVisible(w) ? 1 : 0, lock ? 1 : 0);
    return 0;
}

int objects() {
    const HWND w = programWindow();
    if (w == nullptr) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    const DWORD gdi = process ? GetGuiResources(process, GR_GDIOBJECTS) : 0;
    const DWORD user = process ? GetGuiResources(process, GR_USEROBJECTS) : 0;
    DWORD handles = 0;
    const bool counted = process && GetProcessHandleCount(process, &handles);
    if (process) CloseHandle(process);
    // A process with a window owns at least one of each: 0 means the system does not count.
    auto show = [](DWORD n) { return n ? std::to_string(n) : std::string("n/a"); };
    std::printf("gdi=%s user=%s handles=%s\n", show(gdi).c_str(), show(user).c_str(),
                show(counted ? handles : 0).c_str());
    return 0;
}

// A completed left click on a toggle button, as the mouse sends it.
void clickToggle(HWND toggle) {
    send(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    send(toggle, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

int drive(int count, unsigned seed) {
    const HWND w = programWindow();
    if (w == nullptr) return 1;
    const HWND add = child(w, sbAddToAutorun), remove = child(w, sbRemoveFromAutorun);
    const HWND radios[] = {child(w, rb30_5), child(w, rb50_10), child(w, rb90_15)};
    const HWND track = child(w, tbPLevel);
    if (!add || !remove || !track || !radios[0] || !radios[1] || !radios[2]) return 1;
    std::mt19937 random(seed);
    int unexpected = 0;
    for (int i = 0; i < count; ++i) {
        const bool installed = down(add);
        switch (random() % (installed ? 4 : 2)) {
            case 0: {  // install: an up button goes down; the down one goes up, leaving both up
                const bool wasDown = down(add);
                clickToggle(add);
                if (down(add) == wasDown || down(remove)) ++unexpected;
                break;
            }
            case 1: {
                const bool wasDown = down(remove);
                clickToggle(remove);
                if (down(remove) == wasDown || down(add)) ++unexpected;
                break;
            }
            case 2:  // a regime radio, clicked as the mouse clicks it
                send(radios[random() % 3], BM_CLICK, 0, 0);
                break;
            default: {  // the track bar to a new position, and the scroll notice it sends
                const int position = 1 - static_cast<int>(send(track, TBM_GETPOS, 0, 0));
                send(track, TBM_SETPOS, TRUE, position);
                send(GetParent(track), WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                     reinterpret_cast<LPARAM>(track));
                break;
            }
        }
    }
    std::printf("changes=%d unexpected=%d\n", count, unexpected);
    return 0;
}

bool readDword(HKEY key, const char* name, DWORD& value) {
    DWORD type = 0, size = sizeof value;
    return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

int check() {
    const HWND w = programWindow();
    if (w == nullptr) return 1;
    const bool installed = down(child(w, sbAddToAutorun)), removed = down(child(w, sbRemoveFromAutorun));
    int regime = -1;
    for (int i = 0; i < 3; ++i)
        if (send(child(w, rb30_5 + i), BM_GETCHECK, 0, 0) == BST_CHECKED) regime = i;
    const int level = send(child(w, tbPLevel), TBM_GETPOS, 0, 0) == 0 ? 1 : 0;

    std::string problems;
    HKEY run = nullptr;
    bool runValue = false;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &run) ==
        ERROR_SUCCESS) {
        runValue = RegQueryValueExA(run, "Pausarium", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(run);
    }
    if (installed && !runValue) problems += " installed without the autorun value;";
    if (removed && runValue) problems += " not installed but the autorun value is there;";
    HKEY settings = nullptr;
    const bool key = RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Pausarium", 0, KEY_READ, &settings) == ERROR_SUCCESS;
    if (key) {
        DWORD storedRegime = 0, storedLevel = 0;
        const bool hasRegime = readDword(settings, "RegimeType", storedRegime);
        const bool hasLevel = readDword(settings, "ProtectionLevel", storedLevel);
        RegCloseKey(settings);
        if (!installed) problems += " settings key while not installed;";
        if (installed && (!hasRegime || static_cast<int>(storedRegime) != regime))
            problems += " RegimeType differs from the checked radio;";
        if (installed && (!hasLevel || static_cast<int>(storedLevel) != level))
            problems += " ProtectionLevel differs from the track bar;";
    } else if (installed) {
        problems += " installed without the settings key;";
    }
    std::printf("%s (%s, regime %d, protection %d)\n",
                problems.empty() ? "registry consistent" : ("registry inconsistent:" + problems).c_str(),
                installed ? "installed" : removed ? "not installed" : "undecided", regime, level);
    return problems.empty() ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string command = argv[1];
    if (command == "reminder") return reminder();
    if (command == "objects") return objects();
    if (command == "drive" && argc >= 4) return drive(std::atoi(argv[2]), static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    if (command == "check") return check();
    if (command == "close") return programWindow() && PostMessageA(programWindow(), WM_CLOSE, 0, 0) ? 0 : 1;
    return 2;
}
