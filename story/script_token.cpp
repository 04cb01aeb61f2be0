// The rules for a script token, its white space and the cut of one longer than
// its line buffer, kept apart from the file reading so that the story checker
// splits and holds the lines the same way.
#include "story/script.h"

#include "platform/win32.h"

#include <cstring>

void DropSplitCharacter(char* line) {
    const size_t length = std::strlen(line);
    size_t offset = 0;
    while (offset < length) offset += IsDBCSLeadByteEx(932, static_cast<BYTE>(line[offset])) ? 2 : 1;
    if (offset > length) line[length - 1] = '\0';
}

bool IsScriptSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
