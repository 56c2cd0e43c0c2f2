#pragma once

#include "dialogs/AddressFileDialog.h"

class QCheckBox;

// The open dialog of a media object to insert (Flash, Media Player,
// Shockwave, Real Audio): a file or an address, each kind with its own
// title, types, default extension, remembered folder and address history.
// Media Player adds the options auto start (1512) and repeat (1511), read
// into m_bAutoStart and m_bRepeat when the dialog ends with OK.
//
//   VornaDialogAdvancedObject dlg(true, VornaDialogAdvancedObject::Flash, QString(), QString(), 0x1006,
//                                 LoadResString(IDS_FILTER_FLASH));
//   if (dlg.DoModal() == IDOK)
//       insert(dlg.m_bURL ? dlg.m_strURL : dlg.GetPathName());
class VornaDialogAdvancedObject : public AddressFileDialog
{
    Q_OBJECT
public:
    static constexpr int kDialogId = -12;

    enum Kind { Flash = 0, MediaPlayer = 1, Shockwave = 2, RealAudio = 3 };

    // What each kind is opened with.
    struct KindInfo
    {
        int titleId;
        int filterId;
        QString defExt;
        QString historyKey;  // below the product key
        QString recentValue; // of "Recent Opened Dir"
    };
    static KindInfo InfoOf(int kind);

    // The kind's own default extension replaces the caller's; an empty filter
    // means the kind's.
    VornaDialogAdvancedObject(bool bOpenFileDialog, int nKind, const QString& defExt = QString(),
                              const QString& fileName = QString(),
                              quint32 flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                              const QString& filter = QString(), QWidget* parent = nullptr);
    ~VornaDialogAdvancedObject() override;

    int m_nKind;
    bool m_bAutoStart = false;
    bool m_bRepeat = false;

protected:
    void OnDestroy(int result) override;

private:
    QCheckBox* m_chkAutoStart = nullptr;
    QCheckBox* m_chkRepeat = nullptr;
};
