#pragma once

#include "chrome/ULOToolBar.h"

#include <QColor>
#include <QRect>
#include <functional>

// The format toolbar: the font-colour and background-colour buttons show
// their colour in a bar under the picture, and their arrows open the colour
// chooser of the character formatting.
class ULOToolBarFormat : public ULOToolBar
{
    Q_OBJECT
public:
    static constexpr int kFontColor = 32933;
    static constexpr int kBackColor = 32934;

    using ULOToolBar::ULOToolBar;
    bool SetupDropDowns() override;

    // The button's rectangle in screen coordinates; empty when the bar has no such button.
    QRect ButtonScreenRect(int id) const;
    // The colour shown in the bar of a colour button (none: no bar).
    void SetBarColor(int id, const QColor& color);
    // Where the bars read their colours from when they paint (the main
    // frame's current colours); without one, the colours set last.
    void SetColorSource(std::function<QColor(int id)> source) { m_colorSource = std::move(source); }
    QColor barColor(int id) const
    {
        if (m_colorSource)
            return m_colorSource(id);
        return id == kFontColor ? m_fontColor : m_backColor;
    }
    // The bar under the picture of a button of that rectangle (pressed: moved by one pixel).
    static QRect colorBarRect(const QRect& button, bool pressed);

signals:
    // The arrow of a colour button was pressed.
    void colorDropDown(int id, const QRect& screenRect);

protected:
    void OnColorDropDown(int index) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintBar(QWidget* button, int id);
    std::function<QColor(int id)> m_colorSource;
    QColor m_fontColor;
    QColor m_backColor;
};
