#include "platform/MessageBoxDialog.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace platform {

namespace {
QStyle::StandardPixmap messageBoxPixmap(MessageBoxDialog::Icon icon)
{
    switch (icon) {
    case MessageBoxDialog::Icon::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageBoxDialog::Icon::Question:
        return QStyle::SP_MessageBoxQuestion;
    case MessageBoxDialog::Icon::Critical:
        return QStyle::SP_MessageBoxCritical;
    case MessageBoxDialog::Icon::Exclamation:
    case MessageBoxDialog::Icon::None:
        break;
    }
    return QStyle::SP_MessageBoxWarning;
}
} // namespace

MessageBoxDialog::MessageBoxDialog(QWidget* parent, const QString& caption, const QString& text, Icon icon)
    : QDialog(parent), m_text(text)
{
    setWindowTitle(caption);
    setModal(true);
    setSizeGripEnabled(false);

    auto* outer = new QVBoxLayout(this); // owned by the dialog
    auto* body = new QHBoxLayout;        // owned by outer below
    outer->addLayout(body);
    if (icon != Icon::None) {
        auto* iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(messageBoxPixmap(icon), nullptr, this).pixmap(size, size));
        iconLabel->setAlignment(Qt::AlignTop);
        body->addWidget(iconLabel);
    }
    m_textColumn = new QVBoxLayout; // owned by body below
    body->addLayout(m_textColumn, 1);
    m_textLabel = new QLabel(text, this);
    m_textLabel->setObjectName(QStringLiteral("id_65535"));
    m_textLabel->setTextFormat(Qt::PlainText);
    m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_textColumn->addWidget(m_textLabel);
    m_textColumn->addStretch();

    m_buttonRow = new QHBoxLayout; // owned by outer below
    m_buttonRow->addStretch();
    m_buttonRow->addStretch();
    outer->addLayout(m_buttonRow);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

void MessageBoxDialog::addButton(int id, const QString& label)
{
    auto* button = new QPushButton(label, this);
    button->setObjectName(QStringLiteral("id_%1").arg(id));
    if (m_buttonIds.isEmpty()) {
        button->setDefault(true);
        button->setFocus();
    }
    connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
    m_buttonRow->insertWidget(m_buttonRow->count() - 1, button);
    m_buttonIds.append(id);
}

void MessageBoxDialog::setCheckBox(const QString& label, int controlId)
{
    if (!m_checkBox) {
        m_checkBox = new QCheckBox(this);
        m_textColumn->insertWidget(1, m_checkBox);
    }
    m_checkBox->setText(label);
    m_checkBox->setObjectName(QStringLiteral("id_%1").arg(controlId));
}

bool MessageBoxDialog::isChecked() const
{
    return m_checkBox && m_checkBox->isChecked();
}

void MessageBoxDialog::reject()
{
    if (m_buttonIds.contains(IDCANCEL))
        done(IDCANCEL);
    else if (m_buttonIds == QList<int>{IDOK})
        done(IDOK);
}

} // namespace platform
