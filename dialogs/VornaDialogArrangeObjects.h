#pragma once

#include "controls/CBitmapEx.h"

#include <QDialog>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <array>
#include <memory>

class CVornaToolTipCtrl;
class QLabel;
class QRubberBand;
class VornaBitmapButton;

// The arrange palette (498): a small borderless floating window of eight
// picture buttons that align or space the selected positioned objects of the
// page, as the align and distribute commands do, and a close button (1317).
// It never takes the activation from the main window and is moved by
// dragging its body, with its outline following the mouse. Its look comes
// from the section "DIALOGSKIN_ARRANGE" of the active skin; without a skin
// its buttons show the commands' toolbar pictures.
class VornaDialogArrangeObjects : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 498;
    static constexpr int kCloseId = 1317;
    static constexpr int kBackgroundId = 1220;

    // One button of the palette.
    struct ButtonSpec
    {
        int id;           // the control id, also the command id
        const char* text; // the face's text where no picture is found
        int tipId;        // the tooltip's string id, 0 for none
        const char* key;  // the skin key prefix
        bool spacing;     // a spacing button (has a disabled picture)
    };
    static const std::array<ButtonSpec, 9> kButtons;

    explicit VornaDialogArrangeObjects(QWidget* parent = nullptr);
    ~VornaDialogArrangeObjects() override;

    // The active skin (its root folder and name) the palette's look is read
    // from; takes effect at the next OnInitDialog.
    void SetSkin(const QString& rootFolder, const QString& name);
    // Reads the skin (region, background, pictures) and sets up the tooltips.
    void OnInitDialog();
    // The command of a button run on the page (align or distribute), then the
    // main window active again; 1317 closes the palette.
    void OnButton(int id);

    // The palette's button of a control id, or null.
    VornaBitmapButton* button(int id) const;
    const QRegion& windowRegion() const { return m_rgnWindow; }

    QString m_strSection = QStringLiteral("DIALOGSKIN_ARRANGE");
    QString m_strSkinRoot;
    QString m_strSkinName;
    QString m_strSkinFolder;
    QString m_strSkinIni;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void LoadRegion();
    void LoadPictures();
    void SetToolbarPictures(int index);
    void ShowOutline(const QPoint& globalCursor);

    CVornaToolTipCtrl* m_tips = nullptr;
    std::array<VornaBitmapButton*, 9> m_buttons{};
    QLabel* m_background = nullptr;
    // The outline shown while the palette is dragged (no parent: it is a
    // window of its own over everything).
    std::unique_ptr<QRubberBand> m_outline;
    bool m_bDragging = false;
    QPoint m_ptGrab;
    QPoint m_ptLast;
    CBitmapEx m_bmBackground;
    // Normal and pressed pictures of the nine buttons, then the disabled
    // pictures of the two spacing buttons.
    std::array<CBitmapEx, 9> m_bmNormal;
    std::array<CBitmapEx, 9> m_bmSelected;
    std::array<CBitmapEx, 2> m_bmDisabled;
    QRegion m_rgnWindow;
    QRegion m_rgnOutline;
};
