#include "platform/posix/screen/frame_record_writer.h"

#include <cstring>

namespace framerecord {

namespace {

const int kPaletteFollows = 1;
const int kPageFollows = 2;

void PutLittleEndian(std::FILE* file, unsigned long long value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFF), file);
}

struct Box {
    int left, top, right, bottom;  // exclusive right and bottom; empty when right <= left
};

// The smallest rectangle holding every pixel where the page differs from the last.
Box ChangedBox(const std::vector<uint8_t>& last, const uint8_t* pixels, int width, int height,
               int pitch) {
    Box box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<long>(y) * pitch;
        const uint8_t* before = last.data() + static_cast<long>(y) * width;
        if (std::memcmp(row, before, static_cast<size_t>(width)) == 0) continue;
        int first = 0, end = width;
        while (row[first] == before[first]) ++first;
        while (row[end - 1] == before[end - 1]) --end;
        if (first < box.left) box.left = first;
        if (end > box.right) box.right = end;
        if (y < box.top) box.top = y;
        box.bottom = y + 1;
    }
    return box;
}

}  // namespace

FrameRecordWriter::FrameRecordWriter(std::FILE* file) : file_(file) {
    std::memset(palette_, 0, sizeof(palette_));
    std::fputs("RDRFRM01", file_);
    std::fflush(file_);
}

FrameRecordWriter::~FrameRecordWriter() { std::fclose(file_); }

void FrameRecordWriter::Add(long long micros, const uint8_t* pixels, int width, int height,
                            int pitch, const uint8_t palette[kPaletteBytes]) {
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return;
    Box box{0, 0, width, height};
    if (started_ && width == width_ && height == height_) {
        box = ChangedBox(page_, pixels, width, height, pitch);
    }
    const bool pageChanged = box.right > box.left;
    const bool paletteChanged = !started_ || std::memcmp(palette, palette_, sizeof(palette_)) != 0;
    if (!pageChanged && !paletteChanged) return;

    PutLittleEndian(file_, static_cast<unsigned long long>(micros), 8);
    std::fputc((paletteChanged ? kPaletteFollows : 0) | (pageChanged ? kPageFollows : 0), file_);
    if (paletteChanged) {
        std::fwrite(palette, 1, sizeof(palette_), file_);
        std::memcpy(palette_, palette, sizeof(palette_));
    }
    if (pageChanged) {
        for (int value : {width, height, box.left, box.top, box.right - box.left, box.bottom - box.top})
            PutLittleEndian(file_, static_cast<unsigned>(value), 2);
        if (width != width_ || height != height_) page_.assign(static_cast<size_t>(width) * height, 0);
        for (int y = box.top; y < box.bottom; ++y) {
            const uint8_t* from = pixels + static_cast<long>(y) * pitch + box.left;
            std::fwrite(from, 1, static_cast<size_t>(box.right - box.left), file_);
            std::memcpy(page_.data() + static_cast<long>(y) * width + box.left, from,
                        static_cast<size_t>(box.right - box.left));
        }
        width_ = width;
        height_ = height;
    }
    started_ = true;
    std::fflush(file_);
}

}  // namespace framerecord
