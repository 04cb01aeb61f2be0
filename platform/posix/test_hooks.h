// Test-only hooks into the Linux Win32 layer: a settable clock, input posted as
// if a person gave it, surfaces marked lost, pixels and palettes read back.
// Only tests include this; the programs never do.
#ifndef PLATFORM_POSIX_TEST_HOOKS_H
#define PLATFORM_POSIX_TEST_HOOKS_H

#include "platform/posix/test_hooks_kernel.h"
#include "platform/posix/test_hooks_user.h"
#include "platform/posix/test_hooks_ddraw.h"
#include "platform/posix/test_hooks_gdi.h"
#include "platform/posix/test_hooks_sound.h"

#endif
