#pragma once

#include "engine/dom/Variant.h"

#include <QString>
#include <vector>

namespace engine {

class Document;
class TextRange;

// The editing commands of a document by number (and by name), applied to
// the selection or to a given range.
class CommandGroup {
public:
    enum Id {
        Delete = 17,
        FontName = 18,
        FontSize = 19,
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
        Refresh = 2300,
    };
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

    // A format asked for on a caret outside a word: it applies to the next
    // typed text (the typing code takes and clears it).
    struct PendingFormat {
        int id;
        Variant value;
    };
    const std::vector<PendingFormat>& pendingFormats() const { return m_pending; }
    void clearPendingFormats() { m_pending.clear(); }

private:
    bool isFormatCommand(int id) const;
    int applyFormat(TextRange& range, int id, const Variant& in);
    int deleteSelection();

    Document* m_doc;
    bool m_editMode = true;
    std::vector<PendingFormat> m_pending;
};

} // namespace engine
