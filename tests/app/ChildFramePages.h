#pragma once

// The program started with pages in page windows, for the tests of the page
// window's views: a preview that records what it is asked instead of
// running a browser, and helpers that open and read pages.

#include "ProgramStart.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/PreviewBrowser.h"
#include "app/Vorna_Preview.h"
#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"

#include "engine/dom/Document.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

// A browser that keeps the addresses it was sent to; each navigation begins
// a load at once, as a browser tells it.
class RecordingBrowser : public PreviewBrowser
{
public:
    explicit RecordingBrowser(QWidget* parent) : m_widget(new QWidget(parent)) {}
    QWidget* widget() const override { return m_widget; }
    void navigate(const QString& address) override
    {
        navigations.append(address);
        emit downloadBegin();
        emit downloadComplete();
    }
    void goBack() override
    {
        ++backs;
        emit downloadBegin();
    }
    void goForward() override
    {
        ++forwards;
        emit downloadBegin();
    }
    void stop() override { ++stops; }
    void refresh() override { ++refreshes; }
    QString locationUrl() const override { return navigations.isEmpty() ? QString() : navigations.last(); }

    QStringList navigations;
    int backs = 0;
    int forwards = 0;
    int stops = 0;
    int refreshes = 0;

private:
    QWidget* m_widget;
};

class ChildFramePages : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldFactory = PreviewBrowser::setFactory([](QWidget* parent) -> std::unique_ptr<PreviewBrowser> {
            return std::make_unique<RecordingBrowser>(parent);
        });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
    }
    void TearDown() override
    {
        app.reset();
        PreviewBrowser::setFactory(m_oldFactory);
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    CChildFrame* child() { return frame().GetActiveChild(); }
    CZQView* view() { return app->GetActiveView(); }
    CZQDoc* document() { return view() ? view()->GetDocument() : nullptr; }
    engine::Document* page() { return view() ? view()->GetHtmlDocument() : nullptr; }
    VornaSourceTextBuffer& sourceBuffer() { return child()->GetSourceView()->GetSourceDoc()->m_xTextBuffer; }
    RecordingBrowser* browser()
    {
        return child() ? static_cast<RecordingBrowser*>(child()->GetPreviewView()->browser()) : nullptr;
    }
    void send(int command)
    {
        app->commands()->sendCommand(command);
        QCoreApplication::processEvents();
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }
    static QByteArray readFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Opens a page file of the test's folder with the given text.
    CZQDoc* openPage(const QString& name, const QByteArray& text)
    {
        if (!app->OpenDocumentFile(writeFile(name, text)))
            return nullptr;
        QCoreApplication::processEvents(); // the page-loaded event
        return document();
    }
    // Replaces the whole source text, as a user selecting all and typing.
    void typeSource(const std::string& text)
    {
        VornaSourceTextBuffer& buffer = sourceBuffer();
        const int last = buffer.GetLineCount() - 1;
        buffer.DeleteText(nullptr, 0, 0, last, buffer.GetLineLength(last), SOURCE_ACTION_TYPING);
        int endLine = 0;
        int endChar = 0;
        buffer.InsertText(nullptr, 0, 0, text, endLine, endChar, SOURCE_ACTION_TYPING);
    }
    QString tempPage() const { return CChildFrame::TempPagePath(dir.path()); }

    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app;
    platform::ModalResponder responder;

private:
    PreviewBrowser::Factory m_oldFactory;
};
