#pragma once

#include "images/ImageTestFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The SANE test backend, enabled for this process only: a private
// configuration folder whose dll.conf lists "test", with test.conf settings.
// SANE reads the folder's name once per process, so every scan of the process
// uses one folder, whose files are rewritten for each.
class SaneTestBackend
{
public:
    explicit SaneTestBackend(const QByteArray& settings, bool enabled = true)
    {
        static QTemporaryDir folder;
        m_folder = folder.path();
        writeFile("dll.conf", enabled ? "test\n" : "");
        writeFile("test.conf", kDefaults + settings);
        qputenv("SANE_CONFIG_DIR", QFile::encodeName(m_folder));
    }

    // What SANE's own front end reads with the same settings: the reference
    // picture. Null, with the reason in `failure`, when it cannot be had.
    QImage referenceScan(QString* failure = nullptr) const
    {
        QProcess scan;
        scan.start(QStringLiteral("scanimage"),
                   {QStringLiteral("-d"), QStringLiteral("test:0"), QStringLiteral("--format=pnm")});
        // A loaded machine can be slow to start it.
        const bool finished = scan.waitForFinished(180000);
        const QImage picture = imagetest::readPnm(scan.readAllStandardOutput());
        if (picture.isNull() && failure) {
            *failure = QStringLiteral("scanimage: %1, exit %2, %3")
                           .arg(finished ? QStringLiteral("finished") : scan.errorString())
                           .arg(scan.exitCode())
                           .arg(QString::fromLocal8Bit(scan.readAllStandardError()));
        }
        return picture;
    }

private:
    // Every setting, at the backend's own default but for the picture, ahead
    // of the scan's own: a backend kept loaded from one scan to the next
    // keeps what it last read of a setting the file leaves out.
    static constexpr const char* kDefaults =
        "number_of_devices 2\nmode Gray\ndepth 8\nhand-scanner false\nthree-pass false\n"
        "three-pass-order RGB\nresolution 50.0\ntest-picture \"Color pattern\"\ninvert-endianess false\n"
        "read-limit false\nread-limit-size 1\nread-delay false\nread-delay-duration 1000\n"
        "read-status-code \"Default\"\nfuzzy-parameters false\nppl-loss 0\nnon-blocking false\nselect-fd false\n"
        "enable-test-options false\n";

    void writeFile(const QString& name, const QByteArray& text)
    {
        QFile file(QDir(m_folder).filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }
    QString m_folder;
};
