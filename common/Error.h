#pragma once
// The one error type of both programs. Handlers raise it; the window procedure's barrier
// catches it and shows the standard error box, and the program goes on.

#include <stdexcept>
#include <string>

namespace pausarium {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The text of the standard error box: the message, with a full stop appended only when its
// last character's code lies above that of the full stop (so a closing apostrophe or a full
// stop stays as it is, while a letter gets one).
std::string standardErrorBoxText(const std::string& message);

}  // namespace pausarium
