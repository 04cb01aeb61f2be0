// A BMP file as the resource compiler stores it: without the 14-byte file header.
#ifndef TOOLS_EMBED_RESOURCES_BITMAP_FILE_H
#define TOOLS_EMBED_RESOURCES_BITMAP_FILE_H

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

constexpr size_t kBmpFileHeaderSize = 14;

inline uint32_t ReadLittle32(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Checks the file header and returns the packed DIB that follows it. A file whose
// header does not match its length is refused rather than embedded half-read.
inline bool DibFromBmpFile(const std::vector<uint8_t>& file, std::vector<uint8_t>* dib, std::string* error) {
    if (file.size() < kBmpFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M') {
        *error = "not a BMP file";
        return false;
    }
    if (ReadLittle32(file, 2) != file.size()) {
        *error = "file header size " + std::to_string(ReadLittle32(file, 2)) + " but file has " +
                 std::to_string(file.size()) + " bytes";
        return false;
    }
    const uint32_t infoSize = ReadLittle32(file, kBmpFileHeaderSize);
    const uint32_t pixelOffset = ReadLittle32(file, 10);
    if (infoSize < 12 || pixelOffset < kBmpFileHeaderSize + infoSize || pixelOffset > file.size()) {
        *error = "inconsistent header (info " + std::to_string(infoSize) + ", pixels at " +
                 std::to_string(pixelOffset) + ")";
        return false;
    }
    dib->assign(file.begin() + kBmpFileHeaderSize, file.end());
    return true;
}

}  // namespace rc

#endif
