// A page in a browser is sent no signals: nothing to install, nothing to wake a
// rest. The page's own end (closing the tab) ends the program without a word, as
// a killed process does.
#include "platform/posix/user/user.h"
#include "platform/posix/user/window.h"

namespace posix::user {

void InstallQuitSignalHandlers() {}

bool TakeQuitSignal() { return false; }

int QuitSignalDescriptor() { return -1; }

void DrainQuitSignalPipe() {}

}  // namespace posix::user
