// Whole runs of the reader inside a death test's child: the same sequence as the
// program, on the test clock with the recorded audio output, in a scratch folder.
#ifndef TESTS_FAULTS_READER_RUN_H
#define TESTS_FAULTS_READER_RUN_H

#include <functional>
#include <string>

// The bookmark every run starts from; fault runs that never reach the story
// must leave it exactly as it is.
const char* const UntouchedBookmark = "12\n";

// The program from WinMain to its exit.
void RunWholeProgram();

// The program up to the story with before() called once the window and display
// are up (to queue input), then the title cards when withTitles, then the story.
void RunFromStory(const std::function<void()>& before, bool withTitles = false);

// A script of count copies of one Shift-JIS token, white-space separated.
std::string RepeatedTokens(const std::string& token, int count);

#endif
