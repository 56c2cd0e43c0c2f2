#include "controls/VornaBitmapButton.h"

#include "controls/CBitmapEx.h"
#include "controls/ProfileString.h"
#include "controls/TransparentBlt.h"

#include <QKeyEvent>
#include <QPainter>

namespace bitmapbutton_detail {

bool usable(const QImage* picture)
{
    return picture && !picture->isNull();
}

} // namespace bitmapbutton_detail

VornaBitmapButton::VornaBitmapButton(QWidget* parent) : QPushButton(parent)
{
    // Focus never makes it the dialog's default button: Enter must not press it.
    setAutoDefault(false);
}

bool VornaBitmapButton::SetBitmaps(const QImage* normal, const QImage* selected, const QImage* focus,
                                   const QImage* disabled)
{
    m_pbmNormal = normal;
    m_pbmSelected = selected;
    m_pbmFocus = focus;
    m_pbmDisabled = disabled;
    update();
    return true;
}

bool VornaBitmapButton::LoadFromSkin(CBitmapEx* normal, CBitmapEx* selected, const QString& section,
                                     const QString& prefix, const QString& skinFolder, const QString& iniPath,
                                     CBitmapEx* disabled)
{
    const std::pair<CBitmapEx*, const char*> parts[] = {{normal, "Normal"}, {selected, "Sel"}, {disabled, "Dis"}};
    for (const auto& [bitmap, suffix] : parts) {
        if (!bitmap)
            continue;
        bitmap->Detach();
        const QString value = ReadProfileString(iniPath, section, prefix + QLatin1String(suffix), QString(), 256);
        if (!value.isEmpty() && !bitmap->LoadFromFile(skinFolder + value))
            return false;
    }
    const QImage* normalPicture = normal ? &normal->m_bitmap : nullptr;
    SetBitmaps(normalPicture, selected ? &selected->m_bitmap : nullptr, normalPicture,
               disabled ? &disabled->m_bitmap : normalPicture);
    return true;
}

void VornaBitmapButton::DrawTransparent(QPainter& dc, const QImage& bitmap, const QRect& rect,
                                        platform::ColorRef transparent)
{
    DrawTransparentBlt(dc, rect.x(), rect.y(), rect.width(), rect.height(), transparent, bitmap, 0, 0);
}

const QImage* VornaBitmapButton::currentPicture() const
{
    using bitmapbutton_detail::usable;
    if (!usable(m_pbmNormal))
        return nullptr;
    if (isDown() && usable(m_pbmSelected))
        return m_pbmSelected;
    if (hasFocus() && usable(m_pbmFocus))
        return m_pbmFocus;
    if (!isEnabled() && usable(m_pbmDisabled))
        return m_pbmDisabled;
    return m_pbmNormal;
}

bool VornaBitmapButton::showsFocusMark() const
{
    return bitmapbutton_detail::usable(m_pbmNormal) && hasFocus() && bitmapbutton_detail::usable(m_pbmFocus) &&
           width() > 28 && height() > 26;
}

void VornaBitmapButton::paintEvent(QPaintEvent* /*event*/)
{
    const QImage* picture = currentPicture();
    if (!picture)
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), *picture, QRect(0, 0, width(), height()));
    if (showsFocusMark()) {
        static const QImage mark(focusMarkPath());
        DrawTransparent(painter, mark, QRect(width() - 10, 0, 10, 8), platform::rgb(255, 255, 255));
    }
}

namespace bitmapbutton_detail {

// Keys the dialog handles whatever control has the focus.
bool isDialogKey(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace bitmapbutton_detail

void VornaBitmapButton::keyPressEvent(QKeyEvent* event)
{
    // The button takes no key itself; the dialog's keys go on to the dialog.
    if (bitmapbutton_detail::isDialogKey(event))
        event->ignore();
    else
        event->accept();
}

void VornaBitmapButton::keyReleaseEvent(QKeyEvent* event)
{
    if (bitmapbutton_detail::isDialogKey(event))
        event->ignore();
    else
        event->accept();
}
