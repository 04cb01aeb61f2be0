// The millisecond clock mark, the message pump and the timed waits. Every pause
// of the program is MarkTime, some drawing, then WaitSinceMark(ms): the period
// counts from the mark, drawing time included. Every pause is a whole number of
// 20 ms, the steps the Linux layer rests in (a test fails on any other).
#ifndef SHELL_PACING_H
#define SHELL_PACING_H

#include "platform/win32.h"

extern DWORD TickMark;     // GetTickCount at the last MarkTime
extern int PacingEnabled;  // 1 normally, 0 while Ctrl is held

void MarkTime();
int PumpMessages();
void WaitSinceMark(DWORD ms);
bool DeadlineReached(DWORD now, DWORD mark, DWORD ms);

#endif
