#include "dialogs/TablePropertyModel.h"

#include "util/ColorText.h"

#include <algorithm>

namespace {
constexpr int kMaxTablePixels = 9999;
} // namespace

void TablePropertyModel::Initialize()
{
    m_dHeight = NumberField::valueOf(m_strHeight);
    m_dWidth = NumberField::valueOf(m_strWidth);
}

NumberField TablePropertyModel::Field(Box box) const
{
    switch (box) {
    case Box::Rows:
    case Box::Columns:
        return NumberField(1, 25, false);
    case Box::Width:
        return NumberField(0, m_bWidthPercent ? 100 : kMaxTablePixels);
    case Box::Height:
        return NumberField(0, m_bHeightPercent ? 100 : kMaxTablePixels);
    case Box::CellPadding:
    case Box::CellSpacing:
    case Box::Border:
        break;
    }
    return NumberField(0, 100);
}

QString& TablePropertyModel::Text(Box box)
{
    switch (box) {
    case Box::Rows:
        return m_strRows;
    case Box::Columns:
        return m_strColumns;
    case Box::CellPadding:
        return m_strCellPadding;
    case Box::CellSpacing:
        return m_strCellSpacing;
    case Box::Width:
        return m_strWidth;
    case Box::Height:
        return m_strHeight;
    case Box::Border:
        break;
    }
    return m_strBorder;
}

void TablePropertyModel::LeaveBox(Box box)
{
    QString& text = Text(box);
    text = Field(box).textOnLeaving(text);
    if (text.isEmpty())
        return;
    const int n = NumberField::valueOf(text);
    double* exact = box == Box::Width ? &m_dWidth : box == Box::Height ? &m_dHeight : nullptr;
    if (exact && n != static_cast<int>(*exact))
        *exact = n;
}

void TablePropertyModel::SwitchUnit(QString& text, double& exact, bool& percent, bool toPercent, int reference, Box box)
{
    if (percent == toPercent || text.isEmpty())
        return;
    // A number typed but not yet left counts as left.
    LeaveBox(box);
    // A reference of 0 or less (a view narrower than its margins) converts
    // nothing: the unit changes and the number stays.
    if (reference > 0)
        exact = toPercent ? exact * 100.0 / reference : reference * exact / 100.0;
    percent = toPercent;
    const NumberField field = Field(box);
    const double bounded = std::clamp(exact, double(field.minimum()), double(field.maximum()));
    const int n = static_cast<int>(bounded);
    if (bounded != exact)
        exact = n;
    text = QString::number(n);
}

void TablePropertyModel::SetWidthPercent(bool percent)
{
    SwitchUnit(m_strWidth, m_dWidth, m_bWidthPercent, percent, m_nReferenceWidth, Box::Width);
    m_bWidthPercent = percent;
}

void TablePropertyModel::SetHeightPercent(bool percent)
{
    SwitchUnit(m_strHeight, m_dHeight, m_bHeightPercent, percent, m_nReferenceHeight, Box::Height);
    m_bHeightPercent = percent;
}

void TablePropertyModel::ChooseColor(ColorList list, platform::ColorRef color)
{
    const bool border = list == ColorList::Border;
    (border ? m_crBorder : m_crBackground) = color;
    if (!IsColorMarker(color))
        (border ? m_strBorderColor : m_strBackgroundColor) = ColorRefToHtml(color);
}

void TablePropertyModel::Accept()
{
    for (Box box : {Box::CellPadding, Box::CellSpacing, Box::Width, Box::Height, Box::Border})
        LeaveBox(box);
    // Locked boxes keep what the caller put there (several tables show none).
    if (!m_bExistingTable) {
        LeaveBox(Box::Rows);
        LeaveBox(Box::Columns);
    }
}
