#include "controls/CDialogIEDownload.h"

#include "platform/ModalRunner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CDialogIEDownload::CDialogIEDownload(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("Internet Explorer ダウンロード"));
    auto* column = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("\"ミヌエのペジタロ\"を使用するには\nMicrosoft Internet Explorer 5.5 "
                                           "以上のバージョンが必要です\n\nInternet Explorer "
                                           "を最新のバージョンにアップグレードしてください"),
                            this);
    column->addWidget(text);
    column->addWidget(new QLabel(this)); // the template's empty line
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->addStretch(1);
    auto* download = new QPushButton(QStringLiteral("ダウンロード"), this);
    download->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    download->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    row->addWidget(download);
    row->addWidget(cancel);
    connect(download, &QPushButton::clicked, this, [this] { done(platform::IDOK); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(platform::IDCANCEL); });
}

int CDialogIEDownload::DoModal()
{
    return platform::runModal(*this, IDD);
}

bool CDialogIEDownload::CheckEngineVersion(const QVersionNumber& engine, QWidget* parent)
{
    if (engine >= RequiredEngineVersion())
        return true;
    CDialogIEDownload notice(parent);
    notice.DoModal();
    return false;
}
