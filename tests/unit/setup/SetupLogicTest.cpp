// The setup tool's logic over the in-memory registry, with scripted message-box answers.

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Error.h"
#include "MemoryRegistry.h"
#include "RegistryLayout.h"
#include "SetupLogic.h"
#include "WrongPolicyValues.h"

namespace {

using namespace pausarium;
using namespace pausarium::setup;
using pausarium::layout::RootKey;
using pausarium::testing::MemoryRegistry;

constexpr const char* kRun = layout::kRunKey;
constexpr const char* kSettings = layout::kSettingsKey;
const std::string kPath = "C:\\Tools\\Pausarium.exe";

struct ScriptedHost : SetupHost {
    bool reminderPresent = true;
    std::deque<bool> answers;  // for askYesNo and confirmRisk; none left means No
    std::vector<std::string> boxes;  // "warning:", "question:", "risk:", "simple:" + text
    std::vector<std::string> existsAsked;
    bool quitRequested = false;
    bool othersMayChangeProgram = false;

    bool fileExists(const std::string& path) override {
        existsAsked.push_back(path);
        return reminderPresent;
    }
    void showWarning(const std::string& text) override { boxes.push_back("warning:" + text); }
    bool askYesNo(const std::string& text) override { return answer("question:" + text); }
    void showSimpleMessage(const std::string& text) override { boxes.push_back("simple:" + text); }
    void requestQuit() override { quitRequested = true; }
    bool othersMayChange(const std::string&) override { return othersMayChangeProgram; }
    bool confirmRisk(const std::string& text) override { return answer("risk:" + text); }

    bool answer(const std::string& box) {  // the next scripted answer to a Yes/No box
        boxes.push_back(box);
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
};

class SetupLogicTest : public ::testing::Test {
protected:
    MemoryRegistry reg;
    ScriptedHost host;
    SetupLogic logic{reg, host, kPath};

    void install(const std::string& value = kPath) { reg.setString(RootKey::LocalMachine, kRun, "Pausarium", value); }
    std::optional<std::uint32_t> regime() const { return reg.dword(RootKey::CurrentUser, kSettings, "RegimeType"); }
    std::optional<std::uint32_t> level() const { return reg.dword(RootKey::CurrentUser, kSettings, "ProtectionLevel"); }
    std::optional<std::string> runValue() const { return reg.string(RootKey::LocalMachine, kRun, "Pausarium"); }
    bool settingsKey() const { return reg.hasKey(RootKey::CurrentUser, kSettings); }
    const SetupControls& c() const { return logic.controls(); }
};

TEST(MainProgramPath, DirectoryOfTheModuleThenTheReminderName) {
    EXPECT_EQ(mainProgramPathFor("C:\\Tools\\PausariumSetup.exe"), "C:\\Tools\\Pausarium.exe");
    EXPECT_EQ(mainProgramPathFor("C:\\PausariumSetup.exe"), "C:\\\\Pausarium.exe");
}

TEST(AutorunCommand, QuotedOnlyWhenThePathHoldsASpace) {
    EXPECT_EQ(autorunCommandFor("C:\\Tools\\Pausarium.exe"), "C:\\Tools\\Pausarium.exe");
    EXPECT_EQ(autorunCommandFor("C:\\Program Files\\P\\Pausarium.exe"), "\"C:\\Program Files\\P\\Pausarium.exe\"");
}

TEST_F(SetupLogicTest, ReminderMissingWarnsQuitsAndTouchesNothing) {
    host.reminderPresent = false;
    logic.FormCreate();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0], "warning:" + std::string(texts::kReminderMissing));
    EXPECT_NE(host.boxes[0].find(".. \n "), std::string::npos);
    EXPECT_TRUE(host.quitRequested);
    EXPECT_FALSE(reg.hasKey(RootKey::LocalMachine, kRun));
    EXPECT_FALSE(reg.hasKey(RootKey::CurrentUser, "SOFTWARE"));
    EXPECT_EQ(host.existsAsked, std::vector<std::string>{kPath});
}

