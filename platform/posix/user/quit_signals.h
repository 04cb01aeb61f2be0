// A terminal's interrupt or terminate signal becomes a posted WM_QUIT.
#ifndef PLATFORM_POSIX_USER_QUIT_SIGNALS_H
#define PLATFORM_POSIX_USER_QUIT_SIGNALS_H

namespace posix::user {

// Installs the handlers of SIGINT and SIGTERM once. Each handler serves one
// signal: a second one while the first is still unserved ends the process.
void InstallQuitSignalHandlers();
// True once for each signal received since the last call.
bool TakeQuitSignal();

}  // namespace posix::user

#endif
