// A test-only ddraw.dll for the Windows build run under Wine. Placed beside the
// program and chosen with WINEDLLOVERRIDES=ddraw=n,b, it hands every call on to
// the system's own ddraw.dll and, when READER_FRAME_RECORD names a file, records
// what the primary surface shows whenever that changes: after each Flip, each
// SetEntries or SetPalette of the palette on the primary, and each drawing onto
// the primary (Blt, BltFast, Unlock, ReleaseDC). The record has the format of
// the Linux layer's own (platform/posix/screen/frame_record_writer.h).
//
// The real objects are handed to the program unchanged; the few methods watched
// are patched into their interface tables, which the system's ddraw shares among
// all objects of a kind, so every other call goes straight to it.
#define CINTERFACE
#include <windows.h>
#include <ddraw.h>

#include "platform/posix/screen/frame_record_writer.h"

#include <cstdio>
#include <cstdlib>

namespace {

HMODULE SystemDdraw() {
    static HMODULE module = [] {
        char path[MAX_PATH + 16];
        const UINT length = GetSystemDirectoryA(path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return HMODULE{};
        lstrcatA(path, "\\ddraw.dll");
        return LoadLibraryA(path);
    }();
    return module;
}

template <typename Function>
Function SystemFunction(const char* name) {
    HMODULE module = SystemDdraw();
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// The system's methods that the watched ones hand on to.
decltype(IDirectDrawVtbl::CreateSurface) SystemCreateSurface;
decltype(IDirectDrawVtbl::CreatePalette) SystemCreatePalette;
decltype(IDirectDrawSurfaceVtbl::Flip) SystemFlip;
decltype(IDirectDrawSurfaceVtbl::Blt) SystemBlt;
decltype(IDirectDrawSurfaceVtbl::BltFast) SystemBltFast;
decltype(IDirectDrawSurfaceVtbl::Unlock) SystemUnlock;
decltype(IDirectDrawSurfaceVtbl::ReleaseDC) SystemReleaseDC;
decltype(IDirectDrawSurfaceVtbl::SetPalette) SystemSetPalette;
decltype(IDirectDrawPaletteVtbl::SetEntries) SystemSetEntries;

IDirectDrawSurface* Primary = nullptr;

// Puts hook in an interface table's slot, keeping what was there; once per table.
template <typename Method>
void Patch(const Method* constSlot, Method hook, Method* system) {
    Method* slot = const_cast<Method*>(constSlot);
    if (*slot == hook) return;
    *system = *slot;
    DWORD old;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old)) return;
    *slot = hook;
    VirtualProtect(slot, sizeof(*slot), old, &old);
}

long long Microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart / frequency.QuadPart * 1000000 +
           now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

framerecord::FrameRecordWriter* Record() {
    static framerecord::FrameRecordWriter* writer = []() -> framerecord::FrameRecordWriter* {
        const char* path = std::getenv("READER_FRAME_RECORD");
        if (path == nullptr || *path == '\0') return nullptr;
        std::FILE* file = std::fopen(path, "wb");
        return file ? new framerecord::FrameRecordWriter(file) : nullptr;
    }();
    return writer;
}

// The palette on the primary as shown, red, green and blue; black without one.
void ShownPalette(uint8_t out[framerecord::kPaletteBytes]) {
    for (int i = 0; i < framerecord::kPaletteBytes; ++i) out[i] = 0;
    IDirectDrawPalette* palette = nullptr;
    if (Primary->lpVtbl->GetPalette(Primary, &palette) != DD_OK || palette == nullptr) return;
    PALETTEENTRY entries[256];
    if (palette->lpVtbl->GetEntries(palette, 0, 0, 256, entries) == DD_OK) {
        for (int i = 0; i < 256; ++i) {
            out[3 * i] = entries[i].peRed;
            out[3 * i + 1] = entries[i].peGreen;
            out[3 * i + 2] = entries[i].peBlue;
        }
    }
    palette->lpVtbl->Release(palette);
}

// Records the primary's page and palette as they are now, at the time the
// program asked for the change (the call's start, as the Linux layer times it).
void RecordShown(long long now) {
    if (Primary == nullptr || Record() == nullptr) return;
    uint8_t palette[framerecord::kPaletteBytes];
    ShownPalette(palette);
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof(desc);
    if (Primary->lpVtbl->Lock(Primary, nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) !=
        DD_OK)
        return;
    Record()->Add(now, static_cast<const uint8_t*>(desc.lpSurface), static_cast<int>(desc.dwWidth),
                  static_cast<int>(desc.dwHeight), static_cast<int>(desc.lPitch), palette);
    SystemUnlock(Primary, desc.lpSurface);
}

// Makes the system's call, then records the primary if the call was made on it.
template <class SystemCall>
HRESULT Watched(IDirectDrawSurface* surface, SystemCall call) {
    const long long called = Microseconds();
    const HRESULT result = call();
    if (surface == Primary) RecordShown(called);
    return result;
}

HRESULT WINAPI WatchedFlip(IDirectDrawSurface* surface, IDirectDrawSurface* target, DWORD flags) {
    return Watched(surface, [&] { return SystemFlip(surface, target, flags); });
}

HRESULT WINAPI WatchedBlt(IDirectDrawSurface* surface, RECT* to, IDirectDrawSurface* source,
                          RECT* from, DWORD flags, DDBLTFX* fx) {
    return Watched(surface, [&] { return SystemBlt(surface, to, source, from, flags, fx); });
}

HRESULT WINAPI WatchedBltFast(IDirectDrawSurface* surface, DWORD x, DWORD y,
                              IDirectDrawSurface* source, RECT* from, DWORD flags) {
    return Watched(surface, [&] { return SystemBltFast(surface, x, y, source, from, flags); });
}

HRESULT WINAPI WatchedUnlock(IDirectDrawSurface* surface, void* data) {
    return Watched(surface, [&] { return SystemUnlock(surface, data); });
}

HRESULT WINAPI WatchedReleaseDC(IDirectDrawSurface* surface, HDC dc) {
    return Watched(surface, [&] { return SystemReleaseDC(surface, dc); });
}

HRESULT WINAPI WatchedSetPalette(IDirectDrawSurface* surface, IDirectDrawPalette* palette) {
    return Watched(surface, [&] { return SystemSetPalette(surface, palette); });
}

bool IsOnPrimary(IDirectDrawPalette* palette) {
    if (Primary == nullptr) return false;
    IDirectDrawPalette* shown = nullptr;
    if (Primary->lpVtbl->GetPalette(Primary, &shown) != DD_OK || shown == nullptr) return false;
    shown->lpVtbl->Release(shown);
    return shown == palette;
}

HRESULT WINAPI WatchedSetEntries(IDirectDrawPalette* palette, DWORD flags, DWORD start,
                                 DWORD count, PALETTEENTRY* entries) {
    const long long called = Microseconds();
    const HRESULT result = SystemSetEntries(palette, flags, start, count, entries);
    if (IsOnPrimary(palette)) RecordShown(called);
    return result;
}

void WatchSurface(IDirectDrawSurface* surface) {
    const IDirectDrawSurfaceVtbl* table = surface->lpVtbl;
    Patch(&table->Flip, WatchedFlip, &SystemFlip);
    Patch(&table->Blt, WatchedBlt, &SystemBlt);
    Patch(&table->BltFast, WatchedBltFast, &SystemBltFast);
    Patch(&table->Unlock, WatchedUnlock, &SystemUnlock);
    Patch(&table->ReleaseDC, WatchedReleaseDC, &SystemReleaseDC);
    Patch(&table->SetPalette, WatchedSetPalette, &SystemSetPalette);
}

HRESULT WINAPI WatchedCreateSurface(IDirectDraw* directDraw, DDSURFACEDESC* desc,
                                    IDirectDrawSurface** surface, IUnknown* outer) {
    const HRESULT result = SystemCreateSurface(directDraw, desc, surface, outer);
    if (result != DD_OK || surface == nullptr || *surface == nullptr) return result;
    WatchSurface(*surface);
    if (desc != nullptr && (desc->dwFlags & DDSD_CAPS) &&
        (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE))
        Primary = *surface;
    return result;
}

HRESULT WINAPI WatchedCreatePalette(IDirectDraw* directDraw, DWORD flags, PALETTEENTRY* entries,
                                    IDirectDrawPalette** palette, IUnknown* outer) {
    const HRESULT result = SystemCreatePalette(directDraw, flags, entries, palette, outer);
    if (result == DD_OK && palette != nullptr && *palette != nullptr)
        Patch(&(*palette)->lpVtbl->SetEntries, WatchedSetEntries, &SystemSetEntries);
    return result;
}

}  // namespace

