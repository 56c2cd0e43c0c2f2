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

protected:
    bool serialize(QIODevice& device, bool storing) override;
    int askSaveModified() override;

private:
    QByteArray m_content;
};
