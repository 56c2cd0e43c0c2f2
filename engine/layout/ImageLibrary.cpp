#include "engine/layout/ImageLibrary.h"

#include <QCoreApplication>
#include <QFile>

#include <Magick++.h>

#include <algorithm>
#include <mutex>

namespace engine {

namespace {

// Large enough for a 100-megapixel photograph and a long panorama; the
// system's own policy may lower them further.
constexpr long long kWantedSide = 30000;
constexpr long long kWantedArea = 120LL * 1000 * 1000;

std::once_flag startFlag;
long long sideLimit = kWantedSide;
long long areaLimit = kWantedArea;

void start()
{
    QByteArray program;
    if (QCoreApplication::instance())
        program = QFile::encodeName(QCoreApplication::applicationFilePath());
    try {
        Magick::InitializeMagick(program.isEmpty() ? nullptr : program.constData());
        Magick::ResourceLimits::width(kWantedSide);
        Magick::ResourceLimits::height(kWantedSide);
        Magick::ResourceLimits::area(kWantedArea);
        // The limits in force: the system policy caps what is asked for.
        sideLimit = std::min<long long>(Magick::ResourceLimits::width(), Magick::ResourceLimits::height());
        areaLimit = std::min<long long>(Magick::ResourceLimits::area(), kWantedArea);
    } catch (...) {
        // Decoding then fails call by call, each with its own result.
    }
}

} // namespace

void startImageLibrary()
{
    std::call_once(startFlag, start);
}

long long imageSideLimit()
{
    startImageLibrary();
    return sideLimit;
}

long long imageAreaLimit()
{
    startImageLibrary();
    return areaLimit;
}

} // namespace engine
