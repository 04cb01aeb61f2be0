// Where code page 932's characters come from. Per host: linux/cp932_decoder.cpp
// asks glibc's CP932 table through iconv; web/cp932_decoder.cpp holds that same table, written out at build time by tools/cp932_table, for
// where no iconv knows it (the browser's libc knows only strict Shift_JIS).
#ifndef PLATFORM_POSIX_KERNEL_CODE_PAGE_932_H
#define PLATFORM_POSIX_KERNEL_CODE_PAGE_932_H

#include <cstddef>
#include <cstdint>

namespace posix::kernel {

// What Cp932CodePoint gives for bytes that code page 932 does not map.
constexpr uint32_t kNotInCp932 = 0xFFFFFFFEu;

// The code point of one byte (count 1) or one lead and trail byte (count 2).
uint32_t Cp932CodePoint(const unsigned char* bytes, size_t count);

}  // namespace posix::kernel

#endif
