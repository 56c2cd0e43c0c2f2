#pragma once

#include "engine/dom/Ref.h"

#include <QString>

#include <vector>

namespace engine {

class Document;
class Node;

// The HTML that the layout library lays out, written from the DOM: each
// element carries its node id in the node-id attribute, and a comment "#<id>"
// stands before each text node, so that boxes and words map back to nodes.
// The DOCTYPE and the page's comments are left out (the layout reads the page
// in quirks mode), and elements nested deeper than the cap are not handed
// over (they get no box).
class LayoutSerializer
{
public:
    // Element depth below the root that the layout still receives, and the
    // number of nested tables (each costs the layout a factor in time).
    static constexpr int kMaxDepth = 180;
    static constexpr int kMaxTableDepth = 12;

    struct Result
    {
        QString html;
        std::vector<Ref<Node>> nodes; // node id -> node
    };

    static Result serialize(const Document& doc);
};

} // namespace engine
