// Fingers in a browser, as a reader on a phone expects: a tap ends the story
// and keeps the place, as a key does; fingers held past half a second
// fast-forward until they are lifted, as Ctrl does, and lifting them ends
// nothing; a tap of two fingers ends it without keeping the place, as the right
// button does. The mouse SDL makes of a finger is dropped: a finger that touches
// or moves is no mouse move.
#include "platform/posix/user/touch.h"

#include <algorithm>

namespace posix::user {

namespace {

const Uint32 kHoldMs = 500;

struct Touch {
    int fingersDown = 0;
    int mostFingers = 0;    // of this touch, from its first finger down to its last up
    Uint32 firstDownAt = 0;
    bool holding = false;   // Ctrl's down has been posted
};

Touch touch;

Gesture Lifted(Uint32 upAt) {
    if (touch.holding) return Gesture::ControlUp;
    // A hold that ended before any look saw it fast-forwarded nothing.
    if (upAt - touch.firstDownAt >= kHoldMs) return Gesture::None;
    return touch.mostFingers >= 2 ? Gesture::RightButton : Gesture::Key;
}

}  // namespace

bool TakeTouchEvent(const SDL_Event& event, Gesture* gesture) {
    *gesture = Gesture::None;
    switch (event.type) {
    case SDL_MOUSEMOTION: return event.motion.which == SDL_TOUCH_MOUSEID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return event.button.which == SDL_TOUCH_MOUSEID;
    case SDL_FINGERMOTION: return true;
    case SDL_FINGERDOWN:
        if (touch.fingersDown++ == 0) touch = Touch{1, 0, event.tfinger.timestamp, false};
        touch.mostFingers = std::max(touch.mostFingers, touch.fingersDown);
        return true;
    case SDL_FINGERUP:
        // A finger put down before the window was there has no touch to end.
        if (touch.fingersDown == 0 || --touch.fingersDown > 0) return true;
        *gesture = Lifted(event.tfinger.timestamp);
        return true;
    default: return false;
    }
}

Gesture TouchHeldAt(Uint32 nowMs) {
    if (touch.fingersDown == 0 || touch.holding || nowMs - touch.firstDownAt < kHoldMs)
        return Gesture::None;
    touch.holding = true;
    return Gesture::ControlDown;
}

}  // namespace posix::user
