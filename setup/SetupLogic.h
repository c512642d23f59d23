#pragma once
// The setup tool's whole logic: the start-up check, autorun registration and the settings
// writer, as handlers over the control model. User gestures enter through the `user...`
// methods, which apply the controls' event rules and then run the bound handler.

#include <memory>
#include <string>

#include "Registry.h"
#include "RegistryBackend.h"
#include "SetupControls.h"
#include "SetupHost.h"

namespace pausarium::setup {

// The reminder's path beside the setup tool at `modulePath`.
std::string mainProgramPathFor(const std::string& modulePath);
// The autorun value's text for `programPath`: in double quotes when the path holds a space, so
// that Windows cannot start a program named by a prefix of it.
std::string autorunCommandFor(const std::string& programPath);

class SetupLogic {
public:
    SetupLogic(RegistryBackend& registry, SetupHost& host, std::string mainProgramPath);
    ~SetupLogic();

    const SetupControls& controls() const { return c_; }
    const std::string& mainProgramPath() const { return mainProgramPath_; }

    // Handlers.
    void FormCreate();
    void UpdateAutorunCaptions();
    void ApplySettings();
    void sbAddToAutorunClick();
    void sbRemoveFromAutorunClick();
    void rb30_5Click() { ApplySettings(); }
    void rb50_10Click() { ApplySettings(); }
    void rb90_15Click() { ApplySettings(); }
    void tbPLevelChange();
    void FormClose();

    // Completed user gestures (and, for radios, checks from code).
    void userClickToggle(Toggle button);
    void checkRadio(Regime regime);                // fires its OnClick only on a real change
    void trackScrolled(int newPosition);           // every scroll notification fires OnChange

    bool hasAutorunKey() const { return autorunKey_ != nullptr; }

private:
    bool mayRegister();                            // asks first when others may change the program
    void putDown(Toggle button);                   // from code: raises the partner, fires nothing
    void showStoredSettings();
    void showManagedSettings();
    // Writes `shown` as the user's own value, unless a policy sets it: then the stored value is
    // kept, and only a missing one gets `fallback`, as a new settings key would.
    void writeOwnValue(Registry& reg, const char* name, bool managed, int shown, int fallback);
    void changed() { host_.controlsChanged(); }

    RegistryBackend& registry_;
    SetupHost& host_;
    std::string mainProgramPath_;
    std::unique_ptr<Registry> autorunKey_;
    bool regimeManaged_ = false;  // set by a policy, read at start like the reminder reads it
    bool levelManaged_ = false;
    SetupControls c_;
};

}  // namespace pausarium::setup
