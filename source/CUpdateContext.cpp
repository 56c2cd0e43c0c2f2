#include "source/CUpdateContext.h"

void CInsertContext::AdjustPoint(QPoint& point) const
{
    if (point.y() < m_ptStart.y())
        return;
    const int addedLines = m_ptEnd.y() - m_ptStart.y();
    if (point.y() > m_ptStart.y()) {
        point.ry() += addedLines;
        return;
    }
    if (point.x() <= m_ptStart.x())
        return;
    point = QPoint(m_ptEnd.x() + (point.x() - m_ptStart.x()), point.y() + addedLines);
}

void CDeleteContext::AdjustPoint(QPoint& point) const
{
    if (point.y() < m_ptStart.y())
        return;
    if (point.y() > m_ptEnd.y()) {
        point.ry() -= m_ptEnd.y() - m_ptStart.y();
        return;
    }
    if (point.y() == m_ptEnd.y() && point.x() >= m_ptEnd.x()) {
        point = QPoint(m_ptStart.x() + (point.x() - m_ptEnd.x()), m_ptStart.y());
        return;
    }
    if (point.y() == m_ptStart.y()) {
        if (point.x() > m_ptStart.x())
            point.rx() = m_ptStart.x();
        return;
    }
    point = m_ptStart;
}
