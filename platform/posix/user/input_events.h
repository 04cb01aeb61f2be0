// SDL's events become the messages Windows delivers for them.
#ifndef PLATFORM_POSIX_USER_INPUT_EVENTS_H
#define PLATFORM_POSIX_USER_INPUT_EVENTS_H

#include <SDL.h>

namespace posix::user {

// At window creation: where the pointer is now is not a move.
void StartPointerTracking();
// Takes every waiting SDL event: input is queued, activation and close requests
// are sent to the window procedure at once. SDL reads the display only when
// there may be something to read (see NoteRestEnded).
void PumpInput();
// A rest ended; displayQuiet when the display sent nothing during it.
void NoteRestEnded(bool displayQuiet);
// Something talked to the display (a present): the next look reads it again.
void NoteDisplayUsed();
void HandleEvent(const SDL_Event& event);

}  // namespace posix::user

#endif