// The exports, under the system's names (ddraw_recorder.def).
extern "C" {

HRESULT WINAPI RecorderDirectDrawCreate(GUID* driver, IDirectDraw** directDraw, IUnknown* outer) {
    auto create = SystemFunction<HRESULT(WINAPI*)(GUID*, IDirectDraw**, IUnknown*)>("DirectDrawCreate");
    if (create == nullptr) return DDERR_GENERIC;
    const HRESULT result = create(driver, directDraw, outer);
    if (result == DD_OK && directDraw != nullptr && *directDraw != nullptr) {
        const IDirectDrawVtbl* table = (*directDraw)->lpVtbl;
        Patch(&table->CreateSurface, WatchedCreateSurface, &SystemCreateSurface);
        Patch(&table->CreatePalette, WatchedCreatePalette, &SystemCreatePalette);
    }
    return result;
}

// The other entry points go straight to the system's.
HRESULT WINAPI RecorderDirectDrawCreateEx(GUID* driver, void** object, REFIID riid,
                                          IUnknown* outer) {
    auto create = SystemFunction<HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*)>(
        "DirectDrawCreateEx");
    return create ? create(driver, object, riid, outer) : DDERR_GENERIC;
}

HRESULT WINAPI RecorderDirectDrawCreateClipper(DWORD flags, IDirectDrawClipper** clipper,
                                               IUnknown* outer) {
    auto create = SystemFunction<HRESULT(WINAPI*)(DWORD, IDirectDrawClipper**, IUnknown*)>(
        "DirectDrawCreateClipper");
    return create ? create(flags, clipper, outer) : DDERR_GENERIC;
}

HRESULT WINAPI RecorderDirectDrawEnumerateA(LPDDENUMCALLBACKA callback, void* context) {
    auto enumerate = SystemFunction<HRESULT(WINAPI*)(LPDDENUMCALLBACKA, void*)>(
        "DirectDrawEnumerateA");
    return enumerate ? enumerate(callback, context) : DDERR_GENERIC;
}

HRESULT WINAPI RecorderDirectDrawEnumerateExA(LPDDENUMCALLBACKEXA callback, void* context,
                                              DWORD flags) {
    auto enumerate = SystemFunction<HRESULT(WINAPI*)(LPDDENUMCALLBACKEXA, void*, DWORD)>(
        "DirectDrawEnumerateExA");
    return enumerate ? enumerate(callback, context, flags) : DDERR_GENERIC;
}

}  // extern "C"
