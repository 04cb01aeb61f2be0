#include "tools/story_check/source_text.h"

#include "tools/story_check/cp932.h"

namespace {

// What is left in the script of a character CP932 cannot hold: a full-width
// "？", so that the rest of the story can still be laid out and checked.
const char kStandIn[] = "\x81\x48";

// Decodes one strict UTF-8 sequence at bytes[at]; its length, or 0 when invalid.
size_t DecodeUtf8(const std::string& bytes, size_t at, char32_t* code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        *code = lead;
        return 1;
    }
    size_t length;
    char32_t value, lowest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *code = value;
    return length;
}

}  // namespace

std::vector<SourceCharacter> ReadSourceText(const std::string& utf8) {
    std::vector<SourceCharacter> characters;
    int row = 1, column = 1;
    for (size_t at = 0; at < utf8.size();) {
        SourceCharacter character;
        character.row = row;
        character.column = column;
        size_t length = DecodeUtf8(utf8, at, &character.code);
        if (length == 0) {
            length = 1;
            character.code = static_cast<unsigned char>(utf8[at]);
            character.utf8 = false;
        }
        character.encodable = character.utf8 && EncodeCp932(character.code, &character.cp932);
        if (!character.encodable) character.cp932 = kStandIn;
        characters.push_back(character);
        at += length;
        if (character.code == '\n' && character.utf8) {
            ++row;
            column = 1;
        } else {
            ++column;
        }
    }
    return characters;
}
