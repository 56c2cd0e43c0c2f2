#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

// A message box of the program's own: the text (long paths shortened) beside
// an icon, up to three buttons OK (1), NO (7) and Cancel (2), and optionally
// a check box (1007) that applies the answer to all documents. The program's
// questions go through ShowMessageBox; this box is kept for callers that want
// its path shortening.
class CVornaMessageBox : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 464;
    static constexpr int kMaxPathText = 70;

    // nButtons: 0 none, 1 OK, 2 OK and NO, 3 or more OK, NO and Cancel.
    // bOption offers the check box.
    CVornaMessageBox(const QString& text, int nUnused, int nButtons, bool bOption, QWidget* parent = nullptr);

    int DoModal();

    // A text with a path: from its first separator ("/" or "\") on, whole
    // folder names after that separator give way to "..." until the text has
    // at most maxLength characters (or only the file name is left).
    static QString ShortenPathText(const QString& text, int maxLength = kMaxPathText);

    int m_nCheck = 0;
    bool m_bOption = false;
    int m_nUnused = 0;
    int m_nButtons = 0;
    QString m_strMessage;

private:
    void Answer(int button);

    QLabel* m_text = nullptr;
    QCheckBox* m_check = nullptr;
};
