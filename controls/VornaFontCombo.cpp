#include "controls/VornaFontCombo.h"

#include "controls/CVornaTip.h"
#include "controls/FontFaces.h"

#include <QAbstractItemView>
#include <QCollator>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

VornaFontCombo::VornaFontCombo(QWidget* parent) : VornaComboEx(parent), m_tip(new CVornaTip(this))
{
    setItemDelegate(new VornaFontComboDelegate(this));
    setMaxVisibleItems(16);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &VornaFontCombo::OnTimer);
    // After the base's handling has put the choice on top of the recent
    // section (which moves the chosen entry down by one): the current text.
    connect(this, &QComboBox::activated, this, [this](int index) {
        ValidateText();
        if (index >= 0)
            MoveToRecent(currentText());
    });
}

VornaFontCombo::~VornaFontCombo() = default;

void VornaFontCombo::AdjustDropWidth()
{
    AdjustDropWidth(FontList());
}

void VornaFontCombo::AdjustDropWidth(const QStringList& faces)
{
    for (const QString& face : faces) {
        if (!face.startsWith(u'@'))
            m_mapFonts.try_emplace(face, 1);
    }
    QStringList sorted;
    sorted.reserve(qsizetype(m_mapFonts.size()));
    for (const auto& [face, record] : m_mapFonts)
        sorted.append(face);
    QCollator collator;
    std::sort(sorted.begin(), sorted.end(), collator);

    auto* delegate = static_cast<VornaFontComboDelegate*>(itemDelegate());
    int widest = view()->minimumWidth();
    const QString keep = currentText();
    clear();
    for (const QString& face : sorted) {
        addFixedItem(face);
        widest = std::max(widest, QFontMetrics(delegate->fontOf(face)).horizontalAdvance(face));
    }
    setCurrentIndex(-1);
    if (isEditable())
        setEditText(keep);
    view()->setMinimumWidth(widest + VornaComboExDelegate::kTextMargin + 25);
    m_timer.start();
}

void VornaFontCombo::MoveToRecent(const QString& face)
{
    auto found = m_mapFonts.find(face);
    if (found == m_mapFonts.end())
        return;
    AddRecentItem(face);
    for (auto& [name, record] : m_mapFonts)
        record.m_bRecent = false;
    for (int i = 0; i < count() && isRecent(i); ++i) {
        if (auto recent = m_mapFonts.find(itemText(i)); recent != m_mapFonts.end())
            recent->second.m_bRecent = true;
    }
}

bool VornaFontCombo::isRecentFace(const QString& face) const
{
    const auto found = m_mapFonts.find(face);
    return found != m_mapFonts.end() && found->second.m_bRecent;
}

bool VornaFontCombo::ValidateText()
{
    if (!isEditable())
        return true;
    const QString text = currentText();
    if (currentIndex() >= 0 && itemText(currentIndex()) == text)
        return true;
    if (findText(text, Qt::MatchStartsWith) >= 0)
        return true;
    setEditText(m_strSaved);
    return false;
}

void VornaFontCombo::OnTimer()
{
    QAbstractItemView* list = view();
    if (!list->isVisible())
        return;
    // Only a highlighted face is named (an open list without a face chosen
    // highlights nothing until the mouse or a key moves on it).
    const QModelIndex current = list->currentIndex();
    if (!current.isValid() || !list->selectionModel()->isSelected(current))
        return;
    const QWidget* popup = list->window();
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    const int rowsDown = current.row() - (top.isValid() ? top.row() : 0) + 1;
    const QRect frame = popup->frameGeometry();
    m_tip->Show(frame.right() + 1 + 5, frame.top() + kItemHeight * rowsDown, current.data().toString());
}

void VornaFontCombo::hidePopup()
{
    VornaComboEx::hidePopup();
    m_tip->hide();
}

bool VornaFontCombo::eventFilter(QObject* watched, QEvent* event)
{
    // Typing opened the list: what is typed still goes to the edit field.
    QLineEdit* edit = lineEdit();
    if (edit && watched == view() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint();
        if (typed || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            QCoreApplication::sendEvent(edit, event);
            return true;
        }
    }
    return VornaComboEx::eventFilter(watched, event);
}

void VornaFontCombo::focusInEvent(QFocusEvent* event)
{
    // Coming back from the open list is no new visit: the text the box had
    // when the user came to it stays the one to put back.
    if (event->reason() != Qt::PopupFocusReason)
        m_strSaved = currentText();
    VornaComboEx::focusInEvent(event);
}

void VornaFontCombo::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason)
        ValidateText();
    VornaComboEx::focusOutEvent(event);
}

QFont VornaFontCombo::FontOfCellHeight(const QString& face, int cellHeight)
{
    QFont font;
    font.setFamilies({face});
    font.setWeight(QFont::Normal);
    // The em is about five sixths of the cell (ascent plus descent).
    font.setPixelSize(std::max(1, cellHeight * 5 / 6));
    return font;
}

const QFont& VornaFontComboDelegate::fontOf(const QString& face) const
{
    auto found = m_fonts.find(face);
    if (found == m_fonts.end())
        found = m_fonts.insert(face, VornaFontCombo::FontOfCellHeight(face, VornaFontCombo::kCellHeight));
    return *found;
}

void VornaFontComboDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QStyleOptionViewItem own(option);
    own.font = fontOf(index.data(Qt::DisplayRole).toString());
    VornaComboExDelegate::paint(painter, own, index);
}

QSize VornaFontComboDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QSize(VornaComboExDelegate::sizeHint(option, index).width(), VornaFontCombo::kItemHeight);
}
