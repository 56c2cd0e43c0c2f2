#include "controls/CColorSpace.h"

#include "controls/CVornaEdit.h"
#include "controls/Draw3dRect.h"
#include "controls/NumberEdit.h"
#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "controls/SkinContext.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using platform::ColorRef;
using platform::Rect;
using Field = ColorSpaceModel::Field;

namespace colorspace_detail {

// Room around the wheel and the bar for the markers, which reach past them.
constexpr int kWheelPad = 6;
constexpr int kBarPadX = 2;
constexpr int kBarPadY = 6;
constexpr int kBarWidth = 20;
constexpr int kSwatchSize = 36;
constexpr int kCustomWidth = 208;
constexpr int kCustomHeight = 40;

// A painted area of the dialog: it draws what the dialog paints there and
// leaves the mouse to the dialog.
class PaintedArea : public QWidget
{
public:
    PaintedArea(CColorSpace* owner, int id, QSize size) : QWidget(owner), m_owner(owner)
    {
        setObjectName(QStringLiteral("id_%1").arg(id));
        setFixedSize(size);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter dc(this);
        dc.translate(-mapTo(m_owner, QPoint(0, 0)));
        m_owner->PaintArea(dc, this);
    }

private:
    CColorSpace* m_owner;
};

// An XOR outline that inverts each pixel once, `thickness` pixels wide, inside the rectangle.
void xorOutline(QPainter& dc, const Rect& r, int thickness)
{
    for (int i = 0; i < thickness; ++i) {
        const Rect f = ShrunkRect(r, i);
        if (f.isEmpty())
            return;
        dc.fillRect(QRect(f.left, f.top, f.width(), 1), Qt::white);
        if (f.height() > 1)
            dc.fillRect(QRect(f.left, f.bottom - 1, f.width(), 1), Qt::white);
        if (f.height() > 2) {
            dc.fillRect(QRect(f.left, f.top + 1, 1, f.height() - 2), Qt::white);
            if (f.width() > 1)
                dc.fillRect(QRect(f.right - 1, f.top + 1, 1, f.height() - 2), Qt::white);
        }
    }
}

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

} // namespace colorspace_detail

CColorSpace::CColorSpace(ColorRef previous, QWidget* parent) : QDialog(parent), m_model(previous)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD_COLOR_SPACE));
    setWindowTitle(QStringLiteral("色"));
    BuildControls();
    OnInitDialog();
}

CColorSpace::~CColorSpace() = default;

void CColorSpace::BuildControls()
{
    using namespace colorspace_detail;
    m_wheelArea = new PaintedArea(
        this, IDC_COLOR_WHEEL,
        QSize(ColorSpaceModel::kWheelWidth + 2 * kWheelPad, ColorSpaceModel::kWheelHeight + 2 * kWheelPad));
    m_barArea = new PaintedArea(this, IDC_COLOR_BAR,
                                QSize(kBarWidth + 2 * kBarPadX, ColorSpaceModel::kWheelHeight + 2 * kBarPadY));
    m_previousArea = new PaintedArea(this, IDC_COLOR_PREVIOUS, QSize(kSwatchSize, kSwatchSize));
    m_newArea = new PaintedArea(this, IDC_COLOR_NEW, QSize(kSwatchSize, kSwatchSize));

    auto* htmlBox = new QGroupBox(QStringLiteral("&HTML"), this);
    m_hex = named(new CVornaEdit(htmlBox), IDC_COLOR_HEX);
    m_hex->setFixedWidth(80);
    auto* htmlLayout = new QVBoxLayout(htmlBox);
    htmlLayout->addWidget(m_hex);

    const auto swatchColumn = [this](QWidget* swatch, const QString& label) {
        auto* column = new QVBoxLayout;
        column->addWidget(swatch, 0, Qt::AlignHCenter);
        column->addWidget(new QLabel(label, this), 0, Qt::AlignHCenter);
        return column;
    };
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(htmlBox);
    topRow->addLayout(swatchColumn(m_previousArea, QStringLiteral("前使用色")));
    topRow->addLayout(swatchColumn(m_newArea, QStringLiteral("新規色")));

    auto* hsvBox = new QGroupBox(QStringLiteral("HSV / RGB"), this);
    auto* grid = new QGridLayout(hsvBox);
    struct FieldRow
    {
        Field field;
        int id;
        const char* label;
        int row;
        int column;
    };
    static const FieldRow rows[] = {
        {Field::Hue, IDC_COLOR_HUE, "色合い", 0, 0},
        {Field::Saturation, IDC_COLOR_SATURATION, "鮮やかさ", 1, 0},
        {Field::Brightness, IDC_COLOR_BRIGHTNESS, "明るさ", 2, 0},
        {Field::Red, IDC_COLOR_RED, "赤", 0, 2},
        {Field::Green, IDC_COLOR_GREEN, "緑", 1, 2},
        {Field::Blue, IDC_COLOR_BLUE, "青", 2, 2},
    };
    for (const FieldRow& row : rows) {
        auto* edit = named(new NumberEdit(hsvBox), row.id);
        edit->setRange(ColorSpaceModel::FieldMinimum(row.field), ColorSpaceModel::FieldMaximum(row.field));
        edit->setFixedWidth(64);
        m_fields[size_t(row.field)] = edit;
        grid->addWidget(new QLabel(QString::fromUtf8(row.label), hsvBox), row.row, row.column);
        grid->addWidget(edit, row.row, row.column + 1);
        const Field field = row.field;
        connect(edit, &NumberEdit::textChanged, this, [this, field] { OnNumberChanged(field); });
    }

    auto* customBox = new QGroupBox(QStringLiteral("ユーザー設定の色"), this);
    m_customArea = new PaintedArea(this, IDC_COLOR_CUSTOM_AREA, QSize(kCustomWidth, kCustomHeight));
    auto* add = named(new QPushButton(QStringLiteral("ユーザー設定の色に追加(&A)"), customBox), IDC_COLOR_ADD_CUSTOM);
    add->setAutoDefault(false);
    auto* customLayout = new QVBoxLayout(customBox);
    customLayout->addWidget(m_customArea, 0, Qt::AlignHCenter);
    customLayout->addWidget(add);
    connect(add, &QPushButton::clicked, this, &CColorSpace::OnAddCustomColor);

    auto* ok = named(new QPushButton(QStringLiteral("&OK"), this), platform::IDOK);
    auto* cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), platform::IDCANCEL);
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { done(platform::IDOK); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* right = new QVBoxLayout;
    right->addLayout(topRow);
    right->addWidget(hsvBox);
    right->addWidget(customBox);
    right->addStretch();
    right->addLayout(buttons);

    auto* main = new QHBoxLayout(this);
    main->setSpacing(4);
    main->addWidget(m_wheelArea, 0, Qt::AlignTop);
    main->addWidget(m_barArea, 0, Qt::AlignTop);
    main->addSpacing(8);
    main->addLayout(right);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_hex, &QLineEdit::textChanged, this, &CColorSpace::OnHexChanged);
}

