// The tables of the script wizard's pages.
#include "effects/ScriptBrowserModel.h"
#include "effects/ScriptImageModel.h"
#include "effects/ScriptMouseModel.h"
#include "effects/ScriptScreenModel.h"
#include "effects/ScriptStartModel.h"
#include "effects/ScriptStatusModel.h"
#include "effects/ScriptTextModel.h"

#include "images/ImageFiles.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QFileInfo>

#include <algorithm>

namespace scriptwizardmodels_detail {

QString rowText(unsigned int base, int row, int count)
{
    return row >= 0 && row < count ? LoadResString(base + unsigned(row)) : QString();
}

QString rowName(const char* const* names, int row, int count)
{
    return row >= 0 && row < count ? QString::fromLatin1(names[row]) : QString();
}

const char* const kStatusScripts[] = {"statusbar_outin_multiinput", "statusbar_typingtext_multiinput",
                                      "statusbar_outin", "statusbar_multiscroll", "statusbar_flytext"};
const char* const kScreenScripts[] = {"screen_clippingcrossH",   "screen_clippingcrossV", "screen_clippingcurtainH",
                                      "screen_clippingcurtainV", "screen_clippingleave",  "screen_clippingrect",
                                      "screen_fadeinout",        "screen_dropzigzag",     "screen_dropdiagonal",
                                      "screen_upzigzag"};
const char* const kKindPictures[] = {"statusbar_flytext.gif", "browser_move.gif", "screen_clippingcrossH.gif",
                                     "mouse_default.gif"};
const char* const kClickPictures[] = {"mouse_f", "mouse_H", "mouse_dou", "mouse_water", "mouse_star"};

} // namespace scriptwizardmodels_detail

QString ScriptStartModel::KindText(int kind)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_KIND_STATUSBAR, kind, KindCount);
}

QString ScriptStartModel::KindDescription(int kind)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_KIND_DESCRIPTION, kind, KindCount);
}

QString ScriptStartModel::KindPicture(int kind)
{
    return scriptwizardmodels_detail::rowName(scriptwizardmodels_detail::kKindPictures, kind, KindCount);
}

QString ScriptStatusModel::EffectText(int effect)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_STATUS_TEXT, effect, EffectCount);
}

QString ScriptStatusModel::EffectDescription(int effect)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_STATUS_DESCRIPTION, effect, EffectCount);
}

QString ScriptStatusModel::EffectScript(int effect)
{
    return scriptwizardmodels_detail::rowName(scriptwizardmodels_detail::kStatusScripts, effect, EffectCount);
}

QString ScriptStatusModel::EffectPicture(int effect)
{
    const QString script = EffectScript(effect);
    return script.isEmpty() ? QString() : script + QStringLiteral(".gif");
}

namespace scriptwizardmodels_detail {

// The row of the browser tables: blind, shake, move, blind+shake,
// blind+move, shake+move, all three; -1 for none.
int browserRow(const ScriptBrowserModel& page)
{
    const int bits = (page.m_bBlind ? 1 : 0) | (page.m_bShake ? 2 : 0) | (page.m_bMove ? 4 : 0);
    static const int rows[8] = {-1, 0, 1, 3, 2, 4, 5, 6};
    return rows[bits];
}

} // namespace scriptwizardmodels_detail

QString ScriptBrowserModel::Description() const
{
    const int row = scriptwizardmodels_detail::browserRow(*this);
    return row < 0 ? QString() : LoadResString(IDS_SCRIPT_BROWSER_DESCRIPTION + unsigned(row));
}

QString ScriptBrowserModel::Picture() const
{
    static const char* const pictures[] = {"blind", "wow", "move", "blindshake", "blindmove", "shakemove", "all"};
    const int row = scriptwizardmodels_detail::browserRow(*this);
    return QStringLiteral("browser_%1.gif").arg(QLatin1String(row < 0 ? "none" : pictures[row]));
}

QString ScriptScreenModel::EffectText(int effect)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_SCREEN_TEXT, effect, EffectCount);
}

QString ScriptScreenModel::EffectDescription(int effect)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_SCREEN_DESCRIPTION, effect, EffectCount);
}

