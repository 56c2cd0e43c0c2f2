#include "controls/CFileDialog.h"
#include "controls/FileListTexts.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/MessageBoxDialog.h"
#include "platform/ModalRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace cfiledialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

bool hasWildcard(const QString& name)
{
    return name.contains(u'*') || name.contains(u'?');
}

// The questions the dialog asks itself. They never take an answer remembered
// for a batch of documents: they are about this one file.
int askAboutFile(QWidget* parent, const QString& caption, const QString& text, bool yesNo)
{
    platform::MessageBoxDialog box(parent, caption, text, platform::MessageBoxDialog::Icon::Exclamation);
    if (yesNo) {
        box.addButton(platform::IDYES, LoadResString(IDS_MSGBOX_YES));
        box.addButton(platform::IDNO, LoadResString(IDS_MSGBOX_NO));
    } else {
        box.addButton(platform::IDOK, LoadResString(IDS_MSGBOX_OK));
    }
    return platform::runModal(box, platform::kMessageBoxDialogId, text);
}

} // namespace cfiledialog_detail

CFileDialog::CFileDialog(bool bOpenFileDialog, const QString& defExt, const QString& fileName, quint32 flags,
                         const QString& filter, QWidget* parent, int dialogId)
    : QFileDialog(parent ? parent : AppContext::instance().mainWindow()), m_nDialogId(dialogId), m_dwFlags(flags),
      m_defaultExtension(defExt)
{
    using namespace cfiledialog_detail;
    // The program checks the name itself (through its own message boxes), so
    // Qt's dialog takes any name and never asks on its own.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::HideNameFilterDetails);
    setOption(QFileDialog::DontConfirmOverwrite);
    setAcceptMode(bOpenFileDialog ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setProxyModel(new FileListTexts(this));
    FindControls();

    m_filters = ParseFileDialogFilter(filter);
    QStringList nameFilters;
    for (const FileDialogFilter& entry : m_filters)
        nameFilters << QtNameFilter(entry);
    if (!nameFilters.isEmpty())
        setNameFilters(nameFilters);
    ApplyDefaultSuffix(0);
    if (m_fileTypeCombo)
        connect(m_fileTypeCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
            if (index >= 0)
                OnTypeChange(index);
        });
    if (m_fileNameEdit) {
        connect(m_fileNameEdit, &QLineEdit::textChanged, this, [this](const QString& text) { OnChangeFileName(text); });
        m_fileNameEdit->installEventFilter(this);
    }
    if (!fileName.isEmpty()) {
        if (QDir::isAbsolutePath(fileName))
            setDirectory(QFileInfo(fileName).absolutePath());
        if (m_fileNameEdit)
            m_fileNameEdit->setText(QFileInfo(fileName).fileName());
    }
}

CFileDialog::~CFileDialog() = default;

void CFileDialog::FindControls()
{
    using namespace cfiledialog_detail;
    m_fileNameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    m_fileTypeCombo = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    m_fileTypeLabel = findChild<QLabel*>(QStringLiteral("fileTypeLabel"));
    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    Q_ASSERT(m_fileNameEdit && m_fileTypeCombo && m_fileTypeLabel && buttons);
    if (buttons) {
        m_okButton = buttons->button(acceptMode() == AcceptOpen ? QDialogButtonBox::Open : QDialogButtonBox::Save);
        if (m_okButton)
            m_okButton->setObjectName(controlName(1));
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
            cancel->setObjectName(controlName(2));
    }
    if (m_fileNameEdit)
        m_fileNameEdit->setObjectName(controlName(1152));
    if (m_fileTypeCombo)
        m_fileTypeCombo->setObjectName(controlName(1136));
    if (m_fileTypeLabel)
        m_fileTypeLabel->setObjectName(controlName(1089));
}

int CFileDialog::DoModal()
{
    m_bClosed = false;
    m_strAccepted.clear();
    return platform::runModal(*this, m_nDialogId);
}

QString CFileDialog::GetPathName() const
{
    if (m_bClosed || !m_strAccepted.isEmpty())
        return m_strAccepted;
    const QString text = m_fileNameEdit ? m_fileNameEdit->text().trimmed() : QString();
    if (text.isEmpty())
        return QString();
    QString path = QDir::cleanPath(QDir::isAbsolutePath(text) ? text : directory().absoluteFilePath(text));
    const QFileInfo info(path);
    if (!info.isDir() && !info.fileName().contains(u'.') && !defaultSuffix().isEmpty())
        path += u'.' + defaultSuffix();
    return path;
}

QString CFileDialog::GetFileName() const
{
    return QFileInfo(GetPathName()).fileName();
}

