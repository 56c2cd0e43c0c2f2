// libFuzzer target (built with clang when PAGINOR_FUZZ is on; not part of
// the engine library): parses the input as a page and as a fragment,
// serializes, parses the result again and serializes once more. Any input
// must parse without crashing or hanging, and the second serialization must
// equal the first (the file form is stable under a round trip).
#include "engine/dom/Document.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/HtmlSerializer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace engine;
    const QString html = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    Ref<Document> doc = Document::create();
    doc->replaceContent(html);
    const QString once = HtmlSerializer::fileText(doc.get());
    Ref<Document> again = Document::create();
    again->replaceContent(once);
    const QString twice = HtmlSerializer::fileText(again.get());
    Ref<Document> third = Document::create();
    third->replaceContent(twice);
    if (HtmlSerializer::fileText(third.get()) != twice)
        std::abort();

    if (Element* body = doc->body()) {
        body->setInnerHTML(html);
        (void)body->outerHTML();
        (void)body->innerText();
    }
    return 0;
}
