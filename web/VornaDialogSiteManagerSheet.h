#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QTabWidget;
class VornaDialogSiteManagerPage1;

// The site manager window: a sheet with the site manager page (the open
// web's files) and the tutorial page. The tutorial shows the program's own
// tutorial page in a browse view. With no web open the sheet holds only the
// tutorial page; opening a web puts the site manager page in front of it.
// The folder watcher's change message reloads the page's list while a page
// is edited, no transfer runs and the list is not busy.
class VornaDialogSiteManagerSheet : public QWidget
{
    Q_OBJECT
public:
    static constexpr int IDD = 674;

    explicit VornaDialogSiteManagerSheet(QWidget* mainFrame);
    ~VornaDialogSiteManagerSheet() override;

    void ShowTutorialPage();
    bool IsTutorialPageActive() const;
    // The view of the tutorial page (made when the page is first shown).
    QWidget* tutorialView() const { return m_tutorialView; }
    // What the tutorial page shows its page in; by default a browse view on
    // the tutorial's start page. Null restores the default.
    using ViewFactory = std::function<QWidget*(QWidget* parent)>;
    static void setTutorialViewFactory(ViewFactory factory);

    // The page the tutorial concerns (a page document), or none.
    void SetTutorialDocument(QObject* document) { m_tutorialDocument = document; }
    QObject* tutorialDocument() const { return m_tutorialDocument; }

    // The site manager page, in the sheet or not.
    VornaDialogSiteManagerPage1* sitePage() const { return m_sitePage; }
    // The number of pages the sheet holds.
    int PageCount() const;
    // Puts the site manager page back in front of the tutorial page when the
    // sheet does not hold both, filling it from the open web, and shows it.
    void ShowSitePage();
    // Makes the site manager page the sheet's active page when it holds it.
    void ActivateSitePage();
    // Takes the site manager page out of the sheet.
    void RemoveSitePage();
    // Whether the site manager page is in the sheet and shown.
    bool IsSitePageVisible() const;

    // The message of the folder watcher: the open web's folder changed.
    static constexpr uint WM_WEB_FOLDER_CHANGED = 0x5F5;
    // The generation of the watcher whose messages are heard; older ones are dropped.
    void SetWatchGeneration(quint64 generation) { m_watchGeneration = generation; }
    // Reloads the page's list when the active page is edited, no transfer
    // runs and the list is not busy; drops the change otherwise.
    void OnFolderChanged();

    // The site manager page's side.
    bool IsTransferRunning() const;
    // The site manager page's row that shows the file (a path relative to the
    // web folder, "\" read as "/", or a full path inside it), or -1.
    int FindFileRow(const QString& path) const;
    // Adds a row for a page file of the web unless one shows it already.
    void AddOrUpdateFileRow(const QString& fileName, const QString& framesetName);
    void RemoveFileRow(const QString& path);
    void RenameFileRow(const QString& oldName, const QString& newName);
    // Adds a saved page to the web's list of files to publish.
    void AddModifiedFile(const QString& fileName);
    // Selects the row of a page file; the selection mark of the site list.
    void SelectFile(const QString& displayName, int flag);
    void ClearSelection();
    int GetSiteListSelectionMark() const;

    quint8 m_bWebQuestion = 0;

protected:
    bool event(QEvent* event) override;

private:
    void ensureTutorialView();

    QTabWidget* m_tabs;
    VornaDialogSiteManagerPage1* m_sitePage;
    QWidget* m_tutorialPage;
    QWidget* m_tutorialView = nullptr;
    QPointer<QObject> m_tutorialDocument;
    quint64 m_watchGeneration = 0;
};
