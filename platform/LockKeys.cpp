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

// Whether the named indicator is lit; false when the keyboard has no such indicator.
bool namedIndicator(Display* display, const char* name, bool& lit)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    lit = on != False;
    return true;
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
    bool caps = false;
    bool num = false;
    const bool capsKnown = lockkeys_detail::namedIndicator(display, "Caps Lock", caps);
    const bool numKnown = lockkeys_detail::namedIndicator(display, "Num Lock", num);
    if (!capsKnown || !numKnown) {
        // A keymap without the named indicators: the locked modifiers tell the same.
        XkbStateRec rec{};
        if (XkbGetState(display, XkbUseCoreKbd, &rec) != Success)
            return state;
        if (!capsKnown)
            caps = (rec.locked_mods & LockMask) != 0;
        if (!numKnown) {
            const unsigned mask = lockkeys_detail::lockModifier(display, XK_Num_Lock);
            num = mask != 0 && (rec.locked_mods & mask) != 0;
        }
    }
    state.capsLock = caps;
    state.numLock = num;
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
