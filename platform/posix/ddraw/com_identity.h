// QueryInterface as these objects answer it: only IUnknown's own identifier.
#ifndef PLATFORM_POSIX_DDRAW_COM_IDENTITY_H
#define PLATFORM_POSIX_DDRAW_COM_IDENTITY_H

#include "platform/win32.h"

namespace posix::ddraw {

bool IsUnknownInterfaceId(REFIID riid);

// Hands out self (with a reference) for IUnknown, refuses everything else.
HRESULT QueryUnknownOnly(IUnknown* self, REFIID riid, void** object);

}  // namespace posix::ddraw

#endif
