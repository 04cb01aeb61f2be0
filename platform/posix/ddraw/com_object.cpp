#include "platform/posix/ddraw/com_object.h"

#include "platform/posix/ddraw/ddraw_results.h"

#include <cstring>

namespace posix::ddraw {

namespace {

bool IsUnknownInterfaceId(REFIID riid) {
    // {00000000-0000-0000-C000-000000000046}
    static const GUID unknownId = {0x00000000, 0x0000, 0x0000,
                                   {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    return std::memcmp(&riid, &unknownId, sizeof(GUID)) == 0;
}

}  // namespace

HRESULT QueryUnknownOnly(IUnknown* self, REFIID riid, void** object) {
    if (!object) return DDERR_INVALIDPARAMS;
    if (!IsUnknownInterfaceId(riid)) {
        *object = nullptr;
        return kNoInterface;
    }
    self->AddRef();
    *object = self;
    return DD_OK;
}

}  // namespace posix::ddraw
