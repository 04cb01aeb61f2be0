// The script file read into lines, then every line presented in turn. The first
// byte chooses the pace: normal (each character composed on the back page and
// flipped) for one input in thirty-two, fast-forward for the rest. Composing is the
// same three calls for every character, while the walk through the lines is what
// the inputs vary, so most runs spend their time on that.
#include "fuzz/fuzz_support.h"
#include "shell/pacing.h"
#include "story/line_presenter.h"
#include "story/script.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StartHeadlessReader();
    if (size == 0) return 0;
    PacingEnabled = (data[0] & 31) == 1;
    const std::string path = WriteScratchFile("script.txt", data + 1, size - 1);
    FreeScript();
    if (!ReadScriptFile(path.c_str())) std::abort();
    if (ScriptLineCount < 1 || ScriptLineCount > ScriptCapacity) std::abort();
    TextCursor = {TextMargin, TextMargin};
    for (int index = 0; index < ScriptLineCount; ++index) PresentLine(index);
    FreeScript();
    PacingEnabled = 1;
    return 0;
}
