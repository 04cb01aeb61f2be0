// A second thread for large refits. A fade step at 3840x2160 refits 6 million
// pixels, 3 to 6 ms on one core; the display server's copy of the frame comes only
// after it, so on a machine of two cores or more the other core is mostly free
// meanwhile. Each thread fits its own pieces of rows with its own lines.
#ifndef PLATFORM_POSIX_SCREEN_REFIT_HELPER_H
#define PLATFORM_POSIX_SCREEN_REFIT_HELPER_H

#include "platform/posix/screen/window_refit.h"

namespace posix::screen {

// RefitRows, many rows shared with the helper; on one core, or where no thread can
// be had (a browser without threads), all on the caller's.
void RefitRowsShared(const RefitGeometry& geometry, const Picture& picture, RowSpan rows,
                     ColumnSpan columns, void* destination, int pitch, FittedLines* lines);

}  // namespace posix::screen

#endif
