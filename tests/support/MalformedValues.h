#pragma once
// Every value the two programs read, stored with every registry type and a range of sizes, and
// what each program must make of it: the break reminder's "RegimeType" and "ProtectionLevel"
// (read by its window's creation handler) and the setup tool's autorun value "Pausarium" (read at
// its start). Compiled into the native tests over the in-memory registry and into the Win32
// tests over advapi32, so that both answer the same table.
//
// The rules the table holds the programs to:
// - an integer is a REG_DWORD of exactly four bytes; longer data of any type fails to give the
//   data; shorter or equal data of another type has the wrong type; a REG_DWORD of fewer than
//   four bytes fails to give the data (it holds no number);
// - the autorun value is text when it is REG_SZ or REG_EXPAND_SZ, whatever its size: it is read
//   up to its first zero byte (one stored without a terminating zero ends with its data), and
//   anything but the expected path leads to the path question; any other type has the wrong
//   type;
// - a key that may be read but not written counts as missing for the reminder, and for the
//   setup tool cannot be opened (the Run key) or created (the settings key);
// - nothing is written that the program was not asked to write: the value under test stays as
//   it was stored.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "BreakCycle.h"
#include "Error.h"
#include "RegistryBackend.h"
#include "RegistryLayout.h"
#include "SetupLogic.h"
#include "VirtualClock.h"

namespace pausarium::testing::malformed {

using layout::RootKey;

struct StoredValue {
    std::uint32_t type;
    std::vector<unsigned char> data;
    bool operator==(const StoredValue&) const = default;
};

// "type 1, 3 bytes 70 70 70" (at most the first 16 bytes shown).
inline void PrintTo(const StoredValue& value, std::ostream* out) {
    *out << "type " << value.type << ", " << value.data.size() << " bytes";
    char hex[4];
    for (std::size_t i = 0; i < value.data.size() && i < 16; ++i) {
        std::snprintf(hex, sizeof hex, " %02x", value.data[i]);
        *out << hex;
    }
}

// What the table needs of a test registry: the backend the programs read through, and ways to
// arrange and inspect values by path, beside the programs' own accessor.
class ValueStore {
public:
    virtual ~ValueStore() = default;
    virtual RegistryBackend& backend() = 0;
    // No settings key and no autorun value; every key writable again.
    virtual void clear() = 0;
    virtual void put(RootKey root, const std::string& key, const std::string& name, const StoredValue& value) = 0;
    virtual std::optional<StoredValue> get(RootKey root, const std::string& key, const std::string& name) = 0;
    // The key (created if missing) may be read but not opened with full access or written.
    virtual void makeReadOnly(RootKey root, const std::string& key) = 0;
};

struct Type {
    const char* name;
    std::uint32_t code;
};
inline constexpr Type kTypes[] = {
    {"REG_NONE", 0},  {"REG_SZ", 1},   {"REG_EXPAND_SZ", 2}, {"REG_BINARY", 3},  {"REG_DWORD", 4},
    {"REG_DWORD_BIG_ENDIAN", 5}, {"REG_LINK", 6}, {"REG_MULTI_SZ", 7}, {"REG_QWORD", 11}, {"type 0x4000", 0x4000},
};
inline constexpr std::uint32_t kSizes[] = {0, 1, 3, 4, 5, 8, 65536};

struct Case {
    std::string label;
    StoredValue value;
    std::string outcome;
};

inline std::vector<unsigned char> bytes(const std::string& text) { return {text.begin(), text.end()}; }

inline bool isTextType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz || type == 7; }

// `size` bytes of 'p': as an integer 0x70707070 (no regime, raised protection), as text "ppp…"
// with its terminating zero as the last byte. (Text without its zero has rows of its own: read
// through the ANSI calls, advapi32 may append the zero, one byte beyond what was stored.)
inline StoredValue filler(std::uint32_t type, std::uint32_t size) {
    StoredValue value{type, std::vector<unsigned char>(size, 'p')};
    if (isTextType(type) && size > 0) value.data.back() = 0;
    return value;
}

// Every type at every size, each with the outcome the rules above give.
template <class Outcome>
std::vector<Case> everyTypeAndSize(Outcome outcome) {
    std::vector<Case> cases;
    for (const Type& type : kTypes)
        for (const std::uint32_t size : kSizes)
            cases.push_back({std::string(type.name) + " of " + std::to_string(size) + " bytes", filler(type.code, size),
                             outcome(type.code, size)});
    return cases;
}

inline std::string integerReadError(const std::string& name, std::uint32_t type, std::uint32_t size) {
    if (size > 4) return "error Failed to get data for '" + name + "'";
    if (type != kRegDword) return "error Invalid data type for '" + name + "'";
    if (size < 4) return "error Failed to get data for '" + name + "'";
    return "";
}

