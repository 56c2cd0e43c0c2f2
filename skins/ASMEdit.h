#pragma once

#include "platform/Rect.h"
#include "skins/ASMControl.h"

class QPainter;
class QStyleOptionFrame;
class QWidget;

// The skin of an edit field: its edge in two rings of skin colours, deeper
// while it has the focus, is disabled or read-only or the mouse is over it;
// a disabled or read-only field lies flat on the shadow colour.
class ASMEdit : public ASMControl
{
    Q_OBJECT
public:
    explicit ASMEdit(SkinControlKind kind = SkinControlKind::Edit);

    // Whether the field is drawn flat on the shadow colour.
    static bool IsFlat(const QStyleOptionFrame& option);
    // The field's background and, when it has an edge, its rings.
    void Draw(QPainter& dc, const QStyleOptionFrame& option) const;
    void DrawBorder(QPainter& dc, const platform::Rect& rect, const QStyleOptionFrame& option) const;
    // A field's edge: deep with the focus, the mouse over it, disabled or read-only.
    static void DrawRings(QPainter& dc, const platform::Rect& rect, bool deep);
    // Whether the field only shows its text.
    static bool IsReadOnly(const QWidget* widget);
    // The edge of a field of several lines.
    void DrawFrame(QPainter& dc, const QStyleOptionFrame& option, const QWidget* widget) const;

    // Watches the viewport of a field of several lines too, which it lays
    // flat while the field is disabled or read-only.
    void Attach(QWidget* window) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_viewport;
};
