#pragma once

#include "engine/dom/ElementCollection.h"
#include "engine/dom/Element.h"
#include "engine/dom/Node.h"
#include "engine/dom/Text.h"
#include "platform/FileFault.h"

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

class CommandGroup;
class DocumentObserver;
class LayoutServices;
class TextRange;
class LivePosition;
class MarkupContainer;
class PageLoader;
class Selection;
class UndoManager;
struct StyleDeclaration;

// How a page file is read: at once (the call returns with the page loaded),
// or in the background (the call returns at once, readyState is "loading"
// until the page is in; reading, decoding and parsing run on a worker
// thread).
enum class Reading { AtOnce, InBackground };

// A page: the root of the tree, with its collections, its charset and url,
// its undo history, its selection and its dirty flag.
class Document : public Node
{
public:
    static Ref<Document> create();
    ~Document() override;

    // --- structure
    DocumentType* doctype() const;
    Element* documentElement() const;
    Element* head() const;
    Element* body() const; // BODY, or the FRAMESET of a frameset page

    Ref<Element> createElement(const QString& tagName);
    Ref<Text> createTextNode(const QString& text);
    Ref<Comment> createComment(const QString& text);

    // --- collections (live)
    ElementCollection all() const;
    ElementCollection images() const;
    ElementCollection embeds() const;
    // The FRAME elements of a frameset page (IFRAMEs do not count).
    ElementCollection frames() const;
    ElementCollection links() const;
    ElementCollection getElementsByTagName(const QString& tag) const;
    ElementCollection getElementsByName(const QString& name) const;
    Element* getElementById(const QString& id) const;

    // --- properties
    // The first TITLE's text (walked for once per change of the page).
    QString title() const;
    // The title a walk over the page as it stands would find, found where
    // the page was parsed (a long page is not walked again for it).
    void noteTitle(const QString& title);
    // Creates TITLE in HEAD when missing.
    void setTitle(const QString& title);
    // The document's charset: the META charset, else the one it was loaded in.
    QString charset() const;
    // Sets the charset the page is saved in and refresh reads it with.
    void setCharset(const QString& charset);
    // The effective colours of BODY: its attribute as "#rrggbb", else the
    // default. Writing sets the BODY attribute.
    QString bgColor() const;
    QString fgColor() const;
    QString linkColor() const;
    QString alinkColor() const;
    QString vlinkColor() const;
    void setBgColor(const QString& c);
    void setFgColor(const QString& c);
    void setLinkColor(const QString& c);
    void setAlinkColor(const QString& c);
    void setVlinkColor(const QString& c);

    QString url() const { return m_url; }
    void setUrl(const QString& url) { m_url = url; }
    QString readyState() const { return m_readyState; }
    void setReadyState(const QString& s) { m_readyState = s; }

    // The rendered size of an element, when a layout is attached.
    using SizeProvider = std::function<std::optional<QSize>(const Element*)>;
    void setRenderedSizeProvider(SizeProvider p) { m_sizeProvider = std::move(p); }
    bool hasRenderedSizeProvider() const { return bool(m_sizeProvider); }
    std::optional<QSize> renderedSize(const Element* e) const
    {
        return m_sizeProvider ? m_sizeProvider(e) : std::nullopt;
    }

    // The view's hit testing and range geometry; set by the view that shows
    // the document, null without one.
    void setLayoutServices(LayoutServices* services) { m_layoutServices = services; }
    LayoutServices* layoutServices() const { return m_layoutServices; }
    // The topmost element at a client point; null outside the view or
    // without one.
    Element* elementFromPoint(int x, int y) const;

