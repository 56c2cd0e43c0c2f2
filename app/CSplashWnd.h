#pragma once

#include <QPixmap>
#include <QWidget>

// The splash window shown while the main frame is made: the product's
// picture, centred, gone after 750 ms.
class CSplashWnd : public QWidget
{
    Q_OBJECT
public:
    ~CSplashWnd() override;

    static void EnableSplashScreen(bool enable);
    // Shows the splash window when splashes are enabled and none is shown.
    static void ShowSplashScreen(QWidget* parent);
    // The splash window on screen, or null.
    static CSplashWnd* current();

    // Ends the splash window (its timer's work).
    void HideSplashScreen();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    explicit CSplashWnd(QWidget* parent);
    static QPixmap picture();

    QPixmap m_bitmap;
    int m_timer = 0;
};
