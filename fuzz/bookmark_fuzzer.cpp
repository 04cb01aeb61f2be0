// The bookmark file read against a script of a few lines: the line it resumes at
// is always one of the script's, and a saved number reads back as itself.
#include "episodes/episode_config.h"
#include "fuzz/fuzz_support.h"
#include "story/bookmark.h"
#include "story/script.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartHeadlessReader();
    if (size == 0) return 0;
    const int lines = 1 + data[0] % 40;
    FreeScript();
    for (int i = 0; i < lines; ++i) ScriptLines[ScriptLineCount++] = new char[ScriptLineSize]();

    WriteScratchFile(Episode.BookmarkFileName, data + 1, size - 1);
    Bookmark = -1;
    LoadBookmark();
    if (Bookmark < 0 || Bookmark >= ScriptLineCount) std::abort();

    // The text parsed directly: a number that reads at all is clamped, never wrapped.
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const int parsed = ParseBookmark(text.c_str(), -7);
    SaveBookmark(parsed);
    FILE* file = std::fopen(Episode.BookmarkFileName, "r");
    char back[32] = "";
    if (!file || std::fscanf(file, "%31s", back) != 1) std::abort();
    std::fclose(file);
    if (ParseBookmark(back, -8) != parsed) std::abort();
    FreeScript();
    return 0;
}
