// The story as the reader reads it: every white-space-separated token is one
// script line, held as the reader's script reading holds it in its line buffer;
// a Ctrl-Z ends the reading.
#ifndef TOOLS_STORY_CHECK_SCRIPT_LINES_H
#define TOOLS_STORY_CHECK_SCRIPT_LINES_H

#include "tools/story_check/source_text.h"

#include <string>
#include <vector>

struct ScriptLine {
    size_t first = 0;   // index of its first source character
    size_t count = 0;   // how many source characters it is made of
    std::string token;  // all its bytes in CP932
    std::string held;   // the bytes the reader keeps of it
};

struct ScriptText {
    std::vector<ScriptLine> lines;  // every token, also those the reader never reads
    size_t readable = 0;            // source characters before a Ctrl-Z (all when none)
};

ScriptText SplitIntoLines(const std::vector<SourceCharacter>& source);

// The script file: the CP932 bytes of every source character, Ctrl-Z and all.
std::string ScriptBytes(const std::vector<SourceCharacter>& source);

// What the reader's presenter takes each line for.
bool IsColourLine(const std::string& held);    // exactly c0 or c1
bool IsSoundLine(const std::string& held);     // first byte s
bool IsRowBreakLine(const std::string& held);  // exactly the full-width space

#endif
