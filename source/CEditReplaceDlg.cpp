#include "source/CEditReplaceDlg.h"

#include "platform/ModalRunner.h"
#include "res/resource.h"
#include "source/VornaSourceEditView.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The replace dialog's view of the source edit view.
class EditReplaceViewTarget : public EditReplaceTarget
{
public:
    explicit EditReplaceViewTarget(VornaSourceEditView* view) : m_view(view) {}

    bool FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found) override
    {
        return m_view->FindInText(what, start, flags, wrap, found);
    }
    bool FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd, uint32_t flags,
                     bool wrap, QPoint& found) override
    {
        return m_view->FindInRange(what, start, blockStart, blockEnd, flags, wrap, found);
    }
    void SelectFoundText(QPoint start, int length) override { m_view->SelectFoundText(start, length); }
    bool ReplaceSelection(const std::string& text) override { return m_view->ReplaceSelection(text); }
    void ReportNotFound(const QString& findWhat) override
    {
        ShowMessageBox(LoadResString(IDS_EDIT_TEXT_NOT_FOUND).arg(findWhat));
    }

private:
    VornaSourceEditView* m_view;
};

template <typename Widget> Widget* namedControl(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

} // namespace

CEditReplaceDlg::CEditReplaceDlg(VornaSourceEditView* view)
    : QDialog(view), m_pTarget(std::make_unique<EditReplaceViewTarget>(view)), m_model(m_pTarget.get())
{
    setObjectName(QStringLiteral("id_%1").arg(IDD_EDIT_REPLACE));
    setWindowTitle(QStringLiteral("置換"));

    m_pFindWhat = namedControl(new QLineEdit(this), IDC_EDIT_TEXT);
    m_pReplaceWith = namedControl(new QLineEdit(this), IDC_EDIT_REPLACE_WITH);
    m_pWholeWord = namedControl(new QCheckBox(QStringLiteral("単語単位で探す(&W)"), this), IDC_EDIT_WHOLE_WORD);
    m_pMatchCase =
        namedControl(new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this), IDC_EDIT_MATCH_CASE);
    auto* scopeBox = new QGroupBox(QStringLiteral("置換の対象"), this);
    m_pScopeSelection =
        namedControl(new QRadioButton(QStringLiteral("選択範囲(&S)"), scopeBox), IDC_EDIT_SCOPE_SELECTION);
    m_pScopeWholeText =
        namedControl(new QRadioButton(QStringLiteral("文書全体(&E)"), scopeBox), IDC_EDIT_SCOPE_WHOLEFILE);
    auto* scopeGroup = new QButtonGroup(this);
    scopeGroup->addButton(m_pScopeSelection, 0);
    scopeGroup->addButton(m_pScopeWholeText, 1);
    auto* scopeLayout = new QVBoxLayout(scopeBox);
    scopeLayout->addWidget(m_pScopeSelection);
    scopeLayout->addWidget(m_pScopeWholeText);

    m_pFindNext = namedControl(new QPushButton(QStringLiteral("次を検索(&F)"), this), IDC_EDIT_SKIP);
    m_pReplace = namedControl(new QPushButton(QStringLiteral("置換(&R)"), this), IDC_EDIT_REPLACE);
    m_pReplaceAll = namedControl(new QPushButton(QStringLiteral("すべて置換(&A)"), this), IDC_EDIT_REPLACE_ALL);
    auto* cancel = namedControl(new QPushButton(QStringLiteral("キャンセル"), this), platform::IDCANCEL);
    m_pFindNext->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("検索する文字列(&N):"), this), 0, 0);
    fields->addWidget(m_pFindWhat, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("置換後の文字列(&P):"), this), 1, 0);
    fields->addWidget(m_pReplaceWith, 1, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(m_pWholeWord);
    left->addWidget(m_pMatchCase);
    left->addWidget(scopeBox);
    left->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pFindNext);
    buttons->addWidget(m_pReplace);
    buttons->addWidget(m_pReplaceAll);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_pFindWhat, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_pFindNext, &QPushButton::clicked, this, [this] { OnEditSkip(); });
    connect(m_pReplace, &QPushButton::clicked, this, [this] { OnEditReplace(); });
    connect(m_pReplaceAll, &QPushButton::clicked, this, [this] { OnEditReplaceAll(); });
    connect(cancel, &QPushButton::clicked, this, &CEditReplaceDlg::reject);
}

CEditReplaceDlg::~CEditReplaceDlg() = default;

int CEditReplaceDlg::Run()
{
    OnInitDialog();
    return platform::runModal(*this, IDD_EDIT_REPLACE);
}

void CEditReplaceDlg::OnInitDialog()
{
    UpdateData(false);
    m_pScopeSelection->setEnabled(m_model.m_bEnableScopeSelection);
    m_model.m_bFound = false;
    UpdateButtons();
}

void CEditReplaceDlg::UpdateButtons()
{
    const bool hasText = !m_pFindWhat->text().isEmpty();
    m_pFindNext->setEnabled(hasText);
    m_pReplace->setEnabled(hasText);
    m_pReplaceAll->setEnabled(hasText);
}

void CEditReplaceDlg::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_model.m_sText = m_pFindWhat->text();
        m_model.m_sNewText = m_pReplaceWith->text();
        m_model.m_bMatchCase = m_pMatchCase->isChecked();
        m_model.m_bWholeWord = m_pWholeWord->isChecked();
        m_model.m_nScope = m_pScopeSelection->isChecked() ? 0 : (m_pScopeWholeText->isChecked() ? 1 : -1);
        return;
    }
    m_pFindWhat->setText(m_model.m_sText);
    m_pReplaceWith->setText(m_model.m_sNewText);
    m_pMatchCase->setChecked(m_model.m_bMatchCase);
    m_pWholeWord->setChecked(m_model.m_bWholeWord);
    m_pScopeSelection->setChecked(m_model.m_nScope == 0);
    m_pScopeWholeText->setChecked(m_model.m_nScope == 1);
}

void CEditReplaceDlg::OnEditSkip()
{
    UpdateData(true);
    if (m_model.CanFindNext())
        m_model.OnFindNext();
}

void CEditReplaceDlg::OnEditReplace()
{
    UpdateData(true);
    m_model.OnReplace();
}

void CEditReplaceDlg::OnEditReplaceAll()
{
    UpdateData(true);
    m_model.OnReplaceAll();
}

void CEditReplaceDlg::reject()
{
    UpdateData(true);
    QDialog::reject();
}
