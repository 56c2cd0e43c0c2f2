#include "dialogs/HyperlinkDialogModel.h"

#include "frames/VornaFrameSet.h"
#include "util/FileHelpers.h"
#include "util/PathText.h"

#include <QDir>
#include <QFileInfo>

namespace hyperlinkmodel_detail {

const QLatin1String kHttp("http://");
const QLatin1String kMailto("mailto:");
const QLatin1String kFile("file:///");

bool hasPrefix(const QString& text, QLatin1String prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

QString withoutPrefix(const QString& text, QLatin1String prefix)
{
    return hasPrefix(text, prefix) ? text.mid(prefix.size()) : text;
}

// The picture suffixes a link is classified by: the last four characters.
bool isPictureAddress(const QString& text)
{
    for (const char* suffix : {".jpg", ".gif", ".bmp"}) {
        if (text.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isPageAddress(const QString& text)
{
    return text.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
           text.endsWith(QLatin1String(".html"), Qt::CaseInsensitive);
}

// Puts the prefix in front after taking one of the two others away (the first found).
QString swapPrefix(const QString& text, QLatin1String prefix, QLatin1String other, QLatin1String orElse)
{
    if (hasPrefix(text, prefix))
        return text;
    const QString bare = hasPrefix(text, other) ? text.mid(other.size()) : withoutPrefix(text, orElse);
    return prefix + bare;
}

void addFrameNames(const VornaFrameSet* node, QStringList& names)
{
    // Each node before its children, then its following siblings.
    for (; node; node = node->m_pNext.get()) {
        const QString name = node->GetName();
        if (!name.isEmpty() && name != QLatin1String("noname"))
            names << name;
        addFrameNames(node->m_pFirstChild.get(), names);
    }
}

} // namespace hyperlinkmodel_detail

using namespace hyperlinkmodel_detail;

QString HyperlinkDialogModel::NormaliseAddress(QString address)
{
    address.replace(QLatin1Char('\\'), QLatin1Char('/'));
    address.replace(QLatin1String("%20"), QLatin1String(" "));
    return WithoutFilePrefix(address);
}

QString HyperlinkDialogModel::WithoutFilePrefix(QString address)
{
    // Differs from taking all of "file:///" away: the path keeps its root
    // ("file:///home/a.html" is "/home/a.html").
    return hasPrefix(address, kFile) ? address.mid(kFile.size() - 1) : address;
}

int HyperlinkDialogModel::ClassifyLink(const QString& address)
{
    if (hasPrefix(address, kHttp))
        return kSchemeUrl;
    if (hasPrefix(address, kMailto))
        return kSchemeMail;
    if (isPictureAddress(address))
        return kSchemeImage;
    return isPageAddress(address) ? kNoScheme : kSchemeDownload;
}

int HyperlinkDialogModel::ClassifyTyped(const QString& address, int currentScheme)
{
    if (hasPrefix(address, kHttp))
        return kSchemeUrl;
    if (hasPrefix(address, kMailto))
        return kSchemeMail;
    return isPictureAddress(address) ? kSchemeImage : currentScheme;
}

QString HyperlinkDialogModel::RewriteForScheme(const QString& address, int scheme)
{
    switch (scheme) {
    case kSchemeUrl:
        return swapPrefix(address, kHttp, kMailto, kFile);
    case kSchemeMail:
        return swapPrefix(address, kMailto, kHttp, kFile);
    case kSchemeDownload:
    case kSchemeImage:
        if (hasPrefix(address, kFile))
            return address;
        return hasPrefix(address, kHttp) ? address.mid(kHttp.size()) : withoutPrefix(address, kMailto);
    default:
        return address;
    }
}

QString HyperlinkDialogModel::AddressForOk(const QString& address, int scheme)
{
    if (scheme == kSchemeUrl) {
        if (hasPrefix(address, kHttp))
            return address;
        // "http:/" lacks its second slash.
        if (address.startsWith(QLatin1String("http:/"), Qt::CaseInsensitive))
            return address.left(6) + QLatin1Char('/') + address.mid(6);
        return swapPrefix(address, kHttp, kMailto, kFile);
    }
    if (scheme == kSchemeMail)
        return swapPrefix(address, kMailto, kHttp, kFile);
    return address;
}

std::pair<int, int> HyperlinkDialogModel::SelectionAfterPrefix(const QString& address)
{
    if (hasPrefix(address, kHttp) || hasPrefix(address, kMailto))
        return {7, int(address.size()) - 7};
    if (hasPrefix(address, kFile))
        return {8, int(address.size()) - 8};
    return {-1, 0};
}

QList<HyperlinkDialogModel::PageRow> HyperlinkDialogModel::FolderPageRows(const QString& folder)
{
    QList<PageRow> rows;
    const QDir dir(folder);
    // Hidden files (dot-files) are left out by the filter; "." and ".." and folders too.
    const QStringList names = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (IsHtmlFileName(name))
            rows.append({GetHtmlFileTitle(dir.filePath(name)), name});
    }
    return rows;
}

QList<HyperlinkDialogModel::PageRow> HyperlinkDialogModel::WebPageRows(const QStringList& fileNames,
                                                                       const QStringList& titles)
{
    QList<PageRow> rows;
    for (qsizetype i = 0; i < fileNames.size() && !fileNames[i].isEmpty(); ++i)
        rows.append({titles.value(i), fileNames[i]});
    return rows;
}

QStringList HyperlinkDialogModel::TargetItems(const VornaFrameSet* root)
{
    QStringList items{QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"),
                      QStringLiteral("_top")};
    addFrameNames(root, items);
    return items;
}

int HyperlinkDialogModel::FindItem(const QStringList& items, const QString& text)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].compare(text, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString HyperlinkDialogModel::BrowseStartPath(const QString& address)
{
    QString path = WithoutFilePrefix(address);
    path.replace(QLatin1String("%20"), QLatin1String(" "));
    return !path.isEmpty() && QFileInfo::exists(path) ? path : QString();
}

void HyperlinkDialogModel::TakePageRows(const QList<PageRow>& rows, const QString& relativeAddress)
{
    m_rows = rows;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].fileName == relativeAddress) {
            m_nPageItem = int(i);
            m_strURL = relativeAddress;
            m_nScheme = kNoScheme;
        }
    }
}

