// The script file read into lines, then every line presented in turn. The first
// byte chooses the pace. With its low bit set, the first one to four lines (its
// next two bits) are presented at normal pace, each character composed on the
// back page and flipped, and then Ctrl is held, as by a reader who fast-forwards
// after a while; otherwise the whole script is fast-forwarded. Composing is the
// same three calls for every character, so a few lines of it show all it does,
// and the runs spend their time on the walk through the lines instead.
#include "fuzz/fuzz_support.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartHeadlessReader();
    if (size == 0) return 0;
    const int normalPaceLines = (data[0] & 1) ? 1 + ((data[0] >> 1) & 3) : 0;
    const std::string path = WriteScratchFile("script.txt", data + 1, size - 1);
    FreeScript();
    if (!ReadScriptFile(path.c_str())) std::abort();
    if (ScriptLineCount < 1 || ScriptLineCount > ScriptCapacity) std::abort();
    TextCursor = {TextMargin, TextMargin};
    for (int index = 0; index < ScriptLineCount; ++index) {
        PacingEnabled = index < normalPaceLines;
        PresentLine(index);
    }
    FreeScript();
    PacingEnabled = 1;
    return 0;
}