QString CFileDialog::GetFileExt() const
{
    const QString name = GetFileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString CFileDialog::GetFolderPath() const
{
    return directory().absolutePath();
}

void CFileDialog::SetDefExt(const QString& extension)
{
    m_defaultExtension = extension;
    ApplyDefaultSuffix(GetFilterIndex());
}

void CFileDialog::ApplyDefaultSuffix(int filterIndex)
{
    if (filterIndex >= 0 && filterIndex < m_filters.size())
        setDefaultSuffix(DefaultExtensionOf(m_filters[filterIndex], m_defaultExtension));
    else
        setDefaultSuffix(m_defaultExtension);
}

int CFileDialog::GetFilterIndex() const
{
    return m_fileTypeCombo ? m_fileTypeCombo->currentIndex() : -1;
}

void CFileDialog::ChangeFolder(const QString& folder)
{
    const QString typed = m_fileNameEdit ? m_fileNameEdit->text() : QString();
    setDirectory(folder);
    if (m_fileNameEdit) {
        m_fileNameEdit->setText(typed);
        m_fileNameEdit->setFocus();
    }
    // The same name now stands for a file of another folder.
    OnChangeFileName(typed);
}

void CFileDialog::AddRow(QWidget* label, QWidget* field)
{
    auto* grid = qobject_cast<QGridLayout*>(layout());
    Q_ASSERT(grid);
    if (!grid)
        return;
    const int row = grid->rowCount();
    if (label)
        grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
}

void CFileDialog::AddBesideFileName(QWidget* widget)
{
    auto* grid = qobject_cast<QGridLayout*>(layout());
    const int index = grid && m_fileNameEdit ? grid->indexOf(m_fileNameEdit) : -1;
    if (index < 0)
        return;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    grid->removeWidget(m_fileNameEdit);
    auto* box = new QHBoxLayout; // owned by the grid from the next line on
    grid->addLayout(box, row, column, rowSpan, columnSpan);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(m_fileNameEdit, 1);
    box->addWidget(widget);
}

QToolButton* CFileDialog::AddFolderButton(int id, const QIcon& icon, const QString& tip)
{
    auto* back = findChild<QToolButton*>(QStringLiteral("backButton"));
    auto* grid = qobject_cast<QGridLayout*>(layout());
    QLayoutItem* rowItem = grid ? grid->itemAtPosition(0, 1) : nullptr;
    auto* row = rowItem ? qobject_cast<QBoxLayout*>(rowItem->layout()) : nullptr;
    auto* button = new QToolButton(this);
    button->setObjectName(cfiledialog_detail::controlName(id));
    button->setIcon(icon);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setAutoRaise(true);
    if (back) {
        button->setIconSize(back->iconSize());
        button->setAutoRaise(back->autoRaise());
    }
    const int at = row && back ? row->indexOf(back) : -1;
    if (row)
        row->insertWidget(at < 0 ? row->count() : at, button);
    return button;
}

QIcon CFileDialog::ProgramIcon() const
{
    QIcon icon = QApplication::windowIcon();
    if (const QWidget* main = AppContext::instance().mainWindow(); icon.isNull() && main)
        icon = main->windowIcon();
    return icon.isNull() ? style()->standardIcon(QStyle::SP_DirHomeIcon) : icon;
}

void CFileDialog::accept()
{
    using namespace cfiledialog_detail;
    const QString typed = m_fileNameEdit ? m_fileNameEdit->text().trimmed() : QString();
    if (typed.isEmpty())
        return;
    if (typed == QLatin1String("..")) {
        setDirectory(QDir(GetFolderPath()).absoluteFilePath(QStringLiteral("..")));
        m_fileNameEdit->clear();
        return;
    }
    const QString path = GetPathName();
    const QFileInfo info(path);
    if (info.isDir()) {
        // A folder named in the box is opened, as a double click does.
        setDirectory(info.absoluteFilePath());
        m_fileNameEdit->clear();
        return;
    }
    if (hasWildcard(info.fileName()))
        return;
    if ((m_dwFlags & OFN_FILEMUSTEXIST) && !info.exists()) {
        askAboutFile(this, windowTitle(), LoadResString(IDS_FILE_NOT_FOUND).arg(info.fileName()), false);
        return;
    }
    if (acceptMode() == AcceptSave && (m_dwFlags & OFN_OVERWRITEPROMPT) && info.exists() &&
        askAboutFile(this, windowTitle(), LoadResString(IDS_FILE_REPLACE).arg(info.fileName()), true) !=
            platform::IDYES)
        return;
    m_strAccepted = path;
    QDialog::accept();
}

void CFileDialog::done(int result)
{
    const int programResult = platform::programDialogResult(result);
    if (programResult != platform::IDOK)
        m_strAccepted.clear();
    else if (m_strAccepted.isEmpty())
        m_strAccepted = GetPathName(); // ended with IDOK by code, not by the OK button
    OnDestroy(programResult);
    m_bClosed = true;
    QFileDialog::done(result);
}

bool CFileDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_fileNameEdit) {
        if (event->type() == QEvent::InputMethod)
            m_ime.observe(static_cast<QInputMethodEvent&>(*event));
        else if (event->type() == QEvent::FocusOut)
            m_ime.complete(*m_fileNameEdit);
    }
    return QFileDialog::eventFilter(watched, event);
}

void CFileDialog::OnTypeChange(int index)
{
    ApplyDefaultSuffix(index);
}

void CFileDialog::OnChangeFileName(const QString&) {}

void CFileDialog::OnDestroy(int) {}
