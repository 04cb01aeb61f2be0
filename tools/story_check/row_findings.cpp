#include "tools/story_check/story_findings.h"

#include "tools/story_check/cp932.h"

namespace {

bool IsSpace(const SourceCharacter& character) {
    return character.utf8 && IsScriptSpace(character.code);
}

std::string SpaceName(char32_t code) {
    if (code == ' ') return "a space";
    if (code == '\t') return "a tab";
    return "white space " + CodePointName(code);
}

struct Row {
    size_t begin = 0, end = 0;  // source characters, its line feed excluded
};

std::vector<Row> RowsOf(const std::vector<SourceCharacter>& source, size_t readable) {
    std::vector<Row> rows;
    Row row;
    for (size_t i = 0; i < readable; ++i) {
        if (source[i].utf8 && source[i].code == '\n') {
            row.end = i;
            rows.push_back(row);
            row.begin = i + 1;
        }
    }
    row.end = readable;
    if (row.end > row.begin) rows.push_back(row);
    return rows;
}

// White space before the first character of a row, or between two of its characters.
void FindSpacesInRow(const std::vector<SourceCharacter>& source, const Row& row,
                     std::vector<Finding>* findings) {
    bool seenText = false;
    for (size_t i = row.begin; i < row.end; ++i) {
        if (!IsSpace(source[i])) {
            seenText = true;
            continue;
        }
        size_t end = i;
        while (end < row.end && IsSpace(source[end])) ++end;
        if (end == row.end) return;  // trailing white space, CR of a CR LF too, is harmless
        const std::string what = SpaceName(source[i].code);
        const std::string message =
            seenText ? what + " splits the row into two script lines and is not shown; write the "
                              "full-width space '　'"
                     : what + " at the start of a row is not shown: indent with the full-width "
                              "space '　'";
        findings->push_back(FindingAt(source[i], message));
        i = end - 1;
    }
}

bool IsBlank(const std::vector<SourceCharacter>& source, const Row& row) {
    for (size_t i = row.begin; i < row.end; ++i)
        if (!IsSpace(source[i])) return false;
    return true;
}

}  // namespace

void FindRowFaults(const std::vector<SourceCharacter>& source, size_t readable,
                   std::vector<Finding>* findings) {
    const std::vector<Row> rows = RowsOf(source, readable);
    // Blank rows count only where story follows them: trailing ones change nothing.
    size_t lastText = rows.size();
    for (size_t r = 0; r < rows.size(); ++r)
        if (!IsBlank(source, rows[r])) lastText = r;
    bool inBlankRun = false;
    for (size_t r = 0; r < rows.size(); ++r) {
        const bool blank = IsBlank(source, rows[r]);
        if (blank && !inBlankRun && lastText != rows.size() && r < lastText) {
            findings->push_back(FindingAt(source[rows[r].begin],
                                          "a blank row is nothing to the reader: no empty row is "
                                          "shown; write '　' alone on the row for a row break"));
        }
        inBlankRun = blank;
        if (!blank) FindSpacesInRow(source, rows[r], findings);
    }
}
