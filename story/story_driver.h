#ifndef STORY_STORY_DRIVER_H
#define STORY_STORY_DRIVER_H

// Presents every line from the bookmark to the end, marks the story finished in
// the bookmark file, and closes with a pause, a fade and the closing cards.
void RunStory();

const unsigned long LastLinePause = 2000;

#endif
