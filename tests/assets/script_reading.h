// Reads the sample stories' files: their bytes, their conversion by iconv,
// and a text line's double-byte characters.
#ifndef TESTS_ASSETS_SCRIPT_READING_H
#define TESTS_ASSETS_SCRIPT_READING_H

#include <iconv.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The whole UTF-8 text converted at once by glibc's iconv, as `iconv -f UTF-8
// -t CP932` converts a file; false when it stops.
inline bool IconvToCp932(const std::string& in, std::string* out) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buffer(in.size() * 2 + 4, '\0');
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
