#include "story/bookmark.h"

#include "episodes/episode_config.h"
#include "platform/win32.h"
#include "shell/quit.h"
#include "story/script.h"
#include "story/text_file.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

int Bookmark = -1;

namespace {

// Creates the file, or empties it, for writing.
HANDLE CreateEmptyFile(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                       NULL);
}

// Writes the text into a file just emptied, forces it to the disk and closes it.
bool WriteToDisk(HANDLE file, const std::string& text) {
    const DWORD size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    const bool done = WriteFile(file, text.data(), size, &written, NULL) && written == size &&
                      FlushFileBuffers(file);
    CloseHandle(file);
    return done;
}

// The new file takes the bookmark's permissions. (On Windows a new file takes its
// folder's access rules, as the bookmark did; the read-only flag is all this copies.)
void CopyPermissions(const std::string& from, const std::string& to) {
    std::error_code failed;
    const std::filesystem::file_status status = std::filesystem::status(from, failed);
    if (!failed) std::filesystem::permissions(to, status.permissions(), failed);
}

// The final path of the file a symbolic link leads to; empty when there is none.
std::string LinkTarget(const char* link) {
    HANDLE file = CreateFileA(link, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    char path[MAX_PATH];
    const DWORD length = GetFinalPathNameByHandleA(file, path, MAX_PATH,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

// The file a save replaces whole: the bookmark, or the file a symbolic link in its
// place leads to, so that the link stays a link. Empty when it cannot be replaced
// whole: a link that leads nowhere, or a read-only file, which Windows does not
// let a rename replace (the rewrite in place then fails unless it may be written).
std::string ReplaceableFile(const char* name) {
    std::string path = name;
    DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        path = LinkTarget(name);
        if (path.empty()) return path;
        attributes = GetFileAttributesA(path.c_str());
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return std::string();
    return path;
}

// Puts the text in the file's place in one step: it goes into a new file beside it,
// forced to the disk, which a rename then puts in place, on the disk before it
// returns. Killed at any moment, the save leaves the old file or the new one; a
// new file left behind is emptied and reused by the next save.
bool ReplaceWhole(const std::string& path, const std::string& text) {
    const std::string fresh = path + ".new";
    HANDLE file = CreateEmptyFile(fresh);
    if (file == INVALID_HANDLE_VALUE) return false;
    CopyPermissions(path, fresh);
    const DWORD replace = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (WriteToDisk(file, text) && MoveFileExA(fresh.c_str(), path.c_str(), replace)) return true;
    DeleteFileA(fresh.c_str());
    return false;
}

bool RewriteInPlace(const char* path, const std::string& text) {
    HANDLE file = CreateEmptyFile(path);
    return file != INVALID_HANDLE_VALUE && WriteToDisk(file, text);
}

}  // namespace

// Like "%d", but a number too large for an int is clamped instead of being undefined.
int ParseBookmark(const char* text, int fallback) {
    char* end;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text) return fallback;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void LoadBookmark() {
    FILE* file = OpenForReading(Episode.BookmarkFileName);
    if (!file) QuitProgram();
    char number[32] = "";
    if (std::fscanf(file, "%31s", number) == 1) Bookmark = ParseBookmark(number, Bookmark);
    std::fclose(file);

    const long long resumeAt = static_cast<long long>(Bookmark) - ResumeLinesBefore;
    Bookmark = resumeAt < 0 ? 0 : static_cast<int>(resumeAt);
    // A bookmark from a longer script, or edited by hand, names no line: start again.
    if (Bookmark >= ScriptLineCount) Bookmark = 0;
}

void SaveBookmark(int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", index);
    const std::string text = digits;
    const std::string target = ReplaceableFile(Episode.BookmarkFileName);
    if (!target.empty() && ReplaceWhole(target, text)) return;
    // Where no new file can be made beside it, the bookmark is rewritten in place;
    // where it cannot be written at all, the program ends.
    if (RewriteInPlace(Episode.BookmarkFileName, text)) return;
    QuitProgram();
}
