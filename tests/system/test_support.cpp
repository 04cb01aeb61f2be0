#include "test_support.h"

#include "display/display.h"
#include "platform/posix/test_hooks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

ScratchFolder::ScratchFolder() {
    char templ[] = "/tmp/reader-test-XXXXXX";
    path_ = mkdtemp(templ);
    char cwd[4096];
    previous_ = getcwd(cwd, sizeof(cwd));
    EXPECT_EQ(0, chdir(path_.c_str()));
}

ScratchFolder::~ScratchFolder() {
    EXPECT_EQ(0, chdir(previous_.c_str()));
    std::string command = "chmod -R u+w '" + path_ + "' && rm -rf '" + path_ + "'";
    EXPECT_EQ(0, std::system(command.c_str()));
}

void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    file << bytes;
}

std::string ReadFile(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

bool FileExists(const std::string& name) {
    struct stat info;
    return stat(name.c_str(), &info) == 0;
}

std::string Sjis(const char* utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = &in[0];
    size_t inLeft = in.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    const size_t result = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(converter);
    EXPECT_NE(static_cast<size_t>(-1), result) << "not representable in CP932: " << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

int PixelAt(int slot, int x, int y) {
    const posix::IndexedPixels page = testhooks::SurfacePixels(SurfaceTable[slot]);
    return page.pixels[y * page.pitch + x];
}

void FillSlot(int slot, int index) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = index;
    SurfaceTable[slot]->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

int CountIndex(int slot, int index) {
    const posix::IndexedPixels page = testhooks::SurfacePixels(SurfaceTable[slot]);
    int count = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) count += page.pixels[y * page.pitch + x] == index;
    return count;
}

Box BoxOfIndex(int slot, int index) {
    const posix::IndexedPixels page = testhooks::SurfacePixels(SurfaceTable[slot]);
    Box box;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (page.pixels[y * page.pitch + x] != index) continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}
