#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// A small window that stays on top while a long loop runs: the caption with
// the percentage done, a line of text, a progress bar and Cancel. The loop
// feeds it (SetPos, StepIt, SetText) and polls it (PeekAndPump, Cancelled).
// Modal, it disables the main window until it goes. Its place is kept under
// the "Settings" key ("X", "Y") for the next one.
//
//   CProgressWnd progress(mainWindow, caption);
//   progress.SetRange(0, files.size());
//   for (const QString& file : files) {
//       progress.SetText(file);
//       copy(file);
//       progress.StepIt();
//       progress.PeekAndPump();
//       if (progress.Cancelled())
//           break;
//   }
class CProgressWnd : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kCancelButtonId = 10;
    static constexpr int kTextId = 11;
    static constexpr int kProgressId = 12;

    CProgressWnd();
    // Constructs and creates the window.
    CProgressWnd(QWidget* parent, const QString& title, bool bSmooth = false);
    ~CProgressWnd() override;

    // Creates the window under the parent (or the main window), shown. False
    // when it exists already.
    bool Create(QWidget* parent, const QString& title, bool bSmooth = false);
    // Creates the window if needed and makes it modal: the main window is
    // disabled until this one goes.
    bool GoModal(QWidget* parent, const QString& title = QStringLiteral("Progress"), bool bSmooth = false);

    void SetRange(int lower, int upper, int step = 1);
    // Each returns the position before the change.
    int SetPos(int pos);
    int OffsetPos(int offset);
    int SetStep(int step);
    int StepIt();
    int GetPos() const { return m_nPos; }

    void SetText(const QString& text);
    void Clear();
    // Leaves room for the number of text lines.
    void SetWindowSize(int numTextLines, int windowWidth = 390);
    void SetSavePosition(bool save) { m_bSavePosition = save; }

    // Handles the waiting events so that the window repaints and Cancel can
    // be pressed; with bCancelOnEscape, Escape cancels too.
    void PeekAndPump(bool bCancelOnEscape = true);
    bool Cancelled() const { return m_bCancelled; }
    // Cancels as the button does.
    void Cancel();

    QString GetCaptionText() const { return m_strTitle; }

    // The percentage a position stands for in the range.
    static int Percent(int pos, int lower, int upper);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateCaption();
    void PlaceWindow(QWidget* parent);
    void SavePosition();
    void ReleaseModal();

    bool m_bCancelled = false;
    bool m_bModal = false;
    bool m_bSavePosition = true;
    bool m_bEscapeCancels = false;
    bool m_bCreated = false;
    int m_nPrevPos = -1;
    int m_nPrevPercent = -1;
    int m_nPos = 0;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nStep = 1;
    int m_nNumTextLines = 4;
    QLabel* m_text = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QString m_strTitle = QStringLiteral("Progress");
    QPointer<QWidget> m_disabledWindow;
};
