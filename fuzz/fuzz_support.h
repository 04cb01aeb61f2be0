// Shared set-up of the fuzz targets: the reader's display, headless, on the test
// clock with the recorded audio output, inside a private working folder.
#ifndef FUZZ_FUZZ_SUPPORT_H
#define FUZZ_FUZZ_SUPPORT_H

#include "tests/support/reader_harness.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Once per process: SDL's dummy drivers, a scratch folder as the working folder,
// the reader's display with nothing presented, and the test clock.
void StartHeadlessReader();

// Writes bytes to a file in the working folder; its name.
std::string WriteScratchFile(const char* name, const uint8_t* data, size_t size);

#endif
