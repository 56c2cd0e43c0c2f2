#include "platform/KeyLevels.h"

#include <QGuiApplication>

#ifdef PAGINOR_HAVE_XKB
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace platform {

namespace keylevels_detail {

#ifdef PAGINOR_HAVE_XKB
// A keysym as the character it types: Latin-1 keysyms are their character,
// the keypad's signs theirs.
QChar characterOf(KeySym sym)
{
    if (sym >= 0x20 && sym <= 0xFF)
        return QChar(char16_t(sym));
    if (sym == XK_KP_Add)
        return QLatin1Char('+');
    if (sym == XK_KP_Subtract)
        return QLatin1Char('-');
    return QChar();
}
#endif

} // namespace keylevels_detail

KeyLevels keyLevels(quint32 nativeScanCode)
{
    KeyLevels levels;
#ifdef PAGINOR_HAVE_XKB
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb") || nativeScanCode < 8 || nativeScanCode > 255)
        return levels;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return levels;
    // Asked of the server at each press: a layout switched while the program
    // runs is the one the key has now.
    int perCode = 0;
    KeySym* syms = XGetKeyboardMapping(display, KeyCode(nativeScanCode), 1, &perCode);
    if (!syms)
        return levels;
    if (perCode > 0)
        levels.plain = keylevels_detail::characterOf(syms[0]);
    if (perCode > 1)
        levels.shifted = keylevels_detail::characterOf(syms[1]);
    XFree(syms);
#else
    Q_UNUSED(nativeScanCode);
#endif
    return levels;
}

} // namespace platform
