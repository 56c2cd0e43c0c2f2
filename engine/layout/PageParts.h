#pragma once

#include "engine/layout/LayoutSerializer.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace litehtml {
class context;
class document;
} // namespace litehtml

namespace engine {

class PageContainer;

// A long page's layout text read by the layout library in parts, each on a
// thread of its own, and joined into one layout document: the elements a
// part adds are moved into the first part's document under the elements
// open where the part starts (see LayoutSerializer::Cut). Reading the
// page's elements, matching the style sheets to them and resolving their
// styles is most of a long page's layout: the parts share it out.
class PageParts
{
public:
    // The joined document, and the documents of the other parts: their
    // elements refer to them, so they live as long as it does.
    struct Read
    {
        std::shared_ptr<litehtml::document> document;
        std::vector<std::shared_ptr<litehtml::document>> others;
    };

    // Reads the pieces in at most `parts` parts cut at some of `cuts`, each
    // at least `leastPartLength` long (the layout text a thread of its own
    // is worth); nothing when the page is not worth cutting or has no cuts,
    // or when a part did not read as the page reads at its edges (the
    // caller then reads the page whole). The joined document's words are
    // prepared as LayoutEngine prepares a page's (edge spaces marked,
    // widths fitted).
    static std::optional<Read> read(const std::vector<QString>& pieces, const std::vector<LayoutSerializer::Cut>& cuts,
                                    PageContainer& container, litehtml::context& context, int parts,
                                    qsizetype leastPartLength);

    // Where the pieces are cut into parts about as long: the indexes of
    // the cuts taken (none when too short or not cut).
    static std::vector<size_t> cutsFor(const std::vector<QString>& pieces,
                                       const std::vector<LayoutSerializer::Cut>& cuts, int parts,
                                       qsizetype leastPartLength);
};

} // namespace engine
