#pragma once

#include "app/CZQApp.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include <memory>

// The program started in a test as a user starts it, without the start-up
// guide (the test's own HOME holds its settings); null when it did not start.
inline std::unique_ptr<CZQApp> StartProgramWithoutGuide()
{
    InitInstallFolder();
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()) ||
        !reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0))
        return nullptr;
    auto app = std::make_unique<CZQApp>();
    if (!app->InitInstance({}))
        return nullptr;
    return app;
}
