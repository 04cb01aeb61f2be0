// Handles, stock objects, selection and deletion of GDI objects.
#include "platform/posix/gdi/gdi_objects.h"

#include <unordered_set>

namespace posix::gdi {

std::unordered_set<const GdiObject*>& Objects() {
    static std::unordered_set<const GdiObject*> objects;
    return objects;
}

std::unordered_set<const DeviceContext*>& DeviceContexts() {
    static std::unordered_set<const DeviceContext*> contexts;
    return contexts;
}

namespace {

template <typename T>
T* MakeStock(T* object) {
    object->stock = true;
    Objects().insert(object);
    return object;
}

BrushObject* StockBrush(COLORREF colour, bool hollow) {
    auto* brush = new BrushObject;
    brush->colour = colour;
    brush->hollow = hollow;
    return MakeStock(brush);
}

PenObject* StockPen(COLORREF colour, bool hollow) {
    auto* pen = new PenObject;
    pen->colour = colour;
    pen->hollow = hollow;
    return MakeStock(pen);
}

void Free(GdiObject* object) {
    Objects().erase(object);
    delete object;
}

// Stock object numbers as Windows has them.
enum StockIndex {
    kWhiteBrush = 0, kLightGreyBrush = 1, kGreyBrush = 2, kDarkGreyBrush = 3,
    kBlackBrush = BLACK_BRUSH, kNullBrush = NULL_BRUSH,
    kWhitePen = 6, kBlackPen = BLACK_PEN, kNullPen = 8,
    kOemFixedFont = 10, kAnsiFixedFont = 11, kAnsiVarFont = 12, kSystemFont = 13,
    kDeviceDefaultFont = 14, kSystemFixedFont = 16, kDefaultGuiFont = 17,
};

}  // namespace

HGDIOBJ ToHandle(GdiObject* object) { return static_cast<void*>(object); }

GdiObject* LiveObject(HGDIOBJ handle) {
    auto* object = static_cast<GdiObject*>(handle);
    if (handle == nullptr || Objects().count(object) == 0 || object->deletePending) return nullptr;
    return object;
}

HDC ToHandle(DeviceContext* dc) { return reinterpret_cast<HDC>(dc); }

DeviceContext* LiveDeviceContext(HDC handle) {
    auto* dc = reinterpret_cast<DeviceContext*>(handle);
    return handle != nullptr && DeviceContexts().count(dc) ? dc : nullptr;
}

HGDIOBJ RegisterObject(GdiObject* object) {
    Objects().insert(object);
    return ToHandle(object);
}

FontObject* DefaultFont() {
    static FontObject* font = [] {
        auto* made = new FontObject;
        made->request.height = 16;
        made->request.weight = FW_BOLD;  // the Windows system font is bold
        return MakeStock(made);
    }();
    return font;
}

BrushObject* DefaultBrush() {
    static BrushObject* brush = StockBrush(RGB(255, 255, 255), false);
    return brush;
}

PenObject* DefaultPen() {
    static PenObject* pen = StockPen(RGB(0, 0, 0), false);
    return pen;
}

// A memory DC starts with a 1x1 monochrome bitmap.
BitmapObject* DefaultBitmap() {
    static BitmapObject* bitmap = [] {
        auto* made = new BitmapObject;
        made->width = made->height = made->pitch = 1;
        made->pixels.assign(1, 0);
        made->colourTable = {{0, 0, 0, 0}, {255, 255, 255, 0}};
        return MakeStock(made);
    }();
    return bitmap;
}

GdiObject* SelectIntoDc(DeviceContext* dc, GdiObject* object) {
    GdiObject* previous = nullptr;
    switch (object->kind) {
    case ObjectKind::Font:
        previous = dc->font;
        dc->font = static_cast<FontObject*>(object);
        break;
    case ObjectKind::Brush:
        previous = dc->brush;
        dc->brush = static_cast<BrushObject*>(object);
        break;
    case ObjectKind::Pen:
        previous = dc->pen;
        dc->pen = static_cast<PenObject*>(object);
        break;
    case ObjectKind::Bitmap: {
        previous = dc->bitmap;
        auto* bitmap = static_cast<BitmapObject*>(object);
        dc->bitmap = bitmap;
        dc->target.width = bitmap->width;
        dc->target.height = bitmap->height;
        dc->target.pitch = bitmap->pitch;
        dc->target.pixels = bitmap->pixels.data();
        dc->palette = bitmap->colourTable.data();
        dc->paletteSize = static_cast<int>(bitmap->colourTable.size());
        break;
    }
    }
    ++object->selections;
    if (previous != nullptr && --previous->selections == 0 && previous->deletePending)
        Free(previous);
    return previous;
}

void ReleaseSelections(DeviceContext* dc) {
    GdiObject* held[] = {dc->font, dc->brush, dc->pen, dc->bitmap};
    for (GdiObject* object : held) {
        if (object != nullptr && --object->selections == 0 && object->deletePending) Free(object);
    }
    dc->font = nullptr;
    dc->brush = nullptr;
    dc->pen = nullptr;
    dc->bitmap = nullptr;
}

HDC RegisterDeviceContext(DeviceContext* dc) {
    SelectIntoDc(dc, DefaultFont());
    SelectIntoDc(dc, DefaultBrush());
    SelectIntoDc(dc, DefaultPen());
    if (dc->memory) SelectIntoDc(dc, DefaultBitmap());
    DeviceContexts().insert(dc);
    return ToHandle(dc);
}

void DestroyDeviceContext(DeviceContext* dc) {
    ReleaseSelections(dc);
    DeviceContexts().erase(dc);
    delete dc;
}

}  // namespace posix::gdi

