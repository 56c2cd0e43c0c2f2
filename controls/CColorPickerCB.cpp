#include "controls/CColorPickerCB.h"

#include "controls/CColorPopup.h"
#include "controls/Draw3dRect.h"
#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "controls/SkinContext.h"
#include "util/StringResources.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTimer>

using platform::ColorRef;
using platform::Rect;

CColorPickerCB::CColorPickerCB(QWidget* parent) : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

QString CColorPickerCB::GetColorString() const
{
    if (m_color == kColorNone)
        return {};
    const ColorRef c = m_color == kColorDefault ? m_defaultColor : m_color;
    return QStringLiteral("#%1%2%3")
        .arg(platform::redOf(c), 2, 16, QLatin1Char('0'))
        .arg(platform::greenOf(c), 2, 16, QLatin1Char('0'))
        .arg(platform::blueOf(c), 2, 16, QLatin1Char('0'));
}

int CColorPickerCB::GetDlgCtrlID() const
{
    const QString name = objectName();
    if (!name.startsWith(QLatin1String("id_")))
        return 0;
    return name.mid(3).toInt();
}

void CColorPickerCB::ShowPopup()
{
    if (m_popupOpen)
        return;
    m_popupOpen = true;
    const QPoint bottomLeft = mapToGlobal(QPoint(0, height()));
    const ColorRef before = m_color;
    CColorPopup popup(bottomLeft.x(), bottomLeft.y(), width(), m_color, m_defaultColor, this);
    connect(&popup, &CColorPopup::hoverColorChanged, this, [this](ColorRef color) {
        m_color = color;
        update();
        emit selectionChanged(m_color, GetDlgCtrlID());
    });
    const int result = popup.DoModal();
    m_popupOpen = false;
    m_color = result == platform::IDOK ? popup.GetColor() : before;
    update();
    emit popupClosed(m_color, GetDlgCtrlID());
    if (result == platform::IDOK)
        emit colorChosen(m_color, GetDlgCtrlID());
    else
        emit choiceCancelled(m_color, GetDlgCtrlID());
}

void CColorPickerCB::DrawItem(QPainter& dc, const QRect& itemRect) const
{
    const Rect r = Rect::fromQRect(itemRect);
    dc.fillRect(itemRect, platform::toQColor(SkinContext::instance().sysColor(COLOR_BTNFACE)));
    if (m_color == kColorNone)
        return;
    const ColorRef shadow = SkinContext::instance().sysColor(COLOR_BTNSHADOW);
    if (m_color == kColorDefault) {
        const int top = r.top + (r.height() - 18) / 2;
        const Rect swatch = ShrunkRect(Rect(r.left + 3, top, r.left + 21, top + 18), 3);
        FillOutlinedRect(dc, swatch, m_defaultColor, shadow);
        dc.setPen(Qt::black);
        dc.setFont(font());
        const QRect text(swatch.right + 8, r.top, std::max(0, r.right - swatch.right - 8), r.height());
        dc.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    LoadResString(IDS_COLOR_PICKER_DEFAULT));
        return;
    }
    const Rect outer = ShrunkRect(r, 2);
    const ColorRef highlight = SkinContext::instance().sysColor(COLOR_BTNHIGHLIGHT);
    Draw3dRect(dc, outer, highlight, highlight);
    FillOutlinedRect(dc, ShrunkRect(outer, 1), m_color, shadow);
}

void CColorPickerCB::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(painter, field);
}

void CColorPickerCB::mousePressEvent(QMouseEvent* event)
{
    // The list never drops: the palette opens instead.
    if (event->button() == Qt::LeftButton) {
        ShowPopup();
        return;
    }
    QWidget::mousePressEvent(event);
}

void CColorPickerCB::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        ShowPopup();
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void CColorPickerCB::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    // Tabbing into the field opens the palette; the focus coming back from the
    // popup, or a click (which opens it itself), does not.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                ShowPopup();
        });
}
