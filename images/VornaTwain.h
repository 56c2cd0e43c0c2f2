#pragma once

#include "images/SaneScanner.h"

#include <QImage>
#include <QPointer>
#include <QStringList>

class QWidget;

// The program's scanner: lists the sources, lets the user choose one with
// its source, mode and resolution, and acquires pages, each saved as a
// 24-bit PNG under the first free name UserImage<n>.png of the target folder
// (the open web's image folder while a page of the web is being edited, else
// the user image folder). Scans run off the user-interface thread behind a
// progress window whose Cancel stops them; the window stays responsive.
class VornaTwain : public SaneScanner
{
public:
    VornaTwain();
    ~VornaTwain() override;

    // The window the chooser, the progress window and messages belong to.
    void SetWindow(QWidget* window) { m_window = window; }

    // 1 when SANE lists at least one device, else 0.
    int EnumSources();
    // Runs the chooser; 1 when the user chose a device that opened, else 0.
    int Select();
    // Reads pages from the chosen device (the flags are not used); 1 when at
    // least one page was saved, else 0.
    int Acquire(int flags);

    // A page arrived (user-interface thread): saves it. 1 when a save was
    // attempted, 0 when there is no picture.
    virtual int PageCallBack(const QImage& page);
    // Before each page is saved: 1 to go on when the page has lines, else -1
    // (the page is not saved and the scan ends).
    virtual int ScanCallBack(int page, int lines);

    const QList<ScannerDevice>& devices() const { return m_devices; }
    // The files saved by the last Acquire, in order, and their folder.
    const QStringList& SavedFiles() const { return m_savedFiles; }
    const QString& SavedFolder() const { return m_savedFolder; }

    // The folder scanned pages go to: "image" in the open web's folder when
    // the active page belongs to the web, else the user image folder.
    static QString TargetFolder();
    static QString TargetFolderFor(bool pageInWeb, const QString& webFolder);

    // Dialog ids of the chooser and the progress window for modal runs.
    static constexpr int SelectDialogId = 33481;
    static constexpr int ProgressDialogId = 61107;

private:
    QPointer<QWidget> m_window;
    QList<ScannerDevice> m_devices;
    QStringList m_savedFiles;
    QString m_savedFolder;
    int m_generation = 0;
};
