#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>

// A scanner or camera as SANE lists it.
struct ScannerDevice
{
    QString name;  // SANE's device name ("test:0", "epson2:libusb:001:004")
    QString label; // maker, model and kind, for people
};

// One setting of the open device that the user may choose: its paper source,
// colour mode or resolution.
struct ScannerChoice
{
    QString option;     // SANE's option name: "source", "mode" or "resolution"
    QStringList values; // the choices as text ("Flatbed", "Color", "300")
    int current = -1;   // index of the device's present value, -1 when it is none of them
};

// The program's link to SANE: lists devices, opens one, sets its source,
// mode and resolution, and reads pages from it. SANE is started while any
// object of this class lives (the first one starts it, the last one ends it).
// All calls but cancel() come from one thread at a time.
class SaneScanner
{
public:
    SaneScanner();
    virtual ~SaneScanner();
    SaneScanner(const SaneScanner&) = delete;
    SaneScanner& operator=(const SaneScanner&) = delete;

    // The devices SANE finds; false when SANE cannot be started. May take
    // seconds (network devices): call it off the user-interface thread.
    bool listDevices(QList<ScannerDevice>& devices);
    // What SANE's backends keep between runs stays in the user's own folders:
    // the network backends' SNMP library would otherwise make its state
    // folder under /var/lib. A folder the user named already is kept.
    static void PrepareBackendEnvironment();

    // Opens the device, closing any other; false when it cannot be opened.
    bool open(const QString& name);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    const QString& openName() const { return m_openName; }

    // The open device's source, mode and resolution choices, those it has.
    QList<ScannerChoice> choices() const;
    // Sets one of them; false when the device refuses the value.
    bool choose(const QString& option, const QString& value);
    // Whether the chosen source is a document feeder (pages are read until it is empty).
    bool usesFeeder() const;

    // Receives what an acquisition brings, on the acquiring thread.
    class PageSink
    {
    public:
        virtual ~PageSink() = default;
        virtual void progress(int page, qint64 bytesDone, qint64 bytesExpected) = 0;
        // A finished page; false ends the acquisition.
        virtual bool pageDone(int page, const QImage& image) = 0;
        // A page that could not be read; the acquisition ends after it.
        virtual void pageLost(int page, const QString& reason) = 0;
    };

    // Reads pages from the open device: one from a flatbed, from a feeder
    // until it is empty. A page that fails (or whose frames disagree) is lost
    // with a message and ends the run; pages before it stay. Returns the
    // number of pages handed to the sink.
    int acquire(PageSink& sink);
    // Stops a running acquisition soon; the page being read is dropped. Any thread.
    void cancel();
    bool cancelRequested() const { return m_cancel.load(); }

    // The largest page in pixels that is read.
    static long long maxPagePixels();

private:
    int findOption(const char* name) const;
    QString statusText(int status) const;

    bool m_started = false;
    void* m_handle = nullptr;
    QString m_openName;
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_reading{false};
};
