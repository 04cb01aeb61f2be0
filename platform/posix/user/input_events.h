// SDL's events become the messages Windows delivers for them.
#ifndef PLATFORM_POSIX_USER_INPUT_EVENTS_H
#define PLATFORM_POSIX_USER_INPUT_EVENTS_H

#include <SDL.h>

namespace posix::user {

// At window creation: where the pointer is now is not a move.
void StartPointerTracking();
// Takes every waiting SDL event: input is queued, activation and close requests
// are sent to the window procedure at once. SDL reads the display only when the
// idle policy says there may be something to read.
void PumpInput();
void HandleEvent(const SDL_Event& event);

}  // namespace posix::user

#endif
