// Widths of story text as the reader measures them: GetTextExtentPoint32A
// with the reader's story font, on a memory device context.
#ifndef TOOLS_STORY_CHECK_TEXT_MEASURE_H
#define TOOLS_STORY_CHECK_TEXT_MEASURE_H

#include "platform/win32.h"

#include <map>
#include <string>

class ReaderTextMeasure {
public:
    ReaderTextMeasure();
    ~ReaderTextMeasure();
    ReaderTextMeasure(const ReaderTextMeasure&) = delete;
    ReaderTextMeasure& operator=(const ReaderTextMeasure&) = delete;

    // False when the font cannot be made or measured with.
    bool Usable() const { return usable_; }
    // The width in pixels of Shift-JIS text, up to its first NUL.
    int Width(const std::string& text);

private:
    HDC dc_ = NULL;
    HFONT font_ = NULL;
    HGDIOBJ previousFont_ = NULL;
    bool usable_ = false;
    std::map<std::string, int> widths_;
};

#endif
