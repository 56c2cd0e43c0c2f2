#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPlainTextEdit;

// The access counter dialog (305, "カウンタ"): a counter of the service by
// its style and start value, or the markup of another counter (an IMG or an
// EMBED) that the user pastes. The caller fills the values before DoModal
// and reads them after IDOK; the dialog changes nothing on the page.
//
// This form offers the pasted markup (edit 1539) with its kind (1428) for a
// new counter, and keeps the address of a counter being changed; the style
// list, the start value, the service option and its account come with the
// dialog's own work.
class VornaDialogWebCounter : public QDialog
{
    Q_OBJECT
public:
    explicit VornaDialogWebCounter(QWidget* parent = nullptr);
    ~VornaDialogWebCounter() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    // In: an existing counter is changed.
    bool m_bEditMode = false;
    // In and out: a counter of the service (else the pasted markup); the
    // counter's kind (0 image, 1 Flash); the service counter's address.
    int m_bUseService = 1;
    int m_nKind = 0;
    QString m_strResultURL;
    // Out: the pasted markup.
    QString m_strHtml;

protected:
    void accept() override;

private:
    void OnInitDialog();
    void OnSelchangeKind();

    QLabel* m_example = nullptr;
    QPlainTextEdit* m_editHtml = nullptr;
    QComboBox* m_cbKind = nullptr;
};
