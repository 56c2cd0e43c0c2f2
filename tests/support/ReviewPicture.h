#pragma once

#include <QImage>
#include <QString>

// Saves a picture of a window for people to look at (it is not compared):
// into PAGINOR_SCREENSHOT_DIR when set, and with PAGINOR_UPDATE_EXPECTED as
// the reviewed copy in tests/data/expected/ of PAGINOR_SOURCE_DIR.
void SaveReviewPicture(const QImage& picture, const QString& fileName);
