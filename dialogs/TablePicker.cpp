#include "dialogs/TablePicker.h"

#include <algorithm>

namespace {
// The grid stands 3 pixels in from the left and top, 1 from the right, and
// leaves 20 at the bottom for the label.
constexpr int kGridLeft = 3;
constexpr int kGridTop = 3;
constexpr int kGridRight = 1;
constexpr int kGridBottom = 20;
// What a page view's width loses to its margins and scroll bar.
constexpr int kViewMargins = 37;

// The largest size of whole squares plus the frame and label that fits.
int WholeSteps(int room, int rest)
{
    return (room - rest) / TablePicker::kPitch * TablePicker::kPitch + rest;
}
} // namespace

void TablePicker::Open(QPoint screenPoint, QRect opener, QRect screen)
{
    m_origin = screenPoint;
    m_size = kFirstSize;
    m_opener = opener;
    m_screen = screen;
    m_chosen = QSize(0, 0);
    m_state = kFollowing;
}

QRect TablePicker::GridRect() const
{
    return QRect(kGridLeft, kGridTop, m_size.width() - kGridLeft - kGridRight,
                 m_size.height() - kGridTop - kGridBottom);
}

QRect TablePicker::LabelRect() const
{
    return QRect(QPoint(3, m_size.height() - 19), QPoint(m_size.width() - 4, m_size.height() - 4));
}

QList<QRect> TablePicker::Squares() const
{
    const QRect grid = GridRect();
    QList<QRect> squares;
    for (int x = grid.left(); x <= grid.right(); x += kPitch)
        for (int y = grid.top(); y <= grid.bottom(); y += kPitch)
            squares.append(QRect(x, y, kSquare, kSquare));
    return squares;
}

bool TablePicker::IsLit(const QRect& square, QPoint cursor) const
{
    if (m_state == kWaiting && !GridRect().contains(cursor))
        return false;
    return square.left() < cursor.x() && square.top() < cursor.y();
}

QSize TablePicker::SizeAt(QPoint cursor) const
{
    const QRect grid = GridRect();
    if (!grid.contains(cursor))
        return QSize(0, 0);
    return QSize((cursor.x() - grid.left() - 1) / kPitch + 1, (cursor.y() - grid.top() - 1) / kPitch + 1);
}

QString TablePicker::Label() const
{
    return QStringLiteral("%1x%2").arg(m_chosen.height()).arg(m_chosen.width());
}

bool TablePicker::MouseMove(QPoint cursor)
{
    if (m_state == kWaiting || m_state == kClosed)
        return false;
    const QRect grid = GridRect();
    QSize size = m_size;
    // Past the right edge a column more, past the bottom a row more; the
    // window stops at the screen's edge (but never shrinks below what it is).
    if (cursor.x() > grid.right() && cursor.y() > grid.top())
        size.setWidth(((cursor.x() - grid.left()) / kPitch + 1) * kPitch + 4);
    if (cursor.y() > grid.bottom() && cursor.x() > grid.left())
        size.setHeight(((cursor.y() - grid.top()) / kPitch + 1) * kPitch + 23);
    if (m_screen.isValid()) {
        size.setWidth(std::min(size.width(), WholeSteps(m_screen.right() + 1 - m_origin.x(), 4)));
        size.setHeight(std::min(size.height(), WholeSteps(m_screen.bottom() + 1 - m_origin.y(), 23)));
    }
    size = size.expandedTo(m_size);
    if (size == m_size)
        return false;
    m_size = size;
    return true;
}

bool TablePicker::MousePress(QPoint cursor)
{
    if (m_state == kWaiting && GridRect().contains(cursor)) {
        m_state = kPressed;
        return false;
    }
    Track(cursor);
    return true;
}

bool TablePicker::MouseRelease(QPoint cursor)
{
    // The release that ends the press on the opener, over the opener: the
    // picker was opened by a click and waits for the next one.
    if (m_state == kFollowing && m_opener.contains(m_origin + cursor)) {
        m_state = kWaiting;
        return false;
    }
    Track(cursor);
    return true;
}

TablePicker::Insertion TablePicker::InsertionFor(QSize chosen, int viewWidth)
{
    const int columns = chosen.width();
    const int rows = chosen.height();
    Insertion out;
    // Half the view's width less its margins; a view narrower than its
    // margins still gets a table at least a pixel wide, and every cell too.
    const int width = std::max(1, static_cast<int>((viewWidth - kViewMargins) * 0.5));
    const int cellWidth = std::max(1, (width - (columns * 2 + 2)) / std::max(1, columns));
    out.html = QStringLiteral(" width=\"50%\" border=1>\n");
    const QString cell = QStringLiteral("\t\t<TD width=%1 ></TD>\n").arg(cellWidth);
    for (int row = 0; row < rows; ++row) {
        out.html += QStringLiteral("\t<TR>\n");
        for (int column = 0; column < columns; ++column)
            out.html += cell;
        out.html += QStringLiteral("\t</TR>\n");
    }
    out.html += QStringLiteral("</TABLE>");
    out.size = QSize(width, kPitch * rows + (rows + 1) + 2);
    return out;
}
