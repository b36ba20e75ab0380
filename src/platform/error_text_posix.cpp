#include "platform/error_text.h"

#include <cerrno>
#include <cstring>

namespace platform {

std::string SystemErrorText(int code) { return std::strerror(code); }

std::string LastSystemErrorText() { return SystemErrorText(errno); }

}  // namespace platform
