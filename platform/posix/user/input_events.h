// SDL's events become the messages Windows delivers for them.
#ifndef PLATFORM_POSIX_USER_INPUT_EVENTS_H
#define PLATFORM_POSIX_USER_INPUT_EVENTS_H

#include <SDL.h>

namespace posix::user {

// At window creation: where the pointer is now is not a move.
void StartPointerTracking();
// Takes every waiting SDL event: input is queued, activation and close requests
// are sent to the window procedure at once.
void PumpInput();
// How a rest on the display's descriptor ended. After one that the display did
// not wake, whatever SDL had read is taken already, so the next PumpInput need
// not ask SDL to read the display.
void NoteRestEnd(bool displayWoke);
// Something since talked to the display: the next PumpInput asks SDL again.
void ForgetQuietRest();
void HandleEvent(const SDL_Event& event);

}  // namespace posix::user

#endif
