#pragma once

#include "util/AppContext.h"

class CZQApp;

// The running program as the shared helpers see it: the main frame keeps
// the remembered answer, the page template the open documents.
class ShellAppContext : public AppContext
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

private:
    CZQApp& m_app;
};
