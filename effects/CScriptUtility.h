#pragma once

#include <QString>
#include <QStringList>

class CZQView;

namespace engine {
class Document;
class Element;
} // namespace engine

// What the script effects write into a page and read back from it: the
// effect files copied beside the page, their includes (SCRIPT src elements
// at the end of BODY), the one script-call block (an inline SCRIPT that
// holds the effects' variable lines and, in the function VornaScriptCall,
// their call lines), the BODY onload call of that function, the roll-over
// image script, and the files that a page's effects use.
//
// An effect family is the word before the first "_" of an effect's file
// name ("statusbar", "browser", "screen", "mouse"); call lines ("mouse_click_
// initParam()") and variable lines ("var mouse_Bomb1 = \"...\"") carry it the
// same way. Text written into scripts uses "\n" as line break; every search
// accepts "\r", "\n" and "\r\n".
//
// Operations on a page work on the document given, or on the active page
// (AppContext) where none is given; without one they change nothing. They
// show nothing to the user. A class of static functions, never made.
class CScriptUtility
{
public:
    CScriptUtility() = delete;
    virtual ~CScriptUtility() = default;

    // ---- effect files

    // Copies the effect file of that name from the install folder's
    // "Other/script/" into the destination folder (made when missing),
    // replacing a file of the same name. The destination path; empty when
    // the copy failed (a missing template, a folder that cannot be written),
    // in which case nothing at the destination changed.
    static QString CopyScriptFile(const QString& destinationFolder, const QString& fileName);
    // The same for any file: the source's own name in the destination folder,
    // which is not made. Empty when the copy failed.
    static QString CopyFileToFolder(const QString& destinationFolder, const QString& sourcePath);

    // ---- includes, onload and the script-call block

    // Removes the includes of the effect family of `fileOrFamily` (a file path
    // or a family text such as "mouse_"), then writes at the end of BODY an
    // include of `fileOrFamily`, or, when a list is given, one include for
    // each file of the list in its order (an empty list writes none). In a web
    // the src is "other/" and the file name, else the path as given.
    static void IncludeScriptFiles(engine::Document* document, engine::Element* body, const QString& fileOrFamily,
                                   bool inWeb, const QStringList* files = nullptr);
    // Writes the includes of IncludeScriptFiles (nothing is removed).
    static void InsertScriptIncludes(engine::Element* body, const QString& file, bool inWeb,
                                     const QStringList* files = nullptr);
    // Makes BODY's onload call VornaScriptCall(), after what it called before.
    static void AddBodyOnLoadCall(engine::Element* body);
    // Merges the lines into every script-call block of the page (each
    // family's old lines give way to the new ones), or puts a new block at the
    // end of BODY when the page has none.
    static void AddScriptCallLines(engine::Document* document, const QStringList& callLines,
                                   const QStringList& variableLines);
    // Puts a new script-call block holding the lines at the end of BODY.
    static void InsertScriptCallBlock(const QStringList& callLines, const QStringList& variableLines,
                                      engine::Document* document);
    // The script text with the call lines' family's old call lines taken out
    // of VornaScriptCall and the new ones appended to it; unchanged for an
    // empty list or a text without the function.
    static QString MergeCallLines(const QString& script, const QStringList& callLines);
    // The script text with the variable lines' family's old variable lines
    // taken out and the new ones put before VornaScriptCall; unchanged for an
    // empty list or a text without the function.
    static QString MergeVariableLines(const QString& script, const QStringList& variableLines);
    // The text of a new script-call block (also the text the wizard previews).
    static QString BuildScriptCallBlock(const QStringList& callLines, const QStringList& variableLines);
    // Parses the HTML (the marker block when it is empty) and puts it inside
    // the element just before its end tag.
    static void InsertHtmlAtBodyEnd(engine::Element* element, const QString& html);
    // Puts the HTML in place of the marker block inserted last (a SCRIPT
    // named "VornaScriptTemp") and removes markers left from before.
    static void ReplaceScriptMarker(const QString& html, engine::Document* document = nullptr);
    // Puts what the HTML parses to in place of the element, its tags
    // included, as one undo step; an empty HTML only removes the element.
    static void ReplaceElementHtml(engine::Document* document, engine::Element* element, const QString& html);

    // ---- texts

