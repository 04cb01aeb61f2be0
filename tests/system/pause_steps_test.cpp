// Every pause the reader asks for is a whole number of the Linux layer's rest
// steps, which end a wait on its millisecond only then (a 30 ms pause would end
// 10 ms late). The pauses are seen through the linker: the tests are linked with
// -Wl,--wrap for WaitSinceMark, so each call from the reader's code comes here first.
#include "episodes/episode_config.h"
#include "platform/posix/idle/idle.h"
#include "platform/posix/test_hooks.h"
#include "shell/pacing.h"
#include "shell/startup.h"
#include "story/cards.h"
#include "story/script.h"
#include "story/story_driver.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

std::set<DWORD> Pauses;

void WritePauses() {
    FILE* file = std::fopen("pauses.txt", "w");
    for (const DWORD ms : Pauses) std::fprintf(file, "%u ", ms);
    std::fclose(file);
}

}  // namespace

extern "C" void __real__Z13WaitSinceMarkj(DWORD ms);
extern "C" void __wrap__Z13WaitSinceMarkj(DWORD ms) {
    Pauses.insert(ms);
    __real__Z13WaitSinceMarkj(ms);
}

TEST(PauseSteps, EveryPauseOfAWholeRunIsAWholeNumberOfRestSteps) {
    ScratchFolder folder;
    ASSERT_TRUE(StartReaderDisplay());
    testhooks::UseTestClock(1000, true);
    // Every rule's pause: commas, full stops inside and at the end, a closing
    // quote, an empty row, a colour, a cue, and enough rows for a page break.
    std::vector<std::string> lines = {Sjis("あ、い。う。"), Sjis("「え」"), Sjis("　"),
                                      "c1", "s01", Sjis("お。")};
    for (int row = 0; row < 16; ++row) lines.push_back(Sjis("か。"));
    SetScript(lines);
    WriteFile(Episode.BookmarkFileName, "0");
    EXPECT_EXIT(
        {
            std::atexit(WritePauses);
            ShowTitleCards();
            RevealBackdrop();
            ClearTextLayer();
            RunStory();
        },
        ::testing::ExitedWithCode(1), "");
    std::set<DWORD> seen;
    FILE* file = std::fopen("pauses.txt", "r");
    ASSERT_NE(nullptr, file);
    for (DWORD ms; std::fscanf(file, "%u", &ms) == 1;) seen.insert(ms);
    std::fclose(file);
    EXPECT_GE(seen.size(), 5u);  // fade steps, characters, commas, sentence ends, holds
    for (const DWORD ms : seen) EXPECT_EQ(0u, ms % posix::idle::kStepMs) << ms << " ms";
    testhooks::UseRealClock();
    FreeScript();
    StopReaderDisplay();
}
