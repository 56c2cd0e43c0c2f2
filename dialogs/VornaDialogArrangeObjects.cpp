#include "dialogs/VornaDialogArrangeObjects.h"

#include "app/CMainFrame.h"
#include "chrome/ULOToolBar.h"
#include "controls/CVornaToolTipCtrl.h"
#include "controls/ProfileString.h"
#include "controls/VornaBitmapButton.h"
#include "controls/VornaDlgBkimage.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/SkinRegionData.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include <QFile>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {

constexpr int kButtonSide = 24;
constexpr int kCloseSide = 12;

// A picture (or, without one, the text) centred on a transparent button
// face, framed as pressed when asked.
QImage buttonFace(const QPixmap& picture, const QString& text, int side, bool pressed)
{
    QImage face(side, side, QImage::Format_ARGB32_Premultiplied);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    if (pressed) {
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(0, 0, side - 1, 0);
        painter.drawLine(0, 0, 0, side - 1);
        painter.setPen(Qt::white);
        painter.drawLine(side - 1, 1, side - 1, side - 1);
        painter.drawLine(1, side - 1, side - 1, side - 1);
    }
    if (picture.isNull()) {
        QFont font = painter.font();
        font.setPixelSize(side / 2);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(pressed ? 1 : 0, pressed ? 1 : 0, side, side), Qt::AlignCenter, text);
    } else {
        const QSize size = picture.size().boundedTo(QSize(side - 2, side - 2));
        const int shift = pressed ? 1 : 0;
        painter.drawPixmap(QRect(QPoint((side - size.width()) / 2 + shift, (side - size.height()) / 2 + shift), size),
                           picture);
    }
    return face;
}

} // namespace

const std::array<VornaDialogArrangeObjects::ButtonSpec, 9> VornaDialogArrangeObjects::kButtons = {{
    {ID_ALIGN_LEFT, "L", IDS_ARRANGE_TIP_LEFT, "BtnLeft", false},
    {ID_ALIGN_CENTER, "C", IDS_ARRANGE_TIP_CENTER, "BtnCenter", false},
    {ID_ALIGN_RIGHT, "R", IDS_ARRANGE_TIP_RIGHT, "BtnRight", false},
    {ID_ALIGN_TOP, "T", IDS_ARRANGE_TIP_TOP, "BtnTop", false},
    {ID_ALIGN_MIDDLE, "M", IDS_ARRANGE_TIP_MIDDLE, "BtnMiddle", false},
    {ID_ALIGN_BOTTOM, "B", IDS_ARRANGE_TIP_BOTTOM, "BtnBottom", false},
    {ID_DISTRIBUTE_HORIZONTALLY, "SA", IDS_ARRANGE_TIP_SPACE_ACROSS, "BtnSpaceAcross", true},
    {ID_DISTRIBUTE_VERTICALLY, "SD", IDS_ARRANGE_TIP_SPACE_DOWN, "BtnSpaceDown", true},
    {kCloseId, "X", 0, "BtnClose", false},
}};

VornaDialogArrangeObjects::VornaDialogArrangeObjects(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(DialogControlName(IDD));
    // Clicks on the palette leave the main window active.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_background = new QLabel(this);
    m_background->setObjectName(DialogControlName(kBackgroundId));
    m_background->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    for (size_t i = 0; i < kButtons.size(); ++i) {
        auto* button = new VornaBitmapButton(this);
        const int id = kButtons[i].id;
        button->setObjectName(DialogControlName(id));
        connect(button, &QPushButton::clicked, this, [this, id] { OnButton(id); });
        m_buttons[i] = button;
    }
    // The close button alone at the top right; the commands two by two below.
    grid->addWidget(m_buttons[8], 0, 1, Qt::AlignRight | Qt::AlignTop);
    for (int i = 0; i < 8; ++i)
        grid->addWidget(m_buttons[size_t(i)], 1 + i / 2, i % 2);
}

VornaDialogArrangeObjects::~VornaDialogArrangeObjects() = default;

void VornaDialogArrangeObjects::SetSkin(const QString& rootFolder, const QString& name)
{
    m_strSkinRoot = rootFolder;
    m_strSkinName = name;
}

VornaBitmapButton* VornaDialogArrangeObjects::button(int id) const
{
    for (size_t i = 0; i < kButtons.size(); ++i) {
        if (kButtons[i].id == id)
            return m_buttons[i];
    }
    return nullptr;
}

void VornaDialogArrangeObjects::OnInitDialog()
{
    // 1. The skin's folder and INI file, and the window's shape.
    m_strSkinFolder = m_strSkinRoot + m_strSkinName + QLatin1Char('/');
    m_strSkinIni = m_strSkinFolder + m_strSkinName + QStringLiteral(".skn");
    LoadRegion();
    // 2. The background; the palette takes its size.
    const platform::Rect bounds =
        VornaDlgBkimage::LoadFromSkin(*m_background, m_bmBackground, m_strSection, m_strSkinFolder, m_strSkinIni);
    // 3. The buttons' pictures.
    LoadPictures();
    if (!m_bmBackground.isNull()) {
        m_background->setGeometry(0, 0, bounds.width(), bounds.height());
        setFixedSize(bounds.width(), bounds.height());
    } else {
        m_background->setGeometry(rect());
        adjustSize();
    }
    m_background->lower();
    // 4. One tooltip per button with a text.
    if (!m_tips) {
        m_tips = new CVornaToolTipCtrl(this);
        m_tips->Create(this);
        for (size_t i = 0; i < kButtons.size(); ++i) {
            // The bottom tip ends with a line break of its own; the tip shows the words.
            if (kButtons[i].tipId != 0)
                m_tips->AddTool(m_buttons[i], LoadResString(kButtons[i].tipId).trimmed());
        }
    }
}

