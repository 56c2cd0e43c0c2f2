#include "images/VornaPropertySheetTextImage.h"

#include "controls/TransparentBlt.h"
#include "images/ImageCodec.h"
#include "images/ImageFiles.h"
#include "images/ImageTextIds.h"
#include "util/FileFaultText.h"
#include "util/FileHelpers.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace textimage_detail {

// The banner's default look: the text colour, its outline and its shadow
// three pixels below and to the right, over the key colour.
constexpr platform::ColorRef kTextColor = 0xCBFBBA;
constexpr platform::ColorRef kShadowColor = 0x808080;
constexpr platform::ColorRef kKeyColor = 0x08FF08;
constexpr int kShadowDepth = 3;
constexpr QSize kDefaultCanvas(400, 95);

// The text drawn into the canvas's text box (5 pixels inside its edges).
void drawBannerText(QImage& canvas, const QString& text)
{
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QFont font = painter.font();
    font.setPointSize(18);
    font.setBold(true);
    const QRect box = canvas.rect().adjusted(5, 5, -5, -5);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const QPointF origin(box.center().x() - bounds.center().x(), box.center().y() - bounds.center().y());
    painter.translate(origin + QPointF(kShadowDepth, kShadowDepth));
    painter.fillPath(path, platform::toQColor(kShadowColor));
    painter.translate(-kShadowDepth, -kShadowDepth);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(platform::toQColor(kTextColor));
    painter.drawPath(path);
}

} // namespace textimage_detail

VornaPropertySheetTextImage::VornaPropertySheetTextImage(unsigned captionId, QWidget* parent, int selectPage)
    : QDialog(parent)
{
    Q_UNUSED(selectPage);
    setWindowTitle(LoadResString(captionId));
    m_edText = new QLineEdit(this);
    m_edText->setObjectName(QStringLiteral("id_1006"));
    m_edPicture = new QLineEdit(this);
    m_edPicture->setObjectName(QStringLiteral("id_1524"));
    m_edPicture->setReadOnly(true);
    m_btnOk = new QPushButton(LoadResString(65101), this);
    m_btnOk->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    m_btnOk->setDefault(true);
    m_btnOk->setEnabled(false);
    auto* cancel = new QPushButton(LoadResString(65102), this);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("テキスト(&T) :"), m_edText);
    form->addRow(QStringLiteral("バナー画像(&M) :"), m_edPicture);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOk);
    buttons->addWidget(cancel);
    form->addRow(buttons);

    // No banner without text.
    connect(m_edText, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_btnOk->setEnabled(!text.isEmpty()); });
    connect(m_btnOk, &QPushButton::clicked, this, &VornaPropertySheetTextImage::OnOK);
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
}

VornaPropertySheetTextImage::~VornaPropertySheetTextImage() = default;

int VornaPropertySheetTextImage::DoModal()
{
    m_edPicture->setText(m_strPicturePath);
    return platform::runModal(*this, kDialogId);
}

void VornaPropertySheetTextImage::OnOK()
{
    namespace detail = textimage_detail;
    if (m_edText->text().isEmpty())
        return;
    // The picture at its own size, its transparent colour kept; else the
    // default canvas in the key colour.
    platform::ColorRef key = detail::kKeyColor;
    platform::ColorRef transparent = kNoTransparentColor;
    QImage canvas =
        m_strPicturePath.isEmpty() ? QImage() : LoadImageBitmap(m_strPicturePath, transparent, nullptr, nullptr, key);
    if (canvas.isNull()) {
        canvas = QImage(detail::kDefaultCanvas, QImage::Format_RGB32);
        canvas.fill(platform::toQColor(key));
    } else {
        canvas = canvas.convertToFormat(QImage::Format_RGB32);
        key = transparent;
    }
    detail::drawBannerText(canvas, m_edText->text());
    const QString file = MakeTempImageFileName(QStringLiteral("GIF"), CreateFolderPath(UserImageFolder()), QString());
    if (!SaveBitmapAsGif(canvas, file, key)) {
        ShowMessageBox(LoadResString(ImageTextIds::ScanSaveFailed)
                           .arg(QDir::toNativeSeparators(file), FileFaultText(LastImageWriteFault())));
        return;
    }
    m_strResultPath = file;
    m_rcCanvas = canvas.rect();
    done(platform::IDOK);
}
