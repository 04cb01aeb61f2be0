#include "tools/story_check/story_findings.h"

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/winmm/winmm.h"
#include "story/line_rules.h"
#include "story/script.h"
#include "tools/story_check/cp932.h"
#include "tools/story_check/full_width.h"

namespace {

bool IsPrintableAscii(char byte) { return byte >= 0x21 && byte <= 0x7E; }
bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

// The source character of the line whose bytes hold the byte at offset.
size_t CharacterAtByte(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                       size_t offset) {
    size_t bytes = 0;
    for (size_t i = line.first; i < line.first + line.count; ++i) {
        bytes += source[i].cp932.size();
        if (bytes > offset) return i;
    }
    return line.first + line.count - 1;
}

bool NamesACue(const std::string& held) {
    return held.size() >= 3 && IsPrintableAscii(held[1]) && IsPrintableAscii(held[2]);
}

std::string CueName(const std::string& held) {
    char name[CueFileNameSize];
    CueFileName(held.c_str(), name);
    return name;
}

void FindOverlongLine(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                      std::vector<Finding>* findings) {
    if (line.token.size() < size_t(ScriptLineSize)) return;
    findings->push_back(FindingAt(
        source[CharacterAtByte(source, line, line.held.size())],
        "the line is " + std::to_string(line.token.size()) +
            " bytes in CP932, more than the 255 the reader holds: it drops everything from "
            "here; split the line in two"));
}

bool FindColourLookalike(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                         std::vector<Finding>* findings) {
    const std::string& held = line.held;
    if (held.size() < 2 || held[0] != 'c' || !IsDigit(held[1]) || IsColourLine(held)) return false;
    findings->push_back(
        FindingAt(source[line.first], Quoted(CodesOf(source, line.first, line.count)) +
                                          " is not a colour line: only c0 and c1, alone on a row, "
                                          "change the colour; the reader shows it as text"));
    return true;
}

void FindSoundLineFaults(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                         std::vector<Finding>* findings) {
    const std::string& held = line.held;
    const std::string written = Quoted(CodesOf(source, line.first, line.count));
    std::string message;
    if (held.size() < 3) {
        message = written + " is too short for a sound line: the reader looks for '" +
                  CueName(held) + "'; a cue is s and two characters, as in s01";
    } else if (!NamesACue(held)) {
        message = "a line that begins with s is a sound cue to the reader, so none of " +
                  written + " is shown; begin the text with another character";
    } else if (held.size() > 3) {
        const std::string rest = Quoted(CodesOf(source, line.first + 3, line.count - 3));
        message = "only two characters after s name a cue: the reader plays " + CueName(held) +
                  " and does not show " + rest;
    }
    if (!message.empty()) findings->push_back(FindingAt(source[line.first], message));
}

// The bytes of a text line up to a colour code that ends it at an even offset.
size_t TextBytesBeforeColourCode(const std::string& held) {
    const size_t size = held.size();
    if (size > 2 && size % 2 == 0 && held[size - 2] == 'c' &&
        (held[size - 1] == '0' || held[size - 1] == '1'))
        return size - 2;
    return size;
}

void FindTrailingColourCode(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                            std::vector<Finding>* findings) {
    const size_t text = TextBytesBeforeColourCode(line.held);
    if (text == line.held.size()) return;
    const std::string colour = line.held.back() == '1' ? "yellow" : "white";
    const std::string message = "the line ends in '" + line.held.substr(text) +
                                "': the reader does not show it but turns the text after it " +
                                colour;
    findings->push_back(FindingAt(source[CharacterAtByte(source, line, text)], message));
}

void ReportHalfWidthRun(const SourceCharacter& at, const std::u32string& run, bool shifts,
                        std::vector<Finding>* findings) {
    const std::string written = "half-width " + Quoted(run);
    const std::string suggestion = "write the full-width " + Quoted(FullWidthOf(run));
    if (shifts) {
        findings->push_back(FindingAt(at, written + " puts the rest of the line out of step: the "
                                                    "reader takes two bytes at a time, so every "
                                                    "later character is garbled; " +
                                                    suggestion));
    } else {
        findings->push_back(FindingAt(at, written + " in a text line: the reader takes it two "
                                                    "bytes at a time; " + suggestion));
    }
}

// Runs of single-byte characters. One that ends at an odd byte with more of
// the line after it shifts every later character by one byte.
void FindHalfWidthText(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                       std::vector<Finding>* findings) {
    const size_t textBytes = TextBytesBeforeColourCode(line.held);
    size_t offset = 0;
    for (size_t i = line.first; i < line.first + line.count && offset < textBytes;) {
        if (!IsHalfWidth(source[i].code) || !source[i].utf8) {
            offset += source[i].cp932.size();
            ++i;
            continue;
        }
        const size_t start = i;
        std::u32string run;
        while (i < line.first + line.count && offset < textBytes && source[i].utf8 &&
               IsHalfWidth(source[i].code)) {
            run += source[i].code;
            offset += source[i].cp932.size();
            ++i;
        }
        ReportHalfWidthRun(source[start], run, offset % 2 == 1 && offset < line.held.size(),
                           findings);
    }
}

}  // namespace

void FindLineFaults(const std::vector<SourceCharacter>& source,
                    const std::vector<ScriptLine>& lines, std::vector<Finding>* findings) {
    for (size_t index = 0; index < lines.size(); ++index) {
        const ScriptLine& line = lines[index];
        if (index == ScriptCapacity) {
            findings->push_back(
                FindingAt(source[line.first],
                          "the reader reads 500 lines and stops: neither this line nor the " +
                              std::to_string(lines.size() - index - 1) + " after it are shown"));
            return;
        }
        FindOverlongLine(source, line, findings);
        if (IsColourLine(line.held) || IsRowBreakLine(line.held) || line.held.empty()) continue;
        if (IsSoundLine(line.held)) {
            FindSoundLineFaults(source, line, findings);
            continue;
        }
        if (FindColourLookalike(source, line, findings)) continue;
        FindTrailingColourCode(source, line, findings);
        FindHalfWidthText(source, line, findings);
    }
}

double CheckCueFile(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                    const std::string& name, const std::string& folder,
                    std::vector<Finding>* findings) {
    if (!NamesACue(line.held)) return 0;
    std::string path;
    if (!posix::winmm::FindSoundFile(folder, name, &path)) {
        const std::string message = "there is no " + folder + "/" + name +
                                    ": the reader plays its default sound instead";
        findings->push_back(FindingAt(source[line.first], message));
        return 0;
    }
    // Read and decoded by the reader's own sound layer, as sndPlaySoundA would.
    const posix::winmm::SoundFileCheck cue = posix::winmm::CheckSoundFile(path);
    if (!cue.plays) {
        findings->push_back(FindingAt(source[line.first], path + " will not play: " + cue.why +
                                                              "; the reader plays its default "
                                                              "sound instead"));
        return 0;
    }
    return cue.seconds * 1000;
}

std::string Quoted(const std::u32string& text) {
    std::string utf8 = "'";
    for (char32_t code : text) utf8 += posix::kernel::Utf8Of(code);
    return utf8 + "'";
}

std::u32string CodesOf(const std::vector<SourceCharacter>& source, size_t first, size_t count) {
    std::u32string codes;
    for (size_t i = first; i < first + count; ++i) codes += source[i].code;
    return codes;
}

Finding FindingAt(const SourceCharacter& where, const std::string& message) {
    return Finding{where.row, where.column, message};
}
