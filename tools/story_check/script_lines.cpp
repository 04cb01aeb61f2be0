#include "tools/story_check/script_lines.h"

#include "story/line_rules.h"
#include "story/script.h"

namespace {

// What the reader's line buffer holds of a token: the bytes that fill it, with a
// double-byte character split at its end dropped; a NUL ends what it holds.
std::string HeldBytes(const std::string& token) {
    char line[ScriptLineSize] = {};
    token.copy(line, ScriptLineSize - 1);
    if (std::string(line).size() == ScriptLineSize - 1) DropSplitCharacter(line);
    return line;
}

}  // namespace

ScriptText SplitIntoLines(const std::vector<SourceCharacter>& source) {
    ScriptText text;
    text.readable = source.size();
    ScriptLine line;
    const auto finishLine = [&] {
        if (line.count == 0) return;
        line.held = HeldBytes(line.token);
        text.lines.push_back(line);
        line = ScriptLine();
    };
    for (size_t i = 0; i < source.size(); ++i) {
        const SourceCharacter& character = source[i];
        if (character.utf8 && character.code == CtrlZ) {
            text.readable = i;
            break;
        }
        if (character.utf8 && IsScriptSpace(character.code)) {
            finishLine();
            continue;
        }
        if (line.count == 0) line.first = i;
        ++line.count;
        line.token += character.cp932;
    }
    finishLine();
    return text;
}

std::string ScriptBytes(const std::vector<SourceCharacter>& source) {
    std::string bytes;
    for (const SourceCharacter& character : source) bytes += character.cp932;
    return bytes;
}

bool IsColourLine(const std::string& held) {
    const LineStep step = StepAt(held.c_str(), 0);
    return step == StepTurnsYellow || step == StepTurnsWhite;
}

bool IsSoundLine(const std::string& held) { return StepAt(held.c_str(), 0) == StepPlaysCue; }

bool IsRowBreakLine(const std::string& held) { return IsRowBreakLine(held.c_str()); }
