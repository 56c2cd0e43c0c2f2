#include "platform/ToolkitTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace platform {

namespace {

// Texts of the toolkit that its Japanese translation does not carry: the type
// column of the file dialogs names folders and drives with these.
class MissingToolkitTexts : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0 && qstrcmp(context, "QFileSystemModel") != 0)
            return {};
        if (qstrcmp(sourceText, "Folder") == 0 || qstrcmp(sourceText, "File Folder") == 0)
            return QStringLiteral("フォルダー");
        if (qstrcmp(sourceText, "Drive") == 0)
            return QStringLiteral("ドライブ");
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

ToolkitTexts::ToolkitTexts() : m_missing(std::make_unique<MissingToolkitTexts>()), m_previousLocale(QLocale())
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // Installed first, so asked last: Qt's own translation wins where it has the text.
    QCoreApplication::installTranslator(m_missing.get());
    if (m_toolkit.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_toolkitInstalled = QCoreApplication::installTranslator(&m_toolkit);
}

ToolkitTexts::~ToolkitTexts()
{
    if (m_toolkitInstalled)
        QCoreApplication::removeTranslator(&m_toolkit);
    QCoreApplication::removeTranslator(m_missing.get());
    QLocale::setDefault(m_previousLocale);
}

} // namespace platform
