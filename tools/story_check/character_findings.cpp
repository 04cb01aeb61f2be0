#include "tools/story_check/story_findings.h"

#include "tools/story_check/cp932.h"

#include <cstdio>

namespace {

const char32_t kByteOrderMark = 0xFEFF;

// Characters CP932 lacks that have a close form it holds.
std::u32string CloseForm(char32_t code) {
    switch (code) {
        case 0x00A0: return U"　";  // no-break space
        case 0x00B7: return U"・";  // middle dot
        case 0x2013: return U"－";  // en dash
        default: return U"";
    }
}

std::string NotUtf8Message(const std::vector<SourceCharacter>& source, size_t first, size_t count) {
    std::string bytes;
    for (size_t i = first; i < first + count && i < first + 4; ++i) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "%s0x%02X", bytes.empty() ? "" : " ",
                      static_cast<unsigned>(source[i].code));
        bytes += byte;
    }
    if (count > 4) bytes += " ...";
    return (count == 1 ? "byte " : "bytes ") + bytes + (count == 1 ? " is" : " are") +
           " not UTF-8: save the story as UTF-8";
}

std::string NotCp932Message(char32_t code) {
    if (code == kByteOrderMark)
        return "a byte-order mark (U+FEFF) cannot be written in CP932: save the story as UTF-8 "
               "without a BOM";
    std::string message = Quoted(std::u32string(1, code)) + " (" + CodePointName(code) +
                          ") cannot be written in CP932, the reader's character set";
    const std::u32string close = CloseForm(code);
    if (!close.empty()) message += "; write " + Quoted(close);
    return message;
}

bool IsControl(char32_t code) {
    return (code < 0x20 && !IsScriptSpace(code) && code != CtrlZ) || code == 0x7F;
}

std::string ControlMessage(char32_t code) {
    if (code == 0)
        return "a NUL character (U+0000) ends the line for the reader: the rest of it is not "
               "shown";
    return "control character " + CodePointName(code) + " is not shown as written";
}

bool AnythingAfter(const std::vector<SourceCharacter>& source, size_t at) {
    for (size_t i = at + 1; i < source.size(); ++i)
        if (!source[i].utf8 || !IsScriptSpace(source[i].code)) return true;
    return false;
}

}  // namespace

void FindCharacterFaults(const std::vector<SourceCharacter>& source, size_t readable,
                         std::vector<Finding>* findings) {
    // Conversion faults count everywhere: they stop the script being made.
    for (size_t i = 0; i < source.size(); ++i) {
        if (!source[i].utf8) {
            size_t count = 1;
            while (i + count < source.size() && !source[i + count].utf8 &&
                   source[i + count].row == source[i].row)
                ++count;
            findings->push_back(FindingAt(source[i], NotUtf8Message(source, i, count)));
            i += count - 1;
        } else if (!source[i].encodable) {
            findings->push_back(FindingAt(source[i], NotCp932Message(source[i].code)));
        } else if (i < readable && IsControl(source[i].code)) {
            findings->push_back(FindingAt(source[i], ControlMessage(source[i].code)));
        }
    }
    if (readable < source.size() && AnythingAfter(source, readable))
        findings->push_back(FindingAt(source[readable],
                                      "Ctrl-Z (U+001A) ends the script for the reader: nothing "
                                      "after it is read"));
}
