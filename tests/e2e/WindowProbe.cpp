// A small Windows program that the end-to-end scenarios use to ask what only Windows knows of
// the running program's window (class TfmMainWindow, the name both programs' windows have): its
// title, place and z-order band, its answers to close requests, and the text of an open message
// box (texts as the programs wrote them, in the ANSI code page); and the monitors as Windows
// reports them, with the black covers the reminder lays over the secondary ones during the lock.
//   window-probe state      -> "title=<t> visible=0|1 topmost=0|1 rect=L,T,R,B zoomed=0|1"
//   window-probe close      -> posts WM_CLOSE
//   window-probe queryend   -> "answer=0|1" (WM_QUERYENDSESSION)
//   window-probe errorbox   -> "caption=<c> text=<t> boxtopmost=0|1" of the open message box
//   window-probe owner      -> "owner=<title> visible=0|1 iconic=0|1" of the window's owner
//   window-probe minimise   -> sends the window's minimise command (its minimise box)
//   window-probe restore    -> sends the owner the restore command (its taskbar button)
//   window-probe edittext C -> the text of the edit control in the window of class C
//   window-probe monitors   -> "monitor=L,T,R,B primary=0|1", one line per monitor
//   window-probe all        -> "pid=<windows pid> visible=0|1 title=<t>", one line per TfmMainWindow
//   window-probe send PID M W -> sends message M with wParam W (numbers) to that process's
//                              TfmMainWindow, waiting at most 5 s; exit status 1 when none
//                              or it did not answer
//   window-probe idle       -> "idle=<ms>": how long ago the session's last input was
//   window-probe covers     -> one line per top-level window of class TMonitorCover:
//                              "cover=L,T,R,B visible=0|1 topmost=0|1 toolwindow=0|1
//                              noactivate=0|1 popup=0|1 text=0|1 samethread=0|1" (text: it has
//                              one; samethread: TfmMainWindow's thread made it); none, none
// Exit status 1 when the window (or box) does not exist; monitors and covers always answer.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int state(HWND w) {
    char title[256] = {};
    GetWindowTextA(w, title, sizeof title);
    RECT r{};
    GetWindowRect(w, &r);
    const bool topmost = (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("title=%s visible=%d topmost=%d rect=%ld,%ld,%ld,%ld zoomed=%d\n", title,
                IsWindowVisible(w) ? 1 : 0, topmost ? 1 : 0, r.left, r.top, r.right, r.bottom,
                IsZoomed(w) ? 1 : 0);
    return 0;
}

int errorBox() {
    const HWND box = FindWindowA("#32770", nullptr);
    if (box == nullptr) return 1;
    char caption[256] = {}, text[512] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static control
    const bool topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    std::printf("caption=%s text=%s boxtopmost=%d\n", caption, text, topmost ? 1 : 0);
    return 0;
}

// Another program's edit control answers WM_GETTEXT itself (GetWindowText would not ask it).
int editText(const char* windowClass) {
    const HWND w = FindWindowA(windowClass, nullptr);
    const HWND edit = w != nullptr ? FindWindowExA(w, nullptr, "Edit", nullptr) : nullptr;
    if (edit == nullptr) return 1;
    char text[4096] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &length))
        return 1;
    std::printf("%s\n", text);
    return 0;
}

BOOL CALLBACK printMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    std::printf("monitor=%ld,%ld,%ld,%ld primary=%d\n", r.left, r.top, r.right, r.bottom,
                (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
    return TRUE;
}

int monitors() {
    return EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0) ? 0 : 1;
}

constexpr char kCoverClass[] = "TMonitorCover";

BOOL CALLBACK printCover(HWND w, LPARAM reminderThread) {
    char className[64] = {};
    GetClassNameA(w, className, sizeof className);
    if (std::strcmp(className, kCoverClass) != 0) return TRUE;
    RECT r{};
    GetWindowRect(w, &r);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(w, GWL_EXSTYLE);
    const DWORD thread = GetWindowThreadProcessId(w, nullptr);
    std::printf("cover=%ld,%ld,%ld,%ld visible=%d topmost=%d toolwindow=%d noactivate=%d popup=%d text=%d "
                "samethread=%d\n",
                r.left, r.top, r.right, r.bottom, IsWindowVisible(w) ? 1 : 0, (exStyle & WS_EX_TOPMOST) != 0 ? 1 : 0,
                (exStyle & WS_EX_TOOLWINDOW) != 0 ? 1 : 0, (exStyle & WS_EX_NOACTIVATE) != 0 ? 1 : 0,
                (style & WS_POPUP) != 0 ? 1 : 0, GetWindowTextLengthA(w) > 0 ? 1 : 0,
                reminderThread != 0 && thread == static_cast<DWORD>(reminderThread) ? 1 : 0);
    return TRUE;
}

