// What the program's entry uses of USER32's side: a terminal's interrupt or
// terminate signal becomes a posted WM_QUIT. Per host: linux/quit_signals.cpp;
// web/quit_signals.cpp has none to catch, since a page is sent no signals.
#ifndef PLATFORM_POSIX_USER_USER_H
#define PLATFORM_POSIX_USER_USER_H

namespace posix::user {

// Installs the handlers of SIGINT and SIGTERM once. Each handler serves one
// signal: a second one while the first is still unserved ends the process.
void InstallQuitSignalHandlers();

}  // namespace posix::user

#endif
