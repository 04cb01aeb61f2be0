// Test-only hooks into the Linux Win32 layer, one header per module: a settable
// clock, input given as if a person gave it, surfaces marked lost, pixels,
// palettes and sounds read back, and a fresh start of each module. They live in
// the win32_testing library, which tests link and the programs never do.
#ifndef PLATFORM_POSIX_TEST_HOOKS_H
#define PLATFORM_POSIX_TEST_HOOKS_H

#include "platform/posix/ddraw/test_hooks.h"
#include "platform/posix/gdi/test_hooks.h"
#include "platform/posix/kernel/test_hooks.h"
#include "platform/posix/screen/test_hooks.h"
#include "platform/posix/user/test_hooks.h"
#include "platform/posix/video/test_hooks.h"
#include "platform/posix/winmm/test_hooks.h"

namespace testhooks {

// Each module's reset, in the order they depend on each other: the window (which
// gives the screen back), the screen and the idle state.
inline void ResetWindowAndScreen() {
    ResetUser();
    ResetScreen();
    ResetIdle();
}

}  // namespace testhooks

#endif