using namespace posix::gdi;

HGDIOBJ WINAPI GetStockObject(int index) {
    static BrushObject* white = DefaultBrush();
    static BrushObject* lightGrey = StockBrush(RGB(192, 192, 192), false);
    static BrushObject* grey = StockBrush(RGB(128, 128, 128), false);
    static BrushObject* darkGrey = StockBrush(RGB(64, 64, 64), false);
    static BrushObject* black = StockBrush(RGB(0, 0, 0), false);
    static BrushObject* hollow = StockBrush(RGB(0, 0, 0), true);
    static PenObject* whitePen = StockPen(RGB(255, 255, 255), false);
    static PenObject* blackPen = DefaultPen();
    static PenObject* nullPen = StockPen(RGB(0, 0, 0), true);
    switch (index) {
    case kWhiteBrush: return ToHandle(white);
    case kLightGreyBrush: return ToHandle(lightGrey);
    case kGreyBrush: return ToHandle(grey);
    case kDarkGreyBrush: return ToHandle(darkGrey);
    case kBlackBrush: return ToHandle(black);
    case kNullBrush: return ToHandle(hollow);
    case kWhitePen: return ToHandle(whitePen);
    case kBlackPen: return ToHandle(blackPen);
    case kNullPen: return ToHandle(nullPen);
    // Every stock font is the one default font here.
    case kOemFixedFont: case kAnsiFixedFont: case kAnsiVarFont: case kSystemFont:
    case kDeviceDefaultFont: case kSystemFixedFont: case kDefaultGuiFont:
        return ToHandle(DefaultFont());
    default: return nullptr;
    }
}

HGDIOBJ WINAPI SelectObject(HDC dcHandle, HGDIOBJ handle) {
    DeviceContext* dc = LiveDeviceContext(dcHandle);
    GdiObject* object = LiveObject(handle);
    if (dc == nullptr || object == nullptr) return nullptr;
    if (object->kind == ObjectKind::Bitmap) {
        // Bitmaps go only into memory DCs, and (but for the stock one) into one DC at a time.
        if (!dc->memory) return nullptr;
        if (!object->stock && object->selections > 0 && dc->bitmap != object) return nullptr;
    }
    return ToHandle(SelectIntoDc(dc, object));
}

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    GdiObject* object = LiveObject(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;  // stock objects are never deleted
    if (object->selections > 0) {
        // Windows lets the handle go but keeps the object until it is deselected.
        object->deletePending = true;
        return TRUE;
    }
    Free(object);
    return TRUE;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    auto* brush = new BrushObject;
    brush->colour = colour & 0x00FFFFFF;
    return static_cast<HBRUSH>(RegisterObject(brush));
}
