// The UTF-8 story as characters: each with its place and its CP932 bytes.
#ifndef TOOLS_STORY_CHECK_SOURCE_TEXT_H
#define TOOLS_STORY_CHECK_SOURCE_TEXT_H

#include "story/script.h"

#include <string>
#include <vector>

struct SourceCharacter {
    char32_t code = 0;  // the code point; for a byte that is not UTF-8, the byte
    int row = 1;
    int column = 1;         // counted in characters
    bool utf8 = true;       // false: a byte that does not decode as UTF-8
    bool encodable = true;  // CP932 holds it
    std::string cp932;      // its bytes in the script; a stand-in when not encodable
};

std::vector<SourceCharacter> ReadSourceText(const std::string& utf8);

#endif
