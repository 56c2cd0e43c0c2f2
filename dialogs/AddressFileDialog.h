#pragma once

#include "controls/AddressHistory.h"
#include "controls/CFileDialog.h"

class CVornaComboBox;
class QLabel;

// An open dialog that takes either a file or an address on the web: a row
// under the type row holds the label 1513 ("&URL") and the address box 1514
// with the last ten addresses of a history. Typing a file name empties the
// address and typing or choosing an address empties the file name. OK with an
// address ends the dialog with IDOK without the file checks: the address
// goes to the top of the history and comes back in m_strURL, every "\" turned
// into "/", with m_bURL set. A file accepted with OK has its folder remembered
// under a value of "Recent Opened Dir"; Cancel and the close box remember nothing.
class AddressFileDialog : public CFileDialog
{
    Q_OBJECT
public:
    // historyKey: the history's key below the product key ("BGSound History");
    // recentValue: the value its folder is remembered under. Without a file
    // name the dialog starts in the remembered folder, else in startFolder.
    AddressFileDialog(bool bOpenFileDialog, const QString& defExt, const QString& fileName, quint32 flags,
                      const QString& filter, QWidget* parent, int dialogId, const QString& historyKey,
                      const QString& recentValue, const QString& startFolder);
    ~AddressFileDialog() override;

    CVornaComboBox* addressBox() const { return m_cbURL; }

    QString m_strURL;    // the address chosen (in: shown in the box)
    bool m_bURL = false; // the result is the address, not a file
    bool m_bCancelled = false;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // When the dialog first shows: the caller's address goes into the box.
    virtual void OnInitDialog();
    void OnChangeFileName(const QString& text) override;
    void OnDestroy(int result) override;

    // The address was typed or chosen.
    virtual void OnEditchangeURL(const QString& text);

    QString m_strInitial;
    QLabel* m_stURL = nullptr;
    CVornaComboBox* m_cbURL = nullptr;
    AddressHistory m_history;
    QString m_strRecentValue;
    bool m_bShown = false;
};
