#include "controls/VornaComboEx.h"

#include "controls/SkinContext.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

VornaComboEx::VornaComboEx(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new VornaComboExDelegate(this));
    connect(this, &QComboBox::activated, this, &VornaComboEx::OnSelEndOk);
    // Only what the user types opens the list: a choice that puts its text
    // in the field leaves the field unmodified and the list closed.
    connect(this, &QComboBox::editTextChanged, this, [this] {
        if (isEditable() && hasFocus() && lineEdit()->isModified())
            OnEditChange();
    });
}

void VornaComboEx::addFixedItem(const QString& text)
{
    addItem(text, 0);
}

bool VornaComboEx::isRecent(int index) const
{
    return itemData(index, kRecentRole).toInt() == 1;
}

int VornaComboEx::GetItemNumber(int index) const
{
    return ParseItemNumber(itemText(index));
}

int VornaComboEx::ParseItemNumber(const QString& text)
{
    const qsizetype bracket = text.indexOf(u'(');
    if (bracket < 0)
        return 0;
    // As the C library reads a number: leading blanks, a sign, digits.
    const QString head = text.left(bracket);
    qsizetype i = 0;
    while (i < head.size() && (head[i] == u' ' || head[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < head.size() && (head[i] == u'+' || head[i] == u'-'))
        negative = head[i++] == u'-';
    qint64 value = 0;
    for (; i < head.size() && head[i] >= u'0' && head[i] <= u'9' && value <= INT_MAX; ++i)
        value = value * 10 + (head[i].unicode() - u'0');
    value = std::min<qint64>(value, INT_MAX);
    return int(negative ? -value : value);
}

void VornaComboEx::AddRecentItem(const QString& text)
{
    for (int i = 0; i < kMaxRecent && i < count(); ++i) {
        if (!isRecent(i))
            break;
        if (itemText(i) == text)
            return;
    }
    insertItem(0, text, 1);
    if (count() > kMaxRecent && isRecent(kMaxRecent) && !itemText(kMaxRecent).isEmpty())
        removeItem(kMaxRecent);
}

void VornaComboEx::SyncEditText()
{
    if (currentIndex() >= 0 || !isEditable())
        return;
    const QString text = currentText();
    if (findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        setEditText(text);
}

void VornaComboEx::showPopup()
{
    QComboBox::showPopup();
    // Installed last, the filter sees the list's keys before the combo's own handling.
    view()->removeEventFilter(this);
    view()->installEventFilter(this);
}

void VornaComboEx::OnSelEndOk(int index)
{
    SyncEditText();
    AddRecentItem(index >= 0 ? itemText(index) : QString());
}

void VornaComboEx::OnEditChange()
{
    if (!view()->isVisible())
        showPopup();
}

bool VornaComboEx::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == view() &&
        (type == QEvent::ShortcutOverride || type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Enter on the open list acts as Escape: the list closes, nothing is chosen.
            QKeyEvent escape(type, Qt::Key_Escape, key->modifiers());
            QCoreApplication::sendEvent(view(), &escape);
            return true;
        }
    }
    return QComboBox::eventFilter(watched, event);
}

void VornaComboEx::inputMethodEvent(QInputMethodEvent* event)
{
    m_ime.observe(*event);
    QComboBox::inputMethodEvent(event);
}

void VornaComboEx::focusOutEvent(QFocusEvent* event)
{
    if (QLineEdit* edit = lineEdit())
        m_ime.complete(*edit);
    QComboBox::focusOutEvent(event);
}

void VornaComboExDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool recent = index.data(VornaComboEx::kRecentRole).toInt() == 1;
    QColor background = option.palette.color(QPalette::Base);
    QColor text = option.palette.color(QPalette::Text);
    if (option.state & QStyle::State_Selected) {
        background = option.palette.color(QPalette::Highlight);
        text = option.palette.color(QPalette::HighlightedText);
    } else if (!(option.state & QStyle::State_Enabled)) {
        background = platform::toQColor(SkinContext::instance().sysColor(COLOR_BTNSHADOW));
        text = platform::toQColor(SkinContext::instance().sysColor(COLOR_BTNHIGHLIGHT));
    } else if (recent) {
        background = VornaComboExDelegate::recentBackground();
    }
    painter->save();
    const QRect rect = option.rect;
    painter->fillRect(rect, background);
    painter->setFont(option.font);
    painter->setPen(text);
    painter->drawText(rect.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    const QModelIndex next = index.sibling(index.row() + 1, index.column());
    if (recent && next.isValid() && next.data(VornaComboEx::kRecentRole).toInt() != 1) {
        // The divider under the last recent entry.
        painter->setPen(option.palette.color(QPalette::Text));
        painter->drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    }
    painter->restore();
}
