#include "app/CZQDoc.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/DocTemplate.h"

#include <QFileInfo>
#include <QIODevice>

CZQDoc::CZQDoc(QObject* parent) : platform::Document(parent)
{
    onCommand(33106, [this] { doFileSave(); });
    onCommand(33198, [this] { doFileSaveAs(); });
}

CZQDoc::~CZQDoc() = default;

CZQView* CZQDoc::GetView() const
{
    for (QWidget* view : views()) {
        if (auto* page = qobject_cast<CZQView*>(view))
            return page;
    }
    return nullptr;
}

QString CZQDoc::GetDisplayName() const
{
    return pathName().isEmpty() ? title() : pathName();
}

bool CZQDoc::saveModified()
{
    m_bPageChanged = isModified();
    if (!m_bPageChanged)
        return true;
    if (Document::saveModified())
        return true;
    // Cancelled or the save failed: a close in progress stops here.
    if (CMainFrame* frame = CMainFrame::instance()) {
        frame->m_bClosing = false;
        frame->m_bCloseSiteManagerAfterAll = false;
    }
    if (CZQView* view = GetView(); view && view->GetParentFrame())
        view->GetParentFrame()->m_bClosing = false;
    return false;
}

int CZQDoc::askSaveModified()
{
    CMainFrame* frame = CMainFrame::instance();
    const bool closingMany = frame && (frame->m_bClosing || frame->m_bCloseSiteManagerAfterAll) && docTemplate() &&
                             docTemplate()->documentCount() > 1;
    return ShowMessageBox(GetDisplayName() + LoadResString(41496), 0, 0x40, 3, 12, closingMany);
}

bool CZQDoc::onOpenDocument(const QString& path)
{
    if (!Document::onOpenDocument(path))
        return false;
    RememberFileTime(path);
    return true;
}

bool CZQDoc::onSaveDocument(const QString& path)
{
    if (!Document::onSaveDocument(path))
        return false;
    RememberFileTime(path);
    return true;
}

void CZQDoc::RememberFileTime(const QString& path)
{
    m_fileTime = QFileInfo(path).lastModified();
}

bool CZQDoc::serialize(QIODevice& device, bool storing)
{
    if (storing)
        return device.write(m_content) == m_content.size();
    m_content = device.readAll();
    return true;
}
