// Window names are Shift-JIS (code page 932); SDL wants UTF-8.
#ifndef PLATFORM_POSIX_USER_WINDOW_TITLE_H
#define PLATFORM_POSIX_USER_WINDOW_TITLE_H

#include <string>

namespace posix::user {

// The UTF-8 form of a CP932 text; bytes that do not decode become U+FFFD.
std::string Cp932ToUtf8(const char* text);

}  // namespace posix::user

#endif
