#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>

// The grid of the symbol palette: single characters in 20 x 18 cells that
// flow top to bottom into columns scrolled sideways. Each item's character is
// its UserRole data (one UTF-16 code unit), drawn at (5, 5) in the face
// m_strFace (the widget's own font while it is empty); the item texts are
// never drawn. The selected item keeps its fill and focus frame while the
// focus is elsewhere.
class VornaSymbolList : public QListWidget
{
    Q_OBJECT
public:
    static constexpr int kCodeRole = Qt::UserRole;
    static constexpr int kColumnWidth = 20;
    static constexpr int kItemHeight = 18;
    static constexpr int kCellHeight = 12;

    explicit VornaSymbolList(QWidget* parent = nullptr);

    // Appends an item for the code unit (an unusable one draws an empty cell).
    void addSymbol(const QString& glyph);
    // Sets the face to draw in and redraws.
    void setFace(const QString& face);

    QString m_strFace;
};

class VornaSymbolListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit VornaSymbolListDelegate(VornaSymbolList* list) : QStyledItemDelegate(list), m_list(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QColor selectedFill() { return QColor(0xFF, 0xFB, 0xF0); }

private:
    VornaSymbolList* m_list;
};
