#include "chrome/CMenuBar.h"
#include "chrome/CMenuButton.h"
#include "chrome/CMenuControl.h"
#include "chrome/CMenuIcon.h"
#include "chrome/MenuBarMetrics.h"
#include "controls/Draw3dRect.h"
#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStyle>

using platform::Rect;
using platform::toQColor;

namespace {

Rect toRect(const QRect& r)
{
    return Rect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

QColor sysColor(int index)
{
    return toQColor(GetSkinSysColor(index));
}

QString withoutMnemonic(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        else if (text[i] == QLatin1Char('&'))
            continue;
        out += text[i];
    }
    return out;
}

} // namespace

// --- metrics -------------------------------------------------------------

MenuBarMetrics MenuBarMetrics::FromFont(const QFont& font)
{
    MenuBarMetrics metrics;
    metrics.font = font;
    const QFontMetrics fm(font);
    metrics.fontHeight = fm.height();
    // A menu line is the text with three pixels above and below it.
    metrics.itemHeight = qMax(fm.height() + 6, 16);
    metrics.textOffset = (metrics.itemHeight - metrics.fontHeight) / 2;
    return metrics;
}

namespace {
MenuBarMetrics& currentMetrics()
{
    static MenuBarMetrics metrics = MenuBarMetrics::FromFont(QApplication::font("QMenuBar"));
    return metrics;
}
} // namespace

const MenuBarMetrics& MenuBarMetrics::Current()
{
    return currentMetrics();
}

void MenuBarMetrics::Refresh()
{
    currentMetrics() = FromFont(QApplication::font("QMenuBar"));
}

// --- CMenuItem -----------------------------------------------------------

CMenuItem::~CMenuItem() = default;

void CMenuItem::Layout(QPoint origin, bool horizontal)
{
    if (horizontal)
        m_fsState |= MISTATE_HORZ;
    else
        m_fsState &= quint8(~MISTATE_HORZ);
    if (IsHidden()) {
        m_rcItem = QRect(origin, QSize(0, 0));
        return;
    }
    m_rcItem = QRect(origin, GetSize(horizontal));
}

void CMenuItem::TrackPopup(CMenuBar*, QWidget*) {}

QSize CMenuItem::GetHorizontalSize() const
{
    return IsHidden() ? QSize(0, 0) : m_sizeHorz;
}

QSize CMenuItem::GetSize(bool horizontal) const
{
    const QSize size = GetHorizontalSize();
    return horizontal ? size : size.transposed();
}

bool CMenuItem::ModifyState(quint8 remove, quint8 add)
{
    const quint8 before = m_fsState;
    m_fsState = quint8((m_fsState & ~remove) | add);
    return before != m_fsState;
}

// --- CMenuButton ---------------------------------------------------------

bool CMenuButton::s_bWindowMenuOpened = false;

CMenuButton::CMenuButton(const QString& text, QMenu* submenu, int commandId, const MenuBarMetrics& metrics)
    : m_strBtn(text), m_hSubMenu(submenu), m_nID(submenu ? -1 : commandId), m_metrics(metrics)
{
    m_fsStyle = MISTYLE_SELECTABLE | MISTYLE_WRAPPABLE;
    m_cAccessKey = AccessKeyOf(text);
    const QFontMetrics fm(metrics.font);
    m_sizeHorz = QSize(fm.horizontalAdvance(withoutMnemonic(text)) + 10, metrics.fontHeight + 2 * metrics.textOffset);
    const int amp = text.indexOf(QLatin1Char('&'));
    if (amp >= 0 && amp + 1 < text.size()) {
        const QString before = withoutMnemonic(text.left(amp));
        m_ptLineFrom = QPoint(metrics.textOffset, fm.horizontalAdvance(before) + 5);
        m_ptLineTo = QPoint(metrics.textOffset, fm.horizontalAdvance(before + text[amp + 1]) + 5);
    }
}

QChar CMenuButton::AccessKeyOf(const QString& text)
{
    const int amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0)
        return text.isEmpty() ? QChar() : text[0];
    return amp + 1 < text.size() ? text[amp + 1] : QChar();
}

