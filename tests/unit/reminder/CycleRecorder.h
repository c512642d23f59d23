#pragma once
// A stand-in for the reminder window and the platform: it logs every operation the cycle asks
// for with the virtual time ("47:00 show"), keeps the window's visible state, and runs FormShow
// on a change from hidden to visible as the real window does. At every operation it checks the
// cycle's rules (which phase may ask for it, which timers run in which phase), so every test
// that drives the cycle checks them too. EXPECT_LOG compares two logs and shows only where
// they part.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <utility>
#include <string>
#include <vector>

#include "BreakCycle.h"
#include "MemoryRegistry.h"
#include "Utf8.h"
#include "VirtualClock.h"

namespace pausarium::reminder {

inline const char* phaseName(Phase phase) {
    switch (phase) {
        case Phase::Work: return "work";
        case Phase::Notice: return "notice";
        case Phase::Lock: return "lock";
        case Phase::KeyWait: return "key wait";
    }
    return "?";
}
inline void PrintTo(Phase phase, std::ostream* out) { *out << phaseName(phase); }

}  // namespace pausarium::reminder

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
        firstShow_ = cycle_->state().FirstShow;
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
    std::int64_t msSinceInput() override { return clock_.now() - lastInputAt; }

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
    std::int64_t lastInputAt = 0;  // the user's last keyboard or mouse input, on the clock

private:
    void log(const std::string& what) {
        entries_.push_back(clockText(clock_.now()) + " " + what);
        if (cycle_ != nullptr) checkRules(what.substr(0, what.find(' ')), what);
    }

    void checkRules(const std::string& operation, const std::string& what) {
        using reminder::Phase;
        const Phase phase = cycle_->phase();
        const auto in = [phase](std::initializer_list<Phase> phases) {
            return std::find(phases.begin(), phases.end(), phase) != phases.end();
        };
        const auto breach = [&](const std::string& rule) {  // each rule's first breach only
            if (!breached_.insert(rule).second) return;
            ADD_FAILURE() << "at " << entries_.back() << " (" << reminder::phaseName(phase) << "): " << rule;
        };
        if (operation == "hide" && !in({Phase::Work, Phase::Notice}))
            breach("the window hides only in work and notices, never while the lock or the key wait shows it");
        if ((operation == "show" || operation == "raise") && !firstShow_ && !in({Phase::Notice, Phase::Lock}))
            breach("after the first show, only a notice or the lock shows the window");
        if ((operation == "maximise" || operation == "focus" || operation == "front") && !in({Phase::Lock}))
            breach("maximise, focus and bring to front belong to the lock");
        if ((operation == "fit" || operation == "restore") && !in({Phase::Lock, Phase::KeyWait}))
            breach("the blink's upkeep runs only in the lock and the key wait");
        if (operation == "sound") {
            const auto& paths = cycle_->paths();
            const std::string path = what.substr(what.find(' ') + 1);
            const Phase expected = path == paths.sysLock ? Phase::Lock
                                   : path == paths.sysOpen ? Phase::KeyWait
                                                           : Phase::Notice;
            if (phase != expected) breach(std::string("this sound belongs to the ") + reminder::phaseName(expected));
        }
        if (cycle_->blinkTimer().enabled() != in({Phase::Lock, Phase::KeyWait}))
            breach("BlinkTimer runs exactly in the lock and the key wait");
        if (cycle_->antiActionGamesTimer().enabled() && !in({Phase::Lock}))
            breach("tmAntiActionGames runs only in the lock");
        if (cycle_->idleCheckTimer().enabled() && !in({Phase::Work, Phase::Notice}))
            breach("tmIdleCheck runs only in the work phase and the notices");
        const int phaseMarks = cycle_->sleepTimer().enabled() + cycle_->noticeTimer().enabled() +
                               cycle_->lockTimer().enabled() + cycle_->state().BreakOver;
        if (phaseMarks > 1) breach("SleepTimer, NoticeTimer, LockTimer and BreakOver: one at a time");
    }

    VirtualClock& clock_;
    reminder::BreakCycle* cycle_ = nullptr;
    bool visible_ = false;
    bool firstShow_ = false;  // the show being logged is the program's first
    std::vector<std::string> entries_;
    std::set<std::string> breached_;
};

// Two logs, entry by entry. When they differ: the first differing entry's time and index, the
// entries before it that both share, and a few entries of each log from there on.
inline ::testing::AssertionResult sameLog(const char* actualText, const char* expectedText,
                                          const std::vector<std::string>& actual,
                                          const std::vector<std::string>& expected) {
    constexpr std::size_t kContext = 3, kAhead = 5;
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end()) return ::testing::AssertionSuccess();
    const auto at = static_cast<std::size_t>(a - actual.begin());
    const std::string& differing = a != actual.end() ? *a : *e;
    std::ostringstream out;
    out << actualText << " and " << expectedText << " part at entry " << at << ", time "
        << differing.substr(0, differing.find(' ')) << " (" << actual.size() << " entries recorded, "
        << expected.size() << " expected)\n";
    const auto list = [&out, at](const char* heading, const std::vector<std::string>& log, std::size_t from,
                                 std::size_t to) {
        out << "  " << heading << ":\n";
        if (from >= std::min(to, log.size())) out << "    (none)\n";
        for (std::size_t i = from; i < std::min(to, log.size()); ++i)
            out << (i == at ? "  > " : "    ") << i << "  " << log[i] << "\n";
    };
    list("both before", actual, at >= kContext ? at - kContext : 0, at);
    list("expected", expected, at, at + kAhead);
    list("recorded", actual, at, at + kAhead);
    return ::testing::AssertionFailure() << out.str();
}

#define EXPECT_LOG(actual, expected) EXPECT_PRED_FORMAT2(::pausarium::testing::sameLog, actual, expected)

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
