#include "platform/posix/screen/refit_helper.h"

#include <SDL.h>

namespace posix::screen {

namespace {

// Fewer rows than this are not worth a thread's waking (about 0.05 ms): a typed
// character's rows stay on the caller's thread.
const int kSharedRows = 256;

struct Job {
    const RefitGeometry* geometry = nullptr;
    const Picture* picture = nullptr;
    RowSpan rows;
    uint8_t* destination = nullptr;
    int pitch = 0;
};

struct Helper {
    SDL_sem* start = nullptr;
    SDL_sem* done = nullptr;
    Job job;
    FittedLines lines;
};

int RunHelper(void* data) {
    auto* helper = static_cast<Helper*>(data);
    for (;;) {
        SDL_SemWait(helper->start);
        const Job& job = helper->job;
        helper->lines.Forget();  // the page has changed since its last job
        RefitRows(*job.geometry, *job.picture, job.rows, job.destination, job.pitch,
                  &helper->lines);
        SDL_SemPost(helper->done);
    }
}

// Started at the first large refit; null for good when there is one core or no thread.
Helper* TheHelper() {
    static Helper* const helper = []() -> Helper* {
        if (SDL_GetCPUCount() < 2) return nullptr;
        auto* made = new Helper;  // lives as long as its thread, to the process's end
        made->start = SDL_CreateSemaphore(0);
        made->done = SDL_CreateSemaphore(0);
        SDL_Thread* thread = made->start && made->done
                                 ? SDL_CreateThread(RunHelper, "refit", made)
                                 : nullptr;
        if (thread == nullptr) return nullptr;
        SDL_DetachThread(thread);  // it waits for work until the process ends
        return made;
    }();
    return helper;
}

}  // namespace

void RefitRowsShared(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
                     void* destination, int pitch, FittedLines* lines) {
    Helper* helper = rows.end - rows.first >= kSharedRows ? TheHelper() : nullptr;
    if (helper == nullptr) {
        RefitRows(geometry, picture, rows, destination, pitch, lines);
        return;
    }
    const int middle = rows.first + (rows.end - rows.first) / 2;
    auto* out = static_cast<uint8_t*>(destination);
    helper->job = Job{&geometry, &picture, RowSpan{middle, rows.end},
                      out + static_cast<ptrdiff_t>(middle - rows.first) * pitch, pitch};
    SDL_SemPost(helper->start);
    RefitRows(geometry, picture, RowSpan{rows.first, middle}, destination, pitch, lines);
    SDL_SemWait(helper->done);
}

}  // namespace posix::screen
