#include "dialogs/TableCellPropertyModel.h"

#include <algorithm>
#include <array>

namespace {
constexpr int kMaxCellPixels = 9999;
const std::array<const char*, 3> kHAligns = {"left", "center", "right"};
const std::array<const char*, 3> kVAligns = {"top", "middle", "bottom"};

int IndexIn(const std::array<const char*, 3>& names, const QString& text)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    return 0;
}
} // namespace

int TableCellPropertyModel::HAlignIndex(const QString& text)
{
    return IndexIn(kHAligns, text);
}

int TableCellPropertyModel::VAlignIndex(const QString& text)
{
    return IndexIn(kVAligns, text);
}

void TableCellPropertyModel::Initialize()
{
    m_nHAlignIndex = m_bHAlignSet ? HAlignIndex(m_strHAlign) : 0;
    m_nVAlignIndex = m_bVAlignSet ? VAlignIndex(m_strVAlign) : 0;
    LeaveBox(Box::Height);
    LeaveBox(Box::Width);
}

NumberField TableCellPropertyModel::Field(Box box) const
{
    const bool percent = box == Box::Width ? m_bWidthPercent : m_bHeightPercent;
    return NumberField(0, percent ? 100 : kMaxCellPixels);
}

void TableCellPropertyModel::LeaveBox(Box box)
{
    QString& text = box == Box::Width ? m_strWidth : m_strHeight;
    text = Field(box).textOnLeaving(text);
}

void TableCellPropertyModel::SwitchUnit(Box box, bool toPercent)
{
    const bool width = box == Box::Width;
    bool& percent = width ? m_bWidthPercent : m_bHeightPercent;
    QString& text = width ? m_strWidth : m_strHeight;
    int& pixels = width ? m_nWidthPixels : m_nHeightPixels;
    int& percentValue = width ? m_nWidthPercentValue : m_nHeightPercentValue;
    const int reference = width ? m_nReferenceWidth : m_nReferenceHeight;
    if (percent == toPercent || text.isEmpty()) {
        percent = toPercent;
        return;
    }
    int v = NumberField::valueOf(text);
    // A reference of 0 or less converts nothing: the unit changes and the
    // number stays.
    if (reference > 0) {
        if (toPercent) {
            if (v != pixels) {
                const int p = static_cast<int>(double(v) / reference * 100.0);
                pixels = v;
                percentValue = p;
                v = p;
            } else {
                v = percentValue;
            }
        } else {
            if (v != percentValue) {
                const int q = int(std::min<qint64>(qint64(v) * reference / 100, kMaxCellPixels + 1));
                pixels = q;
                percentValue = v;
                v = q;
            } else {
                v = pixels;
            }
        }
    }
    percent = toPercent;
    text = QString::number(Field(box).clamp(v));
}

void TableCellPropertyModel::SetWidthPercent(bool percent)
{
    SwitchUnit(Box::Width, percent);
}

void TableCellPropertyModel::SetHeightPercent(bool percent)
{
    SwitchUnit(Box::Height, percent);
}

void TableCellPropertyModel::SelectHAlign(int index)
{
    m_nHAlignIndex = index;
    if (index >= 1 && index <= 3) {
        m_strHAlign = QLatin1String(kHAligns[size_t(index - 1)]);
        m_bHAlignSet = true;
    }
}

void TableCellPropertyModel::SelectVAlign(int index)
{
    m_nVAlignIndex = index;
    if (index >= 1 && index <= 3) {
        m_strVAlign = QLatin1String(kVAligns[size_t(index - 1)]);
        m_bVAlignSet = true;
    }
}

void TableCellPropertyModel::ChooseColor(ColorList list, platform::ColorRef color)
{
    (list == ColorList::Border ? m_crBorder : m_crBackground) = color;
}

void TableCellPropertyModel::Accept()
{
    LeaveBox(Box::Width);
    LeaveBox(Box::Height);
}
