// The picture resource KABE0 as the program finds it: header, colour table, pixels.
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>

namespace {

constexpr size_t kResourceSize = 308264;
constexpr size_t kTableOffset = 40;
constexpr size_t kPixelOffset = 40 + 256 * 4;

struct Colour {
    int r, g, b;
    bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
};

class PictureResource : public ::testing::Test {
protected:
    void SetUp() override {
        HRSRC found = FindResourceA(nullptr, "KABE0", RT_BITMAP);
        ASSERT_NE(found, nullptr);
        size = SizeofResource(nullptr, found);
        ASSERT_EQ(size, kResourceSize);
        data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_NE(data, nullptr);
    }
    BITMAPINFOHEADER Header() const {
        BITMAPINFOHEADER header;
        std::memcpy(&header, data, sizeof header);
        return header;
    }
    Colour TableEntry(int index) const {
        const uint8_t* quad = data + kTableOffset + 4 * index;
        return {quad[2], quad[1], quad[0]};
    }
    size_t size = 0;
    const uint8_t* data = nullptr;
};

TEST_F(PictureResource, HeaderIsAPlain640x480BottomUp8BitBitmap) {
    static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header is read as it lies in the resource");
    const BITMAPINFOHEADER h = Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 640);
    EXPECT_EQ(h.biHeight, 480);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 0u);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biYPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 256u);
    EXPECT_EQ(h.biClrImportant, 0u);
    EXPECT_EQ(size, kPixelOffset + 640u * 480u);
}

TEST_F(PictureResource, FixedEntriesOfTheColourTable) {
    const Colour white{255, 255, 255};
    EXPECT_EQ(TableEntry(0), (Colour{99, 107, 115}));
    for (int i = 98; i <= 223; ++i) EXPECT_EQ(TableEntry(i), white) << "index " << i;
    EXPECT_EQ(TableEntry(224), (Colour{255, 255, 0}));
    EXPECT_EQ(TableEntry(225), (Colour{43, 179, 255}));
    for (int i = 226; i <= 239; ++i) EXPECT_EQ(TableEntry(i), white) << "index " << i;
    EXPECT_EQ(TableEntry(240), (Colour{1, 1, 1}));
    for (int i = 241; i <= 255; ++i) EXPECT_EQ(TableEntry(i), white) << "index " << i;
    for (int i = 0; i < 256; ++i) EXPECT_EQ(data[kTableOffset + 4 * i + 3], 0) << "reserved byte of " << i;
}

TEST_F(PictureResource, PictureColoursAreMutedAndEachNamesOneIndex) {
    std::set<Colour> seen;
    for (int i = 0; i <= 97; ++i) {
        const Colour c = TableEntry(i);
        for (int component : {c.r, c.g, c.b}) {
            EXPECT_GE(component, 99) << "index " << i;
            EXPECT_LE(component, 165) << "index " << i;
        }
        EXPECT_TRUE(seen.insert(c).second) << "index " << i << " repeats a colour";
    }
    // No fixed entry may share a picture colour, or GDI could match the wrong index.
    for (int i = 98; i < 256; ++i) EXPECT_EQ(seen.count(TableEntry(i)), 0u) << "index " << i;
    int keyColours = 0;
    for (int i = 0; i < 256; ++i) keyColours += TableEntry(i) == Colour{1, 1, 1};
    EXPECT_EQ(keyColours, 1);
}

TEST_F(PictureResource, PixelsUseOnlyThePictureIndicesOneTo97) {
    std::vector<int> uses(256, 0);
    for (size_t i = kPixelOffset; i < size; ++i) ++uses[data[i]];
    EXPECT_EQ(uses[0], 0) << "index 0 shows black on screen";
    for (int i = 98; i < 256; ++i) EXPECT_EQ(uses[i], 0) << "index " << i;
    // A picture, not a flat fill: most of its colours are in use.
    int used = 0;
    for (int i = 1; i <= 97; ++i) used += uses[i] > 0;
    EXPECT_GE(used, 90);
}

TEST_F(PictureResource, IsTheBitmapFileWithoutItsFileHeader) {
    std::ifstream in(SOURCE_DIR "/resources/kabe0.bmp", std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(file.size(), kResourceSize + 14);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    auto little32 = [&](size_t at) {
        return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24;
    };
    EXPECT_EQ(little32(2), static_cast<int>(file.size()));
    EXPECT_EQ(little32(10), static_cast<int>(14 + kPixelOffset));
    EXPECT_TRUE(std::equal(file.begin() + 14, file.end(), data));
}

TEST(PictureResourceLookup, OtherNamesAndTypesAreNotFound) {
    EXPECT_EQ(FindResourceA(nullptr, "KABE1", RT_BITMAP), nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "KABE0", MAKEINTRESOURCEA(3)), nullptr);  // RT_ICON
}

}  // namespace