void VornaDialogArrangeObjects::LoadRegion()
{
    m_rgnWindow = QRegion();
    m_rgnOutline = QRegion();
    const QString file = ReadProfileString(m_strSkinIni, m_strSection, QStringLiteral("Region"), QString(), 256);
    if (!file.isEmpty()) {
        QFile data(m_strSkinFolder + file);
        if (data.open(QIODevice::ReadOnly) && data.size() <= SkinRegionData::kMaxBytes) {
            // The block is drawn at 200 per 100 dialog units.
            const QFontMetrics metrics(font());
            const double xFactor = metrics.averageCharWidth() * 100.0 / 4.0 / 200.0;
            const double yFactor = metrics.height() * 100.0 / 8.0 / 200.0;
            m_rgnWindow = SkinRegionData::Parse(data.readAll(), xFactor, yFactor);
        }
    }
    if (m_rgnWindow.isEmpty()) {
        clearMask();
        return;
    }
    m_rgnOutline = SkinRegionData::Outline(m_rgnWindow);
    setMask(m_rgnWindow);
}

void VornaDialogArrangeObjects::LoadPictures()
{
    size_t spacing = 0;
    for (size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonSpec& spec = kButtons[i];
        CBitmapEx* disabled = spec.spacing ? &m_bmDisabled[spacing++] : nullptr;
        const bool skinned =
            m_buttons[i]->LoadFromSkin(&m_bmNormal[i], &m_bmSelected[i], m_strSection, QString::fromLatin1(spec.key),
                                       m_strSkinFolder, m_strSkinIni, disabled) &&
            !m_bmNormal[i].isNull();
        if (skinned)
            m_buttons[i]->setFixedSize(m_bmNormal[i].m_nWidth, m_bmNormal[i].m_nHeight);
        else
            SetToolbarPictures(int(i));
    }
}

void VornaDialogArrangeObjects::SetToolbarPictures(int index)
{
    // Without a skin the buttons show the pictures the commands have on the
    // toolbars, and the close button the desktop's close picture.
    const ButtonSpec& spec = kButtons[size_t(index)];
    const int side = spec.id == kCloseId ? kCloseSide : kButtonSide;
    QPixmap normal, disabledPicture;
    const int picture = ULOToolBar::imageIndexOf(spec.id);
    if (picture >= 0) {
        normal = ULOToolBar::image(ULOToolBar::kNormal, picture);
        disabledPicture = ULOToolBar::image(ULOToolBar::kDisabled, picture);
    } else if (spec.id == kCloseId) {
        normal = QIcon::fromTheme(QStringLiteral("window-close")).pixmap(side - 2, side - 2);
    }
    const QString text = QString::fromLatin1(spec.text);
    auto set = [](CBitmapEx& bitmap, const QImage& image) {
        bitmap.m_bitmap = image;
        bitmap.m_nWidth = image.width();
        bitmap.m_nHeight = image.height();
    };
    set(m_bmNormal[size_t(index)], buttonFace(normal, text, side, false));
    set(m_bmSelected[size_t(index)], buttonFace(normal, text, side, true));
    const QImage* disabled = nullptr;
    if (spec.spacing) {
        CBitmapEx& bitmap = m_bmDisabled[spec.id == ID_DISTRIBUTE_HORIZONTALLY ? 0 : 1];
        set(bitmap, buttonFace(disabledPicture.isNull() ? normal : disabledPicture, text, side, false));
        disabled = bitmap.bitmap();
    }
    VornaBitmapButton* button = m_buttons[size_t(index)];
    button->SetBitmaps(m_bmNormal[size_t(index)].bitmap(), m_bmSelected[size_t(index)].bitmap(),
                       m_bmNormal[size_t(index)].bitmap(), disabled);
    button->setFixedSize(side, side);
}

void VornaDialogArrangeObjects::OnButton(int id)
{
    if (id == kCloseId) {
        reject();
        return;
    }
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    if (id == ID_DISTRIBUTE_HORIZONTALLY || id == ID_DISTRIBUTE_VERTICALLY)
        frame->DistributeObjects(unsigned(id), false, {0, 0});
    else
        frame->AlignObjects(unsigned(id));
    frame->activateWindow();
}

void VornaDialogArrangeObjects::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The body grabbed: its outline follows the mouse until it is released.
    m_bDragging = true;
    grabMouse();
    m_ptGrab = event->globalPosition().toPoint() - frameGeometry().topLeft();
    if (!m_outline)
        m_outline = std::make_unique<QRubberBand>(QRubberBand::Rectangle);
    m_outline->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    m_outline->setAttribute(Qt::WA_ShowWithoutActivating);
    ShowOutline(event->globalPosition().toPoint());
}

void VornaDialogArrangeObjects::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging)
        ShowOutline(event->globalPosition().toPoint());
    else
        QDialog::mouseMoveEvent(event);
}

void VornaDialogArrangeObjects::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_bDragging || event->button() != Qt::LeftButton) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    // Moved where the outline stood, neither resized nor activated.
    m_bDragging = false;
    releaseMouse();
    m_outline->hide();
    move(event->globalPosition().toPoint() - m_ptGrab);
}

void VornaDialogArrangeObjects::ShowOutline(const QPoint& globalCursor)
{
    m_ptLast = globalCursor - m_ptGrab;
    m_outline->setGeometry(QRect(m_ptLast, frameGeometry().size()));
    if (!m_rgnOutline.isEmpty())
        m_outline->setMask(m_rgnOutline);
    m_outline->show();
}
