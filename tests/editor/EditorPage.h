#pragma once

// A page opened in the running program, for the tests of the event sink:
// the real main frame, child frame, view, engine and sink.

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "editor/CImpIDispatch.h"
#include "../app/PageReads.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/dom/Text.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/CodePages.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

class EditorPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InitInstallFolder();
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0));
        app = std::make_unique<CZQApp>();
        ASSERT_TRUE(app->InitInstance({}));
        app->mainFrame()->resize(1200, 900);
    }

    // Opens a page with this BODY (its attributes and content) written in a
    // charset, as the HTML 4 era wrote pages; the page-loaded event has run
    // and the page is laid out in a maximised child window.
    CZQView* open(const QString& body, const char* charset = "UTF-8", const QString& name = QStringLiteral("page"))
    {
        const QString html =
            QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                           "<HTML><HEAD><META http-equiv=\"Content-Type\" "
                           "content=\"text/html; charset=%1\"><TITLE>%2</TITLE></HEAD>\n<BODY %3</BODY></HTML>\n")
                .arg(QString::fromLatin1(charset), name, body);
        const QString path = dir.filePath(name + QStringLiteral(".html"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::encodeText(html, QString::fromLatin1(charset)));
        file.close();
        if (!app->OpenDocumentFile(path))
            return nullptr;
        CZQView* v = app->GetActiveView();
        EXPECT_TRUE(WaitForPageRead(v));
        if (v && v->GetParentFrame())
            v->GetParentFrame()->showMaximized();
        settle();
        return v;
    }

    // Lets the page's pending events (page loaded, selection change) reach
    // the sink and lays the page out.
    void settle()
    {
        QCoreApplication::processEvents();
        if (page())
            page()->flushChanges();
        QCoreApplication::processEvents();
    }

    CZQView* view() const { return app->GetActiveView(); }
    CImpIDispatch* sink() const { return view() ? view()->GetSink() : nullptr; }
    engine::PageView* page() const { return view() ? view()->GetPageView() : nullptr; }
    engine::Document* doc() const { return view() ? view()->GetHtmlDocument() : nullptr; }
    engine::Element* byId(const char* id) const { return doc()->getElementById(QString::fromLatin1(id)); }

    // The first text of an element.
    engine::Text* textIn(const char* id) const
    {
        for (engine::Node* n = byId(id); n; n = n->firstChild()) {
            if (n->asText())
                return n->asText();
        }
        return nullptr;
    }

    // The caret in an element's text, or inside the element when it has none.
    void caretIn(const char* id, int offset = 0)
    {
        if (engine::Text* text = textIn(id))
            doc()->selection().collapseAt(text, offset);
        else
            doc()->selection().collapseAt(byId(id), 0);
        settle();
    }

    void selectText(const char* id, int from, int to)
    {
        engine::Text* text = textIn(id);
        ASSERT_NE(text, nullptr) << id;
        doc()->selection().setTextRange(text, from, text, to);
        settle();
    }

    void selectObjects(std::initializer_list<const char*> ids)
    {
        std::vector<engine::Ref<engine::Element>> elements;
        for (const char* id : ids)
            elements.emplace_back(byId(id));
        doc()->selection().setControlRange(elements);
        settle();
    }

    QRect clientBox(const char* id) const
    {
        engine::Geometry geometry(page()->layout());
        return geometry.boundingClientRect(byId(id));
    }

    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app;
};
