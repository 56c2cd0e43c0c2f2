#include "platform/DocTemplate.h"

#include "platform/Document.h"
#include "platform/RecentFileList.h"

namespace platform {

DocTemplate::DocTemplate(const QString& docName, DocumentFactory makeDocument, FrameFactory makeFrame, QObject* parent)
    : QObject(parent), m_docName(docName), m_makeDocument(std::move(makeDocument)), m_makeFrame(std::move(makeFrame))
{
}

DocTemplate::~DocTemplate()
{
    // Documents still open are children of this object; they must not call
    // back into it while it is being destroyed.
    for (Document* document : m_documents)
        document->m_template = nullptr;
}

Document* DocTemplate::findDocument(const QString& path) const
{
    if (path.isEmpty())
        return nullptr;
    for (Document* document : m_documents) {
        if (document->pathName() == path)
            return document;
    }
    return nullptr;
}

Document* DocTemplate::adopt(std::unique_ptr<Document> document)
{
    Document* raw = document.release();
    raw->setParent(this); // owned by the template from here
    raw->m_template = this;
    m_documents.append(raw);
    return raw;
}

Document* DocTemplate::createDocument()
{
    std::unique_ptr<Document> made = m_makeDocument ? m_makeDocument() : nullptr;
    if (!made)
        return nullptr;
    Document* document = adopt(std::move(made));
    emit documentAdded(document);
    return document;
}

Document* DocTemplate::openDocumentFile(const QString& path)
{
    if (Document* open = findDocument(path)) {
        emit activateRequested(open);
        return open;
    }
    std::unique_ptr<Document> made = m_makeDocument ? m_makeDocument() : nullptr;
    if (!made)
        return nullptr;
    Document* document = adopt(std::move(made));
    // A document that fails is discarded without its views closing it twice.
    auto discard = [this, document] {
        document->setAutoDelete(false);
        m_documents.removeAll(document);
        document->m_template = nullptr;
        emit document->closing(document);
        document->deleteLater();
        return nullptr;
    };
    if (path.isEmpty()) {
        document->setTitle(m_docName + QString::number(++m_untitledCount));
        if (!document->onNewDocument())
            return discard();
    } else if (!document->onOpenDocument(path)) {
        return discard();
    }
    // The views know the document's path when they are first shown.
    if (!path.isEmpty())
        document->setPathName(path, false);
    if (m_makeFrame && !m_makeFrame(*document))
        return discard();
    if (!path.isEmpty() && m_recentFiles)
        m_recentFiles->add(path);
    emit documentAdded(document);
    return document;
}

bool DocTemplate::saveAllModified()
{
    const QList<Document*> documents = m_documents;
    for (Document* document : documents) {
        if (m_documents.contains(document) && !document->saveModified())
            return false;
    }
    return true;
}

void DocTemplate::closeAllDocuments()
{
    const QList<Document*> documents = m_documents;
    for (Document* document : documents)
        document->closeDocument();
}

void DocTemplate::removeDocument(Document* document)
{
    if (m_documents.removeAll(document) > 0)
        emit documentRemoved(document);
}

} // namespace platform
