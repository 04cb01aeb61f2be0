// Finding and reading a sound file named the way Windows programs name them.
#include "platform/posix/winmm/wave_data.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstdio>

namespace posix::winmm {
namespace {

// Larger files are not sounds a short cue would name; refusing them keeps a
// stray name from reading a whole disk image into memory.
const long long kLargestSoundFile = 256LL * 1024 * 1024;

std::string WithForwardSlashes(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    return name;
}

// Windows file names ignore letter case: find the entry of the current
// directory whose name matches, for a name with no folder part.
bool FindIgnoringCase(const std::string& name, std::string* found) {
    if (name.find('/') != std::string::npos) return false;
    DIR* dir = opendir(".");
    if (dir == nullptr) return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            *found = entry->d_name;
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>* bytes) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (info.st_size > kLargestSoundFile) return false;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    bytes->clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes->size() + got > size_t(kLargestSoundFile)) break;
        bytes->insert(bytes->end(), block, block + got);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

}  // namespace

bool ReadSoundFile(const std::string& name, std::vector<uint8_t>* bytes) {
    if (name.empty()) return false;
    std::string path = WithForwardSlashes(name);
    if (ReadRegularFile(path, bytes)) return true;
    std::string found;
    return FindIgnoringCase(path, &found) && ReadRegularFile(found, bytes);
}

}  // namespace posix::winmm
