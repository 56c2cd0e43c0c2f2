#pragma once

#include "engine/dom/Document.h"
#include "engine/html/HtmlSerializer.h"

#include "support/QtPrinters.h"

#include <QString>

#include <ostream>

namespace engine {
inline void PrintTo(const Variant& v, std::ostream* os)
{
    *os << "Variant(type " << int(v.type()) << ", " << v.toString().toStdString() << ")";
}
} // namespace engine

// A document parsed from HTML text, for the engine's tests.
inline engine::Ref<engine::Document> pageFrom(const QString& html)
{
    engine::Ref<engine::Document> doc = engine::Document::create();
    doc->replaceContent(html);
    return doc;
}

inline engine::Ref<engine::Document> pageFrom(const char* html)
{
    return pageFrom(QString::fromUtf8(html));
}

inline QString bodyHtml(engine::Document* doc)
{
    return doc->body() ? doc->body()->innerHTML() : QString();
}

// True when parsing the body's HTML again builds the same tree: the engine's
// own editing keeps the tree as a parser would build it.
inline bool parserStable(engine::Document* doc)
{
    const QString html = bodyHtml(doc);
    auto again = pageFrom(QStringLiteral("<html><body>") + html + QStringLiteral("</body></html>"));
    return bodyHtml(again.get()) == html;
}
