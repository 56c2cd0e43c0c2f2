#include "engine/layout/HitTester.h"

#include "engine/dom/Document.h"
#include "engine/layout/DocumentLayout.h"

#include <QPolygon>
#include <QRegularExpression>

#include <algorithm>

namespace engine {

namespace hittester_detail {

std::vector<int> numbers(const QString& coords)
{
    std::vector<int> out;
    for (const QString& part : coords.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts))
        out.push_back(static_cast<int>(part.trimmed().toDouble()));
    return out;
}

} // namespace hittester_detail

bool HitTester::isTablePart(const QString& tag)
{
    return tag == QLatin1String("TR") || tag == QLatin1String("TBODY") || tag == QLatin1String("THEAD") ||
           tag == QLatin1String("TFOOT");
}

bool HitTester::areaContains(const QString& shapeIn, const QString& coords, QPoint p)
{
    const QString shape = shapeIn.trimmed().toLower();
    const std::vector<int> c = hittester_detail::numbers(coords);
    if (shape == QLatin1String("default"))
        return true;
    if (shape == QLatin1String("circle") || shape == QLatin1String("circ")) {
        if (c.size() < 3)
            return false;
        const long long dx = p.x() - c[0], dy = p.y() - c[1];
        return dx * dx + dy * dy < static_cast<long long>(c[2]) * c[2];
    }
    if (shape == QLatin1String("poly") || shape == QLatin1String("polygon")) {
        if (c.size() < 6)
            return false;
        QPolygon poly;
        for (size_t i = 0; i + 1 < c.size(); i += 2)
            poly << QPoint(c[i], c[i + 1]);
        return poly.containsPoint(p, Qt::OddEvenFill);
    }
    // rect, rectangle, or no shape.
    if (c.size() < 4)
        return false;
    const int left = std::min(c[0], c[2]), right = std::max(c[0], c[2]);
    const int top = std::min(c[1], c[3]), bottom = std::max(c[1], c[3]);
    return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom;
}

bool HitTester::boxContains(int index, QPoint page) const
{
    const LayoutBox* b = m_layout.boxAt(index);
    if (!b)
        return false;
    if (b->inlineLevel && !b->lineBoxes.empty())
        return std::any_of(b->lineBoxes.begin(), b->lineBoxes.end(), [&](const QRect& r) { return r.contains(page); });
    return b->borderBox.contains(page);
}

void HitTester::computeExtents()
{
    // The area each box and its flow descendants cover: content may stand
    // outside its parent (floats, wide tables, fixed heights) and is hit where
    // it is drawn, unless the parent clips it. Parents come before their
    // children in the tree.
    const LayoutTree& tree = m_layout.tree();
    m_extents.assign(tree.boxes.size(), QRect());
    for (size_t i = tree.boxes.size(); i-- > 0;) {
        const LayoutBox& b = tree.boxes[i];
        QRect own = b.borderBox;
        for (const QRect& r : b.lineBoxes)
            own = own.united(r);
        m_extents[i] = b.clipsContent ? own : m_extents[i].united(own);
        if (b.parent >= 0 && !b.positioned && static_cast<size_t>(b.parent) < i)
            m_extents[static_cast<size_t>(b.parent)] = m_extents[static_cast<size_t>(b.parent)].united(m_extents[i]);
    }
}

int HitTester::hitIn(int index, QPoint page)
{
    const LayoutBox* b = m_layout.boxAt(index);
    if (!b || !m_extents[static_cast<size_t>(index)].contains(page))
        return -1;
    // A hidden box is not there for the pointer; what it holds may be
    // visible again and is hit.
    const bool inside = !b->hidden && boxContains(index, page);
    if (b->clipsContent && !b->paddingBox.contains(page))
        return inside ? index : -1;
    for (auto it = b->children.rbegin(); it != b->children.rend(); ++it) {
        const LayoutBox* child = m_layout.boxAt(*it);
        if (!child || child->positioned)
            continue;
        const int hit = hitIn(*it, page);
        if (hit >= 0)
            return hit;
    }
    return inside ? index : -1;
}

