#include "effects/VornaDlgScript.h"

#include "effects/VornaDlgScriptBrowser.h"
#include "effects/VornaDlgScriptImg.h"
#include "effects/VornaDlgScriptMouse.h"
#include "effects/VornaDlgScriptScreen.h"
#include "effects/VornaDlgScriptStart.h"
#include "effects/VornaDlgScriptStatus.h"
#include "effects/VornaDlgScriptText.h"
#include "effects/VornaScriptPage.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QAbstractButton>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornadlgscript_detail {

constexpr int kFrameWidth = 560;
constexpr int kFrameHeight = 330;

QPushButton* button(QWidget* parent, unsigned int textId, int id)
{
    auto* made = new QPushButton(LoadResString(textId), parent);
    made->setObjectName(QStringLiteral("id_%1").arg(id));
    made->setAutoDefault(false);
    return made;
}

} // namespace vornadlgscript_detail

VornaDlgScript::VornaDlgScript(QWidget* parent) : QDialog(parent)
{
    using namespace vornadlgscript_detail;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    m_stFrame = new QWidget(this);
    m_stFrame->setObjectName(QStringLiteral("id_%1").arg(IDC_SCRIPT_PAGE_FRAME));
    m_stFrame->setFixedSize(kFrameWidth, kFrameHeight);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_btnBack = button(this, IDS_SCRIPT_BACK, BackId);
    m_btnNext = button(this, IDS_SCRIPT_NEXT, platform::IDOK);
    m_btnCancel = button(this, IDS_MSGBOX_CANCEL, platform::IDCANCEL);
    m_btnBack->setEnabled(false);
    m_btnNext->setEnabled(false);
    connect(m_btnBack, &QPushButton::clicked, this, &VornaDlgScript::OnBack);
    connect(m_btnNext, &QPushButton::clicked, this, &VornaDlgScript::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &VornaDlgScript::OnCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnBack);
    buttons->addWidget(m_btnNext);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_stFrame);
    layout->addWidget(line);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The start page and the place of the kind's page.
    AddPage(std::make_unique<VornaDlgScriptStart>(), IDD_SCRIPT_START);
    AddPage(nullptr, IDD_SCRIPT_STATUS);
    CreatePage(0);
    SetActivePage(0);
    SetNextText(GetPageCount() <= 1);
}

VornaDlgScript::~VornaDlgScript()
{
    // The pages go before the frame that holds their windows.
    m_pages.clear();
}

VornaScriptPage* VornaDlgScript::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[size_t(index)].get() : nullptr;
}

int VornaDlgScript::GetTemplateId(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_templateIds[size_t(index)] : 0;
}

bool VornaDlgScript::IsNextEnabled(int index) const
{
    return index >= 0 && size_t(index) < m_nextEnabled.size() && m_nextEnabled[size_t(index)] != 0;
}

void VornaDlgScript::AddPage(std::unique_ptr<VornaScriptPage> page, int templateId)
{
    m_pages.push_back(std::move(page));
    m_templateIds.push_back(templateId);
    m_nextEnabled.resize(m_pages.size(), 0);
}

void VornaDlgScript::SetPage(int index, std::unique_ptr<VornaScriptPage> page, int templateId)
{
    if (index < 0)
        return;
    if (index >= GetPageCount()) {
        m_pages.resize(size_t(index) + 1);
        m_templateIds.resize(size_t(index) + 1, 0);
        m_nextEnabled.resize(size_t(index) + 1, 0);
    }
    m_pages[size_t(index)] = std::move(page);
    m_templateIds[size_t(index)] = templateId;
}

void VornaDlgScript::CreatePage(int index)
{
    VornaScriptPage* page = GetPage(index);
    if (!page || page->IsCreated())
        return;
    page->Create(this, m_stFrame);
    page->hide();
}

