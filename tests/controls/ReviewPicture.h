#pragma once

// Pictures of controls saved for people to look at: into
// PAGINOR_SCREENSHOT_DIR when it is set, and with PAGINOR_UPDATE_EXPECTED as
// the reviewed copy in tests/data/expected/.

#include <QDir>
#include <QImage>
#include <QString>

inline bool saveForReview(const QImage& picture, const QString& name)
{
    bool ok = true;
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        ok = QDir().mkpath(folder) && picture.save(folder + QLatin1Char('/') + name) && ok;
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED"))
        ok = picture.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/" + name) && ok;
    return ok;
}
