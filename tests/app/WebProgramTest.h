#pragma once

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "web/VornaDialogCreateProject.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "ProgramStart.h"

#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/ModalResponder.h"

#include <QDialog>

#include <gtest/gtest.h>

// The running program for tests of webs: started without its guide, with a
// plain widget for the site manager's tutorial page (its browse view runs only
// under a display), its webs in the test's own "My Web".
class WebProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
        root = platform::webRoot();
    }
    void TearDown() override
    {
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    void send(int id) { app->commands()->sendCommand(id); }
    CZQDoc* active() { return app->GetActiveView() ? app->GetActiveView()->GetDocument() : nullptr; }
    QString web(const QString& name) const { return root + QLatin1Char('/') + name; }

    // The new-web dialog answered with a name and a page kind.
    static platform::ModalResponder::Action createWeb(const QString& name,
                                                      int kindId = VornaDialogCreateProject::kBlankPageId)
    {
        return [name, kindId](QDialog& d) {
            platform::ModalResponder::setText(d, VornaDialogCreateProject::kNameEditId, name);
            platform::ModalResponder::setChecked(d, kindId, true);
            platform::ModalResponder::press(d, platform::IDOK);
        };
    }

    QString root;
    std::unique_ptr<CZQApp> app;
};
