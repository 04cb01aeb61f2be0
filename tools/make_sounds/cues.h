// The four sample cues of the night story, synthesised from decaying partials.
#ifndef TOOLS_MAKE_SOUNDS_CUES_H
#define TOOLS_MAKE_SOUNDS_CUES_H

#include "wave_writer.h"

MonoSound SoftChime();          // two soft glassy notes, a fifth apart
MonoSound DoubleDrumKnock();    // two muffled knocks on a wooden drum
MonoSound WindBell();           // a small glass wind bell swaying in a breeze
MonoSound GentleLowBell();      // one low temple-like bell, humming out

#endif
