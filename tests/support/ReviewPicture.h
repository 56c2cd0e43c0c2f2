#pragma once

#include <QImage>
#include <QString>
#include <QTranslator>

// Saves a picture of a window for people to look at (it is not compared):
// into PAGINOR_SCREENSHOT_DIR when set, and with PAGINOR_UPDATE_EXPECTED as
// the reviewed copy in tests/data/expected/ of PAGINOR_SOURCE_DIR.
void SaveReviewPicture(const QImage& picture, const QString& fileName);

// While it lives, the toolkit's own texts (the file dialog's labels and
// buttons) are in Japanese, as the program shows them, when the translations
// are installed.
class ToolkitTextsInJapanese
{
public:
    ToolkitTextsInJapanese();
    ~ToolkitTextsInJapanese();
    ToolkitTextsInJapanese(const ToolkitTextsInJapanese&) = delete;
    ToolkitTextsInJapanese& operator=(const ToolkitTextsInJapanese&) = delete;

private:
    QTranslator m_translator;
    bool m_installed = false;
};
