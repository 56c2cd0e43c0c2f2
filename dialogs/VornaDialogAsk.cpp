#include "dialogs/VornaDialogAsk.h"

#include "controls/CVornaEdit.h"
#include "dialogs/DialogButtons.h"

#include "platform/ModalRunner.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

VornaDialogAsk::VornaDialogAsk(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(QStringLiteral("ページタイトル"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("ページタイトルを入力してください"), this));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("ページタイトル :"), this));
    m_edTitle = new CVornaEdit(this);
    m_edTitle->setObjectName(DialogControlName(1041));
    m_edTitle->setMinimumWidth(280);
    row->addWidget(m_edTitle, 1);
    layout->addLayout(row);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    AddOkCancelButtons(*this, layout);
    connect(m_edTitle, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString single = OneLine(text);
        if (single != text) {
            const int cursor = m_edTitle->cursorPosition();
            m_edTitle->setText(single);
            m_edTitle->setCursorPosition(cursor);
        }
        m_strTitle = single;
    });
}

VornaDialogAsk::~VornaDialogAsk() = default;

QString VornaDialogAsk::OneLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

int VornaDialogAsk::DoModal()
{
    m_edTitle->setText(m_strTitle);
    m_edTitle->setFocus();
    m_edTitle->selectAll();
    return platform::runModal(*this, IDD);
}

void VornaDialogAsk::accept()
{
    m_strTitle = m_edTitle->text();
    QDialog::accept();
}
