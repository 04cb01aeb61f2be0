// Palettes: the fixed black and white of entries 0 and 255, and the entries
// the screen shows (which GDI matches against).
#include "display_fixture.h"

namespace {

class PaletteTest : public DisplayTest {};

TEST_F(PaletteTest, WithoutAllow256EntriesZeroAndLastStayBlackAndWhite) {
    std::vector<PALETTEENTRY> sent = Ramp();
    sent[0] = PALETTEENTRY{10, 20, 30, 0};
    sent[255] = PALETTEENTRY{1, 2, 3, 0};
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, sent);

    std::vector<PALETTEENTRY> read(256);
    ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
    EXPECT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, read[0]));
    EXPECT_TRUE(SameColour(PALETTEENTRY{255, 255, 255, 0}, read[255]));
    for (int i = 1; i < 255; ++i) EXPECT_TRUE(SameColour(sent[i], read[i])) << i;

    // Sending them again later changes nothing either.
    PALETTEENTRY grey[2] = {{50, 50, 50, 0}, {60, 60, 60, 0}};
    ASSERT_EQ(DD_OK, palette->SetEntries(0, 254, 2, grey));
    ASSERT_EQ(DD_OK, palette->SetEntries(0, 0, 1, grey));
    ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
    EXPECT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, read[0]));
    EXPECT_TRUE(SameColour(grey[0], read[254]));
    EXPECT_TRUE(SameColour(PALETTEENTRY{255, 255, 255, 0}, read[255]));
}

TEST_F(PaletteTest, WithAllow256EveryEntryIsAsSent) {
    std::vector<PALETTEENTRY> sent = Ramp();
    sent[0] = PALETTEENTRY{10, 20, 30, 0};
    sent[255] = PALETTEENTRY{1, 2, 3, 0};
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, sent);
    std::vector<PALETTEENTRY> read(256);
    ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
    for (int i = 0; i < 256; ++i) EXPECT_TRUE(SameColour(sent[i], read[i])) << i;
}

TEST_F(PaletteTest, ShownEntriesFollowThePaletteOnThePrimaryOnly) {
    MakeFlippingPair();
    const PALETTEENTRY* shown = testhooks::ShownPalette();
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, shown[i])) << i;

    LPDIRECTDRAWPALETTE attached = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    LPDIRECTDRAWPALETTE other = MakePalette(DDPCAPS_8BIT, std::vector<PALETTEENTRY>(256));
    ASSERT_EQ(DD_OK, front->SetPalette(attached));
    // Entry 255 shows white as soon as the palette is attached: it is fixed.
    EXPECT_TRUE(SameColour(PALETTEENTRY{255, 255, 255, 0}, shown[255]));

    std::vector<PALETTEENTRY> colours = Ramp();
    ASSERT_EQ(DD_OK, other->SetEntries(0, 0, 256, colours.data()));
    EXPECT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, shown[100]));  // not on the primary

    ASSERT_EQ(DD_OK, attached->SetEntries(0, 0, 256, colours.data()));
    EXPECT_EQ(shown, posix::EffectiveDisplayPalette());  // one stable table GDI can keep
    EXPECT_TRUE(SameColour(colours[100], shown[100]));
    EXPECT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, shown[0]));

    front->Release();  // the primary goes, and the screen shows no palette
    front = back = nullptr;
    EXPECT_TRUE(SameColour(PALETTEENTRY{0, 0, 0, 0}, shown[100]));
}

TEST_F(PaletteTest, EntryRangesBeyondTheTableAreRefusedAndChangeNothing) {
    LPDIRECTDRAWPALETTE palette = MakePalette(DDPCAPS_8BIT, Ramp());
    std::vector<PALETTEENTRY> white(256, PALETTEENTRY{255, 255, 255, 0});
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 200, 57, white.data()));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 256, 1, white.data()));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->SetEntries(0, 0, 1, nullptr));
    EXPECT_EQ(DDERR_INVALIDPARAMS, palette->GetEntries(0, 1, 256, white.data()));

    std::vector<PALETTEENTRY> read(256);
    ASSERT_EQ(DD_OK, palette->GetEntries(0, 0, 256, read.data()));
    const std::vector<PALETTEENTRY> ramp = Ramp();
    for (int i = 1; i < 255; ++i) ASSERT_TRUE(SameColour(ramp[i], read[i])) << i;
}

TEST_F(PaletteTest, OnlyEightBitPalettesWithColoursAreMade) {
    std::vector<PALETTEENTRY> colours = Ramp();
    LPDIRECTDRAWPALETTE palette = reinterpret_cast<LPDIRECTDRAWPALETTE>(1);
    EXPECT_EQ(DDERR_UNSUPPORTED, dd->CreatePalette(DDPCAPS_4BIT, colours.data(), &palette, nullptr));
    EXPECT_EQ(nullptr, palette);
    EXPECT_NE(DD_OK, dd->CreatePalette(0, colours.data(), &palette, nullptr));
    EXPECT_NE(DD_OK, dd->CreatePalette(DDPCAPS_8BIT, nullptr, &palette, nullptr));
    EXPECT_EQ(0, testhooks::CountLiveDirectDrawObjects().palettes);
}

}  // namespace