void CMenuButton::Draw(QPainter& painter)
{
    if (IsHidden())
        return;
    const QRect rect = m_rcItem;
    FillSkinBackgroundXY(painter, rect.x(), rect.y(), rect.width(), rect.height(), nullptr, nullptr);
    QPoint shift(0, 0);
    if (m_fsState & MISTATE_HOT) {
        Draw3dRect(painter, toRect(rect), GetSkinSysColor(COLOR_BTNHIGHLIGHT), GetSkinSysColor(COLOR_BTNSHADOW));
    } else if (m_fsState & MISTATE_PRESSED) {
        Draw3dRect(painter, toRect(rect), GetSkinSysColor(COLOR_BTNSHADOW), GetSkinSysColor(COLOR_BTNHIGHLIGHT));
        shift = QPoint(1, 1);
    }
    const QColor color = sysColor((m_fsState & MISTATE_INACTIVE) ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
    painter.save();
    painter.setFont(m_metrics.font);
    painter.setPen(color);
    if (IsHorizontal()) {
        painter.drawText(rect.translated(shift), Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, m_strBtn);
    } else {
        // Running downwards with the tops of the letters to the right; the
        // access key is underlined by hand.
        const QFontMetrics fm(m_metrics.font);
        painter.translate(rect.left() + rect.width() - m_metrics.textOffset + shift.x(), rect.top() + shift.y());
        painter.rotate(90);
        painter.drawText(QPoint(5, fm.ascent()), withoutMnemonic(m_strBtn));
        if (m_ptLineTo != m_ptLineFrom)
            painter.fillRect(QRect(m_ptLineFrom.y(), fm.ascent() + 1, m_ptLineTo.y() - m_ptLineFrom.y(), 1), color);
    }
    painter.restore();
}

void CMenuButton::TrackPopup(CMenuBar* bar, QWidget*)
{
    if (!m_hSubMenu) {
        bar->SendCommand(m_nID);
        return;
    }
    const QRect screen = bar->ItemScreenRect(*this);
    const QPoint at =
        IsHorizontal() ? QPoint(screen.left() - 1, screen.bottom() + 1) : QPoint(screen.right() + 2, screen.top() - 1);
    s_bWindowMenuOpened = m_hSubMenu == bar->windowMenu();
    bar->ExecPopup(m_hSubMenu, at);
}

// --- CMenuIcon -----------------------------------------------------------

CMenuIcon::CMenuIcon(CMenuBar* bar) : m_pMenuBar(bar)
{
    m_fsStyle = MISTYLE_SELECTABLE;
    m_fsState |= MISTATE_HIDDEN;
    m_sizeHorz = QSize(16, 16);
    m_hIconWinLogo = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
}

void CMenuIcon::Draw(QPainter& painter)
{
    if (IsHidden())
        return;
    QIcon icon = m_hIconWinLogo;
    if (QMdiSubWindow* child = m_pMenuBar->activeChild()) {
        if (!child->windowIcon().isNull())
            icon = child->windowIcon();
    }
    painter.drawPixmap(m_rcItem.topLeft(), icon.pixmap(QSize(16, 16)));
}

void CMenuIcon::OnActivateChildWnd()
{
    ModifyState(MISTATE_HIDDEN, m_pMenuBar->IsMaximizedChild() ? 0 : MISTATE_HIDDEN);
}

// --- CMenuControl --------------------------------------------------------

CMenuControl::CMenuControl(CMenuBar* bar) : m_pMenuBar(bar)
{
    m_fsState |= MISTATE_HIDDEN;
    UpdateSize();
}

QSize CMenuControl::CaptionButtonSize(int menuLineHeight, int borderWidth)
{
    return QSize(menuLineHeight - 2 * borderWidth, menuLineHeight - 4 * borderWidth);
}

void CMenuControl::UpdateSize()
{
    const QSize button = CaptionButtonSize(MenuBarMetrics::Current().itemHeight, 1);
    m_sizeHorz = QSize(3 * button.width() + 3, button.height() + 2);
}

void CMenuControl::DelayLayoutAndDraw(QPoint anchor, bool horizontal)
{
    const QSize button = CaptionButtonSize(MenuBarMetrics::Current().itemHeight, 1);
    if (horizontal) {
        const int top = anchor.y() - m_sizeHorz.height() + 1;
        m_arrCaption[Close] = QRect(QPoint(anchor.x() - button.width() + 1, top), button);
        m_arrCaption[Restore] = m_arrCaption[Close].translated(-button.width() - 2, 0);
        m_arrCaption[Minimize] = m_arrCaption[Restore].translated(-button.width(), 0);
    } else {
        const int left = anchor.x() - button.width() + 1;
        m_arrCaption[Close] = QRect(QPoint(left, anchor.y() - button.height() + 1), button);
        m_arrCaption[Restore] = m_arrCaption[Close].translated(0, -button.height() - 2);
        m_arrCaption[Minimize] = m_arrCaption[Restore].translated(0, -button.height());
    }
}

namespace {

void drawCaptionGlyph(QPainter& painter, const QRect& r, int button, const QColor& color)
{
    const int cx = r.center().x();
    const int cy = r.center().y();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(color);
    switch (button) {
    case CMenuControl::Close:
        for (int i = -3; i <= 3; ++i) {
            painter.drawLine(cx + i, cy + i, cx + i + 1, cy + i);
            painter.drawLine(cx + i, cy - i, cx + i + 1, cy - i);
        }
        break;
    case CMenuControl::Restore:
        painter.drawRect(cx - 1, cy - 4, 5, 4);
        painter.drawLine(cx - 1, cy - 3, cx + 4, cy - 3);
        painter.fillRect(QRect(cx - 4, cy - 1, 6, 5), painter.background());
        painter.drawRect(cx - 4, cy - 1, 5, 4);
        painter.drawLine(cx - 4, cy, cx + 1, cy);
        break;
    default:
        painter.fillRect(QRect(cx - 3, cy + 2, 6, 2), color);
        break;
    }
    painter.restore();
}

} // namespace

void CMenuControl::DrawControl(QPainter& painter)
{
    if (IsHidden())
        return;
    for (int i = 0; i < 3; ++i) {
        const QRect r = m_arrCaption[size_t(i)];
        const bool pressed = m_bDown && m_nTracking == i;
        painter.fillRect(r, sysColor(COLOR_BTNFACE));
        Rect edge = toRect(r);
        if (pressed) {
            Draw3dRect(painter, edge, GetSkinSysColor(COLOR_3DDKSHADOW), GetSkinSysColor(COLOR_BTNHIGHLIGHT));
            edge = ShrunkRect(edge, 1);
            Draw3dRect(painter, edge, GetSkinSysColor(COLOR_BTNSHADOW), GetSkinSysColor(COLOR_3DLIGHT));
        } else {
            Draw3dRect(painter, edge, GetSkinSysColor(COLOR_3DLIGHT), GetSkinSysColor(COLOR_3DDKSHADOW));
            edge = ShrunkRect(edge, 1);
            Draw3dRect(painter, edge, GetSkinSysColor(COLOR_BTNHIGHLIGHT), GetSkinSysColor(COLOR_BTNSHADOW));
        }
        painter.setBackground(sysColor(COLOR_BTNFACE));
        drawCaptionGlyph(painter, r.translated(pressed ? 1 : 0, pressed ? 1 : 0), i, sysColor(COLOR_BTNTEXT));
    }
}

void CMenuControl::OnActivateChildWnd()
{
    ModifyState(MISTATE_HIDDEN, m_pMenuBar->IsMaximizedChild() ? 0 : MISTATE_HIDDEN);
}

int CMenuControl::HitTest(QPoint point) const
{
    if (IsHidden())
        return -1;
    for (int i = 0; i < 3; ++i) {
        if (m_arrCaption[size_t(i)].contains(point))
            return i;
    }
    return -1;
}

bool CMenuControl::OnMouseMsg(QEvent::Type type, QPoint point)
{
    if (IsHidden())
        return false;
    const int hit = HitTest(point);
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (hit < 0)
            return false;
        m_nTracking = hit;
        m_bDown = true;
        m_pMenuBar->Repaint();
        return true;
    case QEvent::MouseMove:
        if (m_nTracking < 0)
            return false;
        if (m_bDown != (hit == m_nTracking)) {
            m_bDown = hit == m_nTracking;
            m_pMenuBar->Repaint();
        }
        return true;
    case QEvent::MouseButtonRelease: {
        if (m_nTracking < 0)
            return false;
        const int button = m_nTracking;
        m_nTracking = -1;
        m_bDown = false;
        m_pMenuBar->Repaint();
        QMdiSubWindow* child = m_pMenuBar->activeChild();
        if (hit == button && child) {
            // Posted, as a system command would be: the page may close at once.
            QMetaObject::invokeMethod(
                child,
                [child, button] {
                    if (button == Close)
                        child->close();
                    else if (button == Restore)
                        child->showNormal();
                    else
                        child->showMinimized();
                },
                Qt::QueuedConnection);
        }
        return true;
    }
    default:
        return false;
    }
}
