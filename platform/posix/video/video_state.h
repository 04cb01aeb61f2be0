// What the video module keeps (shared by video.cpp and its test hooks).
#ifndef PLATFORM_POSIX_VIDEO_VIDEO_STATE_H
#define PLATFORM_POSIX_VIDEO_VIDEO_STATE_H

#include "platform/posix/video/presenting.h"

struct SDL_Window;

namespace posix::video {

enum class VideoStart { NotTried, Up, Unavailable };

struct VideoState {
    VideoStart start = VideoStart::NotTried;
    bool exitHandlerSet = false;
    SDL_Window* host = nullptr;
    int inputDescriptor = -1;  // of the host window's display connection
    bool presentingChosen = false;
    PresentingChoice presenting;
};

VideoState& State();

}  // namespace posix::video

#endif
