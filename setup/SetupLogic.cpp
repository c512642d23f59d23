#include "SetupLogic.h"

#include <cstdint>

#include "Error.h"
#include "FilePaths.h"
#include "RegistryLayout.h"
#include "SettingsInForce.h"

namespace pausarium::setup {

namespace lay = pausarium::layout;

std::string mainProgramPathFor(const std::string& modulePath) {
    return directoryOf(modulePath) + "\\" + lay::kReminderFileName;
}

std::string autorunCommandFor(const std::string& programPath) {
    if (programPath.find(' ') == std::string::npos) return programPath;
    return "\"" + programPath + "\"";
}

SetupLogic::SetupLogic(RegistryBackend& registry, SetupHost& host, std::string mainProgramPath)
    : registry_(registry), host_(host), mainProgramPath_(std::move(mainProgramPath)) {}

SetupLogic::~SetupLogic() = default;

void SetupLogic::FormCreate() {
    if (!host_.fileExists(mainProgramPath_)) {
        host_.showWarning(texts::kReminderMissing);
        host_.requestQuit();
        return;
    }
    showManagedSettings();
    autorunKey_ = std::make_unique<Registry>(registry_, lay::RootKey::LocalMachine);
    if (!autorunKey_->openKey(lay::kRunKey, true)) {
        host_.showSimpleMessage(texts::kRegistryReadError);
        return;
    }
    if (autorunKey_->valueExists(lay::kRunValue)) {
        putDown(Toggle::Add);
        showStoredSettings();
    } else {
        putDown(Toggle::Remove);
    }
    UpdateAutorunCaptions();
    ApplySettings();
    if (autorunKey_->valueExists(lay::kRunValue)) {
        const std::string stored = autorunKey_->readString(lay::kRunValue);
        const std::string wanted = autorunCommandFor(mainProgramPath_);
        if (stored != wanted && host_.askYesNo(texts::kPathQuestion))
            autorunKey_->writeString(lay::kRunValue, wanted);
    }
}

// While the reminder is registered, the window starts from the settings already stored, so that
// opening the dialog does not reset them. Values missing, of another type or out of range are
// left to the defaults, which the following ApplySettings writes over them.
void SetupLogic::showStoredSettings() {
    Registry settings(registry_, lay::RootKey::CurrentUser);
    if (!settings.openKey(lay::kSettingsKey, false)) return;
    auto readValid = [&settings](const char* name, int low, int high, int& out) {
        if (!settings.valueExists(name)) return false;
        try {
            const int value = settings.readInteger(name);
            if (value < low || value > high) return false;
            out = value;
            return true;
        } catch (const Error&) {
            return false;  // another type or size: ignored, rewritten below
        }
    };
    int regime = 0, level = 0;
    if (!regimeManaged_ && readValid(lay::kRegimeTypeValue, 0, 2, regime)) c_.checked = static_cast<Regime>(regime);
    if (!levelManaged_ && readValid(lay::kProtectionLevelValue, 0, INT32_MAX, level)) {
        c_.trackPosition = level > 0 ? 0 : 1;
        c_.highVisible = c_.trackPosition == 0;
        c_.normalVisible = !c_.highVisible;
    }
    changed();
}

// A setting that a policy sets shows the policy's value and cannot be changed, whatever the
// autorun state; its section's heading says who sets it.
void SetupLogic::showManagedSettings() {
    if (const auto regime = policyValue(registry_, Setting::RegimeType)) {
        regimeManaged_ = true;
        c_.checked = static_cast<Regime>(*regime);
        c_.radiosEnabled = false;
        c_.regimeHeading = texts::kManagedRegimeHeading;
    }
    if (const auto level = policyValue(registry_, Setting::ProtectionLevel)) {
        levelManaged_ = true;
        c_.trackPosition = *level == 1 ? 0 : 1;
        c_.highVisible = c_.trackPosition == 0;
        c_.normalVisible = !c_.highVisible;
        c_.trackEnabled = false;
        c_.levelHeading = texts::kManagedLevelHeading;
    }
    changed();
}

void SetupLogic::writeOwnValue(Registry& reg, const char* name, bool managed, int shown, int fallback) {
    if (!managed) reg.writeInteger(name, shown);
    else if (!reg.valueExists(name)) reg.writeInteger(name, fallback);
}

void SetupLogic::UpdateAutorunCaptions() {
    if (c_.addDown) {
        c_.addCaption = texts::kAddInstalled;
        c_.removeCaption = texts::kRemoveInstalled;
    }
    if (c_.removeDown) {
        c_.addCaption = texts::kAddNotInstalled;
        c_.removeCaption = texts::kRemoveNotInstalled;
    }
    changed();
}

void SetupLogic::ApplySettings() {
    const bool installed = c_.addDown;
    c_.radiosEnabled = installed && !regimeManaged_;
    c_.trackEnabled = installed && !levelManaged_;
    c_.noneVisible = !installed;
    if (c_.addDown) c_.frameColour = kGreen;
    if (c_.removeDown) c_.frameColour = kRed;
    changed();

    Registry reg(registry_, lay::RootKey::CurrentUser);  // released on every return
    if (!reg.openKey(lay::kSoftwareKey, true)) {
        host_.showSimpleMessage(texts::kRegistryReadError);
        return;
    }
    if (!c_.addDown) {
        if (reg.keyExists(lay::kSettingsSubkey)) reg.deleteKey(lay::kSettingsSubkey);
    } else {
        if (!reg.keyExists(lay::kSettingsSubkey)) {
            reg.createKey(lay::kSettingsSubkey);
            // A new key starts at 50/10 (a nested run when it changes); a managed regime stays shown.
            if (!regimeManaged_) checkRadio(Regime::R50_10);
        }
        reg.closeKey();
        reg.openKey(lay::kSettingsKey, true);
        writeOwnValue(reg, lay::kRegimeTypeValue, regimeManaged_, static_cast<int>(c_.checked),
                      static_cast<int>(Regime::R50_10));
        writeOwnValue(reg, lay::kProtectionLevelValue, levelManaged_, c_.trackPosition == 1 ? 0 : 1, 0);
    }
    reg.closeKey();
}

void SetupLogic::sbAddToAutorunClick() {
    if (!autorunKey_) throw Error(std::string("Failed to set data for '") + lay::kRunValue + "'");
    autorunKey_->writeString(lay::kRunValue, autorunCommandFor(mainProgramPath_));
    UpdateAutorunCaptions();
    ApplySettings();
}

void SetupLogic::sbRemoveFromAutorunClick() {
    if (autorunKey_) autorunKey_->deleteValue(lay::kRunValue);
    UpdateAutorunCaptions();
    ApplySettings();
}

void SetupLogic::tbPLevelChange() {
    c_.highVisible = c_.trackPosition == 0;
    c_.normalVisible = !c_.highVisible;
    changed();
    ApplySettings();
}

void SetupLogic::FormClose() {
    if (autorunKey_) autorunKey_->closeKey();
    autorunKey_.reset();
}

void SetupLogic::putDown(Toggle button) {
    c_.addDown = button == Toggle::Add;
    c_.removeDown = button == Toggle::Remove;
    changed();
}

// Windows starts the registered program at every user's log-on, the administrators' included; one
// that other users may replace is registered only when the person confirms it.
bool SetupLogic::mayRegister() {
    if (!autorunKey_ || !autorunKey_->hasOpenKey()) return true;  // nothing can be written
    if (!host_.othersMayChange(mainProgramPath_)) return true;
    return host_.confirmRisk(texts::kChangeableFolderBefore.str() + directoryOf(mainProgramPath_) +
                             texts::kChangeableFolderAfter.str());
}

void SetupLogic::userClickToggle(Toggle button) {
    if (button == Toggle::Add && !mayRegister()) return;  // refused: the click never happened
    bool& down = button == Toggle::Add ? c_.addDown : c_.removeDown;
    if (down) {
        down = false;
        changed();
    } else {
        putDown(button);
    }
    if (button == Toggle::Add) sbAddToAutorunClick();
    else sbRemoveFromAutorunClick();
}

void SetupLogic::checkRadio(Regime regime) {
    if (c_.checked == regime) return;
    c_.checked = regime;
    changed();
    switch (regime) {
        case Regime::R30_5: rb30_5Click(); break;
        case Regime::R50_10: rb50_10Click(); break;
        case Regime::R90_15: rb90_15Click(); break;
    }
}

void SetupLogic::trackScrolled(int newPosition) {
    c_.trackPosition = newPosition < 0 ? 0 : (newPosition > 1 ? 1 : newPosition);
    changed();
    tbPLevelChange();
}

}  // namespace pausarium::setup
