// Linux refuses to replace in the same call that renames, so no other process can
// slip a file in between.
#include "platform/posix/kernel/file_rename.h"

#include <cstdio>
#include <fcntl.h>

namespace posix::kernel {

bool RenameFile(const char* from, const char* to, bool replace) {
    return renameat2(AT_FDCWD, from, AT_FDCWD, to, replace ? 0 : RENAME_NOREPLACE) == 0;
}

}  // namespace posix::kernel
