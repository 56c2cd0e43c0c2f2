#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace engine {

class DocumentLayout;
class Element;

// Hit testing of our own (litehtml's ignores the layers of higher z-index):
// positioned elements by z-index, then tree order, then the flow element
// under the point. In a table's cell spacing or border the TABLE is hit,
// inside a cell the TD or what it holds; on an IMG whose usemap starts with
// "#" the AREA under the point; empty page area gives BODY. A box's left and
// top edges count as inside, its right and bottom edges as outside. Hidden
// boxes (visibility) are not hit; visible content inside them is.
class HitTester
{
public:
    explicit HitTester(DocumentLayout& layout) : m_layout(layout) {}

    // The topmost element at a client point; null outside the client area.
    Element* elementFromPoint(QPoint client);
    // The same for a page point, wherever it lies (capture, drops).
    Element* elementAtPagePoint(QPoint page);

    // The index of the topmost box at a page point in the layout tree (the
    // root for empty page area); -1 when there is no layout.
    int boxIndexAtPagePoint(QPoint page) { return boxAt(page); }

    // Whether a shape of an AREA ("rect", "circle", "poly", "default") with
    // its coords contains a point relative to the image's top left.
    static bool areaContains(const QString& shape, const QString& coords, QPoint p);

private:
    static bool isTablePart(const QString& tag);
    int boxAt(QPoint page);
    void computeExtents();
    // The deepest flow box at the point in a box's subtree; -1 when neither
    // the box nor what it holds is there.
    int hitIn(int index, QPoint page);
    bool boxContains(int index, QPoint page) const;
    Element* areaAt(Element* img, QPoint page);

    DocumentLayout& m_layout;
    std::vector<QRect> m_extents; // per box: itself and its flow descendants
};

} // namespace engine
