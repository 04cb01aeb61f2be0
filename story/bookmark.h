// The bookmark file: one decimal number, the index of the line on screen when the
// reader quit; the next start resumes five lines before it.
#ifndef STORY_BOOKMARK_H
#define STORY_BOOKMARK_H

extern int Bookmark;  // -1 until the story starts

const int ResumeLinesBefore = 5;

void LoadBookmark();
void SaveBookmark(int index);

// Reads the number at the start of a bookmark file's text; keeps fallback when
// there is none. Values beyond an int are clamped.
int ParseBookmark(const char* text, int fallback);

#endif
