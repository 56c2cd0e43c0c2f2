#include "publish/PublishFileSelection.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "effects/CScriptUtility.h"
#include "platform/CodePages.h"
#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"
#include "publish/PublishedWebModel.h"
#include "util/HtmlTextScan.h"
#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace publishselection_detail {

constexpr unsigned kSaveQuestion = 41452;
// Larger files are not pages.
constexpr qint64 kMaxPageBytes = 64 * 1024 * 1024;

struct TagRule
{
    const char* tag;
    const char* attribute;
};

// The tags scanned, in this order, with the attribute naming the file.
constexpr TagRule kTags[] = {{"BODY", "background"},  {"IMG", "src"},     {"EMBED", "src"}, {"A", "href"},
                             {"TABLE", "background"}, {"BGSOUND", "src"}, {"SCRIPT", "src"}};

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u':' || c == u'.';
}

// The value of the attribute of exactly this name in one tag ("src" is not
// found in "lowsrc" nor in "data-src"); empty when it has none.
QString wholeAttribute(const QString& tagText, const QString& name)
{
    for (int at = tagText.indexOf(name, 0, Qt::CaseInsensitive); at >= 0;
         at = tagText.indexOf(name, at + 1, Qt::CaseInsensitive)) {
        const int end = at + int(name.size());
        if (at == 0 || isNameChar(tagText.at(at - 1)) || (end < tagText.size() && isNameChar(tagText.at(end))))
            continue;
        int equals = end;
        while (equals < tagText.size() && tagText.at(equals).isSpace())
            ++equals;
        if (equals >= tagText.size() || tagText.at(equals) != u'=')
            continue;
        QString value;
        GetTagAttribute(tagText.mid(at), name, value);
        return value.trimmed();
    }
    return QString();
}

// The reference as a path relative to the web folder, or empty when it does
// not name a file inside it (an address, an absolute path, "../" out of the
// web, a link whose target lies outside).
QString resolveInsideWeb(const QString& reference, const QString& pageFolder, const QString& webFolder)
{
    QString value = reference;
    value.replace(u'\\', u'/');
    if (value.isEmpty() || value.startsWith(u'/') || value.contains(u':'))
        return QString();
    const QString web = QDir::cleanPath(webFolder);
    const QString path = QDir::cleanPath(pageFolder + u'/' + value);
    if (!path.startsWith(web + u'/'))
        return QString();
    const QFileInfo file(path);
    if (!file.isFile())
        return QString();
    const QString canonicalWeb = QFileInfo(web).canonicalFilePath();
    if (!file.canonicalFilePath().startsWith(canonicalWeb + u'/'))
        return QString();
    return path.mid(web.size() + 1);
}

QString readPage(const QString& path, bool* ok)
{
    *ok = false;
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPageBytes)
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    *ok = true;
    return platform::decodeText(bytes, platform::detectCharset(bytes));
}

} // namespace publishselection_detail

const QStringList* GetModifiedWebFiles()
{
    PublishedWebModel* model = PublishedWebModel::installed();
    return model ? model->GetModifiedFiles() : nullptr;
}

bool CollectReferencedFiles(const QString& pagePath, const QString& webFolder, QStringList* list)
{
    using namespace publishselection_detail;
    // 1, 2. The page's text, decoded by its charset.
    QString page = pagePath;
    page.replace(u'\\', u'/');
    bool ok = false;
    const QString html = readPage(page, &ok);
    if (!ok)
        return false;
    const QString pageFolder = QFileInfo(page).absolutePath();
    auto take = [&](const QString& reference) {
        const QString entry = resolveInsideWeb(reference, pageFolder, webFolder);
        if (!entry.isEmpty() && !list->contains(entry))
            list->append(entry);
    };
    // 3. Each tag of the table in turn, through the whole page.
    for (const TagRule& rule : kTags) {
        const QString tag = QLatin1String(rule.tag);
        QString tagText;
        for (int at = ExtractTagText(html, tag, tagText, 0); at >= 0;
             at = ExtractTagText(html, tag, tagText, at + 1 + int(tag.size()))) {
            // Only this tag: "<A" also begins "<ABBR" and "<AREA".
            const int after = at + 1 + int(tag.size());
            if (after < html.size() && isNameChar(html.at(after)))
                continue;
            QString value = wholeAttribute(tagText, QLatin1String(rule.attribute));
            if (value.isEmpty())
                continue;
            if (tag == QLatin1String("A") && IsHtmlFileName(value))
                continue;
            if (tag == QLatin1String("SCRIPT") && value.startsWith(QLatin1String("./")))
                value.remove(0, 2);
            take(value);
        }
    }
    // 4. The pictures of the page's script effects.
    QStringList effects;
    CScriptUtility::GetScriptImageFiles(effects, html, false);
    CScriptUtility::GetRollOverCallArgs(effects, html);
    for (const QString& reference : effects)
        take(reference);
    // 5.
    return !list->isEmpty();
}

bool CollectUploadFiles(quint64* total, const QString& webFolder, QStringList* list)
{
    using namespace publishselection_detail;
    // 1, 2.
    QString web = webFolder;
    web.replace(u'\\', u'/');
    *total = 0;
    const QStringList* modified = GetModifiedWebFiles();
    if (!modified)
        return false;
    // 3, 4. The modified files that exist, then what they refer to; each file once.
    QStringList referenced;
    for (const QString& entry : *modified) {
        const QString relative = resolveInsideWeb(entry, web, web);
        if (relative.isEmpty() || list->contains(relative))
            continue;
        list->append(relative);
        CollectReferencedFiles(web + u'/' + relative, web, &referenced);
    }
    // 5.
    for (const QString& entry : referenced) {
        if (!list->contains(entry))
            list->append(entry);
    }
    // 6, 7.
    for (const QString& entry : *list)
        *total += quint64(QFileInfo(web + u'/' + entry).size());
    return true;
}

bool SaveModifiedPagesBeforeUpload(bool saveWithoutAsking)
{
    using namespace publishselection_detail;
    CMainFrame* frame = CMainFrame::instance();
    // 1.
    if (!frame || !frame->m_bWebOpen)
        return true;
    // 2.
    if (saveWithoutAsking) {
        frame->OnFileSaveWeb();
        return true;
    }
    // 3. Asked once, whatever the number of changed pages.
    bool changed = false;
    if (CZQApp* app = CZQApp::instance(); app && app->docTemplate()) {
        for (platform::Document* document : app->docTemplate()->documents()) {
            if (document->isModified()) {
                changed = true;
                break;
            }
        }
    }
    if (!changed)
        return true;
    // 4. Yes saves; No uploads what is on disk; Cancel stops the upload.
    const int answer = ShowMessageBox(frame->m_strWebName + LoadResString(kSaveQuestion), 0, 0x40, 3);
    if (answer == platform::IDYES)
        frame->OnFileSaveWeb();
    return answer != platform::IDCANCEL;
}