void HyperlinkDialogModel::ClassifyOnOpen()
{
    if (m_bEditLink && m_nScheme == kNoScheme)
        m_nScheme = ClassifyLink(m_strURL);
    m_strURL = WithoutFilePrefix(m_strURL);
    m_nCurScheme = m_nScheme;
}

bool HyperlinkDialogModel::ClassifyAddress(const QString& address)
{
    int row = -1;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].fileName == address) {
            row = int(i);
            break;
        }
    }
    const int scheme = row >= 0 ? int(kNoScheme) : ClassifyTyped(address, m_nCurScheme);
    m_nPageItem = row;
    if (scheme == m_nCurScheme)
        return false;
    m_nCurScheme = scheme;
    return true;
}

void HyperlinkDialogModel::ChangeScheme(int scheme)
{
    m_nPageItem = -1;
    m_strURL = RewriteForScheme(m_strURL, scheme);
    m_nCurScheme = scheme;
}

bool HyperlinkDialogModel::TakeRow(int row)
{
    if (row < 0 || row >= m_rows.size() || row == m_nPageItem)
        return false;
    m_nCurScheme = kNoScheme;
    m_strURL = m_rows[row].fileName;
    return true;
}

HyperlinkDialogModel::OkOutcome HyperlinkDialogModel::CheckOk()
{
    if (m_strURL.isEmpty()) {
        if (m_strOrigURL.isEmpty())
            return OkOutcome::NoAddress;
        m_strURL = m_strOrigURL;
        m_bDeleteLink = true;
        return OkOutcome::DeleteLink;
    }
    if (m_nCurScheme == kNoScheme)
        return m_nPageItem < 0 ? OkOutcome::ChooseScheme : OkOutcome::Accept;
    m_strURL = AddressForOk(m_strURL, m_nCurScheme);
    return OkOutcome::Accept;
}
