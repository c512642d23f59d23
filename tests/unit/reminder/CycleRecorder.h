#pragma once
// A stand-in for the reminder window and the platform: it logs every operation the cycle asks
// for with the virtual time ("47:00 show"), keeps the window's visible state, and runs FormShow
// on a change from hidden to visible as the real window does.

#include <cstdio>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "BreakCycle.h"
#include "MemoryRegistry.h"
#include "Utf8.h"
#include "VirtualClock.h"

namespace pausarium::testing {

inline std::string clockText(std::int64_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(ms / 60000),
                  static_cast<long long>(ms / 1000 % 60));
    std::string result = text;
    if (ms % 1000 != 0) {
        std::snprintf(text, sizeof text, ".%03lld", static_cast<long long>(ms % 1000));
        result += text;
    }
    return result;
}

inline std::string colourName(reminder::Colour colour) {
    switch (colour) {
        case reminder::kRed: return "red";
        case reminder::kBrightGreen: return "green";
        case reminder::kBlue: return "blue";
        case reminder::kBlack: return "black";
        default: return "colour " + std::to_string(colour);
    }
}

class CycleRecorder : public reminder::ReminderWindow, public reminder::Platform {
public:
    static constexpr int kScreenWidth = 1024;
    static constexpr int kScreenHeight = 768;

    explicit CycleRecorder(VirtualClock& clock) : clock_(clock) {}
    void attach(reminder::BreakCycle& cycle) { cycle_ = &cycle; }

    void show() override {
        if (!visible_) {
            geometry = cycle_->FormShow(kScreenWidth, kScreenHeight);
            visible_ = true;
            log("show " + std::to_string(geometry.width) + "x" + std::to_string(geometry.height) + " at " +
                std::to_string(geometry.left) + "," + std::to_string(geometry.top));
        } else {
            log("raise");
        }
    }
    void hide() override {
        visible_ = false;
        log("hide");
    }
    void setMessageText(const std::string& text) override {
        messageText = toUtf8(text);
        log("text " + messageText);
    }
    void setMessageColour(reminder::Colour colour) override {
        messageColour = colour;
        log("colour " + colourName(colour));
    }
    void setAddressColour(reminder::Colour colour) override {
        addressColour = colour;
        log("address " + colourName(colour));
    }
    void fitToScreen() override { log("fit"); }
    void maximise() override { log("maximise"); }
    void bringToFront() override { log("front"); }
    void focus() override { log("focus"); }
    void restoreApplication() override { log("restore"); }
    void setLocked(bool locked) override { log(locked ? "lock" : "unlock"); }
    void playSound(const std::string& path) override { log("sound " + path); }
    void openAddress(const std::string& address) override { log("open " + address); }
    void setApplicationTitle(const std::string& title) override {
        this->title = title;
        log("title " + title);
    }

    bool visible() const { return visible_; }
    // The log since the last call, and cleared.
    std::vector<std::string> take() { return std::exchange(entries_, {}); }
    // Only the entries that contain `part`, since the last take().
    std::vector<std::string> filtered(const std::string& part) const {
        std::vector<std::string> out;
        for (const auto& e : entries_)
            if (e.find(part) != std::string::npos) out.push_back(e);
        return out;
    }

    reminder::ShowGeometry geometry{};
    std::string messageText = "Система заблокирована...";
    reminder::Colour messageColour = reminder::kRed;
    reminder::Colour addressColour = reminder::kBlue;
    std::string title;

private:
    void log(const std::string& what) { entries_.push_back(clockText(clock_.now()) + " " + what); }

    VirtualClock& clock_;
    reminder::BreakCycle* cycle_ = nullptr;
    bool visible_ = false;
    std::vector<std::string> entries_;
};

// The break reminder as started: settings in an in-memory registry, FormCreate, then the
// message loop's first show.
struct RunningReminder {
    static constexpr std::uint32_t kMinuteMs = 60000;

    VirtualClock clock;
    MemoryRegistry registry;
    CycleRecorder window{clock};
    std::unique_ptr<reminder::BreakCycle> cycle;

    // The window is created: its timers exist, tmAdressHide runs.
    void create(const std::string& modulePath = "C:\\Tools\\Pausarium.exe") {
        cycle = std::make_unique<reminder::BreakCycle>(clock, window, window, reminder::soundPathsFor(modulePath),
                                                       kMinuteMs);
        window.attach(*cycle);
    }
    void start(const std::string& modulePath = "C:\\Tools\\Pausarium.exe") {
        create(modulePath);
        cycle->FormCreate(registry);
        window.show();  // the message loop's first show
    }
    void settings(std::uint32_t regimeType, std::uint32_t protectionLevel) {
        registry.setDword(layout::RootKey::CurrentUser, "SOFTWARE\\Pausarium", "RegimeType", regimeType);
        registry.setDword(layout::RootKey::CurrentUser, "SOFTWARE\\Pausarium", "ProtectionLevel", protectionLevel);
    }
    static std::int64_t at(int minutes, int seconds = 0) { return (minutes * 60 + seconds) * 1000LL; }
    void advanceTo(int minutes, int seconds = 0) { clock.advanceTo(at(minutes, seconds)); }
};

}  // namespace pausarium::testing
