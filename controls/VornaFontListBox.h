#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>

// A list of font names, each drawn in its own face, whose selection follows
// the mouse.
class VornaFontListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit VornaFontListBox(QWidget* parent = nullptr);

    static QColor selectedFill() { return QColor(0x80, 0x80, 0xFF); }
    static QColor plainFill() { return QColor(0xF6, 0xF1, 0xD9); }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

class VornaFontListBoxDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
