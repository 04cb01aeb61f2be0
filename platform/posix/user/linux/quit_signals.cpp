// A terminal's interrupt or terminate signal becomes a posted WM_QUIT. The handler
// also writes to a pipe, so that a rest of the message queue wakes at once.
#include "platform/posix/user/user.h"
#include "platform/posix/user/window.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t QuitSignalPending = 0;
bool Installed = false;
int WakePipe[2] = {-1, -1};

void OnQuitSignal(int) {
    QuitSignalPending = 1;
    const int savedErrno = errno;
    const char byte = 1;
    if (WakePipe[1] >= 0) {
        [[maybe_unused]] const ssize_t written = write(WakePipe[1], &byte, 1);  // full: wakes anyway
    }
    errno = savedErrno;
}

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
    if (WakePipe[0] < 0 && pipe2(WakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        WakePipe[0] = WakePipe[1] = -1;  // rests then end on their step only
    }
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

int QuitSignalDescriptor() { return WakePipe[0]; }

void DrainQuitSignalPipe() {
    char bytes[64];
    while (WakePipe[0] >= 0 && read(WakePipe[0], bytes, sizeof bytes) > 0) {
    }
}

}  // namespace posix::user
