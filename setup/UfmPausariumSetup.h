#pragma once
// TfmMainWindow: the setup tool's dialog. It builds its controls from the design table, mirrors
// the control model of SetupLogic, and turns the controls' notifications into the logic's user
// gestures. One barrier in the window procedure shows every escaping error.

#include <windows.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "Scoped.h"
#include "SetupLogic.h"
#include "SetupWindowDesign.h"
#include "Win32Registry.h"
#include "WindowObject.h"

namespace pausarium::setup {

HICON applicationIcon(HINSTANCE instance);

class TfmMainWindow final : public win32::WindowObject, private SetupHost {
public:
    // `owner` stands for the dialog on the taskbar; the dialog's minimise box minimises it.
    TfmMainWindow(HINSTANCE instance, HWND owner, std::string mainProgramPath);
    ~TfmMainWindow() override;
    TfmMainWindow(const TfmMainWindow&) = delete;
    TfmMainWindow& operator=(const TfmMainWindow&) = delete;

    // Creates the window (FormCreate runs); false when the program is to end at once.
    bool create();
    void show();

private:
    struct Item {
        const design::Control* design;
        HWND hwnd;
        ColourBrush brush;  // its background, for the colour messages
    };

    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void showError(const std::string& message) override;
    void buildControls();
    void createControl(Item& item);
    // The control of that id; raises when there is none, so it never answers null.
    HWND control(design::Id id) const;
    const Item* findWindow(HWND hwnd) const;
    // Each changes the control only when it differs from what is asked.
    void enable(design::Id id, bool enabled);
    void show(design::Id id, bool visible);
    void check(design::Id id, bool checked);
    void setText(design::Id id, const std::string& text);
    void setDown(design::Id id, bool down);
    void setPosition(design::Id id, int position);
    void setBackground(design::Id id, std::uint32_t colour);
    LRESULT controlColour(HDC dc, HWND control);
    void onCommand(int id, int code);
    void onVScroll(HWND scrolled);
    void onRadioArrow(HWND radio, int step);
    void onClose();
    void mirror();
    void keepFocusUsable();
    void focusFirstTabStop();
    void BitBtn2Click();

    // SetupHost
    bool fileExists(const std::string& path) override;
    void showWarning(const std::string& text) override;
    bool askYesNo(const std::string& text) override;
    bool othersMayChange(const std::string& path) override;
    bool confirmRisk(const std::string& text) override;
    void showSimpleMessage(const std::string& text) override;
    void requestQuit() override;
    void controlsChanged() override { mirror(); }
    HWND boxOwner() const;

    HINSTANCE instance_;
    HWND owner_;
    bool quitRequested_ = false;
    bool mirroring_ = false;
    win32::Font font_;
    win32::Font boldFont_;
    std::vector<Item> items_;
    win32::Win32Registry registry_;
    SetupLogic logic_;
};

}  // namespace pausarium::setup