    // The text after the last "\" or "/"; the whole text when it holds neither.
    static QString GetFileNamePart(const QString& path);
    // The effect family of a file path, file name or family text: the text
    // before the first "_" when that stands after the first character, else
    // the text before the first "." (empty without one).
    static QString GetEffectFamily(const QString& text);
    static QString PathToSlashes(const QString& path);
    // "var mouse_Bomb1 = ..." gives "var mouse_Bomb1" and "mouse".
    static QString GetVariableName(const QString& variableLine);
    static QString GetVariableFamily(const QString& variableLine);
    // The value of an attribute as written in a start tag ("<BODY onload=x>"),
    // without its double quotes; empty when the text is no tag or lacks it.
    static QString GetTagAttributeValue(const QString& startTag, const QString& attributeName);

    // ---- listing and removal

    // The effect families of the active page's includes, each once, in the
    // order of first inclusion, each followed by "\t"; empty without a page.
    static void GetScriptSourceList(QString& list);
    // Takes the families' call and variable lines out of every script-call
    // block; a function left empty goes with the onload call, a block left
    // empty with its SCRIPT element.
    static void RemoveEffectCalls(engine::Document* document, engine::Element* body, const QStringList& families);
    // Removes every include of a file of one of the families.
    static void RemoveEffectIncludes(engine::Document* document, engine::Element* body, const QStringList& families);
    // The script text without the variable lines of the families.
    static QString RemoveVariableLines(const QString& script, const QStringList& families);
    // The script text without VornaScriptCall when that calls nothing.
    static QString RemoveEmptyCallFunction(const QString& script);
    // True when the text holds nothing but blanks, line breaks and the
    // comment marks "<!--" and "-->".
    static bool IsEmptyScriptText(const QString& script);
    // Takes the call of VornaScriptCall() out of BODY's onload; an onload
    // left with nothing to call goes.
    static void RemoveBodyOnLoadCall(engine::Element* body);

    // ---- roll-over images

    // The base name followed by one more than the largest number that the
    // page's elements of that name or id carry after it ("VornaRollImage4");
    // empty without an active page.
    static QString MakeUniqueElementName(const QString& baseName);
    // The element's name attribute; empty without one.
    static QString GetElementName(const engine::Element* element);
    // "VornaChangeImage" and the roll-over SCRIPT block for "VornaRollImage"
    // (any case); empty texts for any other name.
    static QString GetScriptFunctionName(const QString& scriptElementName);
    static QString GetRollOverScriptText(const QString& scriptElementName);
    // Puts the roll-over script at the end of the active page's BODY unless a
    // SCRIPT of the page defines its function already.
    static void EnsureRollOverScript(const QString& scriptElementName);
    static void InsertRollOverScript(engine::Document* document, const QString& scriptElementName);
    // Removes the roll-over script when no element of the active page has
    // that name or id any more.
    static void RemoveRollOverScriptIfUnused(const QString& scriptElementName);
    // Removes the script's function from the page (a SCRIPT left empty goes).
    static void RemoveRollOverScripts(engine::Document* document, const QString& scriptElementName);

    // ---- files that a page's effects use

    // What GetScriptVariable gives for a variable that does not occur.
    static QString NotFoundMark() { return QStringLiteral("-------------------------"); }
    // The value given to the first occurrence of the variable in the script
    // text (between quotes when it is quoted, read back as JavaScript reads
    // the string); the not-found mark without one.
    static QString GetScriptVariable(const QString& variableName, const QString& script);
    // Appends the image paths that the effects' image variables name in the
    // SCRIPT blocks of the HTML (the whole text read as one block when asked).
    static void GetScriptImageFiles(QStringList& list, const QString& html, bool wholeText);
    // Appends the picture that each roll-over call of the HTML shows.
    static void GetRollOverCallArgs(QStringList& list, const QString& html);
    // Appends, for each local include of the view's page, the file of that
    // name in the effect folder (the open web's "other" folder for a page of
    // the web, else the install folder's "Work" folder).
    static void GetScriptFilePaths(QStringList& paths, CZQView* view);

    // ---- the effect folder

    // Where effect files go: the open web's "other" folder for a page of the
    // web, else the install folder's "Work" folder; ends in "/".
    static QString EffectFolder(bool inWeb);
};
