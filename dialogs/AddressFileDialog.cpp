#include "dialogs/AddressFileDialog.h"

#include "controls/CVornaComboBox.h"
#include "controls/RecentFolders.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AddressFileDialog::AddressFileDialog(bool bOpenFileDialog, const QString& defExt, const QString& fileName,
                                     quint32 flags, const QString& filter, QWidget* parent, int dialogId,
                                     const QString& historyKey, const QString& recentValue, const QString& startFolder)
    : CFileDialog(bOpenFileDialog, defExt, fileName, flags, filter, parent, dialogId), m_strInitial(fileName),
      m_history(historyKey), m_strRecentValue(recentValue)
{
    // A file given with its folder starts there; otherwise the remembered folder.
    if (!QDir::isAbsolutePath(m_strInitial)) {
        const QString remembered = ReadRecentFolder(m_strRecentValue);
        setDirectory(remembered.isEmpty() ? startFolder : remembered);
    }

    m_cbURL = new CVornaComboBox(this);
    m_cbURL->setObjectName(QStringLiteral("id_1514"));
    m_cbURL->setEditable(true);
    m_cbURL->setInsertPolicy(QComboBox::NoInsert);
    m_cbURL->setMaxVisibleItems(AddressHistory::kMaxEntries);
    m_cbURL->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cbURL->setMinimumContentsLength(20);
    m_stURL = new QLabel(LoadResString(IDS_ADDRESS_LABEL), this);
    m_stURL->setObjectName(QStringLiteral("id_1513"));
    m_stURL->setBuddy(m_cbURL);
    AddRow(m_stURL, m_cbURL);

    m_history.FillComboBox(*m_cbURL);
    m_cbURL->setCurrentIndex(-1);
    m_cbURL->clearEditText();
    connect(m_cbURL->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { OnEditchangeURL(text); });
    // The file dialog enables OK for a file name only; an address is enough too.
    connect(m_cbURL, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!text.trimmed().isEmpty() && okButton())
            okButton()->setEnabled(true);
    });
    if (okButton())
        okButton()->installEventFilter(this);
    connect(m_cbURL, &QComboBox::activated, this, [this](int index) { OnEditchangeURL(m_cbURL->itemText(index)); });
}

AddressFileDialog::~AddressFileDialog() = default;

void AddressFileDialog::showEvent(QShowEvent* event)
{
    CFileDialog::showEvent(event);
    if (m_bShown)
        return;
    m_bShown = true;
    OnInitDialog();
}

void AddressFileDialog::OnInitDialog()
{
    if (!m_strURL.isEmpty())
        m_cbURL->setEditText(m_strURL);
}

bool AddressFileDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == okButton() && event->type() == QEvent::EnabledChange && !okButton()->isEnabled() && m_cbURL &&
        !m_cbURL->currentText().trimmed().isEmpty())
        okButton()->setEnabled(true);
    return CFileDialog::eventFilter(watched, event);
}

void AddressFileDialog::accept()
{
    const QString address = m_cbURL->currentText();
    if (address.trimmed().isEmpty()) {
        m_bURL = false;
        CFileDialog::accept();
        return;
    }
    m_bURL = true;
    m_history.AddFromComboBox(*m_cbURL, address);
    m_strURL = address;
    m_strURL.replace(u'\\', u'/');
    QDialog::accept();
}

void AddressFileDialog::OnChangeFileName(const QString& text)
{
    if (!text.isEmpty() && m_cbURL)
        m_cbURL->clearEditText();
}

void AddressFileDialog::OnEditchangeURL(const QString& text)
{
    if (!text.isEmpty())
        fileNameEdit()->clear();
}

void AddressFileDialog::OnDestroy(int result)
{
    m_bCancelled = result != platform::IDOK;
    if (m_bCancelled || m_bURL)
        return;
    const QString path = GetPathName();
    if (!path.isEmpty())
        WriteRecentFolder(m_strRecentValue, QFileInfo(path).absolutePath());
}
