#pragma once

#include <QDialog>

class CMainFrame;
class QCheckBox;
class VornaImageButton;

// The start-up guide: the five ways to begin (new web, web wizard, open web,
// FTP, the tutorial) and whether it shows at every start. The first three
// close it only when they made or opened a web; FTP never closes it.
class VornaDialogGuide : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 469;
    static constexpr int kCloseId = 8;
    static constexpr int kNewWebId = 1016;
    static constexpr int kWebWizardId = 1017;
    static constexpr int kOpenWebId = 1018;
    static constexpr int kFtpId = 1019;
    static constexpr int kTutorialId = 1020;
    static constexpr int kPictureId = 1458;
    static constexpr int kShowAtStartId = 1502;

    // The buttons run their commands on the main frame the guide belongs to.
    explicit VornaDialogGuide(CMainFrame* frame, QWidget* parent = nullptr);
    ~VornaDialogGuide() override;

    // IDOK when a button completed its action or the tutorial was chosen,
    // IDCANCEL when the guide was closed.
    int DoModal();

    // In and out: the show-at-start box, current whichever way the guide ends.
    int m_bShowAtStart = 0;
    // What the user did: 1 new web, 2 web wizard, 3 open web, 5 tutorial.
    int m_nChoice = 1;

    void OnNewWeb();
    void OnWebWizard();
    void OnOpenWeb();
    void OnFtp();
    void OnTutorial();

private:
    void OnInitDialog();
    // Ends the guide with IDOK and the choice when the action completed.
    void EndWhenDone(bool done, int choice);

    CMainFrame* m_pFrame;
    QCheckBox* m_showAtStart;
    VornaImageButton* m_buttons[5] = {};
};
