#include "app/CAboutDlg.h"

#include "util/InstallInfo.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace aboutdlg_detail {

QLabel* linkLabel(QWidget* parent, const QString& href, const QString& text)
{
    auto* label = new QLabel(parent);
    if (!text.isEmpty()) {
        label->setText(QStringLiteral("<a style=\"color:#1412ff\" href=\"%1\">%2</a>")
                           .arg(href.toHtmlEscaped(), text.toHtmlEscaped()));
        label->setOpenExternalLinks(true);
    }
    return label;
}

} // namespace aboutdlg_detail

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    using aboutdlg_detail::linkLabel;
    setWindowTitle(QStringLiteral("ミヌエのペジタロの情報"));
    QString info, language, name, type, version, servicePack;
    if (ReadVersionInformation(info, language, name, type, version, servicePack)) {
        m_strVersion = info + QLatin1Char('-') + version;
        if (!servicePack.isEmpty())
            m_strVersion += QLatin1Char('(') + servicePack + QLatin1Char(')');
    }
    QString web1, web2, phone, mail, mail2;
    if (!ReadSupportInformation(web1, web2, phone, mail, mail2)) {
        web1.clear();
        web2.clear();
        phone.clear();
        mail.clear();
    }

    auto* grid = new QGridLayout(this);
    const auto label = [this, grid](int id, const char* text, int row) {
        auto* l = new QLabel(QString::fromUtf8(text), this);
        l->setObjectName(QStringLiteral("id_%1").arg(id));
        grid->addWidget(l, row, 0);
    };
    label(1366, "バージョン :", 0);
    label(1367, "電話 :", 1);
    label(1368, "E-Mail :", 2);
    label(1369, "U R L :", 3);
    grid->addWidget(new QLabel(m_strVersion, this), 0, 1);
    grid->addWidget(new QLabel(phone, this), 1, 1);
    grid->addWidget(linkLabel(this, QStringLiteral("mailto:") + mail, mail), 2, 1);
    grid->addWidget(linkLabel(this, web1, web1), 3, 1);
    grid->addWidget(linkLabel(this, web2, web2), 4, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 5, 1, Qt::AlignRight);
}

CAboutDlg::~CAboutDlg() = default;
