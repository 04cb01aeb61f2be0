#include "tools/story_check/text_measure.h"

#include "story/line_presenter.h"
#include "story/text_style.h"

#include <cstring>

// The font the presenter draws every story character with.
ReaderTextMeasure::ReaderTextMeasure() {
    dc_ = CreateCompatibleDC(NULL);
    font_ = CreateFontA(StoryFontHeight, 0, 0, 0, TextWeight, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                        MinchoFaceName);
    if (dc_ == NULL || font_ == NULL) return;
    previousFont_ = SelectObject(dc_, font_);
    SIZE size = {0, 0};
    usable_ = GetTextExtentPoint32A(dc_, "\x81\x40", 2, &size) && size.cx > 0;
}

ReaderTextMeasure::~ReaderTextMeasure() {
    if (dc_ != NULL) {
        if (previousFont_ != NULL) SelectObject(dc_, previousFont_);
        DeleteDC(dc_);
    }
    if (font_ != NULL) DeleteObject(font_);
}

int ReaderTextMeasure::Width(const std::string& text) {
    const std::string drawn = text.substr(0, std::strlen(text.c_str()));
    auto known = widths_.find(drawn);
    if (known != widths_.end()) return known->second;
    SIZE size = {0, 0};
    if (!usable_ ||
        !GetTextExtentPoint32A(dc_, drawn.data(), static_cast<int>(drawn.size()), &size))
        size.cx = 0;
    widths_.emplace(drawn, size.cx);
    return size.cx;
}
