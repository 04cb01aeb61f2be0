// Packed DIBs (what an RT_BITMAP resource holds) made by the tests, and
// registered as resources of the test program.
#ifndef TESTS_PLATFORM_GDI_DIB_BUILDER_H
#define TESTS_PLATFORM_GDI_DIB_BUILDER_H

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/test_hooks.h"

#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace gditest {

struct DibShape {
    int width = 4;
    int height = 3;
    bool topDown = false;
    DWORD headerSize = sizeof(BITMAPINFOHEADER);
    WORD bitCount = 8;
    DWORD compression = BI_RGB;
    DWORD coloursUsed = 0;  // 0: 256
    std::vector<RGBQUAD> table;  // as many as the table holds; missing ones are black
    std::function<uint8_t(int x, int y)> pixel = [](int x, int y) { return uint8_t(x + 10 * y); };
};

inline std::vector<unsigned char> BuildDib(const DibShape& shape) {
    const int colours = shape.coloursUsed == 0 ? 256 : static_cast<int>(shape.coloursUsed);
    const int stride = (shape.width + 3) & ~3;
    std::vector<unsigned char> data(shape.headerSize + colours * 4 + stride * shape.height, 0);
    BITMAPINFOHEADER header{};
    header.biSize = shape.headerSize;
    header.biWidth = shape.width;
    header.biHeight = shape.topDown ? -shape.height : shape.height;
    header.biPlanes = 1;
    header.biBitCount = shape.bitCount;
    header.biCompression = shape.compression;
    header.biClrUsed = shape.coloursUsed;
    std::memcpy(data.data(), &header, sizeof header);
    for (int i = 0; i < colours && i < static_cast<int>(shape.table.size()); ++i)
        std::memcpy(&data[shape.headerSize + i * 4], &shape.table[i], 4);
    unsigned char* pixels = data.data() + shape.headerSize + colours * 4;
    for (int y = 0; y < shape.height; ++y) {
        const int storedRow = shape.topDown ? y : shape.height - 1 - y;
        for (int x = 0; x < shape.width; ++x) pixels[storedRow * stride + x] = shape.pixel(x, y);
    }
    return data;
}

// The colour table matching a display palette entry for entry.
inline std::vector<RGBQUAD> TableOf(const PALETTEENTRY* palette) {
    std::vector<RGBQUAD> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = {palette[i].peBlue, palette[i].peGreen, palette[i].peRed, 0};
    return table;
}

// Makes data a bitmap resource called name (upper case) of the test program.
inline void AddBitmapResource(const std::string& name, std::vector<unsigned char> data) {
    static std::deque<std::string> names;
    static std::deque<std::vector<unsigned char>> store;
    names.push_back(name);
    store.push_back(std::move(data));
    const posix::kernel::EmbeddedResource entry{names.back().c_str(), 2, store.back().data(),
                                        store.back().size()};
    posix::kernel::RegisterEmbeddedResources(&entry, 1);
}

inline HBITMAP LoadBitmapResource(const std::string& name) {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace gditest

#endif
