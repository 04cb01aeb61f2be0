// A page's sound files are on its server, beside the page: the first time the
// program names one, the browser fetches it into the current directory (the
// page's folder of the story's files), so the page needs no list of them.
#include "platform/posix/winmm/sound.h"

extern "C" {
// platform/web/library.js: fetches the file named by a path relative to the
// page into the same path of the current directory; 1 once it is there, 0 when
// the server has none.
int reader_fetch_file(const char* name);
}

namespace posix::winmm {

bool FetchSoundFile(const std::string& name, std::string* path) {
    std::string relative = name;
    for (char& c : relative)
        if (c == '\\') c = '/';
    if (relative.empty() || relative[0] == '/' || !reader_fetch_file(relative.c_str())) return false;
    *path = "./" + relative;
    return true;
}

}  // namespace posix::winmm
