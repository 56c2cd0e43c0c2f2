#pragma once

#include <QDialog>

#include <memory>
#include <vector>

class QPushButton;
class VornaScriptPage;

// The script wizard (dialog 10013): the kind of effect on page 0, the
// effect's settings on page 1 and, for a mouse effect with a changed
// pointer, the pointer's text or image on page 2, shown one at a time in one
// frame and stepped through with Back and Next (Finish on the last page).
// The wizard writes nothing into the page: after Finish the caller takes the
// pages (TakePages) and hands their fields to the effect writers; Cancel
// deletes them.
//
// The page array may hold places without a page (a page 1 before the kind
// is chosen, a page 2 before the pointer's kind is known). Each place has
// the template id its page is made from and a flag that says whether Next
// or Finish may be pressed while it is shown.
class VornaDlgScript : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 10013;
    static constexpr int BackId = 1009;

    explicit VornaDlgScript(QWidget* parent = nullptr);
    ~VornaDlgScript() override;

    // Whether the active page window shows a frameset page: browser effects
    // are refused there.
    void SetFramesetPage(bool frameset) { m_bFramesetPage = frameset; }

    int GetPageCount() const { return int(m_pages.size()); }
    // The page at the index, or null for an empty place or an index out of range.
    VornaScriptPage* GetPage(int index) const;
    int GetActiveIndex() const { return m_nCurrent; }
    int GetTemplateId(int index) const;
    bool IsNextEnabled(int index) const;

    void AddPage(std::unique_ptr<VornaScriptPage> page, int templateId);
    void SetPage(int index, std::unique_ptr<VornaScriptPage> page, int templateId);
    // Creates the window of the page at the index inside the page frame.
    void CreatePage(int index);
    // Drops the places from `count` on, their pages deleted.
    void TruncatePages(int count);
    // Shows the page at the index (after the shown one took its values;
    // false, with nothing changed, when it refused them) and sets the title.
    bool SetActivePage(int index);

    // The page's flag, and the Next/Finish button while the page is shown.
    void SetNextEnabled(const VornaScriptPage* page, bool enabled);
    void SetNextEnabledAt(int index, bool enabled);
    // "次へ >>" or "終了" on the Next/Finish button.
    void SetNextText(bool finish);
    // Presses Next/Finish as a click does, when it is enabled.
    void PressNext();

    // The pages after Finish, for the caller to read and delete.
    std::vector<std::unique_ptr<VornaScriptPage>> TakePages();

    void OnOK();
    void OnBack();
    void OnCancel();
    void reject() override { OnCancel(); }

protected:
    // Enter presses the focused button, or else Next/Finish; Escape cancels.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PrepareKindPage();
    void PreparePointerPage();
    void DestroyPages();

    std::vector<std::unique_ptr<VornaScriptPage>> m_pages;
    std::vector<int> m_templateIds;
    std::vector<int> m_nextEnabled;
    int m_nCurrent = -1;
    bool m_bFramesetPage = false;
    QWidget* m_stFrame = nullptr;
    QPushButton* m_btnNext = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnBack = nullptr;
};
