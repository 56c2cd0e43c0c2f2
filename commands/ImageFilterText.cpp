#include "commands/ImageFilterText.h"

#include "util/FilterText.h"

namespace imagefiltertext_detail {

constexpr unsigned kBlurMore = 33317;
constexpr unsigned kBlurLess = 33319;
constexpr unsigned kMirrorHorizontal = 1410;
constexpr unsigned kMirrorVertical = 1411;
constexpr int kMaxBlurStep = 20;

struct Effect
{
    unsigned id;
    const char* call;
    const char* key;
};

constexpr Effect kEffects[] = {
    {33312, "progid:DXImageTransform.Microsoft.emboss(enabled='true')", "emboss("},
    {33313, "progid:DXImageTransform.Microsoft.engrave(enabled='true')", "engrave("},
    {33314, "progid:DXImageTransform.Microsoft.BasicImage(grayscale=1)", "basicimage(grayscale"},
    {33315, "progid:DXImageTransform.Microsoft.BasicImage(invert=1)", "basicimage(invert"},
    {33316, "progid:DXImageTransform.Microsoft.BasicImage(xray=1)", "basicimage(xray"},
    {kBlurMore, "progid:DXImageTransform.Microsoft.Blur(PixelRadius=ULO)", "blur("},
    {kBlurLess, "progid:DXImageTransform.Microsoft.Blur(PixelRadius=ULO)", "blur("},
    {kMirrorHorizontal, "progid:DXImageTransform.Microsoft.BasicImage(mirror=1)", ""},
    {kMirrorVertical, "progid:DXImageTransform.Microsoft.BasicImage(rotation=2, mirror=1)", ""},
};

const Effect* effectOf(unsigned id)
{
    for (const Effect& e : kEffects) {
        if (e.id == id)
            return &e;
    }
    return nullptr;
}

// The radius a blur call's segment holds: the digits after "pixelradius" and "=", 0 without them.
int radiusOf(const QString& segment)
{
    const qsizetype at = segment.indexOf(QLatin1String("pixelradius"));
    if (at < 0)
        return 0;
    QString rest = segment.mid(at);
    rest.remove(QLatin1String("pixelradius")).remove(QLatin1Char('=')).remove(QLatin1Char(')'));
    rest.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    int value = 0;
    for (qsizetype i = 0; i < rest.size() && rest[i].isDigit() && value <= kMaxBlurStep; ++i)
        value = value * 10 + rest[i].digitValue();
    return value;
}

} // namespace imagefiltertext_detail

QString ImageFilterCall(unsigned commandId)
{
    const imagefiltertext_detail::Effect* e = imagefiltertext_detail::effectOf(commandId);
    return e ? QLatin1String(e->call) : QString();
}

bool NextImageFilterText(unsigned commandId, const QString& call, QString& filterText)
{
    using namespace imagefiltertext_detail;
    QString f = filterText;
    const Effect* effect = effectOf(commandId);
    const QString key = effect ? QLatin1String(effect->key) : QString();
    int radius = 0;
    // An effect already in the list is taken out, to be appended again.
    QString segment = f;
    if (GetFilterArgument(segment, key) && commandId != kMirrorHorizontal && commandId != kMirrorVertical) {
        radius = radiusOf(segment);
        if (f.compare(segment, Qt::CaseInsensitive) == 0) {
            f.clear();
        } else {
            const qsizetype at = f.toLower().indexOf(segment);
            if (at >= 0)
                f.remove(at, segment.size());
        }
    }
    QString appended = call;
    if (commandId == kBlurMore || commandId == kBlurLess) {
        if (commandId == kBlurMore ? radius >= kMaxBlurStep : (radius < 1 || radius > kMaxBlurStep))
            return false;
        radius += commandId == kBlurMore ? 1 : -1;
        appended.replace(QLatin1String("ULO"), QString::number(radius));
    }
    filterText = f + QLatin1Char('\n') + appended;
    return true;
}

QString ImageFilterListText(const QStringList& filterList)
{
    QString text;
    for (const QString& entry : filterList) {
        if (!entry.isEmpty())
            text += QLatin1Char('\n') + entry;
    }
    return QLatin1Char('\n') + text;
}
