#include "app/CAboutDlg.h"

#include "app/ProductPicture.h"
#include "platform/Desktop.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace aboutdlg_detail {

// A line of the about box; an address becomes a link in the link colour.
QLabel* valueLabel(QWidget* parent, const char* name, const QString& text, const QString& target)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (target.isEmpty()) {
        label->setText(text);
    } else {
        label->setText(QStringLiteral("<a style=\"color:#1412ff\" href=\"%1\">%2</a>")
                           .arg(target.toHtmlEscaped(), text.toHtmlEscaped()));
        label->setCursor(Qt::PointingHandCursor);
        QObject::connect(label, &QLabel::linkActivated, label,
                         [](const QString& link) { platform::openAddress(link); });
    }
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    return label;
}

} // namespace aboutdlg_detail

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_model(AboutBoxModel::Read())
{
    using aboutdlg_detail::valueLabel;
    setWindowTitle(QStringLiteral("ミヌエのペジタロの情報"));

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("id_1515"));
    picture->setPixmap(ProductPicture(655, QSize(380, 96)));
    grid->addWidget(picture, 0, 0, 1, 2, Qt::AlignHCenter);
    const auto caption = [this, grid](int id, const char* text, int row) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setObjectName(QStringLiteral("id_%1").arg(id));
        grid->addWidget(label, row, 0, Qt::AlignTop);
    };
    caption(1366, "バージョン :", 1);
    caption(1367, "電話 :", 2);
    caption(1368, "E-Mail :", 3);
    caption(1369, "U R L :", 4);
    // The values are drawn texts beside the captions; their names say which.
    grid->addWidget(valueLabel(this, "version", m_model.version, QString()), 1, 1);
    grid->addWidget(valueLabel(this, "telephone", m_model.telephone, QString()), 2, 1);
    grid->addWidget(valueLabel(this, "mail", m_model.mail, AboutBoxModel::MailTarget(m_model.mail)), 3, 1);
    grid->addWidget(valueLabel(this, "web1", m_model.web1, AboutBoxModel::WebTarget(m_model.web1)), 4, 1);
    grid->addWidget(valueLabel(this, "web2", m_model.web2, AboutBoxModel::WebTarget(m_model.web2)), 5, 1);
    grid->setColumnStretch(1, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 6, 0, 1, 2, Qt::AlignRight);
    setFixedSize(sizeHint());
}

CAboutDlg::~CAboutDlg() = default;
