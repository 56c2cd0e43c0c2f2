#include "dialogs/HrPropertyModel.h"

#include "controls/NumberField.h"
#include "dialogs/SizeUnits.h"

#include <algorithm>

namespace hrpropertymodel_detail {

QString textOf(int value)
{
    return value == -1 ? QString() : QString::number(value);
}

int numberOf(const QString& text)
{
    return text.trimmed().isEmpty() ? -1 : NumberField::valueOf(text.trimmed());
}

} // namespace hrpropertymodel_detail

void HrPropertyModel::InitTexts()
{
    m_strWidth = hrpropertymodel_detail::textOf(m_nWidth);
    m_strHeight = hrpropertymodel_detail::textOf(m_nHeight);
    m_nInitialWidth = m_nWidth;
    m_nInitialHeight = m_nHeight;
    m_dWidth = m_nWidth;
    m_bInitialized = true;
}

bool HrPropertyModel::OnWidthEdited()
{
    if (!m_bInitialized)
        return true;
    m_nWidth = NumberField::valueOf(m_strWidth.trimmed());
    const bool kept = m_nWidth <= WidthMax();
    if (!kept) {
        m_nWidth = WidthMax();
        m_strWidth = QString::number(m_nWidth);
    }
    m_dWidth = m_nWidth;
    return kept;
}

bool HrPropertyModel::OnHeightEdited()
{
    if (!m_bInitialized)
        return true;
    const int typed = NumberField::valueOf(m_strHeight.trimmed());
    m_nHeight = std::clamp(typed, kHeightMin, kHeightMax);
    const bool kept = m_nHeight == typed && !m_strHeight.trimmed().isEmpty();
    if (!kept)
        m_strHeight = QString::number(m_nHeight);
    return kept;
}

void HrPropertyModel::OnUnitChanged(int unit)
{
    if (unit == m_nWidthUnit)
        return;
    m_nWidthUnit = unit;
    // An empty box stays empty: no width is given.
    if (m_strWidth.trimmed().isEmpty())
        return;
    m_dWidth = SizeInUnit(m_dWidth, unit, m_nReferenceWidth);
    m_nWidth = TruncatedSize(m_dWidth);
    const int clamped = std::clamp(m_nWidth, 0, WidthMax());
    if (clamped != m_nWidth) {
        m_nWidth = clamped;
        m_dWidth = clamped;
    }
    m_strWidth = QString::number(m_nWidth);
    m_bWidthChanged = true;
}

void HrPropertyModel::OnColorChosen(platform::ColorRef color)
{
    m_crColor = color;
    m_bColorChanged = true;
}

void HrPropertyModel::OnOK()
{
    m_nWidth = hrpropertymodel_detail::numberOf(m_strWidth);
    m_nHeight = hrpropertymodel_detail::numberOf(m_strHeight);
    if (m_nWidth != m_nInitialWidth)
        m_bWidthChanged = true;
    if (m_nHeight != m_nInitialHeight)
        m_bHeightChanged = true;
}
