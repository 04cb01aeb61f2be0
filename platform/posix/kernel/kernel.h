// What the other modules of the Linux layer use of KERNEL32's side: the
// resources built into the program, code page 932 and the clock.
#ifndef PLATFORM_POSIX_KERNEL_KERNEL_H
#define PLATFORM_POSIX_KERNEL_KERNEL_H

#include "platform/win32.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct pollfd;

namespace posix::kernel {

// ---- Resources built into the program ----------------------------------------
struct EmbeddedResource {
    const char* name;        // upper-case name, as FindResourceA compares them
    uintptr_t type;          // numeric resource type, 2 for RT_BITMAP
    const unsigned char* data;
    size_t size;             // for RT_BITMAP: the .bmp without its 14-byte file header
};
// The build's generated resource table calls this from a static initialiser.
void RegisterEmbeddedResources(const EmbeddedResource* table, size_t count);

// ---- Code page 932 -------------------------------------------------------------
// What Windows gives for bytes code page 932 cannot map: KATAKANA MIDDLE DOT.
constexpr uint32_t kReplacementCodePoint = 0x30FB;

struct DecodedCharacter {
    uint32_t codePoint;
    size_t bytes;  // 1 or 2, never more than were left
};

// Decodes the character at text[0] of the `left` bytes there (left >= 1). Bytes
// that do not decode give kReplacementCodePoint: an invalid pair whose second
// byte may follow a lead byte is taken as one character, otherwise the lead byte
// alone is.
DecodedCharacter DecodeCp932Character(const unsigned char* text, size_t left);

// One code point in UTF-8.
std::string Utf8Of(uint32_t codePoint);

// The bytes as UTF-8, each character decoded as above.
std::string Cp932ToUtf8(const char* text, size_t length);

// ---- The tick -------------------------------------------------------------------
// GetTickCount without taking the read for the program's: for the layer's own
// timing (message times, frame pacing).
DWORD CurrentTick();
// Sleeps until CurrentTick reads tick, or until one of the descriptors can be read
// or a signal arrives; when tick is not ahead, only looks at the descriptors. Their
// revents say which woke it. CurrentTick and this are the clock, which tests
// replace at link time with one they can set.
void SleepUntil(DWORD tick, pollfd* wake, int count);
// Where the host runs only while the program sleeps (a browser page), gives it the
// thread when the program has not slept for a frame's time, so that it shows what
// was drawn and delivers input; nothing where the host runs beside the program.
void LetHostRun();

}  // namespace posix::kernel

#endif
