// The checks, each adding its findings in no particular order.
#ifndef TOOLS_STORY_CHECK_STORY_FINDINGS_H
#define TOOLS_STORY_CHECK_STORY_FINDINGS_H

#include "tools/story_check/finding.h"
#include "tools/story_check/script_lines.h"
#include "tools/story_check/source_text.h"

#include <string>
#include <vector>

// Bytes that are not UTF-8, characters CP932 cannot hold, control characters
// and a Ctrl-Z before the end.
void FindCharacterFaults(const std::vector<SourceCharacter>& source, size_t readable,
                         std::vector<Finding>* findings);

// Spaces and tabs that split a row or are lost as an indent, and blank rows.
void FindRowFaults(const std::vector<SourceCharacter>& source, size_t readable,
                   std::vector<Finding>* findings);

// Lines past the reader's 500, longer than its buffer, colour and sound lines
// that are not what they look like, and half-width text.
void FindLineFaults(const std::vector<SourceCharacter>& source,
                    const std::vector<ScriptLine>& lines, std::vector<Finding>* findings);

// A sound line's cue file, named by the reader's rule: missing, or not one the
// reader can play. The cue's playing time in milliseconds, 0 when it does not play.
double CheckCueFile(const std::vector<SourceCharacter>& source, const ScriptLine& line,
                    const std::string& name, const std::string& folder,
                    std::vector<Finding>* findings);

// Helpers shared by the checks.
std::string Quoted(const std::u32string& text);
std::u32string CodesOf(const std::vector<SourceCharacter>& source, size_t first, size_t count);
Finding FindingAt(const SourceCharacter& where, const std::string& message);

#endif
