// One thing the reader would show differently from what the author wrote.
#ifndef TOOLS_STORY_CHECK_FINDING_H
#define TOOLS_STORY_CHECK_FINDING_H

#include <string>

struct Finding {
    int row;     // 1-based row of the UTF-8 story
    int column;  // 1-based, counted in characters (code points), not bytes
    std::string message;
};

#endif
