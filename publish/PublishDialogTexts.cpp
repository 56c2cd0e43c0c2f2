#include "publish/PublishDialogTexts.h"

#include "util/StringResources.h"

namespace publishtexts_detail {
constexpr unsigned kFilesSelected = 41815;
constexpr unsigned kSizeOpening = 41816;
} // namespace publishtexts_detail

QString FormatCheckedInfo(int count, quint64 bytes)
{
    using namespace publishtexts_detail;
    if (count <= 0)
        return QString();
    // 1. The count and the texts around the size.
    QString text = QString::number(count) + LoadResString(kFilesSelected) + LoadResString(kSizeOpening);
    // 2. The size in decimal units, integer division.
    if (bytes >= 1000000)
        return text + QStringLiteral("%1.%2M)").arg(bytes / 1000000).arg(bytes % 1000000, 6, 10, QLatin1Char('0'));
    return text + QStringLiteral("%1.%2K)").arg(bytes / 1000).arg(bytes % 1000, 3, 10, QLatin1Char('0'));
}

QString BrowserPreviewAddress(const QString& httpUrl, const QString& placeholder, const QString& userId)
{
    QString address = httpUrl.trimmed();
    if (address.isEmpty())
        return QString();
    // 1. The user id in place of its placeholder.
    if (!placeholder.isEmpty())
        address.replace(placeholder, userId);
    // 2. A scheme of its own stays; an address without one is a web address.
    const int colon = address.indexOf(QLatin1String("://"));
    if (colon < 0)
        address.prepend(QStringLiteral("http://"));
    // 3. Only web addresses reach the desktop.
    const QString scheme = address.left(address.indexOf(QLatin1String("://"))).toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return QString();
    return address;
}

bool IsAcceptableItemLabel(const QString& label)
{
    if (label.isEmpty() || label == QLatin1String(".") || label == QLatin1String(".."))
        return false;
    for (const QChar c : label) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
