// Writes code page 932 as glibc's iconv reads it into a C++ source of two tables,
// for the builds whose libc has no such table (the browser's):
//   cp932_table OUTPUT.cpp
#include "platform/posix/kernel/code_page_932.h"

#include <cstdint>
#include <cstdio>

namespace {

using posix::kernel::Cp932CodePoint;
using posix::kernel::kNotInCp932;

constexpr unsigned kNotMapped = 0xFFFF;  // a noncharacter: no byte maps to it

bool IsLeadByte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The table's entry for the bytes; false when the code point does not fit 16 bits.
bool Entry(const unsigned char* bytes, size_t count, unsigned* entry) {
    const uint32_t code = Cp932CodePoint(bytes, count);
    *entry = code == kNotInCp932 ? kNotMapped : code;
    return code == kNotInCp932 || code < kNotMapped;
}

bool WriteTable(FILE* out, const char* name, bool pairs) {
    std::fprintf(out, "extern const uint16_t %s[] = {", name);
    int written = 0;
    for (unsigned first = 0; first < 256; ++first) {
        if (pairs && !IsLeadByte(first)) continue;
        for (unsigned second = 0; second < (pairs ? 256u : 1u); ++second) {
            const unsigned char bytes[2] = {static_cast<unsigned char>(first),
                                            static_cast<unsigned char>(second)};
            unsigned entry;
            if (!Entry(bytes, pairs ? 2 : 1, &entry)) return false;
            std::fprintf(out, "%s0x%04X,", written++ % 12 == 0 ? "\n    " : " ", entry);
        }
    }
    std::fprintf(out, "\n};\n\n");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    const unsigned char probe[2] = {0x82, 0xA0};  // あ
    if (Cp932CodePoint(probe, 2) != 0x3042) {
        std::fprintf(stderr, "cp932_table: this iconv does not know CP932\n");
        return 1;
    }
    FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) return 1;
    std::fprintf(out,
                 "// Code page 932 as glibc's iconv reads it, written by tools/cp932_table.\n"
                 "#include <cstdint>\n\nnamespace posix::kernel::cp932 {\n\n"
                 "// By byte; 0xFFFF where nothing is mapped.\n");
    bool ok = WriteTable(out, "kSingleBytes", false);
    std::fprintf(out, "// By lead byte (0x81 to 0x9F, then 0xE0 to 0xFC), 256 trail bytes each.\n");
    ok = ok && WriteTable(out, "kPairs", true);
    std::fprintf(out, "}  // namespace posix::kernel::cp932\n");
    ok = std::fclose(out) == 0 && ok;
    if (!ok) std::fprintf(stderr, "cp932_table: could not write %s\n", argv[1]);
    return ok ? 0 : 1;
}
