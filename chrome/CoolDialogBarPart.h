#pragma once

#include <QWidget>

class CCoolDialogBar;

// One of the two parts of a rolling dialog bar: the caption band, or the
// client that holds the dialog (and shows the unroll strip while the bar is
// rolled up). The bar paints both and answers their mouse.
class CoolDialogBarPart : public QWidget
{
    Q_OBJECT
public:
    enum class Role { Caption, Client };

    CoolDialogBarPart(CCoolDialogBar* bar, Role role);

    Role role() const { return m_role; }
    // The bar is going: the part asks nothing more of it.
    void ForgetBar() { m_bar = nullptr; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CCoolDialogBar* m_bar;
    Role m_role;
};
