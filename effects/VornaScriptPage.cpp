#include "effects/VornaScriptPage.h"

#include "app/VornaHTMLViewer.h"
#include "effects/VornaDlgScript.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/DataRoot.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QUrl>
#include <QVBoxLayout>

QString ScriptTemplateFolder()
{
    return platform::resolveCaseBlind(AppContext::instance().installFolder(), QStringLiteral("Other/script")) + u'/';
}

QString ScriptPreviewPicturePath(const QString& fileName)
{
    return ScriptTemplateFolder() + QStringLiteral("scriptpreview/") + fileName;
}

VornaScriptPage::VornaScriptPage() = default;

VornaScriptPage::~VornaScriptPage() = default;

void VornaScriptPage::Create(VornaDlgScript* wizard, QWidget* frame)
{
    if (m_pWizard)
        return;
    m_pWizard = wizard;
    setParent(frame);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pControls = new QWidget(this);
    m_pControlsLayout = new QVBoxLayout(m_pControls);
    m_pControlsLayout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pControls, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(LoadResString(IDS_SCRIPT_PREVIEW), this));
    m_stPreview = new QWidget(this);
    m_stPreview->setObjectName(QStringLiteral("id_%1").arg(IDC_SCRIPT_PREVIEW_FRAME));
    m_stPreview->setFixedSize(PreviewWidth, PreviewHeight);
    right->addWidget(m_stPreview);
    auto* box = new QGroupBox(LoadResString(IDS_SCRIPT_DESCRIPTION), this);
    auto* boxLayout = new QVBoxLayout(box);
    m_stDescription = new QLabel(box);
    m_stDescription->setObjectName(QStringLiteral("id_%1").arg(IDC_SCRIPT_DESCRIPTION));
    m_stDescription->setWordWrap(true);
    m_stDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stDescription->setFixedWidth(PreviewWidth - 16);
    boxLayout->addWidget(m_stDescription, 1);
    right->addWidget(box, 1);
    layout->addLayout(right);

    m_pViewer = new VornaHTMLViewer(m_stPreview);
    m_pViewer->Create(QRect(QPoint(0, 0), m_stPreview->size()), m_stPreview);
    // The browser is made now: made later, inside a shown wizard, it would
    // have the wizard's window made anew.
    m_pViewer->Navigate(QStringLiteral("about:blank"));
    OnInitDialog();
    // Room left over goes to a list of the page, else below the controls.
    m_pControlsLayout->addStretch(0);
    setGeometry(frame->rect());
}

void VornaScriptPage::DestroyWindow()
{
    delete m_pViewer;
    m_pViewer = nullptr;
    hide();
    setParent(nullptr);
}

QListWidget* VornaScriptPage::MakeValueList(const QStringList& rows)
{
    auto* list = MakeControl<QListWidget>(IDC_SCRIPT_LIST);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->addItems(rows);
    list->setCurrentRow(-1);
    return list;
}

QString VornaScriptPage::description() const
{
    return m_stDescription ? m_stDescription->text() : QString();
}

void VornaScriptPage::SetNextEnabled(bool enabled)
{
    if (m_pWizard)
        m_pWizard->SetNextEnabled(this, enabled);
}

void VornaScriptPage::SetDescription(const QString& text)
{
    if (m_stDescription)
        m_stDescription->setText(text);
}

void VornaScriptPage::ShowPreviewPicture(const QString& fileName)
{
    if (!m_pViewer)
        return;
    // A picture that is not there leaves the preview empty.
    const QString path = ScriptPreviewPicturePath(fileName);
    if (!QFileInfo(path).isFile()) {
        m_pViewer->ShowHtmlBody(QString());
        return;
    }
    // As an address, so that no character of the install folder's path can
    // end the viewer's IMG attribute.
    m_pViewer->ShowImage(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded));
}
