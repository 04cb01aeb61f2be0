// The program's start: WinMain, as the Windows start-up calls it.
#include "platform/posix/entry/command_line.h"
#include "platform/posix/user/user.h"
#include "platform/win32.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    posix::user::InstallQuitSignalHandlers();  // before anything can take long
    std::string commandLine = posix::entry::CommandLineAfterProgramName(argc, argv);
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    return WinMain(GetModuleHandleA(nullptr), nullptr, writable.data(), SW_SHOWDEFAULT);
}
