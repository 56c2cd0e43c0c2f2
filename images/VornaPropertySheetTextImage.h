#pragma once

#include "images/BannerModel.h"

#include <QDialog>
#include <QRect>
#include <QString>

class QPushButton;
class QTabWidget;
class VornaImageFrame;
class VornaImageView;
class VornaPropertyPageTextFont;
class VornaPropertyPageTextStyle;

// The banner maker (挿入 > バナー): a line of text in a font, colours and a
// three-dimensional style over an optional background picture, laid out in
// the layout window above the two pages and written as a GIF in the user's
// image folder. The caller may set the picture to start from; after IDOK
// m_strResultPath names the GIF written (empty when none was) and m_rcCanvas
// is the banner's rectangle.
class VornaPropertySheetTextImage : public QDialog
{
    Q_OBJECT
public:
    // The sheet runs under the id of its caption.
    static constexpr int kDialogId = 57747;
    // The layout window is 190 pixels high.
    static constexpr int kLayoutHeight = 190;

    VornaPropertySheetTextImage(unsigned captionId, QWidget* parent = nullptr, int selectPage = 0);
    ~VornaPropertySheetTextImage() override;

    // Runs the sheet; IDOK or IDCANCEL.
    int DoModal();

    // Recomposes the banner and repaints the layout view; follows the
    // buttons' states.
    void Compose();
    // The fast redraw while the canvas corner is dragged.
    void QuickCompose();
    // The banner scaled to the target, for canvas-size mode.
    QImage RenderScaled(const platform::Rect& target) const { return m_model.RenderScaled(target); }

    bool IsCanvasModeOn() const;

    BannerModel& model() { return m_model; }
    VornaImageView* view() const { return m_pView; }
    VornaImageFrame* frame() const { return m_pFrame; }
    VornaPropertyPageTextFont* fontPage() const { return m_pFontPage; }
    VornaPropertyPageTextStyle* stylePage() const { return m_pStylePage; }
    QTabWidget* tabs() const { return m_pTabs; }

    // The picture to start from (set before DoModal).
    QString m_strPicturePath;
    QString m_strResultPath;
    QRect m_rcCanvas;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    // OK: the banner drawn and written.
    void OnOK();
    void OnCanvasButton(bool checked);
    void OnTextAreaButton(bool checked);
    void OnResetButton();
    void OnDeleteButton();
    // Every control of the pages (the style page's only while it is shown).
    void EnablePages(bool enable);

    BannerModel m_model;
    VornaPropertyPageTextFont* m_pFontPage = nullptr;
    VornaPropertyPageTextStyle* m_pStylePage = nullptr;
    VornaImageView* m_pView = nullptr;
    VornaImageFrame* m_pFrame = nullptr;
    QTabWidget* m_pTabs = nullptr;
    QPushButton* m_btnCanvas = nullptr;
    QPushButton* m_btnReset = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnTextArea = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_bShownOnce = false;
};
