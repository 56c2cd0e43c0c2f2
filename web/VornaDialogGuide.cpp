#include "web/VornaDialogGuide.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

VornaDialogGuide::VornaDialogGuide(QWidget* parent) : QDialog(parent), m_showAtStart(new QCheckBox(this))
{
    setWindowTitle(QStringLiteral("スタートアップ"));
    auto* layout = new QGridLayout(this);
    struct Row
    {
        int button;
        const char* caption;
        const char* text;
    };
    static const Row kRows[] = {
        {1016, "新規 Web",
         "新しい Web を作成するには、このオプションを使用します 新規 Web "
         "の\n1ページ目には空のドキュメントまたはフレームセットの選択が可能です"},
        {1017, "Web ウィザード",
         "多様に揃った Web サンプルから高度な Web を短時間で容易に作成\nするには、このオプションを使用します"},
        {1018, "Web を開く", "既に作成された Web を開くには、このオプションを使用します"},
        {1019, "FTP", "FTP プログラムからWebのアップロードやダウンロードを行う場合は、\nこのオプションを使用します"},
        {1020, "ミヌエとお勉強",
         "ミヌエと一緒に、一からお勉強しましょう！手順に添っていけば素敵な\nホームページができてしまいます"},
    };
    int row = 0;
    for (const Row& r : kRows) {
        auto* button = new QPushButton(QString::fromUtf8(r.caption), this);
        button->setObjectName(QStringLiteral("id_%1").arg(r.button));
        button->setMinimumWidth(120);
        button->setEnabled(r.button == 1020);
        layout->addWidget(button, row, 0);
        layout->addWidget(new QLabel(QString::fromUtf8(r.text), this), row, 1);
        if (r.button == 1020)
            connect(button, &QPushButton::clicked, this, &VornaDialogGuide::OnTutorial);
        ++row;
    }
    m_showAtStart->setObjectName(QStringLiteral("id_1502"));
    m_showAtStart->setText(QStringLiteral("ミヌエのペジタロ が起動する度にスタートアップダイアログを表示する"));
    connect(m_showAtStart, &QCheckBox::toggled, this, [this](bool on) { m_bShowAtStart = on ? 1 : 0; });
    layout->addWidget(m_showAtStart, row, 0, 1, 2);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("id_8"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, row + 1, 1, Qt::AlignRight);
}

VornaDialogGuide::~VornaDialogGuide() = default;

void VornaDialogGuide::showEvent(QShowEvent* event)
{
    m_showAtStart->setChecked(m_bShowAtStart != 0);
    QDialog::showEvent(event);
}

void VornaDialogGuide::OnTutorial()
{
    m_nChoice = 5;
    accept();
}