TEST_F(SetupLogicTest, StartNotInstalledCreatesRunKeyAndDeletesLeftoverSettings) {
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 2);
    reg.createKey(RootKey::CurrentUser, std::string(kSettings) + "\\Sub\\Deeper");
    logic.FormCreate();
    EXPECT_TRUE(reg.hasKey(RootKey::LocalMachine, kRun));
    EXPECT_FALSE(settingsKey());
    EXPECT_TRUE(c().removeDown);
    EXPECT_FALSE(c().addDown);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddNotInstalled));
    EXPECT_EQ(c().removeCaption, std::string(texts::kRemoveNotInstalled));
    EXPECT_EQ(c().frameColour, kRed);
    EXPECT_FALSE(c().radiosEnabled);
    EXPECT_FALSE(c().trackEnabled);
    EXPECT_TRUE(c().noneVisible);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SetupLogicTest, StartInstalledWithoutSettingsKeyWritesDefaults) {
    install();
    logic.FormCreate();
    EXPECT_TRUE(c().addDown);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddInstalled));
    EXPECT_EQ(c().removeCaption, std::string(texts::kRemoveInstalled));
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_TRUE(c().radiosEnabled);
    EXPECT_TRUE(c().trackEnabled);
    EXPECT_FALSE(c().noneVisible);
    EXPECT_EQ(regime(), 1u);
    EXPECT_EQ(level(), 0u);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(reg.openKeyCount(), 1u);  // only the autorun key stays open
    logic.FormClose();
    EXPECT_EQ(reg.openKeyCount(), 0u);
    EXPECT_FALSE(logic.hasAutorunKey());
}

TEST_F(SetupLogicTest, StoredSettingsAreShownAndKeptAtStart) {
    install();
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 2);
    reg.setDword(RootKey::CurrentUser, kSettings, "ProtectionLevel", 1);
    logic.FormCreate();
    EXPECT_EQ(c().checked, Regime::R90_15);
    EXPECT_EQ(c().trackPosition, 0);
    EXPECT_TRUE(c().highVisible);
    EXPECT_FALSE(c().normalVisible);
    EXPECT_EQ(regime(), 2u);
    EXPECT_EQ(level(), 1u);
}

TEST_F(SetupLogicTest, InvalidStoredSettingsAreIgnoredAndOverwritten) {
    install();
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 7);
    reg.setString(RootKey::CurrentUser, kSettings, "ProtectionLevel", "1");
    logic.FormCreate();
    EXPECT_EQ(c().checked, Regime::R50_10);
    EXPECT_EQ(c().trackPosition, 1);
    EXPECT_EQ(regime(), 1u);
    EXPECT_EQ(level(), 0u);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SetupLogicTest, StoredSettingsIgnoredWhenNotInstalled) {
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 0);
    logic.FormCreate();
    EXPECT_EQ(c().checked, Regime::R50_10);
    EXPECT_FALSE(settingsKey());
}

TEST_F(SetupLogicTest, RunKeyRefusedLeavesDesignStateUndecided) {
    reg.denyFullAccess(RootKey::LocalMachine, kRun);
    logic.FormCreate();
    EXPECT_EQ(host.boxes, std::vector<std::string>{"simple:" + std::string(texts::kRegistryReadError)});
    EXPECT_FALSE(c().addDown);
    EXPECT_FALSE(c().removeDown);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddDesign));
    EXPECT_EQ(c().frameColour, kRed);
    EXPECT_FALSE(c().radiosEnabled);
    EXPECT_TRUE(c().trackEnabled);
    EXPECT_FALSE(reg.hasKey(RootKey::CurrentUser, "SOFTWARE"));
    EXPECT_FALSE(host.quitRequested);

    // Moving the enabled track bar switches the panels beneath pnNone, then disables it.
    logic.trackScrolled(0);
    EXPECT_TRUE(c().highVisible);
    EXPECT_FALSE(c().trackEnabled);

    // Install cannot write: the error escapes, the button stays down, captions unchanged.
    try {
        logic.userClickToggle(Toggle::Add);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'Pausarium'");
    }
    EXPECT_TRUE(c().addDown);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddDesign));

    // Remove deletes nothing, silently, and runs the rest.
    logic.userClickToggle(Toggle::Remove);
    EXPECT_TRUE(c().removeDown);
    EXPECT_FALSE(c().addDown);
    EXPECT_EQ(c().removeCaption, std::string(texts::kRemoveNotInstalled));
}

TEST_F(SetupLogicTest, SoftwareRefusedShowsReadErrorAndWritesNothing) {
    install();
    reg.denyFullAccess(RootKey::CurrentUser, "SOFTWARE");
    logic.FormCreate();
    EXPECT_EQ(host.boxes, std::vector<std::string>{"simple:" + std::string(texts::kRegistryReadError)});
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_TRUE(c().radiosEnabled);
    EXPECT_EQ(reg.openKeyCount(), 1u);
}

