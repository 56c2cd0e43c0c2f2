#pragma once

#include <QPointer>
#include <QTabBar>

// The view tabs of a page window: a vertical strip of three tabs at the
// frame's left, "編集", "ソース" and "プレビュー". A click on another tab asks
// the frame to switch to that view: the frame gets message WM_USER + 100
// with the tab's code, 1000 to 1002. A click on the shown tab sends nothing.
//
// Least body until the tabs are drawn in the frame's border as the skin
// draws them: a Qt tab bar placed by the frame.
class VornaChildFrmTabCtrl : public QTabBar
{
    Q_OBJECT
public:
    static constexpr uint kViewTabMessage = 0x464;
    static constexpr int kFirstTabCode = 1000;

    explicit VornaChildFrmTabCtrl(QWidget* parent = nullptr);
    ~VornaChildFrmTabCtrl() override;

    // Sends the frame the tab messages. False without a frame.
    bool Install(QWidget* frame);
    // A view of the frame (the border it draws comes with the skin). False
    // for none.
    bool AddView(QWidget* view);
    // The pressed tab: 0 edit, 1 source, 2 preview. Setting it sends nothing.
    int GetCurTab() const { return currentIndex(); }
    void SetCurTab(int tab);

private:
    QPointer<QWidget> m_frame;
    bool m_bSetting = false;
};
