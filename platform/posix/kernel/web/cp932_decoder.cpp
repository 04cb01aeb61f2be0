// Code page 932 from the table that tools/cp932_table writes out of glibc's, for
// where no iconv knows the code page (the browser).
#include "platform/posix/kernel/code_page_932.h"

namespace posix::kernel {

namespace cp932 {
extern const uint16_t kSingleBytes[];
extern const uint16_t kPairs[];
}  // namespace cp932

namespace {

constexpr uint16_t kNotMapped = 0xFFFF;

// Where the lead byte's row starts in kPairs, or -1 for a byte that leads nothing.
int PairRow(unsigned char lead) {
    if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
    if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + (0x9F - 0x81 + 1);
    return -1;
}

}  // namespace

uint32_t Cp932CodePoint(const unsigned char* bytes, size_t count) {
    uint16_t entry = kNotMapped;
    if (count < 2) {
        entry = cp932::kSingleBytes[bytes[0]];
    } else if (const int row = PairRow(bytes[0]); row >= 0) {
        entry = cp932::kPairs[row * 256 + bytes[1]];
    }
    return entry == kNotMapped ? kNotInCp932 : entry;
}

}  // namespace posix::kernel
