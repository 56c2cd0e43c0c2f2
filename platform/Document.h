#pragma once

#include "platform/CommandTarget.h"
#include "platform/FileFault.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QIODevice;
class QWidget;

namespace platform {

class DocTemplate;

// The document of the thin document/view layer: path and title, the modified
// flag, its views, the question before a changed document is closed, and
// open and save. Programs derive from it and override the steps they need,
// as the framework's documents are overridden.
//
// Closing: closeDocument() (or the last view going away) runs
// onCloseDocument(), which empties the document, tells the template and
// deletes the object later.
class Document : public QObject, public CommandTarget
{
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    DocTemplate* docTemplate() const { return m_template; }

    QString pathName() const { return m_pathName; }
    // Sets the path and makes the file's name the title; adds the path to
    // the template's recent-file list when asked.
    virtual void setPathName(const QString& path, bool addToRecentFiles = true);
    // Forgets the path (the document then has none, as a new one).
    void clearPathName() { m_pathName.clear(); }
    QString title() const { return m_title; }
    virtual void setTitle(const QString& title);

    bool modifiedFlag() const { return m_modified; }
    void setModifiedFlag(bool modified = true) { m_modified = modified; }
    // Whether the document must be saved before it is closed.
    virtual bool isModified() const { return m_modified; }

    // Views: widgets showing the document. A view that is destroyed leaves
    // the list; when the last one leaves, the document closes.
    void addView(QWidget* view);
    void removeView(QWidget* view);
    QList<QWidget*> views() const;
    void setAutoDelete(bool autoDelete) { m_autoDelete = autoDelete; }

    // The question before closing a changed document: false means the close
    // is cancelled. Yes saves (File > Save), No closes without saving.
    virtual bool saveModified();
    // File > Save: under the path when its file exists and is writable,
    // else asking for a name. File > Save As always asks.
    virtual bool doFileSave();
    bool doFileSaveAs() { return doSave(QString(), true); }
    // Saves under path, asking for a name when it is empty (proposing the
    // path, else the title). With replace, a successful save makes the new
    // path the document's own. A save that fails removes a file it created
    // but never one that was there before.
    virtual bool doSave(const QString& path, bool replace = true);

    virtual bool onNewDocument();
    virtual bool onOpenDocument(const QString& path);
    // Writes the document whole or not at all through serialize(): the old
    // file stays until the new one is complete; saveFault() says why a save failed.
    virtual bool onSaveDocument(const QString& path);
    FileFault saveFault() const { return m_saveFault; }
    virtual void onCloseDocument();
    virtual void deleteContents() {}

    // Closes the document and its views without asking.
    void closeDocument() { onCloseDocument(); }

signals:
    void pathChanged(const QString& path);
    void titleChanged(const QString& title);
    // Before the document is deleted: frames showing it close themselves.
    void closing(platform::Document* document);

protected:
    // Reads (storing false) or writes (storing true) the document's data.
    // The default reads nothing and writes nothing.
    virtual bool serialize(QIODevice& device, bool storing);
    // The question of saveModified: IDYES, IDNO or IDCANCEL.
    virtual int askSaveModified() = 0;
    // The file name for a save; empty when the user cancelled. The default
    // runs a save file dialog through the modal runner (dialog id
    // kSaveFileDialogId).
    virtual QString askSaveFileName(const QString& proposed);

private:
    friend class DocTemplate;
    void viewDestroyed(QObject* view);

    DocTemplate* m_template = nullptr;
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    FileFault m_saveFault = FileFault::None;
    bool m_autoDelete = true;
    bool m_closing = false;
    QList<QPointer<QWidget>> m_views;
};

// The dialog id of the default save file dialog.
constexpr int kSaveFileDialogId = -2;

} // namespace platform
