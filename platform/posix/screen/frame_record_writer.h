// The file format of a frame record, written by the Linux layer's screen and by
// the Windows build's test recorder alike, so that one reader compares the two.
// Standard C++ only: the MinGW build compiles it too.
//
// The file starts with the 8 bytes "RDRFRM01"; then one entry per frame shown,
// little-endian:
//   int64  time in microseconds (any origin: only differences count)
//   uint8  what follows: 1 the palette, 2 a page change, 3 both
//   [768 bytes]  the palette, 256 entries of red, green, blue
//   [uint16 page width, page height, x, y, w, h; then w * h bytes, row by row]
//                the rectangle of the page that differs from the previous frame
// A frame that shows exactly what the previous one showed is not written.
#ifndef PLATFORM_POSIX_SCREEN_FRAME_RECORD_WRITER_H
#define PLATFORM_POSIX_SCREEN_FRAME_RECORD_WRITER_H

#include <cstdint>
#include <cstdio>
#include <vector>

namespace framerecord {

const int kPaletteBytes = 256 * 3;

class FrameRecordWriter {
public:
    // Writes to file, which it closes when destroyed.
    explicit FrameRecordWriter(std::FILE* file);
    ~FrameRecordWriter();
    FrameRecordWriter(const FrameRecordWriter&) = delete;
    FrameRecordWriter& operator=(const FrameRecordWriter&) = delete;

    // Appends the frame, unless page and palette are those of the last frame.
    // Each entry reaches the file at once: the program may end by a signal.
    void Add(long long micros, const uint8_t* pixels, int width, int height, int pitch,
             const uint8_t palette[kPaletteBytes]);

private:
    std::FILE* file_;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> page_;  // the last frame's page, width_ x height_
    uint8_t palette_[kPaletteBytes];
    bool started_ = false;
};

}  // namespace framerecord

#endif
