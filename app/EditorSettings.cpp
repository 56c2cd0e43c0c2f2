#include "app/EditorSettings.h"

#include "util/CRegistryEx.h"

namespace editorsettings_detail {

// A switch: 1..3 keeps its value, 0 is off, anything else becomes the fallback.
void checkSwitch(quint8& field, quint32 value, bool read, quint8 fallback)
{
    if (read && value == 0) {
        field = 0;
        return;
    }
    const quint32 current = read ? value : field;
    field = (current >= 1 && current <= 3) ? quint8(current) : fallback;
}

} // namespace editorsettings_detail

QString EditorSettings::productKeyPath()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");
}

bool EditorSettings::load()
{
    using editorsettings_detail::checkSwitch;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, productKeyPath()))
        return false;
    quint32 v = 0;
    bool read = reg.ReadDWord(QStringLiteral("SOUNDEFFECT"), v);
    // A stored 0 turns the sounds off; other values out of range do too.
    soundEffect =
        read ? ((v >= 1 && v <= 3) ? quint8(v) : 0) : ((soundEffect >= 1 && soundEffect <= 3) ? soundEffect : 0);
    read = reg.ReadDWord(QStringLiteral("SHOW_GUIDE"), v);
    checkSwitch(showGuide, v, read, 1);
    read = reg.ReadDWord(QStringLiteral("SHOW_ARRANGE"), v);
    checkSwitch(showArrange, v, read, 1);
    read = reg.ReadDWord(QStringLiteral("SHOW_TABLE_TOOLBAR"), v);
    checkSwitch(showTableToolbar, v, read, 1);
    read = reg.ReadDWord(QStringLiteral("GRID_SIZE"), v);
    {
        const qint64 size = read ? qint64(v) : gridSize;
        gridSize = (size >= 1 && size <= 100) ? int(size) : 10;
    }
    read = reg.ReadDWord(QStringLiteral("GRID_STYLE"), v);
    {
        const qint64 style = read ? qint64(v) : gridStyle;
        gridStyle = (style >= 1 && style <= 3) ? int(style) : 1;
    }
    read = reg.ReadDWord(QStringLiteral("GRID_VISIBLE"), v);
    checkSwitch(gridVisible, v, read, 1);
    read = reg.ReadDWord(QStringLiteral("SNAP_ON"), v);
    checkSwitch(snapOn, v, read, 1);
    quint32 w = 0;
    quint32 h = 0;
    if (reg.ReadDWord(QStringLiteral("PAGE_SIZE_WIDTH"), w) && reg.ReadDWord(QStringLiteral("PAGE_SIZE_HEIGHT"), h) &&
        w != 0 && h != 0)
        pageSize = QSize(int(w), int(h));
    if (reg.ReadDWord(QStringLiteral("PAGE_SIZE_VISIBLE"), v))
        pageSizeVisible = quint8(v);
    return true;
}

bool EditorSettings::save() const
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, productKeyPath()))
        return false;
    bool ok = reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), showGuide);
    ok &= reg.WriteDWord(QStringLiteral("SOUNDEFFECT"), soundEffect);
    ok &= reg.WriteDWord(QStringLiteral("SHOW_ARRANGE"), showArrange);
    ok &= reg.WriteDWord(QStringLiteral("SHOW_TABLE_TOOLBAR"), showTableToolbar);
    ok &= reg.WriteDWord(QStringLiteral("GRID_SIZE"), quint32(gridSize));
    ok &= reg.WriteDWord(QStringLiteral("GRID_STYLE"), quint32(gridStyle));
    ok &= reg.WriteDWord(QStringLiteral("GRID_VISIBLE"), gridVisible);
    ok &= reg.WriteDWord(QStringLiteral("SNAP_ON"), snapOn);
    ok &= reg.WriteDWord(QStringLiteral("PAGE_SIZE_WIDTH"), quint32(pageSize.width()));
    ok &= reg.WriteDWord(QStringLiteral("PAGE_SIZE_HEIGHT"), quint32(pageSize.height()));
    ok &= reg.WriteDWord(QStringLiteral("PAGE_SIZE_VISIBLE"), pageSizeVisible);
    return ok;
}

QString WindowPlacement::keyPath()
{
    return QStringLiteral("SOFTWARE\\Vornasoft\\Vorna-Paginor 2002(TEV)\\General Property\\Window");
}

bool WindowPlacement::load()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, keyPath()))
        return false;
    quint32 v = 0;
    if (reg.ReadDWord(QStringLiteral("Maximize"), v))
        maximize = v == 1;
    reg.ReadDWord(QStringLiteral("Width"), width);
    reg.ReadDWord(QStringLiteral("Height"), height);
    if (reg.ReadDWord(QStringLiteral("x"), v))
        x = int(v);
    if (reg.ReadDWord(QStringLiteral("y"), v))
        y = int(v);
    return true;
}

bool WindowPlacement::save() const
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, keyPath()))
        return false;
    bool ok = reg.WriteDWord(QStringLiteral("Maximize"), maximize ? 1 : 0);
    ok &= reg.WriteDWord(QStringLiteral("Width"), width);
    ok &= reg.WriteDWord(QStringLiteral("Height"), height);
    ok &= reg.WriteDWord(QStringLiteral("x"), quint32(x));
    ok &= reg.WriteDWord(QStringLiteral("y"), quint32(y));
    return ok;
}

bool WindowPlacement::startsMaximized(QSize screen) const
{
    return maximize || width >= quint32(screen.width()) || height >= quint32(screen.height());
}
