// Resting while the program waits. This module defines GetTickCount itself
// (KERNEL32's, declared in platform/win32.h): every clock read the program makes
// passes through it, and that is how the layer sees the program mark the time.
//
// The reader has no message loop: every pause is a busy loop that looks at the
// message queue and reads GetTickCount until its time has come. On Windows that
// loop spins; here an empty look may rest instead, so that a wait costs next to
// nothing. A rest is a sleep until the next 20 ms step counted from the program's
// last mark (the clock read that timed the step), or until the display sends
// input, focus or a close request, or a quit signal arrives: those wake it at
// once. It happens only once the program has shown that it is waiting: the third
// empty look in a row with nothing but clock reads between, counted from its last
// mark or from anything it drew, played or sent to the palette. A wait cut short
// by Ctrl (one look each) and a loop that draws between looks never rest, so
// fast-forward loses nothing. The layer cannot see the program mark the time,
// but it can tell the reads apart: a wait's reads each follow a look, a mark's
// does not.
#ifndef PLATFORM_POSIX_IDLE_IDLE_H
#define PLATFORM_POSIX_IDLE_IDLE_H

#include "platform/win32.h"

namespace posix::idle {

// The steps a rest ends on. Windows' own tick advances in steps of 10 to 16 ms,
// so no program can time a wait finer than that; the programs on this layer time
// every wait in whole multiples of 20 ms from its mark (fades 20, characters 100
// and up, holds and pauses in seconds). A rest that ends on the mark's next step
// therefore never makes a wait end late.
constexpr DWORD kStepMs = 20;
// How many empty looks, with only clock reads between, show that the program is
// waiting. A wait cut short by Ctrl looks once, and the program never makes two
// such waits in a row without drawing between them, so fast-forward stays below.
constexpr int kLooksBeforeRest = 3;

// Drawing, a palette sent, a sound played: the program is working.
void NoteWork();
// A message taken from the queue (input): the program may now do something else
// (Ctrl let go: the waits are paced again, from a mark read while fast-forwarding),
// so the mark it had may not be the one it waits on.
void NoteMessage();

// At every look at the queue that found it empty: true when this look should rest.
bool ShouldRest();
struct RestEnd {
    bool displayQuiet;  // the display has an input descriptor and sent nothing
    bool woken;         // wakeDescriptor became readable
};
// Rests until the next step of the mark (a millisecond when no mark is known), or
// until the display sends something or wakeDescriptor (-1: none) is readable.
RestEnd Rest(int wakeDescriptor);

// Forgets the mark and the looks counted (tests).
void Forget();

}  // namespace posix::idle

#endif
