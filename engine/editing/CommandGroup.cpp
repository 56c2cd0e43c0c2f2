#include "engine/editing/CommandGroup.h"

#include "engine/css/CssColor.h"
#include "engine/dom/Document.h"
#include "engine/dom/HtmlTags.h"
#include "engine/editing/ClipboardData.h"
#include "engine/editing/Formatting.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/editing/Typing.h"
#include "engine/markup/TextUnits.h"
#include "engine/markup/UndoManager.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace engine {

namespace commands_detail {
struct NamedCommand
{
    const char* name;
    int id;
};
const NamedCommand kNames[] = {
    {"Delete", CommandGroup::Delete},
    {"FontName", CommandGroup::FontName},
    {"FontSize", CommandGroup::FontSize},
    {"Redo", CommandGroup::Redo},
    {"Undo", CommandGroup::Undo},
    {"Bold", CommandGroup::Bold},
    {"ForeColor", CommandGroup::ForeColor},
    {"Italic", CommandGroup::Italic},
    {"Underline", CommandGroup::Underline},
    {"Unselect", CommandGroup::ClearSelection},
    {"CreateLink", CommandGroup::Hyperlink},
    {"Unlink", CommandGroup::Unlink},
    {"BrowseMode", CommandGroup::BrowseMode},
    {"EditMode", CommandGroup::EditMode},
    {"RemoveFormat", CommandGroup::RemoveFormat},
    {"Refresh", CommandGroup::Refresh},
    {"Copy", CommandGroup::Copy},
    {"Cut", CommandGroup::Cut},
    {"Paste", CommandGroup::Paste},
    {"OverWrite", CommandGroup::Overwrite},
    {"MultipleSelection", CommandGroup::MultipleSelection},
    {"2D-Position", CommandGroup::Position2D},
    {"LiveResize", CommandGroup::LiveResize},
};

Formatting::Toggle toggleOf(int id)
{
    return id == CommandGroup::Bold     ? Formatting::Toggle::Bold
           : id == CommandGroup::Italic ? Formatting::Toggle::Italic
                                        : Formatting::Toggle::Underline;
}

QString colorText(const Variant& in)
{
    if (in.isNull() || in.isEmpty() || (in.isBool() && !in.toBool()))
        return QString();
    if (in.isInt())
        return colorToHex(platform::ColorRef(in.toInt()));
    const QString t = in.toString().trimmed();
    if (t.isEmpty())
        return QString();
    const auto c = parseCssColor(t);
    return c ? colorToHex(*c) : t;
}
} // namespace commands_detail

