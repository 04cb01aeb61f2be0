// What the desktop host's two files share.
#ifndef PLATFORM_POSIX_VIDEO_LINUX_DISPLAY_H
#define PLATFORM_POSIX_VIDEO_LINUX_DISPLAY_H

namespace posix::video {

// Whether a display name is of an X server on this machine (":0", "unix:0"), the
// only kind that can share memory or the GPU with this process.
bool IsLocalX11Server(const char* name);

}  // namespace posix::video

#endif
