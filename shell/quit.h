#ifndef SHELL_QUIT_H
#define SHELL_QUIT_H

// Clears both pages, gives the display back and ends the process with exit code 1.
[[noreturn]] void QuitProgram();

#endif