// --- the break reminder: FormCreate over the settings key ---------------------------------

inline const std::string kSettingsKey = layout::kSettingsKey;

// The reminder's window, reduced to what start-up touches.
struct QuietWindow : reminder::ReminderWindow, reminder::Platform {
    std::string title;
    void show() override {}
    void hide() override {}
    void setMessageText(const std::string&) override {}
    void setMessageColour(reminder::Colour) override {}
    void setAddressColour(reminder::Colour) override {}
    void fitToScreen() override {}
    void maximise() override {}
    void bringToFront() override {}
    void focus() override {}
    void restoreApplication() override {}
    void setLocked(bool) override {}
    void playSound(const std::string&) override {}
    void openAddress(const std::string&) override {}
    void setApplicationTitle(const std::string& text) override { title = text; }
    std::int64_t msSinceInput() override { return 0; }
};

// "error <message>" when start-up raised, else "title <title> protection <level>".
inline std::string startReminder(ValueStore& store) {
    VirtualClock clock;
    QuietWindow window;
    reminder::BreakCycle cycle(clock, window, window, reminder::soundPathsFor("C:\\Tools\\Pausarium.exe"));
    try {
        cycle.FormCreate(store.backend());
    } catch (const Error& e) {
        return std::string("error ") + e.what();
    }
    return "title " + window.title + " protection " + std::to_string(cycle.state().ProtectionLevel);
}

inline std::vector<Case> reminderCases(const std::string& name) {
    auto cases = everyTypeAndSize([&](std::uint32_t type, std::uint32_t size) {
        const std::string error = integerReadError(name, type, size);
        if (!error.empty()) return error;
        return name == layout::kRegimeTypeValue ? std::string("title Pausarium - 0/0 protection 0")
                                                : std::string("title Pausarium - 0/0 protection 1886417008");
    });
    if (name == layout::kRegimeTypeValue) {
        cases.push_back({"REG_DWORD 1", {kRegDword, {1, 0, 0, 0}}, "title Pausarium - 50/10 protection 0"});
        cases.push_back({"REG_DWORD 3", {kRegDword, {3, 0, 0, 0}}, "title Pausarium - 0/0 protection 0"});
        cases.push_back({"REG_DWORD -1", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}, "title Pausarium - 0/0 protection 0"});
        cases.push_back({"text \"1\"", {kRegSz, {'1', 0}}, "error Invalid data type for 'RegimeType'"});
        cases.push_back({"text \"12\" without its zero", {kRegSz, {'1', '2'}}, "error Invalid data type for 'RegimeType'"});
        cases.push_back({"text \"12345\" without its zero", {kRegSz, bytes("12345")}, "error Failed to get data for 'RegimeType'"});
    } else {
        cases.push_back({"REG_DWORD -1", {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}}, "title Pausarium - 0/0 protection -1"});
        cases.push_back({"REG_QWORD 1", {11, {1, 0, 0, 0, 0, 0, 0, 0}}, "error Failed to get data for 'ProtectionLevel'"});
    }
    return cases;
}

inline void checkReminderValue(ValueStore& store, const std::string& name) {
    for (const Case& c : reminderCases(name)) {
        SCOPED_TRACE(name + " as " + c.label);
        store.clear();
        store.put(RootKey::CurrentUser, kSettingsKey, name, c.value);
        const auto stored = store.get(RootKey::CurrentUser, kSettingsKey, name);
        EXPECT_EQ(startReminder(store), c.outcome);
        EXPECT_EQ(store.get(RootKey::CurrentUser, kSettingsKey, name), stored);
        const std::string other =
            name == layout::kRegimeTypeValue ? layout::kProtectionLevelValue : layout::kRegimeTypeValue;
        EXPECT_EQ(store.get(RootKey::CurrentUser, kSettingsKey, other), std::nullopt);
    }
    store.clear();
}

// --- the setup tool: FormCreate over the autorun value -------------------------------------

inline const std::string kProgramPath = "C:\\Tools\\Pausarium.exe";
inline const std::string kRunKey = layout::kRunKey;

// The reminder lies beside the tool; every question is answered No; boxes are listed.
struct AnsweringNo : setup::SetupHost {
    std::string boxes;
    bool fileExists(const std::string&) override { return true; }
    void showWarning(const std::string& text) override { boxes += " warning " + text; }
    bool askYesNo(const std::string&) override {
        boxes += " question";
        return false;
    }
    void showSimpleMessage(const std::string& text) override { boxes += " message " + text; }
    void requestQuit() override { boxes += " quit"; }
    bool othersMayChange(const std::string&) override { return false; }
    bool confirmRisk(const std::string&) override {
        boxes += " risk";
        return false;
    }
};

