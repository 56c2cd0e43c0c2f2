#pragma once

#include "support/FakeAppContext.h"

#include "frames/FrameEnvironment.h"
#include "frames/FramePane.h"
#include "frames/FrameSetHost.h"
#include "frames/VornaFrameSet.h"

#include <QStringList>

#include <cctype>
#include <functional>
#include <memory>
#include <vector>
#include <string>

// A test-case name CTest can carry: letters and digits, "_" for the rest.
inline std::string caseName(const std::string& text)
{
    std::string name;
    for (const char c : text)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// Texts as std::string, so that GoogleTest prints them readably when they differ.
inline std::string str(const QString& text)
{
    return text.toStdString();
}
inline std::string str(const QStringList& list)
{
    return list.join(" | ").toStdString();
}

// A pane that records what the frame code asks of it.
class FakePane : public FramePane
{
public:
    explicit FakePane(QString name = QString(), QString path = QString(), QStringList* log = nullptr)
        : name(std::move(name)), path(std::move(path)), log(log)
    {
    }

    bool document = true;
    QString name;
    QString path;
    QString source;
    QString title;
    bool modified = false;
    bool answer = true;      // what saveModified answers
    QString pathGivenOnSave; // the name fileSave gives a page without a path; empty: cancelled
    platform::Rect window;   // where moveWindow put it
    int moves = 0;
    platform::Rect screen;
    QStringList* log;

    bool hasDocument() const override { return document; }
    QString documentPath() const override { return path; }
    QString loadSource() const override { return source; }
    QString displayName() const override { return name; }
    bool isModified() const override { return modified; }
    bool saveModified() override
    {
        note("ask " + name);
        if (onAsk)
            onAsk();
        return answer;
    }
    std::function<void()> onAsk;
    bool saveDocument(const QString& to) override
    {
        note("save " + name + " to " + to);
        modified = false;
        return true;
    }
    bool fileSave() override
    {
        note("file-save " + name);
        if (path.isEmpty())
            path = pathGivenOnSave;
        if (path.isEmpty())
            return false;
        modified = false;
        return true;
    }
    QString pathGivenOnSaveAs; // the name fileSaveAs chooses; empty: cancelled
    bool fileSaveAs() override
    {
        note("file-save-as " + name);
        if (pathGivenOnSaveAs.isEmpty())
            return false;
        path = pathGivenOnSaveAs;
        name = path.mid(path.lastIndexOf('/') + 1);
        modified = false;
        return true;
    }
    QString pageTitle() const override { return title; }
    void setPageTitle(const QString& text) override
    {
        note("page-title " + text);
        title = text;
    }
    void setDocumentTitle(const QString& text) override
    {
        note("title " + text);
        name = text;
    }
    void setDocumentPath(const QString& to) override
    {
        note("path " + to);
        path = to;
        if (!to.isEmpty())
            name = to.mid(to.lastIndexOf('/') + 1);
    }
    void setLoadSource(const QString& to) override
    {
        note("source " + to);
        source = to;
    }
    QString target;
    void setTargetFile(const QString& to) override
    {
        note("target " + to);
        target = to;
    }
    void reloadPage() override { note("reload " + name); }
    bool copyWritten = true;
    bool savePageCopyAs(const QString& to) override
    {
        note("copy " + name + " to " + to);
        return copyWritten;
    }
    void moveWindow(const platform::Rect& rect) override
    {
        window = rect;
        ++moves;
    }
    platform::Rect screenRect() const override { return screen; }
    platform::Rect windowRect() const override { return window; }
    void writeBodyAttributes(const QString& background, const QString& bgColor, const QString& text,
                             const QString& link, const QString& aLink, const QString& vLink) override
    {
        note("body " + name + ": " + QStringList{background, bgColor, text, link, aLink, vLink}.join(','));
    }
    void collectPageLinks(const QString& oldName, const QString& newName, int mode) override
    {
        note(QString("links %1: %2>%3 %4").arg(name, oldName, newName).arg(mode));
    }
    void collectScriptFiles(bool mode) override { note(QString("scripts %1 %2").arg(name).arg(mode)); }

private:
    void note(const QString& text)
    {
        if (log)
            log->append(text);
    }
};

// A child frame with a frame tree.
class FakeHost : public FrameSetHost
{
public:
    FrameTree tree;
    QStringList* log = nullptr;
    FramePane* active = nullptr;
    QString caption;
    bool framesetModified = false;
    QString charset;

    FrameTree& frameTree() override { return tree; }
    void activatePane(FramePane* pane) override
    {
        active = pane;
        if (log)
            log->append("activate " + pane->displayName());
    }
    void setCaption(const QString& text) override
    {
        caption = text;
        if (log)
            log->append("caption " + text);
    }
    bool isFramesetModified() const override { return framesetModified; }
    void setFramesetModified() override { framesetModified = true; }
    void clearFramesetModified() override { framesetModified = false; }
    QString framesetCharset() const override { return charset; }
    void setFramesetCharset(const QString& value) override { charset = value; }
    QString framesetText;
    void setFramesetText(const QString& text) override { framesetText = text; }

    // The panes the host made, by the split, and those it removed.
    std::vector<std::unique_ptr<FakePane>> made;
    QStringList removed;
    bool closingFrame = false;
    bool refuseFramesetPane = false;
    FramePane* activePane() override { return active; }
    FramePane* createPane(const platform::Rect& rect, const QString& title) override
    {
        made.push_back(std::make_unique<FakePane>(title, QString(), log));
        made.back()->window = rect;
        if (log)
            log->append("pane " + title);
        return made.back().get();
    }
    FramePane* createFramesetPane(const platform::Rect& rect, const QString& title) override
    {
        if (refuseFramesetPane)
            return nullptr;
        FramePane* pane = createPane(rect, title);
        tree.rootView = pane;
        return pane;
    }
    void removePane(FramePane* pane) override
    {
        removed.append(pane->displayName());
        if (active == pane)
            active = nullptr;
    }
    void setClosingFrame(bool closing) override { closingFrame = closing; }
};

// The site manager's page list: rows by file name with their tag and kind.
class FakeSiteRows : public FrameSiteRows
{
public:
    struct Row
    {
        QString file;
        QString tag;
        int kind = 0;
        QString title;
        QString type;
    };
    QList<Row> rows;
    QStringList unlinked;
    QStringList calls; // what the frame code asked beyond rows, tags and kinds
    int selectionMark = -1;
    int addPageResult = 0;

    int add(const QString& file, const QString& tag = QString(), int kind = 0)
    {
        rows.append({file, tag, kind, QString(), QString()});
        return int(rows.size()) - 1;
    }
    void UnlinkChildRows(const QString& framesetName) override
    {
        unlinked.append(framesetName);
        for (Row& row : rows) {
            if (row.tag.compare(framesetName, Qt::CaseInsensitive) == 0) {
                row.tag.clear();
                row.kind = 0;
            }
        }
    }
    int FindFileRow(const QString& file) override
    {
        for (int i = 0; i < rows.size(); ++i) {
            if (rows[i].file == file)
                return i;
        }
        return -1;
    }
    bool SetItemTag(int row, const QString& tag) override
    {
        if (row < 0 || row >= rows.size())
            return false;
        rows[row].tag = tag;
        return true;
    }
    bool SetItemKind(int row, int kind) override
    {
        if (row < 0 || row >= rows.size())
            return false;
        rows[row].kind = kind;
        return true;
    }
    int GetSiteListCount() const override { return int(rows.size()); }
    bool AddRootItem(const QString& text) override
    {
        add(text);
        return true;
    }
    bool SetCellText(int row, int column, const QString& text) override
    {
        if (row < 0 || row >= rows.size())
            return false;
        QString* cell[] = {&rows[row].file, &rows[row].title, nullptr, &rows[row].type};
        if (column < 0 || column > 3 || !cell[column])
            return false;
        *cell[column] = text;
        return true;
    }
    int AddPageToWeb(const QString& path, const QString& titleFile, const QString& title, const QString& framesetName,
                     bool frame) override
    {
        calls.append(QStringList{"add-page", path, titleFile, title, framesetName, frame ? "frame" : "page"}.join(' '));
        return addPageResult;
    }
    void UnlinkRow(const QString& fileName, int) override { calls.append("unlink " + fileName); }
    void AddOrUpdateFileRow(const QString& fileName, const QString& framesetName) override
    {
        calls.append("add-or-update " + fileName + " under " + framesetName);
    }
    void RemoveFileRow(const QString& path) override { calls.append("remove " + path); }
    void RenameFileRow(const QString& oldName, const QString& newName) override
    {
        calls.append("rename " + oldName + " to " + newName);
    }
    void SetPageTitle(const QString& page, const QString& title) override
    {
        calls.append("title " + page + ": " + title);
    }
    bool ClearSelection() override
    {
        calls.append("clear-selection");
        return true;
    }
    int GetSiteListSelectionMark() const override { return selectionMark; }
    void SelectRow(int row, bool select) override
    {
        calls.append(QString("select %1 %2").arg(row).arg(select ? 1 : 0));
    }
};

// The running program as the frame code sees it; installed while it lives.
class FakeEnvironment : public FrameEnvironment
{
public:
    FakeEnvironment() { setFrameEnvironment(this); }
    ~FakeEnvironment() override { setFrameEnvironment(nullptr); }

    FakeAppContext app; // its `web` is the open web's folder, empty when none
    FrameSetHost* host = nullptr;
    QStringList webPages;
    FakeSiteRows* sites = nullptr;

    FrameSetHost* activeFrameSetHost() override { return host; }
    bool isPageInWeb(const QString& displayName) const override
    {
        return !app.web.isEmpty() && webPages.contains(displayName, Qt::CaseInsensitive);
    }
    FrameSiteRows* siteManager() override { return sites; }
};

// Builds frame trees the way the frameset loader does: one node per FRAMESET
// and FRAME element in document order.
class TreeBuilder
{
public:
    explicit TreeBuilder(FakeHost& host) : m_host(host) {}

    VornaFrameSet* frameset(const QString& split, const QString& sizes, int children)
    {
        auto node = std::make_unique<VornaFrameSet>();
        node->SetKind("FRAMESET");
        node->m_strSplit = split;
        node->m_strSizes = sizes;
        node->m_nChildCount = children;
        return add(std::move(node));
    }
    VornaFrameSet* frame(const QString& name, platform::Rect rect = {}, FramePane* pane = nullptr)
    {
        auto node = std::make_unique<VornaFrameSet>();
        node->SetKind("FRAME");
        node->SetName(name);
        node->SetRect(rect);
        node->m_pView = pane;
        return add(std::move(node));
    }

private:
    VornaFrameSet* add(std::unique_ptr<VornaFrameSet> node)
    {
        VornaFrameSet* added = AddFrameTreeNode(std::move(node), &m_host);
        if (added && added->m_pParent) {
            int index = 0;
            for (VornaFrameSet* s = added->m_pPrev; s; s = s->m_pPrev)
                ++index;
            added->m_strSize = GetListItem(added->m_pParent->m_strSizes, index).remove(' ');
        }
        return added;
    }
    FakeHost& m_host;
};

// The names of a tree in tree order, FRAMESETs as "[" ... "]".
inline QString describeTree(const VornaFrameSet* node)
{
    QString text;
    for (; node; node = node->m_pNext.get()) {
        if (!text.isEmpty())
            text += ' ';
        if (node->IsFrameset())
            text += '[' + describeTree(node->m_pFirstChild.get()) + ']';
        else
            text += node->m_strName;
    }
    return text;
}

// Checks the link invariants of a tree; returns the first broken one.
inline QString checkLinks(const VornaFrameSet* node, const VornaFrameSet* parent = nullptr)
{
    const VornaFrameSet* prev = nullptr;
    for (; node; prev = node, node = node->m_pNext.get()) {
        if (node->m_pParent != parent)
            return "parent of " + node->m_strName;
        if (node->m_pPrev != prev)
            return "prev of " + node->m_strName;
        const QString inner = checkLinks(node->m_pFirstChild.get(), node);
        if (!inner.isEmpty())
            return inner;
    }
    return QString();
}
