// The reader set up in this process as WinMain sets it up, for the tests, the
// benchmarks and the fuzz targets: the window, the display, the palette, the
// picture and a clear text layer; scripts put straight into ScriptLines; and
// everything taken down again so that the next run starts from nothing.
#ifndef TESTS_SUPPORT_READER_HARNESS_H
#define TESTS_SUPPORT_READER_HARNESS_H

#include <string>
#include <vector>

// True when the display came up (SDL's dummy driver is enough). The window is
// width x height, or the desktop's size when they are 0.
bool StartReaderDisplay(int width = 0, int height = 0);
// Releases the display, forgets its pointers and palettes, and resets the window
// and the screen of the Linux layer.
void StopReaderDisplay();

// The display as above on the test clock, with no sound played yet and the
// story's state as at the program's start: pacing on, the pen at the margin in
// white, no bookmark. StopStory undoes all of it and frees the script.
bool StartStoryOnTestClock();
void StopStory();

// Empties ScriptLines and fills it with lines, as LoadScript would leave them.
void SetScript(const std::vector<std::string>& lines);
// Frees every script line and empties the table.
void FreeScript();

#endif
