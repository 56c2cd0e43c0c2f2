#include "dialogs/VornaDialogAdvancedObject.h"

#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vornadialogadvancedobject_detail {

int clampedKind(int kind)
{
    return kind >= VornaDialogAdvancedObject::Flash && kind <= VornaDialogAdvancedObject::RealAudio
               ? kind
               : VornaDialogAdvancedObject::Flash;
}

QString filterOrKinds(const QString& filter, int kind)
{
    return filter.isEmpty() ? LoadResString(unsigned(VornaDialogAdvancedObject::InfoOf(kind).filterId)) : filter;
}

// Where a kind starts before anything is remembered: the user's documents.
QString firstFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace vornadialogadvancedobject_detail

VornaDialogAdvancedObject::KindInfo VornaDialogAdvancedObject::InfoOf(int kind)
{
    switch (vornadialogadvancedobject_detail::clampedKind(kind)) {
    case MediaPlayer:
        return {IDS_OPEN_MEDIA_PLAYER_TITLE, IDS_FILTER_MEDIA_PLAYER, QStringLiteral("mid"),
                QStringLiteral("MediaPlayer History"), QStringLiteral("Recent Opened MediaPlayer")};
    case Shockwave:
        return {IDS_OPEN_SHOCKWAVE_TITLE, IDS_FILTER_SHOCKWAVE, QStringLiteral("dcr"),
                QStringLiteral("Shockwave History"), QStringLiteral("Recent Opened Shockwave")};
    case RealAudio:
        return {IDS_OPEN_REAL_AUDIO_TITLE, IDS_FILTER_REAL_AUDIO, QStringLiteral("ra"),
                QStringLiteral("RealAudio History"), QStringLiteral("Recent Opened RealAudio")};
    default:
        return {IDS_OPEN_FLASH_TITLE, IDS_FILTER_FLASH, QStringLiteral("swf"), QStringLiteral("Flash History"),
                QStringLiteral("Recent Opened Flash")};
    }
}

VornaDialogAdvancedObject::VornaDialogAdvancedObject(bool bOpenFileDialog, int nKind, const QString& defExt,
                                                     const QString& fileName, quint32 flags, const QString& filter,
                                                     QWidget* parent)
    : AddressFileDialog(bOpenFileDialog, defExt, fileName, flags,
                        vornadialogadvancedobject_detail::filterOrKinds(filter, nKind), parent, kDialogId,
                        InfoOf(nKind).historyKey, InfoOf(nKind).recentValue,
                        vornadialogadvancedobject_detail::firstFolder()),
      m_nKind(vornadialogadvancedobject_detail::clampedKind(nKind))
{
    const KindInfo info = InfoOf(m_nKind);
    setWindowTitle(LoadResString(unsigned(info.titleId)));
    SetDefExt(info.defExt);

    if (m_nKind == MediaPlayer) {
        auto* options = new QWidget(this);
        auto* row = new QHBoxLayout(options);
        row->setContentsMargins(0, 0, 0, 0);
        m_chkAutoStart = new QCheckBox(LoadResString(IDS_AUTO_START), options);
        m_chkAutoStart->setObjectName(QStringLiteral("id_1512"));
        m_chkRepeat = new QCheckBox(LoadResString(IDS_REPEAT), options);
        m_chkRepeat->setObjectName(QStringLiteral("id_1511"));
        row->addWidget(m_chkAutoStart);
        row->addSpacing(30);
        row->addWidget(m_chkRepeat);
        row->addStretch(1);
        AddRow(nullptr, options);
    }
}

VornaDialogAdvancedObject::~VornaDialogAdvancedObject() = default;

void VornaDialogAdvancedObject::OnDestroy(int result)
{
    AddressFileDialog::OnDestroy(result);
    if (result == platform::IDOK && m_chkAutoStart && m_chkRepeat) {
        m_bAutoStart = m_chkAutoStart->isChecked();
        m_bRepeat = m_chkRepeat->isChecked();
    }
}
