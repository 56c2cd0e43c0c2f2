#pragma once

#include "platform/Document.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class CChildFrame;
class CZQView;

// The document of one open page. The page itself lives in the view's page
// engine; the document keeps what the engine does not: path and title, the
// program's own change mark, the time of the file as last read or written,
// the text of a frameset page that the program writes itself, and the state of
// the save's linked-file work. Saving a page goes through here: the question
// before a changed page closes, the choice of a file name, the generator META
// and the engine's write of the file.
class CZQDoc : public platform::Document
{
    Q_OBJECT
public:
    explicit CZQDoc(QObject* parent = nullptr);
    ~CZQDoc() override;

    // The first page view of the document, or null.
    CZQView* GetView() const;
    // The page's name for lists, prompts and captions: the file name of a
    // saved page, else the name part of its title ("ULO1"). The caption form
    // adds the frame's name and the frameset page's name of a frame page.
    QString GetDisplayName(bool captionForm = false) const;
    // The display name of a document by its title and path (the plain form).
    static QString DisplayNameOf(const QString& title, const QString& path);

    // Whether the page must be saved before it is closed: the engine reports
    // it changed, the change mark is set, it was made from a template and not
    // saved since, or it is an unsaved page of the open web; a frameset page
    // while its frameset text waits to be written.
    bool isModified() const override;
    // The question before a changed page closes (the path, or the display
    // name, followed by string 41496; Yes, No and Cancel, with the apply-to-all
    // box while the program or the web closes several pages). False means the
    // close stops (Cancel, or a save that failed).
    bool saveModified() override;
    // Saves the page, asking for a file name when the path is empty. A save
    // that fails leaves the old file whole and the page modified.
    bool doSave(const QString& path, bool replace = true) override;
    // Writes the page to the path. A page that is not modified is not
    // written (true); a failed write is reported to the user (false).
    bool onSaveDocument(const QString& path) override;
    bool onOpenDocument(const QString& path) override;

    // Makes the page carry the program's generator META after its TITLE and
    // drops a META that names the engine.
    void UpdateGeneratorMeta();
    // The linked-file work of a save to the path.
    void PrepareLinksForSave(const QString& path);

    void SetPageTitle(const QString& title) { m_strPageTitle = title; }
    QString GetPageTitle() const { return m_strPageTitle; }

    // File > Save and File > Save As.
    bool OnFileSave() { return doFileSave(); }
    bool OnFileSaveAs() { return doFileSaveAs(); }

    // The program's own change mark (changes the engine may not report).
    bool m_bPageChanged = false;
    // Made by File > New from template and not saved since.
    bool m_bFromTemplate = false;
    // A frameset page: the frameset text the next save writes; empty when
    // nothing waits.
    QString m_strFramesetHtml;
    // The path in the open web a new page is meant to be saved under.
    QString m_strWebTargetPath;
    // The page's TITLE as last taken from the engine.
    QString m_strPageTitle;
    // The charset of a frameset page.
    QString m_strFramesetCharset;
    // The file or address the page's content was taken from when that is not
    // the page's own file (a template, a chosen file, an http address).
    QString m_strSourcePath;
    // The page file's modification time as last written or read; invalid
    // while unknown. The main frame compares it with the file on disk.
    QDateTime m_timeFile;
    // The page's file was gone when the program was activated.
    bool m_bFileMissing = false;
    // The lists of the save's linked-file work.
    QStringList m_imageFiles;
    QStringList m_otherFiles;
    QStringList m_linkedFiles;
    QStringList m_arrCopyTargets;

    // Why a save to the path failed, as the user can act on it: no permission
    // to write there, no space left for the bytes (the free space of the
    // path's disk when bytesAvailable is -1), else the engine's own text.
    static QString SaveFailureCause(const QString& path, const QString& engineError, qint64 bytesNeeded,
                                    qint64 bytesAvailable = -1);

protected:
    bool serialize(QIODevice& device, bool storing) override;
    int askSaveModified() override;
    QString askSaveFileName(const QString& proposed) override;

private:
    // The child frame of the page view, or null.
    CChildFrame* ChildFrame() const;
    // Whether this document is the frameset page of its child frame.
    bool IsFramesetPage() const;
    bool SaveFrameset(const QString& path);
    // Saves the page through the engine; tells the user when that fails.
    bool WritePage(const QString& path);
    void RememberFileTime(const QString& path);
    void ClearClosingFlags();
};