// Top-level windows of the cover class, whoever made them; no line at all when none exists.
int covers() {
    const HWND reminder = FindWindowA("TfmMainWindow", nullptr);
    const DWORD thread = reminder != nullptr ? GetWindowThreadProcessId(reminder, nullptr) : 0;
    return EnumWindows(printCover, static_cast<LPARAM>(thread)) ? 0 : 1;
}

BOOL CALLBACK printReminder(HWND w, LPARAM) {
    char className[64] = {};
    GetClassNameA(w, className, sizeof className);
    if (std::strcmp(className, "TfmMainWindow") != 0) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char title[256] = {};
    GetWindowTextA(w, title, sizeof title);
    std::printf("pid=%lu visible=%d title=%s\n", static_cast<unsigned long>(pid), IsWindowVisible(w) ? 1 : 0,
                title);
    return TRUE;
}

struct ReminderOf {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK findReminder(HWND w, LPARAM lParam) {
    auto& search = *reinterpret_cast<ReminderOf*>(lParam);
    char className[64] = {};
    GetClassNameA(w, className, sizeof className);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (std::strcmp(className, "TfmMainWindow") != 0 || pid != search.pid) return TRUE;
    search.window = w;
    return FALSE;
}

int sendTo(const char* pid, const char* message, const char* wParam) {
    ReminderOf search{static_cast<DWORD>(std::strtoul(pid, nullptr, 0)), nullptr};
    EnumWindows(findReminder, reinterpret_cast<LPARAM>(&search));
    if (search.window == nullptr) return 1;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(search.window, static_cast<UINT>(std::strtoul(message, nullptr, 0)),
                               static_cast<WPARAM>(std::strtoul(wParam, nullptr, 0)), 0, SMTO_ABORTIFHUNG, 5000,
                               &answer)
               ? 0
               : 1;
}

int idle() {
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return 1;
    std::printf("idle=%lu\n", static_cast<unsigned long>(GetTickCount() - input.dwTime));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (std::strcmp(argv[1], "errorbox") == 0) return errorBox();
    if (std::strcmp(argv[1], "edittext") == 0) return argc > 2 ? editText(argv[2]) : 2;
    if (std::strcmp(argv[1], "monitors") == 0) return monitors();
    if (std::strcmp(argv[1], "covers") == 0) return covers();
    if (std::strcmp(argv[1], "all") == 0) return EnumWindows(printReminder, 0) ? 0 : 1;
    if (std::strcmp(argv[1], "send") == 0) return argc > 4 ? sendTo(argv[2], argv[3], argv[4]) : 2;
    if (std::strcmp(argv[1], "idle") == 0) return idle();
    const HWND w = FindWindowA("TfmMainWindow", nullptr);
    if (w == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    if (std::strcmp(argv[1], "state") == 0) return state(w);
    if (std::strcmp(argv[1], "close") == 0) return PostMessageA(w, WM_CLOSE, 0, 0) ? 0 : 1;
    if (std::strcmp(argv[1], "minimise") == 0) return SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0), 0;
    if (std::strcmp(argv[1], "queryend") == 0) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(w, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                 5000, &answer))
            return 1;
        std::printf("answer=%d\n", answer ? 1 : 0);
        return 0;
    }
    const HWND owner = GetWindow(w, GW_OWNER);
    if (owner == nullptr) return 1;
    if (std::strcmp(argv[1], "restore") == 0) return SendMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0), 0;
    if (std::strcmp(argv[1], "owner") == 0) {
        char title[256] = {};
        GetWindowTextA(owner, title, sizeof title);
        std::printf("owner=%s visible=%d iconic=%d\n", title, IsWindowVisible(owner) ? 1 : 0,
                    IsIconic(owner) ? 1 : 0);
        return 0;
    }
    return 2;
}
