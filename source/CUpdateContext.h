#pragma once

#include <QPoint>

// One change of the source text, told to the views so that they can move
// their caret, anchor, selection and other text points with it. Points are
// (character, line): x the byte index within the line, y the line index.
class CUpdateContext
{
public:
    virtual ~CUpdateContext() = default;
    virtual void AdjustPoint(QPoint& point) const = 0;
};

// Text inserted from start to end.
class CInsertContext : public CUpdateContext
{
public:
    CInsertContext(QPoint start, QPoint end) : m_ptStart(start), m_ptEnd(end) {}
    void AdjustPoint(QPoint& point) const override;

    QPoint m_ptStart;
    QPoint m_ptEnd;
};

// Text from start to end removed.
class CDeleteContext : public CUpdateContext
{
public:
    CDeleteContext(QPoint start, QPoint end) : m_ptStart(start), m_ptEnd(end) {}
    void AdjustPoint(QPoint& point) const override;

    QPoint m_ptStart;
    QPoint m_ptEnd;
};
