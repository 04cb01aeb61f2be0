// LoadImageA: 8-bit bitmap resources made into DIB sections.
#include "platform/posix/gdi/gdi_objects.h"

#include <cstring>

using namespace posix::gdi;

namespace {

constexpr DWORD kLoadFromFile = 0x0010;  // LR_LOADFROMFILE: not supported here
constexpr long long kLargestSide = 1 << 15;

template <typename T>
T ReadAt(const unsigned char* data, size_t offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof value);
    return value;
}

// A packed DIB (header, colour table, pixels) of 8 bits per pixel, uncompressed.
// Every size is checked against the data; null when anything does not fit.
BitmapObject* ParsePackedDib(const unsigned char* data, size_t size) {
    if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return nullptr;
    const auto header = ReadAt<BITMAPINFOHEADER>(data, 0);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size) return nullptr;
    if (header.biPlanes != 1 || header.biBitCount != 8 || header.biCompression != BI_RGB)
        return nullptr;
    const long long width = header.biWidth;
    const long long height = header.biHeight < 0 ? -static_cast<long long>(header.biHeight)
                                                 : header.biHeight;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return nullptr;
    const long long colours = header.biClrUsed == 0 ? 256 : header.biClrUsed;
    if (colours > 256) return nullptr;

    const long long tableOffset = header.biSize;
    const long long pixelOffset = tableOffset + colours * 4;
    const long long stride = (width + 3) & ~3LL;  // DIB rows are padded to 4 bytes
    if (pixelOffset + stride * height > static_cast<long long>(size)) return nullptr;

    auto* bitmap = new BitmapObject;
    bitmap->width = static_cast<int>(width);
    bitmap->height = static_cast<int>(height);
    bitmap->pitch = static_cast<int>(stride);
    bitmap->colourTable.resize(static_cast<size_t>(colours));
    for (long long i = 0; i < colours; ++i) {
        const auto quad = ReadAt<RGBQUAD>(data, static_cast<size_t>(tableOffset + i * 4));
        bitmap->colourTable[i] = {quad.rgbRed, quad.rgbGreen, quad.rgbBlue, 0};
    }
    bitmap->pixels.resize(static_cast<size_t>(stride * height));
    const bool bottomUp = header.biHeight > 0;
    for (long long row = 0; row < height; ++row) {
        const long long sourceRow = bottomUp ? height - 1 - row : row;
        std::memcpy(bitmap->pixels.data() + row * stride, data + pixelOffset + sourceRow * stride,
                    static_cast<size_t>(stride));
    }
    return bitmap;
}

}  // namespace

// Without LR_CREATEDIBSECTION Windows would make a device-dependent bitmap; on
// an 8-bit display that holds the same pixels, so both give a DIB section here.
HANDLE WINAPI LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height,
                         UINT flags) {
    if (type != IMAGE_BITMAP || (flags & kLoadFromFile) || name == nullptr) return nullptr;
    const auto module = reinterpret_cast<HMODULE>(instance);
    HRSRC resource = FindResourceA(module, name, RT_BITMAP);
    if (resource == nullptr) return nullptr;
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, resource)));
    BitmapObject* bitmap = ParsePackedDib(data, SizeofResource(module, resource));
    if (bitmap == nullptr) return nullptr;
    // Stretching to another size is not supported: only the image's own size loads.
    if ((width != 0 && width != bitmap->width) || (height != 0 && height != bitmap->height)) {
        delete bitmap;
        return nullptr;
    }
    return RegisterObject(bitmap);
}
