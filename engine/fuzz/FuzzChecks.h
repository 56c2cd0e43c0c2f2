#pragma once
// The checks of the engine's fuzz targets, shared by the libFuzzer entry
// points (which mutate inputs) and the tests (which replay the seed corpus
// through the same checks once).
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/UndoManager.h"
#include "platform/CodePages.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace engine::fuzz_checks {

// At the end of the process, how many pages and fragments were read again
// with the parser's strict scan (the usual one did not foresee the tree
// builder) and how many could not be read at all: on stderr, and added as a
// line "<strict> <unreadable>" to the file PAGINOR_FUZZ_TALLY names (a run
// with several jobs runs the target in several processes). Called by the
// targets at each input; reports once.
inline void reportStrictReadingsAtExit()
{
    static const bool registered = [] {
        std::atexit([] {
            const auto strict = static_cast<unsigned long long>(HtmlParser::strictReadings());
            const auto unreadable = static_cast<unsigned long long>(HtmlParser::unreadable());
            std::fprintf(stderr, "paginor: read again with the strict scan: %llu, unreadable: %llu\n", strict,
                         unreadable);
            if (const char* path = std::getenv("PAGINOR_FUZZ_TALLY"); path && *path)
                if (std::FILE* f = std::fopen(path, "a")) {
                    std::fprintf(f, "%llu %llu\n", strict, unreadable);
                    std::fclose(f);
                }
        });
        return true;
    }();
    (void)registered;
}

// A page's first and second save.
struct Saves
{
    QString once;
    QString twice;
    bool stable() const { return once == twice; }
};

// The bytes of a page file: its charset is found and it is decoded as a page
// load does, parsed, written as a saved file, and parsed and written again.
// A saved page opened and saved again must be the same file.
inline Saves saveTwice(const QByteArray& bytes)
{
    const QString text = platform::decodeText(bytes, platform::detectCharset(bytes));
    Ref<Document> doc = Document::create();
    Saves saves;
    // A page refused (no tree could be built from it; the user is told and
    // the page open before stays) has no save to compare.
    if (!doc->replaceContent(text))
        return saves;
    saves.once = HtmlSerializer::fileText(doc.get());
    Ref<Document> again = Document::create();
    again->replaceContent(saves.once);
    saves.twice = HtmlSerializer::fileText(again.get());
    return saves;
}

// The input is a page (read as UTF-8) whose bytes also choose ranges and
// formatting commands: the commands, with pastes between them, run on the
// ranges, and undoing everything must bring the page back exactly. False
// when it does not.
inline bool editingUndoesExactly(const uint8_t* data, size_t size)
{
    if (size < 8)
        return true;
    Ref<Document> doc = Document::create();
    doc->replaceContent(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!doc->body())
        return true;
    const QString before = HtmlSerializer::fileText(doc.get());
    static const int commands[] = {CommandGroup::Bold,         CommandGroup::Italic,    CommandGroup::Underline,
                                   CommandGroup::FontSize,     CommandGroup::ForeColor, CommandGroup::FontName,
                                   CommandGroup::RemoveFormat, CommandGroup::Hyperlink, CommandGroup::Unlink,
                                   CommandGroup::Delete};
    for (size_t i = 0; i + 3 < size && i < 24; i += 4) {
        TextRange r(doc.get());
        r.move(QStringLiteral("character"), data[i]);
        r.moveEnd(QStringLiteral("character"), data[i + 1] % 64);
        r.select();
        const int id = commands[data[i + 2] % (sizeof commands / sizeof *commands)];
        const Variant value = id == CommandGroup::FontSize    ? Variant(int(data[i + 3] % 9))
                              : id == CommandGroup::ForeColor ? Variant(QStringLiteral("#102030"))
                              : id == CommandGroup::FontName  ? Variant(QStringLiteral("Arial"))
                                                              : Variant(QStringLiteral("a.html"));
        doc->commands().exec(id, value);
        if (data[i + 3] & 0x80) {
            TextRange p = doc->selection().createRange();
            p.pasteHTML(QStringLiteral("<b>x</b><p>y</p>"));
        }
    }
    while (doc->undoManager().canUndo())
        doc->undoManager().undo();
    return HtmlSerializer::fileText(doc.get()) == before;
}

} // namespace engine::fuzz_checks
