#include "dialogs/ImgCssFilterSet.h"

#include "util/FilterText.h"

#include <algorithm>

QString ImgCssFilterSet::RecognitionKey(int filterIndex)
{
    static const char* const keys[kImgCssFilterCount] = {"alpha(",      "dropshadow(", "glow(", "gradient(",
                                                         "motionblur(", "shadow(",     "wave(", "basicimage(opacity"};
    return QLatin1String(keys[std::clamp(filterIndex, 0, kImgCssFilterCount - 1)]);
}

void ImgCssFilterSet::Recognise(const QString& filterText)
{
    m_recognised.fill(false);
    m_otherFilters = filterText;
    QString working = filterText.toLower();
    for (int i = 0; i < kImgCssFilterCount; ++i) {
        if (GetFilterArgument(working, RecognitionKey(i))) {
            const qsizetype at = m_otherFilters.toLower().indexOf(working);
            if (at >= 0)
                m_otherFilters.remove(at, working.size());
            m_recognised[size_t(i)] = true;
        }
        working = m_otherFilters;
    }
}

QString ImgCssFilterSet::Result(const std::array<QString, kImgCssFilterCount>& texts) const
{
    QString result = m_otherFilters;
    for (const QString& text : texts) {
        if (!text.isEmpty())
            result += QLatin1Char('\n') + text;
    }
    return result;
}

QString ImgCssFilterSet::PreviewFilter(const std::array<QString, kImgCssFilterCount>& texts) const
{
    QString filter = m_otherFilters;
    for (const QString& text : texts) {
        if (!text.isEmpty())
            filter += QLatin1Char(' ') + text;
    }
    return filter;
}
