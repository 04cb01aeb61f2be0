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
