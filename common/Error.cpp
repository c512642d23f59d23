#include "Error.h"

namespace pausarium {

std::string standardErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        return message + '.';
    return message;
}

}  // namespace pausarium