TEST_F(SetupLogicTest, RefusedSettingsWriteRaisesAfterEarlierStepsStayDone) {
    install();
    logic.FormCreate();
    logic.userClickToggle(Toggle::Remove);  // the key is gone; recreated below with writes refused
    reg.refuseWrites(RootKey::CurrentUser, kSettings);
    EXPECT_THROW(
        {
            try {
                logic.userClickToggle(Toggle::Add);
            } catch (const Error& e) {
                EXPECT_STREQ(e.what(), "Failed to set data for 'RegimeType'");
                throw;
            }
        },
        Error);
    EXPECT_EQ(runValue(), kPath);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddInstalled));
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_EQ(reg.openKeyCount(), 1u);  // the short-lived accessor was released
}

TEST_F(SetupLogicTest, AutorunValueOfAnotherTypeRaisesAfterInstalledLook) {
    reg.setDword(RootKey::LocalMachine, kRun, "Pausarium", 5);
    try {
        logic.FormCreate();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'Pausarium'");
    }
    EXPECT_TRUE(c().addDown);
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_EQ(regime(), 1u);
    EXPECT_TRUE(host.boxes.empty());  // no question
}

TEST_F(SetupLogicTest, PathQuestionOnDifferenceYesRewritesNoKeeps) {
    const std::vector<std::string> others{"D:\\Old\\Pausarium.exe", "", "c:\\tools\\pausarium.exe"};
    for (const auto& other : others) {
        for (bool yes : {true, false}) {
            MemoryRegistry r;
            ScriptedHost h;
            h.answers = {yes};
            r.setString(RootKey::LocalMachine, kRun, "Pausarium", other);
            SetupLogic l(r, h, kPath);
            l.FormCreate();
            ASSERT_EQ(h.boxes.size(), 1u) << other;
            EXPECT_EQ(h.boxes[0], "question:" + std::string(texts::kPathQuestion));
            EXPECT_EQ(r.string(RootKey::LocalMachine, kRun, "Pausarium"), yes ? kPath : other);
            EXPECT_TRUE(l.controls().addDown);
            EXPECT_EQ(r.dword(RootKey::CurrentUser, kSettings, "RegimeType"), 1u);  // written before
        }
    }
}

TEST_F(SetupLogicTest, PathWithSpaceIsWrittenQuotedAndComparedQuoted) {
    const std::string spaced = "C:\\Program Files\\Pausarium\\Pausarium.exe";
    ScriptedHost h;
    MemoryRegistry r;
    r.setString(RootKey::LocalMachine, kRun, "Pausarium", spaced);  // unquoted: asked
    h.answers = {true};
    SetupLogic l(r, h, spaced);
    l.FormCreate();
    EXPECT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(r.string(RootKey::LocalMachine, kRun, "Pausarium"), "\"" + spaced + "\"");
    l.FormClose();

    ScriptedHost h2;  // quoted already: nothing asked
    SetupLogic l2(r, h2, spaced);
    l2.FormCreate();
    EXPECT_TRUE(h2.boxes.empty());
    l2.userClickToggle(Toggle::Add);  // down -> up
    l2.userClickToggle(Toggle::Add);  // up -> down, written again
    EXPECT_EQ(r.string(RootKey::LocalMachine, kRun, "Pausarium"), "\"" + spaced + "\"");
}

TEST_F(SetupLogicTest, DriveRootInstallUsesTheDoubledSeparator) {
    const std::string root = mainProgramPathFor("C:\\PausariumSetup.exe");
    MemoryRegistry r;
    ScriptedHost h;
    r.setString(RootKey::LocalMachine, kRun, "Pausarium", root);
    SetupLogic l(r, h, root);
    l.FormCreate();
    EXPECT_EQ(h.existsAsked, std::vector<std::string>{"C:\\\\Pausarium.exe"});
    EXPECT_TRUE(h.boxes.empty());
}

