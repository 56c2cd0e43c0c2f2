#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/HyperlinkSelection.h"
#include "commands/ObjectProperties.h"
#include "commands/RollOverText.h"
#include "commands/SinkUndoUnit.h"
#include "dialogs/VornaDialogImageProperty.h"
#include "dialogs/VornaDlgRollOver.h"
#include "editor/CImpIDispatch.h"
#include "editor/objects/InsertSources.h"
#include "effects/CScriptUtility.h"
#include "images/ImageFiles.h"
#include "util/AppContext.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlSerializer.h"

#include "platform/CmdUI.h"
#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

// Roll-over images: inserting one, editing one, turning a plain image into one and the roll-over dialog's removal
// of the effect. The image swaps its picture through the page's roll-over script, which comes with the first such
// image and goes with the last.

namespace mainframerollover_detail {

const QString kRollOverId = QStringLiteral("VornaRollImage");

constexpr quint32 kImageSelected = 0x8;
constexpr quint32 kCounterImage = 0x100;
constexpr quint32 kAllImages = 0x2000;
constexpr quint32 kRollOverImage = 0x100000;

quint32 selectionKind(const CMainFrame& frame)
{
    const CZQView* view = frame.GetActiveView();
    return view ? view->m_dwSelKind : 0;
}

engine::Ref<engine::Element> selectedImage(CZQView* view)
{
    engine::Ref<engine::Element> element;
    if (!view || GetPageSelection(&element, nullptr, nullptr, view) != S_OK || !element ||
        !element->hasTag(QLatin1String("IMG")))
        return {};
    return element;
}

// A picture path as the page writes it: no "file:///", escaped blanks and percent signs read, forward slashes.
QString picturePath(QString src)
{
    const qsizetype file = src.indexOf(QLatin1String("FILE:///"), 0, Qt::CaseInsensitive);
    if (file >= 0)
        src.remove(file, 8);
    src.replace(QLatin1String("%20"), QLatin1String(" ")).replace(QLatin1String("%25"), QLatin1String("%"));
    return src.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// The empty A a link of the dialog stands for, its values quoted.
QString linkHtml(const QString& href, const QString& target)
{
    using engine::HtmlSerializer;
    QString html = QStringLiteral("<A ") + HtmlSerializer::attributeText(QStringLiteral("href"), href, true);
    if (!target.isEmpty())
        html += QLatin1Char(' ') + HtmlSerializer::attributeText(QStringLiteral("target"), target, true);
    return html + QStringLiteral("></A>");
}

// Gives the image the link the dialog holds: an A around it changed, made or taken away.
void setLink(engine::Element* image, const QString& href, const QString& target, CZQView* view)
{
    engine::Element* parent = image->parentElement();
    const bool linked = parent && parent->hasTag(QLatin1String("A"));
    if (href.isEmpty()) {
        if (linked)
            RemoveElementTag(parent, view);
        return;
    }
    if (linked) {
        parent->setAttribute(QStringLiteral("href"), href);
        if (target.isEmpty())
            parent->removeAttribute(QStringLiteral("target"));
        else
            parent->setAttribute(QStringLiteral("target"), target);
        return;
    }
    InsertHtmlNextToElement(image, linkHtml(href, target));
}

// The pixel size of the picture: one named relative to the page is measured in the page's folder.
QSize pictureSize(const QString& src, CZQView* view)
{
    const QString page = view && view->GetDocument() ? view->GetDocument()->pathName() : QString();
    const QString file = LocalImageFile(src, page.isEmpty() ? QString() : QFileInfo(page).absolutePath());
    return GetImageFileSize(file.isEmpty() ? src : file);
}

void removeRollOverAttributes(engine::Element* image)
{
    for (const char* name : {"onmouseover", "onmouseout", "id", "name"})
        image->removeAttribute(QLatin1String(name));
}

} // namespace mainframerollover_detail

void CMainFrame::AddRollOverCommands()
{
    namespace detail = mainframerollover_detail;
    onCommand(33302, [this] { OnInsertRollOverImage(); });
    onCommand(33303, [this] { OnRollOverProperties(); });
    onCommand(33332, [this] { OnConvertImageToRollOver(); });
    onCommand(33333, [this] { OnConvertRollOverToImage(); });
    onUpdate(33302, [this](platform::CmdUI& ui) { ui.enable(IsEditMode()); });
    for (int id : {33303, 33333}) {
        onUpdate(id, [this](platform::CmdUI& ui) {
            ui.enable(IsEditMode() && (detail::selectionKind(*this) & detail::kRollOverImage) != 0);
        });
    }
    onUpdate(33332, [this](platform::CmdUI& ui) {
        const quint32 kind = detail::selectionKind(*this);
        ui.enable(IsEditMode() && (kind & detail::kImageSelected) != 0 &&
                  (kind & (detail::kRollOverImage | detail::kCounterImage | detail::kAllImages)) == 0);
    });
}

void CMainFrame::OnInsertRollOverImage()
{
    namespace detail = mainframerollover_detail;
    if (!m_bRollOverReentry) {
        if (!GetActiveView() || !IsEditMode())
            return;
        const quint32 kind = detail::selectionKind(*this);
        if (kind & detail::kRollOverImage) {
            OnRollOverProperties();
            return;
        }
        if (kind & detail::kImageSelected) {
            OnConvertImageToRollOver();
            return;
        }
    }
    VornaDlgRollOver dialog(this);
    dialog.m_bEdit = m_bRollOverEdit;
    if (m_bRollOverEdit) {
        dialog.m_strImage = m_strInsertImageSrc;
        dialog.m_strRollImage = m_strRollOverSrc;
        dialog.m_strLink = m_strInsertLinkHref;
        dialog.m_strTarget = m_strInsertMediaSrc;
        dialog.m_strName = m_strInsertHtml;
    }
    const bool editing = m_bRollOverEdit;
    m_bRollOverEdit = false;
    if (dialog.DoModal() != platform::IDOK) {
        m_strInsertImageSrc.clear();
        m_strRollOverSrc.clear();
        return;
    }
    m_strInsertImageSrc = dialog.m_strImage;
    m_strRollOverSrc = dialog.m_strRollImage;
    m_strInsertMediaSrc = dialog.m_strTarget;
    m_strInsertLinkHref = dialog.LinkAddress();
    const QString name = editing && !dialog.m_strName.isEmpty()
                             ? dialog.m_strName
                             : CScriptUtility::MakeUniqueElementName(detail::kRollOverId);
    const QSize size = detail::pictureSize(m_strInsertImageSrc, GetActiveView());
    m_strInsertHtml = RollOverAttributeText(name, m_strInsertImageSrc, m_strRollOverSrc, size);
    if (!editing) {
        // The next click on the page places the image.
        m_nInsertMediaType = 0;
        if (BeginInsertObject(6) == 0) {
            if (CImpIDispatch* sink = GetActiveView() ? GetActiveView()->GetSink() : nullptr)
                sink->SetDocumentCapture();
        }
        return;
    }
    CZQView* view = GetActiveView();
    const engine::Ref<engine::Element> image = detail::selectedImage(view);
    if (image) {
        if (CZQDoc* doc = view->GetDocument())
            doc->m_bPageChanged = true;
        SinkUndoUnit undo(view);
        if (dialog.m_bRemoveRollOver) {
            detail::removeRollOverAttributes(image.get());
            if (!m_strInsertLinkHref.isEmpty())
                detail::setLink(image.get(), m_strInsertLinkHref, m_strInsertMediaSrc, view);
        } else {
            UpdateRollOverImage(image.get(), name, size);
            detail::setLink(image.get(), m_strInsertLinkHref, m_strInsertMediaSrc, view);
            CScriptUtility::EnsureRollOverScript(detail::kRollOverId);
        }
        CScriptUtility::RemoveRollOverScriptIfUnused(detail::kRollOverId);
    }
    m_strInsertImageSrc.clear();
    m_strRollOverSrc.clear();
    m_strInsertHtml.clear();
}

void CMainFrame::UpdateRollOverImage(engine::Element* image, const QString& name, QSize size)
{
    namespace detail = mainframerollover_detail;
    // The web's picture folder; there is none without an open web.
    if (m_bWebOpen && !m_strWebFolder.isEmpty())
        QDir(m_strWebFolder).mkpath(QStringLiteral("image"));
    image->setAttribute(QStringLiteral("src"), m_strInsertImageSrc);
    if (m_strRollOverSrc.isEmpty()) {
        detail::removeRollOverAttributes(image);
    } else {
        image->setAttribute(QStringLiteral("id"), detail::kRollOverId);
        image->setAttribute(QStringLiteral("name"), name);
        image->setAttribute(QStringLiteral("onmouseover"), RollOverCall(name, m_strRollOverSrc));
        image->setAttribute(QStringLiteral("onmouseout"), RollOverCall(name, m_strInsertImageSrc));
    }
    if (!size.isEmpty()) {
        image->setAttribute(QStringLiteral("width"), size.width());
        image->setAttribute(QStringLiteral("height"), size.height());
    }
}

void CMainFrame::ReadRollOverImage(engine::Element* image, bool converting)
{
    namespace detail = mainframerollover_detail;
    m_strInsertLinkHref.clear();
    m_strInsertMediaSrc.clear();
    SelectionLink link;
    link.element = engine::Ref<engine::Element>(image);
    if (GetSelectionLink(link, kPlainLink, GetActiveView()) && !link.href.isEmpty()) {
        m_strInsertMediaSrc = link.target;
        m_strInsertLinkHref = link.href.endsWith(QLatin1Char('#')) ? QStringLiteral("#") : link.href;
    }
    if (image->hasAttribute(QStringLiteral("src")))
        m_strInsertImageSrc = detail::picturePath(image->getAttributeText(QStringLiteral("src")));
    if (image->hasAttribute(QStringLiteral("onmouseover"))) {
        QString path = RollOverPathOf(image->getAttributeText(QStringLiteral("onmouseover")));
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (m_bWebOpen && path.startsWith(QLatin1String("image/"), Qt::CaseInsensitive) &&
            AppContext::instance().isActivePageInWeb())
            path = QDir::fromNativeSeparators(m_strWebFolder + QStringLiteral("/image/") +
                                              CScriptUtility::GetFileNamePart(path));
        m_strRollOverSrc = path;
    } else if (converting) {
        m_strRollOverSrc.clear();
    }
    const QString name = image->getAttributeText(QStringLiteral("name"));
    if (converting)
        m_strInsertHtml = name.isEmpty() ? CScriptUtility::MakeUniqueElementName(detail::kRollOverId) : name;
    else if (image->hasAttribute(QStringLiteral("name")))
        m_strInsertHtml = name;
}

void CMainFrame::OnRollOverProperties()
{
    const engine::Ref<engine::Element> image = mainframerollover_detail::selectedImage(GetActiveView());
    if (!image)
        return;
    ReadRollOverImage(image.get(), false);
    m_bRollOverEdit = true;
    m_bRollOverReentry = true;
    OnInsertRollOverImage();
    m_bRollOverReentry = false;
}

void CMainFrame::OnConvertImageToRollOver()
{
    engine::Ref<engine::Document> document;
    if (GetHTMLDocument(document, GetActiveView()) != S_OK)
        return;
    const engine::Ref<engine::Element> image = mainframerollover_detail::selectedImage(GetActiveView());
    if (!image)
        return;
    ReadRollOverImage(image.get(), true);
    m_bRollOverEdit = true;
    m_bRollOverReentry = true;
    OnInsertRollOverImage();
    m_bRollOverReentry = false;
}

void CMainFrame::OnConvertRollOverToImage()
{
    namespace detail = mainframerollover_detail;
    CZQView* view = GetActiveView();
    engine::Ref<engine::Document> document;
    std::optional<engine::ControlRange> range;
    if (GetHTMLDocument(document, view) != S_OK || GetPageSelection(nullptr, &range, nullptr, view) != S_OK || !range ||
        range->length() == 0)
        return;
    const std::vector<engine::Ref<engine::Element>> images = range->elements();
    // One image opens the image properties with its values, several with what they share.
    const QString page = view->GetDocument() ? view->GetDocument()->pathName() : QString();
    ImageRead read;
    VornaDialogImageProperty dialog(this);
    if (!AskImageProperties(dialog, images, page, read) || GetActiveView() != view)
        return;
    if (CZQDoc* doc = view->GetDocument())
        doc->m_bPageChanged = true;
    SinkUndoUnit undo(view);
    WriteImageProperties(images, dialog, read);
    for (const engine::Ref<engine::Element>& image : images)
        detail::removeRollOverAttributes(image.get());
    CScriptUtility::RemoveRollOverScriptIfUnused(detail::kRollOverId);
}
