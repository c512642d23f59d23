// The window object on real windows: its error barrier, its hold on the window from
// WM_NCCREATE to WM_NCDESTROY, and its class registration.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Error.h"
#include "WindowObject.h"

using pausarium::Error;
using pausarium::win32::WindowObject;

namespace {

constexpr const char* kClassName = "PausariumWindowObjectTest";
constexpr UINT kRaise = WM_APP + 1;   // wParam 1: an Error, 2: something that is no std::exception
constexpr UINT kAnswer = WM_APP + 2;  // answers 42

class ProbeWindow final : public WindowObject {
public:
    explicit ProbeWindow(bool raiseOnCreate = false) : raiseOnCreate_(raiseOnCreate) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        registerClass(instance, {kClassName});
        createWindow(0, kClassName, "", 0, RECT{}, HWND_MESSAGE, instance);
    }
    ~ProbeWindow() {
        if (hwnd_ != nullptr) DestroyWindow(hwnd_);
    }
    static void registerAgain() { registerClass(GetModuleHandleA(nullptr), {kClassName}); }
    static void registerRefused() {  // negative extra bytes
        registerClass(GetModuleHandleA(nullptr), {"PausariumRefused", 0, nullptr, nullptr, nullptr, -1});
    }

    std::vector<std::string> errors;
    HWND handleAtDestroy = nullptr;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                if (raiseOnCreate_) throw Error("Creation failed");
                return 0;
            case kRaise:
                if (wParam == 1) throw Error("Disk on fire");
                throw 7;
            case kAnswer: return 42;
            case WM_DESTROY: handleAtDestroy = hwnd_; return 0;
            default: return DefWindowProcA(hwnd_, message, wParam, lParam);
        }
    }
    void showError(const std::string& message) override { errors.push_back(message); }

    bool raiseOnCreate_;
};

}  // namespace

TEST(WindowObject, AnErrorInAHandlerReachesTheErrorBoxAndTheWindowGoesOn) {
    ProbeWindow window;
    ASSERT_NE(window.handle(), nullptr);
    EXPECT_EQ(SendMessageA(window.handle(), kRaise, 1, 0), 0);
    EXPECT_EQ(SendMessageA(window.handle(), kRaise, 2, 0), 0);
    EXPECT_EQ(window.errors, (std::vector<std::string>{"Disk on fire", "Unknown error"}));
    EXPECT_EQ(SendMessageA(window.handle(), kAnswer, 0, 0), 42);
}

TEST(WindowObject, AnErrorWhileCreatingIsShownAndTheWindowIsMadeAllTheSame) {
    ProbeWindow window(true);
    EXPECT_NE(window.handle(), nullptr);
    EXPECT_EQ(window.errors, std::vector<std::string>{"Creation failed"});
}

TEST(WindowObject, ForgetsItsWindowAtNcDestroy) {
    ProbeWindow window;
    const HWND hwnd = window.handle();
    ASSERT_NE(hwnd, nullptr);
    DestroyWindow(hwnd);
    EXPECT_EQ(window.handleAtDestroy, hwnd);  // still its own while WM_DESTROY runs
    EXPECT_EQ(window.handle(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(WindowObject, RegistersAClassOnceAndRaisesWhenTheSystemRefusesOne) {
    ProbeWindow window;
    EXPECT_NO_THROW(ProbeWindow::registerAgain());
    try {
        ProbeWindow::registerRefused();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Error creating window class");
    }
}
