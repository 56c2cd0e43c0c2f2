#pragma once

#include "support/FakeAppContext.h"

#include "frames/FrameEnvironment.h"
#include "frames/FramePane.h"
#include "frames/FrameSetHost.h"
#include "frames/VornaFrameSet.h"

#include <QStringList>

#include <cctype>
#include <functional>
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
        return answer;
    }
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
    QString pageTitle() const override { return title; }
    void moveWindow(const platform::Rect& rect) override
    {
        window = rect;
        ++moves;
    }
    platform::Rect screenRect() const override { return screen; }
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
    QString framesetCharset() const override { return charset; }
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
    };
    QList<Row> rows;
    QStringList unlinked;

    int add(const QString& file, const QString& tag = QString(), int kind = 0)
    {
        rows.append({file, tag, kind});
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
