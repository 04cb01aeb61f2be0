// The frame record's file: one entry per change of what is shown, holding only
// the palette when it changed and only the rectangle of the page that changed.
#include "platform/posix/screen/frame_record_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

using framerecord::FrameRecordWriter;
using framerecord::kPaletteBytes;

std::vector<uint8_t> Contents(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::vector<uint8_t> bytes;
    for (int c; (c = std::fgetc(file)) != EOF;) bytes.push_back(static_cast<uint8_t>(c));
    return bytes;
}

unsigned Uint16At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}

TEST(FrameRecordWriter, WritesOnlyWhatChangedAndNothingForARepeatedFrame) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    FrameRecordWriter writer(file);  // closes the file
    // A 5x3 page in rows of 8 bytes; the padding must not count as the page.
    std::vector<uint8_t> page(8 * 3, 0);
    uint8_t palette[kPaletteBytes] = {};
    const size_t header = 8, entry = 9, rectangle = 12;

    writer.Add(100, page.data(), 5, 3, 8, palette);
    std::vector<uint8_t> bytes = Contents(file);
    ASSERT_EQ(bytes.size(), header + entry + kPaletteBytes + rectangle + 15);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "RDRFRM01");
    EXPECT_EQ(bytes[header], 100);
    EXPECT_EQ(bytes[header + 8], 3);  // palette and page

    page[7] = 9;  // padding only
    writer.Add(200, page.data(), 5, 3, 8, palette);
    EXPECT_EQ(Contents(file).size(), bytes.size());

    page[8 * 1 + 2] = 4;  // (2, 1)
    page[8 * 2 + 3] = 5;  // (3, 2)
    writer.Add(300, page.data(), 5, 3, 8, palette);
    std::vector<uint8_t> after = Contents(file);
    const size_t at = bytes.size();
    ASSERT_EQ(after.size(), at + entry + rectangle + 4);
    EXPECT_EQ(after[at + 8], 2);  // the page alone
    const unsigned box[6] = {5, 3, 2, 1, 2, 2};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Uint16At(after, at + entry + 2 * i), box[i]) << i;
    EXPECT_EQ(std::vector<uint8_t>(after.begin() + at + entry + rectangle, after.end()),
              (std::vector<uint8_t>{4, 0, 0, 5}));

    palette[3 * 98] = 255;
    writer.Add(400, page.data(), 5, 3, 8, palette);
    std::vector<uint8_t> last = Contents(file);
    ASSERT_EQ(last.size(), after.size() + entry + kPaletteBytes);
    EXPECT_EQ(last[after.size() + 8], 1);  // the palette alone
    EXPECT_EQ(last[after.size() + entry + 3 * 98], 255);
}

}  // namespace
