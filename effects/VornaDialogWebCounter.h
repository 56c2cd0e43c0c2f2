#pragma once

#include <QDialog>
#include <QString>

class CVornaComboBox;
class NumberEdit;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class VornaIconListCtrl;

// The access counter (dialog 305, "カウンタ"): a counter of the service by
// its style and start value, or the markup of another provider's counter
// (an IMG or an EMBED) that the user pastes. 設定 opens the service's
// settings page of the account's counter in the desktop's browser. The
// caller fills the values before DoModal and reads them after IDOK; the
// dialog changes nothing on the page.
class VornaDialogWebCounter : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kMaxStartValue = 1000000000;

    explicit VornaDialogWebCounter(QWidget* parent = nullptr);
    ~VornaDialogWebCounter() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    // The style list's actions, by item.
    void OnClickStyle(int item);
    void OnDblClickStyle(int item);
    void OnStyleKey(bool down);
    void OnStyleFocus();
    // The check box of the service's counter, the kind box and 設定.
    void OnUseService();
    void OnSelchangeKind();
    void OnSettings();

    // In: an existing counter is changed.
    bool m_bEditMode = false;
    // In and out: a counter of the service (else the pasted markup); the
    // markup's kind (0 image, 1 Flash); the service counter's address.
    int m_bUseService = 1;
    int m_nKind = 0;
    QString m_strResultURL;
    // Out: the pasted markup.
    QString m_strHtml;
    // The start value of the service's counter.
    int m_nStartValue = 0;
    // The list's current item and style, the folder of the styles.
    int m_nCurrentItem = -1;
    QString m_strStyleName;
    QString m_strStyleFolder;

protected:
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void FillStyleList();
    // The controls from the fields (false) or the fields from them (true).
    void UpdateData(bool save);
    void SetDependentControls();
    void ShowExample();
    // The service's address of a style.
    void BuildAddress(const QString& styleName);
    // The account was refused: the pasted markup instead.
    void Decline(int item);
    QString ItemText(int item) const;
    void SelectItem(int item);

    QCheckBox* m_chkService = nullptr;
    VornaIconListCtrl* m_listStyles = nullptr;
    NumberEdit* m_editStart = nullptr;
    QPushButton* m_btnSettings = nullptr;
    CVornaComboBox* m_cbKind = nullptr;
    QLabel* m_example = nullptr;
    QPlainTextEdit* m_editHtml = nullptr;
};
