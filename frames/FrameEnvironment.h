#pragma once

#include <QString>

class FrameSetHost;

// The site manager's page list, as far as the frame code changes it: the site
// manager page (VornaDialogSiteManagerPage1) with its site list
// (CVornaSiteGridCtrl) implements it.
class FrameSiteRows
{
public:
    virtual ~FrameSiteRows() = default;
    // Detaches every row hanging under the named frameset page.
    virtual void UnlinkChildRows(const QString& framesetName) = 0;
    // The row that shows the file, or -1.
    virtual int FindFileRow(const QString& file) = 0;
    virtual bool SetItemTag(int row, const QString& tag) = 0;
    virtual bool SetItemKind(int row, int kind) = 0;
    // The number of rows of the site list.
    virtual int GetSiteListCount() const = 0;
    // Adds a top-level row with the text in its first column.
    virtual bool AddRootItem(const QString& text) = 0;
    // Columns: 0 the name, 1 the title, 3 the type.
    virtual bool SetCellText(int row, int column, const QString& text) = 0;
    // Registers a page of the web; -1 when the user declined.
    virtual int AddPageToWeb(const QString& path, const QString& titleFile, const QString& title,
                             const QString& framesetName, bool frame) = 0;
    // Detaches the row of the file (or the given row) from its frameset page.
    virtual void UnlinkRow(const QString& fileName, int row) = 0;
    // Links the row of the file to the frameset page, adding a row when there is none.
    virtual void AddOrUpdateFileRow(const QString& fileName, const QString& framesetName) = 0;
    virtual void RemoveFileRow(const QString& path) = 0;
    virtual void RenameFileRow(const QString& oldName, const QString& newName) = 0;
    virtual void SetPageTitle(const QString& page, const QString& title) = 0;
    virtual bool ClearSelection() = 0;
    virtual int GetSiteListSelectionMark() const = 0;
    virtual void SelectRow(int row, bool select) = 0;
};

// What the frame code asks of the running program beyond AppContext (which
// gives the open web's folder). The application installs one at start-up;
// tests install a fake. Without one there is no active child window and no
// site manager, and no page is a page of the web.
class FrameEnvironment
{
public:
    virtual ~FrameEnvironment() = default;

    // The child frame of the active MDI child, or none.
    virtual FrameSetHost* activeFrameSetHost() = 0;
    // CMainFrame::IsPageInWeb: the page of that display name is a page of the open web.
    virtual bool isPageInWeb(const QString& displayName) const = 0;
    // The site manager's page list (m_pSiteManager), or none when no site manager is open.
    virtual FrameSiteRows* siteManager() = 0;
};

FrameEnvironment* frameEnvironment();
void setFrameEnvironment(FrameEnvironment* environment);

// The given child frame, or the active one when none is given.
FrameSetHost* frameSetHostOrActive(FrameSetHost* host);