int CommandGroup::idOfName(const QString& name)
{
    for (const auto& n : commands_detail::kNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.id;
    return -1;
}

bool CommandGroup::isFormatCommand(int id) const
{
    return id == FontName || id == FontSize || id == Bold || id == Italic || id == Underline || id == ForeColor ||
           id == RemoveFormat || id == Hyperlink || id == Unlink;
}

bool CommandGroup::isSwitch(int id)
{
    return id == ShowSpecialCharacters || id == Overwrite || id == ShowAllTags || id == ShowZeroBorders ||
           id == EmptyGlyphTable || id == MultipleSelection || id == Position2D || id == LiveResize ||
           id == OverrideCursor;
}

bool CommandGroup::isSwitchOn(int id) const
{
    auto it = m_switches.find(id);
    return it != m_switches.end() && it->second;
}

int CommandGroup::queryStatus(int id) const
{
    Selection& sel = m_doc->selection();
    if (isSwitch(id))
        return Supported | Enabled | (isSwitchOn(id) ? Latched : 0);
    switch (id) {
    case Copy:
    case Cut: {
        const bool has = sel.type() == Selection::Type::Control ||
                         (sel.type() == Selection::Type::Text && !sel.createRange().text().isEmpty());
        return Supported | (has ? Enabled : 0);
    }
    case Paste: {
        const QClipboard* cb = QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr;
        return Supported | (cb && clipboard::hasPastableData(cb->mimeData()) ? Enabled : 0);
    }
    case Undo:
        return Supported | (m_doc->undoManager().canUndo() ? Enabled : 0);
    case Redo:
        return Supported | (m_doc->undoManager().canRedo() ? Enabled : 0);
    case Delete:
        return Supported | (sel.type() == Selection::Type::Control ||
                                    (sel.type() == Selection::Type::Text && !sel.createRange().text().isEmpty())
                                ? Enabled
                                : 0);
    case BrowseMode:
        return Supported | Enabled | (m_editMode ? 0 : Latched);
    case EditMode:
        return Supported | Enabled | (m_editMode ? Latched : 0);
    case ClearSelection:
    case Refresh:
        return Supported | Enabled;
    case Bold:
    case Italic:
    case Underline: {
        TextRange r = sel.createRange();
        return Supported | Enabled | (Formatting::hasToggle(r, commands_detail::toggleOf(id)) ? Latched : 0);
    }
    default:
        return isFormatCommand(id) ? Supported | Enabled : 0;
    }
}

int CommandGroup::exec(int id, const Variant& in, Variant* out, bool)
{
    Selection& sel = m_doc->selection();
    if (isSwitch(id)) {
        const bool turnOnWithoutInput = id == MultipleSelection || id == Position2D || id == LiveResize;
        bool on = !isSwitchOn(id);
        if (in.isBool() || in.isInt())
            on = in.toBool();
        else if (turnOnWithoutInput)
            on = true;
        const bool changed = isSwitchOn(id) != on;
        m_switches[id] = on;
        if (changed && m_switchHook)
            m_switchHook(id);
        return 0;
    }
    switch (id) {
    case Copy:
        return copyOrCut(false);
    case Cut:
        return copyOrCut(true);
    case Paste:
        return paste();
    case Undo:
        return m_doc->undoManager().undo() ? 0 : -1;
    case Redo:
        return m_doc->undoManager().redo() ? 0 : -1;
    case ClearSelection:
        sel.empty();
        return 0;
    case BrowseMode:
    case EditMode: {
        const bool was = m_editMode;
        m_editMode = id == EditMode && (in.isEmpty() || in.isNull() ? true : in.toBool());
        if (was != m_editMode && m_switchHook)
            m_switchHook(id);
        return 0;
    }
    case Refresh:
        return m_doc->refresh() ? 0 : -1;
    case Delete:
        return deleteSelection();
    default:
        break;
    }
    if (!isFormatCommand(id))
        return -1;
    if (sel.type() == Selection::Type::Control) {
        // Links on control-selected images.
        if (id != Hyperlink && id != Unlink)
            return -1;
        UndoUnit unit(m_doc);
        for (const auto& el : sel.controlElements()) {
            if (id == Hyperlink) {
                // The element itself goes into the link (it stays selected).
                const QString href = in.toString().trimmed();
                if (href.isEmpty())
                    return -1;
                if (Element* a = el->closest(QLatin1String("A"))) {
                    a->setAttribute(QStringLiteral("href"), href);
                } else {
                    Ref<Element> link = m_doc->createElement(QStringLiteral("A"));
                    link->setAttribute(QStringLiteral("href"), href);
                    el->applyElement(link, QStringLiteral("outside"));
                }
                continue;
            }
            TextRange r(m_doc);
            r.setRange(el->parentNode(), el->indexInParent(), el->parentNode(), el->indexInParent() + 1);
            applyFormat(r, id, in);
        }
        return 0;
    }
    TextRange r = sel.createRange();
    const int result = applyFormat(r, id, in);
    if (result == 0 && !r.isCollapsed())
        r.select();
    if (out)
        *out = Variant();
    return result;
}

int CommandGroup::execOnRange(TextRange& range, int id, const Variant& in)
{
    if (!isFormatCommand(id))
        return exec(id, in);
    return applyFormat(range, id, in);
}

int CommandGroup::applyFormat(TextRange& range, int id, const Variant& in)
{
    const bool caretCommand =
        id == FontName || id == FontSize || id == Bold || id == ForeColor || id == Italic || id == Underline;
    if (caretCommand && range.isCollapsed()) {
        Node* n = range.start().node();
        if (!n || !textunits::isInsideWord(n, range.start().offset(), range.scope())) {
            m_pending.push_back({id, in});
            return 0;
        }
        range.expand(QStringLiteral("word"));
        // The word without its trailing spaces.
        while (!range.isCollapsed() && range.text().endsWith(u' '))
            range.moveEnd(QStringLiteral("character"), -1);
    }
    switch (id) {
    case Bold:
    case Italic:
    case Underline:
        Formatting::toggle(range, commands_detail::toggleOf(id));
        return 0;
    case FontName:
        Formatting::setFontAttribute(range, QStringLiteral("face"),
                                     in.isNull() || in.isEmpty() ? QString() : in.toString().trimmed());
        return 0;
    case FontSize: {
        bool ok = false;
        int size = in.toInt(&ok);
        if (!ok)
            return -1;
        size = qBound(1, size, 7);
        Formatting::setFontAttribute(range, QStringLiteral("size"), size == 3 ? QString() : QString::number(size));
        return 0;
    }
    case ForeColor:
        Formatting::setFontAttribute(range, QStringLiteral("color"), commands_detail::colorText(in));
        return 0;
    case RemoveFormat:
        Formatting::removeFormat(range);
        return 0;
    case Hyperlink: {
        const QString href = in.toString().trimmed();
        if (href.isEmpty())
            return -1;
        return Formatting::createLink(range, href) ? 0 : -1;
    }
    case Unlink:
        Formatting::unlink(range);
        return 0;
    default:
        return -1;
    }
}

int CommandGroup::deleteSelection()
{
    Selection& sel = m_doc->selection();
    if (sel.type() == Selection::Type::Control) {
        UndoUnit unit(m_doc);
        const auto elements = sel.controlElements();
        for (const auto& el : elements)
            el->remove();
        sel.empty();
        return 0;
    }
    if (sel.type() != Selection::Type::Text)
        return -1;
    // As the Delete key deletes it.
    UndoUnit unit(m_doc);
    Typing(m_doc).deleteSelectionIfAny();
    return 0;
}

QString CommandGroup::selectionFragment() const
{
    Selection& sel = m_doc->selection();
    if (sel.type() == Selection::Type::Control) {
        QString out;
        for (const auto& el : sel.controlElements())
            out += el->outerHTML();
        return out;
    }
    if (sel.type() != Selection::Type::Text)
        return QString();
    TextRange r = sel.createRange();
    QString html = r.htmlText();
    // The inline ancestors up to the cell, caption or marquee go with it.
    for (Element* e = r.parentElement(); e; e = e->parentElement()) {
        if (e->hasTag(QLatin1String("TD")) || e->hasTag(QLatin1String("TH")) || e->hasTag(QLatin1String("CAPTION")) ||
            e->hasTag(QLatin1String("MARQUEE")) || tags::isBlock(e->tagName()))
            break;
        Ref<Node> shell = e->cloneNode(false);
        const QString outer = shell->asElement()->outerHTML();
        const int close = outer.lastIndexOf(QLatin1String("</"));
        html = outer.left(close) + html + outer.mid(close);
    }
    return html;
}

int CommandGroup::copyOrCut(bool cut)
{
    Selection& sel = m_doc->selection();
    if (!(queryStatus(cut ? Cut : Copy) & Enabled) || !QGuiApplication::instance())
        return -1;
    if (fire(cut ? OnCut : OnCopy))
        return 0;
    const QString fragment = selectionFragment();
    QString text;
    if (sel.type() == Selection::Type::Text) {
        text = sel.createRange().text();
    } else {
        for (const auto& el : sel.controlElements())
            text += el->innerText();
    }
    QGuiApplication::clipboard()->setMimeData(clipboard::makeMimeData(fragment, text).release());
    if (cut)
        deleteSelection();
    return 0;
}

int CommandGroup::paste()
{
    if (!QGuiApplication::instance())
        return -1;
    if (fire(OnBeforePaste) || fire(OnPaste))
        return 0;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!clipboard::hasPastableData(data))
        return -1;
    Selection& sel = m_doc->selection();
    UndoUnit unit(m_doc);
    TextRange r = sel.createRange();
    if (sel.type() == Selection::Type::Control) {
        const auto elements = sel.controlElements();
        Element* first = elements.empty() ? nullptr : elements.front().get();
        if (first && first->parentNode())
            r.setRange(first->parentNode(), first->indexInParent(), first->parentNode(), first->indexInParent());
        for (const auto& el : elements)
            el->remove();
    }
    const QString html = clipboard::fragmentOf(data);
    if (!html.isEmpty())
        r.pasteHTML(html);
    else
        r.setText(clipboard::textOf(data));
    r.select();
    return 0;
}

