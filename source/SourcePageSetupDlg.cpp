#include "source/SourcePageSetupDlg.h"

#include "platform/ModalRunner.h"
#include "res/resource.h"

#include <QDoubleValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The largest margin the fields take, in millimetres.
constexpr double kMaxMarginMm = 500.0;

QString marginText(int hundredths)
{
    return QLocale::c().toString(hundredths / 100.0, 'f', 2);
}

bool marginValue(const QLineEdit* edit, int& hundredths)
{
    bool ok = false;
    const double mm = QLocale::c().toDouble(edit->text().trimmed(), &ok);
    if (!ok || mm < 0 || mm > kMaxMarginMm)
        return false;
    hundredths = static_cast<int>(mm * 100.0 + 0.5);
    return true;
}

} // namespace

SourcePageSetupDlg::SourcePageSetupDlg(SourcePageSetupModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("id_%1").arg(IDD_PAGESETUPDLG));
    setWindowTitle(QStringLiteral("ページ設定"));

    static const struct
    {
        int id;
        const char* label;
        int row;
        int column;
    } kFields[] = {
        {IDC_MARGIN_LEFT, "左(&L):", 0, 0},
        {IDC_MARGIN_RIGHT, "右(&R):", 0, 2},
        {IDC_MARGIN_TOP, "上(&T):", 1, 0},
        {IDC_MARGIN_BOTTOM, "下(&B):", 1, 2},
    };
    const int values[] = {m_model.m_nLeftMargin, m_model.m_nRightMargin, m_model.m_nTopMargin, m_model.m_nBottomMargin};

    auto* box = new QGroupBox(QStringLiteral("余白 (ミリ)"), this);
    auto* grid = new QGridLayout(box);
    auto* validator = new QDoubleValidator(0.0, kMaxMarginMm, 2, this);
    validator->setLocale(QLocale::c());
    validator->setNotation(QDoubleValidator::StandardNotation);
    for (size_t i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(marginText(values[i]), box);
        edit->setObjectName(QStringLiteral("id_%1").arg(kFields[i].id));
        edit->setValidator(validator);
        auto* label = new QLabel(QString::fromUtf8(kFields[i].label), box);
        label->setBuddy(edit);
        grid->addWidget(label, kFields[i].row, kFields[i].column);
        grid->addWidget(edit, kFields[i].row, kFields[i].column + 1);
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
        m_pMargins[i] = edit;
    }

    m_pOk = new QPushButton(QStringLiteral("OK"), this);
    m_pOk->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    m_pOk->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    connect(m_pOk, &QPushButton::clicked, this, &SourcePageSetupDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &SourcePageSetupDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
}

int SourcePageSetupDlg::Run()
{
    UpdateButtons();
    return platform::runModal(*this, IDD_PAGESETUPDLG);
}

void SourcePageSetupDlg::UpdateButtons()
{
    bool valid = true;
    for (const QLineEdit* edit : m_pMargins) {
        int value = 0;
        valid = valid && marginValue(edit, value);
    }
    m_pOk->setEnabled(valid);
}

void SourcePageSetupDlg::accept()
{
    int values[4] = {};
    for (size_t i = 0; i < 4; ++i)
        if (!marginValue(m_pMargins[i], values[i]))
            return;
    m_model.m_nLeftMargin = values[0];
    m_model.m_nRightMargin = values[1];
    m_model.m_nTopMargin = values[2];
    m_model.m_nBottomMargin = values[3];
    done(platform::IDOK);
}

void SourcePageSetupDlg::reject()
{
    done(platform::IDCANCEL);
}
