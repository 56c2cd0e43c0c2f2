#include "controls/VornaImageButton.h"

#include "controls/CMemDC.h"
#include "controls/SkinContext.h"
#include "controls/TransparentBlt.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

VornaImageButton::VornaImageButton(QWidget* parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_Hover, true);
    setMouseTracking(true);
}

bool VornaImageButton::SetIcons(const QImage& normal, const QImage& hover, const QImage& pressed,
                                const QImage& disabled)
{
    const QSize cell = normal.size();
    const QImage given[4] = {normal, hover, pressed, disabled};
    for (int i = 0; i < 4; ++i) {
        QImage image = given[i].convertToFormat(QImage::Format_ARGB32_Premultiplied);
        if (!image.isNull() && image.size() != cell)
            image = image.scaled(cell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_pictures[size_t(i)] = image;
    }
    update();
    return true;
}

bool VornaImageButton::SetBitmap(const QString& path)
{
    const QImage strip(path);
    if (strip.isNull())
        return false;
    const QImage keyed = ApplyColorKey(strip, platform::rgb(255, 0, 255));
    const int cellWidth = keyed.width() / 4;
    for (int i = 0; i < 4; ++i)
        m_pictures[size_t(i)] = keyed.copy(i * cellWidth, 0, cellWidth, keyed.height());
    update();
    return true;
}

ImageButtonState VornaImageButton::state() const
{
    ImageButtonState s;
    s.pushed = isDown();
    s.checkedPushLike = isCheckable() && isChecked();
    s.disabled = !isEnabled();
    s.hover = m_bHover;
    s.focused = hasFocus();
    return s;
}

void VornaImageButton::Draw(QPainter& painter)
{
    const platform::Rect client(0, 0, width(), height());
    CMemDC mem(&painter, client);
    QPainter* dc = mem.painter();
    if (!dc)
        return;
    const ImageButtonState s = state();
    const SkinContext& skin = SkinContext::instance();
    if (skin.isSkinOn()) {
        if (skin.imageButtonHasTransparentColor())
            skin.fillBackground(*dc, 0, 0, width(), height(), parentWidget(), this);
        skin.drawImageButton(*dc, 0, 0, width(), height(), s.face());
    } else {
        QStyleOptionButton option;
        option.initFrom(this);
        option.features = QStyleOptionButton::None;
        if (s.pushed)
            option.state |= QStyle::State_Sunken;
        else
            option.state |= QStyle::State_Raised;
        option.state &= ~QStyle::State_HasFocus;
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, dc, this);
    }
    const QImage& picture = m_pictures[size_t(s.picture())];
    if (!picture.isNull()) {
        // Centred; a picture larger than the button is clipped on both sides.
        dc->drawImage(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2), picture);
    }
    if (!skin.isSkinOn() && s.focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = platform::Rect(3, 3, width() - 4, height() - 4).toQRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, dc, this);
    }
    mem.BlitToTarget();
}

QSize VornaImageButton::sizeHint() const
{
    if (!hasPictures())
        return QPushButton::sizeHint();
    return pictureSize() + QSize(8, 8);
}

void VornaImageButton::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    Draw(painter);
}

void VornaImageButton::enterEvent(QEnterEvent* event)
{
    setHover(true);
    QPushButton::enterEvent(event);
}

void VornaImageButton::mouseMoveEvent(QMouseEvent* event)
{
    setHover(true);
    QPushButton::mouseMoveEvent(event);
}

void VornaImageButton::leaveEvent(QEvent* event)
{
    setHover(false);
    QPushButton::leaveEvent(event);
}

void VornaImageButton::setHover(bool hover)
{
    if (m_bHover == hover)
        return;
    m_bHover = hover;
    update();
}
