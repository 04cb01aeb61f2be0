#include "tools/story_check/script_lines.h"

#include <cstring>

namespace {

bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The reader keeps the first 255 bytes of a longer token and drops a double-byte
// character split at its end; a NUL ends what it holds.
std::string HeldBytes(const std::string& token) {
    std::string held = token.substr(0, ReaderLineBytes);
    if (token.size() > ReaderLineBytes) {
        size_t offset = 0;
        while (offset < held.size())
            offset += IsShiftJisLeadByte(static_cast<unsigned char>(held[offset])) ? 2 : 1;
        if (offset > held.size()) held.pop_back();
    }
    return held.substr(0, std::strlen(held.c_str()));
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

bool IsColourLine(const std::string& held) { return held == "c0" || held == "c1"; }

bool IsSoundLine(const std::string& held) { return !held.empty() && held[0] == 's'; }

bool IsRowBreakLine(const std::string& held) { return held == "\x81\x40"; }
