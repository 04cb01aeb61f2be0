// Palettes: the fixed black and white of entries 0 and 255, and the entries
// the screen shows (which GDI matches against).
#include "display_fixture.h"

namespace {

class PaletteTest : public DisplayTest {};

const PALETTEENTRY kBlack = {0, 0, 0, 0};
const PALETTEENTRY kWhite = {255, 255, 255, 0};

TEST_F(PaletteTest, EntriesZeroAndLastAreFixedUnlessAllow256) {
    std::vector<PALETTEENTRY> sent = Ramp();
    sent[0] = PALETTEENTRY{10, 20, 30, 0};
    sent[255] = PALETTEENTRY{1, 2, 3, 0};
    for (DWORD flags : {DWORD(DDPCAPS_8BIT), DWORD(DDPCAPS_8BIT | DDPCAPS_ALLOW256)}) {
        const bool all = flags & DDPCAPS_ALLOW256;
        LPDIRECTDRAWPALETTE palette = MakePalette(flags, sent);
        std::vector<PALETTEENTRY> read(256);
        ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
        EXPECT_TRUE(SameColour(all ? sent[0] : kBlack, read[0])) << all;
        EXPECT_TRUE(SameColour(all ? sent[255] : kWhite, read[255])) << all;
        for (int i = 1; i < 255; ++i) ASSERT_TRUE(SameColour(sent[i], read[i])) << i;

        PALETTEENTRY grey[2] = {{50, 50, 50, 0}, {60, 60, 60, 0}};
        ASSERT_EQ(DD_OK, palette->SetEntries(0, 254, 2, grey));  // later sends alike
        ASSERT_EQ(DD_OK, palette->GetEntries(0, 254, 2, read.data()));
        EXPECT_TRUE(SameColour(grey[0], read[0]));
        EXPECT_TRUE(SameColour(all ? grey[1] : kWhite, read[1])) << all;
        palette->Release();
    }
}

TEST_F(PaletteTest, ShownEntriesFollowThePaletteOnThePrimaryOnly) {
    MakeFlippingPair();
    const PALETTEENTRY* shown = testhooks::ShownPalette();
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(SameColour(kBlack, shown[i])) << i;

    LPDIRECTDRAWPALETTE attached = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    LPDIRECTDRAWPALETTE other = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(attached));
    EXPECT_TRUE(SameColour(kWhite, shown[255]));

    std::vector<PALETTEENTRY> colours = Ramp();
    ASSERT_EQ(DD_OK, other->SetEntries(0, 0, 256, colours.data()));
    EXPECT_TRUE(SameColour(kBlack, shown[100]));
    ASSERT_EQ(DD_OK, attached->SetEntries(0, 0, 256, colours.data()));
    EXPECT_TRUE(SameColour(colours[100], shown[100]));
    EXPECT_TRUE(SameColour(kBlack, shown[0]));

    front->Release();  // no primary: nothing is shown
    EXPECT_TRUE(SameColour(kBlack, shown[100]));
}

TEST_F(PaletteTest, RangesBeyondTheTableAreRefusedAndChangeNothing) {
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, Ramp());
    std::vector<PALETTEENTRY> white(256, kWhite);
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 200, 57, white.data()));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 256, 1, white.data()));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 0, 1, nullptr));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->GetEntries(0, 1, 256, white.data()));
    std::vector<PALETTEENTRY> read(256);
    ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
    EXPECT_TRUE(SameColour(Ramp()[254], read[254]));

    LPDIRECTDRAWPALETTE none = nullptr;
    EXPECT_NE(DD_OK, dd->CreatePalette(DDPCAPS_4BIT, read.data(), &none, nullptr));
    EXPECT_NE(DD_OK, dd->CreatePalette(DDPCAPS_8BIT, nullptr, &none, nullptr));
    EXPECT_EQ(nullptr, none);
}

}  // namespace