QString ScriptScreenModel::EffectScript(int effect)
{
    return scriptwizardmodels_detail::rowName(scriptwizardmodels_detail::kScreenScripts, effect, EffectCount);
}

QString ScriptScreenModel::EffectPicture(int effect)
{
    const QString script = EffectScript(effect);
    return script.isEmpty() ? QString() : script + QStringLiteral(".gif");
}

QString ScriptMouseModel::Description() const
{
    // crosshair, click, pointer, crosshair+click, crosshair+pointer,
    // click+pointer, all three.
    const int bits = (m_bCrosshair ? 1 : 0) | (m_bClickEffect ? 2 : 0) | (m_bPointerEffect ? 4 : 0);
    static const int rows[8] = {-1, 0, 1, 3, 2, 4, 5, 6};
    return rows[bits] < 0 ? QString() : LoadResString(IDS_SCRIPT_MOUSE_DESCRIPTION + unsigned(rows[bits]));
}

QString ScriptMouseModel::ClickKindText(int kind)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_CLICK_TEXT, kind, ClickKindCount);
}

QString ScriptMouseModel::ClickPicture(int kind, int number)
{
    const QString stem =
        scriptwizardmodels_detail::rowName(scriptwizardmodels_detail::kClickPictures, kind, ClickKindCount);
    if (stem.isEmpty() || number < 1 || number > 10)
        return {};
    return stem + QString::number(number) + QStringLiteral(".gif");
}

QString ScriptMouseModel::LineColorText(int red, int green, int blue)
{
    return QStringLiteral("%1, %2, %3").arg(red).arg(green).arg(blue);
}

void ScriptTextModel::SetFontSize(int size)
{
    m_nFontSize = std::clamp(size, MinFontSize, MaxFontSize);
    m_strFontSize = QString::number(m_nFontSize);
}

void ScriptTextModel::SetSizeStep(int row)
{
    m_strFontSize = QString::number(row + 1);
}

QString ScriptImageModel::BuiltInText(int kind)
{
    return scriptwizardmodels_detail::rowText(IDS_SCRIPT_IMG_ROW, kind, 2);
}

QList<QString> ScriptImageModel::TrailPictures(int kind)
{
    if (kind != 0 && kind != 1)
        return {};
    QList<QString> names;
    for (int i = 1; i <= 6; ++i)
        names.append(QStringLiteral("mouse_%1_trail%2.gif").arg(QLatin1String(kind == 0 ? "sun" : "star")).arg(i));
    return names;
}

QList<QSize> ScriptImageModel::TrailSizes()
{
    return {QSize(38, 35), QSize(30, 31), QSize(28, 26), QSize(22, 21), QSize(16, 16), QSize(10, 10)};
}

QSize ScriptImageModel::UserImageSize(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    const QSize size = GetImageFileSize(path);
    return size.width() > 0 && size.height() > 0 ? size : QSize();
}

QList<QSize> ScriptImageModel::UserImageSizes(QSize natural) const
{
    int w = natural.width();
    int h = natural.height();
    if (w <= 0)
        return {};
    // Shown 40 pixels wide, the height scaled alike.
    if (!m_bNaturalSize) {
        h = int(qint64(h) * 40 / w);
        w = 40;
    }
    if (!m_bTrail)
        return {QSize(w, h)};
    QList<QSize> sizes{QSize(w, h)};
    // The trail shrinks by a fifth of what lies above 10 pixels each step;
    // the first entry is given twice.
    const int dw = m_bTrailSizeChange ? (w - 10) / 5 : 0;
    const int dh = m_bTrailSizeChange ? (h - (h / w) * 10) / 5 : 0;
    for (int i = 0; i < 5; ++i)
        sizes.append(QSize(w - i * dw, h - i * dh));
    return sizes;
}

QString ScriptImageModel::TrailArrayText(const QList<QString>& values, const QList<QSize>& sizes,
                                         const QString& separator)
{
    QStringList entries;
    for (qsizetype i = 0; i < values.size() && i < sizes.size(); ++i)
        entries.append(QStringLiteral("\"%1\",%2,%3")
                           .arg(values[i], QString::number(sizes[i].width()), QString::number(sizes[i].height())));
    return QStringLiteral("mouse_T1=new Array(") + entries.join(separator) + u')';
}
