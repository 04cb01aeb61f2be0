#include "tools/make_kabe0/bmp_file.h"

#include <stdexcept>

namespace {

void Put16(std::vector<uint8_t>* out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

constexpr uint32_t kFileHeaderSize = 14, kInfoHeaderSize = 40;

}  // namespace

std::vector<uint8_t> EncodeBmp(int width, int height, const ColourTable& table,
                               const std::vector<uint8_t>& indices) {
    if (width <= 0 || height <= 0 || width % 4 != 0 ||
        indices.size() != static_cast<size_t>(width) * height)
        throw std::invalid_argument("picture size does not fit an unpadded 8-bit bitmap");
    const uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * kTableSize;
    const uint32_t fileSize = pixelOffset + static_cast<uint32_t>(indices.size());

    std::vector<uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    Put32(&out, fileSize);
    Put32(&out, 0);  // reserved
    Put32(&out, pixelOffset);

    Put32(&out, kInfoHeaderSize);
    Put32(&out, static_cast<uint32_t>(width));
    Put32(&out, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(&out, 1);                              // planes
    Put16(&out, 8);                              // bits per pixel
    Put32(&out, 0);                              // BI_RGB
    Put32(&out, 0);                              // image size: 0 is allowed for BI_RGB
    Put32(&out, 0);                              // pixels per metre, x and y
    Put32(&out, 0);
    Put32(&out, kTableSize);                     // colours used
    Put32(&out, 0);                              // colours important: all

    for (const Rgb& c : table) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const auto row = indices.begin() + static_cast<long>(y) * width;
        out.insert(out.end(), row, row + width);
    }
    return out;
}
