// Reads the BITMAP statements of a resource script: NAME BITMAP [flags] "file".
// Other statements are left to windres; this build embeds only bitmaps.
#ifndef TOOLS_EMBED_RESOURCES_RC_SCRIPT_H
#define TOOLS_EMBED_RESOURCES_RC_SCRIPT_H

#include <cctype>
#include <istream>
#include <string>
#include <vector>

namespace rc {

struct BitmapStatement {
    std::string name;  // upper case, as the resource compiler stores names
    std::string file;  // as written, relative to the script's folder
    int lineNumber = 0;
};

// Drops // and /* */ comments, keeping line breaks so line numbers stay right.
inline std::string StripComments(const std::string& text) {
    std::string out;
    bool inQuote = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (inQuote) {
            out += c;
            if (c == '\\' && next != '\0') out += text[++i];
            else if (c == '"') inQuote = false;
        } else if (c == '"') {
            inQuote = true;
            out += c;
        } else if (c == '/' && next == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
            if (i < text.size()) out += '\n';
        } else if (c == '/' && next == '*') {
            i += 2;
            while (i < text.size() && !(text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/')) {
                if (text[i] == '\n') out += '\n';
                ++i;
            }
            ++i;  // past the closing '/'
        } else {
            out += c;
        }
    }
    return out;
}

// Splits one line into words; a quoted word loses its quotes and "\\" reads as "\".
inline bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* error) {
    size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) { ++i; continue; }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size()) { word += line[i + 1]; i += 2; continue; }
                if (line[i] == '"') { closed = true; ++i; break; }
                word += line[i++];
            }
            if (!closed) { *error = "unterminated string"; return false; }
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word += line[i++];
        }
        words->push_back(word);
    }
    return true;
}

inline std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

inline bool IsMemoryFlag(const std::string& word) {
    static const char* const flags[] = {"DISCARDABLE", "MOVEABLE", "FIXED", "PURE",
                                        "IMPURE", "PRELOAD", "LOADONCALL", "SHARED", "NONSHARED"};
    for (const char* flag : flags)
        if (UpperCase(word) == flag) return true;
    return false;
}

// Parses the whole script. On a malformed BITMAP statement, returns false with
// error naming the line; nothing is silently dropped.
inline bool ParseBitmapStatements(std::istream& in, std::vector<BitmapStatement>* out, std::string* error) {
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string code = StripComments(text);
    size_t start = 0;
    for (int lineNumber = 1; start <= code.size(); ++lineNumber) {
        size_t end = code.find('\n', start);
        if (end == std::string::npos) end = code.size();
        const std::string line = code.substr(start, end - start);
        start = end + 1;

        std::vector<std::string> words;
        std::string wordError;
        if (!SplitWords(line, &words, &wordError)) {
            *error = "line " + std::to_string(lineNumber) + ": " + wordError;
            return false;
        }
        if (words.size() < 2 || words[0][0] == '#' || UpperCase(words[1]) != "BITMAP") continue;

        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (std::isdigit(static_cast<unsigned char>(words[0][0]))) {
            *error = where + "numbered bitmap " + words[0] + " is not supported; name it";
            return false;
        }
        for (char c : words[0]) {
            if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') {
                *error = where + "bitmap name " + words[0] + " must be letters, digits and _";
                return false;
            }
        }
        size_t fileWord = 2;
        while (fileWord < words.size() && IsMemoryFlag(words[fileWord])) ++fileWord;
        if (fileWord + 1 != words.size() || words[fileWord].empty()) {
            *error = where + "expected NAME BITMAP \"file\"";
            return false;
        }
        for (const BitmapStatement& seen : *out) {
            if (seen.name == UpperCase(words[0])) {
                *error = where + "bitmap " + seen.name + " named twice";
                return false;
            }
        }
        out->push_back({UpperCase(words[0]), words[fileWord], lineNumber});
    }
    return true;
}

}  // namespace rc

#endif
