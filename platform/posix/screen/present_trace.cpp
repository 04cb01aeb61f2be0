#include "platform/posix/screen/present_trace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace posix::screen {

namespace {

// Opened at the first present; null when tracing is off or the file cannot be had.
FILE* OpenTrace() {
    const char* path = std::getenv("READER_PRESENT_TRACE");
    if (path == nullptr || *path == '\0') return nullptr;
    return std::fopen(path, "a");
}

}  // namespace

void TracePresent() {
    static FILE* const trace = OpenTrace();
    if (trace == nullptr) return;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long micros = static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    std::fprintf(trace, "%lld\n", micros);
    std::fflush(trace);  // the program may end by a signal: every line reaches the file
}

}  // namespace posix::screen
