// Renaming a file over another, or only where none is, as MoveFileExA needs it.
// Per host: linux/file_rename.cpp (one atomic call) or web/file_rename.cpp (a
// browser page's file system, which has no renameat2).
#ifndef PLATFORM_POSIX_KERNEL_FILE_RENAME_H
#define PLATFORM_POSIX_KERNEL_FILE_RENAME_H

namespace posix::kernel {

// Renames from to to, replacing a file at to only when replace is set; errno as
// rename(2) sets it (EEXIST when to exists and may not be replaced).
bool RenameFile(const char* from, const char* to, bool replace);

}  // namespace posix::kernel

#endif
