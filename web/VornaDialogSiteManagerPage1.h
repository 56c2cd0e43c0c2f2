#pragma once

#include <QStringList>
#include <QWidget>

class CZQView;

// The site manager page: the page of the site manager window that lists the
// open web's files and that the rest of the program asks as the model of the
// web. This form keeps the model's rows only, without a list to show them:
// the names of the web's pages (the HTML files directly in the web folder
// when the web is loaded, and the pages added to it since). The site list,
// the modified-file list, the selection and the buttons come with the site
// manager's code.
class VornaDialogSiteManagerPage1 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int IDD = 673;

    explicit VornaDialogSiteManagerPage1(QWidget* parent = nullptr);
    ~VornaDialogSiteManagerPage1() override;

    // Fills the rows from the open web's folder; false when no web is open.
    bool LoadWeb();
    // The file names of the web's pages, row by row.
    QStringList GetPageFileNames() const;
    // The titles of the web's pages, row by row, as their files hold them.
    // The site list with its title column comes with the site manager's code.
    QStringList GetPageTitles() const;
    // The row that shows the file (a path relative to the web folder, "\"
    // read as "/", or a full path inside it), or -1.
    int FindFileRow(const QString& file) const;
    int GetSiteListCount() const { return int(m_fileRows.size()); }
    int GetSiteListSelectionMark() const { return -1; }
    // Writes the web's stored BODY attributes into the page of the view. The
    // web keeps no BODY attributes until the site manager's page settings
    // come: nothing is written.
    void ApplyBodyAttributes(CZQView* view);

    // Registers a page of the web by its path or name and gives its row.
    // The rest (the title, the clash with a page of that name elsewhere, the
    // frame rows) comes with the site manager's code.
    int AddPageToWeb(const QString& path, const QString& titleFile, const QString& title, const QString& framesetName,
                     bool frame);
    // Adds a row for a page file of the web unless one shows it already.
    void AddOrUpdateFileRow(const QString& fileName, const QString& framesetName);
    void RemoveFileRow(const QString& path);
    void RenameFileRow(const QString& oldName, const QString& newName);
    // Shows the page's new title in its row. The rows keep no titles yet:
    // the site list with its title column comes with the site manager's code.
    void SetPageTitle(const QString& page, const QString& title);
    // Empties the list of files to publish and clears the web-changed flag.
    void ClearModifiedFiles();

    // The web's structure changed since it was published: "project.ini" goes with the next upload.
    quint8 m_bWebChanged = 0;

private:
    // The rows' file names, relative to the web folder.
    QStringList m_fileRows;
};
