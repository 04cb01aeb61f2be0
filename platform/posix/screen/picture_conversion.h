// The 8-bit front page through the palette table into ARGB pixels.
#ifndef PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H
#define PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H

#include "platform/posix/pixels/pixels.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

// Fills picture (width x height, packed) from the indexed pixels.
void ConvertPicture(const IndexedPixels& page, const uint32_t* argbTable,
                    std::vector<uint32_t>* picture);

// The rows of a picture that a present must convert again.
struct RowSpan {
    int first = 0;
    int end = 0;  // exclusive; first == end: nothing changed
    bool empty() const { return first >= end; }
};

// Keeps the picture in step with the page, converting only the rows whose
// indices differ from the copy kept in shown (all of them when the palette or
// the size changed). Returns the rows it converted.
RowSpan ConvertChangedRows(const IndexedPixels& page, const uint32_t* argbTable,
                           bool paletteChanged, std::vector<uint8_t>* shown,
                           std::vector<uint32_t>* picture);

// Copies the packed picture into destination (pitch in bytes), each pixel as a
// scale x scale block.
void CopyScaled(const std::vector<uint32_t>& picture, int width, int height, int scale,
                void* destination, int pitch);
// The same for the rows of span only; destination is the first of them.
void CopyScaledRows(const std::vector<uint32_t>& picture, int width, RowSpan span, int scale,
                    void* destination, int pitch);

}  // namespace posix::screen

#endif
