#include "story/text_file.h"

FILE* OpenForReading(const char* path) {
    FILE* file = std::fopen(path, "r");
    if (!file) return NULL;
    const int first = std::fgetc(file);
    if (first == EOF) {
        if (std::ferror(file)) {
            std::fclose(file);
            return NULL;
        }
        std::clearerr(file);
        return file;
    }
    std::ungetc(first, file);
    return file;
}
