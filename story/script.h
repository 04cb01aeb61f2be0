// The script: every white-space-separated token of the script file is one line.
#ifndef STORY_SCRIPT_H
#define STORY_SCRIPT_H

const int ScriptCapacity = 500;    // lines, the end-of-file entry included
const int ScriptLineSize = 256;    // bytes of a line buffer, its NUL included

extern char* ScriptLines[ScriptCapacity];
extern int ScriptLineCount;

void LoadScript();
// Reads the script file at path into ScriptLines; false when it cannot be opened.
bool ReadScriptFile(const char* path);

#endif
