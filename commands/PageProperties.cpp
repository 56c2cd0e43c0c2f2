#include "commands/PageProperties.h"

#include "app/CChildFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "controls/ColorValue.h"
#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"
#include "util/ColorText.h"
#include "util/ElementTagIds.h"
#include "util/PageMarkup.h"
#include "util/PathText.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"

#include "platform/CodePages.h"
#include "platform/FileOps.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace pageproperties_detail {

using engine::Element;

// A BODY colour attribute that is present and not empty, as a colour; else
// the default.
platform::ColorRef bodyColor(const Element* body, const char* name)
{
    const QString text = body->getAttribute(QString::fromLatin1(name)).toString();
    return text.isEmpty() ? kColorDefault : HtmlToColorRef(text);
}

// A whole number written as text (blanks around it allowed).
std::optional<int> wholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The loop count of a BGSOUND: -1 for ever ("infinite", -1, or a text that
// is no number); 1 when absent, as browsers play it.
int soundLoop(const Element* sound)
{
    const engine::Variant loop = sound->getAttribute(QStringLiteral("loop"));
    if (loop.isNull() || loop.isEmpty())
        return 1;
    if (loop.isInt())
        return loop.toInt();
    return wholeNumber(loop.toString()).value_or(-1);
}

// One BODY colour written back when the user picked it: the default or none
// removes the attribute.
void writeColor(Element* body, platform::ColorRef color, const char* attribute,
                void (engine::Document::*setter)(const QString&), engine::Document* document)
{
    if (IsColorMarker(color))
        body->removeAttribute(QString::fromLatin1(attribute));
    else
        (document->*setter)(ColorRefToHtml(color));
}

bool sameCharset(const QString& first, const QString& second)
{
    const QString a = platform::canonicalCharset(first);
    const QString b = platform::canonicalCharset(second);
    if (!a.isEmpty() && !b.isEmpty())
        return a.compare(b, Qt::CaseInsensitive) == 0;
    return first.trimmed().compare(second.trimmed(), Qt::CaseInsensitive) == 0;
}

// Makes every META of the page that names another charset name this one;
// a page whose METAs name none gets one at the start of HEAD.
void setMetaCharset(engine::Document* page, CZQView* view, const QString& charset)
{
    static const QRegularExpression named(QStringLiteral("(charset\\s*=\\s*)[^;\\s]*"),
                                          QRegularExpression::CaseInsensitiveOption);
    bool declared = false;
    for (const engine::Ref<Element>& meta : page->getElementsByTagName(QStringLiteral("META")).toVector()) {
        const QString own = meta->getAttributeText(QStringLiteral("charset"));
        if (!own.isEmpty()) {
            declared = true;
            if (!sameCharset(own, charset))
                meta->setAttribute(QStringLiteral("charset"), charset);
            continue;
        }
        const QString content = meta->getAttributeText(QStringLiteral("content"));
        const QRegularExpressionMatch match = named.match(content);
        if (meta->getAttributeText(QStringLiteral("http-equiv"))
                    .compare(QLatin1String("Content-Type"), Qt::CaseInsensitive) != 0 ||
            !match.hasMatch())
            continue;
        declared = true;
        if (!sameCharset(match.captured(0).mid(match.capturedLength(1)), charset))
            meta->setAttribute(QStringLiteral("content"),
                               QString(content).replace(named, QStringLiteral("\\1") + charset));
    }
    if (declared || !page->head())
        return;
    engine::Ref<Element> made;
    InsertNewElement(&made, TAGID_META, QString(), page->head(), page, view, 1);
    if (!made)
        return;
    made->setAttribute(QStringLiteral("http-equiv"), QStringLiteral("Content-Type"));
    made->setAttribute(QStringLiteral("content"), QStringLiteral("text/html; charset=") + charset);
}

bool isAddress(const QString& path)
{
    return path.contains(QLatin1String("://"));
}

} // namespace pageproperties_detail

using engine::Element;

