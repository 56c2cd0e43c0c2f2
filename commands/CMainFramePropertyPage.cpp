// 設定 > ドキュメントのプロパティ and the page encoding command: the page's
// title, background, colours, background sound and encoding in the document
// properties dialog, what the user changed written back as one undo step.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/PageProperties.h"
#include "commands/SinkUndoUnit.h"
#include "dialogs/ZQ_DIAG_PAGEPROPERTY.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/dom/Document.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFileInfo>

void CMainFrame::OnDocumentProperties()
{
    // 1.-7. The page as the dialog opens with it.
    CZQView* view = GetActiveView();
    CZQDoc* doc = view ? view->GetDocument() : nullptr;
    engine::Document* page = view ? view->GetHtmlDocument() : nullptr;
    if (!doc || !page || !page->body())
        return;
    const PageRead read = ReadPageProperties(page);
    const QString charset = doc->GetCharset();
    ZQ_DIAG_PAGEPROPERTY dialog(this);
    PutPageValues(dialog, read, charset);
    // 8.
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;

    // 1. One step for all of it.
    SinkUndoUnit undo(view);
    const QString pageName = doc->GetDisplayName();
    const bool inWeb = IsPageInWeb(pageName);
    // 2.-6.
    const PageWrite written = WritePageBody(page, view, dialog, read);
    if (written.title) {
        doc->SetPageTitle(dialog.m_strTitle);
        if (inWeb && m_pSiteManagerSheet && m_pSiteManagerSheet->sitePage())
            m_pSiteManagerSheet->sitePage()->SetPageTitle(pageName, dialog.m_strTitle);
        if (CChildFrame* child = view->GetParentFrame())
            child->UpdateCaption();
    }
    // 8. The encoding the page is saved in from now on.
    const QString chosen = ChosenCharset(dialog, charset);
    ApplyPageCharset(doc, chosen);
    // 9. The background sound, copied into the web's other folder for a page
    // of the open web.
    bool soundWritten = false;
    if (SoundChanged(dialog, read)) {
        const QString path = doc->pathName();
        const QString pageFolder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
        const QString otherFolder =
            inWeb && !m_strWebFolder.isEmpty() ? QDir(m_strWebFolder).filePath(QStringLiteral("other")) : QString();
        const QString link =
            dialog.m_strSound.isEmpty() ? QString() : PlaceBackgroundSound(dialog.m_strSound, pageFolder, otherFolder);
        ReplaceBackgroundSound(page, view, link, BackgroundSoundLoop(RequestedRepeat(dialog)));
        soundWritten = true;
    }
    // 7. The page counts as changed, also where the engine saw no change
    // (the charset).
    if (written.title || written.background || written.anyColor || !chosen.isEmpty() || soundWritten)
        doc->m_bPageChanged = true;
}

void CMainFrame::OnPageEncoding()
{
    // 1.-2. The page's charset, offered by its language name.
    CZQView* view = GetActiveView();
    CZQDoc* doc = view ? view->GetDocument() : nullptr;
    if (!doc)
        return;
    const QString charset = doc->GetCharset();
    ZQ_DIAG_PAGEPROPERTY dialog(this);
    dialog.m_strEncoding = ZQ_DIAG_PAGEPROPERTY::CharsetToDisplayName(charset);
    if (dialog.DoModal() != platform::IDOK || GetActiveView() != view)
        return;
    // 3. Only the encoding counts.
    const QString chosen = ChosenCharset(dialog, charset);
    if (chosen.isEmpty())
        return;
    SinkUndoUnit undo(view);
    ApplyPageCharset(doc, chosen);
    doc->m_bPageChanged = true;
}
