#include "chrome/CoolDialogBarPart.h"

#include "chrome/CCoolDialogBar.h"
#include "skins/ASMMiniDockFrameBand.h"

#include <QLayout>
#include <QPainter>

CoolDialogBarPart::CoolDialogBarPart(CCoolDialogBar* bar, Role role) : QWidget(bar), m_bar(bar), m_role(role)
{
    setAttribute(Qt::WA_Hover);
    setObjectName(role == Role::Caption ? QStringLiteral("barCaption") : QStringLiteral("barClient"));
}

QSize CoolDialogBarPart::sizeHint() const
{
    if (m_role == Role::Caption) {
        // Afloat under a skin, the band lies over the skin's caption.
        const int skinned = m_bar ? SkinFloatingCaptionHeight(m_bar) : 0;
        return QSize(coolbar::kGripperWidth, skinned > 0 ? skinned : coolbar::kGripperWidth);
    }
    return QWidget::sizeHint();
}

QSize CoolDialogBarPart::minimumSizeHint() const
{
    // Narrow enough for the strip of a rolled-up bar.
    if (m_role == Role::Caption)
        return QSize(0, 0);
    return m_bar && m_bar->IsShrunk() ? QSize(0, 0) : QWidget::minimumSizeHint();
}

bool CoolDialogBarPart::event(QEvent* event)
{
    if (m_bar && m_bar->MousePart(this, event))
        return true;
    return QWidget::event(event);
}

void CoolDialogBarPart::paintEvent(QPaintEvent*)
{
    if (!m_bar)
        return;
    QPainter dc(this);
    m_bar->PaintPart(dc, this);
}
