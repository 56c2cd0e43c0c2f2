#pragma once

#include "controls/ASMBitmap.h"
#include "controls/CDIB.h"
#include "controls/ColorSpaceModel.h"

#include <QDialog>

#include <array>

class CVornaEdit;
class NumberEdit;
class QPainter;

// The colour-space dialog: the user mixes a colour on a hue/saturation wheel
// and a brightness bar, or types it as red, green, blue, hue, saturation,
// brightness or six hexadecimal digits, and keeps up to sixteen custom
// colours, which are stored (also after Cancel) and shared with the palette
// popup's user cells.
class CColorSpace : public QDialog
{
    Q_OBJECT
public:
    // The previous colour is shown beside the new one, which starts white.
    explicit CColorSpace(platform::ColorRef previous, QWidget* parent = nullptr);
    ~CColorSpace() override;

    // IDOK or IDCANCEL.
    int DoModal();
    // The new colour (white when nothing was changed).
    platform::ColorRef GetColor() const { return m_model.NewColor(); }

    const ColorSpaceModel& model() const { return m_model; }

    // Paints what lies in the area widget (the wheel, the bar, a swatch or the
    // custom slots), in dialog coordinates.
    void PaintArea(QPainter& dc, const QWidget* area);

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    void OnInitDialog();
    void PlaceAreas();
    void CreateBarBitmap();
    void BuildBarPalette();
    void UpdateAll();
    void UpdateControls();
    void OnNumberChanged(ColorSpaceModel::Field field);
    void OnHexChanged();
    void OnAddCustomColor();
    void DrawSlot(QPainter& dc, int slot);
    void DrawMarkers(QPainter& dc);
    platform::Rect AreaRect(const QWidget* area) const;

    ColorSpaceModel m_model;
    CDIB m_barDib;
    ASMBitmap m_wheel;
    QString m_hexText = QStringLiteral("FFFFFF");
    std::array<NumberEdit*, 6> m_fields{};
    CVornaEdit* m_hex = nullptr;
    QWidget* m_wheelArea = nullptr;
    QWidget* m_barArea = nullptr;
    QWidget* m_previousArea = nullptr;
    QWidget* m_newArea = nullptr;
    QWidget* m_customArea = nullptr;
    bool m_initialised = false;
    bool m_updating = false;
    bool m_saved = false;
};