bool CommandGroup::execCommand(const QString& name, const Variant& value)
{
    const int id = idOfName(name);
    return id >= 0 && exec(id, value) >= 0;
}

Variant CommandGroup::valueOnRange(const TextRange& range, const QString& name) const
{
    const int id = idOfName(name);
    if (id == FontSize || id == FontName || id == ForeColor)
        return Formatting::fontValue(range, name);
    if (id == Bold || id == Italic || id == Underline)
        return Formatting::hasToggle(range, commands_detail::toggleOf(id));
    return Variant::null();
}

bool CommandGroup::stateOnRange(const TextRange& range, const QString& name) const
{
    const int id = idOfName(name);
    if (id == Bold || id == Italic || id == Underline)
        return Formatting::hasToggle(range, commands_detail::toggleOf(id));
    if (id == EditMode)
        return m_editMode;
    if (isSwitch(id))
        return isSwitchOn(id);
    if (id == BrowseMode)
        return !m_editMode;
    return false;
}

Variant CommandGroup::queryCommandValue(const QString& name) const
{
    return valueOnRange(m_doc->selection().createRange(), name);
}

bool CommandGroup::queryCommandState(const QString& name) const
{
    return stateOnRange(m_doc->selection().createRange(), name);
}

bool CommandGroup::queryCommandEnabled(const QString& name) const
{
    const int id = idOfName(name);
    return id >= 0 && (queryStatus(id) & Enabled);
}

} // namespace engine
