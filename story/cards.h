// The two title cards, the backdrop's fade-in, and the closing and disclaimer cards.
#ifndef STORY_CARDS_H
#define STORY_CARDS_H

#include "platform/win32.h"

const COLORREF DisclaimerFill = 0xFFB32B;

void ShowTitleCards();
void RevealBackdrop();
[[noreturn]] void ShowClosingCards();

#endif
