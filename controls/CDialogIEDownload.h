#pragma once

#include <QDialog>
#include <QVersionNumber>

// The notice that the engine which shows pages is too old for the program:
// Download (IDOK) or Cancel (IDCANCEL); the program ends after it.
class CDialogIEDownload : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 539;

    explicit CDialogIEDownload(QWidget* parent = nullptr);

    int DoModal();

    // The oldest engine the program works with.
    static QVersionNumber RequiredEngineVersion() { return QVersionNumber(5, 5); }
    // The program's own engine, which ships with it.
    static QVersionNumber BuiltInEngineVersion() { return QVersionNumber(6, 0); }

    // The start-up check: true when the engine is recent enough; otherwise
    // shows the notice and gives false, and the program ends. The engine
    // ships with the program, so there is nothing to download and Download
    // opens nothing.
    static bool CheckEngineVersion(const QVersionNumber& engine, QWidget* parent = nullptr);
};
