#pragma once

#include <QImage>
#include <QPushButton>
#include <QString>

#include "platform/ColorRef.h"

class CBitmapEx;

// The push button of the skinned palette dialogs: its whole face is a picture of
// the active skin, one per state (normal, pressed, disabled), read from the
// skin's INI file. A focused button larger than 28 x 26 shows a small mark in its
// top-right corner. The keyboard cannot press it; Escape and Enter still reach
// the dialog (Cancel and its default button).
class VornaBitmapButton : public QPushButton
{
    Q_OBJECT
public:
    explicit VornaBitmapButton(QWidget* parent = nullptr);

    // The pictures belong to their owner (CBitmapEx objects of the dialog) and
    // must outlive the button's use of them. Always true.
    bool SetBitmaps(const QImage* normal, const QImage* selected, const QImage* focus, const QImage* disabled);
    // Loads prefix + "Normal", prefix + "Sel" and, with a disabled object, prefix +
    // "Dis" from the section of the INI file (files in skinFolder) and sets them;
    // the focus picture is the normal one, and so is the disabled one without a
    // disabled object. A picture that does not load stops the loading: the button
    // keeps its pictures, the failed object stays empty. False then.
    bool LoadFromSkin(CBitmapEx* normal, CBitmapEx* selected, const QString& section, const QString& prefix,
                      const QString& skinFolder, const QString& iniPath, CBitmapEx* disabled = nullptr);

    // Draws the picture at the rectangle's top left, as large as the rectangle,
    // leaving out the transparent colour.
    static void DrawTransparent(QPainter& dc, const QImage& bitmap, const QRect& rect, platform::ColorRef transparent);

    // The picture the button shows now, or null.
    const QImage* currentPicture() const;
    // Whether the focus mark is drawn now.
    bool showsFocusMark() const;

    static QString focusMarkPath() { return QStringLiteral(":/res/controls/focus-mark.png"); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    const QImage* m_pbmNormal = nullptr;
    const QImage* m_pbmSelected = nullptr;
    const QImage* m_pbmFocus = nullptr;
    const QImage* m_pbmDisabled = nullptr;
};
