#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class CVornaFtp;
class QListWidget;

// The server list: the web server entries of the settings store, one row
// each, sorted. Add and Edit run the server entry dialog and store the entry
// through the FTP engine at once, Delete removes the selected entry at once;
// OK makes the selected entry the active one (the server publishing uses).
// Closing the dialog otherwise keeps the entries as changed and the active
// server as it was.
class VORNA_DIALOG_WEBPROPERTY : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 404;
    static constexpr int kListId = 1015;
    static constexpr int kAddId = 41870;
    static constexpr int kEditId = 4;
    static constexpr int kDeleteId = 3;

    // The entries go through the engine given (the main frame's), else one of the dialog's own.
    explicit VORNA_DIALOG_WEBPROPERTY(QWidget* parent = nullptr, CVornaFtp* ftp = nullptr);
    ~VORNA_DIALOG_WEBPROPERTY() override;

    // IDOK after OK, else IDCANCEL.
    int DoModal();

    // In: the entry selected when the dialog opens (else the first).
    QString m_strInitialServer;
    // The row of the last selection change.
    int m_nSel = 0;

    void OnAdd();
    void OnEdit();
    void OnDelete();
    QListWidget* serverList() const { return m_list; }

protected:
    void accept() override;

private:
    void OnInitDialog();
    // Selects and focuses the row.
    void SelectRow(int row);
    // Hands the entry dialog's values to the engine and saves the entry.
    void StoreEntry(const class VORNA_DIALOG_FTP& entry, const QString& address);

    QListWidget* m_list;
    std::unique_ptr<CVornaFtp> m_pOwnFtp;
    CVornaFtp* m_pFtp;
};
