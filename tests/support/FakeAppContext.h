#pragma once

#include "util/AppContext.h"

#include "platform/DataRoot.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <array>

// An application context for tests: plain fields, installed while it lives.
class FakeAppContext : public AppContext
{
public:
    QWidget* mainWindowValue = nullptr;
    int remembered = 0;
    bool webQuestion = false;
    bool hasSiteManager = true;
    QWidget* imageDialog = nullptr;
    QString installFolderPath = platform::installPath();
    QList<OpenDocument> documents;
    QString web;
    bool inWeb = false; // the active page is a page of the open web

    // Page views: identities only, never dereferenced (see view()).
    CZQView* active = nullptr;
    QHash<CZQView*, engine::Document*> pages; // not owned
    QSet<CZQView*> importedViews;
    QList<CZQView*> changedViews; // one entry per setPageChanged call
    QHash<CZQDoc*, QString> pathAfterSave;
    QList<CZQDoc*> savedDocuments;
    struct LinkRequest
    {
        CZQView* view;
        engine::Element* element;
        engine::TextRange* range;
        QString address;
    };
    QList<LinkRequest> linkRequests;
    bool linkResult = true;
    // The page documents of views, the open web's pages, and the link work
    // asked of documents.
    QHash<CZQView*, OpenDocument> viewPages;
    QSet<QString> webPages;
    struct CopyRequest
    {
        CZQView* view;
        engine::Element* element;
        QString link;
        QString folderUrl;
        bool inWebSave;
        bool movingSave;
    };
    QList<CopyRequest> copyRequests;
    QList<CopyRequest> collectRequests;       // element null; link as asked
    QHash<QString, QString> collectResults;   // link -> new text; unlisted links stay
    QHash<QString, QStringList> scriptImages; // outer HTML -> files its scripts name
    QList<std::pair<engine::Element*, QString>> replacedElements;
    QList<CZQView*> failureReports;

    FakeAppContext() { AppContext::install(this); }
    ~FakeAppContext() override { AppContext::install(nullptr); }

    QWidget* mainWindow() const override { return mainWindowValue; }
    int rememberedAnswer() const override { return remembered; }
    void setRememberedAnswer(int answer) override { remembered = answer; }
    bool takeWebQuestionFlag() override
    {
        const bool was = hasSiteManager && webQuestion;
        webQuestion = false;
        return was;
    }
    QWidget* imageDialogWindow() const override { return imageDialog; }
    QString installFolder() const override { return installFolderPath; }
    QList<OpenDocument> openDocuments() const override { return documents; }
    QString webFolder() const override { return web; }

    CZQView* activeView() const override { return active; }
    engine::Document* viewDocument(CZQView* view) const override { return pages.value(view); }
    bool isImportedPage(CZQView* view) const override { return importedViews.contains(view); }
    void setPageChanged(CZQView* view) override { changedViews.append(view); }
    QString saveDocument(CZQDoc* document) override
    {
        savedDocuments.append(document);
        return pathAfterSave.value(document);
    }
    bool applyLinkToSelection(CZQView* view, engine::Element* element, engine::TextRange* range,
                              const QString& address) override
    {
        linkRequests.append({view, element, range, address});
        return linkResult;
    }

    OpenDocument viewPage(CZQView* view) const override { return viewPages.value(view); }
    bool isPageInWeb(const QString& displayName) const override { return webPages.contains(displayName); }
    void copyLinkedImages(CZQView* view, engine::Element* element, const QString& link, const QString& folderUrl,
                          bool inWebSave, bool movingSave) override
    {
        copyRequests.append({view, element, link, folderUrl, inWebSave, movingSave});
    }
    QString collectLinkedFiles(CZQView* view, const QString& link, bool inWebSave, bool movingSave,
                               const QString& folderUrl, const QString&) override
    {
        collectRequests.append({view, nullptr, link, folderUrl, inWebSave, movingSave});
        return collectResults.value(link, link);
    }
    QStringList scriptImageFiles(const QString& html) const override { return scriptImages.value(html); }
    void replaceElementHtml(CZQView*, engine::Element* element, const QString& html) override
    {
        replacedElements.append({element, html});
    }
    void reportFailedCopies(CZQView* view) override { failureReports.append(view); }
    bool isActivePageInWeb() const override { return inWeb; }

    // A page view identity for these tables (n < 4).
    CZQView* view(int n) { return reinterpret_cast<CZQView*>(&m_viewIds[size_t(n)]); }

private:
    std::array<char, 4> m_viewIds{};
};
