// Finding and reading a sound file named the way Windows programs name them.
#include "platform/posix/winmm/sound.h"
#include "platform/posix/winmm/winmm.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return name[0] == '/' ? name : folder + "/" + name;
}

// Windows file names ignore letter case: the entry of folder whose name
// matches, for a name with no folder part.
bool FindIgnoringCase(const std::string& folder, const std::string& name, std::string* found) {
    if (name.find('/') != std::string::npos) return false;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    bool matched = false;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && IsRegularFile(InFolder(folder, entry->d_name))) {
            *found = InFolder(folder, entry->d_name);
            matched = true;
            break;
        }
    }
    closedir(dir);
    return matched;
}

void Explain(std::string* why, const std::string& reason) {
    if (why != nullptr) *why = reason;
}

}  // namespace

bool FindSoundFile(const std::string& folder, const std::string& name, std::string* path) {
    if (name.empty()) return false;
    const std::string wanted = WithForwardSlashes(name);
    if (IsRegularFile(InFolder(folder, wanted))) {
        *path = InFolder(folder, wanted);
        return true;
    }
    return FindIgnoringCase(folder, wanted, path);
}

bool ReadSoundBytes(const std::string& path, std::vector<uint8_t>* bytes, std::string* why) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        Explain(why, "it is not a file");
        return false;
    }
    if (info.st_size > kLargestSoundFile) {
        Explain(why, "it is larger than 256 MB");
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        Explain(why, std::string("it cannot be read: ") + std::strerror(errno));
        return false;
    }
    bytes->clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes->size() + got > size_t(kLargestSoundFile)) break;
        bytes->insert(bytes->end(), block, block + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) Explain(why, "it cannot be read");
    return !failed;
}

bool ReadSoundFile(const std::string& name, std::vector<uint8_t>* bytes) {
    std::string path;
    if (!FindSoundFile(".", name, &path) && !FetchSoundFile(name, &path)) return false;
    return ReadSoundBytes(path, bytes);
}

}  // namespace posix::winmm
