#include "images/SaneScanner.h"

#include "images/ImageTextIds.h"
#include "images/ScanPageBuilder.h"
#include "util/StringResources.h"

#include "engine/layout/ImageLibrary.h"
#include "platform/DataRoot.h"

#include <QDir>
#include <QFile>

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

std::mutex saneMutex;
int saneUsers = 0;

SANE_Handle handleOf(void* handle)
{
    return static_cast<SANE_Handle>(handle);
}

// The resolutions offered from a range: the usual ones inside it.
constexpr int kUsualResolutions[] = {75, 100, 150, 200, 300, 400, 600, 1200};

QString resolutionText(double value)
{
    return QString::number(qRound(value));
}

double wordValue(const SANE_Option_Descriptor* option, SANE_Word word)
{
    return option->type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : double(word);
}

SANE_Word toWord(const SANE_Option_Descriptor* option, double value)
{
    return option->type == SANE_TYPE_FIXED ? SANE_FIX(value) : SANE_Word(qRound(value));
}

bool isSettable(const SANE_Option_Descriptor* option)
{
    return option && SANE_OPTION_IS_ACTIVE(option->cap) && SANE_OPTION_IS_SETTABLE(option->cap);
}

} // namespace

SaneScanner::SaneScanner() = default;

SaneScanner::~SaneScanner()
{
    close();
    if (m_started) {
        const std::lock_guard<std::mutex> lock(saneMutex);
        if (--saneUsers == 0)
            sane_exit();
    }
}

long long SaneScanner::maxPagePixels()
{
    return engine::imageAreaLimit();
}

void SaneScanner::PrepareBackendEnvironment()
{
    if (qEnvironmentVariableIsSet("SNMP_PERSISTENT_DIR"))
        return;
    const QString folder = platform::privateTempFolder() + QStringLiteral("/snmp");
    if (QDir().mkpath(folder))
        qputenv("SNMP_PERSISTENT_DIR", QFile::encodeName(folder));
}

bool SaneScanner::listDevices(QList<ScannerDevice>& devices)
{
    devices.clear();
    if (!m_started) {
        const std::lock_guard<std::mutex> lock(saneMutex);
        if (saneUsers == 0) {
            PrepareBackendEnvironment();
            SANE_Int version = 0;
            if (sane_init(&version, nullptr) != SANE_STATUS_GOOD)
                return false;
        }
        ++saneUsers;
        m_started = true;
    }
    const SANE_Device** list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return true;
    for (int i = 0; list[i]; ++i) {
        const SANE_Device* device = list[i];
        ScannerDevice entry;
        entry.name = QString::fromLocal8Bit(device->name);
        entry.label = QStringLiteral("%1 %2 (%3)")
                          .arg(QString::fromLocal8Bit(device->vendor), QString::fromLocal8Bit(device->model),
                               QString::fromLocal8Bit(device->type))
                          .simplified();
        devices.append(entry);
    }
    return true;
}

bool SaneScanner::open(const QString& name)
{
    close();
    if (!m_started)
        return false;
    SANE_Handle handle = nullptr;
    if (sane_open(name.toLocal8Bit().constData(), &handle) != SANE_STATUS_GOOD || !handle)
        return false;
    m_handle = handle;
    m_openName = name;
    return true;
}

void SaneScanner::close()
{
    if (m_handle)
        sane_close(handleOf(m_handle));
    m_handle = nullptr;
    m_openName.clear();
}

