#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QTabWidget;

// The site manager window: a sheet with the site manager page and the
// tutorial page. The tutorial shows the program's own tutorial page in a
// browse view. The page list and transfers come with the site manager's code;
// until then the list is empty and no transfer runs.
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

    // The site manager page's side.
    bool IsTransferRunning() const { return false; }
    // The row of the site list that shows the file (a path relative to the web
    // folder, "\" read as "/", or a full path inside it), or -1. Until the site
    // list is filled from the web folder, its rows are the names added below.
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
    int GetSiteListSelectionMark() const { return -1; }
    void CloseSiteManagerPage();

    quint8 m_bWebQuestion = 0;
    quint8 m_bRefreshSuspended = 0;
    bool m_bStopTransfer = false;

private:
    void ensureTutorialView();

    QTabWidget* m_tabs;
    QWidget* m_sitePage;
    QWidget* m_tutorialPage;
    QWidget* m_tutorialView = nullptr;
    QPointer<QObject> m_tutorialDocument;
    // The page rows' file names, relative to the web folder.
    QStringList m_fileRows;
};