namespace hittester_detail {

// The painting order of a positioned box: the layers that make a stacking
// context around it (a z-index other than 0), outermost first, then itself,
// each as (z-index, document order). Of two boxes, the one whose key is
// greater at the first difference is on top; a layer's descendants are on
// top of the layer.
std::vector<std::pair<int, int>> stackingKey(const LayoutTree& tree, int index)
{
    std::vector<std::pair<int, int>> key;
    const LayoutBox& self = tree.boxes[static_cast<size_t>(index)];
    key.emplace_back(self.zIndex, self.order);
    for (int p = self.parent; p >= 0; p = tree.boxes[static_cast<size_t>(p)].parent) {
        const LayoutBox& a = tree.boxes[static_cast<size_t>(p)];
        if (a.positioned && a.zIndex != 0)
            key.emplace_back(a.zIndex, a.order);
    }
    std::reverse(key.begin(), key.end());
    return key;
}

} // namespace hittester_detail

int HitTester::boxAt(QPoint page)
{
    const LayoutTree& tree = m_layout.tree();
    if (tree.boxes.empty())
        return -1;
    computeExtents();
    std::vector<std::pair<std::vector<std::pair<int, int>>, int>> positioned;
    for (int i = 0; i < static_cast<int>(tree.boxes.size()); ++i) {
        if (tree.boxes[static_cast<size_t>(i)].positioned)
            positioned.emplace_back(hittester_detail::stackingKey(tree, i), i);
    }
    // Topmost first.
    std::sort(positioned.begin(), positioned.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& entry : positioned) {
        const int i = entry.second;
        const int hit = hitIn(i, page);
        if (hit < 0)
            continue;
        // A clipping ancestor hides what lies outside it.
        bool clipped = false;
        for (const LayoutBox* a = m_layout.boxAt(tree.boxes[static_cast<size_t>(i)].parent); a && !clipped;
             a = m_layout.boxAt(a->parent))
            clipped = a->clipsContent && !a->paddingBox.contains(page);
        if (!clipped)
            return hit;
    }
    const int hit = hitIn(0, page);
    return hit >= 0 ? hit : 0;
}

Element* HitTester::areaAt(Element* img, QPoint page)
{
    const QString usemap = img->getAttributeText(QStringLiteral("usemap")).trimmed();
    if (!usemap.startsWith(u'#'))
        return img;
    const QString name = usemap.mid(1);
    const LayoutBox* b = m_layout.box(img);
    if (!b || name.isEmpty())
        return img;
    const QPoint local = page - b->contentBox.topLeft();
    const ElementCollection maps = m_layout.document()->getElementsByTagName(QStringLiteral("MAP"));
    for (int i = 0; i < maps.length(); ++i) {
        Element* map = maps.item(i);
        if (map->name().compare(name, Qt::CaseInsensitive) != 0 && map->id().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const ElementCollection areas = map->areas();
        for (int a = 0; a < areas.length(); ++a) {
            Element* area = areas.item(a);
            if (areaContains(area->getAttributeText(QStringLiteral("shape")),
                             area->getAttributeText(QStringLiteral("coords")), local))
                return area;
        }
        return img;
    }
    return img;
}

Element* HitTester::elementAtPagePoint(QPoint page)
{
    Document* doc = m_layout.document();
    if (!doc)
        return nullptr;
    const int index = boxAt(page);
    Element* el = index >= 0 ? m_layout.elementOfBox(index) : nullptr;
    if (!el || el->hasTag(QLatin1String("HTML")) || el->hasTag(QLatin1String("HEAD")))
        return doc->body();
    // Rows and row groups lie in the table's spacing: the TABLE.
    if (isTablePart(el->tagName().toUpper())) {
        for (Element* p = el->parentElement(); p; p = p->parentElement()) {
            if (p->hasTag(QLatin1String("TABLE")))
                return p;
        }
    }
    if (el->hasTag(QLatin1String("IMG")))
        return areaAt(el, page);
    return el;
}

Element* HitTester::elementFromPoint(QPoint client)
{
    const QSize view = m_layout.viewportSize();
    if (client.x() < 0 || client.y() < 0 || client.x() >= view.width() || client.y() >= view.height())
        return nullptr;
    return elementAtPagePoint(client + m_layout.scrollPosition());
}

} // namespace engine
