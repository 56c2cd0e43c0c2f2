#include "dialogs/RollOverDialogModel.h"

#include "util/PathText.h"

#include "engine/html/HtmlSerializer.h"

#include <QDir>
#include <QFileInfo>

bool RollOverDialogModel::IsValidImagePath(const QString& path)
{
    if (path.isEmpty() || path.contains(QLatin1Char('*')) || path.contains(QLatin1Char('?')))
        return false;
    return QFileInfo(path).isFile();
}

QString RollOverDialogModel::ResolvedPath(const QString& path, const QString& pageFolder)
{
    if (path.isEmpty() || pageFolder.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir(pageFolder).filePath(path);
}

QSize RollOverDialogModel::PreviewImageSize(QSize frame, QSize image)
{
    const int maxW = 2 * frame.width() / 3;
    const int maxH = 2 * frame.height() / 3;
    const int w = image.width();
    const int h = image.height();
    if (maxW <= 0 || maxH <= 0 || w <= 0 || h <= 0)
        return QSize(qMax(0, qMin(w, maxW)), qMax(0, qMin(h, maxH)));
    // 1. Too wide and too high: the direction that overflows more gives way.
    if (w > maxW && h > maxH) {
        if ((w / maxW) * 2 / 3 >= h / maxH)
            return QSize(maxW, int(qint64(h) * maxW / w));
        return QSize(int(qint64(w) * maxH / h), maxH);
    }
    // 2. Too wide.
    if (w > maxW)
        return QSize(maxW, int(qint64(h) * maxW / w));
    // 3. Too high.
    if (h > maxH)
        return QSize(int(qint64(w) * maxH / h), maxH);
    // 4.
    return image;
}

QString RollOverDialogModel::PreviewHtml(const QString& imagePath, QSize size, const QString& attributes,
                                         const QString& script)
{
    using engine::HtmlSerializer;
    QString html = QStringLiteral("<P align=center valign=center><IMG ") +
                   HtmlSerializer::attributeText(QStringLiteral("src"), imagePath, true) +
                   QStringLiteral(" border=0 width=%1 height=%2").arg(size.width()).arg(size.height());
    if (!attributes.isEmpty())
        return html + QLatin1Char(' ') + attributes + QStringLiteral(" ></p>") + script;
    return html + QStringLiteral(" ></p>");
}

QString RollOverDialogModel::QuotedLink(const QString& link)
{
    if (link.isEmpty() || link == QLatin1String("#"))
        return link;
    return QLatin1Char('"') + link + QLatin1Char('"');
}

QString RollOverDialogModel::UnquotedLink(QString link)
{
    if (link.startsWith(QLatin1Char('"')))
        link.remove(0, 1);
    if (link.endsWith(QLatin1Char('"')))
        link.chop(1);
    return link;
}

RollOverDialogModel::LinkStart RollOverDialogModel::LinkForHyperlinkDialog(const QString& link, bool pageInWeb)
{
    LinkStart start;
    if (link.isEmpty() || link == QLatin1String("#"))
        return start;
    QString url = UnquotedLink(link);
    const auto endsWith = [&url](const char* suffix) {
        return url.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
    };
    if (url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
        start.scheme = 0;
    } else if (url.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        start.scheme = 1;
    } else if (endsWith(".gif") || endsWith(".bmp") || endsWith(".jpg") || endsWith(".jpeg")) {
        start.scheme = 3;
    } else if (!IsHtmlFileName(url)) {
        start.scheme = 2;
    } else if (pageInWeb) {
        url = url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
    }
    start.url = url;
    start.editLink = true;
    return start;
}

void RollOverDialogModel::TakeHyperlink(bool deleted, const QString& url, const QString& targetFrame)
{
    if (deleted) {
        m_strLink.clear();
        m_strTarget.clear();
        return;
    }
    m_strLink = QLatin1Char('"') + QString(url).replace(QLatin1String("%20"), QLatin1String(" ")) + QLatin1Char('"');
    m_strTarget = targetFrame;
}

bool RollOverDialogModel::ImageChanged()
{
    const bool wasShown = m_bImageShown;
    if (IsValidImagePath(ImageFile())) {
        m_controls.rollBox = m_controls.rollBrowse = true;
        m_controls.ok = m_controls.ok || m_controls.link;
        m_bImageShown = true;
        return true;
    }
    m_controls.rollBox = m_controls.rollBrowse = m_controls.ok = false;
    m_bImageShown = false;
    return wasShown;
}

bool RollOverDialogModel::RollImageChanged()
{
    const bool wasShown = m_bRollShown;
    bool redraw = wasShown;
    if (IsValidImagePath(RollImageFile())) {
        m_controls.link = true;
        m_controls.ok = m_controls.ok || m_controls.rollBrowse;
        m_bRollShown = true;
        m_bRemoveRollOver = false;
        redraw = true;
    } else {
        m_controls.link = m_controls.ok = false;
        m_bRollShown = false;
    }
    UpdateControlStates();
    return redraw;
}

void RollOverDialogModel::UpdateControlStates()
{
    const bool image = IsValidImagePath(ImageFile());
    const bool roll = IsValidImagePath(RollImageFile());
    Controls& c = m_controls;
    if (!m_bEdit) {
        c.rollBrowse = c.rollBox = image;
        c.link = roll;
        c.ok = image && roll;
        return;
    }
    // An edited roll-over image keeps its base picture.
    if (image)
        c.imageBrowse = c.imageBox = false;
    c.rollBrowse = c.rollBox = c.ok = image;
    c.link = roll;
    c.remove = roll && !m_bNoRollImage;
}

void RollOverDialogModel::RemoveRollOver()
{
    m_bRemoveRollOver = true;
    m_strRollImage.clear();
    UpdateControlStates();
}
