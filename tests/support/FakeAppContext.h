#pragma once

#include "util/AppContext.h"

#include "platform/DataRoot.h"

#include <QList>
#include <QString>

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
};
