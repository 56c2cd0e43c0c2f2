#pragma once

#include "controls/FileDialogFilter.h"
#include "controls/ImeComposition.h"

#include <QFileDialog>
#include <QList>
#include <QString>

class QComboBox;
class QGridLayout;
class QIcon;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

// Flags of the file dialogs, as their callers pass them.
constexpr quint32 OFN_OVERWRITEPROMPT = 0x0002; // a save asks before replacing a file
constexpr quint32 OFN_HIDEREADONLY = 0x0004;    // no read-only box (there is none)
constexpr quint32 OFN_FILEMUSTEXIST = 0x1000;   // only an existing file is accepted

// The program's open and save dialog: Qt's own file dialog (never the
// desktop's, so that the program can add controls to it and tests can answer
// it), built like the framework's from an open/save choice, a default
// extension, an initial name, flags and a "|"-separated filter of the string
// table, and run through the platform's modal runner under a dialog id.
//
// Control ids: the name box 1152, the type list 1136 and its label 1089, OK 1
// and Cancel 2. The dialogs built on it add rows under the type row, buttons
// beside the name box and a first button in the navigation row.
class CFileDialog : public QFileDialog
{
    Q_OBJECT
public:
    CFileDialog(bool bOpenFileDialog, const QString& defExt, const QString& fileName, quint32 flags,
                const QString& filter, QWidget* parent, int dialogId);
    ~CFileDialog() override;

    // Runs the dialog: IDOK or IDCANCEL.
    int DoModal();
    int dialogId() const { return m_nDialogId; }

    // The chosen file: while the dialog is open, the name in the box taken in
    // the current folder (with the default extension when it has none); after
    // OK, the file accepted. Empty when the box is empty.
    QString GetPathName() const;
    // Its name and its extension (without the dot).
    QString GetFileName() const;
    QString GetFileExt() const;
    // The folder shown.
    QString GetFolderPath() const;

    quint32 GetFlags() const { return m_dwFlags; }
    void SetFlags(quint32 flags) { m_dwFlags = flags; }

    // The extension added to a name typed without one, unless the chosen type
    // names its own.
    QString GetDefExt() const { return m_defaultExtension; }
    void SetDefExt(const QString& extension);
    const QList<FileDialogFilter>& filters() const { return m_filters; }
    int GetFilterIndex() const;

    // Shows the folder, keeping the name typed in the box.
    void ChangeFolder(const QString& folder);

    QLineEdit* fileNameEdit() const { return m_fileNameEdit; }
    QComboBox* fileTypeCombo() const { return m_fileTypeCombo; }
    QLabel* fileTypeLabel() const { return m_fileTypeLabel; }
    QPushButton* okButton() const { return m_okButton; }

protected:
    // Adds a row under the last one: a label (may be null) and a field, as the
    // name and type rows.
    void AddRow(QWidget* label, QWidget* field);
    // Puts a widget at the right end of the name box.
    void AddBesideFileName(QWidget* widget);
    // Puts a tool button first in the row of the folder buttons.
    QToolButton* AddFolderButton(int id, const QIcon& icon, const QString& tip);
    // The application's icon, or a home folder where the program has none.
    QIcon ProgramIcon() const;

    // OK: a folder named in the box is opened; a missing file is refused when
    // it must exist; a save over an existing file asks first; otherwise the
    // dialog ends with IDOK.
    void accept() override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A type was chosen: the default extension follows it.
    virtual void OnTypeChange(int index);
    // The text of the name box changed (typed, or a file picked in the list).
    virtual void OnChangeFileName(const QString& text);
    // The dialog ends with its result (IDOK or IDCANCEL); the chosen file can
    // still be read.
    virtual void OnDestroy(int result);

private:
    void FindControls();
    void ApplyDefaultSuffix(int filterIndex);

    int m_nDialogId;
    quint32 m_dwFlags;
    QString m_defaultExtension;
    QString m_strAccepted;
    bool m_bClosed = false;
    QList<FileDialogFilter> m_filters;
    QLineEdit* m_fileNameEdit = nullptr;
    QComboBox* m_fileTypeCombo = nullptr;
    QLabel* m_fileTypeLabel = nullptr;
    QPushButton* m_okButton = nullptr;
    ImeComposition m_ime;
};
