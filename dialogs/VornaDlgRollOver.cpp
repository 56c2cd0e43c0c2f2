#include "dialogs/VornaDlgRollOver.h"

#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

VornaDlgRollOver::VornaDlgRollOver(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("ロールオーバーイメージ"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    auto edit = [&](int id, const QString& label) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("id_%1").arg(id));
        e->setMinimumWidth(320);
        fields->addRow(label, e);
        return e;
    };
    m_edOriginal = edit(1003, QStringLiteral("オリジナル画像(&I) :"));
    m_edRollOver = edit(1005, QStringLiteral("ロールオーバーイメージ(&R) :"));
    m_edLink = edit(1387, QStringLiteral("ハイパーリンク(&H) :"));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(65101), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    ok->setDefault(true);
    m_btnRemove = buttons->addButton(QStringLiteral("ﾛｰﾙｵｰﾊﾞｰを削除(&E)"), QDialogButtonBox::ActionRole);
    m_btnRemove->setObjectName(QStringLiteral("id_%1").arg(kRemoveButtonId));
    connect(m_btnRemove, &QPushButton::clicked, this, [this] { OnRemove(); });
    QPushButton* cancel = buttons->addButton(LoadResString(65102), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

VornaDlgRollOver::~VornaDlgRollOver() = default;

int VornaDlgRollOver::DoModal()
{
    m_edOriginal->setText(m_strOriginal);
    m_edRollOver->setText(m_strRollOver);
    m_edLink->setText(m_strLink);
    // Removing is offered for an edited image that has a roll-over picture (or no picture at all).
    m_btnRemove->setEnabled(m_bEdit && (m_strOriginal.isEmpty() || !m_strRollOver.isEmpty()));
    m_bRemove = false;
    const int result = platform::runModal(*this, IDD);
    if (result == platform::IDOK) {
        m_strOriginal = m_edOriginal->text().trimmed();
        m_strRollOver = m_edRollOver->text().trimmed();
        m_strLink = m_edLink->text().trimmed();
    }
    return result;
}

void VornaDlgRollOver::OnRemove()
{
    m_bRemove = true;
    m_edRollOver->clear();
}