void VornaDlgScript::TruncatePages(int count)
{
    if (count < 0 || count >= GetPageCount())
        return;
    if (m_nCurrent >= count)
        m_nCurrent = -1;
    m_pages.resize(size_t(count));
    m_templateIds.resize(size_t(count));
    m_nextEnabled.resize(size_t(count));
}

bool VornaDlgScript::SetActivePage(int index)
{
    // 1. The shown page keeps its values, or refuses them and stays.
    if (VornaScriptPage* shown = GetPage(m_nCurrent)) {
        if (!shown->SaveData())
            return false;
        shown->hide();
    }
    // 2. The new page and its title.
    m_nCurrent = index;
    if (VornaScriptPage* page = GetPage(index)) {
        page->show();
        setWindowTitle(LoadResString(page->TitleId()));
    }
    return true;
}

void VornaDlgScript::SetNextEnabled(const VornaScriptPage* page, bool enabled)
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (m_pages[size_t(i)].get() == page) {
            SetNextEnabledAt(i, enabled);
            return;
        }
    }
}

void VornaDlgScript::SetNextEnabledAt(int index, bool enabled)
{
    if (index < 0)
        return;
    if (size_t(index) >= m_nextEnabled.size())
        m_nextEnabled.resize(size_t(index) + 1, 0);
    m_nextEnabled[size_t(index)] = enabled ? 1 : 0;
    m_btnNext->setEnabled(enabled);
}

void VornaDlgScript::SetNextText(bool finish)
{
    m_btnNext->setText(LoadResString(finish ? IDS_SCRIPT_FINISH : IDS_SCRIPT_NEXT));
}

void VornaDlgScript::PressNext()
{
    if (m_btnNext->isEnabled())
        m_btnNext->click();
}

std::vector<std::unique_ptr<VornaScriptPage>> VornaDlgScript::TakePages()
{
    std::vector<std::unique_ptr<VornaScriptPage>> pages = std::move(m_pages);
    m_pages.clear();
    m_templateIds.clear();
    m_nextEnabled.clear();
    m_nCurrent = -1;
    return pages;
}

void VornaDlgScript::OnOK()
{
    // 1. Finish on the last page: every page gives its values. Differs from
    // finishing whatever they say: the wizard stays on a page whose values
    // are refused.
    if (m_nCurrent >= GetPageCount() - 1) {
        for (int i = 0; i < GetPageCount(); ++i) {
            VornaScriptPage* page = GetPage(i);
            if (page && !(page->SaveData() && page->CheckValues())) {
                if (i != m_nCurrent) {
                    if (VornaScriptPage* shown = GetPage(m_nCurrent))
                        shown->hide();
                    m_nCurrent = -1;
                    SetActivePage(i);
                    SetNextText(i >= GetPageCount() - 1);
                    m_btnNext->setEnabled(IsNextEnabled(i));
                    m_btnBack->setEnabled(i > 0);
                }
                return;
            }
        }
        DestroyPages();
        done(platform::IDOK);
        return;
    }
    VornaScriptPage* shown = GetPage(m_nCurrent);
    if (shown && !(shown->SaveData() && shown->CheckValues()))
        return;
    // 2. Leaving the start page: the kind's page.
    if (m_nCurrent == 0) {
        const auto* start = dynamic_cast<VornaDlgScriptStart*>(GetPage(0));
        if (start && start->m_nKind == 1 && m_bFramesetPage) {
            ShowMessageBox(LoadResString(IDS_SCRIPT_NO_BROWSER_IN_FRAMES), 0, 0x40, 1);
            return;
        }
        PrepareKindPage();
    } else if (m_nCurrent == 1) {
        // 3. Leaving the effect page: the pointer's page.
        PreparePointerPage();
    }
    // 4.-7. The next page.
    m_btnNext->setEnabled(IsNextEnabled(m_nCurrent + 1));
    SetActivePage(m_nCurrent + 1);
    if (m_nCurrent == GetPageCount() - 1)
        SetNextText(true);
    m_btnBack->setEnabled(true);
    m_btnCancel->setFocus();
}

