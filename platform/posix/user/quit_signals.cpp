// A terminal's interrupt or terminate signal becomes a posted WM_QUIT.
#include "platform/posix/user/user.h"
#include "platform/posix/user/window.h"

#include <csignal>

namespace {

volatile sig_atomic_t QuitSignalPending = 0;
bool Installed = false;

void OnQuitSignal(int) { QuitSignalPending = 1; }

void Install(int signalNumber) {
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // Restart interrupted reads; reset to the default so a program that has
    // stopped looking at its queue can still be stopped by a second signal.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigaction(signalNumber, &action, nullptr);
}

}  // namespace

namespace posix::user {

void InstallQuitSignalHandlers() {
    if (Installed) return;
    Installed = true;
    Install(SIGINT);
    Install(SIGTERM);
}

bool TakeQuitSignal() {
    if (QuitSignalPending == 0) return false;
    QuitSignalPending = 0;
    // Served: the next signal is ours again.
    Installed = false;
    InstallQuitSignalHandlers();
    return true;
}

}  // namespace posix::user
