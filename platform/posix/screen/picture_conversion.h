// The 8-bit front page through the palette table into ARGB pixels.
#ifndef PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H
#define PLATFORM_POSIX_SCREEN_PICTURE_CONVERSION_H

#include "platform/posix/internal.h"

#include <cstdint>
#include <vector>

namespace posix::screen {

// Fills picture (width x height, packed) from the indexed pixels.
void ConvertPicture(const IndexedPixels& page, const uint32_t* argbTable,
                    std::vector<uint32_t>* picture);

// Copies the packed picture into destination (pitch in bytes), each pixel as a
// scale x scale block.
void CopyScaled(const std::vector<uint32_t>& picture, int width, int height, int scale,
                void* destination, int pitch);

}  // namespace posix::screen

#endif