void CColorSpace::OnInitDialog()
{
    layout()->activate();
    PlaceAreas();
    CreateBarBitmap();
    m_wheel.Attach(ColorSpaceModel::WheelImage());
    m_model.SetCustomColors(LoadCustomColors());
    UpdateControls();
    m_initialised = true;
}

Rect CColorSpace::AreaRect(const QWidget* area) const
{
    return Rect::fromQRect(QRect(area->mapTo(this, QPoint(0, 0)), area->size()));
}

void CColorSpace::PlaceAreas()
{
    using namespace colorspace_detail;
    Rect wheel = AreaRect(m_wheelArea);
    wheel.inflate(-kWheelPad, -kWheelPad);
    Rect bar = AreaRect(m_barArea);
    bar.inflate(-kBarPadX, -kBarPadY);
    const Rect before = m_model.bar();
    m_model.SetGeometry(wheel, bar, AreaRect(m_previousArea), AreaRect(m_newArea), AreaRect(m_customArea));
    if (m_initialised && (before.width() != bar.width() || before.height() != bar.height()))
        CreateBarBitmap();
}

void CColorSpace::CreateBarBitmap()
{
    const Rect& bar = m_model.bar();
    if (!m_barDib.Create(bar.width(), bar.height(), 8))
        return;
    for (int row = 0; row < bar.height(); ++row) {
        quint8* bits = m_barDib.GetRow(row);
        std::fill(bits, bits + bar.width(), quint8(m_model.BarEntryOfRow(row)));
    }
    BuildBarPalette();
}

void CColorSpace::BuildBarPalette()
{
    if (m_barDib.GetPaletteSize() < 256)
        return;
    std::array<DibQuad, 256> table{};
    const std::vector<ColorRef> palette = m_model.BarPalette();
    for (size_t k = 0; k < palette.size() && k < table.size(); ++k)
        table[k] = DibQuad{quint8(platform::blueOf(palette[k])), quint8(platform::greenOf(palette[k])),
                           quint8(platform::redOf(palette[k])), 0};
    m_barDib.SetPalette(table.data());
}

int CColorSpace::DoModal()
{
    return platform::runModal(*this, IDD_COLOR_SPACE);
}

void CColorSpace::done(int result)
{
    // The slots are kept whether the dialog ends with OK or Cancel.
    if (!m_saved) {
        m_saved = true;
        SaveCustomColors(m_model.customColors());
    }
    QDialog::done(result);
}

void CColorSpace::showEvent(QShowEvent* event)
{
    PlaceAreas();
    QDialog::showEvent(event);
}

void CColorSpace::resizeEvent(QResizeEvent* event)
{
    PlaceAreas();
    QDialog::resizeEvent(event);
}

void CColorSpace::UpdateAll()
{
    BuildBarPalette();
    for (QWidget* area : {m_wheelArea, m_barArea, m_newArea, m_previousArea, m_customArea})
        area->update();
    UpdateControls();
}

