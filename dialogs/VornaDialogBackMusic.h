#pragma once

#include "dialogs/AddressFileDialog.h"

#include <functional>

class VornaImageButton;

// The open dialog of a page's background sound: a file or an address on the
// web (with the "BGSound History"), a Listen button (1510) beside the name
// box that plays the chosen sound, and a button first in the folder row
// (1016) that goes to the program's sound folder. The caller may put the
// current sound's address into m_strURL before DoModal.
class VornaDialogBackMusic : public AddressFileDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = -13;
    static constexpr int kSoundFolderButtonId = 1016;
    static constexpr int kListenButtonId = 1510;

    VornaDialogBackMusic(bool bOpenFileDialog, const QString& defExt = QString(), const QString& fileName = QString(),
                         quint32 flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         const QString& filter = QString(), QWidget* parent = nullptr);
    ~VornaDialogBackMusic() override;

    // Listen plays only a sound file that exists: .wav, .mid or .midi.
    static bool CanListen(const QString& path);

    // How Listen plays a file; the desktop's player unless a test replaces it.
    using Player = std::function<bool(const QString& path)>;
    static void SetPlayer(Player player);

    VornaImageButton* listenButton() const { return m_btnListen; }

    QString m_strSoundFolder;
    QString m_strTitle;
    QString m_strFileName;

protected:
    void OnInitDialog() override;
    void OnChangeFileName(const QString& text) override;

private:
    void OnListen();
    void OnSoundFolder();
    // The file named in the box, in the folder shown; empty without a name.
    QString TypedPath() const;

    VornaImageButton* m_btnListen = nullptr;
};
