// The Edit menu and the page's context menu: undo, redo, cut, copy, paste and
// delete, shared between the engine's own editing and the editor's objects
// and cell ranges.
#include "app/CMainFrame.h"

#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/CopiedImages.h"
#include "editor/CImpIDispatch.h"
#include "res/resource.h"
#include "util/ImageMaps.h"
#include "util/PageDom.h"

#include "engine/dom/Element.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

namespace mainframeedit_detail {

// Whether the engine edits text at the selection: in a text box, another
// table or a marquee.
bool editsText(const CZQView& view)
{
    const CImpIDispatch* sink = view.GetSink();
    return sink && sink->IsTextEditContext();
}

// The folder relative addresses of the page are read from: its file's, or
// for a page not saved yet the file it was made from; empty when neither is
// a file.
QString pageFolderOf(const CZQView& view)
{
    const CZQDoc* doc = view.GetDocument();
    if (!doc)
        return QString();
    QString path = doc->pathName();
    if (path.isEmpty() && QFileInfo(doc->m_strSourcePath).isFile())
        path = doc->m_strSourcePath;
    return path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
}

} // namespace mainframeedit_detail

void CMainFrame::AddEditCommands()
{
    onCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    onCommand(ID_EDIT_REDO, [this] { OnEditRedo(); });
    onCommand(ID_EDIT_CUT, [this] { OnEditCut(); });
    onCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    onCommand(ID_EDIT_PASTE, [this] { OnEditPaste(); });
    onCommand(ID_EDIT_DELETE, [this] { OnEditDelete(); });
}

void CMainFrame::OnEditUndo()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    // 1. Selected objects are let go first.
    engine::Selection* selection = nullptr;
    if (GetSelectionType(&selection).compare(QLatin1String("control"), Qt::CaseInsensitive) == 0 && selection)
        selection->empty();
    // 2. The engine's undo.
    view->ExecCommand(engine::CommandGroup::Undo);
    // 3. No caret outside the text of a text box or marquee.
    if (!mainframeedit_detail::editsText(*view) && view->GetSink())
        view->GetSink()->HideCaret();
}

void CMainFrame::OnEditRedo()
{
    if (CZQView* view = GetActiveView())
        view->ExecCommand(engine::CommandGroup::Redo);
}

void CMainFrame::OnEditCut()
{
    if (CZQView* view = GetActiveView())
        view->ExecCommand(engine::CommandGroup::Cut);
}

void CMainFrame::OnEditPaste()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    // Text of a text box or marquee takes the engine's paste; elsewhere the
    // editor places what the clipboard holds as objects.
    if (mainframeedit_detail::editsText(*view))
        view->ExecCommand(engine::CommandGroup::Paste);
    else if (CImpIDispatch* sink = view->GetSink())
        sink->Paste();
}

void CMainFrame::OnEditDelete()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    CImpIDispatch* sink = view->GetSink();
    // 1. A range of cells is emptied.
    if (sink && sink->HasCellSelection())
        sink->ClearSelectedCells();
    // 2. Objects go through the editor.
    else if (sink && !sink->IsTextEditContext())
        sink->DeleteSelection();
    // 3. Text in a text box or marquee through the engine.
    else
        view->ExecCommand(engine::CommandGroup::Delete);
}

void CMainFrame::OnEditCopy()
{
    CZQView* view = GetActiveView();
    if (!view)
        return;
    // 1. The engine puts its selection on the clipboard.
    view->ExecCommand(engine::CommandGroup::Copy);
    // 2.-3. Its HTML, when it is whole.
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    const QString mime = QString::fromLatin1(engine::clipboard::kHtmlFormatMime);
    if (!data || !data->hasFormat(mime))
        return;
    const std::optional<QString> fragment = HtmlFormatFragment(data->data(mime));
    if (!fragment)
        return;
    // 4. Images with relative addresses and image maps made to work in any page.
    const QString rewritten =
        RewriteCopiedImages(*fragment, mainframeedit_detail::pageFolderOf(*view), [](const QString& name) {
            engine::Ref<engine::Element> map;
            return FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), name, map) == S_OK && map
                       ? map->outerHTML()
                       : QString();
        });
    if (rewritten == *fragment)
        return;
    // 5. The clipboard's data replaced, the text kept.
    const QString text = data->text();
    clipboard->setMimeData(engine::clipboard::makeMimeData(rewritten, text).release());
}
