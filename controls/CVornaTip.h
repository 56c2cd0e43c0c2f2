#pragma once

#include <QString>
#include <QWidget>

// A bordered tip window that shows one line of text at a screen position, on the
// tooltip background, without taking the focus. The font combo shows the name
// of the highlighted font in one.
class CVornaTip : public QWidget
{
    Q_OBJECT
public:
    explicit CVornaTip(QWidget* parent = nullptr);

    // Shows the text at (x, y) in screen coordinates, sized to the text plus 4
    // pixels each way. False when the same text is already on show.
    bool Show(int x, int y, const QString& text);
    const QString& text() const { return m_strText; }

    // The window size for a text of the given size.
    static QSize sizeForText(QSize textSize) { return textSize + QSize(4, 4); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strText;
};
