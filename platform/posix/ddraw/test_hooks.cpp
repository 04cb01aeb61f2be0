#include "platform/posix/ddraw/test_hooks.h"

#include "platform/posix/ddraw/display_state.h"
#include "platform/posix/ddraw/surface.h"

namespace testhooks {

posix::IndexedPixels SurfacePixels(IDirectDrawSurface* surface) {
    if (!surface) return posix::IndexedPixels{};
    return static_cast<posix::ddraw::Surface*>(surface)->Pixels();
}

const PALETTEENTRY* ShownPalette() { return posix::ddraw::ShownPalette(); }

void MarkAllSurfacesLost() { posix::ddraw::MarkAllSurfacesLost(); }

LiveDirectDrawObjects CountLiveDirectDrawObjects() {
    const posix::ddraw::DisplayState& display = posix::ddraw::Display();
    LiveDirectDrawObjects live;
    live.directDraws = static_cast<int>(display.directDraws.size());
    live.surfaces = static_cast<int>(display.surfaces.size());
    live.palettes = static_cast<int>(display.palettes.size());
    return live;
}

ULONG ReferenceCount(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

}  // namespace testhooks
