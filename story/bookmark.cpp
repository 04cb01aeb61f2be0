#include "story/bookmark.h"

#include "episodes/episode_config.h"
#include "shell/quit.h"
#include "story/script.h"
#include "story/text_file.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

int Bookmark = -1;

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
    FILE* file = std::fopen(Episode.BookmarkFileName, "w");
    if (!file) QuitProgram();
    std::fprintf(file, "%d", index);
    std::fclose(file);
}
