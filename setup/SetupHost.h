#pragma once
// What the setup logic asks of its surroundings: the file system tests and the modal boxes.
// The Win32 dialog implements it over the real system, tests with scripted answers.

#include <string>

namespace pausarium::setup {

class SetupHost {
public:
    virtual ~SetupHost() = default;
    virtual bool fileExists(const std::string& path) = 0;     // a directory does not count
    virtual void showWarning(const std::string& text) = 0;    // "Warning", exclamation, OK
    virtual bool askYesNo(const std::string& text) = 0;       // "Warning", exclamation; true only on Yes
    // Whether anyone but the administrators may change the program at `path` or its folder.
    virtual bool othersMayChange(const std::string& path) = 0;
    virtual bool confirmRisk(const std::string& text) = 0;    // as askYesNo, but No is the default
    virtual void showSimpleMessage(const std::string& text) = 0;  // application title, no icon
    virtual void requestQuit() = 0;                           // quit request to the message loop
    virtual void controlsChanged() {}                         // mirror the model now
};

}  // namespace pausarium::setup
