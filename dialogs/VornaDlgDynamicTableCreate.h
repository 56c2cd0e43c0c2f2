#pragma once

#include "dialogs/TablePicker.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

class QPainter;

// The table picker (522): a small grid dropped under the table button, swept
// or clicked to a number of rows and columns. The choice arms the insertion
// of an empty table of that size in the page being edited, placed by the
// next click there; Escape cancels any pending insertion. The object lives
// with its opener; its window exists only while the picker is open.
class VornaDlgDynamicTableCreate
{
public:
    static constexpr int IDD = 522;

    explicit VornaDlgDynamicTableCreate(QWidget* parent = nullptr);
    ~VornaDlgDynamicTableCreate();
    VornaDlgDynamicTableCreate(const VornaDlgDynamicTableCreate&) = delete;
    VornaDlgDynamicTableCreate& operator=(const VornaDlgDynamicTableCreate&) = delete;

    // Opens the picker with its top-left at a screen point, owned by the
    // parent (the main window), following the button still held on the
    // opener, whose screen rectangle is given: a release over the opener
    // leaves the picker open, waiting for a click. A picker already open
    // closes first. False when no window could be made.
    bool CreateAt(QWidget* parent, QPoint screenPoint, QRect openerRect);
    // Whether the window exists (the picker is open).
    bool IsOpen() const { return !m_pWindow.isNull(); }
    // The opener hands the mouse over after its button was released over it.
    void SetTracking() { m_picker.Wait(); }
    const TablePicker& picker() const { return m_picker; }
    // The open window (for tests), or null.
    QWidget* window() const { return m_pWindow; }

    // What the window's events do.
    void OnMouseMove(QPoint cursor);
    void OnLButtonDown(QPoint cursor);
    void OnLButtonUp(QPoint cursor);
    void OnEscape();
    // Draws the picker with the cursor at a client point.
    void Paint(QPainter& dc, QPoint cursor);
    // The window went away without a choice (the program lost the focus).
    void OnClosed();

private:
    // Closes the window and arms the table picked, if any.
    void MakeChoice();
    void DestroyWindow();

    QWidget* m_pParent;
    TablePicker m_picker;
    QPointer<QWidget> m_pWindow;
};
