#include "platform/posix/video/test_hooks.h"

#include "platform/posix/video/video.h"
#include "platform/posix/video/video_state.h"

#include <SDL.h>

namespace testhooks {

void ResetVideo() {
    posix::video::DestroyHostWindow();
    if (SDL_WasInit(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0)
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    posix::video::State().start = posix::video::VideoStart::NotTried;
    posix::video::State().presentingChosen = false;
}

void UsePresenting(const posix::video::PresentingChoice& choice) {
    posix::video::State().presentingChosen = true;
    posix::video::State().presenting = choice;
}

}  // namespace testhooks