void VornaDlgScript::PrepareKindPage()
{
    const auto* start = dynamic_cast<VornaDlgScriptStart*>(GetPage(0));
    const int kind = start ? start->m_nKind : -1;
    if (kind < 0 || kind > 3)
        return;
    // 1. The page of that kind stays as it is.
    VornaScriptPage* current = GetPage(1);
    const bool same = (kind == 0 && dynamic_cast<VornaDlgScriptStatus*>(current)) ||
                      (kind == 1 && dynamic_cast<VornaDlgScriptBrowser*>(current)) ||
                      (kind == 2 && dynamic_cast<VornaDlgScriptScreen*>(current)) ||
                      (kind == 3 && dynamic_cast<VornaDlgScriptMouse*>(current));
    if (same)
        return;
    // 2. A new page in its place; a pointer page left from the mouse goes.
    if (kind != 3)
        TruncatePages(2);
    std::unique_ptr<VornaScriptPage> page;
    int templateId = 0;
    switch (kind) {
    case 0:
        page = std::make_unique<VornaDlgScriptStatus>();
        templateId = IDD_SCRIPT_STATUS;
        break;
    case 1:
        page = std::make_unique<VornaDlgScriptBrowser>();
        templateId = IDD_SCRIPT_BROWSER;
        break;
    case 2:
        page = std::make_unique<VornaDlgScriptScreen>();
        templateId = IDD_SCRIPT_SCREEN;
        break;
    default:
        page = std::make_unique<VornaDlgScriptMouse>();
        templateId = IDD_SCRIPT_MOUSE;
        break;
    }
    SetNextEnabledAt(1, false);
    SetPage(1, std::move(page), templateId);
    CreatePage(1);
}

void VornaDlgScript::PreparePointerPage()
{
    const auto* mouse = dynamic_cast<VornaDlgScriptMouse*>(GetPage(1));
    // Differs from making a pointer page whenever the type is set: only a
    // mouse page that changes the pointer has a place for it.
    if (!mouse || mouse->m_strPointerType.isEmpty() || GetPageCount() < 3)
        return;
    const bool image = mouse->m_strPointerType == QLatin1String("IMG");
    VornaScriptPage* current = GetPage(2);
    const bool same = image ? dynamic_cast<VornaDlgScriptImg*>(current) != nullptr
                            : dynamic_cast<VornaDlgScriptText*>(current) != nullptr;
    if (!same) {
        SetNextEnabledAt(2, false);
        if (image)
            SetPage(2, std::make_unique<VornaDlgScriptImg>(), IDD_SCRIPT_IMG);
        else
            SetPage(2, std::make_unique<VornaDlgScriptText>(), IDD_SCRIPT_TEXT);
        CreatePage(2);
    }
    SetNextText(false);
}

void VornaDlgScript::OnBack()
{
    if (m_nCurrent > 0) {
        if (m_nCurrent == GetPageCount() - 1)
            SetNextText(false);
        const int previous = m_nCurrent - 1;
        if (SetActivePage(previous))
            m_btnNext->setEnabled(IsNextEnabled(previous));
    }
    if (m_nCurrent < 1)
        m_btnBack->setEnabled(false);
    m_btnCancel->setFocus();
}

void VornaDlgScript::OnCancel()
{
    m_pages.clear();
    m_templateIds.clear();
    m_nextEnabled.clear();
    m_nCurrent = -1;
    done(platform::IDCANCEL);
}

void VornaDlgScript::DestroyPages()
{
    for (const std::unique_ptr<VornaScriptPage>& page : m_pages) {
        if (page)
            page->DestroyWindow();
    }
}

void VornaDlgScript::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        OnCancel();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* focused = qobject_cast<QAbstractButton*>(focusWidget()); focused && focused->isEnabled()) {
            focused->click();
            return;
        }
        PressNext();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
