// Generates the reader's background picture KABE0: a moonlit lake at night.
//   make_kabe0 <output.bmp>         writes the picture
//   make_kabe0 --check <file.bmp>   exits 0 only if the file is what it would write
#include "tools/make_kabe0/bmp_file.h"
#include "tools/make_kabe0/colour_table.h"
#include "tools/make_kabe0/night_scene.h"
#include "tools/make_kabe0/ordered_dither.h"
#include "tools/make_kabe0/palette_builder.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr float kDitherSpread = 5.0f;  // about the gap between neighbouring sky colours

std::vector<uint8_t> GeneratePicture() {
    const PaintedImage scene = PaintNightScene(kWidth, kHeight);
    const std::vector<Rgb> colours =
        BuildPalette(scene, kPixelColourCount, kMinComponent, kMaxComponent, kIndexZeroColour);
    const std::vector<uint8_t> indices = DitherToIndices(scene, colours, kFirstPixelIndex, kDitherSpread);
    return EncodeBmp(kWidth, kHeight, MakeColourTable(colours), indices);
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
    if (argc != 2 && !check) {
        std::cerr << "usage: make_kabe0 <output.bmp> | make_kabe0 --check <file.bmp>\n";
        return 2;
    }
    const std::string path = argv[argc - 1];
    const std::vector<uint8_t> picture = GeneratePicture();
    if (check) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> existing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (existing != picture) {
            std::cerr << path << " differs from the generated picture; regenerate it\n";
            return 1;
        }
        return 0;
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(picture.data()), static_cast<std::streamsize>(picture.size()));
    if (!out) {
        std::cerr << "cannot write " << path << '\n';
        return 1;
    }
    return 0;
}
