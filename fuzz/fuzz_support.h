// Shared set-up of the fuzz targets: the reader's display, headless, on the test
// clock with instant sounds, inside a private working folder.
#ifndef FUZZ_FUZZ_SUPPORT_H
#define FUZZ_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Once per process: SDL's dummy drivers, a scratch folder as the working folder,
// the window, the display, the palette and the picture, the test clock.
void StartHeadlessReader();

// Writes bytes to a file in the working folder; its name.
std::string WriteScratchFile(const char* name, const uint8_t* data, size_t size);

// Frees every script line and empties the table.
void FreeScript();

#endif
