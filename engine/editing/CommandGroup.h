#pragma once

#include "engine/dom/Variant.h"

#include <QString>
#include <functional>
#include <map>
#include <vector>

namespace engine {

class Document;
class TextRange;

// The editing commands of a document by number (and by name), applied to
// the selection or to a given range.
class CommandGroup
{
public:
    enum Id {
        Copy = 15,
        Cut = 16,
        Delete = 17,
        FontName = 18,
        FontSize = 19,
        Paste = 26,
        Redo = 29,
        Undo = 43,
        Bold = 52,
        ForeColor = 55,
        Italic = 56,
        Underline = 63,
        ClearSelection = 2007,
        Hyperlink = 2124,
        Unlink = 2125,
        BrowseMode = 2126,
        EditMode = 2127,
        RemoveFormat = 2230,
        ShowSpecialCharacters = 2249,
        Refresh = 2300,
        Overwrite = 2314,
        ShowAllTags = 2327,
        ShowZeroBorders = 2328,
        EmptyGlyphTable = 2336,
        MultipleSelection = 2393,
        Position2D = 2394,
        LiveResize = 2398,
        OverrideCursor = 2420,
    };
    // Events the clipboard commands fire first; a true answer cancels.
    // The events of the clipboard commands: copy fires oncopy, cut oncut.
    enum Event : quint32 { OnCut = 0x8001001A, OnCopy = 0x8001001B, OnBeforePaste = 0x8001001F, OnPaste = 0x8001001C };
    enum Status { Supported = 1, Enabled = 2, Latched = 4 };

    explicit CommandGroup(Document* doc) : m_doc(doc) {}

    // 0 on success, negative on failure (-1 unknown or refused).
    int exec(int id, const Variant& in = Variant(), Variant* out = nullptr, bool prompt = false);
    int queryStatus(int id) const;

    bool execCommand(const QString& name, const Variant& value = Variant());
    Variant queryCommandValue(const QString& name) const;
    bool queryCommandState(const QString& name) const;
    bool queryCommandEnabled(const QString& name) const;
    static int idOfName(const QString& name);

    // The same on a range instead of the selection.
    int execOnRange(TextRange& range, int id, const Variant& in);
    Variant valueOnRange(const TextRange& range, const QString& name) const;
    bool stateOnRange(const TextRange& range, const QString& name) const;

    bool editMode() const { return m_editMode; }
    // The design switches (2249, 2314, 2327, 2328, 2336, 2393, 2394, 2398,
    // 2420): kept across reloads; the view reads them.
    bool isSwitchOn(int id) const;
    // Called with an event number before copy, cut and paste act; returns
    // true to cancel (the view connects the document's event sink).
    void setEventHook(std::function<bool(quint32)> hook) { m_eventHook = std::move(hook); }
    // Called with the command's number after a design switch, browse mode or
    // edit mode changed its state (the view paints from that state).
    void setSwitchHook(std::function<void(int)> hook) { m_switchHook = std::move(hook); }

    // The HTML that copy puts on the clipboard for the selection: each
    // control-selected element's outerHTML, or the selected markup with its
    // inline ancestors up to its TD, CAPTION or MARQUEE.
    QString selectionFragment() const;

    // A format asked for on a caret outside a word: it applies to the next
    // typed text (the typing code takes and clears it).
    struct PendingFormat
    {
        int id;
        Variant value;
    };
    const std::vector<PendingFormat>& pendingFormats() const { return m_pending; }
    void clearPendingFormats() { m_pending.clear(); }

private:
    bool isFormatCommand(int id) const;
    int applyFormat(TextRange& range, int id, const Variant& in);
    int deleteSelection();
    int copyOrCut(bool cut);
    int paste();
    bool fire(quint32 event) const { return m_eventHook && m_eventHook(event); }
    static bool isSwitch(int id);

    Document* m_doc;
    bool m_editMode = true;
    std::map<int, bool> m_switches;
    std::function<bool(quint32)> m_eventHook;
    std::function<void(int)> m_switchHook;
    std::vector<PendingFormat> m_pending;
};

} // namespace engine
