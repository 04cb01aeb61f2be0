// Shared helpers of the reader's tests: a private working folder, files in it,
// Shift-JIS from UTF-8, and the pixels of the reader's surfaces. The reader's
// set-up and scripts come from the harness.
#ifndef TESTS_SYSTEM_TEST_SUPPORT_H
#define TESTS_SYSTEM_TEST_SUPPORT_H

#include "tests/support/reader_harness.h"

#include <string>

// Makes a fresh folder and changes into it for the lifetime of the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

void WriteFile(const std::string& name, const std::string& bytes);
std::string ReadFile(const std::string& name);
bool FileExists(const std::string& name);

// Shift-JIS text written from UTF-8 in the tests.
std::string Sjis(const char* utf8);

// The index of the pixel at (x, y) of the page a slot shows now.
int PixelAt(int slot, int x, int y);
// Fills a whole slot with one palette index.
void FillSlot(int slot, int index);
// How many pixels of a slot's page hold the index.
int CountIndex(int slot, int index);

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    bool empty() const { return right < left; }
};
// The bounding box of the pixels of a slot that hold the index.
Box BoxOfIndex(int slot, int index);

#endif
