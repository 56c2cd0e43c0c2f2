#include "dialogs/VornaDialogBackMusic.h"

#include "controls/VornaImageButton.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/StringResources.h"

#include "platform/DataRoot.h"
#include "platform/Desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QToolButton>

namespace vornadialogbackmusic_detail {

VornaDialogBackMusic::Player& player()
{
    static VornaDialogBackMusic::Player play;
    return play;
}

// The program's sound folder, made when it is missing.
QString soundFolder()
{
    const QString folder =
        platform::resolveCaseBlind(AppContext::instance().installFolder(), QStringLiteral("Other/Bgsound"));
    if (!QFileInfo::exists(folder))
        QDir().mkpath(folder);
    return folder;
}

QString filterOrSounds(const QString& filter)
{
    return filter.isEmpty() ? LoadResString(IDS_FILTER_BACKGROUND_SOUND) : filter;
}

} // namespace vornadialogbackmusic_detail

VornaDialogBackMusic::VornaDialogBackMusic(bool bOpenFileDialog, const QString& defExt, const QString& fileName,
                                           quint32 flags, const QString& filter, QWidget* parent)
    : AddressFileDialog(bOpenFileDialog, defExt, fileName, flags, vornadialogbackmusic_detail::filterOrSounds(filter),
                        parent, kDialogId, QStringLiteral("BGSound History"), QStringLiteral("Recent Opened BGSound"),
                        vornadialogbackmusic_detail::soundFolder()),
      m_strSoundFolder(vornadialogbackmusic_detail::soundFolder()),
      m_strTitle(LoadResString(IDS_OPEN_BACKGROUND_SOUND_TITLE))
{
    SetDefExt(QStringLiteral("mid"));
    setWindowTitle(m_strTitle);

    m_btnListen = new VornaImageButton(this);
    m_btnListen->setObjectName(QStringLiteral("id_%1").arg(kListenButtonId));
    m_btnListen->SetBitmap(QStringLiteral(":/res/bitmaps/613.png"));
    m_btnListen->setFixedSize(22, 22);
    AddBesideFileName(m_btnListen);
    connect(m_btnListen, &QAbstractButton::clicked, this, [this] { OnListen(); });

    QToolButton* folder =
        AddFolderButton(kSoundFolderButtonId, ProgramIcon(), LoadResString(IDS_PROGRAM_FOLDER_SHORTCUT));
    connect(folder, &QToolButton::clicked, this, [this] { OnSoundFolder(); });
    // The same name means another file in another folder.
    connect(this, &QFileDialog::directoryEntered, this, [this] { m_btnListen->setEnabled(CanListen(TypedPath())); });
    m_btnListen->setEnabled(CanListen(TypedPath()));
}

VornaDialogBackMusic::~VornaDialogBackMusic() = default;

bool VornaDialogBackMusic::CanListen(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return false;
    const QString extension = info.suffix();
    return extension.compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0 ||
           extension.compare(QLatin1String("mid"), Qt::CaseInsensitive) == 0 ||
           extension.compare(QLatin1String("midi"), Qt::CaseInsensitive) == 0;
}

void VornaDialogBackMusic::SetPlayer(Player play)
{
    vornadialogbackmusic_detail::player() = std::move(play);
}

QString VornaDialogBackMusic::TypedPath() const
{
    const QString text = fileNameEdit()->text().trimmed();
    if (text.isEmpty())
        return QString();
    return QDir::isAbsolutePath(text) ? text : QDir(GetFolderPath()).absoluteFilePath(text);
}

void VornaDialogBackMusic::OnInitDialog()
{
    AddressFileDialog::OnInitDialog();
    m_strFileName = QFileInfo(TypedPath()).fileName();
    m_btnListen->setEnabled(CanListen(TypedPath()));
}

void VornaDialogBackMusic::OnChangeFileName(const QString& text)
{
    AddressFileDialog::OnChangeFileName(text);
    m_strFileName = text;
    if (m_btnListen)
        m_btnListen->setEnabled(CanListen(TypedPath()));
}

void VornaDialogBackMusic::OnListen()
{
    fileNameEdit()->setFocus();
    const QString path = TypedPath();
    if (!CanListen(path))
        return;
    const Player& play = vornadialogbackmusic_detail::player();
    if (play)
        play(path);
    else
        platform::openWithDesktop(path);
}

void VornaDialogBackMusic::OnSoundFolder()
{
    ChangeFolder(m_strSoundFolder);
}
