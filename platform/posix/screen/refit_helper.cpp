#include "platform/posix/screen/refit_helper.h"

#include "platform/posix/screen/helper_core.h"

#include <SDL.h>

namespace posix::screen {

namespace {

// Fewer pixels than this (about half a millisecond's refit) stay on the caller's
// thread: sharing them would save less than it costs the two cores together.
const long kSharedPixels = 1000000;
// The rows are taken in pieces of this many by whichever thread is free: a helper
// that the system runs late (its core busy with the display server's copy) then
// takes fewer, and the caller never waits for work it could have done itself.
const int kPieceRows = 128;

struct Job {
    const RefitGeometry* geometry = nullptr;
    const Picture* picture = nullptr;
    RowSpan rows;
    ColumnSpan columns;
    uint8_t* destination = nullptr;  // the picture's left edge in the first of rows
    int pitch = 0;
};

struct Helper {
    SDL_mutex* lock = nullptr;
    SDL_cond* wake = nullptr;      // a new job
    SDL_cond* finished = nullptr;  // the helper has let a piece go
    unsigned generation = 0;       // of the job; the helper joins only the current one
    Job job;
    int nextRow = 0;
    bool working = false;          // the helper is fitting a piece of the current job
    long thread = 0;               // the helper, to keep it off the caller's core
    int shunned = -1;              // the core it is kept off
    FittedLines lines;
};

// The first row of a piece of the current job, or -1 when all are taken. Called
// with the lock held.
int TakePiece(Helper& helper, unsigned generation) {
    if (generation != helper.generation || helper.nextRow >= helper.job.rows.end) return -1;
    const int first = helper.nextRow;
    helper.nextRow = first + kPieceRows;
    return first;
}

void FitPiece(const Job& job, int first, FittedLines* lines) {
    const RowSpan piece{first, first + kPieceRows < job.rows.end ? first + kPieceRows
                                                                 : job.rows.end};
    RefitRows(*job.geometry, *job.picture, piece, job.columns,
              job.destination + static_cast<ptrdiff_t>(first - job.rows.first) * job.pitch,
              job.pitch, lines);
}

int RunHelper(void* data) {
    auto& helper = *static_cast<Helper*>(data);
    unsigned seen = 0;
    SDL_LockMutex(helper.lock);
    helper.thread = PlaceableThread();
    for (;;) {
        while (helper.generation == seen) SDL_CondWait(helper.wake, helper.lock);
        seen = helper.generation;
        const Job job = helper.job;
        helper.lines.Forget();  // the page has changed since the last job
        for (int first; (first = TakePiece(helper, seen)) >= 0;) {
            helper.working = true;
            SDL_UnlockMutex(helper.lock);
            FitPiece(job, first, &helper.lines);
            SDL_LockMutex(helper.lock);
            helper.working = false;
            SDL_CondSignal(helper.finished);
        }
    }
}

void Destroy(Helper* helper) {
    if (helper->lock) SDL_DestroyMutex(helper->lock);
    if (helper->wake) SDL_DestroyCond(helper->wake);
    if (helper->finished) SDL_DestroyCond(helper->finished);
    delete helper;
}

// Started at the first large refit; null for good when there is one core or no thread.
Helper* TheHelper() {
    static Helper* const helper = []() -> Helper* {
        if (SDL_GetCPUCount() < 2) return nullptr;
        auto* made = new Helper;  // lives as long as its thread, to the process's end
        made->lock = SDL_CreateMutex();
        made->wake = SDL_CreateCond();
        made->finished = SDL_CreateCond();
        SDL_Thread* thread = made->lock && made->wake && made->finished
                                 ? SDL_CreateThread(RunHelper, "refit", made)
                                 : nullptr;
        if (thread == nullptr) {
            Destroy(made);
            return nullptr;
        }
        SDL_DetachThread(thread);  // it waits for work until the process ends
        return made;
    }();
    return helper;
}

}  // namespace

void RefitRowsShared(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
                     ColumnSpan columns, void* destination, int pitch, FittedLines* lines) {
    const long pixels = static_cast<long>(rows.end - rows.first) * (columns.end - columns.first);
    Helper* helper = pixels >= kSharedPixels ? TheHelper() : nullptr;
    if (helper == nullptr) {
        RefitRows(geometry, picture, rows, columns, destination, pitch, lines);
        return;
    }
    const Job job{&geometry, &picture, rows, columns, static_cast<uint8_t*>(destination), pitch};
    SDL_LockMutex(helper->lock);
    KeepOffCallersCore(helper->thread, &helper->shunned);
    helper->job = job;
    helper->nextRow = rows.first;
    const unsigned generation = ++helper->generation;
    SDL_CondSignal(helper->wake);
    for (int first; (first = TakePiece(*helper, generation)) >= 0;) {
        SDL_UnlockMutex(helper->lock);
        FitPiece(job, first, lines);
        SDL_LockMutex(helper->lock);
    }
    // Every piece is taken: the refit is done once the helper has let its last go.
    // Should its core have been taken from it meanwhile, it may have the caller's.
    if (helper->working) LetOnEveryCore(helper->thread, &helper->shunned);
    while (helper->working) SDL_CondWait(helper->finished, helper->lock);
    SDL_UnlockMutex(helper->lock);
}

}  // namespace posix::screen
