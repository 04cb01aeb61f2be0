// The one full-screen window and its procedure: Ctrl fast-forwards, any other key
// or (once the story runs) a mouse move stores the bookmark and quits, the right
// button quits without storing, closing is refused, the cursor is hidden.
// WM_APP, sent by the web build's page as it is hidden, stores the bookmark as a
// key would and goes on.
#ifndef SHELL_MAIN_WINDOW_H
#define SHELL_MAIN_WINDOW_H

#include "platform/win32.h"

extern HWND MainWindow;
extern unsigned char ActivationSeen;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
