// The reader's display as the program sets it up, for the benchmarks: window,
// display, palette, picture and a transparent text layer; and generated scripts.
#ifndef BENCHMARKS_READER_SETUP_H
#define BENCHMARKS_READER_SETUP_H

#include <string>
#include <vector>

// True when the display came up (SDL's dummy driver is enough). The window is
// windowWidth x windowHeight, or the desktop's size when they are 0.
bool StartReaderDisplay(int windowWidth, int windowHeight);
void StopReaderDisplay();

// count text lines of charactersPerLine kana and kanji ending in a full stop, in
// Shift-JIS, followed by the end-of-file entry, as LoadScript would leave them.
void LoadGeneratedScript(int count, int charactersPerLine);
void ClearLoadedScript();

// The Shift-JIS characters the generated lines are made of, cycled.
const std::vector<std::string>& SampleCharacters();

#endif
