#include "story/script.h"

#include "episodes/episode_config.h"
#include "platform/win32.h"
#include "shell/quit.h"
#include "story/text_file.h"

#include <cstdio>
#include <cstring>

char* ScriptLines[ScriptCapacity] = {};
int ScriptLineCount = 0;

namespace {

// Passes over the rest of a token that did not fit its line buffer.
void SkipRestOfToken(FILE* file) {
    int c = std::fgetc(file);
    while (c != EOF && !IsScriptSpace(c)) c = std::fgetc(file);
    if (c != EOF) std::ungetc(c, file);
}

// Reads one token into line. A token longer than the buffer keeps its first whole
// characters and the rest of it is passed over, so it never becomes a line of its
// own. True when the reading should go on.
bool ReadToken(FILE* file, char* line) {
    std::fscanf(file, "%255s", line);
    if (std::strlen(line) == ScriptLineSize - 1) {
        SkipRestOfToken(file);
        DropSplitCharacter(line);
    }
    // Text mode ends the file at Ctrl-Z on Windows; read it the same way everywhere.
    char* end = std::strchr(line, CtrlZ);
    if (end) {
        *end = '\0';
        return false;
    }
    return !std::ferror(file);
}

}  // namespace

bool ReadScriptFile(const char* path) {
    // An empty file still makes one entry: the loop's first read meets the end.
    FILE* file = OpenForReading(path);
    if (!file) return false;
    while (!std::feof(file) && ScriptLineCount < ScriptCapacity) {
        // A read that meets the end of the file stores nothing: its line stays empty.
        char* line = new char[ScriptLineSize]();
        ScriptLines[ScriptLineCount] = line;
        const bool goOn = ReadToken(file, line);
        ++ScriptLineCount;
        if (!goOn) break;
    }
    std::fclose(file);
    return true;
}

void LoadScript() {
    if (!ReadScriptFile(Episode.ScriptFileName)) QuitProgram();
}
