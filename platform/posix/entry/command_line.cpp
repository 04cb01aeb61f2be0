#include "platform/posix/entry/command_line.h"

#include <cstring>

namespace posix::entry {

namespace {

void AppendQuoted(const char* argument, std::string* line) {
    if (*argument != '\0' && std::strpbrk(argument, " \t\n\v\"") == nullptr) {
        *line += argument;
        return;
    }
    *line += '"';
    size_t backslashes = 0;
    for (const char* c = argument; *c != '\0'; ++c) {
        if (*c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        line->append(*c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        *line += *c;
    }
    line->append(backslashes * 2, '\\');  // before the closing quote
    *line += '"';
}

}  // namespace

std::string CommandLineAfterProgramName(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        AppendQuoted(argv[i], &line);
    }
    return line;
}

}  // namespace posix::entry