PageRead ReadPageProperties(engine::Document* document)
{
    namespace detail = pageproperties_detail;
    PageRead read;
    Element* body = document ? document->body() : nullptr;
    if (!body)
        return read;
    // 2. The last BGSOUND of the page.
    const engine::ElementCollection sounds = document->getElementsByTagName(QStringLiteral("BGSOUND"));
    const Element* sound = sounds.length() > 0 ? sounds.item(sounds.length() - 1) : nullptr;
    int loop = 1;
    if (sound) {
        read.sound = sound->getAttributeText(QStringLiteral("src"));
        loop = detail::soundLoop(sound);
    }
    // 3.-5.
    read.title = document->title();
    read.background = body->getAttributeText(QStringLiteral("background"));
    read.bgColor = detail::bodyColor(body, "bgColor");
    read.textColor = detail::bodyColor(body, "text");
    read.linkColor = detail::bodyColor(body, "link");
    read.aLinkColor = detail::bodyColor(body, "aLink");
    read.vLinkColor = detail::bodyColor(body, "vLink");
    // 7. The repeat as offered.
    if (!read.sound.isEmpty()) {
        if (loop >= 0) {
            read.repeat = QString::number(loop);
        } else if (loop == -1) {
            read.continuous = true;
            read.repeat = QStringLiteral("infinite");
        }
    }
    return read;
}

void PutPageValues(ZQ_DIAG_PAGEPROPERTY& dialog, const PageRead& read, const QString& charset)
{
    dialog.m_strTitle = read.title;
    dialog.m_strBackground = read.background;
    dialog.m_crBackground = read.bgColor;
    dialog.m_crText = read.textColor;
    dialog.m_crLink = read.linkColor;
    dialog.m_crALink = read.aLinkColor;
    dialog.m_crVLink = read.vLinkColor;
    dialog.m_strEncoding = ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName(charset);
    dialog.m_strSound = read.sound;
    dialog.m_bContinuous = read.continuous ? 1 : 0;
    dialog.m_strRepeat = read.continuous ? QStringLiteral("1") : read.repeat;
}

PageWrite WritePageBody(engine::Document* document, CZQView* view, const ZQ_DIAG_PAGEPROPERTY& dialog,
                        const PageRead& read)
{
    namespace detail = pageproperties_detail;
    PageWrite written;
    Element* body = document ? document->body() : nullptr;
    if (!body)
        return written;
    // 2. The title, compared exactly.
    if (dialog.m_strTitle != read.title) {
        document->setTitle(dialog.m_strTitle);
        written.title = true;
    }
    // 3. The background image.
    const QString background = QString(dialog.m_strBackground).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (dialog.m_strBackground.isEmpty()) {
        if (!read.background.isEmpty()) {
            body->removeAttribute(QStringLiteral("background"));
            written.background = true;
        }
    } else if (dialog.m_strBackground != read.background) {
        body->setAttribute(QStringLiteral("background"), background);
        written.background = true;
    }
    // 4.-6. The colours the user picked; the view keeps the first two.
    if (dialog.m_bBgColorChanged) {
        detail::writeColor(body, dialog.m_crBackground, "bgcolor", &engine::Document::setBgColor, document);
        if (view)
            view->m_crPageBgColor =
                IsColorMarker(dialog.m_crBackground) ? platform::rgb(255, 255, 255) : dialog.m_crBackground;
    }
    if (dialog.m_bTextColorChanged) {
        detail::writeColor(body, dialog.m_crText, "text", &engine::Document::setFgColor, document);
        if (view)
            view->m_crPageTextColor = IsColorMarker(dialog.m_crText) ? platform::rgb(0, 0, 0) : dialog.m_crText;
    }
    if (dialog.m_bLinkColorChanged)
        detail::writeColor(body, dialog.m_crLink, "link", &engine::Document::setLinkColor, document);
    if (dialog.m_bALinkColorChanged)
        detail::writeColor(body, dialog.m_crALink, "aLink", &engine::Document::setAlinkColor, document);
    if (dialog.m_bVLinkColorChanged)
        detail::writeColor(body, dialog.m_crVLink, "vLink", &engine::Document::setVlinkColor, document);
    written.anyColor = dialog.m_bBgColorChanged || dialog.m_bTextColorChanged || dialog.m_bLinkColorChanged ||
                       dialog.m_bALinkColorChanged || dialog.m_bVLinkColorChanged;
    return written;
}

