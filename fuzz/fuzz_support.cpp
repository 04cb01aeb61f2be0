#include "fuzz/fuzz_support.h"

#include "platform/posix/test_hooks.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// In memory where it can be: every input rewrites a file there, and a disk file
// system may flush a truncated file to the disk on each close.
void EnterScratchFolder() {
    char inMemory[] = "/dev/shm/reader-fuzz-XXXXXX";
    char onDisk[] = "/tmp/reader-fuzz-XXXXXX";
    const char* folder = mkdtemp(inMemory);
    if (!folder) folder = mkdtemp(onDisk);
    if (!folder || chdir(folder) != 0) std::abort();
}

}  // namespace

void StartHeadlessReader() {
    static bool started = false;
    if (started) return;
    started = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EnterScratchFolder();
    if (!StartReaderDisplay(640, 480)) std::abort();
    // The surfaces stay; only what would be shown of them is not: the inputs are
    // about the reader's code, not the presentation.
    testhooks::ResetScreen();
    // Each rest moves the clock on to its end at once: a wait takes a few looks.
    testhooks::UseTestClock(10000, true);
}

std::string WriteScratchFile(const char* name, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(name, "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return name;
}
