// libFuzzer target of reading and writing pages (built with clang when
// PAGINOR_FUZZ is on; not part of the engine library). The input is the bytes
// of a page file: its charset is found and it is decoded as a page load does,
// parsed, written as a saved file, and parsed and written again. Any input
// must get through without crashing or hanging, and the second save must
// equal the first: a saved page opened and saved again is the same file.
#include "engine/dom/Document.h"
#include "engine/html/HtmlSerializer.h"
#include "platform/CodePages.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace engine;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = platform::decodeText(bytes, platform::detectCharset(bytes));
    Ref<Document> doc = Document::create();
    doc->replaceContent(text);
    const QString once = HtmlSerializer::fileText(doc.get());
    Ref<Document> again = Document::create();
    again->replaceContent(once);
    const QString twice = HtmlSerializer::fileText(again.get());
    if (twice != once) {
        std::fprintf(stderr, "second save differs:\n--- first\n%s\n--- second\n%s\n", once.toUtf8().constData(),
                     twice.toUtf8().constData());
        std::abort();
    }
    return 0;
}
