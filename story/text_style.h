// What every text of the reader is drawn with.
#ifndef STORY_TEXT_STYLE_H
#define STORY_TEXT_STYLE_H

#include "platform/win32.h"

// "ＭＳ Ｐ明朝" in Shift-JIS: full-width M and S, an ASCII space, full-width P, 明朝.
const char* const MinchoFaceName = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";
const int TextWeight = 1000;
const COLORREF White = 0xFFFFFF;
const COLORREF Yellow = 0x00FFFF;

#endif
