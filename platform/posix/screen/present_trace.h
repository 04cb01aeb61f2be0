// An opt-in record of when frames were presented, for measuring the pacing of the
// programs from outside: READER_PRESENT_TRACE names a file to which every present
// appends its CLOCK_MONOTONIC time in microseconds, one a line: the moment the
// frame is handed to the display. Unset, it costs one test of a flag per present.
#ifndef PLATFORM_POSIX_SCREEN_PRESENT_TRACE_H
#define PLATFORM_POSIX_SCREEN_PRESENT_TRACE_H

namespace posix::screen {

void TracePresent();

}  // namespace posix::screen

#endif
