// make_sounds <folder>: writes sound_01.wav to sound_04.wav into folder.
#include "cues.h"
#include "wave_writer.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    struct Cue {
        const char* fileName;
        MonoSound (*make)();
        int bitsPerSample;  // both widths, so both playback paths get used
    };
    const Cue cues[] = {
        {"sound_01.wav", SoftChime, 16},
        {"sound_02.wav", DoubleDrumKnock, 8},
        {"sound_03.wav", WindBell, 8},
        {"sound_04.wav", GentleLowBell, 16},
    };
    const std::string folder = argv[1];
    for (const Cue& cue : cues) {
        std::string path = folder + "/" + cue.fileName;
        if (!WriteWave(path, cue.make(), cue.bitsPerSample)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
