#include "benchmarks/reader_setup.h"

#include "story/script.h"

#include <algorithm>

const std::vector<std::string>& SampleCharacters() {
    // も く り は 森 の 湖 に 住 ん で い ま し た 、 (Shift-JIS)
    static const std::vector<std::string> characters = {
        "\x82\xe0", "\x82\xad", "\x82\xe8", "\x82\xcd", "\x90\x58", "\x82\xcc",
        "\x8c\xce", "\x82\xc9", "\x8f\x5a", "\x82\xf1", "\x82\xc5", "\x82\xa2",
        "\x82\xdc", "\x82\xb5", "\x82\xbd", "\x81\x41"};
    return characters;
}

void LoadGeneratedScript(int count, int charactersPerLine) {
    const std::vector<std::string>& characters = SampleCharacters();
    const int perLine = std::min(charactersPerLine, (ScriptLineSize - 1) / 2 - 1);
    std::vector<std::string> lines;
    for (int i = 0; i < count && i < ScriptCapacity - 1; ++i) {
        std::string text;
        for (int c = 0; c < perLine; ++c) text += characters[(i + c) % characters.size()];
        lines.push_back(text + "\x81\x42");  // 。
    }
    lines.push_back("");  // the end-of-file entry
    SetScript(lines);
}
