#include "platform/posix/gdi/test_hooks.h"

#include "platform/posix/gdi/gdi_objects.h"

using namespace posix::gdi;

namespace testhooks {

GdiObjectCounts LiveGdiObjects() {
    GdiObjectCounts counts;
    for (const GdiObject* object : Objects()) {
        if (object->stock) continue;
        counts.fonts += object->kind == ObjectKind::Font;
        counts.brushes += object->kind == ObjectKind::Brush;
        counts.bitmaps += object->kind == ObjectKind::Bitmap;
    }
    counts.deviceContexts = static_cast<int>(DeviceContexts().size());
    return counts;
}

bool DeviceContextTarget(HDC handle, posix::IndexedPixels* out) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || out == nullptr) return false;
    *out = dc->target;
    return true;
}

bool SelectedFontMetrics(HDC handle, GdiFontMetrics* out) {
    DeviceContext* dc = LiveDeviceContext(handle);
    if (dc == nullptr || dc->font == nullptr || out == nullptr) return false;
    if (dc->font->realised == nullptr) dc->font->realised = RealiseFont(dc->font->request);
    if (dc->font->realised == nullptr) return false;
    const FontMetrics& metrics = dc->font->realised->Metrics();
    out->ascent = metrics.ascent;
    out->descent = metrics.descent;
    out->pixelSize = metrics.pixelSize;
    out->syntheticBold = metrics.syntheticBold;
    out->syntheticItalic = metrics.syntheticItalic;
    out->file = metrics.file;
    return true;
}

}  // namespace testhooks
