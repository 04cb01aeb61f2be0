#include "tools/story_check/wave_length.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const uint16_t kFormatPcm = 1;
const uint16_t kFormatExtensible = 0xFFFE;

uint32_t ReadLittleEndian(const std::string& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

struct Chunk {
    size_t body = 0;
    size_t size = 0;  // bytes really present, at most the declared size
    bool found = false;
};

bool PlayableFormat(const std::string& image, const Chunk& fmt, uint32_t* rate, uint16_t* frame) {
    if (fmt.size < 16) return false;
    const uint16_t tag = ReadLittleEndian(image, fmt.body, 2);
    const uint16_t channels = ReadLittleEndian(image, fmt.body + 2, 2);
    *rate = ReadLittleEndian(image, fmt.body + 4, 4);
    *frame = ReadLittleEndian(image, fmt.body + 12, 2);
    const uint16_t bits = ReadLittleEndian(image, fmt.body + 14, 2);
    // An extensible header names PCM by the first field of its subformat.
    if (tag == kFormatExtensible) {
        if (fmt.size < 40 || ReadLittleEndian(image, fmt.body + 24, 4) != kFormatPcm) return false;
    } else if (tag != kFormatPcm) {
        return false;
    }
    return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && *rate >= 1000 &&
           *rate <= 384000 && *frame == channels * bits / 8;
}

}  // namespace

bool FindCueFile(const std::string& folder, const std::string& name, std::string* path) {
    const std::string exact = folder + "/" + name;
    if (IsRegularFile(exact)) {
        *path = exact;
        return true;
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 &&
            IsRegularFile(folder + "/" + entry->d_name)) {
            *path = folder + "/" + entry->d_name;
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

bool PlayableWaveLength(const std::string& image, double* ms) {
    if (image.size() < 12 || image.compare(0, 4, "RIFF") != 0 || image.compare(8, 4, "WAVE") != 0)
        return false;
    const size_t end =
        std::min<uint64_t>(uint64_t(ReadLittleEndian(image, 4, 4)) + 8, image.size());
    Chunk fmt, data;
    for (size_t at = 12; at + 8 <= end && !(fmt.found && data.found);) {
        const uint64_t declared = ReadLittleEndian(image, at + 4, 4);
        Chunk chunk{at + 8, size_t(std::min<uint64_t>(declared, end - (at + 8))), true};
        if (!fmt.found && image.compare(at, 4, "fmt ") == 0) fmt = chunk;
        if (!data.found && image.compare(at, 4, "data") == 0) data = chunk;
        at += 8 + declared + (declared & 1);  // odd bodies are padded to even
    }
    uint32_t rate = 0;
    uint16_t frame = 0;
    if (!fmt.found || !data.found || !PlayableFormat(image, fmt, &rate, &frame)) return false;
    *ms = 1000.0 * double(data.size / frame) / rate;
    return true;
}
