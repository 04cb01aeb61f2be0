// story_check STORY.txt [-o SCRIPT.dat] [--sounds DIR] [--part 1|2]
//
// Converts a UTF-8 story to the CP932 script the reader reads and reports, as
// STORY.txt:ROW:COLUMN: message (columns counted in characters), everything
// the reader would show differently from what was written. Exit status: 0 and
// a one-line summary when there is nothing to report; 1 with every finding;
// 2 when the story cannot be read or the script cannot be written.
//
// -o writes the script whenever every character converts, findings or not,
// so that a story can be tried while it is being fixed; a story with a byte
// that is not UTF-8 or a character CP932 cannot hold gets no script.
#include "tools/story_check/story_check.h"
#include "tools/story_check/text_measure.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

struct Arguments {
    std::string story;
    std::string output;
    std::string sounds;
    int part = 1;
};

bool ParseArguments(int argc, char** argv, Arguments* arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "-o" && hasValue) {
            arguments->output = argv[++i];
        } else if (argument == "--sounds" && hasValue) {
            arguments->sounds = argv[++i];
        } else if (argument == "--part" && hasValue) {
            const std::string part = argv[++i];
            if (part != "1" && part != "2") return false;
            arguments->part = part[0] - '0';
        } else if (arguments->story.empty() && !argument.empty() && argument[0] != '-') {
            arguments->story = argument;
        } else {
            return false;
        }
    }
    return !arguments->story.empty();
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    char block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes->append(block, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

// Written beside its place and renamed, so that no half-written script is left.
bool WriteScript(const std::string& path, const std::string& bytes) {
    const std::string partial = path + ".partial";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

std::string Duration(long long ms) {
    const long long seconds = (ms + 500) / 1000;
    if (seconds < 60) return std::to_string(seconds) + " s";
    return std::to_string(seconds / 60) + " min " + std::to_string(seconds % 60) + " s";
}

std::string Plural(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void PrintSummary(const Arguments& arguments, const StoryCheck& check) {
    std::cout << arguments.story << ": " << Plural(check.lines, "line", "lines") << ", "
              << Plural(check.characters, "character", "characters") << ", "
              << Plural(check.pages, "page", "pages") << ", "
              << Plural(check.soundCues, "sound cue", "sound cues") << ", reading time "
              << Duration(check.readingMs) << " at part" << arguments.part << "'s pace\n";
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!ParseArguments(argc, argv, &arguments)) {
        std::cerr << "usage: story-check STORY.txt [-o SCRIPT.dat] [--sounds DIR] [--part 1|2]\n";
        return 2;
    }
    std::string story;
    if (!ReadWholeFile(arguments.story, &story)) {
        std::cerr << "story-check: cannot read " << arguments.story << ": " << std::strerror(errno)
                  << "\n";
        return 2;
    }
    ReaderTextMeasure measure;
    if (!measure.Usable()) {
        std::cerr << "story-check: cannot measure text with the reader's font (IPA P Mincho, "
                     "package fonts-ipafont-mincho)\n";
        return 2;
    }
    StoryCheckOptions options;
    options.soundFolder = arguments.sounds.empty() ? FolderOf(arguments.story) : arguments.sounds;
    options.innerFullStopPause = arguments.part == 1;
    const StoryCheck check =
        CheckStory(story, options, [&](const std::string& text) { return measure.Width(text); });

    for (const Finding& finding : check.findings)
        std::cerr << arguments.story << ":" << finding.row << ":" << finding.column << ": "
                  << finding.message << "\n";
    if (!arguments.output.empty()) {
        if (!check.scriptMade) {
            std::cerr << "story-check: " << arguments.output
                      << " not written: the story has characters CP932 cannot hold\n";
        } else if (!WriteScript(arguments.output, check.script)) {
            std::cerr << "story-check: cannot write " << arguments.output << "\n";
            return 2;
        }
    }
    if (!check.findings.empty()) {
        std::cerr << arguments.story << ": "
                  << Plural(static_cast<int>(check.findings.size()), "finding", "findings") << "\n";
        return 1;
    }
    PrintSummary(arguments, check);
    return 0;
}