QString ChosenCharset(const ZQ_DIAG_PAGEPROPERTY& dialog, const QString& pageCharset)
{
    // The field holds a charset name once the user picked an entry; left
    // alone it may still hold the language name it was given.
    namespace detail = pageproperties_detail;
    QString charset = dialog.m_strEncoding.trimmed();
    if (ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName(charset).isEmpty())
        charset = ZQ_DIAG_PAGEPROPERTY::DisplayNameToCharset(charset);
    if (charset.isEmpty() || detail::sameCharset(charset, pageCharset))
        return QString();
    return charset;
}

void ApplyPageCharset(CZQDoc* document, const QString& charset)
{
    namespace detail = pageproperties_detail;
    if (!document || charset.isEmpty())
        return;
    document->SetCharset(charset);
    // The page engine saves a page in the charset its META names, and reads
    // the saved file back by it. A frameset page keeps its charset apart.
    CZQView* view = document->GetView();
    engine::Document* page = view ? view->GetHtmlDocument() : nullptr;
    const CChildFrame* child = view ? view->GetParentFrame() : nullptr;
    if (page && !(child && child->HasFrameset() && child->GetFramesetView() == view))
        detail::setMetaCharset(page, view, charset);
}

QString RequestedRepeat(const ZQ_DIAG_PAGEPROPERTY& dialog)
{
    return dialog.m_bContinuous ? QStringLiteral("infinite") : dialog.m_strRepeat.trimmed();
}

bool SoundChanged(const ZQ_DIAG_PAGEPROPERTY& dialog, const PageRead& read)
{
    if (dialog.m_strSound.isEmpty())
        return !read.sound.isEmpty();
    // Differs from comparing the file without regard to case: file names
    // here are case-sensitive.
    return dialog.m_strSound != read.sound || RequestedRepeat(dialog).compare(read.repeat, Qt::CaseInsensitive) != 0;
}

QString BackgroundSoundLoop(const QString& repeat)
{
    if (repeat.trimmed().compare(QLatin1String("infinite"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("infinite");
    bool ok = false;
    const qint64 number = repeat.trimmed().toLongLong(&ok);
    return QString::number(ok ? qBound<qint64>(qint64(1), number, qint64(9999)) : 1);
}

QString PlaceBackgroundSound(const QString& sound, const QString& pageFolder, const QString& otherFolder)
{
    namespace detail = pageproperties_detail;
    // 4. The link as given, with "/".
    const QString given = QString(sound).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (otherFolder.isEmpty() || detail::isAddress(given))
        return given;
    const QString name = GetFileNamePart(given);
    if (name.isEmpty())
        return given;
    const QString link = QStringLiteral("other/") + name;
    const QString source =
        QDir::isRelativePath(given) && !pageFolder.isEmpty() ? QDir(pageFolder).filePath(given) : given;
    const QString target = QDir(otherFolder).filePath(name);
    // A file already there is not copied onto itself.
    const QString sourceFile = QFileInfo(source).canonicalFilePath();
    if (!sourceFile.isEmpty() && sourceFile == QFileInfo(target).canonicalFilePath())
        return link;
    // Differs from linking the copy unchecked: a file that could not be
    // copied is linked where it is.
    if (!QFileInfo(source).isFile() || !QDir().mkpath(otherFolder))
        return given;
    if (platform::copyPath(source, target, platform::OnConflict::Overwrite) != platform::FileError::Success)
        return given;
    return link;
}

bool ReplaceBackgroundSound(engine::Document* document, CZQView* view, const QString& link, const QString& loop)
{
    if (!document)
        return false;
    // 5. The sounds there were.
    for (const engine::Ref<Element>& sound : document->getElementsByTagName(QStringLiteral("BGSOUND")).toVector())
        RemoveElementTag(sound.get(), view);
    if (link.isEmpty())
        return true;
    // 6. Right after the first TITLE; differs from inserting nothing on a
    // page without TITLE, which would lose the sound: at the end of HEAD.
    Element* title = document->getElementsByTagName(QStringLiteral("TITLE")).item(0);
    Element* anchor = title ? title : document->head();
    engine::Ref<Element> made;
    InsertNewElement(&made, TAGID_BGSOUND, QString(), anchor, document, view, title ? 3 : 2);
    if (!made)
        return false;
    // 6.-7. Values written as attributes, so that quotes and blanks in the
    // link cannot break the element.
    made->setAttribute(QStringLiteral("src"), link);
    made->setAttribute(QStringLiteral("loop"), loop);
    made->setAttribute(QStringLiteral("volume"), QString());
    return true;
}
