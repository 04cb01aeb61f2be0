// IUnknown's three calls, written once for the DirectDraw objects: a count of
// references that lets the object go at the last Release, and a QueryInterface
// that hands out the object itself for IUnknown and refuses every other
// interface (nothing asks these objects for another).
#ifndef PLATFORM_POSIX_DDRAW_COM_OBJECT_H
#define PLATFORM_POSIX_DDRAW_COM_OBJECT_H

#include "platform/win32.h"

namespace posix::ddraw {

// Hands out self (with a reference) for IUnknown, refuses everything else.
HRESULT QueryUnknownOnly(IUnknown* self, REFIID riid, void** object);

// Object is the class that derives from it: its LastReleased() runs when the
// count falls to 0 (by default the object is deleted).
template <class Object, class Interface>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) final {
        return QueryUnknownOnly(this, riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() final { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() final {
        if (references_ == 0) return 0;  // held by another object only (a back buffer)
        const ULONG left = --references_;
        if (left == 0) static_cast<Object*>(this)->LastReleased();
        return left;
    }

protected:
    explicit ComObject(ULONG references = 1) : references_(references) {}
    void LastReleased() { delete static_cast<Object*>(this); }

private:
    ULONG references_;
};

}  // namespace posix::ddraw

#endif
