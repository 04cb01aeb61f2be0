// Generated scripts for the benchmarks; the display comes from the test harness.
#ifndef BENCHMARKS_READER_SETUP_H
#define BENCHMARKS_READER_SETUP_H

#include "tests/support/reader_harness.h"

#include <string>
#include <vector>

// count text lines of charactersPerLine kana and kanji ending in a full stop, in
// Shift-JIS, followed by the end-of-file entry, as LoadScript would leave them.
void LoadGeneratedScript(int count, int charactersPerLine);

// The Shift-JIS characters the generated lines are made of, cycled.
const std::vector<std::string>& SampleCharacters();

#endif
