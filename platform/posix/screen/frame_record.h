// An opt-in record of every frame shown, for comparing a run frame by frame with
// the same run on Windows: READER_FRAME_RECORD names a file to which every
// present that changes what is shown appends its time, its palette and the part
// of the 8-bit page that changed (frame_record_writer.h). Unset, it costs one test
// of a flag per present.
#ifndef PLATFORM_POSIX_SCREEN_FRAME_RECORD_H
#define PLATFORM_POSIX_SCREEN_FRAME_RECORD_H

#include "platform/posix/screen/screen.h"

namespace posix::screen {

// Called as a frame is about to be presented: its time is that of the change.
void RecordFrame(const Frame& frame);

}  // namespace posix::screen

#endif
