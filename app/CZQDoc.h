#pragma once

#include "platform/Document.h"

#include <QByteArray>
#include <QDateTime>

class CZQView;

// The page document. Until the page engine holds the page, the document
// keeps the file's bytes and writes them back unchanged.
class CZQDoc : public platform::Document
{
    Q_OBJECT
public:
    explicit CZQDoc(QObject* parent = nullptr);
    ~CZQDoc() override;

    // The first view of the document, or null.
    CZQView* GetView() const;
    // The path of a saved page, else the title.
    QString GetDisplayName() const;

    // The save question: the name followed by string 41496, Yes/No/Cancel,
    // with the apply-to-all box while the program closes several pages.
    bool saveModified() override;

    bool m_bPageChanged = false;
    // The file's modification time when the page last matched it.
    QDateTime m_fileTime;
    // The page's file was gone when the program was activated.
    bool m_bFileMissing = false;

    // Opening and saving remember the file's time, so the program's own
    // saves are not offered for reload as changes made outside it.
    bool onOpenDocument(const QString& path) override;
    bool onSaveDocument(const QString& path) override;

protected:
    bool serialize(QIODevice& device, bool storing) override;
    int askSaveModified() override;

private:
    void RememberFileTime(const QString& path);

    QByteArray m_content;
};
