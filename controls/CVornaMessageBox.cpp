#include "controls/CVornaMessageBox.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CVornaMessageBox::CVornaMessageBox(const QString& text, int nUnused, int nButtons, bool bOption, QWidget* parent)
    : QDialog(parent ? parent : AppContext::instance().mainWindow()), m_bOption(bOption), m_nUnused(nUnused),
      m_nButtons(nButtons), m_strMessage(text)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_MESSAGE_BOX_CAPTION));
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    column->addLayout(top);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("id_1501"));
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);
    top->addWidget(icon);
    // The text stands centred on the height of its place, however many lines it takes.
    m_text = new QLabel(ShortenPathText(text), this);
    m_text->setObjectName(QStringLiteral("id_1500"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setMinimumSize(300, 2 * side);
    top->addWidget(m_text, 1);

    m_check = new QCheckBox(LoadResString(IDS_APPLY_TO_ALL_DOCUMENTS), this);
    m_check->setObjectName(QStringLiteral("id_1007"));
    m_check->setVisible(m_bOption);
    column->addWidget(m_check);

    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->addStretch(1);
    struct Button
    {
        int id;
        const char* label;
        bool shown;
    };
    const Button buttons[] = {{platform::IDOK, "&OK", nButtons >= 1},
                              {platform::IDNO, "NO", nButtons >= 2},
                              {platform::IDCANCEL, "Cancel", nButtons >= 3}};
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.label), this);
        button->setObjectName(QStringLiteral("id_%1").arg(b.id));
        button->setVisible(b.shown);
        row->addWidget(button);
        const int id = b.id;
        connect(button, &QPushButton::clicked, this, [this, id] { Answer(id); });
    }
    row->addStretch(1);
}

int CVornaMessageBox::DoModal()
{
    return platform::runModal(*this, IDD, m_strMessage);
}

void CVornaMessageBox::Answer(int button)
{
    m_nCheck = m_check->isChecked() ? 1 : 0;
    if (m_bOption && m_nCheck && button != platform::IDCANCEL)
        AppContext::instance().setRememberedAnswer(button);
    done(button);
}

QString CVornaMessageBox::ShortenPathText(const QString& text, int maxLength)
{
    qsizetype first = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'/' || text[i] == u'\\') {
            first = i;
            break;
        }
    }
    if (first < 0 || text.size() <= maxLength)
        return text;
    const QChar separator = text[first];
    const QString head = text.left(first + 1);
    QStringList names = text.mid(first + 1).split(separator);
    // The last name (the file) always stays.
    while (names.size() > 1) {
        names.removeFirst();
        const QString shortened = head + QStringLiteral("...") + separator + names.join(separator);
        if (shortened.size() <= maxLength || names.size() == 1)
            return shortened;
    }
    return text;
}
