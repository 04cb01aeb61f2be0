#include "platform/posix/screen/frame_record.h"

#include "platform/posix/screen/frame_record_writer.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace posix::screen {

namespace {

// Made at the first present; null when recording is off or the file cannot be had.
framerecord::FrameRecordWriter* OpenRecord() {
    const char* path = std::getenv("READER_FRAME_RECORD");
    if (path == nullptr || *path == '\0') return nullptr;
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return nullptr;
    return new framerecord::FrameRecordWriter(file);  // kept to the end of the process
}

}  // namespace

void RecordFrame(const Frame& frame) {
    static framerecord::FrameRecordWriter* const writer = OpenRecord();
    if (writer == nullptr || frame.pixels.pixels == nullptr || frame.palette == nullptr) return;
    uint8_t palette[framerecord::kPaletteBytes];
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = frame.palette[i].peRed;
        palette[3 * i + 1] = frame.palette[i].peGreen;
        palette[3 * i + 2] = frame.palette[i].peBlue;
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    writer->Add(static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000,
                frame.pixels.pixels, frame.pixels.width, frame.pixels.height, frame.pixels.pitch,
                palette);
}

}  // namespace posix::screen
