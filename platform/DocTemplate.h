#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

class Document;
class RecentFileList;

// The document template: makes documents with their frames and views, keeps
// the open documents, and names new ones ("<docName>1", "<docName>2", ...).
class DocTemplate : public QObject
{
    Q_OBJECT
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    // Makes the frame and view(s) of a document and adds the views to it;
    // false when that failed.
    using FrameFactory = std::function<bool(Document&)>;

    DocTemplate(const QString& docName, DocumentFactory makeDocument, FrameFactory makeFrame,
                QObject* parent = nullptr);
    ~DocTemplate() override;

    // Opens the file as a document, or makes a new one when path is empty.
    // A document already open under the path is only activated (signal
    // activateRequested) and returned. Null when the file could not be read
    // or the frame not made.
    Document* openDocumentFile(const QString& path);

    Document* findDocument(const QString& path) const;
    // Makes a new document that shows in a frame made for another one (a pane
    // of a frameset page): no frame of its own is made; the caller adds its
    // view. It is kept among the open documents and closes with its last view.
    Document* createDocument();
    QList<Document*> documents() const { return m_documents; }
    int documentCount() const { return int(m_documents.size()); }

    // Asks every changed document (saveModified); false as soon as one is cancelled.
    bool saveAllModified();
    // Closes every document without asking.
    void closeAllDocuments();

    // The recent-file list that documents add their paths to (not owned).
    void setRecentFiles(RecentFileList* list) { m_recentFiles = list; }
    RecentFileList* recentFiles() const { return m_recentFiles; }

    QString docName() const { return m_docName; }

signals:
    void documentAdded(platform::Document* document);
    void documentRemoved(platform::Document* document);
    void activateRequested(platform::Document* document);

private:
    friend class Document;
    void removeDocument(Document* document);
    Document* adopt(std::unique_ptr<Document> document);

    QString m_docName;
    DocumentFactory m_makeDocument;
    FrameFactory m_makeFrame;
    QList<Document*> m_documents;
    RecentFileList* m_recentFiles = nullptr;
    int m_untitledCount = 0;
};

} // namespace platform
