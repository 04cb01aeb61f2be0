// Reads a story script the way the reader does: bytes, white-space-separated
// tokens, and the CP932 decoding of a token.
#ifndef TESTS_ASSETS_SCRIPT_READING_H
#define TESTS_ASSETS_SCRIPT_READING_H

#include <iconv.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool IsScriptSpace(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The tokens, as repeated "%s" reads find them.
inline std::vector<std::string> ScriptTokens(const std::string& bytes) {
    std::vector<std::string> tokens;
    std::string token;
    for (unsigned char c : bytes) {
        if (IsScriptSpace(c)) {
            if (!token.empty()) tokens.push_back(token);
            token.clear();
        } else {
            token += static_cast<char>(c);
        }
    }
    if (!token.empty()) tokens.push_back(token);
    return tokens;
}

// Entries the reader fills: one per token, plus the empty read that meets the
// end of a file ending in white space (or the one read of an empty file).
inline size_t ScriptEntryCount(const std::string& bytes) {
    const size_t tokens = ScriptTokens(bytes).size();
    const bool endsInSpace = bytes.empty() || IsScriptSpace(static_cast<unsigned char>(bytes.back()));
    return tokens + (endsInSpace ? 1 : 0);
}

// Decodes CP932 strictly into UTF-8; false on any byte sequence CP932 does not hold.
inline bool DecodeCp932(const std::string& in, std::string* out) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buffer(in.size() * 4 + 4, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = &buffer[0];
    size_t dstLeft = buffer.size();
    const size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || srcLeft != 0) return false;
    buffer.resize(buffer.size() - dstLeft);
    *out = buffer;
    return true;
}

inline bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Splits a text token into its two-byte characters; false if any character is single-byte.
inline bool DoubleByteCharacters(const std::string& token, std::vector<std::string>* out) {
    if (token.size() % 2 != 0) return false;
    for (size_t i = 0; i < token.size(); i += 2) {
        if (!IsLeadByte(static_cast<unsigned char>(token[i]))) return false;
        out->push_back(token.substr(i, 2));
    }
    return true;
}

#endif