int SaneScanner::findOption(const char* name) const
{
    if (!m_handle)
        return -1;
    SANE_Int count = 0;
    if (sane_control_option(handleOf(m_handle), 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return -1;
    for (int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* option = sane_get_option_descriptor(handleOf(m_handle), i);
        if (option && option->name && qstrcmp(option->name, name) == 0)
            return i;
    }
    return -1;
}

QList<ScannerChoice> SaneScanner::choices() const
{
    QList<ScannerChoice> result;
    for (const char* name : {SANE_NAME_SCAN_SOURCE, SANE_NAME_SCAN_MODE, SANE_NAME_SCAN_RESOLUTION}) {
        const int index = findOption(name);
        const SANE_Option_Descriptor* option =
            index >= 0 ? sane_get_option_descriptor(handleOf(m_handle), index) : nullptr;
        if (!isSettable(option))
            continue;
        ScannerChoice choice;
        choice.option = QString::fromLatin1(name);
        if (option->type == SANE_TYPE_STRING && option->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
            for (int i = 0; option->constraint.string_list[i]; ++i)
                choice.values.append(QString::fromLocal8Bit(option->constraint.string_list[i]));
            std::vector<char> value(size_t(std::max(option->size, 1)) + 1, '\0');
            if (sane_control_option(handleOf(m_handle), index, SANE_ACTION_GET_VALUE, value.data(), nullptr) ==
                SANE_STATUS_GOOD)
                choice.current = int(choice.values.indexOf(QString::fromLocal8Bit(value.data())));
        } else if ((option->type == SANE_TYPE_INT || option->type == SANE_TYPE_FIXED) &&
                   option->size == sizeof(SANE_Word)) {
            SANE_Word present = 0;
            sane_control_option(handleOf(m_handle), index, SANE_ACTION_GET_VALUE, &present, nullptr);
            QList<int> values;
            if (option->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
                const SANE_Word* list = option->constraint.word_list;
                for (int i = 1; i <= list[0]; ++i)
                    values.append(qRound(wordValue(option, list[i])));
            } else if (option->constraint_type == SANE_CONSTRAINT_RANGE) {
                const double low = wordValue(option, option->constraint.range->min);
                const double high = wordValue(option, option->constraint.range->max);
                for (int usual : kUsualResolutions) {
                    if (usual >= low && usual <= high)
                        values.append(usual);
                }
            }
            const int now = qRound(wordValue(option, present));
            if (now > 0 && !values.contains(now))
                values.append(now);
            std::sort(values.begin(), values.end());
            values.erase(std::unique(values.begin(), values.end()), values.end());
            for (int value : values)
                choice.values.append(resolutionText(value));
            choice.current = int(values.indexOf(now));
        } else {
            continue;
        }
        if (!choice.values.isEmpty())
            result.append(choice);
    }
    return result;
}

bool SaneScanner::choose(const QString& option, const QString& value)
{
    const int index = findOption(option.toLatin1().constData());
    const SANE_Option_Descriptor* descriptor =
        index >= 0 ? sane_get_option_descriptor(handleOf(m_handle), index) : nullptr;
    if (!isSettable(descriptor))
        return false;
    if (descriptor->type == SANE_TYPE_STRING) {
        std::vector<char> buffer(size_t(std::max(descriptor->size, 1)) + 1, '\0');
        const QByteArray text = value.toLocal8Bit();
        if (text.size() >= qsizetype(buffer.size()))
            return false;
        std::copy(text.begin(), text.end(), buffer.begin());
        return sane_control_option(handleOf(m_handle), index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr) ==
               SANE_STATUS_GOOD;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || descriptor->size != sizeof(SANE_Word))
        return false;
    SANE_Word word = toWord(descriptor, number);
    return sane_control_option(handleOf(m_handle), index, SANE_ACTION_SET_VALUE, &word, nullptr) == SANE_STATUS_GOOD;
}

bool SaneScanner::usesFeeder() const
{
    for (const ScannerChoice& choice : choices()) {
        if (choice.option != QLatin1String(SANE_NAME_SCAN_SOURCE) || choice.current < 0)
            continue;
        const QString source = choice.values.at(choice.current);
        return source.contains(QLatin1String("ADF"), Qt::CaseInsensitive) ||
               source.contains(QLatin1String("Feeder"), Qt::CaseInsensitive) ||
               source.contains(QLatin1String("Duplex"), Qt::CaseInsensitive);
    }
    return false;
}

QString SaneScanner::statusText(int status) const
{
    return LoadResString(ImageTextIds::ScanDeviceError)
        .arg(QString::fromLocal8Bit(sane_strstatus(SANE_Status(status))));
}

void SaneScanner::cancel()
{
    m_cancel = true;
    // SANE allows this one call from any thread while a read runs.
    if (m_handle && m_reading)
        sane_cancel(handleOf(m_handle));
}

int SaneScanner::acquire(PageSink& sink)
{
    if (!m_handle)
        return 0;
    SANE_Handle handle = handleOf(m_handle);
    m_cancel = false;
    const bool feeder = usesFeeder();
    int delivered = 0;
    std::vector<SANE_Byte> buffer(64 * 1024);
    m_reading = true;
    for (int page = 1; !m_cancel; ++page) {
        ScanPageBuilder builder(maxPagePixels());
        SANE_Status status = sane_start(handle);
        // An empty feeder ends the run; it is news only before the first page.
        if (status == SANE_STATUS_NO_DOCS) {
            if (delivered == 0)
                sink.pageLost(page, statusText(status));
            break;
        }
        bool lost = false;
        while (!lost && !m_cancel) {
            if (status != SANE_STATUS_GOOD) {
                if (status != SANE_STATUS_CANCELLED)
                    sink.pageLost(page, statusText(status));
                lost = true;
                break;
            }
            SANE_Parameters parameters{};
            if (sane_get_parameters(handle, &parameters) != SANE_STATUS_GOOD) {
                sink.pageLost(page, statusText(SANE_STATUS_IO_ERROR));
                lost = true;
                break;
            }
            ScanFrameFormat format;
            format.kind = ScanFrameKind(parameters.format);
            format.lastFrame = parameters.last_frame != SANE_FALSE;
            format.bytesPerLine = parameters.bytes_per_line;
            format.pixelsPerLine = parameters.pixels_per_line;
            format.lines = parameters.lines < 0 ? -1 : parameters.lines;
            format.depth = parameters.depth;
            if (!builder.beginFrame(format)) {
                sink.pageLost(page, LoadResString(ImageTextIds::ScanPageErrorBase + int(builder.error())));
                lost = true;
                break;
            }
            for (;;) {
                if (m_cancel) {
                    status = SANE_STATUS_CANCELLED;
                    break;
                }
                SANE_Int length = 0;
                status = sane_read(handle, buffer.data(), SANE_Int(buffer.size()), &length);
                if (status != SANE_STATUS_GOOD)
                    break;
                builder.append(reinterpret_cast<const char*>(buffer.data()), length);
                sink.progress(page, builder.frameBytesReceived(), builder.frameBytesExpected());
            }
            if (status != SANE_STATUS_EOF) {
                if (status != SANE_STATUS_CANCELLED)
                    sink.pageLost(page, statusText(status));
                lost = true;
                break;
            }
            if (!builder.endFrame()) {
                sink.pageLost(page, LoadResString(ImageTextIds::ScanPageErrorBase + int(builder.error())));
                lost = true;
                break;
            }
            if (builder.pageComplete())
                break;
            // The next frame of the page (three-pass colour).
            status = sane_start(handle);
        }
        if (lost || m_cancel)
            break;
        if (!sink.pageDone(page, builder.takePage()))
            break;
        ++delivered;
        if (!feeder)
            break;
    }
    sane_cancel(handle);
    m_reading = false;
    return delivered;
}
