#ifndef STORY_STORY_DRIVER_H
#define STORY_STORY_DRIVER_H

// Presents every line from the bookmark to the end, marks the story finished in
// the bookmark file, and closes with a pause, a fade and the closing cards.
void RunStory();

// 1 from the start of the story to the closing cards: the screen shows the
// picture with the page's text (also through the last pause and the fade-out).
extern int StoryOnScreen;

const unsigned long LastLinePause = 2000;

#endif
