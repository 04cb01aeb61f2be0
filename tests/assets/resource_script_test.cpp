// The Linux embedder's reading of the resource script and of bitmap files.
#include "tools/embed_resources/bitmap_file.h"
#include "tools/embed_resources/rc_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

bool Parse(const std::string& text, std::vector<rc::BitmapStatement>* out, std::string* error) {
    std::istringstream in(text);
    return rc::ParseBitmapStatements(in, out, error);
}

TEST(ResourceScript, ReadsBitmapStatementsInTheirUsualForms) {
    std::vector<rc::BitmapStatement> found;
    std::string error;
    ASSERT_TRUE(Parse("#include <windows.h>\n"
                      "// the picture\n"
                      "kabe0 BITMAP \"pictures\\\\kabe0.bmp\"\n"
                      "/* a comment\n over lines */ SKY bitmap DISCARDABLE sky.bmp\n"
                      "APP ICON \"app.ico\"\n"
                      "\n"
                      "Moon Bitmap MOVEABLE PURE \"moon // light.bmp\"  // trailing\n",
                      &found, &error))
        << error;
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].name, "KABE0");
    EXPECT_EQ(found[0].file, "pictures\\kabe0.bmp");
    EXPECT_EQ(found[0].lineNumber, 3);
    EXPECT_EQ(found[1].name, "SKY");
    EXPECT_EQ(found[1].file, "sky.bmp");
    EXPECT_EQ(found[1].lineNumber, 5);
    EXPECT_EQ(found[2].name, "MOON");
    EXPECT_EQ(found[2].file, "moon // light.bmp");
    EXPECT_EQ(found[2].lineNumber, 8);
}

TEST(ResourceScript, OurScriptNamesThePicture) {
    std::ifstream in(SOURCE_DIR "/resources/reader.rc");
    std::vector<rc::BitmapStatement> found;
    std::string error;
    ASSERT_TRUE(rc::ParseBitmapStatements(in, &found, &error)) << error;
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "KABE0");
    EXPECT_EQ(found[0].file, "kabe0.bmp");
}

TEST(ResourceScript, RefusesWhatItCannotEmbedInsteadOfDroppingIt) {
    const char* const bad[] = {
        "101 BITMAP \"a.bmp\"\n",          // numbered: FindResourceA looks up names only
        "A BITMAP\n",                      // no file
        "A BITMAP \"a.bmp\" extra\n",      // trailing word
        "A BITMAP \"a.bmp\n",              // unterminated string
        "A BITMAP a.bmp\na bitmap b.bmp\n",  // the same name twice (names ignore case)
        "A-B BITMAP a.bmp\n",              // not a name the table can hold
    };
    for (const char* text : bad) {
        std::vector<rc::BitmapStatement> found;
        std::string error;
        EXPECT_FALSE(Parse(text, &found, &error)) << text;
        EXPECT_NE(error.find("line "), std::string::npos) << text << " gave: " << error;
    }
}

std::vector<uint8_t> SmallBmp() {
    // 14-byte file header, 40-byte info header, 4 colours, one 4-pixel row.
    std::vector<uint8_t> file(14 + 40 + 16 + 4, 0);
    file[0] = 'B';
    file[1] = 'M';
    file[2] = static_cast<uint8_t>(file.size());
    file[10] = 14 + 40 + 16;
    file[14] = 40;
    file.back() = 0xAB;
    return file;
}

TEST(BitmapFile, DropsExactlyTheFileHeader) {
    const std::vector<uint8_t> file = SmallBmp();
    std::vector<uint8_t> dib;
    std::string error;
    ASSERT_TRUE(rc::DibFromBmpFile(file, &dib, &error)) << error;
    ASSERT_EQ(dib.size(), file.size() - 14);
    EXPECT_EQ(dib[0], 40);
    EXPECT_EQ(dib.back(), 0xAB);
}

TEST(BitmapFile, RefusesFilesThatAreNotWhole) {
    std::string error;
    std::vector<uint8_t> dib;

    std::vector<uint8_t> notBmp = SmallBmp();
    notBmp[0] = 'P';
    EXPECT_FALSE(rc::DibFromBmpFile(notBmp, &dib, &error));

    std::vector<uint8_t> truncated = SmallBmp();
    truncated.pop_back();  // the header still claims the full size
    EXPECT_FALSE(rc::DibFromBmpFile(truncated, &dib, &error));

    std::vector<uint8_t> pixelsInsideHeader = SmallBmp();
    pixelsInsideHeader[10] = 20;
    EXPECT_FALSE(rc::DibFromBmpFile(pixelsInsideHeader, &dib, &error));

    EXPECT_FALSE(rc::DibFromBmpFile(std::vector<uint8_t>(10, 'B'), &dib, &error));
    EXPECT_TRUE(dib.empty());
}

}  // namespace
