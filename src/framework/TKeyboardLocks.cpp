#include "framework/TKeyboardLocks.h"

#include <QGuiApplication>

#if defined(VELORIA_HAVE_XKB)
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace {

std::function<std::optional<TKeyboardLocks::State>()>& Source() {
    static std::function<std::optional<TKeyboardLocks::State>()> source;
    return source;
}

#if defined(VELORIA_HAVE_XKB)
std::optional<TKeyboardLocks::State> FromX11() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return std::nullopt;
    }
    // Qt speaks to the keyboard extension through xcb: Xlib's side of the connection
    // knows nothing of it until asked.
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
        return std::nullopt;
    }
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    // Caps Lock is the Lock modifier; Num Lock is whichever modifier the keymap binds to it.
    const unsigned numMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    TKeyboardLocks::State locks;
    locks.capsLock = (state.locked_mods & LockMask) != 0;
    locks.numLock = numMask != 0 && (state.locked_mods & numMask) != 0;
    return locks;
}
#endif

} // namespace

std::optional<TKeyboardLocks::State> TKeyboardLocks::Current() {
    if (Source()) {
        return Source()();
    }
#if defined(VELORIA_HAVE_XKB)
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return FromX11();
    }
#endif
    return std::nullopt;
}

void TKeyboardLocks::SetSourceForTests(std::function<std::optional<State>()> source) {
    Source() = std::move(source);
}