    // --- dirty flag: set by every change (undo included) outside a load
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }

    // --- undo
    UndoManager& undoManager();
    void beginUndoUnit();
    void endUndoUnit();

    // --- selection and commands
    Selection& selection();
    CommandGroup& commands();
    // A range over the whole text of BODY.
    TextRange createTextRange();

    // --- loading and saving (see PageLoader)
    PageLoader& loader();
    bool load(const QString& address, platform::FileFault* fault = nullptr, Reading reading = Reading::AtOnce);
    // Stops a load under way (a long page read in the background, an http
    // reply): the page stays as it was and no page-loaded event follows.
    void cancelLoad();
    bool isLoading() const;
    void loadFromString(const QString& html, const QString& url = QString());
    bool loadNew(const QString& templatePath = QString(), platform::FileFault* fault = nullptr);
    bool refresh(platform::FileFault* fault = nullptr, Reading reading = Reading::AtOnce);
    bool save(const QString& path = QString(), platform::FileFault* fault = nullptr);
    void notifyPageLoaded();

    // --- loading: changes made in a load scope leave no undo step and no
    // dirty mark. Scopes nest.
    void beginLoadScope() { ++m_loadDepth; }
    void endLoadScope() { m_loadDepth = qMax(0, m_loadDepth - 1); }
    bool inLoadScope() const { return m_loadDepth > 0; }
    // Replaces the whole tree by the parsed page (no undo; clears the undo
    // history and the dirty flag). False when the page cannot be read (see
    // HtmlParser::parseDocumentInto): the tree stays as it was.
    bool replaceContent(const QString& html);
    // The same with a page parsed into another document (on another thread,
    // say), whose nodes move here.
    void replaceContent(Document* parsed);
    // For a page parsed into a document of its own on another thread: there,
    // its nodes are made to name `target` as their document (neither
    // document is touched, nor are their counts), so that replaceContent
    // takes them in without a walk over a long page on the window's thread.
    // A page that is not taken in is pointed back at its own document
    // (target = parsed) before it goes.
    static void pointNodesAt(Document* parsed, Document* target);
    // How many nodes belong to this document, in the page or not.
    int nodeCount() const { return m_liveNodes; }

    // --- markup containers made by parseString live as long as the document
    MarkupContainer* adoptContainer(std::unique_ptr<MarkupContainer> c);

    // --- observers
    void addObserver(DocumentObserver* o);
    void removeObserver(DocumentObserver* o);

    // A counter that grows with every change of the tree or of an attribute;
    // live collections compute again when it moved.
    quint64 version() const { return m_version; }

    Ref<Node> cloneNode(bool deep) const override;

    // --- hooks of the primitive changes (called by Node, Element, Text)
    void didInsertChild(Node* parent, Node* child);
    void willRemoveChild(Node* parent, Node* child);
    void didRemoveChild(Node* parent, int index, Node* child);
    // Moves the children of `parent` from `from` up to `end` to the end of
    // `target`'s, unrecorded (see Node::moveChildrenTo).
    void moveChildren(Node* parent, int from, int end, Node* target);
    void didChangeAttribute(Element* el, const QString& name, const std::optional<Attribute>& before,
                            const std::optional<Attribute>& after, int pos);
    void didChangeStyle(Element* el, const std::vector<StyleDeclaration>& before);
    void didReplaceData(Text* text, int offset, const QString& removed, int insertedLength);
    void didSplitText(Text* text, int offset, Text* tail);
    // True when changes to `node` are recorded for undo and make the page
    // dirty: it is connected, and no load or undo replay is running.
    bool recordsChanges(const Node* node) const;

private:
    friend class Node;
    friend class LivePosition;
    Document();
    void nodeCreated() { ++m_liveNodes; }
    void nodeDestroyed();
    void lastRefDropped();
    // A long page's tree handed to a worker thread to be taken apart there
    // (the window would wait for it otherwise); false when it stays here.
    bool takeApartOnAWorker();
    static constexpr int kNodesTakenApartOnAWorker = 10000;
    void registerPosition(LivePosition* p);
    void unregisterPosition(LivePosition* p);
    // Hands the positions inside `root` over to `to` (a node moving there).
    void handOverPositions(const Node* root, Document* to);
    void changed(const Node* node);
    // After the tree was replaced: no undo, clean, observers told.
    void contentReplaced();
    Element* findChild(const Node* parent, QLatin1String tag) const;
    QString bodyColor(const char* attr, const char* def) const;
    void setBodyColor(const char* attr, const QString& c);

    int m_liveNodes = 0;
    int m_pointedAway = 0; // nodes of this document that name another one (pointNodesAt)
    bool m_tearingDown = false;
    bool m_orphaned = false;
    int m_loadDepth = 0;
    bool m_dirty = false;
    quint64 m_version = 0;
    // The title as walked for at a version of the page.
    mutable quint64 m_titleVersion = ~quint64(0);
    mutable QString m_title;
    QString m_url;
    QString m_readyState = QStringLiteral("complete");
    std::unique_ptr<UndoManager> m_undo;
    std::unique_ptr<Selection> m_selection;
    std::unique_ptr<PageLoader> m_loader;
    std::unique_ptr<CommandGroup> m_commands;
    std::vector<LivePosition*> m_positions;
    std::vector<DocumentObserver*> m_observers;
    std::vector<std::unique_ptr<MarkupContainer>> m_containers;
    SizeProvider m_sizeProvider;
    LayoutServices* m_layoutServices = nullptr;
};

// Opens an undo unit on construction and closes it on destruction.
class UndoUnit
{
public:
    explicit UndoUnit(Document* doc) : m_doc(doc)
    {
        if (m_doc)
            m_doc->beginUndoUnit();
    }
    ~UndoUnit()
    {
        if (m_doc)
            m_doc->endUndoUnit();
    }
    UndoUnit(const UndoUnit&) = delete;
    UndoUnit& operator=(const UndoUnit&) = delete;

private:
    Ref<Document> m_doc;
};

} // namespace engine
