// The objects behind GDI handles (fonts, brushes, pens, bitmaps, device contexts)
// and the table that tells live handles from stale ones.
#ifndef PLATFORM_POSIX_GDI_GDI_OBJECTS_H
#define PLATFORM_POSIX_GDI_GDI_OBJECTS_H

#include "platform/posix/gdi/font_cache.h"
#include "platform/posix/pixels/pixels.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace posix::gdi {

enum class ObjectKind { Font, Brush, Pen, Bitmap };

struct GdiObject {
    explicit GdiObject(ObjectKind k) : kind(k) {}
    virtual ~GdiObject() = default;
    ObjectKind kind;
    bool stock = false;
    int selections = 0;          // device contexts that hold it selected
    bool deletePending = false;  // DeleteObject while selected: freed on deselection
};

struct FontObject : GdiObject {
    FontObject() : GdiObject(ObjectKind::Font) {}
    FontRequest request;
    RealisedFont* realised = nullptr;  // looked up on first use, owned by the font cache
};

struct BrushObject : GdiObject {
    BrushObject() : GdiObject(ObjectKind::Brush) {}
    bool hollow = false;
    COLORREF colour = 0;
};

struct PenObject : GdiObject {
    PenObject() : GdiObject(ObjectKind::Pen) {}
    bool hollow = false;
    COLORREF colour = 0;
};

// A DIB section: 8-bit pixels, top row first, with its colour table.
struct BitmapObject : GdiObject {
    BitmapObject() : GdiObject(ObjectKind::Bitmap) {}
    int width = 0;
    int height = 0;
    int pitch = 0;
    std::vector<uint8_t> pixels;
    std::vector<PALETTEENTRY> colourTable;  // what the pixel values stand for
};

struct DeviceContext {
    bool memory = false;  // CreateCompatibleDC; otherwise a DC on a surface's pixels
    IndexedPixels target;
    const PALETTEENTRY* palette = nullptr;  // colours are matched against these entries
    int paletteSize = 0;
    FontObject* font = nullptr;
    BrushObject* brush = nullptr;
    PenObject* pen = nullptr;
    BitmapObject* bitmap = nullptr;  // memory DCs only
    int backgroundMode = OPAQUE;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF backgroundColour = RGB(255, 255, 255);
};

// Handles: a handle is the object's address, accepted only while the object lives.
HGDIOBJ ToHandle(GdiObject* object);
GdiObject* LiveObject(HGDIOBJ handle);
HDC ToHandle(DeviceContext* dc);
DeviceContext* LiveDeviceContext(HDC handle);

// Takes ownership of a newly made object and makes its handle valid.
HGDIOBJ RegisterObject(GdiObject* object);

// The stock objects a new device context starts with.
FontObject* DefaultFont();
BrushObject* DefaultBrush();
PenObject* DefaultPen();
BitmapObject* DefaultBitmap();

// Selection bookkeeping: Select puts object in the DC's slot for its kind and
// returns what was there; Release drops a DC's hold (freeing a pending delete).
GdiObject* SelectIntoDc(DeviceContext* dc, GdiObject* object);
void ReleaseSelections(DeviceContext* dc);

HDC RegisterDeviceContext(DeviceContext* dc);
void DestroyDeviceContext(DeviceContext* dc);

// The live objects (stock ones included) and device contexts: the handles that
// are valid now.
std::unordered_set<const GdiObject*>& Objects();
std::unordered_set<const DeviceContext*>& DeviceContexts();

}  // namespace posix::gdi

#endif
