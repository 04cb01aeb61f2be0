// The command line WinMain receives: what follows the program's name.
#ifndef PLATFORM_POSIX_ENTRY_COMMAND_LINE_H
#define PLATFORM_POSIX_ENTRY_COMMAND_LINE_H

#include <string>

namespace posix::entry {

// Joins the arguments after argv[0] with spaces, quoting each the way Windows
// programs split a command line again (CommandLineToArgvW's rules).
std::string CommandLineAfterProgramName(int argc, const char* const* argv);

}  // namespace posix::entry

#endif
