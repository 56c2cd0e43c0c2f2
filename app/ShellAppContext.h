#pragma once

#include "frames/FrameEnvironment.h"
#include "util/AppContext.h"

class CZQApp;

// The running program as the shared helpers and the frame code see it: the
// main frame keeps the remembered answer, the page template the open
// documents, the active child frame the frame tree of a frameset page.
class ShellAppContext : public AppContext, public FrameEnvironment
{
public:
    explicit ShellAppContext(CZQApp& app);
    ~ShellAppContext() override;

    QWidget* mainWindow() const override;
    int rememberedAnswer() const override;
    void setRememberedAnswer(int answer) override;
    bool takeWebQuestionFlag() override;
    QWidget* imageDialogWindow() const override;
    QString installFolder() const override;
    QList<OpenDocument> openDocuments() const override;
    QString webFolder() const override;
    CZQView* activeView() const override;
    engine::Document* viewDocument(CZQView* view) const override;
    bool isImportedPage(CZQView* view) const override;
    void setPageChanged(CZQView* view) override;
    QString saveDocument(CZQDoc* document) override;
    bool applyLinkToSelection(CZQView* view, engine::Element* element, engine::TextRange* range,
                              const QString& address) override;
    OpenDocument viewPage(CZQView* view) const override;
    void copyLinkedImages(CZQView* view, engine::Element* element, const QString& link, const QString& folderUrl,
                          bool inWebSave, bool movingSave) override;
    QString collectLinkedFiles(CZQView* view, const QString& link, bool inWebSave, bool movingSave,
                               const QString& folderUrl, const QString& kind) override;
    QStringList scriptImageFiles(const QString& html) const override;
    void replaceElementHtml(CZQView* view, engine::Element* element, const QString& html) override;
    void reportFailedCopies(CZQView* view) override;
    bool isActivePageInWeb() const override;

    // AppContext and FrameEnvironment
    bool isPageInWeb(const QString& displayName) const override;
    // FrameEnvironment
    FrameSetHost* activeFrameSetHost() override;
    FrameSiteRows* siteManager() override;

private:
    CZQApp& m_app;
};
