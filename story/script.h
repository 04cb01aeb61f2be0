// The script: every white-space-separated token of the script file is one line.
#ifndef STORY_SCRIPT_H
#define STORY_SCRIPT_H

const int ScriptCapacity = 500;    // lines, the end-of-file entry included
const int ScriptLineSize = 256;    // bytes of a line buffer, its NUL included
const char CtrlZ = 0x1A;           // the text-mode end of a file

extern char* ScriptLines[ScriptCapacity];
extern int ScriptLineCount;

// The white space that ends a token, as the "%s" read takes it: space, tab,
// LF, VT, FF and CR.
bool IsScriptSpace(int c);

// A token cut at the line buffer's size may end in half a double-byte
// character: drops that half.
void DropSplitCharacter(char* line);

void LoadScript();
// Reads the script file at path into ScriptLines; false when it cannot be opened.
bool ReadScriptFile(const char* path);

#endif
