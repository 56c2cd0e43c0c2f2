#include "web/VornaDialogGuide.h"

#include "app/CMainFrame.h"
#include "controls/VornaImageButton.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace guide_detail {

struct Way
{
    int button;
    int captionId;
    int textId;
    int bitmap;
    unsigned caption;
    unsigned text;
    void (VornaDialogGuide::*handler)();
};

// The five ways in, top to bottom.
const Way kWays[5] = {
    {VornaDialogGuide::kNewWebId, 1484, 1485, IDB_GUIDE_NEW_WEB, IDS_GUIDE_NEW_WEB, IDS_GUIDE_NEW_WEB_TEXT,
     &VornaDialogGuide::OnNewWeb},
    {VornaDialogGuide::kWebWizardId, 1486, 1487, IDB_GUIDE_WEB_WIZARD, IDS_GUIDE_WEB_WIZARD, IDS_GUIDE_WEB_WIZARD_TEXT,
     &VornaDialogGuide::OnWebWizard},
    {VornaDialogGuide::kOpenWebId, 1488, 1489, IDB_GUIDE_OPEN_WEB, IDS_GUIDE_OPEN_WEB, IDS_GUIDE_OPEN_WEB_TEXT,
     &VornaDialogGuide::OnOpenWeb},
    {VornaDialogGuide::kFtpId, 1490, 1491, IDB_GUIDE_FTP, IDS_GUIDE_FTP, IDS_GUIDE_FTP_TEXT, &VornaDialogGuide::OnFtp},
    {VornaDialogGuide::kTutorialId, 1492, 1493, IDB_GUIDE_TUTORIAL, IDS_GUIDE_TUTORIAL, IDS_GUIDE_TUTORIAL_TEXT,
     &VornaDialogGuide::OnTutorial},
};

QString bitmapPath(int id)
{
    return QStringLiteral(":/res/bitmaps/%1.png").arg(id);
}

} // namespace guide_detail

VornaDialogGuide::VornaDialogGuide(CMainFrame* frame, QWidget* parent)
    : QDialog(parent ? parent : frame), m_pFrame(frame), m_showAtStart(new QCheckBox(this))
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_GUIDE_TITLE));
    auto* outer = new QGridLayout(this);
    // The picture beside the ways in; it is kept under its control's number.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("id_%1").arg(kPictureId));
    picture->setPixmap(QPixmap(guide_detail::bitmapPath(IDC_GUIDE_PICTURE)));
    picture->setAlignment(Qt::AlignTop);
    outer->addWidget(picture, 0, 0, 3, 1);

    auto* ways = new QGridLayout;
    ways->setHorizontalSpacing(12);
    int row = 0;
    for (const guide_detail::Way& way : guide_detail::kWays) {
        auto* button = new VornaImageButton(this);
        button->setObjectName(QStringLiteral("id_%1").arg(way.button));
        button->SetBitmap(guide_detail::bitmapPath(way.bitmap));
        button->setAutoDefault(true);
        button->setAccessibleName(LoadResString(way.caption));
        button->setToolTip(LoadResString(way.caption));
        connect(button, &QPushButton::clicked, this, way.handler);
        m_buttons[row] = button;
        auto* caption = new QLabel(LoadResString(way.caption), this);
        caption->setObjectName(QStringLiteral("id_%1").arg(way.captionId));
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        auto* text = new QLabel(LoadResString(way.text), this);
        text->setObjectName(QStringLiteral("id_%1").arg(way.textId));
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(button, 0, Qt::AlignHCenter);
        cell->addWidget(caption);
        ways->addLayout(cell, row, 0);
        ways->addWidget(text, row, 1, Qt::AlignVCenter | Qt::AlignLeft);
        ++row;
    }
    outer->addLayout(ways, 0, 1);

    m_showAtStart->setObjectName(QStringLiteral("id_%1").arg(kShowAtStartId));
    m_showAtStart->setText(LoadResString(IDS_GUIDE_SHOW_AT_START));
    // The box's state reaches the member at every click.
    connect(m_showAtStart, &QCheckBox::toggled, this, [this](bool on) { m_bShowAtStart = on ? 1 : 0; });
    outer->addWidget(m_showAtStart, 1, 1);
    auto* close = new QPushButton(LoadResString(IDS_GUIDE_CLOSE), this);
    close->setObjectName(QStringLiteral("id_%1").arg(kCloseId));
    close->setAutoDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    outer->addWidget(close, 2, 1, Qt::AlignRight);
}

VornaDialogGuide::~VornaDialogGuide() = default;

int VornaDialogGuide::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VornaDialogGuide::OnInitDialog()
{
    m_showAtStart->setChecked(m_bShowAtStart != 0);
}

void VornaDialogGuide::EndWhenDone(bool done, int choice)
{
    if (!done)
        return;
    m_nChoice = choice;
    QDialog::done(platform::IDOK);
}

void VornaDialogGuide::OnNewWeb()
{
    EndWhenDone(m_pFrame && m_pFrame->GuideNewWeb(), 1);
}

void VornaDialogGuide::OnWebWizard()
{
    EndWhenDone(m_pFrame && m_pFrame->GuideWebWizard(), 2);
}

void VornaDialogGuide::OnOpenWeb()
{
    EndWhenDone(m_pFrame && m_pFrame->GuideOpenWeb(), 3);
}

void VornaDialogGuide::OnFtp()
{
    // The guide stays open whatever the transfer did.
    if (m_pFrame)
        m_pFrame->GuideFtp();
}

void VornaDialogGuide::OnTutorial()
{
    EndWhenDone(true, 5);
}
