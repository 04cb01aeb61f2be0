// CP932 (Microsoft's Shift-JIS) as glibc's iconv converts to it, one character
// at a time: CP932 keeps no state between characters, so the characters'
// bytes put together are the bytes of the whole text.
#ifndef TOOLS_STORY_CHECK_CP932_H
#define TOOLS_STORY_CHECK_CP932_H

#include <string>

// True, and the bytes, when CP932 holds the character.
bool EncodeCp932(char32_t code, std::string* bytes);

// "U+3002" for 。
std::string CodePointName(char32_t code);

#endif
