#pragma once

#include <QString>
#include <QStringList>

namespace engine {
class Document;
class Element;
} // namespace engine

// The script effects' operations on a page and on files: static functions of
// a class that is never made. Only what the link work of a save and of the
// page modes calls stands so far; the script effects fill in the rest.
class CScriptUtility
{
public:
    CScriptUtility() = delete;
    virtual ~CScriptUtility() = default;

    // Appends to the list the image paths that the script effects' image
    // variables name in the SCRIPT blocks of the text (the whole text read as
    // one block when asked). Appends nothing yet: no effect writes images.
    static void GetScriptImageFiles(QStringList& list, const QString& html, bool wholeText);

    // Puts what the HTML parses to in place of the element, its tags
    // included, as one undo step; an empty HTML only removes the element.
    // Changes nothing yet.
    static void ReplaceElementHtml(engine::Document* document, engine::Element* element, const QString& html);
};
