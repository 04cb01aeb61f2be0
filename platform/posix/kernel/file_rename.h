// Renaming a file over another, or only where none is, as MoveFileExA needs it.
// Chosen at link time: kernel/linux_rename.cpp (one atomic call) or
// kernel/browser_rename.cpp (a browser page's file system).
#ifndef PLATFORM_POSIX_KERNEL_FILE_RENAME_H
#define PLATFORM_POSIX_KERNEL_FILE_RENAME_H

namespace posix::kernel {

// Renames from to to, replacing a file at to only when replace is set; errno as
// rename(2) sets it (EEXIST when to exists and may not be replaced).
bool RenameFile(const char* from, const char* to, bool replace);

}  // namespace posix::kernel

#endif