void CColorSpace::UpdateControls()
{
    m_updating = true;
    for (int i = 0; i < 6; ++i)
        m_fields[size_t(i)]->setValue(m_model.FieldValue(Field(i)));
    m_hexText = m_model.HexText();
    if (m_hex->text() != m_hexText)
        m_hex->setText(m_hexText);
    m_updating = false;
}

void CColorSpace::OnNumberChanged(Field field)
{
    if (!m_initialised || m_updating)
        return;
    if (m_model.SetField(field, m_fields[size_t(field)]->value()))
        UpdateAll();
}

void CColorSpace::OnHexChanged()
{
    if (!m_initialised || m_updating)
        return;
    int start = m_hex->cursorPosition();
    int end = start;
    if (m_hex->hasSelectedText()) {
        start = m_hex->selectionStart();
        end = start + int(m_hex->selectedText().size());
    }
    const ColorSpaceModel::HexEdit edit = m_model.EditHex(m_hex->text(), start, end, m_hexText);
    if (edit.colorChanged)
        UpdateAll();
    m_hexText = edit.text;
    m_updating = true;
    if (m_hex->text() != edit.text)
        m_hex->setText(edit.text);
    const int length = int(edit.text.size());
    const int s = std::clamp(edit.selectionStart, 0, length);
    const int e = std::clamp(edit.selectionEnd, 0, length);
    if (s == e)
        m_hex->setCursorPosition(s);
    else
        m_hex->setSelection(s, e - s);
    m_updating = false;
}

void CColorSpace::OnAddCustomColor()
{
    m_model.AddCustomColor();
    m_customArea->update();
}

void CColorSpace::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    PlaceAreas();
    if (m_model.ButtonDown(event->position().toPoint()))
        UpdateAll();
}

void CColorSpace::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_model.drag() != ColorSpaceModel::Drag::None) {
        m_model.TrackPoint(event->position().toPoint());
        UpdateAll();
    }
}

void CColorSpace::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_model.ButtonUp();
}

void CColorSpace::PaintArea(QPainter& dc, const QWidget* area)
{
    // Group boxes may have moved the areas since the last look.
    PlaceAreas();
    const ColorRef black = 0;
    if (area == m_customArea) {
        for (int slot = 1; slot <= 16; ++slot)
            DrawSlot(dc, slot);
        return;
    }
    if (area == m_previousArea || area == m_newArea) {
        const Rect r = area == m_previousArea ? m_model.previousSwatch() : m_model.newSwatch();
        const ColorRef color = area == m_previousArea ? m_model.PreviousColor() : m_model.NewColor();
        FillOutlinedRect(dc, r, color, black);
        Draw3dRect(dc, ShrunkRect(r, 1), platform::rgb(0xC0, 0xC0, 0xC0), platform::rgb(0x80, 0x80, 0x80));
        return;
    }
    if (area == m_barArea) {
        const Rect& bar = m_model.bar();
        m_barDib.Draw(dc, bar.left, bar.top, bar.width(), bar.height(), 0, 0);
        Draw3dRect(dc, bar, black, black);
    } else if (area == m_wheelArea && !m_wheel.isNull()) {
        const Rect& wheel = m_model.wheelArea();
        m_wheel.Draw(wheel.left, wheel.top, std::min(wheel.width(), m_wheel.m_nWidth),
                     std::min(wheel.height(), m_wheel.m_nHeight), 0, 0, dc, ASMBitmap::kCopy, black);
    }
    DrawMarkers(dc);
}

void CColorSpace::DrawSlot(QPainter& dc, int slot)
{
    Rect r = m_model.SlotRect(slot);
    if (r.isEmpty())
        return;
    if (slot == m_model.selectedSlot()) {
        const ColorRef dark = SkinContext::instance().sysColor(COLOR_3DDKSHADOW);
        Draw3dRect(dc, r, dark, dark);
    }
    r = ShrunkRect(r, 2);
    Draw3dRect(dc, r, SkinContext::instance().sysColor(COLOR_BTNSHADOW),
               SkinContext::instance().sysColor(COLOR_BTNHIGHLIGHT));
    r = ShrunkRect(r, 1);
    Draw3dRect(dc, r, SkinContext::instance().sysColor(COLOR_3DDKSHADOW),
               SkinContext::instance().sysColor(COLOR_3DLIGHT));
    r = ShrunkRect(r, 1);
    if (!r.isEmpty())
        dc.fillRect(r.toQRect(), platform::toQColor(m_model.customColors()[size_t(slot - 1)]));
}

void CColorSpace::DrawMarkers(QPainter& dc)
{
    // Inverted outlines, readable on any colour under them.
    dc.save();
    dc.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    colorspace_detail::xorOutline(dc, m_model.WheelMarker(), 1);
    colorspace_detail::xorOutline(dc, m_model.BarMarker(), 2);
    dc.restore();
}
