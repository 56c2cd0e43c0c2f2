#pragma once

#include "dialogs/ImgCssFilterSet.h"

#include <QDialog>
#include <QRect>
#include <QString>

#include <array>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QPushButton;
class ImgCssPreview;
class VornaDialogImgCssPage;

namespace engine {
class Element;
class Style;
} // namespace engine

// The image effects dialog (549): up to eight filters combined on the selected image. Each filter has a check box
// (whether it is applied), a button that brings its property page into the property area, and the page with its
// parameters; the preview shows the image with the combined filter. The dialog only reads the image: it recognises
// the filters it knows in the image's filter text, keeps every other part of that text, and after IDOK m_strResult
// holds that kept part followed by a line feed and the text of each checked filter, in index order.
class VornaDialogImgCssComplex : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 549;
    // The control ids of the filter buttons and of the check boxes, in filter index order.
    static constexpr std::array<int, kImgCssFilterCount> kButtonIds = {1017, 1018, 1019, 1020, 1022, 1023, 1024, 1025};
    static constexpr std::array<int, kImgCssFilterCount> kCheckIds = {1009, 1010, 1011, 1012, 1014, 1015, 1016, 1026};

    explicit VornaDialogImgCssComplex(QWidget* parent = nullptr);
    ~VornaDialogImgCssComplex() override;

    // Opens below the toolbar button's rectangle (when given), kept on the screen.
    int DoModal();

    // In: the screen rectangle of the toolbar button, the image, its style and its src as the caller read it.
    QRect m_rcButton;
    engine::Element* m_pElement = nullptr;
    engine::Style* m_pStyle = nullptr;
    QString m_strSrc;
    // Out: the filter text built on OK.
    QString m_strResult;

    // Whether the filter's check box is checked.
    bool IsFilterChecked(int filterIndex) const;
    // 適用: checks the filter whose button is pressed and shows the combined filter in the preview.
    void OnApply();
    // The image's filter text as its style holds it (empty without a style).
    QString StyleFilter() const;
    // Brings the filter's page into the property area (made on first use) with its button pressed, or releases
    // every button when `pressed` is false.
    void SelectFilter(int filterIndex, bool pressed);

    // The page of a filter index; null until it was made.
    VornaDialogImgCssPage* page(int filterIndex) const { return m_pages[size_t(filterIndex)]; }
    ImgCssPreview* preview() const { return m_pPreview; }
    // Where the image is drawn inside the preview.
    const QRect& imageRect() const { return m_rcImage; }
    // The filter text the preview shows last asked for.
    const QString& previewFilter() const { return m_strPreviewFilter; }

    void accept() override;

private:
    void CreateControls();
    void OnInitDialog();
    void OnCheck(int filterIndex);
    VornaDialogImgCssPage* CreateFilterPage(int filterIndex, bool show);
    bool ShowFilterPage(int filterIndex);
    std::array<QString, kImgCssFilterCount> CollectFilters();
    // The path of the image's file, found from the page's own address when src is relative; empty for a web address.
    QString PicturePath() const;

    std::array<QPushButton*, kImgCssFilterCount> m_buttons{};
    std::array<QCheckBox*, kImgCssFilterCount> m_checks{};
    std::array<VornaDialogImgCssPage*, kImgCssFilterCount> m_pages{};
    QWidget* m_pPageArea = nullptr;
    ImgCssPreview* m_pPreview = nullptr;
    ImgCssFilterSet m_filters;
    QRect m_rcImage;
    QString m_strPreviewFilter;
};
