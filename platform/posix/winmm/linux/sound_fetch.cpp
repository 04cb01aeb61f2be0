// On the desktop a sound file is on the disk or nowhere.
#include "platform/posix/winmm/sound.h"

namespace posix::winmm {

bool FetchSoundFile(const std::string&, std::string*) { return false; }

}  // namespace posix::winmm
