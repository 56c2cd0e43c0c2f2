#pragma once

#include <QDialog>

class QCheckBox;

// The start-up guide: the five ways to begin (new web, web wizard, open web,
// FTP, the tutorial) and whether it shows at every start. The web and FTP
// buttons stay disabled until their commands are in place.
class VornaDialogGuide : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 469;

    explicit VornaDialogGuide(QWidget* parent = nullptr);
    ~VornaDialogGuide() override;

    // In and out: the show-at-start box.
    int m_bShowAtStart = 0;
    // What the user did: 1 new web, 2 web wizard, 3 open web, 5 tutorial.
    int m_nChoice = 1;

    void OnTutorial();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QCheckBox* m_showAtStart;
};
