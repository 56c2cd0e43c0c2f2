#include "support/ReviewPicture.h"

#include <gtest/gtest.h>

#include <QDir>

void SaveReviewPicture(const QImage& picture, const QString& fileName)
{
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(picture.save(folder + u'/' + fileName));
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        EXPECT_TRUE(picture.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/" + fileName));
    }
}
