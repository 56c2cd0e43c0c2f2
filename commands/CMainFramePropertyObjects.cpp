// The image, marquee and rule properties: the selected element read into its
// dialog, the dialog's values written to every selected element of that
// kind as one undo step.
#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/ObjectProperties.h"
#include "commands/SinkUndoUnit.h"
#include "commands/TableTargets.h"
#include "dialogs/VornaDialogHrProperty.h"
#include "dialogs/VornaDialogImageProperty.h"
#include "dialogs/VornaDialogMarquee.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"

#include "platform/ModalRunner.h"

#include <QFileInfo>

namespace propertyobjects_detail {

using engine::Element;
using engine::Ref;

// The control-selected elements of the tag, in the range's order; none for a
// text selection or a caret.
std::vector<Ref<Element>> selectedOfTag(CZQView* view, const char* tag)
{
    std::vector<Ref<Element>> found;
    std::optional<engine::ControlRange> controls;
    if (!view || GetPageSelection(nullptr, &controls, nullptr, view) != S_OK || !controls)
        return found;
    for (const Ref<Element>& element : controls->elements()) {
        if (element->hasTag(QLatin1String(tag)))
            found.push_back(element);
    }
    return found;
}

// The pixels that 100 % of a marquee's or rule's size stands for: the page's
// client area, less the margin for the width.
QSize pageReference(CZQView* view)
{
    engine::Document* page = view->GetHtmlDocument();
    const QSize client = ElementClientSize(view, page ? page->body() : nullptr);
    return QSize(client.width() - 20, client.height());
}

void markChanged(CZQView* view)
{
    if (CZQDoc* doc = view->GetDocument())
        doc->m_bPageChanged = true;
}

} // namespace propertyobjects_detail

void CMainFrame::OnImageProperties()
{
    namespace detail = propertyobjects_detail;
    // 1.-2. One image is read; several open the dialog with what they share.
    CZQView* view = GetActiveView();
    const std::vector<engine::Ref<engine::Element>> images = detail::selectedOfTag(view, "IMG");
    if (images.empty())
        return;
    const QString path = view->GetDocument() ? view->GetDocument()->pathName() : QString();
    ImageRead read;
    VornaDialogImageProperty dialog(this);
    // 3.
    if (!AskImageProperties(dialog, images, path, read) || GetActiveView() != view)
        return;
    // 1.-4. of the writing, as one step.
    detail::markChanged(view);
    SinkUndoUnit undo(view);
    WriteImageProperties(images, dialog, read);
}

void CMainFrame::OnMarqueeProperties()
{
    namespace detail = propertyobjects_detail;
    // 1.-4. One marquee is read; several start mixed.
    CZQView* view = GetActiveView();
    const std::vector<engine::Ref<engine::Element>> marquees = detail::selectedOfTag(view, "MARQUEE");
    if (marquees.empty())
        return;
    VornaDialogMarquee dialog(this);
    const QSize reference = detail::pageReference(view);
    dialog.m_nReferenceWidth = reference.width();
    dialog.m_nReferenceHeight = reference.height();
    if (marquees.size() == 1)
        ReadMarqueeProperties(marquees.front().get(), dialog);
    else
        PutSeveralMarquees(dialog);
    // 5.
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;
    // 1.-8. of the writing, as one step.
    detail::markChanged(view);
    SinkUndoUnit undo(view);
    WriteMarqueeProperties(marquees, dialog);
}

void CMainFrame::OnRuleProperties()
{
    namespace detail = propertyobjects_detail;
    // 1.-3. One rule is read; several start mixed.
    CZQView* view = GetActiveView();
    const std::vector<engine::Ref<engine::Element>> rules = detail::selectedOfTag(view, "HR");
    if (rules.empty())
        return;
    VornaDialogHrProperty dialog(this);
    dialog.m_nReferenceWidth = detail::pageReference(view).width();
    if (rules.size() == 1)
        ReadRuleProperties(rules.front().get(), dialog);
    else
        PutSeveralRules(dialog);
    // 4.
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;
    // 5.-6.
    detail::markChanged(view);
    SinkUndoUnit undo(view);
    WriteRuleProperties(rules, dialog);
}