// The error FormCreate raised, if any, then the boxes it showed: "error <message>", " question".
inline std::string startSetup(ValueStore& store, setup::SetupControls* controls = nullptr) {
    AnsweringNo host;
    setup::SetupLogic logic(store.backend(), host, kProgramPath);
    std::string outcome;
    try {
        logic.FormCreate();
    } catch (const Error& e) {
        outcome = std::string("error ") + e.what();
    }
    if (controls) *controls = logic.controls();
    logic.FormClose();
    return outcome + host.boxes;
}

inline std::vector<Case> setupCases() {
    auto cases = everyTypeAndSize([](std::uint32_t type, std::uint32_t) {
        return type == kRegSz || type == kRegExpandSz ? std::string(" question")
                                                      : std::string("error Invalid data type for 'Pausarium'");
    });
    const auto path = bytes(kProgramPath);
    auto withZero = path;
    withZero.push_back(0);
    auto zeroInside = withZero;
    for (char c : std::string("junk")) zeroInside.push_back(static_cast<unsigned char>(c));
    zeroInside.push_back(0);
    auto otherCase = bytes("c:\\tools\\pausarium.exe");
    otherCase.push_back(0);
    cases.push_back({"the path", {kRegSz, withZero}, ""});
    cases.push_back({"the path as REG_EXPAND_SZ", {kRegExpandSz, withZero}, ""});
    cases.push_back({"the path without its terminating zero", {kRegSz, path}, ""});
    cases.push_back({"the path, a zero and more", {kRegSz, zeroInside}, ""});
    cases.push_back({"the path in other letter case", {kRegSz, otherCase}, " question"});
    cases.push_back({"the path as REG_MULTI_SZ", {7, withZero}, "error Invalid data type for 'Pausarium'"});
    return cases;
}

inline void checkAutorunValue(ValueStore& store) {
    for (const Case& c : setupCases()) {
        SCOPED_TRACE("Pausarium as " + c.label);
        store.clear();
        store.put(RootKey::LocalMachine, kRunKey, layout::kRunValue, c.value);
        const auto stored = store.get(RootKey::LocalMachine, kRunKey, layout::kRunValue);
        setup::SetupControls controls;
        EXPECT_EQ(startSetup(store, &controls), c.outcome);
        EXPECT_TRUE(controls.addDown);  // installed, whatever the value holds
        EXPECT_EQ(store.get(RootKey::LocalMachine, kRunKey, layout::kRunValue), stored);
    }
    store.clear();
}

// --- keys that may be read but not written ---------------------------------------------------

inline void checkReadOnlyKeys(ValueStore& store) {
    const StoredValue one{kRegDword, {1, 0, 0, 0}};
    {
        SCOPED_TRACE("reminder, settings key read-only");
        store.clear();
        store.put(RootKey::CurrentUser, kSettingsKey, layout::kRegimeTypeValue, one);
        store.put(RootKey::CurrentUser, kSettingsKey, layout::kProtectionLevelValue, one);
        store.makeReadOnly(RootKey::CurrentUser, kSettingsKey);
        EXPECT_EQ(startReminder(store), "title Pausarium - 0/0 protection 0");
        EXPECT_EQ(store.get(RootKey::CurrentUser, kSettingsKey, layout::kRegimeTypeValue), one);
    }
    {
        SCOPED_TRACE("setup tool, Run key read-only");
        store.clear();
        const StoredValue other{kRegSz, bytes(std::string("D:\\Old\\Pausarium.exe") + '\0')};
        store.put(RootKey::LocalMachine, kRunKey, layout::kRunValue, other);
        store.makeReadOnly(RootKey::LocalMachine, kRunKey);
        setup::SetupControls controls;
        EXPECT_EQ(startSetup(store, &controls), " message " + std::string(setup::texts::kRegistryReadError));
        EXPECT_FALSE(controls.addDown);
        EXPECT_FALSE(controls.removeDown);
        EXPECT_EQ(store.get(RootKey::LocalMachine, kRunKey, layout::kRunValue), other);
    }
    {
        SCOPED_TRACE("setup tool, settings key read-only");
        store.clear();
        const StoredValue path{kRegSz, bytes(kProgramPath + '\0')};
        store.put(RootKey::LocalMachine, kRunKey, layout::kRunValue, path);
        const StoredValue two{kRegDword, {2, 0, 0, 0}};
        store.put(RootKey::CurrentUser, kSettingsKey, layout::kRegimeTypeValue, two);
        store.makeReadOnly(RootKey::CurrentUser, kSettingsKey);
        EXPECT_EQ(startSetup(store), "error Failed to create key Pausarium");
        EXPECT_EQ(store.get(RootKey::CurrentUser, kSettingsKey, layout::kRegimeTypeValue), two);
        EXPECT_EQ(store.get(RootKey::CurrentUser, kSettingsKey, layout::kProtectionLevelValue), std::nullopt);
    }
    store.clear();
}

}  // namespace pausarium::testing::malformed
