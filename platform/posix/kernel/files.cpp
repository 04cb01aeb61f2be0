// KERNEL32's file calls on POSIX descriptors: what a save needs to replace a file
// whole (a new file written and forced to the disk, then renamed into place).
//
// Share modes have no POSIX counterpart and are not enforced; security
// attributes and template files are not supported (null is expected). A file
// handle is an entry of this module's table, so that a stale or foreign handle
// is refused instead of closing someone else's descriptor.
#include "platform/win32.h"

#include "platform/posix/kernel/file_rename.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct OpenFile {
    int descriptor;
    bool writable;
};

std::set<OpenFile*>& OpenFiles() {
    static std::set<OpenFile*> files;
    return files;
}

OpenFile* FileOf(HANDLE handle) {
    OpenFile* file = static_cast<OpenFile*>(handle);
    return OpenFiles().count(file) ? file : nullptr;
}

int AccessFlags(DWORD access, DWORD disposition) {
    const bool reads = access & GENERIC_READ, writes = access & GENERIC_WRITE;
    if (reads && writes) return O_RDWR;
    if (writes) return O_WRONLY;
    if (reads) return O_RDONLY;
    // No access asked: a handle to look at the file (its final path) only.
    return disposition == OPEN_EXISTING ? O_PATH : O_RDONLY;
}

// -1 for a disposition Windows does not know.
int DispositionFlags(DWORD disposition) {
    switch (disposition) {
    case CREATE_NEW: return O_CREAT | O_EXCL;
    case CREATE_ALWAYS: return O_CREAT | O_TRUNC;
    case OPEN_EXISTING: return 0;
    case OPEN_ALWAYS: return O_CREAT;
    case TRUNCATE_EXISTING: return O_TRUNC;
    default: return -1;
    }
}

bool IsReadOnly(const struct stat& info) {
    // As Wine shows Unix files: read-only when nobody may write them.
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string FolderOf(const char* path) {
    const char* slash = std::strrchr(path, '/');
    if (!slash) return ".";
    if (slash == path) return "/";
    return std::string(path, slash - path);
}

bool SyncFolder(const std::string& folder) {
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return false;
    const bool synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
                          DWORD creationDisposition, DWORD, HANDLE) {
    const int disposition = DispositionFlags(creationDisposition);
    if (fileName == nullptr || disposition < 0) return INVALID_HANDLE_VALUE;
    if (creationDisposition == TRUNCATE_EXISTING && !(desiredAccess & GENERIC_WRITE))
        return INVALID_HANDLE_VALUE;
    const int flags = AccessFlags(desiredAccess, creationDisposition) | disposition | O_CLOEXEC;
    int descriptor;
    do {
        descriptor = open(fileName, flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0) return INVALID_HANDLE_VALUE;
    // Windows opens a folder only when asked for backup semantics.
    struct stat info;
    if (fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        close(descriptor);
        return INVALID_HANDLE_VALUE;
    }
    OpenFile* file = new OpenFile{descriptor, (desiredAccess & GENERIC_WRITE) != 0};
    OpenFiles().insert(file);
    return file;
}

BOOL WINAPI WriteFile(HANDLE handle, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten,
                      LPOVERLAPPED overlapped) {
    OpenFile* file = FileOf(handle);
    if (bytesWritten) *bytesWritten = 0;
    if (!file || !file->writable || overlapped || (!buffer && bytesToWrite)) return FALSE;
    const char* bytes = static_cast<const char*>(buffer);
    DWORD done = 0;
    while (done < bytesToWrite) {
        const ssize_t written = write(file->descriptor, bytes + done, bytesToWrite - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += static_cast<DWORD>(written);
    }
    if (bytesWritten) *bytesWritten = done;
    return done == bytesToWrite;
}

BOOL WINAPI FlushFileBuffers(HANDLE handle) {
    // Windows asks for a handle with write access.
    OpenFile* file = FileOf(handle);
    return file && file->writable && fsync(file->descriptor) == 0;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
    OpenFile* file = FileOf(handle);
    if (!file) return FALSE;
    OpenFiles().erase(file);
    const int closed = close(file->descriptor);
    delete file;
    return closed == 0 || errno == EINTR;  // after EINTR the descriptor is gone all the same
}

BOOL WINAPI MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
    if (!existingFileName || !newFileName ||
        (flags & ~DWORD{MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH}))
        return FALSE;
    if (!posix::kernel::RenameFile(existingFileName, newFileName,
                                   (flags & MOVEFILE_REPLACE_EXISTING) != 0))
        return FALSE;
    if (!(flags & MOVEFILE_WRITE_THROUGH)) return TRUE;
    // The rename is on the disk when its folders' entries are.
    const std::string from = FolderOf(existingFileName), to = FolderOf(newFileName);
    return SyncFolder(to) && (from == to || SyncFolder(from));
}

BOOL WINAPI DeleteFileA(LPCSTR fileName) {
    struct stat info;
    if (!fileName || lstat(fileName, &info) != 0) return FALSE;
    // Windows deletes neither folders nor read-only files; a link goes, not its target.
    if (S_ISDIR(info.st_mode) || (!S_ISLNK(info.st_mode) && IsReadOnly(info))) return FALSE;
    return unlink(fileName) == 0;
}

DWORD WINAPI GetFileAttributesA(LPCSTR fileName) {
    struct stat info;
    if (!fileName || lstat(fileName, &info) != 0) return INVALID_FILE_ATTRIBUTES;
    // A symbolic link's own attributes, as Windows gives them: a reparse point, and
    // a folder when it points at one.
    if (S_ISLNK(info.st_mode)) {
        struct stat target;
        const bool folder = stat(fileName, &target) == 0 && S_ISDIR(target.st_mode);
        return FILE_ATTRIBUTE_REPARSE_POINT | (folder ? FILE_ATTRIBUTE_DIRECTORY : 0);
    }
    DWORD attributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (IsReadOnly(info)) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

DWORD WINAPI GetFinalPathNameByHandleA(HANDLE handle, LPSTR filePath, DWORD filePathSize,
                                       DWORD flags) {
    OpenFile* file = FileOf(handle);
    if (!file || flags != (FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) return 0;
    // The kernel keeps the path the descriptor reaches, every link resolved.
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", file->descriptor);
    char path[4096];
    const ssize_t length = readlink(link, path, sizeof path);
    if (length <= 0 || length >= static_cast<ssize_t>(sizeof path)) return 0;
    // Too small a buffer: the size it needs, its terminating null included.
    const DWORD size = static_cast<DWORD>(length);
    if (!filePath || size >= filePathSize) return size + 1;
    std::memcpy(filePath, path, size);
    filePath[size] = '\0';
    return size;
}
