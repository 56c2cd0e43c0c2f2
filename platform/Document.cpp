#include "platform/Document.h"

#include "platform/DocTemplate.h"
#include "platform/ModalRunner.h"
#include "platform/RecentFileList.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QWidget>

namespace platform {

Document::Document(QObject* parent) : QObject(parent) {}

Document::~Document() = default;

void Document::setPathName(const QString& path, bool addToRecentFiles)
{
    m_pathName = path;
    setTitle(QFileInfo(path).fileName());
    if (addToRecentFiles && m_template && m_template->recentFiles())
        m_template->recentFiles()->add(path);
    emit pathChanged(path);
}

void Document::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged(title);
}

void Document::addView(QWidget* view)
{
    if (!view || views().contains(view))
        return;
    m_views.append(view);
    connect(view, &QObject::destroyed, this, &Document::viewDestroyed);
}

void Document::removeView(QWidget* view)
{
    if (!view)
        return;
    disconnect(view, &QObject::destroyed, this, &Document::viewDestroyed);
    m_views.removeAll(QPointer<QWidget>(view));
    if (m_autoDelete && !m_closing && views().isEmpty())
        onCloseDocument();
}

void Document::viewDestroyed(QObject* view)
{
    // The pointer is already null in the list: drop dead entries.
    m_views.removeIf([view](const QPointer<QWidget>& p) { return p.isNull() || p.data() == view; });
    if (m_autoDelete && !m_closing && views().isEmpty())
        onCloseDocument();
}

QList<QWidget*> Document::views() const
{
    QList<QWidget*> result;
    for (const QPointer<QWidget>& view : m_views) {
        if (view)
            result.append(view.data());
    }
    return result;
}

bool Document::saveModified()
{
    if (!isModified())
        return true;
    switch (askSaveModified()) {
    case IDCANCEL:
        return false;
    case IDYES:
        return doFileSave();
    default:
        return true;
    }
}

bool Document::doFileSave()
{
    const QFileInfo file(m_pathName);
    if (m_pathName.isEmpty() || !file.exists() || !file.isWritable())
        return doSave(QString(), true);
    return doSave(m_pathName, true);
}

bool Document::doSave(const QString& path, bool replace)
{
    QString newName = path;
    if (newName.isEmpty()) {
        const QString proposed = m_pathName.isEmpty() ? m_title : m_pathName;
        newName = askSaveFileName(proposed);
        if (newName.isEmpty())
            return false;
    }
    const bool existed = QFileInfo::exists(newName);
    if (!onSaveDocument(newName)) {
        // Only a file this save created is removed; an old one stays.
        if (path.isEmpty() && !existed)
            QFile::remove(newName);
        return false;
    }
    if (replace)
        setPathName(newName);
    return true;
}

bool Document::onNewDocument()
{
    deleteContents();
    m_modified = false;
    return true;
}

bool Document::onOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    deleteContents();
    m_modified = true; // dirty while loading, as a load that fails half-way leaves it
    if (!serialize(file, false)) {
        deleteContents();
        return false;
    }
    m_modified = false;
    return true;
}

bool Document::onSaveDocument(const QString& path)
{
    SafeFile file(path);
    m_saveFault = FileFault::None;
    if (!file.open(QIODevice::WriteOnly)) {
        m_saveFault = file.fault();
        return false;
    }
    if (!serialize(file, true) || !file.commit()) {
        // A serializer that gave up without a fault of the file failed on its own.
        m_saveFault = file.fault() == FileFault::None ? FileFault::Failed : file.fault();
        file.cancel();
        return false;
    }
    m_modified = false;
    return true;
}

void Document::onCloseDocument()
{
    if (m_closing)
        return;
    m_closing = true;
    emit closing(this);
    deleteContents();
    if (m_template)
        m_template->removeDocument(this);
    deleteLater();
}

bool Document::serialize(QIODevice&, bool)
{
    return true;
}

QString Document::askSaveFileName(const QString& proposed)
{
    QWidget* parent = views().isEmpty() ? nullptr : views().first()->window();
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.selectFile(proposed);
    if (runModal(dialog, kSaveFileDialogId) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace platform
