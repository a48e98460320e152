#include "platform/qt/KeyboardLocks.h"

#include <QGuiApplication>

#if defined(SUITE_HAVE_XKB)
#include <X11/XKBlib.h>
#endif

namespace platform {

std::optional<KeyboardLocks> ReadKeyboardLocks() {
#if defined(SUITE_HAVE_XKB)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    const auto indicator = [display](const char* name) {
        Bool on = False;
        const Atom atom = XInternAtom(display, name, True);
        if (atom == None) return false;
        XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr);
        return on == True;
    };
    return KeyboardLocks{indicator("Caps Lock"), indicator("Num Lock"), indicator("Scroll Lock")};
#else
    return std::nullopt;
#endif
}

}  // namespace platform
