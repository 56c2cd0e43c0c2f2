#include "dialogs/VornaDlgSymbol.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vornadlgsymbol_detail {

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

} // namespace vornadlgsymbol_detail

VornaDlgSymbol::VornaDlgSymbol(QWidget* parent) : QDialog(parent)
{
    using vornadlgsymbol_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(QStringLiteral("記号"));
    m_cbFont = named(new QComboBox(this), 1003);
    m_cbFont->setEditable(true);
    m_lstSymbols = named(new QListWidget(this), 1006);
    m_lstSymbols->setFlow(QListView::TopToBottom);
    m_lstSymbols->setWrapping(true);
    m_stPreview = named(new QLabel(this), 1455);
    m_stPreview->hide();
    m_btnInsert = named(new QPushButton(QStringLiteral("挿入(&I)"), this), 1456);
    m_btnInsert->setDefault(true);
    m_btnInsert->setEnabled(false);
    auto* close = named(new QPushButton(QStringLiteral("閉じる"), this), platform::IDCANCEL);

    auto* grid = new QGridLayout(this);
    auto* fontLabel = new QLabel(QStringLiteral("フォント(&F) :"), this);
    fontLabel->setBuddy(m_cbFont);
    grid->addWidget(fontLabel, 0, 0);
    grid->addWidget(m_cbFont, 0, 1);
    grid->addWidget(m_lstSymbols, 1, 0, 1, 2);
    grid->addWidget(m_stPreview, 0, 2, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_btnInsert);
    buttons->addWidget(close);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 2, 1);
    resize(420, 260);

    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}

VornaDlgSymbol::~VornaDlgSymbol() = default;
