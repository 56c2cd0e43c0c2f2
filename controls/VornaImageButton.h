#pragma once

#include "controls/ImageButtonState.h"

#include <QImage>
#include <QPushButton>

#include <array>

// The program's picture button: one of four state pictures (normal, hover,
// pressed, disabled) centred on a push-button face, or on the skin's button face
// while a skin is on. The text is never drawn; only the pictures carry meaning.
class VornaImageButton : public QPushButton
{
    Q_OBJECT
public:
    explicit VornaImageButton(QWidget* parent = nullptr);

    // Four pictures in the order normal, hover, pressed, disabled, all shown in
    // the first one's size. Always true.
    bool SetIcons(const QImage& normal, const QImage& hover, const QImage& pressed, const QImage& disabled);
    // One picture cut into four equal columns, left to right normal, hover,
    // pressed, disabled; magenta (255, 0, 255) is transparent. False, keeping the
    // pictures held, when the file does not load.
    bool SetBitmap(const QString& path);

    bool hasPictures() const { return !m_pictures[0].isNull(); }
    QSize pictureSize() const { return m_pictures[0].size(); }
    const QImage& picture(int index) const { return m_pictures[size_t(index)]; }
    bool isHover() const { return m_bHover; }
    ImageButtonState state() const;

    // Paints the whole button onto the painter, in the button's own coordinates.
    void Draw(QPainter& painter);

    // The picture with room for the face's edges.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHover(bool hover);

    std::array<QImage, 4> m_pictures;
    bool m_bHover = false;
};
