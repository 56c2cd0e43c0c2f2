#pragma once

#include "platform/Document.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

class CChildFrame;
class CZQView;

namespace engine {
class Element;
}

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

    // --- the linked-file work of a save (CZQDocLinks.cpp)
    // Runs before the page is written to the path. A save into the open web
    // copies the local files the page links to into the web (images into
    // "image", media and scripts into "other", linked pages into the web
    // folder) and makes the links relative to the web with "/"; a copy never
    // replaces a file of the web (a script of the same name excepted) and
    // never lands outside it; a link whose file could not be copied keeps its
    // value. A save into another folder outside the web makes local links
    // absolute and copies nothing, except images the program made in its
    // temporary folder, which go to the user image folder. Every save fills
    // empty table cells and puts back the "#" of image-map references.
    void PrepareLinksForSave(const QString& path);
    // Lists the local files the page links to and reserves a free name in
    // the web for each file whose name is taken there. Changes nothing.
    void MakeLinksRelative();
    // Rewrites the page's links for the save (after the copies, so that a
    // failed copy keeps its link); a page read from a web address gets its
    // links below its folder made relative instead.
    void FixLinksForSave(bool inWebSave, bool movingSave);
    // Copies the listed files into the web; the linked pages only when asked.
    void CopyResourcesToWeb(bool withLinkedFiles);
    // Lists one link of an element of the tag; a relative one is read below
    // the base folder.
    void CollectLink(const QString& tag, const QString& link, const QString& baseFolder);
    // Rewrites the link attribute of one element; in a save into the web, a
    // file no collection listed is copied now.
    void CopyLinkedImages(engine::Element* element, const QString& link, const QString& folderUrl, bool inWebSave,
                          bool movingSave);
    // The new text of a link that stands inside a script or an event handler
    // ("ROLLOVER": a roll-over picture, copied with the images); the link as
    // given when it stays.
    QString CollectLinkedFiles(const QString& link, bool inWebSave, bool movingSave, const QString& folderUrl,
                               const QString& kind);
    // Tells the user, in one message, which linked files could not be copied
    // since the last report; nothing when all were.
    void ReportFailedCopies();

    // --- pages read from a web address and made images (CZQDocWebLinks.cpp)
    // Writes the links of a page read from a web address as full addresses,
    // read against the page's address (or its BASE), so that they keep
    // reaching the server when the page is saved as a file. Run when the page
    // has loaded; leaves no undo step and no change mark.
    void FixAbsoluteHttpLinks();
    // On save: links below the folder of the page's address become relative.
    void MakeHttpLinksRelative();
    // Copies images the program made in its temporary folder into the user
    // image folder (each its own file) and points the page at the copies; for
    // a page that is not one of the open web.
    void CopyTemporaryImages();

    // --- the page's charset and copies of the page (CZQDocCharset.cpp)
    // The page's charset: a frameset page's as the document keeps it, else
    // the live page's; empty without a page.
    QString GetCharset() const;
    // Sets it the same way; an empty charset is ignored.
    void SetCharset(const QString& charset);
    // After a page has loaded: when the page file's own META names another
    // charset than the live page uses (compared without regard to case), the
    // page takes it and is read again. A file without a META charset, a
    // frameset page, a page without a file and a page read in that charset
    // already are left alone.
    // `readBefore`: a file and the charset its META names, read beforehand
    // (see MetaCharsetOfFile): when it is the page's file, it is not read
    // again (a long page's file takes a while to read to its end).
    // True when the page is being read again in the background, as a long
    // page is opened: it is in at its next page-loaded event.
    bool RewritePageFileOnOpen(const std::optional<std::pair<QString, QString>>& readBefore = std::nullopt);
    // The file RewritePageFileOnOpen reads: the page's path, else the file
    // it came from.
    QString PageFilePath() const;
    // The charset the first META of a page file names (empty: none, or no
    // such file); reads it a part at a time. On any thread.
    static QString MetaCharsetOfFile(const QString& path);
    // Writes the page (the view's, else the document's own) to the path; a
    // page of the open web has its BODY and TABLE backgrounds pointed into
    // the web's image folder. False when nothing could be written.
    bool SavePageCopyAs(const QString& path, CZQView* view = nullptr);
    // Points the BACKGROUND of every start tag of the tag name at the web's
    // image folder ("image/" and the file's name, as written); addresses stay.
    static void RewriteBackgroundsToImageFolder(const QString& tagName, QString& text);

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
    // The lists of the save's linked-file work: full paths of the local files
    // the page links to, by where their copies go (the web's "image" and
    // "other" folders, the web folder), the last found first.
    QStringList m_imageFiles;
    QStringList m_otherFiles;
    QStringList m_linkedFiles;
    // The target in the web of each listed file outside it, and the file each
    // target was given to.
    QHash<QString, QString> m_arrCopyTargets;
    QHash<QString, QString> m_targetOwners;
    // Targets a script file may replace.
    QSet<QString> m_replaceTargets;
    // Every listed file; the files copied (with their targets); the files
    // that could not be copied, in the order met, until they are reported.
    QSet<QString> m_collectedFiles;
    QHash<QString, QString> m_copiedFiles;
    QStringList m_failedCopies;
    QSet<QString> m_failedFiles;

    // The page's message of a failed save, naming the cause.
    static void ReportSaveFailure(const QString& path, const QString& cause);

protected:
    bool serialize(QIODevice& device, bool storing) override;
    int askSaveModified() override;
    // The program's page file dialog: a new page in mode 1, a saved one in
    // mode 2, proposing the page's name.
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

    // Link work helpers (CZQDocLinks.cpp).
    // The path up to and including its last "/"; empty without one.
    static QString FolderUrlOf(const QString& path);
    // The open web's folder, cleaned, without a trailing "/"; empty when no web is open.
    static QString WebFolder();
    static bool IsInWeb(const QString& path);
    static bool SameFileContent(const QString& first, const QString& second);
    // The first "<folder>/<title><n>.<extension>" (n = 0, 1, ...) that does not exist.
    static QString FreeCopyName(const QString& folder, const QString& title, const QString& extension);
    // The target in the web of a file outside it, reserved on first use.
    QString ReserveTarget(const QString& source, const QString& tag);
    // Copies a file outside the web to its target once; false when it could not be.
    bool CopyIntoWeb(const QString& source, const QString& tag);
    // Remembers a file that could not be copied, once, for the report.
    void NoteFailedCopy(const QString& source);
    // The new value of a link for the save, or a null text when it stays.
    QString RewrittenLink(const QString& tag, const QString& link, const QString& folderUrl, bool inWebSave,
                          bool movingSave, bool makeAbsolute);
};