TEST_F(SetupLogicTest, TransitionTable) {
    logic.FormCreate();  // Not installed
    // Not installed -> Installed
    logic.userClickToggle(Toggle::Add);
    EXPECT_TRUE(c().addDown);
    EXPECT_FALSE(c().removeDown);
    EXPECT_EQ(runValue(), kPath);
    EXPECT_EQ(regime(), 1u);
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddInstalled));
    // Installed -> Undecided by the down install button
    logic.userClickToggle(Toggle::Add);
    EXPECT_FALSE(c().addDown);
    EXPECT_FALSE(c().removeDown);
    EXPECT_EQ(runValue(), kPath);
    EXPECT_FALSE(settingsKey());
    EXPECT_EQ(c().frameColour, kGreen);
    EXPECT_EQ(c().addCaption, std::string(texts::kAddInstalled));
    EXPECT_FALSE(c().radiosEnabled);
    EXPECT_TRUE(c().noneVisible);
    // Undecided -> Installed
    logic.userClickToggle(Toggle::Add);
    EXPECT_TRUE(c().addDown);
    EXPECT_TRUE(settingsKey());
    // Installed -> Not installed
    logic.userClickToggle(Toggle::Remove);
    EXPECT_TRUE(c().removeDown);
    EXPECT_FALSE(c().addDown);
    EXPECT_FALSE(runValue().has_value());
    EXPECT_FALSE(settingsKey());
    EXPECT_EQ(c().frameColour, kRed);
    EXPECT_EQ(c().removeCaption, std::string(texts::kRemoveNotInstalled));
    // Not installed -> Undecided by the down remove button
    logic.userClickToggle(Toggle::Remove);
    EXPECT_FALSE(c().removeDown);
    EXPECT_FALSE(c().addDown);
    EXPECT_EQ(c().frameColour, kRed);
    EXPECT_EQ(c().removeCaption, std::string(texts::kRemoveNotInstalled));
    // Undecided -> Not installed
    logic.userClickToggle(Toggle::Remove);
    EXPECT_TRUE(c().removeDown);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(SetupLogicTest, InstallFromAFolderOthersMayChangeAsksFirstAndNoChangesNothing) {
    host.othersMayChangeProgram = true;
    logic.FormCreate();  // Not installed
    const SetupControls before = c();
    logic.userClickToggle(Toggle::Add);  // answered No
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0], "risk:" + std::string(texts::kChangeableFolderBefore) + "C:\\Tools" +
                                 std::string(texts::kChangeableFolderAfter));
    EXPECT_FALSE(runValue().has_value());
    EXPECT_FALSE(settingsKey());
    EXPECT_TRUE(c().removeDown);
    EXPECT_FALSE(c().addDown);
    EXPECT_EQ(c().addCaption, before.addCaption);
    EXPECT_EQ(c().frameColour, before.frameColour);

    host.answers = {true};
    logic.userClickToggle(Toggle::Add);  // Yes: registered as without the question
    EXPECT_EQ(host.boxes.size(), 2u);
    EXPECT_TRUE(c().addDown);
    EXPECT_EQ(runValue(), kPath);
    EXPECT_EQ(regime(), 1u);

    logic.userClickToggle(Toggle::Add);  // the down button rewrites the value: asked again, No
    EXPECT_EQ(host.boxes.size(), 3u);
    EXPECT_TRUE(c().addDown);
    EXPECT_TRUE(settingsKey());
    logic.userClickToggle(Toggle::Remove);  // removing never asks
    EXPECT_EQ(host.boxes.size(), 3u);
    EXPECT_FALSE(runValue().has_value());
}

TEST_F(SetupLogicTest, ReinstallResetsRegimeByNestedRunKeepingTrackBar) {
    install();
    logic.FormCreate();
    logic.checkRadio(Regime::R90_15);
    EXPECT_EQ(regime(), 2u);
    logic.trackScrolled(0);
    EXPECT_EQ(level(), 1u);
    EXPECT_TRUE(c().highVisible);
    logic.userClickToggle(Toggle::Remove);
    EXPECT_FALSE(settingsKey());
    logic.userClickToggle(Toggle::Add);
    EXPECT_EQ(c().checked, Regime::R50_10);
    EXPECT_EQ(regime(), 1u);
    EXPECT_EQ(level(), 1u);
    EXPECT_EQ(reg.openKeyCount(), 1u);  // both nested and outer accessors released
}

TEST_F(SetupLogicTest, RadioFiresOnlyOnRealChangeAndTrackBarOnEveryNotification) {
    install();
    logic.FormCreate();
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 9);
    logic.checkRadio(Regime::R50_10);  // already checked: nothing fires, nothing written
    EXPECT_EQ(regime(), 9u);
    logic.checkRadio(Regime::R30_5);
    EXPECT_EQ(regime(), 0u);
    reg.setDword(RootKey::CurrentUser, kSettings, "ProtectionLevel", 9);
    logic.trackScrolled(1);  // same position: still rewritten
    EXPECT_EQ(level(), 0u);
}

// --- settings that a policy sets -----------------------------------------------------------------

