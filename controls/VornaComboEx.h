#pragma once

#include "controls/ImeComposition.h"

#include <QComboBox>
#include <QStyledItemDelegate>

// A combo box with the recently chosen entries at the top of its list: up to six
// copies of entries the user chose, newest first, on a pale cream background and
// divided from the owner's fixed entries by a line. The font-size box of the
// main frame is one ("1(8pt)" ... "7(36pt)"); GetItemNumber reads the number.
//
// Each entry carries in Qt::UserRole 1 for a recent copy and 0 (or nothing) for
// a fixed entry. Enter on the open list closes it as Escape does.
class VornaComboEx : public QComboBox
{
    Q_OBJECT
public:
    static constexpr int kRecentRole = Qt::UserRole;
    static constexpr int kMaxRecent = 6;

    explicit VornaComboEx(QWidget* parent = nullptr);

    // Adds a fixed entry (item data 0).
    void addFixedItem(const QString& text);
    bool isRecent(int index) const;
    // The number an entry's text starts with before its "(", 0 without one.
    int GetItemNumber(int index) const;
    // The number of a text as GetItemNumber reads it.
    static int ParseItemNumber(const QString& text);

    // Puts a copy of the text on top of the recent entries unless one is there,
    // and lets the oldest fall off beyond six.
    void AddRecentItem(const QString& text);
    // An editable box whose text matches no entry gets its own text written back.
    void SyncEditText();

    void showPopup() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnSelEndOk(int index);
    void OnEditChange();

    ImeComposition m_ime;
};

// Paints the entries of a VornaComboEx: state colours, the recent entries'
// background, a 17-pixel text margin and the divider under the last recent entry.
class VornaComboExDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static constexpr int kTextMargin = 17;
    static QColor recentBackground() { return QColor(255, 251, 238); }
};
