// Opening the script and bookmark files for reading, in text mode.
#ifndef STORY_TEXT_FILE_H
#define STORY_TEXT_FILE_H

#include <cstdio>

// The file opened for reading, or null when it cannot be opened. A file that
// opens but fails at its first byte (a folder on Linux, which Windows would not
// open at all) counts as one that cannot be opened. An empty file opens, with
// the end not yet met: the caller's first read meets it.
FILE* OpenForReading(const char* path);

#endif
