#pragma once

#include "source/VornaSourceDoc.h"
#include "source/VornaSourceEditView.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>

#include <ostream>
#include <string>

inline void PrintTo(const QPoint& point, std::ostream* os)
{
    *os << '(' << point.x() << ", " << point.y() << ')';
}

// The source tree: PAGINOR_SOURCE_DIR, else three folders above the test
// program (build/<type>/tests).
inline QString SourceTreeDir()
{
    const QString dir = qEnvironmentVariable("PAGINOR_SOURCE_DIR");
    return dir.isEmpty() ? QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../..")) : dir;
}

// A source edit view shown on the offscreen screen at a fixed size, with
// the keyboard focus as far as the view can tell.
class ShownSourceView
{
public:
    explicit ShownSourceView(QSize size = QSize(420, 300))
    {
        view.resize(size);
        view.OnInitialUpdate();
        view.show();
        QApplication::processEvents();
        Focus(true);
    }

    VornaSourceTextBuffer& Buffer() { return view.GetSourceDoc()->m_xTextBuffer; }
    void Load(const std::string& text)
    {
        Buffer().LoadFromBytes(text);
        QApplication::processEvents();
    }
    void Focus(bool in)
    {
        QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
        QApplication::sendEvent(&view, &event);
    }
    void Caret(QPoint pos)
    {
        view.SetAnchor(pos);
        view.SetSelection(pos, pos);
        view.SetCaretPosition(pos);
    }
    // The viewport point at the middle of the cell of a text position's
    // character (the left edge plus a quarter cell with leftHalf).
    QPoint CellPoint(QPoint pos, bool leftHalf = false)
    {
        const QPoint at = view.TextPosToPoint(pos);
        const int cw = view.GetCharWidth();
        return at + QPoint(leftHalf ? cw / 4 : cw / 2, view.GetLineHeight() / 2);
    }

    VornaSourceEditView view;
};
