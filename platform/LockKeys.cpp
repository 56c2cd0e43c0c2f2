#include "platform/LockKeys.h"

#include <QGuiApplication>

#ifdef PAGINOR_HAVE_XKB
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace platform {

namespace lockkeys_detail {

#ifdef PAGINOR_HAVE_XKB
Display* x11Display()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

// The indicator numbers of Caps Lock and Num Lock (-1 where the keymap has
// none), looked up once per display: reading the indicators is then one
// request to the server, as the status bar reads them after every event.
struct IndicatorIndices
{
    Display* display = nullptr;
    int caps = -1;
    int num = -1;
};

int indicatorIndex(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    if (atom == None || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
        return -1;
    return index;
}

const IndicatorIndices& indicatorIndices(Display* display)
{
    static IndicatorIndices indices;
    if (indices.display != display) {
        indices.display = display;
        indices.caps = indicatorIndex(display, "Caps Lock");
        indices.num = indicatorIndex(display, "Num Lock");
    }
    return indices;
}

// The modifier a lock key sets (Num Lock's varies with the keymap); 0 when unbound.
unsigned lockModifier(Display* display, KeySym key)
{
    if (key == XK_Caps_Lock)
        return LockMask;
    return XkbKeysymToModifiers(display, key);
}
#endif

} // namespace lockkeys_detail

LockKeyState lockKeyState()
{
    LockKeyState state;
#ifdef PAGINOR_HAVE_XKB
    Display* display = lockkeys_detail::x11Display();
    if (!display)
        return state;
    const lockkeys_detail::IndicatorIndices& indices = lockkeys_detail::indicatorIndices(display);
    if (indices.caps >= 0 && indices.num >= 0) {
        unsigned lit = 0;
        if (XkbGetIndicatorState(display, XkbUseCoreKbd, &lit) != Success)
            return state;
        state.capsLock = (lit & (1u << indices.caps)) != 0;
        state.numLock = (lit & (1u << indices.num)) != 0;
    } else {
        // A keymap without the named indicators: the locked modifiers tell the same.
        XkbStateRec rec{};
        if (XkbGetState(display, XkbUseCoreKbd, &rec) != Success)
            return state;
        state.capsLock = (rec.locked_mods & LockMask) != 0;
        const unsigned num = lockkeys_detail::lockModifier(display, XK_Num_Lock);
        state.numLock = num != 0 && (rec.locked_mods & num) != 0;
    }
    state.known = true;
#endif
    return state;
}

bool setLockKeyState(bool capsLock, bool numLock)
{
#ifdef PAGINOR_HAVE_XKB
    Display* display = lockkeys_detail::x11Display();
    if (!display)
        return false;
    const unsigned caps = LockMask;
    const unsigned num = lockkeys_detail::lockModifier(display, XK_Num_Lock);
    const unsigned mask = caps | num;
    const unsigned values = (capsLock ? caps : 0u) | (numLock ? num : 0u);
    const bool sent = XkbLockModifiers(display, XkbUseCoreKbd, mask, values) != False;
    XSync(display, False);
    return sent && (!numLock || num != 0);
#else
    Q_UNUSED(capsLock);
    Q_UNUSED(numLock);
    return false;
#endif
}

} // namespace platform
