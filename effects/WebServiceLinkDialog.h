#pragma once

#include <QDialog>
#include <QString>

class CVornaComboBox;
class CVornaEdit;
class CVornaListCtrlImage;
class QCheckBox;
class QLabel;
class QPushButton;

// What the bulletin-board and guest-book dialogs share: a style of the
// service's page chosen from its pictures (which builds the page's address
// with the user's id) or the typed address of another page, the target frame
// of the link, the underline choice and the removal of the link being
// edited. The caller fills the values before DoModal and reads them after
// IDOK; the dialog changes nothing on the page but the selection (a link
// being edited is selected whole, so that the new link replaces it).
class WebServiceLinkDialog : public QDialog
{
    Q_OBJECT
public:
    ~WebServiceLinkDialog() override;

    // IDOK (1) when the user confirmed, else IDCANCEL (2).
    int DoModal();

    // The style list's actions, by item.
    void OnClickStyle(int item);
    void OnDblClickStyle(int item);
    void OnStyleKey(bool down);
    void OnStyleFocus();
    // The check box of the service's page; Delete.
    void OnUseService();
    void OnDelete();

    // In: the pattern of the style files ("*.brd", "*.vst"); whether the
    // underline choice is offered (a text link); the target of the link
    // found at the selection; an existing link is edited.
    QString m_strStyleFilter = QStringLiteral("*.brd");
    bool m_bEnableRemoveUnderline = true;
    QString m_strTarget;
    bool m_bEditLink = false;
    // In and out: the address shown; the address of the link.
    QString m_strURL;
    QString m_strResultURL;
    // In and out: no underline; the service's page (else a typed address).
    int m_bRemoveUnderline = 1;
    int m_bUseService = 1;
    // Out: the chosen target; the user removes the link.
    QString m_strTargetFrame;
    bool m_bDeleteLink = false;
    // The list's current item and style, the folder of the styles.
    int m_nCurrentItem = -1;
    QString m_strStyleName;
    QString m_strStyleFolder;

protected:
    // How the two dialogs differ.
    struct Kind
    {
        int dialogId;
        unsigned int captionId;
        int serviceId;
        unsigned int serviceTextId;
        unsigned int hintId;
        unsigned int noAddressId;
        // The board hides the list's scroll bar while the service is off; the
        // guest book disables it.
        bool hideScrollBar;
    };

    WebServiceLinkDialog(const Kind& kind, QWidget* parent);
    void accept() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void FillStyleList();
    void FillTargets();
    // A link being edited: its style selected, its text selected whole.
    void SelectEditedLink();
    void SetServiceControls(bool atOpen);
    // The service's address of a style, shown.
    void BuildAddress(const QString& styleName);
    // The account was refused: a typed address instead.
    void Decline(int item);
    QString ItemText(int item) const;
    void SelectItem(int item);
    // The controls into the fields the framework's OK exchanges.
    void ReadControls();

    Kind m_kind;
    QCheckBox* m_chkService = nullptr;
    CVornaListCtrlImage* m_listStyles = nullptr;
    QLabel* m_hint = nullptr;
    CVornaEdit* m_editURL = nullptr;
    CVornaComboBox* m_cbTarget = nullptr;
    QCheckBox* m_chkRemoveUnderline = nullptr;
    QPushButton* m_btnDelete = nullptr;
};
