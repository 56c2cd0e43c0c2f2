#pragma once

#include "dialogs/HyperlinkDialogModel.h"

#include <QDialog>
#include <QString>

#include <functional>

class CVornaComboBox;
class QCheckBox;
class QPushButton;
class QTreeWidget;
class VornaFrameSet;
class VornaImageButton;

// The hyperlink dialog (303 "ハイパーリンク"): the kind of address (its
// scheme), the address with the last ten addresses as its list, the target
// frame and, for a text link, whether it is shown without underline. A list of
// the pages of the open web (or of the page's own folder) gives a page with
// one click, and the browse button picks a file or a picture. The caller fills
// the values before DoModal and reads them after IDOK; the dialog changes
// nothing on the page but selecting the whole link being edited.
class VornaDialogHyperlink : public QDialog, public HyperlinkDialogModel
{
    Q_OBJECT
public:
    static constexpr int IDD = 303;
    static constexpr int kSchemeBoxId = 1004;
    static constexpr int kUrlBoxId = 1005;
    static constexpr int kBrowseButtonId = 1016;
    static constexpr int kPageListId = 1072;
    static constexpr int kTargetBoxId = 1106;
    static constexpr int kDeleteButtonId = 1167;
    static constexpr int kRemoveUnderlineId = 1474;

    explicit VornaDialogHyperlink(QWidget* parent = nullptr);
    ~VornaDialogHyperlink() override;

    // IDOK (1) when the user confirmed, deleted the link or took a page with a
    // double click, else IDCANCEL (2).
    int DoModal();

    // Where the rows of the open web's pages come from: the site manager's
    // page list unless a test gives its own.
    using WebPageSource = std::function<QList<PageRow>()>;
    static void SetWebPageSource(WebPageSource source);

    // The history key below the product key.
    static QString HistoryKeyName();

    // The handlers, for the controls and for tests.
    void OnSelchangeScheme();
    void OnSetfocusURL();
    void OnEditchangeURL();
    void OnSelchangeURL();
    // The address's kind, the page row it names and the controls its kind enables.
    void FollowAddressKind(const QString& address);
    void OnBrowse();
    void OnDeleteLink();
    void OnClickPageList(int row);
    void OnDblclkPageList(int row);
    void OnOK();

    // Whether the target box is enabled for the current scheme.
    bool m_bTargetEnabled = true;
    // The frame tree of the active child frame; none for an ordinary page.
    const VornaFrameSet* m_pFrameSet = nullptr;

protected:
    void accept() override { OnOK(); }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void OnInitDialog();
    // The first paint: an edited link is selected whole in the page.
    void SelectLinkInPage();
    void FillPageList(const QString& displayName, const QString& pagePath);
    void EnableTargetByScheme();
    void EnableBrowseByScheme();
    // The members into the controls, and the controls into the members.
    void WriteControls();
    void ReadControls();
    void SetUrlText(const QString& text);
    // Row m_nPageItem shown selected, the others not.
    void ShowPageItem();
    // A page never saved is saved on the user's word; false when it stays unsaved.
    bool SaveUnsavedPage(int row);

    CVornaComboBox* m_cbScheme = nullptr;
    CVornaComboBox* m_cbURL = nullptr;
    VornaImageButton* m_btnBrowse = nullptr;
    CVornaComboBox* m_cbTarget = nullptr;
    QCheckBox* m_chkRemoveUnderline = nullptr;
    QTreeWidget* m_listPages = nullptr;
    QPushButton* m_btnDelete = nullptr;
    // The dialog writes its own controls: their change handlers stay silent.
    bool m_bWriting = false;
};
