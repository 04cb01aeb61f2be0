// A fresh temporary folder made the current directory for one test, as the
// reader runs in the folder that holds its sounds.
#ifndef TESTS_PLATFORM_WINMM_SCRATCH_FOLDER_H
#define TESTS_PLATFORM_WINMM_SCRATCH_FOLDER_H

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

class ScratchFolder {
public:
    ScratchFolder() {
        char previous[4096];
        if (getcwd(previous, sizeof previous)) previous_ = previous;
        char pattern[] = "/tmp/winmm_test_XXXXXX";
        if (mkdtemp(pattern)) path_ = pattern;
        if (path_.empty() || chdir(path_.c_str()) != 0) std::abort();
    }
    ~ScratchFolder() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) std::abort();
        std::string command = "rm -rf '" + path_ + "'";
        if (std::system(command.c_str()) != 0) std::perror("rm");
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    static void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        FILE* file = std::fopen(name.c_str(), "wb");
        if (file == nullptr) std::abort();
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
        std::fclose(file);
    }

private:
    std::string previous_;
    std::string path_;
};

#endif
