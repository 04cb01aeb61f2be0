// The full-width forms of half-width characters, to suggest in their place.
#ifndef TOOLS_STORY_CHECK_FULL_WIDTH_H
#define TOOLS_STORY_CHECK_FULL_WIDTH_H

#include <string>

// True for the characters CP932 keeps in one byte that a story may mean as
// text: ASCII letters, digits and signs, the yen sign and the overline, and
// half-width katakana.
bool IsHalfWidth(char32_t code);

// The full-width form of a run of half-width characters, with a
// katakana and its following voicing mark made one (ｶﾞ gives ガ).
std::u32string FullWidthOf(const std::u32string& halfWidth);

#endif
