#pragma once

#include "controls/CustomColors.h"
#include "platform/Rect.h"
#include "util/ColorModel.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

// The colour-space dialog without its window: the new colour in RGB and HSV,
// the wheel and the brightness bar (geometry, markers, tracking), the six
// number fields, the hexadecimal field and the sixteen custom slots.
class ColorSpaceModel
{
public:
    enum class Drag { None = 0, Wheel = 1, Bar = 2 };
    enum class Field { Red, Green, Blue, Hue, Saturation, Brightness };

    // The wheel picture's size and the radius of full saturation.
    static constexpr int kWheelWidth = 202;
    static constexpr int kWheelHeight = 201;
    static constexpr int kWheelRadius = 100;
    // One palette entry per bar row at most.
    static constexpr int kMaxBarEntries = 256;

    // The hexadecimal field after an edit: its text and selection, and
    // whether the colour changed.
    struct HexEdit
    {
        QString text;
        int selectionStart = 0;
        int selectionEnd = 0;
        bool colorChanged = false;
    };

    // The new colour starts white; the previous one is only shown until its
    // swatch is clicked.
    explicit ColorSpaceModel(platform::ColorRef previous);

    // Places what the dialog paints, in its client coordinates; the wheel's
    // centre is the wheel area's top-left + (100, 100).
    void SetGeometry(const platform::Rect& wheelArea, const platform::Rect& bar, const platform::Rect& previousSwatch,
                     const platform::Rect& newSwatch, const platform::Rect& customArea);

    // Wheel geometry.
    static int Distance(QPoint a, QPoint b);
    static double AngleOf(QPoint point, QPoint centre);
    static QPoint PointOf(int hue, int saturation, QPoint centre);
    bool InWheel(QPoint point) const { return Distance(point, m_centre) < kWheelRadius + 1; }
    // The colour the wheel shows at an offset from its centre (what a click there gives).
    static HsvTriple WheelHsvAt(QPoint point, QPoint centre);
    // The wheel: the colour circle at full brightness, pure black outside it.
    static const QImage& WheelImage();

    platform::Rect WheelMarker() const;
    platform::Rect BarMarker() const;
    // The bar's colour table, top entry first, and the entry of each row.
    std::vector<platform::ColorRef> BarPalette() const;
    int BarEntryOfRow(int row) const;

    // Mouse. ButtonDown returns true when the new colour changed.
    bool ButtonDown(QPoint point);
    void TrackPoint(QPoint point);
    void ButtonUp() { m_drag = Drag::None; }
    Drag drag() const { return m_drag; }

    // Number fields: the value is taken when it differs from the field,
    // limited to the field's range; the other model follows. True when taken.
    bool SetField(Field field, int value);
    int FieldValue(Field field) const;
    static int FieldMinimum(Field) { return 0; }
    static int FieldMaximum(Field field) { return field == Field::Hue ? 360 : 255; }

    // The hexadecimal field was edited to `typed` with the selection given;
    // `remembered` is the text before the edit.
    HexEdit EditHex(const QString& typed, int selectionStart, int selectionEnd, const QString& remembered);
    // "RRGGBB" of the new colour, upper case.
    QString HexText() const;

    // Custom slots 1..16, eight columns in two rows.
    platform::Rect SlotRect(int slot) const;
    // The slot under the point; 0 outside the slots (also in the strip the
    // integer division leaves at the right and bottom).
    int SlotAtPoint(QPoint point) const;
    void AddCustomColor();
    void SetCustomColors(const CustomColorTable& colors) { m_slots = colors; }
    const CustomColorTable& customColors() const { return m_slots; }
    int selectedSlot() const { return m_selectedSlot; }

    platform::ColorRef NewColor() const;
    platform::ColorRef PreviousColor() const { return m_previous; }
    RgbTriple rgb() const { return m_rgb; }
    HsvTriple hsv() const { return m_hsv; }
    void SetRgb(const RgbTriple& rgb);
    void SetHsv(const HsvTriple& hsv);

    QPoint centre() const { return m_centre; }
    const platform::Rect& wheelArea() const { return m_wheelArea; }
    const platform::Rect& bar() const { return m_bar; }
    const platform::Rect& previousSwatch() const { return m_previousSwatch; }
    const platform::Rect& newSwatch() const { return m_newSwatch; }
    const platform::Rect& customArea() const { return m_customArea; }

private:
    RgbTriple m_rgb{255, 255, 255};
    HsvTriple m_hsv;
    platform::ColorRef m_previous;
    QPoint m_centre;
    platform::Rect m_wheelArea;
    platform::Rect m_bar;
    platform::Rect m_previousSwatch;
    platform::Rect m_newSwatch;
    platform::Rect m_customArea;
    Drag m_drag = Drag::None;
    CustomColorTable m_slots{};
    int m_selectedSlot = 1;
};
