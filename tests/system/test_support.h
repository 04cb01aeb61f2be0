// Shared helpers of the reader's tests: a private working folder, files in it,
// and a clean script.
#ifndef TESTS_SYSTEM_TEST_SUPPORT_H
#define TESTS_SYSTEM_TEST_SUPPORT_H

#include <string>
#include <vector>

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

// Empties ScriptLines and sets it to the given lines, as LoadScript would leave it.
void SetScript(const std::vector<std::string>& lines);
void ClearScript();

// Shift-JIS text written from UTF-8 in the tests.
std::string Sjis(const char* utf8);

#endif

#include "platform/win32.h"

// The reader's display as WinMain sets it up (window, display, palette, picture,
// the text layer filled with the key), and torn down again with every pointer
// cleared so that the next test starts from nothing.
void CreateReaderWindow();  // MainWindow with the reader's window procedure
void StartReaderDisplay();
void StopReaderDisplay();

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
