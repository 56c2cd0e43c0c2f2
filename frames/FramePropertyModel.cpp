#include "frames/FramePropertyModel.h"

#include "frames/VornaFrameSet.h"

#include <QFileInfo>

#include <algorithm>

int FramePropertyModel::ScrollingIndexOf(const QString& scrolling)
{
    if (scrolling.isEmpty() || scrolling.compare(QLatin1String("AUTO"), Qt::CaseInsensitive) == 0)
        return ScrollAuto;
    if (scrolling.compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0)
        return ScrollYes;
    return ScrollNo;
}

QString FramePropertyModel::ScrollingValueOf(int index)
{
    switch (index) {
    case ScrollAuto:
        return QStringLiteral("auto");
    case ScrollYes:
        return QStringLiteral("yes");
    default:
        return QStringLiteral("no");
    }
}

bool FramePropertyModel::IsFramesetText(const QString& text)
{
    // Each FRAMESET word in turn: one right after a "<" is the tag.
    for (qsizetype at = text.indexOf(QLatin1String("FRAMESET"), 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(QLatin1String("FRAMESET"), at + 1, Qt::CaseInsensitive)) {
        if (at > 0 && text.at(at - 1) == QLatin1Char('<'))
            return true;
    }
    return false;
}

QString FramePropertyModel::SizeEntry(const QString& split) const
{
    const bool cols = split.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
    const int unit = cols ? m_nWidthUnit : m_nHeightUnit;
    const int number = (cols ? m_strWidth : m_strHeight).toInt();
    switch (unit) {
    case Pixels:
        return QString::number(number);
    case Percent:
        return QString::number(number) + QLatin1Char('%');
    default:
        return QStringLiteral("*");
    }
}

QString FramePropertyModel::Clamped(const QString& number, int unit)
{
    return QString::number(std::clamp(number.toInt(), 0, MaximumOf(unit)));
}

void FramePropertyModel::OnWidthUnitChanged(int unit)
{
    m_nWidthUnit = unit;
    m_strWidth = Clamped(m_strWidth, unit);
}

void FramePropertyModel::OnHeightUnitChanged(int unit)
{
    m_nHeightUnit = unit;
    m_strHeight = Clamped(m_strHeight, unit);
}

void FramePropertyModel::OnWidthLeft()
{
    m_strWidth = Clamped(m_strWidth, m_nWidthUnit);
}

void FramePropertyModel::OnHeightLeft()
{
    m_strHeight = Clamped(m_strHeight, m_nHeightUnit);
}

FramePropertyModel::OkResult FramePropertyModel::OnOK()
{
    if (!m_strPath.isEmpty() && !QFileInfo(m_strPath).isFile())
        return PathMissing;
    if (!m_bValidateWidth)
        return Accepted;
    const int width = m_strWidth.toInt();
    const int minimum = MinimumWidth();
    if (m_nWidthUnit == Pixels && width < minimum) {
        m_strWidth = QString::number(minimum);
        return WidthTooLow;
    }
    if (m_nWidthUnit == Percent && m_pFrame && m_pFrame->m_pParent) {
        platform::Rect parent;
        m_pFrame->m_pParent->GetPaneRect(&parent);
        // A parent without a width (not laid out) gives no share to check.
        const int whole = parent.width();
        if (whole > 0 && qint64(whole) * width / 100 < minimum) {
            // The smallest percentage that passes the check again.
            m_strWidth = QString::number((minimum * 100 + whole - 1) / whole);
            return WidthTooLow;
        }
    }
    return Accepted;
}
