#pragma once

#include "platform/Rect.h"

#include <QLine>
#include <QWidget>

#include <vector>

// A transparent layer over a child frame's panes on which the event sink
// draws its rubber bands, tracking lines and drag outlines. Shapes toggle, as
// exclusive-or drawing did: drawing a shape a second time removes it. The
// layer lets every mouse event through to the panes below.
class RubberBandOverlay : public QWidget
{
    Q_OBJECT
public:
    // The overlay over a widget (a child frame's client area); made on the
    // first request when `create` is set, else null until then.
    static RubberBandOverlay* of(QWidget* frameClient, bool create = true);

    // A dotted focus rectangle (coordinates of the frame's client area);
    // an empty one draws nothing.
    void toggleRect(const platform::Rect& rect);
    void toggleLine(QPoint from, QPoint to);
    // Removes every shape (a drag mode ended).
    void clear();

    const std::vector<platform::Rect>& rects() const { return m_rects; }
    const std::vector<QLine>& lines() const { return m_lines; }
    bool isEmpty() const { return m_rects.empty() && m_lines.empty(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit RubberBandOverlay(QWidget* frameClient);
    void changed();

    std::vector<platform::Rect> m_rects;
    std::vector<QLine> m_lines;
};
