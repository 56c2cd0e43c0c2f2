#include "dialogs/VornaDialogPropertyZoom.h"

#include "dialogs/DialogButtons.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

VornaDialogPropertyZoom::VornaDialogPropertyZoom(QWidget* parent) : QDialog(parent)
{
    setObjectName(DialogControlName(IDD));
    setWindowTitle(LoadResString(IDS_ZOOM_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_cbZoom = new QComboBox(this);
    m_cbZoom->setObjectName(DialogControlName(IDC_ZOOM_LIST));
    m_cbZoom->setEditable(true);
    m_cbZoom->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"), QStringLiteral("100%"),
                        QStringLiteral("125%"), QStringLiteral("150%"), QStringLiteral("200%")});
    m_cbZoom->setCurrentIndex(3);
    form->addRow(LoadResString(IDS_ZOOM_FACTOR), m_cbZoom);
    AddOkCancelButtons(*this, layout);
}

VornaDialogPropertyZoom::~VornaDialogPropertyZoom() = default;

int VornaDialogPropertyZoom::DoModal()
{
    m_nZoom = 0;
    return platform::runModal(*this, IDD);
}

void VornaDialogPropertyZoom::accept()
{
    // "130%" or "130"; anything the page cannot show gives 0.
    QString text = m_cbZoom->currentText().trimmed();
    if (text.endsWith(QLatin1Char('%')))
        text.chop(1);
    bool ok = false;
    const int percent = text.toInt(&ok);
    m_nZoom = ok && percent >= 25 && percent <= 200 ? percent : 0;
    QDialog::accept();
}
