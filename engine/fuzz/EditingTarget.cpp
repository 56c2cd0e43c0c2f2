// libFuzzer target of editing (built with clang when PAGINOR_FUZZ is on; not
// part of the engine library). The input is a page whose bytes also choose
// ranges and formatting commands: the commands, with pastes between them,
// run on the ranges, and undoing everything must bring the page back
// exactly.
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/UndoManager.h"

#include <cstdint>
#include <cstdlib>

namespace {

void editing(const QString& html, const uint8_t* data, size_t size)
{
    using namespace engine;
    if (size < 8)
        return;
    Ref<Document> doc = Document::create();
    doc->replaceContent(html);
    if (!doc->body())
        return;
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
    if (HtmlSerializer::fileText(doc.get()) != before)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    editing(html, data, size);
    return 0;
}
