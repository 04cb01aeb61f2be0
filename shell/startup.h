// The steps of the program's start, each written once, so that WinMain and every
// harness that runs the reader's code set the reader up the same way.
#ifndef SHELL_STARTUP_H
#define SHELL_STARTUP_H

#include "platform/win32.h"

// Registers the window class named title and creates MainWindow, a visible
// borderless window of width x height at (0, 0), with the same title.
void OpenMainWindow(HINSTANCE instance, LPCSTR title, int width, int height);

// InitDisplay at 640x480 on MainWindow, then the palette and the picture from
// "KABE0" onto BackdropSurface. 0 when the display could not be set up.
int SetUpDisplay();

// The whole text layer in the key colour, so that none of it shows.
void ClearTextLayer();

#endif
