#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

namespace platform {

// The toolkit's own texts (file, print and colour dialogs, sizes, dates, file
// types) in Japanese, whatever the system's locale: Qt's translations where
// they are installed, the few texts they lack, and Japanese as the default
// locale for numbers, dates and the MIME database's type names.
class ToolkitTexts
{
public:
    // Installs the texts for the running application; they stay until the
    // object goes.
    ToolkitTexts();
    ~ToolkitTexts();
    ToolkitTexts(const ToolkitTexts&) = delete;
    ToolkitTexts& operator=(const ToolkitTexts&) = delete;

    // Whether Qt's own Japanese translation was found.
    bool hasToolkitTranslation() const { return m_toolkitInstalled; }

private:
    QTranslator m_toolkit;
    std::unique_ptr<QTranslator> m_missing;
    bool m_toolkitInstalled = false;
    QLocale m_previousLocale;
};

} // namespace platform
