#pragma once

#include "res/resource.h"

#include <QDialog>
#include <QString>

class CVornaEdit;

// The page title prompt (456 "ページタイトル"): one line, the title of a
// page, opened with the current title selected. The caller sets m_strTitle
// and m_bSkipCheck, runs it, and on IDOK with m_bDeclined false takes
// m_strTitle as typed (escaping is the caller's).
class VornaDialogAsk : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = IDD_ASK;

    explicit VornaDialogAsk(QWidget* parent = nullptr);
    ~VornaDialogAsk() override;

    // Runs the dialog; IDOK or IDCANCEL.
    int DoModal();

    // A title is one line: the line breaks of a pasted text become blanks.
    static QString OneLine(const QString& text);

    QString m_strTitle;
    // OK closes at once (the only way there is: false acts as true).
    bool m_bSkipCheck = false;
    // The caller keeps its own title; never set by OK.
    bool m_bDeclined = false;

    void accept() override;

private:
    CVornaEdit* m_edTitle = nullptr;
};