TEST_F(SetupLogicTest, ManagedSettingsShowThePolicyLockedAndKeepTheUsersOwnValues) {
    install();
    reg.setDword(RootKey::LocalMachine, layout::kPolicyKey, "RegimeType", 2);
    reg.setDword(RootKey::CurrentUser, layout::kPolicyKey, "ProtectionLevel", 1);
    reg.setDword(RootKey::CurrentUser, kSettings, "RegimeType", 0);
    reg.setString(RootKey::CurrentUser, kSettings, "ProtectionLevel", "mine");
    logic.FormCreate();
    EXPECT_EQ(c().checked, Regime::R90_15);
    EXPECT_EQ(c().trackPosition, 0);
    EXPECT_TRUE(c().highVisible);
    EXPECT_FALSE(c().radiosEnabled);
    EXPECT_FALSE(c().trackEnabled);
    EXPECT_EQ(c().regimeHeading, std::string(texts::kManagedRegimeHeading));
    EXPECT_EQ(c().levelHeading, std::string(texts::kManagedLevelHeading));
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(regime(), 0u);
    EXPECT_EQ(reg.string(RootKey::CurrentUser, kSettings, "ProtectionLevel"), "mine");

    // Removed and installed again: a new key gets the defaults, the window keeps the policy's.
    logic.userClickToggle(Toggle::Remove);
    EXPECT_FALSE(settingsKey());
    logic.userClickToggle(Toggle::Add);
    EXPECT_EQ(regime(), 1u);
    EXPECT_EQ(level(), 0u);
    EXPECT_EQ(c().checked, Regime::R90_15);
    EXPECT_EQ(c().trackPosition, 0);
    EXPECT_FALSE(c().radiosEnabled);
    EXPECT_FALSE(c().trackEnabled);
    EXPECT_EQ(reg.dword(RootKey::LocalMachine, layout::kPolicyKey, "RegimeType"), 2u);
    EXPECT_EQ(reg.dword(RootKey::CurrentUser, layout::kPolicyKey, "ProtectionLevel"), 1u);
}

// The one setting a policy leaves free is chosen and written as ever.
TEST_F(SetupLogicTest, OnlyTheManagedSettingIsLocked) {
    install();
    reg.setDword(RootKey::CurrentUser, layout::kPolicyKey, "ProtectionLevel", 0);
    reg.setDword(RootKey::CurrentUser, kSettings, "ProtectionLevel", 1);
    logic.FormCreate();
    EXPECT_TRUE(c().radiosEnabled);
    EXPECT_FALSE(c().trackEnabled);
    EXPECT_EQ(c().trackPosition, 1);
    EXPECT_EQ(c().regimeHeading, std::string(texts::kRegimeHeading));
    EXPECT_EQ(c().levelHeading, std::string(texts::kManagedLevelHeading));
    logic.checkRadio(Regime::R30_5);
    EXPECT_EQ(regime(), 0u);
    EXPECT_EQ(level(), 1u);
}

// Not installed, or the Run key refused (where the design leaves the track bar enabled): the
// managed controls stay locked at the policy's value.
TEST_F(SetupLogicTest, ManagedLevelStaysLockedInEveryAutorunState) {
    for (const bool runKeyRefused : {false, true}) {
        SCOPED_TRACE(runKeyRefused ? "Run key refused" : "not installed");
        MemoryRegistry r;
        r.setDword(RootKey::LocalMachine, layout::kPolicyKey, "ProtectionLevel", 1);
        if (runKeyRefused) r.denyFullAccess(RootKey::LocalMachine, kRun);
        ScriptedHost h;
        SetupLogic l(r, h, kPath);
        l.FormCreate();
        EXPECT_FALSE(l.controls().trackEnabled);
        EXPECT_EQ(l.controls().trackPosition, 0);
        EXPECT_EQ(l.controls().levelHeading, std::string(texts::kManagedLevelHeading));
    }
}

TEST(SetupLogicPolicy, WrongPolicyValuesLeaveTheDialogAsWithoutPolicy) {
    for (const auto& [label, value] : pausarium::testing::kWrongPolicyValues) {
        SCOPED_TRACE(label);
        MemoryRegistry r;
        r.setString(RootKey::LocalMachine, kRun, "Pausarium", kPath);
        r.setRaw(RootKey::LocalMachine, layout::kPolicyKey, "RegimeType", value);
        r.setRaw(RootKey::CurrentUser, layout::kPolicyKey, "ProtectionLevel", value);
        ScriptedHost h;
        SetupLogic l(r, h, kPath);
        l.FormCreate();
        EXPECT_TRUE(l.controls().radiosEnabled);
        EXPECT_TRUE(l.controls().trackEnabled);
        EXPECT_EQ(l.controls().regimeHeading, std::string(texts::kRegimeHeading));
        EXPECT_EQ(l.controls().levelHeading, std::string(texts::kLevelHeading));
        EXPECT_TRUE(h.boxes.empty());
        EXPECT_EQ(r.value(RootKey::LocalMachine, layout::kPolicyKey, "RegimeType")->data, value.data);
        l.FormClose();
    }
}

}  // namespace
