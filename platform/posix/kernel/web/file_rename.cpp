// A page's file system (emscripten's) has plain rename only. The page is its one
// user and the program its one thread, so a look for the target just before the
// rename cannot be overtaken.
#include "platform/posix/kernel/file_rename.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace posix::kernel {

bool RenameFile(const char* from, const char* to, bool replace) {
    struct stat info;
    if (!replace && lstat(to, &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from, to) == 0;
}

}  // namespace posix::kernel
