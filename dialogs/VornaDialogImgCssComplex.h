#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

namespace engine {
class Element;
class Style;
} // namespace engine

// The image effects dialog (549): composes several filters with their parameters for the selected images, placed at
// the image toolbar's effects button, previewing on the element. After IDOK m_strFilter holds the chosen calls
// joined by line feeds.
//
// Until the dialog's own pages come, it offers no effects: it opens with the element's filter text and OK hands that
// text back unchanged, so nothing is lost.
class VornaDialogImgCssComplex : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 549;

    explicit VornaDialogImgCssComplex(QWidget* parent = nullptr);
    ~VornaDialogImgCssComplex() override;

    int DoModal();

    // The screen rectangle of the toolbar button the dialog places itself at.
    QRect m_rcButton;
    engine::Element* m_pElement = nullptr;
    engine::Style* m_pStyle = nullptr;
    QString m_strSrc;
    QString m_strFilter;
};
